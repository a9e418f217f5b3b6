// cobjrwc.cpp: the object root, its two process-wide pointers and its factory entry.
#include "frm/core/cobjrwc.h"

#include "frm/core/frmerror.h"

namespace {
constexpr char kModule[] = "cobjrwc";
constexpr long kErrNotPersistent = 6600;
// Each persistence call reports from a line of its own.
constexpr int kLineStoreSize = 64;
constexpr int kLineRestoreStream = 71;
constexpr int kLineRestoreFile = 77;
constexpr int kLineSaveStream = 83;
constexpr int kLineSaveFile = 89;

struct RootState {
    FRM_CGlobalClassLib* library = nullptr;
    FRM_CGlobalUser* user = nullptr;
};
RootState state;

RWCollectable* CreateRoot() { return new FRM_CObjectRWC; }

// Registers the root with the container library's factory for the life of the library.
struct FactoryEntry {
    FactoryEntry() { rwAddToFactory(CreateRoot, frm_type::CObjectRWC.GetId(), "CObjectRWC"); }
    ~FactoryEntry() { rwRemoveFromFactory(static_cast<RWClassID>(frm_type::CObjectRWC.GetId())); }
};
const FactoryEntry factoryEntry;
} // namespace

RWCollectable* FRM_CObjectRWC::newSpecies() const { return new FRM_CObjectRWC; }
RWCollectable* FRM_CObjectRWC::copy() const { return new FRM_CObjectRWC(*this); }
RWClassID FRM_CObjectRWC::isA() const { return classIsA(); }
RWClassID FRM_CObjectRWC::classIsA()
{
    return static_cast<RWClassID>(frm_type::CObjectRWC.GetId());
}

std::size_t FRM_CObjectRWC::binaryStoreSize() const
{
    FrmError(kErrNotPersistent, kModule, kLineStoreSize);
    return 0;
}
void FRM_CObjectRWC::restoreGuts(RWvistream&)
{
    FrmError(kErrNotPersistent, kModule, kLineRestoreStream);
}
void FRM_CObjectRWC::restoreGuts(RWFile&)
{
    FrmError(kErrNotPersistent, kModule, kLineRestoreFile);
}
void FRM_CObjectRWC::saveGuts(RWvostream&) const
{
    FrmError(kErrNotPersistent, kModule, kLineSaveStream);
}
void FRM_CObjectRWC::saveGuts(RWFile&) const
{
    FrmError(kErrNotPersistent, kModule, kLineSaveFile);
}

const FRM_CTypeInfo* FRM_CObjectRWC::GetRunTimeTypeInfo() const { return &frm_type::CObjectRWC; }

FRM_CGlobalClassLib* FRM_CObjectRWC::GetG() { return state.library; }
FRM_CGlobalUser* FRM_CObjectRWC::GetGU() { return state.user; }
void FRM_CObjectRWC::SetG(FRM_CGlobalClassLib* library) { state.library = library; }
void FRM_CObjectRWC::SetGU(FRM_CGlobalUser* user) { state.user = user; }
