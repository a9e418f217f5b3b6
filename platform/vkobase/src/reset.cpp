// reset.cpp: the one call that brings the whole base library back to its initial state, for
// tests. It runs every module's reset in the order of reset_list.def and enters test mode.
#include "vkobase/testing.h"

#include "core_internal.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

#define VKOBASE_RESET(fn) void fn() noexcept;
#include "reset_list.def"

extern "C" {

void vkov_test_reset_all(void) noexcept {
    vkobase::app_set_test_mode();
#define VKOBASE_RESET(fn) fn();
#include "reset_list.def"
}

BOOLEAN vkov_test_is_active(void) noexcept {
    return vkobase::app_test_mode() ? TRUE : FALSE;
}

WINDOW vkov_test_create_task_window(VKO_EVENT_HANDLER handler) noexcept {
    if (WINDOW task = vkobase::win_task())
        return task;
    vkobase::WinCreateArgs args;
    args.type = W_TASK;
    args.rct = s_rct{44, 4, 764, 1020};
    args.title = "Task";
    args.handler = handler;
    WINDOW task = vkobase::win_create_record(args);
    if (task != nullptr)
        vkov_vobj_set_attr(NULL_WIN, VKO_ATTR_TASK_WINDOW, reinterpret_cast<intptr_t>(task));
    return task;
}

void vkov_test_post_event(WINDOW win, const EVENT *event) noexcept {
    if (event != nullptr)
        vkobase::win_post_event(win, *event);
}

} // extern "C"
