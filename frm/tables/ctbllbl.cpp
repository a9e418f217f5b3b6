// ctbllbl.cpp: the interior's origin report and the label strips.
#include "frm/tables/ctbllbl.h"

#include <string>

#include "frm/tables/ctable.h"
#include "frm/tables/ctblevt.h"

namespace {

constexpr unsigned long kLabelGrey = 0x0AC0C0C0;

using LabelPointer = FRM_CStringRW*;

}   // namespace

// ---------------------------------------------------------------------------------------------
// CTableInteriorView

CTableInteriorView::CTableInteriorView(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                                       const FRM_CFont& theFont, float theRowHeight,
                                       float theColumnWidth, std::int32_t theChunkRows,
                                       std::int32_t theChunkColumns)
    : FRM_CTableView(theEnclosure, theFrame, theFont, theRowHeight, theColumnWidth, theChunkRows,
                     theChunkColumns)
{
}

void CTableInteriorView::SetCellOrigin(const FRM_CCell& theCell)
{
    FRM_CTableView::SetCellOrigin(theCell);
    const FRM_CCell origin = GetCellOrigin();
    FRM_CTableEvent event(nullptr, FRM_CTableEvent::Origin, &origin, 1);
    DoCommand(FRM_CTableEvent::kTableEventCommand, &event);
}

// ---------------------------------------------------------------------------------------------
// CLabels

CLabels::CLabels(FRM_CTable* theTable, const FRM_CFont& theFont, std::int32_t theChunkRows,
                 std::int32_t theChunkColumns)
    : FRM_CTableView(theTable, FRM_CRect(-1, -1, 0, 0), theFont, theTable->GetDefaultRowHeight(),
                     theTable->GetDefaultColumnWidth(), theChunkRows, theChunkColumns),
      itsInitialFont(theFont), itsData(sizeof(LabelPointer), 1, 64)
{
}

CLabels::~CLabels()
{
    FRM_CChunkArrayIterator it(itsData);
    FRM_CCell cell;
    while (void* value = it.Next(&cell))
        delete *static_cast<LabelPointer*>(value);
}

short CLabels::ITableView(short isVisible, unsigned long theGlue, const FRM_CFont& theFont)
{
    const short result = FRM_CTableView::ITableView(isVisible, theGlue, theFont);
    if (result) {
        FRM_CTableAttributes look;
        look.Font(itsInitialFont);
        look.Justification(FRM_CTableAttributes::JustifyCenter);
        look.TopBorder({FRM_CTableAttributes::BorderRaised, kLabelGrey});
        look.LeftBorder({FRM_CTableAttributes::BorderNone, kLabelGrey});
        look.BottomBorder({FRM_CTableAttributes::BorderNone, kLabelGrey});
        look.RightBorder({FRM_CTableAttributes::BorderNone, kLabelGrey});
        SetTable(look, 0);
    }
    return result;
}

void CLabels::SetLabel(std::int32_t theIndex, const FRM_CStringRW& theLabel)
{
    if (theIndex < 0)
        return;
    LabelPointer old = nullptr;
    itsData.Get(FRM_CCell(theIndex, 0), &old);
    delete old;
    LabelPointer label = new FRM_CStringRW(theLabel);
    itsData.Set(FRM_CCell(theIndex, 0), &label);
}

const FRM_CStringRW* CLabels::GetLabel(std::int32_t theIndex)
{
    LabelPointer label = nullptr;
    if (theIndex >= 0)
        itsData.Get(FRM_CCell(theIndex, 0), &label);
    return label;
}

void CLabels::InsertLabels(std::int32_t theAt, std::int32_t theCount)
{
    itsData.InsertColumns(theAt, theCount);
}

void CLabels::DeleteLabels(std::int32_t theAt, std::int32_t theCount)
{
    for (std::int32_t index = theAt; index < theAt + theCount; ++index) {
        LabelPointer label = nullptr;
        itsData.Get(FRM_CCell(index, 0), &label);
        delete label;
    }
    itsData.DeleteColumns(theAt, theCount);
}

const FRM_CTdiValue* CLabels::TextValue(const FRM_CStringRW& theText)
{
    itsTempString = FRM_CTdiStringValue(theText, nullptr, 0);
    return &itsTempString;
}

// ---------------------------------------------------------------------------------------------
// CRowLabels

CRowLabels::CRowLabels(FRM_CTable* theTable, const FRM_CFont& theFont, short hasColumnLabels)
    : CLabels(theTable, theFont, 128, 1)
{
    const float width = theTable->LabelWidth(theFont);
    GetCoordinates().SetColumnWidth(0, width);
    Size(FRM_CRect(0, hasColumnLabels ? theTable->LabelHeight(theFont) : 0, width,
                   theTable->GetLocalInterior().Bottom()));
}

void CRowLabels::InsertRows(std::int32_t theAt, std::int32_t theCount)
{
    InsertLabels(theAt, theCount);
    FRM_CTableView::InsertRows(theAt, theCount);
}

void CRowLabels::DeleteRows(std::int32_t theAt, std::int32_t theCount)
{
    DeleteLabels(theAt, theCount);
    FRM_CTableView::DeleteRows(theAt, theCount);
}

void CRowLabels::SetCellBounds(const FRM_CBounds& theBounds)
{
    FRM_CTableView::SetCellBounds(FRM_CBounds(theBounds.Top(), 0, theBounds.Bottom(), 2));
}

const FRM_CTdiValue* CRowLabels::GetData(const FRM_CCell& theCell)
{
    if (const FRM_CStringRW* label = GetLabel(theCell.V()))
        return TextValue(*label);
    return TextValue(FRM_CStringRW(std::to_string(static_cast<long>(theCell.V()) + 1).c_str()));
}

// ---------------------------------------------------------------------------------------------
// CColumnLabels

CColumnLabels::CColumnLabels(FRM_CTable* theTable, const FRM_CFont& theFont, short hasRowLabels)
    : CLabels(theTable, theFont, 1, 64)
{
    const float height = theTable->LabelHeight(theFont);
    GetCoordinates().SetRowHeight(0, height);
    Size(FRM_CRect(hasRowLabels ? theTable->LabelWidth(theFont) : 0, 0,
                   theTable->GetLocalInterior().Right(), height));
}

void CColumnLabels::InsertColumns(std::int32_t theAt, std::int32_t theCount)
{
    InsertLabels(theAt, theCount);
    FRM_CTableView::InsertColumns(theAt, theCount);
}

void CColumnLabels::DeleteColumns(std::int32_t theAt, std::int32_t theCount)
{
    DeleteLabels(theAt, theCount);
    FRM_CTableView::DeleteColumns(theAt, theCount);
}

void CColumnLabels::SetCellBounds(const FRM_CBounds& theBounds)
{
    FRM_CTableView::SetCellBounds(FRM_CBounds(0, theBounds.Left(), 2, theBounds.Right()));
}

FRM_CStringRW CColumnLabels::ColumnLetters(std::int32_t theColumn)
{
    std::string letters;
    std::int64_t column = theColumn < 0 ? 0 : theColumn;
    do {
        letters.insert(letters.begin(), static_cast<char>('A' + column % 26));
        column /= 26;
    } while (column != 0);
    return FRM_CStringRW(letters.c_str());
}

const FRM_CTdiValue* CColumnLabels::GetData(const FRM_CCell& theCell)
{
    if (const FRM_CStringRW* label = GetLabel(theCell.H()))
        return TextValue(*label);
    return TextValue(ColumnLetters(theCell.H()));
}
