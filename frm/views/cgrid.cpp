// cgrid.cpp: the grid: the cell map, placing views against their cell corners, resizing,
// event routing to the views in the cells, snapping drags and drawing the grid lines.
#include "frm/views/cgrid.h"

#include <algorithm>
#include <cfloat>
#include <vector>

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/cglue.h"
#include "frm/views/cwindow.h"
#include "frm/views/cwirefrm.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cgrid";
constexpr long kErrInsertNull = 700;
constexpr long kErrInsertNotEnclosed = 701;
constexpr long kErrInsertViewNull = 702;
constexpr long kErrPlaceNull = 703;
constexpr long kErrResetNull = 704;
constexpr long kErrPositionOfViewNull = 705;
constexpr long kErrPositionOfRectNull = 706;
constexpr long kErrInsertInvalidCell = 707;
constexpr long kErrReplaceInvalidCell = 708;
constexpr long kErrRemoveInvalidCell = 709;

// The glue flags that keep a view from being placed.
constexpr unsigned long kGlueFlags = 0xFFFFUL;
constexpr int kStandardPen = 2;

bool IsTop(FRM_CGrid::PLACEMENT placement)
{
    return placement == FRM_CGrid::TOPLEFT || placement == FRM_CGrid::TOPRIGHT;
}

bool IsLeft(FRM_CGrid::PLACEMENT placement)
{
    return placement == FRM_CGrid::TOPLEFT || placement == FRM_CGrid::BOTTOMLEFT;
}

struct CellEntry {
    FRM_CView* view;
    std::int32_t row;
    std::int32_t column;
};

