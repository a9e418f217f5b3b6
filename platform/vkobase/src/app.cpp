// app.cpp: the application: start and end of the base library, the event loop with its queue,
// update events, modal loops, quit, and the application clock (the real one when running, a
// virtual one in test mode). Events are delivered in the order they were queued; update events
// come after the queue is empty, one per window with the bounding rectangle of its merged
// region. The update predicates are true exactly while an update event is being handled.
#include "vkobase/app.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>
#include <iterator>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "core_internal.h"
#include "ctl_internal.h"
#include "display_internal.h"
#include "live_registry.h"
#include "menu_internal.h"
#include "vkobase/probe.h"
#include "vkobase/rect.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "window_internal.h"

namespace {

// A handler that keeps posting events must not starve the caller of process_pending_events
// for ever: one call handles at most this many events.
constexpr int kMaxEventsPerPass = 100000;

struct QueuedEvent {
    WINDOW win;
    EVENT event;
    vkobase::KeyTarget choose = nullptr; // a key's target, chosen when it comes up
    std::uint64_t read_order = 0;
};

// A window whose modal loop runs, with its creation number: a later window that happens to
// get the same address is not the one the loop waits for.
struct ModalEntry {
    WINDOW win;
    std::uint64_t created_order;
};

struct StartFile {
    std::string path;
    bool processed = false;
};

struct AppState {
    bool test_mode = false;
    bool running = false;
    bool quit_requested = false;
    int update_depth = 0;
    WINDOW updating_window = nullptr;   // the window whose update runs innermost
    std::uint64_t virtual_now_ms = 0;
    std::deque<QueuedEvent> queue;
    std::vector<WINDOW> invalid_windows; // in the order their regions were first invalidated
    s_app_config config{};
    std::string base_name, appl_name, title;
    std::vector<StartFile> files;
    VKO_TX_CREATE_DEF tx_create = nullptr;
    VKO_TX_GET_TX tx_get_tx = nullptr;
    bool begun = false;
    std::vector<ModalEntry> modal_stack; // windows whose modal loops run, innermost last
    // A quit query that came while modal loops ran waits until they have ended: whoever runs
    // a modal loop may be deleted by the quit. The innermost modal window is asked to close
    // as its close box would (it may ask about unsaved changes), then the next.
    bool quit_held = false;
    WINDOW held_quit_win = nullptr;
    EVENT held_quit{};
    ModalEntry asked_to_close{nullptr, 0};
    int foreign_modal = 0;               // dialogs of another toolkit open
    // Keys typed while a modal window ran out of sight (a search's status window before it
    // shows): nobody sees that window, so the keys are meant for what comes after it. Each
    // waits, with the loop that held it, until that loop ends.
    std::vector<std::pair<ModalEntry, QueuedEvent>> held_keys;
};

AppState &state() noexcept {
    static AppState s;
    return s;
}

// Set by SIGINT or SIGTERM while the application runs for real; the loop turns it into a quit
// query to the task window.
std::atomic<bool> g_quit_signal{false};
// The idle wait sleeps until input or the next timer; the signal handler wakes it through this
// pipe (a signal that came just before the wait began would not interrupt it).
int g_wake_pipe[2] = {-1, -1};

extern "C" void on_quit_signal(int) noexcept {
    g_quit_signal = true;
    if (g_wake_pipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(g_wake_pipe[1], &byte, 1);
    }
}

void open_wake_pipe() noexcept {
    if (g_wake_pipe[0] < 0 && ::pipe2(g_wake_pipe, O_NONBLOCK | O_CLOEXEC) != 0)
        g_wake_pipe[0] = g_wake_pipe[1] = -1;
}

void drain_wake_pipe() noexcept {
    char bytes[16];
    while (g_wake_pipe[0] >= 0 && ::read(g_wake_pipe[0], bytes, sizeof bytes) > 0) {
    }
}

// A quit request from outside: ask the task window (query flag 1), whose answer is
// vkok_app_allow_quit; without a task window, quit at once. While a box, a question or another
// modal window waits for an answer, nobody may be there to give it (the session ends, a script
// stops the program): the program ends at once, as when it is destroyed, rather than asking
// the window to close, which a question answers with Cancel and asks again. Every modal loop
// returns with its window's cancel answer, none runs again, and the windows close as at the
// end of an Exit, whose last save runs then.
void forward_quit_signal() noexcept {
    if (!g_quit_signal.exchange(false))
        return;
    drain_wake_pipe();
    WINDOW task = vkobase::win_task();
    if (task == nullptr || vkobase::app_innermost_modal() != nullptr) {
        state().quit_requested = true;
        return;
    }
    EVENT ev{};
    ev.type = E_QUIT;
    ev.v.quit.query = TRUE;
    vkobase::win_post_event(task, ev);
}

std::chrono::steady_clock::time_point start_time() noexcept {
    static const auto t = std::chrono::steady_clock::now();
    return t;
}

bool is_mouse(e_event type) noexcept {
    return type >= E_MOUSE_DOWN && type <= E_MOUSE_DBL;
}

bool is_user_input(e_event type) noexcept {
    return is_mouse(type) || type == E_CHAR || type == E_VSCROLL || type == E_HSCROLL ||
           type == E_COMMAND || type == E_CONTROL;
}

bool modal_alive(const ModalEntry &entry) noexcept {
    const vko_win_internal *in = vkobase::win_internal(entry.win);
    return in != nullptr && in->created_order == entry.created_order;
}

bool is_within(WINDOW win, WINDOW ancestor) noexcept {
    for (WINDOW w = win; vkobase::win_is_live(w); w = w->parent)
        if (w == ancestor)
            return true;
    return false;
}

// Whether the window win belongs to (the one on the screen or in the task window) was
// opened after the modal window of entry: the help viewer that a dialog's Help button opens
// is not one the dialog holds back, and must take input while the dialog runs.
bool opened_since(WINDOW win, const ModalEntry &entry) noexcept {
    const WINDOW screen = vkobase::win_screen();
    const WINDOW task = vkobase::win_task();
    WINDOW top = win;
    while (vkobase::win_is_live(top) && top->parent != nullptr && top->parent != screen &&
           top->parent != task)
        top = top->parent;
    if (top == task)
        return false;
    const vko_win_internal *in = vkobase::win_internal(top);
    return in != nullptr && in->created_order > entry.created_order;
}

// While a modal loop runs, the user's input reaches only the innermost modal window and its
// descendants and windows opened since it; input for any other window is dropped. A drop-down list
// is a window of its own on the screen, but it belongs to the control that opened it.
bool blocked_by_modal(WINDOW win, e_event type) noexcept {
    // A close box counts as input: a window behind a modal one cannot be closed under it.
    if (!is_user_input(type) && type != E_CLOSE)
        return false;
    if (state().foreign_modal > 0)
        return true;
    auto &stack = state().modal_stack;
    while (!stack.empty() && !modal_alive(stack.back()))
        stack.pop_back();
    if (stack.empty())
        return false;
    if (WINDOW owner = vkobase::ctl::drop_down_owner(win))
        win = owner;
    return !is_within(win, stack.back().win) && !opened_since(win, stack.back());
}

// Holds the key back when the innermost modal window is out of sight; true when it did.
bool hold_key_for_later(const QueuedEvent &key) noexcept {
    auto &stack = state().modal_stack;
    while (!stack.empty() && !modal_alive(stack.back()))
        stack.pop_back();
    if (stack.empty() || !vkobase::win_unseen(stack.back().win))
        return false;
    try {
        state().held_keys.emplace_back(stack.back(), key);
    } catch (...) {
        return false;
    }
    return true;
}

// The modal loop of entry has ended: the keys it held come next, in the order they were
// typed, and go where the focus then is.
void release_held_keys(const ModalEntry &entry) noexcept {
    auto &held = state().held_keys;
    auto &queue = state().queue;
    try {
        auto at = queue.begin();
        for (const auto &[loop, key] : held)
            if (loop.win == entry.win && loop.created_order == entry.created_order)
                at = std::next(queue.insert(at, key));
    } catch (...) {
    }
    held.erase(std::remove_if(held.begin(), held.end(),
                              [&entry](const auto &h) {
                                  return h.first.win == entry.win &&
                                         h.first.created_order == entry.created_order;
                              }),
               held.end());
}

// Asks the innermost running modal window to close; false when no modal loop runs.
bool ask_innermost_modal_to_close() noexcept {
    auto &stack = state().modal_stack;
    while (!stack.empty() && !modal_alive(stack.back()))
        stack.pop_back();
    if (stack.empty())
        return false;
    state().asked_to_close = stack.back();
    EVENT close{};
    close.type = E_CLOSE;
    vkobase::win_post_event(stack.back().win, close);
    return true;
}

// A quit query while modal loops run is held (see AppState::quit_held); true when it was.
bool hold_quit(WINDOW win, const EVENT &event) noexcept {
    if (event.type != E_QUIT || !event.v.quit.query)
        return false;
    if (state().quit_held)
        return true;
    if (!ask_innermost_modal_to_close())
        return false;
    state().quit_held = true;
    state().held_quit_win = win;
    state().held_quit = event;
    return true;
}

// The modal loop of entry has ended: the next modal window is asked to close, or, when none
// runs any more, the held quit query goes out.
void release_held_quit(const ModalEntry &entry) noexcept {
    const ModalEntry &asked = state().asked_to_close;
    if (!state().quit_held || asked.win != entry.win || asked.created_order != entry.created_order)
        return;
    if (ask_innermost_modal_to_close())
        return;
    state().quit_held = false;
    vkobase::win_post_event(state().held_quit_win, state().held_quit);
}

// Delivers one queued event: a pointer trap and a running modal loop decide who gets it, then
// the application-wide hook (attribute 710) sees it first and may keep it back.
void dispatch(WINDOW win, EVENT *event) noexcept {
    if (!vkobase::win_is_live(win))
        return;
    // A trapped pointer sends every mouse event to the trapping window, in its coordinates.
    WINDOW trap = vkov_win_get_pointer_trap();
    if (trap != nullptr && trap != win && is_mouse(event->type)) {
        vkok_vobj_translate_points(win, trap, &event->v.mouse.where, 1);
        win = trap;
    }
    // An open menu takes the pointer and the keys, even over a modal window; the menu bar's
    // keys and the accelerators come before the focus and the event hook.
    if (vkobase::menu::is_active() && (is_mouse(event->type) || event->type == E_CHAR)) {
        if (event->type == E_CHAR) {
            vkobase::menu::key(win, event->v.chr);
            return;
        }
        const s_pnt origin = vkobase::win_client_origin_on_screen(win);
        const s_pnt at{static_cast<std::int16_t>(origin.v + event->v.mouse.where.v),
                       static_cast<std::int16_t>(origin.h + event->v.mouse.where.h)};
        vkobase::menu::pointer(event->type, at, event->v.mouse.shift != 0,
                               event->v.mouse.control != 0);
        return;
    }
    if (hold_quit(win, *event) || blocked_by_modal(win, event->type))
        return;
    if (event->type == E_CHAR && vkobase::menu::key(win, event->v.chr))
        return;
    const intptr_t hook_value = vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_APP_EVENT_HOOK);
    if (hook_value != 0) {
        auto hook = reinterpret_cast<VKO_APP_EVENT_HOOK>(hook_value);
        const intptr_t hook_data = vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_APP_EVENT_HOOK_DATA);
        if (!hook(win, event, hook_data))
            return;
    }
    vkobase::win_deliver_event(win, event);
}

