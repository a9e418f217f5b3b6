// display_x11_windows.cpp: the X windows follow the window records. At every look the windows
// that should show (shown windows of their own, whose ancestors show) get an X window, which
// takes their place, size and title; those that went lose theirs, and the others copy their
// pixels again where one left. The X windows are stacked back to front as the records are;
// under a window manager the framed ones keep the order the manager gave them.
#include "display_x11_internal.h"

#include <cairo-xlib.h>

#include <algorithm>

#include "ctl_internal.h"
#include "menu_internal.h"
#include "vkobase/rect.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace vkobase::x11 {

namespace {

// Whether the window should be on the server now: shown windows of their own whose ancestors
// below the screen are shown too.
bool wanted(WINDOW win) noexcept {
    if (!vkobase::display_has_own_window(win))
        return false;
    for (WINDOW w = win; w != nullptr && w != vkobase::win_screen(); w = w->parent)
        if (!vkobase::win_is_live(w) || !w->internal->visible)
            return false;
    return true;
}

s_rct screen_placement(WINDOW win) noexcept {
    const s_pnt origin = vkobase::win_client_origin_on_screen(win);
    const s_rct client = vkobase::win_client_rect(win);
    return s_rct{origin.v, origin.h, static_cast<std::int16_t>(origin.v + client.bottom),
                 static_cast<std::int16_t>(origin.h + client.right)};
}

} // namespace

int extent(std::int16_t from, std::int16_t to) noexcept {
    return std::max(1, to - from);
}

namespace {

int bar_inset(WINDOW win) noexcept {
    return vkobase::menu::shows_bar(win) ? vkobase::menu::bar_height() : 0;
}

// The X window's rectangle on the screen, its menu-bar strip included.
s_rct screen_extent(const Shown &s) noexcept {
    return s_rct{static_cast<std::int16_t>(s.placement.top - s.inset), s.placement.left,
                 s.placement.bottom, s.placement.right};
}

// The other windows copy their pixels again where `gone` (a screen rectangle that a window has
// just left) lay over them. The server's exposure cannot be relied on for it: a server may
// give back pixels it saved when the window came, without asking, and those are stale when
// the window below drew meanwhile.
void refresh_under(const Shown &leaving, const s_rct &gone) noexcept {
    for (Shown &s : state().shown) {
        if (&s == &leaving || s.xwin == 0)
            continue;
        s_rct part{};
        const s_rct own = screen_extent(s);
        if (!vkov_rect_intersect(&part, &gone, &own))
            continue;
        if (part.top < s.placement.top)
            s.bar_lost = true;
        vkov_rect_offset(&part, static_cast<std::int16_t>(-s.placement.left),
                         static_cast<std::int16_t>(-s.placement.top));
        add_dirty(s, part);
    }
}

// Menu levels and drop-down lists: placed by the program, never framed by a window manager.
bool placed_by_program(WINDOW win) noexcept {
    return vkobase::menu::is_level_window(win) || vkobase::ctl::is_drop_down(win);
}

} // namespace

void destroy_shown(Shown &s) noexcept {
    DisplayState &st = state();
    if (s.xwin != 0)
        refresh_under(s, screen_extent(s));
    if (s.xwin != 0 && s.mapped && !placed_by_program(s.owner)) {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(st.dpy, &focus, &revert);
        if (focus == s.xwin)
            note_keys_orphaned();
    }
    if (s.xsurface != nullptr)
        cairo_surface_destroy(s.xsurface);
    s.xsurface = nullptr;
    if (s.xwin != 0 && s.xwin == st.grabbed) {
        XUngrabPointer(st.dpy, CurrentTime);
        st.grabbed = 0;
    }
    if (s.xwin != 0)
        XDestroyWindow(st.dpy, s.xwin);
    s.xwin = 0;
    if (st.press.target == s.owner)
        st.press = Press{};
}

