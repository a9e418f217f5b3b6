// ctl_list.cpp: list controls as the user sees them. A list box shows its items in rows with
// its own vertical bar when they do not fit; a click selects (Control toggles and Shift extends
// in a list box of several selections), the keys move the selection, a letter jumps to the next
// item that starts with it, and each selection the user makes, and each double click, sends the
// parent a control event (the list word: 0 for a selection, 1 for a double click). A list button
// is a closed field showing its selected item and a button that opens a drop-down list; a list
// edit is an edit field with that button. The drop-down list is a pop-up window of its own on
// the screen, in front of the control's window and free to reach past it, that holds the
// pointer until an item is chosen or the user clicks elsewhere.
// Only the rows in view are read and drawn, so a long list costs no more than a short one.
#include <algorithm>
#include <cctype>
#include <string>

#include "ctl_internal.h"
#include "vkobase/ctl.h"
#include "vkobase/list.h"
#include "vkobase/timer.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "window_internal.h"

namespace vkobase::ctl {

namespace {

constexpr int kDropRows = 8;                   // rows of a drop-down list
constexpr int kItemsPart = 10;                 // Ui::part while items are dragged over

int count_of(WINDOW win) noexcept {
    return std::max(0, vkok_list_count_all(win));
}

int row_height(WINDOW win) noexcept {
    return std::max(1, line_height(win) + 2);
}

int bar_width() noexcept {
    return static_cast<int>(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_VSCROLL_WIDTH));
}

int field_height(WINDOW win) noexcept {
    const int h = win_client_rect(win).bottom;
    return std::min(h, static_cast<int>(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_LISTBUTTON_HEIGHT)));
}

std::string item_text(WINDOW win, int index) {
    char buf[512] = {};
    vkok_list_get_elt(win, index, buf, sizeof buf);
    return buf;
}

bool multi(WINDOW win) noexcept {
    return win_effective_type(win) == WC_LBOX && (win->flags & VKO_CTL_MULTI_SEL) != 0;
}

// Where the rows of a list lie (inside the frame) and its bar, when it needs one.
struct Layout {
    s_rct rows{};
    s_rct bar{};
    bool has_bar = false;
    int visible = 1; // whole rows in view
};

Layout layout_of(WINDOW list, const s_rct &inside) noexcept {
    Layout l;
    l.rows = inside;
    const int rh = row_height(list);
    l.visible = std::max(1, (inside.bottom - inside.top) / rh);
    if (count_of(list) > l.visible) {
        l.has_bar = true;
        l.bar = inside;
        l.bar.left =
            static_cast<std::int16_t>(std::max<int>(inside.left, inside.right - bar_width()));
        l.rows.right = l.bar.left;
    }
    return l;
}

BarModel bar_of(WINDOW list, const Ui &st, const Layout &l) noexcept {
    BarModel bar;
    bar.min = 0;
    bar.max = std::max(0, count_of(list) - 1);
    bar.page = l.visible;
    bar.pos = st.top;
    bar.vertical = true;
    return bar;
}

void clamp_view(WINDOW list, Ui *st, int visible) noexcept {
    const int n = count_of(list);
    st->top = std::clamp(st->top, 0, std::max(0, n - visible));
    st->focus_item = std::clamp(st->focus_item, 0, std::max(0, n - 1));
}

void scroll_into_view(Ui *st, int item, int visible) noexcept {
    if (item < st->top)
        st->top = item;
    else if (item >= st->top + visible)
        st->top = item - visible + 1;
}

// The rows of a list: selected ones (or the highlighted one of a drop-down) inverted, the focus
// rectangle on the focus item while the list has the focus.
void draw_rows(const Paint &p, WINDOW list, const Ui &st, const s_rct &rows, int highlight,
               bool show_focus) {
    const int rh = row_height(list);
    const int n = count_of(list);
    const COLOR fore = p.enabled() ? p.color(VKO_CC_FORE, VKO_COLOR_BLACK) : kShadow;
    const int width = rows.right - rows.left;
    for (int i = st.top, y = rows.top; i < n && y < rows.bottom; ++i, y += rh) {
        const bool lit = highlight >= 0 ? i == highlight : vkok_list_is_sel(list, i) != FALSE;
        const std::string text = item_text(list, i);
        if (lit && p.enabled())
            p.fill(rows.left, y, width, rh, p.color(VKO_CC_HILIGHT_BACK, kSelectBack));
        p.text(rows.left + 2, y + 1 + p.ascent(), text.c_str(), static_cast<int>(text.size()),
               lit && p.enabled() ? p.color(VKO_CC_HILIGHT_FORE, kSelectFore) : fore);
        if (show_focus && i == st.focus_item)
            p.focus_rect(rows.left, y, width, rh);
    }
}

