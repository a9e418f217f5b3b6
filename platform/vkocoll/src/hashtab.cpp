// hashtab.cpp: RWHashTable, RWSet and RWBag over a vector of buckets. The table doubles
// when it holds more than two items per bucket, so finds stay short.
#include "vkocoll/hashtab.h"

#include <algorithm>

#include "hashtab_internal.h"

namespace {

constexpr std::size_t kItemsPerBucket = 2;

bool same(const RWCollectable* item, const RWCollectable* target)
{
    return item == target || (item != nullptr && item->isEqual(target));
}

} // namespace

RWHashTable::RWHashTable(std::size_t buckets) : table_(std::max<std::size_t>(buckets, 1)) {}

RWCollectable* RWHashTable::newSpecies() const { return new RWHashTable; }
RWCollectable* RWHashTable::copy() const { return new RWHashTable(*this); }
RWClassID RWHashTable::isA() const { return kRWHashTableId; }

std::vector<RWCollectable*>& RWHashTable::bucketFor(const RWCollectable* item)
{
    const unsigned h = item != nullptr ? item->hash() : 0;
    return table_[h % table_.size()];
}

const std::vector<RWCollectable*>& RWHashTable::bucketFor(const RWCollectable* item) const
{
    const unsigned h = item != nullptr ? item->hash() : 0;
    return table_[h % table_.size()];
}

void RWHashTable::apply(RWapplyCollectable fn, void* data)
{
    for (auto& bucket : table_) {
        for (RWCollectable* item : bucket)
            fn(item, data);
    }
}

void RWHashTable::clear()
{
    for (auto& bucket : table_)
        bucket.clear();
    count_ = 0;
}

RWCollectable* RWHashTable::find(const RWCollectable* target) const
{
    for (RWCollectable* item : bucketFor(target)) {
        if (same(item, target))
            return item;
    }
    return nullptr;
}

RWCollectable* RWHashTable::insertUnchecked(RWCollectable* item)
{
    if (count_ >= kItemsPerBucket * table_.size())
        resize(2 * table_.size());
    bucketFor(item).push_back(item);
    ++count_;
    return item;
}

RWCollectable* RWHashTable::insert(RWCollectable* item) { return insertUnchecked(item); }

std::size_t RWHashTable::occurrencesOf(const RWCollectable* target) const
{
    const auto& bucket = bucketFor(target);
    return static_cast<std::size_t>(
        std::count_if(bucket.begin(), bucket.end(),
                      [target](RWCollectable* item) { return same(item, target); }));
}

RWCollectable* RWHashTable::remove(const RWCollectable* target)
{
    auto& bucket = bucketFor(target);
    for (auto it = bucket.begin(); it != bucket.end(); ++it) {
        if (same(*it, target)) {
            RWCollectable* item = *it;
            bucket.erase(it);
            --count_;
            return item;
        }
    }
    return nullptr;
}

RWIterator* RWHashTable::newIterator() { return new RWHashTableIterator(*this); }

void RWHashTable::resize(std::size_t n)
{
    std::vector<std::vector<RWCollectable*>> old(std::max<std::size_t>(n, 1));
    old.swap(table_);
    for (auto& bucket : old) {
        for (RWCollectable* item : bucket)
            bucketFor(item).push_back(item);
    }
}

RWCollectable* RWHashTableIterator::key() const
{
    return at_item_ ? table_.table_[bucket_][slot_] : nullptr;
}

RWCollectable* RWHashTableIterator::operator()()
{
    auto& table = table_.table_;
    at_item_ = vkocoll_detail::stepBuckets(table, started_, at_item_, bucket_, slot_);
    return at_item_ ? table[bucket_][slot_] : nullptr;
}

void RWHashTableIterator::reset()
{
    started_ = false;
    at_item_ = false;
}

RWCollectable* RWHashTableIterator::remove()
{
    if (!at_item_)
        return nullptr;
    auto& bucket = table_.table_[bucket_];
    RWCollectable* item = bucket[slot_];
    bucket.erase(bucket.begin() + static_cast<std::ptrdiff_t>(slot_));
    --table_.count_;
    // Step back so that the next call lands on the item that moved into this slot.
    at_item_ = false;
    return item;
}

RWCollectable* RWSet::newSpecies() const { return new RWSet; }
RWCollectable* RWSet::copy() const { return new RWSet(*this); }
RWClassID RWSet::isA() const { return kRWSetId; }

RWCollectable* RWSet::insert(RWCollectable* item)
{
    RWCollectable* held = find(item);
    return held != nullptr ? held : insertUnchecked(item);
}

std::size_t RWSet::occurrencesOf(const RWCollectable* target) const
{
    return find(target) != nullptr ? 1 : 0;
}

RWCollectable* RWBag::newSpecies() const { return new RWBag; }
RWCollectable* RWBag::copy() const { return new RWBag(*this); }
RWClassID RWBag::isA() const { return kRWBagId; }
