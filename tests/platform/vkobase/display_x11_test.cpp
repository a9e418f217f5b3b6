// display_x11_test.cpp: the display end to end under a private Xvfb server: a small program
// runs the real event loop, opens a window, draws in it, takes a screenshot and gets a click
// sent through the server. The program runs in a child process: the test mode that other tests
// enter is for the whole process, and a display is never opened in it.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cairo.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "../../../platform/vkobase/src/display_internal.h"
#include "../../../platform/vkobase/src/window_internal.h"
#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "xvfb_fixture.h"

namespace {

// The document window's client area on the screen, and the rectangle drawn in it.
constexpr s_rct kDocRect{120, 200, 320, 500};
constexpr s_rct kDrawn{20, 40, 80, 140};
// Where the click lands, in the document's client coordinates.
constexpr int kClickV = 50;
constexpr int kClickH = 90;
constexpr COLOR kRed = 0x00FF0000u;
// Drawn later, after an invalidation of the program's own: no X event asks for it.
constexpr s_rct kLater{120, 40, 160, 140};
constexpr COLOR kGreen = 0x0000FF00u;
// The caret, shown once the document has the focus.
constexpr s_pnt kCaretAt{170, 250};

// A window laid over part of the drawn rectangle for a while (screen coordinates).
constexpr s_rct kCoverRect{150, 260, 180, 320};
constexpr unsigned long kBlue = 0x0000FFul; // a pixel of the 24-bit TrueColor screen

// Screen points of the drawing and of the cover.
constexpr int kTop = kDocRect.top, kLeft = kDocRect.left;
constexpr int kCoverX = (kCoverRect.left + kCoverRect.right) / 2;
constexpr int kCoverY = (kCoverRect.top + kCoverRect.bottom) / 2;

// What the screen shows: the drawing; the cover over it; the cover gone, the later drawing
// and the caret.
const std::vector<vkotest::ScreenPixel> kShown = {
    {"inside the drawn rectangle", kLeft + 90, kTop + 50, 0xFF0000u},
};
const std::vector<vkotest::ScreenPixel> kCovered = {
    {"the cover is shown in front", kCoverX, kCoverY, 0x0000FFu},
    {"the drawing shows around the cover", kLeft + 45, kTop + 25, 0xFF0000u},
    {"but what the program draws later was not there before", kLeft + 90, kTop + 140, 0xFFFFFFu},
};
const std::vector<vkotest::ScreenPixel> kFinal = {
    {"the cover gone, its place shows the drawing again", kCoverX, kCoverY, 0xFF0000u},
    {"inside the drawn rectangle", kLeft + 90, kTop + 50, 0xFF0000u},
    {"its top-left pixel", kLeft + kDrawn.left, kTop + kDrawn.top, 0xFF0000u},
    {"just right of it", kLeft + kDrawn.right + 2, kTop + 50, 0xFFFFFFu},
    {"just below it", kLeft + 90, kTop + kDrawn.bottom + 2, 0xFFFFFFu},
    {"what the program drew later is shown", kLeft + 90, kTop + 140, 0x00FF00u},
    {"the caret of the focus window", kLeft + kCaretAt.h + 1, kTop + kCaretAt.v + 8, 0x000000u},
    {"the caret is two pixels wide", kLeft + kCaretAt.h + 2, kTop + kCaretAt.v + 8, 0xFFFFFFu},
    {"the window's bottom-right corner", kLeft + 299, kTop + 199, 0xFFFFFFu},
};

struct Child {
    std::string png;
    std::string covered_png;
    Display *cover_dpy = nullptr; // another client's window laid over the drawing
    std::string log;
    WINDOW doc = nullptr;
    int step = 0;
    vkotest::StepClock clock{60}; // past it a step goes on and the checks tell
    bool later = false; // draw the green rectangle too
    int ups = 0;
};

Child &child() {
    static Child c;
    return c;
}

void append_log(const std::string &line) {
    vkotest::append_line(child().log, line);
}

// Input arrives from a connection of its own, as from another client of the server: the
// program must take synthetic events like real ones.
class Sender {
public:
    Sender() : dpy_(XOpenDisplay(nullptr)) {}
    ~Sender() {
        if (dpy_ != nullptr) {
            XFlush(dpy_);
            XCloseDisplay(dpy_);
        }
    }
    Display *dpy() const { return dpy_; }
    Window target() const { return vkobase::display_xwindow_of(child().doc); }

