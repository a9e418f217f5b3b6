// ctl_edit.cpp: edit fields: the text of edit controls (and of list edits' fields) edited for
// real. The text is the control's title and the selection its text selection, so the control
// calls read what the user typed; the caret is one end of the selection and the anchor the
// other. Every change of the text the user makes sends the parent a control event (focus-change
// word 0); gaining and losing the focus send one with the focus-change word 1 and the active
// word. A single line scrolls sideways to keep the caret in view; a field of several lines
// breaks at line breaks, wraps long lines at word boundaries and scrolls down. Read-only fields
// select and copy but take no text; password fields show stars and give nothing to the
// clipboard; a character limit refuses what would pass it. A field with a formatter (the window
// record's formatter callback) has what the user types or pastes formatted by it before the
// change is reported; deleting is left as it is, so that text the formatter puts in can be
// taken out again.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ctl_internal.h"
#include "vkobase/cb.h"
#include "vkobase/ctl.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "window_internal.h"

namespace vkobase::ctl {

namespace {

constexpr int kPad = 2; // between the field's edge and its text

bool multiline(WINDOW win) noexcept {
    return win_effective_type(win) == WC_EDIT && (win->flags & VKO_CTL_MULTILINE) != 0;
}

bool read_only(WINDOW win) noexcept {
    return (win->flags & VKO_CTL_READONLY) != 0;
}

bool password(WINDOW win) noexcept {
    return (win->flags & VKO_CTL_PASSWORD) != 0;
}

const std::string &text_of(WINDOW win) noexcept {
    return win->internal->title;
}

// The text as drawn: stars in a password field.
std::string shown(WINDOW win) {
    return password(win) ? std::string(text_of(win).size(), '*') : text_of(win);
}

// Brings the caret and anchor in line with the selection, which callers may have set.
void sync(WINDOW win, Ui *st) noexcept {
    int32_t first = 0, last = 0;
    vkok_ctl_get_text_sel(win, &first, &last);
    if (std::min(st->anchor, st->caret) != first || std::max(st->anchor, st->caret) != last) {
        st->anchor = first;
        st->caret = last;
    }
}

void set_sel(WINDOW win, Ui *st, int32_t anchor, int32_t caret) noexcept {
    const auto len = static_cast<int32_t>(text_of(win).size());
    st->anchor = std::clamp(anchor, 0, len);
    st->caret = std::clamp(caret, 0, len);
    vkok_ctl_set_text_sel(win, std::min(st->anchor, st->caret), std::max(st->anchor, st->caret));
    win_invalidate(win, nullptr);
}

// One line of the field as shown: the text from..to (a line break after it is no part of it).
struct Line {
    int32_t from;
    int32_t to;
};

// Breaks the paragraph from..to of the drawn text into lines no wider than width: after the
// last run of spaces that lets the line fit (the spaces stay at the end of the line), or, for a
// word longer than a whole line, after its last character that fits.
void wrap(WINDOW win, const std::string &drawn, int32_t from, int32_t to, int width,
          std::vector<Line> &lines) {
    const char *t = drawn.c_str();
    while (measure(win, t + from, to - from) > width) {
        int32_t cut = -1;
        for (int32_t b = from + 1; b < to; ++b) {
            if (t[b - 1] != ' ' || t[b] == ' ')
                continue;
            int32_t end = b;
            while (end > from && t[end - 1] == ' ')
                --end;
            if (measure(win, t + from, end - from) > width)
                break;
            cut = b;
        }
        if (cut < 0) {
            cut = from + 1;
            while (cut < to && measure(win, t + from, cut + 1 - from) <= width)
                ++cut;
        }
        lines.push_back(Line{from, cut});
        from = cut;
    }
    lines.push_back(Line{from, to});
}

// The lines of the text as shown in area: one for a single-line field (which scrolls sideways
// instead); a field of several lines breaks at its line breaks and wraps at word boundaries.
std::vector<Line> lines_of(WINDOW win, const std::string &drawn, const s_rct &area) {
    const auto len = static_cast<int32_t>(drawn.size());
    if (!multiline(win))
        return {Line{0, len}};
    const int width = std::max(1, area.right - area.left - 2 * kPad);
    std::vector<Line> lines;
    int32_t from = 0;
    for (;;) {
        const size_t nl = drawn.find('\n', static_cast<size_t>(from));
        const int32_t to = nl == std::string::npos ? len : static_cast<int32_t>(nl);
        wrap(win, drawn, from, to, width, lines);
        if (nl == std::string::npos)
            return lines;
        from = to + 1;
    }
}

// The line a position lies on; a position where a line wraps belongs to the next line.
int line_of(const std::vector<Line> &lines, int32_t pos) {
    const auto after = std::upper_bound(lines.begin(), lines.end(), pos,
                                        [](int32_t p, const Line &l) { return p < l.from; });
    return std::max(0, static_cast<int>(after - lines.begin()) - 1);
}

// The last position of a line that the caret shows on: where a line wraps, the position after
// it is the next line's first, so a wrapped line ends one before.
int32_t line_end(const std::vector<Line> &lines, int line) {
    const Line &l = lines[static_cast<size_t>(line)];
    const bool wraps = line + 1 < static_cast<int>(lines.size()) &&
                       lines[static_cast<size_t>(line) + 1].from == l.to;
    return wraps ? l.to - 1 : l.to;
}

// Pixel offset of a position within its line.
int x_of(WINDOW win, const std::string &drawn, const std::vector<Line> &lines, int32_t pos) {
    const int32_t from = lines[static_cast<size_t>(line_of(lines, pos))].from;
    return measure(win, drawn.c_str() + from, pos - from);
}

// The position nearest to a pixel offset within a line.
int32_t pos_at_x(WINDOW win, const std::string &drawn, int32_t from, int32_t to, int x) {
    int32_t best = from;
    int best_gap = std::abs(x);
    // Widths grow with the prefix: once past x, the gap only grows.
    for (int32_t p = from + 1; p <= to; ++p) {
        const int width = measure(win, drawn.c_str() + from, p - from);
        const int gap = std::abs(width - x);
        if (gap < best_gap) {
            best_gap = gap;
            best = p;
        }
        if (width > x)
            break;
    }
    return best;
}

// Scrolls so that the caret is in view, and puts the window's caret there when focused.
void place_caret(WINDOW win, Ui *st, const s_rct &area) {
    const std::string drawn = shown(win);
    const std::vector<Line> lines = lines_of(win, drawn, area);
    const int lh = std::max(1, line_height(win));
    const int width = area.right - area.left - 2 * kPad;
    const int height = area.bottom - area.top - 2 * kPad;
    const int x = x_of(win, drawn, lines, st->caret);
    if (x - st->scroll_x > width - 1)
        st->scroll_x = x - width + 1 + width / 4;
    if (x < st->scroll_x)
        st->scroll_x = std::max(0, x - width / 4);
    if (multiline(win))
        st->scroll_x = 0; // wrapped lines fit the width
    const int line = line_of(lines, st->caret);
    const int rows = std::max(1, height / lh);
    if (line < st->top)
        st->top = line;
    if (line >= st->top + rows)
        st->top = line - rows + 1;
    if (!multiline(win))
        st->top = 0;
    if (has_focus(win)) {
        int top = area.top + kPad + (line - st->top) * lh;
        if (!multiline(win))
            top = area.top + (area.bottom - area.top - lh) / 2;
        vkok_win_set_caret_pos(win,
                               s_pnt{static_cast<int16_t>(top),
                                     static_cast<int16_t>(area.left + kPad + x - st->scroll_x)});
        vkok_win_set_caret_size(win, 1, static_cast<int16_t>(lh));
        vkok_win_set_caret_visible(win, TRUE);
    }
}

// The formatter callbacks a field may have: an edit control's answers the formatted text (null
// to leave it), a list edit's answers it as a pointer-sized value, -1 for an empty text.
using EditFormatter = const char *(*)(const char *, int32_t *, int32_t *, void *);
using ListFormatter = intptr_t (*)(const char *, int32_t *, int32_t *, void *);

// Runs the field's formatter over text with the caret at caret; false when the field has none
// or did not survive it. A formatter that moves the selection places it; one that leaves it
// keeps the caret as far from the end as it was, so that put-in characters go before it.
bool format(WINDOW win, std::string &text, int32_t &anchor, int32_t &caret) {
    if (win->formatter == 0)
        return false;
    int32_t first = caret, last = caret;
    void *data = reinterpret_cast<void *>(win->formatter_data);
    const char *result = nullptr;
    if (win_effective_type(win) == WC_LISTEDIT) {
        const intptr_t answer =
            reinterpret_cast<ListFormatter>(win->formatter)(text.c_str(), &first, &last, data);
        result = answer == -1 ? "" : reinterpret_cast<const char *>(answer);
    } else {
        result = reinterpret_cast<EditFormatter>(win->formatter)(text.c_str(), &first, &last, data);
    }
    if (!win_is_live(win))
        return false;
    if (result == nullptr)
        return true;
    const auto old_len = static_cast<int32_t>(text.size());
    text = result;
    const auto len = static_cast<int32_t>(text.size());
    if (first == caret && last == caret)
        first = last = len - (old_len - caret);
    anchor = std::clamp(first, 0, len);
    caret = std::clamp(last, 0, len);
    return true;
}

// Replaces the selection by text, within the limit; false (and a beep) when nothing can go in.
bool replace_selection(WINDOW win, Ui *st, const std::string &insert, const s_rct &area) {
    if (read_only(win))
        return false;
    std::string add;
    for (char c : insert)
        if (c != '\r' && (c != '\n' || multiline(win)))
            add += c;
    const int32_t first = std::min(st->anchor, st->caret);
    const int32_t last = std::max(st->anchor, st->caret);
    std::string text = text_of(win);
    const int32_t limit = win->internal->ctl_value;
    if (limit > 0) {
        const int64_t room = limit - (static_cast<int64_t>(text.size()) - (last - first));
        if (static_cast<int64_t>(add.size()) > room)
            add.resize(static_cast<size_t>(std::max<int64_t>(0, room)));
    }
    if (add.empty() && first == last)
        return false;
    text.replace(static_cast<size_t>(first), static_cast<size_t>(last - first), add);
    int32_t anchor = first + static_cast<int32_t>(add.size());
    int32_t caret = anchor;
    if (!add.empty() && !format(win, text, anchor, caret) && !win_is_live(win))
        return true;
    if (limit > 0 && text.size() > static_cast<size_t>(limit))
        text.resize(static_cast<size_t>(limit));
    vkov_vobj_set_title(win, text.c_str());
    set_sel(win, st, anchor, caret);
    place_caret(win, st, area);
    notify(win, 0, 0);
    return true;
}

bool is_word(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' ||
           static_cast<unsigned char>(c) >= 0xC0;
}

int32_t word_left(const std::string &t, int32_t pos) {
    while (pos > 0 && !is_word(t[static_cast<size_t>(pos) - 1]))
        --pos;
    while (pos > 0 && is_word(t[static_cast<size_t>(pos) - 1]))
        --pos;
    return pos;
}

int32_t word_right(const std::string &t, int32_t pos) {
    const auto n = static_cast<int32_t>(t.size());
    while (pos < n && is_word(t[static_cast<size_t>(pos)]))
        ++pos;
    while (pos < n && !is_word(t[static_cast<size_t>(pos)]))
        ++pos;
    return pos;
}

void copy_selection(WINDOW win, const Ui &st) {
    const int32_t first = std::min(st.anchor, st.caret);
    const int32_t last = std::max(st.anchor, st.caret);
    if (first == last || password(win) || !vkok_cb_open(TRUE))
        return;
    const auto size = static_cast<uint32_t>(last - first);
    if (auto *buf = static_cast<char *>(vkok_cb_alloc_data(size))) {
        std::memcpy(buf, text_of(win).data() + first, size);
        vkok_cb_put_data(CB_TEXT, nullptr, size, nullptr);
    }
    vkok_cb_close();
}

std::string clipboard_text() {
    std::string text;
    if (!vkok_cb_open(FALSE))
        return text;
    uint32_t size = 0;
    if (vkok_cb_has_format(CB_TEXT, nullptr))
        if (const auto *data = static_cast<const char *>(vkok_cb_get_data(CB_TEXT, nullptr, &size)))
            text.assign(data, strnlen(data, size));
    vkok_cb_close();
    return text;
}

// The position under a point of the field.
int32_t pos_at(WINDOW win, const Ui &st, const s_rct &area, s_pnt where) {
    const std::string drawn = shown(win);
    const std::vector<Line> lines = lines_of(win, drawn, area);
    const int lh = std::max(1, line_height(win));
    int line = multiline(win) ? st.top + (where.v - area.top - kPad) / lh : 0;
    line = std::clamp(line, 0, static_cast<int>(lines.size()) - 1);
    return pos_at_x(win, drawn, lines[static_cast<size_t>(line)].from, line_end(lines, line),
                    where.h - area.left - kPad + st.scroll_x);
}

} // namespace

void field_draw(const Paint &p, WINDOW win, const s_rct &area) noexcept {
    Ui *st = ui(win);
    if (st == nullptr)
        return;
    try {
        sync(win, st);
        // Text the program put in may be shorter than the selection was: the selection stays
        // inside it, and the caret of a focused field moves to where it now is instead of
        // staying where the old text ended.
        const auto len = static_cast<int32_t>(text_of(win).size());
        if (st->anchor > len || st->caret > len) {
            st->anchor = std::min(st->anchor, len);
            st->caret = std::min(st->caret, len);
            vkok_ctl_set_text_sel(win, std::min(st->anchor, st->caret),
                                  std::max(st->anchor, st->caret));
        }
        if (has_focus(win))
            place_caret(win, st, area);
        const std::string drawn = shown(win);
        const std::vector<Line> lines = lines_of(win, drawn, area);
        const int lh = std::max(1, p.line_height());
        cairo_t *cr = p.cr();
        cairo_save(cr);
        cairo_rectangle(cr, area.left, area.top, area.right - area.left, area.bottom - area.top);
        cairo_clip(cr);
        const int32_t first = std::min(st->anchor, st->caret);
        const int32_t last = std::max(st->anchor, st->caret);
        // The selection shows only while the field has the focus, as in the period's fields.
        const bool show_sel = has_focus(win) && first != last;
        const COLOR fore = p.color(VKO_CC_FORE, VKO_COLOR_BLACK);
        for (size_t line = static_cast<size_t>(std::max(st->top, 0)); line < lines.size(); ++line) {
            const int row = static_cast<int>(line) - st->top;
            double top = area.top + kPad + row * lh;
            if (!multiline(win))
                top = area.top + (area.bottom - area.top - lh) / 2;
            if (top >= area.bottom)
                break;
            const int32_t from = lines[line].from;
            const int32_t to = lines[line].to;
            const double x0 = area.left + kPad - st->scroll_x;
            const double base = top + p.ascent();
            const char *s = drawn.c_str() + from;
            if (!p.enabled()) {
                p.greyed_text(x0, base, s, to - from);
                continue;
            }
            p.text(x0, base, s, to - from, fore);
            const int32_t a = std::max(first, from), b = std::min(last, to);
            if (show_sel && a < b) {
                const double xa = x0 + p.text_width(s, a - from);
                const double xb = x0 + p.text_width(s, b - from);
                p.fill(xa, top, xb - xa, lh, kSelectBack);
                p.text(xa, base, drawn.c_str() + a, b - a, kSelectFore);
            }
        }
        cairo_restore(cr);
    } catch (...) {
    }
}

bool field_mouse(WINDOW win, const EVENT &event, const s_rct &area) noexcept {
    Ui *st = ui(win);
    if (st == nullptr)
        return false;
    try {
        sync(win, st);
        const s_pnt where = event.v.mouse.where;
        switch (event.type) {
        case E_MOUSE_DOWN: {
            if (event.v.mouse.button != 0)
                return false;
            const bool had_focus = has_focus(win);
            focus_on_click(win);
            if (!win_is_live(win))
                return true;
            const int32_t at = pos_at(win, *st, area, where);
            st->pressed = true;
            // A click that brings the focus places the caret; Shift extends the selection.
            set_sel(win, st, event.v.mouse.shift != FALSE && had_focus ? st->anchor : at, at);
            place_caret(win, st, area);
            return true;
        }
        case E_MOUSE_DBL: {
            // A double click selects the word under the pointer.
            const std::string &t = text_of(win);
            int32_t at = pos_at(win, *st, area, where);
            int32_t from = at, to = at;
            while (from > 0 && is_word(t[static_cast<size_t>(from) - 1]))
                --from;
            while (to < static_cast<int32_t>(t.size()) && is_word(t[static_cast<size_t>(to)]))
                ++to;
            st->pressed = true;
            set_sel(win, st, from, to);
            place_caret(win, st, area);
            return true;
        }
        case E_MOUSE_MOVE:
            if (st->pressed) {
                set_sel(win, st, st->anchor, pos_at(win, *st, area, where));
                place_caret(win, st, area);
            }
            return true;
        case E_MOUSE_UP:
            st->pressed = false;
            return true;
        default:
            return false;
        }
    } catch (...) {
        return false;
    }
}

bool field_key(WINDOW win, const s_char &key, const s_rct &area) noexcept {
    Ui *st = ui(win);
    if (st == nullptr)
        return false;
    try {
        sync(win, st);
        const std::string &t = text_of(win);
        const auto len = static_cast<int32_t>(t.size());
        const bool shift = key.shift != 0;
        const int32_t first = std::min(st->anchor, st->caret);
        const int32_t last = std::max(st->anchor, st->caret);
        // Moves the caret, extending the selection with Shift.
        auto move = [&](int32_t to) {
            set_sel(win, st, shift ? st->anchor : to, to);
            place_caret(win, st, area);
            return true;
        };
        if (key.virt != 0) {
            const std::string drawn = shown(win);
            const std::vector<Line> lines = lines_of(win, drawn, area);
            const int line = line_of(lines, st->caret);
            switch (key.ch) {
            case VKO_KEY_LEFT:
                return move(!shift && first != last ? first : std::max(0, st->caret - 1));
            case VKO_KEY_RIGHT:
                return move(!shift && first != last ? last : std::min(len, st->caret + 1));
            case VKO_KEY_WORD_LEFT:
                return move(word_left(t, st->caret));
            case VKO_KEY_WORD_RIGHT:
                return move(word_right(t, st->caret));
            case VKO_KEY_LINE_START:
                return move(lines[static_cast<size_t>(line)].from);
            case VKO_KEY_LINE_END:
                return move(line_end(lines, line));
            case VKO_KEY_TEXT_START:
                return move(0);
            case VKO_KEY_TEXT_END:
                return move(len);
            case VKO_KEY_UP:
            case VKO_KEY_DOWN: {
                if (!multiline(win))
                    return false;
                const int to_line = line + (key.ch == VKO_KEY_UP ? -1 : 1);
                if (to_line < 0 || to_line >= static_cast<int>(lines.size()))
                    return true;
                return move(pos_at_x(win, drawn, lines[static_cast<size_t>(to_line)].from,
                                     line_end(lines, to_line), x_of(win, drawn, lines, st->caret)));
            }
            case VKO_KEY_DELETE:
                if (first == last && st->caret < len)
                    set_sel(win, st, st->caret, st->caret + 1);
                replace_selection(win, st, std::string(), area);
                return true;
            default:
                return false;
            }
        }
        const bool control = key.control != 0;
        const uint16_t ch = key.ch;
        auto is_ctrl = [&](char letter) {
            return ch == static_cast<uint16_t>(letter - 'a' + 1) ||
                   (control && std::tolower(ch) == letter);
        };
        if (is_ctrl('a')) {
            set_sel(win, st, 0, len);
            place_caret(win, st, area);
            return true;
        }
        if (is_ctrl('c')) {
            copy_selection(win, *st);
            return true;
        }
        if (is_ctrl('x')) {
            copy_selection(win, *st);
            if (!password(win))
                replace_selection(win, st, std::string(), area);
            return true;
        }
        if (is_ctrl('v')) {
            replace_selection(win, st, clipboard_text(), area);
            return true;
        }
        if (ch == 8) {
            if (first == last && st->caret > 0)
                set_sel(win, st, st->caret - 1, st->caret);
            replace_selection(win, st, std::string(), area);
            return true;
        }
        if (ch == 13 && multiline(win)) {
            replace_selection(win, st, "\n", area);
            return true;
        }
        // Alt with a character is a hot key for the window, never typed.
        const bool alt = (key.modifiers & 8) != 0;
        if (ch >= 32 && ch <= 255 && ch != 127 && !control && !alt) {
            replace_selection(win, st, std::string(1, static_cast<char>(ch)), area);
            return true;
        }
        return false;
    } catch (...) {
        return false;
    }
}

void field_focus(WINDOW win, bool active, const s_rct &area) noexcept {
    Ui *st = ui(win);
    if (st == nullptr)
        return;
    try {
        sync(win, st);
        if (active)
            place_caret(win, st, area);
        else
            vkok_win_set_caret_visible(win, FALSE);
    } catch (...) {
    }
    s_ctlinfo info{};
    info.v.edit.focus_change = 1;
    info.v.edit.active = active ? 1 : 0;
    notify(win, info.v.words.data1, info.v.words.data2);
}

void field_replace(WINDOW win, const char *text, const s_rct &area) noexcept {
    Ui *st = ui(win);
    if (st == nullptr || text == nullptr)
        return;
    try {
        vkov_vobj_set_title(win, text);
        st->scroll_x = 0;
        set_sel(win, st, 0, static_cast<int32_t>(text_of(win).size()));
        place_caret(win, st, area);
    } catch (...) {
    }
    notify(win, 0, 0);
}

std::int32_t edit_event(WINDOW win, EVENT *event) noexcept {
    const s_rct client = win_client_rect(win);
    // The text lies inside the sunken frame.
    const s_rct area{2, 2, static_cast<int16_t>(client.bottom - 2),
                     static_cast<int16_t>(client.right - 2)};
    switch (event->type) {
    case E_UPDATE: {
        Paint p(win, multiline(win) ? "edit_multiline" : "edit");
        if (!p.ok())
            return 1;
        const bool plain = p.enabled() && !read_only(win);
        p.fill(0, 0, p.width(), p.height(), plain ? p.color(VKO_CC_BACK, VKO_COLOR_WHITE) : kFace);
        p.bevel(0, 0, p.width(), p.height(), false);
        field_draw(p, win, area);
        return 1;
    }
    case E_FOCUS:
        field_focus(win, event->v.focus.active != FALSE, area);
        return 1;
    case E_MOUSE_DOWN:
    case E_MOUSE_DBL:
    case E_MOUSE_MOVE:
    case E_MOUSE_UP:
        return field_mouse(win, *event, area) ? 1 : 0;
    case E_CHAR:
        return field_key(win, event->v.chr, area) ? 1 : 0;
    default:
        return 0;
    }
}

} // namespace vkobase::ctl
