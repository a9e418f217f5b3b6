// scroll_view_win.cpp: the scrolling entry pane and its view.
#include "app/display/scroll_view_win.h"

#include <algorithm>
#include <cstdlib>

#include "app/display/draw_tools_scope.h"
#include "frm/views/nscrllbr.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cnav.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr std::int32_t kLineUp = 1, kLineDown = 2, kPageUp = 3, kPageDown = 4, kThumb = 6;
constexpr std::uint16_t kEscape = 27;
// The characters a text field takes as typed text: the single bytes from the blank on, but
// Delete.
constexpr std::uint16_t kSpace = 32, kDelete = 127, kLastText = 255;
// The thumb past any last position: the bar stops it at the last.
constexpr std::int32_t kPastTheEnd = 0x7FFF;
// The focus frame lies this far inside the pane's text area; a scroll moves it with the
// text, so the band it leaves is drawn again with the strip uncovered.
constexpr std::int16_t kFrameInset = 1;
constexpr std::int16_t kFrameBand = 2;

} // namespace

ScrollPaneWin::ScrollPaneWin(FRM_CDocument* document, const FRM_CRect& frame, WINDOW parent)
    : FRM_CWindow(document, frame, FRM_CStringRW(), 0, W_PLAIN, 0, parent)
{
}

ScrollPaneWin::~ScrollPaneWin() = default;

void ScrollPaneWin::DoCommand(long command, void* data)
{
    if (itsTarget != nullptr)
        itsTarget->DoCommand(command, data);
}

FRM_CPoint ScrollPaneWin::TextPoint(const FRM_CPoint& point) const
{
    return FRM_CPoint(point.H(), point.V() - itsOrigin);
}

void ScrollPaneWin::DoMouseDown(FRM_CPoint point, short button, short, short)
{
    itsPressPoint = TextPoint(point);
    const FRM_CPoint points[2] = {itsPressPoint, itsPressPoint};
    if (button == 0) {
        // The keys follow the text the user selects here: Ctrl+C and Edit > Copy then take
        // the entry's selection, not that of the field that had the focus.
        SetKeysFrame(false);
        vko_scr_set_focus_vobj(GetVKOWindow());
        vko_win_trap_pointer(GetVKOWindow());
        itIsDragging = true;
        PaneDrag::Send(*this, points);
    } else {
        PaneOtherButton::Send(*this, points);
    }
}

void ScrollPaneWin::DoMouseMove(FRM_CPoint point, short, short, short)
{
    if (!itIsDragging)
        return;
    const FRM_CPoint points[2] = {itsPressPoint, TextPoint(point)};
    PaneDrag::Send(*this, points);
}

void ScrollPaneWin::DoMouseUp(FRM_CPoint, short, short, short)
{
    if (!itIsDragging)
        return;
    vko_win_release_pointer();
    itIsDragging = false;
}

void ScrollPaneWin::DoMouseDouble(FRM_CPoint point, short, short, short)
{
    const FRM_CPoint at = TextPoint(point);
    PaneDoubleClick::Send(*this, at);
}

void ScrollPaneWin::DoKey(const FRM_CKey& key)
{
    if (!key.IsVirtualKey()) {
        // The pane holds no text of the user's: Escape, and a character typed as text, are
        // its owner's (a search page types it into its field); other keys are dropped.
        const std::uint16_t character = key.GetChar();
        const bool text = character >= kSpace && character <= kLastText && character != kDelete &&
                          !key.IsCtrl() && !key.IsAlt();
        if ((character == kEscape || text) && itsTarget != nullptr)
            itsTarget->DoKey(key);
        return;
    }
    if (key.IsShifted()) {
        // With Shift the keys select, as they move a text view's caret: a page is the lines
        // Page Down scrolls by.
        using Step = EntryPainter::KeyStep;
        struct ShiftedKey {
            std::uint16_t key;
            Step step;
            bool page;
        };
        static constexpr ShiftedKey kShiftedKeys[] = {
            {VKO_KEY_LEFT, Step::kRunBack, false},
            {VKO_KEY_RIGHT, Step::kRunOn, false},
            {VKO_KEY_UP, Step::kLineUp, false},
            {VKO_KEY_DOWN, Step::kLineDown, false},
            {VKO_KEY_PAGE_UP, Step::kLineUp, true},
            {VKO_KEY_PAGE_DOWN, Step::kLineDown, true},
            {VKO_KEY_LINE_START, Step::kLineStart, false},
            {VKO_KEY_LINE_END, Step::kLineEnd, false},
            {VKO_KEY_TEXT_START, Step::kTextStart, false},
            {VKO_KEY_TEXT_END, Step::kTextEnd, false},
        };
        for (const ShiftedKey& shifted : kShiftedKeys)
            if (shifted.key == key.GetChar()) {
                SelectByKey(shifted.step, shifted.page ? PageLines() : 1);
                return;
            }
    }
    std::int32_t position = 0;
    if (const std::int32_t action = ScrollActionOf(key, &position);
        action != 0 && itsBar != nullptr)
        DoControl(0, WC_VSCROLL, itsBar, action, position);
}

