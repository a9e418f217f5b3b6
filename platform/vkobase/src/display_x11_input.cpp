// display_x11_input.cpp: X input becomes the toolkit's events. Presses, releases and motion go
// to the window under the pointer (or the one that took the press, while the button is held),
// two quick presses make a double click, the wheel scrolls; while a menu is open the pointer is
// grabbed and goes to the menu. Keys go to the focus, Alt alone highlights the menu bar. The
// server's keyboard focus follows the program's, the pointer takes the shape of the window
// under it, and a window the user moved or resized has its record follow.
#include "display_x11_internal.h"

#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>

#include <algorithm>
#include <cstdlib>

#include "core_internal.h"
#include "ctl_internal.h"
#include "menu_internal.h"
#include "vkobase/rect.h"
#include "vkobase/scr.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "window_internal.h"

namespace vkobase::x11 {

namespace {

// Two presses of one button on one window within this time and distance make a double click.
constexpr unsigned long kDoubleClickMs = 400;
constexpr int kDoubleClickSlopPx = 4;

bool is_within(WINDOW win, WINDOW ancestor) noexcept {
    for (WINDOW w = win; vkobase::win_is_live(w); w = w->parent)
        if (w == ancestor)
            return true;
    return false;
}

// A window that takes typed keys: not the title window shown at start-up, not a menu.
bool takes_keys(WINDOW win) noexcept {
    return (win->type == W_DOC || win->type == W_MODAL || win->type == W_MODELESS) &&
           (win->event_mask & VKO_EVENT_BIT(E_CHAR)) != 0;
}

// Point of an X event in the owner's client coordinates made relative to a window of its tree.
s_pnt point_in(WINDOW owner, WINDOW target, int x, int y) noexcept {
    const s_pnt a = vkobase::win_client_origin_on_screen(owner);
    const s_pnt b = vkobase::win_client_origin_on_screen(target);
    return s_pnt{static_cast<std::int16_t>(y - (b.v - a.v)),
                 static_cast<std::int16_t>(x - (b.h - a.h))};
}

Cursor cursor_for(vkobase::PointerShape shape) noexcept {
    static constexpr unsigned kFontShapes[] = {XC_left_ptr,          XC_xterm,   XC_watch,
                                               XC_sb_h_double_arrow, XC_crosshair,
                                               XC_question_arrow,    XC_hand2};
    DisplayState &st = state();
    const auto index = static_cast<std::size_t>(shape);
    if (st.cursors[index] == 0)
        st.cursors[index] = XCreateFontCursor(st.dpy, kFontShapes[index]);
    return st.cursors[index];
}

} // namespace

void define_shape(Shown &s, vkobase::PointerShape shape) noexcept {
    if (s.shape == static_cast<int>(shape))
        return;
    XDefineCursor(state().dpy, s.xwin, cursor_for(shape));
    s.shape = static_cast<int>(shape);
}

namespace {

// The pointer takes the shape of the window under it.
void show_shape(Shown &s, WINDOW under) noexcept {
    define_shape(s, vkobase::display_pointer_shape(under, vkobase::scr_busy_cursor()));
}

} // namespace

// While a menu is open its owner's X window holds the pointer, so that a press anywhere
// reaches the menu (and closes it when outside). An open drop-down list holds it too: presses
// in the program's own windows go to them as usual (and on to the list, which traps the
// pointer), presses anywhere else to the list, which closes.
void sync_grab() noexcept {
    DisplayState &st = state();
    // Only an open menu holds the pointer: with just a title of the bar lit, presses go to
    // the windows under them, which leave menu mode.
    const Shown *owner = vkobase::menu::level_count() > 0
                             ? shown_by_owner(vkobase::menu::active_owner())
                             : nullptr;
    bool own_events = false;
    if (owner == nullptr) {
        WINDOW trap = vkov_win_get_pointer_trap();
        if (vkobase::ctl::is_drop_down(trap)) {
            owner = shown_by_owner(trap);
            own_events = true;
        }
    }
    const Window want = owner != nullptr ? owner->xwin : 0;
    if (want == st.grabbed)
        return;
    if (st.grabbed != 0)
        XUngrabPointer(st.dpy, CurrentTime);
    st.grabbed = 0;
    if (want != 0 &&
        XGrabPointer(st.dpy, want, own_events ? True : False,
                     ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                     GrabModeAsync, None, None, CurrentTime) == GrabSuccess)
        st.grabbed = want;
}

namespace {

// The screen point of an X event's window point: the X window's top holds the bar strip.
s_pnt screen_point(const Shown &s, int x, int y) noexcept {
    return s_pnt{static_cast<std::int16_t>(s.placement.top - s.inset + y),
                 static_cast<std::int16_t>(s.placement.left + x)};
}

void post_mouse(WINDOW target, e_event type, s_pnt where, unsigned x_state,
                std::int16_t button) noexcept {
    EVENT ev{};
    ev.type = type;
    ev.v.mouse.where = where;
    ev.v.mouse.shift = (x_state & vkobase::kXShift) != 0 ? TRUE : FALSE;
    ev.v.mouse.control = (x_state & vkobase::kXControl) != 0 ? TRUE : FALSE;
    ev.v.mouse.button = button;
    vkobase::win_post_event(target, ev);
}

void on_wheel(Shown &s, const XButtonEvent &xb) noexcept {
    s_pnt where{static_cast<std::int16_t>(xb.y - s.inset), static_cast<std::int16_t>(xb.x)};
    if (where.v < 0)
        return;
    WINDOW under = vkobase::display_window_at(s.owner, &where);
    WINDOW target = nullptr;
    EVENT ev{};
    if (!vkobase::display_wheel_event(under, xb.button, &target, &ev))
        return;
    // One notch scrolls three lines.
    for (int i = 0; i < 3; ++i)
        vkobase::win_post_event(target, ev);
}

void on_button_press(Shown &s, const XButtonEvent &xb) noexcept {
    DisplayState &st = state();
    st.alt_alone = false;
    const std::int16_t button = vkobase::display_mouse_button(xb.button);
    // With only a title of the bar lit and no menu open (Escape closed it, or Alt alone lit
    // it), a press away from that bar leaves menu mode and goes on to what lies under it.
    if (vkobase::menu::is_active() && vkobase::menu::level_count() == 0 &&
        (s.owner != vkobase::menu::active_owner() || xb.y >= s.inset))
        vkobase::menu::close(nullptr);
    if (vkobase::menu::is_active()) {
        if (button >= 0)
            vkobase::menu::pointer(E_MOUSE_DOWN, screen_point(s, xb.x, xb.y),
                                   (xb.state & vkobase::kXShift) != 0,
                                   (xb.state & vkobase::kXControl) != 0);
        return;
    }
    if (button < 0) {
        on_wheel(s, xb);
        return;
    }
    // Without a window manager the program stacks its own windows: a press brings the window
    // it lands in to the front, unless a modal window holds it back, and gives it the keys
    // where they were last in it (a control under the press takes them afterwards).
    if (!vkobase::app_input_blocked(s.owner) && !vkobase::ctl::is_drop_down(s.owner) &&
        !manager_running()) {
        vkok_vobj_raise(s.owner);
        if (takes_keys(s.owner) && !is_within(vkok_scr_get_focus_vobj(), s.owner))
            vkok_scr_set_focus_vobj(s.owner);
    }
    if (xb.y < s.inset) {
        if (button == 0 && !vkobase::app_input_blocked(s.owner))
            vkobase::menu::bar_press(s.owner, screen_point(s, xb.x, xb.y),
                                     (xb.state & vkobase::kXShift) != 0,
                                     (xb.state & vkobase::kXControl) != 0);
        return;
    }
    s_pnt where{static_cast<std::int16_t>(xb.y - s.inset), static_cast<std::int16_t>(xb.x)};
    WINDOW target = vkobase::display_window_at(s.owner, &where);
    if (target == nullptr)
        return;
    const Press &last = st.last_click;
    const bool dbl = last.target == target && last.button == xb.button &&
                     xb.time - last.time <= kDoubleClickMs &&
                     std::abs(xb.x - last.x) <= kDoubleClickSlopPx &&
                     std::abs(xb.y - last.y) <= kDoubleClickSlopPx;
    st.press = Press{target, xb.button, xb.time, xb.x, xb.y, true};
    // A third press starts over rather than making a second double click.
    st.last_click = dbl ? Press{} : st.press;
    post_mouse(target, dbl ? E_MOUSE_DBL : E_MOUSE_DOWN, where, xb.state, button);
}

void on_button_release(Shown &s, const XButtonEvent &xb) noexcept {
    DisplayState &st = state();
    const std::int16_t button = vkobase::display_mouse_button(xb.button);
    if (button < 0)
        return;
    if (vkobase::menu::is_active()) {
        st.press = Press{};
        vkobase::menu::pointer(E_MOUSE_UP, screen_point(s, xb.x, xb.y),
                               (xb.state & vkobase::kXShift) != 0,
                               (xb.state & vkobase::kXControl) != 0);
        return;
    }
    WINDOW target = nullptr;
    s_pnt where{static_cast<std::int16_t>(xb.y - s.inset), static_cast<std::int16_t>(xb.x)};
    if (st.press.held && st.press.button == xb.button && vkobase::win_is_live(st.press.target)) {
        target = st.press.target;
        where = point_in(s.owner, target, xb.x, xb.y - s.inset);
    } else {
        target = vkobase::display_window_at(s.owner, &where);
    }
    if (st.press.button == xb.button)
        st.press.held = false;
    if (target != nullptr)
        post_mouse(target, E_MOUSE_UP, where, xb.state, button);
}

void on_motion(Shown &s, XMotionEvent xm) noexcept {
    DisplayState &st = state();
    // Only the latest position of a burst of motion matters.
    XEvent later;
    while (XCheckTypedWindowEvent(st.dpy, xm.window, MotionNotify, &later))
        xm = later.xmotion;
    if (vkobase::menu::is_active()) {
        vkobase::menu::pointer(E_MOUSE_MOVE, screen_point(s, xm.x, xm.y),
                               (xm.state & vkobase::kXShift) != 0,
                               (xm.state & vkobase::kXControl) != 0);
        return;
    }
    WINDOW target = nullptr;
    s_pnt where{static_cast<std::int16_t>(xm.y - s.inset), static_cast<std::int16_t>(xm.x)};
    if (st.press.held && vkobase::win_is_live(st.press.target)) {
        target = st.press.target;
        where = point_in(s.owner, target, xm.x, xm.y - s.inset);
    } else {
        if (where.v < 0)
            return; // over the menu bar
        target = vkobase::display_window_at(s.owner, &where);
    }
    if (target == nullptr)
        return;
    show_shape(s, target);
    const std::int16_t button = st.press.held ? vkobase::display_mouse_button(st.press.button) : 0;
    post_mouse(target, E_MOUSE_MOVE, where, xm.state, button);
}

// Whether the server's keyboard focus is on one of the program's windows (rather than
// following the pointer, as it does without a window manager until a window takes it).
bool keyboard_is_ours() noexcept {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(state().dpy, &focus, &revert);
    return focus != 0 && shown_by_xwin(focus) != nullptr;
}

// The shown window that holds the program's keyboard focus, null when none does.
Shown *focus_holder() noexcept {
    for (WINDOW w = vkok_scr_get_focus_vobj(); vkobase::win_is_live(w); w = w->parent)
        if (Shown *s = shown_by_owner(w))
            return s;
    return nullptr;
}

} // namespace

// The server's keyboard follows the program's focus to another of its windows once one of
// them holds it (a window manager gave it, or a modal window took it): the help viewer that
// a dialog opens takes the keys, and the dialog gets them back when the viewer closes.
// Without a window manager nobody else gives the keyboard out: the program holds it from its
// first window on, wherever the pointer rests.
void sync_focus() noexcept {
    DisplayState &st = state();
    Shown *holder = focus_holder();
    // The focus on a window that shows on no X window (the search status window while out of
    // sight) leaves the server's keyboard where it is: when it comes back to the window that
    // had it, nothing needs asking of the server (a round trip for every search).
    if (holder == nullptr) {
        if (shown_by_owner(st.focus_top) == nullptr)
            st.focus_top = nullptr; // that window is gone
        return;
    }
    WINDOW top = holder->owner;
    if (top == st.focus_top)
        return;
    st.focus_top = top;
    if (!holder->mapped)
        return;
    if (top->internal->modal_running || st.keys_orphaned || !manager_running() ||
        keyboard_is_ours()) {
        XSetInputFocus(st.dpy, holder->xwin, RevertToPointerRoot, CurrentTime);
        st.keys_orphaned = false;
    }
}

// Noted only without a window manager: under one, the manager gives the keyboard on.
void note_keys_orphaned() noexcept {
    if (!manager_running())
        state().keys_orphaned = true;
}

} // namespace vkobase::x11

