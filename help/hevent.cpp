// hevent.cpp: help events, object-click mode and the viewer. Events become an action (none,
// show a topic, search) with a topic; the viewer is reached through WinHelpA.
// The rule a reader must not miss: while object click is on, the events that end it end it
// before anything is shown, and the pointer trap is always released.
#include "help_internal.h"
#include "vkobase/app.h"
#include "vkobase/scr.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "win32/user.h"

namespace vkohelp {
namespace {

constexpr std::int32_t kTopicHelpOnHelp = 32000;
constexpr std::int32_t kTopicContents = 32006;
constexpr std::int32_t kTopicNoAssoc = 32001;
constexpr std::int16_t kHelpCursor = 5;
constexpr std::int32_t kEditControl = 17;
constexpr std::int32_t kListEditControl = 21;

// The standard help-menu tags.
constexpr std::int16_t kTagFocusHelp = 32451;
constexpr std::int16_t kTagHelpOnHelp = 32452;
constexpr std::int16_t kTagWindowHelp = 32453;
constexpr std::int16_t kTagSearch = 32457;
constexpr std::int16_t kTagObjectClick = 32458;

struct TagTopic {
    std::int16_t tag;
    std::int32_t topic;
};
// Tags that show a fixed topic.
constexpr TagTopic kFixedTopics[] = {
    {kTagHelpOnHelp, kTopicHelpOnHelp},
    {32454, 32005},
    {32455, 32001},
    {32456, 32002},
    {32459, 32007},
    {32461, 32009},
    {32462, kTopicContents},
};

HWND viewer_owner() noexcept {
    return static_cast<HWND>(vkowi_get_utility_hwnd());
}

// Shows a topic and answers that the event was consumed.
std::int32_t show(HELPINFO help, std::int32_t topic) noexcept {
    vkov_help_display_topic(help, topic);
    return 1;
}

// The menu association of a tag: the window's own, else the application's.
std::int32_t menu_topic(HELPINFO help, WINDOW win, std::int16_t tag) noexcept {
    if (tag <= 0)
        return 0;
    const std::int32_t own = menu_assoc(help, win, tag);
    return own != 0 ? own : menu_assoc(help, nullptr, tag);
}

std::int32_t menu_command(HELPINFO help, WINDOW win, std::int16_t tag) noexcept {
    for (const TagTopic &fixed : kFixedTopics) {
        if (fixed.tag == tag)
            return show(help, fixed.topic);
    }
    switch (tag) {
    case kTagFocusHelp:
        return show(help, nearest_window_assoc(help, vkok_scr_get_focus_vobj()));
    case kTagWindowHelp: {
        const std::int32_t topic = window_assoc(help, win);
        return show(help, topic != 0 ? topic : kTopicNoAssoc);
    }
    case kTagSearch:
        vkov_help_search_topic(help, 0, "");
        return 1;
    case kTagObjectClick:
        vkov_help_begin_objclick(help, win, 0);
        return 1;
    default:
        return 0; // not a help tag
    }
}

std::int32_t help_request(HELPINFO help, WINDOW win, const EVENT &event) noexcept {
    std::int32_t topic = event.v.help.topic;
    if (topic == 0)
        topic = menu_topic(help, win, event.v.help.tag);
    if (topic == 0 && event.v.help.obj != nullptr)
        topic = nearest_window_assoc(help, event.v.help.obj);
    return show(help, topic);
}

void store_point(HELPINFO help, WINDOW win, s_pnt where) noexcept {
    const auto screen =
        reinterpret_cast<WINDOW>(vkok_vobj_get_attr(nullptr, VKO_ATTR_SCREEN_WINDOW));
    if (screen != nullptr && win != nullptr && vkov_vobj_is_valid(win))
        vkok_vobj_translate_points(win, screen, &where, 1);
    help->last_point = where;
}

// The topic of the window under the point kept in object-click mode, or of its nearest
// parent that has one, as for a control's event (0: contents).
std::int32_t topic_under_point(HELPINFO help) noexcept {
    const POINT point{help->last_point.h, help->last_point.v};
    const auto under = reinterpret_cast<WINDOW>(WindowFromPoint(point));
    return under != nullptr && vkov_vobj_is_valid(under) ? nearest_window_assoc(help, under) : 0;
}

std::int32_t objclick_event(HELPINFO help, WINDOW win, const EVENT &event) noexcept {
    switch (event.type) {
    case E_MOUSE_MOVE:
        store_point(help, win, event.v.mouse.where);
        return 0;
    case E_MOUSE_DOWN:
        return 1;
    case E_CLOSE:
        stop_objclick(help);
        return 0;
    case E_CHAR:
        stop_objclick(help);
        return 1;
    case E_MOUSE_UP:
    case E_MOUSE_DBL:
        // The release itself tells where the user clicked, moved or not.
        store_point(help, win, event.v.mouse.where);
        stop_objclick(help);
        return show(help, topic_under_point(help));
    case E_HELP:
        stop_objclick(help);
        return show(help, topic_under_point(help));
    case E_COMMAND:
        stop_objclick(help);
        return show(help, menu_topic(help, win, event.v.cmd.tag));
    case E_CONTROL: {
        const s_ctlinfo &info = event.v.ctl.ci;
        if ((info.type == kEditControl || info.type == kListEditControl) &&
            info.v.edit.focus_change != 0)
            return 0;
        stop_objclick(help);
        return show(help, nearest_window_assoc(help, info.win));
    }
    default:
        return 0;
    }
}

} // namespace

void viewer_display(HELPINFO help, std::int32_t topic) noexcept {
    HWND owner = viewer_owner();
    if (owner == nullptr)
        return;
    if (topic == kTopicHelpOnHelp)
        WinHelpA(owner, help->path.c_str(), HELP_HELPONHELP, 0);
    else if (topic == kTopicContents)
        WinHelpA(owner, help->path.c_str(), HELP_CONTENTS, 0);
    else
        WinHelpA(owner, help->path.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(topic));
}

void viewer_search(HELPINFO help, const char *key) noexcept {
    HWND owner = viewer_owner();
    if (owner != nullptr)
        WinHelpA(owner, help->path.c_str(), HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(key));
}

void viewer_quit(HELPINFO help) noexcept {
    WinHelpA(viewer_owner(), help->path.c_str(), HELP_QUIT, 0);
}

void stop_objclick(HELPINFO help) noexcept {
    if (!help->objclick)
        return;
    help->objclick = false;
    vkok_win_release_pointer();
    if (help->objclick_win != nullptr && vkov_vobj_is_valid(help->objclick_win))
        vkok_win_set_cursor(help->objclick_win, static_cast<std::int16_t>(help->saved_cursor));
    help->objclick_win = nullptr;
}

} // namespace vkohelp

