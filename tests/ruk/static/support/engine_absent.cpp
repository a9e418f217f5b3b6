// engine_absent.cpp: for the smoke tests against the real base library: the text-edit
// engine's exports and the base operations that the base library does not have yet, each
// answering its row's neutral value (no text edit is ever valid). Linked only while those
// libraries lack them.
#include "vkobase/vkobase.h"
#include "vkotext/tx.h"
#include "ruk/static/vkoruk.h"

#define VKOBASE_FN_ABSENT(ret, name, params, args, neutral)                                      \
    extern "C" ret name params noexcept { return neutral; }

#define VKOBASE_FN VKOBASE_FN_ABSENT
#include "vkotext/tx.def"
#define VKOBASE_FN VKOBASE_FN_ABSENT
#include "ruk/static/missing_base.def"
