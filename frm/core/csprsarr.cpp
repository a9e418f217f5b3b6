// csprsarr.cpp: the sparse array and its iterators. The highest row and column are kept
// while known and recounted over all keys when a removal has made them unknown (-1).
#include "frm/core/csprsarr.h"

#include <algorithm>
#include <limits>
#include "frm/core/frmerror.h"

namespace {
constexpr char kModule[] = "csprsarr.cpp";
constexpr long kErrNullObject = 2000;
constexpr long kErrNegativePosition = 2001;
constexpr long kErrArrayIteratorCopy = 2002;
constexpr long kErrArrayIteratorAssign = 2003;
constexpr long kErrNullArray = 2004;
constexpr long kErrIteratorCopy = 2005;
constexpr long kErrIteratorAssign = 2006;
constexpr long kErrNegativeShift = 2007;
constexpr long kErrNegativeIndex = 2010;
constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();

bool Refused(std::int32_t row, std::int32_t column, int line)
{
    if (row >= 0 && column >= 0)
        return false;
    FrmError(kErrNegativePosition, kModule, line);
    return true;
}
} // namespace

// Hand-written: Clear counts a change, so iterators over the old cells see it.
FRM_CSparseArray& FRM_CSparseArray::operator=(const FRM_CSparseArray& other)
{
    if (this == &other)
        return *this;
    Clear();
    itsRows = other.itsRows;
    itsHighestRow = other.itsHighestRow;
    itsHighestColumn = other.itsHighestColumn;
    return *this;
}

void FRM_CSparseArray::Insert(RWCollectable* object, std::int32_t row, std::int32_t column)
{
    if (object == nullptr) {
        FrmError(kErrNullObject, kModule, __LINE__);
        return;
    }
    if (Refused(row, column, __LINE__))
        return;
    const bool wasEmpty = itsRows.empty();
    const auto [rowAt, newRow] = itsRows.try_emplace(row);
    // A highest value that is unknown stays unknown: raising it would hide larger keys.
    if (newRow && (wasEmpty || itsHighestRow >= 0))
        itsHighestRow = std::max(itsHighestRow, row);
    const auto [columnAt, stored] = rowAt->second.try_emplace(column, object);
    if (!stored)
        return;   // an occupied position keeps its object
    if (wasEmpty || itsHighestColumn >= 0)
        itsHighestColumn = std::max(itsHighestColumn, column);
    ++itsChanges;
}

RWCollectable* FRM_CSparseArray::Remove(std::int32_t row, std::int32_t column)
{
    if (Refused(row, column, __LINE__))
        return nullptr;
    const auto rowAt = itsRows.find(row);
    if (rowAt == itsRows.end())
        return nullptr;
    const auto columnAt = rowAt->second.find(column);
    if (columnAt == rowAt->second.end())
        return nullptr;
    RWCollectable* const object = columnAt->second;
    rowAt->second.erase(columnAt);
    if (row == itsHighestRow)
        itsHighestRow = -1;
    if (column == itsHighestColumn)
        itsHighestColumn = -1;
    ++itsChanges;
    return object;
}

short FRM_CSparseArray::Remove(const RWCollectable* object)
{
    for (auto rowAt = itsRows.begin(); rowAt != itsRows.end(); ++rowAt) {
        Row& columns = rowAt->second;
        const auto columnAt = std::find_if(columns.begin(), columns.end(), [&](const auto& entry) {
            return entry.second == object;
        });
        if (columnAt == columns.end())
            continue;
        if (rowAt->first == itsHighestRow)
            itsHighestRow = -1;
        if (columnAt->first == itsHighestColumn)
            itsHighestColumn = -1;
        columns.erase(columnAt);
        if (columns.empty())
            itsRows.erase(rowAt);
        ++itsChanges;
        return 1;
    }
    return 0;
}

RWCollectable* FRM_CSparseArray::GetContents(std::int32_t row, std::int32_t column) const
{
    if (Refused(row, column, __LINE__))
        return nullptr;
    const auto rowAt = itsRows.find(row);
    if (rowAt == itsRows.end())
        return nullptr;
    const auto columnAt = rowAt->second.find(column);
    return columnAt != rowAt->second.end() ? columnAt->second : nullptr;
}

std::int32_t FRM_CSparseArray::GetNumRows() const
{
    if (itsRows.empty())
        return 0;
    if (itsHighestRow == -1) {
        for (const auto& [row, columns] : itsRows)
            itsHighestRow = std::max(itsHighestRow, row);
    }
    return itsHighestRow + 1;
}

std::int32_t FRM_CSparseArray::GetNumCols() const
{
    if (itsHighestColumn == -1) {
        for (const auto& [row, columns] : itsRows) {
            for (const auto& [column, object] : columns)
                itsHighestColumn = std::max(itsHighestColumn, column);
        }
    }
    return itsHighestColumn + 1;
}

std::int32_t FRM_CSparseArray::GetNumEntries() const
{
    std::size_t entries = 0;
    for (const auto& [row, columns] : itsRows)
        entries += columns.size();
    return static_cast<std::int32_t>(std::min<std::size_t>(entries, kLargest));
}

