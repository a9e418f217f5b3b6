// catchfrm.cpp: the attachment frame's bands, the client subview, and the drag outline and
// drop logic of its sink.
#include "frm/views/catchfrm.h"

#include <algorithm>

#include "frm/core/cunits.h"
#include "frm/core/cvaluerwc.h"
#include "frm/core/crectalign.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/catchmnt.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr unsigned long kGluedAllRound = 0xFFFFFFFFUL;
constexpr unsigned long kGray = 0x09808080UL;

FRM_CEnvironment OutlineEnvironment()
{
    return FRM_CEnvironment(FRM_CEnvironment::kWhite, FRM_CEnvironment::kBlack,
                            FRM_CEnvironment::kWhite, PAT_HOLLOW, kGray, PAT_SOLID, 1,
                            FRM_CEnvironment::DefaultFont(), M_XOR, 0, 0, FRM_CEnvironment::kWhite,
                            FRM_CEnvironment::kBlack, FRM_CEnvironment::kWhite,
                            FRM_CEnvironment::kBlack);
}

// The black line around the client area. Made for each drawing: a font kept for the life
// of the process would outlive the toolkit's font handles.
FRM_CEnvironment BorderEnvironment()
{
    return FRM_CEnvironment(FRM_CEnvironment::kWhite, FRM_CEnvironment::kBlack,
                            FRM_CEnvironment::kWhite, PAT_HOLLOW, FRM_CEnvironment::kBlack,
                            PAT_SOLID, 1, FRM_CEnvironment::DefaultFont(), M_COPY, 0, 0,
                            FRM_CEnvironment::kWhite, FRM_CEnvironment::kBlack,
                            FRM_CEnvironment::kWhite, FRM_CEnvironment::kBlack);
}

