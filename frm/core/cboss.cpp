// cboss.cpp: notifiers (controller bookkeeping, TdiNotify, TdiRequest), bosses (units
// ownership, broadcasts) and the class-wide creation units.
#include "frm/core/cboss.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>
#include "frm/core/ccmdnums.h"
#include "frm/core/ccntrllr.h"
#include "frm/core/ctdicntr.h"
#include "frm/core/ctdivalue.h"
#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "vkocoll/ordered.h"

namespace {
constexpr char kModule[] = "cboss";
constexpr long kErrOwnedUnits = 0;
constexpr long kErrNullLibrary = 100;
constexpr long kErrNullUser = 101;
constexpr int kLineIBossLibrary = 89;
constexpr int kLineIBossUser = 98;
constexpr int kLineSetUnits = 142;
constexpr int kLineCreationUnits = 209;

struct BossState {
    FRM_CUnits* creationUnits = nullptr;   // for the next boss constructed
};
BossState state;

// The controllers of a list, each once, so that a controller listed twice is told once.
std::vector<FRM_CController*> Distinct(const RWOrdered* list)
{
    std::vector<FRM_CController*> controllers;
    if (list == nullptr)
        return controllers;
    for (std::size_t i = 0; i < list->entries(); ++i) {
        auto* const controller = static_cast<FRM_CController*>((*list)[i]);
        bool seen = false;
        for (FRM_CController* known : controllers)
            seen = seen || known == controller;
        if (!seen)
            controllers.push_back(controller);
    }
    return controllers;
}
} // namespace

// ---- notifier ------------------------------------------------------------------------------

FRM_CNotifier::FRM_CNotifier(const FRM_CNotifier& other) : FRM_CObjectRWC(other) {}

// Hand-written: the controller lists stay this notifier's own; only the root part is copied.
FRM_CNotifier& FRM_CNotifier::operator=(const FRM_CNotifier& other)
{
    FRM_CObjectRWC::operator=(other);
    return *this;
}

FRM_CNotifier::~FRM_CNotifier()
{
    // Each controller's Remove takes it out of the list being walked: walk a snapshot.
    for (FRM_CController* controller : Distinct(itsDependentControllers))
        controller->RemoveDependent(this);
    delete itsDependentControllers;
    itsDependentControllers = nullptr;
    for (FRM_CController* controller : Distinct(itsProviderControllers))
        controller->RemoveProvider(this);
    delete itsProviderControllers;
    itsProviderControllers = nullptr;
    FRM_CTdiController* const primary = itsPrimaryController;
    itsPrimaryController = nullptr;
    delete primary;
}

void FRM_CNotifier::DoUpdateModel(long, long, const FRM_CModel*) {}

short FRM_CNotifier::DoChangeModel(long controllerId, FRM_CNotifier* provider, long command,
                                   const FRM_CModel* model)
{
    FRM_CController* controller = nullptr;
    if (itsPrimaryController != nullptr && itsPrimaryController->GetId() == controllerId)
        controller = itsPrimaryController;
    else if (FRM_CControllerMgr* const manager = FrmGetControllerMgr())
        controller = manager->Find(controllerId);
    if (controller == nullptr)
        return 0;
    return controller->DoChange(provider, command, model);
}

void FRM_CNotifier::SetPrimaryController(FRM_CTdiController* controller)
{
    if (controller == itsPrimaryController)
        return;
    if (itsPrimaryController != nullptr)
        itsPrimaryController->RemoveProvider(this);
    itsPrimaryController = controller;
    if (controller != nullptr)
        controller->AddProvider(this);
}

short FRM_CNotifier::CreateProviderControllers()
{
    if (itsProviderControllers == nullptr)
        itsProviderControllers = new RWOrdered;
    return 1;
}

short FRM_CNotifier::CreateDependentControllers()
{
    if (itsDependentControllers == nullptr)
        itsDependentControllers = new RWOrdered;
    return 1;
}

void FRM_CNotifier::NotifyPrimary(long id, const FRM_CTdiValue* value)
{
    if (itsPrimaryController != nullptr)
        itsPrimaryController->DoChange(this, id, value);
}

void FRM_CNotifier::TdiNotify(long id, const char* text)
{
    if (itsPrimaryController == nullptr)
        return;
    const FRM_CTdiStringValue value(FRM_CStringRW(text), this, id);
    NotifyPrimary(id, &value);
}

void FRM_CNotifier::TdiNotify(long id, const FRM_CStringRW& text) { TdiNotify(id, text.data()); }

