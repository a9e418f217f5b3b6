// cfxdgrid.h: FRM_CFixedGrid, the grid whose cells all have one width and one height. Its
// frame is one pixel wider and higher than its cells so that the closing lines fit; cell
// size, cell count and frame stay consistent when any of them changes.
#pragma once

#include "frm/views/cgrid.h"

class FRM_CFixedGrid : public FRM_CGrid {
    FRM_TYPE_INFO(CFixedGrid)
public:
    // Counts below 1 become 1; the cells share the frame less one pixel.
    FRM_CFixedGrid(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, int theRows,
                   int theColumns);
    // The frame runs from theOrigin over the cells, plus one pixel each way.
    FRM_CFixedGrid(FRM_CSubview* theEnclosure, const FRM_CPoint& theOrigin, float theCellHeight,
                   float theCellWidth, int theRows, int theColumns);
    FRM_CFixedGrid(const FRM_CFixedGrid& other) = default;
    FRM_CFixedGrid& operator=(const FRM_CFixedGrid& other) = default;

    short IFixedGrid(short isClipping, PLACEMENT thePlacement, short isGridVisible,
                     POLICY thePolicy, short isVisible, unsigned long theGlue)
    {
        return IGrid(isClipping, thePlacement, isGridVisible, thePolicy, isVisible, theGlue);
    }

    // Empty for a cell past the row or column count; the cell just past the grid is given.
    FRM_CRect GetCellSize(int theRow, int theColumn) override;
    // -1 outside the rows (columns).
    int GetRow(float v) override;
    int GetCol(float h) override;
    float GetHeight(int) override { return itsCellHeight; }
    float GetWidth(int) override { return itsCellWidth; }
    void SizeCell(float theWidth, float theHeight) override;
    // willResize non-zero keeps the cell size and resizes the frame; 0 keeps the frame.
    void SetNumCells(int theColumns, int theRows, short willResize) override;
};
