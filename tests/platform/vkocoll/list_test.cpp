// Tests of the generic pointer lists and their iterators.
#include "vkocoll/dlist.h"
#include "vkocoll/generic.h"
#include "vkocoll/slist.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> values(RWPtrList& list)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < list.entries(); ++i)
        out.push_back(*static_cast<int*>(list.at(i)));
    return out;
}

bool equalInt(const void* item, const void* data)
{
    return *static_cast<const int*>(item) == *static_cast<const int*>(data);
}

TEST(PtrListTest, InsertsRemovesAndFinds)
{
    int n[6] = {0, 1, 2, 3, 4, 5};
    RWSlist list;
    EXPECT_EQ(list.first(), nullptr);
    EXPECT_EQ(list.get(), nullptr);
    list.append(&n[2]);
    list.prepend(&n[0]);
    list.insertAt(1, &n[1]);
    list.insert(&n[3]);
    EXPECT_THROW(list.insertAt(9, &n[4]), RWBoundsErr);
    EXPECT_THROW(list.at(4), RWBoundsErr);
    EXPECT_EQ(values(list), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(list.first(), &n[0]);
    EXPECT_EQ(list.last(), &n[3]);

    int copy_of_two = 2;
    EXPECT_TRUE(list.contains(equalInt, &copy_of_two));
    EXPECT_FALSE(list.containsReference(&copy_of_two));
    EXPECT_EQ(list.removeReference(&copy_of_two), nullptr) << "removal is by identity";
    EXPECT_EQ(list.removeReference(&n[2]), &n[2]);
    EXPECT_EQ(list.get(), &n[0]);
    EXPECT_EQ(values(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.entries(), 2u);
}

TEST(PtrListTest, IteratorRemovesAndInsertsInPlace)
{
    int n[6] = {0, 1, 2, 3, 4, 5};
    RWDlist list;
    for (int& v : n)
        list.append(&v);
    RWDlistIterator it(list);
    EXPECT_EQ(it.key(), nullptr);
    // Remove the even values during the walk.
    while (void* item = it()) {
        if (*static_cast<int*>(item) % 2 == 0) {
            EXPECT_EQ(it.remove(), item);
        }
    }
    EXPECT_EQ(values(list), (std::vector<int>{1, 3, 5}));

    it.reset();
    EXPECT_EQ(it.findNextReference(&n[3]), &n[3]);
    it.insertAfterPoint(&n[4]);
    EXPECT_EQ(it.key(), &n[4]);
    EXPECT_EQ(it--, &n[3]);
    EXPECT_EQ(it--, &n[1]);
    EXPECT_EQ(it--, nullptr) << "stepping back past the first";
    EXPECT_EQ(it(), &n[1]) << "and from before the start, forward again";
    it.toLast();
    EXPECT_TRUE(it.atLast());
    EXPECT_EQ(it.key(), &n[5]);
    EXPECT_EQ(values(list), (std::vector<int>{1, 3, 4, 5}));
}

struct Tool {
    int id;
};

bool hasId(const Tool* tool, const void* id) { return tool->id == *static_cast<const int*>(id); }

TEST(PtrListTest, TypedListsAndVector)
{
    Tool a{1}, b{2}, c{3};
    RWGSlist<Tool> tools;
    tools.append(&a);
    tools.append(&c);
    tools.insertAt(1, &b);
    const int wanted = 3;
    EXPECT_EQ(tools.find(hasId, &wanted), &c);
    EXPECT_EQ(tools.index(hasId, &wanted), 2u);
    EXPECT_EQ(tools.last(), &c);
    RWGSlistIterator<Tool> next(tools);
    EXPECT_EQ(next(), &a);
    EXPECT_EQ(next.remove(), &a);
    EXPECT_EQ(tools.first(), &b);

    RWGDlist<Tool> panes;
    panes.append(&a);
    panes.append(&b);
    RWGDlistIterator<Tool> walk(panes);
    walk.toLast();
    EXPECT_EQ(walk--, &a);

    RWGVector<Tool> tabs(4);
    EXPECT_EQ(tabs.length(), 4u);
    tabs[3].id = 9;
    tabs.resize(6);
    EXPECT_EQ(tabs[3].id, 9);
    EXPECT_EQ(tabs[5].id, 0);
    EXPECT_THROW(tabs[6], RWBoundsErr);
}

} // namespace
