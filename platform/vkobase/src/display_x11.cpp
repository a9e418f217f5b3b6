// display_x11.cpp: the X11 display under the event loop. Owns the server connection and one X
// window per shown top-level window; the window records stay the truth and the X windows follow
// them at every look (display_pump). Pixels are copied from the surfaces to the X windows only
// where they changed or the server lost them; X input is queued as the toolkit's events, so
// modal loops, pointer traps and the event hook apply to it as to any other event.
#include "display_internal.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>
#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core_internal.h"
#include "surface_internal.h"
#include "vkobase/display_debug.h"
#include "vkobase/rect.h"
#include "vkobase/scr.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace {

// Two presses of one button on one window within this time and distance make a double click.
constexpr unsigned long kDoubleClickMs = 400;
constexpr int kDoubleClickSlopPx = 4;
// A window's list of changed rectangles collapses into their bounds beyond this many.
constexpr std::size_t kMaxDirtyRects = 32;

struct Shown {
    WINDOW owner = nullptr;
    std::uint64_t created_order = 0; // tells a freed record from a new one at the same address
    Window xwin = 0;
    cairo_surface_t *xsurface = nullptr;
    s_rct placement{}; // the client area on the screen as the X window last got it
    std::string title;
    std::vector<s_rct> dirty; // owner client coordinates
    s_rct caret{};            // the caret as last drawn on the X window, empty when none
    bool reparented = false;  // a window manager put it in a frame of its own
};

struct Press {
    WINDOW target = nullptr; // receives motion and release while the button is held
    unsigned button = 0;
    Time time = 0;
    int x = 0, y = 0;
    bool held = false;
};

struct DisplayState {
    Display *dpy = nullptr;
    Atom wm_protocols = 0;
    Atom wm_delete = 0;
    std::vector<Shown> shown;
    std::vector<WINDOW> stacking; // the shown windows back to front, as the server has them
    Press press;
    Press last_click; // for double clicks
};

DisplayState &state() noexcept {
    static DisplayState s;
    return s;
}

bool same_record(const Shown &s) noexcept {
    return vkobase::win_is_live(s.owner) && s.owner->internal->created_order == s.created_order;
}

Shown *shown_by_owner(WINDOW owner) noexcept {
    for (Shown &s : state().shown)
        if (s.owner == owner && same_record(s))
            return &s;
    return nullptr;
}

Shown *shown_by_xwin(Window xwin) noexcept {
    for (Shown &s : state().shown)
        if (s.xwin == xwin)
            return &s;
    return nullptr;
}

void add_dirty(Shown &s, const s_rct &area) noexcept {
    try {
        s.dirty.push_back(area);
    } catch (...) {
        return;
    }
    if (s.dirty.size() <= kMaxDirtyRects)
        return;
    s_rct bounds = s.dirty.front();
    for (const s_rct &r : s.dirty) {
        bounds.top = std::min(bounds.top, r.top);
        bounds.left = std::min(bounds.left, r.left);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
        bounds.right = std::max(bounds.right, r.right);
    }
    s.dirty.assign(1, bounds);
}

void on_surface_drawn(WINDOW owner, const s_rct &area) noexcept {
    if (Shown *s = shown_by_owner(owner))
        add_dirty(*s, area);
}

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

int extent(std::int16_t from, std::int16_t to) noexcept {
    return std::max(1, to - from);
}

void destroy_shown(Shown &s) noexcept {
    DisplayState &st = state();
    if (s.xsurface != nullptr)
        cairo_surface_destroy(s.xsurface);
    s.xsurface = nullptr;
    if (s.xwin != 0)
        XDestroyWindow(st.dpy, s.xwin);
    s.xwin = 0;
    if (st.press.target == s.owner)
        st.press = Press{};
}

