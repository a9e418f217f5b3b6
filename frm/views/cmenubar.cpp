// cmenubar.cpp: the menu bar, its shared representation and its conversion to the toolkit's
// menu records. Records, child arrays and titles are allocated in toolkit memory so that
// vko_res_free_menu_tree frees the whole tree.
#include "frm/views/cmenubar.h"

#include <cstring>

#include "frm/core/frmerror.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cresourc.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cmenubar";
constexpr long kErrNoSubmenuCopy = 3055;
constexpr long kErrNoResourceId = 3060;
constexpr long kErrResourceRefused = 3062;
constexpr long kErrNoTree = 3065;
constexpr long kErrNoPopupSubmenu = 3066;
constexpr long kErrNoTitleCopy = 3070;
constexpr long kErrNoChildRecords = 3075;
constexpr long kErrNoRecords = 3080;
constexpr int kLineRepCopy = 76;
constexpr int kLineNoResourceId = 102;
constexpr int kLineResourceRefused = 107;
constexpr int kLineAppendCopy = 212;
constexpr int kLineInsertCopy = 237;
constexpr int kLineReplaceCopy = 281;
constexpr int kLineNoTree = 312;
constexpr int kLineNoPopupSubmenu = 328;
constexpr int kLinePopupRecords = 330;
constexpr int kLineOverItemAlignment = 346;
constexpr int kLineTitleCopy = 473;
constexpr int kLineChildRecords = 526;
constexpr int kLineTopRecords = 550;

// A zero-filled array of count records in toolkit memory.
s_mitem* NewRecords(std::size_t count)
{
    return static_cast<s_mitem*>(vko_mem_zalloc(count * sizeof(s_mitem)));
}

FRM_CSubmenu* SubmenuAt(const RWOrdered& theList, std::size_t index)
{
    return static_cast<FRM_CSubmenu*>(theList[index]);
}

