// cline.cpp: the line shape's padding, hit test and drawing.
#include "frm/views/cline.h"

#include <algorithm>
#include <cmath>

#include "frm/core/cunits.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

FRM_CRect BoxOf(const FRM_CPoint& a, const FRM_CPoint& b)
{
    return FRM_CRect(std::min(a.H(), b.H()), std::min(a.V(), b.V()), std::max(a.H(), b.H()),
                     std::max(a.V(), b.V()));
}

short PenWidthOf(const FRM_CView* theView)
{
    const FRM_CEnvironment* environment = theView->GetEnvironment();
    return environment != nullptr ? environment->GetPen().GetWidth() : 1;
}

} // namespace

FRM_CLine::FRM_CLine(FRM_CSubview* theEnclosure, const FRM_CPoint& theStartPoint,
                     const FRM_CPoint& theEndPoint)
    : FRM_CShape(theEnclosure, BoxOf(theStartPoint, theEndPoint)),
      itsStartPoint(std::make_unique<FRM_CPoint>(theStartPoint)),
      itsEndPoint(std::make_unique<FRM_CPoint>(theEndPoint))
{
    PadFrameFromPoints();
}

FRM_CLine::FRM_CLine(const FRM_CLine& other)
    : FRM_CShape(other), itHasStartArrow(other.itHasStartArrow),
      itHasEndArrow(other.itHasEndArrow),
      itsStartPoint(std::make_unique<FRM_CPoint>(*other.itsStartPoint)),
      itsEndPoint(std::make_unique<FRM_CPoint>(*other.itsEndPoint))
{
}

FRM_CLine& FRM_CLine::operator=(const FRM_CLine& other)
{
    if (this == &other)
        return *this;
    FRM_CShape::operator=(other);
    itHasStartArrow = other.itHasStartArrow;
    itHasEndArrow = other.itHasEndArrow;
    *itsStartPoint = *other.itsStartPoint;
    *itsEndPoint = *other.itsEndPoint;
    return *this;
}

FRM_CLine::~FRM_CLine() = default;

short FRM_CLine::ILine(short hasBeginningArrow, short hasEndingArrow, short isVisible,
                       unsigned long theGlue)
{
    SetArrows(hasBeginningArrow, hasEndingArrow);
    PadFrameFromPoints();
    return IShape(isVisible, theGlue);
}

void FRM_CLine::SetArrows(short hasBeginningArrow, short hasEndingArrow)
{
    itHasStartArrow = hasBeginningArrow;
    itHasEndArrow = hasEndingArrow;
    PadFrameFromPoints();
}

int FRM_CLine::PadPixels() const
{
    const int width = PenWidthOf(this);
    if (itHasStartArrow != 0 || itHasEndArrow != 0)
        return std::max(5, 2 * width);
    // Half the pen rounded: a pen of 1 pixel still gets a pixel of room.
    return static_cast<int>(static_cast<float>(width) / 2 + 0.5F);
}

FRM_CPoint FRM_CLine::Pad() const
{
    const float pixels = static_cast<float>(PadPixels());
    return FRM_CPoint(frm_views::HPixelsToLogical(this, pixels),
                      frm_views::VPixelsToLogical(this, pixels));
}

void FRM_CLine::PadFrameFromPoints()
{
    const FRM_CPoint pad = Pad();
    FRM_CRect frame = BoxOf(*itsStartPoint, *itsEndPoint);
    frame.Inflate(pad.H(), pad.V());
    if (!(frame == GetFrame()))
        FRM_CSubview::DoSize(frame);
}

void FRM_CLine::PadPointsFromFrame()
{
    const FRM_CPoint pad = Pad();
    if (itsFrame.Width() < 2 * pad.H())
        itsFrame.Inflate(std::trunc((2 * pad.H() - itsFrame.Width()) / 2), 0);
    if (itsFrame.Height() < 2 * pad.V())
        itsFrame.Inflate(0, std::trunc((2 * pad.V() - itsFrame.Height()) / 2));
    const FRM_CRect inner = itsFrame.GetInflatedRect(-pad.H(), -pad.V());
    const bool endBelow = itsEndPoint->V() > itsStartPoint->V();
    const bool endRight = itsEndPoint->H() > itsStartPoint->H();
    itsStartPoint->V(endBelow ? inner.Top() : inner.Bottom());
    itsEndPoint->V(endBelow ? inner.Bottom() : inner.Top());
    itsStartPoint->H(endRight ? inner.Left() : inner.Right());
    itsEndPoint->H(endRight ? inner.Right() : inner.Left());
}

void FRM_CLine::Size(const FRM_CPoint& theStart, const FRM_CPoint& theEnd)
{
    *itsStartPoint = theStart;
    *itsEndPoint = theEnd;
    PadFrameFromPoints();
}

void FRM_CLine::Size(const FRM_CRect& theFrame)
{
    itsFrame = theFrame;
    PadPointsFromFrame();
    FRM_CShape::Size(itsFrame);
}

void FRM_CLine::SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared)
{
    const short before = PenWidthOf(this);
    FRM_CShape::SetEnvironment(theEnvironment, isShared);
    if (PenWidthOf(this) != before)
        PadFrameFromPoints();
}

float FRM_CLine::GetDistanceFromLine(const FRM_CPoint& a, const FRM_CPoint& b,
                                     const FRM_CPoint& thePoint)
{
    const double ah = a.H();
    const double av = a.V();
    const double ph = thePoint.H();
    const double pv = thePoint.V();
    if (std::fabs(ah - b.H()) < 0.0001)
        return static_cast<float>(std::fabs(ph - ah));
    const double slope = (av - b.V()) / (ah - b.H());
    return static_cast<float>(std::fabs((ph - ah) * slope - pv + av) /
                              std::sqrt(slope * slope + 1));
}

short FRM_CLine::HitTest(const FRM_CPoint& thePoint) const
{
    if (FRM_CShape::HitTest(thePoint) == 0)
        return 0;
    const float range = frm_views::VPixelsToLogical(this, kHitRange);
    return GetDistanceFromLine(*itsStartPoint, *itsEndPoint, thePoint) <= range ? 1 : 0;
}

void FRM_CLine::Draw(const FRM_CRect&)
{
    WINDOW window = GetVKOWindow();
    if (const FRM_CEnvironment* environment = GetEnvironment())
        environment->SetDrawingEnv(GetCWindow());
    FRM_CUnits::SetGlobalUnits(GetUnits());
    vko_dwin_draw_set_pos(window, static_cast<s_pnt>(*itsStartPoint + GetOrigin()));
    vko_dwin_draw_aline(window, static_cast<s_pnt>(*itsEndPoint + GetOrigin()),
                        itHasStartArrow != 0 ? TRUE : FALSE, itHasEndArrow != 0 ? TRUE : FALSE);
}
