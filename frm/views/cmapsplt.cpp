// cmapsplt.cpp: the mapped splitter's split boxes, its rows and columns made and removed at
// run time, and the scroll bars its rows and columns share.
#include "frm/views/cmapsplt.h"

#include <algorithm>

#include "frm/views/nscrllbr.h"
#include "frm/core/cunits.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/viewsvc.h"

namespace {

// Plain pointers to the owned entries: a list to walk while the owned one changes.
template <class T> std::vector<T*> Snapshot(const std::vector<std::unique_ptr<T>>& theOwned)
{
    std::vector<T*> entries;
    for (const auto& entry : theOwned)
        entries.push_back(entry.get());
    return entries;
}

template <class T> void EraseOwned(std::vector<std::unique_ptr<T>>& theOwned, const T* theEntry)
{
    theOwned.erase(std::find_if(theOwned.begin(), theOwned.end(),
                                [theEntry](const auto& owned) { return owned.get() == theEntry; }));
}

} // namespace

FRM_CMappedSplitter::FRM_CMappedSplitter(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                                         SplitBehavior theHorBehavior,
                                         SplitBehavior theVerBehavior,
                                         const std::int16_t (&theCursors)[6],
                                         short hasHorScrollBars, short hasVerScrollBars,
                                         float theBoxSize, const unsigned long (&theBoxColours)[4])
    : FRM_CSplitter(theEnclosure, theRegion, theCursors), itsHorBehavior(theHorBehavior),
      itsVerBehavior(theVerBehavior), itsBoxSize(theBoxSize),
      itHasHorScrollBars(hasHorScrollBars), itHasVerScrollBars(hasVerScrollBars)
{
    std::copy(std::begin(theBoxColours), std::end(theBoxColours), std::begin(itsBoxColours));
}

// The scroll bars are subviews: the subview's destructor deletes them.
FRM_CMappedSplitter::~FRM_CMappedSplitter()
{
    itsTracker.reset();
}

float FRM_CMappedSplitter::ScrollBarHeight() const
{
    return frm_views::VPixelsToLogical(this, static_cast<float>(FRM_NScrollBar::NativeHeight()));
}

float FRM_CMappedSplitter::ScrollBarWidth() const
{
    return frm_views::HPixelsToLogical(this, static_cast<float>(FRM_NScrollBar::NativeWidth()));
}

// ---------------------------------------------------------------------------------------------
// Set-up, panes and scroll bars

void FRM_CMappedSplitter::IMappedSplitter()
{
    ISplitter();
    ISplitBoxes();
    itsColumns = 1;
    itsRows = 1;
    const FRM_CRect local = GetLocalFrame();
    const FRM_CRect frame = AdjustClientFrame(local, itHasHorScrollBars, itHasVerScrollBars);
    FRM_NScrollBar* horizontal =
        itHasHorScrollBars ? CreateHorScrollBar(local, itHasVerScrollBars) : nullptr;
    FRM_NScrollBar* vertical =
        itHasVerScrollBars ? CreateVerScrollBar(local, itHasHorScrollBars) : nullptr;
    DoCommand(kPaneCreated, CreateMappedPane(frame, horizontal, vertical));
}

void FRM_CMappedSplitter::IMappedPane(CMappedPane* thePane, long theId, FRM_CView* theView)
{
    if (thePane == nullptr)
        return;
    thePane->itsId = theId;
    thePane->itsView = theView;
    if (theView == nullptr)
        return;
    if (thePane->itsHorScrollBar != nullptr)
        thePane->itsHorScrollBar->InsertOwner(theView);
    if (thePane->itsVerScrollBar != nullptr)
        thePane->itsVerScrollBar->InsertOwner(theView);
}

void FRM_CMappedSplitter::ISplitBoxes()
{
    itIsHorBoxShown =
        (itsHorBehavior == kOneSplit && itsHorBars.empty()) || itsHorBehavior == kAnySplits;
    itIsVerBoxShown =
        (itsVerBehavior == kOneSplit && itsVerBars.empty()) || itsVerBehavior == kAnySplits;
    const FRM_CRect global = GetGlobalFrame();
    itsHorBox = FRM_CRect();
    itsVerBox = FRM_CRect();
    if (itIsHorBoxShown)
        itsHorBox = FRM_CRect(global.Right() - ScrollBarWidth(), global.Top(), global.Right(),
                              global.Top() + itsBoxSize);
    if (itIsVerBoxShown)
        itsVerBox = FRM_CRect(global.Left(), global.Bottom() - ScrollBarHeight(),
                              global.Left() + itsBoxSize, global.Bottom());
}

