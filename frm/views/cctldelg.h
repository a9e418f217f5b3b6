// cctldelg.h: FRM_CControlDelegate, the collectable that stands for one native-control view:
// it answers identity questions by the view (hash and equality) and takes the run-time
// editing switches. While a control is being sized or dragged it is disabled, so that the
// mouse reaches the editing machinery instead of the control.
#pragma once

#include "vkocoll/collect.h"
#include "vkobase/types.h"

class FRM_CBoss;
class FRM_CNativeView;
class FRM_CView;

class FRM_CControlDelegate : public RWCollectable {
public:
    static constexpr RWClassID kClassId = 20120;
    static RWClassID classIsA() { return kClassId; }

    FRM_CControlDelegate() = default;
    explicit FRM_CControlDelegate(FRM_CNativeView* theView) : itsView(theView) {}
    FRM_CControlDelegate(const FRM_CControlDelegate& other) = default;
    ~FRM_CControlDelegate() override = default;

    // A delegate for theView (the platform factory's when one is installed).
    static FRM_CControlDelegate* Create(FRM_CNativeView* theView);

    RWCollectable* newSpecies() const override { return new FRM_CControlDelegate; }
    RWCollectable* copy() const override { return new FRM_CControlDelegate(*this); }
    RWClassID isA() const override { return kClassId; }
    // The view's id, so that two delegates of one view hash alike.
    unsigned hash() const override;
    bool isEqual(const RWCollectable* other) const override;

    FRM_CBoss* GetBoss() const;
    FRM_CNativeView* GetView() const { return itsView; }
    // Disable the view while either switch is on; enabled again when both are off.
    virtual void SetSizing(short isOn);
    virtual void SetDragging(short isOn);

protected:
    // The toolkit window of a native view; anything else is reported (code 0) and gives none.
    static WINDOW GetVKOWindowFromView(const FRM_CView* theView);

private:
    FRM_CControlDelegate& operator=(const FRM_CControlDelegate&) = default;
    void Apply(short isOn);

    FRM_CNativeView* itsView = nullptr;   // not owned; owns this delegate
    short itIsSizing = 0;
    short itIsDragging = 0;
};
