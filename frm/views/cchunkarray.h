// cchunkarray.h: FRM_CChunkArray, a sparse two-dimensional array of fixed-size cells kept in
// rectangular chunks that exist only once a cell inside them is written; cells of missing
// chunks read as zero. The array owns its chunks; copies are deep.
#pragma once

#include <cstdint>
#include <memory>

#include "frm/core/crect.h"
#include "vkocoll/collect.h"
#include "vkocoll/hashtab.h"

class FRM_CTypeInfo;

// One chunk: the cells of its bounds, row-major, zero-filled when built.
class FRM_CChunk : public RWCollectable {
public:
    static constexpr RWClassID kClassId = 20192;

    // An empty chunk without storage (the container library's factory makes these).
    FRM_CChunk() = default;
    FRM_CChunk(const FRM_CBounds& theBounds, unsigned theCellSize);
    FRM_CChunk(const FRM_CChunk& other);
    FRM_CChunk& operator=(const FRM_CChunk&) = delete;
    ~FRM_CChunk() override;

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override { return kClassId; }
    // Chunks are found by their bounds alone, so a probe chunk without storage finds one.
    unsigned hash() const override;
    bool isEqual(const RWCollectable* other) const override;

    virtual short Contains(const FRM_CCell& theCell) const;
    // Writes theCount cells from theStart on, advancing by theStep; every cell must lie in the
    // chunk. A null buffer writes zeros. Returns 0 (nothing written) when a cell lies outside
    // or the chunk has no storage.
    virtual short Set(const FRM_CCell& theStart, const FRM_CCell& theStep, const void* theBuffer,
                      long theCount);
    virtual short Set(const FRM_CCell& theCell, const void* theValue);
    virtual short Get(const FRM_CCell& theStart, const FRM_CCell& theStep, void* theBuffer,
                      long theCount) const;
    virtual short Get(const FRM_CCell& theCell, void* theValue) const;
    // The address of the first cell; 0 (address untouched) without storage.
    virtual short GetAddress(void** theAddress) const;
    // True when every byte is zero, the chunk was never set or it has no storage.
    virtual short IsEmpty() const;
    virtual FRM_CBounds Bounds() const { return itsBounds; }
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    // Byte offset of a cell inside the chunk (the cell must lie inside).
    long OffsetOf(const FRM_CCell& theCell) const;

    short itsHasBeenSet = 0;
    FRM_CBounds itsBounds;
    unsigned itsCellSize = 0;
    std::int32_t itsColumnSkip = 0;                // bytes per chunk row
    std::unique_ptr<unsigned char[]> itsData;      // width × height × cell size bytes

private:
    short CopyRun(const FRM_CCell& theStart, const FRM_CCell& theStep, unsigned char* theBuffer,
                  long theCount, bool toChunk);
};

// Fills each newly built chunk (its data already zeroed). Not owned by the array.
class FRM_CChunkArraySourceCallback {
public:
    FRM_CChunkArraySourceCallback() = default;
    FRM_CChunkArraySourceCallback(const FRM_CChunkArraySourceCallback&) = default;
    FRM_CChunkArraySourceCallback& operator=(const FRM_CChunkArraySourceCallback&) = default;
    virtual ~FRM_CChunkArraySourceCallback() = default;
    virtual void Populate(FRM_CChunk* theChunk) = 0;
};

class FRM_CChunkArray {
public:
    explicit FRM_CChunkArray(unsigned theCellSize);
    FRM_CChunkArray(unsigned theCellSize, std::int32_t theChunkRows, std::int32_t theChunkColumns);
    // Copies own chunks of their own: two arrays never share one.
    FRM_CChunkArray(const FRM_CChunkArray& other);
    FRM_CChunkArray& operator=(const FRM_CChunkArray& other);
    virtual ~FRM_CChunkArray();

