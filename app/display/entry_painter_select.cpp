// entry_painter_select.cpp: what lies under the pointer and what the user selected. A point
// finds its run and the word group around it (whose sounds a click plays); a drag selects the
// runs between two points, shown inverted; the selected runs give the text a copy puts on the
// clipboard, also as UTF-8 for other programs.
#include "app/display/entry_painter.h"

#include <algorithm>
#include <cmath>

#include "app/display/display_text.h"
#include "app/display/draw_tools_scope.h"
#include "app/display/entry_painter_internal.h"
#include "engine/worditem.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/ipa_charset.h"

using namespace entry_paint;

namespace {
std::string CopiedText(const std::string& text);
} // namespace

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
        // One message is enough: after a sound that could not be played the others go
        // unplayed too.
        for (const std::string& key : keys)
            if (table->PlaySound(key.c_str()) != 0)
                break;
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
    // The brush alone: an outline would be inverted a second time where it lies over the
    // fill, leaving white seams between the runs of a selection.
    const DrawToolsScope tools(window, M_XOR, s_cpen{1, PAT_HOLLOW, P_SOLID, kBlue},
                               s_cbrush{PAT_SOLID, kBlue});
    s_rct rect = RunRect(run);
    rect.top = Clamp16(rect.top - originY);
    rect.bottom = Clamp16(rect.bottom - originY);
    vko_dwin_draw_rect(window, &rect);
}

void EntryPainter::ToggleSelected(std::size_t index, float originY, bool select)
{
    if (select)
        itsSelection.push_back(static_cast<int>(index));
    else
        itsSelection.erase(
            std::find(itsSelection.begin(), itsSelection.end(), static_cast<int>(index)));
    InvertRun(itsRuns[index], originY);
}

int EntryPainter::RunNearest(float x, float y) const
{
    const int exact = RunAt(x, y);
    if (exact >= 0)
        return exact;
    const auto hx = static_cast<std::int16_t>(std::clamp(x, -32768.0f, 32767.0f));
    const auto hy = static_cast<std::int16_t>(std::clamp(y, -32768.0f, 32767.0f));
    int first = -1;    // the text's first run
    int above = -1;    // the last run of the lines above the point
    int rowFirst = -1; // on the point's line: its leftmost run, and the last run left of it
    int rowLeft = -1;
    s_rct rowFirstRect{}, rowLeftRect{};
    for (std::size_t i = 0; i < itsRuns.size(); ++i) {
        if (!IsSelectable(i) || IsMarker(itsRuns[i].text))
            continue;
        const s_rct r = RunRect(itsRuns[i]);
        const int index = static_cast<int>(i);
        if (first < 0)
            first = index;
        if (r.bottom <= hy)
            above = index;
        if (hy < r.top || hy >= r.bottom)
            continue;
        if (rowFirst < 0 || r.left < rowFirstRect.left) {
            rowFirst = index;
            rowFirstRect = r;
        }
        if (r.left <= hx && (rowLeft < 0 || r.left >= rowLeftRect.left)) {
            rowLeft = index;
            rowLeftRect = r;
        }
    }
    if (rowFirst >= 0)
        return rowLeft >= 0 ? rowLeft : rowFirst;
    return above >= 0 ? above : first;
}

int EntryPainter::RunAfter(float x, float y) const
{
    const auto hx = static_cast<std::int16_t>(std::clamp(x, -32768.0f, 32767.0f));
    const auto hy = static_cast<std::int16_t>(std::clamp(y, -32768.0f, 32767.0f));
    for (std::size_t i = 0; i < itsRuns.size(); ++i) {
        if (!IsSelectable(i) || IsMarker(itsRuns[i].text))
            continue;
        const s_rct r = RunRect(itsRuns[i]);
        if (r.top > hy || (hy < r.bottom && r.left >= hx))
            return static_cast<int>(i);
    }
    return static_cast<int>(itsRuns.size());
}

