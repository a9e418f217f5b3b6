// ctable.h: FRM_CTable, the table widget a window holds: an interior table view with the
// cells, optional column labels above it and row labels beside it, optional scroll bars and
// a mouse handler. It keeps the settings of the whole widget (selection policy, event style,
// font, default sizes, thumb tracking), passes every operation on to its parts and wraps each
// change in table events. Row -1 addresses the column-label strip, column -1 the row labels.
#pragma once

#include <cstdint>
#include <memory>

#include "frm/views/nscrllbr.h"
#include "frm/drawing/cfont.h"
#include "frm/tables/ctbllbl.h"
#include "frm/tables/ctblevt.h"
#include "frm/tables/ctblsrc.h"

class FRM_CMouseHandler;

class FRM_CTable : public FRM_CSubview, public FRM_CTableSourceHost {
    FRM_TYPE_INFO(CTable)
public:
    enum SelectionPolicy : std::int32_t {
        None = 0,
        SingleRow = 1,
        MandatoryRow = 2,
        MultipleRow = 3,
        SingleColumn = 4,
        MandatoryColumn = 5,
        MultipleColumn = 6,
        SingleCell = 7,
        MandatoryCell = 8,
        MultipleCell = 9,
    };
    // The smallest row height and column width the table gives.
    static constexpr float kMinRowHeight = 10;
    static constexpr float kMinColumnWidth = 15;
    // The cursor shown over a label border.
    static constexpr short kSplitCursor = 2;

    // A row height (column width) of 0 takes the size suggested for the font. No part exists
    // until ITable.
    FRM_CTable(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, const FRM_CFont& theFont,
               float theRowHeight = 0, float theColumnWidth = 0, std::int32_t theChunkRows = 127,
               std::int32_t theChunkColumns = 31);
    FRM_CTable(const FRM_CTable&) = delete;
    FRM_CTable& operator=(const FRM_CTable&) = delete;
    ~FRM_CTable() override;

    // Builds (or removes) the parts the flags ask for; may be called again.
    short ITable(SelectionPolicy thePolicy, short hasHScrollBar, short hasVScrollBar,
                 short hasColumnLabels, short hasRowLabels, short isThumbTracking, short isVisible,
                 unsigned long theGlue);

    virtual void SetTable(const FRM_CTableAttributes& theAttributes, short conform);
    virtual const FRM_CTableAttributes* GetTableAttributes();
    virtual void SetCellOrigin(const FRM_CCell& theCell);
    virtual FRM_CCell GetCellOrigin() const;
    void SetCellBounds(const FRM_CBounds& theBounds) override;
    FRM_CBounds GetCellBounds() const override;
    // The local frame less the bars and the label strips.
    virtual FRM_CRect GetLocalInterior() const;
    virtual void SetThumbTracking(short isOn) { itIsThumbtracking = isOn; }
    virtual void MakeRowVisible(std::int32_t theRow);
    virtual void MakeColumnVisible(std::int32_t theColumn);
    // Scrolls as little as shows the cell whole; no event when it shows already.
    virtual void MakeCellVisible(const FRM_CCell& theCell);
    virtual void InsertColumns(std::int32_t theAt, std::int32_t theCount);
    virtual void DeleteColumns(std::int32_t theAt, std::int32_t theCount);
    virtual void InsertRows(std::int32_t theAt, std::int32_t theCount);
    virtual void DeleteRows(std::int32_t theAt, std::int32_t theCount);
    virtual void SetSelectionPolicy(SelectionPolicy thePolicy) { itsSelectionPolicy = thePolicy; }
    virtual SelectionPolicy GetSelectionPolicy() const { return itsSelectionPolicy; }
    virtual void SelectCells(const FRM_CBounds& theBounds, short select);
    virtual void SelectRow(std::int32_t theRow, short select);
    virtual void SelectColumn(std::int32_t theColumn, short select);
    virtual void SelectCell(const FRM_CCell& theCell, short select);
    virtual void SetSelectedRegion(const FRM_CRegion& theRegion);
    virtual const FRM_CRegion& GetSelectedRegion() const;
    // Also clears the focus.
    virtual void DeselectAll();
    virtual short IsRowSelected(std::int32_t theRow) const;
    virtual short IsColumnSelected(std::int32_t theColumn) const;
    virtual short IsCellSelected(const FRM_CCell& theCell) const;
    // Between cells and table-local positions.
    virtual FRM_CPoint ToScreen(const FRM_CCell& theCell);
    virtual FRM_CRect ToScreen(const FRM_CBounds& theBounds);
    virtual FRM_CCell ToCell(const FRM_CPoint& thePoint);
    virtual FRM_CBounds ToCell(const FRM_CRect& theRect);
    virtual void SetDefaultRowHeight(float theHeight);
    virtual void SetDefaultColumnWidth(float theWidth);
    virtual float GetDefaultRowHeight() const { return itsDefaultRowHeight; }
    virtual float GetDefaultColumnWidth() const { return itsDefaultColumnWidth; }
    virtual void SetRow(std::int32_t theRow, const FRM_CStringRW& theLabel);
    virtual void SetRow(std::int32_t theRow, const FRM_CTableAttributes& theAttributes,
                        short conform);
    // At least the smallest height; row -1 is the column-label strip.
    virtual void SetRow(std::int32_t theRow, float theHeight);
    virtual const FRM_CTableAttributes* GetRowAttributes(std::int32_t theRow);
    virtual void SetColumn(std::int32_t theColumn, const FRM_CStringRW& theLabel);
    virtual void SetColumn(std::int32_t theColumn, const FRM_CTableAttributes& theAttributes,
                           short conform);
    virtual void SetColumn(std::int32_t theColumn, float theWidth);
    virtual const FRM_CTableAttributes* GetColumnAttributes(std::int32_t theColumn);
    virtual void SetCell(const FRM_CCell& theCell, const FRM_CTableAttributes& theAttributes);
    virtual const FRM_CTableAttributes* GetCellAttributes(const FRM_CCell& theCell);
    // A cell outside the bounds or read-only does not take the focus.
    virtual void SetFocus(const FRM_CCell* theCell);
    virtual const FRM_CCell* GetFocus() const;
    virtual void SetEventStyle(std::int32_t theStyle) { itsEventStyle = theStyle; }
    virtual std::int32_t GetEventStyle() const { return itsEventStyle; }
    virtual float LabelWidth(const FRM_CFont& theFont) const;
    virtual float LabelHeight(const FRM_CFont& theFont) const;
    void SetSource(FRM_CTableSource* theSource) override;
    FRM_CTableSource* GetSource() const override;

