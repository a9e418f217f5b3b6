// The engine's share of the two long searches of the WordNet demo: Browse "Entry Word ends
// with..." "ing" (the query va=*ing) and Basic "Defining text contains..." "the" (df=the),
// each the query run and its hits collected as the search window does (the list's text
// budget, every hit counted). The search runs with its words already decoded, as after
// the first search; the first search of each index is timed apart, decoding included.
// Also the heap the decoded words of every word-block index take, and what the engine
// keeps resident after the five searches of the program's memory measure.
//
// The demo is the build's own (<build>/demo, written with -DVKO_DEMO=ON) or the folder
// VKO_DEMO_DIR names; without either, a dictionary of the same shape is written into a
// temporary folder: 155,000 entries, every tenth with an "-ing" word in the word list
// (15,500), "the" in the defining text of two in five (62,000) among three other words
// of a 20,000-word vocabulary (3,000 entries in a smoke run).
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "engine/datafiles.h"
#include "engine/decoded_words.h"
#include "engine/engine.h"
#include "engine/report.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"

namespace {

constexpr char kMainName[] = "demo";   // the demo's main pair, under its data folder

bool exists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// A made-up word for number n: letters only, distinct for distinct n.
std::string made_up_word(std::size_t n)
{
    std::string word;
    do {
        word += static_cast<char>('a' + n % 26);
        n /= 26;
    } while (n != 0);
    return word + "ox";
}

bool write_same_shape(const std::string& base_path, std::string* problem)
{
    const std::size_t entries = std::getenv("VKO_BENCH_SMOKE") != nullptr ? 3000 : 155000;
    dictwriter::DictionarySource source;
    source.header = "the definitions of the dictionary";
    for (std::size_t i = 0; i < entries; ++i) {
        dictwriter::SourceEntry entry;
        entry.head_word = made_up_word(i * 7 + 100000);
        entry.fields = dictwriter::encode_field_stream({{0x81, entry.head_word}});
        entry.terms.push_back({"va", entry.head_word});
        if (i % 10 == 0)
            entry.terms.push_back({"va", entry.head_word + "ing"});
        if (i % 5 < 2)
            entry.terms.push_back({"df", "the"});
        for (std::size_t k = 1; k <= 3; ++k)
            entry.terms.push_back({"df", made_up_word((i * 31 + k * 7919) % 20000)});
        source.entries.push_back(std::move(entry));
    }
    return dictwriter::write_dictionary(source, base_path, nullptr, problem);
}

struct Demo {
    std::string data_dir;   // ends with '/'
    std::string temporary;  // removed at exit; empty for the build's demo
    std::string problem;
};

const Demo& demo()
{
    static Demo* made = [] {
        auto* d = new Demo;
        const char* named = std::getenv("VKO_DEMO_DIR");
        const std::string dir = named != nullptr ? named : VKO_BUILD_DEMO_DIR;
        if (exists(dir + "/data/" + kMainName + ".ndx")) {
            d->data_dir = dir + "/data/";
            return d;
        }
        char templ[] = "/tmp/vko_long_search_XXXXXX";
        if (mkdtemp(templ) == nullptr) {
            d->problem = "cannot make a temporary folder";
            return d;
        }
        d->temporary = templ;
        std::atexit([] { std::system(("rm -rf '" + demo().temporary + "'").c_str()); });
        if (write_same_shape(d->temporary + "/" + kMainName, &d->problem))
            d->data_dir = d->temporary + "/";
        return d;
    }();
    return *made;
}

// Opens the demo's main pair afresh (nothing decoded); false, with the error set, when
// it cannot.
bool open_demo(benchmark::State& state)
{
    const Demo& d = demo();
    if (d.data_dir.empty() || OpenDictionary(d.data_dir.c_str(), kMainName) == 0) {
        state.SkipWithError(("no demo dictionary: " + d.problem).c_str());
        return false;
    }
    return true;
}

// The query and its hits, as the search window collects them.
void search(benchmark::State& state, const char* query)
{
    ResultList* found = nullptr;
    RunQuery(&found, query);
    const std::unique_ptr<ResultList> owned(found);
    RWOrdered hits;
    long all = 0;
    if (owned)
        CollectHits(owned.get(), 0, &hits, &all);
    state.counters["hits"] = static_cast<double>(all);
    state.counters["listed"] = static_cast<double>(hits.entries());
    hits.clearAndDestroy();
}

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

// The five searches of the program's memory measure, each run and its hits collected as
// the search window does, from a freshly opened pair: what the engine keeps afterwards.
// The decoded words of the indexes searched, the mapped index file's resident part, and
// the growth of the whole process's resident memory.
void BM_Memory_AfterFiveSearches(benchmark::State& state)
{
    const std::string index_path = demo().data_dir + kMainName + ".ndx";
    double grown_kb = 0;
    double index_kb = 0;
    engine_set_reports_silent(true);   // the made-up dictionary has no "sy" nor "vi"
    for (auto _ : state) {
        close_engine();
        close_data_files();
        const double before = resident_kb("/proc/self/status", "", "VmRSS:");
        if (!open_demo(state))
            return;
        for (const char* query : {"va=cat", "df=the", "va=*ing", "sy=big", "vi=house"})
            search(state, query);
        grown_kb = resident_kb("/proc/self/status", "", "VmRSS:") - before;
        index_kb = resident_kb("/proc/self/smaps", index_path, "Rss:");
    }
    engine_set_reports_silent(false);
    if (index_kb < 0) {
        state.SkipWithError("the index file's mapping is not in /proc/self/smaps");
        return;
    }
    state.counters["decoded_bytes"] = static_cast<double>(decoded_words_bytes());
    state.counters["index_resident_bytes"] = index_kb * 1024;
    state.counters["resident_growth_bytes"] = grown_kb * 1024;
}

BENCHMARK(BM_LongSearch_EndsWithIng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongSearch_DefiningTextThe)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstLongSearch_EndsWithIng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstLongSearch_DefiningTextThe)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodedWords_EveryIndex)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Memory_AfterFiveSearches)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
