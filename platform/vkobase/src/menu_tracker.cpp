// menu_tracker.cpp: the open menu and the pointer. At most one menu is open at a time, a menu
// of a window's bar or a pop-up; one tracker follows the mouse while it is open: a press on a
// title opens its pull-down, the pointer moving over items highlights them and opens their
// submenus, a release or click on an item chooses it (a bar sends the owner its menu event, a
// pop-up answers the tag), a press outside every menu closes it. Headless runs take the same
// path: the levels are windows with surfaces, the input arrives as events.
#include <vector>

#include "core_internal.h"
#include "menu_view_internal.h"
#include "window_internal.h"

namespace vkobase::menu_view {

MenuViewState &st() noexcept {
    static MenuViewState s;
    return s;
}

Tracker &tr() noexcept {
    return st().tracker;
}

bool owner_alive() noexcept {
    const vko_win_internal *in = vkobase::win_internal(tr().owner);
    return in != nullptr && in->created_order == tr().owner_order;
}

bool chooseable(const s_mitem &item) noexcept {
    return item.separator == 0 && item.enabled != 0 && item.child == nullptr;
}

bool opens_submenu(const s_mitem &item) noexcept {
    return item.separator == 0 && item.enabled != 0 && item.child != nullptr;
}

// Ends tracking: every level closes, the bar loses its highlight.
void finish() noexcept {
    pop_to(0);
    const bool had_bar = tr().from_bar && tr().bar_hot >= 0;
    Tracker &t = tr();
    const Tracker ended = t;
    t = Tracker{};
    t.done = ended.done;
    t.chosen = ended.chosen;
    if (had_bar)
        vkobase::menu::bar_changed();
}

namespace {

// The user chose an item: a bar sends its owner the menu event, a pop-up answers it.
void choose(const s_mitem &item, bool shift, bool control) noexcept {
    const std::int16_t tag = item.tag;
    const bool from_bar = tr().from_bar;
    WINDOW owner = owner_alive() ? tr().owner : nullptr;
    tr().done = true;
    tr().chosen = tag;
    finish();
    if (from_bar && owner != nullptr) {
        EVENT ev{};
        ev.type = E_COMMAND;
        ev.v.cmd.tag = tag;
        ev.v.cmd.shift = shift ? TRUE : FALSE;
        ev.v.cmd.control = control ? TRUE : FALSE;
        vkobase::win_post_event(owner, ev);
    }
}

} // namespace

void dismiss() noexcept {
    tr().done = true;
    tr().chosen = 0;
    finish();
}

int first_item(const s_mitem *items, int from, int step) noexcept {
    const int n = count_items(items);
    if (n == 0)
        return -1;
    int i = from;
    for (int k = 0; k < n; ++k) {
        i = ((i % n) + n) % n;
        if (items[i].separator == 0)
            return i;
        i += step;
    }
    return -1;
}

int first_enabled_item(const s_mitem *items, int from, int step) noexcept {
    const int n = count_items(items);
    int i = from;
    for (int k = 0; k < n; ++k) {
        i = ((i % n) + n) % n;
        if (items[i].separator == 0 && items[i].enabled != 0)
            return i;
        i += step;
    }
    return first_item(items, from, step);
}

// Opens the bar title's pull-down (closing what was open), highlighting an item for keys.
void open_title(int index, bool with_hot, bool from_bottom) noexcept {
    pop_to(0);
    Tracker &t = tr();
    s_mitem *tree = vkobase::menu::window_tree(t.owner);
    if (tree == nullptr || index < 0 || index >= count_items(tree))
        return;
    t.bar_hot = index;
    vkobase::menu::bar_changed();
    s_mitem &title = tree[index];
    if (title.child == nullptr || title.enabled == 0)
        return;
    std::vector<Span> spans;
    try {
        spans = spans_of(t.owner);
    } catch (...) {
        return;
    }
    if (static_cast<std::size_t>(index) >= spans.size())
        return;
    const s_rct strip = bar_strip(t.owner);
    const int hot = with_hot
                        ? first_enabled_item(title.child,
                                             from_bottom ? count_items(title.child) - 1 : 0,
                                             from_bottom ? -1 : 1)
                        : -1;
    push_level(title.child,
               s_pnt{strip.bottom, static_cast<std::int16_t>(
                                       strip.left + spans[static_cast<std::size_t>(index)].left)},
               -1, hot, strip.top);
}

// Opens the submenu of the hot item of level index.
void open_submenu(std::size_t index, bool with_hot) noexcept {
    if (index >= tr().levels.size())
        return;
    const Level &level = tr().levels[index];
    if (level.hot < 0)
        return;
    s_mitem &item = level.items[level.hot];
    if (!opens_submenu(item))
        return;
    pop_to(index + 1);
    const s_pnt at{
        static_cast<std::int16_t>(level.rect.top + shown_top(level, level.hot) - kBorder),
        static_cast<std::int16_t>(level.rect.right - 3)};
    push_level(item.child, at, level.rect.left + 3,
               with_hot ? first_enabled_item(item.child, 0, 1) : -1);
}

namespace {

// What lies under a screen point: a level and item (the deepest level first), or a title.
struct Hit {
    int level = -1;
    int item = -1;
    int title = -1;
};

Hit hit_test(s_pnt p) noexcept {
    Hit hit;
    const auto &levels = tr().levels;
    for (int i = static_cast<int>(levels.size()) - 1; i >= 0; --i) {
        const s_rct &r = levels[static_cast<std::size_t>(i)].rect;
        if (p.v >= r.top && p.v < r.bottom && p.h >= r.left && p.h < r.right) {
            hit.level = i;
            hit.item = item_at(levels[static_cast<std::size_t>(i)], p.v - r.top);
            return hit;
        }
    }
    if (tr().from_bar && owner_alive()) {
        const s_rct strip = bar_strip(tr().owner);
        if (p.v >= strip.top && p.v < strip.bottom && p.h >= strip.left && p.h < strip.right) {
            try {
                const std::vector<Span> spans = spans_of(tr().owner);
                for (std::size_t i = 0; i < spans.size(); ++i)
                    if (p.h - strip.left >= spans[i].left && p.h - strip.left < spans[i].right)
                        hit.title = static_cast<int>(i);
            } catch (...) {
            }
        }
    }
    return hit;
}

} // namespace

// Makes item the hot one of its level and opens its submenu when it has one.
void hover(std::size_t level, int item) noexcept {
    if (level >= tr().levels.size())
        return;
    const bool same = tr().levels[level].hot == item;
    set_hot(level, item);
    if (same && tr().levels.size() > level + 1)
        return; // its submenu is already open
    pop_to(level + 1);
    if (item >= 0 && opens_submenu(tr().levels[level].items[item]))
        open_submenu(level, false);
}

// Enter, or the item's letter: choose it or open its submenu.
void activate_item(std::size_t level, int item, bool shift, bool control) noexcept {
    if (level >= tr().levels.size() || item < 0)
        return;
    set_hot(level, item);
    const s_mitem &it = tr().levels[level].items[item];
    if (opens_submenu(it))
        open_submenu(level, true);
    else if (chooseable(it))
        choose(it, shift, control);
}

namespace {

// A press on a title: its release chooses an item only after the pointer moved.
void press_title(s_pnt screen) noexcept {
    Tracker &t = tr();
    t.button_down = true;
    t.pressed_inside = true;
    t.pressed_in_level = false;
    t.moved = false;
    t.opened_at = screen;
}

// The pointer over a scrolling level's arrow (or away from every arrow, level -1).
void point_at_arrow(int level, int item) noexcept {
    for (int i = 0; i < static_cast<int>(tr().levels.size()); ++i) {
        const int arrow = i != level ? 0 : item == kArrowUp ? -1 : item == kArrowDown ? 1 : 0;
        set_arrow(tr().levels[static_cast<std::size_t>(i)], arrow);
    }
}

} // namespace

bool start(WINDOW owner, bool from_bar) noexcept {
    if (tr().active)
        dismiss();
    vko_win_internal *in = vkobase::win_internal(owner);
    if (in == nullptr)
        return false;
    Tracker &t = tr();
    t = Tracker{};
    t.active = true;
    t.owner = owner;
    t.owner_order = in->created_order;
    t.from_bar = from_bar;
    return true;
}

} // namespace vkobase::menu_view