bool IsEmptyArea(const FRM_CRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CAttachmentFrame::FRM_CAttachmentFrame(FRM_CWindow* theWindow,
                                           AttachmentPoint theAttachmentPoints)
    : FRM_CSubview(theWindow, theWindow != nullptr ? theWindow->GetFrame() : FRM_CRect()),
      itsAttachmentPoints(theAttachmentPoints)
{
    InitFrame();
    NewClient(GetFrame())->SetGlue(kGluedAllRound);
    SetGlue(kGluedAllRound);
}

FRM_CAttachmentFrame::FRM_CAttachmentFrame(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                                           AttachmentPoint theAttachmentPoints)
    : FRM_CSubview(theEnclosure, theRegion), itsAttachmentPoints(theAttachmentPoints)
{
    InitFrame();
    NewClient(GetLocalFrame())->SetGlue(kGluedAllRound);
}

FRM_CAttachmentFrame::FRM_CAttachmentFrame(const FRM_CAttachmentFrame& other)
    : FRM_CSubview(other), FRM_CDragSink(other), itsAttachmentPoints(other.itsAttachmentPoints)
{
    InitFrame();
    // The copied subview part holds no children of its own yet: a client is made afresh.
    NewClient(GetLocalFrame())->SetGlue(kGluedAllRound);
}

// Hand-written: the docked attachments and the client subview stay this frame's own.
FRM_CAttachmentFrame& FRM_CAttachmentFrame::operator=(const FRM_CAttachmentFrame& other)
{
    if (this != &other) {
        FRM_CSubview::operator=(other);
        FRM_CDragSink::operator=(other);
        itsAttachmentPoints = other.itsAttachmentPoints;
    }
    return *this;
}

FRM_CAttachmentFrame::~FRM_CAttachmentFrame()
{
    while (!itsAttachments.empty()) {
        FRM_CAttachment* attachment = itsAttachments.front();
        itsAttachments.erase(itsAttachments.begin());
        delete attachment;
    }
}

void FRM_CAttachmentFrame::InitFrame()
{
    itIsSuspended = 0;
    itsResumeBehavior = 0;
    itsClientSubviewDrawsBackground = 0;
    itsLastDragAttachmentPoint = ATTACH_ALL;
    itsLastDragRect = FRM_CRect();
    itsClientRect = FRM_CRect();
    itsInvertEnvironment = OutlineEnvironment();
}

FRM_CSubview* FRM_CAttachmentFrame::NewClient(const FRM_CRect& theFrame)
{
    auto* client = new FRM_CSubview(this, theFrame);
    // The client is always subview 0.
    if (itsSubviews->entries() > 1) {
        itsSubviews->removeReference(client);
        itsSubviews->insertAt(0, client);
    }
    return client;
}

float FRM_CAttachmentFrame::HPixel() const { return frm_views::HPixelsToLogical(this, 1); }
float FRM_CAttachmentFrame::VPixel() const { return frm_views::VPixelsToLogical(this, 1); }

bool FRM_CAttachmentFrame::IsInTaskWindow() const
{
    return GetCWindow() != nullptr && GetCWindow() == frm_views::TaskWindow();
}

FRM_CSubview* FRM_CAttachmentFrame::GetClientSubview() const
{
    return itsSubviews->entries() > 0 ? static_cast<FRM_CSubview*>((*itsSubviews)[0]) : nullptr;
}

void FRM_CAttachmentFrame::SetClientSubview(FRM_CSubview* theClientSubview)
{
    FRM_CSubview* old = GetClientSubview();
    if (theClientSubview == nullptr || theClientSubview == old)
        return;
    if (theClientSubview->GetEnclosure() != this)
        theClientSubview->SetEnclosure(this);
    if (old != nullptr) {
        theClientSubview->DoSize(old->GetFrame());
        RWOrdered children(*old->GetSubviews());
        for (std::size_t i = 0; i < children.entries(); ++i)
            static_cast<FRM_CView*>(children[i])->SetEnclosure(theClientSubview);
    }
    theClientSubview->SetGlue(kGluedAllRound);
    delete old;
    if (itsSubviews->index(theClientSubview) != 0) {
        itsSubviews->removeReference(theClientSubview);
        itsSubviews->insertAt(0, theClientSubview);
    }
}

void FRM_CAttachmentFrame::Resume()
{
    if (itIsSuspended == 0)
        return;
    --itIsSuspended;
    if (itIsSuspended == 0 && (itsResumeBehavior & 1) != 0)
        ArrangeAttachments();
}

// ---------------------------------------------------------------------------------------------
// Attachments

void FRM_CAttachmentFrame::AddAttachment(FRM_CAttachment* theAttachment)
{
    itsAttachments.push_back(theAttachment);
    ArrangeAttachments();
}

void FRM_CAttachmentFrame::RemoveAttachment(FRM_CAttachment* theAttachment,
                                            short willInvalidateAndArrange)
{
    itsAttachments.erase(std::remove(itsAttachments.begin(), itsAttachments.end(), theAttachment),
                         itsAttachments.end());
    if (willInvalidateAndArrange != 0 && theAttachment != nullptr) {
        InvalidateInFrame(theAttachment->GetSize());
        ArrangeAttachments();
    }
}

void FRM_CAttachmentFrame::SetAttachmentEnvironment(const FRM_CEnvironment& theNewEnvironment,
                                                    short isUpdate)
{
    for (FRM_CAttachment* attachment : std::vector<FRM_CAttachment*>(itsAttachments))
        if (FRM_CView* view = attachment->GetView();
            view != nullptr && view->IsEnvironmentShared() == 0)
            view->SetEnvironment(theNewEnvironment, isUpdate);
}

void FRM_CAttachmentFrame::SetAttachmentFont(const FRM_CFont& theNewFont, short isUpdate)
{
    for (FRM_CAttachment* attachment : std::vector<FRM_CAttachment*>(itsAttachments))
        if (FRM_CView* view = attachment->GetView();
            view != nullptr && view->IsEnvironmentShared() == 0)
            view->SetFont(theNewFont, isUpdate);
}

void FRM_CAttachmentFrame::SetAttachmentPoints(AttachmentPoint theAttachmentPoints)
{
    if ((itsAttachmentPoints & ~theAttachmentPoints) == 0) {
        itsAttachmentPoints = theAttachmentPoints;
        return;
    }
    // Only an attachment that may float is floated; the others stay where they are docked.
    FRM_CAttachment* floated = nullptr;
    for (FRM_CAttachment* attachment : itsAttachments) {
        if (attachment->GetState() == FRM_CAttachment::AS_ATTACHED &&
            (attachment->GetAttachmentPoint() & theAttachmentPoints) == 0 &&
            attachment->IsDetachable() != 0) {
            floated = attachment;
            break;
        }
    }
    if (floated != nullptr) {
        FRM_CRect place = floated->GetSize();
        floated->Hide();
        floated->Detach(1);
        FRM_CPoint corner(0, 0);
        corner.Translate(GetCWindow(), frm_views::TaskWindow());
        floated->SetSize(place + corner);
        floated->Show();
    }
    itsAttachmentPoints = theAttachmentPoints;
    if (floated != nullptr)
        ArrangeAttachments();
}

// ---------------------------------------------------------------------------------------------
// Layout

std::vector<FRM_CRect> FRM_CAttachmentFrame::GetAttachmentSizes(
    AttachmentPoint theAttachmentPoint) const
{
    std::vector<FRM_CRect> sizes;
    for (FRM_CAttachment* attachment : itsAttachments)
        if (attachment->GetAttachmentPoint() == theAttachmentPoint)
            sizes.push_back(attachment->GetDesiredSize());
    return sizes;
}

namespace {

// Packs the rectangles in place into the band, rows (or columns) as they need; answers the
// depth used.
float Pack(std::vector<FRM_CRect>& theRects, const FRM_CRect& theBand, bool rows)
{
    RWOrdered list;
    std::vector<FRM_CRectRWC> wrapped(theRects.begin(), theRects.end());
    for (FRM_CRectRWC& rect : wrapped)
        list.append(&rect);
    FRM_CRectAlignment alignment(list);
    const float depth = rows ? alignment.PackHeight(theBand) : alignment.PackWidth(theBand);
    for (std::size_t i = 0; i < wrapped.size(); ++i)
        theRects[i] = wrapped[i];
    return depth;
}

} // namespace

void FRM_CAttachmentFrame::ArrangeAttachments()
{
    if (itIsSuspended != 0) {
        itsResumeBehavior = 1;
        return;
    }
    Suspend();
    const FRM_CRect whole = GetGlobalFrame();
    FRM_CRect client(0, 0, whole.Width(), whole.Height());
    const float taskPixelV = IsInTaskWindow() ? VPixel() : 0;
    const float taskPixelH = IsInTaskWindow() ? HPixel() : 0;
    if (!itsAttachments.empty()) {
        for (AttachmentPoint edge : {ATTACH_TOP, ATTACH_BOTTOM, ATTACH_LEFT, ATTACH_RIGHT}) {
            std::vector<FRM_CRect> sizes = GetAttachmentSizes(edge);
            if (sizes.empty())
                continue;
            FRM_CRect band = whole;
            FRM_CPoint offset(0, 0);
            switch (edge) {
            case ATTACH_TOP: {
                band.Height(GetClientSubview()->GetFrame().Top());
                client.Top(Pack(sizes, band, true) + taskPixelV);
                break;
            }
            case ATTACH_BOTTOM: {
                const float depth = Pack(sizes, band, true) + VPixel();
                client.Bottom(whole.Height() - depth);
                offset = FRM_CPoint(0, client.Bottom() + VPixel());
                break;
            }
            case ATTACH_LEFT: {
                band.Top(whole.Top() + client.Top());
                band.Bottom(band.Top() + (client.Bottom() - client.Top()));
                client.Left(Pack(sizes, band, false) + taskPixelH);
                break;
            }
            default: {
                band.Top(whole.Top() + client.Top());
                band.Bottom(band.Top() + (client.Bottom() - client.Top()));
                const float depth = Pack(sizes, band, false) + HPixel();
                client.Right(whole.Width() - depth);
                offset = FRM_CPoint(client.Right() + HPixel(), 0);
                break;
            }
            }
            SetAttachmentSizes(sizes, offset, edge);
        }
    }
    SizeClientSubviewAndInvalidate(client);
    itsResumeBehavior = 0;
    Resume();
}

void FRM_CAttachmentFrame::SetAttachmentSizes(const std::vector<FRM_CRect>& theRects,
                                              const FRM_CPoint& theOffset,
                                              AttachmentPoint theAttachmentPoint)
{
    std::size_t next = 0;
    for (FRM_CAttachment* attachment : std::vector<FRM_CAttachment*>(itsAttachments)) {
        if (attachment->GetAttachmentPoint() != theAttachmentPoint)
            continue;
        if (next >= theRects.size())
            break;
        const FRM_CRect wanted = theRects[next++] + theOffset;
        const FRM_CRect old = attachment->GetSize();
        if (wanted == old)
            continue;
        const bool resized = wanted.Width() != old.Width() || wanted.Height() != old.Height();
        attachment->SetSize(wanted);
        attachment->Show();
        InvalidateInFrame(old);
        if (resized)
            attachment->Redraw();
    }
}

void FRM_CAttachmentFrame::SizeClientSubviewAndInvalidate(const FRM_CRect& theRect)
{
    FRM_CSubview* client = GetClientSubview();
    if (client == nullptr || client->GetFrame() == theRect)
        return;
    const FRM_CRect before = client->GetGlobalFrame();
    client->DoSize(theRect);
    const FRM_CRect after = client->GetGlobalFrame();
    if (itsClientSubviewDrawsBackground == 0) {
        InvalidateInFrame((before + after).GetInflatedRect(HPixel(), VPixel()));
        return;
    }
    if (before.Left() > after.Left())
        InvalidateInFrame(FRM_CRect(after.Left(), after.Top(), before.Left(), after.Bottom())
                              .GetInflatedRect(HPixel(), VPixel()));
    if (before.Top() > after.Top())
        InvalidateInFrame(FRM_CRect(after.Left(), after.Top(), after.Right(), before.Top())
                              .GetInflatedRect(HPixel(), VPixel()));
}

void FRM_CAttachmentFrame::RemoveWhiteSpace(AttachmentPoint theAttachmentPoint)
{
    if (theAttachmentPoint == ATTACH_NONE)
        return;
    std::vector<FRM_CAttachment*> edge;
    for (FRM_CAttachment* attachment : itsAttachments)
        if (attachment->GetAttachmentPoint() == theAttachmentPoint)
            edge.push_back(attachment);
    FRM_CSubview* client = GetClientSubview();
    FRM_CRect clientFrame = client->GetFrame();
    if (!edge.empty()) {
        FRM_CRect band = edge.front()->GetSize();
        for (FRM_CAttachment* attachment : edge)
            band = band + attachment->GetSize();
        const FRM_CRect whole = GetGlobalFrame();
        FRM_CPoint shift(0, 0);
        switch (theAttachmentPoint) {
        case ATTACH_TOP:
            shift.V(whole.Top() - band.Top());
            clientFrame.Top(band.Height());
            break;
        case ATTACH_BOTTOM: {
            const float y = whole.Bottom() - band.Height();
            shift.V(y - band.Top());
            clientFrame.Bottom(y - whole.Top() - VPixel());
            break;
        }
        case ATTACH_LEFT:
            shift.H(whole.Left() - band.Left());
            clientFrame.Left(band.Width());
            break;
        default: {
            const float x = whole.Right() - band.Width();
            shift.H(x - band.Left());
            clientFrame.Right(x - whole.Left() - HPixel());
            break;
        }
        }
        if (shift != FRM_CPoint(0, 0))
            for (FRM_CAttachment* attachment : edge) {
                const FRM_CRect old = attachment->GetSize();
                attachment->SetSize(old + shift);
                InvalidateInFrame(old);
            }
    }
    SizeClientSubviewAndInvalidate(clientFrame);
}

void FRM_CAttachmentFrame::DoSize(const FRM_CRect& theFrame)
{
    const FRM_CRect old = GetFrame();
    if (theFrame == old)
        return;
    FRM_CSubview::DoSize(theFrame);
    const FRM_CPoint moved(theFrame.Left() - old.Left(), theFrame.Top() - old.Top());
    if (moved != FRM_CPoint(0, 0))
        for (FRM_CAttachment* attachment : std::vector<FRM_CAttachment*>(itsAttachments))
            attachment->SetSize(attachment->GetSize() + moved);
    if (theFrame.Width() != old.Width() || theFrame.Height() != old.Height())
        ArrangeAttachments();
}

void FRM_CAttachmentFrame::InvalidateInFrame(const FRM_CRect& theRect)
{
    if (GetVKOWindow() == nullptr)
        return;
    FRM_CDrawingContext context(this);
    context.InvalidateRect(theRect);
}

// ---------------------------------------------------------------------------------------------
// Forwarded settings

void FRM_CAttachmentFrame::SetFont(const FRM_CFont& theFont, short isShared)
{
    if (FRM_CSubview* client = GetClientSubview())
        client->SetFont(theFont, isShared);
}

void FRM_CAttachmentFrame::DoSetFont(const FRM_CFont& theFont, short isShared)
{
    if (FRM_CSubview* client = GetClientSubview())
        client->DoSetFont(theFont, isShared);
}

void FRM_CAttachmentFrame::SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared)
{
    if (FRM_CSubview* client = GetClientSubview())
        client->SetEnvironment(theEnvironment, isShared);
}

