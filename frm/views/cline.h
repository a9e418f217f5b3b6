// cline.h: FRM_CLine, the shape that draws one straight line between two points, with an
// optional arrowhead at either end. Its frame is the points' box padded so that the pen and
// the arrowheads fit; it is hit only near the line itself.
#pragma once

#include <memory>

#include "frm/views/cshape.h"

class FRM_CLine : public FRM_CShape {
    FRM_TYPE_INFO(CLine)
public:
    // The hit distance, in device pixels.
    static constexpr int kHitRange = 7;

    FRM_CLine(FRM_CSubview* theEnclosure, const FRM_CPoint& theStartPoint,
              const FRM_CPoint& theEndPoint);
    FRM_CLine(const FRM_CLine& other);
    FRM_CLine& operator=(const FRM_CLine& other);
    ~FRM_CLine() override;

    short ILine(short hasBeginningArrow, short hasEndingArrow, short isVisible,
                unsigned long theGlue);
    virtual void SetArrows(short hasBeginningArrow, short hasEndingArrow);
    virtual short HasBeginningArrow() const { return itHasStartArrow; }
    virtual short HasEndingArrow() const { return itHasEndArrow; }
    FRM_CPoint GetStartPoint() const { return *itsStartPoint; }
    FRM_CPoint GetEndPoint() const { return *itsEndPoint; }
    // New points; the frame follows them.
    virtual void Size(const FRM_CPoint& theStart, const FRM_CPoint& theEnd);
    // A new frame; the points follow it, keeping the line's direction.
    void Size(const FRM_CRect& theFrame) override;
    void SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared) override;
    // Within the padded frame and at most kHitRange pixels from the line.
    short HitTest(const FRM_CPoint& thePoint) const override;
    void Draw(const FRM_CRect& theClip) override;

    // The distance from thePoint to the infinite line through a and b.
    static float GetDistanceFromLine(const FRM_CPoint& a, const FRM_CPoint& b,
                                     const FRM_CPoint& thePoint);

private:
    // The pad in pixels: room for the arrowheads, else half the pen, rounded.
    int PadPixels() const;
    FRM_CPoint Pad() const;
    void PadFrameFromPoints();
    void PadPointsFromFrame();

    short itHasStartArrow = 0;
    short itHasEndArrow = 0;
    std::unique_ptr<FRM_CPoint> itsStartPoint;
    std::unique_ptr<FRM_CPoint> itsEndPoint;
};
