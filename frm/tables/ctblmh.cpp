// ctblmh.cpp: selection by pressing and dragging, border resizing and auto-scrolling.
#include "frm/tables/ctblmh.h"

#include <algorithm>

#include "frm/core/cunits.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/tables/ctable.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr std::int32_t kEnd = FRM_CRegion::kEnd;
constexpr short kArrowCursor = 0;

bool IsMultiple(FRM_CTable::SelectionPolicy thePolicy)
{
    return thePolicy == FRM_CTable::None || thePolicy == FRM_CTable::MultipleRow ||
           thePolicy == FRM_CTable::MultipleColumn || thePolicy == FRM_CTable::MultipleCell;
}

bool IsRowPolicy(FRM_CTable::SelectionPolicy thePolicy)
{
    return thePolicy == FRM_CTable::SingleRow || thePolicy == FRM_CTable::MandatoryRow ||
           thePolicy == FRM_CTable::MultipleRow;
}

bool IsColumnPolicy(FRM_CTable::SelectionPolicy thePolicy)
{
    return thePolicy == FRM_CTable::SingleColumn || thePolicy == FRM_CTable::MandatoryColumn ||
           thePolicy == FRM_CTable::MultipleColumn;
}

bool Contains(const FRM_CBounds& theOuter, const FRM_CBounds& theInner)
{
    return theInner.Top() >= theOuter.Top() && theInner.Left() >= theOuter.Left() &&
           theInner.Bottom() <= theOuter.Bottom() && theInner.Right() <= theOuter.Right();
}

}   // namespace

FRM_CTableMouseHandler::FRM_CTableMouseHandler(FRM_CTable* theTable, short theSplitCursor)
    : itsTable(theTable), itsSplitCursor(theSplitCursor)
{
}

// ---------------------------------------------------------------------------------------------
// Where the pointer is

FRM_CCell FRM_CTableMouseHandler::CellAt(const FRM_CPoint& thePoint) const
{
    FRM_CTableView* view = itsTable->GetTableView();
    return view->GetCoordinates().ToCell(thePoint.GetLocal(view));
}

FRM_CTableMouseHandler::TablePart FRM_CTableMouseHandler::LabelPart(FRM_CTableView* theLabels,
                                                                    const FRM_CPoint& thePoint,
                                                                    bool isColumns)
{
    const FRM_CPoint local = thePoint.GetLocal(theLabels);
    const FRM_CBounds touched = theLabels->GetCoordinates().ToCell(
        FRM_CRect(local.H() - kBorderZone, local.V() - kBorderZone, local.H() + kBorderZone,
                  local.V() + kBorderZone));
    const FRM_CBounds table = itsTable->GetCellBounds();
    const std::int32_t across = isColumns ? touched.Width() : touched.Height();
    if (Contains(table, touched))
        return across <= 1 ? (isColumns ? ColumnLabels : RowLabels)
                           : (isColumns ? ColumnLabelsBorder : RowLabelsBorder);
    // The border after the last column (row) resizes that column (row).
    const bool pastEnd =
        isColumns ? (touched.Top() >= table.Top() && touched.Left() >= table.Left() &&
                     touched.Bottom() <= table.Bottom() && touched.Right() == table.Right() + 1)
                  : (touched.Top() >= table.Top() && touched.Left() >= table.Left() &&
                     touched.Right() <= table.Right() && touched.Bottom() == table.Bottom() + 1);
    if (pastEnd && across > 1)
        return isColumns ? ColumnLabelsBorder : RowLabelsBorder;
    return None;
}

FRM_CTableMouseHandler::TablePart FRM_CTableMouseHandler::WhichPart(const FRM_CPoint& thePoint)
{
    FRM_CTableView* view = itsTable->GetTableView();
    if (view == nullptr)
        return None;
    if (view->GetGlobalFrame().IsPointInRect(thePoint)) {
        const FRM_CCell cell = itsTable->ToCell(thePoint.GetLocal(itsTable));
        if (!itsTable->GetCellBounds().Contains(cell))
            return None;
        const FRM_CCell* focus = itsTable->GetFocus();
        return focus != nullptr && *focus == cell ? FocusCell : Table;
    }
    FRM_CTableView* columns = itsTable->GetColumnLabels();
    if (columns != nullptr && columns->GetGlobalFrame().IsPointInRect(thePoint))
        return LabelPart(columns, thePoint, true);
    FRM_CTableView* rows = itsTable->GetRowLabels();
    if (rows != nullptr && rows->GetGlobalFrame().IsPointInRect(thePoint))
        return LabelPart(rows, thePoint, false);
    return None;
}

