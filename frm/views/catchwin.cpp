// catchwin.cpp: the attachment window's border, title bar and close box, its close protocol
// and the forwarding of its input to the command window and the attachment. Also the
// platform factories' attachment windows.
#include "frm/views/catchwin.h"

#include <algorithm>
#include <memory>

#include "frm/core/cunits.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/catchmnt.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr long kAttributes = 0x810;   // created hidden
constexpr int kAttrTaskWindow = 301;
constexpr int kAttrBackgroundColor = 100;
constexpr e_win_type kTopLevelType = W_PLAIN;
constexpr e_win_type kChildType = W_NO_BORDER;
constexpr unsigned long kWhite = 0x0BFFFFFFUL;
constexpr unsigned long kBlack = 0x07000000UL;
constexpr unsigned long kGray = 0x09808080UL;
constexpr unsigned long kLightGray = 0x0AC0C0C0UL;

WINDOW ToolkitTaskWindow()
{
    return reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, kAttrTaskWindow));
}

FRM_CDocument* TaskDocument()
{
    FRM_CWindow* task = frm_views::TaskWindow();
    return task != nullptr ? task->GetDocument() : nullptr;
}

float HPx(const FRM_CUnits* units, float pixels)
{
    return units != nullptr ? units->HPhysicalToLogical(static_cast<int>(pixels)) : pixels;
}

float VPx(const FRM_CUnits* units, float pixels)
{
    return units != nullptr ? units->VPhysicalToLogical(static_cast<int>(pixels)) : pixels;
}

const FRM_CUnits* UnitsOf(const FRM_CAttachment* attachment)
{
    const FRM_CView* view = attachment != nullptr ? attachment->GetView() : nullptr;
    const FRM_CSubview* enclosure = view != nullptr ? view->GetEnclosure() : nullptr;
    return enclosure != nullptr ? enclosure->GetUnits() : nullptr;
}

// Where a new window goes: its outer size, out of sight up and left of the parent's origin.
FRM_CRect HiddenPlace(FRM_CAttachment* attachment, short hasTitleBar)
{
    if (attachment == nullptr || attachment->GetView() == nullptr)
        return FRM_CRect(0, 0, 1, 1);
    const FRM_CRect best = attachment->GetBestSize();
    const FRM_CRect outer =
        FRM_CAttachmentWindow::GetBorderSize(best, hasTitleBar, UnitsOf(attachment));
    return outer - FRM_CPoint(best.Width(), best.Height());
}

FRM_CStringRW TitleOf(const FRM_CAttachment* attachment)
{
    return attachment != nullptr && attachment->GetView() != nullptr
               ? attachment->GetView()->GetTitle()
               : FRM_CStringRW("");
}

