// vtxo.cpp: the engine's exports. Each one reads the mode, turns a window-mode handle (the
// text-edit window) into its slot, runs the record-level work inside the lock frame and gives
// the caller's drawing state back before it returns. A handle without a record is reported
// (0x1740001, "vtxo") and the export answers its neutral value. vkov_tx_reset_colors and
// vkov_tx_win_set_font live with the text-edit windows (vtxw).
#include "tx_internal.h"

#include <algorithm>

#include "vkobase/dwin.h"
#include "vkobase/font.h"
#include "vkobase/mem.h"
#include "vkobase/rect.h"
#include "vkobase/scr.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace vkotx {
namespace {

constexpr std::int32_t kFontAllParts = 63;
constexpr std::uint16_t kAttrRelayout = kAttrBorder;
constexpr std::uint16_t kAttrResetView = kAttrReadOnly | kAttrWrap | kAttrBorder | kAttrOnePar;
constexpr std::uint16_t kAttrMenuBits = 0x1F00;

WINDOW window_of(TXEDIT tx) {
    return reinterpret_cast<WINDOW>(tx);
}

// Window mode: the handle's window when it is still a live window, else null (a destroyed text
// edit's handle is never read through).
WINDOW live_window_of(TXEDIT tx) {
    WINDOW win = window_of(tx);
    return win != nullptr && vkov_vobj_is_valid(win) ? win : nullptr;
}

std::uint32_t slot_of(TXEDIT tx) {
    if (tx_object_mode())
        return static_cast<std::uint32_t>(tx);
    return tx_slot_of_window(window_of(tx));
}

// Runs work on the locked record of tx; answers neutral when there is none.
template <typename R, typename Work> R with_record(TXEDIT tx, int line, R neutral, Work &&work) {
    R result = neutral;
    {
        TxLock rec(slot_of(tx), line);
        if (rec)
            result = work(rec.get());
    }
    tx_restore_drawing();
    return result;
}

template <typename Work> void with_record(TXEDIT tx, int line, Work &&work) {
    {
        TxLock rec(slot_of(tx), line);
        if (rec)
            work(rec.get());
    }
    tx_restore_drawing();
}

// Text changes hide the caret before and place it (without scrolling) after.
template <typename Work> BOOLEAN change_text(TXEDIT tx, int line, Work &&work) {
    return with_record(tx, line, BOOLEAN{FALSE}, [&](tx_record *rec) -> BOOLEAN {
        tx_hide_caret(rec);
        const bool done = work(rec);
        tx_show_caret(rec, false);
        return done ? TRUE : FALSE;
    });
}

s_rct grown_by_one(const s_rct &rct) {
    return s_rct{static_cast<std::int16_t>(rct.top - 1), static_cast<std::int16_t>(rct.left - 1),
                 static_cast<std::int16_t>(rct.bottom + 1),
                 static_cast<std::int16_t>(rct.right + 1)};
}

void clamp_for_sel(const tx_record *rec, std::uint16_t &par, std::uint16_t &line,
                   std::uint16_t &chr) {
    if (par >= rec->par_count()) {
        par = static_cast<std::uint16_t>(rec->par_count() - 1);
        line = kEnd;
        chr = kEnd;
    }
    const std::uint16_t lines = static_cast<std::uint16_t>(rec->pars[par].line_starts.size());
    if (line >= lines) {
        line = static_cast<std::uint16_t>(lines - 1);
        chr = kEnd;
    }
    chr = std::min(chr, tx_line_chars(rec, par, line));
}

// Window mode: moves the text-edit window; with a border, the strips along a changed right or
// bottom edge are repainted, since the frame moved there.
void move_window(WINDOW win, const s_rct *rct) {
    const std::uint32_t slot = tx_slot_of_window(win);
    s_rct old_client{};
    vkok_vobj_get_client_rect(win, &old_client);
    vkok_vobj_move(win, rct);
    s_rct client{};
    vkok_vobj_get_client_rect(win, &client);
    TxLock rec(slot, __LINE__);
    if (!rec)
        return;
    if ((rec->attrs & kAttrBorder) != 0) {
        if (client.right != old_client.right) {
            const s_rct strip{
                client.top, static_cast<std::int16_t>(std::min(client.right, old_client.right) - 4),
                client.bottom, std::max(client.right, old_client.right)};
            vkok_dwin_invalidate_rect(win, &strip);
        }
        if (client.bottom != old_client.bottom) {
            const s_rct strip{static_cast<std::int16_t>(std::min(client.bottom, old_client.bottom) -
                                                        4 - rec->line_height),
                              client.left, std::max(client.bottom, old_client.bottom),
                              client.right};
            vkok_dwin_invalidate_rect(win, &strip);
        }
    }
    tx_move(slot, &client);
}

} // namespace
} // namespace vkotx

