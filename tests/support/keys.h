// keys.h: keys pressed in a window as the base library delivers them, each handled before
// the call returns.
#pragma once
#include "vkobase/app.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace test_support {

// Tab (or Shift+Tab when back) pressed in the window; answers the window that has the keys
// afterwards.
inline WINDOW TabFrom(WINDOW from, bool back = false)
{
    EVENT tab{};
    tab.type = E_CHAR;
    tab.v.chr.ch = back ? VKO_KEY_BACK_TAB : 9;
    tab.v.chr.virt = back ? 1 : 0;
    vkov_test_post_event(from, &tab);
    vkok_app_process_pending_events();
    return vkok_scr_get_focus_vobj();
}

} // namespace test_support
