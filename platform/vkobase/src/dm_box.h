// dm_box.h: the simple standard dialogs in the program's own look: a modal dialog built from
// definitions with the native controls (an icon drawn beside the message, the message in
// static texts, an edit field for a prompt, check boxes and radio buttons, push buttons),
// run with the base library's modal loop until a button, Enter, Escape or the close box
// answers it. Internal to vkobase.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vkobase/types.h"

namespace vkobase::dm {

enum class Icon { kNone, kInfo, kWarning, kError, kQuestion };

// A control of a dialog besides its message and buttons.
struct Field {
    e_win_type type = WC_EDIT; // WC_EDIT, WC_CHECKBOX, WC_RADIOBUTTON or WC_TEXT (a label)
    std::string text;          // the label, or the edit field's starting text
    bool checked = false;
};

struct Box {
    std::string kind; // the dialog's name for tests ("note", "ask", ...)
    std::string title;
    std::string message; // lines end at '\n' and are wrapped to the dialog's width
    Icon icon = Icon::kNone;
    std::vector<Field> fields;
    std::vector<std::string> buttons; // left to right; the first is the default
    std::vector<std::int32_t> answers; // of each button
    std::int32_t cancel_answer = 0;    // Escape and the close box
    // The program ends once the box is answered: keys typed in its first moment on the
    // screen do not answer it.
    bool ends_program = false;
};

struct BoxAnswer {
    std::int32_t answer = 0;
    std::vector<std::string> texts; // each field's text (edit fields) as it was left
    std::vector<bool> checked;      // each field's check mark
};

// Whether boxes can be shown now: a display is open (outside tests), or a test set its hook.
bool boxes_shown() noexcept;
// Shows the box and runs until it is answered. A box that could not be made answers its
// cancel answer.
BoxAnswer run_box(const Box &box);

} // namespace vkobase::dm
