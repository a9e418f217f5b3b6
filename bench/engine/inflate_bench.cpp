// inflate_bench.cpp: the entry decoder against zlib's raw inflate with the same preset,
// over every compressed block of the scale fixture's data file. BM_InflateVsZlib times
// both side by side in one run and reports the throughput ratio (engine / zlib).
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include "engine/datafiles.h"
#include "engine/entrytext.h"
#include "engine/inflate.h"
#include "tools/dictwriter/scale_fixture.h"

namespace {

struct Block {
    const std::uint8_t* data;
    std::uint32_t size;
};

// The scale fixture, written once per process into a temporary directory and opened, so
// that inflate_block finds the dictionary header as its preset.
struct Fixture {
    std::string file;  // the whole data file
    std::string header;
    std::vector<Block> blocks;
    std::size_t expanded_bytes = 0;
    bool ok = false;
};

const Fixture& fixture()
{
    static const Fixture f = [] {
        Fixture made;
        char pattern[] = "/tmp/inflate_benchXXXXXX";
        if (mkdtemp(pattern) == nullptr)
            return made;
        const std::string dir = std::string(pattern) + "/";
        dictwriter::ScaleFixture scale;
        std::string error;
        if (!dictwriter::write_scale_fixture(dir + "scale", &scale, &error) ||
            DataFilesPresent(dir.c_str(), "scale") != 0)
            return made;
        std::ifstream in(dir + "scale.cmp", std::ios::binary);
        made.file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(made.file.data());
        const std::size_t header_len = std::size_t{bytes[0]} << 8 | bytes[1];
        made.header = made.file.substr(2, header_len);
        for (std::size_t at = 2 + header_len; at + 2 <= made.file.size();) {
            const std::uint32_t n = std::uint32_t{bytes[at]} << 8 | bytes[at + 1];
            made.blocks.push_back({bytes + at + 2, n});
            at += 2 + n;
        }
        std::vector<std::uint8_t> out(kEntryBufBytes);
        for (const Block& b : made.blocks)
            made.expanded_bytes += inflate_block(b.size, b.data, kEntryBufBytes, out.data());
        std::system(("rm -rf " + dir).c_str());  // the open files stay readable
        made.ok = !made.blocks.empty();
        return made;
    }();
    return f;
}

std::size_t engine_pass(const Fixture& f, std::uint8_t* out)
{
    std::size_t produced = 0;
    for (const Block& b : f.blocks)
        produced += inflate_block(b.size, b.data, kEntryBufBytes, out);
    return produced;
}

std::size_t zlib_pass(const Fixture& f, z_stream* stream, std::uint8_t* out)
{
    std::size_t produced = 0;
    for (const Block& b : f.blocks) {
        inflateReset(stream);
        inflateSetDictionary(stream, reinterpret_cast<const Bytef*>(f.header.data()),
                             static_cast<uInt>(f.header.size()));
        stream->next_in = const_cast<Bytef*>(b.data);  // zlib's API takes a non-const pointer
        stream->avail_in = b.size;
        stream->next_out = out;
        stream->avail_out = kEntryBufBytes;
        inflate(stream, Z_FINISH);
        produced += kEntryBufBytes - stream->avail_out;
    }
    return produced;
}

// The fixture, or null once the benchmark is marked skipped because it could not be written.
const Fixture* fixture_or_skip(benchmark::State& state)
{
    const Fixture& f = fixture();
    if (f.ok)
        return &f;
    state.SkipWithError("cannot write the scale fixture");
    return nullptr;
}

// A zlib raw-inflate stream (no zlib header, 16 KiB window), ended on every path.
class RawInflater {
public:
    RawInflater() { inflateInit2(&itsStream, -14); }
    ~RawInflater() { inflateEnd(&itsStream); }
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;
    z_stream* stream() { return &itsStream; }

private:
    z_stream itsStream{};
};

void BM_InflateBlock_Engine(benchmark::State& state)
{
    const Fixture* const f = fixture_or_skip(state);
    if (f == nullptr)
        return;
    std::vector<std::uint8_t> out(kEntryBufBytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(engine_pass(*f, out.data()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f->expanded_bytes));
    state.counters["blocks"] = static_cast<double>(f->blocks.size());
}
BENCHMARK(BM_InflateBlock_Engine)->Unit(benchmark::kMillisecond);

void BM_InflateBlock_Zlib(benchmark::State& state)
{
    const Fixture* const f = fixture_or_skip(state);
    if (f == nullptr)
        return;
    std::vector<std::uint8_t> out(kEntryBufBytes);
    RawInflater zlib;
    for (auto _ : state)
        benchmark::DoNotOptimize(zlib_pass(*f, zlib.stream(), out.data()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f->expanded_bytes));
}
BENCHMARK(BM_InflateBlock_Zlib)->Unit(benchmark::kMillisecond);

// Both decoders over all blocks in each iteration, alternating, each timed on its own:
// ratio = engine throughput / zlib throughput (at least 0.9 is the goal).
void BM_InflateVsZlib(benchmark::State& state)
{
    const Fixture* const f = fixture_or_skip(state);
    if (f == nullptr)
        return;
    std::vector<std::uint8_t> out(kEntryBufBytes);
    RawInflater zlib;
    double engine_seconds = 0;
    double zlib_seconds = 0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(engine_pass(*f, out.data()));
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(zlib_pass(*f, zlib.stream(), out.data()));
        const auto t2 = Clock::now();
        engine_seconds += std::chrono::duration<double>(t1 - t0).count();
        zlib_seconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double bytes =
        static_cast<double>(f->expanded_bytes) * static_cast<double>(state.iterations());
    state.counters["engine_MBps"] = bytes / engine_seconds / 1e6;
    state.counters["zlib_MBps"] = bytes / zlib_seconds / 1e6;
    state.counters["ratio"] = zlib_seconds / engine_seconds;
}
BENCHMARK(BM_InflateVsZlib)->Unit(benchmark::kMillisecond);

} // namespace