void FRM_CAttachmentFrame::DoSetEnvironment(const FRM_CEnvironment& theEnvironment,
                                            short isShared)
{
    if (FRM_CSubview* client = GetClientSubview())
        client->DoSetEnvironment(theEnvironment, isShared);
}

namespace {

template <class Apply>
void ClientChildrenLastFirst(FRM_CSubview* client, Apply apply)
{
    if (client == nullptr)
        return;
    RWOrdered children(*client->GetSubviews());
    for (std::size_t i = children.entries(); i-- > 0;)
        apply(static_cast<FRM_CView*>(children[i]));
}

} // namespace

void FRM_CAttachmentFrame::DoSetGlue(unsigned long theGlue)
{
    SetGlue(theGlue);
    ClientChildrenLastFirst(GetClientSubview(), [theGlue](FRM_CView* v) { v->DoSetGlue(theGlue); });
}

void FRM_CAttachmentFrame::DoSetDragging(short isOn)
{
    SetDragging(isOn);
    ClientChildrenLastFirst(GetClientSubview(), [isOn](FRM_CView* v) { v->DoSetDragging(isOn); });
}

void FRM_CAttachmentFrame::DoSetSizing(short isOn)
{
    SetSizing(isOn);
    ClientChildrenLastFirst(GetClientSubview(), [isOn](FRM_CView* v) { v->DoSetSizing(isOn); });
}