// A snapshot of the cell map, so that callers may change the map while they walk it.
std::vector<CellEntry> Entries(FRM_CSparseArray& cells)
{
    std::vector<CellEntry> entries;
    FRM_CSparseArrayIterator walk(cells);
    std::int32_t row = 0;
    std::int32_t column = 0;
    while (RWCollectable* item = walk.Next(&row, &column))
        entries.push_back({static_cast<FRM_CView*>(item), row, column});
    return entries;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CGrid::FRM_CGrid(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame)
    : FRM_CSubview(theEnclosure, theFrame)
{
}

FRM_CGrid::FRM_CGrid(const FRM_CGrid& other)
    : FRM_CSubview(other), itsCellWidth(other.itsCellWidth), itsCellHeight(other.itsCellHeight),
      itsRowNumber(other.itsRowNumber), itsColumnNumber(other.itsColumnNumber),
      itsSizingPolicy(other.itsSizingPolicy), itsCells(other.itsCells),
      itsCellsOfView(other.itsCellsOfView),
      itDrawsVertical(other.itDrawsVertical), itDrawsHorizontal(other.itDrawsHorizontal),
      itIsClipping(other.itIsClipping), itsPlacement(other.itsPlacement),
      itsPlacementOffset(other.itsPlacementOffset), itIsGridVisible(other.itIsGridVisible),
      itIsSnapping(other.itIsSnapping), itsCellViews(other.itsCellViews)
{
}

// Hand-written: the cell map names this grid's own views, so only the settings are copied.
FRM_CGrid& FRM_CGrid::operator=(const FRM_CGrid& other)
{
    if (this == &other)
        return *this;
    FRM_CSubview::operator=(other);
    itsPlacementOffset = other.itsPlacementOffset;
    itsPlacement = other.itsPlacement;
    itsCellWidth = other.itsCellWidth;
    itsCellHeight = other.itsCellHeight;
    itsRowNumber = other.itsRowNumber;
    itsColumnNumber = other.itsColumnNumber;
    itsSizingPolicy = other.itsSizingPolicy;
    itIsGridVisible = other.itIsGridVisible;
    itIsClipping = other.itIsClipping;
    itIsSnapping = other.itIsSnapping;
    itDrawsVertical = other.itDrawsVertical;
    itDrawsHorizontal = other.itDrawsHorizontal;
    return *this;
}

FRM_CGrid::~FRM_CGrid()
{
    // The views go with the subview part; the map must not name them meanwhile.
    itsCells.Clear();
    itsCellsOfView.clear();
    itsCellViews = 0;
}

short FRM_CGrid::IGrid(short isClipping, PLACEMENT thePlacement, short isGridVisible,
                       POLICY thePolicy, short isVisible, unsigned long theGlue)
{
    itIsClipping = isClipping;
    itsPlacement = thePlacement;
    itIsGridVisible = isGridVisible;
    itsSizingPolicy = thePolicy;
    return ISubview(isVisible, theGlue);
}

float FRM_CGrid::HPixel() const
{
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->HPhysicalToLogical(1) : 1.0F;
}

float FRM_CGrid::VPixel() const
{
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->VPhysicalToLogical(1) : 1.0F;
}

// ---------------------------------------------------------------------------------------------
// Settings

void FRM_CGrid::SetPlacement(PLACEMENT thePlacement)
{
    itsPlacement = thePlacement;
    DoPlaceView();
}

void FRM_CGrid::SetSnapping(short isSnapping)
{
    itIsSnapping = isSnapping;
    FRM_CWindow* window = GetCWindow();
    if (itsSelectedView == nullptr || window == nullptr)
        return;
    window->SetSelectedView(isSnapping ? static_cast<FRM_CView*>(this) : itsSelectedView);
}

void FRM_CGrid::Resume()
{
    itIsSuspended = 0;
    DoPlaceView();
    DoDraw(frm_views::MaxRect());
}

short FRM_CGrid::Validate(int theRow, int theColumn) const
{
    return theRow >= 0 && theRow < itsRowNumber && theColumn >= 0 && theColumn < itsColumnNumber
               ? 1
               : 0;
}

// ---------------------------------------------------------------------------------------------
// The cell map

void FRM_CGrid::MapInsert(FRM_CView* theView, int theRow, int theColumn)
{
    if (itsCells.GetContents(theRow, theColumn) != nullptr)
        return;    // an occupied cell keeps its view
    itsCells.Insert(theView, theRow, theColumn);
    ++itsCellsOfView[theView];
    ++itsCellViews;
}

FRM_CView* FRM_CGrid::MapRemove(int theRow, int theColumn)
{
    auto* view = static_cast<FRM_CView*>(itsCells.Remove(theRow, theColumn));
    if (view != nullptr) {
        --itsCellViews;
        ForgetCellOf(view);
    }
    return view;
}

bool FRM_CGrid::MapRemove(FRM_CView* theView)
{
    if (itsCellsOfView.find(theView) == itsCellsOfView.end() || !itsCells.Remove(theView))
        return false;
    --itsCellViews;
    ForgetCellOf(theView);
    return true;
}

void FRM_CGrid::ForgetCellOf(const FRM_CView* theView)
{
    const auto found = itsCellsOfView.find(theView);
    if (found != itsCellsOfView.end() && --found->second <= 0)
        itsCellsOfView.erase(found);
}

void FRM_CGrid::Insert(FRM_CView* theView, int theRow, int theColumn)
{
    if (theView == nullptr) {
        FrmError(kErrInsertNull, kModule, __LINE__);
        return;
    }
    if (theView->GetEnclosure() != this) {
        FrmError(kErrInsertNotEnclosed, kModule, __LINE__);
        return;
    }
    if (!Validate(theRow, theColumn)) {
        FrmError(kErrInsertInvalidCell, kModule, __LINE__);
        return;
    }
    AddSubview(theView);
    MapInsert(theView, theRow, theColumn);
    PlaceView(theView, theRow, theColumn);
}

void FRM_CGrid::Insert(FRM_CView* theView)
{
    if (theView == nullptr) {
        FrmError(kErrInsertViewNull, kModule, __LINE__);
        return;
    }
    AddSubview(theView);
    int row = 0;
    int column = 0;
    GetPosition(theView->GetFrame(), &row, &column);
    Insert(theView, row, column);
}

FRM_CView* FRM_CGrid::Replace(FRM_CView* theView, int theRow, int theColumn)
{
    if (!Validate(theRow, theColumn)) {
        FrmError(kErrReplaceInvalidCell, kModule, __LINE__);
        return nullptr;
    }
    FRM_CView* old = MapRemove(theRow, theColumn);
    Insert(theView, theRow, theColumn);
    return old;
}

FRM_CView* FRM_CGrid::Replace(FRM_CView* theView)
{
    int row = 0;
    int column = 0;
    if (theView != nullptr)
        GetPosition(theView->GetFrame(), &row, &column);
    return Replace(theView, row, column);
}

FRM_CView* FRM_CGrid::Remove(int theRow, int theColumn)
{
    if (!Validate(theRow, theColumn)) {
        FrmError(kErrRemoveInvalidCell, kModule, __LINE__);
        return nullptr;
    }
    FRM_CView* view = MapRemove(theRow, theColumn);
    if (view != nullptr)
        FRM_CSubview::RemoveSubview(view);
    return view;
}

short FRM_CGrid::Remove(FRM_CView* theView)
{
    if (theView == nullptr || !MapRemove(theView))
        return 0;
    FRM_CSubview::RemoveSubview(theView);
    return 1;
}

void FRM_CGrid::RemoveSubview(FRM_CView* theView)
{
    if (theView != nullptr)
        MapRemove(theView);
    FRM_CSubview::RemoveSubview(theView);
}

FRM_CView* FRM_CGrid::GetContents(int theRow, int theColumn)
{
    if (theRow < 0 || theColumn < 0)
        return nullptr;
    return static_cast<FRM_CView*>(itsCells.GetContents(theRow, theColumn));
}

FRM_CView* FRM_CGrid::GetContents(const FRM_CPoint& thePoint)
{
    const int row = GetRow(thePoint.V());
    const int column = GetCol(thePoint.H());
    if (row == -1 || column == -1)
        return nullptr;
    return GetContents(row, column);
}

void FRM_CGrid::GetPosition(const FRM_CView* theView, int* theRow, int* theColumn)
{
    if (theRow == nullptr || theColumn == nullptr) {
        FrmError(kErrPositionOfViewNull, kModule, __LINE__);
        return;
    }
    *theRow = -1;
    *theColumn = -1;
    for (const CellEntry& entry : Entries(itsCells))
        if (entry.view == theView) {
            *theRow = entry.row;
            *theColumn = entry.column;
            return;
        }
}

void FRM_CGrid::GetPosition(const FRM_CRect& theRect, int* theRow, int* theColumn)
{
    if (theRow == nullptr || theColumn == nullptr) {
        FrmError(kErrPositionOfRectNull, kModule, __LINE__);
        return;
    }
    const int row = GetRow(IsTop(itsPlacement) ? theRect.Top() : theRect.Bottom());
    const int column = GetCol(IsLeft(itsPlacement) ? theRect.Left() : theRect.Right());
    *theRow = row < 0 ? 0 : row;
    *theColumn = column < 0 ? 0 : column;
}

void FRM_CGrid::DoClear()
{
    itsCells.Clear();
    itsCellsOfView.clear();
    itsCellViews = 0;
    while (GetNumViews() > 0)
        delete ChildAt(0);
}

// ---------------------------------------------------------------------------------------------
// Placing and sizing

FRM_CPoint FRM_CGrid::CornerOf(const FRM_CRect& theCell) const
{
    return FRM_CPoint(IsLeft(itsPlacement) ? theCell.Left() : theCell.Right(),
                      IsTop(itsPlacement) ? theCell.Top() : theCell.Bottom());
}

void FRM_CGrid::PlaceView(FRM_CView* theView, int theRow, int theColumn)
{
    if (theView == nullptr) {
        FrmError(kErrPlaceNull, kModule, __LINE__);
        return;
    }
    if (!itIsSnapping || itIsSuspended || !Validate(theRow, theColumn) ||
        (theView->GetGlue() & kGlueFlags) != 0)
        return;
    const FRM_CRect cell = GetCellSize(theRow, theColumn);
    const FRM_CRect frame = theView->GetFrame();
    const float width = frame.Width();
    const float height = frame.Height();
    const float h = itsPlacementOffset.H();
    const float v = itsPlacementOffset.V();
    const float left = IsLeft(itsPlacement) ? cell.Left() + h : cell.Right() - h - width;
    const float top = IsTop(itsPlacement) ? cell.Top() + v : cell.Bottom() - v - height;
    FRM_CRect placed(left, top, left + width, top + height);
    if (theView->GetEnclosure() != this && theView->GetEnclosure() != nullptr)
        placed = placed.GetTranslated(this, theView->GetEnclosure());
    theView->DoSize(placed);
}

void FRM_CGrid::DoPlaceView()
{
    if (!itIsSnapping || itIsSuspended)
        return;
    for (const CellEntry& entry : Entries(itsCells))
        PlaceView(entry.view, entry.row, entry.column);
}

void FRM_CGrid::SetNumCells(int theColumns, int theRows, short willResize)
{
    const int oldRows = itsRowNumber;
    const int oldColumns = itsColumnNumber;
    itsColumnNumber = std::max(theColumns, 1);
    itsRowNumber = std::max(theRows, 1);
    for (const CellEntry& entry : Entries(itsCells)) {
        const bool rowLeft = entry.row >= itsRowNumber && entry.row < oldRows;
        const bool columnLeft = entry.column >= itsColumnNumber && entry.column < oldColumns;
        if (rowLeft || columnLeft) {
            // Out of sight: the frame ends at -1 on both axes.
            const FRM_CRect frame = entry.view->GetFrame();
            entry.view->DoSize(frame - FRM_CPoint(frame.Right() + 1, frame.Bottom() + 1));
            continue;
        }
        const bool rowBack = entry.row >= oldRows && entry.row < itsRowNumber;
        const bool columnBack = entry.column >= oldColumns && entry.column < itsColumnNumber;
        if ((rowBack && willResize) || columnBack)
            PlaceView(entry.view, entry.row, entry.column);
    }
}

void FRM_CGrid::AdjustCells(ADJUST theMode)
{
    if (GetNumViews() == 0)
        return;
    float width = theMode == MAXIMIZE ? 0.0F : FLT_MAX;
    float height = width;
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i) {
        const FRM_CRect frame = ChildAt(i)->GetGlobalFrame();
        if (theMode == MAXIMIZE) {
            width = std::max(width, frame.Width());
            height = std::max(height, frame.Height());
        } else {
            width = std::min(width, frame.Width());
            height = std::min(height, frame.Height());
        }
    }
    if (width != 0 && height != 0)
        SizeCell(width, height);
}

