// scr.cpp: the screen: keyboard focus, pointer shapes of the whole screen and the beep.
// Moving the focus sends the focus event (active 0) to the window that loses it, then
// (active 1) to the one that gains it.
#include "vkobase/scr.h"

#include <cstdio>

#include "core_internal.h"
#include "display_internal.h"
#include "vkobase/slist.h"
#include "window_internal.h"

namespace {

struct ScrState {
    WINDOW focus = nullptr;
    bool busy_cursor = false;
    bool cursor_hidden = false;
    int beeps = 0;
    bool focus_closing = false; // a window that held the focus is closing
};

ScrState &state() noexcept {
    static ScrState s;
    return s;
}

bool is_within(WINDOW win, WINDOW outer) noexcept {
    for (WINDOW w = win; vkobase::win_is_live(w); w = w->parent)
        if (w == outer)
            return true;
    return false;
}

bool is_top_level(WINDOW win) noexcept {
    return win->parent != nullptr &&
           (win->parent == vkobase::win_screen() || win->parent == vkobase::win_task());
}

void move_focus(WINDOW win) noexcept {
    WINDOW old = vkok_scr_get_focus_vobj();
    state().focus = win;
    // Every window around the new focus remembers it: when a window manager gives one of
    // them the keyboard back, the focus returns to where it was.
    for (WINDOW outer = win->parent; outer != nullptr; outer = outer->parent)
        outer->internal->last_focus = win;
    if (old != nullptr) {
        EVENT ev{};
        ev.type = E_FOCUS;
        ev.v.focus.active = FALSE;
        vkobase::win_deliver_event(old, &ev);
    }
    if (vkobase::win_is_live(win) && state().focus == win) {
        EVENT ev{};
        ev.type = E_FOCUS;
        ev.v.focus.active = TRUE;
        vkobase::win_deliver_event(win, &ev);
    }
}

// The window in front that may take the keys: a shown document window or dialog that no modal
// window holds back, never one parked out of sight.
WINDOW front_window() noexcept {
    WINDOW front = nullptr;
    for (WINDOW parent : {vkobase::win_screen(), vkobase::win_task()}) {
        const vko_win_internal *in = vkobase::win_internal(parent);
        if (in == nullptr)
            continue;
        for (WINDOW kid : in->children) {
            const bool kind = kid->type == W_DOC || kid->type == W_MODAL || kid->type == W_MODELESS;
            if (kind && kid->internal->visible && (kid->state & VKO_WS_ENDING) == 0 &&
                !vkobase::win_out_of_sight(kid) &&
                !vkobase::app_input_blocked(kid) &&
                (front == nullptr || kid->internal->front_order > front->internal->front_order))
                front = kid;
        }
    }
    return front;
}

} // namespace

void vkobase_reset_scr() noexcept {
    state() = ScrState{};
}

namespace vkobase {

bool scr_busy_cursor() noexcept {
    return state().busy_cursor;
}

void scr_idle() noexcept {
    state().busy_cursor = false;
}

void scr_window_gone(WINDOW win) noexcept {
    if (state().focus == win)
        state().focus = nullptr;
}

void scr_focus_closing(WINDOW win) noexcept {
    if (win_is_live(win) && is_top_level(win) && is_within(vkok_scr_get_focus_vobj(), win))
        state().focus_closing = true;
}

void scr_settle_focus() noexcept {
    if (!state().focus_closing)
        return;
    state().focus_closing = false;
    if (vkok_scr_get_focus_vobj() != nullptr || app_quit_requested())
        return;
    WINDOW next = app_innermost_modal();
    if (next == nullptr)
        next = front_window();
    if (next != nullptr)
        vkok_scr_set_focus_vobj(next);
}

WINDOW scr_last_focus_in(WINDOW top) noexcept {
    if (!win_is_live(top))
        return nullptr;
    WINDOW kept = top->internal->last_focus;
    if (!win_is_live(kept))
        return nullptr;
    for (WINDOW w = kept; w != nullptr; w = w->parent)
        if (w == top)
            return kept;
    return nullptr;
}

} // namespace vkobase

extern "C" {

void vkok_scr_beep(void) noexcept {
    ++state().beeps;
    if (vkobase::display_bell())
        return;
    if (!vkobase::app_test_mode()) {
        std::fputc('\a', stderr);
        std::fflush(stderr);
    }
}

WINDOW vkok_scr_get_focus_vobj(void) noexcept {
    return vkobase::win_is_live(state().focus) ? state().focus : nullptr;
}

WINDOW vkov_scr_get_focus_topwin(void) noexcept {
    WINDOW win = vkok_scr_get_focus_vobj();
    WINDOW screen = vkobase::win_screen();
    while (win != nullptr && win->parent != screen)
        win = win->parent;
    return win;
}

void vkok_scr_set_focus_vobj(WINDOW win) noexcept {
    if (!vkobase::win_is_live(win) || win == state().focus)
        return;
    // A window that the program brings forward (Window > Next Window) takes the keys where
    // they were last in it, as when a window manager gives it the keyboard: they would
    // otherwise reach the window itself, which has no use for typed text. The window still
    // hears that it is the active one.
    WINDOW kept = is_top_level(win) && !is_within(vkok_scr_get_focus_vobj(), win)
                      ? vkobase::scr_last_focus_in(win)
                      : nullptr;
    if (kept == nullptr) {
        move_focus(win);
        return;
    }
    move_focus(kept);
    if (vkobase::win_is_live(win) && state().focus == kept) {
        EVENT ev{};
        ev.type = E_FOCUS;
        ev.v.focus.active = TRUE;
        vkobase::win_deliver_event(win, &ev);
    }
}

void vkok_scr_hide_cursor(void) noexcept {
    state().cursor_hidden = true;
}

void vkok_scr_set_busy_cursor(void) noexcept {
    state().busy_cursor = true;
}

SLIST vkov_scr_list_wins(void) noexcept {
    vko_win_internal *in = vkobase::win_internal(vkobase::win_screen());
    if (in == nullptr)
        return nullptr;
    SLIST list = vkov_slist_create();
    if (list == nullptr)
        return nullptr;
    for (WINDOW top : in->children)
        vkov_slist_add(list, top->internal->title.c_str(), 0);
    return list;
}

} // extern "C"
