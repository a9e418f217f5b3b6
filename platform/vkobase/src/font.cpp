// font.cpp: font objects: their attributes, native description and serialised text, the
// window they are bound and mapped to, and the metrics and text widths the drawing code uses.
// Owns every font record; a record is valid from vkov_font_create until vkov_font_destroy or
// the module's reset. A font never owns its window: the window is asked for liveness each use.
#include "vkobase/font.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "font_face.h"
#include "font_internal.h"
#include "live_registry.h"
#include "str_internal.h"
#include "vkobase/ipa_charset.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

struct s_fntid {
    std::string family = vkobase::font::kDefaultFamily;
    std::uint32_t style = 0;
    std::int32_t size_pt = vkobase::font::kDefaultSizePt;
    intptr_t app_data = 0;
    WINDOW win = nullptr; // bound window; read only after win_is_live
    bool mapped = false;
    // The font's description: derived from its attributes (built only when asked for: fonts
    // are made and copied for every control), or a text set that does not parse.
    std::string native_desc;   // the text set, or the derived one once built
    bool desc_derived = true;  // the description follows the attributes
    bool desc_built = false;   // native_desc holds the derived description
    bool desc_valid = true;    // false when native_desc was set to a text that does not parse
    std::string mapped_family; // handed out by vkok_font_get_family_mapped
    // The cairo font last used, borrowed from the face cache: valid while cached_generation
    // is the face generation and the attributes are unchanged (their setters clear it).
    cairo_scaled_font_t *cached_font = nullptr;
    std::int32_t cached_dpi = 0;
    std::uint64_t cached_generation = 0;
};

namespace {

constexpr std::uint32_t kStyleMask = VKO_FS_BOLD | VKO_FS_ITALIC | VKO_FS_UNDERLINE;
constexpr std::int32_t kMaxSizePt = 1000;
constexpr std::size_t kMaxFamilyBytes = 255;
constexpr char kDescVersion[] = "01";

struct FontState {
    std::unordered_map<const s_fntid *, std::unique_ptr<s_fntid>> fonts;
};
FontState g_font;

bool is_font(FONT_OBJ font) {
    return vkobase::live_is(font, vkobase::LiveKind::Font);
}

std::string desc_of(const std::string &family, std::uint32_t style, std::int32_t size_pt) {
    return std::string(kDescVersion) + '\\' + family + '\\' + std::to_string(style) + '\\' +
           std::to_string(size_pt) + '\\';
}

void rederive_desc(s_fntid *font) {
    font->cached_font = nullptr;
    font->desc_derived = true;
    font->desc_built = false;
    font->desc_valid = true;
}

const std::string &native_desc_of(s_fntid *font) {
    if (font->desc_derived && !font->desc_built) {
        font->native_desc = desc_of(font->family, font->style, font->size_pt);
        font->desc_built = true;
    }
    return font->native_desc;
}

bool family_acceptable(const char *family) {
    const std::size_t len = std::strlen(family);
    return len > 0 && len <= kMaxFamilyBytes && std::strchr(family, '\\') == nullptr;
}

// A decimal field of 1 to 4 digits, no sign.
bool parse_number(const std::string &field, std::int32_t *value) {
    if (field.empty() || field.size() > 4)
        return false;
    std::int32_t v = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    *value = v;
    return true;
}

// Reads "01\family\style\size\": four fields, each ended by a backslash, nothing after the
// last. The family is 1 to 255 bytes; style holds only the bold, italic and underline bits;
// the size is 1 to 1000 points.
bool parse_desc(const char *text, std::string *family, std::uint32_t *style,
                std::int32_t *size_pt) {
    std::string fields[4];
    const char *p = text;
    for (std::string &field : fields) {
        const char *end = std::strchr(p, '\\');
        if (end == nullptr)
            return false;
        field.assign(p, end);
        p = end + 1;
    }
    std::int32_t style_value = 0;
    std::int32_t size_value = 0;
    if (*p != '\0' || fields[0] != kDescVersion || !family_acceptable(fields[1].c_str()) ||
        !parse_number(fields[2], &style_value) || !parse_number(fields[3], &size_value))
        return false;
    if ((static_cast<std::uint32_t>(style_value) & ~kStyleMask) != 0 || size_value < 1 ||
        size_value > kMaxSizePt)
        return false;
    *family = fields[1];
    *style = static_cast<std::uint32_t>(style_value);
    *size_pt = size_value;
    return true;
}

// Copies text into buf (truncated to buf_size - 1 bytes) or, with a null buf, answers text.
char *text_out(const std::string &text, char *buf, int32_t buf_size) {
    if (buf == nullptr)
        return const_cast<char *>(text.c_str()); // the record's own text, read-only to callers
    if (buf_size < 1)
        return nullptr;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(buf_size - 1));
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
    return buf;
}

