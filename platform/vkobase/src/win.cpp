// win.cpp: window records and their tree. Owns every window record (the screen window is
// the root; top-level windows are its children) and their geometry; delivers events through a
// window's class-extension chain to its handler. A record is freed only after its destroy
// event and its children's; anything that may outlive a window asks win_is_live first.
#include "vkobase/win.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "core_internal.h"
#include "ctl_internal.h"
#include "display_internal.h"
#include "live_registry.h"
#include "surface_internal.h"
#include "vkobase/rect.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace {

// Decorations of top-level windows, in pixels; the attributes 500, 501, 506 and 507 answer
// the same numbers.
constexpr std::int16_t kFrameWidth = 4;
constexpr std::int16_t kFrameHeight = 4;
constexpr std::int16_t kTitleHeight = 20;
constexpr std::int16_t kMenuHeight = 20;
constexpr s_rct kScreenRect{0, 0, 768, 1024};
// Flag bits that only the library sets (drawable kind, pixmap, text edit, fixed); a caller's
// creation flags never carry them into a record.
constexpr std::uint32_t kLibraryFlags = 0x1000u | VKO_WF_PIXMAP | VKO_WF_TEXTEDIT | VKO_WF_FIXED;

struct WinState {
    WINDOW screen = nullptr;
    std::uint64_t next_order = 1;
};

WinState &state() noexcept {
    static WinState s;
    return s;
}

std::int16_t clamp16(std::int32_t v) noexcept {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, INT16_MIN, INT16_MAX));
}

bool is_drawable_type(e_win_type type) noexcept {
    switch (type) {
    case W_DOC:
    case W_PLAIN:
    case W_DBL:
    case W_TASK:
    case W_NO_BORDER:
    case W_MODAL:
    case W_MODELESS:
    case W_SUBWIN:
        return true;
    default:
        return false;
    }
}

bool is_top_level(WINDOW win) noexcept {
    return win->parent != nullptr && win->parent == state().screen;
}

bool has_menu(WINDOW win) noexcept {
    return (win->flags & VKO_WF_MENU_MASK) != 0 && (win->state2 & VKO_WS_NO_MENU) == 0;
}

// Distance from the outer edges to the client area.
struct Insets {
    std::int16_t top = 0, left = 0, bottom = 0, right = 0;
};

Insets insets_of(WINDOW win) noexcept {
    Insets in;
    if (!is_top_level(win))
        return in;
    switch (win->type) {
    case W_DOC:
    case W_DBL:
    case W_TASK:
    case W_MODAL:
    case W_MODELESS:
        in.left = in.right = kFrameWidth;
        in.bottom = kFrameHeight;
        in.top = static_cast<std::int16_t>(kFrameHeight + kTitleHeight +
                                           (has_menu(win) ? kMenuHeight : 0));
        break;
    case W_PLAIN:
        in.top = in.left = in.bottom = in.right = 1;
        break;
    default:
        break;
    }
    return in;
}

void free_record(WINDOW win) noexcept {
    // A child still linked here is one whose own destruction is under way further up the
    // stack (its destroy handler destroyed this window); it must not keep a freed parent.
    if (win->internal != nullptr)
        for (WINDOW kid : win->internal->children)
            if (vkobase::win_is_live(kid) && kid->parent == win)
                kid->parent = nullptr;
    vkobase::live_remove(win);
    win->signature = 0;
    delete win->internal;
    win->internal = nullptr;
    delete win;
}

void unlink_from_parent(WINDOW win) noexcept {
    WINDOW parent = win->parent;
    if (!vkobase::win_is_live(parent))
        return;
    auto &kids = parent->internal->children;
    kids.erase(std::remove(kids.begin(), kids.end(), win), kids.end());
}

// Frees a window and its subtree without sending any event (reset only).
void free_silently(WINDOW win) noexcept {
    if (win->internal != nullptr) {
        const std::vector<WINDOW> kids = win->internal->children;
        // Freeing one window may take another with it (a control's open drop-down list).
        for (WINDOW kid : kids)
            if (vkobase::win_is_live(kid))
                free_silently(kid);
        for (auto &ext : win->internal->ext)
            if (ext.data != nullptr && ext.free_fn != nullptr)
                ext.free_fn(ext.data);
    }
    vkobase::cxo_destroy_all(win);
    unlink_from_parent(win);
    free_record(win);
}

