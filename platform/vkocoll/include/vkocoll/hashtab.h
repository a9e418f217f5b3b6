// hashtab.h: the hashed collections. RWHashTable keeps any number of equal items in buckets
// chosen by hash() and found by isEqual(); RWSet keeps one of each (inserting an equal item
// answers the one already there); RWBag counts repeats. The tables grow as they fill.
#pragma once
#include <cstddef>
#include <vector>
#include "vkocoll/colclass.h"

class RWHashTable : public RWCollection {
public:
    explicit RWHashTable(std::size_t buckets = DEFAULT_CAPACITY);

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;

    void apply(RWapplyCollectable fn, void* data) override;
    void clear() override;
    std::size_t entries() const override { return count_; }
    RWCollectable* find(const RWCollectable* target) const override;
    RWCollectable* insert(RWCollectable* item) override;
    std::size_t occurrencesOf(const RWCollectable* target) const override;
    RWCollectable* remove(const RWCollectable* target) override;
    RWIterator* newIterator() override;

    // Re-spreads the items over n buckets (at least 1).
    void resize(std::size_t n);
    std::size_t buckets() const { return table_.size(); }

protected:
    std::vector<RWCollectable*>& bucketFor(const RWCollectable* item);
    const std::vector<RWCollectable*>& bucketFor(const RWCollectable* item) const;
    RWCollectable* insertUnchecked(RWCollectable* item);

private:
    friend class RWHashTableIterator;
    std::vector<std::vector<RWCollectable*>> table_;
    std::size_t count_ = 0;
};

// Walks bucket by bucket; the table must not change during the walk except through remove().
class RWHashTableIterator : public RWIterator {
public:
    explicit RWHashTableIterator(RWHashTable& table) : table_(table) {}
    RWCollectable* key() const override;
    RWCollectable* operator()() override;
    void reset() override;
    // Removes the current item; the next call answers the item after it.
    RWCollectable* remove();

private:
    RWHashTable& table_;
    std::size_t bucket_ = 0;
    std::size_t slot_ = 0;
    bool started_ = false;
    bool at_item_ = false;
};

class RWSet : public RWHashTable {
public:
    explicit RWSet(std::size_t buckets = DEFAULT_CAPACITY) : RWHashTable(buckets) {}
    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;
    // Answers the item already held when one is equal to item (item is then not kept).
    RWCollectable* insert(RWCollectable* item) override;
    std::size_t occurrencesOf(const RWCollectable* target) const override;
};
using RWSetIterator = RWHashTableIterator;

class RWBag : public RWHashTable {
public:
    explicit RWBag(std::size_t buckets = DEFAULT_CAPACITY) : RWHashTable(buckets) {}
    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;
};
using RWBagIterator = RWHashTableIterator;
