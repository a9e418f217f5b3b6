// errmsg.cpp: the report call. By default every report is one line on standard error naming
// the innermost entry point; a test hook (testing.h) takes the reports instead.
#include "vkobase/errmsg.h"

#include <cstdio>

#include "vkobase/testing.h"

namespace {

struct ErrmsgState {
    VKO_ERRMSG_HOOK hook = nullptr;
    void *context = nullptr;
};

ErrmsgState &state() noexcept {
    static ErrmsgState s;
    return s;
}

} // namespace

void vkobase_reset_errmsg() noexcept {
    state() = ErrmsgState{};
}

extern "C" {

void vkov_errmsg_dispatch(WINDOW obj, int32_t severity, uint32_t code, const char *module,
                          int32_t line) noexcept {
    if (state().hook != nullptr) {
        state().hook(obj, severity, code, module, line, state().context);
        return;
    }
    const char *api = vkov_test_errfrm_top();
    std::fprintf(stderr, "vkobase: %s error 0x%X in %s, module %s, line %d, object %p\n",
                 severity >= 2 ? "refused" : "repaired", static_cast<unsigned>(code),
                 api != nullptr && *api != '\0' ? api : "(no call)",
                 module != nullptr ? module : "?", static_cast<int>(line),
                 static_cast<void *>(obj));
}

VKOBASE_API void vkov_test_set_errmsg_hook(VKO_ERRMSG_HOOK hook, void *context) noexcept {
    state().hook = hook;
    state().context = context;
}

} // extern "C"
