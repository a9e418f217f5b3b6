/* list.h: the items and selection of native list controls: list boxes (type 19), which may
 * hold several selected items, and list buttons (20) and list edits (21), which hold at most
 * one; selecting an item of a list edit also puts its text into the edit field. Declared from
 * the table vkobase/list.def. */
#ifndef VKOBASE_LIST_H
#define VKOBASE_LIST_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/list.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_LIST_H */
