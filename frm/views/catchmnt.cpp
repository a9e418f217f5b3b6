// catchmnt.cpp: the attachment's states and windows, its candidate sizes, and its drag and
// tear-off handling.
#include "frm/views/catchmnt.h"

#include <algorithm>
#include <cmath>

#include "frm/core/ctypeinfo.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/runtime/capplctn.h"
#include "frm/core/cfactmgr.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/catchwin.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

const FRM_CPoint kNULLPoint(-1.0F, -1.0F);

short FRM_CAttachment::isTearingOffNow = 0;

namespace {

constexpr char kModule[] = "catchmnt";
constexpr long kErrMisuse = 0;

} // namespace

void FrmInsertFitSize(std::vector<FRM_CRect>& theSizes, const FRM_CRect& theRect)
{
    const auto at = std::upper_bound(
        theSizes.begin(), theSizes.end(), theRect,
        [](const FRM_CRect& a, const FRM_CRect& b) { return a.Width() < b.Width(); });
    theSizes.insert(at, theRect);
}

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CAttachment::FRM_CAttachment(FRM_CView* theView) : itsView(theView)
{
    // A view without an enclosure could never be given back when a window closes.
    if (theView == nullptr || theView->GetEnclosure() == nullptr)
        FrmError(kErrMisuse, kModule, __LINE__);
}

FRM_CAttachment::FRM_CAttachment(const FRM_CAttachment& other) : FRM_CDragSource(other)
{
    FrmError(kErrMisuse, kModule, __LINE__);
}

// Hand-written: its frames are let go, not deleted; only the drag part and the flag are copied.
FRM_CAttachment& FRM_CAttachment::operator=(const FRM_CAttachment& other)
{
    if (this != &other) {
        // The drag source deletes the sinks it drops that no other source holds; frames
        // are views of their windows and must only be let go.
        const std::vector<FRM_CDragSink*> sinks = GetSinks();
        for (FRM_CDragSink* sink : sinks)
            UnregisterSink(sink);
        FRM_CDragSource::operator=(other);
        itIsDetachable = other.itIsDetachable;
    }
    return *this;
}

FRM_CAttachment::~FRM_CAttachment()
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    const bool closing = FRM_CApplication::IsInstantiated() && library != nullptr &&
                         library->IsTerminating() == 0;
    for (FRM_CAttachmentWindow** window : {&itsInternalWindow, &itsExternalWindow}) {
        FRM_CAttachmentWindow* held = *window;
        *window = nullptr;
        if (held == nullptr)
            continue;
        held->itsAttachment = nullptr;
        if (closing)
            held->Close();
    }
    // The frames are views of their windows: they must not go with this source.
    const std::vector<FRM_CDragSink*> sinks = GetSinks();
    for (FRM_CDragSink* sink : sinks)
        UnregisterSink(sink);
    if (itsState == AS_ATTACHED && itsAttachmentFrame != nullptr)
        itsAttachmentFrame->RemoveAttachment(this, 0);
}

const FRM_CTypeInfo* FRM_CAttachment::GetRunTimeTypeInfo() const { return &frm_type::CAttachment; }
const FRM_CTypeInfo* FRM_CAttachment::GetStaticTypeInfo() { return &frm_type::CAttachment; }

void FRM_CAttachment::SetDetachable(short canDetach)
{
    if (canDetach != 0)
        FrmError(kErrMisuse, kModule, __LINE__);
    itIsDetachable = canDetach;
}

void FRM_CAttachment::SetDragOffset(const FRM_CPoint* theDragOffset)
{
    if (theDragOffset != nullptr) {
        itsDragOffset = *theDragOffset;
        return;
    }
    const FRM_CRect frame = itsView->GetFrame();
    itsDragOffset = FRM_CPoint(frame.Width() / 2, frame.Height() / 2);
}

void FRM_CAttachment::SetTitle(const FRM_CStringRW& theTitle) { itsView->SetTitle(theTitle); }
FRM_CStringRW FRM_CAttachment::GetTitle() const { return itsView->GetTitle(); }

// ---------------------------------------------------------------------------------------------
// Sizes

