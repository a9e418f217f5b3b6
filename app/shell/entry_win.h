// entry_win.h: EntryWin, the child window of a main reference window in which the entry
// engine draws the chosen entry. It is the engine's pane: it gives the engine its frame,
// keeps the scroll origin (whole lines; the arrow and page keys and the mouse wheel move
// it) and redraws the laid-out entry when the system asks.
#pragma once
#include <cstdint>
#include <memory>

#include "app/display/entry_painter.h"
#include "frm/views/cwindow.h"

class EntryWin : public FRM_CWindow, public EntryPane {
public:
    EntryWin(FRM_CDocument* document, const FRM_CRect& frame, WINDOW parent);
    ~EntryWin() override;

    EntryPainter& GetPainter() { return *itsPainter; }
    // Scrolls by lines (negative: up), within the laid-out text.
    void ScrollLines(int lines);

    // EntryPane
    s_rct PaneFrame() const override;
    void SetLineStep(std::int16_t step) override { itsLineStep = step > 0 ? step : 1; }
    float ScrollOriginY() const override { return itsOrigin; }
    void SetScrollOriginY(float origin) override { itsOrigin = origin; }
    void SetScrollRange(std::int32_t minimum, std::int32_t maximum) override;
    void SetPaneColors(std::uint32_t background, std::uint32_t text) override;

    // FRM_CWindow
    void Draw(const FRM_CRect& area) override;
    void DoKey(const FRM_CKey& key) override;
    short ClassCanGetKeyFocus() const override { return 1; }

private:
    std::unique_ptr<EntryPainter> itsPainter;
    float itsOrigin = 0;
    std::int16_t itsLineStep = 16;
    std::int32_t itsMaxLines = 0;
    std::uint32_t itsBackground = kDefaultBackColor;
};
