// entry_painter.h: EntryPainter, which lays out the display text of one entry
// (its ten parts, see display_text.h) into runs and lines, draws it into a window or onto
// printer pages, and answers what lies under a point, what is selected and what text the
// selection holds. One painter serves an entry pane, the illustration window and printing;
// a print job works on a copy of the painter shown.
//
// Coordinates are the window's pixels. A run's x and y are its baseline's start; its
// rectangle spans from y - (leading + ascent) down one line height. The pane scrolls by
// whole lines: its origin is 0 at the top and -(lines scrolled x line height) below it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/display/entry_key_table.h"
#include "app/settings/prefs.h"
#include "vkobase/types.h"

class FRM_CImage;
class WordItem;

// What the painter needs of the scrolling pane it draws in.
class EntryPane {
public:
    virtual ~EntryPane() = default;
    // The pane's local frame in pixels (left, top, right, bottom).
    virtual s_rct PaneFrame() const = 0;
    // The part of the pane's window the entry is drawn in (left, top, right, bottom): the
    // pane less its scroll bar, which clearing must not paint over.
    virtual s_rct TextArea() const { return PaneFrame(); }
    virtual void SetLineStep(std::int16_t step) = 0;
    // The lines' tops lie phase pixels below the multiples of the step: a pane scrolled by
    // lines puts a line's top, not a cut line, at its top.
    virtual void SetLinePhase(std::int16_t) {}
    // The vertical scroll origin: 0 or negative.
    virtual float ScrollOriginY() const = 0;
    virtual void SetScrollOriginY(float origin) = 0;
    // The text covers the lines minimum to maximum (of the line step, from the pane's top):
    // the pane scrolls until the last of them is at its bottom.
    virtual void SetScrollRange(std::int32_t minimum, std::int32_t maximum) = 0;
    // Background and text colours for the pane's own clearing and drawing.
    virtual void SetPaneColors(std::uint32_t background, std::uint32_t text) = 0;
};

// A print job the painter prints into: the print record and the print window. failed is
// set once a page could not be closed or opened; the painter then stops drawing and the
// window has been destroyed (window is null).
struct EntryPrintJob {
    s_printrcd* record = nullptr;
    WINDOW window = nullptr;
    bool failed = false;
};

// The font families, indexed by the display text's font bytes (0x08 + index).
inline constexpr const char* kEntryFontFamilies[5] = {"DorvaneRegular", "DorvaneRegular",
                                                      "DorvaneExt", "DorvaneIPA",
                                                      "Dorvane KestleSpecial"};
inline constexpr int kPhoneticFontIndex = 3;
// The notice printed at the foot of every printed page.
inline constexpr char kPrintFooterNotice[] =
    "\xA9 Dorvane-Kestle. All rights reserved. Printed for personal use only.";

class EntryPainter : public EntryDisplayTarget {
public:
    struct Run {
        std::string text;          // text, a control byte and the character behind it, ";ART"...
        std::int32_t group = -1;   // the word group the run belongs to, -1 none
        float x = 0, y = 0, width = 0;
        float height = 0;           // a marker's picture, which may be taller than a line; 0 text
        std::int32_t highlight = 0; // nonzero: part of a search word
        std::int32_t hitItem = -1;  // index of its hit item, -1 none
        bool phonetic = false;      // drawn in the phonetic font, whose bytes are its own code page
    };
    struct Line {
        std::int32_t count = 0;    // the page's line count when the line ended
        std::size_t end = 0;       // one past the line's last run
    };
    // A rectangle the user can click, with the text it stands for.
    struct HitItem {
        std::string text;
        std::string plainText;     // what a copy of it gives
        std::int16_t kind = 0;
        s_rct rect{};
    };

    // view and window may be null (a print copy gets its print window later).
    EntryPainter(EntryPane* view, WINDOW window);
    EntryPainter(const EntryPainter& other);
    EntryPainter& operator=(const EntryPainter&) = delete;
    ~EntryPainter() override;

    // EntryDisplayTarget: the part order, layout tokens and words to highlight; then an
    // entry given as its ten parts (laid out and drawn at once).
    void SetDisplayOrder(const RWOrdered& layoutTokenTexts, const RWOrdered& displayParts,
                         const RWOrdered* searchWords) override;
    void ShowEntry(WordItem* const* parts) override;

    // The user's colours and text size; on screen only.
    void SetColors(const Prefs& prefs);
    void UpdateMetrics();
    // Draws what is laid out with the pane scrolled to origin (0 or negative).
    void Redraw(float originY);
    // Lays out and draws again what is shown (the entry, or the illustration's caption).
    void DrawEntry();
    // Clears the window and forgets what is laid out.
    void Reset();
    void SetView(EntryPane* view);
    void SetWindow(WINDOW window)
    {
        itsWindow = window;
        itsWidthCache.clear();
    }
    void SetPrinting(bool printing) { itIsPrinting = printing; }

