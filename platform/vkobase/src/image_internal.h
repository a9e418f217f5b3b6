// image_internal.h: the image record and the helpers that the image readers and writers, the
// palette family and the drawing families share. Internal to vkobase. An image handle is
// live exactly while image_is_live says so; never read a record before asking.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vkobase/image.h"

// An in-memory image. Indexed images hold one byte per pixel (an index into the colour
// table); colour images hold one 32-bit word per pixel with red, green and blue in bits
// 16-23, 8-15 and 0-7 (the layout of cairo's RGB24), so that they can be handed to cairo as
// they are. Rows are stored top to bottom without padding.
struct s_image {
    std::int32_t format = VKO_IMAGE_INDEXED;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t horz_dpi = 96;
    std::int32_t vert_dpi = 96;
    std::vector<COLOR> clut;          // indexed images only; at most kMaxColors entries
    std::vector<std::uint8_t> pixels; // height rows of row_bytes()
    std::int32_t row_bytes() const { return format == VKO_IMAGE_INDEXED ? width : width * 4; }
};

namespace vkobase {

constexpr std::int32_t kImageMaxColors = 256;
constexpr std::int32_t kImageMaxSide = 16384;
constexpr std::int64_t kImageMaxPixels = std::int64_t{1} << 24; // a file cannot ask for more

bool image_is_live(IMAGE image) noexcept;
// A new registered image of that format and size, every pixel 0 (the first colour of an
// indexed image, black in a colour image); null for a bad format or size (a side beyond
// kImageMaxSide, or more than kImageMaxPixels pixels).
IMAGE image_make(std::int32_t format, std::int32_t width, std::int32_t height) noexcept;
// The colour of a pixel (inside the image) as a 24-bit RGB value.
std::uint32_t image_rgb_at(const s_image &image, std::int32_t x, std::int32_t y) noexcept;
// Sets a pixel (inside the image) to a colour; an indexed image takes the nearest entry of its
// colour table.
void image_put_rgb(s_image &image, std::int32_t x, std::int32_t y, std::uint32_t rgb) noexcept;
// The index of the colour table entry nearest to a 24-bit colour (0 for an empty table).
std::uint8_t image_nearest_index(const s_image &image, std::uint32_t rgb) noexcept;

// Reading a whole file into memory; false when it cannot be read.
bool read_whole_file(const FILE_SPEC *file, std::string *bytes) noexcept;
// Decoders over memory (image_xpm.cpp); null for malformed input.
IMAGE image_decode_xpm(const std::string &text) noexcept;
IMAGE image_decode_xbm(const std::string &text) noexcept;
// Decodes a PNG file's bytes through cairo into a colour image; null when it is not one.
IMAGE image_decode_png(const std::string &bytes) noexcept;

} // namespace vkobase
