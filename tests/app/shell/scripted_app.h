// scripted_app.h: the program as the desktop tests run it, with a window of the script's own,
// out of sight, whose timer calls the script's handler every 100 ms once the program has started.
#pragma once

#include "app/shell/kq_app.h"

namespace vkotest {

class ScriptedApp : public KQedApp {
public:
    explicit ScriptedApp(VKO_EVENT_HANDLER script) : itsScript(script) {}

    void StartUp() override
    {
        KQedApp::StartUp();
        const s_rct nowhere{-200, -200, -190, -190};
        WINDOW window = vkok_win_create(W_PLAIN, &nowhere, "script", 0, NULL_WIN, 0,
                                        VKO_EVENT_MASK_ALL, itsScript, 0);
        vkov_timer_create(window, 100);
    }

private:
    VKO_EVENT_HANDLER itsScript;
};

}  // namespace vkotest
