// vtxm_edit.cpp: editing by keys and by the edit menu: typing and overtype, Backspace, Delete and
// Return, the navigation keys, word and character moves, and Cut, Copy, Paste and Clear through
// the clipboard (paragraphs separated by "\r\n"). Reports as part of the text model ("vtxm").
#include "tx_internal.h"

#include <algorithm>
#include <string>

#include "vkobase/cb.h"
#include "vkobase/str.h"

namespace vkotx {
namespace {

constexpr char kModule[] = "vtxm";

constexpr std::uint16_t kCharDelete = 127;
constexpr std::uint32_t kPasteSuspendBytes = 1000;

bool is_navigation(std::uint16_t key) {
    return (key >= VKO_KEY_UP && key <= VKO_KEY_TEXT_END) || key == VKO_KEY_WORD_LEFT ||
           key == VKO_KEY_WORD_RIGHT;
}

std::uint16_t lines_of(const tx_record *rec, std::uint16_t par) {
    return static_cast<std::uint16_t>(rec->pars[par].line_starts.size());
}

bool step_left(tx_record *rec, tx_position &pos) {
    if (pos.chr > 0) {
        --pos.chr;
    } else if (pos.line > 0) {
        --pos.line;
        const std::uint16_t n = tx_line_chars(rec, pos.par, pos.line);
        pos.chr = static_cast<std::uint16_t>(n > 0 ? n - 1 : 0);
    } else if (pos.par > 0) {
        --pos.par;
        pos.line = static_cast<std::uint16_t>(lines_of(rec, pos.par) - 1);
        pos.chr = tx_line_chars(rec, pos.par, pos.line);
    } else {
        return false;
    }
    tx_set_px(rec, pos);
    return true;
}

bool step_right(tx_record *rec, tx_position &pos) {
    const std::uint16_t n = tx_line_chars(rec, pos.par, pos.line);
    const bool last_line = pos.line + 1 >= lines_of(rec, pos.par);
    if (!last_line && pos.chr + 1 >= n) { // the end of a wrapped line is the next one's start
        const bool from_end = pos.chr >= n;
        ++pos.line;
        pos.chr = from_end && tx_line_chars(rec, pos.par, pos.line) > 0 ? 1 : 0;
    } else if (pos.chr < n) {
        ++pos.chr;
    } else if (pos.par + 1 < rec->par_count()) {
        ++pos.par;
        pos.line = 0;
        pos.chr = 0;
    } else {
        return false;
    }
    tx_set_px(rec, pos);
    return true;
}

// A position at or beyond its line's end counts as a space.
bool is_space_at(const tx_record *rec, const tx_position &pos) {
    std::uint32_t len = 0;
    const char *text = tx_line_text(rec, pos.par, pos.line, &len);
    if (text == nullptr)
        return true;
    const std::int32_t offset = vkov_str_get_n_char_size(text, pos.chr);
    if (offset < 0 || static_cast<std::uint32_t>(offset) >= len)
        return true;
    return text[offset] == ' ' || text[offset] == '\t';
}

void step_lines(tx_record *rec, tx_position &pos, std::int32_t lines) {
    const std::int32_t dir = lines < 0 ? -1 : 1;
    for (std::int32_t i = 0; i != lines; i += dir) {
        std::uint16_t par = pos.par;
        std::uint16_t line = pos.line;
        if (!tx_line_step(rec, par, line, dir))
            break;
        pos.par = par;
        pos.line = line;
    }
    tx_nearest_char(rec, pos);
}

// Moves the end one character (Backspace: left, Delete: right) and deletes what lies between.
bool delete_one(tx_record *rec, bool backwards) {
    if ((rec->state & kStateSelHidden) != 0)
        tx_report(3, kErrHiddenDelete, kModule, __LINE__);
    rec->state |= kStateSelHidden;
    tx_position pos = rec->end;
    const bool moved = backwards ? step_left(rec, pos) : step_right(rec, pos);
    bool deleted = false;
    if (moved) {
        rec->end = pos;
        deleted = !tx_sel_empty(rec) && tx_delete_selection(rec);
    }
    rec->state &= static_cast<std::uint16_t>(~kStateSelHidden);
    return deleted;
}

// Overtype: the typed character replaces the one after the caret; at the paragraph's end it is
// inserted (and then the limit counts).
bool overtype(tx_record *rec, const char *mb, std::uint32_t len, tx_position &pos) {
    tx_position next = pos;
    const std::uint16_t n = tx_line_chars(rec, pos.par, pos.line);
    const bool at_par_end = pos.line + 1 >= lines_of(rec, pos.par) && pos.chr >= n;
    if (at_par_end || !step_right(rec, next) || next.par != pos.par)
        return tx_insert(rec, mb, len, pos);
    const std::uint16_t limit = rec->limit;
    rec->limit = 0; // a replacement is never stopped by the limit
    tx_position saved_anchor = rec->anchor;
    const bool replaced =
        tx_delete_in_paragraph(rec, pos.par, pos.line, pos.chr, next.line, next.chr) &&
        tx_insert(rec, mb, len, pos);
    rec->limit = limit;
    rec->anchor = saved_anchor;
    return replaced;
}

bool type_char(tx_record *rec, std::uint16_t code, bool had_selection) {
    tx_hide_caret(rec);
    char mb[4] = {};
    const std::int32_t len = vkok_str_convert_wc_to_mb(mb, code);
    if (len <= 0)
        return false;
    tx_position pos = rec->anchor;
    const bool done = (rec->attrs & kAttrOvertype) != 0 && !had_selection
                          ? overtype(rec, mb, static_cast<std::uint32_t>(len), pos)
                          : tx_insert(rec, mb, static_cast<std::uint32_t>(len), pos);
    if (!done)
        return false;
    rec->anchor = pos;
    rec->end = pos;
    if (pos.chr != 0) {
        tx_set_px(rec, rec->anchor);
        tx_make_visible(rec, rec->anchor);
    }
    return true;
}

// The ordered selection as clipboard text: "\r\n" between paragraphs, none after the last.
std::string selected_text(const tx_record *rec) {
    tx_position start = rec->anchor;
    tx_position stop = rec->end;
    tx_order(start, stop);
    std::string out;
    for (std::uint16_t par = start.par; par <= stop.par && par < rec->par_count(); ++par) {
        const tx_paragraph &p = rec->pars[par];
        std::uint32_t from = 0;
        std::uint32_t to = static_cast<std::uint32_t>(p.text.size());
        auto offset = [&p](const tx_position &pos) {
            const std::uint16_t line = std::min<std::uint16_t>(
                pos.line, static_cast<std::uint16_t>(p.line_starts.size() - 1));
            const std::uint32_t s = p.line_starts[line];
            if (pos.chr == kEnd)
                return line + 1u < p.line_starts.size() ? p.line_starts[line + 1]
                                                        : static_cast<std::uint32_t>(p.text.size());
            return std::min<std::uint32_t>(
                s + static_cast<std::uint32_t>(
                        std::max(0, vkov_str_get_n_char_size(p.text.c_str() + s, pos.chr))),
                static_cast<std::uint32_t>(p.text.size()));
        };
        if (par == start.par)
            from = offset(start);
        if (par == stop.par)
            to = offset(stop);
        if (to > from)
            out.append(p.text, from, to - from);
        if (par != stop.par)
            out += "\r\n";
    }
    return out;
}

} // namespace

void tx_navigate(tx_record *rec, std::uint16_t key, bool shift) {
    if (rec->pars.empty())
        return;
    if (!shift && !tx_sel_empty(rec)) {
        tx_set_highlight(rec, false);
        rec->anchor = rec->end;
    }
    tx_position pos = rec->end;
    tx_clamp_position(rec, pos);
    const tx_position before = pos;
    switch (key) {
    case VKO_KEY_UP:
        step_lines(rec, pos, -1);
        break;
    case VKO_KEY_DOWN:
        step_lines(rec, pos, 1);
        break;
    case VKO_KEY_PAGE_UP:
        step_lines(rec, pos, -(tx_visible_lines(rec) - 1));
        break;
    case VKO_KEY_PAGE_DOWN:
        step_lines(rec, pos, tx_visible_lines(rec) - 1);
        break;
    case VKO_KEY_LEFT:
        step_left(rec, pos);
        break;
    case VKO_KEY_RIGHT:
        step_right(rec, pos);
        break;
    case VKO_KEY_LINE_START:
        pos.chr = 0;
        pos.px = 0;
        break;
    case VKO_KEY_LINE_END:
        pos.chr = tx_line_chars(rec, pos.par, pos.line);
        tx_set_px(rec, pos);
        break;
    case VKO_KEY_TEXT_START:
        pos = tx_position{};
        break;
    case VKO_KEY_TEXT_END:
        pos.par = static_cast<std::uint16_t>(rec->par_count() - 1);
        pos.line = static_cast<std::uint16_t>(lines_of(rec, pos.par) - 1);
        pos.chr = tx_line_chars(rec, pos.par, pos.line);
        tx_set_px(rec, pos);
        break;
    case VKO_KEY_WORD_LEFT:
        if (step_left(rec, pos)) {
            while (is_space_at(rec, pos) && step_left(rec, pos)) {
            }
            while (!is_space_at(rec, pos) && step_left(rec, pos)) {
            }
            if (is_space_at(rec, pos))
                step_right(rec, pos);
        }
        break;
    case VKO_KEY_WORD_RIGHT:
        while (!is_space_at(rec, pos) && step_right(rec, pos)) {
        }
        while (is_space_at(rec, pos) && step_right(rec, pos)) {
        }
        break;
    default:
        return;
    }
    if (tx_compare(pos, before) != 0 || pos.px != before.px) {
        tx_make_visible(rec, pos);
        if (shift) {
            tx_hide_caret(rec);
            tx_extend_selection(rec, pos, false);
        } else {
            rec->anchor = pos;
            rec->end = pos;
        }
    }
    tx_show_caret(rec, false);
}

bool tx_key(tx_record *rec, std::uint16_t code, bool shift, bool virt) {
    if (virt) {
        if (is_navigation(code)) {
            tx_navigate(rec, code, shift);
            return true;
        }
        if (code >= VKO_KEY_PAD_LEFT && code <= VKO_KEY_PAD_DOWN) {
            static constexpr std::uint16_t kPadMoves[] = {VKO_KEY_LEFT, VKO_KEY_RIGHT, VKO_KEY_UP,
                                                          VKO_KEY_DOWN};
            tx_navigate(rec, kPadMoves[code - VKO_KEY_PAD_LEFT], false);
            return true;
        }
        if (code == VKO_KEY_DELETE) {
            code = kCharDelete;
        } else if (code >= VKO_KEY_PAD_0 && code <= VKO_KEY_PAD_9) {
            code = static_cast<std::uint16_t>('0' + (code - VKO_KEY_PAD_0));
            virt = false;
        } else if (code >= VKO_KEY_PAD_MULTIPLY && code <= VKO_KEY_PAD_DECIMAL) {
            static constexpr char kPadChars[] = "*-+/.";
            code = static_cast<std::uint16_t>(kPadChars[code - VKO_KEY_PAD_MULTIPLY]);
            virt = false;
        } else {
            return false;
        }
    }
    const bool is_return = !virt && (code == 13 || code == 10);
    if (is_return && (rec->attrs & kAttrOnePar) != 0)
        return false;
    if ((rec->attrs & kAttrReadOnly) != 0)
        return false;
    const bool had_selection = !tx_sel_empty(rec);
    if (had_selection && !tx_delete_selection(rec))
        return false;
    const std::uint16_t par = rec->anchor.par;
    if (par > rec->par_count()) {
        tx_report(2, kErrIndexRange, kModule, __LINE__);
        return false;
    }
    if (par == rec->par_count()) {
        if (!tx_add_paragraph(rec, par, ""))
            return false;
        rec->anchor = tx_position{par, 0, 0, 0};
        rec->end = rec->anchor;
    }
    bool changed = had_selection;
    if (!virt) {
        if (code == 8) {
            if (!had_selection)
                changed = delete_one(rec, true) || changed;
        } else if (is_return) {
            changed = tx_split_paragraph(rec, rec->anchor) || changed;
        } else {
            changed = type_char(rec, code, had_selection) || changed;
        }
    } else if (code == kCharDelete && !had_selection) {
        changed = delete_one(rec, false) || changed;
    }
    rec->end = rec->anchor;
    if (changed && !tx_object_mode())
        tx_notify_parent(rec, 0, 0);
    return true;
}

void tx_copy(tx_record *rec) {
    if ((rec->attrs & kAttrNoCopy) != 0 || tx_sel_empty(rec) || !vkok_cb_open(TRUE))
        return;
    const std::string text = selected_text(rec);
    auto *data =
        static_cast<char *>(vkok_cb_alloc_data(static_cast<std::uint32_t>(text.size() + 1)));
    if (data != nullptr) {
        text.copy(data, text.size());
        vkok_cb_put_data(CB_TEXT, nullptr, static_cast<std::uint32_t>(text.size()), nullptr);
        vkok_cb_free_data();
    }
    vkok_cb_close();
    tx_update_edit_menu(rec->owner, rec, true);
}

void tx_cut(tx_record *rec) {
    if ((rec->attrs & (kAttrReadOnly | kAttrNoCut)) != 0 || tx_sel_empty(rec))
        return;
    tx_copy(rec);
    tx_delete_selection(rec);
    tx_show_caret(rec, true);
    if (!tx_object_mode())
        tx_notify_parent(rec, 0, 0);
}

void tx_paste(tx_record *rec) {
    if ((rec->attrs & (kAttrReadOnly | kAttrNoPaste)) != 0 || !vkok_cb_open(FALSE))
        return;
    std::uint32_t size = 0;
    const char *data = static_cast<const char *>(vkok_cb_get_data(CB_TEXT, nullptr, &size));
    if (data == nullptr || (rec->pars.empty() && !tx_add_paragraph(rec, 0, ""))) {
        vkok_cb_close();
        return;
    }
    const std::string text(data, size); // the clipboard's copy goes with the next call
    bool suspended_here = false;
    if (size > kPasteSuspendBytes && (rec->state & kStateSuspended) == 0) {
        tx_suspend(rec);
        suspended_here = true;
    }
    if (!tx_delete_selection(rec)) { // the pasted text replaces the selection or nothing
        if (suspended_here)
            tx_resume(rec);
        vkok_cb_close();
        return;
    }
    std::int32_t len = 0;
    std::int32_t kind = VKO_EOL_NONE;
    for (const char *line = vkov_str_find_eol(text.c_str(), &len, &kind); line != nullptr;
         line = vkov_str_find_eol(nullptr, &len, &kind)) {
        // A line the paragraph cannot take (its character limit is reached, or its block would
        // grow too large) is left out; the lines after it still go into their own paragraphs.
        if (len > 0)
            tx_insert(rec, line, static_cast<std::uint32_t>(len), rec->anchor);
        rec->end = rec->anchor;
        if (kind != VKO_EOL_NONE && (rec->attrs & kAttrOnePar) == 0) {
            if (!tx_split_paragraph(rec, rec->anchor))
                break;
            rec->end = rec->anchor;
        }
    }
    if (suspended_here)
        tx_resume(rec);
    vkok_cb_close();
    tx_show_caret(rec, true);
    if (!tx_object_mode())
        tx_notify_parent(rec, 0, 0);
}

void tx_clear_command(tx_record *rec) {
    const std::uint32_t slot = rec->slot;
    tx_key(rec, VKO_KEY_DELETE, false, true);
    if (tx_record_alive(slot, rec)) // the parent may destroy it when told
        tx_show_caret(rec, true);
}

} // namespace vkotx
