// ctdicntr.h: data binding. FRM_CTdiController (a provider's primary controller) delivers a
// command and a typed value to each dependent, converted through the dependent's prototype
// when it has one; connections make, break and briefly use such links; the command
// translator renames list commands. A prototype is owned by the connection while it is
// disconnected and by the controller's node while connected.
#pragma once
#include <cstdint>
#include <vector>
#include "frm/core/ccntrllr.h"
#include "frm/core/cstringrw.h"
#include "frm/core/cfactmgr.h"

class FRM_CTdiValue;

class FRM_CTdiController : public FRM_CController {
    FRM_TYPE_INFO(CTdiController)
    // Not registered with the controller manager (id 0); its model accepts every change; it
    // has a providers list but no plain dependents list.
    FRM_CTdiController();
    // Copying is refused (fatal 2850, 2851).
    FRM_CTdiController(const FRM_CTdiController& other);
    FRM_CTdiController& operator=(const FRM_CTdiController& other);
    // Deletes every node's prototype and leaves each dependent's list.
    ~FRM_CTdiController() override;

    // A typed value goes to the value form below; any other model is refused (0).
    short DoChange(FRM_CNotifier* provider, long command, const FRM_CModel* model) override;
    short AddDependent(FRM_CNotifier* notifier) override;
    short RemoveDependent(FRM_CNotifier* notifier) override;
    RWOrdered* GetDependents() const override;
    short IsDependent(const FRM_CNotifier* notifier) const override;
    // Only while there is no provider yet: a data-binding controller has at most one.
    short AddProvider(FRM_CNotifier* notifier) override;

    // Delivers command and value (may be null) to the dependents, last attached first,
    // skipping a dependent that is in the middle of a notification or that originated the
    // value, and all but the active dependent when one is set. Dependents may attach or
    // leave while they hear it. 0 while suspended or when nobody heard it.
    virtual short DoChange(FRM_CNotifier* provider, long command, const FRM_CTdiValue* value);
    // Takes prototype (may be null); 0 when the notifier already is a dependent.
    virtual short AddDependent(FRM_CNotifier* notifier, FRM_CTdiValue* prototype);
    // Replaces (and deletes) the node's prototype; 0 when the notifier is not a dependent.
    virtual short AssociateModel(FRM_CNotifier* notifier, FRM_CTdiValue* prototype);
    // As RemoveDependent, but hands the node's prototype to the caller.
    virtual short RemoveDependent(FRM_CNotifier* notifier, FRM_CTdiValue*& prototype);
    virtual void Suspend();
    // A Resume without a Suspend is fatal (2850).
    virtual void Resume();

    // The value form with the value's own originator as provider and its context as command.
    short DoChange(const FRM_CTdiValue* value);

    FRM_CNotifier* GetActiveDependent() const { return itsActiveDependent; }
    void SetActiveDependent(FRM_CNotifier* notifier) { itsActiveDependent = notifier; }

private:
    struct Node {
        FRM_CNotifier* notifier;     // not owned
        FRM_CTdiValue* prototype;    // owned; may be null
    };
    Node* FindNode(const FRM_CNotifier* notifier);
    const Node* FindNode(const FRM_CNotifier* notifier) const;

    std::vector<Node> itsNodes;
    short itsSuspension = 0;
    FRM_CNotifier* itsActiveDependent = nullptr;
};

// Builds prototype values for table cells; each answers a new value (the caller owns it) or
// null. The second and third operations are not used by the connections. A table installs
// one with the factory manager under kind 20265 for connections that are given none.
class FRM_CTdiTableFactory : public CFactory {
public:
    static constexpr int kFactoryKind = 20265;
    virtual FRM_CTdiValue* CreateRowValue(std::int32_t row, long context) = 0;
    virtual FRM_CTdiValue* CreateColumnValue(std::int32_t column, long context) = 0;
    virtual FRM_CTdiValue* CreateTableValue(long context) = 0;
    virtual FRM_CTdiValue* CreateCellValue(std::int32_t row, const FRM_CStringRW& columnName,
                                           long context) = 0;
    virtual FRM_CTdiValue* CreateCellValue(std::int32_t row, std::int32_t column,
                                           long context) = 0;
    virtual FRM_CTdiValue* CreateIndexValue(long context) = 0;
};

