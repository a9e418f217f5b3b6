// Drawable-window state without pixels: drawing tools and clip kept per window, invalidated
// rectangles arriving as one update event, and the update test true only inside the area
// being repainted and only while it is.
#include <gtest/gtest.h>

#include <vector>

#include "vkobase/app.h"
#include "vkobase/dwin.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace {

struct UpdateLog {
    std::vector<s_rct> rects;
    std::vector<bool> inside_needed;   // is_update_needed for (20,20,30,30) during each update
    std::vector<bool> outside_needed;  // and for (200,200,210,210)
    std::vector<bool> in_update;       // what vkov_app_proc_update answered
};

UpdateLog* g_log = nullptr;

int32_t record_updates(WINDOW win, EVENT* event) {
    if (event->type == E_UPDATE && g_log != nullptr) {
        g_log->rects.push_back(event->v.update.rct);
        const s_rct inside{20, 20, 30, 30};
        const s_rct outside{200, 200, 210, 210};
        g_log->inside_needed.push_back(vkok_dwin_is_update_needed(win, &inside) != FALSE);
        g_log->outside_needed.push_back(vkok_dwin_is_update_needed(win, &outside) != FALSE);
        g_log->in_update.push_back(vkov_app_proc_update() != FALSE);
    }
    return 0;
}

class DwinStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        const s_rct rct{0, 0, 300, 400};
        its_win = vkok_win_create(W_DOC, &rct, "doc", 0, nullptr, 0, VKO_EVENT_MASK_ALL,
                                  record_updates, 0);
        ASSERT_NE(its_win, nullptr);
        vkok_app_process_pending_events();  // the first paint of the new window
        g_log = &its_log;
    }
    void TearDown() override {
        g_log = nullptr;
        vkov_test_reset_all();
    }

    WINDOW its_win = nullptr;
    UpdateLog its_log;
};

TEST_F(DwinStateTest, InvalidatedAreasArriveAsOneUpdateThatTheUpdateTestSees) {
    const s_rct a{10, 10, 25, 25};
    const s_rct b{20, 20, 40, 50};
    vkok_dwin_invalidate_rect(its_win, &a);
    vkok_dwin_invalidate_rect(its_win, &b);
    EXPECT_TRUE(vkok_dwin_is_update_needed(its_win, &a)) << "a pending area needs its update";
    vkok_app_process_pending_events();
    ASSERT_EQ(its_log.rects.size(), 1u);
    const s_rct& got = its_log.rects[0];
    EXPECT_EQ(got.top, 10);
    EXPECT_EQ(got.left, 10);
    EXPECT_EQ(got.bottom, 40);
    EXPECT_EQ(got.right, 50);
    EXPECT_TRUE(its_log.inside_needed[0]);
    EXPECT_FALSE(its_log.outside_needed[0]);
    EXPECT_FALSE(vkok_dwin_is_update_needed(its_win, &a)) << "the update is over";

    // A forced update runs at once, as an update.
    vkok_dwin_invalidate_rect(its_win, &a);
    vkok_dwin_update(its_win);
    ASSERT_EQ(its_log.rects.size(), 2u);
    EXPECT_TRUE(its_log.in_update[1]);
    EXPECT_FALSE(vkov_app_proc_update());
    its_log = UpdateLog{};

    // Scrolling repaints the scrolled rectangle; a zero shift changes nothing.
    const s_rct band{0, 0, 50, 60};
    vkok_dwin_scroll_rect(its_win, &band, 0, 0);
    vkok_app_process_pending_events();
    EXPECT_TRUE(its_log.rects.empty());
    vkok_dwin_scroll_rect(its_win, &band, 0, -8);
    vkok_app_process_pending_events();
    ASSERT_EQ(its_log.rects.size(), 1u);
    EXPECT_EQ(its_log.rects[0].bottom, 50);
    EXPECT_EQ(its_log.rects[0].right, 60);
}

TEST_F(DwinStateTest, ToolsAndClipAreKeptPerWindow) {
    s_drawct tools{};
    ASSERT_EQ(vkok_dwin_get_draw_ctools(its_win, &tools), &tools);
    tools.pen = s_cpen{3, PAT_SOLID, P_DASH, 0x00FF0000u};
    tools.brush = s_cbrush{PAT_CROSS, 0x0000FF00u};
    tools.mode = M_XOR;
    tools.opaque_text = TRUE;
    vkok_dwin_set_draw_ctools(its_win, &tools);
    const s_cpen pen{1, PAT_SOLID, P_DOT, 0x00000001u};
    vkok_dwin_set_cpen(its_win, &pen);
    vkok_dwin_set_fore_color(its_win, 0x00000002u);
    vkok_dwin_set_draw_mode(its_win, M_COPY);

    s_drawct got{};
    vkok_dwin_get_draw_ctools(its_win, &got);
    EXPECT_EQ(got.pen.style, P_DOT);
    EXPECT_EQ(got.pen.color, 0x00000001u);
    EXPECT_EQ(got.brush.pat, PAT_CROSS);
    EXPECT_EQ(got.fore_color, 0x00000002u);
    EXPECT_EQ(got.mode, M_COPY);
    EXPECT_EQ(got.opaque_text, TRUE);

    struct Case {
        const char* why;
        bool null_rect;
        s_rct set;
        s_rct want;
    };
    const Case cases[] = {
        {"no clip: the client area", true, {}, {0, 0, 300, 400}},
        {"a clip", false, {5, 6, 7, 8}, {5, 6, 7, 8}},
        {"an inverted clip is put in order", false, {7, 8, 5, 6}, {5, 6, 7, 8}},
        {"an empty clip is kept: nothing shows", false, {5, 5, 5, 9}, {5, 5, 5, 9}},
        {"null switches clipping off", true, {}, {0, 0, 300, 400}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        vkok_dwin_set_clip(its_win, c.null_rect ? nullptr : &c.set);
        s_rct clip{};
        ASSERT_EQ(vkok_dwin_get_clip(its_win, &clip), &clip);
        EXPECT_EQ(clip.top, c.want.top);
        EXPECT_EQ(clip.left, c.want.left);
        EXPECT_EQ(clip.bottom, c.want.bottom);
        EXPECT_EQ(clip.right, c.want.right);
    }
    vkok_vobj_destroy(its_win);
    s_rct clip{};
    EXPECT_EQ(vkok_dwin_get_clip(its_win, &clip), nullptr) << "a dead window is not read";
    EXPECT_EQ(vkok_dwin_get_draw_ctools(its_win, &got), nullptr);
}

}  // namespace