bool create_shown(WINDOW win) noexcept {
    DisplayState &st = state();
    Shown s;
    s.owner = win;
    s.created_order = win->internal->created_order;
    s.placement = screen_placement(win);
    s.title = win->internal->title;
    const int screen = DefaultScreen(st.dpy);
    const int width = extent(s.placement.left, s.placement.right);
    const int height = extent(s.placement.top, s.placement.bottom);
    s.xwin =
        XCreateSimpleWindow(st.dpy, RootWindow(st.dpy, screen), s.placement.left, s.placement.top,
                            static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                            BlackPixel(st.dpy, screen), WhitePixel(st.dpy, screen));
    if (s.xwin == 0)
        return false;
    XSelectInput(st.dpy, s.xwin,
                 ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                     KeyPressMask | FocusChangeMask | StructureNotifyMask);
    XSetWMProtocols(st.dpy, s.xwin, &st.wm_delete, 1);
    XStoreName(st.dpy, s.xwin, s.title.c_str());
    // Ask a window manager to keep the place the program chose.
    XSizeHints hints{};
    hints.flags = USPosition | PPosition;
    hints.x = s.placement.left;
    hints.y = s.placement.top;
    XSetWMNormalHints(st.dpy, s.xwin, &hints);
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
    const bool moved = now.top != s.placement.top || now.left != s.placement.left;
    const bool resized = vkov_rect_get_width(&now) != vkov_rect_get_width(&s.placement) ||
                         vkov_rect_get_height(&now) != vkov_rect_get_height(&s.placement);
    if (moved || resized) {
        const int width = extent(now.left, now.right);
        const int height = extent(now.top, now.bottom);
        XMoveResizeWindow(dpy, s.xwin, now.left, now.top, static_cast<unsigned>(width),
                          static_cast<unsigned>(height));
        cairo_xlib_surface_set_size(s.xsurface, width, height);
        s.placement = now;
        add_dirty(s, vkobase::win_client_rect(s.owner));
    }
    if (s.title != s.owner->internal->title) {
        try {
            s.title = s.owner->internal->title;
        } catch (...) {
            return;
        }
        XStoreName(dpy, s.xwin, s.title.c_str());
    }
}

void collect_wanted(WINDOW parent, std::vector<WINDOW> *out) noexcept {
    const vko_win_internal *in = vkobase::win_internal(parent);
    if (in == nullptr)
        return;
    for (WINDOW kid : in->children) {
        if (!wanted(kid))
            continue;
        try {
            out->push_back(kid);
        } catch (...) {
            return;
        }
        if (kid == vkobase::win_task())
            collect_wanted(kid, out);
    }
}

void sync_windows() noexcept {
    DisplayState &st = state();
    std::vector<WINDOW> want;
    collect_wanted(vkobase::win_screen(), &want);
    for (Shown &s : st.shown)
        if (!same_record(s) || std::find(want.begin(), want.end(), s.owner) == want.end())
            destroy_shown(s);
    st.shown.erase(std::remove_if(st.shown.begin(), st.shown.end(),
                                  [](const Shown &s) { return s.xwin == 0; }),
                   st.shown.end());
    for (WINDOW win : want) {
        if (Shown *s = shown_by_owner(win))
            follow_record(*s);
        else
            create_shown(win);
    }
    // Raising a window in the tree raises its X window: restack back to front on any change.
    if (want != st.stacking) {
        for (WINDOW win : want)
            if (const Shown *s = shown_by_owner(win))
                XRaiseWindow(st.dpy, s->xwin);
        try {
            st.stacking = want;
        } catch (...) {
            st.stacking.clear();
        }
    }
}

// The caret of the owner's tree in the owner's client coordinates: the focus window's when it
// shows one there, else none. Empty when there is none.
s_rct caret_of(WINDOW owner) noexcept {
    WINDOW focus = vkok_scr_get_focus_vobj();
    const vko_win_internal *in = vkobase::win_internal(focus);
    if (in == nullptr || !in->caret_visible || in->caret_height <= 0)
        return s_rct{};
    bool inside = false;
    for (WINDOW w = focus; vkobase::win_is_live(w); w = w->parent) {
        if (!w->internal->visible)
            return s_rct{};
        if (w == owner) {
            inside = true;
            break;
        }
    }
    if (!inside)
        return s_rct{};
    const s_pnt a = vkobase::win_client_origin_on_screen(owner);
    const s_pnt b = vkobase::win_client_origin_on_screen(focus);
    const std::int16_t top = static_cast<std::int16_t>(b.v - a.v + in->caret_pos.v);
    const std::int16_t left = static_cast<std::int16_t>(b.h - a.h + in->caret_pos.h);
    const std::int16_t width = std::max<std::int16_t>(in->caret_width, 1);
    return s_rct{top, left, static_cast<std::int16_t>(top + in->caret_height),
                 static_cast<std::int16_t>(left + width)};
}

bool rect_empty(const s_rct &r) noexcept {
    return r.bottom <= r.top || r.right <= r.left;
}

