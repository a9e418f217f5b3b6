/* pict.h: pictures, recorded drawing that can be replayed into any window, and their data.
 * Declared from the table vkobase/pict.def. Until drawing lands every function answers its
 * neutral value (no picture is created). */
#ifndef VKOBASE_PICT_H
#define VKOBASE_PICT_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/pict.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_PICT_H */
