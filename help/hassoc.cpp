// hassoc.cpp: the associations from windows, dialogs, controls and menu items to help topics,
// set one by one or for a whole window from the topic table and its definition.
// The rule a reader must not miss: setting an association that exists changes its topic in
// place; a record is added only for an object that has none.
#include <algorithm>
#include <new>

#include "help_internal.h"
#include "vkobase/res.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace vkohelp {
namespace {

constexpr std::uint32_t kTextEditFlag = 0x2000;
constexpr std::int32_t kTextEditType = 23;

bool is_menu(const Assoc &a) {
    return (a.kind & kAssocMenu) != 0;
}

std::int32_t type_of(WINDOW win) {
    return (win->flags & kTextEditFlag) != 0 ? kTextEditType : static_cast<std::int32_t>(win->type);
}

std::vector<Assoc>::iterator find_window(HELPINFO help, WINDOW win) {
    return std::find_if(help->assocs.begin(), help->assocs.end(),
                        [win](const Assoc &a) { return !is_menu(a) && a.win == win; });
}

std::vector<Assoc>::iterator find_menu(HELPINFO help, WINDOW owner, std::int16_t tag) {
    return std::find_if(help->assocs.begin(), help->assocs.end(), [owner, tag](const Assoc &a) {
        return is_menu(a) && a.owner == owner && a.tag == tag;
    });
}

// An array of menu items ends with an all-zero record.
bool is_end(const s_mitem &item) {
    return item.tag == 0 && item.text == nullptr && item.child == nullptr && !item.separator;
}

// Every menu item of a tree, depth first.
template <class Visit> void walk_menu(const s_mitem *items, Visit &visit) {
    for (const s_mitem *item = items; item != nullptr && !is_end(*item); ++item) {
        visit(*item);
        if (item->child != nullptr)
            walk_menu(item->child, visit);
    }
}

} // namespace

TopicKind kind_of_window(WINDOW win) noexcept {
    const std::int32_t type = type_of(win);
    switch (type) {
    case 1:
    case 2:
    case 3:
    case 5:
    case 6:
    case 7:
    case 9:
        return kWindow;
    case 10:
    case 11:
        return kDialog;
    default:
        return (type >= 12 && type <= 22) || type == 24 ? kControl : kNoKind;
    }
}

void set_window_assoc(HELPINFO help, WINDOW win, std::int32_t topic) {
    const auto found = find_window(help, win);
    if (topic == 0) {
        if (found != help->assocs.end())
            help->assocs.erase(found);
        return;
    }
    const TopicKind kind = kind_of_window(win);
    Assoc record{nullptr, win, 0, topic, kAssocWindow};
    if (kind == kDialog) {
        record.kind = kAssocDialog;
    } else if (kind == kControl || type_of(win) == kTextEditType) {
        record.kind = kAssocControl;
        record.owner = win->parent;
    }
    if (found != help->assocs.end())
        *found = record;
    else
        help->assocs.push_back(record);
}

void set_menu_assoc(HELPINFO help, WINDOW owner, std::int16_t tag, std::int32_t topic) {
    const auto found = find_menu(help, owner, tag);
    if (topic == 0) {
        if (found != help->assocs.end())
            help->assocs.erase(found);
        return;
    }
    if (found != help->assocs.end())
        found->topic = topic;
    else
        help->assocs.push_back(Assoc{owner, nullptr, tag, topic, kAssocMenu});
}

std::int32_t window_assoc(HELPINFO help, WINDOW win) noexcept {
    const auto found = find_window(help, win);
    return found != help->assocs.end() ? found->topic : 0;
}

std::int32_t menu_assoc(HELPINFO help, WINDOW owner, std::int16_t tag) noexcept {
    const auto found = find_menu(help, owner, tag);
    return found != help->assocs.end() ? found->topic : 0;
}

std::int32_t nearest_window_assoc(HELPINFO help, WINDOW win) noexcept {
    for (WINDOW w = win; w != nullptr && vkov_vobj_is_valid(w); w = w->parent) {
        if (const std::int32_t topic = window_assoc(help, w); topic != 0)
            return topic;
    }
    return 0;
}

void remove_assocs_of(HELPINFO help, WINDOW win) noexcept {
    std::erase_if(help->assocs, [win](const Assoc &a) { return a.owner == win; });
    std::erase_if(help->assocs, [win](const Assoc &a) { return !is_menu(a) && a.win == win; });
}

} // namespace vkohelp

