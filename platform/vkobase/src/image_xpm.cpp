// image_xpm.cpp: reading the two C-source image formats, XPM (colour pixmaps) and XBM
// (bitmaps), from files and streams. Both are text; a stream is read to its end first.
// Malformed text answers null, never a partial image.
#include "vkobase/image.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <unordered_map>
#include <string>
#include <vector>

#include "image_internal.h"
#include "vkobase/iostr.h"

namespace {

constexpr std::size_t kMaxTextBytes = 64u << 20;
constexpr std::uint32_t kWhite = 0xFFFFFFu;

bool read_stream(VKO_IOSTREAM stream, std::string *text) noexcept {
    try {
        char buf[4096];
        for (;;) {
            const std::int32_t got = vkov_iostr_read(stream, buf, sizeof buf);
            if (got <= 0)
                return !text->empty();
            text->append(buf, static_cast<std::size_t>(got));
            if (text->size() > kMaxTextBytes)
                return false;
        }
    } catch (...) {
        return false;
    }
}

// The C string literals of the text, in order, outside comments; escapes are kept as the
// character after the backslash.
std::vector<std::string> string_literals(const std::string &text) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, "/*") == 0) {
            const std::size_t end = text.find("*/", i + 2);
            i = end == std::string::npos ? text.size() : end + 2;
            continue;
        }
        if (text[i] != '"') {
            ++i;
            continue;
        }
        std::string lit;
        for (++i; i < text.size() && text[i] != '"'; ++i) {
            if (text[i] == '\\' && i + 1 < text.size())
                ++i;
            lit += text[i];
        }
        ++i;
        out.push_back(std::move(lit));
    }
    return out;
}

// A colour of an XPM colour line: "#RGB", "#RRGGBB", "#RRRRGGGGBBBB", "None" or a few names.
bool parse_color(std::string spec, std::uint32_t *rgb) {
    for (char &c : spec)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!spec.empty() && spec[0] == '#') {
        const std::string hex = spec.substr(1);
        if (hex.empty() || hex.size() % 3 != 0 || hex.size() > 12 ||
            hex.find_first_not_of("0123456789abcdef") != std::string::npos)
            return false;
        const std::size_t n = hex.size() / 3;
        std::uint32_t out = 0;
        for (int k = 0; k < 3; ++k) {
            // The most significant two digits of each component (one digit is doubled).
            std::string part = hex.substr(k * n, n);
            if (part.size() == 1)
                part += part;
            out = (out << 8) |
                  static_cast<std::uint32_t>(std::strtoul(part.substr(0, 2).c_str(), nullptr, 16));
        }
        *rgb = out;
        return true;
    }
    static const std::map<std::string, std::uint32_t> kNames = {
        {"none", kWhite},        {"white", kWhite},      {"black", 0x000000},
        {"red", 0xFF0000},       {"green", 0x00FF00},    {"blue", 0x0000FF},
        {"yellow", 0xFFFF00},    {"cyan", 0x00FFFF},     {"magenta", 0xFF00FF},
        {"gray", 0xBEBEBE},      {"grey", 0xBEBEBE},     {"lightgray", 0xD3D3D3},
        {"lightgrey", 0xD3D3D3}, {"darkgray", 0xA9A9A9}, {"darkgrey", 0xA9A9A9},
    };
    const auto it = kNames.find(spec);
    if (it == kNames.end())
        return false;
    *rgb = it->second;
    return true;
}

// A colour key of cpp (1 to 4) characters as one number.
std::uint32_t packed_key(const char *key, long cpp) {
    std::uint32_t code = 0;
    for (long i = 0; i < cpp; ++i)
        code = code << 8 | static_cast<unsigned char>(key[i]);
    return code;
}

