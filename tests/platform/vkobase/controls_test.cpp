// Controls as windows: check marks and radio groups, text selection, colours, list items and
// selection, menu trees and pop-ups, and scroll-bar values. Every test starts from a reset
// library with one document window to put controls in.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "vkobase/ctl.h"
#include "vkobase/list.h"
#include "vkobase/mem.h"
#include "vkobase/menu.h"
#include "vkobase/res.h"
#include "vkobase/sbar.h"
#include "vkobase/slist.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace {

int32_t ignore_events(WINDOW, EVENT*) {
    return 0;
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        const s_rct rct{10, 10, 300, 400};
        its_win = vkok_win_create(W_DOC, &rct, "doc", 0, nullptr, 0, VKO_EVENT_MASK_ALL,
                                  ignore_events, 0);
        ASSERT_NE(its_win, nullptr);
    }
    void TearDown() override { vkov_test_reset_all(); }

    WINDOW make(e_win_type type, const char* title = "", uint32_t flags = 0, int32_t id = 0) {
        const s_rct rct{5, 5, 25, 105};
        WINDOW ctl = vkok_ctl_create(type, &rct, title, its_win, flags, 0, id);
        EXPECT_NE(ctl, nullptr) << "type " << type;
        return ctl;
    }

    WINDOW its_win = nullptr;
};

TEST_F(ControlsTest, CheckMarksBelongToCheckBoxesAndRadioButtons) {
    struct Case {
        const char* why;
        e_win_type type;
        uint32_t flags;
        bool starts_checked;
        bool takes_check;
    };
    const Case cases[] = {
        {"check box starts plain", WC_CHECKBOX, 0, false, true},
        {"check box starts checked by flag", WC_CHECKBOX, VKO_CTL_CHECKED, true, true},
        {"radio button starts checked by flag", WC_RADIOBUTTON, VKO_CTL_CHECKED, true, true},
        {"push button has no check mark", WC_PUSHBUTTON, VKO_CTL_CHECKED, false, false},
        {"edit field has no check mark", WC_EDIT, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        WINDOW ctl = make(c.type, "x", c.flags, 7);
        EXPECT_EQ(vkok_ctl_get_id(ctl), 7);
        EXPECT_EQ(vkok_ctl_is_checked(ctl), c.starts_checked ? TRUE : FALSE);
        vkok_ctl_set_checked(ctl, !c.starts_checked);
        EXPECT_EQ(vkok_ctl_is_checked(ctl), (c.takes_check ? !c.starts_checked : c.starts_checked)
                                                ? TRUE
                                                : FALSE);
    }
    EXPECT_EQ(vkok_ctl_is_checked(nullptr), FALSE);
    EXPECT_EQ(vkok_ctl_create(WC_PUSHBUTTON, nullptr, "x", its_win, 0, 0, 1), nullptr);
    EXPECT_EQ(vkok_ctl_create(W_DOC, nullptr, "x", its_win, 0, 0, 1), nullptr);
    EXPECT_NE(vkov_ctl_check_flags(W_DOC, 0), 0u);
    EXPECT_EQ(vkov_ctl_check_flags(WC_LBOX, VKO_CTL_INVISIBLE), 0u);
}

TEST_F(ControlsTest, CheckingARadioButtonClearsTheRestOfItsGroup) {
    WINDOW group[3] = {make(WC_RADIOBUTTON, "a", VKO_CTL_CHECKED), make(WC_RADIOBUTTON, "b"),
                       make(WC_RADIOBUTTON, "c")};
    vkok_ctl_check_radio_button(group[2], group, 3);
    EXPECT_EQ(vkok_ctl_is_checked(group[0]), FALSE);
    EXPECT_EQ(vkok_ctl_is_checked(group[1]), FALSE);
    EXPECT_EQ(vkok_ctl_is_checked(group[2]), TRUE);
    // A destroyed member is skipped, not read.
    vkok_vobj_destroy(group[1]);
    vkok_ctl_check_radio_button(group[0], group, 3);
    EXPECT_EQ(vkok_ctl_is_checked(group[0]), TRUE);
    EXPECT_EQ(vkok_ctl_is_checked(group[2]), FALSE);
}

TEST_F(ControlsTest, TextSelectionStaysInsideTheText) {
    struct Case {
        const char* why;
        int32_t first, last;
        int32_t want_first, want_last;
    };
    const Case cases[] = {
        {"inside", 1, 3, 1, 3},
        {"inverted ends collapse to the first", 4, 2, 4, 4},
        {"negative ends mean the end", -1, -1, 5, 5},
        {"an end past the text is the end", 2, 99, 2, 5},
        {"all", 0, 5, 0, 5},
    };
    WINDOW edit = make(WC_EDIT, "hello");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        vkok_ctl_set_text_sel(edit, c.first, c.last);
        int32_t first = -7, last = -7;
        vkok_ctl_get_text_sel(edit, &first, &last);
        EXPECT_EQ(first, c.want_first);
        EXPECT_EQ(last, c.want_last);
    }
    // A shorter text cuts the kept selection.
    vkok_ctl_set_text_sel(edit, 2, 5);
    vkov_vobj_set_title(edit, "hi");
    int32_t first = -7, last = -7;
    vkok_ctl_get_text_sel(edit, &first, &last);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 2);
    // Controls without text selection answer 0, 0.
    WINDOW button = make(WC_PUSHBUTTON, "ok");
    vkok_ctl_set_text_sel(button, 1, 2);
    vkok_ctl_get_text_sel(button, &first, &last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 0);
}

