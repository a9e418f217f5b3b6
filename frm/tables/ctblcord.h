// ctblcord.h: FRM_CTableCoordinates, the map between table cells and positions in a table
// view. It keeps the pixel start of every row and column in two chunk arrays of 32-bit
// values and computes them lazily, four at a time, only as far as a request needs; rows and
// columns never sized take the default height or width. Positions that cross the interface
// are logical (the view's units); the stored starts are whole pixels.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "frm/core/crect.h"
#include "frm/views/cchunkarray.h"

class FRM_CFont;
class FRM_CSubview;
class FRM_CTypeInfo;

class FRM_CTableCoordinates {
public:
    FRM_CTableCoordinates(const FRM_CSubview* theView, const FRM_CFont& theFont);
    FRM_CTableCoordinates(const FRM_CSubview* theView, float theRowHeight, float theColumnWidth,
                          std::int32_t theRowChunk = 127, std::int32_t theColumnChunk = 31);
    // The view is shared; the start arrays are copied.
    FRM_CTableCoordinates(const FRM_CTableCoordinates&) = default;
    FRM_CTableCoordinates& operator=(const FRM_CTableCoordinates&) = default;
    virtual ~FRM_CTableCoordinates() = default;
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    void SetOrigin(const FRM_CPoint& theOrigin) { itsOrigin = theOrigin; }
    FRM_CPoint GetOrigin() const { return itsOrigin; }
    // A height of 0 hides the row: the next row starts where it does. Later rows move.
    void SetRowHeight(std::int32_t theRow, float theHeight);
    void SetColumnWidth(std::int32_t theColumn, float theWidth);
    // The cell's top-left corner, relative to the origin.
    FRM_CPoint ToScreen(const FRM_CCell& theCell);
    // The block's rectangle (right and bottom exclusive), relative to the origin.
    FRM_CRect ToScreen(const FRM_CBounds& theBounds);
    // The cell under a view position: a position on a border belongs to the row (column)
    // starting there; positions before the table give row (column) 0.
    FRM_CCell ToCell(const FRM_CPoint& thePoint);
    // The block a view rectangle touches; a bottom (right) edge on a start does not reach
    // into that row (column).
    FRM_CBounds ToCell(const FRM_CRect& theRect);
    // Defaults apply only to rows and columns not known yet; they never go below one pixel.
    void SetDefaultRowHeight(float theHeight) { itsRows.itsDefault = theHeight; }
    void SetDefaultColumnWidth(float theWidth) { itsColumns.itsDefault = theWidth; }
    float GetDefaultRowHeight() const { return itsRows.itsDefault; }
    float GetDefaultColumnWidth() const { return itsColumns.itsDefault; }
    std::int32_t GetLastInitializedRow() const { return itsRows.itsLastInitialized; }
    std::int32_t GetLastInitializedColumn() const { return itsColumns.itsLastInitialized; }
    void InsertRows(std::int32_t theAt, std::int32_t theCount);
    // Also writes the starts of columns 0 to 5 before and after to the trace stream.
    void InsertColumns(std::int32_t theAt, std::int32_t theCount);
    // theRowCount (the table's number of rows) is not needed.
    void DeleteRows(std::int32_t theAt, std::int32_t theCount, std::int32_t theRowCount);
    void DeleteColumns(std::int32_t theAt, std::int32_t theCount);
    // The start of a row (column) in the whole table, logical.
    float RowStart(std::int32_t theRow);
    float ColumnStart(std::int32_t theColumn);

    // Font height + 4 pixels; the width of twelve zeros + 5 pixels; in the view's units.
    static float GetSuggestedRowHeight(const FRM_CSubview& theView, const FRM_CFont& theFont);
    static float GetSuggestedColumnWidth(const FRM_CSubview& theView, const FRM_CFont& theFont);

    // Where the column insertion trace goes: standard output unless replaced; null restores it.
    static void SetTraceStream(std::ostream* theStream);

protected:
    std::int32_t ConvertToInternal(float theValue) const;
    float ConvertFromInternal(std::int32_t theValue) const;
    std::int32_t RowStartInternal(std::int32_t theRow);
    std::int32_t ColumnStartInternal(std::int32_t theColumn);
    std::int32_t FindRowContaining(float thePosition);
    std::int32_t FindColumnContaining(float thePosition);

private:
    // The starts of one axis, laid out as one row of the chunk array.
    struct Axis {
        Axis(float theDefault, std::int32_t theChunk)
            : itsDefault(theDefault), itsStarts(4, 1, theChunk)
        {
        }
        float itsDefault;
        std::int32_t itsLastInitialized = 0;     // starts 0 .. this - 1 are known
        std::int32_t itsLastPosition = 0;        // where row itsLastInitialized starts
        FRM_CChunkArray itsStarts;
    };

    // The default as whole pixels, at least one so that initialising always advances.
    std::int32_t DefaultStep(const Axis& theAxis) const;
    void InitializeThrough(Axis& theAxis, std::int32_t theIndex);
    void InitializeToPixel(Axis& theAxis, std::int32_t thePixel);
    std::int32_t StartOf(Axis& theAxis, std::int32_t theIndex);
    void WriteStart(Axis& theAxis, std::int32_t theIndex, std::int32_t theStart);
    void Adjust(Axis& theAxis, std::int32_t theFrom, std::int32_t theDelta);
    std::int32_t FindContaining(Axis& theAxis, float thePosition);
    // The last index whose start is before theEnd, from theFirst on.
    std::int32_t LastBefore(Axis& theAxis, std::int32_t theFirst, float theEnd);
    void SetSize(Axis& theAxis, std::int32_t theIndex, float theSize);
    void Insert(Axis& theAxis, std::int32_t theAt, std::int32_t theCount);
    void Delete(Axis& theAxis, std::int32_t theAt, std::int32_t theCount);
    void TraceColumnStarts(const char* theLead);

    const FRM_CSubview* itsView;   // not owned; its units convert
    FRM_CPoint itsOrigin;
    Axis itsRows;
    Axis itsColumns;
};
