// pict.cpp: pictures, recorded drawing that can be replayed into any window at any size.
// A picture holds a cairo recording surface and its frame (the rectangle it was recorded in);
// its data, for the clipboard, is made when it is first locked. Every picture is registered
// as a live record; a handle is checked there before its record is read.
#include "vkobase/pict.h"

#include <cairo.h>

#include <cstring>
#include <new>
#include <unordered_set>
#include <vector>

#include "live_registry.h"
#include "surface_internal.h"

// The data of a picture, as vkok_pict_lock hands it out and vkok_pict_create takes it:
//   8 bytes  "VKOPICT1";
//   4 x i16  the frame, little-endian: top, left, bottom, right;
//   the rest a PNG image of the picture drawn in its frame (transparent where nothing was
//   drawn), as big as the frame.
struct s_pict {
    cairo_surface_t *recording = nullptr; // one reference owned
    s_rct frame{};
    std::vector<unsigned char> data; // made on the first lock
};

namespace {

constexpr char kMagic[] = "VKOPICT1";
constexpr std::size_t kMagicBytes = 8;
constexpr std::size_t kHeaderBytes = kMagicBytes + 8;
// Error codes answered through vkok_pict_create's error word.
constexpr std::int32_t kPictOk = 0;
constexpr std::int32_t kPictBadData = 1;
constexpr std::int32_t kPictNoMemory = 2;

struct PictState {
    std::unordered_set<PICTURE> picts;
};
PictState &state() {
    static PictState s;
    return s;
}

PICTURE live_pict(PICTURE pict) noexcept {
    return vkobase::live_is(pict, vkobase::LiveKind::Picture) ? pict : nullptr;
}

int frame_width(const s_rct &r) noexcept {
    return r.right - r.left;
}
int frame_height(const s_rct &r) noexcept {
    return r.bottom - r.top;
}

// Takes over one reference to the recording.
PICTURE make_pict(cairo_surface_t *recording, const s_rct &frame) noexcept {
    auto *pict = new (std::nothrow) s_pict{};
    if (pict == nullptr) {
        cairo_surface_destroy(recording);
        return nullptr;
    }
    pict->recording = recording;
    pict->frame = frame;
    try {
        state().picts.insert(pict);
    } catch (...) {
        cairo_surface_destroy(recording);
        delete pict;
        return nullptr;
    }
    vkobase::live_add(pict, vkobase::LiveKind::Picture);
    return pict;
}

void free_pict(PICTURE pict) noexcept {
    vkobase::live_remove(pict);
    cairo_surface_destroy(pict->recording);
    delete pict;
}

void put_i16(unsigned char *p, std::int16_t v) noexcept {
    const auto u = static_cast<std::uint16_t>(v);
    p[0] = static_cast<unsigned char>(u);
    p[1] = static_cast<unsigned char>(u >> 8);
}
std::int16_t get_i16(const unsigned char *p) noexcept {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

bool serialize(s_pict &pict) {
    const int width = frame_width(pict.frame);
    const int height = frame_height(pict.frame);
    if (width <= 0 || height <= 0)
        return false;
    cairo_surface_t *image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t *cr = cairo_create(image);
    cairo_set_source_surface(cr, pict.recording, -pict.frame.left, -pict.frame.top);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::vector<unsigned char> out(kHeaderBytes);
    std::memcpy(out.data(), kMagic, kMagicBytes);
    put_i16(&out[8], pict.frame.top);
    put_i16(&out[10], pict.frame.left);
    put_i16(&out[12], pict.frame.bottom);
    put_i16(&out[14], pict.frame.right);
    const cairo_status_t status = cairo_surface_write_to_png_stream(
        image,
        [](void *closure, const unsigned char *bytes, unsigned int length) {
            auto *v = static_cast<std::vector<unsigned char> *>(closure);
            try {
                v->insert(v->end(), bytes, bytes + length);
            } catch (...) {
                return CAIRO_STATUS_NO_MEMORY;
            }
            return CAIRO_STATUS_SUCCESS;
        },
        &out);
    cairo_surface_destroy(image);
    if (status != CAIRO_STATUS_SUCCESS)
        return false;
    pict.data = std::move(out);
    return true;
}

struct PngReader {
    const unsigned char *bytes;
    std::size_t size;
    std::size_t pos;
};

} // namespace

void vkobase_reset_pict() noexcept {
    for (PICTURE pict : state().picts)
        free_pict(pict);
    state().picts.clear();
}

namespace vkobase {

PICTURE pict_from_recording(cairo_surface_t *recording, const s_rct &frame) noexcept {
    if (recording == nullptr)
        return nullptr;
    return make_pict(cairo_surface_reference(recording), frame);
}

bool pict_paint(cairo_t *cr, PICTURE pict, const s_rct &rct) noexcept {
    const s_pict *p = live_pict(pict);
    const int fw = p != nullptr ? frame_width(p->frame) : 0;
    const int fh = p != nullptr ? frame_height(p->frame) : 0;
    const int rw = rct.right - rct.left;
    const int rh = rct.bottom - rct.top;
    if (cr == nullptr || fw <= 0 || fh <= 0 || rw <= 0 || rh <= 0)
        return false;
    cairo_save(cr);
    cairo_rectangle(cr, rct.left, rct.top, rw, rh);
    cairo_clip(cr);
    cairo_translate(cr, rct.left, rct.top);
    if (rw != fw || rh != fh)
        cairo_scale(cr, static_cast<double>(rw) / fw, static_cast<double>(rh) / fh);
    cairo_set_source_surface(cr, p->recording, -p->frame.left, -p->frame.top);
    cairo_paint(cr);
    cairo_restore(cr);
    return true;
}

} // namespace vkobase

extern "C" {

PICTURE vkok_pict_create(const void *data, int32_t size_bytes, int32_t *error_out) noexcept {
    auto fail = [error_out](std::int32_t code) -> PICTURE {
        if (error_out != nullptr)
            *error_out = code;
        return nullptr;
    };
    const auto *bytes = static_cast<const unsigned char *>(data);
    if (bytes == nullptr || size_bytes <= static_cast<int32_t>(kHeaderBytes) ||
        std::memcmp(bytes, kMagic, kMagicBytes) != 0)
        return fail(kPictBadData);
    const s_rct frame{get_i16(bytes + 8), get_i16(bytes + 10), get_i16(bytes + 12),
                      get_i16(bytes + 14)};
    PngReader reader{bytes + kHeaderBytes, static_cast<std::size_t>(size_bytes) - kHeaderBytes, 0};
    cairo_surface_t *image = cairo_image_surface_create_from_png_stream(
        [](void *closure, unsigned char *out, unsigned int length) {
            auto *r = static_cast<PngReader *>(closure);
            if (r->size - r->pos < length)
                return CAIRO_STATUS_READ_ERROR;
            std::memcpy(out, r->bytes + r->pos, length);
            r->pos += length;
            return CAIRO_STATUS_SUCCESS;
        },
        &reader);
    const bool image_ok = cairo_surface_status(image) == CAIRO_STATUS_SUCCESS &&
                          cairo_image_surface_get_width(image) == frame_width(frame) &&
                          cairo_image_surface_get_height(image) == frame_height(frame);
    if (!image_ok) {
        cairo_surface_destroy(image);
        return fail(kPictBadData);
    }
    cairo_surface_t *recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    cairo_t *cr = cairo_create(recording);
    cairo_set_source_surface(cr, image, frame.left, frame.top);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(image);
    PICTURE pict = make_pict(recording, frame);
    if (pict == nullptr)
        return fail(kPictNoMemory);
    if (error_out != nullptr)
        *error_out = kPictOk;
    return pict;
}

void vkok_pict_destroy(PICTURE pict) noexcept {
    if (live_pict(pict) == nullptr)
        return;
    state().picts.erase(pict);
    free_pict(pict);
}

BOOLEAN vkok_pict_is_valid(PICTURE pict) noexcept {
    return live_pict(pict) != nullptr ? TRUE : FALSE;
}

void *vkok_pict_lock(PICTURE pict, int32_t *size_bytes) noexcept {
    s_pict *p = live_pict(pict);
    if (p == nullptr)
        return nullptr;
    try {
        if (p->data.empty() && !serialize(*p))
            return nullptr;
    } catch (...) {
        return nullptr;
    }
    if (size_bytes != nullptr)
        *size_bytes = static_cast<int32_t>(p->data.size());
    return p->data.data();
}

// The data stays until the picture goes: a picture never changes once made.
void vkok_pict_unlock(PICTURE) noexcept {}

} // extern "C"
