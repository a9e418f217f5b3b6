// csplitter.cpp: split bars (drawing, hit test, exclusive-or tracking), the splitter's panes,
// mouse agent, cursors, adjustment and normalisation, and the fixed splitters.
#include "frm/views/csplitter.h"

#include <algorithm>
#include <type_traits>

#include "frm/views/nscrllbr.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr unsigned long kWhite = 0x0BFFFFFFUL;
constexpr unsigned long kBlack = 0x07000000UL;
constexpr unsigned long kGrey = 0x09808080UL;
constexpr unsigned long kLightGrey = 0x0AC0C0C0UL;
constexpr float kBarSize = 7.0F;
constexpr e_mode kXor = static_cast<e_mode>(2);
const FRM_CPoint kNoPoint(-1, -1);

} // namespace

// ---------------------------------------------------------------------------------------------
// Split bars

FRM_CSplitBar::FRM_CSplitBar(FRM_CWindow* theWindow, const FRM_CRect& theRange, float theAxis,
                             float theSize, unsigned long theHighlight, unsigned long theShadow,
                             unsigned long theFace)
    : itsWindow(theWindow), itsSize(theSize), itsRange(theRange), itsAxis(theAxis),
      itsHighlightColor(theHighlight), itsShadowColor(theShadow), itsFaceColor(theFace)
{
}

FRM_CSplitBar::~FRM_CSplitBar()
{
    // A bar that goes while it is dragged leaves no trap behind.
    if (itIsTracking != 0)
        vko_win_release_pointer();
}

FRM_CEnvironment FRM_CSplitBar::BarEnvironment() const
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    return FRM_CEnvironment(FRM_CEnvironment::kUnsetColor, FRM_CEnvironment::kUnsetColor, kWhite,
                            PAT_SOLID, kBlack, PAT_SOLID, 1,
                            library != nullptr ? library->GetSTDFont()
                                               : FRM_CEnvironment::DefaultFont(),
                            0, 0, 0, kWhite, kBlack, kWhite, kBlack);
}

short FRM_CSplitBar::HitTest(const FRM_CPoint& thePoint) const
{
    return GetSplitBarFrame(-1).IsPointInRect(thePoint) ? 1 : 0;
}

void FRM_CSplitBar::SetAxis(float theAxis, short isRedraw)
{
    if (theAxis == itsAxis)
        return;
    const FRM_CRect before = GetSplitBarFrame(-1);
    itsAxis = theAxis;
    if (isRedraw == 0 || itsWindow == nullptr)
        return;
    FRM_CDrawingContext context(itsWindow, BarEnvironment());
    context.InvalidateRect(before);
    context.InvalidateRect(GetSplitBarFrame(-1));
}

void FRM_CSplitBar::UpdateDraw()
{
    if (itsWindow == nullptr)
        return;
    if (FRM_CSwitchBoard::IsUpdateEvent() == 0) {
        Draw();
        return;
    }
    FRM_CDrawingContext context(itsWindow, BarEnvironment());
    if (context.IsUpdateNeeded(GetSplitBarFrame(-1)) != 0)
        Draw();
}

short FRM_CSplitBar::ShouldDrawIntersection(const FRM_CSplitBar& theOther) const
{
    if (FRM_CSwitchBoard::IsUpdateEvent() == 0 || itsWindow == nullptr)
        return 1;
    FRM_CDrawingContext context(itsWindow, BarEnvironment());
    return context.IsUpdateNeeded(GetSplitBarFrame(-1) - theOther.GetSplitBarFrame(-1));
}

void FRM_CSplitBar::DrawStrip()
{
    if (itsWindow == nullptr)
        return;
    const auto rows = static_cast<int>(itsSize);
    DrawLine(0, itsFaceColor);
    DrawLine(1, itsHighlightColor);
    for (int i = 0; i < rows - 4; ++i)
        DrawLine(static_cast<float>(2 + i), itsFaceColor);
    DrawLine(itsSize - 2, itsShadowColor);
    DrawLine(itsSize - 1, kBlack);
}

