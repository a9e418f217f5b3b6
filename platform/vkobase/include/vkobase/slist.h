/* slist.h: string lists, ordered lists of strings with one 32-bit data word per element. The
 * list owns copies of its texts; element handles stay valid until their element is removed or
 * the list destroyed. Declared from vkobase/slist.def.
 *
 * Contracts:
 * - Every call accepts null, freed and foreign lists and elements and answers its neutral
 *   value for them, except count, which answers 0 for a null list (an empty list) and -1 for
 *   a handle that is not a live list.
 * - add appends. add_at_elt inserts before elt (at the end for a null elt). add_at_pos inserts
 *   so that the text gets index pos (at the end for a negative pos or one past the end).
 *   add_sorted inserts after every element that does not sort after the text (by byte
 *   comparison, or ignoring case); with unique set, a text already present is not added
 *   again and the call answers FALSE.
 * - get and get_elt answer the element's text (owned by the list) and store its data word
 *   through data when not null; get_data answers the address of the element's data word.
 * - debug writes the list, one element a line, to standard error. */
#ifndef VKOBASE_SLIST_H
#define VKOBASE_SLIST_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/slist.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_SLIST_H */
