/* cb.h: the clipboard, kept in the process. It holds at most one datum per format: text
 * (CB_TEXT), a picture's data (CB_PICT) and application data (CB_APPL) under a name of which
 * the first VKO_CB_NAME_SIZE bytes count. Data goes in and out through one transfer buffer.
 * Declared from vkobase/cb.def.
 *
 * Contracts:
 * - open(TRUE) opens for writing and empties the clipboard; open(FALSE) opens for reading.
 *   Both answer FALSE while it is already open; close answers FALSE when it was not open, and
 *   frees the transfer buffer.
 * - alloc_data answers a zero-filled transfer buffer of size bytes (replacing the previous
 *   one), free_data frees it.
 * - put_data (open for writing): for CB_TEXT and CB_APPL the datum is the first size bytes of
 *   the transfer buffer (size larger than the buffer: FALSE); for CB_PICT it is the picture's
 *   data, and the picture then belongs to the clipboard, which destroys it. CB_APPL needs a
 *   name. pict is ignored for the other formats.
 * - has_format answers whether a datum of the format (and, for CB_APPL, the name) is held; it
 *   needs no open clipboard.
 * - get_data (open): answers a copy of the datum in the transfer buffer and its size through
 *   size; the copy lives until free_data, the next get_data or alloc_data, or close. Text is
 *   terminated one byte past its size. Null when there is no such datum.
 * - put_text_utf8 (open for writing) puts text that holds characters beyond the program's code
 *   page (the phonetic font's letters): the system's clipboard gets the UTF-8 (lines ended by
 *   LF), the CB_TEXT datum its Windows-1252 form. FALSE when not open for writing. */
#ifndef VKOBASE_CB_H
#define VKOBASE_CB_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKO_CB_NAME_SIZE 10

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/cb.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_CB_H */
