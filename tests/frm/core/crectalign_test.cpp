// Rectangle alignment: edges, centring, even spacing and packing into rows and columns.
#include "frm/core/crectalign.h"

#include <gtest/gtest.h>
#include <vector>
#include "frm/core/cvaluerwc.h"

namespace {

// Owns the wrappers that an alignment works on.
class Rects {
public:
    explicit Rects(const std::vector<FRM_CRect>& rects)
    {
        for (const FRM_CRect& r : rects)
            itsList.insert(new FRM_CRectRWC(r));
    }
    ~Rects() { itsList.clearAndDestroy(); }
    const RWOrdered& List() const { return itsList; }
    std::vector<FRM_CRect> Now() const
    {
        std::vector<FRM_CRect> now;
        for (std::size_t i = 0; i < itsList.entries(); ++i)
            now.push_back(*static_cast<FRM_CRectRWC*>(itsList[i]));
        return now;
    }

private:
    RWOrdered itsList;
};

TEST(RectAlignment, EdgesAndCentresFollowTheUnion)
{
    using Op = void (FRM_CRectAlignment::*)();
    struct Case {
        const char* why;
        Op op;
        std::vector<FRM_CRect> after;
    };
    const Case cases[] = {
        {"left", &FRM_CRectAlignment::ToLeft, {{10, 0, 20, 5}, {10, 10, 15, 20}}},
        {"right", &FRM_CRectAlignment::ToRight, {{25, 0, 35, 5}, {30, 10, 35, 20}}},
        {"top", &FRM_CRectAlignment::ToTop, {{10, 0, 20, 5}, {30, 0, 35, 10}}},
        {"bottom", &FRM_CRectAlignment::ToBottom, {{10, 15, 20, 20}, {30, 10, 35, 20}}},
        {"centre", &FRM_CRectAlignment::ToCenter, {{17.5f, 0, 27.5f, 5}, {20, 10, 25, 20}}},
        {"same width", &FRM_CRectAlignment::ToSameWidth, {{10, 0, 20, 5}, {30, 10, 40, 20}}},
        {"middle", &FRM_CRectAlignment::ToMiddle, {{10, 7.5f, 20, 12.5f}, {30, 5, 35, 15}}},
        {"same height", &FRM_CRectAlignment::ToSameHeight, {{10, 0, 20, 5}, {30, 10, 35, 15}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const Rects rects({{10, 0, 20, 5}, {30, 10, 35, 20}});
        FRM_CRectAlignment alignment(rects.List());
        (alignment.*c.op)();
        EXPECT_EQ(rects.Now(), c.after);
    }
}

TEST(RectAlignment, PageCentringUsesThePageNotTheUnion)
{
    const FRM_CRect page(0, 0, 100, 50);
    {
        const Rects rects({{10, 0, 20, 5}, {30, 10, 35, 20}});
        FRM_CRectAlignment(rects.List()).ToPageCenter(page);
        EXPECT_EQ(rects.Now(), (std::vector<FRM_CRect>{{45, 0, 55, 5}, {47.5f, 10, 52.5f, 20}}));
    }
    {
        const Rects rects({{10, 0, 20, 5}, {30, 10, 35, 20}});
        FRM_CRectAlignment(rects.List()).ToPageMiddle(page);
        EXPECT_EQ(rects.Now(), (std::vector<FRM_CRect>{{10, 22.5f, 20, 27.5f}, {30, 20, 35, 30}}));
    }
}

TEST(RectAlignment, EvenSpacingKeepsTheOutermostInPlace)
{
    const Rects rects({{90, 0, 100, 5}, {0, 0, 10, 5}, {15, 0, 25, 5}});
    FRM_CRectAlignment alignment(rects.List());
    alignment.ToEvenHorizontal();
    EXPECT_EQ(rects.Now(), (std::vector<FRM_CRect>{{90, 0, 100, 5}, {0, 0, 10, 5}, {45, 0, 55, 5}}));

    const Rects one({{3, 3, 4, 4}});
    FRM_CRectAlignment single(one.List());
    single.ToEvenVertical();
    EXPECT_EQ(one.Now(), (std::vector<FRM_CRect>{{3, 3, 4, 4}}));
}

// Rectangles billions of units apart: a comparison of truncated differences overflows
// there and takes one end for the other.
TEST(RectAlignment, EvenSpacingOrdersRectanglesFarApart)
{
    struct Case {
        const char* why;
        void (FRM_CRectAlignment::*op)();
        std::vector<FRM_CRect> before;
        std::size_t first, middle, last; // indexes in before, by position
    };
    const Case cases[] = {
        {"across", &FRM_CRectAlignment::ToEvenHorizontal,
         {{0, 0, 1024, 5}, {3e9f, 0, 3e9f + 1024, 5}, {1e9f, 0, 1e9f + 1024, 5}}, 0, 2, 1},
        {"down", &FRM_CRectAlignment::ToEvenVertical,
         {{0, 3e9f, 5, 3e9f + 1024}, {0, -3e9f, 5, -3e9f + 1024}, {0, 0, 5, 1024}}, 1, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const bool across = c.op == &FRM_CRectAlignment::ToEvenHorizontal;
        const auto start = [across](const FRM_CRect& r) { return across ? r.Left() : r.Top(); };
        const auto end = [across](const FRM_CRect& r) { return across ? r.Right() : r.Bottom(); };
        const Rects rects(c.before);
        FRM_CRectAlignment alignment(rects.List());
        (alignment.*c.op)();
        const std::vector<FRM_CRect> now = rects.Now();
        EXPECT_EQ(now[c.first], c.before[c.first]) << "the first one stays";
        EXPECT_EQ(now[c.last], c.before[c.last]) << "the last one stays";
        // The middle one sits halfway: equal gaps on both sides, within float rounding.
        const double gapBefore = static_cast<double>(start(now[c.middle])) - end(now[c.first]);
        const double gapAfter = static_cast<double>(start(now[c.last])) - end(now[c.middle]);
        EXPECT_GT(gapBefore, 0);
        EXPECT_NEAR(gapBefore, gapAfter, 1024);
    }
}

TEST(RectAlignment, PackingWrapsWhenTheRestIsNotWider)
{
    struct Case {
        const char* why;
        std::vector<FRM_CRect> before;
        std::vector<FRM_CRect> after;
        float height;
    };
    const Case cases[] = {
        {"third of three wraps",
         {{0, 0, 40, 10}, {0, 1, 40, 11}, {0, 2, 40, 12}},
         {{0, 0, 40, 10}, {40, 0, 80, 10}, {0, 10, 40, 20}},
         20},
        {"exactly the room left also wraps",
         {{0, 0, 50, 10}, {0, 1, 50, 11}},
         {{0, 0, 50, 10}, {0, 10, 50, 20}},
         20},
        {"wider than the page goes to its left", {{30, 0, 150, 8}}, {{0, 0, 120, 8}}, 8},
        {"nothing to pack", {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const Rects rects(c.before);
        FRM_CRectAlignment alignment(rects.List());
        EXPECT_EQ(alignment.PackHeight(FRM_CRect(0, 0, 100, 500)), c.height);
        EXPECT_EQ(rects.Now(), c.after);
    }
}

TEST(RectAlignment, PackingTakesEqualRectanglesLastFirst)
{
    // Each rectangle goes before the first placed one it does not follow: equal ones reverse.
    const Rects rects({{0, 0, 40, 10}, {0, 0, 40, 10}, {0, 0, 40, 10}});
    FRM_CRectAlignment alignment(rects.List());
    EXPECT_EQ(alignment.PackHeight(FRM_CRect(0, 0, 100, 500)), 20);
    EXPECT_EQ(rects.Now(),
              (std::vector<FRM_CRect>{{0, 10, 40, 20}, {40, 0, 80, 10}, {0, 0, 40, 10}}));
}

TEST(RectAlignment, PackingColumnsSwapsTheAxes)
{
    const Rects rects({{0, 0, 10, 40}, {1, 0, 11, 40}, {2, 0, 12, 40}});
    FRM_CRectAlignment alignment(rects.List());
    EXPECT_EQ(alignment.PackWidth(FRM_CRect(5, 0, 500, 100)), 20);
    EXPECT_EQ(rects.Now(),
              (std::vector<FRM_CRect>{{5, 0, 15, 40}, {5, 40, 15, 80}, {15, 0, 25, 40}}));
}

TEST(RectAlignment, OrderingTable)
{
    struct Case {
        const char* why;
        FRM_CRect a, b;
        FRM_CRectAlignment::RectOrdering ordering;
        short less;
    };
    const Case cases[] = {
        {"higher and ending higher", {0, 0, 5, 5}, {0, 1, 5, 6}, FRM_CRectAlignment::kVertical, 1},
        {"same top, further left", {0, 0, 5, 5}, {1, 0, 5, 9}, FRM_CRectAlignment::kVertical, 1},
        {"inside and further left", {0, 2, 5, 4}, {1, 1, 5, 9}, FRM_CRectAlignment::kVertical, 1},
        {"same rectangle", {0, 0, 5, 5}, {0, 0, 5, 5}, FRM_CRectAlignment::kVertical, 0},
        {"left and ending left", {0, 0, 5, 5}, {1, 0, 6, 5}, FRM_CRectAlignment::kHorizontal, 1},
        {"unknown ordering", {0, 0, 5, 5}, {1, 1, 6, 6}, FRM_CRectAlignment::RectOrdering(7), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(FRM_CRectAlignment::RectIsLessThan(&c.a, &c.b, c.ordering), c.less);
    }
}

} // namespace
