// Mouse-move events delivered through the framework's event hook: the switchboard, the
// window's mouse manager and its handlers, then the view tree down to a view nested `depth`
// levels deep. Reports events per second; the cost per level is the difference between the
// depths divided by their distance.
#include <benchmark/benchmark.h>

#include "../frm_bench_support.h"
#include "frm/views/csubview.h"

namespace {

int EventCount() { return frmbench::smoke() ? 1000 : 100000; }

void BM_MouseMove_ThroughTheSwitchboard(benchmark::State& state)
{
    frmbench::Running running;
    const int depth = static_cast<int>(state.range(0));
    FRM_CSubview* enclosure = running.window;
    for (int level = 1; level < depth; ++level) // nested subviews, each inside the last
        enclosure = new FRM_CSubview(enclosure, FRM_CRect(1, 1, 500, 400));
    new FRM_CView(enclosure, FRM_CRect(1, 1, 400, 300), FRM_CStringRW("leaf"));
    const WINDOW window = running.window->GetVKOWindow();
    const int events = EventCount();
    EVENT move{};
    move.type = E_MOUSE_MOVE;
    for (auto _ : state) {
        for (int i = 0; i < events; ++i) {
            move.v.mouse.where = s_pnt{static_cast<std::int16_t>(50 + i % 7),
                                       static_cast<std::int16_t>(60 + i % 5)};
            hookWinEventHandler(window, &move);
        }
    }
    state.SetItemsProcessed(state.iterations() * events);
    state.counters["depth"] = depth;
}
BENCHMARK(BM_MouseMove_ThroughTheSwitchboard)->Arg(1)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