void FRM_CSplitBar::DrawIntersection(const FRM_CSplitBar& theOther)
{
    const FRM_CRect overlap = GetSplitBarFrame(-1) - theOther.GetSplitBarFrame(-1);
    if (itsWindow == nullptr || overlap.Width() < itsSize || overlap.Height() < itsSize)
        return;
    FRM_CDrawingContext context(itsWindow, BarEnvironment());
    auto segment = [this, &context](float along0, float across0, float along1, float across1,
                                    unsigned long colour) {
        context.GetEnv().SetPenColor(colour, kBlack);
        context.SetEnv(context.GetEnv());
        context.DrawLine(Place(along0, across0), Place(along1, across1));
    };
    const float first = theOther.itsAxis + 1;
    const float last = theOther.itsAxis + itsSize - 1;
    const float bottom = itsAxis + itsSize - 1;
    for (int i = 0; i < static_cast<int>(itsSize); ++i)
        segment(first, itsAxis + static_cast<float>(i), last, itsAxis + static_cast<float>(i),
                itsFaceColor);
    segment(first, itsAxis, first + 1, itsAxis, itsHighlightColor);
    segment(first + 1, bottom, first, bottom, itsHighlightColor);
    const float shade = theOther.itsAxis + itsSize - 2;
    segment(shade, itsAxis, shade + 1, itsAxis, itsShadowColor);
    segment(shade + 1, bottom, shade, bottom, itsShadowColor);
}

FRM_CRect FRM_CSplitBar::Strip(float theAcross, float theThickness) const
{
    // The range's ends along the bar, whichever way the bar runs.
    const float first = Place(itsRange.Left(), itsRange.Top()).H();
    const float last = Place(itsRange.Right(), itsRange.Bottom()).H();
    return FRM_CRect(Place(first, theAcross), Place(last, theAcross + theThickness));
}

FRM_CRect FRM_CSplitBar::GetSplitBarFrame(float theAxis) const
{
    return Strip(theAxis == -1 ? itsAxis : theAxis, itsSize);
}

void FRM_CSplitBar::DrawLine(float theOffset, unsigned long theColour)
{
    FRM_CDrawingContext context(itsWindow, BarEnvironment());
    context.GetEnv().SetPenColor(theColour, kBlack);
    context.SetEnv(context.GetEnv());
    const FRM_CRect line = Strip(itsAxis + theOffset, 0);
    context.DrawLine(FRM_CPoint(line.Left(), line.Top()), FRM_CPoint(line.Right(), line.Bottom()));
}

void FRM_CSplitBar::BeginTracking(const FRM_CPoint& thePoint)
{
    itIsTracking = 1;
    itsLastPoint = kNoPoint;
    const FRM_CPoint edge = GetAxisEdge(thePoint);
    itsGrabOffset = edge - thePoint;
    if (itsWindow != nullptr)
        vko_win_trap_pointer(itsWindow->GetVKOWindow());
    MoveTracking(edge);
}

void FRM_CSplitBar::MoveTracking(const FRM_CPoint& thePoint)
{
    if (itIsTracking == 0)
        return;
    const bool drawn = !(itsLastPoint == kNoPoint);
    const bool eraseOnly = thePoint == kNoPoint;
    FRM_CPoint position = thePoint;
    if (drawn)
        position += itsGrabOffset;
    position.H(std::max(itsRange.Left(), std::min(position.H(), itsRange.Right() - itsSize)));
    position.V(std::max(itsRange.Top(), std::min(position.V(), itsRange.Bottom() - itsSize)));
    if (position == itsLastPoint && !eraseOnly)
        return;
    if (itsWindow == nullptr)
        return;
    FRM_CDrawingContext context(itsWindow, BarEnvironment());
    FRM_CEnvironment& environment = context.GetEnv();
    environment.SetDrawingMode(kXor);
    environment.SetBrushColor(itsShadowColor, kWhite);
    environment.SetPenColor(itsShadowColor, kBlack);
    context.SetEnv(environment);
    if (drawn)
        context.DrawRect(GetSplitBarFrame(GetAxisFromPoint(itsLastPoint)).GetInflatedRect(-1));
    if (!eraseOnly) {
        itsLastPoint = position;
        context.DrawRect(GetSplitBarFrame(GetAxisFromPoint(position)).GetInflatedRect(-1));
    }
}

