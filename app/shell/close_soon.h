// close_soon.h: CloseSoon, which closes a window from the next timer tick (or a little
// later). A dialog closed by one of its controls (a button, a double click in a list) must
// not be deleted while that control is still handling its hit.
#pragma once
#include <cstdint>

#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

class CloseSoon {
public:
    CloseSoon() = default;
    CloseSoon(const CloseSoon&) = delete;
    CloseSoon& operator=(const CloseSoon&) = delete;
    ~CloseSoon()
    {
        if (itsTimer >= 0)
            vko_timer_destroy(itsTimer);
    }

    // Asks for the close delayMs from now; without a timer the window closes now. A close
    // asked for already keeps its time.
    void Ask(FRM_CWindow* window, std::int32_t delayMs = 1)
    {
        if (itsTimer < 0)
            itsTimer = vko_timer_create(window->GetVKOWindow(), delayMs);
        if (itsTimer < 0)
            window->Close();
    }

    // Closes window when timerId is the close's own timer; false for any other timer.
    bool OnTimer(FRM_CWindow* window, long timerId)
    {
        if (itsTimer < 0 || timerId != itsTimer)
            return false;
        vko_timer_destroy(itsTimer);
        itsTimer = -1;
        window->Close();
        return true;
    }

private:
    std::int32_t itsTimer = -1;
};
