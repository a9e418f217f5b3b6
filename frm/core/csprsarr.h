// csprsarr.h: FRM_CSparseArray keeps collectable objects at (row, column) positions of an
// unbounded grid where most positions are empty: a hash of rows, each a hash of columns. It
// never owns the objects. Three iterators walk it: every entry (live), one row and one column
// (sorted snapshots taken at construction). Negative positions and null objects are refused
// through the framework's fatal report.
#pragma once
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

class RWCollectable;

class FRM_CSparseArray {
public:
    FRM_CSparseArray() = default;
    // Copies the structure; the copy holds the same objects.
    FRM_CSparseArray(const FRM_CSparseArray& other) = default;
    FRM_CSparseArray& operator=(const FRM_CSparseArray& other);
    virtual ~FRM_CSparseArray() = default;

    // Stores object at an empty position; an occupied position keeps its object.
    virtual void Insert(RWCollectable* object, std::int32_t row, std::int32_t column);
    // The object that was there (null when empty). The row stays, and still counts, even
    // when it becomes empty.
    virtual RWCollectable* Remove(std::int32_t row, std::int32_t column);
    // Removes the object's position (found by identity) and its row if that becomes empty;
    // 1 when found.
    virtual short Remove(const RWCollectable* object);
    virtual RWCollectable* GetContents(std::int32_t row, std::int32_t column) const;
    // The highest row (column) that has held an entry, plus 1; 0 when empty.
    virtual std::int32_t GetNumRows() const;
    virtual std::int32_t GetNumCols() const;
    virtual std::int32_t GetNumEntries() const;
    virtual void Clear();

    // Moves every entry at column first or later amount columns right. A shift that would
    // take a column past the largest column number is refused (2007), as is a negative one.
    void ShiftColumns(std::int32_t first, std::int32_t amount);

private:
    friend class FRM_CSparseArrayIterator;
    friend class FRM_CSparseRowIterator;
    friend class FRM_CSparseColIterator;
    using Row = std::unordered_map<std::int32_t, RWCollectable*>;
    using Rows = std::unordered_map<std::int32_t, Row>;

    Rows itsRows;
    mutable std::int32_t itsHighestRow = -1;      // -1: unknown (or empty)
    mutable std::int32_t itsHighestColumn = -1;   // -1: unknown (or empty)
    std::uint64_t itsChanges = 0;                 // counts structural changes, for iterators
};

// Walks every entry: rows in hash order, then columns in hash order. A change of the array
// ends the walk (Next answers null) instead of reading a changed table. Copying is refused
// (2002, 2003).
class FRM_CSparseArrayIterator {
public:
    explicit FRM_CSparseArrayIterator(const FRM_CSparseArray& array);
    FRM_CSparseArrayIterator(const FRM_CSparseArrayIterator& other);
    FRM_CSparseArrayIterator& operator=(const FRM_CSparseArrayIterator& other);
    virtual ~FRM_CSparseArrayIterator() = default;

    // The next object and its position (either output may be null); null at the end.
    RWCollectable* Next(std::int32_t* row = nullptr, std::int32_t* column = nullptr);
    void Reset();

private:
    const FRM_CSparseArray* itsArray;
    FRM_CSparseArray::Rows::const_iterator itsRow;
    FRM_CSparseArray::Row::const_iterator itsColumn;
    bool itsStarted = false;
    std::uint64_t itsChanges = 0;
};

// What the row and column iterators share: a walk over a sorted snapshot of (index, object)
// pairs taken at construction. Copying is refused (2005, 2006).
class FRM_CSparseLineIterator {
public:
    FRM_CSparseLineIterator(const FRM_CSparseLineIterator& other);
    FRM_CSparseLineIterator& operator=(const FRM_CSparseLineIterator& other);
    virtual ~FRM_CSparseLineIterator() = default;

    // The next object and its column (row iterator) or row (column iterator); null at the end.
    RWCollectable* Next(std::int32_t* index = nullptr);
    void Reset() { itsPosition = 0; }

protected:
    FRM_CSparseLineIterator() = default;
    // False, after the report, for a null array (2004) or a negative index (2010).
    static bool Walkable(const FRM_CSparseArray* array, std::int32_t index);
    std::vector<std::pair<std::int32_t, RWCollectable*>> itsEntries;

private:
    std::size_t itsPosition = 0;
};

// The entries of one row by ascending column, as they were at construction; nothing for a
// row that never held an entry, a null array or a negative row.
class FRM_CSparseRowIterator : public FRM_CSparseLineIterator {
public:
    FRM_CSparseRowIterator(const FRM_CSparseArray* array, std::int32_t row);
};

// The entries of one column by ascending row, likewise.
class FRM_CSparseColIterator : public FRM_CSparseLineIterator {
public:
    FRM_CSparseColIterator(const FRM_CSparseArray* array, std::int32_t column);
};
