// font_face.h: the faces behind font objects, shared by the font and font-map sources: the
// table that maps the library's family names to installed faces, the cairo fonts made from
// them (cached), and the deterministic test font. Internal to the font family.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vkobase::font {

// Family, style and size of the font used for null fonts and new font objects.
constexpr char kDefaultFamily[] = "system";
constexpr std::int32_t kDefaultSizePt = 10;
// Style bits that select a face; underline is drawn, not chosen.
constexpr std::uint32_t kFaceStyleMask = 3u;

// Sets up the font configuration (once per process) before anything looks a face up.
void prepare_fonts() noexcept;

// Pixels per em of a size in points at dpi, at least 1.
std::int32_t pixel_size(std::int32_t size_pt, std::int32_t dpi) noexcept;

// The cairo font for a family (the library's name, any case), style and pixel size, with
// hinted metrics. Borrowed from the cache: valid until the mapping table changes or the
// module is reset (take a reference to keep it longer). Never null: a family that nothing
// matches falls back on the default face.
cairo_scaled_font_t *scaled_font(const std::string &family, std::uint32_t style,
                                 std::int32_t px) noexcept;

// Changes whenever a font borrowed from scaled_font may have become stale or wrong (the
// mapping table changed, or the cache was emptied), so callers may keep one until then.
std::uint64_t face_generation() noexcept;

// The face a family and style resolve to: its family name as installed ("DejaVu Sans") and
// the style bits the face really has (plus the asked underline bit).
struct MappedFace {
    std::string family;
    std::uint32_t style = 0;
};
MappedFace mapped_face(const std::string &family, std::uint32_t style) noexcept;

// The families that font maps offer, in alphabetical order: the library's own texts, valid
// until the mapping table changes. The test font is not offered.
const std::vector<std::string> &offered_families() noexcept;
// True when the family (any case) is one that font maps offer.
bool is_offered(const char *family) noexcept;

// Changes or adds a mapping from a family name to an installed face family; the test family
// may be named as the target. False for null or empty names.
bool add_mapping(const char *family, const char *face_family) noexcept;

// Forgets the cached fonts and restores the built-in mapping table.
void reset_faces() noexcept;

} // namespace vkobase::font
