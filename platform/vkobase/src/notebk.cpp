// Notebooks: tabs and pages of a notebook control as data in its notebook extension slot, and
// the face windows that show the pages. A face carries a link back to its notebook in its own
// notebook slot; when a face is destroyed (with the notebook or on its own) the link's free
// function clears the page's face, so a page never names a dead window.
#include "vkobase/notebk.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "vkobase/res.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "ctl_internal.h"
#include "window_internal.h"

namespace {

struct Page {
    std::string title;
    intptr_t data = 0;
    WINDOW face = nullptr;
};

struct Tab {
    std::string title;
    IMAGE image = nullptr;
    std::vector<Page> pages;
};

struct NotebkData {
    std::vector<Tab> tabs;
    int16_t front_tab = -1;  // -1: no front page yet
    int16_t front_page = -1;
};

// Kept in a face's notebook slot.
struct FaceLink {
    WINDOW nb;
    WINDOW face;
};

void free_notebk_data(void* data) {
    delete static_cast<NotebkData*>(data);
}

bool is_notebook(WINDOW win) {
    return vkobase::win_is_live(win) && vkobase::win_effective_type(win) == WC_NOTEBK;
}

NotebkData* existing_data(WINDOW nb) {
    return is_notebook(nb) ? static_cast<NotebkData*>(
                                 vkobase::win_get_ext(nb, vko_win_internal::kExtNotebk))
                           : nullptr;
}

NotebkData* notebk_data(WINDOW nb) {
    if (!is_notebook(nb)) {
        return nullptr;
    }
    NotebkData* data = existing_data(nb);
    if (data == nullptr) {
        data = new (std::nothrow) NotebkData{};
        if (data != nullptr) {
            vkobase::win_set_ext(nb, vko_win_internal::kExtNotebk, data, free_notebk_data);
        }
    }
    return data;
}

void free_face_link(void* data) {
    auto* link = static_cast<FaceLink*>(data);
    if (NotebkData* nb = existing_data(link->nb)) {
        for (Tab& tab : nb->tabs) {
            for (Page& page : tab.pages) {
                if (page.face == link->face) {
                    page.face = nullptr;
                }
            }
        }
    }
    delete link;
}

Tab* tab_at(NotebkData* data, int16_t tab) {
    return data != nullptr && tab >= 0 && static_cast<size_t>(tab) < data->tabs.size()
               ? &data->tabs[static_cast<size_t>(tab)]
               : nullptr;
}

Page* page_at(NotebkData* data, int16_t tab, int16_t page) {
    Tab* t = tab_at(data, tab);
    return t != nullptr && page >= 0 && static_cast<size_t>(page) < t->pages.size()
               ? &t->pages[static_cast<size_t>(page)]
               : nullptr;
}

bool is_front(const NotebkData* data, int16_t tab, int16_t page) {
    return data->front_tab == tab && data->front_page == page;
}

// Shows the front page's face and hides the others.
void show_front(NotebkData* data) {
    for (size_t t = 0; t < data->tabs.size(); ++t) {
        for (size_t p = 0; p < data->tabs[t].pages.size(); ++p) {
            WINDOW face = data->tabs[t].pages[p].face;
            if (vkobase::win_is_live(face)) {
                const bool front = is_front(data, static_cast<int16_t>(t), static_cast<int16_t>(p));
                vkok_vobj_set_visible(face, front ? TRUE : FALSE);
            }
        }
    }
}

// After tabs or pages were removed: the front page moves to the first page left, if any.
void repair_front(NotebkData* data) {
    if (page_at(data, data->front_tab, data->front_page) != nullptr) {
        return;
    }
    data->front_tab = -1;
    data->front_page = -1;
    for (size_t t = 0; t < data->tabs.size(); ++t) {
        if (!data->tabs[t].pages.empty()) {
            data->front_tab = static_cast<int16_t>(t);
            data->front_page = 0;
            break;
        }
    }
    show_front(data);
}

void destroy_face(Page* page) {
    WINDOW face = page->face;
    page->face = nullptr;
    if (vkobase::win_is_live(face)) {
        vkok_vobj_destroy(face);
    }
}

// Makes face the page's face (destroying the old one) and links it back to the notebook.
WINDOW adopt_face(WINDOW nb, int16_t tab, int16_t page, WINDOW face) {
    NotebkData* data = notebk_data(nb);
    Page* p = page_at(data, tab, page);
    if (p == nullptr || !vkobase::win_is_live(face)) {
        if (vkobase::win_is_live(face)) {
            vkok_vobj_destroy(face);
        }
        return nullptr;
    }
    auto* link = new (std::nothrow) FaceLink{nb, face};
    if (link == nullptr) {
        vkok_vobj_destroy(face);
        return nullptr;
    }
    if (p->face != face) {
        destroy_face(p);
    }
    // The old face's destruction may have run handlers; look the page up again.
    data = notebk_data(nb);
    p = page_at(data, tab, page);
    if (p == nullptr || !vkobase::win_is_live(face)) {
        delete link;
        return nullptr;
    }
    vkobase::win_set_ext(face, vko_win_internal::kExtNotebk, link, free_face_link);
    p->face = face;
    // Every face fills the page frame, below the tabs.
    const s_rct page_rect = vkobase::ctl::notebk_page_rect(nb);
    vkok_vobj_move(face, &page_rect);
    vkok_vobj_set_visible(face, is_front(data, tab, page) ? TRUE : FALSE);
    return face;
}

void copy_title(const std::string& title, char* buf, int32_t buf_size) {
    const size_t n = std::min(title.size(), static_cast<size_t>(buf_size) - 1);
    std::memcpy(buf, title.data(), n);
    buf[n] = '\0';
}

} // namespace

