// nctrls.cpp: the simple native controls.
#include "frm/controls/nctrls.h"

#include "frm/core/ccmdnums.h"
#include "frm/core/ctdivalue.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cclipwin.h"
#include "frm/views/csubview.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr std::uint16_t kReturn = 13;

} // namespace

// ---------------------------------------------------------------------------------------------
// Push button

FRM_NButton::FRM_NButton(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                         const FRM_CStringRW& theTitle, long theAttributes)
    : FRM_CNativeView(theEnclosure, theFrame, WC_PUSHBUTTON,
                      static_cast<std::int32_t>(theAttributes), FRM_CStringRW())
{
    SetTitle(theTitle);
}

FRM_NButton::FRM_NButton(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId)
    : FRM_CNativeView(theEnclosure)
{
    SetType(WC_PUSHBUTTON);
    BuildFromResource(theContainerId, theResourceId);
}

short FRM_NButton::IButton(const FRM_CStringRW& theTitle, short isEnabled, long theCommand,
                           short isVisible, unsigned long theGlue)
{
    SetCommand(theCommand);
    return INativeView(theTitle, isEnabled, isVisible, theGlue);
}

void FRM_NButton::DoHit(const s_ctlinfo&)
{
    FRM_CView::Activate();
    DoCommand(GetCommand(), this);
}

void FRM_NButton::Key(const FRM_CKey& theKey)
{
    if (!theKey.IsVirtualKey() && theKey.GetChar() == kReturn) {
        DoCommand(GetCommand(), this);
        return;
    }
    if (itsEnclosure != nullptr)
        itsEnclosure->Key(theKey);
}

// ---------------------------------------------------------------------------------------------
// Check box

FRM_NCheckBox::FRM_NCheckBox(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                             const FRM_CStringRW& theTitle, long theAttributes)
    : FRM_CNativeView(theEnclosure, theFrame, WC_CHECKBOX,
                      static_cast<std::int32_t>(theAttributes), theTitle),
      itIsSelected((theAttributes & kChecked) != 0 ? 1 : 0)
{
    if (itIsSelected)
        SetChecked(true);
}

FRM_NCheckBox::FRM_NCheckBox(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId)
    : FRM_CNativeView(theEnclosure)
{
    SetType(WC_CHECKBOX);
    BuildFromResource(theContainerId, theResourceId);
    itIsSelected = (itsVKOAttributes & kChecked) != 0 ? 1 : 0;
    if (itIsSelected)
        SetChecked(true);
}

// Hand-written: Select or Deselect sets the control and tells the bound value.
FRM_NCheckBox& FRM_NCheckBox::operator=(const FRM_NCheckBox& other)
{
    if (this == &other)
        return *this;
    FRM_CNativeView::operator=(other);
    itsSelectCommand = other.itsSelectCommand;
    itsDeselectCommand = other.itsDeselectCommand;
    if (other.itIsSelected)
        Select();
    else
        Deselect();
    return *this;
}

short FRM_NCheckBox::ICheckBox(const FRM_CStringRW& theTitle, short isEnabled,
                               long theDeselectCommand, long theSelectCommand, short isVisible,
                               unsigned long theGlue)
{
    SetDeselectCommand(theDeselectCommand);
    SetSelectCommand(theSelectCommand);
    return INativeView(theTitle, isEnabled, isVisible, theGlue);
}

void FRM_NCheckBox::SetChecked(bool isChecked)
{
    itIsSelected = isChecked ? 1 : 0;
    if (isChecked)
        itsVKOAttributes |= kChecked;
    else
        itsVKOAttributes &= ~kChecked;
    if (itsVKOWindow != nullptr)
        vko_ctl_set_checked(itsVKOWindow, isChecked ? TRUE : FALSE);
}

void FRM_NCheckBox::Select()
{
    SetChecked(true);
    TdiNotify(kTagState, true);
}

void FRM_NCheckBox::Deselect()
{
    SetChecked(false);
    TdiNotify(kTagState, false);
}

