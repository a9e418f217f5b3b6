/* kernel.h: the kernel services: the module's file name and the error mode.
 * - GetModuleFileNameA writes the running program's path (any module handle names the one
 *   program) into buf and answers its length; a path that does not fit is cut to size - 1
 *   characters and the call answers size. 0 on failure or for a size of 0.
 * - SetErrorMode keeps the mode and answers the previous one; Linux shows no disk-error
 *   boxes, so the mode changes nothing else. */
#ifndef WIN32_KERNEL_H
#define WIN32_KERNEL_H

#include "win32/wintypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define SEM_FAILCRITICALERRORS 0x0001u
#define SEM_NOOPENFILEERRORBOX 0x8000u

WIN32_API DWORD GetModuleFileNameA(HMODULE module, LPSTR buf, DWORD size) WIN32_NOEXCEPT;
WIN32_API UINT SetErrorMode(UINT mode) WIN32_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* WIN32_KERNEL_H */
