// cradiogr.h: FRM_CRadioGroup, a subview of native radio buttons (FRM_NRadioButton) of which
// the toolkit shows exactly one as on. The group keeps the selected button's id, reports the
// selected title to its bound value and takes a new selection from it. Buttons are laid out
// one by one, or in a row or column from string resources, inside a border space (pixels).
#pragma once

#include <cstdint>

#include "frm/views/cnativvw.h"
#include "frm/views/nscrllbr.h"
#include "frm/views/csubview.h"

class FRM_CRadioGroup;

class FRM_NRadioButton : public FRM_CNativeView {
    FRM_TYPE_INFO(NRadioButton)
public:
    // theEnclosure must be theGroup (error 6550 otherwise).
    FRM_NRadioButton(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                     FRM_CRadioGroup* theGroup, long theAttributes, const FRM_CStringRW& theTitle);
    FRM_NRadioButton(FRM_CRadioGroup* theGroup, long theContainerId, long theResourceId);
    // A copy is a new control in the same group; an assigned button stays in its own group.
    FRM_NRadioButton(const FRM_NRadioButton& other) = default;
    FRM_NRadioButton& operator=(const FRM_NRadioButton& other);

    FRM_CRadioGroup* GetGroup() const { return itsGroup; }
    // A click selects the button in its group and sends its command.
    void DoHit(const s_ctlinfo& theInfo) override;
    short ClassCanGetKeyFocus() const override { return 1; }

private:
    FRM_CRadioGroup* itsGroup;   // not owned; the enclosure
};

class FRM_CRadioGroup : public FRM_CSubview {
    FRM_TYPE_INFO(CRadioGroup)
public:
    // An empty group at theOrigin with a border space of 2 pixels; hasBorder outlines it.
    FRM_CRadioGroup(FRM_CSubview* theEnclosure, const FRM_CPoint& theOrigin, short hasBorder);
    // The run of radio items of window resource theContainerId from item theResourceId on.
    FRM_CRadioGroup(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId);
    // A copy lies in the same enclosure with new buttons of the same titles, places, commands
    // and glue; the copy of the checked button is selected. Assignment first deletes the
    // group's own buttons.
    FRM_CRadioGroup(const FRM_CRadioGroup& other);
    FRM_CRadioGroup& operator=(const FRM_CRadioGroup& other);

    // Checks exactly that button and reports its title; an unknown id changes nothing.
    virtual void SetSelectedButton(long theId);
    virtual void SetSelectedButton(const FRM_CStringRW& theTitle);
    virtual long GetSelectedButton() const { return itsSelectedId; }
    virtual void SetBorderSpace(int theBorderSpace);
    virtual int GetBorderSpace() const { return itsBorderSpace; }
    // One button at theTopLeft (group coordinates); answers its id.
    virtual long AddButton(const FRM_CPoint& theTopLeft, const FRM_CStringRW& theTitle,
                           long theCommand, unsigned long theAttributes, unsigned long theGlue);
    // theNum buttons titled by string resources from theFirstId, in a column or a row;
    // theSelectedButton counts from 1 (0 keeps the selection). Answers the first id, or -1.
    virtual long AddButtons(long theFirstId, int theNum, long theFirstCommand,
                            unsigned long theAttributes, int theSelectedButton,
                            float theSeparation, DIRECTION theDirection);
    // -1 does nothing; the selected button's removal leaves none selected.
    virtual void RemoveButton(long theId);
    virtual long FindResButtonId(long theContainerId, long theId);
    // The run of radio entries of window resource theContainerId from theFirst on: the group
    // covers them and gets one button for each from the resource factory.
    void TakeRadioRun(long theContainerId, const s_win_def* theFirst);

    // The minimum radio button size in pixels.
    static int RBMinSize();

    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    void DoCommand(long theCommand, void* theData) override;
    void Draw(const FRM_CRect& theClip) override;

private:
    FRM_CNativeView* ButtonWithId(long theId) const;
    void CopyButtons(const FRM_CRadioGroup& theGroup);
    float H(float thePixels) const;
    float V(float thePixels) const;
    long LayOutButton(const FRM_CPoint& theTopLeft, const FRM_CStringRW& theTitle,
                      long theCommand, unsigned long theAttributes, unsigned long theGlue);

    std::int32_t itsSelectedId = -1;
    std::int32_t itsBorderSpace = 2;
    short itHasBorder = 0;
};
