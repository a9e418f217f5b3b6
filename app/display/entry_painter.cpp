// entry_painter.cpp: the entry engine's layout pass, drawing, hit tests, selection and
// printing. Layout only measures (through a width cache) and places; drawing, on screen
// and on printer pages alike, replays the runs with their style bytes, so a run moved by a
// wrap is drawn once, at its final place.
#include "app/display/entry_painter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <functional>

#include <stdlib.h>
#include <unistd.h>

#include "app/display/display_text.h"
#include "engine/worditem.h"
#include "frm/views/cimage.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/ipa_charset.h"
#include "vkobase/probe.h"
#include "vkocoll/collstr.h"
#include "vkocoll/ordered.h"
#include "vkocoll/rwint.h"

namespace {

constexpr std::uint32_t kWhite = 0x0BFFFFFF;
constexpr std::uint32_t kBlack = 0x07000000;
constexpr std::uint32_t kBlue = 0x030000FF;
constexpr std::uint32_t kRed = 0x01FF0000;
// The sample whose first characters give a label column its width.
constexpr char kIndentSample[] = "jaHedM jgo4n aYEsjf ie;aKlkfgJLkjaq lajdfur";
constexpr char kArtRun[] = ";ART";
constexpr char kTableRun[] = ";TABLE";
constexpr std::size_t kWidthCacheLimit = 50000;

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
// Bytes that begin a control run: style, font and colour bytes, escapes and the newline.
bool IsControl(unsigned char c) { return c >= 0x01 && c <= 0x1F; }
bool IsMarker(const std::string& text) { return text == kArtRun || text == kTableRun; }
bool IsBlank(const std::string& text)
{
    return !text.empty() && text.find_first_not_of(' ') == std::string::npos;
}
std::string MarkerLabel(const std::string& marker)
{
    return marker == kArtRun ? "[Illustration]" : "[Table]";
}

std::string TextOf(const RWCString& s) { return std::string(s.data(), s.length()); }

std::int16_t Clamp16(float v)
{
    return static_cast<std::int16_t>(std::clamp(v, -32768.0f, 32767.0f));
}

std::int32_t ToInt(float v) { return static_cast<std::int32_t>(v); }

} // namespace

std::size_t EntryPainter::WidthKeyHash::operator()(const WidthKey& k) const
{
    std::size_t h = std::hash<std::string>()(k.text);
    const std::uint64_t style = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(k.fontIndex)) << 48) ^
                                (static_cast<std::uint64_t>(static_cast<std::uint16_t>(k.reduction)) << 32) ^
                                (static_cast<std::uint64_t>(static_cast<std::uint16_t>(k.styleCode)) << 16) ^
                                static_cast<std::uint16_t>(k.shift) ^
                                (static_cast<std::uint64_t>(static_cast<std::uint32_t>(k.fontStyle)) << 20);
    return h ^ (std::hash<std::uint64_t>()(style) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}

EntryPainter::EntryPainter(EntryPane* view, WINDOW window) : itsView(view), itsWindow(window)
{
    itsSettings.prefs.font_size = kDefaultFontSize;
    itsSettings.prefs.back_color = kDefaultBackColor;
    itsSettings.prefs.text_color = kDefaultTextColor;
    itsSettings.prefs.highlight_color = kDefaultHighlightColor;
    itsSettings.prefs.audio_color = kDefaultAudioColor;
    itsSettings.current_size = static_cast<std::int16_t>(kDefaultFontSize);
    if (itsWindow != nullptr)
        SetFontFamily(itsSettings.font_index, itsSettings.current_size, 0);
    // The line metrics come from the window even before there is a view to lay out in.
    if (itsView != nullptr || itsWindow != nullptr)
        UpdateMetrics();
}

EntryPainter::EntryPainter(const EntryPainter& other)
    : itsRight(other.itsRight), itsLeft(other.itsLeft), itsTop(other.itsTop),
      itsBottom(other.itsBottom), itsOverflowLimit(other.itsOverflowLimit),
      itsLineHeight(other.itsLineHeight),
      itsPageLines(other.itsPageLines), itsAscentOffset(other.itsAscentOffset),
      itsDescent(other.itsDescent), itHasText(other.itHasText),
      itIsPrinting(other.itIsPrinting), itIsImageShown(other.itIsImageShown),
      itsView(other.itsView), itsWindow(other.itsWindow),
      itsCaption(other.itsCaption ? other.itsCaption->Copy() : nullptr),
      itsImageRecord(other.itsImageRecord),
      itsSettings(other.itsSettings), itsEntryStart(other.itsEntryStart), itsJob(other.itsJob),
      itsPenX(other.itsPenX), itsPenY(other.itsPenY), itsRuns(other.itsRuns),
      itsLines(other.itsLines), itsWidthCache(other.itsWidthCache),
      itsSelection(other.itsSelection), itsGroups(other.itsGroups),
      itsCurrentGroup(other.itsCurrentGroup), itsSearchWords(other.itsSearchWords),
      itsLayoutTokens(other.itsLayoutTokens), itsDisplayParts(other.itsDisplayParts)
{
    // The entry shown travels with the copy (a print job shows it again); the hit items
    // are the screen's and start afresh.
    std::copy(std::begin(other.itsParts), std::end(other.itsParts), std::begin(itsParts));
    for (Run& run : itsRuns)
        run.hitItem = -1;
}

EntryPainter::~EntryPainter() = default;

void EntryPainter::SetDisplayOrder(const RWOrdered& layoutTokenTexts,
                                   const RWOrdered& displayParts, const RWOrdered* searchWords)
{
    itsLayoutTokens.clear();
    for (std::size_t i = 0; i < layoutTokenTexts.entries(); ++i) {
        const auto* text = dynamic_cast<const RWCollectableString*>(layoutTokenTexts.at(i));
        itsLayoutTokens.push_back(text != nullptr ? TextOf(*text) : std::string());
    }
    itsDisplayParts.clear();
    for (std::size_t i = 0; i < displayParts.entries(); ++i) {
        const auto* part = dynamic_cast<const RWCollectableInt*>(displayParts.at(i));
        itsDisplayParts.push_back(part != nullptr ? part->value() : 0);
    }
    itsSearchWords.clear();
    if (searchWords != nullptr) {
        for (std::size_t i = 0; i < searchWords->entries(); ++i) {
            const auto* word = dynamic_cast<const RWCollectableString*>(searchWords->at(i));
            if (word != nullptr && word->length() > 0)
                itsSearchWords.push_back(TextOf(*word));
        }
    }
}