// ---------------------------------------------------------------------------------------------
// Drawing

void FRM_CAttachmentFrame::Draw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    FRM_CView::Draw(theClip);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    FRM_CSubview* client = GetClientSubview();
    if (client == nullptr)
        return;
    FRM_CDrawingContext context(this, BorderEnvironment());
    context.DrawRect(client->GetGlobalFrame().GetInflatedRect(HPixel(), VPixel()));
}

// ---------------------------------------------------------------------------------------------
// Drag and drop

short FRM_CAttachmentFrame::IsInSink(FRM_CPoint theLocation)
{
    theLocation.Translate(frm_views::TaskWindow(), this);
    return GetLocalFrame().IsPointInRect(theLocation) ? 1 : 0;
}

FRM_CAttachmentFrame::AttachmentPoint FRM_CAttachmentFrame::EdgeAt(const FRM_CPoint& q) const
{
    if (q.V() < itsClientRect.Top())
        return ATTACH_TOP;
    if (q.V() > itsClientRect.Bottom())
        return ATTACH_BOTTOM;
    if (q.H() < itsClientRect.Left())
        return ATTACH_LEFT;
    if (q.H() > itsClientRect.Right())
        return ATTACH_RIGHT;
    return ATTACH_NONE;
}

void FRM_CAttachmentFrame::DoEnter(FRM_CPoint, short, short, short, long, void* theDragData)
{
    auto* attachment = static_cast<FRM_CAttachment*>(theDragData);
    if (attachment == nullptr)
        return;
    const FRM_CRect whole = GetGlobalFrame();
    const FRM_CPoint grip = attachment->GetDragOffset();
    const FRM_CRect outer = attachment->GetBorderSize(attachment->GetBestSize(), 1);
    FRM_CRect zone = GetClientSubview()->GetGlobalFrame();
    if ((itsAttachmentPoints & ATTACH_TOP) != 0)
        zone.Top(std::max(zone.Top(), whole.Top() + grip.V()));
    else
        zone.Top(whole.Top() - VPixel());
    if ((itsAttachmentPoints & ATTACH_BOTTOM) != 0)
        zone.Bottom(std::min(zone.Bottom(), whole.Bottom() - (outer.Height() - grip.V())));
    else
        zone.Bottom(whole.Bottom() + VPixel());
    if ((itsAttachmentPoints & ATTACH_LEFT) != 0)
        zone.Left(std::max(zone.Left(), whole.Left() + grip.H()));
    else
        zone.Left(whole.Left() - HPixel());
    if ((itsAttachmentPoints & ATTACH_RIGHT) != 0)
        zone.Right(std::min(zone.Right(), whole.Right() - (outer.Width() - grip.H())));
    else
        zone.Right(whole.Right() + HPixel());
    itsClientRect = zone;
    FRM_CDrawingContext context(this);
    context.SetClip(frm_views::MaxRect());
    itsLastDragAttachmentPoint = ATTACH_ALL;
}

