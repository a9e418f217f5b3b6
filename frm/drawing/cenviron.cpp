// cenviron.cpp: environments, their conversion to the toolkit's drawing tools and their
// application to windows.
#include "frm/drawing/cenviron.h"

#include <utility>

#include "frm/views/cnativvw.h"
#include "frm/views/nscrllbr.h"
#include "frm/core/cobjrwc.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cwindow.h"

namespace {

struct EnvironmentState {
    short colorOn = 1;
};
EnvironmentState& State()
{
    static EnvironmentState state;
    return state;
}

} // namespace

const FRM_CFont& FRM_CEnvironment::DefaultFont()
{
    if (const FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG())
        return g->GetSTDFont();
    static const FRM_CFont fallback; // before the application exists: the toolkit default
    return fallback;
}

FRM_CEnvironment::FRM_CEnvironment(unsigned long backgroundColor, unsigned long foregroundColor,
                                   unsigned long brushColor, e_pat brushPattern,
                                   unsigned long penColor, e_pat penPattern, short penWidth,
                                   const FRM_CFont& font, e_mode drawingMode,
                                   e_pen_style penStyle, short textOpaque,
                                   unsigned long monoBackgroundColor,
                                   unsigned long monoForegroundColor,
                                   unsigned long monoBrushColor, unsigned long monoPenColor)
    : itsBrush(brushColor, brushPattern), itsPen(penColor, penPattern, penStyle, penWidth),
      itsDrawingMode(drawingMode), itIsTextOpaque(textOpaque),
      itsMonoBackgroundColor(monoBackgroundColor), itsMonoForegroundColor(monoForegroundColor),
      itsMonoBrushColor(monoBrushColor), itsMonoPenColor(monoPenColor), itsFont(font),
      itsBackgroundColor(backgroundColor), itsForegroundColor(foregroundColor)
{
}

FRM_CEnvironment::FRM_CEnvironment(const FRM_CFont& font, const FRM_CBrush& brush,
                                   const FRM_CPen& pen, e_mode drawingMode,
                                   unsigned long backgroundColor, unsigned long foregroundColor,
                                   short textOpaque, unsigned long monoBackgroundColor,
                                   unsigned long monoForegroundColor,
                                   unsigned long monoBrushColor, unsigned long monoPenColor)
    : itsBrush(brush), itsPen(pen), itsDrawingMode(drawingMode), itIsTextOpaque(textOpaque),
      itsMonoBackgroundColor(monoBackgroundColor), itsMonoForegroundColor(monoForegroundColor),
      itsMonoBrushColor(monoBrushColor), itsMonoPenColor(monoPenColor), itsFont(font),
      itsBackgroundColor(backgroundColor), itsForegroundColor(foregroundColor)
{
}

FRM_CEnvironment::FRM_CEnvironment(const s_drawct& tools)
    : itsBrush(tools.brush), itsPen(tools.pen), itsDrawingMode(tools.mode),
      itIsTextOpaque(tools.opaque_text), itsMonoBackgroundColor(kWhite),
      itsMonoForegroundColor(kBlack), itsMonoBrushColor(kWhite), itsMonoPenColor(kWhite),
      itsFont(DefaultFont()), itsBackgroundColor(tools.back_color),
      itsForegroundColor(tools.fore_color)
{
}

FRM_CEnvironment::~FRM_CEnvironment() = default;

short FRM_CEnvironment::IEnvironment(unsigned long backgroundColor, unsigned long foregroundColor,
                                     unsigned long brushColor, e_pat brushPattern,
                                     unsigned long penColor, e_pat penPattern, short penWidth,
                                     const FRM_CFont& font, e_mode drawingMode,
                                     e_pen_style penStyle, short textOpaque,
                                     unsigned long monoBackgroundColor,
                                     unsigned long monoForegroundColor,
                                     unsigned long monoBrushColor, unsigned long monoPenColor)
{
    itsBrush.IBrush(brushColor, brushPattern);
    itsPen.IPen(penColor, penPattern, penStyle, penWidth);
    itsDrawingMode = drawingMode;
    itIsTextOpaque = textOpaque;
    itsMonoBackgroundColor = monoBackgroundColor;
    itsMonoForegroundColor = monoForegroundColor;
    itsMonoBrushColor = monoBrushColor;
    itsMonoPenColor = monoPenColor;
    itsFont = font;
    itsBackgroundColor = backgroundColor;
    itsForegroundColor = foregroundColor;
    return 1;
}

