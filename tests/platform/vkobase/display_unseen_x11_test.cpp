// display_unseen_x11_test.cpp: a window parked out of sight (as the status window every search
// makes, which shows only when the search takes long) costs the windows on the screen nothing:
// it gets no X window, so the program's windows are not raised again and the main window's
// pixels are not sent to the server again; once moved into view it gets its X window and
// shows. Under a private Xvfb; the program watches its own main window through the Damage
// extension, from a second connection as another client would.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <cairo.h>

#include <string>
#include <vector>

#include "../../../platform/vkobase/src/display_internal.h"
#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "xvfb_fixture.h"

namespace {

constexpr s_rct kMainRect{100, 100, 400, 500};
// Left of and above the screen, as a status window waits; then in view, beside the main window.
constexpr s_rct kParkedRect{-2000, -2000, -1800, -1700};
constexpr s_rct kInViewRect{100, 600, 300, 900};
constexpr COLOR kRed = 0x00FF0000u;
constexpr COLOR kBlue = 0x000000FFu;

// The window brought into view shows its picture; the main window keeps its own.
const std::vector<vkotest::ScreenPixel> kInView = {
    {"the window brought into view", kInViewRect.right - 20, kInViewRect.bottom - 20, 0x0000FFu},
    {"the main window", kMainRect.left + 50, kMainRect.bottom - 20, 0xFF0000u},
};

struct Child {
    std::string png;
    WINDOW parked = nullptr;
    Display *watcher = nullptr;
    int damage_event = 0;
    unsigned restacks = 0;
    int ticks = 0;
    vkotest::Deadline patience{30}; // for the main window's first picture
    vkotest::StepClock clock{60};   // for the window brought into view
};

Child &child() {
    static Child c;
    return c;
}

// What the server drew into the main window since the last look: the program sends what it drew
// and waits until the server has carried it out, then the watcher waits for the server too.
int damage_seen() {
    Child &c = child();
    vkobase::display_catch_up();
    XSync(c.watcher, False);
    int seen = 0;
    while (XPending(c.watcher) > 0) {
        XEvent event;
        XNextEvent(c.watcher, &event);
        seen += event.type == c.damage_event + XDamageNotify ? 1 : 0;
    }
    return seen;
}

WINDOW make_parked() {
    WINDOW win = vkok_win_create(W_DOC, &kParkedRect, "Parked", 0, NULL_WIN, 0,
                                 VKO_EVENT_MASK_ALL, vkotest::filled_with<kBlue>, 0);
    const s_rct button{10, 10, 35, 110};
    vkok_ctl_create(WC_PUSHBUTTON, &button, "Stop", win, 0, 0, 1);
    return win;
}

// One step per tick: watch the main window; park a window with a control out of sight; look
// and close it (what the server drew meanwhile is watched for two ticks: nothing must come);
// park another and bring it into view; look once the screen shows it, and end.
int32_t main_handler(WINDOW win, EVENT *ev) {
    Child &c = child();
    if (ev->type == E_UPDATE) {
        vkotest::fill_client(win, kRed);
    } else if (ev->type == E_TIMER) {
        ++c.ticks;
        if (c.ticks == 1) {
            // The watch begins once the screen shows the main window's picture: its first
            // drawing, late on a busy machine, is no drawing again.
            if (!vkotest::screen_shows(c.png, [](cairo_surface_t *shot) {
                    return vkotest::pixel(shot, kMainRect.left + 50, kMainRect.bottom - 20) == 0xFF0000u;
                }) && !c.patience.passed()) {
                c.ticks = 0;
                return 0;
            }
            c.watcher = XOpenDisplay(nullptr);
            int error_base = 0;
            XDamageQueryExtension(c.watcher, &c.damage_event, &error_base);
            XDamageCreate(c.watcher, vkobase::display_xwindow_of(win), XDamageReportRawRectangles);
            damage_seen();
            c.restacks = vkobase::display_restack_count();
            c.parked = make_parked();
        } else if (c.ticks == 2) {
            vkotest::log("parked x window " +
                     std::to_string(vkobase::display_xwindow_of(c.parked) != 0 ? 1 : 0));
            vkok_vobj_destroy(c.parked);
        } else if (c.ticks == 3) {
            vkotest::log("restacks " + std::to_string(vkobase::display_restack_count() - c.restacks));
            vkotest::log("main window drawn again " + std::to_string(damage_seen() > 0 ? 1 : 0));
            c.parked = make_parked();
        } else if (c.ticks == 4) {
            vkok_vobj_move(c.parked, &kInViewRect);
        } else if (c.ticks >= 5) {
            // Once the screen shows it; past the deadline the checks tell what it shows.
            if (!vkotest::screen_shows_all(c.png, kInView) && !c.clock.stalled(5))
                return 0;
            vkotest::log("moved x window " +
                     std::to_string(vkobase::display_xwindow_of(c.parked) != 0 ? 1 : 0));
            XCloseDisplay(c.watcher);
            vkov_app_destroy();
        }
    }
    return 0;
}

using DisplayUnseenX11 = vkotest::XvfbTest;

TEST_F(DisplayUnseenX11, AWindowOutOfSightGetsNoXWindowUntilItComesIntoView) {
    vkotest::log_path() = file("log.txt");
    child().png = file("shown.png");
    ASSERT_EQ(vkotest::run_main_window_in_child(display(), kMainRect, main_handler, 300), 0);

    const std::vector<std::string> expected = {"parked x window 0", "restacks 0",
                                               "main window drawn again 0", "moved x window 1"};
    EXPECT_EQ(vkotest::read_lines(vkotest::log_path()), expected);
    const vkotest::Shot shot(child().png);
    ASSERT_EQ(shot.status(), CAIRO_STATUS_SUCCESS);
    vkotest::expect_shows(shot, kInView);
}

} // namespace
