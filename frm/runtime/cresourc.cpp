// cresourc.cpp: window and menu resources, the resource manager and the item cursor.
#include "frm/runtime/cresourc.h"

#include "frm/controls/cradiogr.h"
#include "frm/controls/nscrlltx.h"
#include "frm/core/cobjrwc.h"
#include "frm/core/frmerror.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/csubmenu.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr long kErrResourceCopied = 2790;
constexpr long kErrResourceAssigned = 2791;
constexpr long kErrWindowCopied = 2955;
constexpr long kErrWindowAssigned = 2960;
constexpr long kErrMenuCopied = 3055;
constexpr long kErrMenuAssigned = 3060;
constexpr long kErrNoResource = 2680;

// Each class of the family reports under its own module name, at fixed lines.
constexpr char kModuleResource[] = "cresourc";
constexpr char kModuleWindow[] = "crescwin";
constexpr char kModuleMenu[] = "crescmen";
constexpr char kModuleItems[] = "crescitm";
constexpr int kLineResourceCopied = 37;
constexpr int kLineResourceAssigned = 42;
constexpr int kLineWindowCopied = 62;
constexpr int kLineWindowAssigned = 67;
constexpr int kLineMenuCopied = 44;
constexpr int kLineMenuAssigned = 49;
constexpr int kLineNoResource = 33;

// A menu tree's entries end with an all-zero record (a separator's tag is 0 too).
std::size_t CountMenuEntries(const s_mitem* entries)
{
    std::size_t count = 0;
    while (entries != nullptr && !FRM_CMenu::IsEndRecord(entries[count]))
        ++count;
    return count;
}

// Builds the children of a menu entry into a submenu, recursively; appending copies.
void BuildChildren(FRM_CSubmenu& submenu, const s_mitem* children)
{
    for (std::size_t i = 0; children != nullptr && !FRM_CMenu::IsEndRecord(children[i]); ++i) {
        const s_mitem& child = children[i];
        if (child.child != nullptr) {
            FRM_CSubmenu nested;
            nested.ReadRecord(child);
            BuildChildren(nested, child.child);
            submenu.Append(nested);
        } else {
            FRM_CMenuItem item;
            item.ReadRecord(child);
            submenu.Append(item);
        }
    }
}

} // namespace

// ---- FRM_CResource -----------------------------------------------------------------------

FRM_CResource::FRM_CResource(FrmResourceType type, std::int32_t id, std::int32_t endId)
    : itsId(id), itsEndId(endId), itsType(type)
{
}

FRM_CResource::FRM_CResource(const FRM_CResource& other)
    : FRM_CNotifier(other), itsId(other.itsId), itsEndId(other.itsEndId), itsType(other.itsType)
{
    FrmError(kErrResourceCopied, kModuleResource, kLineResourceCopied);
}

// Hand-written: assigning a resource is an error; nothing is copied.
FRM_CResource& FRM_CResource::operator=(const FRM_CResource&)
{
    FrmError(kErrResourceAssigned, kModuleResource, kLineResourceAssigned);
    return *this;
}

// ---- FRM_CResourceWindow -----------------------------------------------------------------

FRM_CResourceWindow::FRM_CResourceWindow(std::int32_t id) : FRM_CResource(kResourceWindow, id, 0)
{
}

FRM_CResourceWindow::FRM_CResourceWindow(const FRM_CResourceWindow& other)
    : FRM_CResource(other.GetType(), other.GetId(), other.GetEndId())
{
    FrmError(kErrWindowCopied, kModuleWindow, kLineWindowCopied);
}

// Hand-written: assigning a resource is an error; nothing is copied.
FRM_CResourceWindow& FRM_CResourceWindow::operator=(const FRM_CResourceWindow&)
{
    FrmError(kErrWindowAssigned, kModuleWindow, kLineWindowAssigned);
    return *this;
}

FRM_CResourceWindow::~FRM_CResourceWindow()
{
    if (itsDefinition != nullptr)
        vko_res_free_win_def(itsDefinition);
}

