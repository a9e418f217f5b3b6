// Exact word lookups on the scale fixture against std::lower_bound over the same words
// in memory, the block reads each lookup costs, a lookup with its entry's text, and the
// engine's heap over 1,000 lookups (at its peak and at the end; the index's decoded words
// are most of it) beside the size of the index file it maps.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "engine/datafiles.h"
#include "engine/decoded_words.h"
#include "engine/entrytext.h"
#include "engine/resultlist.h"
#include "engine/wordindex.h"
#include "tools/dictwriter/scale_fixture.h"

namespace {

// Live bytes allocated through operator new (the engine allocates only through it), and
// the most there were since peak_bytes was last set.
std::atomic<long long> live_bytes{0};
std::atomic<long long> peak_bytes{0};

struct Fixture {
    std::string dir;
    std::vector<std::string> words;          // head words, sorted by byte order
    std::vector<std::string> queries;        // half hits, half misses, shuffled
    std::uint32_t first_block = 0;
    std::uint32_t last_block = 0;
};

void remove_fixture_dir(const std::string& dir)
{
    const std::string command = "rm -rf '" + dir + "'";
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "cannot remove %s\n", dir.c_str());
}

Fixture& fixture()
{
    static Fixture* f = [] {
        auto* made = new Fixture;
        char templ[] = "/tmp/vko_lookup_bench_XXXXXX";
        made->dir = mkdtemp(templ);
        dictwriter::ScaleFixture scale;
        std::string error;
        if (!dictwriter::write_scale_fixture(made->dir + "/scale", &scale, &error)) {
            std::fprintf(stderr, "scale fixture: %s\n", error.c_str());
            std::exit(1);
        }
        std::atexit([] { remove_fixture_dir(fixture().dir); });
        made->words = scale.head_words;
        std::mt19937 random(dictwriter::kScaleSeed);
        for (int i = 0; i < 4096; ++i) {
            const std::string& word = made->words[random() % made->words.size()];
            made->queries.push_back(i % 2 == 0 ? word : word + "qx");
        }
        std::sort(made->words.begin(), made->words.end());
        if (DataFilesPresent("", (made->dir + "/scale").c_str()) != 0) {
            std::fprintf(stderr, "cannot open the scale fixture\n");
            std::exit(1);
        }
        index_block_range("va", kBlockSize, &made->first_block, &made->last_block);
        return made;
    }();
    return *f;
}

void BM_FindWord_Exact(benchmark::State& state)
{
    Fixture& f = fixture();
    ResultList list;
    std::size_t i = 0;
    std::uint64_t max_reads = 0;
    const std::uint64_t reads_before = block_read_count();
    std::uint64_t lookups = 0;
    std::int64_t found = 0;
    for (auto _ : state) {
        const std::uint64_t before = block_read_count();
        found += find_word(&list, f.queries[i].c_str(), "va", kBlockSize);
        max_reads = std::max(max_reads, block_read_count() - before);
        i = (i + 1) % f.queries.size();
        ++lookups;
    }
    const double blocks = f.last_block - f.first_block + 1;
    state.counters["blocks"] = blocks;
    state.counters["reads_avg"] = static_cast<double>(block_read_count() - reads_before) /
                                  static_cast<double>(std::max<std::uint64_t>(lookups, 1));
    state.counters["reads_max"] = static_cast<double>(max_reads);
    state.counters["reads_bound"] = std::ceil(std::log2(blocks)) + 2;
    state.counters["hits"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FindWord_Exact);

void BM_LowerBound_Vector(benchmark::State& state)
{
    Fixture& f = fixture();
    std::size_t i = 0;
    std::int64_t found = 0;
    for (auto _ : state) {
        const std::string& query = f.queries[i];
        const auto it = std::lower_bound(f.words.begin(), f.words.end(), query);
        found += (it != f.words.end() && *it == query) ? 1 : 0;
        benchmark::DoNotOptimize(found);
        i = (i + 1) % f.queries.size();
    }
    state.counters["hits"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LowerBound_Vector);

// A lookup of a word that is there, then its entry's text: the index blocks, and the
// compressed block expanded unless the entry cache holds it.
void BM_FindWord_WithEntryText(benchmark::State& state)
{
    Fixture& f = fixture();
    ResultList list;
    std::size_t i = 0;
    for (auto _ : state) {
        if (find_word(&list, f.queries[i].c_str(), "va", kBlockSize) != 0)
            benchmark::DoNotOptimize(entry_text(list.first_value(), kBlockSize));
        i = (i + 2) % f.queries.size();   // the even queries are the hits
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FindWord_WithEntryText);

// The engine's heap after opening the fixture, then 1,000 lookups with the entry text
// of each hit: the decoded words of the index looked in, one index block, one entry block
// and the decoder's buffers; the most it held on the way; and the index file, which the
// engine maps whole.
void BM_LookupHeap_1000(benchmark::State& state)
{
    Fixture& f = fixture();
    long long engine_bytes = 0;
    long long engine_peak = 0;
    for (auto _ : state) {
        close_engine();
        close_data_files();
        const long long baseline = live_bytes.load();
        peak_bytes = baseline;
        if (DataFilesPresent("", (f.dir + "/scale").c_str()) != 0) {
            state.SkipWithError("cannot open the scale fixture");
            return;
        }
        {
            ResultList list;
            for (int i = 0; i < 1000; ++i) {
                if (find_word(&list, f.queries[static_cast<std::size_t>(i)].c_str(), "va",
                              kBlockSize) != 0)
                    benchmark::DoNotOptimize(entry_text(list.first_value(), kBlockSize));
            }
        }
        engine_bytes = live_bytes.load() - baseline;
        engine_peak = peak_bytes.load() - baseline;
    }
    struct stat index_file {};
    const std::string index_path = f.dir + "/scale.ndx";
    state.counters["engine_heap_bytes"] = static_cast<double>(engine_bytes);
    state.counters["engine_heap_peak_bytes"] = static_cast<double>(engine_peak);
    state.counters["mapped_index_bytes"] =
        stat(index_path.c_str(), &index_file) == 0 ? static_cast<double>(index_file.st_size) : 0;
    state.counters["decoded_words_bytes"] = static_cast<double>(decoded_words_bytes());
}
BENCHMARK(BM_LookupHeap_1000)->Iterations(1);

} // namespace

// Counting allocator: a header in front of each block holds its size.
void* operator new(std::size_t size)
{
    void* block = std::malloc(size + 16);
    if (block == nullptr)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    const long long live = live_bytes += static_cast<long long>(size);
    long long peak = peak_bytes.load();
    while (live > peak && !peak_bytes.compare_exchange_weak(peak, live)) {
    }
    return static_cast<char*>(block) + 16;
}

void operator delete(void* pointer) noexcept
{
    if (pointer == nullptr)
        return;
    void* block = static_cast<char*>(pointer) - 16;
    live_bytes -= static_cast<long long>(*static_cast<std::size_t*>(block));
    std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept
{
    operator delete(pointer);
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete[](void* pointer) noexcept
{
    operator delete(pointer);
}

void operator delete[](void* pointer, std::size_t) noexcept
{
    operator delete(pointer);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return operator new(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return operator new(size);
    } catch (...) {
        return nullptr;
    }
}
