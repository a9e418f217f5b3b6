// ttimer.cpp: the timer family of the checking layer ("ttimer"): timers of a window, forwarded
// to the base library. A timer can only run on a window that takes timer events.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/twin_internal.h"

namespace {

constexpr char kModule[] = "ttimer";

using namespace vkoruk;

// Frame, document, dialog and task windows (a text edit counts as type 23: none of these).
constexpr TypeSet kTimerWindowTypes = type_set({1, 2, 3, 5, 7, 9, 10, 11});

bool check_vko_timer_create(ApiFrame &frame, WINDOW win, int32_t interval_ms) {
    if (!window_of_type(frame, win, kTimerWindowTypes, __LINE__, kErrBadWindow))
        return false;
    if (interval_ms >= 0)
        return true;
    frame.refuse(kErrValueOutOfSet, __LINE__);
    return false;
}

bool check_vko_timer_destroy(ApiFrame &, int32_t) {
    return true;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/ttimer.def"
