// display_x11_wm.cpp: what a window manager learns of each X window: what the window is (dialog
// of which window, menu, drop-down list, splash), the program's class, process and icon, its
// title in UTF-8, which windows keep their size, which functions their frames offer, and which
// run modal.
#include "display_x11_internal.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>


#include "core_internal.h"
#include "ctl_internal.h"
#include "font_internal.h"
#include "image_internal.h"
#include "menu_internal.h"
#include "vkobase/res.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace vkobase::x11 {

namespace {

// The application attribute that names the image resource shown as the windows' icon.
constexpr std::int32_t kAttrAppIcon = 10030;
// The creation flag of a window that the user may resize.
constexpr std::uint32_t kSizableFlag = 0x0001u;

} // namespace

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

namespace {

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

} // namespace

// A window the user may resize: a framed type created with the sizable flag.
bool sizable(WINDOW win) noexcept {
    const bool framed = win->type == W_DOC || win->type == W_DBL || win->type == W_MODELESS;
    return framed && (win->flags & kSizableFlag) != 0;
}

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

namespace {

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

} // namespace

// The size hints: the place the program gave (a position the manager keeps when `placed`),
// its size as the least, and for a window the user may not resize that size as the only one.
void set_size_hints(Window xwin, WINDOW owner, const s_rct &placement, int inset,
                    bool placed) noexcept {
    XSizeHints hints{};
    hints.x = placement.left;
    hints.y = placement.top - inset;
    if (placed)
        hints.flags |= PPosition;
    // The program lays a window out for the size it gives it: the user may make it larger,
    // never smaller, which would cut off what lies along its lower and right edges.
    hints.flags |= PMinSize;
    hints.min_width = extent(placement.left, placement.right);
    hints.min_height = extent(placement.top, placement.bottom) + inset;
    if (!sizable(owner)) {
        hints.flags |= PMaxSize;
        hints.max_width = hints.min_width;
        hints.max_height = hints.min_height;
    }
    XSetWMNormalHints(state().dpy, xwin, &hints);
}

namespace {

// What the _MOTIF_WM_HINTS property says: that it names the functions a window manager offers
// for the window, and which of them (resizing, 1 << 1, and maximising, 1 << 4, are never
// named here).
constexpr long kMotifFunctionsFlag = 1L << 0;
constexpr long kMotifMove = 1L << 2;
constexpr long kMotifMinimize = 1L << 3;
constexpr long kMotifClose = 1L << 5;

// The functions a framed window offers through its frame's buttons and menu. A window the user
// may not resize offers neither resizing nor maximising (which would only move it to the
// corner); a dialog that runs modal offers no minimising either, which would hide it while it
// holds up the windows it was opened over. Menus, lists and splash windows have no frame.
void set_functions(const Shown &s) noexcept {
    Display *dpy = state().dpy;
    const Atom property = XInternAtom(dpy, "_MOTIF_WM_HINTS", False);
    const Kind kind = kind_of(s.owner);
    if (sizable(s.owner) || (kind != Kind::kNormal && kind != Kind::kDialog)) {
        XDeleteProperty(dpy, s.xwin, property);
        return;
    }
    long functions = kMotifMove | kMotifClose;
    if (!s.modal)
        functions |= kMotifMinimize;
    const long hints[5] = {kMotifFunctionsFlag, functions, 0, 0, 0};
    XChangeProperty(dpy, s.xwin, property, property, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(hints), 5);
}

// The window a window is transient for. A dialog that runs modal holds up every window of the
// program, not only the one it was opened over: it is transient for the program's whole group
// (the root, as the conventions have it), so that a window manager keeps it above all of them
// and hands it the click on any of them. A dialog opened over another dialog (a message box
// over a modal dialog) stays transient for that one, which keeps it on top of it.
Window transient_target(const Shown &s) noexcept {
    if (s.opened_over == 0 || !s.modal)
        return s.opened_over;
    const Shown *over = shown_by_xwin(s.opened_over);
    if (over != nullptr && same_record(*over) && kind_of(over->owner) == Kind::kDialog)
        return s.opened_over;
    return DefaultRootWindow(state().dpy);
}

void set_transient(const Shown &s) noexcept {
    const Window target = transient_target(s);
    if (target != 0)
        XSetTransientForHint(state().dpy, s.xwin, target);
    else
        XDeleteProperty(state().dpy, s.xwin, XA_WM_TRANSIENT_FOR);
}

} // namespace

