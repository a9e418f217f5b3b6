/* pict.h: pictures, recorded drawing that can be replayed into any window, and their data.
 * Declared from the table vkobase/pict.def. A picture is recorded with vkok_dwin_open_pict and
 * vkok_dwin_close_pict and drawn with vkok_dwin_draw_pict, scaled from its frame to the
 * rectangle given. Its data (vkok_pict_lock) is "VKOPICT1", the frame as four little-endian
 * 16-bit values (top, left, bottom, right), then a PNG image of the picture as big as the
 * frame; vkok_pict_create takes such data and sets *error_out to 0, or to 1 for data it cannot
 * read and 2 when memory runs out. */
#ifndef VKOBASE_PICT_H
#define VKOBASE_PICT_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/pict.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_PICT_H */
