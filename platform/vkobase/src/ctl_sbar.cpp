// ctl_sbar.cpp: scroll bars: the geometry and drawing of a bar (arrows, trough, thumb), shared
// with the lists' own bars, and the behaviour of scroll-bar controls. A scroll-bar control does
// not move itself: each action of the user (an arrow, a page area, the thumb dragged or let go,
// a key) goes to its parent as a control event with the action and the position it asks for,
// and the parent sets the position it chooses. Held arrows and page areas repeat on a timer.
#include <algorithm>
#include <cstdint>

#include "core_internal.h"
#include "ctl_internal.h"
#include "surface_internal.h"
#include "vkobase/sbar.h"
#include "vkobase/timer.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace vkobase::ctl {

namespace {

constexpr int kMinThumb = 8;

int along(const BarModel &bar, const s_rct &area) noexcept {
    return bar.vertical ? area.bottom - area.top : area.right - area.left;
}

int across(const BarModel &bar, const s_rct &area) noexcept {
    return bar.vertical ? area.right - area.left : area.bottom - area.top;
}

int arrow_size(const BarModel &bar, const s_rct &area) noexcept {
    return std::max(0, std::min(across(bar, area), along(bar, area) / 2));
}

} // namespace

std::int32_t BarModel::last() const noexcept {
    const std::int64_t end = static_cast<std::int64_t>(max) - std::max(page, 1) + 1;
    return static_cast<std::int32_t>(std::max<std::int64_t>(min, end));
}

int bar_trough_start(const BarModel &bar, const s_rct &area) noexcept {
    return arrow_size(bar, area);
}

void bar_thumb(const BarModel &bar, const s_rct &area, int *offset, int *length) noexcept {
    const int trough = along(bar, area) - 2 * arrow_size(bar, area);
    *offset = 0;
    *length = 0;
    const std::int64_t span = static_cast<std::int64_t>(bar.max) - bar.min + 1;
    if (trough < kMinThumb || bar.last() <= bar.min)
        return; // nothing to scroll: no thumb
    const std::int64_t len =
        std::clamp<std::int64_t>(trough * std::int64_t{bar.page} / span, kMinThumb, trough);
    const std::int64_t room = trough - len;
    const std::int64_t pos = std::clamp(bar.pos, bar.min, bar.last());
    *offset = static_cast<int>(room * (pos - bar.min) / (bar.last() - bar.min));
    *length = static_cast<int>(len);
}

int bar_part_at(const BarModel &bar, const s_rct &area, s_pnt where) noexcept {
    const int c = bar.vertical ? where.v - area.top : where.h - area.left;
    const int len = along(bar, area);
    const int a = arrow_size(bar, area);
    if (c < 0 || c >= len)
        return kBarNone;
    if (c < a)
        return SC_LINE_UP;
    if (c >= len - a)
        return SC_LINE_DOWN;
    int offset = 0, length = 0;
    bar_thumb(bar, area, &offset, &length);
    if (length == 0)
        return kBarNone;
    if (c < a + offset)
        return SC_PAGE_UP;
    if (c < a + offset + length)
        return SC_THUMB;
    return SC_PAGE_DOWN;
}

std::int32_t bar_pos_at(const BarModel &bar, const s_rct &area, int offset) noexcept {
    int thumb_at = 0, length = 0;
    bar_thumb(bar, area, &thumb_at, &length);
    const int room = along(bar, area) - 2 * arrow_size(bar, area) - length;
    if (length == 0 || room <= 0)
        return bar.min;
    const std::int64_t span = static_cast<std::int64_t>(bar.last()) - bar.min;
    const std::int64_t at = std::clamp(offset, 0, room);
    return static_cast<std::int32_t>(bar.min + (at * span + room / 2) / room);
}

