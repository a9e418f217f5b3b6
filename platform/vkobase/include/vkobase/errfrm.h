/* errfrm.h: Error frame: nested names of the running entry points.
 * Declared by the table vkobase/errfrm.def; see the table for the functions. */
#ifndef VKOBASE_ERRFRM_H
#define VKOBASE_ERRFRM_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/errfrm.def"

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_ERRFRM_H */
