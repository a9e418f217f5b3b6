/* win.h: Windows: creation, tree, colours, fonts, cursors, caret, pointer trap, modal loops,
 * dispatch. Declared by the table vkobase/win.def; see the table for the functions. */
#ifndef VKOBASE_WIN_H
#define VKOBASE_WIN_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/win.def"

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_WIN_H */
