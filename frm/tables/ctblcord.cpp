// ctblcord.cpp: the lazily computed row and column starts of a table and the hit tests.
#include "frm/tables/ctblcord.h"

#include <algorithm>
#include <iostream>

#include "frm/core/ctypeinfo.h"
#include "frm/core/cunits.h"
#include "frm/drawing/cfont.h"
#include "frm/views/csubview.h"

namespace {

constexpr std::int32_t kGroup = 4;      // starts are computed this many at a time
constexpr std::int32_t kBlock = 64;     // starts are shifted this many at a time

std::ostream* gTraceStream = nullptr;

FRM_CCell Entry(std::int32_t theIndex)
{
    return FRM_CCell(theIndex, 0);
}

const FRM_CUnits* UnitsOf(const FRM_CSubview* theView)
{
    return theView != nullptr ? theView->GetUnits() : nullptr;
}

float ToLogical(const FRM_CSubview& theView, long thePixels)
{
    if (const FRM_CUnits* units = theView.GetUnits())
        return units->VPhysicalToLogical(static_cast<int>(thePixels));
    return static_cast<float>(thePixels);
}

}   // namespace

FRM_CTableCoordinates::FRM_CTableCoordinates(const FRM_CSubview* theView, const FRM_CFont& theFont)
    : FRM_CTableCoordinates(theView, GetSuggestedRowHeight(*theView, theFont),
                            GetSuggestedColumnWidth(*theView, theFont))
{
}

FRM_CTableCoordinates::FRM_CTableCoordinates(const FRM_CSubview* theView, float theRowHeight,
                                             float theColumnWidth, std::int32_t theRowChunk,
                                             std::int32_t theColumnChunk)
    : itsView(theView), itsRows(theRowHeight, std::max(theRowChunk, 1)),
      itsColumns(theColumnWidth, std::max(theColumnChunk, 1))
{
}

const FRM_CTypeInfo* FRM_CTableCoordinates::GetRunTimeTypeInfo() const
{
    return &frm_type::CTableCoordinates;
}

const FRM_CTypeInfo* FRM_CTableCoordinates::GetStaticTypeInfo()
{
    return &frm_type::CTableCoordinates;
}

float FRM_CTableCoordinates::GetSuggestedRowHeight(const FRM_CSubview& theView,
                                                   const FRM_CFont& theFont)
{
    return ToLogical(theView, theFont.GetAscent() + theFont.GetDescent() + 4);
}

float FRM_CTableCoordinates::GetSuggestedColumnWidth(const FRM_CSubview& theView,
                                                     const FRM_CFont& theFont)
{
    return ToLogical(theView, theFont.GetTextWidth(FRM_CStringRW("000000000000")) + 5);
}

void FRM_CTableCoordinates::SetTraceStream(std::ostream* theStream)
{
    gTraceStream = theStream;
}

// Both axes convert through the vertical mapping.
std::int32_t FRM_CTableCoordinates::ConvertToInternal(float theValue) const
{
    if (const FRM_CUnits* units = UnitsOf(itsView))
        return units->VLogicalToPhysical(theValue);
    return static_cast<std::int32_t>(std::clamp(theValue, -2147483520.0f, 2147483520.0f));
}

float FRM_CTableCoordinates::ConvertFromInternal(std::int32_t theValue) const
{
    if (const FRM_CUnits* units = UnitsOf(itsView))
        return units->VPhysicalToLogical(theValue);
    return static_cast<float>(theValue);
}

std::int32_t FRM_CTableCoordinates::DefaultStep(const Axis& theAxis) const
{
    return std::max<std::int32_t>(ConvertToInternal(theAxis.itsDefault), 1);
}

void FRM_CTableCoordinates::WriteStart(Axis& theAxis, std::int32_t theIndex, std::int32_t theStart)
{
    theAxis.itsStarts.Set(Entry(theIndex), &theStart);
}

void FRM_CTableCoordinates::InitializeThrough(Axis& theAxis, std::int32_t theIndex)
{
    while (theAxis.itsLastInitialized <= theIndex) {
        const std::int32_t step = DefaultStep(theAxis);
        std::int32_t group[kGroup];
        for (std::int32_t i = 0; i < kGroup; ++i)
            group[i] = theAxis.itsLastPosition + i * step;
        theAxis.itsStarts.Set(Entry(theAxis.itsLastInitialized), FRM_CCell(1, 0), group, kGroup);
        theAxis.itsLastPosition += kGroup * step;
        theAxis.itsLastInitialized += kGroup;
    }
}

