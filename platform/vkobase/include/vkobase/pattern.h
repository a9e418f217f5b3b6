/* pattern.h: format patterns that validators match and format typed text with. Declared
 * from the table vkobase/pattern.def.
 *
 * The pattern language. A pattern is a run of elements, each matching one character:
 *   9   a digit 0-9
 *   #   a digit or a sign, '+' or '-'
 *   A   a letter (ASCII, and the accented letters of Windows-1252)
 *   a   a letter or a digit
 *   U   a letter; formatting turns it upper case, matching wants it upper case
 *   L   a letter; formatting turns it lower case, matching wants it lower case
 *   ?   any character
 *   \c  the character c itself (so "\9" is a literal nine)
 *   any other character stands for itself, a literal: "(999) 999-9999", "99/99/9999".
 * A class element (one of 9 # A a U L ?) followed by '*' matches any number of such
 * characters, none included: "U*" is a run of capitals, "9*" any number. A pattern that is
 * empty, ends in a lone backslash, is longer than 255 bytes, or puts '*' anywhere but after a
 * class element is refused: vkov_pattern_create answers null.
 *
 * vkov_pattern_match answers TRUE when the whole text matches the whole pattern, and sets
 * *fail_pos to -1; otherwise FALSE with *fail_pos the offset of the first character that
 * cannot be part of a match (the text's length when the text is a correct but unfinished
 * start).
 *
 * vkov_pattern_format_string formats typed text as it is typed: going along the pattern, a
 * literal is taken from the text when the text has it there and put in when it does not; a
 * class element takes the next character when it fits (with its case turned for U and L); a
 * character that fits nowhere is dropped. After the last typed character, auto-complete
 * appends the literals that come next in the pattern. The result goes into buf (always
 * zero-terminated when buf_size > 0), and *first and *last (a selection in the text, offsets
 * 0 to its length) are moved to the same places in the result. Answers TRUE when every
 * character found its place and the result fit in buf, else FALSE (buf holds what fit). */
#ifndef VKOBASE_PATTERN_H
#define VKOBASE_PATTERN_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/pattern.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_PATTERN_H */
