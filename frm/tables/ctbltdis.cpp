// ctbltdis.cpp: the data-binding table source. Rows are cached with a stamp from one
// process-wide counter; eviction removes the smallest stamp, so a long forward scroll keeps the
// rows it just passed and lets the first ones go.
#include "frm/tables/ctbltdis.h"

#include <limits>
#include <memory>
#include "frm/core/ctdivalue.h"
#include "vkocoll/rwint.h"

namespace {

// One cached row: the source's own copy of the row value, and when it was cached.
class CCachableRow : public RWCollectable {
public:
    explicit CCachableRow(FRM_CTdiValue* rowData) : itsRowData(rowData), itsStamp(aStamp++) {}

    FRM_CTdiValue* RowData() const { return itsRowData.get(); }
    std::int64_t Stamp() const { return itsStamp; }
    // Takes the place of the row with fresh data, as if it had just been cached.
    void Replace(FRM_CTdiValue* rowData)
    {
        itsRowData.reset(rowData);
        itsStamp = aStamp++;
    }

private:
    // 64 bits: a long-running program scrolling through a large table never wraps it.
    static inline std::int64_t aStamp = 0;

    std::unique_ptr<FRM_CTdiValue> itsRowData;
    std::int64_t itsStamp;
};

// A new value of the same class holding a copy of value; null when it cannot be copied.
FRM_CTdiValue* CopyOf(const FRM_CTdiValue& value)
{
    std::unique_ptr<FRM_CTdiValue> copy(static_cast<FRM_CTdiValue*>(value.newSpecies()));
    if (copy == nullptr || copy->Copy(value) == 0)
        return nullptr;
    return copy.release();   // the caller owns it
}

// The integer at position index of value, when there is one that fits a cell index.
bool CountAt(FRM_CTdiValue& value, std::uint32_t index, std::int32_t& count)
{
    if (value.GoTo(index) == 0 || value.IsConvertible(FRM_CTdiValue::kInteger) == 0)
        return false;
    const long number = value.ToInteger();
    if (number < 0 || number > std::numeric_limits<std::int32_t>::max())
        return false;
    count = static_cast<std::int32_t>(number);
    return true;
}

} // namespace

FRM_CTableTdiSource::FRM_CTableTdiSource(FRM_CTableSourceHost* table) : itsTable(table)
{
    if (itsTable == nullptr)
        return;
    itsTable->Enrol(this);
    itsTable->SetSource(this);
}

FRM_CTableTdiSource::FRM_CTableTdiSource(const FRM_CTableTdiSource& other)
    : FRM_CNotifier(other), FRM_CTableSource(), itsTable(other.itsTable)
{
    if (itsTable != nullptr)
        itsTable->Enrol(this);
}

// Hand-written: assigning a source changes nothing; its table, enrolment and cache stay.
FRM_CTableTdiSource& FRM_CTableTdiSource::operator=(const FRM_CTableTdiSource&) { return *this; }

FRM_CTableTdiSource::~FRM_CTableTdiSource()
{
    itsCache.clearAndDestroy();
    if (itsTable == nullptr)
        return;
    if (itsTable->GetSource() == this)
        itsTable->SetSource(nullptr);
    itsTable->Leave(this);
}

void FRM_CTableTdiSource::TableGone(FRM_CTableSourceHost* table)
{
    if (table == itsTable)
        itsTable = nullptr;
}

void FRM_CTableTdiSource::SetCacheSize(std::int32_t rows)
{
    itsCacheLimit = rows > 0 ? rows : 1;
    while (itsCache.entries() > static_cast<std::size_t>(itsCacheLimit))
        DeleteOldestRow();
}

void FRM_CTableTdiSource::Prime(const FRM_CBounds&) {}

const FRM_CTdiValue* FRM_CTableTdiSource::GetTableData(const FRM_CCell& cell)
{
    const std::int32_t row = cell.V();
    const std::int32_t column = cell.H();
    if (row < 0 || column < 0)   // label strips and stray cells have no row to ask for
        return nullptr;
    FRM_CTdiValue* rowData = CacheToRow(row);
    if (rowData == nullptr) {
        if (itsCurrentRowNumber >= 0 && row == itsCurrentRowNumber + 1)
            RequestNextRow();
        else if (itsCurrentRowNumber >= 0 && row == itsCurrentRowNumber - 1)
            RequestPreviousRow();
        else
            RequestRow(row);
        rowData = CacheToRow(row);
    }
    if (rowData == nullptr || static_cast<std::uint32_t>(column) >= rowData->Entries())
        return nullptr;
    return rowData->GoTo(static_cast<std::uint32_t>(column)) != 0 ? rowData : nullptr;
}

short FRM_CTableTdiSource::PutTableData(const FRM_CCell&, const FRM_CTdiValue*) { return 0; }

void FRM_CTableTdiSource::RequestNextRow()
{
    itsPendingRowNumber = itsCurrentRowNumber + 1;
    TdiRequest(kRequestNextRow, nullptr, nullptr);
}

