// keys.h: keys pressed in a window as the base library delivers them, each handled before
// the call returns.
#pragma once
#include "vkobase/app.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace test_support {

// A key pressed in the window: a character, or a virtual key (arrows and the like) when virt.
inline void PressKey(WINDOW in, int key, bool virt)
{
    EVENT event{};
    event.type = E_CHAR;
    event.v.chr.ch = key;
    event.v.chr.virt = virt ? 1 : 0;
    vkov_test_post_event(in, &event);
    vkok_app_process_pending_events();
}

// Tab (or Shift+Tab when back) pressed in the window; answers the window that has the keys
// afterwards.
inline WINDOW TabFrom(WINDOW from, bool back = false)
{
    PressKey(from, back ? VKO_KEY_BACK_TAB : 9, back);
    return vkok_scr_get_focus_vobj();
}

} // namespace test_support
