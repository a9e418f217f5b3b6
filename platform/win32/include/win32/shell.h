/* shell.h: starting a document or address with the system's opener.
 * ShellExecuteA with the verb "open" (or null) starts the browser opener (see registry.h) on
 * file, in directory dir when given, without a shell and without waiting for it; parameters
 * and the show state do not apply to it. It answers a value above 32 when the opener started,
 * SE_ERR_FNF when file is null or the opener could not be run, SE_ERR_NOASSOC when there is
 * no opener or the verb is not "open". In test mode the call is recorded instead (see
 * testing.h). */
#ifndef WIN32_SHELL_H
#define WIN32_SHELL_H

#include "win32/wintypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SE_ERR_FNF 2
#define SE_ERR_NOASSOC 31

WIN32_API HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                  LPCSTR dir, INT show) WIN32_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* WIN32_SHELL_H */
