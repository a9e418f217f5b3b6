// tres.cpp: the resource family of the checking layer ("tres"): window and dialog
// definitions, menus, fonts, images and strings loaded from the program's resources, their
// release, and the resource files in use. The loaders check nothing.
#include "ruk/static/forward.h"

#include <cstdint>

namespace {

constexpr char kModule[] = "tres";

using vkoruk::ApiFrame;

// The resource readers take any number: one the resources do not hold is the base
// library's to answer.
constexpr auto always = [](ApiFrame &, auto &&...) { return true; };

constexpr auto check_vko_res_get_dlg_def = always;
constexpr auto check_vko_res_get_dlg_data = always;
constexpr auto check_vko_res_get_win_def = always;
constexpr auto check_vko_res_get_win_data = always;
constexpr auto check_vko_res_get_menu = always;
constexpr auto check_vko_res_get_menu_data = always;
constexpr auto check_vko_res_get_font = always;
constexpr auto check_vko_res_get_image = always;
constexpr auto check_vko_res_get_image_data = always;
constexpr auto check_vko_res_get_str_list = always;

// The buffer must hold at least the terminating byte.
bool check_vko_res_get_str(ApiFrame &frame, int32_t, char *buf, int32_t buf_size) {
    if (!frame.not_null(buf, __LINE__))
        return false;
    return frame.positive(buf_size, __LINE__);
}

bool check_vko_res_free_menu_tree(ApiFrame &frame, MENU_TREE tree) {
    return frame.not_null(tree, __LINE__);
}

bool check_vko_res_free_win_def(ApiFrame &frame, s_win_def *def_list) {
    return frame.not_null(def_list, __LINE__);
}

bool check_vko_res_add_res(ApiFrame &frame, const char *file_name) {
    return frame.not_null(file_name, __LINE__);
}

bool check_vko_res_use_res(ApiFrame &frame, const char *file_name) {
    return frame.not_null(file_name, __LINE__);
}

// Removing no file is no error: the call answers FALSE without a report.
bool check_vko_res_remove_res(ApiFrame &, const char *file_name) {
    return file_name != nullptr;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tres.def"
