// ctblview.cpp: the table view: drawing by bands and columns, origins and their clamping at
// the end of the table, scroll bars, focus, invalidation and data.
#include "frm/core/ccmdnums.h"
#include "frm/tables/ctblview.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "frm/views/nscrllbr.h"
#include "frm/core/cunits.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/tables/ctblsrc.h"
#include "frm/tables/ctbltext.h"
#include "frm/tables/ctblvwit.h"
#include "ruk/static/vkoruk.h"

namespace {

using Attributes = FRM_CTableAttributes;

constexpr unsigned long kBlack = 0x07000000;
constexpr unsigned long kMonoBrush = 0x0bffffff;
constexpr unsigned long kMonoPen = 0x07000000;

FRM_CBounds OneCell(std::int32_t theRow, std::int32_t theColumn)
{
    return FRM_CBounds(theRow, theColumn, theRow + 1, theColumn + 1);
}

}   // namespace

FRM_CTableView::FRM_CTableView(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                               const FRM_CFont& theTableFont, float theDefaultRowHeight,
                               float theDefaultColumnWidth, std::int32_t theChunkRows,
                               std::int32_t theChunkColumns)
    : FRM_CSubview(theEnclosure, theRegion),
      itsCoordinates(
          theEnclosure,
          theDefaultRowHeight != 0 || theEnclosure == nullptr
              ? theDefaultRowHeight
              : FRM_CTableCoordinates::GetSuggestedRowHeight(*theEnclosure, theTableFont),
          theDefaultColumnWidth != 0 || theEnclosure == nullptr
              ? theDefaultColumnWidth
              : FRM_CTableCoordinates::GetSuggestedColumnWidth(*theEnclosure, theTableFont),
          theChunkRows, theChunkColumns)
{
}

FRM_CTableView::~FRM_CTableView()
{
    itsFocus.reset();
}

short FRM_CTableView::ITableView(short isVisible, unsigned long theGlue, const FRM_CFont& theFont)
{
    const Attributes* table = itsAttributes.GetTable();
    if (table == nullptr || table->Mask() == 0) {
        Attributes defaults;
        // Text cells measure their lines with this font: it needs the window's metrics.
        FRM_CFont font(theFont);
        if (!font.IsMapped() && GetCWindow() != nullptr)
            font.Map(GetCWindow());
        defaults.Font(font);
        const FRM_CEnvironment* environment = GetEnvironment();
        const unsigned long foreground =
            environment != nullptr ? environment->GetForegroundColor() : Attributes::kNoColor;
        defaults.Background(environment != nullptr ? environment->GetBackgroundColor()
                                                   : Attributes::kNoColor);
        defaults.Foreground(foreground == Attributes::kNoColor ? kBlack : foreground);
        defaults.Justification(Attributes::JustifyLeft);
        defaults.Interpreter(
            new FRM_CTableTextInterpreter(this, 16, 1000.0f, 1000, kNoCommand, 1, 0));
        defaults.BottomBorder({Attributes::BorderNone, Attributes::kNoColor});
        defaults.RightBorder({Attributes::BorderNone, Attributes::kNoColor});
        defaults.TopBorder({Attributes::BorderSingle, kBlack});
        defaults.LeftBorder({Attributes::BorderSingle, kBlack});
        itsAttributes.SetTable(defaults, 0);
    }
    return IView(isVisible, theGlue);
}

void FRM_CTableView::SetScrollIncrement(FRM_CPoint theIncrement)
{
    itsVScrollIncrement = std::fabs(theIncrement.V());
    itsHScrollIncrement = std::fabs(theIncrement.H());
}

void FRM_CTableView::SetTable(const Attributes& theAttributes, short conform)
{
    itsAttributes.SetTable(theAttributes, conform);
}

void FRM_CTableView::AssociateScrollBars(FRM_NScrollBar* theVScrollBar,
                                         FRM_NScrollBar* theHScrollBar)
{
    const bool newV = theVScrollBar != itsVScrollBar;
    const bool newH = theHScrollBar != itsHScrollBar;
    itsVScrollBar = theVScrollBar;
    itsHScrollBar = theHScrollBar;
    if (newH)
        AdjustHScrollBar();
    if (newV)
        AdjustVScrollBar();
}