void FRM_CTableCoordinates::InitializeToPixel(Axis& theAxis, std::int32_t thePixel)
{
    while (theAxis.itsLastPosition <= thePixel)
        InitializeThrough(theAxis, theAxis.itsLastInitialized);
}

std::int32_t FRM_CTableCoordinates::StartOf(Axis& theAxis, std::int32_t theIndex)
{
    if (theIndex < 0)
        return 0;
    if (theIndex >= theAxis.itsLastInitialized)
        InitializeThrough(theAxis, theIndex);
    std::int32_t start = 0;
    theAxis.itsStarts.Get(Entry(theIndex), &start);
    return start;
}

void FRM_CTableCoordinates::Adjust(Axis& theAxis, std::int32_t theFrom, std::int32_t theDelta)
{
    if (theDelta == 0)
        return;
    InitializeThrough(theAxis, theFrom);
    theAxis.itsLastPosition += theDelta;
    std::int32_t block[kBlock];
    for (std::int32_t at = theFrom; at < theAxis.itsLastInitialized; at += kBlock) {
        const std::int32_t count = std::min(kBlock, theAxis.itsLastInitialized - at);
        theAxis.itsStarts.Get(Entry(at), FRM_CCell(1, 0), block, count);
        for (std::int32_t i = 0; i < count; ++i)
            block[i] += theDelta;
        theAxis.itsStarts.Set(Entry(at), FRM_CCell(1, 0), block, count);
    }
}

std::int32_t FRM_CTableCoordinates::FindContaining(Axis& theAxis, float thePosition)
{
    if (thePosition <= 0)
        return 0;
    const std::int32_t pixel = ConvertToInternal(thePosition);
    InitializeToPixel(theAxis, pixel);
    // Guess from the average size of the known rows; when they are all hidden (average 0)
    // the walk starts at the first row instead of dividing by zero.
    const double average =
        static_cast<double>(theAxis.itsLastPosition) / theAxis.itsLastInitialized;
    std::int32_t guess = 0;
    if (average > 0)
        guess = static_cast<std::int32_t>(
            std::min<double>(pixel / average, theAxis.itsLastInitialized - 1));
    while (StartOf(theAxis, guess + 1) <= pixel)
        ++guess;
    while (guess > 0 && StartOf(theAxis, guess) > pixel)
        --guess;
    return guess;
}

std::int32_t FRM_CTableCoordinates::LastBefore(Axis& theAxis, std::int32_t theFirst, float theEnd)
{
    const std::int32_t end = ConvertToInternal(theEnd);
    std::int32_t last = theFirst;
    while (StartOf(theAxis, last + 1) < end)
        ++last;
    return last;
}

void FRM_CTableCoordinates::SetSize(Axis& theAxis, std::int32_t theIndex, float theSize)
{
    if (theIndex < 0)
        return;
    InitializeThrough(theAxis, theIndex + 1);
    const std::int32_t current = StartOf(theAxis, theIndex + 1) - StartOf(theAxis, theIndex);
    Adjust(theAxis, theIndex + 1, std::max(ConvertToInternal(theSize), 0) - current);
}

void FRM_CTableCoordinates::Insert(Axis& theAxis, std::int32_t theAt, std::int32_t theCount)
{
    if (theAt < 0 || theCount <= 0)
        return;
    const std::int32_t step = DefaultStep(theAxis);
    const std::int32_t shift =
        std::max(ConvertToInternal(static_cast<float>(theCount) * theAxis.itsDefault), theCount);
    const std::int32_t start = StartOf(theAxis, theAt);
    Adjust(theAxis, theAt, shift);
    theAxis.itsStarts.InsertColumns(theAt, theCount);
    for (std::int32_t i = 0; i < theCount; ++i)
        WriteStart(theAxis, theAt + i, start + i * step);
    theAxis.itsLastInitialized += theCount;
}

