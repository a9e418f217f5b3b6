// Typing into a wrapped text edit of 10,000 lines (500 paragraphs of 20 lines; 200 lines in a
// smoke run), with the caret in a paragraph shown mid-view: each iteration types a character
// and takes it back with Backspace. Reports keystrokes per second and, from the window's
// drawing log, the lines drawn and the pixel scrolls per keystroke.
#include <benchmark/benchmark.h>

#include <string>

#include "tx_bench_support.h"
#include "vkobase/surface_debug.h"

namespace {

std::int32_t count_ops(WINDOW win, const std::string &op) {
    std::int32_t n = 0;
    const std::int32_t size = vkov_debug_draw_log_size(win);
    for (std::int32_t i = 0; i < size; ++i) {
        vkov_draw_log_entry e{};
        if (vkov_debug_draw_log_get(win, i, &e) && op == e.op)
            ++n;
    }
    return n;
}

BOOLEAN key(WINDOW win, std::uint16_t ch) {
    EVENT e{};
    e.type = E_CHAR;
    e.v.chr.ch = ch;
    return vkovo_tx_process_event(win, &e);
}

void BM_Typing_WrappedTenThousandLines(benchmark::State &state) {
    txbench::Desk desk;
    const TXEDIT tx = desk.make(0x0002 | 0x0004 | 0x0008);
    const int pars = txbench::smoke() ? 10 : 500;
    for (int p = 0; p < pars; ++p)
        vkov_tx_add_par(tx, 65535,
                        txbench::words(20 * 50 - 30, static_cast<std::uint32_t>(p)).c_str());
    const auto mid = static_cast<std::uint16_t>(pars / 2);
    vkov_tx_set_sel(tx, mid, 2, 10, mid, 2, 10); // scrolls the paragraph into view
    double lines_drawn = 0;
    double scrolls = 0;
    std::int64_t keystrokes = 0;
    for (auto _ : state) {
        for (std::uint16_t ch : {std::uint16_t{'w'}, std::uint16_t{8}}) {
            vkov_debug_draw_log_clear(desk.win);
            key(desk.win, ch);
            state.PauseTiming();
            lines_drawn += count_ops(desk.win, "draw_text");
            scrolls += count_ops(desk.win, "scroll_rect");
            state.ResumeTiming();
            ++keystrokes;
        }
    }
    state.SetItemsProcessed(keystrokes);
    state.counters["lines_total"] = vkov_tx_get_num_lines(tx);
    state.counters["lines_drawn_per_key"] = keystrokes != 0 ? lines_drawn / keystrokes : 0;
    state.counters["scrolls_per_key"] = keystrokes != 0 ? scrolls / keystrokes : 0;
    state.counters["keys_per_second"] =
        benchmark::Counter(static_cast<double>(keystrokes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Typing_WrappedTenThousandLines)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
