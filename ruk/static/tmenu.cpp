// tmenu.cpp: the menu family of the checking layer ("tmenu"): a window's menu tree, its items'
// check marks, enabled states and titles, the font-selection item, the menu-bar rebuild and
// pop-up menus. Every member refuses calls made during an update before any other check.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/twin_internal.h"

namespace {

constexpr char kModule[] = "tmenu";

using namespace vkoruk;

constexpr TypeSet kPopupTypes = type_set({1, 2, 3, 5, 7, 9, 10, 11});
constexpr int32_t kAlignOnItem = 3; // the pop-up opens on the item that carries the tag

bool menu_bar_ok(const ApiFrame &frame, WINDOW win, int line) noexcept {
    if (!frame.live_window(win, line))
        return false;
    if (has_menu_bar(win))
        return true;
    frame.refuse(kErrNoMenuBar, line + kWrongKindLineBase);
    return false;
}

bool tag_ok(const ApiFrame &frame, int16_t tag, int line) noexcept {
    if (tag > 0)
        return true;
    frame.refuse(kErrValueOutOfSet, line);
    return false;
}

// Whether one item of the tree's top level carries the tag; the level ends at tag 0.
bool top_level_has_tag(const s_mitem *tree, int16_t tag) noexcept {
    for (const s_mitem *item = tree; item->tag != 0; ++item) {
        if (item->tag == tag)
            return true;
    }
    return false;
}

bool check_vko_menu_get_font_sel(ApiFrame &frame, WINDOW win, BOOLEAN) {
    return menu_bar_ok(frame, win, __LINE__);
}

bool check_vko_menu_get_tree(ApiFrame &frame, WINDOW win) {
    return menu_bar_ok(frame, win, __LINE__);
}

bool check_vko_menu_set_font_sel(ApiFrame &frame, WINDOW win, FONT_OBJ font) {
    if (!menu_bar_ok(frame, win, __LINE__))
        return false;
    return font == nullptr || frame.valid_font(font, __LINE__);
}

// The item setters work without a menu bar too: the tags may belong to a pop-up.
bool check_vko_menu_set_item_checked(ApiFrame &frame, WINDOW win, int16_t tag, BOOLEAN) {
    if (!frame.live_window(win, __LINE__))
        return false;
    return tag_ok(frame, tag, __LINE__);
}

bool check_vko_menu_set_item_enabled(ApiFrame &frame, WINDOW win, int16_t tag, BOOLEAN) {
    if (!frame.live_window(win, __LINE__))
        return false;
    return tag_ok(frame, tag, __LINE__);
}

bool check_vko_menu_set_item_title(ApiFrame &frame, WINDOW win, int16_t tag, const char *title) {
    if (!frame.live_window(win, __LINE__))
        return false;
    if (!tag_ok(frame, tag, __LINE__))
        return false;
    return frame.not_null(title, __LINE__);
}

bool check_vko_menu_set_tree(ApiFrame &frame, WINDOW win, MENU_TREE tree) {
    if (!menu_bar_ok(frame, win, __LINE__))
        return false;
    if (tree != nullptr)
        return true;
    frame.refuse(kErrNullMenuTree, __LINE__);
    return false;
}

bool check_vko_menu_update(ApiFrame &frame, WINDOW win) {
    return menu_bar_ok(frame, win, __LINE__);
}

bool check_vko_menu_popup(ApiFrame &frame, MENU_TREE tree, WINDOW win, s_pnt, int32_t align,
                          int16_t tag) {
    if (tree == nullptr) {
        frame.refuse(kErrNullMenuTree, __LINE__);
        return false;
    }
    if (!frame.live_window(win, __LINE__))
        return false;
    if (is_text_edit(win) || !in_set(kPopupTypes, win->type)) {
        frame.refuse(kErrBadWindow, __LINE__);
        return false;
    }
    if (align == kAlignOnItem && !top_level_has_tag(tree, tag)) {
        frame.refuse(kErrBadName, __LINE__);
        return false;
    }
    return true;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tmenu.def"
