// vtxv_scroll.cpp: the view's geometry and motion: laying a record out over its rectangle,
// moving pixels when lines come and go, scrolling by lines and pixels within the origin's
// limits, keeping a point in view, the caret, suspending and resuming, and the owner's scroll
// callback. Line counts and origins are 16-bit: every value handed on is clamped into them.
#include "vtxv_internal.h"

#include <algorithm>
#include <cstdlib>

#include "vkobase/dwin.h"
#include "vkobase/errfrm.h"
#include "vkobase/rect.h"
#include "vkobase/win.h"

namespace vkotx {
namespace {

constexpr std::int32_t kBorderInset = 4;
constexpr std::int32_t kMaxDyPx = 10000;
constexpr std::int32_t kMinDyPx = -9999;
constexpr std::int32_t kUnwrappedMaxOrigin = 32767;
constexpr std::uint16_t kUnchanged = 65535;

s_rct grown_by_one(const s_rct &rct) {
    return s_rct{static_cast<std::int16_t>(rct.top - 1), static_cast<std::int16_t>(rct.left - 1),
                 static_cast<std::int16_t>(rct.bottom + 1),
                 static_cast<std::int16_t>(rct.right + 1)};
}

bool suspended(const tx_record *rec) {
    return (rec->state & kStateSuspended) != 0;
}

bool is_active(const tx_record *rec) {
    const tx_slot *entry = tx_slot_entry(rec->slot);
    return entry != nullptr && (entry->flags & kSlotActive) != 0;
}

// Line number of the origin, counted from the top of the text.
std::int32_t origin_row(const tx_record *rec) {
    return tx_lines_between(rec, 0, 0, rec->origin_par, rec->origin_line);
}

void scroll_pixels(tx_record *rec, const s_rct &area, std::int32_t dx, std::int32_t dy) {
    if (suspended(rec) || (dx == 0 && dy == 0))
        return;
    tx_prepare_drawing(rec);
    tx_module_state &state = tx_state();
    state.scroll_update = 1;
    vkok_dwin_scroll_rect(rec->win, &area, dx, std::clamp(dy, kMinDyPx, kMaxDyPx));
    state.scroll_update = 0;
}

// Moves the origin by the wanted pixels (positive: towards the text's start) as far as the
// limits allow; answers the pixels actually applied in dx and dy.
void move_origin(tx_record *rec, std::int32_t &dx, std::int32_t &dy) {
    std::int32_t applied_dy = 0;
    if (dy != 0 && rec->line_height != 0) {
        const std::int32_t lines = dy / rec->line_height;
        const std::int32_t row = origin_row(rec);
        const std::int32_t last_top =
            std::max(0, static_cast<std::int32_t>(rec->line_count) - tx_visible_lines(rec));
        std::int32_t new_row = row - lines;
        if (lines > 0)
            new_row = std::max(0, new_row);
        else
            new_row = std::max(row, std::min(new_row, last_top)); // never back up when going on
        if (new_row != row) {
            std::uint16_t par = 0;
            std::uint16_t line = 0;
            if (tx_line_step(rec, par, line, new_row)) {
                rec->origin_par = par;
                rec->origin_line = line;
                applied_dy = (row - new_row) * rec->line_height;
            }
        }
    }
    std::int32_t applied_dx = 0;
    if (dx != 0) {
        const std::int32_t old_origin = rec->hor_origin;
        std::int32_t max_origin = kUnwrappedMaxOrigin;
        if ((rec->attrs & kAttrWrap) != 0) {
            const std::int32_t view_width = rec->view.right - rec->view.left;
            max_origin = std::max(0, rec->margin - view_width);
        }
        std::int32_t new_origin = old_origin - dx;
        if (dx > 0)
            new_origin = std::max(0, new_origin);
        else
            new_origin = std::max(old_origin, std::min(new_origin, max_origin));
        rec->hor_origin = static_cast<std::uint16_t>(new_origin);
        applied_dx = old_origin - new_origin;
    }
    dx = applied_dx;
    dy = applied_dy;
}

// Scrolls by the wanted amounts; answers what was applied. The caret is not placed.
void scroll_by(tx_record *rec, std::int32_t &dx, std::int32_t &dy) {
    if (dx == 0 && dy == 0)
        return;
    tx_flush_updates(rec);
    move_origin(rec, dx, dy);
    if (dx == 0 && dy == 0)
        return;
    scroll_pixels(rec, rec->view, dx, dy);
    tx_notify_scroll(rec, dy != 0, false, dx != 0);
}

// Rounds a pixel amount away from zero to whole lines.
std::int32_t whole_lines_px(const tx_record *rec, std::int32_t px) {
    if (rec->line_height == 0 || px == 0)
        return 0;
    const std::int32_t lh = rec->line_height;
    const std::int32_t lines = (std::abs(px) + lh - 1) / lh;
    return px < 0 ? -lines * lh : lines * lh;
}

} // namespace

std::int32_t tx_baseline(const tx_record *rec, std::uint16_t par, std::uint16_t line) {
    return rec->view.top + rec->ascent +
           rec->line_height * tx_lines_between(rec, rec->origin_par, rec->origin_line, par, line);
}

void tx_move(std::uint32_t slot, const s_rct *rct) {
    tx_record *rec = tx_lock_record(slot);
    if (rec == nullptr)
        return;
    if (rct != nullptr)
        rec->outer = *rct;
    rec->view = rec->outer;
    if ((rec->attrs & kAttrBorder) != 0) {
        rec->view.top = static_cast<std::int16_t>(rec->view.top + kBorderInset);
        rec->view.left = static_cast<std::int16_t>(rec->view.left + kBorderInset);
        rec->view.bottom = static_cast<std::int16_t>(rec->view.bottom - kBorderInset);
        rec->view.right = static_cast<std::int16_t>(rec->view.right - kBorderInset);
    }
    if (tx_slot *entry = tx_slot_entry(slot)) {
        entry->outer = rec->outer;
        if (tx_state().applied_slot == slot)
            tx_state().applied_slot = 0; // the clip is the view: apply it again
        if ((entry->flags & kSlotActive) != 0)
            tx_show_caret(rec, false);
    }
    tx_unlock_record(slot);
}

void tx_shift_lines(tx_record *rec, std::uint16_t par, std::uint16_t line, std::int32_t delta,
                    bool flush_first) {
    if (delta == 0 || suspended(rec) || rec->line_height == 0)
        return;
    const std::int32_t top_of_line = tx_baseline(rec, par, line) - rec->line_height + rec->descent;
    const std::int32_t top = std::max<std::int32_t>(top_of_line, rec->view.top);
    if (top >= rec->view.bottom)
        return;
    const s_rct band{static_cast<std::int16_t>(top), rec->view.left, rec->view.bottom,
                     rec->view.right};
    const bool at_end = par >= rec->par_count() ||
                        (par + 1 == rec->par_count() && line >= rec->pars[par].line_starts.size());
    if (at_end) {
        // No line below to move; lines that went away leave their pixels to be repainted.
        if (delta < 0)
            vkok_dwin_invalidate_rect(rec->win, &band);
        return;
    }
    if (flush_first)
        tx_flush_updates(rec);
    scroll_pixels(rec, band, 0, delta * rec->line_height);
}

void tx_scroll(tx_record *rec, std::int32_t dx_px, std::int32_t dy_px) {
    if (dx_px == 0 && dy_px == 0)
        return;
    scroll_by(rec, dx_px, dy_px);
    tx_show_caret(rec, false);
}

void tx_autoscroll(tx_record *rec, s_pnt &point, std::int32_t x_margin, std::int32_t y_margin) {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    if ((rec->attrs & kAttrAutoHScroll) != 0) {
        if (point.h + x_margin > rec->view.right)
            dx = rec->view.right - (point.h + x_margin);
        else if (point.h < rec->view.left && rec->hor_origin != 0)
            dx = rec->view.left - point.h;
    }
    if ((rec->attrs & kAttrAutoVScroll) != 0) {
        if (point.v + y_margin > rec->view.bottom)
            dy = whole_lines_px(rec, rec->view.bottom - (point.v + y_margin));
        else if (point.v < rec->view.top && (rec->origin_par != 0 || rec->origin_line != 0))
            dy = whole_lines_px(rec, rec->view.top - point.v);
    }
    const bool vertical_request = dy != 0;
    scroll_by(rec, dx, dy);
    // The origin limits left no line to move (a view too short for its last line): the
    // point stays out of view, which the callers of this step do not expect.
    if (vertical_request && dy == 0)
        tx_report(3, kErrInternal, kModuleView, __LINE__);
    point.h = static_cast<std::int16_t>(point.h + dx);
    point.v = static_cast<std::int16_t>(point.v + dy);
}

void tx_make_visible(tx_record *rec, const tx_position &pos) {
    s_pnt point{};
    point.h = static_cast<std::int16_t>(
        std::clamp(rec->view.left + pos.px - rec->hor_origin, -32768, 32767));
    point.v = static_cast<std::int16_t>(
        std::clamp(tx_baseline(rec, pos.par, pos.line) - rec->ascent, -32768, 32767));
    tx_autoscroll(rec, point, rec->avg_char_width, rec->ascent + rec->descent);
}

// ---- Caret ------------------------------------------------------------------------------------

void tx_hide_caret(tx_record *rec) {
    if (is_active(rec))
        vkok_win_set_caret_visible(rec->win, FALSE);
}

void tx_show_caret(tx_record *rec, bool autoscroll) {
    const bool empty = rec->anchor.par == rec->end.par && rec->anchor.line == rec->end.line &&
                       rec->anchor.px == rec->end.px;
    if (!empty || suspended(rec))
        return;
    s_pnt point{};
    point.h = static_cast<std::int16_t>(
        std::clamp(rec->view.left + rec->end.px - rec->hor_origin - 1, -32768, 32767));
    point.v = static_cast<std::int16_t>(
        std::clamp(tx_baseline(rec, rec->end.par, rec->end.line) - rec->ascent, -32768, 32767));
    if (autoscroll)
        tx_autoscroll(rec, point, 1, rec->ascent + rec->descent);
    if (is_active(rec)) {
        point.v = static_cast<std::int16_t>(point.v + rec->ascent);
        if (point.h < rec->view.left && rec->end.px == 0 && rec->hor_origin == 0)
            point.h = rec->view.left;
        if (vkov_rect_has_point(&rec->view, point)) {
            tx_prepare_drawing(rec);
            vkok_dwin_set_clip(rec->win, nullptr);
            tx_state().applied_slot = 0;
            // The window's caret is drawn down from its top-left corner: it stands from the
            // top of the line's letters to the bottom of their descenders.
            const s_pnt top{static_cast<std::int16_t>(point.v - rec->ascent), point.h};
            vkok_win_set_caret_pos(rec->win, top);
            vkok_win_set_caret_size(rec->win, 1,
                                    static_cast<std::int16_t>(rec->ascent + rec->descent));
            vkok_win_set_caret_visible(rec->win, TRUE);
        } else {
            vkok_win_set_caret_visible(rec->win, FALSE);
        }
    }
    tx_update_edit_menu(rec->owner, rec, false);
}

// ---- Reset, suspend and resume ----------------------------------------------------------------

void tx_reset_view(tx_record *rec, bool resume) {
    if (!suspended(rec)) {
        tx_suspend(rec);
        resume = true;
    }
    rec->anchor = tx_position{};
    rec->end = tx_position{};
    for (std::uint16_t par = 0; par < rec->par_count(); ++par)
        tx_break_lines(rec, par, 0);
    rec->origin_par = 0;
    rec->origin_line = 0;
    rec->hor_origin = 0;
    tx_set_highlight(rec, false);
    tx_update_edit_menu(rec->owner, rec, true);
    if (resume)
        tx_resume(rec);
}

void tx_suspend(tx_record *rec) {
    rec->state |= kStateSuspended;
    tx_hide_caret(rec);
}

void tx_resume(tx_record *rec) {
    if (!suspended(rec))
        return;
    rec->state &= static_cast<std::uint16_t>(~kStateSuspended);
    const s_rct area = grown_by_one(rec->outer);
    vkok_dwin_invalidate_rect(rec->win, &area);
    tx_notify_scroll(rec, true, true, true);
    tx_show_caret(rec, true);
}

void tx_notify_scroll(tx_record *rec, bool origin_changed, bool count_changed, bool hor_changed) {
    if (rec->scroll_callback == nullptr || suspended(rec))
        return;
    const TXEDIT handle =
        tx_object_mode() ? static_cast<TXEDIT>(rec->slot) : reinterpret_cast<TXEDIT>(rec->win);
    const auto top = static_cast<std::uint16_t>(
        origin_changed ? std::clamp<std::int32_t>(origin_row(rec), 0, kMaxLines) : kUnchanged);
    const std::uint16_t count = count_changed ? rec->line_count : kUnchanged;
    const std::uint16_t hor = hor_changed ? rec->hor_origin : kUnchanged;
    const VKO_TX_SCROLL_CALLBACK callback = rec->scroll_callback;
    tx_restore_drawing();
    const intptr_t frame = vkov_errfrm_init(rec->owner, 1);
    const std::uint32_t slot = rec->slot;
    callback(handle, top, count, hor);
    vkov_errfrm_destroy(frame);
    // The callback may have destroyed the text edit: touch the record only when it is still there.
    const tx_slot *entry = tx_slot_entry(slot);
    if (entry != nullptr && entry->record.get() == rec)
        tx_prepare_drawing(rec);
}

} // namespace vkotx
