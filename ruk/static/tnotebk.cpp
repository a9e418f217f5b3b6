// tnotebk.cpp: the notebook family of the checking layer ("tnotebk"): tabs and pages of the
// native notebook control (type 25), their faces, titles, images and data, and the front page.
// Only the three face creators refuse during an update.
// The rule a reader must not miss: a title buffer is never handed on with a size below 1.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/twin_internal.h"

namespace {

constexpr char kModule[] = "tnotebk";

using namespace vkoruk;

constexpr char kEmptyTitle[] = "";

// The notebook check: null 0x1210002; not live, or live but no notebook, 0x1220002.
bool notebook_ok(const ApiFrame &frame, WINDOW nb, int line) noexcept {
    return window_of_type(frame, nb, type_set({kNotebookType}), line, kErrBadWindow);
}

bool index_ok(const ApiFrame &frame, int16_t number, int line) noexcept {
    if (number >= 0)
        return true;
    frame.refuse(kErrBadValue, line);
    return false;
}

// The notebook, tab and page checks that many members share report from the lines here,
// each its own, so that a report names the argument that failed.
bool tab_ok(const ApiFrame &frame, WINDOW nb, int16_t tab) noexcept {
    if (!notebook_ok(frame, nb, __LINE__))
        return false;
    return index_ok(frame, tab, __LINE__);
}

bool page_ok(const ApiFrame &frame, WINDOW nb, int16_t tab, int16_t page) noexcept {
    if (!tab_ok(frame, nb, tab))
        return false;
    return index_ok(frame, page, __LINE__);
}

bool handler_ok(const ApiFrame &frame, VKO_EVENT_HANDLER handler, int line) noexcept {
    if (handler != nullptr)
        return true;
    frame.refuse(kErrNullHandler, line);
    return false;
}

bool title_buffer_ok(const ApiFrame &frame, const char *buf, int32_t buf_size) noexcept {
    if (!frame.not_null(buf, __LINE__))
        return false;
    if (buf_size >= 1)
        return true;
    frame.refuse(kErrBadValue, __LINE__);
    return false;
}

void empty_if_null(const char *&title) noexcept {
    if (title == nullptr)
        title = kEmptyTitle;
}

bool check_vko_notebk_add_page(ApiFrame &frame, WINDOW nb, int16_t tab, int16_t page,
                               const char *&title, intptr_t) {
    if (!page_ok(frame, nb, tab, page))
        return false;
    empty_if_null(title);
    return true;
}

bool check_vko_notebk_add_tab(ApiFrame &frame, WINDOW nb, int16_t tab, const char *&title,
                              IMAGE image) {
    if (!tab_ok(frame, nb, tab))
        return false;
    if (title == nullptr && image == nullptr) {
        frame.refuse(kErrNullArgument, __LINE__);
        return false;
    }
    empty_if_null(title);
    return true;
}

bool check_vko_notebk_create_face(ApiFrame &frame, WINDOW nb, int16_t tab, int16_t page, int32_t,
                                  VKO_EVENT_HANDLER handler, intptr_t) {
    return page_ok(frame, nb, tab, page) && handler_ok(frame, handler, __LINE__);
}

// The definition list is checked before the notebook; no rectangle is repaired here.
bool check_vko_notebk_create_face_def(ApiFrame &frame, WINDOW nb, int16_t tab, int16_t page,
                                      s_win_def *def_list, int32_t, VKO_EVENT_HANDLER handler,
                                      intptr_t) {
    if (!frame.not_null(def_list, __LINE__))
        return false;
    if (!page_ok(frame, nb, tab, page))
        return false;
    if (!handler_ok(frame, handler, __LINE__))
        return false;
    return control_entries_pass(frame, def_list, __LINE__);
}

bool check_vko_notebk_create_face_res(ApiFrame &frame, WINDOW nb, int16_t tab, int16_t page,
                                      int32_t, int32_t, VKO_EVENT_HANDLER handler, intptr_t) {
    return page_ok(frame, nb, tab, page) && handler_ok(frame, handler, __LINE__);
}

bool check_vko_notebk_enum_pages(ApiFrame &frame, WINDOW nb, VKO_NOTEBK_ENUM_CALLBACK callback,
                                 intptr_t) {
    return notebook_ok(frame, nb, __LINE__) &&
           frame.not_null(reinterpret_cast<const void *>(callback), __LINE__);
}

bool check_vko_notebk_get_face(ApiFrame &frame, WINDOW nb, int16_t tab, int16_t page) {
    return page_ok(frame, nb, tab, page);
}

bool check_vko_notebk_get_front_page(ApiFrame &frame, WINDOW nb, int16_t *tab, int16_t *page) {
    if (!notebook_ok(frame, nb, __LINE__))
        return false;
    if (!frame.not_null(tab, __LINE__))
        return false;
    return frame.not_null(page, __LINE__);
}

bool check_vko_notebk_get_num_pages(ApiFrame &frame, WINDOW nb, int16_t tab) {
    return tab_ok(frame, nb, tab);
}

bool check_vko_notebk_get_num_tabs(ApiFrame &frame, WINDOW nb) {
    return notebook_ok(frame, nb, __LINE__);
}

// Only the window check: page data is read for any live window and any numbers.
bool check_vko_notebk_get_page_data(ApiFrame &frame, WINDOW nb, int16_t, int16_t) {
    return frame.live_window(nb, __LINE__);
}

// A face is a live window with some flag set; the base library's lookup does the rest.
bool check_vko_notebk_get_page_from_face(ApiFrame &frame, WINDOW face, WINDOW *nb, int16_t *tab,
                                         int16_t *page) {
    if (!frame.live_window(face, __LINE__))
        return false;
    if (face->flags == 0) {
        frame.refuse(kErrBadWindow, __LINE__);
        return false;
    }
    if (!frame.not_null(nb, __LINE__))
        return false;
    if (!frame.not_null(tab, __LINE__))
        return false;
    return frame.not_null(page, __LINE__);
}

bool check_vko_notebk_get_page_title(ApiFrame &frame, WINDOW nb, int16_t tab, int16_t page,
                                     char *buf, int32_t buf_size) {
    if (!page_ok(frame, nb, tab, page))
        return false;
    return title_buffer_ok(frame, buf, buf_size);
}

bool check_vko_notebk_get_tab_title(ApiFrame &frame, WINDOW nb, int16_t tab, char *buf,
                                    int32_t buf_size) {
    if (!tab_ok(frame, nb, tab))
        return false;
    return title_buffer_ok(frame, buf, buf_size);
}

bool check_vko_notebk_get_tab_image(ApiFrame &frame, WINDOW nb, int16_t tab) {
    return tab_ok(frame, nb, tab);
}

bool check_vko_notebk_rem_page(ApiFrame &frame, WINDOW nb, int16_t tab, int16_t page) {
    return page_ok(frame, nb, tab, page);
}

bool check_vko_notebk_rem_tab(ApiFrame &frame, WINDOW nb, int16_t tab) {
    return tab_ok(frame, nb, tab);
}

bool check_vko_notebk_set_page_data(ApiFrame &frame, WINDOW nb, int16_t tab, int16_t page,
                                    intptr_t) {
    return page_ok(frame, nb, tab, page);
}

bool check_vko_notebk_set_page_title(ApiFrame &frame, WINDOW nb, int16_t tab, int16_t page,
                                     const char *&title) {
    if (!page_ok(frame, nb, tab, page))
        return false;
    empty_if_null(title);
    return true;
}

bool check_vko_notebk_set_front_page(ApiFrame &frame, WINDOW nb, int16_t tab, int16_t page) {
    return page_ok(frame, nb, tab, page);
}

bool check_vko_notebk_set_tab_image(ApiFrame &frame, WINDOW nb, int16_t tab, IMAGE image) {
    return tab_ok(frame, nb, tab) && frame.not_null(image, __LINE__);
}

bool check_vko_notebk_set_tab_title(ApiFrame &frame, WINDOW nb, int16_t tab, const char *&title) {
    if (!tab_ok(frame, nb, tab))
        return false;
    empty_if_null(title);
    return true;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tnotebk.def"
