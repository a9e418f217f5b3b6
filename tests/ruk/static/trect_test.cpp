// Tests of the rectangle family against the recording double: null rectangles and points,
// the neutral results, and the point that a refused position query leaves at (0, 0).
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

class TrectTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
};

TEST_F(TrectTest, Members_RefuseOnlyNullRectanglesAndPoints) {
    s_rct a{0, 0, 10, 10};
    s_rct b{5, 5, 20, 20};
    struct Case {
        const char *why;
        std::function<void()> call;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"height of no rectangle", [] { EXPECT_EQ(vko_rect_get_height(nullptr), -1); },
         "vkov_rect_get_height", 0x210000},
        {"width of no rectangle",
         [] { EXPECT_EQ(static_cast<uint16_t>(vko_rect_get_width(nullptr)), 65535); },
         "vkov_rect_get_width", 0x210000},
        {"an inverted rectangle is not judged",
         [] {
             s_rct r{9, 9, 0, 0};
             vko_rect_get_height(&r);
         },
         "vkov_rect_get_height", 0},
        {"intersection into no result", [&] { vko_rect_intersect(nullptr, &a, &b); },
         "vkov_rect_intersect", 0},
        {"intersection with no second", [&] { vko_rect_intersect(&a, &b, nullptr); },
         "vkov_rect_intersect", 0x210000},
        {"set in the given order", [&] { vko_rect_set(&a, 1, 2, 3, 4); }, "vkov_rect_set", 0},
        {"set no rectangle", [] { vko_rect_set(nullptr, 1, 2, 3, 4); }, "vkov_rect_set", 0x210000},
        {"offset no rectangle", [] { vko_rect_offset(nullptr, 1, 1); }, "vkov_rect_offset",
         0x210000},
        {"set position of no rectangle",
         [] { EXPECT_EQ(vko_rect_set_pos(nullptr, s_pnt{}), FALSE); }, "vkov_rect_set_pos",
         0x210000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call();
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
    vko_rect_set(&a, 1, 2, 3, 4);
    const base_double::Call *call = base().LastCall("vkov_rect_set");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[1].value, 1);
    EXPECT_EQ(call->args[4].value, 4);
}

TEST_F(TrectTest, GetPos_AnswersThePointOnEveryPath) {
    s_rct r{1, 2, 3, 4};
    s_pnt p{7, 7};
    EXPECT_EQ(vko_rect_get_pos(nullptr, &p), &p);
    EXPECT_EQ(p.v, 0);
    EXPECT_EQ(p.h, 0);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    EXPECT_EQ(vko_rect_get_pos(&r, nullptr), nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    base().SetResultPtr("vkov_rect_get_pos", &p);
    EXPECT_EQ(vko_rect_get_pos(&r, &p), &p);
    EXPECT_TRUE(base().TakeForwarded("vkov_rect_get_pos"));
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

} // namespace
