// kernel.cpp: the module file name from /proc/self/exe and the kept error mode.
#include "win32/kernel.h"

#include <unistd.h>

#include <cstring>

#include "win32_internal.h"

namespace {

struct KernelState {
    UINT error_mode = 0;
};
KernelState g_kernel;

} // namespace

void win32::reset_kernel() noexcept {
    g_kernel = KernelState{};
}

extern "C" {

DWORD GetModuleFileNameA(HMODULE, LPSTR buf, DWORD size) noexcept {
    if (buf == nullptr || size == 0)
        return 0;
    char path[4096];
    const ssize_t len = readlink("/proc/self/exe", path, sizeof path);
    if (len <= 0 || static_cast<size_t>(len) >= sizeof path) {
        buf[0] = '\0';
        return 0;
    }
    if (static_cast<DWORD>(len) >= size) {
        // Cut to fit, terminated, and the full size answered as the platform does.
        std::memcpy(buf, path, size - 1);
        buf[size - 1] = '\0';
        return size;
    }
    std::memcpy(buf, path, static_cast<size_t>(len));
    buf[len] = '\0';
    return static_cast<DWORD>(len);
}

UINT SetErrorMode(UINT mode) noexcept {
    const UINT previous = g_kernel.error_mode;
    g_kernel.error_mode = mode;
    return previous;
}

} // extern "C"
