// ccmdnums.h: the framework's own command numbers that views, controls, data binding and the
// program share, one name each. Data binding uses the same numbers as the tags of its values.
// A few classes also use one of these numbers under a name and meaning of their own: the
// switchboard's last-window command to the application (20001), the task document's id
// (20002), the table source's row tags (20004, 20008), the table's and the tree view's events
// (20007, 20008) and a wire frame's select, deselect and size commands (20004 to 20006).
#pragma once

// No command: a view's click and double-click commands, palette, menu-button and drag-sink
// commands default to it and send nothing. It is also the drag type of an attachment and, in
// data binding, the tag of a value cleared or of no selection and the context of a value that
// has none of its own (such a value never reaches a notifier's controller).
inline constexpr long kNoCommand = 20003;
// The data-binding tag of a control's boolean state (a toggle, a check box).
inline constexpr long kTagState = 20001;
// The data-binding tag of a control's value: its text, its selection or its position.
inline constexpr long kTagValue = 20002;
// The data-binding tag of a piece appended to a text, or of an addition to a selection.
inline constexpr long kTagAppend = 20004;
// The data-binding tags of a list's items: cleared, replaced by the value's, or the value's
// appended.
inline constexpr long kTagItemsCleared = 20006;
inline constexpr long kTagItemsReplaced = 20007;
inline constexpr long kTagItemsAppended = 20008;
// Asks a view or control to report its value to its bound controller.
inline constexpr long kCommandReportValue = 20011;
