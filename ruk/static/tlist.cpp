// tlist.cpp: the list-control family of the checking layer ("tlist"): adding, removing,
// reading and selecting the strings of native list controls and suspending their redraw.
// Every report names the list control as its object.
// The rule a reader must not miss: a buffer handed through is never given to the base library
// with a size below 1, so nothing is written outside it.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/twin_internal.h"

namespace {

constexpr char kModule[] = "tlist";

using namespace vkoruk;

constexpr TypeSet kSelectionTypes = type_set({19, 20});
constexpr int32_t kAppendIndex = -1;

// The list check: null, not live, then not a list control; every report names the list.
bool is_list(const ApiFrame &frame, WINDOW list, int line) noexcept {
    if (!frame.live_window(list, line, list))
        return false;
    if (vkok_vobj_is_list(list))
        return true;
    frame.refuse(kErrWrongWindowKind, line + kWrongKindLineBase, list);
    return false;
}

// The list check for the selection calls: the list must be a list box or a list button.
bool is_selection_list(const ApiFrame &frame, WINDOW list, int line) noexcept {
    if (!frame.live_window(list, line, list))
        return false;
    if (in_set(kSelectionTypes, effective_type(list)))
        return true;
    frame.refuse(kErrWrongWindowKind, line + kWrongKindLineBase, list);
    return false;
}

// The buffer and its size report from the lines here, each its own.
bool buffer_ok(const ApiFrame &frame, WINDOW list, const char *buf, int32_t buf_size) noexcept {
    if (!frame.not_null(buf, __LINE__, list))
        return false;
    if (buf_size >= 1)
        return true;
    frame.refuse(kErrBadCount, __LINE__, list);
    return false;
}

// The checks of the calls that take nothing but the list, or ignore their other arguments.
constexpr auto list_given = [](ApiFrame &frame, WINDOW list, auto &&...) {
    return is_list(frame, list, __LINE__);
};
constexpr auto selection_list_given = [](ApiFrame &frame, WINDOW list, auto &&...) {
    return is_selection_list(frame, list, __LINE__);
};

bool check_vko_list_add(ApiFrame &frame, WINDOW list, int32_t index, const char *text) {
    if (!is_list(frame, list, __LINE__))
        return false;
    if (!frame.not_null(text, __LINE__, list))
        return false;
    if (index < kAppendIndex) {
        frame.refuse(kErrValueOutOfSet, __LINE__, list);
        return false;
    }
    return true;
}

constexpr auto check_vko_list_clear = list_given;
constexpr auto check_vko_list_count_all = list_given;
constexpr auto check_vko_list_count_sel = selection_list_given;
constexpr auto check_vko_list_get_all = list_given;

bool check_vko_list_get_elt(ApiFrame &frame, WINDOW list, int32_t, char *buf, int32_t buf_size) {
    if (!is_list(frame, list, __LINE__))
        return false;
    return buffer_ok(frame, list, buf, buf_size);
}

bool check_vko_list_get_first_sel(ApiFrame &frame, WINDOW list, char *buf, int32_t buf_size) {
    if (!is_selection_list(frame, list, __LINE__))
        return false;
    return buffer_ok(frame, list, buf, buf_size);
}

constexpr auto check_vko_list_get_sel = selection_list_given;
constexpr auto check_vko_list_get_sel_index = selection_list_given;
constexpr auto check_vko_list_is_sel = selection_list_given;
constexpr auto check_vko_list_rem = list_given;
constexpr auto check_vko_list_resume = list_given;
constexpr auto check_vko_list_set_sel = selection_list_given;
constexpr auto check_vko_list_suspend = list_given;

} // namespace

// The table's forwarder, except that the update refusal too names the list: every member
// takes the list first, under the name list.
#define VKO_RUK_LIST_FORWARDER(name, target, ret, params, args, update, neutral)                  \
    extern "C" ret name params noexcept {                                                         \
        return ::vkoruk::run_entry<ret>(                                                          \
            #name, kModule, ::vkoruk::Update::update, __LINE__, []() -> ret { return neutral; }, \
            [&](::vkoruk::ApiFrame& vkoruk_frame) -> bool {                                       \
                return check_##name(vkoruk_frame VKO_RUK_TAIL args);                              \
            },                                                                                    \
            [&]() -> ret { return target args; }, list);                                          \
    }

#define VKO_ENTRY VKO_RUK_LIST_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tlist.def"
#undef VKO_RUK_LIST_FORWARDER