namespace {

// Whether the menu-bar strips of two windows (screen placements with the strip above) lie
// partly along each other on the screen.
bool bars_meet(const s_rct &a, int a_inset, const s_rct &b, int b_inset) noexcept {
    return a.top - a_inset < b.top && b.top - b_inset < a.top && a.left < b.right &&
           b.left < a.right;
}

// Without a window manager nobody places a new document window, nor frames the windows. One
// that would open exactly where another shows (a new main window over the last) would hide it
// whole: it steps down and right by a bar's height, as the period's desktops cascaded their
// windows, starting again at the screen's top-left corner when it would leave the screen. One
// whose menu bar would run along part of the bar of one already shown (the two would read as
// one bar: "File File Edit ...") opens just below that bar instead. The steps go on until the
// place keeps both rules.
void place_new(WINDOW win) noexcept {
    const int step = bar_inset(win);
    if (win->type != W_DOC || step == 0 || manager_running())
        return;
    Display *dpy = state().dpy;
    const int screen_width = DisplayWidth(dpy, DefaultScreen(dpy));
    const int screen_height = DisplayHeight(dpy, DefaultScreen(dpy));
    // Each step moves the window down but for a start again at the corner: a bound on them
    // ends the search on a screen too full to keep both rules.
    const std::size_t most = 4 * (state().shown.size() + 1);
    for (std::size_t moves = 0; moves < most; ++moves) {
        const s_rct mine = screen_placement(win);
        bool covers = false;
        const Shown *met = nullptr;
        for (const Shown &s : state().shown) {
            if (s.xwin == 0 || s.owner->type != W_DOC)
                continue;
            covers = covers || (s.placement.top == mine.top && s.placement.left == mine.left);
            if (s.inset != 0 && bars_meet(mine, step, s.placement, s.inset))
                met = &s;
        }
        auto down = static_cast<std::int16_t>(step);
        auto right = static_cast<std::int16_t>(step);
        if (covers) {
            if (mine.bottom + step > screen_height || mine.right + step > screen_width) {
                down = static_cast<std::int16_t>(step - mine.top);
                right = static_cast<std::int16_t>(-mine.left);
            }
        } else if (met != nullptr) {
            down = static_cast<std::int16_t>(met->placement.top - (mine.top - step));
            right = 0;
        } else {
            return;
        }
        s_rct moved = win->internal->placement;
        vkov_rect_offset(&moved, right, down);
        vkok_vobj_move(win, &moved);
    }
}

bool create_shown(WINDOW win, Window owner) noexcept {
    place_new(win);
    DisplayState &st = state();
    Shown s;
    s.owner = win;
    s.created_order = win->internal->created_order;
    s.placement = screen_placement(win);
    s.title = win->internal->title;
    s.inset = bar_inset(win);
    const int screen = DefaultScreen(st.dpy);
    const int width = extent(s.placement.left, s.placement.right);
    const int height = extent(s.placement.top, s.placement.bottom) + s.inset;
    s.xwin = XCreateSimpleWindow(st.dpy, RootWindow(st.dpy, screen), s.placement.left,
                                 s.placement.top - s.inset, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 0, BlackPixel(st.dpy, screen),
                                 WhitePixel(st.dpy, screen));
    if (s.xwin == 0)
        return false;
    if (placed_by_program(win)) {
        // Menu levels and drop-down lists are placed by the program and never framed by a
        // window manager. No save-under: the pixels a server would put back when the level
        // closes are those from before it opened, not what the window below drew since.
        XSetWindowAttributes attrs{};
        attrs.override_redirect = True;
        XChangeWindowAttributes(st.dpy, s.xwin, CWOverrideRedirect, &attrs);
    }
    XSelectInput(st.dpy, s.xwin, kWindowEvents);
    XSetWMProtocols(st.dpy, s.xwin, &st.wm_delete, 1);
    store_title(s.xwin, s.title);
    describe_window(s, owner);
    s.xsurface =
        cairo_xlib_surface_create(st.dpy, s.xwin, DefaultVisual(st.dpy, screen), width, height);
    XMapRaised(st.dpy, s.xwin);
    s.dirty.push_back(vkobase::win_client_rect(win));
    try {
        st.shown.push_back(std::move(s));
    } catch (...) {
        destroy_shown(s);
        return false;
    }
    return true;
}

// Brings an existing X window in line with its record: place, size and title.
void follow_record(Shown &s) noexcept {
    Display *dpy = state().dpy;
    const s_rct now = screen_placement(s.owner);
    const int inset = bar_inset(s.owner);
    const bool moved = now.top != s.placement.top || now.left != s.placement.left;
    const bool resized = vkov_rect_get_width(&now) != vkov_rect_get_width(&s.placement) ||
                         vkov_rect_get_height(&now) != vkov_rect_get_height(&s.placement) ||
                         inset != s.inset;
    if (moved || resized) {
        refresh_under(s, screen_extent(s));
        const int width = extent(now.left, now.right);
        const int height = extent(now.top, now.bottom) + inset;
        // The program resizes the window: a manager holds it to the old size (of a window of
        // fixed size) or above it (the least size) until the hints say the new one.
        if (resized)
            set_size_hints(s.xwin, s.owner, now, inset, false);
        XMoveResizeWindow(dpy, s.xwin, now.left, now.top - inset, static_cast<unsigned>(width),
                          static_cast<unsigned>(height));
        cairo_xlib_surface_set_size(s.xsurface, width, height);
        s.placement = now;
        s.inset = inset;
        s.bar_lost = true;
        add_dirty(s, vkobase::win_client_rect(s.owner));
    }
    if (s.modal != s.owner->internal->modal_running) {
        s.modal = s.owner->internal->modal_running;
        tell_modal(s, s.modal);
    }
    if (s.title != s.owner->internal->title) {
        try {
            s.title = s.owner->internal->title;
        } catch (...) {
            return;
        }
        store_title(s.xwin, s.title);
    }
}

// The windows that should have X windows now, back to front. A window parked out of sight
// (the status window made for every search stays there unless the search takes long) gets
// none until it first comes into view: before, nobody could see it. The task window is never
// mapped: on a desktop it would be an empty frame behind the others; the windows inside it
// show on their own.
void collect_wanted(WINDOW parent, std::vector<WINDOW> *out) noexcept {
    const vko_win_internal *in = vkobase::win_internal(parent);
    if (in == nullptr)
        return;
    for (WINDOW kid : in->children) {
        if (!wanted(kid) || (shown_by_owner(kid) == nullptr && vkobase::win_out_of_sight(kid)))
            continue;
        if (kid == vkobase::win_task()) {
            collect_wanted(kid, out);
            continue;
        }
        try {
            out->push_back(kid);
        } catch (...) {
            return;
        }
    }
}

// The X window a new window at index `at` of the wanted windows belongs to: the nearest
// framed window behind it that shows (the window that was in front when it opened).
Window owner_xwin(const std::vector<WINDOW> &want, std::size_t at) noexcept {
    for (std::size_t i = at; i-- > 0;) {
        WINDOW w = want[i];
        const bool framed = w->type == W_DOC || w->type == W_DBL || w->type == W_MODAL ||
                            w->type == W_MODELESS;
        if (!framed || vkobase::win_out_of_sight(w))
            continue;
        if (const Shown *s = shown_by_owner(w))
            return s->xwin;
    }
    return 0;
}

// Whether the window now lies in front of a framed window that lay in front of it before: the
// program itself brought it forward.
bool moved_forward(WINDOW win, const std::vector<WINDOW> &before,
                   const std::vector<WINDOW> &now) noexcept {
    const auto was = std::find(before.begin(), before.end(), win);
    if (was == before.end())
        return false;
    const auto is = std::find(now.begin(), now.end(), win);
    for (auto it = now.begin(); it != is; ++it)
        if (!placed_by_program(*it) && std::find(was + 1, before.end(), *it) != before.end())
            return true;
    return false;
}

// Whether a restack raises the window. Without a window manager the program keeps the order
// of all its windows. Under one the order of framed windows is the manager's, which the user
// changes by clicking them (the program hears nothing of it): re-raising them all would lift a
// window the user put behind over the one the user works in as soon as that one opens a menu.
// There only the program's own pop-ups, and a framed window the program brought forward, are
// raised; a new framed window came up raised when it was mapped.
bool raised_on_restack(WINDOW win, const std::vector<WINDOW> &before,
                       const std::vector<WINDOW> &now) noexcept {
    return !manager_running() || placed_by_program(win) || moved_forward(win, before, now);
}

} // namespace

