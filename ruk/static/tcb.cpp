// tcb.cpp: the clipboard family of the checking layer ("tcb"): opening and closing the
// clipboard, its transfer buffer, and putting, testing and getting data of one format. The
// application-defined format needs a format name; text goes to the system clipboard as UTF-8.
#include "ruk/static/forward.h"

#include <cstdint>

namespace {

constexpr char kModule[] = "tcb";

using vkoruk::ApiFrame;

// Format 2 (application-defined) is named; the other formats take no name.
bool name_given_for(const ApiFrame &frame, e_cb format, const char *name, int line) noexcept {
    return format != CB_APPL || frame.not_null(name, line);
}

bool check_vko_cb_alloc(ApiFrame &, uint32_t) {
    return true;
}
bool check_vko_cb_close(ApiFrame &) {
    return true;
}
bool check_vko_cb_free_data(ApiFrame &) {
    return true;
}
bool check_vko_cb_open(ApiFrame &, BOOLEAN) {
    return true;
}

bool check_vko_cb_get_data(ApiFrame &frame, e_cb format, const char *name, uint32_t *size) {
    if (!name_given_for(frame, format, name, __LINE__))
        return false;
    return frame.not_null(size, __LINE__);
}

bool check_vko_cb_has_format(ApiFrame &frame, e_cb format, const char *name) {
    return name_given_for(frame, format, name, __LINE__);
}

bool check_vko_cb_put_data(ApiFrame &frame, e_cb format, const char *name, uint32_t, PICTURE) {
    return name_given_for(frame, format, name, __LINE__);
}

bool check_vko_cb_put_text_utf8(ApiFrame &frame, const char *utf8, uint32_t) {
    return frame.not_null(utf8, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tcb.def"
