// slist.cpp: string lists as doubly linked element records owned by their list record. Lists
// are registered in the registry of live records; elements are known to a set of their own
// and carry their owner, so a foreign or removed element is refused without being read.
#include "vkobase/slist.h"

#include <cstdio>
#include <new>
#include <string>
#include <unordered_set>

#include "live_registry.h"
#include "vkobase/str.h"

struct s_slist_elt {
    SLIST owner = nullptr;
    std::string text;
    std::int32_t data = 0;
    s_slist_elt *prev = nullptr;
    s_slist_elt *next = nullptr;
};

struct s_slist {
    s_slist_elt *first = nullptr;
    s_slist_elt *last = nullptr;
    std::int32_t count = 0;
};

namespace {

struct SlistState {
    std::unordered_set<SLIST> lists;
    std::unordered_set<SLIST_ELT> elements;
};
SlistState &state() {
    static SlistState s;
    return s;
}

bool list_live(SLIST list) noexcept {
    return vkobase::live_is(list, vkobase::LiveKind::Slist);
}

bool element_of(SLIST list, SLIST_ELT elt) noexcept {
    return elt != nullptr && state().elements.count(elt) != 0 && elt->owner == list;
}

// Links a new element with a copy of text before `before` (at the end when null).
BOOLEAN insert_before(SLIST list, SLIST_ELT before, const char *text, std::int32_t data) noexcept {
    if (!list_live(list) || text == nullptr)
        return FALSE;
    auto *elt = new (std::nothrow) s_slist_elt;
    if (elt == nullptr)
        return FALSE;
    try {
        elt->text = text;
        state().elements.insert(elt);
    } catch (...) {
        delete elt;
        return FALSE;
    }
    elt->owner = list;
    elt->data = data;
    elt->next = before;
    elt->prev = before != nullptr ? before->prev : list->last;
    (elt->prev != nullptr ? elt->prev->next : list->first) = elt;
    (before != nullptr ? before->prev : list->last) = elt;
    ++list->count;
    return TRUE;
}

void unlink(SLIST list, SLIST_ELT elt) noexcept {
    (elt->prev != nullptr ? elt->prev->next : list->first) = elt->next;
    (elt->next != nullptr ? elt->next->prev : list->last) = elt->prev;
    --list->count;
    state().elements.erase(elt);
    delete elt;
}

void destroy_list(SLIST list) noexcept {
    while (list->first != nullptr)
        unlink(list, list->first);
    vkobase::live_remove(list);
    delete list;
}

} // namespace

void vkobase_reset_slist() noexcept {
    for (SLIST list : state().lists)
        destroy_list(list);
    state().lists.clear();
}

extern "C" {

SLIST vkov_slist_create(void) noexcept {
    auto *list = new (std::nothrow) s_slist;
    if (list == nullptr)
        return nullptr;
    try {
        state().lists.insert(list);
    } catch (...) {
        delete list;
        return nullptr;
    }
    vkobase::live_add(list, vkobase::LiveKind::Slist);
    return list;
}

void vkov_slist_destroy(SLIST list) noexcept {
    if (!list_live(list))
        return;
    state().lists.erase(list);
    destroy_list(list);
}

BOOLEAN vkov_slist_is_valid(SLIST list) noexcept {
    return list_live(list) ? TRUE : FALSE;
}

std::int32_t vkov_slist_count(SLIST list) noexcept {
    if (list == nullptr)
        return 0;
    return list_live(list) ? list->count : -1;
}

void vkov_slist_debug(SLIST list) noexcept {
    if (!list_live(list)) {
        std::fprintf(stderr, "slist %p: not a live list\n", static_cast<void *>(list));
        return;
    }
    std::fprintf(stderr, "slist %p: %d elements\n", static_cast<void *>(list),
                 static_cast<int>(list->count));
    std::int32_t index = 0;
    for (SLIST_ELT e = list->first; e != nullptr; e = e->next, ++index)
        std::fprintf(stderr, "  %d: \"%s\" data %d\n", static_cast<int>(index), e->text.c_str(),
                     static_cast<int>(e->data));
}

BOOLEAN vkov_slist_add(SLIST list, const char *text, std::int32_t data) noexcept {
    return insert_before(list, nullptr, text, data);
}

BOOLEAN vkov_slist_add_at_elt(SLIST list, SLIST_ELT elt, const char *text,
                              std::int32_t data) noexcept {
    if (elt != nullptr && !element_of(list, elt))
        return FALSE;
    return insert_before(list, elt, text, data);
}

BOOLEAN vkov_slist_add_at_pos(SLIST list, std::int32_t pos, const char *text,
                              std::int32_t data) noexcept {
    if (!list_live(list))
        return FALSE;
    SLIST_ELT before = nullptr;
    if (pos >= 0 && pos < list->count) {
        before = list->first;
        for (std::int32_t i = 0; i < pos; ++i)
            before = before->next;
    }
    return insert_before(list, before, text, data);
}

BOOLEAN vkov_slist_add_sorted(SLIST list, const char *text, std::int32_t data, BOOLEAN ignore_case,
                              BOOLEAN unique) noexcept {
    if (!list_live(list) || text == nullptr)
        return FALSE;
    SLIST_ELT before = list->first;
    for (; before != nullptr; before = before->next) {
        const std::int32_t order =
            ignore_case ? vkov_str_compare_ignoring_case(before->text.c_str(), text)
                        : vkov_str_compare_n_char(before->text.c_str(), text, INT32_MAX);
        if (order == 0 && unique)
            return FALSE;
        if (order > 0)
            break;
    }
    return insert_before(list, before, text, data);
}

BOOLEAN vkov_slist_rem(SLIST list, SLIST_ELT elt) noexcept {
    if (!list_live(list) || !element_of(list, elt))
        return FALSE;
    unlink(list, elt);
    return TRUE;
}

SLIST_ELT vkov_slist_get_first(SLIST list) noexcept {
    return list_live(list) ? list->first : nullptr;
}

SLIST_ELT vkov_slist_get_next(SLIST list, SLIST_ELT elt) noexcept {
    return list_live(list) && element_of(list, elt) ? elt->next : nullptr;
}

char *vkov_slist_get(SLIST list, SLIST_ELT elt, std::int32_t *data) noexcept {
    if (!list_live(list) || !element_of(list, elt))
        return nullptr;
    if (data != nullptr)
        *data = elt->data;
    return elt->text.data();
}

char *vkov_slist_get_elt(SLIST list, std::int32_t index, std::int32_t *data) noexcept {
    if (!list_live(list) || index < 0 || index >= list->count)
        return nullptr;
    SLIST_ELT elt = list->first;
    for (std::int32_t i = 0; i < index; ++i)
        elt = elt->next;
    return vkov_slist_get(list, elt, data);
}

std::int32_t *vkov_slist_get_data(SLIST_ELT elt) noexcept {
    if (elt == nullptr || state().elements.count(elt) == 0)
        return nullptr;
    return &elt->data;
}

} // extern "C"
