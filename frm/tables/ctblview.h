// ctblview.h: FRM_CTableView, the scrolling grid of a table. It owns the table's attributes
// (with the selection) and coordinates, keeps the top-left visible cell (the cell origin) and
// the pixel origin, draws the visible cells column by column through their interpreters,
// keeps up to two scroll bars in step, tracks the one focused cell and passes data requests
// to an optional source.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "frm/tables/ctblatr.h"
#include "frm/tables/ctblcord.h"
#include "frm/tables/ctblintp.h"
#include "frm/views/csubview.h"

class FRM_CDrawingContext;
class FRM_CFont;
class FRM_CTableSource;
class FRM_CTdiValue;
class FRM_NScrollBar;

class FRM_CTableView : public FRM_CSubview {
    FRM_TYPE_INFO(CTableView)
public:
    // The cells a table shows at first.
    static constexpr std::int32_t kInitialCellBound = 32767;

    // A row height (column width) of 0 takes the size suggested for the font.
    FRM_CTableView(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                   const FRM_CFont& theTableFont, float theDefaultRowHeight = 0,
                   float theDefaultColumnWidth = 0, std::int32_t theChunkRows = 127,
                   std::int32_t theChunkColumns = 31);
    FRM_CTableView(const FRM_CTableView&) = delete;
    FRM_CTableView& operator=(const FRM_CTableView&) = delete;
    ~FRM_CTableView() override;

    // Unless table attributes are set already, gives the table its defaults: the font, the
    // view's colours, left justification, a text interpreter, single top and left borders.
    virtual short ITableView(short isVisible, unsigned long theGlue, const FRM_CFont& theFont);
    virtual void SetScrollIncrement(FRM_CPoint theIncrement);
    virtual void SetTable(const FRM_CTableAttributes& theAttributes, short conform);
    // Vertical bar first; a new bar is brought in step at once. Not owned.
    virtual void AssociateScrollBars(FRM_NScrollBar* theVScrollBar, FRM_NScrollBar* theHScrollBar);
    // Clamped to the cell bounds (the last row and column end at the view's edges when the
    // table is scrolled to its end) and to 0; moves the pixels and the scroll bars.
    virtual void SetCellOrigin(const FRM_CCell& theCell);
    virtual FRM_CCell GetCellOrigin() const { return itsCellOrigin; }
    virtual void SetPixelOrigin(const FRM_CPoint& thePointOrigin);
    virtual FRM_CPoint GetPixelOrigin() const { return itsCoordinates.GetOrigin(); }
    // Cells leaving the bounds are hidden by their interpreters first.
    virtual void SetCellBounds(const FRM_CBounds& theBounds);
    virtual FRM_CBounds GetCellBounds() const { return itsCellBounds; }
    virtual void SetCellClipping(short isClipping) { itsCellClipping = isClipping; }
    virtual short GetCellClipping() const { return itsCellClipping; }
    virtual void SetRow(std::int32_t theRow, const FRM_CTableAttributes& theAttributes,
                        short conform);
    virtual void SetRow(std::int32_t theRow, float theHeight);
    virtual void InsertRows(std::int32_t theAt, std::int32_t theCount);
    virtual void DeleteRows(std::int32_t theAt, std::int32_t theCount);
    virtual void SetColumn(std::int32_t theColumn, const FRM_CTableAttributes& theAttributes,
                           short conform);
    virtual void SetColumn(std::int32_t theColumn, float theWidth);
    virtual void InsertColumns(std::int32_t theAt, std::int32_t theCount);
    virtual void DeleteColumns(std::int32_t theAt, std::int32_t theCount);
    virtual void SetCell(const FRM_CCell& theCell, const FRM_CTableAttributes& theAttributes);
    // Null clears the focus. A cell whose interpreter refuses leaves no cell focused.
    virtual void SetFocus(const FRM_CCell* theCell);
    virtual const FRM_CCell* GetFocus() const { return itsFocus.get(); }
    // Each invalidates only what is visible, and nothing while the view is hidden.
    virtual void InvalidateRow(std::int32_t theRow);
    virtual void InvalidateColumn(std::int32_t theColumn);
    virtual void InvalidateCell(const FRM_CCell& theCell);
    virtual void InvalidateBounds(const FRM_CBounds& theBounds);
    virtual void InvalidateRegion(const FRM_CRegion& theRegion);
    virtual void InvalidateSelection();
    // Fills the parameters for a cell from the view's own scratch fields (valid until the
    // next call): the effective attributes, the local frame as clip, the cell's rectangle in
    // local coordinates. The caller sets the context first; it takes the attributes.
    virtual void CellToParameters(const FRM_CCell& theCell,
                                  CTableInterpreterParameters* theParameters);
    // Combines into theAttributes the table's, the column's, the row's and the cell's sets.
    virtual void CellToAttributes(const FRM_CCell& theCell, FRM_CTableAttributes& theAttributes);
    virtual void SetSource(FRM_CTableSource* theSource) { itsSource = theSource; }
    virtual const FRM_CTableSource* GetSource() const { return itsSource; }
    virtual FRM_CTableSource* GetSource() { return itsSource; }
    // Null without a source.
    virtual const FRM_CTdiValue* GetData(const FRM_CCell& theCell);
    // 0 (refused) without a source.
    virtual short PutData(const FRM_CCell& theCell, const FRM_CTdiValue* theValue);
    virtual void ChangeDrawingContext(FRM_CDrawingContext* theContext,
                                      FRM_CTableAttributes& theAttributes);
    virtual void DrawColumnBackground(std::int32_t theColumn, std::int32_t theFirstRow,
                                      std::int32_t theLastRow, FRM_CTableAttributes& theAttributes);
    virtual void DrawRowBackground(std::int32_t theRow, std::int32_t theFirstColumn,
                                   std::int32_t theLastColumn, FRM_CTableAttributes& theAttributes);
    virtual void DrawColumn(const FRM_CRect& theClip, std::int32_t theColumn,
                            std::int32_t theFirstRow, std::int32_t theLastRow,
                            FRM_CTableAttributes& theColumnAttributes,
                            std::vector<FRM_CTableAttributes>& theRowAttributes);
    // The proposed origin pulled back so that the table does not run past its last row and
    // column; theOffset (when given) gets the pixels by which the last cell overhangs.
    virtual FRM_CCell OriginWithinBounds(const FRM_CCell& aProposedOrigin, FRM_CPoint* theOffset);
    virtual void AdjustVScrollBar();
    virtual void AdjustHScrollBar();

