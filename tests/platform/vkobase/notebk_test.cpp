// Notebooks: tabs and pages keep their order and data as they are added and removed, the front
// page follows the removals, only the front page's face is shown, and a face destroyed on its
// own is forgotten by its page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vkobase/ctl.h"
#include "vkobase/notebk.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace {

int32_t ignore_events(WINDOW, EVENT*) {
    return 0;
}

class NotebookTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        const s_rct rct{0, 0, 300, 400};
        WINDOW win = vkok_win_create(W_DOC, &rct, "doc", 0, nullptr, 0, VKO_EVENT_MASK_ALL,
                                     ignore_events, 0);
        ASSERT_NE(win, nullptr);
        const s_rct nb_rct{10, 10, 200, 300};
        its_nb = vkok_ctl_create(WC_NOTEBK, &nb_rct, "", win, 0, 0, 1);
        ASSERT_NE(its_nb, nullptr);
    }
    void TearDown() override { vkov_test_reset_all(); }

    // "tab:page,page|tab:page" with the titles in order.
    std::string layout() {
        std::string out;
        char buf[32];
        for (int16_t t = 0; t < vkov_notebk_get_num_tabs(its_nb); ++t) {
            out += t == 0 ? "" : "|";
            out += vkov_notebk_get_tab_title(its_nb, t, buf, sizeof buf);
            out += ":";
            for (int16_t p = 0; p < vkov_notebk_get_num_pages(its_nb, t); ++p) {
                out += p == 0 ? "" : ",";
                out += vkov_notebk_get_page_title(its_nb, t, p, buf, sizeof buf);
            }
        }
        return out;
    }

    std::string front() {
        int16_t tab = 0, page = 0;
        vkov_notebk_get_front_page(its_nb, &tab, &page);
        return std::to_string(tab) + "/" + std::to_string(page);
    }

    WINDOW its_nb = nullptr;
};

TEST_F(NotebookTest, TabsAndPagesKeepTheirOrderAndTheFrontPageFollows) {
    EXPECT_EQ(front(), "-1/-1");
    EXPECT_FALSE(vkov_notebk_get_front_page(its_nb, nullptr, nullptr));
    vkov_notebk_add_tab(its_nb, 0, "B", nullptr);
    vkov_notebk_add_tab(its_nb, 0, "A", nullptr);
    vkov_notebk_add_tab(its_nb, 99, "C", nullptr);  // beyond the count: appended
    vkov_notebk_add_page(its_nb, 1, 0, "b1", 11);
    EXPECT_EQ(front(), "1/0") << "the first page comes to the front";
    vkov_notebk_add_page(its_nb, 1, 0, "b0", 10);
    EXPECT_EQ(front(), "1/1") << "the front page keeps its page when one goes before it";
    vkov_notebk_add_page(its_nb, 0, 0, "a0", 1);
    vkov_notebk_add_tab(its_nb, 0, "Z", nullptr);
    EXPECT_EQ(front(), "2/1") << "and when a tab goes before it";
    vkov_notebk_add_page(its_nb, 7, 0, "lost", 0);  // no such tab
    EXPECT_EQ(layout(), "Z:|A:a0|B:b0,b1|C:");
    EXPECT_EQ(vkov_notebk_get_page_data(its_nb, 2, 1), 11);

    struct Step {
        const char* why;
        int16_t tab, page;  // page -1: remove the tab
        const char* want_layout;
        const char* want_front;
    };
    const Step steps[] = {
        {"removing a page before the front", 2, 0, "Z:|A:a0|B:b1|C:", "2/0"},
        {"removing the front page moves it to the first page left", 2, 0, "Z:|A:a0|B:|C:",
         "1/0"},
        {"removing a tab before the front", 0, -1, "A:a0|B:|C:", "0/0"},
        {"removing the last page's tab leaves no front", 0, -1, "B:|C:", "-1/-1"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.why);
        if (s.page < 0) {
            vkov_notebk_rem_tab(its_nb, s.tab);
        } else {
            vkov_notebk_rem_page(its_nb, s.tab, s.page);
        }
        EXPECT_EQ(layout(), s.want_layout);
        EXPECT_EQ(front(), s.want_front);
    }
    EXPECT_EQ(vkov_notebk_get_num_pages(its_nb, 5), 65535);
    char buf[4] = "xx";
    EXPECT_EQ(vkov_notebk_get_page_title(its_nb, 0, 0, buf, sizeof buf), nullptr);
    EXPECT_STREQ(buf, "");
}

