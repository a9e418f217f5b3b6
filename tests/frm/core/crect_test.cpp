// Geometry values: rectangle rules, conversions with and without current units (clamped),
// cell bounds and courses.
#include "frm/core/crect.h"

#include <gtest/gtest.h>
#include "frm/core/cunits.h"

namespace {

// Installs units as the current ones for one test.
class CurrentUnits {
public:
    explicit CurrentUnits(const FRM_CUnits* units) { FRM_CUnits::SetGlobalUnits(units); }
    ~CurrentUnits() { FRM_CUnits::SetGlobalUnits(nullptr); }
};

TEST(Rect, EmptinessAndInclusiveEdges)
{
    EXPECT_FALSE(FRM_CRect(0, 0, 10, 0).IsEmpty());
    EXPECT_TRUE(FRM_CRect(5, 5, 5, 5).IsEmpty());
    EXPECT_TRUE(FRM_CRect(0, 0, 10, 5).IsPointInRect(FRM_CPoint(10, 5)));
    EXPECT_FALSE(FRM_CRect(0, 0, 10, 5).IsPointInRect(FRM_CPoint(10.5f, 5)));
}

TEST(Rect, IntersectionAndUnion)
{
    struct Case {
        const char* why;
        FRM_CRect a, b, intersection, united;
    };
    const Case cases[] = {
        {"apart", {0, 0, 10, 10}, {20, 20, 30, 30}, {0, 0, 0, 0}, {0, 0, 30, 30}},
        {"touching edges keep zero width", {0, 0, 10, 10}, {10, 0, 20, 10}, {10, 0, 10, 10},
         {0, 0, 20, 10}},
        {"overlap", {0, 0, 10, 10}, {5, -5, 15, 5}, {5, 0, 10, 5}, {0, -5, 15, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(c.a - c.b, c.intersection);
        EXPECT_EQ(c.a & c.b, c.intersection);
        EXPECT_EQ(c.a + c.b, c.united);
    }
    FRM_CRect moved(0, 0, 2, 2);
    moved += FRM_CPoint(1, 2);
    EXPECT_EQ(moved, FRM_CRect(1, 2, 3, 4));
    EXPECT_EQ(moved.GetInflatedRect(1, 2), FRM_CRect(0, 0, 4, 6));
    EXPECT_EQ(moved.Width(5), 6);
}

TEST(Rect, ToolkitConversionsTruncateOrRoundAndClamp)
{
    const s_pnt point = FRM_CPoint(1.9f, -1.9f);
    EXPECT_EQ(point.h, 1);
    EXPECT_EQ(point.v, -1);
    const s_rct plain = FRM_CRect(0.6f, 0.6f, 1.6f, 1.6f);
    EXPECT_EQ(plain.top, 0);
    EXPECT_EQ(plain.right, 1);
    const s_rct huge = FRM_CRect(-70000, 40000, 1e9f, -1e9f);
    EXPECT_EQ(huge.left, -32768);
    EXPECT_EQ(huge.top, 32767);
    EXPECT_EQ(huge.right, 32767);
    EXPECT_EQ(huge.bottom, -32768);

    const FRM_CUnits units;
    const CurrentUnits current(&units);
    const s_rct rounded = FRM_CRect(0.6f, 0.6f, 1.6f, 1.6f);
    EXPECT_EQ(rounded.top, 1);
    EXPECT_EQ(rounded.left, 1);
    EXPECT_EQ(rounded.bottom, 2);
    EXPECT_EQ(rounded.right, 2);
    const s_pnt far = FRM_CPoint(1e6f, 0);
    EXPECT_EQ(far.h, 32767);
}

TEST(Rect, ToolkitRecordsReadThroughTheCurrentUnits)
{
    const s_rct pixels{10, 20, 30, 40};   // top, left, bottom, right
    EXPECT_EQ(FRM_CRect(pixels), FRM_CRect(20, 10, 40, 30));
    const FRM_CUnits units(2, 5, 1, 1, FRM_CUnits::kScreen);
    const CurrentUnits current(&units);
    EXPECT_EQ(FRM_CRect(pixels), FRM_CRect(10, 2, 20, 6));
    const s_pnt where{10, 4};   // v, h
    EXPECT_EQ(FRM_CPoint(where), FRM_CPoint(2, 2));
}

TEST(Bounds, ContainsUnionAndIntersection)
{
    const FRM_CBounds empty;
    EXPECT_EQ(empty.Union(FRM_CCell(3, 2)), FRM_CBounds(2, 3, 3, 4));
    const FRM_CBounds box(1, 1, 4, 5);
    EXPECT_TRUE(box.Contains(FRM_CCell(4, 3)));
    EXPECT_FALSE(box.Contains(FRM_CCell(5, 3)));   // right edge exclusive
    EXPECT_EQ(box.Union(FRM_CCell(9, 0)), FRM_CBounds(0, 1, 4, 10));
    EXPECT_EQ(box.Intersection(FRM_CBounds(3, 4, 10, 10)), FRM_CBounds(3, 4, 4, 5));
    EXPECT_TRUE(box.Intersection(FRM_CBounds(6, 6, 9, 9)).IsEmpty());
    EXPECT_EQ(empty.Intersection(box), empty);
    EXPECT_EQ(empty.Union(box), box);
    EXPECT_EQ(box.BottomRight(), FRM_CCell(5, 4));
    const FRM_CCell last(0x7FFFFFFF, 0x7FFFFFFF);   // no cell beyond the table's end
    EXPECT_EQ(empty.Union(last), FRM_CBounds(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF));
}

TEST(Course, DirectionKeepsItsSignAndRollsOver)
{
    struct Case {
        int given, stored;
    };
    for (const Case c : {Case{-90, -90}, Case{450, 90}, Case{360, 0}, Case{-450, -90}}) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(FRM_CCourse(c.given, FRM_CCourse::kReach0).GetDirection(), c.stored);
    }
    EXPECT_EQ(FRM_CCourse(270, FRM_CCourse::kReach1).BorderRollOver(),
              FRM_CCourse(90, FRM_CCourse::kReach2));
    EXPECT_EQ(FRM_CCourse(45, FRM_CCourse::kReach2).BorderRollOver(),
              FRM_CCourse(45, FRM_CCourse::kReach2));
    EXPECT_EQ(FRM_CCourse(45, FRM_CCourse::kReach0).BorderRollOver(),
              FRM_CCourse(0, FRM_CCourse::kReach0));
}

} // namespace
