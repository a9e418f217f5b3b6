// ccntrllr.h: FRM_CController links providers to dependents through a model: a provider's
// change, once the model accepts it, reaches every dependent's DoUpdateModel. The controller
// keeps its lists and the notifiers' lists of controllers in step, owns its model and owns
// neither list's notifiers. FRM_CControllerMgr numbers the controllers of the process.
#pragma once
#include <cstdint>
#include "frm/core/cboss.h"

class FRM_CController : public FRM_CNotifier {
    FRM_TYPE_INFO(CController)
    // Not registered, no lists: operations that need a list answer 0.
    FRM_CController() = default;
    // Takes model; makes both lists and registers with the process's controller manager
    // (FrmGetControllerMgr), keeping the id it gives (0 without a manager).
    explicit FRM_CController(FRM_CModel* model);
    // Copying is refused (fatal 2750, 2755).
    FRM_CController(const FRM_CController& other);
    FRM_CController& operator=(const FRM_CController& other);
    // Leaves every dependent's and provider's list and the manager; deletes the model.
    ~FRM_CController() override;

    // Only a provider may replace the model (the old one is deleted); 1 when replaced.
    virtual short SetModel(FRM_CNotifier* provider, FRM_CModel* model);
    virtual FRM_CModel* GetModel() const;
    // A provider's change: when the model accepts it, each dependent's DoUpdateModel (id,
    // command, GetModel()) in list order; 1 when passed on.
    virtual short DoChange(FRM_CNotifier* provider, long command, const FRM_CModel* model);
    virtual short AddDependent(FRM_CNotifier* notifier);
    virtual short RemoveDependent(FRM_CNotifier* notifier);
    virtual RWOrdered* GetDependents() const;
    virtual short IsDependent(const FRM_CNotifier* notifier) const;
    virtual short AddProvider(FRM_CNotifier* notifier);
    virtual short RemoveProvider(FRM_CNotifier* notifier);
    virtual RWOrdered* GetProviders() const;
    virtual short IsProvider(const FRM_CNotifier* notifier) const;
    // The provider whose change is being passed on, null outside DoChange.
    virtual FRM_CNotifier* GetCurrentProvider() const;

    std::int32_t GetId() const { return itsId; }

protected:
    void SetCurrentProvider(FRM_CNotifier* provider) { itsCurrentProvider = provider; }
    // Makes the providers list (data-binding controllers have one without registering).
    void CreateProviderList();
    void ReplaceModel(FRM_CModel* model);

private:
    std::int32_t itsId = 0;                       // 0: not registered
    RWOrdered* itsDependents = nullptr;           // owned list; notifiers not owned
    RWOrdered* itsProviders = nullptr;            // owned list; notifiers not owned
    FRM_CModel* itsModel = nullptr;               // owned
    FRM_CNotifier* itsCurrentProvider = nullptr;
};

class FRM_CControllerMgr : public FRM_CNotifier {
    FRM_TYPE_INFO(CControllerMgr)
    FRM_CControllerMgr();
    FRM_CControllerMgr(const FRM_CControllerMgr& other) = delete;
    // Changes nothing.
    FRM_CControllerMgr& operator=(const FRM_CControllerMgr& other);
    // Deletes every listed controller once.
    ~FRM_CControllerMgr() override;

    // Appends the controller; ids are 1, 2, 3 ... in order and never reused.
    std::int32_t Insert(FRM_CController* controller);
    // Removes the first controller with the id, deleting it when destroy is non-zero; 1 when
    // found.
    short Remove(std::int32_t id, short destroy);
    FRM_CController* Find(std::int32_t id) const;
    const RWOrdered* GetControllers() const { return itsControllers; }

private:
    std::int32_t itsLastId = 0;
    RWOrdered* itsControllers;   // owned list; controllers owned
};

// The process's controller manager: the one installed with FrmSetControllerMgr (a program or
// test without a global class library), else the global class library's; null when none.
FRM_CControllerMgr* FrmGetControllerMgr();
// Installs manager in place of the library's (not owned); null goes back to the library's.
// A manager being deleted uninstalls itself.
void FrmSetControllerMgr(FRM_CControllerMgr* manager);