    void MouseDouble(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void Draw(const FRM_CRect& theClip) override;
    void Size(const FRM_CRect& theFrame) override;
    void HScroll(e_scroll_ctl theAction, float thePosition) override;
    void VScroll(e_scroll_ctl theAction, float thePosition) override;

    FRM_CTableAttributeArray& GetAttributes() { return itsAttributes; }
    const FRM_CTableAttributeArray& GetAttributes() const { return itsAttributes; }
    FRM_CTableCoordinates& GetCoordinates() { return itsCoordinates; }
    const FRM_CTableCoordinates& GetCoordinates() const { return itsCoordinates; }
    short IsFlushRight() const { return itsOverRanRight; }
    short IsFlushBottom() const { return itsOverRanBottom; }

private:
    // The visible cells: those the local frame touches.
    FRM_CBounds VisibleCells();
    // The cell's rectangle in local coordinates.
    FRM_CRect CellRect(const FRM_CCell& theCell);
    // Paints a whole band of cells in the attributes' background, if they set one.
    void PaintBand(const FRM_CBounds& theBand, FRM_CTableAttributes& theAttributes);
    void TellInterpretersScroll(const FRM_CPoint& theDelta);
    void ReleaseCellViewsFrom(const FRM_CCell& theFirst);
    void AdjustScrollBar(FRM_NScrollBar* theBar, bool isVertical);

    std::unique_ptr<FRM_CCell> itsFocus;
    FRM_CCell itsCellOrigin;
    short itsOverRanRight = 0;
    short itsOverRanBottom = 0;
    FRM_CBounds itsCellBounds{0, 0, kInitialCellBound, kInitialCellBound};
    short itsCellClipping = 1;
    FRM_CTableAttributeArray itsAttributes;
    FRM_CTableCoordinates itsCoordinates;
    FRM_NScrollBar* itsVScrollBar = nullptr;   // not owned
    FRM_NScrollBar* itsHScrollBar = nullptr;   // not owned
    float itsVScrollIncrement = 0;
    float itsHScrollIncrement = 0;
    FRM_CTableSource* itsSource = nullptr;     // not owned
    FRM_CTableAttributes itsTempAttribute;
    FRM_CRect itsTempClip;
    FRM_CCell itsTempCell;
    FRM_CRect itsTempCellBounds;
};
