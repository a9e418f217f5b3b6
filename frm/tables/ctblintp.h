// ctblintp.h: FRM_CTableInterpreter, the abstract cell interpreter. The table view hands it
// every cell whose effective attributes name it: it draws the cell (the shared rules here:
// background or selection hatch, four borders or a raised or sunken bevel), says whether the
// cell can take the focus, and edits the focused cell. CTableInterpreterParameters carries
// the view, the cell and its rectangle, the clip, the effective attributes and the drawing
// context to every operation.
#pragma once

#include "frm/tables/ctblatr.h"

class FRM_CDrawingContext;
class FRM_CKey;
class FRM_CPoint;
class FRM_CRect;
class FRM_CTableView;

struct CTableInterpreterParameters {
    FRM_CTableView* itsView = nullptr;
    const FRM_CCell* itsCell = nullptr;
    // The rectangle being drawn (the update rectangle while drawing, else the view's frame).
    const FRM_CRect* itsClip = nullptr;
    // The cell's rectangle: in window coordinates while drawing, else in the view's own.
    const FRM_CRect* itsCellBounds = nullptr;
    FRM_CTableAttributes* itsAttributes = nullptr;
    FRM_CDrawingContext* itsContext = nullptr;
};

class FRM_CTableInterpreter {
public:
    static constexpr int kCellBevelSize = 1;
    static constexpr int kFocusWidth = 1;

    explicit FRM_CTableInterpreter(FRM_CTableView* theTable) : itsTable(theTable) {}
    FRM_CTableInterpreter(const FRM_CTableInterpreter&) = default;
    FRM_CTableInterpreter& operator=(const FRM_CTableInterpreter&) = default;
    virtual ~FRM_CTableInterpreter() = default;

    // The background, then the bevel or the four borders.
    virtual void Draw(const CTableInterpreterParameters& theParameters);
    virtual short CanFocus(const CTableInterpreterParameters& theParameters) = 0;
    virtual void FocusIn(const CTableInterpreterParameters& theParameters) = 0;
    virtual void FocusOut(const CTableInterpreterParameters& theParameters) = 0;
    // The cell leaves the table or the view: release what is held for it.
    virtual void Hide(const CTableInterpreterParameters& theParameters) = 0;
    // 1 when the key was taken; the table handles it otherwise.
    virtual short Key(const CTableInterpreterParameters& theParameters, const FRM_CKey& theKey);
    virtual void Scroll(const FRM_CPoint& theOffset);
    virtual FRM_CTableView* Table() const { return itsTable; }

    // 1 pixel for every drawn style, 0 for none.
    virtual int BorderSize(const FRM_CTableAttributes::Border& theBorder) const;
    // The cell rectangle less its borders, or less one pixel all round for a bevel.
    virtual FRM_CRect GetInterior(const FRM_CRect& theCellRect,
                                  FRM_CTableAttributes& theAttributes);
    virtual void DrawABorder(const FRM_CTableAttributes::Border& theBorder,
                             FRM_CDrawingContext& theContext, const FRM_CPoint& theStart,
                             const FRM_CPoint& theStop);
    // The selection hatch for a selected cell, else the cell's own background if it has one.
    virtual void DrawBackground(const CTableInterpreterParameters& theParameters);
    virtual short IsRaised(FRM_CTableAttributes& theAttributes) const;
    virtual short IsSunken(FRM_CTableAttributes& theAttributes) const;
    // The colour of the first bevelled border (top, left, bottom, right), or no colour.
    virtual unsigned long GetUpShadow(FRM_CTableAttributes& theAttributes) const;
    // Each colour byte halved; the top byte kept.
    virtual unsigned long GetDownShadow(unsigned long theColor) const;
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

protected:
    // One pixel in the table view's vertical logical units.
    float OnePixel() const;

    FRM_CTableView* itsTable;   // not owned
};