// ---------------------------------------------------------------------------------------
// Window state

WINDOW EntryPainter::Target() const
{
    if (itIsPrinting && itsJob != nullptr)
        return itsJob->window;
    return itsWindow;
}

void EntryPainter::SetFontFamily(int fontIndex, std::int32_t size, std::int32_t style)
{
    DisplaySettings settings = itsSettings;
    settings.font_index = static_cast<std::int16_t>(fontIndex);
    settings.current_size = static_cast<std::int16_t>(size);
    settings.font_style = style;
    SyncFont(settings, false);
}

EntryPainter::WindowFont EntryPainter::TargetFont(const DisplaySettings& settings, bool highlight)
{
    WindowFont font;
    font.family = std::clamp<int>(settings.font_index, 0, 4);
    font.size = std::max<std::int32_t>(1, settings.current_size);
    font.style = settings.font_style;
    font.color = highlight ? settings.prefs.highlight_color : settings.prefs.text_color;
    if (settings.color_lock != 0) {
        font.color = settings.lock_byte == 0x0E   ? kBlue
                     : settings.lock_byte == 0x0F ? kRed
                                                  : settings.prefs.text_color;
    }
    font.colorSet = true;
    return font;
}

void EntryPainter::SyncFont(const DisplaySettings& settings, bool highlight)
{
    WINDOW window = Target();
    if (window == nullptr)
        return;
    const WindowFont target = TargetFont(settings, highlight);
    if (target.family != itsWindowFont.family) {
        vko_dwin_set_font_family(window, kEntryFontFamilies[target.family]);
        itsWindowFont.family = target.family;
    }
    if (target.size != itsWindowFont.size) {
        vko_dwin_set_font_size(window, target.size);
        itsWindowFont.size = target.size;
    }
    if (target.style != itsWindowFont.style) {
        vko_dwin_set_font_style(window, static_cast<std::uint32_t>(target.style));
        itsWindowFont.style = target.style;
    }
    if (!itsWindowFont.colorSet || target.color != itsWindowFont.color) {
        vko_dwin_set_fore_color(window, target.color);
        itsWindowFont.color = target.color;
        itsWindowFont.colorSet = true;
    }
}

void EntryPainter::ApplyStyleByte(unsigned char byte, DisplaySettings* s, bool startGroup)
{
    const int low = byte & 0x07;
    const std::int32_t pref = s->prefs.font_size;
    if ((byte & 0x08) == 0) {
        if (low == 0 || low == s->style_code)
            return;
        s->style_code = static_cast<std::int16_t>(low);
        switch (low) {
        case 1: case 2: case 3:
            // Plain, bold and italic end a small run and a raised or lowered one too.
            s->size_reduction = 0;
            s->baseline_shift = 0;
            s->current_size = static_cast<std::int16_t>(pref);
            s->font_style = low == 2 ? 1 : low == 3 ? 2 : 0;
            break;
        case 4:
            s->font_style = 0;
            s->baseline_shift = 0;
            if (s->size_reduction == 0) {
                s->size_reduction = 2;
                s->current_size = static_cast<std::int16_t>(pref - 2);
            }
            break;
        case 5:
            s->current_size = static_cast<std::int16_t>(std::max(8, pref / 2) - s->size_reduction);
            s->baseline_shift = -4;
            break;
        case 6:
            s->current_size =
                static_cast<std::int16_t>(std::max(8, pref - pref / 3) - s->size_reduction);
            s->baseline_shift = 2;
            break;
        default:
            s->current_size = static_cast<std::int16_t>(pref - s->size_reduction);
            s->baseline_shift = 0;
            break;
        }
        return;
    }
    if (low <= 4) {
        s->font_index = static_cast<std::int16_t>(low);
        return;
    }
    if (s->color_lock == 0) {
        s->color_lock = 1;
        s->lock_byte = static_cast<std::uint8_t>(0x08 | low);
        if (startGroup && s->lock_byte == 0x0E) {
            itsGroups.emplace_back();
            itsCurrentGroup = static_cast<std::int32_t>(itsGroups.size()) - 1;
        }
    } else {
        s->color_lock = 0;
        s->lock_byte = 0;
    }
}

float EntryPainter::Measure(const std::string& text)
{
    WINDOW window = Target();
    if (window == nullptr || text.empty())
        return 0;
    SyncFont(itsSettings, false);
    ++itsMeasureCount;
    const std::int32_t width =
        vko_dwin_get_text_width(window, text.data(), static_cast<std::int32_t>(text.size()));
    return width > 0 ? static_cast<float>(width) : 0.0f;
}

float EntryPainter::CachedWidth(const std::string& text)
{
    WidthKey key{text, itsSettings.font_index, itsSettings.size_reduction,
                 itsSettings.style_code, itsSettings.baseline_shift, itsSettings.font_style};
    const auto found = itsWidthCache.find(key);
    if (found != itsWidthCache.end())
        return found->second;
    const float width = Measure(text);
    itsWidthCache.emplace(std::move(key), width);
    return width;
}

void EntryPainter::UpdateMetrics()
{
    WINDOW window = Target();
    std::int32_t leading = 0, ascent = 0, descent = 0;
    if (window != nullptr) {
        SyncFont(itsSettings, false);
        vko_dwin_get_font_metrics(window, &leading, &ascent, &descent);
    }
    // A font without metrics still gets lines one pixel high, never zero.
    itsLineHeight = static_cast<std::int16_t>(std::clamp(leading + ascent + descent, 1, 32767));
    itsAscentOffset = leading + ascent;
    itsDescent = descent;
    if (itIsPrinting) {
        if (window == nullptr)
            return;
        s_rct client{};
        vko_vobj_get_client_rect(window, &client);
        const auto hres = static_cast<std::int32_t>(vko_vobj_get_attr(NULL_WIN, VKO_ATTR_PRINTER_HRES));
        const auto vres = static_cast<std::int32_t>(vko_vobj_get_attr(NULL_WIN, VKO_ATTR_PRINTER_VRES));
        // Half an inch at the sides, an inch at the top, two at the bottom.
        itsLeft = std::max(0, hres / 2);
        itsRight = client.right - itsLeft;
        itsOverflowLimit = client.right;
        itsTop = std::max(0, vres);
        itsBottom = client.bottom - 2 * std::max(0, vres);
        return;
    }
    if (itsView == nullptr)
        return;
    const s_rct frame = itsView->PaneFrame();
    itsRight = frame.right - 50;
    itsOverflowLimit = itsView->TextArea().right - 4;
    itsLeft = 20;
    itsTop = 2 * itsLineHeight;
    itsBottom = frame.bottom;
    itsView->SetLineStep(itsLineHeight);
}

