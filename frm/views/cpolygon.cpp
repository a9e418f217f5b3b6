// cpolygon.cpp: polygons in window pixels, their rescaling and hit test, and regular polygons.
#include "frm/views/cpolygon.h"

#include <algorithm>
#include <cmath>

#include "frm/core/cunits.h"
#include "frm/core/cvaluerwc.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/cline.h"
#include "frm/views/crectshp.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cpolygon";
constexpr double kPi = 3.14159;
constexpr double kTwoPi = 6.28318;

int ToHPixels(const FRM_CUnits* units, float h)
{
    return units != nullptr ? units->HLogicalToPhysical(h) : static_cast<int>(h);
}

int ToVPixels(const FRM_CUnits* units, float v)
{
    return units != nullptr ? units->VLogicalToPhysical(v) : static_cast<int>(v);
}

// A polygon's wire frame works on its points; the polygon makes it itself.
FRM_CWireFrame* NewCPolygonWF(FRM_CView* thePolygon)
{
    return new CPolygonWF(thePolygon, nullptr);
}

FRM_CPoint AsPoint(const s_pnt& point)
{
    return FRM_CPoint(point.h, point.v);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CPolygon::FRM_CPolygon(FRM_CSubview* theEnclosure, const FRM_CPoint* theArrayOfPoints,
                           int theNumberOfPoints)
    : FRM_CShape(theEnclosure, FRM_CRect())
{
    if (theArrayOfPoints == nullptr) {
        FrmError(1600, kModule, __LINE__);
        return;
    }
    const std::vector<FRM_CPoint> points(theArrayOfPoints,
                                         theArrayOfPoints + std::max(theNumberOfPoints, 0));
    itsFrame = StorePoints(points);
}

FRM_CPolygon::FRM_CPolygon(FRM_CSubview* theEnclosure, const RWOrdered* theListOfPoints)
    : FRM_CShape(theEnclosure, FRM_CRect())
{
    if (theListOfPoints == nullptr) {
        FrmError(1601, kModule, __LINE__);
        return;
    }
    std::vector<FRM_CPoint> points;
    for (std::size_t i = 0; i < theListOfPoints->entries(); ++i)
        points.push_back(*static_cast<const FRM_CPointRWC*>((*theListOfPoints)[i]));
    itsFrame = StorePoints(points);
}

FRM_CPolygon::FRM_CPolygon(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion)
    : FRM_CShape(theEnclosure, theRegion)
{
}

FRM_CPolygon::FRM_CPolygon(const FRM_CPolygon& other)
    : FRM_CShape(other), itsPoints(other.itsPoints), itIsFilled(other.itIsFilled)
{
}

// Hand-written: the pixel points are moved from the source's origin to this polygon's.
FRM_CPolygon& FRM_CPolygon::operator=(const FRM_CPolygon& other)
{
    if (this == &other)
        return *this;
    FRM_CShape::operator=(other);
    itIsFilled = other.itIsFilled;
    const FRM_CUnits* units = other.GetUnits();
    const int dh = ToHPixels(units, other.GetOrigin().H());
    const int dv = ToVPixels(units, other.GetOrigin().V());
    itsPoints = other.itsPoints;
    for (s_pnt& point : itsPoints) {
        point.h = static_cast<std::int16_t>(point.h - dh);
        point.v = static_cast<std::int16_t>(point.v - dv);
    }
    AdjustInternalPoints();
    itsLastPenSize = 0;
    return *this;
}

FRM_CPolygon::~FRM_CPolygon()
{
    itsPointList.clearAndDestroy();
}

FRM_CRect FRM_CPolygon::StorePoints(const std::vector<FRM_CPoint>& thePoints)
{
    FRM_CUnits::SetGlobalUnits(GetUnits());
    itsPoints.clear();
    for (const FRM_CPoint& point : thePoints)
        itsPoints.push_back(static_cast<s_pnt>(point));
    const FRM_CRect box = BoundingRect();
    AdjustInternalPoints();
    return box;
}

short FRM_CPolygon::IPolygon(short isFilled, short isVisible, unsigned long theGlue)
{
    itIsFilled = isFilled;
    return IShape(isVisible, theGlue);
}

RWOrdered FRM_CPolygon::GetPoints()
{
    itsPointList.clearAndDestroy();
    FRM_CUnits::SetGlobalUnits(GetUnits());
    for (const s_pnt& point : itsPoints)
        itsPointList.append(new FRM_CPointRWC(point.h, point.v));
    return itsPointList;
}

// ---------------------------------------------------------------------------------------------
// Geometry

FRM_CRect FRM_CPolygon::BoundingRect()
{
    const FRM_CEnvironment* environment = GetEnvironment();
    const short pen = environment != nullptr ? environment->GetPen().GetWidth() : 1;
    const float extra = frm_views::VPixelsToLogical(this, static_cast<float>(pen + 1));
    itsLastPenSize = pen;
    if (itsPoints.empty())
        return FRM_CRect();
    const FRM_CPoint first = AsPoint(itsPoints.front());
    FRM_CRect box(first.H(), first.V(), first.H() + extra, first.V() + extra);
    for (const s_pnt& point : itsPoints) {
        box.Left(std::min(box.Left(), static_cast<float>(point.h)));
        box.Top(std::min(box.Top(), static_cast<float>(point.v)));
        box.Right(std::max(box.Right(), point.h + extra));
        box.Bottom(std::max(box.Bottom(), point.v + extra));
    }
    return box;
}

void FRM_CPolygon::AdjustInternalPoints()
{
    const FRM_CUnits* units = GetUnits();
    const int dh = ToHPixels(units, itsOrigin.H());
    const int dv = ToVPixels(units, itsOrigin.V());
    for (s_pnt& point : itsPoints) {
        point.h = static_cast<std::int16_t>(point.h + dh);
        point.v = static_cast<std::int16_t>(point.v + dv);
    }
}

void FRM_CPolygon::SetOrigin(const FRM_CPoint& theDisplacement)
{
    FRM_CShape::SetOrigin(theDisplacement);
    const FRM_CUnits* units = GetUnits();
    const int dh = ToHPixels(units, theDisplacement.H());
    const int dv = ToVPixels(units, theDisplacement.V());
    for (s_pnt& point : itsPoints) {
        point.h = static_cast<std::int16_t>(point.h + dh);
        point.v = static_cast<std::int16_t>(point.v + dv);
    }
}

void FRM_CPolygon::Size(const FRM_CRect& theFrame)
{
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const s_rct before = static_cast<s_rct>(GetFrame() + itsOrigin);
    const s_rct after = static_cast<s_rct>(theFrame + itsOrigin);
    const long oldWidth = before.right - before.left - 1;
    const long oldHeight = before.bottom - before.top - 1;
    const long newWidth = after.right - after.left - 1;
    const long newHeight = after.bottom - after.top - 1;
    // A frame one pixel wide or high has nothing to scale by on that axis: the points move.
    for (s_pnt& point : itsPoints) {
        const long h = oldWidth > 0 ? (point.h - before.left) * newWidth / oldWidth + after.left
                                    : point.h - before.left + after.left;
        const long v = oldHeight > 0 ? (point.v - before.top) * newHeight / oldHeight + after.top
                                     : point.v - before.top + after.top;
        point.h = static_cast<std::int16_t>(h);
        point.v = static_cast<std::int16_t>(v);
    }
    FRM_CShape::Size(theFrame);
    if (CLineWF* frame = frm_views::SelectedVertexFrame(this))
        frame->CreateHitPoints();
}

void FRM_CPolygon::SetDragging(short isOn)
{
    frm_views::SwitchWireFrameMode(this, isOn, false, &NewCPolygonWF);
}

void FRM_CPolygon::SetSizing(short isOn)
{
    frm_views::SwitchWireFrameMode(this, isOn, true, &NewCPolygonWF);
}

// The frame is set round the points directly: sizing through Size would rescale the points
// that were just taken a second time.
bool FRM_CPolygon::TakePixelPoints(const std::vector<s_pnt>& thePoints)
{
    const bool same =
        thePoints.size() == itsPoints.size() &&
        std::equal(thePoints.begin(), thePoints.end(), itsPoints.begin(),
                   [](const s_pnt& a, const s_pnt& b) { return a.h == b.h && a.v == b.v; });
    if (same)
        return false;
    itsPoints = thePoints;
    FRM_CShape::Size(BoundingRect() - itsOrigin);
    return true;
}

short FRM_CPolygon::HitTest(const FRM_CPoint& thePoint) const
{
    if (FRM_CShape::HitTest(thePoint) == 0 || itsPoints.size() < 2)
        return 0;
    // In pixels, as the points are; each edge's box widened by the hit range, so that
    // horizontal and vertical edges can be hit as well as slanted ones.
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const FRM_CPoint q = AsPoint(static_cast<s_pnt>(thePoint + itsOrigin));
    const float range = static_cast<float>(FRM_CLine::kHitRange);
    const std::size_t edges = itIsFilled != 0 ? itsPoints.size() : itsPoints.size() - 1;
    for (std::size_t i = 0; i < edges; ++i) {
        const FRM_CPoint a = AsPoint(itsPoints[i]);
        const FRM_CPoint b = AsPoint(itsPoints[(i + 1) % itsPoints.size()]);
        FRM_CRect box(std::min(a.H(), b.H()), std::min(a.V(), b.V()), std::max(a.H(), b.H()),
                      std::max(a.V(), b.V()));
        box.Inflate(range, range);
        if (box.IsPointInRect(q) && FRM_CLine::GetDistanceFromLine(a, b, q) <= range)
            return 1;
    }
    return 0;
}

void FRM_CPolygon::Draw(const FRM_CRect&)
{
    if (itsPoints.empty())
        return;
    WINDOW window = GetVKOWindow();
    const FRM_CEnvironment* environment = GetEnvironment();
    const short pen = environment != nullptr ? environment->GetPen().GetWidth() : 1;
    if (pen != itsLastPenSize) {
        itsFrame = BoundingRect() - itsOrigin;
        FRM_CUnits::SetGlobalUnits(GetUnits());
        const s_rct clip = static_cast<s_rct>(GetClippedFrame());
        vko_dwin_set_clip(window, &clip);
    }
    // The vertex figures go while the polygon paints and come back on top of it.
    CLineWF* frame = frm_views::SelectedVertexFrame(this);
    if (frame != nullptr) {
        frame->DrawWF(FRM_CWireFrame::WFHIDE);
        frame->DrawFG(FRM_CWireFrame::WFHIDE);
    }
    if (environment != nullptr)
        environment->SetDrawingEnv(GetCWindow());
    const auto count = static_cast<std::int32_t>(itsPoints.size());
    if (itIsFilled != 0)
        vko_dwin_draw_polygon(window, itsPoints.data(), count);
    else
        vko_dwin_draw_polyline(window, itsPoints.data(), count);
    if (frame != nullptr) {
        frame->DrawWF(FRM_CWireFrame::WFSHOW);
        frame->DrawFG(FRM_CWireFrame::WFSHOW);
    }
}

// ---------------------------------------------------------------------------------------------
// Regular polygons

FRM_CRegularPoly::FRM_CRegularPoly(FRM_CSubview* theEnclosure, const FRM_CPoint& theCenter,
                                   float theRadius, int theNumberOfSides, float theAngle)
    : FRM_CPolygon(theEnclosure,
                   FRM_CRect(theCenter.H() - theRadius, theCenter.V() - theRadius,
                             theCenter.H() + theRadius, theCenter.V() + theRadius)),
      itsStartingAngle(static_cast<float>(theAngle * kPi / 180.0)), itsRadius(theRadius),
      itsCenter(theCenter)
{
    SetNumberOfSides(theNumberOfSides);
}

short FRM_CRegularPoly::IRegularPoly(int theNumberOfSides, short isFilled, short isVisible,
                                     unsigned long theGlue)
{
    const short result = IPolygon(isFilled, isVisible, theGlue);
    SetNumberOfSides(theNumberOfSides);
    return result;
}

void FRM_CRegularPoly::SetNumberOfSides(int theNumberOfSides)
{
    itsPoints.assign(static_cast<std::size_t>(std::max(theNumberOfSides, 3)) + 1, s_pnt{});
    CalculatePoints();
}

void FRM_CRegularPoly::Rotate(float theAngle)
{
    itsStartingAngle = static_cast<float>(itsStartingAngle + theAngle * kPi / 180.0);
    CalculatePoints();
}

float FRM_CRegularPoly::GetStartingAngle() const
{
    return static_cast<float>(itsStartingAngle * 180.0 / kPi);
}

void FRM_CRegularPoly::CalculatePoints()
{
    // Each vertex's angle is computed from the start, never accumulated, and the start is
    // brought into one turn: many rotations neither drift nor leave vertices unset.
    const std::size_t sides = itsPoints.size() - 1;
    const double step = kTwoPi / static_cast<double>(sides);
    const double start = std::fmod(static_cast<double>(itsStartingAngle), kTwoPi) +
                         (itsStartingAngle < 0 ? kTwoPi : 0.0);
    const FRM_CUnits* units = GetUnits();
    for (std::size_t i = 0; i < sides; ++i) {
        const double angle = start + static_cast<double>(i) * step;
        const auto v =
            static_cast<float>(static_cast<int>(itsCenter.V() + itsRadius * std::sin(angle)));
        const auto h =
            static_cast<float>(static_cast<int>(itsCenter.H() + itsRadius * std::cos(angle)));
        itsPoints[i].v = static_cast<std::int16_t>(ToVPixels(units, v));
        itsPoints[i].h = static_cast<std::int16_t>(ToHPixels(units, h));
    }
    itsPoints[sides] = itsPoints[0];
    AdjustInternalPoints();
}

void FRM_CRegularPoly::Size(const FRM_CRect& theFrame)
{
    const FRM_CRect squared = FRM_CSquare::Squared(GetFrame(), theFrame);
    FRM_CShape::Size(squared);
    itsRadius = squared.Width() / 2;
    itsCenter = FRM_CPoint(squared.Left() + itsRadius, squared.Top() + itsRadius);
    CalculatePoints();
}

// ---------------------------------------------------------------------------------------------
// The polygon's wire frame

void CPolygonWF::CreateHitPoints()
{
    if (const auto* polygon = FrmCast<FRM_CPolygon>(itsOwner))
        itsFramePnts = polygon->GetPixelPoints();
}

void CPolygonWF::DrawWireFrame(DRAWSTATE theState)
{
    if (!TakeDrawState(&itsDrawState, theState))
        return;
    const FRM_CEnvironment wide = WideEnvironment();
    WINDOW window = PrepareFigure(&wide);
    const auto* polygon = FrmCast<FRM_CPolygon>(itsOwner);
    const std::size_t n = itsFramePnts.size();
    const bool filled = polygon != nullptr && polygon->IsFilled() != 0;
    if (itsState == SIZING && polygon != nullptr && n >= 2 && itsGrabIndex < n) {
        // Only the edges at the grabbed point.
        const std::size_t i = itsGrabIndex;
        std::vector<std::size_t> path;
        if (i > 0 && i < n - 1)
            path = {i - 1, i, i + 1};
        else if (!filled)
            path = {i, i == 0 ? std::size_t{1} : n - 2};
        else if (i == 0)
            path = {1, 0, n - 1};
        else
            path = {n - 2, n - 1, 0};
        std::vector<s_pnt> edges;
        for (std::size_t index : path)
            edges.push_back(itsFramePnts[index]);
        vko_dwin_draw_polyline(window, edges.data(), static_cast<std::int32_t>(edges.size()));
    } else if (n > 0) {
        vko_dwin_draw_polyline(window, itsFramePnts.data(), static_cast<std::int32_t>(n));
        if (filled) {
            vko_dwin_draw_set_pos(window, itsFramePnts.front());
            vko_dwin_draw_line(window, itsFramePnts.back());
        }
    }
    DrawGroupRect(window);
}

short CPolygonWF::SizeOwner()
{
    auto* polygon = FrmCast<FRM_CPolygon>(itsOwner);
    if (polygon == nullptr)
        return 0;
    if (itsState == SELECTED) {
        // A member of a group that another wire frame moved.
        FRM_CSubview* enclosure = polygon->GetEnclosure();
        polygon->Size(enclosure != nullptr ? itsFrame.GetLocal(enclosure) : itsFrame);
        return 1;
    }
    itsState = SELECTED;
    return polygon->TakePixelPoints(itsFramePnts) ? 1 : 0;
}