short FRM_CEnvironment::IEnvironment(const FRM_CFont& font, const FRM_CBrush& brush,
                                     const FRM_CPen& pen, e_mode drawingMode,
                                     unsigned long backgroundColor,
                                     unsigned long foregroundColor, short textOpaque,
                                     unsigned long monoBackgroundColor,
                                     unsigned long monoForegroundColor,
                                     unsigned long monoBrushColor, unsigned long monoPenColor)
{
    return IEnvironment(backgroundColor, foregroundColor, brush.GetColor(), brush.GetPattern(),
                        pen.GetColor(), pen.GetPattern(), pen.GetWidth(), font, drawingMode,
                        pen.GetStyle(), textOpaque, monoBackgroundColor, monoForegroundColor,
                        monoBrushColor, monoPenColor);
}

void FRM_CEnvironment::SetColor(unsigned long backgroundColor, unsigned long foregroundColor,
                                unsigned long brushColor, unsigned long penColor,
                                unsigned long monoBackgroundColor,
                                unsigned long monoForegroundColor, unsigned long monoBrushColor,
                                unsigned long monoPenColor)
{
    itsBackgroundColor = backgroundColor;
    itsForegroundColor = foregroundColor;
    itsBrush.SetColor(brushColor);
    itsPen.SetColor(penColor);
    itsMonoBackgroundColor = monoBackgroundColor;
    itsMonoForegroundColor = monoForegroundColor;
    itsMonoBrushColor = monoBrushColor;
    itsMonoPenColor = monoPenColor;
}

void FRM_CEnvironment::SetBackgroundColor(unsigned long color, unsigned long monoColor)
{
    itsBackgroundColor = color;
    itsMonoBackgroundColor = monoColor;
}

void FRM_CEnvironment::SetForegroundColor(unsigned long color, unsigned long monoColor)
{
    itsForegroundColor = color;
    itsMonoForegroundColor = monoColor;
}

void FRM_CEnvironment::SetPen(unsigned long color, short width, e_pat pattern, e_pen_style style)
{
    itsPen = FRM_CPen(color, pattern, style, width);
}

void FRM_CEnvironment::SetPenColor(unsigned long color, unsigned long monoColor)
{
    itsPen.SetColor(color);
    itsMonoPenColor = monoColor;
}

void FRM_CEnvironment::SetBrush(unsigned long color, e_pat pattern)
{
    itsBrush = FRM_CBrush(color, pattern);
}

void FRM_CEnvironment::SetBrushColor(unsigned long color, unsigned long monoColor)
{
    itsBrush.SetColor(color);
    itsMonoBrushColor = monoColor;
}

void FRM_CEnvironment::SetColorOn(short on) { State().colorOn = on; }
short FRM_CEnvironment::IsColorOn() { return State().colorOn; }

unsigned long FRM_CEnvironment::GetForegroundColor() const
{
    return IsColorOn() ? itsForegroundColor : itsMonoForegroundColor;
}
unsigned long FRM_CEnvironment::GetBackgroundColor() const
{
    return IsColorOn() ? itsBackgroundColor : itsMonoBackgroundColor;
}
unsigned long FRM_CEnvironment::GetPenColor() const
{
    return IsColorOn() ? itsPen.GetColor() : itsMonoPenColor;
}
unsigned long FRM_CEnvironment::GetBrushColor() const
{
    return IsColorOn() ? itsBrush.GetColor() : itsMonoBrushColor;
}