// Delivers the window's pending update, if it has one; true when an event went out.
bool deliver_update_of(WINDOW win) noexcept {
    vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr || in->update_region.empty())
        return false;
    // The X display never shows the task window (the windows inside it show on their own):
    // drawing its background would only fill a screen-sized surface nobody sees.
    if (!in->visible || (win == vkobase::win_task() && vkobase::display_is_open())) {
        in->update_region.clear();
        return false;
    }
    // Nothing of a window parked out of sight or inside a hidden one can be seen: its region
    // waits until the window is moved into view or shown (a status window made for every
    // search stays out of sight unless the search takes long; the lists of the notebook's
    // pages behind the front one are filled on every search too).
    if (vkobase::win_unseen(win))
        return false;
    std::vector<s_rct> region;
    region.swap(in->update_region);
    s_rct bounds = region.front();
    for (const s_rct &r : region) {
        bounds.top = std::min(bounds.top, r.top);
        bounds.left = std::min(bounds.left, r.left);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
        bounds.right = std::max(bounds.right, r.right);
    }
    EVENT ev{};
    ev.type = E_UPDATE;
    ev.v.update.rct = bounds;
    // An update of this window may already be running further up (its handler had the
    // window updated at once): that one gets its own region back afterwards.
    std::vector<s_rct> outer = std::move(in->updating_region);
    in->updating_region = std::move(region);
    ++state().update_depth;
    WINDOW const outer_window = std::exchange(state().updating_window, win);
    vkov_probe_mark(VKO_PROBE_DRAWING, TRUE);
    dispatch(win, &ev);
    vkov_probe_mark(VKO_PROBE_DRAWING, FALSE);
    state().updating_window = outer_window;
    --state().update_depth;
    if (vko_win_internal *still = vkobase::win_internal(win))
        still->updating_region = std::move(outer);
    return true;
}

