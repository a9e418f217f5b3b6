/* pmap.h: pixmaps, off-screen window records (flag 0x400) that the dwin family draws into.
 * Declared from the table vkobase/pmap.def. Until drawing lands vkok_pmap_create answers
 * null. */
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
