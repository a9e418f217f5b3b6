// cline.h: FRM_CLine, the shape that draws one straight line between two points, with an
// optional arrowhead at either end. Its frame is the points' box padded so that the pen and
// the arrowheads fit; it is hit only near the line itself.
#pragma once

#include <memory>

#include "frm/views/cshape.h"
#include "frm/views/cwirefrm.h"

class CLineWF;

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
    // A line makes its own vertex wire frame when a mode is first switched on.
    void SetDragging(short isOn) override;
    void SetSizing(short isOn) override;

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

// The wire frame of a line: it works on vertices instead of a rectangle. Each vertex has a
// small square handle; dragging a handle moves that vertex alone, dragging the line elsewhere
// moves every vertex. The polygon's wire frame builds on it, so it takes any number of
// vertices, kept in window pixels.
class CLineWF : public FRM_CWireFrame {
    FRM_TYPE_INFO(CLineWF)
public:
    CLineWF(FRM_CView* theOwner, FRM_CSubview* theGroupEnclosure);
    CLineWF(const CLineWF& other);
    // Hand-written: a vertex wire frame belongs to its owner; assigning one changes nothing.
    CLineWF& operator=(const CLineWF&) { return *this; }
    ~CLineWF() override = default;

    void SetDragging(short isOn) override;
    void SetSizing(short isOn) override;
    void Select() override;
    void Size(const FRM_CRect& theFrame) override;
    short SizeOwner() override;
    // Takes the vertices from the owner.
    virtual void CreateHitPoints();
    void DrawWF(DRAWSTATE theState) { DrawWireFrame(theState); }
    void DrawFG(DRAWSTATE theState) { DrawFrameGrabbers(theState); }

    const std::vector<s_pnt>& GetVertices() const { return itsFramePnts; }
    std::size_t GetGrabIndex() const { return itsGrabIndex; }

protected:
    short DoDraggingCheck(const FRM_CPoint& thePoint) override;
    short DoBorderCheck(const FRM_CPoint& thePoint) override;
    void Drag(FRM_CPoint thePoint) override;
    void ReSize(FRM_CPoint thePoint) override;
    void DoAutoScroll(float theH, float theV) override;
    void DrawWireFrame(DRAWSTATE theState) override;
    void DrawFrameGrabbers(DRAWSTATE theState) override;
    // The mouse motion since the grab point in device pixels; the grab point follows.
    s_pnt TakeMotion(const FRM_CPoint& thePoint);
    // The environment of the outline: the own one with a pen two pixels wider.
    FRM_CEnvironment WideEnvironment() const;
    // The rectangle round a group of several selected views, when the group reaches beyond
    // the vertices.
    void DrawGroupRect(WINDOW theWindow) const;

    std::size_t itsGrabIndex = 0;
    short itIsSelectable = 0;
    FRM_CPoint itsInitialGrabPoint;
};

namespace frm_views {

// The vertex wire frame of a line or polygon, when it has one and it is selected.
CLineWF* SelectedVertexFrame(const FRM_CView* theShape);

} // namespace frm_views
