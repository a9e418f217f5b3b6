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
#include "xvfb_test_support.h"

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
    WINDOW main = nullptr;
    WINDOW over = nullptr;
    COLOR fill = kRed;
    int ticks = 0;
};

Child &child() {
    static Child c;
    return c;
}

int32_t over_handler(WINDOW win, EVENT *ev) {
    if (ev->type == E_UPDATE)
        vkotest::fill_client(win, kBlue);
    return 0;
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
                                     VKO_EVENT_MASK_ALL, over_handler, 0);
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

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type == E_CREATE)
        child().main = vkotest::open_main_window(kMainRect, main_handler, 300);
    return 0;
}

TEST(DisplayUncoverX11, ClosedWindowUncoversTheCurrentPicture) {
    vkotest::Xvfb server;
    if (const std::string why = vkotest::start_xvfb(server); !why.empty())
        GTEST_SKIP() << why;
    const std::string dir = vkotest::make_scratch_dir("vko_uncover_");
    ASSERT_FALSE(dir.empty());
    child().before_png = dir + "/before.png";
    child().after_png = dir + "/after.png";
    ASSERT_EQ(vkotest::run_in_child(server.display(), task_handler), 0);

    cairo_surface_t *before = cairo_image_surface_create_from_png(child().before_png.c_str());
    cairo_surface_t *after = cairo_image_surface_create_from_png(child().after_png.c_str());
    ASSERT_EQ(cairo_surface_status(before), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_surface_status(after), CAIRO_STATUS_SUCCESS);
    const int x = (kOverRect.left + kOverRect.right) / 2;
    struct Probe {
        const char *why;
        cairo_surface_t *shot;
        int y;
        std::uint32_t rgb;
    };
    const Probe probes[] = {
        {"the second window in front", before, kShrunkRect.top + 20, 0x0000FFu},
        {"the main window's new picture above it", before, kOverRect.top - 20, 0x00FF00u},
        {"the part the second window left when it shrank", before, kShrunkRect.bottom + 20,
         0x00FF00u},
        {"the place of the closed window", after, kShrunkRect.top + 20, 0x00FF00u},
    };
    for (const Probe &p : probes) {
        SCOPED_TRACE(p.why);
        EXPECT_EQ(vkotest::pixel(p.shot, x, p.y), p.rgb);
    }
    cairo_surface_destroy(before);
    cairo_surface_destroy(after);
    vkotest::remove_scratch_dir(dir);
}

} // namespace