using namespace vkobase::menu_view;

void vkobase_reset_menu_view() noexcept {
    // Windows are freed by the reset itself; only the tracker's view of them is dropped.
    st().tracker = Tracker{};
}

namespace vkobase::menu {

bool is_active() noexcept {
    if (tr().active && !owner_alive())
        dismiss();
    return tr().active;
}

WINDOW active_owner() noexcept {
    return is_active() ? tr().owner : nullptr;
}

bool is_level_window(WINDOW win) noexcept {
    for (const Level &level : tr().levels)
        if (level.win == win)
            return true;
    return false;
}

bool opened_from_bar() noexcept {
    return tr().active && tr().from_bar;
}

bool bar_press(WINDOW owner, s_pnt screen, bool shift, bool control) noexcept {
    (void)shift;
    (void)control;
    if (!shows_bar(owner))
        return false;
    if (tr().active && tr().owner == owner && tr().from_bar) {
        const Hit hit = hit_test(screen);
        if (hit.title >= 0 && hit.title == tr().bar_hot && !tr().levels.empty()) {
            dismiss(); // a press on the open title closes its menu
            return true;
        }
        if (hit.title < 0)
            return false;
        press_title(screen);
        open_title(hit.title, false);
        return true;
    }
    if (!start(owner, true))
        return false;
    const Hit hit = hit_test(screen);
    if (hit.title < 0) {
        finish();
        return false;
    }
    press_title(screen);
    open_title(hit.title, false);
    return true;
}

void pointer(e_event type, s_pnt p, bool shift, bool control) noexcept {
    if (!is_active())
        return;
    Tracker &t = tr();
    const Hit hit = hit_test(p);
    if (type == E_MOUSE_MOVE && (p.v != t.opened_at.v || p.h != t.opened_at.h))
        t.moved = true;
    const bool on_arrow = hit.level >= 0 && (hit.item == kArrowUp || hit.item == kArrowDown);
    point_at_arrow(hit.level, hit.item);
    switch (type) {
    case E_MOUSE_DOWN:
    case E_MOUSE_DBL:
        t.button_down = true;
        t.pressed_inside = true;
        t.pressed_in_level = hit.level >= 0;
        if (hit.title >= 0) {
            if (hit.title == t.bar_hot && !t.levels.empty()) {
                dismiss();
            } else {
                press_title(p);
                open_title(hit.title, false);
            }
        } else if (on_arrow) {
            scroll_level(static_cast<std::size_t>(hit.level), hit.item == kArrowUp ? -1 : 1);
        } else if (hit.level >= 0) {
            hover(static_cast<std::size_t>(hit.level), hit.item);
        } else {
            dismiss(); // a press outside every menu closes it
        }
        return;
    case E_MOUSE_MOVE:
        if (hit.title >= 0 && hit.title != t.bar_hot && (!t.levels.empty() || t.button_down))
            open_title(hit.title, false);
        else if (on_arrow)
            return;
        else if (hit.level >= 0)
            hover(static_cast<std::size_t>(hit.level), hit.item);
        else if (!t.levels.empty() && hit.title < 0 && t.levels.size() == 1)
            set_hot(0, -1);
        return;
    case E_MOUSE_UP: {
        t.button_down = false;
        if (hit.level >= 0 && hit.item >= 0) {
            // A click on a title opens its menu and nothing more: the release chooses only
            // after a press on the menu itself or a drag to the item.
            const s_mitem &item = t.levels[static_cast<std::size_t>(hit.level)].items[hit.item];
            if (chooseable(item) && (t.pressed_in_level || t.moved))
                choose(item, shift, control);
            return;
        }
        // A release away from the menus after dragging through them closes them; a click
        // on a title leaves its menu open.
        if (hit.level < 0 && hit.title < 0 && t.moved && t.pressed_inside)
            dismiss();
        return;
    }
    default:
        return;
    }
}

int level_count() noexcept {
    return static_cast<int>(tr().levels.size());
}

WINDOW level_window(int level) noexcept {
    return level >= 0 && level < level_count() ? tr().levels[static_cast<std::size_t>(level)].win
                                               : nullptr;
}

s_rct item_rect(int level, int item) noexcept {
    if (level < 0 || level >= level_count())
        return s_rct{};
    const Level &l = tr().levels[static_cast<std::size_t>(level)];
    if (item < 0 || item >= count_items(l.items) || !item_in_view(l, item))
        return s_rct{};
    const int top = l.rect.top + shown_top(l, item);
    return s_rct{static_cast<std::int16_t>(top), static_cast<std::int16_t>(l.rect.left + kBorder),
                 static_cast<std::int16_t>(top + item_height(l.items[item])),
                 static_cast<std::int16_t>(l.rect.right - kBorder)};
}

void close(WINDOW owner) noexcept {
    if (tr().active && (owner == nullptr || tr().owner == owner))
        dismiss();
}

std::int16_t run_popup(MENU_TREE items, WINDOW win, s_pnt pos, std::int32_t align,
                       std::int16_t tag) noexcept {
    if (count_items(items) == 0 || !start(win, false))
        return 0;
    int hot = -1;
    int lift = 0;
    if (align == 3) {
        for (int i = 0; i < count_items(items); ++i)
            if (items[i].tag == tag && items[i].separator == 0) {
                hot = i;
                lift = item_top(items, i);
            }
    }
    const s_pnt origin = win_client_origin_on_screen(win);
    const s_pnt at{static_cast<std::int16_t>(origin.v + pos.v - lift),
                   static_cast<std::int16_t>(origin.h + pos.h)};
    tr().opened_at = at;
    push_level(items, at, -1, hot);
    if (tr().levels.empty()) {
        finish();
        return 0;
    }
    // The user's input drives the tracker through the event loop until it is done; when
    // nothing more can arrive (tests), the menu is dismissed.
    while (tr().active && !tr().done) {
        app_process_events();
        if (!tr().active || tr().done)
            break;
        if (!owner_alive() || !app_wait_for_work()) {
            dismiss();
            break;
        }
    }
    const std::int16_t chosen = tr().done ? tr().chosen : 0;
    tr().done = false;
    tr().chosen = 0;
    return chosen;
}

} // namespace vkobase::menu
