// cview.cpp: the view's defaults, written once: geometry, environment and font lookup,
// activation, mouse dispatch, drawing, invalidation, commands, model updates and printing.
#include "frm/core/ccmdnums.h"
#include "frm/views/cview.h"

#include <memory>

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cglue.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"
#include "frm/views/cwirefrm.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cview";
constexpr long kErrNullEnclosure = 2500;
constexpr int kLineNullEnclosure = 503;

constexpr long kCommandSuspendController = 20009;
constexpr long kCommandResumeController = 20010;

} // namespace

FRM_CView* FRM_CView::itsClickedView = nullptr;

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CView::FRM_CView(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                     const FRM_CStringRW& theTitle)
    : itsTitle(theTitle)
{
    SetId(static_cast<std::int32_t>(frm_views::NextViewId()));
    BuildView(theEnclosure, theFrame);
}

FRM_CView::FRM_CView(const FRM_CView& other) : FRM_CBoss(other)
{
    SetId(static_cast<std::int32_t>(frm_views::NextViewId()));
    BuildView(other.itsEnclosure, other.itsFrame);
    CopyView(other);
    if (other.itsWireFrame != nullptr)
        MatchWireFrame(other);
}

// Hand-written: the wire frame is matched and the frame set through DoSize so the view follows.
FRM_CView& FRM_CView::operator=(const FRM_CView& other)
{
    if (this == &other)
        return *this;
    FRM_CBoss::operator=(other);
    MatchWireFrame(other);
    if (itsGlue != nullptr && itsEnclosure != nullptr)
        itsGlue->SetGlue(other.GetGlue());
    DoSize(other.itsFrame);
    CopyView(other);
    return *this;
}

FRM_CView::DeletionWatch* FRM_CView::itsWatches = nullptr;

FRM_CView::DeletionWatch::DeletionWatch(const FRM_CView* theView)
    : itsView(theView), itsOuter(itsWatches)
{
    itsWatches = this;
}

FRM_CView::DeletionWatch::~DeletionWatch()
{
    // Watches end in the reverse order of their making (they live on the stack).
    itsWatches = itsOuter;
}

FRM_CView::~FRM_CView()
{
    if (itsClickedView == this)
        itsClickedView = nullptr;
    for (DeletionWatch* watch = itsWatches; watch != nullptr; watch = watch->itsOuter)
        if (watch->itsView == this)
            watch->itsView = nullptr;
    frm_views::ForgetPrinting(this);
    // No navigator keeps a tab stop that would lead a later key to this view.
    FRM_CNavigator::Manager()->ForgetView(this);
    if (itsEnclosure != nullptr)
        itsEnclosure->RemoveSubview(this);
    delete itsGlue;
    delete itsEnvironment;
    FRM_CWireFrame* frame = itsWireFrame;
    itsWireFrame = nullptr;
    delete frame;
}

// The view gets a wire frame like the other's (from the view factory), or loses its own.
void FRM_CView::MatchWireFrame(const FRM_CView& other)
{
    if (other.itsWireFrame == nullptr) {
        SetWireFrame(nullptr);
        return;
    }
    if (itsWireFrame == nullptr && itsEnclosure != nullptr)
        itsWireFrame = frm_views::ConstructWireFrame(this);
    if (itsWireFrame != nullptr)
        *itsWireFrame = *other.itsWireFrame;
}

short FRM_CView::IView(short isVisible, unsigned long theGlue)
{
    if (isVisible)
        Show();
    else
        Hide();
    SetGlue(theGlue);
    return 1;
}

void FRM_CView::BuildView(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame)
{
    itsFrame = theFrame;
    itsEnclosure = theEnclosure;
    FRM_CUnits::SetGlobalUnits(GetUnits());
    if (theEnclosure != nullptr) {
        if (GetUnits() == nullptr && theEnclosure->GetUnits() != nullptr)
            FRM_CBoss::UpdateUnits(theEnclosure->GetUnits());
        FRM_CUnits::SetGlobalUnits(GetUnits());
        itsGlue = frm_views::ConstructGlue(this);
        itsCWindow = theEnclosure->GetCWindow();
        itsOrigin = theEnclosure->GetGlobalOrigin();
        theEnclosure->AddSubview(this);
        return;
    }
    itsGlue = frm_views::ConstructGlue(this);
    itsCWindow = nullptr;
    itsOrigin = FRM_CPoint(0, 0);
}

