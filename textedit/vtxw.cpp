// vtxw.cpp: text-edit windows (window mode). Each text edit is a child window marked as a text
// edit, linked to its record by a "TXEditClassName" class-extension object whose hook feeds the
// window's events to the engine; its parent, the top-level window above it and the task window
// carry a "TXParentClassCXO" object that hands menu commands to the focused text-edit window.
// Links live in one process-wide list; a link dies with its class-extension object.
#include "tx_internal.h"

#include <algorithm>

#include "vkobase/color.h"
#include "vkobase/cxo.h"
#include "vkobase/dlist.h"
#include "vkobase/dwin.h"
#include "vkobase/font.h"
#include "vkobase/mem.h"
#include "vkobase/res.h"
#include "vkobase/scr.h"
#include "vkobase/static.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace vkotx {
namespace {

constexpr char kEditClass[] = "TXEditClassName";
constexpr char kParentClass[] = "TXParentClassCXO";
// Events 1, 2, 4, 6, 7, 8, 9, 10 and 13 for the engine, and 11 and 12, the scroll events that
// the base library makes of the mouse wheel over the window.
constexpr std::int32_t kEditMask = 0x27D6 | 0x1800;
constexpr std::int32_t kParentMask = 0x2000; // menu commands
constexpr std::uint32_t kWindowFlags = 0x800;
constexpr std::int32_t kFontAllParts = 63;
constexpr std::int32_t kAttrDefaultCtlFont = 719;
constexpr std::int32_t kCxoDestroyed = -2;
constexpr std::int32_t kCxoDataSet = -1;

// One per text-edit window; the class-extension object's data word points here.
struct tx_window_link {
    std::uint32_t slot;
    std::int32_t cid;
    WINDOW win;
    WINDOW parent;
    CXO cxo;
    FONT_OBJ
        made_font; // the window's control font when this module made it; it goes with the window
};

void init_list(void *block) {
    *static_cast<DLIST *>(block) = vkov_dlist_create();
}
void fini_list(void *block) {
    vkov_dlist_destroy(*static_cast<DLIST *>(block));
}
s_static_desc g_list_desc = {sizeof(DLIST), init_list, fini_list};

DLIST window_list() {
    void *block = vkok_static_get_ptr(&g_list_desc);
    return block != nullptr ? *static_cast<DLIST *>(block) : nullptr;
}

// Walks the list; answers the first link after `after` that pred accepts.
template <typename Pred> tx_window_link *find_link(Pred &&pred, tx_window_link *after = nullptr) {
    DLIST list = window_list();
    auto any = [](const void *, const void *) -> std::int32_t { return 0; };
    void *item = vkov_dlist_find_next(list, nullptr, after, any);
    while (item != nullptr) {
        auto *link = static_cast<tx_window_link *>(item);
        if (pred(link))
            return link;
        item = vkov_dlist_find_next(list, nullptr, item, any);
    }
    return nullptr;
}

std::int32_t pass_hook(WINDOW, EVENT *) {
    return 0;
}

std::int32_t parent_hook(CXO obj, EVENT *event) {
    if (event->type == E_CXO)
        return 0;
    WINDOW focus = vkok_scr_get_focus_vobj();
    if (focus != nullptr && vkov_vobj_is_valid(focus) && (focus->flags & VKO_WF_TEXTEDIT) != 0) {
        const std::int32_t result = vkok_win_dispatch_event(focus, event);
        if (result != 0)
            return result;
    }
    return vkov_cxo_call_next(nullptr, obj, event);
}

tx_window_link *link_of(WINDOW win) {
    CXO obj = vkov_win_get_cxo(win, kEditClass, 0);
    if (obj == nullptr || vkov_cxo_is_valid(obj) == FALSE)
        return nullptr;
    return reinterpret_cast<tx_window_link *>(obj->data);
}

// A window does not own its control font: the one this module made is destroyed here.
void release_made_font(tx_window_link *link) {
    WINDOW win = link->win;
    if (link->made_font != nullptr && vkov_vobj_is_valid(win) && win->ctl_font == link->made_font) {
        win->ctl_font = nullptr;
        vkov_font_destroy(link->made_font);
    }
    link->made_font = nullptr;
}

// Scrolls the text by a scroll action: a line, or a page less a line. The scroll callback
// tells the owner, which moves its bars.
void scroll_by_action(tx_record *rec, bool vertical, e_scroll_ctl action) {
    const std::int32_t line = rec->line_height;
    const std::int32_t page =
        vertical ? std::max(1, tx_visible_lines(rec) - 1) * line
                 : std::max(line, rec->view.right - rec->view.left - line);
    std::int32_t towards_start = 0; // pixels; positive shows what comes before
    switch (action) {
    case SC_LINE_UP: towards_start = line; break;
    case SC_LINE_DOWN: towards_start = -line; break;
    case SC_PAGE_UP: towards_start = page; break;
    case SC_PAGE_DOWN: towards_start = -page; break;
    default: return;
    }
    tx_scroll(rec, vertical ? 0 : towards_start, vertical ? towards_start : 0);
}

// The base library turns the mouse wheel over a window into scroll events for that window; a
// text-edit window has no bars of its own, so its text scrolls. True for a scroll event.
bool wheel_scroll(WINDOW win, const EVENT &event) {
    if (event.type != E_VSCROLL && event.type != E_HSCROLL)
        return false;
    if (const std::uint32_t slot = tx_slot_of_window(win); slot != 0) {
        {
            TxLock rec(slot, __LINE__);
            if (rec)
                scroll_by_action(rec.get(), event.type == E_VSCROLL, event.v.scroll.what);
        }
        tx_restore_drawing();
    }
    return true;
}

std::int32_t edit_hook(CXO obj, EVENT *event) {
    if (event->type != E_CXO) {
        const std::int32_t next = vkov_cxo_call_next(nullptr, obj, event);
        if (next == -1)
            return -1;
        if (obj->data == 0)
            return next;
        WINDOW win = obj->win;
        if (event->type == E_FOCUS) {
            const std::uint32_t slot = tx_slot_of_window(win);
            if (tx_record *rec = tx_lock_record(slot)) {
                tx_notify_parent(rec, 1, event->v.focus.active != 0 ? 1 : 0);
                tx_unlock_record_of(slot, rec);
            }
            // The parent may have destroyed the window, and this object with it, when told.
            if (!vkov_vobj_is_valid(win))
                return 0;
        }
        if (wheel_scroll(win, *event))
            return 1;
        const BOOLEAN consumed = vkovo_tx_process_event(win, event);
        if (event->type == E_DESTROY && obj->data != 0)
            release_made_font(reinterpret_cast<tx_window_link *>(obj->data));
        return consumed;
    }
    if (event->v.cxo.what == kCxoDestroyed) {
        auto *link = reinterpret_cast<tx_window_link *>(obj->data);
        tx_window_link *found = find_link([obj](const tx_window_link *l) { return l->cxo == obj; });
        if (found != nullptr)
            vkov_dlist_delete(window_list(), found);
        if (link == nullptr)
            link = found;
        obj->data = 0;
        vkov_mem_free(link);
        return 1;
    }
    if (event->v.cxo.what == kCxoDataSet) {
        obj->data = event->v.cxo.value;
        return 1;
    }
    return 0;
}

bool give_parent_object(WINDOW win) {
    if (win == nullptr || vkov_win_get_cxo(win, kParentClass, 0) != nullptr)
        return true;
    return vkov_cxo_create(win, 0, 1, parent_hook, kParentMask, kParentClass, 0) != nullptr;
}

// The font a text-edit window's record uses; made says whether the caller must destroy it.
FONT_OBJ default_control_font(bool &made) {
    made = true;
    const auto res_id = static_cast<std::int32_t>(vkok_vobj_get_attr(nullptr, kAttrDefaultCtlFont));
    if (res_id != 0)
        if (FONT_OBJ font = vkov_res_get_font(res_id))
            return font;
    return vkov_font_create();
}

// Sets the record's font, lays it out again and resets its view, as the object-mode export does.
void apply_font(WINDOW win, FONT_OBJ font) {
    const std::uint32_t slot = tx_slot_of_window(win);
    tx_record *rec = tx_lock_record(slot);
    if (rec == nullptr)
        return;
    tx_set_font(rec, font);
    tx_move(slot, nullptr);
    tx_reset_view(rec, true); // its scroll callback may destroy the text edit
    tx_unlock_record_of(slot, rec);
}

s_rct grown_by_one(const s_rct &rct) {
    return s_rct{static_cast<std::int16_t>(rct.top - 1), static_cast<std::int16_t>(rct.left - 1),
                 static_cast<std::int16_t>(rct.bottom + 1),
                 static_cast<std::int16_t>(rct.right + 1)};
}

} // namespace

