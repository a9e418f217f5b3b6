// trect.cpp: the rectangle family of the checking layer ("trect"): the base library's
// arithmetic on toolkit rectangles. Each member refuses only a null rectangle or point; none
// judges whether a rectangle is in order.
#include "ruk/static/forward.h"

#include <cstdint>

namespace {

constexpr char kModule[] = "trect";

using vkoruk::ApiFrame;

bool check_vko_rect_get_height(ApiFrame &frame, const s_rct *rct) {
    return frame.not_null(rct, __LINE__);
}

bool check_vko_rect_get_width(ApiFrame &frame, const s_rct *rct) {
    return frame.not_null(rct, __LINE__);
}

bool check_vko_rect_has_point(ApiFrame &frame, const s_rct *rct, s_pnt) {
    return frame.not_null(rct, __LINE__);
}

// The result rectangle may be null: the caller then only wants the answer.
bool check_vko_rect_intersect(ApiFrame &frame, s_rct *, const s_rct *a, const s_rct *b) {
    if (!frame.not_null(a, __LINE__))
        return false;
    return frame.not_null(b, __LINE__);
}

bool check_vko_rect_is_empty(ApiFrame &frame, const s_rct *rct) {
    return frame.not_null(rct, __LINE__);
}

bool check_vko_rect_offset(ApiFrame &frame, s_rct *rct, int16_t, int16_t) {
    return frame.not_null(rct, __LINE__);
}

bool check_vko_rect_set(ApiFrame &frame, s_rct *rct, int16_t, int16_t, int16_t, int16_t) {
    return frame.not_null(rct, __LINE__);
}

bool check_vko_rect_set_empty(ApiFrame &frame, s_rct *rct) {
    return frame.not_null(rct, __LINE__);
}

bool check_vko_rect_set_height(ApiFrame &frame, s_rct *rct, int16_t) {
    return frame.not_null(rct, __LINE__);
}

bool check_vko_rect_set_pos(ApiFrame &frame, s_rct *rct, s_pnt) {
    return frame.not_null(rct, __LINE__);
}

bool check_vko_rect_set_width(ApiFrame &frame, s_rct *rct, int16_t) {
    return frame.not_null(rct, __LINE__);
}

// Units the base library does not know leave the rectangle as it is.
bool check_vko_rect_to_pixels(ApiFrame &frame, s_rct *rct, int16_t) {
    return frame.not_null(rct, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/trect.def"

// Answers the point pointer on every path; a refused call leaves (0, 0) in the point.
extern "C" s_pnt *vko_rect_get_pos(const s_rct *rct, s_pnt *pnt) noexcept {
    ApiFrame frame{"vko_rect_get_pos", kModule};
    if (pnt != nullptr)
        *pnt = s_pnt{0, 0};
    if (!frame.not_null(rct, __LINE__))
        return pnt;
    if (!frame.not_null(pnt, __LINE__))
        return pnt;
    return vkov_rect_get_pos(rct, pnt);
}