bool window_is_live(WINDOW win) {
    return win != nullptr && vkobase::win_is_live(win);
}

bool font_is_mapped(const s_fntid *font) {
    return font->mapped && window_is_live(font->win);
}

// The attributes used for drawing and measuring: a null or dead font is the default font.
struct Attrs {
    std::string family = vkobase::font::kDefaultFamily;
    std::uint32_t style = 0;
    std::int32_t size_pt = vkobase::font::kDefaultSizePt;
};
Attrs attrs_of(FONT_OBJ font) {
    if (!is_font(font))
        return Attrs{};
    return Attrs{font->family, font->style, font->size_pt};
}

cairo_scaled_font_t *scaled_for(const Attrs &attrs, std::int32_t dpi) {
    return vkobase::font::scaled_font(attrs.family, attrs.style,
                                      vkobase::font::pixel_size(attrs.size_pt, dpi));
}

// The font's cairo font at dpi, through the font's own cache: drawing the same font line after
// line asks the face cache once.
cairo_scaled_font_t *scaled_for(FONT_OBJ font, std::int32_t dpi) {
    if (!is_font(font))
        return scaled_for(Attrs{}, dpi);
    const std::uint64_t generation = vkobase::font::face_generation();
    if (font->cached_font == nullptr || font->cached_dpi != dpi ||
        font->cached_generation != generation) {
        font->cached_font = scaled_for(attrs_of(font), dpi);
        font->cached_dpi = dpi;
        font->cached_generation = generation;
    }
    return font->cached_font;
}

// A text's glyphs in one cairo font, placed from the origin, and their advance. Entries and
// run labels are drawn and measured again and again with the same few fonts: looking their
// glyphs up once saves cairo's character-by-character lookup on every later use.
struct Shaped {
    std::vector<cairo_glyph_t> glyphs;
    double advance = 0;
};

struct ShapeKey {
    const cairo_scaled_font_t *font;
    std::string utf8;
    bool operator==(const ShapeKey &other) const = default;
};

struct ShapeKeyHash {
    std::size_t operator()(const ShapeKey &key) const noexcept {
        return std::hash<std::string>{}(key.utf8) ^ (std::hash<const void *>{}(key.font) << 1);
    }
};

struct ShapeCache {
    std::unordered_map<ShapeKey, Shaped, ShapeKeyHash> shapes;
    std::uint64_t generation = 0; // the face generation the fonts of the keys belong to
    std::size_t bytes = 0;        // of the texts and glyphs held
};
ShapeCache g_shapes;

// Bounded by count and by bytes: a cache that grew this large starts again (the texts of one
// screen are far fewer and far shorter). A field that holds a long text is measured anew at
// each key typed, each time a new text: without the byte bound the cache would keep every one.
constexpr std::size_t kMaxShapes = 8192;

std::size_t shape_bytes(const std::string &utf8, std::size_t glyphs) {
    return utf8.size() + glyphs * sizeof(cairo_glyph_t);
}

