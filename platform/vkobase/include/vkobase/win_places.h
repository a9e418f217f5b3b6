/* win_places.h: what the Windows services ask of the base library's windows beyond the
 * family tables: where a window lies on the screen, which window lies at a screen point,
 * whether a record is still the window it was, and which modal loop holds the input. */
#ifndef VKOBASE_WIN_PLACES_H
#define VKOBASE_WIN_PLACES_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The deepest visible window at a screen point; the screen window when no other is there. */
VKOBASE_API WINDOW vkov_win_at_screen_point(s_pnt pnt) VKOBASE_NOEXCEPT;

/* The window's client origin on the screen in *origin; FALSE for a window that is not live. */
VKOBASE_API BOOLEAN vkov_win_client_origin(WINDOW win, s_pnt* origin) VKOBASE_NOEXCEPT;

/* The window's client area in its parent's client coordinates; FALSE when not live. */
VKOBASE_API BOOLEAN vkov_win_get_placement(WINDOW win, s_rct* rct) VKOBASE_NOEXCEPT;

/* A number no other window made in this run shares; 0 for a record that is not live. It
 * tells a window from a later one made at the same address. */
VKOBASE_API uint64_t vkov_win_created_order(WINDOW win) VKOBASE_NOEXCEPT;

/* The size of the X display's screen in pixels; FALSE when no display is open. */
VKOBASE_API BOOLEAN vkov_display_screen_size(int* width, int* height) VKOBASE_NOEXCEPT;

/* The window of the innermost running modal loop, null when none runs. */
VKOBASE_API WINDOW vkov_app_innermost_modal(void) VKOBASE_NOEXCEPT;

/* Whether the user's input for the window is kept back now (a modal loop of another window,
 * or a dialog of another toolkit). */
VKOBASE_API BOOLEAN vkov_app_input_blocked(WINDOW win) VKOBASE_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_WIN_PLACES_H */