// One link from a provider to a dependent, with the dependent's prototype.
class FRM_CTdiConnection {
public:
    // Takes prototype; connects at once when connectNow is non-zero.
    FRM_CTdiConnection(FRM_CNotifier* provider, FRM_CNotifier* dependent,
                       FRM_CTdiValue* prototype, short connectNow);
    FRM_CTdiConnection(const FRM_CTdiConnection&) = delete;
    FRM_CTdiConnection& operator=(const FRM_CTdiConnection&) = delete;
    // Deletes the prototype when it holds it (not connected).
    virtual ~FRM_CTdiConnection();

    // Attaches the dependent to the provider's primary controller (made when missing).
    virtual short Connect();
    virtual short Disconnect();
    // Asks the provider for command on behalf of the dependent only, connecting for the
    // time of the request when disconnected (and leaving the dependent's other link as it
    // was, when it had a prototype).
    virtual short Request(long command, FRM_CTdiValue* value);

    FRM_CNotifier* GetProvider() const { return itsProvider; }
    FRM_CNotifier* GetDependent() const { return itsDependent; }
    FRM_CTdiValue* GetPrototype() const { return itsPrototype; }
    // Takes value; the old prototype is deleted.
    void SetPrototype(FRM_CTdiValue* value);
    void SetContext(long context);
    // The prototype's context for command; 20003 without a prototype.
    long GetContext(long command) const;
    short IsConnected() const { return itsConnected; }

private:
    FRM_CTdiController* PrimaryController(bool create);

    FRM_CTdiValue* itsPrototype;     // owned while not connected
    FRM_CNotifier* itsProvider;
    FRM_CNotifier* itsDependent;
    short itsConnected = 0;
};

// A connection to one cell, row or named column of a table; its prototype comes from the
// table factory given, else from the one installed under kind 20265 (without either, the
// prototype is left as it is).
class FRM_CTdiTableConnection : public FRM_CTdiConnection {
public:
    FRM_CTdiTableConnection(FRM_CNotifier* provider, FRM_CNotifier* dependent,
                            std::int32_t column, std::int32_t row, long context, short connectNow,
                            FRM_CTdiTableFactory* factory);
    // By column name: the column index is -1.
    FRM_CTdiTableConnection(FRM_CNotifier* provider, FRM_CNotifier* dependent,
                            std::int32_t column, const FRM_CStringRW& name, long context,
                            short connectNow, FRM_CTdiTableFactory* factory);

    void SetRowIndex(std::int32_t row);
    void SetColumnIndex(std::int32_t column);
    void SetColumnName(const FRM_CStringRW& name);
    std::int32_t GetRowIndex() const { return itsRow; }
    std::int32_t GetColumnIndex() const { return itsColumn; }
    const FRM_CStringRW& GetColumnName() const { return itsColumnName; }

private:
    void ChoosePrototype();

    std::int32_t itsColumn;               // -1: chosen by name
    std::int32_t itsRow = 0;
    FRM_CStringRW itsColumnName;
    FRM_CTdiTableFactory* itsFactory;     // not owned; may be null
};

// A connection whose prototype is the table factory's index value (the factory as above).
class FRM_CTdiIndexConnection : public FRM_CTdiConnection {
public:
    FRM_CTdiIndexConnection(FRM_CNotifier* provider, FRM_CNotifier* dependent, long context,
                            short connectNow, FRM_CTdiTableFactory* factory);

private:
    FRM_CTdiTableFactory* itsFactory;     // not owned; may be null
};

// Renames the commands of data-binding controllers (id 0) before passing a change on to its
// target.
class FRM_CTdiCommandTranslator : public FRM_CNotifier {
    FRM_TYPE_INFO(CTdiCommandTranslator)
    explicit FRM_CTdiCommandTranslator(FRM_CNotifier* target) : itsTarget(target) {}

    void AddTranslation(long from, long to);
    // 20003 to 20006, 20002 to 20007, 20004 to 20008.
    void AddListPopulationTranslations();
    // The reverse pairs.
    void AddListSelectionTranslations();
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;

private:
    std::vector<long> itsFrom;
    std::vector<long> itsTo;
    FRM_CNotifier* itsTarget;   // not owned; may be null
};
