// ctext.h: FRM_CText, a view that draws one line of text, its title, in its environment's
// font and colours: sized to the text, or placed left, right or centred in a fixed frame.
// Selected, it swaps its colours; printed, it shrinks its font until the text is no wider
// than on screen.
#pragma once

#include <cstdint>

#include "frm/views/cview.h"

class FRM_CText : public FRM_CView {
    FRM_TYPE_INFO(CText)
public:
    enum Placement : std::int32_t { NONE = 0, LEFT = 1, RIGHT = 2, CENTER = 3 };

    // The frame stays as given; the font is measured.
    FRM_CText(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, const FRM_CStringRW& theText);
    // Sized to the text at thePoint (an empty text keeps an empty frame).
    FRM_CText(FRM_CSubview* theEnclosure, const FRM_CPoint& thePoint, const FRM_CStringRW& theText);
    FRM_CText(const FRM_CText& other) = default;
    FRM_CText& operator=(const FRM_CText& other) = default;

    short IText(const FRM_CStringRW& theText, short isOpaque, short isVisible,
                unsigned long theGlue);

    void Draw(const FRM_CRect& theClip) override;
    void Size(const FRM_CRect& theFrame) override;
    void SetFont(const FRM_CFont& theFont, short isShared) override;
    void SetSizing(short isOn) override { FRM_CView::SetSizing(isOn); }
    void SetTitle(const FRM_CStringRW& theTitle) override;
    void DoPrintDraw(const FRM_CRect& theRect) override;

    virtual void SetText(const FRM_CStringRW& theText) { SetTitle(theText); }
    virtual FRM_CStringRW GetText() const { return GetTitle(); }
    virtual short IsOpaque() const { return itIsOpaque; }
    virtual void SetOpaque(short isOpaque) { itIsOpaque = isOpaque; }
    virtual void Select();
    virtual void Deselect();
    virtual short IsSelected() const { return itIsSelected; }
    // The text's height (ascent + descent + 2 pixels) and width in logical units.
    virtual float GetHeight();
    virtual float GetWidth();

    void SetPlacement(Placement thePlacement);
    Placement GetPlacement() const { return itsPlacement; }

private:
    // With placement NONE, sizes the frame to the text and repaints old and new areas.
    void RecalculateSize();

    short itIsOpaque = 1;
    short itIsSelected = 0;
    std::int32_t itsAscent = 0;               // pixels
    Placement itsPlacement = NONE;
    std::int32_t itsPhysicalTextWidth = 0;    // pixels
};
