/* palet.h: colour palettes and mapping them to windows. Declared from the table
 * vkobase/palet.def. Colours are 24-bit RGB values; the standard-colour byte of an added
 * colour is dropped. Refused calls answer 65535 (16-bit results) or null. */
#ifndef VKOBASE_PALET_H
#define VKOBASE_PALET_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Palette types. A fixed palette holds a 6 x 6 x 6 colour cube and 24 greys (the default
 * palette is one; it belongs to the library and destroying it does nothing). A user palette
 * starts empty and takes up to its size (1 to 4096) of the colours the program adds: a colour
 * within the tolerance (0 to 255 in each component) of one already there is not added again.
 * The add calls answer how many colours they added. */
enum { VKO_PALET_FIXED = 1, VKO_PALET_USER = 5 };

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/palet.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_PALET_H */
