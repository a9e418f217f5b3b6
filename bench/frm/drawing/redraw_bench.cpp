// Redrawing a window of 2,000 simple views (a framed box and a text each) through the
// framework (update event, switchboard, each view's drawing context and environment)
// against the same primitives drawn straight through the base library in the same run.
// The framework's redraw should take at most twice the direct one. Reports views per second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "../frm_bench_support.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/views/cview.h"

namespace {

constexpr int kColumns = 40;
constexpr float kCellWidth = 20;
constexpr float kCellHeight = 12;

int ViewCount() { return frmbench::smoke() ? 200 : 2000; }

FRM_CRect CellOf(int i)
{
    const float left = static_cast<float>(i % kColumns) * kCellWidth;
    const float top = static_cast<float>(i / kColumns) * kCellHeight;
    return FRM_CRect(left, top, left + kCellWidth - 2, top + kCellHeight - 2);
}

class BoxView : public FRM_CView {
public:
    BoxView(FRM_CSubview* enclosure, const FRM_CRect& frame)
        : FRM_CView(enclosure, frame, FRM_CStringRW("v"))
    {
    }
    void Draw(const FRM_CRect&) override
    {
        FRM_CDrawingContext context(this);
        const FRM_CRect frame = GetFrame();
        context.DrawRect(frame);
        context.DrawText(GetTitle(), FRM_CPoint(frame.Left() + 2, frame.Bottom() - 2));
    }
};

void BM_Redraw_Framework(benchmark::State& state)
{
    frmbench::Running running;
    const int count = ViewCount();
    for (int i = 0; i < count; ++i)
        new BoxView(running.window, CellOf(i)); // owned by the window
    const WINDOW window = running.window->GetVKOWindow();
    for (auto _ : state) {
        vkok_dwin_invalidate_rect(window, nullptr);
        vkok_dwin_update(window);
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_Redraw_Framework)->Unit(benchmark::kMillisecond);

void BM_Redraw_Direct(benchmark::State& state)
{
    frmbench::Running running;
    const int count = ViewCount();
    const WINDOW window = running.window->GetVKOWindow();
    std::vector<s_rct> cells;
    for (int i = 0; i < count; ++i)
        cells.push_back(static_cast<s_rct>(CellOf(i)));
    const s_cpen pen{1, 2, 0, 0x07000000u};
    const s_cbrush brush{2, 0x0BFFFFFFu};
    for (auto _ : state) {
        vkok_dwin_invalidate_rect(window, nullptr);
        vkok_dwin_update(window); // the empty window's own redraw, as the framework's has
        for (const s_rct& cell : cells) {
            vkok_dwin_set_clip(window, &cell);
            vkok_dwin_set_cpen(window, &pen);
            vkok_dwin_set_cbrush(window, &brush);
            vkok_dwin_draw_rect(window, &cell);
            vkok_dwin_draw_text(window, cell.left + 2, cell.bottom - 2, "v", -1);
            vkok_dwin_set_clip(window, nullptr);
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_Redraw_Direct)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
