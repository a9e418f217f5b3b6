// The data-binding table source against a fake provider and a stand-in table: which requests a
// missing row sends, how answers fill the cache and the table's bounds, the cache bound with its
// oldest-first eviction and replacement of a row delivered again, and sources that outlive
// their table (a stand-in and a real one).
#include "frm/tables/ctbltdis.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "frm/core/ctdicntr.h"
#include "frm/core/ctdivalue.h"
#include "frm/tables/ctable.h"
#include "table_fixture.h"

namespace {


// A row of `columns` texts "row:column", optionally tagged to tell two deliveries apart.
FRM_CTdiListValue MakeRow(int row, int columns, const std::string& tag = "")
{
    FRM_CTdiListValue list;
    for (int c = 0; c < columns; ++c) {
        const std::string text = std::to_string(row) + ":" + std::to_string(c) + tag;
        list.Append(new FRM_CTdiStringValue(FRM_CStringRW(text.c_str()), nullptr, kNoCommand));
    }
    return list;
}

// The table's side: its source slot and its cell bounds, with every bounds change written down.
class StandInTable : public FRM_CTableSourceHost {
public:
    void SetSource(FRM_CTableSource* source) override { itsSource = source; }
    FRM_CTableSource* GetSource() const override { return itsSource; }
    FRM_CBounds GetCellBounds() const override { return itsBounds; }
    void SetCellBounds(const FRM_CBounds& bounds) override
    {
        itsBounds = bounds;
        changes.push_back(bounds);
    }

    std::vector<FRM_CBounds> changes;

private:
    FRM_CTableSource* itsSource = nullptr;
    FRM_CBounds itsBounds;
};

// A provider of rows of `columns` cells, answering inside each request. Rows asked for by
// number come back as the pending row (and, with reportsCurrent, the provider first says the
// row is now its current one); next and previous move its own cursor and answer the same way.
class RowProvider : public FRM_CNotifier {
public:
    explicit RowProvider(int columns) : itsColumns(columns) {}

    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override
    {
        const FRM_CTdiValue* const value = FrmCast<FRM_CTdiValue>(model);
        requests.push_back({command, value != nullptr ? value->ToInteger() : -1});
        if (controllerId != 0 || silent)
            return;
        if (command == FRM_CTableTdiSource::kRequestRow && value != nullptr)
            itsCursor = static_cast<int>(value->ToInteger());
        else if (command == FRM_CTableTdiSource::kRequestNextRow)
            ++itsCursor;
        else if (command == FRM_CTableTdiSource::kRequestPreviousRow)
            --itsCursor;
        else
            return;
        if (reportsCurrent)
            TdiNotify(FRM_CTableTdiSource::kCurrentRow, itsCursor);
        FRM_CTdiListValue row = MakeRow(itsCursor, itsColumns);
        TdiNotify(kTagValue, &row);
    }

    struct Request {
        long command;
        long row;   // the integer sent with the request, -1 without one
        bool operator==(const Request&) const = default;
    };
    std::vector<Request> requests;
    bool reportsCurrent = false;
    bool silent = false;

private:
    int itsColumns;
    int itsCursor = -1;
};

// A model that is no data-binding value.
class PlainModel : public FRM_CModel {
public:
    short Change(long, const FRM_CModel*) override { return 1; }
};

std::string Text(const FRM_CTdiValue* value)
{
    return value != nullptr ? std::string(value->ToString().data()) : "null";
}

struct Bound : ::testing::Test {
    Bound() : source(&table), link(&provider, &source, nullptr, 1) {}
    // The provider delivers value under command as if unasked.
    void Deliver(long command, FRM_CTdiValue& value) { provider.TdiNotify(command, &value); }