const Shaped &shaped(cairo_scaled_font_t *scaled, std::string &&utf8) {
    const std::uint64_t generation = vkobase::font::face_generation();
    if (g_shapes.generation != generation || g_shapes.shapes.size() >= kMaxShapes) {
        g_shapes.shapes.clear();
        g_shapes.bytes = 0;
        g_shapes.generation = generation;
    }
    ShapeKey key{scaled, std::move(utf8)};
    auto it = g_shapes.shapes.find(key);
    if (it != g_shapes.shapes.end())
        return it->second;
    Shaped shape;
    cairo_glyph_t *glyphs = nullptr;
    int count = 0;
    if (cairo_scaled_font_text_to_glyphs(scaled, 0, 0, key.utf8.data(),
                                         static_cast<int>(key.utf8.size()), &glyphs, &count,
                                         nullptr, nullptr, nullptr) == CAIRO_STATUS_SUCCESS &&
        count > 0) {
        shape.glyphs.assign(glyphs, glyphs + count);
        cairo_text_extents_t extents;
        cairo_scaled_font_glyph_extents(scaled, glyphs, count, &extents);
        shape.advance = extents.x_advance;
    }
    cairo_glyph_free(glyphs);
    const std::size_t bytes = shape_bytes(key.utf8, shape.glyphs.size());
    if (bytes > vkobase::font::kLongestShapeKept) {
        // Kept only until the next text this long: the caller uses it at once.
        static Shaped long_shape;
        long_shape = std::move(shape);
        return long_shape;
    }
    if (g_shapes.bytes + bytes > vkobase::font::kShapeCacheBytes) {
        g_shapes.shapes.clear();
        g_shapes.bytes = 0;
    }
    g_shapes.bytes += bytes;
    return g_shapes.shapes.emplace(std::move(key), std::move(shape)).first->second;
}

} // namespace

// ---- Internal interface for the drawing code ---------------------------------------------

namespace vkobase::font {

// The printer's vertical resolution attribute, 300 when unset or out of range, as the print
// windows take it when they are made.
__attribute__((weak)) std::int32_t print_window_dpi(WINDOW) noexcept {
    const intptr_t res = vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_PRINTER_VRES);
    return res > 0 && res <= 4800 ? static_cast<std::int32_t>(res) : 300;
}

std::int32_t window_dpi(WINDOW win) noexcept {
    if (window_is_live(win) && win->type == W_PRINT)
        return print_window_dpi(win);
    return kScreenDpi;
}

void apply(cairo_t *cr, FONT_OBJ font, std::int32_t dpi) noexcept {
    cairo_set_scaled_font(cr, scaled_for(font, dpi));
}

void show_text(cairo_t *cr, FONT_OBJ font, std::int32_t dpi, double x, double y, const char *text,
               std::int32_t len) noexcept {
    cairo_scaled_font_t *scaled = scaled_for(font, dpi);
    cairo_set_scaled_font(cr, scaled);
    const Shaped &shape = shaped(scaled, text_to_utf8(font, text, len));
    cairo_new_path(cr);
    if (shape.glyphs.empty())
        return;
    static thread_local std::vector<cairo_glyph_t> placed;
    placed = shape.glyphs;
    for (cairo_glyph_t &glyph : placed) {
        glyph.x += x;
        glyph.y += y;
    }
    cairo_show_glyphs(cr, placed.data(), static_cast<int>(placed.size()));
    const std::uint32_t style = is_font(font) ? font->style : 0;
    if ((style & VKO_FS_UNDERLINE) == 0)
        return;
    const std::int32_t size_pt = is_font(font) ? font->size_pt : kDefaultSizePt;
    const double px = pixel_size(size_pt, dpi);
    const double offset = std::max(1.0, std::round(px / 10.0));
    const double thickness = std::max(1.0, std::round(px / 16.0));
    cairo_rectangle(cr, x, y + offset, std::round(shape.advance), thickness);
    cairo_fill(cr);
}

std::int32_t text_width(FONT_OBJ font, std::int32_t dpi, const char *text,
                        std::int32_t len) noexcept {
    std::string utf8 = text_to_utf8(font, text, len);
    if (utf8.empty())
        return 0;
    return static_cast<std::int32_t>(
        std::lround(shaped(scaled_for(font, dpi), std::move(utf8)).advance));
}

std::size_t shape_cache_bytes() noexcept {
    return g_shapes.bytes;
}

Metrics metrics(FONT_OBJ font, std::int32_t dpi) noexcept {
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(scaled_for(font, dpi), &extents);
    Metrics m;
    m.ascent = static_cast<std::int32_t>(std::lround(extents.ascent));
    m.descent = static_cast<std::int32_t>(std::lround(extents.descent));
    const auto height = static_cast<std::int32_t>(std::lround(extents.height));
    m.leading = std::max(0, height - m.ascent - m.descent);
    return m;
}

