// crgn.h: FRM_CRegion, a set of table cells held as a list of non-overlapping rectangles of
// cells (FRM_CBounds). A whole row runs to column 0x7FFFFFFF and a whole column to row
// 0x7FFFFFFF, the end of the table; such an edge never moves. Four iterators walk a region:
// by rectangle, by whole row, by whole column and by cell. A spatial index over the
// rectangles keeps adding and removing near-linear in the size of the region.
#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>
#include "frm/core/crect.h"
#include "frm/core/ctypeinfo.h"

class FRM_CRegion {
public:
    static constexpr std::int32_t kEnd = 0x7FFFFFFF;

    FRM_CRegion() = default;
    explicit FRM_CRegion(const FRM_CBounds& bounds);
    FRM_CRegion(const FRM_CRegion& other);
    FRM_CRegion& operator=(const FRM_CRegion& other);
    virtual ~FRM_CRegion() = default;

    virtual void Clear();
    // Removes the bounds' cells, then appends the bounds as one rectangle. Empty bounds add
    // nothing.
    virtual void Add(const FRM_CCell& cell);
    virtual void Add(const FRM_CBounds& bounds);
    virtual void AddRow(std::int32_t row);
    virtual void AddColumn(std::int32_t column);
    // Cuts the bounds out of every rectangle that meets it; the pieces go to the end.
    virtual void Remove(const FRM_CCell& cell);
    virtual void Remove(const FRM_CBounds& bounds);
    virtual void RemoveRow(std::int32_t row);
    virtual void RemoveColumn(std::int32_t column);
    virtual void Union(const FRM_CRegion& other);
    virtual void Subtract(const FRM_CRegion& other);
    virtual void Xor(const FRM_CRegion& other);
    // Cells at or after at move count places on; a rectangle across at grows.
    virtual void InsertColumns(std::int32_t at, std::int32_t count);
    virtual void InsertRows(std::int32_t at, std::int32_t count);
    // The cells of columns at to at + count - 1 go and the cells after them move back; a
    // rectangle stays one rectangle (a whole row stays a whole row).
    virtual void DeleteColumns(std::int32_t at, std::int32_t count);
    virtual void DeleteRows(std::int32_t at, std::int32_t count);
    virtual short Contains(const FRM_CCell& cell) const;
    // Only whole-row (whole-column) rectangles count.
    virtual short ContainsRow(std::int32_t row) const;
    virtual short ContainsColumn(std::int32_t column) const;
    virtual short IsEmpty() const;
    // The union of all rectangles; the empty bounds when there are none.
    virtual FRM_CBounds Bounds() const;
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const { return &frm_type::CRegion; }
    static const FRM_CTypeInfo* GetStaticTypeInfo() { return &frm_type::CRegion; }

    // The rectangles in list order.
    std::size_t RectCount() const;
    const FRM_CBounds& Rect(std::size_t i) const;

private:
    struct Slot {
        FRM_CBounds bounds;
        bool live;
    };
    void Append(const FRM_CBounds& bounds);
    void Kill(std::uint32_t slot);
    // Live slots whose rectangles meet bounds, in list order.
    void Meeting(const FRM_CBounds& bounds, std::vector<std::uint32_t>& slots) const;
    void IndexSlot(std::uint32_t slot);
    void Compact() const;
    void Rebuild(std::vector<FRM_CBounds> rects);
    std::vector<FRM_CBounds> Snapshot() const;

    mutable std::vector<Slot> itsSlots;   // list order; dead slots until the next compaction
    mutable std::size_t itsDead = 0;
    // Index: slots by bucket of cells, and the slots too large to bucket (whole rows, ...).
    // Entries of dead slots stay until compaction and are skipped.
    mutable std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> itsBuckets;
    mutable std::vector<std::uint32_t> itsWide;
    mutable FRM_CBounds itsBounds;
    mutable bool itsBoundsKnown = true;
};

// Every rectangle, in list order.
class FRM_CRegionIterator {
public:
    explicit FRM_CRegionIterator(const FRM_CRegion& region) : itsRegion(&region) {}
    short Next(FRM_CBounds& bounds);
    void Reset() { itsIndex = 0; }

private:
    const FRM_CRegion* itsRegion;
    std::size_t itsIndex = 0;
};

// The rows of the whole-row rectangles (or the columns of the whole-column ones), rectangle
// by rectangle in list order, each from its first to its last.
class FRM_CRegionLineIterator {
public:
    void Reset();

protected:
    FRM_CRegionLineIterator(const FRM_CRegion& region, bool rows)
        : itsRegion(&region), itIsRows(rows) {}
    short NextLine(std::int32_t& line);

private:
    const FRM_CRegion* itsRegion;
    bool itIsRows;
    std::size_t itsIndex = 0;
    std::int32_t itsLine = 0;
    bool itsStarted = false;
};

class FRM_CRegionRowIterator : public FRM_CRegionLineIterator {
public:
    explicit FRM_CRegionRowIterator(const FRM_CRegion& region)
        : FRM_CRegionLineIterator(region, true) {}
    short Next(std::int32_t& row) { return NextLine(row); }
};

class FRM_CRegionColumnIterator : public FRM_CRegionLineIterator {
public:
    explicit FRM_CRegionColumnIterator(const FRM_CRegion& region)
        : FRM_CRegionLineIterator(region, false) {}
    short Next(std::int32_t& column) { return NextLine(column); }
};

// The cells of the rectangles that end before the table's end (so not of whole rows or
// columns, nor of their pieces), row by row and left to right inside each rectangle.
class FRM_CRegionCellIterator {
public:
    explicit FRM_CRegionCellIterator(const FRM_CRegion& region) : itsRegion(&region) {}
    short Next(FRM_CCell& cell);
    void Reset();

private:
    const FRM_CRegion* itsRegion;
    std::size_t itsIndex = 0;
    FRM_CCell itsCell;
    bool itsStarted = false;
};
