// dwin_internal.h: what the drawing modules of the drawable-window family share: colours and
// patterns as cairo sources, and the one way a drawing step reaches a window's pixels in any
// drawing mode. Internal to the dwin family (dwin.cpp, dwin_text.cpp, surface.cpp).
#pragma once

#include <cairo.h>

#include <string>

#include "surface_internal.h"
#include "vkobase/types.h"

namespace vkobase::dwin {

// A drawing step: sets its source and fills, strokes or shows text on the context, whose user
// space is the window's client space.
using Step = void (*)(cairo_t *cr, const void *data);

// Runs one step on the window's pixels in the window's drawing mode. In copy mode the step
// draws as it is; in the raster modes (or, exclusive-or, clear, not-copy) the area the step
// covers (without antialiasing) is combined pixel by pixel with color, the step's colour:
// exclusive-or flips the bits of color XOR the window's background colour (so drawing on the
// background shows color, and drawing twice restores the pixels). Targets that hold no pixels
// (pictures being recorded, PDF pages) take every mode as copy.
//
// A step that sets every state it uses (source, font) and leaves none that another step
// relies on may pass keeps_state: in copy mode it then draws on the window's kept context
// without saving and restoring it, so a text in the font of the text before finds cairo's
// font already resolved (a restore would drop it, and cairo would look it up again).
void run(WINDOW win, COLOR color, Step step, const void *data, bool keeps_state = false) noexcept;

// A toolkit colour as cairo's source; an unset colour takes fallback.
void set_color(cairo_t *cr, COLOR color, COLOR fallback) noexcept;

// Sets the source for a pattern of a pen or brush in color: solid, or one of the hatches
// (8-pixel cells of lines of color over nothing). False for PAT_NONE and PAT_HOLLOW, which draw
// nothing.
bool set_pattern(cairo_t *cr, e_pat pat, COLOR color) noexcept;

// The window's own surface-owner drawing extension: the font the window owns (freed with it).
FONT_OBJ owned_font(WINDOW win) noexcept;
void set_owned_font(WINDOW win, FONT_OBJ font) noexcept; // takes it over

// Formats arguments for the drawing log.
std::string fmt_rect(const s_rct *rct);
std::string fmt_pnt(s_pnt pnt);

} // namespace vkobase::dwin
