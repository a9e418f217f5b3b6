// display_clip_x11_test.cpp: a window draws only its visible part. Under a private Xvfb, a
// window holds a bar along its foot and, in front of the bar, a panel laid over part of it
// (both drawing on the window's surface). The bar then draws a new picture of its own outside
// any update, as a status bar does when the pointer moves: the panel must keep its pixels, and
// the bar's picture shows there once the panel goes.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "xvfb_fixture.h"

namespace {

constexpr s_rct kMainRect{100, 100, 400, 500};
// In the main window's client coordinates: the bar, and the panel over its middle.
constexpr s_rct kBarRect{260, 0, 300, 400};
constexpr s_rct kPanelRect{200, 150, 290, 250};
constexpr COLOR kGrey = 0x00C0C0C0u;
constexpr COLOR kRed = 0x00FF0000u;
constexpr COLOR kBlue = 0x000000FFu;

// Screen points: the part of the bar under the panel, and the bar beside the panel.
constexpr int kUnderX = kMainRect.left + (kPanelRect.left + kPanelRect.right) / 2;
constexpr int kUnderY = kMainRect.top + (kBarRect.top + kPanelRect.bottom) / 2;
constexpr int kBesideX = kMainRect.left + kPanelRect.right + 40;

// What the screen shows: both windows up, the bar's new picture drawn, the panel gone.
const std::vector<vkotest::ScreenPixel> kShown = {
    {"the panel over the bar", kUnderX, kUnderY, 0x0000FFu},
    {"the bar beside the panel", kBesideX, kUnderY, 0xC0C0C0u},
};
const std::vector<vkotest::ScreenPixel> kDrawn = {
    {"the panel keeps its pixels where it lies over the bar", kUnderX, kUnderY, 0x0000FFu},
    {"the bar beside the panel shows its new picture", kBesideX, kUnderY, 0xFF0000u},
};
const std::vector<vkotest::ScreenPixel> kGone = {
    {"the bar shows there once the panel is gone", kUnderX, kUnderY, 0xFF0000u},
};

struct Child {
    std::string drawn_png; // the bar drew red with the panel over it
    std::string gone_png;  // the panel closed
    WINDOW main = nullptr;
    WINDOW bar = nullptr;
    WINDOW panel = nullptr;
    COLOR bar_color = kGrey;
    int step = 0;
    vkotest::StepClock clock{60}; // past it a step goes on and the checks tell
};

Child &child() {
    static Child c;
    return c;
}

int32_t bar_handler(WINDOW win, EVENT *ev) {
    if (ev->type == E_UPDATE)
        vkotest::fill_client(win, child().bar_color);
    return 0;
}

// Whether the screen shows the pixels (a screenshot into png), or the step has waited too long.
bool shown_or_late(const std::string &png, const std::vector<vkotest::ScreenPixel> &pixels) {
    return vkotest::screen_shows_all(png, pixels) || child().clock.stalled(child().step);
}

// One step per tick, each once the screen shows what the one before did.
int32_t main_handler(WINDOW win, EVENT *ev) {
    Child &c = child();
    if (ev->type == E_UPDATE) {
        vkotest::fill_client(win, 0x00FFFFFFu);
    } else if (ev->type == E_TIMER) {
        if (c.step == 0 && shown_or_late(c.drawn_png, kShown)) {
            // The bar's new picture, drawn at once rather than in an update.
            c.bar_color = kRed;
            vkotest::fill_client(c.bar, kRed);
            c.step = 1;
        } else if (c.step == 1 && shown_or_late(c.drawn_png, kDrawn)) {
            vkok_vobj_destroy(c.panel);
            c.step = 2;
        } else if (c.step == 2 && shown_or_late(c.gone_png, kGone)) {
            vkov_app_destroy();
            c.step = 3;
        }
    }
    return 0;
}

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type != E_CREATE)
        return 0;
    Child &c = child();
    c.main = vkotest::open_main_window(kMainRect, main_handler, 200);
    c.bar = vkok_win_create(W_NO_BORDER, &kBarRect, "", 0, c.main, 0, VKO_EVENT_MASK_ALL,
                            bar_handler, 0);
    c.panel = vkok_win_create(W_NO_BORDER, &kPanelRect, "", 0, c.main, 0, VKO_EVENT_MASK_ALL,
                              vkotest::filled_with<kBlue>, 0);
    return 0;
}

using DisplayClipX11 = vkotest::XvfbTest;

TEST_F(DisplayClipX11, AWindowDrawsOnlyWhereNoWindowLiesOverIt) {
    child().drawn_png = file("drawn.png");
    child().gone_png = file("gone.png");
    ASSERT_EQ(vkotest::run_in_child(display(), task_handler), 0);

    const vkotest::Shot drawn(child().drawn_png), gone(child().gone_png);
    ASSERT_EQ(drawn.status(), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(gone.status(), CAIRO_STATUS_SUCCESS);
    vkotest::expect_shows(drawn, kDrawn);
    vkotest::expect_shows(gone, kGone);
    if (const char *gallery = std::getenv("VKO_GALLERY_DIR"))
        cairo_surface_write_to_png(drawn.image(), (std::string(gallery) + "/clip_drawn.png").c_str());
}

} // namespace
