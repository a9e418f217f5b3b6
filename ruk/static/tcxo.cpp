// tcxo.cpp: the class-extension family of the checking layer ("tcxo"): objects attached to a
// window under a class name, with an event handler, an event mask and a data word of their
// own. The accessors read and write the object's record themselves, after the base library's
// registry confirmed the object.
// The rule a reader must not miss: vko_cxo_call_next runs inside a handler and leaves the
// error frame alone.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/twin_internal.h"

namespace {

constexpr char kModule[] = "tcxo";

using namespace vkoruk;

constexpr TypeSet kCxoWindowTypes = type_set({1, 2, 3, 5, 6, 7, 9, 10, 11, 23, 25});

// The object check: null or not live in the base library, 0x1220011 (no separate null code).
bool cxo_ok(const ApiFrame &frame, CXO obj, int line) noexcept {
    if (obj != nullptr && vkov_cxo_is_valid(obj))
        return true;
    frame.refuse(kErrBadCxo, line);
    return false;
}

bool check_vko_cxo_create(ApiFrame &frame, WINDOW win, int32_t, int32_t, VKO_CXO_HANDLER handler,
                          int32_t, const char *class_name, int32_t) {
    if (!window_of_type(frame, win, kCxoWindowTypes, __LINE__))
        return false;
    if (handler == nullptr) {
        frame.refuse(kErrNullHandler, __LINE__);
        return false;
    }
    if (class_name == nullptr) {
        frame.refuse(kErrBadName, __LINE__);
        return false;
    }
    return true;
}

bool check_vko_cxo_destroy(ApiFrame &frame, CXO obj) {
    return cxo_ok(frame, obj, __LINE__);
}

bool check_vko_cxo_dispatch_msg(ApiFrame &frame, CXO obj, int32_t, intptr_t) {
    return cxo_ok(frame, obj, __LINE__);
}

// The object, then the size: a size of 0 leaves no room for the name's terminator, and a
// negative size would let the copy run past a given buffer. A null buffer is passed on: the
// base library writes nothing into it.
bool check_vko_cxo_get_class_name(ApiFrame &frame, CXO obj, char *buf, int32_t buf_size) {
    if (!cxo_ok(frame, obj, __LINE__))
        return false;
    if (buf_size == 0 || (buf_size < 0 && buf != nullptr)) {
        frame.refuse(kErrBadCount, __LINE__);
        return false;
    }
    return true;
}

// Null is reported; an object that is no longer live is only answered FALSE.
bool check_vko_cxo_is_valid(ApiFrame &frame, CXO obj) {
    if (obj != nullptr)
        return true;
    frame.refuse(kErrBadCxo, __LINE__);
    return false;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tcxo.def"

extern "C" WINDOW vko_cxo_get_win(CXO obj) noexcept {
    ApiFrame frame{"vko_cxo_get_win", kModule};
    return cxo_ok(frame, obj, __LINE__) ? obj->win : nullptr;
}

extern "C" VKO_CXO_HANDLER vko_cxo_get_event_handler(CXO obj) noexcept {
    ApiFrame frame{"vko_cxo_get_event_handler", kModule};
    return cxo_ok(frame, obj, __LINE__) ? obj->handler : nullptr;
}

extern "C" int32_t vko_cxo_get_event_mask(CXO obj) noexcept {
    ApiFrame frame{"vko_cxo_get_event_mask", kModule};
    return cxo_ok(frame, obj, __LINE__) ? obj->event_mask : 0;
}

extern "C" intptr_t vko_cxo_get_data(CXO obj) noexcept {
    ApiFrame frame{"vko_cxo_get_data", kModule};
    return cxo_ok(frame, obj, __LINE__) ? obj->data : 0;
}

extern "C" void vko_cxo_set_event_handler(CXO obj, VKO_CXO_HANDLER handler) noexcept {
    ApiFrame frame{"vko_cxo_set_event_handler", kModule};
    if (!cxo_ok(frame, obj, __LINE__))
        return;
    if (handler == nullptr) {
        frame.refuse(kErrNullHandler, __LINE__);
        return;
    }
    obj->handler = handler;
}

extern "C" void vko_cxo_set_event_mask(CXO obj, int32_t event_mask) noexcept {
    ApiFrame frame{"vko_cxo_set_event_mask", kModule};
    if (cxo_ok(frame, obj, __LINE__))
        obj->event_mask = event_mask;
}

extern "C" void vko_cxo_set_data(CXO obj, intptr_t data) noexcept {
    ApiFrame frame{"vko_cxo_set_data", kModule};
    if (cxo_ok(frame, obj, __LINE__))
        obj->data = data;
}

// No frame here: the call passes an event on from inside a handler, whose own entry point's
// name must stay the innermost one.
extern "C" int32_t vko_cxo_call_next(CXO obj, EVENT *event) noexcept {
    if (obj == nullptr || !vkov_cxo_is_valid(obj)) {
        vkov_errmsg_dispatch(nullptr, kRefused, kErrBadCxo, kModule, __LINE__);
        return 0;
    }
    if (event == nullptr) {
        vkov_errmsg_dispatch(nullptr, kRefused, kErrNullEvent, kModule, __LINE__);
        return 0;
    }
    return vkov_cxo_call_next(nullptr, obj, event);
}
