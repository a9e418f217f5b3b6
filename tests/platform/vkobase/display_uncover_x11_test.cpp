// display_uncover_x11_test.cpp: a window of the program that shrinks or closes over another one
// leaves the screen showing what the other window holds now, not what was there when it opened.
// Under a private Xvfb: the main window is drawn, a second window opens over part of it, the
// main window's picture changes underneath while the second window shrinks, then the second
// window closes; the screen is read back after each step.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <cairo.h>

#include <string>

#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "xvfb_fixture.h"

namespace {

constexpr s_rct kMainRect{100, 100, 400, 500};
// The second window over the lower part of the main window, and the part of it that it
// shrinks to (screen coordinates).
constexpr s_rct kOverRect{300, 200, 380, 400};
constexpr s_rct kShrunkRect{300, 200, 340, 400};
constexpr COLOR kRed = 0x00FF0000u;
constexpr COLOR kGreen = 0x0000FF00u;
constexpr COLOR kBlue = 0x000000FFu;

struct Child {
    std::string before_png; // the second window up
    std::string after_png;  // and gone
    WINDOW over = nullptr;
    COLOR fill = kRed;
    int ticks = 0;
};

Child &child() {
    static Child c;
    return c;
}

// One step per tick: open the second window; change the main window's picture under it and
// shrink the second window; look and close the second window; look again and end.
int32_t main_handler(WINDOW win, EVENT *ev) {
    Child &c = child();
    if (ev->type == E_UPDATE) {
        vkotest::fill_client(win, c.fill);
    } else if (ev->type == E_TIMER) {
        ++c.ticks;
        if (c.ticks == 1) {
            c.over = vkok_win_create(W_PLAIN, &kOverRect, "Over", 0, NULL_WIN, 0,
                                     VKO_EVENT_MASK_ALL, vkotest::filled_with<kBlue>, 0);
        } else if (c.ticks == 2) {
            c.fill = kGreen;
            vkok_dwin_invalidate_rect(win, nullptr);
            vkok_vobj_move(c.over, &kShrunkRect);
        } else if (c.ticks == 3) {
            vkov_display_screenshot(c.before_png.c_str());
            vkok_vobj_destroy(c.over);
        } else if (c.ticks == 4) {
            vkov_display_screenshot(c.after_png.c_str());
            vkov_app_destroy();
        }
    }
    return 0;
}

using DisplayUncoverX11 = vkotest::XvfbTest;

TEST_F(DisplayUncoverX11, ClosedWindowUncoversTheCurrentPicture) {
    child().before_png = file("before.png");
    child().after_png = file("after.png");
    ASSERT_EQ(vkotest::run_main_window_in_child(display(), kMainRect, main_handler, 300), 0);

    const vkotest::Shot before(child().before_png), after(child().after_png);
    ASSERT_EQ(before.status(), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(after.status(), CAIRO_STATUS_SUCCESS);
    // All down the middle of the second window's first place.
    const int x = (kOverRect.left + kOverRect.right) / 2;
    vkotest::expect_pixels({
        {"the second window in front", before, x, kShrunkRect.top + 20, 0x0000FFu},
        {"the main window's new picture above it", before, x, kOverRect.top - 20, 0x00FF00u},
        {"the part the second window left when it shrank", before, x, kShrunkRect.bottom + 20,
         0x00FF00u},
        {"the place of the closed window", after, x, kShrunkRect.top + 20, 0x00FF00u},
    });
}

} // namespace