void FRM_CView::CopyView(const FRM_CView& other)
{
    itsCommand = other.itsCommand;
    itsDoubleCommand = other.itsDoubleCommand;
    itIsVisible = other.itIsVisible;
    itIsActive = other.itIsActive;
    SetTitle(other.itsTitle);
    if (other.itsEnvironment != nullptr)
        SetEnvironment(*other.itsEnvironment, 0);
    itIsEnabled = other.itIsEnabled;
    SetGlue(other.GetGlue());
    if (other.GetUnits() != nullptr && GetUnits() == nullptr)
        FRM_CBoss::UpdateUnits(other.GetUnits());
}

// ---------------------------------------------------------------------------------------------
// Geometry

FRM_CRect FRM_CView::GetGlobalFrame() const
{
    return GetFrame() + itsOrigin;
}

FRM_CRect FRM_CView::GetLocalFrame() const
{
    return FRM_CRect(0, 0, itsFrame.Width(), itsFrame.Height());
}

FRM_CPoint FRM_CView::GetGlobalOrigin() const
{
    return FRM_CPoint(itsFrame.Left() + itsOrigin.H(), itsFrame.Top() + itsOrigin.V());
}

FRM_CRect FRM_CView::GetClippedFrame() const
{
    FRM_CRect clipped = GetVisibleFrame() + itsOrigin;
    if (itsEnclosure != nullptr)
        clipped -= itsEnclosure->GetClippedFrame();
    return clipped;
}

void FRM_CView::SetOrigin(const FRM_CPoint& theDisplacement)
{
    itsOrigin += theDisplacement;
    if (itsWireFrame != nullptr)
        itsWireFrame->Size(GetGlobalFrame());
}

short FRM_CView::HitTest(const FRM_CPoint& thePoint) const
{
    return GetVisibleFrame().IsPointInRect(thePoint) ? 1 : 0;
}

void FRM_CView::Size(const FRM_CRect& theFrame)
{
    itsFrame = theFrame;
    bool corrected = false;
    if (itsFrame.Width() < 0) {
        itsFrame.Right(itsFrame.Left());
        corrected = true;
    }
    if (itsFrame.Height() < 0) {
        itsFrame.Bottom(itsFrame.Top());
        corrected = true;
    }
    if (itsWireFrame != nullptr)
        itsWireFrame->Size(GetGlobalFrame());
    if (!corrected && GetGlue() != 0)
        SetGlue(GetGlue());
}

// ---------------------------------------------------------------------------------------------
// Glue, wire frame and enclosure

void FRM_CView::SetGlueObject(FRM_CGlue* theGlue, short deleteOld)
{
    if (deleteOld && itsGlue != nullptr)
        delete itsGlue;
    itsGlue = theGlue;
}

unsigned long FRM_CView::GetGlue() const
{
    return itsGlue != nullptr ? itsGlue->GetGlue() : 0;
}

void FRM_CView::SetGlue(unsigned long theGlue)
{
    if (itsEnclosure != nullptr && itsGlue != nullptr)
        itsGlue->SetGlue(theGlue);
}

void FRM_CView::Glue()
{
    if (itsGlue != nullptr)
        itsGlue->SizeOwner();
}

short FRM_CView::IsDraggable() const
{
    return itsWireFrame != nullptr ? itsWireFrame->IsDraggable() : 0;
}

// Switching a mode on gives the view a wire frame from the view factory; switching it off
// keeps the wire frame.
void FRM_CView::SetDragging(short isOn)
{
    frm_views::SwitchWireFrameMode(this, isOn, false);
}

short FRM_CView::IsSizable() const
{
    return itsWireFrame != nullptr ? itsWireFrame->IsSizable() : 0;
}

void FRM_CView::SetSizing(short isOn)
{
    frm_views::SwitchWireFrameMode(this, isOn, true);
}

void FRM_CView::SetWireFrame(FRM_CWireFrame* theWireFrame)
{
    if (theWireFrame == itsWireFrame)
        return;
    delete itsWireFrame;    // undoes its selection and clears itsWireFrame
    itsWireFrame = theWireFrame;
}

FRM_CView* FRM_CView::FindHitView(const FRM_CPoint&)
{
    if (itsWireFrame != nullptr && (itsWireFrame->IsSizable() || itsWireFrame->IsDraggable()))
        return itsWireFrame;
    return this;
}

