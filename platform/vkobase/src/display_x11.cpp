// display_x11.cpp: the X11 display under the event loop. Owns the server connection and one X
// window per shown top-level window; the window records stay the truth and the X windows follow
// them at every look (display_pump). Pixels are copied from the surfaces to the X windows only
// where they changed or the server lost them; X input is queued as the toolkit's events, so
// modal loops, pointer traps and the event hook apply to it as to any other event. A window
// with a menu bar gets a strip above its client area in its X window where the bar is drawn;
// while a menu is open the pointer is grabbed and goes to the menu. The levels of open menus
// are override-redirect windows. This file holds the connection, the shown windows' records
// and the display's entry points; the rest lies in the other display_x11_*.cpp files.
#include "display_x11_internal.h"

#include <X11/extensions/Xfixes.h>
#include <cairo-xlib.h>
#include <poll.h>

#include <cstdlib>

#include "core_internal.h"
#include "gtk_bridge.h"
#include "surface_internal.h"
#include "vkobase/display_debug.h"
#include "vkobase/scr.h"
#include "vkobase/win.h"
#include "window_internal.h"

namespace vkobase::x11 {

namespace {

constexpr const char *kAtomNames[] = {
    "_NET_WM_WINDOW_TYPE",       "_NET_WM_WINDOW_TYPE_NORMAL",
    "_NET_WM_WINDOW_TYPE_DIALOG", "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU",
    "_NET_WM_WINDOW_TYPE_POPUP_MENU", "_NET_WM_WINDOW_TYPE_COMBO",
    "_NET_WM_WINDOW_TYPE_SPLASH",
    "_NET_WM_STATE",             "_NET_WM_STATE_MODAL",
    "_NET_WM_PID",               "_NET_WM_ICON",
    "_NET_SUPPORTING_WM_CHECK",  "WM_CLIENT_LEADER"};
static_assert(sizeof(Atoms) == sizeof(kAtomNames) / sizeof(kAtomNames[0]) * sizeof(Atom));

} // namespace

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

namespace {

// Asks the server to tell every change of the CLIPBOARD selection's owner, and learns the
// owner now.
void watch_clipboard(DisplayState &st) noexcept {
    st.clipboard = XInternAtom(st.dpy, "CLIPBOARD", False);
    int error_base = 0;
    // The server answers an extension's requests by the version the client announced: it is
    // announced before the first request (selection news came with version 1).
    int major = 0;
    int minor = 0;
    if (!XFixesQueryExtension(st.dpy, &st.fixes_event_base, &error_base) ||
        !XFixesQueryVersion(st.dpy, &major, &minor) || major < 1) {
        st.fixes_event_base = -1;
        return;
    }
    XFixesSelectSelectionInput(st.dpy, DefaultRootWindow(st.dpy), st.clipboard,
                               XFixesSetSelectionOwnerNotifyMask |
                                   XFixesSelectionWindowDestroyNotifyMask |
                                   XFixesSelectionClientCloseNotifyMask);
    st.clipboard_owner = XGetSelectionOwner(st.dpy, st.clipboard);
}

bool is_clipboard_news(const XEvent &xe, const DisplayState &st) noexcept {
    return st.fixes_event_base >= 0 && xe.type == st.fixes_event_base + XFixesSelectionNotify &&
           reinterpret_cast<const XFixesSelectionNotifyEvent &>(xe).selection == st.clipboard;
}

// Takes in a change of the CLIPBOARD selection's owner; false for any other event. The window
// that holds the program's focus hears that it is the active one, as when it comes to the
// front, and brings its menus up to date: Paste comes on for text another program copied
// while the window stayed in front, and its key with it.
bool note_clipboard_news(const XEvent &xe) noexcept {
    DisplayState &st = state();
    if (!is_clipboard_news(xe, st))
        return false;
    const auto &news = reinterpret_cast<const XFixesSelectionNotifyEvent &>(xe);
    st.clipboard_owner = news.subtype == XFixesSetSelectionOwnerNotify ? news.owner : 0;
    if (WINDOW front = vkov_scr_get_focus_topwin()) {
        EVENT ev{};
        ev.type = E_FOCUS;
        ev.v.focus.active = TRUE;
        vkobase::win_post_event(front, ev);
    }
    return true;
}

Bool clipboard_news_predicate(Display *, XEvent *xe, XPointer) {
    return is_clipboard_news(*xe, state()) ? True : False;
}

// The server's complaints (a window that went away meanwhile, a request it refuses) must not
// end the program, which is what Xlib does by default.
int ignore_x_error(Display *, XErrorEvent *) noexcept {
    return 0;
}

} // namespace

} // namespace vkobase::x11

