// dict_internal.h: what the two dictionaries share: store and restore of key-value pairs,
// and destroying keys and values once each (a key may be its own value).
#pragma once
#include <cstddef>
#include <unordered_set>
#include <vector>

#include "vkocoll/collect.h"
#include "vkocoll/rwfile.h"
#include "vkocoll/vstream.h"

namespace vkocoll_detail {

struct KeyValue {
    RWCollectable* key;
    RWCollectable* value;
};

inline void writeCount(RWvostream& out, std::size_t n) { out.put(static_cast<long>(n)); }
inline void writeCount(RWFile& file, std::size_t n) { file.Write(static_cast<long>(n)); }

inline bool readCount(RWvistream& in, long& n)
{
    if (in.get(n).fail() || n < 0) {
        in.setstate(RWvios::failbit);
        return false;
    }
    return true;
}
inline bool readCount(RWFile& file, long& n) { return file.Read(n) && n >= 0; }
inline bool sourceFailed(RWvistream& in) { return in.fail(); }
inline bool sourceFailed(RWFile& file) { return file.Eof() || file.Error(); }

template <typename Sink> void saveEntries(Sink& sink, const std::vector<KeyValue>& entries)
{
    writeCount(sink, entries.size());
    for (const KeyValue& e : entries) {
        sink << e.key;
        sink << e.value;
    }
}

// Reads pairs and hands each to insert(key, value); stops at the first failure.
template <typename Source, typename Insert> void restoreEntries(Source& source, Insert insert)
{
    long count = 0;
    if (!readCount(source, count))
        return;
    for (long i = 0; i < count; ++i) {
        RWCollectable* key = RWCollectable::recursiveRestoreFrom(source);
        RWCollectable* value = sourceFailed(source) ? nullptr
                                                    : RWCollectable::recursiveRestoreFrom(source);
        // A partly restored pair is kept too, so that clearAndDestroy can free it.
        if (key != nullptr)
            insert(key, value);
        if (sourceFailed(source))
            return;
    }
}

inline std::size_t storeSize(const std::vector<KeyValue>& entries)
{
    std::size_t size = 4;
    for (const KeyValue& e : entries) {
        size += e.key != nullptr ? e.key->recursiveStoreSize() : 1;
        size += e.value != nullptr ? e.value->recursiveStoreSize() : 1;
    }
    return size;
}

inline void destroyOnce(const std::vector<KeyValue>& entries)
{
    std::unordered_set<RWCollectable*> doomed;
    for (const KeyValue& e : entries) {
        if (e.key != nullptr)
            doomed.insert(e.key);
        if (e.value != nullptr)
            doomed.insert(e.value);
    }
    for (RWCollectable* obj : doomed)
        delete obj;
}

// Deletes a removed key and its value; the value only when it is not the key itself.
inline void destroyPair(RWCollectable* key, RWCollectable* value)
{
    if (value != key)
        delete value;
    delete key;
}

} // namespace vkocoll_detail
