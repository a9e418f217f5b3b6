// cmenubar.h: FRM_CMenuBar, one window's menu bar: an ordered list of top-level submenus that
// it turns into the toolkit's menu records. Copies share one CMenuBarRep while sharing is on;
// every change first makes the representation (and the path to a changed entry) its own.
// The bar does not own its window; the window owns the bar it holds.
#pragma once

#include <cstdint>
#include <memory>

#include "frm/core/cboss.h"
#include "frm/core/crect.h"
#include "frm/views/csubmenu.h"
#include "vkobase/menu.h"

class FRM_CWindow;

// The toolkit's popup alignments; the base library names the fourth, VKO_POPUP_OVER_ITEM (3),
// which places the named item under the point.
enum e_vko_alignment : std::int32_t {
    VKO_POPUP_CENTER = 0,
    VKO_POPUP_LEFT_ALIGN = 1,
    VKO_POPUP_RIGHT_ALIGN = 2,
};

class CMenuBarRep {
public:
    CMenuBarRep();
    // Copies every top-level submenu (nested lists stay shared while sharing is on).
    CMenuBarRep(const CMenuBarRep& other);
    CMenuBarRep& operator=(const CMenuBarRep&) = delete;
    ~CMenuBarRep();

    std::unique_ptr<RWOrdered> itsSubmenus;   // owns its submenus
    std::int16_t itsRefCount = 0;             // additional owners; 0 means one
};

class FRM_CMenuBar : public FRM_CNotifier {
    FRM_TYPE_INFO(CMenuBar)
public:
    explicit FRM_CMenuBar(FRM_CWindow* theWindow);
    // An empty bar filled from the menu resource theResourceId, one top-level submenu per
    // entry of the resource (0 is error 3060).
    FRM_CMenuBar(FRM_CWindow* theWindow, short theResourceId);
    FRM_CMenuBar(const FRM_CMenuBar& other);
    FRM_CMenuBar& operator=(const FRM_CMenuBar& other);
    ~FRM_CMenuBar() override;

    static short IsReferenceCounted() { return itIsReferenceCounted; }
    static void SetReferenceCounting(short isOn) { itIsReferenceCounted = isOn; }

    // Structure; each returns 1 when it took place. Only top-level submenus are matched.
    short AppendSubmenu(const FRM_CSubmenu& theSubmenu);
    short InsertSubmenu(short theTag, const FRM_CSubmenu& theSubmenu);
    short ReplaceSubmenu(short theTag, const FRM_CSubmenu& theSubmenu);
    short RemoveSubmenu(short theTag);
    FRM_CSubmenu* FindSubmenu(short theTag) const;
    const RWOrdered* GetSubmenus() const { return itsMenuBarRep->itsSubmenus.get(); }
    FRM_CWindow* GetWindow() const { return itsWindow; }

    // Entries by tag, at any depth. The title always reaches the toolkit window; enabled and
    // checked states only while this bar is the window's current one. A bar without a window
    // changes its own entries only.
    void SetTitle(short theTag, const FRM_CStringRW& theTitle);
    void SetEnabled(short theTag, short isEnabled);
    void SetChecked(short theTag, short isChecked);
    FRM_CStringRW GetTitle(short theTag) const;
    short IsEnabled(short theTag) const;
    short IsChecked(short theTag) const;
    short IsCheckable(short theTag) const;
    short IsInMenu(short theTag) const;

    // Hands the whole record tree to the window's toolkit window.
    void DoUpdate();
    // Shows the top-level submenu theTag as a popup; VKO_POPUP_OVER_ITEM is error 3080 here.
    void DoPopup(const FRM_CPoint& thePoint, short theTag, e_vko_alignment theAlignment);
    // The same, over the entry theItem of that submenu.
    void DoPopup(const FRM_CPoint& thePoint, short theTag, short theItem);

    // The record tree of the bar: one record per top-level submenu and a zero record at the
    // end, all in toolkit memory; the caller frees it with vko_res_free_menu_tree.
    s_mitem* BuildMenuDef() const;

protected:
    FRM_CMenuBar();
    void DestructiveHandle();
    FRM_CMenu* FindMenu(short theTag) const;
    // FindMenu for a change in place: the path to the entry becomes this bar's own first.
    FRM_CMenu* FindMenuForChange(short theTag);
    void InternalPopup(const FRM_CPoint& thePoint, e_vko_alignment theAlignment, short theTag,
                       short theItem);
    static void InitMenuDefEntry(s_mitem* theRecord, const FRM_CMenu* theMenu);
    static void InitSubmenuDefEntry(s_mitem* theRecord, const FRM_CSubmenu* theSubmenu);

private:
    void Release();
    void ShareOrCopy(const FRM_CMenuBar& other);
    long TopLevelIndex(short theTag) const;
    // The window's toolkit window, or null for a bar without a window.
    WINDOW ToolkitWindow() const;
    bool IsWindowsCurrentBar() const;

    static short itIsReferenceCounted;

    FRM_CWindow* itsWindow = nullptr;
    CMenuBarRep* itsMenuBarRep = nullptr;
};
