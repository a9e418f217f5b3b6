// image.cpp: in-memory images: their records, colour tables, pixels, scan lines, fills and
// transfers, and the cairo surface the drawing families paint an image with. Every image is
// registered as a live record; a handle is checked there before its record is read.
#include "vkobase/image.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <unordered_map>
#include <unordered_set>

#include "image_internal.h"
#include "live_registry.h"
#include "surface_internal.h"
#include "window_internal.h"

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

struct ImageState {
    std::unordered_set<IMAGE> images;
};
ImageState &state() {
    static ImageState s;
    return s;
}

s_image *live_image(IMAGE image) noexcept {
    return vkobase::image_is_live(image) ? image : nullptr;
}

int channel_distance(std::uint32_t a, std::uint32_t b) noexcept {
    int sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

// Clips a rectangle to an image; false when nothing of it is left.
bool clip_to(const s_image &image, const s_rct &in, s_rct *out) noexcept {
    out->left = static_cast<std::int16_t>(std::max<int>(in.left, 0));
    out->top = static_cast<std::int16_t>(std::max<int>(in.top, 0));
    out->right = static_cast<std::int16_t>(std::min<int>(in.right, image.width));
    out->bottom = static_cast<std::int16_t>(std::min<int>(in.bottom, image.height));
    return out->left < out->right && out->top < out->bottom;
}

// Copies src (a rectangle of a pixel source) into dst of an image, scaling by the nearest
// pixel. The source answers 24-bit colours; pixels that fall outside either side are skipped.
template <typename SourceRgb>
void scale_into(s_image &dst_image, const s_rct &dst, const s_rct &src, SourceRgb &&source_rgb) {
    const int dst_w = dst.right - dst.left;
    const int dst_h = dst.bottom - dst.top;
    const int src_w = src.right - src.left;
    const int src_h = src.bottom - src.top;
    if (dst_w <= 0 || dst_h <= 0 || src_w <= 0 || src_h <= 0)
        return;
    std::unordered_map<std::uint32_t, std::uint8_t> index_cache;
    for (int y = 0; y < dst_h; ++y) {
        const int dy = dst.top + y;
        if (dy < 0 || dy >= dst_image.height)
            continue;
        const int sy = src.top + static_cast<int>(static_cast<long long>(y) * src_h / dst_h);
        for (int x = 0; x < dst_w; ++x) {
            const int dx = dst.left + x;
            if (dx < 0 || dx >= dst_image.width)
                continue;
            const int sx = src.left + static_cast<int>(static_cast<long long>(x) * src_w / dst_w);
            std::uint32_t rgb = 0;
            if (!source_rgb(sx, sy, &rgb))
                continue;
            if (dst_image.format == VKO_IMAGE_INDEXED) {
                auto it = index_cache.find(rgb);
                if (it == index_cache.end())
                    it = index_cache.emplace(rgb, vkobase::image_nearest_index(dst_image, rgb))
                             .first;
                dst_image.pixels[static_cast<std::size_t>(dy) * dst_image.width + dx] = it->second;
            } else {
                vkobase::image_put_rgb(dst_image, dx, dy, rgb);
            }
        }
    }
}

} // namespace

void vkobase_reset_image() noexcept {
    for (IMAGE image : state().images) {
        vkobase::live_remove(image);
        delete image;
    }
    state().images.clear();
}

