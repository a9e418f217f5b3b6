/* str.h: the base library's string and character-set functions. Text is multibyte: one byte
 * per character by default, Windows-1252 when drawn; a test may install a double-byte
 * lead-byte set, after which a lead byte followed by a non-NUL byte is one character.
 * Functions never split a double-byte character. Declared from the table vkobase/str.def. */
#ifndef VKOBASE_STR_H
#define VKOBASE_STR_H

#include <stdarg.h>

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* A wide character: the Unicode code of a single-byte character, or lead byte * 256 + trail
 * byte for a double-byte one. */
typedef uint16_t VKO_WCHAR;
/* A code-set map from vkov_str_create_codeset_map, freed by vkov_str_destroy_codeset_map. */
typedef struct vko_codeset_map *VKO_CSMAP;

/* Kinds of line end answered by vkov_str_find_eol. */
enum { VKO_EOL_CRLF = 0, VKO_EOL_LF = 1, VKO_EOL_NONE = 2, VKO_EOL_CR = 3 };

/* Contracts beyond the table's comments:
 * - Null text is accepted by the counting and conversion functions (answer 0) and by
 *   vkok_str_get_char_size (0); the other functions need their pointers.
 * - copy_n_size and the case conversions write at most dst_size bytes; copy_n_size always
 *   terminates (dst_size > 0); the case conversions terminate when there is room, so a
 *   conversion in place over a text's length leaves its own terminator alone.
 * - duplicate answers a copy in vkov_mem_alloc memory (free it with vkov_mem_free).
 * - find_token skips leading separators and answers the next run of other characters with
 *   its length in *len_bytes (when not null), or null when only separators remain.
 * - find_eol cuts text into lines: the first call names the text, each later call passes
 *   null to go on through the same text. It answers the line (not terminated), its byte
 *   length and VKO_EOL_* kind of the line end that follows it, or null after the last line.
 *   A text that ends with a line end has no empty last line.
 * - get_n_char_count counts the whole characters within n_bytes, and stores the bytes they
 *   take in *bytes_used when not null.
 * - get_char_size answers 1 at the terminator, so a walk by it always advances.
 * - next_char answers s at the terminator; prev_char answers start when pos is not after it.
 * - convert_mb_to_wc answers the bytes of the first character (0 at the terminator, -1 for
 *   a lead byte with no trail byte); convert_wc_to_mb writes the character and a terminator
 *   (dst needs 3 bytes) and answers its bytes, 0 when the character has no encoding.
 * - convert_mbs_to_wcs and convert_wcs_to_mbs answer the characters (bytes) written without
 *   the terminator, which they add when there is room; with a null dst, mbs_to_wcs answers
 *   the count needed. Wide characters without an encoding become '?'.
 * - get_mnemonic copies title without its markers into dst and stores the marked character
 *   (0 when none) in *mnemonic when not null; answers TRUE when a character was marked.
 *   set_mnemonic copies title with '&' doubled and marks the first character equal to
 *   mnemonic ignoring case; answers TRUE when it marked one.
 * - parse_long and parse_ulong clamp to their 32-bit ranges.
 * - vsprintf has the C runtime's contract, positional arguments included: dst must be large
 *   enough.
 * - translate_codeset writes at most dst_size - 1 bytes and a terminator; it answers the
 *   bytes written, or -1 when src did not fit (dst then holds what fitted). Characters that
 *   the target cannot encode become '?'.
 * - match: pattern characters '*' (any run) and '?' (one character), case-sensitive. */

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/str.def"

/* For tests: installs the double-byte lead-byte set as pairs of first and last lead byte,
 * ended by a 0 byte (for example "\x81\x9f\xe0\xfc"); null goes back to single-byte text. */
VKOBASE_API void vkov_str_test_set_lead_bytes(const char *ranges) VKOBASE_NOEXCEPT;

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_STR_H */
