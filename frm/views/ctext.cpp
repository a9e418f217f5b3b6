// ctext.cpp: static text: measuring, sizing to the text, drawing by placement, selection
// and shrinking the font for printing.
#include "frm/views/ctext.h"

#include <algorithm>

#include "frm/core/cunits.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/drawing/cprntmgr.h"
#include "frm/views/csubview.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr unsigned long kWhite = 0x0BFFFFFFUL;
constexpr unsigned long kBlack = 0x07000000UL;
// The smallest font size print shrinking goes down to.
constexpr long kSmallestPrintSize = 1;

// Whole pixels, truncated and held to the toolkit's 16-bit range.
int Truncated(float value)
{
    return static_cast<int>(std::clamp(value, -32768.0F, 32767.0F));
}

int HPixels(const FRM_CUnits* units, float h)
{
    return units != nullptr ? units->HLogicalToPhysical(h) : Truncated(h);
}

int VPixels(const FRM_CUnits* units, float v)
{
    return units != nullptr ? units->VLogicalToPhysical(v) : Truncated(v);
}

bool IsPrinting()
{
    return FRM_CPrintMgr::GetPrintWindow() != nullptr;
}

} // namespace

FRM_CText::FRM_CText(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                     const FRM_CStringRW& theText)
    : FRM_CView(theEnclosure, theFrame, theText)
{
    GetHeight();
    GetWidth();
}

FRM_CText::FRM_CText(FRM_CSubview* theEnclosure, const FRM_CPoint& thePoint,
                     const FRM_CStringRW& theText)
    : FRM_CView(theEnclosure, FRM_CRect(thePoint, thePoint), theText)
{
    if (theText.isNull())
        return;
    FRM_CRect frame = itsFrame;
    frame.Width(GetWidth());
    frame.Height(GetHeight());
    Size(frame);
}

short FRM_CText::IText(const FRM_CStringRW& theText, short isOpaque, short isVisible,
                       unsigned long theGlue)
{
    SetText(theText);
    FRM_CRect frame = itsFrame;
    frame.Width(GetWidth());
    frame.Height(GetHeight());
    Size(frame);
    itIsOpaque = isOpaque;
    return IView(isVisible, theGlue);
}

// ---------------------------------------------------------------------------------------------
// Measuring and sizing

float FRM_CText::GetHeight()
{
    WINDOW window = GetVKOWindow();
    std::int32_t leading = 0;
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    if (window != nullptr) {
        if (const FRM_CEnvironment* environment = GetEnvironment())
            vko_dwin_set_font(window, environment->GetFont());
        vko_dwin_get_font_metrics(window, &leading, &ascent, &descent);
    }
    itsAscent = ascent;
    const int pixels = ascent + descent + 2;
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->VPhysicalToLogical(pixels) : static_cast<float>(pixels);
}

float FRM_CText::GetWidth()
{
    WINDOW window = GetVKOWindow();
    itsPhysicalTextWidth = 0;
    if (window != nullptr) {
        if (const FRM_CEnvironment* environment = GetEnvironment())
            vko_dwin_set_font(window, environment->GetFont());
        itsPhysicalTextWidth = vko_dwin_get_text_width(window, itsTitle.data(), -1);
    }
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->HPhysicalToLogical(itsPhysicalTextWidth)
                            : static_cast<float>(itsPhysicalTextWidth);
}

void FRM_CText::Size(const FRM_CRect& theFrame)
{
    FRM_CView::Size(theFrame);
    GetHeight();
}

void FRM_CText::RecalculateSize()
{
    if (itsPlacement != NONE)
        return;
    const FRM_CRect before = GetGlobalFrame();
    FRM_CRect frame = itsFrame;
    frame.Width(GetWidth());
    frame.Height(GetHeight());
    Size(frame);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    if (!IsPrinting())
        frm_views::InvalidateWindow(GetVKOWindow(), before + GetGlobalFrame());
}

void FRM_CText::SetTitle(const FRM_CStringRW& theTitle)
{
    FRM_CView::SetTitle(theTitle);
    RecalculateSize();
}

void FRM_CText::SetFont(const FRM_CFont& theFont, short isShared)
{
    FRM_CView::SetFont(theFont, isShared);
    RecalculateSize();
}

void FRM_CText::SetPlacement(Placement thePlacement)
{
    itsPlacement = thePlacement;
    RecalculateSize();
}

// ---------------------------------------------------------------------------------------------
// Drawing

