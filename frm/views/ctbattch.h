// ctbattch.h: FRM_CToolBarAttachment, which makes a tool bar dockable. It measures the bar
// at every number of rows to offer candidate sizes, picks a best size for a floating bar, and
// tells the frame how much room a docked, auto-sized bar needs. The bar points back to it
// while it lives.
#pragma once

#include "frm/views/catchmnt.h"

class FRM_CToolBar;

class FRM_CToolBarAttachment : public FRM_CAttachment {
public:
    // The best size is computed from the candidates.
    explicit FRM_CToolBarAttachment(FRM_CToolBar* theToolBar);
    // The best size is theBestSize, always.
    FRM_CToolBarAttachment(FRM_CToolBar* theToolBar, const FRM_CRect& theBestSize);
    // A copy of the bar, not auto-sized, on a new attachment with a computed best size.
    FRM_CToolBarAttachment(const FRM_CToolBarAttachment& other);
    FRM_CToolBarAttachment& operator=(const FRM_CToolBarAttachment& other);
    // The bar forgets this attachment.
    ~FRM_CToolBarAttachment() override;

    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    FRM_CToolBar* GetToolBar() const;
    // The candidates and a computed best size are made again on the next request; ignored
    // while the bar moves between windows.
    virtual void InvalidateSizes();
    virtual void CalculateFitSizes();
    virtual void CalculateBestSize();

    void RegisterSink(FRM_CDragSink* sink, short atFront) override;
    void UnregisterSink(FRM_CDragSink* sink) override;
    const std::vector<FRM_CRect>& GetAllFitSizes() override;
    FRM_CRect GetBestSize() override;
    FRM_CRect GetSize() override;
    void Detach(short hasTitleBar) override;
    void Popup(FRM_CWindow* theWindow, short hasTitleBar) override;
    // A docked, auto-sized bar asks for a strip along its edge as thick as the bar.
    FRM_CRect GetDesiredSize() override;
    void InternalAttach(FRM_CAttachmentFrame* theFrame, AttachmentPoint thePoint) override;

private:
    void BindBar();
    // The bar's auto-sizing follows whether it can be dragged.
    void FollowDraggability();
    template <class Operation>
    void MovingBetweenWindows(Operation operation);

    short itCalculatesBestSize = 1;
    short itHasBestSize = 0;
    FRM_CRect itsBestSize;
    short itIsInSetEnclosure = 0;
};
