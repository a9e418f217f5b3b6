// The engine's share of the two long searches of the WordNet demo: Browse "Entry Word ends
// with..." "ing" (the query va=*ing) and Basic "Defining text contains..." "the" (df=the),
// each the query run and its hits collected as the search window does (the list's text
// budget, every hit counted). The search runs with its words already decoded, as after
// the first search; the first search of each index is timed apart, decoding included.
// Also the heap the decoded words of every word-block index take (what the engine keeps
// resident after the five searches is measured apart, in memory_bench.cpp).
#include <sys/stat.h>

#include <benchmark/benchmark.h>

#include "demo_dictionary.h"
#include "engine/decoded_words.h"
#include "engine/report.h"

namespace {

using demo_dictionary::demo;
using demo_dictionary::kMainName;
using demo_dictionary::open_demo;
using demo_dictionary::search;

void long_search(benchmark::State& state, const char* query)
{
    if (!open_demo(state))
        return;
    search(state, query);   // the words decoded once
    for (auto _ : state)
        search(state, query);
}

void first_long_search(benchmark::State& state, const char* query)
{
    for (auto _ : state) {
        state.PauseTiming();
        const bool opened = open_demo(state);
        state.ResumeTiming();
        if (!opened)
            return;
        search(state, query);
    }
}

void BM_LongSearch_EndsWithIng(benchmark::State& state) { long_search(state, "va=*ing"); }
void BM_LongSearch_DefiningTextThe(benchmark::State& state) { long_search(state, "df=the"); }
void BM_FirstLongSearch_EndsWithIng(benchmark::State& state)
{
    first_long_search(state, "va=*ing");
}
void BM_FirstLongSearch_DefiningTextThe(benchmark::State& state)
{
    first_long_search(state, "df=the");
}

// Every searchable word-block index of the demo decoded (the head words are never
// decoded): the heap their words take, beside the index file.
void BM_DecodedWords_EveryIndex(benchmark::State& state)
{
    if (!open_demo(state))
        return;
    engine_set_reports_silent(true);   // the made-up dictionary has no "sy", "vi", "us"
    for (auto _ : state) {
        for (const char* code : {"va", "df", "sy", "vi", "us"})
            benchmark::DoNotOptimize(decoded_words(code, kBlockSize));
    }
    engine_set_reports_silent(false);
    struct stat index {};
    stat((demo().data_dir + kMainName + ".ndx").c_str(), &index);
    state.counters["decoded_bytes"] = static_cast<double>(decoded_words_bytes());
    state.counters["index_file_bytes"] = static_cast<double>(index.st_size);
}

BENCHMARK(BM_LongSearch_EndsWithIng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongSearch_DefiningTextThe)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstLongSearch_EndsWithIng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstLongSearch_DefiningTextThe)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodedWords_EveryIndex)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
