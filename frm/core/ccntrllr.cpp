// ccntrllr.cpp: controllers, the controller manager and the process's manager pointer.
#include "frm/core/ccntrllr.h"

#include <vector>
#include "frm/core/frmerror.h"
#include "frm/runtime/cglblcls.h"
#include "vkocoll/ordered.h"

namespace {
constexpr char kModule[] = "ccntrllr";
constexpr long kErrCopy = 2750;
constexpr long kErrAssign = 2755;
constexpr int kLineCopy = 79;
constexpr int kLineAssign = 84;

struct ControllerState {
    FRM_CControllerMgr* manager = nullptr;   // installed in place of the library's; not owned
};
ControllerState state;

// By identity: a value wrapper's isEqual compares values, not objects.
bool Holds(const RWOrdered* list, const RWCollectable* item)
{
    for (std::size_t i = 0; list != nullptr && i < list->entries(); ++i) {
        if ((*list)[i] == item)
            return true;
    }
    return false;
}
} // namespace

FRM_CControllerMgr* FrmGetControllerMgr()
{
    if (state.manager != nullptr)
        return state.manager;
    const FRM_CGlobalClassLib* const library = FRM_CObjectRWC::GetG();
    return library != nullptr ? library->GetControllerMgr() : nullptr;
}
void FrmSetControllerMgr(FRM_CControllerMgr* manager) { state.manager = manager; }

FRM_CController::FRM_CController(FRM_CModel* model)
    : itsDependents(new RWOrdered), itsProviders(new RWOrdered), itsModel(model)
{
    if (FRM_CControllerMgr* const manager = FrmGetControllerMgr())
        itsId = manager->Insert(this);
}

FRM_CController::FRM_CController(const FRM_CController& other) : FRM_CNotifier(other)
{
    FrmError(kErrCopy, kModule, kLineCopy);
}

// Hand-written: assigning a controller is an error; nothing is copied.
FRM_CController& FRM_CController::operator=(const FRM_CController&)
{
    FrmError(kErrAssign, kModule, kLineAssign);
    return *this;
}

FRM_CController::~FRM_CController()
{
    if (itsDependents != nullptr) {
        for (std::size_t i = 0; i < itsDependents->entries(); ++i) {
            auto* const notifier = static_cast<FRM_CNotifier*>((*itsDependents)[i]);
            if (RWOrdered* const list = notifier->GetDependentControllers())
                list->removeReference(this);
        }
    }
    if (itsProviders != nullptr) {
        for (std::size_t i = 0; i < itsProviders->entries(); ++i) {
            auto* const notifier = static_cast<FRM_CNotifier*>((*itsProviders)[i]);
            if (RWOrdered* const list = notifier->GetProviderControllers())
                list->removeReference(this);
        }
    }
    if (itsId != 0) {
        if (FRM_CControllerMgr* const manager = FrmGetControllerMgr())
            manager->Remove(itsId, 0);
    }
    delete itsModel;
    delete itsDependents;
    delete itsProviders;
}

short FRM_CController::SetModel(FRM_CNotifier* provider, FRM_CModel* model)
{
    if (!IsProvider(provider))
        return 0;
    ReplaceModel(model);
    return 1;
}

void FRM_CController::ReplaceModel(FRM_CModel* model)
{
    if (model == itsModel)
        return;
    delete itsModel;
    itsModel = model;
}

FRM_CModel* FRM_CController::GetModel() const { return itsModel; }

short FRM_CController::DoChange(FRM_CNotifier* provider, long command, const FRM_CModel* model)
{
    if (!IsProvider(provider))
        return 0;
    if (itsModel == nullptr || itsModel->Change(command, model) == 0 || itsDependents == nullptr)
        return 0;
    itsCurrentProvider = provider;
    // A dependent may leave (or join) while it hears the change: walk the list as it was and
    // skip a notifier that is no longer a dependent.
    std::vector<FRM_CNotifier*> dependents;
    for (std::size_t i = 0; i < itsDependents->entries(); ++i)
        dependents.push_back(static_cast<FRM_CNotifier*>((*itsDependents)[i]));
    for (FRM_CNotifier* dependent : dependents) {
        if (IsDependent(dependent))
            dependent->DoUpdateModel(itsId, command, GetModel());
    }
    itsCurrentProvider = nullptr;
    return 1;
}

