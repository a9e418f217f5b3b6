// cnativvw.h: FRM_CNativeView, the view that owns one native control of the base library (a
// button, check box, edit field, text, list, group box, icon, radio button, scroll bar, text
// edit or notebook). It turns the view's frame, visibility, enabled state, title, font and
// colours into calls on the control, re-creates the control when its flags or its window
// change (keeping the view's hidden and disabled states), and destroys it with the view. The
// control's application data is the view, which is how control events reach DoHit.
#pragma once

#include <cstdint>

#include "frm/views/cview.h"
#include "vkobase/types.h"

class FRM_CClipWindow;
class FRM_CControlDelegate;

// Where a native control of theView goes in its window, in pixels: the view's global frame,
// cut to its enclosure's clipped frame when the enclosure is not the window.
s_rct NativeControlRect(const FRM_CView* theView);

class FRM_CNativeView : public FRM_CView {
    FRM_TYPE_INFO(CNativeView)
public:
    // Flags of the control that the framework reads itself; the others pass to the toolkit.
    static constexpr std::int32_t kCreateDisabled = 0x01;
    static constexpr std::int32_t kChecked = 0x04;
    static constexpr std::int32_t kInvisible = 0x10;
    static constexpr std::int32_t kDisabled = 0x20;
    // The glue a native view takes by default, and for a glue of 0.
    static constexpr unsigned long kDefaultGlue = 0xFFFF0000UL;

    // Destroys the control unless the application is terminating or its window is gone
    // (the control then dies with its toolkit window).
    ~FRM_CNativeView() override;
    FRM_CNativeView& operator=(const FRM_CNativeView& other);

    // Second-phase initialiser: title, enabled state, then visibility and glue. Returns 1.
    short INativeView(const FRM_CStringRW& theTitle, short isEnabled, short isVisible,
                      unsigned long theGlue);

    // Controls created from now on inside a subview (not directly in their window) get a
    // clip window that cuts them at the subview's edges. Each answers the previous setting.
    static short EnableSurrogateClipping();
    static short DisableSurrogateClipping();
    static short ItClips() { return itClips; }
    FRM_CClipWindow* GetClippingWindow() const { return itsClippingWindow; }

    std::int32_t GetAttributes() const { return itsVKOAttributes; }
    // A different value re-creates the control with the new flags; the same value does nothing.
    void SetAttributes(std::int32_t theAttributes);
    FRM_CControlDelegate* GetDelegate() const { return itsDelegate; }

    // One control event from the toolkit.
    virtual void DoHit(const s_ctlinfo& theInfo) = 0;
    // Frame, title, control type (for a class of several types), flags and icon from the
    // view's entry of a window resource, before its control is created.
    void TakeResourceEntry(const s_win_def& theEntry);

    // FRM_CBoss
    void UpdateUnits(FRM_CUnits* theUnits) override;
    // FRM_CView
    void Show() override;
    void Hide() override;
    void Enable() override;
    void Disable() override;
    // Moves the control only when its rectangle changed.
    void Size(const FRM_CRect& theFrame) override;
    void SetFont(const FRM_CFont& theFont, short isShared) override;
    // The toolkit draws and repaints its control itself.
    void DoDraw(const FRM_CRect&) override {}
    void Invalidate(const FRM_CRect&) override {}
    void SetOrigin(const FRM_CPoint& theDisplacement) override;
    void SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared) override;
    void SetGlue(unsigned long theGlue) override;
    void SetDragging(short isOn) override;
    void SetSizing(short isOn) override;
    void SetTitle(const FRM_CStringRW& theTitle) override;
    // The control's own text (at most 510 characters), which the user may have edited.
    FRM_CStringRW GetTitle() const override;
    // Re-creates the control when the view moves to another window.
    void SetEnclosure(FRM_CSubview* theEnclosure) override;
    e_win_type GetVKOType() const override { return itsType; }
    // A control on its enclosure's border (a scroller's own bar) lies outside the area the
    // enclosure shows of its contents: it is cut to the enclosure's frame instead.
    virtual bool LiesOnEnclosureBorder() const { return false; }

protected:
    FRM_CNativeView(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, e_win_type theType,
                    std::int32_t theAttributes, const FRM_CStringRW& theTitle,
                    std::int32_t theIconId = 0);
    // Wraps a control that exists already; a null handle is error 1200.
    FRM_CNativeView(WINDOW theHandle, FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                    e_win_type theType);
    // An empty view without a control, for controls built from window resources: they fill
    // the fields and call CreateControl and InitControl themselves.
    explicit FRM_CNativeView(FRM_CSubview* theEnclosure);
    // A copy has a control of its own.
    FRM_CNativeView(const FRM_CNativeView& other);
    // Fills the view from item theResourceId of window resource theContainerId (the resource
    // hands it its entry), creates the control and records the two ids.
    void BuildFromResource(long theContainerId, long theResourceId);

    // Over an existing control this reports 1200 and closes that control first.
    virtual void CreateControl();
    // Brings the view's state in line with the flags after creation.
    virtual void InitControl();
    virtual void Close();

    void SetType(e_win_type theType) { itsType = theType; }
    void SetIconId(std::int32_t theIconId) { itsIconId = theIconId; }
    void SetStoredAttributes(std::int32_t theAttributes) { itsVKOAttributes = theAttributes; }
    void SetHandle(WINDOW theHandle) { SetVKOWindow(theHandle); }
    // After a re-creation: the new control takes the view's visibility and enabled state.
    void ReapplyState();
    // Applies the view's environment (font and colours) to the control.
    void ApplyEnvironment();

    std::int32_t itsIconId = 0;
    std::int32_t itsVKOAttributes = 0;
    e_win_type itsType = 0;

private:
    void Recreate();

    // Whether this control gets a clip window: inside a subview, not a group box.
    bool WantsClipWindow(WINDOW theParent) const;

    FRM_CControlDelegate* itsDelegate = nullptr;   // owned
    FRM_CClipWindow* itsClippingWindow = nullptr;  // owned; the control's toolkit parent
    static short itClips;
};