void FRM_CGrid::Size(const FRM_CRect& theFrame)
{
    if (itsSizingPolicy == ADJUSTCellSize) {
        SizeCell(theFrame.Width() / static_cast<float>(itsColumnNumber),
                 theFrame.Height() / static_cast<float>(itsRowNumber));
        FRM_CSubview::Size(theFrame);
        return;
    }
    FRM_CSubview::Size(theFrame);
    // Whole cells, held to a count an int can take.
    auto cells = [](float length, float cell) {
        return cell > 0 ? static_cast<int>(std::clamp(length / cell, 0.0F, 1e9F)) : 1;
    };
    const int columns = cells(theFrame.Width(), itsCellWidth);
    const int rows = cells(theFrame.Height(), itsCellHeight);
    SetNumCells(columns, rows, 1);
}

// ---------------------------------------------------------------------------------------------
// Finding views and events

FRM_CView* FRM_CGrid::FindSubview(const FRM_CPoint& thePoint)
{
    const bool allInCells = itsCellViews == GetNumViews() && itsSelectedView == nullptr;
    if (!itIsClipping || !allInCells)
        return FRM_CSubview::FindSubview(thePoint);
    if (!GetGlobalFrame().IsPointInRect(thePoint))
        return nullptr;
    const FRM_CPoint local = thePoint - GetGlobalOrigin();
    const int row = GetRow(local.V());
    const int column = GetCol(local.H());
    if (row < 0 || column < 0)
        return nullptr;
    FRM_CView* view = GetContents(row, column);
    if (view == nullptr || !view->IsVisible() || !view->HitTest(thePoint - view->GetOrigin()))
        return nullptr;
    return view;
}