using namespace vkohelp;

extern "C" VKOHELP_API HELPINFO vkov_help_display_topic(HELPINFO help, int32_t topic) noexcept {
    if (!vkov_help_is_valid_info(help))
        return nullptr;
    vkok_scr_set_busy_cursor();
    viewer_display(help, topic == 0 ? kTopicContents : topic);
    return help;
}

extern "C" VKOHELP_API HELPINFO vkov_help_search_topic(HELPINFO help, int32_t,
                                                       const char *key) noexcept {
    if (!vkov_help_is_valid_info(help))
        return nullptr;
    vkok_scr_set_busy_cursor();
    viewer_search(help, key != nullptr ? key : "");
    return help;
}

extern "C" VKOHELP_API int32_t vkov_help_process_event(HELPINFO help, WINDOW win,
                                                       EVENT *event) noexcept {
    if (!help_ok(help, __LINE__))
        return 0;
    if (event == nullptr) {
        report(kErrNull, __LINE__);
        return 0;
    }
    if (event->type == E_DESTROY) {
        if (win != nullptr) {
            if (help->objclick && help->objclick_win == win)
                stop_objclick(help);
            remove_assocs_of(help, win);
        }
        return 0;
    }
    if (help->objclick)
        return objclick_event(help, win, *event);
    if (event->type == E_COMMAND)
        return menu_command(help, win, event->v.cmd.tag);
    if (event->type == E_HELP)
        return help_request(help, win, *event);
    return 0;
}

extern "C" VKOHELP_API void vkov_help_begin_objclick(HELPINFO help, WINDOW win, int32_t) noexcept {
    if (!help_ok(help, __LINE__) || help->objclick || win == nullptr || !vkov_vobj_is_valid(win))
        return;
    const auto task = reinterpret_cast<WINDOW>(vkok_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW));
    if (vkok_vobj_get_attr(nullptr, VKO_ATTR_TASKWIN_ACTIVE) == 0 && win == task) {
        vkok_scr_beep();
        return;
    }
    help->objclick = true;
    help->objclick_win = win;
    help->saved_cursor = win->cursor_id;
    vkok_win_set_cursor(win, kHelpCursor);
    vkok_win_trap_pointer(win);
}

extern "C" VKOHELP_API void vkov_help_end_objclick(HELPINFO help) noexcept {
    if (help_ok(help, __LINE__))
        stop_objclick(help);
}
