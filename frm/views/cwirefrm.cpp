// cwirefrm.cpp: the wire frame's selection state machine, hit checks, move and resize,
// group moves, automatic scrolling and its exclusive-or figures.
#include "frm/views/cwirefrm.h"

#include <algorithm>
#include <memory>

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cwirefrm";
constexpr long kErrSelectNoMode = 64;
constexpr long kErrNullGroup = 2700;

// The ring round the owner that starts a resize, and the margin of every repaint, in pixels.
constexpr float kRing = 7;

FRM_CView* ViewAt(const RWOrdered& theList, std::size_t theIndex)
{
    return static_cast<FRM_CView*>(theList[theIndex]);
}

// A copy of a selected-view list: handlers called while walking it may change the list.
std::vector<FRM_CView*> Snapshot(const RWOrdered* theList)
{
    std::vector<FRM_CView*> views;
    if (theList != nullptr)
        for (std::size_t i = 0; i < theList->entries(); ++i)
            views.push_back(ViewAt(*theList, i));
    return views;
}

bool IsListed(const RWOrdered* theList, const FRM_CView* theView)
{
    return theList != nullptr && theList->index(theView) != RW_NPOS;
}

// Views a click may land on without deselecting the selection: push buttons, check boxes,
// radio buttons and tool bars.
bool IsSelectionNeutral(const FRM_CView* theView)
{
    const FRM_CTypeInfo* type = theView->GetRunTimeTypeInfo();
    return type->CanCast(&frm_type::CButton) || type->CanCast(&frm_type::NButton) ||
           type->CanCast(&frm_type::NRadioButton) || type->CanCast(&frm_type::NCheckBox) ||
           type->CanCast(&frm_type::CToolBar);
}

FRM_CView* s_mdLast = nullptr;
FRM_CView* s_mdDeselectView = nullptr;
unsigned s_mmAutoSpeed = 0;

} // namespace

const int FRM_CWireFrame::GRABBERSIZE = 6;
const int FRM_CWireFrame::WIRESIZE = 1;

FRM_CView*& FRM_CWireFrame::MDLast()
{
    return s_mdLast;
}

FRM_CView*& FRM_CWireFrame::MDDeselectView()
{
    return s_mdDeselectView;
}

unsigned& FRM_CWireFrame::MMAutoSpeed()
{
    return s_mmAutoSpeed;
}

void FRM_CWireFrame::ResetForTests()
{
    s_mdLast = nullptr;
    s_mdDeselectView = nullptr;
    s_mmAutoSpeed = 0;
}

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CWireFrame::FRM_CWireFrame(FRM_CView* theOwner, FRM_CSubview* theGroupEnclosure)
    : FRM_CView(theOwner->GetEnclosure(), theOwner->GetGlobalFrame(), FRM_CStringRW()),
      itsFramePnts(5), itsOwner(theOwner),
      itsGroupEnclosure(theGroupEnclosure != nullptr ? theGroupEnclosure : theOwner->GetEnclosure())
{
    // The owner's hit search reaches the wire frame; its enclosure does not list it.
    if (itsEnclosure != nullptr)
        itsEnclosure->RemoveSubview(this);
    FRM_CEnvironment own = theOwner->GetEnvironment() != nullptr ? *theOwner->GetEnvironment()
                                                                 : FRM_CEnvironment();
    own.SetDrawingMode(M_XOR);
    own.SetPenWidth(1);
    SetEnvironment(own, 0);
}

FRM_CWireFrame::FRM_CWireFrame(const FRM_CWireFrame& other)
    : FRM_CView(other), itsMinimalRegion(other.itsMinimalRegion), itsOwner(other.itsOwner),
      itsGroupEnclosure(other.itsGroupEnclosure), itsSelectCommand(other.itsSelectCommand),
      itsDeselectCommand(other.itsDeselectCommand), itsSizeCommand(other.itsSizeCommand)
{
    if (itsEnclosure != nullptr)
        itsEnclosure->RemoveSubview(this);
    SetDragging(other.itIsDraggable);
    SetSizing(other.itIsSizable);
}