namespace {

void append_utf8(std::string *out, char32_t u) {
    if (u < 0x80) {
        *out += static_cast<char>(u);
    } else if (u < 0x800) {
        *out += static_cast<char>(0xC0 | (u >> 6));
        *out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        *out += static_cast<char>(0xE0 | (u >> 12));
        *out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

// UTF-8 of len bytes (-1: up to the terminator), each byte read through decode.
template <typename Decode>
std::string decoded_utf8(const char *text, std::int32_t len, Decode decode) {
    std::string out;
    if (text == nullptr)
        return out;
    for (std::int32_t i = 0; len < 0 || i < len; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == 0)
            break;
        append_utf8(&out, decode(byte));
    }
    return out;
}

// The dictionary's phonetic family, compared without regard to case as family names are.
bool is_phonetic_family(const std::string &family) {
    static constexpr char kPhoneticFamily[] = "dorvaneipa";
    return family.size() == std::strlen(kPhoneticFamily) &&
           std::equal(family.begin(), family.end(), kPhoneticFamily, [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
           });
}

} // namespace

std::string to_utf8(const char *text, std::int32_t len) {
    return decoded_utf8(text, len, [](unsigned char byte) {
        return static_cast<char32_t>(vkobase::str::cp1252_to_unicode(byte));
    });
}

std::string text_to_utf8(FONT_OBJ font, const char *text, std::int32_t len) {
    if (!is_phonetic_family(attrs_of(font).family))
        return to_utf8(text, len);
    return decoded_utf8(text, len, vkobase::ipa::ipa_character);
}

std::string describe(FONT_OBJ font) {
    const Attrs attrs = attrs_of(font);
    return attrs.family + ' ' + std::to_string(attrs.style) + ' ' + std::to_string(attrs.size_pt);
}

FONT_OBJ duplicate(FONT_OBJ font) noexcept {
    FONT_OBJ copy = vkov_font_create();
    if (copy != nullptr)
        vkov_font_copy(copy, font, VKO_FONT_PART_ALL);
    return copy;
}

bool is_mapped_copy(FONT_OBJ copy, FONT_OBJ font, WINDOW win) noexcept {
    if (!is_font(copy) || !is_font(font) || copy->win != win || !copy->mapped)
        return false;
    return copy->family == font->family && copy->style == font->style &&
           copy->size_pt == font->size_pt && copy->app_data == font->app_data &&
           copy->desc_derived == font->desc_derived &&
           (font->desc_derived ||
            (copy->native_desc == font->native_desc && copy->desc_valid == font->desc_valid));
}

bool replace_owned(FONT_OBJ *owned, FONT_OBJ font) noexcept {
    FONT_OBJ copy = nullptr;
    if (font != nullptr) {
        copy = duplicate(font);
        if (copy == nullptr)
            return false;
    }
    if (*owned != nullptr)
        vkov_font_destroy(*owned);
    *owned = copy;
    return true;
}

} // namespace vkobase::font

// ---- Public interface --------------------------------------------------------------------

