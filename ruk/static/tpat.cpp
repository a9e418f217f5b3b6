// tpat.cpp: the pattern family of the checking layer ("tpat"): the format patterns that the
// validators match and format texts with. A pattern text that the base library refuses is the
// one report of the layer made after a forwarded call.
#include "ruk/static/forward.h"

#include <cstdint>

namespace {

constexpr char kModule[] = "tpat";

using vkoruk::ApiFrame;

bool check_vko_pattern_destroy(ApiFrame &frame, PATTERN pattern) {
    return frame.not_null(pattern, __LINE__);
}

bool check_vko_pattern_format_string(ApiFrame &frame, PATTERN pattern, const char *text, char *buf,
                                     int32_t, BOOLEAN, int32_t *first, int32_t *last) {
    if (!frame.not_null(pattern, __LINE__))
        return false;
    if (!frame.not_null(text, __LINE__))
        return false;
    if (!frame.not_null(buf, __LINE__))
        return false;
    if (!frame.not_null(first, __LINE__))
        return false;
    return frame.not_null(last, __LINE__);
}

bool check_vko_pattern_match(ApiFrame &frame, PATTERN pattern, const char *text,
                             int32_t *fail_pos) {
    if (!frame.not_null(pattern, __LINE__))
        return false;
    if (!frame.not_null(text, __LINE__))
        return false;
    return frame.not_null(fail_pos, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tpat.def"

extern "C" PATTERN vko_pattern_create(const char *text) noexcept {
    ApiFrame frame{"vko_pattern_create", kModule};
    if (!frame.not_null(text, __LINE__))
        return nullptr;
    PATTERN pattern = vkov_pattern_create(text);
    if (pattern == nullptr)
        frame.refuse(vkoruk::kErrBadValue, __LINE__); // the base library refused the text
    return pattern;
}
