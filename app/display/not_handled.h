// not_handled.h: the commands a program window does not handle: the framework's echoes it
// takes without a word, and what it says of a model update it does not handle.
#pragma once
#include "frm/core/ccmdnums.h"

class FRM_CView;

// The framework's own numbers that reach a window's DoCommand from its controls and data
// binding with nothing for the window to do: a control's value and "no command". The
// window takes them and passes nothing on.
inline bool IsFrameworkEcho(long command)
{
    return command == kTagValue || command == kNoCommand;
}

// Posts the note "Command (<command>) not handled in dependent window <title>".
void PostNotHandled(long command, const FRM_CView& window);
// The same text as an error (the bookmark window reports it so).
void PostNotHandledError(long command, const FRM_CView& window);