float FRM_CSplitBar::EndTracking()
{
    float result = itsAxis;
    if (itIsTracking == 0)
        return result;
    vko_win_release_pointer();
    const FRM_CPoint last = itsLastPoint;
    MoveTracking(kNoPoint);
    if (!(last == kNoPoint))
        result = GetAxisFromPoint(last);
    itIsTracking = 0;
    itsLastPoint = kNoPoint;
    return result;
}

// ---------------------------------------------------------------------------------------------
// The splitter's mouse agent

class FRM_CSplitter::MouseAgent : public FRM_CMouseHandler {
public:
    explicit MouseAgent(FRM_CSplitter* theSplitter) : itsSplitter(theSplitter) {}
    short DoDown(FRM_CPoint& where, short& button, short&, short&) override
    {
        if (button == itsButton)
            itsSplitter->TrackSplitBegin(where);
        return 0;
    }
    short DoUp(FRM_CPoint&, short& button, short&, short&) override
    {
        if (button == itsButton)
            itsSplitter->TrackSplitEnd();
        return 0;
    }
    short DoDouble(FRM_CPoint& where, short& button, short&, short&) override
    {
        if (button == itsButton)
            itsSplitter->TrackSplitDouble(where);
        return 0;
    }
    short DoMove(FRM_CPoint& where, short&, short&, short&) override
    {
        itsSplitter->TrackSplitMove(where);
        return 0;
    }
    short UsesGlobalCoords() const override { return 0; }

private:
    FRM_CSplitter* itsSplitter;
    short itsButton = 0;
};

// ---------------------------------------------------------------------------------------------
// Splitter

FRM_CSplitter::FRM_CSplitter(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                             const std::int16_t (&theCursors)[6])
    : FRM_CSubview(theEnclosure, theRegion)
{
    std::copy(std::begin(theCursors), std::end(theCursors), std::begin(itsCursors));
}

FRM_CSplitter::~FRM_CSplitter()
{
    itsMouseAgent.reset();   // unregisters itself
    itsPanes.clear();
    itsHorBars.clear();
    itsVerBars.clear();
}

void FRM_CSplitter::ISplitter()
{
    itsMouseAgent = std::make_unique<MouseAgent>(this);
    if (FRM_CWindow* window = GetCWindow())
        if (FRM_CMouseManager* manager = window->GetMouseManager())
            manager->RegisterMouseHandler(itsMouseAgent.get(), 0);
}

FRM_CSplitter::CPane* FRM_CSplitter::QueryPane(long theId) const
{
    for (const auto& pane : itsPanes)
        if (pane->GetId() == theId)
            return pane.get();
    return nullptr;
}

std::unique_ptr<FRM_CHorizontalSplitBar>
FRM_CSplitter::ConstructHorSplitBar(const FRM_CRect& theRange, float theAxis) const
{
    return std::make_unique<FRM_CHorizontalSplitBar>(GetCWindow(), theRange, theAxis, kBarSize,
                                                     kWhite, kGrey, kLightGrey);
}

std::unique_ptr<FRM_CVerticalSplitBar>
FRM_CSplitter::ConstructVerSplitBar(const FRM_CRect& theRange, float theAxis) const
{
    return std::make_unique<FRM_CVerticalSplitBar>(GetCWindow(), theRange, theAxis, kBarSize,
                                                   kWhite, kGrey, kLightGrey);
}

short FRM_CSplitter::IsSplitTracking() const
{
    return itsTrackedHorBar != nullptr || itsTrackedVerBar != nullptr ? 1 : 0;
}

FRM_CHorizontalSplitBar* FRM_CSplitter::FindHorSplit(const FRM_CPoint& thePoint) const
{
    for (const auto& bar : itsHorBars)
        if (bar->HitTest(thePoint) != 0)
            return bar.get();
    return nullptr;
}

FRM_CVerticalSplitBar* FRM_CSplitter::FindVerSplit(const FRM_CPoint& thePoint) const
{
    for (const auto& bar : itsVerBars)
        if (bar->HitTest(thePoint) != 0)
            return bar.get();
    return nullptr;
}

