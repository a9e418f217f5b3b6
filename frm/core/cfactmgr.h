// cfactmgr.h: FRM_CFactoryMgr, one stack of factories per factory kind. The factory on top
// of a kind's stack is asked first; it builds the object or passes the request to the one
// below it (GetNextFactory). Kinds 0 to 31 are found by index, others through a map whose
// entry is made when the kind is first asked for and dropped with its last factory. A
// one-entry cache answers repeated lookups and each delegation step. The manager never owns
// factories: whoever installs one destroys it.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "frm/core/cboss.h"

// The common base of the factory classes: no state, only a virtual destructor.
class CFactory {
public:
    CFactory() = default;
    CFactory(const CFactory&) = default;
    CFactory& operator=(const CFactory&) = default;
    virtual ~CFactory() = default;
};

class FRM_CFactoryMgr : public FRM_CNotifier {
    FRM_TYPE_INFO(CFactoryMgr)
public:
    // The framework's kinds.
    enum Kind : int {
        kApplication = 0,
        kPlatform = 1,
        kResource = 2,
        kMenu = 3,
        kView = 4,
        kWindow = 5,
        kValidator = 6
    };
    static constexpr int kFixedKinds = 32;

    FRM_CFactoryMgr() = default;
    FRM_CFactoryMgr(const FRM_CFactoryMgr&) = delete;
    FRM_CFactoryMgr& operator=(const FRM_CFactoryMgr&) = delete;
    ~FRM_CFactoryMgr() override = default;

    // The top of the kind's stack, null when it is empty.
    CFactory* GetFactory(int kind);
    // The factory directly below factory on the kind's stack; null at the bottom or when
    // factory is not on the stack.
    CFactory* GetNextFactory(int kind, const CFactory* factory);
    // Pushes factory (null: fatal 0). One factory may sit on several kinds.
    void AddFactory(int kind, CFactory* factory);
    // Takes the topmost entry holding factory off the kind's stack (null: fatal 0).
    void RemoveFactory(int kind, const CFactory* factory);

    // Whether a stack exists for a kind outside 0..31 (made by the first lookup).
    bool HasStackFor(int kind) const;

private:
    using Stack = std::vector<CFactory*>; // bottom first
    Stack& StackOf(int kind);
    void ReleaseIfEmpty(int kind);

    std::array<Stack, kFixedKinds> itsFixedStacks;
    std::unordered_map<int, Stack> itsOtherStacks;
    // One-entry cache: the kind, the position on its stack and the factory there.
    bool itIsCacheValid = false;
    bool itIsCacheTop = false;
    int itsCachedKind = 0;
    std::size_t itsCachedPosition = 0;
    CFactory* itsCachedFactory = nullptr;
};