// The colours of a list, in a map from component to colour.
std::vector<std::pair<int32_t, COLOR>> pairs_of(s_color_pair* list) {
    std::vector<std::pair<int32_t, COLOR>> out;
    for (const s_color_pair* p = list; p != nullptr && p->component != 0; ++p) {
        out.emplace_back(p->component, p->color);
    }
    vkov_mem_free(list);
    return out;
}

TEST_F(ControlsTest, ControlColoursAreSetMergedAndReset) {
    WINDOW text = make(WC_TEXT, "label");
    using Pairs = std::vector<std::pair<int32_t, COLOR>>;
    EXPECT_EQ(pairs_of(vkok_ctl_get_colors(text)), Pairs{});

    const s_color_pair fore[] = {{VKO_CC_FORE, 0x00112233u}, {0, VKO_COLOR_UNSET}};
    vkok_ctl_set_colors(text, fore, FALSE);
    const s_color_pair back[] = {{VKO_CC_BACK, 0x00445566u}, {0, VKO_COLOR_UNSET}};
    vkok_ctl_set_colors(text, back, FALSE);
    EXPECT_EQ(pairs_of(vkok_ctl_get_colors(text)),
              (Pairs{{VKO_CC_FORE, 0x00112233u}, {VKO_CC_BACK, 0x00445566u}}));

    // An unset colour removes a component; reset starts from nothing.
    const s_color_pair unset[] = {{VKO_CC_FORE, VKO_COLOR_UNSET}, {0, VKO_COLOR_UNSET}};
    vkok_ctl_set_colors(text, unset, FALSE);
    EXPECT_EQ(pairs_of(vkok_ctl_get_colors(text)), (Pairs{{VKO_CC_BACK, 0x00445566u}}));
    vkok_ctl_set_colors(text, fore, TRUE);
    EXPECT_EQ(pairs_of(vkok_ctl_get_colors(text)), (Pairs{{VKO_CC_FORE, 0x00112233u}}));

    EXPECT_EQ(pairs_of(vkok_ctl_get_native_colors(WC_EDIT)),
              (Pairs{{VKO_CC_FORE, VKO_COLOR_BLACK},
                     {VKO_CC_BACK, VKO_COLOR_WHITE},
                     {VKO_CC_BORDER, VKO_COLOR_BLACK}}));
    EXPECT_EQ(vkok_ctl_get_native_colors(W_DOC), nullptr);
}

// The items of a string list, with their data words.
std::vector<std::pair<std::string, int32_t>> items_of(SLIST list) {
    std::vector<std::pair<std::string, int32_t>> out;
    for (SLIST_ELT e = vkov_slist_get_first(list); e != nullptr;
         e = vkov_slist_get_next(list, e)) {
        int32_t data = 0;
        const char* text = vkov_slist_get(list, e, &data);
        out.emplace_back(text, data);
    }
    vkov_slist_destroy(list);
    return out;
}

