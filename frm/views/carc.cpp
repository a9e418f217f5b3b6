// carc.cpp: arcs and circles.
#include "frm/views/carc.h"

#include <cmath>

#include "frm/core/cunits.h"
#include "ruk/static/vkoruk.h"

namespace {

// Degrees to radians with the factor the shapes have always used (3.141596 / 180): drawing
// points stored by earlier versions stay where they were.
constexpr double kRadiansPerDegree = 0.01745331111111111;

int ToDevice(const FRM_CUnits* units, float value, bool horizontal)
{
    if (units == nullptr)
        return static_cast<int>(value);
    return horizontal ? units->HLogicalToPhysical(value) : units->VLogicalToPhysical(value);
}

} // namespace

FRM_CArc::FRM_CArc(FRM_CSubview* enclosure, const FRM_CPoint& center, float radiusH,
                   float radiusV, double start, double end)
    : FRM_CArc(enclosure,
               FRM_CRect(center.H() - radiusH, center.V() - radiusV, center.H() + radiusH,
                         center.V() + radiusV),
               start, end)
{
}

FRM_CArc::FRM_CArc(FRM_CSubview* enclosure, const FRM_CRect& frame, double start, double end)
    : FRM_CShape(enclosure, frame)
{
    SetAngles(start, end);
}

short FRM_CArc::IArc(double start, double end, short filled, short isVisible, unsigned long glue)
{
    SetAngles(start, end);
    itIsFilled = filled;
    return IShape(isVisible, glue);
}

void FRM_CArc::SetAngles(double start, double end)
{
    itsStartAngle = start;
    itsEndAngle = end;
    const FRM_CRect frame = GetFrame();
    const double rh = frame.Width() / 2.0;
    const double rv = frame.Height() / 2.0;
    const double startRadians = start * kRadiansPerDegree;
    const double endRadians = end * kRadiansPerDegree;
    itsStartH = static_cast<float>(frame.Left() + rh + std::cos(startRadians) * rh);
    itsStartV = static_cast<float>(frame.Top() + rv + -std::sin(startRadians) * rv);
    itsEndH = static_cast<float>(frame.Left() + rh + std::cos(endRadians) * rh);
    itsEndV = static_cast<float>(frame.Top() + rv + -std::sin(endRadians) * rv);
}

void FRM_CArc::Size(const FRM_CRect& frame)
{
    FRM_CShape::Size(frame);
    SetAngles(itsStartAngle, itsEndAngle);
}

void FRM_CArc::Draw(const FRM_CRect& clip)
{
    const FRM_CUnits* units = GetUnits();
    const s_rct rect = DeviceFrame(); // makes the view's units current
    const FRM_CPoint origin = GetOrigin();
    const int startH = ToDevice(units, origin.H() + itsStartH, true);
    const int startV = ToDevice(units, origin.V() + itsStartV, false);
    const int endH = ToDevice(units, origin.H() + itsEndH, true);
    const int endV = ToDevice(units, origin.V() + itsEndV, false);
    WINDOW window = GetVKOWindow();
    FRM_CShape::Draw(clip);
    if (!itIsFilled)
        vko_dwin_draw_arc(window, &rect, startH, startV, endH, endV);
    else if (startH == endH && startV == endV)
        vko_dwin_draw_oval(window, &rect);
    else
        vko_dwin_draw_pie(window, &rect, startH, startV, endH, endV);
}

void FRM_CCircle::Size(const FRM_CRect& frame)
{
    const FRM_CRect current = GetFrame();
    const float dw = current.Width() - frame.Width();
    const float dh = current.Height() - frame.Height();
    float side = 0;
    if (dw != 0 && dh != 0)
        side = (frame.Width() + frame.Height()) / 2;
    else
        side = dw != 0 ? frame.Width() : frame.Height();
    FRM_CRect square = frame;
    square.Width(side);
    square.Height(side);
    FRM_COval::Size(square);
}