namespace vkobase {

bool image_is_live(IMAGE image) noexcept {
    return live_is(image, LiveKind::Image);
}

IMAGE image_make(std::int32_t format, std::int32_t width, std::int32_t height) noexcept {
    if (format != VKO_IMAGE_INDEXED && format != VKO_IMAGE_RGB)
        return nullptr;
    if (width <= 0 || height <= 0 || width > kImageMaxSide || height > kImageMaxSide ||
        static_cast<std::int64_t>(width) * height > kImageMaxPixels)
        return nullptr;
    auto *image = new (std::nothrow) s_image{};
    if (image == nullptr)
        return nullptr;
    image->format = format;
    image->width = width;
    image->height = height;
    try {
        image->pixels.assign(static_cast<std::size_t>(image->row_bytes()) * height, 0);
        state().images.insert(image);
    } catch (...) {
        delete image;
        return nullptr;
    }
    live_add(image, LiveKind::Image);
    return image;
}

std::uint32_t image_rgb_at(const s_image &image, std::int32_t x, std::int32_t y) noexcept {
    if (image.format == VKO_IMAGE_INDEXED) {
        const std::uint8_t index = image.pixels[static_cast<std::size_t>(y) * image.width + x];
        return index < image.clut.size() ? image.clut[index] & kRgbMask : 0;
    }
    std::uint32_t word = 0;
    std::memcpy(&word, &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4], 4);
    return word & kRgbMask;
}

void image_put_rgb(s_image &image, std::int32_t x, std::int32_t y, std::uint32_t rgb) noexcept {
    if (image.format == VKO_IMAGE_INDEXED) {
        image.pixels[static_cast<std::size_t>(y) * image.width + x] =
            image_nearest_index(image, rgb);
        return;
    }
    const std::uint32_t word = rgb & kRgbMask;
    std::memcpy(&image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4], &word, 4);
}

std::uint8_t image_nearest_index(const s_image &image, std::uint32_t rgb) noexcept {
    std::size_t best = 0;
    int best_distance = -1;
    for (std::size_t i = 0; i < image.clut.size(); ++i) {
        const int d = channel_distance(image.clut[i] & kRgbMask, rgb & kRgbMask);
        if (best_distance < 0 || d < best_distance) {
            best = i;
            best_distance = d;
            if (d == 0)
                break;
        }
    }
    return static_cast<std::uint8_t>(best);
}