void EntryPainter::SetView(EntryPane* view)
{
    itsView = view;
    UpdateMetrics();
}

void EntryPainter::SetColors(const Prefs& prefs)
{
    if (itIsPrinting || itsWindow == nullptr)
        return;
    itsSettings.prefs = prefs;
    itsSettings.current_size = static_cast<std::int16_t>(prefs.font_size);
    itsWidthCache.clear();
    if (itsView != nullptr)
        itsView->SetPaneColors(prefs.back_color, prefs.text_color);
    itsWindowFont = WindowFont{};
    // The line height is the phonetic font's, the tallest of the families.
    SetFontFamily(kPhoneticFontIndex, itsSettings.current_size, itsSettings.font_style);
    UpdateMetrics();
}

// ---------------------------------------------------------------------------------------
// Layout

void EntryPainter::EmptyLayout()
{
    itsHitItems.clear();
    itsRuns.clear();
    itsLines.clear();
    // Widths outlive the entry (the next one shares most words) until the fonts, the size
    // or the target change; a cache grown very large starts afresh.
    if (itsWidthCache.size() > kWidthCacheLimit)
        itsWidthCache.clear();
    itsSelection.clear();
    itsGroups.clear();
    itsCurrentGroup = -1;
    itsPageFirstRun = 0;
}

void EntryPainter::Reset()
{
    WINDOW window = Target();
    if (window != nullptr && !itIsPrinting) {
        // The pane's scroll bar lies in the same window and is drawn again only when its
        // values change: the clear leaves it alone.
        s_rct before{};
        const bool clipped = vko_dwin_get_clip(window, &before) != nullptr;
        s_rct area = itsView != nullptr ? itsView->TextArea() : before;
        const bool any = !clipped || vko_rect_intersect(&area, &area, &before);
        if (itsView != nullptr && any)
            vko_dwin_set_clip(window, &area);
        if (any)
            vko_dwin_clear(window, itsSettings.prefs.back_color);
        vko_dwin_set_clip(window, clipped ? &before : nullptr);
        // A cleared pane shows its bar at the top, over the top of the blank page.
        if (itsView != nullptr)
            itsView->ThumbToTop();
    }
    itHasText = false;
    EmptyLayout();
}

void EntryPainter::AddLine()
{
    itsLines.push_back(Line{itsPageLines, itsRuns.size()});
}

void EntryPainter::AddHitItem(Run* run, const std::string& plainText)
{
    HitItem item;
    item.text = run->text.size() == 2 && IsControl(static_cast<unsigned char>(run->text[0]))
                    ? run->text.substr(1)
                    : run->text;
    item.plainText = plainText;
    item.rect = RunRect(*run);
    run->hitItem = static_cast<std::int32_t>(itsHitItems.size());
    itsHitItems.push_back(std::move(item));
}

void EntryPainter::MoveHitItem(const Run& run)
{
    if (run.hitItem >= 0)
        itsHitItems[static_cast<std::size_t>(run.hitItem)].rect = RunRect(run);
}

s_rct EntryPainter::RunRect(const Run& run) const
{
    s_rct rect{};
    rect.left = Clamp16(run.x);
    rect.right = Clamp16(run.x + std::floor(run.width));
    rect.top = Clamp16(run.y - static_cast<float>(itsAscentOffset));
    rect.bottom = Clamp16(run.y - static_cast<float>(itsAscentOffset) + itsLineHeight);
    return rect;
}

bool EntryPainter::FitsOnPage()
{
    return !itIsPrinting || itsPenY + static_cast<float>(itsDescent) <= static_cast<float>(itsBottom);
}

// Ends the printed page: draws its runs up to drawEnd and the footer, closes the page and
// opens the next one. False (the job failed, its window destroyed) when either fails.
bool EntryPainter::NextPage(std::size_t drawEnd)
{
    if (itsJob == nullptr || itsJob->failed || itsJob->window == nullptr)
        return false;
    DrawRunRange(itsPageFirstRun, drawEnd, 0, &itsPrintState, -1e9f, 1e9f);
    itsPageFirstRun = drawEnd;
    DrawFooter();
    if (!vko_print_close_page(itsJob->record) || !vko_print_open_page(itsJob->record)) {
        vko_vobj_destroy(itsJob->window);
        itsJob->window = nullptr;
        itsJob->failed = true;
        return false;
    }
    itsWindowFont = WindowFont{};
    itsPenX = static_cast<float>(itsLeft);
    itsPenY = static_cast<float>(itsTop);
    itsPageLines = 0;
    return true;
}

std::int32_t EntryPainter::MeasureIndent(const WordItem& item)
{
    if (item.length() == 0 || item.labelWidth() == 0)
        return -1;
    WordItem label(item.label().c_str());
    itsPenX = static_cast<float>(itsLeft);
    std::size_t position = 0;
    LayOutText(label, &position, false);
    const std::size_t count =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(0, item.labelWidth())),
                              sizeof kIndentSample - 2);
    const auto indent = static_cast<std::int32_t>(Measure(std::string(kIndentSample + 1, count)));
    itsPenX = static_cast<float>(itsLeft + indent);
    return indent;
}