// ---- selection ---------------------------------------------------------------------------

// Selects exactly one item; true when that changed anything.
bool select_only(WINDOW list, int item) noexcept {
    if (vkok_list_count_sel(list) == 1 && vkok_list_is_sel(list, item))
        return false;
    if (win_effective_type(list) == WC_LBOX)
        vkok_list_set_sel(list, -1, FALSE);
    vkok_list_set_sel(list, item, TRUE);
    return true;
}

// Selects the items from a to b and nothing else; true when that changed anything.
bool select_range(WINDOW list, int a, int b) noexcept {
    const int lo = std::min(a, b), hi = std::max(a, b);
    bool changed = false;
    vkok_list_suspend(list);
    for (int i = 0, n = count_of(list); i < n; ++i) {
        const bool want = i >= lo && i <= hi;
        if ((vkok_list_is_sel(list, i) != FALSE) != want) {
            vkok_list_set_sel(list, i, want ? TRUE : FALSE);
            changed = true;
        }
    }
    vkok_list_resume(list);
    return changed;
}

// The next item after from (wrapping) whose text starts with the letter; -1 when none does.
int item_starting(WINDOW list, int from, uint16_t letter) {
    const int n = count_of(list);
    const int want = std::tolower(letter);
    for (int k = 1; k <= n; ++k) {
        const int i = (from + k) % n;
        const std::string text = item_text(list, i);
        if (!text.empty() && std::tolower(static_cast<unsigned char>(text[0])) == want)
            return i;
    }
    return -1;
}

// The item a navigation key leads to from the focus item; -1 for other keys.
int item_for_key(WINDOW list, const Ui &st, const s_char &key, int visible) {
    const int n = count_of(list);
    if (n == 0)
        return -1;
    if (key.virt == 0) {
        if (key.ch > ' ' && key.ch < 256 && key.control == 0)
            return item_starting(list, st.focus_item, key.ch);
        return -1;
    }
    int to = st.focus_item;
    switch (key.ch) {
    case VKO_KEY_UP:
        to -= 1;
        break;
    case VKO_KEY_DOWN:
        to += 1;
        break;
    case VKO_KEY_PAGE_UP:
        to -= std::max(1, visible - 1);
        break;
    case VKO_KEY_PAGE_DOWN:
        to += std::max(1, visible - 1);
        break;
    case VKO_KEY_LINE_START:
    case VKO_KEY_TEXT_START:
        to = 0;
        break;
    case VKO_KEY_LINE_END:
    case VKO_KEY_TEXT_END:
        to = n - 1;
        break;
    default:
        return -1;
    }
    return std::clamp(to, 0, n - 1);
}

// One step of the list's own bar.
void scroll_step(WINDOW list, Ui *st, int part, int visible) noexcept {
    switch (part) {
    case SC_LINE_UP:
        st->top -= 1;
        break;
    case SC_LINE_DOWN:
        st->top += 1;
        break;
    case SC_PAGE_UP:
        st->top -= visible;
        break;
    case SC_PAGE_DOWN:
        st->top += visible;
        break;
    default:
        break;
    }
    clamp_view(list, st, visible);
    win_invalidate(list, nullptr);
}

// ---- list boxes --------------------------------------------------------------------------

s_rct box_inside(WINDOW list) noexcept {
    const s_rct c = win_client_rect(list);
    return s_rct{2, 2, static_cast<std::int16_t>(c.bottom - 2),
                 static_cast<std::int16_t>(c.right - 2)};
}

