// catchfrm.h: FRM_CAttachmentFrame, a subview that lays dockable attachments (tool bars,
// status bars, palettes) out in bands along its four edges around one client subview, which
// gets the rectangle left over. It is also a drag sink: while an attachment is dragged over
// it, an exclusive-or outline shows where it would land; a drop docks it at an edge, floats
// it over the frame's window, or keeps it where it was dropped on its own edge. The frame
// owns the attachments docked in it. Attachment rectangles are in the frame window's
// coordinates; the client subview's frame is local to the frame.
#pragma once

#include <cstdint>
#include <vector>

#include "frm/drawing/cenviron.h"
#include "frm/interaction/cdrag.h"
#include "frm/views/csubview.h"

class FRM_CAttachment;
class FRM_CWindow;

class FRM_CAttachmentFrame : public FRM_CSubview, public FRM_CDragSink {
    FRM_TYPE_INFO(CAttachmentFrame)
    friend class FRM_CAttachment;

public:
    enum AttachmentPoint : std::int32_t {
        ATTACH_NONE = 0,
        ATTACH_TOP = 1,
        ATTACH_BOTTOM = 2,
        ATTACH_LEFT = 4,
        ATTACH_RIGHT = 8,
        ATTACH_ALL = 15
    };

    // Fills theWindow; the client subview gets the same rectangle and both are glued to
    // every side.
    FRM_CAttachmentFrame(FRM_CWindow* theWindow, AttachmentPoint theAttachmentPoints);
    FRM_CAttachmentFrame(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                         AttachmentPoint theAttachmentPoints);
    // Starts with no attachments and a new client subview.
    FRM_CAttachmentFrame(const FRM_CAttachmentFrame& other);
    // Assigns the view, the sink and the mask; attachments and the client stay.
    FRM_CAttachmentFrame& operator=(const FRM_CAttachmentFrame& other);
    // Deletes the attachments still docked.
    ~FRM_CAttachmentFrame() override;

    virtual AttachmentPoint GetAttachmentPoints() const { return itsAttachmentPoints; }
    // Narrowing the mask floats the first detachable attachment docked on a removed edge.
    virtual void SetAttachmentPoints(AttachmentPoint theAttachmentPoints);
    // Lays out every edge's band and gives the client subview the rest.
    virtual void ArrangeAttachments();
    virtual void SetAttachmentEnvironment(const FRM_CEnvironment& theNewEnvironment,
                                          short isUpdate);
    virtual void SetAttachmentFont(const FRM_CFont& theNewFont, short isUpdate);

    FRM_CSubview* GetClientSubview() const;
    // Moves the old client's subviews into theClientSubview, deletes the old client.
    void SetClientSubview(FRM_CSubview* theClientSubview);
    void HasOpaqueClientSubview(short isOpaque) { itsClientSubviewDrawsBackground = isOpaque; }
    // Suspend and Resume nest; the Resume that ends the last one runs an arrangement asked
    // for meanwhile, once.
    void Suspend() { ++itIsSuspended; }
    short IsSuspended() const { return itIsSuspended > 0 ? 1 : 0; }
    void Resume();
    const std::vector<FRM_CAttachment*>& GetAttachments() const { return itsAttachments; }

    // FRM_CView
    void Draw(const FRM_CRect& theClip) override;
    void DoSize(const FRM_CRect& theFrame) override;
    void SetFont(const FRM_CFont& theFont, short isShared) override;
    void DoSetFont(const FRM_CFont& theFont, short isShared) override;
    void SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared) override;
    void DoSetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared) override;
    void DoSetGlue(unsigned long theGlue) override;
    void DoSetDragging(short isOn) override;
    void DoSetSizing(short isOn) override;

    // FRM_CDragSink: points in the task window's coordinates; the data is the attachment.
    short IsInSink(FRM_CPoint theLocation) override;
    void DoDrop(FRM_CPoint theLocation, short theButton, short isShift, short isControl,
                long theType, void* theDragData) override;
    void DoEnter(FRM_CPoint theLocation, short theButton, short isShift, short isControl,
                 long theType, void* theDragData) override;
    void DoLeave(FRM_CPoint theLocation, short theButton, short isShift, short isControl,
                 long theType, void* theDragData) override;
    void DoDrag(FRM_CPoint theLocation, short theButton, short isShift, short isControl,
                long theType, void* theDragData) override;
    FRM_CView* GetOwner() override { return this; }

    // The outline's state: ATTACH_ALL before the first move of a drag, ATTACH_NONE for a
    // floating outline, else the edge it is docked to.
    AttachmentPoint GetLastDragAttachmentPoint() const { return itsLastDragAttachmentPoint; }
    const FRM_CRect& GetLastDragRect() const { return itsLastDragRect; }

protected:
    virtual void AddAttachment(FRM_CAttachment* theAttachment);
    virtual void RemoveAttachment(FRM_CAttachment* theAttachment, short willInvalidateAndArrange);
    // One new rectangle per attachment at that edge, in list order.
    std::vector<FRM_CRect> GetAttachmentSizes(AttachmentPoint theAttachmentPoint) const;
    void SetAttachmentSizes(const std::vector<FRM_CRect>& theRects, const FRM_CPoint& theOffset,
                            AttachmentPoint theAttachmentPoint);
    // Pushes one edge's band flush against the frame's edge; the client meets it.
    void RemoveWhiteSpace(AttachmentPoint theAttachmentPoint);
    void SizeClientSubviewAndInvalidate(const FRM_CRect& theRect);

private:
    void InitFrame();
    FRM_CSubview* NewClient(const FRM_CRect& theFrame);
    // One pixel across (horizontal) or down, in the frame's units.
    float HPixel() const;
    float VPixel() const;
    bool IsInTaskWindow() const;
    // The edge a window point lies off the float zone, or ATTACH_NONE.
    AttachmentPoint EdgeAt(const FRM_CPoint& theWindowPoint) const;
    // Draws the outline (again, which erases it) in exclusive-or.
    void DrawOutline();
    void InvalidateInFrame(const FRM_CRect& theRect);

    std::vector<FRM_CAttachment*> itsAttachments;   // owned, in the order they came
    AttachmentPoint itsAttachmentPoints = ATTACH_ALL;
    unsigned short itIsSuspended = 0;
    unsigned short itsResumeBehavior = 0;
    short itsClientSubviewDrawsBackground = 0;
    AttachmentPoint itsLastDragAttachmentPoint = ATTACH_ALL;
    FRM_CRect itsLastDragRect;
    FRM_CRect itsClientRect;   // the float zone of the current drag
    FRM_CEnvironment itsInvertEnvironment;
};
