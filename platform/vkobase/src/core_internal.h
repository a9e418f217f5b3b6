// core_internal.h: what the core modules of the base library (app, win, scr, cxo, timer) tell
// each other. Internal to vkobase; other families use window_internal.h.
#pragma once

#include <cstdint>
#include <string>

#include "vkobase/types.h"

namespace vkobase {

// app.cpp
bool app_test_mode() noexcept; // set by vkov_test_reset_all
void app_set_test_mode() noexcept;
std::uint64_t app_now_ms() noexcept;        // the application clock
void app_window_gone(WINDOW win) noexcept;  // drops the window's queued events
void app_note_invalid(WINDOW win) noexcept; // the window has a pending update region
// Notes again every window of the subtree that still holds an update region (regions kept
// while their window was out of sight).
void app_note_pending_updates(WINDOW win) noexcept;
// Whether the loop has work waiting: events in its queue, or windows for their updates.
bool app_work_pending() noexcept;
VKO_TX_CREATE_DEF app_tx_create() noexcept; // from the start-up record, may be null
VKO_TX_GET_TX app_tx_get_tx() noexcept;
void app_destroy_all_windows() noexcept; // quit: top-level windows, task window last
void app_process_events() noexcept;      // one pass: due timers, queue, updates
bool app_wait_for_work() noexcept;       // false when nothing can ever arrive (tests)
// True once the application was asked to quit (its loops end at their next turn).
bool app_quit_requested() noexcept;
// While a dialog of another toolkit is open (block true until the matching false), the user's
// input reaches no window of the program.
void app_block_input(bool block) noexcept;
// The configuration the system start was given (all empty before it).
const s_app_config &app_config() noexcept;
// The program's name in the class hint of its windows: as the application gave it (the
// class), and in lower case (the instance); empty when it gave none.
std::string app_class_name();
std::string app_instance_name();
// Whether the user's input for the window is kept back now (a modal loop of another window,
// or a dialog of another toolkit).
bool app_input_blocked(WINDOW win) noexcept;
// The window of the innermost running modal loop, null when none runs.
WINDOW app_innermost_modal() noexcept;

// timer.cpp
void timer_window_gone(WINDOW win) noexcept;
bool timer_next_due(std::uint64_t *due_ms) noexcept;
void timer_fire_due(std::uint64_t now_ms) noexcept; // queues the timer events that fell due

// scr.cpp
bool scr_busy_cursor() noexcept; // the busy cursor shows until the program is idle again
void scr_idle() noexcept;
void scr_window_gone(WINDOW win) noexcept;
// A window is closing: when it held the focus (a dialog, the help viewer), the keys go, once the
// events queued meanwhile have been handled and nobody took them, to the window in front (the
// modal window that opened it, else the front window), where they were last in it.
void scr_focus_closing(WINDOW win) noexcept;
void scr_settle_focus() noexcept;
// The window inside `top` that last had the focus, null when none did or it has gone.
WINDOW scr_last_focus_in(WINDOW top) noexcept;

// cxo.cpp
void cxo_destroy_all(WINDOW win) noexcept;
std::int32_t cxo_run_chain(WINDOW win, CXO from, EVENT *event) noexcept;

// vobj.cpp
void vobj_window_gone(WINDOW win) noexcept;

} // namespace vkobase
