/* gmem.h: movable global memory. A handle names a block whose address is valid only while it
 * is locked: take the address afresh from vkov_gmem_lock after every unlock. In the moving
 * mode for tests every unlock that releases the last lock moves the block, so a stale address
 * is caught at once (by the address sanitizer). Declared from vkobase/gmem.def.
 *
 * Contracts:
 * - alloc answers a zero-filled block's handle, null on failure.
 * - lock counts: each lock needs one unlock; unlock answers FALSE for a block not locked.
 * - realloc keeps the handle and the contents (the grown part zero-filled) and answers the
 *   handle, or null on failure with the block unchanged; the block's address changes, also
 *   while it is locked (re-lock it to get the new one, the lock count is kept).
 * - free releases a block whether locked or not; FALSE for a handle that is not live.
 * - Every call answers its neutral value for a null, freed or foreign handle. */
#ifndef VKOBASE_GMEM_H
#define VKOBASE_GMEM_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/gmem.def"

/* For tests: switches the moving mode on or off (off after a reset). */
VKOBASE_API void vkov_gmem_test_set_moving(BOOLEAN moving) VKOBASE_NOEXCEPT;
/* For tests: the lock count of a live block, -1 for anything else. */
VKOBASE_API int32_t vkov_gmem_test_lock_count(GHANDLE handle) VKOBASE_NOEXCEPT;

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_GMEM_H */
