// Tests of the screen family against the recording double: which windows may take the
// focus, and a focused object that died behind the layer's back.
#include <cstdint>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

class TscrTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
};

TEST_F(TscrTest, SetFocus_RefusesWindowsThatCannotTakeIt) {
    struct Case {
        const char *why;
        e_win_type type;
        bool task_active; // attribute 10006
        std::uint32_t code;
    };
    const Case cases[] = {
        {"an edit field", WC_EDIT, false, 0},
        {"a text control", WC_TEXT, false, 0x1230001},
        {"a group box", WC_GROUPBOX, false, 0x1230001},
        {"an icon", WC_ICON, false, 0x1230001},
        {"the task window", W_TASK, false, 0x1230001},
        {"the task window while it may be active", W_TASK, true, 0},
        {"the screen window", W_SCREEN, true, 0x1230001},
        {"a document window", W_DOC, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkok_vobj_get_attr", c.task_active ? 1 : 0);
        vko_scr_set_focus_vobj(base().MakeWindow(0, c.type));
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded("vkok_scr_set_focus_vobj"), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TscrTest, GetFocus_AnswersNullForAnObjectThatDied) {
    WINDOW live = base().MakeWindow(0, W_DOC);
    WINDOW dead = base().MakeWindow(0, W_DOC, false);
    base().SetResultPtr("vkok_scr_get_focus_vobj", live);
    EXPECT_EQ(vko_scr_get_focus_vobj(), live);
    base().SetResultPtr("vkok_scr_get_focus_vobj", dead);
    EXPECT_EQ(vko_scr_get_focus_vobj(), nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0u);
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

} // namespace
