/* image.h: in-memory images: colour tables, pixels, scan lines, transfers, and reading and
 * writing image files and streams. Declared from the table vkobase/image.def. BMP (1, 4, 8,
 * 24 and 32 bits, uncompressed), PNG (files), XPM and XBM are read; BMP is written.
 * PICT is neither read nor written: those calls answer null and FALSE. */
#ifndef VKOBASE_IMAGE_H
#define VKOBASE_IMAGE_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Image formats. An indexed image has a colour table of up to 256 entries and one byte per
 * pixel in its scan lines; a colour image has no table and one 32-bit word per pixel, red in
 * bits 16-23, green 8-15 and blue 0-7 (native byte order). Scan lines run top to bottom. */
enum { VKO_IMAGE_INDEXED = 1, VKO_IMAGE_RGB = 2 };
/* A new image has every pixel 0: a new indexed image's table holds black and white, so its
 * pixels start black. Setting a pixel of an indexed image picks the nearest table entry;
 * reading one answers the entry as it was set. Colour images drop the standard-colour byte.
 * Images are at most 16384 pixels a side and 16777216 pixels in all; colour tables at most
 * 256 entries. */

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/image.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_IMAGE_H */