// Hand-written: the owner stays; dragging and sizing are switched through their setters.
FRM_CWireFrame& FRM_CWireFrame::operator=(const FRM_CWireFrame& other)
{
    if (this == &other)
        return *this;
    FRM_CView::operator=(other);
    itsMinimalRegion = other.itsMinimalRegion;
    itsSelectCommand = other.itsSelectCommand;
    itsDeselectCommand = other.itsDeselectCommand;
    itsSizeCommand = other.itsSizeCommand;
    itsGroupEnclosure = other.itsGroupEnclosure;
    SetDragging(other.itIsDraggable);
    SetSizing(other.itIsSizable);
    return *this;
}

// An owner that is being destroyed has already left its enclosures, and with them every
// selection; only a wire frame replaced on a living owner has a selection to undo.
FRM_CWireFrame::~FRM_CWireFrame()
{
    if (s_mdLast == this)
        s_mdLast = nullptr;
    if (itsState == DRAGGING || itsState == SIZING)
        ReleaseTrap();
    if (itsOwner == nullptr || itsOwner->itsWireFrame != this)
        return;
    if (itsState != IDLE) {
        ClearSelectedOwner();
        if (itsGroupEnclosure != nullptr)
            itsGroupEnclosure->RemoveSelectedView(itsOwner);
    }
    itsOwner->itsWireFrame = nullptr;
}

short FRM_CWireFrame::IWireFrame(short isSizable, short isDraggable, float theMinimalWidth,
                                 float theMinimalHeight)
{
    SetSizing(isSizable);
    SetDragging(isDraggable);
    itsMinimalRegion.Width(theMinimalWidth);
    itsMinimalRegion.Height(theMinimalHeight);
    return IView(1, 0);
}

void FRM_CWireFrame::SetDragging(short isOn)
{
    itIsDraggable = isOn;
    if (isOn && itsFramePnts.empty())
        itsFramePnts.resize(5);
}

void FRM_CWireFrame::SetSizing(short isOn)
{
    itIsSizable = isOn;
    if (isOn && itsFramePnts.empty())
        itsFramePnts.resize(5);
}

void FRM_CWireFrame::SetGroupEnclosure(FRM_CSubview* theGroupEnclosure)
{
    if (theGroupEnclosure == nullptr) {
        FrmError(kErrNullGroup, kModule, __LINE__);
        return;
    }
    itsGroupEnclosure = theGroupEnclosure;
    SelectOwnerIn(theGroupEnclosure);
    theGroupEnclosure->AddSelectedView(itsOwner);
    if (FRM_CWindow* window = GetCWindow())
        window->SetSelectedView(itsOwner);
}

// ---------------------------------------------------------------------------------------------
// Selection

void FRM_CWireFrame::SelectOwnerIn(FRM_CSubview* theGroup) const
{
    if (theGroup != nullptr)
        theGroup->SetSelectedView(itsOwner);
}

void FRM_CWireFrame::ClearSelectedOwner() const
{
    if (itsGroupEnclosure != nullptr && itsGroupEnclosure->GetSelectedView() == itsOwner)
        itsGroupEnclosure->SetSelectedView(nullptr);
    FRM_CWindow* window = GetCWindow();
    if (window != nullptr && window->GetSelectedView() == itsOwner)
        window->SetSelectedView(nullptr);
}

void FRM_CWireFrame::ReleaseTrap() const
{
    vko_win_release_pointer();
}

void FRM_CWireFrame::Select()
{
    if (!itIsDraggable && !itIsSizable) {
        FrmError(kErrSelectNoMode, kModule, __LINE__);
        return;
    }
    DrawWireFrame(WFSHOW);
    DrawFrameGrabbers(WFSHOW);
    if (itsGroupEnclosure != nullptr) {
        itsGroupEnclosure->SetSelectedView(itsOwner);
        itsGroupEnclosure->AddSelectedView(itsOwner);
    }
    if (FRM_CWindow* window = GetCWindow())
        window->SetSelectedView(itsOwner);
    itsOwner->DoCommand(itsSelectCommand, itsOwner);
}

// A view whose modes were both switched off while selected is still deselected, quietly:
// refusing would leave it selected for good.
void FRM_CWireFrame::Deselect()
{
    if (itsState == IDLE)
        return;
    ReleaseTrap();
    itsState = IDLE;
    DrawWireFrame(WFHIDE);
    DrawFrameGrabbers(WFHIDE);
    ClearSelectedOwner();
    if (itsGroupEnclosure != nullptr)
        itsGroupEnclosure->RemoveSelectedView(itsOwner);
    itsOwner->DoCommand(itsDeselectCommand, itsOwner);
}

