// display_input.cpp: how X input reads as the toolkit's input: keys as character records
// (characters in Windows-1252, navigation and keypad keys as virtual key codes), X buttons as
// button numbers, and points as a window of the tree with a point in its client area. Pure
// translations: nothing here talks to the server.
#include "display_internal.h"
#include "ctl_internal.h"

#include <X11/keysym.h>

#include "surface_internal.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace {

// Modifier bits of the character record.
constexpr std::uint32_t kModShift = 2;
constexpr std::uint32_t kModControl = 4;
constexpr std::uint32_t kModAlt = 8;
constexpr std::uint32_t kModMeta = 192;

// X keysyms of Unicode characters are 0x01000000 plus the code point.
constexpr unsigned long kUnicodeKeysymBase = 0x01000000ul;

// The characters of Windows-1252 at 0x80 to 0x9F, by code point (0 where the code is unused).
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The virtual key of a keysym, 0 for keys that are characters. With control, the arrows
// move by words and Home and End go to the ends of the text.
std::uint16_t virtual_key(unsigned long keysym, bool shift, bool control) noexcept {
    switch (keysym) {
    case XK_Up:
        return VKO_KEY_UP;
    case XK_Down:
        return VKO_KEY_DOWN;
    case XK_Right:
        return control ? VKO_KEY_WORD_RIGHT : VKO_KEY_RIGHT;
    case XK_Left:
        return control ? VKO_KEY_WORD_LEFT : VKO_KEY_LEFT;
    case XK_Prior:
    case XK_KP_Prior:
        return VKO_KEY_PAGE_UP;
    case XK_Next:
    case XK_KP_Next:
        return VKO_KEY_PAGE_DOWN;
    case XK_Home:
    case XK_KP_Home:
        return control ? VKO_KEY_TEXT_START : VKO_KEY_LINE_START;
    case XK_End:
    case XK_KP_End:
        return control ? VKO_KEY_TEXT_END : VKO_KEY_LINE_END;
    case XK_Insert:
    case XK_KP_Insert:
        return VKO_KEY_INSERT;
    case XK_Delete:
    case XK_KP_Delete:
        return VKO_KEY_DELETE;
    case XK_ISO_Left_Tab:
        return VKO_KEY_BACK_TAB;
    case XK_Tab:
        return shift ? VKO_KEY_BACK_TAB : 0;
    case XK_KP_Multiply:
        return VKO_KEY_PAD_MULTIPLY;
    case XK_KP_Subtract:
        return VKO_KEY_PAD_SUBTRACT;
    case XK_KP_Add:
        return VKO_KEY_PAD_ADD;
    case XK_KP_Divide:
        return VKO_KEY_PAD_DIVIDE;
    case XK_KP_Decimal:
        return VKO_KEY_PAD_DECIMAL;
    case XK_KP_Left:
        return VKO_KEY_PAD_LEFT;
    case XK_KP_Right:
        return VKO_KEY_PAD_RIGHT;
    case XK_KP_Up:
        return VKO_KEY_PAD_UP;
    case XK_KP_Down:
        return VKO_KEY_PAD_DOWN;
    default:
        break;
    }
    if (keysym >= XK_F1 && keysym <= XK_F12)
        return static_cast<std::uint16_t>(VKO_KEY_F1 + (keysym - XK_F1));
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return static_cast<std::uint16_t>(VKO_KEY_PAD_0 + (keysym - XK_KP_0));
    return 0;
}

// The Windows-1252 code of a Unicode character, 0 when it has none.
std::uint16_t cp1252_of(unsigned long code_point) noexcept {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF))
        return static_cast<std::uint16_t>(code_point);
    for (std::uint16_t i = 0; i < 32; ++i)
        if (kCp1252High[i] != 0 && kCp1252High[i] == code_point)
            return static_cast<std::uint16_t>(0x80 + i);
    return 0;
}

// The character of a key that is not virtual, 0 for none. Control keys come first: their
// lookup text differs between servers, their codes do not.
std::uint16_t character_of(unsigned long keysym, const char *text, int text_len) noexcept {
    switch (keysym) {
    case XK_BackSpace:
        return 8;
    case XK_Tab:
        return 9;
    case XK_Return:
    case XK_KP_Enter:
        return 13;
    case XK_Escape:
        return 27;
    default:
        break;
    }
    if (text != nullptr && text_len == 1 && text[0] != 0)
        return static_cast<unsigned char>(text[0]);
    if (keysym >= kUnicodeKeysymBase && keysym <= kUnicodeKeysymBase + 0xFFFF)
        return cp1252_of(keysym - kUnicodeKeysymBase);
    if (keysym == XK_EuroSign)
        return 0x80;
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
        return static_cast<std::uint16_t>(keysym); // Latin-1 keysyms are their own code
    return 0;
}

// Client origin of a window relative to another's, both in the same tree.
s_pnt offset_between(WINDOW outer, WINDOW inner) noexcept {
    const s_pnt a = vkobase::win_client_origin_on_screen(outer);
    const s_pnt b = vkobase::win_client_origin_on_screen(inner);
    return s_pnt{static_cast<std::int16_t>(b.v - a.v), static_cast<std::int16_t>(b.h - a.h)};
}