TEST_F(ControlsTest, ListItemsAreInsertedRemovedAndCopiedOut) {
    WINDOW list = make(WC_LBOX);
    EXPECT_TRUE(vkov_list_add(list, -1, "beta"));
    EXPECT_TRUE(vkov_list_add(list, 0, "alpha"));
    EXPECT_TRUE(vkov_list_add(list, 2, "delta"));
    EXPECT_TRUE(vkov_list_add(list, 2, "gamma"));
    EXPECT_FALSE(vkov_list_add(list, 9, "far")) << "an index past the end is refused";
    EXPECT_FALSE(vkov_list_add(list, -2, "x"));
    EXPECT_FALSE(vkov_list_add(list, 0, nullptr));
    using Items = std::vector<std::pair<std::string, int32_t>>;
    EXPECT_EQ(items_of(vkok_list_get_all(list)),
              (Items{{"alpha", 0}, {"beta", 1}, {"gamma", 2}, {"delta", 3}}));

    char buf[4];
    EXPECT_TRUE(vkok_list_get_elt(list, 2, buf, sizeof buf));
    EXPECT_STREQ(buf, "gam") << "cut to the buffer";
    EXPECT_FALSE(vkok_list_get_elt(list, 4, buf, sizeof buf));
    EXPECT_STREQ(buf, "");

    // A whole string list can stand in for the text.
    SLIST more = vkov_slist_create();
    vkov_slist_add(more, "x", 0);
    vkov_slist_add(more, "y", 0);
    EXPECT_TRUE(vkov_list_add(list, 1, reinterpret_cast<const char*>(more)));
    vkov_slist_destroy(more);
    EXPECT_EQ(items_of(vkok_list_get_all(list)),
              (Items{{"alpha", 0}, {"x", 1}, {"y", 2}, {"beta", 3}, {"gamma", 4}, {"delta", 5}}));
    EXPECT_TRUE(vkok_list_rem(list, 1));
    EXPECT_TRUE(vkok_list_rem(list, 1));
    EXPECT_TRUE(vkok_list_rem(list, 1));
    EXPECT_FALSE(vkok_list_rem(list, 3));
    EXPECT_EQ(vkok_list_count_all(list), 3);
    EXPECT_TRUE(vkok_list_clear(list));
    EXPECT_EQ(vkok_list_count_all(list), 0);
    // Not a list: neutral answers.
    WINDOW button = make(WC_PUSHBUTTON);
    EXPECT_EQ(vkok_list_count_all(button), -1);
    EXPECT_FALSE(vkov_list_add(button, -1, "x"));
}

