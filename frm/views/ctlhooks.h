// ctlhooks.h: what a window asks of the native-control kinds, which live above the view tree:
// a control for one item of a window resource, and the hand-over of a control event to a
// native text edit. The controls fill these in when the library loads; without them a window
// makes no controls from its resource and hands no events to text edits.
#pragma once

#include "vkobase/types.h"

class FRM_CObjectRWC;
class FRM_CSubview;
class FRM_CView;

namespace frm_views {

struct ControlHookSet {
    // A native control for a resource item of the given type, or null for a type that makes
    // none.
    FRM_CView* (*constructControl)(FRM_CSubview* theParent, long theType, long theResourceId,
                                   long theItem) = nullptr;
    void (*hitNativeTextEdit)(FRM_CObjectRWC* theControl, s_ctlinfo& theInfo) = nullptr;
};

ControlHookSet& ControlHooks();

} // namespace frm_views
