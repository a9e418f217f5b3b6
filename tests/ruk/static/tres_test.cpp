// Tests of the resource family against the recording double: loaders pass through, null names
// and trees are refused, and removing no resource file is answered quietly.
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

class TresTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
};

TEST_F(TresTest, Members_RefuseNullPointersAndPassLoadersThrough) {
    char buf[8];
    struct Case {
        const char *why;
        std::function<void()> call;
        const char *target;
        std::uint32_t code;
        bool forwarded;
    };
    const Case cases[] = {
        {"an unknown definition is the base library's",
         [] { EXPECT_EQ(vko_res_get_win_def(9999), nullptr); }, "vkov_res_get_win_def", 0, true},
        {"a string into no buffer", [] { vko_res_get_str(1, nullptr, 8); }, "vkov_res_get_str",
         0x210000, false},
        {"a string into a buffer of size 0", [&] { vko_res_get_str(1, buf, 0); },
         "vkov_res_get_str", 0x1250004, false},
        {"a string", [&] { vko_res_get_str(1, buf, 8); }, "vkov_res_get_str", 0, true},
        {"free no tree", [] { vko_res_free_menu_tree(nullptr); }, "vkov_res_free_menu_tree",
         0x210000, false},
        {"free no definition", [] { vko_res_free_win_def(nullptr); }, "vkov_res_free_win_def",
         0x210000, false},
        {"add no file", [] { EXPECT_EQ(vko_res_add_res(nullptr), 0); }, "vkok_res_add_res",
         0x210000, false},
        {"use no file", [] { vko_res_use_res(nullptr); }, "vkok_res_use_res", 0x210000, false},
        {"remove no file: quiet", [] { EXPECT_EQ(vko_res_remove_res(nullptr), FALSE); },
         "vkok_res_remove_res", 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call();
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.forwarded);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

} // namespace