void FRM_CView::SetEnclosure(FRM_CSubview* theEnclosure)
{
    if (theEnclosure == nullptr) {
        FrmError(kErrNullEnclosure, kModule, kLineNullEnclosure);
        return;
    }
    if (itsEnclosure != nullptr && itsEnclosure != theEnclosure)
        itsEnclosure->RemoveSubview(this);
    itsEnclosure = theEnclosure;
    itsCWindow = theEnclosure->GetCWindow();
    itsOrigin = theEnclosure->GetGlobalOrigin();
    SetGlue(kKeepGlue);
    theEnclosure->AddSubview(this);
    if (IsEnvironmentShared()) {
        if (const FRM_CEnvironment* shared = theEnclosure->GetEnvironment()) {
            const FRM_CEnvironment copy(*shared);   // the call may change what shared points to
            SetEnvironment(copy, 1);
            SetFont(copy.GetFont(), 1);
        }
    }
    if (itsWireFrame != nullptr) {
        itsWireFrame->SetGroupEnclosure(theEnclosure);
        itsWireFrame->SetEnclosure(theEnclosure);
        theEnclosure->RemoveSubview(itsWireFrame);
        itsWireFrame->Size(GetGlobalFrame());
    }
}

WINDOW FRM_CView::GetVKOWindow() const
{
    if (itsVKOWindow != nullptr)
        return itsVKOWindow;
    for (const FRM_CView* up = itsEnclosure; up != nullptr; up = up->GetEnclosure())
        if (WINDOW window = up->GetVKOWindow())
            return window;
    return nullptr;
}

e_win_type FRM_CView::GetVKOType() const
{
    return vko_vobj_get_type(GetVKOWindow());
}

// ---------------------------------------------------------------------------------------------
// Environment and font

const FRM_CEnvironment* FRM_CView::GetEnvironment() const
{
    for (const FRM_CView* view = this; view != nullptr; view = view->GetEnclosure())
        if (view->itsEnvironment != nullptr)
            return view->itsEnvironment;
    return frm_views::DocumentEnvironment(GetCWindow());
}

void FRM_CView::SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared)
{
    const FRM_CEnvironment* before = GetEnvironment();
    std::unique_ptr<FRM_CFont> oldFont;
    if (before != nullptr)
        oldFont = std::make_unique<FRM_CFont>(before->GetFont());
    if (!isShared) {
        if (itsEnvironment == nullptr)
            itsEnvironment = new FRM_CEnvironment(theEnvironment);
        else
            *itsEnvironment = theEnvironment;
    }
    const FRM_CEnvironment* now = GetEnvironment();
    if (now != nullptr && (oldFont == nullptr || *oldFont != now->GetFont())) {
        const FRM_CFont font(now->GetFont());
        SetFont(font, 1);
    }
}

void FRM_CView::SetFont(const FRM_CFont& theFont, short isShared)
{
    if (isShared)
        return;    // only tells a subclass that the inherited font changed
    if (itsEnvironment == nullptr) {
        const FRM_CEnvironment* inForce = GetEnvironment();
        itsEnvironment =
            inForce != nullptr ? new FRM_CEnvironment(*inForce) : new FRM_CEnvironment();
    }
    itsEnvironment->SetFont(theFont);
}

// ---------------------------------------------------------------------------------------------
// Activation

short FRM_CView::CanGetKeyFocus() const
{
    return ClassCanGetKeyFocus() && IsVisible() && IsEnabled() ? 1 : 0;
}

void FRM_CView::Activate()
{
    if (!IsEnabled())
        return;
    FRM_CView* target = this;
    while (target != nullptr && !target->CanGetKeyFocus())
        target = target->GetEnclosure();
    if (target == nullptr) {
        itIsActive = 1;
        return;
    }
    FRM_CView* previous = frm_views::KeyFocusView();
    if (previous == target && itIsActive)
        return;
    if (previous != nullptr && previous != target)
        previous->Deactivate();
    if (FRM_CSubview* enclosure = target->GetEnclosure())
        enclosure->SetKeyFocus(target);
    const FRM_CWindow* window = GetCWindow();
    if (IsVisible() && IsEnabled() && window != nullptr && window->IsVisible() &&
        target->IsVisible() && target->IsEnabled() && target != previous) {
        // A native text edit keeps its text-edit handle as its toolkit window.
        WINDOW focus = target->GetVKOWindow();
        if (focus != nullptr && vko_scr_get_focus_vobj() != focus && !itsInDoHit)
            vko_scr_set_focus_vobj(focus);
    }
    itIsActive = 1;
}

