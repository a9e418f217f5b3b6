// ctblatr.cpp: attribute sets, their palette and the one-byte-per-cell array of a table.
#include "frm/tables/ctblatr.h"

#include <algorithm>

#include "frm/core/ctypeinfo.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cfont.h"
#include "frm/tables/ctblcord.h"
#include "frm/tables/ctblintp.h"

namespace {

constexpr const char* kModule = "ctblatr";
constexpr long kErrNegativeIndex = 2031;
constexpr std::int32_t kDefaultChunk = 16;

// Reports a negative table index; true when the caller must stop.
bool Negative(std::int32_t theIndex, int theLine)
{
    if (theIndex >= 0)
        return false;
    FrmError(kErrNegativeIndex, kModule, theLine);
    return true;
}

FRM_CCell Internal(const FRM_CCell& theCell)
{
    return FRM_CCell(theCell.H() + 1, theCell.V() + 1);
}

// The first multiple of theStep above theValue (theValue itself when it is one).
std::int32_t NextBoundary(std::int32_t theValue, std::int32_t theStep)
{
    const std::int32_t rest = ((theValue % theStep) + theStep) % theStep;
    return theValue - rest + theStep;
}

}   // namespace

// ---------------------------------------------------------------------------------------------
// FRM_CTableAttributes

FRM_CTableAttributes::FRM_CTableAttributes() = default;

FRM_CTableAttributes::FRM_CTableAttributes(const FRM_CTableAttributes& other)
    : itsFont(other.itsFont ? std::make_unique<FRM_CFont>(*other.itsFont) : nullptr),
      itsForeground(other.itsForeground), itsBackground(other.itsBackground),
      itsJustification(other.itsJustification), itsTopBorder(other.itsTopBorder),
      itsLeftBorder(other.itsLeftBorder), itsBottomBorder(other.itsBottomBorder),
      itsRightBorder(other.itsRightBorder), itsMask(other.itsMask),
      itsInterpreter(other.itsInterpreter), itsValidator(other.itsValidator),
      itsReadOnly(other.itsReadOnly)
{
}

// Hand-written: the target gets its own copy of the font and keeps its palette index.
FRM_CTableAttributes& FRM_CTableAttributes::operator=(const FRM_CTableAttributes& other)
{
    if (this != &other) {
        const unsigned char index = itsIndex;
        FRM_CTableAttributes copy(other);
        itsFont = std::move(copy.itsFont);
        itsForeground = copy.itsForeground;
        itsBackground = copy.itsBackground;
        itsJustification = copy.itsJustification;
        itsTopBorder = copy.itsTopBorder;
        itsLeftBorder = copy.itsLeftBorder;
        itsBottomBorder = copy.itsBottomBorder;
        itsRightBorder = copy.itsRightBorder;
        itsMask = copy.itsMask;
        itsInterpreter = copy.itsInterpreter;
        itsValidator = copy.itsValidator;
        itsReadOnly = copy.itsReadOnly;
        itsIndex = index;
    }
    return *this;
}

FRM_CTableAttributes::~FRM_CTableAttributes() = default;

const FRM_CTypeInfo* FRM_CTableAttributes::GetRunTimeTypeInfo() const
{
    return &frm_type::CTableAttributes;
}

const FRM_CTypeInfo* FRM_CTableAttributes::GetStaticTypeInfo()
{
    return &frm_type::CTableAttributes;
}

const FRM_CFont& FRM_CTableAttributes::Font() const
{
    static const FRM_CFont kNoFont{FRM_CStringRW()};
    return itsFont ? *itsFont : kNoFont;
}

void FRM_CTableAttributes::Font(const FRM_CFont& theFont)
{
    itsFont = std::make_unique<FRM_CFont>(theFont);
    itsMask |= MaskFont;
}

void FRM_CTableAttributes::Foreground(unsigned long theColor)
{
    itsForeground = theColor;
    itsMask |= MaskForeground;
}

void FRM_CTableAttributes::Background(unsigned long theColor)
{
    itsBackground = theColor;
    itsMask |= MaskBackground;
}

void FRM_CTableAttributes::Justification(TextJustification theJustification)
{
    itsJustification = theJustification;
    itsMask |= MaskJustification;
}

void FRM_CTableAttributes::TopBorder(const Border& theBorder)
{
    itsTopBorder = theBorder;
    itsMask |= MaskTopBorder;
}

