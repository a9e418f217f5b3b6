// btrdict.h: RWBTreeDictionary, keys mapped to values and kept in the keys' compareTo()
// order. Keys comparing equal are one key: inserting it again is refused. Ownership and
// stored form are those of RWHashDictionary.
#pragma once
#include <cstddef>
#include <map>
#include "vkocoll/hashdict.h"

class RWBTreeDictionary : public RWCollection {
public:
    RWBTreeDictionary() = default;

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;
    std::size_t binaryStoreSize() const override;
    void restoreGuts(RWvistream& in) override;
    void restoreGuts(RWFile& file) override;
    void saveGuts(RWvostream& out) const override;
    void saveGuts(RWFile& file) const override;

    void apply(RWapplyCollectable fn, void* data) override;
    void applyToKeyAndValue(RWapplyKeyAndValue fn, void* data);
    void clear() override { map_.clear(); }
    void clearAndDestroy() override;
    std::size_t entries() const override { return map_.size(); }
    RWCollectable* find(const RWCollectable* key) const override;
    RWCollectable* insert(RWCollectable* key) override;
    std::size_t occurrencesOf(const RWCollectable* key) const override;
    RWCollectable* remove(const RWCollectable* key) override;
    void removeAndDestroy(const RWCollectable* key) override;
    RWIterator* newIterator() override;

    // As in RWHashDictionary.
    RWCollectable* insertKeyAndValue(RWCollectable* key, RWCollectable* value);
    RWCollectable* findValue(const RWCollectable* key) const;
    RWCollectable* findValue(const RWCollectable* key, RWCollectable* new_value);
    RWCollectable* findKeyAndValue(const RWCollectable* key, RWCollectable*& value) const;
    RWCollectable* removeKeyAndValue(const RWCollectable* key, RWCollectable*& value);

private:
    friend class RWBTreeDictionaryIterator;
    struct Before {
        using is_transparent = void;  // lets constant keys search the map
        bool operator()(const RWCollectable* a, const RWCollectable* b) const
        {
            return a->compareTo(b) < 0;
        }
    };
    using Map = std::map<RWCollectable*, RWCollectable*, Before>;
    Map map_;
};

// Walks the keys in order, with value() for the current entry.
class RWBTreeDictionaryIterator : public RWIterator {
public:
    explicit RWBTreeDictionaryIterator(RWBTreeDictionary& dict) : dict_(dict) {}
    RWCollectable* key() const override;
    RWCollectable* operator()() override;
    void reset() override { started_ = false; }
    RWCollectable* value() const;
    RWCollectable* value(RWCollectable* new_value);

private:
    RWBTreeDictionary& dict_;
    RWBTreeDictionary::Map::iterator place_;
    bool started_ = false;
};
