// cstackbl.h: FRM_CStackable, objects that take turns at being current. One process-wide
// stack holds every stackable in order of construction; its last entry is the top. When the
// top goes, the one below it becomes the top and hears DoUpdate. The stack owns nothing.
#pragma once

#include "vkocoll/generic.h"

class FRM_CStackable;
using FRM_CStackableRWGDlist = RWGDlist<FRM_CStackable>;

class FRM_CStackable {
public:
    // Enters the stack on top.
    FRM_CStackable();
    // A copy is not stacked; assignment leaves both places in the stack as they are.
    FRM_CStackable(const FRM_CStackable&);
    FRM_CStackable& operator=(const FRM_CStackable&) = default;
    // Leaves the stack; a new top then hears DoUpdate.
    virtual ~FRM_CStackable();

    short IsTop() const;
    // Moves to the top and hears DoUpdate; nothing when already the top.
    void MakeTop();
    static FRM_CStackableRWGDlist& GetStack();

protected:
    virtual void DoUpdate() {}
};