void FRM_CTableAttributes::LeftBorder(const Border& theBorder)
{
    itsLeftBorder = theBorder;
    itsMask |= MaskLeftBorder;
}

void FRM_CTableAttributes::BottomBorder(const Border& theBorder)
{
    itsBottomBorder = theBorder;
    itsMask |= MaskBottomBorder;
}

void FRM_CTableAttributes::RightBorder(const Border& theBorder)
{
    itsRightBorder = theBorder;
    itsMask |= MaskRightBorder;
}

void FRM_CTableAttributes::Interpreter(FRM_CTableInterpreter* theInterpreter)
{
    itsInterpreter = theInterpreter;
    itsMask |= MaskInterpreter;
}

void FRM_CTableAttributes::ReadOnly(short isReadOnly)
{
    itsReadOnly = isReadOnly;
    itsMask |= MaskReadOnly;
}

void FRM_CTableAttributes::Validator(const FRM_CValidator& theValidator)
{
    itsValidator = theValidator;
    itsMask |= MaskValidator;
}

template <class Change>
void FRM_CTableAttributes::ChangeBorders(BorderLocation theWhere, Change change)
{
    Border* borders[] = {&itsTopBorder, &itsLeftBorder, &itsBottomBorder, &itsRightBorder};
    const unsigned masks[] = {MaskTopBorder, MaskLeftBorder, MaskBottomBorder, MaskRightBorder};
    for (int i = 0; i < 4; ++i)
        if (theWhere & (1 << i)) {
            change(*borders[i]);
            itsMask |= masks[i];
        }
}

void FRM_CTableAttributes::SetBorderColor(unsigned long theColor, BorderLocation theWhere)
{
    ChangeBorders(theWhere, [theColor](Border& border) { border.itsColor = theColor; });
}

void FRM_CTableAttributes::SetBorderStyle(BorderStyle theStyle, BorderLocation theWhere)
{
    ChangeBorders(theWhere, [theStyle](Border& border) { border.itsStyle = theStyle; });
}

void FRM_CTableAttributes::Combine(const FRM_CTableAttributes& other)
{
    const unsigned mask = other.itsMask;
    if (mask & MaskFont)
        itsFont = other.itsFont ? std::make_unique<FRM_CFont>(*other.itsFont) : nullptr;
    if (mask & MaskForeground)
        itsForeground = other.itsForeground;
    if (mask & MaskBackground)
        itsBackground = other.itsBackground;
    if (mask & MaskJustification)
        itsJustification = other.itsJustification;
    if (mask & MaskTopBorder)
        itsTopBorder = other.itsTopBorder;
    if (mask & MaskLeftBorder)
        itsLeftBorder = other.itsLeftBorder;
    if (mask & MaskBottomBorder)
        itsBottomBorder = other.itsBottomBorder;
    if (mask & MaskRightBorder)
        itsRightBorder = other.itsRightBorder;
    if (mask & MaskInterpreter)
        itsInterpreter = other.itsInterpreter;
    if (mask & MaskReadOnly)
        itsReadOnly = other.itsReadOnly;
    if (mask & MaskValidator)
        itsValidator = other.itsValidator;
    itsMask |= mask;
}

