// Tests of the rectangle, square, line and polygon shapes in a real window: corner sizes,
// squares that stay square, line padding and hit distance, polygon hit tests on horizontal
// and vertical edges, rescaling (also of a frame one pixel wide), and regular polygons.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/core/cvaluerwc.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cline.h"
#include "frm/views/cpolygon.h"
#include "frm/views/crectshp.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"
#include "vkobase/surface_debug.h"

namespace {

FRM_CPoint PointAt(const RWOrdered& points, std::size_t i)
{
    return *static_cast<const FRM_CPointRWC*>(points[i]);
}

class ShapesTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("shapes", 300, 200);
    }

    static void SetPenWidth(FRM_CView* view, short width)
    {
        FRM_CEnvironment environment(*view->GetEnvironment());
        environment.SetPenWidth(width);
        view->SetEnvironment(environment, 0);
    }

    FRM_CWindow* itsWindow = nullptr;
};

TEST_F(ShapesTest, CornerSizesAndSquaresFollowTheirRules)
{
    auto* rectangle = new FRM_CRectangle(itsWindow, FRM_CRect(10, 10, 60, 40));
    rectangle->IRectangle(1, 0, 0, 1, 0);
    EXPECT_EQ(rectangle->GetCornerWidth(), 0) << "the initialiser stores sizes unclamped";
    rectangle->SetRoundedCorners(1, 0.4F, 2.7F);
    EXPECT_EQ(rectangle->GetCornerWidth(), 1);
    EXPECT_EQ(rectangle->GetCornerHeight(), 2);
    rectangle->SetRoundedCorners(1, -252645136.0F, 5);
    EXPECT_EQ(rectangle->GetCornerWidth(), 1) << "the keeping pattern leaves the width";
    EXPECT_EQ(rectangle->GetCornerHeight(), 5);

    struct Case {
        FRM_CRect asked, expected;
    };
    const Case cases[] = {
        {{0, 0, 30, 10}, {0, 0, 30, 30}},
        {{0, 0, 10, 30}, {0, 0, 30, 30}},
        {{0, 0, 30, 20}, {0, 0, 25, 25}},
    };
    for (const Case& c : cases) {
        FRM_CSquare square(itsWindow, FRM_CPoint(0, 0), 10);
        square.Size(c.asked);
        EXPECT_EQ(square.GetFrame(), c.expected);
    }
}