void FRM_CNotifier::TdiNotify(long id, short state)
{
    if (itsPrimaryController == nullptr)
        return;
    const FRM_CTdiBooleanValue value(state, this, id);
    NotifyPrimary(id, &value);
}

void FRM_CNotifier::TdiNotify(long id, bool state) { TdiNotify(id, static_cast<short>(state)); }

void FRM_CNotifier::TdiNotify(long id, long number)
{
    if (itsPrimaryController == nullptr)
        return;
    // An integer value holds an int: a long beyond its range arrives at the nearest end.
    const long clamped = std::clamp<long>(number, std::numeric_limits<int>::min(),
                                          std::numeric_limits<int>::max());
    const FRM_CTdiIntegerValue value(static_cast<int>(clamped), this, id);
    NotifyPrimary(id, &value);
}

void FRM_CNotifier::TdiNotify(long id, int number) { TdiNotify(id, static_cast<long>(number)); }

void FRM_CNotifier::TdiNotify(long id, float number)
{
    if (itsPrimaryController == nullptr)
        return;
    // A whole number travels as an integer value when an int can hold it.
    const bool whole = std::isfinite(number) && std::trunc(number) == number &&
                       std::fabs(number) <= 2147483520.0f;
    if (whole) {
        const FRM_CTdiIntegerValue value(static_cast<int>(number), this, id);
        NotifyPrimary(id, &value);
        return;
    }
    const FRM_CTdiFloatValue value(FRM_CFloat(number), this, id);
    NotifyPrimary(id, &value);
}

void FRM_CNotifier::TdiNotify(long id, double number)
{
    TdiNotify(id, static_cast<float>(number));
}

void FRM_CNotifier::TdiNotify(long id, FRM_CTdiValue* value)
{
    if (itsPrimaryController == nullptr)
        return;
    if (value != nullptr)
        value->SetContext(id);
    NotifyPrimary(id, value);
}

void FRM_CNotifier::TdiNotify(long id) { NotifyPrimary(id, nullptr); }

void FRM_CNotifier::TdiRequest(long command, const FRM_CTdiValue* data, FRM_CNotifier* provider)
{
    if (itsDependentControllers == nullptr)
        return;
    std::vector<FRM_CNotifier*> providers;
    if (provider != nullptr) {
        providers.push_back(provider);
    } else {
        for (FRM_CController* controller : Distinct(itsDependentControllers)) {
            if (FrmCast<FRM_CTdiController>(controller) == nullptr)
                continue;
            const RWOrdered* const list = controller->GetProviders();
            for (std::size_t i = 0; list != nullptr && i < list->entries(); ++i)
                providers.push_back(static_cast<FRM_CNotifier*>((*list)[i]));
        }
    }
    for (FRM_CNotifier* source : providers) {
        FRM_CTdiController* const primary = source->GetPrimaryController();
        FRM_CNotifier* const remembered =
            primary != nullptr ? primary->GetActiveDependent() : nullptr;
        if (primary != nullptr)
            primary->SetActiveDependent(this);
        source->DoUpdateModel(0, command, data);
        if (primary != nullptr && source->GetPrimaryController() == primary)
            primary->SetActiveDependent(remembered);
    }
}

// ---- boss ----------------------------------------------------------------------------------

FRM_CBoss::FRM_CBoss() : itsUnits(GetCreationUnits())
{
    if (itsUnits != nullptr)
        itsUnits->SetOwner(this);
    FRM_CUnits::SetGlobalUnits(itsUnits);
}

FRM_CBoss::FRM_CBoss(const FRM_CBoss& other)
    : FRM_CNotifier(other), itsBroadcasting(other.itsBroadcasting)
{
    if (other.itsUnits != nullptr) {
        itsUnits = new FRM_CUnits(*other.itsUnits);
        itsUnits->SetOwner(this);
    }
}

// Hand-written: the units are deep-copied and installed through SetUnits.
FRM_CBoss& FRM_CBoss::operator=(const FRM_CBoss& other)
{
    if (this == &other)
        return *this;
    FRM_CNotifier::operator=(other);
    FRM_CUnits* const copy = other.itsUnits != nullptr ? new FRM_CUnits(*other.itsUnits) : nullptr;
    if (copy != nullptr)
        copy->SetOwner(nullptr);
    SetUnits(copy);
    itsBroadcasting = other.itsBroadcasting;
    return *this;
}

FRM_CBoss::~FRM_CBoss()
{
    if (itsUnits != nullptr && itsUnits->GetOwner() == this) {
        itsUnits->SetOwner(nullptr);   // so that the units do not call back into this boss
        delete itsUnits;
    }
    itsUnits = nullptr;
}

