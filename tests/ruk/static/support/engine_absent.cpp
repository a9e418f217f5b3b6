// engine_absent.cpp: for the smoke tests against the real base library: the text-edit
// engine's exports and the base operations that the base library does not have yet, each
// answering its row's neutral value (no text edit is ever valid). Linked only while those
// libraries lack them.
#include "vkobase/vkobase.h"
#include "vkotext/tx.h"
#include "ruk/static/vkoruk.h"

namespace {

// Answers the row's neutral value; the arguments are taken only to be ignored.
template <class Ret, class Neutral, class... Args> Ret absent(Neutral neutral, Args...) {
    return neutral();
}

} // namespace

#define VKO_ABSENT_TAIL(...) __VA_OPT__(, ) __VA_ARGS__
#define VKOBASE_FN_ABSENT(ret, name, params, args, neutral)                                      \
    extern "C" ret name params noexcept {                                                         \
        return absent<ret>([]() -> ret { return neutral; } VKO_ABSENT_TAIL args);                 \
    }

#define VKOBASE_FN VKOBASE_FN_ABSENT
#include "vkotext/tx.def"
#define VKOBASE_FN VKOBASE_FN_ABSENT
#include "ruk/static/missing_base.def"
