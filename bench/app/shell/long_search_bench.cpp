// long_search_bench.cpp: the two long searches of the WordNet demo as the user runs them in
// TavlinCD (headless, in this process): Browse, "Entry Word ends with..." "ing", and Basic,
// "Defining text contains..." "the". Each is timed from Return (the page's search, the text
// typed before) to the results
// shown (the hit lists filled, the count in the status bar, the first entry drawn and the
// pending paints handled), against the engine's part of it alone in the same run: the query
// run and its hits collected as the search window does. The difference is the program's
// side.
//
// The demo is the build's own (<build>/demo, written with -DVKO_DEMO=ON) or the folder
// VKO_DEMO_DIR names; without either, a slice of it is written from WordNet into a temporary
// folder (far fewer hits). Without WordNet the benchmark says so and exits with 77, which
// the test command counts as skipped.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include <benchmark/benchmark.h>

#include "headless_program.h"
#include "app/pages/search_page_win.h"
#include "vkobase/probe.h"
#include "tools/demodict/demo_writer.h"
#include "tools/demodict/description.h"

namespace {

constexpr char kWordNet[] = "/usr/share/wordnet";

bool Smoke() { return std::getenv("VKO_BENCH_SMOKE") != nullptr; }

bool HasDemo(const std::string& folder)
{
    return std::filesystem::exists(folder + "/" + demodict::kDescriptionFile);
}

// Where the demo is, written into a temporary folder when it must be.
struct Demo {
    std::string folder;
    std::string temporary; // removed at the end
    std::string why;       // why there is none
    bool missing = false;  // WordNet is not installed: skipped

    Demo()
    {
        const char* named = std::getenv("VKO_DEMO_DIR");
        for (const std::string& candidate : {std::string(named != nullptr ? named : ""), std::string(VKO_BUILD_DEMO_DIR)})
            if (!candidate.empty() && HasDemo(candidate)) {
                folder = candidate;
                return;
            }
        if (!std::filesystem::exists(std::string(kWordNet) + "/index.noun")) {
            why = "WordNet (wordnet-base) is not installed";
            missing = true;
            return;
        }
        char pattern[] = "/tmp/vko_long_search_XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            why = "cannot make a temporary folder";
            return;
        }
        temporary = pattern;
        demodict::DemoSlice slice;
        // A few words that end in "ing" besides the first lemmas; "the" is in most
        // definitions.
        slice.first_lemmas = Smoke() ? 200 : 30000;
        slice.lemmas = {"beginning", "building", "evening", "morning", "painting"};
        demodict::DemoReport written;
        std::string error;
        if (demodict::write_demo(kWordNet, temporary + "/demo", &slice, {}, &written, &error))
            folder = temporary + "/demo";
        else
            why = "cannot write the demo slice: " + error;
    }
    ~Demo()
    {
        std::error_code code;
        if (!temporary.empty())
            std::filesystem::remove_all(temporary, code);
    }
};

std::unique_ptr<Demo> theDemo;

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
    theDemo = std::make_unique<Demo>();
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