// ---------------------------------------------------------------------------------------------
// Structure

void FRM_CTableView::SetRow(std::int32_t theRow, const Attributes& theAttributes, short conform)
{
    itsAttributes.SetRow(theRow, theAttributes, conform);
}

void FRM_CTableView::SetColumn(std::int32_t theColumn, const Attributes& theAttributes,
                               short conform)
{
    itsAttributes.SetColumn(theColumn, theAttributes, conform);
}

void FRM_CTableView::SetCell(const FRM_CCell& theCell, const Attributes& theAttributes)
{
    itsAttributes.SetCell(theCell, theAttributes);
}

void FRM_CTableView::SetRow(std::int32_t theRow, float theHeight)
{
    itsCoordinates.SetRowHeight(theRow, theHeight);
    SetCellOrigin(GetCellOrigin());
}

void FRM_CTableView::SetColumn(std::int32_t theColumn, float theWidth)
{
    itsCoordinates.SetColumnWidth(theColumn, theWidth);
    SetCellOrigin(GetCellOrigin());
}

void FRM_CTableView::InsertRows(std::int32_t theAt, std::int32_t theCount)
{
    ReleaseCellViewsFrom(FRM_CCell(0, theAt));
    itsAttributes.InsertRows(theAt, theCount);
    itsCoordinates.InsertRows(theAt, theCount);
    itsCellBounds.Bottom(itsCellBounds.Bottom() + theCount);
    SetCellOrigin(GetCellOrigin());
}

void FRM_CTableView::DeleteRows(std::int32_t theAt, std::int32_t theCount)
{
    itsAttributes.DeleteInterpreter(itsCellBounds, theCount, itsCoordinates);
    // A deletion reaching past the table's end takes the last rows before theAt too.
    const std::int32_t first = std::min(theAt, std::max(itsCellBounds.Bottom() - theCount, 0));
    ReleaseCellViewsFrom(FRM_CCell(0, first));
    itsAttributes.DeleteRows(theAt, theCount, itsCellBounds.Bottom());
    itsCoordinates.DeleteRows(theAt, theCount, itsCellBounds.Bottom());
    itsCellBounds.Bottom(std::max(itsCellBounds.Bottom() - theCount, itsCellBounds.Top()));
    SetCellOrigin(GetCellOrigin());
}

void FRM_CTableView::InsertColumns(std::int32_t theAt, std::int32_t theCount)
{
    ReleaseCellViewsFrom(FRM_CCell(theAt, 0));
    itsAttributes.InsertColumns(theAt, theCount);
    itsCoordinates.InsertColumns(theAt, theCount);
    itsCellBounds.Right(itsCellBounds.Right() + theCount);
    SetCellOrigin(GetCellOrigin());
}

void FRM_CTableView::DeleteColumns(std::int32_t theAt, std::int32_t theCount)
{
    const std::int32_t first = std::min(theAt, std::max(itsCellBounds.Right() - theCount, 0));
    ReleaseCellViewsFrom(FRM_CCell(first, 0));
    itsAttributes.DeleteColumns(theAt, theCount);
    itsCoordinates.DeleteColumns(theAt, theCount);
    itsCellBounds.Right(std::max(itsCellBounds.Right() - theCount, itsCellBounds.Left()));
    SetCellOrigin(GetCellOrigin());
}

// Cells from the given row or column on are about to change place: the controls shown for them
// store their values and go back to their interpreters' pools, and the next draw places
// controls again. Left bound, a control would stay over the cell that moved into its place
// (of another column's kind, perhaps) or beyond the table's end.
void FRM_CTableView::ReleaseCellViewsFrom(const FRM_CCell& theFirst)
{
    const FRM_CBounds moving(theFirst.V(), theFirst.H(), std::numeric_limits<std::int32_t>::max(),
                             std::numeric_limits<std::int32_t>::max());
    for (FRM_CTableInterpreter* interpreter : itsAttributes.GetInterpreters())
        if (auto* viewCells = FrmCast<FRM_CTableViewInterpreter>(interpreter))
            viewCells->CellMappingChanged(moving);
}

// ---------------------------------------------------------------------------------------------
// Origins and scrolling

FRM_CBounds FRM_CTableView::VisibleCells()
{
    return itsCoordinates.ToCell(GetLocalFrame());
}