void sync_windows() noexcept {
    DisplayState &st = state();
    std::vector<WINDOW> want;
    collect_wanted(vkobase::win_screen(), &want);
    // The windows stand in the order they last came to the front, whether they hang from
    // the screen (a table window) or from the task window (the main windows): menus and
    // drop-down lists stay in front of them all.
    std::stable_sort(want.begin(), want.end(), [](WINDOW a, WINDOW b) {
        const bool a_popup = placed_by_program(a), b_popup = placed_by_program(b);
        if (a_popup != b_popup)
            return b_popup;
        return a->internal->front_order < b->internal->front_order;
    });
    for (Shown &s : st.shown)
        if (!same_record(s) || std::find(want.begin(), want.end(), s.owner) == want.end())
            destroy_shown(s);
    st.shown.erase(std::remove_if(st.shown.begin(), st.shown.end(),
                                  [](const Shown &s) { return s.xwin == 0; }),
                   st.shown.end());
    for (std::size_t i = 0; i < want.size(); ++i) {
        if (Shown *s = shown_by_owner(want[i]))
            follow_record(*s);
        else
            create_shown(want[i], owner_xwin(want, i));
    }
    // Raising a window in the tree raises its X window: restack back to front on any change.
    if (want != st.stacking) {
        for (WINDOW win : want)
            if (const Shown *s = shown_by_owner(win);
                s != nullptr && raised_on_restack(win, st.stacking, want))
                XRaiseWindow(st.dpy, s->xwin);
        // Done before anyone learns of it: another client (a dialog over the program) that
        // raises its window again must come after these.
        XSync(st.dpy, False);
        ++st.restacks;
        try {
            st.stacking = want;
        } catch (...) {
            st.stacking.clear();
        }
    }
}

} // namespace vkobase::x11