FRM_CView* FRM_CGrid::FindEventTarget(const FRM_CPoint& thePoint)
{
    itIsHit = FindSubview(thePoint) == nullptr ? 1 : 0;
    return this;
}

FRM_CWireFrame* FRM_CGrid::ActiveWireFrame() const
{
    FRM_CWireFrame* frame = GetWireFrame();
    return frame != nullptr && (frame->IsSizable() || frame->IsDraggable()) ? frame : nullptr;
}

// Pressed beside every cell view, the grid itself may be moved or sized.
FRM_CView* FRM_CGrid::FindHitView(const FRM_CPoint&)
{
    FRM_CWireFrame* frame = ActiveWireFrame();
    if (itIsHit && frame != nullptr && itsSelectedView == nullptr)
        return frame;
    return this;
}

void FRM_CGrid::CellUnder(const FRM_CPoint& theLocalPoint, int* theRow, int* theColumn)
{
    const float v = std::clamp(theLocalPoint.V(), 0.0F, 1e9F);
    const float h = std::clamp(theLocalPoint.H(), 0.0F, 1e9F);
    *theRow = GetRow(static_cast<float>(static_cast<int>(v)));
    *theColumn = GetCol(static_cast<float>(static_cast<int>(h)));
}

FRM_CView* FRM_CGrid::GetHitItem(const FRM_CPoint& theLocalPoint)
{
    const FRM_CPoint global = theLocalPoint + GetGlobalOrigin();
    if (itIsClipping) {
        FRM_CView* view = GetContents(theLocalPoint);
        return view != nullptr ? view->FindDeepSubview(global) : nullptr;
    }
    FRM_CView* deepest = FindDeepSubview(global);
    return deepest == this ? nullptr : deepest;
}