TEST_F(ControlsTest, ListBoxesSelectManyOtherListsOne) {
    struct Case {
        const char* why;
        e_win_type type;
        bool many;
    };
    const Case cases[] = {
        {"list box", WC_LBOX, true},
        {"list button", WC_LISTBUTTON, false},
        {"list edit", WC_LISTEDIT, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        WINDOW list = make(c.type);
        for (const char* text : {"a", "b", "c"}) {
            ASSERT_TRUE(vkov_list_add(list, -1, text));
        }
        EXPECT_EQ(vkok_list_get_sel_index(list), -1);
        EXPECT_TRUE(vkok_list_set_sel(list, 2, TRUE));
        EXPECT_TRUE(vkok_list_set_sel(list, 1, TRUE));
        EXPECT_EQ(vkok_list_count_sel(list), c.many ? 2 : 1);
        EXPECT_EQ(vkok_list_is_sel(list, 2), c.many ? TRUE : FALSE);
        EXPECT_EQ(vkok_list_get_sel_index(list), 1);
        char buf[8];
        EXPECT_TRUE(vkok_list_get_first_sel(list, buf, sizeof buf));
        EXPECT_STREQ(buf, "b");
        EXPECT_EQ(vkok_list_set_sel(list, -1, TRUE), c.many ? TRUE : FALSE);
        EXPECT_EQ(vkok_list_count_sel(list), c.many ? 3 : 1);
        EXPECT_TRUE(vkok_list_set_sel(list, -1, FALSE));
        EXPECT_EQ(vkok_list_count_sel(list), 0);
        EXPECT_FALSE(vkok_list_get_first_sel(list, buf, sizeof buf));
        // Removing a selected item removes its selection with it.
        vkok_list_set_sel(list, 0, TRUE);
        vkok_list_rem(list, 0);
        EXPECT_EQ(vkok_list_get_sel_index(list), -1);
        EXPECT_EQ(items_of(vkok_list_get_sel(list)).size(), 0u);
    }
    WINDOW combo = make(WC_LISTEDIT, "typed");
    vkov_list_add(combo, -1, "picked");
    vkok_list_set_sel(combo, 0, TRUE);
    char title[16];
    EXPECT_STREQ(vkok_vobj_get_title(combo, title, sizeof title), "picked");
}

TEST_F(ControlsTest, ScrollBarsKeepTheirValuesInRange) {
    WINDOW vbar = make(WC_VSCROLL);
    struct Step {
        const char* why;
        int op;  // 0 range, 1 pos, 2 proportion
        int32_t a, b;
        int32_t want_min, want_max, want_pos, want_prop;
    };
    const Step steps[] = {
        {"defaults after a position", 1, 40, 0, 0, 100, 40, 1},
        {"position beyond the range is cut", 1, 500, 0, 0, 100, 100, 1},
        {"a smaller range pulls the position in", 0, 10, 50, 10, 50, 50, 1},
        {"reversed range is ordered", 0, 30, 20, 20, 30, 30, 1},
        {"proportion is at most the width", 2, 99, 0, 20, 30, 30, 11},
        {"proportion is at least 1", 2, -4, 0, 20, 30, 30, 1},
        {"extreme range does not overflow", 0, INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, 30,
         1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.why);
        if (s.op == 0) vkok_sbar_set_range(vbar, VKO_SBAR_CONTROL, s.a, s.b);
        if (s.op == 1) vkok_sbar_set_pos(vbar, VKO_SBAR_CONTROL, s.a);
        if (s.op == 2) vkok_sbar_set_proportion(vbar, VKO_SBAR_CONTROL, s.a);
        int32_t min = 0, max = 0;
        vkok_sbar_get_range(vbar, VKO_SBAR_CONTROL, &min, &max);
        EXPECT_EQ(min, s.want_min);
        EXPECT_EQ(max, s.want_max);
        EXPECT_EQ(vkok_sbar_get_pos(vbar, VKO_SBAR_CONTROL), s.want_pos);
        EXPECT_EQ(vkok_sbar_get_proportion(vbar, VKO_SBAR_CONTROL), s.want_prop);
    }
    // A control has only its own bar; a window only its two.
    EXPECT_EQ(vkok_sbar_get_pos(vbar, VKO_SBAR_VERT), -1);
    EXPECT_EQ(vkok_sbar_get_pos(its_win, VKO_SBAR_CONTROL), -1);
    vkok_sbar_set_pos(its_win, VKO_SBAR_HORZ, 7);
    EXPECT_EQ(vkok_sbar_get_pos(its_win, VKO_SBAR_HORZ), 7);
    EXPECT_EQ(vkok_sbar_get_pos(its_win, VKO_SBAR_VERT), 0);
    vkok_vobj_destroy(vbar);
    EXPECT_EQ(vkok_sbar_get_pos(vbar, VKO_SBAR_CONTROL), -1) << "a dead window is not read";
}

TEST_F(ControlsTest, ScrollBarsAreDrawnAgainOnlyWhenWhatTheyShowChanged) {
    WINDOW vbar = make(WC_VSCROLL);
    vkok_sbar_set_range(vbar, VKO_SBAR_CONTROL, 0, 50);
    vkok_sbar_set_pos(vbar, VKO_SBAR_CONTROL, 10);
    vkok_sbar_set_proportion(vbar, VKO_SBAR_CONTROL, 5);
    struct Step {
        const char* why;
        int op;  // 0 range, 1 pos, 2 proportion
        int32_t a, b;
        bool drawn;
    };
    const Step steps[] = {
        {"the same range", 0, 0, 50, false},
        {"the same range, reversed", 0, 50, 0, false},
        {"the same position", 1, 10, 0, false},
        {"a position cut to the one it has", 1, 10, 0, false},
        {"the same proportion", 2, 5, 0, false},
        {"another range", 0, 0, 60, true},
        {"another position", 1, 11, 0, true},
        {"another proportion", 2, 6, 0, true},
        {"a range that moves the position in", 0, 0, 8, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.why);
        vkok_app_process_pending_events();
        vkov_debug_draw_log_clear(vbar);
        if (s.op == 0) vkok_sbar_set_range(vbar, VKO_SBAR_CONTROL, s.a, s.b);
        if (s.op == 1) vkok_sbar_set_pos(vbar, VKO_SBAR_CONTROL, s.a);
        if (s.op == 2) vkok_sbar_set_proportion(vbar, VKO_SBAR_CONTROL, s.a);
        vkok_app_process_pending_events();
        EXPECT_EQ(vkov_debug_draw_log_size(vbar) > 0, s.drawn);
    }
}

class MenuTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        its_file = (std::filesystem::temp_directory_path() /
                    ("vkobase_menu_" + std::to_string(reinterpret_cast<uintptr_t>(this)) +
                     ".res"))
                       .string();
        std::ofstream(its_file) << R"(menu 1 {
  popup "&File" {
    item 32001 "&New Window"
    separator
    popup 5 "&Print" {
      item 3 "&Entry Text" off
    }
  }
  item 66 "About"
}
)";
        ASSERT_GT(vkok_res_add_res(its_file.c_str()), 0);
    }
    void TearDown() override {
        ControlsTest::TearDown();
        std::filesystem::remove(its_file);
    }

    std::string its_file;
};

