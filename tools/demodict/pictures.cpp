// pictures.cpp: drawing the figures and tables. Every picture is drawn on a white RGB
// surface and written as PNG into memory; each stays far below the 65,535 bytes that
// one record of a collection can hold.
#include "tools/demodict/pictures.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <functional>

namespace demodict {
namespace {

constexpr double kPi = 3.14159265358979323846;

cairo_status_t append_png(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::string render(int width, int height, const std::function<void(cairo_t*)>& draw)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    draw(cr);
    cairo_destroy(cr);
    std::string png;
    cairo_surface_write_to_png_stream(surface, append_png, &png);
    cairo_surface_destroy(surface);
    return png;
}

// Fills the current path pale blue and strokes it black.
void fill_and_stroke(cairo_t* cr)
{
    cairo_set_source_rgb(cr, 0.80, 0.88, 1.0);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

void polygon(cairo_t* cr, int corners, double radius, double turn)
{
    for (int i = 0; i < corners; ++i) {
        const double angle = turn + 2 * kPi * i / corners - kPi / 2;
        const double x = 120 + radius * std::cos(angle);
        const double y = 120 + radius * std::sin(angle);
        i == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    fill_and_stroke(cr);
}

void path_of(cairo_t* cr, std::initializer_list<std::pair<double, double>> points)
{
    bool first = true;
    for (const auto& [x, y] : points) {
        first ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
        first = false;
    }
    cairo_close_path(cr);
    fill_and_stroke(cr);
}

struct Figure {
    const char* noun;
    void (*draw)(cairo_t*);
};

const Figure kFigures[] = {
    {"circle",
     [](cairo_t* cr) {
         cairo_arc(cr, 120, 120, 95, 0, 2 * kPi);
         fill_and_stroke(cr);
     }},
    {"ellipse",
     [](cairo_t* cr) {
         cairo_save(cr);
         cairo_translate(cr, 120, 120);
         cairo_scale(cr, 1.0, 0.6);
         cairo_arc(cr, 0, 0, 105, 0, 2 * kPi);
         cairo_restore(cr);
         fill_and_stroke(cr);
     }},
    {"triangle", [](cairo_t* cr) { polygon(cr, 3, 100, 0); }},
    {"square",
     [](cairo_t* cr) {
         cairo_rectangle(cr, 35, 35, 170, 170);
         fill_and_stroke(cr);
     }},
    {"rectangle",
     [](cairo_t* cr) {
         cairo_rectangle(cr, 20, 60, 200, 120);
         fill_and_stroke(cr);
     }},
    {"pentagon", [](cairo_t* cr) { polygon(cr, 5, 100, 0); }},
    {"hexagon", [](cairo_t* cr) { polygon(cr, 6, 100, 0); }},
    {"heptagon", [](cairo_t* cr) { polygon(cr, 7, 100, 0); }},
    {"octagon", [](cairo_t* cr) { polygon(cr, 8, 100, kPi / 8); }},
    {"rhombus",
     [](cairo_t* cr) {
         path_of(cr, {{120, 15}, {200, 120}, {120, 225}, {40, 120}});
     }},
    {"trapezoid",
     [](cairo_t* cr) {
         path_of(cr, {{70, 60}, {170, 60}, {220, 180}, {20, 180}});
     }},
    {"parallelogram",
     [](cairo_t* cr) {
         path_of(cr, {{70, 60}, {225, 60}, {170, 180}, {15, 180}});
     }},
    {"star",
     [](cairo_t* cr) {
         for (int i = 0; i < 10; ++i) {
             const double radius = i % 2 == 0 ? 105 : 42;
             const double angle = kPi * i / 5 - kPi / 2;
             const double x = 120 + radius * std::cos(angle);
             const double y = 125 + radius * std::sin(angle);
             i == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
         }
         cairo_close_path(cr);
         fill_and_stroke(cr);
     }},
    {"crescent",
     [](cairo_t* cr) {
         cairo_arc(cr, 120, 120, 95, kPi * 0.30, kPi * 1.70);
         cairo_arc_negative(cr, 160, 120, 80, kPi * 1.62, kPi * 0.38);
         cairo_close_path(cr);
         fill_and_stroke(cr);
     }},
    {"spiral",
     [](cairo_t* cr) {
         for (int i = 0; i <= 720; ++i) {
             const double angle = i * kPi / 90;
             const double radius = 3 + i * 0.14;
             const double x = 120 + radius * std::cos(angle);
             const double y = 120 + radius * std::sin(angle);
             i == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
         }
         cairo_set_line_width(cr, 3);
         cairo_stroke(cr);
     }},
};

// A table of text: a title, a header row and the rows, in columns of the given widths.
struct TextTable {
    const char* key;
    const char* headword;
    const char* caption;
    std::vector<int> widths;
    std::vector<std::vector<const char*>> rows;  // the first row is the header
};

std::string draw_table(const TextTable& table)
{
    constexpr int kRow = 22;
    constexpr int kMargin = 12;
    int width = 2 * kMargin;
    for (const int w : table.widths)
        width += w;
    const int height = 2 * kMargin + kRow * static_cast<int>(table.rows.size() + 1) + 6;
    return render(width, height, [&](cairo_t* cr) {
        cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 16);
        cairo_move_to(cr, kMargin, kMargin + 15);
        cairo_show_text(cr, table.caption);
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            const double top = kMargin + kRow * static_cast<double>(r + 1) + 6;
            if (r == 0) {
                cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
                cairo_rectangle(cr, kMargin, top, width - 2 * kMargin, kRow);
                cairo_fill(cr);
                cairo_set_source_rgb(cr, 0, 0, 0);
            }
            cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                                   r == 0 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
            cairo_set_font_size(cr, 13);
            double x = kMargin + 4;
            for (std::size_t c = 0; c < table.rows[r].size() && c < table.widths.size(); ++c) {
                cairo_move_to(cr, x, top + 16);
                cairo_show_text(cr, table.rows[r][c]);
                x += table.widths[c];
            }
            cairo_set_line_width(cr, 1);
            cairo_move_to(cr, kMargin, top + kRow + 0.5);
            cairo_line_to(cr, width - kMargin, top + kRow + 0.5);
            cairo_stroke(cr);
        }
    });
}

const TextTable kTables[] = {
    {"GREEK", "Greek alphabet", "The Greek alphabet", {80, 80, 110, 120},
     {{"capital", "small", "name", "Latin letters"},
      {"Α", "α", "alpha", "a"},   {"Β", "β", "beta", "b"},     {"Γ", "γ", "gamma", "g"},
      {"Δ", "δ", "delta", "d"},   {"Ε", "ε", "epsilon", "e"},  {"Ζ", "ζ", "zeta", "z"},
      {"Η", "η", "eta", "e, ē"},  {"Θ", "θ", "theta", "th"},   {"Ι", "ι", "iota", "i"},
      {"Κ", "κ", "kappa", "k"},   {"Λ", "λ", "lambda", "l"},   {"Μ", "μ", "mu", "m"},
      {"Ν", "ν", "nu", "n"},      {"Ξ", "ξ", "xi", "x"},       {"Ο", "ο", "omicron", "o"},
      {"Π", "π", "pi", "p"},      {"Ρ", "ρ", "rho", "r, rh"},  {"Σ", "σ, ς", "sigma", "s"},
      {"Τ", "τ", "tau", "t"},     {"Υ", "υ", "upsilon", "y, u"}, {"Φ", "φ", "phi", "ph"},
      {"Χ", "χ", "chi", "ch, kh"}, {"Ψ", "ψ", "psi", "ps"},    {"Ω", "ω", "omega", "o, ō"}}},
    {"ROMAN", "Roman numeral", "Roman numerals", {90, 90, 90, 90},
     {{"numeral", "value", "numeral", "value"},
      {"I", "1", "XX", "20"},   {"II", "2", "XXX", "30"},   {"III", "3", "XL", "40"},
      {"IV", "4", "L", "50"},   {"V", "5", "XC", "90"},     {"VI", "6", "C", "100"},
      {"VII", "7", "CD", "400"}, {"VIII", "8", "D", "500"}, {"IX", "9", "CM", "900"},
      {"X", "10", "M", "1000"}, {"XIV", "14", "MCMXC", "1990"}, {"XIX", "19", "MMXXVI", "2026"}}},
    {"PLANETS", "planet", "The planets of the solar system", {90, 150, 150, 110},
     {{"planet", "distance (AU)", "diameter (km)", "day (hours)"},
      {"Mercury", "0.39", "4,879", "4,222.6"}, {"Venus", "0.72", "12,104", "2,802.0"},
      {"Earth", "1.00", "12,756", "24.0"},     {"Mars", "1.52", "6,792", "24.7"},
      {"Jupiter", "5.20", "142,984", "9.9"},   {"Saturn", "9.58", "120,536", "10.7"},
      {"Uranus", "19.2", "51,118", "17.2"},    {"Neptune", "30.1", "49,528", "16.1"}}},
};

} // namespace

std::vector<Picture> draw_figures()
{
    std::vector<Picture> pictures;
    for (const Figure& figure : kFigures)
        pictures.push_back({figure.noun, figure.noun, figure.noun, render(240, 240, figure.draw)});
    return pictures;
}

std::vector<Picture> draw_tables()
{
    std::vector<Picture> pictures;
    for (const TextTable& table : kTables)
        pictures.push_back({table.key, table.headword, table.caption, draw_table(table)});
    // The text drew through cairo's font cache and fontconfig: let both go, nothing else
    // here draws text.
    cairo_debug_reset_static_data();
    FcFini();
    return pictures;
}

} // namespace demodict