FRM_CView* FRM_CGrid::MouseTarget(const FRM_CPoint& theLocalPoint)
{
    return itsSelectedView != nullptr ? itsSelectedView : GetHitItem(theLocalPoint);
}

// The selected view holds the pointer for moves and releases, but a press on the view of
// another cell is that view's: a shift-click there adds it to the selection (or takes it out).
FRM_CView* FRM_CGrid::PressTarget(const FRM_CPoint& theLocalPoint)
{
    FRM_CView* hit = itsSelectedView != nullptr ? GetHitItem(theLocalPoint) : nullptr;
    for (const FRM_CView* view = hit; view != nullptr && view != this; view = view->GetEnclosure())
        if (view == itsSelectedView)
            return itsSelectedView;
    return hit != nullptr ? hit : MouseTarget(theLocalPoint);
}

void FRM_CGrid::SetDragPoint(const FRM_CPoint& thePoint, FRM_CView*)
{
    int row = 0;
    int column = 0;
    CellUnder(thePoint, &row, &column);
    const FRM_CPoint corner = CornerOf(GetCellSize(row, column));
    itsDragPoint =
        FRM_CPoint(IsLeft(itsPlacement) ? thePoint.H() - corner.H() : corner.H() - thePoint.H(),
                   IsTop(itsPlacement) ? thePoint.V() - corner.V() : corner.V() - thePoint.V());
}

void FRM_CGrid::MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    FRM_CView* target = PressTarget(thePoint);
    if (target == nullptr) {
        if (FRM_CWireFrame* frame = ActiveWireFrame())
            frame->MouseDown(thePoint.GetTranslated(this, frame), theButton, isShift, isControl);
        else
            FRM_CSubview::MouseDown(thePoint, theButton, isShift, isControl);
        return;
    }
    SetDragPoint(thePoint, target);
    itsStartPoint = thePoint;
    target->DoMouseDown(thePoint + GetGlobalOrigin(), theButton, isShift, isControl);
    FRM_CWindow* window = GetCWindow();
    if (window != nullptr && itsSelectedView == target && GetSelectedView() != nullptr)
        window->SetSelectedView(this);
}

