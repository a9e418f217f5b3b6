// ctdicntr.cpp: data-binding controllers, connections and the command translator.
#include "frm/core/ctdicntr.h"

#include <algorithm>
#include "frm/core/ctdivalue.h"
#include "frm/core/frmerror.h"
#include "frm/runtime/cglblcls.h"
#include "vkocoll/ordered.h"

namespace {
constexpr char kModule[] = "ctdicntr";
constexpr long kErrCopy = 2850;
constexpr long kErrAssign = 2851;
constexpr long kErrResume = 2850;
constexpr int kLineCopy = 121;
constexpr int kLineAssign = 126;
constexpr int kLineResume = 325;

// A model that accepts every change.
class CNullModel : public FRM_CModel {
public:
    short Change(long, const FRM_CModel*) override { return 1; }
};

// The given table factory, else the one installed under the table kind; null when none.
FRM_CTdiTableFactory* TableFactory(FRM_CTdiTableFactory* given)
{
    if (given != nullptr)
        return given;
    const FRM_CGlobalClassLib* const library = FRM_CObjectRWC::GetG();
    FRM_CFactoryMgr* const manager = library != nullptr ? library->GetFactoryMgr() : nullptr;
    if (manager == nullptr)
        return nullptr;
    // Another kind of factory installed under the kind is no table factory.
    return dynamic_cast<FRM_CTdiTableFactory*>(
        manager->GetFactory(FRM_CTdiTableFactory::kFactoryKind));
}

// Whether notifier sent value, directly or through the values it is being handed: the walk
// follows each notifier's current value to that value's originator.
bool IsOriginator(const FRM_CNotifier* notifier, const FRM_CTdiValue* value)
{
    std::vector<const FRM_CNotifier*> visited;
    for (const FRM_CNotifier* sender = value->GetOriginator(); sender != nullptr;) {
        if (sender == notifier)
            return true;
        if (std::find(visited.begin(), visited.end(), sender) != visited.end())
            return false;   // a loop of values: no new originator to find
        visited.push_back(sender);
        const FRM_CTdiValue* const current = sender->GetCurrentTdiValue();
        if (current == nullptr)
            return false;
        sender = current->GetOriginator();
    }
    return false;
}
} // namespace

// ---- controller ----------------------------------------------------------------------------

FRM_CTdiController::FRM_CTdiController()
{
    itsNodes.reserve(64);
    CreateProviderList();
    ReplaceModel(new CNullModel);
}

FRM_CTdiController::FRM_CTdiController(const FRM_CTdiController& other)
    : FRM_CController(), itsSuspension(other.itsSuspension)
{
    CreateProviderList();
    ReplaceModel(new CNullModel);
    FrmError(kErrCopy, kModule, kLineCopy);
}

// Hand-written: assigning a controller is an error; nothing is copied.
FRM_CTdiController& FRM_CTdiController::operator=(const FRM_CTdiController&)
{
    FrmError(kErrAssign, kModule, kLineAssign);
    return *this;
}

FRM_CTdiController::~FRM_CTdiController()
{
    while (!itsNodes.empty()) {
        const Node node = itsNodes.back();
        itsNodes.pop_back();
        delete node.prototype;
        if (RWOrdered* const list = node.notifier->GetDependentControllers())
            list->removeReference(this);
    }
}

FRM_CTdiController::Node* FRM_CTdiController::FindNode(const FRM_CNotifier* notifier)
{
    for (Node& node : itsNodes) {
        if (node.notifier == notifier)
            return &node;
    }
    return nullptr;
}

const FRM_CTdiController::Node* FRM_CTdiController::FindNode(const FRM_CNotifier* notifier) const
{
    return const_cast<FRM_CTdiController*>(this)->FindNode(notifier);
}

short FRM_CTdiController::DoChange(FRM_CNotifier* provider, long command, const FRM_CModel* model)
{
    const FRM_CTdiValue* const value = FrmCast<FRM_CTdiValue>(model);
    if (value == nullptr)
        return 0;
    return DoChange(provider, command, value);
}

