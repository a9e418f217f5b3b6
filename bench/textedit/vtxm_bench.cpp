// Loading text into a wrapped text edit with vkov_tx_append: 1 MB (64 KB in a smoke run) of
// words, appended 1 KB at a time to the last paragraph; a new paragraph starts every 16 KB,
// since a paragraph stays below 32,767 bytes. Reports bytes per second.
#include <benchmark/benchmark.h>

#include <string>

#include "tx_bench_support.h"

namespace {

constexpr std::size_t kChunkBytes = 1024;
constexpr std::size_t kParagraphBytes = 16 * 1024;

void BM_Append_OneMegabyte(benchmark::State &state) {
    txbench::Desk desk;
    const std::size_t total = txbench::smoke() ? 64 * 1024 : 1024 * 1024;
    const std::string chunk = txbench::words(kChunkBytes, 7);
    for (auto _ : state) {
        const TXEDIT tx = desk.make(0x0002);
        for (std::size_t done = 0; done < total; done += kChunkBytes) {
            if (done % kParagraphBytes == 0)
                vkov_tx_add_par(tx, 65535, "");
            vkov_tx_append(tx, 65535, chunk.c_str());
        }
        state.PauseTiming();
        state.counters["lines"] = vkov_tx_get_num_lines(tx);
        vkov_tx_destroy(tx);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * total));
}
BENCHMARK(BM_Append_OneMegabyte)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
