// menu_internal.h: what the resource, menu, event-loop and display modules share about menus:
// menu-item arrays, the menu bar of a window, the open menu that follows the user's mouse and
// keys, and the accelerator table. Internal to vkobase.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "res_text.h"
#include "vkobase/types.h"

namespace vkobase {

// A menu-item array ends with an all-zero record. Separators carry their bit and every other
// item its text, so a record ends the array only when nothing at all is set in it.
inline bool menu_item_is_end(const s_mitem& item) noexcept {
    return item.tag == 0 && item.text == nullptr && item.child == nullptr &&
           item.separator == 0 && item.mkey == 0 && item.enabled == 0 && item.checked == 0 &&
           item.checkable == 0 && item.state == 0;
}

} // namespace vkobase

namespace vkobase::menu {

// The accelerator table whose keys send menu tags to the window with the menu bar.
constexpr std::int32_t kAccelTableId = 9001;

// A title as shown: without its '&' or '~' marks, the index of the marked letter (-1: none)
// and the key text that follows a tab.
struct Label {
    std::string text;
    int mnemonic = -1;
    std::string keys;
};
Label parse_label(const char *title);
// The upper-case letter that chooses the item from the keyboard, 0 when none is marked.
std::uint16_t mnemonic_of(const char *title) noexcept;

// res.cpp: the entries of an accelerator table in table order; empty when there is none.
std::vector<std::pair<res::AccelKey, std::int16_t>> accel_table(std::int32_t id);

// menu.cpp: the window's own tree (borrowed), loaded on first use; null when it has none.
MENU_TREE window_tree(WINDOW win) noexcept;

// True for a top-level window that shows a menu bar: a menu style, no "no menu" state bit
// and a tree to show.
bool shows_bar(WINDOW win) noexcept;
// Height of the bar strip above the client area, in pixels.
int bar_height() noexcept;
// Draws the window's bar (highlighting the open title) into cr, whose origin is the strip's
// top-left corner.
void draw_bar(WINDOW win, cairo_t *cr, int width) noexcept;
// Changes whenever a bar must be drawn again (an item changed, a title was highlighted);
// bar_changed also draws the open levels again.
std::uint64_t bar_generation() noexcept;
void bar_changed() noexcept;
// What draw_bar shows of the window's bar, as text: the titles, which are enabled and which
// is highlighted. An item deep in a menu changes the generation but not this.
std::string bar_look(WINDOW win) noexcept;

// Horizontal extent of each title of a bar width pixels wide: left and right edges, in
// order of the items; empty for a tree with no titles.
struct Span {
    int left = 0, right = 0;
};
void bar_layout(const s_mitem *tree, int width, Span *out, int max_out, int *count) noexcept;

// The open menu. At most one menu is open at a time: a menu of a window's bar, or a pop-up.
bool is_active() noexcept;
// The window whose bar (or pop-up) is open, null when none is.
WINDOW active_owner() noexcept;
// True for the windows that show the levels of the open menu.
bool is_level_window(WINDOW win) noexcept;
// True while the open menu hangs from a window's bar (false for a pop-up menu).
bool opened_from_bar() noexcept;
// A press in the window's bar strip (screen point): opens the title under it, or closes the
// open menu when the press is on its own title. False when nothing was under the point.
bool bar_press(WINDOW owner, s_pnt screen, bool shift, bool control) noexcept;
// Pointer input while a menu is open, in screen coordinates.
void pointer(e_event type, s_pnt screen, bool shift, bool control) noexcept;
// A key for target: the open menu's keys, then F10, the accelerators and Alt with a title's
// letter. True when the key was used (the focus must not see it).
bool key(WINDOW target, const s_char &c) noexcept;
// Alt pressed and released alone, or F10: the bar's first title is highlighted for keys.
void activate_bar(WINDOW owner) noexcept;
// Closes the open menu without a choice (a menu of owner only, or any when owner is null).
void close(WINDOW owner) noexcept;
// The open levels (outermost first) and where an item of one lies on the screen; for tests
// and pictures of open menus.
int level_count() noexcept;
WINDOW level_window(int level) noexcept;
s_rct item_rect(int level, int item) noexcept;
// Where a title of the window's bar lies on the screen; empty when it has no such title.
s_rct title_rect(WINDOW win, int index) noexcept;
// Shows items at a window point and runs until one is chosen (its tag) or the menu is
// dismissed (0).
std::int16_t run_popup(MENU_TREE items, WINDOW win, s_pnt pos, std::int32_t align,
                       std::int16_t tag) noexcept;

} // namespace vkobase::menu