int FRM_CTableAttributes::operator==(const FRM_CTableAttributes& other) const
{
    if (itsMask != other.itsMask)
        return 0;
    const unsigned mask = itsMask;
    if (mask & MaskFont) {
        if (!itsFont || !other.itsFont ? itsFont != other.itsFont : !(*itsFont == *other.itsFont))
            return 0;
    }
    const bool equal =
        (!(mask & MaskForeground) || itsForeground == other.itsForeground) &&
        (!(mask & MaskBackground) || itsBackground == other.itsBackground) &&
        (!(mask & MaskJustification) || itsJustification == other.itsJustification) &&
        (!(mask & MaskTopBorder) || itsTopBorder == other.itsTopBorder) &&
        (!(mask & MaskLeftBorder) || itsLeftBorder == other.itsLeftBorder) &&
        (!(mask & MaskBottomBorder) || itsBottomBorder == other.itsBottomBorder) &&
        (!(mask & MaskRightBorder) || itsRightBorder == other.itsRightBorder) &&
        (!(mask & MaskInterpreter) || itsInterpreter == other.itsInterpreter) &&
        (!(mask & MaskReadOnly) || itsReadOnly == other.itsReadOnly) &&
        (!(mask & MaskValidator) || itsValidator == other.itsValidator);
    return equal ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// FRM_CTableAttributeArray

FRM_CTableAttributeArray::FRM_CTableAttributeArray()
    : FRM_CTableAttributeArray(kDefaultChunk, kDefaultChunk)
{
}

FRM_CTableAttributeArray::FRM_CTableAttributeArray(std::int32_t theChunkRows,
                                                   std::int32_t theChunkColumns)
    : FRM_CChunkArray(1, std::max(theChunkRows, 1), std::max(theChunkColumns, 1))
{
}

FRM_CTableAttributeArray::~FRM_CTableAttributeArray()
{
    for (FRM_CTableInterpreter* interpreter : GetInterpreters())
        delete interpreter;
}

const FRM_CTypeInfo* FRM_CTableAttributeArray::GetRunTimeTypeInfo() const
{
    return &frm_type::CTableAttributeArray;
}

const FRM_CTypeInfo* FRM_CTableAttributeArray::GetStaticTypeInfo()
{
    return &frm_type::CTableAttributeArray;
}

const FRM_CTableAttributes* FRM_CTableAttributeArray::PaletteEntry(unsigned char theIndex) const
{
    return itsAttributeList[theIndex].get();
}

const FRM_CTableAttributes* FRM_CTableAttributeArray::GetInternal(const FRM_CCell& theInternal)
{
    unsigned char index = 0;
    Get(theInternal, &index);
    return PaletteEntry(index);
}

unsigned char FRM_CTableAttributeArray::AttributeToIndex(const FRM_CTableAttributes* theWanted,
                                                         unsigned char theCurrent)
{
    if (theWanted == nullptr || theWanted->Mask() == 0)
        return theCurrent;
    FRM_CTableAttributes target(*theWanted);
    if (const FRM_CTableAttributes* current = PaletteEntry(theCurrent)) {
        target = *current;
        target.Combine(*theWanted);
    }
    int firstFree = 0;
    for (int slot = 1; slot < kPaletteSize; ++slot) {
        const FRM_CTableAttributes* entry = itsAttributeList[slot].get();
        if (entry == nullptr) {
            if (firstFree == 0)
                firstFree = slot;
        } else if (*entry == target) {
            return static_cast<unsigned char>(slot);
        }
    }
    if (firstFree == 0)
        return 0;   // a full palette leaves the position without attributes
    itsAttributeList[firstFree] = std::make_unique<FRM_CTableAttributes>(target);
    itsAttributeList[firstFree]->itsIndex = static_cast<unsigned char>(firstFree);
    return static_cast<unsigned char>(firstFree);
}

void FRM_CTableAttributeArray::NoteCells(const FRM_CBounds& theInternal)
{
    if (theInternal.Top() > 0 && theInternal.Left() > 0 && !theInternal.IsEmpty())
        itsCellAttributeBounds = itsCellAttributeBounds.IsEmpty()
                                     ? theInternal
                                     : itsCellAttributeBounds.Union(theInternal);
}

void FRM_CTableAttributeArray::SetInternal(const FRM_CCell& theInternal,
                                           const FRM_CTableAttributes& theAttributes)
{
    unsigned char index = 0;
    Get(theInternal, &index);
    index = AttributeToIndex(&theAttributes, index);
    Set(theInternal, &index);
    NoteCells(FRM_CBounds(theInternal.V(), theInternal.H(), theInternal.V() + 1,
                          theInternal.H() + 1));
}

// Tile by tile along the chunks, so that each distinct old index is combined and interned
// once per tile through the translation table.
void FRM_CTableAttributeArray::SetInternal(const FRM_CBounds& theInternal,
                                           const FRM_CTableAttributes& theAttributes)
{
    if (theInternal.IsEmpty())
        return;
    std::vector<unsigned char> run;
    for (std::int32_t top = theInternal.Top(); top < theInternal.Bottom();) {
        const std::int32_t bottom =
            std::min(NextBoundary(top, GetChunkRows()), theInternal.Bottom());
        for (std::int32_t left = theInternal.Left(); left < theInternal.Right();) {
            const std::int32_t right =
                std::min(NextBoundary(left, GetChunkColumns()), theInternal.Right());
            unsigned char translation[kPaletteSize] = {};
            bool translated[kPaletteSize] = {};
            run.resize(static_cast<std::size_t>(right - left));
            for (std::int32_t row = top; row < bottom; ++row) {
                Get(FRM_CCell(left, row), FRM_CCell(1, 0), run.data(), right - left);
                for (auto i = run.size(); i-- > 0;) {
                    const unsigned char old = run[i];
                    if (!translated[old]) {
                        translation[old] = AttributeToIndex(&theAttributes, old);
                        translated[old] = true;
                    }
                    run[i] = translation[old];
                }
                Set(FRM_CCell(left, row), FRM_CCell(1, 0), run.data(), right - left);
            }
            left = right;
        }
        top = bottom;
    }
    NoteCells(theInternal);
}

const FRM_CTableAttributes* FRM_CTableAttributeArray::GetCell(const FRM_CCell& theCell)
{
    if (Negative(std::min(theCell.H(), theCell.V()), 381))
        return nullptr;
    return GetInternal(Internal(theCell));
}

const FRM_CTableAttributes* FRM_CTableAttributeArray::GetRow(std::int32_t theRow)
{
    if (Negative(theRow, 407))
        return nullptr;
    return GetInternal(FRM_CCell(0, theRow + 1));
}

const FRM_CTableAttributes* FRM_CTableAttributeArray::GetColumn(std::int32_t theColumn)
{
    if (Negative(theColumn, 421))
        return nullptr;
    return GetInternal(FRM_CCell(theColumn + 1, 0));
}

const FRM_CTableAttributes* FRM_CTableAttributeArray::GetTable()
{
    return GetInternal(FRM_CCell(0, 0));
}

void FRM_CTableAttributeArray::SetCell(const FRM_CCell& theCell,
                                       const FRM_CTableAttributes& theAttributes)
{
    if (Negative(std::min(theCell.H(), theCell.V()), 401))
        return;
    SetInternal(Internal(theCell), theAttributes);
}

void FRM_CTableAttributeArray::SetCells(const FRM_CBounds& theBounds,
                                        const FRM_CTableAttributes& theAttributes)
{
    if (Negative(std::min(theBounds.Top(), theBounds.Bottom()), 387) ||
        Negative(std::min(theBounds.Left(), theBounds.Right()), 388))
        return;
    SetInternal(FRM_CBounds(theBounds.Top() + 1, theBounds.Left() + 1, theBounds.Bottom() + 1,
                            theBounds.Right() + 1),
                theAttributes);
}

void FRM_CTableAttributeArray::SetRow(std::int32_t theRow,
                                      const FRM_CTableAttributes& theAttributes, short conform)
{
    if (Negative(theRow, 413))
        return;
    SetInternal(FRM_CCell(0, theRow + 1), theAttributes);
    if (conform)
        SetInternal(FRM_CBounds(theRow + 1, 1, theRow + 2, Bounds().Right()), theAttributes);
}

void FRM_CTableAttributeArray::SetColumn(std::int32_t theColumn,
                                         const FRM_CTableAttributes& theAttributes, short conform)
{
    if (Negative(theColumn, 427))
        return;
    SetInternal(FRM_CCell(theColumn + 1, 0), theAttributes);
    if (conform)
        SetInternal(FRM_CBounds(1, theColumn + 1, Bounds().Bottom(), theColumn + 2), theAttributes);
}

void FRM_CTableAttributeArray::SetTable(const FRM_CTableAttributes& theAttributes, short conform)
{
    SetInternal(FRM_CCell(0, 0), theAttributes);
    // Every entry within the allocated extent; merging the table's own entry again changes
    // nothing.
    if (conform)
        SetInternal(Bounds(), theAttributes);
}

void FRM_CTableAttributeArray::SelectCell(const FRM_CCell& theCell, short select)
{
    if (select)
        itsSelected.Add(theCell);
    else
        itsSelected.Remove(theCell);
}

void FRM_CTableAttributeArray::SelectCells(const FRM_CBounds& theBounds, short select)
{
    if (select)
        itsSelected.Add(theBounds);
    else
        itsSelected.Remove(theBounds);
}

void FRM_CTableAttributeArray::SelectRow(std::int32_t theRow, short select)
{
    if (select)
        itsSelected.AddRow(theRow);
    else
        itsSelected.RemoveRow(theRow);
}

void FRM_CTableAttributeArray::SelectColumn(std::int32_t theColumn, short select)
{
    if (select)
        itsSelected.AddColumn(theColumn);
    else
        itsSelected.RemoveColumn(theColumn);
}

short FRM_CTableAttributeArray::IsOneCellSelected(FRM_CCell* theCell) const
{
    const FRM_CBounds bounds = itsSelected.Bounds();
    if (bounds.IsEmpty() || bounds.Height() != 1 || bounds.Width() != 1)
        return 0;
    if (theCell != nullptr)
        *theCell = bounds.TopLeft();
    return 1;
}

short FRM_CTableAttributeArray::IsOneRowSelected(std::int32_t* theRow) const
{
    const FRM_CBounds bounds = itsSelected.Bounds();
    if (bounds.IsEmpty() || bounds.Height() != 1 || bounds.Width() != FRM_CRegion::kEnd)
        return 0;
    if (theRow != nullptr)
        *theRow = bounds.Top();
    return 1;
}

short FRM_CTableAttributeArray::IsOneColumnSelected(std::int32_t* theColumn) const
{
    const FRM_CBounds bounds = itsSelected.Bounds();
    if (bounds.IsEmpty() || bounds.Width() != 1 || bounds.Height() != FRM_CRegion::kEnd)
        return 0;
    if (theColumn != nullptr)
        *theColumn = bounds.Left();
    return 1;
}

short FRM_CTableAttributeArray::InsertRows(std::int32_t theAt, std::int32_t theCount)
{
    itsSelected.InsertRows(theAt, theCount);
    if (!itsCellAttributeBounds.IsEmpty() && itsCellAttributeBounds.Bottom() > theAt + 1)
        itsCellAttributeBounds.Bottom(itsCellAttributeBounds.Bottom() + theCount);
    return FRM_CChunkArray::InsertRows(theAt + 1, theCount);
}

short FRM_CTableAttributeArray::DeleteRows(std::int32_t theAt, std::int32_t theCount,
                                           std::int32_t theRowCount)
{
    itsSelected.DeleteRows(theAt, theCount);
    return FRM_CChunkArray::DeleteRows(theAt + 1, theCount, theRowCount);
}

short FRM_CTableAttributeArray::InsertColumns(std::int32_t theAt, std::int32_t theCount)
{
    itsSelected.InsertColumns(theAt, theCount);
    if (!itsCellAttributeBounds.IsEmpty() && itsCellAttributeBounds.Right() > theAt + 1)
        itsCellAttributeBounds.Right(itsCellAttributeBounds.Right() + theCount);
    return FRM_CChunkArray::InsertColumns(theAt + 1, theCount);
}

short FRM_CTableAttributeArray::DeleteColumns(std::int32_t theAt, std::int32_t theCount)
{
    itsSelected.DeleteColumns(theAt, theCount);
    return FRM_CChunkArray::DeleteColumns(theAt + 1, theCount);
}

std::vector<FRM_CTableInterpreter*> FRM_CTableAttributeArray::GetInterpreters() const
{
    std::vector<FRM_CTableInterpreter*> interpreters;
    for (const auto& entry : itsAttributeList) {
        if (!entry || !(entry->Mask() & FRM_CTableAttributes::MaskInterpreter) ||
            entry->Interpreter() == nullptr)
            continue;
        if (std::find(interpreters.begin(), interpreters.end(), entry->Interpreter()) ==
            interpreters.end())
            interpreters.push_back(entry->Interpreter());
    }
    return interpreters;
}

short FRM_CTableAttributeArray::DeleteInterpreter(const FRM_CBounds& theCellBounds,
                                                  std::int32_t theCount,
                                                  const FRM_CTableCoordinates& theCoordinates)
{
    const std::int32_t firstRow = std::max(theCellBounds.Bottom() - std::max(theCount, 1), 0);
    for (FRM_CTableInterpreter* interpreter : GetInterpreters()) {
        for (std::int32_t column = 0; column < theCoordinates.GetLastInitializedColumn(); ++column)
            for (std::int32_t row = firstRow; row < theCellBounds.Bottom(); ++row) {
                const FRM_CCell cell(column, row);
                CTableInterpreterParameters parameters;
                parameters.itsView = interpreter->Table();
                parameters.itsCell = &cell;
                interpreter->Hide(parameters);
            }
    }
    return 1;
}
