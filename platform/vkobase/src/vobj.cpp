// vobj.cpp: what every visible object has (visibility, enabling, titles, rectangles, point
// translation, raising) and the attributes by number, on the null object (application-wide)
// and per window. An attribute nobody set answers its default, 0 for unknown numbers; a set
// value is kept whatever the number. Attribute 707 is the memory-function table.
#include "vkobase/vobj.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "core_internal.h"
#include "ctl_internal.h"
#include "live_registry.h"
#include "surface_internal.h"
#include "vkobase/mem.h"
#include "vkobase/rect.h"
#include "window_internal.h"

namespace {

struct VobjState {
    std::map<std::int32_t, intptr_t> app_attrs;
    std::map<WINDOW, std::map<std::int32_t, intptr_t>> win_attrs;
};

VobjState &state() noexcept {
    static VobjState s;
    return s;
}

// The application's default control colours (attribute 715).
const s_color_pair kDefaultCtlColors[] = {
    {VKO_CC_FORE, VKO_COLOR_BLACK},
    {VKO_CC_BACK, VKO_COLOR_WHITE},
    {VKO_CC_BORDER, VKO_COLOR_BLACK},
    {0, VKO_COLOR_UNSET},
};

intptr_t app_default(std::int32_t attr) noexcept {
    switch (attr) {
    case VKO_ATTR_DEFAULT_BACK_COLOR:
        return static_cast<intptr_t>(VKO_COLOR_WHITE);
    case VKO_ATTR_LISTBUTTON_HEIGHT:
        return 24;
    case VKO_ATTR_HSCROLL_HEIGHT:
    case VKO_ATTR_VSCROLL_WIDTH:
        return 16;
    case VKO_ATTR_RADIO_SIZE:
        return 13;
    case VKO_ATTR_TEXT_HEIGHT:
        return 20;
    case VKO_ATTR_SCREEN_WINDOW:
        return reinterpret_cast<intptr_t>(vkobase::win_screen());
    case VKO_ATTR_PRINTER_HRES:
    case VKO_ATTR_PRINTER_VRES:
        return 300;
    case VKO_ATTR_SCREEN_HRES:
    case VKO_ATTR_SCREEN_VRES:
        return 96;
    case VKO_ATTR_SCREEN_WIDTH:
        return vkobase::win_client_rect(vkobase::win_screen()).right;
    case VKO_ATTR_SCREEN_HEIGHT:
        return vkobase::win_client_rect(vkobase::win_screen()).bottom;
    case VKO_ATTR_SCREEN_COLORS:
    case VKO_ATTR_PRINTER_COLORS:
        return 1 << 24;
    case VKO_ATTR_FRAME_WIDTH:
    case VKO_ATTR_FRAME_HEIGHT:
    case VKO_ATTR_DOCFRAME_WIDTH:
    case VKO_ATTR_DOCFRAME_HEIGHT:
    case VKO_ATTR_DBLFRAME_WIDTH:
    case VKO_ATTR_DBLFRAME_HEIGHT:
        return 4;
    case VKO_ATTR_MENU_HEIGHT:
    case VKO_ATTR_TITLE_HEIGHT:
        return 20;
    case VKO_ATTR_DEFAULT_CTL_COLORS:
        return reinterpret_cast<intptr_t>(kDefaultCtlColors);
    default:
        return 0;
    }
}

void move_record(WINDOW win, const s_rct &rct) noexcept {
    vko_win_internal *in = win->internal;
    s_rct wanted = rct;
    vkov_rect_repair(&wanted);
    const s_rct old_outer = vkobase::win_outer_rect(win);
    const std::int16_t old_h = vkov_rect_get_height(&in->placement);
    const std::int16_t old_w = vkov_rect_get_width(&in->placement);
    in->placement = wanted;
    vkobase::surface_layout_changed();
    vkobase::ctl::place_window_bars(win);
    if (in->visible && vkobase::win_is_live(win->parent)) {
        vkobase::win_invalidate(win->parent, &old_outer);
        const s_rct new_outer = vkobase::win_outer_rect(win);
        vkobase::win_invalidate(win->parent, &new_outer);
    }
    vkobase::win_invalidate(win, nullptr);
    // Moved into view: what waited out of sight is drawn now.
    if (!vkobase::win_unseen(win))
        vkobase::app_note_pending_updates(win);
    const std::int16_t new_h = vkov_rect_get_height(&wanted);
    const std::int16_t new_w = vkov_rect_get_width(&wanted);
    if (new_h != old_h || new_w != old_w) {
        EVENT ev{};
        ev.type = E_SIZE;
        ev.v.size.height = new_h;
        ev.v.size.width = new_w;
        vkobase::win_deliver_event(win, &ev);
    }
}

void redraw_controls(WINDOW win) noexcept {
    if (vkobase::ctl::is_native(win))
        vkobase::win_invalidate(win, nullptr);
    for (WINDOW kid : win->internal->children)
        redraw_controls(kid);
}

} // namespace

