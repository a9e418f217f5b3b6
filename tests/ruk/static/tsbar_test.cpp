// Tests of the scroll-bar family against the recording double: whether a kind of scroll bar
// fits the window, and the pointer checks of the range getter that come before it.
#include <cstdint>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

class TsbarTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
};

TEST_F(TsbarTest, KindFits_ByWindowTypeStyleAndTaskWindowAttribute) {
    struct Case {
        const char *why;
        e_win_type type;
        uint32_t style;
        bool no_task_window; // attribute 10008
        int32_t kind;
        bool fits;
    };
    const Case cases[] = {
        {"document window with a horizontal bar", W_DOC, 0x4, false, 0, true},
        {"document window without a vertical bar", W_DOC, 0x4, false, 1, false},
        {"plain window with a vertical bar", W_PLAIN, 0x8, false, 1, true},
        {"a scroll-bar control is kind 2", WC_HSCROLL, 0, false, 2, true},
        {"a scroll-bar control is no window bar", WC_VSCROLL, 0xC, false, 0, false},
        {"a window is no scroll-bar control", W_DOC, 0xC, false, 2, false},
        {"a dialog has no bars", W_MODAL, 0xC, false, 0, false},
        {"a borderless window has no bars", W_NO_BORDER, 0xC, false, 1, false},
        {"the task window with its bar", W_TASK, 0x8, false, 1, true},
        {"the task window when there is none", W_TASK, 0x8, true, 1, false},
        {"an unknown kind", W_DOC, 0xC, false, 3, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkok_vobj_get_flags", c.style);
        base().SetResult("vkok_vobj_get_attr", c.no_task_window ? 1 : 0);
        base().SetResult("vkok_sbar_get_pos", 17);
        WINDOW w = base().MakeWindow(0, c.type);
        EXPECT_EQ(vko_sbar_get_pos(w, c.kind), c.fits ? 17 : -1);
        EXPECT_EQ(base().TakeLastReportCode(), c.fits ? 0u : 0x1230004u);
        vko_sbar_set_range(w, c.kind, 0, 10);
        EXPECT_EQ(base().TakeForwarded("vkok_sbar_set_range"), c.fits);
        base().TakeLastReportCode();
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TsbarTest, GetRange_ChecksPointersBeforeTheKind) {
    WINDOW modal = base().MakeWindow(0, W_MODAL); // no kind fits
    int32_t min = 0;
    vko_sbar_get_range(modal, 0, &min, nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    vko_sbar_get_range(nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1210002u);
    int32_t max = 0;
    vko_sbar_get_range(modal, 0, &min, &max);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1230004u);
    EXPECT_FALSE(base().Forwarded("vkok_sbar_get_range"));
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

} // namespace