using namespace vkotx;

#define TX_EXPORT extern "C" VKOTEXT_API

TX_EXPORT BOOLEAN vkov_tx_add_par(TXEDIT tx, uint16_t par_no, const char *text) noexcept {
    if (text == nullptr)
        return FALSE;
    return change_text(tx, __LINE__,
                       [&](tx_record *rec) { return tx_add_paragraph(rec, par_no, text); });
}

TX_EXPORT BOOLEAN vkov_tx_append(TXEDIT tx, uint16_t par_no, const char *text) noexcept {
    if (text == nullptr)
        return FALSE;
    return change_text(tx, __LINE__, [&](tx_record *rec) { return tx_append(rec, par_no, text); });
}

TX_EXPORT BOOLEAN vkov_tx_clear(TXEDIT tx) noexcept {
    return change_text(tx, __LINE__, [](tx_record *rec) { return tx_clear(rec); });
}

TX_EXPORT TXEDIT vkov_tx_create(WINDOW win, const s_rct *rct, uint16_t attrs, FONT_OBJ font,
                                int16_t margin, uint16_t limit) noexcept {
    TXEDIT tx = 0;
    if (tx_object_mode())
        tx = tx_create_record(win, rct, attrs, font, margin, limit, 0, 0);
    else
        tx = reinterpret_cast<TXEDIT>(tx_create_window(win, rct, attrs, font, margin, limit, 0, 0));
    tx_restore_drawing();
    return tx;
}

TX_EXPORT TXEDIT vkov_tx_create_def(s_win_def *def, WINDOW parent, intptr_t app_data) noexcept {
    if (def == nullptr)
        return 0;
    s_rct rct = def->rct;
    if (def->units != 0)
        vkok_rect_to_pixels(&rct, def->units);
    const auto attrs = static_cast<std::uint16_t>(def->tx_attrs & 0xFFFF);
    const auto limit = static_cast<std::uint16_t>(def->tx_limit);
    const bool has_text = def->text != nullptr && def->text[0] != '\0';
    TXEDIT tx = 0;
    if (tx_object_mode()) {
        tx = tx_create_record(parent, &rct, attrs, def->font, def->tx_margin, limit, def->id,
                              app_data);
        if (tx != 0 && has_text) {
            TxLock rec(static_cast<std::uint32_t>(tx), __LINE__);
            if (rec)
                tx_add_paragraph(rec.get(), kEnd, def->text);
        }
    } else {
        tx = reinterpret_cast<TXEDIT>(tx_create_window(parent, &rct, attrs, def->font,
                                                       def->tx_margin, limit, def->id, app_data));
        if (tx != 0 && has_text)
            vkov_tx_add_par(tx, kEnd, def->text);
    }
    tx_restore_drawing();
    return tx;
}

TX_EXPORT BOOLEAN vkov_tx_destroy(TXEDIT tx) noexcept {
    if (!tx_object_mode()) {
        vkok_vobj_destroy(window_of(tx));
        return TRUE;
    }
    {
        TxLock rec(slot_of(tx), __LINE__);
        if (!rec) {
            tx_restore_drawing();
            return FALSE;
        }
        rec->scroll_callback = nullptr;
        tx_slot *entry = tx_slot_entry(slot_of(tx));
        if (entry != nullptr && entry->lock_count > 1) {
            // Called from inside an operation on this text edit (its scroll callback): the
            // operation still works on the record, which goes when the operation ends.
            entry->destroy_pending = true;
            return TRUE;
        }
    }
    const bool destroyed = tx_destroy_slot(slot_of(tx));
    tx_restore_drawing();
    return destroyed ? TRUE : FALSE;
}

TX_EXPORT TXEDIT vkov_tx_get_active(void) noexcept {
    WINDOW focus = vkok_scr_get_focus_vobj();
    if (focus == nullptr)
        return 0;
    if (!tx_object_mode())
        return (focus->flags & VKO_WF_TEXTEDIT) != 0 ? reinterpret_cast<TXEDIT>(focus) : 0;
    return tx_active_slot(focus);
}