void vkobase_reset_vobj() noexcept {
    state().app_attrs.clear();
    state().win_attrs.clear();
}

namespace vkobase {

void vobj_window_gone(WINDOW win) noexcept {
    state().win_attrs.erase(win);
    for (auto &entry : state().app_attrs)
        if (entry.second == reinterpret_cast<intptr_t>(win) &&
            (entry.first == VKO_ATTR_TASK_WINDOW || entry.first == VKO_ATTR_SCREEN_WINDOW))
            entry.second = 0;
}

WINDOW win_task() noexcept {
    const auto it = state().app_attrs.find(VKO_ATTR_TASK_WINDOW);
    if (it == state().app_attrs.end())
        return nullptr;
    WINDOW win = reinterpret_cast<WINDOW>(it->second);
    return win_is_live(win) ? win : nullptr;
}

} // namespace vkobase

extern "C" {

void vkok_vobj_destroy(WINDOW win) noexcept {
    vkobase::win_destroy_record(win);
}

void vkok_vobj_move(WINDOW win, const s_rct *rct) noexcept {
    if (!vkobase::win_is_live(win) || rct == nullptr || (win->flags & VKO_WF_FIXED) != 0)
        return;
    move_record(win, *rct);
}

void vkok_vobj_raise(WINDOW win) noexcept {
    if (!vkobase::win_is_live(win) || !vkobase::win_is_live(win->parent))
        return;
    auto &kids = win->parent->internal->children;
    const auto it = std::find(kids.begin(), kids.end(), win);
    if (it == kids.end() || it + 1 == kids.end())
        return;
    kids.erase(it);
    kids.push_back(win);
    win->internal->front_order = vkobase::win_take_order();
    vkobase::surface_layout_changed();
    vkobase::win_invalidate(win, nullptr);
}

void vkok_vobj_set_visible(WINDOW win, BOOLEAN visible) noexcept {
    vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr || in->visible == (visible != 0))
        return;
    if (visible == 0 && vkobase::win_is_live(win->parent)) {
        const s_rct outer = vkobase::win_outer_rect(win);
        vkobase::win_invalidate(win->parent, &outer);
    }
    in->visible = visible != 0;
    vkobase::surface_layout_changed();
    if (in->visible) {
        vkobase::win_invalidate(win, nullptr);
        // What waited inside it while it was hidden is drawn now.
        if (!vkobase::win_unseen(win))
            vkobase::app_note_pending_updates(win);
    } else {
        in->update_region.clear();
    }
}

void vkok_vobj_set_enabled(WINDOW win, BOOLEAN enabled) noexcept {
    vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr || in->enabled == (enabled != 0))
        return;
    in->enabled = enabled != 0;
    // Controls show the change (greyed or not), also those of a window enabled as a whole.
    redraw_controls(win);
}

void vkov_vobj_set_title(WINDOW win, const char *title) noexcept {
    vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr || title == nullptr)
        return;
    // The same text again changes nothing to draw (status lines and fields get theirs set
    // on every look-up).
    if (in->title == title)
        return;
    try {
        in->title = title;
    } catch (...) {
        return;
    }
    vkobase::win_invalidate(win, nullptr);
}

s_rct *vkok_vobj_get_client_rect(WINDOW win, s_rct *rct) noexcept {
    if (!vkobase::win_is_live(win) || rct == nullptr)
        return nullptr;
    *rct = vkobase::win_client_rect(win);
    return rct;
}

s_rct *vkok_vobj_get_outer_rect(WINDOW win, s_rct *rct) noexcept {
    if (!vkobase::win_is_live(win) || rct == nullptr)
        return nullptr;
    *rct = vkobase::win_outer_rect(win);
    return rct;
}

char *vkok_vobj_get_title(WINDOW win, char *buf, int32_t buf_size) noexcept {
    const vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr || buf == nullptr || buf_size < 1)
        return nullptr;
    const std::size_t n = std::min(in->title.size(), static_cast<std::size_t>(buf_size) - 1);
    std::memcpy(buf, in->title.data(), n);
    buf[n] = '\0';
    return buf;
}

