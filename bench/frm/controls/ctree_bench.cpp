// A tree view of 100,000 items in 1,000 folders (10,000 in 100 in a smoke run): expanding
// and collapsing the whole tree, and scrolling by a page with a full repaint of the rows,
// against the same scroll and repaint of a tree of 1,000 items in 10 folders in the same run.
// Drawing skips every folder outside the clip by its composite height, so the repaint should
// cost about the same whatever the size of the tree: the counter ratio_to_small_tree reports
// big / small repaint time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bench/frm/frm_bench_support.h"
#include "frm/controls/ctreevw.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/viewsvc.h"

namespace {

constexpr int kItemsPerFolder = 100;

int BigFolders() { return frmbench::smoke() ? 100 : 1000; }

// A tree of theFolders folders of kItemsPerFolder items each, all expanded, drawn once.
FRM_CTreeView* NewTree(FRM_CWindow* theWindow, const FRM_CRect& theFrame, int theFolders)
{
    auto* tree = new FRM_CTreeView(theWindow, theFrame);  // the window owns it
    tree->ITreeView(nullptr, 0x07000000ul, FRM_CEnvironment::DefaultFont(), FRM_CTreeItem::kBestHeight,
                    FRM_CTreeItem::kBestIndent, nullptr, nullptr, nullptr, nullptr, 0, 1, 0, 16, 100, 1, 0);
    FRM_CTreeNodeItem* root = tree->GetRoot();
    root->SetString(FRM_CStringRW("bookmarks"));
    for (int f = 0; f < theFolders; ++f) {
        auto* folder = static_cast<FRM_CTreeNodeItem*>(
            root->AddNodeChild(FRM_CStringRW(("folder " + std::to_string(f)).c_str())));
        for (int i = 0; i < kItemsPerFolder; ++i)
            folder->AddTerminalChild(FRM_CStringRW(("word " + std::to_string(f * kItemsPerFolder + i)).c_str()));
    }
    root->Expand(1, 0);
    tree->Draw(tree->GetGlobalFrame());
    return tree;
}

void BM_TreeExpandAll(benchmark::State& state)
{
    frmbench::Running running(400, 600);
    FRM_CTreeView* tree = NewTree(running.window, FRM_CRect(0, 0, 400, 600), BigFolders());
    FRM_CTreeNodeItem* root = tree->GetRoot();
    for (auto _ : state) {
        state.PauseTiming();
        root->Collapse(1);
        state.ResumeTiming();
        root->Expand(1, 0);
    }
    state.SetItemsProcessed(state.iterations() * BigFolders() * (kItemsPerFolder + 1));
    state.counters["rows"] = root->GetCompositeHeight() / root->GetHeight();
}

void BM_TreeCollapseAll(benchmark::State& state)
{
    frmbench::Running running(400, 600);
    FRM_CTreeView* tree = NewTree(running.window, FRM_CRect(0, 0, 400, 600), BigFolders());
    FRM_CTreeNodeItem* root = tree->GetRoot();
    for (auto _ : state) {
        state.PauseTiming();
        root->Expand(1, 0);
        state.ResumeTiming();
        root->Collapse(1);
    }
    state.SetItemsProcessed(state.iterations() * BigFolders() * (kItemsPerFolder + 1));
}

// One page down (back to the top at the end) and a repaint of the whole view; seconds.
double ScrollAndRepaint(FRM_CTreeView* theTree)
{
    const auto start = std::chrono::steady_clock::now();
    const float before = theTree->GetScrollingOrigin().V();
    theTree->VScroll(SC_PAGE_DOWN, 0);
    if (theTree->GetScrollingOrigin().V() == before)
        theTree->VScroll(SC_THUMB, 0);
    theTree->Invalidate(frm_views::MaxRect());
    vkok_app_process_pending_events();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_TreeScrollPageWithRepaint(benchmark::State& state)
{
    frmbench::Running running(820, 600);
    FRM_CTreeView* big = NewTree(running.window, FRM_CRect(0, 0, 400, 600), BigFolders());
    FRM_CTreeView* small = NewTree(running.window, FRM_CRect(410, 0, 810, 600), 10);
    double bigTime = 0;
    double smallTime = 0;
    for (auto _ : state) {
        const double seconds = ScrollAndRepaint(big);
        bigTime += seconds;
        state.SetIterationTime(seconds);
        smallTime += ScrollAndRepaint(small);
    }
    state.counters["ratio_to_small_tree"] = smallTime > 0 ? bigTime / smallTime : 0;
    state.counters["big_rows"] = big->GetRoot()->GetCompositeHeight() / big->GetRoot()->GetHeight();
    state.counters["small_rows"] = small->GetRoot()->GetCompositeHeight() / small->GetRoot()->GetHeight();
}

BENCHMARK(BM_TreeExpandAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeCollapseAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeScrollPageWithRepaint)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
