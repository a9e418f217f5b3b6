// window_internal.h: how the families of the base library create, find, check and extend
// window records (controls, lists, menus, notebooks, scroll bars, text-edit windows and pixmaps
// are windows). Internal to vkobase. A window record is live exactly while win_is_live says so;
// never read a record before asking.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vkobase/types.h"

// The part of the window record that only the base library sees (s_win::internal).
struct vko_win_internal {
    // Extension slots: one per family that keeps data of its own in a window. The data is
    // freed by its free function when the window is destroyed (after the destroy event).
    enum { kExtCtl, kExtList, kExtMenu, kExtNotebk, kExtSbar, kExtTx, kExtDraw, kExtUi, kExtCount };
    struct Ext {
        void *data = nullptr;
        void (*free_fn)(void *) = nullptr;
    };

    s_rct placement{}; // client area in the parent's client coordinates
    std::string title;
    std::vector<WINDOW> children; // in z-order: the last one is in front
    std::int16_t ctl_id = 0;
    std::uint32_t ctl_flags = 0; // a control's flags from its definition entry
    std::int16_t ctl_value = 0;  // a control's first value from its definition entry (an
                                 // icon's resource id, an edit field's character limit)
    // A dialog built from a definition list: the library paints its face and moves the
    // keyboard focus between its controls (Tab, arrows, Enter, Escape).
    bool dialog_face = false;
    // One of a window's own scroll bars: a scroll-bar control along its bottom or right edge
    // that shows the window's bar (kind 0 or 1) and sends it scroll events.
    bool window_bar = false;
    std::int16_t menu_bar_id = 0;
    MENU_TREE menu_tree = nullptr; // owned by the menu family once set
    bool visible = true;
    bool enabled = true;
    // Caret, in client coordinates.
    s_pnt caret_pos{};
    std::int16_t caret_width = 0;
    std::int16_t caret_height = 0;
    bool caret_visible = false;
    // Pending update region: the rectangles invalidated since the last update event, merged
    // where they overlap. Client coordinates.
    std::vector<s_rct> update_region;
    // While this window's update event is handled: the region being repainted.
    std::vector<s_rct> updating_region;
    bool modal_running = false;
    bool modal_ended = false;
    // A message box: it takes no keys typed before it was on the screen (see on_key).
    bool fresh_input_only = false;
    // A box whose answer ends the program: it takes no key in its first moment on the screen,
    // so that the keys of a word being typed cannot answer it unread (see on_key).
    bool deliberate_keys_only = false;
    // The window inside this one that last had the keyboard focus (possibly gone since).
    WINDOW last_focus = nullptr;
    CXO cxo_chain = nullptr; // first class-extension object; each links to the next
    std::uint64_t created_order = 0;
    // When the window last came to the front (made or raised), in the order of creation
    // numbers: it orders top-level windows across the screen and the task window.
    std::uint64_t front_order = 0;
    Ext ext[kExtCount];
};

