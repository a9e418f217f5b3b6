// vtxc_event.cpp: the engine's event handler (vkovo_tx_process_event), activation and focus,
// mouse selection by characters and words, and the edit menu's enabling. A window's events reach
// it from the caller (object mode) or from the text-edit window's hook (window mode); it always
// gives the drawing state back before returning.
#include "tx_internal.h"

#include <algorithm>

#include "vkobase/cb.h"
#include "vkobase/dwin.h"
#include "vkobase/menu.h"
#include "vkobase/scr.h"
#include "vkobase/str.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace vkotx {
namespace {

constexpr std::int16_t kTagCut = 32027;
constexpr std::int16_t kTagCopy = 32028;
constexpr std::int16_t kTagPaste = 32029;
constexpr std::int16_t kTagClear = 32030;

e_win_type type_of(WINDOW win) {
    return (win->flags & VKO_WF_TEXTEDIT) != 0 ? WC_TEXTEDIT : win->type;
}

bool is_control(WINDOW win) {
    const e_win_type type = type_of(win);
    return (type >= WC_PUSHBUTTON && type <= WC_GROUPBOX) || type == WC_ICON;
}

bool is_self_or_ancestor(WINDOW ancestor, WINDOW win) {
    for (; win != nullptr; win = win->parent)
        if (win == ancestor)
            return true;
    return false;
}

// The text edit that a menu command sent to win is meant for, or 0.
std::uint32_t command_target(WINDOW win) {
    WINDOW focus = vkok_scr_get_focus_vobj();
    if (focus == nullptr)
        return 0;
    if (is_control(focus))
        focus = focus->parent;
    const std::uint32_t slot = tx_active_slot(focus);
    const tx_slot *entry = tx_slot_entry(slot);
    if (entry == nullptr || entry->record == nullptr)
        return 0;
    const tx_record *rec = entry->record.get();
    if ((rec->state & kStateSelHidden) != 0 || !is_self_or_ancestor(win, rec->win))
        return 0;
    return slot;
}

void mouse_down(tx_record *rec, const EVENT *event, bool dbl) {
    tx_module_state &state = tx_state();
    const std::uint16_t ro_nocopy = kAttrReadOnly | kAttrNoCopy;
    if ((rec->attrs & ro_nocopy) == ro_nocopy)
        return;
    state.tracking_slot = rec->slot;
    const tx_position pos = tx_point_to_position(rec, event->v.mouse.where);
    state.tracking_pos = pos;
    if (event->v.mouse.shift == 0) {
        rec->state &= static_cast<std::uint16_t>(~kStateSelHidden);
        rec->anchor = pos;
        rec->end = pos;
        if (dbl) {
            rec->state |= kStateWordSel;
            tx_select_word(rec, pos, false);
        }
        tx_set_highlight(rec, true);
    } else if (dbl) {
        rec->state |= kStateWordSel;
        tx_select_word(rec, pos, true);
    } else {
        tx_extend_selection(rec, pos, true);
    }
    vkok_win_trap_pointer(rec->win);
    tx_hide_caret(rec);
}

bool handle_event(WINDOW win, EVENT *event) {
    tx_module_state &state = tx_state();
    switch (event->type) {
    case E_DESTROY:
        for (std::uint32_t slot = 1; slot < state.slots.size(); ++slot)
            if (state.slots[slot].win == win)
                tx_free_slot(slot);
        return false;
    case E_FOCUS: {
        const std::uint32_t slot = tx_active_slot(win);
        if (slot == 0)
            return false;
        TxLock rec(slot, __LINE__);
        if (!rec)
            return false;
        tx_focus(rec.get(), event->v.focus.active != 0);
        if (event->v.focus.active != 0)
            tx_update_edit_menu(win, rec.get(), true);
        return false;
    }
    case E_UPDATE:
        for (std::uint32_t slot = 1; slot < state.slots.size(); ++slot) {
            if (state.slots[slot].win != win ||
                !vkok_dwin_is_update_needed(win, &state.slots[slot].outer))
                continue;
            TxLock rec(slot, __LINE__);
            if (rec)
                tx_draw(rec.get(), true);
        }
        return false;
    case E_MOUSE_DOWN:
    case E_MOUSE_DBL: {
        const std::uint32_t slot = tx_slot_at(win, event->v.mouse.where);
        if (slot == 0) {
            state.tracking_slot = 0;
            return false;
        }
        tx_activate(win, slot, true);
        TxLock rec(slot, __LINE__);
        if (rec)
            mouse_down(rec.get(), event, event->type == E_MOUSE_DBL);
        return true;
    }
    case E_MOUSE_UP: {
        const std::uint32_t slot = state.tracking_slot;
        if (slot == 0)
            return false;
        TxLock rec(slot, __LINE__);
        if (rec) {
            tx_show_caret(rec.get(), true);
            rec->state &= static_cast<std::uint16_t>(~kStateWordSel);
        }
        tx_state().tracking_slot = 0;
        vkok_win_release_pointer();
        return true;
    }
    case E_MOUSE_MOVE: {
        const std::uint32_t slot = state.tracking_slot;
        if (slot == 0)
            return false;
        TxLock rec(slot, __LINE__);
        if (!rec)
            return true;
        s_pnt where = event->v.mouse.where;
        tx_autoscroll(rec.get(), where, 0, 0);
        const tx_position pos = tx_point_to_position(rec.get(), where);
        tx_state().tracking_pos = pos;
        if ((rec->state & kStateWordSel) != 0)
            tx_select_word(rec.get(), pos, true);
        else
            tx_extend_selection(rec.get(), pos, false);
        return true;
    }
    case E_CHAR: {
        const std::uint32_t slot = tx_active_slot(win);
        if (slot == 0)
            return false;
        TxLock rec(slot, __LINE__);
        if (rec) {
            tx_hide_caret(rec.get());
            tx_key(rec.get(), event->v.chr.ch, event->v.chr.shift != 0, event->v.chr.virt != 0);
            if (tx_record_alive(slot, rec.get())) // the parent may destroy it when told
                tx_show_caret(rec.get(), true);
        }
        return true;
    }
    case E_COMMAND: {
        const std::int16_t tag = event->v.cmd.tag;
        if (tag < kTagCut || tag > kTagClear)
            return false;
        const std::uint32_t slot = command_target(win);
        if (slot == 0)
            return false;
        TxLock rec(slot, __LINE__);
        if (!rec)
            return true;
        tx_flush_updates(rec.get());
        tx_hide_caret(rec.get());
        if (tag == kTagCut)
            tx_cut(rec.get());
        else if (tag == kTagCopy)
            tx_copy(rec.get());
        else if (tag == kTagPaste)
            tx_paste(rec.get());
        else
            tx_clear_command(rec.get());
        return true;
    }
    default:
        return false;
    }
}

} // namespace

