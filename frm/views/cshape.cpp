// cshape.cpp: the shape base and the oval.
#include "frm/views/cshape.h"

#include "frm/core/cunits.h"
#include "frm/drawing/cenviron.h"
#include "ruk/static/vkoruk.h"

void FRM_CShape::Draw(const FRM_CRect& theClip)
{
    FRM_CSubview::Draw(theClip);
    if (const FRM_CEnvironment* environment = GetEnvironment())
        environment->SetDrawingEnv(GetCWindow());
}

s_rct FRM_CShape::DeviceFrame() const
{
    FRM_CUnits::SetGlobalUnits(GetUnits());
    return static_cast<s_rct>(GetFrame() + GetOrigin());
}

FRM_COval::FRM_COval(FRM_CSubview* theEnclosure, const FRM_CPoint& theCenter, float theHRadius,
                     float theVRadius)
    : FRM_CShape(theEnclosure,
                 FRM_CRect(theCenter.H() - theHRadius, theCenter.V() - theVRadius,
                           theCenter.H() + theHRadius, theCenter.V() + theVRadius))
{
}

void FRM_COval::Draw(const FRM_CRect& theClip)
{
    FRM_CShape::Draw(theClip);
    const s_rct rect = DeviceFrame();
    vko_dwin_draw_oval(GetVKOWindow(), &rect);
}