TX_EXPORT uint16_t vkov_tx_get_attr(TXEDIT tx) noexcept {
    std::uint16_t attrs =
        with_record(tx, __LINE__, std::uint16_t{0}, [](tx_record *rec) { return rec->attrs; });
    if (!tx_object_mode() && tx != 0) {
        const std::uint32_t flags = vkok_vobj_get_flags(window_of(tx));
        attrs = static_cast<std::uint16_t>(attrs & ~(kAttrDisabled | kAttrInvisible));
        if ((flags & VKO_OF_DISABLED) != 0)
            attrs |= kAttrDisabled;
        if ((flags & VKO_OF_HIDDEN) != 0)
            attrs |= kAttrInvisible;
    }
    return attrs;
}

TX_EXPORT int32_t vkov_tx_get_cid(TXEDIT tx) noexcept {
    const tx_slot *entry = tx_slot_entry(slot_of(tx)); // no record: 0, and no report
    return entry != nullptr && entry->record != nullptr ? entry->record->cid : 0;
}

TX_EXPORT intptr_t vkov_tx_get_data(TXEDIT tx) noexcept {
    if (!tx_object_mode()) {
        WINDOW win = live_window_of(tx);
        return win != nullptr ? win->app_data : 0;
    }
    return with_record(tx, __LINE__, std::intptr_t{0}, [](tx_record *rec) { return rec->data; });
}

TX_EXPORT FONT_OBJ vkov_tx_get_font(TXEDIT tx) noexcept {
    if (!tx_object_mode()) {
        WINDOW win = live_window_of(tx);
        FONT_OBJ own = win != nullptr ? win->ctl_font : nullptr;
        if (own == nullptr)
            return nullptr;
        FONT_OBJ copy = vkov_font_create();
        if (copy != nullptr)
            vkov_font_copy(copy, own, kFontAllParts);
        return copy;
    }
    return with_record(tx, __LINE__, FONT_OBJ{nullptr}, [](tx_record *rec) {
        FONT_OBJ copy = vkov_font_create();
        if (copy != nullptr)
            vkov_font_copy(copy, rec->font, kFontAllParts);
        return copy;
    });
}

TX_EXPORT int32_t vkov_tx_get_limit(TXEDIT tx) noexcept {
    return with_record(tx, __LINE__, std::int32_t{0}, [](tx_record *rec) { return rec->limit; });
}

TX_EXPORT char *vkov_tx_get_line(TXEDIT tx, uint16_t par_no, int32_t mode, uint16_t line_no,
                                 uint16_t *len) noexcept {
    return with_record(tx, __LINE__, static_cast<char *>(nullptr), [&](tx_record *rec) {
        return tx_line_access(rec, par_no, mode, line_no, len);
    });
}

TX_EXPORT int32_t vkov_tx_get_margin(TXEDIT tx) noexcept {
    return with_record(tx, __LINE__, std::int32_t{0}, [](tx_record *rec) { return rec->margin; });
}

TX_EXPORT s_color_pair *vkov_tx_get_native_colors(void) noexcept {
    auto *list = static_cast<s_color_pair *>(vkov_mem_zalloc(4 * sizeof(s_color_pair)));
    if (list == nullptr)
        return nullptr;
    list[0] = {VKO_CC_FORE, VKO_COLOR_BLACK};
    list[1] = {VKO_CC_BACK, VKO_COLOR_WHITE};
    list[2] = {VKO_CC_BORDER, VKO_COLOR_BLACK};
    list[3] = {0, VKO_COLOR_UNSET};
    return list;
}

TX_EXPORT TXEDIT vkov_tx_get_next_tx(TXEDIT tx, WINDOW win) noexcept {
    const std::uint32_t start = tx == 0 ? 0 : slot_of(tx);
    const std::uint32_t count = tx_slot_count();
    for (std::uint32_t slot = start + 1; slot <= count; ++slot) {
        const tx_slot *entry = tx_slot_entry(slot);
        if (entry != nullptr && (win == nullptr || entry->win == win))
            return slot;
    }
    return 0;
}

TX_EXPORT uint16_t vkov_tx_get_num_chars(TXEDIT tx, uint16_t par_no, uint16_t line_no) noexcept {
    return with_record(tx, __LINE__, std::uint16_t{0},
                       [&](tx_record *rec) { return tx_line_chars(rec, par_no, line_no); });
}

