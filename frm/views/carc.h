// carc.h: FRM_CArc, an elliptic arc or pie slice inscribed in its frame between two angles,
// and FRM_CCircle, an oval whose frame stays square when resized. Angles are degrees,
// counter-clockwise from the positive h axis with v growing downward; the drawing points
// where the angles meet the ellipse follow the frame.
#pragma once

#include "frm/views/cshape.h"

class FRM_CArc : public FRM_CShape {
    FRM_TYPE_INFO(CArc)
public:
    FRM_CArc(FRM_CSubview* enclosure, const FRM_CPoint& center, float radiusH, float radiusV,
             double start, double end);
    FRM_CArc(FRM_CSubview* enclosure, const FRM_CRect& frame, double start, double end);
    FRM_CArc(const FRM_CArc& other) = default;
    FRM_CArc& operator=(const FRM_CArc& other) = default;
    ~FRM_CArc() override = default;

    short IArc(double start, double end, short filled, short isVisible, unsigned long glue);
    // Not filled: the arc; filled: the pie slice, or the whole ellipse when both drawing
    // points fall on the same pixel.
    void Draw(const FRM_CRect& clip) override;
    // The new frame; the drawing points follow it, the angles stay.
    void Size(const FRM_CRect& frame) override;

    virtual void SetFilled(short filled) { itIsFilled = filled; }
    virtual short IsFilled() const { return itIsFilled; }
    virtual void SetAngles(double start, double end);
    virtual double GetStartingAngle() const { return itsStartAngle; }
    virtual double GetEndingAngle() const { return itsEndAngle; }

    FRM_CPoint GetStartPoint() const { return FRM_CPoint(itsStartH, itsStartV); }
    FRM_CPoint GetEndPoint() const { return FRM_CPoint(itsEndH, itsEndV); }

private:
    short itIsFilled = 0;
    float itsStartH = 0;
    float itsStartV = 0;
    float itsEndH = 0;
    float itsEndV = 0;
    double itsStartAngle = 0;
    double itsEndAngle = 0;
};

class FRM_CCircle : public FRM_COval {
    FRM_TYPE_INFO(CCircle)
public:
    FRM_CCircle(FRM_CSubview* enclosure, const FRM_CPoint& center, float radius)
        : FRM_COval(enclosure, center, radius, radius)
    {
    }
    FRM_CCircle(const FRM_CCircle& other) = default;
    FRM_CCircle& operator=(const FRM_CCircle& other) = default;
    ~FRM_CCircle() override = default;

    short ICircle(short isVisible, unsigned long glue) { return IShape(isVisible, glue); }
    // Keeps the frame square: a change of one side sets both; a change of both takes their
    // mean.
    void Size(const FRM_CRect& frame) override;
};
