// cpolygon.h: FRM_CPolygon, the shape that draws a polyline (open) or a filled polygon
// through points kept in window pixels, and FRM_CRegularPoly, the regular polygon computed
// from a centre, a radius, a number of sides and a starting angle.
#pragma once

#include <memory>
#include <vector>

#include "frm/views/cline.h"
#include "frm/views/cshape.h"
#include "vkocoll/ordered.h"

class FRM_CPolygon : public FRM_CShape {
    FRM_TYPE_INFO(CPolygon)
public:
    // A null array or list is error 1600 (1601) and leaves no points.
    FRM_CPolygon(FRM_CSubview* theEnclosure, const FRM_CPoint* theArrayOfPoints,
                 int theNumberOfPoints);
    FRM_CPolygon(FRM_CSubview* theEnclosure, const RWOrdered* theListOfPoints);
    FRM_CPolygon(const FRM_CPolygon& other);
    FRM_CPolygon& operator=(const FRM_CPolygon& other);
    ~FRM_CPolygon() override;

    short IPolygon(short isFilled, short isVisible, unsigned long theGlue);
    virtual void SetFilled(short isFilled) { itIsFilled = isFilled; }
    virtual short IsFilled() const { return itIsFilled; }
    // The points in pixels (origin included), as FRM_CPointRWC items the polygon owns: a
    // later call destroys the items of the list an earlier one gave.
    RWOrdered GetPoints();
    int GetNumberOfPoints() const { return static_cast<int>(itsPoints.size()); }

    void Draw(const FRM_CRect& theClip) override;
    // Rescales the points into theFrame.
    void Size(const FRM_CRect& theFrame) override;
    void SetOrigin(const FRM_CPoint& theDisplacement) override;
    // Near an edge (the closing edge only when filled); the inside does not count.
    short HitTest(const FRM_CPoint& thePoint) const override;
    // A polygon makes its own vertex wire frame when a mode is first switched on.
    void SetDragging(short isOn) override;
    void SetSizing(short isOn) override;
    // The points in window pixels.
    const std::vector<s_pnt>& GetPixelPoints() const { return itsPoints; }
    // Takes new pixel points as they are and fits the frame round them; true when they
    // differed from the present ones.
    bool TakePixelPoints(const std::vector<s_pnt>& thePoints);

protected:
    FRM_CPolygon(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion);
    // The points' box, one pen width wider and higher, before the origin is added.
    FRM_CRect BoundingRect();
    void AdjustInternalPoints();

    std::vector<s_pnt> itsPoints;   // window pixels, origin included
    short itsLastPenSize = 0;

private:
    FRM_CRect StorePoints(const std::vector<FRM_CPoint>& thePoints);

    RWOrdered itsPointList;
    short itIsFilled = 0;
};

class FRM_CRegularPoly : public FRM_CPolygon {
    FRM_TYPE_INFO(CRegularPoly)
public:
    // theAngle in degrees; fewer than 3 sides make 3.
    FRM_CRegularPoly(FRM_CSubview* theEnclosure, const FRM_CPoint& theCenter, float theRadius,
                     int theNumberOfSides, float theAngle);
    FRM_CRegularPoly(const FRM_CRegularPoly& other) = default;
    FRM_CRegularPoly& operator=(const FRM_CRegularPoly& other) = default;
    ~FRM_CRegularPoly() override = default;

    short IRegularPoly(int theNumberOfSides, short isFilled, short isVisible,
                       unsigned long theGlue);
    // By theAngle degrees, clockwise on the screen.
    virtual void Rotate(float theAngle);
    virtual float GetStartingAngle() const;
    virtual void SetNumberOfSides(int theNumberOfSides);
    virtual int GetNumberOfSides() const { return GetNumberOfPoints() - 1; }
    // Squares theFrame and puts the polygon in it.
    void Size(const FRM_CRect& theFrame) override;
    // A regular polygon moves and sizes through a rectangle, as other views do.
    void SetDragging(short isOn) override { FRM_CView::SetDragging(isOn); }
    void SetSizing(short isOn) override { FRM_CView::SetSizing(isOn); }

private:
    void CalculatePoints();

    float itsStartingAngle = 0;   // radians
    float itsRadius = 0;
    FRM_CPoint itsCenter;
};

// The wire frame of a polygon: a handle on every point. While one point is dragged only the
// two edges at it are drawn.
class CPolygonWF : public CLineWF {
public:
    using CLineWF::CLineWF;
    CPolygonWF& operator=(const CPolygonWF&) = default;

    void CreateHitPoints() override;
    short SizeOwner() override;

protected:
    void DrawWireFrame(DRAWSTATE theState) override;
};
