// tscr.cpp: the screen family of the checking layer ("tscr"): the beep, the busy and hidden
// pointer, the list of top-level windows and the keyboard focus.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/twin_internal.h"

namespace {

constexpr char kModule[] = "tscr";

using namespace vkoruk;

constexpr TypeSet kUnfocusableTypes = type_set({4, 5, 6, 8, 18, 22, 24});
constexpr int32_t kTaskType = 5;
constexpr int32_t kAttrTaskWindowActive = 10006;

bool check_vko_scr_beep(ApiFrame &) {
    return true;
}
bool check_vko_scr_get_focus_topwin(ApiFrame &) {
    return true;
}
bool check_vko_scr_hide_cursor(ApiFrame &) {
    return true;
}
bool check_vko_scr_list_wins(ApiFrame &) {
    return true;
}
bool check_vko_scr_set_busy_cursor(ApiFrame &) {
    return true;
}

// The task window takes the focus only while the application lets it be active.
bool check_vko_scr_set_focus_vobj(ApiFrame &frame, WINDOW win) {
    if (!frame.live_window(win, __LINE__))
        return false;
    const int32_t type = effective_type(win);
    if (!in_set(kUnfocusableTypes, type))
        return true;
    if (type == kTaskType && vkok_vobj_get_attr(nullptr, kAttrTaskWindowActive) != 0)
        return true;
    frame.refuse(kErrWrongWindowKind, __LINE__);
    return false;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tscr.def"

// An object destroyed behind the layer's back is answered as no focus at all.
extern "C" WINDOW vko_scr_get_focus_vobj(void) noexcept {
    ApiFrame frame{"vko_scr_get_focus_vobj", kModule};
    WINDOW focus = vkok_scr_get_focus_vobj();
    if (focus != nullptr && !vkov_vobj_is_valid(focus))
        return nullptr;
    return focus;
}
