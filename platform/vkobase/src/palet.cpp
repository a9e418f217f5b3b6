// palet.cpp: colour palettes. The default palette (type 1) holds a fixed set of colours and
// belongs to the library; palettes of type 5 start empty and hold the colours the program
// adds, up to their size. A window mapped to a palette forgets it when the palette goes.
// Every palette is registered as a live record; a handle is checked there before it is read.
#include "vkobase/palet.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <unordered_set>
#include <vector>

#include "image_internal.h"
#include "live_registry.h"
#include "window_internal.h"

struct s_palet {
    std::int32_t type = VKO_PALET_FIXED;
    std::uint16_t size = 0;      // how many colours it can hold
    std::uint16_t tolerance = 0; // largest component difference that counts as the same colour
    std::vector<COLOR> colors;
    std::unordered_set<WINDOW> mapped; // windows whose drawing state names this palette
};

namespace {

constexpr std::uint16_t kMaxSize = 4096;
constexpr std::uint16_t kRefused = 65535;

struct PaletState {
    std::unordered_set<PALETTE> palets;
    PALETTE default_palet = nullptr;
};
PaletState &state() {
    static PaletState s;
    return s;
}

PALETTE live_palet(PALETTE palet) noexcept {
    return vkobase::live_is(palet, vkobase::LiveKind::Palette) ? palet : nullptr;
}

PALETTE make_palet(std::int32_t type, std::uint16_t size) noexcept {
    auto *palet = new (std::nothrow) s_palet{};
    if (palet == nullptr)
        return nullptr;
    palet->type = type;
    palet->size = size;
    try {
        if (type == VKO_PALET_FIXED) {
            // A 6 x 6 x 6 colour cube and a ramp of 24 greys.
            for (int r = 0; r < 6; ++r)
                for (int g = 0; g < 6; ++g)
                    for (int b = 0; b < 6; ++b)
                        palet->colors.push_back(
                            static_cast<COLOR>((r * 51) << 16 | (g * 51) << 8 | b * 51));
            for (int i = 1; i <= 24; ++i) {
                const COLOR v = static_cast<COLOR>(i * 255 / 25);
                palet->colors.push_back(v << 16 | v << 8 | v);
            }
            palet->size = static_cast<std::uint16_t>(palet->colors.size());
        }
        state().palets.insert(palet);
    } catch (...) {
        delete palet;
        return nullptr;
    }
    vkobase::live_add(palet, vkobase::LiveKind::Palette);
    return palet;
}

void free_palet(PALETTE palet) noexcept {
    for (WINDOW win : palet->mapped)
        if (vkobase::win_is_live(win) && win->draw.palet == palet)
            win->draw.palet = nullptr;
    vkobase::live_remove(palet);
    delete palet;
}

bool near_enough(COLOR a, COLOR b, int tolerance) noexcept {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(d) > tolerance)
            return false;
    }
    return true;
}

// Adds one colour unless one within the tolerance is there; false when it was full.
bool add_one(s_palet &palet, COLOR color, std::uint16_t *added) {
    const COLOR rgb = color & 0x00FFFFFFu;
    for (COLOR c : palet.colors)
        if (near_enough(c, rgb, palet.tolerance))
            return true;
    if (palet.colors.size() >= palet.size)
        return false;
    palet.colors.push_back(rgb);
    ++*added;
    return true;
}

} // namespace

void vkobase_reset_palet() noexcept {
    for (PALETTE palet : state().palets)
        free_palet(palet);
    state() = PaletState{};
}

extern "C" {

PALETTE vkov_palet_create(int32_t type, int32_t size) noexcept {
    if (type == VKO_PALET_FIXED)
        return make_palet(type, 0);
    if (type != VKO_PALET_USER || size <= 0 || size > kMaxSize)
        return nullptr;
    return make_palet(type, static_cast<std::uint16_t>(size));
}

PALETTE vkov_palet_default(void) noexcept {
    if (live_palet(state().default_palet) == nullptr)
        state().default_palet = make_palet(VKO_PALET_FIXED, 0);
    return state().default_palet;
}

void vkov_palet_destroy(PALETTE palet) noexcept {
    if (live_palet(palet) == nullptr || palet == state().default_palet)
        return;
    state().palets.erase(palet);
    free_palet(palet);
}

BOOLEAN vkov_palet_is_valid(PALETTE palet) noexcept {
    return live_palet(palet) != nullptr ? TRUE : FALSE;
}

int32_t vkov_palet_get_type(PALETTE palet) noexcept {
    return live_palet(palet) != nullptr ? palet->type : 0;
}

uint16_t vkov_palet_get_size(PALETTE palet) noexcept {
    return live_palet(palet) != nullptr ? palet->size : kRefused;
}

uint16_t vkov_palet_get_ncolors(PALETTE palet) noexcept {
    return live_palet(palet) != nullptr ? static_cast<uint16_t>(palet->colors.size()) : kRefused;
}

uint16_t vkov_palet_get_tolerance(PALETTE palet) noexcept {
    return live_palet(palet) != nullptr ? palet->tolerance : kRefused;
}

void vkov_palet_set_tolerance(PALETTE palet, uint16_t tolerance) noexcept {
    if (live_palet(palet) != nullptr)
        palet->tolerance = std::min<uint16_t>(tolerance, 255);
}

uint16_t vkov_palet_add_colors(PALETTE palet, const uint32_t *colors, uint16_t count) noexcept {
    if (live_palet(palet) == nullptr || palet->type != VKO_PALET_USER || colors == nullptr ||
        count == 0)
        return kRefused;
    std::uint16_t added = 0;
    try {
        for (uint16_t i = 0; i < count; ++i)
            if (colors[i] != VKO_COLOR_UNSET && !add_one(*palet, colors[i], &added))
                break;
    } catch (...) {
    }
    return added;
}

uint16_t vkov_palet_add_colors_from_image(PALETTE palet, IMAGE image) noexcept {
    if (live_palet(palet) == nullptr || palet->type != VKO_PALET_USER ||
        !vkobase::image_is_live(image))
        return kRefused;
    std::uint16_t added = 0;
    try {
        if (image->format == VKO_IMAGE_INDEXED) {
            for (COLOR c : image->clut)
                if (!add_one(*palet, c, &added))
                    break;
            return added;
        }
        std::unordered_set<std::uint32_t> seen;
        for (std::int32_t y = 0; y < image->height; ++y)
            for (std::int32_t x = 0; x < image->width; ++x) {
                const std::uint32_t rgb = vkobase::image_rgb_at(*image, x, y);
                if (seen.insert(rgb).second && !add_one(*palet, rgb, &added))
                    return added;
            }
    } catch (...) {
    }
    return added;
}

uint16_t vkov_palet_get_colors(PALETTE palet, uint32_t *colors, uint16_t capacity) noexcept {
    if (live_palet(palet) == nullptr || colors == nullptr)
        return kRefused;
    const std::size_t n = std::min<std::size_t>(capacity, palet->colors.size());
    std::copy_n(palet->colors.begin(), n, colors);
    return static_cast<uint16_t>(n);
}

void vkov_palet_map_win(PALETTE palet, WINDOW win) noexcept {
    if (!vkobase::win_is_live(win))
        return;
    if (palet == nullptr) {
        win->draw.palet = nullptr;
        return;
    }
    if (live_palet(palet) == nullptr)
        return;
    try {
        palet->mapped.insert(win);
    } catch (...) {
        return;
    }
    win->draw.palet = palet;
}

} // extern "C"
