/* pattern.h: format patterns that validators match and format typed text with. Declared
 * from the table vkobase/pattern.def. Until drawing lands (the pattern language comes with
 * it) every function answers its neutral value: no pattern is created. */
#ifndef VKOBASE_PATTERN_H
#define VKOBASE_PATTERN_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/pattern.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_PATTERN_H */