void draw_box(WINDOW list, Ui *st) {
    Paint p(list, "list_box");
    if (!p.ok())
        return;
    const Layout l = layout_of(list, box_inside(list));
    clamp_view(list, st, l.visible);
    p.fill(0, 0, p.width(), p.height(),
           p.enabled() ? p.color(VKO_CC_BACK, VKO_COLOR_WHITE) : kFace);
    p.bevel(0, 0, p.width(), p.height(), false);
    {
        cairo_t *cr = p.cr();
        cairo_save(cr);
        cairo_rectangle(cr, l.rows.left, l.rows.top, l.rows.right - l.rows.left,
                        l.rows.bottom - l.rows.top);
        cairo_clip(cr);
        draw_rows(p, list, *st, l.rows, -1, has_focus(list));
        cairo_restore(cr);
    }
    if (l.has_bar) {
        BarModel bar = bar_of(list, *st, l);
        draw_bar(p, bar, l.bar, st->pressed && st->part < kItemsPart ? st->part : kBarNone);
    }
}

bool point_in(const s_rct &r, s_pnt p) noexcept {
    return p.v >= r.top && p.v < r.bottom && p.h >= r.left && p.h < r.right;
}

// The item under a point of the rows (clamped to the rows in view); -1 when the list is empty.
int item_at(WINDOW list, const Ui &st, const Layout &l, s_pnt where) noexcept {
    const int n = count_of(list);
    if (n == 0)
        return -1;
    const int rh = row_height(list);
    const int row = std::clamp((where.v - l.rows.top) / rh, 0, l.visible - 1);
    return std::min(n - 1, st.top + (where.v < l.rows.top ? -1 : row));
}

std::int32_t box_mouse(WINDOW list, Ui *st, const EVENT &ev) {
    const Layout l = layout_of(list, box_inside(list));
    const s_pnt where = ev.v.mouse.where;
    switch (ev.type) {
    case E_MOUSE_DOWN:
    case E_MOUSE_DBL: {
        if (ev.v.mouse.button != 0)
            return 0;
        focus_on_click(list);
        if (!win_is_live(list))
            return 1;
        if (l.has_bar && point_in(l.bar, where)) {
            const BarModel bar = bar_of(list, *st, l);
            const int part = bar_part_at(bar, l.bar, where);
            if (part == kBarNone)
                return 1;
            st->pressed = true;
            st->part = part;
            st->last_mouse = where;
            if (part == SC_THUMB) {
                int offset = 0, length = 0;
                bar_thumb(bar, l.bar, &offset, &length);
                st->drag_from = where.v - (l.bar.top + bar_trough_start(bar, l.bar) + offset);
            } else {
                scroll_step(list, st, part, l.visible);
                stop_repeat(st);
                st->timer = vkov_timer_create(list, kRepeatDelayMs);
            }
            win_invalidate(list, nullptr);
            return 1;
        }
        const int item = point_in(l.rows, where) ? item_at(list, *st, l, where) : -1;
        if (item < 0)
            return 1;
        if (ev.type == E_MOUSE_DBL) {
            // The click before it selected the item; the double click adds its own event.
            if (select_only(list, item) && !notify(list, 0, 0))
                return 1;
            notify(list, 1, 0);
            return 1;
        }
        if (multi(list) && ev.v.mouse.control != FALSE) {
            vkok_list_set_sel(list, item, vkok_list_is_sel(list, item) ? FALSE : TRUE);
            st->anchor = item;
        } else if (multi(list) && ev.v.mouse.shift != FALSE) {
            select_range(list, st->anchor, item);
        } else {
            select_only(list, item);
            st->anchor = item;
        }
        st->focus_item = item;
        st->pressed = true;
        st->part = kItemsPart;
        win_invalidate(list, nullptr);
        notify(list, 0, 0);
        return 1;
    }
    case E_MOUSE_MOVE: {
        if (!st->pressed)
            return 1;
        st->last_mouse = where;
        if (st->part == SC_THUMB) {
            const BarModel bar = bar_of(list, *st, l);
            const int pos = bar_pos_at(
                bar, l.bar, where.v - l.bar.top - st->drag_from - bar_trough_start(bar, l.bar));
            if (pos != st->top) {
                st->top = pos;
                clamp_view(list, st, l.visible);
                win_invalidate(list, nullptr);
            }
            return 1;
        }
        if (st->part != kItemsPart || ev.v.mouse.control != FALSE)
            return 1;
        // Dragging over the items moves the selection with the pointer.
        const int item = item_at(list, *st, l, where);
        if (item < 0 || item == st->focus_item)
            return 1;
        const bool changed =
            multi(list) ? select_range(list, st->anchor, item) : select_only(list, item);
        st->focus_item = item;
        scroll_into_view(st, item, l.visible);
        win_invalidate(list, nullptr);
        if (changed)
            notify(list, 0, 0);
        return 1;
    }
    case E_MOUSE_UP:
        st->pressed = false;
        stop_repeat(st);
        win_invalidate(list, nullptr);
        return 1;
    default:
        return 0;
    }
}