void EntryPainter::Wrap(Run* run, std::int32_t indent, bool* stop)
{
    const auto first = static_cast<unsigned char>(run->text[0]);
    const bool blank = run->text == " ";
    const bool letter = IsLetter(first);
    const bool previousBlank = !itsRuns.empty() && itsRuns.back().text == " ";
    const float lineStart = static_cast<float>(itsLeft + std::max(0, indent));
    if (blank || (letter && previousBlank)) {
        itsPenX = lineStart;
        itsPenY += itsLineHeight;
        ++itsPageLines;
        AddLine();
        if (!FitsOnPage() && !NextPage(itsRuns.size()))
            *stop = true;
        return;
    }
    // Punctuation, digits and high characters hang into the margin; a run of them that
    // would reach past the text area (a date, a number) moves with its word instead.
    if (!letter && itsPenX + run->width <= static_cast<float>(itsOverflowLimit))
        return;
    // The word hangs on to what stands before it: move everything behind the line's last
    // blank to a new line; with no blank on the line the word overflows.
    const std::size_t lineFirst = itsLines.empty() ? 0 : itsLines.back().end;
    std::size_t j = itsRuns.size();
    while (j > lineFirst && itsRuns[j - 1].text != " ")
        --j;
    if (j == lineFirst)
        return;
    itsPenX = lineStart;
    itsPenY += itsLineHeight;
    ++itsPageLines;
    itsLines.push_back(Line{itsPageLines, j});
    if (!FitsOnPage() && !NextPage(j)) {
        *stop = true;
        return;
    }
    for (std::size_t k = j; k < itsRuns.size(); ++k) {
        Run& moved = itsRuns[k];
        moved.x = itsPenX;
        moved.y = itsPenY;
        MoveHitItem(moved);
        itsPenX += std::floor(moved.width);
    }
}

void EntryPainter::LayOutText(const WordItem& item, std::size_t* position, bool noHitItems)
{
    const std::string text = TextOf(item);
    if (text.empty())
        return;
    const std::int32_t indent = MeasureIndent(item);

    // Search-word occurrences as (start, end) pairs in ascending order; end is one past the
    // blank behind the word.
    std::vector<std::pair<std::size_t, std::size_t>> occurrences;
    if (!itsSearchWords.empty()) {
        std::string lower = text;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::size_t from = 0;
        for (const std::string& word : itsSearchWords) {
            // Whole words only: a search word inside a longer word is no occurrence.
            for (std::size_t at = lower.find(word, from); at != std::string::npos;
                 at = lower.find(word, std::max(at + 1, from))) {
                const std::size_t end = at + word.size();
                const bool whole =
                    (at == 0 || !IsLetter(static_cast<unsigned char>(lower[at - 1]))) &&
                    (end == lower.size() || !IsLetter(static_cast<unsigned char>(lower[end])));
                if (!whole)
                    continue;
                occurrences.emplace_back(at, end + 1);
                from = end + 1;
            }
        }
    }
    std::size_t next = 0; // first pair not yet done
    bool highlight = false;
    // Switches highlighting at a run boundary. An occurrence that began inside a run (a
    // search word inside a longer word) is passed over, so later ones still count.
    const auto update = [&](std::size_t at) {
        if (highlight && occurrences[next].second <= at) {
            highlight = false;
            ++next;
        }
        if (!highlight) {
            while (next < occurrences.size() && occurrences[next].first < at)
                ++next;
            highlight = next < occurrences.size() && occurrences[next].first == at;
        }
    };
    update(*position);

    const auto inGroup = [this] {
        return itsSettings.color_lock != 0 && itsSettings.lock_byte == 0x0E ? itsCurrentGroup : -1;
    };

    while (*position < text.size()) {
        const auto c = static_cast<unsigned char>(text[*position]);
        Run run;
        run.x = itsPenX;
        run.y = itsPenY;
        if (IsControl(c)) {
            run.text = text.substr(*position, 2);
            if (c == '\n') {
                itsPenX = static_cast<float>(itsLeft);
                itsPenY += itsLineHeight;
                ++itsPageLines;
                *position += 1;
            } else if (c < 0x10) {
                ApplyStyleByte(c, &itsSettings, true);
                *position += 1;
            } else {
                *position += run.text.size();
                if (run.text.size() == 2) {
                    // One character in the style of the escape byte, then back.
                    const DisplaySettings saved = itsSettings;
                    ApplyStyleByte(c, &itsSettings, false);
                    run.width = CachedWidth(run.text.substr(1));
                    if (!noHitItems) {
                        const auto ch = static_cast<unsigned char>(run.text[1]);
                        AddHitItem(&run, ch < 0x80 ? run.text.substr(1) : std::string("*"));
                    }
                    itsSettings = saved;
                    itsPenX += std::floor(run.width);
                }
            }
            update(*position);
            run.highlight = highlight ? -1 : 0;
            run.group = inGroup();
            itsRuns.push_back(std::move(run));
            if (c == '\n') {
                AddLine();
                if (!FitsOnPage() && !NextPage(itsRuns.size()))
                    return;
            }
            continue;
        }
        if (c == '~') {
            // A hidden sound key of the word group: "~key~" shows nothing. Without a
            // closing '~' the key runs to the end; without a group it is dropped.
            const std::size_t close = text.find('~', *position + 1);
            const std::size_t end = close == std::string::npos ? text.size() : close;
            if (itsCurrentGroup >= 0)
                itsGroups[static_cast<std::size_t>(itsCurrentGroup)].push_back(
                    text.substr(*position + 1, end - *position - 1));
            *position = close == std::string::npos ? text.size() : close + 1;
            continue;
        }
        std::size_t updateAt;
        if (!IsLetter(c)) {
            run.text = std::string(1, static_cast<char>(c));
            *position += 1;
            updateAt = *position;
        } else {
            std::size_t end = *position;
            while (end < text.size() && IsLetter(static_cast<unsigned char>(text[end])))
                ++end;
            run.text = text.substr(*position, end - *position);
            updateAt = *position;
            *position = end;
            if (end == text.size())
                updateAt = end + 1;
        }
        if (itsSettings.size_reduction != 0 && static_cast<unsigned char>(run.text[0]) < 0x80) {
            for (char& ch : run.text)
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        }
        run.width = CachedWidth(run.text);
        if (itsPenX + run.width > static_cast<float>(itsRight)) {
            bool stop = false;
            Wrap(&run, indent, &stop);
            if (stop)
                return;
        }
        run.x = itsPenX;
        run.y = itsPenY;
        if (!noHitItems)
            AddHitItem(&run, run.text);
        run.highlight = highlight ? -1 : 0;
        run.group = inGroup();
        run.phonetic = itsSettings.font_index == kPhoneticFontIndex;
        itsPenX += std::floor(run.width);
        itsRuns.push_back(std::move(run));
        update(updateAt);
    }
}

