// Tests of plain memory: the installed memory-function table, replication and failure
// injection.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "vkobase/mem.h"
#include "vkobase/testing.h"

namespace {

int g_allocs = 0;
int g_frees = 0;
void *counting_alloc(size_t size) {
    ++g_allocs;
    return std::malloc(size);
}
void counting_free(void *block) {
    ++g_frees;
    std::free(block);
}

class MemTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        g_allocs = 0;
        g_frees = 0;
    }
    void TearDown() override { vkov_test_reset_all(); }
};

TEST_F(MemTest, FunctionTable_InstalledCopyServesAndResetRemovesIt) {
    EXPECT_EQ(vkov_mem_get_functions(), nullptr) << "none installed at start";
    s_mem_functions table{counting_alloc, nullptr, nullptr, counting_free};
    vkov_mem_set_functions(&table);
    table.alloc = nullptr; // the library keeps its own copy
    const s_mem_functions *installed = vkov_mem_get_functions();
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(installed->alloc, counting_alloc);
    EXPECT_NE(installed->zalloc, nullptr) << "missing entries fall back to the C runtime";

    void *block = vkov_mem_alloc(16);
    ASSERT_NE(block, nullptr);
    vkov_mem_free(block);
    vkov_mem_free(nullptr);
    EXPECT_EQ(g_allocs, 1);
    EXPECT_EQ(g_frees, 1) << "a null block is not handed to the table";

    vkov_mem_set_functions(nullptr);
    EXPECT_NE(vkov_mem_get_functions(), nullptr) << "null installs the defaults";
    vkov_test_reset_all();
    EXPECT_EQ(vkov_mem_get_functions(), nullptr);
}

TEST_F(MemTest, ZallocZeroesAndInjectedFailureHitsOnce) {
    auto *block = static_cast<unsigned char *>(vkov_mem_zalloc(64));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(block[i], 0) << "byte " << i;
    vkov_mem_test_fail_after(1);
    void *first = vkov_mem_alloc(8);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(vkov_mem_realloc(block, 128), nullptr) << "the second allocation fails";
    EXPECT_EQ(block[63], 0) << "a failed realloc keeps the block";
    void *third = vkov_mem_alloc(8);
    EXPECT_NE(third, nullptr) << "only one failure is injected";
    vkov_mem_free(first);
    vkov_mem_free(third);
    vkov_mem_free(block);
}

TEST_F(MemTest, Rep_WritesCountCopies) {
    struct Case {
        const char *why;
        const char *src;
        uint32_t src_size;
        uint32_t count;
        const char *expect;
    };
    const Case cases[] = {
        {"three copies of two bytes", "ab", 2, 3, "ababab"},
        {"count 0 writes nothing", "ab", 2, 0, ""},
        {"one byte", "z", 1, 4, "zzzz"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        char dst[16] = {};
        EXPECT_EQ(vkov_mem_rep(dst, c.src, c.src_size, c.count), dst);
        EXPECT_STREQ(dst, c.expect);
    }
    char dst[4];
    EXPECT_EQ(vkov_mem_rep(dst, nullptr, 1, 1), nullptr);
    EXPECT_EQ(vkov_mem_rep(nullptr, "a", 1, 1), nullptr);
}

} // namespace