FRM_CRect FRM_CTableView::CellRect(const FRM_CCell& theCell)
{
    return itsCoordinates.ToScreen(OneCell(theCell.V(), theCell.H()));
}

FRM_CCell FRM_CTableView::OriginWithinBounds(const FRM_CCell& aProposedOrigin,
                                             FRM_CPoint* theOffset)
{
    const FRM_CPoint saved = itsCoordinates.GetOrigin();
    std::int32_t column = std::max(aProposedOrigin.H(), 0);
    std::int32_t row = std::max(aProposedOrigin.V(), 0);
    auto placeAt = [this](std::int32_t theColumn, std::int32_t theRow) {
        itsCoordinates.SetOrigin(FRM_CPoint(0, 0));
        itsCoordinates.SetOrigin(itsCoordinates.ToScreen(FRM_CCell(theColumn, theRow)));
    };
    placeAt(column, row);
    const FRM_CBounds range = VisibleCells();
    itsOverRanRight = 0;
    itsOverRanBottom = 0;
    if (range.Top() < itsCellBounds.Top())
        row = itsCellBounds.Top();
    if (range.Bottom() > itsCellBounds.Bottom()) {
        row = itsCellBounds.Bottom() - range.Height() + 1;
        itsOverRanBottom = 1;
    }
    if (range.Left() < itsCellBounds.Left())
        column = itsCellBounds.Left();
    if (range.Right() > itsCellBounds.Right()) {
        column = itsCellBounds.Right() - range.Width() + 1;
        itsOverRanRight = 1;
    }
    column = std::max(column, 0);
    row = std::max(row, 0);
    if (theOffset != nullptr) {
        *theOffset = FRM_CPoint(0, 0);
        if (itsOverRanRight || itsOverRanBottom) {
            placeAt(column, row);
            const FRM_CRect last =
                CellRect(FRM_CCell(itsCellBounds.Right() - 1, itsCellBounds.Bottom() - 1));
            const FRM_CRect frame = GetLocalFrame();
            if (itsOverRanRight)
                theOffset->H(last.Right() - frame.Right());
            if (itsOverRanBottom)
                theOffset->V(last.Bottom() - frame.Bottom());
        }
    }
    itsCoordinates.SetOrigin(saved);
    return FRM_CCell(column, row);
}

void FRM_CTableView::SetCellOrigin(const FRM_CCell& theCell)
{
    FRM_CPoint offset(0, 0);
    FRM_CCell cell = OriginWithinBounds(theCell, &offset);
    cell = FRM_CCell(std::max(cell.H(), 0), std::max(cell.V(), 0));
    const FRM_CPoint saved = itsCoordinates.GetOrigin();
    itsCoordinates.SetOrigin(FRM_CPoint(0, 0));
    const FRM_CPoint point = itsCoordinates.ToScreen(cell) + offset;
    itsCoordinates.SetOrigin(saved);
    SetPixelOrigin(point);
    AdjustVScrollBar();
    AdjustHScrollBar();
}

void FRM_CTableView::TellInterpretersScroll(const FRM_CPoint& theDelta)
{
    FRM_CUnits::SetGlobalUnits(GetUnits());
    for (FRM_CTableInterpreter* interpreter : itsAttributes.GetInterpreters())
        interpreter->Scroll(theDelta);
}

void FRM_CTableView::SetPixelOrigin(const FRM_CPoint& thePointOrigin)
{
    const FRM_CPoint old = itsCoordinates.GetOrigin();
    if (thePointOrigin == old)
        return;
    WINDOW window = GetVKOWindow();
    if (window != nullptr)
        vko_dwin_update(window);
    const FRM_CPoint origin(std::max(thePointOrigin.H(), 0.0f), std::max(thePointOrigin.V(), 0.0f));
    const FRM_CPoint delta = old - origin;
    itsCoordinates.SetOrigin(origin);
    itsCellOrigin = itsCoordinates.ToCell(FRM_CPoint(0, 0));
    TellInterpretersScroll(delta);
    ForEachChildTopFirst([&](FRM_CView* child) { child->DoSize(child->GetFrame() + delta); });
    if (window != nullptr && IsVisible()) {
        const FRM_CUnits* units = GetUnits();
        const int dh = units != nullptr ? units->HLogicalToPhysical(delta.H())
                                        : static_cast<int>(delta.H());
        const int dv = units != nullptr ? units->VLogicalToPhysical(delta.V())
                                        : static_cast<int>(delta.V());
        FRM_CUnits::SetGlobalUnits(units);
        const s_rct area = static_cast<s_rct>(GetClippedFrame());
        vko_dwin_scroll_rect(window, &area, dh, dv);
    }
    AdjustVScrollBar();
    AdjustHScrollBar();
}

