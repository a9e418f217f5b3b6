// str_charset.cpp: the string family's character set: the optional double-byte lead-byte
// set, Windows-1252 decoding and encoding, classification, case conversion, wide
// characters and code-set maps. Single bytes are Windows-1252; a double-byte character is
// a lead byte of the installed set followed by any non-NUL byte.
#include "vkobase/str.h"

#include <cstring>
#include <new>

#include "str_internal.h"

namespace {

struct StrCharsetState {
    bool lead[256] = {};   // lead bytes of the double-byte set
    bool any_lead = false; // false: single-byte text
};
StrCharsetState g_charset;

// Unicode of the bytes 0x80..0x9F. The five bytes that Windows-1252 leaves undefined map to
// the C1 control of the same number, as the platform's own conversion does.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Base letters of 0xC0..0xFF for collation (accents dropped, upper case).
constexpr char kBaseHigh[] = "AAAAAAACEEEEIIIIDNOOOOO\xD7OUUUUYTS"
                             "AAAAAAACEEEEIIIIDNOOOOO\xF7OUUUUYTY";

enum CharClass : unsigned {
    kUpper = 1u << 0,
    kLower = 1u << 1,
    kAlphaOther = 1u << 2,
    kDigit = 1u << 3,
    kXdigit = 1u << 4,
    kSpace = 1u << 5,
    kCntrl = 1u << 6,
    kPrint = 1u << 7,
    kInvariant = 1u << 8,
};

unsigned classify_byte(unsigned char b) noexcept {
    unsigned c = 0;
    if (b < 0x20 || b == 0x7F)
        c |= kCntrl;
    else
        c |= kPrint;
    if (b == ' ' || (b >= '\t' && b <= '\r'))
        c |= kSpace;
    if (b >= '0' && b <= '9')
        c |= kDigit | kXdigit;
    if ((b >= 'a' && b <= 'f') || (b >= 'A' && b <= 'F'))
        c |= kXdigit;
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7) || b == 0x8A || b == 0x8C ||
        b == 0x8E || b == 0x9F)
        c |= kUpper;
    if ((b >= 'a' && b <= 'z') || (b >= 0xDF && b != 0xF7) || b == 0x83 || b == 0x9A || b == 0x9C ||
        b == 0x9E)
        c |= kLower;
    if (b == 0xAA || b == 0xBA)
        c |= kAlphaOther;
    // The characters that every code page keeps in place (ISO 646 invariant set).
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
        (b != 0 && std::strchr(" !\"%&'()*+,-./:;<=>?_", b) != nullptr))
        c |= kInvariant;
    return c;
}

// Class bits of the first character of s; a double-byte character is printable only.
unsigned classify(const char *s) noexcept {
    const int len = vkobase::str::char_len(s);
    if (len == 0)
        return 0;
    if (len == 2)
        return kPrint;
    return classify_byte(static_cast<unsigned char>(*s));
}

BOOLEAN has(const char *s, unsigned bits) noexcept {
    return s != nullptr && (classify(s) & bits) != 0 ? TRUE : FALSE;
}

BOOLEAN is_graph_char(const char *s) noexcept {
    if (s == nullptr)
        return FALSE;
    const unsigned c = classify(s);
    const auto b = static_cast<unsigned char>(*s);
    return (c & kPrint) != 0 && b != ' ' && b != 0xA0 ? TRUE : FALSE;
}

// Converts src into dst character by character with map_byte, within dst_size bytes.
char *convert_case(char *dst, const char *src, std::int32_t dst_size,
                   unsigned char (*map_byte)(unsigned char)) noexcept {
    if (dst == nullptr || src == nullptr || dst_size <= 0)
        return dst;
    std::int32_t out = 0;
    const char *p = src;
    for (;;) {
        const int len = vkobase::str::char_len(p);
        if (len == 0 || len > dst_size - out)
            break;
        if (len == 1)
            dst[out] = static_cast<char>(map_byte(static_cast<unsigned char>(*p)));
        else
            std::memmove(dst + out, p, 2);
        out += len;
        p += len;
    }
    if (out < dst_size)
        dst[out] = '\0';
    return dst;
}