std::unique_ptr<WordItem> EntryPainter::NextDelimitedPiece(std::size_t* position,
                                                           const std::string& text)
{
    const std::size_t from = std::min(*position, text.size());
    const std::size_t at = text.find_first_of(" ,\n", from);
    if (at == std::string::npos) {
        *position = std::string::npos;
        return std::make_unique<WordItem>(text.substr(from).c_str());
    }
    *position = at + 1;
    return std::make_unique<WordItem>(text.substr(from, at + 1 - from).c_str());
}

void EntryPainter::ApplyLayoutTokens(const std::string& tokens)
{
    std::size_t at = 0;
    while (at <= tokens.size()) {
        std::size_t end = tokens.find('\\', at);
        if (end == std::string::npos)
            end = tokens.size();
        if (end > at) {
            const char c = tokens[at];
            if (c == 'N' || c == 'n') {
                // A blank line: counted, so that scrolling and page breaks see it.
                itsPenY += itsLineHeight;
                ++itsPageLines;
            } else if (c == 'T' || c == 't') {
                itsPenX = static_cast<float>(itsLeft) + Measure("aaaaa");
            }
        }
        at = end + 1;
    }
}

void EntryPainter::LayOutPart(const WordItem& part, bool noHitItems)
{
    if (part.kind() == 1 || part.kind() == 2) {
        Run run;
        run.text = part.kind() == 1 ? kArtRun : kTableRun;
        run.x = itsPenX;
        run.y = itsPenY;
        std::int32_t width = 0, height = 0;
        if (!itIsPrinting && itsWindow != nullptr) {
            if (IMAGE icon = vko_res_get_image(part.kind() == 1 ? 39009 : 39010)) {
                vko_image_get_dimensions(icon, &width, &height);
                vko_image_destroy(icon);
            } else {
                // Without the icon the marker is its name in brackets, one line high.
                width = static_cast<std::int32_t>(Measure(MarkerLabel(run.text)));
            }
        }
        run.width = static_cast<float>(width);
        if (!noHitItems)
            AddHitItem(&run, run.text);
        itsRuns.push_back(std::move(run));
        const std::int32_t lines = 1 + height / itsLineHeight;
        itsPenX = static_cast<float>(itsLeft);
        itsPenY += static_cast<float>(lines * itsLineHeight);
        itsPageLines += lines;
        AddLine();
        return;
    }
    std::size_t position = 0;
    LayOutText(part, &position, noHitItems);
}

void EntryPainter::StartLayout()
{
    EmptyLayout();
    itsPageLines = 0;
    itsWindowFont = WindowFont{};
    // Every entry starts in the plain regular font, whatever the last one ended in.
    itsSettings.current_size = static_cast<std::int16_t>(itsSettings.prefs.font_size);
    itsSettings.color_lock = 0;
    itsSettings.lock_byte = 0;
    itsSettings.font_index = 1;
    itsSettings.size_reduction = 0;
    itsSettings.font_style = 0;
    itsSettings.style_code = 0;
    itsSettings.baseline_shift = 0;
    SyncFont(itsSettings, false);
    UpdateMetrics();
    itsPenX = static_cast<float>(itsLeft);
    itsPenY = static_cast<float>(itsTop);
    Reset();
    itsEntryStart = itsSettings;
    itsPrintState = itsSettings;
}

void EntryPainter::ShowEntry(WordItem* const* parts)
{
    if (parts != itsParts)
        std::copy(parts, parts + 11, itsParts);
    itsCaption.reset();
    itsImageRecord.clear();
    itIsImageShown = false;
    VkoProbeScope layout(VKO_PROBE_LAYOUT);
    StartLayout();
    for (int k = 1; k <= kPartCount; ++k) {
        itHasText = true;
        const int p = static_cast<std::size_t>(k) < itsDisplayParts.size()
                          ? itsDisplayParts[static_cast<std::size_t>(k)]
                          : 0;
        if (p < 1 || p > kPartCount || itsParts[p] == nullptr)
            continue;
        const WordItem& stored = *itsParts[p];
        if (stored.length() == 0 && stored.kind() == 0)
            continue;
        if (stored.length() > 0 && stored.data()[stored.length() - 1] != '\n') {
            WordItem part(stored);
            part.append("\n");
            LayOutPart(part, itIsPrinting);
        } else {
            LayOutPart(stored, itIsPrinting);
        }
        if (itIsPrinting && itsJob != nullptr && itsJob->failed)
            return;
        const auto slot = static_cast<std::size_t>(p);
        if (slot < itsLayoutTokens.size())
            ApplyLayoutTokens(itsLayoutTokens[slot]);
    }
    layout.End();
    if (itIsPrinting) {
        if (itsJob != nullptr && !itsJob->failed && itsJob->window != nullptr) {
            DrawRunRange(itsPageFirstRun, itsRuns.size(), 0, &itsPrintState, -1e9f, 1e9f);
            itsPageFirstRun = itsRuns.size();
            DrawFooter();
        }
        return;
    }
    Redraw(0);
    ScrollToTop();
}

void EntryPainter::ShowCaption(const WordItem& caption)
{
    // The caption alone, without the part's label.
    itsCaption = std::make_unique<WordItem>(TextOf(caption).c_str());
    StartLayout();
    itIsImageShown = true;
    std::size_t position = 0;
    LayOutText(*itsCaption, &position, itIsPrinting);
    if (!itIsPrinting) {
        Redraw(0);
        ScrollToTop();
    }
}

void EntryPainter::DrawEntry()
{
    if (itsWindow == nullptr || itsView == nullptr || (!itHasText && !itIsImageShown)) {
        Reset();
        return;
    }
    if (itIsImageShown && itsCaption != nullptr) {
        const std::unique_ptr<WordItem> caption(itsCaption->Copy());
        ShowCaption(*caption);
        return;
    }
    ShowEntry(itsParts);
}