const std::vector<FRM_CRect>& FRM_CAttachment::GetAllFitSizes()
{
    itsFitSizes.clear();
    itsFitSizes.push_back(GetBestSize());
    return itsFitSizes;
}

FRM_CRect FRM_CAttachment::GetBestSize()
{
    return itsView != nullptr ? itsView->GetLocalFrame() : FRM_CRect();
}

FRM_CRect FRM_CAttachment::GetFitSize(float theDesiredWidth, float theDesiredHeight)
{
    const std::vector<FRM_CRect> sizes = GetAllFitSizes();
    const float wanted = theDesiredHeight != 0 ? theDesiredWidth / theDesiredHeight : 0;
    const FRM_CRect* best = nullptr;
    float bestDistance = 0;
    for (const FRM_CRect& size : sizes) {
        const float ratio = size.Height() != 0 ? size.Width() / size.Height() : 0;
        const float distance = std::fabs(ratio - wanted);
        if (best == nullptr || distance < bestDistance) {
            best = &size;
            bestDistance = distance;
        }
    }
    return best != nullptr ? *best : FRM_CRect();
}

FRM_CRect FRM_CAttachment::GetFitSizeFromWidth(float theMaxWidth, float theMaxHeight)
{
    const std::vector<FRM_CRect> sizes = GetAllFitSizes();
    if (sizes.empty())
        return FRM_CRect();
    const float limit = std::max(theMaxHeight, 0.0F);
    auto fits = [limit](const FRM_CRect& r) { return limit == 0 || r.Height() <= limit; };
    const FRM_CRect* firstFitting = nullptr;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (!fits(sizes[i]))
            continue;
        if (firstFitting == nullptr)
            firstFitting = &sizes[i];
        if (i + 1 < sizes.size() && sizes[i + 1].Width() >= theMaxWidth)
            return sizes[i];
    }
    if (limit != 0 && firstFitting != nullptr)
        return *firstFitting;
    return sizes.back();
}

FRM_CRect FRM_CAttachment::GetFitSizeFromHeight(float theMaxHeight, float theMaxWidth)
{
    const std::vector<FRM_CRect> sizes = GetAllFitSizes();
    if (sizes.empty())
        return FRM_CRect();
    const float limit = std::max(theMaxWidth, 0.0F);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const bool last = i + 1 == sizes.size();
        if (last || (limit != 0 && sizes[i + 1].Width() > limit) ||
            sizes[i].Height() < theMaxHeight)
            return sizes[i];
    }
    return sizes.back();
}

FRM_CRect FRM_CAttachment::GetSizeToFitAttachmentPoint(FRM_CAttachmentFrame* theFrame,
                                                       AttachmentPoint thePoint)
{
    if (theFrame == nullptr || theFrame->GetClientSubview() == nullptr)
        return FRM_CRect();
    const FRM_CRect client = theFrame->GetClientSubview()->GetFrame();
    switch (thePoint) {
    case FRM_CAttachmentFrame::ATTACH_TOP:
    case FRM_CAttachmentFrame::ATTACH_BOTTOM:
        return GetFitSizeFromWidth(client.Width(), 0);
    case FRM_CAttachmentFrame::ATTACH_LEFT:
    case FRM_CAttachmentFrame::ATTACH_RIGHT:
        return GetFitSizeFromHeight(client.Height(), 0);
    default:
        return FRM_CRect();
    }
}

FRM_CRect FRM_CAttachment::GetBorderSize(const FRM_CRect& theClientRect, short hasTitleBar) const
{
    const FRM_CSubview* enclosure = itsView != nullptr ? itsView->GetEnclosure() : nullptr;
    return FRM_CAttachmentWindow::GetBorderSize(
        theClientRect, hasTitleBar, enclosure != nullptr ? enclosure->GetUnits() : nullptr);
}

// ---------------------------------------------------------------------------------------------
// Windows and places

FRM_CAttachmentWindow* FRM_CAttachment::CurrentWindow() const
{
    switch (itsState) {
    case AS_ATTACHED:
    case AS_POPUP:
        return itsInternalWindow;
    case AS_DETACHED:
        return itsExternalWindow;
    default:
        return nullptr;
    }
}

