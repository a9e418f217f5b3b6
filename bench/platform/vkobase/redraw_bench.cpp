// Redrawing a document window: an 800 x 600 window holding 60 lines of text in mixed families,
// styles and sizes, cleared and drawn whole each frame through the drawable-window calls,
// against cairo drawing the same texts in the same faces straight onto an image surface.
// Both run interleaved in one loop, so the ratio compares them under the same conditions.
#include "vkobase/app.h"
#include "vkobase/dwin.h"
#include "vkobase/font.h"
#include "vkobase/testing.h"
#include "vkobase/win.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Style {
    const char *family;       // the library's family name
    const char *cairo_family; // the installed face it maps to
    std::uint32_t style;      // VKO_FS_BOLD, VKO_FS_ITALIC
    std::int32_t size_pt;
};

constexpr Style kStyles[] = {
    {"helvetica", "DejaVu Sans", 0, 10},
    {"times", "DejaVu Serif", VKO_FS_BOLD, 12},
    {"courier", "DejaVu Sans Mono", 0, 9},
    {"helvetica", "DejaVu Sans", VKO_FS_ITALIC, 11},
};

struct Line {
    const Style *style;
    std::string text;
    std::int32_t y;
};

struct Page {
    std::int16_t width, height;
    std::vector<Line> lines;
};

Page make_page() {
    const bool smoke = std::getenv("VKO_BENCH_SMOKE") != nullptr;
    Page page{static_cast<std::int16_t>(smoke ? 200 : 800),
              static_cast<std::int16_t>(smoke ? 100 : 600),
              {}};
    const int count = smoke ? 5 : 60;
    for (int i = 0; i < count; ++i) {
        const Style &s = kStyles[i % 4];
        page.lines.push_back(
            Line{&s,
                 "Entry " + std::to_string(i) +
                     ": the quick brown fox jumps over the lazy dog, then rests a while.",
                 12 + i * (page.height - 16) / count});
    }
    return page;
}

double pixels_per_em(std::int32_t size_pt) {
    return size_pt * 96.0 / 72.0;
}

void draw_with_cairo(cairo_surface_t *surface, const Page &page) {
    cairo_t *cr = cairo_create(surface);
    // The options the window's fonts use, so both sides render the same glyphs.
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (const Line &line : page.lines) {
        const Style &s = *line.style;
        cairo_select_font_face(
            cr, s.cairo_family,
            (s.style & VKO_FS_ITALIC) != 0 ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
            (s.style & VKO_FS_BOLD) != 0 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, pixels_per_em(s.size_pt));
        cairo_move_to(cr, 4, line.y);
        cairo_show_text(cr, line.text.c_str());
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
}

void draw_with_layer(WINDOW win, const std::vector<FONT_OBJ> &fonts, const Page &page) {
    vkov_dwin_clear(win, VKO_COLOR_WHITE);
    vkok_dwin_set_fore_color(win, VKO_COLOR_BLACK);
    for (const Line &line : page.lines) {
        vkov_dwin_set_font(win, fonts[static_cast<std::size_t>(line.style - kStyles)]);
        vkok_dwin_draw_text(win, 4, line.y, line.text.c_str(), -1);
    }
}

void BM_Redraw_MixedText(benchmark::State &state) {
    vkov_test_reset_all();
    const Page page = make_page();
    const s_rct rct{0, 0, page.height, page.width};
    WINDOW win =
        vkok_win_create(W_PLAIN, &rct, "bench", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
    std::vector<FONT_OBJ> fonts;
    for (const Style &s : kStyles) {
        FONT_OBJ f = vkov_font_create();
        vkov_font_set_family(f, s.family);
        vkov_font_set_style(f, s.style);
        vkov_font_set_size(f, s.size_pt);
        fonts.push_back(f);
    }
    cairo_surface_t *direct =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, page.width, page.height);
    using Clock = std::chrono::steady_clock;
    Clock::duration layer_time{}, cairo_time{};
    std::int64_t frames = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        draw_with_cairo(direct, page);
        const auto t1 = Clock::now();
        draw_with_layer(win, fonts, page);
        const auto t2 = Clock::now();
        cairo_time += t1 - t0;
        layer_time += t2 - t1;
        ++frames;
    }
    const double layer_s = std::chrono::duration<double>(layer_time).count();
    const double cairo_s = std::chrono::duration<double>(cairo_time).count();
    if (layer_s > 0 && cairo_s > 0) {
        state.counters["fps_window"] = static_cast<double>(frames) / layer_s;
        state.counters["fps_cairo"] = static_cast<double>(frames) / cairo_s;
        state.counters["ratio_to_cairo"] = cairo_s / layer_s;
    }
    state.SetItemsProcessed(frames);
    cairo_surface_destroy(direct);
    for (FONT_OBJ f : fonts)
        vkov_font_destroy(f);
    vkov_test_reset_all();
    // The direct side's faces stay in cairo's font cache until it is emptied.
    cairo_debug_reset_static_data();
}
BENCHMARK(BM_Redraw_MixedText)->Unit(benchmark::kMillisecond);

} // namespace
