// ctable.cpp: the table widget: its parts, and every operation passed on to them inside the
// table event protocol.
#include "frm/tables/ctable.h"

#include <algorithm>

#include "frm/views/cnativvw.h"
#include "frm/core/cunits.h"
#include "frm/runtime/cnav.h"
#include "frm/tables/ctblmh.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"

namespace {

using Attributes = FRM_CTableAttributes;
using Event = FRM_CTableEvent;

constexpr std::int32_t kEnd = FRM_CRegion::kEnd;
constexpr unsigned long kInteriorGlue = 0xFFFFFFFF;
constexpr unsigned long kColumnLabelGlue = 0xFFFFFF00;
constexpr unsigned long kRowLabelGlue = 0xFFFF00FF;
constexpr unsigned long kVBarGlue = 0x00FFFFFF;
constexpr unsigned long kHBarGlue = 0xFF00FFFF;
constexpr unsigned long kGlueWithBars = 0xFF000000;
constexpr long kInvisibleBar = 16;

}   // namespace

FRM_CTable::FRM_CTable(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                       const FRM_CFont& theFont, float theRowHeight, float theColumnWidth,
                       std::int32_t theChunkRows, std::int32_t theChunkColumns)
    : FRM_CSubview(theEnclosure, theFrame), itsTableFont(theFont),
      itsDefaultRowHeight(theRowHeight != 0
                              ? theRowHeight
                              : FRM_CTableCoordinates::GetSuggestedRowHeight(*this, theFont)),
      itsDefaultColumnWidth(theColumnWidth != 0
                                ? theColumnWidth
                                : FRM_CTableCoordinates::GetSuggestedColumnWidth(*this, theFont)),
      itsChunkRows(theChunkRows), itsChunkColumns(theChunkColumns)
{
    if (GetCWindow() != nullptr) {
        itsTableFont.Map(GetCWindow());
        // The suggested sizes need the font's metrics, known only once it is mapped.
        if (theRowHeight == 0)
            itsDefaultRowHeight = FRM_CTableCoordinates::GetSuggestedRowHeight(*this, itsTableFont);
        if (theColumnWidth == 0)
            itsDefaultColumnWidth =
                FRM_CTableCoordinates::GetSuggestedColumnWidth(*this, itsTableFont);
    }
}

FRM_CTable::~FRM_CTable()
{
    itsTableMouseHandler.reset();
    delete itsTable;
    delete itsRowLabels;
    delete itsColumnLabels;
}

// ---------------------------------------------------------------------------------------------
// Parts

FRM_CMouseHandler* FRM_CTable::CreateMouseHandler()
{
    return new FRM_CTableMouseHandler(this, kSplitCursor);
}

CRowLabels* FRM_CTable::CreateRowLabels(short hasColumnLabels)
{
    return new CRowLabels(this, itsTableFont, hasColumnLabels);
}

CColumnLabels* FRM_CTable::CreateColumnLabels(short hasRowLabels)
{
    return new CColumnLabels(this, itsTableFont, hasRowLabels);
}

FRM_CTableView* FRM_CTable::CreateMainTable()
{
    return new CTableInteriorView(this, GetLocalInterior(), itsTableFont, itsDefaultRowHeight,
                                  itsDefaultColumnWidth, itsChunkRows, itsChunkColumns);
}

FRM_NScrollBar* FRM_CTable::CreateScrollBar(const FRM_CRect& theFrame, DIRECTION theDirection,
                                            short isVisible)
{
    const short clipping = FRM_CNativeView::DisableSurrogateClipping();
    auto* bar = new FRM_NScrollBar(this, FRM_CRect(-10, -10, 0, 0), theDirection,
                                   isVisible ? 0 : kInvisibleBar);
    if (clipping)
        FRM_CNativeView::EnableSurrogateClipping();
    bar->DoSize(theFrame);
    return bar;
}

float FRM_CTable::LabelWidth(const FRM_CFont& theFont) const
{
    const long pixels = theFont.GetTextWidth(FRM_CStringRW("000000")) + 5;
    if (const FRM_CUnits* units = GetUnits())
        return units->HPhysicalToLogical(static_cast<int>(pixels));
    return static_cast<float>(pixels);
}

