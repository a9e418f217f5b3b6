// Tests of the memory and global-memory families against the recording double: everything is
// forwarded under a marked frame; only the copy checks its pointers.
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

class TmemTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
};

TEST_F(TmemTest, Members_ForwardUnderTheirNamesAndTheCopyChecksPointers) {
    char dst[4];
    const char src[4] = "abc";
    struct Case {
        const char *why;
        std::function<void()> call;
        const char *name;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"free of null is the base library's", [] { vko_mem_free(nullptr); }, "vko_mem_free",
         "vkov_mem_free", 0},
        {"zeroed block", [] { vko_mem_zalloc(8); }, "vko_mem_zalloc", "vkov_mem_zalloc", 0},
        {"copy without a source", [&] { EXPECT_EQ(vko_mem_rep(dst, nullptr, 4, 1), nullptr); },
         "vko_mem_rep", "vkov_mem_rep", 0x210000},
        {"copy without a destination", [&] { vko_mem_rep(nullptr, src, 4, 1); }, "vko_mem_rep",
         "vkov_mem_rep", 0x210000},
        {"copy", [&] { vko_mem_rep(dst, src, 4, 1); }, "vko_mem_rep", "vkov_mem_rep", 0},
        {"global block of a null handle", [] { vko_gmem_lock(nullptr); }, "vko_gmem_lock",
         "vkov_gmem_lock", 0},
        {"global size", [] { vko_gmem_get_size(nullptr); }, "vko_gmem_get_size",
         "vkov_gmem_get_size", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call();
        EXPECT_EQ(base().MarkedNames().back(), c.name);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

} // namespace
