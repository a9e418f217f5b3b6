/* tx.h: the exported interface of the text-edit engine vkotext: multi-paragraph text edits
 * reached through a handle (TXEDIT). Declared from the table vkotext/tx.def. Fonts returned
 * by vkov_tx_get_font and colour lists returned by vkov_tx_get_native_colors belong to the
 * caller. */
#ifndef VKOTEXT_TX_H
#define VKOTEXT_TX_H

#include "vkobase/types.h"

#define VKOTEXT_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

/* Scroll callback: the text edit, the origin's line number from the top of the text, the total
 * line count and the horizontal origin; a value that did not change comes as 65535. */
typedef void (*VKO_TX_SCROLL_CALLBACK)(TXEDIT tx, uint16_t top_line_no, uint16_t line_count,
                                       uint16_t hor_px);

#define VKOBASE_FN(ret, name, params, args, neutral) VKOTEXT_API ret name params VKOBASE_NOEXCEPT;
#include "vkotext/tx.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOTEXT_TX_H */
