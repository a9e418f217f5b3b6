// ctreeevt.h: FRM_CTreeEvent, what a tree view reports through DoCommand(20008, &event):
// focus, selection and expansion changes, and the mouse's clicks with the item and the tab
// field under the pointer. A receiver must only compare the item pointer with its own: an
// item may be reported while it is being destroyed.
#pragma once

#include "frm/core/crect.h"
#include "frm/core/ctypeinfo.h"

class FRM_CTreeItem;
class FRM_CTreeView;

class FRM_CTreeEvent {
public:
    enum EventType {
        FocusIn = 0, FocusOut, SelectionChanged, Expand, Collapse, MouseClick, TitleMouseClick,
        MouseDoubleClick
    };

    FRM_CTreeEvent(EventType theType, FRM_CTreeView* theTree, FRM_CTreeItem* theItem)
        : itsType(theType), itsTree(theTree), itsTreeItem(theItem)
    {
    }
    // A mouse event at thePoint (global): the item under it (the root for a title click)
    // and the tab field of the item's text under it.
    FRM_CTreeEvent(EventType theType, FRM_CTreeView* theTree, const FRM_CPoint& thePoint,
                   short theButton, short isShift, short isControl);
    virtual ~FRM_CTreeEvent() = default;
    FRM_CTreeEvent(const FRM_CTreeEvent&) = default;
    FRM_CTreeEvent& operator=(const FRM_CTreeEvent&) = default;

    static const FRM_CTypeInfo* GetStaticTypeInfo() { return &frm_type::CTreeEvent; }
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const { return &frm_type::CTreeEvent; }

    EventType GetType() const { return itsType; }
    FRM_CTreeView* GetTree() { return itsTree; }
    const FRM_CTreeView* GetTree() const { return itsTree; }
    FRM_CTreeItem* GetTreeItem() { return itsTreeItem; }
    const FRM_CTreeItem* GetTreeItem() const { return itsTreeItem; }
    FRM_CPoint GetPoint() const { return itsPoint; }
    short GetButton() const { return itsButton; }
    short GetIsShift() const { return itsIsShift; }
    short GetIsControl() const { return itsIsControl; }
    unsigned long GetTabHit() const { return itsTabHit; }

private:
    EventType itsType;
    FRM_CTreeView* itsTree = nullptr;
    FRM_CTreeItem* itsTreeItem = nullptr;
    FRM_CPoint itsPoint;
    short itsButton = 0;
    short itsIsShift = 0;
    short itsIsControl = 0;
    unsigned long itsTabHit = 0;
};
