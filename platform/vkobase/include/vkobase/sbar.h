/* sbar.h: scroll bars: a window's own horizontal and vertical bars (those its style flags 0x4
 * and 0x8 give it) and scroll-bar controls. A new bar has the range 0 to 100, position 0 and
 * proportion 1. Declared from the table vkobase/sbar.def. */
#ifndef VKOBASE_SBAR_H
#define VKOBASE_SBAR_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Kinds of scroll bar. */
enum { VKO_SBAR_HORZ = 0, VKO_SBAR_VERT = 1, VKO_SBAR_CONTROL = 2 };

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/sbar.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_SBAR_H */
