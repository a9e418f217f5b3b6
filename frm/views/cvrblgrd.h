// cvrblgrd.h: FRM_CVariableGrid, the grid with a height for every row and a width for every
// column. Rows and columns never sized take the default height and width; only sized ones
// are stored. Either the frame follows the cells, or the default size of the unsized rows
// and columns follows the frame.
#pragma once

#include <cstdint>
#include <map>

#include "frm/views/cgrid.h"

class FRM_CVariableGrid : public FRM_CGrid {
    FRM_TYPE_INFO(CVariableGrid)
public:
    enum CELL_SIZING_POLICY : std::int32_t { ADJUSTGridSize = 0, ADJUSTDefaultCellSize = 1 };

    // Counts below 1 become 1; the default cell shares the region less one pixel.
    FRM_CVariableGrid(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion, int theRows,
                      int theColumns);
    // The frame runs from thePoint over the cells, plus one pixel each way.
    FRM_CVariableGrid(FRM_CSubview* theEnclosure, const FRM_CPoint& thePoint, float theHeight,
                      float theWidth, int theRows, int theColumns);
    FRM_CVariableGrid(const FRM_CVariableGrid& other) = default;
    FRM_CVariableGrid& operator=(const FRM_CVariableGrid& other) = default;

    short IVariableGrid(short isClipping, PLACEMENT thePlacement, short isGridVisible,
                        POLICY thePolicy, short isVisible, unsigned long theGlue)
    {
        return IGrid(isClipping, thePlacement, isGridVisible, thePolicy, isVisible, theGlue);
    }

    void Size(const FRM_CRect& theFrame) override;
    void DoSize(const FRM_CRect& theFrame) override;
    FRM_CRect GetCellSize(int theRow, int theColumn) override;
    int GetRow(float v) override;
    int GetCol(float h) override;
    void SizeCell(float theWidth, float theHeight) override;
    void SetNumCells(int theColumns, int theRows, short willResize) override;
    void AdjustCells(ADJUST theMode) override;
    float GetWidth(int theColumn) override;
    float GetHeight(int theRow) override;

    // Below the minimum a size becomes the minimum.
    virtual void SizeCol(int theColumn, float theWidth);
    virtual void SizeRow(int theRow, float theHeight);
    virtual void SetDefaultWidth(float theWidth) { SizeCell(theWidth, itsCellHeight); }
    virtual void SetDefaultHeight(float theHeight) { SizeCell(itsCellWidth, theHeight); }
    virtual float GetDefaultWidth() const { return itsCellWidth; }
    virtual float GetDefaultHeight() const { return itsCellHeight; }
    // Fits a row (column) to the largest or smallest view in it; an empty one keeps its size.
    virtual void AdjustRow(int theRow, ADJUST theMode);
    virtual void AdjustCol(int theColumn, ADJUST theMode);
    // Inserts theCount empty columns before theColumn (a negative count is 725).
    virtual void ShiftColumns(int theColumn, int theCount);
    // Shares the frame among the columns (rows) again; stored sizes never go below 0.
    virtual void ResetWidth();
    virtual void ResetHeight();
    // The frame encloses all cells.
    virtual void ResetFrame();
    virtual void ResetColumns();
    virtual void ResetRows();
    virtual void SetCellSizingPolicy(CELL_SIZING_POLICY thePolicy)
    {
        itsCellSizingPolicy = thePolicy;
    }
    virtual CELL_SIZING_POLICY GetCellSizingPolicy() const { return itsCellSizingPolicy; }
    // A negative minimum is 726.
    virtual void SetMinimumDefaultCellSize(float theWidth, float theHeight);
    virtual void GetMinimumDefaultCellSize(float* theWidth, float* theHeight) const;

protected:
    // How many columns (rows) a frame of the new width (height) holds.
    int GetColNumber(float theWidth);
    int GetRowNumber(float theHeight);

private:
    using Sizes = std::map<std::int32_t, float>;
    void ResetAxis(bool byColumn);
    int CountFor(bool byColumn, float theLength);
    void AdjustLine(bool byColumn, int theLine, ADJUST theMode);

    Sizes itsRowSizes;       // heights of the sized rows
    Sizes itsColumnSizes;    // widths of the sized columns
    CELL_SIZING_POLICY itsCellSizingPolicy = ADJUSTGridSize;
    float itsMinimumDefaultCellWidth;
    float itsMinimumDefaultCellHeight;
};
