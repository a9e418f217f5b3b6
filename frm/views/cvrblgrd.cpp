// cvrblgrd.cpp: the variable grid's geometry and its two policies for sizes and frame.
// Rows and columns share one body each way: a "line" is a column when byColumn is set.
#include "frm/views/cvrblgrd.h"

#include <algorithm>

#include "frm/core/frmerror.h"

namespace {

constexpr char kModule[] = "cvrblgrd";
constexpr long kErrNegativeShift = 725;
constexpr long kErrNegativeMinimum = 726;
constexpr float kMinimumPixels = 2;
// The starting point of a search for the smallest view.
constexpr float kNoSmallest = 2147483648.0F;

} // namespace

FRM_CVariableGrid::FRM_CVariableGrid(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                                     int theRows, int theColumns)
    : FRM_CGrid(theEnclosure, theRegion),
      itsMinimumDefaultCellWidth(kMinimumPixels * HPixel()),
      itsMinimumDefaultCellHeight(kMinimumPixels * VPixel())
{
    itsRowNumber = std::max(theRows, 1);
    itsColumnNumber = std::max(theColumns, 1);
    itsCellWidth = (theRegion.Width() - HPixel()) / static_cast<float>(itsColumnNumber);
    itsCellHeight = (theRegion.Height() - VPixel()) / static_cast<float>(itsRowNumber);
}

FRM_CVariableGrid::FRM_CVariableGrid(FRM_CSubview* theEnclosure, const FRM_CPoint& thePoint,
                                     float theHeight, float theWidth, int theRows, int theColumns)
    : FRM_CGrid(theEnclosure, FRM_CRect(thePoint, thePoint)),
      itsMinimumDefaultCellWidth(kMinimumPixels * HPixel()),
      itsMinimumDefaultCellHeight(kMinimumPixels * VPixel())
{
    itsRowNumber = std::max(theRows, 1);
    itsColumnNumber = std::max(theColumns, 1);
    itsCellWidth = theWidth;
    itsCellHeight = theHeight;
    itsFrame = FRM_CRect(thePoint.H(), thePoint.V(),
                         thePoint.H() + static_cast<float>(itsColumnNumber) * theWidth + HPixel(),
                         thePoint.V() + static_cast<float>(itsRowNumber) * theHeight + VPixel());
}

// ---------------------------------------------------------------------------------------------
// Geometry

float FRM_CVariableGrid::GetWidth(int theColumn)
{
    const auto found = itsColumnSizes.find(theColumn);
    return found != itsColumnSizes.end() ? found->second : itsCellWidth;
}

float FRM_CVariableGrid::GetHeight(int theRow)
{
    const auto found = itsRowSizes.find(theRow);
    return found != itsRowSizes.end() ? found->second : itsCellHeight;
}

FRM_CRect FRM_CVariableGrid::GetCellSize(int theRow, int theColumn)
{
    if (!Validate(theRow, theColumn))
        return FRM_CRect(0, 0, 0, 0);
    float left = 0;
    for (int column = 0; column < theColumn; ++column)
        left += GetWidth(column);
    float top = 0;
    for (int row = 0; row < theRow; ++row)
        top += GetHeight(row);
    return FRM_CRect(left, top, left + GetWidth(theColumn), top + GetHeight(theRow));
}

int FRM_CVariableGrid::GetRow(float v)
{
    if (v < 0)
        return -1;
    float end = 0;
    for (int row = 0; row < itsRowNumber; ++row) {
        end += GetHeight(row);
        if (v < end)
            return row;
    }
    return -1;
}

