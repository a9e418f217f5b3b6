/* pmap.h: pixmaps, off-screen window records (flag 0x400) that the dwin family draws into.
 * Declared from the table vkobase/pmap.def. vkok_pmap_create answers a hidden window of type
 * W_PIXMAP of the given size, white, taking the drawing tools of the window it is made for;
 * null for a dead window or a size that is not positive. Destroy it with vkok_vobj_destroy. */
#ifndef VKOBASE_PMAP_H
#define VKOBASE_PMAP_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/pmap.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_PMAP_H */
