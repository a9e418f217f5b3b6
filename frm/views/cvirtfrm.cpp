// cvirtfrm.cpp: the virtual frame's extent, scrolling origin and pixel scrolling.
#include "frm/views/cvirtfrm.h"

#include <algorithm>

#include "frm/core/cunits.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

FRM_CVirtualFrame::FRM_CVirtualFrame(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                                     float theWidth, float theHeight)
    : FRM_CSubview(theEnclosure, theFrame), itsViewOrigin(std::make_unique<FRM_CPoint>(0, 0)),
      itsVirtualFrame(std::make_unique<FRM_CRect>(0, 0, std::max(theFrame.Width(), theWidth),
                                                  std::max(theFrame.Height(), theHeight)))
{
}

FRM_CVirtualFrame::FRM_CVirtualFrame(const FRM_CVirtualFrame& other)
    : FRM_CSubview(other), itsViewOrigin(std::make_unique<FRM_CPoint>(*other.itsViewOrigin)),
      itsVirtualFrame(std::make_unique<FRM_CRect>(*other.itsVirtualFrame))
{
}

// Hand-written: the extent is set through SetVirtualFrame; the own origin stays.
FRM_CVirtualFrame& FRM_CVirtualFrame::operator=(const FRM_CVirtualFrame& other)
{
    if (this == &other)
        return *this;
    FRM_CSubview::operator=(other);
    SetVirtualFrame(other.itsVirtualFrame->Width(), other.itsVirtualFrame->Height());
    return *this;
}

FRM_CVirtualFrame::~FRM_CVirtualFrame() = default;

void FRM_CVirtualFrame::SetVirtualFrame(float theWidth, float theHeight)
{
    itsVirtualFrame->Width(theWidth);
    itsVirtualFrame->Height(theHeight);
    SetScrollingOrigin(*itsViewOrigin);
}

void FRM_CVirtualFrame::SetScrollingOrigin(const FRM_CPoint& theOrigin)
{
    ScrollViews(theOrigin);
    AdjustScrollBars();
}

void FRM_CVirtualFrame::EnlargeToFit(const FRM_CRect& theRect)
{
    *itsVirtualFrame += theRect;
    AdjustScrollBars();
}

void FRM_CVirtualFrame::ShrinkToFit()
{
    float right = 0;
    float bottom = 0;
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i) {
        const FRM_CRect frame = ChildAt(i)->GetFrame();
        right = std::max(right, frame.Right());
        bottom = std::max(bottom, frame.Bottom());
    }
    if (itsVirtualFrame->Width() != right || itsVirtualFrame->Height() != bottom)
        SetVirtualFrame(right, bottom);
}

void FRM_CVirtualFrame::AddSubview(FRM_CView* theView)
{
    FRM_CSubview::AddSubview(theView);
    // The view may still be under construction: its frame is already set.
    if (theView != nullptr && itsVirtualFrame != nullptr)
        EnlargeToFit(theView->GetFrame());
}

void FRM_CVirtualFrame::Size(const FRM_CRect& theFrame)
{
    FRM_CSubview::Size(theFrame);
    SetVirtualFrame(std::max(itsVirtualFrame->Width(), itsFrame.Width()),
                    std::max(itsVirtualFrame->Height(), itsFrame.Height()));
}

FRM_CPoint FRM_CVirtualFrame::GetGlobalOrigin() const
{
    return FRM_CSubview::GetGlobalOrigin() + *itsViewOrigin;
}

void FRM_CVirtualFrame::ScrollViews(const FRM_CPoint& theOrigin)
{
    const FRM_CPoint moved = theOrigin - *itsViewOrigin;
    if (moved == FRM_CPoint(0, 0))
        return;
    *itsViewOrigin = theOrigin;
    WINDOW window = GetVKOWindow();
    vko_dwin_update(window);
    ForEachChildTopFirst([&moved](FRM_CView* child) { child->DoSetOrigin(moved); });
    vko_dwin_update(window);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const s_rct area = static_cast<s_rct>(GetClippedFrame());
    const s_pnt shift = static_cast<s_pnt>(moved);
    vko_dwin_set_clip(window, &area);
    vko_dwin_scroll_rect(window, &area, shift.h, shift.v);
}

void FRM_CVirtualFrame::Draw(const FRM_CRect& theClip)
{
    FRM_CSubview::Draw(theClip);
    frm_views::DrawFrameRect(this);
}
