// List controls: the items and the selection of list boxes, list buttons and list edits, kept
// in the window's list extension slot (made on first use). Every change invalidates the control
// unless its redrawing is suspended; the last resume catches up.
#include "vkobase/list.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "live_registry.h"
#include "vkobase/ctl.h"
#include "vkobase/slist.h"
#include "vkobase/str.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace {

struct ListData {
    std::vector<std::string> items;
    std::vector<bool> selected;  // one flag per item
    size_t selected_count = 0;   // how many flags are set, so long lists count in no time
    int32_t suspend_depth = 0;
    bool dirty = false;  // changed while suspended
};

void free_list_data(void* data) {
    delete static_cast<ListData*>(data);
}

bool is_list_type(e_win_type type) {
    return type == WC_LBOX || type == WC_LISTBUTTON || type == WC_LISTEDIT;
}

ListData* list_data(WINDOW win) {
    if (!vkobase::win_is_live(win) || !is_list_type(vkobase::win_effective_type(win))) {
        return nullptr;
    }
    auto* data = static_cast<ListData*>(vkobase::win_get_ext(win, vko_win_internal::kExtList));
    if (data == nullptr) {
        data = new (std::nothrow) ListData{};
        if (data != nullptr) {
            vkobase::win_set_ext(win, vko_win_internal::kExtList, data, free_list_data);
        }
    }
    return data;
}

bool multi_select(WINDOW win) {
    return vkobase::win_effective_type(win) == WC_LBOX;
}

void changed(WINDOW win, ListData* data) {
    if (data->suspend_depth > 0) {
        data->dirty = true;
    } else {
        vkobase::win_invalidate(win, nullptr);
    }
}

bool valid_index(const ListData* data, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < data->items.size();
}

void copy_out(const std::string& text, char* buf, int32_t buf_size) {
    const size_t n = std::min(text.size(), static_cast<size_t>(buf_size) - 1);
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
}

// A new string list of the items whose flag passes keep; null when memory runs out.
template <typename Keep>
SLIST list_of(const ListData* data, Keep keep) {
    SLIST list = vkov_slist_create();
    if (list == nullptr) {
        return nullptr;
    }
    for (size_t i = 0; i < data->items.size(); ++i) {
        if (keep(i) && !vkov_slist_add(list, data->items[i].c_str(), static_cast<int32_t>(i))) {
            vkov_slist_destroy(list);
            return nullptr;
        }
    }
    return list;
}

} // namespace

