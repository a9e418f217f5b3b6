// ordered.h: RWOrdered, a collection that keeps its items in insertion order and can be
// indexed, and RWOrderedIterator. Index errors throw RWBoundsErr (through RWThrow).
// remove() finds by isEqual; removeReference() by identity.
#pragma once
#include <cstddef>
#include <vector>
#include "vkocoll/bintree.h"
#include "vkocoll/colclass.h"
#include "vkocoll/hashtab.h"

class RWOrdered : public RWCollection {
public:
    explicit RWOrdered(std::size_t capacity = DEFAULT_CAPACITY);

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;

    void apply(RWapplyCollectable fn, void* data) override;
    void clear() override { items_.clear(); }
    std::size_t entries() const override { return items_.size(); }
    RWCollectable* find(const RWCollectable* target) const override;
    // Appends item and answers it.
    RWCollectable* insert(RWCollectable* item) override;
    std::size_t occurrencesOf(const RWCollectable* target) const override;
    RWCollectable* remove(const RWCollectable* target) override;
    RWIterator* newIterator() override;

    // Checked access: i must be below entries().
    RWCollectable*& operator[](std::size_t i);
    RWCollectable* operator[](std::size_t i) const;
    RWCollectable*& at(std::size_t i) { return (*this)[i]; }
    RWCollectable* at(std::size_t i) const { return (*this)[i]; }
    // Inserts before position i (i == entries() appends); answers item.
    RWCollectable* insertAt(std::size_t i, RWCollectable* item);
    RWCollectable* append(RWCollectable* item) { return insert(item); }
    RWCollectable* prepend(RWCollectable* item) { return insertAt(0, item); }
    // First and last item, nil when empty.
    RWCollectable* first() const;
    RWCollectable* last() const;
    // Position of the first item equal to target, RW_NPOS when none.
    std::size_t index(const RWCollectable* target) const;
    // Removes the first item that is target itself; answers it, or nil.
    RWCollectable* removeReference(const RWCollectable* target);
    // Removes and answers the item at i (checked).
    RWCollectable* removeAt(std::size_t i);
    RWCollectable* removeFirst();
    RWCollectable* removeLast();
    // Same as insert; answers item.
    RWCollectable* push(RWCollectable* item) { return insert(item); }
    RWCollectable* pop() { return removeLast(); }

protected:
    std::vector<RWCollectable*> items_;
};

class RWOrderedIterator : public RWIterator {
public:
    explicit RWOrderedIterator(const RWOrdered& ordered) : ordered_(ordered) {}
    RWCollectable* findNext(const RWCollectable* target) override;
    RWCollectable* key() const override;
    RWCollectable* operator()() override;
    void reset() override { place_ = RW_NPOS; }

private:
    const RWOrdered& ordered_;
    std::size_t place_ = RW_NPOS;  // RW_NPOS: before the first item
};