void draw_bar(const Paint &p, const BarModel &bar, const s_rct &area, int pressed) noexcept {
    const double x = area.left, y = area.top;
    const double w = area.right - area.left, h = area.bottom - area.top;
    const int a = arrow_size(bar, area);
    const int len = along(bar, area);
    int offset = 0, length = 0;
    bar_thumb(bar, area, &offset, &length);
    const bool live = p.enabled() && length > 0;
    // Trough: the period's stipple of white and face.
    p.fill(x, y, w, h, kFace);
    cairo_t *cr = p.cr();
    if (cairo_surface_t *dots = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 2)) {
        cairo_t *dc = cairo_create(dots);
        cairo_set_source_rgb(dc, 1, 1, 1);
        cairo_rectangle(dc, 0, 0, 1, 1);
        cairo_rectangle(dc, 1, 1, 1, 1);
        cairo_fill(dc);
        cairo_destroy(dc);
        cairo_pattern_t *pattern = cairo_pattern_create_for_surface(dots);
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
        cairo_set_source(cr, pattern);
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
        cairo_pattern_destroy(pattern);
        cairo_surface_destroy(dots);
    }
    auto box = [&](int from, int size) {
        return bar.vertical ? s_rct{static_cast<std::int16_t>(y + from), area.left,
                                    static_cast<std::int16_t>(y + from + size), area.right}
                            : s_rct{area.top, static_cast<std::int16_t>(x + from), area.bottom,
                                    static_cast<std::int16_t>(x + from + size)};
    };
    // A held page area shows dark between the arrow and the thumb.
    if (pressed == SC_PAGE_UP || pressed == SC_PAGE_DOWN) {
        const s_rct r = pressed == SC_PAGE_UP
                            ? box(a, offset)
                            : box(a + offset + length, len - 2 * a - offset - length);
        p.fill(r.left, r.top, r.right - r.left, r.bottom - r.top, kShadow);
    }
    const COLOR ink = live ? VKO_COLOR_BLACK : kShadow;
    for (int end = 0; end < 2; ++end) {
        const s_rct r = box(end == 0 ? 0 : len - a, a);
        const double bw = r.right - r.left, bh = r.bottom - r.top;
        p.fill(r.left, r.top, bw, bh, kFace);
        const bool down = pressed == (end == 0 ? SC_LINE_UP : SC_LINE_DOWN);
        if (down)
            p.frame(r.left, r.top, bw, bh, kShadow);
        else
            p.bevel(r.left, r.top, bw, bh, true);
        const int dir = bar.vertical ? end : 2 + end;
        p.arrow(r.left + (down ? 1 : 0), r.top + (down ? 1 : 0), bw, bh, dir, ink);
    }
    if (length > 0) {
        const s_rct t = box(a + offset, length);
        p.fill(t.left, t.top, t.right - t.left, t.bottom - t.top, kFace);
        p.bevel(t.left, t.top, t.right - t.left, t.bottom - t.top, true);
    }
}