extern "C" {

FONT_OBJ vkov_font_create(void) noexcept {
    vkobase::font::prepare_fonts();
    auto font = std::make_unique<s_fntid>();
    rederive_desc(font.get());
    FONT_OBJ handle = font.get();
    g_font.fonts.emplace(handle, std::move(font));
    vkobase::live_add(handle, vkobase::LiveKind::Font);
    return handle;
}

void vkov_font_destroy(FONT_OBJ font) noexcept {
    if (!is_font(font))
        return;
    vkobase::live_remove(font);
    g_font.fonts.erase(font);
}

BOOLEAN vkov_font_is_valid(FONT_OBJ font) noexcept {
    return is_font(font) ? TRUE : FALSE;
}

void vkov_font_copy(FONT_OBJ dst, FONT_OBJ src, int32_t part_mask) noexcept {
    if (!is_font(dst) || !is_font(src) || dst == src)
        return;
    const auto parts = static_cast<std::uint32_t>(part_mask);
    const bool attrs =
        (parts & (VKO_FONT_PART_FAMILY | VKO_FONT_PART_STYLE | VKO_FONT_PART_SIZE)) != 0;
    if ((parts & VKO_FONT_PART_FAMILY) != 0)
        dst->family = src->family;
    if ((parts & VKO_FONT_PART_STYLE) != 0)
        dst->style = src->style;
    if ((parts & VKO_FONT_PART_SIZE) != 0)
        dst->size_pt = src->size_pt;
    if (attrs)
        rederive_desc(dst);
    // The description carries the attributes it names, as setting it would; one derived from
    // the attributes gives them as they are.
    if ((parts & VKO_FONT_PART_NATIVE_DESC) != 0) {
        if (src->desc_derived) {
            dst->family = src->family;
            dst->style = src->style;
            dst->size_pt = src->size_pt;
            rederive_desc(dst);
        } else {
            vkov_font_set_native_desc(dst, src->native_desc.c_str());
        }
    }
    if ((parts & VKO_FONT_PART_APP_DATA) != 0)
        dst->app_data = src->app_data;
    if ((parts & VKO_FONT_PART_WIN) != 0) {
        dst->win = src->win;
        dst->mapped = src->mapped;
    }
}

intptr_t vkov_font_get_app_data(FONT_OBJ font) noexcept {
    return is_font(font) ? font->app_data : 0;
}

void vkov_font_set_app_data(FONT_OBJ font, intptr_t data) noexcept {
    if (is_font(font))
        font->app_data = data;
}

int32_t vkov_font_get_size(FONT_OBJ font) noexcept {
    return is_font(font) ? font->size_pt : 0;
}

void vkov_font_set_size(FONT_OBJ font, int32_t size_pt) noexcept {
    if (!is_font(font) || size_pt < 1 || size_pt > kMaxSizePt)
        return;
    font->size_pt = size_pt;
    rederive_desc(font);
}

uint32_t vkov_font_get_style(FONT_OBJ font) noexcept {
    return is_font(font) ? font->style : 0;
}

// Bits other than bold, italic and underline mean nothing here and are dropped.
void vkov_font_set_style(FONT_OBJ font, uint32_t style) noexcept {
    if (!is_font(font))
        return;
    font->style = style & kStyleMask;
    rederive_desc(font);
}

char *vkov_font_get_family(FONT_OBJ font, char *buf, int32_t buf_size) noexcept {
    return is_font(font) ? text_out(font->family, buf, buf_size) : nullptr;
}

// An empty family, one with a backslash (it could not be described) or one longer than 255
// bytes is ignored.
void vkov_font_set_family(FONT_OBJ font, const char *family) noexcept {
    if (!is_font(font) || family == nullptr || !family_acceptable(family))
        return;
    font->family = family;
    rederive_desc(font);
}

char *vkov_font_get_native_desc(FONT_OBJ font, char *buf, int32_t buf_size) noexcept {
    return is_font(font) ? text_out(native_desc_of(font), buf, buf_size) : nullptr;
}

void vkov_font_set_native_desc(FONT_OBJ font, const char *desc) noexcept {
    if (!is_font(font) || desc == nullptr)
        return;
    std::string family;
    std::uint32_t style = 0;
    std::int32_t size_pt = 0;
    if (parse_desc(desc, &family, &style, &size_pt)) {
        font->family = family;
        font->style = style;
        font->size_pt = size_pt;
        rederive_desc(font);
        return;
    }
    // Kept as given so that the caller can ask whether it was valid; the empty text is a
    // font without a description.
    font->native_desc = desc;
    font->desc_derived = false;
    font->desc_built = false;
    font->desc_valid = desc[0] == '\0';
}

BOOLEAN vkov_font_has_valid_native_desc(FONT_OBJ font) noexcept {
    return is_font(font) && font->desc_valid && (font->desc_derived || !font->native_desc.empty())
               ? TRUE
               : FALSE;
}

WINDOW vkov_font_get_win(FONT_OBJ font) noexcept {
    return is_font(font) && window_is_live(font->win) ? font->win : nullptr;
}

// Binds the font to a window without mapping it; a null or dead window unbinds it.
void vkov_font_set_win(FONT_OBJ font, WINDOW win) noexcept {
    if (!is_font(font))
        return;
    font->win = window_is_live(win) ? win : nullptr;
    if (font->win == nullptr)
        font->mapped = false;
}

BOOLEAN vkov_font_is_mapped(FONT_OBJ font) noexcept {
    return is_font(font) && font_is_mapped(font) ? TRUE : FALSE;
}

void vkov_font_map(FONT_OBJ font, WINDOW win) noexcept {
    if (!is_font(font) || !window_is_live(win) || (win->flags & VKO_WF_DRAWABLE_MASK) == 0)
        return;
    font->win = win;
    font->mapped = true;
}

// Maps the font to the window it is bound to.
void vkov_font_map_using_default(FONT_OBJ font) noexcept {
    if (is_font(font) && window_is_live(font->win))
        font->mapped = true;
}

void vkov_font_unmap(FONT_OBJ font) noexcept {
    if (is_font(font))
        font->mapped = false;
}

// With a null buf: the bytes needed, terminator included. Otherwise the bytes written,
// terminator included, or 0 (and an empty buf) when they do not fit in buf_size.
int32_t vkov_font_serialize(FONT_OBJ font, char *buf, int32_t buf_size) noexcept {
    if (!is_font(font))
        return 0;
    const std::string text = desc_of(font->family, font->style, font->size_pt);
    const auto needed = static_cast<int32_t>(text.size() + 1);
    if (buf == nullptr)
        return needed;
    if (buf_size < needed) {
        if (buf_size > 0)
            buf[0] = '\0';
        return 0;
    }
    std::memcpy(buf, text.c_str(), text.size() + 1);
    return needed;
}

// A text that does not parse leaves the font unchanged.
BOOLEAN vkov_font_deserialize(FONT_OBJ font, const char *text) noexcept {
    if (!is_font(font) || text == nullptr)
        return FALSE;
    std::string family;
    std::uint32_t style = 0;
    std::int32_t size_pt = 0;
    if (!parse_desc(text, &family, &style, &size_pt))
        return FALSE;
    font->family = family;
    font->style = style;
    font->size_pt = size_pt;
    rederive_desc(font);
    return TRUE;
}

int32_t vkok_font_get_size_mapped(FONT_OBJ font) noexcept {
    return is_font(font) && font_is_mapped(font) ? font->size_pt : 0;
}

uint32_t vkok_font_get_style_mapped(FONT_OBJ font) noexcept {
    if (!is_font(font) || !font_is_mapped(font))
        return 0;
    return vkobase::font::mapped_face(font->family, font->style).style;
}

char *vkok_font_get_family_mapped(FONT_OBJ font, char *buf, int32_t buf_size) noexcept {
    if (!is_font(font) || !font_is_mapped(font))
        return nullptr;
    font->mapped_family = vkobase::font::mapped_face(font->family, font->style).family;
    return text_out(font->mapped_family, buf, buf_size);
}

BOOLEAN vkok_font_is_print(FONT_OBJ font) noexcept {
    return is_font(font) && font_is_mapped(font) && font->win->type == W_PRINT ? TRUE : FALSE;
}

// Every face is an outline face.
BOOLEAN vkok_font_is_scalable(FONT_OBJ font) noexcept {
    return is_font(font) && font_is_mapped(font) ? TRUE : FALSE;
}

// Metrics at the resolution of the window the font is bound to (the screen's when it has
// none). Null out-parameters are skipped.
void vkok_font_get_metrics(FONT_OBJ font, int32_t *leading, int32_t *ascent,
                           int32_t *descent) noexcept {
    if (!is_font(font))
        return;
    const vkobase::font::Metrics m =
        vkobase::font::metrics(font, vkobase::font::window_dpi(vkov_font_get_win(font)));
    if (leading != nullptr)
        *leading = m.leading;
    if (ascent != nullptr)
        *ascent = m.ascent;
    if (descent != nullptr)
        *descent = m.descent;
}

BOOLEAN vkov_font_add_family_mapping(const char *family, const char *face_family) noexcept {
    return vkobase::font::add_mapping(family, face_family) ? TRUE : FALSE;
}

} // extern "C"

void vkobase_reset_font() noexcept {
    for (const auto &[handle, font] : g_font.fonts)
        vkobase::live_remove(handle);
    g_font.fonts.clear();
    g_shapes = ShapeCache{};
    vkobase::font::reset_faces();
}
