// image_fuzz.cpp: libFuzzer target for the toolkit's image readers, which read the
// illustrations, the tables and the program's own pictures. Each input is one file image:
// it is read by the reader that picks the format from the first bytes (BMP, PNG, XPM or
// XBM), and by each format's stream reader over the bytes in memory. A picture read is
// queried as the drawing code does (size, colours, pixels, rows), copied, and written as a
// BMP that must read back with the same size and pixels.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "vkobase/image.h"
#include "vkobase/iostr.h"

namespace {

struct MemoryReader {
    const std::string* bytes;
    std::size_t pos;
};

std::int32_t memory_read(void* context, void* buf, std::int32_t n_bytes)
{
    auto* reader = static_cast<MemoryReader*>(context);
    const std::size_t n = std::min(reader->bytes->size() - reader->pos, static_cast<std::size_t>(n_bytes));
    std::memcpy(buf, reader->bytes->data() + reader->pos, n);
    reader->pos += n;
    return static_cast<std::int32_t>(n);
}

std::int32_t memory_skip(void* context, std::int32_t n_bytes)
{
    auto* reader = static_cast<MemoryReader*>(context);
    const std::size_t n = std::min(reader->bytes->size() - reader->pos, static_cast<std::size_t>(n_bytes));
    reader->pos += n;
    return static_cast<std::int32_t>(n);
}

std::int32_t memory_write(void* context, const void* buf, std::int32_t n_bytes)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(buf), static_cast<std::size_t>(n_bytes));
    return n_bytes;
}

IMAGE read_from_memory(IMAGE (*reader)(s_vko_iostream*), const std::string& bytes, bool skips)
{
    MemoryReader context{&bytes, 0};
    VKO_IOSTREAM stream = vkov_iostr_create_read(&context, memory_read, skips ? memory_skip : nullptr);
    IMAGE image = reader(stream);
    vkov_iostr_destroy(stream);
    return image;
}

// Points spread over the picture: corners, centre and a grid of at most 32 x 32.
template <typename Visit> void for_sample_points(std::int32_t width, std::int32_t height, Visit visit)
{
    const std::int32_t step_x = std::max(1, width / 32);
    const std::int32_t step_y = std::max(1, height / 32);
    for (std::int32_t y = 0; y < height; y += step_y)
        for (std::int32_t x = 0; x < width; x += step_x)
            visit(x, y);
    visit(width - 1, height - 1);
}

void examine(IMAGE image)
{
    if (image == nullptr)
        return;
    std::int32_t width = 0, height = 0;
    vkov_image_get_dimensions(image, &width, &height);
    if (width <= 0 || height <= 0)
        __builtin_trap();  // a picture read has pixels
    std::int32_t horz_dpi = 0, vert_dpi = 0;
    vkov_image_get_resolution(image, &horz_dpi, &vert_dpi);
    const std::int32_t colors = vkov_image_get_ncolors(image);
    for (std::int32_t i = 0; i < colors; ++i)
        vkov_image_get_clut(image, i);
    vkov_image_get_scanline(image, 0);
    vkov_image_get_scanline(image, height - 1);

    IMAGE copy = vkov_image_duplicate(image);
    std::string bmp;
    VKO_IOSTREAM out = vkov_iostr_create_write(&bmp, memory_write);
    const bool written = vkov_image_write_winbmp(copy, out) != 0;
    vkov_iostr_destroy(out);
    IMAGE again = written ? read_from_memory(vkov_image_read_bmp, bmp, true) : nullptr;
    if (written && again == nullptr)
        __builtin_trap();  // what the writer wrote, the reader reads
    if (again != nullptr) {
        std::int32_t width2 = 0, height2 = 0;
        vkov_image_get_dimensions(again, &width2, &height2);
        if (width2 != width || height2 != height)
            __builtin_trap();
        for_sample_points(width, height, [&](std::int32_t x, std::int32_t y) {
            // BMP keeps red, green and blue, not a standard colour's number.
            if ((vkov_image_get_pixel(again, x, y) & 0xFFFFFF) != (vkov_image_get_pixel(image, x, y) & 0xFFFFFF))
                __builtin_trap();
        });
    }
    vkov_image_destroy(again);
    vkov_image_destroy(copy);
    vkov_image_destroy(image);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes = fuzzsupport::as_string(data, size);
    if (fuzzsupport::write_file(fuzzsupport::work_dir() + "input.img", bytes)) {
        FILE_SPEC spec{};
        std::strncpy(spec.dir.path, fuzzsupport::work_dir().c_str(), sizeof spec.dir.path - 1);
        std::strncpy(spec.name, "input.img", sizeof spec.name - 1);
        examine(vkov_image_read(&spec));
    }
    examine(read_from_memory(vkov_image_read_bmp, bytes, size % 2 == 0));
    examine(read_from_memory(vkov_image_read_xpm, bytes, true));
    examine(read_from_memory(vkov_image_read_xbm, bytes, true));
    examine(read_from_memory(vkov_image_read_macpict, bytes, true));
    return 0;
}