short FRM_CResourceWindow::Hold()
{
    if (++itsHoldCount > 1)
        return 1;
    itsDefinition = vko_res_get_win_def(GetId());
    if (itsDefinition == nullptr) {
        itsHoldCount = 0;
        return 0;
    }
    itsCount = 0;
    for (s_win_def* entry = itsDefinition; entry->type != 0; ++entry, ++itsCount) {
        if (entry->units == 0)
            continue;
        vko_rect_to_pixels(&entry->rct, entry->units); // converted once, while loaded
        entry->units = 0;
    }
    itsCursor = 0;
    return 1;
}

void FRM_CResourceWindow::Release()
{
    if (itsHoldCount == 0)
        return;
    if (--itsHoldCount >= 1)
        return;
    vko_res_free_win_def(itsDefinition);
    itsDefinition = nullptr;
    itsCount = 0;
    itsHoldCount = 0;
}

long FRM_CResourceWindow::IdOf(std::size_t index) const
{
    if (index == 0)
        return GetId();
    return itsDefinition[index].id; // text edits keep their control id in the same field
}

long FRM_CResourceWindow::FirstItem()
{
    itsCursor = 0;
    return itsDefinition != nullptr && itsCount > 0 ? IdOf(0) : 0;
}

long FRM_CResourceWindow::NextItem()
{
    if (itsDefinition == nullptr || itsCursor >= itsCount) {
        itsCursor = 0;
        return 0;
    }
    return IdOf(itsCursor++);
}

const s_win_def* FRM_CResourceWindow::FindEntry(long id) const
{
    if (itsDefinition == nullptr || itsCount == 0)
        return nullptr;
    if (id == GetId())
        return &itsDefinition[0];
    for (std::size_t i = 1; i < itsCount; ++i)
        if (IdOf(i) == id)
            return &itsDefinition[i];
    return nullptr;
}

long FRM_CResourceWindow::GetItemType(long id) const
{
    const s_win_def* entry = FindEntry(id);
    return entry != nullptr ? entry->type : 0;
}

short FRM_CResourceWindow::IObject(long id, FRM_CObjectRWC* object)
{
    const s_win_def* entry = FindEntry(id);
    if (entry == nullptr)
        return 0;
    if (auto* window = FrmCast<FRM_CWindow>(object))
        window->TakeResourceEntry(*entry);
    else if (auto* group = FrmCast<FRM_CRadioGroup>(object))
        group->TakeRadioRun(GetId(), entry);   // named by its first radio button
    else if (auto* text = FrmCast<FRM_NScrollText>(object))
        text->TakeResourceEntry(*entry);
    else if (auto* native = FrmCast<FRM_CNativeView>(object))
        native->TakeResourceEntry(*entry);
    return 1;
}

// ---- FRM_CResourceMenu -------------------------------------------------------------------

FRM_CResourceMenu::FRM_CResourceMenu(std::int32_t id) : FRM_CResource(kResourceMenu, id, 0) {}

FRM_CResourceMenu::FRM_CResourceMenu(const FRM_CResourceMenu& other)
    : FRM_CResource(other.GetType(), other.GetId(), other.GetEndId())
{
    FrmError(kErrMenuCopied, kModuleMenu, kLineMenuCopied);
}

// Hand-written: assigning a resource is an error; nothing is copied.
FRM_CResourceMenu& FRM_CResourceMenu::operator=(const FRM_CResourceMenu&)
{
    FrmError(kErrMenuAssigned, kModuleMenu, kLineMenuAssigned);
    return *this;
}

FRM_CResourceMenu::~FRM_CResourceMenu()
{
    if (itsTree != nullptr)
        vko_res_free_menu_tree(itsTree);
}

short FRM_CResourceMenu::Hold()
{
    if (++itsHoldCount > 1)
        return 1;
    itsTree = vko_res_get_menu(GetId());
    if (itsTree == nullptr) {
        itsHoldCount = 0;
        return 0;
    }
    itsCursor = 0;
    return 1;
}

