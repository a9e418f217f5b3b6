// timage.cpp: the image family of the checking layer ("timage"): in-memory bitmaps with their
// colour tables, pixels and scan lines, transfers between images and from pixmaps, and the
// readers and writers of image files and streams.
// The rule a reader must not miss: a rectangle given here is never written; a repaired copy
// lives in the call's frame, and an empty rectangle ends the call without a report.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/timage_internal.h"

namespace {

constexpr char kModule[] = "timage";

using namespace vkoruk;

constexpr int32_t kIndexedFormat = 1; // the only format with a colour table

bool stream_ok(const ApiFrame &frame, const s_vko_iostream *stream, int line) noexcept {
    return frame.not_null(stream, line);
}

// A colour-table index of the image: 0 to the colour count - 1.
bool clut_index_ok(const ApiFrame &frame, IMAGE image, int32_t index, int line) noexcept {
    if (index >= 0 && index < static_cast<int32_t>(vkov_image_get_ncolors(image)))
        return true;
    frame.refuse(kErrValueOutOfSet, line);
    return false;
}

bool position_ok(const ApiFrame &frame, IMAGE image, int32_t x, int32_t y, int line) noexcept {
    if (vkov_image_is_valid_pos(image, x, y))
        return true;
    frame.refuse(kErrValueOutOfSet, line);
    return false;
}

// A rectangle to fill or transfer must be given; an empty one ends the call quietly.
bool rect_usable(const ApiFrame &frame, const s_rct *rct, int line) noexcept {
    return frame.rect_given(rct, line) && !ApiFrame::rect_empty(rct);
}

// The two rectangles of a transfer: both usable, then each one out of order is replaced by
// its repaired copy, which the frame keeps (it has room for these two). The destination's
// and the source's checks report from the lines here, each its own.
bool rect_pair_usable(ApiFrame &frame, const s_rct *&dst, const s_rct *&src) noexcept {
    if (!rect_usable(frame, dst, __LINE__))
        return false;
    if (!rect_usable(frame, src, __LINE__))
        return false;
    dst = frame.repaired(dst, __LINE__);
    src = frame.repaired(src, __LINE__);
    return true;
}

bool check_vko_image_create(ApiFrame &, int32_t, int32_t, int32_t, int32_t) {
    return true;
}

bool check_vko_image_destroy(ApiFrame &frame, IMAGE image) {
    return image_ok(frame, image, __LINE__);
}

bool check_vko_image_duplicate(ApiFrame &frame, IMAGE image) {
    return image_ok(frame, image, __LINE__);
}

bool check_vko_image_fill_rect(ApiFrame &frame, IMAGE image, uint32_t, const s_rct *&rct) {
    if (!image_ok(frame, image, __LINE__))
        return false;
    if (!rect_usable(frame, rct, __LINE__))
        return false;
    rct = frame.repaired(rct, __LINE__);
    return true;
}

bool check_vko_image_get_clut(ApiFrame &frame, IMAGE image, int32_t index) {
    if (!image_ok(frame, image, __LINE__))
        return false;
    if (vkov_image_get_format(image) != kIndexedFormat) {
        frame.refuse(kErrWrongKind, __LINE__);
        return false;
    }
    return clut_index_ok(frame, image, index, __LINE__);
}

bool check_vko_image_get_dimensions(ApiFrame &frame, IMAGE image, int32_t *width, int32_t *height) {
    if (!image_ok(frame, image, __LINE__))
        return false;
    if (!frame.not_null(width, __LINE__))
        return false;
    return frame.not_null(height, __LINE__);
}

bool check_vko_image_get_format(ApiFrame &frame, IMAGE image) {
    return image_ok(frame, image, __LINE__);
}

// Both rectangles are checked for null and emptiness, destination first, before either is
// repaired.
bool check_vko_image_get_from_pmap(ApiFrame &frame, IMAGE image, WINDOW pmap, const s_rct *&dst,
                                   const s_rct *&src) {
    if (!image_ok(frame, image, __LINE__))
        return false;
    if (pmap == nullptr) {
        frame.refuse(kErrNullPixmap, __LINE__);
        return false;
    }
    if (!is_live_window(pmap) || (pmap->flags & kFlagPixmap) == 0) {
        frame.refuse(kErrBadPixmap, __LINE__);
        return false;
    }
    return rect_pair_usable(frame, dst, src);
}

bool check_vko_image_get_ncolors(ApiFrame &frame, IMAGE image) {
    return image_ok(frame, image, __LINE__);
}

bool check_vko_image_get_pixel(ApiFrame &frame, IMAGE image, int32_t x, int32_t y) {
    if (!image_ok(frame, image, __LINE__))
        return false;
    return position_ok(frame, image, x, y, __LINE__);
}

bool check_vko_image_get_resolution(ApiFrame &frame, IMAGE image, int32_t *horz_dpi,
                                    int32_t *vert_dpi) {
    if (!image_ok(frame, image, __LINE__))
        return false;
    if (!frame.not_null(horz_dpi, __LINE__))
        return false;
    return frame.not_null(vert_dpi, __LINE__);
}

bool check_vko_image_get_scanline(ApiFrame &frame, IMAGE image, int32_t row) {
    if (!image_ok(frame, image, __LINE__))
        return false;
    int32_t width = 0;
    int32_t height = 0;
    vkov_image_get_dimensions(image, &width, &height);
    if (row >= 0 && row < height)
        return true;
    frame.refuse(kErrValueOutOfSet, __LINE__);
    return false;
}

// Every reader takes a file or a stream that must be given; the rest is the reader's to judge.
constexpr auto file_given = [](ApiFrame &frame, const FILE_SPEC *file) {
    return frame.not_null(file, __LINE__);
};
constexpr auto stream_given = [](ApiFrame &frame, s_vko_iostream *stream) {
    return stream_ok(frame, stream, __LINE__);
};

constexpr auto check_vko_image_read = file_given;
constexpr auto check_vko_image_read_bmp = file_given;
constexpr auto check_vko_image_read_bmp_from_iostr = stream_given;
constexpr auto check_vko_image_read_macpict = file_given;
constexpr auto check_vko_image_read_macpict_from_iostr = stream_given;
constexpr auto check_vko_image_read_xbm = file_given;
constexpr auto check_vko_image_read_xbm_from_iostr = stream_given;
constexpr auto check_vko_image_read_xpm = file_given;
constexpr auto check_vko_image_read_xpm_from_iostr = stream_given;

// The index is checked like the getter's, so that no colour is written past the table.
bool check_vko_image_set_clut(ApiFrame &frame, IMAGE image, int32_t index, COLOR) {
    if (!image_ok(frame, image, __LINE__))
        return false;
    return clut_index_ok(frame, image, index, __LINE__);
}

bool check_vko_image_set_ncolors(ApiFrame &frame, IMAGE image, int32_t) {
    return image_ok(frame, image, __LINE__);
}

bool check_vko_image_set_pixel(ApiFrame &frame, IMAGE image, int32_t x, int32_t y, COLOR) {
    if (!image_ok(frame, image, __LINE__))
        return false;
    return position_ok(frame, image, x, y, __LINE__);
}

bool check_vko_image_set_resolution(ApiFrame &frame, IMAGE image, int32_t, int32_t) {
    return image_ok(frame, image, __LINE__);
}

bool check_vko_image_transfer(ApiFrame &frame, IMAGE dst_image, IMAGE src_image, const s_rct *&dst,
                              const s_rct *&src) {
    if (!image_ok(frame, dst_image, __LINE__))
        return false;
    if (!image_ok(frame, src_image, __LINE__))
        return false;
    return rect_pair_usable(frame, dst, src);
}

// The writers look at the stream before the image.
bool check_vko_image_write_macpict_to_iostr(ApiFrame &frame, IMAGE image, s_vko_iostream *stream) {
    if (!stream_ok(frame, stream, __LINE__))
        return false;
    return image_ok(frame, image, __LINE__);
}

bool check_vko_image_write_bmp_to_iostr(ApiFrame &frame, IMAGE image, s_vko_iostream *stream) {
    if (!stream_ok(frame, stream, __LINE__))
        return false;
    return image_ok(frame, image, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/timage.def"