extern "C" {

void vkov_notebk_add_tab(WINDOW nb, int16_t tab, const char* title, IMAGE image) noexcept {
    NotebkData* data = notebk_data(nb);
    if (data == nullptr || tab < 0) {
        return;
    }
    const size_t at = std::min(static_cast<size_t>(tab), data->tabs.size());
    try {
        Tab t;
        t.title = title != nullptr ? title : "";
        t.image = image;
        data->tabs.insert(data->tabs.begin() + static_cast<std::ptrdiff_t>(at), std::move(t));
    } catch (...) {
        return;
    }
    if (data->front_tab >= static_cast<int16_t>(at)) {
        ++data->front_tab;
    }
    vkobase::win_invalidate(nb, nullptr);
}

void vkov_notebk_add_page(WINDOW nb, int16_t tab, int16_t page, const char* title,
                          intptr_t data_word) noexcept {
    NotebkData* data = notebk_data(nb);
    Tab* t = tab_at(data, tab);
    if (t == nullptr || page < 0) {
        return;
    }
    const size_t at = std::min(static_cast<size_t>(page), t->pages.size());
    try {
        Page p;
        p.title = title != nullptr ? title : "";
        p.data = data_word;
        t->pages.insert(t->pages.begin() + static_cast<std::ptrdiff_t>(at), std::move(p));
    } catch (...) {
        return;
    }
    if (data->front_tab == tab && data->front_page >= static_cast<int16_t>(at)) {
        ++data->front_page;
    }
    if (data->front_tab < 0) {
        // The first page of the notebook comes to the front.
        data->front_tab = tab;
        data->front_page = static_cast<int16_t>(at);
    }
    vkobase::win_invalidate(nb, nullptr);
}

void vkov_notebk_rem_tab(WINDOW nb, int16_t tab) noexcept {
    NotebkData* data = notebk_data(nb);
    Tab* t = tab_at(data, tab);
    if (t == nullptr) {
        return;
    }
    // The faces' destroy handlers may add or remove pages, or tabs: walk by number and look
    // the tab up afresh before each face.
    for (size_t p = 0;; ++p) {
        t = tab_at(notebk_data(nb), tab);
        if (t == nullptr || p >= t->pages.size()) {
            break;
        }
        destroy_face(&t->pages[p]);
    }
    data = notebk_data(nb);  // handlers of the faces may have changed the notebook
    if (tab_at(data, tab) == nullptr) {
        return;
    }
    data->tabs.erase(data->tabs.begin() + tab);
    if (data->front_tab > tab) {
        --data->front_tab;
    } else if (data->front_tab == tab) {
        data->front_tab = -1;
    }
    repair_front(data);
    vkobase::win_invalidate(nb, nullptr);
}

void vkov_notebk_rem_page(WINDOW nb, int16_t tab, int16_t page) noexcept {
    Page* p = page_at(notebk_data(nb), tab, page);
    if (p == nullptr) {
        return;
    }
    destroy_face(p);
    NotebkData* data = notebk_data(nb);
    Tab* t = tab_at(data, tab);
    if (page_at(data, tab, page) == nullptr) {
        return;
    }
    t->pages.erase(t->pages.begin() + page);
    if (data->front_tab == tab) {
        if (data->front_page > page) {
            --data->front_page;
        } else if (data->front_page == page) {
            data->front_tab = -1;
        }
    }
    repair_front(data);
    vkobase::win_invalidate(nb, nullptr);
}

uint16_t vkov_notebk_get_num_tabs(WINDOW nb) noexcept {
    const NotebkData* data = notebk_data(nb);
    return data == nullptr ? 65535 : static_cast<uint16_t>(data->tabs.size());
}

uint16_t vkov_notebk_get_num_pages(WINDOW nb, int16_t tab) noexcept {
    const Tab* t = tab_at(notebk_data(nb), tab);
    return t == nullptr ? 65535 : static_cast<uint16_t>(t->pages.size());
}

WINDOW vkov_notebk_create_face(WINDOW nb, int16_t tab, int16_t page, int32_t event_mask,
                               VKO_EVENT_HANDLER handler, intptr_t app_data) noexcept {
    if (page_at(notebk_data(nb), tab, page) == nullptr) {
        return nullptr;
    }
    vkobase::WinCreateArgs args;
    args.type = W_NO_BORDER;
    args.rct = vkobase::ctl::notebk_page_rect(nb);
    args.parent = nb;
    args.flags = VKO_WSF_INVISIBLE;  // shown by adopt_face when its page is in front
    args.event_mask = event_mask;
    args.handler = handler;
    args.app_data = app_data;
    return adopt_face(nb, tab, page, vkobase::win_create_record(args));
}

WINDOW vkov_notebk_create_face_def(WINDOW nb, int16_t tab, int16_t page, s_win_def* def_list,
                                   int32_t event_mask, VKO_EVENT_HANDLER handler,
                                   intptr_t app_data) noexcept {
    if (def_list == nullptr || page_at(notebk_data(nb), tab, page) == nullptr) {
        return nullptr;
    }
    return adopt_face(nb, tab, page,
                      vkok_win_create_def(def_list, nb, event_mask, handler, app_data));
}

WINDOW vkov_notebk_create_face_res(WINDOW nb, int16_t tab, int16_t page, int32_t res_id,
                                   int32_t event_mask, VKO_EVENT_HANDLER handler,
                                   intptr_t app_data) noexcept {
    if (page_at(notebk_data(nb), tab, page) == nullptr) {
        return nullptr;
    }
    s_win_def* def = vkov_res_get_win_def(res_id);
    if (def == nullptr) {
        return nullptr;
    }
    WINDOW face = vkov_notebk_create_face_def(nb, tab, page, def, event_mask, handler, app_data);
    vkov_res_free_win_def(def);
    return face;
}

WINDOW vkov_notebk_get_face(WINDOW nb, int16_t tab, int16_t page) noexcept {
    const Page* p = page_at(notebk_data(nb), tab, page);
    return p != nullptr && vkobase::win_is_live(p->face) ? p->face : nullptr;
}

void vkov_notebk_get_page_from_face(WINDOW face, WINDOW* nb, int16_t* tab,
                                    int16_t* page) noexcept {
    WINDOW found_nb = nullptr;
    int16_t found_tab = -1;
    int16_t found_page = -1;
    const auto* link = vkobase::win_is_live(face) && !is_notebook(face)
                           ? static_cast<const FaceLink*>(
                                 vkobase::win_get_ext(face, vko_win_internal::kExtNotebk))
                           : nullptr;
    if (NotebkData* data = link != nullptr ? existing_data(link->nb) : nullptr) {
        for (size_t t = 0; t < data->tabs.size() && found_nb == nullptr; ++t) {
            for (size_t p = 0; p < data->tabs[t].pages.size(); ++p) {
                if (data->tabs[t].pages[p].face == face) {
                    found_nb = link->nb;
                    found_tab = static_cast<int16_t>(t);
                    found_page = static_cast<int16_t>(p);
                    break;
                }
            }
        }
    }
    if (nb != nullptr) *nb = found_nb;
    if (tab != nullptr) *tab = found_tab;
    if (page != nullptr) *page = found_page;
}

BOOLEAN vkov_notebk_enum_pages(WINDOW nb, VKO_NOTEBK_ENUM_CALLBACK callback,
                               intptr_t data_word) noexcept {
    if (notebk_data(nb) == nullptr || callback == nullptr) {
        return FALSE;
    }
    // The callback may add or remove pages: walk by number and look the notebook up afresh.
    for (int16_t t = 0;; ++t) {
        const Tab* tab = tab_at(notebk_data(nb), t);
        if (tab == nullptr) {
            return TRUE;
        }
        for (int16_t p = 0; page_at(notebk_data(nb), t, p) != nullptr; ++p) {
            if (callback(nb, t, p, data_word) == FALSE) {
                return FALSE;
            }
        }
    }
}

BOOLEAN vkov_notebk_get_front_page(WINDOW nb, int16_t* tab, int16_t* page) noexcept {
    const NotebkData* data = notebk_data(nb);
    const bool any = data != nullptr && data->front_tab >= 0;
    if (tab != nullptr) *tab = any ? data->front_tab : -1;
    if (page != nullptr) *page = any ? data->front_page : -1;
    return any ? TRUE : FALSE;
}

void vkov_notebk_set_front_page(WINDOW nb, int16_t tab, int16_t page) noexcept {
    NotebkData* data = notebk_data(nb);
    if (page_at(data, tab, page) == nullptr || is_front(data, tab, page)) {
        return;
    }
    data->front_tab = tab;
    data->front_page = page;
    show_front(data);
    vkobase::win_invalidate(nb, nullptr);
}

char* vkov_notebk_get_tab_title(WINDOW nb, int16_t tab, char* buf, int32_t buf_size) noexcept {
    const Tab* t = tab_at(notebk_data(nb), tab);
    if (buf == nullptr || buf_size < 1) {
        return nullptr;
    }
    buf[0] = '\0';
    if (t == nullptr) {
        return nullptr;
    }
    copy_title(t->title, buf, buf_size);
    return buf;
}

void vkov_notebk_set_tab_title(WINDOW nb, int16_t tab, const char* title) noexcept {
    if (Tab* t = tab_at(notebk_data(nb), tab)) {
        try {
            t->title = title != nullptr ? title : "";
        } catch (...) {
            return;
        }
        vkobase::win_invalidate(nb, nullptr);
    }
}

char* vkov_notebk_get_page_title(WINDOW nb, int16_t tab, int16_t page, char* buf,
                                 int32_t buf_size) noexcept {
    const Page* p = page_at(notebk_data(nb), tab, page);
    if (buf == nullptr || buf_size < 1) {
        return nullptr;
    }
    buf[0] = '\0';
    if (p == nullptr) {
        return nullptr;
    }
    copy_title(p->title, buf, buf_size);
    return buf;
}

void vkov_notebk_set_page_title(WINDOW nb, int16_t tab, int16_t page, const char* title) noexcept {
    if (Page* p = page_at(notebk_data(nb), tab, page)) {
        try {
            p->title = title != nullptr ? title : "";
        } catch (...) {
            return;
        }
        vkobase::win_invalidate(nb, nullptr);
    }
}

IMAGE vkov_notebk_get_tab_image(WINDOW nb, int16_t tab) noexcept {
    const Tab* t = tab_at(notebk_data(nb), tab);
    return t == nullptr ? nullptr : t->image;
}

void vkov_notebk_set_tab_image(WINDOW nb, int16_t tab, IMAGE image) noexcept {
    if (Tab* t = tab_at(notebk_data(nb), tab)) {
        t->image = image;
        vkobase::win_invalidate(nb, nullptr);
    }
}

intptr_t vkov_notebk_get_page_data(WINDOW nb, int16_t tab, int16_t page) noexcept {
    const Page* p = page_at(notebk_data(nb), tab, page);
    return p == nullptr ? 0 : p->data;
}

void vkov_notebk_set_page_data(WINDOW nb, int16_t tab, int16_t page, intptr_t data) noexcept {
    if (Page* p = page_at(notebk_data(nb), tab, page)) {
        p->data = data;
    }
}

} // extern "C"
