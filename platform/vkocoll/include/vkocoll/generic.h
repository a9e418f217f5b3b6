// generic.h: typed faces of the generic containers. RWGSlist<T> and RWGDlist<T> are the
// pointer lists holding T*; RWGVector<T> is a growable vector of T values. A program names
// its lists after the item type: using FRM_CToolRWGSlist = RWGSlist<FRM_CTool>;
// The lists never own their items; index errors throw RWBoundsErr.
#pragma once
#include <cstddef>
#include <vector>
#include "vkocoll/dlist.h"
#include "vkocoll/slist.h"

// The typed calls shared by both lists; Base is RWSlist or RWDlist.
template <class T, class Base> class RWGTypedList : public Base {
public:
    using Test = bool (*)(const T* item, const void* data);

    T* append(T* item) { return static_cast<T*>(Base::append(item)); }
    T* prepend(T* item) { return static_cast<T*>(Base::prepend(item)); }
    T* insert(T* item) { return static_cast<T*>(Base::insert(item)); }
    T* insertAt(std::size_t i, T* item) { return static_cast<T*>(Base::insertAt(i, item)); }
    T* at(std::size_t i) const { return static_cast<T*>(Base::at(i)); }
    T* first() const { return static_cast<T*>(Base::first()); }
    T* last() const { return static_cast<T*>(Base::last()); }
    T* get() { return static_cast<T*>(Base::get()); }
    T* removeFirst() { return static_cast<T*>(Base::removeFirst()); }
    T* removeLast() { return static_cast<T*>(Base::removeLast()); }
    T* removeReference(const T* item) { return static_cast<T*>(Base::removeReference(item)); }
    bool containsReference(const T* item) const { return Base::containsReference(item); }
    bool contains(Test test, const void* data) const
    {
        const Probe probe{test, data};
        return Base::contains(&Probe::call, &probe);
    }
    T* find(Test test, const void* data) const
    {
        const Probe probe{test, data};
        return static_cast<T*>(Base::find(&Probe::call, &probe));
    }
    std::size_t index(Test test, const void* data) const
    {
        const Probe probe{test, data};
        return Base::index(&Probe::call, &probe);
    }
    T* remove(Test test, const void* data)
    {
        const Probe probe{test, data};
        return static_cast<T*>(Base::remove(&Probe::call, &probe));
    }

private:
    // Carries the typed test through the untyped list.
    struct Probe {
        Test test;
        const void* data;
        static bool call(const void* item, const void* probe)
        {
            const auto* p = static_cast<const Probe*>(probe);
            return p->test(static_cast<const T*>(item), p->data);
        }
    };
};

template <class T> class RWGSlist : public RWGTypedList<T, RWSlist> {};
template <class T> class RWGDlist : public RWGTypedList<T, RWDlist> {};

template <class T> class RWGSlistIterator : public RWSlistIterator {
public:
    explicit RWGSlistIterator(RWGSlist<T>& list) : RWSlistIterator(list) {}
    T* operator()() { return static_cast<T*>(RWSlistIterator::operator()()); }
    T* key() const { return static_cast<T*>(RWSlistIterator::key()); }
    T* remove() { return static_cast<T*>(RWSlistIterator::remove()); }
    T* insertAfterPoint(T* item)
    {
        return static_cast<T*>(RWSlistIterator::insertAfterPoint(item));
    }
    T* findNextReference(const T* item)
    {
        return static_cast<T*>(RWSlistIterator::findNextReference(item));
    }
};

template <class T> class RWGDlistIterator : public RWDlistIterator {
public:
    explicit RWGDlistIterator(RWGDlist<T>& list) : RWDlistIterator(list) {}
    T* operator()() { return static_cast<T*>(RWDlistIterator::operator()()); }
    T* operator--(int) { return static_cast<T*>(RWDlistIterator::operator--(0)); }
    bool operator--() { return RWDlistIterator::operator--(); }
    T* key() const { return static_cast<T*>(RWDlistIterator::key()); }
    T* remove() { return static_cast<T*>(RWDlistIterator::remove()); }
    T* insertAfterPoint(T* item)
    {
        return static_cast<T*>(RWDlistIterator::insertAfterPoint(item));
    }
    T* findNextReference(const T* item)
    {
        return static_cast<T*>(RWDlistIterator::findNextReference(item));
    }
};

// A vector of n values that grows only when asked (resize); new slots hold T().
template <class T> class RWGVector {
public:
    explicit RWGVector(std::size_t n = 0) : items_(n) {}
    RWGVector(std::size_t n, const T& value) : items_(n, value) {}

    std::size_t length() const { return items_.size(); }
    void resize(std::size_t n) { items_.resize(n); }
    // Checked access.
    T& operator[](std::size_t i)
    {
        if (i >= items_.size())
            rwThrowBounds("RWGVector::operator[]", i, items_.size());
        return items_[i];
    }
    const T& operator[](std::size_t i) const
    {
        if (i >= items_.size())
            rwThrowBounds("RWGVector::operator[]", i, items_.size());
        return items_[i];
    }
    T& operator()(std::size_t i) { return (*this)[i]; }
    const T& operator()(std::size_t i) const { return (*this)[i]; }
    T* data() { return items_.data(); }
    const T* data() const { return items_.data(); }

private:
    std::vector<T> items_;
};
