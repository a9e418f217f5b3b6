// display_x11.cpp: the X11 display under the event loop. Owns the server connection and one X
// window per shown top-level window; the window records stay the truth and the X windows follow
// them at every look (display_pump). Pixels are copied from the surfaces to the X windows only
// where they changed or the server lost them; X input is queued as the toolkit's events, so
// modal loops, pointer traps and the event hook apply to it as to any other event. A window
// with a menu bar gets a strip above its client area in its X window where the bar is drawn;
// while a menu is open the pointer is grabbed and goes to the menu. The levels of open menus
// are override-redirect windows. Titles go to the server as UTF-8. A window manager learns
// what each window is (dialog of which window, menu, drop-down list), the program's class and
// icon, and which windows keep their size; the task window holds no pixels of its own and is
// never mapped: the windows inside it show alone.
#include "display_internal.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "core_internal.h"
#include "ctl_internal.h"
#include "font_internal.h"
#include "gtk_bridge.h"
#include "image_internal.h"
#include "menu_internal.h"
#include "surface_internal.h"
#include "vkobase/display_debug.h"
#include "vkobase/probe.h"
#include "vkobase/rect.h"
#include "vkobase/res.h"
#include "vkobase/scr.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "window_internal.h"

namespace {

// Two presses of one button on one window within this time and distance make a double click.
constexpr unsigned long kDoubleClickMs = 400;
constexpr int kDoubleClickSlopPx = 4;
// A window's list of changed rectangles collapses into their bounds beyond this many.
constexpr std::size_t kMaxDirtyRects = 32;
// The application attribute that names the image resource shown as the windows' icon.
constexpr std::int32_t kAttrAppIcon = 10030;
// The creation flag of a window that the user may resize.
constexpr std::uint32_t kSizableFlag = 0x0001u;

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
    int inset = 0;            // height of the menu-bar strip above the client area
    std::uint64_t bar_generation = 0; // of the bar as last drawn
    std::string bar_look;             // what it showed then (menu::bar_look)
    bool bar_lost = false;            // the server lost the strip's pixels
    int shape = -1;                   // the pointer shape defined on the X window
    bool modal = false;               // the window manager was told that it runs modal
    bool mapped = false;              // viewable: it can take the keyboard
};

struct Press {
    WINDOW target = nullptr; // receives motion and release while the button is held
    unsigned button = 0;
    Time time = 0;
    int x = 0, y = 0;
    bool held = false;
};

// The atoms of the window-manager conventions, interned at the connection.
struct Atoms {
    Atom net_wm_window_type, type_normal, type_dialog, type_dropdown_menu, type_popup_menu,
        type_combo, type_splash, net_wm_state, state_modal, net_wm_pid, net_wm_icon,
        net_supporting_wm_check;
};
constexpr const char *kAtomNames[] = {
    "_NET_WM_WINDOW_TYPE",       "_NET_WM_WINDOW_TYPE_NORMAL",
    "_NET_WM_WINDOW_TYPE_DIALOG", "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU",
    "_NET_WM_WINDOW_TYPE_POPUP_MENU", "_NET_WM_WINDOW_TYPE_COMBO",
    "_NET_WM_WINDOW_TYPE_SPLASH",
    "_NET_WM_STATE",             "_NET_WM_STATE_MODAL",
    "_NET_WM_PID",               "_NET_WM_ICON",
    "_NET_SUPPORTING_WM_CHECK"};
static_assert(sizeof(Atoms) == sizeof(kAtomNames) / sizeof(kAtomNames[0]) * sizeof(Atom));

