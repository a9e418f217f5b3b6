// hashdict.cpp: RWHashDictionary over a vector of buckets of key-value pairs; doubles its
// buckets when it holds more than two entries per bucket.
#include "vkocoll/hashdict.h"

#include <algorithm>

#include "dict_internal.h"
#include "hashtab_internal.h"

using vkocoll_detail::KeyValue;

namespace {

constexpr std::size_t kEntriesPerBucket = 2;

bool sameKey(const RWCollectable* held, const RWCollectable* key)
{
    return held == key || (held != nullptr && held->isEqual(key));
}

} // namespace

RWHashDictionary::RWHashDictionary(std::size_t buckets)
    : table_(std::max<std::size_t>(buckets, 1))
{
}

RWCollectable* RWHashDictionary::newSpecies() const { return new RWHashDictionary; }
RWCollectable* RWHashDictionary::copy() const { return new RWHashDictionary(*this); }
RWClassID RWHashDictionary::isA() const { return kRWHashDictionaryId; }

std::vector<RWHashDictionary::Entry>& RWHashDictionary::bucketFor(const RWCollectable* key)
{
    return table_[(key != nullptr ? key->hash() : 0) % table_.size()];
}

const std::vector<RWHashDictionary::Entry>&
RWHashDictionary::bucketFor(const RWCollectable* key) const
{
    return table_[(key != nullptr ? key->hash() : 0) % table_.size()];
}

const RWHashDictionary::Entry* RWHashDictionary::findEntry(const RWCollectable* key) const
{
    if (key == nullptr)
        return nullptr;
    for (const Entry& e : bucketFor(key)) {
        if (sameKey(e.key, key))
            return &e;
    }
    return nullptr;
}

RWHashDictionary::Entry* RWHashDictionary::findEntry(const RWCollectable* key)
{
    if (key == nullptr)
        return nullptr;
    for (Entry& e : bucketFor(key)) {
        if (sameKey(e.key, key))
            return &e;
    }
    return nullptr;
}

std::vector<KeyValue> RWHashDictionary::pairs() const
{
    std::vector<KeyValue> out;
    out.reserve(count_);
    for (const auto& bucket : table_) {
        for (const Entry& e : bucket)
            out.push_back({e.key, e.value});
    }
    return out;
}

std::size_t RWHashDictionary::binaryStoreSize() const
{
    return vkocoll_detail::storeSize(pairs());
}

void RWHashDictionary::saveGuts(RWvostream& out) const
{
    vkocoll_detail::saveEntries(out, pairs());
}

void RWHashDictionary::saveGuts(RWFile& file) const
{
    vkocoll_detail::saveEntries(file, pairs());
}

void RWHashDictionary::restoreGuts(RWvistream& in)
{
    clear();
    vkocoll_detail::restoreEntries(
        in, [this](RWCollectable* k, RWCollectable* v) { insertKeyAndValue(k, v); });
}

void RWHashDictionary::restoreGuts(RWFile& file)
{
    clear();
    vkocoll_detail::restoreEntries(
        file, [this](RWCollectable* k, RWCollectable* v) { insertKeyAndValue(k, v); });
}

void RWHashDictionary::apply(RWapplyCollectable fn, void* data)
{
    for (auto& bucket : table_) {
        for (Entry& e : bucket)
            fn(e.key, data);
    }
}

void RWHashDictionary::applyToKeyAndValue(RWapplyKeyAndValue fn, void* data)
{
    for (auto& bucket : table_) {
        for (Entry& e : bucket)
            fn(e.key, e.value, data);
    }
}

void RWHashDictionary::clear()
{
    for (auto& bucket : table_)
        bucket.clear();
    count_ = 0;
}

void RWHashDictionary::clearAndDestroy()
{
    const std::vector<KeyValue> held = pairs();
    clear();
    vkocoll_detail::destroyOnce(held);
}

RWCollectable* RWHashDictionary::find(const RWCollectable* key) const
{
    const Entry* e = findEntry(key);
    return e != nullptr ? e->key : nullptr;
}

RWCollectable* RWHashDictionary::insert(RWCollectable* key)
{
    return insertKeyAndValue(key, nullptr);
}

