// Tests of arcs, circles and ovals: drawing points from angles (with the shapes' own
// radians factor), the figure each draws as the window's log shows it, and square resizing.
#include "frm/views/carc.h"

#include <gtest/gtest.h>

#include <string>

#include "../support/frm_app_fixture.h"

namespace {

class ArcTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("shapes", 300, 200);
    }
    std::string DrawnOp(FRM_CView* view)
    {
        vkov_debug_draw_log_clear(itsWindow->GetVKOWindow());
        view->Draw(FRM_CObjectRWC::GetG()->GetMAXRect());
        const auto log = Log(itsWindow->GetVKOWindow());
        return log.empty() ? "" : log.back().op;
    }
    FRM_CWindow* itsWindow = nullptr;
};

TEST_F(ArcTest, Angles_PlaceTheDrawingPointsOnTheEllipse)
{
    auto* arc = new FRM_CArc(itsWindow, FRM_CRect(0, 0, 100, 50), 0, 90);
    EXPECT_FLOAT_EQ(arc->GetStartPoint().H(), 100);
    EXPECT_FLOAT_EQ(arc->GetStartPoint().V(), 25);
    EXPECT_NEAR(arc->GetEndPoint().H(), 49.999916, 1e-5) << "the radians factor is not pi/180";
    EXPECT_NEAR(arc->GetEndPoint().V(), 0, 1e-6);
    arc->Size(FRM_CRect(0, 0, 200, 100));
    EXPECT_EQ(arc->GetEndingAngle(), 90) << "resizing keeps the angles";
    EXPECT_FLOAT_EQ(arc->GetStartPoint().H(), 200);
    EXPECT_FLOAT_EQ(arc->GetStartPoint().V(), 50);
}

TEST_F(ArcTest, Draw_ArcPieOrWholeEllipse)
{
    struct Case {
        const char* why;
        double start, end;
        short filled;
        const char* op;
    };
    const Case cases[] = {
        {"an outline", 0, 90, 0, "draw_arc"},
        {"a slice", 0, 90, 1, "draw_pie"},
        {"a filled full turn meets itself: the whole ellipse", 0, 360, 1, "draw_oval"},
        {"an unfilled full turn stays an arc", 0, 360, 0, "draw_arc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        // A half-pixel centre: both points of a full turn truncate to the same pixel.
        auto* arc = new FRM_CArc(itsWindow, FRM_CRect(10, 10, 110, 61), c.start, c.end);
        arc->IArc(c.start, c.end, c.filled, 1, 0);
        EXPECT_EQ(DrawnOp(arc), c.op);
    }
}

TEST_F(ArcTest, Circle_StaysSquareWhenResized)
{
    struct Case {
        const char* why;
        FRM_CRect to;
        float side;
    };
    const Case cases[] = {
        {"both sides change: their mean", FRM_CRect(0, 0, 120, 80), 100},
        {"only the height changes", FRM_CRect(0, 0, 100, 140), 140},
        {"only the width changes", FRM_CRect(0, 0, 130, 100), 130},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* circle = new FRM_CCircle(itsWindow, FRM_CPoint(50, 50), 50);
        circle->Size(c.to);
        EXPECT_EQ(circle->GetFrame(), FRM_CRect(0, 0, c.side, c.side));
        EXPECT_EQ(DrawnOp(circle), "draw_oval");
    }
    auto* oval = new FRM_COval(itsWindow, FRM_CPoint(50, 40), 10, 5);
    EXPECT_EQ(oval->GetFrame(), FRM_CRect(40, 35, 60, 45));
}

} // namespace
