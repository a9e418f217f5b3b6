// entry_painter_draw.cpp: drawing what is laid out. The runs are replayed with their style
// bytes from the start of the entry, on screen from the pane's scroll position and clipped
// to what shows, on printer pages a page at a time; an illustration's or table's marker is
// its icon, or its name in brackets.
#include "app/display/entry_painter.h"

#include <algorithm>
#include <cmath>

#include "app/display/display_text.h"
#include "app/display/entry_painter_internal.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/probe.h"

using namespace entry_paint;

namespace {

bool IsBlank(const std::string& text)
{
    return !text.empty() && text.find_first_not_of(' ') == std::string::npos;
}

std::int32_t ToInt(float v) { return static_cast<std::int32_t>(v); }

} // namespace

void EntryPainter::DrawMarker(const Run& run, float originY)
{
    WINDOW window = Target();
    if (itIsPrinting || window == nullptr)
        return;
    IMAGE icon = vko_res_get_image(run.text == kArtRun ? 39009 : 39010);
    if (icon == nullptr) {
        const std::string label = MarkerLabel(run.text);
        SyncFont(itsSettings, false);
        vko_dwin_draw_text(window, ToInt(run.x), ToInt(run.y - originY), label.data(),
                           static_cast<std::int32_t>(label.size()));
        return;
    }
    std::int32_t width = 0, height = 0;
    vko_image_get_dimensions(icon, &width, &height);
    const s_rct source{0, 0, static_cast<std::int16_t>(height), static_cast<std::int16_t>(width)};
    s_rct dest{};
    dest.left = Clamp16(run.x);
    dest.top = Clamp16(run.y - static_cast<float>(itsAscentOffset) - originY);
    dest.right = static_cast<std::int16_t>(dest.left + width);
    dest.bottom = static_cast<std::int16_t>(dest.top + height);
    vko_dwin_draw_image(window, icon, &dest, &source);
    vko_image_destroy(icon);
}

void EntryPainter::DrawRunRange(std::size_t from, std::size_t to, float originY,
                                DisplaySettings* state, float clipTop, float clipBottom)
{
    WINDOW window = Target();
    if (window == nullptr)
        return;
    itsWindowFont = WindowFont{};
    // A blank between words leaves no ink unless text is drawn opaque or underlined, and an
    // entry has about as many blanks as words: skip drawing them.
    s_drawct tools{};
    vko_dwin_get_draw_ctools(window, &tools);
    const bool blanksLeaveNoInk = tools.opaque_text == FALSE;
    std::vector<bool> selected(to, false);
    for (const int index : itsSelection)
        if (static_cast<std::size_t>(index) < to)
            selected[static_cast<std::size_t>(index)] = true;
    // Runs that follow each other on a line in one font and colour are drawn as one text:
    // each drawing call costs far more than its glyphs. The layout placed every run at the
    // end of the one before (whole-pixel widths), so the glyphs land where they would alone.
    std::string pending;
    std::size_t pendingInk = 0; // the blanks after the last word are left out
    std::int32_t pendingX = 0, pendingY = 0, pendingEnd = 0;
    const auto flush = [&]() {
        if (pendingInk != 0)
            vko_dwin_draw_text(window, pendingX, pendingY, pending.data(),
                               static_cast<std::int32_t>(pendingInk));
        pending.clear();
        pendingInk = 0;
    };
    for (std::size_t i = from; i < to; ++i) {
        const Run& run = itsRuns[i];
        const float y = run.y - originY;
        const auto c = static_cast<unsigned char>(run.text.empty() ? 0 : run.text[0]);
        const bool visible = y + static_cast<float>(itsDescent) >= clipTop &&
                             y - static_cast<float>(itsAscentOffset) <= clipBottom;
        if (IsControl(c)) {
            if (c == '\n')
                continue;
            if (c < 0x10) {
                ApplyStyleByte(c, state, false);
                continue;
            }
            if (run.text.size() == 2 && visible) {
                flush();
                const DisplaySettings saved = *state;
                ApplyStyleByte(c, state, false);
                SyncFont(*state, run.highlight != 0);
                vko_dwin_draw_text(window, ToInt(run.x), ToInt(y) + state->baseline_shift,
                                   run.text.data() + 1, 1);
                *state = saved;
            }
        } else if (visible) {
            const std::int32_t x = ToInt(run.x);
            const std::int32_t baseline = ToInt(y) + state->baseline_shift;
            const bool follows = !pending.empty() && baseline == pendingY && x == pendingEnd &&
                                 TargetFont(*state, run.highlight != 0) == itsWindowFont;
            if (IsMarker(run.text)) {
                flush();
                DrawMarker(run, originY);
            } else if (blanksLeaveNoInk && IsBlank(run.text) &&
                       (state->font_style & VKO_FS_UNDERLINE) == 0) {
                // No ink of its own; it may join the texts on either side.
                if (follows) {
                    pending += run.text;
                    pendingEnd += ToInt(std::floor(run.width));
                }
            } else {
                if (!follows) {
                    flush();
                    SyncFont(*state, run.highlight != 0);
                    pendingX = x;
                    pendingY = baseline;
                    pendingEnd = x;
                }
                pending += run.text;
                pendingInk = pending.size();
                pendingEnd += ToInt(std::floor(run.width));
            }
        }
        if (visible && selected[i]) {
            flush(); // the inversion goes over the drawn text
            InvertRun(run, originY);
        }
        if (y - static_cast<float>(itsAscentOffset) > clipBottom)
            break;
    }
    flush();
}

void EntryPainter::Redraw(float originY)
{
    if (itsWindow == nullptr || itsView == nullptr || itIsPrinting)
        return;
    if (!itHasText && !itIsImageShown)
        return;
    float clipTop = -1e9f, clipBottom = 1e9f;
    s_rct clip{};
    if (vko_dwin_get_clip(itsWindow, &clip) != nullptr && clip.bottom > clip.top) {
        clipTop = clip.top;
        clipBottom = clip.bottom;
    }
    DisplaySettings state = itsEntryStart;
    const VkoProbeScope drawing(VKO_PROBE_DRAWING);
    DrawRunRange(0, itsRuns.size(), -std::min(0.0f, originY) , &state, clipTop, clipBottom);
}