bool IsTaskWindowHandle(const FRM_CWindow* window)
{
    return window == nullptr || window->GetVKOWindow() == ToolkitTaskWindow();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CAttachmentWindow::FRM_CAttachmentWindow(FRM_CWindow* theEnclosure,
                                             FRM_CAttachment* theAttachment, short hasTitleBar)
    : FRM_CWindow(TaskDocument(), HiddenPlace(theAttachment, hasTitleBar), TitleOf(theAttachment),
                  kAttributes, IsTaskWindowHandle(theEnclosure) ? kTopLevelType : kChildType, 0,
                  theEnclosure != nullptr ? theEnclosure->GetVKOWindow() : ToolkitTaskWindow()),
      itsCommandWindow(IsTaskWindowHandle(theEnclosure) ? nullptr : theEnclosure),
      itsAttachment(theAttachment), itHasTitle(hasTitleBar != 0 ? 1 : 0),
      itsTitleFont(FRM_CStringRW("helvetica"), 0, 7)
{
    Initialize();
}

FRM_CAttachmentWindow::FRM_CAttachmentWindow(FRM_CAttachment* theAttachment, short hasTitleBar)
    : FRM_CAttachmentWindow(nullptr, theAttachment, hasTitleBar)
{
}

FRM_CAttachmentWindow::~FRM_CAttachmentWindow()
{
    // A window that goes on its own (its parent went) takes the view with it and leaves no
    // pointer behind.
    if (itsAttachment != nullptr) {
        itsAttachment->ForgetWindow(this);
        if (const FRM_CView* view = itsAttachment->GetView();
            view != nullptr && view->GetEnclosure() == this)
            itsAttachment->ForgetView(view);
    }
}

void FRM_CAttachmentWindow::Initialize()
{
    itsTitleFont.Map(this);
    itsTitleVOffset = V(static_cast<float>(itsTitleFont.GetAscent()));
    itsCloseRect = FRM_CRect(H(5), V(5), H(15), V(15));
}

float FRM_CAttachmentWindow::H(float thePixels) const { return HPx(GetUnits(), thePixels); }
float FRM_CAttachmentWindow::V(float thePixels) const { return VPx(GetUnits(), thePixels); }

FRM_CRect FRM_CAttachmentWindow::GetBorderSize(const FRM_CRect& theClientRect, short hasTitleBar,
                                               const FRM_CUnits* theUnits)
{
    const float border = static_cast<float>(kAttachmentBorderPixels);
    return FRM_CRect(0, 0, theClientRect.Width() + 2 * HPx(theUnits, border),
                     theClientRect.Height() + 2 * VPx(theUnits, border) +
                         (hasTitleBar != 0 ? VPx(theUnits, kTitlePixels) : 0));
}

FRM_CRect FRM_CAttachmentWindow::GetClientRect() const
{
    FRM_CRect client = GetLocalFrame().GetInflatedRect(-H(kAttachmentBorderPixels),
                                                       -V(kAttachmentBorderPixels));
    if (itHasTitle != 0)
        client.Top(client.Top() + V(kTitlePixels));
    return client;
}

FRM_CRect FRM_CAttachmentWindow::GetLocalBorderRect() const
{
    FRM_CRect border = GetLocalFrame();
    if (GetVKOType() == kTopLevelType) {
        border.Right(border.Right() + H(1));
        border.Bottom(border.Bottom() + V(1));
    }
    return border;
}

FRM_CWindow* FRM_CAttachmentWindow::GetHostWindow() const
{
    return itsCommandWindow != nullptr ? itsCommandWindow : frm_views::TaskWindow();
}

bool FRM_CAttachmentWindow::IsBuiltFor(const FRM_CWindow* theWindow) const
{
    return itsCommandWindow == theWindow ||
           (itsCommandWindow == nullptr && theWindow != nullptr &&
            theWindow == frm_views::TaskWindow());
}

FRM_CRect FRM_CAttachmentWindow::GetPlacement() const
{
    FRM_CPoint origin(0, 0);
    if (FRM_CWindow* parent = GetHostWindow())
        origin.Translate(this, parent);
    return GetLocalFrame() + origin;
}

FRM_CPoint FRM_CAttachmentWindow::ToTaskWindow(const FRM_CPoint& thePoint) const
{
    FRM_CWindow* task = frm_views::TaskWindow();
    return task != nullptr ? thePoint.GetTranslated(this, task) : thePoint;
}

void FRM_CAttachmentWindow::RefreshFrame()
{
    if (GetVKOWindow() == nullptr)
        return;
    s_rct client{};
    vko_vobj_get_client_rect(GetVKOWindow(), &client);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    itsFrame = FRM_CRect(client);
}

void FRM_CAttachmentWindow::ShowTitle()
{
    if (itHasTitle != 0)
        return;
    itHasTitle = 1;
    FRM_CRect place = GetPlacement();
    place.Top(place.Top() - V(kTitlePixels));
    Size(place);
}

void FRM_CAttachmentWindow::HideTitle()
{
    if (itHasTitle == 0)
        return;
    itHasTitle = 0;
    FRM_CRect place = GetPlacement();
    place.Top(place.Top() + V(kTitlePixels));
    Size(place);
}

FRM_CWindow* FRM_CAttachmentWindow::GetCommandWindow() const
{
    if (itsCommandWindow != nullptr)
        return itsCommandWindow;
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    const FRM_CDesktop* desktop = library != nullptr ? library->GetDesktop() : nullptr;
    if (desktop == nullptr || itsAttachment == nullptr)
        return nullptr;
    const std::unique_ptr<RWOrdered> windows(desktop->GetWindows());
    for (std::size_t i = windows->entries(); i-- > 0;) {
        auto* window = static_cast<FRM_CWindow*>((*windows)[i]);
        if (window != this && itsAttachment->CanAttachTo(window))
            return window;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Forwarding

void FRM_CAttachmentWindow::DoKey(const FRM_CKey& theKey)
{
    if (FRM_CWindow* command = GetCommandWindow())
        command->DoKey(theKey);
}

void FRM_CAttachmentWindow::DoCommand(long command, void* data)
{
    if (FRM_CWindow* window = GetCommandWindow())
        window->DoCommand(command, data);
}

void FRM_CAttachmentWindow::DoMenuCommand(short tag, short shift, short control)
{
    if (FRM_CWindow* window = GetCommandWindow())
        window->DoMenuCommand(tag, shift, control);
}

FRM_CMenuBar* FRM_CAttachmentWindow::GetMenuBar() const
{
    FRM_CWindow* window = GetCommandWindow();
    return window != nullptr ? window->GetMenuBar() : nullptr;
}

void FRM_CAttachmentWindow::Size(const FRM_CRect& theFrame)
{
    FRM_CWindow::Size(theFrame);
    RefreshFrame();
    if (itsAttachment != nullptr && itsAttachment->GetView() != nullptr)
        itsAttachment->GetView()->DoSize(GetClientRect());
}

void FRM_CAttachmentWindow::SizeWindow(int, int) {}

// ---------------------------------------------------------------------------------------------
// Closing

short FRM_CAttachmentWindow::Close()
{
    if (itHasTitle == 0 && IsVisible())
        vko_win_release_pointer();
    if (FRM_CAttachment* attachment = itsAttachment) {
        bool dealWithView = false;
        if (attachment->itsInternalWindow == this) {
            attachment->itsInternalWindow = nullptr;
            dealWithView = attachment->itsState == FRM_CAttachment::AS_POPUP ||
                           attachment->itsState == FRM_CAttachment::AS_ATTACHED;
        }
        if (attachment->itsExternalWindow == this) {
            attachment->itsExternalWindow = nullptr;
            dealWithView = attachment->itsState == FRM_CAttachment::AS_DETACHED;
        }
        if (dealWithView) {
            FRM_CWindow* home = GetCommandWindow();
            if (home == nullptr)
                home = frm_views::TaskWindow();
            // The attachment goes before anything can fail, so that a window whose document
            // refuses to close never keeps a pointer to it.
            itsAttachment = nullptr;
            FRM_CView* view = attachment->itsView;
            if (attachment->itIsDeletedUponClose != 0 || home == nullptr ||
                home->GetVKOWindow() == nullptr || view == nullptr) {
                delete attachment;
            } else {
                view->DoHide();
                view->SetEnclosure(home);
                attachment->itsState = FRM_CAttachment::AS_INITIAL;
            }
        }
    }
    itsTitleFont.Unmap();
    return FRM_CWindow::Close();
}

// ---------------------------------------------------------------------------------------------
// Mouse

bool FRM_CAttachmentWindow::Offer(PointerHandler theHandler, const FRM_CPoint& thePoint,
                                  short theButton, short isShift, short isControl)
{
    if (itsAttachment == nullptr)
        return false;
    FRM_CPoint where = ToTaskWindow(thePoint);
    return (itsAttachment->*theHandler)(where, theButton, isShift, isControl) != 0;
}

void FRM_CAttachmentWindow::DoMouseDown(FRM_CPoint thePoint, short theButton, short isShift,
                                        short isControl)
{
    itHasMouseDown = 1;
    if (IsVisible() && itHasTitle != 0 && !GetClientRect().IsPointInRect(thePoint)) {
        if (itsCloseRect.IsPointInRect(thePoint)) {
            itsCloseBoxIsDown = 1;
            DrawCloseBox();
            return;
        }
        if (GetLocalFrame().IsPointInRect(thePoint) && GetCommandWindow() != nullptr &&
            itsAttachment != nullptr) {
            itsAttachment->SetDragOffset(&thePoint);
            itsAttachment->DoDrag(kNoCommand, nullptr, GetCommandWindow(),
                                  FRM_CAttachment::kDragCursor);
            return;
        }
    }
    if (!Offer(&FRM_CMouseHandler::DoDown, thePoint, theButton, isShift, isControl))
        FRM_CSubview::DoMouseDown(thePoint, theButton, isShift, isControl);
}

void FRM_CAttachmentWindow::DoMouseUp(FRM_CPoint thePoint, short theButton, short isShift,
                                      short isControl)
{
    itHasMouseDown = 0;
    if (itsCloseBoxIsDown != 0) {
        itsCloseBoxIsDown = 0;
        DrawCloseBox();
        if (itsCloseRect.IsPointInRect(thePoint)) {
            Close();   // the window may be gone now
            return;
        }
    }
    // A drop may replace and close this window: nothing of it is touched afterwards.
    if (!Offer(&FRM_CMouseHandler::DoUp, thePoint, theButton, isShift, isControl))
        FRM_CSubview::DoMouseUp(thePoint, theButton, isShift, isControl);
}

void FRM_CAttachmentWindow::DoMouseMove(FRM_CPoint thePoint, short theButton, short isShift,
                                        short isControl)
{
    if (itsCloseBoxIsDown != 0 && !itsCloseRect.IsPointInRect(thePoint)) {
        itsCloseBoxIsDown = 0;
        DrawCloseBox();
        return;
    }
    if (!Offer(&FRM_CMouseHandler::DoMove, thePoint, theButton, isShift, isControl))
        FRM_CSubview::DoMouseMove(thePoint, theButton, isShift, isControl);
}

void FRM_CAttachmentWindow::DoMouseDouble(FRM_CPoint thePoint, short theButton, short isShift,
                                          short isControl)
{
    itHasMouseDown = 1;
    if (!Offer(&FRM_CMouseHandler::DoDouble, thePoint, theButton, isShift, isControl))
        FRM_CSubview::DoMouseDouble(thePoint, theButton, isShift, isControl);
}

// ---------------------------------------------------------------------------------------------
// Activation and drawing

void FRM_CAttachmentWindow::DoActivateWindow()
{
    if (itsCommandWindow == nullptr) {
        itsTitleColor = kActiveTitleColor;
        DrawTitleBar(GetLocalFrame());
        DrawCloseBox();
    }
    FRM_CWindow::DoActivateWindow();
}

void FRM_CAttachmentWindow::DoDeactivateWindow()
{
    if (itsCommandWindow == nullptr) {
        itsTitleColor = kInactiveTitleColor;
        DrawTitleBar(GetLocalFrame());
        DrawCloseBox();
    }
    FRM_CWindow::DoDeactivateWindow();
}

void FRM_CAttachmentWindow::Draw(const FRM_CRect& theClip)
{
    if (!IsVisible() || GetVKOWindow() == nullptr)
        return;
    vko_dwin_set_draw_mode(GetVKOWindow(), M_COPY);
    const FRM_CEnvironment* environment = GetEnvironment();
    unsigned long color = environment != nullptr ? environment->GetBackgroundColor()
                                                 : FRM_CEnvironment::kUnsetColor;
    if (color == FRM_CEnvironment::kUnsetColor)
        color = static_cast<unsigned long>(vko_vobj_get_attr(nullptr, kAttrBackgroundColor));
    vko_dwin_clear(GetVKOWindow(), static_cast<COLOR>(color));
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const FRM_CRect frame = GetGlobalFrame();
    FRM_CDrawingContext context(this);
    if (itsAttachment != nullptr && itsAttachment->GetState() == FRM_CAttachment::AS_ATTACHED &&
        itsAttachment->IsDraggable() == 0) {
        context.DrawOutsetFrame(frame, 1, kWhite, kGray);
        return;
    }
    context.DrawOutsetFrame(frame, 1, kGray, kBlack);
    context.DrawOutsetFrame(frame.GetInflatedRect(-H(1), -V(1)), 1, kWhite, kGray);
    DrawTitleBar(theClip);
    DrawCloseBox();
}

FRM_CEnvironment FRM_CAttachmentWindow::TitleEnvironment(unsigned long theTextColor) const
{
    return FRM_CEnvironment(itsTitleColor, theTextColor, itsTitleColor, PAT_SOLID, itsTitleColor,
                            PAT_SOLID, 1, itsTitleFont, M_COPY, 0, 0, kBlack, kWhite, kBlack,
                            kBlack);
}

void FRM_CAttachmentWindow::DrawTitleText(const FRM_CRect& theBar, const FRM_CRect& theClipRect,
                                          unsigned long theTextColor)
{
    FRM_CDrawingContext context(this, TitleEnvironment(theTextColor));
    FRM_CRect inner = theBar.GetInflatedRect(-H(1), -V(1));
    inner.Left(inner.Left() + H(1));
    inner.Right(inner.Right() - H(1));
    const FRM_CRect previous = context.GetClip();
    context.SetClip(frm_views::IsMaxRect(theClipRect) ? inner : inner - theClipRect);
    const FRM_CStringRW title = itsAttachment != nullptr && itsAttachment->GetView() != nullptr
                                    ? itsAttachment->GetView()->GetTitle()
                                    : GetTitle();
    const float spare = inner.Width() - static_cast<float>(itsTitleFont.GetTextWidth(title));
    const float x = std::max(0.0F, static_cast<float>(static_cast<int>(spare / 2)));
    context.DrawText(title, FRM_CPoint(inner.Left() + x, inner.Top() + itsTitleVOffset));
    context.SetClip(previous);
}

void FRM_CAttachmentWindow::DrawFilledTitleBar(const FRM_CRect& theBar,
                                               const FRM_CRect& theClipRect)
{
    {
        FRM_CDrawingContext context(this, TitleEnvironment());
        context.DrawInsetFrame(theBar, 1, kWhite, kGray);
        const FRM_CRect inside = theBar.GetInflatedRect(-H(1), -V(1));
        const FRM_CRect fill = frm_views::IsMaxRect(theClipRect) ? inside : inside - theClipRect;
        if (fill.Width() > 0 && fill.Height() > 0)
            context.DrawRect(fill);
    }
    DrawTitleText(theBar, theClipRect);
}

void FRM_CAttachmentWindow::DrawTitleBar(const FRM_CRect& theClipRect)
{
    if (itHasTitle == 0)
        return;
    const float width = GetFrame().Width();
    DrawFilledTitleBar(FRM_CRect(H(17), V(4), width - H(5), V(18)), theClipRect);
}

void FRM_CAttachmentWindow::DrawCloseBox()
{
    if (itHasTitle == 0 || GetVKOWindow() == nullptr)
        return;
    FRM_CDrawingContext context(this);
    if (itsCloseBoxIsDown != 0)
        context.DrawInsetFrame(itsCloseRect, 1, kWhite, kGray);
    else
        context.DrawOutsetFrame(itsCloseRect, 1, kWhite, kGray);
}

// ---------------------------------------------------------------------------------------------
// The Win95 and the Mac look

CWin95AttachmentWindow::CWin95AttachmentWindow(FRM_CWindow* theEnclosure,
                                               FRM_CAttachment* theAttachment, short hasTitleBar)
    : FRM_CAttachmentWindow(theEnclosure, theAttachment, hasTitleBar)
{
    PlaceCloseBox();
}

CWin95AttachmentWindow::CWin95AttachmentWindow(FRM_CAttachment* theAttachment, short hasTitleBar)
    : FRM_CAttachmentWindow(theAttachment, hasTitleBar)
{
    PlaceCloseBox();
}

void CWin95AttachmentWindow::PlaceCloseBox()
{
    const float width = GetFrame().Width();
    itsCloseRect = FRM_CRect(width - H(16), V(6), width - H(6), V(15));
}

void CWin95AttachmentWindow::DrawTitleBar(const FRM_CRect& theClipRect)
{
    if (itHasTitle == 0)
        return;
    const float width = GetFrame().Width();
    DrawFilledTitleBar(FRM_CRect(H(5), V(4), width - H(4), V(18)), theClipRect);
}

void CWin95AttachmentWindow::DrawCloseBox()
{
    if (itHasTitle == 0 || GetVKOWindow() == nullptr)
        return;
    FRM_CDrawingContext context(
        this, FRM_CEnvironment(itsTitleColor, kWhite, kLightGray, PAT_SOLID, kBlack, PAT_SOLID, 1,
                               itsTitleFont));
    const FRM_CRect& box = itsCloseRect;
    context.DrawRect(box);
    if (itsCloseBoxIsDown != 0)
        context.DrawInsetFrame(box, 1, kWhite, kGray);
    else
        context.DrawOutsetFrame(box, 1, kWhite, kGray);
    context.DrawLine(FRM_CPoint(box.Left() + H(2), box.Top() + V(2)),
                     FRM_CPoint(box.Right() - H(3), box.Bottom() - V(2)));
    context.DrawLine(FRM_CPoint(box.Right() - H(4), box.Top() + V(2)),
                     FRM_CPoint(box.Left() + H(1), box.Bottom() - V(2)));
}

void CMacAttachmentWindow::DrawTitleBar(const FRM_CRect& theClipRect)
{
    if (itHasTitle == 0)
        return;
    // Without a filled bar, white text would vanish on the window's face: the title is
    // written in the title colour, which still tells an active window from an inactive one.
    const float width = GetFrame().Width();
    DrawTitleText(FRM_CRect(H(17), V(4), width - H(5), V(18)), theClipRect, itsTitleColor);
}

// ---------------------------------------------------------------------------------------------
// The platform factories' attachment windows

FRM_CAttachmentWindow* CPlatformFactoryDefault::ConstructAttachmentWindow(
    FRM_CWindow* window, FRM_CAttachment* attachment, short hasTitleBar)
{
    return new FRM_CAttachmentWindow(window, attachment, hasTitleBar);
}

FRM_CAttachmentWindow* CWin32PlatformFactory::ConstructAttachmentWindow(
    FRM_CWindow* window, FRM_CAttachment* attachment, short hasTitleBar)
{
    return new CWin95AttachmentWindow(window, attachment, hasTitleBar);
}
