// csubmenu.cpp: menu entries and submenus with copy-on-write entry lists.
#include "frm/views/csubmenu.h"

#include "frm/core/frmerror.h"
#include "frm/views/cmenubar.h"

namespace {

constexpr char kModule[] = "csubmenu";
constexpr long kErrNotAMenuEntry = 3005;
constexpr int kLineNotAMenuEntry = 52;

FRM_CMenu* MenuAt(const RWOrdered& theList, std::size_t index)
{
    return static_cast<FRM_CMenu*>(theList[index]);
}

FRM_CSubmenu* AsSubmenu(FRM_CMenu* theMenu)
{
    return FrmCast<FRM_CSubmenu>(theMenu);
}

} // namespace

// The sharing switch of menus and menu bars; the menu tree reads it first.
short FRM_CMenuBar::itIsReferenceCounted = 1;

// ---------------------------------------------------------------------------------------------
// FRM_CMenu

FRM_CMenu::FRM_CMenu() = default;

FRM_CMenu::FRM_CMenu(const FRM_CStringRW& theTitle, short theTag, short theMnemonic,
                     long theFlags)
    : itsText(theTitle), itsTag(theTag), itsMnemonic(theMnemonic),
      itsFlags(static_cast<std::int32_t>(theFlags))
{
}

// The notifier part of a copy starts fresh: controllers are never shared.
FRM_CMenu::FRM_CMenu(const FRM_CMenu& other)
    : FRM_CNotifier(), itsText(other.itsText), itsTag(other.itsTag),
      itsMnemonic(other.itsMnemonic), itsFlags(other.itsFlags)
{
}

FRM_CMenu::~FRM_CMenu() = default;

void FRM_CMenu::SetEnabled(short isEnabled)
{
    itsFlags = isEnabled != 0 ? (itsFlags | ENABLED) : (itsFlags & ~ENABLED);
}

void FRM_CMenu::SetChecked(short isChecked)
{
    itsFlags = isChecked != 0 ? (itsFlags | CHECKED) : (itsFlags & ~CHECKED);
}

long FRM_CMenu::FlagsOfRecord(const s_mitem& theRecord)
{
    return (theRecord.enabled ? ENABLED : 0) | (theRecord.checked ? CHECKED : 0) |
           (theRecord.checkable ? CHECKABLE : 0) | (theRecord.separator ? SEPARATOR : 0);
}

bool FRM_CMenu::IsEndRecord(const s_mitem& theRecord)
{
    return theRecord.tag == 0 && theRecord.text == nullptr && theRecord.child == nullptr &&
           theRecord.mkey == 0 && !theRecord.enabled && !theRecord.checked &&
           !theRecord.checkable && !theRecord.separator && theRecord.state == 0;
}

void FRM_CMenu::ReadRecord(const s_mitem& theRecord)
{
    SetTitle(FRM_CStringRW(theRecord.text != nullptr ? theRecord.text : ""));
    SetTag(theRecord.tag);
    SetMnemonic(theRecord.mkey);
    SetFlags(FlagsOfRecord(theRecord));
}

FRM_CMenuItem::~FRM_CMenuItem() = default;

// ---------------------------------------------------------------------------------------------
// CSubmenuRep

CSubmenuRep::CSubmenuRep(const CSubmenuRep& other)
{
    for (std::size_t i = 0; i < other.itsMenus.entries(); ++i)
        if (FRM_CMenu* copy = Clone(*MenuAt(other.itsMenus, i)))
            itsMenus.append(copy);
}

CSubmenuRep::~CSubmenuRep()
{
    itsMenus.clearAndDestroy();
}

void CSubmenuRep::Dereference()
{
    if (itsRefCount >= 1) {
        --itsRefCount;
        return;
    }
    delete this;
}

