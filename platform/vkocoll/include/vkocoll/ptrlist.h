// ptrlist.h: the generic linked list of untyped pointers behind RWSlist and RWDlist, and
// its iterator. The list never owns what its pointers point to. A walk stays valid while
// the list changes through the same iterator (remove, insertAfterPoint) or elsewhere away
// from the item it stands on.
#pragma once
#include <cstddef>
#include <list>
#include "vkocoll/defs.h"

// Answers whether item matches data (for contains, find, index and remove).
using RWtestGeneric = bool (*)(const void* item, const void* data);
using RWapplyGeneric = void (*)(void* item, void* data);

class RWPtrList {
public:
    RWPtrList() = default;

    // Each answers the item it inserted.
    void* append(void* item);
    void* prepend(void* item);
    void* insert(void* item) { return append(item); }
    // Before position i; i == entries() appends. Throws RWBoundsErr past that.
    void* insertAt(std::size_t i, void* item);

    // Checked: throws RWBoundsErr unless i < entries().
    void* at(std::size_t i) const;
    // First and last item, nil when empty.
    void* first() const;
    void* last() const;
    std::size_t entries() const { return items_.size(); }
    bool isEmpty() const { return items_.empty(); }
    void clear() { items_.clear(); }

    // Removes and answers the first item (nil when empty).
    void* get() { return removeFirst(); }
    void* removeFirst();
    void* removeLast();
    // Removes the first item that is item itself; answers it, or nil.
    void* removeReference(const void* item);
    // Removes the first item for which test answers true; answers it, or nil.
    void* remove(RWtestGeneric test, const void* data);

    bool containsReference(const void* item) const;
    bool contains(RWtestGeneric test, const void* data) const;
    void* find(RWtestGeneric test, const void* data) const;
    // Position of the first match, RW_NPOS when none.
    std::size_t index(RWtestGeneric test, const void* data) const;
    std::size_t occurrencesOfReference(const void* item) const;
    void apply(RWapplyGeneric fn, void* data);

private:
    friend class RWPtrListIterator;
    std::list<void*> items_;
};

class RWPtrListIterator {
public:
    explicit RWPtrListIterator(RWPtrList& list) : list_(list) { reset(); }

    // Advances and answers the item, nil past the end.
    void* operator()();
    // Advances; false past the end.
    bool operator++();
    // The current item, nil before the first and past the end.
    void* key() const;
    // Back to before the first item.
    void reset();
    // To the first or last item (before-start or past-end when the list is empty).
    void toFirst();
    void toLast();
    bool atFirst() const;
    bool atLast() const;
    // Advances to the next item for which test answers true; nil past the end.
    void* findNext(RWtestGeneric test, const void* data);
    // Advances to item itself; nil past the end.
    void* findNextReference(const void* item);
    // Removes the current item and answers it; the iterator then stands before the item
    // that followed, so the next call answers that one. Nil when not at an item.
    void* remove();
    // Removes the next item for which test answers true.
    void* removeNext(RWtestGeneric test, const void* data);
    // Inserts item after the current one (at the front before the start) and stands on it.
    void* insertAfterPoint(void* item);

protected:
    // Steps back one item; false before the first.
    bool stepBack();

private:
    using Place = std::list<void*>::iterator;
    RWPtrList& list_;
    Place place_;          // the current item, or end()
    bool before_ = true;   // before the first item
};
