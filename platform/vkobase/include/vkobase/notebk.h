/* notebk.h: notebook controls (type 25): tabs, each holding pages, each page shown through
 * its face window, a child of the notebook. Declared from the table vkobase/notebk.def. */
#ifndef VKOBASE_NOTEBK_H
#define VKOBASE_NOTEBK_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Callback of vkov_notebk_enum_pages: answers FALSE to stop. */
typedef BOOLEAN (*VKO_NOTEBK_ENUM_CALLBACK)(WINDOW nb, int16_t tab, int16_t page, intptr_t data);

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/notebk.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_NOTEBK_H */