bool deliver_one_update() noexcept {
    auto &windows = state().invalid_windows;
    while (!windows.empty()) {
        WINDOW win = windows.front();
        windows.erase(windows.begin());
        if (deliver_update_of(win))
            return true;
    }
    return false;
}

} // namespace

void vkobase_reset_app() noexcept {
    const bool was_test = state().test_mode;
    const int foreign = state().foreign_modal; // a dialog still open keeps its block
    state() = AppState{};
    state().test_mode = was_test;
    state().foreign_modal = foreign;
}

namespace vkobase {

bool app_test_mode() noexcept {
    return state().test_mode;
}

void app_set_test_mode() noexcept {
    state().test_mode = true;
}

std::uint64_t app_now_ms() noexcept {
    if (state().test_mode)
        return state().virtual_now_ms;
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - start_time())
                                          .count());
}

void app_window_gone(WINDOW win) noexcept {
    auto &q = state().queue;
    q.erase(
        std::remove_if(q.begin(), q.end(), [win](const QueuedEvent &e) { return e.win == win; }),
        q.end());
    auto &held = state().held_keys;
    held.erase(std::remove_if(held.begin(), held.end(),
                              [win](const auto &h) { return h.second.win == win; }),
               held.end());
    auto &w = state().invalid_windows;
    w.erase(std::remove(w.begin(), w.end(), win), w.end());
}

