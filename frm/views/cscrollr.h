// cscrollr.h: FRM_CScroller, the scrolling view: a virtual frame shown through an inner frame
// and moved by two scroll bars. Either it owns border scroll bars right of and below the inner
// frame, or it fills a window and drives the window's own bars. Content moves by whole device
// pixels (blitted); the fractional rest stays in the scrolling origin until it makes a pixel.
// Views that cannot be blitted register to be drawn again after the blit.
#pragma once

#include <memory>

#include "frm/views/nscrllbr.h"
#include "frm/views/cvirtfrm.h"

class FRM_CWindow;
class RWOrdered;

// A scroll bar on a scroller's border: the user can neither drag nor resize it.
class NBorderScrollBar : public FRM_NScrollBar {
public:
    NBorderScrollBar(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, DIRECTION theDirection,
                     long theAttributes)
        : FRM_NScrollBar(theEnclosure, theFrame, theDirection, theAttributes)
    {
    }
    void SetDragging(short) override {}
    void SetSizing(short) override {}
    bool LiesOnEnclosureBorder() const override { return true; }
};

class FRM_CScroller : public FRM_CVirtualFrame {
    FRM_TYPE_INFO(CScroller)
public:
    // Toolkit scroll codes the bars hand to their owner.
    // Own-bar mode; the bars come with IScroller.
    FRM_CScroller(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion, float theVirtualWidth,
                  float theVirtualHeight);
    // Window-bar mode: fills theWindow and drives its bars (never creates, moves or deletes them).
    FRM_CScroller(FRM_CWindow* theWindow, float theVirtualWidth, float theVirtualHeight);
    // A copy starts without bars and without an applied origin.
    FRM_CScroller(const FRM_CScroller& other);
    FRM_CScroller& operator=(const FRM_CScroller& other);
    ~FRM_CScroller() override;

    short IScroller(short hasHorizontalScrollBar, short hasVerticalScrollBar, short isThumbTracking,
                    float theLineIncrement, float thePageIncrement, short isVisible,
                    unsigned long theGlue);

    // The increments live in the bars; a missing bar is error 1800-1805.
    virtual void SetHIncrements(float theLineIncrement, float thePageIncrement);
    virtual void SetVIncrements(float theLineIncrement, float thePageIncrement);
    virtual float GetHLineIncrement() const;
    virtual float GetVLineIncrement() const;
    virtual float GetHPageIncrement() const;
    virtual float GetVPageIncrement() const;
    virtual void SetThumbtracking(short isThumbTracking) { itIsThumbtracking = isThumbTracking; }
    virtual short IsThumbtracking() const { return itIsThumbtracking; }
    // theRegion less the room of the wanted bars (in the enclosure's units).
    virtual FRM_CRect GetInitialFrame(const FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                                      short hasHorizontalScrollBar,
                                      short hasVerticalScrollBar) const;
    // The part of the frame the content shows through.
    virtual FRM_CRect GetInnerFrame() const;

    FRM_NScrollBar* GetHScrollBar() const { return Usable(itsHScrollBar); }
    FRM_NScrollBar* GetVScrollBar() const { return Usable(itsVScrollBar); }
    short UsesWindowScrollBars() const { return itUsesWinScrollBars; }

    void Show() override;
    void Hide() override;
    void Enable() override;
    void Disable() override;
    void Draw(const FRM_CRect& theClip) override;
    void DoDraw(const FRM_CRect& theClip) override;
    void Key(const FRM_CKey& theKey) override;
    void Size(const FRM_CRect& theFrame) override;
    void HScroll(e_scroll_ctl theAction, float thePosition) override;
    void VScroll(e_scroll_ctl theAction, float thePosition) override;
    FRM_CRect GetClippedFrame() const override;
    FRM_CPoint GetGlobalOrigin() const override;
    void SetOrigin(const FRM_CPoint& theDisplacement) override;
    void SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared) override;
    void SetEnclosure(FRM_CSubview* theEnclosure) override;
    void PrintDraw(const FRM_CRect& theRect) override;
    // Ignored while a border bar is being made: the bars never scroll with the content.
    void AddSubview(FRM_CView* theView) override;
    // At most one line per axis, whatever the size of the change; answers old - new origin.
    FRM_CPoint AutoScroll(float theHChange, float theVChange) override;

    // While a scroll's blit runs, theView is listed to be drawn after it (answers 1);
    // otherwise answers 0 and the caller draws as usual.
    static short RegisterForUpdate(FRM_CView* theView);
    static void ProcessViewUpdate();
    static RWOrdered* GetUpdateViewList();

protected:
    void ScrollViews(const FRM_CPoint& theNewOrigin) override;
    void AdjustScrollBars() override;
    // The origin clamped so that the content's end meets the inner frame's end, never past 0.
    FRM_CPoint KeepContentInPlace() const;

private:
    // The value a bar pointer holds while that bar is being made or moved.
    static FRM_NScrollBar* Marker() { return reinterpret_cast<FRM_NScrollBar*>(1); }
    static FRM_NScrollBar* Usable(FRM_NScrollBar* theBar)
    {
        return theBar == Marker() ? nullptr : theBar;
    }
    bool IsMarked() const { return itsHScrollBar == Marker() || itsVScrollBar == Marker(); }
    bool OwnsBars() const { return itUsesWinScrollBars == 0 && !IsMarked(); }
    // Calls visit on each existing bar the scroller owns (none in window-bar mode).
    template <class Visit>
    void ForEachOwnBar(Visit&& visit)
    {
        if (!OwnsBars())
            return;
        for (FRM_NScrollBar* bar : {GetHScrollBar(), GetVScrollBar()})
            if (bar != nullptr)
                visit(bar);
    }
    void SetUpBar(FRM_NScrollBar*& theBar, short isWanted, DIRECTION theDirection,
                  const FRM_CRect& theInner, float theLine, float thePage, short isVisible);
    FRM_CRect VBarFrame(const FRM_CRect& theInner) const;
    FRM_CRect HBarFrame(const FRM_CRect& theInner) const;
    // One scroll event on one axis: the new origin coordinate.
    float ScrolledCoordinate(e_scroll_ctl theAction, float thePosition, float theOrigin,
                             const FRM_NScrollBar* theBar, float theInner, float theVirtual) const;
    int ToPixels(float theLogical, bool horizontal) const;
    float ToLogical(int thePixels, bool horizontal) const;
    // Deletes the own bars, or takes the scroller off the window's bars' owners.
    void LetGoOfBars();

    FRM_NScrollBar* itsHScrollBar = nullptr;
    FRM_NScrollBar* itsVScrollBar = nullptr;
    short itUsesWinScrollBars = 0;
    short itIsThumbtracking = 0;
    std::unique_ptr<FRM_CPoint> itsIntViewOrigin;
};
