/* windows.h: every Windows service of this library in one include. */
#ifndef WIN32_WINDOWS_H
#define WIN32_WINDOWS_H

#include "win32/kernel.h"
#include "win32/registry.h"
#include "win32/shell.h"
#include "win32/sound.h"
#include "win32/user.h"
#include "win32/wintypes.h"

#endif /* WIN32_WINDOWS_H */