namespace {

// The window and kind whose values a bar shows: its own, or its window's for a window's bar.
WINDOW values_of(WINDOW win, std::int32_t *kind) noexcept {
    if (win->internal->window_bar) {
        *kind = win_effective_type(win) == WC_VSCROLL ? VKO_SBAR_VERT : VKO_SBAR_HORZ;
        return win->parent;
    }
    *kind = VKO_SBAR_CONTROL;
    return win;
}

BarModel model_of(WINDOW win) noexcept {
    BarModel bar;
    std::int32_t kind = 0;
    WINDOW from = values_of(win, &kind);
    vkok_sbar_get_range(from, kind, &bar.min, &bar.max);
    bar.pos = vkok_sbar_get_pos(from, kind);
    bar.page = vkok_sbar_get_proportion(from, kind);
    bar.vertical = win_effective_type(win) == WC_VSCROLL;
    return bar;
}

// The position an action asks for, from the current one.
std::int32_t wanted(const BarModel &bar, int action) noexcept {
    const std::int64_t page = std::max(bar.page, 1);
    std::int64_t pos = bar.pos;
    switch (action) {
    case SC_LINE_UP:
        pos -= 1;
        break;
    case SC_LINE_DOWN:
        pos += 1;
        break;
    case SC_PAGE_UP:
        pos -= page;
        break;
    case SC_PAGE_DOWN:
        pos += page;
        break;
    default:
        break;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(pos, bar.min, bar.last()));
}

// Sends one action; false when the bar did not survive its parent's answer. A window's own
// bar sends its window a scroll event instead of a control event.
bool act(WINDOW win, int action, std::int32_t pos) noexcept {
    if (!win->internal->window_bar)
        return notify(win, action, static_cast<std::int16_t>(pos));
    const std::uint64_t order = win->internal->created_order;
    EVENT ev{};
    ev.type = win_effective_type(win) == WC_VSCROLL ? E_VSCROLL : E_HSCROLL;
    ev.v.scroll.what = action;
    ev.v.scroll.pos = static_cast<std::int16_t>(pos);
    win_deliver_event(win->parent, &ev);
    const vko_win_internal *still = win_internal(win);
    return still != nullptr && still->created_order == order;
}

void draw(WINDOW win, const Ui &st) {
    Paint p(win, "scroll_bar");
    if (!p.ok())
        return;
    BarModel bar = model_of(win);
    if (st.pressed && st.part == SC_THUMB)
        bar.pos = st.drag_pos;
    const s_rct area = win_client_rect(win);
    draw_bar(p, bar, area, st.pressed && st.inside ? st.part : kBarNone);
    if (has_focus(win)) {
        int offset = 0, length = 0;
        bar_thumb(bar, area, &offset, &length);
        const int a = bar_trough_start(bar, area);
        if (length > 0) {
            if (bar.vertical)
                p.focus_rect(3, a + offset + 3, area.right - 6, length - 6);
            else
                p.focus_rect(a + offset + 3, 3, length - 6, area.bottom - 6);
        }
    }
}

std::int32_t on_mouse(WINDOW win, Ui *st, const EVENT &ev) {
    const BarModel bar = model_of(win);
    const s_rct area = win_client_rect(win);
    const s_pnt where = ev.v.mouse.where;
    switch (ev.type) {
    case E_MOUSE_DOWN:
    case E_MOUSE_DBL: {
        if (ev.v.mouse.button != 0)
            return 0;
        focus_on_click(win);
        const int part = bar_part_at(bar, area, where);
        if (!win_is_live(win) || part == kBarNone)
            return 1;
        st->pressed = true;
        st->inside = true;
        st->part = part;
        st->last_mouse = where;
        win_invalidate(win, nullptr);
        if (part == SC_THUMB) {
            int offset = 0, length = 0;
            bar_thumb(bar, area, &offset, &length);
            const int c = bar.vertical ? where.v : where.h;
            st->drag_from = c - (bar_trough_start(bar, area) + offset);
            st->drag_pos = bar.pos;
            return 1;
        }
        stop_repeat(st);
        st->timer = vkov_timer_create(win, kRepeatDelayMs);
        act(win, part, wanted(bar, part));
        return 1;
    }
    case E_MOUSE_MOVE:
        if (!st->pressed)
            return 1;
        st->last_mouse = where;
        if (st->part == SC_THUMB) {
            const int c = bar.vertical ? where.v : where.h;
            const std::int32_t pos =
                bar_pos_at(bar, area, c - st->drag_from - bar_trough_start(bar, area));
            if (pos != st->drag_pos) {
                st->drag_pos = pos;
                win_invalidate(win, nullptr);
                act(win, SC_THUMBTRACK, pos);
            }
        } else {
            const bool inside = bar_part_at(bar, area, where) == st->part;
            if (inside != st->inside) {
                st->inside = inside;
                win_invalidate(win, nullptr);
            }
        }
        return 1;
    case E_MOUSE_UP:
        if (!st->pressed)
            return 1;
        st->pressed = false;
        stop_repeat(st);
        win_invalidate(win, nullptr);
        if (st->part == SC_THUMB)
            act(win, SC_THUMB, st->drag_pos);
        return 1;
    default:
        return 0;
    }
}

std::int32_t on_timer(WINDOW win, Ui *st, const EVENT &ev) {
    if (ev.v.timer.id != st->timer)
        return 0;
    if (!st->pressed || st->part == SC_THUMB) {
        stop_repeat(st);
        return 1;
    }
    // After the first delay the arrow repeats quickly.
    stop_repeat(st);
    st->timer = vkov_timer_create(win, kRepeatMs);
    const BarModel bar = model_of(win);
    const int part = bar_part_at(bar, win_client_rect(win), st->last_mouse);
    // A page area repeats only while the pointer stays beyond the thumb.
    if (part == st->part)
        act(win, part, wanted(bar, part));
    return 1;
}

std::int32_t on_key(WINDOW win, const s_char &key) {
    if (key.virt == 0)
        return 0;
    const BarModel bar = model_of(win);
    switch (key.ch) {
    case VKO_KEY_UP:
    case VKO_KEY_LEFT:
        act(win, SC_LINE_UP, wanted(bar, SC_LINE_UP));
        return 1;
    case VKO_KEY_DOWN:
    case VKO_KEY_RIGHT:
        act(win, SC_LINE_DOWN, wanted(bar, SC_LINE_DOWN));
        return 1;
    case VKO_KEY_PAGE_UP:
        act(win, SC_PAGE_UP, wanted(bar, SC_PAGE_UP));
        return 1;
    case VKO_KEY_PAGE_DOWN:
        act(win, SC_PAGE_DOWN, wanted(bar, SC_PAGE_DOWN));
        return 1;
    case VKO_KEY_LINE_START:
    case VKO_KEY_TEXT_START:
        act(win, SC_THUMB, bar.min);
        return 1;
    case VKO_KEY_LINE_END:
    case VKO_KEY_TEXT_END:
        act(win, SC_THUMB, bar.last());
        return 1;
    default:
        return 0;
    }
}

// The rectangles of a window's bars in its client area: the vertical one along the right edge,
// the horizontal one along the bottom, each leaving the corner to the other.
s_rct window_bar_rect(WINDOW win, bool vertical) noexcept {
    const s_rct c = win_client_rect(win);
    const bool both = (win->flags & VKO_WSF_HSCROLL) != 0 && (win->flags & VKO_WSF_VSCROLL) != 0;
    const auto thick = static_cast<std::int16_t>(
        vkok_vobj_get_attr(NULL_WIN, vertical ? VKO_ATTR_VSCROLL_WIDTH : VKO_ATTR_HSCROLL_HEIGHT));
    const auto corner = static_cast<std::int16_t>(both ? thick : 0);
    if (vertical)
        return s_rct{0, static_cast<std::int16_t>(std::max(0, c.right - thick)),
                     static_cast<std::int16_t>(std::max(0, c.bottom - corner)), c.right};
    return s_rct{static_cast<std::int16_t>(std::max(0, c.bottom - thick)), 0, c.bottom,
                 static_cast<std::int16_t>(std::max(0, c.right - corner))};
}

} // namespace