TX_EXPORT uint16_t vkov_tx_get_num_lines(TXEDIT tx) noexcept {
    return with_record(tx, __LINE__, std::uint16_t{0},
                       [](tx_record *rec) { return rec->line_count; });
}

TX_EXPORT uint16_t vkov_tx_get_num_par_lines(TXEDIT tx, uint16_t par_no) noexcept {
    return with_record(tx, __LINE__, std::uint16_t{0},
                       [&](tx_record *rec) { return tx_paragraph_lines(rec, par_no); });
}

TX_EXPORT uint16_t vkov_tx_get_num_pars(TXEDIT tx) noexcept {
    return with_record(tx, __LINE__, std::uint16_t{0},
                       [](tx_record *rec) { return rec->par_count(); });
}

TX_EXPORT void vkov_tx_get_origin(TXEDIT tx, uint16_t *par_no, uint16_t *line_no,
                                  uint16_t *top_line_no, uint16_t *hor_px) noexcept {
    with_record(tx, __LINE__, [&](tx_record *rec) {
        if (par_no != nullptr)
            *par_no = rec->origin_par;
        if (line_no != nullptr)
            *line_no = rec->origin_line;
        if (top_line_no != nullptr)
            *top_line_no = static_cast<std::uint16_t>(
                tx_lines_between(rec, 0, 0, rec->origin_par, rec->origin_line));
        if (hor_px != nullptr)
            *hor_px = rec->hor_origin;
    });
}

TX_EXPORT s_rct *vkov_tx_get_rect(TXEDIT tx, s_rct *rct) noexcept {
    if (rct == nullptr)
        return nullptr;
    if (!tx_object_mode()) {
        vkok_vobj_get_outer_rect(window_of(tx), rct);
        return rct;
    }
    return with_record(tx, __LINE__, static_cast<s_rct *>(nullptr), [&](tx_record *rec) {
        *rct = rec->outer;
        return rct;
    });
}

TX_EXPORT void vkov_tx_get_sel(TXEDIT tx, uint16_t *start_par, uint16_t *start_line,
                               uint16_t *start_char, uint16_t *end_par, uint16_t *end_line,
                               uint16_t *end_char) noexcept {
    with_record(tx, __LINE__, [&](tx_record *rec) {
        tx_position start = rec->anchor;
        tx_position stop = rec->end;
        tx_order(start, stop);
        const std::pair<std::uint16_t *, std::uint16_t> outs[] = {
            {start_par, start.par}, {start_line, start.line}, {start_char, start.chr},
            {end_par, stop.par},    {end_line, stop.line},    {end_char, stop.chr}};
        for (const auto &[out, value] : outs)
            if (out != nullptr)
                *out = value;
    });
}

TX_EXPORT uint16_t vkov_tx_get_tabstop(TXEDIT tx) noexcept {
    return with_record(tx, __LINE__, std::uint16_t{0}, [](tx_record *rec) { return rec->tabstop; });
}

TX_EXPORT TXEDIT vkov_tx_get_tx(WINDOW win, int32_t ctl_id) noexcept {
    if (!tx_object_mode())
        return reinterpret_cast<TXEDIT>(tx_find_window(win, ctl_id));
    if (win == nullptr) {
        tx_report(3, kErrNullWindow, kModuleExports, __LINE__);
        return 0;
    }
    const std::uint32_t count = tx_slot_count();
    for (std::uint32_t slot = 1; slot <= count; ++slot) {
        const tx_slot *entry = tx_slot_entry(slot);
        if (entry != nullptr && entry->win == win && entry->record != nullptr &&
            entry->record->cid == ctl_id)
            return slot;
    }
    return 0;
}

TX_EXPORT s_rct *vkov_tx_get_view(TXEDIT tx, s_rct *rct) noexcept {
    if (rct == nullptr)
        return nullptr;
    s_rct *result = with_record(tx, __LINE__, static_cast<s_rct *>(nullptr), [&](tx_record *rec) {
        *rct = rec->view;
        return rct;
    });
    if (result != nullptr && !tx_object_mode()) {
        WINDOW win = window_of(tx);
        s_pnt origin{0, 0};
        vkok_vobj_translate_points(win, win->parent, &origin, 1);
        vkov_rect_offset(rct, origin.h, origin.v);
    }
    return result;
}

TX_EXPORT WINDOW vkov_tx_get_win(TXEDIT tx) noexcept {
    if (!tx_object_mode())
        return tx != 0 && vkov_vobj_is_valid(window_of(tx)) ? window_of(tx)->parent : nullptr;
    return with_record(tx, __LINE__, WINDOW{nullptr}, [](tx_record *rec) { return rec->win; });
}