short FRM_CTdiController::DoChange(const FRM_CTdiValue* value)
{
    if (value == nullptr)
        return 0;
    return DoChange(value->GetOriginator(), value->GetContext(kNoCommand), value);
}

short FRM_CTdiController::DoChange(FRM_CNotifier* provider, long command,
                                   const FRM_CTdiValue* value)
{
    if (itsSuspension != 0)
        return 0;
    SetCurrentProvider(provider);
    // Dependents may attach or leave while they hear the change: walk the notifiers as they
    // were, and look each one's node up again before using it.
    std::vector<FRM_CNotifier*> notifiers;
    notifiers.reserve(itsNodes.size());
    for (const Node& node : itsNodes)
        notifiers.push_back(node.notifier);
    short delivered = 0;
    for (auto it = notifiers.rbegin(); it != notifiers.rend(); ++it) {
        FRM_CNotifier* const notifier = *it;
        const Node* const node = FindNode(notifier);
        if (node == nullptr)
            continue;
        if (itsActiveDependent != nullptr && notifier != itsActiveDependent)
            continue;
        if (notifier->GetCurrentTdiValue() != nullptr)
            continue;
        if (value != nullptr && IsOriginator(notifier, value))
            continue;
        long sentCommand = command;
        const FRM_CTdiValue* sent = value;
        if (FRM_CTdiValue* const prototype = node->prototype) {
            sentCommand = prototype->GetContext(command);
            if (value != nullptr) {
                if (prototype->Copy(*value) == 0)
                    continue;
                sent = prototype;
            }
        }
        notifier->SetCurrentTdiValue(sent);
        notifier->DoUpdateModel(GetId(), sentCommand, sent);
        notifier->SetCurrentTdiValue(nullptr);
        delivered = 1;
    }
    SetCurrentProvider(nullptr);
    return delivered;
}

short FRM_CTdiController::AddDependent(FRM_CNotifier* notifier)
{
    return AddDependent(notifier, nullptr);
}

short FRM_CTdiController::AddDependent(FRM_CNotifier* notifier, FRM_CTdiValue* prototype)
{
    if (notifier == nullptr || FindNode(notifier) != nullptr)
        return 0;
    if (notifier->CreateDependentControllers() == 0)
        return 0;
    itsNodes.push_back(Node{notifier, prototype});
    notifier->GetDependentControllers()->insert(this);
    return 1;
}

short FRM_CTdiController::AssociateModel(FRM_CNotifier* notifier, FRM_CTdiValue* prototype)
{
    Node* const node = FindNode(notifier);
    if (node == nullptr)
        return 0;
    if (node->prototype != prototype) {
        delete node->prototype;
        node->prototype = prototype;
    }
    return 1;
}

short FRM_CTdiController::RemoveDependent(FRM_CNotifier* notifier)
{
    FRM_CTdiValue* prototype = nullptr;
    const short removed = RemoveDependent(notifier, prototype);
    delete prototype;
    return removed;
}

short FRM_CTdiController::RemoveDependent(FRM_CNotifier* notifier, FRM_CTdiValue*& prototype)
{
    const auto it = std::find_if(itsNodes.begin(), itsNodes.end(),
                                 [&](const Node& node) { return node.notifier == notifier; });
    if (it == itsNodes.end())
        return 0;
    prototype = it->prototype;
    itsNodes.erase(it);
    if (RWOrdered* const list = notifier->GetDependentControllers())
        list->removeReference(this);
    return 1;
}

RWOrdered* FRM_CTdiController::GetDependents() const { return nullptr; }

short FRM_CTdiController::IsDependent(const FRM_CNotifier* notifier) const
{
    return FindNode(notifier) != nullptr ? 1 : 0;
}

short FRM_CTdiController::AddProvider(FRM_CNotifier* notifier)
{
    const RWOrdered* const providers = GetProviders();
    if (providers != nullptr && providers->entries() != 0)
        return 0;
    return FRM_CController::AddProvider(notifier);
}

