// sortvec.h: RWSortedVector, an indexable list kept sorted by the items' compareTo(); an
// item equal to ones already held goes after them. Walk it with RWOrderedIterator.
#pragma once
#include <cstddef>
#include "vkocoll/ordered.h"

class RWSortedVector : public RWOrdered {
public:
    explicit RWSortedVector(std::size_t capacity = DEFAULT_CAPACITY) : RWOrdered(capacity) {}

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;

    // Inserts item at its sorted place; answers it (nil for a nil item, which is refused).
    RWCollectable* insert(RWCollectable* item) override;
    RWCollectable* find(const RWCollectable* target) const override;
    std::size_t occurrencesOf(const RWCollectable* target) const override;
    RWCollectable* remove(const RWCollectable* target) override;
    // Position of the first item equal to target, RW_NPOS when none.
    std::size_t index(const RWCollectable* target) const;

    // A sorted vector chooses the place itself: these insert at the sorted place.
    RWCollectable* insertAt(std::size_t, RWCollectable* item) { return insert(item); }
    RWCollectable* append(RWCollectable* item) { return insert(item); }
    RWCollectable* prepend(RWCollectable* item) { return insert(item); }

private:
    // First position whose item does not sort before target.
    std::size_t lowerBound(const RWCollectable* target) const;
};
