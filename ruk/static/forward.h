// forward.h: expands the rows of a family table (ruk/static/<family>.def) into the layer's
// entry points. A family source defines its check_<entry point> functions, then includes this
// header and its table; each VKO_ENTRY row becomes an extern "C" function that marks the error
// frame, refuses during an update when the row says so, runs the check, and forwards.
// VKO_OWN_ENTRY rows (variadic forwards, calls that run partly outside the frame) are only
// declared here; the family writes their whole body by hand.
#pragma once

#include "ruk/static/frame.h"
#include "ruk/static/vkoruk.h"

// The neutral column of a row for entry points that return nothing.
#define VKO_NONE void()

// Appends a parenthesised argument list after a leading argument: (frame VKO_RUK_TAIL (a, b)).
#define VKO_RUK_TAIL(...) __VA_OPT__(, ) __VA_ARGS__

namespace vkoruk {

// The whole frame of a table-generated entry point: mark (the guard), update refusal, the
// family's check, then the forward. A refused call returns the row's neutral result. The update
// refusal names update_obj (a family that names its window in every report passes it).
template <class Ret, class Neutral, class Check, class Forward>
Ret run_entry(const char* api_name, const char* module, Update update, int row_line,
              Neutral neutral, Check check, Forward forward, WINDOW update_obj = nullptr) noexcept {
    ApiFrame frame{api_name, module};
    if (update == Update::kRefuse &&
        frame.refused_during_update(kUpdateLineBase + row_line, update_obj))
        return neutral();
    if (!check(frame))
        return neutral();
    return forward();
}

} // namespace vkoruk

// Checks take the frame first (named so that no parameter of a row can hide it), then the entry
// point's arguments; a check that repairs an argument takes it by reference and points it at
// the frame's repaired copy. The update refusal reports the row's line in the table.
#define VKO_RUK_FORWARDER(name, target, ret, params, args, update, neutral)                      \
    extern "C" ret name params noexcept {                                                         \
        return ::vkoruk::run_entry<ret>(                                                          \
            #name, kModule, ::vkoruk::Update::update, __LINE__, []() -> ret { return neutral; }, \
            [&](::vkoruk::ApiFrame& vkoruk_frame) -> bool {                                       \
                return check_##name(vkoruk_frame VKO_RUK_TAIL args);                              \
            },                                                                                    \
            [&]() -> ret { return target args; });                                                \
    }

#define VKO_RUK_SKIP(name, target, ret, params, args, update, neutral)
