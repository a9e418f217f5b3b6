// csubview.h: FRM_CSubview, a view that holds other views: the inner nodes of the view tree.
// It keeps its children in stacking order (index 0 at the bottom, drawn first; the last on
// top, hit first), owns them and deletes them in its destructor; each child's destructor
// takes it out of the list. The selected view, key focus and selection list never outlive a
// child's membership: removal clears them at every level up the tree.
#pragma once

#include "frm/views/cview.h"
#include "vkocoll/ordered.h"

class FRM_CSubview : public FRM_CView {
    FRM_TYPE_INFO(CSubview)
public:
    FRM_CSubview(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame);
    // Copies the view part only: the copy starts without children.
    FRM_CSubview(const FRM_CSubview& other);
    FRM_CSubview& operator=(const FRM_CSubview& other);
    ~FRM_CSubview() override;

    short ISubview(short isVisible, unsigned long theGlue) { return IView(isVisible, theGlue); }

    RWOrdered* GetSubObjects() const override { return itsSubviews; }
    // Each spreads to every child, top child first, after the subview's own operation.
    void DoShow() override;
    void DoHide() override;
    void DoActivate() override;
    void DoDeactivate() override;
    void DoEnable() override;
    void DoDisable() override;
    // Unlike a plain view, a disabled subview still dispatches; only the hit view's enabled
    // flag counts. DoMouseUp first ends a pointer trap.
    void DoMouseDouble(FRM_CPoint thePoint, short theButton, short isShift,
                       short isControl) override;
    void DoMouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void DoMouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void DoMouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    // Draws itself, then each child from the bottom up, clipped to the child.
    void DoDraw(const FRM_CRect& theClip) override;
    void DoKey(const FRM_CKey& theKey) override;
    // Sizes itself, then every child re-applies its glue and follows the moved corner.
    void DoSize(const FRM_CRect& theFrame) override;
    void SetFont(const FRM_CFont& theFont, short isShared) override;
    void DoSetFont(const FRM_CFont& theFont, short isShared) override;
    void DoSetOrigin(const FRM_CPoint& theDisplacement) override;
    void SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared) override;
    void DoSetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared) override;
    void DoSetGlue(unsigned long theGlue) override;
    void DoSetDragging(short isOn) override;
    void DoSetSizing(short isOn) override;
    void SetEnclosure(FRM_CSubview* theEnclosure) override;
    void DoPrintDraw(const FRM_CRect& theRect) override;
    FRM_CView* FindDeepSubview(const FRM_CPoint& thePoint) override;
    // A direct child with the id before any deeper view.
    FRM_CView* FindSubview(long theId) override;
    // The topmost visible child whose hit test takes the point (window coordinates).
    FRM_CView* FindSubview(const FRM_CPoint& thePoint) override;
    FRM_CView* GetSelectedView() const override { return itsSelectedView; }
    FRM_CView* FindEventTarget(const FRM_CPoint& thePoint) override;
    FRM_CView* FindResourceView(long theContainerId, long theResourceId) override;
    const RWOrdered* GetSubviews() const override { return itsSubviews; }

    // A view is listed once; the last added comes last.
    virtual void AddSelectedView(FRM_CView* theView);
    virtual void RemoveSelectedView(FRM_CView* theView);
    virtual const RWOrdered* GetSelectedViews() const { return &itsSelectedViews; }
    // A view that is not a child is error 2202 (top) or 2203 (bottom).
    virtual void PlaceTopSubview(FRM_CView* theChild);
    virtual void PlaceBottomSubview(FRM_CView* theChild);
    // Appends every view under thePoint (local coordinates) at any depth, each parent before
    // its descendants; a null list is error 2201.
    virtual void FindSubviews(const FRM_CPoint& thePoint, RWOrdered* theList);
    virtual void SetSelectedView(FRM_CView* theView) { itsSelectedView = theView; }
    // Records the path to the focus in every ancestor; null clears this level only.
    virtual void SetKeyFocus(FRM_CView* theView);
    // Puts theView on top of the children (moving it when it is one already); null is 2200.
    virtual void AddSubview(FRM_CView* theView);
    virtual void RemoveSubview(FRM_CView* theView);
    // Asks the enclosures to scroll while something is dragged past an edge; answers the
    // amount scrolled, (0, 0) when nothing did.
    virtual FRM_CPoint AutoScroll(float dh, float dv);

    FRM_CView* GetKeyFocus() const { return itsKeyFocus; }
    FRM_CView* FindDeepKeyFocus();
    long GetNumViews() const { return static_cast<long>(itsSubviews->entries()); }

protected:
    FRM_CView* ChildAt(std::size_t index) const
    {
        return static_cast<FRM_CView*>((*itsSubviews)[index]);
    }
    // Calls visit on every child from the top down; a child may leave the list meanwhile.
    template <class Visit>
    void ForEachChildTopFirst(Visit&& visit)
    {
        for (std::size_t i = itsSubviews->entries(); i-- > 0;) {
            if (i >= itsSubviews->entries())
                continue;
            visit(ChildAt(i));
        }
    }

    RWOrdered* itsSubviews;                 // owned list; owns its views
    FRM_CView* itsSelectedView = nullptr;   // captures every pointer event when set
    FRM_CView* itsKeyFocus = nullptr;       // the child on the path to the key focus
    RWOrdered itsSelectedViews;

private:
    void DispatchToHitView(void (FRM_CView::*handler)(FRM_CPoint, short, short, short),
                           const FRM_CPoint& thePoint, short theButton, short isShift,
                           short isControl);
};
