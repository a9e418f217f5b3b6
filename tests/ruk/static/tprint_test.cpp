// Tests of the print family against the recording double: update refusal of every member,
// the record and argument checks in order, and the neutral results.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

class TprintTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
    s_printrcd* record() { return reinterpret_cast<s_printrcd*>(&itsRecordStorage); }

private:
    int itsRecordStorage = 0;
};

TEST_F(TprintTest, PageSettings_CheckRecordThenValue) {
    struct Case {
        const char* why;
        bool null_record;
        int orientation;
        double width, height;
        std::uint32_t orient_code, size_code;
    };
    const Case cases[] = {
        {"good values forward", false, 1, 8.5, 11.0, 0, 0},
        {"null record comes before a bad value", true, 2, 0.0, 0.0, 0x210000, 0x210000},
        {"orientation 2 and a zero height", false, 2, 8.5, 0.0, 0x220000, 0x220000},
        {"a negative size is the base library's to judge", false, 0, -1.0, -2.0, 0, 0},
        {"a zero width", false, 0, 0.0, 11.0, 0, 0x220000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        s_printrcd* rcd = c.null_record ? nullptr : record();
        base().SetResult("vkok_print_set_page_orient", TRUE);
        base().SetResult("vkok_print_set_page_size", TRUE);
        EXPECT_EQ(vko_print_set_page_orient(rcd, c.orientation), c.orient_code ? FALSE : TRUE);
        EXPECT_EQ(base().TakeLastReportCode(), c.orient_code);
        EXPECT_EQ(base().TakeForwarded("vkok_print_set_page_orient"), c.orient_code == 0);
        EXPECT_EQ(vko_print_set_page_size(rcd, c.width, c.height, 3, 0),
                  c.size_code ? FALSE : TRUE);
        EXPECT_EQ(base().TakeLastReportCode(), c.size_code);
        EXPECT_EQ(base().TakeForwarded("vkok_print_set_page_size"), c.size_code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TprintTest, NullRecord_IsReportedByEveryRecordMember) {
    vko_print_destroy(nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    EXPECT_EQ(vko_print_is_valid(nullptr), FALSE);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    EXPECT_EQ(vko_print_open_page(nullptr), FALSE);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    EXPECT_EQ(vko_print_create_win(record(), nullptr), nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    EXPECT_EQ(base().LastReport(), nullptr);
    EXPECT_EQ(base().MarkedNames().back(), "vko_print_create_win");
    EXPECT_TRUE(base().ErrorFrameBalanced());
    EXPECT_FALSE(base().Forwarded("vkok_print_destroy"));
}

// The print loop calls back into the layer; the inner call marks and unmarks inside the
// outer pair.
TEST_F(TprintTest, StartThread_NestedLayerCallsKeepTheFrameBalanced) {
    base().SetResponder("vkok_print_start_thread", [](const base_double::Call&) {
        EXPECT_EQ(base().FrameDepth(), 1);
        vko_print_is_valid(nullptr);
        EXPECT_EQ(base().FrameDepth(), 1);
        return base_double::Answer{true, TRUE, 0.0};
    });
    EXPECT_EQ(vko_print_start_thread(nullptr, 0), TRUE);
    const std::vector<std::string> marked = {"vko_print_start_thread", "vko_print_is_valid"};
    EXPECT_EQ(base().MarkedNames(), marked);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

} // namespace