    // The run under a point (text coordinates), or -1.
    int RunAt(float x, float y) const;
    // First and last run of the word group around run index (both index when none).
    void WordSpan(int index, int* first, int* last) const;
    // What a click at a point hits: ";SOUND" for a word group, a copy of the hit item
    // under it, or null. The caller owns the answer.
    std::unique_ptr<WordItem> SoundHit(float x, float y) const;
    // Plays the sounds of the word group under a point through table.
    void PlayWordSounds(float x, float y, EntryKeyTable* table) const;

    // Selection: runs from the one under from to the one under to (a word group whole);
    // answers whether anything is selected.
    bool SelectRange(float fromX, float fromY, float toX, float toY);
    void ClearSelection();
    void SelectAll();
    // Selection from the keys (Shift with an arrow, Home or End): from a fixed end, the moving
    // end steps a run back or on, a line up or down, to its line's first or last run, or to
    // the text's. The first step starts at the selection made with the mouse, else at the
    // first run in sight in the pane, and selects that run. Answers whether anything is
    // selected; *endRect (text coordinates) is where the moving end lies.
    enum class KeyStep {
        kRunBack, kRunOn, kLineUp, kLineDown, kLineStart, kLineEnd, kTextStart, kTextEnd
    };
    bool SelectByKey(KeyStep step, s_rct* endRect);
    // The selected text as it reads on screen, in the entry's order: a tab where the text
    // jumps along its line (a label and its text, an indented line), a newline for every line
    // the entry goes down (blank lines too) except where a line only wrapped.
    std::string SelectedText() const;
    // The same text as UTF-8, for other programs: the phonetic font's bytes as the IPA
    // letters they show, every other byte as Windows-1252.
    std::string SelectedTextUtf8() const;
    void ScrollToTop();

    // Illustration and table captions: lays item out as the shown caption.
    void ShowCaption(const WordItem& caption);
    // The image of an illustration (kind 1) or table (kind 2) from the bytes of its record
    // (a PNG, BMP, XPM or XBM file image); an illustration's caption (the art part's text)
    // is laid out and drawn. Null for another kind or bytes that are no image. The caller
    // draws the image.
    std::unique_ptr<FRM_CImage> LoadIllustration(const std::string& record,
                                                 const WordItem& artPart);
    // Whether record holds a picture that can be read (an illustration or a table).
    static bool IsImageRecord(const std::string& record);
    // Prints the illustration shown: the image at the printer's scale, its caption below.
    void PrintIllustration(EntryPrintJob* job);
    bool imageShown() const { return itIsImageShown; }

    // Printing: lays out the stored entry onto the job's pages in white and black. The job's
    // window must be open on a page; pages in between are broken here.
    void PrintEntry(EntryPrintJob* job);
    void DrawFooter();

    // Laid-out state, for the windows and for tests.
    const std::vector<Run>& runs() const { return itsRuns; }
    const std::vector<Line>& lines() const { return itsLines; }
    const std::vector<HitItem>& hitItems() const { return itsHitItems; }
    const std::vector<int>& selection() const { return itsSelection; }
    const std::vector<std::string>& wordGroup(int group) const
    {
        return itsGroups[static_cast<std::size_t>(group)];
    }
    std::int32_t pageLineCount() const { return itsPageLines; }
    std::int16_t lineHeight() const { return itsLineHeight; }
    std::int32_t leftMargin() const { return itsLeft; }
    std::int32_t rightLimit() const { return itsRight; }
    std::int32_t top() const { return itsTop; }
    std::int32_t bottom() const { return itsBottom; }
    std::int32_t ascentOffset() const { return itsAscentOffset; }
    const DisplaySettings& settings() const { return itsSettings; }
    bool hasText() const { return itHasText; }
    std::size_t widthCacheSize() const { return itsWidthCache.size(); }
    std::size_t measureCount() const { return itsMeasureCount; }

    // The layout pass: lays item's text out from position on at the pen.
    void LayOutText(const WordItem& item, std::size_t* position, bool noHitItems);
    // The hanging indent under item's label (laying the label out), or -1 without one.
    std::int32_t MeasureIndent(const WordItem& item);
    // Applies a layout-token text ("N": down a line, "T": to the tab) at the pen.
    void ApplyLayoutTokens(const std::string& tokens);
    void SetPen(float x, float y) { itsPenX = x; itsPenY = y; }
    // The next piece of text from position: up to and including the next blank, comma or
    // newline, and position moves behind it; the rest of the text, and position becomes
    // npos, when there is none.
    static std::unique_ptr<WordItem> NextDelimitedPiece(std::size_t* position,
                                                        const std::string& text);
    float penX() const { return itsPenX; }
    float penY() const { return itsPenY; }

private:
    struct WidthKey {
        std::string text;
        std::int16_t fontIndex, reduction, styleCode, shift;
        std::int32_t fontStyle;
        bool operator==(const WidthKey& o) const
        {
            return text == o.text && fontIndex == o.fontIndex && reduction == o.reduction &&
                   styleCode == o.styleCode && shift == o.shift && fontStyle == o.fontStyle;
        }
    };
    struct WidthKeyHash {
        std::size_t operator()(const WidthKey& k) const;
    };
    // The font last set on the window, so that unchanged settings cost no call.
    struct WindowFont {
        int family = -1;
        std::int32_t size = -1;
        std::int32_t style = -1;
        std::uint32_t color = 0;
        bool colorSet = false;
        bool operator==(const WindowFont&) const = default;
    };