extern "C" {

BOOLEAN vkov_list_add(WINDOW list, int32_t index, const char* text) noexcept {
    ListData* data = list_data(list);
    if (data == nullptr || text == nullptr || index < -1 ||
        (index >= 0 && static_cast<size_t>(index) > data->items.size())) {
        return FALSE;
    }
    // The framework also hands over a whole string list in place of the text; the registry
    // tells the two apart without reading a pointer that is not a live list.
    std::vector<std::string> texts;
    try {
        if (vkobase::live_is(text, vkobase::LiveKind::Slist)) {
            auto* slist = reinterpret_cast<SLIST>(const_cast<char*>(text));
            for (SLIST_ELT e = vkov_slist_get_first(slist); e != nullptr;
                 e = vkov_slist_get_next(slist, e)) {
                const char* item = vkov_slist_get(slist, e, nullptr);
                texts.emplace_back(item != nullptr ? item : "");
            }
        } else {
            texts.emplace_back(text);
        }
        const auto at = static_cast<std::ptrdiff_t>(index < 0 ? data->items.size()
                                                               : static_cast<size_t>(index));
        // Room grows by doubling: one item at a time must not copy the whole list each time.
        const size_t needed = data->items.size() + texts.size();
        if (data->items.capacity() < needed) {
            data->items.reserve(std::max(needed, 2 * data->items.capacity()));
        }
        if (data->selected.capacity() < needed) {
            data->selected.reserve(std::max(needed, 2 * data->selected.capacity()));
        }
        if ((list->flags & VKO_CTL_SORTED) != 0) {
            // A sorted list puts each text where it belongs, whatever the index says.
            for (std::string& text : texts) {
                const auto pos =
                    std::upper_bound(data->items.begin(), data->items.end(), text,
                                     [](const std::string& a, const std::string& b) {
                                         return vkov_str_collate(a.c_str(), b.c_str()) < 0;
                                     }) -
                    data->items.begin();
                data->items.insert(data->items.begin() + pos, std::move(text));
                data->selected.insert(data->selected.begin() + pos, false);
            }
            changed(list, data);
            return TRUE;
        }
        // With the room reserved and the texts moved in, nothing below can throw, so the two
        // vectors never differ in length.
        data->items.insert(data->items.begin() + at, std::make_move_iterator(texts.begin()),
                           std::make_move_iterator(texts.end()));
        data->selected.insert(data->selected.begin() + at, texts.size(), false);
    } catch (...) {
        return FALSE;
    }
    changed(list, data);
    return TRUE;
}

BOOLEAN vkok_list_rem(WINDOW list, int32_t index) noexcept {
    ListData* data = list_data(list);
    if (data == nullptr || !valid_index(data, index)) {
        return FALSE;
    }
    data->items.erase(data->items.begin() + index);
    if (data->selected[static_cast<size_t>(index)]) {
        --data->selected_count;
    }
    data->selected.erase(data->selected.begin() + index);
    changed(list, data);
    return TRUE;
}

BOOLEAN vkok_list_clear(WINDOW list) noexcept {
    ListData* data = list_data(list);
    if (data == nullptr) {
        return FALSE;
    }
    data->items.clear();
    data->selected.clear();
    data->selected_count = 0;
    changed(list, data);
    return TRUE;
}

int32_t vkok_list_count_all(WINDOW list) noexcept {
    const ListData* data = list_data(list);
    return data == nullptr ? -1 : static_cast<int32_t>(data->items.size());
}

BOOLEAN vkok_list_get_elt(WINDOW list, int32_t index, char* buf, int32_t buf_size) noexcept {
    const ListData* data = list_data(list);
    if (buf == nullptr || buf_size < 1) {
        return FALSE;
    }
    buf[0] = '\0';
    if (data == nullptr || !valid_index(data, index)) {
        return FALSE;
    }
    copy_out(data->items[static_cast<size_t>(index)], buf, buf_size);
    return TRUE;
}

SLIST vkok_list_get_all(WINDOW list) noexcept {
    const ListData* data = list_data(list);
    return data == nullptr ? nullptr : list_of(data, [](size_t) { return true; });
}

SLIST vkok_list_get_sel(WINDOW list) noexcept {
    const ListData* data = list_data(list);
    return data == nullptr ? nullptr
                           : list_of(data, [data](size_t i) { return bool(data->selected[i]); });
}

BOOLEAN vkok_list_set_sel(WINDOW list, int32_t index, BOOLEAN select) noexcept {
    ListData* data = list_data(list);
    if (data == nullptr) {
        return FALSE;
    }
    const bool on = select != FALSE;
    if (index == -1) {
        // Selecting everything needs a list that holds several selected items.
        if (on && !multi_select(list)) {
            return FALSE;
        }
        if (on || data->selected_count > 0) {
            std::fill(data->selected.begin(), data->selected.end(), on);
        }
        data->selected_count = on ? data->selected.size() : 0;
        changed(list, data);
        return TRUE;
    }
    if (!valid_index(data, index)) {
        return FALSE;
    }
    if (on && !multi_select(list)) {
        if (data->selected_count > 0) {
            std::fill(data->selected.begin(), data->selected.end(), false);
        }
        data->selected_count = 0;
    }
    if (data->selected[static_cast<size_t>(index)] != on) {
        data->selected[static_cast<size_t>(index)] = on;
        if (on) {
            ++data->selected_count;
        } else {
            --data->selected_count;
        }
    }
    if (on && vkobase::win_effective_type(list) == WC_LISTEDIT) {
        vkov_vobj_set_title(list, data->items[static_cast<size_t>(index)].c_str());
    }
    changed(list, data);
    return TRUE;
}

BOOLEAN vkok_list_is_sel(WINDOW list, int32_t index) noexcept {
    const ListData* data = list_data(list);
    return data != nullptr && valid_index(data, index) &&
                   data->selected[static_cast<size_t>(index)]
               ? TRUE
               : FALSE;
}

int32_t vkok_list_count_sel(WINDOW list) noexcept {
    const ListData* data = list_data(list);
    if (data == nullptr) {
        return -1;
    }
    return static_cast<int32_t>(data->selected_count);
}

int32_t vkok_list_get_sel_index(WINDOW list) noexcept {
    const ListData* data = list_data(list);
    if (data == nullptr) {
        return -1;
    }
    if (data->selected_count == 0) {
        return -1;
    }
    const auto it = std::find(data->selected.begin(), data->selected.end(), true);
    return it == data->selected.end() ? -1
                                      : static_cast<int32_t>(it - data->selected.begin());
}

BOOLEAN vkok_list_get_first_sel(WINDOW list, char* buf, int32_t buf_size) noexcept {
    if (buf == nullptr || buf_size < 1) {
        return FALSE;
    }
    buf[0] = '\0';
    const int32_t index = vkok_list_get_sel_index(list);
    return index < 0 ? FALSE : vkok_list_get_elt(list, index, buf, buf_size);
}

void vkok_list_suspend(WINDOW list) noexcept {
    ListData* data = list_data(list);
    if (data != nullptr) {
        ++data->suspend_depth;
    }
}

void vkok_list_resume(WINDOW list) noexcept {
    ListData* data = list_data(list);
    if (data == nullptr || data->suspend_depth == 0) {
        return;
    }
    if (--data->suspend_depth == 0 && data->dirty) {
        data->dirty = false;
        vkobase::win_invalidate(list, nullptr);
    }
}

} // extern "C"
