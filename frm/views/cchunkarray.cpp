// cchunkarray.cpp: the chunk array. Chunks are kept in a hash table keyed on their bounds
// with a one-entry cache in front; runs of cells are walked chunk by chunk so that each chunk
// is looked up once per run.
#include "frm/views/cchunkarray.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "frm/core/ctypeinfo.h"

namespace {

constexpr std::int32_t kDefaultChunkRows = 128;
constexpr std::int32_t kDefaultChunkColumns = 32;

// Integer division rounding toward minus infinity, so negative cells find their chunk too.
long FloorDiv(long value, long divisor)
{
    const long quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

bool AllZero(const unsigned char* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}

RWCollectable* CreateChunk()
{
    return new FRM_CChunk();
}

// Registers the chunk with the container library's factory when the library loads.
const bool kChunkRegistered = [] {
    rwAddToFactory(CreateChunk, FRM_CChunk::kClassId, "CChunk");
    return true;
}();


} // namespace

// ---------------------------------------------------------------------------------------------
// FRM_CChunk

FRM_CChunk::FRM_CChunk(const FRM_CBounds& theBounds, unsigned theCellSize)
    : itsBounds(theBounds), itsCellSize(theCellSize),
      itsColumnSkip(static_cast<std::int32_t>(theBounds.Width() * theCellSize))
{
    const long size = static_cast<long>(theBounds.Width()) * theBounds.Height() * theCellSize;
    if (size > 0)
        itsData = std::make_unique<unsigned char[]>(static_cast<std::size_t>(size));
}

FRM_CChunk::FRM_CChunk(const FRM_CChunk& other)
    : RWCollectable(other), itsHasBeenSet(other.itsHasBeenSet), itsBounds(other.itsBounds),
      itsCellSize(other.itsCellSize), itsColumnSkip(other.itsColumnSkip)
{
    const long size = static_cast<long>(itsBounds.Width()) * itsBounds.Height() * itsCellSize;
    if (other.itsData && size > 0) {
        itsData = std::make_unique<unsigned char[]>(static_cast<std::size_t>(size));
        std::memcpy(itsData.get(), other.itsData.get(), static_cast<std::size_t>(size));
    }
}

FRM_CChunk::~FRM_CChunk() = default;

RWCollectable* FRM_CChunk::newSpecies() const
{
    return new FRM_CChunk();
}

RWCollectable* FRM_CChunk::copy() const
{
    return new FRM_CChunk(*this);
}

unsigned FRM_CChunk::hash() const
{
    return static_cast<unsigned>(itsBounds.Top() + itsBounds.Left());
}

bool FRM_CChunk::isEqual(const RWCollectable* other) const
{
    if (other == nullptr || other->isA() != kClassId)
        return false;
    return static_cast<const FRM_CChunk*>(other)->itsBounds == itsBounds;
}

short FRM_CChunk::Contains(const FRM_CCell& theCell) const
{
    return itsBounds.Contains(theCell) ? 1 : 0;
}

long FRM_CChunk::OffsetOf(const FRM_CCell& theCell) const
{
    return (theCell.V() - itsBounds.Top()) * static_cast<long>(itsColumnSkip) +
           (theCell.H() - itsBounds.Left()) * static_cast<long>(itsCellSize);
}

short FRM_CChunk::CopyRun(const FRM_CCell& theStart, const FRM_CCell& theStep,
                          unsigned char* theBuffer, long theCount, bool toChunk)
{
    if (!itsData || theCount <= 0)
        return itsData ? 1 : 0;
    const FRM_CCell last(theStart.H() + theStep.H() * (theCount - 1),
                         theStart.V() + theStep.V() * (theCount - 1));
    if (!Contains(theStart) || !Contains(last))
        return 0;
    unsigned char* place = itsData.get() + OffsetOf(theStart);
    const std::size_t cellSize = itsCellSize;
    if (theStep.H() == 1 && theStep.V() == 0) {    // neighbouring cells: one block
        const std::size_t bytes = cellSize * static_cast<std::size_t>(theCount);
        if (!toChunk)
            std::memcpy(theBuffer, place, bytes);
        else if (theBuffer != nullptr)
            std::memcpy(place, theBuffer, bytes);
        else
            std::memset(place, 0, bytes);
        return 1;
    }
    const long advance =
        theStep.V() * static_cast<long>(itsColumnSkip) + theStep.H() * static_cast<long>(cellSize);
    for (long i = 0; i < theCount; ++i, place += advance) {
        unsigned char* value = theBuffer == nullptr ? nullptr : theBuffer + i * cellSize;
        if (!toChunk)
            std::memcpy(value, place, cellSize);
        else if (value != nullptr)
            std::memcpy(place, value, cellSize);
        else
            std::memset(place, 0, cellSize);
    }
    return 1;
}

short FRM_CChunk::Set(const FRM_CCell& theStart, const FRM_CCell& theStep, const void* theBuffer,
                      long theCount)
{
    // The buffer is only read on this path; CopyRun shares one body with Get.
    auto* buffer = const_cast<unsigned char*>(static_cast<const unsigned char*>(theBuffer));
    const short done = CopyRun(theStart, theStep, buffer, theCount, true);
    if (done && theBuffer != nullptr)
        itsHasBeenSet = 1;
    return done;
}

short FRM_CChunk::Set(const FRM_CCell& theCell, const void* theValue)
{
    return Set(theCell, FRM_CCell(1, 0), theValue, 1);
}

short FRM_CChunk::Get(const FRM_CCell& theStart, const FRM_CCell& theStep, void* theBuffer,
                      long theCount) const
{
    if (theBuffer == nullptr)
        return 0;
    // Reading leaves the chunk unchanged; CopyRun shares one body with Set.
    return const_cast<FRM_CChunk*>(this)->CopyRun(theStart, theStep,
                                                  static_cast<unsigned char*>(theBuffer),
                                                  theCount, false);
}

short FRM_CChunk::Get(const FRM_CCell& theCell, void* theValue) const
{
    return Get(theCell, FRM_CCell(1, 0), theValue, 1);
}

short FRM_CChunk::GetAddress(void** theAddress) const
{
    if (!itsData || theAddress == nullptr)
        return 0;
    *theAddress = itsData.get();
    return 1;
}

short FRM_CChunk::IsEmpty() const
{
    if (!itsData || !itsHasBeenSet)
        return 1;
    const long size = static_cast<long>(itsBounds.Height()) * itsColumnSkip;
    return AllZero(itsData.get(), static_cast<std::size_t>(size)) ? 1 : 0;
}

const FRM_CTypeInfo* FRM_CChunk::GetRunTimeTypeInfo() const
{
    return &frm_type::CChunk;
}

const FRM_CTypeInfo* FRM_CChunk::GetStaticTypeInfo()
{
    return &frm_type::CChunk;
}

// ---------------------------------------------------------------------------------------------
// FRM_CChunkArray: construction and chunk lookup

FRM_CChunkArray::FRM_CChunkArray(unsigned theCellSize)
    : FRM_CChunkArray(theCellSize, kDefaultChunkRows, kDefaultChunkColumns)
{
}

FRM_CChunkArray::FRM_CChunkArray(unsigned theCellSize, std::int32_t theChunkRows,
                                 std::int32_t theChunkColumns)
    : itsCellSize(theCellSize), itsChunkRows(std::max<std::int32_t>(theChunkRows, 1)),
      itsChunkColumns(std::max<std::int32_t>(theChunkColumns, 1))
{
}

FRM_CChunkArray::FRM_CChunkArray(const FRM_CChunkArray& other)
    : itsSourceCallback(other.itsSourceCallback), itsCellSize(other.itsCellSize),
      itsChunkRows(other.itsChunkRows), itsChunkColumns(other.itsChunkColumns)
{
    CopyChunksFrom(other);
}

// Hand-written: the old chunks are destroyed and the other's owned chunks deep-copied.
FRM_CChunkArray& FRM_CChunkArray::operator=(const FRM_CChunkArray& other)
{
    if (this == &other)
        return *this;
    DestroyChunks();
    itsSourceCallback = other.itsSourceCallback;
    itsCellSize = other.itsCellSize;
    itsChunkRows = other.itsChunkRows;
    itsChunkColumns = other.itsChunkColumns;
    CopyChunksFrom(other);
    return *this;
}

FRM_CChunkArray::~FRM_CChunkArray()
{
    DestroyChunks();
}

void FRM_CChunkArray::CopyChunksFrom(const FRM_CChunkArray& other)
{
    // The other's table is only walked, never changed.
    RWHashTableIterator walk(const_cast<RWHashTable&>(other.itsChunks));
    while (RWCollectable* item = walk())
        itsChunks.insert(item->copy());
    itsBounds = other.itsBounds;
    itsHasBeenSet = other.itsHasBeenSet;
    itsLastChunk = nullptr;
}

void FRM_CChunkArray::DestroyChunks()
{
    itsChunks.clearAndDestroy();
    itsLastChunk = nullptr;
    itsBounds = FRM_CBounds();
}

void FRM_CChunkArray::SetSourceCallback(FRM_CChunkArraySourceCallback* theCallback)
{
    itsSourceCallback = theCallback;
}

FRM_CBounds FRM_CChunkArray::ChunkBoundsOf(const FRM_CCell& theCell) const
{
    const long top = FloorDiv(theCell.V(), itsChunkRows) * itsChunkRows;
    const long left = FloorDiv(theCell.H(), itsChunkColumns) * itsChunkColumns;
    return FRM_CBounds(top, left, top + itsChunkRows, left + itsChunkColumns);
}

FRM_CChunk* FRM_CChunkArray::FindChunkWithCell(const FRM_CCell& theCell)
{
    if (itsLastChunk != nullptr && itsLastChunk->Contains(theCell))
        return itsLastChunk;
    const FRM_CChunk probe(ChunkBoundsOf(theCell), 0);
    auto* found = static_cast<FRM_CChunk*>(itsChunks.find(&probe));
    if (found != nullptr)
        itsLastChunk = found;
    return found;
}

FRM_CChunk* FRM_CChunkArray::BuildChunk(const FRM_CCell& theCell)
{
    auto* chunk = new FRM_CChunk(ChunkBoundsOf(theCell), itsCellSize);
    if (itsSourceCallback != nullptr)
        itsSourceCallback->Populate(chunk);
    return chunk;
}

FRM_CChunk* FRM_CChunkArray::AddChunkWithCell(const FRM_CCell& theCell)
{
    if (FRM_CChunk* found = FindChunkWithCell(theCell))
        return found;
    FRM_CChunk* chunk = BuildChunk(theCell);
    itsChunks.insert(chunk);    // the table owns the chunk from here on
    itsBounds = itsChunks.entries() == 1 ? chunk->Bounds() : itsBounds.Union(chunk->Bounds());
    itsLastChunk = chunk;
    return chunk;
}

void FRM_CChunkArray::RemoveEmptyChunks()
{
    std::vector<FRM_CChunk*> empty;
    FRM_CBounds kept;
    bool anyKept = false;
    RWHashTableIterator walk(itsChunks);
    while (RWCollectable* item = walk()) {
        auto* chunk = static_cast<FRM_CChunk*>(item);
        if (chunk->IsEmpty()) {
            empty.push_back(chunk);
            continue;
        }
        kept = anyKept ? kept.Union(chunk->Bounds()) : chunk->Bounds();
        anyKept = true;
    }
    for (FRM_CChunk* chunk : empty) {
        itsChunks.remove(chunk);
        delete chunk;
    }
    itsLastChunk = nullptr;
    itsBounds = kept;
    itsHasBeenSet = 0;
}

// ---------------------------------------------------------------------------------------------
// Cells and runs

short FRM_CChunkArray::Set(const FRM_CCell& theCell, const void* theValue)
{
    FRM_CChunk* chunk = AddChunkWithCell(theCell);
    if (chunk == nullptr || !chunk->Set(theCell, theValue))
        return 0;
    if (theValue != nullptr)
        itsHasBeenSet = 1;
    return 1;
}

short FRM_CChunkArray::Get(const FRM_CCell& theCell, void* theValue)
{
    if (theValue == nullptr)
        return 0;
    FRM_CChunk* chunk = FindChunkWithCell(theCell);
    if (chunk == nullptr || !chunk->Get(theCell, theValue)) {
        std::memset(theValue, 0, itsCellSize);
        return 0;
    }
    return 1;
}

short FRM_CChunkArray::GetAddress(const FRM_CCell& theCell, void** theAddress)
{
    FRM_CChunk* chunk = FindChunkWithCell(theCell);
    void* first = nullptr;
    if (chunk == nullptr || theAddress == nullptr || !chunk->GetAddress(&first))
        return 0;
    *theAddress = static_cast<unsigned char*>(first) + chunk->OffsetOf(theCell);
    return 1;
}

short FRM_CChunkArray::RunCells(const FRM_CCell& theStart, const FRM_CCell& theStep,
                                unsigned char* theBuffer, long theCount, bool toArray)
{
    if (theStep.H() < 0 || theStep.V() < 0 ||
        (theStep.H() == 0 && theStep.V() == 0 && theCount > 1))
        return 0;
    FRM_CCell cell = theStart;
    long left = theCount;
    while (left > 0) {
        FRM_CChunk* chunk = toArray ? AddChunkWithCell(cell) : FindChunkWithCell(cell);
        const FRM_CBounds bounds = chunk != nullptr ? chunk->Bounds() : ChunkBoundsOf(cell);
        long steps = left;
        if (theStep.H() > 0)
            steps =
                std::min<long>(steps, (bounds.Right() - cell.H() + theStep.H() - 1) / theStep.H());
        if (theStep.V() > 0)
            steps =
                std::min<long>(steps, (bounds.Bottom() - cell.V() + theStep.V() - 1) / theStep.V());
        steps = std::max(steps, 1L);
        if (toArray) {
            if (chunk == nullptr || !chunk->Set(cell, theStep, theBuffer, steps))
                return 0;
            if (theBuffer != nullptr)
                itsHasBeenSet = 1;
        } else if (chunk == nullptr) {
            std::memset(theBuffer, 0, static_cast<std::size_t>(steps) * itsCellSize);
        } else if (!chunk->Get(cell, theStep, theBuffer, steps)) {
            return 0;
        }
        cell = FRM_CCell(cell.H() + theStep.H() * steps, cell.V() + theStep.V() * steps);
        if (theBuffer != nullptr)
            theBuffer += static_cast<std::size_t>(steps) * itsCellSize;
        left -= steps;
    }
    return 1;
}

short FRM_CChunkArray::Set(const FRM_CCell& theStart, const FRM_CCell& theStep,
                           const void* theBuffer, long theCount)
{
    // Writing only reads the buffer; RunCells shares one walk with Get.
    auto* buffer = const_cast<unsigned char*>(static_cast<const unsigned char*>(theBuffer));
    return RunCells(theStart, theStep, buffer, theCount, true);
}

short FRM_CChunkArray::Get(const FRM_CCell& theStart, const FRM_CCell& theStep, void* theBuffer,
                           long theCount)
{
    if (theBuffer == nullptr)
        return 0;
    return RunCells(theStart, theStep, static_cast<unsigned char*>(theBuffer), theCount, false);
}

// ---------------------------------------------------------------------------------------------
// Inserting and deleting rows and columns. A line is a row, or a column when byColumn is set.

short FRM_CChunkArray::CopyLine(bool byColumn, std::int32_t theSource, std::int32_t theTarget)
{
    const long first = byColumn ? itsBounds.Top() : itsBounds.Left();
    const long end = byColumn ? itsBounds.Bottom() : itsBounds.Right();
    const long segment = byColumn ? itsChunkRows : itsChunkColumns;
    const FRM_CCell step = byColumn ? FRM_CCell(0, 1) : FRM_CCell(1, 0);
    std::vector<unsigned char> buffer(static_cast<std::size_t>(segment) * itsCellSize);
    auto cellAt = [byColumn](long line, long along) {
        return byColumn ? FRM_CCell(line, along) : FRM_CCell(along, line);
    };
    for (long along = first; along < end; along += segment) {
        const FRM_CCell source = cellAt(theSource, along);
        const FRM_CCell target = cellAt(theTarget, along);
        FRM_CChunk* from = FindChunkWithCell(source);
        FRM_CChunk* to = FindChunkWithCell(target);
        if (from == nullptr && to == nullptr)
            continue;    // zeros onto zeros
        if (from == nullptr) {
            to->Set(target, step, nullptr, segment);
            continue;
        }
        from->Get(source, step, buffer.data(), segment);
        if (!Set(target, step, buffer.data(), segment))
            return 0;
    }
    itsHasBeenSet = 1;
    return 1;
}

void FRM_CChunkArray::ClearLine(bool byColumn, std::int32_t theLine)
{
    const long first = byColumn ? itsBounds.Top() : itsBounds.Left();
    const long end = byColumn ? itsBounds.Bottom() : itsBounds.Right();
    const long segment = byColumn ? itsChunkRows : itsChunkColumns;
    const FRM_CCell step = byColumn ? FRM_CCell(0, 1) : FRM_CCell(1, 0);
    for (long along = first; along < end; along += segment) {
        const FRM_CCell cell = byColumn ? FRM_CCell(theLine, along) : FRM_CCell(along, theLine);
        if (FRM_CChunk* chunk = FindChunkWithCell(cell))
            chunk->Set(cell, step, nullptr, segment);
    }
}

short FRM_CChunkArray::InsertLines(bool byColumn, std::int32_t theLine, std::int32_t theCount)
{
    if (theCount < 0)
        return 0;
    if (theCount == 0 || itsChunks.entries() == 0)
        return 1;
    const long low = byColumn ? itsBounds.Left() : itsBounds.Top();
    const long high = byColumn ? itsBounds.Right() : itsBounds.Bottom();
    for (long line = high - 1; line >= std::max<long>(theLine, low); --line)
        if (!CopyLine(byColumn, static_cast<std::int32_t>(line),
                      static_cast<std::int32_t>(line + theCount)))
            return 0;
    const long clearEnd = std::min<long>(static_cast<long>(theLine) + theCount, high);
    for (long line = std::max<long>(theLine, low); line < clearEnd; ++line)
        ClearLine(byColumn, static_cast<std::int32_t>(line));
    return 1;
}

short FRM_CChunkArray::DeleteLines(bool byColumn, std::int32_t theLine, std::int32_t theCount)
{
    if (theCount < 0)
        return 0;
    if (theCount == 0 || itsChunks.entries() == 0)
        return 1;
    const long low = byColumn ? itsBounds.Left() : itsBounds.Top();
    const long high = byColumn ? itsBounds.Right() : itsBounds.Bottom();
    // Lines whose source lies above the bounds are zero and stay zero.
    for (long line = std::max<long>(theLine, low - theCount); line + theCount < high; ++line)
        if (!CopyLine(byColumn, static_cast<std::int32_t>(line + theCount),
                      static_cast<std::int32_t>(line)))
            return 0;
    for (long line = std::max<long>(theLine, high - theCount); line < high; ++line)
        ClearLine(byColumn, static_cast<std::int32_t>(line));
    RemoveEmptyChunks();
    return 1;
}

short FRM_CChunkArray::InsertRows(std::int32_t theRow, std::int32_t theCount)
{
    return InsertLines(false, theRow, theCount);
}

short FRM_CChunkArray::DeleteRows(std::int32_t theRow, std::int32_t theCount, std::int32_t)
{
    return DeleteLines(false, theRow, theCount);
}

short FRM_CChunkArray::InsertColumns(std::int32_t theColumn, std::int32_t theCount)
{
    return InsertLines(true, theColumn, theCount);
}

short FRM_CChunkArray::DeleteColumns(std::int32_t theColumn, std::int32_t theCount)
{
    return DeleteLines(true, theColumn, theCount);
}

const FRM_CTypeInfo* FRM_CChunkArray::GetRunTimeTypeInfo() const
{
    return &frm_type::CChunkArray;
}

const FRM_CTypeInfo* FRM_CChunkArray::GetStaticTypeInfo()
{
    return &frm_type::CChunkArray;
}

// ---------------------------------------------------------------------------------------------
// Iterators

FRM_CChunkArrayIterator::FRM_CChunkArrayIterator(FRM_CChunkArray& theArray)
    : itsArray(theArray),
      itsChunkIterator(std::make_unique<RWHashTableIterator>(theArray.itsChunks)),
      itsBuffer(std::make_unique<unsigned char[]>(std::max(theArray.itsCellSize, 1u)))
{
}

FRM_CChunkArrayIterator::~FRM_CChunkArrayIterator() = default;

void FRM_CChunkArrayIterator::Reset()
{
    itsChunkIterator->reset();
    itsChunk = nullptr;
    itIsStarted = false;
}

bool FRM_CChunkArrayIterator::IsZero(const void* theValue) const
{
    if (itsArray.itsCellSize == 4) {
        std::uint32_t word = 0;
        std::memcpy(&word, theValue, sizeof word);
        return word == 0;
    }
    return AllZero(static_cast<const unsigned char*>(theValue), itsArray.itsCellSize);
}

void* FRM_CChunkArrayIterator::Next(FRM_CCell* theCell)
{
    while (void* value = NextInternal(theCell))
        if (!IsZero(value))
            return value;
    return nullptr;
}

void* FRM_CChunkArrayIterator::NextInternal(FRM_CCell* theCell)
{
    for (;;) {
        if (itsChunk != nullptr && itIsStarted) {
            // Row by row from the chunk's top-left cell.
            const FRM_CBounds bounds = itsChunk->Bounds();
            long h = itsCell.H() + 1;
            long v = itsCell.V();
            if (h >= bounds.Right()) {
                h = bounds.Left();
                ++v;
            }
            if (v < bounds.Bottom()) {
                itsCell = FRM_CCell(h, v);
                break;
            }
            itsChunk = nullptr;
        }
        auto* next = static_cast<FRM_CChunk*>((*itsChunkIterator)());
        if (next == nullptr)
            return nullptr;
        itsChunk = next;
        itsCell = FRM_CCell(next->Bounds().Left(), next->Bounds().Top());
        itIsStarted = true;
        if (itsChunk->itsData)
            break;
        itsChunk = nullptr;
    }
    itsChunk->Get(itsCell, itsBuffer.get());
    if (theCell != nullptr)
        *theCell = itsCell;
    return itsBuffer.get();
}

namespace {

// One step along a row (or a column) of the array: the next cell that a chunk holds, jumping
// over missing chunks a chunk at a time; false at the end of the bounds.
bool StepAlongLine(FRM_CChunkArray& array, bool byColumn, long line, bool started, FRM_CCell* cell,
                   FRM_CChunk** chunk)
{
    const FRM_CBounds bounds = array.Bounds();
    long along = started ? (byColumn ? cell->V() : cell->H()) + 1
                         : (byColumn ? bounds.Top() : bounds.Left());
    const long end = byColumn ? bounds.Bottom() : bounds.Right();
    const long jump = byColumn ? array.GetChunkRows() : array.GetChunkColumns();
    while (along < end) {
        const FRM_CCell here = byColumn ? FRM_CCell(line, along) : FRM_CCell(along, line);
        if (FRM_CChunk* found = array.FindChunkWithCell(here)) {
            *cell = here;
            *chunk = found;
            return true;
        }
        along = FloorDiv(along, jump) * jump + jump;    // the start of the next chunk
    }
    return false;
}

} // namespace

void* FRM_CChunkArrayLineIterator::NextInternal(FRM_CCell* theCell)
{
    if (!StepAlongLine(itsArray, itIsByColumn, itsLine, itIsStarted, &itsCell, &itsChunk))
        return nullptr;
    itIsStarted = true;
    itsChunk->Get(itsCell, itsBuffer.get());
    if (theCell != nullptr)
        *theCell = itsCell;
    return itsBuffer.get();
}