TX_EXPORT BOOLEAN vkov_tx_is_scroll_update(void) noexcept {
    return tx_object_mode() && tx_state().scroll_update != 0 ? TRUE : FALSE;
}

TX_EXPORT BOOLEAN vkov_tx_is_valid(TXEDIT tx) noexcept {
    if (tx == 0)
        return FALSE;
    if (!tx_object_mode()) {
        WINDOW win = window_of(tx);
        return vkov_vobj_is_valid(win) && (win->flags & VKO_WF_TEXTEDIT) != 0 ? TRUE : FALSE;
    }
    const tx_slot *entry = tx_slot_entry(static_cast<std::uint32_t>(tx));
    return entry != nullptr && entry->record != nullptr ? TRUE : FALSE;
}

TX_EXPORT void vkov_tx_move(TXEDIT tx, const s_rct *rct) noexcept {
    if (!tx_object_mode()) {
        if (rct != nullptr)
            move_window(window_of(tx), rct);
        tx_restore_drawing();
        return;
    }
    with_record(tx, __LINE__, [&](tx_record *rec) { tx_move(rec->slot, rct); });
}

TX_EXPORT BOOLEAN vkov_tx_process_event(WINDOW win, EVENT *event) noexcept {
    if (!tx_object_mode())
        return FALSE;
    return vkovo_tx_process_event(win, event);
}

TX_EXPORT BOOLEAN vkov_tx_rem_par(TXEDIT tx, uint16_t par_no) noexcept {
    return change_text(tx, __LINE__,
                       [&](tx_record *rec) { return tx_remove_paragraph(rec, par_no); });
}

TX_EXPORT void vkov_tx_reset(TXEDIT tx) noexcept {
    with_record(tx, __LINE__, [](tx_record *rec) { tx_reset_view(rec, true); });
}

TX_EXPORT void vkov_tx_resume(TXEDIT tx) noexcept {
    with_record(tx, __LINE__, [](tx_record *rec) { tx_resume(rec); });
}

TX_EXPORT void vkov_tx_scroll_hor(TXEDIT tx, int16_t px) noexcept {
    with_record(tx, __LINE__, [&](tx_record *rec) { tx_scroll(rec, px, 0); });
}

TX_EXPORT void vkov_tx_scroll_vert(TXEDIT tx, int16_t lines) noexcept {
    with_record(tx, __LINE__, [&](tx_record *rec) { tx_scroll(rec, 0, lines * rec->line_height); });
}

TX_EXPORT void vkov_tx_set_active(TXEDIT tx) noexcept {
    if (!tx_object_mode()) {
        vkok_scr_set_focus_vobj(window_of(tx));
        tx_restore_drawing();
        return;
    }
    with_record(tx, __LINE__, [](tx_record *rec) {
        vkok_win_set_caret_visible(rec->win, FALSE);
        vkok_scr_set_focus_vobj(rec->win);
        tx_activate(rec->win, rec->slot, false);
        tx_show_caret(rec, false);
    });
}

TX_EXPORT void vkov_tx_set_attr(TXEDIT tx, uint16_t attrs) noexcept {
    with_record(tx, __LINE__, [&](tx_record *rec) {
        const std::uint16_t changed = rec->attrs ^ attrs;
        rec->attrs = attrs;
        if ((changed & kAttrRelayout) != 0)
            tx_move(rec->slot, nullptr);
        if ((changed & kAttrResetView) != 0)
            tx_reset_view(rec, true);
        else if ((changed & kAttrMenuBits) != 0)
            tx_update_edit_menu(rec->owner, rec, true);
    });
    if (!tx_object_mode() && tx != 0) {
        vkok_vobj_set_enabled(window_of(tx), (attrs & kAttrDisabled) == 0 ? TRUE : FALSE);
        vkok_vobj_set_visible(window_of(tx), (attrs & kAttrInvisible) == 0 ? TRUE : FALSE);
    }
}