bool rect_equal(const s_rct &a, const s_rct &b) noexcept {
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

// Copies the changed parts of the owner's surface to its X window, then draws the caret over
// them; the caret lives only on the X window, so the surfaces never hold it.
void show_changes(Shown &s) noexcept {
    const s_rct caret = caret_of(s.owner);
    const bool caret_moved = !rect_equal(caret, s.caret);
    if (s.dirty.empty() && !caret_moved)
        return;
    if (caret_moved && !rect_empty(s.caret))
        add_dirty(s, s.caret);
    cairo_surface_t *pixels = vkobase::surface_of(s.owner);
    if (pixels == nullptr || s.xsurface == nullptr)
        return;
    cairo_t *cr = cairo_create(s.xsurface);
    if (!s.dirty.empty()) {
        cairo_save(cr);
        for (const s_rct &r : s.dirty)
            cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
        cairo_clip(cr);
        cairo_set_source_surface(cr, pixels, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    if (!rect_empty(caret)) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_rectangle(cr, caret.left, caret.top, caret.right - caret.left,
                        caret.bottom - caret.top);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(s.xsurface);
    s.caret = caret;
    s.dirty.clear();
}

// The server's complaints (a window that went away meanwhile, a request it refuses) must not
// end the program, which is what Xlib does by default.
int ignore_x_error(Display *, XErrorEvent *) noexcept {
    return 0;
}

// Point of an X event in the owner's client coordinates made relative to a window of its tree.
s_pnt point_in(WINDOW owner, WINDOW target, int x, int y) noexcept {
    const s_pnt a = vkobase::win_client_origin_on_screen(owner);
    const s_pnt b = vkobase::win_client_origin_on_screen(target);
    return s_pnt{static_cast<std::int16_t>(y - (b.v - a.v)),
                 static_cast<std::int16_t>(x - (b.h - a.h))};
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

void on_button_press(Shown &s, const XButtonEvent &xb) noexcept {
    DisplayState &st = state();
    const std::int16_t button = vkobase::display_mouse_button(xb.button);
    if (button < 0)
        return;
    s_pnt where{static_cast<std::int16_t>(xb.y), static_cast<std::int16_t>(xb.x)};
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
    WINDOW target = nullptr;
    s_pnt where{static_cast<std::int16_t>(xb.y), static_cast<std::int16_t>(xb.x)};
    if (st.press.held && st.press.button == xb.button && vkobase::win_is_live(st.press.target)) {
        target = st.press.target;
        where = point_in(s.owner, target, xb.x, xb.y);
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
    WINDOW target = nullptr;
    s_pnt where{static_cast<std::int16_t>(xm.y), static_cast<std::int16_t>(xm.x)};
    if (st.press.held && vkobase::win_is_live(st.press.target)) {
        target = st.press.target;
        where = point_in(s.owner, target, xm.x, xm.y);
    } else {
        target = vkobase::display_window_at(s.owner, &where);
    }
    if (target == nullptr)
        return;
    const std::int16_t button = st.press.held ? vkobase::display_mouse_button(st.press.button) : 0;
    post_mouse(target, E_MOUSE_MOVE, where, xm.state, button);
}

bool is_within(WINDOW win, WINDOW ancestor) noexcept {
    for (WINDOW w = win; vkobase::win_is_live(w); w = w->parent)
        if (w == ancestor)
            return true;
    return false;
}

void on_key(Shown &s, XKeyEvent xk) noexcept {
    char text[8] = {};
    KeySym keysym = NoSymbol;
    const int len = XLookupString(&xk, text, sizeof text, &keysym, nullptr);
    EVENT ev{};
    ev.type = E_CHAR;
    if (!vkobase::display_translate_key(keysym, xk.state, text, len, &ev.v.chr))
        return;
    // Keys go to the focus when it lies in this window, else to the window itself.
    WINDOW focus = vkok_scr_get_focus_vobj();
    vkobase::win_post_event(is_within(focus, s.owner) ? focus : s.owner, ev);
}

// The user (or a window manager) moved or resized the window: the record follows, which sends
// the size event and invalidates the window; the X surface takes the new size at once.
void on_configure(Shown &s, const XConfigureEvent &xc) noexcept {
    // The place is the root's unless a window manager reparented the window and this is the
    // server's own report, whose place is within the manager's frame.
    std::int16_t top = s.placement.top;
    std::int16_t left = s.placement.left;
    if (!s.reparented || xc.send_event) {
        top = static_cast<std::int16_t>(xc.y);
        left = static_cast<std::int16_t>(xc.x);
    }
    const int width = extent(s.placement.left, s.placement.right);
    const int height = extent(s.placement.top, s.placement.bottom);
    const bool moved = top != s.placement.top || left != s.placement.left;
    const bool resized = xc.width != width || xc.height != height;
    if (!moved && !resized)
        return;
    s.placement = s_rct{top, left, static_cast<std::int16_t>(top + xc.height),
                        static_cast<std::int16_t>(left + xc.width)};
    if (resized)
        cairo_xlib_surface_set_size(s.xsurface, xc.width, xc.height);
    // The record's rectangle is in its parent's client coordinates.
    const s_pnt parent = vkobase::win_client_origin_on_screen(s.owner->parent);
    s_rct wanted_rct = s.placement;
    vkov_rect_offset(&wanted_rct, static_cast<std::int16_t>(-parent.h),
                     static_cast<std::int16_t>(-parent.v));
    vkok_vobj_move(s.owner, &wanted_rct);
}

void handle_event(XEvent &xe) noexcept {
    DisplayState &st = state();
    Shown *s = shown_by_xwin(xe.xany.window);
    if (s == nullptr || !same_record(*s))
        return;
    switch (xe.type) {
    case Expose: {
        const s_rct area{static_cast<std::int16_t>(xe.xexpose.y),
                         static_cast<std::int16_t>(xe.xexpose.x),
                         static_cast<std::int16_t>(xe.xexpose.y + xe.xexpose.height),
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
        on_key(*s, xe.xkey);
        break;
    case FocusIn:
        if (xe.xfocus.detail == NotifyPointer || xe.xfocus.detail == NotifyInferior)
            break;
        if (!is_within(vkok_scr_get_focus_vobj(), s->owner))
            vkok_scr_set_focus_vobj(s->owner);
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

} // namespace

void vkobase_reset_display() noexcept {
    vkobase::display_close();
}

namespace vkobase {

bool display_open() noexcept {
    DisplayState &st = state();
    if (st.dpy != nullptr)
        return true;
    const char *name = std::getenv("DISPLAY");
    if (name == nullptr || *name == 0 || app_test_mode())
        return false;
    st.dpy = XOpenDisplay(name);
    if (st.dpy == nullptr)
        return false;
    st.wm_protocols = XInternAtom(st.dpy, "WM_PROTOCOLS", False);
    st.wm_delete = XInternAtom(st.dpy, "WM_DELETE_WINDOW", False);
    XSetErrorHandler(ignore_x_error);
    surface_set_drawn_hook(on_surface_drawn);
    return true;
}

void display_close() noexcept {
    DisplayState &st = state();
    if (st.dpy == nullptr) {
        st = DisplayState{};
        return;
    }
    surface_set_drawn_hook(nullptr);
    for (Shown &s : st.shown)
        destroy_shown(s);
    XCloseDisplay(st.dpy);
    st = DisplayState{};
}

bool display_is_open() noexcept {
    return state().dpy != nullptr;
}

void display_pump() noexcept {
    DisplayState &st = state();
    if (st.dpy == nullptr)
        return;
    // A program that is busy between idle moments still shows its progress.
    display_flush();
    while (XPending(st.dpy) > 0) {
        XEvent xe;
        XNextEvent(st.dpy, &xe);
        handle_event(xe);
    }
}

void display_flush() noexcept {
    DisplayState &st = state();
    if (st.dpy == nullptr)
        return;
    sync_windows();
    for (Shown &s : st.shown)
        show_changes(s);
    XFlush(st.dpy);
}

bool display_wait(int timeout_ms) noexcept {
    Display *dpy = state().dpy;
    if (dpy == nullptr)
        return false;
    if (XPending(dpy) > 0)
        return true;
    pollfd pfd{ConnectionNumber(dpy), POLLIN, 0};
    (void)poll(&pfd, 1, timeout_ms);
    return true;
}

unsigned long display_xwindow_of(WINDOW win) noexcept {
    const Shown *s = shown_by_owner(win);
    return s != nullptr ? s->xwin : 0;
}

} // namespace vkobase

extern "C" {

BOOLEAN vkov_display_is_open(void) noexcept {
    return vkobase::display_is_open() ? TRUE : FALSE;
}

BOOLEAN vkov_display_screenshot(const char *png_path) noexcept {
    Display *dpy = state().dpy;
    if (dpy == nullptr || png_path == nullptr)
        return FALSE;
    vkobase::display_flush();
    XSync(dpy, False);
    const int screen = DefaultScreen(dpy);
    const int width = DisplayWidth(dpy, screen);
    const int height = DisplayHeight(dpy, screen);
    cairo_surface_t *root = cairo_xlib_surface_create(dpy, RootWindow(dpy, screen),
                                                      DefaultVisual(dpy, screen), width, height);
    cairo_surface_t *image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t *cr = cairo_create(image);
    cairo_set_source_surface(cr, root, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(image, png_path);
    cairo_surface_destroy(image);
    cairo_surface_destroy(root);
    return status == CAIRO_STATUS_SUCCESS ? TRUE : FALSE;
}

} // extern "C"
