// slist.h: RWSlist, the singly linked list of untyped pointers, and its iterator. The list
// holds handler, manager and similar pointers and never owns them.
#pragma once
#include "vkocoll/ptrlist.h"

class RWSlist : public RWPtrList {
public:
    RWSlist() = default;
    explicit RWSlist(void* item) { append(item); }
};

class RWSlistIterator : public RWPtrListIterator {
public:
    explicit RWSlistIterator(RWSlist& list) : RWPtrListIterator(list) {}
};