std::int32_t box_key(WINDOW list, Ui *st, const s_char &key) {
    const Layout l = layout_of(list, box_inside(list));
    if (key.virt == 0 && key.ch == ' ' && multi(list)) {
        vkok_list_set_sel(list, st->focus_item,
                          vkok_list_is_sel(list, st->focus_item) ? FALSE : TRUE);
        win_invalidate(list, nullptr);
        notify(list, 0, 0);
        return 1;
    }
    int to = item_for_key(list, *st, key, l.visible);
    if (to < 0)
        return key.virt == 0 && key.ch > ' ' && key.ch < 256 && key.control == 0 ? 1 : 0;
    // With nothing selected the first arrow selects the item the focus rectangle stands on
    // (the first one in a fresh list), rather than the one after it.
    if (key.virt != 0 && (key.ch == VKO_KEY_DOWN || key.ch == VKO_KEY_UP) &&
        vkok_list_count_sel(list) == 0)
        to = std::clamp(st->focus_item, 0, count_of(list) - 1);
    bool changed = false;
    if (multi(list) && key.shift != 0 && key.virt != 0) {
        changed = select_range(list, st->anchor, to);
    } else if (!(multi(list) && key.control != 0)) {
        changed = select_only(list, to);
        st->anchor = to;
    }
    st->focus_item = to;
    scroll_into_view(st, to, l.visible);
    win_invalidate(list, nullptr);
    if (changed)
        notify(list, 0, 0);
    return 1;
}

std::int32_t box_timer(WINDOW list, Ui *st, const EVENT &ev) {
    if (ev.v.timer.id != st->timer)
        return 0;
    stop_repeat(st);
    if (!st->pressed || st->part >= SC_THUMB)
        return 1;
    st->timer = vkov_timer_create(list, kRepeatMs);
    const Layout l = layout_of(list, box_inside(list));
    if (bar_part_at(bar_of(list, *st, l), l.bar, st->last_mouse) == st->part)
        scroll_step(list, st, st->part, l.visible);
    return 1;
}

// ---- list buttons, list edits and their drop-down list -----------------------------------

// The field of a list button or list edit, and its button.
s_rct drop_button(WINDOW ctl) noexcept {
    const int fh = field_height(ctl);
    const int w = win_client_rect(ctl).right;
    const int bw = std::min(w, bar_width());
    return s_rct{2, static_cast<std::int16_t>(w - 2 - bw), static_cast<std::int16_t>(fh - 2),
                 static_cast<std::int16_t>(w - 2)};
}

s_rct text_area(WINDOW ctl) noexcept {
    const s_rct b = drop_button(ctl);
    return s_rct{2, 2, b.bottom, b.left};
}

std::int32_t popup_handler(WINDOW popup, EVENT *event);

void open_popup(WINDOW ctl, Ui *st) {
    const int n = count_of(ctl);
    if (n == 0 || win_is_live(st->popup))
        return;
    const int rows = std::min(n, kDropRows);
    const int rh = row_height(ctl);
    const int fh = field_height(ctl);
    const s_rct client = win_client_rect(ctl);
    // A window of its own on the screen, so that it may reach past the control's window.
    s_pnt corner{static_cast<std::int16_t>(fh), 0};
    vkok_vobj_translate_points(ctl, win_screen(), &corner, 1);
    const int height = rows * rh + 2;
    const s_rct screen = win_client_rect(win_screen());
    // Below the field when it fits on the screen, else above it; never past the right edge.
    int y = corner.v;
    if (y + height > screen.bottom && corner.v - fh - height >= screen.top)
        y = corner.v - fh - height;
    const int x = std::max<int>(screen.left, std::min<int>(corner.h, screen.right - client.right));
    WinCreateArgs args;
    args.type = W_NO_BORDER;
    args.rct =
        s_rct{static_cast<std::int16_t>(y), static_cast<std::int16_t>(x),
              static_cast<std::int16_t>(y + height), static_cast<std::int16_t>(x + client.right)};
    args.handler = popup_handler;
    args.app_data = reinterpret_cast<intptr_t>(ctl);
    args.send_create = false;
    WINDOW popup = win_create_record(args);
    if (popup == nullptr)
        return;
    st->popup = popup;
    if (Ui *pst = ui(popup)) {
        pst->focus_item = std::max(0, vkok_list_get_sel_index(ctl));
        pst->top = 0;
        scroll_into_view(pst, pst->focus_item, rows);
        clamp_view(ctl, pst, rows);
    }
    vkok_win_trap_pointer(popup);
    win_invalidate(ctl, nullptr);
}