void FRM_CView::Deactivate()
{
    if (CanGetKeyFocus() && itsEnclosure != nullptr)
        itsEnclosure->SetKeyFocus(nullptr);
    itIsActive = 0;
}

// ---------------------------------------------------------------------------------------------
// Mouse

void FRM_CView::MouseDouble(FRM_CPoint, short, short, short)
{
    if (itsDoubleCommand != kNoCommand)
        DoCommand(itsDoubleCommand, this);
}

void FRM_CView::MouseDown(FRM_CPoint, short, short, short)
{
    itsClickedView = this;
}

void FRM_CView::MouseMove(FRM_CPoint, short, short, short) {}

void FRM_CView::MouseUp(FRM_CPoint, short, short, short)
{
    const bool clickedHere = itsClickedView == this;
    itsClickedView = nullptr;
    if (itsCommand != kNoCommand && clickedHere)
        DoCommand(itsCommand, this);
}

void FRM_CView::DispatchMouse(void (FRM_CView::*handler)(FRM_CPoint, short, short, short),
                              const FRM_CPoint& thePoint, short theButton, short isShift,
                              short isControl, bool onlyEnabledHitView)
{
    FRM_CView* target = FindEventTarget(thePoint);
    if (target == nullptr)
        return;
    FRM_CView* hit = target->FindHitView(thePoint);
    if (hit == nullptr || (onlyEnabledHitView && !hit->IsEnabled()))
        return;
    const FRM_CPoint local = thePoint.GetLocal(hit);
    (hit->*handler)(local, theButton, isShift, isControl);
}

void FRM_CView::DoMouseDouble(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    if (IsEnabled() || IsSizable() || IsDraggable())
        DispatchMouse(&FRM_CView::MouseDouble, thePoint, theButton, isShift, isControl, false);
}

void FRM_CView::DoMouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    if (IsEnabled() || IsSizable() || IsDraggable())
        DispatchMouse(&FRM_CView::MouseDown, thePoint, theButton, isShift, isControl, false);
}

void FRM_CView::DoMouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    if (IsEnabled() || IsSizable() || IsDraggable())
        DispatchMouse(&FRM_CView::MouseMove, thePoint, theButton, isShift, isControl, false);
}

void FRM_CView::DoMouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    if (IsEnabled() || IsSizable() || IsDraggable())
        DispatchMouse(&FRM_CView::MouseUp, thePoint, theButton, isShift, isControl, false);
}

FRM_CView* FRM_CView::FindDeepSubview(const FRM_CPoint&)
{
    return this;
}

FRM_CView* FRM_CView::FindSubview(long)
{
    return nullptr;
}

FRM_CView* FRM_CView::FindSubview(const FRM_CPoint&)
{
    return nullptr;
}

FRM_CView* FRM_CView::FindEventTarget(const FRM_CPoint&)
{
    return this;
}

FRM_CView* FRM_CView::FindResourceView(long, long)
{
    return nullptr;
}

void FRM_CView::Key(const FRM_CKey& theKey)
{
    if (itsEnclosure != nullptr)
        itsEnclosure->Key(theKey);
}

void FRM_CView::HScroll(e_scroll_ctl, float) {}
void FRM_CView::VScroll(e_scroll_ctl, float) {}

// ---------------------------------------------------------------------------------------------
// Drawing

FRM_CRect FRM_CView::ResolveClip(const FRM_CRect& theClip) const
{
    if (!frm_views::IsMaxRect(theClip))
        return theClip;
    return itsEnclosure != nullptr ? itsEnclosure->GetClippedFrame() : GetClippedFrame();
}

short FRM_CView::Prepare(const FRM_CRect& theClip)
{
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const FRM_CWindow* window = GetCWindow();
    WINDOW toolkit = window != nullptr ? window->GetVKOWindow() : GetVKOWindow();
    s_rct clip = static_cast<s_rct>(theClip);
    vko_dwin_set_clip(toolkit, &clip);
    if (!frm_views::IsUpdateEvent())
        return 1;
    FRM_CRect tested = theClip;
    if (itsWireFrame != nullptr && itsWireFrame->IsSelected()) {
        // The figures round a selected view reach outside its frame.
        const float margin = frm_views::WireFrameMargin();
        tested = GetGlobalFrame().GetInflatedRect(frm_views::HPixelsToLogical(this, margin),
                                                  frm_views::VPixelsToLogical(this, margin));
        if (itsEnclosure != nullptr)
            tested -= itsEnclosure->GetClippedFrame();
    }
    s_rct test = static_cast<s_rct>(tested);
    return vko_dwin_is_update_needed(toolkit, &test) ? 1 : 0;
}

