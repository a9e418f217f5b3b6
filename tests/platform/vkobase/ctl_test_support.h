// ctl_test_support.h: synthetic input for the control tests: clicks, drags and keys posted as
// the display would post them, and the control events a window received.
#pragma once

#include <vector>

#include "core_test_support.h"
#include "vkobase/vkobase.h"

namespace vkotest {

inline void pump() {
    vkok_app_process_pending_events();
}

inline void mouse(WINDOW win, e_event type, s_pnt where, bool shift = false, bool control = false) {
    EVENT ev{};
    ev.type = type;
    ev.v.mouse.where = where;
    ev.v.mouse.shift = shift ? TRUE : FALSE;
    ev.v.mouse.control = control ? TRUE : FALSE;
    ev.v.mouse.button = 0;
    vkov_test_post_event(win, &ev);
    pump();
}

// Press at one point and release at another (the same by default), as the display does: the
// release goes to the window that was pressed.
inline void click(WINDOW win, s_pnt down, s_pnt up) {
    mouse(win, E_MOUSE_DOWN, down);
    mouse(win, E_MOUSE_UP, up);
}
inline void click(WINDOW win, s_pnt at, bool shift = false, bool control = false) {
    mouse(win, E_MOUSE_DOWN, at, shift, control);
    mouse(win, E_MOUSE_UP, at, shift, control);
}
inline void double_click(WINDOW win, s_pnt at) {
    click(win, at);
    mouse(win, E_MOUSE_DBL, at);
    mouse(win, E_MOUSE_UP, at);
}

// A key as the display posts it: to the given window (the focus).
inline void key(WINDOW win, uint16_t ch, bool virt = false, bool shift = false,
                bool control = false) {
    EVENT ev{};
    ev.type = E_CHAR;
    ev.v.chr.ch = ch;
    ev.v.chr.virt = virt ? 1 : 0;
    ev.v.chr.shift = shift ? 1 : 0;
    ev.v.chr.control = control ? 1 : 0;
    ev.v.chr.modifiers = (shift ? 2u : 0u) | (control ? 4u : 0u);
    vkov_test_post_event(win, &ev);
    pump();
}

inline void type_text(WINDOW win, const char *text) {
    for (const char *p = text; *p != '\0'; ++p)
        key(win, static_cast<unsigned char>(*p));
}

// The control events the window received, in order.
inline std::vector<EVENT> control_events(WINDOW win) {
    std::vector<EVENT> out;
    for (const Seen &s : seen())
        if (s.win == win && s.event.type == E_CONTROL)
            out.push_back(s.event);
    return out;
}

} // namespace vkotest
