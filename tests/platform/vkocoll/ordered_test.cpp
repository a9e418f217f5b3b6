// Tests of RWOrdered and the collection conversions: identity against value removal,
// destroying each item once, and index errors.
#include "vkocoll/ordered.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "vkocoll/collstr.h"

namespace {

// Counts its destructions, so a test can tell an item destroyed twice from once.
class Tracked : public RWCollectable {
public:
    explicit Tracked(std::multiset<const Tracked*>* deaths) : deaths_(deaths) {}
    ~Tracked() override { deaths_->insert(this); }

private:
    std::multiset<const Tracked*>* deaths_;
};

std::vector<std::string> texts(const RWCollection& c)
{
    std::vector<std::string> out;
    RWOrdered copy = c.asOrderedCollection();
    RWOrderedIterator next(copy);
    while (RWCollectable* item = next())
        out.emplace_back(static_cast<RWCollectableString*>(item)->data());
    return out;
}

TEST(OrderedTest, RemoveByValueAgainstByIdentity)
{
    RWCollectableString first("same");
    RWCollectableString second("same");
    RWCollectable plain_a;
    RWCollectable plain_b;

    RWOrdered list;
    list.insert(&first);
    list.insert(&second);
    list.insert(&plain_a);
    list.insert(&plain_b);

    EXPECT_EQ(list.remove(&second), &first) << "remove takes the first equal item";
    EXPECT_EQ(list.removeReference(&first), nullptr) << "first is gone already";
    EXPECT_EQ(list.removeReference(&second), &second);
    EXPECT_EQ(list.entries(), 2u);

    RWCollectable stranger;
    EXPECT_FALSE(list.contains(&stranger)) << "plain objects are equal only to themselves";
    EXPECT_EQ(list.index(&plain_b), 1u);
    EXPECT_EQ(list.remove(&plain_b), &plain_b);
    EXPECT_EQ(list.index(&plain_b), RW_NPOS);
    EXPECT_EQ(list.remove(&stranger), nullptr);
}

TEST(OrderedTest, KeepsInsertionOrderAndPositions)
{
    RWCollectableString b("b"), a("a"), c("c"), z("z");
    RWOrdered list;
    EXPECT_EQ(list.first(), nullptr);
    EXPECT_EQ(list.insert(&b), &b);
    list.append(&c);
    list.prepend(&a);
    list.insertAt(3, &z);
    EXPECT_EQ(texts(list), (std::vector<std::string>{"a", "b", "c", "z"}));
    EXPECT_EQ(list.first(), &a);
    EXPECT_EQ(list.last(), &z);
    EXPECT_EQ(list[1], &b);
    EXPECT_EQ(list.removeAt(1), &b);

    RWOrderedIterator next(list);
    EXPECT_EQ(next.key(), nullptr);
    EXPECT_EQ(next(), &a);
    EXPECT_EQ(next.key(), &a);
    EXPECT_EQ(next.findNext(&z), &z);
    EXPECT_EQ(next(), nullptr);
    next.reset();
    EXPECT_EQ(next(), &a);
}

TEST(OrderedTest, IndexErrorsThrowBoundsErr)
{
    RWCollectable item;
    RWOrdered list;
    list.insert(&item);
    const RWOrdered& read_only = list;
    EXPECT_THROW(static_cast<void>(list[1]), RWBoundsErr);
    EXPECT_THROW(static_cast<void>(read_only.at(1)), RWBoundsErr);
    EXPECT_THROW(list.insertAt(2, &item), RWBoundsErr);
    EXPECT_THROW(list.removeAt(5), RWBoundsErr);
    EXPECT_NO_THROW(list.insertAt(1, &item));
}

TEST(OrderedTest, ClearAndDestroyDestroysEachItemOnce)
{
    std::multiset<const Tracked*> deaths;
    auto* shared = new Tracked(&deaths);
    auto* single = new Tracked(&deaths);
    RWOrdered list;
    list.insert(shared);
    list.insert(single);
    list.insert(shared);
    list.clearAndDestroy();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(deaths.count(shared), 1u);
    EXPECT_EQ(deaths.count(single), 1u);
}

TEST(OrderedTest, ConvertsToTheOtherCollections)
{
    RWCollectableString pear("pear"), apple("apple"), pear2("pear"), fig("fig");
    RWOrdered list;
    for (RWCollectable* item : {static_cast<RWCollectable*>(&pear), static_cast<RWCollectable*>(&apple),
                                static_cast<RWCollectable*>(&pear2), static_cast<RWCollectable*>(&fig)})
        list.insert(item);

    EXPECT_EQ(texts(list.asSortedCollection()),
              (std::vector<std::string>{"apple", "fig", "pear", "pear"}));
    const RWSet set = list.asSet();
    EXPECT_EQ(set.entries(), 3u);
    EXPECT_EQ(set.find(&pear2), &pear) << "the set kept the first of two equal items";
    const RWBag bag = list.asBag();
    EXPECT_EQ(bag.entries(), 4u);
    EXPECT_EQ(bag.occurrencesOf(&pear), 2u);
    EXPECT_EQ(texts(list.asOrderedCollection()),
              (std::vector<std::string>{"pear", "apple", "pear", "fig"}));
}

} // namespace