IMAGE decode_xpm(const std::string &text) {
    const std::vector<std::string> lits = string_literals(text);
    if (lits.empty())
        return nullptr;
    long width = 0, height = 0, ncolors = 0, cpp = 0;
    if (std::sscanf(lits[0].c_str(), "%ld %ld %ld %ld", &width, &height, &ncolors, &cpp) != 4)
        return nullptr;
    if (width <= 0 || height <= 0 || ncolors <= 0 || cpp <= 0 || cpp > 4 ||
        width > vkobase::kImageMaxSide || height > vkobase::kImageMaxSide || ncolors > 65536 ||
        lits.size() < 1 + static_cast<std::size_t>(ncolors) + static_cast<std::size_t>(height))
        return nullptr;
    // Each colour's key (at most four characters) packed into a number, and its place in the
    // table: the lookup per pixel is then a hash of a number, not a string's.
    std::unordered_map<std::uint32_t, std::uint32_t> place_of;
    std::vector<std::uint32_t> order;
    for (long i = 0; i < ncolors; ++i) {
        const std::string &line = lits[1 + static_cast<std::size_t>(i)];
        if (line.size() < static_cast<std::size_t>(cpp))
            return nullptr;
        const std::string key = line.substr(0, static_cast<std::size_t>(cpp));
        // Tokens after the key: context letters ("c", "m", "g", "g4", "s") each with a value;
        // the colour context wins, else the first value found.
        std::vector<std::string> tokens;
        std::size_t p = static_cast<std::size_t>(cpp);
        while (p < line.size()) {
            while (p < line.size() && std::isspace(static_cast<unsigned char>(line[p])))
                ++p;
            const std::size_t start = p;
            while (p < line.size() && !std::isspace(static_cast<unsigned char>(line[p])))
                ++p;
            if (p > start)
                tokens.push_back(line.substr(start, p - start));
        }
        std::string value;
        for (std::size_t t = 0; t + 1 < tokens.size(); t += 2) {
            if (tokens[t] == "c" || value.empty())
                value = tokens[t + 1];
            if (tokens[t] == "c")
                break;
        }
        std::uint32_t rgb = 0;
        if (!parse_color(value, &rgb))
            return nullptr;
        // A key given twice: the later one counts.
        place_of[packed_key(key.data(), cpp)] = static_cast<std::uint32_t>(order.size());
        order.push_back(rgb);
    }
    const bool indexed = ncolors <= vkobase::kImageMaxColors;
    IMAGE image =
        vkobase::image_make(indexed ? VKO_IMAGE_INDEXED : VKO_IMAGE_RGB,
                            static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
    if (image == nullptr)
        return nullptr;
    if (indexed)
        image->clut.assign(order.begin(), order.end());
    for (long y = 0; y < height; ++y) {
        const std::string &row = lits[1 + static_cast<std::size_t>(ncolors + y)];
        if (row.size() < static_cast<std::size_t>(width * cpp)) {
            vkov_image_destroy(image);
            return nullptr;
        }
        for (long x = 0; x < width; ++x) {
            const auto it = place_of.find(packed_key(row.data() + x * cpp, cpp));
            if (it == place_of.end()) {
                vkov_image_destroy(image);
                return nullptr;
            }
            if (indexed)
                image->pixels[static_cast<std::size_t>(y) * width + x] =
                    static_cast<std::uint8_t>(it->second);
            else
                vkobase::image_put_rgb(*image, static_cast<std::int32_t>(x),
                                       static_cast<std::int32_t>(y), order[it->second]);
        }
    }
    return image;
}

// The value of the first "#define <name>_<suffix> <number>" line.
long xbm_define(const std::string &text, const char *suffix) {
    std::size_t pos = 0;
    while ((pos = text.find("#define", pos)) != std::string::npos) {
        pos += 7;
        char name[256] = {};
        long value = 0;
        if (std::sscanf(text.c_str() + pos, " %255s %ld", name, &value) == 2) {
            const std::size_t n = std::strlen(name), s = std::strlen(suffix);
            if (n >= s && std::strcmp(name + n - s, suffix) == 0)
                return value;
        }
    }
    return -1;
}

IMAGE decode_xbm(const std::string &text) {
    const long width = xbm_define(text, "_width");
    const long height = xbm_define(text, "_height");
    const std::size_t brace = text.find('{');
    if (width <= 0 || height <= 0 || width > vkobase::kImageMaxSide ||
        height > vkobase::kImageMaxSide || brace == std::string::npos)
        return nullptr;
    const std::size_t row_bytes = static_cast<std::size_t>(width + 7) / 8;
    std::vector<std::uint8_t> bits;
    const char *p = text.c_str() + brace + 1;
    while (*p != '\0' && *p != '}') {
        char *end = nullptr;
        const unsigned long v = std::strtoul(p, &end, 0);
        if (end == p) {
            ++p;
            continue;
        }
        bits.push_back(static_cast<std::uint8_t>(v));
        p = end;
    }
    if (bits.size() < row_bytes * static_cast<std::size_t>(height))
        return nullptr;
    IMAGE image = vkobase::image_make(VKO_IMAGE_INDEXED, static_cast<std::int32_t>(width),
                                      static_cast<std::int32_t>(height));
    if (image == nullptr)
        return nullptr;
    image->clut = {VKO_COLOR_WHITE, VKO_COLOR_BLACK}; // set bits are the foreground, black
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x)
            image->pixels[static_cast<std::size_t>(y) * width + x] =
                (bits[static_cast<std::size_t>(y) * row_bytes + x / 8] >> (x % 8)) & 1;
    return image;
}

} // namespace

namespace vkobase {

IMAGE image_decode_xpm(const std::string &text) noexcept {
    try {
        return decode_xpm(text);
    } catch (...) {
        return nullptr;
    }
}

IMAGE image_decode_xbm(const std::string &text) noexcept {
    try {
        return decode_xbm(text);
    } catch (...) {
        return nullptr;
    }
}

} // namespace vkobase

extern "C" {

IMAGE vkov_image_read_xpm(s_vko_iostream *stream) noexcept {
    std::string text;
    return read_stream(stream, &text) ? vkobase::image_decode_xpm(text) : nullptr;
}

IMAGE vkov_image_read_xpm_from_fn(const FILE_SPEC *file) noexcept {
    std::string text;
    return vkobase::read_whole_file(file, &text) ? vkobase::image_decode_xpm(text) : nullptr;
}

IMAGE vkov_image_read_xbm(s_vko_iostream *stream) noexcept {
    std::string text;
    return read_stream(stream, &text) ? vkobase::image_decode_xbm(text) : nullptr;
}

IMAGE vkov_image_read_xbm_from_fn(const FILE_SPEC *file) noexcept {
    std::string text;
    return vkobase::read_whole_file(file, &text) ? vkobase::image_decode_xbm(text) : nullptr;
}

} // extern "C"