WINDOW deepest_under(WINDOW win, std::int32_t v, std::int32_t h) noexcept {
    const auto &kids = win->internal->children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        WINDOW kid = *it;
        if (!kid->internal->visible || (kid->flags & VKO_WF_PIXMAP) != 0 || kid->type == W_PRINT ||
            kid->type == W_PIXMAP || vkobase::display_has_own_window(kid))
            continue;
        const s_rct outer = vkobase::win_outer_rect(kid);
        if (v >= outer.top && v < outer.bottom && h >= outer.left && h < outer.right &&
            vkobase::ctl::takes_point_at(kid, v - outer.top))
            return deepest_under(kid, v - kid->internal->placement.top,
                                 h - kid->internal->placement.left);
    }
    return win;
}

} // namespace

namespace vkobase {

bool display_has_own_window(WINDOW win) noexcept {
    if (!win_is_live(win) || win == win_screen() || (win->flags & VKO_WF_PIXMAP) != 0)
        return false;
    if (win->type == W_PIXMAP || win->type == W_PRINT)
        return false;
    // Shown where its pixels are: a window that draws on a surface of its own.
    return surface_owner(win) == win;
}

bool display_translate_key(unsigned long keysym, unsigned state, const char *text, int text_len,
                           s_char *out) noexcept {
    if (out == nullptr)
        return false;
    const bool shift = (state & kXShift) != 0;
    const bool control = (state & kXControl) != 0;
    s_char c{};
    c.shift = shift ? 1 : 0;
    c.control = control ? 1 : 0;
    c.modifiers = (shift ? kModShift : 0) | (control ? kModControl : 0) |
                  ((state & kXMod1) != 0 ? kModAlt : 0) | ((state & kXMod4) != 0 ? kModMeta : 0);
    if (const std::uint16_t code = virtual_key(keysym, shift, control)) {
        c.ch = code;
        c.virt = 1;
    } else {
        c.ch = character_of(keysym, text, text_len);
        if (c.ch == 0)
            return false;
    }
    *out = c;
    return true;
}

std::int16_t display_mouse_button(unsigned x_button) noexcept {
    switch (x_button) {
    case 1:
        return 0;
    case 3:
        return 1;
    case 2:
        return 2;
    default:
        return -1;
    }
}

bool display_wheel_event(WINDOW under, unsigned x_button, WINDOW *target, EVENT *event) noexcept {
    if (!win_is_live(under) || x_button < 4 || x_button > 7)
        return false;
    const bool horizontal = x_button >= 6;
    const e_scroll_ctl what = (x_button == 4 || x_button == 6) ? SC_LINE_UP : SC_LINE_DOWN;
    EVENT ev{};
    const e_win_type type = win_effective_type(under);
    if ((type == WC_VSCROLL && !horizontal) || (type == WC_HSCROLL && horizontal)) {
        if (!win_is_live(under->parent))
            return false;
        ev.type = E_CONTROL;
        ev.v.ctl.id = under->internal->ctl_id;
        ev.v.ctl.ci.type = under->type;
        ev.v.ctl.ci.win = under;
        ev.v.ctl.ci.v.sbar.what = what;
        *target = under->parent;
    } else {
        ev.type = horizontal ? E_HSCROLL : E_VSCROLL;
        ev.v.scroll.what = what;
        *target = under;
    }
    *event = ev;
    return true;
}

PointerShape display_pointer_shape(WINDOW win, bool busy) noexcept {
    if (busy)
        return PointerShape::kWait;
    if (!win_is_live(win))
        return PointerShape::kArrow;
    switch (win->cursor_id) {
    case VKO_CURSOR_IBEAM:
        return PointerShape::kIBeam;
    case VKO_CURSOR_SPLIT:
        return PointerShape::kSplit;
    case VKO_CURSOR_WAIT:
        return PointerShape::kWait;
    case VKO_CURSOR_CROSS:
        return PointerShape::kCross;
    case VKO_CURSOR_HELP:
        return PointerShape::kHelp;
    case VKO_CURSOR_HAND:
        return PointerShape::kHand;
    default:
        break;
    }
    const e_win_type type = win_effective_type(win);
    return type == WC_EDIT || type == WC_LISTEDIT || type == WC_TEXTEDIT ? PointerShape::kIBeam
                                                                         : PointerShape::kArrow;
}

WINDOW display_window_at(WINDOW owner, s_pnt *pnt) noexcept {
    if (!win_is_live(owner) || pnt == nullptr)
        return nullptr;
    WINDOW hit = deepest_under(owner, pnt->v, pnt->h);
    const s_pnt off = offset_between(owner, hit);
    pnt->v = static_cast<std::int16_t>(pnt->v - off.v);
    pnt->h = static_cast<std::int16_t>(pnt->h - off.h);
    return hit;
}

} // namespace vkobase
