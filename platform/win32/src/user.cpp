// user.cpp: character stepping over the base library's multibyte text, the help viewer's
// requests (recorded, then carried out by help_viewer.cpp), and window lookup through the base
// library's window records.
#include "win32/user.h"

#include <string>
#include <vector>

#include "help_viewer.h"
#include "vkobase/str.h"
#include "vkobase/win_places.h"
#include "win32/testing.h"
#include "win32_internal.h"

namespace {

struct HelpRequest {
    bool has_file = false;
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
    bool has_key = false;
    std::string key;
};

struct UserState {
    std::vector<HelpRequest> help; // every WinHelpA request, oldest first
};
UserState &state() {
    static UserState s;
    return s;
}

const HelpRequest *request(int32_t index) noexcept {
    if (index < 0 || static_cast<size_t>(index) >= state().help.size())
        return nullptr;
    return &state().help[static_cast<size_t>(index)];
}

int16_t to_int16(LONG v) noexcept {
    return static_cast<int16_t>(v < INT16_MIN ? INT16_MIN : (v > INT16_MAX ? INT16_MAX : v));
}

} // namespace

void win32::reset_user() noexcept {
    state().help.clear();
    win32::help::reset_viewer();
}

extern "C" {

LPSTR CharNextA(LPCSTR cur) noexcept {
    return vkov_str_next_char(cur);
}

LPSTR CharPrevA(LPCSTR start, LPCSTR cur) noexcept {
    return vkov_str_prev_char(start, cur);
}

BOOL WinHelpA(HWND, LPCSTR help_file, UINT command, ULONG_PTR data) noexcept {
    if (help_file == nullptr && command != HELP_QUIT)
        return FALSE;
    try {
        HelpRequest r;
        r.has_file = help_file != nullptr;
        r.file = help_file != nullptr ? help_file : "";
        r.command = command;
        r.data = data;
        if (command == HELP_PARTIALKEY && data != 0) {
            r.has_key = true;
            r.key = reinterpret_cast<const char *>(data);
        }
        state().help.push_back(std::move(r));
        return win32::help::viewer_request(help_file, command, data) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

HWND WindowFromPoint(POINT point) noexcept {
    const s_pnt pnt{to_int16(point.y), to_int16(point.x)};
    return reinterpret_cast<HWND>(vkov_win_at_screen_point(pnt));
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) noexcept {
    s_pnt origin{};
    if (point == nullptr || !vkov_win_client_origin(reinterpret_cast<WINDOW>(hwnd), &origin))
        return FALSE;
    point->x += origin.h;
    point->y += origin.v;
    return TRUE;
}

int32_t win32_test_help_count(void) noexcept {
    return static_cast<int32_t>(state().help.size());
}

LPCSTR win32_test_help_file(int32_t index) noexcept {
    const HelpRequest *r = request(index);
    return r != nullptr && r->has_file ? r->file.c_str() : nullptr;
}

UINT win32_test_help_command(int32_t index) noexcept {
    const HelpRequest *r = request(index);
    return r != nullptr ? r->command : 0;
}

ULONG_PTR win32_test_help_data(int32_t index) noexcept {
    const HelpRequest *r = request(index);
    return r != nullptr ? r->data : 0;
}

LPCSTR win32_test_help_key(int32_t index) noexcept {
    const HelpRequest *r = request(index);
    return r != nullptr && r->has_key ? r->key.c_str() : nullptr;
}

} // extern "C"
