// demodict_bench.cpp: the demo dictionary's writer over Debian's WordNet (skipped when it
// is not installed): reading the database, building the entries and their index terms,
// and writing the main data set, whose data file is set against zlib at level 9 over the
// same entry texts as one stream (gzip -9 less its 18 header bytes). Pronunciations and
// sounds (espeak-ng) are left out: they are measured by the writer's own step times.
// With VKO_BENCH_SMOKE=1 only the first 3,000 entries are built and written.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <zlib.h>

#include "tools/demodict/demo_entries.h"
#include "tools/demodict/wordnet.h"
#include "tools/dictwriter/dictwriter.h"

namespace {

constexpr char kWordNet[] = "/usr/share/wordnet";

struct Fixture {
    demodict::WordNet wordnet;
    std::vector<demodict::DemoEntry> entries;
    bool ok = false;
};

const Fixture& fixture()
{
    static Fixture f = [] {
        Fixture made;
        std::string error;
        made.ok = demodict::read_wordnet(kWordNet, &made.wordnet, &error);
        if (made.ok) {
            made.entries = demodict::list_entries(made.wordnet);
            const char* smoke = std::getenv("VKO_BENCH_SMOKE");
            if (smoke != nullptr && std::string(smoke) == "1" && made.entries.size() > 3000)
                made.entries.resize(3000);
        }
        return made;
    }();
    return f;
}

void BM_ReadWordNet(benchmark::State& state)
{
    if (!fixture().ok) {
        state.SkipWithError("WordNet is not installed (package wordnet-base)");
        return;
    }
    for (auto _ : state) {
        demodict::WordNet wordnet;
        std::string error;
        benchmark::DoNotOptimize(demodict::read_wordnet(kWordNet, &wordnet, &error));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * fixture().wordnet.synsets.size()));
}
BENCHMARK(BM_ReadWordNet)->Unit(benchmark::kMillisecond);

void BM_BuildEntries(benchmark::State& state)
{
    const Fixture& f = fixture();
    if (!f.ok) {
        state.SkipWithError("WordNet is not installed (package wordnet-base)");
        return;
    }
    const demodict::EntryExtras extras;
    for (auto _ : state) {
        demodict::MainReport report;
        benchmark::DoNotOptimize(demodict::build_main_source(f.wordnet, f.entries, extras, &report));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * f.entries.size()));
}
BENCHMARK(BM_BuildEntries)->Unit(benchmark::kMillisecond);

void BM_WriteMainSet(benchmark::State& state)
{
    const Fixture& f = fixture();
    if (!f.ok) {
        state.SkipWithError("WordNet is not installed (package wordnet-base)");
        return;
    }
    demodict::MainReport report;
    const dictwriter::DictionarySource source =
        demodict::build_main_source(f.wordnet, f.entries, demodict::EntryExtras{}, &report);
    char pattern[] = "/tmp/vko_demo_bench_XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (dir == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    dictwriter::WrittenDictionary written;
    std::string error;
    for (auto _ : state) {
        if (!dictwriter::write_dictionary(source, std::string(dir) + "/demo", &written, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    std::string texts;
    for (const dictwriter::SourceEntry& entry : source.entries)
        texts += entry.fields;
    uLongf packed = compressBound(static_cast<uLong>(texts.size()));
    std::string out(packed, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &packed,
              reinterpret_cast<const Bytef*>(texts.data()), static_cast<uLong>(texts.size()), 9);
    state.counters["entry_text_bytes"] = static_cast<double>(texts.size());
    state.counters["data_bytes"] = written.data_bytes;
    state.counters["index_bytes"] = written.index_bytes;
    state.counters["zlib9_bytes"] = static_cast<double>(packed);
    state.counters["data_per_zlib9"] = static_cast<double>(written.data_bytes) / static_cast<double>(packed);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
    std::error_code code;
    std::filesystem::remove_all(dir, code);
}
BENCHMARK(BM_WriteMainSet)->Unit(benchmark::kMillisecond);

} // namespace