struct DisplayState {
    Display *dpy = nullptr;
    Atom wm_protocols = 0;
    Atom wm_delete = 0;
    Atoms atoms{};
    std::vector<unsigned long> icon; // _NET_WM_ICON's value, made on first use
    bool icon_made = false;
    std::vector<Shown> shown;
    std::vector<WINDOW> stacking; // the shown windows back to front, as the server has them
    unsigned restacks = 0;        // times they were raised in that order
    Press press;
    Press last_click; // for double clicks
    Atom net_wm_name = 0;
    Atom utf8_string = 0;
    Window grabbed = 0;        // the window that holds the pointer for an open menu
    bool alt_alone = false;    // Alt is down and no other key or button came since
    Cursor cursors[7] = {};    // by PointerShape, made on first use
    WINDOW focus_top = nullptr; // the shown window that held the program's focus at the last look
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

int bar_inset(WINDOW win) noexcept {
    return vkobase::menu::shows_bar(win) ? vkobase::menu::bar_height() : 0;
}

// The title as the server takes it: UTF-8 in the window manager's property, and the legacy
// property for the others.
void store_title(Window xwin, const std::string &title) noexcept {
    DisplayState &st = state();
    std::string utf8;
    try {
        utf8 = vkobase::font::to_utf8(title.c_str(), static_cast<std::int32_t>(title.size()));
    } catch (...) {
        return;
    }
    XChangeProperty(st.dpy, xwin, st.net_wm_name, st.utf8_string, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(utf8.data()),
                    static_cast<int>(utf8.size()));
    Xutf8SetWMProperties(st.dpy, xwin, utf8.c_str(), nullptr, nullptr, 0, nullptr, nullptr,
                         nullptr);
}

// What a window is to a window manager.
enum class Kind { kNormal, kDialog, kDropDownMenu, kPopupMenu, kComboList, kSplash };

Kind kind_of(WINDOW win) noexcept {
    if (vkobase::menu::is_level_window(win))
        return vkobase::menu::opened_from_bar() ? Kind::kDropDownMenu : Kind::kPopupMenu;
    if (vkobase::ctl::is_drop_down(win))
        return Kind::kComboList;
    if (win->type == W_MODAL || win->type == W_MODELESS ||
        (win->state2 & VKO_WS_MODAL_USE) != 0 || win->internal->modal_running)
        return Kind::kDialog;
    // A window of a type without a title bar (the title window at start and in the About
    // box) is a splash: a window manager neither frames it nor moves it.
    if (win->type == W_DBL || win->type == W_PLAIN || win->type == W_NO_BORDER)
        return Kind::kSplash;
    return Kind::kNormal;
}

// A window the user may resize: a framed type created with the sizable flag.
bool sizable(WINDOW win) noexcept {
    const bool framed = win->type == W_DOC || win->type == W_DBL || win->type == W_MODELESS;
    return framed && (win->flags & kSizableFlag) != 0;
}

// Whether a window manager runs: it names its own window on the root.
bool manager_running() noexcept {
    DisplayState &st = state();
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    const bool found =
        XGetWindowProperty(st.dpy, DefaultRootWindow(st.dpy), st.atoms.net_supporting_wm_check, 0,
                           1, False, XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        data != nullptr && count == 1;
    if (data != nullptr)
        XFree(data);
    return found;
}

// The icon as the window manager takes it: width, height, then one ARGB word per pixel, made
// once from the image resource the application names; empty when it names none.
const std::vector<unsigned long> &app_icon() noexcept {
    DisplayState &st = state();
    if (st.icon_made)
        return st.icon;
    st.icon_made = true;
    const auto id = static_cast<std::int32_t>(vkok_vobj_get_attr(nullptr, kAttrAppIcon));
    IMAGE image = id != 0 ? vkov_res_get_image(id) : nullptr;
    if (image == nullptr || !vkobase::image_is_live(image))
        return st.icon;
    try {
        st.icon.push_back(static_cast<unsigned long>(image->width));
        st.icon.push_back(static_cast<unsigned long>(image->height));
        for (std::int32_t y = 0; y < image->height; ++y)
            for (std::int32_t x = 0; x < image->width; ++x)
                st.icon.push_back(0xFF000000ul | vkobase::image_rgb_at(*image, x, y));
    } catch (...) {
        st.icon.clear();
    }
    vkov_image_destroy(image);
    return st.icon;
}

void set_atom_list(Window xwin, Atom property, const Atom *values, int count) noexcept {
    XChangeProperty(state().dpy, xwin, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(values), count);
}

// The size hints: the place the program gave (a position the manager keeps when `placed`),
// and for a window the user may not resize its size as the only one.
void set_size_hints(Window xwin, WINDOW owner, const s_rct &placement, int inset,
                    bool placed) noexcept {
    XSizeHints hints{};
    hints.x = placement.left;
    hints.y = placement.top - inset;
    if (placed)
        hints.flags |= PPosition;
    if (!sizable(owner)) {
        hints.flags |= PMinSize | PMaxSize;
        hints.min_width = hints.max_width = extent(placement.left, placement.right);
        hints.min_height = hints.max_height = extent(placement.top, placement.bottom) + inset;
    }
    XSetWMNormalHints(state().dpy, xwin, &hints);
}

// Tells the window manager that a mapped window starts or stops running modal; without a
// manager the property itself changes, as it would have before the window was mapped.
void tell_modal(const Shown &s, bool modal) noexcept {
    DisplayState &st = state();
    if (!manager_running()) {
        set_atom_list(s.xwin, st.atoms.net_wm_state, &st.atoms.state_modal, modal ? 1 : 0);
        return;
    }
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = s.xwin;
    ev.xclient.message_type = st.atoms.net_wm_state;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = modal ? 1 : 0; // add or remove
    ev.xclient.data.l[1] = static_cast<long>(st.atoms.state_modal);
    ev.xclient.data.l[3] = 1; // from an application
    XSendEvent(st.dpy, DefaultRootWindow(st.dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &ev);
}

// Whether the window was opened while a modal loop runs (the help viewer that a dialog's Help
// button opens): it belongs to the modal window as a dialog does.
bool opened_in_modal(WINDOW win) noexcept {
    WINDOW modal = vkobase::app_innermost_modal();
    return modal != nullptr && modal != win &&
           win->internal->created_order > modal->internal->created_order;
}

// Everything a window manager reads of a new X window, set before it is mapped: its type, the
// window it belongs to, its modal state, the program's class, process and icon, that it takes
// the keyboard, and its size hints. Where a main window first appears is left to a window
// manager (so that it does not cover the one before); dialogs, and windows opened from them,
// open where the program put them. A window the user may not resize says so.
void describe_window(Shown &s, Window owner) noexcept {
    DisplayState &st = state();
    const Atoms &a = st.atoms;
    WINDOW win = s.owner;
    const Kind kind = kind_of(win);
    const Atom types[] = {a.type_normal,     a.type_dialog, a.type_dropdown_menu,
                          a.type_popup_menu, a.type_combo,  a.type_splash};
    set_atom_list(s.xwin, a.net_wm_window_type, &types[static_cast<int>(kind)], 1);
    const bool placed = kind != Kind::kNormal || opened_in_modal(win);
    if (placed && owner != 0)
        XSetTransientForHint(st.dpy, s.xwin, owner);
    s.modal = win->internal->modal_running;
    if (s.modal)
        set_atom_list(s.xwin, a.net_wm_state, &a.state_modal, 1);

    const s_app_config &config = vkobase::app_config();
    const char *name = config.appl_name != nullptr ? config.appl_name : config.base_appl_name;
    if (name != nullptr && *name != 0) {
        std::string instance = name;
        for (char &c : instance)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string klass = name;
        XClassHint hint{instance.data(), klass.data()};
        XSetClassHint(st.dpy, s.xwin, &hint);
    }
    const unsigned long pid = static_cast<unsigned long>(getpid());
    XChangeProperty(st.dpy, s.xwin, a.net_wm_pid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&pid), 1);
    XWMHints wm_hints{};
    wm_hints.flags = InputHint | StateHint;
    wm_hints.input = True;
    wm_hints.initial_state = NormalState;
    XSetWMHints(st.dpy, s.xwin, &wm_hints);
    const std::vector<unsigned long> &icon = app_icon();
    if (!icon.empty())
        XChangeProperty(st.dpy, s.xwin, a.net_wm_icon, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(icon.data()),
                        static_cast<int>(icon.size()));

    set_size_hints(s.xwin, win, s.placement, s.inset, placed);
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

void destroy_shown(Shown &s) noexcept {
    DisplayState &st = state();
    if (s.xwin != 0)
        refresh_under(s, screen_extent(s));
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

bool create_shown(WINDOW win, Window owner) noexcept {
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
    if (vkobase::menu::is_level_window(win) || vkobase::ctl::is_drop_down(win)) {
        // Menu levels and drop-down lists are placed by the program and never framed by a
        // window manager. No save-under: the pixels a server would put back when the level
        // closes are those from before it opened, not what the window below drew since.
        XSetWindowAttributes attrs{};
        attrs.override_redirect = True;
        XChangeWindowAttributes(st.dpy, s.xwin, CWOverrideRedirect, &attrs);
    }
    XSelectInput(st.dpy, s.xwin,
                 ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                     KeyPressMask | KeyReleaseMask | FocusChangeMask | StructureNotifyMask);
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
        // The program resizes a window of fixed size: a manager holds it to the old size
        // until the hints say the new one.
        if (resized && !sizable(s.owner))
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
    for (std::size_t i = 0; i < want.size(); ++i) {
        if (Shown *s = shown_by_owner(want[i]))
            follow_record(*s);
        else
            create_shown(want[i], owner_xwin(want, i));
    }
    // Raising a window in the tree raises its X window: restack back to front on any change.
    if (want != st.stacking) {
        for (WINDOW win : want)
            if (const Shown *s = shown_by_owner(win))
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
    // A changed item deep in a menu changes the generation but not the bar's look.
    bool bar_stale = s.inset > 0 && s.bar_lost;
    if (s.inset > 0 && !bar_stale && s.bar_generation != vkobase::menu::bar_generation()) {
        if (vkobase::menu::bar_look(s.owner) == s.bar_look)
            s.bar_generation = vkobase::menu::bar_generation();
        else
            bar_stale = true;
    }
    if (!bar_stale && s.dirty.empty() && !caret_moved)
        return;
    const VkoProbeScope probe(VKO_PROBE_FLUSH);
    if (bar_stale && s.xsurface != nullptr) {
        // The bar is drawn in memory, then copied. Text drawn straight onto an X surface gives
        // its scaled font an X glyph cache that holds the connection's cairo device; cairo
        // keeps released scaled fonts for reuse and never drops that hold, so the device would
        // outlive the connection.
        const int width = s.placement.right - s.placement.left;
        cairo_surface_t *strip = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, s.inset);
        cairo_t *bar = cairo_create(strip);
        vkobase::menu::draw_bar(s.owner, bar, width);
        cairo_destroy(bar);
        cairo_t *copy = cairo_create(s.xsurface);
        cairo_set_source_surface(copy, strip, 0, 0);
        cairo_set_operator(copy, CAIRO_OPERATOR_SOURCE);
        cairo_rectangle(copy, 0, 0, width, s.inset);
        cairo_fill(copy);
        cairo_destroy(copy);
        cairo_surface_destroy(strip);
        cairo_surface_flush(s.xsurface);
        s.bar_lost = false;
        s.bar_generation = vkobase::menu::bar_generation();
        s.bar_look = vkobase::menu::bar_look(s.owner);
    }
    if (s.dirty.empty() && !caret_moved)
        return;
    if (caret_moved && !rect_empty(s.caret))
        add_dirty(s, s.caret);
    cairo_surface_t *pixels = vkobase::surface_of(s.owner);
    if (pixels == nullptr || s.xsurface == nullptr)
        return;
    cairo_t *cr = cairo_create(s.xsurface);
    cairo_translate(cr, 0, s.inset);
    if (!s.dirty.empty()) {
        cairo_save(cr);
        // Only the client area: outside the surface the copy would clear the bar strip.
        const s_rct client = vkobase::win_client_rect(s.owner);
        for (const s_rct &r : s.dirty) {
            s_rct part{};
            if (vkov_rect_intersect(&part, &r, &client))
                cairo_rectangle(cr, part.left, part.top, part.right - part.left,
                                part.bottom - part.top);
        }
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

void define_shape(Shown &s, vkobase::PointerShape shape) noexcept {
    if (s.shape == static_cast<int>(shape))
        return;
    XDefineCursor(state().dpy, s.xwin, cursor_for(shape));
    s.shape = static_cast<int>(shape);
}

// The pointer takes the shape of the window under it.
void show_shape(Shown &s, WINDOW under) noexcept {
    define_shape(s, vkobase::display_pointer_shape(under, vkobase::scr_busy_cursor()));
}

// While a menu is open its owner's X window holds the pointer, so that a press anywhere
// reaches the menu (and closes it when outside). An open drop-down list holds it too: presses
// in the program's own windows go to them as usual (and on to the list, which traps the
// pointer), presses anywhere else to the list, which closes.
void sync_grab() noexcept {
    DisplayState &st = state();
    const Shown *owner = shown_by_owner(vkobase::menu::active_owner());
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

bool is_within(WINDOW win, WINDOW ancestor) noexcept {
    for (WINDOW w = win; vkobase::win_is_live(w); w = w->parent)
        if (w == ancestor)
            return true;
    return false;
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

// The server's keyboard follows the program's focus to another of its windows once one of
// them holds it (a window manager gave it, or a modal window took it): the help viewer that
// a dialog opens takes the keys, and the dialog gets them back when the viewer closes.
void sync_focus() noexcept {
    DisplayState &st = state();
    Shown *holder = focus_holder();
    WINDOW top = holder != nullptr ? holder->owner : nullptr;
    if (top == st.focus_top)
        return;
    st.focus_top = top;
    if (holder == nullptr || !holder->mapped)
        return;
    if (top->internal->modal_running || keyboard_is_ours())
        XSetInputFocus(st.dpy, holder->xwin, RevertToPointerRoot, CurrentTime);
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
    EVENT ev{};
    ev.type = E_CHAR;
    if (!vkobase::display_translate_key(keysym, xk.state, text, len, &ev.v.chr))
        return;
    // Keys go to the focus when it lies in this window, else to the window itself; those typed
    // over an open drop-down list go to its control, which works the list.
    WINDOW focus = vkok_scr_get_focus_vobj();
    WINDOW target = is_within(focus, s.owner) ? focus : s.owner;
    if (WINDOW control = vkobase::ctl::drop_down_owner(s.owner))
        target = control;
    // A window manager may give the keyboard to a window that a modal loop holds back (the
    // user clicked it): its keys belong to the modal window.
    if (vkobase::app_input_blocked(target))
        if (WINDOW modal = vkobase::app_innermost_modal())
            target = is_within(focus, modal) ? focus : modal;
    vkobase::win_post_event(target, ev);
}

// The user (or a window manager) moved or resized the window: the record follows, which sends
// the size event and invalidates the window; the X surface takes the new size at once.
void on_configure(Shown &s, const XConfigureEvent &xc) noexcept {
    // The place is the root's unless a window manager reparented the window and this is the
    // server's own report, whose place is within the manager's frame.
    std::int16_t top = s.placement.top;
    std::int16_t left = s.placement.left;
    if (!s.reparented || xc.send_event) {
        top = static_cast<std::int16_t>(xc.y + s.inset);
        left = static_cast<std::int16_t>(xc.x);
    }
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

void handle_event(XEvent &xe) noexcept {
    DisplayState &st = state();
    Shown *s = shown_by_xwin(xe.xany.window);
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
    case FocusIn:
        // Without a window manager the keys follow the pointer: the window under it takes
        // the program's focus only when the focus went with a window that closed (a dialog).
        if (xe.xfocus.detail == NotifyInferior ||
            (xe.xfocus.detail == NotifyPointer && vkok_scr_get_focus_vobj() != nullptr))
            break;
        // The window manager gave the window the keyboard: the program's focus returns to
        // the control in it that had it last (the search field after the title window or a
        // dialog took the keyboard for a while), else goes to the window. A window that a
        // modal loop holds back does not take the program's focus: its keys go to the modal
        // window (see on_key), with the focus that window holds.
        if (!is_within(vkok_scr_get_focus_vobj(), s->owner) &&
            !vkobase::app_input_blocked(s->owner)) {
            WINDOW kept = vkobase::scr_last_focus_in(s->owner);
            vkok_scr_set_focus_vobj(kept != nullptr ? kept : s->owner);
        }
        break;
    case MapNotify:
        // Without a window manager nobody gives a new window the keyboard: a window whose
        // modal loop runs takes it, so that its keys (Return, Escape) reach it wherever the
        // pointer is; so does one that the program gave its focus while the keyboard is on
        // another of its windows (the help viewer opened from a dialog). When it goes, the
        // keys follow the pointer again.
        s->mapped = true;
        if (s->owner->internal->modal_running ||
            (is_within(vkok_scr_get_focus_vobj(), s->owner) && keyboard_is_ours()))
            XSetInputFocus(st.dpy, s->xwin, RevertToPointerRoot, CurrentTime);
        break;
    case UnmapNotify:
        s->mapped = false;
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
    st.net_wm_name = XInternAtom(st.dpy, "_NET_WM_NAME", False);
    st.utf8_string = XInternAtom(st.dpy, "UTF8_STRING", False);
    XInternAtoms(st.dpy, const_cast<char **>(kAtomNames),
                 static_cast<int>(sizeof(kAtomNames) / sizeof(kAtomNames[0])), False,
                 reinterpret_cast<Atom *>(&st.atoms));
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
        handle_event(xe);
    }
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
