// twin_internal.h: what the window-based families (twin, tctl, tmenu, tnotebk, tsbar, tscr,
// tpmap, tcxo) share: the allowed-type sets, the typed window check, colour components and
// definition-list walks. Nothing outside those families includes it.
// The rule a reader must not miss: every reader here takes a window that live_window() has
// already accepted; none of them may be handed an unchecked handle.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "ruk/static/frame.h"

namespace vkoruk {

// A set of window types as a bit mask: bit t stands for type t (all types are below 32).
using TypeSet = std::uint32_t;
constexpr TypeSet type_set(std::initializer_list<int> types) {
    TypeSet set = 0;
    for (const int t : types)
        set |= TypeSet{1} << t;
    return set;
}
constexpr bool in_set(TypeSet set, std::int32_t type) {
    return type >= 0 && type < 32 && (set & (TypeSet{1} << type)) != 0;
}

// The allowed-type sets of the window family (effective type of the window argument).
constexpr TypeSet kSetA = type_set({1, 2, 3, 5, 6, 7, 9});
constexpr TypeSet kSetB = type_set({1, 2, 3, 5, 6, 7, 9, 10, 11});
constexpr TypeSet kSetC = type_set({1, 2, 3, 5, 7, 9, 10, 11});
constexpr TypeSet kSetD = type_set({1, 2, 3, 7, 9});
constexpr TypeSet kSetE = type_set({1, 2, 3, 5, 7, 9, 10, 11, 25});

constexpr std::int32_t kModalType = 9;
constexpr std::int32_t kNotebookType = 25;

// The window check followed by the type test: null 0x1210002, not live 0x1220002, effective
// type outside the set gives `wrong_type_code` (0x1230001 unless a family says otherwise) at
// line + kWrongKindLineBase.
inline bool window_of_type(const ApiFrame &frame, WINDOW win, TypeSet set, int line,
                           std::uint32_t wrong_type_code = kErrWrongWindowKind) noexcept {
    if (!frame.live_window(win, line))
        return false;
    if (in_set(set, effective_type(win)))
        return true;
    frame.refuse(wrong_type_code, line + kWrongKindLineBase);
    return false;
}

// A colour component is exactly one of the bits 2 to 128.
constexpr bool is_color_component(std::int32_t component) {
    switch (component) {
    case 2:
    case 4:
    case 8:
    case 16:
    case 32:
    case 64:
    case 128:
        return true;
    default:
        return false;
    }
}

// The component check of the colour entry points: anything but one of the bits 2 to 128 is
// refused with 0x1230001.
inline bool component_ok(const ApiFrame &frame, std::int32_t component, int line) noexcept {
    if (is_color_component(component))
        return true;
    frame.refuse(kErrWrongWindowKind, line);
    return false;
}

// The colour of the first pair for `component` in a list ended by (0, VKO_COLOR_UNSET);
// VKO_COLOR_UNSET when the list is null or lacks the component. Frees the list with
// vkov_mem_free, since every list searched here was handed over by the base library.
inline COLOR take_component(s_color_pair *list, std::int32_t component) noexcept {
    COLOR found = VKO_COLOR_UNSET;
    if (list == nullptr)
        return found;
    for (const s_color_pair *pair = list; !(pair->component == 0 && pair->color == VKO_COLOR_UNSET);
         ++pair) {
        if (pair->component == component) {
            found = pair->color;
            break;
        }
    }
    vkov_mem_free(list);
    return found;
}

// A one-pair colour list with its end pair, built on the caller's stack.
struct ComponentList {
    s_color_pair pairs[2];
    ComponentList(std::int32_t component, COLOR color) noexcept
        : pairs{{component, color}, {0, VKO_COLOR_UNSET}} {}
};

// The menu-bar test of vko_win_has_menu: a menu-bearing style and no "no menu bar" state.
inline bool has_menu_bar(WINDOW win) noexcept {
    return (win->flags & VKO_WF_MENU_MASK) != 0 && (win->state2 & VKO_WS_NO_MENU) == 0;
}

// Runs the base library's control-flag check over every entry after the first, up to the
// entry of type 0, skipping native control entries (type 23); the first non-zero code is
// reported. True when every entry passed.
inline bool control_entries_pass(const ApiFrame &frame, const s_win_def *list, int line) noexcept {
    if (list->type == 0)
        return true;
    for (const s_win_def *entry = list + 1; entry->type != 0; ++entry) {
        if (entry->type == kTextEditType)
            continue;
        const std::uint32_t code = vkov_ctl_check_flags(entry->type, entry->ctl_flags);
        if (code != 0) {
            frame.refuse(code, line);
            return false;
        }
    }
    return true;
}

} // namespace vkoruk
