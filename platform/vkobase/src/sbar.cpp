// Scroll bars: range, position and proportion of a window's horizontal and vertical bars and
// of scroll-bar controls, as data in the window's scroll-bar extension slot (made on first
// use). The position always lies within the range and the proportion within 1 and the range's
// width, whatever order the calls come in.
#include "vkobase/sbar.h"

#include <algorithm>
#include <new>

#include "window_internal.h"

namespace {

struct Bar {
    int32_t min = 0;
    int32_t max = 100;
    int32_t pos = 0;
    int32_t proportion = 1;
};

struct SbarData {
    Bar bars[3];  // indexed by kind
};

void free_sbar_data(void* data) {
    delete static_cast<SbarData*>(data);
}

// The bar of that kind, null for a dead window or a kind it cannot have: a scroll-bar control
// has only kind 2, any other window only kinds 0 and 1. Which bars a window shows is its
// style's business; the values are kept for either.
Bar* bar_of(WINDOW win, int32_t kind) {
    if (!vkobase::win_is_live(win) || kind < VKO_SBAR_HORZ || kind > VKO_SBAR_CONTROL) {
        return nullptr;
    }
    const e_win_type type = vkobase::win_effective_type(win);
    const bool is_control = type == WC_HSCROLL || type == WC_VSCROLL;
    if (is_control != (kind == VKO_SBAR_CONTROL)) {
        return nullptr;
    }
    auto* data = static_cast<SbarData*>(vkobase::win_get_ext(win, vko_win_internal::kExtSbar));
    if (data == nullptr) {
        data = new (std::nothrow) SbarData{};
        if (data == nullptr) {
            return nullptr;
        }
        vkobase::win_set_ext(win, vko_win_internal::kExtSbar, data, free_sbar_data);
    }
    return &data->bars[kind];
}

void clamp(Bar* bar) {
    bar->pos = std::clamp(bar->pos, bar->min, bar->max);
    // The width in 64 bits: max - min may not fit in 32.
    const int64_t width = static_cast<int64_t>(bar->max) - bar->min + 1;
    bar->proportion = static_cast<int32_t>(
        std::clamp<int64_t>(bar->proportion, 1, std::min<int64_t>(width, INT32_MAX)));
}

// A bar is drawn again only when what it shows changed: pages set their bars on every
// look-up, mostly to the values they already have.
void redraw_if_changed(WINDOW win, const Bar& before, const Bar& after) {
    if (before.min != after.min || before.max != after.max || before.pos != after.pos ||
        before.proportion != after.proportion)
        vkobase::win_invalidate(win, nullptr);
}

} // namespace

extern "C" {

void vkok_sbar_set_range(WINDOW win, int32_t kind, int32_t min, int32_t max) noexcept {
    if (Bar* bar = bar_of(win, kind)) {
        const Bar before = *bar;
        bar->min = std::min(min, max);
        bar->max = std::max(min, max);
        clamp(bar);
        redraw_if_changed(win, before, *bar);
    }
}

void vkok_sbar_get_range(WINDOW win, int32_t kind, int32_t* min, int32_t* max) noexcept {
    const Bar* bar = bar_of(win, kind);
    if (min != nullptr) {
        *min = bar == nullptr ? 0 : bar->min;
    }
    if (max != nullptr) {
        *max = bar == nullptr ? 0 : bar->max;
    }
}

void vkok_sbar_set_pos(WINDOW win, int32_t kind, int32_t pos) noexcept {
    if (Bar* bar = bar_of(win, kind)) {
        const Bar before = *bar;
        bar->pos = pos;
        clamp(bar);
        redraw_if_changed(win, before, *bar);
    }
}

int32_t vkok_sbar_get_pos(WINDOW win, int32_t kind) noexcept {
    const Bar* bar = bar_of(win, kind);
    return bar == nullptr ? -1 : bar->pos;
}

void vkok_sbar_set_proportion(WINDOW win, int32_t kind, int32_t proportion) noexcept {
    if (Bar* bar = bar_of(win, kind)) {
        const Bar before = *bar;
        bar->proportion = proportion;
        clamp(bar);
        redraw_if_changed(win, before, *bar);
    }
}

int32_t vkok_sbar_get_proportion(WINDOW win, int32_t kind) noexcept {
    const Bar* bar = bar_of(win, kind);
    return bar == nullptr ? -1 : bar->proportion;
}

} // extern "C"
