// catchmnt.h: FRM_CAttachment, which makes a view (a tool bar, a palette, a status bar)
// dockable. It moves its view between small attachment windows: an internal one, a child of
// a window, while it is docked in an attachment frame or popped up over a window, and an
// external top-level one while it is detached. It is also a drag source: its bare area (or a
// floating window's title bar) drags it to the attachment frames registered as its sinks.
// It owns its two windows, never its view.
#pragma once

#include <cstdint>
#include <vector>

#include "frm/core/ccmdnums.h"
#include "frm/interaction/cdrag.h"
#include "frm/views/catchfrm.h"

class FRM_CAttachmentWindow;
class FRM_CUnits;
class FRM_CView;
class FRM_CWindow;

// The point that stands for no point.
extern const FRM_CPoint kNULLPoint;

class FRM_CAttachment : public FRM_CDragSource {
    friend class FRM_CAttachmentWindow;

public:
    using AttachmentPoint = FRM_CAttachmentFrame::AttachmentPoint;
    enum AttachmentState : std::int32_t {
        AS_INITIAL = 0, AS_ATTACHED = 1, AS_DETACHED = 2, AS_POPUP = 3
    };
    // The cursor shown while an attachment is dragged (its drag type is kNoCommand).
    static constexpr short kDragCursor = 2;

    // theView must already have an enclosure (else fatal 0).
    explicit FRM_CAttachment(FRM_CView* theView);
    // Attachments are not copied: fatal 0.
    FRM_CAttachment(const FRM_CAttachment& other);
    // Copies the detachable flag and the drag source only.
    FRM_CAttachment& operator=(const FRM_CAttachment& other);
    // Closes both windows (unless the application is going), leaves the sinks and the frame.
    ~FRM_CAttachment() override;

    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    // FRM_CMouseHandler: points in the task window's coordinates.
    short DoDown(FRM_CPoint& where, short& button, short& shift, short& control) override;
    short DoUp(FRM_CPoint& where, short& button, short& shift, short& control) override;
    short DoDouble(FRM_CPoint& where, short& button, short& shift, short& control) override;
    short DoMove(FRM_CPoint& where, short& button, short& shift, short& control) override;
    // Drags this attachment from its view's window, whatever the caller passes.
    void DoDrag(long type, void* data, FRM_CWindow* window, short cursor) override;

    virtual void IAttachment(short isDeletedUponClose)
    {
        itIsDeletedUponClose = isDeletedUponClose;
    }
    // The candidate sizes, narrowest first.
    virtual const std::vector<FRM_CRect>& GetAllFitSizes();
    virtual FRM_CRect GetBestSize();
    // The candidate whose aspect is nearest to theDesiredWidth : theDesiredHeight.
    virtual FRM_CRect GetFitSize(float theDesiredWidth, float theDesiredHeight);
    // Sizes the current window (window coordinates of its parent); nothing before placing.
    virtual void SetSize(const FRM_CRect& theRect);
    // The current window's rectangle: in the frame's window while docked, in the task window
    // otherwise; empty before the first placing.
    virtual FRM_CRect GetSize();
    virtual void Attach(FRM_CAttachmentFrame* theFrame, AttachmentPoint thePoint);
    virtual void Detach(short hasTitleBar);
    virtual void Popup(FRM_CWindow* theWindow, short hasTitleBar);
    virtual short IsDraggable() const;
    virtual short TearOff();
    virtual FRM_CRect GetDesiredSize() { return GetSize(); }
    virtual void InternalAttach(FRM_CAttachmentFrame* theFrame, AttachmentPoint thePoint);
    virtual FRM_CAttachmentWindow* ConstructInternalWindow(FRM_CWindow* theEnclosure,
                                                           FRM_CAttachment* theAttachment,
                                                           short hasTitleBar);
    virtual FRM_CAttachmentWindow* ConstructExternalWindow(FRM_CAttachment* theAttachment,
                                                           short hasTitleBar);

    void PopupAtPoint(FRM_CWindow* theWindow, FRM_CPoint aTopLeft, short hasTitleBar);
    FRM_CRect GetFitSizeFromWidth(float theMaxWidth, float theMaxHeight);
    FRM_CRect GetFitSizeFromHeight(float theMaxHeight, float theMaxWidth);
    FRM_CRect GetSizeToFitAttachmentPoint(FRM_CAttachmentFrame* theFrame, AttachmentPoint thePoint);
    // The outer rectangle of an attachment window around theClientRect.
    FRM_CRect GetBorderSize(const FRM_CRect& theClientRect, short hasTitleBar) const;
    short CanAttachTo(const FRM_CWindow* theWindow) const;
    void Show();
    void Hide();
    void Redraw();

    AttachmentState GetState() const { return itsState; }
    FRM_CView* GetView() const { return itsView; }
    FRM_CAttachmentFrame* GetAttachmentFrame() const { return itsAttachmentFrame; }
    AttachmentPoint GetAttachmentPoint() const { return itsAttachmentPoint; }
    void SetAttachmentPoint(AttachmentPoint thePoint) { itsAttachmentPoint = thePoint; }
    FRM_CPoint GetDragOffset() const { return itsDragOffset; }
    // Null puts the grip at the view's centre.
    void SetDragOffset(const FRM_CPoint* theDragOffset);
    void SetDragging(short isOn) { itIsDraggable = isOn; }
    short IsDetachable() const { return itIsDetachable; }
    // Making an attachment detachable is refused (fatal 0); the flag is stored anyway.
    void SetDetachable(short canDetach);
    void SetTitle(const FRM_CStringRW& theTitle);
    FRM_CStringRW GetTitle() const;
    // The view is going (with its window, or on its own): nothing reaches for it any more.
    void ForgetView(const FRM_CView* theView)
    {
        if (itsView == theView)
            itsView = nullptr;
    }
    FRM_CAttachmentWindow* GetInternalWindow() const { return itsInternalWindow; }
    FRM_CAttachmentWindow* GetExternalWindow() const { return itsExternalWindow; }

    static void SetTearingOff(short isTearingOff) { isTearingOffNow = isTearingOff; }
    static short IsTearingOff() { return isTearingOffNow; }

protected:
    // The window the view is shown in now, or null.
    FRM_CAttachmentWindow* CurrentWindow() const;
    // Takes the attachment out of its present place (frame, external or internal window).
    void LeavePlace(AttachmentState theOldState, FRM_CAttachmentWindow* theOldInternal);
    // Forgets the windows without closing them (the windows are going by themselves).
    void ForgetWindow(const FRM_CAttachmentWindow* theWindow);

    std::vector<FRM_CRect> itsFitSizes;   // kept sorted by width, equal widths in arrival order
    short itIsDraggable = 1;
    short itIsDetachable = 0;
    FRM_CView* itsView = nullptr;   // not owned
    AttachmentState itsState = AS_INITIAL;
    FRM_CAttachmentWindow* itsExternalWindow = nullptr;   // owned: closed, not deleted
    FRM_CAttachmentWindow* itsInternalWindow = nullptr;   // owned: closed, not deleted
    FRM_CAttachmentFrame* itsAttachmentFrame = nullptr;   // not owned
    AttachmentPoint itsAttachmentPoint = FRM_CAttachmentFrame::ATTACH_NONE;
    short itIsReadyToTearOff = 0;
    FRM_CPoint itsDragOffset;
    short itIsDeletedUponClose = 0;
    short itHasMoved = 0;

private:
    static short isTearingOffNow;
};

// Inserts theRect among theSizes after those of equal width.
void FrmInsertFitSize(std::vector<FRM_CRect>& theSizes, const FRM_CRect& theRect);