void FRM_CText::Draw(const FRM_CRect& theClip)
{
    if (itsTitle.isNull())
        return;
    WINDOW window = GetVKOWindow();
    const FRM_CEnvironment* environment = GetEnvironment();
    if (window == nullptr || environment == nullptr)
        return;
    unsigned long background = environment->GetBackgroundColor();
    unsigned long foreground = environment->GetForegroundColor();
    if (background == FRM_CEnvironment::kUnsetColor)
        background = kWhite;
    if (foreground == FRM_CEnvironment::kUnsetColor)
        foreground = kBlack;
    const unsigned long paint = itIsSelected ? foreground : background;
    const unsigned long ink = itIsSelected ? background : foreground;
    s_drawct tools{};
    tools.pen.width = environment->GetPenWidth();
    tools.pen.pat = environment->GetPenPattern();
    tools.pen.style = 0;
    tools.pen.color = static_cast<COLOR>(paint);
    tools.brush.pat = environment->GetBrushPattern();
    tools.brush.color = static_cast<COLOR>(paint);
    tools.mode = environment->GetDrawingMode();
    tools.fore_color = static_cast<COLOR>(ink);
    tools.back_color = static_cast<COLOR>(paint);
    tools.opaque_text = itIsOpaque ? TRUE : FALSE;
    vko_dwin_set_draw_ctools(window, &tools);
    vko_dwin_set_font(window, environment->GetFont());
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const FRM_CUnits* units = GetUnits();

    if (itsPlacement != NONE && environment->IsTextOpaque()) {
        s_rct fill = static_cast<s_rct>(GetClippedFrame());
        vko_dwin_draw_rect(window, &fill);
    }
    const int left = HPixels(units, itsFrame.Left() + itsOrigin.H());
    const int right = HPixels(units, itsFrame.Right() + itsOrigin.H());
    const int textWidth = vko_dwin_get_text_width(window, itsTitle.data(), -1);
    int x = left;
    if (itsPlacement == RIGHT)
        x = right - textWidth;
    else if (itsPlacement == CENTER)
        x = left + (HPixels(units, itsFrame.Width()) - textWidth) / 2;
    const float height = GetHeight();
    int y = VPixels(units, itsFrame.Top() + itsOrigin.V()) + itsAscent + 1;
    if (itsPlacement != NONE) {
        y += (VPixels(units, itsFrame.Height()) - VPixels(units, height)) / 2;
        s_rct clip = static_cast<s_rct>(theClip - GetGlobalFrame());
        vko_dwin_set_clip(window, &clip);
    }
    vko_dwin_draw_text(window, x, y, itsTitle.data(), -1);
    FRM_CView::Draw(theClip);
}

void FRM_CText::Select()
{
    if (itIsSelected)
        return;
    itIsSelected = 1;
    FRM_CUnits::SetGlobalUnits(GetUnits());
    if (!IsPrinting() && itsEnclosure != nullptr)
        frm_views::InvalidateWindow(GetVKOWindow(), itsEnclosure->GetClippedFrame());
}

void FRM_CText::Deselect()
{
    if (!itIsSelected)
        return;
    itIsSelected = 0;
    WINDOW window = GetVKOWindow();
    const FRM_CRect area =
        itsEnclosure != nullptr ? itsEnclosure->GetClippedFrame() : GetClippedFrame();
    FRM_CUnits::SetGlobalUnits(GetUnits());
    s_rct clip = static_cast<s_rct>(area);
    vko_dwin_set_clip(window, &clip);
    Draw(area);
    vko_dwin_set_clip(window, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Printing

void FRM_CText::DoPrintDraw(const FRM_CRect& theRect)
{
    if (!IsVisible())
        return;
    FRM_CUnits* units = GetUnits();
    const FRM_CEnvironment* environment = GetEnvironment();
    if (units == nullptr || environment == nullptr) {
        FRM_CView::DoPrintDraw(theRect);
        return;
    }
    const float screenWidth = GetWidth();
    const FRM_CRect clip = ResolveClip(theRect);
    units->SetOutputDevice(FRM_CUnits::kPrinter);
    FRM_CEnvironment printing(*environment);
    const FRM_CFont screenFont(printing.GetFont());
    FRM_CFont font(screenFont);
    font.Map(GetCWindow());
    // A title that never fits stops at the smallest size instead of shrinking forever.
    while (units->HPhysicalToLogical(static_cast<int>(font.GetTextWidth(itsTitle))) > screenWidth &&
           font.GetSize() > kSmallestPrintSize) {
        font.SetSize(font.GetSize() - 1);
        font.Map(GetCWindow());
    }
    printing.SetFont(font);
    SetEnvironment(printing, 0);
    if (Prepare(clip))
        PrintDraw(clip);
    printing.SetFont(screenFont);
    SetEnvironment(printing, 0);
    units->SetOutputDevice(FRM_CUnits::kScreen);
}
