// image_bmp.cpp: reading and writing Windows BMP images through streams, and reading image
// files by their first bytes (BMP, PNG, XPM, XBM). Streams are read strictly in order: gaps
// are skipped, never sought back. Every malformed or unsupported file answers null.
#include "vkobase/image.h"

#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "image_internal.h"
#include "vkobase/iostr.h"
#include "vkobase/read_file.h"

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kCompressionNone = 0;
constexpr double kInchesPerMetre = 39.3701;

std::uint16_t read_u16_le(const unsigned char *p) noexcept {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t read_u32_le(const unsigned char *p) noexcept {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void put_u16_le(unsigned char *p, std::uint32_t v) noexcept {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
void put_u32_le(unsigned char *p, std::uint32_t v) noexcept {
    put_u16_le(p, v);
    put_u16_le(p + 2, v >> 16);
}

bool read_exact(VKO_IOSTREAM stream, void *buf, std::uint32_t n) noexcept {
    return vkov_iostr_read(stream, buf, static_cast<std::int32_t>(n)) ==
           static_cast<std::int32_t>(n);
}

bool write_exact(VKO_IOSTREAM stream, const void *buf, std::size_t n) noexcept {
    return vkov_iostr_write(stream, buf, static_cast<std::int32_t>(n)) ==
           static_cast<std::int32_t>(n);
}

std::int32_t dpi_from_ppm(std::uint32_t ppm) noexcept {
    if (ppm == 0 || ppm > 1000000)
        return 96;
    return static_cast<std::int32_t>(ppm / kInchesPerMetre + 0.5);
}

// A read stream over bytes in memory, for files read whole.
struct MemoryReader {
    const std::string *bytes;
    std::size_t pos;
};
std::int32_t memory_read(void *context, void *buf, std::int32_t n_bytes) {
    auto *reader = static_cast<MemoryReader *>(context);
    const std::size_t left = reader->bytes->size() - reader->pos;
    const std::size_t n = std::min<std::size_t>(left, static_cast<std::size_t>(n_bytes));
    std::memcpy(buf, reader->bytes->data() + reader->pos, n);
    reader->pos += n;
    return static_cast<std::int32_t>(n);
}

IMAGE decode_bmp_bytes(const std::string &bytes) noexcept {
    MemoryReader reader{&bytes, 0};
    VKO_IOSTREAM stream = vkov_iostr_create_read(&reader, memory_read, nullptr);
    if (stream == nullptr)
        return nullptr;
    IMAGE image = vkov_image_read_bmp(stream);
    vkov_iostr_destroy(stream);
    return image;
}

bool starts_with(const std::string &bytes, const char *magic) noexcept {
    return bytes.compare(0, std::strlen(magic), magic) == 0;
}

} // namespace

namespace vkobase {

bool read_whole_file(const FILE_SPEC *file, std::string *bytes) noexcept {
    if (file == nullptr)
        return false;
    try {
        const std::string dir(file->dir.path, strnlen(file->dir.path, sizeof file->dir.path));
        const std::string name(file->name, strnlen(file->name, sizeof file->name));
        if (name.empty())
            return false;
        const std::string path =
            dir.empty() || name[0] == '/' ? name : (dir.back() == '/' ? dir : dir + "/") + name;
        FILE *in = vkov_open_to_read(path.c_str(), nullptr);
        if (in == nullptr)
            return false;
        bytes->clear();
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, in)) > 0;)
            bytes->append(buf, n);
        const bool read = std::ferror(in) == 0;
        std::fclose(in);
        return read;
    } catch (...) {
        return false;
    }
}

IMAGE image_decode_png(const std::string &bytes) noexcept {
    MemoryReader reader{&bytes, 0};
    cairo_surface_t *png = cairo_image_surface_create_from_png_stream(
        [](void *closure, unsigned char *data, unsigned int length) {
            auto *r = static_cast<MemoryReader *>(closure);
            if (r->bytes->size() - r->pos < length)
                return CAIRO_STATUS_READ_ERROR;
            std::memcpy(data, r->bytes->data() + r->pos, length);
            r->pos += length;
            return CAIRO_STATUS_SUCCESS;
        },
        &reader);
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(png);
        return nullptr;
    }
    // Transparent parts are laid on white, as a window's background shows them.
    const int width = cairo_image_surface_get_width(png);
    const int height = cairo_image_surface_get_height(png);
    cairo_surface_t *flat = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t *cr = cairo_create(flat);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_surface(cr, png, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(png);
    cairo_surface_flush(flat);
    IMAGE image = image_make(VKO_IMAGE_RGB, width, height);
    const unsigned char *data = cairo_image_surface_get_data(flat);
    if (image != nullptr && data != nullptr) {
        const int stride = cairo_image_surface_get_stride(flat);
        for (int y = 0; y < height; ++y)
            std::memcpy(&image->pixels[static_cast<std::size_t>(y) * image->row_bytes()],
                        data + static_cast<std::ptrdiff_t>(y) * stride,
                        static_cast<std::size_t>(image->row_bytes()));
    }
    cairo_surface_destroy(flat);
    return image;
}

} // namespace vkobase

