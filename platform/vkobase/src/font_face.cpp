// font_face.cpp: the faces behind font objects: the table that maps the library's family
// names to installed faces through fontconfig, a cache of cairo fonts keyed by face, style and
// pixel size, and the test font, a cairo user font whose every glyph is a box of fixed size.
// Cached cairo objects are owned here and live until reset_faces.
#include "font_face.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "vkobase/font.h"

namespace vkobase::font {
namespace {

// The built-in table: the families the program names, and the dictionary's own families.
// Every other family falls on kFallbackFace. The system font (controls, menus, dialogs) is
// Liberation Sans, which has the widths of the narrow sans-serif faces the program's forms
// were laid out for; DejaVu Sans is a sixth wider and cuts the titles of tight buttons.
struct BuiltinMapping {
    const char *family;
    const char *face;
};
// clang-format off
constexpr BuiltinMapping kBuiltinMappings[] = {
    {"courier",               "DejaVu Sans Mono"},
    {"helvetica",             "Liberation Sans"},
    {"system",                "Liberation Sans"},
    {"times",                 "DejaVu Serif"},
    {"DorvaneRegular",        "DejaVu Serif"},
    {"DorvaneExt",            "DejaVu Serif"},
    {"DorvaneIPA",            "DejaVu Sans"},
    {"Dorvane KestleSpecial", "DejaVu Sans"},
};
// clang-format on
constexpr char kFallbackFace[] = "DejaVu Sans";

// Test font geometry in ems: every glyph advances half an em; every glyph but the space is
// a filled box from the baseline up to the ascent, three quarters of the advance wide.
constexpr double kTestAscent = 0.75;
constexpr double kTestDescent = 0.25;
constexpr double kTestAdvance = 0.5;
constexpr double kTestBoxWidth = 0.375;

// The font configuration: the usual font directories without the system's substitution rules.
// The table above does the family mapping, so the rules are not needed, and leaving them out
// keeps the faces the same on every machine. The caches are the shared ones while every
// directory's is up to date; otherwise the library's own (see font_config).
constexpr char kFontDirsXml[] = "<dir>/usr/share/fonts</dir><dir>/usr/local/share/fonts</dir>"
                                "<dir prefix=\"xdg\">fonts</dir>";
constexpr char kSharedCachesXml[] = "<cachedir>/var/cache/fontconfig</cachedir>"
                                    "<cachedir prefix=\"xdg\">fontconfig</cachedir>";
constexpr char kOwnCacheXml[] = "<cachedir prefix=\"xdg\">vkobase/fontconfig</cachedir>";

struct Mapping {
    std::string family; // as the program gave it
    std::string face;   // installed face family, or the test family
};

struct Face {
    cairo_font_face_t *face = nullptr; // owned
    std::string family;                // as installed
    std::uint32_t style = 0;           // the face's own bold and italic bits
};

using FaceKey = std::tuple<std::string, std::uint32_t>;                 // face family, style
using ScaledKey = std::tuple<std::string, std::uint32_t, std::int32_t>; // ... and pixels

struct FaceState {
    std::map<std::string, Mapping> mappings; // keyed by the lower-case family
    std::vector<std::string> offered;        // rebuilt when the table changes
    std::map<FaceKey, Face> faces;
    std::map<ScaledKey, cairo_scaled_font_t *> scaled; // owned
    bool table_ready = false;
};
FaceState g_faces;
// Kept apart from the state so that it keeps counting up across resets.
std::uint64_t g_generation = 1;

// A configuration of the font directories whose caches lie in the cache directories given (as
// fontconfig elements); its fonts are not built yet. Null when it cannot be made.
FcConfig *unbuilt_config(const char *cache_dirs_xml) {
    FcConfig *made = FcConfigCreate();
    const std::string xml = std::string("<?xml version=\"1.0\"?><fontconfig>") + kFontDirsXml +
                            cache_dirs_xml + "</fontconfig>";
    if (made != nullptr &&
        FcConfigParseAndLoadFromMemory(made, reinterpret_cast<const FcChar8 *>(xml.c_str()),
                                       FcTrue) == FcFalse) {
        FcConfigDestroy(made);
        made = nullptr;
    }
    return made;
}

// Whether config has an up-to-date cache for every font directory and every folder in one, so
// that building its fonts only reads caches. Reading takes no lock.
bool caches_current(FcConfig *config) {
    std::vector<std::string> dirs;
    if (FcStrList *listed = FcConfigGetFontDirs(config)) {
        while (const FcChar8 *dir = FcStrListNext(listed))
            dirs.emplace_back(reinterpret_cast<const char *>(dir));
        FcStrListDone(listed);
    }
    std::set<std::pair<dev_t, ino_t>> seen;  // a folder linked inside itself is looked at once
    while (!dirs.empty()) {
        const std::string dir = std::move(dirs.back());
        dirs.pop_back();
        struct stat info {};
        if (::stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            !seen.emplace(info.st_dev, info.st_ino).second)
            continue;  // nothing there to scan, or scanned already
        FcCache *cache = FcDirCacheLoad(reinterpret_cast<const FcChar8 *>(dir.c_str()), config,
                                        nullptr);
        if (cache == nullptr)
            return false;
        for (int i = 0; i < FcCacheNumSubdir(cache); ++i)
            dirs.emplace_back(reinterpret_cast<const char *>(FcCacheSubdir(cache, i)));
        FcDirCacheUnload(cache);
    }
    return true;
}

// Made on first use and kept for the life of the process (scanning the directories is the
// slow part, and a reset changes nothing in them). It also becomes the process's current
// configuration, so cairo's own font lookups see the same faces and never load the system's
// rules. Null: fontconfig's default configuration.
// fontconfig scans a directory whose cache is out of date under a lock on the cache file, and
// waits for that lock while another process (fc-cache after fonts were installed, under load
// for minutes) holds it: the program would show nothing all that time. So the shared caches
// are used only when none needs scanning; otherwise the library's own cache, which only its
// programs scan into, takes their place.
FcConfig *font_config() {
    static FcConfig *const config = [] {
        FcConfig *made = unbuilt_config(kSharedCachesXml);
        if (made != nullptr && !caches_current(made)) {
            FcConfigDestroy(made);
            made = unbuilt_config(kOwnCacheXml);
        }
        if (made != nullptr && FcConfigBuildFonts(made) && FcConfigSetCurrent(made))
            return made;
        if (made != nullptr)
            FcConfigDestroy(made);
        return static_cast<FcConfig *>(nullptr);
    }();
    return config;
}

std::string lower(const std::string &text) {
    std::string out = text;
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return out;
}

void rebuild_offered() {
    g_faces.offered.clear();
    for (const auto &[key, mapping] : g_faces.mappings) {
        if (key != VKO_FONT_TEST_FAMILY)
            g_faces.offered.push_back(mapping.family);
    }
}

void ensure_table() {
    if (g_faces.table_ready)
        return;
    for (const BuiltinMapping &m : kBuiltinMappings)
        g_faces.mappings[lower(m.family)] = Mapping{m.family, m.face};
    g_faces.mappings[VKO_FONT_TEST_FAMILY] = Mapping{VKO_FONT_TEST_FAMILY, VKO_FONT_TEST_FAMILY};
    rebuild_offered();
    g_faces.table_ready = true;
}

const std::string &face_family_of(const std::string &family) {
    static const std::string fallback = kFallbackFace;
    ensure_table();
    const auto it = g_faces.mappings.find(lower(family));
    return it == g_faces.mappings.end() ? fallback : it->second.face;
}

cairo_status_t test_font_init(cairo_scaled_font_t *, cairo_t *, cairo_font_extents_t *extents) {
    extents->ascent = kTestAscent;
    extents->descent = kTestDescent;
    extents->height = kTestAscent + kTestDescent;
    extents->max_x_advance = kTestAdvance;
    extents->max_y_advance = 0.0;
    return CAIRO_STATUS_SUCCESS;
}

// Glyph indices are the Unicode characters (the user font has no mapping callback).
cairo_status_t test_font_render(cairo_scaled_font_t *, unsigned long glyph, cairo_t *cr,
                                cairo_text_extents_t *extents) {
    extents->x_advance = kTestAdvance;
    if (glyph != ' ') {
        cairo_rectangle(cr, 0.0, -kTestAscent, kTestBoxWidth, kTestAscent);
        cairo_fill(cr);
    }
    return CAIRO_STATUS_SUCCESS;
}

Face make_test_face(std::uint32_t style) {
    Face face;
    face.face = cairo_user_font_face_create();
    cairo_user_font_face_set_init_func(face.face, test_font_init);
    cairo_user_font_face_set_render_glyph_func(face.face, test_font_render);
    face.family = VKO_FONT_TEST_FAMILY;
    face.style = style;
    return face;
}

// Asks fontconfig for the installed face nearest to the family and style.
Face make_installed_face(const std::string &face_family, std::uint32_t style) {
    Face face;
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(face_family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT,
                        (style & VKO_FS_BOLD) != 0 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT,
                        (style & VKO_FS_ITALIC) != 0 ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(font_config(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(font_config(), pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        // No font configuration at all: cairo's own choice still draws something.
        face.face = cairo_toy_font_face_create(
            "sans",
            (style & VKO_FS_ITALIC) != 0 ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
            (style & VKO_FS_BOLD) != 0 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        face.family = face_family;
        face.style = style;
        return face;
    }
    FcChar8 *name = nullptr;
    face.family = FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch
                      ? reinterpret_cast<const char *>(name)
                      : face_family;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    constexpr auto kBold = static_cast<std::uint32_t>(VKO_FS_BOLD);
    constexpr auto kItalic = static_cast<std::uint32_t>(VKO_FS_ITALIC);
    face.style = (weight >= FC_WEIGHT_BOLD ? kBold : 0u) | (slant != FC_SLANT_ROMAN ? kItalic : 0u);
    face.face = cairo_ft_font_face_create_for_pattern(match); // takes its own reference
    FcPatternDestroy(match);
    return face;
}

const Face &face_for(const std::string &family, std::uint32_t style) {
    const std::string &face_family = face_family_of(family);
    const FaceKey key{face_family, style & kFaceStyleMask};
    auto it = g_faces.faces.find(key);
    if (it != g_faces.faces.end())
        return it->second;
    Face face = face_family == VKO_FONT_TEST_FAMILY
                    ? make_test_face(style & kFaceStyleMask)
                    : make_installed_face(face_family, style & kFaceStyleMask);
    return g_faces.faces.emplace(key, std::move(face)).first->second;
}

} // namespace

void prepare_fonts() noexcept {
    font_config();
}

std::int32_t pixel_size(std::int32_t size_pt, std::int32_t dpi) noexcept {
    const long px = std::lround(static_cast<double>(size_pt) * dpi / 72.0);
    return static_cast<std::int32_t>(std::clamp(px, 1L, 4096L));
}

namespace {

// The last few fonts asked for by the family name as given: text drawn run by run switches
// among a handful of fonts, and each switch would otherwise map the family name and search
// two tables. Valid for one face generation.
struct RecentScaled {
    std::string family;
    std::uint32_t style = 0;
    std::int32_t px = 0;
    std::uint64_t generation = 0;
    cairo_scaled_font_t *scaled = nullptr; // borrowed from the face state
};
std::array<RecentScaled, 8> g_recent_scaled;
std::size_t g_recent_next = 0;

cairo_scaled_font_t *recent_scaled(const std::string &family, std::uint32_t style,
                                   std::int32_t px) noexcept {
    for (const RecentScaled &r : g_recent_scaled)
        if (r.scaled != nullptr && r.generation == g_generation && r.px == px &&
            r.style == style && r.family == family)
            return r.scaled;
    return nullptr;
}

void remember_scaled(const std::string &family, std::uint32_t style, std::int32_t px,
                     cairo_scaled_font_t *scaled) {
    RecentScaled &slot = g_recent_scaled[g_recent_next];
    g_recent_next = (g_recent_next + 1) % g_recent_scaled.size();
    slot = RecentScaled{family, style, px, g_generation, scaled};
}

cairo_scaled_font_t *scaled_font_of(const std::string &family, std::uint32_t style,
                                    std::int32_t px) noexcept {
    const Face &face = face_for(family, style);
    const ScaledKey key{face_family_of(family), style & kFaceStyleMask, px};
    auto it = g_faces.scaled.find(key);
    if (it != g_faces.scaled.end())
        return it->second;
    cairo_matrix_t font_matrix;
    cairo_matrix_init_scale(&font_matrix, px, px);
    cairo_matrix_t ctm;
    cairo_matrix_init_identity(&ctm);
    // Every option is fixed, so the font measured here is exactly the font drawn on any
    // surface: advances are whole pixels and hinting never moves glyphs sideways.
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_scaled_font_t *scaled = cairo_scaled_font_create(face.face, &font_matrix, &ctm, options);
    cairo_font_options_destroy(options);
    g_faces.scaled.emplace(key, scaled);
    return scaled;
}

} // namespace

cairo_scaled_font_t *scaled_font(const std::string &family, std::uint32_t style,
                                 std::int32_t px) noexcept {
    if (cairo_scaled_font_t *known = recent_scaled(family, style, px))
        return known;
    cairo_scaled_font_t *scaled = scaled_font_of(family, style, px);
    try {
        remember_scaled(family, style, px, scaled);
    } catch (...) {
    }
    return scaled;
}

std::uint64_t face_generation() noexcept {
    return g_generation;
}

MappedFace mapped_face(const std::string &family, std::uint32_t style) noexcept {
    const Face &face = face_for(family, style);
    return MappedFace{face.family, face.style | (style & VKO_FS_UNDERLINE)};
}

const std::vector<std::string> &offered_families() noexcept {
    ensure_table();
    return g_faces.offered;
}

bool is_offered(const char *family) noexcept {
    if (family == nullptr)
        return false;
    ensure_table();
    const std::string key = lower(family);
    return key != VKO_FONT_TEST_FAMILY && g_faces.mappings.count(key) != 0;
}

bool add_mapping(const char *family, const char *face_family) noexcept {
    if (family == nullptr || face_family == nullptr || family[0] == '\0' || face_family[0] == '\0')
        return false;
    ensure_table();
    const std::string key = lower(family);
    const std::string face = lower(face_family) == VKO_FONT_TEST_FAMILY
                                 ? std::string(VKO_FONT_TEST_FAMILY)
                                 : std::string(face_family);
    g_faces.mappings[key] = Mapping{family, face};
    rebuild_offered();
    ++g_generation;
    return true;
}

void reset_faces() noexcept {
    for (auto &[key, scaled] : g_faces.scaled)
        cairo_scaled_font_destroy(scaled);
    for (auto &[key, face] : g_faces.faces)
        cairo_font_face_destroy(face.face);
    g_faces = FaceState{};
    ++g_generation;
}

} // namespace vkobase::font