TEST_F(NotebookTest, OnlyTheFrontPagesFaceIsShown) {
    vkov_notebk_add_tab(its_nb, 0, "T", nullptr);
    vkov_notebk_add_page(its_nb, 0, 0, "p0", 0);
    vkov_notebk_add_page(its_nb, 0, 1, "p1", 0);
    WINDOW face0 = vkov_notebk_create_face(its_nb, 0, 0, VKO_EVENT_MASK_ALL, ignore_events, 5);
    WINDOW face1 = vkov_notebk_create_face(its_nb, 0, 1, VKO_EVENT_MASK_ALL, ignore_events, 6);
    ASSERT_NE(face0, nullptr);
    ASSERT_NE(face1, nullptr);
    EXPECT_EQ(vkok_vobj_get_flags(face0) & VKO_OF_HIDDEN, 0u);
    EXPECT_NE(vkok_vobj_get_flags(face1) & VKO_OF_HIDDEN, 0u);
    EXPECT_EQ(vkov_notebk_get_face(its_nb, 0, 1), face1);

    vkov_notebk_set_front_page(its_nb, 0, 1);
    EXPECT_NE(vkok_vobj_get_flags(face0) & VKO_OF_HIDDEN, 0u);
    EXPECT_EQ(vkok_vobj_get_flags(face1) & VKO_OF_HIDDEN, 0u);

    WINDOW nb = nullptr;
    int16_t tab = -5, page = -5;
    vkov_notebk_get_page_from_face(face1, &nb, &tab, &page);
    EXPECT_EQ(nb, its_nb);
    EXPECT_EQ(tab, 0);
    EXPECT_EQ(page, 1);
    vkov_notebk_get_page_from_face(its_nb, &nb, &tab, &page);
    EXPECT_EQ(nb, nullptr) << "a notebook is not a face";
    EXPECT_EQ(tab, -1);

    // A new face replaces the old one; a face destroyed on its own is forgotten.
    WINDOW face1b = vkov_notebk_create_face(its_nb, 0, 1, VKO_EVENT_MASK_ALL, ignore_events, 7);
    EXPECT_FALSE(vkov_vobj_is_valid(face1));
    EXPECT_EQ(vkov_notebk_get_face(its_nb, 0, 1), face1b);
    vkok_vobj_destroy(face0);
    EXPECT_EQ(vkov_notebk_get_face(its_nb, 0, 0), nullptr);
    vkov_notebk_rem_page(its_nb, 0, 1);
    EXPECT_FALSE(vkov_vobj_is_valid(face1b)) << "a page takes its face with it";
    EXPECT_EQ(vkov_notebk_create_face(its_nb, 0, 3, 0, ignore_events, 0), nullptr);
}

BOOLEAN count_until(WINDOW, int16_t tab, int16_t page, intptr_t data) {
    auto* seen = reinterpret_cast<std::vector<std::pair<int, int>>*>(data);
    seen->emplace_back(tab, page);
    return seen->size() < 3 ? TRUE : FALSE;
}

TEST_F(NotebookTest, EnumerationVisitsPagesInOrderUntilTold) {
    vkov_notebk_add_tab(its_nb, 0, "A", nullptr);
    vkov_notebk_add_tab(its_nb, 1, "B", nullptr);
    vkov_notebk_add_page(its_nb, 0, 0, "a0", 0);
    vkov_notebk_add_page(its_nb, 1, 0, "b0", 0);
    vkov_notebk_add_page(its_nb, 1, 1, "b1", 0);
    vkov_notebk_add_page(its_nb, 1, 2, "b2", 0);
    std::vector<std::pair<int, int>> seen;
    EXPECT_FALSE(vkov_notebk_enum_pages(its_nb, count_until, reinterpret_cast<intptr_t>(&seen)));
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {1, 1}}));
    // A list control is not a notebook.
    const s_rct rct{0, 0, 10, 10};
    WINDOW list = vkok_ctl_create(WC_LBOX, &rct, "", its_nb->parent, 0, 0, 2);
    EXPECT_EQ(vkov_notebk_get_num_tabs(list), 65535);
    EXPECT_FALSE(vkov_notebk_enum_pages(list, count_until, 0));
}

WINDOW g_grow_nb = nullptr;

// When its face goes, adds pages to the tab that is being removed.
int32_t grows_tab_on_destroy(WINDOW, EVENT* event) {
    if (event->type == E_DESTROY) {
        for (int16_t i = 0; i < 8; ++i) {
            vkov_notebk_add_page(g_grow_nb, 0, 100, "late", 0);
        }
    }
    return 0;
}

TEST_F(NotebookTest, RemovingATabWhoseFaceHandlerAddsPagesTakesEveryFace) {
    g_grow_nb = its_nb;
    vkov_notebk_add_tab(its_nb, 0, "A", nullptr);
    vkov_notebk_add_tab(its_nb, 1, "B", nullptr);
    vkov_notebk_add_page(its_nb, 0, 0, "a0", 0);
    vkov_notebk_add_page(its_nb, 0, 1, "a1", 0);
    vkov_notebk_add_page(its_nb, 1, 0, "b0", 0);
    WINDOW face0 = vkov_notebk_create_face(its_nb, 0, 0, VKO_EVENT_MASK_ALL,
                                           grows_tab_on_destroy, 0);
    WINDOW face1 = vkov_notebk_create_face(its_nb, 0, 1, 0, ignore_events, 0);
    ASSERT_NE(face0, nullptr);
    ASSERT_NE(face1, nullptr);
    vkov_notebk_rem_tab(its_nb, 0);
    EXPECT_FALSE(vkov_vobj_is_valid(face0));
    EXPECT_FALSE(vkov_vobj_is_valid(face1));
    EXPECT_EQ(layout(), "B:b0");
    EXPECT_EQ(front(), "0/0");
}

}  // namespace
