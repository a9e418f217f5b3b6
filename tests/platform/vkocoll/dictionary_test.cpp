// Tests of the keyed and sorted collections: both dictionaries (refusing a key held
// already, values, removal, destroying keys and values once, walking, storing), the hash
// table and set, and the sorted vector.
#include "vkocoll/btrdict.h"
#include "vkocoll/hashdict.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "vkocoll/collstr.h"
#include "vkocoll/hashtab.h"
#include "vkocoll/rwint.h"
#include "vkocoll/sortvec.h"
#include "vkocoll/vstream.h"

namespace {

// A collectable int that records its destruction.
class CountedInt : public RWCollectableInt {
public:
    CountedInt(int v, std::multiset<int>* deaths) : RWCollectableInt(v), deaths_(deaths) {}
    ~CountedInt() override { deaths_->insert(value()); }

private:
    std::multiset<int>* deaths_;
};

template <typename Dict> class DictionaryTest : public testing::Test {};
using DictionaryTypes = testing::Types<RWHashDictionary, RWBTreeDictionary>;
TYPED_TEST_SUITE(DictionaryTest, DictionaryTypes);

TYPED_TEST(DictionaryTest, RefusesAKeyHeldAlready)
{
    TypeParam dict;
    RWCollectableInt key(7);
    RWCollectableInt same_value(7);
    RWCollectableString first("first");
    RWCollectableString second("second");
    EXPECT_EQ(dict.insertKeyAndValue(&key, &first), &key);
    EXPECT_EQ(dict.insertKeyAndValue(&same_value, &second), nullptr);
    EXPECT_EQ(dict.insertKeyAndValue(nullptr, &second), nullptr) << "no nil keys";
    EXPECT_EQ(dict.entries(), 1u);
    EXPECT_EQ(dict.findValue(&same_value), &first) << "the old entry stays";

    RWCollectable* value = nullptr;
    EXPECT_EQ(dict.findKeyAndValue(&same_value, value), &key);
    EXPECT_EQ(value, &first);
    EXPECT_EQ(dict.findValue(&same_value, &second), &first) << "replacing answers the old";
    EXPECT_EQ(dict.findValue(&key), &second);

    RWCollectableInt absent(8);
    EXPECT_EQ(dict.findValue(&absent), nullptr);
    EXPECT_EQ(dict.findValue(&absent, &first), nullptr);
    EXPECT_EQ(dict.entries(), 1u) << "replacing an absent key inserts nothing";
    value = nullptr;
    EXPECT_EQ(dict.removeKeyAndValue(&absent, value), nullptr);
    EXPECT_EQ(dict.removeKeyAndValue(&same_value, value), &key);
    EXPECT_EQ(value, &second);
    EXPECT_TRUE(dict.isEmpty());
}

TYPED_TEST(DictionaryTest, ClearAndDestroyDestroysKeysAndValuesOnce)
{
    std::multiset<int> deaths;
    TypeParam dict;
    auto* shared_value = new CountedInt(100, &deaths);
    dict.insertKeyAndValue(new CountedInt(1, &deaths), shared_value);
    dict.insertKeyAndValue(new CountedInt(2, &deaths), shared_value);
    auto* self_valued = new CountedInt(3, &deaths);
    dict.insertKeyAndValue(self_valued, self_valued);
    dict.insertKeyAndValue(new CountedInt(4, &deaths), nullptr);
    dict.clearAndDestroy();
    EXPECT_EQ(dict.entries(), 0u);
    EXPECT_EQ(deaths, (std::multiset<int>{1, 2, 3, 4, 100}));

    deaths.clear();
    dict.insertKeyAndValue(new CountedInt(5, &deaths), new CountedInt(50, &deaths));
    const RWCollectableInt probe(5);
    dict.removeAndDestroy(&probe);
    EXPECT_EQ(deaths, (std::multiset<int>{5, 50}));
}

TYPED_TEST(DictionaryTest, IteratorGivesKeysAndValues)
{
    TypeParam dict;
    std::vector<std::unique_ptr<RWCollectableInt>> keep;
    for (int k : {3, 1, 2}) {
        keep.push_back(std::make_unique<RWCollectableInt>(k));
        keep.push_back(std::make_unique<RWCollectableInt>(k * 10));
        dict.insertKeyAndValue(keep[keep.size() - 2].get(), keep.back().get());
    }
    std::unique_ptr<RWIterator> generic(dict.newIterator());
    std::map<int, int> seen;
    std::vector<int> order;
    if constexpr (std::is_same_v<TypeParam, RWHashDictionary>) {
        RWHashDictionaryIterator next(dict);
        while (RWCollectable* k = next()) {
            EXPECT_EQ(next.key(), k);
            order.push_back(static_cast<RWCollectableInt*>(k)->value());
            seen[order.back()] = static_cast<RWCollectableInt*>(next.value())->value();
        }
    } else {
        RWBTreeDictionaryIterator next(dict);
        while (RWCollectable* k = next()) {
            EXPECT_EQ(next.key(), k);
            order.push_back(static_cast<RWCollectableInt*>(k)->value());
            seen[order.back()] = static_cast<RWCollectableInt*>(next.value())->value();
        }
        EXPECT_EQ(order, (std::vector<int>{1, 2, 3})) << "the b-tree walks in key order";
    }
    EXPECT_EQ(seen, (std::map<int, int>{{1, 10}, {2, 20}, {3, 30}}));
    std::size_t walked = 0;
    while ((*generic)() != nullptr)
        ++walked;
    EXPECT_EQ(walked, 3u);
}

TYPED_TEST(DictionaryTest, StoresAndRestoresPairs)
{
    TypeParam dict;
    RWCollectableString red("red");
    RWCollectableInt one(1);
    RWCollectableString blue("blue");
    dict.insertKeyAndValue(&red, &one);
    dict.insertKeyAndValue(&blue, &one);  // one value under two keys

    std::stringstream buf;
    RWbostream out(buf);
    out << static_cast<const RWCollectable&>(dict);
    RWbistream in(buf);
    RWCollectable* obj = nullptr;
    in >> obj;
    ASSERT_NE(obj, nullptr);
    auto* back = dynamic_cast<TypeParam*>(obj);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->entries(), 2u);
    RWCollectable* red_value = back->findValue(&red);
    ASSERT_NE(red_value, nullptr);
    EXPECT_TRUE(red_value->isEqual(&one));
    EXPECT_EQ(back->findValue(&blue), red_value) << "the shared value comes back shared";
    back->clearAndDestroy();
    delete back;
}