void FRM_CSparseArray::Clear()
{
    itsRows.clear();
    itsHighestRow = -1;
    itsHighestColumn = -1;
    ++itsChanges;
}

void FRM_CSparseArray::ShiftColumns(std::int32_t first, std::int32_t amount)
{
    if (amount < 0) {
        FrmError(kErrNegativeShift, kModule, __LINE__);
        return;
    }
    if (amount == 0)
        return;
    const std::int32_t highest = GetNumCols() - 1;
    if (highest >= first && highest > kLargest - amount) {
        FrmError(kErrNegativeShift, kModule, __LINE__);
        return;
    }
    for (auto& [row, columns] : itsRows) {
        std::vector<std::pair<std::int32_t, RWCollectable*>> moving;
        for (const auto& entry : columns) {
            if (entry.first >= first)
                moving.push_back(entry);
        }
        for (const auto& entry : moving)
            columns.erase(entry.first);
        for (const auto& [column, object] : moving)
            columns.emplace(column + amount, object);
    }
    if (highest >= first)
        itsHighestColumn = highest + amount;
    ++itsChanges;
}

// ---- iterators -----------------------------------------------------------------------------

FRM_CSparseArrayIterator::FRM_CSparseArrayIterator(const FRM_CSparseArray& array)
    : itsArray(&array)
{
    Reset();
}

FRM_CSparseArrayIterator::FRM_CSparseArrayIterator(const FRM_CSparseArrayIterator& other)
    : itsArray(other.itsArray)
{
    FrmError(kErrArrayIteratorCopy, kModule, __LINE__);
    Reset();
}

// Hand-written: assigning an iterator is an error; nothing is copied.
FRM_CSparseArrayIterator& FRM_CSparseArrayIterator::operator=(const FRM_CSparseArrayIterator&)
{
    FrmError(kErrArrayIteratorAssign, kModule, __LINE__);
    return *this;
}

void FRM_CSparseArrayIterator::Reset()
{
    itsRow = itsArray->itsRows.begin();
    itsStarted = false;
    itsChanges = itsArray->itsChanges;
}

RWCollectable* FRM_CSparseArrayIterator::Next(std::int32_t* row, std::int32_t* column)
{
    if (itsChanges != itsArray->itsChanges)
        return nullptr;   // the table changed under the walk
    const auto rowsEnd = itsArray->itsRows.end();
    if (itsRow == rowsEnd)
        return nullptr;
    if (!itsStarted) {
        itsColumn = itsRow->second.begin();
        itsStarted = true;
    } else {
        ++itsColumn;
    }
    while (itsColumn == itsRow->second.end()) {
        if (++itsRow == rowsEnd)
            return nullptr;
        itsColumn = itsRow->second.begin();
    }
    if (row != nullptr)
        *row = itsRow->first;
    if (column != nullptr)
        *column = itsColumn->first;
    return itsColumn->second;
}

FRM_CSparseLineIterator::FRM_CSparseLineIterator(const FRM_CSparseLineIterator& other)
    : itsEntries(other.itsEntries)
{
    FrmError(kErrIteratorCopy, kModule, __LINE__);
}

// Hand-written: assigning an iterator is an error; nothing is copied.
FRM_CSparseLineIterator& FRM_CSparseLineIterator::operator=(const FRM_CSparseLineIterator&)
{
    FrmError(kErrIteratorAssign, kModule, __LINE__);
    return *this;
}

RWCollectable* FRM_CSparseLineIterator::Next(std::int32_t* index)
{
    if (itsPosition >= itsEntries.size())
        return nullptr;
    const auto& [at, object] = itsEntries[itsPosition++];
    if (index != nullptr)
        *index = at;
    return object;
}

bool FRM_CSparseLineIterator::Walkable(const FRM_CSparseArray* array, std::int32_t index)
{
    if (array == nullptr) {
        FrmError(kErrNullArray, kModule, __LINE__);
        return false;
    }
    if (index < 0) {
        FrmError(kErrNegativeIndex, kModule, __LINE__);
        return false;
    }
    return true;
}

FRM_CSparseRowIterator::FRM_CSparseRowIterator(const FRM_CSparseArray* array, std::int32_t row)
{
    if (!Walkable(array, row))
        return;
    const auto rowAt = array->itsRows.find(row);
    if (rowAt == array->itsRows.end())
        return;
    itsEntries.assign(rowAt->second.begin(), rowAt->second.end());
    std::sort(itsEntries.begin(), itsEntries.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
}

FRM_CSparseColIterator::FRM_CSparseColIterator(const FRM_CSparseArray* array,
                                               std::int32_t column)
{
    if (!Walkable(array, column))
        return;
    for (const auto& [row, columns] : array->itsRows) {
        const auto columnAt = columns.find(column);
        if (columnAt != columns.end())
            itsEntries.emplace_back(row, columnAt->second);
    }
    std::sort(itsEntries.begin(), itsEntries.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
}