void FRM_CAttachmentFrame::DrawOutline()
{
    FRM_CDrawingContext context(this, itsInvertEnvironment);
    context.GetEnv().SetPenWidth(itsLastDragAttachmentPoint != ATTACH_NONE ? 1 : 3);
    context.DrawRect(itsLastDragRect);
}

void FRM_CAttachmentFrame::DoDrag(FRM_CPoint theLocation, short, short, short, long,
                                  void* theDragData)
{
    auto* attachment = static_cast<FRM_CAttachment*>(theDragData);
    if (attachment == nullptr)
        return;
    if (itsLastDragAttachmentPoint != ATTACH_ALL)
        DrawOutline();
    const FRM_CPoint q = theLocation.GetTranslated(frm_views::TaskWindow(), GetCWindow());
    const FRM_CRect whole = GetGlobalFrame();
    const FRM_CPoint grip = attachment->GetDragOffset();
    const FRM_CRect client = GetClientSubview()->GetFrame();
    FRM_CRect outline;
    const AttachmentPoint edge =
        whole.IsPointInRect(q) && !itsClientRect.IsPointInRect(q) ? EdgeAt(q) : ATTACH_NONE;
    if (edge != ATTACH_NONE) {
        if (edge == itsLastDragAttachmentPoint) {
            outline = FRM_CRect(0, 0, itsLastDragRect.Width(), itsLastDragRect.Height());
        } else {
            itsLastDragAttachmentPoint = edge;
            outline =
                attachment->GetBorderSize(attachment->GetSizeToFitAttachmentPoint(this, edge), 0);
        }
        float x = 0;
        float y = 0;
        const float alongH = std::clamp(q.H() - grip.H(), whole.Left(),
                                        std::max(whole.Left(), whole.Right() - outline.Width()));
        const float alongV = std::clamp(q.V() - grip.V(), whole.Top(),
                                        std::max(whole.Top(), whole.Bottom() - outline.Height()));
        switch (edge) {
        case ATTACH_TOP:
            y = client.Top() != 0 ? std::max(whole.Top(), q.V() - grip.V()) : whole.Top();
            x = alongH;
            break;
        case ATTACH_BOTTOM:
            y = whole.Bottom() - outline.Height();
            if (client.Bottom() != GetFrame().Height())
                y = std::min(y, q.V() - grip.V());
            x = alongH;
            break;
        case ATTACH_LEFT:
            x = client.Left() != 0 ? std::max(whole.Left(), q.H() - grip.H()) : whole.Left();
            y = alongV;
            break;
        default:
            x = whole.Right() - outline.Width();
            if (client.Right() != GetFrame().Width())
                x = std::min(x, q.H() - grip.H());
            y = alongV;
            break;
        }
        outline = FRM_CRect(x, y, x + outline.Width(), y + outline.Height());
    } else {
        if (itsLastDragAttachmentPoint == ATTACH_NONE) {
            outline = FRM_CRect(0, 0, itsLastDragRect.Width(), itsLastDragRect.Height());
        } else {
            itsLastDragAttachmentPoint = ATTACH_NONE;
            outline = attachment->GetBorderSize(attachment->GetBestSize(), 1);
        }
        outline = outline + (q - grip);
    }
    itsLastDragRect = outline;
    DrawOutline();
}

