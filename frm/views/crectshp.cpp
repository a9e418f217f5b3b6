// crectshp.cpp: rectangles, rounded rectangles and squares.
#include "frm/views/crectshp.h"

#include <cmath>

#include "frm/core/cunits.h"
#include "ruk/static/vkoruk.h"

namespace {

// A corner size whose whole part is this bit pattern leaves that size as it is.
constexpr long kKeepCorner = -252645136L;   // 0xF0F0F0F0

float CornerSize(float theRequested, float theCurrent)
{
    const long whole = static_cast<long>(theRequested);
    if (whole == kKeepCorner)
        return theCurrent;
    return static_cast<float>(whole < 1 ? 1 : whole);
}

} // namespace

short FRM_CRectangle::IRectangle(short hasRoundCorners, float theCornerWidth,
                                 float theCornerHeight, short isVisible, unsigned long theGlue)
{
    itHasRoundCorners = hasRoundCorners;
    itsCornerWidth = theCornerWidth;
    itsCornerHeight = theCornerHeight;
    return IShape(isVisible, theGlue);
}

void FRM_CRectangle::SetRoundedCorners(short isCornerRounded, float theCornerWidth,
                                       float theCornerHeight)
{
    itHasRoundCorners = isCornerRounded;
    itsCornerWidth = CornerSize(theCornerWidth, itsCornerWidth);
    itsCornerHeight = CornerSize(theCornerHeight, itsCornerHeight);
}

void FRM_CRectangle::Draw(const FRM_CRect& theClip)
{
    FRM_CShape::Draw(theClip);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const s_rct rect = static_cast<s_rct>(GetGlobalFrame());
    WINDOW window = GetVKOWindow();
    if (itHasRoundCorners == 0) {
        vko_dwin_draw_rect(window, &rect);
        return;
    }
    const FRM_CUnits* units = GetUnits();
    const int width = units != nullptr ? units->HLogicalToPhysical(itsCornerWidth)
                                       : static_cast<int>(itsCornerWidth);
    const int height = units != nullptr ? units->VLogicalToPhysical(itsCornerHeight)
                                        : static_cast<int>(itsCornerHeight);
    vko_dwin_draw_roundrect(window, &rect, width, height);
}

FRM_CRect FRM_CSquare::Squared(const FRM_CRect& theOld, const FRM_CRect& theFrame)
{
    float side = (theFrame.Width() + theFrame.Height()) / 2;
    if (theFrame.Width() == theOld.Width())
        side = theFrame.Height();
    else if (theFrame.Height() == theOld.Height())
        side = theFrame.Width();
    FRM_CRect squared = theFrame;
    squared.Width(side);
    squared.Height(side);
    return squared;
}

void FRM_CSquare::Size(const FRM_CRect& theFrame)
{
    FRM_CRectangle::Size(Squared(GetFrame(), theFrame));
}