float FRM_CTable::LabelHeight(const FRM_CFont& theFont) const
{
    return FRM_CTableCoordinates::GetSuggestedRowHeight(*this, theFont);
}

FRM_CRect FRM_CTable::GetLocalInterior() const
{
    FRM_CRect interior = GetLocalFrame();
    if (!itUsesWinScrollBars && itsHScrollBar != nullptr)
        interior.Bottom(interior.Bottom() - itsHScrollBar->GetFrame().Height());
    if (!itUsesWinScrollBars && itsVScrollBar != nullptr)
        interior.Right(interior.Right() - itsVScrollBar->GetFrame().Width());
    if (itsColumnLabels != nullptr)
        interior.Top(interior.Top() + itsColumnLabels->GetFrame().Height());
    if (itsRowLabels != nullptr)
        interior.Left(interior.Left() + itsRowLabels->GetFrame().Width());
    return interior;
}

void FRM_CTable::PlaceScrollBar(FRM_NScrollBar*& theBar, short isWanted, bool isVertical,
                                short hasOther, short isVisible)
{
    if (!isWanted) {
        if (theBar != nullptr && !itUsesWinScrollBars) {
            delete theBar;
            theBar = nullptr;
        }
        return;
    }
    if (itUsesWinScrollBars)
        return;
    if (theBar == nullptr) {
        const FRM_CUnits* units = GetUnits();
        const float width = units != nullptr
                                ? units->HPhysicalToLogical(FRM_NScrollBar::NativeWidth())
                                : static_cast<float>(FRM_NScrollBar::NativeWidth());
        const float height = units != nullptr
                                 ? units->VPhysicalToLogical(FRM_NScrollBar::NativeHeight())
                                 : static_cast<float>(FRM_NScrollBar::NativeHeight());
        const FRM_CRect frame = GetLocalFrame();
        const FRM_CRect place =
            isVertical ? FRM_CRect(frame.Width() - width, 0, frame.Width(),
                                   frame.Height() - (hasOther ? height : 0))
                       : FRM_CRect(0, frame.Height() - height,
                                   frame.Width() - (hasOther ? width : 0), frame.Height());
        theBar = CreateScrollBar(place, isVertical ? VERTICAL : HORIZONTAL, isVisible);
        theBar->SetGlue(isVertical ? kVBarGlue : kHBarGlue);
    }
    theBar->Enable();
    if (isVisible && !theBar->IsVisible())
        theBar->DoShow();
    else if (!isVisible && theBar->IsVisible())
        theBar->DoHide();
}

short FRM_CTable::ITable(SelectionPolicy thePolicy, short hasHScrollBar, short hasVScrollBar,
                         short hasColumnLabels, short hasRowLabels, short isThumbTracking,
                         short isVisible, unsigned long theGlue)
{
    itIsThumbtracking = isThumbTracking;
    itsSelectionPolicy = thePolicy;
    if (itsTable == nullptr) {
        itsTable = CreateMainTable();
        if (itsPendingSource != nullptr)
            itsTable->SetSource(itsPendingSource);
        itsPendingSource = nullptr;
    }
    PlaceScrollBar(itsVScrollBar, hasVScrollBar, true, hasHScrollBar, isVisible);
    PlaceScrollBar(itsHScrollBar, hasHScrollBar, false, hasVScrollBar, isVisible);
    if (!hasColumnLabels) {
        delete itsColumnLabels;
        itsColumnLabels = nullptr;
    } else if (itsColumnLabels == nullptr) {
        itsColumnLabels = CreateColumnLabels(hasRowLabels);
        itsColumnLabels->ITableView(isVisible, kColumnLabelGlue, itsTableFont);
    }
    if (!hasRowLabels) {
        delete itsRowLabels;
        itsRowLabels = nullptr;
    } else if (itsRowLabels == nullptr) {
        itsRowLabels = CreateRowLabels(hasColumnLabels);
        itsRowLabels->ITableView(isVisible, kRowLabelGlue, itsTableFont);
    }
    itsTable->DoSize(GetLocalInterior());
    itsTable->ITableView(isVisible, kInteriorGlue, itsTableFont);
    itsTable->AssociateScrollBars(itsVScrollBar, itsHScrollBar);
    for (FRM_NScrollBar* bar : {itsVScrollBar, itsHScrollBar})
        if (bar != nullptr)
            bar->RemoveOwner(itsTable);
    if (!itsTableMouseHandler) {
        itsTableMouseHandler.reset(CreateMouseHandler());
        if (itsTableMouseHandler && GetCWindow() != nullptr)
            if (FRM_CMouseManager* manager = GetCWindow()->GetMouseManager())
                manager->RegisterMouseHandler(itsTableMouseHandler.get(), 0);
    }
    unsigned long glue = theGlue;
    if (itUsesWinScrollBars)
        glue = 0xFFFFFFFF;
    else if (glue == 0 && (itsHScrollBar != nullptr || itsVScrollBar != nullptr))
        glue = kGlueWithBars;
    return IView(isVisible, glue);
}