void FRM_CTableCoordinates::Delete(Axis& theAxis, std::int32_t theAt, std::int32_t theCount)
{
    if (theAt < 0 || theCount <= 0)
        return;
    const std::int32_t removed = StartOf(theAxis, theAt + theCount) - StartOf(theAxis, theAt);
    Adjust(theAxis, theAt + theCount, -removed);
    theAxis.itsStarts.DeleteColumns(theAt, theCount);
    theAxis.itsLastInitialized -= theCount;
}

void FRM_CTableCoordinates::TraceColumnStarts(const char* theLead)
{
    std::ostream& out = gTraceStream != nullptr ? *gTraceStream : std::cout;
    out << theLead;
    for (std::int32_t column = 0; column < 6; ++column)
        out << (column > 0 ? " " : "") << ColumnStartInternal(column);
    out << '\n';
}

// ---------------------------------------------------------------------------------------------
// The public face: rows and columns share the axis operations.

void FRM_CTableCoordinates::SetRowHeight(std::int32_t theRow, float theHeight)
{
    SetSize(itsRows, theRow, theHeight);
}

void FRM_CTableCoordinates::SetColumnWidth(std::int32_t theColumn, float theWidth)
{
    SetSize(itsColumns, theColumn, theWidth);
}

std::int32_t FRM_CTableCoordinates::RowStartInternal(std::int32_t theRow)
{
    return StartOf(itsRows, theRow);
}

std::int32_t FRM_CTableCoordinates::ColumnStartInternal(std::int32_t theColumn)
{
    return StartOf(itsColumns, theColumn);
}

float FRM_CTableCoordinates::RowStart(std::int32_t theRow)
{
    return ConvertFromInternal(RowStartInternal(theRow));
}

float FRM_CTableCoordinates::ColumnStart(std::int32_t theColumn)
{
    return ConvertFromInternal(ColumnStartInternal(theColumn));
}

std::int32_t FRM_CTableCoordinates::FindRowContaining(float thePosition)
{
    return FindContaining(itsRows, thePosition);
}

std::int32_t FRM_CTableCoordinates::FindColumnContaining(float thePosition)
{
    return FindContaining(itsColumns, thePosition);
}

FRM_CPoint FRM_CTableCoordinates::ToScreen(const FRM_CCell& theCell)
{
    return FRM_CPoint(ColumnStart(theCell.H()) - itsOrigin.H(),
                      RowStart(theCell.V()) - itsOrigin.V());
}

FRM_CRect FRM_CTableCoordinates::ToScreen(const FRM_CBounds& theBounds)
{
    return FRM_CRect(ColumnStart(theBounds.Left()) - itsOrigin.H(),
                     RowStart(theBounds.Top()) - itsOrigin.V(),
                     ColumnStart(theBounds.Right()) - itsOrigin.H(),
                     RowStart(theBounds.Bottom()) - itsOrigin.V());
}

FRM_CCell FRM_CTableCoordinates::ToCell(const FRM_CPoint& thePoint)
{
    const FRM_CPoint at = thePoint + itsOrigin;
    return FRM_CCell(FindColumnContaining(at.H()), FindRowContaining(at.V()));
}

FRM_CBounds FRM_CTableCoordinates::ToCell(const FRM_CRect& theRect)
{
    const FRM_CRect rect = theRect + itsOrigin;
    const std::int32_t top = FindRowContaining(rect.Top());
    const std::int32_t left = FindColumnContaining(rect.Left());
    return FRM_CBounds(top, left, LastBefore(itsRows, top, rect.Bottom()) + 1,
                       LastBefore(itsColumns, left, rect.Right()) + 1);
}

void FRM_CTableCoordinates::InsertRows(std::int32_t theAt, std::int32_t theCount)
{
    Insert(itsRows, theAt, theCount);
}

void FRM_CTableCoordinates::InsertColumns(std::int32_t theAt, std::int32_t theCount)
{
    TraceColumnStarts("InsertColumns ");
    Insert(itsColumns, theAt, theCount);
    TraceColumnStarts("              ");
}

void FRM_CTableCoordinates::DeleteRows(std::int32_t theAt, std::int32_t theCount, std::int32_t)
{
    Delete(itsRows, theAt, theCount);
}

void FRM_CTableCoordinates::DeleteColumns(std::int32_t theAt, std::int32_t theCount)
{
    Delete(itsColumns, theAt, theCount);
}
