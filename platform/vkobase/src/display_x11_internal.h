// display_x11_internal.h: what the files of the X11 display share: the record of each shown
// window's X window, the connection's state, and the helpers each file lends the others. The
// connection and the display's entry points are in display_x11.cpp, the X windows that follow
// the window records in display_x11_windows.cpp, what a window manager is told in
// display_x11_wm.cpp, the copying of pixels in display_x11_paint.cpp, X input in
// display_x11_input.cpp. Internal to vkobase; only the display's files include it.
#pragma once

#include <X11/Xlib.h>
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "display_internal.h"
#include "vkobase/types.h"

namespace vkobase::x11 {

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
    Window opened_over = 0;           // the window it belongs to (a dialog's owner), 0: none
    bool mapped = false;              // viewable: it can take the keyboard
    std::uint64_t mapped_at = 0;      // DisplayState::events_read when it became viewable
    // A box that ends the program: the server's time once it was viewable (see on_key).
    bool shown_time_known = false;
    Time shown_time = 0;
};

// The events every X window of the program selects.
constexpr long kWindowEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                               PointerMotionMask | KeyPressMask | KeyReleaseMask |
                               FocusChangeMask | StructureNotifyMask;

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
        net_supporting_wm_check, wm_client_leader;
};

struct DisplayState {
    Display *dpy = nullptr;
    Atom wm_protocols = 0;
    Atom wm_delete = 0;
    Atoms atoms{};
    std::vector<unsigned long> icon; // _NET_WM_ICON's value, made on first use
    bool icon_made = false;
    std::vector<Shown> shown;
    std::uint64_t events_read = 0; // the server's events read so far: the order of input
    std::vector<WINDOW> stacking; // the shown windows back to front, as the server has them
    unsigned restacks = 0;        // times they were raised in that order
    Press press;
    Press last_click; // for double clicks
    Atom net_wm_name = 0;
    Atom utf8_string = 0;
    Atom shown_mark = 0; // an empty property whose change tells the server's time
    Window grabbed = 0;        // the window that holds the pointer for an open menu
    Window leader = 0;         // never shown: the leader of the group of the program's windows
    bool alt_alone = false;    // Alt is down and no other key or button came since
    Cursor cursors[7] = {};    // by PointerShape, made on first use
    WINDOW focus_top = nullptr; // the shown window that held the program's focus at the last look
    // The keyboard went with a window that closed (one of the program's, or a GTK dialog):
    // without a window manager nobody gives it back, and the program's focus takes it.
    bool keys_orphaned = false;
    // The CLIPBOARD selection's owner as the server last told (XFixes), so that asking whether
    // some program offers the clipboard needs no round trip; -1 without the extension.
    int fixes_event_base = -1;
    Atom clipboard = 0;
    Window clipboard_owner = 0;
};

DisplayState &state() noexcept;
// True while the shown window's record is the one it was made for.
bool same_record(const Shown &s) noexcept;
Shown *shown_by_owner(WINDOW owner) noexcept;
Shown *shown_by_xwin(Window xwin) noexcept;

// display_x11_windows.cpp: the X windows follow the records.
int extent(std::int16_t from, std::int16_t to) noexcept;
void destroy_shown(Shown &s) noexcept;
void sync_windows() noexcept;

// display_x11_wm.cpp: what a window manager learns of a window.
// The title as the server takes it: UTF-8 in the window manager's property, and the legacy
// property for the others.
void store_title(Window xwin, const std::string &title) noexcept;
// A window the user may resize: a framed type created with the sizable flag.
bool sizable(WINDOW win) noexcept;
// Whether a window manager runs: it names its own window on the root.
bool manager_running() noexcept;
// The size hints: the place the program gave (a position the manager keeps when `placed`),
// its size as the least, and for a window the user may not resize that size as the only one.
void set_size_hints(Window xwin, WINDOW owner, const s_rct &placement, int inset,
                    bool placed) noexcept;
// Tells the window manager that a mapped window starts or stops running modal.
void tell_modal(const Shown &s, bool modal) noexcept;
// Everything a window manager reads of a new X window, set before it is mapped.
void describe_window(Shown &s, Window owner) noexcept;

// display_x11_paint.cpp: changed areas and their copy to the server.
void add_dirty(Shown &s, const s_rct &area) noexcept;
void on_surface_drawn(WINDOW owner, const s_rct &area) noexcept;
// Copies the changed parts of the owner's surface to its X window, then draws the caret.
void show_changes(Shown &s) noexcept;

// display_x11_input.cpp: X input, the pointer's shape and grab, the keyboard focus.
void define_shape(Shown &s, PointerShape shape) noexcept;
void sync_grab() noexcept;
void sync_focus() noexcept;
// The keyboard went with a window that closed: the program's focus takes it at the next look
// (without a window manager only).
void note_keys_orphaned() noexcept;
void handle_event(XEvent &xe) noexcept;

} // namespace vkobase::x11
