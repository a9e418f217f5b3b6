/* vkobase.h: the whole interface of the base library, one include per family. Each family's
 * functions are declared once, in its table vkobase/<family>.def. */
#ifndef VKOBASE_VKOBASE_H
#define VKOBASE_VKOBASE_H

#include "vkobase/types.h"

#include "vkobase/errfrm.h"
#include "vkobase/errmsg.h"
#include "vkobase/vobj.h"
#include "vkobase/app.h"
#include "vkobase/win.h"
#include "vkobase/scr.h"
#include "vkobase/cxo.h"
#include "vkobase/timer.h"
#include "vkobase/rect.h"
#include "vkobase/color.h"
#include "vkobase/dlist.h"

#include "vkobase/dwin.h"
#include "vkobase/font.h"
#include "vkobase/fmap.h"
#include "vkobase/image.h"
#include "vkobase/pict.h"
#include "vkobase/pmap.h"
#include "vkobase/palet.h"
#include "vkobase/pattern.h"
#include "vkobase/print.h"
#include "vkobase/res.h"
#include "vkobase/ctl.h"
#include "vkobase/list.h"
#include "vkobase/menu.h"
#include "vkobase/notebk.h"
#include "vkobase/sbar.h"
#include "vkobase/str.h"
#include "vkobase/slist.h"
#include "vkobase/mem.h"
#include "vkobase/gmem.h"
#include "vkobase/static.h"
#include "vkobase/fsys.h"
#include "vkobase/iostr.h"
#include "vkobase/cb.h"
#include "vkobase/dm.h"

#endif /* VKOBASE_VKOBASE_H */