TEST_F(ShapesTest, ALineIsPaddedForItsPenAndArrowsAndHitOnlyNearIt)
{
    struct Case {
        const char* why;
        short pen, startArrow, endArrow;
        FRM_CRect frame;
    };
    const Case cases[] = {
        {"pen 1: half a pen, rounded, is 1", 1, 0, 0, {9, 9, 51, 31}},
        {"an end arrow: 5", 1, 0, 1, {5, 5, 55, 35}},
        {"pen 4 with an arrow: 8", 4, 1, 0, {2, 2, 58, 38}},
        {"pen 3: 2", 3, 0, 0, {8, 8, 52, 32}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CLine line(itsWindow, FRM_CPoint(10, 10), FRM_CPoint(50, 30));
        SetPenWidth(&line, c.pen);
        line.ILine(c.startArrow, c.endArrow, 1, 0);
        EXPECT_EQ(line.GetFrame(), c.frame);
    }

    FRM_CLine vertical(itsWindow, FRM_CPoint(20, 10), FRM_CPoint(20, 60));
    vertical.SetArrows(1, 1);
    EXPECT_FLOAT_EQ(FRM_CLine::GetDistanceFromLine(FRM_CPoint(20, 10), FRM_CPoint(20, 60),
                                                   FRM_CPoint(23, 100)),
                    3);
    EXPECT_EQ(vertical.HitTest(FRM_CPoint(24, 30)), 1) << "7 pixels is a hit";
    EXPECT_EQ(vertical.HitTest(FRM_CPoint(15, 30)), 1);

    FRM_CLine level(itsWindow, FRM_CPoint(0, 20), FRM_CPoint(100, 20));
    level.SetArrows(0, 1);
    level.Size(FRM_CRect(0, 0, 120, 40));
    EXPECT_EQ(level.GetStartPoint(), FRM_CPoint(5, 35)) << "equal heights: the start goes down";
    EXPECT_EQ(level.GetEndPoint(), FRM_CPoint(115, 5));
    // A wide pen with an arrow pads by 16: 8 pixels off the line is inside the frame.
    FRM_CLine wide(itsWindow, FRM_CPoint(0, 20), FRM_CPoint(100, 20));
    SetPenWidth(&wide, 8);
    wide.SetArrows(1, 0);
    EXPECT_EQ(wide.GetFrame(), FRM_CRect(-16, 4, 116, 36));
    EXPECT_EQ(wide.HitTest(FRM_CPoint(50, 27)), 1);
    EXPECT_EQ(wide.HitTest(FRM_CPoint(50, 28)), 0) << "8 pixels from the line";
}

TEST_F(ShapesTest, PolygonEdgesAreHitAlsoWhenHorizontalOrVertical)
{
    const FRM_CPoint points[] = {{10, 10}, {50, 10}, {50, 40}, {10, 40}};
    struct Case {
        const char* why;
        short filled;
        FRM_CPoint at;
        short hit;
    };
    const Case cases[] = {
        {"on the horizontal top edge", 0, {30, 11}, 1},
        {"beside the vertical right edge", 0, {47, 25}, 1},
        {"on the bottom edge", 0, {20, 40}, 1},
        {"inside, far from every edge", 0, {30, 25}, 0},
        {"the gap of an open polygon", 0, {11, 25}, 0},
        {"the closing edge of a filled one", 1, {11, 25}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CPolygon polygon(itsWindow, points, 4);
        polygon.IPolygon(c.filled, 1, 0);
        EXPECT_EQ(polygon.HitTest(c.at), c.hit);
    }
}

TEST_F(ShapesTest, RescalingPolygonsAlsoWhenTheFrameIsOnePixel)
{
    const FRM_CPoint points[] = {{10, 10}, {30, 20}, {50, 10}};
    FRM_CPolygon polygon(itsWindow, points, 3);
    const FRM_CRect frame = polygon.GetFrame();
    polygon.Size(FRM_CRect(frame.Left(), frame.Top(), frame.Left() + 2 * frame.Width() - 1,
                           frame.Bottom()));
    RWOrdered scaled = polygon.GetPoints();
    ASSERT_EQ(scaled.entries(), 3U);
    EXPECT_EQ(PointAt(scaled, 1), FRM_CPoint(50, 20)) << "twice as far";
    EXPECT_EQ(PointAt(scaled, 2), FRM_CPoint(90, 10));

    const FRM_CPoint column[] = {{10, 10}, {10, 30}};
    FRM_CPolygon thin(itsWindow, column, 2);
    thin.Size(FRM_CRect(20, 10, 21, 50));
    RWOrdered moved = thin.GetPoints();
    EXPECT_EQ(PointAt(moved, 0), FRM_CPoint(20, 10)) << "moved, not divided";

    FrmErrorCapture errors;
    FRM_CPolygon none(itsWindow, static_cast<const FRM_CPoint*>(nullptr), 3);
    FRM_CPolygon noList(itsWindow, static_cast<const RWOrdered*>(nullptr));
    ASSERT_EQ(errors.Reports().size(), 2U);
    EXPECT_EQ(errors.Reports()[0].code, 1600);
    EXPECT_EQ(errors.Reports()[1].code, 1601);
    EXPECT_EQ(none.GetNumberOfPoints(), 0);
}

TEST_F(ShapesTest, RegularPolygonsAreComputedFromTheStartEveryTime)
{
    FRM_CRegularPoly square(itsWindow, FRM_CPoint(50, 50), 10, 4, 0);
    RWOrdered points = square.GetPoints();
    const std::vector<FRM_CPoint> expected = {{60, 50}, {50, 59}, {40, 50}, {49, 40}, {60, 50}};
    ASSERT_EQ(points.entries(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(PointAt(points, i), expected[i]) << i;

    square.SetNumberOfSides(2);
    EXPECT_EQ(square.GetNumberOfSides(), 3);
    square.Rotate(90);
    EXPECT_NEAR(square.GetStartingAngle(), 90, 0.001);
    // Many turns leave every vertex computed and on the circle.
    for (int i = 0; i < 4000; ++i)
        square.Rotate(7.3F);
    RWOrdered turned = square.GetPoints();
    for (std::size_t i = 0; i < turned.entries(); ++i) {
        const FRM_CPoint point = PointAt(turned, i);
        EXPECT_NEAR(std::hypot(point.H() - 50, point.V() - 50), 10, 1.5) << i;
    }
    square.Size(FRM_CRect(40, 40, 80, 60));
    EXPECT_EQ(square.GetFrame(), FRM_CRect(40, 40, 80, 80)) << "the width changed: it decides";
}

TEST_F(ShapesTest, AWindowOfShapesAsAPicture)
{
    auto* rectangle = new FRM_CRectangle(itsWindow, FRM_CRect(10, 10, 90, 60));
    rectangle->IRectangle(1, 8, 8, 1, 0);
    auto* square = new FRM_CSquare(itsWindow, FRM_CPoint(100, 10), 50);
    square->ISquare(0, 0, 0, 1, 0);
    auto* line = new FRM_CLine(itsWindow, FRM_CPoint(10, 80), FRM_CPoint(140, 120));
    line->ILine(0, 1, 1, 0);
    auto* hexagon = new FRM_CRegularPoly(itsWindow, FRM_CPoint(220, 60), 40, 6, 0);
    hexagon->IRegularPoly(6, 0, 1, 0);
    const FRM_CPoint zigzag[] = {{170, 130}, {200, 170}, {230, 130}, {260, 170}};
    auto* polyline = new FRM_CPolygon(itsWindow, zigzag, 4);
    polyline->IPolygon(0, 1, 0);
    vkok_app_process_pending_events();
    itsWindow->DoDraw(FRM_CObjectRWC::GetG()->GetMAXRect());
    WINDOW handle = itsWindow->GetVKOWindow();
    const unsigned background = vkov_debug_surface_pixel(handle, 5, 195) & 0xFFFFFF;
    EXPECT_NE(vkov_debug_surface_pixel(handle, 125, 10) & 0xFFFFFF, background) << "square top";
    EXPECT_NE(vkov_debug_surface_pixel(handle, 260, 60) & 0xFFFFFF, background) << "hexagon";

    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) +
                             "frm_views_shapes.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
}

} // namespace
