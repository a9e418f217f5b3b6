// cctldelg.cpp: the control delegate.
#include "frm/views/cctldelg.h"

#include "frm/views/cnativvw.h"
#include "frm/core/frmerror.h"
#include "frm/runtime/cfactory.h"

namespace {

constexpr char kModule[] = "cctldelg";

RWCollectable* CreateDelegate()
{
    return new FRM_CControlDelegate;
}

// Registers the delegate with the container library's factory when the library loads.
const bool kDelegateRegistered = [] {
    rwAddToFactory(CreateDelegate, FRM_CControlDelegate::kClassId, "CControlDelegate");
    return true;
}();

} // namespace

FRM_CControlDelegate* FRM_CControlDelegate::Create(FRM_CNativeView* theView)
{
    if (CPlatformFactory* factory = CPlatformFactory::GetTop())
        if (FRM_CControlDelegate* made = factory->ConstructNativeControlDelegate(theView))
            return made;
    return new FRM_CControlDelegate(theView);
}

unsigned FRM_CControlDelegate::hash() const
{
    return itsView != nullptr ? static_cast<unsigned>(itsView->GetId()) : 0U;
}

bool FRM_CControlDelegate::isEqual(const RWCollectable* other) const
{
    return other != nullptr && other->isA() == kClassId &&
           static_cast<const FRM_CControlDelegate*>(other)->itsView == itsView;
}

FRM_CBoss* FRM_CControlDelegate::GetBoss() const
{
    return itsView;
}

void FRM_CControlDelegate::SetSizing(short isOn)
{
    itIsSizing = isOn != 0 ? 1 : 0;
    if (itsView != nullptr)
        itsView->FRM_CView::SetSizing(isOn);
    Apply(isOn);
}

void FRM_CControlDelegate::SetDragging(short isOn)
{
    itIsDragging = isOn != 0 ? 1 : 0;
    if (itsView != nullptr)
        itsView->FRM_CView::SetDragging(isOn);
    Apply(isOn);
}

// The view's own answers (its wire frame's, already switched) count too, so a view that edits
// itself keeps the control disabled.
void FRM_CControlDelegate::Apply(short isOn)
{
    if (itsView == nullptr)
        return;
    if (isOn != 0)
        itsView->Disable();
    else if (!itIsSizing && !itIsDragging && !itsView->IsSizable() && !itsView->IsDraggable())
        itsView->Enable();
}

WINDOW FRM_CControlDelegate::GetVKOWindowFromView(const FRM_CView* theView)
{
    if (theView != nullptr && FrmCast<FRM_CNativeView>(theView) != nullptr)
        return theView->GetVKOWindow();
    FrmError(0, kModule, __LINE__);
    return nullptr;
}
