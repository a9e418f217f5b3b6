// win_places.cpp: the window places and modal state that the Windows services read, answered
// from the window records and the application's modal loops.
#include "vkobase/win_places.h"

#include "core_internal.h"
#include "display_internal.h"
#include "window_internal.h"

extern "C" {

WINDOW vkov_win_at_screen_point(s_pnt pnt) noexcept {
    return vkobase::win_at_screen_point(pnt);
}

BOOLEAN vkov_win_client_origin(WINDOW win, s_pnt *origin) noexcept {
    if (origin == nullptr || !vkobase::win_is_live(win))
        return FALSE;
    *origin = vkobase::win_client_origin_on_screen(win);
    return TRUE;
}

BOOLEAN vkov_win_get_placement(WINDOW win, s_rct *rct) noexcept {
    const vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr || rct == nullptr)
        return FALSE;
    *rct = in->placement;
    return TRUE;
}

uint64_t vkov_win_created_order(WINDOW win) noexcept {
    const vko_win_internal *in = vkobase::win_internal(win);
    return in != nullptr ? in->created_order : 0;
}

BOOLEAN vkov_display_screen_size(int *width, int *height) noexcept {
    if (width == nullptr || height == nullptr)
        return FALSE;
    return vkobase::display_screen_size(width, height) ? TRUE : FALSE;
}

WINDOW vkov_app_innermost_modal(void) noexcept {
    return vkobase::app_innermost_modal();
}

BOOLEAN vkov_app_input_blocked(WINDOW win) noexcept {
    return vkobase::app_input_blocked(win) ? TRUE : FALSE;
}

} // extern "C"