    void button(int type, unsigned state, int x = kClickH, int y = kClickV) {
        XEvent ev{};
        ev.xbutton.type = type;
        ev.xbutton.display = dpy_;
        ev.xbutton.window = target();
        ev.xbutton.x = x;
        ev.xbutton.y = y;
        ev.xbutton.button = Button1;
        ev.xbutton.state = state;
        ev.xbutton.same_screen = True;
        XSendEvent(dpy_, target(), False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask,
                   &ev);
    }
    void motion(unsigned state, int x, int y) {
        XEvent ev{};
        ev.xmotion.type = MotionNotify;
        ev.xmotion.display = dpy_;
        ev.xmotion.window = target();
        ev.xmotion.x = x;
        ev.xmotion.y = y;
        ev.xmotion.state = state;
        ev.xmotion.same_screen = True;
        XSendEvent(dpy_, target(), False, PointerMotionMask, &ev);
    }
    void key(KeySym keysym) {
        XEvent ev{};
        ev.xkey.type = KeyPress;
        ev.xkey.display = dpy_;
        ev.xkey.window = target();
        ev.xkey.keycode = XKeysymToKeycode(dpy_, keysym);
        ev.xkey.same_screen = True;
        XSendEvent(dpy_, target(), False, KeyPressMask, &ev);
    }
    void close_request() {
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = target();
        ev.xclient.message_type = XInternAtom(dpy_, "WM_PROTOCOLS", False);
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy_, "WM_DELETE_WINDOW", False));
        XSendEvent(dpy_, target(), False, NoEventMask, &ev);
    }

private:
    Display *dpy_;
};

void log_mouse(const EVENT &ev) {
    append_log(std::to_string(ev.type) + " " + std::to_string(ev.v.mouse.where.v) + " " +
               std::to_string(ev.v.mouse.where.h) + " " + std::to_string(ev.v.mouse.shift) + " " +
               std::to_string(ev.v.mouse.button));
}

void lay_cover() {
    Display *dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr)
        return;
    const int screen = DefaultScreen(dpy);
    XSetWindowAttributes attrs{};
    attrs.background_pixel = kBlue;
    attrs.override_redirect = True;
    const Window w =
        XCreateWindow(dpy, RootWindow(dpy, screen), kCoverRect.left, kCoverRect.top,
                      static_cast<unsigned>(kCoverRect.right - kCoverRect.left),
                      static_cast<unsigned>(kCoverRect.bottom - kCoverRect.top), 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &attrs);
    XMapRaised(dpy, w);
    XSync(dpy, False);
    child().cover_dpy = dpy;
}