void FRM_CAttachment::ForgetWindow(const FRM_CAttachmentWindow* theWindow)
{
    if (itsInternalWindow == theWindow)
        itsInternalWindow = nullptr;
    if (itsExternalWindow == theWindow)
        itsExternalWindow = nullptr;
}

void FRM_CAttachment::SetSize(const FRM_CRect& theRect)
{
    if (FRM_CAttachmentWindow* window = CurrentWindow())
        window->Size(theRect);
}

FRM_CRect FRM_CAttachment::GetSize()
{
    FRM_CAttachmentWindow* window = CurrentWindow();
    if (window == nullptr)
        return FRM_CRect();
    // Every window is placed in its parent's coordinates: the frame's window while docked,
    // the window it pops up over, or the task window while detached.
    return window->GetPlacement();
}

void FRM_CAttachment::Show()
{
    if (itsView == nullptr)
        return;
    if (!itsView->IsVisible())
        itsView->DoShow();
    FRM_CAttachmentWindow* window = CurrentWindow();
    if (window == nullptr)
        return;
    window->Show();
    if (itsState == AS_DETACHED || itsState == AS_POPUP)
        vko_vobj_raise(window->GetVKOWindow());
}

void FRM_CAttachment::Hide()
{
    if (itsState == AS_ATTACHED || itsState == AS_POPUP) {
        if (itsInternalWindow != nullptr)
            itsInternalWindow->Hide();
        if (itsView != nullptr)
            itsView->DoHide();
    } else if (itsState == AS_DETACHED && itsExternalWindow != nullptr) {
        itsExternalWindow->Hide();
    }
}

void FRM_CAttachment::Redraw()
{
    FRM_CAttachmentWindow* window = CurrentWindow();
    if (window == nullptr || window->GetVKOWindow() == nullptr)
        return;
    FRM_CDrawingContext context(window);
    context.InvalidateRect(window->GetLocalFrame());
}

FRM_CAttachmentWindow* FRM_CAttachment::ConstructInternalWindow(FRM_CWindow* theEnclosure,
                                                                FRM_CAttachment* theAttachment,
                                                                short hasTitleBar)
{
    CPlatformFactory* factory = CPlatformFactory::GetTop();
    return factory != nullptr
               ? factory->ConstructAttachmentWindow(theEnclosure, theAttachment, hasTitleBar)
               : nullptr;
}

FRM_CAttachmentWindow* FRM_CAttachment::ConstructExternalWindow(FRM_CAttachment* theAttachment,
                                                                short hasTitleBar)
{
    return ConstructInternalWindow(nullptr, theAttachment, hasTitleBar);
}

void FRM_CAttachment::LeavePlace(AttachmentState theOldState,
                                 FRM_CAttachmentWindow* theOldInternal)
{
    switch (theOldState) {
    case AS_ATTACHED:
        if (theOldInternal != nullptr)
            theOldInternal->Hide();
        if (itsAttachmentFrame != nullptr)
            itsAttachmentFrame->RemoveAttachment(this, 1);
        break;
    case AS_DETACHED:
        if (itsExternalWindow != nullptr)
            itsExternalWindow->Hide();
        break;
    case AS_POPUP:
        if (theOldInternal != nullptr)
            theOldInternal->Hide();
        break;
    default:
        break;
    }
}

namespace {

// A window replaced by a new one: it shows nothing of this attachment any more.
void CloseReplaced(FRM_CAttachmentWindow* theWindow)
{
    if (theWindow == nullptr)
        return;
    theWindow->ForgetAttachment();
    theWindow->Close();
}

} // namespace

