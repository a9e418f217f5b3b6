// web_launcher.cpp: registry probes for the browser's open commands, and the shell's open.
#include "app/shell/web_launcher.h"

#include <cstdint>

#include "win32/registry.h"
#include "win32/shell.h"

namespace {

// 1 when the default value of key under HKEY_CLASSES_ROOT reads as non-empty text that
// fits in 512 bytes.
int HasTextCommand(const char* key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS ||
        handle == nullptr)
        return 0;
    BYTE value[512];
    DWORD size = sizeof value;
    DWORD type = 0;
    const LONG read = RegQueryValueExA(handle, nullptr, nullptr, &type, value, &size);
    RegCloseKey(handle);
    return read == ERROR_SUCCESS && size != 0 && type == REG_SZ ? 1 : 0;
}

} // namespace

int WebLauncher::HasHtmlFileCommand() const
{
    return HasTextCommand("htmlfile\\shell\\open\\command");
}
int WebLauncher::HasHttpCommand() const { return HasTextCommand("http\\shell\\open\\command"); }
int WebLauncher::HasHttpsCommand() const { return HasTextCommand("https\\shell\\open\\command"); }

int WebLauncher::Open(const char* address) const
{
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<std::intptr_t>(result) > 32 ? 1 : 0;
}
