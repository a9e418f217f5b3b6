// tpict.cpp: the picture family of the checking layer ("tpict"): recorded drawings made from
// data, locked to read their bytes, and destroyed.
#include "ruk/static/forward.h"

#include <cstdint>

namespace {

constexpr char kModule[] = "tpict";

using vkoruk::ApiFrame;

// The picture check: null 0x1210005, then not valid in the base library 0x1220005.
bool picture_ok(const ApiFrame &frame, PICTURE pict, int line) noexcept {
    if (pict == nullptr) {
        frame.refuse(vkoruk::kErrNullPicture, line);
        return false;
    }
    if (vkok_pict_is_valid(pict))
        return true;
    frame.refuse(vkoruk::kErrBadPicture, line + vkoruk::kNotLiveLineBase);
    return false;
}

bool check_vko_pict_create(ApiFrame &frame, const void *data, int32_t, int32_t *error_out) {
    if (!frame.not_null(data, __LINE__))
        return false;
    return frame.not_null(error_out, __LINE__);
}

bool check_vko_pict_destroy(ApiFrame &frame, PICTURE pict) {
    return picture_ok(frame, pict, __LINE__);
}

bool check_vko_pict_lock(ApiFrame &frame, PICTURE pict, int32_t *size_bytes) {
    if (!picture_ok(frame, pict, __LINE__))
        return false;
    return frame.not_null(size_bytes, __LINE__);
}

bool check_vko_pict_unlock(ApiFrame &frame, PICTURE pict) {
    return picture_ok(frame, pict, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tpict.def"
