// cfactmgr.cpp: the factory stacks and their one-entry cache.
#include "frm/core/cfactmgr.h"

#include "frm/core/frmerror.h"

namespace {

constexpr char kModule[] = "cfactmgr";
constexpr long kErrFactory = 0;
constexpr int kLineAddNull = 195;
constexpr int kLineRemoveNull = 205;

} // namespace

FRM_CFactoryMgr::Stack& FRM_CFactoryMgr::StackOf(int kind)
{
    if (kind >= 0 && kind < kFixedKinds)
        return itsFixedStacks[static_cast<std::size_t>(kind)];
    return itsOtherStacks[kind]; // made on first use, like the sentinel it stands for
}

void FRM_CFactoryMgr::ReleaseIfEmpty(int kind)
{
    if (kind >= 0 && kind < kFixedKinds)
        return;
    auto it = itsOtherStacks.find(kind);
    if (it != itsOtherStacks.end() && it->second.empty())
        itsOtherStacks.erase(it);
}

bool FRM_CFactoryMgr::HasStackFor(int kind) const
{
    if (kind >= 0 && kind < kFixedKinds)
        return true;
    return itsOtherStacks.count(kind) != 0;
}

CFactory* FRM_CFactoryMgr::GetFactory(int kind)
{
    if (itIsCacheValid && itIsCacheTop && itsCachedKind == kind)
        return itsCachedFactory;
    const Stack& stack = StackOf(kind);
    if (stack.empty())
        return nullptr;
    itIsCacheValid = true;
    itIsCacheTop = true;
    itsCachedKind = kind;
    itsCachedPosition = stack.size() - 1;
    itsCachedFactory = stack.back();
    return itsCachedFactory;
}

CFactory* FRM_CFactoryMgr::GetNextFactory(int kind, const CFactory* factory)
{
    const Stack& stack = StackOf(kind);
    std::size_t position = 0;
    bool found = false;
    if (itIsCacheValid && itsCachedKind == kind && itsCachedFactory == factory) {
        position = itsCachedPosition;
        found = true;
    } else {
        for (std::size_t i = stack.size(); i-- > 0;) {
            if (stack[i] == factory) {
                position = i;
                found = true;
                break;
            }
        }
    }
    if (!found || position == 0)
        return nullptr;
    itIsCacheValid = true;
    itIsCacheTop = false;
    itsCachedKind = kind;
    itsCachedPosition = position - 1;
    itsCachedFactory = stack[position - 1];
    return itsCachedFactory;
}

void FRM_CFactoryMgr::AddFactory(int kind, CFactory* factory)
{
    if (factory == nullptr) {
        FrmError(kErrFactory, kModule, kLineAddNull);
        return;
    }
    StackOf(kind).push_back(factory);
    if (itIsCacheValid && itsCachedKind == kind)
        itIsCacheValid = false;
}

void FRM_CFactoryMgr::RemoveFactory(int kind, const CFactory* factory)
{
    if (factory == nullptr) {
        FrmError(kErrFactory, kModule, kLineRemoveNull);
        return;
    }
    Stack& stack = StackOf(kind);
    for (std::size_t i = stack.size(); i-- > 0;) {
        if (stack[i] == factory) {
            stack.erase(stack.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    if (itIsCacheValid && itsCachedKind == kind)
        itIsCacheValid = false; // positions below the removed entry moved
    ReleaseIfEmpty(kind);
}
