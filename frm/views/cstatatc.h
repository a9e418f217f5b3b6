// cstatatc.h: FRM_CStatusBarAttachment, which docks a status bar along the bottom edge of an
// attachment frame for the bar's whole life. It cannot be dragged, detached or popped up.
// The frame's arrangement sizes the bar to the frame's width.
#pragma once

#include "frm/views/catchmnt.h"

class FRM_CStatusBar;

class FRM_CStatusBarAttachment : public FRM_CAttachment {
public:
    // Takes the bar out of auto-sizing, drops its outer border and docks it at the bottom.
    FRM_CStatusBarAttachment(FRM_CAttachmentFrame* theFrame, FRM_CStatusBar* theStatusBar);
    // A copy of the bar (without fields) on a new attachment, not docked.
    FRM_CStatusBarAttachment(const FRM_CStatusBarAttachment& other);
    FRM_CStatusBarAttachment& operator=(const FRM_CStatusBarAttachment& other) = default;
    ~FRM_CStatusBarAttachment() override = default;

    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    FRM_CStatusBar* GetStatusBar() const;
    // Exactly one candidate, recomputed from the present widths.
    const std::vector<FRM_CRect>& GetAllFitSizes() override;
    FRM_CRect GetBestSize() override;
    // Only the bottom edge (else fatal 32300).
    void Attach(FRM_CAttachmentFrame* theFrame, AttachmentPoint thePoint) override;
    // Refused: fatal 32301 and 32302.
    void Detach(short hasTitleBar) override;
    void Popup(FRM_CWindow* theWindow, short hasTitleBar) override;
    short IsDraggable() const override { return 0; }

protected:
    // A strip across the frame's full width along its bottom, the bar's height plus margins.
    FRM_CRect GetDesiredSize() override;
    void CalculateSize(FRM_CRect& theRect) const;

private:
    void TakeOverBar();
};