std::int32_t ScrollPaneWin::ScrollActionOf(const FRM_CKey& key, std::int32_t* position) const
{
    *position = 0;
    switch (key.GetChar()) {
    case VKO_KEY_UP:
        return kLineUp;
    case VKO_KEY_DOWN:
        return kLineDown;
    case VKO_KEY_PAGE_UP:
        return kPageUp;
    case VKO_KEY_PAGE_DOWN:
        return kPageDown;
    case VKO_KEY_LINE_START:
    case VKO_KEY_TEXT_START:
        return kThumb;
    case VKO_KEY_LINE_END:
    case VKO_KEY_TEXT_END:
        *position = kPastTheEnd;
        return kThumb;
    default:
        return 0;
    }
}

std::int32_t ScrollPaneWin::PageLines() const
{
    return itsLineStep > 0
               ? std::max(1, static_cast<std::int32_t>(GetLocalFrame().Bottom()) / itsLineStep - 1)
               : 1;
}

void ScrollPaneWin::SelectByKey(EntryPainter::KeyStep step, std::int32_t times)
{
    PaneKeyStep move{step};
    for (std::int32_t i = 0; i < times; ++i)
        PaneSelectKey::Send(*this, move);
    if (!move.found || itsLineStep <= 0 || itsBar == nullptr)
        return;
    // The moving end comes into sight a line at a time, as the text view's caret would.
    const s_rct content = ContentRect();
    for (int lines = 0; lines < kPastTheEnd; ++lines) {
        const float top = static_cast<float>(move.end.top) + itsOrigin;
        const float bottom = static_cast<float>(move.end.bottom) + itsOrigin;
        const float before = itsOrigin;
        if (bottom > content.bottom)
            DoControl(0, WC_VSCROLL, itsBar, kLineDown, 0);
        else if (top < content.top)
            DoControl(0, WC_VSCROLL, itsBar, kLineUp, 0);
        if (itsOrigin == before)
            break;
    }
}

FRM_CNavigator* ScrollPaneWin::ConstructNavigator() { return new FRM_CNavigator(nullptr); }

void ScrollPaneWin::DoActivateWindow()
{
    FRM_CWindow::DoActivateWindow();
    if (vko_scr_get_focus_vobj() != GetVKOWindow() || itHasKeys)
        return;
    itHasKeys = true;
    DrawFocusFrame();
}

void ScrollPaneWin::DoDeactivateWindow()
{
    FRM_CWindow::DoDeactivateWindow();
    if (!itHasKeys)
        return;
    // The frame lay over the text's edge: the whole pane is drawn again without it.
    itHasKeys = false;
    if (itShowsKeysFrame)
        Invalidate(GetLocalFrame());
}

void ScrollPaneWin::SetKeysFrame(bool shown)
{
    if (shown == itShowsKeysFrame)
        return;
    itShowsKeysFrame = shown;
    if (shown)
        DrawFocusFrame();
    else if (itHasKeys)
        Invalidate(GetLocalFrame()); // the frame lay over the text's edge
}

void ScrollPaneWin::DrawFocusFrame()
{
    if (!itHasKeys || !itShowsKeysFrame)
        return;
    WINDOW window = GetVKOWindow();
    const s_rct content = ContentRect();
    const s_rct frame{static_cast<std::int16_t>(content.top + kFrameInset),
                      static_cast<std::int16_t>(content.left + kFrameInset),
                      static_cast<std::int16_t>(content.bottom - kFrameInset),
                      static_cast<std::int16_t>(content.right - kFrameInset)};
    if (frame.bottom <= frame.top || frame.right <= frame.left)
        return;
    s_rct clipBefore{};
    const bool clipped = vko_dwin_get_clip(window, &clipBefore) != nullptr;
    vko_dwin_set_clip(window, &content);
    {
        const DrawToolsScope tools(window, M_COPY, s_cpen{1, PAT_SOLID, P_DOT, itsTextColor},
                                   s_cbrush{PAT_HOLLOW, itsBackground});
        vko_dwin_draw_rect(window, &frame);
    }
    vko_dwin_set_clip(window, clipped ? &clipBefore : nullptr);
}

s_rct ScrollPaneWin::ContentRect() const
{
    s_rct client{};
    vko_vobj_get_client_rect(GetVKOWindow(), &client);
    client.right = static_cast<std::int16_t>(client.right - FRM_NScrollBar::NativeWidth());
    return client;
}

