// Menus: each window's own copy of its menu tree, kept in the window's menu extension slot and
// loaded on first use from the tree or menu-bar resource the window was created with; item
// changes by tag, shown on the bar at once; the font-selection font; pop-ups (menu_tracker.cpp
// shows them; a test may queue their answers instead).
#include "vkobase/menu.h"

#include <cstring>
#include <deque>
#include <new>

#include "font_internal.h"
#include "vkobase/font.h"
#include "vkobase/mem.h"
#include "vkobase/res.h"
#include "vkobase/testing.h"
#include "menu_internal.h"
#include "window_internal.h"

namespace {

struct MenuData {
    MENU_TREE tree = nullptr;
    bool loaded = false;
    FONT_OBJ font_sel = nullptr;
};

struct MenuState {
    std::deque<int16_t> popup_answers;
};

MenuState& state() {
    static MenuState s;
    return s;
}

void free_menu_data(void* data) {
    auto* menu = static_cast<MenuData*>(data);
    vkov_res_free_menu_tree(menu->tree);
    if (menu->font_sel != nullptr) {
        vkov_font_destroy(menu->font_sel);
    }
    delete menu;
}

// A deep copy of a tree in vkov_mem memory; null for a null tree or when memory runs out.
MENU_TREE copy_tree(const s_mitem* tree) {
    if (tree == nullptr) {
        return nullptr;
    }
    size_t count = 0;
    while (!vkobase::menu_item_is_end(tree[count])) {
        ++count;
    }
    auto* out = static_cast<s_mitem*>(vkov_mem_zalloc((count + 1) * sizeof(s_mitem)));
    if (out == nullptr) {
        return nullptr;
    }
    for (size_t i = 0; i < count; ++i) {
        out[i] = tree[i];
        out[i].text = nullptr;
        out[i].child = nullptr;
        bool ok = true;
        if (tree[i].text != nullptr) {
            const size_t len = std::strlen(tree[i].text);
            out[i].text = static_cast<char*>(vkov_mem_alloc(len + 1));
            ok = out[i].text != nullptr;
            if (ok) {
                std::memcpy(out[i].text, tree[i].text, len + 1);
            }
        }
        if (ok && tree[i].child != nullptr) {
            out[i].child = copy_tree(tree[i].child);
            ok = out[i].child != nullptr;
        }
        if (!ok) {
            vkov_res_free_menu_tree(out);
            return nullptr;
        }
    }
    return out;
}

// The window's menu state with its tree loaded; null for a dead window or without memory.
MenuData* menu_data(WINDOW win) {
    vko_win_internal* in = vkobase::win_internal(win);
    if (in == nullptr) {
        return nullptr;
    }
    auto* data = static_cast<MenuData*>(vkobase::win_get_ext(win, vko_win_internal::kExtMenu));
    if (data == nullptr) {
        data = new (std::nothrow) MenuData{};
        if (data == nullptr) {
            return nullptr;
        }
        vkobase::win_set_ext(win, vko_win_internal::kExtMenu, data, free_menu_data);
    }
    if (!data->loaded) {
        // The creation tree belongs to whoever passed it; the window works on a copy.
        data->tree = in->menu_tree != nullptr ? copy_tree(in->menu_tree)
                     : in->menu_bar_id != 0  ? vkov_res_get_menu(in->menu_bar_id)
                                             : nullptr;
        data->loaded = true;
    }
    return data;
}

s_mitem* find_item(s_mitem* tree, int16_t tag) {
    if (tree == nullptr) {
        return nullptr;
    }
    for (s_mitem* item = tree; !vkobase::menu_item_is_end(*item); ++item) {
        if (item->tag == tag && item->separator == 0) {
            return item;
        }
        if (s_mitem* found = find_item(item->child, tag)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

namespace vkobase::menu {

MENU_TREE window_tree(WINDOW win) noexcept {
    MenuData* data = menu_data(win);
    return data == nullptr ? nullptr : data->tree;
}

} // namespace vkobase::menu

void vkobase_reset_menu() noexcept {
    state().popup_answers.clear();
}

extern "C" {

MENU_TREE vkok_menu_get_tree(WINDOW win) noexcept {
    MenuData* data = menu_data(win);
    return data == nullptr ? nullptr : copy_tree(data->tree);
}

void vkok_menu_set_tree(WINDOW win, MENU_TREE tree) noexcept {
    MenuData* data = menu_data(win);
    if (data == nullptr) {
        return;
    }
    MENU_TREE copy = copy_tree(tree);
    if (copy == nullptr && tree != nullptr) {
        return;  // out of memory: the window keeps its tree
    }
    // An open menu of this window shows the old items: it closes first.
    vkobase::menu::close(win);
    vkov_res_free_menu_tree(data->tree);
    data->tree = copy;
    vkobase::menu::bar_changed();
}

void vkok_menu_set_item_checked(WINDOW win, int16_t tag, BOOLEAN checked) noexcept {
    MenuData* data = menu_data(win);
    if (s_mitem* item = data == nullptr ? nullptr : find_item(data->tree, tag)) {
        item->checked = checked != FALSE ? 1 : 0;
        vkobase::menu::bar_changed();
    }
}

void vkok_menu_set_item_enabled(WINDOW win, int16_t tag, BOOLEAN enabled) noexcept {
    MenuData* data = menu_data(win);
    if (s_mitem* item = data == nullptr ? nullptr : find_item(data->tree, tag)) {
        item->enabled = enabled != FALSE ? 1 : 0;
        vkobase::menu::bar_changed();
    }
}

void vkok_menu_set_item_title(WINDOW win, int16_t tag, const char* title) noexcept {
    MenuData* data = menu_data(win);
    s_mitem* item = data == nullptr || title == nullptr ? nullptr : find_item(data->tree, tag);
    if (item == nullptr) {
        return;
    }
    const size_t len = std::strlen(title);
    auto* text = static_cast<char*>(vkov_mem_alloc(len + 1));
    if (text == nullptr) {
        return;
    }
    std::memcpy(text, title, len + 1);
    vkov_mem_free(item->text);
    item->text = text;
    vkobase::menu::bar_changed();
}

FONT_OBJ vkok_menu_get_font_sel(WINDOW win, BOOLEAN want_copy) noexcept {
    MenuData* data = menu_data(win);
    if (data == nullptr || data->font_sel == nullptr) {
        return nullptr;
    }
    if (want_copy == FALSE) {
        return data->font_sel;
    }
    return vkobase::font::duplicate(data->font_sel);
}

void vkok_menu_set_font_sel(WINDOW win, FONT_OBJ font) noexcept {
    MenuData* data = menu_data(win);
    if (data == nullptr) {
        return;
    }
    vkobase::font::replace_owned(&data->font_sel, font);
}

void vkok_menu_update(WINDOW win) noexcept {
    // The bar is drawn from the window's tree whenever it is shown; loading it here makes a
    // tree named only by resource id current before it is drawn.
    menu_data(win);
    vkobase::menu::bar_changed();
}

int16_t vkok_menu_popup(MENU_TREE tree, WINDOW win, s_pnt pos, int32_t align,
                        int16_t tag) noexcept {
    if (tree == nullptr || !vkobase::win_is_live(win)) {
        return 0;
    }
    if (!vkov_test_is_active() || state().popup_answers.empty()) {
        return vkobase::menu::run_popup(tree, win, pos, align, tag);
    }
    const int16_t answer = state().popup_answers.front();
    state().popup_answers.pop_front();
    const s_mitem* item = find_item(tree, answer);
    // Only an enabled plain item can be chosen.
    return item != nullptr && item->enabled != 0 && item->child == nullptr ? answer : 0;
}

void vkov_menu_test_push_popup_answer(int16_t tag) noexcept {
    try {
        state().popup_answers.push_back(tag);
    } catch (...) {
    }
}

} // extern "C"