uint32_t vkok_vobj_get_flags(WINDOW win) noexcept {
    const vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr)
        return 0;
    uint32_t flags = win->flags & ~(VKO_OF_HIDDEN | VKO_OF_DISABLED);
    if (!in->visible)
        flags |= VKO_OF_HIDDEN;
    if (!in->enabled)
        flags |= VKO_OF_DISABLED;
    return flags;
}

PALETTE vkov_vobj_get_palet(WINDOW win) noexcept {
    return vkobase::win_is_live(win) ? win->draw.palet : nullptr;
}

BOOLEAN vkok_vobj_is_focusable(WINDOW win) noexcept {
    const vko_win_internal *in = vkobase::win_internal(win);
    // A window's own scroll bars are worked by the mouse only.
    if (in == nullptr || !in->visible || !in->enabled || in->window_bar)
        return FALSE;
    switch (vkobase::win_effective_type(win)) {
    case W_PRINT:
    case W_SCREEN:
    case W_PIXMAP:
    case WC_TEXT:
    case WC_GROUPBOX:
    case WC_ICON:
        return FALSE;
    default:
        return TRUE;
    }
}

BOOLEAN vkov_vobj_is_valid(WINDOW win) noexcept {
    return vkobase::win_is_live(win) ? TRUE : FALSE;
}

BOOLEAN vkov_vobj_is_topwin(WINDOW win) noexcept {
    if (!vkobase::win_is_live(win) || win->parent != vkobase::win_screen())
        return FALSE;
    return win->type == W_PIXMAP || win->type == W_PRINT ? FALSE : TRUE;
}

BOOLEAN vkok_vobj_is_list(WINDOW win) noexcept {
    if (!vkobase::win_is_live(win))
        return FALSE;
    const e_win_type type = vkobase::win_effective_type(win);
    return type == WC_LBOX || type == WC_LISTBUTTON || type == WC_LISTEDIT ? TRUE : FALSE;
}

void vkok_vobj_translate_points(WINDOW from, WINDOW to, s_pnt *pnts, int32_t count) noexcept {
    if (pnts == nullptr || count <= 0)
        return;
    WINDOW src = from != nullptr ? from : vkobase::win_screen();
    WINDOW dst = to != nullptr ? to : vkobase::win_screen();
    if (!vkobase::win_is_live(src) || !vkobase::win_is_live(dst))
        return;
    const s_pnt a = vkobase::win_client_origin_on_screen(src);
    const s_pnt b = vkobase::win_client_origin_on_screen(dst);
    const std::int32_t dv = std::int32_t{a.v} - b.v;
    const std::int32_t dh = std::int32_t{a.h} - b.h;
    for (int32_t i = 0; i < count; ++i) {
        pnts[i].v = static_cast<std::int16_t>(
            std::clamp<std::int32_t>(pnts[i].v + dv, INT16_MIN, INT16_MAX));
        pnts[i].h = static_cast<std::int16_t>(
            std::clamp<std::int32_t>(pnts[i].h + dh, INT16_MIN, INT16_MAX));
    }
}

intptr_t vkok_vobj_get_attr(WINDOW win, int32_t attr) noexcept {
    if (attr == VKO_ATTR_MEM_FUNCTIONS)
        return reinterpret_cast<intptr_t>(vkov_mem_get_functions());
    if (win != nullptr) {
        if (!vkobase::win_is_live(win))
            return 0;
        const auto w = state().win_attrs.find(win);
        if (w == state().win_attrs.end())
            return 0;
        const auto it = w->second.find(attr);
        return it == w->second.end() ? 0 : it->second;
    }
    if (attr == VKO_ATTR_TASK_WINDOW)
        return reinterpret_cast<intptr_t>(vkobase::win_task());
    const auto it = state().app_attrs.find(attr);
    return it == state().app_attrs.end() ? app_default(attr) : it->second;
}

void vkov_vobj_set_attr(WINDOW win, int32_t attr, intptr_t value) noexcept {
    if (attr == VKO_ATTR_MEM_FUNCTIONS) {
        vkov_mem_set_functions(reinterpret_cast<const s_mem_functions *>(value));
        return;
    }
    try {
        if (win != nullptr) {
            if (vkobase::win_is_live(win))
                state().win_attrs[win][attr] = value;
            return;
        }
        // The screen window is the library's own; it cannot be replaced.
        if (attr == VKO_ATTR_SCREEN_WINDOW)
            return;
        state().app_attrs[attr] = value;
    } catch (...) {
    }
}

} // extern "C"
