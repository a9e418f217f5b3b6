// crect.cpp: points, rectangles, cells, bounds and courses.
#include "frm/core/crect.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include "frm/core/cunits.h"

namespace {
// A coordinate as a toolkit pixel value: truncated toward zero, clamped to 16 bits.
std::int16_t ToPixel(double value)
{
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    if (std::isnan(value))
        return 0;
    return static_cast<std::int16_t>(std::clamp(value, lo, hi));
}
} // namespace

FRM_CPoint::FRM_CPoint(const s_pnt& point)
{
    if (const FRM_CUnits* units = FRM_CUnits::GetGlobalUnits()) {
        *this = units->PhysicalToLogical(point);
        return;
    }
    itsH = point.h;
    itsV = point.v;
}

FRM_CPoint& FRM_CPoint::SetPoint(float h, float v)
{
    itsH = h;
    itsV = v;
    return *this;
}

FRM_CPoint::operator s_pnt() const
{
    if (const FRM_CUnits* units = FRM_CUnits::GetGlobalUnits())
        return units->LogicalToPhysical(itsH, itsV);
    s_pnt point;
    point.h = ToPixel(itsH);
    point.v = ToPixel(itsV);
    return point;
}

FRM_CPoint& FRM_CPoint::operator+=(const FRM_CPoint& other)
{
    itsH += other.itsH;
    itsV += other.itsV;
    return *this;
}

FRM_CPoint& FRM_CPoint::operator-=(const FRM_CPoint& other)
{
    itsH -= other.itsH;
    itsV -= other.itsV;
    return *this;
}

FRM_CPoint operator+(const FRM_CPoint& a, const FRM_CPoint& b) { return FRM_CPoint(a) += b; }
FRM_CPoint operator-(const FRM_CPoint& a, const FRM_CPoint& b) { return FRM_CPoint(a) -= b; }

FRM_CRect::FRM_CRect(const FRM_CPoint& topLeft, const FRM_CPoint& bottomRight)
    : FRM_CRect(topLeft.H(), topLeft.V(), bottomRight.H(), bottomRight.V())
{
}

FRM_CRect::FRM_CRect(const s_rct& rect)
{
    if (const FRM_CUnits* units = FRM_CUnits::GetGlobalUnits()) {
        *this = units->PhysicalToLogical(rect);
        return;
    }
    SetRect(rect.left, rect.top, rect.right, rect.bottom);
}

FRM_CRect& FRM_CRect::SetRect(float left, float top, float right, float bottom)
{
    itsLeft = left;
    itsTop = top;
    itsRight = right;
    itsBottom = bottom;
    return *this;
}

FRM_CRect& FRM_CRect::SetRect(const FRM_CPoint& topLeft, const FRM_CPoint& bottomRight)
{
    return SetRect(topLeft.H(), topLeft.V(), bottomRight.H(), bottomRight.V());
}

bool FRM_CRect::IsPointInRect(const FRM_CPoint& point) const
{
    return itsLeft <= point.H() && point.H() <= itsRight && itsTop <= point.V() &&
           point.V() <= itsBottom;
}

FRM_CRect::operator s_rct() const
{
    if (const FRM_CUnits* units = FRM_CUnits::GetGlobalUnits())
        return units->LogicalToPhysical(itsLeft, itsTop, itsRight, itsBottom);
    s_rct rect;
    rect.left = ToPixel(itsLeft);
    rect.top = ToPixel(itsTop);
    rect.right = ToPixel(itsRight);
    rect.bottom = ToPixel(itsBottom);
    return rect;
}

FRM_CRect FRM_CRect::GetInflatedRect(float dh, float dv) const
{
    return FRM_CRect(*this).Inflate(dh, dv);
}

FRM_CRect& FRM_CRect::Inflate(float dh, float dv)
{
    return SetRect(itsLeft - dh, itsTop - dv, itsRight + dh, itsBottom + dv);
}

FRM_CRect& FRM_CRect::operator+=(const FRM_CRect& other)
{
    return SetRect(std::min(itsLeft, other.itsLeft), std::min(itsTop, other.itsTop),
                   std::max(itsRight, other.itsRight), std::max(itsBottom, other.itsBottom));
}

FRM_CRect& FRM_CRect::operator-=(const FRM_CRect& other)
{
    SetRect(std::max(itsLeft, other.itsLeft), std::max(itsTop, other.itsTop),
            std::min(itsRight, other.itsRight), std::min(itsBottom, other.itsBottom));
    if (itsRight < itsLeft || itsBottom < itsTop)
        SetRect(0, 0, 0, 0);
    return *this;
}