VKO_WCHAR convert_wchar(VKO_WCHAR wc, unsigned char (*map_byte)(unsigned char)) noexcept {
    if (wc >= 0x100 && vkobase::str::double_byte_active() && g_charset.lead[wc >> 8])
        return wc;
    const unsigned char b = vkobase::str::unicode_to_cp1252(wc);
    if (b == 0 && wc != 0)
        return wc;
    return vkobase::str::cp1252_to_unicode(map_byte(b));
}

// Code sets that a code-set map may name.
enum CodeSet { kCp1252, kLatin1, kAscii, kUnknown };

CodeSet codeset_of(const char *name) noexcept {
    if (name == nullptr)
        return kCp1252;
    struct Name {
        const char *text;
        CodeSet set;
    };
    static constexpr Name kNames[] = {
        {"windows-1252", kCp1252}, {"cp1252", kCp1252}, {"iso-8859-1", kLatin1},
        {"iso8859-1", kLatin1},    {"latin1", kLatin1}, {"us-ascii", kAscii},
        {"ascii", kAscii},
    };
    for (const Name &n : kNames)
        if (vkov_str_compare_ignoring_case(name, n.text) == 0)
            return n.set;
    return kUnknown;
}

// Unicode of byte b in a code set; -1 when the byte is not a character of the set.
int to_unicode(CodeSet set, unsigned char b) noexcept {
    switch (set) {
    case kCp1252:
        return vkobase::str::cp1252_to_unicode(b);
    case kLatin1:
        return b;
    case kAscii:
        return b < 0x80 ? b : -1;
    case kUnknown:
        break;
    }
    return -1;
}

// Byte of Unicode u in a code set; -1 when the set cannot encode it.
int from_unicode(CodeSet set, int u) noexcept {
    if (u < 0)
        return -1;
    switch (set) {
    case kCp1252: {
        const unsigned char b = vkobase::str::unicode_to_cp1252(static_cast<std::uint16_t>(u));
        return b != 0 || u == 0 ? b : -1;
    }
    case kLatin1:
        return u < 0x100 ? u : -1;
    case kAscii:
        return u < 0x80 ? u : -1;
    case kUnknown:
        break;
    }
    return -1;
}

} // namespace

struct vko_codeset_map {
    unsigned char table[256];
};

namespace vkobase::str {

int char_len(const char *p) noexcept {
    if (*p == '\0')
        return 0;
    if (g_charset.any_lead && g_charset.lead[static_cast<unsigned char>(*p)] && p[1] != '\0')
        return 2;
    return 1;
}

bool double_byte_active() noexcept {
    return g_charset.any_lead;
}

std::uint16_t decode(const char *p, int len) noexcept {
    const auto b0 = static_cast<unsigned char>(p[0]);
    if (len == 2)
        return static_cast<std::uint16_t>(b0 << 8 | static_cast<unsigned char>(p[1]));
    return cp1252_to_unicode(b0);
}

int encode(std::uint16_t wc, char *out) noexcept {
    if (wc >= 0x100 && g_charset.any_lead && g_charset.lead[wc >> 8] && (wc & 0xFF) != 0) {
        out[0] = static_cast<char>(wc >> 8);
        out[1] = static_cast<char>(wc & 0xFF);
        return 2;
    }
    const unsigned char b = unicode_to_cp1252(wc);
    if (b == 0)
        return 0;
    out[0] = static_cast<char>(b);
    return 1;
}

std::uint16_t cp1252_to_unicode(unsigned char b) noexcept {
    return b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : b;
}

unsigned char unicode_to_cp1252(std::uint16_t u) noexcept {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == u)
            return static_cast<unsigned char>(0x80 + i);
    return 0;
}

unsigned char byte_upper(unsigned char b) noexcept {
    if (b >= 'a' && b <= 'z')
        return static_cast<unsigned char>(b - 0x20);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
        return static_cast<unsigned char>(b - 0x20);
    switch (b) {
    case 0x9A:
        return 0x8A;
    case 0x9C:
        return 0x8C;
    case 0x9E:
        return 0x8E;
    case 0xFF:
        return 0x9F;
    default:
        return b;
    }
}

