// ordered.cpp: RWOrdered over a vector of pointers, and its iterator.
#include "vkocoll/ordered.h"

RWOrdered::RWOrdered(std::size_t capacity) { items_.reserve(capacity); }

RWCollectable* RWOrdered::newSpecies() const { return new RWOrdered; }
RWCollectable* RWOrdered::copy() const { return new RWOrdered(*this); }
RWClassID RWOrdered::isA() const { return kRWOrderedId; }

void RWOrdered::apply(RWapplyCollectable fn, void* data)
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        fn(items_[i], data);
}

RWCollectable* RWOrdered::find(const RWCollectable* target) const
{
    const std::size_t i = index(target);
    return i != RW_NPOS ? items_[i] : nullptr;
}

RWCollectable* RWOrdered::insert(RWCollectable* item)
{
    items_.push_back(item);
    return item;
}

std::size_t RWOrdered::occurrencesOf(const RWCollectable* target) const
{
    std::size_t n = 0;
    for (const RWCollectable* item : items_) {
        if (item != nullptr && item->isEqual(target))
            ++n;
    }
    return n;
}

RWCollectable* RWOrdered::remove(const RWCollectable* target)
{
    const std::size_t i = index(target);
    return i != RW_NPOS ? removeAt(i) : nullptr;
}

RWIterator* RWOrdered::newIterator() { return new RWOrderedIterator(*this); }

RWCollectable*& RWOrdered::operator[](std::size_t i)
{
    if (i >= items_.size())
        rwThrowBounds("RWOrdered::operator[]", i, items_.size());
    return items_[i];
}

RWCollectable* RWOrdered::operator[](std::size_t i) const
{
    if (i >= items_.size())
        rwThrowBounds("RWOrdered::operator[]", i, items_.size());
    return items_[i];
}

RWCollectable* RWOrdered::insertAt(std::size_t i, RWCollectable* item)
{
    if (i > items_.size())
        rwThrowBounds("RWOrdered::insertAt", i, items_.size() + 1);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(i), item);
    return item;
}

RWCollectable* RWOrdered::first() const { return items_.empty() ? nullptr : items_.front(); }
RWCollectable* RWOrdered::last() const { return items_.empty() ? nullptr : items_.back(); }

std::size_t RWOrdered::index(const RWCollectable* target) const
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] == target || (items_[i] != nullptr && items_[i]->isEqual(target)))
            return i;
    }
    return RW_NPOS;
}

RWCollectable* RWOrdered::removeReference(const RWCollectable* target)
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] == target)
            return removeAt(i);
    }
    return nullptr;
}

RWCollectable* RWOrdered::removeAt(std::size_t i)
{
    if (i >= items_.size())
        rwThrowBounds("RWOrdered::removeAt", i, items_.size());
    RWCollectable* item = items_[i];
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
    return item;
}

RWCollectable* RWOrdered::removeFirst() { return items_.empty() ? nullptr : removeAt(0); }

RWCollectable* RWOrdered::removeLast()
{
    return items_.empty() ? nullptr : removeAt(items_.size() - 1);
}

RWCollectable* RWOrderedIterator::findNext(const RWCollectable* target)
{
    for (RWCollectable* item = (*this)(); place_ < ordered_.entries(); item = (*this)()) {
        if (item == target || (item != nullptr && item->isEqual(target)))
            return item;
    }
    return nullptr;
}

RWCollectable* RWOrderedIterator::key() const
{
    return place_ < ordered_.entries() ? ordered_[place_] : nullptr;
}

RWCollectable* RWOrderedIterator::operator()()
{
    const std::size_t n = ordered_.entries();
    if (place_ == RW_NPOS)
        place_ = 0;
    else if (place_ < n)
        ++place_;
    return place_ < n ? ordered_[place_] : nullptr;
}