void FRM_CView::Draw(const FRM_CRect& theClip)
{
    if (itsWireFrame != nullptr && itsWireFrame->IsSelected())
        itsWireFrame->Draw(theClip);
}

void FRM_CView::DoDraw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    const FRM_CRect clip = ResolveClip(theClip);
    if (Prepare(clip))
        Draw(clip);
    // The clip was set on the drawing window (a native control's own window is not one).
    const FRM_CWindow* window = GetCWindow();
    vko_dwin_set_clip(window != nullptr ? window->GetVKOWindow() : GetVKOWindow(), nullptr);
}

void FRM_CView::Invalidate(const FRM_CRect& theRect)
{
    const FRM_CRect local = frm_views::IsMaxRect(theRect) ? GetLocalFrame() : theRect;
    const FRM_CRect global = local + GetGlobalOrigin();
    WINDOW window = GetVKOWindow();
    if (window == nullptr)
        return;
    FRM_CUnits::SetGlobalUnits(GetUnits());
    frm_views::InvalidateWindow(window, global);
}

// ---------------------------------------------------------------------------------------------
// Title, commands and model updates

void FRM_CView::SetTitle(const FRM_CStringRW& theTitle)
{
    itsTitle = theTitle;
    if (GetPrimaryController() != nullptr)
        TdiNotify(kTagValue, itsTitle);
}

void FRM_CView::DoCommand(long command, void* data)
{
    switch (command) {
    case kCommandSuspendController:
    case kCommandResumeController:
    case kCommandReportValue:
        if (GetPrimaryController() != nullptr) {
            if (command == kCommandReportValue)
                TdiNotify(kTagValue, itsTitle);
            else
                frm_views::SuspendController(GetPrimaryController(),
                                             command == kCommandSuspendController);
        }
        return;
    default:
        break;
    }
    FRM_CBoss::DoCommand(command, data);
    if (!IsBroadcasting() && itsEnclosure != nullptr)
        itsEnclosure->DoCommand(command, data);
}

void FRM_CView::DoTimer(long timerId)
{
    if (!IsBroadcasting() && itsEnclosure != nullptr)
        itsEnclosure->DoTimer(timerId);
}

void FRM_CView::DoUser(long id, void* data)
{
    if (IsBroadcasting() || itsEnclosure == nullptr)
        return;
    FRM_CWindow* window = GetCWindow();
    if (itsEnclosure == window && window != nullptr)
        frm_views::DocumentUser(window, id, data);
    else
        itsEnclosure->DoUser(id, data);
}

void FRM_CView::DoUpdateModel(long controllerId, long command, const FRM_CModel* model)
{
    if (controllerId == 0) {
        FRM_CStringRW text;
        const bool hasValue = frm_views::ValueText(model, &text);
        if (command == kNoCommand) {
            SetTitle(FRM_CStringRW());
            return;
        }
        if (command == kTagValue && hasValue) {
            SetTitle(text);
            return;
        }
        if (command == kTagAppend && hasValue) {
            SetTitle(itsTitle + text);
            return;
        }
    }
    FRM_CNotifier::DoUpdateModel(controllerId, command, model);
}

// ---------------------------------------------------------------------------------------------
// Printing

short FRM_CView::DoPrint(const FRM_CRect& theRect)
{
    return frm_views::PrintView(this, theRect);
}

void FRM_CView::DoPrintDraw(const FRM_CRect& theRect)
{
    if (!IsVisible())
        return;
    FRM_CUnits* units = GetUnits();
    if (units != nullptr)
        units->SetOutputDevice(FRM_CUnits::kPrinter);
    if (Prepare(theRect))
        PrintDraw(theRect);
    if (units != nullptr)
        units->SetOutputDevice(FRM_CUnits::kScreen);
}

void FRM_CView::PrintDraw(const FRM_CRect& theRect)
{
    FRM_CUnits* units = GetUnits();
    if (units != nullptr)
        units->SetOutputDevice(FRM_CUnits::kPrinter);
    Draw(theRect);
    if (units != nullptr)
        units->SetOutputDevice(FRM_CUnits::kScreen);
}
