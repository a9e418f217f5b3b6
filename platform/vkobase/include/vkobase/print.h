/* print.h: print records, the print window, pages, bands and the print loop. Declared from
 * the table vkobase/print.def. Until drawing lands every function answers its neutral value
 * (no record is created, no job runs). */
#ifndef VKOBASE_PRINT_H
#define VKOBASE_PRINT_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The print routine that vkok_print_start_thread runs inside the print loop; it answers
 * TRUE when the job succeeded. */
typedef BOOLEAN (*VKO_PRINT_ROUTINE)(intptr_t data);
/* Page orientations of vkok_print_set_page_orient. */
enum { VKO_PRINT_PORTRAIT = 0, VKO_PRINT_LANDSCAPE = 1 };

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/print.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_PRINT_H */
