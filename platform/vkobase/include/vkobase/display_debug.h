/* display_debug.h: what people and tests use to see what the X display shows while the
 * application runs on a server: whether a display is open, and a screenshot of the whole
 * screen as a PNG file. Headless, both answer FALSE and do nothing. */
#ifndef VKOBASE_DISPLAY_DEBUG_H
#define VKOBASE_DISPLAY_DEBUG_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* TRUE while the application shows its windows on an X server. */
VKOBASE_API BOOLEAN vkov_display_is_open(void) VKOBASE_NOEXCEPT;

/* Shows what was drawn, waits until the server has it, and writes the whole screen (the root
 * window, every window on it) to a PNG file. FALSE when no display is open or the file cannot
 * be written. */
VKOBASE_API BOOLEAN vkov_display_screenshot(const char* png_path) VKOBASE_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_DISPLAY_DEBUG_H */
