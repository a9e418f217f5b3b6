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

// A line's wire frame works on its two points; the line makes it itself.
FRM_CWireFrame* NewCLineWF(FRM_CView* theLine)
{
    return new CLineWF(theLine, nullptr);
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

// Hand-written: the two points are owned; the other's values are copied into them.
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
    if (CLineWF* frame = frm_views::SelectedVertexFrame(this))
        frame->CreateHitPoints();
}

void FRM_CLine::Size(const FRM_CRect& theFrame)
{
    itsFrame = theFrame;
    PadPointsFromFrame();
    FRM_CShape::Size(itsFrame);
    if (CLineWF* frame = frm_views::SelectedVertexFrame(this))
        frame->CreateHitPoints();
}

CLineWF* frm_views::SelectedVertexFrame(const FRM_CView* theShape)
{
    auto* frame = FrmCast<CLineWF>(theShape->GetWireFrame());
    return frame != nullptr && frame->IsSelected() ? frame : nullptr;
}

void FRM_CLine::SetDragging(short isOn)
{
    frm_views::SwitchWireFrameMode(this, isOn, false, &NewCLineWF);
}

void FRM_CLine::SetSizing(short isOn)
{
    frm_views::SwitchWireFrameMode(this, isOn, true, &NewCLineWF);
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

void FRM_CLine::Draw(const FRM_CRect& theClip)
{
    WINDOW window = GetVKOWindow();
    if (const FRM_CEnvironment* environment = GetEnvironment())
        environment->SetDrawingEnv(GetCWindow());
    FRM_CUnits::SetGlobalUnits(GetUnits());
    vko_dwin_draw_set_pos(window, static_cast<s_pnt>(*itsStartPoint + GetOrigin()));
    vko_dwin_draw_aline(window, static_cast<s_pnt>(*itsEndPoint + GetOrigin()),
                        itHasStartArrow != 0 ? TRUE : FALSE, itHasEndArrow != 0 ? TRUE : FALSE);
    // The vertex handles stay on top of the line.
    if (CLineWF* frame = frm_views::SelectedVertexFrame(this))
        frame->Draw(theClip);
}

// ---------------------------------------------------------------------------------------------
// The vertex wire frame

namespace {

// Half the side of a vertex handle, in pixels.
constexpr int kHandleHalf = 3;

s_rct HandleAround(const s_pnt& theVertex)
{
    return s_rct{static_cast<std::int16_t>(theVertex.v - kHandleHalf),
                 static_cast<std::int16_t>(theVertex.h - kHandleHalf),
                 static_cast<std::int16_t>(theVertex.v + kHandleHalf),
                 static_cast<std::int16_t>(theVertex.h + kHandleHalf)};
}

} // namespace

CLineWF::CLineWF(FRM_CView* theOwner, FRM_CSubview* theGroupEnclosure)
    : FRM_CWireFrame(theOwner, theGroupEnclosure)
{
    itsFramePnts.clear();
}

CLineWF::CLineWF(const CLineWF& other) : FRM_CWireFrame(other), itsGrabIndex(other.itsGrabIndex),
    itIsSelectable(other.itIsSelectable)
{
}

void CLineWF::SetDragging(short isOn)
{
    itIsDraggable = isOn;
    CreateHitPoints();
}

void CLineWF::SetSizing(short isOn)
{
    itIsSizable = isOn;
    CreateHitPoints();
}

void CLineWF::CreateHitPoints()
{
    itsFramePnts.resize(2);
    const auto* line = FrmCast<FRM_CLine>(itsOwner);
    if (line == nullptr)
        return;
    FRM_CUnits::SetGlobalUnits(line->GetUnits());
    itsFramePnts[0] = static_cast<s_pnt>(line->GetStartPoint() + line->GetOrigin());
    itsFramePnts[1] = static_cast<s_pnt>(line->GetEndPoint() + line->GetOrigin());
}

void CLineWF::Select()
{
    CreateHitPoints();
    FRM_CWireFrame::Select();
}

void CLineWF::Size(const FRM_CRect& theFrame)
{
    if (itsState != SCROLLING)
        FRM_CView::Size(theFrame);
}

short CLineWF::DoBorderCheck(const FRM_CPoint& thePoint)
{
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const s_pnt global = static_cast<s_pnt>(thePoint.GetGlobal(this));
    for (std::size_t i = 0; i < itsFramePnts.size(); ++i) {
        s_rct handle = HandleAround(itsFramePnts[i]);
        if (!vko_rect_has_point(&handle, global))
            continue;
        if (itIsSizable)
            itsState = SIZING;
        itsGrabIndex = i;
        itsGrabPoint = itsInitialGrabPoint = thePoint;
        return 1;
    }
    return 0;
}

short CLineWF::DoDraggingCheck(const FRM_CPoint& thePoint)
{
    if (DoBorderCheck(thePoint))
        return 1;
    FRM_CSubview* enclosure = itsOwner->GetEnclosure();
    if (enclosure == nullptr || !itsOwner->HitTest(thePoint.GetTranslated(this, enclosure)))
        return 0;
    if (itIsDraggable)
        itsState = DRAGGING;
    itsGrabPoint = itsInitialGrabPoint = thePoint;
    return 1;
}

s_pnt CLineWF::TakeMotion(const FRM_CPoint& thePoint)
{
    const FRM_CPoint motion = thePoint - itsGrabPoint;
    const FRM_CUnits* units = GetUnits();
    s_pnt pixels{};
    pixels.h = static_cast<std::int16_t>(units != nullptr ? units->HLogicalToPhysical(motion.H())
                                                          : static_cast<int>(motion.H()));
    pixels.v = static_cast<std::int16_t>(units != nullptr ? units->VLogicalToPhysical(motion.V())
                                                          : static_cast<int>(motion.V()));
    itsGrabPoint = thePoint;
    return pixels;
}

void CLineWF::Drag(FRM_CPoint thePoint)
{
    const s_pnt motion = TakeMotion(thePoint);
    for (s_pnt& vertex : itsFramePnts) {
        vertex.h = static_cast<std::int16_t>(vertex.h + motion.h);
        vertex.v = static_cast<std::int16_t>(vertex.v + motion.v);
    }
}

void CLineWF::ReSize(FRM_CPoint thePoint)
{
    const s_pnt motion = TakeMotion(thePoint);
    if (itsGrabIndex >= itsFramePnts.size())
        return;
    s_pnt& vertex = itsFramePnts[itsGrabIndex];
    vertex.h = static_cast<std::int16_t>(vertex.h + motion.h);
    vertex.v = static_cast<std::int16_t>(vertex.v + motion.v);
}

void CLineWF::DoAutoScroll(float theH, float theV)
{
    if (itsState == SIZING)
        return;
    FRM_CWireFrame::DoAutoScroll(theH, theV);
}

FRM_CEnvironment CLineWF::WideEnvironment() const
{
    FRM_CEnvironment wide = GetEnvironment() != nullptr ? *GetEnvironment() : FRM_CEnvironment();
    wide.SetPenWidth(static_cast<short>(wide.GetPen().GetWidth() + 2));
    return wide;
}

void CLineWF::DrawGroupRect(WINDOW theWindow) const
{
    if (itsGroupEnclosure == nullptr || itsGroupEnclosure->GetSelectedView() != itsOwner ||
        itsGroupEnclosure->GetSelectedViews()->entries() < 2 ||
        (itsGroupLeft == 0 && itsGroupRight == 0 && itsGroupTop == 0 && itsGroupBottom == 0) ||
        itsFramePnts.empty())
        return;
    int left = itsFramePnts[0].h;
    int top = itsFramePnts[0].v;
    int right = left;
    int bottom = top;
    for (const s_pnt& vertex : itsFramePnts) {
        left = std::min<int>(left, vertex.h);
        top = std::min<int>(top, vertex.v);
        right = std::max<int>(right, vertex.h);
        bottom = std::max<int>(bottom, vertex.v);
    }
    const FRM_CUnits* units = GetUnits();
    const auto h = [units](float d) {
        return units != nullptr ? units->HLogicalToPhysical(d) : static_cast<int>(d);
    };
    const auto v = [units](float d) {
        return units != nullptr ? units->VLogicalToPhysical(d) : static_cast<int>(d);
    };
    const s_rct group{static_cast<std::int16_t>(top + v(itsGroupTop) - 1),
                      static_cast<std::int16_t>(left + h(itsGroupLeft) - 1),
                      static_cast<std::int16_t>(bottom + v(itsGroupBottom) + 1),
                      static_cast<std::int16_t>(right + h(itsGroupRight) + 1)};
    vko_dwin_draw_rect(theWindow, &group);
}

void CLineWF::DrawWireFrame(DRAWSTATE theState)
{
    if (!TakeDrawState(&itsDrawState, theState))
        return;
    const FRM_CEnvironment wide = WideEnvironment();
    WINDOW window = PrepareFigure(&wide);
    vko_dwin_draw_polyline(window, itsFramePnts.data(),
                           static_cast<std::int32_t>(itsFramePnts.size()));
    DrawGroupRect(window);
}

void CLineWF::DrawFrameGrabbers(DRAWSTATE theState)
{
    if (!TakeDrawState(&itsGrabState, theState))
        return;
    WINDOW window = PrepareFigure();
    for (const s_pnt& vertex : itsFramePnts) {
        const s_rct handle = HandleAround(vertex);
        vko_dwin_draw_rect(window, &handle);
    }
}

short CLineWF::SizeOwner()
{
    auto* line = FrmCast<FRM_CLine>(itsOwner);
    if (line == nullptr)
        return 0;
    FRM_CSubview* enclosure = line->GetEnclosure();
    if (itsState == SELECTED) {
        // A member of a group that another wire frame moved.
        line->Size(enclosure != nullptr ? itsFrame.GetLocal(enclosure) : itsFrame);
        return 1;
    }
    itsState = SELECTED;
    FRM_CUnits* units = line->GetUnits();
    FRM_CUnits::SetGlobalUnits(units);
    if (itsFramePnts.size() < 2)
        return 1;
    const auto toPoint = [units, line](const s_pnt& vertex) {
        const FRM_CPoint logical = units != nullptr ? units->PhysicalToLogical(vertex)
                                                    : FRM_CPoint(vertex.h, vertex.v);
        return logical - line->GetOrigin();
    };
    const FRM_CPoint start = toPoint(itsFramePnts[0]);
    const FRM_CPoint end = toPoint(itsFramePnts[1]);
    if (!(start == line->GetStartPoint()) || !(end == line->GetEndPoint())) {
        line->Size(start, end);
        line->DoSize(line->GetFrame());
    }
    return 1;
}