tx_position tx_point_to_position(tx_record *rec, s_pnt point) {
    tx_position pos;
    if (rec->pars.empty() || rec->line_height == 0)
        return pos;
    const std::int32_t dy = point.v - rec->view.top;
    const std::int32_t h = rec->line_height;
    const std::int32_t line_off = dy >= 0 ? dy / h : -((-dy + h - 1) / h);
    const std::int32_t origin_abs = tx_lines_between(rec, 0, 0, rec->origin_par, rec->origin_line);
    const std::int32_t total = rec->line_count;
    std::int32_t abs_line = origin_abs + line_off;
    const bool below = abs_line > total - 1;
    abs_line = std::clamp(abs_line, 0, std::max(0, total - 1));
    const std::int32_t x = std::clamp<std::int32_t>(point.h, rec->view.left, rec->view.right);
    pos.px = static_cast<std::uint16_t>(std::max(0, x - rec->view.left + rec->hor_origin));
    if (below) {
        pos.par = static_cast<std::uint16_t>(rec->par_count() - 1);
        pos.line = static_cast<std::uint16_t>(rec->pars[pos.par].line_starts.size() - 1);
        pos.px = kEnd;
    } else {
        std::uint16_t par = 0;
        std::uint16_t line = 0;
        tx_line_step(rec, par, line, abs_line);
        pos.par = par;
        pos.line = line;
    }
    tx_nearest_char(rec, pos);
    return pos;
}

void tx_extend_selection(tx_record *rec, const tx_position &pos, bool from_click) {
    if (rec->pars.empty())
        return;
    rec->state &= static_cast<std::uint16_t>(~kStateSelHidden);
    if (from_click) {
        tx_position start = rec->anchor;
        tx_position stop = rec->end;
        tx_order(start, stop);
        rec->anchor = tx_compare(pos, start) >= 0 ? start : stop;
    }
    rec->end = pos;
    tx_set_highlight(rec, true);
}