void FRM_CSplitter::SetSplitCursor(CursorState theState)
{
    if (theState == itsCursorState)
        return;
    WINDOW window = GetVKOWindow();
    if (itsCursorState == kNoBar)
        itsSavedCursor = vko_win_get_cursor(window);
    vko_win_set_cursor(window, theState == kNoBar ? static_cast<std::int16_t>(itsSavedCursor)
                                                  : itsCursors[theState - 1]);
    itsCursorState = theState;
}

void FRM_CSplitter::TrackSplitBegin(const FRM_CPoint& thePoint)
{
    itsTrackedHorBar = FindHorSplit(thePoint);
    itsTrackedVerBar = FindVerSplit(thePoint);
    if (itsTrackedHorBar == nullptr && itsTrackedVerBar == nullptr)
        return;
    if (itsTrackedHorBar != nullptr && itsTrackedVerBar != nullptr)
        SetSplitCursor(kDraggingCrossing);
    else
        SetSplitCursor(itsTrackedHorBar != nullptr ? kDraggingHorizontal : kDraggingVertical);
    {
        FRM_CDrawingContext context(this);
        context.SetClip(frm_views::MaxRect());
    }
    if (itsTrackedHorBar != nullptr)
        itsTrackedHorBar->BeginTracking(thePoint);
    if (itsTrackedVerBar != nullptr)
        itsTrackedVerBar->BeginTracking(thePoint);
}

void FRM_CSplitter::TrackSplitMove(const FRM_CPoint& thePoint)
{
    if (itsTrackedHorBar != nullptr)
        itsTrackedHorBar->MoveTracking(thePoint);
    if (itsTrackedVerBar != nullptr)
        itsTrackedVerBar->MoveTracking(thePoint);
    if (IsSplitTracking())
        return;
    const bool horizontal = FindHorSplit(thePoint) != nullptr;
    const bool vertical = FindVerSplit(thePoint) != nullptr;
    if (horizontal && vertical)
        SetSplitCursor(kOverCrossing);
    else if (horizontal)
        SetSplitCursor(kOverHorizontal);
    else if (vertical)
        SetSplitCursor(kOverVertical);
    else
        SetSplitCursor(kNoBar);
}

void FRM_CSplitter::TrackSplitEnd()
{
    if (!IsSplitTracking())
        return;
    const float hAxis = itsTrackedHorBar != nullptr ? itsTrackedHorBar->EndTracking() : 0;
    const float vAxis = itsTrackedVerBar != nullptr ? itsTrackedVerBar->EndTracking() : 0;
    SetSplitCursor(kNoBar);
    DoAdjustPanes(itsTrackedHorBar, hAxis, itsTrackedVerBar, vAxis);
    itsTrackedHorBar = nullptr;
    itsTrackedVerBar = nullptr;
}

void FRM_CSplitter::DoAdjustPanes(FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                                  FRM_CVerticalSplitBar* theVBar, float theVAxis)
{
    for (const auto& pane : itsPanes)
        AdjustPane(*pane, theHBar, theHAxis, theVBar, theVAxis);
    OnAdjustPanes(theHBar, theHAxis, theVBar, theVAxis);
    for (const auto& pane : itsPanes)
        pane->ResetAdjusted();
}

void FRM_CSplitter::AdjustPane(CPane& thePane, FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                               FRM_CVerticalSplitBar* theVBar, float theVAxis) const
{
    if (thePane.itIsAdjusted == 0)
        thePane.itsAdjustedFrame = thePane.itsFrame;
    const FRM_CRect global = GetGlobalFrame();
    if (theVBar != nullptr) {
        const FRM_CRect bar = theVBar->GetSplitBarFrame(theVAxis);
        if (theVBar == thePane.itsLeftBar) {
            thePane.itsAdjustedFrame.Left(bar.Right() - global.Left());
            thePane.itIsAdjusted = 1;
        }
        if (theVBar == thePane.itsRightBar) {
            thePane.itsAdjustedFrame.Right(bar.Left() - global.Left());
            thePane.itIsAdjusted = 1;
        }
    }
    if (theHBar != nullptr) {
        const FRM_CRect bar = theHBar->GetSplitBarFrame(theHAxis);
        if (theHBar == thePane.itsTopBar) {
            thePane.itsAdjustedFrame.Top(bar.Bottom() - global.Top());
            thePane.itIsAdjusted = 1;
        }
        if (theHBar == thePane.itsBottomBar) {
            thePane.itsAdjustedFrame.Bottom(bar.Top() - global.Top());
            thePane.itIsAdjusted = 1;
        }
    }
}

