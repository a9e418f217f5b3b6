// tslist.cpp: the string-list family of the checking layer ("tslist"): the base library's
// ordered string lists with one data word per element. Some members take a null list through
// to the base library unchecked (optional); the others refuse it (required).
#include "ruk/static/forward.h"

#include <cstdint>

namespace {

constexpr char kModule[] = "tslist";

using vkoruk::ApiFrame;

// A list that must be given: null 0x121000A, then not valid 0x1220008.
bool required_list(const ApiFrame &frame, SLIST list, int line) noexcept {
    if (list == nullptr) {
        frame.refuse(vkoruk::kErrNullSlist, line);
        return false;
    }
    if (vkov_slist_is_valid(list))
        return true;
    frame.refuse(vkoruk::kErrBadSlist, line + vkoruk::kNotLiveLineBase);
    return false;
}

// A list that may be null: only a non-null list that is not valid is refused.
bool optional_list(const ApiFrame &frame, SLIST list, int line) noexcept {
    if (list == nullptr || vkov_slist_is_valid(list))
        return true;
    frame.refuse(vkoruk::kErrBadSlist, line);
    return false;
}

bool check_vko_slist_add(ApiFrame &frame, SLIST list, const char *text, int32_t) {
    if (!required_list(frame, list, __LINE__))
        return false;
    return frame.not_null(text, __LINE__);
}

bool check_vko_slist_add_at_elt(ApiFrame &frame, SLIST list, SLIST_ELT, const char *text, int32_t) {
    if (!required_list(frame, list, __LINE__))
        return false;
    return frame.not_null(text, __LINE__);
}

bool check_vko_slist_add_at_pos(ApiFrame &frame, SLIST list, int32_t, const char *text, int32_t) {
    if (!required_list(frame, list, __LINE__))
        return false;
    return frame.not_null(text, __LINE__);
}

bool check_vko_slist_add_sorted(ApiFrame &frame, SLIST list, const char *text, int32_t, BOOLEAN,
                                BOOLEAN) {
    if (!required_list(frame, list, __LINE__))
        return false;
    return frame.not_null(text, __LINE__);
}

bool check_vko_slist_count(ApiFrame &frame, SLIST list) {
    return optional_list(frame, list, __LINE__);
}

bool check_vko_slist_create(ApiFrame &) {
    return true;
}

bool check_vko_slist_debug(ApiFrame &frame, SLIST list) {
    return optional_list(frame, list, __LINE__);
}

bool check_vko_slist_destroy(ApiFrame &frame, SLIST list) {
    return optional_list(frame, list, __LINE__);
}

bool check_vko_slist_get(ApiFrame &frame, SLIST list, SLIST_ELT, int32_t *) {
    return required_list(frame, list, __LINE__);
}

bool check_vko_slist_get_data(ApiFrame &frame, SLIST_ELT elt) {
    return frame.not_null(elt, __LINE__);
}

bool check_vko_slist_get_elt(ApiFrame &frame, SLIST list, int32_t, int32_t *) {
    return required_list(frame, list, __LINE__);
}

bool check_vko_slist_get_first(ApiFrame &frame, SLIST list) {
    return optional_list(frame, list, __LINE__);
}

bool check_vko_slist_get_next(ApiFrame &frame, SLIST list, SLIST_ELT) {
    return required_list(frame, list, __LINE__);
}

bool check_vko_slist_is_valid(ApiFrame &, SLIST) {
    return true;
}

bool check_vko_slist_rem(ApiFrame &frame, SLIST list, SLIST_ELT elt) {
    if (!required_list(frame, list, __LINE__))
        return false;
    return frame.not_null(elt, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tslist.def"
