// A list box scrolled by a page and repainted, with 100 lines against 100,000 in the same run:
// only the visible lines should be laid out and drawn, so the time per page should hardly grow
// with the number of lines. Under VKO_BENCH_SMOKE the long list has 10,000 lines.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/frm/frm_bench_support.h"
#include "frm/core/cstringrw.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/clistbox.h"

namespace {

void BM_ListBoxPageAndRepaint(benchmark::State& state)
{
    int lines = static_cast<int>(state.range(0));
    if (frmbench::smoke() && lines > 10000)
        lines = 10000;
    frmbench::Running running(400, 400);
    std::string texts;
    for (int i = 0; i < lines; ++i)
        texts += "entry word " + std::to_string(i) + ",";
    const FRM_CStringCollection items{FRM_CStringRW(texts.c_str())};
    auto* list = new FRM_CListBox(running.window, FRM_CRect(10, 10, 310, 310));
    list->IListBox(&items, 0, 1, 0, kNoCommand, kNoCommand, 1, 0);
    const FRM_CRect everything = FRM_CObjectRWC::GetG()->GetMAXRect();
    // Page down through the first screens and back, so both lists scroll the same distance.
    int page = 0;
    for (auto _ : state) {
        list->VScroll(page < 5 ? SC_PAGE_DOWN : SC_PAGE_UP, 0);
        page = (page + 1) % 10;
        list->DoDraw(everything);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["lines"] = lines;
}

} // namespace

BENCHMARK(BM_ListBoxPageAndRepaint)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
