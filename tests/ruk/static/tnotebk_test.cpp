// Tests of the notebook family against the recording double: the notebook check (a list
// control is an invalid notebook), tab and page numbers, titles and buffers, and creation of
// faces from definition lists.
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

int32_t handler(WINDOW, EVENT *) {
    return 0;
}

class TnotebkTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
    WINDOW notebook() { return base().MakeWindow(0, WC_NOTEBK); }
};

TEST_F(TnotebkTest, Members_CheckNotebookNumbersAndArgumentsInOrder) {
    char buf[16];
    int image_storage = 0;
    auto *image = reinterpret_cast<IMAGE>(&image_storage);
    struct Case {
        const char *why;
        WINDOW nb;
        std::function<void(WINDOW)> call;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"a list control is no notebook", base().MakeWindow(0, WC_LBOX),
         [](WINDOW w) { vko_notebk_rem_tab(w, 0); }, "vkov_notebk_rem_tab", 0x1220002},
        {"a null notebook", nullptr, [](WINDOW w) { vko_notebk_rem_tab(w, 0); },
         "vkov_notebk_rem_tab", 0x1210002},
        {"a negative tab", notebook(), [](WINDOW w) { vko_notebk_rem_tab(w, -1); },
         "vkov_notebk_rem_tab", 0x250000},
        {"a negative page", notebook(), [](WINDOW w) { vko_notebk_set_front_page(w, 0, -1); },
         "vkov_notebk_set_front_page", 0x250000},
        {"page data of any window and numbers", base().MakeWindow(0, W_DOC),
         [](WINDOW w) { vko_notebk_get_page_data(w, -1, -1); }, "vkov_notebk_get_page_data", 0},
        {"title and image both null", notebook(),
         [](WINDOW w) { vko_notebk_add_tab(w, 0, nullptr, nullptr); }, "vkov_notebk_add_tab",
         0x210000},
        {"an image without a title", notebook(),
         [=](WINDOW w) { vko_notebk_add_tab(w, 0, nullptr, image); }, "vkov_notebk_add_tab", 0},
        {"page title into size 0", notebook(),
         [&](WINDOW w) { vko_notebk_get_page_title(w, 0, 0, buf, 0); },
         "vkov_notebk_get_page_title", 0x250000},
        {"tab title into a negative size", notebook(),
         [&](WINDOW w) { vko_notebk_get_tab_title(w, 0, buf, -4); }, "vkov_notebk_get_tab_title",
         0x250000},
        {"tab title into a null buffer", notebook(),
         [](WINDOW w) { vko_notebk_get_tab_title(w, 0, nullptr, 4); }, "vkov_notebk_get_tab_title",
         0x210000},
        {"front page into null pointers", notebook(),
         [](WINDOW w) { vko_notebk_get_front_page(w, nullptr, nullptr); },
         "vkov_notebk_get_front_page", 0x210000},
        {"a null tab image", notebook(), [](WINDOW w) { vko_notebk_set_tab_image(w, 1, nullptr); },
         "vkov_notebk_set_tab_image", 0x210000},
        {"a face without a handler", notebook(),
         [](WINDOW w) { vko_notebk_create_face(w, 0, 0, 0, nullptr, 0); },
         "vkov_notebk_create_face", 0x121000E},
        {"a negative page before the handler", notebook(),
         [](WINDOW w) { vko_notebk_create_face_res(w, 0, -2, 1, 0, nullptr, 0); },
         "vkov_notebk_create_face_res", 0x250000},
        {"no enumeration callback", notebook(),
         [](WINDOW w) { vko_notebk_enum_pages(w, nullptr, 0); }, "vkov_notebk_enum_pages",
         0x210000},
        {"count of tabs", notebook(), [](WINDOW w) { vko_notebk_get_num_tabs(w); },
         "vkov_notebk_get_num_tabs", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call(c.nb);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
    EXPECT_EQ(vko_notebk_get_num_pages(nullptr, 0), 65535);
}

TEST_F(TnotebkTest, NullTitles_BecomeTheEmptyString) {
    WINDOW nb = notebook();
    vko_notebk_set_page_title(nb, 1, 2, nullptr);
    vko_notebk_add_page(nb, 1, 3, nullptr, 0);
    EXPECT_EQ(base().TakeLastReportCode(), 0u);
    for (const char *target : {"vkov_notebk_set_page_title", "vkov_notebk_add_page"}) {
        SCOPED_TRACE(target);
        const base_double::Call *call = base().LastCall(target);
        ASSERT_NE(call, nullptr);
        EXPECT_TRUE(call->args[3].has_text);
        EXPECT_EQ(call->args[3].text, "");
    }
}

TEST_F(TnotebkTest, CreateFaceDef_ChecksListFirstAndItsControls) {
    s_win_def list[4] = {};
    list[0].type = W_PLAIN;
    list[1].type = WC_TEXTEDIT; // skipped
    list[2].type = WC_PUSHBUTTON;
    list[2].ctl_flags = 0x99;
    struct Case {
        const char *why;
        bool with_list;
        WINDOW nb;
        std::uint32_t flags_code;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"a good face", true, notebook(), 0, 0},
        {"a null list before a null notebook", false, nullptr, 0, 0x210000},
        {"a null notebook", true, nullptr, 0, 0x1210002},
        {"a control refused by the base library", true, notebook(), 0x2230003, 0x2230003},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkov_ctl_check_flags", c.flags_code);
        vko_notebk_create_face_def(c.nb, 0, 0, c.with_list ? list : nullptr, 0, handler, 0);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded("vkov_notebk_create_face_def"), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
    vko_notebk_create_face_def(notebook(), 0, 0, list, 0, handler, 0);
    const base_double::Call *checked = base().LastCall("vkov_ctl_check_flags");
    ASSERT_NE(checked, nullptr);
    EXPECT_EQ(checked->args[0].value, WC_PUSHBUTTON); // the native control entry was skipped
    EXPECT_EQ(checked->args[1].value, 0x99);
}

TEST_F(TnotebkTest, PageFromFace_NeedsAFaceWithFlags) {
    WINDOW nb = nullptr;
    int16_t tab = 0;
    int16_t page = 0;
    struct Case {
        const char *why;
        WINDOW face;
        bool pointers;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"a face", base().MakeWindow(0x4, W_PLAIN), true, 0},
        {"a window without flags", base().MakeWindow(0, W_PLAIN), true, 0x1220002},
        {"a freed face", base().MakeWindow(0x4, W_PLAIN, false), true, 0x1220002},
        {"null pointers", base().MakeWindow(0x4, W_PLAIN), false, 0x210000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        if (c.pointers)
            vko_notebk_get_page_from_face(c.face, &nb, &tab, &page);
        else
            vko_notebk_get_page_from_face(c.face, &nb, nullptr, &page);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded("vkov_notebk_get_page_from_face"), c.code == 0);
    }
}

} // namespace
