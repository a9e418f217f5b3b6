// Tests of IdList, its node pool and the scratch buffer.
#include "engine/idlist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

std::vector<std::uint32_t> values_of(const IdList& list)
{
    std::vector<std::uint32_t> out;
    for (const IdNode* node = list.head(); node != nullptr; node = node->next)
        out.push_back(node->value);
    return out;
}

// Checks that the links agree in both directions with head, tail and count.
void expect_linked(const IdList& list)
{
    std::uint32_t n = 0;
    const IdNode* prev = nullptr;
    for (const IdNode* node = list.head(); node != nullptr; node = node->next, ++n) {
        EXPECT_EQ(node->prev, prev);
        prev = node;
    }
    EXPECT_EQ(list.tail(), prev);
    EXPECT_EQ(list.count(), n);
}

TEST(IdList, SortUniqueKeepsOneOfEachValue)
{
    struct Case {
        const char* why;
        std::vector<std::uint32_t> input;
        std::vector<std::uint32_t> expected;
    };
    std::vector<Case> cases = {
        {"duplicates dropped, tail is the node of the largest", {5, 3, 5, 1}, {1, 3, 5}},
        {"unsigned order", {0x80000000u, 1, 0xFFFFFFFEu}, {1, 0x80000000u, 0xFFFFFFFEu}},
        {"already sorted", {1, 2, 3}, {1, 2, 3}},
        {"single", {9}, {9}},
    };
    Case two_runs{"16,382 values with equal values far apart", {}, {}};
    for (std::uint32_t i = 0; i < 16382; ++i)
        two_runs.input.push_back((i * 7919u) % 8000u);
    for (std::uint32_t i = 0; i < 8000; ++i)
        two_runs.expected.push_back(i);
    cases.push_back(two_runs);
    Case huge{"600,000 values: more than any fixed set of sort buffers held", {}, {}};
    for (std::uint32_t i = 600000; i > 0; --i)
        huge.input.push_back(i / 2);
    for (std::uint32_t i = 0; i <= 300000; ++i)
        huge.expected.push_back(i);
    cases.push_back(huge);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        IdList list;
        for (const std::uint32_t v : c.input)
            list.push_back(v);
        list.sort_unique();
        EXPECT_EQ(values_of(list), c.expected);
        expect_linked(list);
        list.push_back(0xFFFFFFF0u);
        EXPECT_EQ(list.tail()->value, 0xFFFFFFF0u) << "push back after the sort appends";
        expect_linked(list);
    }
}

TEST(IdList, EditingKeepsTheLinksWhole)
{
    IdList list;
    EXPECT_EQ(list.pop_front(), 0u) << "pop front of an empty list gives 0";
    expect_linked(list);

    list.push_back(7);
    list.unlink(list.head());
    EXPECT_TRUE(list.empty()) << "unlinking the only node empties the list";
    EXPECT_EQ(list.head(), nullptr);
    EXPECT_EQ(list.tail(), nullptr);

    for (const std::uint32_t v : {10u, 30u, 50u})
        list.push_back(v);
    list.insert_before(list.head(), 5);          // new head
    list.insert_before(list.tail(), 40);         // before the tail
    list.insert_before(nullptr, 60);             // appends
    EXPECT_EQ(list.insert_in_order(20), 1);
    EXPECT_EQ(list.insert_in_order(40), 0) << "an equal value is not inserted";
    EXPECT_EQ(list.insert_in_order(70), 1);
    EXPECT_EQ(values_of(list), (std::vector<std::uint32_t>{5, 10, 20, 30, 40, 50, 60, 70}));
    expect_linked(list);

    list.unlink(list.tail());
    list.unlink(list.head()->next);
    EXPECT_EQ(list.pop_front(), 5u);
    EXPECT_EQ(values_of(list), (std::vector<std::uint32_t>{20, 30, 40, 50, 60}));
    expect_linked(list);

    IdList copy;
    copy.assign(list);
    copy.append_all(copy);
    EXPECT_EQ(copy.count(), 10u);
    IdList moved;
    moved.move_from(copy);
    EXPECT_TRUE(copy.empty());
    EXPECT_EQ(moved.count(), 10u);
    expect_linked(moved);

    std::vector<std::uint32_t> seen;
    moved.clear_with([](void* context, std::uint32_t v) {
        static_cast<std::vector<std::uint32_t>*>(context)->push_back(v);
    }, &seen);
    EXPECT_EQ(seen.size(), 10u);
    EXPECT_TRUE(moved.empty());
}

TEST(IdList, ClearedNodesAreReused)
{
    idlist_release_pool();
    {
        IdList list;
        for (std::uint32_t i = 0; i < 1000; ++i)
            list.push_back(i);
    }
    EXPECT_EQ(idlist_pool_size(), 1000u);
    IdList again;
    for (std::uint32_t i = 0; i < 600; ++i)
        again.push_back(i);
    EXPECT_EQ(idlist_pool_size(), 400u);
    again.clear();
    idlist_release_pool();
    EXPECT_EQ(idlist_pool_size(), 0u);
}

TEST(IdList, AppendValuesMatchesPushBackWithAndWithoutPooledNodes)
{
    struct Case {
        const char* why;
        std::vector<std::uint32_t> before;   // pushed one by one first
        std::size_t pooled;                  // nodes in the pool before the append
        std::vector<std::uint32_t> values;
    };
    const Case cases[] = {
        {"onto an empty list from the pool", {}, 10, {4, 5, 6}},
        {"onto a list, more values than pooled nodes", {1, 2}, 2, {3, 4, 5, 6, 7}},
        {"with an empty pool", {9}, 0, {10, 11}},
        {"nothing appended", {1, 2}, 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        IdList list;
        for (const std::uint32_t v : c.before)
            list.push_back(v);
        idlist_release_pool();
        {
            IdList spare;
            for (std::size_t i = 0; i < c.pooled; ++i)
                spare.push_back(0);
        }
        ASSERT_EQ(idlist_pool_size(), c.pooled);
        list.append_values(c.values.data(), c.values.size());
        std::vector<std::uint32_t> expected = c.before;
        expected.insert(expected.end(), c.values.begin(), c.values.end());
        EXPECT_EQ(values_of(list), expected);
        expect_linked(list);
        EXPECT_EQ(idlist_pool_size(), c.pooled - std::min(c.pooled, c.values.size()));
        list.push_back(99);
        EXPECT_EQ(list.tail()->value, 99u) << "the list goes on after the append";
        expect_linked(list);
    }
    idlist_release_pool();
}

TEST(Scratch, AllocatesForwardAndRefusesOverrun)
{
    char* start = scratch_reset();
    EXPECT_EQ(scratch_alloc(0), start);
    EXPECT_EQ(scratch_alloc(100), start + 100);
    EXPECT_EQ(scratch_remaining(), kScratchSize - 100);
    EXPECT_EQ(scratch_reset(), start);
    EXPECT_EXIT(scratch_alloc(kScratchSize + 1), ::testing::ExitedWithCode(255),
                "buffer overrun \\(exiting\\)");
}

} // namespace