    StandInTable table;
    RowProvider provider{3};
    FRM_CTableTdiSource source;
    FRM_CTdiConnection link;
};

using Request = RowProvider::Request;
constexpr long kByNumber = FRM_CTableTdiSource::kRequestRow;
constexpr long kNext = FRM_CTableTdiSource::kRequestNextRow;
constexpr long kPrevious = FRM_CTableTdiSource::kRequestPreviousRow;

TEST_F(Bound, AsksForAMissingRowOnceAndAnswersCellsFromTheCachedRow)
{
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(1, 5))), "5:1");
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(2, 5))), "5:2");
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(0, 5))), "5:0");
    EXPECT_EQ(provider.requests, (std::vector<Request>{{kByNumber, 5}}));

    // Columns past the row's end, and cells of the label strips, answer null and ask nothing.
    for (const FRM_CCell cell : {FRM_CCell(3, 5), FRM_CCell(-1, 5), FRM_CCell(0, -1)})
        EXPECT_EQ(source.GetTableData(cell), nullptr) << cell.H() << "," << cell.V();
    EXPECT_EQ(provider.requests.size(), 1u);

    // A provider that has no such row leaves the cell empty; the next look asks again.
    provider.silent = true;
    EXPECT_EQ(source.GetTableData(FRM_CCell(0, 9)), nullptr);
    EXPECT_EQ(source.GetTableData(FRM_CCell(0, 9)), nullptr);
    EXPECT_EQ(provider.requests.size(), 3u);

    // Read-only: a store is refused and changes nothing.
    FRM_CTdiStringValue other(FRM_CStringRW("x"), nullptr, kNoCommand);
    EXPECT_EQ(source.PutTableData(FRM_CCell(1, 5), &other), 0);
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(1, 5))), "5:1");
}

TEST_F(Bound, NeighboursOfTheCurrentRowAreAskedForAsNextAndPrevious)
{
    provider.reportsCurrent = true;
    source.GetTableData(FRM_CCell(0, 10));
    EXPECT_EQ(source.GetCurrentRowNumber(), 10);
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(0, 11))), "11:0");
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(0, 10))), "10:0");   // cached
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(0, 12))), "12:0");
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(0, 9))), "9:0");   // no neighbour: by number
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(0, 8))), "8:0");
    EXPECT_EQ(provider.requests, (std::vector<Request>{{kByNumber, 10}, {kNext, -1},
                                                       {kNext, -1}, {kByNumber, 9},
                                                       {kPrevious, -1}}));
}

TEST_F(Bound, AnswersOfOtherControllersAndModelsThatAreNoValuesChangeNothing)
{
    FRM_CTdiIntegerValue current(7, nullptr, kNoCommand);
    source.DoUpdateModel(3, FRM_CTableTdiSource::kCurrentRow, &current);
    FRM_CTdiListValue size;
    size.Append(new FRM_CTdiIntegerValue(40, nullptr, kNoCommand));
    source.DoUpdateModel(1, FRM_CTableTdiSource::kTableSize, &size);
    FRM_CTdiListValue row = MakeRow(0, 3);
    source.DoUpdateModel(2, FRM_CTableTdiSource::kAppendRow, &row);
    source.DoUpdateModel(0, FRM_CTableTdiSource::kCurrentRow, nullptr);
    const PlainModel notAValue;
    source.DoUpdateModel(0, FRM_CTableTdiSource::kAppendRow, &notAValue);
    EXPECT_EQ(source.GetCurrentRowNumber(), -1);
    EXPECT_EQ(source.CachedRows(), 0u);
    EXPECT_TRUE(table.changes.empty());
}

TEST_F(Bound, DeliveredRowsWidenTheTableButOnlyAskedRowsLengthenIt)
{
    table.SetCellBounds(FRM_CBounds(0, 0, 10, 3));
    table.changes.clear();
    RowProvider wide(5);
    FRM_CTdiConnection wideLink(&wide, &source, nullptr, 1);
    link.Disconnect();

    source.GetTableData(FRM_CCell(0, 4));   // inside: only the right end grows
    EXPECT_EQ(table.GetCellBounds(), FRM_CBounds(0, 0, 10, 5));
    source.GetTableData(FRM_CCell(0, 10));   // at the bottom end
    EXPECT_EQ(table.GetCellBounds(), FRM_CBounds(0, 0, 11, 5));
    source.GetTableData(FRM_CCell(0, 30));   // past it
    EXPECT_EQ(table.GetCellBounds(), FRM_CBounds(0, 0, 31, 5));
    EXPECT_EQ(table.changes.size(), 3u);

    // Appended rows widen the table but never lengthen it; they follow the current row.
    FRM_CTdiIntegerValue current(40, nullptr, kNoCommand);
    wide.TdiNotify(FRM_CTableTdiSource::kCurrentRow, &current);
    FRM_CTdiListValue appended = MakeRow(41, 7);
    wide.TdiNotify(FRM_CTableTdiSource::kAppendRow, &appended);
    FRM_CTdiListValue inserted = MakeRow(42, 2);
    wide.TdiNotify(FRM_CTableTdiSource::kInsertRow, &inserted);
    EXPECT_EQ(table.GetCellBounds(), FRM_CBounds(0, 0, 31, 7));
    EXPECT_EQ(source.GetCurrentRowNumber(), 42);
    const std::size_t asked = wide.requests.size();
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(6, 41))), "41:6");
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(1, 42))), "42:1");
    EXPECT_EQ(wide.requests.size(), asked);
}