// The user chose an item of the drop-down list: it becomes the selection (and a list edit's
// text), the list closes, the parent hears of it.
void choose(WINDOW ctl, int item) {
    close_popup(ctl);
    if (item < 0 || item >= count_of(ctl))
        return;
    if (win_effective_type(ctl) == WC_LISTEDIT) {
        vkok_list_set_sel(ctl, item, TRUE);
        field_replace(ctl, item_text(ctl, item).c_str(), text_area(ctl));
        return;
    }
    select_only(ctl, item);
    win_invalidate(ctl, nullptr);
    notify(ctl, 0, 0);
}

std::int32_t popup_handler(WINDOW popup, EVENT *event) {
    auto *ctl = reinterpret_cast<WINDOW>(popup->app_data);
    Ui *st = ui(popup);
    if (!win_is_live(ctl) || st == nullptr)
        return 0;
    const s_rct client = win_client_rect(popup);
    const s_rct inside{1, 1, static_cast<std::int16_t>(client.bottom - 1),
                       static_cast<std::int16_t>(client.right - 1)};
    const Layout l = layout_of(ctl, inside);
    try {
        switch (event->type) {
        case E_UPDATE: {
            Paint p(popup, "drop_down_list");
            if (!p.ok())
                return 0;
            p.fill(0, 0, p.width(), p.height(), VKO_COLOR_WHITE);
            p.frame(0, 0, p.width(), p.height(), VKO_COLOR_BLACK);
            draw_rows(p, ctl, *st, l.rows, st->focus_item, false);
            if (l.has_bar)
                draw_bar(p, bar_of(ctl, *st, l), l.bar, kBarNone);
            return 0;
        }
        case E_MOUSE_MOVE:
            st->last_mouse = event->v.mouse.where;
            st->hovered = point_in(l.rows, event->v.mouse.where);
            if (st->hovered) {
                const int item = item_at(ctl, *st, l, event->v.mouse.where);
                if (item != st->focus_item) {
                    st->focus_item = item;
                    win_invalidate(popup, nullptr);
                }
            }
            return 0;
        case E_MOUSE_DOWN:
        case E_MOUSE_DBL:
            if (!point_in(client, event->v.mouse.where)) {
                close_popup(ctl); // a click elsewhere closes the list without a choice
            } else if (l.has_bar && point_in(l.bar, event->v.mouse.where)) {
                const int part = bar_part_at(bar_of(ctl, *st, l), l.bar, event->v.mouse.where);
                scroll_step(ctl, st, part, l.visible);
                win_invalidate(popup, nullptr);
            }
            return 0;
        case E_MOUSE_UP:
            if (point_in(l.rows, event->v.mouse.where))
                choose(ctl, item_at(ctl, *st, l, event->v.mouse.where));
            return 0;
        case E_VSCROLL:
            // The mouse wheel turned over the open list moves its rows, as its bar does. The
            // highlight stays with the pointer: the row that came under it is lit, as a move
            // onto it would light it, and wheeling back lights the one lit before.
            scroll_step(ctl, st, event->v.scroll.what, l.visible);
            if (st->hovered)
                st->focus_item = item_at(ctl, *st, l, st->last_mouse);
            win_invalidate(popup, nullptr);
            return 0;
        default:
            return 0;
        }
    } catch (...) {
        return 0;
    }
}

