// cscrollr.cpp: the scroller's bars, scroll arithmetic, pixel blits and deferred redraws.
#include "frm/views/cscrollr.h"

#include <algorithm>
#include <cmath>

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/ordered.h"

namespace {

constexpr char kModule[] = "cscrollr";
constexpr unsigned long kAllSides = 0xFFFFFFFFUL;
constexpr unsigned long kBarGlue = 0xFF000000UL;
constexpr long kHiddenBarAttribute = 16;
constexpr std::int32_t kAttrDefaultBackground = 100;

RWOrdered& UpdateList()
{
    static RWOrdered list;
    return list;
}

FRM_CView* CurrentUpdateView()
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    return library != nullptr ? library->GetUpdateView() : nullptr;
}

void SetCurrentUpdateView(FRM_CView* theView)
{
    if (FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG())
        library->SetUpdateView(theView);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CScroller::FRM_CScroller(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                             float theVirtualWidth, float theVirtualHeight)
    : FRM_CVirtualFrame(theEnclosure, theRegion, theVirtualWidth, theVirtualHeight)
{
}

FRM_CScroller::FRM_CScroller(FRM_CWindow* theWindow, float theVirtualWidth, float theVirtualHeight)
    : FRM_CVirtualFrame(theWindow, theWindow->GetLocalFrame(), theVirtualWidth, theVirtualHeight)
{
    itsHScrollBar = theWindow->GetHScrollBar();
    itsVScrollBar = theWindow->GetVScrollBar();
    if (itsHScrollBar != nullptr)
        itsHScrollBar->SetOwner(this);
    if (itsVScrollBar != nullptr)
        itsVScrollBar->SetOwner(this);
    itUsesWinScrollBars = 1;
    SetGlue(kAllSides);
    AdjustScrollBars();
}

FRM_CScroller::FRM_CScroller(const FRM_CScroller& other)
    : FRM_CVirtualFrame(other), itUsesWinScrollBars(other.itUsesWinScrollBars),
      itIsThumbtracking(other.itIsThumbtracking)
{
    AdjustScrollBars();
}

// Hand-written: the bars are let go (own ones deleted) and the copy starts without bars.
FRM_CScroller& FRM_CScroller::operator=(const FRM_CScroller& other)
{
    if (this == &other)
        return *this;
    LetGoOfBars();
    itUsesWinScrollBars = 0;
    itIsThumbtracking = other.itIsThumbtracking;
    itsIntViewOrigin.reset();
    FRM_CVirtualFrame::operator=(other);
    return *this;
}

FRM_CScroller::~FRM_CScroller()
{
    LetGoOfBars();
    UpdateList().removeReference(this);
}

void FRM_CScroller::LetGoOfBars()
{
    if (itUsesWinScrollBars != 0) {
        // A window's bars outlive the scroller: they must not call it any more.
        if (FRM_NScrollBar* bar = GetHScrollBar())
            bar->RemoveOwner(this);
        if (FRM_NScrollBar* bar = GetVScrollBar())
            bar->RemoveOwner(this);
    } else {
        delete GetHScrollBar();
        delete GetVScrollBar();
    }
    itsHScrollBar = nullptr;
    itsVScrollBar = nullptr;
}

FRM_CRect FRM_CScroller::VBarFrame(const FRM_CRect& theInner) const
{
    const float width = frm_views::HPixelsToLogical(this, FRM_NScrollBar::NativeWidth());
    return FRM_CRect(theInner.Width(), 0, theInner.Width() + width, theInner.Height());
}

FRM_CRect FRM_CScroller::HBarFrame(const FRM_CRect& theInner) const
{
    const float height = frm_views::VPixelsToLogical(this, FRM_NScrollBar::NativeHeight());
    return FRM_CRect(0, theInner.Height(), theInner.Width(), theInner.Height() + height);
}

void FRM_CScroller::SetUpBar(FRM_NScrollBar*& theBar, short isWanted, DIRECTION theDirection,
                             const FRM_CRect& theInner, float theLine, float thePage,
                             short isVisible)
{
    const bool vertical = theDirection == VERTICAL;
    if (itUsesWinScrollBars == 0) {
        delete Usable(theBar);
        theBar = nullptr;
        if (isWanted) {
            theBar = Marker();
            const long attributes = isVisible ? 0 : kHiddenBarAttribute;
            FRM_NScrollBar* bar = new NBorderScrollBar(
                this, vertical ? FRM_CRect(-10, -10, 0, 0) : HBarFrame(theInner), theDirection,
                attributes);
            // Placed once made: while the bar is being made it cannot yet say that it lies
            // on the border, and its control would be cut away.
            bar->Size(vertical ? VBarFrame(theInner) : HBarFrame(theInner));
            theBar = bar;
        }
    }
    FRM_NScrollBar* bar = Usable(theBar);
    if (bar == nullptr)
        return;
    bar->SetIncrements(theLine, thePage);
    bar->Enable();
    if (isVisible && !bar->IsVisible())
        bar->Show();
    else if (!isVisible && bar->IsVisible())
        bar->Hide();
}

short FRM_CScroller::IScroller(short hasHorizontalScrollBar, short hasVerticalScrollBar,
                               short isThumbTracking, float theLineIncrement,
                               float thePageIncrement, short isVisible, unsigned long theGlue)
{
    itIsThumbtracking = isThumbTracking;
    const FRM_CRect inner =
        GetInitialFrame(GetEnclosure(), GetFrame(), hasHorizontalScrollBar, hasVerticalScrollBar);
    SetUpBar(itsVScrollBar, hasVerticalScrollBar, VERTICAL, inner, theLineIncrement,
             thePageIncrement, isVisible);
    SetUpBar(itsHScrollBar, hasHorizontalScrollBar, HORIZONTAL, inner, theLineIncrement,
             thePageIncrement, isVisible);
    AdjustScrollBars();
    unsigned long glue = theGlue;
    if (itUsesWinScrollBars != 0)
        glue = kAllSides;
    else if (glue == 0 && (itsHScrollBar != nullptr || itsVScrollBar != nullptr))
        glue = kBarGlue;
    return IVirtualFrame(isVisible, glue);
}

// ---------------------------------------------------------------------------------------------
// Increments

void FRM_CScroller::SetHIncrements(float theLineIncrement, float thePageIncrement)
{
    if (FRM_NScrollBar* bar = GetHScrollBar())
        bar->SetIncrements(theLineIncrement, thePageIncrement);
    else
        FrmError(1800, kModule, __LINE__);
}

void FRM_CScroller::SetVIncrements(float theLineIncrement, float thePageIncrement)
{
    if (FRM_NScrollBar* bar = GetVScrollBar())
        bar->SetIncrements(theLineIncrement, thePageIncrement);
    else
        FrmError(1801, kModule, __LINE__);
}

float FRM_CScroller::GetHLineIncrement() const
{
    if (const FRM_NScrollBar* bar = GetHScrollBar())
        return bar->GetLineIncrement();
    FrmError(1802, kModule, __LINE__);
    return 0;
}

float FRM_CScroller::GetHPageIncrement() const
{
    if (const FRM_NScrollBar* bar = GetHScrollBar())
        return bar->GetPageIncrement();
    FrmError(1803, kModule, __LINE__);
    return 0;
}

float FRM_CScroller::GetVLineIncrement() const
{
    if (const FRM_NScrollBar* bar = GetVScrollBar())
        return bar->GetLineIncrement();
    FrmError(1804, kModule, __LINE__);
    return 0;
}

float FRM_CScroller::GetVPageIncrement() const
{
    if (const FRM_NScrollBar* bar = GetVScrollBar())
        return bar->GetPageIncrement();
    FrmError(1805, kModule, __LINE__);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Frames

FRM_CRect FRM_CScroller::GetInitialFrame(const FRM_CSubview* theEnclosure,
                                         const FRM_CRect& theRegion, short hasHorizontalScrollBar,
                                         short hasVerticalScrollBar) const
{
    const FRM_CView* unitsOf = theEnclosure != nullptr ? static_cast<const FRM_CView*>(theEnclosure)
                                                       : this;
    FRM_CRect inner = theRegion;
    if (hasVerticalScrollBar)
        inner.Right(inner.Right() -
                    frm_views::HPixelsToLogical(unitsOf, FRM_NScrollBar::NativeWidth()));
    if (hasHorizontalScrollBar)
        inner.Bottom(inner.Bottom() -
                     frm_views::VPixelsToLogical(unitsOf, FRM_NScrollBar::NativeHeight()));
    return inner;
}

FRM_CRect FRM_CScroller::GetInnerFrame() const
{
    if (itUsesWinScrollBars != 0)
        return GetFrame();
    return GetInitialFrame(GetEnclosure(), GetFrame(), itsHScrollBar != nullptr ? 1 : 0,
                           itsVScrollBar != nullptr ? 1 : 0);
}

FRM_CRect FRM_CScroller::GetClippedFrame() const
{
    FRM_CRect clipped = GetInnerFrame();
    clipped.Inflate(-frm_views::HPixelsToLogical(this, 1), -frm_views::VPixelsToLogical(this, 1));
    clipped += itsOrigin;
    if (itsEnclosure != nullptr)
        clipped -= itsEnclosure->GetClippedFrame();
    return clipped;
}

FRM_CPoint FRM_CScroller::GetGlobalOrigin() const
{
    if (IsMarked())
        return FRM_CView::GetGlobalOrigin();
    return FRM_CVirtualFrame::GetGlobalOrigin();
}

// ---------------------------------------------------------------------------------------------
// Forwarding to the own bars

void FRM_CScroller::Show()
{
    ForEachOwnBar([](FRM_NScrollBar* bar) { bar->Show(); });
    FRM_CVirtualFrame::Show();
}

void FRM_CScroller::Hide()
{
    ForEachOwnBar([](FRM_NScrollBar* bar) { bar->Hide(); });
    FRM_CVirtualFrame::Hide();
}

void FRM_CScroller::Enable()
{
    ForEachOwnBar([](FRM_NScrollBar* bar) { bar->Enable(); });
    FRM_CVirtualFrame::Enable();
}

void FRM_CScroller::Disable()
{
    ForEachOwnBar([](FRM_NScrollBar* bar) { bar->Disable(); });
    FRM_CVirtualFrame::Disable();
}

void FRM_CScroller::SetOrigin(const FRM_CPoint& theDisplacement)
{
    FRM_CVirtualFrame::SetOrigin(theDisplacement);
    ForEachOwnBar([&theDisplacement](FRM_NScrollBar* bar) { bar->DoSetOrigin(theDisplacement); });
}

void FRM_CScroller::SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared)
{
    FRM_CVirtualFrame::SetEnvironment(theEnvironment, isShared);
    if (isShared != 0)
        return;
    ForEachOwnBar([&theEnvironment](FRM_NScrollBar* bar) {
        if (bar->IsEnvironmentShared() == 0)
            bar->SetEnvironment(theEnvironment, 0);
    });
}

void FRM_CScroller::SetEnclosure(FRM_CSubview* theEnclosure)
{
    const FRM_CPoint before =
        itsEnclosure != nullptr ? itsEnclosure->GetGlobalOrigin() : FRM_CPoint(0, 0);
    const FRM_CPoint after =
        theEnclosure != nullptr ? theEnclosure->GetGlobalOrigin() : FRM_CPoint(0, 0);
    FRM_CVirtualFrame::SetEnclosure(theEnclosure);
    if (itUsesWinScrollBars != 0)
        return;
    for (FRM_NScrollBar** slot : {&itsHScrollBar, &itsVScrollBar}) {
        FRM_NScrollBar* bar = Usable(*slot);
        if (bar == nullptr)
            continue;
        *slot = Marker();
        bar->DoSetOrigin(after - before);
        bar->SetEnclosure(this);
        *slot = bar;
    }
}

void FRM_CScroller::AddSubview(FRM_CView* theView)
{
    if (IsMarked())
        return;
    FRM_CVirtualFrame::AddSubview(theView);
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void FRM_CScroller::AdjustScrollBars()
{
    const FRM_CRect inner = GetInnerFrame();
    const FRM_CRect extent = GetVirtualFrame();
    const FRM_CPoint origin = GetScrollingOrigin();
    if (FRM_NScrollBar* bar = GetHScrollBar()) {
        bar->SetRange(0, extent.Width(), -origin.H());
        bar->SetThumbSize(inner.Width());
    }
    if (FRM_NScrollBar* bar = GetVScrollBar()) {
        bar->SetRange(0, extent.Height(), -origin.V());
        bar->SetThumbSize(inner.Height());
    }
}

float FRM_CScroller::ScrolledCoordinate(e_scroll_ctl theAction, float thePosition,
                                        float theOrigin, const FRM_NScrollBar* theBar,
                                        float theInner, float theVirtual) const
{
    const float line = theBar != nullptr ? theBar->GetLineIncrement() : 0;
    const float page = theBar != nullptr ? theBar->GetPageIncrement() : 0;
    const float lowest = theVirtual >= theInner ? theInner - theVirtual : 0;
    switch (theAction) {
    case SC_LINE_UP:
        return std::min(0.0F, std::trunc(theOrigin + line));
    case SC_PAGE_UP:
        return std::min(0.0F, std::trunc(theOrigin + page));
    case SC_LINE_DOWN:
        return std::max(lowest, theOrigin - line);
    case SC_PAGE_DOWN:
        return std::max(lowest, theOrigin - page);
    case SC_THUMB:
    case SC_THUMBTRACK: {
        // Snapped to whole lines; without a line step the position is taken as it is.
        if (line <= 0)
            return std::max(lowest, std::min(0.0F, -thePosition));
        const float snapped = thePosition >= line / 2 ? thePosition + line / 2 : 0;
        if (snapped > -lowest)
            return lowest;
        return -std::trunc(snapped / line) * line;
    }
    default:
        return theOrigin;
    }
}

void FRM_CScroller::VScroll(e_scroll_ctl theAction, float thePosition)
{
    if (theAction == SC_THUMBTRACK && itIsThumbtracking == 0)
        return;
    FRM_CPoint origin = GetScrollingOrigin();
    origin.V(ScrolledCoordinate(theAction, thePosition, origin.V(), GetVScrollBar(),
                                GetInnerFrame().Height(), GetVirtualFrame().Height()));
    ScrollViews(origin);
    AdjustScrollBars();
}

void FRM_CScroller::HScroll(e_scroll_ctl theAction, float thePosition)
{
    if (theAction == SC_THUMBTRACK && itIsThumbtracking == 0)
        return;
    FRM_CPoint origin = GetScrollingOrigin();
    origin.H(ScrolledCoordinate(theAction, thePosition, origin.H(), GetHScrollBar(),
                                GetInnerFrame().Width(), GetVirtualFrame().Width()));
    ScrollViews(origin);
    AdjustScrollBars();
}

int FRM_CScroller::ToPixels(float theLogical, bool horizontal) const
{
    const FRM_CUnits* units = GetUnits();
    if (units == nullptr)
        return static_cast<int>(theLogical);
    return horizontal ? units->HLogicalToPhysical(theLogical)
                      : units->VLogicalToPhysical(theLogical);
}

float FRM_CScroller::ToLogical(int thePixels, bool horizontal) const
{
    const FRM_CUnits* units = GetUnits();
    if (units == nullptr)
        return static_cast<float>(thePixels);
    return horizontal ? units->HPhysicalToLogical(thePixels) : units->VPhysicalToLogical(thePixels);
}

void FRM_CScroller::ScrollViews(const FRM_CPoint& theNewOrigin)
{
    if (itsIntViewOrigin == nullptr)
        itsIntViewOrigin = std::make_unique<FRM_CPoint>(GetScrollingOrigin());
    const int dh = ToPixels(theNewOrigin.H() - itsIntViewOrigin->H(), true);
    const int dv = ToPixels(theNewOrigin.V() - itsIntViewOrigin->V(), false);
    if (dh == 0 && dv == 0)
        return;
    const FRM_CPoint applied(ToLogical(dh, true), ToLogical(dv, false));
    WINDOW window = GetVKOWindow();
    vko_dwin_update(window);
    *itsIntViewOrigin += applied;
    StoreScrollingOrigin(theNewOrigin);
    for (std::size_t i = itsSubviews->entries(); i-- > 0;)
        if (i < itsSubviews->entries())
            ChildAt(i)->DoSetOrigin(applied);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const s_rct area = static_cast<s_rct>(GetClippedFrame());
    SetCurrentUpdateView(this);
    vko_dwin_scroll_rect(window, &area, dh, dv);
    SetCurrentUpdateView(nullptr);
    ProcessViewUpdate();
}

FRM_CPoint FRM_CScroller::KeepContentInPlace() const
{
    const FRM_CRect inner = GetInnerFrame();
    const FRM_CRect extent = GetVirtualFrame();
    FRM_CPoint origin = GetScrollingOrigin();
    if (origin.H() + extent.Width() < inner.Width())
        origin.H(inner.Width() - extent.Width());
    if (origin.H() > 0)
        origin.H(0);
    if (origin.V() + extent.Height() < inner.Height())
        origin.V(inner.Height() - extent.Height());
    if (origin.V() > 0)
        origin.V(0);
    return origin;
}

void FRM_CScroller::Size(const FRM_CRect& theFrame)
{
    const FRM_CPoint offset(theFrame.Left() - itsFrame.Left(), theFrame.Top() - itsFrame.Top());
    FRM_CSubview::Size(theFrame);
    const FRM_CRect inner = GetInnerFrame();
    if (OwnsBars()) {
        if (FRM_NScrollBar* bar = GetVScrollBar()) {
            bar->DoSetOrigin(offset);
            bar->Size(VBarFrame(inner));
        }
        if (FRM_NScrollBar* bar = GetHScrollBar()) {
            bar->DoSetOrigin(offset);
            bar->Size(HBarFrame(inner));
        }
    }
    const FRM_CPoint origin = KeepContentInPlace();
    if (!(origin == GetScrollingOrigin()))
        ScrollViews(origin);
    AdjustScrollBars();
}

FRM_CPoint FRM_CScroller::AutoScroll(float theHChange, float theVChange)
{
    const FRM_CPoint before = GetScrollingOrigin();
    s_ctlinfo hit{};
    if (theHChange != 0) {
        if (FRM_NScrollBar* bar = GetHScrollBar()) {
            hit.v.sbar.what = theHChange >= 0 ? SC_LINE_DOWN : SC_LINE_UP;
            bar->DoHit(hit);
        }
    }
    if (theVChange != 0) {
        if (FRM_NScrollBar* bar = GetVScrollBar()) {
            hit.v.sbar.what = theVChange >= 0 ? SC_LINE_DOWN : SC_LINE_UP;
            bar->DoHit(hit);
        }
    }
    return before - GetScrollingOrigin();
}

// ---------------------------------------------------------------------------------------------
// Keys and drawing

void FRM_CScroller::Key(const FRM_CKey& theKey)
{
    FRM_NScrollBar* vertical = GetVScrollBar();
    FRM_NScrollBar* horizontal = GetHScrollBar();
    switch (theKey.GetChar()) {
    case VKO_KEY_UP:
    case VKO_KEY_DOWN:
    case VKO_KEY_PAGE_UP:
    case VKO_KEY_PAGE_DOWN:
        if (vertical == nullptr)
            return;
        if (theKey.GetChar() == VKO_KEY_UP)
            VScroll(SC_LINE_UP, 0);
        else if (theKey.GetChar() == VKO_KEY_DOWN)
            VScroll(SC_LINE_DOWN, 0);
        else if (theKey.GetChar() == VKO_KEY_PAGE_UP)
            VScroll(SC_PAGE_UP, 0);
        else
            VScroll(SC_PAGE_DOWN, 0);
        vertical->SetPosition(-GetScrollingOrigin().V());
        return;
    case VKO_KEY_RIGHT:
    case VKO_KEY_LEFT:
        if (horizontal == nullptr)
            return;
        HScroll(theKey.GetChar() == VKO_KEY_RIGHT ? SC_LINE_DOWN : SC_LINE_UP, 0);
        horizontal->SetPosition(-GetScrollingOrigin().H());
        return;
    default:
        FRM_CVirtualFrame::Key(theKey);
    }
}

void FRM_CScroller::Draw(const FRM_CRect& theClip)
{
    if (itUsesWinScrollBars == 0) {
        // Only the part of the inner area being updated: after a scroll that is the band
        // the move uncovered, and the moved pixels must stay as they are.
        const FRM_CRect inner = GetInnerFrame().GetGlobal(GetEnclosure());
        if (Prepare(frm_views::IsMaxRect(theClip) ? inner : (inner & theClip)))
            FRM_CVirtualFrame::Draw(theClip);
        return;
    }
    if (IsEnvironmentShared() != 0 && CurrentUpdateView() != this)
        return;
    const FRM_CEnvironment* environment = GetEnvironment();
    unsigned long colour =
        environment != nullptr ? environment->GetBackgroundColor() : FRM_CEnvironment::kUnsetColor;
    if (colour == FRM_CEnvironment::kUnsetColor)
        colour = static_cast<unsigned long>(vko_vobj_get_attr(nullptr, kAttrDefaultBackground));
    vko_dwin_clear(GetVKOWindow(), static_cast<COLOR>(colour));
}

void FRM_CScroller::DoDraw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    const FRM_CRect clip =
        frm_views::IsMaxRect(theClip) ? theClip : (theClip & FRM_CView::GetClippedFrame());
    FRM_CVirtualFrame::DoDraw(clip);
}

void FRM_CScroller::PrintDraw(const FRM_CRect& theRect)
{
    FRM_CVirtualFrame::PrintDraw(theRect);
    const FRM_CRect clipped = FRM_CView::GetClippedFrame();
    if (!clipped.IsEmpty())
        ForEachOwnBar([&clipped](FRM_NScrollBar* bar) { bar->PrintDraw(clipped); });
}

// ---------------------------------------------------------------------------------------------
// Deferred redraws

short FRM_CScroller::RegisterForUpdate(FRM_CView* theView)
{
    FRM_CView* current = CurrentUpdateView();
    if (current == nullptr || FrmCast<FRM_CScroller>(current) == nullptr)
        return 0;
    UpdateList().append(theView);
    return 1;
}

void FRM_CScroller::ProcessViewUpdate()
{
    RWOrdered& list = UpdateList();
    for (std::size_t i = 0; i < list.entries(); ++i)
        static_cast<FRM_CView*>(list[i])->DoDraw(frm_views::MaxRect());
    list.clear();
}

RWOrdered* FRM_CScroller::GetUpdateViewList()
{
    return &UpdateList();
}