void FRM_CAttachment::InternalAttach(FRM_CAttachmentFrame* theFrame, AttachmentPoint thePoint)
{
    if (theFrame == nullptr)
        return;
    FRM_CWindow* frameWindow = theFrame->GetCWindow();
    FRM_CAttachmentWindow* replaced = nullptr;
    if (itsInternalWindow == nullptr) {
        itsInternalWindow = ConstructInternalWindow(frameWindow, this, 0);
    } else if (itsInternalWindow->IsBuiltFor(frameWindow)) {
        itsInternalWindow->HideTitle();
    } else {
        replaced = itsInternalWindow;
        replaced->Hide();
        itsInternalWindow = ConstructInternalWindow(frameWindow, this, 0);
    }
    LeavePlace(itsState, replaced != nullptr ? replaced : itsInternalWindow);
    if (itsInternalWindow != nullptr && itsView->GetEnclosure() != itsInternalWindow)
        itsView->SetEnclosure(itsInternalWindow);
    itsAttachmentFrame = theFrame;
    itsAttachmentPoint = thePoint;
    itsState = AS_ATTACHED;
    theFrame->AddAttachment(this);
    CloseReplaced(replaced);
}

void FRM_CAttachment::Attach(FRM_CAttachmentFrame* theFrame, AttachmentPoint thePoint)
{
    const FRM_CRect fit = GetSizeToFitAttachmentPoint(theFrame, thePoint);
    const FRM_CRect outer = GetBorderSize(fit, 0);
    // Out of sight while it is placed.
    SetSize(outer - FRM_CPoint(outer.Width(), outer.Height()));
    InternalAttach(theFrame, thePoint);
    // The frame has placed it on its edge by now: it keeps that place (moving it to the
    // window's origin would put it over the client until the next arrangement).
    if (itsState != AS_ATTACHED)
        SetSize(outer);
    Show();
}

void FRM_CAttachment::Detach(short hasTitleBar)
{
    if (itIsDetachable == 0) {
        FrmError(kErrMisuse, kModule, __LINE__);
        return;
    }
    if (itsExternalWindow == nullptr)
        itsExternalWindow = ConstructExternalWindow(this, hasTitleBar);
    LeavePlace(itsState == AS_DETACHED ? AS_INITIAL : itsState, itsInternalWindow);
    if (itsExternalWindow != nullptr) {
        if (hasTitleBar != 0)
            itsExternalWindow->ShowTitle();
        else
            itsExternalWindow->HideTitle();
    }
    if (itsState != AS_DETACHED) {
        itsState = AS_DETACHED;
        if (itsExternalWindow != nullptr && itsView->GetEnclosure() != itsExternalWindow)
            itsView->SetEnclosure(itsExternalWindow);
        itsAttachmentFrame = nullptr;
        itsAttachmentPoint = FRM_CAttachmentFrame::ATTACH_NONE;
    }
}

void FRM_CAttachment::Popup(FRM_CWindow* theWindow, short hasTitleBar)
{
    FRM_CAttachmentWindow* replaced = nullptr;
    if (itsInternalWindow == nullptr || !itsInternalWindow->IsBuiltFor(theWindow)) {
        replaced = itsInternalWindow;
        if (replaced != nullptr)
            replaced->Hide();
        itsInternalWindow = ConstructInternalWindow(theWindow, this, hasTitleBar);
    }
    LeavePlace(itsState == AS_POPUP ? AS_INITIAL : itsState,
               replaced != nullptr ? replaced : itsInternalWindow);
    if (itsInternalWindow != nullptr) {
        if (hasTitleBar != 0)
            itsInternalWindow->ShowTitle();
        else
            itsInternalWindow->HideTitle();
    }
    if (itsState != AS_POPUP || replaced != nullptr) {
        itsState = AS_POPUP;
        if (itsInternalWindow != nullptr && itsView->GetEnclosure() != itsInternalWindow)
            itsView->SetEnclosure(itsInternalWindow);
        itsAttachmentFrame = nullptr;
        itsAttachmentPoint = FRM_CAttachmentFrame::ATTACH_NONE;
    }
    CloseReplaced(replaced);
}

void FRM_CAttachment::PopupAtPoint(FRM_CWindow* theWindow, FRM_CPoint aTopLeft, short hasTitleBar)
{
    Popup(theWindow, hasTitleBar);
    SetSize(GetBorderSize(GetBestSize(), hasTitleBar) + aTopLeft);
    Show();
}

