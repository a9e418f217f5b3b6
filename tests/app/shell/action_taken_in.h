// action_taken_in.h: the wait a scripted run on the desktop makes after each action of its own
// (a click, keys, a resize) before it checks what the action did.
#pragma once

#include "../../../platform/vkobase/src/core_internal.h"
#include "../../../platform/vkobase/src/display_internal.h"
#include "../../platform/vkobase/wm_test_support.h"

namespace vkotest {

// Whether the last action has been taken in: the window manager, when there is one, has handled
// it (it answers a round trip asked after it), and the program has read what the server sent it
// since, handled it and drawn its updates. Asked again on each tick until it says yes.
class ActionTakenIn {
public:
    // A new action was made: the next question asks the window manager afresh.
    void restart() { asked_ = false; }

    bool operator()(bool wm, Display* probe)
    {
        if (wm) {
            if (!asked_) {
                round_.start(probe);
                asked_ = true;
                return false;
            }
            if (!round_.done(probe))
                return false;
        }
        vkobase::display_catch_up();
        return !vkobase::app_work_pending();
    }

private:
    ManagerRoundTrip round_;
    bool asked_ = false;
};

}  // namespace vkotest
