/* vobj.h: Visible objects: operations common to windows, controls and text-edit windows;
 * attributes. Declared by the table vkobase/vobj.def; see the table for the functions. */
#ifndef VKOBASE_VOBJ_H
#define VKOBASE_VOBJ_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/vobj.def"

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_VOBJ_H */
