// What the engine keeps resident after the five searches of the program's memory measure,
// in a process of its own: a benchmark run before it in the same process would have grown
// the heap already, and the decoded words would fill that room without growing the process.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "demo_dictionary.h"
#include "engine/decoded_words.h"
#include "engine/report.h"

namespace {

using demo_dictionary::demo;
using demo_dictionary::kMainName;
using demo_dictionary::open_demo;
using demo_dictionary::search;

// The kilobytes of the process's resident memory the line of /proc/self/smaps or status
// that starts with key gives (the first such line after a line naming after, when given).
double resident_kb(const char* file, const std::string& after, const char* key)
{
    std::ifstream in(file);
    bool seen = after.empty();
    for (std::string line; std::getline(in, line);) {
        if (!seen) {
            seen = line.find(after) != std::string::npos;
            continue;
        }
        if (line.rfind(key, 0) == 0)
            return std::atof(line.c_str() + std::strlen(key));
    }
    return -1;
}

// The five searches, each run and its hits collected as the search window does, from a
// freshly opened pair: the decoded words of the indexes searched, the mapped index file's
// resident part (its pages are let go once decoded), the growth of the whole process's
// resident memory, and that growth without the pages of files: it holds the decoded words
// and so cannot be smaller.
void BM_Memory_AfterFiveSearches(benchmark::State& state)
{
    const std::string index_path = demo().data_dir + kMainName + ".ndx";
    double grown_kb = 0;
    double anonymous_grown_kb = 0;
    double index_kb = 0;
    engine_set_reports_silent(true);   // the made-up dictionary has no "sy" nor "vi"
    for (auto _ : state) {
        const double before = resident_kb("/proc/self/status", "", "VmRSS:");
        const double anonymous_before = resident_kb("/proc/self/status", "", "RssAnon:");
        if (!open_demo(state))
            return;
        for (const char* query : {"va=cat", "df=the", "va=*ing", "sy=big", "vi=house"})
            search(state, query);
        grown_kb = resident_kb("/proc/self/status", "", "VmRSS:") - before;
        anonymous_grown_kb = resident_kb("/proc/self/status", "", "RssAnon:") - anonymous_before;
        index_kb = resident_kb("/proc/self/smaps", index_path, "Rss:");
    }
    engine_set_reports_silent(false);
    const double decoded = static_cast<double>(decoded_words_bytes());
    state.counters["decoded_bytes"] = decoded;
    state.counters["index_resident_bytes"] = index_kb * 1024;
    state.counters["resident_growth_bytes"] = grown_kb * 1024;
    state.counters["anonymous_growth_bytes"] = anonymous_grown_kb * 1024;
    if (index_kb < 0)
        state.SkipWithError("the index file's mapping is not in /proc/self/smaps");
    else if (decoded <= 0)
        state.SkipWithError("the five searches decoded no words");
    else if (anonymous_grown_kb * 1024 < decoded)
        state.SkipWithError("the process's memory (files' pages apart) grew less than the "
                            "decoded words take: the heap was grown before the measure");
}

BENCHMARK(BM_Memory_AfterFiveSearches)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
