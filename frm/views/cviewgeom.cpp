// cviewgeom.cpp: points and rectangles between the coordinates of views: a view's local
// coordinates, its window's coordinates, and another view's, converting between the units
// of a view and of its window where they differ.
#include "frm/core/crect.h"

#include <algorithm>

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr long kErrPointGlobalizeNull = 1500;
constexpr int kLinePointGlobalizeNull = 134;
constexpr long kErrPointLocalizeNull = 1501;
constexpr int kLinePointLocalizeNull = 170;
constexpr long kErrRectGlobalizeNull = 1700;
constexpr int kLineRectGlobalizeNull = 332;
constexpr long kErrRectLocalizeNull = 1701;
constexpr int kLineRectLocalizeNull = 374;

const FRM_CUnits* WindowUnits(const FRM_CView* view)
{
    const FRM_CWindow* window = view->GetCWindow();
    return window != nullptr ? window->GetUnits() : nullptr;
}

// One coordinate from one units' logical values to another's, through pixels; null units
// take the values as pixels (truncated on the way in).
float Reunit(float value, bool horizontal, const FRM_CUnits* from, const FRM_CUnits* to)
{
    int pixels = 0;
    if (from != nullptr)
        pixels = horizontal ? from->HLogicalToPhysical(value) : from->VLogicalToPhysical(value);
    else
        pixels = static_cast<int>(std::clamp(value, -32768.0F, 32767.0F));
    if (to != nullptr)
        return horizontal ? to->HPhysicalToLogical(pixels) : to->VPhysicalToLogical(pixels);
    return static_cast<float>(pixels);
}

FRM_CPoint Reunit(const FRM_CPoint& point, const FRM_CUnits* from, const FRM_CUnits* to)
{
    if (from == to)
        return point;
    return FRM_CPoint(Reunit(point.H(), true, from, to), Reunit(point.V(), false, from, to));
}

FRM_CRect Reunit(const FRM_CRect& rect, const FRM_CUnits* from, const FRM_CUnits* to)
{
    if (from == to)
        return rect;
    return FRM_CRect(Reunit(rect.Left(), true, from, to), Reunit(rect.Top(), false, from, to),
                     Reunit(rect.Right(), true, from, to), Reunit(rect.Bottom(), false, from, to));
}

} // namespace

FRM_CPoint& FRM_CPoint::Globalize(const FRM_CView* view)
{
    if (view == nullptr) {
        FrmError(kErrPointGlobalizeNull, "cpoint", kLinePointGlobalizeNull);
        return *this;
    }
    *this += view->GetGlobalOrigin();
    *this = Reunit(*this, view->GetUnits(), WindowUnits(view));
    return *this;
}

FRM_CPoint& FRM_CPoint::Localize(const FRM_CView* view)
{
    if (view == nullptr) {
        FrmError(kErrPointLocalizeNull, "cpoint", kLinePointLocalizeNull);
        return *this;
    }
    *this -= view->GetGlobalOrigin();
    *this = Reunit(*this, WindowUnits(view), view->GetUnits());
    return *this;
}

FRM_CPoint& FRM_CPoint::Translate(const FRM_CView* from, const FRM_CView* to)
{
    Globalize(from);
    Localize(to);
    if (from == nullptr || to == nullptr || from->GetCWindow() == to->GetCWindow())
        return *this;
    s_pnt offset{0, 0};
    vko_vobj_translate_points(from->GetVKOWindow(), to->GetVKOWindow(), &offset, 1);
    const FRM_CUnits* units = WindowUnits(to);
    *this += units != nullptr
                 ? units->PhysicalToLogical(offset)
                 : FRM_CPoint(static_cast<float>(offset.h), static_cast<float>(offset.v));
    return *this;
}

FRM_CPoint FRM_CPoint::GetGlobal(const FRM_CView* view) const
{
    FRM_CPoint copy(*this);
    return copy.Globalize(view);
}

FRM_CPoint FRM_CPoint::GetLocal(const FRM_CView* view) const
{
    FRM_CPoint copy(*this);
    return copy.Localize(view);
}

FRM_CPoint FRM_CPoint::GetTranslated(const FRM_CView* from, const FRM_CView* to) const
{
    FRM_CPoint copy(*this);
    return copy.Translate(from, to);
}

FRM_CRect& FRM_CRect::Globalize(const FRM_CView* view)
{
    if (view == nullptr) {
        FrmError(kErrRectGlobalizeNull, "crect", kLineRectGlobalizeNull);
        return *this;
    }
    *this += view->GetGlobalOrigin();
    *this = Reunit(*this, view->GetUnits(), WindowUnits(view));
    return *this;
}

FRM_CRect& FRM_CRect::Localize(const FRM_CView* view)
{
    if (view == nullptr) {
        FrmError(kErrRectLocalizeNull, "crect", kLineRectLocalizeNull);
        return *this;
    }
    *this -= view->GetGlobalOrigin();
    *this = Reunit(*this, WindowUnits(view), view->GetUnits());
    return *this;
}

FRM_CRect& FRM_CRect::Translate(const FRM_CView* from, const FRM_CView* to)
{
    Globalize(from);
    return Localize(to);
}

FRM_CRect FRM_CRect::GetGlobal(const FRM_CView* view) const
{
    FRM_CRect copy(*this);
    return copy.Globalize(view);
}

FRM_CRect FRM_CRect::GetLocal(const FRM_CView* view) const
{
    FRM_CRect copy(*this);
    return copy.Localize(view);
}

FRM_CRect FRM_CRect::GetTranslated(const FRM_CView* from, const FRM_CView* to) const
{
    FRM_CRect copy(*this);
    return copy.Translate(from, to);
}