    FRM_CTableView* GetTableView() const { return itsTable; }
    FRM_CTableView* GetRowLabels() const { return itsRowLabels; }
    FRM_CTableView* GetColumnLabels() const { return itsColumnLabels; }
    FRM_NScrollBar* GetHScrollBar() const { return itsHScrollBar; }
    FRM_NScrollBar* GetVScrollBar() const { return itsVScrollBar; }
    FRM_CMouseHandler* GetMouseHandler() const { return itsTableMouseHandler.get(); }
    const FRM_CFont& GetTableFont() const { return itsTableFont; }

    void DoCommand(long theCommand, void* theData) override;
    void DoKey(const FRM_CKey& theKey) override;
    void HScroll(e_scroll_ctl theAction, float thePosition) override;
    void VScroll(e_scroll_ctl theAction, float thePosition) override;
    short ClassCanGetKeyFocus() const override { return 1; }

protected:
    virtual FRM_CMouseHandler* CreateMouseHandler();
    virtual CRowLabels* CreateRowLabels(short hasColumnLabels);
    virtual CColumnLabels* CreateColumnLabels(short hasRowLabels);
    virtual FRM_CTableView* CreateMainTable();
    virtual FRM_NScrollBar* CreateScrollBar(const FRM_CRect& theFrame, DIRECTION theDirection,
                                            short isVisible);

private:
    // Runs theChange under the event protocol with this table as the sender.
    template <class Change>
    short Deliver(FRM_CTableEvent theEvent, Change&& theChange)
    {
        return FrmDeliverTableChange(*this, itsEventStyle, theEvent, theChange);
    }
    // Brings the labels' scroll positions in line with the interior's.
    void SynchronizeLabelsToInterior();
    // Moves the selection to the neighbour of the one selected row, column or cell; true
    // when the key was of that kind.
    bool MoveSelection(std::uint16_t theKey);
    void PlaceScrollBar(FRM_NScrollBar*& theBar, short isWanted, bool isVertical,
                        short hasOther, short isVisible);
    void InvalidateFrom(FRM_CTableView* theView, std::int32_t theRow, std::int32_t theColumn);
    void ChangeLines(bool isRows, bool isInsert, std::int32_t theAt, std::int32_t theCount);

    SelectionPolicy itsSelectionPolicy = None;
    std::int32_t itsEventStyle = EventNotify;
    FRM_CFont itsTableFont;
    float itsDefaultRowHeight;
    float itsDefaultColumnWidth;
    std::int32_t itsChunkRows;
    std::int32_t itsChunkColumns;
    short itUsesWinScrollBars = 0;
    short itIsThumbtracking = 0;
    FRM_NScrollBar* itsHScrollBar = nullptr;   // subviews: the view tree deletes them
    FRM_NScrollBar* itsVScrollBar = nullptr;
    CRowLabels* itsRowLabels = nullptr;        // subviews deleted by the table
    CColumnLabels* itsColumnLabels = nullptr;
    FRM_CTableView* itsTable = nullptr;
    FRM_CTableSource* itsPendingSource = nullptr;   // given before ITable made the interior
    std::unique_ptr<FRM_CMouseHandler> itsTableMouseHandler;
};

// The selection of a table's interior: by rectangle, by cell, by whole row, by whole column.
class FRM_CTableSelectionIterator : public FRM_CSelectionIterator {
public:
    explicit FRM_CTableSelectionIterator(const FRM_CTable& theTable)
        : FRM_CSelectionIterator(theTable.GetTableView()->GetAttributes()) {}
};

class FRM_CTableSelectionCellIterator : public FRM_CSelectionCellIterator {
public:
    explicit FRM_CTableSelectionCellIterator(const FRM_CTable& theTable)
        : FRM_CSelectionCellIterator(theTable.GetTableView()->GetAttributes()) {}
};

class FRM_CTableSelectionRowIterator : public FRM_CSelectionRowIterator {
public:
    explicit FRM_CTableSelectionRowIterator(const FRM_CTable& theTable)
        : FRM_CSelectionRowIterator(theTable.GetTableView()->GetAttributes()) {}
};

class FRM_CTableSelectionColumnIterator : public FRM_CSelectionColumnIterator {
public:
    explicit FRM_CTableSelectionColumnIterator(const FRM_CTable& theTable)
        : FRM_CSelectionColumnIterator(theTable.GetTableView()->GetAttributes()) {}
};
