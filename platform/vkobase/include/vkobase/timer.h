/* timer.h: Timers: periodic timer events for a window; ids are never reused within a run.
 * Declared by the table vkobase/timer.def; see the table for the functions. */
#ifndef VKOBASE_TIMER_H
#define VKOBASE_TIMER_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/timer.def"

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_TIMER_H */