void FRM_CTdiController::Suspend() { ++itsSuspension; }

void FRM_CTdiController::Resume()
{
    if (itsSuspension <= 0) {
        FrmError(kErrResume, kModule, kLineResume);
        itsSuspension = 0;
        return;
    }
    --itsSuspension;
}

// ---- connection ----------------------------------------------------------------------------

FRM_CTdiConnection::FRM_CTdiConnection(FRM_CNotifier* provider, FRM_CNotifier* dependent,
                                       FRM_CTdiValue* prototype, short connectNow)
    : itsPrototype(prototype), itsProvider(provider), itsDependent(dependent)
{
    if (connectNow != 0)
        Connect();
}

FRM_CTdiConnection::~FRM_CTdiConnection()
{
    if (itsConnected == 0)
        delete itsPrototype;
}

FRM_CTdiController* FRM_CTdiConnection::PrimaryController(bool create)
{
    if (itsProvider == nullptr)
        return nullptr;
    FRM_CTdiController* controller = itsProvider->GetPrimaryController();
    if (controller == nullptr && create) {
        controller = new FRM_CTdiController;
        itsProvider->SetPrimaryController(controller);   // the provider owns it
    }
    return controller;
}

short FRM_CTdiConnection::Connect()
{
    if (itsConnected != 0)
        return 0;
    FRM_CTdiController* const controller = PrimaryController(true);
    if (controller == nullptr)
        return 0;
    const short added = controller->AddDependent(itsDependent, itsPrototype);
    if (added != 0)
        itsConnected = 1;
    return added;
}

short FRM_CTdiConnection::Disconnect()
{
    if (itsConnected == 0)
        return 0;
    FRM_CTdiController* const controller = PrimaryController(false);
    if (controller == nullptr)
        return 0;
    FRM_CTdiValue* prototype = nullptr;
    const short removed = controller->RemoveDependent(itsDependent, prototype);
    if (removed != 0) {
        itsPrototype = prototype;
        itsConnected = 0;
    }
    return removed;
}

short FRM_CTdiConnection::Request(long command, FRM_CTdiValue* value)
{
    const bool wasConnected = itsConnected != 0;
    bool tookOther = false;               // the dependent's other node was taken out
    FRM_CTdiValue* otherPrototype = nullptr;
    if (!wasConnected) {
        FRM_CTdiController* const controller = PrimaryController(true);
        if (controller == nullptr)
            return 0;
        if (controller->AddDependent(itsDependent, itsPrototype) == 0) {
            tookOther = controller->RemoveDependent(itsDependent, otherPrototype) != 0;
            if (tookOther && controller->AddDependent(itsDependent, itsPrototype) != 0)
                itsConnected = 1;
        } else {
            itsConnected = 1;
        }
    }
    short requested = 0;
    if (itsConnected != 0 && itsDependent != nullptr) {
        itsDependent->TdiRequest(command, value, itsProvider);
        requested = 1;
    }
    if (!wasConnected) {
        Disconnect();
        if (tookOther && otherPrototype != nullptr) {
            FRM_CTdiController* const controller = PrimaryController(false);
            if (controller == nullptr ||
                controller->AddDependent(itsDependent, otherPrototype) == 0)
                delete otherPrototype;
        }
    }
    return requested;
}

void FRM_CTdiConnection::SetPrototype(FRM_CTdiValue* value)
{
    if (itsConnected != 0) {
        itsPrototype = value;
        if (FRM_CTdiController* const controller = PrimaryController(false))
            controller->AssociateModel(itsDependent, value);
        return;
    }
    if (value != itsPrototype)
        delete itsPrototype;
    itsPrototype = value;
}

void FRM_CTdiConnection::SetContext(long context)
{
    if (itsPrototype != nullptr)
        itsPrototype->SetContext(context);
}

long FRM_CTdiConnection::GetContext(long command) const
{
    return itsPrototype != nullptr ? itsPrototype->GetContext(command) : kNoCommand;
}

// ---- table and index connections -----------------------------------------------------------