TEST_F(MenuTest, AWindowWorksOnItsOwnCopyOfItsMenuResource) {
    const s_rct rct{0, 0, 100, 100};
    WINDOW win =
        vkok_win_create(W_DOC, &rct, "menu", 1, nullptr, 0, VKO_EVENT_MASK_ALL, ignore_events, 0);
    ASSERT_NE(win, nullptr);

    vkok_menu_set_item_checked(win, 32001, TRUE);
    vkok_menu_set_item_enabled(win, 3, TRUE);
    vkok_menu_set_item_title(win, 66, "About TavlinCD");
    vkok_menu_set_item_title(win, 999, "nobody");  // unknown tags change nothing

    MENU_TREE tree = vkok_menu_get_tree(win);
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(tree[0].child[0].checked);
    EXPECT_TRUE(tree[0].child[2].child[0].enabled);
    EXPECT_STREQ(tree[1].text, "About TavlinCD");
    // The copy is the caller's: changing it leaves the window's tree alone.
    tree[1].checked = 1;
    vkov_res_free_menu_tree(tree);
    tree = vkok_menu_get_tree(win);
    EXPECT_FALSE(tree[1].checked);

    // A tree set on the window is copied; the caller may free its own at once.
    tree[1].tag = 67;
    vkok_menu_set_tree(win, tree);
    vkov_res_free_menu_tree(tree);
    tree = vkok_menu_get_tree(win);
    EXPECT_EQ(tree[1].tag, 67);
    vkov_res_free_menu_tree(tree);
    vkok_vobj_destroy(win);
    EXPECT_EQ(vkok_menu_get_tree(win), nullptr);
}

TEST_F(MenuTest, PopUpsAnswerOnlyEnabledPlainItems) {
    MENU_TREE tree = vkov_res_get_menu(1);
    ASSERT_NE(tree, nullptr);
    struct Case {
        const char* why;
        int16_t scripted;
        int16_t want;
    };
    const Case cases[] = {
        {"an enabled item in a submenu", 32001, 32001},
        {"a disabled item", 3, 0},
        {"a submenu itself", 5, 0},
        {"a tag the tree lacks", 77, 0},
        {"a top-level item", 66, 66},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        vkov_menu_test_push_popup_answer(c.scripted);
        EXPECT_EQ(vkok_menu_popup(tree, its_win, s_pnt{10, 10}, 0, 0), c.want);
    }
    EXPECT_EQ(vkok_menu_popup(tree, its_win, s_pnt{10, 10}, 0, 0), 0) << "nothing scripted";
    vkov_menu_test_push_popup_answer(66);
    vkov_test_reset_all();
    const s_rct rct{0, 0, 10, 10};
    WINDOW win =
        vkok_win_create(W_DOC, &rct, "w", 0, nullptr, 0, VKO_EVENT_MASK_ALL, ignore_events, 0);
    EXPECT_EQ(vkok_menu_popup(tree, win, s_pnt{1, 1}, 0, 0), 0) << "reset empties the script";
    vkov_res_free_menu_tree(tree);
}

}  // namespace
