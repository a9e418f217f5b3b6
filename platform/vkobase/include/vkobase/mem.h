/* mem.h: the base library's plain memory. Every block the library hands out to be freed by
 * the caller (duplicated strings, colour lists, menu trees) comes from vkov_mem_alloc or
 * vkov_mem_zalloc and goes back through vkov_mem_free. Declared from vkobase/mem.def.
 *
 * Contracts:
 * - alloc, zalloc and realloc answer null on failure (realloc then leaves the block as it
 *   was); a size of 0 still answers a distinct block. free and realloc accept null.
 * - rep writes count copies of the src_size bytes at src to dst (which must hold
 *   src_size * count bytes) and answers dst; null when a pointer is null or the total
 *   overflows.
 * - get_functions answers the installed table (a copy the library keeps), null while none is
 *   installed; set_functions copies the given table, or installs the C runtime's with null.
 *   Entries left null fall back to the C runtime's. Blocks must be freed through the table
 *   that was installed when they were allocated. */
#ifndef VKOBASE_MEM_H
#define VKOBASE_MEM_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/mem.def"

/* For tests: the next `successes` allocations of plain and global memory succeed and the one
 * after them fails (once); a negative count switches failure injection off. */
VKOBASE_API void vkov_mem_test_fail_after(int32_t successes) VKOBASE_NOEXCEPT;

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_MEM_H */
