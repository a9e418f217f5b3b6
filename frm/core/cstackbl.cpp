// cstackbl.cpp: the stack of stackables.
#include "frm/core/cstackbl.h"

FRM_CStackableRWGDlist& FRM_CStackable::GetStack()
{
    // Built on first use, so stackables made by other modules' static initialisers find it.
    static FRM_CStackableRWGDlist stack;
    return stack;
}

FRM_CStackable::FRM_CStackable()
{
    GetStack().append(this);
}

FRM_CStackable::FRM_CStackable(const FRM_CStackable&) {}

FRM_CStackable::~FRM_CStackable()
{
    FRM_CStackableRWGDlist& stack = GetStack();
    if (stack.removeReference(this) == nullptr)
        return;    // a copy, never stacked
    if (!stack.isEmpty())
        stack.last()->DoUpdate();
}

short FRM_CStackable::IsTop() const
{
    const FRM_CStackableRWGDlist& stack = GetStack();
    return !stack.isEmpty() && stack.last() == this ? 1 : 0;
}

void FRM_CStackable::MakeTop()
{
    if (IsTop())
        return;
    FRM_CStackableRWGDlist& stack = GetStack();
    if (stack.removeReference(this) == nullptr)
        return;    // not stacked: a copy never takes turns
    stack.append(this);
    DoUpdate();
}