void draw_drop(WINDOW ctl, Ui *st) {
    const bool edit = win_effective_type(ctl) == WC_LISTEDIT;
    Paint p(ctl, edit ? "list_edit" : "list_button");
    if (!p.ok())
        return;
    const int fh = field_height(ctl);
    const int w = p.width();
    p.fill(0, 0, w, fh, p.enabled() ? p.color(VKO_CC_BACK, VKO_COLOR_WHITE) : kFace);
    p.bevel(0, 0, w, fh, false);
    const s_rct text = text_area(ctl);
    if (edit) {
        field_draw(p, ctl, text);
    } else {
        const int sel = vkok_list_get_sel_index(ctl);
        const std::string shown = sel >= 0 ? item_text(ctl, sel) : std::string();
        const int lh = p.line_height();
        const double top = text.top + (text.bottom - text.top - lh) / 2.0;
        // The focused closed field shows its item inverted, with the focus rectangle.
        if (has_focus(ctl) && !win_is_live(st->popup)) {
            p.fill(text.left + 1, text.top + 1, text.right - text.left - 2,
                   text.bottom - text.top - 2, kSelectBack);
            p.focus_rect(text.left + 1, text.top + 1, text.right - text.left - 2,
                         text.bottom - text.top - 2);
        }
        const COLOR fore = has_focus(ctl) && !win_is_live(st->popup)
                               ? kSelectFore
                               : p.color(VKO_CC_FORE, VKO_COLOR_BLACK);
        if (p.enabled())
            p.text(text.left + 3, top + p.ascent(), shown.c_str(), static_cast<int>(shown.size()),
                   fore);
        else
            p.greyed_text(text.left + 3, top + p.ascent(), shown.c_str(),
                          static_cast<int>(shown.size()));
    }
    const s_rct b = drop_button(ctl);
    const int bw = b.right - b.left, bh = b.bottom - b.top;
    const bool down = win_is_live(st->popup);
    p.fill(b.left, b.top, bw, bh, kFace);
    if (down)
        p.frame(b.left, b.top, bw, bh, kShadow);
    else
        p.bevel(b.left, b.top, bw, bh, true);
    p.arrow(b.left + (down ? 1 : 0), b.top + (down ? 1 : 0), bw, bh, 1,
            p.enabled() ? VKO_COLOR_BLACK : kShadow);
}

std::int32_t drop_key(WINDOW ctl, Ui *st, const s_char &key) {
    const bool open = win_is_live(st->popup);
    const bool alt = (key.modifiers & 8u) != 0;
    if (key.virt != 0 && key.ch == VKO_KEY_DOWN && alt) {
        if (open)
            close_popup(ctl);
        else
            open_popup(ctl, st);
        return 1;
    }
    if (open) {
        Ui *pst = ui(st->popup);
        if (pst == nullptr)
            return 0;
        if (key.virt == 0 && key.ch == 13) {
            choose(ctl, pst->focus_item);
            return 1;
        }
        if (key.virt == 0 && key.ch == 27) {
            close_popup(ctl);
            return 1;
        }
        const int rows = std::min(count_of(ctl), kDropRows);
        const int to = item_for_key(ctl, *pst, key, rows);
        if (to < 0)
            return key.virt != 0 ? 1 : 0;
        pst->focus_item = to;
        scroll_into_view(pst, to, rows);
        win_invalidate(st->popup, nullptr);
        return 1;
    }
    const bool edit = win_effective_type(ctl) == WC_LISTEDIT;
    // A closed list button moves its selection with the keys; a list edit only with the
    // arrows, its letters being text.
    if (edit && key.virt == 0)
        return field_key(ctl, key, text_area(ctl)) ? 1 : 0;
    Ui probe = *st;
    probe.focus_item = std::max(0, vkok_list_get_sel_index(ctl));
    const int to = item_for_key(ctl, probe, key, 1);
    if (to < 0)
        return edit ? (field_key(ctl, key, text_area(ctl)) ? 1 : 0) : 0;
    if (edit && (key.ch == VKO_KEY_LINE_START || key.ch == VKO_KEY_LINE_END ||
                 key.ch == VKO_KEY_TEXT_START || key.ch == VKO_KEY_TEXT_END))
        return field_key(ctl, key, text_area(ctl)) ? 1 : 0;
    if (to == vkok_list_get_sel_index(ctl))
        return 1;
    if (edit) {
        vkok_list_set_sel(ctl, to, TRUE);
        field_replace(ctl, item_text(ctl, to).c_str(), text_area(ctl));
    } else {
        select_only(ctl, to);
        win_invalidate(ctl, nullptr);
        notify(ctl, 0, 0);
    }
    return 1;
}