bool EntryPainter::SelectRange(float fromX, float fromY, float toX, float toY)
{
    if (itIsPrinting)
        return !itsSelection.empty();
    // A press selects only what it hits; once the pointer moves, a point beside the text
    // stands for the run a text view would select to (past a line's end, its last run).
    const bool dragged = fromX != toX || fromY != toY;
    int a = RunAt(fromX, fromY);
    int b = RunAt(toX, toY);
    if (dragged && (a < 0 || b < 0)) {
        const int nearA = a >= 0 ? a : RunNearest(fromX, fromY);
        const int nearB = b >= 0 ? b : RunNearest(toX, toY);
        // Both points beside the text at the same run select nothing between them.
        if (a >= 0 || b >= 0 || nearA != nearB) {
            // A drag from a gap forward starts at the text after the gap (not at a label's
            // colon before it); backward, at the text before it.
            const int after = a >= 0 ? a : RunAfter(fromX, fromY);
            a = nearB >= after ? after : nearA;
            b = nearB;
        }
    }
    if (a < 0 || b < 0) {
        if (a < 0 && b < 0)
            ClearSelection();
        return !itsSelection.empty();
    }
    if (a == b)
        WordSpan(a, &a, &b);
    SelectRuns(a, b);
    return !itsSelection.empty();
}

void EntryPainter::SelectRuns(int first, int last)
{
    itsKeyAnchor = itsKeyEnd = -1;
    if (first > last)
        std::swap(first, last);
    const float originY = itsView != nullptr ? -std::min(0.0f, itsView->ScrollOriginY()) : 0;
    std::vector<bool> selected(itsRuns.size(), false);
    for (const int index : itsSelection)
        selected[static_cast<std::size_t>(index)] = true;
    for (std::size_t i = 0; i < itsRuns.size(); ++i) {
        if (IsMarker(itsRuns[i].text))
            continue;
        const bool inside = static_cast<int>(i) >= first && static_cast<int>(i) <= last;
        if (inside != selected[i])
            ToggleSelected(i, originY, inside);
    }
}

int EntryPainter::StepRun(int index, int step) const
{
    for (int i = index + step; i >= 0 && i < static_cast<int>(itsRuns.size()); i += step)
        if (IsSelectable(static_cast<std::size_t>(i)) &&
            !IsMarker(itsRuns[static_cast<std::size_t>(i)].text) &&
            !CopiedText(itsRuns[static_cast<std::size_t>(i)].text).empty())
            return i;
    return index;
}

bool EntryPainter::SelectByKey(KeyStep step, s_rct* endRect)
{
    if (itIsPrinting || itsRuns.empty())
        return !itsSelection.empty();
    int anchor = itsKeyAnchor, end = itsKeyEnd;
    if (anchor < 0 || end < 0) {
        if (!itsSelection.empty()) {
            // Going on from the mouse's selection: the end away from the step stays.
            const auto [low, high] = std::minmax_element(itsSelection.begin(), itsSelection.end());
            const bool back = step == KeyStep::kRunBack || step == KeyStep::kLineUp ||
                              step == KeyStep::kLineStart || step == KeyStep::kTextStart;
            anchor = back ? *high : *low;
            end = back ? *low : *high;
        } else {
            // Nothing selected yet: the first step selects the first run in sight.
            const float shownTop =
                itsView != nullptr ? -std::min(0.0f, itsView->ScrollOriginY()) : 0;
            anchor = StepRun(-1, 1);
            for (std::size_t i = 0; i < itsRuns.size(); ++i)
                if (StepRun(static_cast<int>(i) - 1, 1) == static_cast<int>(i) &&
                    RunRect(itsRuns[i]).top >= shownTop) {
                    anchor = static_cast<int>(i);
                    break;
                }
            if (anchor < 0 || anchor >= static_cast<int>(itsRuns.size()))
                return false;
            SelectRuns(anchor, anchor);
            itsKeyAnchor = itsKeyEnd = anchor;
            if (endRect != nullptr)
                *endRect = RunRect(itsRuns[static_cast<std::size_t>(anchor)]);
            return !itsSelection.empty();
        }
    }
    const s_rct at = RunRect(itsRuns[static_cast<std::size_t>(end)]);
    const float middle = (static_cast<float>(at.top) + static_cast<float>(at.bottom)) / 2;
    switch (step) {
    case KeyStep::kRunBack:
        end = StepRun(end, -1);
        break;
    case KeyStep::kRunOn:
        end = StepRun(end, 1);
        break;
    case KeyStep::kLineUp:
    case KeyStep::kLineDown: {
        // To the nearest line above or below that holds text: blank lines are passed over.
        const bool up = step == KeyStep::kLineUp;
        const float line = up ? -itsLineHeight : itsLineHeight;
        for (std::int32_t lines = 1; lines <= itsPageLines; ++lines) {
            const int reached =
                RunNearest(static_cast<float>(at.left), middle + line * static_cast<float>(lines));
            if (reached < 0)
                break;
            const s_rct r = RunRect(itsRuns[static_cast<std::size_t>(reached)]);
            if (up ? r.bottom <= at.top : r.top >= at.bottom) {
                end = reached;
                break;
            }
        }
        break;
    }
    case KeyStep::kLineStart:
    case KeyStep::kLineEnd: {
        // The runs of a line stand in a row: from the end on (or back) while they hold the
        // end's middle.
        const int direction = step == KeyStep::kLineEnd ? 1 : -1;
        for (int next = StepRun(end, direction); next != end; next = StepRun(end, direction)) {
            const s_rct r = RunRect(itsRuns[static_cast<std::size_t>(next)]);
            if (middle < static_cast<float>(r.top) || middle >= static_cast<float>(r.bottom))
                break;
            end = next;
        }
        break;
    }
    case KeyStep::kTextStart:
        end = StepRun(-1, 1);
        break;
    case KeyStep::kTextEnd:
        end = StepRun(static_cast<int>(itsRuns.size()), -1);
        break;
    }
    SelectRuns(anchor, end);
    itsKeyAnchor = anchor;
    itsKeyEnd = end;
    if (endRect != nullptr)
        *endRect = RunRect(itsRuns[static_cast<std::size_t>(end)]);
    return !itsSelection.empty();
}