cairo_surface_t *image_to_surface(IMAGE image) noexcept {
    const s_image *img = live_image(image);
    if (img == nullptr)
        return nullptr;
    cairo_surface_t *surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, img->width, img->height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    unsigned char *data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < img->height; ++y) {
        unsigned char *row = data + static_cast<std::ptrdiff_t>(y) * stride;
        if (img->format == VKO_IMAGE_RGB) {
            std::memcpy(row, &img->pixels[static_cast<std::size_t>(y) * img->width * 4],
                        static_cast<std::size_t>(img->width) * 4);
            continue;
        }
        for (int x = 0; x < img->width; ++x) {
            const std::uint32_t word = image_rgb_at(*img, x, y);
            std::memcpy(row + static_cast<std::ptrdiff_t>(x) * 4, &word, 4);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

} // namespace vkobase

extern "C" {

IMAGE vkov_image_create(int32_t format, int32_t width, int32_t height, int32_t) noexcept {
    s_image *image = vkobase::image_make(format, width, height);
    if (image != nullptr && format == VKO_IMAGE_INDEXED) {
        try {
            // Two entries to start with, so that a new indexed image can be drawn in black
            // and white before the program sets its table.
            image->clut = {VKO_COLOR_BLACK, VKO_COLOR_WHITE};
        } catch (...) {
        }
    }
    return image;
}

void vkov_image_destroy(IMAGE image) noexcept {
    if (live_image(image) == nullptr)
        return;
    vkobase::live_remove(image);
    state().images.erase(image);
    delete image;
}

BOOLEAN vkov_image_is_valid(IMAGE image) noexcept {
    return live_image(image) != nullptr ? TRUE : FALSE;
}

IMAGE vkov_image_duplicate(IMAGE image) noexcept {
    const s_image *src = live_image(image);
    if (src == nullptr)
        return nullptr;
    s_image *copy = vkobase::image_make(src->format, src->width, src->height);
    if (copy == nullptr)
        return nullptr;
    try {
        copy->clut = src->clut;
    } catch (...) {
        vkov_image_destroy(copy);
        return nullptr;
    }
    copy->pixels = src->pixels; // same size: no allocation
    copy->horz_dpi = src->horz_dpi;
    copy->vert_dpi = src->vert_dpi;
    return copy;
}

int32_t vkov_image_get_format(IMAGE image) noexcept {
    const s_image *img = live_image(image);
    return img != nullptr ? img->format : 0;
}

void vkov_image_get_dimensions(IMAGE image, int32_t *width, int32_t *height) noexcept {
    const s_image *img = live_image(image);
    if (img == nullptr)
        return;
    if (width != nullptr)
        *width = img->width;
    if (height != nullptr)
        *height = img->height;
}

void vkov_image_get_resolution(IMAGE image, int32_t *horz_dpi, int32_t *vert_dpi) noexcept {
    const s_image *img = live_image(image);
    if (img == nullptr)
        return;
    if (horz_dpi != nullptr)
        *horz_dpi = img->horz_dpi;
    if (vert_dpi != nullptr)
        *vert_dpi = img->vert_dpi;
}

void vkov_image_set_resolution(IMAGE image, int32_t horz_dpi, int32_t vert_dpi) noexcept {
    s_image *img = live_image(image);
    if (img == nullptr || horz_dpi <= 0 || vert_dpi <= 0)
        return;
    img->horz_dpi = horz_dpi;
    img->vert_dpi = vert_dpi;
}

uint16_t vkov_image_get_ncolors(IMAGE image) noexcept {
    const s_image *img = live_image(image);
    if (img == nullptr)
        return 65535;
    return static_cast<uint16_t>(img->clut.size());
}

void vkov_image_set_ncolors(IMAGE image, int32_t count) noexcept {
    s_image *img = live_image(image);
    if (img == nullptr || img->format != VKO_IMAGE_INDEXED || count < 0 ||
        count > vkobase::kImageMaxColors)
        return;
    try {
        img->clut.resize(static_cast<std::size_t>(count), VKO_COLOR_BLACK);
    } catch (...) {
    }
}

uint32_t vkov_image_get_clut(IMAGE image, int32_t index) noexcept {
    const s_image *img = live_image(image);
    if (img == nullptr || index < 0 || static_cast<std::size_t>(index) >= img->clut.size())
        return VKO_COLOR_UNSET;
    return img->clut[static_cast<std::size_t>(index)];
}

void vkov_image_set_clut(IMAGE image, int32_t index, COLOR color) noexcept {
    s_image *img = live_image(image);
    if (img == nullptr || index < 0 || static_cast<std::size_t>(index) >= img->clut.size())
        return;
    img->clut[static_cast<std::size_t>(index)] = color;
}

BOOLEAN vkov_image_is_valid_pos(IMAGE image, int32_t x, int32_t y) noexcept {
    const s_image *img = live_image(image);
    if (img == nullptr)
        return FALSE;
    return x >= 0 && y >= 0 && x < img->width && y < img->height ? TRUE : FALSE;
}

uint32_t vkov_image_get_pixel(IMAGE image, int32_t x, int32_t y) noexcept {
    if (vkov_image_is_valid_pos(image, x, y) == FALSE)
        return VKO_COLOR_UNSET;
    if (image->format == VKO_IMAGE_INDEXED) {
        // The colour as the table holds it, standard-colour number included.
        const std::uint8_t index = image->pixels[static_cast<std::size_t>(y) * image->width + x];
        return index < image->clut.size() ? image->clut[index] : VKO_COLOR_UNSET;
    }
    return vkobase::image_rgb_at(*image, x, y);
}

void vkov_image_set_pixel(IMAGE image, int32_t x, int32_t y, COLOR color) noexcept {
    if (vkov_image_is_valid_pos(image, x, y) == FALSE || color == VKO_COLOR_UNSET)
        return;
    vkobase::image_put_rgb(*image, x, y, color);
}

uint8_t *vkov_image_get_scanline(IMAGE image, int32_t row) noexcept {
    s_image *img = live_image(image);
    if (img == nullptr || row < 0 || row >= img->height)
        return nullptr;
    return &img->pixels[static_cast<std::size_t>(row) * img->row_bytes()];
}

void vkov_image_fill_rect(IMAGE image, uint32_t color, const s_rct *rct) noexcept {
    s_image *img = live_image(image);
    s_rct area{};
    if (img == nullptr || rct == nullptr || color == VKO_COLOR_UNSET || !clip_to(*img, *rct, &area))
        return;
    const std::uint8_t index = vkobase::image_nearest_index(*img, color);
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (img->format == VKO_IMAGE_INDEXED)
                img->pixels[static_cast<std::size_t>(y) * img->width + x] = index;
            else
                vkobase::image_put_rgb(*img, x, y, color);
        }
    }
}