void app_note_invalid(WINDOW win) noexcept {
    auto &w = state().invalid_windows;
    if (std::find(w.begin(), w.end(), win) == w.end()) {
        try {
            w.push_back(win);
        } catch (...) {
        }
    }
}

void app_note_pending_updates(WINDOW win) noexcept {
    vko_win_internal *in = win_internal(win);
    if (in == nullptr)
        return;
    if (!in->update_region.empty())
        app_note_invalid(win);
    for (WINDOW kid : in->children)
        app_note_pending_updates(kid);
}

VKO_TX_CREATE_DEF app_tx_create() noexcept {
    return state().tx_create;
}

VKO_TX_GET_TX app_tx_get_tx() noexcept {
    return state().tx_get_tx;
}

void app_destroy_all_windows() noexcept {
    WINDOW screen = win_screen();
    WINDOW task = win_task();
    if (vko_win_internal *in = win_internal(screen)) {
        const std::vector<WINDOW> tops = in->children;
        for (auto it = tops.rbegin(); it != tops.rend(); ++it)
            if (*it != task)
                win_destroy_record(*it);
    }
    if (task != nullptr)
        win_destroy_record(task);
}

void app_process_events() noexcept {
    forward_quit_signal();
    display_pump();
    timer_fire_due(app_now_ms());
    for (int handled = 0; handled < kMaxEventsPerPass; ++handled) {
        if (state().quit_requested && state().running)
            return; // the loop tears down at its next turn
        if (!state().queue.empty()) {
            QueuedEvent e = state().queue.front();
            state().queue.pop_front();
            if (e.choose != nullptr && hold_key_for_later(e))
                continue;
            if (e.choose != nullptr)
                e.win = e.choose(e.win, e.read_order);
            dispatch(e.win, &e.event);
            continue;
        }
        scr_settle_focus();
        if (!state().queue.empty())
            continue;
        if (!deliver_one_update())
            return;
    }
}