// ---------------------------------------------------------------------------------------------
// Pressing

short FRM_CTableMouseHandler::DoDown(FRM_CPoint& thePoint, short&, short& isShift, short& isControl)
{
    if (!itsTable->IsVisible())
        return 0;
    itsPart = WhichPart(thePoint);
    const FRM_CTable::SelectionPolicy policy = itsTable->GetSelectionPolicy();
    const bool extending = itsLastPart == itsPart && isShift && IsMultiple(policy);
    itsLastPart = itsPart;
    if (itsPart == None || itsPart == FocusCell)
        return 0;

    if (FRM_CWindow* window = itsTable->GetCWindow())
        window->TrapPointer(itsTable);
    SetDragBounds(thePoint);
    itsOriginalPoint = CoercedPoint(thePoint);
    itsLastPoint = itsOriginalPoint;
    itsTable->SetFocus(nullptr);
    if (IsBorder()) {
        DrawDragLine(itsOriginalPoint);
        return 0;
    }
    const FRM_CCell cell = CellAt(itsOriginalPoint);
    if (!extending) {
        itsOriginalCell = cell;
        if (itsPart == RowLabels)
            isSelecting = !itsTable->IsRowSelected(cell.V());
        else if (itsPart == ColumnLabels)
            isSelecting = !itsTable->IsColumnSelected(cell.H());
        else if (IsRowPolicy(policy))
            isSelecting = !itsTable->IsRowSelected(cell.V());
        else if (IsColumnPolicy(policy))
            isSelecting = !itsTable->IsColumnSelected(cell.H());
        else if (policy != FRM_CTable::None)
            isSelecting = !itsTable->IsCellSelected(cell);
        if (!isControl || !IsMultiple(policy))
            itsTable->DeselectAll();
    }
    itsSelectedRegion = itsTable->GetTableView()->GetAttributes().GetSelectedRegion();
    itsLastCell = FRM_CCell(-1, -1);
    ChangeSelection(cell);
    return 0;
}

void FRM_CTableMouseHandler::EnforceSelectionPolicy(FRM_CBounds& theBounds,
                                                    const FRM_CCell& theCell)
{
    auto wholeRows = [&](std::int32_t theTop, std::int32_t theBottom) {
        theBounds = FRM_CBounds(theTop, 0, theBottom, kEnd);
    };
    auto wholeColumns = [&](std::int32_t theLeft, std::int32_t theRight) {
        theBounds = FRM_CBounds(0, theLeft, kEnd, theRight);
    };
    switch (itsTable->GetSelectionPolicy()) {
    case FRM_CTable::MandatoryRow:
        isSelecting = 1;
        [[fallthrough]];
    case FRM_CTable::SingleRow:
        wholeRows(theCell.V(), theCell.V() + 1);
        break;
    case FRM_CTable::MultipleRow:
        wholeRows(theBounds.Top(), theBounds.Bottom());
        break;
    case FRM_CTable::MandatoryColumn:
        isSelecting = 1;
        [[fallthrough]];
    case FRM_CTable::SingleColumn:
        wholeColumns(theCell.H(), theCell.H() + 1);
        break;
    case FRM_CTable::MultipleColumn:
        wholeColumns(theBounds.Left(), theBounds.Right());
        break;
    case FRM_CTable::MandatoryCell:
        isSelecting = 1;
        [[fallthrough]];
    case FRM_CTable::SingleCell:
        theBounds = FRM_CBounds(theCell.V(), theCell.H(), theCell.V() + 1, theCell.H() + 1);
        break;
    case FRM_CTable::MultipleCell:
        if (itsPart == RowLabels)
            wholeRows(theBounds.Top(), theBounds.Bottom());
        else if (itsPart == ColumnLabels)
            wholeColumns(theBounds.Left(), theBounds.Right());
        break;
    default:
        break;
    }
}

void FRM_CTableMouseHandler::ChangeSelection(const FRM_CCell& theCell)
{
    if (theCell == itsLastCell)
        return;
    if (itsTable->GetSelectionPolicy() != FRM_CTable::None) {
        FRM_CBounds bounds(std::min(itsOriginalCell.V(), theCell.V()),
                           std::min(itsOriginalCell.H(), theCell.H()),
                           std::max(itsOriginalCell.V(), theCell.V()) + 1,
                           std::max(itsOriginalCell.H(), theCell.H()) + 1);
        EnforceSelectionPolicy(bounds, theCell);
        FRM_CRegion region(itsSelectedRegion);
        if (isSelecting)
            region.Add(bounds);
        else
            region.Remove(bounds);
        FRM_CRegion changed(itsTable->GetSelectedRegion());
        itsTable->SetSelectedRegion(region);
        changed.Xor(itsTable->GetSelectedRegion());
        itsTable->GetTableView()->InvalidateRegion(changed);
    }
    itsLastCell = theCell;
}

