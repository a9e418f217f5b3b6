/* user.h: the user-interface services: character stepping over the base library's multibyte
 * text, the help viewer call, and window lookup by screen point.
 * - CharNextA answers the next character (cur itself at the terminator); CharPrevA the
 *   character before cur, or start when cur is not after it.
 * - WinHelpA records the request (file, command, data; the key text of HELP_PARTIALKEY is
 *   copied) and hands it to the help viewer, a window that shows the topics of the help file
 *   (its text format is described in src/help_file.h): HELP_CONTENTS the contents topic,
 *   HELP_CONTEXT the topic with the number in data, HELP_PARTIALKEY the keyword search for
 *   the text in data (the topic itself when one topic answers it), HELP_HELPONHELP how to
 *   use the viewer; HELP_QUIT closes it. A file that cannot be read shows a message there.
 *   Answers TRUE; FALSE without a file for a command other than HELP_QUIT, or when the
 *   viewer's window cannot be made.
 * - WindowFromPoint answers the window in front at a screen point (the screen window when no
 *   other is there); ClientToScreen turns a point of a window's client area into screen
 *   coordinates and answers FALSE for a handle that is not a live window. */
#ifndef WIN32_USER_H
#define WIN32_USER_H

#include "win32/wintypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define HELP_CONTEXT 0x0001u
#define HELP_QUIT 0x0002u
#define HELP_CONTENTS 0x0003u
#define HELP_HELPONHELP 0x0004u
#define HELP_PARTIALKEY 0x0105u

WIN32_API LPSTR CharNextA(LPCSTR cur) WIN32_NOEXCEPT;
WIN32_API LPSTR CharPrevA(LPCSTR start, LPCSTR cur) WIN32_NOEXCEPT;
WIN32_API BOOL WinHelpA(HWND owner, LPCSTR help_file, UINT command, ULONG_PTR data) WIN32_NOEXCEPT;
WIN32_API HWND WindowFromPoint(POINT point) WIN32_NOEXCEPT;
WIN32_API BOOL ClientToScreen(HWND hwnd, LPPOINT point) WIN32_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* WIN32_USER_H */
