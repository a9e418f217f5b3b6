// ctreemh.h: FRM_CTreeMouseHandler, a tree view's mouse: a press on a row focuses and selects
// by the view's selection policy, a double click toggles a node or reports a leaf, and the
// tab stops of the root's tab set can be dragged sideways in the title row. Every reaction
// is reported as a tree event. It never claims an event (every operation answers 0).
#pragma once

#include "frm/core/crect.h"
#include "frm/core/ctypeinfo.h"
#include "frm/interaction/cmouse.h"

class FRM_CTreeItem;
class FRM_CTreeView;

class FRM_CTreeMouseHandler : public FRM_CMouseHandler {
public:
    // Cursors this handler sets on the view's window.
    static constexpr short kNormalCursor = 0;
    static constexpr short kTabDragCursor = 2;

    explicit FRM_CTreeMouseHandler(FRM_CTreeView* theTree) : itsTree(theTree) {}
    FRM_CTreeMouseHandler(const FRM_CTreeMouseHandler& other);
    FRM_CTreeMouseHandler& operator=(const FRM_CTreeMouseHandler& other);
    ~FRM_CTreeMouseHandler() override = default;

    static const FRM_CTypeInfo* GetStaticTypeInfo() { return &frm_type::CTreeMouseHandler; }
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const { return &frm_type::CTreeMouseHandler; }

    short DoDown(FRM_CPoint& thePoint, short& theButton, short& isShift, short& isControl) override;
    short DoUp(FRM_CPoint& thePoint, short& theButton, short& isShift, short& isControl) override;
    short DoDouble(FRM_CPoint& thePoint, short& theButton, short& isShift,
                   short& isControl) override;
    short DoMove(FRM_CPoint& thePoint, short& theButton, short& isShift, short& isControl) override;
    // Points come in the coordinates of the view's window.
    short UsesGlobalCoords() const override { return 0; }

    virtual short DoDownInTitle(FRM_CPoint& thePoint, short& theButton, short& isShift,
                                short& isControl);
    virtual short DoDownInItem(FRM_CPoint& thePoint, short& theButton, short& isShift,
                               short& isControl);

    // The tab stop under the pointer in the title (index + 1), 0 for none.
    unsigned long GetTab() const { return itsTab; }
    short IsDragging() const { return itsIsDragging; }
    short GetCurrentCursor() const { return itsCurrentCursor; }

protected:
    // One exclusive-or line across the view at theLocation + the offset to the tab stop:
    // drawn twice, it leaves the screen as it was.
    void DrawDragLine(const FRM_CPoint& theLocation);
    bool IsApplicable(const FRM_CPoint& theLocation) const;
    // A point beyond the undo bounds goes back to the drag's start; others are kept inside
    // the drag bounds.
    FRM_CPoint CoercedPoint(const FRM_CPoint& theLocation) const;
    void SetDragBounds(const FRM_CPoint& theLocation);

private:
    // Whether the view shows and thePoint lies in it.
    bool InView(const FRM_CPoint& thePoint) const;

    FRM_CTreeView* itsTree = nullptr;
    FRM_CTreeItem* itsHitItem = nullptr;
    short itsCurrentCursor = kNormalCursor;
    unsigned long itsTab = 0;
    short itsIsDragging = 0;
    FRM_CRect itsDragBounds;
    FRM_CRect itsUndoBounds;
    FRM_CPoint itsLastDragDraw;
    FRM_CPoint itsOriginalPoint;
    FRM_CPoint itsOffsetToTab;
};