FRM_CMenu* CSubmenuRep::Clone(const FRM_CMenu& theMenu)
{
    const FRM_CTypeInfo* type = theMenu.GetRunTimeTypeInfo();
    if (type->IsSame(FRM_CSubmenu::GetStaticTypeInfo()))
        return new FRM_CSubmenu(static_cast<const FRM_CSubmenu&>(theMenu));
    if (type->IsSame(FRM_CMenuItem::GetStaticTypeInfo()))
        return new FRM_CMenuItem(static_cast<const FRM_CMenuItem&>(theMenu));
    FrmError(kErrNotAMenuEntry, kModule, kLineNotAMenuEntry);
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// FRM_CSubmenu

FRM_CSubmenu::FRM_CSubmenu() : itsSubmenuRep(new CSubmenuRep) {}

FRM_CSubmenu::FRM_CSubmenu(const FRM_CStringRW& theTitle, short theTag, short theMnemonic,
                           long theFlags)
    : FRM_CMenu(theTitle, theTag, theMnemonic, theFlags), itsSubmenuRep(new CSubmenuRep)
{
}

FRM_CSubmenu::FRM_CSubmenu(const FRM_CSubmenu& other) : FRM_CMenu(other), itsSubmenuRep(nullptr)
{
    ShareOrCopy(other);
}

// Hand-written: the entry list is shared or deep-copied and the old one released.
FRM_CSubmenu& FRM_CSubmenu::operator=(const FRM_CSubmenu& other)
{
    if (this == &other)
        return *this;
    // Share (or copy) first: other may be an entry of this submenu's own list.
    CSubmenuRep* old = itsSubmenuRep;
    FRM_CMenu::operator=(other);
    ShareOrCopy(other);
    old->Dereference();
    return *this;
}

FRM_CSubmenu::~FRM_CSubmenu()
{
    itsSubmenuRep->Dereference();
}

void FRM_CSubmenu::ShareOrCopy(const FRM_CSubmenu& other)
{
    if (FRM_CMenuBar::IsReferenceCounted()) {
        itsSubmenuRep = other.itsSubmenuRep;
        itsSubmenuRep->Reference();
    } else {
        itsSubmenuRep = new CSubmenuRep(*other.itsSubmenuRep);
    }
}

void FRM_CSubmenu::DestructiveHandle()
{
    if (itsSubmenuRep->Unique())
        return;
    CSubmenuRep* shared = itsSubmenuRep;
    itsSubmenuRep = new CSubmenuRep(*shared);
    shared->Dereference();
}

short FRM_CSubmenu::Append(const FRM_CMenu& theMenu)
{
    DestructiveHandle();
    FRM_CMenu* copy = CSubmenuRep::Clone(theMenu);
    if (copy == nullptr)
        return 0;
    itsSubmenuRep->Menus().append(copy);
    return 1;
}

FRM_CMenu* FRM_CSubmenu::Find(short theTag) const
{
    const RWOrdered& menus = itsSubmenuRep->Menus();
    for (std::size_t i = 0; i < menus.entries(); ++i) {
        FRM_CMenu* entry = MenuAt(menus, i);
        if (entry->GetTag() == theTag)
            return entry;
        if (FRM_CSubmenu* nested = AsSubmenu(entry))
            if (FRM_CMenu* hit = nested->Find(theTag))
                return hit;
    }
    return nullptr;
}

FRM_CMenu* FRM_CSubmenu::FindForChange(short theTag)
{
    DestructiveHandle();
    RWOrdered& menus = itsSubmenuRep->Menus();
    for (std::size_t i = 0; i < menus.entries(); ++i) {
        FRM_CMenu* entry = MenuAt(menus, i);
        if (entry->GetTag() == theTag)
            return entry;
        FRM_CSubmenu* nested = AsSubmenu(entry);
        if (nested != nullptr && nested->Find(theTag) != nullptr)
            return nested->FindForChange(theTag);
    }
    return nullptr;
}

// The one pre-order walk behind Insert, Replace and Remove; each level is made unique before
// it is changed or descended into.
short FRM_CSubmenu::EditAt(Edit theEdit, short theTag, const FRM_CMenu* theMenu)
{
    DestructiveHandle();
    RWOrdered& menus = itsSubmenuRep->Menus();
    for (std::size_t i = 0; i < menus.entries(); ++i) {
        FRM_CMenu* entry = MenuAt(menus, i);
        if (entry->GetTag() == theTag) {
            if (theEdit == Edit::Remove) {
                menus.removeAt(i);
                delete entry;
                return 1;
            }
            FRM_CMenu* copy = CSubmenuRep::Clone(*theMenu);
            if (copy == nullptr)
                return 0;
            if (theEdit == Edit::Insert) {
                menus.insertAt(i, copy);
            } else {
                menus[i] = copy;
                delete entry;
            }
            return 1;
        }
        FRM_CSubmenu* nested = AsSubmenu(entry);
        if (nested != nullptr && nested->Find(theTag) != nullptr)
            return nested->EditAt(theEdit, theTag, theMenu);
    }
    return 0;
}

short FRM_CSubmenu::Insert(short theTag, const FRM_CMenu& theMenu)
{
    return EditAt(Edit::Insert, theTag, &theMenu);
}

short FRM_CSubmenu::Replace(short theTag, const FRM_CMenu& theMenu)
{
    return EditAt(Edit::Replace, theTag, &theMenu);
}

short FRM_CSubmenu::Remove(short theTag)
{
    return EditAt(Edit::Remove, theTag, nullptr);
}
