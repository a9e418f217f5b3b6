// scroll_view_win.h: ScrollViewWin, the area an entry text (or an illustration's caption)
// is drawn and scrolled in: a custom-drawn child window, ScrollPaneWin, that draws nothing
// itself, with a vertical scroll bar on its right edge. The pane turns paints, clicks, drags,
// Escape and scroll-bar actions into numbered commands for its owner, which answers them
// through the entry painter; Escape and characters typed as text go on to the owner's keys.
// Scrolling moves the window's pixels and asks the owner to draw only the uncovered strip;
// positions count whole lines of the painter's line height.
// Holding the keys, the pane reads as a text does: the arrows, Page Up and Down, Home and End
// scroll it; with Shift they select, and the pane follows the selection's moving end; reached
// by Tab, a dotted frame along its edge shows it has them (a click shows its own selection
// instead, and takes the frame away).
#pragma once
#include <cstdint>

#include "app/display/entry_painter.h"
#include "frm/core/ccommand.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"

class FRM_NScrollBar;

// Commands the pane sends to its owner.
enum EntryPaneCommand : long {
    kPaneRelayOut = 32,    // the text area changed its width: lay the text out again
    kPaneDraw = 63,        // draw the area the clip is set to
    kPaneDrag = 65,        // data: two FRM_CPoints, press point and current point
    kPaneSelectKey = 66,   // data: the PaneKeyStep; answered with the moving end's place
    kPaneDoubleClick = 77, // data: the FRM_CPoint
    kPaneOtherButton = 128 // data: two FRM_CPoints, both the press point
};
// The pane's commands with a payload, each sent and read only as its type.
using PaneDrag = FRM_TCommand<kPaneDrag, const FRM_CPoint[2]>;
using PaneDoubleClick = FRM_TCommand<kPaneDoubleClick, const FRM_CPoint>;
using PaneOtherButton = FRM_TCommand<kPaneOtherButton, const FRM_CPoint[2]>;
// Shift and an arrow in the pane: the step the selection's moving end takes. The owner
// answers with where that end lies (text coordinates), or leaves found false.
struct PaneKeyStep {
    EntryPainter::KeyStep step;
    bool found = false;
    s_rct end{};
};
using PaneSelectKey = FRM_TCommand<kPaneSelectKey, PaneKeyStep>;

class ScrollPaneWin : public FRM_CWindow {
public:
    ScrollPaneWin(FRM_CDocument* document, const FRM_CRect& frame, WINDOW parent);
    ~ScrollPaneWin() override;

    void SetCommandTarget(FRM_CView* target) { itsTarget = target; }
    void SetScrollBarWindow(WINDOW bar) { itsBar = bar; }
    float origin() const { return itsOrigin; }
    void SetOrigin(float origin) { itsOrigin = origin; }
    std::int16_t lineStep() const { return itsLineStep; }
    void SetLineStep(std::int16_t step) { itsLineStep = step; }
    void SetLinePhase(std::int16_t phase) { itsLinePhase = phase; }
    // The origin at a scroll position.
    float OriginAt(std::int32_t position) const;
    bool dragging() const { return itIsDragging; }
    void SetBackground(std::uint32_t color) { itsBackground = color; }
    void SetTextColor(std::uint32_t color) { itsTextColor = color; }
    // The dotted frame along the pane's edge while it has the keys that Tab brought (drawn
    // again where the owner's drawing or a scroll covered it).
    void DrawFocusFrame();
    // Whether the keys came to the pane by Tab, and the frame is to show it.
    void SetKeysFrame(bool shown);