void vkov_image_transfer(IMAGE dst_image, IMAGE src_image, const s_rct *dst,
                         const s_rct *src) noexcept {
    s_image *to = live_image(dst_image);
    const s_image *from = live_image(src_image);
    if (to == nullptr || from == nullptr || dst == nullptr || src == nullptr)
        return;
    // A copy first when both are the same image, so that overlapping areas read old pixels.
    s_image scratch;
    if (to == from) {
        try {
            scratch = *from;
        } catch (...) {
            return;
        }
        from = &scratch;
    }
    const bool same_table = to->format == VKO_IMAGE_INDEXED && from->format == VKO_IMAGE_INDEXED &&
                            to->clut == from->clut;
    try {
        scale_into(*to, *dst, *src, [&](int x, int y, std::uint32_t *rgb) {
            if (x < 0 || y < 0 || x >= from->width || y >= from->height)
                return false;
            *rgb = vkobase::image_rgb_at(*from, x, y);
            return true;
        });
    } catch (...) {
        return;
    }
    if (!same_table)
        return;
    // Same colour table: indices copy as they are, so duplicate entries stay what they were.
    const int dst_w = dst->right - dst->left;
    const int dst_h = dst->bottom - dst->top;
    const int src_w = src->right - src->left;
    const int src_h = src->bottom - src->top;
    if (dst_w <= 0 || dst_h <= 0 || src_w <= 0 || src_h <= 0)
        return;
    for (int y = 0; y < dst_h; ++y) {
        const int dy = dst->top + y;
        const int sy = src->top + static_cast<int>(static_cast<long long>(y) * src_h / dst_h);
        if (dy < 0 || dy >= to->height || sy < 0 || sy >= from->height)
            continue;
        for (int x = 0; x < dst_w; ++x) {
            const int dx = dst->left + x;
            const int sx = src->left + static_cast<int>(static_cast<long long>(x) * src_w / dst_w);
            if (dx < 0 || dx >= to->width || sx < 0 || sx >= from->width)
                continue;
            to->pixels[static_cast<std::size_t>(dy) * to->width + dx] =
                from->pixels[static_cast<std::size_t>(sy) * from->width + sx];
        }
    }
}

void vkok_image_get_from_pmap(IMAGE image, WINDOW pmap, const s_rct *dst,
                              const s_rct *src) noexcept {
    s_image *to = live_image(image);
    if (to == nullptr || dst == nullptr || src == nullptr || !vkobase::win_is_live(pmap))
        return;
    // Any drawable window can be read: its pixels are those of its owner's surface.
    WINDOW owner = vkobase::surface_owner(pmap);
    cairo_surface_t *surface = vkobase::surface_of(owner);
    if (surface == nullptr || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return;
    cairo_surface_flush(surface);
    const unsigned char *data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const s_pnt origin = vkobase::surface_origin(pmap);
    const s_rct client = vkobase::win_client_rect(pmap);
    try {
        scale_into(*to, *dst, *src, [&](int x, int y, std::uint32_t *rgb) {
            if (x < client.left || y < client.top || x >= client.right || y >= client.bottom)
                return false;
            const int sx = x + origin.h;
            const int sy = y + origin.v;
            if (data == nullptr || sx < 0 || sy < 0 || sx >= width || sy >= height)
                return false;
            std::uint32_t word = 0;
            std::memcpy(&word, data + static_cast<std::ptrdiff_t>(sy) * stride + sx * 4, 4);
            *rgb = word & kRgbMask;
            return true;
        });
    } catch (...) {
    }
}

} // extern "C"