TEST_F(Bound, TheTableSizeSetsRowsThenColumns)
{
    struct Case {
        std::vector<long> numbers;   // a single number is sent as an integer value
        FRM_CBounds expected;
    };
    const std::vector<Case> cases = {
        {{25}, FRM_CBounds(0, 0, 25, 3)},
        {{1000, 12}, FRM_CBounds(0, 0, 1000, 12)},
        {{-4, 6}, FRM_CBounds(0, 0, 10, 6)},   // a count no table can have is not taken
        {{0, 0}, FRM_CBounds(0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        table.SetCellBounds(FRM_CBounds(0, 0, 10, 3));
        table.changes.clear();
        FRM_CTdiListValue list;
        for (long n : c.numbers)
            list.Append(new FRM_CTdiIntegerValue(static_cast<int>(n), nullptr, kNoCommand));
        FRM_CTdiIntegerValue single(static_cast<int>(c.numbers[0]), nullptr, kNoCommand);
        FRM_CTdiValue& value = c.numbers.size() == 1 ? static_cast<FRM_CTdiValue&>(single) : list;
        // The provider's own walk over the list must not decide which entry is which.
        list.Reset();
        list.Next();
        list.Next();
        Deliver(FRM_CTableTdiSource::kTableSize, value);
        EXPECT_EQ(table.GetCellBounds(), c.expected) << c.numbers[0];
        EXPECT_EQ(table.changes.size(), 1u);   // given to the table even when unchanged
    }
}

TEST_F(Bound, TheCacheHoldsItsLimitAndLetsTheOldestRowGoFirst)
{
    source.SetCacheSize(4);
    for (int row = 0; row < 10; ++row) {
        source.GetTableData(FRM_CCell(0, row));
        EXPECT_LE(source.CachedRows(), 4u);
    }
    // Scrolling forward keeps the rows just passed: re-reading them asks nothing.
    const std::size_t asked = provider.requests.size();
    for (int row = 6; row < 10; ++row)
        EXPECT_EQ(Text(source.GetTableData(FRM_CCell(1, row))), std::to_string(row) + ":1");
    EXPECT_EQ(provider.requests.size(), asked);
    // The first rows are gone and come back by asking; row 6, now the oldest, makes room.
    source.GetTableData(FRM_CCell(0, 0));
    EXPECT_EQ(provider.requests.back(), (Request{kByNumber, 0}));
    source.GetTableData(FRM_CCell(0, 7));
    EXPECT_EQ(provider.requests.size(), asked + 1);
    source.GetTableData(FRM_CCell(0, 6));
    EXPECT_EQ(provider.requests.back(), (Request{kByNumber, 6}));

    // Shrinking evicts down to the limit; a limit below one is one.
    source.SetCacheSize(2);
    EXPECT_EQ(source.CachedRows(), 2u);
    for (std::int32_t limit : {0, -5}) {
        source.SetCacheSize(limit);
        EXPECT_EQ(source.GetCacheLimit(), 1);
        EXPECT_EQ(source.CachedRows(), 1u);
    }
    const std::size_t before = provider.requests.size();
    source.GetTableData(FRM_CCell(2, 6));   // the newest row stayed
    EXPECT_EQ(provider.requests.size(), before);
}

TEST_F(Bound, ARowDeliveredAgainReplacesTheCachedCopy)
{
    source.SetCacheSize(2);
    source.GetTableData(FRM_CCell(0, 2));
    source.GetTableData(FRM_CCell(0, 1));
    // The provider sends row 2 again with new contents, as the row after its current row 1.
    FRM_CTdiIntegerValue current(1, nullptr, kNoCommand);
    Deliver(FRM_CTableTdiSource::kCurrentRow, current);
    FRM_CTdiListValue fresh = MakeRow(2, 3, "'");
    Deliver(FRM_CTableTdiSource::kAppendRow, fresh);
    EXPECT_EQ(source.CachedRows(), 2u);
    const std::size_t asked = provider.requests.size();
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(1, 2))), "2:1'");
    // The replaced row counts as cached last: the next new row makes room by dropping row 1.
    source.GetTableData(FRM_CCell(0, 5));
    EXPECT_EQ(Text(source.GetTableData(FRM_CCell(1, 2))), "2:1'");
    EXPECT_EQ(provider.requests.size(), asked + 1);
    source.GetTableData(FRM_CCell(0, 1));
    EXPECT_EQ(provider.requests.size(), asked + 2);
}

