// nscrllbr.h: FRM_NScrollBar, the native scroll bar: a position between a minimum and a
// maximum in logical units, a line step, a page step and a thumb size, mirrored onto the
// toolkit bar in pixels. The user's actions become new positions, which go to the bound value
// and to every owner view's HScroll or VScroll. FRM_NWinScrollBar is one of a window's own
// two bars: the same logic, addressed by the window's handle and the bar's kind, with no
// control of its own to create, move, show or enable.
#pragma once

#include <cstdint>
#include <vector>

#include "frm/views/cnativvw.h"

// Orientation of scroll bars and button rows.
enum DIRECTION : std::int32_t { VERTICAL = 0, HORIZONTAL = 1 };

class FRM_NScrollBar : public FRM_CNativeView {
    FRM_TYPE_INFO(NScrollBar)
public:
    // The smallest span of a range; a narrower one is widened to it.
    static constexpr float kMinSpan = 0.0001F;

    // Control type 16 (vertical) for direction 0, else 15; the enclosure is the first owner.
    FRM_NScrollBar(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, DIRECTION theDirection,
                   long theAttributes);
    // From a window-resource item of type 15 or 16; the enclosure is the first owner.
    FRM_NScrollBar(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId);
    FRM_NScrollBar(const FRM_NScrollBar& other);
    FRM_NScrollBar& operator=(const FRM_NScrollBar& other);
    ~FRM_NScrollBar() override;

    // Range, position and steps, then the native view's initialiser. A range whose minimum
    // exceeds its maximum is error 2900. Returns 1.
    short IScrollBar(float theMin, float theMax, float thePosition, float theLine, float thePage,
                     short isEnabled, short isVisible, unsigned long theGlue);

    // A minimum above the maximum is error 381 and leaves the range (min, min + kMinSpan).
    virtual void SetRange(float theMin, float theMax, float thePosition);
    // Cut to [0, maximum - minimum].
    virtual void SetThumbSize(float theSize);
    virtual float GetThumbSize() const { return itsThumbSize; }
    virtual float GetMinPosition() const { return itsMinPosition; }
    virtual float GetMaxPosition() const { return itsMaxPosition; }
    // Clamped to the range; reported to the bound value.
    virtual void SetPosition(float thePosition);
    virtual float GetPosition() const { return itsPosition; }
    virtual void SetIncrements(float theLine, float thePage);
    virtual float GetLineIncrement() const { return itsLineIncrement; }
    virtual float GetPageIncrement() const { return itsPageIncrement; }
    // A null owner is error 2901.
    virtual void SetOwner(FRM_CView* theOwner);
    virtual FRM_CView* GetOwner() const { return itsOwner; }
    // Owners hear every scroll, in the order they were inserted; each view once.
    virtual void InsertOwner(FRM_CView* theOwner);
    virtual void RemoveOwner(FRM_CView* theOwner);
    virtual const std::vector<FRM_CView*>& GetOwners() const { return itsOwners; }
    // The toolkit's scroll-bar kind: 2, a control of its own.
    virtual std::int32_t GetSBType() const { return 2; }

    // The toolkit's standard bar width and height.
    static int NativeWidth();
    static int NativeHeight();

    // FRM_CNativeView
    void DoHit(const s_ctlinfo& theInfo) override;
    void Show() override;
    void Size(const FRM_CRect& theFrame) override;
    void HScroll(e_scroll_ctl theAction, float thePosition) override;
    void VScroll(e_scroll_ctl theAction, float thePosition) override;
    short ClassCanGetKeyFocus() const override { return 1; }
    FRM_CStringRW GetTitle() const override { return FRM_CStringRW(); }
    void DoCommand(long theCommand, void* theData) override;
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;

protected:
    // Binds the bar to an existing toolkit window (a window's own bar).
    FRM_NScrollBar(WINDOW theHandle, FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                   DIRECTION theDirection);

    bool IsHorizontal() const { return itsType == WC_HSCROLL; }
    int ToPhysical(float theValue) const;
    float ToLogical(int theValue) const;
    float Clamp(float thePosition) const;
    // Range, position and thumb to the toolkit bar.
    void RefreshNative();
    // The position only; the toolkit's position stays within (maximum - proportion).
    void RefreshNativePosition();
    void CopyValues(const FRM_NScrollBar& other);

    float itsPosition = 0;
    float itsMinPosition = 0;
    float itsMaxPosition = 0;
    float itsThumbSize = 0;
    float itsLineIncrement = 0;
    float itsPageIncrement = 0;
    FRM_CView* itsOwner = nullptr;       // not owned
    std::vector<FRM_CView*> itsOwners;   // not owned
};

class FRM_NWinScrollBar : public FRM_NScrollBar {
    FRM_TYPE_INFO(NWinScrollBar)
public:
    // Direction 0 is the window's vertical bar, any other its horizontal one.
    FRM_NWinScrollBar(FRM_CSubview* theWindow, DIRECTION theDirection);
    // A second object over the same window bar would make a control of its own.
    FRM_NWinScrollBar(const FRM_NWinScrollBar&) = delete;
    FRM_NWinScrollBar& operator=(const FRM_NWinScrollBar&) = delete;
    ~FRM_NWinScrollBar() override;

    // 0 for the horizontal bar, 1 for the vertical one.
    std::int32_t GetSBType() const override { return IsHorizontal() ? 0 : 1; }

    // The window's bars follow the window: none of these touches the toolkit.
    void Show() override {}
    void Hide() override {}
    void Enable() override {}
    void Disable() override {}
    void Size(const FRM_CRect&) override {}
    void SetTitle(const FRM_CStringRW&) override {}
    void SetEnclosure(FRM_CSubview*) override {}

protected:
    void CreateControl() override {}
    void Close() override {}
};
