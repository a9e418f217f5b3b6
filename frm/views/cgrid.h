// cgrid.h: FRM_CGrid, a subview that lays its views out in the cells of a grid. Each cell
// holds at most one view, placed against one corner of the cell; the grid keeps the views in
// their cells when it is resized, moves them cell by cell when they are dragged, and draws
// its frame and the lines between cells. The cell geometry comes from a subclass (the fixed
// and the variable grid). The subview part owns the views; the cell map only points to them.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "frm/core/csprsarr.h"
#include "frm/views/csubview.h"

class FRM_CGrid : public FRM_CSubview {
    FRM_TYPE_INFO(CGrid)
public:
    enum PLACEMENT : std::int32_t { TOPLEFT = 5, BOTTOMLEFT = 6, TOPRIGHT = 9, BOTTOMRIGHT = 10 };
    enum POLICY : std::int32_t { ADJUSTCellSize = 0, ADJUSTCellNumber = 1 };
    enum ADJUST : std::int32_t { MAXIMIZE = 0, MINIMIZE = 1 };

    ~FRM_CGrid() override;

    short IGrid(short isClipping, PLACEMENT thePlacement, short isGridVisible, POLICY thePolicy,
                short isVisible, unsigned long theGlue);

    virtual void SetClipping(short isClipping) { itIsClipping = isClipping; }
    virtual short IsClipping() const { return itIsClipping; }
    // Stores the placement and places every view again.
    virtual void SetPlacement(PLACEMENT thePlacement);
    virtual PLACEMENT GetPlacement() const { return itsPlacement; }
    virtual void ShowGrid() { itIsGridVisible = 1; }
    virtual void HideGrid() { itIsGridVisible = 0; }
    virtual short IsGridVisible() const { return itIsGridVisible; }
    virtual short DrawsVertical() const { return itDrawsVertical; }
    virtual short DrawsHorizontal() const { return itDrawsHorizontal; }
    virtual void SetVerticalDrawing(short isOn) { itDrawsVertical = isOn; }
    virtual void SetHorizontalDrawing(short isOn) { itDrawsHorizontal = isOn; }
    virtual void SetSnapping(short isSnapping);
    virtual short IsSnapping() const { return itIsSnapping; }
    // Takes the view out of the cell map and the subviews; 1 when the map held it.
    virtual short Remove(FRM_CView* theView);
    // The view of a valid cell (709 otherwise), out of the map and the subviews; not deleted.
    virtual FRM_CView* Remove(int theRow, int theColumn);
    // The cell from the view's frame; a null view is 702.
    virtual void Insert(FRM_CView* theView);
    // The view must be non-null (700), a subview of this grid already (701), the cell valid (707).
    virtual void Insert(FRM_CView* theView, int theRow, int theColumn);
    virtual FRM_CView* Replace(FRM_CView* theView);
    // The old view of a valid cell (708 otherwise), out of the cell but still a subview.
    virtual FRM_CView* Replace(FRM_CView* theView, int theRow, int theColumn);
    virtual FRM_CView* GetContents(const FRM_CPoint& thePoint);
    virtual FRM_CView* GetContents(int theRow, int theColumn);
    virtual int GetNumRows() const { return itsRowNumber; }
    virtual int GetNumCols() const { return itsColumnNumber; }
    // The cell of the rectangle's placement corner; 0 for a coordinate outside the grid.
    virtual void GetPosition(const FRM_CRect& theRect, int* theRow, int* theColumn);
    // The view's cell, or -1 and -1.
    virtual void GetPosition(const FRM_CView* theView, int* theRow, int* theColumn);
    // Cell geometry, in the grid's local coordinates.
    virtual FRM_CRect GetCellSize(int theRow, int theColumn) = 0;
    virtual int GetRow(float v) = 0;
    virtual int GetCol(float h) = 0;
    virtual short Validate(int theRow, int theColumn) const;
    virtual void SizeCell(float theWidth, float theHeight) = 0;
    // Counts below 1 become 1. Views of rows or columns that fall outside go out of sight;
    // those that come back are placed again (rows only when willResize is set).
    virtual void SetNumCells(int theColumns, int theRows, short willResize);
    virtual void AdjustCells(ADJUST theMode);
    virtual float GetWidth(int theColumn) = 0;
    virtual float GetHeight(int theRow) = 0;
    virtual POLICY GetSizingPolicy() const { return itsSizingPolicy; }
    virtual void SetSizingPolicy(POLICY thePolicy) { itsSizingPolicy = thePolicy; }
    virtual void SetPlacementOffset(const FRM_CPoint& theOffset) { itsPlacementOffset = theOffset; }
    virtual FRM_CPoint GetPlacementOffset() const { return itsPlacementOffset; }
    // Places every view of the cell map in its cell (while snapping and not suspended).
    virtual void DoPlaceView();
    virtual void PlaceView(FRM_CView* theView, int theRow, int theColumn);
    // Empties the cell map and destroys every subview.
    virtual void DoClear();