short FRM_CController::AddDependent(FRM_CNotifier* notifier)
{
    if (notifier == nullptr || itsDependents == nullptr || IsDependent(notifier))
        return 0;
    if (notifier->CreateDependentControllers() == 0)
        return 0;
    itsDependents->insert(notifier);
    notifier->GetDependentControllers()->insert(this);
    return 1;
}

short FRM_CController::RemoveDependent(FRM_CNotifier* notifier)
{
    if (itsDependents == nullptr || itsDependents->removeReference(notifier) == nullptr)
        return 0;
    if (RWOrdered* const list = notifier->GetDependentControllers())
        list->removeReference(this);
    return 1;
}

RWOrdered* FRM_CController::GetDependents() const { return itsDependents; }

short FRM_CController::IsDependent(const FRM_CNotifier* notifier) const
{
    return Holds(itsDependents, notifier) ? 1 : 0;
}

short FRM_CController::AddProvider(FRM_CNotifier* notifier)
{
    if (notifier == nullptr || itsProviders == nullptr || IsProvider(notifier))
        return 0;
    if (notifier->CreateProviderControllers() == 0)
        return 0;
    itsProviders->insert(notifier);
    notifier->GetProviderControllers()->insert(this);
    return 1;
}

short FRM_CController::RemoveProvider(FRM_CNotifier* notifier)
{
    if (itsProviders == nullptr || itsProviders->removeReference(notifier) == nullptr)
        return 0;
    if (RWOrdered* const list = notifier->GetProviderControllers())
        list->removeReference(this);
    return 1;
}

RWOrdered* FRM_CController::GetProviders() const { return itsProviders; }

short FRM_CController::IsProvider(const FRM_CNotifier* notifier) const
{
    return Holds(itsProviders, notifier) ? 1 : 0;
}

FRM_CNotifier* FRM_CController::GetCurrentProvider() const { return itsCurrentProvider; }

void FRM_CController::CreateProviderList()
{
    if (itsProviders == nullptr)
        itsProviders = new RWOrdered;
}

FRM_CControllerMgr::FRM_CControllerMgr() : itsControllers(new RWOrdered) {}

// Hand-written: the managed controllers belong to this manager; nothing is copied.
FRM_CControllerMgr& FRM_CControllerMgr::operator=(const FRM_CControllerMgr&) { return *this; }

FRM_CControllerMgr::~FRM_CControllerMgr()
{
    // Empty the list first: each controller's destructor asks the manager to remove it.
    std::vector<FRM_CController*> controllers;
    for (std::size_t i = 0; i < itsControllers->entries(); ++i) {
        auto* const controller = static_cast<FRM_CController*>((*itsControllers)[i]);
        bool seen = false;
        for (FRM_CController* known : controllers)
            seen = seen || known == controller;
        if (!seen)
            controllers.push_back(controller);
    }
    itsControllers->clear();
    for (FRM_CController* controller : controllers)
        delete controller;
    delete itsControllers;
    if (FrmGetControllerMgr() == this)
        FrmSetControllerMgr(nullptr);
}

std::int32_t FRM_CControllerMgr::Insert(FRM_CController* controller)
{
    itsControllers->insert(controller);
    return ++itsLastId;
}

short FRM_CControllerMgr::Remove(std::int32_t id, short destroy)
{
    for (std::size_t i = 0; i < itsControllers->entries(); ++i) {
        auto* const controller = static_cast<FRM_CController*>((*itsControllers)[i]);
        if (controller->GetId() != id)
            continue;
        itsControllers->removeAt(i);
        if (destroy != 0)
            delete controller;
        return 1;
    }
    return 0;
}

FRM_CController* FRM_CControllerMgr::Find(std::int32_t id) const
{
    for (std::size_t i = 0; i < itsControllers->entries(); ++i) {
        auto* const controller = static_cast<FRM_CController*>((*itsControllers)[i]);
        if (controller->GetId() == id)
            return controller;
    }
    return nullptr;
}
