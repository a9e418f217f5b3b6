// png_bytes.h: the bytes of a PNG file of a width x height picture, for tests that write
// illustrations and tables into fixture dictionaries. The picture is filled with one blue,
// or left transparent.
#pragma once
#include <cairo.h>

#include <string>

namespace tavlintest {

inline std::string PngBytes(int width, int height, bool painted = true)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (painted) {
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, 0.2, 0.4, 0.8);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    std::string bytes;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}

} // namespace tavlintest