void FRM_CTableView::AdjustScrollBar(FRM_NScrollBar* theBar, bool isVertical)
{
    if (theBar == nullptr)
        return;
    const FRM_CBounds range = VisibleCells();
    if (isVertical) {
        theBar->SetRange(itsCellBounds.Top(), itsCellBounds.Bottom(),
                         itsCellOrigin.V() + (itsOverRanBottom ? 1 : 0));
        theBar->SetThumbSize(range.Height() - 1);
        theBar->SetIncrements(1.0f, range.Height() - 1);
    } else {
        theBar->SetRange(itsCellBounds.Left(), itsCellBounds.Right(),
                         itsCellOrigin.H() + (itsOverRanRight ? 1 : 0));
        theBar->SetThumbSize(range.Width() - 1);
        theBar->SetIncrements(1.0f, range.Width() - 1);
    }
}

void FRM_CTableView::AdjustVScrollBar()
{
    AdjustScrollBar(itsVScrollBar, true);
}

void FRM_CTableView::AdjustHScrollBar()
{
    AdjustScrollBar(itsHScrollBar, false);
}

void FRM_CTableView::VScroll(e_scroll_ctl theAction, float thePosition)
{
    FRM_CCell origin = itsCellOrigin;
    const FRM_CRect frame = GetLocalFrame();
    switch (theAction) {
    case SC_LINE_UP: origin.V(origin.V() - 1); break;
    case SC_LINE_DOWN: origin.V(origin.V() + 1); break;
    case SC_PAGE_UP: {
        // The old top row ends at the view's bottom edge.
        const float y =
            itsCoordinates.ToScreen(FRM_CCell(origin.H(), origin.V() + 1)).V() - frame.Bottom();
        origin.V(itsCoordinates.ToCell(FRM_CPoint(frame.Left(), y)).V());
        break;
    }
    case SC_PAGE_DOWN:
        origin.V(itsCoordinates.ToCell(FRM_CPoint(frame.Left(), frame.Bottom())).V());
        break;
    case SC_THUMB:
    case SC_THUMBTRACK: origin.V(static_cast<std::int32_t>(thePosition)); break;
    default: return;
    }
    if (!(origin == itsCellOrigin))
        SetCellOrigin(origin);
}

void FRM_CTableView::HScroll(e_scroll_ctl theAction, float thePosition)
{
    FRM_CCell origin = itsCellOrigin;
    const FRM_CRect frame = GetLocalFrame();
    switch (theAction) {
    case SC_LINE_UP: origin.H(origin.H() - 1); break;
    case SC_LINE_DOWN: origin.H(origin.H() + 1); break;
    case SC_PAGE_UP: {
        const float x =
            itsCoordinates.ToScreen(FRM_CCell(origin.H() + 1, origin.V())).H() - frame.Right();
        origin.H(itsCoordinates.ToCell(FRM_CPoint(x, frame.Top())).H());
        break;
    }
    case SC_PAGE_DOWN:
        origin.H(itsCoordinates.ToCell(FRM_CPoint(frame.Right(), frame.Top())).H());
        break;
    case SC_THUMB:
    case SC_THUMBTRACK: origin.H(static_cast<std::int32_t>(thePosition)); break;
    default: return;
    }
    if (!(origin == itsCellOrigin))
        SetCellOrigin(origin);
}

