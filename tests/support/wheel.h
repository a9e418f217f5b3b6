// wheel.h: one notch of the mouse wheel as the base library delivers it to the window under
// the pointer, three line scroll events, handled before the call returns.
#pragma once
#include "vkobase/app.h"
#include "vkobase/testing.h"

namespace test_support {

inline void WheelNotch(WINDOW window, e_scroll_ctl what = SC_LINE_DOWN, e_event type = E_VSCROLL)
{
    EVENT event{};
    event.type = type;
    event.v.scroll.what = what;
    for (int i = 0; i < 3; ++i)
        vkov_test_post_event(window, &event);
    vkok_app_process_pending_events();
}

} // namespace test_support