void FRM_CSplitter::MoveBars(FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                             FRM_CVerticalSplitBar* theVBar, float theVAxis)
{
    if (theHBar != nullptr)
        theHBar->SetAxis(theHAxis, 1);
    if (theVBar != nullptr)
        theVBar->SetAxis(theVAxis, 1);
    DoNormalizePanes(theHBar, theHAxis, theVBar, theVAxis);
}

void FRM_CSplitter::ApplyPaneFrame(CPane& thePane)
{
    if (FRM_CView* view = thePane.GetView()) {
        const FRM_CRect before = view->GetGlobalFrame();
        view->DoSize(thePane.GetAdjustedFrame());
        FRM_CDrawingContext context(this);
        context.QueueInvalidate(before);
        context.QueueInvalidate(view->GetGlobalFrame());
        context.FlushInvalidate();
    }
    thePane.ApplyAdjustedFrame();
}

void FRM_CSplitter::DoNormalizePanes(FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                                     FRM_CVerticalSplitBar* theVBar, float theVAxis)
{
    // Walk over a snapshot of the bars; pushing a bar only moves it.
    auto normalise = [this](auto& bars, auto* moved, float axis, float gap) {
        if (moved == nullptr || bars.size() < 2)
            return;
        std::size_t k = 0;
        while (k < bars.size() && bars[k].get() != moved)
            ++k;
        if (k == bars.size())
            return;
        auto push = [this](auto* bar, float position) {
            for (const auto& pane : itsPanes) {
                if constexpr (std::is_same_v<decltype(bar), FRM_CHorizontalSplitBar*>)
                    AdjustPane(*pane, bar, position, nullptr, 0);
                else
                    AdjustPane(*pane, nullptr, 0, bar, position);
            }
            bar->SetAxis(position, 1);
        };
        float position = axis;
        for (std::size_t i = k; i-- > 0;) {
            if (bars[i]->GetAxis() > axis) {   // overtaken: pushed above the moved bar
                position -= bars[i]->GetSplitBarSize() + gap;
                push(bars[i].get(), position);
            }
        }
        position = axis;
        for (std::size_t i = k + 1; i < bars.size(); ++i) {
            if (bars[i]->GetAxis() < axis) {   // overtaken: pushed below the moved bar
                position += bars[i]->GetSplitBarSize() + gap;
                push(bars[i].get(), position);
            }
        }
    };
    normalise(
        itsHorBars, theHBar, theHAxis,
        frm_views::VPixelsToLogical(this, static_cast<float>(FRM_NScrollBar::NativeHeight())));
    normalise(itsVerBars, theVBar, theVAxis,
              frm_views::HPixelsToLogical(this, static_cast<float>(FRM_NScrollBar::NativeWidth())));
}

