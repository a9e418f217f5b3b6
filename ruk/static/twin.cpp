// twin.cpp: the window family of the checking layer ("twin"): window creation from arguments,
// from a definition list or from a resource, event dispatch, enumeration, control colours and
// fonts, cursor, caret, title, modal loop and pointer trap.
// The rule a reader must not miss: a caller's definition list is handed back exactly as it
// came, whichever path the creation takes after its rectangles were repaired.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/twin_internal.h"

namespace {

constexpr char kModule[] = "twin";

using namespace vkoruk;

constexpr TypeSet kCreatableTypes = type_set({1, 2, 3, 7, 9});
constexpr TypeSet kModalOnlyParents = type_set({10, 11});
constexpr TypeSet kMenuParents = type_set({5, 6});
constexpr std::int32_t kMaxEventType = 19;
constexpr intptr_t kAttrScreenWindow = 300;
constexpr int kMaxDefEntries = 256;

// A parent window may take a new window of `type` created from arguments.
bool parent_takes(WINDOW parent, e_win_type type) noexcept {
    const std::int32_t parent_type = effective_type(parent);
    if (in_set(kSetA, parent_type))
        return true;
    return in_set(kModalOnlyParents, parent_type) && type == kModalType;
}

bool check_vko_win_create(ApiFrame &frame, e_win_type type, const s_rct *&rct, const char *,
                          int16_t, WINDOW parent, uint32_t flags, int32_t,
                          VKO_EVENT_HANDLER handler, intptr_t) {
    if (!in_set(kCreatableTypes, type)) {
        frame.refuse(kErrWrongWindowKind, __LINE__);
        return false;
    }
    if (!frame.live_window(parent, __LINE__))
        return false;
    if (!parent_takes(parent, type)) {
        frame.refuse(kErrWrongWindowKind, __LINE__);
        return false;
    }
    if (rct != nullptr && ApiFrame::rect_out_of_order(rct))
        rct = frame.repaired(rct, __LINE__); // severity 1: creation goes on with the copy
    if (const std::uint32_t code = vkov_win_check_flags(type, parent, flags); code != 0) {
        frame.refuse(code, __LINE__);
        return false;
    }
    if (handler == nullptr) {
        frame.refuse(kErrNullHandler, __LINE__);
        return false;
    }
    return true;
}

bool check_vko_win_create_res(ApiFrame &frame, int16_t, WINDOW parent, int32_t,
                              VKO_EVENT_HANDLER handler, intptr_t) {
    if (!window_of_type(frame, parent, kSetA, __LINE__))
        return false;
    if (handler == nullptr) {
        frame.refuse(kErrNullHandler, __LINE__);
        return false;
    }
    return true;
}

bool check_vko_win_dispatch_event(ApiFrame &frame, WINDOW win, EVENT *event) {
    if (!window_of_type(frame, win, kSetE, __LINE__))
        return false;
    if (!frame.not_null(event, __LINE__))
        return false;
    if (vkok_vobj_get_attr(nullptr, kAttrScreenWindow) == reinterpret_cast<intptr_t>(win)) {
        frame.refuse(kErrBadValue, __LINE__); // the screen window takes no events
        return false;
    }
    if (win->handler == nullptr) {
        frame.refuse(kErrNoEventHandler, __LINE__);
        return false;
    }
    if (event->type < 0 || event->type > kMaxEventType) {
        frame.refuse(kErrBadValue, __LINE__);
        return false;
    }
    return true;
}

// The enumeration and listing calls are confirmed live like every other window call: a
// handle that is no window must not be read for its type.
bool check_vko_win_enum_wins(ApiFrame &frame, WINDOW win, VKO_ENUM_CALLBACK, intptr_t,
                             int32_t reserved) {
    if (!window_of_type(frame, win, kSetB, __LINE__))
        return false;
    if (reserved != 0) {
        frame.refuse(kErrValueOutOfSet, __LINE__);
        return false;
    }
    return true;
}

bool check_vko_win_get_ctl(ApiFrame &frame, WINDOW win, int16_t) {
    return frame.live_window(win, __LINE__);
}

bool check_vko_win_get_ctl_colors(ApiFrame &frame, WINDOW win) {
    return window_of_type(frame, win, kSetC, __LINE__);
}

bool check_vko_win_get_ctl_font(ApiFrame &frame, WINDOW win) {
    return window_of_type(frame, win, kSetC, __LINE__);
}

bool check_vko_win_get_cxo(ApiFrame &frame, WINDOW win, const char *class_name, int32_t) {
    if (!window_of_type(frame, win, kSetB, __LINE__))
        return false;
    if (class_name == nullptr) {
        frame.refuse(kErrBadName, __LINE__);
        return false;
    }
    return true;
}

bool check_vko_win_get_nav(ApiFrame &frame, WINDOW win) {
    return window_of_type(frame, win, kSetD, __LINE__, kErrBadWindow);
}

bool check_vko_win_get_tx(ApiFrame &frame, WINDOW win, int32_t) {
    return frame.live_window(win, __LINE__);
}

bool check_vko_win_list_cxos(ApiFrame &frame, WINDOW win) {
    return window_of_type(frame, win, kSetB, __LINE__);
}

bool check_vko_win_list_wins(ApiFrame &frame, WINDOW win, int32_t reserved, BOOLEAN) {
    if (!window_of_type(frame, win, kSetB, __LINE__))
        return false;
    if (reserved != 0) {
        frame.refuse(kErrValueOutOfSet, __LINE__);
        return false;
    }
    return true;
}

// The reports after the window check name the dialog as their object.
bool check_vko_win_process_modal(ApiFrame &frame, WINDOW win) {
    if (!frame.live_window(win, __LINE__))
        return false;
    if (effective_type(win) != kModalType) {
        frame.refuse(kErrWrongWindowKind, __LINE__, win);
        return false;
    }
    if ((win->state2 & VKO_WS_MODAL_USE) == 0) {
        frame.refuse(kErrNotModalWindow, __LINE__, win);
        return false;
    }
    if ((win->state & VKO_WS_ENDING) != 0) {
        frame.refuse(kErrBadWindow, __LINE__, win);
        return false;
    }
    return true;
}

bool check_vko_win_release_pointer(ApiFrame &) {
    return true;
}

bool check_vko_win_set_caret_pos(ApiFrame &frame, WINDOW win, s_pnt) {
    return window_of_type(frame, win, kSetA, __LINE__);
}

bool check_vko_win_set_caret_size(ApiFrame &frame, WINDOW win, int16_t, int16_t) {
    return window_of_type(frame, win, kSetA, __LINE__);
}

bool check_vko_win_set_caret_visible(ApiFrame &frame, WINDOW win, BOOLEAN) {
    return window_of_type(frame, win, kSetA, __LINE__);
}

bool check_vko_win_set_cursor(ApiFrame &frame, WINDOW win, int16_t) {
    return window_of_type(frame, win, kSetA, __LINE__);
}

bool check_vko_win_set_doc_title(ApiFrame &frame, WINDOW win, const char *title) {
    if (!window_of_type(frame, win, kSetC, __LINE__))
        return false;
    return frame.not_null(title, __LINE__);
}

bool check_vko_win_trap_pointer(ApiFrame &frame, WINDOW win) {
    if (!frame.live_window(win, __LINE__))
        return false;
    return frame.not_text_edit(win, __LINE__);
}

// Puts a definition list's repaired rectangles back when it goes out of scope, so that the
// caller's list is restored on every path once the repair ran.
class DefListRestore {
public:
    DefListRestore(s_win_def *list) noexcept
        : itsChanged(vkov_rect_repair_windef(list, itsSaved, itsWhere, kMaxDefEntries) != 0) {}
    ~DefListRestore() {
        if (itsChanged)
            vkov_rect_restore(itsSaved, itsWhere);
    }
    DefListRestore(const DefListRestore &) = delete;
    DefListRestore &operator=(const DefListRestore &) = delete;

private:
    s_rct itsSaved[kMaxDefEntries] = {};
    s_rct *itsWhere[kMaxDefEntries] = {};
    bool itsChanged;
};

// Whether a parent of type 5 or 6 may hold the window that the first entry describes: only
// one that asks for a menu, or needs none.
bool first_entry_fits_menu_parent(const s_win_def &first) noexcept {
    return (first.win_flags & VKO_WSF_NO_MENUBAR) != 0 || first.menu_bar_id != 0 ||
           first.menu_tree != nullptr || first.type == kModalType;
}

// The body of the control-colour component setter and unsetter. Only the setter (reset FALSE)
// passes the pair on to the window's text edits; the unsetter leaves theirs as they are.
void set_ctl_component(const ApiFrame &frame, WINDOW win, std::int32_t component, COLOR color,
                       BOOLEAN reset) noexcept {
    if (frame.refused_during_update(__LINE__))
        return;
    if (!frame.live_window(win, __LINE__))
        return;
    if (!component_ok(frame, component, __LINE__))
        return;
    if (!window_of_type(frame, win, kSetC, __LINE__))
        return;
    const ComponentList list{component, color};
    vkok_win_set_ctl_colors(win, list.pairs, reset);
    if (!reset)
        vkov_tx_reset_colors(win, list.pairs, FALSE);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/twin.def"

extern "C" WINDOW vko_win_create_def(s_win_def *def_list, WINDOW parent, int32_t event_mask,
                                     VKO_EVENT_HANDLER handler, intptr_t app_data) noexcept {
    ApiFrame frame{"vko_win_create_def", kModule};
    if (frame.refused_during_update(__LINE__))
        return nullptr;
    if (!frame.not_null(def_list, __LINE__))
        return nullptr;
    if (!frame.live_window(parent, __LINE__))
        return nullptr;
    const s_win_def &first = def_list[0];
    const std::int32_t parent_type = effective_type(parent);
    if (in_set(kMenuParents, parent_type)) {
        if (!first_entry_fits_menu_parent(first)) {
            frame.refuse(kErrOutOfSet, __LINE__);
            return nullptr;
        }
    } else if (in_set(kModalOnlyParents, parent_type)) {
        if (first.type != kModalType) {
            frame.refuse(kErrWrongWindowKind, __LINE__);
            return nullptr;
        }
    } else if (!in_set(kCreatableTypes, parent_type)) {
        frame.refuse(kErrWrongWindowKind, __LINE__);
        return nullptr;
    }
    if (handler == nullptr) {
        frame.refuse(kErrNullHandler, __LINE__);
        return nullptr;
    }
    if (!in_set(kCreatableTypes, first.type)) {
        frame.refuse(kErrWrongWindowKind, __LINE__);
        return nullptr;
    }
    const DefListRestore restore{def_list}; // from here on the caller's list comes back as given
    if (const std::uint32_t code = vkov_win_check_flags(first.type, parent, first.win_flags);
        code != 0) {
        frame.refuse(code, __LINE__);
        return nullptr;
    }
    if (!control_entries_pass(frame, def_list, __LINE__))
        return nullptr;
    if (ApiFrame::rect_out_of_order(&first.rct)) {
        frame.refuse(kErrRectRepaired, __LINE__); // severity 2: unusable even after repair
        return nullptr;
    }
    if (const std::uint32_t code = vkov_win_check_fonts(def_list); code != 0) {
        frame.refuse(code, __LINE__);
        return nullptr;
    }
    return vkok_win_create_def(def_list, parent, event_mask, handler, app_data);
}

extern "C" COLOR vko_win_get_ctl_color_component(WINDOW win, e_color_component component) noexcept {
    ApiFrame frame{"vko_win_get_ctl_color_component", kModule};
    if (!frame.live_window(win, __LINE__))
        return VKO_COLOR_UNSET;
    if (!component_ok(frame, component, __LINE__))
        return VKO_COLOR_UNSET;
    if (!window_of_type(frame, win, kSetC, __LINE__))
        return VKO_COLOR_UNSET;
    return take_component(vkok_win_get_ctl_colors(win), component);
}

extern "C" uint16_t vko_win_get_cursor(WINDOW win) noexcept {
    ApiFrame frame{"vko_win_get_cursor", kModule};
    if (!window_of_type(frame, win, kSetA, __LINE__))
        return 65535;
    return win->cursor_id;
}

extern "C" int32_t vko_win_get_event_mask(WINDOW win) noexcept {
    ApiFrame frame{"vko_win_get_event_mask", kModule};
    if (!frame.live_window(win, __LINE__))
        return 0;
    return win->event_mask;
}

extern "C" VKO_EVENT_HANDLER vko_win_get_handler(WINDOW win) noexcept {
    ApiFrame frame{"vko_win_get_handler", kModule};
    if (!frame.live_window(win, __LINE__))
        return nullptr;
    return win->handler;
}

extern "C" BOOLEAN vko_win_has_menu(WINDOW win) noexcept {
    ApiFrame frame{"vko_win_has_menu", kModule};
    if (!frame.live_window(win, __LINE__))
        return FALSE;
    return has_menu_bar(win) ? TRUE : FALSE;
}

// The text edits of the window take the same colours as its controls.
extern "C" void vko_win_set_ctl_colors(WINDOW win, const s_color_pair *colors,
                                       BOOLEAN reset) noexcept {
    ApiFrame frame{"vko_win_set_ctl_colors", kModule};
    if (!window_of_type(frame, win, kSetC, __LINE__))
        return;
    if (colors == nullptr)
        reset = TRUE; // no list: back to the defaults
    vkok_win_set_ctl_colors(win, colors, reset);
    vkov_tx_reset_colors(win, colors, reset);
}

extern "C" void vko_win_set_ctl_color_component(WINDOW win, e_color_component component,
                                                COLOR color) noexcept {
    const ApiFrame frame{"vko_win_set_ctl_color_component", kModule};
    set_ctl_component(frame, win, component, color, FALSE);
}

// Unlike the setter, this leaves the colours of the window's text edits as they are.
extern "C" void vko_win_unset_ctl_color_component(WINDOW win,
                                                  e_color_component component) noexcept {
    const ApiFrame frame{"vko_win_unset_ctl_color_component", kModule};
    set_ctl_component(frame, win, component, VKO_COLOR_UNSET, TRUE);
}

// The text edits of the window take the font too. A null font passes: it means the default.
extern "C" void vko_win_set_ctl_font(WINDOW win, s_fntid *font) noexcept {
    ApiFrame frame{"vko_win_set_ctl_font", kModule};
    if (!window_of_type(frame, win, kSetC, __LINE__))
        return;
    if (font != nullptr && !frame.valid_font(font, __LINE__))
        return;
    vkov_win_set_ctl_font(win, font);
    vkov_tx_win_set_font(win, font);
}

extern "C" void vko_win_set_event_mask(WINDOW win, int32_t event_mask) noexcept {
    ApiFrame frame{"vko_win_set_event_mask", kModule};
    if (!frame.live_window(win, __LINE__))
        return;
    win->event_mask = event_mask;
}

extern "C" void vko_win_set_handler(WINDOW win, VKO_EVENT_HANDLER handler) noexcept {
    ApiFrame frame{"vko_win_set_handler", kModule};
    if (!frame.live_window(win, __LINE__))
        return;
    win->handler = handler;
}