std::int32_t drop_event(WINDOW ctl, Ui *st, EVENT *event) {
    const bool edit = win_effective_type(ctl) == WC_LISTEDIT;
    switch (event->type) {
    case E_UPDATE:
        draw_drop(ctl, st);
        return 1;
    case E_FOCUS:
        if (event->v.focus.active == FALSE)
            close_popup(ctl);
        if (edit)
            field_focus(ctl, event->v.focus.active != FALSE, text_area(ctl));
        return 1;
    case E_MOUSE_DOWN:
    case E_MOUSE_DBL: {
        const s_rct b = drop_button(ctl);
        const s_pnt at = event->v.mouse.where;
        // A list edit's text takes its own clicks; the button (anywhere on a list button's
        // field) opens or closes the list.
        if (edit && !point_in(b, at))
            return field_mouse(ctl, *event, text_area(ctl)) ? 1 : 0;
        focus_on_click(ctl);
        if (!win_is_live(ctl) || at.v >= field_height(ctl))
            return 1;
        if (win_is_live(st->popup))
            close_popup(ctl);
        else
            open_popup(ctl, st);
        return 1;
    }
    case E_MOUSE_MOVE:
    case E_MOUSE_UP:
        return edit ? (field_mouse(ctl, *event, text_area(ctl)) ? 1 : 0) : 1;
    case E_CHAR:
        return drop_key(ctl, st, event->v.chr);
    default:
        return 0;
    }
}

} // namespace

bool is_drop_down(WINDOW win) noexcept {
    return win_is_live(win) && win->handler == popup_handler;
}

bool takes_point_at(WINDOW ctl, std::int32_t v) noexcept {
    const e_win_type type = win_effective_type(ctl);
    if (type != WC_LISTBUTTON && type != WC_LISTEDIT)
        return true;
    const s_rct outer = win_outer_rect(ctl);
    const s_rct client = win_client_rect(ctl);
    const int border = (outer.bottom - outer.top) - (client.bottom - client.top);
    return v < field_height(ctl) + border;
}

WINDOW drop_down_owner(WINDOW win) noexcept {
    if (!is_drop_down(win))
        return nullptr;
    auto *ctl = reinterpret_cast<WINDOW>(win->app_data);
    return win_is_live(ctl) ? ctl : nullptr;
}

void close_popup(WINDOW ctl) noexcept {
    auto *st = static_cast<Ui *>(win_get_ext(ctl, vko_win_internal::kExtUi));
    if (st == nullptr || st->popup == nullptr)
        return;
    WINDOW popup = st->popup;
    st->popup = nullptr;
    if (win_is_live(popup)) {
        if (vkov_win_get_pointer_trap() == popup)
            vkok_win_release_pointer();
        win_destroy_record(popup);
    }
    if (win_is_live(ctl))
        win_invalidate(ctl, nullptr);
}

std::int32_t list_event(WINDOW win, EVENT *event) noexcept {
    Ui *st = ui(win);
    if (st == nullptr)
        return 0;
    try {
        if (win_effective_type(win) != WC_LBOX)
            return drop_event(win, st, event);
        switch (event->type) {
        case E_UPDATE:
            draw_box(win, st);
            return 1;
        case E_MOUSE_DOWN:
        case E_MOUSE_DBL:
        case E_MOUSE_MOVE:
        case E_MOUSE_UP:
            return box_mouse(win, st, *event);
        case E_TIMER:
            return box_timer(win, st, *event);
        case E_CHAR:
            return box_key(win, st, event->v.chr);
        case E_VSCROLL: {
            // The mouse wheel turned over the list.
            const Layout l = layout_of(win, box_inside(win));
            scroll_step(win, st, event->v.scroll.what, l.visible);
            return 1;
        }
        default:
            return 0;
        }
    } catch (...) {
        return 0;
    }
}

} // namespace vkobase::ctl
