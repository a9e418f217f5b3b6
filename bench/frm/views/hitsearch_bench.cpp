// Hit search (the deepest view under a point) in a window whose views sit in a fixed grid,
// from 10 x 10 to 100 x 100 cells: a grid finds the cell by arithmetic, so the time per search
// should hardly grow with the number of views. The same views as plain children of a subview
// are searched top first, for comparison.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "frm/runtime/capplctn.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cfxdgrid.h"
#include "frm/views/cwindow.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace {

constexpr float kCell = 10;

class BenchDocument : public FRM_CDocument {
public:
    BenchDocument(FRM_CApplication* application, std::int32_t id) : FRM_CDocument(application, id) {}
    void BuildWindow() override {}
};

// A running framework with one window, closed again at the end.
class Framework {
public:
    Framework()
    {
        vkov_test_reset_all();
        FRM_CSwitchBoard::ResetForTests();
        itsApplication = std::make_unique<FRM_CApplication>();
        itsTaskWindow = vkov_test_create_task_window(hookWinEventHandler);
        vkok_app_process_pending_events();
        auto* document = new BenchDocument(itsApplication.get(), 5000);    // the application's
        itsWindow = new FRM_CWindow(document, FRM_CRect(0, 0, 1010, 1010), FRM_CStringRW("bench"),
                                    0, W_DOC, 0, itsTaskWindow);
    }
    ~Framework()
    {
        itsWindow->Close();
        vkok_app_process_pending_events();
        if (FRM_CApplication::IsInstantiated())
            vkok_vobj_destroy(itsTaskWindow);
        itsApplication.reset();
        vkov_test_reset_all();
    }
    FRM_CWindow* Window() const { return itsWindow; }

private:
    std::unique_ptr<FRM_CApplication> itsApplication;
    WINDOW itsTaskWindow = nullptr;
    FRM_CWindow* itsWindow = nullptr;
};

void Search(benchmark::State& state, FRM_CWindow* window, int side)
{
    std::mt19937 random(11);
    const float extent = side * kCell;
    for (auto _ : state) {
        const FRM_CPoint point(static_cast<float>(random() % 1000) / 1000 * extent,
                               static_cast<float>(random() % 1000) / 1000 * extent);
        benchmark::DoNotOptimize(window->FindDeepSubview(point));
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["views"] = static_cast<double>(side) * side;
}

void BM_HitSearch_FixedGrid(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    Framework framework;
    auto* grid = new FRM_CFixedGrid(framework.Window(), FRM_CPoint(0, 0), kCell, kCell, side, side);
    for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column)
            grid->Insert(new FRM_CView(grid, FRM_CRect(0, 0, kCell - 2, kCell - 2), FRM_CStringRW("c")),
                         row, column);
    Search(state, framework.Window(), side);
}

void BM_HitSearch_PlainSubview(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    Framework framework;
    auto* box = new FRM_CSubview(framework.Window(), FRM_CRect(0, 0, side * kCell + 1, side * kCell + 1));
    for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column)
            new FRM_CView(box, FRM_CRect(column * kCell, row * kCell, column * kCell + kCell - 2,
                                         row * kCell + kCell - 2),
                          FRM_CStringRW("c"));
    Search(state, framework.Window(), side);
}

} // namespace

BENCHMARK(BM_HitSearch_FixedGrid)->Arg(10)->Arg(32)->Arg(100);
BENCHMARK(BM_HitSearch_PlainSubview)->Arg(10)->Arg(32)->Arg(100);
