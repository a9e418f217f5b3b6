/* help.h: the exported interface of the help module vkohelp: it finds a help file, reads the
 * topic association file (".csa") beside it, keeps associations from windows, dialogs,
 * controls and menu items to topics, turns help events into topics, runs object-click mode
 * and hands topics to the help viewer through WinHelpA. Declared from vkohelp/help.def.
 *
 * - vkov_help_open_helpfile looks for the file specification's name with the extension
 *   ".hlp": in the file specification's directory, else (for a name that is not absolute: not
 *   "/...", "\...", "./..." or "X:...") in the current directory and in each directory of
 *   the variables HELP, VKOPATH and PATH (split at ';' and ':'). Flag 0x04: no standard help
 *   menu associations. Null when the file is not found.
 * - The first open installs the module's event hook (attribute 710) unless another is there;
 *   every open sets the hook's help object (attribute 711) when none is set, and close clears
 *   it when it names the object closed. The hook lets events through while it has no object.
 * - Association calls report a null help object, a null window or a menu tag below 1 with
 *   0x210000 and an invalid help object with 0x500000 (module "hassoc").
 * - vkov_help_display_topic and vkov_help_search_topic answer the help object, or null for an
 *   invalid one; vkov_help_close_helpfile answers 1, or 0 for an invalid object.
 * - vkov_help_get_assoc_file writes the path of the help object's association file into path
 *   (path_size bytes; nothing is written when it does not fit) and answers how it was read:
 *   VKOH_ASSOC_READ, VKOH_ASSOC_MISSING (it could not be opened), VKOH_ASSOC_DAMAGED (a line
 *   that is no association: the whole table was dropped) or VKOH_ASSOC_EMPTY (it holds no
 *   association: empty, or comments only); 0 for an invalid object. Without the
 *   file's table, help shows the contents where a topic was asked for.
 * - helpu_change_extension writes the path with its extension replaced into out (into path
 *   when out is null), whose room is out_size bytes; null when the result does not fit
 *   (nothing is written) or an argument is missing. */
#ifndef VKOHELP_HELP_H
#define VKOHELP_HELP_H

#include "vkobase/types.h"

#define VKOHELP_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

typedef struct vkoh_help_info* HELPINFO;

#define VKOH_ASSOC_READ 1
#define VKOH_ASSOC_MISSING 2
#define VKOH_ASSOC_DAMAGED 3
#define VKOH_ASSOC_EMPTY 4

#define VKOBASE_FN(ret, name, params, args, neutral) VKOHELP_API ret name params VKOBASE_NOEXCEPT;
#include "vkohelp/help.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOHELP_HELP_H */