    // The union of the bounds of all chunks (whole chunks).
    virtual FRM_CBounds Bounds() const { return itsBounds; }
    virtual void SetSourceCallback(FRM_CChunkArraySourceCallback* theCallback);
    // Runs of theCount cells from theStart, advancing by theStep. Set adds chunks as needed
    // and writes zeros for a null buffer; Get reads zeros from missing chunks.
    virtual short Set(const FRM_CCell& theStart, const FRM_CCell& theStep, const void* theBuffer,
                      long theCount);
    virtual short Set(const FRM_CCell& theCell, const void* theValue);
    virtual short Get(const FRM_CCell& theStart, const FRM_CCell& theStep, void* theBuffer,
                      long theCount);
    // A cell in no chunk fills theValue with zeros and returns 0.
    virtual short Get(const FRM_CCell& theCell, void* theValue);
    // The address of the cell's storage; 0 (address untouched) when no chunk holds the cell.
    virtual short GetAddress(const FRM_CCell& theCell, void** theAddress);
    virtual short InsertRows(std::int32_t theRow, std::int32_t theCount);
    // Rows after the deleted ones move up by theCount and the rows left over at the end of the
    // bounds are cleared. Rows below the bounds are zero anyway, so theLimit changes nothing.
    virtual short DeleteRows(std::int32_t theRow, std::int32_t theCount, std::int32_t theLimit);
    virtual short InsertColumns(std::int32_t theColumn, std::int32_t theCount);
    virtual short DeleteColumns(std::int32_t theColumn, std::int32_t theCount);
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    // The chunk holding the cell, or null; the last chunk found is cached.
    FRM_CChunk* FindChunkWithCell(const FRM_CCell& theCell);
    // The chunk holding the cell, built (and populated by the source callback) when missing.
    FRM_CChunk* AddChunkWithCell(const FRM_CCell& theCell);
    // Drops every chunk whose cells are all zero and shrinks the bounds to the rest.
    void RemoveEmptyChunks();
    unsigned GetCellSize() const { return itsCellSize; }
    std::int32_t GetChunkRows() const { return itsChunkRows; }
    std::int32_t GetChunkColumns() const { return itsChunkColumns; }
    std::size_t GetNumChunks() const { return itsChunks.entries(); }

protected:
    FRM_CChunkArraySourceCallback* itsSourceCallback = nullptr;
    unsigned itsCellSize;
    FRM_CBounds itsBounds;
    std::int32_t itsChunkRows;
    std::int32_t itsChunkColumns;
    short itsHasBeenSet = 0;
    FRM_CChunk* itsLastChunk = nullptr;
    RWHashTable itsChunks{67};

private:
    friend class FRM_CChunkArrayIterator;

    FRM_CBounds ChunkBoundsOf(const FRM_CCell& theCell) const;
    FRM_CChunk* BuildChunk(const FRM_CCell& theCell);
    short RunCells(const FRM_CCell& theStart, const FRM_CCell& theStep, unsigned char* theBuffer,
                   long theCount, bool toArray);
    // Moves one row (column when byColumn) to another place, chunk by chunk along it.
    short CopyLine(bool byColumn, std::int32_t theSource, std::int32_t theTarget);
    void ClearLine(bool byColumn, std::int32_t theLine);
    short InsertLines(bool byColumn, std::int32_t theLine, std::int32_t theCount);
    short DeleteLines(bool byColumn, std::int32_t theLine, std::int32_t theCount);
    void CopyChunksFrom(const FRM_CChunkArray& other);
    void DestroyChunks();
};

// Walks the non-zero cells. Next stores the cell and returns a buffer holding its value, or
// null at the end; the buffer is the iterator's and is overwritten by the next call.
class FRM_CChunkArrayIterator {
public:
    explicit FRM_CChunkArrayIterator(FRM_CChunkArray& theArray);
    virtual ~FRM_CChunkArrayIterator();
    virtual void* Next(FRM_CCell* theCell);
    virtual void Reset();

protected:
    FRM_CChunkArrayIterator(const FRM_CChunkArrayIterator&) = delete;
    // Steps to the next cell, zero or not; null at the end.
    virtual void* NextInternal(FRM_CCell* theCell);
    bool IsZero(const void* theValue) const;

    FRM_CChunkArray& itsArray;
    FRM_CCell itsCell;
    FRM_CChunk* itsChunk = nullptr;
    std::unique_ptr<RWHashTableIterator> itsChunkIterator;
    std::unique_ptr<unsigned char[]> itsBuffer;
    bool itIsStarted = false;
};

// Walks the non-zero cells of one row or column, jumping over missing chunks a chunk at a time.
class FRM_CChunkArrayLineIterator : public FRM_CChunkArrayIterator {
protected:
    FRM_CChunkArrayLineIterator(FRM_CChunkArray& theArray, std::int32_t theLine, bool byColumn)
        : FRM_CChunkArrayIterator(theArray), itsLine(theLine), itIsByColumn(byColumn) {}
    void* NextInternal(FRM_CCell* theCell) override;

    std::int32_t itsLine;
    bool itIsByColumn;
};

// One row, left to right.
class FRM_CChunkArrayRowIterator : public FRM_CChunkArrayLineIterator {
public:
    FRM_CChunkArrayRowIterator(FRM_CChunkArray& theArray, std::int32_t theRow)
        : FRM_CChunkArrayLineIterator(theArray, theRow, false) {}
};

// One column, top to bottom.
class FRM_CChunkArrayColumnIterator : public FRM_CChunkArrayLineIterator {
public:
    FRM_CChunkArrayColumnIterator(FRM_CChunkArray& theArray, std::int32_t theColumn)
        : FRM_CChunkArrayLineIterator(theArray, theColumn, true) {}
};
