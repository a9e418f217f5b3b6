// entry_draw_bench.cpp: an entry formatted, laid out and drawn into a 640 x 900 window with
// the dictionary's fonts (a typical entry and one as long as the demo's longest), against
// cairo drawing the same text runs, at the same places and in the same fonts, straight onto
// an image surface. Each benchmark times the cairo drawing too, in the same run, and
// reports the ratio of the two (the goal: within 2). Widths are kept from one entry to the
// next, so showing an entry again measures nothing; the Cold variants measure every run.
#include <chrono>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <cairo.h>

#include "app/display/entry_painter.h"
#include "bench_entries.h"
#include "engine/worditem.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace {

using benchentries::Fixture;
using benchentries::fixture;

constexpr std::int16_t kWidth = 640, kHeight = 900;

class Pane : public EntryPane {
public:
    s_rct PaneFrame() const override { return s_rct{0, 0, kHeight, kWidth}; }
    void SetLineStep(std::int16_t) override {}
    float ScrollOriginY() const override { return 0; }
    void SetScrollOriginY(float) override {}
    void SetScrollRange(std::int32_t, std::int32_t) override {}
    void SetPaneColors(std::uint32_t, std::uint32_t) override {}
};

std::int32_t NoEvents(WINDOW, EVENT*) { return 0; }

// One drawn run as the window's drawing log shows it.
struct DrawnRun {
    double x, y;
    std::string utf8;
    std::string face;
    cairo_font_slant_t slant;
    cairo_font_weight_t weight;
    double pixels;
};

std::string Utf8(const std::string& bytes)
{
    std::string out;
    for (const unsigned char c : bytes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The runs of the last drawing: draw_text entries ("x,y,\"text\"") with their fonts
// ("family style size").
std::vector<DrawnRun> DrawnRuns(WINDOW window)
{
    std::vector<DrawnRun> runs;
    for (int i = 0; i < vkov_debug_draw_log_size(window); ++i) {
        vkov_draw_log_entry entry{};
        vkov_debug_draw_log_get(window, i, &entry);
        if (std::string(entry.op) != "draw_text")
            continue;
        const std::string args = entry.args;
        const std::size_t comma1 = args.find(','), comma2 = args.find(',', comma1 + 1);
        const std::string text = args.substr(comma2 + 2, args.size() - comma2 - 3);
        const std::string font = entry.font;
        const std::size_t sizeAt = font.rfind(' '), styleAt = font.rfind(' ', sizeAt - 1);
        const std::string family = font.substr(0, styleAt);
        const int style = std::atoi(font.c_str() + styleAt + 1);
        const double points = std::atof(font.c_str() + sizeAt + 1);
        const bool sans = family == "DorvaneIPA" || family == "Dorvane KestleSpecial";
        runs.push_back({std::atof(args.c_str()), std::atof(args.c_str() + comma1 + 1), Utf8(text),
                        sans ? "DejaVu Sans" : "DejaVu Serif",
                        (style & 2) != 0 ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                        (style & 1) != 0 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL,
                        points * 96.0 / 72.0});
    }
    return runs;
}

void CairoDraw(cairo_t* cr, const std::vector<DrawnRun>& runs)
{
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (const DrawnRun& run : runs) {
        cairo_select_font_face(cr, run.face.c_str(), run.slant, run.weight);
        cairo_set_font_size(cr, run.pixels);
        cairo_move_to(cr, run.x, run.y);
        cairo_show_text(cr, run.utf8.c_str());
    }
    cairo_surface_flush(cairo_get_target(cr));
}

// cold: every entry measures its runs afresh, as the first entry after a change of fonts.
void ShowEntry(benchmark::State& state, const char* head_word, bool cold = false)
{
    Fixture& f = fixture();
    if (!f.ok) {
        state.SkipWithError("cannot write the fixture dictionary");
        return;
    }
    vkov_test_reset_all();
    const s_rct rect{0, 0, kHeight, kWidth};
    WINDOW window = vkok_win_create(W_DOC, &rect, "entry", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                                    NoEvents, 0);
    Pane pane;
    EntryPainter painter(&pane, window);
    Prefs prefs;
    prefs.font_size = kDefaultFontSize;
    prefs.back_color = kDefaultBackColor;
    prefs.text_color = kDefaultTextColor;
    prefs.highlight_color = kDefaultHighlightColor;
    painter.SetColors(prefs);
    WordItem word(head_word);
    word.set_entry_offset(static_cast<std::int32_t>(LookUpWord(head_word, 512)));

    // The same runs drawn by cairo alone, timed here in the same run.
    vkov_debug_draw_log_clear(window);
    f.table.FormatEntryText(&word, &painter, nullptr);
    const std::vector<DrawnRun> runs = DrawnRuns(window);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    CairoDraw(cr, runs);
    constexpr int kCairoRounds = 20;
    const auto cairoStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kCairoRounds; ++i)
        CairoDraw(cr, runs);
    const double cairoNs =
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - cairoStart)
            .count() / kCairoRounds;
    cairo_destroy(cr);
    cairo_surface_destroy(surface);

    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (cold)
            painter.SetColors(prefs);
        f.table.FormatEntryText(&word, &painter, nullptr);
    }
    const double oursNs =
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() /
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["runs_drawn"] = static_cast<double>(runs.size());
    state.counters["cairo_us"] = cairoNs / 1000.0;
    state.counters["vs_cairo"] = cairoNs > 0 ? oursNs / cairoNs : 0;
    vkok_vobj_destroy(window);
    vkov_test_reset_all();
    // The direct side's faces stay in cairo's font cache until it is emptied.
    cairo_debug_reset_static_data();
}

void BM_ShowEntry_Typical(benchmark::State& state) { ShowEntry(state, "typical"); }
void BM_ShowEntry_Longest(benchmark::State& state) { ShowEntry(state, "longest"); }
void BM_ShowEntry_TypicalCold(benchmark::State& state) { ShowEntry(state, "typical", true); }
void BM_ShowEntry_LongestCold(benchmark::State& state) { ShowEntry(state, "longest", true); }
BENCHMARK(BM_ShowEntry_Typical)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShowEntry_Longest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShowEntry_TypicalCold)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShowEntry_LongestCold)->Unit(benchmark::kMicrosecond);

} // namespace
