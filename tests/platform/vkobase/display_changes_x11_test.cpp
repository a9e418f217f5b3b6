// display_changes_x11_test.cpp: only the changed parts of a window are sent to the server,
// and none is left out. Between two flushes the program draws many small squares spread over
// its window (more than it keeps apart, so some are joined), squares inside a larger one
// drawn before, and a bar over part of them drawn last; the screen must show each as drawn
// last and keep the window's own colour between them. Under a private Xvfb.
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
constexpr COLOR kRed = 0x00FF0000u;
constexpr COLOR kGreen = 0x0000FF00u;
constexpr COLOR kBlue = 0x000000FFu;
constexpr COLOR kBlack = 0x00000000u;
// A grid of squares, one every kStep pixels, kSide wide; the first row lies inside a larger
// black square drawn before them.
constexpr int kRows = 6, kColumns = 10, kStep = 36, kSide = 8, kOrigin = 12;
constexpr s_rct kUnder{4, 4, 30, 370};
// Drawn last, over part of the third and fourth rows.
constexpr s_rct kBar{kOrigin + 2 * kStep + 2, 100, kOrigin + 3 * kStep + 4, 250};

struct Child {
    std::string png;
    int ticks = 0;
    vkotest::Deadline patience{60}; // for each picture awaited
};

Child &child() {
    static Child c;
    return c;
}

COLOR square_color(int row, int column) {
    return (row + column) % 2 == 0 ? kGreen : kBlue;
}

s_rct square(int row, int column) {
    const auto top = static_cast<std::int16_t>(kOrigin + row * kStep);
    const auto left = static_cast<std::int16_t>(kOrigin + column * kStep);
    return s_rct{top, left, static_cast<std::int16_t>(top + kSide), static_cast<std::int16_t>(left + kSide)};
}

// Draws r clipped to itself: only r is reported as changed.
void draw(WINDOW win, const s_rct &r, COLOR color) {
    vkok_dwin_set_clip(win, &r);
    const s_cpen pen{1, PAT_SOLID, P_SOLID, color};
    const s_cbrush brush{PAT_SOLID, color};
    vkok_dwin_set_cpen(win, &pen);
    vkok_dwin_set_cbrush(win, &brush);
    vkok_dwin_draw_rect(win, &r);
}

bool meets(const s_rct &a, int x, int y) {
    return x >= a.left && x < a.right && y >= a.top && y < a.bottom;
}

std::uint32_t rgb(COLOR c) { return c & 0x00FFFFFFu; }

// What the screen must show: each square's middle, the black square's corner and the space
// between the squares, in the colour drawn last there.
std::vector<vkotest::ScreenPixel> drawn_pixels() {
    std::vector<vkotest::ScreenPixel> pixels;
    const int x0 = kMainRect.left, y0 = kMainRect.top;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            const s_rct r = square(row, column);
            const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
            const COLOR c = meets(kBar, x, y) ? kBlack : square_color(row, column);
            pixels.push_back({"a square's middle", x0 + x, y0 + y, rgb(c)});
            const int gx = r.right + 4, gy = r.bottom + 4;
            if (!meets(kBar, gx, gy) && !meets(kUnder, gx, gy))
                pixels.push_back({"between the squares", x0 + gx, y0 + gy, rgb(kRed)});
        }
    pixels.push_back({"the larger square around the first row", x0 + kUnder.left + 2, y0 + kUnder.top + 2, rgb(kBlack)});
    pixels.push_back({"the bar's last corner", x0 + kBar.right - 1, y0 + kBar.bottom - 1, rgb(kBlack)});
    return pixels;
}

// One step per tick: once the window shows red, draw everything at once; then look until the
// screen shows it (past the deadline the checks tell what it shows) and end.
int32_t main_handler(WINDOW win, EVENT *ev) {
    Child &c = child();
    if (ev->type == E_UPDATE) {
        vkotest::fill_client(win, kRed);
    } else if (ev->type == E_TIMER) {
        if (c.ticks == 0) {
            const bool red = vkotest::screen_shows(c.png, [](cairo_surface_t *shot) {
                return vkotest::pixel(shot, kMainRect.left + 200, kMainRect.bottom - 20) == rgb(kRed);
            });
            if (!red && !c.patience.passed())
                return 0;
            draw(win, kUnder, kBlack);
            for (int row = 0; row < kRows; ++row)
                for (int column = 0; column < kColumns; ++column)
                    draw(win, square(row, column), square_color(row, column));
            draw(win, kBar, kBlack);
            vkok_dwin_set_clip(win, nullptr);
            c.ticks = 1;
            c.patience = vkotest::Deadline(60);
        } else if (vkotest::screen_shows_all(c.png, drawn_pixels()) || c.patience.passed()) {
            vkov_app_destroy();
        }
    }
    return 0;
}

using DisplayChangesX11 = vkotest::XvfbTest;

TEST_F(DisplayChangesX11, EveryChangeBetweenTwoFlushesReachesTheScreen) {
    child().png = file("drawn.png");
    ASSERT_EQ(vkotest::run_main_window_in_child(display(), kMainRect, main_handler, 200), 0);
    const vkotest::Shot shot(child().png);
    ASSERT_EQ(shot.status(), CAIRO_STATUS_SUCCESS);
    vkotest::expect_shows(shot, drawn_pixels());
}

} // namespace
