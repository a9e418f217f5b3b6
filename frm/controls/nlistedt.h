// nlistedt.h: FRM_NListEdit, the combined list and edit control: a drop-down list of strings
// whose edit field holds free text. The items are the native list's, the text is the view's
// title; it reports focus gained, focus lost and text changes as commands of their own.
#pragma once

#include "frm/controls/cnatlist.h"

class FRM_NListEdit : public FRM_CNativeList {
    FRM_TYPE_INFO(NListEdit)
public:
    FRM_NListEdit(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                  const FRM_CStringCollection& theItems, const FRM_CStringRW& theTitle);
    // Built from entry theId of the window resource theContainerId.
    FRM_NListEdit(FRM_CSubview* theEnclosure, long theContainerId, long theId);
    FRM_NListEdit(const FRM_NListEdit& other);
    FRM_NListEdit& operator=(const FRM_NListEdit& other);

    // Sets the title even when the old items cannot be cleared.
    short IListEdit(const FRM_CStringCollection& theItems, const FRM_CStringRW& theTitle);

    virtual void SetFocusCommands(long theGained, long theLost);
    virtual void SetTextCommand(long theCommand) { itsTextCmd = theCommand; }
    long GetKeyFocusCommand() const { return itsKeyFocusCmd; }
    long GetKeyFocusLostCommand() const { return itsKeyLostFocusCmd; }
    long GetTextCommand() const { return itsTextCmd; }

    // Character positions in the edit field.
    void GetTextSelection(int* theFirstIndex, int* theLastIndex) const;
    void SetTextSelection(int theFirstIndex, int theLastIndex);

    // The closed control: one edit line high.
    FRM_CRect GetVisibleFrame() const override;
    // Focus gained or lost, or the text (or the chosen item) changed.
    void DoHit(const s_ctlinfo& theControlInfo) override;

private:
    long itsKeyFocusCmd = kNoCommand;
    long itsKeyLostFocusCmd = kNoCommand;
    long itsTextCmd = kNoCommand;
};
