// program_start.cpp: the program's entry glue.
#include "app/shell/program_start.h"

#include <csignal>

#include "app/display/kq_list_box.h"
#include "ruk/static/vkoruk.h"
#include "win32/kernel.h"

namespace {
// The program name's buffer: the module file name is cut to it.
constexpr std::size_t kNameSize = 100;
} // namespace

void GetProgramName(char* buffer, std::size_t size)
{
    if (buffer == nullptr || size == 0)
        return;
    buffer[0] = '\0';
    GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
    // Older systems leave a cut name unterminated.
    buffer[size - 1] = '\0';
}

bool TakeCommandLine(int* argc)
{
    if (*argc <= 1)
        return false;
    *argc = 1;
    return true;
}

int RunProgram(int argc, char** argv, MainRoutine mainRoutine)
{
    // A write past the user's file-size limit fails with EFBIG, which the savers and the
    // printer tell and clean up after, instead of ending the program with SIGXFSZ.
    std::signal(SIGXFSZ, SIG_IGN);
    s_startup record{};
    record.argc = argc;
    if (InstallStartupHooks(&record) == 0 || !vkowi_Begin(&record))
        return 0;
    if (vkowi_Init(&record)) {
        char name[kNameSize];
        GetProgramName(name, sizeof name);
        if (argc > 0 && name[0] != '\0')
            argv[0] = name;
        record.result = mainRoutine(argc, argv);
    }
    vkowi_End();
    return record.result;
}
