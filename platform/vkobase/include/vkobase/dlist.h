/* dlist.h: Doubly linked lists of unowned items.
 * Declared by the table vkobase/dlist.def; see the table for the functions. */
#ifndef VKOBASE_DLIST_H
#define VKOBASE_DLIST_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/dlist.def"

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_DLIST_H */
