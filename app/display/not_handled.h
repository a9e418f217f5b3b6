// not_handled.h: what a program window says of a model update it does not handle.
#pragma once

class FRM_CView;

// Posts the note "Command (<command>) not handled in dependent window <title>".
void PostNotHandled(long command, const FRM_CView& window);
// The same text as an error (the bookmark window reports it so).
void PostNotHandledError(long command, const FRM_CView& window);