    void DoCommand(long command, void* data) override;
    void DoMouseDouble(FRM_CPoint point, short button, short isShift, short isControl) override;
    void DoMouseDown(FRM_CPoint point, short button, short isShift, short isControl) override;
    void DoMouseMove(FRM_CPoint point, short button, short isShift, short isControl) override;
    void DoMouseUp(FRM_CPoint point, short button, short isShift, short isControl) override;
    void Draw(const FRM_CRect& clip) override;
    void DoDraw(const FRM_CRect& clip) override { Draw(clip); }
    void DoKey(const FRM_CKey& key) override;
    void DoControl(short id, e_win_type type, WINDOW control, std::int32_t data1,
                   std::int32_t data2) override;
    // The mouse wheel over the pane: the same line scrolls as from its bar.
    void DoVScroll(e_scroll_ctl action, short position) override;
    void DoActivateWindow() override;
    void DoDeactivateWindow() override;

protected:
    // No Tab order of its own: the keys move on through the page's.
    FRM_CNavigator* ConstructNavigator() override;

private:
    // The scroll-bar action that a key stands for, 0 for none; *position: the thumb's.
    std::int32_t ScrollActionOf(const FRM_CKey& key, std::int32_t* position) const;
    // Moves the selection's end a step (times over) and scrolls it into sight.
    void SelectByKey(EntryPainter::KeyStep step, std::int32_t times = 1);
    // The lines a page scrolls by: those the pane shows, less one.
    std::int32_t PageLines() const;
    FRM_CPoint TextPoint(const FRM_CPoint& point) const;
    s_rct ContentRect() const;
    void ClearStrip(const s_rct& strip);
    void SendDraw();

    float itsOrigin = 0;
    WINDOW itsBar = nullptr;
    FRM_CView* itsTarget = nullptr;
    std::int16_t itsLineStep = 0;
    std::int16_t itsLinePhase = 0;
    bool itIsDragging = false;
    FRM_CPoint itsPressPoint;
    bool itIsScrolling = false;
    std::uint32_t itsBackground = 0x0BFFFFFF;
    std::uint32_t itsTextColor = 0x07000000;
    bool itHasKeys = false;
    bool itShowsKeysFrame = false;
};

class ScrollViewWin : public FRM_CSubview, public EntryPane {
public:
    // The pane and its bar cover frame inside parent's window; parent gets the commands.
    ScrollViewWin(FRM_CDocument* document, FRM_CSubview* parent, const FRM_CRect& frame);
    ~ScrollViewWin() override;

    FRM_CPoint ScrollOrigin() const { return FRM_CPoint(0, itsPane->origin()); }
    void SetScrollOrigin(const FRM_CPoint& point) { itsPane->SetOrigin(point.V()); }
    // The window the entry painter draws into.
    WINDOW PaneWindow() const { return itsPane->GetVKOWindow(); }
    ScrollPaneWin* pane() const { return itsPane; }
    FRM_NScrollBar* scrollBar() const { return itsBar; }
    // The local frame less the scroll bar.
    virtual FRM_CRect ContentFrame() const;

    // FRM_CView
    void Glue() override;

    // EntryPane
    s_rct PaneFrame() const override;
    s_rct TextArea() const override;
    void SetLineStep(std::int16_t step) override { itsPane->SetLineStep(step); }
    void SetLinePhase(std::int16_t phase) override { itsPane->SetLinePhase(phase); }
    float ScrollOriginY() const override { return itsPane->origin(); }
    void SetScrollOriginY(float origin) override { itsPane->SetOrigin(origin); }
    // The text runs over the lines minimum to maximum, counted from the pane's top.
    void SetScrollRange(std::int32_t minimum, std::int32_t maximum) override;
    void SetPaneColors(std::uint32_t background, std::uint32_t text) override;

private:
    // Sets the bar over the text's lines for the pane's height, the thumb at position (kept
    // within the positions that fill the pane), and gives the position set.
    std::int32_t ShowRows(std::int32_t position);

    std::int32_t itsRows = 0;         // the lines of the text, from the pane's top
    ScrollPaneWin* itsPane = nullptr; // owned
    FRM_NScrollBar* itsBar = nullptr; // the pane's
    WINDOW itsPaneWindow = nullptr;
};
