// tstr.cpp: checks of the string family. All checks are null-pointer checks (0x210000) and
// sign checks of counts (0x1250004) in argument order; some members accept a null argument
// and answer their neutral value without a report. Nothing here refuses during an update.
#include "ruk/static/forward.h"

#include <cstdarg>
#include <cstring>
#include <functional>

namespace {

using vkoruk::ApiFrame;

constexpr char kModule[] = "tstr";
// vko_str_compare compares at most this many characters.
constexpr std::int32_t kCompareLimit = 32767;

// ---- Shared checks ----------------------------------------------------------------------------

constexpr auto accept = [](ApiFrame&, auto&&...) { return true; };

constexpr auto first_given = [](ApiFrame& frame, const auto* first, auto&&...) {
    return frame.not_null(first, __LINE__);
};

constexpr auto both_given = [](ApiFrame& frame, const auto* first, const auto* second,
                               auto&&...) {
    if (!frame.not_null(first, __LINE__))
        return false;
    return frame.not_null(second, __LINE__);
};

// Members that take a null argument as "nothing to do": no report, neutral result.
constexpr auto first_or_quiet = [](ApiFrame&, const auto* first, auto&&...) {
    return first != nullptr;
};

constexpr auto both_or_quiet = [](ApiFrame&, const auto* first, const auto* second, auto&&...) {
    return first != nullptr && second != nullptr;
};

// (title, mnemonic, buffer, buffer size): title and buffer required, size not negative.
constexpr auto mnemonic_args = [](ApiFrame& frame, const char* title, auto, char* dst,
                                  std::int32_t dst_size) {
    if (!frame.not_null(title, __LINE__))
        return false;
    if (!frame.not_null(dst, __LINE__))
        return false;
    return frame.not_negative(dst_size, __LINE__);
};

// (buffer, source, count): a null buffer or source answers 0 quietly; a negative count is
// reported.
constexpr auto convert_string_args = [](ApiFrame& frame, const auto* dst, const auto* src,
                                        std::int32_t count) {
    return dst != nullptr && src != nullptr && frame.not_negative(count, __LINE__);
};

// ---- Bodies of the members that do more than forward -----------------------------------------

std::int32_t compare_whole(const char* a, const char* b) {
    return vkov_str_compare_n_char(a, b, kCompareLimit);
}

// Compares at most n_bytes bytes but stops at the end of the shorter text, so a text shorter
// than the count is never read past its terminating zero.
BOOLEAN equal_n_size(const char* a, const char* b, std::int32_t n_bytes) {
    if (n_bytes <= 0)
        return TRUE;
    return std::strncmp(a, b, static_cast<std::size_t>(n_bytes)) == 0 ? TRUE : FALSE;
}

// The kind of line end is found into a local and stored only where the caller gave room.
char* find_eol_kind(const char* text, std::int32_t* len_bytes, std::int32_t* eol_kind) {
    std::int32_t kind = 0;
    char* found = vkov_str_find_eol(text, len_bytes, &kind);
    if (eol_kind != nullptr)
        *eol_kind = kind;
    return found;
}

// A position at or before the start answers the start itself. The start is handed back as the
// caller gave it; the cast only meets the C signature.
char* prev_char(const char* start, const char* pos) {
    if (!std::greater<const char*>{}(pos, start))
        return const_cast<char*>(start);
    return vkov_str_prev_char(start, pos);
}

// ---- Checks, in table order ------------------------------------------------------------------

constexpr auto check_vko_str_collate = both_given;
constexpr auto check_vko_str_collate_ignoring_case = both_given;
constexpr auto check_vko_str_compare = both_given;
constexpr auto check_vko_str_compare_ignoring_case = both_given;
constexpr auto check_vko_str_compare_n_char = both_given;
constexpr auto check_vko_str_compare_n_size_ignoring_case = both_given;
constexpr auto check_vko_str_compare_wchar = first_given;
constexpr auto check_vko_str_is_equal = both_given;
constexpr auto check_vko_str_is_equal_n_size = both_given;
constexpr auto check_vko_str_match = accept;
constexpr auto check_vko_str_concat = both_given;
constexpr auto check_vko_str_concat_n_char = both_given;
constexpr auto check_vko_str_copy = both_given;
constexpr auto check_vko_str_copy_n_char = both_given;
constexpr auto check_vko_str_copy_n_size = both_given;
constexpr auto check_vko_str_duplicate = first_given;
constexpr auto check_vko_str_convert_to_lower = both_given;
constexpr auto check_vko_str_convert_to_upper = both_given;
constexpr auto check_vko_str_find_char_set = both_given;
constexpr auto check_vko_str_find_not_char_set = both_given;
constexpr auto check_vko_str_find_first_char = both_given;
constexpr auto check_vko_str_find_last_char = both_given;
constexpr auto check_vko_str_find_first_wchar = first_given;
constexpr auto check_vko_str_find_last_wchar = first_given;
constexpr auto check_vko_str_find_substring = both_given;
constexpr auto check_vko_str_find_token = both_given;
constexpr auto check_vko_str_find_eol = accept;
constexpr auto check_vko_str_is_alnum = first_given;
constexpr auto check_vko_str_is_alpha = first_given;
constexpr auto check_vko_str_is_cntrl = first_given;
constexpr auto check_vko_str_is_digit = first_given;
constexpr auto check_vko_str_is_graph = first_given;
constexpr auto check_vko_str_is_invariant = first_given;
constexpr auto check_vko_str_is_lower = first_given;
constexpr auto check_vko_str_is_print = first_given;
constexpr auto check_vko_str_is_punct = first_given;
constexpr auto check_vko_str_is_space = first_given;
constexpr auto check_vko_str_is_upper = first_given;
constexpr auto check_vko_str_is_xdigit = first_given;
constexpr auto check_vko_str_get_byte_count = first_or_quiet;
constexpr auto check_vko_str_get_char_count = first_or_quiet;

bool check_vko_str_get_n_char_count(ApiFrame& frame, const char*, std::int32_t n_bytes,
                                    std::int32_t*) {
    return frame.not_negative(n_bytes, __LINE__);
}

bool check_vko_str_get_n_char_size(ApiFrame&, const char* s, std::int32_t n_chars) {
    return s != nullptr && n_chars != 0;
}

constexpr auto check_vko_str_get_char_size = accept;
constexpr auto check_vko_str_get_next_char = first_or_quiet;
constexpr auto check_vko_str_get_prev_char = both_given;
constexpr auto check_vko_str_convert_mb_to_wc = both_or_quiet;
constexpr auto check_vko_str_convert_wc_to_mb = first_or_quiet;
constexpr auto check_vko_str_convert_mbs_to_wcs = convert_string_args;
constexpr auto check_vko_str_convert_wcs_to_mbs = convert_string_args;
constexpr auto check_vko_str_convert_wchar_to_lower = accept;
constexpr auto check_vko_str_convert_wchar_to_upper = accept;
constexpr auto check_vko_str_get_mnemonic = mnemonic_args;
constexpr auto check_vko_str_set_mnemonic = mnemonic_args;
constexpr auto check_vko_str_parse_long = first_given;
constexpr auto check_vko_str_parse_ulong = first_given;
constexpr auto check_vko_str_parse_double = first_given;
constexpr auto check_vko_str_vsprintf = first_given;

// One of the two code-set names may be null (the default set); both null is refused.
bool check_vko_str_create_codeset_map(ApiFrame& frame, const char* from, const char* to) {
    if (from != nullptr || to != nullptr)
        return true;
    frame.refuse(vkoruk::kErrNullArgument, __LINE__);
    return false;
}

constexpr auto check_vko_str_destroy_codeset_map = first_given;

bool check_vko_str_translate_codeset(ApiFrame& frame, VKO_CSMAP map, const char* src, char* dst,
                                     std::int32_t) {
    if (!frame.not_null(map, __LINE__))
        return false;
    if (src == nullptr || dst == nullptr) {
        frame.refuse(vkoruk::kErrNullArgument, __LINE__);
        return false;
    }
    return true;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tstr.def"

// Formats through the base library's variable-argument form.
extern "C" int32_t vko_str_sprintf(char* dst, const char* format, ...) noexcept {
    const ApiFrame frame{"vko_str_sprintf", kModule};
    if (!frame.not_null(dst, __LINE__))
        return 0;
    va_list args;
    va_start(args, format);
    const std::int32_t written = vkov_str_vsprintf(dst, format, args);
    va_end(args);
    return written;
}
