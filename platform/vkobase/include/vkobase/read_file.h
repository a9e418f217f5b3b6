/* read_file.h: opening a file to read it, whatever its name stands for. A name may be a FIFO,
 * a device or a link to one (/dev/zero, /dev/urandom): opening a FIFO waits for a writer and
 * reading a device never ends. The open never waits, and only a regular file is handed back;
 * what was opened is looked at through its descriptor, so a name changed meanwhile cannot
 * slip past. */
#ifndef VKOBASE_READ_FILE_H
#define VKOBASE_READ_FILE_H

#include <stdio.h>

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Why a file was not opened. */
enum {
    VKO_READ_OPENED = 0,
    VKO_READ_CANNOT_OPEN = 1, /* missing, not permitted and the like: errno says which */
    VKO_READ_FOLDER = 2,
    VKO_READ_NOT_REGULAR = 3  /* a FIFO, a device or a socket */
};

/* Opens path to read as a binary stream, blocking again for the reads; the caller closes
 * it. Null when refused, *refusal (when not null) saying why. */
VKOBASE_API FILE *vkov_open_to_read(const char *path, int32_t *refusal) VKOBASE_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_READ_FILE_H */