void FRM_CTableTdiSource::RequestPreviousRow()
{
    itsPendingRowNumber = itsCurrentRowNumber - 1;
    TdiRequest(kRequestPreviousRow, nullptr, nullptr);
}

void FRM_CTableTdiSource::RequestRow(std::int32_t row)
{
    itsPendingRowNumber = row;
    const FRM_CTdiIntegerValue number(row, this, kNoCommand);
    TdiRequest(kRequestRow, &number, nullptr);
}

void FRM_CTableTdiSource::DoUpdateModel(long controllerId, long command, const FRM_CModel* model)
{
    if (controllerId != 0)
        return;
    const FRM_CTdiValue* const value = FrmCast<FRM_CTdiValue>(model);
    if (value == nullptr)
        return;
    switch (command) {
    case kTagValue: {
        const std::int32_t row = itsPendingRowNumber;
        RowToCache(value, row);
        if (itsTable == nullptr)
            break;
        FRM_CBounds bounds = itsTable->GetCellBounds();
        if (static_cast<std::int64_t>(value->Entries()) > bounds.Right())
            bounds.Right(static_cast<std::int32_t>(value->Entries()));
        if (row >= bounds.Bottom() && row < std::numeric_limits<std::int32_t>::max())
            bounds.Bottom(row + 1);
        if (!(bounds == itsTable->GetCellBounds()))
            itsTable->SetCellBounds(bounds);
        break;
    }
    case kAppendRow:
    case kInsertRow:
        if (itsCurrentRowNumber == std::numeric_limits<std::int32_t>::max())
            break;
        ++itsCurrentRowNumber;
        RowToCache(value, itsCurrentRowNumber);
        if (itsTable != nullptr)
            GrowRightEnd(*value);
        break;
    case kCurrentRow:
        if (value->IsConvertible(FRM_CTdiValue::kInteger) != 0) {
            const long row = value->ToInteger();
            if (row >= -1 && row <= std::numeric_limits<std::int32_t>::max())
                itsCurrentRowNumber = static_cast<std::int32_t>(row);
        }
        break;
    case kTableSize:
        if (itsTable != nullptr)
            TakeTableSize(*value);
        break;
    default:
        break;
    }
}

void FRM_CTableTdiSource::GrowRightEnd(const FRM_CTdiValue& rowData)
{
    FRM_CBounds bounds = itsTable->GetCellBounds();
    if (static_cast<std::int64_t>(rowData.Entries()) <= bounds.Right())
        return;
    bounds.Right(static_cast<std::int32_t>(rowData.Entries()));
    itsTable->SetCellBounds(bounds);
}

void FRM_CTableTdiSource::TakeTableSize(const FRM_CTdiValue& size)
{
    // Read positionally from a copy: the delivered value is the provider's, cursor and all.
    const std::unique_ptr<FRM_CTdiValue> counts(CopyOf(size));
    FRM_CBounds bounds = itsTable->GetCellBounds();
    std::int32_t count = 0;
    if (counts != nullptr && CountAt(*counts, 0, count))
        bounds.Bottom(count);
    if (counts != nullptr && CountAt(*counts, 1, count))
        bounds.Right(count);
    itsTable->SetCellBounds(bounds);
}

void FRM_CTableTdiSource::RowToCache(const FRM_CTdiValue* rowData, std::int32_t row)
{
    if (rowData == nullptr)
        return;
    FRM_CTdiValue* const copy = CopyOf(*rowData);
    if (copy == nullptr)
        return;
    const RWCollectableInt key(row);
    if (auto* const cached = static_cast<CCachableRow*>(itsCache.findValue(&key))) {
        cached->Replace(copy);
        return;
    }
    while (itsCache.entries() >= static_cast<std::size_t>(itsCacheLimit))
        DeleteOldestRow();
    itsCache.insertKeyAndValue(new RWCollectableInt(row), new CCachableRow(copy));
}

FRM_CTdiValue* FRM_CTableTdiSource::CacheToRow(std::int32_t row) const
{
    const RWCollectableInt key(row);
    const auto* const cached = static_cast<const CCachableRow*>(itsCache.findValue(&key));
    return cached != nullptr ? cached->RowData() : nullptr;
}

void FRM_CTableTdiSource::DeleteOldestRow()
{
    struct Oldest {
        RWCollectable* key = nullptr;
        std::int64_t stamp = 0;
    } oldest;
    itsCache.applyToKeyAndValue(
        [](RWCollectable* key, RWCollectable* value, void* data) {
            auto* const found = static_cast<Oldest*>(data);
            const std::int64_t stamp = static_cast<CCachableRow*>(value)->Stamp();
            if (found->key == nullptr || stamp < found->stamp) {
                found->key = key;
                found->stamp = stamp;
            }
        },
        &oldest);
    if (oldest.key != nullptr)
        itsCache.removeAndDestroy(oldest.key);
}