void FRM_CEnvironment::SetDrawingEnv(const FRM_CWindow* window) const
{
    if (window == nullptr)
        return;
    const s_drawct tools = *this;
    WINDOW handle = window->GetVKOWindow();
    vko_dwin_set_draw_ctools(handle, &tools);
    vko_dwin_set_font(handle, itsFont);
}

void FRM_CEnvironment::SetNativeViewEnv(const FRM_CNativeView* view) const
{
    if (view == nullptr ||
        view->GetRunTimeTypeInfo()->IsSame(FRM_NWinScrollBar::GetStaticTypeInfo()))
        return;
    WINDOW handle = view->GetVKOWindow();
    const e_win_type type = view->GetVKOType();
    const bool drawsText = type != WC_HSCROLL && type != WC_VSCROLL && type != WC_ICON;
    s_fntid* font = itsFont;
    if (drawsText && font != nullptr && vko_font_is_valid(font) && vko_vobj_is_valid(handle))
        vko_ctl_set_font(handle, font);
    const struct {
        e_color_component component;
        unsigned long color;
    } colors[] = {{2, GetForegroundColor()}, {4, GetBackgroundColor()}, {8, itsBlendColor},
                  {32, itsBorderColor},       {16, itsHighlightColor},  {128, itsSelectColor},
                  {64, itsTroughColor}};
    for (const auto& entry : colors) {
        if (entry.color == kUnsetColor)
            continue;
        if (entry.color != vko_ctl_get_color_component(handle, entry.component))
            vko_ctl_set_color_component(handle, entry.component, entry.color);
    }
}

void FRM_CEnvironment::INativeViewColors(e_win_type type)
{
    itsForegroundColor = vko_ctl_get_native_color_component(type, 2);
    itsBackgroundColor = vko_ctl_get_native_color_component(type, 4);
    itsBlendColor = vko_ctl_get_native_color_component(type, 8);
    itsBorderColor = vko_ctl_get_native_color_component(type, 32);
    itsHighlightColor = vko_ctl_get_native_color_component(type, 16);
    itsSelectColor = vko_ctl_get_native_color_component(type, 128);
    itsTroughColor = vko_ctl_get_native_color_component(type, 64);
}

void FRM_CEnvironment::InvertColors()
{
    std::swap(itsBackgroundColor, itsForegroundColor);
    std::swap(itsMonoBackgroundColor, itsMonoForegroundColor);
    const unsigned long brushColor = itsBrush.GetColor();
    itsBrush.SetColor(itsPen.GetColor());
    itsPen.SetColor(brushColor);
}

bool FRM_CEnvironment::operator==(const FRM_CEnvironment& other) const
{
    if (this == &other)
        return true;
    return itsFont == other.itsFont && itsBrush == other.itsBrush && itsPen == other.itsPen &&
           itsBackgroundColor == other.itsBackgroundColor &&
           itsForegroundColor == other.itsForegroundColor &&
           itsDrawingMode == other.itsDrawingMode && itIsTextOpaque == other.itIsTextOpaque &&
           itsMonoBackgroundColor == other.itsMonoBackgroundColor &&
           itsMonoForegroundColor == other.itsMonoForegroundColor &&
           itsMonoBrushColor == other.itsMonoBrushColor &&
           itsMonoPenColor == other.itsMonoPenColor && itsBlendColor == other.itsBlendColor &&
           itsBorderColor == other.itsBorderColor &&
           itsHighlightColor == other.itsHighlightColor &&
           itsSelectColor == other.itsSelectColor && itsTroughColor == other.itsTroughColor;
}

FRM_CEnvironment::operator s_drawct() const
{
    s_drawct tools{};
    tools.pen = itsPen;
    tools.brush = itsBrush;
    tools.mode = itsDrawingMode;
    tools.opaque_text = itIsTextOpaque;
    tools.fore_color = static_cast<COLOR>(GetForegroundColor());
    tools.back_color = static_cast<COLOR>(GetBackgroundColor());
    tools.pen.color = static_cast<COLOR>(GetPenColor());
    tools.brush.color = static_cast<COLOR>(GetBrushColor());
    return tools;
}
