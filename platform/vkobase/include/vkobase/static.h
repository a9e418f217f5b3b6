/* static.h: per-module process blocks. A module describes its block once, in a static
 * descriptor; the first vkok_static_get_ptr for that descriptor allocates the block zeroed and
 * runs the initialiser, later calls answer the same block. The finalisers run in the reverse
 * order of creation when the process exits, or when the tests' reset frees every block.
 * Declared from vkobase/static.def. */
#ifndef VKOBASE_STATIC_H
#define VKOBASE_STATIC_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*VKO_STATIC_HOOK)(void *block);
/* The descriptor: the block's size and its two hooks (either may be null). */
typedef struct s_static_desc {
    uint32_t size;
    VKO_STATIC_HOOK init;
    VKO_STATIC_HOOK fini;
} s_static_desc;

/* Answers the descriptor's block, null for a null descriptor or when memory runs out. */
#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/static.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_STATIC_H */
