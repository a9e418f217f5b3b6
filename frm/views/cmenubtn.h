// cmenubtn.h: FRM_CMenuButton, a drawn button that stands for one entry of its window's menu
// bar: it takes its title, togglability, enabled and pressed looks from the entry with its
// tag, and pressing it sends the window that entry's menu command.
#pragma once

#include "frm/views/cbutton.h"

class FRM_CMenuButton : public FRM_CButton {
    FRM_TYPE_INFO(CMenuButton)
public:
    FRM_CMenuButton(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, short theTag);
    FRM_CMenuButton(FRM_CSubview* theEnclosure, const FRM_CPoint& theWhere, short theTag,
                    const FRM_CStringRW& theTitle);
    FRM_CMenuButton(FRM_CSubview* theEnclosure, const FRM_CPoint& theWhere, short theTag,
                    const FRM_CImage& theImage);
    FRM_CMenuButton(FRM_CSubview* theEnclosure, short theTag, const FRM_CStringRW& theTitle)
        : FRM_CMenuButton(theEnclosure, FRM_CPoint(0, 0), theTag, theTitle)
    {
    }
    FRM_CMenuButton(FRM_CSubview* theEnclosure, short theTag, const FRM_CImage& theImage)
        : FRM_CMenuButton(theEnclosure, FRM_CPoint(0, 0), theTag, theImage)
    {
    }
    FRM_CMenuButton(const FRM_CMenuButton& other);
    FRM_CMenuButton& operator=(const FRM_CMenuButton& other);
    // Leaves its tool bar's registry.
    ~FRM_CMenuButton() override;

    // The tool bar's entry under the old tag goes when it names this button.
    void SetMenuTag(short theTag);
    short GetMenuTag() const { return itsMenuTag; }
    // Togglability follows the menu entry.
    void SetTogglable(short) override {}
    // Ignored while the menu entry is disabled.
    void Enable() override;
    // Takes the entry's enabled and checked states; redraws only on a change.
    void SyncWithMenu();

protected:
    void InitMenuButton();
    // The menu's checked state, the command, then the menu command through the window's hook.
    void DoUpAction() override;

private:
    short itsMenuTag = 0;
    short itsMenuIsEnabled = 1;
};
