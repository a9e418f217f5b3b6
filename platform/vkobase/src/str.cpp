// str.cpp: the string family's comparison, copying, searching, counting, mnemonics and
// number parsing over multibyte text. Every walk goes character by character (see
// str_internal.h), so no result ever starts or ends inside a double-byte character.
#include "vkobase/str.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "str_internal.h"
#include "vkobase/mem.h"

namespace {

using vkobase::str::char_len;

struct StrEolState {
    const char *next = nullptr; // where the next vkov_str_find_eol call goes on; null: done
};
StrEolState g_eol;

int sign(int v) noexcept {
    return (v > 0) - (v < 0);
}

// Compares the characters at a and b (lengths la, lb) byte by byte, after mapping single
// bytes through fold (null: as they are).
int compare_char(const char *a, int la, const char *b, int lb,
                 unsigned char (*fold)(unsigned char)) noexcept {
    if (la == 1 && lb == 1 && fold != nullptr)
        return sign(fold(static_cast<unsigned char>(*a)) - fold(static_cast<unsigned char>(*b)));
    const int n = la < lb ? la : lb;
    for (int i = 0; i < n; ++i) {
        const int d = static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
        if (d != 0)
            return sign(d);
    }
    return sign(la - lb);
}

// Compares up to max_chars characters (a negative count: all of them).
int compare_chars(const char *a, const char *b, std::int32_t max_chars,
                  unsigned char (*fold)(unsigned char)) noexcept {
    for (std::int32_t i = 0; max_chars < 0 || i < max_chars; ++i) {
        const int la = char_len(a);
        const int lb = char_len(b);
        if (la == 0 || lb == 0)
            return sign(la - lb);
        const int d = compare_char(a, la, b, lb, fold);
        if (d != 0)
            return d;
        a += la;
        b += lb;
    }
    return 0;
}

unsigned char fold_accent_only(unsigned char b) noexcept {
    return vkobase::str::byte_upper(b);
}

// Third collation level: per character, lower case before upper case, then the bytes.
int compare_case_level(const char *a, const char *b) noexcept {
    for (;;) {
        const int la = char_len(a);
        const int lb = char_len(b);
        if (la == 0 || lb == 0)
            return sign(la - lb);
        if (la == 1 && lb == 1) {
            const auto ca = static_cast<unsigned char>(*a);
            const auto cb = static_cast<unsigned char>(*b);
            const int lower_a = vkobase::str::byte_lower(ca);
            const int lower_b = vkobase::str::byte_lower(cb);
            if (lower_a != lower_b)
                return sign(lower_a - lower_b);
            const int upper_a = ca != lower_a;
            const int upper_b = cb != lower_b;
            if (upper_a != upper_b)
                return sign(upper_a - upper_b);
        } else if (const int d = compare_char(a, la, b, lb, nullptr); d != 0) {
            return d;
        }
        a += la;
        b += lb;
    }
}

// Collation: base letters first, then accents, then (unless case is ignored) lower case
// before upper case: "cote" < "Cote" < "côte" < "Côte" < "coter" (ô as one byte).
int collate(const char *a, const char *b, bool ignore_case) noexcept {
    int d = compare_chars(a, b, -1, vkobase::str::byte_base);
    if (d == 0)
        d = compare_chars(a, b, -1, fold_accent_only);
    if (d == 0 && !ignore_case)
        d = compare_case_level(a, b);
    return d;
}

// True when the character at p equals the character at q (lengths lp, lq).
bool same_char(const char *p, int lp, const char *q, int lq) noexcept {
    return lp == lq && std::memcmp(p, q, static_cast<std::size_t>(lp)) == 0;
}

bool char_in_set(const char *p, int len, const char *set) noexcept {
    for (const char *q = set; *q != '\0';) {
        const int lq = char_len(q);
        if (same_char(p, len, q, lq))
            return true;
        q += lq;
    }
    return false;
}

// Copies at most max_chars characters of src to dst and terminates; answers the bytes copied.
std::int32_t copy_chars(char *dst, const char *src, std::int32_t max_chars) noexcept {
    std::int32_t out = 0;
    for (std::int32_t i = 0; i < max_chars; ++i) {
        const int len = char_len(src + out);
        if (len == 0)
            break;
        out += len;
    }
    std::memmove(dst, src, static_cast<std::size_t>(out));
    dst[out] = '\0';
    return out;
}

// Wildcard match of pattern against text, character by character, with one remembered
// '*' to back up to (enough for '*' and '?', and linear in practice).
bool match(const char *pattern, const char *text) noexcept {
    const char *star = nullptr;
    const char *star_text = nullptr;
    while (*text != '\0') {
        const int lt = char_len(text);
        const int lp = char_len(pattern);
        if (lp == 1 && *pattern == '*') {
            star = ++pattern;
            star_text = text;
            continue;
        }
        if (lp != 0 && ((lp == 1 && *pattern == '?') || same_char(pattern, lp, text, lt))) {
            pattern += lp;
            text += lt;
            continue;
        }
        if (star == nullptr)
            return false;
        pattern = star;
        star_text += char_len(star_text);
        text = star_text;
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

} // namespace

void vkobase_reset_str_eol() noexcept {
    g_eol = StrEolState{};
}

extern "C" {

std::int32_t vkov_str_collate(const char *a, const char *b) noexcept {
    if (a == nullptr || b == nullptr)
        return -1;
    return collate(a, b, false);
}

std::int32_t vkov_str_collate_ignoring_case(const char *a, const char *b) noexcept {
    if (a == nullptr || b == nullptr)
        return -1;
    return collate(a, b, true);
}

std::int32_t vkov_str_compare_ignoring_case(const char *a, const char *b) noexcept {
    if (a == nullptr || b == nullptr)
        return -1;
    return compare_chars(a, b, -1, vkobase::str::byte_upper);
}

std::int32_t vkov_str_compare_n_char(const char *a, const char *b, std::int32_t n_chars) noexcept {
    if (a == nullptr || b == nullptr)
        return -1;
    if (n_chars <= 0)
        return 0;
    return compare_chars(a, b, n_chars, nullptr);
}

std::int32_t vkov_str_compare_n_size_ignoring_case(const char *a, const char *b,
                                                   std::int32_t n_bytes) noexcept {
    if (a == nullptr || b == nullptr)
        return -1;
    for (std::int32_t i = 0; i < n_bytes; ++i) {
        const auto ca = vkobase::str::byte_upper(static_cast<unsigned char>(a[i]));
        const auto cb = vkobase::str::byte_upper(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return sign(ca - cb);
        if (ca == '\0')
            break;
    }
    return 0;
}

std::int32_t vkov_str_compare_wchar(const char *s, VKO_WCHAR wc) noexcept {
    if (s == nullptr)
        return -1;
    const int len = char_len(s);
    const int code = len == 0 ? 0 : vkobase::str::decode(s, len);
    return sign(code - static_cast<int>(wc));
}

BOOLEAN vkov_str_is_equal(const char *a, const char *b) noexcept {
    return a != nullptr && b != nullptr && std::strcmp(a, b) == 0 ? TRUE : FALSE;
}

BOOLEAN vkov_str_match(const char *pattern, const char *text) noexcept {
    return pattern != nullptr && text != nullptr && match(pattern, text) ? TRUE : FALSE;
}

char *vkov_str_concat(char *dst, const char *src) noexcept {
    if (dst == nullptr || src == nullptr)
        return dst;
    return std::strcat(dst, src);
}

char *vkov_str_concat_n_char(char *dst, const char *src, std::int32_t n_chars) noexcept {
    if (dst == nullptr || src == nullptr)
        return dst;
    copy_chars(dst + std::strlen(dst), src, n_chars);
    return dst;
}

char *vkov_str_copy(char *dst, const char *src) noexcept {
    if (dst == nullptr || src == nullptr)
        return dst;
    std::memmove(dst, src, std::strlen(src) + 1);
    return dst;
}

char *vkov_str_copy_n_char(char *dst, const char *src, std::int32_t n_chars) noexcept {
    if (dst == nullptr || src == nullptr)
        return dst;
    copy_chars(dst, src, n_chars);
    return dst;
}

char *vkov_str_copy_n_size(char *dst, const char *src, std::int32_t dst_size) noexcept {
    if (dst == nullptr || src == nullptr || dst_size <= 0)
        return dst;
    std::int32_t out = 0;
    for (;;) {
        const int len = char_len(src + out);
        if (len == 0 || len > dst_size - 1 - out)
            break;
        out += len;
    }
    std::memmove(dst, src, static_cast<std::size_t>(out));
    dst[out] = '\0';
    return dst;
}

char *vkov_str_duplicate(const char *s) noexcept {
    if (s == nullptr)
        return nullptr;
    const std::size_t size = std::strlen(s) + 1;
    auto *copy = static_cast<char *>(vkov_mem_alloc(size));
    if (copy != nullptr)
        std::memcpy(copy, s, size);
    return copy;
}

char *vkov_str_find_char_set(const char *s, const char *set) noexcept {
    if (s == nullptr || set == nullptr)
        return nullptr;
    for (const char *p = s; *p != '\0';) {
        const int len = char_len(p);
        if (char_in_set(p, len, set))
            return const_cast<char *>(p); // the C interface answers into the caller's text
        p += len;
    }
    return nullptr;
}

char *vkov_str_find_not_char_set(const char *s, const char *set) noexcept {
    if (s == nullptr || set == nullptr)
        return nullptr;
    for (const char *p = s; *p != '\0';) {
        const int len = char_len(p);
        if (!char_in_set(p, len, set))
            return const_cast<char *>(p); // the C interface answers into the caller's text
        p += len;
    }
    return nullptr;
}

char *vkov_str_find_first_char(const char *s, const char *ch) noexcept {
    if (s == nullptr || ch == nullptr)
        return nullptr;
    const int lc = char_len(ch);
    if (lc == 0)
        return const_cast<char *>(s + std::strlen(s)); // the terminator, as for wide char 0
    for (const char *p = s; *p != '\0';) {
        const int len = char_len(p);
        if (same_char(p, len, ch, lc))
            return const_cast<char *>(p);
        p += len;
    }
    return nullptr;
}

char *vkov_str_find_last_char(const char *s, const char *ch) noexcept {
    if (s == nullptr || ch == nullptr)
        return nullptr;
    const int lc = char_len(ch);
    if (lc == 0)
        return const_cast<char *>(s + std::strlen(s));
    const char *found = nullptr;
    for (const char *p = s; *p != '\0';) {
        const int len = char_len(p);
        if (same_char(p, len, ch, lc))
            found = p;
        p += len;
    }
    return const_cast<char *>(found);
}

char *vkov_str_find_first_wchar(const char *s, VKO_WCHAR wc) noexcept {
    if (s == nullptr)
        return nullptr;
    for (const char *p = s;;) {
        const int len = char_len(p);
        if (len == 0)
            return wc == 0 ? const_cast<char *>(p) : nullptr;
        if (vkobase::str::decode(p, len) == wc)
            return const_cast<char *>(p);
        p += len;
    }
}

char *vkov_str_find_last_wchar(const char *s, VKO_WCHAR wc) noexcept {
    if (s == nullptr)
        return nullptr;
    const char *found = nullptr;
    for (const char *p = s;;) {
        const int len = char_len(p);
        if (len == 0)
            return const_cast<char *>(wc == 0 ? p : found);
        if (vkobase::str::decode(p, len) == wc)
            found = p;
        p += len;
    }
}

char *vkov_str_find_substring(const char *s, const char *sub) noexcept {
    if (s == nullptr || sub == nullptr)
        return nullptr;
    const std::size_t sub_len = std::strlen(sub);
    for (const char *p = s;;) {
        if (std::strncmp(p, sub, sub_len) == 0)
            return const_cast<char *>(p);
        const int len = char_len(p);
        if (len == 0)
            return nullptr;
        p += len;
    }
}

char *vkov_str_find_token(const char *s, const char *separators, std::int32_t *len_bytes) noexcept {
    if (len_bytes != nullptr)
        *len_bytes = 0;
    if (s == nullptr || separators == nullptr)
        return nullptr;
    const char *p = s;
    while (*p != '\0' && char_in_set(p, char_len(p), separators))
        p += char_len(p);
    if (*p == '\0')
        return nullptr;
    const char *end = p;
    while (*end != '\0' && !char_in_set(end, char_len(end), separators))
        end += char_len(end);
    if (len_bytes != nullptr)
        *len_bytes = static_cast<std::int32_t>(end - p);
    return const_cast<char *>(p);
}

char *vkov_str_find_eol(const char *text, std::int32_t *len_bytes,
                        std::int32_t *eol_kind) noexcept {
    if (text != nullptr)
        g_eol.next = text;
    const char *line = g_eol.next;
    if (len_bytes != nullptr)
        *len_bytes = 0;
    if (eol_kind != nullptr)
        *eol_kind = VKO_EOL_NONE;
    if (line == nullptr || *line == '\0') {
        g_eol.next = nullptr;
        return nullptr;
    }
    const char *end = line;
    while (*end != '\0' && *end != '\n' && *end != '\r')
        end += char_len(end);
    std::int32_t kind = VKO_EOL_NONE;
    const char *next = nullptr;
    if (end[0] == '\r' && end[1] == '\n') {
        kind = VKO_EOL_CRLF;
        next = end + 2;
    } else if (end[0] == '\n') {
        kind = VKO_EOL_LF;
        next = end + 1;
    } else if (end[0] == '\r') {
        kind = VKO_EOL_CR;
        next = end + 1;
    }
    g_eol.next = next;
    if (len_bytes != nullptr)
        *len_bytes = static_cast<std::int32_t>(end - line);
    if (eol_kind != nullptr)
        *eol_kind = kind;
    return const_cast<char *>(line);
}

std::int32_t vkov_str_get_byte_count(const char *s) noexcept {
    return s == nullptr ? 0 : static_cast<std::int32_t>(std::strlen(s));
}

std::int32_t vkov_str_get_char_count(const char *s) noexcept {
    if (s == nullptr)
        return 0;
    std::int32_t n = 0;
    for (int len = char_len(s); len != 0; len = char_len(s)) {
        s += len;
        ++n;
    }
    return n;
}

std::int32_t vkov_str_get_n_char_count(const char *s, std::int32_t n_bytes,
                                       std::int32_t *bytes_used) noexcept {
    std::int32_t n = 0;
    std::int32_t used = 0;
    if (s != nullptr) {
        for (;;) {
            const int len = char_len(s + used);
            if (len == 0 || len > n_bytes - used)
                break;
            used += len;
            ++n;
        }
    }
    if (bytes_used != nullptr)
        *bytes_used = used;
    return n;
}

std::int32_t vkov_str_get_n_char_size(const char *s, std::int32_t n_chars) noexcept {
    if (s == nullptr)
        return 0;
    std::int32_t used = 0;
    for (std::int32_t i = 0; i < n_chars; ++i) {
        const int len = char_len(s + used);
        if (len == 0)
            break;
        used += len;
    }
    return used;
}

std::int32_t vkok_str_get_char_size(const char *s) noexcept {
    if (s == nullptr)
        return 0;
    const int len = char_len(s);
    return len == 0 ? 1 : len;
}

char *vkov_str_next_char(const char *s) noexcept {
    if (s == nullptr)
        return nullptr;
    return const_cast<char *>(s + char_len(s));
}

char *vkov_str_prev_char(const char *start, const char *pos) noexcept {
    if (start == nullptr || pos == nullptr)
        return nullptr;
    if (pos <= start)
        return const_cast<char *>(start);
    // Double-byte text can only be stepped back from its start.
    const char *prev = start;
    for (const char *p = start; p < pos && *p != '\0';) {
        prev = p;
        p += char_len(p);
    }
    return const_cast<char *>(prev);
}

BOOLEAN vkov_str_get_mnemonic(const char *title, VKO_WCHAR *mnemonic, char *dst,
                              std::int32_t dst_size) noexcept {
    if (mnemonic != nullptr)
        *mnemonic = 0;
    if (title == nullptr || dst == nullptr || dst_size <= 0)
        return FALSE;
    BOOLEAN found = FALSE;
    std::int32_t out = 0;
    for (const char *p = title; *p != '\0';) {
        if (*p == '&') {
            ++p;
            if (*p == '\0')
                break;
            if (*p != '&' && !found) {
                const int len = char_len(p);
                if (mnemonic != nullptr)
                    *mnemonic = vkobase::str::decode(p, len);
                found = TRUE;
            }
        }
        const int len = char_len(p);
        if (len > dst_size - 1 - out)
            break;
        std::memcpy(dst + out, p, static_cast<std::size_t>(len));
        out += len;
        p += len;
    }
    dst[out] = '\0';
    return found;
}

BOOLEAN vkov_str_set_mnemonic(const char *title, VKO_WCHAR mnemonic, char *dst,
                              std::int32_t dst_size) noexcept {
    if (title == nullptr || dst == nullptr || dst_size <= 0)
        return FALSE;
    const VKO_WCHAR wanted = vkov_str_convert_wchar_to_upper(mnemonic);
    BOOLEAN marked = FALSE;
    std::int32_t out = 0;
    for (const char *p = title; *p != '\0';) {
        const int len = char_len(p);
        const bool mark = !marked && mnemonic != 0 &&
                          vkov_str_convert_wchar_to_upper(vkobase::str::decode(p, len)) == wanted;
        const bool escape = len == 1 && *p == '&';
        const std::int32_t need = len + (mark || escape ? 1 : 0);
        if (need > dst_size - 1 - out)
            break;
        if (mark || escape)
            dst[out++] = '&';
        std::memcpy(dst + out, p, static_cast<std::size_t>(len));
        out += len;
        p += len;
        if (mark)
            marked = TRUE;
    }
    dst[out] = '\0';
    return marked;
}

std::int32_t vkov_str_parse_long(const char *s, char **end, std::int32_t base) noexcept {
    if (s == nullptr)
        return 0;
    errno = 0;
    const long long v = std::strtoll(s, end, static_cast<int>(base));
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(v);
}

std::uint32_t vkov_str_parse_ulong(const char *s, char **end, std::int32_t base) noexcept {
    if (s == nullptr)
        return 0;
    errno = 0;
    const unsigned long long v = std::strtoull(s, end, static_cast<int>(base));
    return v > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(v);
}

double vkov_str_parse_double(const char *s, char **end) noexcept {
    if (s == nullptr)
        return 0.0;
    return std::strtod(s, end);
}

std::int32_t vkov_str_vsprintf(char *dst, const char *format, va_list args) noexcept {
    if (dst == nullptr || format == nullptr)
        return 0;
    return std::vsprintf(dst, format, args);
}

} // extern "C"
