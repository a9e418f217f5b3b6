// Smoke tests of the checking layer against the real base library, one per family: a refused
// call reports through the base library's report call and leaves its error frame balanced, and
// a good call reaches the base library and brings its answer back.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "ruk/static/vkoruk.h"
#include "support/smoke_fixture.h"
#include "vkobase/testing.h"

namespace {

using SmokeTest = SmokeFixture;

TEST_F(SmokeTest, Tstr) {
    EXPECT_EQ(vko_str_compare(nullptr, "a"), -1);
    ExpectReport(0x210000, "tstr");
    EXPECT_EQ(vko_str_compare("abc", "abc"), 0);
    EXPECT_LT(vko_str_compare("abc", "abd"), 0);
    char buf[16];
    EXPECT_EQ(vko_str_sprintf(buf, "%d-%s", 7, "x"), 3);
    EXPECT_STREQ(buf, "7-x");
    ExpectNoReport();
}

TEST_F(SmokeTest, Tfont) {
    vko_font_destroy(nullptr);
    ExpectNoReport();
    int not_a_font = 0;
    EXPECT_EQ(vko_font_get_size(reinterpret_cast<FONT_OBJ>(&not_a_font)), 0);
    ExpectReport(0x1220003, "tfont");
    EXPECT_EQ(vko_fmap_get_families(nullptr, nullptr, 4), 0);
    ExpectReport(0x210000, "tfont");
}

TEST_F(SmokeTest, Tvobj) {
    WINDOW win = task();
    ASSERT_NE(win, nullptr);
    vko_vobj_set_data(win, 1234);
    EXPECT_EQ(vko_vobj_get_data(win), 1234);
    EXPECT_EQ(vko_vobj_get_type(win), W_TASK);
    EXPECT_EQ(vko_vobj_is_valid(win), TRUE);
    ExpectNoReport();
    EXPECT_EQ(vko_vobj_get_data(reinterpret_cast<WINDOW>(static_cast<std::uintptr_t>(3))), -1);
    ExpectReport(0x1220002, "tvobj");
}

TEST_F(SmokeTest, Ttx) {
    // No text edit exists: every handle fails the engine's predicate.
    EXPECT_EQ(vko_tx_add_par(7, 65535, "x"), FALSE);
    ExpectReport(0x1220009, "ttx");
    EXPECT_EQ(vko_tx_get_data(7), -1);
    ExpectReport(0x1220009, "ttx");
}

TEST_F(SmokeTest, Tdm) {
    vko_dm_post_note(nullptr);
    ExpectReport(0x210000, "tdm");
    s_drawct tools{};
    EXPECT_EQ(vko_dm_post_ctools_sel(&tools, 0), FALSE);
    ExpectReport(0x122000B, "tdm");
}

TEST_F(SmokeTest, Tapp) {
    vko_app_create(0, nullptr, 0, ignore_events, nullptr);
    ExpectReport(0x210000, "tapp");
    vko_app_process_pending_events();
    ExpectNoReport();
}

TEST_F(SmokeTest, Tprint) {
    EXPECT_EQ(vko_print_set_page_orient(nullptr, 0), FALSE);
    ExpectReport(0x210000, "tprint");
    EXPECT_EQ(vko_print_is_valid(nullptr), FALSE);
    ExpectReport(0x210000, "tprint");
}

TEST_F(SmokeTest, Tdwin) {
    WINDOW win = task();
    ASSERT_NE(win, nullptr);
    ASSERT_NE(win->flags & VKO_WF_DRAWABLE_MASK, 0u);
    s_rct inverted{30, 60, 10, 20};
    vko_dwin_draw_rect(win, &inverted);
    ExpectReport(0x1240003, "tdwin");
    EXPECT_EQ(inverted.top, 30);
    vko_dwin_draw_rect(nullptr, &inverted);
    ExpectReport(0x1210002, "tdwin");
}

} // namespace
