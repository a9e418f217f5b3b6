// thelp.cpp: the help family of the checking layer ("thelp"): help files, topics, associations
// of windows and menu items, object click and help events, forwarded to the help module.
// The rule a reader must not miss: only vko_help_get_menu_assoc reports a null window with
// 0x210000; the other members that need a window use the layer's window check (0x1210002),
// and the members that allow a null window check only a window that is given.
#include "ruk/static/forward.h"

#include <cstdint>

namespace {

constexpr char kModule[] = "thelp";

using namespace vkoruk;

constexpr std::uint32_t kErrBadHelp = kErrBadName; // 0x1220001, the layer's bad help handle

bool help_ok(const ApiFrame &frame, HELPINFO help, int line) noexcept {
    if (vkov_help_is_valid_info(help))
        return true;
    frame.refuse(kErrBadHelp, line);
    return false;
}

// A window that may be null: only a given one must be live.
bool window_null_or_live(const ApiFrame &frame, WINDOW win, int line) noexcept {
    return win == nullptr || frame.live_window(win, line);
}

bool tag_ok(const ApiFrame &frame, int16_t tag, int line) noexcept {
    if (tag > 0)
        return true;
    frame.refuse(kErrValueOutOfSet, line);
    return false;
}

// The members that take the help handle and a window that must be live.
bool help_and_window(ApiFrame &frame, HELPINFO help, WINDOW win, auto &&...) {
    if (!help_ok(frame, help, __LINE__))
        return false;
    return frame.live_window(win, __LINE__);
}

bool check_vko_help_open_helpfile(ApiFrame &frame, const s_file_spec *spec, int32_t) {
    return frame.not_null(spec, __LINE__);
}

bool check_vko_help_close_helpfile(ApiFrame &frame, HELPINFO help) {
    return help_ok(frame, help, __LINE__);
}

bool check_vko_help_display_topic(ApiFrame &frame, HELPINFO help, int32_t topic) {
    if (!help_ok(frame, help, __LINE__))
        return false;
    if (topic != 0)
        return true;
    frame.refuse(kErrNullArgument, __LINE__);
    return false;
}

bool check_vko_help_set_menu_assoc(ApiFrame &frame, HELPINFO help, WINDOW win, int16_t tag, int32_t,
                                   int32_t) {
    if (!help_ok(frame, help, __LINE__))
        return false;
    if (!window_null_or_live(frame, win, __LINE__))
        return false;
    return tag_ok(frame, tag, __LINE__);
}

bool check_vko_help_get_menu_assoc(ApiFrame &frame, HELPINFO help, WINDOW win, int16_t tag) {
    if (!help_ok(frame, help, __LINE__))
        return false;
    if (!frame.not_null(win, __LINE__))
        return false;
    if (!frame.live_window(win, __LINE__))
        return false;
    return tag_ok(frame, tag, __LINE__);
}

constexpr auto check_vko_help_set_win_assoc = [](ApiFrame &frame, HELPINFO help, WINDOW win,
                                                 int32_t, int32_t) {
    return help_and_window(frame, help, win);
};
constexpr auto check_vko_help_get_win_assoc = [](ApiFrame &frame, HELPINFO help, WINDOW win) {
    return help_and_window(frame, help, win);
};
constexpr auto check_vko_help_disassoc_all = check_vko_help_get_win_assoc;

bool check_vko_help_assoc_all(ApiFrame &frame, HELPINFO help, WINDOW win, int32_t res_id,
                              s_win_def *) {
    if (!help_and_window(frame, help, win))
        return false;
    if (res_id > 0)
        return true;
    frame.refuse(kErrNullArgument, __LINE__);
    return false;
}

bool check_vko_help_begin_objclick(ApiFrame &frame, HELPINFO help, WINDOW win, int32_t) {
    if (!help_ok(frame, help, __LINE__))
        return false;
    return window_null_or_live(frame, win, __LINE__);
}

bool check_vko_help_end_objclick(ApiFrame &frame, HELPINFO help) {
    return help_ok(frame, help, __LINE__);
}

bool check_vko_help_process_event(ApiFrame &frame, HELPINFO help, WINDOW win, EVENT *event) {
    if (!help_and_window(frame, help, win))
        return false;
    return frame.not_null(event, __LINE__);
}

bool check_vko_help_get_assoc_file(ApiFrame &frame, HELPINFO help, char *path, int32_t path_size) {
    if (!help_ok(frame, help, __LINE__))
        return false;
    if (path != nullptr && path_size > 0)
        return true;
    frame.refuse(kErrNullArgument, __LINE__);
    return false;
}

bool check_vko_help_get_flavor(ApiFrame &) {
    return true;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/thelp.def"

// The window is taken and not looked at: the search uses only its key. A null key is searched
// as the empty text.
extern "C" HELPINFO vko_help_search_topic(HELPINFO help, WINDOW, const char *key) noexcept {
    const ApiFrame frame{"vko_help_search_topic", kModule};
    if (!help_ok(frame, help, __LINE__))
        return nullptr;
    return vkov_help_search_topic(help, 0, key != nullptr ? key : "");
}
