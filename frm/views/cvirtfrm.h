// cvirtfrm.h: FRM_CVirtualFrame, the base of views whose contents are larger than what they
// show: it keeps the extent of its contents (the virtual frame) and a scrolling origin,
// moves its subviews when the origin changes and scrolls the pixels already on screen
// instead of redrawing them. The scroll bars are a subclass's (AdjustScrollBars).
#pragma once

#include <memory>

#include "frm/views/csubview.h"

class FRM_CVirtualFrame : public FRM_CSubview {
    FRM_TYPE_INFO(CVirtualFrame)
public:
    FRM_CVirtualFrame(const FRM_CVirtualFrame& other);
    // Takes other's extent and re-applies its own origin to it.
    FRM_CVirtualFrame& operator=(const FRM_CVirtualFrame& other);
    ~FRM_CVirtualFrame() override;

    short IVirtualFrame(short isVisible, unsigned long theGlue)
    {
        return ISubview(isVisible, theGlue);
    }

    // Moves the contents to theOrigin (scrolling what is on screen), then the scroll bars.
    virtual void SetScrollingOrigin(const FRM_CPoint& theOrigin);
    virtual FRM_CPoint GetScrollingOrigin() const { return *itsViewOrigin; }
    virtual void SetVirtualFrame(float theWidth, float theHeight);
    virtual FRM_CRect GetVirtualFrame() const { return *itsVirtualFrame; }
    // Widens the extent to cover theRect.
    virtual void EnlargeToFit(const FRM_CRect& theRect);
    // Makes the extent end where the subviews end.
    virtual void ShrinkToFit();

    // The extent never becomes smaller than the frame through sizing.
    void Size(const FRM_CRect& theFrame) override;
    // The subviews lie in content coordinates: the origin includes the scrolling origin.
    FRM_CPoint GetGlobalOrigin() const override;
    void Draw(const FRM_CRect& theClip) override;

protected:
    // The extent is at least the frame's size.
    FRM_CVirtualFrame(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, float theWidth,
                      float theHeight);
    // Adds the view and widens the extent to cover it.
    void AddSubview(FRM_CView* theView) override;
    virtual void ScrollViews(const FRM_CPoint& theOrigin);
    virtual void AdjustScrollBars() = 0;
    // Records theOrigin as the scrolling origin without moving anything (a subclass that
    // scrolls by its own rules).
    void StoreScrollingOrigin(const FRM_CPoint& theOrigin) { *itsViewOrigin = theOrigin; }

private:
    std::unique_ptr<FRM_CPoint> itsViewOrigin;
    std::unique_ptr<FRM_CRect> itsVirtualFrame;
};