void FRM_CGrid::MouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    FRM_CView* target = MouseTarget(thePoint);
    if (target == nullptr)
        return;
    int row = 0;
    int column = 0;
    CellUnder(thePoint, &row, &column);
    const FRM_CRect cell = GetCellSize(row, column);
    if (cell.IsEmpty())
        return;
    FRM_CPoint moved = thePoint;
    if (itIsSnapping) {
        const FRM_CPoint corner = CornerOf(cell);
        moved = FRM_CPoint(
            IsLeft(itsPlacement) ? corner.H() + itsDragPoint.H() : corner.H() - itsDragPoint.H(),
            IsTop(itsPlacement) ? corner.V() + itsDragPoint.V() : corner.V() - itsDragPoint.V());
    }
    if (FRM_CView* hit = target->FindHitView(thePoint + GetGlobalOrigin()))
        hit->DoMouseMove(moved + GetGlobalOrigin(), theButton, isShift, isControl);
}

void FRM_CGrid::MouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    FRM_CView* target = MouseTarget(thePoint);
    if (target == nullptr) {
        FRM_CSubview::MouseUp(thePoint, theButton, isShift, isControl);
        return;
    }
    int fromRow = 0;
    int fromColumn = 0;
    int toRow = 0;
    int toColumn = 0;
    CellUnder(itsStartPoint, &fromRow, &fromColumn);
    CellUnder(thePoint, &toRow, &toColumn);
    const FRM_CWireFrame* frame = target->GetWireFrame();
    if (fromRow >= 0 && fromColumn >= 0 && toRow >= 0 && toColumn >= 0 &&
        (fromRow != toRow || fromColumn != toColumn) && frame != nullptr &&
        (frame->IsSizable() || frame->IsDraggable()))
        MoveGroup(frame, toRow - fromRow, toColumn - fromColumn);
    if (FRM_CView* hit = target->FindHitView(thePoint + GetGlobalOrigin()))
        hit->DoMouseUp(thePoint + GetGlobalOrigin(), theButton, isShift, isControl);
}

// The group keeps its shape: the move stops where one of its rows or columns would leave the
// grid. The view that leads in the direction of the move goes first, so that no member lands
// on a cell another member has not left yet (a view dropped on an occupied cell replaces it).
void FRM_CGrid::MoveGroup(const FRM_CWireFrame* theFrame, int theRows, int theColumns)
{
    const FRM_CSubview* group = theFrame->GetGroupEnclosure();
    if (group == nullptr)
        return;
    struct Member {
        FRM_CView* view;
        int row;
        int column;
    };
    std::vector<Member> members;
    const RWOrdered* selected = group->GetSelectedViews();
    for (std::size_t i = 0; i < selected->entries(); ++i) {
        auto* view = static_cast<FRM_CView*>((*selected)[i]);
        int row = -1;
        int column = -1;
        GetPosition(view, &row, &column);
        if (row >= 0 && column >= 0)
            members.push_back(Member{view, row, column});
    }
    for (const Member& member : members) {
        theRows = std::max(std::min(theRows, GetNumRows() - 1 - member.row), -member.row);
        theColumns =
            std::max(std::min(theColumns, GetNumCols() - 1 - member.column), -member.column);
    }
    if (theRows == 0 && theColumns == 0)
        return;
    std::sort(members.begin(), members.end(),
              [theRows, theColumns](const Member& a, const Member& b) {
                  return a.row * theRows + a.column * theColumns >
                         b.row * theRows + b.column * theColumns;
              });
    for (const Member& member : members)
        ResetCell(member.view, member.row + theRows, member.column + theColumns);
}

void FRM_CGrid::MouseDouble(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    FRM_CView* target = GetHitItem(thePoint);
    if (target == nullptr) {
        FRM_CSubview::MouseDouble(thePoint, theButton, isShift, isControl);
        return;
    }
    target->DoMouseDouble(thePoint + GetGlobalOrigin(), theButton, isShift, isControl);
}

