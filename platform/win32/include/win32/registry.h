/* registry.h: reading the registry's shell commands. Linux has no registry: the keys that
 * name a web browser's open command ("htmlfile\shell\open\command", "http\shell\open\command"
 * and "https\shell\open\command" under HKEY_CLASSES_ROOT, in any case) exist when a browser
 * opener (xdg-open, sensible-browser or x-www-browser) is found on PATH, and their default
 * value is the text "\"<opener path>\" \"%1\"" (REG_SZ). Every other key is missing.
 * - RegOpenKeyExA answers ERROR_SUCCESS and a key handle to close with RegCloseKey, or
 *   ERROR_FILE_NOT_FOUND.
 * - RegQueryValueExA reads the default value (name null or ""): with data null it answers the
 *   size needed; with a buffer too small, ERROR_MORE_DATA and the size needed; the size counts
 *   the terminator. Other names: ERROR_FILE_NOT_FOUND. A handle that is not open:
 *   ERROR_INVALID_HANDLE. */
#ifndef WIN32_REGISTRY_H
#define WIN32_REGISTRY_H

#include "win32/wintypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000u)
#define KEY_QUERY_VALUE 0x0001u
#define REG_SZ 1u

WIN32_API LONG RegOpenKeyExA(HKEY root, LPCSTR sub_key, DWORD options, REGSAM access,
                             PHKEY result) WIN32_NOEXCEPT;
WIN32_API LONG RegQueryValueExA(HKEY key, LPCSTR value_name, LPDWORD reserved, LPDWORD type,
                                LPBYTE data, LPDWORD size) WIN32_NOEXCEPT;
WIN32_API LONG RegCloseKey(HKEY key) WIN32_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* WIN32_REGISTRY_H */