unsigned char byte_lower(unsigned char b) noexcept {
    if (b >= 'A' && b <= 'Z')
        return static_cast<unsigned char>(b + 0x20);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
        return static_cast<unsigned char>(b + 0x20);
    switch (b) {
    case 0x8A:
        return 0x9A;
    case 0x8C:
        return 0x9C;
    case 0x8E:
        return 0x9E;
    case 0x9F:
        return 0xFF;
    default:
        return b;
    }
}

unsigned char byte_base(unsigned char b) noexcept {
    if (b >= 0xC0)
        return static_cast<unsigned char>(kBaseHigh[b - 0xC0]);
    switch (b) {
    case 0x8A:
    case 0x9A:
        return 'S';
    case 0x8C:
    case 0x9C:
        return 'O';
    case 0x8E:
    case 0x9E:
        return 'Z';
    case 0x9F:
        return 'Y';
    case 0x83:
        return 'F';
    default:
        return byte_upper(b);
    }
}

} // namespace vkobase::str

// Reset of the string family: back to single-byte text, no line cut in progress.
void vkobase_reset_str_eol() noexcept;
void vkobase_reset_str() noexcept {
    g_charset = StrCharsetState{};
    vkobase_reset_str_eol();
}

extern "C" {

void vkov_str_test_set_lead_bytes(const char *ranges) noexcept {
    g_charset = StrCharsetState{};
    if (ranges == nullptr)
        return;
    for (const char *p = ranges; p[0] != '\0' && p[1] != '\0'; p += 2) {
        const auto first = static_cast<unsigned char>(p[0]);
        const auto last = static_cast<unsigned char>(p[1]);
        for (unsigned b = first; b <= last; ++b) {
            g_charset.lead[b] = true;
            g_charset.any_lead = true;
        }
    }
}

BOOLEAN vkov_str_is_alnum(const char *s) noexcept {
    return has(s, kUpper | kLower | kAlphaOther | kDigit);
}
BOOLEAN vkov_str_is_alpha(const char *s) noexcept {
    return has(s, kUpper | kLower | kAlphaOther);
}
BOOLEAN vkov_str_is_cntrl(const char *s) noexcept {
    return has(s, kCntrl);
}
BOOLEAN vkov_str_is_digit(const char *s) noexcept {
    return has(s, kDigit);
}
BOOLEAN vkov_str_is_graph(const char *s) noexcept {
    return is_graph_char(s);
}
BOOLEAN vkov_str_is_invariant(const char *s) noexcept {
    return has(s, kInvariant);
}
BOOLEAN vkov_str_is_lower(const char *s) noexcept {
    return has(s, kLower);
}
BOOLEAN vkov_str_is_print(const char *s) noexcept {
    return has(s, kPrint);
}
BOOLEAN vkov_str_is_punct(const char *s) noexcept {
    return is_graph_char(s) && vkobase::str::char_len(s) == 1 &&
                   !has(s, kUpper | kLower | kAlphaOther | kDigit)
               ? TRUE
               : FALSE;
}
BOOLEAN vkov_str_is_space(const char *s) noexcept {
    return has(s, kSpace);
}
BOOLEAN vkov_str_is_upper(const char *s) noexcept {
    return has(s, kUpper);
}
BOOLEAN vkov_str_is_xdigit(const char *s) noexcept {
    return has(s, kXdigit);
}

char *vkok_str_convert_to_lower(char *dst, const char *src, std::int32_t dst_size) noexcept {
    return convert_case(dst, src, dst_size, vkobase::str::byte_lower);
}

char *vkok_str_convert_to_upper(char *dst, const char *src, std::int32_t dst_size) noexcept {
    return convert_case(dst, src, dst_size, vkobase::str::byte_upper);
}

VKO_WCHAR vkov_str_convert_wchar_to_lower(VKO_WCHAR wc) noexcept {
    return convert_wchar(wc, vkobase::str::byte_lower);
}

VKO_WCHAR vkov_str_convert_wchar_to_upper(VKO_WCHAR wc) noexcept {
    return convert_wchar(wc, vkobase::str::byte_upper);
}

std::int32_t vkok_str_convert_mb_to_wc(VKO_WCHAR *wc, const char *s) noexcept {
    if (s == nullptr)
        return 0;
    const int len = vkobase::str::char_len(s);
    if (len == 0) {
        if (wc != nullptr)
            *wc = 0;
        return 0;
    }
    // A lead byte right before the terminator starts a character that never ends.
    if (len == 1 && vkobase::str::double_byte_active() &&
        g_charset.lead[static_cast<unsigned char>(*s)])
        return -1;
    if (wc != nullptr)
        *wc = vkobase::str::decode(s, len);
    return len;
}

std::int32_t vkok_str_convert_wc_to_mb(char *dst, VKO_WCHAR wc) noexcept {
    if (dst == nullptr)
        return 0;
    if (wc == 0) {
        dst[0] = '\0';
        return 0;
    }
    const int len = vkobase::str::encode(wc, dst);
    dst[len] = '\0';
    return len;
}

std::int32_t vkov_str_convert_mbs_to_wcs(VKO_WCHAR *dst, const char *src,
                                         std::int32_t dst_count) noexcept {
    if (src == nullptr || dst_count < 0)
        return 0;
    std::int32_t n = 0;
    for (const char *p = src;;) {
        const int len = vkobase::str::char_len(p);
        if (len == 0)
            break;
        if (dst != nullptr) {
            if (n >= dst_count)
                return n;
            dst[n] = vkobase::str::decode(p, len);
        }
        ++n;
        p += len;
    }
    if (dst != nullptr && n < dst_count)
        dst[n] = 0;
    return n;
}

std::int32_t vkov_str_convert_wcs_to_mbs(char *dst, const VKO_WCHAR *src,
                                         std::int32_t dst_size) noexcept {
    if (dst == nullptr || src == nullptr || dst_size < 0)
        return 0;
    std::int32_t out = 0;
    for (const VKO_WCHAR *w = src; *w != 0; ++w) {
        char bytes[2];
        int len = vkobase::str::encode(*w, bytes);
        if (len == 0) {
            bytes[0] = '?';
            len = 1;
        }
        if (len > dst_size - out)
            return out;
        std::memcpy(dst + out, bytes, static_cast<std::size_t>(len));
        out += len;
    }
    if (out < dst_size)
        dst[out] = '\0';
    return out;
}

VKO_CSMAP vkov_str_create_codeset_map(const char *from, const char *to) noexcept {
    const CodeSet from_set = codeset_of(from);
    const CodeSet to_set = codeset_of(to);
    if (from_set == kUnknown || to_set == kUnknown)
        return nullptr;
    auto *map = new (std::nothrow) vko_codeset_map;
    if (map == nullptr)
        return nullptr;
    for (int b = 0; b < 256; ++b) {
        const int out = from_unicode(to_set, to_unicode(from_set, static_cast<unsigned char>(b)));
        map->table[b] = out < 0 ? static_cast<unsigned char>('?') : static_cast<unsigned char>(out);
    }
    return map;
}

void vkov_str_destroy_codeset_map(VKO_CSMAP map) noexcept {
    delete map;
}

std::int32_t vkov_str_translate_codeset(VKO_CSMAP map, const char *src, char *dst,
                                        std::int32_t dst_size) noexcept {
    if (map == nullptr || src == nullptr || dst == nullptr || dst_size <= 0)
        return -1;
    std::int32_t out = 0;
    for (const char *p = src; *p != '\0'; ++p) {
        if (out >= dst_size - 1) {
            dst[out] = '\0';
            return -1;
        }
        dst[out++] = static_cast<char>(map->table[static_cast<unsigned char>(*p)]);
    }
    dst[out] = '\0';
    return out;
}

} // extern "C"