extern "C" {

// BMP layout, all fields little-endian:
//   file header (14 bytes): "BM"; u32 file size; u16, u16 reserved; u32 offset of the pixels
//     from the start of the file.
//   info header (40 bytes or longer; only the first 40 are read, the rest skipped): u32 header
//     size; i32 width; i32 height (negative: rows run top to bottom, else bottom to top); u16
//     planes (1); u16 bits per pixel (1, 4, 8, 24 or 32); u32 compression (0 only); u32 image
//     size; i32, i32 pixels per metre horizontally and vertically; u32 colours used (0: all
//     2^bits for 8 bits and fewer); u32 important colours.
//   colour table for 8 bits and fewer: 4 bytes per entry, blue, green, red, unused.
//   pixels: rows padded to a multiple of 4 bytes; 24-bit pixels are blue, green, red; 32-bit
//     ones blue, green, red, unused.
IMAGE vkov_image_read_bmp(s_vko_iostream *stream) noexcept {
    unsigned char head[kFileHeaderBytes + kInfoHeaderBytes];
    if (!read_exact(stream, head, sizeof head) || head[0] != 'B' || head[1] != 'M')
        return nullptr;
    const std::uint32_t pixel_offset = read_u32_le(head + 10);
    const unsigned char *info = head + kFileHeaderBytes;
    const std::uint32_t info_bytes = read_u32_le(info);
    const std::int32_t width = static_cast<std::int32_t>(read_u32_le(info + 4));
    const std::int32_t raw_height = static_cast<std::int32_t>(read_u32_le(info + 8));
    const std::uint16_t bits = read_u16_le(info + 14);
    const std::uint32_t compression = read_u32_le(info + 16);
    const std::uint32_t colors_used = read_u32_le(info + 32);
    if (info_bytes < kInfoHeaderBytes || compression != kCompressionNone)
        return nullptr;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return nullptr;
    if (raw_height == INT32_MIN || width <= 0 || width > vkobase::kImageMaxSide)
        return nullptr;
    const bool top_down = raw_height < 0;
    const std::int32_t height = top_down ? -raw_height : raw_height;
    const std::uint32_t table_max = bits <= 8 ? (1u << bits) : 0;
    const std::uint32_t table_count = bits <= 8 && colors_used == 0 ? table_max : colors_used;
    if (bits <= 8 && (table_count == 0 || table_count > table_max))
        return nullptr;
    if (bits > 8 && table_count > 256) // a table before true-colour pixels is only skipped
        return nullptr;
    // Everything before the pixels, read so far or still to read, must lie before them.
    const std::uint32_t table_at = kFileHeaderBytes + info_bytes;
    if (info_bytes > 4096 || pixel_offset < table_at + table_count * 4 ||
        pixel_offset - table_at - table_count * 4 > (1u << 24))
        return nullptr;
    if (info_bytes > kInfoHeaderBytes &&
        vkov_iostr_skip(stream, static_cast<std::int32_t>(info_bytes - kInfoHeaderBytes)) !=
            static_cast<std::int32_t>(info_bytes - kInfoHeaderBytes))
        return nullptr;
    std::vector<COLOR> table;
    try {
        for (std::uint32_t i = 0; i < table_count; ++i) {
            unsigned char entry[4];
            if (!read_exact(stream, entry, 4))
                return nullptr;
            table.push_back((static_cast<COLOR>(entry[2]) << 16) |
                            (static_cast<COLOR>(entry[1]) << 8) | entry[0]);
        }
    } catch (...) {
        return nullptr;
    }
    const std::uint32_t gap = pixel_offset - table_at - table_count * 4;
    if (gap > 0 &&
        vkov_iostr_skip(stream, static_cast<std::int32_t>(gap)) != static_cast<std::int32_t>(gap))
        return nullptr;
    IMAGE image = vkobase::image_make(bits <= 8 ? VKO_IMAGE_INDEXED : VKO_IMAGE_RGB, width, height);
    if (image == nullptr)
        return nullptr;
    image->horz_dpi = dpi_from_ppm(read_u32_le(info + 24));
    image->vert_dpi = dpi_from_ppm(read_u32_le(info + 28));
    const std::size_t row_bits = static_cast<std::size_t>(width) * bits;
    const std::size_t padded = (row_bits + 31) / 32 * 4;
    try {
        if (bits <= 8)
            image->clut = table;
        std::vector<unsigned char> row(padded);
        for (std::int32_t r = 0; r < height; ++r) {
            if (!read_exact(stream, row.data(), static_cast<std::uint32_t>(padded))) {
                vkov_image_destroy(image);
                return nullptr;
            }
            const std::int32_t y = top_down ? r : height - 1 - r;
            for (std::int32_t x = 0; x < width; ++x) {
                if (bits > 8) {
                    const unsigned char *p = row.data() + static_cast<std::size_t>(x) * (bits / 8);
                    vkobase::image_put_rgb(*image, x, y,
                                           (static_cast<std::uint32_t>(p[2]) << 16) |
                                               (static_cast<std::uint32_t>(p[1]) << 8) | p[0]);
                    continue;
                }
                const std::size_t bit = static_cast<std::size_t>(x) * bits;
                const unsigned shift = static_cast<unsigned>(8 - bits - bit % 8);
                std::uint8_t index =
                    static_cast<std::uint8_t>((row[bit / 8] >> shift) & ((1u << bits) - 1));
                if (index >= table.size())
                    index = 0; // an index past the table shows its first colour
                image->pixels[static_cast<std::size_t>(y) * width + x] = index;
            }
        }
    } catch (...) {
        vkov_image_destroy(image);
        return nullptr;
    }
    return image;
}

IMAGE vkov_image_read_bmp_from_fn(const FILE_SPEC *file) noexcept {
    std::string bytes;
    if (!vkobase::read_whole_file(file, &bytes))
        return nullptr;
    return decode_bmp_bytes(bytes);
}

IMAGE vkov_image_read(const FILE_SPEC *file) noexcept {
    std::string bytes;
    if (!vkobase::read_whole_file(file, &bytes))
        return nullptr;
    if (starts_with(bytes, "BM"))
        return decode_bmp_bytes(bytes);
    if (starts_with(bytes, "\x89PNG"))
        return vkobase::image_decode_png(bytes);
    const std::size_t text_start = std::min(bytes.find_first_not_of(" \t\r\n"), bytes.size());
    if (bytes.compare(text_start, 9, "/* XPM */") == 0)
        return vkobase::image_decode_xpm(bytes);
    if (bytes.compare(text_start, 7, "#define") == 0)
        return vkobase::image_decode_xbm(bytes);
    return nullptr;
}

// Indexed images are written with 8 bits per pixel and their whole colour table (at least
// one entry); colour images with 24 bits. Resolutions go out as pixels per metre.
BOOLEAN vkov_image_write_winbmp(IMAGE image, s_vko_iostream *stream) noexcept {
    if (!vkobase::image_is_live(image))
        return FALSE;
    const bool indexed = image->format == VKO_IMAGE_INDEXED;
    const std::uint32_t bits = indexed ? 8 : 24;
    const std::uint32_t table_count =
        indexed ? std::max<std::uint32_t>(1, static_cast<std::uint32_t>(image->clut.size())) : 0;
    const std::uint32_t padded = (static_cast<std::uint32_t>(image->width) * bits + 31) / 32 * 4;
    const std::uint32_t pixel_offset = kFileHeaderBytes + kInfoHeaderBytes + table_count * 4;
    const std::uint64_t file_size = pixel_offset + static_cast<std::uint64_t>(padded) *
                                                       static_cast<std::uint32_t>(image->height);
    if (file_size > INT32_MAX)
        return FALSE;
    unsigned char head[kFileHeaderBytes + kInfoHeaderBytes] = {};
    head[0] = 'B';
    head[1] = 'M';
    put_u32_le(head + 2, static_cast<std::uint32_t>(file_size));
    put_u32_le(head + 10, pixel_offset);
    unsigned char *info = head + kFileHeaderBytes;
    put_u32_le(info, kInfoHeaderBytes);
    put_u32_le(info + 4, static_cast<std::uint32_t>(image->width));
    put_u32_le(info + 8, static_cast<std::uint32_t>(image->height));
    put_u16_le(info + 12, 1);
    put_u16_le(info + 14, bits);
    put_u32_le(info + 20, padded * static_cast<std::uint32_t>(image->height));
    put_u32_le(info + 24, static_cast<std::uint32_t>(image->horz_dpi * kInchesPerMetre + 0.5));
    put_u32_le(info + 28, static_cast<std::uint32_t>(image->vert_dpi * kInchesPerMetre + 0.5));
    put_u32_le(info + 32, table_count);
    if (!write_exact(stream, head, sizeof head))
        return FALSE;
    for (std::uint32_t i = 0; i < table_count; ++i) {
        const COLOR c = i < image->clut.size() ? image->clut[i] : VKO_COLOR_BLACK;
        const unsigned char entry[4] = {static_cast<unsigned char>(c),
                                        static_cast<unsigned char>(c >> 8),
                                        static_cast<unsigned char>(c >> 16), 0};
        if (!write_exact(stream, entry, 4))
            return FALSE;
    }
    try {
        std::vector<unsigned char> row(padded, 0);
        for (std::int32_t r = 0; r < image->height; ++r) {
            const std::int32_t y = image->height - 1 - r; // bottom row first
            for (std::int32_t x = 0; x < image->width; ++x) {
                if (indexed) {
                    row[static_cast<std::size_t>(x)] =
                        image->pixels[static_cast<std::size_t>(y) * image->width + x];
                    continue;
                }
                const std::uint32_t rgb = vkobase::image_rgb_at(*image, x, y);
                unsigned char *p = &row[static_cast<std::size_t>(x) * 3];
                p[0] = static_cast<unsigned char>(rgb);
                p[1] = static_cast<unsigned char>(rgb >> 8);
                p[2] = static_cast<unsigned char>(rgb >> 16);
            }
            if (!write_exact(stream, row.data(), row.size()))
                return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

} // extern "C"
