// long_search_bench.cpp: the two long searches of the WordNet demo as the user runs them in
// TavlinCD (headless, in this process): Browse, "Entry Word ends with..." "ing", and Basic,
// "Defining text contains..." "the". Each is timed from Return (the page's search, the text
// typed before) to the results
// shown (the hit lists filled, the count in the status bar, the first entry drawn and the
// pending paints handled), against the engine's part of it alone in the same run: the query
// run and its hits collected as the search window does. The difference is the program's
// side.
//
// The demo is found or written as demo_folder.h says. Without WordNet the benchmark
// says so and exits with 77, which the test command counts as skipped.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "headless_program.h"
#include "demo_folder.h"
#include "app/pages/search_page_win.h"
#include "vkobase/probe.h"

namespace {

bool Smoke() { return std::getenv("VKO_BENCH_SMOKE") != nullptr; }

std::unique_ptr<benchdemo::Demo> theDemo;

// The time the program spent in the engine's search, as its probe marks it.
std::uint64_t theSearchNs = 0;
std::uint64_t theSearchBegan = 0;
void HearSearch(std::int32_t phase, BOOLEAN begin, std::uint64_t nowNs)
{
    if (phase != VKO_PROBE_SEARCH)
        return;
    if (begin != 0)
        theSearchBegan = nowNs;
    else
        theSearchNs += nowNs - theSearchBegan;
}
std::unique_ptr<benchprogram::HeadlessProgram> theProgram;

// One long search: text typed on page (0 basic, 2 browse) under search type position.
struct LongSearch {
    int page;
    int searchType;
    const char* typed;
};

void RunLongSearch(benchmark::State& state, const LongSearch& search)
{
    if (!theProgram)
        theProgram = std::make_unique<benchprogram::HeadlessProgram>(theDemo->folder);
    MainRefWin* window = theProgram->window;
    if (window == nullptr) {
        state.SkipWithError("the program did not start on the demo");
        return;
    }
    SearchPageWin* page = window->ShowPage(search.page);
    if (!page->ChooseSearchType(search.searchType)) {
        state.SkipWithError("the page has no such search type");
        return;
    }
    // The text typed, then Return: the first search decodes the index's words, as the
    // first search of a session does.
    page->SetTypedText(search.typed);
    vkok_app_process_pending_events();
    page->Search();
    vkok_app_process_pending_events();
    using Clock = std::chrono::steady_clock;
    double program_s = 0;
    theSearchNs = 0;
    vkov_probe_set_sink(HearSearch);
    for (auto _ : state) {
        const auto t0 = Clock::now();
        page->Search();
        vkok_app_process_pending_events();
        program_s += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    vkov_probe_set_sink(nullptr);
    const std::string found = window->GetCountText();
    if (found.find(" Entries Found") == std::string::npos) {
        state.SkipWithError(("the status bar says \"" + found + "\"").c_str());
        return;
    }
    const double n = static_cast<double>(state.iterations());
    const double engine_s = static_cast<double>(theSearchNs) / 1e9;
    state.counters["hits"] = std::stod(found);
    state.counters["program_ms"] = program_s / n * 1e3;
    state.counters["engine_ms"] = engine_s / n * 1e3;
    state.counters["program_side_ms"] = (program_s - engine_s) / n * 1e3;
}

void BM_LongSearch_BrowseEndsWithIng(benchmark::State& state)
{
    RunLongSearch(state, LongSearch{2, 1, "ing"});
}
void BM_LongSearch_BasicDefiningTextThe(benchmark::State& state)
{
    RunLongSearch(state, LongSearch{0, 1, "the"});
}
BENCHMARK(BM_LongSearch_BrowseEndsWithIng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongSearch_BasicDefiningTextThe)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    theDemo = std::make_unique<benchdemo::Demo>(VKO_BUILD_DEMO_DIR, Smoke());
    if (theDemo->folder.empty()) {
        const bool missing = theDemo->missing;
        std::printf("%s: %s\n", missing ? "skipped" : "failed", theDemo->why.c_str());
        theDemo.reset();
        return missing ? 77 : 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theProgram.reset();
    theDemo.reset();
    return 0;
}
