// ptrlist.cpp: the generic pointer list over std::list, whose iterators survive changes
// elsewhere in the list.
#include "vkocoll/ptrlist.h"

#include <iterator>

void* RWPtrList::append(void* item)
{
    items_.push_back(item);
    return item;
}

void* RWPtrList::prepend(void* item)
{
    items_.push_front(item);
    return item;
}

void* RWPtrList::insertAt(std::size_t i, void* item)
{
    if (i > items_.size())
        rwThrowBounds("RWPtrList::insertAt", i, items_.size() + 1);
    items_.insert(std::next(items_.begin(), static_cast<std::ptrdiff_t>(i)), item);
    return item;
}

void* RWPtrList::at(std::size_t i) const
{
    if (i >= items_.size())
        rwThrowBounds("RWPtrList::at", i, items_.size());
    return *std::next(items_.begin(), static_cast<std::ptrdiff_t>(i));
}

void* RWPtrList::first() const { return items_.empty() ? nullptr : items_.front(); }
void* RWPtrList::last() const { return items_.empty() ? nullptr : items_.back(); }

void* RWPtrList::removeFirst()
{
    if (items_.empty())
        return nullptr;
    void* item = items_.front();
    items_.pop_front();
    return item;
}

void* RWPtrList::removeLast()
{
    if (items_.empty())
        return nullptr;
    void* item = items_.back();
    items_.pop_back();
    return item;
}

void* RWPtrList::removeReference(const void* item)
{
    for (auto it = items_.begin(); it != items_.end(); ++it) {
        if (*it == item) {
            void* held = *it;
            items_.erase(it);
            return held;
        }
    }
    return nullptr;
}

void* RWPtrList::remove(RWtestGeneric test, const void* data)
{
    for (auto it = items_.begin(); it != items_.end(); ++it) {
        if (test(*it, data)) {
            void* held = *it;
            items_.erase(it);
            return held;
        }
    }
    return nullptr;
}

bool RWPtrList::containsReference(const void* item) const
{
    for (const void* held : items_) {
        if (held == item)
            return true;
    }
    return false;
}

bool RWPtrList::contains(RWtestGeneric test, const void* data) const
{
    return index(test, data) != RW_NPOS;
}

void* RWPtrList::find(RWtestGeneric test, const void* data) const
{
    for (void* held : items_) {
        if (test(held, data))
            return held;
    }
    return nullptr;
}

std::size_t RWPtrList::index(RWtestGeneric test, const void* data) const
{
    std::size_t i = 0;
    for (const void* held : items_) {
        if (test(held, data))
            return i;
        ++i;
    }
    return RW_NPOS;
}

std::size_t RWPtrList::occurrencesOfReference(const void* item) const
{
    std::size_t n = 0;
    for (const void* held : items_)
        n += held == item ? 1 : 0;
    return n;
}

void RWPtrList::apply(RWapplyGeneric fn, void* data)
{
    for (void* held : items_)
        fn(held, data);
}

void* RWPtrListIterator::operator()() { return ++(*this) ? *place_ : nullptr; }

bool RWPtrListIterator::operator++()
{
    if (before_) {
        before_ = false;
        place_ = list_.items_.begin();
    } else if (place_ != list_.items_.end()) {
        ++place_;
    }
    return place_ != list_.items_.end();
}

void* RWPtrListIterator::key() const
{
    return !before_ && place_ != list_.items_.end() ? *place_ : nullptr;
}

void RWPtrListIterator::reset()
{
    before_ = true;
    place_ = list_.items_.end();
}

void RWPtrListIterator::toFirst()
{
    reset();
    ++(*this);
}

void RWPtrListIterator::toLast()
{
    if (list_.items_.empty()) {
        reset();
        return;
    }
    before_ = false;
    place_ = std::prev(list_.items_.end());
}

bool RWPtrListIterator::atFirst() const
{
    return !before_ && !list_.items_.empty() && place_ == list_.items_.begin();
}

bool RWPtrListIterator::atLast() const
{
    return !before_ && !list_.items_.empty() && place_ == std::prev(list_.items_.end());
}

void* RWPtrListIterator::findNext(RWtestGeneric test, const void* data)
{
    while (++(*this)) {
        if (test(*place_, data))
            return *place_;
    }
    return nullptr;
}

void* RWPtrListIterator::findNextReference(const void* item)
{
    while (++(*this)) {
        if (*place_ == item)
            return *place_;
    }
    return nullptr;
}

bool RWPtrListIterator::stepBack()
{
    if (before_)
        return false;
    if (place_ == list_.items_.begin()) {
        reset();
        return false;
    }
    --place_;
    return true;
}

void* RWPtrListIterator::remove()
{
    if (before_ || place_ == list_.items_.end())
        return nullptr;
    void* item = *place_;
    const Place after = list_.items_.erase(place_);
    if (after == list_.items_.begin()) {
        reset();
    } else {
        place_ = std::prev(after);
    }
    return item;
}

void* RWPtrListIterator::removeNext(RWtestGeneric test, const void* data)
{
    return findNext(test, data) != nullptr ? remove() : nullptr;
}

void* RWPtrListIterator::insertAfterPoint(void* item)
{
    Place at = before_ ? list_.items_.begin() : place_;
    if (!before_ && at != list_.items_.end())
        ++at;
    place_ = list_.items_.insert(at, item);
    before_ = false;
    return item;
}
