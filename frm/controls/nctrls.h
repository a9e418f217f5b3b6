// nctrls.h: the simple native controls: push button, check box, one-line edit field, static
// text, group box and icon. Each fixes its control type and turns the control's events into
// commands sent up the boss chain with the control as data; the check box and the edit field
// also report their value to the bound value.
#pragma once

#include <cstdint>

#include "frm/views/cnativvw.h"
#include "frm/controls/cvalidtr.h"

class FRM_NButton : public FRM_CNativeView {
    FRM_TYPE_INFO(NButton)
public:
    FRM_NButton(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                const FRM_CStringRW& theTitle, long theAttributes);
    FRM_NButton(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId);
    FRM_NButton(const FRM_NButton& other) = default;
    FRM_NButton& operator=(const FRM_NButton& other) = default;

    short IButton(const FRM_CStringRW& theTitle, short isEnabled, long theCommand, short isVisible,
                  unsigned long theGlue);
    void DoHit(const s_ctlinfo& theInfo) override;
    // Return sends the command; other keys go to the enclosure.
    void Key(const FRM_CKey& theKey) override;
    short ClassCanGetKeyFocus() const override { return 1; }
};

class FRM_NCheckBox : public FRM_CNativeView {
    FRM_TYPE_INFO(NCheckBox)
public:
    // Flag kChecked makes the box start selected.
    FRM_NCheckBox(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                  const FRM_CStringRW& theTitle, long theAttributes);
    FRM_NCheckBox(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId);
    FRM_NCheckBox(const FRM_NCheckBox& other) = default;
    FRM_NCheckBox& operator=(const FRM_NCheckBox& other);

    short ICheckBox(const FRM_CStringRW& theTitle, short isEnabled, long theDeselectCommand,
                    long theSelectCommand, short isVisible, unsigned long theGlue);
    virtual void Select();
    virtual void Deselect();
    virtual void SetSelectCommand(long theCommand)
    {
        itsSelectCommand = static_cast<std::int32_t>(theCommand);
    }
    virtual void SetDeselectCommand(long theCommand)
    {
        itsDeselectCommand = static_cast<std::int32_t>(theCommand);
    }
    virtual long GetSelectCommand() const { return itsSelectCommand; }
    virtual long GetDeselectCommand() const { return itsDeselectCommand; }
    virtual short IsSelected() const { return itIsSelected; }

    // A click flips the box and sends the matching command.
    void DoHit(const s_ctlinfo& theInfo) override;
    void DoCommand(long theCommand, void* theData) override;
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    short ClassCanGetKeyFocus() const override { return 1; }

private:
    void SetChecked(bool isChecked);

    short itIsSelected = 0;
    std::int32_t itsSelectCommand = kNoCommand;
    std::int32_t itsDeselectCommand = kNoCommand;
};

class FRM_NEditControl : public FRM_CNativeView, public FRM_CValidatorInterface {
    FRM_TYPE_INFO(NEditControl)
public:
    FRM_NEditControl(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                     const FRM_CStringRW& theTitle, long theAttributes);
    FRM_NEditControl(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId);
    FRM_NEditControl(const FRM_NEditControl& other);
    FRM_NEditControl& operator=(const FRM_NEditControl& other);
    // The validator is released before the control goes.
    ~FRM_NEditControl() override;

    virtual void SetFocusCommands(long theKeyFocus, long theKeyFocusLost);
    virtual void SetTextCommand(long theCommand)
    {
        itsTextCmd = static_cast<std::int32_t>(theCommand);
    }
    long GetKeyFocusCommand() const { return itsKeyFocusCmd; }
    long GetKeyFocusLostCommand() const { return itsKeyFocusLostCmd; }
    long GetTextCommand() const { return itsTextCmd; }
    void GetTextSelection(std::int32_t* theFirst, std::int32_t* theLast) const;
    // Gives the field the focus, then selects.
    void SetTextSelection(std::int32_t theFirst, std::int32_t theLast);
    // Installs the formatter with the address of the member validator.
    void SetValidator(const FRM_CValidator& theValidator) override;

    void SetTitle(const FRM_CStringRW& theTitle) override;
    // Text changed: the text command and the title to the bound value; focus lost or gained:
    // deactivate or activate and the focus commands.
    void DoHit(const s_ctlinfo& theInfo) override;
    short ClassCanGetKeyFocus() const override { return 1; }

protected:
    void CreateControl() override;

private:
    void InstallFormatter();

    std::int32_t itsKeyFocusCmd = kNoCommand;
    std::int32_t itsKeyFocusLostCmd = kNoCommand;
    std::int32_t itsTextCmd = kNoCommand;
};

// An edit field that shows its characters masked; the control keeps the typed text.
class FRM_CPasswordEdit : public FRM_NEditControl {
    FRM_TYPE_INFO(CPasswordEdit)
public:
    static constexpr long kPassword = 0x10000;
    FRM_CPasswordEdit(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                      const FRM_CStringRW& theTitle, long theAttributes)
        : FRM_NEditControl(theEnclosure, theFrame, theTitle, theAttributes | kPassword)
    {
    }
};

class FRM_NText : public FRM_CNativeView {
    FRM_TYPE_INFO(NText)
public:
    FRM_NText(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, const FRM_CStringRW& theTitle,
              long theAttributes);
    FRM_NText(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId);
    void Activate() override;
    void DoHit(const s_ctlinfo& theInfo) override;
};

class FRM_NGroupBox : public FRM_CNativeView {
    FRM_TYPE_INFO(NGroupBox)
public:
    FRM_NGroupBox(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                  const FRM_CStringRW& theTitle, long theAttributes);
    FRM_NGroupBox(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId);
    void Activate() override;
    void DoHit(const s_ctlinfo&) override {}
};

class FRM_NIcon : public FRM_CNativeView {
    FRM_TYPE_INFO(NIcon)
public:
    FRM_NIcon(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, long theIconId,
              long theAttributes);
    FRM_NIcon(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId);
    void Activate() override;
    void DoHit(const s_ctlinfo& theInfo) override;
};