TX_EXPORT void vkov_tx_set_colors(TXEDIT tx, COLOR text_color, COLOR border_color,
                                  COLOR back_color) noexcept {
    if (!tx_object_mode()) {
        const s_color_pair list[] = {{VKO_CC_FORE, text_color},
                                     {VKO_CC_BACK, back_color},
                                     {VKO_CC_BORDER, border_color},
                                     {0, VKO_COLOR_UNSET}};
        vkov_tx_reset_colors(window_of(tx), list, FALSE);
        return;
    }
    with_record(tx, __LINE__, [&](tx_record *rec) {
        rec->text_color = text_color;
        rec->border_color = border_color;
        rec->back_color = back_color;
        rec->colors_fixed = 1;
        tx_state().applied_slot = 0; // the window's tools must take the new colours
        const s_rct area = grown_by_one(rec->outer);
        vkok_dwin_invalidate_rect(rec->win, &area);
        tx_show_caret(rec, false);
    });
}

TX_EXPORT void vkov_tx_set_data(TXEDIT tx, intptr_t data) noexcept {
    if (!tx_object_mode()) {
        if (WINDOW win = live_window_of(tx))
            win->app_data = data;
        return;
    }
    with_record(tx, __LINE__, [&](tx_record *rec) { rec->data = data; });
}

TX_EXPORT void vkov_tx_set_font(TXEDIT tx, FONT_OBJ font) noexcept {
    if (!tx_object_mode()) {
        tx_window_font(window_of(tx), font);
        tx_restore_drawing();
        return;
    }
    with_record(tx, __LINE__, [&](tx_record *rec) {
        tx_set_font(rec, font);
        tx_move(rec->slot, nullptr);
        tx_reset_view(rec, true);
    });
}

TX_EXPORT void vkov_tx_set_limit(TXEDIT tx, uint16_t limit) noexcept {
    with_record(tx, __LINE__, [&](tx_record *rec) { rec->limit = limit; });
}

TX_EXPORT void vkov_tx_set_margin(TXEDIT tx, int16_t margin) noexcept {
    with_record(tx, __LINE__, [&](tx_record *rec) {
        rec->margin = static_cast<std::uint16_t>(std::max<std::int16_t>(margin, 0));
        tx_reset_view(rec, true);
    });
}

TX_EXPORT BOOLEAN vkov_tx_set_par(TXEDIT tx, uint16_t par_no, const char *text) noexcept {
    if (text == nullptr)
        return FALSE;
    return change_text(tx, __LINE__,
                       [&](tx_record *rec) { return tx_set_paragraph(rec, par_no, text); });
}

TX_EXPORT void vkov_tx_set_scroll_callback(TXEDIT tx, VKO_TX_SCROLL_CALLBACK callback) noexcept {
    with_record(tx, __LINE__, [&](tx_record *rec) { rec->scroll_callback = callback; });
}

TX_EXPORT void vkov_tx_set_sel(TXEDIT tx, uint16_t anchor_par, uint16_t anchor_line,
                               uint16_t anchor_char, uint16_t end_par, uint16_t end_line,
                               uint16_t end_char) noexcept {
    with_record(tx, __LINE__, [&](tx_record *rec) {
        if (rec->pars.empty())
            return;
        clamp_for_sel(rec, anchor_par, anchor_line, anchor_char);
        clamp_for_sel(rec, end_par, end_line, end_char);
        tx_hide_caret(rec);
        rec->anchor = tx_position{anchor_par, anchor_line, anchor_char, 0};
        rec->end = tx_position{end_par, end_line, end_char, 0};
        tx_set_px(rec, rec->anchor);
        tx_set_px(rec, rec->end);
        tx_set_highlight(rec, true);
        const std::int32_t end_from_top =
            tx_lines_between(rec, rec->origin_par, rec->origin_line, end_par, end_line);
        const std::int32_t anchor_from_top =
            tx_lines_between(rec, rec->origin_par, rec->origin_line, anchor_par, anchor_line);
        if (end_from_top < 0) {
            tx_position before = rec->end;
            tx_line_step(rec, before.par, before.line, -1);
            tx_make_visible(rec, before);
        } else if (anchor_from_top >= tx_visible_lines(rec)) {
            tx_make_visible(rec, rec->anchor);
        }
        tx_show_caret(rec, true);
    });
}

TX_EXPORT void vkov_tx_set_tabstop(TXEDIT tx, uint16_t tabstop) noexcept {
    with_record(tx, __LINE__, [&](tx_record *rec) {
        rec->tabstop = tabstop;
        tx_reset_view(rec, true);
    });
}

TX_EXPORT void vkov_tx_suspend(TXEDIT tx) noexcept {
    with_record(tx, __LINE__, [](tx_record *rec) { tx_suspend(rec); });
}