std::uint32_t tx_slot_of_window(WINDOW win) {
    if (win == nullptr || !vkov_vobj_is_valid(win))
        return 0;
    CXO obj = vkov_win_get_cxo(win, kEditClass, 0);
    if (obj == nullptr || vkov_cxo_is_valid(obj) == FALSE || obj->data == 0)
        return 0;
    return reinterpret_cast<const tx_window_link *>(obj->data)->slot;
}

WINDOW tx_create_window(WINDOW parent, const s_rct *rct, std::uint16_t attrs, FONT_OBJ font,
                        std::int16_t margin, std::uint16_t limit, std::int32_t cid,
                        std::intptr_t data) {
    WINDOW win = vkok_win_create(static_cast<e_win_type>(7), rct, "", 0, parent, kWindowFlags, -1,
                                 pass_hook, data);
    if (win == nullptr)
        return nullptr;
    win->flags |= VKO_WF_TEXTEDIT;
    win->app_data = data;

    auto *link = static_cast<tx_window_link *>(vkov_mem_zalloc(sizeof(tx_window_link)));
    if (link == nullptr) {
        vkok_vobj_destroy(win);
        return nullptr;
    }
    link->win = win;
    link->cid = cid;
    link->parent = parent;

    s_rct client{};
    vkok_vobj_get_client_rect(win, &client);
    link->slot = tx_create_record(win, &client, attrs, nullptr, margin, limit, cid, data);
    tx_restore_drawing();
    if (link->slot == 0) {
        vkok_vobj_destroy(win);
        vkov_mem_free(link);
        return nullptr;
    }
    CXO obj = vkov_cxo_create(win, 0, 1, edit_hook, kEditMask, kEditClass, 0);
    if (obj == nullptr) {
        tx_free_slot(link->slot);
        vkok_vobj_destroy(win);
        vkov_mem_free(link);
        return nullptr;
    }
    link->cxo = obj;
    obj->data = reinterpret_cast<std::intptr_t>(link);
    if (!give_parent_object(parent)) {
        obj->data = 0; // the link is freed here, not by the object's destroy event
        vkov_cxo_destroy(obj);
        tx_free_slot(link->slot);
        vkok_vobj_destroy(win);
        vkov_mem_free(link);
        return nullptr;
    }
    give_parent_object(tx_top_level_of(parent));
    give_parent_object(reinterpret_cast<WINDOW>(vkok_vobj_get_attr(nullptr, kAttrTaskWindow)));
    vkov_dlist_insert(window_list(), link, nullptr, TRUE);

    vkov_tx_reset_colors(win, nullptr, FALSE);
    tx_window_font(win, font);
    if ((attrs & kAttrInvisible) != 0)
        vkok_vobj_set_visible(win, FALSE);
    if ((attrs & kAttrDisabled) != 0)
        vkok_vobj_set_enabled(win, FALSE);
    return win;
}