void ScrollPaneWin::SendDraw()
{
    DoCommand(kPaneDraw, nullptr);
    vko_dwin_set_clip(GetVKOWindow(), nullptr);
}

void ScrollPaneWin::Draw(const FRM_CRect&)
{
    if (itIsScrolling)
        return;
    // The bar is a window inside the pane's and is drawn again only where an update covers
    // it: the clear stays beside it.
    const s_rct content = ContentRect();
    vko_dwin_set_clip(GetVKOWindow(), &content);
    vko_dwin_clear(GetVKOWindow(), itsBackground);
    SendDraw();
    DrawFocusFrame();
}

void ScrollPaneWin::ClearStrip(const s_rct& strip)
{
    WINDOW window = GetVKOWindow();
    vko_dwin_set_clip(window, &strip);
    const DrawToolsScope tools(window, M_COPY, s_cpen{1, PAT_HOLLOW, P_SOLID, itsBackground},
                               s_cbrush{PAT_SOLID, itsBackground});
    vko_dwin_draw_rect(window, &strip);
}

float ScrollPaneWin::OriginAt(std::int32_t position) const
{
    // Scrolled, a line's top is at the pane's top: the lines lie phase pixels below the
    // multiples of the step.
    return position <= 0 ? 0 : -static_cast<float>(position * itsLineStep + itsLinePhase);
}

void ScrollPaneWin::DoControl(short id, e_win_type type, WINDOW control, std::int32_t data1,
                              std::int32_t data2)
{
    (void)id;
    (void)control;
    if (type != WC_VSCROLL) {
        SendDraw();
        return;
    }
    // Without a line step there is nothing to scroll by yet.
    if (itsLineStep <= 0)
        return;
    std::int32_t minimum = 0, maximum = 0;
    vko_sbar_get_range(itsBar, 2, &minimum, &maximum);
    // The last position leaves the thumb's worth of lines (those the pane shows) below it:
    // scrolling ends with the text's last line at the pane's bottom.
    maximum = std::max(minimum,
                       maximum - std::max<std::int32_t>(1, vko_sbar_get_proportion(itsBar, 2)) + 1);
    const std::int32_t position = vko_sbar_get_pos(itsBar, 2);
    const std::int32_t page = PageLines();
    std::int32_t next = position;
    switch (data1) {
    case kLineUp:
        next = position - 1;
        break;
    case kLineDown:
        next = position + 1;
        break;
    case kPageUp:
        next = position - page;
        break;
    case kPageDown:
        next = position + page;
        break;
    case kThumb:
        next = static_cast<std::int16_t>(data2);
        break;
    default:
        return;
    }
    next = std::clamp(next, minimum, maximum);
    if (next == position && data1 != kThumb)
        return;
    itIsScrolling = true;
    WINDOW window = GetVKOWindow();
    const s_rct content = ContentRect();
    s_rct strip = content;
    const float origin = OriginAt(next);
    const auto shift = static_cast<std::int32_t>(origin - itsOrigin);
    // The pixels still shown move; only the band uncovered is drawn (below, with the line
    // the pane's bottom cut before). The thumb dragged draws the whole pane.
    if (data1 != kThumb && std::abs(shift) < content.bottom - content.top) {
        vko_dwin_scroll_rect(window, &content, 0, shift);
        // The focus frame's top edge moved down with the text: its band is drawn again too.
        // (Scrolled up, the band a line high drawn again below holds the bottom edge.)
        if (shift > 0)
            strip.bottom = static_cast<std::int16_t>(std::min<std::int32_t>(
                content.bottom, content.top + shift + (itHasKeys ? kFrameBand : 0)));
        else
            strip.top = static_cast<std::int16_t>(
                std::max<std::int32_t>(content.top, content.bottom + shift - itsLineStep));
    }
    itsOrigin = origin;
    ClearStrip(strip);
    vko_sbar_set_pos(itsBar, 2, next);
    vko_dwin_set_clip(window, &strip);
    SendDraw();
    itIsScrolling = false;
    DrawFocusFrame();
}

void ScrollPaneWin::DoVScroll(e_scroll_ctl action, short position)
{
    // The pane's bar is a control of its own, not the window's bar, so the window's scroll
    // events (the base library makes them of the wheel) are turned into the bar's actions.
    if (itsBar != nullptr)
        DoControl(0, WC_VSCROLL, itsBar, action, position);
}