void FRM_CWireFrame::DoDeselect(FRM_CView* theView)
{
    if (theView == nullptr)
        return;
    if (FRM_CWireFrame* frame = theView->GetWireFrame()) {
        // Each Deselect takes its view out of the list: walk a copy.
        FRM_CSubview* group = frame->GetGroupEnclosure();
        const RWOrdered* list = group != nullptr ? group->GetSelectedViews() : nullptr;
        for (FRM_CView* selected : Snapshot(list))
            if (IsListed(group->GetSelectedViews(), selected) &&
                selected->GetWireFrame() != nullptr)
                selected->GetWireFrame()->Deselect();
    }
    for (FRM_CView* child : Snapshot(theView->GetSubviews()))
        if (IsListed(theView->GetSubviews(), child))
            DoDeselect(child);
}

// ---------------------------------------------------------------------------------------------
// Hit checks

FRM_CRect FRM_CWireFrame::VisibleOwnerRect() const
{
    FRM_CRect visible = itsOwner->GetFrame() + itsOwner->GetOrigin();
    if (FRM_CSubview* enclosure = itsOwner->GetEnclosure())
        visible -= enclosure->GetClippedFrame();
    return visible;
}

short FRM_CWireFrame::DoDraggingCheck(const FRM_CPoint& thePoint)
{
    if (!VisibleOwnerRect().IsPointInRect(thePoint.GetGlobal(this)))
        return 0;
    if (itIsDraggable)
        itsState = DRAGGING;
    itsGrabPoint = thePoint;
    return 1;
}

