// ccmdnums.h: the framework's own command numbers that views, controls, data binding and the
// program share, one name each. Data binding uses the same numbers as the tags of its values.
#pragma once

// No command: a view's click and double-click commands, palette, menu-button and drag-sink
// commands default to it and send nothing. It is also the drag type of an attachment and, in
// data binding, the tag of a value cleared or of no selection and the context of a value that
// has none of its own (such a value never reaches a notifier's controller).
inline constexpr long kNoCommand = 20003;
// The data-binding tag of a control's value: its text, its selection or its position.
inline constexpr long kTagValue = 20002;
// Asks a view or control to report its value to its bound controller.
inline constexpr long kCommandReportValue = 20011;