void FRM_NCheckBox::DoHit(const s_ctlinfo&)
{
    FRM_CView::Activate();
    if (!itIsSelected) {
        Select();
        DoCommand(itsSelectCommand, this);
    } else {
        Deselect();
        DoCommand(itsDeselectCommand, this);
    }
}

void FRM_NCheckBox::DoCommand(long theCommand, void* theData)
{
    if (theCommand == kCommandReportValue)
        TdiNotify(kTagState, IsSelected() != 0);
    FRM_CNativeView::DoCommand(theCommand, theData);
}

void FRM_NCheckBox::DoUpdateModel(long controllerId, long command, const FRM_CModel* model)
{
    const auto* value = FrmCast<const FRM_CTdiValue>(model);
    if (controllerId == 0 && command == kTagState && value != nullptr) {
        if (!value->IsConvertible(FRM_CTdiValue::kBoolean))
            return;
        const bool wanted = value->ToBoolean() != 0;
        if (wanted && !itIsSelected)
            Select();
        else if (!wanted && itIsSelected)
            Deselect();
        return;
    }
    FRM_CNativeView::DoUpdateModel(controllerId, command, model);
}

// ---------------------------------------------------------------------------------------------
// Edit field

FRM_NEditControl::FRM_NEditControl(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                                   const FRM_CStringRW& theTitle, long theAttributes)
    : FRM_CNativeView(theEnclosure, theFrame, WC_EDIT, static_cast<std::int32_t>(theAttributes),
                      FRM_CStringRW())
{
    SetTitle(theTitle);
}

FRM_NEditControl::FRM_NEditControl(FRM_CSubview* theEnclosure, long theContainerId,
                                   long theResourceId)
    : FRM_CNativeView(theEnclosure)
{
    SetType(WC_EDIT);
    BuildFromResource(theContainerId, theResourceId);
}

FRM_NEditControl::FRM_NEditControl(const FRM_NEditControl& other)
    : FRM_CNativeView(other), FRM_CValidatorInterface(other),
      itsKeyFocusCmd(other.itsKeyFocusCmd), itsKeyFocusLostCmd(other.itsKeyFocusLostCmd),
      itsTextCmd(other.itsTextCmd)
{
    InstallFormatter();
}

// Hand-written: the validator is installed on the new control as its formatter.
FRM_NEditControl& FRM_NEditControl::operator=(const FRM_NEditControl& other)
{
    if (this == &other)
        return *this;
    FRM_CNativeView::operator=(other);
    itsKeyFocusCmd = other.itsKeyFocusCmd;
    itsKeyFocusLostCmd = other.itsKeyFocusLostCmd;
    itsTextCmd = other.itsTextCmd;
    SetValidator(other.itsValidator);
    return *this;
}

FRM_NEditControl::~FRM_NEditControl()
{
    if (itsVKOWindow != nullptr && vko_vobj_is_valid(itsVKOWindow))
        vko_vobj_set_formatter(itsVKOWindow, 0, 0);
    itsValidator = FRM_CValidator();
}

void FRM_NEditControl::SetFocusCommands(long theKeyFocus, long theKeyFocusLost)
{
    itsKeyFocusCmd = static_cast<std::int32_t>(theKeyFocus);
    itsKeyFocusLostCmd = static_cast<std::int32_t>(theKeyFocusLost);
}

void FRM_NEditControl::GetTextSelection(std::int32_t* theFirst, std::int32_t* theLast) const
{
    vko_ctl_get_text_sel(itsVKOWindow, theFirst, theLast);
}

void FRM_NEditControl::SetTextSelection(std::int32_t theFirst, std::int32_t theLast)
{
    vko_scr_set_focus_vobj(itsVKOWindow);
    vko_ctl_set_text_sel(itsVKOWindow, theFirst, theLast);
}

void FRM_NEditControl::SetValidator(const FRM_CValidator& theValidator)
{
    itsValidator = theValidator;
    InstallFormatter();
}

