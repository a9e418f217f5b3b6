// ctbltdis.h: FRM_CTableTdiSource, a read-only table source fed by data binding. It asks its
// providers for whole rows, one at a time, keeps the rows it received in a bounded cache keyed
// by row number (the oldest cached row leaves first), and answers a cell from its cached row.
// Providers answer inside the request, so a missing row is there right after asking for it.
#pragma once
#include <cstdint>
#include "frm/core/cboss.h"
#include "frm/core/ccmdnums.h"
#include "frm/tables/ctblsrc.h"
#include "vkocoll/hashdict.h"

class FRM_CTableTdiSource : public FRM_CNotifier, public FRM_CTableSource {
    FRM_TYPE_INFO(CTableTdiSource)
    // Data-binding commands: requests to the providers, then their answers.
    static constexpr long kRequestNextRow = 20104;
    static constexpr long kRequestPreviousRow = 20105;
    static constexpr long kRequestRow = 20108;          // with an integer value: the row
    static constexpr long kAppendRow = 20004;           // a row value: the row after the current
    static constexpr long kInsertRow = 20008;           // the same
    static constexpr long kCurrentRow = 20100;          // an integer value
    static constexpr long kTableSize = 20101;           // a list: rows, then columns
    static constexpr std::int32_t kDefaultCacheLimit = 64;

    // Enrols with table (may be null) and registers as its source.
    explicit FRM_CTableTdiSource(FRM_CTableSourceHost* table);
    // Takes over only the table reference (enrolled), empty and unregistered.
    FRM_CTableTdiSource(const FRM_CTableTdiSource& other);
    // Changes nothing.
    FRM_CTableTdiSource& operator=(const FRM_CTableTdiSource& other);
    // Destroys the cached rows, unregisters when the table still holds this source, and leaves.
    ~FRM_CTableTdiSource() override;

    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    // The limit becomes rows (at least 1); the oldest rows leave until the cache fits.
    virtual void SetCacheSize(std::int32_t rows);

    void Prime(const FRM_CBounds& bounds) override;
    // The cached row standing on the cell's column, asking the providers for a missing row
    // first; null for a cell no row or column answers.
    const FRM_CTdiValue* GetTableData(const FRM_CCell& cell) override;
    // Refused (0): the source is read-only.
    short PutTableData(const FRM_CCell& cell, const FRM_CTdiValue* value) override;
    // From then on the source serves no table: answers still come, bounds are left alone.
    void TableGone(FRM_CTableSourceHost* table) override;

    std::int32_t GetCurrentRowNumber() const { return itsCurrentRowNumber; }
    std::int32_t GetCacheLimit() const { return itsCacheLimit; }
    std::size_t CachedRows() const { return itsCache.entries(); }

protected:
    void RequestNextRow();
    void RequestPreviousRow();
    void RequestRow(std::int32_t row);
    // Files a copy of rowData under row; a row already cached is replaced.
    void RowToCache(const FRM_CTdiValue* rowData, std::int32_t row);
    // The cached row value (owned by the cache), or null.
    FRM_CTdiValue* CacheToRow(std::int32_t row) const;
    // Drops the row cached longest ago; nothing when the cache is empty.
    void DeleteOldestRow();

private:
    void GrowRightEnd(const FRM_CTdiValue& rowData);
    void TakeTableSize(const FRM_CTdiValue& size);

    FRM_CTableSourceHost* itsTable;                  // not owned; may be null
    std::int32_t itsCurrentRowNumber = -1;
    std::int32_t itsPendingRowNumber = -1;
    std::int32_t itsCacheLimit = kDefaultCacheLimit;
    RWHashDictionary itsCache;                       // RWCollectableInt -> cached row; owned
};
