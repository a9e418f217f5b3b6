// headless_display.h: the entry display without a screen, for the fuzz targets that lay
// entries and pictures out: the base library in test mode (no display, no X server), one
// document window that lives for the whole run, every family of the entry display drawn
// in the deterministic test font, and a pane that keeps what the display tells it.
#pragma once
#include <cstdint>

#include "app/display/entry_painter.h"
#include "vkobase/font.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace fuzzsupport {

class HeadlessPane : public EntryPane {
public:
    s_rct PaneFrame() const override { return s_rct{0, 0, 400, 300}; }
    void SetLineStep(std::int16_t) override {}
    float ScrollOriginY() const override { return origin; }
    void SetScrollOriginY(float value) override { origin = value; }
    void SetScrollRange(std::int32_t, std::int32_t) override {}
    void SetPaneColors(std::uint32_t, std::uint32_t) override {}

    float origin = 0;
};

inline std::int32_t no_events(WINDOW, EVENT*) { return 0; }

// The window the display draws in, made at the first call.
inline WINDOW headless_window()
{
    static const WINDOW window = [] {
        vkov_test_reset_all();
        for (const char* family : kEntryFontFamilies)
            vkov_font_add_family_mapping(family, VKO_FONT_TEST_FAMILY);
        vkov_font_add_family_mapping("times", VKO_FONT_TEST_FAMILY);
        const s_rct rect{0, 0, 300, 400};
        return vkok_win_create(W_DOC, &rect, "fuzz", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL, no_events, 0);
    }();
    return window;
}

} // namespace fuzzsupport
