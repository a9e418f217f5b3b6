/* ctl.h: native controls, which are windows of types 12 to 25: push and radio buttons, check
 * boxes, scroll bars, edit fields, static texts, list boxes, list buttons, list edits, group
 * boxes, text edits (type 23, made by the text-edit engine through the start-up record's
 * hook), icons and notebooks. Declared from the table vkobase/ctl.def.
 * Control events of type 15 go to the control's parent; a change made by these calls sends
 * none. */
#ifndef VKOBASE_CTL_H
#define VKOBASE_CTL_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Control flags (ctl_flags of vkok_ctl_create and of control definition entries). */
#define VKO_CTL_DISABLED_AT_START 0x0001u /* read by the framework, which disables the control */
#define VKO_CTL_CHECKED 0x0004u           /* a check box or radio button starts checked */
#define VKO_CTL_INVISIBLE 0x0010u         /* the control starts hidden */
#define VKO_CTL_DISABLED 0x0020u          /* the control starts disabled */
#define VKO_CTL_PASSWORD 0x10000u         /* an edit field shows its characters masked */
#define VKO_CTL_DEFAULT 0x20000u          /* the push button that Enter presses in a dialog */
#define VKO_CTL_CANCEL 0x40000u           /* the push button that Escape presses in a dialog */
#define VKO_CTL_MULTILINE 0x80000u        /* an edit field of several lines */
#define VKO_CTL_READONLY 0x100000u        /* an edit field that shows but does not take text */
#define VKO_CTL_THREE_STATE 0x200000u     /* a check box whose mark may also be undecided (2) */
#define VKO_CTL_CENTER 0x400000u          /* a static text centred in its rectangle */
#define VKO_CTL_RIGHT 0x800000u           /* a static text set against its right edge */
#define VKO_CTL_MULTI_SEL 0x1000000u      /* a list box where the user selects several items */
#define VKO_CTL_SORTED 0x2000000u         /* a list that keeps its items in order */

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/ctl.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_CTL_H */
