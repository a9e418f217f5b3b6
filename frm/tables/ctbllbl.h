// ctbllbl.h: the table views a table is built from besides the plain one: the interior, which
// reports every change of its cell origin up the boss chain, and the label strips, one row of
// column headings (letters by default) and one column of row headings (numbers from 1 by
// default), which show a label where one was set.
#pragma once

#include <memory>

#include "frm/core/ctdivalue.h"
#include "frm/tables/ctblview.h"

class FRM_CTable;

class CTableInteriorView : public FRM_CTableView {
public:
    CTableInteriorView(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                       const FRM_CFont& theFont, float theRowHeight, float theColumnWidth,
                       std::int32_t theChunkRows, std::int32_t theChunkColumns);
    // Then sends an Origin notification (no table, the new cell origin) to its own DoCommand,
    // whatever the table's event style.
    void SetCellOrigin(const FRM_CCell& theCell) override;
};

class CLabels : public FRM_CTableView {
public:
    ~CLabels() override;
    // The table view's, then the strip's look: the table font, centred, a raised grey top.
    short ITableView(short isVisible, unsigned long theGlue, const FRM_CFont& theFont) override;
    // Replaces the label of a row (column) of the strip.
    virtual void SetLabel(std::int32_t theIndex, const FRM_CStringRW& theLabel);
    // The label set for the index, or null.
    virtual const FRM_CStringRW* GetLabel(std::int32_t theIndex);

protected:
    CLabels(FRM_CTable* theTable, const FRM_CFont& theFont, std::int32_t theChunkRows,
            std::int32_t theChunkColumns);
    // Labels from theAt on move by theCount; the labels of removed indexes are released.
    void InsertLabels(std::int32_t theAt, std::int32_t theCount);
    void DeleteLabels(std::int32_t theAt, std::int32_t theCount);
    // The value of a label text, valid until the next call.
    const FRM_CTdiValue* TextValue(const FRM_CStringRW& theText);

private:
    const FRM_CFont& itsInitialFont;
    FRM_CChunkArray itsData;   // label pointers, one row: index i at (i, 0); owned
    FRM_CTdiStringValue itsTempString;
};

class CRowLabels : public CLabels {
public:
    CRowLabels(FRM_CTable* theTable, const FRM_CFont& theFont, short hasColumnLabels);
    void InsertRows(std::int32_t theAt, std::int32_t theCount) override;
    void DeleteRows(std::int32_t theAt, std::int32_t theCount) override;
    // The given rows, columns 0 to 2.
    void SetCellBounds(const FRM_CBounds& theBounds) override;
    // The row's label, or its number counted from 1.
    const FRM_CTdiValue* GetData(const FRM_CCell& theCell) override;
};

class CColumnLabels : public CLabels {
public:
    CColumnLabels(FRM_CTable* theTable, const FRM_CFont& theFont, short hasRowLabels);
    void InsertColumns(std::int32_t theAt, std::int32_t theCount) override;
    void DeleteColumns(std::int32_t theAt, std::int32_t theCount) override;
    // The given columns, rows 0 to 2.
    void SetCellBounds(const FRM_CBounds& theBounds) override;
    // The column's label, or its letters.
    const FRM_CTdiValue* GetData(const FRM_CCell& theCell) override;

    // Column 0 is "A", 25 "Z", 26 "BA", 675 "ZZ", 676 "BAA".
    static FRM_CStringRW ColumnLetters(std::int32_t theColumn);
};