const s_app_config &app_config() noexcept {
    return state().config;
}

std::string app_class_name() {
    const s_app_config &config = state().config;
    const char *name = config.appl_name != nullptr ? config.appl_name : config.base_appl_name;
    return name != nullptr ? name : "";
}

std::string app_instance_name() {
    std::string instance = app_class_name();
    for (char &c : instance)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return instance;
}

bool app_work_pending() noexcept {
    return !state().queue.empty() || !state().invalid_windows.empty();
}

bool app_quit_requested() noexcept {
    return state().quit_requested;
}

void app_block_input(bool block) noexcept {
    state().foreign_modal += block ? 1 : -1;
    if (state().foreign_modal < 0)
        state().foreign_modal = 0;
}

bool app_input_blocked(WINDOW win) noexcept {
    return blocked_by_modal(win, E_MOUSE_DOWN);
}

WINDOW app_innermost_modal() noexcept {
    auto &stack = state().modal_stack;
    while (!stack.empty() && !modal_alive(stack.back()))
        stack.pop_back();
    return stack.empty() ? nullptr : stack.back().win;
}

bool app_wait_for_work() noexcept {
    if (!state().queue.empty() || !state().invalid_windows.empty())
        return true;
    std::uint64_t due = 0;
    const bool has_timer = timer_next_due(&due);
    if (state().test_mode) {
        // Nothing outside the program can post an event in tests: jump to the next timer, and
        // when there is none the wait would be for ever, so the caller stops.
        if (!has_timer)
            return false;
        if (due > state().virtual_now_ms)
            state().virtual_now_ms = due;
        return true;
    }
    // Idle: the busy cursor goes; show what was drawn, then sleep until the server's input, a
    // quit signal or the next timer's due time, and no longer (nothing else can bring work:
    // without a timer the sleep has no limit).
    scr_idle();
    display_flush();
    int wait_ms = -1;
    if (has_timer) {
        const std::uint64_t now = app_now_ms();
        wait_ms = due <= now ? 0 : static_cast<int>(std::min<std::uint64_t>(due - now, INT_MAX));
    }
    if (!display_wait(wait_ms, g_wake_pipe[0])) {
        pollfd wake{g_wake_pipe[0], POLLIN, 0};
        (void)::poll(&wake, g_wake_pipe[0] >= 0 ? 1 : 0, wait_ms);
    }
    return true;
}

} // namespace vkobase

namespace vkobase {

void win_update_now(WINDOW win) noexcept {
    vko_win_internal *in = win_internal(win);
    if (in == nullptr)
        return;
    auto &windows = state().invalid_windows;
    windows.erase(std::remove(windows.begin(), windows.end(), win), windows.end());
    deliver_update_of(win);
    if (vko_win_internal *still = win_internal(win)) {
        const std::vector<WINDOW> kids = still->children;
        for (WINDOW kid : kids)
            win_update_now(kid);
    }
}

bool win_is_update_needed(WINDOW win, const s_rct *rct) noexcept {
    const vko_win_internal *in = win_internal(win);
    if (in == nullptr || rct == nullptr)
        return false;
    s_rct probe = *rct;
    vkov_rect_repair(&probe);
    s_rct meet{};
    for (const auto *region : {&in->updating_region, &in->update_region})
        for (const s_rct &r : *region)
            if (vkov_rect_intersect(&meet, &r, &probe))
                return true;
    return false;
}

void win_post_event(WINDOW win, const EVENT &event) noexcept {
    if (!win_is_live(win))
        return;
    try {
        state().queue.push_back(QueuedEvent{win, event});
    } catch (...) {
    }
}

void win_post_key(WINDOW typed_over, const EVENT &event, KeyTarget choose,
                  std::uint64_t read_order) noexcept {
    if (!win_is_live(typed_over))
        return;
    try {
        state().queue.push_back(QueuedEvent{typed_over, event, choose, read_order});
    } catch (...) {
    }
}

} // namespace vkobase

void vkobase_reset_static() noexcept; // static.cpp: finalises per-descriptor blocks

