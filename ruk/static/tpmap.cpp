// tpmap.cpp: the pixmap family of the checking layer ("tpmap"): off-screen drawable windows
// made for a window, and destroyed as visible objects.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/twin_internal.h"

namespace {

constexpr char kModule[] = "tpmap";

using namespace vkoruk;

constexpr TypeSet kPixmapOwners = type_set({1, 2, 3, 5, 7, 9});

bool check_vko_pmap_create(ApiFrame &frame, WINDOW win, int32_t, int16_t, int16_t, int32_t) {
    return window_of_type(frame, win, kPixmapOwners, __LINE__, kErrBadWindow);
}

bool check_vko_pmap_destroy(ApiFrame &frame, WINDOW pmap) {
    return frame.live_window(pmap, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tpmap.def"
