// tsbar.cpp: the scroll-bar family of the checking layer ("tsbar"): position, proportion and
// range of a window's own scroll bars and of scroll-bar controls. A scroll bar is named by a
// window and a kind, and every member first asks whether that kind fits the window.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/twin_internal.h"

namespace {

constexpr char kModule[] = "tsbar";

using namespace vkoruk;

// Scroll-bar kinds.
constexpr int32_t kKindHorizontal = 0; // the window's bar of style flag 0x4
constexpr int32_t kKindVertical = 1;   // the window's bar of style flag 0x8
constexpr int32_t kKindControl = 2;    // a scroll-bar control itself
constexpr uint32_t kStyleHScroll = 0x4;
constexpr uint32_t kStyleVScroll = 0x8;
constexpr TypeSet kScrollControlTypes = type_set({15, 16});
constexpr TypeSet kScrollingWindowTypes = type_set({1, 2});
constexpr int32_t kTaskType = 5;
constexpr int32_t kAttrNoTaskWindow = 10008;

bool style_has_bar(WINDOW win, int32_t kind) noexcept {
    const uint32_t style = vkok_vobj_get_flags(win);
    if (kind == kKindHorizontal)
        return (style & kStyleHScroll) != 0;
    if (kind == kKindVertical)
        return (style & kStyleVScroll) != 0;
    return false;
}

// Whether the window has a scroll bar of the kind; the window is live.
BOOLEAN sbar_kind_fits_window(WINDOW win, int32_t kind) noexcept {
    const int32_t type = effective_type(win);
    if (in_set(kScrollControlTypes, type))
        return kind == kKindControl ? TRUE : FALSE;
    if (in_set(kScrollingWindowTypes, type))
        return style_has_bar(win, kind) ? TRUE : FALSE;
    if (type == kTaskType) {
        // Without a task window of its own the application has no task-window bars.
        if (vkok_vobj_get_attr(nullptr, kAttrNoTaskWindow) != 0)
            return FALSE;
        return style_has_bar(win, kind) ? TRUE : FALSE;
    }
    return FALSE;
}

bool kind_ok(const ApiFrame &frame, WINDOW win, int32_t kind, int line) noexcept {
    if (sbar_kind_fits_window(win, kind))
        return true;
    frame.refuse(kErrNoScrollBar, line);
    return false;
}

// The window and kind checks that most members share report from the lines here, each its
// own.
bool bar_ok(const ApiFrame &frame, WINDOW win, int32_t kind) noexcept {
    if (!frame.live_window(win, __LINE__))
        return false;
    return kind_ok(frame, win, kind, __LINE__);
}

bool check_vko_sbar_get_pos(ApiFrame &frame, WINDOW win, int32_t kind) {
    return bar_ok(frame, win, kind);
}

bool check_vko_sbar_get_proportion(ApiFrame &frame, WINDOW win, int32_t kind) {
    return bar_ok(frame, win, kind);
}

// Both pointers are checked before the kind.
bool check_vko_sbar_get_range(ApiFrame &frame, WINDOW win, int32_t kind, int32_t *min,
                              int32_t *max) {
    if (!frame.live_window(win, __LINE__))
        return false;
    if (!frame.not_null(min, __LINE__))
        return false;
    if (!frame.not_null(max, __LINE__))
        return false;
    return kind_ok(frame, win, kind, __LINE__);
}

bool check_vko_sbar_set_pos(ApiFrame &frame, WINDOW win, int32_t kind, int32_t) {
    return bar_ok(frame, win, kind);
}

bool check_vko_sbar_set_proportion(ApiFrame &frame, WINDOW win, int32_t kind, int32_t) {
    return bar_ok(frame, win, kind);
}

bool check_vko_sbar_set_range(ApiFrame &frame, WINDOW win, int32_t kind, int32_t, int32_t) {
    return bar_ok(frame, win, kind);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tsbar.def"