TEST(HashTableTest, FindsByValueAndResizes)
{
    std::vector<std::unique_ptr<RWCollectableInt>> items;
    RWHashTable table(2);
    for (int i = 0; i < 100; ++i) {
        items.push_back(std::make_unique<RWCollectableInt>(i % 50));
        table.insert(items.back().get());
    }
    EXPECT_EQ(table.entries(), 100u);
    table.resize(7);
    const RWCollectableInt probe(42);
    EXPECT_EQ(table.occurrencesOf(&probe), 2u);
    ASSERT_NE(table.find(&probe), nullptr);
    EXPECT_TRUE(table.find(&probe)->isEqual(&probe));

    RWSet set;
    EXPECT_EQ(set.insert(items[0].get()), items[0].get());
    EXPECT_EQ(set.insert(items[50].get()), items[0].get()) << "an equal item is not kept";
    EXPECT_EQ(set.entries(), 1u);

    RWHashTableIterator next(table);
    std::size_t removed = 0;
    while (RWCollectable* item = next()) {
        if (static_cast<RWCollectableInt*>(item)->value() % 2 == 0) {
            EXPECT_EQ(next.remove(), item);
            ++removed;
        }
    }
    EXPECT_EQ(removed, 50u);
    EXPECT_EQ(table.entries(), 50u);
}

TEST(SortedVectorTest, KeepsOrderAndFindsByValue)
{
    RWCollectableString pear("pear"), apple("apple"), fig("fig"), apple2("apple");
    RWSortedVector vec;
    for (RWCollectable* item : {static_cast<RWCollectable*>(&pear),
                                static_cast<RWCollectable*>(&apple),
                                static_cast<RWCollectable*>(&fig),
                                static_cast<RWCollectable*>(&apple2)})
        vec.insert(item);
    ASSERT_EQ(vec.entries(), 4u);
    EXPECT_EQ(vec[0], &apple);
    EXPECT_EQ(vec[1], &apple2) << "an equal item goes after the ones held";
    EXPECT_EQ(vec[2], &fig);
    EXPECT_EQ(vec[3], &pear);
    const RWCollectableString probe("fig");
    EXPECT_EQ(vec.index(&probe), 2u);
    EXPECT_EQ(vec.occurrencesOf(&apple), 2u);
    EXPECT_EQ(vec.remove(&probe), &fig);
    EXPECT_EQ(vec.index(&probe), RW_NPOS);
    EXPECT_THROW(static_cast<void>(vec.at(3)), RWBoundsErr);
}

} // namespace