void FRM_CSplitter::DoSize(const FRM_CRect& theFrame)
{
    const FRM_CRect before = GetGlobalFrame();
    FRM_CView::Size(theFrame);
    const FRM_CRect after = GetGlobalFrame();
    const float dLeft = after.Left() - before.Left();
    const float dTop = after.Top() - before.Top();
    const float dRight = after.Right() - before.Right();
    const float dBottom = after.Bottom() - before.Bottom();
    const float dWidth = after.Width() - before.Width();
    const float dHeight = after.Height() - before.Height();
    if (itsPanes.size() == 1) {
        CPane& pane = *itsPanes.front();
        pane.itIsAdjusted = 1;
        pane.itsAdjustedFrame = pane.itsFrame;
        pane.itsAdjustedFrame.Width(pane.itsFrame.Width() + dWidth);
        pane.itsAdjustedFrame.Height(pane.itsFrame.Height() + dHeight);
        OnAdjustPanes(nullptr, 0, nullptr, 0);
        pane.ResetAdjusted();
        return;
    }
    for (const auto& bar : itsHorBars)
        bar->SetRange(after);
    for (const auto& bar : itsVerBars)
        bar->SetRange(after);
    for (const auto& pane : itsPanes) {
        const FRM_CRect frame = pane->itsFrame;
        pane->itsAdjustedFrame = frame;
        if (dLeft != 0) {
            if (!pane->IsLeftBorder())
                pane->itsAdjustedFrame.Left(frame.Left() - dLeft);
            pane->itsAdjustedFrame.Right(frame.Right() - dLeft);
            pane->itIsAdjusted = 1;
        }
        if (dRight != 0 && pane->IsRightBorder()) {
            pane->itsAdjustedFrame.Right(pane->itsAdjustedFrame.Right() + dRight);
            pane->itIsAdjusted = 1;
        }
        if (dTop != 0) {
            if (!pane->IsTopBorder())
                pane->itsAdjustedFrame.Top(frame.Top() - dTop);
            pane->itsAdjustedFrame.Bottom(frame.Bottom() - dTop);
            pane->itIsAdjusted = 1;
        }
        if (dBottom != 0 && pane->IsBottomBorder()) {
            pane->itsAdjustedFrame.Bottom(pane->itsAdjustedFrame.Bottom() + dBottom);
            pane->itIsAdjusted = 1;
        }
    }
    FRM_CHorizontalSplitBar* hBar = nullptr;
    FRM_CVerticalSplitBar* vBar = nullptr;
    if (!itsHorBars.empty() && (dHeight != 0 || itsVerBars.empty()))
        hBar = itsHorBars.back().get();
    if (!itsVerBars.empty() && (dWidth != 0 || itsHorBars.empty()))
        vBar = itsVerBars.back().get();
    OnAdjustPanes(hBar, hBar != nullptr ? hBar->GetAxis() : 0, vBar,
                  vBar != nullptr ? vBar->GetAxis() : 0);
    for (const auto& pane : itsPanes)
        pane->ResetAdjusted();
}

void FRM_CSplitter::DoDraw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    FRM_CSubview::DoDraw(theClip);
    for (const auto& bar : itsHorBars)
        bar->UpdateDraw();
    for (const auto& bar : itsVerBars)
        bar->UpdateDraw();
    for (const auto& vertical : itsVerBars)
        for (const auto& horizontal : itsHorBars)
            if (vertical->ShouldDrawIntersection(*horizontal) != 0) {
                vertical->DrawIntersection(*horizontal);
                horizontal->DrawIntersection(*vertical);
            }
}

// ---------------------------------------------------------------------------------------------
// Fixed splitters

namespace {

const std::int16_t kNoCursors[6] = {};

} // namespace

FRM_CFixedSplitter::FRM_CFixedSplitter(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                                       int thePaneCount, Direction theDirection,
                                       std::int16_t theOverCursor, std::int16_t theDragCursor)
    : FRM_CSplitter(theEnclosure, theRegion, kNoCursors), itsPaneCount(std::max(thePaneCount, 1)),
      itsDirection(theDirection)
{
    // Panes side by side are divided by vertical bars (cursor states 3 and 4), stacked panes
    // by horizontal ones (states 1 and 2).
    const bool sideBySide = itsDirection == Direction::kSideBySide;
    std::int16_t cursors[6] = {};
    cursors[sideBySide ? kOverVertical - 1 : kOverHorizontal - 1] = theOverCursor;
    cursors[sideBySide ? kDraggingVertical - 1 : kDraggingHorizontal - 1] = theDragCursor;
    SetCursorIds(cursors);
    itsBarSize = sideBySide ? ConstructVerSplitBar(GetGlobalFrame(), 0)->GetSplitBarSize()
                            : ConstructHorSplitBar(GetGlobalFrame(), 0)->GetSplitBarSize();
}

FRM_CSplitter::CPane* FRM_CFixedSplitter::AppendFixedPane(long theId, FRM_CView* theView,
                                                          const FRM_CRect& theMinimum,
                                                          const FRM_CRect& theMaximum)
{
    auto pane = std::make_unique<CFixedPane>();
    pane->itsId = theId;
    pane->itsView = theView;
    pane->itsFrame = theView != nullptr ? theView->GetFrame() : FRM_CRect();
    pane->itsMinFrame = theMinimum;
    pane->itsMaxFrame = theMaximum;
    itsPanes.push_back(std::move(pane));
    return itsPanes.back().get();
}