void make_window_bars(WINDOW win) noexcept {
    if (!win_is_live(win) || (win->type != W_DOC && win->type != W_PLAIN && win->type != W_TASK))
        return;
    for (const bool vertical : {false, true}) {
        if ((win->flags & (vertical ? VKO_WSF_VSCROLL : VKO_WSF_HSCROLL)) == 0)
            continue;
        WinCreateArgs args;
        args.type = vertical ? WC_VSCROLL : WC_HSCROLL;
        args.rct = window_bar_rect(win, vertical);
        args.parent = win;
        args.event_mask = 0;
        args.send_create = false;
        if (WINDOW bar = win_create_record(args))
            bar->internal->window_bar = true;
    }
}

void place_window_bars(WINDOW win) noexcept {
    const vko_win_internal *in = win_internal(win);
    if (in == nullptr)
        return;
    for (WINDOW kid : in->children) {
        if (!kid->internal->window_bar)
            continue;
        kid->internal->placement = window_bar_rect(win, win_effective_type(kid) == WC_VSCROLL);
        surface_layout_changed();
        win_invalidate(kid, nullptr);
    }
}

std::int32_t sbar_event(WINDOW win, EVENT *event) noexcept {
    Ui *st = ui(win);
    if (st == nullptr)
        return 0;
    try {
        switch (event->type) {
        case E_UPDATE:
            draw(win, *st);
            return 1;
        case E_MOUSE_DOWN:
        case E_MOUSE_DBL:
        case E_MOUSE_MOVE:
        case E_MOUSE_UP:
            return on_mouse(win, st, *event);
        case E_TIMER:
            return on_timer(win, st, *event);
        case E_CHAR:
            return on_key(win, event->v.chr);
        default:
            return 0;
        }
    } catch (...) {
        return 0;
    }
}

} // namespace vkobase::ctl