std::size_t RWHashDictionary::occurrencesOf(const RWCollectable* key) const
{
    return findEntry(key) != nullptr ? 1 : 0;
}

RWCollectable* RWHashDictionary::remove(const RWCollectable* key)
{
    RWCollectable* value = nullptr;
    return removeKeyAndValue(key, value);
}

void RWHashDictionary::removeAndDestroy(const RWCollectable* key)
{
    RWCollectable* value = nullptr;
    RWCollectable* held = removeKeyAndValue(key, value);
    if (held != nullptr)
        vkocoll_detail::destroyPair(held, value);
}

RWIterator* RWHashDictionary::newIterator() { return new RWHashDictionaryIterator(*this); }

RWCollectable* RWHashDictionary::insertKeyAndValue(RWCollectable* key, RWCollectable* value)
{
    if (key == nullptr || findEntry(key) != nullptr)
        return nullptr;
    if (count_ >= kEntriesPerBucket * table_.size())
        resize(2 * table_.size());
    bucketFor(key).push_back(Entry{key, value});
    ++count_;
    return key;
}

RWCollectable* RWHashDictionary::findValue(const RWCollectable* key) const
{
    const Entry* e = findEntry(key);
    return e != nullptr ? e->value : nullptr;
}

RWCollectable* RWHashDictionary::findValue(const RWCollectable* key, RWCollectable* new_value)
{
    Entry* e = findEntry(key);
    if (e == nullptr)
        return nullptr;
    RWCollectable* old = e->value;
    e->value = new_value;
    return old;
}

RWCollectable* RWHashDictionary::findKeyAndValue(const RWCollectable* key,
                                                 RWCollectable*& value) const
{
    const Entry* e = findEntry(key);
    if (e == nullptr)
        return nullptr;
    value = e->value;
    return e->key;
}

RWCollectable* RWHashDictionary::removeKeyAndValue(const RWCollectable* key,
                                                   RWCollectable*& value)
{
    if (key == nullptr)
        return nullptr;
    auto& bucket = bucketFor(key);
    for (auto it = bucket.begin(); it != bucket.end(); ++it) {
        if (sameKey(it->key, key)) {
            RWCollectable* held = it->key;
            value = it->value;
            bucket.erase(it);
            --count_;
            return held;
        }
    }
    return nullptr;
}

void RWHashDictionary::resize(std::size_t n)
{
    std::vector<std::vector<Entry>> old(std::max<std::size_t>(n, 1));
    old.swap(table_);
    for (auto& bucket : old) {
        for (const Entry& e : bucket)
            bucketFor(e.key).push_back(e);
    }
}

RWHashDictionary::Entry* RWHashDictionaryIterator::current() const
{
    return at_item_ ? &dict_.table_[bucket_][slot_] : nullptr;
}

RWCollectable* RWHashDictionaryIterator::key() const
{
    const auto* e = current();
    return e != nullptr ? e->key : nullptr;
}

RWCollectable* RWHashDictionaryIterator::value() const
{
    const auto* e = current();
    return e != nullptr ? e->value : nullptr;
}

RWCollectable* RWHashDictionaryIterator::value(RWCollectable* new_value)
{
    auto* e = current();
    if (e == nullptr)
        return nullptr;
    RWCollectable* old = e->value;
    e->value = new_value;
    return old;
}

RWCollectable* RWHashDictionaryIterator::operator()()
{
    auto& table = dict_.table_;
    at_item_ = vkocoll_detail::stepBuckets(table, started_, at_item_, bucket_, slot_);
    return at_item_ ? table[bucket_][slot_].key : nullptr;
}

void RWHashDictionaryIterator::reset()
{
    started_ = false;
    at_item_ = false;
}

RWCollectable* RWHashDictionaryIterator::remove()
{
    if (!at_item_)
        return nullptr;
    auto& bucket = dict_.table_[bucket_];
    RWCollectable* held = bucket[slot_].key;
    bucket.erase(bucket.begin() + static_cast<std::ptrdiff_t>(slot_));
    --dict_.count_;
    at_item_ = false;  // the next call lands on the entry that moved into this slot
    return held;
}