// A source given before ITable waits for the interior it makes.
void FRM_CTable::SetSource(FRM_CTableSource* theSource)
{
    if (itsTable != nullptr)
        itsTable->SetSource(theSource);
    else
        itsPendingSource = theSource;
}

FRM_CTableSource* FRM_CTable::GetSource() const
{
    return itsTable != nullptr ? itsTable->GetSource() : itsPendingSource;
}

// ---------------------------------------------------------------------------------------------
// Attributes and labels

void FRM_CTable::SetTable(const Attributes& theAttributes, short conform)
{
    if (itsTable == nullptr)
        return;
    itsTable->SetTable(theAttributes, conform);
    itsTable->Invalidate(frm_views::MaxRect());
}

const Attributes* FRM_CTable::GetTableAttributes()
{
    return itsTable != nullptr ? itsTable->GetAttributes().GetTable() : nullptr;
}

void FRM_CTable::SetRow(std::int32_t theRow, const Attributes& theAttributes, short conform)
{
    if (theRow >= 0 && itsTable != nullptr) {
        itsTable->SetRow(theRow, theAttributes, conform);
        itsTable->InvalidateRow(theRow);
    } else if (theRow == -1 && itsColumnLabels != nullptr) {
        itsColumnLabels->SetRow(0, theAttributes, conform);
        itsColumnLabels->InvalidateRow(0);
    }
}

void FRM_CTable::SetColumn(std::int32_t theColumn, const Attributes& theAttributes, short conform)
{
    if (theColumn >= 0 && itsTable != nullptr) {
        itsTable->SetColumn(theColumn, theAttributes, conform);
        itsTable->InvalidateColumn(theColumn);
    } else if (theColumn == -1 && itsRowLabels != nullptr) {
        itsRowLabels->SetColumn(0, theAttributes, conform);
        itsRowLabels->InvalidateColumn(0);
    }
}

void FRM_CTable::SetRow(std::int32_t theRow, const FRM_CStringRW& theLabel)
{
    if (theRow >= 0 && itsRowLabels != nullptr) {
        itsRowLabels->SetLabel(theRow, theLabel);
        itsRowLabels->InvalidateCell(FRM_CCell(0, theRow));
    }
}

void FRM_CTable::SetColumn(std::int32_t theColumn, const FRM_CStringRW& theLabel)
{
    if (theColumn >= 0 && itsColumnLabels != nullptr) {
        itsColumnLabels->SetLabel(theColumn, theLabel);
        itsColumnLabels->InvalidateCell(FRM_CCell(theColumn, 0));
    }
}

const Attributes* FRM_CTable::GetRowAttributes(std::int32_t theRow)
{
    if (theRow >= 0 && itsTable != nullptr)
        return itsTable->GetAttributes().GetRow(theRow);
    if (theRow == -1 && itsColumnLabels != nullptr)
        return itsColumnLabels->GetAttributes().GetRow(0);
    return nullptr;
}

const Attributes* FRM_CTable::GetColumnAttributes(std::int32_t theColumn)
{
    if (theColumn >= 0 && itsTable != nullptr)
        return itsTable->GetAttributes().GetColumn(theColumn);
    if (theColumn == -1 && itsRowLabels != nullptr)
        return itsRowLabels->GetAttributes().GetColumn(0);
    return nullptr;
}