WINDOW make_screen() noexcept {
    auto *rec = new (std::nothrow) s_win{};
    if (rec == nullptr)
        return nullptr;
    rec->internal = new (std::nothrow) vko_win_internal{};
    if (rec->internal == nullptr) {
        delete rec;
        return nullptr;
    }
    rec->signature = VKO_WIN_SIGNATURE;
    rec->flags = VKO_WF_FIXED;
    rec->type = W_SCREEN;
    rec->event_mask = 0;
    rec->draw.ctools.pen = s_cpen{1, PAT_SOLID, P_SOLID, VKO_COLOR_BLACK};
    rec->draw.ctools.brush = s_cbrush{PAT_SOLID, VKO_COLOR_WHITE};
    rec->draw.ctools.fore_color = VKO_COLOR_BLACK;
    rec->draw.ctools.back_color = VKO_COLOR_WHITE;
    for (COLOR &c : rec->color_set.colors)
        c = VKO_COLOR_UNSET;
    rec->internal->placement = kScreenRect;
    rec->internal->title = "Screen";
    vkobase::live_add(rec, vkobase::LiveKind::Window);
    return rec;
}

} // namespace

void vkobase_reset_win() noexcept {
    if (state().screen != nullptr && vkobase::win_is_live(state().screen))
        free_silently(state().screen);
    state() = WinState{};
}

