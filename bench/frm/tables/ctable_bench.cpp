// A table of 20 columns whose rows come from a data-binding provider through the table's data
// source: scrolled by a page and repainted with 1,000,000 rows against 100 rows in the same run
// (only the visible cells are asked for and drawn, so the time per page should hardly grow with
// the rows), and cell hit tests per second with the last rows on screen. Under VKO_BENCH_SMOKE
// the long table has 100,000 rows.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/frm/frm_bench_support.h"
#include "frm/core/ctdicntr.h"
#include "frm/core/ctdivalue.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cglblcls.h"
#include "frm/tables/ctable.h"
#include "frm/tables/ctbltdis.h"

namespace {

constexpr int kColumns = 20;

// Answers each row request at once with a row of texts "row:column".
class RowProvider : public FRM_CNotifier {
public:
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override
    {
        const FRM_CTdiValue* const value = FrmCast<FRM_CTdiValue>(model);
        if (controllerId != 0)
            return;
        if (command == FRM_CTableTdiSource::kRequestRow && value != nullptr)
            itsCursor = static_cast<int>(value->ToInteger());
        else if (command == FRM_CTableTdiSource::kRequestNextRow)
            ++itsCursor;
        else if (command == FRM_CTableTdiSource::kRequestPreviousRow)
            --itsCursor;
        else
            return;
        FRM_CTdiListValue row;
        const std::string lead = std::to_string(itsCursor) + ":";
        for (int c = 0; c < kColumns; ++c)
            row.Append(new FRM_CTdiStringValue(FRM_CStringRW((lead + std::to_string(c)).c_str()),
                                               nullptr, kNoCommand));
        TdiNotify(kTagValue, &row);
        ++requests;
    }
    long requests = 0;

private:
    int itsCursor = -1;
};

// A table with labels and scroll bars in a window, fed by the provider through the source.
struct SourcedTable {
    SourcedTable(FRM_CWindow* window, int rows)
        : table(NewTable(window)), source(table), link(&provider, &source, nullptr, 1)
    {
        FRM_CTdiListValue size;
        size.Append(new FRM_CTdiIntegerValue(rows, nullptr, kNoCommand));
        size.Append(new FRM_CTdiIntegerValue(kColumns, nullptr, kNoCommand));
        provider.TdiNotify(FRM_CTableTdiSource::kTableSize, &size);
    }
    // Built with its parts, so that the interior is there to take the source.
    static FRM_CTable* NewTable(FRM_CWindow* window)
    {
        auto* const table = new FRM_CTable(window, FRM_CRect(0, 0, 780, 580),
                                           FRM_CEnvironment::DefaultFont(), 20, 60);
        table->ITable(FRM_CTable::SingleCell, 1, 1, 1, 1, 0, 1, 0);
        return table;
    }

    FRM_CTable* table;   // the window's
    RowProvider provider;
    FRM_CTableTdiSource source;
    FRM_CTdiConnection link;
};

int Rows(const benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    return frmbench::smoke() && rows > 100000 ? 100000 : rows;
}

void BM_TablePageAndRepaint(benchmark::State& state)
{
    const int rows = Rows(state);
    frmbench::Running running(800, 600);
    SourcedTable sourced(running.window, rows);
    FRM_CTable* const table = sourced.table;
    // Both tables scroll the same two pages down and back, from the middle of the table.
    table->SetCellOrigin(FRM_CCell(0, rows / 2 - 30));
    const FRM_CRect everything = FRM_CObjectRWC::GetG()->GetMAXRect();
    table->DoDraw(everything);
    int page = 0;
    for (auto _ : state) {
        table->VScroll(page < 2 ? SC_PAGE_DOWN : SC_PAGE_UP, 0);
        page = (page + 1) % 4;
        table->DoDraw(everything);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["rows"] = rows;
    state.counters["row requests"] = static_cast<double>(sourced.provider.requests);
}

void BM_TableHitTestAtTheBottom(benchmark::State& state)
{
    const int rows = Rows(state);
    frmbench::Running running(800, 600);
    SourcedTable sourced(running.window, rows);
    FRM_CTable* const table = sourced.table;
    table->SetCellOrigin(FRM_CCell(0, rows));   // clamped: the last rows on screen
    table->DoDraw(FRM_CObjectRWC::GetG()->GetMAXRect());
    const FRM_CRect interior = table->GetLocalInterior();
    float x = interior.Left() + 1;
    float y = interior.Top() + 1;
    std::int64_t sum = 0;
    for (auto _ : state) {
        sum += table->ToCell(FRM_CPoint(x, y)).V();
        x += 37;
        if (x >= interior.Right()) {
            x = interior.Left() + 1 + (x - interior.Right());
            y += 13;
            if (y >= interior.Bottom())
                y = interior.Top() + 1;
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations());
    state.counters["rows"] = rows;
    state.counters["last row shown"] = table->ToCell(FRM_CPoint(interior.Left() + 1,
                                                                interior.Bottom() - 1)).V();
}

} // namespace

BENCHMARK(BM_TablePageAndRepaint)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableHitTestAtTheBottom)->Arg(100)->Arg(1000000);
