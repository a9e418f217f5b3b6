// frmerror.cpp: the fatal report and its test hook (the module's one piece of state).
#include "frm/core/frmerror.h"

#include "frm/core/cstringrw.h"
#include "ruk/static/vkoruk.h"

namespace {
constexpr char kBuiltInFormat[] = "Vko-Frame++ Error: #%ld, File:%s, Line:%d";
constexpr int kFormatStringId = 32123;

struct ErrorState {
    FrmErrorHook hook = nullptr;
    void* context = nullptr;
};
ErrorState state;

// Hands the report to the hook; false when none is installed.
bool Hooked(long code, const char* file, int line)
{
    if (state.hook == nullptr)
        return false;
    state.hook(code, file != nullptr ? file : "", line, state.context);
    return true;
}
} // namespace

void FrmError(long code, const char* file, int line)
{
    if (Hooked(code, file, line))
        return;
    vko_dm_post_fatal_exit(kBuiltInFormat, code, file != nullptr ? file : "", line);
}

void DoFrmError(long code, const char* file, int line)
{
    if (Hooked(code, file, line))
        return;
    const FRM_CStringRW format(kFormatStringId);
    // Without the program's string the report would show nothing: keep the built-in form.
    vko_dm_post_fatal_exit(format.isNull() ? kBuiltInFormat : format.data(), code,
                           file != nullptr ? file : "", line);
}

void FrmSetErrorHook(FrmErrorHook hook, void* context)
{
    state.hook = hook;
    state.context = hook != nullptr ? context : nullptr;
}
