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

#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tstr.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tfont.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tvobj.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/ttx.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tdm.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tapp.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tprint.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tdwin.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/twin.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/trect.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/timage.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tcb.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tpict.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tgmem.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tscr.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tfsys.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tctl.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tmem.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tres.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tpalet.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tiostr.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tmenu.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tlist.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/thelp.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/ttimer.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tcxo.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tpmap.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tsbar.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tslist.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tpat.def"
#define VKO_ENTRY VKORUK_DECLARE
#define VKO_OWN_ENTRY VKORUK_DECLARE
#include "ruk/static/tnotebk.def"

} // extern "C"
