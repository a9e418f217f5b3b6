/* res.h: the program's resources by id: strings, string lists, menu trees, window and dialog
 * definitions, fonts, images and data blocks. Resources are written in a small text format
 * (the program's resources/ folder), compiled into the program at build time by the resource
 * compiler and registered with vkov_res_register_text; more files of the same format may be
 * added at run time. Declared from the table vkobase/res.def. */
#ifndef VKOBASE_RES_H
#define VKOBASE_RES_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/res.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_RES_H */
