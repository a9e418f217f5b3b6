// display_uncover_x11_test.cpp: a window of the program that shrinks or closes over another one
// leaves the screen showing what the other window holds now, not what was there when it opened.
// Under a private Xvfb: the main window is drawn, a second window opens over part of it, the
// main window's picture changes underneath while the second window shrinks, then the second
// window closes; the screen is read back after each step.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <cairo.h>

#include <string>
#include <vector>

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

// All down the middle of the second window's first place (screen points).
constexpr int kMiddle = (kOverRect.left + kOverRect.right) / 2;

// What the screen shows: both windows up; the main window's new picture with the second window
// shrunk; the second window gone.
const std::vector<vkotest::ScreenPixel> kOpened = {
    {"the second window in front", kMiddle, kShrunkRect.top + 20, 0x0000FFu},
    {"the main window's first picture", kMiddle, kOverRect.top - 20, 0xFF0000u},
};
const std::vector<vkotest::ScreenPixel> kBefore = {
    {"the second window in front", kMiddle, kShrunkRect.top + 20, 0x0000FFu},
    {"the main window's new picture above it", kMiddle, kOverRect.top - 20, 0x00FF00u},
    {"the part the second window left when it shrank", kMiddle, kShrunkRect.bottom + 20,
     0x00FF00u},
};
const std::vector<vkotest::ScreenPixel> kAfter = {
    {"the place of the closed window", kMiddle, kShrunkRect.top + 20, 0x00FF00u},
};

struct Child {
    std::string before_png; // the second window up
    std::string after_png;  // and gone
    WINDOW over = nullptr;
    COLOR fill = kRed;
    int step = 0;
    vkotest::StepClock clock{60}; // past it a step goes on and the checks tell
};

Child &child() {
    static Child c;
    return c;
}

// Whether the screen shows the pixels (a screenshot into png), or the step has waited too long.
bool shown_or_late(const std::string &png, const std::vector<vkotest::ScreenPixel> &pixels) {
    return vkotest::screen_shows_all(png, pixels) || child().clock.stalled(child().step);
}

// One step per tick, each once the screen shows what the one before did: open the second
// window; change the main window's picture under it and shrink the second window; look and
// close the second window; look again and end.
int32_t main_handler(WINDOW win, EVENT *ev) {
    Child &c = child();
    if (ev->type == E_UPDATE) {
        vkotest::fill_client(win, c.fill);
    } else if (ev->type == E_TIMER) {
        if (c.step == 0) {
            c.over = vkok_win_create(W_PLAIN, &kOverRect, "Over", 0, NULL_WIN, 0,
                                     VKO_EVENT_MASK_ALL, vkotest::filled_with<kBlue>, 0);
            c.step = 1;
        } else if (c.step == 1 && shown_or_late(c.before_png, kOpened)) {
            c.fill = kGreen;
            vkok_dwin_invalidate_rect(win, nullptr);
            vkok_vobj_move(c.over, &kShrunkRect);
            c.step = 2;
        } else if (c.step == 2 && shown_or_late(c.before_png, kBefore)) {
            vkok_vobj_destroy(c.over);
            c.step = 3;
        } else if (c.step == 3 && shown_or_late(c.after_png, kAfter)) {
            vkov_app_destroy();
            c.step = 4;
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
    vkotest::expect_shows(before, kBefore);
    vkotest::expect_shows(after, kAfter);
}

} // namespace
