// Tests of movable global memory: handles, lock counts, resizing, the moving mode and
// refusal of dead handles.
#include <gtest/gtest.h>

#include <cstring>

#include "vkobase/gmem.h"
#include "vkobase/mem.h"
#include "vkobase/testing.h"

namespace {

class GmemTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    void TearDown() override { vkov_test_reset_all(); }
};

TEST_F(GmemTest, LockCountsAndContentsSurviveResizing) {
    GHANDLE h = vkov_gmem_alloc(4);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(vkov_gmem_get_size(h), 4u);
    auto *p = static_cast<char *>(vkov_gmem_lock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::memcmp(p, "\0\0\0\0", 4), 0) << "new blocks are zero-filled";
    std::memcpy(p, "abcd", 4);
    EXPECT_EQ(vkov_gmem_lock(h), p) << "a second lock answers the same address";
    EXPECT_EQ(vkov_gmem_test_lock_count(h), 2);
    EXPECT_TRUE(vkov_gmem_unlock(h));
    EXPECT_TRUE(vkov_gmem_unlock(h));
    EXPECT_FALSE(vkov_gmem_unlock(h)) << "more unlocks than locks";

    EXPECT_EQ(vkov_gmem_realloc(h, 8), h) << "the handle stays";
    EXPECT_EQ(vkov_gmem_get_size(h), 8u);
    p = static_cast<char *>(vkov_gmem_lock(h));
    EXPECT_EQ(std::memcmp(p, "abcd\0\0\0\0", 8), 0) << "kept contents, zeroed growth";
    vkov_gmem_unlock(h);
    EXPECT_EQ(vkov_gmem_realloc(h, 2), h);
    p = static_cast<char *>(vkov_gmem_lock(h));
    EXPECT_EQ(std::memcmp(p, "ab", 2), 0);
    vkov_gmem_unlock(h);
    EXPECT_TRUE(vkov_gmem_free(h));
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_GMEM), 0);
}

TEST_F(GmemTest, MovingModeChangesTheAddressAtTheLastUnlock) {
    vkov_gmem_test_set_moving(TRUE);
    GHANDLE h = vkov_gmem_alloc(16);
    auto *first = static_cast<char *>(vkov_gmem_lock(h));
    std::strcpy(first, "kept");
    vkov_gmem_lock(h);
    vkov_gmem_unlock(h);
    EXPECT_EQ(vkov_gmem_lock(h), first) << "an inner unlock does not move the block";
    vkov_gmem_unlock(h);
    vkov_gmem_unlock(h);
    auto *second = static_cast<char *>(vkov_gmem_lock(h));
    EXPECT_NE(second, first) << "the last unlock moved the block";
    EXPECT_STREQ(second, "kept");
    vkov_gmem_unlock(h);
    vkov_gmem_free(h);
}

TEST_F(GmemTest, DeadHandlesAnswerNeutralValues) {
    GHANDLE freed = vkov_gmem_alloc(8);
    ASSERT_TRUE(vkov_gmem_free(freed));
    int not_a_block = 0;
    const struct {
        const char *why;
        GHANDLE h;
    } cases[] = {
        {"null", nullptr},
        {"freed", freed},
        {"foreign", reinterpret_cast<GHANDLE>(&not_a_block)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkov_gmem_lock(c.h), nullptr);
        EXPECT_FALSE(vkov_gmem_unlock(c.h));
        EXPECT_EQ(vkov_gmem_realloc(c.h, 4), nullptr);
        EXPECT_EQ(vkov_gmem_get_size(c.h), 0u);
        EXPECT_FALSE(vkov_gmem_free(c.h));
    }
    EXPECT_EQ(not_a_block, 0);
}

TEST_F(GmemTest, InjectedFailureAndResetLeaveNoBlock) {
    vkov_mem_test_fail_after(0);
    EXPECT_EQ(vkov_gmem_alloc(8), nullptr);
    GHANDLE h = vkov_gmem_alloc(8);
    ASSERT_NE(h, nullptr);
    vkov_mem_test_fail_after(0);
    EXPECT_EQ(vkov_gmem_realloc(h, 64), nullptr);
    EXPECT_EQ(vkov_gmem_get_size(h), 8u) << "a failed resize keeps the block";
    vkov_gmem_lock(h);
    vkov_test_reset_all();
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_GMEM), 0);
    EXPECT_EQ(vkov_gmem_get_size(h), 0u) << "the reset freed the locked block";
}

} // namespace