namespace vkobase {

void display_keys_back() noexcept {
    x11::DisplayState &st = x11::state();
    if (st.dpy == nullptr)
        return;
    x11::note_keys_orphaned();
    st.focus_top = nullptr; // looked at again
}

} // namespace vkobase

namespace vkobase::x11 {

namespace {

// The window a key typed over `typed_over` goes to, chosen when the events read before it have
// been handled (a click before it may have moved the focus); null: nobody's. Keys go to the
// focus when it lies in that window, else to the window itself, unless that window takes no
// keys (the title window shown over the main window at start-up): then they go to the focus,
// where the user sees the caret. Those typed over an open drop-down list go to its control,
// which works the list.
WINDOW key_target(WINDOW typed_over, std::uint64_t read_order) noexcept {
    WINDOW focus = vkok_scr_get_focus_vobj();
    const bool takes_keys = !vkobase::win_is_live(typed_over) ||
                            (typed_over->event_mask & VKO_EVENT_BIT(E_CHAR)) != 0;
    WINDOW target = typed_over;
    if (is_within(focus, typed_over) || (focus != nullptr && !takes_keys))
        target = focus;
    if (WINDOW control = vkobase::ctl::drop_down_owner(typed_over))
        target = control;
    WINDOW modal = vkobase::app_innermost_modal();
    if (modal == nullptr)
        return target;
    // Keys read before the server told that a message box is on the screen were typed before
    // it appeared, for the window behind: they must not answer it (a Return typed ahead would
    // press its OK unread).
    const Shown *box = shown_by_owner(modal);
    const bool typed_before_box =
        box == nullptr || !box->mapped || read_order < box->mapped_at;
    const bool for_modal = is_within(target, modal) || vkobase::app_input_blocked(target);
    if (modal->internal->fresh_input_only && typed_before_box && for_modal)
        return nullptr;
    // A window manager may give the keyboard to a window that a modal loop holds back (the
    // user clicked it): its keys belong to the modal window.
    if (vkobase::app_input_blocked(target))
        target = is_within(focus, modal) ? focus : modal;
    return target;
}

// The time a box that ends the program takes no key after it appeared: the keys a user was
// typing into the window behind, a word and its Return, reach the box within half a second;
// a key pressed once the box has been on the screen this long is meant for it. Clicks answer
// it at once.
constexpr std::int32_t kFirstMomentMs = 1000;

// Whether a key pressed at the server's time `at` comes too soon for the box in front, one
// that ends the program: its keys count only from a moment after the server told that it was
// on the screen. Keys read before that time was known were typed before it.
bool typed_too_soon(Time at) noexcept {
    WINDOW modal = vkobase::app_innermost_modal();
    if (modal == nullptr || !modal->internal->deliberate_keys_only)
        return false;
    const Shown *box = shown_by_owner(modal);
    if (box == nullptr || !box->shown_time_known)
        return true;
    // X times are milliseconds that wrap at 32 bits.
    const auto since = static_cast<std::int32_t>(static_cast<std::uint32_t>(at) -
                                                 static_cast<std::uint32_t>(box->shown_time));
    return since < kFirstMomentMs;
}

void on_key(Shown &s, XKeyEvent xk) noexcept {
    char text[8] = {};
    KeySym keysym = NoSymbol;
    const int len = XLookupString(&xk, text, sizeof text, &keysym, nullptr);
    // Alt pressed and released with nothing between highlights the menu bar.
    DisplayState &st = state();
    const bool alt_key = keysym == XK_Alt_L || keysym == XK_Alt_R;
    if (xk.type == KeyRelease) {
        if (alt_key && st.alt_alone) {
            st.alt_alone = false;
            WINDOW focus = vkok_scr_get_focus_vobj();
            WINDOW owner = s.owner;
            for (WINDOW w = focus; vkobase::win_is_live(w); w = w->parent)
                if (vkobase::menu::shows_bar(w))
                    owner = w;
            vkobase::menu::activate_bar(owner);
        }
        return;
    }
    st.alt_alone = alt_key;
    if (typed_too_soon(xk.time))
        return;
    EVENT ev{};
    ev.type = E_CHAR;
    if (!vkobase::display_translate_key(keysym, xk.state, text, len, &ev.v.chr))
        return;
    vkobase::win_post_key(s.owner, ev, key_target, st.events_read);
}

// The user (or a window manager) moved or resized the window: the record follows, which sends
// the size event and invalidates the window; the X surface takes the new size at once.
void on_configure(Shown &s, const XConfigureEvent &xc) noexcept {
    // Without a window manager the place is the root's. In a manager's frame the server's own
    // report gives the place within the frame, and a manager that moves the frame while it
    // resizes the window need not send a report of its own: the place on the screen is asked
    // of the server after every report.
    int x = xc.x;
    int y = xc.y;
    Window child = 0;
    if (s.reparented)
        XTranslateCoordinates(state().dpy, s.xwin, DefaultRootWindow(state().dpy), 0, 0, &x, &y,
                              &child);
    const auto top = static_cast<std::int16_t>(y + s.inset);
    const auto left = static_cast<std::int16_t>(x);
    const int width = extent(s.placement.left, s.placement.right);
    const int height = extent(s.placement.top, s.placement.bottom);
    const int client_height = std::max(1, xc.height - s.inset);
    const bool moved = top != s.placement.top || left != s.placement.left;
    const bool resized = xc.width != width || client_height != height;
    if (!moved && !resized)
        return;
    s.placement = s_rct{top, left, static_cast<std::int16_t>(top + client_height),
                        static_cast<std::int16_t>(left + xc.width)};
    if (resized) {
        cairo_xlib_surface_set_size(s.xsurface, xc.width, xc.height);
        s.bar_lost = true;
    }
    // The record's rectangle is in its parent's client coordinates.
    const s_pnt parent = vkobase::win_client_origin_on_screen(s.owner->parent);
    s_rct wanted_rct = s.placement;
    vkov_rect_offset(&wanted_rct, static_cast<std::int16_t>(-parent.h),
                     static_cast<std::int16_t>(-parent.v));
    vkok_vobj_move(s.owner, &wanted_rct);
}

} // namespace

void handle_event(XEvent &xe) noexcept {
    DisplayState &st = state();
    ++st.events_read;
    Shown *s = shown_by_xwin(xe.xany.window);
    // Without a window manager the keys follow the pointer: a key typed just after a menu
    // closed may reach its window, gone meanwhile. The key is the focus's.
    if ((xe.type == KeyPress || xe.type == KeyRelease) && (s == nullptr || !same_record(*s)))
        s = focus_holder();
    if (s == nullptr || !same_record(*s))
        return;
    switch (xe.type) {
    case Expose: {
        if (xe.xexpose.y < s->inset)
            s->bar_lost = true;
        const s_rct area{static_cast<std::int16_t>(xe.xexpose.y - s->inset),
                         static_cast<std::int16_t>(xe.xexpose.x),
                         static_cast<std::int16_t>(xe.xexpose.y + xe.xexpose.height - s->inset),
                         static_cast<std::int16_t>(xe.xexpose.x + xe.xexpose.width)};
        add_dirty(*s, area);
        break;
    }
    case ButtonPress:
        on_button_press(*s, xe.xbutton);
        break;
    case ButtonRelease:
        on_button_release(*s, xe.xbutton);
        break;
    case MotionNotify:
        on_motion(*s, xe.xmotion);
        break;
    case KeyPress:
    case KeyRelease:
        on_key(*s, xe.xkey);
        break;
    case FocusIn: {
        // While the keys follow the pointer (without a window manager, when the window that
        // had them closed) the window under it takes the program's focus only when the focus
        // went with that window.
        if (xe.xfocus.detail == NotifyInferior ||
            (xe.xfocus.detail == NotifyPointer && vkok_scr_get_focus_vobj() != nullptr))
            break;
        // The window manager gave the window the keyboard: the program's focus returns to
        // the control in it that had it last (the search field after the title window or a
        // dialog took the keyboard for a while), else goes to the window. A window that a
        // modal loop holds back does not take the program's focus: its keys go to the modal
        // window (see on_key), with the focus that window holds.
        if (vkobase::app_input_blocked(s->owner))
            break;
        // The manager brought the window to the front (the user clicked it): the program's
        // order follows, so that a window it raises later (Window > Next Window) moves forward
        // past this one.
        if (manager_running())
            vkok_vobj_raise(s->owner);
        WINDOW before = vkok_scr_get_focus_vobj();
        if (!is_within(before, s->owner)) {
            WINDOW kept = vkobase::scr_last_focus_in(s->owner);
            vkok_scr_set_focus_vobj(kept != nullptr ? kept : s->owner);
        }
        // The window is the active one now and hears so, as when it takes the focus itself
        // (then it has heard already): it brings its menus up to date (Paste, for text
        // another program copied meanwhile).
        if (vkok_scr_get_focus_vobj() != s->owner || before == s->owner) {
            EVENT ev{};
            ev.type = E_FOCUS;
            ev.v.focus.active = TRUE;
            vkobase::win_deliver_event(s->owner, &ev);
        }
        break;
    }
    case MapNotify:
        // Without a window manager nobody gives a new window the keyboard: a window whose
        // modal loop runs takes it, so that its keys (Return, Escape) reach it wherever the
        // pointer is; so does one that holds the program's focus (a new main window, the
        // help viewer opened from a dialog). Under a manager the latter asks for it only
        // while the keyboard is on another of the program's windows.
        s->mapped = true;
        s->mapped_at = st.events_read;
        // A box that ends the program learns the server's time now (a map notice carries
        // none): an empty change of a property of its own comes back with it.
        if (s->owner->internal->deliberate_keys_only && !s->shown_time_known) {
            XSelectInput(st.dpy, s->xwin, kWindowEvents | PropertyChangeMask);
            XChangeProperty(st.dpy, s->xwin, st.shown_mark, XA_INTEGER, 32, PropModeAppend,
                            nullptr, 0);
        }
        if (s->owner->internal->modal_running ||
            (is_within(vkok_scr_get_focus_vobj(), s->owner) &&
             (!manager_running() || keyboard_is_ours())))
            XSetInputFocus(st.dpy, s->xwin, RevertToPointerRoot, CurrentTime);
        break;
    case UnmapNotify:
        s->mapped = false;
        break;
    case PropertyNotify:
        if (xe.xproperty.atom == st.shown_mark && !s->shown_time_known) {
            s->shown_time = xe.xproperty.time;
            s->shown_time_known = true;
        }
        break;
    case ConfigureNotify:
        on_configure(*s, xe.xconfigure);
        break;
    case ReparentNotify:
        s->reparented = xe.xreparent.parent != DefaultRootWindow(st.dpy);
        break;
    case ClientMessage:
        if (xe.xclient.message_type == st.wm_protocols &&
            static_cast<Atom>(xe.xclient.data.l[0]) == st.wm_delete) {
            EVENT ev{};
            ev.type = E_CLOSE;
            vkobase::win_post_event(s->owner, ev);
        }
        break;
    default:
        break;
    }
}

} // namespace vkobase::x11
