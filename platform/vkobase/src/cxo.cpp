// cxo.cpp: class-extension objects. Each window keeps a chain of objects, newest first; an
// event runs through the objects whose mask holds its type, each handing it on with
// vkov_cxo_call_next, and ends at the window's own handler. The object's life-cycle event
// (type 20, value -2 when it is destroyed) goes to its own handler only.
#include "vkobase/cxo.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "core_internal.h"
#include "ctl_internal.h"
#include "live_registry.h"
#include "window_internal.h"

namespace {

bool is_live(CXO obj) noexcept {
    return vkobase::live_is(obj, vkobase::LiveKind::Cxo) && obj->signature == VKO_CXO_SIGNATURE;
}

bool wants(CXO obj, e_event type) noexcept {
    return type >= 0 && type < 31 && (obj->event_mask & VKO_EVENT_BIT(type)) != 0;
}

CXO first_wanting(CXO from, e_event type) noexcept {
    for (CXO obj = from; obj != nullptr; obj = obj->next)
        if (wants(obj, type))
            return obj;
    return nullptr;
}

// Objects whose life-cycle event is being handled: a handler that destroys its own object
// then (or has it destroyed) must not get the event again, nor free it under its caller.
std::vector<CXO> &dying() noexcept {
    static std::vector<CXO> d;
    return d;
}

bool is_dying(CXO obj) noexcept {
    return std::find(dying().begin(), dying().end(), obj) != dying().end();
}

// Unlinks and frees one object after its life-cycle event.
void destroy_one(CXO obj) noexcept {
    if (!is_live(obj) || is_dying(obj))
        return;
    EVENT ev{};
    ev.type = E_CXO;
    ev.v.cxo.what = -2;
    if (obj->handler != nullptr) {
        bool marked = true;
        try {
            dying().push_back(obj);
        } catch (...) {
            marked = false;
        }
        obj->handler(obj, &ev);
        if (marked)
            dying().erase(std::find(dying().begin(), dying().end(), obj));
    }
    if (!is_live(obj))
        return;
    if (vko_win_internal *in = vkobase::win_internal(obj->win)) {
        CXO *link = &in->cxo_chain;
        while (*link != nullptr && *link != obj)
            link = &(*link)->next;
        if (*link == obj)
            *link = obj->next;
    }
    vkobase::live_remove(obj);
    obj->signature = 0;
    delete obj;
}

} // namespace

void vkobase_reset_cxo() noexcept {
    // Objects die with their windows; the window module's reset frees them.
}

namespace vkobase {

void cxo_destroy_all(WINDOW win) noexcept {
    vko_win_internal *in =
        win != nullptr && live_is(win, LiveKind::Window) ? win->internal : nullptr;
    if (in == nullptr)
        return;
    while (in->cxo_chain != nullptr) {
        CXO obj = in->cxo_chain;
        destroy_one(obj);
        if (in->cxo_chain == obj) { // not unlinked (should not happen): drop it
            in->cxo_chain = obj->next;
            live_remove(obj);
            delete obj;
        }
    }
}

std::int32_t cxo_run_chain(WINDOW win, CXO from, EVENT *event) noexcept {
    if (CXO obj = first_wanting(from, event->type))
        return obj->handler != nullptr ? obj->handler(obj, event) : 0;
    // A native control's own behaviour ends its chain, unless the program gave the control a
    // handler of its own.
    if (win->handler == nullptr)
        return ctl::is_native(win) ? ctl::handle_event(win, event) : 0;
    const bool always = event->type == E_CREATE || event->type == E_DESTROY;
    if (!always && (event->type < 0 || event->type > 30 ||
                    (win->event_mask & VKO_EVENT_BIT(event->type)) == 0))
        return 0;
    return win->handler(win, event);
}

} // namespace vkobase

extern "C" {

CXO vkov_cxo_create(WINDOW win, int32_t arg2, int32_t arg3, VKO_CXO_HANDLER handler,
                    int32_t event_mask, const char *class_name, int32_t arg7) noexcept {
    vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr || handler == nullptr || class_name == nullptr)
        return nullptr;
    auto *obj = new (std::nothrow) s_cxo{};
    if (obj == nullptr)
        return nullptr;
    obj->signature = VKO_CXO_SIGNATURE;
    obj->win = win;
    obj->arg2 = arg2;
    obj->arg3 = arg3;
    obj->handler = handler;
    obj->event_mask = event_mask;
    obj->arg7 = arg7;
    std::strncpy(obj->class_name, class_name, sizeof obj->class_name - 1);
    obj->next = in->cxo_chain;
    in->cxo_chain = obj;
    vkobase::live_add(obj, vkobase::LiveKind::Cxo);
    return obj;
}

void vkov_cxo_destroy(CXO obj) noexcept {
    destroy_one(obj);
}

int32_t vkov_cxo_dispatch_msg(CXO obj, int32_t msg, intptr_t arg) noexcept {
    if (!is_live(obj) || obj->handler == nullptr)
        return -1;
    // A message reaches the object's own handler as a user event.
    EVENT ev{};
    ev.type = E_USER;
    ev.v.user.id = msg;
    ev.v.user.data = reinterpret_cast<void *>(arg);
    return obj->handler(obj, &ev);
}

char *vkov_cxo_get_class_name(CXO obj, char *buf, int32_t buf_size) noexcept {
    if (!is_live(obj) || buf == nullptr || buf_size <= 0)
        return nullptr;
    const std::size_t room = static_cast<std::size_t>(buf_size) - 1;
    std::strncpy(buf, obj->class_name, room);
    buf[room] = '\0';
    return buf;
}

BOOLEAN vkov_cxo_is_valid(CXO obj) noexcept {
    return is_live(obj) ? TRUE : FALSE;
}

int32_t vkov_cxo_call_next(WINDOW reserved, CXO obj, EVENT *event) noexcept {
    (void)reserved;
    if (!is_live(obj) || event == nullptr || !vkobase::win_is_live(obj->win))
        return 0;
    return vkobase::cxo_run_chain(obj->win, obj->next, event);
}

CXO vkov_win_get_cxo(WINDOW win, const char *class_name, int32_t reserved) noexcept {
    (void)reserved;
    vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr || class_name == nullptr)
        return nullptr;
    for (CXO obj = in->cxo_chain; obj != nullptr; obj = obj->next)
        if (std::strcmp(obj->class_name, class_name) == 0)
            return obj;
    return nullptr;
}

} // extern "C"