void EntryPainter::ScrollToTop()
{
    if (itsView == nullptr)
        return;
    itsView->SetScrollOriginY(0);
    itsView->SetScrollRange(0, itsPageLines);
}

// ---------------------------------------------------------------------------------------
// Drawing

void EntryPainter::DrawMarker(const Run& run, float originY)
{
    WINDOW window = Target();
    if (itIsPrinting || window == nullptr)
        return;
    IMAGE icon = vko_res_get_image(run.text == kArtRun ? 39009 : 39010);
    if (icon == nullptr) {
        const std::string label = MarkerLabel(run.text);
        SyncFont(itsSettings, false);
        vko_dwin_draw_text(window, ToInt(run.x), ToInt(run.y - originY), label.data(),
                           static_cast<std::int32_t>(label.size()));
        return;
    }
    std::int32_t width = 0, height = 0;
    vko_image_get_dimensions(icon, &width, &height);
    const s_rct source{0, 0, static_cast<std::int16_t>(height), static_cast<std::int16_t>(width)};
    s_rct dest{};
    dest.left = Clamp16(run.x);
    dest.top = Clamp16(run.y - static_cast<float>(itsAscentOffset) - originY);
    dest.right = static_cast<std::int16_t>(dest.left + width);
    dest.bottom = static_cast<std::int16_t>(dest.top + height);
    vko_dwin_draw_image(window, icon, &dest, &source);
    vko_image_destroy(icon);
}

void EntryPainter::DrawRunRange(std::size_t from, std::size_t to, float originY,
                                DisplaySettings* state, float clipTop, float clipBottom)
{
    WINDOW window = Target();
    if (window == nullptr)
        return;
    itsWindowFont = WindowFont{};
    // A blank between words leaves no ink unless text is drawn opaque or underlined, and an
    // entry has about as many blanks as words: skip drawing them.
    s_drawct tools{};
    vko_dwin_get_draw_ctools(window, &tools);
    const bool blanksLeaveNoInk = tools.opaque_text == FALSE;
    std::vector<bool> selected(to, false);
    for (const int index : itsSelection)
        if (static_cast<std::size_t>(index) < to)
            selected[static_cast<std::size_t>(index)] = true;
    // Runs that follow each other on a line in one font and colour are drawn as one text:
    // each drawing call costs far more than its glyphs. The layout placed every run at the
    // end of the one before (whole-pixel widths), so the glyphs land where they would alone.
    std::string pending;
    std::size_t pendingInk = 0; // the blanks after the last word are left out
    std::int32_t pendingX = 0, pendingY = 0, pendingEnd = 0;
    const auto flush = [&]() {
        if (pendingInk != 0)
            vko_dwin_draw_text(window, pendingX, pendingY, pending.data(),
                               static_cast<std::int32_t>(pendingInk));
        pending.clear();
        pendingInk = 0;
    };
    for (std::size_t i = from; i < to; ++i) {
        const Run& run = itsRuns[i];
        const float y = run.y - originY;
        const auto c = static_cast<unsigned char>(run.text.empty() ? 0 : run.text[0]);
        const bool visible = y + static_cast<float>(itsDescent) >= clipTop &&
                             y - static_cast<float>(itsAscentOffset) <= clipBottom;
        if (IsControl(c)) {
            if (c == '\n')
                continue;
            if (c < 0x10) {
                ApplyStyleByte(c, state, false);
                continue;
            }
            if (run.text.size() == 2 && visible) {
                flush();
                const DisplaySettings saved = *state;
                ApplyStyleByte(c, state, false);
                SyncFont(*state, run.highlight != 0);
                vko_dwin_draw_text(window, ToInt(run.x), ToInt(y) + state->baseline_shift,
                                   run.text.data() + 1, 1);
                *state = saved;
            }
        } else if (visible) {
            const std::int32_t x = ToInt(run.x);
            const std::int32_t baseline = ToInt(y) + state->baseline_shift;
            const bool follows = !pending.empty() && baseline == pendingY && x == pendingEnd &&
                                 TargetFont(*state, run.highlight != 0) == itsWindowFont;
            if (IsMarker(run.text)) {
                flush();
                DrawMarker(run, originY);
            } else if (blanksLeaveNoInk && IsBlank(run.text) &&
                       (state->font_style & VKO_FS_UNDERLINE) == 0) {
                // No ink of its own; it may join the texts on either side.
                if (follows) {
                    pending += run.text;
                    pendingEnd += ToInt(std::floor(run.width));
                }
            } else {
                if (!follows) {
                    flush();
                    SyncFont(*state, run.highlight != 0);
                    pendingX = x;
                    pendingY = baseline;
                    pendingEnd = x;
                }
                pending += run.text;
                pendingInk = pending.size();
                pendingEnd += ToInt(std::floor(run.width));
            }
        }
        if (visible && selected[i]) {
            flush(); // the inversion goes over the drawn text
            InvertRun(run, originY);
        }
        if (y - static_cast<float>(itsAscentOffset) > clipBottom)
            break;
    }
    flush();
}

void EntryPainter::Redraw(float originY)
{
    if (itsWindow == nullptr || itsView == nullptr || itIsPrinting)
        return;
    if (!itHasText && !itIsImageShown)
        return;
    float clipTop = -1e9f, clipBottom = 1e9f;
    s_rct clip{};
    if (vko_dwin_get_clip(itsWindow, &clip) != nullptr && clip.bottom > clip.top) {
        clipTop = clip.top;
        clipBottom = clip.bottom;
    }
    DisplaySettings state = itsEntryStart;
    const VkoProbeScope drawing(VKO_PROBE_DRAWING);
    DrawRunRange(0, itsRuns.size(), -std::min(0.0f, originY) , &state, clipTop, clipBottom);
}

void EntryPainter::DrawFooter()
{
    if (!itIsPrinting || itsJob == nullptr || itsJob->window == nullptr)
        return;
    s_rct client{};
    vko_vobj_get_client_rect(itsJob->window, &client);
    vko_dwin_set_font_family(itsJob->window, "times");
    vko_dwin_draw_text(itsJob->window, itsLeft, client.bottom - itsLineHeight, kPrintFooterNotice, -1);
    itsWindowFont.family = -1;
    SyncFont(itsSettings, false);
}

