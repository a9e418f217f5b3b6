// cdrawctx.h: FRM_CDrawingContext, through which a view draws into its window. A context
// lives on the stack for one drawing or invalidating pass. It holds its own copy of the
// environment and applies it, with the view's units, to the toolkit window only when a
// primitive runs and something changed or another context drew in between: the context on
// top of the stackable stack is the one whose tools are set. Primitives take floats as
// device pixels, clamped to the toolkit's 16-bit range.
#pragma once

#include "frm/core/cvaluerwc.h"
#include "frm/core/crect.h"
#include "frm/core/cstringrw.h"
#include "frm/drawing/cenviron.h"
#include "frm/core/cstackbl.h"
#include "vkocoll/ordered.h"

class FRM_CView;

class FRM_CDrawingContext : public FRM_CStackable {
public:
    explicit FRM_CDrawingContext(const FRM_CView* view);
    FRM_CDrawingContext(const FRM_CView* view, const FRM_CEnvironment& environment);
    // Copying a context is misuse: fatal 32000.
    FRM_CDrawingContext(const FRM_CDrawingContext& other);
    FRM_CDrawingContext& operator=(const FRM_CDrawingContext& other);
    // Drops the queued rectangles without invalidating anything; the previous context on
    // the stack then re-applies its own tools.
    ~FRM_CDrawingContext() override;

    // The context's own environment; the caller may change it, so the next primitive
    // applies it again.
    FRM_CEnvironment& GetEnv();
    FRM_CEnvironment& operator()() { return GetEnv(); }
    void SetEnv(const FRM_CEnvironment& environment);

    // Lines: arrows are drawn when either flag is non-zero.
    void DrawLine(const FRM_CPoint& to, short beginArrow = 0, short endArrow = 0);
    void DrawLine(const FRM_CPoint& from, const FRM_CPoint& to, short beginArrow = 0,
                  short endArrow = 0);
    void SetLinePos(const FRM_CPoint& point);
    void DrawIcon(int resourceId, const FRM_CPoint& point);
    void DrawArc(const FRM_CRect& bounds, const FRM_CPoint& start, const FRM_CPoint& stop);
    void DrawPie(const FRM_CRect& bounds, const FRM_CPoint& start, const FRM_CPoint& stop);
    // Points are FRM_CPointRWC entries converted through the current units.
    void DrawPolygon(const RWOrdered& points, short closed);
    void DrawText(const FRM_CStringRW& text, const FRM_CPoint& point);
    void DrawPicture(PICTURE picture, const FRM_CRect& rect);
    // A rounded rectangle when either oval value is non-zero.
    void DrawRect(const FRM_CRect& rect, short ovalWidth = 0, short ovalHeight = 0);
    void DrawOval(const FRM_CRect& rect);
    // Copies the source part of the pixmap or image to the destination in the window.
    void DrawPixmap(PIXMAP pixmap, const FRM_CRect& source, const FRM_CRect& destination);
    void DrawImage(IMAGE image, const FRM_CRect& source, const FRM_CRect& destination);
    // The global maximal rectangle removes the clipping; any other rectangle clips to it.
    void SetClip(const FRM_CRect& rect);
    FRM_CRect GetClip();
    void SetCaretPos(const FRM_CPoint& point);
    void SetCaretVisible(short visible);
    void SetCaretSize(int width, int height);
    void ScrollRect(const FRM_CRect& rect, int dh, int dv);
    // The global maximal rectangle invalidates the whole window.
    void InvalidateRect(const FRM_CRect& rect);
    short IsUpdateNeeded(const FRM_CRect& rect);
    // Raised (outset) or sunken (inset) 3-D frames and texts.
    void DrawOutsetFrame(const FRM_CRect& rect, int width, unsigned long lightColor,
                         unsigned long darkColor);
    void DrawInsetFrame(const FRM_CRect& rect, int width, unsigned long lightColor,
                        unsigned long darkColor);
    void DrawOutsetText(const FRM_CStringRW& text, const FRM_CPoint& at, unsigned long lightColor,
                        unsigned long darkColor);
    void DrawInsetText(const FRM_CStringRW& text, const FRM_CPoint& at, unsigned long lightColor,
                       unsigned long darkColor);

    // Invalidation queue: merged (one union) or regioned (one call per rectangle).
    void QueueInvalidate(const FRM_CRect& rect);
    void FlushInvalidate();
    void ClearInvalidate();
    static void SetRegionedQueue(short regioned);
    static short IsRegionedQueue();
    // This context's own mode from now on, whatever the class-wide one says.
    void SetLocalRegionedQueue(short regioned);

protected:
    void DoUpdate() override;
    void MakeCurrent();

private:
    WINDOW Window() const;

    short itIsEnvironmentChanged = 0;
    const FRM_CView* itsView = nullptr;
    FRM_CEnvironment itsEnvironment;
    RWOrdered itsQueue; // of owned FRM_CRectRWC
    short itIsLocalQueueModeSet = 0;
    short itsLocalQueueMode = 0;
};