ScrollViewWin::ScrollViewWin(FRM_CDocument* document, FRM_CSubview* parent, const FRM_CRect& frame)
    : FRM_CSubview(parent, frame)
{
    WINDOW parentWindow = parent != nullptr ? parent->GetVKOWindow() : nullptr;
    itsPane = new ScrollPaneWin(document, GetGlobalFrame(), parentWindow);
    itsPane->SetCommandTarget(parent);
    FRM_CRect barFrame = itsPane->GetLocalFrame();
    barFrame.Left(barFrame.Right() - static_cast<float>(FRM_NScrollBar::NativeWidth()));
    itsBar = new FRM_NScrollBar(itsPane, barFrame, VERTICAL, 0);
    itsPane->SetScrollBarWindow(itsBar->GetVKOWindow());
    itsPaneWindow = itsPane->GetVKOWindow();
}

ScrollViewWin::~ScrollViewWin()
{
    // The pane is a window of its own: it goes with this view, unless its parent window
    // took it along already.
    if (vko_vobj_is_valid(itsPaneWindow) &&
        vko_vobj_get_data(itsPaneWindow) ==
            reinterpret_cast<intptr_t>(static_cast<FRM_CWindow*>(itsPane)))
        itsPane->Close();
}

FRM_CRect ScrollViewWin::ContentFrame() const
{
    FRM_CRect frame = GetLocalFrame();
    frame.Right(frame.Right() - static_cast<float>(FRM_NScrollBar::NativeWidth()));
    return frame;
}

void ScrollViewWin::Glue()
{
    FRM_CView::Glue();
    const FRM_CRect frame = GetGlobalFrame();
    if (!(frame.Left() < frame.Right() && frame.Top() < frame.Bottom()))
        return;
    const float widthBefore = itsPane->GetLocalFrame().Width();
    // The pane is a window of its own whose bar lies in the pane's own coordinates: it is
    // moved and sized as a window, without shifting its children by its place in the page.
    itsPane->Size(frame);
    FRM_CRect barFrame = itsPane->GetLocalFrame();
    barFrame.Left(barFrame.Right() - static_cast<float>(FRM_NScrollBar::NativeWidth()));
    itsBar->DoSize(barFrame);
    // Lines were broken at the old right edge: a wider or narrower pane wraps them again.
    if (itsPane->GetLocalFrame().Width() != widthBefore) {
        itsPane->DoCommand(kPaneRelayOut, nullptr);
        return;
    }
    // A taller or shorter pane shows more or fewer of the lines: the thumb's size follows,
    // and a pane scrolled past the new last position comes back to it.
    const std::int32_t position = vko_sbar_get_pos(itsBar->GetVKOWindow(), 2);
    const std::int32_t kept = ShowRows(position);
    if (kept != position) {
        itsPane->SetOrigin(itsPane->OriginAt(kept));
        itsPane->Invalidate(itsPane->GetLocalFrame());
    }
}

s_rct ScrollViewWin::PaneFrame() const
{
    const FRM_CRect frame = itsPane->GetLocalFrame();
    s_rct rect{};
    rect.top = static_cast<std::int16_t>(frame.Top());
    rect.left = static_cast<std::int16_t>(frame.Left());
    rect.bottom = static_cast<std::int16_t>(frame.Bottom());
    rect.right = static_cast<std::int16_t>(frame.Right());
    return rect;
}

s_rct ScrollViewWin::TextArea() const
{
    s_rct area = PaneFrame();
    area.right = static_cast<std::int16_t>(area.right - FRM_NScrollBar::NativeWidth());
    return area;
}

void ScrollViewWin::SetScrollRange(std::int32_t minimum, std::int32_t maximum)
{
    // The thumb returns to the top.
    itsRows = std::max(0, maximum - minimum);
    ShowRows(0);
    // The entry was drawn afresh over the whole pane, its edge too.
    itsPane->DrawFocusFrame();
}

std::int32_t ScrollViewWin::ShowRows(std::int32_t position)
{
    const std::int32_t step = itsPane->lineStep();
    const s_rct area = TextArea();
    const std::int32_t shown = step > 0 ? std::max(1, (area.bottom - area.top) / step) : 1;
    const std::int32_t last = std::max(0, itsRows - shown);
    position = std::clamp(position, 0, last);
    if (last == 0) {
        // All of it fits: nothing to scroll, no thumb.
        itsBar->SetRange(0, 0, 0);
    } else {
        // The toolkit's bar counts the lines from 0 to its maximum and moves its thumb, as
        // long as the lines shown, up to the maximum less those lines.
        itsBar->SetRange(0, static_cast<float>(itsRows - 1), 0);
        itsBar->SetThumbSize(static_cast<float>(shown));
    }
    vko_sbar_set_pos(itsBar->GetVKOWindow(), 2, position);
    return position;
}

void ScrollViewWin::SetPaneColors(std::uint32_t background, std::uint32_t text)
{
    itsPane->SetBackground(background);
    itsPane->SetTextColor(text);
    itsPane->SetEnvironment(FRM_CEnvironment(background, text, background, PAT_SOLID, text), 0);
}
