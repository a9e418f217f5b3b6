/* iostr.h: streams that image readers and writers use, made over an open C-runtime file or
 * over a caller's context with its own callbacks. A read stream is read strictly in order:
 * it never goes back, and skipping moves forward only. The stream owns neither the file nor
 * the context. Declared from vkobase/iostr.def.
 *
 * Contracts:
 * - create_fread needs file and read (read_line, seek and tell may be null); create_fwrite
 *   needs file and write; create_read needs context and read (skip may be null: skipping
 *   then reads and drops); create_write needs context and write. Null otherwise.
 * - read answers the bytes delivered (fewer at the end of the data); skip the bytes passed;
 *   read_line reads up to and with '\n' (at most buf_size - 1 bytes, terminated) and answers
 *   buf, or null at the end; write answers the bytes taken. Each answers its neutral value on
 *   a stream of the other direction, a dead stream or a negative count; a callback that
 *   claims more bytes than were asked for counts as the count asked.
 * - get_pos answers the bytes read, skipped or written so far.
 * - destroy and get_context accept null and dead streams (nothing, null). */
#ifndef VKOBASE_IOSTR_H
#define VKOBASE_IOSTR_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef s_vko_iostream *VKO_IOSTREAM;

/* Callbacks over a C-runtime file, shaped like fread, fgets, fseek, ftell and fwrite with the
 * file last (or first, as those functions have it). */
typedef size_t (*VKO_IOSTR_FREAD)(void *buf, size_t size, size_t count, void *file);
typedef char *(*VKO_IOSTR_FGETS)(char *buf, int size, void *file);
typedef int (*VKO_IOSTR_FSEEK)(void *file, long offset, int origin);
typedef long (*VKO_IOSTR_FTELL)(void *file);
typedef size_t (*VKO_IOSTR_FWRITE)(const void *buf, size_t size, size_t count, void *file);
/* Callbacks over a caller's context: asked for n bytes, each answers the count delivered,
 * skipped or taken (0 or less: the end, or an error). */
typedef int32_t (*VKO_IOSTR_READ)(void *context, void *buf, int32_t n_bytes);
typedef int32_t (*VKO_IOSTR_SKIP)(void *context, int32_t n_bytes);
typedef int32_t (*VKO_IOSTR_WRITE)(void *context, const void *buf, int32_t n_bytes);

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/iostr.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_IOSTR_H */
