// entry_painter_layout.cpp: the layout pass. An entry's parts, in the display order, are cut
// into runs (words, blanks, punctuation, control bytes) placed on lines at the pen; a label
// hangs its text at an indent, a word that passes the right edge wraps with what stands
// before it, layout tokens add blank lines and tabs, search words are marked, word groups and
// the rectangles the user can click are collected. Layout only measures; drawing follows.
#include "app/display/entry_painter.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "app/display/display_text.h"
#include "app/display/entry_painter_internal.h"
#include "engine/worditem.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/probe.h"

using namespace entry_paint;

namespace {

// The sample whose first characters give a label column its width.
constexpr char kIndentSample[] = "jaHedM jgo4n aYEsjf ie;aKlkfgJLkjaq lajdfur";
constexpr std::size_t kWidthCacheLimit = 50000;

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

} // namespace

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
    itsKeyAnchor = itsKeyEnd = -1;
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
        // A cleared pane is back at its top with nothing to scroll: its bar shows no thumb.
        if (itsView != nullptr) {
            itsView->SetScrollOriginY(0);
            itsView->SetScrollRange(0, 0);
        }
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
        run.height = static_cast<float>(height);
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
    // The lines' tops (a line is drawn from its baseline less the ascent), and the lines
    // from there down to the last drawn run's bottom: a marker's picture taller than a line
    // reaches into the lines below, and the last of them is scrolled to as well.
    const std::int32_t step = std::max<std::int32_t>(1, itsLineHeight);
    const std::int32_t phase = ((itsTop - itsAscentOffset) % step + step) % step;
    float bottom = 0;
    for (const Run& run : itsRuns) {
        if (run.width <= 0)
            continue;
        const s_rct rect = RunRect(run);
        bottom = std::max(
            {bottom, static_cast<float>(rect.bottom), static_cast<float>(rect.top) + run.height});
    }
    itsView->SetLinePhase(static_cast<std::int16_t>(phase));
    itsView->SetScrollRange(
        0, static_cast<std::int32_t>(
               std::ceil((bottom - static_cast<float>(phase)) / static_cast<float>(step))));
}
