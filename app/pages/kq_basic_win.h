// kq_basic_win.h: KQBasicWin, the basic search page of a main reference window: a text
// field, Search, Clear and Spelling Help buttons, the hit list and the entry pane beside
// it. Double-clicking a word of the entry looks it up. Typing fills the hit list with the dictionary's words for the typed text and
// selects the best line (type-ahead); Return or Search runs the search, of each word of a
// comma-separated list in turn; choosing a line of the hit list shows its entry.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/pages/search_history.h"
#include "frm/views/csubview.h"
#include "vkocoll/ordered.h"

class EntryPainter;
class FRM_NButton;
class FRM_NEditControl;
class FRM_NText;
class KQListBox;
class RefDoc;
class ScrollViewWin;
class WordItem;

class KQBasicWin : public FRM_CSubview {
public:
    // Commands of the page.
    static constexpr long kCmdSearch = 2002;
    static constexpr long kCmdSearchDouble = 2007;
    static constexpr long kCmdTypedText = 2008;
    static constexpr long kCmdRunSearch = 78;
    static constexpr long kCmdClear = 81;
    static constexpr long kCmdSpellingHelp = 82;
    static constexpr long kCmdLineChosen = 83;
    // The window resource of its controls, and their ids there.
    static constexpr long kControlsResource = 2201;

    // painter: the main window's entry engine, which the page attaches to its entry pane.
    KQBasicWin(FRM_CSubview* enclosure, const FRM_CRect& frame, RefDoc* document,
               EntryPainter* painter, SearchHistories* histories);
    ~KQBasicWin() override;

    // The text field's text, and setting it (caret after the last character).
    std::string GetTypedText() const;
    void SetTypedText(const std::string& text);
    // Puts text into the field and searches it.
    void SearchFor(const std::string& text);
    // What the page runs on Return or Search.
    void Search();
    // Type-ahead for the field's text.
    void TypeAhead();
    // Shows the entry of line index of the hit list (entered in the entry history).
    void ShowHit(int index);
    // Moves through the histories; false at their ends.
    bool ShowOtherEntry(int delta);
    bool ShowOtherResults(int delta);
    void Clear();

    KQListBox* GetHitList() const { return itsHitList; }
    ScrollViewWin* GetEntryPane() const { return itsEntryPane; }
    // The hits of the results list shown, null before the first search.
    const RWOrdered* GetHits() const;
    bool IsPicking() const { return itIsPicking; }
    // The chosen search type: its position in the description's list and its index code.
    int GetSearchTypePosition() const;
    std::string GetIndexCode() const;

    // FRM_CSubview
    void DoCommand(long command, void* data) override;
    void DoKey(const FRM_CKey& key) override;

private:
    void SearchOne(const std::string& text, bool quiet);
    void ShowResults(const ResultsRecord& record);
    void ShowEntry(const WordItem& word, const std::vector<std::string>& highlights);
    void UpdateHistoryMenus();
    std::vector<std::string> HighlightWords(const std::string& text) const;

    void ClickOnEntry(const FRM_CPoint& point);

    RefDoc* itsDocument;                 // not owned
    EntryPainter* itsPainter;            // the main window's
    ScrollViewWin* itsEntryPane = nullptr;
    FRM_NEditControl* itsField = nullptr;
    FRM_NButton* itsSearchButton = nullptr;
    FRM_NButton* itsClearButton = nullptr;
    FRM_NButton* itsSpellingButton = nullptr;
    FRM_NText* itsFirstLabel = nullptr;
    FRM_NText* itsSecondLabel = nullptr;
    KQListBox* itsHitList = nullptr;
    SearchHistories* itsHistories;            // the main window's
    std::unique_ptr<RWOrdered> itsTyped;      // the type-ahead words, owned
    bool itIsPicking = false;                 // the hit list holds type-ahead words
};