void FRM_CTableView::SetCellBounds(const FRM_CBounds& theBounds)
{
    const std::int32_t lastColumn = itsCoordinates.GetLastInitializedColumn();
    const std::int32_t lastRow = itsCoordinates.GetLastInitializedRow();
    if (lastColumn > theBounds.Right() || lastRow > theBounds.Bottom()) {
        for (std::int32_t column = 0; column < lastColumn; ++column) {
            const std::int32_t firstRow = column >= theBounds.Right() ? 0 : theBounds.Bottom();
            for (std::int32_t row = firstRow; row <= lastRow; ++row) {
                const FRM_CCell cell(column, row);
                Attributes attributes;
                CellToAttributes(cell, attributes);
                if (FRM_CTableInterpreter* interpreter = attributes.Interpreter()) {
                    CTableInterpreterParameters parameters;
                    parameters.itsView = this;
                    parameters.itsCell = &cell;
                    parameters.itsAttributes = &attributes;
                    interpreter->Hide(parameters);
                }
            }
        }
    }
    itsCellBounds = theBounds;
    AdjustHScrollBar();
    AdjustVScrollBar();
}

void FRM_CTableView::Size(const FRM_CRect& theFrame)
{
    SetFocus(nullptr);
    FRM_CView::Size(theFrame);
    AdjustHScrollBar();
    AdjustVScrollBar();
    TellInterpretersScroll(FRM_CPoint(0, 0));
}

void FRM_CTableView::MouseDown(FRM_CPoint, short, short, short)
{
    Activate();
}

void FRM_CTableView::MouseDouble(FRM_CPoint, short, short, short)
{
    Activate();
}

// ---------------------------------------------------------------------------------------------
// Focus, invalidation, data

void FRM_CTableView::SetFocus(const FRM_CCell* theCell)
{
    FRM_CDrawingContext context(this);
    if (itsFocus) {
        const FRM_CCell old = *itsFocus;
        CTableInterpreterParameters parameters;
        parameters.itsContext = &context;
        CellToParameters(old, &parameters);
        itsFocus.reset();
        if (FRM_CTableInterpreter* interpreter = itsTempAttribute.Interpreter())
            interpreter->FocusOut(parameters);
        InvalidateCell(old);
    }
    if (theCell != nullptr) {
        const FRM_CCell cell = *theCell;
        CTableInterpreterParameters parameters;
        parameters.itsContext = &context;
        CellToParameters(cell, &parameters);
        FRM_CTableInterpreter* interpreter = itsTempAttribute.Interpreter();
        if (interpreter != nullptr && interpreter->CanFocus(parameters)) {
            itsFocus = std::make_unique<FRM_CCell>(cell);
            interpreter->FocusIn(parameters);
            InvalidateCell(cell);
        }
    }
}

void FRM_CTableView::InvalidateBounds(const FRM_CBounds& theBounds)
{
    if (!IsVisible())
        return;
    const FRM_CBounds visible = theBounds.Intersection(VisibleCells());
    if (visible.IsEmpty())
        return;
    Invalidate(itsCoordinates.ToScreen(visible));
}

void FRM_CTableView::InvalidateCell(const FRM_CCell& theCell)
{
    InvalidateBounds(OneCell(theCell.V(), theCell.H()));
}

void FRM_CTableView::InvalidateRow(std::int32_t theRow)
{
    InvalidateBounds(FRM_CBounds(theRow, 0, theRow + 1, FRM_CRegion::kEnd));
}

void FRM_CTableView::InvalidateColumn(std::int32_t theColumn)
{
    InvalidateBounds(FRM_CBounds(0, theColumn, FRM_CRegion::kEnd, theColumn + 1));
}

void FRM_CTableView::InvalidateRegion(const FRM_CRegion& theRegion)
{
    FRM_CRegionIterator it(theRegion);
    FRM_CBounds bounds;
    while (it.Next(bounds))
        InvalidateBounds(bounds);
}

void FRM_CTableView::InvalidateSelection()
{
    FRM_CSelectionIterator it(itsAttributes);
    FRM_CBounds bounds;
    while (it.Next(bounds))
        InvalidateBounds(bounds);
}

void FRM_CTableView::CellToAttributes(const FRM_CCell& theCell, Attributes& theAttributes)
{
    if (theCell.H() < 0 || theCell.V() < 0)
        return;
    if (const Attributes* table = itsAttributes.GetTable())
        theAttributes.Combine(*table);
    if (const Attributes* column = itsAttributes.GetColumn(theCell.H()))
        theAttributes.Combine(*column);
    if (const Attributes* row = itsAttributes.GetRow(theCell.V()))
        theAttributes.Combine(*row);
    if (const Attributes* cell = itsAttributes.GetCell(theCell))
        theAttributes.Combine(*cell);
}

