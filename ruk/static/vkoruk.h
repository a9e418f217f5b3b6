// vkoruk.h: the checking layer's entry points, the vko_ functions that the framework and the
// program call instead of the base library. Every signature is written once, in the family's
// table ruk/static/<module>.def; this header declares them all from those tables.
// Contract of every entry point: it returns the forwarded call's result, or its row's neutral
// result after a refused check.
#pragma once

#include "vkobase/vkobase.h"
#include "vkohelp/help.h"
#include "vkotext/tx.h"

#define VKORUK_API __attribute__((visibility("default")))
#define VKORUK_DECLARE(name, target, ret, params, args, update, neutral)                          \
    VKORUK_API ret name params noexcept;

extern "C" {

// Base-library operations that the layer forwards to and that the base library's own tables
// do not declare yet.
#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "ruk/static/missing_base.def"

#if __has_include("ruk/static/tstr.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tstr.def"
#endif
#if __has_include("ruk/static/tfont.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tfont.def"
#endif
#if __has_include("ruk/static/tvobj.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tvobj.def"
#endif
#if __has_include("ruk/static/ttx.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/ttx.def"
#endif
#if __has_include("ruk/static/tdm.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tdm.def"
#endif
#if __has_include("ruk/static/tapp.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tapp.def"
#endif
#if __has_include("ruk/static/tprint.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tprint.def"
#endif
#if __has_include("ruk/static/tdwin.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tdwin.def"
#endif
#if __has_include("ruk/static/twin.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/twin.def"
#endif
#if __has_include("ruk/static/trect.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/trect.def"
#endif
#if __has_include("ruk/static/timage.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/timage.def"
#endif
#if __has_include("ruk/static/tcb.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tcb.def"
#endif
#if __has_include("ruk/static/tpict.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tpict.def"
#endif
#if __has_include("ruk/static/tgmem.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tgmem.def"
#endif
#if __has_include("ruk/static/tscr.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tscr.def"
#endif
#if __has_include("ruk/static/tfsys.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tfsys.def"
#endif
#if __has_include("ruk/static/tctl.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tctl.def"
#endif
#if __has_include("ruk/static/tmem.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tmem.def"
#endif
#if __has_include("ruk/static/tres.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tres.def"
#endif
#if __has_include("ruk/static/tpalet.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tpalet.def"
#endif
#if __has_include("ruk/static/tiostr.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tiostr.def"
#endif
#if __has_include("ruk/static/tmenu.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tmenu.def"
#endif
#if __has_include("ruk/static/tlist.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tlist.def"
#endif
#if __has_include("ruk/static/thelp.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/thelp.def"
#endif
#if __has_include("ruk/static/ttimer.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/ttimer.def"
#endif
#if __has_include("ruk/static/tcxo.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tcxo.def"
#endif
#if __has_include("ruk/static/tpmap.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tpmap.def"
#endif
#if __has_include("ruk/static/tsbar.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tsbar.def"
#endif
#if __has_include("ruk/static/tslist.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tslist.def"
#endif
#if __has_include("ruk/static/tpat.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tpat.def"
#endif
#if __has_include("ruk/static/tnotebk.def")
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tnotebk.def"
#endif

} // extern "C"
