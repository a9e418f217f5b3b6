/* wintypes.h: the Windows-style scalar and handle types that the Windows services of this
 * library use, defined for Linux: 32-bit DWORD, UINT and LONG, pointer-sized handles. A HWND
 * is the address of the base library's window record (a WINDOW). */
#ifndef WIN32_WINTYPES_H
#define WIN32_WINTYPES_H

#include <stddef.h>
#include <stdint.h>

#define WIN32_API __attribute__((visibility("default")))

#ifdef __cplusplus
#define WIN32_NOEXCEPT noexcept
#else
#define WIN32_NOEXCEPT
#endif

typedef int BOOL;
typedef int INT;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef int32_t LONG;
typedef uintptr_t ULONG_PTR;
typedef char CHAR;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef BYTE *LPBYTE;
typedef DWORD *LPDWORD;
typedef DWORD REGSAM;

typedef struct HWND__ *HWND;
typedef struct HINSTANCE__ *HINSTANCE;
typedef HINSTANCE HMODULE;
typedef struct HKEY__ *HKEY;
typedef HKEY *PHKEY;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *LPPOINT;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

/* Error codes answered by the registry calls. */
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MORE_DATA 234L

#endif /* WIN32_WINTYPES_H */
