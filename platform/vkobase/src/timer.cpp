// timer.cpp: periodic timers on the application clock. A timer queues one timer event for its
// window each time it falls due; ids count up from 1 and are never reused within a run, so a
// stale id can never stop someone else's timer. Timers die with their window.
#include "vkobase/timer.h"

#include <algorithm>
#include <map>

#include "core_internal.h"
#include "window_internal.h"

namespace {

struct Timer {
    WINDOW win;
    std::uint64_t interval_ms;
    std::uint64_t due_ms;
};

struct TimerState {
    std::map<std::int32_t, Timer> timers;
    std::int32_t next_id = 1;
};

TimerState &state() noexcept {
    static TimerState s;
    return s;
}

} // namespace

void vkobase_reset_timer() noexcept {
    state() = TimerState{};
}

namespace vkobase {

void timer_window_gone(WINDOW win) noexcept {
    auto &timers = state().timers;
    for (auto it = timers.begin(); it != timers.end();)
        it = it->second.win == win ? timers.erase(it) : std::next(it);
}

bool timer_next_due(std::uint64_t *due_ms) noexcept {
    bool found = false;
    for (const auto &entry : state().timers) {
        if (!found || entry.second.due_ms < *due_ms)
            *due_ms = entry.second.due_ms;
        found = true;
    }
    return found;
}

void timer_fire_due(std::uint64_t now_ms) noexcept {
    // Earliest first; a timer that fell behind fires once and is rescheduled from now, so a
    // slow handler does not bring a burst of stale timer events.
    for (;;) {
        auto next = state().timers.end();
        for (auto it = state().timers.begin(); it != state().timers.end(); ++it)
            if (it->second.due_ms <= now_ms &&
                (next == state().timers.end() || it->second.due_ms < next->second.due_ms))
                next = it;
        if (next == state().timers.end())
            return;
        Timer &t = next->second;
        t.due_ms = std::max(t.due_ms + t.interval_ms, now_ms + 1);
        if (t.due_ms <= now_ms)
            t.due_ms = now_ms + t.interval_ms;
        EVENT ev{};
        ev.type = E_TIMER;
        ev.v.timer.id = next->first;
        win_post_event(t.win, ev);
    }
}

} // namespace vkobase

extern "C" {

int32_t vkov_timer_create(WINDOW win, int32_t interval_ms) noexcept {
    if (!vkobase::win_is_live(win) || interval_ms < 0 || state().next_id == INT32_MAX)
        return -1;
    // A zero interval fires at every clock tick of one millisecond.
    const std::uint64_t interval =
        static_cast<std::uint64_t>(std::max<std::int32_t>(interval_ms, 1));
    const std::int32_t id = state().next_id++;
    try {
        state().timers.emplace(id, Timer{win, interval, vkobase::app_now_ms() + interval});
    } catch (...) {
        return -1;
    }
    return id;
}

void vkov_timer_destroy(int32_t timer_id) noexcept {
    state().timers.erase(timer_id);
}

} // extern "C"
