/* font.h: font objects (family, style, size, native description), mapping a font to a
 * window, metrics and serialisation. Declared from the table vkobase/font.def.
 * Until drawing lands every function answers its neutral value (vkov_font_create answers
 * null, so no font is ever valid). */
#ifndef VKOBASE_FONT_H
#define VKOBASE_FONT_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Style bits of vkov_font_get_style and set_style. */
enum { VKO_FS_NONE = 0, VKO_FS_BOLD = 1, VKO_FS_ITALIC = 2, VKO_FS_UNDERLINE = 4 };
/* Part mask of vkov_font_copy: -1 copies every part. */
enum { VKO_FONT_PART_ALL = -1 };

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/font.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_FONT_H */