namespace vkobase {

// What a new window record is made from. The rectangle is the client area in the parent's
// client coordinates; the outer rectangle adds the decorations of the type.
struct WinCreateArgs {
    e_win_type type = W_DOC;
    s_rct rct{0, 0, 100, 100};
    const char *title = nullptr;
    std::int16_t menu_bar_id = 0;
    MENU_TREE menu_tree = nullptr;
    WINDOW parent = nullptr; // null: the screen window
    std::uint32_t flags = 0; // creation flags; VKO_WF_* kind bits are added by type
    std::int32_t event_mask = VKO_EVENT_MASK_ALL;
    VKO_EVENT_HANDLER handler = nullptr;
    intptr_t app_data = 0;
    std::int16_t ctl_id = 0;
    std::uint32_t ctl_flags = 0; // kept in the internal part, not in the record's flags
    bool send_create = true;     // queue the create event for the window's handler
};

// Creates and registers a window record, links it under its parent (in front of its
// siblings) and, unless told not to, sends it its create event at once. Null when the parent
// is not live. Control types (12 to 25) get VKO_WF_TEXTEDIT only when they are text edits.
WINDOW win_create_record(const WinCreateArgs &args) noexcept;

// Destroys a window: its children first, each getting its destroy event before its record is
// cleared; then the window's own destroy event, the class-extension objects' -2 events, the
// extension slots' free functions, and the record is unregistered and freed. A window whose
// destruction is already running is left alone.
void win_destroy_record(WINDOW win) noexcept;

// True when the pointer is a registered window record with the live signature.
bool win_is_live(WINDOW win) noexcept;
// Internal part of a live record; null for anything else.
vko_win_internal *win_internal(WINDOW win) noexcept;
// 23 for a record whose flags hold VKO_WF_TEXTEDIT, else its type. Only for live records.
e_win_type win_effective_type(WINDOW win) noexcept;

// Extension data of a family, or null.
void *win_get_ext(WINDOW win, int slot) noexcept;
// Sets a family's extension data (freeing what was there with its free function).
void win_set_ext(WINDOW win, int slot, void *data, void (*free_fn)(void *)) noexcept;

// Delivers an event now: through the window's class-extension chain (objects whose mask holds
// the type), then to its handler when the mask of the window holds the type (create and
// destroy are always delivered). Answers the handler's result, 0 when nobody handled it.
std::int32_t win_deliver_event(WINDOW win, EVENT *event) noexcept;
// Queues an event for the window; it is delivered in order by the event loop.
void win_post_event(WINDOW win, const EVENT &event) noexcept;
// Chooses, when a queued key comes up, the window that takes it (null: nobody): the key was
// typed over `typed_over` as the `read_order`th input read.
using KeyTarget = WINDOW (*)(WINDOW typed_over, std::uint64_t read_order) noexcept;
// Queues a key typed over the window; its target is chosen by `choose` when the events queued
// before it have been handled (a click before it may have moved the focus).
void win_post_key(WINDOW typed_over, const EVENT &event, KeyTarget choose,
                  std::uint64_t read_order) noexcept;

// Marks a rectangle of the window's client area (null: all of it) for repainting.
void win_invalidate(WINDOW win, const s_rct *rct) noexcept;

// Delivers the pending update of the window and of its descendants now, before the caller
// goes on (what a drawing family's "update" call does).
void win_update_now(WINDOW win) noexcept;

// True when part of the rectangle (client coordinates) lies in the area that the window's
// running update event repaints, or in its pending update region.
bool win_is_update_needed(WINDOW win, const s_rct *rct) noexcept;

// The control with that id among the window's descendants (depth first), or null.
WINDOW win_find_ctl(WINDOW win, std::int16_t ctl_id) noexcept;

// Outer and client rectangles: outer in the parent's client coordinates, client in the
// window's own (top-left 0, 0).
s_rct win_outer_rect(WINDOW win) noexcept;
s_rct win_client_rect(WINDOW win) noexcept;
// The part of the client rectangle that rct covers (client coordinates, repaired first; null:
// the whole client rectangle), in *area. False when they do not meet.
bool win_client_part(WINDOW win, const s_rct *rct, s_rct *area) noexcept;
// Position of the window's client origin on the screen.
s_pnt win_client_origin_on_screen(WINDOW win) noexcept;
// Whether the window's top-level window lies wholly outside the screen (and outside the X
// display's screen, which may be larger), as a window parked out of sight until it is needed.
// Nothing of such a window can be seen: its updates wait until it is moved into view.
bool win_out_of_sight(WINDOW win) noexcept;
// Whether nothing of the window can be seen for now: a window above it is hidden (a notebook's
// page behind the front one) or its top-level window is out of sight. Its updates wait.
bool win_unseen(WINDOW win) noexcept;

// The visible, enabled-or-not window in front at a screen point: the deepest visible child
// of the frontmost visible top-level window whose outer rectangle holds the point; the screen
// window when no other does.
WINDOW win_at_screen_point(s_pnt pnt) noexcept;

// The screen window (attribute 300) and the task window (attribute 301, null before start).
WINDOW win_screen() noexcept;
WINDOW win_task() noexcept;

// The next number of the creation order, for a window raised now.
std::uint64_t win_take_order() noexcept;

} // namespace vkobase
