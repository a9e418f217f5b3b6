// tapp.cpp: checks of the application family. vko_app_create hands the thread to the base
// library's event loop and returns only when the application has quit; a refused create
// returns at once without starting anything.
#include "ruk/static/forward.h"

#include <cstdarg>

namespace {

using vkoruk::ApiFrame;

constexpr char kModule[] = "tapp";

constexpr auto always = [](ApiFrame&, auto&&...) { return true; };

void ensure_memory_functions() {
    if (vkov_mem_get_functions() == nullptr)
        vkov_mem_set_functions(nullptr);
}

// ---- Checks, in table order ------------------------------------------------------------------

constexpr auto check_vko_app_allow_quit = always;

bool check_vko_app_get_files_count(ApiFrame& frame, BOOLEAN* printing, std::int32_t* count) {
    if (!frame.not_null(printing, __LINE__))
        return false;
    return frame.not_null(count, __LINE__);
}

constexpr auto check_vko_app_get_file = always;
constexpr auto check_vko_app_set_file_processed = always;

bool check_vko_app_get_default_ctools(ApiFrame& frame, s_drawct* ctools) {
    return frame.not_null(ctools, __LINE__);
}

constexpr auto check_vko_app_process_pending_events = always;

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tapp.def"

// The base library gets a copy of the configuration, so the caller's record is never changed
// by the running application.
extern "C" void vko_app_create(int32_t argc, char** argv, int32_t reserved,
                               VKO_EVENT_HANDLER handler, const s_app_config* config) noexcept {
    ensure_memory_functions();
    const ApiFrame frame{"vko_app_create", kModule};
    if (!frame.not_null(argv, __LINE__))
        return;
    if (!frame.not_null(config, __LINE__))
        return;
    ensure_memory_functions();
    const s_app_config own_config = *config;
    vkowi_vko_system(argc, argv, reserved, handler, &own_config);
}

extern "C" BOOLEAN vko_app_escape(int32_t code, ...) noexcept {
    const ApiFrame frame{"vko_app_escape", kModule};
    va_list args;
    va_start(args, code);
    const BOOLEAN result = vkok_app_escape(code, args);
    va_end(args);
    return result;
}

extern "C" void vko_app_destroy_hook(void) noexcept { vkov_app_destroy(); }
