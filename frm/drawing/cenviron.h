// cenviron.h: FRM_CEnvironment, the drawing attributes a view, a document or the
// application draws with: pen, brush, mode, opaque text, font and colours. The four main
// colours are kept twice, for colour and for monochrome displays; one class-wide switch
// chooses which set the getters (and the toolkit record) carry. 0xFFFFFFFF means "not set".
#pragma once

#include "frm/core/cboss.h"
#include "frm/drawing/cfont.h"
#include "frm/drawing/cpen.h"

class FRM_CNativeView;
class FRM_CWindow;

class FRM_CEnvironment : public FRM_CNotifier {
public:
    static constexpr unsigned long kUnsetColor = 0xFFFFFFFFul;
    static constexpr unsigned long kWhite = 0x0BFFFFFFul;
    static constexpr unsigned long kBlack = 0x07000000ul;

    // The standard font of the global class library, or a default font before there is one.
    static const FRM_CFont& DefaultFont();

    FRM_CEnvironment(unsigned long backgroundColor = kUnsetColor,
                     unsigned long foregroundColor = kUnsetColor,
                     unsigned long brushColor = kWhite, e_pat brushPattern = 2,
                     unsigned long penColor = kBlack, e_pat penPattern = 2, short penWidth = 1,
                     const FRM_CFont& font = DefaultFont(), e_mode drawingMode = 0,
                     e_pen_style penStyle = 0, short textOpaque = 0,
                     unsigned long monoBackgroundColor = kWhite,
                     unsigned long monoForegroundColor = kBlack,
                     unsigned long monoBrushColor = kWhite, unsigned long monoPenColor = kBlack);
    FRM_CEnvironment(const FRM_CFont& font, const FRM_CBrush& brush, const FRM_CPen& pen,
                     e_mode drawingMode, unsigned long backgroundColor,
                     unsigned long foregroundColor, short textOpaque,
                     unsigned long monoBackgroundColor, unsigned long monoForegroundColor,
                     unsigned long monoBrushColor, unsigned long monoPenColor);
    // From the toolkit's record; its monochrome pen is white, unlike the defaults above.
    explicit FRM_CEnvironment(const s_drawct& tools);
    FRM_CEnvironment(const FRM_CEnvironment& other) = default;
    FRM_CEnvironment& operator=(const FRM_CEnvironment& other) = default;
    ~FRM_CEnvironment() override;

    // Both set every field their constructor sets except the five control colours; answer 1.
    short IEnvironment(unsigned long backgroundColor, unsigned long foregroundColor,
                       unsigned long brushColor, e_pat brushPattern, unsigned long penColor,
                       e_pat penPattern, short penWidth, const FRM_CFont& font,
                       e_mode drawingMode, e_pen_style penStyle, short textOpaque,
                       unsigned long monoBackgroundColor, unsigned long monoForegroundColor,
                       unsigned long monoBrushColor, unsigned long monoPenColor);
    short IEnvironment(const FRM_CFont& font, const FRM_CBrush& brush, const FRM_CPen& pen,
                       e_mode drawingMode, unsigned long backgroundColor,
                       unsigned long foregroundColor, short textOpaque,
                       unsigned long monoBackgroundColor, unsigned long monoForegroundColor,
                       unsigned long monoBrushColor, unsigned long monoPenColor);

