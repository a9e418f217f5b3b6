// ctblintp.cpp: the drawing rules every cell interpreter shares.
#include "frm/tables/ctblintp.h"

#include "frm/core/ctypeinfo.h"
#include "frm/core/cunits.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/tables/ctblview.h"

namespace {

// The selection hatch: grey diagonals over light grey.
constexpr unsigned long kHatchBackground = 0x0ac0c0c0;
constexpr unsigned long kHatchColor = 0x09808080;
// The second values of colours, as the environment takes them.
constexpr unsigned long kMonoBackground = 0xffffffff;
constexpr unsigned long kMonoBrush = 0x0bffffff;
constexpr unsigned long kMonoPen = 0x07000000;

using Attributes = FRM_CTableAttributes;

bool HasStyle(const Attributes& theAttributes, Attributes::BorderStyle theStyle)
{
    return theAttributes.TopBorder().itsStyle == theStyle ||
           theAttributes.LeftBorder().itsStyle == theStyle ||
           theAttributes.BottomBorder().itsStyle == theStyle ||
           theAttributes.RightBorder().itsStyle == theStyle;
}

}   // namespace

void FRM_CTableInterpreter::Draw(const CTableInterpreterParameters& theParameters)
{
    DrawBackground(theParameters);
    Attributes& attributes = *theParameters.itsAttributes;
    FRM_CDrawingContext& context = *theParameters.itsContext;
    const FRM_CRect& rect = *theParameters.itsCellBounds;
    if (IsRaised(attributes) || IsSunken(attributes)) {
        const unsigned long up = GetUpShadow(attributes);
        if (IsRaised(attributes))
            context.DrawOutsetFrame(rect, kCellBevelSize, up, GetDownShadow(up));
        else
            context.DrawInsetFrame(rect, kCellBevelSize, up, GetDownShadow(up));
        return;
    }
    const FRM_CPoint topLeft(rect.Left(), rect.Top()), topRight(rect.Right(), rect.Top());
    const FRM_CPoint bottomLeft(rect.Left(), rect.Bottom()),
        bottomRight(rect.Right(), rect.Bottom());
    DrawABorder(attributes.TopBorder(), context, topLeft, topRight);
    DrawABorder(attributes.LeftBorder(), context, topLeft, bottomLeft);
    DrawABorder(attributes.BottomBorder(), context, bottomLeft, bottomRight);
    DrawABorder(attributes.RightBorder(), context, topRight, bottomRight);
}

short FRM_CTableInterpreter::Key(const CTableInterpreterParameters&, const FRM_CKey&)
{
    return 0;
}

void FRM_CTableInterpreter::Scroll(const FRM_CPoint&) {}

int FRM_CTableInterpreter::BorderSize(const Attributes::Border& theBorder) const
{
    switch (theBorder.itsStyle) {
    case Attributes::BorderSingle:
    case Attributes::BorderDouble:
    case Attributes::BorderDashed:
    case Attributes::BorderSunken:
    case Attributes::BorderRaised:
        return 1;
    default:
        return 0;
    }
}

float FRM_CTableInterpreter::OnePixel() const
{
    if (itsTable != nullptr)
        if (const FRM_CUnits* units = itsTable->GetUnits())
            return units->VPhysicalToLogical(1);
    return 1.0f;
}

FRM_CRect FRM_CTableInterpreter::GetInterior(const FRM_CRect& theCellRect,
                                             Attributes& theAttributes)
{
    if (IsSunken(theAttributes) || IsRaised(theAttributes))
        return theCellRect.GetInflatedRect(-OnePixel());
    return FRM_CRect(theCellRect.Left() + BorderSize(theAttributes.LeftBorder()),
                     theCellRect.Top() + BorderSize(theAttributes.TopBorder()),
                     theCellRect.Right() - BorderSize(theAttributes.RightBorder()),
                     theCellRect.Bottom() - BorderSize(theAttributes.BottomBorder()));
}

void FRM_CTableInterpreter::DrawABorder(const Attributes::Border& theBorder,
                                        FRM_CDrawingContext& theContext,
                                        const FRM_CPoint& theStart, const FRM_CPoint& theStop)
{
    switch (theBorder.itsStyle) {
    case Attributes::BorderSingle:
        theContext.GetEnv().SetPen(theBorder.itsColor, 1, PAT_NONE, P_SOLID);
        break;
    case Attributes::BorderDouble:
        theContext.GetEnv().SetPen(theBorder.itsColor, 2, PAT_NONE, P_SOLID);
        break;
    case Attributes::BorderDashed:
        theContext.GetEnv().SetPen(theBorder.itsColor, 1, PAT_SOLID, P_SOLID);
        break;
    default:
        return;
    }
    theContext.DrawLine(theStart, theStop, 0, 0);
}

void FRM_CTableInterpreter::DrawBackground(const CTableInterpreterParameters& theParameters)
{
    FRM_CTableView* view = theParameters.itsView;
    FRM_CDrawingContext context(view);
    FRM_CEnvironment& environment = context.GetEnv();
    if (view != nullptr && view->GetAttributes().IsCellSelected(*theParameters.itsCell)) {
        environment.SetBrushPattern(PAT_BDIAG);
        environment.SetBackgroundColor(kHatchBackground, kMonoBackground);
        environment.SetBrushColor(kHatchColor, kMonoBrush);
        environment.SetPenColor(kHatchColor, kMonoPen);
    } else if (theParameters.itsAttributes->Background() != Attributes::kNoColor &&
               (theParameters.itsAttributes->Mask() & Attributes::MaskBackground)) {
        environment.SetBrushColor(theParameters.itsAttributes->Background(), kMonoBrush);
        environment.SetPenColor(theParameters.itsAttributes->Background(), kMonoPen);
    } else {
        return;
    }
    context.DrawRect(*theParameters.itsCellBounds, 0, 0);
}

short FRM_CTableInterpreter::IsRaised(Attributes& theAttributes) const
{
    return HasStyle(theAttributes, Attributes::BorderRaised) ? 1 : 0;
}

short FRM_CTableInterpreter::IsSunken(Attributes& theAttributes) const
{
    return HasStyle(theAttributes, Attributes::BorderSunken) ? 1 : 0;
}

unsigned long FRM_CTableInterpreter::GetUpShadow(Attributes& theAttributes) const
{
    for (const Attributes::Border& border : {theAttributes.TopBorder(), theAttributes.LeftBorder(),
                                              theAttributes.BottomBorder(),
                                              theAttributes.RightBorder()})
        if (border.itsStyle == Attributes::BorderSunken ||
            border.itsStyle == Attributes::BorderRaised)
            return border.itsColor;
    return Attributes::kNoColor;
}

unsigned long FRM_CTableInterpreter::GetDownShadow(unsigned long theColor) const
{
    return (theColor & 0xff000000UL) | ((theColor & 0x00fefefeUL) >> 1);
}

const FRM_CTypeInfo* FRM_CTableInterpreter::GetRunTimeTypeInfo() const
{
    return &frm_type::CTableInterpreter;
}

const FRM_CTypeInfo* FRM_CTableInterpreter::GetStaticTypeInfo()
{
    return &frm_type::CTableInterpreter;
}
