// colclass.h: RWCollection, the abstract collection of collectable pointers, and
// RWIterator, the abstract walk over one. A collection never owns its items unless the
// caller says so by calling clearAndDestroy or removeAndDestroy; an item held twice is
// destroyed once. Stored form: the number of items as a long, then each item framed.
#pragma once
#include <cstddef>
#include "vkocoll/collect.h"

class RWBag;
class RWBinaryTree;
class RWOrdered;
class RWSet;

using RWapplyCollectable = void (*)(RWCollectable* item, void* data);

class RWIterator {
public:
    virtual ~RWIterator();
    // The next item equal (isEqual) to target, or nil at the end.
    virtual RWCollectable* findNext(const RWCollectable* target);
    // The item at the current position, nil before the first and after the end.
    virtual RWCollectable* key() const = 0;
    // Advances and answers the item, nil at the end.
    virtual RWCollectable* operator()() = 0;
    virtual void reset() = 0;
};

class RWCollection : public RWCollectable {
public:
    static constexpr std::size_t DEFAULT_CAPACITY = 64;

    RWClassID isA() const override;
    // Counts of the items' stored sizes plus the 4-byte count.
    std::size_t binaryStoreSize() const override;
    void restoreGuts(RWvistream& in) override;
    void restoreGuts(RWFile& file) override;
    void saveGuts(RWvostream& out) const override;
    void saveGuts(RWFile& file) const override;

    virtual void apply(RWapplyCollectable fn, void* data) = 0;
    virtual void clear() = 0;
    // Removes every item and destroys each distinct one once.
    virtual void clearAndDestroy();
    virtual bool contains(const RWCollectable* target) const;
    virtual std::size_t entries() const = 0;
    // The first item equal (isEqual) to target, or nil.
    virtual RWCollectable* find(const RWCollectable* target) const = 0;
    // Adds item; answers it, or nil when the collection refuses it.
    virtual RWCollectable* insert(RWCollectable* item) = 0;
    virtual bool isEmpty() const { return entries() == 0; }
    virtual std::size_t occurrencesOf(const RWCollectable* target) const = 0;
    // Removes the first item equal to target and answers it (the caller owns it), or nil.
    virtual RWCollectable* remove(const RWCollectable* target) = 0;
    // Removes and destroys every item equal to target.
    virtual void removeAndDestroy(const RWCollectable* target);
    // A new iterator over this collection; the caller owns it.
    virtual RWIterator* newIterator() = 0;

    // New collections holding the same pointers (not copies of the items).
    RWBag asBag() const;
    RWSet asSet() const;
    RWOrdered asOrderedCollection() const;
    RWBinaryTree asSortedCollection() const;

protected:
    // Every item in the collection's own order (for saving and converting). apply() is not
    // constant in the collection interface; forEach only reads, so it casts that away.
    template <typename Fn> void forEach(Fn fn) const
    {
        const_cast<RWCollection*>(this)->apply(
            [](RWCollectable* item, void* data) { (*static_cast<Fn*>(data))(item); }, &fn);
    }
};