    virtual void SetColor(unsigned long backgroundColor, unsigned long foregroundColor,
                          unsigned long brushColor, unsigned long penColor,
                          unsigned long monoBackgroundColor, unsigned long monoForegroundColor,
                          unsigned long monoBrushColor, unsigned long monoPenColor);
    virtual void SetBackgroundColor(unsigned long color, unsigned long monoColor);
    virtual void SetForegroundColor(unsigned long color, unsigned long monoColor);
    virtual void SetBlendColor(unsigned long color) { itsBlendColor = color; }
    virtual void SetBorderColor(unsigned long color) { itsBorderColor = color; }
    virtual void SetHighlightColor(unsigned long color) { itsHighlightColor = color; }
    virtual void SetSelectColor(unsigned long color) { itsSelectColor = color; }
    virtual void SetTroughColor(unsigned long color) { itsTroughColor = color; }
    virtual void SetFont(const FRM_CFont& font) { itsFont = font; }
    virtual void SetPen(unsigned long color, short width, e_pat pattern, e_pen_style style);
    virtual void SetPen(const FRM_CPen& pen) { itsPen = pen; }
    virtual void SetPenPattern(e_pat pattern) { itsPen.SetPattern(pattern); }
    virtual void SetPenStyle(e_pen_style style) { itsPen.SetStyle(style); }
    virtual void SetPenWidth(short width) { itsPen.SetWidth(width); }
    virtual void SetPenColor(unsigned long color, unsigned long monoColor);
    virtual void SetBrush(unsigned long color, e_pat pattern);
    virtual void SetBrush(const FRM_CBrush& brush) { itsBrush = brush; }
    virtual void SetBrushPattern(e_pat pattern) { itsBrush.SetPattern(pattern); }
    virtual void SetBrushColor(unsigned long color, unsigned long monoColor);
    virtual void SetDrawingMode(e_mode mode) { itsDrawingMode = mode; }
    virtual void SetTextOpaque(short opaque) { itIsTextOpaque = opaque; }
    // Chooses colour (non-zero) or monochrome values for every environment.
    virtual void SetColorOn(short on);
    // Makes this environment the drawing tools and font of the window's toolkit window.
    virtual void SetDrawingEnv(const FRM_CWindow* window) const;
    // Reads the toolkit's native control colours of a window type into the colour-display
    // foreground and background and the five control colours.
    // Gives a native control the font (controls that draw text only) and every set colour
    // that differs from the control's; window scroll bars have no control and are skipped.
    virtual void SetNativeViewEnv(const FRM_CNativeView* view) const;
    virtual void INativeViewColors(e_win_type type);

    static short IsColorOn();

    unsigned long GetForegroundColor() const;
    unsigned long GetBackgroundColor() const;
    unsigned long GetPenColor() const;
    unsigned long GetBrushColor() const;
    unsigned long GetBlendColor() const { return itsBlendColor; }
    unsigned long GetBorderColor() const { return itsBorderColor; }
    unsigned long GetHighlightColor() const { return itsHighlightColor; }
    unsigned long GetSelectColor() const { return itsSelectColor; }
    unsigned long GetTroughColor() const { return itsTroughColor; }
    FRM_CFont& GetFont() { return itsFont; }
    const FRM_CFont& GetFont() const { return itsFont; }
    FRM_CPen& GetPen() { return itsPen; }
    const FRM_CPen& GetPen() const { return itsPen; }
    FRM_CBrush& GetBrush() { return itsBrush; }
    const FRM_CBrush& GetBrush() const { return itsBrush; }
    e_pat GetPenPattern() const { return itsPen.GetPattern(); }
    e_pen_style GetPenStyle() const { return itsPen.GetStyle(); }
    short GetPenWidth() const { return itsPen.GetWidth(); }
    e_pat GetBrushPattern() const { return itsBrush.GetPattern(); }
    e_mode GetDrawingMode() const { return itsDrawingMode; }
    short IsTextOpaque() const { return itIsTextOpaque; }

    // Swaps background and foreground (both sets) and the colour-display brush and pen
    // colours.
    void InvertColors();

    bool operator==(const FRM_CEnvironment& other) const;
    bool operator!=(const FRM_CEnvironment& other) const { return !(*this == other); }
    // The record always carries the colours that the colour switch chooses.
    operator s_drawct() const;

private:
    FRM_CBrush itsBrush;
    FRM_CPen itsPen;
    e_mode itsDrawingMode = 0;
    short itIsTextOpaque = 0;
    unsigned long itsMonoBackgroundColor = kWhite;
    unsigned long itsMonoForegroundColor = kBlack;
    unsigned long itsMonoBrushColor = kWhite;
    unsigned long itsMonoPenColor = kBlack;
    FRM_CFont itsFont;
    unsigned long itsBackgroundColor = kUnsetColor;
    unsigned long itsForegroundColor = kUnsetColor;
    unsigned long itsBlendColor = kUnsetColor;
    unsigned long itsBorderColor = kUnsetColor;
    unsigned long itsHighlightColor = kUnsetColor;
    unsigned long itsSelectColor = kUnsetColor;
    unsigned long itsTroughColor = kUnsetColor;
};