TEST(TableTdiSource, RegistersWithItsTableAndLeavesItOnlyWhenStillItsSource)
{
    StandInTable table;
    {
        FRM_CTableTdiSource source(&table);
        EXPECT_EQ(table.GetSource(), &source);
        {
            const FRM_CTableTdiSource copy(source);   // serves the table, unregistered
            EXPECT_EQ(table.GetSource(), &source);
        }
        EXPECT_EQ(table.GetSource(), &source);   // the copy was not the table's source
    }
    EXPECT_EQ(table.GetSource(), nullptr);

    FRM_CTableTdiSource first(&table);
    auto second = std::make_unique<FRM_CTableTdiSource>(&table);
    EXPECT_EQ(table.GetSource(), second.get());
    table.SetSource(&first);
    second.reset();
    EXPECT_EQ(table.GetSource(), &first);

    FRM_CTableTdiSource alone(nullptr);   // no table: answers still work, bounds untouched
    RowProvider provider(2);
    FRM_CTdiConnection link(&provider, &alone, nullptr, 1);
    EXPECT_EQ(Text(alone.GetTableData(FRM_CCell(1, 3))), "3:1");
}

TEST(TableTdiSource, SourcesOutliveTheirTable)
{
    auto table = std::make_unique<StandInTable>();
    table->SetCellBounds(FRM_CBounds(0, 0, 5, 2));
    FRM_CTableTdiSource first(table.get());
    const FRM_CTableTdiSource copy(first);
    FRM_CTableTdiSource second(table.get());   // now the table's source
    RowProvider provider(2);
    FRM_CTdiConnection link(&provider, &first, nullptr, 1);
    table.reset();
    // None of them touches the table again: answers still come, bounds are nobody's.
    EXPECT_EQ(Text(first.GetTableData(FRM_CCell(1, 9))), "9:1");
}

class SourcedTableTest : public tabletest::TableFixture {};

TEST_F(SourcedTableTest, ATableClosedBeforeItsSourceLeavesTheSourceWhole)
{
    auto* const table = new FRM_CTable(itsWindow, FRM_CRect(0, 0, 300, 200),
                                       FRM_CEnvironment::DefaultFont(), kRowHeight, kColumnWidth);
    table->ITable(FRM_CTable::SingleCell, 1, 1, 1, 1, 0, 1, 0);
    auto source = std::make_unique<FRM_CTableTdiSource>(table);
    EXPECT_EQ(table->GetSource(), source.get());
    RowProvider provider(4);
    FRM_CTdiConnection link(&provider, source.get(), nullptr, 1);
    table->SetCellBounds(FRM_CBounds(0, 0, 20, 2));
    table->GetTableView()->Draw(table->GetTableView()->GetGlobalFrame());
    EXPECT_GT(source->CachedRows(), 0u);
    EXPECT_EQ(table->GetCellBounds(), FRM_CBounds(0, 0, 20, 4));   // widened by the rows
    delete table;
    EXPECT_EQ(Text(source->GetTableData(FRM_CCell(2, 40))), "40:2");
    source.reset();
}

} // namespace