void FRM_CGrid::ResetCell(FRM_CView* theView, int theRow, int theColumn)
{
    if (theView == nullptr) {
        FrmError(kErrResetNull, kModule, __LINE__);
        return;
    }
    int oldRow = -1;
    int oldColumn = -1;
    GetPosition(theView, &oldRow, &oldColumn);
    if (oldRow == -1)
        return;
    const FRM_CRect frame = theView->GetFrame();
    if (theRow == -1) {
        const float edge = IsTop(itsPlacement) ? frame.Top() : frame.Bottom();
        theRow = GetRow(edge);
        if (theRow == -1)
            theRow = edge < 0 ? -1 : itsRowNumber - 1;
    }
    if (theColumn == -1) {
        const float edge = IsLeft(itsPlacement) ? frame.Left() : frame.Right();
        theColumn = GetCol(edge);
        if (theColumn == -1)
            theColumn = edge < 0 ? -1 : itsColumnNumber - 1;
    }
    if (theRow == -1 || theColumn == -1 || (theRow == oldRow && theColumn == oldColumn))
        return;
    if (FRM_CView* occupant = MapRemove(theRow, theColumn))
        delete occupant;
    MapRemove(oldRow, oldColumn);
    MapInsert(theView, theRow, theColumn);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void FRM_CGrid::DoDraw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    const FRM_CRect clip = ResolveClip(theClip);
    if (clip.IsEmpty())
        return;
    WINDOW window = GetVKOWindow();
    if (Prepare(clip)) {
        Draw(clip);
        if (!itIsClipping) {
            for (std::size_t i = 0; i < itsSubviews->entries(); ++i)
                ChildAt(i)->DoDraw(clip);
        } else {
            // The rows and columns the clip covers, in local coordinates.
            const FRM_CRect local = clip - GetGlobalOrigin();
            int firstRow = GetRow(std::max(local.Top(), 0.0F));
            int firstColumn = GetCol(std::max(local.Left(), 0.0F));
            firstRow = std::max(firstRow, 0);
            firstColumn = std::max(firstColumn, 0);
            int lastRow = GetRow(local.Bottom() - VPixel());
            int lastColumn = GetCol(local.Right() - HPixel());
            if (lastRow < 0)
                lastRow = itsRowNumber - 1;
            if (lastColumn < 0)
                lastColumn = itsColumnNumber - 1;
            for (const CellEntry& entry : Entries(itsCells)) {
                if (entry.row < firstRow || entry.row > lastRow || entry.column < firstColumn ||
                    entry.column > lastColumn)
                    continue;
                const FRM_CRect cell = GetCellSize(entry.row, entry.column) + GetGlobalOrigin();
                entry.view->DoDraw(cell - clip);
            }
        }
    }
    vko_dwin_set_clip(window, nullptr);
}

void FRM_CGrid::Draw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    FRM_CSubview::Draw(theClip);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    WINDOW window = GetVKOWindow();
    if (const FRM_CEnvironment* environment = GetEnvironment())
        environment->SetDrawingEnv(GetCWindow());
    const FRM_CRect frame = GetGlobalFrame();
    s_rct outline = static_cast<s_rct>(frame);
    if (!itIsGridVisible) {
        vko_dwin_set_std_cpen(window, kStandardPen);
        vko_dwin_draw_rect(window, &outline);
        return;
    }
    vko_dwin_draw_rect(window, &outline);
    // Points convert through the grid's units, now the current ones (clamped to 16 bits).
    auto line = [window](const FRM_CPoint& from, const FRM_CPoint& to) {
        vko_dwin_draw_set_pos(window, static_cast<s_pnt>(from));
        vko_dwin_draw_line(window, static_cast<s_pnt>(to));
    };
    if (itDrawsVertical) {
        float x = frame.Left();
        for (int column = 0; column < itsColumnNumber - 1; ++column) {
            x += GetWidth(column);
            if (x < theClip.Left())
                continue;
            line(FRM_CPoint(x, frame.Top()), FRM_CPoint(x, frame.Bottom() - VPixel()));
            if (x > theClip.Right())
                break;
        }
    }
    if (itDrawsHorizontal) {
        float y = frame.Top();
        for (int row = 0; row < itsRowNumber - 1; ++row) {
            y += GetHeight(row);
            if (y < theClip.Top())
                continue;
            line(FRM_CPoint(frame.Left(), y), FRM_CPoint(frame.Right() - HPixel(), y));
            if (y > theClip.Bottom())
                break;
        }
    }
}
