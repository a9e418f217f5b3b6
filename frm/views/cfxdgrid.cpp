// cfxdgrid.cpp: the fixed grid's arithmetic.
#include "frm/views/cfxdgrid.h"

#include <algorithm>

FRM_CFixedGrid::FRM_CFixedGrid(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, int theRows,
                               int theColumns)
    : FRM_CGrid(theEnclosure, theFrame)
{
    itsRowNumber = std::max(theRows, 1);
    itsColumnNumber = std::max(theColumns, 1);
    itsCellWidth = (theFrame.Width() - HPixel()) / static_cast<float>(itsColumnNumber);
    itsCellHeight = (theFrame.Height() - VPixel()) / static_cast<float>(itsRowNumber);
}

FRM_CFixedGrid::FRM_CFixedGrid(FRM_CSubview* theEnclosure, const FRM_CPoint& theOrigin,
                               float theCellHeight, float theCellWidth, int theRows,
                               int theColumns)
    : FRM_CGrid(theEnclosure, FRM_CRect(theOrigin, theOrigin))
{
    itsRowNumber = std::max(theRows, 1);
    itsColumnNumber = std::max(theColumns, 1);
    itsCellWidth = theCellWidth;
    itsCellHeight = theCellHeight;
    itsFrame =
        FRM_CRect(theOrigin.H(), theOrigin.V(),
                  theOrigin.H() + static_cast<float>(itsColumnNumber) * theCellWidth + HPixel(),
                  theOrigin.V() + static_cast<float>(itsRowNumber) * theCellHeight + VPixel());
    SetGlue(GetGlue());   // the glue measures the final frame
}

FRM_CRect FRM_CFixedGrid::GetCellSize(int theRow, int theColumn)
{
    if (theRow < 0 || theColumn < 0 || theRow > itsRowNumber || theColumn > itsColumnNumber)
        return FRM_CRect(0, 0, 0, 0);
    return FRM_CRect(static_cast<float>(theColumn) * itsCellWidth,
                     static_cast<float>(theRow) * itsCellHeight,
                     static_cast<float>(theColumn + 1) * itsCellWidth,
                     static_cast<float>(theRow + 1) * itsCellHeight);
}

int FRM_CFixedGrid::GetRow(float v)
{
    if (v < 0 || itsCellHeight <= 0 || v / itsCellHeight >= static_cast<float>(itsRowNumber))
        return -1;
    return std::min(static_cast<int>(v / itsCellHeight), itsRowNumber - 1);
}

int FRM_CFixedGrid::GetCol(float h)
{
    if (h < 0 || itsCellWidth <= 0 || h / itsCellWidth >= static_cast<float>(itsColumnNumber))
        return -1;
    return std::min(static_cast<int>(h / itsCellWidth), itsColumnNumber - 1);
}

void FRM_CFixedGrid::SizeCell(float theWidth, float theHeight)
{
    itsCellWidth = theWidth;
    itsCellHeight = theHeight;
    FRM_CRect frame = itsFrame;
    frame.Width(static_cast<float>(itsColumnNumber) * theWidth + HPixel());
    frame.Height(static_cast<float>(itsRowNumber) * theHeight + VPixel());
    FRM_CView::Size(frame);
    DoPlaceView();
}

void FRM_CFixedGrid::SetNumCells(int theColumns, int theRows, short willResize)
{
    FRM_CGrid::SetNumCells(theColumns, theRows, willResize);
    if (willResize) {
        FRM_CRect frame = itsFrame;
        frame.Width(static_cast<float>(itsColumnNumber) * itsCellWidth + HPixel());
        frame.Height(static_cast<float>(itsRowNumber) * itsCellHeight + VPixel());
        FRM_CView::Size(frame);
        return;
    }
    itsCellWidth = (itsFrame.Width() - HPixel()) / static_cast<float>(itsColumnNumber);
    itsCellHeight = (itsFrame.Height() - VPixel()) / static_cast<float>(itsRowNumber);
    DoPlaceView();
}
