/* cxo.h: Class-extension objects: per-window event filters chained under class names.
 * Declared by the table vkobase/cxo.def; see the table for the functions. */
#ifndef VKOBASE_CXO_H
#define VKOBASE_CXO_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/cxo.def"

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_CXO_H */