void FRM_CTable::SetCell(const FRM_CCell& theCell, const Attributes& theAttributes)
{
    if (itsTable != nullptr)
        itsTable->SetCell(theCell, theAttributes);
}

const Attributes* FRM_CTable::GetCellAttributes(const FRM_CCell& theCell)
{
    return itsTable != nullptr ? itsTable->GetAttributes().GetCell(theCell) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Sizes, insertion and deletion

void FRM_CTable::SetDefaultRowHeight(float theHeight)
{
    itsDefaultRowHeight = theHeight;
    for (FRM_CTableView* view : {itsTable, static_cast<FRM_CTableView*>(itsRowLabels)})
        if (view != nullptr)
            view->GetCoordinates().SetDefaultRowHeight(theHeight);
}

void FRM_CTable::SetDefaultColumnWidth(float theWidth)
{
    itsDefaultColumnWidth = theWidth;
    for (FRM_CTableView* view : {itsTable, static_cast<FRM_CTableView*>(itsColumnLabels)})
        if (view != nullptr)
            view->GetCoordinates().SetDefaultColumnWidth(theWidth);
}

void FRM_CTable::InvalidateFrom(FRM_CTableView* theView, std::int32_t theRow,
                                std::int32_t theColumn)
{
    if (theView != nullptr)
        theView->InvalidateBounds(FRM_CBounds(theRow, theColumn, kEnd, kEnd));
}

void FRM_CTable::SetRow(std::int32_t theRow, float theHeight)
{
    if (theRow < -1 || itsTable == nullptr)
        return;
    const float height = std::max(theHeight, kMinRowHeight);
    Deliver(Event(this, Event::SizeRow, theRow, height, 0), [&] {
        if (theRow >= 0) {
            itsTable->SetRow(theRow, height);
            InvalidateFrom(itsTable, theRow, 0);
            if (itsRowLabels != nullptr) {
                itsRowLabels->SetRow(theRow, height);
                InvalidateFrom(itsRowLabels, theRow, 0);
            }
            return;
        }
        // The column-label strip: it takes the height and the views below it move.
        if (itsColumnLabels != nullptr) {
            itsColumnLabels->SetRow(0, height);
            FRM_CRect frame = itsColumnLabels->GetFrame();
            frame.Bottom(frame.Top() + height);
            itsColumnLabels->DoSize(frame);
        }
        for (FRM_CView* below :
             {static_cast<FRM_CView*>(itsRowLabels), static_cast<FRM_CView*>(itsTable)})
            if (below != nullptr) {
                FRM_CRect frame = below->GetFrame();
                frame.Top(height);
                below->DoSize(frame);
            }
    });
}

void FRM_CTable::SetColumn(std::int32_t theColumn, float theWidth)
{
    if (theColumn < -1 || itsTable == nullptr)
        return;
    const float width = std::max(theWidth, kMinColumnWidth);
    Deliver(Event(this, Event::SizeColumn, theColumn, width, 0), [&] {
        if (theColumn >= 0) {
            itsTable->SetColumn(theColumn, width);
            InvalidateFrom(itsTable, 0, theColumn);
            if (itsColumnLabels != nullptr) {
                itsColumnLabels->SetColumn(theColumn, width);
                InvalidateFrom(itsColumnLabels, 0, theColumn);
            }
            return;
        }
        if (itsRowLabels != nullptr) {
            itsRowLabels->SetColumn(0, width);
            FRM_CRect frame = itsRowLabels->GetFrame();
            frame.Right(frame.Left() + width);
            itsRowLabels->DoSize(frame);
        }
        for (FRM_CView* beside :
             {static_cast<FRM_CView*>(itsColumnLabels), static_cast<FRM_CView*>(itsTable)})
            if (beside != nullptr) {
                FRM_CRect frame = beside->GetFrame();
                frame.Left(width);
                beside->DoSize(frame);
            }
    });
}

// Rows (columns) opened or removed in the labels and the interior, with the focus moved along:
// a focus at or after the change is cleared first and comes back shifted, unless it lay in
// the removed lines.
void FRM_CTable::ChangeLines(bool isRows, bool isInsert, std::int32_t theAt, std::int32_t theCount)
{
    if (itsTable == nullptr || theAt < 0 || theCount <= 0)
        return;
    const Event::Type type = isRows ? (isInsert ? Event::InsertRow : Event::DeleteRow)
                                    : (isInsert ? Event::InsertColumn : Event::DeleteColumn);
    Deliver(Event(this, type, theAt, theCount, 0), [&] {
        FRM_CTableView* labels = isRows ? static_cast<FRM_CTableView*>(itsRowLabels)
                                        : static_cast<FRM_CTableView*>(itsColumnLabels);
        auto change = [&](FRM_CTableView* theView) {
            if (isRows && isInsert)
                theView->InsertRows(theAt, theCount);
            else if (isRows)
                theView->DeleteRows(theAt, theCount);
            else if (isInsert)
                theView->InsertColumns(theAt, theCount);
            else
                theView->DeleteColumns(theAt, theCount);
            InvalidateFrom(theView, isRows ? theAt : 0, isRows ? 0 : theAt);
        };
        if (labels != nullptr)
            change(labels);
        const FRM_CCell* focus = itsTable->GetFocus();
        const std::int32_t line = focus == nullptr ? -1 : isRows ? focus->V() : focus->H();
        const bool clears = focus != nullptr && line >= theAt;
        const bool restores = clears && (isInsert || line >= theAt + theCount);
        const std::int32_t shift = isInsert ? theCount : -theCount;
        const FRM_CCell moved = !restores ? FRM_CCell()
                                : isRows  ? FRM_CCell(focus->H(), focus->V() + shift)
                                          : FRM_CCell(focus->H() + shift, focus->V());
        if (clears)
            SetFocus(nullptr);
        change(itsTable);
        if (restores)
            SetFocus(&moved);
    });
}

void FRM_CTable::InsertRows(std::int32_t theAt, std::int32_t theCount)
{
    ChangeLines(true, true, theAt, theCount);
}

void FRM_CTable::DeleteRows(std::int32_t theAt, std::int32_t theCount)
{
    ChangeLines(true, false, theAt, theCount);
}

void FRM_CTable::InsertColumns(std::int32_t theAt, std::int32_t theCount)
{
    ChangeLines(false, true, theAt, theCount);
}

void FRM_CTable::DeleteColumns(std::int32_t theAt, std::int32_t theCount)
{
    ChangeLines(false, false, theAt, theCount);
}

// ---------------------------------------------------------------------------------------------
// Selection

void FRM_CTable::SelectCells(const FRM_CBounds& theBounds, short select)
{
    if (itsTable == nullptr)
        return;
    const FRM_CRegion region(theBounds);
    Deliver(Event(this, Event::Select, &region, select, 0), [&] {
        itsTable->GetAttributes().SelectCells(theBounds, select);
        itsTable->InvalidateBounds(theBounds);
    });
}

void FRM_CTable::SelectRow(std::int32_t theRow, short select)
{
    if (itsTable == nullptr || (IsRowSelected(theRow) != 0) == (select != 0))
        return;
    FRM_CRegion region;
    region.AddRow(theRow);
    Deliver(Event(this, Event::Select, &region, select, 0), [&] {
        itsTable->GetAttributes().SelectRow(theRow, select);
        itsTable->InvalidateRow(theRow);
    });
}

void FRM_CTable::SelectColumn(std::int32_t theColumn, short select)
{
    if (itsTable == nullptr || (IsColumnSelected(theColumn) != 0) == (select != 0))
        return;
    FRM_CRegion region;
    region.AddColumn(theColumn);
    Deliver(Event(this, Event::Select, &region, select, 0), [&] {
        itsTable->GetAttributes().SelectColumn(theColumn, select);
        itsTable->InvalidateColumn(theColumn);
    });
}

void FRM_CTable::SelectCell(const FRM_CCell& theCell, short select)
{
    if (itsTable == nullptr || (IsCellSelected(theCell) != 0) == (select != 0))
        return;
    FRM_CRegion region;
    region.Add(theCell);
    Deliver(Event(this, Event::Select, &region, select, 0), [&] {
        itsTable->GetAttributes().SelectCell(theCell, select);
        itsTable->InvalidateCell(theCell);
    });
}

void FRM_CTable::SetSelectedRegion(const FRM_CRegion& theRegion)
{
    if (itsTable == nullptr)
        return;
    // Only a region with cells is told about afterwards.
    const std::int32_t style =
        theRegion.Bounds().IsEmpty() ? (itsEventStyle & EventPermission) : itsEventStyle;
    FrmDeliverTableChange(*this, style, Event(this, Event::Select, &theRegion, 1, 0),
                          [&] { itsTable->GetAttributes().SetSelectedRegion(theRegion); });
}

const FRM_CRegion& FRM_CTable::GetSelectedRegion() const
{
    static const FRM_CRegion kEmpty;
    return itsTable != nullptr ? itsTable->GetAttributes().GetSelectedRegion() : kEmpty;
}

void FRM_CTable::DeselectAll()
{
    if (itsTable == nullptr || GetSelectedRegion().IsEmpty())
        return;
    const FRM_CRegion everything(FRM_CBounds(0, 0, kEnd, kEnd));
    // Clearing is asked about but not told.
    FrmDeliverTableChange(*this, itsEventStyle & EventPermission,
                          Event(this, Event::Select, &everything, 0, 0), [&] {
                              itsTable->InvalidateSelection();
                              itsTable->GetAttributes().DeselectAll();
                              SetFocus(nullptr);
                          });
}

short FRM_CTable::IsRowSelected(std::int32_t theRow) const
{
    return itsTable != nullptr ? itsTable->GetAttributes().IsRowSelected(theRow) : 0;
}

short FRM_CTable::IsColumnSelected(std::int32_t theColumn) const
{
    return itsTable != nullptr ? itsTable->GetAttributes().IsColumnSelected(theColumn) : 0;
}

short FRM_CTable::IsCellSelected(const FRM_CCell& theCell) const
{
    return itsTable != nullptr ? itsTable->GetAttributes().IsCellSelected(theCell) : 0;
}

// ---------------------------------------------------------------------------------------------
// Geometry, scrolling, focus

FRM_CPoint FRM_CTable::ToScreen(const FRM_CCell& theCell)
{
    if (itsTable == nullptr)
        return FRM_CPoint();
    const FRM_CRect frame = itsTable->GetFrame();
    return itsTable->GetCoordinates().ToScreen(theCell) + FRM_CPoint(frame.Left(), frame.Top());
}

FRM_CRect FRM_CTable::ToScreen(const FRM_CBounds& theBounds)
{
    if (itsTable == nullptr)
        return FRM_CRect();
    const FRM_CRect frame = itsTable->GetFrame();
    return itsTable->GetCoordinates().ToScreen(theBounds) + FRM_CPoint(frame.Left(), frame.Top());
}

FRM_CCell FRM_CTable::ToCell(const FRM_CPoint& thePoint)
{
    if (itsTable == nullptr)
        return FRM_CCell(0, 0);
    const FRM_CRect frame = itsTable->GetFrame();
    return itsTable->GetCoordinates().ToCell(thePoint - FRM_CPoint(frame.Left(), frame.Top()));
}

FRM_CBounds FRM_CTable::ToCell(const FRM_CRect& theRect)
{
    if (itsTable == nullptr)
        return FRM_CBounds();
    const FRM_CRect frame = itsTable->GetFrame();
    return itsTable->GetCoordinates().ToCell(theRect - FRM_CPoint(frame.Left(), frame.Top()));
}

void FRM_CTable::SetCellOrigin(const FRM_CCell& theCell)
{
    if (itsTable == nullptr || theCell == itsTable->GetCellOrigin())
        return;
    Deliver(Event(this, Event::Origin, &theCell, 0), [&] { itsTable->SetCellOrigin(theCell); });
}

FRM_CCell FRM_CTable::GetCellOrigin() const
{
    return itsTable != nullptr ? itsTable->GetCellOrigin() : FRM_CCell(0, 0);
}

void FRM_CTable::SetCellBounds(const FRM_CBounds& theBounds)
{
    for (FRM_CTableView* view : {itsTable, static_cast<FRM_CTableView*>(itsRowLabels),
                                 static_cast<FRM_CTableView*>(itsColumnLabels)})
        if (view != nullptr)
            view->SetCellBounds(theBounds);
}

FRM_CBounds FRM_CTable::GetCellBounds() const
{
    return itsTable != nullptr ? itsTable->GetCellBounds() : FRM_CBounds();
}

void FRM_CTable::VScroll(e_scroll_ctl theAction, float thePosition)
{
    if (itsTable != nullptr && (theAction != SC_THUMBTRACK || itIsThumbtracking))
        itsTable->VScroll(theAction, thePosition);
}

void FRM_CTable::HScroll(e_scroll_ctl theAction, float thePosition)
{
    if (itsTable != nullptr && (theAction != SC_THUMBTRACK || itIsThumbtracking))
        itsTable->HScroll(theAction, thePosition);
}

void FRM_CTable::MakeCellVisible(const FRM_CCell& theCell)
{
    if (itsTable == nullptr)
        return;
    const FRM_CRect r =
        ToScreen(FRM_CBounds(theCell.V(), theCell.H(), theCell.V() + 1, theCell.H() + 1));
    const FRM_CRect frame = itsTable->GetFrame();
    const FRM_CCell far =
        ToCell(FRM_CPoint(r.Right() - (frame.Width() + 1), r.Bottom() - (frame.Height() + 1)));
    FRM_CCell origin = GetCellOrigin();
    if (r.Bottom() > frame.Bottom())
        origin.V(far.V() + 1);
    if (r.Top() < frame.Top())
        origin.V(theCell.V());
    if (r.Right() > frame.Right())
        origin.H(far.H() + 1);
    if (r.Left() < frame.Left())
        origin.H(theCell.H());
    SetCellOrigin(origin);
}

void FRM_CTable::MakeRowVisible(std::int32_t theRow)
{
    MakeCellVisible(FRM_CCell(GetCellOrigin().H(), theRow));
}

void FRM_CTable::MakeColumnVisible(std::int32_t theColumn)
{
    MakeCellVisible(FRM_CCell(theColumn, GetCellOrigin().V()));
}

void FRM_CTable::SetFocus(const FRM_CCell* theCell)
{
    if (itsTable == nullptr || (theCell != nullptr && !GetCellBounds().Contains(*theCell)))
        return;
    const FRM_CCell* current = itsTable->GetFocus();
    const bool hadFocus = current != nullptr;
    const FRM_CCell old = hadFocus ? *current : FRM_CCell();
    if (itsEventStyle & EventPermission) {
        if (hadFocus) {
            Event out(this, Event::FocusOut, &old, 0);
            DoCommand(Event::kTableEventCommand, &out);
            if (out.IsDenied())
                return;
        }
        if (theCell != nullptr) {
            Event in(this, Event::FocusIn, theCell, 0);
            DoCommand(Event::kTableEventCommand, &in);
            if (in.IsDenied())
                return;
        }
    }
    if (theCell != nullptr) {
        Attributes attributes;
        itsTable->CellToAttributes(*theCell, attributes);
        if ((attributes.Mask() & Attributes::MaskReadOnly) && attributes.ReadOnly())
            return;
    }
    const FRM_CCell wanted = theCell != nullptr ? *theCell : FRM_CCell();
    itsTable->SetFocus(theCell != nullptr ? &wanted : nullptr);
    if (itsEventStyle & EventNotify) {
        if (hadFocus) {
            Event out(this, Event::FocusOut, &old, 1);
            DoCommand(Event::kTableEventCommand, &out);
        }
        if (const FRM_CCell* focus = itsTable->GetFocus()) {
            const FRM_CCell now = *focus;
            Event in(this, Event::FocusIn, &now, 1);
            DoCommand(Event::kTableEventCommand, &in);
        }
    }
}

const FRM_CCell* FRM_CTable::GetFocus() const
{
    return itsTable != nullptr ? itsTable->GetFocus() : nullptr;
}

void FRM_CTable::SynchronizeLabelsToInterior()
{
    if (itsTable == nullptr)
        return;
    const FRM_CPoint origin = itsTable->GetPixelOrigin();
    if (itsRowLabels != nullptr)
        itsRowLabels->SetPixelOrigin(FRM_CPoint(itsRowLabels->GetPixelOrigin().H(), origin.V()));
    if (itsColumnLabels != nullptr)
        itsColumnLabels->SetPixelOrigin(
            FRM_CPoint(origin.H(), itsColumnLabels->GetPixelOrigin().V()));
}

void FRM_CTable::DoCommand(long theCommand, void* theData)
{
    if (theCommand != Event::kTableEventCommand) {
        FRM_CSubview::DoCommand(theCommand, theData);
        return;
    }
    auto* event = static_cast<Event*>(theData);
    if (event->GetType() == Event::Origin) {
        SynchronizeLabelsToInterior();
        if (itsTable != nullptr && itsTable->GetFocus() != nullptr)
            itsTable->InvalidateCell(*itsTable->GetFocus());
    }
    if (itsEventStyle != EventNone)
        FRM_CSubview::DoCommand(theCommand, theData);
}

// ---------------------------------------------------------------------------------------------
// Keys

bool FRM_CTable::MoveSelection(std::uint16_t theKey)
{
    const bool horizontal = theKey == VKO_KEY_RIGHT || theKey == VKO_KEY_LEFT;
    const int step = (theKey == VKO_KEY_DOWN || theKey == VKO_KEY_RIGHT) ? 1 : -1;
    const FRM_CBounds bounds = GetCellBounds();
    FRM_CTableAttributeArray& attributes = itsTable->GetAttributes();
    std::int32_t line = 0;
    FRM_CCell cell;
    if (horizontal && attributes.IsOneColumnSelected(&line)) {
        const std::int32_t next = line + step;
        if (next >= bounds.Left() && next < bounds.Right()) {
            DeselectAll();
            SelectColumn(next, 1);
            MakeColumnVisible(next);
        }
        return true;
    }
    if (!horizontal && attributes.IsOneRowSelected(&line)) {
        const std::int32_t next = line + step;
        if (next >= bounds.Top() && next < bounds.Bottom()) {
            DeselectAll();
            SelectRow(next, 1);
            MakeRowVisible(next);
        }
        return true;
    }
    if (attributes.IsOneCellSelected(&cell)) {
        const FRM_CCell next = horizontal ? FRM_CCell(cell.H() + step, cell.V())
                                          : FRM_CCell(cell.H(), cell.V() + step);
        if (bounds.Contains(next)) {
            DeselectAll();
            SelectCell(next, 1);
            MakeCellVisible(next);
            SetFocus(&next);
        }
        return true;
    }
    return false;
}

void FRM_CTable::DoKey(const FRM_CKey& theKey)
{
    const FRM_CCell* focus = GetFocus();
    const FRM_CCell focusCell = focus != nullptr ? *focus : FRM_CCell();
    Deliver(Event(this, Event::Key, focus != nullptr ? &focusCell : nullptr, &theKey, 0), [&] {
        if (itsTable != nullptr && itsTable->GetFocus() != nullptr) {
            CTableInterpreterParameters parameters;
            itsTable->CellToParameters(focusCell, &parameters);
            if (FRM_CTableInterpreter* interpreter = parameters.itsAttributes->Interpreter())
                if (interpreter->Key(parameters, theKey))
                    return;
        }
        if (itsTable != nullptr) {
            const std::uint16_t key = theKey.GetChar();
            if (theKey.IsVirtualKey() && key >= VKO_KEY_UP && key <= VKO_KEY_LEFT &&
                MoveSelection(key))
                return;
            if (theKey.IsVirtualKey() && (key == VKO_KEY_TEXT_START || key == VKO_KEY_TEXT_END)) {
                const FRM_CCell target(0, key == VKO_KEY_TEXT_START ? 0
                                                                    : GetCellBounds().Bottom() - 1);
                MakeCellVisible(target);
                if (itsSelectionPolicy == SingleCell || itsSelectionPolicy == MandatoryCell ||
                    itsSelectionPolicy == MultipleCell)
                    SetFocus(&target);
                return;
            }
        }
        FRM_CSubview::DoKey(theKey);
    });
}