// Tells the window manager that a mapped window starts or stops running modal (and so whether
// it holds up the whole program); without a manager the property itself changes, as it would
// have before the window was mapped.
void tell_modal(const Shown &s, bool modal) noexcept {
    DisplayState &st = state();
    set_transient(s);
    set_functions(s);
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

namespace {

// Whether the window was opened while a modal loop runs (the help viewer that a dialog's Help
// button opens): it belongs to the modal window as a dialog does.
bool opened_in_modal(WINDOW win) noexcept {
    WINDOW modal = vkobase::app_innermost_modal();
    return modal != nullptr && modal != win &&
           win->internal->created_order > modal->internal->created_order;
}

// What every window of the program says of the program: its class, its process, and its
// group's leader.
void describe_program(Window xwin, Window leader) noexcept {
    DisplayState &st = state();
    try {
        std::string klass = vkobase::app_class_name();
        std::string instance = vkobase::app_instance_name();
        if (!klass.empty()) {
            XClassHint hint{instance.data(), klass.data()};
            XSetClassHint(st.dpy, xwin, &hint);
        }
    } catch (...) {
    }
    const unsigned long pid = static_cast<unsigned long>(getpid());
    XChangeProperty(st.dpy, xwin, st.atoms.net_wm_pid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&pid), 1);
    if (leader != 0)
        XChangeProperty(st.dpy, xwin, st.atoms.wm_client_leader, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(&leader), 1);
}

// The window that stands for the program as a whole, never shown: every window names it as
// the leader of its group, so that a window manager knows the program's windows belong
// together. Made on first use; 0 when it cannot be.
Window group_leader() noexcept {
    DisplayState &st = state();
    if (st.leader != 0)
        return st.leader;
    st.leader = XCreateSimpleWindow(st.dpy, DefaultRootWindow(st.dpy), -1, -1, 1, 1, 0, 0, 0);
    if (st.leader == 0)
        return 0;
    describe_program(st.leader, st.leader);
    XWMHints hints{};
    hints.flags = WindowGroupHint;
    hints.window_group = st.leader;
    XSetWMHints(st.dpy, st.leader, &hints);
    return st.leader;
}

} // namespace

// Everything a window manager reads of a new X window, set before it is mapped: its type, the
// window it belongs to, its modal state, the program's class, process, group and icon, that it
// takes the keyboard, and its size hints. Where a main window first appears is left to a window
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
    s.opened_over = placed ? owner : 0;
    s.modal = win->internal->modal_running;
    if (s.opened_over != 0)
        set_transient(s);
    if (s.modal)
        set_atom_list(s.xwin, a.net_wm_state, &a.state_modal, 1);

    const Window leader = group_leader();
    describe_program(s.xwin, leader);
    XWMHints wm_hints{};
    wm_hints.flags = InputHint | StateHint | (leader != 0 ? WindowGroupHint : 0);
    wm_hints.input = True;
    wm_hints.initial_state = NormalState;
    wm_hints.window_group = leader;
    XSetWMHints(st.dpy, s.xwin, &wm_hints);
    const std::vector<unsigned long> &icon = app_icon();
    if (!icon.empty())
        XChangeProperty(st.dpy, s.xwin, a.net_wm_icon, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(icon.data()),
                        static_cast<int>(icon.size()));

    set_size_hints(s.xwin, win, s.placement, s.inset, placed);
    set_functions(s);
}

} // namespace vkobase::x11