FRM_CTdiTableConnection::FRM_CTdiTableConnection(FRM_CNotifier* provider,
                                                 FRM_CNotifier* dependent, std::int32_t column,
                                                 std::int32_t row, long context, short connectNow,
                                                 FRM_CTdiTableFactory* factory)
    : FRM_CTdiConnection(provider, dependent, nullptr, 0), itsColumn(column), itsRow(row),
      itsFactory(factory)
{
    ChoosePrototype();
    SetContext(context);
    if (connectNow != 0)
        Connect();
}

FRM_CTdiTableConnection::FRM_CTdiTableConnection(FRM_CNotifier* provider,
                                                 FRM_CNotifier* dependent, std::int32_t column,
                                                 const FRM_CStringRW& name, long context,
                                                 short connectNow, FRM_CTdiTableFactory* factory)
    : FRM_CTdiConnection(provider, dependent, nullptr, 0), itsColumn(-1), itsColumnName(name),
      itsFactory(factory)
{
    (void)column;   // a named column has no index
    ChoosePrototype();
    SetContext(context);
    if (connectNow != 0)
        Connect();
}

void FRM_CTdiTableConnection::ChoosePrototype()
{
    FRM_CTdiTableFactory* const factory = TableFactory(itsFactory);
    if (factory == nullptr)
        return;
    const long context = GetContext(kNoCommand);
    FRM_CTdiValue* prototype = nullptr;
    if (itsColumn == -1 && itsColumnName.isNull())
        prototype = factory->CreateRowValue(itsRow, context);
    else if (itsColumn == -1)
        prototype = factory->CreateCellValue(itsRow, itsColumnName, context);
    else
        prototype = factory->CreateCellValue(itsRow, itsColumn, context);
    SetPrototype(prototype);
}

void FRM_CTdiTableConnection::SetRowIndex(std::int32_t row)
{
    itsRow = row;
    ChoosePrototype();
}

void FRM_CTdiTableConnection::SetColumnIndex(std::int32_t column)
{
    itsColumn = column;
    ChoosePrototype();
}

void FRM_CTdiTableConnection::SetColumnName(const FRM_CStringRW& name)
{
    itsColumnName = name;
    itsColumn = -1;
    ChoosePrototype();
}

FRM_CTdiIndexConnection::FRM_CTdiIndexConnection(FRM_CNotifier* provider,
                                                 FRM_CNotifier* dependent, long context,
                                                 short connectNow, FRM_CTdiTableFactory* factory)
    : FRM_CTdiConnection(provider, dependent, nullptr, 0), itsFactory(factory)
{
    if (FRM_CTdiTableFactory* const chosen = TableFactory(itsFactory))
        SetPrototype(chosen->CreateIndexValue(context));
    if (connectNow != 0)
        Connect();
}

// ---- command translator --------------------------------------------------------------------

void FRM_CTdiCommandTranslator::AddTranslation(long from, long to)
{
    itsFrom.push_back(from);
    itsTo.push_back(to);
}

void FRM_CTdiCommandTranslator::AddListPopulationTranslations()
{
    AddTranslation(kNoCommand, kTagItemsCleared);
    AddTranslation(kTagValue, kTagItemsReplaced);
    AddTranslation(kTagAppend, kTagItemsAppended);
}

void FRM_CTdiCommandTranslator::AddListSelectionTranslations()
{
    AddTranslation(kTagItemsCleared, kNoCommand);
    AddTranslation(kTagItemsReplaced, kTagValue);
    AddTranslation(kTagItemsAppended, kTagAppend);
}

void FRM_CTdiCommandTranslator::DoUpdateModel(long controllerId, long command,
                                              const FRM_CModel* model)
{
    if (controllerId == 0) {
        for (std::size_t i = 0; i < itsFrom.size(); ++i) {
            if (itsFrom[i] == command) {
                command = itsTo[i];
                break;
            }
        }
    }
    if (itsTarget != nullptr)
        itsTarget->DoUpdateModel(controllerId, command, model);
}
