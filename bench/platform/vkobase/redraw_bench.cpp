// Redrawing a document window: an 800 x 600 window holding 60 lines of text in mixed families,
// styles and sizes, cleared and drawn whole each frame through the drawable-window calls,
// against cairo drawing the same texts in the same faces straight onto an image surface.
// Both run interleaved in one loop, so the ratio compares them under the same conditions.
// The direct side asks the library which installed face and style each family maps to, then
// asks fontconfig for that face as the library does (the configuration the library made
// current, the same pattern) at the library's whole-pixel sizes, and the benchmark first
// compares the two sides' pixels: it refuses to time unlike drawings.
#include "vkobase/app.h"
#include "vkobase/dwin.h"
#include "vkobase/font.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/win.h"

#include <benchmark/benchmark.h>
#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Style {
    const char *family;  // the library's family name
    std::uint32_t style; // VKO_FS_BOLD, VKO_FS_ITALIC
    std::int32_t size_pt;
};

constexpr Style kStyles[] = {
    {"helvetica", 0, 10},
    {"times", VKO_FS_BOLD, 12},
    {"courier", 0, 9},
    {"helvetica", VKO_FS_ITALIC, 11},
};

// The installed face a font of the window maps to, as the library reports it.
struct Face {
    std::string family;
    std::uint32_t style;
    std::int32_t size_pt;
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

// The library's pixel size at 96 dots per inch: whole pixels.
double pixels_per_em(std::int32_t size_pt) {
    return static_cast<double>(std::lround(size_pt * 96.0 / 72.0));
}

// The face the library draws a font with in the window.
Face mapped_face(FONT_OBJ font, WINDOW win) {
    vkov_font_map(font, win);
    char family[256] = {};
    const char *got = vkok_font_get_family_mapped(font, family, sizeof family);
    return Face{got != nullptr ? family : "", vkok_font_get_style_mapped(font),
                vkok_font_get_size_mapped(font)};
}

// The cairo font of a face, resolved as the library resolves its faces: the family, weight
// and slant matched by fontconfig under the current configuration, the one the library set
// up when it made its fonts.
cairo_scaled_font_t *direct_font(const Face &s) {
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(s.family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT,
                        (s.style & VKO_FS_BOLD) != 0 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT,
                        (s.style & VKO_FS_ITALIC) != 0 ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    cairo_font_face_t *face =
        match != nullptr ? cairo_ft_font_face_create_for_pattern(match)
                         : cairo_toy_font_face_create(s.family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                                                      CAIRO_FONT_WEIGHT_NORMAL);
    if (match != nullptr)
        FcPatternDestroy(match);
    cairo_matrix_t font_matrix;
    cairo_matrix_init_scale(&font_matrix, pixels_per_em(s.size_pt), pixels_per_em(s.size_pt));
    cairo_matrix_t ctm;
    cairo_matrix_init_identity(&ctm);
    // The options the window's fonts use, so both sides render the same glyphs.
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_scaled_font_t *scaled = cairo_scaled_font_create(face, &font_matrix, &ctm, options);
    cairo_font_options_destroy(options);
    cairo_font_face_destroy(face);
    return scaled;
}

void draw_with_cairo(cairo_surface_t *surface, const std::vector<cairo_scaled_font_t *> &fonts,
                     const Page &page) {
    cairo_t *cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (const Line &line : page.lines) {
        cairo_set_scaled_font(cr, fonts[static_cast<std::size_t>(line.style - kStyles)]);
        cairo_move_to(cr, 4, line.y);
        cairo_show_text(cr, line.text.c_str());
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
}

// Pixels where the window and the direct surface differ (opaque colours compared).
std::int64_t differing_pixels(WINDOW win, cairo_surface_t *surface) {
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char *data = cairo_image_surface_get_data(surface);
    std::int64_t differ = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t direct;
            std::memcpy(&direct, data + y * stride + x * 4, 4);
            if ((vkov_debug_surface_pixel(win, x, y) & 0xFFFFFFu) != (direct & 0xFFFFFFu))
                ++differ;
        }
    }
    return differ;
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
    draw_with_layer(win, fonts, page);   // the library sets up its fonts first
    std::vector<cairo_scaled_font_t *> direct_fonts;
    for (FONT_OBJ f : fonts)
        direct_fonts.push_back(direct_font(mapped_face(f, win)));
    draw_with_cairo(direct, direct_fonts, page);
    const std::int64_t differ = differing_pixels(win, direct);
    state.counters["pixels_differ"] = static_cast<double>(differ);
    if (differ != 0) {
        const std::string why =
            "the direct drawing differs from the window's in " + std::to_string(differ) + " pixels";
        state.SkipWithError(why.c_str());
    }
    using Clock = std::chrono::steady_clock;
    Clock::duration layer_time{}, cairo_time{};
    std::int64_t frames = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        draw_with_cairo(direct, direct_fonts, page);
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
    for (cairo_scaled_font_t *f : direct_fonts)
        cairo_scaled_font_destroy(f);
    for (FONT_OBJ f : fonts)
        vkov_font_destroy(f);
    vkov_test_reset_all();
    // The direct side's faces stay in cairo's font cache until it is emptied.
    cairo_debug_reset_static_data();
}
BENCHMARK(BM_Redraw_MixedText)->Unit(benchmark::kMillisecond);

} // namespace