extern "C" {

BOOLEAN vkowi_Begin(s_startup *startup) noexcept {
    if (startup == nullptr)
        return FALSE;
    state().begun = true;
    (void)start_time();
    return TRUE;
}

BOOLEAN vkowi_Init(s_startup *startup) noexcept {
    if (startup == nullptr || !state().begun)
        return FALSE;
    state().tx_create = startup->tx_create;
    state().tx_get_tx = startup->tx_get_tx;
    return TRUE;
}

void vkowi_End(void) noexcept {
    vkobase::app_destroy_all_windows();
    // Per-descriptor blocks are finalised here, while every module they may use is still
    // alive, rather than from the exit handler after static destructors have run.
    vkobase_reset_static();
    state().begun = false;
}

void vkowi_vko_system(int32_t argc, char **argv, intptr_t reserved, VKO_EVENT_HANDLER handler,
                      const s_app_config *config) noexcept {
    (void)reserved;
    AppState &s = state();
    if (s.running || config == nullptr)
        return;
    try {
        s.config = *config;
        s.base_name = config->base_appl_name != nullptr ? config->base_appl_name : "";
        s.appl_name = config->appl_name != nullptr ? config->appl_name : "";
        s.title = config->taskwin_title != nullptr ? config->taskwin_title : "";
        s.files.clear();
        for (int32_t i = 1; argv != nullptr && i < argc; ++i)
            if (argv[i] != nullptr)
                s.files.push_back(StartFile{argv[i], false});
    } catch (...) {
        return;
    }
    s.config.base_appl_name = s.base_name.data();
    s.config.appl_name = s.appl_name.data();
    s.config.taskwin_title = s.title.data();
    vkov_vobj_set_attr(NULL_WIN, VKO_ATTR_TASKWIN_MENUBAR, config->menu_bar_id);

    s.running = true;
    s.quit_requested = false;
    s.quit_held = false;
    if (!s.test_mode) {
        open_wake_pipe();
        std::signal(SIGINT, on_quit_signal);
        std::signal(SIGTERM, on_quit_signal);
        vkobase::display_open(); // headless when DISPLAY names no server
    }
    WINDOW task = vkobase::win_task();
    if (task == nullptr) {
        vkobase::WinCreateArgs args;
        args.type = W_TASK;
        const s_rct screen = vkobase::win_client_rect(vkobase::win_screen());
        args.rct = s_rct{44, 4, static_cast<int16_t>(screen.bottom - 4),
                         static_cast<int16_t>(screen.right - 4)};
        args.title = s.title.c_str();
        args.menu_bar_id = config->menu_bar_id;
        args.handler = handler;
        args.send_create = false; // delivered from the queue, inside the loop
        task = vkobase::win_create_record(args);
        if (task == nullptr) {
            s.running = false;
            return;
        }
        vkov_vobj_set_attr(NULL_WIN, VKO_ATTR_TASK_WINDOW, reinterpret_cast<intptr_t>(task));
        EVENT ev{};
        ev.type = E_CREATE;
        vkobase::win_post_event(task, ev);
    }
    while (!state().quit_requested) {
        vkobase::app_process_events();
        if (state().quit_requested)
            break;
        if (!vkobase::app_wait_for_work())
            break;
    }
    if (!s.test_mode) {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
    }
    vkobase::app_destroy_all_windows();
    vkobase::display_close();
    state().running = false;
    state().quit_requested = false;
    state().quit_held = false;
}

void vkov_app_destroy(void) noexcept {
    if (state().running) {
        state().quit_requested = true;
        return;
    }
    vkobase::app_destroy_all_windows();
}

void vkok_app_allow_quit(void) noexcept {
    vkov_app_destroy();
}

BOOLEAN vkok_app_escape(int32_t code, va_list args) noexcept {
    // No escape code is defined by this platform.
    (void)code;
    (void)args;
    return FALSE;
}

void vkok_app_get_files_count(BOOLEAN *printing, int32_t *count) noexcept {
    if (printing != nullptr)
        *printing = FALSE;
    if (count != nullptr)
        *count = static_cast<int32_t>(state().files.size());
}

BOOLEAN vkok_app_get_file(int32_t index, FILE_SPEC *spec) noexcept {
    if (spec == nullptr || index < 0 || static_cast<std::size_t>(index) >= state().files.size())
        return FALSE;
    const std::string &path = state().files[static_cast<std::size_t>(index)].path;
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (dir.size() >= sizeof spec->dir.path || name.size() >= sizeof spec->name)
        return FALSE;
    std::memset(spec, 0, sizeof *spec);
    std::memcpy(spec->dir.path, dir.c_str(), dir.size() + 1);
    std::memcpy(spec->name, name.c_str(), name.size() + 1);
    return TRUE;
}

void vkok_app_set_file_processed(int32_t index, BOOLEAN processed) noexcept {
    if (index >= 0 && static_cast<std::size_t>(index) < state().files.size())
        state().files[static_cast<std::size_t>(index)].processed = processed != 0;
}

s_drawct *vkov_app_get_default_ctools(s_drawct *ctools) noexcept {
    if (ctools == nullptr)
        return nullptr;
    *ctools = s_drawct{};
    ctools->pen = s_cpen{1, PAT_SOLID, P_SOLID, VKO_COLOR_BLACK};
    ctools->brush = s_cbrush{PAT_SOLID, VKO_COLOR_WHITE};
    ctools->mode = M_COPY;
    ctools->fore_color = VKO_COLOR_BLACK;
    ctools->back_color = VKO_COLOR_WHITE;
    ctools->opaque_text = FALSE;
    return ctools;
}

void vkok_app_process_pending_events(void) noexcept {
    vkobase::app_process_events();
}

BOOLEAN vkov_app_proc_update(void) noexcept {
    if (state().update_depth == 0)
        return FALSE;
    // A table view placing the controls over its cells while its window paints marks the
    // window; the controls may then be made, moved and set during the update.
    if (state().updating_window != nullptr &&
        vkok_vobj_get_attr(state().updating_window, VKO_ATTR_TABLE_VIEW) != 0)
        return FALSE;
    return TRUE;
}

BOOLEAN vkov_app_is_update_in_progress(void) noexcept {
    return state().update_depth > 0 ? TRUE : FALSE;
}

void *vkowi_get_utility_hwnd(void) noexcept {
    // The owner that platform services (help viewer, dialogs) get: the task window while the
    // application runs, else the screen.
    WINDOW owner = vkobase::win_task();
    return owner != nullptr ? owner : vkobase::win_screen();
}

uint64_t vkov_app_get_time_ms(void) noexcept {
    return vkobase::app_now_ms();
}

void vkok_win_process_modal(WINDOW win) noexcept {
    vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr || in->modal_running)
        return;
    const ModalEntry entry{win, in->created_order};
    in->modal_running = true;
    try {
        state().modal_stack.push_back(entry);
    } catch (...) {
        in->modal_running = false;
        return;
    }
    // Runs until the dialog is destroyed (the usual end) or the application quits.
    while (modal_alive(entry) && !state().quit_requested) {
        vkobase::app_process_events();
        if (!modal_alive(entry) || state().quit_requested)
            break;
        if (!vkobase::app_wait_for_work())
            break;
    }
    if (modal_alive(entry))
        win->internal->modal_running = false;
    auto &stack = state().modal_stack;
    stack.erase(std::remove_if(stack.begin(), stack.end(),
                               [&entry](const ModalEntry &e) {
                                   return e.win == entry.win &&
                                          e.created_order == entry.created_order;
                               }),
                stack.end());
    release_held_keys(entry);
    release_held_quit(entry);
}

VKOBASE_API uint64_t vkov_test_now_ms(void) noexcept {
    return vkobase::app_now_ms();
}

VKOBASE_API void vkov_test_advance_clock(uint32_t ms) noexcept {
    if (!state().test_mode)
        return;
    const std::uint64_t target = state().virtual_now_ms + ms;
    // Each timer fires at its own due time, with the clock reading that time.
    std::uint64_t due = 0;
    while (vkobase::timer_next_due(&due) && due <= target) {
        state().virtual_now_ms = std::max(state().virtual_now_ms, due);
        vkobase::app_process_events();
    }
    state().virtual_now_ms = target;
    vkobase::app_process_events();
}

} // extern "C"