using namespace vkohelp;

extern "C" VKOHELP_API void vkov_help_set_win_assoc(HELPINFO help, WINDOW win, int32_t topic,
                                                    int32_t) noexcept {
    if (!help_ok(help, __LINE__))
        return;
    if (win == nullptr) {
        report(kErrNull, __LINE__);
        return;
    }
    try {
        set_window_assoc(help, win, topic);
    } catch (const std::bad_alloc &) {
        report(0x507173, __LINE__);
    }
}

extern "C" VKOHELP_API int32_t vkov_help_get_win_assoc(HELPINFO help, WINDOW win) noexcept {
    if (!help_ok(help, __LINE__))
        return 0;
    if (win == nullptr) {
        report(kErrNull, __LINE__);
        return 0;
    }
    return window_assoc(help, win);
}

extern "C" VKOHELP_API void vkov_help_set_menu_assoc(HELPINFO help, WINDOW win, int16_t tag,
                                                     int32_t topic, int32_t) noexcept {
    if (!help_ok(help, __LINE__))
        return;
    if (tag <= 0) {
        report(kErrNull, __LINE__);
        return;
    }
    try {
        set_menu_assoc(help, win, tag, topic);
    } catch (const std::bad_alloc &) {
        report(0x507174, __LINE__);
    }
}

extern "C" VKOHELP_API int32_t vkov_help_get_menu_assoc(HELPINFO help, WINDOW win,
                                                        int16_t tag) noexcept {
    if (!help_ok(help, __LINE__))
        return 0;
    if (tag <= 0) {
        report(kErrNull, __LINE__);
        return 0;
    }
    return menu_assoc(help, win, tag);
}

extern "C" VKOHELP_API void vkov_help_disassoc_all(HELPINFO help, WINDOW win) noexcept {
    if (!help_ok(help, __LINE__))
        return;
    if (win == nullptr) {
        report(kErrNull, __LINE__);
        return;
    }
    remove_assocs_of(help, win);
}

extern "C" VKOHELP_API int32_t vkov_help_assoc_all(HELPINFO help, WINDOW win, int32_t res_id,
                                                   s_win_def *def) noexcept {
    if (!help_ok(help, __LINE__))
        return 0;
    if (win == nullptr) {
        report(kErrNull, __LINE__);
        return 0;
    }
    const TopicKind kind = kind_of_window(win);
    if (help->topics.empty() || kind == kNoKind)
        return 0;
    s_win_def *loaded = nullptr;
    if (def == nullptr) {
        if (kind == kWindow) {
            loaded = vkov_res_get_win_def(res_id);
        } else if (kind == kDialog) {
            loaded = vkov_res_get_dlg_def(res_id);
        } else {
            report(kErrNotWindowOrDialog, __LINE__);
            return 0;
        }
        if (loaded == nullptr)
            return 0;
        def = loaded;
    }
    try {
        if (kind == kWindow) {
            MENU_TREE menu = def[0].menu_tree;
            MENU_TREE own_menu = nullptr;
            if (menu == nullptr && def[0].menu_bar_id != 0)
                menu = own_menu = vkov_res_get_menu(def[0].menu_bar_id);
            auto visit = [&](const s_mitem &item) {
                if (item.tag == 0)
                    return;
                if (const std::int32_t topic =
                        lookup_topic(help->topics, kMenuItem, item.tag, res_id);
                    topic != 0)
                    set_menu_assoc(help, win, item.tag, topic);
            };
            walk_menu(menu, visit);
            if (own_menu != nullptr)
                vkov_res_free_menu_tree(own_menu);
        }
        if (const std::int32_t topic = lookup_topic(help->topics, kind, res_id, 0); topic != 0)
            set_window_assoc(help, win, topic);
        for (const s_win_def *entry = def + 1; entry->type != 0; ++entry) {
            const std::int32_t topic = lookup_topic(help->topics, kControl, entry->id, res_id);
            if (topic == 0)
                continue;
            if (WINDOW ctl = vkok_win_get_ctl(win, entry->id); ctl != nullptr)
                set_window_assoc(help, ctl, topic);
        }
    } catch (const std::bad_alloc &) {
        report(0x507173, __LINE__);
    }
    if (loaded != nullptr)
        vkov_res_free_win_def(loaded);
    return 1;
}
