/* rect.h: Rectangles: arithmetic, repair of unsound rectangles and unit conversion.
 * Declared by the table vkobase/rect.def; see the table for the functions. */
#ifndef VKOBASE_RECT_H
#define VKOBASE_RECT_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/rect.def"

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_RECT_H */