    // FRM_CView and FRM_CSubview
    void MouseDouble(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    FRM_CView* FindHitView(const FRM_CPoint& thePoint) override;
    void Draw(const FRM_CRect& theClip) override;
    void DoDraw(const FRM_CRect& theClip) override;
    void Size(const FRM_CRect& theFrame) override;
    // Every pointer event reaches the grid itself, which passes it to the view in the cell.
    FRM_CView* FindEventTarget(const FRM_CPoint& thePoint) override;
    // With clipping, the view of the cell under the point, found by arithmetic: views are hit
    // only within their cells.
    FRM_CView* FindSubview(const FRM_CPoint& thePoint) override;
    using FRM_CSubview::FindSubview;
    void RemoveSubview(FRM_CView* theView) override;

    void Suspend() { itIsSuspended = 1; }
    // Places every view once and redraws the grid.
    void Resume();
    short IsSuspended() const { return itIsSuspended; }

protected:
    FRM_CGrid(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame);
    FRM_CGrid(const FRM_CGrid& other);
    FRM_CGrid& operator=(const FRM_CGrid& other);

    // Remembers how far the point lies inside the placement corner of its cell.
    void SetDragPoint(const FRM_CPoint& thePoint, FRM_CView* theView);
    // Moves a view of the cell map to another cell; a row or column of -1 comes from the
    // view's frame. A view already in the target cell is destroyed.
    void ResetCell(FRM_CView* theView, int theRow, int theColumn);
    FRM_CView* GetHitItem(const FRM_CPoint& theLocalPoint);
    // One pixel in the grid's logical units, horizontally and vertically.
    float HPixel() const;
    float VPixel() const;

    float itsCellWidth = 0;
    float itsCellHeight = 0;
    std::int32_t itsRowNumber = 1;
    std::int32_t itsColumnNumber = 1;
    POLICY itsSizingPolicy = ADJUSTCellSize;
    FRM_CSparseArray itsCells;
    // How many cells hold each view: removing a view that no cell holds needs no search.
    std::unordered_map<const FRM_CView*, int> itsCellsOfView;
    short itDrawsVertical = 1;
    short itDrawsHorizontal = 1;
    short itIsSuspended = 0;
    short itIsClipping = 1;
    PLACEMENT itsPlacement = TOPLEFT;
    FRM_CPoint itsPlacementOffset;
    FRM_CPoint itsDragPoint{-1, -1};
    FRM_CPoint itsStartPoint;
    short itIsHit = 1;
    short itIsGridVisible = 1;
    short itIsSnapping = 1;

private:
    // The cell map's changes, keeping the count of views it holds.
    void MapInsert(FRM_CView* theView, int theRow, int theColumn);
    FRM_CView* MapRemove(int theRow, int theColumn);
    bool MapRemove(FRM_CView* theView);
    void ForgetCellOf(const FRM_CView* theView);

    long itsCellViews = 0;    // views in the cell map
    // The cell under a local point, coordinates below 0 counting as 0.
    void CellUnder(const FRM_CPoint& theLocalPoint, int* theRow, int* theColumn);
    FRM_CPoint CornerOf(const FRM_CRect& theCell) const;
    FRM_CView* MouseTarget(const FRM_CPoint& theLocalPoint);
    // Like MouseTarget, except that a press on the view of another cell goes to that view.
    FRM_CView* PressTarget(const FRM_CPoint& theLocalPoint);
    // The grid's wire frame when it may move or size the grid, else null.
    FRM_CWireFrame* ActiveWireFrame() const;
    // Moves the selected views of theFrame's group that sit in this grid by whole cells.
    void MoveGroup(const FRM_CWireFrame* theFrame, int theRows, int theColumns);
};