void FRM_CFixedSplitter::OnAdjustPanes(FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                                       FRM_CVerticalSplitBar* theVBar, float theVAxis)
{
    MoveBars(theHBar, theHAxis, theVBar, theVAxis);
    for (const auto& pane : itsPanes)
        if (pane->IsAdjusted() != 0 && pane->GetView() != nullptr)
            ApplyPaneFrame(*pane);
}

void FRM_CFixedSplitter::AppendPaneAfterBar(long theId, FRM_CView* theView,
                                            const FRM_CRect& theMinimum,
                                            const FRM_CRect& theMaximum)
{
    const std::size_t before = itsPanes.size();
    CPane* pane = AppendFixedPane(theId, theView, theMinimum, theMaximum);
    if (before == 0)
        return;
    CPane* previous = itsPanes[before - 1].get();
    // The bar starts where the previous pane's view ends (the splitter's edge without one).
    const FRM_CRect range = GetGlobalFrame();
    const FRM_CRect ended = previous->GetView() != nullptr
                                ? previous->GetView()->GetGlobalFrame()
                                : FRM_CRect(range.Left(), range.Top(), range.Left(), range.Top());
    if (itsDirection == Direction::kSideBySide) {
        itsVerBars.push_back(ConstructVerSplitBar(range, ended.Right()));
        pane->itsLeftBar = itsVerBars.back().get();
        previous->itsRightBar = itsVerBars.back().get();
    } else {
        itsHorBars.push_back(ConstructHorSplitBar(range, ended.Bottom()));
        pane->itsTopBar = itsHorBars.back().get();
        previous->itsBottomBar = itsHorBars.back().get();
    }
}

FRM_CRect FRM_CFixedSplitter::EvenPaneFrame(int theIndex) const
{
    const FRM_CRect local = GetLocalFrame();
    const bool sideBySide = itsDirection == Direction::kSideBySide;
    const auto count = static_cast<float>(itsPaneCount);
    const float length = sideBySide ? local.Width() : local.Height();
    const float share = (length - (count - 1) * itsBarSize) / count;
    const float start = static_cast<float>(theIndex) * (share + itsBarSize);
    return sideBySide ? FRM_CRect(start, local.Top(), start + share, local.Bottom())
                      : FRM_CRect(local.Left(), start, local.Right(), start + share);
}

FRM_CHorizontalFixedSplitter::FRM_CHorizontalFixedSplitter(FRM_CSubview* theEnclosure,
                                                           const FRM_CRect& theRegion,
                                                           int thePaneCount,
                                                           std::int16_t theOverCursor,
                                                           std::int16_t theDragCursor)
    : FRM_CFixedSplitter(theEnclosure, theRegion, thePaneCount, Direction::kSideBySide,
                         theOverCursor, theDragCursor)
{
}

FRM_CRect FRM_CHorizontalFixedSplitter::GetPaneCreationSize(int theIndex) const
{
    return EvenPaneFrame(theIndex);
}

void FRM_CHorizontalFixedSplitter::IFixedPane(long theId, FRM_CView* theView,
                                              const FRM_CRect& theMinimum,
                                              const FRM_CRect& theMaximum)
{
    AppendPaneAfterBar(theId, theView, theMinimum, theMaximum);
}

FRM_CVerticalFixedSplitter::FRM_CVerticalFixedSplitter(FRM_CSubview* theEnclosure,
                                                       const FRM_CRect& theRegion,
                                                       int thePaneCount,
                                                       std::int16_t theOverCursor,
                                                       std::int16_t theDragCursor)
    : FRM_CFixedSplitter(theEnclosure, theRegion, thePaneCount, Direction::kStacked,
                         theOverCursor, theDragCursor)
{
}

FRM_CRect FRM_CVerticalFixedSplitter::GetPaneCreationSize(int theIndex) const
{
    return EvenPaneFrame(theIndex);
}

void FRM_CVerticalFixedSplitter::IFixedPane(long theId, FRM_CView* theView,
                                            const FRM_CRect& theMinimum,
                                            const FRM_CRect& theMaximum)
{
    AppendPaneAfterBar(theId, theView, theMinimum, theMaximum);
}