using namespace vkobase::x11;

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
    st.net_wm_name = XInternAtom(st.dpy, "_NET_WM_NAME", False);
    st.utf8_string = XInternAtom(st.dpy, "UTF8_STRING", False);
    st.shown_mark = XInternAtom(st.dpy, "_VKO_SHOWN", False);
    XInternAtoms(st.dpy, const_cast<char **>(kAtomNames),
                 static_cast<int>(sizeof(kAtomNames) / sizeof(kAtomNames[0])), False,
                 reinterpret_cast<Atom *>(&st.atoms));
    XSetErrorHandler(ignore_x_error);
    watch_clipboard(st);
    surface_set_drawn_hook(on_surface_drawn);
    return true;
}

void display_close() noexcept {
    DisplayState &st = state();
    if (st.dpy == nullptr) {
        st = DisplayState{};
        return;
    }
    gtk::shut_down();
    surface_set_drawn_hook(nullptr);
    for (Shown &s : st.shown)
        destroy_shown(s);
    for (Cursor c : st.cursors)
        if (c != 0)
            XFreeCursor(st.dpy, c);
    XCloseDisplay(st.dpy);
    st = DisplayState{};
}

cairo_device_t *display_cairo_device() noexcept {
    for (const Shown &s : state().shown)
        if (s.xsurface != nullptr)
            return cairo_surface_get_device(s.xsurface);
    return nullptr;
}

bool display_is_open() noexcept {
    return state().dpy != nullptr;
}

bool display_clipboard_owned() noexcept {
    DisplayState &st = state();
    if (st.dpy == nullptr)
        return false;
    if (st.fixes_event_base < 0)
        return XGetSelectionOwner(st.dpy, st.clipboard) != None;
    // What the server sent so far is read without waiting, and only the owner's changes are
    // taken from it: the rest stays queued in its order for the event loop.
    XEventsQueued(st.dpy, QueuedAfterReading);
    XEvent xe;
    while (XCheckIfEvent(st.dpy, &xe, clipboard_news_predicate, nullptr))
        note_clipboard_news(xe);
    return st.clipboard_owner != None;
}

bool display_screen_size(int *width, int *height) noexcept {
    Display *dpy = state().dpy;
    if (dpy == nullptr)
        return false;
    const int screen = DefaultScreen(dpy);
    *width = DisplayWidth(dpy, screen);
    *height = DisplayHeight(dpy, screen);
    return true;
}

void display_pump() noexcept {
    DisplayState &st = state();
    if (st.dpy == nullptr)
        return;
    // A program that is busy between idle moments still shows its progress; GTK answers
    // other programs asking for the clipboard.
    display_flush();
    gtk::pump();
    while (XPending(st.dpy) > 0) {
        XEvent xe;
        XNextEvent(st.dpy, &xe);
        if (!note_clipboard_news(xe))
            handle_event(xe);
    }
}

void display_catch_up() noexcept {
    DisplayState &st = state();
    if (st.dpy == nullptr)
        return;
    display_flush();
    XSync(st.dpy, False);
    display_pump();
}

void display_flush() noexcept {
    DisplayState &st = state();
    if (st.dpy == nullptr)
        return;
    sync_windows();
    sync_grab();
    sync_focus();
    const bool busy = scr_busy_cursor();
    for (Shown &s : st.shown) {
        show_changes(s);
        if (busy)
            define_shape(s, PointerShape::kWait);
        else if (s.shape == static_cast<int>(PointerShape::kWait))
            define_shape(s, PointerShape::kArrow);
    }
    XFlush(st.dpy);
}

bool display_wait(int timeout_ms, int wake_fd) noexcept {
    Display *dpy = state().dpy;
    if (dpy == nullptr)
        return false;
    if (XPending(dpy) > 0)
        return true;
    std::vector<pollfd> fds;
    try {
        fds.push_back(pollfd{ConnectionNumber(dpy), POLLIN, 0});
        if (wake_fd >= 0)
            fds.push_back(pollfd{wake_fd, POLLIN, 0});
    } catch (...) {
        return true;
    }
    gtk::add_wait_sources(&fds, &timeout_ms);
    (void)poll(fds.data(), fds.size(), timeout_ms);
    return true;
}

unsigned display_restack_count() noexcept {
    return state().restacks;
}

int display_connection_fd() noexcept {
    Display *dpy = state().dpy;
    return dpy != nullptr ? ConnectionNumber(dpy) : -1;
}

bool display_bell() noexcept {
    Display *dpy = state().dpy;
    if (dpy == nullptr)
        return false;
    XBell(dpy, 0);
    XFlush(dpy);
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
