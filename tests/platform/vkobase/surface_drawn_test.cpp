// What a drawing call reports as changed, for the display to copy to the server: every pixel
// that changed lies inside a reported rectangle, and nothing is reported outside the window's
// clip rectangle (a view painting its whole frame during an update of a small part changed
// only that part, and only that part goes to the server).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "../../../platform/vkobase/src/surface_internal.h"
#include "vkobase/app.h"
#include "vkobase/dwin.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace {

std::vector<s_rct> g_reported; // in the owner's client coordinates

void on_drawn(WINDOW, const s_rct &area) {
    g_reported.push_back(area);
}

bool inside(int x, int y, const s_rct &r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

struct Case {
    const char *what;
    bool child;     // draw in a child window at (20, 30) of the owner
    bool has_clip;
    s_rct clip;     // the drawing window's clip rectangle, its client coordinates
    s_rct expected; // the one rectangle reported, owner coordinates; empty: none
};

TEST(SurfaceDrawn, ReportsWhatADrawingCallMayHaveChangedWithinTheClip) {
    const Case cases[] = {
        {"no clip: the whole client area", false, false, {}, {0, 0, 60, 80}},
        {"no clip in a child: its rectangle on its owner", true, false, {}, {20, 30, 50, 70}},
        {"a clip inside the window", false, true, {10, 20, 30, 50}, {10, 20, 30, 50}},
        {"a clip reaching past the window", false, true, {40, 60, 90, 120}, {40, 60, 60, 80}},
        {"a clip beside the window: nothing", false, true, {70, 90, 80, 100}, {}},
        {"an empty clip: nothing", false, true, {10, 10, 10, 40}, {}},
        {"a child's clip, on its owner", true, true, {5, 5, 15, 25}, {25, 35, 35, 55}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        vkov_test_reset_all();
        const s_rct rect{0, 0, 60, 80};
        WINDOW owner = vkok_win_create(W_DOC, &rect, "owner", 0, NULL_WIN, 0,
                                       VKO_EVENT_MASK_ALL, nullptr, 0);
        const s_rct kid_rect{20, 30, 50, 70};
        WINDOW win = c.child ? vkok_win_create(W_PLAIN, &kid_rect, "child", 0, owner, 0,
                                               VKO_EVENT_MASK_ALL, nullptr, 0)
                             : owner;
        vkok_app_process_pending_events();
        std::vector<std::uint32_t> before;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x)
                before.push_back(vkov_debug_surface_pixel(owner, x, y));

        vkobase::surface_set_drawn_hook(on_drawn);
        g_reported.clear();
        vkok_dwin_set_clip(win, c.has_clip ? &c.clip : nullptr);
        const s_cpen pen{1, PAT_SOLID, P_SOLID, 0x01FF0000u};
        const s_cbrush brush{PAT_SOLID, 0x01FF0000u};
        vkok_dwin_set_cpen(win, &pen);
        vkok_dwin_set_cbrush(win, &brush);
        const s_rct everything{-100, -100, 200, 200};
        vkok_dwin_draw_rect(win, &everything);
        vkobase::surface_set_drawn_hook(nullptr);

        const bool none = c.expected.bottom <= c.expected.top;
        EXPECT_EQ(g_reported.empty(), none);
        for (const s_rct &got : g_reported) {
            EXPECT_EQ(got.top, c.expected.top);
            EXPECT_EQ(got.left, c.expected.left);
            EXPECT_EQ(got.bottom, c.expected.bottom);
            EXPECT_EQ(got.right, c.expected.right);
        }
        int unreported = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x) {
                bool reported = false;
                for (const s_rct &r : g_reported)
                    reported = reported || inside(x, y, r);
                if (!reported && vkov_debug_surface_pixel(owner, x, y) != before[static_cast<std::size_t>(y * 80 + x)])
                    ++unreported;
            }
        EXPECT_EQ(unreported, 0) << "pixels changed outside what was reported";
    }
    vkov_test_reset_all();
}

} // namespace
