// font_internal.h: what the drawing code of the base library needs of fonts: a font put on a
// cairo context, text measured and metrics read exactly as the text is drawn, and text bytes
// (Windows-1252) turned into UTF-8. Internal to vkobase. Every call takes a null or dead font
// as the default font ("system", style 0, size 10), so a window without a font still draws.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "vkobase/types.h"

namespace vkobase::font {

// Dots per inch of screen windows: a 12-point font is 16 pixels high on screen.
constexpr std::int32_t kScreenDpi = 96;

struct Metrics {
    std::int32_t leading = 0; // extra space between lines, in pixels
    std::int32_t ascent = 0;  // baseline to the top of the tallest glyph
    std::int32_t descent = 0; // baseline to the bottom of the deepest glyph
};

// Resolution at which text in a window is laid out: the printer's for print windows (type
// W_PRINT, through print_window_dpi), kScreenDpi for every other window and for null.
std::int32_t window_dpi(WINDOW win) noexcept;

// Dots per inch of a print window. Defined weakly here (the printer's vertical resolution
// attribute, 300 unless set); the print code may define it for real.
std::int32_t print_window_dpi(WINDOW win) noexcept;

// Sets the font, its pixel size for dpi and the font options (hinted metrics, so advances
// are whole pixels) on cr. One user unit of cr must be one dot at dpi.
void apply(cairo_t *cr, FONT_OBJ font, std::int32_t dpi) noexcept;

// Draws len bytes of text (-1: up to the terminator) with the left end of its baseline at
// (x, y), in cr's current source, and the underline when the font's style has
// VKO_FS_UNDERLINE. Calls apply itself; leaves cr's path empty.
void show_text(cairo_t *cr, FONT_OBJ font, std::int32_t dpi, double x, double y, const char *text,
               std::int32_t len) noexcept;

// Advance width in pixels of the text that show_text draws: the next text drawn at x + width
// joins it without a gap.
std::int32_t text_width(FONT_OBJ font, std::int32_t dpi, const char *text,
                        std::int32_t len) noexcept;

// Texts are shaped into glyphs once and kept for the next draw or measure, up to this many
// bytes of texts and glyphs in all; a text that takes more than kLongestShapeKept with its
// glyphs (a few thousand characters) is shaped at each use and not kept.
constexpr std::size_t kShapeCacheBytes = std::size_t{4} << 20;
constexpr std::size_t kLongestShapeKept = std::size_t{64} << 10;
// The bytes the shaped texts kept hold now.
std::size_t shape_cache_bytes() noexcept;

// Leading, ascent and descent in whole pixels; leading + ascent + descent is the line height.
Metrics metrics(FONT_OBJ font, std::int32_t dpi) noexcept;

// UTF-8 of len Windows-1252 bytes (-1: up to the terminator).
std::string to_utf8(const char *text, std::int32_t len);

// UTF-8 of text as font draws it: the phonetic family ("DorvaneIPA") reads its bytes
// through the phonetic code page (vkobase/ipa_charset.h), every other family as
// Windows-1252.
std::string text_to_utf8(FONT_OBJ font, const char *text, std::int32_t len);

// Short description for drawing logs: family, style and size, e.g. "helvetica 1 10".
std::string describe(FONT_OBJ font);

// A new font with every part of font copied, the caller's to destroy; null when none can be
// made.
FONT_OBJ duplicate(FONT_OBJ font) noexcept;
// Whether copy is what a duplicate of font mapped to win would be (same attributes,
// description and data, mapped to win): setting font on win again would change nothing.
bool is_mapped_copy(FONT_OBJ copy, FONT_OBJ font, WINDOW win) noexcept;

// Makes *owned hold a copy of font (null: no font), destroying the font it held. Answers
// false, with *owned as it was, when the copy cannot be made. font may be *owned itself.
bool replace_owned(FONT_OBJ *owned, FONT_OBJ font) noexcept;

} // namespace vkobase::font
