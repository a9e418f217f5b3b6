// surface_internal.h: the pixels behind drawable windows, for the families of the base library
// that draw (dwin, pict, pmap, print) or show what was drawn (the display). Each surface owner
// (a top-level window, a pixmap, a print window) has one cairo surface; a child window draws
// into its rectangle of its owner's surface. Internal to vkobase. Every call takes any pointer
// and answers null / false for windows that are not live.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "vkobase/types.h"

namespace vkobase {

// The window whose surface a window draws into: itself when it is a top-level window (its
// parent is the screen or the task window), a pixmap or a print window, else the owner of its
// parent. Null for records that are not live.
WINDOW surface_owner(WINDOW win) noexcept;

// The owner's surface, created on first use as a white ARGB image surface of the owner's client
// size, and replaced by a larger or smaller one (keeping the pixels that still fit) when the
// owner was resized since. An attached surface (surface_attach) is answered as it is. Borrowed:
// valid until the next drawing call on that window or its destruction. Null when the window is
// not live or the surface cannot be made.
cairo_surface_t *surface_of(WINDOW owner) noexcept;

// Makes the window draw into the given surface instead of an image surface of its own (print
// windows: one PDF page surface per page). Takes a reference; null detaches (the next drawing
// makes a fresh image surface). Only for surface owners.
void surface_attach(WINDOW owner, cairo_surface_t *surface) noexcept;

// A cairo context ready for drawing into the window: origin at the window's client top-left,
// clipped to the window's client area, to each ancestor's client area up to the owner, and to
// the window's own clip rectangle (vkok_dwin_set_clip). While a picture is being recorded for
// the window (surface_redirect), the context draws into the recording instead. Null when the
// window is not live, is hidden (itself or an ancestor below its owner), or has no surface.
// Release it with surface_end, which destroys the context and tells the display that the
// area was drawn.
cairo_t *surface_begin(WINDOW win) noexcept;
void surface_end(WINDOW win, cairo_t *cr) noexcept;

// A context like surface_begin's that the window keeps for its next drawing calls, as long as
// no window moves, shows or hides, no surface changes and the window's own clip stays: most
// drawing comes in runs of calls on one window. The window owns it: callers leave its state
// as they found it (cairo_save/cairo_restore), do not destroy it, and mark what they drew
// (surface_mark_drawn). Null when surface_begin would answer null, while the window's drawing
// is redirected, or when its owner's surface is not an image (use surface_begin then).
cairo_t *surface_kept_context(WINDOW win) noexcept;
// Every kept context is made again before its next use: call when windows move, show or
// hide, or a surface is replaced, attached or redirected.
void surface_layout_changed() noexcept;

// Where the window's client origin lies on its owner's surface.
s_pnt surface_origin(WINDOW win) noexcept;

// Records that a rectangle of the window (client coordinates; null: its whole client area)
// has new pixels. The display layer learns of it through the hook below.
void surface_mark_drawn(WINDOW win, const s_rct *rct) noexcept;

// The display layer's hook: called with the owner and the changed rectangle in the owner's
// client coordinates each time pixels change. Null (the default) when nothing shows surfaces.
using SurfaceDrawnHook = void (*)(WINDOW owner, const s_rct &area);
void surface_set_drawn_hook(SurfaceDrawnHook hook) noexcept;

// Sends the window's drawing to another surface (a picture's recording surface) whose origin
// is the window's client origin, with no clip beyond the window's own clip rectangle. Takes a
// reference; null ends the redirection. Nothing reaches the window's pixels meanwhile.
void surface_redirect(WINDOW win, cairo_surface_t *target) noexcept;
// The redirection in force, or null (borrowed).
cairo_surface_t *surface_redirect_target(WINDOW win) noexcept;

// Whether drawing calls are logged: only in test mode (nothing reads the log in a real run,
// and keeping it costs every drawing call), and not when a test switched it off.
bool surface_logging() noexcept;
// Adds an entry to the window's drawing log when logging: the operation name, its arguments as
// text, and the window's clip, mode, pen, brush and font as they stand.
void surface_log(WINDOW win, const char *op, const std::string &args) noexcept;

// Decodes a toolkit colour (red in bits 16-23, green 8-15, blue 0-7; the top byte is the
// standard-colour number and does not change the colour) into cairo's 0..1 components.
// VKO_COLOR_UNSET answers false and leaves the outputs alone.
bool surface_color_rgb(COLOR color, double *red, double *green, double *blue) noexcept;

// Provided by the picture family (a weak default answers null): makes a picture of what was
// recorded between vkok_dwin_open_pict and vkok_dwin_close_pict. The recording surface's
// origin is the window's client origin; frame is the picture's frame in those coordinates.
// The picture takes its own reference to the recording.
PICTURE pict_from_recording(cairo_surface_t *recording, const s_rct &frame) noexcept;
// Provided by the picture family (a weak default draws nothing and answers false): replays
// the picture so that its frame fills rct of the context's user space.
bool pict_paint(cairo_t *cr, PICTURE pict, const s_rct &rct) noexcept;
// Provided by the image family (a weak default answers null): the image as a cairo surface,
// in the image's pixel coordinates; the caller destroys the answer.
cairo_surface_t *image_to_surface(IMAGE image) noexcept;

} // namespace vkobase