void EntryPainter::ClearSelection()
{
    itsKeyAnchor = itsKeyEnd = -1;
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

// The lines between two copied runs are told by their places: the entry went down a line for
// each line height between them, and of those a newline byte copies itself and a wrap (a line
// of itsLines not ended by a newline byte or a marker) copies nothing.
std::vector<std::pair<std::string, bool>> EntryPainter::SelectedPieces() const
{
    std::vector<int> order = itsSelection;
    std::sort(order.begin(), order.end()); // a drag extended backwards adds runs at the end
    std::vector<std::pair<std::string, bool>> pieces;
    const Run* previous = nullptr;
    std::size_t previousIndex = 0;
    const auto isWrap = [this](const Line& line) {
        if (line.end == 0 || line.end > itsRuns.size())
            return false;
        const std::string& before = itsRuns[line.end - 1].text;
        return before[0] != '\n' && !IsMarker(before);
    };
    for (const int at : order) {
        const auto index = static_cast<std::size_t>(at);
        const Run& run = itsRuns[index];
        std::string text = CopiedText(run.text);
        if (text.empty())
            continue;
        if (previous != nullptr) {
            const bool afterNewline = previous->text[0] == '\n';
            long down = std::lround((run.y - previous->y) / std::max<float>(1, itsLineHeight));
            for (const Line& line : itsLines)
                if (line.end > previousIndex && line.end <= index && isWrap(line))
                    --down;
            const long breaks = std::max(0L, down - (afterNewline ? 1 : 0));
            std::string gap(static_cast<std::size_t>(breaks), '\n');
            const float tolerance = 0.5f;
            if (breaks > 0 || afterNewline) {
                if (run.x > static_cast<float>(itsLeft) + tolerance)
                    gap += '\t';
            } else if (down == 0 && run.y == previous->y &&
                       run.x > previous->x + std::floor(previous->width) + tolerance) {
                gap += '\t';
            }
            if (!gap.empty())
                pieces.emplace_back(std::move(gap), false);
        }
        pieces.emplace_back(std::move(text), run.phonetic);
        previous = &run;
        previousIndex = index;
    }
    return pieces;
}

std::string EntryPainter::SelectedText() const
{
    std::string out;
    for (const auto& [piece, phonetic] : SelectedPieces())
        out += piece;
    return out;
}

std::string EntryPainter::SelectedTextUtf8() const
{
    std::string out;
    for (const auto& [piece, phonetic] : SelectedPieces()) {
        for (const char byte : piece) {
            char32_t code = vkobase::ipa::ipa_character(static_cast<unsigned char>(byte));
            if (!phonetic) {
                VKO_WCHAR wide = 0;
                const char single[2] = {byte, '\0'};
                code = vko_str_convert_mb_to_wc(&wide, single) > 0 ? wide : U'?';
            }
            AppendUtf8(&out, code);
        }
    }
    return out;
}