// ---------------------------------------------------------------------------------------------
// Dragging

void FRM_CTableMouseHandler::SetDragBounds(const FRM_CPoint& thePoint)
{
    switch (itsPart) {
    case ColumnLabels:
        itsDragBounds = itsTable->GetColumnLabels()->GetGlobalFrame();
        break;
    case RowLabels:
        itsDragBounds = itsTable->GetRowLabels()->GetGlobalFrame();
        break;
    case Table:
        itsDragBounds = itsTable->GetTableView()->GetGlobalFrame();
        break;
    case ColumnLabelsBorder: {
        FRM_CTableView* labels = itsTable->GetColumnLabels();
        const FRM_CPoint local = thePoint.GetLocal(labels);
        FRM_CTableCoordinates& coordinates = labels->GetCoordinates();
        FRM_CRect r = coordinates.ToScreen(coordinates.ToCell(
            FRM_CRect(local.H() - kBorderZone, local.V(), local.H() + kBorderZone, local.V() + 1)));
        r.Right(labels->GetLocalFrame().Right());
        r.Left(r.Left() + kBorderZone);
        r.Right(r.Right() - kBorderZone);
        itsDragBounds = r.Globalize(labels);
        break;
    }
    case RowLabelsBorder: {
        FRM_CTableView* labels = itsTable->GetRowLabels();
        const FRM_CPoint local = thePoint.GetLocal(labels);
        FRM_CTableCoordinates& coordinates = labels->GetCoordinates();
        FRM_CRect r = coordinates.ToScreen(coordinates.ToCell(
            FRM_CRect(local.H(), local.V() - kBorderZone, local.H() + 1, local.V() + kBorderZone)));
        r.Bottom(labels->GetLocalFrame().Bottom());
        r.Top(r.Top() + kBorderZone);
        r.Bottom(r.Bottom() - kBorderZone);
        itsDragBounds = r.Globalize(labels);
        break;
    }
    default:
        break;
    }
    const FRM_CUnits* units = itsTable->GetUnits();
    const float margin = units != nullptr ? units->VPhysicalToLogical(kUndoMargin)
                                          : static_cast<float>(kUndoMargin);
    itsUndoBounds = itsDragBounds.GetInflatedRect(margin);
}

FRM_CPoint FRM_CTableMouseHandler::CoercedPoint(const FRM_CPoint& thePoint) const
{
    if (!itsUndoBounds.IsPointInRect(thePoint))
        return itsOriginalPoint;
    return FRM_CPoint(std::clamp(thePoint.H(), itsDragBounds.Left(), itsDragBounds.Right()),
                      std::clamp(thePoint.V(), itsDragBounds.Top(), itsDragBounds.Bottom()));
}

void FRM_CTableMouseHandler::DrawDragLine(const FRM_CPoint& thePoint)
{
    if (!IsBorder())
        return;
    FRM_CDrawingContext context(itsTable);
    context.GetEnv().SetPen(0x07000000, 2, 2, 0);
    context.GetEnv().SetDrawingMode(2);
    const FRM_CRect frame = itsTable->GetGlobalFrame();
    if (itsPart == ColumnLabelsBorder)
        context.DrawLine(FRM_CPoint(thePoint.H(), frame.Top()),
                         FRM_CPoint(thePoint.H(), frame.Bottom()));
    else
        context.DrawLine(FRM_CPoint(frame.Left(), thePoint.V()),
                         FRM_CPoint(frame.Right(), thePoint.V()));
}

