// menu_keys.cpp: menus from the keyboard. While a menu is open every key is its own: the arrows
// move among items and titles, Return and an item's letter choose, Escape closes a level. With
// no menu open, F10 and Alt alone highlight the bar, Alt with a title's letter opens it, and
// the accelerator table's keys send their menu tags to the window with the bar.
#include "menu_view_internal.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace vkobase::menu_view {

namespace {

// Character-record modifier bits.
constexpr std::uint32_t kModShift = 2;
constexpr std::uint32_t kModControl = 4;
constexpr std::uint32_t kModAlt = 8;

int item_with_letter(const s_mitem *items, std::uint16_t letter) noexcept {
    for (int i = 0; i < count_items(items); ++i)
        if (items[i].separator == 0 && vkobase::menu::mnemonic_of(items[i].text) == letter)
            return i;
    return -1;
}

void move_title(int step) noexcept {
    const int n = count_items(vkobase::menu::window_tree(tr().owner));
    if (n == 0)
        return;
    const bool was_open = !tr().levels.empty();
    const int next = ((tr().bar_hot + step) % n + n) % n;
    if (was_open) {
        open_title(next, true);
    } else {
        tr().bar_hot = next;
        vkobase::menu::bar_changed();
    }
}

// Keys while a menu is open; every key is the menu's.
void tracker_key(const s_char &c) noexcept {
    Tracker &t = tr();
    const bool shift = (c.modifiers & kModShift) != 0 || c.shift != 0;
    const bool control = (c.modifiers & kModControl) != 0 || c.control != 0;
    const std::size_t depth = t.levels.size();
    Level *deepest = depth > 0 ? &t.levels.back() : nullptr;
    if (c.virt != 0) {
        switch (c.ch) {
        case VKO_KEY_UP:
        case VKO_KEY_DOWN: {
            const int step = c.ch == VKO_KEY_DOWN ? 1 : -1;
            if (deepest == nullptr) {
                if (t.from_bar)
                    open_title(t.bar_hot, true, step < 0);
                return;
            }
            const int from = deepest->hot < 0 ? (step > 0 ? 0 : -1) : deepest->hot + step;
            hover(depth - 1, first_item(deepest->items, from, step));
            pop_to(depth);
            return;
        }
        case VKO_KEY_RIGHT:
            if (deepest != nullptr && deepest->hot >= 0 &&
                opens_submenu(deepest->items[deepest->hot])) {
                open_submenu(depth - 1, true);
                return;
            }
            if (t.from_bar)
                move_title(1);
            return;
        case VKO_KEY_LEFT:
            if (depth > 1) {
                pop_level();
                return;
            }
            if (t.from_bar)
                move_title(-1);
            return;
        case VKO_KEY_F10:
            dismiss();
            return;
        default:
            return;
        }
    }
    switch (c.ch) {
    case 27: // Escape closes one level
        if (depth > 1 || (depth == 1 && t.from_bar))
            pop_level();
        else
            dismiss();
        return;
    case 13:
        if (deepest != nullptr)
            activate_item(depth - 1, deepest->hot, shift, control);
        else if (t.from_bar)
            open_title(t.bar_hot, true);
        return;
    default:
        break;
    }
    const std::uint16_t letter = upper(c.ch);
    if (deepest != nullptr) {
        activate_item(depth - 1, item_with_letter(deepest->items, letter), shift, control);
    } else if (t.from_bar) {
        const int title = item_with_letter(vkobase::menu::window_tree(t.owner), letter);
        if (title >= 0)
            open_title(title, true);
    }
}

// Whether the key matches an accelerator.
bool accel_matches(const vkobase::res::AccelKey &key, const s_char &c) noexcept {
    const bool control = (c.modifiers & kModControl) != 0 || c.control != 0;
    const bool shift = (c.modifiers & kModShift) != 0 || c.shift != 0;
    const bool alt = (c.modifiers & kModAlt) != 0;
    if (key.ctrl != control || key.alt != alt)
        return false;
    if ((key.virt || key.ctrl || key.alt) && key.shift != shift)
        return false;
    if (key.virt != (c.virt != 0))
        return false;
    if (key.virt)
        return key.code == c.ch;
    std::uint16_t ch = c.ch;
    // Control with a letter arrives as its control character.
    if (control && ch >= 1 && ch < 32 && ch != 8 && ch != 9 && ch != 13 && ch != 27)
        ch = static_cast<std::uint16_t>(ch + 64);
    return upper(ch) == key.code;
}

// The window whose bar or accelerators a key for target reaches: the nearest window up the
// tree that shows a bar, else the top-level window.
WINDOW key_owner(WINDOW target) noexcept {
    WINDOW top = nullptr;
    for (WINDOW w = target; vkobase::win_is_live(w) && w != vkobase::win_screen(); w = w->parent) {
        if (vkobase::menu::shows_bar(w))
            return w;
        top = w;
    }
    return top;
}

} // namespace

} // namespace vkobase::menu_view

using namespace vkobase::menu_view;

namespace vkobase::menu {

bool key(WINDOW target, const s_char &c) noexcept {
    if (is_active()) {
        tracker_key(c);
        return true;
    }
    WINDOW owner = key_owner(target);
    if (owner == nullptr)
        return false;
    const bool control = (c.modifiers & kModControl) != 0 || c.control != 0;
    const bool alt = (c.modifiers & kModAlt) != 0;
    const bool shift = (c.modifiers & kModShift) != 0 || c.shift != 0;
    if (c.virt != 0 && c.ch == VKO_KEY_F10 && !control && !alt && !shift && shows_bar(owner)) {
        activate_bar(owner);
        return true;
    }
    try {
        for (const auto &[accel, tag] : accel_table(kAccelTableId)) {
            if (!accel_matches(accel, c))
                continue;
            // The key of a disabled item sends nothing, as its item would not.
            const s_mitem *tree = window_tree(owner);
            for (const s_mitem *stack[32] = {tree}, **sp = stack + 1; sp != stack;) {
                const s_mitem *items = *--sp;
                for (int i = 0; items != nullptr && i < count_items(items); ++i) {
                    if (items[i].tag == tag && items[i].separator == 0 && items[i].enabled == 0)
                        return true;
                    if (items[i].child != nullptr && sp < stack + 32)
                        *sp++ = items[i].child;
                }
            }
            EVENT ev{};
            ev.type = E_COMMAND;
            ev.v.cmd.tag = tag;
            ev.v.cmd.shift = shift ? TRUE : FALSE;
            ev.v.cmd.control = control ? TRUE : FALSE;
            win_post_event(owner, ev);
            return true;
        }
    } catch (...) {
        return false;
    }
    if (alt && !control && c.virt == 0 && shows_bar(owner)) {
        const int title = item_with_letter(window_tree(owner), upper(c.ch));
        if (title >= 0 && start(owner, true)) {
            open_title(title, true);
            return true;
        }
    }
    return false;
}

void activate_bar(WINDOW owner) noexcept {
    if (is_active()) {
        dismiss();
        return;
    }
    if (!shows_bar(owner) || !start(owner, true))
        return;
    tr().bar_hot = 0;
    bar_changed();
}

} // namespace vkobase::menu