void FRM_CResourceMenu::Release()
{
    if (itsHoldCount == 0)
        return;
    if (--itsHoldCount >= 1)
        return;
    vko_res_free_menu_tree(itsTree);
    itsTree = nullptr;
    itsHoldCount = 0;
}

long FRM_CResourceMenu::FirstItem()
{
    itsCursor = 0;
    return itsTree != nullptr ? itsTree[0].tag : 0;
}

long FRM_CResourceMenu::NextItem()
{
    if (itsTree == nullptr || itsCursor >= CountMenuEntries(itsTree)) {
        itsCursor = 0;
        return 0;
    }
    return itsTree[itsCursor++].tag;
}

long FRM_CResourceMenu::GetItemType(long tag) const
{
    for (std::size_t i = 0; itsTree != nullptr && !FRM_CMenu::IsEndRecord(itsTree[i]); ++i)
        if (itsTree[i].tag == tag)
            return itsTree[i].child == nullptr ? 1 : 0;
    return 0;
}

short FRM_CResourceMenu::IObject(long tag, FRM_CObjectRWC* object)
{
    FRM_CSubmenu* submenu = FrmCast<FRM_CSubmenu>(object);
    if (submenu == nullptr)
        return 0;
    for (std::size_t i = 0; itsTree != nullptr && !FRM_CMenu::IsEndRecord(itsTree[i]); ++i) {
        if (itsTree[i].tag != tag)
            continue;
        submenu->ReadRecord(itsTree[i]);
        BuildChildren(*submenu, itsTree[i].child);
        return 1;
    }
    return 0;
}

// ---- FRM_CResourceMgr --------------------------------------------------------------------

std::int32_t FRM_CResourceMgr::Insert(FRM_CResource* resource)
{
    if (resource == nullptr)
        return 0;
    itsResources.emplace_back(resource);
    return resource->GetId();
}

short FRM_CResourceMgr::Remove(std::int32_t id, short destroy)
{
    for (auto it = itsResources.begin(); it != itsResources.end(); ++it) {
        if ((*it)->GetId() != id)
            continue;
        if (!destroy)
            (void)it->release(); // the caller keeps it alive
        itsResources.erase(it);
        return 1;
    }
    return 0;
}

FRM_CResource* FRM_CResourceMgr::Find(std::int32_t id) const
{
    for (const auto& resource : itsResources)
        if (resource->GetId() == id)
            return resource.get();
    return nullptr;
}

std::vector<FRM_CResource*> FRM_CResourceMgr::GetResources() const
{
    std::vector<FRM_CResource*> resources;
    resources.reserve(itsResources.size());
    for (const auto& resource : itsResources)
        resources.push_back(resource.get());
    return resources;
}

// ---- FRM_CResourceItems ------------------------------------------------------------------

FRM_CResourceItems::FRM_CResourceItems(std::int32_t id)
{
    FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    FRM_CResourceMgr* manager = g != nullptr ? g->GetResourceMgr() : nullptr;
    FRM_CResource* resource = manager != nullptr ? manager->Find(id) : nullptr;
    if (resource == nullptr || !resource->Hold()) {
        FrmError(kErrNoResource, kModuleItems, kLineNoResource);
        return;
    }
    itsResource = resource;
}

FRM_CResourceItems::FRM_CResourceItems(const FRM_CResourceItems& other)
    : FRM_CNotifier(other), itsResource(other.itsResource)
{
    if (itsResource != nullptr)
        itsResource->Hold();
}

// Hand-written: the shared resource is held and the old one released.
FRM_CResourceItems& FRM_CResourceItems::operator=(const FRM_CResourceItems& other)
{
    if (this == &other)
        return *this;
    if (other.itsResource != nullptr)
        other.itsResource->Hold();
    if (itsResource != nullptr)
        itsResource->Release();
    itsResource = other.itsResource;
    return *this;
}

FRM_CResourceItems::~FRM_CResourceItems()
{
    if (itsResource != nullptr)
        itsResource->Release();
}