void tx_window_font(WINDOW win, FONT_OBJ font) {
    if (win == nullptr || !vkov_vobj_is_valid(win))
        return;
    tx_window_link *link = link_of(win);
    if (font != nullptr) {
        if (win->ctl_font == nullptr) {
            win->ctl_font = vkov_font_create();
            if (link != nullptr)
                link->made_font = win->ctl_font;
        }
        if (win->ctl_font != nullptr) {
            vkov_font_copy(win->ctl_font, font, kFontAllParts);
            vkov_font_set_win(win->ctl_font, win);
        }
    } else if (win->ctl_font != nullptr) {
        if (link != nullptr && link->made_font == win->ctl_font)
            link->made_font = nullptr;
        vkov_font_destroy(win->ctl_font);
        win->ctl_font = nullptr;
    }
    bool made = false;
    FONT_OBJ use = win->ctl_font;
    if (use == nullptr && win->parent != nullptr && vkov_vobj_is_valid(win->parent))
        use = win->parent->ctl_font;
    if (use == nullptr)
        use = default_control_font(made);
    apply_font(win, use);
    if (made && use != nullptr)
        vkov_font_destroy(use);
}

WINDOW tx_find_window(WINDOW parent, std::int32_t cid) {
    tx_window_link *link =
        find_link([&](const tx_window_link *l) { return l->parent == parent && l->cid == cid; });
    return link != nullptr ? link->win : nullptr;
}

