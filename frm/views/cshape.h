// cshape.h: FRM_CShape, the base of views that draw one figure in their frame with the pen
// and brush of their own environment, and FRM_COval, the ellipse. A shape is a subview
// owned by its enclosure like any other view.
#pragma once

#include "frm/views/csubview.h"

class FRM_CShape : public FRM_CSubview {
    FRM_TYPE_INFO(CShape)
public:
    short IShape(short isVisible, unsigned long theGlue) { return ISubview(isVisible, theGlue); }
    // The view's own drawing, then the shape's environment applied to its window, so that
    // the figure a derived Draw paints uses the shape's pen, brush and mode.
    void Draw(const FRM_CRect& theClip) override;

protected:
    FRM_CShape(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame)
        : FRM_CSubview(theEnclosure, theFrame)
    {
    }
    FRM_CShape(const FRM_CShape& other) = default;
    FRM_CShape& operator=(const FRM_CShape& other) = default;
    ~FRM_CShape() override = default;

    // The frame moved by the origin, in pixels through the view's units (made current).
    s_rct DeviceFrame() const;
};

class FRM_COval : public FRM_CShape {
    FRM_TYPE_INFO(COval)
public:
    FRM_COval(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame)
        : FRM_CShape(theEnclosure, theFrame)
    {
    }
    FRM_COval(FRM_CSubview* theEnclosure, const FRM_CPoint& theCenter, float theHRadius,
              float theVRadius);
    FRM_COval(const FRM_COval& other) = default;
    FRM_COval& operator=(const FRM_COval& other) = default;
    ~FRM_COval() override = default;

    short IOval(short isVisible, unsigned long theGlue) { return IShape(isVisible, theGlue); }
    void Draw(const FRM_CRect& theClip) override;
};
