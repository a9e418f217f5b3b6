// cwirefrm.h: FRM_CWireFrame, the view that lets the user select, move and resize another
// view (its owner) at run time, and its two forms that keep the mouse on one axis. While the
// owner is selected the wire frame draws an outline round it and, when the owner may be
// resized, four grab handles outside its corners, both in exclusive-or mode so that drawing a
// figure twice erases it. A press inside the owner starts a move, a press in the 7-pixel ring
// outside it a resize; at mouse-up the owner (and every other selected view of its group)
// takes the new frame and the window repaints the changed area once.
//
// A wire frame is never one of its enclosure's subviews: the owner's hit search hands it the
// mouse. Its frame holds the owner's frame in window coordinates.
#pragma once

#include <vector>

#include "frm/views/cview.h"

class FRM_CWireFrame : public FRM_CView {
    FRM_TYPE_INFO(CWireFrame)
public:
    enum STATE { DRAGGING = 0, SIZING = 1, IDLE = 2, SELECTED = 3, SCROLLING = 4 };
    enum DRAWSTATE { WFSHOW = 0, WFHIDE = 1, WFUPDATE = 2 };

    static const int GRABBERSIZE;   // side of a grab handle, device pixels
    static const int WIRESIZE;      // width of the outline, device pixels

    // Side bits of a resize.
    static constexpr long kTop = 1;
    static constexpr long kBottom = 2;
    static constexpr long kLeft = 4;
    static constexpr long kRight = 8;

    // A null groupEnclosure groups the owner with the other views of its enclosure.
    FRM_CWireFrame(FRM_CView* theOwner, FRM_CSubview* theGroupEnclosure);
    FRM_CWireFrame(const FRM_CWireFrame& other);
    FRM_CWireFrame& operator=(const FRM_CWireFrame& other);
    // Takes the owner out of the selection and leaves the owner without wire frame.
    ~FRM_CWireFrame() override;

    short IWireFrame(short isSizable, short isDraggable, float theMinimalWidth,
                     float theMinimalHeight);

    short IsDraggable() const override { return itIsDraggable; }
    void SetDragging(short isOn) override;
    short IsSizable() const override { return itIsSizable; }
    void SetSizing(short isOn) override;
    virtual short IsSelected() const { return itsState != IDLE ? 1 : 0; }
    // Shows the figures, makes the owner the selected view and tells it (select command).
    virtual void Select();
    // Erases the figures, releases the pointer, drops the owner from the selection and tells
    // it (deselect command). Nothing for a wire frame that is not selected.
    virtual void Deselect();
    // Deselects every selected group met in theView's tree.
    virtual void DoDeselect(FRM_CView* theView);
    // Gives the owner the wire frame's frame; 0 when the frame had not changed.
    virtual short SizeOwner();
    virtual FRM_CView* GetOwner() const { return itsOwner; }
    virtual FRM_CSubview* GetGroupEnclosure() const { return itsGroupEnclosure; }
    // A null enclosure is error 2700.
    virtual void SetGroupEnclosure(FRM_CSubview* theGroupEnclosure);

    void MouseDouble(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void Draw(const FRM_CRect& theClip) override;
    void Size(const FRM_CRect& theFrame) override;
    void SetFont(const FRM_CFont& theFont, short isShared) override;
    void SetOrigin(const FRM_CPoint& theDisplacement) override;

    STATE GetState() const { return itsState; }
    long GetSizeSide() const { return itsSizeSide; }
    FRM_CRect GetMinimalRegion() const { return itsMinimalRegion; }

    // The process-wide state of all wire frames: the one whose MouseDown runs, the enclosure
    // the running mouse-down may still deselect in, and the count of moves that paces the
    // automatic scrolling (unsigned, so that it wraps instead of overflowing).
    static FRM_CView*& MDLast();
    static FRM_CView*& MDDeselectView();
    static unsigned& MMAutoSpeed();
    // For tests: forgets all three.
    static void ResetForTests();

protected:
    virtual short DoDraggingCheck(const FRM_CPoint& thePoint);
    virtual short DoBorderCheck(const FRM_CPoint& thePoint);
    virtual void Drag(FRM_CPoint thePoint);
    virtual void ReSize(FRM_CPoint thePoint);
    virtual void DoAutoScroll(float theH, float theV);
    virtual void DrawWireFrame(DRAWSTATE theState);
    virtual void DrawFrameGrabbers(DRAWSTATE theState);
    void SetGroupRegion();
    void ClearGroupRegion();

    // The owner's frame moved by its origin, cut to its enclosure's clipped frame.
    FRM_CRect VisibleOwnerRect() const;
    // The show/hide bookkeeping of a figure: false when nothing is to be drawn.
    static bool TakeDrawState(DRAWSTATE* theRecorded, DRAWSTATE theRequest);
    // Applies theEnvironment (or the own one) to the window, makes the units current and
    // clips to the clipped frame of the owner's enclosure; answers the drawing window.
    WINDOW PrepareFigure(const FRM_CEnvironment* theEnvironment = nullptr) const;
    // One device pixel in logical units, horizontally and vertically.
    float HPixel(float thePixels = 1) const;
    float VPixel(float thePixels = 1) const;
    // The repaint after a completed move or resize: erase, repaint theArea, show again.
    void RepaintAfterChange(const FRM_CRect& theArea);
    void ReleaseTrap() const;
    void SelectOwnerIn(FRM_CSubview* theGroup) const;
    void ClearSelectedOwner() const;

    long itsSizeSide = 0;
    FRM_CRect itsMinimalRegion;
    short itIsDraggable = 0;
    short itIsSizable = 0;
    std::vector<s_pnt> itsFramePnts;            // the outline (or the vertices) in pixels
    FRM_CView* itsOwner = nullptr;              // not owned
    FRM_CSubview* itsGroupEnclosure = nullptr;  // not owned
    DRAWSTATE itsGrabState = WFHIDE;
    short isGroupMode = 0;
    float itsGroupLeft = 0;
    float itsGroupRight = 0;
    float itsGroupTop = 0;
    float itsGroupBottom = 0;
    STATE itsState = IDLE;
    DRAWSTATE itsDrawState = WFHIDE;
    FRM_CPoint itsGrabPoint;
    long itsSelectCommand = 20004;
    long itsDeselectCommand = 20005;
    long itsSizeCommand = 20006;
};

// The wire frame of a view that may only move up and down.
class FRM_CVerticalWireFrame : public FRM_CWireFrame {
    FRM_TYPE_INFO(CVerticalWireFrame)
public:
    using FRM_CWireFrame::FRM_CWireFrame;
    void MouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
};

// The wire frame of a view that may only move sideways.
class FRM_CHorizontalWireFrame : public FRM_CWireFrame {
    FRM_TYPE_INFO(CHorizontalWireFrame)
public:
    using FRM_CWireFrame::FRM_CWireFrame;
    void MouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
};
