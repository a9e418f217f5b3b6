/* errmsg.h: Error reports: one line on standard error by default; tests capture them through
 * testing.h. Declared by the table vkobase/errmsg.def; see the table for the functions. */
#ifndef VKOBASE_ERRMSG_H
#define VKOBASE_ERRMSG_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/errmsg.def"

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_ERRMSG_H */
