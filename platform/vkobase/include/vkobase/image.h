/* image.h: in-memory images: colour tables, pixels, scan lines, transfers, and reading and
 * writing BMP, PICT, XBM and XPM files and streams. Declared from the table
 * vkobase/image.def. Until drawing lands every function answers its neutral value (no image
 * is created or read). */
#ifndef VKOBASE_IMAGE_H
#define VKOBASE_IMAGE_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/image.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_IMAGE_H */