FRM_CRect FRM_CMappedSplitter::AdjustClientFrame(const FRM_CRect& theFrame, short horizontal,
                                                 short vertical) const
{
    FRM_CRect frame = theFrame;
    if (horizontal)
        frame.Bottom(frame.Bottom() - ScrollBarHeight());
    if (vertical)
        frame.Right(frame.Right() - ScrollBarWidth());
    return frame;
}

FRM_CMappedSplitter::CMappedPane* FRM_CMappedSplitter::CreateMappedPane(const FRM_CRect& theFrame,
                                                                       FRM_NScrollBar* theHorBar,
                                                                       FRM_NScrollBar* theVerBar)
{
    auto pane = std::make_unique<CMappedPane>();
    pane->itsFrame = theFrame;
    pane->itsHorScrollBar = theHorBar;
    pane->itsVerScrollBar = theVerBar;
    itsPanes.insert(itsPanes.begin(), std::move(pane));
    return static_cast<CMappedPane*>(itsPanes.front().get());
}

void FRM_CMappedSplitter::DestroyMappedPane(CMappedPane* thePane)
{
    DoCommand(kPaneDestroying, thePane);
    auto it = std::find_if(itsPanes.begin(), itsPanes.end(),
                           [thePane](const auto& pane) { return pane.get() == thePane; });
    if (it == itsPanes.end())
        return;
    std::unique_ptr<CPane> owned = std::move(*it);
    itsPanes.erase(it);
    FRM_CView* view = thePane->itsView;
    if (view != nullptr) {
        if (thePane->itsHorScrollBar != nullptr)
            thePane->itsHorScrollBar->RemoveOwner(view);
        if (thePane->itsVerScrollBar != nullptr)
            thePane->itsVerScrollBar->RemoveOwner(view);
        delete view;
    }
}

FRM_NScrollBar* FRM_CMappedSplitter::ConstructScrollBar(const FRM_CRect& theFrame, bool horizontal)
{
    return new FRM_NScrollBar(this, theFrame, horizontal ? HORIZONTAL : VERTICAL, 0);
}

FRM_NScrollBar* FRM_CMappedSplitter::CreateHorScrollBar(const FRM_CRect& theFrame,
                                                        short verticalToo)
{
    FRM_CRect frame = theFrame;
    frame.Top(frame.Bottom() - ScrollBarHeight());
    if (verticalToo)
        frame.Right(frame.Right() - ScrollBarWidth());
    if (itIsVerBoxShown)
        frame.Left(frame.Left() + itsBoxSize);
    FRM_NScrollBar* bar = ConstructScrollBar(frame, true);
    itsHorScrollBars.insert(itsHorScrollBars.begin(), bar);
    return bar;
}

FRM_NScrollBar* FRM_CMappedSplitter::CreateVerScrollBar(const FRM_CRect& theFrame,
                                                        short horizontalToo)
{
    FRM_CRect frame = theFrame;
    frame.Left(frame.Right() - ScrollBarWidth());
    if (horizontalToo)
        frame.Bottom(frame.Bottom() - ScrollBarHeight());
    if (itIsHorBoxShown)
        frame.Top(frame.Top() + itsBoxSize);
    FRM_NScrollBar* bar = ConstructScrollBar(frame, false);
    itsVerScrollBars.insert(itsVerScrollBars.begin(), bar);
    return bar;
}

void FRM_CMappedSplitter::DropScrollBar(std::vector<FRM_NScrollBar*>& theList,
                                        FRM_NScrollBar* theBar)
{
    theList.erase(std::remove(theList.begin(), theList.end(), theBar), theList.end());
}

// ---------------------------------------------------------------------------------------------
// Split boxes

void FRM_CMappedSplitter::DoDraw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    FRM_CSplitter::DoDraw(theClip);
    DrawHorSplitBox();
    DrawVerSplitBox();
}