// The script: once the window is up and drawn, another client lays a window over it; look at
// the screen, take the cover away, draw more, show the caret and look again; then a shift-drag, a
// second click at the first one's point (a double click), the key "a", the left arrow, a move and
// resize by the user and a close request, each sent when the program has taken the one before.
// Synthetic events carry the same time, so the second click is well within the double-click time.
int32_t doc_handler(WINDOW win, EVENT *ev) {
    switch (ev->type) {
    case E_UPDATE: {
        const s_cpen pen{1, PAT_SOLID, P_SOLID, kRed};
        const s_cbrush brush{PAT_SOLID, kRed};
        vkok_dwin_set_cpen(win, &pen);
        vkok_dwin_set_cbrush(win, &brush);
        vkok_dwin_draw_rect(win, &kDrawn);
        if (child().later) {
            const s_cbrush green{PAT_SOLID, kGreen};
            const s_cpen green_pen{1, PAT_SOLID, P_SOLID, kGreen};
            vkok_dwin_set_cpen(win, &green_pen);
            vkok_dwin_set_cbrush(win, &green);
            vkok_dwin_draw_rect(win, &kLater);
        }
        break;
    }
    case E_TIMER: {
        // One step per tick, each once the screen shows what the one before did.
        Child &c = child();
        const bool late = c.clock.stalled(c.step);
        if (c.step == 0 && (vkotest::screen_shows_all(c.covered_png, kShown) || late)) {
            lay_cover();
            c.step = 1;
        } else if (c.step == 1 && (vkotest::screen_shows_all(c.covered_png, kCovered) || late)) {
            // Closing the other client removes its window; the server asks for our pixels back.
            XCloseDisplay(c.cover_dpy);
            c.cover_dpy = nullptr;
            c.later = true;
            vkok_dwin_invalidate_rect(win, &kLater);
            vkok_scr_set_focus_vobj(win);
            vkok_win_set_caret_size(win, 2, 16);
            vkok_win_set_caret_pos(win, kCaretAt);
            vkok_win_set_caret_visible(win, TRUE);
            c.step = 2;
        } else if (c.step == 2 && (vkotest::screen_shows_all(c.png, kFinal) || late)) {
            Sender send;
            send.button(ButtonPress, ShiftMask);
            send.motion(ShiftMask | Button1Mask, kClickH + 30, kClickV + 5);
            send.button(ButtonRelease, ShiftMask | Button1Mask, kClickH + 30, kClickV + 5);
            c.step = 3;
        } else if (c.step == 3 && late) {
            vkov_app_destroy(); // the input stalled: end, and let the checks tell
        }
        break;
    }
    case E_MOUSE_DOWN:
    case E_MOUSE_MOVE:
    case E_MOUSE_DBL:
        log_mouse(*ev);
        break;
    case E_MOUSE_UP: {
        log_mouse(*ev);
        Sender send;
        if (++child().ups == 1) {
            send.button(ButtonPress, ShiftMask);
            send.button(ButtonRelease, ShiftMask | Button1Mask);
        } else {
            send.key(XK_a);
            send.key(XK_Left);
        }
        break;
    }
    case E_CHAR:
        append_log("10 " + std::to_string(ev->v.chr.ch) + " " + std::to_string(ev->v.chr.virt));
        if (ev->v.chr.ch == 304) {
            Sender send;
            XMoveResizeWindow(send.dpy(), send.target(), 220, 130, 350, 250);
        }
        break;
    case E_SIZE: {
        const s_pnt at = vkobase::win_client_origin_on_screen(win);
        append_log("3 " + std::to_string(ev->v.size.height) + " " +
                   std::to_string(ev->v.size.width) + " at " + std::to_string(at.v) + " " +
                   std::to_string(at.h));
        Sender send;
        send.close_request();
        break;
    }
    case E_CLOSE:
        append_log("5");
        vkov_app_destroy();
        break;
    default:
        break;
    }
    return 0;
}

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type == E_CREATE) {
        child().doc = vkok_win_create(W_DOC, &kDocRect, "Display test", 0, NULL_WIN, 0,
                                      VKO_EVENT_MASK_ALL, doc_handler, 0);
        vkov_timer_create(child().doc, 300);
    }
    return 0;
}

using DisplayX11 = vkotest::XvfbTest;

TEST_F(DisplayX11, ProgramShowsItsDrawingAndTakesInput) {
    child().png = file("screen.png");
    child().covered_png = file("covered.png");
    child().log = file("events.txt");
    ASSERT_EQ(vkotest::run_in_child(display(), task_handler), 0) << "the program ended by itself";

    const std::vector<std::string> lines = vkotest::read_lines(child().log);
    const std::vector<std::string> expected = {
        "6 50 90 1 0",  // mouse down at the click's point in the document, shift, left button
        "8 55 120 1 0", // dragged
        "7 55 120 1 0", // and up where the drag ended
        "9 50 90 1 0",  // the second press at the first one's point is a double click
        "7 50 90 1 0",
        "10 97 0",              // "a", a character
        "10 304 1",             // left arrow, virtual
        "3 250 350 at 130 220", // the record follows the move and resize by the user
        "5",                    // the close request
    };
    EXPECT_EQ(lines, expected);

    const vkotest::Shot covered(child().covered_png), final(child().png);
    ASSERT_EQ(covered.status(), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(final.status(), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(final.image()), 1024);
    vkotest::expect_shows(covered, kCovered);
    vkotest::expect_shows(final, kFinal);
}

} // namespace
