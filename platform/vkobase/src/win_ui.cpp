// win_ui.cpp: the per-window settings that the user sees but that do not need drawing yet:
// control colours and font, cursor, caret, pointer trap, and the listing and enumeration of
// child windows; also windows built from a window resource. Colour lists handed out are
// allocated with vkov_mem_alloc; the caller frees them with vkov_mem_free.
#include <cstring>

#include "core_internal.h"
#include "live_registry.h"
#include "vkobase/color.h"
#include "vkobase/mem.h"
#include "vkobase/res.h"
#include "vkobase/slist.h"
#include "vkobase/win.h"
#include "window_internal.h"

namespace {

struct WinUiState {
    WINDOW trap = nullptr;
};

WinUiState &state() noexcept {
    static WinUiState s;
    return s;
}

// Slot of a component bit (2 -> 1 ... 128 -> 7), or -1 for anything else.
int slot_of(e_color_component component) noexcept {
    for (int slot = 1; slot < VKO_COLOR_SET_SLOTS; ++slot)
        if (component == (1 << slot))
            return slot;
    return -1;
}

} // namespace

void vkobase_reset_win_ui() noexcept {
    state() = WinUiState{};
}

extern "C" {

void vkov_color_modify_set(s_color_set *set, const s_color_pair *colors, BOOLEAN reset) noexcept {
    if (set == nullptr)
        return;
    if (reset != 0)
        for (COLOR &c : set->colors)
            c = VKO_COLOR_UNSET;
    if (colors == nullptr)
        return;
    for (const s_color_pair *pair = colors; !(pair->component == 0); ++pair) {
        const int slot = slot_of(pair->component);
        if (slot >= 0)
            set->colors[slot] = pair->color;
    }
}

s_color_pair *vkok_win_get_ctl_colors(WINDOW win) noexcept {
    if (!vkobase::win_is_live(win))
        return nullptr;
    int count = 0;
    for (int slot = 1; slot < VKO_COLOR_SET_SLOTS; ++slot)
        if (win->color_set.colors[slot] != VKO_COLOR_UNSET)
            ++count;
    if (count == 0)
        return nullptr;
    auto *list = static_cast<s_color_pair *>(
        vkov_mem_alloc(sizeof(s_color_pair) * static_cast<std::size_t>(count + 1)));
    if (list == nullptr)
        return nullptr;
    int at = 0;
    for (int slot = 1; slot < VKO_COLOR_SET_SLOTS; ++slot)
        if (win->color_set.colors[slot] != VKO_COLOR_UNSET)
            list[at++] = s_color_pair{1 << slot, win->color_set.colors[slot]};
    list[at] = s_color_pair{0, VKO_COLOR_UNSET};
    return list;
}

void vkok_win_set_ctl_colors(WINDOW win, const s_color_pair *colors, BOOLEAN reset) noexcept {
    if (!vkobase::win_is_live(win))
        return;
    vkov_color_modify_set(&win->color_set, colors, reset);
    vkobase::win_invalidate(win, nullptr);
}

s_fntid *vkok_win_get_ctl_font(WINDOW win) noexcept {
    return vkobase::win_is_live(win) ? win->ctl_font : nullptr;
}

void vkov_win_set_ctl_font(WINDOW win, s_fntid *font) noexcept {
    // The window refers to the caller's font; it does not take it over.
    if (!vkobase::win_is_live(win))
        return;
    win->ctl_font = font;
    vkobase::win_invalidate(win, nullptr);
}

void vkok_win_set_cursor(WINDOW win, int16_t cursor_id) noexcept {
    if (vkobase::win_is_live(win))
        win->cursor_id = static_cast<uint16_t>(cursor_id);
}

void vkok_win_set_caret_pos(WINDOW win, s_pnt pos) noexcept {
    if (vko_win_internal *in = vkobase::win_internal(win))
        in->caret_pos = pos;
}

void vkok_win_set_caret_size(WINDOW win, int16_t width, int16_t height) noexcept {
    if (vko_win_internal *in = vkobase::win_internal(win)) {
        in->caret_width = width;
        in->caret_height = height;
    }
}

void vkok_win_set_caret_visible(WINDOW win, BOOLEAN visible) noexcept {
    if (vko_win_internal *in = vkobase::win_internal(win))
        in->caret_visible = visible != 0;
}

void vkok_win_set_doc_title(WINDOW win, const char *title) noexcept {
    // A document title is shown as the window's title.
    if (vko_win_internal *in = vkobase::win_internal(win)) {
        if (title == nullptr)
            return;
        try {
            in->title = title;
        } catch (...) {
        }
    }
}

void vkok_win_trap_pointer(WINDOW win) noexcept {
    if (vkobase::win_is_live(win))
        state().trap = win;
}

void vkok_win_release_pointer(void) noexcept {
    state().trap = nullptr;
}

WINDOW vkov_win_get_pointer_trap(void) noexcept {
    return vkobase::win_is_live(state().trap) ? state().trap : nullptr;
}

BOOLEAN vkov_win_enum_wins(WINDOW win, VKO_ENUM_CALLBACK callback, intptr_t data,
                           int32_t reserved) noexcept {
    (void)reserved;
    vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr || callback == nullptr)
        return FALSE;
    // A copy, since a callback may destroy windows; dead ones are skipped.
    const std::vector<WINDOW> kids = in->children;
    for (WINDOW kid : kids) {
        // A window's own scroll bars belong to its frame, not to its children.
        if (!vkobase::win_is_live(kid) || kid->internal->window_bar)
            continue;
        if (!callback(kid, data))
            return FALSE;
    }
    return TRUE;
}

SLIST vkov_win_list_wins(WINDOW win, int32_t reserved, BOOLEAN direct_only) noexcept {
    (void)reserved;
    vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr)
        return nullptr;
    SLIST list = vkov_slist_create();
    if (list == nullptr)
        return nullptr;
    std::vector<WINDOW> pending(in->children.begin(), in->children.end());
    for (std::size_t i = 0; i < pending.size(); ++i) {
        WINDOW kid = pending[i];
        if (kid->internal->window_bar)
            continue;
        vkov_slist_add(list, kid->internal->title.c_str(), 0);
        if (direct_only == 0)
            pending.insert(pending.end(), kid->internal->children.begin(),
                           kid->internal->children.end());
    }
    return list;
}

SLIST vkov_win_list_cxos(WINDOW win) noexcept {
    vko_win_internal *in = vkobase::win_internal(win);
    if (in == nullptr)
        return nullptr;
    SLIST list = vkov_slist_create();
    if (list == nullptr)
        return nullptr;
    for (CXO obj = in->cxo_chain; obj != nullptr; obj = obj->next)
        vkov_slist_add(list, obj->class_name, 0);
    return list;
}

WINDOW vkov_win_create_res(int16_t res_id, WINDOW parent, int32_t event_mask,
                           VKO_EVENT_HANDLER handler, intptr_t app_data) noexcept {
    s_win_def *def = vkov_res_get_win_def(res_id);
    if (def == nullptr)
        return nullptr;
    WINDOW win = vkok_win_create_def(def, parent, event_mask, handler, app_data);
    vkov_res_free_win_def(def);
    return win;
}

} // extern "C"
