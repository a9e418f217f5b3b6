// cpafactr.cpp: the application factory's tables, layer scopes and creation passes, and the
// generated-glue helpers. Reports carry the module name "cfactory".
#include "frm/runtime/cpafactr.h"

#include <algorithm>

#include "frm/core/frmerror.h"
#include "frm/runtime/capplctn.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"

namespace {

constexpr char kModule[] = "cfactory";
constexpr long kErrCopied = 0;
constexpr int kLineCopied = 204;

// The program's warning texts (positional arguments).
constexpr int kResNoCreationInfo =
    32115; // "Unable to locate creation information for object %1$ld"
constexpr int kResNoLayer = 32117;        // "Unable to locate layer %1$ld for object %2$ld"
constexpr int kResWrongKind = 32119;      // "Factory object %1$ld is not of type %2$ld"

struct FactoryState {
    int layerScopes = 0;
};
FactoryState& State()
{
    static FactoryState state;
    return state;
}

// Posts one of the program's warnings; a program without the text shows nothing.
void Warn(int resourceId, long first, long second = 0)
{
    const FRM_CStringRW format(resourceId);
    if (format.length() == 0)
        return;
    vko_dm_post_warning(format.data(), first, second);
}

bool IsChildKind(std::int32_t kind)
{
    return kind >= FRM_PAFactory::kDocument && kind <= FRM_PAFactory::kView;
}

} // namespace

// Opens on entry of every public creation and initialisation call; when the outermost one
// closes, the default layer is in force again.
class FRM_PAFactory::LayerScope {
public:
    explicit LayerScope(FRM_PAFactory& factory)
        : itsFactory(factory), itsDefault(factory.itsDefaultLayer)
    {
        ++State().layerScopes;
    }
    ~LayerScope()
    {
        if (--State().layerScopes == 0)
            itsFactory.itsCurrentLayer = itsDefault;
    }
    LayerScope(const LayerScope&) = delete;
    LayerScope& operator=(const LayerScope&) = delete;

private:
    FRM_PAFactory& itsFactory;
    std::int32_t itsDefault;
};

// One creation call: only the call that found the instance cache empty clears it.
class FRM_PAFactory::Pass {
public:
    explicit Pass(FRM_PAFactory& factory)
        : itsScope(factory), itsFactory(factory), itIsOutermost(factory.itsInstances.empty())
    {
    }
    ~Pass()
    {
        if (itIsOutermost)
            itsFactory.itsInstances.clear();
    }
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

private:
    LayerScope itsScope;
    FRM_PAFactory& itsFactory;
    bool itIsOutermost;
};

FRM_PAFactory::FRM_PAFactory(short noTables) : itHasTables(noTables == 0) {}

FRM_PAFactory::FRM_PAFactory(const FRM_PAFactory& other)
    : FRM_CNotifier(other), itHasTables(false)
{
    FrmError(kErrCopied, kModule, kLineCopied);
}

FRM_PAFactory::~FRM_PAFactory() = default;

int FRM_PAFactory::GetLayerScopeCount() { return State().layerScopes; }

void FRM_PAFactory::Insert(std::int32_t id, std::int32_t classTypeId, std::int32_t kind,
                           CreateFunction create, InitFunction init, std::int32_t parentId,
                           std::int32_t layer, short initiallyCreated,
                           std::uint32_t siblingCount, std::uint32_t siblingIndex)
{
    if (!itHasTables)
        return;
    const bool isNew = itsElements.find(id) == itsElements.end();
    auto& layers = itsElements[id];
    layers.emplace(layer, Info{classTypeId, kind, create, init, initiallyCreated});
    if (!isNew || !IsChildKind(kind))
        return;
    auto& table = itsChildren[kind - 1];
    auto found = table.find(parentId);
    if (found == table.end())
        found = table.emplace(parentId, std::vector<std::int32_t>(siblingCount, 0)).first;
    // The array's size is the first sibling's count; a later index past it is ignored.
    if (siblingIndex < found->second.size())
        found->second[siblingIndex] = id;
}

FRM_PAFactory& FRM_PAFactory::operator[](std::int32_t layer)
{
    itsCurrentLayer = layer;
    return *this;
}

const FRM_PAFactory::Info* FRM_PAFactory::Find(std::int32_t id, bool warn,
                                               std::int32_t kind) const
{
    auto element = itsElements.find(id);
    if (element == itsElements.end()) {
        if (warn)
            Warn(kResNoCreationInfo, id);
        return nullptr;
    }
    auto layer = element->second.find(itsCurrentLayer);
    if (layer == element->second.end()) {
        if (warn)
            Warn(kResNoLayer, itsCurrentLayer, id);
        return nullptr;
    }
    if (warn && layer->second.kind != kind) {
        Warn(kResWrongKind, id, kind);
        return nullptr;
    }
    return &layer->second;
}

void FRM_PAFactory::CacheInstance(std::int32_t id, FRM_CObjectRWC* object)
{
    itsInstances.emplace(id, object); // the first object of a pass stays the cached one
}

FRM_CObjectRWC* FRM_PAFactory::GetInstance(std::int32_t id) const
{
    auto found = itsInstances.find(id);
    return found != itsInstances.end() ? found->second : nullptr;
}

FRM_CObjectRWC* FRM_PAFactory::Instantiate(std::int32_t id, std::int32_t kind,
                                           FRM_CObjectRWC* parent, short force)
{
    const Info* info = Find(id, true, kind);
    if (info == nullptr)
        return nullptr;
    if (!force && !info->initiallyCreated)
        return nullptr;
    FRM_CObjectRWC* object = info->create != nullptr ? info->create(*this, parent) : nullptr;
    if (object != nullptr)
        CacheInstance(id, object);
    return object;
}

