// Typing into a scrolling text of 10,000 lines (200 in a smoke run), against the bare
// text-edit engine in the same run: the same text, the caret mid-text, each iteration types a
// character and takes it back with Backspace, delivered to the text edit's window. In the
// framework every keystroke also runs the change report to the view (DoHit, the bound value,
// the text command) and the scroll callback that keeps the bars in step. Reports keystrokes
// per second, the microseconds per keystroke, the lines drawn per keystroke (read from the
// drawing log) and, for the framework, its time per keystroke against the bare engine's in
// the same run. Both sides use the same font.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bench/frm/frm_bench_support.h"
#include "frm/controls/nscrlltx.h"
#include "frm/runtime/cglblcls.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/surface_debug.h"

namespace {

constexpr int kLines = 10000;
constexpr int kSmokeLines = 200;

std::string Lines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "entry line " + std::to_string(i) + (i + 1 < count ? "\n" : "");
    return text;
}

std::int32_t LinesDrawn(WINDOW win)
{
    std::int32_t n = 0;
    const std::int32_t size = vkov_debug_draw_log_size(win);
    for (std::int32_t i = 0; i < size; ++i) {
        vkov_draw_log_entry entry{};
        if (vkov_debug_draw_log_get(win, i, &entry) && std::string(entry.op) == "draw_text")
            ++n;
    }
    return n;
}

// Microseconds per keystroke of the bare engine, once measured: the framework's run reports
// its own against it.
double g_bareUsPerKey = 0;

// Types into the text edit's window and reports the counters; answers the microseconds per
// keystroke.
double Type(benchmark::State& state, WINDOW editWindow)
{
    double drawn = 0;
    double seconds = 0;
    std::int64_t keystrokes = 0;
    for (auto _ : state) {
        for (std::uint16_t ch : {std::uint16_t{'w'}, std::uint16_t{8}}) {
            vkov_debug_draw_log_clear(editWindow);
            EVENT event{};
            event.type = E_CHAR;
            event.v.chr.ch = ch;
            const auto start = std::chrono::steady_clock::now();
            vkok_win_dispatch_event(editWindow, &event);
            vkok_app_process_pending_events();
            seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            state.PauseTiming();
            drawn += LinesDrawn(editWindow);
            state.ResumeTiming();
            ++keystrokes;
        }
    }
    state.SetItemsProcessed(keystrokes);
    state.counters["lines_drawn_per_key"] = keystrokes != 0 ? drawn / keystrokes : 0;
    state.counters["keys_per_second"] =
        benchmark::Counter(static_cast<double>(keystrokes), benchmark::Counter::kIsRate);
    const double usPerKey = keystrokes != 0 ? seconds / static_cast<double>(keystrokes) * 1e6 : 0;
    state.counters["us_per_key"] = usPerKey;
    return usPerKey;
}

void BM_Typing_BareEngine(benchmark::State& state)
{
    frmbench::Running running;
    const int lines = frmbench::smoke() ? kSmokeLines : kLines;
    // A plain window of the base library, without the framework's handler.
    s_rct frame{0, 0, 400, 600};
    WINDOW window = vkok_win_create(W_DOC, &frame, "bare", 0, running.task, 0, VKO_EVENT_MASK_ALL,
                                    nullptr, 0);
    s_rct area{10, 10, 200, 300};
    // The attributes and the font the framework's scrolling text gives its text edit (a
    // vertical bar; the library's standard font, 12 points, where the engine alone would take
    // its own default of 10): both sides measure and draw the same glyphs.
    s_fntid* font = FRM_CObjectRWC::GetG()->GetSTDFont();
    vko_font_map(font, window);
    const TXEDIT tx = vko_tx_create(window, &area, 0x04 | 0x20, font, 0, 65000);
    vko_font_unmap(font);
    vko_tx_suspend(tx);
    const std::string text = Lines(lines);
    std::size_t start = 0;
    for (int i = 0; i < lines; ++i) {
        const std::size_t end = text.find('\n', start);
        vko_tx_add_par(tx, 0xFFFF, text.substr(start, end - start).c_str());
        start = end + 1;
    }
    vko_tx_resume(tx);
    const auto middle = static_cast<std::uint16_t>(lines / 2);
    vko_tx_set_sel(tx, middle, 0, 5, middle, 0, 5);
    WINDOW editWindow = reinterpret_cast<WINDOW>(tx);
    vkok_scr_set_focus_vobj(editWindow);
    vkok_app_process_pending_events();
    g_bareUsPerKey = Type(state, editWindow);
    state.counters["lines_total"] = vko_tx_get_num_lines(tx);
}

void BM_Typing_FrameworkScrollText(benchmark::State& state)
{
    frmbench::Running running(400, 600);
    const int lines = frmbench::smoke() ? kSmokeLines : kLines;
    auto* text = new FRM_NScrollText(running.window, FRM_CRect(10, 10, 300, 200), 1, 0, 0, 0,
                                     65000, 1);   // the window owns it
    text->SetText(FRM_CStringRW(Lines(lines).c_str()));
    const auto middle = static_cast<std::uint16_t>(lines / 2);
    text->SetInsertPosition(middle, 0, 5);
    WINDOW editWindow = text->GetVKOWindow();
    vkok_scr_set_focus_vobj(editWindow);
    vkok_app_process_pending_events();
    const double usPerKey = Type(state, editWindow);
    if (g_bareUsPerKey > 0)
        state.counters["vs_bare"] = usPerKey / g_bareUsPerKey;
    state.counters["lines_total"] = text->GetNLineInText();
    state.counters["bar_max"] = text->GetVScrollBar()->GetMaxPosition();
    state.counters["attributes"] = text->GetAttributes();
}

BENCHMARK(BM_Typing_BareEngine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Typing_FrameworkScrollText)->Unit(benchmark::kMicrosecond);

} // namespace