void EntryPainter::PrintEntry(EntryPrintJob* job)
{
    itsJob = job;
    itIsPrinting = true;
    if (job == nullptr || job->window == nullptr)
        return;
    itsWidthCache.clear(); // the screen's widths are not the printer's
    const DisplaySettings saved = itsSettings;
    itsSettings.prefs.back_color = kWhite;
    itsSettings.prefs.text_color = kBlack;
    ShowEntry(itsParts);
    itsSettings = saved;
}

// ---------------------------------------------------------------------------------------
// Hit tests and selection

bool EntryPainter::IsSelectable(std::size_t index) const
{
    const auto c = static_cast<unsigned char>(itsRuns[index].text[0]);
    return !IsControl(c) || c >= 0x10;
}

int EntryPainter::RunAt(float x, float y) const
{
    if (itsRuns.empty())
        return -1;
    const auto hx = static_cast<std::int16_t>(std::clamp(x, -32768.0f, 32767.0f));
    const auto hy = static_cast<std::int16_t>(std::clamp(y, -32768.0f, 32767.0f));
    const auto holds = [&](const Run& run) {
        const s_rct r = RunRect(run);
        return hx >= r.left && hx < r.right && hy >= r.top && hy < r.bottom;
    };
    for (std::size_t i = 0; i < itsRuns.size(); ++i) {
        if (IsSelectable(i) && holds(itsRuns[i]))
            return static_cast<int>(i);
    }
    return -1;
}

void EntryPainter::WordSpan(int index, int* first, int* last) const
{
    *first = *last = index;
    if (index < 0 || static_cast<std::size_t>(index) >= itsRuns.size())
        return;
    const std::int32_t group = itsRuns[static_cast<std::size_t>(index)].group;
    if (group < 0)
        return;
    while (*first > 0 && itsRuns[static_cast<std::size_t>(*first - 1)].group == group)
        --*first;
    while (static_cast<std::size_t>(*last + 1) < itsRuns.size() &&
           itsRuns[static_cast<std::size_t>(*last + 1)].group == group)
        ++*last;
}

std::unique_ptr<WordItem> EntryPainter::SoundHit(float x, float y) const
{
    const int index = RunAt(x, y);
    if (index >= 0 && itsRuns[static_cast<std::size_t>(index)].group >= 0)
        return std::make_unique<WordItem>(";SOUND");
    const auto hx = static_cast<std::int16_t>(std::clamp(x, -32768.0f, 32767.0f));
    const auto hy = static_cast<std::int16_t>(std::clamp(y, -32768.0f, 32767.0f));
    for (const HitItem& item : itsHitItems) {
        if (hx >= item.rect.left && hx < item.rect.right && hy >= item.rect.top &&
            hy < item.rect.bottom) {
            auto hit = std::make_unique<WordItem>(item.text.c_str());
            hit->set_kind(item.kind);
            hit->set_text2(item.plainText);
            hit->set_record(item.rect.top, item.rect.left, item.rect.bottom, item.rect.right);
            return hit;
        }
    }
    return nullptr;
}

void EntryPainter::PlayWordSounds(float x, float y, EntryKeyTable* table) const
{
    const int index = RunAt(x, y);
    if (index < 0 || table == nullptr)
        return;
    const std::int32_t group = itsRuns[static_cast<std::size_t>(index)].group;
    if (group < 0)
        return;
    const auto& keys = itsGroups[static_cast<std::size_t>(group)];
    if (!keys.empty()) {
        for (const std::string& key : keys)
            table->PlaySound(key.c_str());
        return;
    }
    // A group without hidden keys sounds its own word.
    int first = 0, last = 0;
    WordSpan(index, &first, &last);
    std::string word;
    for (int i = first; i <= last; ++i) {
        const std::string& text = itsRuns[static_cast<std::size_t>(i)].text;
        if (!IsControl(static_cast<unsigned char>(text[0])))
            word += text;
    }
    if (!word.empty())
        table->PlaySound(word.c_str());
}

void EntryPainter::InvertRun(const Run& run, float originY)
{
    WINDOW window = Target();
    if (itIsPrinting || window == nullptr || run.width < 1)
        return;
    s_drawct saved{};
    vko_dwin_get_draw_ctools(window, &saved);
    s_drawct tools = saved;
    tools.mode = M_XOR;
    tools.pen = s_cpen{1, PAT_SOLID, P_SOLID, kBlue};
    tools.brush = s_cbrush{PAT_SOLID, kBlue};
    vko_dwin_set_draw_ctools(window, &tools);
    s_rct rect = RunRect(run);
    rect.top = Clamp16(rect.top - originY);
    rect.bottom = Clamp16(rect.bottom - originY);
    vko_dwin_draw_rect(window, &rect);
    vko_dwin_set_draw_ctools(window, &saved);
}

void EntryPainter::ToggleSelected(std::size_t index, float originY, bool select)
{
    if (select)
        itsSelection.push_back(static_cast<int>(index));
    else
        itsSelection.erase(std::find(itsSelection.begin(), itsSelection.end(), static_cast<int>(index)));
    InvertRun(itsRuns[index], originY);
}

bool EntryPainter::SelectRange(float fromX, float fromY, float toX, float toY)
{
    if (itIsPrinting)
        return !itsSelection.empty();
    int a = RunAt(fromX, fromY);
    int b = RunAt(toX, toY);
    if (a < 0 || b < 0) {
        if (a < 0 && b < 0)
            ClearSelection();
        return !itsSelection.empty();
    }
    if (a == b)
        WordSpan(a, &a, &b);
    if (a > b)
        std::swap(a, b);
    const float originY = itsView != nullptr ? -std::min(0.0f, itsView->ScrollOriginY()) : 0;
    std::vector<bool> selected(itsRuns.size(), false);
    for (const int index : itsSelection)
        selected[static_cast<std::size_t>(index)] = true;
    for (std::size_t i = 0; i < itsRuns.size(); ++i) {
        if (IsMarker(itsRuns[i].text))
            continue;
        const bool inside = static_cast<int>(i) >= a && static_cast<int>(i) <= b;
        if (inside != selected[i])
            ToggleSelected(i, originY, inside);
    }
    return !itsSelection.empty();
}