void FRM_CMappedSplitter::DrawSplitBox(const FRM_CRect& theBox)
{
    FRM_CEnvironment environment(*GetEnvironment());
    environment.SetBrushColor(itsBoxColours[2], 0x0BFFFFFFUL);
    FRM_CDrawingContext context(this, environment);
    context.DrawRect(theBox, 0, 0);
    context.DrawOutsetFrame(theBox, 1, itsBoxColours[2], itsBoxColours[0]);
    context.DrawOutsetFrame(theBox.GetInflatedRect(-1), 1, itsBoxColours[1], itsBoxColours[3]);
}

void FRM_CMappedSplitter::DrawHorSplitBox()
{
    if (itIsHorBoxShown)
        DrawSplitBox(itsHorBox);
}

void FRM_CMappedSplitter::DrawVerSplitBox()
{
    if (itIsVerBoxShown)
        DrawSplitBox(itsVerBox);
}

short FRM_CMappedSplitter::HorSplitBoxHitTest(const FRM_CPoint& thePoint) const
{
    return itIsHorBoxShown && itsHorBox.IsPointInRect(thePoint) ? 1 : 0;
}

short FRM_CMappedSplitter::VerSplitBoxHitTest(const FRM_CPoint& thePoint) const
{
    return itIsVerBoxShown && itsVerBox.IsPointInRect(thePoint) ? 1 : 0;
}

short FRM_CMappedSplitter::TrackBoxBegin(const FRM_CPoint& thePoint)
{
    if (IsBoxTracking())
        return 1;
    if (HorSplitBoxHitTest(thePoint)) {
        itsBoxTracking = kHorBox;
        itsTracker = ConstructHorSplitBar(GetGlobalFrame(), thePoint.V());
        itsTracker->BeginTracking(thePoint);
        SetSplitCursor(kDraggingHorizontal);
        return 1;
    }
    if (VerSplitBoxHitTest(thePoint)) {
        itsBoxTracking = kVerBox;
        itsTracker = ConstructVerSplitBar(GetGlobalFrame(), thePoint.H());
        itsTracker->BeginTracking(thePoint);
        SetSplitCursor(kDraggingVertical);
        return 1;
    }
    return 0;
}

short FRM_CMappedSplitter::TrackBoxMove(const FRM_CPoint& thePoint)
{
    if (IsBoxTracking()) {
        itsTracker->MoveTracking(thePoint);
        return 1;
    }
    if (HorSplitBoxHitTest(thePoint)) {
        SetSplitCursor(kOverHorizontal);
        return 1;
    }
    if (VerSplitBoxHitTest(thePoint)) {
        SetSplitCursor(kOverVertical);
        return 1;
    }
    return 0;
}

short FRM_CMappedSplitter::TrackBoxEnd(const FRM_CPoint&)
{
    if (!IsBoxTracking())
        return 0;
    SetSplitCursor(kNoBar);
    const float axis = itsTracker->EndTracking();
    const SplitBoxTracking tracking = itsBoxTracking;
    itsTracker.reset();
    itsBoxTracking = kNoBoxTracking;
    DoSplitMappedPane(axis, tracking);
    return 1;
}

short FRM_CMappedSplitter::TrackAutoSplit(const FRM_CPoint& thePoint)
{
    if (HorSplitBoxHitTest(thePoint)) {
        SplitHorizontal();
        return 1;
    }
    if (VerSplitBoxHitTest(thePoint)) {
        SplitVertical();
        return 1;
    }
    FRM_CHorizontalSplitBar* horizontal = FindHorSplit(thePoint);
    FRM_CVerticalSplitBar* vertical = FindVerSplit(thePoint);
    if (horizontal == nullptr && vertical == nullptr)
        return 0;
    // Onto the top or left edge: the bar goes with the row or column above (left of) it.
    DoAdjustPanes(horizontal, 0, vertical, 0);
    return 1;
}

void FRM_CMappedSplitter::TrackSplitBegin(const FRM_CPoint& thePoint)
{
    if (!TrackBoxBegin(thePoint))
        FRM_CSplitter::TrackSplitBegin(thePoint);
}

void FRM_CMappedSplitter::TrackSplitMove(const FRM_CPoint& thePoint)
{
    if (!TrackBoxMove(thePoint))
        FRM_CSplitter::TrackSplitMove(thePoint);
}

void FRM_CMappedSplitter::TrackSplitEnd()
{
    if (!TrackBoxEnd(FRM_CPoint()))
        FRM_CSplitter::TrackSplitEnd();
}

