// tdm.cpp: checks of the standard-dialog family. A refused call shows no dialog. The message
// members take a format and variable arguments; the layer passes its own argument list on to
// the base library's va_list form.
#include "ruk/static/forward.h"

#include <cstdarg>

namespace {

using vkoruk::ApiFrame;

constexpr char kModule[] = "tdm";
// The drawing-tools dialog needs at least one part to offer, in the low byte.
constexpr std::uint32_t kToolPartsMask = 0xFF;

constexpr auto always = [](ApiFrame&, auto&&...) { return true; };

constexpr auto first_two_given = [](ApiFrame& frame, const void* first, const void* second,
                                  auto&&...) {
    if (!frame.not_null(first, __LINE__))
        return false;
    return frame.not_null(second, __LINE__);
};

constexpr auto first_given = [](ApiFrame& frame, const void* first, auto&&...) {
    return frame.not_null(first, __LINE__);
};

using PostMessage = void (*)(const char* format, va_list args);

// The frame of the five message boxes; the fatal exit alone goes on during an update.
void post_message(const char* api_name, vkoruk::Update update, PostMessage post,
                  const char* format, va_list args) {
    const ApiFrame frame{api_name, kModule};
    if (update == vkoruk::Update::kRefuse && frame.refused_during_update(__LINE__))
        return;
    if (!frame.not_null(format, __LINE__))
        return;
    post(format, args);
}

// ---- Checks, in table order ------------------------------------------------------------------

constexpr auto check_vko_dm_post_about_box = always;
constexpr auto check_vko_dm_post_string_prompt = first_two_given;
constexpr auto check_vko_dm_post_file_open = first_two_given;
constexpr auto check_vko_dm_post_file_save = first_two_given;
constexpr auto check_vko_dm_post_dir_sel = first_two_given;
constexpr auto check_vko_dm_post_color_sel = first_given;

bool check_vko_dm_post_ctools_sel(ApiFrame& frame, s_drawct* tools, std::uint32_t parts) {
    if (!frame.not_null(tools, __LINE__))
        return false;
    if ((parts & kToolPartsMask) != 0)
        return true;
    frame.refuse(vkoruk::kErrEmptyTools, __LINE__);
    return false;
}

// The owner window is optional; when given it must be a live window that can be drawn in.
bool check_vko_dm_post_font_sel(ApiFrame& frame, WINDOW win, FONT_OBJ font, s_printrcd* print,
                                std::uint32_t) {
    if (!frame.font_given_and_valid(font, __LINE__))
        return false;
    if (win != nullptr && !frame.drawable_window(win, __LINE__))
        return false;
    if (print != nullptr && !vkok_print_is_valid(print)) {
        frame.refuse(vkoruk::kErrBadPrintRecord, __LINE__);
        return false;
    }
    return true;
}

constexpr auto check_vko_dm_post_page_setup = first_given;
constexpr auto check_vko_errmsg_dispatch = always;

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tdm.def"

extern "C" void vko_dm_post_note(const char* format, ...) noexcept {
    va_list args;
    va_start(args, format);
    post_message("vko_dm_post_note", vkoruk::Update::kRefuse, vkov_dm_post_note, format, args);
    va_end(args);
}

extern "C" void vko_dm_post_message(const char* format, ...) noexcept {
    va_list args;
    va_start(args, format);
    post_message("vko_dm_post_message", vkoruk::Update::kRefuse, vkov_dm_post_message, format,
                 args);
    va_end(args);
}

extern "C" void vko_dm_post_warning(const char* format, ...) noexcept {
    va_list args;
    va_start(args, format);
    post_message("vko_dm_post_warning", vkoruk::Update::kRefuse, vkov_dm_post_warning, format,
                 args);
    va_end(args);
}

extern "C" void vko_dm_post_error(const char* format, ...) noexcept {
    va_list args;
    va_start(args, format);
    post_message("vko_dm_post_error", vkoruk::Update::kRefuse, vkov_dm_post_error, format, args);
    va_end(args);
}

extern "C" void vko_dm_post_fatal_exit(const char* format, ...) noexcept {
    va_list args;
    va_start(args, format);
    post_message("vko_dm_post_fatal_exit", vkoruk::Update::kAllowed, vkov_dm_post_fatal_exit,
                 format, args);
    va_end(args);
}

// The third button may be null (a two-button question).
extern "C" int32_t vko_dm_post_ask(const char* button1, const char* button2, const char* button3,
                                   const char* format, ...) noexcept {
    constexpr std::int32_t kNeutral = 127;
    const ApiFrame frame{"vko_dm_post_ask", kModule};
    if (frame.refused_during_update(__LINE__))
        return kNeutral;
    if (!frame.not_null(button1, __LINE__))
        return kNeutral;
    if (!frame.not_null(button2, __LINE__))
        return kNeutral;
    if (!frame.not_null(format, __LINE__))
        return kNeutral;
    va_list args;
    va_start(args, format);
    const std::int32_t answer = vkov_dm_post_ask(button1, button2, button3, format, args);
    va_end(args);
    return answer;
}
