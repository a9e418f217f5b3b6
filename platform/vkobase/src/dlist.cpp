// dlist.cpp: doubly linked lists of unowned items. The list owns its nodes, never the items;
// an item may be in a list once per insertion, and delete removes the first occurrence.
#include "vkobase/dlist.h"

#include <algorithm>
#include <list>
#include <new>

#include "live_registry.h"

struct s_dlist {
    std::list<void *> items;
};

namespace {

bool is_live(DLIST list) noexcept {
    return vkobase::live_is(list, vkobase::LiveKind::Dlist);
}

} // namespace

void vkobase_reset_dlist() noexcept {
    // Lists belong to their creators (process-wide blocks of other modules); the registry's
    // own reset forgets them.
}

extern "C" {

DLIST vkov_dlist_create(void) noexcept {
    auto *list = new (std::nothrow) s_dlist{};
    if (list != nullptr)
        vkobase::live_add(list, vkobase::LiveKind::Dlist);
    return list;
}

void vkov_dlist_destroy(DLIST list) noexcept {
    if (!is_live(list))
        return;
    vkobase::live_remove(list);
    delete list;
}

BOOLEAN vkov_dlist_insert(DLIST list, void *item, void *ref, BOOLEAN after) noexcept {
    if (!is_live(list))
        return FALSE;
    auto &items = list->items;
    auto pos = ref == nullptr ? (after != 0 ? items.end() : items.begin())
                              : std::find(items.begin(), items.end(), ref);
    if (ref != nullptr) {
        if (pos == items.end())
            return FALSE;
        if (after != 0)
            ++pos;
    }
    try {
        items.insert(pos, item);
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

void *vkov_dlist_find_next(DLIST list, const void *key, void *after,
                           int32_t (*compare)(const void *item, const void *key)) noexcept {
    if (!is_live(list))
        return nullptr;
    auto &items = list->items;
    auto it = items.begin();
    if (after != nullptr) {
        it = std::find(items.begin(), items.end(), after);
        if (it == items.end())
            return nullptr;
        ++it;
    }
    for (; it != items.end(); ++it)
        if (compare == nullptr ? *it == key : compare(*it, key) == 0)
            return *it;
    return nullptr;
}

void *vkov_dlist_delete(DLIST list, void *item) noexcept {
    if (!is_live(list))
        return nullptr;
    auto &items = list->items;
    const auto it = std::find(items.begin(), items.end(), item);
    if (it == items.end())
        return nullptr;
    items.erase(it);
    return item;
}

int32_t vkov_dlist_count(DLIST list) noexcept {
    return is_live(list) ? static_cast<int32_t>(list->items.size()) : 0;
}

} // extern "C"
