/* menu.h: menu trees of windows (menu bars) and pop-up menus. A window's tree is loaded from
 * its menu-bar resource or the tree it was created with the first time it is asked for, and
 * is the window's own copy from then on. A top-level window with a menu style shows its tree
 * as a menu bar above its client area; choosing an item (mouse, Alt or F10 and the arrows,
 * Alt with a title's marked letter) sends the window the menu event (E_COMMAND) with the
 * item's tag. The keys of accelerator table 9001 of the resources send their tags the same
 * way, before the focus sees them; a key bound to a disabled item sends nothing. A pop-up
 * shows its items at the point and runs until one is chosen (its tag) or the menu is
 * dismissed (0); in test mode it answers the tags queued with
 * vkov_menu_test_push_popup_answer instead, when there are any.
 * Declared from the table vkobase/menu.def. */
#ifndef VKOBASE_MENU_H
#define VKOBASE_MENU_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The alignment of vkok_menu_popup that places the item with the given tag under the point. */
enum { VKO_POPUP_OVER_ITEM = 3 };

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/menu.def"

/* For tests: the next pop-up answers this tag (queued in order) when the tree holds it as an
 * enabled item, else 0. The queue is emptied by vkov_test_reset_all. */
VKOBASE_API void vkov_menu_test_push_popup_answer(int16_t tag) VKOBASE_NOEXCEPT;

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_MENU_H */
