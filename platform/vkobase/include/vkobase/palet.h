/* palet.h: colour palettes and mapping them to windows. Declared from the table
 * vkobase/palet.def. Until drawing lands every function answers its neutral value (no
 * palette is created). */
#ifndef VKOBASE_PALET_H
#define VKOBASE_PALET_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The palette type to which colours may be added. */
enum { VKO_PALET_USER = 5 };

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/palet.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_PALET_H */
