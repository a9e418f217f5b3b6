// cpen.h: FRM_CPen and FRM_CBrush, plain values that mirror the toolkit's pen and brush
// records field for field, so that converting either way is a copy of the same fields.
#pragma once

#include "ruk/static/vkoruk.h"

class FRM_CPen {
public:
    FRM_CPen() = default; // fields left unset, as the toolkit record's are
    FRM_CPen(unsigned long color, e_pat pattern, e_pen_style style, short width)
    {
        IPen(color, pattern, style, width);
    }
    FRM_CPen(const s_cpen& pen) { *this = pen; } // NOLINT: converts like the record

    void IPen(unsigned long color, e_pat pattern, e_pen_style style, short width)
    {
        itsWidth = width;
        itsPattern = pattern;
        itsStyle = style;
        itsColor = color;
    }

    unsigned long GetColor() const { return itsColor; }
    e_pat GetPattern() const { return itsPattern; }
    e_pen_style GetStyle() const { return itsStyle; }
    short GetWidth() const { return itsWidth; }
    void SetColor(unsigned long color) { itsColor = color; }
    void SetPattern(e_pat pattern) { itsPattern = pattern; }
    void SetStyle(e_pen_style style) { itsStyle = style; }
    void SetWidth(short width) { itsWidth = width; }

    FRM_CPen& operator=(const s_cpen& pen)
    {
        IPen(pen.color, pen.pat, pen.style, pen.width);
        return *this;
    }
    operator s_cpen() const
    {
        s_cpen pen{};
        pen.width = itsWidth;
        pen.pat = itsPattern;
        pen.style = itsStyle;
        pen.color = static_cast<COLOR>(itsColor);
        return pen;
    }

    bool operator==(const FRM_CPen& other) const
    {
        return itsWidth == other.itsWidth && itsPattern == other.itsPattern &&
               itsColor == other.itsColor && itsStyle == other.itsStyle;
    }
    bool operator!=(const FRM_CPen& other) const { return !(*this == other); }

private:
    short itsWidth = 0;
    e_pat itsPattern = 0;
    e_pen_style itsStyle = 0;
    unsigned long itsColor = 0;
};

class FRM_CBrush {
public:
    FRM_CBrush() = default;
    FRM_CBrush(unsigned long color, e_pat pattern) { IBrush(color, pattern); }
    FRM_CBrush(const s_cbrush& brush) { *this = brush; } // NOLINT: converts like the record

    void IBrush(unsigned long color, e_pat pattern)
    {
        itsPattern = pattern;
        itsColor = color;
    }
    unsigned long GetColor() const { return itsColor; }
    e_pat GetPattern() const { return itsPattern; }
    void SetColor(unsigned long color) { itsColor = color; }
    void SetPattern(e_pat pattern) { itsPattern = pattern; }

    FRM_CBrush& operator=(const s_cbrush& brush)
    {
        IBrush(brush.color, brush.pat);
        return *this;
    }
    operator s_cbrush() const
    {
        s_cbrush brush{};
        brush.pat = itsPattern;
        brush.color = static_cast<COLOR>(itsColor);
        return brush;
    }

    bool operator==(const FRM_CBrush& other) const
    {
        return itsPattern == other.itsPattern && itsColor == other.itsColor;
    }
    bool operator!=(const FRM_CBrush& other) const { return !(*this == other); }

private:
    e_pat itsPattern = 0;
    unsigned long itsColor = 0;
};