void FRM_CMappedSplitter::TrackSplitDouble(const FRM_CPoint& thePoint)
{
    TrackAutoSplit(thePoint);
}

// The middle of the top row (left column), measured from the splitter's own edge.
void FRM_CMappedSplitter::SplitHorizontal()
{
    if (!itIsHorBoxShown)
        return;
    const FRM_CRect global = GetGlobalFrame();
    const float span =
        itsHorBars.empty() ? global.Height() : itsHorBars.front()->GetAxis() - global.Top();
    DoSplitMappedPane(span / 2 + global.Top(), kHorBox);
}

void FRM_CMappedSplitter::SplitVertical()
{
    if (!itIsVerBoxShown)
        return;
    const FRM_CRect global = GetGlobalFrame();
    const float span =
        itsVerBars.empty() ? global.Width() : itsVerBars.front()->GetAxis() - global.Left();
    DoSplitMappedPane(span / 2 + global.Left(), kVerBox);
}

short FRM_CMappedSplitter::IsMinHorLocation(float theAxis) const
{
    return theAxis < GetGlobalFrame().Top() + ScrollBarHeight() ? 1 : 0;
}

short FRM_CMappedSplitter::IsMaxHorLocation(float theAxis) const
{
    const float margin = ScrollBarHeight() * (itHasVerScrollBars ? 2 : 1);
    return theAxis > GetGlobalFrame().Bottom() - margin ? 1 : 0;
}

short FRM_CMappedSplitter::IsMinVerLocation(float theAxis) const
{
    const float height =
        frm_views::HPixelsToLogical(this, static_cast<float>(FRM_NScrollBar::NativeHeight()));
    return theAxis < GetGlobalFrame().Left() + height ? 1 : 0;
}

