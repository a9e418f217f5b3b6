/* scr.h: Screen: beep, pointer shapes, top-level windows and the keyboard focus.
 * Declared by the table vkobase/scr.def; see the table for the functions. */
#ifndef VKOBASE_SCR_H
#define VKOBASE_SCR_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/scr.def"

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_SCR_H */