short FRM_CAttachment::CanAttachTo(const FRM_CWindow* theWindow) const
{
    for (FRM_CDragSink* sink : GetSinks()) {
        const auto* frame = dynamic_cast<FRM_CAttachmentFrame*>(sink);
        if (frame != nullptr && frame->GetCWindow() == theWindow)
            return 1;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Dragging

short FRM_CAttachment::IsDraggable() const
{
    if (itsView == nullptr || !itsView->IsVisible() || itsView->GetCWindow() == nullptr ||
        !itsView->GetCWindow()->IsVisible())
        return 0;
    return IsDragging() == 0 && itIsDraggable != 0 && !GetSinks().empty() ? 1 : 0;
}

void FRM_CAttachment::DoDrag(long, void*, FRM_CWindow*, short cursor)
{
    if (IsDraggable())
        FRM_CDragSource::DoDrag(kNoCommand, this, itsView->GetCWindow(), cursor);
}

short FRM_CAttachment::DoDown(FRM_CPoint& where, short& button, short& shift, short& control)
{
    itHasMoved = 0;
    FRM_CAttachmentWindow* window = CurrentWindow();
    const FRM_CPoint point = where.GetTranslated(frm_views::TaskWindow(), itsView->GetCWindow());
    if (IsDraggable() && window != nullptr && window->HasTitle() == 0 &&
        window->GetLocalFrame().IsPointInRect(point)) {
        FRM_CView* target = itsView->FindEventTarget(point);
        if (target != nullptr)
            target = target->FindHitView(point);
        if (target == itsView) {
            SetDragOffset(&point);
            DoDrag(kNoCommand, this, itsView->GetCWindow(), kDragCursor);
            return 1;
        }
    }
    return FRM_CDragSource::DoDown(where, button, shift, control);
}

short FRM_CAttachment::DoDouble(FRM_CPoint&, short&, short&, short&) { return 0; }

short FRM_CAttachment::DoMove(FRM_CPoint& where, short& button, short& shift, short& control)
{
    if (IsDragging()) {
        if (where != GetLastLocation() && GetLastLocation() != kNULLPoint)
            itHasMoved = 1;
    } else if (FRM_CAttachmentWindow* window = CurrentWindow(); window != nullptr &&
                                                                window->IsVisible()) {
        const FRM_CPoint point = where.GetTranslated(frm_views::TaskWindow(), window);
        const bool inside = window->GetLocalFrame().IsPointInRect(point);
        if (itIsReadyToTearOff != 0 && !inside) {
            TearOff();
            itIsReadyToTearOff = 0;
        } else {
            itIsReadyToTearOff = inside ? 1 : 0;
        }
    }
    return FRM_CDragSource::DoMove(where, button, shift, control);
}

short FRM_CAttachment::TearOff()
{
    FRM_CAttachmentWindow* window = CurrentWindow();
    if (isTearingOffNow != 0 || (itsState != AS_DETACHED && itsState != AS_POPUP) ||
        window == nullptr || !window->IsVisible() || window->HasTitle() != 0)
        return 0;
    SetDragOffset(nullptr);
    FRM_CDragSource::DoDrag(kNoCommand, this, itsView->GetCWindow(), kDragCursor);
    isTearingOffNow = 1;
    return 1;
}

short FRM_CAttachment::DoUp(FRM_CPoint& where, short& button, short& shift, short& control)
{
    FRM_CWindow* task = frm_views::TaskWindow();
    if (itIsDetachable != 0 && IsDragging() && itHasMoved != 0 && GetLastSink() == nullptr &&
        task != nullptr && task->GetFrame().IsPointInRect(where)) {
        Hide();
        if (itsState != AS_DETACHED)
            Detach(1);
        const FRM_CRect outer = GetBorderSize(GetBestSize(), 1);
        SetSize(outer + where - FRM_CPoint(outer.Width() / 2, outer.Height() / 2));
        Show();
    }
    const short result = FRM_CDragSource::DoUp(where, button, shift, control);
    isTearingOffNow = 0;
    itHasMoved = 0;
    return result;
}