short FRM_CMappedSplitter::IsMaxVerLocation(float theAxis) const
{
    const float height =
        frm_views::HPixelsToLogical(this, static_cast<float>(FRM_NScrollBar::NativeHeight()));
    const float margin = height * (itHasHorScrollBars ? 2 : 1);
    return theAxis > GetGlobalFrame().Right() - margin ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// Splitting

void FRM_CMappedSplitter::DoSplitMappedPane(float theAxis, SplitBoxTracking theTracking)
{
    if (theTracking == kHorBox)
        SplitIntoRow(theAxis);
    else if (theTracking == kVerBox)
        SplitIntoColumn(theAxis);
}

// A new row on top, above a new bar at theAxis; the old top row moves below the bar.
void FRM_CMappedSplitter::SplitIntoRow(float theAxis)
{
    if (IsMinHorLocation(theAxis) || IsMaxHorLocation(theAxis))
        return;
    const FRM_CRect global = GetGlobalFrame();
    itsHorBars.insert(itsHorBars.begin(), ConstructHorSplitBar(global, theAxis));
    FRM_CHorizontalSplitBar* bar = itsHorBars.front().get();
    FRM_CUnits::SetGlobalUnits(GetUnits());
    frm_views::InvalidateWindow(GetVKOWindow(), bar->GetSplitBarFrame(-1));
    for (const auto& pane : itsPanes)
        if (pane->itsTopBar == nullptr)
            pane->itsTopBar = bar;
    DoAdjustPanes(bar, theAxis, nullptr, 0);
    ISplitBoxes();
    ++itsRows;
    const FRM_CPoint origin(global.Left(), global.Top());
    const float barTop = bar->GetSplitBarFrame(-1).Top();
    FRM_NScrollBar* vertical = nullptr;
    if (itHasVerScrollBars) {
        FRM_CRect strip = global;
        strip.Bottom(barTop);
        vertical = CreateVerScrollBar(strip - origin, 0);
    }
    for (std::size_t c = 0; c < itsColumns; ++c) {
        FRM_NScrollBar* horizontal =
            itHasHorScrollBars && c < itsHorScrollBars.size() ? itsHorScrollBars[c] : nullptr;
        FRM_CRect frame = global;
        frame.Bottom(barTop);
        if (c > 0 && c - 1 < itsVerBars.size())
            frame.Left(itsVerBars[c - 1]->GetSplitBarFrame(-1).Right());
        if (c < itsVerBars.size())
            frame.Right(itsVerBars[c]->GetSplitBarFrame(-1).Left());
        if (itHasVerScrollBars && c + 1 == itsColumns)
            frame = AdjustClientFrame(frame, 0, 1);
        CMappedPane* pane = CreateMappedPane(frame - origin, horizontal, vertical);
        pane->itsBottomBar = bar;
        pane->itsLeftBar = c > 0 && c - 1 < itsVerBars.size() ? itsVerBars[c - 1].get() : nullptr;
        pane->itsRightBar = c < itsVerBars.size() ? itsVerBars[c].get() : nullptr;
        DoCommand(kPaneCreated, pane);
    }
}

// A new column on the left of a new bar at theAxis; the old left column moves right of it.
void FRM_CMappedSplitter::SplitIntoColumn(float theAxis)
{
    if (IsMinVerLocation(theAxis) || IsMaxVerLocation(theAxis))
        return;
    const FRM_CRect global = GetGlobalFrame();
    itsVerBars.insert(itsVerBars.begin(), ConstructVerSplitBar(global, theAxis));
    FRM_CVerticalSplitBar* bar = itsVerBars.front().get();
    FRM_CUnits::SetGlobalUnits(GetUnits());
    frm_views::InvalidateWindow(GetVKOWindow(), bar->GetSplitBarFrame(-1));
    for (const auto& pane : itsPanes)
        if (pane->itsLeftBar == nullptr)
            pane->itsLeftBar = bar;
    DoAdjustPanes(nullptr, 0, bar, theAxis);
    ISplitBoxes();
    ++itsColumns;
    const FRM_CPoint origin(global.Left(), global.Top());
    const float barLeft = bar->GetSplitBarFrame(-1).Left();
    FRM_NScrollBar* horizontal = nullptr;
    if (itHasHorScrollBars) {
        FRM_CRect strip = global;
        strip.Right(barLeft);
        horizontal = CreateHorScrollBar(strip - origin, 0);
    }
    for (std::size_t r = 0; r < itsRows; ++r) {
        FRM_NScrollBar* vertical =
            itHasVerScrollBars && r < itsVerScrollBars.size() ? itsVerScrollBars[r] : nullptr;
        FRM_CRect frame = global;
        frame.Right(barLeft);
        if (r > 0 && r - 1 < itsHorBars.size())
            frame.Top(itsHorBars[r - 1]->GetSplitBarFrame(-1).Bottom());
        if (r < itsHorBars.size())
            frame.Bottom(itsHorBars[r]->GetSplitBarFrame(-1).Top());
        if (itHasHorScrollBars && r + 1 == itsRows)
            frame = AdjustClientFrame(frame, 1, 0);
        CMappedPane* pane = CreateMappedPane(frame - origin, horizontal, vertical);
        pane->itsRightBar = bar;
        pane->itsTopBar = r > 0 && r - 1 < itsHorBars.size() ? itsHorBars[r - 1].get() : nullptr;
        pane->itsBottomBar = r < itsHorBars.size() ? itsHorBars[r].get() : nullptr;
        DoCommand(kPaneCreated, pane);
    }
}

// ---------------------------------------------------------------------------------------------
// Moving and removing bars

void FRM_CMappedSplitter::OnAdjustPanes(FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                                        FRM_CVerticalSplitBar* theVBar, float theVAxis)
{
    MoveBars(theHBar, theHAxis, theVBar, theVAxis);
    RemoveEdgeHorBars(theHBar);
    RemoveEdgeVerBars(theVBar);
    ISplitBoxes();
    for (const auto& entry : itsPanes) {
        auto& pane = static_cast<CMappedPane&>(*entry);
        if (pane.IsAdjusted() == 0)
            continue;
        FitScrollBars(pane);
        ApplyPaneFrame(pane);
    }
}

// Walks copies of the bar and pane lists: removing a pane or a bar while walking the lists
// themselves would skip the entry after it and leave panes pointing at deleted bars.
void FRM_CMappedSplitter::RemoveEdgeHorBars(FRM_CHorizontalSplitBar*& theMoved)
{
    for (FRM_CHorizontalSplitBar* bar : Snapshot(itsHorBars)) {
        const bool atMin = IsMinHorLocation(bar->GetAxis()) != 0;
        const bool atMax = !atMin && IsMaxHorLocation(bar->GetAxis()) != 0;
        if (!atMin && !atMax)
            continue;
        std::vector<FRM_NScrollBar*> doomed;
        for (CPane* entry : Snapshot(itsPanes)) {
            auto* pane = static_cast<CMappedPane*>(entry);
            if ((atMin && pane->itsBottomBar == bar) || (atMax && pane->itsTopBar == bar)) {
                if (pane->IsRightBorder() && pane->itsVerScrollBar != nullptr) {
                    DropScrollBar(itsVerScrollBars, pane->itsVerScrollBar);
                    doomed.push_back(pane->itsVerScrollBar);
                }
                DestroyMappedPane(pane);
            } else if (atMin && pane->itsTopBar == bar) {
                pane->itsTopBar = nullptr;
                pane->itsAdjustedFrame.Top(0);
                pane->itIsAdjusted = 1;
            } else if (atMax && pane->itsBottomBar == bar) {
                pane->itsBottomBar = nullptr;
                pane->itsAdjustedFrame.Bottom(GetLocalFrame().Bottom());
                pane->itsAdjustedFrame =
                    AdjustClientFrame(pane->itsAdjustedFrame, itHasHorScrollBars, 0);
                pane->itIsAdjusted = 1;
            }
        }
        for (FRM_NScrollBar* scrollBar : doomed)
            delete scrollBar;
        if (bar == theMoved)
            theMoved = nullptr;
        EraseOwned(itsHorBars, bar);
        --itsRows;
    }
}

void FRM_CMappedSplitter::RemoveEdgeVerBars(FRM_CVerticalSplitBar*& theMoved)
{
    for (FRM_CVerticalSplitBar* bar : Snapshot(itsVerBars)) {
        const bool atMin = IsMinVerLocation(bar->GetAxis()) != 0;
        const bool atMax = !atMin && IsMaxVerLocation(bar->GetAxis()) != 0;
        if (!atMin && !atMax)
            continue;
        std::vector<FRM_NScrollBar*> doomed;
        for (CPane* entry : Snapshot(itsPanes)) {
            auto* pane = static_cast<CMappedPane*>(entry);
            if ((atMin && pane->itsRightBar == bar) || (atMax && pane->itsLeftBar == bar)) {
                if (pane->IsBottomBorder() && pane->itsHorScrollBar != nullptr) {
                    DropScrollBar(itsHorScrollBars, pane->itsHorScrollBar);
                    doomed.push_back(pane->itsHorScrollBar);
                }
                DestroyMappedPane(pane);
            } else if (atMin && pane->itsLeftBar == bar) {
                pane->itsLeftBar = nullptr;
                pane->itsAdjustedFrame.Left(0);
                pane->itIsAdjusted = 1;
            } else if (atMax && pane->itsRightBar == bar) {
                pane->itsRightBar = nullptr;
                pane->itsAdjustedFrame.Right(GetLocalFrame().Right());
                pane->itsAdjustedFrame =
                    AdjustClientFrame(pane->itsAdjustedFrame, 0, itHasVerScrollBars);
                pane->itIsAdjusted = 1;
            }
        }
        for (FRM_NScrollBar* scrollBar : doomed)
            delete scrollBar;
        if (bar == theMoved)
            theMoved = nullptr;
        EraseOwned(itsVerBars, bar);
        --itsColumns;
    }
}

// The scroll bars along the bottom and right edges follow the pane they end at.
void FRM_CMappedSplitter::FitScrollBars(CMappedPane& thePane)
{
    const FRM_CRect adjusted = thePane.GetAdjustedFrame();
    if (thePane.itsHorScrollBar != nullptr && thePane.IsBottomBorder()) {
        const float height = thePane.itsHorScrollBar->GetFrame().Height();
        FRM_CRect frame(adjusted.Left(), adjusted.Bottom(), adjusted.Right(),
                        adjusted.Bottom() + height);
        if (thePane.IsLeftBorder() && itIsVerBoxShown)
            frame.Left(frame.Left() + itsBoxSize);
        thePane.itsHorScrollBar->DoSize(frame);
    }
    if (thePane.itsVerScrollBar != nullptr && thePane.IsRightBorder()) {
        const float width = thePane.itsVerScrollBar->GetFrame().Width();
        FRM_CRect frame(adjusted.Right(), adjusted.Top(), adjusted.Right() + width,
                        adjusted.Bottom());
        if (thePane.IsTopBorder() && itIsHorBoxShown)
            frame.Top(frame.Top() + itsBoxSize);
        thePane.itsVerScrollBar->DoSize(frame);
    }
}
