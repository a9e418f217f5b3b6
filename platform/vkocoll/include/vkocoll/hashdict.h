// hashdict.h: RWHashDictionary, keys mapped to values, found by the keys' hash() and
// isEqual(). A key is held once: inserting a key already there is refused. The dictionary
// owns nothing unless clearAndDestroy is called, which destroys keys and values (each
// distinct object once). Stored form: the count as a long, then key and value framed.
#pragma once
#include <cstddef>
#include <vector>
#include "vkocoll/colclass.h"

namespace vkocoll_detail {
struct KeyValue;
}

using RWapplyKeyAndValue = void (*)(RWCollectable* key, RWCollectable* value, void* data);

class RWHashDictionary : public RWCollection {
public:
    explicit RWHashDictionary(std::size_t buckets = DEFAULT_CAPACITY);

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;
    std::size_t binaryStoreSize() const override;
    void restoreGuts(RWvistream& in) override;
    void restoreGuts(RWFile& file) override;
    void saveGuts(RWvostream& out) const override;
    void saveGuts(RWFile& file) const override;

    // Applies fn to each key.
    void apply(RWapplyCollectable fn, void* data) override;
    void applyToKeyAndValue(RWapplyKeyAndValue fn, void* data);
    void clear() override;
    void clearAndDestroy() override;
    std::size_t entries() const override { return count_; }
    // The held key equal to key, or nil.
    RWCollectable* find(const RWCollectable* key) const override;
    // Inserts key with a nil value; answers key, or nil when the key is there already.
    RWCollectable* insert(RWCollectable* key) override;
    std::size_t occurrencesOf(const RWCollectable* key) const override;
    // Removes the entry; answers the held key (the value is dropped), or nil.
    RWCollectable* remove(const RWCollectable* key) override;
    // Removes the entry and destroys its key and value.
    void removeAndDestroy(const RWCollectable* key) override;
    RWIterator* newIterator() override;

    // Answers key, or nil (and keeps nothing) when an equal key is held already.
    RWCollectable* insertKeyAndValue(RWCollectable* key, RWCollectable* value);
    // The value held for key, or nil.
    RWCollectable* findValue(const RWCollectable* key) const;
    // Replaces the value held for key with new_value; answers the old value, or nil when the
    // key is absent (nothing is then inserted).
    RWCollectable* findValue(const RWCollectable* key, RWCollectable* new_value);
    // The held key, with its value in value; nil (value untouched) when absent.
    RWCollectable* findKeyAndValue(const RWCollectable* key, RWCollectable*& value) const;
    // Removes the entry; answers the held key and its value in value, or nil.
    RWCollectable* removeKeyAndValue(const RWCollectable* key, RWCollectable*& value);
    void resize(std::size_t n);

private:
    friend class RWHashDictionaryIterator;
    struct Entry {
        RWCollectable* key;
        RWCollectable* value;
    };
    std::vector<Entry>& bucketFor(const RWCollectable* key);
    const std::vector<Entry>& bucketFor(const RWCollectable* key) const;
    const Entry* findEntry(const RWCollectable* key) const;
    Entry* findEntry(const RWCollectable* key);
    std::vector<vkocoll_detail::KeyValue> pairs() const;

    std::vector<std::vector<Entry>> table_;
    std::size_t count_ = 0;
};

// Walks the entries in no set order; answers keys, with value() for the current entry.
class RWHashDictionaryIterator : public RWIterator {
public:
    explicit RWHashDictionaryIterator(RWHashDictionary& dict) : dict_(dict) {}
    RWCollectable* key() const override;
    RWCollectable* operator()() override;
    void reset() override;
    RWCollectable* value() const;
    // Replaces the current entry's value; answers the old one (nil when not at an entry).
    RWCollectable* value(RWCollectable* new_value);
    // Removes the current entry; answers its key. The next call moves on to the entry after.
    RWCollectable* remove();

private:
    RWHashDictionary::Entry* current() const;
    RWHashDictionary& dict_;
    std::size_t bucket_ = 0;
    std::size_t slot_ = 0;
    bool started_ = false;
    bool at_item_ = false;
};