namespace vkobase {

bool win_is_live(WINDOW win) noexcept {
    // The registry is asked first, so a freed or foreign pointer is never read.
    return live_is(win, LiveKind::Window) && win->signature == VKO_WIN_SIGNATURE;
}

vko_win_internal *win_internal(WINDOW win) noexcept {
    return win_is_live(win) ? win->internal : nullptr;
}

e_win_type win_effective_type(WINDOW win) noexcept {
    return (win->flags & VKO_WF_TEXTEDIT) != 0 ? WC_TEXTEDIT : win->type;
}

WINDOW win_screen() noexcept {
    if (state().screen == nullptr)
        state().screen = make_screen();
    return state().screen;
}

std::uint64_t win_take_order() noexcept {
    return state().next_order++;
}

WINDOW win_create_record(const WinCreateArgs &args) noexcept {
    WINDOW parent = args.parent != nullptr ? args.parent : win_screen();
    // A window being destroyed takes no new children: they would outlive their parent.
    if (!win_is_live(parent) || (parent->state & VKO_WS_ENDING) != 0)
        return nullptr;
    auto *rec = new (std::nothrow) s_win{};
    if (rec == nullptr)
        return nullptr;
    rec->internal = new (std::nothrow) vko_win_internal{};
    if (rec->internal == nullptr) {
        delete rec;
        return nullptr;
    }
    vko_win_internal &in = *rec->internal;
    try {
        in.title = args.title != nullptr ? args.title : "";
        parent->internal->children.push_back(rec);
    } catch (...) {
        delete rec->internal;
        delete rec;
        return nullptr;
    }
    rec->signature = VKO_WIN_SIGNATURE;
    // A new window may lie over siblings that draw through kept contexts.
    vkobase::surface_layout_changed();
    rec->flags = args.flags;
    if (is_drawable_type(args.type))
        rec->flags |= 0x1000u;
    if (args.type == W_PIXMAP)
        rec->flags |= VKO_WF_PIXMAP;
    if ((args.menu_bar_id != 0 || args.menu_tree != nullptr) &&
        (args.flags & VKO_WSF_NO_MENUBAR) == 0)
        rec->flags |= 0x0200u;
    if ((args.flags & VKO_WSF_NO_MENUBAR) != 0)
        rec->state2 |= VKO_WS_NO_MENU;
    if (args.type == W_MODAL)
        rec->state2 |= VKO_WS_MODAL_USE;
    rec->parent = parent;
    rec->app_data = args.app_data;
    rec->handler = args.handler;
    rec->event_mask = args.event_mask;
    rec->type = args.type;
    rec->draw.ctools = parent->draw.ctools;
    rec->draw.ctools.mode = M_COPY;
    for (COLOR &c : rec->color_set.colors)
        c = VKO_COLOR_UNSET;
    in.placement = args.rct;
    vkov_rect_repair(&in.placement);
    in.ctl_id = args.ctl_id;
    in.ctl_flags = args.ctl_flags;
    in.menu_bar_id = args.menu_bar_id;
    in.menu_tree = args.menu_tree;
    in.visible = (args.flags & VKO_WSF_INVISIBLE) == 0;
    in.enabled = (args.flags & VKO_WSF_DISABLED) == 0;
    in.created_order = state().next_order++;
    in.front_order = in.created_order;
    live_add(rec, LiveKind::Window);
    ctl::make_window_bars(rec);
    if (in.visible)
        win_invalidate(rec, nullptr);
    if (args.send_create) {
        EVENT ev{};
        ev.type = E_CREATE;
        win_deliver_event(rec, &ev);
        if (!win_is_live(rec))
            return nullptr; // the create handler destroyed it
    }
    return rec;
}

void win_destroy_record(WINDOW win) noexcept {
    if (!win_is_live(win) || (win->state & VKO_WS_ENDING) != 0 || win == state().screen)
        return;
    win->state |= VKO_WS_ENDING;
    scr_focus_closing(win);
    // Children first, front to back, each with its own destroy event.
    const std::vector<WINDOW> kids = win->internal->children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        win_destroy_record(*it);
    EVENT ev{};
    ev.type = E_DESTROY;
    win_deliver_event(win, &ev);
    if (!win_is_live(win))
        return;
    cxo_destroy_all(win);
    for (auto &ext : win->internal->ext) {
        if (ext.data != nullptr && ext.free_fn != nullptr)
            ext.free_fn(ext.data);
        ext = vko_win_internal::Ext{};
    }
    if (win->parent != nullptr && win_is_live(win->parent) && win->internal->visible) {
        const s_rct outer = win_outer_rect(win);
        win_invalidate(win->parent, &outer);
    }
    timer_window_gone(win);
    scr_window_gone(win);
    app_window_gone(win);
    vobj_window_gone(win);
    unlink_from_parent(win);
    surface_layout_changed(); // the windows it lay over draw there again
    free_record(win);
}

void *win_get_ext(WINDOW win, int slot) noexcept {
    vko_win_internal *in = win_internal(win);
    if (in == nullptr || slot < 0 || slot >= vko_win_internal::kExtCount)
        return nullptr;
    return in->ext[slot].data;
}

void win_set_ext(WINDOW win, int slot, void *data, void (*free_fn)(void *)) noexcept {
    vko_win_internal *in = win_internal(win);
    if (in == nullptr || slot < 0 || slot >= vko_win_internal::kExtCount)
        return;
    auto &ext = in->ext[slot];
    if (ext.data != nullptr && ext.data != data && ext.free_fn != nullptr)
        ext.free_fn(ext.data);
    ext.data = data;
    ext.free_fn = free_fn;
}

std::int32_t win_deliver_event(WINDOW win, EVENT *event) noexcept {
    if (!win_is_live(win) || event == nullptr)
        return 0;
    if (event->type != E_UPDATE)
        return cxo_run_chain(win, win->internal->cxo_chain, event);
    const s_rct area = event->v.update.rct;
    ctl::before_update(win, area);
    const std::int32_t result = cxo_run_chain(win, win->internal->cxo_chain, event);
    ctl::after_update(win, area);
    return result;
}

void win_invalidate(WINDOW win, const s_rct *rct) noexcept {
    vko_win_internal *in = win_internal(win);
    if (in == nullptr || !in->visible)
        return;
    s_rct area;
    if (!win_client_part(win, rct, &area))
        return;
    // Merge with every pending rectangle it touches, so the region stays a short list of
    // disjoint rectangles.
    try {
        bool merged = true;
        while (merged) {
            merged = false;
            for (auto it = in->update_region.begin(); it != in->update_region.end(); ++it) {
                const s_rct &r = *it;
                if (r.left <= area.right && area.left <= r.right && r.top <= area.bottom &&
                    area.top <= r.bottom) {
                    area.top = std::min(area.top, r.top);
                    area.left = std::min(area.left, r.left);
                    area.bottom = std::max(area.bottom, r.bottom);
                    area.right = std::max(area.right, r.right);
                    in->update_region.erase(it);
                    merged = true;
                    break;
                }
            }
        }
        in->update_region.push_back(area);
    } catch (...) {
        return;
    }
    app_note_invalid(win);
}

WINDOW win_find_ctl(WINDOW win, std::int16_t ctl_id) noexcept {
    vko_win_internal *in = win_internal(win);
    if (in == nullptr)
        return nullptr;
    for (WINDOW kid : in->children) {
        if (kid->internal->ctl_id == ctl_id && win_effective_type(kid) >= WC_PUSHBUTTON)
            return kid;
    }
    for (WINDOW kid : in->children)
        if (WINDOW found = win_find_ctl(kid, ctl_id))
            return found;
    return nullptr;
}

s_rct win_outer_rect(WINDOW win) noexcept {
    const vko_win_internal *in = win_internal(win);
    if (in == nullptr)
        return s_rct{0, 0, 0, 0};
    const Insets ins = insets_of(win);
    const s_rct &p = in->placement;
    return s_rct{clamp16(p.top - ins.top), clamp16(p.left - ins.left),
                 clamp16(p.bottom + ins.bottom), clamp16(p.right + ins.right)};
}

s_rct win_client_rect(WINDOW win) noexcept {
    const vko_win_internal *in = win_internal(win);
    if (in == nullptr)
        return s_rct{0, 0, 0, 0};
    return s_rct{0, 0, clamp16(in->placement.bottom - in->placement.top),
                 clamp16(in->placement.right - in->placement.left)};
}

bool win_client_part(WINDOW win, const s_rct *rct, s_rct *area) noexcept {
    *area = win_client_rect(win);
    if (rct == nullptr)
        return true;
    s_rct given = *rct;
    vkov_rect_repair(&given);
    return vkov_rect_intersect(area, area, &given) != FALSE;
}

s_pnt win_client_origin_on_screen(WINDOW win) noexcept {
    std::int32_t v = 0, h = 0;
    for (WINDOW w = win; win_is_live(w) && w != state().screen; w = w->parent) {
        v += w->internal->placement.top;
        h += w->internal->placement.left;
    }
    return s_pnt{clamp16(v), clamp16(h)};
}

bool win_out_of_sight(WINDOW win) noexcept {
    WINDOW screen = state().screen;
    WINDOW top = win;
    while (win_is_live(top) && win_is_live(top->parent) && top->parent != screen)
        top = top->parent;
    if (!win_is_live(top) || top == screen || top->parent != screen)
        return false;
    s_rct sight = win_client_rect(screen);
    int width = 0, height = 0;
    if (display_screen_size(&width, &height)) {
        sight.right = clamp16(std::max<std::int32_t>(sight.right, width));
        sight.bottom = clamp16(std::max<std::int32_t>(sight.bottom, height));
    }
    const s_rct outer = win_outer_rect(top);
    return outer.left >= sight.right || outer.right <= sight.left || outer.top >= sight.bottom ||
           outer.bottom <= sight.top;
}

bool win_unseen(WINDOW win) noexcept {
    WINDOW screen = state().screen;
    for (WINDOW w = win_is_live(win) ? win->parent : nullptr; win_is_live(w) && w != screen;
         w = w->parent)
        if (!w->internal->visible)
            return true;
    return win_out_of_sight(win);
}

namespace {

WINDOW deepest_at(WINDOW win, std::int32_t v, std::int32_t h) noexcept {
    // v, h in win's client coordinates; children in front are tried first.
    const auto &kids = win->internal->children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        WINDOW kid = *it;
        if (!kid->internal->visible)
            continue;
        const s_rct outer = win_outer_rect(kid);
        if (v >= outer.top && v < outer.bottom && h >= outer.left && h < outer.right)
            return deepest_at(kid, v - kid->internal->placement.top,
                              h - kid->internal->placement.left);
    }
    return win;
}

} // namespace

