/* dm.h: the standard dialogs. While the display is open, the file, folder, font, colour and
 * page-setup dialogs are GTK's, modal over the program's front window (its windows keep
 * repainting meanwhile); note, message, warning, error, the question, the string prompt, the
 * drawing-tools chooser, the about box and the fatal exit's message are dialogs of the
 * program's own look, run modally. Without a display a running program gets each dialog's
 * text on standard error and the dialog's default answer. In test mode (vkov_test_is_active)
 * every dialog is recorded (kind and text), and each dialog with a choice to make is answered
 * from a script that the test fills (message boxes take no answer); an empty script gives the
 * default answer, or, with a box hook set, shows the program's own dialog to the test's input.
 * Declared from vkobase/dm.def.
 *
 * Answers and defaults:
 * - ask: 0, 1 or 2 for the first, second or third button (Enter: the first; Escape and the
 *   close box: the one labelled "Cancel" when one is, else the last one given); default 0.
 * - file_open, file_save, dir_sel: 2 when confirmed (the record then names the choice), 1
 *   when cancelled (the default), 0 on failure and for a path too long for the record. A
 *   scripted path "dir/name" sets the file specification's directory and name; one without
 *   '/' only the name. A save asks before replacing a file.
 * - string_prompt: buf with the text typed, or null when cancelled (the default). The field
 *   starts with what buf holds; the typed text is cut to buf_size - 1 bytes.
 * - color_sel, ctools_sel, font_sel, page_setup: TRUE when confirmed (color_sel then stores
 *   the scripted value as the colour), FALSE when cancelled (the default).
 * - fatal_exit and fatal_exit_va show the message and end the process with status 1; in
 *   test mode they throw vkobase::FatalExit instead, which is why they (and with them the
 *   whole family) are declared without noexcept. The other functions never throw. */
#ifndef VKOBASE_DM_H
#define VKOBASE_DM_H

#include <stdarg.h>

#include "vkobase/types.h"

#ifdef __cplusplus
#include <stdexcept>
#include <string>
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params;
#include "vkobase/dm.def"

/* The program ends once the box shown next is answered (damage it cannot go on with): the
 * message boxes shown from now on, like the fatal exit's, take no key in their first moment
 * on the screen, so that the keys of a word the user is typing cannot close them unread; a
 * click answers them at once. */
VKOBASE_API void vkov_dm_program_ending(void) VKOBASE_NOEXCEPT;

/* For tests: queues the answer to the next dialog. result is the dialog's answer (for the
 * BOOLEAN dialogs non-zero is TRUE; for string_prompt non-zero confirms); text is the typed
 * text or chosen path (may be null); value is the chosen colour. */
VKOBASE_API void vkov_dm_test_push_answer(int32_t result, const char *text,
                                          uint32_t value) VKOBASE_NOEXCEPT;
/* For tests: the dialogs shown since the last reset, oldest first. The kind is the function's
 * name without "vkov_dm_post_" ("note", "ask", ...); the text is the formatted message or the
 * prompt (for ask: the message, then the three button labels, each after a '|'). Both null
 * for an index out of range. */
VKOBASE_API int32_t vkov_dm_test_count(void) VKOBASE_NOEXCEPT;
/* For tests: with a hook set, a dialog of the program's own look that no scripted answer
 * answers is shown as in a running program: the hook gets its window (and the dialog's kind)
 * as soon as it is made, and may post the input that answers it; a dialog still open when
 * nothing more can arrive is closed with its cancel answer. A null hook restores the default
 * (no window; the default answer). */
typedef void (*VKO_DM_BOX_HOOK)(WINDOW dialog, const char *kind, void *context);
VKOBASE_API void vkov_dm_test_set_box_hook(VKO_DM_BOX_HOOK hook, void *context) VKOBASE_NOEXCEPT;
VKOBASE_API const char *vkov_dm_test_kind(int32_t index) VKOBASE_NOEXCEPT;
VKOBASE_API const char *vkov_dm_test_text(int32_t index) VKOBASE_NOEXCEPT;

#ifdef __cplusplus
} /* extern "C" */

namespace vkobase {
/* What a fatal exit throws in test mode; what() is the message. */
class VKOBASE_API FatalExit : public std::runtime_error {
public:
    explicit FatalExit(const std::string &message) : std::runtime_error(message) {}
};
} // namespace vkobase
#endif

#endif /* VKOBASE_DM_H */
