// display_internal.h: the X11 display under the event loop. While the application runs for
// real and DISPLAY names a server, every shown top-level window has an X window that shows its
// surface, and X input becomes the toolkit's event records, queued like any other event.
// Headless (no DISPLAY, or test mode) every call here does nothing. Internal to vkobase.
#pragma once

#include <cstdint>

#include "vkobase/types.h"

typedef struct _cairo_device cairo_device_t;

namespace vkobase {

// Connects to the server named by DISPLAY; false (and nothing changes) when there is none or
// the connection fails. Called by the system start outside test mode.
bool display_open() noexcept;
// Destroys the X windows and closes the connection.
void display_close() noexcept;
bool display_is_open() noexcept;
// The cairo device of the X surfaces, null while no window shows: at the close nothing but a
// caller's own reference may hold it.
cairo_device_t *display_cairo_device() noexcept;

// One look at the server: X windows follow the window records (created, shown, hidden, moved,
// resized, retitled, destroyed), and the input that arrived is queued as events.
void display_pump() noexcept;
// Shows on the X windows what was drawn on the surfaces since the last call.
void display_flush() noexcept;
// Waits until the server has handled what the program sent, then takes in what the server
// sent before that (display_pump): input another client made through the server before the
// call has reached the program, an open menu's at once, the rest queued as events.
void display_catch_up() noexcept;
// A dialog of another toolkit that held the keyboard has closed: the program's focus takes
// the keyboard back.
void display_keys_back() noexcept;
// Sleeps in one poll until the server sends input, wake_fd (when not -1) becomes readable,
// a source of GTK's is ready or timeout_ms passes (-1: no limit); false at once when no display
// is open (the caller waits instead).
bool display_wait(int timeout_ms, int wake_fd = -1) noexcept;

// True for the windows that show in an X window of their own: those that draw on a surface of
// their own (top-level windows and the windows inside the task window), except pixmaps and
// print windows.
bool display_has_own_window(WINDOW win) noexcept;

// The file descriptor of the connection, -1 when no display is open.
int display_connection_fd() noexcept;
// How many times the program's X windows were raised back to front since the display opened
// (whenever its set of windows changes; under a window manager only its pop-ups and windows it
// brought forward): another client's window that must stay in front (a dialog running over the
// program) is raised again after each.
unsigned display_restack_count() noexcept;

// Whether some program (this one included) owns the CLIPBOARD selection; false when no
// display is open.
bool display_clipboard_owned() noexcept;

// Rings the display's bell; false when no display is open.
bool display_bell() noexcept;

// The X window that shows a window's surface, 0 when it has none.
unsigned long display_xwindow_of(WINDOW win) noexcept;
// The size of the display's screen in pixels; false when no display is open.
bool display_screen_size(int *width, int *height) noexcept;

// Translation of X input, free of any connection so that it can be checked alone.
// X modifier state bits, as in the server's events.
constexpr unsigned kXShift = 1u << 0;
constexpr unsigned kXLock = 1u << 1;
constexpr unsigned kXControl = 1u << 2;
constexpr unsigned kXMod1 = 1u << 3; // Alt
constexpr unsigned kXMod2 = 1u << 4; // Num Lock
constexpr unsigned kXMod4 = 1u << 6; // Meta (the logo key)

// The character record of a key: keysym and modifier state from the key event, text what the
// server's lookup produced for it (Latin-1 bytes). False for keys that make no key event
// (modifiers alone).
bool display_translate_key(unsigned long keysym, unsigned state, const char *text, int text_len,
                           s_char *out) noexcept;
// The toolkit's button number of an X button (0 left, 1 right, 2 middle); -1 for the others
// (the wheel), which make no mouse event.
std::int16_t display_mouse_button(unsigned x_button) noexcept;
// A turn of the wheel (X buttons 4 to 7) under the pointer: the window that scrolls and the
// event it gets (a scroll event, or for a scroll-bar control the control event its parent
// gets from a click on its arrow). False for other buttons or when nothing is under it.
bool display_wheel_event(WINDOW under, unsigned x_button, WINDOW *target, EVENT *event) noexcept;
// The pointer shapes of the cursor ids that windows set (vkok_win_set_cursor).
enum class PointerShape { kArrow, kIBeam, kWait, kSplit, kCross, kHelp, kHand };
// The shape over a window: its cursor id, an I-beam over edit fields and text edits that set
// none, the wait shape while the program is busy.
PointerShape display_pointer_shape(WINDOW win, bool busy) noexcept;
// The window of the owner's subtree under a point of the owner's client area: the deepest
// visible child whose outer rectangle holds it (front children first); children that show
// surfaces of their own are skipped. The point comes back in that window's client coordinates.
WINDOW display_window_at(WINDOW owner, s_pnt *pnt) noexcept;

} // namespace vkobase
