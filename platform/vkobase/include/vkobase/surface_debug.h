/* surface_debug.h: what tests and people use to look at drawing: the drawing log kept for
 * every window in test mode (each drawing call with its arguments and the tools in force), the
 * pixels of a window, and a PNG file of them. Pixels are read from the window's owner surface, so a
 * child window shows what was drawn in its rectangle, whoever drew it. */
#ifndef VKOBASE_SURFACE_DEBUG_H
#define VKOBASE_SURFACE_DEBUG_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* One drawing call as the window's log holds it. Texts are cut to their buffers. */
typedef struct vkov_draw_log_entry {
    char op[32];    /* the call without its family prefix: "draw_rect", "draw_text", ... */
    char args[256]; /* its arguments, e.g. "10,20,30,40" (top,left,bottom,right) */
    s_rct clip;     /* the window's clip rectangle (client coordinates) when has_clip */
    BOOLEAN has_clip;
    e_mode mode;
    s_cpen pen;
    s_cbrush brush;
    char font[128]; /* the window's font: family, style and size; empty for the default */
} vkov_draw_log_entry;

/* Entries in the window's log; the log keeps the latest 4096 calls. 0 for dead windows. */
VKOBASE_API int32_t vkov_debug_draw_log_size(WINDOW win) VKOBASE_NOEXCEPT;
/* Copies entry index (0 = oldest kept) into *entry; FALSE when out of range or dead. */
VKOBASE_API BOOLEAN vkov_debug_draw_log_get(WINDOW win, int32_t index,
                                            vkov_draw_log_entry *entry) VKOBASE_NOEXCEPT;
VKOBASE_API void vkov_debug_draw_log_clear(WINDOW win) VKOBASE_NOEXCEPT;
/* Test mode keeps the log unless this switches it off (benchmarks measure drawing as a real
 * run does it, without the log); a reset switches it on again. */
VKOBASE_API void vkov_debug_draw_log_enable(BOOLEAN on) VKOBASE_NOEXCEPT;

/* Size of the window's client area in pixels; FALSE for dead windows. */
VKOBASE_API BOOLEAN vkov_debug_surface_size(WINDOW win, int32_t *width,
                                            int32_t *height) VKOBASE_NOEXCEPT;
/* The pixel at (x, y) of the window's client area as 0xAARRGGBB; 0 outside it, for dead
 * windows and for windows without pixels (before anything was drawn the surface is white). */
VKOBASE_API uint32_t vkov_debug_surface_pixel(WINDOW win, int32_t x, int32_t y) VKOBASE_NOEXCEPT;
/* Writes the window's client area to a PNG file; FALSE when it cannot. */
VKOBASE_API BOOLEAN vkov_debug_surface_write_png(WINDOW win, const char *path) VKOBASE_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_SURFACE_DEBUG_H */