FRM_CRect& FRM_CRect::operator+=(const FRM_CPoint& offset)
{
    return SetRect(itsLeft + offset.H(), itsTop + offset.V(), itsRight + offset.H(),
                   itsBottom + offset.V());
}

FRM_CRect& FRM_CRect::operator-=(const FRM_CPoint& offset)
{
    return SetRect(itsLeft - offset.H(), itsTop - offset.V(), itsRight - offset.H(),
                   itsBottom - offset.V());
}

FRM_CRect operator+(const FRM_CRect& a, const FRM_CRect& b) { return FRM_CRect(a) += b; }
FRM_CRect operator-(const FRM_CRect& a, const FRM_CRect& b) { return FRM_CRect(a) -= b; }
FRM_CRect operator&(const FRM_CRect& a, const FRM_CRect& b) { return FRM_CRect(a) -= b; }
FRM_CRect operator+(const FRM_CRect& rect, const FRM_CPoint& offset)
{
    return FRM_CRect(rect) += offset;
}
FRM_CRect operator+(const FRM_CPoint& offset, const FRM_CRect& rect)
{
    return FRM_CRect(rect) += offset;
}
FRM_CRect operator-(const FRM_CRect& rect, const FRM_CPoint& offset)
{
    return FRM_CRect(rect) -= offset;
}

FRM_CCell& FRM_CCell::operator+=(const FRM_CCell& other)
{
    itsH += other.itsH;
    itsV += other.itsV;
    return *this;
}

FRM_CCell& FRM_CCell::operator-=(const FRM_CCell& other)
{
    itsH -= other.itsH;
    itsV -= other.itsV;
    return *this;
}

FRM_CCell operator+(const FRM_CCell& a, const FRM_CCell& b) { return FRM_CCell(a) += b; }
FRM_CCell operator-(const FRM_CCell& a, const FRM_CCell& b) { return FRM_CCell(a) -= b; }

bool FRM_CBounds::Contains(const FRM_CCell& cell) const
{
    return itsTop <= cell.V() && cell.V() < itsBottom && itsLeft <= cell.H() &&
           cell.H() < itsRight;
}

FRM_CBounds& FRM_CBounds::operator+=(const FRM_CCell& offset)
{
    itsTop += offset.V();
    itsBottom += offset.V();
    itsLeft += offset.H();
    itsRight += offset.H();
    return *this;
}

FRM_CBounds& FRM_CBounds::operator-=(const FRM_CCell& offset)
{
    itsTop -= offset.V();
    itsBottom -= offset.V();
    itsLeft -= offset.H();
    itsRight -= offset.H();
    return *this;
}

FRM_CBounds FRM_CBounds::Intersection(const FRM_CBounds& other) const
{
    if (IsEmpty())
        return *this;
    return FRM_CBounds(std::max(itsTop, other.itsTop), std::max(itsLeft, other.itsLeft),
                       std::min(itsBottom, other.itsBottom), std::min(itsRight, other.itsRight));
}

FRM_CBounds FRM_CBounds::Union(const FRM_CBounds& other) const
{
    if (IsEmpty())
        return other;
    return FRM_CBounds(std::min(itsTop, other.itsTop), std::min(itsLeft, other.itsLeft),
                       std::max(itsBottom, other.itsBottom), std::max(itsRight, other.itsRight));
}

FRM_CBounds FRM_CBounds::Union(const FRM_CCell& cell) const
{
    // A cell at the last row or column has no exclusive edge beyond it: keep the edge there.
    const std::int32_t below =
        cell.V() < std::numeric_limits<std::int32_t>::max() ? cell.V() + 1 : cell.V();
    const std::int32_t right =
        cell.H() < std::numeric_limits<std::int32_t>::max() ? cell.H() + 1 : cell.H();
    if (IsEmpty())
        return FRM_CBounds(cell.V(), cell.H(), below, right);
    return FRM_CBounds(std::min(itsTop, cell.V()), std::min(itsLeft, cell.H()),
                       std::max(itsBottom, below), std::max(itsRight, right));
}

FRM_CCourse FRM_CCourse::BorderRollOver() const
{
    if (itsReach == kReach1)
        return FRM_CCourse(itsDirection + 180, kReach2);
    if (itsReach == kReach2)
        return *this;
    return FRM_CCourse(0, kReach0);
}