void FRM_CAttachmentFrame::DoLeave(FRM_CPoint, short, short, short, long, void*)
{
    if (itsLastDragAttachmentPoint != ATTACH_ALL)
        DrawOutline();
}

void FRM_CAttachmentFrame::DoDrop(FRM_CPoint theLocation, short, short, short, long,
                                  void* theDragData)
{
    auto* attachment = static_cast<FRM_CAttachment*>(theDragData);
    if (attachment == nullptr)
        return;
    Suspend();
    const AttachmentPoint old = attachment->GetAttachmentPoint();
    const FRM_CPoint q = theLocation.GetTranslated(frm_views::TaskWindow(), GetCWindow());
    const FRM_CRect whole = GetGlobalFrame();
    if (whole.IsPointInRect(q)) {
        attachment->Hide();
        if (itsClientRect.IsPointInRect(q)) {
            attachment->Popup(GetCWindow(), 1);
        } else {
            const AttachmentPoint edge = EdgeAt(q);
            if (edge != ATTACH_NONE)
                attachment->InternalAttach(this, edge);
        }
        attachment->SetSize(itsLastDragRect);
        attachment->Show();
    }
    // A drop on a free spot of the attachment's own edge keeps it where it was dropped:
    // only the gaps of that edge close.
    const bool docked = attachment->GetAttachmentPoint() != ATTACH_NONE &&
                        attachment->GetState() == FRM_CAttachment::AS_ATTACHED;
    FRM_CRect overlap =
        docked ? attachment->GetSize() - GetClientSubview()->GetFrame() : FRM_CRect();
    if (!itsAttachments.empty() && attachment->GetAttachmentPoint() == old &&
        IsEmptyArea(overlap)) {
        for (FRM_CAttachment* other : itsAttachments) {
            if (other == attachment)
                continue;
            overlap = itsLastDragRect - other->GetSize();
            if (!IsEmptyArea(overlap))
                break;
        }
        if (IsEmptyArea(overlap)) {
            itsResumeBehavior = 0;
            RemoveWhiteSpace(old);
        }
    }
    Resume();
    if (docked) {
        InvalidateInFrame(attachment->GetSize());
        vko_dwin_update(GetVKOWindow());
    }
    itsLastDragAttachmentPoint = ATTACH_ALL;
}
