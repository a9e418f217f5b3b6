// csubmenu.h: the menu tree: FRM_CMenu (one entry's title, tag, mnemonic and flags),
// FRM_CMenuItem (a leaf) and FRM_CSubmenu (an ordered list of entries). Copies of a submenu
// share one CSubmenuRep while menu sharing is on (FRM_CMenuBar::IsReferenceCounted) and copy
// it before any change. A representation owns its entries; what callers pass in is copied.
#pragma once

#include <cstdint>

#include "frm/core/cboss.h"
#include "frm/core/cstringrw.h"
#include "vkobase/types.h"
#include "vkocoll/ordered.h"

class FRM_CMenu : public FRM_CNotifier {
    FRM_TYPE_INFO(CMenu)
public:
    enum MENU_FLAGS { NONE = 0, ENABLED = 1, CHECKED = 2, CHECKABLE = 4, SEPARATOR = 8 };

    FRM_CMenu();
    FRM_CMenu(const FRM_CStringRW& theTitle, short theTag, short theMnemonic, long theFlags);
    FRM_CMenu(const FRM_CMenu& other);
    FRM_CMenu& operator=(const FRM_CMenu& other) = default;
    ~FRM_CMenu() override;

    void SetTitle(const FRM_CStringRW& theTitle) { itsText = theTitle; }
    const FRM_CStringRW& GetTitle() const { return itsText; }
    void SetTag(short theTag) { itsTag = theTag; }
    short GetTag() const { return itsTag; }
    void SetMnemonic(short theMnemonic) { itsMnemonic = theMnemonic; }
    short GetMnemonic() const { return itsMnemonic; }
    // Bits other than the four of MENU_FLAGS are kept and ignored.
    void SetFlags(long theFlags) { itsFlags = static_cast<std::int32_t>(theFlags); }
    long GetFlags() const { return itsFlags; }
    void SetEnabled(short isEnabled);
    void SetChecked(short isChecked);
    short IsEnabled() const { return (itsFlags & ENABLED) != 0 ? 1 : 0; }
    short IsChecked() const { return (itsFlags & CHECKED) != 0 ? 1 : 0; }
    short IsCheckable() const { return (itsFlags & CHECKABLE) != 0 ? 1 : 0; }

    // The one reading of a toolkit menu record (resources and the toolkit's own trees): takes
    // the title, tag, mnemonic and the four flag bits of the record.
    void ReadRecord(const s_mitem& theRecord);
    // The flag word of a record's four bits.
    static long FlagsOfRecord(const s_mitem& theRecord);
    // A record array ends with an all-zero record; a separator has tag 0 too, but is no end.
    static bool IsEndRecord(const s_mitem& theRecord);

private:
    FRM_CStringRW itsText;
    std::int16_t itsTag = 0;
    std::int16_t itsMnemonic = 0;
    std::int32_t itsFlags = NONE;
};

class FRM_CMenuItem : public FRM_CMenu {
    FRM_TYPE_INFO(CMenuItem)
public:
    FRM_CMenuItem() = default;
    FRM_CMenuItem(const FRM_CStringRW& theTitle, short theTag, short theMnemonic, long theFlags)
        : FRM_CMenu(theTitle, theTag, theMnemonic, theFlags) {}
    FRM_CMenuItem(const FRM_CMenuItem& other) = default;
    FRM_CMenuItem& operator=(const FRM_CMenuItem& other) = default;
    ~FRM_CMenuItem() override;

    short IsSeparator() const { return (GetFlags() & SEPARATOR) != 0 ? 1 : 0; }
};

// The shared list of a submenu's entries. itsRefCount counts the additional owners: a new
// representation has 0 (one owner) and is destroyed when released at 0.
class CSubmenuRep {
public:
    CSubmenuRep() = default;
    // Clones every entry of other's list, in order.
    CSubmenuRep(const CSubmenuRep& other);
    CSubmenuRep& operator=(const CSubmenuRep&) = delete;
    ~CSubmenuRep();

    void Reference() { ++itsRefCount; }
    // One owner less; the last owner's release destroys the entries and the representation.
    void Dereference();
    short Unique() const { return itsRefCount == 0 ? 1 : 0; }
    RWOrdered& Menus() { return itsMenus; }
    short GetRefCount() const { return itsRefCount; }

    // A new heap copy of an entry that is exactly a FRM_CMenuItem or a FRM_CSubmenu; anything
    // else is error 3005 and gives null (only while the error report is hooked).
    static FRM_CMenu* Clone(const FRM_CMenu& theMenu);

private:
    RWOrdered itsMenus;
    std::int16_t itsRefCount = 0;
};

class FRM_CSubmenu : public FRM_CMenu {
    FRM_TYPE_INFO(CSubmenu)
public:
    FRM_CSubmenu();
    FRM_CSubmenu(const FRM_CStringRW& theTitle, short theTag, short theMnemonic, long theFlags);
    FRM_CSubmenu(const FRM_CSubmenu& other);
    FRM_CSubmenu& operator=(const FRM_CSubmenu& other);
    ~FRM_CSubmenu() override;

    // Each change works on a copy of the entry and returns 1 when it took place. The searches
    // visit the entries in pre-order (a submenu's own tag before its entries).
    short Append(const FRM_CMenu& theMenu);
    short Insert(short theTag, const FRM_CMenu& theMenu);
    short Replace(short theTag, const FRM_CMenu& theMenu);
    short Remove(short theTag);
    FRM_CMenu* Find(short theTag) const;
    const RWOrdered* GetMenus() const { return &itsSubmenuRep->Menus(); }

    // Find for a change in place: every representation on the path to the entry is made this
    // submenu's own first, so that no other owner sees the change.
    FRM_CMenu* FindForChange(short theTag);
    const CSubmenuRep* GetRep() const { return itsSubmenuRep; }

protected:
    void DestructiveHandle();

private:
    enum class Edit { Insert, Replace, Remove };
    short EditAt(Edit theEdit, short theTag, const FRM_CMenu* theMenu);
    void ShareOrCopy(const FRM_CSubmenu& other);

    CSubmenuRep* itsSubmenuRep;
};