void FRM_PAFactory::Initialize(std::int32_t id, FRM_CObjectRWC* object, FRM_CDataMembers* members)
{
    const Info* info = Find(id, false, 0);
    if (info != nullptr && info->init != nullptr)
        info->init(*this, object, members);
}

void FRM_PAFactory::CreateChildren(std::int32_t kind, std::int32_t parentId,
                                   FRM_CObjectRWC* parent, short force)
{
    const auto& table = itsChildren[kind - 1];
    auto found = table.find(parentId);
    if (found == table.end())
        return;
    const std::vector<std::int32_t> children = found->second; // registration may go on
    for (const std::int32_t child : children) {
        if (child == 0)
            continue; // a slot no registration filled
        FRM_CObjectRWC* object = Instantiate(child, kind, parent, force);
        if (object == nullptr)
            continue;
        if (kind == kView)
            if (auto* subview = FrmCast<FRM_CSubview>(object))
                DoCreateViews(subview, child, force, nullptr);
        Initialize(child, object, nullptr);
    }
}

void FRM_PAFactory::ConstructApplication(FRM_CApplication*, std::int32_t id)
{
    const LayerScope scope(*this);
    Instantiate(id, kApplication, nullptr, 1);
}

void FRM_PAFactory::InitializeApplication(FRM_CApplication* application, std::int32_t id)
{
    const LayerScope scope(*this);
    Initialize(id, application, nullptr);
}

void FRM_PAFactory::DoCreateDocuments(FRM_CApplication*, std::int32_t applicationId, short force,
                                      FRM_CDataMembers* members)
{
    const Pass pass(*this);
    FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    CreateChildren(kDocument, applicationId, g != nullptr ? g->GetApplication() : nullptr, force);
    if (members != nullptr)
        members->BindMembers(*this);
}

void FRM_PAFactory::DoCreateWindows(FRM_CDocument* document, std::int32_t documentId, short force,
                                    FRM_CDataMembers* members)
{
    const Pass pass(*this);
    CreateChildren(kWindow, documentId, document, force);
    if (members != nullptr)
        members->BindMembers(*this);
}

void FRM_PAFactory::DoCreateViews(FRM_CSubview* subview, std::int32_t parentId, short force,
                                  FRM_CDataMembers* members)
{
    const Pass pass(*this);
    CreateChildren(kView, parentId, subview, force);
    if (members != nullptr)
        members->BindMembers(*this);
}

FRM_CObjectRWC* FRM_PAFactory::CreateElement(std::int32_t id, std::int32_t kind,
                                              FRM_CObjectRWC* parent)
{
    const Pass pass(*this);
    FRM_CObjectRWC* object = Instantiate(id, kind, parent, 1);
    if (object != nullptr)
        Initialize(id, object, nullptr);
    return object;
}

FRM_CDocument* FRM_PAFactory::CreateDocument(std::int32_t id)
{
    FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    return FrmCast<FRM_CDocument>(
        CreateElement(id, kDocument, g != nullptr ? g->GetApplication() : nullptr));
}

FRM_CWindow* FRM_PAFactory::CreateWindow(FRM_CDocument* document, std::int32_t id)
{
    return FrmCast<FRM_CWindow>(CreateElement(id, kWindow, document));
}

FRM_CView* FRM_PAFactory::CreateView(FRM_CSubview* subview, std::int32_t id)
{
    return FrmCast<FRM_CView>(CreateElement(id, kView, subview));
}

// ---- Generated-glue helpers --------------------------------------------------------------

void IPAFactoryView(FRM_CView* view, FRM_CStringRW title, long command, long doubleCommand,
                    short visible, short enabled, short active, unsigned long glue,
                    short sizable, short draggable)
{
    if (view == nullptr)
        return;
    view->SetTitle(title);
    view->SetCommand(command);
    view->SetDoubleCommand(doubleCommand);
    view->SetGlue(glue);
    if (!visible)
        view->Hide();
    if (!enabled)
        view->Disable();
    if (active)
        view->Activate();
    if (sizable)
        view->SetSizing(1);
    if (draggable)
        view->SetDragging(1);
}

s_rct* FrmFixRect(s_rct* rect, short flags, e_win_type windowType)
{
    if (rect == nullptr)
        return nullptr;
    std::int32_t width = static_cast<std::int32_t>(rect->right) - rect->left;
    std::int32_t height = static_cast<std::int32_t>(rect->bottom) - rect->top;
    bool degenerate = false;
    switch (windowType) {
    case 12: // push button
    case 15: // horizontal scroll bar
    case 17: // edit field
    case 18: // static text
        if (width < 1) {
            width = 1;
            degenerate = true;
        }
        height = std::max(height, 0);
        break;
    case 16: // vertical scroll bar
        width = std::max(width, 0);
        if (height < 1) {
            height = 1;
            degenerate = true;
        }
        break;
    default:
        if (width < 1) {
            width = 1;
            degenerate = true;
        }
        if (height < 1) {
            height = 1;
            degenerate = true;
        }
        break;
    }
    if ((flags & 2) != 0) {
        rect->right = static_cast<std::int16_t>(std::min<std::int32_t>(rect->left + width, 32767));
        rect->bottom =
            static_cast<std::int16_t>(std::min<std::int32_t>(rect->top + height, 32767));
    }
    if ((flags & 1) != 0 && degenerate)
        *rect = s_rct{-50, -50, -5, -5};
    return rect;
}
