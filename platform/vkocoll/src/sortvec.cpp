// sortvec.cpp: RWSortedVector by binary search over the ordered list's vector.
#include "vkocoll/sortvec.h"

RWCollectable* RWSortedVector::newSpecies() const { return new RWSortedVector; }
RWCollectable* RWSortedVector::copy() const { return new RWSortedVector(*this); }
RWClassID RWSortedVector::isA() const { return kRWSortedVectorId; }

std::size_t RWSortedVector::lowerBound(const RWCollectable* target) const
{
    std::size_t lo = 0;
    std::size_t hi = items_.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (items_[mid]->compareTo(target) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

RWCollectable* RWSortedVector::insert(RWCollectable* item)
{
    if (item == nullptr)
        return nullptr;
    // After every item that does not sort after the new one.
    std::size_t lo = 0;
    std::size_t hi = items_.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (item->compareTo(items_[mid]) < 0)
            hi = mid;
        else
            lo = mid + 1;
    }
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(lo), item);
    return item;
}

std::size_t RWSortedVector::index(const RWCollectable* target) const
{
    if (target == nullptr)
        return RW_NPOS;
    for (std::size_t i = lowerBound(target);
         i < items_.size() && items_[i]->compareTo(target) == 0; ++i) {
        if (items_[i] == target || items_[i]->isEqual(target))
            return i;
    }
    return RW_NPOS;
}

RWCollectable* RWSortedVector::find(const RWCollectable* target) const
{
    const std::size_t i = index(target);
    return i != RW_NPOS ? items_[i] : nullptr;
}

std::size_t RWSortedVector::occurrencesOf(const RWCollectable* target) const
{
    std::size_t n = 0;
    if (target == nullptr)
        return 0;
    for (std::size_t i = lowerBound(target);
         i < items_.size() && items_[i]->compareTo(target) == 0; ++i) {
        if (items_[i] == target || items_[i]->isEqual(target))
            ++n;
    }
    return n;
}

RWCollectable* RWSortedVector::remove(const RWCollectable* target)
{
    const std::size_t i = index(target);
    return i != RW_NPOS ? removeAt(i) : nullptr;
}