void tx_select_word(tx_record *rec, const tx_position &pos, bool extend) {
    if (pos.par >= rec->pars.size())
        return;
    const tx_paragraph &p = rec->pars[pos.par];
    const std::uint32_t line_start =
        p.line_starts[std::min<std::size_t>(pos.line, p.line_starts.size() - 1)];
    const std::uint32_t offset =
        line_start + static_cast<std::uint32_t>(std::max(
                         0, vkov_str_get_n_char_size(p.text.c_str() + line_start, pos.chr)));
    const char *base = p.text.c_str();
    const char *from = base;
    std::int32_t len = 0;
    const char *word = nullptr;
    while ((word = vkov_str_find_token(from, " \t", &len)) != nullptr) {
        const auto start = static_cast<std::uint32_t>(word - base);
        if (start + static_cast<std::uint32_t>(len) > offset) {
            if (start > offset)
                return; // the position lies between words
            break;
        }
        from = word + len;
    }
    if (word == nullptr)
        return;
    const auto word_off = static_cast<std::uint32_t>(word - base);
    const tx_position word_start = tx_position_at(rec, pos.par, word_off);
    const tx_position word_end =
        tx_position_at(rec, pos.par, word_off + static_cast<std::uint32_t>(len));
    tx_position start = rec->anchor;
    tx_position stop = rec->end;
    tx_order(start, stop);
    if (tx_compare(word_start, start) < 0)
        rec->anchor = tx_compare(word_end, stop) < 0 ? stop : word_start;
    else if (extend || tx_compare(word_start, stop) >= 0)
        rec->anchor = start;
    rec->end = tx_compare(word_start, rec->anchor) < 0 ? word_start : word_end;
    rec->state &= static_cast<std::uint16_t>(~kStateSelHidden);
    tx_set_highlight(rec, true);
}

void tx_activate(WINDOW win, std::uint32_t slot, bool by_mouse) {
    tx_module_state &state = tx_state();
    if (tx_active_slot(win) == slot) {
        tx_update_edit_menu(win, nullptr, false);
        return;
    }
    for (std::uint32_t s = 1; s < state.slots.size(); ++s) {
        if (state.slots[s].win != win)
            continue;
        const bool active = (state.slots[s].flags & kSlotActive) != 0;
        const bool becomes_active = s == slot;
        if (active == becomes_active)
            continue;
        {
            TxLock rec(s, __LINE__);
            if (rec) {
                if (becomes_active && by_mouse)
                    rec->state |= kStateSelHidden;
                else if ((rec->state & kStateSelHidden) != 0)
                    rec->state &= static_cast<std::uint16_t>(~kStateSelHidden);
                else
                    tx_set_highlight(rec.get(), becomes_active);
            }
        }
        tx_slot &entry = tx_state().slots[s];
        entry.flags = becomes_active ? (entry.flags | kSlotActive) : (entry.flags & ~kSlotActive);
    }
    tx_update_edit_menu(win, nullptr, true);
}

void tx_focus(tx_record *rec, bool gained) {
    const bool hidden = (rec->state & kStateSelHidden) != 0;
    if (gained && hidden) {
        rec->state &= static_cast<std::uint16_t>(~kStateSelHidden);
        tx_set_highlight(rec, true);
    } else if (!gained && !hidden) {
        tx_set_highlight(rec, false);
        rec->state |= kStateSelHidden;
    }
}

void tx_update_edit_menu(WINDOW win, tx_record *rec, bool include_paste) {
    if (rec == nullptr) {
        const std::uint32_t slot = tx_active_slot(win);
        if (slot == 0)
            return;
        TxLock active(slot, __LINE__);
        if (active)
            tx_update_edit_menu(win, active.get(), include_paste);
        return;
    }
    if ((rec->attrs & kAttrNoMenu) != 0)
        return;
    WINDOW top = tx_top_level_of(rec->owner);
    if (top == nullptr)
        return;
    const bool writable = (rec->attrs & kAttrReadOnly) == 0;
    const bool has_sel = !tx_sel_empty(rec);
    if (include_paste)
        vkok_menu_set_item_enabled(top, kTagPaste,
                                   writable && (rec->attrs & kAttrNoPaste) == 0 &&
                                       vkok_cb_has_format(CB_TEXT, nullptr));
    vkok_menu_set_item_enabled(top, kTagCopy, has_sel && (rec->attrs & kAttrNoCopy) == 0);
    vkok_menu_set_item_enabled(top, kTagCut, writable && has_sel && (rec->attrs & kAttrNoCut) == 0);
    vkok_menu_set_item_enabled(top, kTagClear,
                               writable && ((rec->attrs & kAttrClearEmpty) != 0 || has_sel));
}

WINDOW tx_top_level_of(WINDOW win) {
    const auto screen = reinterpret_cast<WINDOW>(vkok_vobj_get_attr(nullptr, kAttrScreenWindow));
    const auto task = reinterpret_cast<WINDOW>(vkok_vobj_get_attr(nullptr, kAttrTaskWindow));
    while (win != nullptr && win->parent != nullptr && win->parent != screen && win->parent != task)
        win = win->parent;
    return win;
}

} // namespace vkotx

extern "C" VKOTEXT_API BOOLEAN vkovo_tx_process_event(WINDOW win, EVENT *event) noexcept {
    using namespace vkotx;
    if (tx_state().slots.empty() || event == nullptr)
        return FALSE;
    const bool consumed = handle_event(win, event);
    tx_restore_drawing();
    return consumed ? TRUE : FALSE;
}
