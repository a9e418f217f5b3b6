// btrdict.cpp: RWBTreeDictionary over an ordered map keyed by compareTo().
#include "vkocoll/btrdict.h"

#include "dict_internal.h"

using vkocoll_detail::KeyValue;

namespace {

template <typename Map> std::vector<KeyValue> pairsOf(const Map& map)
{
    std::vector<KeyValue> out;
    out.reserve(map.size());
    for (const auto& [key, value] : map)
        out.push_back({key, value});
    return out;
}

} // namespace

RWCollectable* RWBTreeDictionary::newSpecies() const { return new RWBTreeDictionary; }
RWCollectable* RWBTreeDictionary::copy() const { return new RWBTreeDictionary(*this); }
RWClassID RWBTreeDictionary::isA() const { return kRWBTreeDictionaryId; }

std::size_t RWBTreeDictionary::binaryStoreSize() const
{
    return vkocoll_detail::storeSize(pairsOf(map_));
}

void RWBTreeDictionary::saveGuts(RWvostream& out) const
{
    vkocoll_detail::saveEntries(out, pairsOf(map_));
}

void RWBTreeDictionary::saveGuts(RWFile& file) const
{
    vkocoll_detail::saveEntries(file, pairsOf(map_));
}

void RWBTreeDictionary::restoreGuts(RWvistream& in)
{
    clear();
    vkocoll_detail::restoreEntries(
        in, [this](RWCollectable* k, RWCollectable* v) { insertKeyAndValue(k, v); });
}

void RWBTreeDictionary::restoreGuts(RWFile& file)
{
    clear();
    vkocoll_detail::restoreEntries(
        file, [this](RWCollectable* k, RWCollectable* v) { insertKeyAndValue(k, v); });
}

void RWBTreeDictionary::apply(RWapplyCollectable fn, void* data)
{
    for (auto& [key, value] : map_)
        fn(key, data);
}

void RWBTreeDictionary::applyToKeyAndValue(RWapplyKeyAndValue fn, void* data)
{
    for (auto& [key, value] : map_)
        fn(key, value, data);
}

void RWBTreeDictionary::clearAndDestroy()
{
    const std::vector<KeyValue> held = pairsOf(map_);
    clear();
    vkocoll_detail::destroyOnce(held);
}

RWCollectable* RWBTreeDictionary::find(const RWCollectable* key) const
{
    if (key == nullptr)
        return nullptr;
    const auto it = map_.find(key);
    return it != map_.end() ? it->first : nullptr;  // as in apply
}

RWCollectable* RWBTreeDictionary::insert(RWCollectable* key)
{
    return insertKeyAndValue(key, nullptr);
}

std::size_t RWBTreeDictionary::occurrencesOf(const RWCollectable* key) const
{
    return find(key) != nullptr ? 1 : 0;
}

RWCollectable* RWBTreeDictionary::remove(const RWCollectable* key)
{
    RWCollectable* value = nullptr;
    return removeKeyAndValue(key, value);
}

void RWBTreeDictionary::removeAndDestroy(const RWCollectable* key)
{
    RWCollectable* value = nullptr;
    RWCollectable* held = removeKeyAndValue(key, value);
    if (held != nullptr)
        vkocoll_detail::destroyPair(held, value);
}

RWIterator* RWBTreeDictionary::newIterator() { return new RWBTreeDictionaryIterator(*this); }

RWCollectable* RWBTreeDictionary::insertKeyAndValue(RWCollectable* key, RWCollectable* value)
{
    if (key == nullptr)
        return nullptr;
    return map_.emplace(key, value).second ? key : nullptr;
}

RWCollectable* RWBTreeDictionary::findValue(const RWCollectable* key) const
{
    if (key == nullptr)
        return nullptr;
    const auto it = map_.find(key);
    return it != map_.end() ? it->second : nullptr;
}

RWCollectable* RWBTreeDictionary::findValue(const RWCollectable* key, RWCollectable* new_value)
{
    if (key == nullptr)
        return nullptr;
    const auto it = map_.find(key);
    if (it == map_.end())
        return nullptr;
    RWCollectable* old = it->second;
    it->second = new_value;
    return old;
}

RWCollectable* RWBTreeDictionary::findKeyAndValue(const RWCollectable* key,
                                                  RWCollectable*& value) const
{
    if (key == nullptr)
        return nullptr;
    const auto it = map_.find(key);
    if (it == map_.end())
        return nullptr;
    value = it->second;
    return it->first;
}

RWCollectable* RWBTreeDictionary::removeKeyAndValue(const RWCollectable* key,
                                                    RWCollectable*& value)
{
    if (key == nullptr)
        return nullptr;
    const auto it = map_.find(key);
    if (it == map_.end())
        return nullptr;
    RWCollectable* held = it->first;
    value = it->second;
    map_.erase(it);
    return held;
}

RWCollectable* RWBTreeDictionaryIterator::key() const
{
    if (!started_ || place_ == dict_.map_.end())
        return nullptr;
    return place_->first;
}

RWCollectable* RWBTreeDictionaryIterator::value() const
{
    return started_ && place_ != dict_.map_.end() ? place_->second : nullptr;
}

RWCollectable* RWBTreeDictionaryIterator::value(RWCollectable* new_value)
{
    if (!started_ || place_ == dict_.map_.end())
        return nullptr;
    RWCollectable* old = place_->second;
    place_->second = new_value;
    return old;
}

RWCollectable* RWBTreeDictionaryIterator::operator()()
{
    if (!started_) {
        started_ = true;
        place_ = dict_.map_.begin();
    } else if (place_ != dict_.map_.end()) {
        ++place_;
    }
    return key();
}
