// Tests of the virtual frame in a real window: the extent against the frame, scrolling the
// contents by a displacement with the pixels moved by the toolkit, and fitting the extent.
#include "frm/views/cvirtfrm.h"

#include <string>

#include <gtest/gtest.h>

#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"

namespace {

// The smallest concrete virtual frame: it counts the scroll-bar adjustments.
class Scrolled : public FRM_CVirtualFrame {
public:
    Scrolled(FRM_CSubview* enclosure, const FRM_CRect& frame, float width, float height)
        : FRM_CVirtualFrame(enclosure, frame, width, height)
    {
    }
    using FRM_CVirtualFrame::operator=;
    int itsAdjustments = 0;

protected:
    void AdjustScrollBars() override { ++itsAdjustments; }
};

class VirtualFrameTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("scrolled", 300, 200);
        itsHandle = itsWindow->GetVKOWindow();
        vkok_app_process_pending_events();
    }

    std::vector<std::string> ScrollCalls() const
    {
        std::vector<std::string> calls;
        for (const vkov_draw_log_entry& entry : Log(itsHandle))
            if (std::string(entry.op) == "scroll_rect")
                calls.push_back(entry.args);
        return calls;
    }

    FRM_CWindow* itsWindow = nullptr;
    WINDOW itsHandle = nullptr;
};

TEST_F(VirtualFrameTest, ExtentIsAtLeastTheFrameAndNeverShrinksBySizing)
{
    struct Case {
        const char* why;
        float width, height;
        FRM_CRect extent;
    };
    const Case cases[] = {
        {"smaller than the frame: the frame's size", 50, 40, {0, 0, 100, 80}},
        {"larger: as asked", 400, 30, {0, 0, 400, 80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Scrolled view(itsWindow, FRM_CRect(10, 10, 110, 90), c.width, c.height);
        EXPECT_EQ(view.GetVirtualFrame(), c.extent);
        view.Size(FRM_CRect(10, 10, 60, 50));
        EXPECT_EQ(view.GetVirtualFrame(), c.extent);
        view.Size(FRM_CRect(10, 10, 510, 150));
        EXPECT_EQ(view.GetVirtualFrame(), FRM_CRect(0, 0, 500, 140));
    }
}

TEST_F(VirtualFrameTest, ScrollingMovesTheViewsAndThePixels)
{
    auto* scrolled = new Scrolled(itsWindow, FRM_CRect(10, 20, 110, 120), 100, 400);
    auto* row = new FRM_CView(scrolled, FRM_CRect(0, 150, 50, 170), FRM_CStringRW("row"));
    EXPECT_EQ(row->GetGlobalFrame(), FRM_CRect(10, 170, 60, 190));
    vkov_debug_draw_log_clear(itsHandle);
    scrolled->itsAdjustments = 0;

    scrolled->SetScrollingOrigin(FRM_CPoint(0, 0));    // the same origin: nothing moves
    EXPECT_TRUE(ScrollCalls().empty());
    EXPECT_EQ(scrolled->itsAdjustments, 1);

    scrolled->SetScrollingOrigin(FRM_CPoint(0, -100));
    EXPECT_EQ(row->GetGlobalFrame(), FRM_CRect(10, 70, 60, 90));
    EXPECT_EQ(scrolled->GetGlobalOrigin(), FRM_CPoint(10, -80));
    EXPECT_EQ(ScrollCalls(), (std::vector<std::string>{"20,10,120,110,0,-100"}));
    EXPECT_EQ(scrolled->itsAdjustments, 2);
    // A new subview lies in content coordinates.
    auto* late = new FRM_CView(scrolled, FRM_CRect(0, 100, 10, 110), FRM_CStringRW("late"));
    EXPECT_EQ(late->GetGlobalFrame(), FRM_CRect(10, 20, 20, 30));
}

TEST_F(VirtualFrameTest, ShrinkToFitEndsWhereTheSubviewsEnd)
{
    Scrolled view(itsWindow, FRM_CRect(0, 0, 100, 100), 500, 500);
    view.ShrinkToFit();
    EXPECT_EQ(view.GetVirtualFrame(), FRM_CRect(0, 0, 0, 0));
    new FRM_CView(&view, FRM_CRect(10, 10, 120, 40), FRM_CStringRW("a"));
    new FRM_CView(&view, FRM_CRect(5, 200, 30, 260), FRM_CStringRW("b"));
    EXPECT_EQ(view.GetVirtualFrame(), FRM_CRect(0, 0, 120, 260));    // grew as they came
    view.itsAdjustments = 0;
    view.ShrinkToFit();
    EXPECT_EQ(view.itsAdjustments, 0);    // already fitting: nothing to do
}

TEST_F(VirtualFrameTest, AssignmentKeepsItsOwnOrigin)
{
    Scrolled source(itsWindow, FRM_CRect(0, 0, 100, 100), 100, 600);
    Scrolled target(itsWindow, FRM_CRect(0, 0, 100, 100), 100, 300);
    target.SetScrollingOrigin(FRM_CPoint(0, -50));
    source.SetScrollingOrigin(FRM_CPoint(0, -200));
    target = source;
    EXPECT_EQ(target.GetVirtualFrame(), FRM_CRect(0, 0, 100, 600));
    EXPECT_EQ(target.GetScrollingOrigin(), FRM_CPoint(0, -50));
}

} // namespace