WINDOW win_at_screen_point(s_pnt pnt) noexcept {
    WINDOW screen = win_screen();
    if (screen == nullptr)
        return nullptr;
    return deepest_at(screen, pnt.v, pnt.h);
}

} // namespace vkobase

extern "C" {

WINDOW vkok_win_create(e_win_type type, const s_rct *rct, const char *title, int16_t menu_bar_id,
                       WINDOW parent, uint32_t flags, int32_t event_mask, VKO_EVENT_HANDLER handler,
                       intptr_t app_data) noexcept {
    vkobase::WinCreateArgs args;
    args.type = type;
    if (rct != nullptr)
        args.rct = *rct;
    args.title = title;
    args.menu_bar_id = menu_bar_id;
    args.parent = parent;
    args.flags = flags & ~kLibraryFlags;
    args.event_mask = event_mask;
    args.handler = handler;
    args.app_data = app_data;
    return vkobase::win_create_record(args);
}

WINDOW vkok_win_create_def(s_win_def *def_list, WINDOW parent, int32_t event_mask,
                           VKO_EVENT_HANDLER handler, intptr_t app_data) noexcept {
    if (def_list == nullptr || def_list[0].type == 0)
        return nullptr;
    const s_win_def &first = def_list[0];
    vkobase::WinCreateArgs args;
    args.type = first.type;
    args.rct = first.rct;
    if (first.units != VKO_U_PIXELS && vkok_rect_to_pixels(&args.rct, first.units) == nullptr)
        return nullptr;
    args.title = first.text;
    args.menu_bar_id = first.menu_bar_id;
    args.menu_tree = first.menu_tree;
    args.parent = parent;
    args.flags = first.win_flags & ~kLibraryFlags;
    args.event_mask = event_mask;
    args.handler = handler;
    args.app_data = app_data;
    args.ctl_id = first.id;
    // The window's own create event waits until its children exist.
    args.send_create = false;
    WINDOW win = vkobase::win_create_record(args);
    if (win == nullptr)
        return nullptr;
    win->internal->dialog_face = first.type == W_MODAL || first.type == W_MODELESS;
    for (s_win_def *entry = def_list + 1; entry->type != 0; ++entry) {
        if (entry->type == WC_TEXTEDIT) {
            if (VKO_TX_CREATE_DEF create = vkobase::app_tx_create())
                create(entry, win, entry->app_data);
            continue;
        }
        vkobase::WinCreateArgs kid;
        kid.type = entry->type;
        kid.rct = entry->rct;
        if (entry->units != VKO_U_PIXELS && vkok_rect_to_pixels(&kid.rct, entry->units) == nullptr)
            continue;
        kid.title = entry->text;
        kid.parent = win;
        kid.flags = (entry->type >= WC_PUSHBUTTON ? entry->ctl_flags : entry->win_flags) &
                    ~kLibraryFlags;
        kid.ctl_flags = entry->type >= WC_PUSHBUTTON ? entry->ctl_flags : 0;
        kid.event_mask = event_mask;
        kid.handler = entry->type >= WC_PUSHBUTTON ? nullptr : handler;
        kid.app_data = entry->app_data;
        kid.ctl_id = entry->id;
        kid.send_create = entry->type < WC_PUSHBUTTON;
        if (WINDOW made = vkobase::win_create_record(kid))
            made->internal->ctl_value = entry->value1;
        if (!vkobase::win_is_live(win))
            return nullptr; // a child's create handler destroyed the dialog
    }
    if (win->internal->dialog_face)
        vkobase::ctl::focus_first(win);
    EVENT ev{};
    ev.type = E_CREATE;
    vkobase::win_deliver_event(win, &ev);
    return vkobase::win_is_live(win) ? win : nullptr;
}

WINDOW vkov_win_create_res(int16_t res_id, WINDOW parent, int32_t event_mask,
                           VKO_EVENT_HANDLER handler, intptr_t app_data) noexcept;

int32_t vkok_win_dispatch_event(WINDOW win, EVENT *event) noexcept {
    return vkobase::win_deliver_event(win, event);
}

WINDOW vkok_win_get_ctl(WINDOW win, int16_t ctl_id) noexcept {
    return vkobase::win_find_ctl(win, ctl_id);
}

TXEDIT vkov_win_get_tx(WINDOW win, int32_t ctl_id) noexcept {
    if (!vkobase::win_is_live(win))
        return 0;
    if (VKO_TX_GET_TX get = vkobase::app_tx_get_tx())
        return get(win, ctl_id);
    return 0;
}

void *vkov_win_get_nav(WINDOW win) noexcept {
    // Keyboard navigation between controls is the framework's; the base library keeps no
    // navigation object of its own.
    (void)win;
    return nullptr;
}

uint32_t vkov_win_check_flags(e_win_type type, WINDOW parent, uint32_t flags) noexcept {
    (void)flags;
    if (parent != nullptr && !vkobase::win_is_live(parent))
        return 0x1220002u;
    // A window that is to show a menu bar must be one that has a title bar to hang it from.
    const bool wants_menu = (flags & VKO_WF_MENU_MASK) != 0 && (flags & VKO_WSF_NO_MENUBAR) == 0;
    if (wants_menu && type != W_DOC && type != W_TASK && type != W_DBL && type != W_MODAL &&
        type != W_MODELESS && type != W_PLAIN && type != W_NO_BORDER && type != W_SUBWIN)
        return 0x220000u;
    return 0;
}

uint32_t vkov_win_check_fonts(const s_win_def *def_list) noexcept {
    if (def_list == nullptr)
        return 0x210000u;
    for (const s_win_def *entry = def_list; entry->type != 0; ++entry)
        if (entry->font != nullptr && !vkobase::live_is(entry->font, vkobase::LiveKind::Font))
            return 0x1220003u;
    return 0;
}

} // extern "C"
