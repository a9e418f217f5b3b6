// Tests of per-module process blocks: one zeroed block per descriptor, initialised once and
// finalised in reverse order at reset.
#include <gtest/gtest.h>

#include <string>

#include "vkobase/app.h"
#include "vkobase/static.h"
#include "vkobase/testing.h"

namespace {

std::string g_log;

struct Block {
    int value;
    int initialised;
};

void init_a(void *block) {
    auto *b = static_cast<Block *>(block);
    g_log += "initA(" + std::to_string(b->value) + ")";
    b->initialised = 1;
}
void fini_a(void *) {
    g_log += "finiA";
}
void fini_b(void *) {
    g_log += "finiB";
}

s_static_desc g_desc_a{sizeof(Block), init_a, fini_a};
s_static_desc g_desc_b{sizeof(Block), nullptr, fini_b};

TEST(StaticTest, OneBlockPerDescriptorFinalisedInReverseOrder) {
    vkov_test_reset_all();
    g_log.clear();
    auto *a = static_cast<Block *>(vkok_static_get_ptr(&g_desc_a));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->initialised, 1);
    a->value = 7;
    EXPECT_EQ(vkok_static_get_ptr(&g_desc_a), a) << "the same block on later calls";
    auto *b = static_cast<Block *>(vkok_static_get_ptr(&g_desc_b));
    ASSERT_NE(b, nullptr);
    EXPECT_NE(static_cast<void *>(b), static_cast<void *>(a));
    EXPECT_EQ(b->value, 0) << "zeroed without an initialiser";
    EXPECT_EQ(vkok_static_get_ptr(nullptr), nullptr);

    vkov_test_reset_all();
    EXPECT_EQ(g_log, "initA(0)finiBfiniA") << "initialiser saw a zeroed block; reverse order";
    g_log.clear();
    auto *again = static_cast<Block *>(vkok_static_get_ptr(&g_desc_a));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->value, 0) << "a fresh block after the reset";
    EXPECT_EQ(g_log, "initA(0)");
    vkov_test_reset_all();
}

TEST(StaticTest, EndOfApplicationFinalisesBlocks) {
    vkov_test_reset_all();
    g_log.clear();
    ASSERT_NE(vkok_static_get_ptr(&g_desc_b), nullptr);
    vkowi_End();
    EXPECT_EQ(g_log, "finiB") << "finalised by the end call, not left to the exit handler";
    vkov_test_reset_all();
    EXPECT_EQ(g_log, "finiB") << "and only once";
}

} // namespace
