// Smoke tests of the window-based and resource families of the checking layer against the
// real base library, one per family: a refused call reports through the base library with
// the family's module and leaves its error frame balanced, and a good call reaches the base
// library and brings its answer back.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ruk/static/vkoruk.h"
#include "support/smoke_fixture.h"
#include "vkobase/testing.h"

namespace {

std::int32_t ignore_cxo_events(CXO, EVENT *) {
    return 0;
}

class SmokeWindowsTest : public SmokeFixture {
protected:
    WINDOW document() {
        const s_rct rct{10, 10, 200, 300};
        return vko_win_create(W_DOC, &rct, "doc", 0, task(), 0, -1, ignore_events, 0);
    }
};

TEST_F(SmokeWindowsTest, Twin) {
    const s_rct inverted{200, 300, 10, 10};
    WINDOW win = vko_win_create(W_DOC, &inverted, "doc", 0, task(), 0, -1, ignore_events, 0);
    ASSERT_NE(win, nullptr);
    ExpectReport(0x1240003, "twin"); // repaired and created
    vko_win_set_event_mask(win, 0x10);
    EXPECT_EQ(vko_win_get_event_mask(win), 0x10);
    EXPECT_EQ(vko_win_get_handler(win), &ignore_events);
    ExpectNoReport();
    vko_vobj_destroy(win);
    vko_win_set_cursor(win, 1); // a destroyed window is no longer read
    ExpectReport(0x1220002, "twin");
}

TEST_F(SmokeWindowsTest, TwinDefinitionList) {
    s_win_def list[2] = {};
    list[0].type = W_DOC;
    list[0].rct = s_rct{200, 300, 10, 10};
    list[0].win_flags = VKO_WSF_NO_MENUBAR;
    WINDOW win = vko_win_create_def(list, task(), -1, ignore_events, 0);
    EXPECT_NE(win, nullptr);
    ExpectNoReport();
    EXPECT_EQ(list[0].rct.top, 200); // the caller's list comes back as given
    EXPECT_EQ(list[0].rct.right, 10);
    list[0].win_flags = 0;
    EXPECT_EQ(vko_win_create_def(list, task(), -1, ignore_events, 0), nullptr);
    ExpectReport(0x220000, "twin"); // the task window takes only windows with a menu choice
}

TEST_F(SmokeWindowsTest, Tctl) {
    WINDOW win = document();
    ASSERT_NE(win, nullptr);
    const s_rct rct{5, 5, 25, 80};
    WINDOW box = vko_ctl_create(WC_CHECKBOX, &rct, "box", win, 0, 0, 7);
    ASSERT_NE(box, nullptr);
    ExpectNoReport();
    vko_ctl_set_checked(box, TRUE);
    EXPECT_EQ(vko_ctl_is_checked(box), TRUE);
    EXPECT_EQ(vko_ctl_get_id(box), 7);
    ExpectNoReport();
    EXPECT_EQ(vko_ctl_create(WC_PUSHBUTTON, nullptr, "b", win, 0, 0, 8), nullptr);
    ExpectReport(0x210000, "tctl");
}

TEST_F(SmokeWindowsTest, Tmenu) {
    WINDOW win = document();
    ASSERT_NE(win, nullptr);
    vko_menu_set_item_checked(win, 0, TRUE);
    ExpectReport(0x1250001, "tmenu");
    vko_menu_popup(nullptr, win, s_pnt{0, 0}, 0, 0);
    ExpectReport(0x1210001, "tmenu");
}

TEST_F(SmokeWindowsTest, Tlist) {
    WINDOW win = document();
    ASSERT_NE(win, nullptr);
    const s_rct rct{5, 5, 100, 100};
    WINDOW list = vko_ctl_create(WC_LBOX, &rct, "", win, 0, 0, 3);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(vko_list_add(list, -1, "one"), TRUE);
    EXPECT_EQ(vko_list_add(list, -1, "two"), TRUE);
    EXPECT_EQ(vko_list_count_all(list), 2);
    char buf[8];
    EXPECT_EQ(vko_list_get_elt(list, 1, buf, sizeof buf), TRUE);
    EXPECT_STREQ(buf, "two");
    ExpectNoReport();
    EXPECT_EQ(vko_list_add(list, -2, "x"), FALSE);
    ExpectReport(0x1250001, "tlist");
}

TEST_F(SmokeWindowsTest, Tslist) {
    SLIST list = vko_slist_create();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(vko_slist_add(list, "alpha", 4), TRUE);
    EXPECT_EQ(vko_slist_count(list), 1);
    int32_t data = 0;
    EXPECT_STREQ(vko_slist_get_elt(list, 0, &data), "alpha");
    EXPECT_EQ(data, 4);
    ExpectNoReport();
    vko_slist_destroy(list);
    vko_slist_destroy(list); // no longer valid: refused, not freed twice
    ExpectReport(0x1220008, "tslist");
    vko_slist_get(nullptr, nullptr, nullptr);
    ExpectReport(0x121000A, "tslist");
}

TEST_F(SmokeWindowsTest, Tnotebk) {
    WINDOW win = document();
    ASSERT_NE(win, nullptr);
    vko_notebk_rem_tab(win, 0); // a document window is no notebook
    ExpectReport(0x1220002, "tnotebk");
}

TEST_F(SmokeWindowsTest, Tsbar) {
    WINDOW win = document();
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(vko_sbar_get_pos(win, 2), -1); // a window is no scroll-bar control
    ExpectReport(0x1230004, "tsbar");
}

TEST_F(SmokeWindowsTest, Timage) {
    IMAGE image = vko_image_create(VKO_IMAGE_INDEXED, 8, 4, 0);
    ASSERT_NE(image, nullptr);
    int32_t width = 0;
    int32_t height = 0;
    vko_image_get_dimensions(image, &width, &height);
    EXPECT_EQ(width, 8);
    EXPECT_EQ(height, 4);
    EXPECT_NE(vko_image_get_scanline(image, 3), nullptr);
    ExpectNoReport();
    EXPECT_EQ(vko_image_get_scanline(image, 4), nullptr);
    ExpectReport(0x1250001, "timage");
    const uint16_t colors = vko_image_get_ncolors(image);
    EXPECT_EQ(vko_image_get_clut(image, colors), 0xFFFFFFFFu); // one past the table
    ExpectReport(0x1250001, "timage");
    vko_image_destroy(image);
    vko_image_destroy(image); // no longer valid: refused, not freed twice
    ExpectReport(0x1220007, "timage");
    EXPECT_EQ(vko_image_read_bmp(nullptr), nullptr);
    ExpectReport(0x210000, "timage");
}

TEST_F(SmokeWindowsTest, TpictTpmapTpaletTpat) {
    vko_pict_destroy(nullptr);
    ExpectReport(0x1210005, "tpict");
    vko_pmap_destroy(nullptr);
    ExpectReport(0x1210002, "tpmap");
    EXPECT_EQ(vko_palet_get_ncolors(nullptr), 65535);
    ExpectReport(0x1210004, "tpalet");
    EXPECT_EQ(vko_pattern_create(nullptr), nullptr);
    ExpectReport(0x210000, "tpat");
}

TEST_F(SmokeWindowsTest, Tcb) {
    EXPECT_EQ(vko_cb_has_format(CB_APPL, nullptr), FALSE);
    ExpectReport(0x210000, "tcb");
}

TEST_F(SmokeWindowsTest, Trect) {
    const s_rct rct{10, 20, 50, 80};
    EXPECT_EQ(vko_rect_get_height(&rct), 40);
    EXPECT_EQ(vko_rect_get_width(&rct), 60);
    ExpectNoReport();
    EXPECT_EQ(vko_rect_get_height(nullptr), -1);
    ExpectReport(0x210000, "trect");
}

TEST_F(SmokeWindowsTest, TmemTgmem) {
    void *block = vko_mem_alloc(16);
    ASSERT_NE(block, nullptr);
    vko_mem_free(block);
    GHANDLE handle = vko_gmem_alloc(32);
    ASSERT_NE(handle, nullptr);
    EXPECT_NE(vko_gmem_lock(handle), nullptr);
    EXPECT_EQ(vko_gmem_unlock(handle), TRUE);
    EXPECT_EQ(vko_gmem_free(handle), TRUE);
    ExpectNoReport();
    char dst[4];
    vko_mem_rep(dst, nullptr, 4, 1);
    ExpectReport(0x210000, "tmem");
}

TEST_F(SmokeWindowsTest, Tfsys) {
    FILE_SPEC spec{};
    EXPECT_EQ(vko_fsys_get_file_attr(&spec, 2), 0);
    ExpectReport(0x1530001, "tfsys");
    std::snprintf(spec.name, sizeof spec.name, "%s", "no-such-file-here.txt");
    EXPECT_EQ(vko_fsys_set_file_attr(&spec, 2, 1), FALSE);
    ExpectReport(0x1530001, "tfsys");
}

TEST_F(SmokeWindowsTest, Tres) {
    EXPECT_EQ(vko_res_remove_res(nullptr), FALSE);
    ExpectNoReport();
    EXPECT_EQ(vko_res_add_res(nullptr), 0);
    ExpectReport(0x210000, "tres");
}

TEST_F(SmokeWindowsTest, Tscr) {
    vko_scr_set_focus_vobj(nullptr);
    ExpectReport(0x1210002, "tscr");
    vko_scr_beep();
    ExpectNoReport();
}

TEST_F(SmokeWindowsTest, Tiostr) {
    std::FILE *file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fputs("abc", file);
    std::rewind(file);
    VKO_IOSTREAM stream = vko_iostr_create_fread(file);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(vko_iostr_get_context(stream), file);
    char read[4] = {};
    EXPECT_EQ(vko_iostr_read(stream, read, 3), 3);
    EXPECT_STREQ(read, "abc");
    ExpectNoReport();
    EXPECT_EQ(vko_iostr_read(stream, nullptr, 2), 0);    // a count with nowhere to put it
    ExpectReport(0x210000, "tiostr");
    vko_iostr_destroy(stream);
    ExpectNoReport();
    std::fclose(file);
    vko_iostr_destroy(nullptr);
    ExpectReport(0x210000, "tiostr");
}

TEST_F(SmokeWindowsTest, Tcxo) {
    WINDOW win = document();
    ASSERT_NE(win, nullptr);
    CXO obj = vko_cxo_create(win, 0, 0, ignore_cxo_events, 0, "smoke", 0);
    ASSERT_NE(obj, nullptr);
    vko_cxo_set_data(obj, 42);
    EXPECT_EQ(vko_cxo_get_data(obj), 42);
    EXPECT_EQ(vko_cxo_get_win(obj), win);
    ExpectNoReport();
    vko_cxo_destroy(obj);
    EXPECT_EQ(vko_cxo_get_data(obj), 0);
    ExpectReport(0x1220011, "tcxo");
}

} // namespace