// The data is the member's address, which lives as long as the control.
void FRM_NEditControl::InstallFormatter()
{
    if (itsVKOWindow == nullptr)
        return;
    if (itsValidator.IsValid())
        vko_vobj_set_formatter(itsVKOWindow, reinterpret_cast<intptr_t>(&FRM_CValidator::Format),
                               reinterpret_cast<intptr_t>(&itsValidator));
    else
        vko_vobj_set_formatter(itsVKOWindow, 0, 0);
}

void FRM_NEditControl::CreateControl()
{
    FRM_CNativeView::CreateControl();
    InstallFormatter();
}

void FRM_NEditControl::SetTitle(const FRM_CStringRW& theTitle)
{
    FRM_CView::SetTitle(theTitle);
    if (itsVKOWindow != nullptr)
        vko_vobj_set_title(itsVKOWindow, theTitle.data());
}

void FRM_NEditControl::DoHit(const s_ctlinfo& theInfo)
{
    if (theInfo.v.edit.focus_change == 0) {
        DoCommand(itsTextCmd, this);
        TdiNotify(kTagValue, GetTitle());
        return;
    }
    if (theInfo.v.edit.active == 0) {
        if (IsActive())
            Deactivate();
        DoCommand(itsKeyFocusLostCmd, this);
        return;
    }
    if (!IsActive()) {
        const short wasInHit = itsInDoHit;
        itsInDoHit = 1;
        Activate();
        itsInDoHit = wasInHit;
    }
    DoCommand(itsKeyFocusCmd, this);
}

// ---------------------------------------------------------------------------------------------
// Static text, group box, icon

FRM_NText::FRM_NText(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                     const FRM_CStringRW& theTitle, long theAttributes)
    : FRM_CNativeView(theEnclosure, theFrame, WC_TEXT, static_cast<std::int32_t>(theAttributes),
                      FRM_CStringRW())
{
    SetTitle(theTitle);
}

FRM_NText::FRM_NText(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId)
    : FRM_CNativeView(theEnclosure)
{
    SetType(WC_TEXT);
    BuildFromResource(theContainerId, theResourceId);
}

void FRM_NText::DoHit(const s_ctlinfo&)
{
    FRM_CView::Activate();
}

FRM_NGroupBox::FRM_NGroupBox(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                             const FRM_CStringRW& theTitle, long theAttributes)
    : FRM_CNativeView(theEnclosure, theFrame, WC_GROUPBOX,
                      static_cast<std::int32_t>(theAttributes), theTitle)
{
}

FRM_NGroupBox::FRM_NGroupBox(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId)
    : FRM_CNativeView(theEnclosure)
{
    SetType(WC_GROUPBOX);
    BuildFromResource(theContainerId, theResourceId);
}

FRM_NIcon::FRM_NIcon(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, long theIconId,
                     long theAttributes)
    : FRM_CNativeView(theEnclosure, theFrame, WC_ICON, static_cast<std::int32_t>(theAttributes),
                      FRM_CStringRW(), static_cast<std::int32_t>(theIconId))
{
}

FRM_NIcon::FRM_NIcon(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId)
    : FRM_CNativeView(theEnclosure)
{
    SetType(WC_ICON);
    BuildFromResource(theContainerId, theResourceId);
}

void FRM_NIcon::DoHit(const s_ctlinfo&)
{
    Activate();
}

// The clip window of a control that shows something but takes no input comes forward too.
namespace {

void ActivateClipWindow(const FRM_CNativeView& theView)
{
    if (FRM_CClipWindow* clip = theView.GetClippingWindow())
        clip->Activate();
}

} // namespace

void FRM_NText::Activate()
{
    FRM_CView::Activate();
    ActivateClipWindow(*this);
}

void FRM_NGroupBox::Activate()
{
    FRM_CView::Activate();
    ActivateClipWindow(*this);
}

void FRM_NIcon::Activate()
{
    FRM_CView::Activate();
    ActivateClipWindow(*this);
}