    void EmptyLayout();
    void StartLayout();
    void LayOutPart(const WordItem& part, bool noHitItems);
    // Applies one style byte to settings; startGroup: a 0x0E that turns the colour on
    // starts a new word group (only while laying out).
    void ApplyStyleByte(unsigned char byte, DisplaySettings* settings, bool startGroup);
    // Sets the window's font and colour from settings (highlight: the run is a search word).
    void SyncFont(const DisplaySettings& settings, bool highlight);
    // The window font and colour that text drawn in these settings needs.
    static WindowFont TargetFont(const DisplaySettings& settings, bool highlight);
    void SetFontFamily(int fontIndex, std::int32_t size, std::int32_t style);
    float Measure(const std::string& text);
    float CachedWidth(const std::string& text);
    void AddLine();
    void AddHitItem(Run* run, const std::string& plainText);
    void MoveHitItem(const Run& run);
    bool FitsOnPage();
    bool NextPage(std::size_t drawEnd);
    void Wrap(Run* run, std::int32_t indent, bool* stop);
    // Draws runs [from, to) shifted up by originY, replaying style bytes from *state.
    void DrawRunRange(std::size_t from, std::size_t to, float originY, DisplaySettings* state,
                      float clipTop, float clipBottom);
    void DrawMarker(const Run& run, float originY);
    void InvertRun(const Run& run, float originY);
    s_rct RunRect(const Run& run) const;
    bool IsSelectable(std::size_t index) const;
    // The run under a point, else the one a drag ending there reaches: on the point's line
    // the last run left of it (the line's first when the point is left of the text); off
    // the lines (a blank line, below the text) the last run above it, above the text the
    // first run; -1 with nothing laid out.
    int RunNearest(float x, float y) const;
    // The first text run after a point beside the text (right of it on its line, or on a
    // line below), where a drag starting there forward begins; the run count when none.
    int RunAfter(float x, float y) const;
    // The selected runs' text in the entry's order, each piece with whether it is in the
    // phonetic font, and between them what separates them on screen (see SelectedText).
    std::vector<std::pair<std::string, bool>> SelectedPieces() const;
    void ToggleSelected(std::size_t index, float originY, bool select);
    // Selects the runs first to last (markers left out) and nothing else.
    void SelectRuns(int first, int last);
    // The next text run before (step -1) or after (step 1) index; index itself when none.
    int StepRun(int index, int step) const;
    bool Drawing() const { return itsWindow != nullptr; }
    WINDOW Target() const;

    // Frame and metrics.
    std::int32_t itsRight = 0, itsLeft = 0, itsTop = 0, itsBottom = 0;
    // How far punctuation and digits may hang past itsRight: the text area's own edge.
    std::int32_t itsOverflowLimit = INT32_MAX;
    std::int16_t itsLineHeight = 1;
    std::int32_t itsPageLines = 0;
    std::int32_t itsAscentOffset = 0, itsDescent = 0;
    bool itHasText = false, itIsPrinting = false, itIsImageShown = false;
    EntryPane* itsView = nullptr;
    WINDOW itsWindow = nullptr;
    std::unique_ptr<WordItem> itsCaption;       // the caption while an illustration is shown
    std::string itsImageRecord;                 // the bytes of the image shown
    WordItem* itsParts[11] = {};                // the entry shown (the table's records)
    DisplaySettings itsSettings;
    DisplaySettings itsEntryStart;              // the settings at the start of the layout
    EntryPrintJob* itsJob = nullptr;
    float itsPenX = 0, itsPenY = 0;
    std::size_t itsPageFirstRun = 0;            // printing: first run of the current page
    DisplaySettings itsPrintState;              // printing: settings at itsPageFirstRun

    std::vector<Run> itsRuns;
    std::vector<Line> itsLines;
    std::unordered_map<WidthKey, float, WidthKeyHash> itsWidthCache;
    std::size_t itsMeasureCount = 0;
    std::vector<int> itsSelection;
    int itsKeyAnchor = -1, itsKeyEnd = -1;      // the ends of a selection made by keys
    std::vector<HitItem> itsHitItems;
    std::vector<std::vector<std::string>> itsGroups; // word groups, owned with the runs
    std::int32_t itsCurrentGroup = -1;
    std::vector<std::string> itsSearchWords;
    std::vector<std::string> itsLayoutTokens;   // by part number
    std::vector<int> itsDisplayParts;           // by display position
    WindowFont itsWindowFont;
};
