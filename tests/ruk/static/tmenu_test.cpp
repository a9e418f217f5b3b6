// Tests of the menu family against the recording double: update refusal first, the menu-bar
// check of the members that need one, item tags, and the pop-up's checks in order.
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

class TmenuTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
    WINDOW with_menu() { return base().MakeWindow(0x1, W_DOC); }
    WINDOW without_menu() {
        WINDOW w = base().MakeWindow(0x1, W_DOC);
        w->state2 = VKO_WS_NO_MENU;
        return w;
    }
};

TEST_F(TmenuTest, Members_CheckMenuBarTagsAndArgumentsInOrder) {
    int font_storage = 0;
    auto *dead_font = reinterpret_cast<FONT_OBJ>(&font_storage);
    struct Case {
        const char *why;
        bool menu_bar;
        std::function<void(WINDOW)> call;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"tree of a window with a menu bar", true, [](WINDOW w) { vko_menu_get_tree(w); },
         "vkok_menu_get_tree", 0},
        {"tree of a window without one", false, [](WINDOW w) { vko_menu_get_tree(w); },
         "vkok_menu_get_tree", 0x1540004},
        {"menu bar before the null tree", false, [](WINDOW w) { vko_menu_set_tree(w, nullptr); },
         "vkok_menu_set_tree", 0x1540004},
        {"null tree", true, [](WINDOW w) { vko_menu_set_tree(w, nullptr); }, "vkok_menu_set_tree",
         0x1210001},
        {"a dead font", true, [=](WINDOW w) { vko_menu_set_font_sel(w, dead_font); },
         "vkok_menu_set_font_sel", 0x1220003},
        {"no font is fine", true, [](WINDOW w) { vko_menu_set_font_sel(w, nullptr); },
         "vkok_menu_set_font_sel", 0},
        {"tag 0", true, [](WINDOW w) { vko_menu_set_item_checked(w, 0, TRUE); },
         "vkok_menu_set_item_checked", 0x1250001},
        {"item setters need no menu bar", false,
         [](WINDOW w) { vko_menu_set_item_enabled(w, 3, TRUE); }, "vkok_menu_set_item_enabled", 0},
        {"tag before the null title", true,
         [](WINDOW w) { vko_menu_set_item_title(w, -1, nullptr); }, "vkok_menu_set_item_title",
         0x1250001},
        {"null title", true, [](WINDOW w) { vko_menu_set_item_title(w, 4, nullptr); },
         "vkok_menu_set_item_title", 0x210000},
        {"update without a menu bar", false, [](WINDOW w) { vko_menu_update(w); },
         "vkok_menu_update", 0x1540004},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call(c.menu_bar ? with_menu() : without_menu());
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
    vko_menu_get_font_sel(with_menu());
    ASSERT_NE(base().LastCall("vkok_menu_get_font_sel"), nullptr);
    EXPECT_EQ(base().LastCall("vkok_menu_get_font_sel")->args[1].value, 1); // a copy is asked for
}

TEST_F(TmenuTest, Popup_ChecksTreeWindowAndTagInOrder) {
    s_mitem tree[3] = {};
    tree[0].tag = 10;
    tree[1].tag = 11;
    struct Case {
        const char *why;
        bool with_tree;
        WINDOW win;
        int32_t align;
        int16_t tag;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"aligned on a top-level item", true, base().MakeWindow(0, W_DOC), 3, 11, 0},
        {"tag missing from the top level", true, base().MakeWindow(0, W_DOC), 3, 12, 0x1220001},
        {"other alignments pass any tag", true, base().MakeWindow(0, W_DOC), 0, 12, 0},
        {"null tree before a null window", false, nullptr, 0, 0, 0x1210001},
        {"null window", true, nullptr, 0, 0, 0x1210002},
        {"a native control", true, base().MakeWindow(VKO_WF_TEXTEDIT, W_DOC), 0, 0, 0x1220002},
        {"the screen window", true, base().MakeWindow(0, W_SCREEN), 0, 0, 0x1220002},
        {"the task window", true, base().MakeWindow(0, W_TASK), 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkok_menu_popup", 11);
        EXPECT_EQ(vko_menu_popup(c.with_tree ? tree : nullptr, c.win, s_pnt{1, 2}, c.align, c.tag),
                  c.code ? 0 : 11);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

} // namespace