short FRM_CWireFrame::DoBorderCheck(const FRM_CPoint& thePoint)
{
    const FRM_CPoint global = thePoint.GetGlobal(this);
    if (!VisibleOwnerRect().GetInflatedRect(HPixel(kRing), VPixel(kRing)).IsPointInRect(global))
        return 0;
    itsSizeSide = 0;
    if (global.H() < itsFrame.Left())
        itsSizeSide = kLeft;
    else if (global.H() > itsFrame.Right())
        itsSizeSide = kRight;
    if (global.V() < itsFrame.Top())
        itsSizeSide |= kTop;
    else if (global.V() > itsFrame.Bottom())
        itsSizeSide |= kBottom;
    if (itsSizeSide == 0)
        return 0;
    if (itIsSizable)
        itsState = SIZING;
    itsGrabPoint = thePoint;
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Mouse

void FRM_CWireFrame::MouseDouble(FRM_CPoint, short, short, short) {}

void FRM_CWireFrame::MouseDown(FRM_CPoint thePoint, short theButton, short isShift,
                               short isControl)
{
    // A click forwarded back to the wire frame whose MouseDown runs does nothing.
    if (s_mdLast == this)
        return;
    s_mdLast = this;
    if (s_mdDeselectView == nullptr)
        s_mdDeselectView = itsOwner->GetEnclosure();
    itsFrame = itsOwner->GetGlobalFrame();
    const bool plain = isShift == 0 && theButton != 2;
    FRM_CWindow* window = GetCWindow();

    if (!itIsDraggable && !itIsSizable) {
        ReleaseTrap();
    } else if (itsState != SELECTED) {
        itsGrabPoint = thePoint;
        if (plain && window != nullptr)
            DoDeselect(window);
        itsState = SELECTED;
        if (DoDraggingCheck(thePoint) || DoBorderCheck(thePoint))
            Select();
    } else if (window != nullptr) {
        itsGrabPoint = thePoint;
        const FRM_CPoint global = thePoint.GetGlobal(this);
        if (itsGroupEnclosure != nullptr)
            itsGroupEnclosure->SetSelectedView(nullptr);
        window->SetSelectedView(nullptr);

        bool onSelection = itsOwner->FindSubview(global) != nullptr;
        FRM_CView* deepest = window->FindDeepSubview(global);
        if (!onSelection && deepest != nullptr && deepest->GetWireFrame() != nullptr &&
            deepest->GetWireFrame()->GetState() == SELECTED)
            onSelection = true;
        FRM_CView* target = window->FindEventTarget(global);
        if (target != nullptr)
            target = target->FindHitView(global);
        const FRM_CView* deepHit = deepest != nullptr ? deepest->FindHitView(global) : nullptr;
        const bool elsewhere = target != this && deepHit != this;

        if (onSelection && elsewhere && target != nullptr)
            target->DoMouseDown(global, theButton, isShift, isControl);
        const bool meritsDeselection = target != nullptr && !IsSelectionNeutral(target);

        if (s_mdDeselectView != nullptr && !DoDraggingCheck(thePoint) && !DoBorderCheck(thePoint)) {
            if (meritsDeselection && plain) {
                DoDeselect(window);
                s_mdDeselectView = nullptr;
            }
            if (elsewhere && target != nullptr) {
                const FRM_CView* before = window->GetSelectedView();
                if (s_mdDeselectView != nullptr) {
                    SelectOwnerIn(itsGroupEnclosure);
                    window->SetSelectedView(itsOwner);
                }
                target->DoMouseDown(global, theButton, isShift, isControl);
                if (window->GetSelectedView() != before)
                    s_mdDeselectView = nullptr;
                if (s_mdDeselectView != nullptr) {
                    if (itsGroupEnclosure != nullptr)
                        itsGroupEnclosure->SetSelectedView(nullptr);
                    window->SetSelectedView(nullptr);
                }
            }
            if (meritsDeselection && window->GetSelectedView() == nullptr) {
                DoDeselect(window);
                s_mdDeselectView = nullptr;
            }
        }
        if (s_mdDeselectView != nullptr) {
            SelectOwnerIn(itsGroupEnclosure);
            window->SetSelectedView(itsOwner);
            if (!plain) {
                Deselect();
                const RWOrdered* left =
                    itsGroupEnclosure != nullptr ? itsGroupEnclosure->GetSelectedViews() : nullptr;
                if (left != nullptr && left->entries() > 0) {
                    FRM_CView* first = ViewAt(*left, 0);
                    itsGroupEnclosure->SetSelectedView(first);
                    window->SetSelectedView(first);
                }
            }
        }
    }
    // A move or resize follows the mouse outside the window too, through the window's
    // selected view (the owner); the trap goes at mouse-up, deselection or destruction.
    if (itsState == DRAGGING || itsState == SIZING)
        vko_win_trap_pointer(GetVKOWindow());
    s_mdDeselectView = nullptr;
    s_mdLast = nullptr;
}

void FRM_CWireFrame::MouseMove(FRM_CPoint thePoint, short, short, short)
{
    if (itsState != DRAGGING && itsState != SIZING)
        return;
    const bool moved = !(thePoint == itsGrabPoint);
    // Where the pointer is, in the frame's coordinates once Drag or ReSize has moved it:
    // the point as given would put the pointer as far again past where it is.
    FRM_CPoint pointer = thePoint;
    if (moved) {
        const FRM_CPoint global = thePoint.GetGlobal(this);
        DrawWireFrame(WFHIDE);
        if (itsState == DRAGGING)
            Drag(thePoint);
        else
            ReSize(thePoint);
        pointer = global.GetLocal(this);
    }
    // The enclosure scrolls on every second move at most.
    if (s_mmAutoSpeed % 2 == 0)
        DoAutoScroll(pointer.H(), pointer.V());
    ++s_mmAutoSpeed;
    if (moved) {
        if (itsState == DRAGGING && isGroupMode == 0)
            SetGroupRegion();
        DrawWireFrame(WFSHOW);
    }
}

void FRM_CWireFrame::MouseUp(FRM_CPoint, short, short, short)
{
    ReleaseTrap();
    const float marginH = HPixel(kRing);
    const float marginV = VPixel(kRing);
    if (itsState == DRAGGING) {
        vko_dwin_set_clip(GetVKOWindow(), nullptr);
        const FRM_CPoint before(itsOwner->GetFrame().Left(), itsOwner->GetFrame().Top());
        FRM_CRect area = itsOwner->GetGlobalFrame();
        if (SizeOwner() == 0)
            return;
        const FRM_CPoint after(itsOwner->GetFrame().Left(), itsOwner->GetFrame().Top());
        const FRM_CPoint shift = before - after;
        area += itsOwner->GetGlobalFrame();
        const RWOrdered* group =
            itsGroupEnclosure != nullptr ? itsGroupEnclosure->GetSelectedViews() : nullptr;
        for (FRM_CView* view : Snapshot(group)) {
            if (!IsListed(itsGroupEnclosure->GetSelectedViews(), view))
                continue;
            area += view->GetGlobalFrame();
            FRM_CWireFrame* other = view->GetWireFrame();
            if (other != nullptr && other != this) {
                other->Size(view->GetGlobalFrame() - shift);
                other->SizeOwner();
            }
            area += view->GetGlobalFrame();
        }
        area.Inflate(marginH, marginV);
        ClearGroupRegion();
        itsOwner->DoCommand(itsSizeCommand, itsOwner);
        RepaintAfterChange(area);
        return;
    }
    if (itsState == SIZING) {
        FRM_CRect area = itsFrame;
        area += itsOwner->GetGlobalFrame();
        if (SizeOwner() != 1)
            return;
        area += itsOwner->GetGlobalFrame();
        area.Inflate(marginH, marginV);
        itsOwner->DoCommand(itsSizeCommand, itsOwner);
        RepaintAfterChange(area);
    }
}

void FRM_CVerticalWireFrame::MouseMove(FRM_CPoint thePoint, short theButton, short isShift,
                                       short isControl)
{
    thePoint.H(itsGrabPoint.H());
    FRM_CWireFrame::MouseMove(thePoint, theButton, isShift, isControl);
}

void FRM_CHorizontalWireFrame::MouseMove(FRM_CPoint thePoint, short theButton, short isShift,
                                         short isControl)
{
    thePoint.V(itsGrabPoint.V());
    FRM_CWireFrame::MouseMove(thePoint, theButton, isShift, isControl);
}

// ---------------------------------------------------------------------------------------------
// Moving and resizing

void FRM_CWireFrame::Drag(FRM_CPoint thePoint)
{
    const float dh = thePoint.H() - itsGrabPoint.H();
    const float dv = thePoint.V() - itsGrabPoint.V();
    thePoint.Globalize(this);
    if (itsEnclosure == nullptr)
        return;
    const FRM_CRect outer = itsEnclosure->GetGlobalFrame();
    const FRM_CRect& frame = itsFrame;
    if (frame.Top() + dv <= outer.Bottom() && frame.Left() + dh <= outer.Right() &&
        frame.Bottom() + dv >= outer.Top() && frame.Right() + dh >= outer.Left() &&
        outer.IsPointInRect(thePoint)) {
        itsFrame += FRM_CPoint(dh, dv);
        itsGrabPoint = thePoint.Localize(this);
    }
}

void FRM_CWireFrame::ReSize(FRM_CPoint thePoint)
{
    const float dh = thePoint.H() - itsGrabPoint.H();
    const float dv = thePoint.V() - itsGrabPoint.V();
    switch (itsSizeSide) {
    case 1: case 2: case 4: case 8: case 5: case 6: case 9: case 10: break;
    default: return;
    }
    FRM_CRect& frame = itsFrame;
    bool crossedV = false;
    bool crossedH = false;
    if (itsSizeSide & kTop) {
        frame.Top(frame.Top() + dv);
        if (frame.Top() > frame.Bottom()) {
            itsSizeSide = (itsSizeSide & ~kTop) | kBottom;
            crossedV = true;
        }
    } else if (itsSizeSide & kBottom) {
        frame.Bottom(frame.Bottom() + dv);
        if (frame.Bottom() < frame.Top()) {
            itsSizeSide = (itsSizeSide & ~kBottom) | kTop;
            crossedV = true;
        }
    }
    if (itsSizeSide & kLeft) {
        frame.Left(frame.Left() + dh);
        if (frame.Left() > frame.Right()) {
            itsSizeSide = (itsSizeSide & ~kLeft) | kRight;
            crossedH = true;
        }
    } else if (itsSizeSide & kRight) {
        frame.Right(frame.Right() + dh);
        if (frame.Right() < frame.Left()) {
            itsSizeSide = (itsSizeSide & ~kRight) | kLeft;
            crossedH = true;
        }
    }
    frame = FRM_CRect(std::min(frame.Left(), frame.Right()), std::min(frame.Top(), frame.Bottom()),
                      std::max(frame.Left(), frame.Right()), std::max(frame.Top(), frame.Bottom()));
    if (crossedV)
        itsGrabPoint.V((itsSizeSide & kBottom) ? frame.Height() : 0);
    else if (itsSizeSide & kBottom)
        itsGrabPoint.V(thePoint.V());
    if (crossedH)
        itsGrabPoint.H((itsSizeSide & kRight) ? frame.Width() : 0);
    else if (itsSizeSide & kRight)
        itsGrabPoint.H(thePoint.H());
}

void FRM_CWireFrame::DoAutoScroll(float theH, float theV)
{
    FRM_CSubview* enclosure = itsOwner->GetEnclosure();
    if (enclosure == nullptr)
        return;
    const FRM_CPoint point = FRM_CPoint(theH, theV).GetGlobal(this);
    const FRM_CRect bounds = enclosure->GetClippedFrame();
    float dh = point.H() - bounds.Right();
    if (dh <= 0)
        dh = std::min(point.H() - bounds.Left(), 0.0F);
    float dv = point.V() - bounds.Bottom();
    if (dv <= 0)
        dv = std::min(point.V() - bounds.Top(), 0.0F);
    if (dh == 0 && dv == 0)
        return;
    const STATE state = itsState;
    itsState = SCROLLING;
    DrawWireFrame(WFHIDE);
    const FRM_CPoint scrolled = enclosure->AutoScroll(dh, dv);
    itsState = state;
    if (itsState == SIZING) {
        if (itsSizeSide & kBottom) {
            itsFrame.Top(itsFrame.Top() - scrolled.V());
            itsGrabPoint.V(itsGrabPoint.V() + scrolled.V());
        }
        if (itsSizeSide & kTop)
            itsFrame.Bottom(itsFrame.Bottom() - scrolled.V());
        if (itsSizeSide & kRight) {
            itsFrame.Left(itsFrame.Left() - scrolled.H());
            itsGrabPoint.H(itsGrabPoint.H() + scrolled.H());
        }
        if (itsSizeSide & kLeft)
            itsFrame.Right(itsFrame.Right() - scrolled.H());
    }
    DrawWireFrame(WFSHOW);
}

void FRM_CWireFrame::SetGroupRegion()
{
    isGroupMode = 1;
    const FRM_CRect own = itsOwner->GetGlobalFrame();
    FRM_CRect all = own;
    if (itsGroupEnclosure != nullptr)
        for (FRM_CView* view : Snapshot(itsGroupEnclosure->GetSelectedViews()))
            all += view->GetGlobalFrame();
    itsGroupLeft = all.Left() - own.Left();
    itsGroupRight = all.Right() - own.Right();
    itsGroupTop = all.Top() - own.Top();
    itsGroupBottom = all.Bottom() - own.Bottom();
}

void FRM_CWireFrame::ClearGroupRegion()
{
    if (isGroupMode == 0)
        return;
    DrawWireFrame(WFHIDE);
    isGroupMode = 0;
    itsGroupLeft = itsGroupRight = itsGroupTop = itsGroupBottom = 0;
}

short FRM_CWireFrame::SizeOwner()
{
    if (itsOwner->GetGlobalFrame() == itsFrame) {
        itsState = SELECTED;
        return 0;
    }
    FRM_CSubview* enclosure = itsOwner->GetEnclosure();
    itsOwner->DoSize(enclosure != nullptr ? itsFrame.GetLocal(enclosure) : itsFrame);
    itsState = SELECTED;
    return 1;
}

void FRM_CWireFrame::RepaintAfterChange(const FRM_CRect& theArea)
{
    const STATE state = itsState;
    itsState = SCROLLING;
    DrawWireFrame(WFHIDE);
    DrawFrameGrabbers(WFHIDE);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    if (WINDOW window = GetVKOWindow()) {
        s_rct area = static_cast<s_rct>(theArea);
        vko_dwin_invalidate_rect(window, &area);
        vko_dwin_update(window);
    }
    itsState = state;
    DrawWireFrame(WFSHOW);
    DrawFrameGrabbers(WFSHOW);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void FRM_CWireFrame::Draw(const FRM_CRect&)
{
    if (itsState == SCROLLING || itsState == IDLE)
        return;
    WINDOW window = GetVKOWindow();
    s_rct clip{};
    const bool hadClip = vko_dwin_get_clip(window, &clip) != nullptr;
    DrawWireFrame(WFUPDATE);
    DrawFrameGrabbers(WFUPDATE);
    vko_dwin_set_clip(window, hadClip ? &clip : nullptr);
}

void FRM_CWireFrame::Size(const FRM_CRect& theFrame)
{
    if (itsState != SCROLLING)
        FRM_CView::Size(theFrame);
}

void FRM_CWireFrame::SetFont(const FRM_CFont& theFont, short isShared)
{
    FRM_CView::SetFont(theFont, isShared);
    itsOwner->SetFont(theFont, isShared);
}

void FRM_CWireFrame::SetOrigin(const FRM_CPoint&) {}

bool FRM_CWireFrame::TakeDrawState(DRAWSTATE* theRecorded, DRAWSTATE theRequest)
{
    if (theRequest == WFUPDATE) {
        *theRecorded = WFSHOW;
        return true;
    }
    if (*theRecorded == theRequest)
        return false;
    *theRecorded = theRequest;
    return true;
}

float FRM_CWireFrame::HPixel(float thePixels) const
{
    return frm_views::HPixelsToLogical(this, thePixels);
}

float FRM_CWireFrame::VPixel(float thePixels) const
{
    return frm_views::VPixelsToLogical(this, thePixels);
}

WINDOW FRM_CWireFrame::PrepareFigure(const FRM_CEnvironment* theEnvironment) const
{
    const FRM_CEnvironment* environment =
        theEnvironment != nullptr ? theEnvironment : GetEnvironment();
    if (environment != nullptr)
        environment->SetDrawingEnv(itsOwner->GetCWindow());
    FRM_CUnits::SetGlobalUnits(GetUnits());
    WINDOW window = GetVKOWindow();
    if (FRM_CSubview* enclosure = itsOwner->GetEnclosure()) {
        s_rct clip = static_cast<s_rct>(enclosure->GetClippedFrame());
        vko_dwin_set_clip(window, &clip);
    }
    return window;
}

void FRM_CWireFrame::DrawWireFrame(DRAWSTATE theState)
{
    if (!TakeDrawState(&itsDrawState, theState) || itsFramePnts.size() < 5)
        return;
    WINDOW window = PrepareFigure();
    const float left = itsFrame.Left() + itsGroupLeft - HPixel();
    const float top = itsFrame.Top() + itsGroupTop - VPixel();
    const float right = itsFrame.Right() + itsGroupRight;
    const float bottom = itsFrame.Bottom() + itsGroupBottom;
    itsFramePnts[0] = static_cast<s_pnt>(FRM_CPoint(left, top));
    itsFramePnts[1] = static_cast<s_pnt>(FRM_CPoint(right, top));
    itsFramePnts[2] = static_cast<s_pnt>(FRM_CPoint(right, bottom));
    itsFramePnts[3] = static_cast<s_pnt>(FRM_CPoint(left, bottom));
    itsFramePnts[4] = itsFramePnts[0];
    vko_dwin_draw_polyline(window, itsFramePnts.data(), 5);
}

void FRM_CWireFrame::DrawFrameGrabbers(DRAWSTATE theState)
{
    if (!itIsSizable || !TakeDrawState(&itsGrabState, theState))
        return;
    WINDOW window = PrepareFigure();
    const s_rct frame = static_cast<s_rct>(itsFrame);
    const short g = static_cast<short>(GRABBERSIZE);
    const short t = frame.top;
    const short l = frame.left;
    const short b = frame.bottom;
    const short r = frame.right;
    const s_rct handles[4] = {
        {static_cast<short>(t - g), static_cast<short>(l - g), t, l},
        {b, static_cast<short>(l - g), static_cast<short>(b + g), l},
        {b, r, static_cast<short>(b + g), static_cast<short>(r + g)},
        {static_cast<short>(t - g), r, t, static_cast<short>(r + g)},
    };
    for (const s_rct& handle : handles)
        vko_dwin_draw_rect(window, &handle);
}
