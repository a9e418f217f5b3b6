// tgmem.cpp: the global-memory family of the checking layer ("tgmem"): movable blocks that
// are locked for use. No member checks anything; each marks the frame and forwards, and the
// base library judges the handles.
#include "ruk/static/forward.h"

#include <cstdint>

namespace {

constexpr char kModule[] = "tgmem";

using vkoruk::ApiFrame;

bool check_vko_gmem_alloc(ApiFrame &, uint32_t) {
    return true;
}
bool check_vko_gmem_free(ApiFrame &, GHANDLE) {
    return true;
}
bool check_vko_gmem_lock(ApiFrame &, GHANDLE) {
    return true;
}
bool check_vko_gmem_unlock(ApiFrame &, GHANDLE) {
    return true;
}
bool check_vko_gmem_realloc(ApiFrame &, GHANDLE, uint32_t) {
    return true;
}
bool check_vko_gmem_get_size(ApiFrame &, GHANDLE) {
    return true;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tgmem.def"
