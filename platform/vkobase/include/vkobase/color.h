/* color.h: Colours: a window's own control-colour set.
 * Declared by the table vkobase/color.def; see the table for the functions. */
#ifndef VKOBASE_COLOR_H
#define VKOBASE_COLOR_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/color.def"

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_COLOR_H */