void EntryPainter::ClearSelection()
{
    const float originY = itsView != nullptr ? -std::min(0.0f, itsView->ScrollOriginY()) : 0;
    for (const int index : itsSelection)
        InvertRun(itsRuns[static_cast<std::size_t>(index)], originY);
    itsSelection.clear();
}

void EntryPainter::SelectAll()
{
    ClearSelection();
    const float originY = itsView != nullptr ? -std::min(0.0f, itsView->ScrollOriginY()) : 0;
    for (std::size_t i = 0; i < itsRuns.size(); ++i) {
        if (!IsMarker(itsRuns[i].text))
            ToggleSelected(i, originY, true);
    }
}

namespace {

// What a selected run copies: its text, a newline, an escaped character (printable ASCII
// itself, anything else "*"), or nothing for a style byte.
std::string CopiedText(const std::string& text)
{
    const auto c = static_cast<unsigned char>(text[0]);
    if (!IsControl(c))
        return text;
    if (c == '\n')
        return "\n";
    if (c >= 0x10 && text.size() == 2) {
        const auto ch = static_cast<unsigned char>(text[1]);
        return std::string(1, ch >= 0x20 && ch < 0x7F ? static_cast<char>(ch) : '*');
    }
    return std::string();
}

void AppendUtf8(std::string* out, char32_t code)
{
    if (code < 0x80) {
        *out += static_cast<char>(code);
    } else if (code < 0x800) {
        *out += static_cast<char>(0xC0 | (code >> 6));
        *out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out += static_cast<char>(0xE0 | (code >> 12));
        *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string EntryPainter::SelectedText() const
{
    std::string out;
    for (const int index : itsSelection)
        out += CopiedText(itsRuns[static_cast<std::size_t>(index)].text);
    return out;
}

std::string EntryPainter::SelectedTextUtf8() const
{
    std::string out;
    for (const int index : itsSelection) {
        const Run& run = itsRuns[static_cast<std::size_t>(index)];
        for (const char byte : CopiedText(run.text)) {
            char32_t code = vkobase::ipa::ipa_character(static_cast<unsigned char>(byte));
            if (!run.phonetic) {
                VKO_WCHAR wide = 0;
                const char single[2] = {byte, '\0'};
                code = vko_str_convert_mb_to_wc(&wide, single) > 0 ? wide : U'?';
            }
            AppendUtf8(&out, code);
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------
// Illustrations and tables

namespace {

// The image in a record's bytes. The base library reads PNG from files only, so the bytes
// pass through a temporary file.
std::unique_ptr<FRM_CImage> ImageOf(const std::string& record)
{
    if (record.empty())
        return nullptr;
    char path[] = "/tmp/tavlin_image_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return nullptr;
    std::size_t written = 0;
    while (written < record.size()) {
        const ssize_t n = ::write(fd, record.data() + written, record.size() - written);
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    ::close(fd);
    std::unique_ptr<FRM_CImage> image;
    if (written == record.size()) {
        FILE_SPEC spec{};
        std::strncpy(spec.dir.path, "/tmp", sizeof spec.dir.path - 1);
        std::strncpy(spec.name, path + 5, sizeof spec.name - 1);
        if (IMAGE read = vko_image_read(&spec)) {
            image = std::make_unique<FRM_CImage>(read);
            vko_image_destroy(read);
        }
    }
    ::unlink(path);
    return image;
}

} // namespace

std::unique_ptr<FRM_CImage> EntryPainter::LoadIllustration(const std::string& record,
                                                           const WordItem& artPart)
{
    if (artPart.kind() != 1 && artPart.kind() != 2)
        return nullptr;
    std::unique_ptr<FRM_CImage> image = ImageOf(record);
    if (image == nullptr)
        return nullptr;
    itsImageRecord = record;
    itsCaption.reset();
    StartLayout();
    itIsImageShown = true;
    if (artPart.kind() == 1 && artPart.length() > 0) {
        ShowCaption(artPart);
    } else if (artPart.kind() == 1) {
        ScrollToTop();
    }
    return image;
}

void EntryPainter::PrintIllustration(EntryPrintJob* job)
{
    itsJob = job;
    itIsPrinting = true;
    if (job == nullptr || job->window == nullptr)
        return;
    itsWidthCache.clear();
    const DisplaySettings saved = itsSettings;
    itsSettings.prefs.back_color = kWhite;
    itsSettings.prefs.text_color = kBlack;
    StartLayout();
    float imageBottom = static_cast<float>(itsTop);
    if (std::unique_ptr<FRM_CImage> image = ImageOf(itsImageRecord)) {
        std::int32_t width = 0, height = 0;
        image->GetDimensions(&width, &height);
        // Screen pixels become printer pixels: the picture keeps its size on paper.
        const auto attr = [](std::int32_t id, double fallback) {
            const auto value = static_cast<double>(vko_vobj_get_attr(NULL_WIN, id));
            return value > 0 ? value : fallback;
        };
        const double sx = attr(VKO_ATTR_PRINTER_HRES, 300) / attr(VKO_ATTR_SCREEN_HRES, 96);
        const double sy = attr(VKO_ATTR_PRINTER_VRES, 300) / attr(VKO_ATTR_SCREEN_VRES, 96);
        const s_rct source{0, 0, static_cast<std::int16_t>(height), static_cast<std::int16_t>(width)};
        s_rct dest{};
        dest.left = static_cast<std::int16_t>(itsLeft);
        dest.top = static_cast<std::int16_t>(itsTop);
        dest.right = Clamp16(static_cast<float>(itsLeft + width * sx));
        dest.bottom = Clamp16(static_cast<float>(itsTop + height * sy));
        vko_dwin_draw_image(job->window, static_cast<IMAGE>(*image), &dest, &source);
        imageBottom = dest.bottom;
    }
    if (itsCaption != nullptr) {
        itsPenX = static_cast<float>(itsLeft);
        itsPenY = imageBottom + itsLineHeight + itsAscentOffset;
        std::size_t position = 0;
        LayOutText(*itsCaption, &position, true);
        if (!job->failed)
            DrawRunRange(itsPageFirstRun, itsRuns.size(), 0, &itsPrintState, -1e9f, 1e9f);
    }
    if (!job->failed)
        DrawFooter();
    itsSettings = saved;
}
