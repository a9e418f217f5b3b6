// tmem.cpp: the memory family of the checking layer ("tmem"): plain blocks, including those
// that the base library hands out (colour lists, string lists, menu trees). Only the copy
// checks its arguments; the others mark the frame and forward.
#include "ruk/static/forward.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr char kModule[] = "tmem";

using vkoruk::ApiFrame;

bool check_vko_mem_alloc(ApiFrame &, size_t) {
    return true;
}
bool check_vko_mem_zalloc(ApiFrame &, size_t) {
    return true;
}
bool check_vko_mem_realloc(ApiFrame &, void *, size_t) {
    return true;
}
bool check_vko_mem_free(ApiFrame &, void *) {
    return true;
}

bool check_vko_mem_rep(ApiFrame &frame, void *dst, const void *src, uint32_t, uint32_t) {
    if (!frame.not_null(dst, __LINE__))
        return false;
    return frame.not_null(src, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tmem.def"
