/* font.h: font objects (family, style, size, native description), mapping a font to a
 * window, metrics and serialisation. Declared from the table vkobase/font.def, plus the call
 * that extends the family mapping table.
 *
 * A font is a family name, style bits and a size in points. Family names are the library's
 * own: "helvetica", "times", "courier", "system" and the dictionary's families map to the
 * installed DejaVu faces; any other family maps to DejaVu Sans. On screen a point is 4/3 of
 * a pixel (96 dots per inch).
 *
 * The native description and the serialised form are one text: "01\family\style\size\"
 * (a two-digit format version, then the family, the style number and the point size in
 * decimal, each ended by a backslash), for example "01\helvetica\1\10\". A font's
 * description follows its attributes; a text that does not parse is kept as given, changes
 * no attribute, and makes vkov_font_has_valid_native_desc answer FALSE. */
#ifndef VKOBASE_FONT_H
#define VKOBASE_FONT_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Style bits of vkov_font_get_style and set_style. */
enum { VKO_FS_NONE = 0, VKO_FS_BOLD = 1, VKO_FS_ITALIC = 2, VKO_FS_UNDERLINE = 4 };
/* Part mask of vkov_font_copy: a bit per part; -1 copies every part. The window part copies
 * the window the font is bound to and whether it is mapped. */
enum {
    VKO_FONT_PART_FAMILY = 1,
    VKO_FONT_PART_STYLE = 2,
    VKO_FONT_PART_SIZE = 4,
    VKO_FONT_PART_NATIVE_DESC = 8,
    VKO_FONT_PART_APP_DATA = 16,
    VKO_FONT_PART_WIN = 32,
    VKO_FONT_PART_ALL = -1
};

/* The test font's family. Its every glyph advances half the pixel size and, but for the
 * space, is a filled box from the baseline up to the ascent, 3/8 of the pixel size wide;
 * ascent 3/4, descent 1/4, leading 0. A 12-point test font on screen is 16 pixels: advance 8,
 * box 6 x 12, ascent 12, descent 4. Font maps do not offer it. */
#define VKO_FONT_TEST_FAMILY "vkotest"

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/font.def"

/* Maps a family name (any case) to an installed face family, or to VKO_FONT_TEST_FAMILY,
 * replacing the mapping it had; fonts already made take the new face at their next use.
 * Answers FALSE, changing nothing, when either name is null or empty. */
VKOBASE_API BOOLEAN vkov_font_add_family_mapping(const char* family,
                                                 const char* face_family) VKOBASE_NOEXCEPT;

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_FONT_H */
