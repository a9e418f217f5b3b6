// fmap.cpp: font maps: the families, styles and sizes a window can draw with. Every window
// offers the same map: the families of the mapping table, each in its four faces (plain,
// bold, italic, bold italic) and, being outline faces, at any size; the sizes listed are
// the usual choices of a font dialog.
#include "vkobase/fmap.h"

#include <algorithm>
#include <cstdint>

#include "font_face.h"
#include "vkobase/font.h"

namespace {

constexpr std::uint32_t kOfferedStyles[] = {VKO_FS_NONE, VKO_FS_BOLD, VKO_FS_ITALIC,
                                            VKO_FS_BOLD | VKO_FS_ITALIC};
constexpr std::int32_t kOfferedSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36, 48, 72};

template <typename T, std::size_t N> int32_t fill(const T (&offered)[N], T *out, int32_t max) {
    if (out == nullptr || max < 1)
        return 0;
    const auto count =
        static_cast<int32_t>(std::min<std::size_t>(N, static_cast<std::size_t>(max)));
    std::copy_n(offered, count, out);
    return count;
}

bool style_offered(std::uint32_t style) {
    return std::find(std::begin(kOfferedStyles), std::end(kOfferedStyles), style) !=
           std::end(kOfferedStyles);
}

int32_t fill_sizes(const char *family, BOOLEAN *scalable, int32_t *sizes, int32_t max) {
    if (!vkobase::font::is_offered(family) || scalable == nullptr)
        return 0;
    *scalable = TRUE;
    return fill(kOfferedSizes, sizes, max);
}

} // namespace

extern "C" {

int32_t vkov_fmap_get_families(WINDOW, const char **families, int32_t max) noexcept {
    if (families == nullptr || max < 1)
        return 0;
    const auto &offered = vkobase::font::offered_families();
    const auto count =
        static_cast<int32_t>(std::min<std::size_t>(offered.size(), static_cast<std::size_t>(max)));
    for (int32_t i = 0; i < count; ++i)
        families[i] = offered[static_cast<std::size_t>(i)].c_str();
    return count;
}

int32_t vkov_fmap_get_family_styles(WINDOW, const char *family, uint32_t *styles,
                                    int32_t max) noexcept {
    if (!vkobase::font::is_offered(family))
        return 0;
    return fill(kOfferedStyles, styles, max);
}

int32_t vkov_fmap_get_familysize_styles(WINDOW, const char *family, int32_t size_pt,
                                        uint32_t *styles, int32_t max) noexcept {
    if (size_pt < 1 || !vkobase::font::is_offered(family))
        return 0;
    return fill(kOfferedStyles, styles, max);
}

int32_t vkov_fmap_get_family_sizes(WINDOW, const char *family, BOOLEAN *scalable, int32_t *sizes,
                                   int32_t max) noexcept {
    return fill_sizes(family, scalable, sizes, max);
}

int32_t vkov_fmap_get_familystyle_sizes(WINDOW, const char *family, uint32_t style,
                                        BOOLEAN *scalable, int32_t *sizes, int32_t max) noexcept {
    if (!style_offered(style & ~static_cast<std::uint32_t>(VKO_FS_UNDERLINE)))
        return 0;
    return fill_sizes(family, scalable, sizes, max);
}

} // extern "C"
