// lookup_bench.cpp: from a typed word to its entry drawn in the main window (the search run
// in its status window, the hit list filled, the first entry formatted, laid out and
// drawn), against the engine's lookup, hit collection and formatting of the same entry
// alone, in the same run. The program runs headless on a dictionary written at start with
// an entry shaped like the demo's typical one; the benchmark reports both times and their
// ratio (the goal: within 3).
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "bench_dictionary.h"
#include "headless_program.h"
#include "app/pages/kq_basic_win.h"
#include "engine/engine.h"

namespace {

class NullTarget : public EntryDisplayTarget {
public:
    void SetDisplayOrder(const RWOrdered&, const RWOrdered&, const RWOrdered*) override {}
    void ShowEntry(WordItem* const* parts) override { benchmark::DoNotOptimize(parts); }
};

// The program on the fixture dictionary, written into a folder of its own.
struct Program {
    std::string dir;
    std::unique_ptr<benchprogram::HeadlessProgram> running;
    SearchPageWin* page = nullptr;
    RefDoc* document = nullptr;

    Program()
    {
        char pattern[] = "/tmp/vko_lookup_bench_XXXXXX";
        const char* made = mkdtemp(pattern);
        if (made == nullptr)
            return;
        dir = made;
        if (!benchdictionary::write(dir))
            return;
        running = std::make_unique<benchprogram::HeadlessProgram>(dir);
        document = running->document;
        if (running->window != nullptr)
            page = running->window->GetBasicPage();
    }
    ~Program()
    {
        running.reset();
        std::error_code code;
        std::filesystem::remove_all(dir, code);
    }
};

// Made on first use and ended by main, while the engine's own state still exists.
std::unique_ptr<Program> theProgram;
Program& program()
{
    if (!theProgram)
        theProgram = std::make_unique<Program>();
    return *theProgram;
}

void lookup(benchmark::State& state, const char* word)
{
    Program& p = program();
    if (p.page == nullptr) {
        state.SkipWithError("the program did not start on the fixture dictionary");
        return;
    }
    using Clock = std::chrono::steady_clock;
    double program_s = 0, engine_s = 0;
    NullTarget target;
    const std::string query = std::string("va=") + word;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        p.page->SearchFor(word);
        const auto t1 = Clock::now();
        ResultList* found = nullptr;
        RunQuery(&found, query.c_str());
        std::unique_ptr<ResultList> owned(found);
        RWOrdered* hits = owned ? CollectHits(nullptr, owned.get(), 0) : new RWOrdered;
        if (hits->entries() != 0)
            p.document->GetKeyTable().FormatEntryText(static_cast<WordItem*>((*hits)[0]), &target, nullptr);
        hits->clearAndDestroy();
        delete hits;
        const auto t2 = Clock::now();
        program_s += std::chrono::duration<double>(t1 - t0).count();
        engine_s += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["program_us"] = program_s / n * 1e6;
    state.counters["engine_us"] = engine_s / n * 1e6;
    state.counters["ratio"] = engine_s > 0 ? program_s / engine_s : 0;
}

void BM_TypedWordToEntryDrawn_Typical(benchmark::State& state) { lookup(state, "typical"); }
void BM_TypedWordToEntryDrawn_Longest(benchmark::State& state) { lookup(state, "longest"); }
BENCHMARK(BM_TypedWordToEntryDrawn_Typical);
BENCHMARK(BM_TypedWordToEntryDrawn_Longest);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theProgram.reset();
    return 0;
}
