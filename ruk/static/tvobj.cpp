// tvobj.cpp: checks of the visible-object family. Several members read or write the base
// library's window record directly; every such access follows the window check, which asks the
// registry of live records before it reads the signature.
#include "ruk/static/forward.h"

#include <initializer_list>

namespace {

using vkoruk::ApiFrame;

constexpr char kModule[] = "tvobj";
// The memory-function table, answered outside the frame so that it works before anything
// else is set up.
constexpr std::int32_t kAttrMemFunctions = VKO_ATTR_MEM_FUNCTIONS;
// The base attribute that allows the task window to be raised.
constexpr std::int32_t kAttrTaskwinActive = VKO_ATTR_TASKWIN_ACTIVE;

TXEDIT as_text_edit(WINDOW win) { return reinterpret_cast<TXEDIT>(win); }

bool type_in(std::int32_t type, std::initializer_list<std::int32_t> types) {
    for (std::int32_t t : types)
        if (t == type)
            return true;
    return false;
}

// A record that may not be moved, raised or shown is reported as an invalid window.
bool movable(const ApiFrame& frame, WINDOW win, int line) {
    if ((win->flags & vkoruk::kFlagFixed) == 0)
        return true;
    frame.refuse(vkoruk::kErrBadWindow, line);
    return false;
}

constexpr auto live = [](ApiFrame& frame, WINDOW win, auto&&...) {
    return frame.live_window(win, __LINE__);
};

constexpr auto live_not_tx = [](ApiFrame& frame, WINDOW win, auto&&...) {
    if (!frame.live_window(win, __LINE__))
        return false;
    return frame.not_text_edit(win, __LINE__);
};

constexpr auto live_rect_given = [](ApiFrame& frame, WINDOW win, s_rct* rct) {
    if (!frame.live_window(win, __LINE__))
        return false;
    return frame.not_null(rct, __LINE__);
};

// Scroll bars and icons keep no formatter; setting one on them does nothing.
bool formatter_target(const ApiFrame& frame, WINDOW win, int line) {
    if (!frame.live_window(win, line))
        return false;
    if (!frame.not_text_edit(win, line + vkoruk::kWrongKindLineBase))
        return false;
    return !type_in(win->type, {WC_HSCROLL, WC_VSCROLL, WC_ICON});
}

// ---- Bodies ------------------------------------------------------------------------------------

void destroy_object(WINDOW win) {
    if (vkoruk::is_text_edit(win))
        vkov_tx_destroy(as_text_edit(win));
    else
        vkok_vobj_destroy(win);
}

void move_object(WINDOW win, const s_rct* rct) {
    if (vkoruk::is_text_edit(win))
        vkov_tx_move(as_text_edit(win), rct);
    else
        vkok_vobj_move(win, rct);
}

void set_window_palet(WINDOW win, PALETTE palet) {
    vkov_palet_map_win(palet, win);
    win->draw.palet = palet;
}

e_win_type read_type(WINDOW win) { return vkoruk::effective_type(win); }
WINDOW read_parent(WINDOW win) { return win->type == W_PRINT ? nullptr : win->parent; }
intptr_t read_data(WINDOW win) { return win->app_data; }
void write_data(WINDOW win, intptr_t data) { win->app_data = data; }
intptr_t read_formatter(WINDOW win) { return win->formatter; }
intptr_t read_formatter_data(WINDOW win) { return win->formatter_data; }

void write_formatter(WINDOW win, intptr_t formatter, intptr_t formatter_data) {
    win->formatter = formatter;
    win->formatter_data = formatter_data;
}

void write_formatter_data(WINDOW win, intptr_t formatter_data) {
    win->formatter_data = formatter_data;
}

void ensure_memory_functions() {
    if (vkov_mem_get_functions() == nullptr)
        vkov_mem_set_functions(nullptr);
}

// ---- Checks, in table order ------------------------------------------------------------------

constexpr auto check_vko_vobj_destroy = live;

bool check_vko_vobj_move(ApiFrame& frame, WINDOW win, const s_rct*& rct) {
    if (!frame.live_window(win, __LINE__))
        return false;
    if (!movable(frame, win, __LINE__))
        return false;
    if (!frame.not_null(rct, __LINE__))
        return false;
    rct = frame.repaired(rct, __LINE__);
    return true;
}

// Only frame, document, dialog and child windows can be raised; the task window only while
// the base library lets it be active.
bool check_vko_vobj_raise(ApiFrame& frame, WINDOW win) {
    if (!frame.live_window(win, __LINE__))
        return false;
    if (!movable(frame, win, __LINE__))
        return false;
    const std::int32_t type = vkoruk::effective_type(win);
    if (type_in(type, {W_DOC, W_PLAIN, W_DBL, W_NO_BORDER, W_MODAL, W_SUBWIN}))
        return true;
    if (type == W_TASK && vkok_vobj_get_attr(nullptr, kAttrTaskwinActive) != 0)
        return true;
    frame.refuse(vkoruk::kErrWrongWindowKind, __LINE__);
    return false;
}

bool check_vko_vobj_set_visible(ApiFrame& frame, WINDOW win, BOOLEAN) {
    if (!frame.live_window(win, __LINE__))
        return false;
    return movable(frame, win, __LINE__);
}

constexpr auto check_vko_vobj_set_enabled = live;

// Scroll bars, list boxes, list buttons and icons show no title: nothing to do.
bool check_vko_vobj_set_title(ApiFrame& frame, WINDOW win, const char* title) {
    if (!frame.live_window(win, __LINE__))
        return false;
    if (!frame.not_text_edit(win, __LINE__))
        return false;
    if (!frame.not_null(title, __LINE__))
        return false;
    return !type_in(win->type, {WC_HSCROLL, WC_VSCROLL, WC_LBOX, WC_LISTBUTTON, WC_ICON});
}

bool check_vko_vobj_set_palet(ApiFrame& frame, WINDOW win, PALETTE palet) {
    if (!frame.live_window(win, __LINE__))
        return false;
    if (!vkov_vobj_is_topwin(win) && win->type != W_PIXMAP) {
        frame.refuse(vkoruk::kErrBadWindow, __LINE__);
        return false;
    }
    if (!frame.not_text_edit(win, __LINE__))
        return false;
    if (palet == nullptr) {
        frame.refuse(vkoruk::kErrNullPalette, __LINE__);
        return false;
    }
    if (!vkov_palet_is_valid(palet)) {
        frame.refuse(vkoruk::kErrBadPalette, __LINE__);
        return false;
    }
    return true;
}

constexpr auto check_vko_vobj_get_client_rect = live_rect_given;
constexpr auto check_vko_vobj_get_outer_rect = live_rect_given;

bool check_vko_vobj_get_title(ApiFrame& frame, WINDOW win, char* buf, std::int32_t buf_size) {
    if (!frame.live_window(win, __LINE__))
        return false;
    if (!frame.not_text_edit(win, __LINE__))
        return false;
    if (!frame.not_null(buf, __LINE__))
        return false;
    return frame.positive(buf_size, __LINE__);
}

constexpr auto check_vko_vobj_get_flags = live_not_tx;
constexpr auto check_vko_vobj_get_palet = live_not_tx;
constexpr auto check_vko_vobj_is_focusable = live;

// A null handle is reported, not only answered FALSE.
bool check_vko_vobj_is_valid(ApiFrame& frame, WINDOW win) {
    if (win != nullptr)
        return true;
    frame.refuse(vkoruk::kErrNullWindow, __LINE__);
    return false;
}

constexpr auto check_vko_vobj_get_type = live;
constexpr auto check_vko_vobj_get_parent = live;
constexpr auto check_vko_vobj_get_data = live;
constexpr auto check_vko_vobj_set_data = live;
constexpr auto check_vko_vobj_get_formatter = live_not_tx;

bool check_vko_vobj_set_formatter(ApiFrame& frame, WINDOW win, intptr_t, intptr_t) {
    return formatter_target(frame, win, __LINE__);
}

bool check_vko_vobj_translate_points(ApiFrame& frame, WINDOW from, WINDOW to, s_pnt* pnts,
                                     std::int32_t) {
    if (!frame.live_window(from, __LINE__))
        return false;
    if (!frame.live_window(to, __LINE__))
        return false;
    return frame.not_null(pnts, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tvobj.def"

// Marks the frame with its partner's name, as callers' error reports have always shown it.
extern "C" intptr_t vko_vobj_get_formatter_data(WINDOW win) noexcept {
    const ApiFrame frame{"vko_vobj_get_formatter", kModule};
    if (!frame.live_window(win, __LINE__))
        return 0;
    if (!frame.not_text_edit(win, __LINE__))
        return 0;
    return read_formatter_data(win);
}

extern "C" void vko_vobj_set_formatter_data(WINDOW win, intptr_t formatter_data) noexcept {
    const ApiFrame frame{"vko_vobj_set_formatter", kModule};
    if (formatter_target(frame, win, __LINE__))
        write_formatter_data(win, formatter_data);
}

// The memory-function attribute is answered at once, without the frame, so that it works
// before anything else is installed. A null object stands for the application.
extern "C" intptr_t vko_vobj_get_attr(WINDOW win, int32_t attr) noexcept {
    if (attr == kAttrMemFunctions)
        return reinterpret_cast<intptr_t>(vkov_mem_get_functions());
    ensure_memory_functions();
    const ApiFrame frame{"vko_vobj_get_attr", kModule};
    if (win != nullptr && !frame.live_window(win, __LINE__))
        return -1;
    if (win != nullptr && !frame.not_text_edit(win, __LINE__))
        return -1;
    return vkok_vobj_get_attr(win, attr);
}

extern "C" void vko_vobj_set_attr(WINDOW win, int32_t attr, intptr_t value) noexcept {
    if (attr == kAttrMemFunctions) {
        // The value is the caller's table of memory functions, handed over as an integer.
        vkov_mem_set_functions(reinterpret_cast<const s_mem_functions*>(value));
        return;
    }
    ensure_memory_functions();
    const ApiFrame frame{"vko_vobj_set_attr", kModule};
    if (win != nullptr && !frame.live_window(win, __LINE__))
        return;
    if (win != nullptr && !frame.not_text_edit(win, __LINE__))
        return;
    vkov_vobj_set_attr(win, attr, value);
}
