// cboss.h: FRM_CNotifier (a source and target of data binding), FRM_CModel (the base of value
// models) and FRM_CBoss (a node of the command chain that owns a units object and an id).
// A notifier owns its primary controller and keeps unowned lists of the controllers it
// provides to and depends on; the controllers keep both sides in step.
#pragma once
#include <cstdint>
#include "frm/core/cobjrwc.h"

class FRM_CController;
class FRM_CFont;
class FRM_CModel;
class FRM_CStringRW;
class FRM_CTdiController;
class FRM_CTdiValue;
class FRM_CUnits;
class RWOrdered;

class FRM_CNotifier : public FRM_CObjectRWC {
    FRM_TYPE_INFO(CNotifier)
    FRM_CNotifier() = default;
    // Copies the object-root part only; the copy starts with no controllers and no value.
    FRM_CNotifier(const FRM_CNotifier& other);
    FRM_CNotifier& operator=(const FRM_CNotifier& other);
    // Leaves every controller it depends on or provides to (each told once), then deletes
    // its primary controller.
    ~FRM_CNotifier() override;

    // A dependent hears a change: controllerId is the controller's id (0 for a data-binding
    // controller), model the value (may be null). The base does nothing.
    virtual void DoUpdateModel(long controllerId, long command, const FRM_CModel* model);
    // Hands (provider, command, model) to the controller with that id: the primary one when
    // its id matches, else the controller manager's. 0 when there is none.
    virtual short DoChangeModel(long controllerId, FRM_CNotifier* provider, long command,
                                const FRM_CModel* model);

    FRM_CTdiController* GetPrimaryController() const { return itsPrimaryController; }
    // Takes controller (the notifier deletes it); the old one is left as a provider of it, not
    // deleted.
    void SetPrimaryController(FRM_CTdiController* controller);

    // The lists are made on demand; each answers 1.
    short CreateProviderControllers();
    short CreateDependentControllers();
    RWOrdered* GetProviderControllers() const { return itsProviderControllers; }
    RWOrdered* GetDependentControllers() const { return itsDependentControllers; }

    // The value being delivered to this notifier now (set by the controller around the call
    // to DoUpdateModel), null otherwise.
    const FRM_CTdiValue* GetCurrentTdiValue() const { return itsCurrentTdiValue; }
    void SetCurrentTdiValue(const FRM_CTdiValue* value) { itsCurrentTdiValue = value; }

    // Reports a change of the value with this id to the primary controller (nothing without
    // one), wrapped in a typed value whose originator is this notifier. The parameter type
    // chooses the value: text, boolean (bool, short), integer (int, long), float (float,
    // double: an integer value when the number is whole). No value at all with the id alone.
    void TdiNotify(long id, const char* text);
    void TdiNotify(long id, const FRM_CStringRW& text);
    void TdiNotify(long id, bool state);
    void TdiNotify(long id, short state);
    void TdiNotify(long id, int value);
    void TdiNotify(long id, long value);
    void TdiNotify(long id, float value);
    void TdiNotify(long id, double value);
    // The caller's value, given the id as its context.
    void TdiNotify(long id, FRM_CTdiValue* value);
    void TdiNotify(long id);

    // Asks the providers of this notifier's data-binding controllers (or provider alone) to
    // deliver command to this notifier only. Nothing without dependent controllers.
    void TdiRequest(long command, const FRM_CTdiValue* data, FRM_CNotifier* provider);

private:
    void NotifyPrimary(long id, const FRM_CTdiValue* value);

    RWOrdered* itsProviderControllers = nullptr;    // controllers this provides to; not owning
    RWOrdered* itsDependentControllers = nullptr;   // controllers this depends on; not owning
    FRM_CTdiController* itsPrimaryController = nullptr;   // owned
    const FRM_CTdiValue* itsCurrentTdiValue = nullptr;    // not owned
};

class FRM_CModel : public FRM_CNotifier {
    FRM_TYPE_INFO(CModel)
    FRM_CModel() = default;
    // Accepts (1) or refuses (0) a change with this command and value.
    virtual short Change(long command, const FRM_CModel* model) = 0;
};

class FRM_CBoss : public FRM_CNotifier {
    FRM_TYPE_INFO(CBoss)
    // Takes the creation units (which then serve no other boss) and installs them, or null,
    // as the current units.
    FRM_CBoss();
    // Copies the source's units into new units of its own; the id is not copied.
    FRM_CBoss(const FRM_CBoss& other);
    FRM_CBoss& operator=(const FRM_CBoss& other);
    // Deletes the units it owns.
    ~FRM_CBoss() override;

    // Null library or user is fatal (100, 101).
    short IBoss(FRM_CGlobalClassLib* library);
    short IBoss(FRM_CGlobalUser* user);

    // Commands other than 20003 go to the primary controller as a change without a value.
    virtual void DoCommand(long command, void* data);
    virtual void DoMenuCommand(short tag, short shift, short control);
    virtual void ChangeFont(FRM_CFont* font);
    virtual void DoTimer(long timerId);
    virtual void DoUser(long id, void* data);
    // With childrenOnly non-zero each sub-object's handler runs; otherwise each sub-object's
    // broadcast of the same kind, so the walk descends the tree.
    virtual void BroadcastCommand(long command, void* data, short childrenOnly);
    virtual void BroadcastMenuCommand(short tag, short shift, short control, short childrenOnly);
    virtual void BroadcastTimer(long timerId, short childrenOnly);
    virtual void BroadcastUser(long id, void* data, short childrenOnly);
    virtual FRM_CUnits* GetUnits() const;
    // Takes units that have no owner (owned by another object: fatal 0); deletes its own old
    // units, then passes the new ones down the tree.
    virtual void SetUnits(FRM_CUnits* units);
    // The boss's own list of sub-bosses (the caller must not delete it); null for a leaf.
    virtual RWOrdered* GetSubObjects() const;
    virtual std::int32_t GetId() const;
    virtual void SetId(std::int32_t id);
    // Uses units without owning them, and passes them to every sub-object that does not own
    // units of its own.
    virtual void UpdateUnits(FRM_CUnits* units);

    short IsBroadcasting() const { return itsBroadcasting; }

    // Units for the next boss constructed; units with an owner are fatal (0).
    static void SetCreationUnits(FRM_CUnits* units);
    // Answers and clears them.
    static FRM_CUnits* GetCreationUnits();

private:
    // Runs one broadcast: each sub-object's handler or its broadcast.
    template <class Fn>
    void Broadcast(Fn&& visit);

    FRM_CUnits* itsUnits = nullptr;   // owned when its owner is this boss
    std::int32_t itsId = 0;
    short itsBroadcasting = 0;        // 1 while a broadcast of this boss runs
};
