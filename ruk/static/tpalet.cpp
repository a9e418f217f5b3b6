// tpalet.cpp: the palette family of the checking layer ("tpalet"): palettes, their sizes,
// colours and tolerance. Colours can be added only to palettes of type 5.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/timage_internal.h"

namespace {

constexpr char kModule[] = "tpalet";

using namespace vkoruk;

constexpr int32_t kEditablePaletteType = 5;

// The palette check: null 0x1210004, then not valid in the base library 0x1220004.
bool palette_ok(const ApiFrame &frame, PALETTE palet, int line) noexcept {
    if (palet == nullptr) {
        frame.refuse(kErrNullPalette, line);
        return false;
    }
    if (vkov_palet_is_valid(palet))
        return true;
    frame.refuse(kErrBadPalette, line + kNotLiveLineBase);
    return false;
}

bool editable(const ApiFrame &frame, PALETTE palet, int line) noexcept {
    if (vkov_palet_get_type(palet) == kEditablePaletteType)
        return true;
    frame.refuse(kErrWrongKind, line);
    return false;
}

// The check of the calls that take nothing but the palette, or ignore their other arguments.
constexpr auto palette_given = [](ApiFrame &frame, PALETTE palet, auto &&...) {
    return palette_ok(frame, palet, __LINE__);
};

bool check_vko_palet_create(ApiFrame &, int32_t, int32_t) {
    return true;
}
bool check_vko_palet_default(ApiFrame &) {
    return true;
}

constexpr auto check_vko_palet_destroy = palette_given;
constexpr auto check_vko_palet_get_type = palette_given;
constexpr auto check_vko_palet_get_size = palette_given;
constexpr auto check_vko_palet_get_ncolors = palette_given;
constexpr auto check_vko_palet_set_tolerance = palette_given;
constexpr auto check_vko_palet_get_tolerance = palette_given;

bool check_vko_palet_add_colors(ApiFrame &frame, PALETTE palet, const uint32_t *colors,
                                uint16_t count) {
    if (!palette_ok(frame, palet, __LINE__))
        return false;
    if (!frame.not_null(colors, __LINE__))
        return false;
    if (count == 0) {
        frame.refuse(kErrValueOutOfSet, __LINE__);
        return false;
    }
    return editable(frame, palet, __LINE__);
}

bool check_vko_palet_set_colors_from_image(ApiFrame &frame, PALETTE palet, IMAGE image) {
    if (!palette_ok(frame, palet, __LINE__))
        return false;
    if (!image_ok(frame, image, __LINE__))
        return false;
    return editable(frame, palet, __LINE__);
}

bool check_vko_palet_get_colors(ApiFrame &frame, PALETTE palet, uint32_t *colors, uint16_t) {
    if (!palette_ok(frame, palet, __LINE__))
        return false;
    return frame.not_null(colors, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tpalet.def"