void FRM_CTableMouseHandler::AutoScroll(const FRM_CPoint& thePoint)
{
    FRM_CRect frame;
    if (itsPart == Table)
        frame = itsTable->GetTableView()->GetGlobalFrame();
    else if (itsPart == RowLabels)
        frame = itsTable->GetRowLabels()->GetGlobalFrame();
    else if (itsPart == ColumnLabels)
        frame = itsTable->GetColumnLabels()->GetGlobalFrame();
    std::int32_t rowStep = thePoint.V() < frame.Top() ? -1 : thePoint.V() >= frame.Bottom() ? 1 : 0;
    std::int32_t columnStep = thePoint.H() < frame.Left()     ? -1
                              : thePoint.H() >= frame.Right() ? 1
                                                              : 0;
    if (itsPart == ColumnLabels)
        rowStep = 0;
    if (itsPart == RowLabels)
        columnStep = 0;
    if (rowStep == 0 && columnStep == 0)
        return;
    const FRM_CCell origin = itsTable->GetCellOrigin();
    itsTable->SetCellOrigin(FRM_CCell(origin.H() + columnStep, origin.V() + rowStep));
}

short FRM_CTableMouseHandler::DoMove(FRM_CPoint& thePoint, short&, short&, short&)
{
    if (!itsTable->IsVisible())
        return 0;
    switch (itsPart) {
    case None: {
        const TablePart part = WhichPart(thePoint);
        FRM_CWindow* window = itsTable->GetCWindow();
        if (part == ColumnLabelsBorder || part == RowLabelsBorder) {
            if (itsCurrentCursor != itsSplitCursor) {
                if (window != nullptr)
                    window->TrapPointer(itsTable);
                itsCurrentCursor = itsSplitCursor;
                vko_win_set_cursor(itsTable->GetVKOWindow(), itsSplitCursor);
            }
        } else if (itsCurrentCursor != 0) {
            if (window != nullptr)
                window->ReleasePointer();
            itsCurrentCursor = 0;
            vko_win_set_cursor(itsTable->GetVKOWindow(), kArrowCursor);
        }
        break;
    }
    case ColumnLabels:
    case RowLabels:
    case Table:
        ChangeSelection(CellAt(CoercedPoint(thePoint)));
        AutoScroll(thePoint);
        break;
    case ColumnLabelsBorder:
    case RowLabelsBorder: {
        const FRM_CPoint point = CoercedPoint(thePoint);
        if (!(point == itsLastPoint)) {
            DrawDragLine(itsLastPoint);
            DrawDragLine(point);
            itsLastPoint = point;
        }
        break;
    }
    default:
        break;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Releasing

void FRM_CTableMouseHandler::Resize(const FRM_CPoint& thePoint)
{
    FRM_CTableView* view = itsTable->GetTableView();
    FRM_CTableCoordinates& coordinates = view->GetCoordinates();
    const FRM_CPoint point = thePoint.GetLocal(view);
    FRM_CRect bounds = itsDragBounds;
    bounds.Localize(view);
    if (itsPart == ColumnLabelsBorder) {
        if (!view->IsFlushRight()) {
            const FRM_CCell cell = coordinates.ToCell(FRM_CPoint(bounds.Left(), bounds.Top()));
            itsTable->SetColumn(cell.H(), point.H() - coordinates.ToScreen(cell).H());
        } else {
            const FRM_CCell cell = coordinates.ToCell(FRM_CPoint(bounds.Right(), bounds.Top()));
            const float right = coordinates.ToScreen(FRM_CCell(cell.H() + 1, cell.V())).H();
            itsTable->SetColumn(cell.H(), right - point.H());
        }
    } else if (!view->IsFlushBottom()) {
        const FRM_CCell cell = coordinates.ToCell(FRM_CPoint(bounds.Left(), bounds.Top()));
        itsTable->SetRow(cell.V(), point.V() - coordinates.ToScreen(cell).V());
    } else {
        const FRM_CCell cell = coordinates.ToCell(FRM_CPoint(bounds.Left(), bounds.Bottom()));
        const float bottom = coordinates.ToScreen(FRM_CCell(cell.H(), cell.V() + 1)).V();
        itsTable->SetRow(cell.V(), bottom - point.V());
    }
}

short FRM_CTableMouseHandler::DoUp(FRM_CPoint& thePoint, short&, short&, short&)
{
    if (!itsTable->IsVisible() || itsPart == None || itsPart == FocusCell)
        return 0;
    const FRM_CPoint point = CoercedPoint(thePoint);
    if (FRM_CWindow* window = itsTable->GetCWindow())
        window->ReleasePointer();
    if (IsBorder()) {
        DrawDragLine(itsLastPoint);
        if (!(point == itsOriginalPoint))
            Resize(point);
    } else if (itsPart == Table) {
        const FRM_CCell cell = CellAt(point);
        itsTable->SetFocus(&cell);
    }
    itsPart = None;
    return 0;
}

short FRM_CTableMouseHandler::DoDouble(FRM_CPoint&, short&, short&, short&)
{
    return 0;
}
