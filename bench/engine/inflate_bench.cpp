// inflate_bench.cpp: the entry decoder against zlib's raw inflate with the same preset,
// and against libdeflate, over every compressed block of the scale fixture's data file.
// libdeflate takes no preset: each block is fed to it behind a stored block that holds
// the dictionary header, so that it decodes the header and then the block, whose back
// references reach into the header as into a preset (its output is checked to be the
// engine's). BM_InflateVsZlib and BM_InflateVsLibdeflate time two decoders side by side
// in one run and report the throughput ratio (engine / other).
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <libdeflate.h>
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
    // Each block behind a stored block holding the header, for libdeflate.
    std::vector<std::string> with_header;
    std::size_t expanded_bytes = 0;
    bool ok = false;
};

// A stored block that is not the last (header byte 0: BFINAL 0, BTYPE 00), LEN, NLEN and
// the bytes; the next block starts on the byte boundary after it.
std::string stored_block(const std::string& bytes)
{
    const auto len = static_cast<unsigned>(bytes.size());
    std::string block;
    block += '\0';
    block += static_cast<char>(len & 0xFF);
    block += static_cast<char>(len >> 8);
    block += static_cast<char>(~len & 0xFF);
    block += static_cast<char>((~len >> 8) & 0xFF);
    return block + bytes;
}

// libdeflate over one block behind its header; the decoded text follows the header in
// out (room for the header and kEntryBufBytes). Returns the text's length.
std::size_t libdeflate_block(libdeflate_decompressor* decompressor, const std::string& input,
                             std::size_t header_len, std::uint8_t* out)
{
    std::size_t produced = 0;
    const libdeflate_result result = libdeflate_deflate_decompress(
        decompressor, input.data(), input.size(), out, header_len + kEntryBufBytes, &produced);
    return result == LIBDEFLATE_SUCCESS ? produced - header_len : 0;
}

// A libdeflate decompressor, freed on every path.
class Libdeflate {
public:
    Libdeflate() : itsDecompressor(libdeflate_alloc_decompressor()) {}
    ~Libdeflate() { libdeflate_free_decompressor(itsDecompressor); }
    Libdeflate(const Libdeflate&) = delete;
    Libdeflate& operator=(const Libdeflate&) = delete;
    libdeflate_decompressor* get() { return itsDecompressor; }

private:
    libdeflate_decompressor* itsDecompressor;
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
        std::vector<std::uint8_t> other(header_len + kEntryBufBytes);
        Libdeflate libdeflate;
        bool same = true;
        for (const Block& b : made.blocks) {
            const std::uint32_t n = inflate_block(b.size, b.data, kEntryBufBytes, out.data());
            made.expanded_bytes += n;
            made.with_header.push_back(stored_block(made.header) +
                                       std::string(reinterpret_cast<const char*>(b.data), b.size));
            same = same &&
                   libdeflate_block(libdeflate.get(), made.with_header.back(), header_len,
                                    other.data()) == n &&
                   std::memcmp(other.data() + header_len, out.data(), n) == 0;
        }
        std::system(("rm -rf " + dir).c_str());  // the open files stay readable
        if (!same)
            std::fprintf(stderr, "libdeflate's output differs from the engine's\n");
        made.ok = !made.blocks.empty() && same;
        return made;
    }();
    return f;
}

// The entry decoder as the engine calls it: the text, and the rest of the buffer cleared.
std::size_t engine_pass(const Fixture& f, std::uint8_t* out)
{
    std::size_t produced = 0;
    for (const Block& b : f.blocks)
        produced += inflate_block(b.size, b.data, kEntryBufBytes, out);
    return produced;
}

// The decoder alone, as the other decoders are timed: the text only.
std::size_t decoder_pass(const Fixture& f, std::uint8_t* out)
{
    const auto* header = reinterpret_cast<const std::uint8_t*>(f.header.data());
    std::size_t produced = 0;
    for (const Block& b : f.blocks)
        produced += inflate_raw(b.data, b.size, header, f.header.size(), out, kEntryBufBytes).produced;
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

std::size_t libdeflate_pass(const Fixture& f, libdeflate_decompressor* decompressor,
                            std::uint8_t* out)
{
    std::size_t produced = 0;
    for (const std::string& input : f.with_header)
        produced += libdeflate_block(decompressor, input, f.header.size(), out);
    return produced;
}

// The fixture, or null once the benchmark is marked skipped because it could not be written.
const Fixture* fixture_or_skip(benchmark::State& state)
{
    const Fixture& f = fixture();
    if (f.ok)
        return &f;
    state.SkipWithError("cannot write the scale fixture, or libdeflate decodes it otherwise");
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

void BM_InflateBlock_Libdeflate(benchmark::State& state)
{
    const Fixture* const f = fixture_or_skip(state);
    if (f == nullptr)
        return;
    std::vector<std::uint8_t> out(f->header.size() + kEntryBufBytes);
    Libdeflate libdeflate;
    for (auto _ : state)
        benchmark::DoNotOptimize(libdeflate_pass(*f, libdeflate.get(), out.data()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f->expanded_bytes));
}
BENCHMARK(BM_InflateBlock_Libdeflate)->Unit(benchmark::kMillisecond);

// The engine's decoder and another over all blocks in each iteration, alternating, each
// timed on its own, neither clearing the rest of its buffer: ratio = engine throughput /
// the other's (at least 0.9 is the goal).
template <typename OtherPass>
void engine_versus(benchmark::State& state, const Fixture& f, const char* name,
                   OtherPass other_pass)
{
    std::vector<std::uint8_t> out(kEntryBufBytes);
    double engine_seconds = 0;
    double other_seconds = 0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(decoder_pass(f, out.data()));
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(other_pass());
        const auto t2 = Clock::now();
        engine_seconds += std::chrono::duration<double>(t1 - t0).count();
        other_seconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double bytes =
        static_cast<double>(f.expanded_bytes) * static_cast<double>(state.iterations());
    state.counters["engine_MBps"] = bytes / engine_seconds / 1e6;
    state.counters[std::string(name) + "_MBps"] = bytes / other_seconds / 1e6;
    state.counters["ratio"] = other_seconds / engine_seconds;
}

void BM_InflateVsZlib(benchmark::State& state)
{
    const Fixture* const f = fixture_or_skip(state);
    if (f == nullptr)
        return;
    std::vector<std::uint8_t> out(kEntryBufBytes);
    RawInflater zlib;
    engine_versus(state, *f, "zlib", [&] { return zlib_pass(*f, zlib.stream(), out.data()); });
}
BENCHMARK(BM_InflateVsZlib)->Unit(benchmark::kMillisecond);

void BM_InflateVsLibdeflate(benchmark::State& state)
{
    const Fixture* const f = fixture_or_skip(state);
    if (f == nullptr)
        return;
    std::vector<std::uint8_t> out(f->header.size() + kEntryBufBytes);
    Libdeflate libdeflate;
    engine_versus(state, *f, "libdeflate",
                  [&] { return libdeflate_pass(*f, libdeflate.get(), out.data()); });
}
BENCHMARK(BM_InflateVsLibdeflate)->Unit(benchmark::kMillisecond);

} // namespace
