// dlist.h: RWDlist, the doubly linked list of untyped pointers, and its iterator, which can
// also step backwards. The list never owns its pointers.
#pragma once
#include "vkocoll/ptrlist.h"

class RWDlist : public RWPtrList {
public:
    RWDlist() = default;
    explicit RWDlist(void* item) { append(item); }
};

class RWDlistIterator : public RWPtrListIterator {
public:
    explicit RWDlistIterator(RWDlist& list) : RWPtrListIterator(list) {}
    // Steps back and answers the item there, nil once before the first.
    void* operator--(int)
    {
        return stepBack() ? key() : nullptr;
    }
    bool operator--() { return stepBack(); }
};