// A heap copy of a top-level submenu; error 3055 at theLine when there is none.
FRM_CSubmenu* CopySubmenu(const FRM_CSubmenu& theSubmenu, int theLine)
{
    auto* copy = static_cast<FRM_CSubmenu*>(CSubmenuRep::Clone(theSubmenu));
    if (copy == nullptr)
        FrmError(kErrNoSubmenuCopy, kModule, theLine);
    return copy;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CMenuBarRep

CMenuBarRep::CMenuBarRep() : itsSubmenus(std::make_unique<RWOrdered>()) {}

CMenuBarRep::CMenuBarRep(const CMenuBarRep& other) : itsSubmenus(std::make_unique<RWOrdered>())
{
    for (std::size_t i = 0; i < other.itsSubmenus->entries(); ++i)
        if (FRM_CSubmenu* copy = CopySubmenu(*SubmenuAt(*other.itsSubmenus, i), kLineRepCopy))
            itsSubmenus->append(copy);
}

CMenuBarRep::~CMenuBarRep()
{
    itsSubmenus->clearAndDestroy();
}

// ---------------------------------------------------------------------------------------------
// Construction and sharing

FRM_CMenuBar::FRM_CMenuBar() : itsMenuBarRep(new CMenuBarRep) {}

FRM_CMenuBar::FRM_CMenuBar(FRM_CWindow* theWindow)
    : itsWindow(theWindow), itsMenuBarRep(new CMenuBarRep)
{
}

FRM_CMenuBar::FRM_CMenuBar(FRM_CWindow* theWindow, short theResourceId)
    : itsWindow(theWindow), itsMenuBarRep(new CMenuBarRep)
{
    if (theResourceId == 0) {
        FrmError(kErrNoResourceId, kModule, kLineNoResourceId);
        return;
    }
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    FRM_CResourceMgr* manager = library != nullptr ? library->GetResourceMgr() : nullptr;
    if (manager == nullptr)
        return;
    if (manager->Find(theResourceId) == nullptr) {
        CResourceFactory* factory = CResourceFactory::GetTop();
        FRM_CResourceMenu* menu = factory != nullptr
                                      ? factory->ConstructCResourceMenu(theResourceId)
                                      : new FRM_CResourceMenu(theResourceId);
        if (menu == nullptr || !manager->Insert(menu)) {
            delete menu;
            FrmError(kErrResourceRefused, kModule, kLineResourceRefused);
            return;
        }
    }
    // First rewinds the walk and names the first tag without consuming it; the Next calls
    // then name every tag once, the first included.
    FRM_CResourceItems items(theResourceId);
    items.First();
    for (long tag = items.Next(); tag != 0; tag = items.Next()) {
        FRM_CSubmenu submenu;
        if (items.IObject(tag, &submenu))
            AppendSubmenu(submenu);
    }
}

FRM_CMenuBar::FRM_CMenuBar(const FRM_CMenuBar& other)
    : FRM_CNotifier(other), itsWindow(other.itsWindow)
{
    ShareOrCopy(other);
}

// Hand-written: the menus are shared by count or deep-copied, then the old ones released.
FRM_CMenuBar& FRM_CMenuBar::operator=(const FRM_CMenuBar& other)
{
    if (this == &other)
        return *this;
    CMenuBarRep* old = itsMenuBarRep;
    itsMenuBarRep = nullptr;
    itsWindow = other.itsWindow;
    ShareOrCopy(other);
    if (old->itsRefCount > 0)
        --old->itsRefCount;
    else
        delete old;
    return *this;
}

FRM_CMenuBar::~FRM_CMenuBar()
{
    Release();
}

void FRM_CMenuBar::Release()
{
    if (itsMenuBarRep == nullptr)
        return;
    if (itsMenuBarRep->itsRefCount > 0)
        --itsMenuBarRep->itsRefCount;
    else
        delete itsMenuBarRep;
    itsMenuBarRep = nullptr;
}

void FRM_CMenuBar::ShareOrCopy(const FRM_CMenuBar& other)
{
    if (itIsReferenceCounted) {
        itsMenuBarRep = other.itsMenuBarRep;
        ++itsMenuBarRep->itsRefCount;
    } else {
        itsMenuBarRep = new CMenuBarRep(*other.itsMenuBarRep);
    }
}

void FRM_CMenuBar::DestructiveHandle()
{
    if (itsMenuBarRep->itsRefCount == 0)
        return;
    --itsMenuBarRep->itsRefCount;
    itsMenuBarRep = new CMenuBarRep(*itsMenuBarRep);
}

// ---------------------------------------------------------------------------------------------
// Structure

long FRM_CMenuBar::TopLevelIndex(short theTag) const
{
    const RWOrdered& submenus = *itsMenuBarRep->itsSubmenus;
    for (std::size_t i = 0; i < submenus.entries(); ++i)
        if (SubmenuAt(submenus, i)->GetTag() == theTag)
            return static_cast<long>(i);
    return -1;
}

short FRM_CMenuBar::AppendSubmenu(const FRM_CSubmenu& theSubmenu)
{
    DestructiveHandle();
    FRM_CSubmenu* copy = CopySubmenu(theSubmenu, kLineAppendCopy);
    if (copy == nullptr)
        return 0;
    itsMenuBarRep->itsSubmenus->append(copy);
    return 1;
}

short FRM_CMenuBar::InsertSubmenu(short theTag, const FRM_CSubmenu& theSubmenu)
{
    DestructiveHandle();
    const long index = TopLevelIndex(theTag);
    if (index < 0)
        return 0;
    FRM_CSubmenu* copy = CopySubmenu(theSubmenu, kLineInsertCopy);
    if (copy == nullptr)
        return 0;
    itsMenuBarRep->itsSubmenus->insertAt(static_cast<std::size_t>(index), copy);
    return 1;
}

short FRM_CMenuBar::ReplaceSubmenu(short theTag, const FRM_CSubmenu& theSubmenu)
{
    DestructiveHandle();
    const long index = TopLevelIndex(theTag);
    if (index < 0)
        return 0;
    FRM_CSubmenu* copy = CopySubmenu(theSubmenu, kLineReplaceCopy);
    if (copy == nullptr)
        return 0;
    RWCollectable*& place = (*itsMenuBarRep->itsSubmenus)[static_cast<std::size_t>(index)];
    delete place;
    place = copy;
    return 1;
}

short FRM_CMenuBar::RemoveSubmenu(short theTag)
{
    DestructiveHandle();
    const long index = TopLevelIndex(theTag);
    if (index < 0)
        return 0;
    delete itsMenuBarRep->itsSubmenus->removeAt(static_cast<std::size_t>(index));
    return 1;
}

FRM_CSubmenu* FRM_CMenuBar::FindSubmenu(short theTag) const
{
    const long index = TopLevelIndex(theTag);
    return index < 0 ? nullptr
                     : SubmenuAt(*itsMenuBarRep->itsSubmenus, static_cast<std::size_t>(index));
}

FRM_CMenu* FRM_CMenuBar::FindMenu(short theTag) const
{
    const RWOrdered& submenus = *itsMenuBarRep->itsSubmenus;
    for (std::size_t i = 0; i < submenus.entries(); ++i) {
        FRM_CSubmenu* submenu = SubmenuAt(submenus, i);
        if (submenu->GetTag() == theTag)
            return submenu;
        if (FRM_CMenu* hit = submenu->Find(theTag))
            return hit;
    }
    return nullptr;
}

FRM_CMenu* FRM_CMenuBar::FindMenuForChange(short theTag)
{
    DestructiveHandle();
    const RWOrdered& submenus = *itsMenuBarRep->itsSubmenus;
    for (std::size_t i = 0; i < submenus.entries(); ++i) {
        FRM_CSubmenu* submenu = SubmenuAt(submenus, i);
        if (submenu->GetTag() == theTag)
            return submenu;
        if (submenu->Find(theTag) != nullptr)
            return submenu->FindForChange(theTag);
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Entries by tag

WINDOW FRM_CMenuBar::ToolkitWindow() const
{
    return itsWindow != nullptr ? itsWindow->GetVKOWindow() : nullptr;
}

bool FRM_CMenuBar::IsWindowsCurrentBar() const
{
    return itsWindow != nullptr && itsWindow->GetMenuBar() == this;
}

void FRM_CMenuBar::SetTitle(short theTag, const FRM_CStringRW& theTitle)
{
    FRM_CMenu* entry = FindMenuForChange(theTag);
    if (entry == nullptr)
        return;
    entry->SetTitle(theTitle);
    if (WINDOW window = ToolkitWindow())
        vko_menu_set_item_title(window, theTag, theTitle.data());
}

void FRM_CMenuBar::SetEnabled(short theTag, short isEnabled)
{
    FRM_CMenu* entry = FindMenuForChange(theTag);
    if (entry == nullptr)
        return;
    entry->SetEnabled(isEnabled);
    if (IsWindowsCurrentBar())
        vko_menu_set_item_enabled(ToolkitWindow(), theTag, isEnabled != 0);
}

void FRM_CMenuBar::SetChecked(short theTag, short isChecked)
{
    FRM_CMenu* entry = FindMenuForChange(theTag);
    if (entry == nullptr)
        return;
    entry->SetChecked(isChecked);
    if (IsWindowsCurrentBar())
        vko_menu_set_item_checked(ToolkitWindow(), theTag, isChecked != 0);
}

FRM_CStringRW FRM_CMenuBar::GetTitle(short theTag) const
{
    const FRM_CMenu* entry = FindMenu(theTag);
    return entry != nullptr ? entry->GetTitle() : FRM_CStringRW();
}

short FRM_CMenuBar::IsEnabled(short theTag) const
{
    const FRM_CMenu* entry = FindMenu(theTag);
    return entry != nullptr ? entry->IsEnabled() : 0;
}

short FRM_CMenuBar::IsChecked(short theTag) const
{
    const FRM_CMenu* entry = FindMenu(theTag);
    return entry != nullptr ? entry->IsChecked() : 0;
}

short FRM_CMenuBar::IsCheckable(short theTag) const
{
    const FRM_CMenu* entry = FindMenu(theTag);
    return entry != nullptr ? entry->IsCheckable() : 0;
}

short FRM_CMenuBar::IsInMenu(short theTag) const
{
    return FindMenu(theTag) != nullptr ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// Toolkit records

void FRM_CMenuBar::InitMenuDefEntry(s_mitem* theRecord, const FRM_CMenu* theMenu)
{
    if (theRecord == nullptr || theMenu == nullptr)
        return;
    const FRM_CStringRW& title = theMenu->GetTitle();
    auto* text = static_cast<char*>(vko_mem_alloc(title.length() + 1));
    if (text == nullptr) {
        FrmError(kErrNoTitleCopy, kModule, kLineTitleCopy);
        return;
    }
    std::memcpy(text, title.data(), title.length() + 1);
    theRecord->text = text;
    theRecord->tag = theMenu->GetTag();
    theRecord->mkey = theMenu->GetMnemonic();
    theRecord->enabled = theMenu->IsEnabled();
    theRecord->checked = theMenu->IsChecked();
    theRecord->separator = (theMenu->GetFlags() & FRM_CMenu::SEPARATOR) != 0;
    theRecord->checkable = theMenu->IsCheckable();
    if (theRecord->separator)
        theRecord->tag = -1;
}

void FRM_CMenuBar::InitSubmenuDefEntry(s_mitem* theRecord, const FRM_CSubmenu* theSubmenu)
{
    if (theRecord == nullptr || theSubmenu == nullptr)
        return;
    InitMenuDefEntry(theRecord, theSubmenu);
    const RWOrdered& menus = *theSubmenu->GetMenus();
    s_mitem* children = NewRecords(menus.entries() + 1);
    if (children == nullptr) {
        FrmError(kErrNoChildRecords, kModule, kLineChildRecords);
        return;
    }
    theRecord->child = children;
    for (std::size_t i = 0; i < menus.entries(); ++i) {
        const auto* entry = static_cast<const FRM_CMenu*>(menus[i]);
        if (const FRM_CSubmenu* nested = FrmCast<FRM_CSubmenu>(entry))
            InitSubmenuDefEntry(&children[i], nested);
        else
            InitMenuDefEntry(&children[i], entry);
    }
}

s_mitem* FRM_CMenuBar::BuildMenuDef() const
{
    const RWOrdered& submenus = *itsMenuBarRep->itsSubmenus;
    s_mitem* records = NewRecords(submenus.entries() + 1);
    if (records == nullptr) {
        FrmError(kErrNoRecords, kModule, kLineTopRecords);
        return nullptr;
    }
    for (std::size_t i = 0; i < submenus.entries(); ++i)
        InitSubmenuDefEntry(&records[i], SubmenuAt(submenus, i));
    return records;
}

void FRM_CMenuBar::DoUpdate()
{
    WINDOW window = ToolkitWindow();
    if (window == nullptr)
        return;    // a bar without a window has nowhere to go
    s_mitem* tree = BuildMenuDef();
    if (tree == nullptr) {
        FrmError(kErrNoTree, kModule, kLineNoTree);
        return;
    }
    vko_menu_set_tree(window, tree);
    vko_res_free_menu_tree(tree);
}

void FRM_CMenuBar::InternalPopup(const FRM_CPoint& thePoint, e_vko_alignment theAlignment,
                                 short theTag, short theItem)
{
    const FRM_CSubmenu* submenu = FindSubmenu(theTag);
    if (submenu == nullptr) {
        FrmError(kErrNoPopupSubmenu, kModule, kLineNoPopupSubmenu);
        return;
    }
    s_mitem* records = NewRecords(2);
    if (records == nullptr) {
        FrmError(kErrNoRecords, kModule, kLinePopupRecords);
        return;
    }
    InitSubmenuDefEntry(&records[0], submenu);
    short chosen = 0;
    if (WINDOW window = ToolkitWindow())
        chosen = vko_menu_popup(records[0].child, window, static_cast<s_pnt>(thePoint),
                                theAlignment, theItem);
    vko_res_free_menu_tree(records);
    // The toolkit answers the item chosen and sends no menu event: the window gets it here,
    // as it gets the items of its bar.
    if (chosen != 0 && itsWindow != nullptr)
        itsWindow->DoMenuCommand(chosen, 0, 0);
}

void FRM_CMenuBar::DoPopup(const FRM_CPoint& thePoint, short theTag, e_vko_alignment theAlignment)
{
    if (theAlignment == static_cast<e_vko_alignment>(VKO_POPUP_OVER_ITEM)) {
        FrmError(kErrNoRecords, kModule, kLineOverItemAlignment);
        return;
    }
    InternalPopup(thePoint, theAlignment, theTag, 0);
}

void FRM_CMenuBar::DoPopup(const FRM_CPoint& thePoint, short theTag, short theItem)
{
    InternalPopup(thePoint, static_cast<e_vko_alignment>(VKO_POPUP_OVER_ITEM), theTag, theItem);
}