short FRM_CBoss::IBoss(FRM_CGlobalClassLib* library)
{
    if (library == nullptr) {
        FrmError(kErrNullLibrary, kModule, kLineIBossLibrary);
        return 0;
    }
    SetG(library);
    return 1;
}

short FRM_CBoss::IBoss(FRM_CGlobalUser* user)
{
    if (user == nullptr) {
        FrmError(kErrNullUser, kModule, kLineIBossUser);
        return 0;
    }
    SetGU(user);
    return 1;
}

void FRM_CBoss::DoCommand(long command, void*)
{
    if (command != kNoCommand && GetPrimaryController() != nullptr)
        TdiNotify(command);
}

void FRM_CBoss::DoMenuCommand(short, short, short) {}
void FRM_CBoss::ChangeFont(FRM_CFont*) {}
void FRM_CBoss::DoTimer(long) {}
void FRM_CBoss::DoUser(long, void*) {}

template <class Fn>
void FRM_CBoss::Broadcast(Fn&& visit)
{
    itsBroadcasting = 1;
    if (const RWOrdered* const children = GetSubObjects()) {
        // A handler may change the list: re-check the bound at each step.
        for (std::size_t i = 0; i < children->entries(); ++i)
            visit(static_cast<FRM_CBoss*>((*children)[i]));
    }
    itsBroadcasting = 0;
}

void FRM_CBoss::BroadcastCommand(long command, void* data, short childrenOnly)
{
    Broadcast([&](FRM_CBoss* child) {
        if (childrenOnly != 0)
            child->DoCommand(command, data);
        else
            child->BroadcastCommand(command, data, childrenOnly);
    });
}

void FRM_CBoss::BroadcastMenuCommand(short tag, short shift, short control, short childrenOnly)
{
    Broadcast([&](FRM_CBoss* child) {
        if (childrenOnly != 0)
            child->DoMenuCommand(tag, shift, control);
        else
            child->BroadcastMenuCommand(tag, shift, control, childrenOnly);
    });
}

void FRM_CBoss::BroadcastTimer(long timerId, short childrenOnly)
{
    Broadcast([&](FRM_CBoss* child) {
        if (childrenOnly != 0)
            child->DoTimer(timerId);
        else
            child->BroadcastTimer(timerId, childrenOnly);
    });
}

void FRM_CBoss::BroadcastUser(long id, void* data, short childrenOnly)
{
    Broadcast([&](FRM_CBoss* child) {
        if (childrenOnly != 0)
            child->DoUser(id, data);
        else
            child->BroadcastUser(id, data, childrenOnly);
    });
}

FRM_CUnits* FRM_CBoss::GetUnits() const { return itsUnits; }

void FRM_CBoss::SetUnits(FRM_CUnits* units)
{
    if (units != nullptr && units->GetOwner() != nullptr && units->GetOwner() != this) {
        FrmError(kErrOwnedUnits, kModule, kLineSetUnits);
        return;
    }
    if (units == itsUnits)
        return;
    if (itsUnits != nullptr && itsUnits->GetOwner() == this) {
        FRM_CUnits* const old = itsUnits;
        itsUnits = nullptr;
        old->SetOwner(nullptr);
        delete old;
    }
    if (units != nullptr)
        units->SetOwner(this);
    UpdateUnits(units);
}

RWOrdered* FRM_CBoss::GetSubObjects() const { return nullptr; }
std::int32_t FRM_CBoss::GetId() const { return itsId; }
void FRM_CBoss::SetId(std::int32_t id) { itsId = id; }

void FRM_CBoss::UpdateUnits(FRM_CUnits* units)
{
    itsUnits = units;
    const RWOrdered* const children = GetSubObjects();
    for (std::size_t i = 0; children != nullptr && i < children->entries(); ++i) {
        auto* const child = static_cast<FRM_CBoss*>((*children)[i]);
        const FRM_CUnits* const own = child->GetUnits();
        if (own != nullptr && own->GetOwner() == child)
            continue;
        child->UpdateUnits(units);
    }
}

void FRM_CBoss::SetCreationUnits(FRM_CUnits* units)
{
    if (units != nullptr && units->GetOwner() != nullptr) {
        FrmError(kErrOwnedUnits, kModule, kLineCreationUnits);
        return;
    }
    state.creationUnits = units;
}

FRM_CUnits* FRM_CBoss::GetCreationUnits()
{
    FRM_CUnits* const units = state.creationUnits;
    state.creationUnits = nullptr;
    return units;
}