void FRM_CTableView::CellToParameters(const FRM_CCell& theCell,
                                      CTableInterpreterParameters* theParameters)
{
    theParameters->itsView = this;
    theParameters->itsCell = &itsTempCell;
    theParameters->itsClip = &itsTempClip;
    theParameters->itsCellBounds = &itsTempCellBounds;
    theParameters->itsAttributes = &itsTempAttribute;
    itsTempAttribute = Attributes();
    CellToAttributes(theCell, itsTempAttribute);
    itsTempClip = GetLocalFrame();
    itsTempCellBounds = CellRect(theCell);
    itsTempCell = theCell;
    if (theParameters->itsContext != nullptr)
        ChangeDrawingContext(theParameters->itsContext, itsTempAttribute);
}

const FRM_CTdiValue* FRM_CTableView::GetData(const FRM_CCell& theCell)
{
    return itsSource != nullptr ? itsSource->GetTableData(theCell) : nullptr;
}

short FRM_CTableView::PutData(const FRM_CCell& theCell, const FRM_CTdiValue* theValue)
{
    return itsSource != nullptr ? itsSource->PutTableData(theCell, theValue) : 0;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void FRM_CTableView::ChangeDrawingContext(FRM_CDrawingContext* theContext,
                                          Attributes& theAttributes)
{
    FRM_CEnvironment& environment = theContext->GetEnv();
    environment.SetColor(theAttributes.Background(), theAttributes.Foreground(), kMonoBrush,
                         kMonoPen, kMonoBrush, kMonoPen, kMonoBrush, kMonoPen);
    if (theAttributes.Mask() & Attributes::MaskFont)
        environment.SetFont(theAttributes.Font());
}

void FRM_CTableView::PaintBand(const FRM_CBounds& theBand, Attributes& theAttributes)
{
    if (!(theAttributes.Mask() & Attributes::MaskBackground) ||
        theAttributes.Background() == Attributes::kNoColor)
        return;
    FRM_CDrawingContext context(this);
    context.GetEnv().SetBrushColor(theAttributes.Background(), kMonoBrush);
    context.GetEnv().SetPenColor(theAttributes.Background(), kMonoPen);
    context.DrawRect(itsCoordinates.ToScreen(theBand) + GetGlobalOrigin(), 0, 0);
    // The band is painted: the cells drawn later do not paint it again.
    theAttributes.Background(Attributes::kNoColor);
}

void FRM_CTableView::DrawColumnBackground(std::int32_t theColumn, std::int32_t theFirstRow,
                                          std::int32_t theLastRow, Attributes& theAttributes)
{
    PaintBand(FRM_CBounds(theFirstRow, theColumn, theLastRow + 1, theColumn + 1), theAttributes);
}

void FRM_CTableView::DrawRowBackground(std::int32_t theRow, std::int32_t theFirstColumn,
                                       std::int32_t theLastColumn, Attributes& theAttributes)
{
    PaintBand(FRM_CBounds(theRow, theFirstColumn, theRow + 1, theLastColumn + 1), theAttributes);
}

void FRM_CTableView::DrawColumn(const FRM_CRect& theClip, std::int32_t theColumn,
                                std::int32_t theFirstRow, std::int32_t theLastRow,
                                Attributes& theColumnAttributes,
                                std::vector<Attributes>& theRowAttributes)
{
    FRM_CDrawingContext context(this);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    ChangeDrawingContext(&context, theColumnAttributes);
    const FRM_CPoint globalOrigin = GetGlobalOrigin();
    for (std::int32_t row = theFirstRow; row <= theLastRow; ++row) {
        const FRM_CCell cell(theColumn, row);
        const Attributes* own = itsAttributes.GetCell(cell);
        Attributes& rowRecord = theRowAttributes[static_cast<std::size_t>(row - theFirstRow)];
        Attributes combined;
        Attributes* effective = &theColumnAttributes;
        if (own != nullptr || rowRecord.Mask() != 0) {
            combined = theColumnAttributes;
            if (rowRecord.Mask() != 0)
                combined.Combine(rowRecord);
            if (own != nullptr)
                combined.Combine(*own);
            ChangeDrawingContext(&context, combined);
            effective = &combined;
        }
        if (FRM_CTableInterpreter* interpreter = effective->Interpreter()) {
            const FRM_CRect rect = CellRect(cell) + globalOrigin;
            CTableInterpreterParameters parameters;
            parameters.itsView = this;
            parameters.itsCell = &cell;
            parameters.itsClip = &theClip;
            parameters.itsCellBounds = &rect;
            parameters.itsAttributes = effective;
            parameters.itsContext = &context;
            if (itsCellClipping) {
                const FRM_CRect saved = context.GetClip();
                context.SetClip(saved - rect);
                interpreter->Draw(parameters);
                context.SetClip(saved);
            } else {
                interpreter->Draw(parameters);
            }
        }
        if (effective != &theColumnAttributes)
            ChangeDrawingContext(&context, theColumnAttributes);
    }
}

void FRM_CTableView::Draw(const FRM_CRect& theClip)
{
    const Attributes* table = itsAttributes.GetTable();
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const FRM_CRect localClip = theClip - GetGlobalOrigin();
    const FRM_CBounds inner(itsCellBounds.Top(), itsCellBounds.Left(), itsCellBounds.Bottom() - 1,
                            itsCellBounds.Right() - 1);
    // Inclusive at both ends from here on: the row and column just past the clip are drawn
    // too (and clipped away), the table's last row and column are the last drawn.
    const FRM_CBounds range = itsCoordinates.ToCell(localClip).Intersection(inner);
    const std::int32_t top = range.Top(), bottom = range.Bottom();
    const std::int32_t left = range.Left(), right = range.Right();
    if (bottom < top || right < left)
        return;
    if (itsSource != nullptr)
        itsSource->Prime(range);

    std::vector<Attributes> columns(static_cast<std::size_t>(right - left + 1));
    std::vector<Attributes> rows(static_cast<std::size_t>(bottom - top + 1));
    for (std::int32_t row = top; row <= bottom; ++row)
        if (const Attributes* set = itsAttributes.GetRow(row))
            rows[static_cast<std::size_t>(row - top)] = *set;
    for (std::int32_t column = left; column <= right; ++column) {
        Attributes& record = columns[static_cast<std::size_t>(column - left)];
        if (table != nullptr)
            record = *table;
        if (const Attributes* set = itsAttributes.GetColumn(column))
            record.Combine(*set);
    }
    for (std::int32_t column = left; column <= right; ++column)
        DrawColumnBackground(column, top, bottom, columns[static_cast<std::size_t>(column - left)]);
    for (std::int32_t row = top; row <= bottom; ++row)
        DrawRowBackground(row, left, right, rows[static_cast<std::size_t>(row - top)]);
    for (std::int32_t column = left; column <= right; ++column)
        DrawColumn(theClip, column, top, bottom, columns[static_cast<std::size_t>(column - left)],
                   rows);

    // Each cell draws its own top and left lines; the view closes the grid on the right and
    // at the bottom.
    const std::int32_t lastRow = itsCellBounds.Bottom() - 1;
    const std::int32_t lastColumn = itsCellBounds.Right() - 1;
    const bool lastRowVisible = lastRow >= top && lastRow <= bottom;
    const bool lastColumnVisible = lastColumn >= left && lastColumn <= right;
    if (!lastRowVisible && !lastColumnVisible)
        return;
    const FRM_CPoint globalOrigin = GetGlobalOrigin();
    auto corner = [&](std::int32_t theColumn, std::int32_t theRow) {
        return itsCoordinates.ToScreen(FRM_CCell(theColumn, theRow)) + globalOrigin;
    };
    const FRM_CPoint end = corner(lastColumnVisible ? itsCellBounds.Right() : right,
                                  lastRowVisible ? itsCellBounds.Bottom() : bottom);
    FRM_CDrawingContext context(this);
    context.SetClip(theClip);
    if (lastColumnVisible)
        context.DrawLine(corner(itsCellBounds.Right(), top), end, 0, 0);
    if (lastRowVisible)
        context.DrawLine(corner(left, itsCellBounds.Bottom()), end, 0, 0);
}
