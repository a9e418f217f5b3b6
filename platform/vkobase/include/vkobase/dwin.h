/* dwin.h: drawing into windows and pixmaps: tools, shapes, text, images, pictures, clipping,
 * invalidation, scrolling and updating, and the window's font. Declared from the table
 * vkobase/dwin.def. Until drawing lands the functions answer their neutral values (nothing
 * is drawn); a function that another module of the library implements for real (update
 * regions are kept with the windows) overrides its neutral answer. */
#ifndef VKOBASE_DWIN_H
#define VKOBASE_DWIN_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* vkov_dwin_set_std_cpen takes a standard pen 1 to 4, vkov_dwin_set_std_cbrush a standard
 * brush 0 or 1. */

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/dwin.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_DWIN_H */