int FRM_CVariableGrid::GetCol(float h)
{
    if (h < 0)
        return -1;
    float end = 0;
    for (int column = 0; column < itsColumnNumber; ++column) {
        end += GetWidth(column);
        if (h < end)
            return column;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
// Sizes

void FRM_CVariableGrid::SizeCol(int theColumn, float theWidth)
{
    itsColumnSizes[theColumn] = std::max(theWidth, itsMinimumDefaultCellWidth);
    if (itsCellSizingPolicy == ADJUSTGridSize)
        ResetFrame();
    else
        ResetWidth();
    DoPlaceView();
}

void FRM_CVariableGrid::SizeRow(int theRow, float theHeight)
{
    itsRowSizes[theRow] = std::max(theHeight, itsMinimumDefaultCellHeight);
    if (itsCellSizingPolicy == ADJUSTGridSize)
        ResetFrame();
    else
        ResetHeight();
    DoPlaceView();
}

void FRM_CVariableGrid::SizeCell(float theWidth, float theHeight)
{
    itsCellWidth = theWidth;
    itsCellHeight = theHeight;
    ResetFrame();
    DoPlaceView();
}

void FRM_CVariableGrid::SetNumCells(int theColumns, int theRows, short willResize)
{
    FRM_CGrid::SetNumCells(theColumns, theRows, willResize);
    if (willResize) {
        ResetFrame();
    } else {
        ResetWidth();
        ResetHeight();
    }
    DoPlaceView();
}

void FRM_CVariableGrid::ResetFrame()
{
    float width = HPixel();
    for (int column = 0; column < itsColumnNumber; ++column)
        width += GetWidth(column);
    float height = VPixel();
    for (int row = 0; row < itsRowNumber; ++row)
        height += GetHeight(row);
    FRM_CRect frame = itsFrame;
    frame.Width(width);
    frame.Height(height);
    FRM_CView::Size(frame);
}

void FRM_CVariableGrid::ResetAxis(bool byColumn)
{
    Sizes& sizes = byColumn ? itsColumnSizes : itsRowSizes;
    float& defaultSize = byColumn ? itsCellWidth : itsCellHeight;
    const float minimum = byColumn ? itsMinimumDefaultCellWidth : itsMinimumDefaultCellHeight;
    const float pixel = byColumn ? HPixel() : VPixel();
    const float frame = byColumn ? itsFrame.Width() : itsFrame.Height();
    const int count = byColumn ? itsColumnNumber : itsRowNumber;
    float stored = 0;
    for (const auto& [line, size] : sizes)
        stored += size;
    const int unsized = count - static_cast<int>(sizes.size());
    if (unsized > 0 && frame > static_cast<float>(unsized) * minimum + stored + pixel) {
        defaultSize = (frame - pixel - stored) / static_cast<float>(unsized);
        return;
    }
    if (sizes.empty())
        return;
    if (unsized > 0)
        defaultSize = minimum;
    const float overflow =
        static_cast<float>(std::max(unsized, 0)) * defaultSize + stored + pixel - frame;
    const float share = overflow / static_cast<float>(sizes.size());
    // A frame too small for the stored sizes shrinks them to 0, never below.
    for (auto& [line, size] : sizes)
        size = std::max(size - share, 0.0F);
}

void FRM_CVariableGrid::ResetWidth()
{
    ResetAxis(true);
}

void FRM_CVariableGrid::ResetHeight()
{
    ResetAxis(false);
}

void FRM_CVariableGrid::ResetColumns()
{
    itsColumnSizes.clear();
    ResetWidth();
    DoPlaceView();
}

void FRM_CVariableGrid::ResetRows()
{
    itsRowSizes.clear();
    ResetHeight();
    DoPlaceView();
}

int FRM_CVariableGrid::CountFor(bool byColumn, float theLength)
{
    const float frame = byColumn ? itsFrame.Width() : itsFrame.Height();
    const int count = byColumn ? itsColumnNumber : itsRowNumber;
    if (theLength < frame) {
        float sum = byColumn ? HPixel() : VPixel();
        for (int line = 0; line < count; ++line) {
            sum += byColumn ? GetWidth(line) : GetHeight(line);
            if (sum >= theLength)
                return std::max(line, 1);
        }
    }
    const float defaultSize = byColumn ? itsCellWidth : itsCellHeight;
    if (defaultSize == 0)
        return 0;
    return count + static_cast<int>(std::clamp((theLength - frame) / defaultSize, -1e9F, 1e9F));
}

int FRM_CVariableGrid::GetColNumber(float theWidth)
{
    return CountFor(true, theWidth);
}

int FRM_CVariableGrid::GetRowNumber(float theHeight)
{
    return CountFor(false, theHeight);
}

void FRM_CVariableGrid::Size(const FRM_CRect& theFrame)
{
    if (itsSizingPolicy == ADJUSTCellSize) {
        FRM_CView::Size(theFrame);
        ResetWidth();
        ResetHeight();
        DoPlaceView();
        return;
    }
    SetNumCells(GetColNumber(theFrame.Width()), GetRowNumber(theFrame.Height()), 1);
}

void FRM_CVariableGrid::DoSize(const FRM_CRect& theFrame)
{
    int columns = itsColumnNumber;
    int rows = itsRowNumber;
    if (itsSizingPolicy == ADJUSTCellNumber) {
        columns = GetColNumber(theFrame.Width());
        rows = GetRowNumber(theFrame.Height());
    }
    const FRM_CPoint moved(theFrame.Left() - itsFrame.Left(), theFrame.Top() - itsFrame.Top());
    FRM_CView::Size(theFrame);
    ForEachChildTopFirst([&moved](FRM_CView* child) {
        child->Glue();
        child->DoSetOrigin(moved);
    });
    if (itsSizingPolicy == ADJUSTCellSize) {
        ResetWidth();
        ResetHeight();
        DoPlaceView();
    } else {
        SetNumCells(columns, rows, 1);
    }
}

// ---------------------------------------------------------------------------------------------
// Fitting to the views, and inserting columns

void FRM_CVariableGrid::AdjustLine(bool byColumn, int theLine, ADJUST theMode)
{
    const float minimum = byColumn ? itsMinimumDefaultCellWidth : itsMinimumDefaultCellHeight;
    float size = theMode == MAXIMIZE ? minimum : kNoSmallest;
    bool any = false;
    auto visit = [&](FRM_CSparseLineIterator& walk) {
        while (RWCollectable* item = walk.Next()) {
            const FRM_CRect frame = static_cast<FRM_CView*>(item)->GetGlobalFrame();
            const float extent = byColumn ? frame.Width() : frame.Height();
            size = theMode == MAXIMIZE ? std::max(size, extent) : std::min(size, extent);
            any = true;
        }
    };
    if (byColumn) {
        FRM_CSparseColIterator walk(&itsCells, theLine);
        visit(walk);
    } else {
        FRM_CSparseRowIterator walk(&itsCells, theLine);
        visit(walk);
    }
    if (!any || size >= kNoSmallest)
        return;
    if (byColumn)
        SizeCol(theLine, size);
    else
        SizeRow(theLine, size);
}

void FRM_CVariableGrid::AdjustRow(int theRow, ADJUST theMode)
{
    AdjustLine(false, theRow, theMode);
}

void FRM_CVariableGrid::AdjustCol(int theColumn, ADJUST theMode)
{
    AdjustLine(true, theColumn, theMode);
}

void FRM_CVariableGrid::AdjustCells(ADJUST theMode)
{
    if (GetNumViews() == 0)
        return;
    itsRowSizes.clear();
    itsColumnSizes.clear();
    FRM_CGrid::AdjustCells(theMode);
}

void FRM_CVariableGrid::ShiftColumns(int theColumn, int theCount)
{
    if (theCount < 0) {
        FrmError(kErrNegativeShift, kModule, __LINE__);
        return;
    }
    if (theCount == 0)
        return;
    itsCells.ShiftColumns(theColumn, theCount);
    Sizes shifted;
    for (const auto& [column, width] : itsColumnSizes)
        shifted[column >= theColumn ? column + theCount : column] = width;
    itsColumnSizes = std::move(shifted);
    SetNumCells(itsColumnNumber + theCount, itsRowNumber, 1);
    DoPlaceView();
}

void FRM_CVariableGrid::SetMinimumDefaultCellSize(float theWidth, float theHeight)
{
    if (theWidth < 0 || theHeight < 0) {
        FrmError(kErrNegativeMinimum, kModule, __LINE__);
        return;
    }
    itsMinimumDefaultCellWidth = theWidth;
    if (itsCellWidth < theWidth)
        ResetWidth();
    itsMinimumDefaultCellHeight = theHeight;
    if (itsCellHeight < theHeight)
        ResetHeight();
}

void FRM_CVariableGrid::GetMinimumDefaultCellSize(float* theWidth, float* theHeight) const
{
    if (theWidth != nullptr)
        *theWidth = itsMinimumDefaultCellWidth;
    if (theHeight != nullptr)
        *theHeight = itsMinimumDefaultCellHeight;
}
