/* app.h: Application: start, event loop, queue, quit, update predicates and the application clock.
 * Declared by the table vkobase/app.def; see the table for the functions. */
#ifndef VKOBASE_APP_H
#define VKOBASE_APP_H

#include <stdarg.h>
#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/app.def"

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_APP_H */
