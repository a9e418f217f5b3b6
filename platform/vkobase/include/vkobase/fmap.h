/* fmap.h: the families, styles and sizes that a window's font map offers. Declared from the
 * table vkobase/fmap.def. Every window offers the families of the mapping table (font.h)
 * but the test font, each plain, bold, italic and bold italic, at any size (scalable). */
#ifndef VKOBASE_FMAP_H
#define VKOBASE_FMAP_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/fmap.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_FMAP_H */
