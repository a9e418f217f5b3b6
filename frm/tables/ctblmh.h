// ctblmh.h: FRM_CTableMouseHandler, the pointer on a table: presses select cells, rows and
// columns by the table's selection policy (dragging extends, shift extends the last press,
// control toggles), a press between two labels drags that border to resize the row or column
// (an exclusive-or line shows where), a selection drag beyond the pressed part scrolls one
// cell per move, a release in the interior moves the focus, and a border under the pointer
// shows the split cursor. It never claims an event.
#pragma once

#include "frm/core/crect.h"
#include "frm/core/ctypeinfo.h"
#include "frm/interaction/cmouse.h"
#include "frm/core/crgn.h"

class FRM_CTable;
class FRM_CTableView;

class FRM_CTableMouseHandler : public FRM_CMouseHandler {
public:
    enum TablePart : std::int32_t {
        None = 0,
        ColumnLabels = 1,
        ColumnLabelsBorder = 2,
        RowLabels = 3,
        RowLabelsBorder = 4,
        Table = 5,
        FocusCell = 6,
    };
    // Half the width of the zone around a label border that resizes.
    static constexpr float kBorderZone = 4;
    // How far, in pixels, a border drag may stray before it snaps back.
    static constexpr int kUndoMargin = 30;

    FRM_CTableMouseHandler(FRM_CTable* theTable, short theSplitCursor);
    FRM_CTableMouseHandler(const FRM_CTableMouseHandler& other) = default;
    FRM_CTableMouseHandler& operator=(const FRM_CTableMouseHandler& other) = default;
    ~FRM_CTableMouseHandler() override = default;
    static const FRM_CTypeInfo* GetStaticTypeInfo() { return &frm_type::CTableMouseHandler; }
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const
    {
        return &frm_type::CTableMouseHandler;
    }

    // Points come in the coordinates of the table's window; every one answers 0.
    short DoDown(FRM_CPoint& thePoint, short& theButton, short& isShift, short& isControl) override;
    short DoUp(FRM_CPoint& thePoint, short& theButton, short& isShift, short& isControl) override;
    short DoDouble(FRM_CPoint& thePoint, short& theButton, short& isShift,
                   short& isControl) override;
    short DoMove(FRM_CPoint& thePoint, short& theButton, short& isShift, short& isControl) override;
    short UsesGlobalCoords() const override { return 0; }

    TablePart GetPart() const { return itsPart; }
    short GetCurrentCursor() const { return itsCurrentCursor; }

protected:
    virtual TablePart WhichPart(const FRM_CPoint& thePoint);
    void SetDragBounds(const FRM_CPoint& thePoint);
    // An exclusive-or line across the table at the point: drawn twice, it is gone.
    void DrawDragLine(const FRM_CPoint& thePoint);
    void ChangeSelection(const FRM_CCell& theCell);
    void EnforceSelectionPolicy(FRM_CBounds& theBounds, const FRM_CCell& theCell);
    // Beyond the undo bounds: the press point; else kept inside the drag bounds.
    FRM_CPoint CoercedPoint(const FRM_CPoint& thePoint) const;
    void AutoScroll(const FRM_CPoint& thePoint);

private:
    // The cell of the interior under a window point.
    FRM_CCell CellAt(const FRM_CPoint& thePoint) const;
    // Whether the label strip's cells touched by a probe around the point make a border.
    TablePart LabelPart(FRM_CTableView* theLabels, const FRM_CPoint& thePoint, bool isColumns);
    void Resize(const FRM_CPoint& thePoint);
    bool IsBorder() const { return itsPart == ColumnLabelsBorder || itsPart == RowLabelsBorder; }

    FRM_CTable* itsTable;
    TablePart itsPart = None;
    TablePart itsLastPart = None;
    short itsSplitCursor;
    short itsCurrentCursor = 0;
    FRM_CRect itsDragBounds;
    FRM_CRect itsUndoBounds;
    FRM_CRegion itsSelectedRegion;
    short isSelecting = 0;
    FRM_CPoint itsOriginalPoint;
    FRM_CCell itsOriginalCell;
    FRM_CCell itsLastCell;
    FRM_CPoint itsLastPoint;
};