void tx_notify_parent(tx_record *rec, std::int16_t value1, std::int16_t value2) {
    if (tx_object_mode() || rec->win == nullptr || !vkov_vobj_is_valid(rec->win))
        return;
    WINDOW parent = rec->win->parent;
    if (parent == nullptr)
        return;
    EVENT event{};
    event.type = E_CONTROL;
    event.v.ctl.id = static_cast<std::int16_t>(vkov_tx_get_cid(reinterpret_cast<TXEDIT>(rec->win)));
    event.v.ctl.ci.type = WC_TEXTEDIT;
    event.v.ctl.ci.win = rec->win;
    event.v.ctl.ci.v.edit.focus_change = value1;
    event.v.ctl.ci.v.edit.active = value2;
    tx_restore_drawing(); // the parent's handler draws with its own state
    vkok_win_dispatch_event(parent, &event);
}

} // namespace vkotx

using namespace vkotx;

extern "C" VKOTEXT_API void vkov_tx_reset_colors(WINDOW win, const s_color_pair *colors,
                                                 BOOLEAN reset) noexcept {
    if (win == nullptr)
        return;
    const bool text_edit_window = vkov_vobj_is_valid(win) &&
                                  ((win->flags & VKO_WF_TEXTEDIT) != 0 || win->type == WC_TEXTEDIT);
    if (text_edit_window)
        vkov_color_modify_set(&win->color_set, colors, reset);
    const std::uint32_t count = tx_slot_count();
    for (std::uint32_t slot = 1; slot <= count; ++slot) {
        const tx_slot *entry = tx_slot_entry(slot);
        if (entry == nullptr || entry->record == nullptr)
            continue;
        const tx_record *peek = entry->record.get();
        if ((text_edit_window ? peek->win : peek->owner) != win)
            continue;
        tx_record *rec = tx_lock_record(slot);
        if (rec == nullptr)
            continue;
        if (tx_reset_colors(rec)) {
            const s_rct area = grown_by_one(rec->outer);
            vkok_dwin_invalidate_rect(rec->win, &area);
        }
        tx_unlock_record(slot);
    }
    tx_restore_drawing();
}

extern "C" VKOTEXT_API void vkov_tx_win_set_font(WINDOW win, FONT_OBJ font) noexcept {
    bool made = false;
    if (font == nullptr)
        font = default_control_font(made);
    tx_window_link *link = nullptr;
    while ((link = find_link([win](const tx_window_link *l) { return l->parent == win; }, link)) !=
           nullptr) {
        if (vkov_vobj_is_valid(link->win) && link->win->ctl_font == nullptr)
            apply_font(link->win, font);
    }
    if (made && font != nullptr)
        vkov_font_destroy(font);
    tx_restore_drawing();
}
