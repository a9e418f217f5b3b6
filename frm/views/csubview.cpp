// csubview.cpp: the subview: child list and stacking order, spreading state down the tree,
// drawing back to front, hit search top first, the key-focus path and the selection list.
#include "frm/views/csubview.h"

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "csubview";
constexpr long kErrNullSubview = 2200;
constexpr int kLineNullSubview = 760;
constexpr long kErrNullList = 2201;
constexpr int kLineNullList = 459;
constexpr long kErrTopNotAChild = 2202;
constexpr int kLineTopNotAChild = 744;
constexpr long kErrBottomNotAChild = 2203;
constexpr int kLineBottomNotAChild = 754;

constexpr long kAllEventsButUpdates = ~0x10L;
constexpr long kAllEvents = -1;

} // namespace

FRM_CSubview::FRM_CSubview(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame)
    : FRM_CView(theEnclosure, theFrame, FRM_CStringRW()), itsSubviews(new RWOrdered)
{
}

FRM_CSubview::FRM_CSubview(const FRM_CSubview& other)
    : FRM_CView(other), itsSubviews(new RWOrdered)
{
}

// Hand-written: the children, selection and key focus stay this subview's own.
FRM_CSubview& FRM_CSubview::operator=(const FRM_CSubview& other)
{
    FRM_CView::operator=(other);
    return *this;
}

FRM_CSubview::~FRM_CSubview()
{
    // Each child's destructor takes it out of the list.
    while (!itsSubviews->isEmpty())
        delete ChildAt(0);
    delete itsSubviews;
    itsSubviews = nullptr;
    itsSelectedViews.clear();
}

// ---------------------------------------------------------------------------------------------
// Spreading down the tree

void FRM_CSubview::DoShow()
{
    Show();
    ForEachChildTopFirst([](FRM_CView* child) { child->DoShow(); });
}

void FRM_CSubview::DoHide()
{
    // No update event may be taken while the tree is half hidden.
    WINDOW window = GetVKOWindow();
    vko_win_set_event_mask(window, kAllEventsButUpdates);
    Hide();
    ForEachChildTopFirst([](FRM_CView* child) { child->DoHide(); });
    vko_win_set_event_mask(window, kAllEvents);
}

void FRM_CSubview::DoActivate()
{
    Activate();
    ForEachChildTopFirst([](FRM_CView* child) { child->DoActivate(); });
}

void FRM_CSubview::DoDeactivate()
{
    Deactivate();
    ForEachChildTopFirst([](FRM_CView* child) { child->DoDeactivate(); });
}

void FRM_CSubview::DoEnable()
{
    Enable();
    ForEachChildTopFirst([](FRM_CView* child) { child->DoEnable(); });
}

void FRM_CSubview::DoDisable()
{
    Disable();
    ForEachChildTopFirst([](FRM_CView* child) { child->DoDisable(); });
}

void FRM_CSubview::DoSetSizing(short isOn)
{
    SetSizing(isOn);
    ForEachChildTopFirst([isOn](FRM_CView* child) { child->DoSetSizing(isOn); });
}

void FRM_CSubview::DoSetDragging(short isOn)
{
    SetDragging(isOn);
    ForEachChildTopFirst([isOn](FRM_CView* child) { child->DoSetDragging(isOn); });
}

void FRM_CSubview::DoSetGlue(unsigned long theGlue)
{
    SetGlue(theGlue);
    ForEachChildTopFirst([theGlue](FRM_CView* child) { child->DoSetGlue(theGlue); });
}

void FRM_CSubview::DoSetOrigin(const FRM_CPoint& theDisplacement)
{
    SetOrigin(theDisplacement);
    ForEachChildTopFirst(
        [&theDisplacement](FRM_CView* child) { child->DoSetOrigin(theDisplacement); });
}

void FRM_CSubview::SetFont(const FRM_CFont& theFont, short isShared)
{
    FRM_CView::SetFont(theFont, isShared);
    ForEachChildTopFirst([&theFont](FRM_CView* child) {
        if (child->IsEnvironmentShared())
            child->SetFont(theFont, 1);
    });
}

void FRM_CSubview::DoSetFont(const FRM_CFont& theFont, short isShared)
{
    SetFont(theFont, isShared);
    if (isShared)
        return;
    ForEachChildTopFirst([&theFont](FRM_CView* child) {
        if (!child->IsEnvironmentShared())
            child->DoSetFont(theFont, 0);
    });
}

void FRM_CSubview::SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared)
{
    FRM_CView::SetEnvironment(theEnvironment, isShared);
    ForEachChildTopFirst([&theEnvironment](FRM_CView* child) {
        if (child->IsEnvironmentShared())
            child->SetEnvironment(theEnvironment, 1);
    });
}

void FRM_CSubview::DoSetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared)
{
    SetEnvironment(theEnvironment, isShared);
    if (isShared)
        return;
    ForEachChildTopFirst([&theEnvironment](FRM_CView* child) {
        if (!child->IsEnvironmentShared())
            child->DoSetEnvironment(theEnvironment, 0);
    });
}

// ---------------------------------------------------------------------------------------------
// Size and enclosure

void FRM_CSubview::DoSize(const FRM_CRect& theFrame)
{
    const FRM_CPoint moved(theFrame.Left() - itsFrame.Left(), theFrame.Top() - itsFrame.Top());
    Size(theFrame);
    ForEachChildTopFirst([&moved](FRM_CView* child) {
        child->Glue();
        child->DoSetOrigin(moved);
    });
}

void FRM_CSubview::SetEnclosure(FRM_CSubview* theEnclosure)
{
    if (theEnclosure == nullptr) {
        FRM_CView::SetEnclosure(theEnclosure);    // reports the misuse
        return;
    }
    FRM_CPoint moved = theEnclosure->GetGlobalOrigin();
    if (itsEnclosure != nullptr)
        moved -= itsEnclosure->GetGlobalOrigin();
    FRM_CView::SetEnclosure(theEnclosure);
    if (moved != FRM_CPoint(0, 0))
        ForEachChildTopFirst([&moved](FRM_CView* child) { child->DoSetOrigin(moved); });
    // Re-adding each child in order refreshes its window, origin, glue and environment and
    // keeps the stacking order.
    RWOrdered children(*itsSubviews);
    for (std::size_t i = 0; i < children.entries(); ++i)
        static_cast<FRM_CView*>(children[i])->SetEnclosure(this);
}

// ---------------------------------------------------------------------------------------------
// Children

void FRM_CSubview::AddSubview(FRM_CView* theView)
{
    if (theView == nullptr) {
        FrmError(kErrNullSubview, kModule, kLineNullSubview);
        return;
    }
    RemoveSubview(theView);
    itsSubviews->append(theView);
}

void FRM_CSubview::RemoveSubview(FRM_CView* theView)
{
    if (theView == nullptr)
        return;
    if (itsSelectedView == theView)
        itsSelectedView = nullptr;
    if (itsKeyFocus == theView)
        SetKeyFocus(nullptr);
    if (itsSubviews != nullptr)
        itsSubviews->removeReference(theView);
    itsSelectedViews.removeReference(theView);
    if (itsEnclosure != nullptr)
        itsEnclosure->RemoveSubview(theView);
}

void FRM_CSubview::PlaceTopSubview(FRM_CView* theChild)
{
    if (itsSubviews->removeReference(theChild) == nullptr) {
        FrmError(kErrTopNotAChild, kModule, kLineTopNotAChild);
        return;
    }
    itsSubviews->append(theChild);
}

void FRM_CSubview::PlaceBottomSubview(FRM_CView* theChild)
{
    if (itsSubviews->removeReference(theChild) == nullptr) {
        FrmError(kErrBottomNotAChild, kModule, kLineBottomNotAChild);
        return;
    }
    itsSubviews->insertAt(0, theChild);
}

void FRM_CSubview::AddSelectedView(FRM_CView* theView)
{
    itsSelectedViews.removeReference(theView);
    itsSelectedViews.append(theView);
}

void FRM_CSubview::RemoveSelectedView(FRM_CView* theView)
{
    itsSelectedViews.removeReference(theView);
}

// ---------------------------------------------------------------------------------------------
// Finding views

FRM_CView* FRM_CSubview::FindSubview(const FRM_CPoint& thePoint)
{
    if (!GetGlobalFrame().IsPointInRect(thePoint))
        return nullptr;
    for (std::size_t i = itsSubviews->entries(); i-- > 0;) {
        FRM_CView* child = ChildAt(i);
        if (child->IsVisible() && child->HitTest(thePoint - child->GetOrigin()))
            return child;
    }
    return nullptr;
}

FRM_CView* FRM_CSubview::FindDeepSubview(const FRM_CPoint& thePoint)
{
    FRM_CView* child = FindSubview(thePoint);
    return child != nullptr ? child->FindDeepSubview(thePoint) : this;
}

FRM_CView* FRM_CSubview::FindEventTarget(const FRM_CPoint& thePoint)
{
    if (itsSelectedView != nullptr)
        return itsSelectedView;
    FRM_CView* child = FindSubview(thePoint);
    return child != nullptr ? child->FindEventTarget(thePoint) : this;
}

FRM_CView* FRM_CSubview::FindSubview(long theId)
{
    const std::size_t count = itsSubviews->entries();
    for (std::size_t i = 0; i < count && i < itsSubviews->entries(); ++i)
        if (ChildAt(i)->GetId() == theId)
            return ChildAt(i);
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i)
        if (FRM_CView* deep = ChildAt(i)->FindSubview(theId))
            return deep;
    return nullptr;
}

FRM_CView* FRM_CSubview::FindResourceView(long theContainerId, long theResourceId)
{
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i) {
        FRM_CView* child = ChildAt(i);
        if (child->GetResourceContainerId() == theContainerId &&
            child->GetResourceId() == theResourceId)
            return child;
    }
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i)
        if (FRM_CView* deep = ChildAt(i)->FindResourceView(theContainerId, theResourceId))
            return deep;
    return nullptr;
}

void FRM_CSubview::FindSubviews(const FRM_CPoint& thePoint, RWOrdered* theList)
{
    if (theList == nullptr) {
        FrmError(kErrNullList, kModule, kLineNullList);
        return;
    }
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i) {
        FRM_CView* child = ChildAt(i);
        if (!child->GetFrame().IsPointInRect(thePoint))
            continue;
        theList->append(child);
        if (auto* nested = FrmCast<FRM_CSubview>(child))
            nested->FindSubviews(thePoint.GetTranslated(this, nested), theList);
    }
}

// ---------------------------------------------------------------------------------------------
// Key focus

void FRM_CSubview::SetKeyFocus(FRM_CView* theView)
{
    itsKeyFocus = theView;
    if (theView != nullptr && itsEnclosure != nullptr)
        itsEnclosure->SetKeyFocus(this);
}

FRM_CView* FRM_CSubview::FindDeepKeyFocus()
{
    FRM_CView* current = this;
    for (;;) {
        auto* subview = FrmCast<FRM_CSubview>(current);
        if (subview == nullptr || subview->itsKeyFocus == nullptr ||
            subview->itsKeyFocus == subview)
            return current;
        current = subview->itsKeyFocus;
    }
}

void FRM_CSubview::DoKey(const FRM_CKey& theKey)
{
    if (itsKeyFocus != nullptr && itsKeyFocus != this)
        itsKeyFocus->DoKey(theKey);
    else
        Key(theKey);
}

// ---------------------------------------------------------------------------------------------
// Mouse

void FRM_CSubview::DispatchToHitView(void (FRM_CView::*handler)(FRM_CPoint, short, short, short),
                                     const FRM_CPoint& thePoint, short theButton, short isShift,
                                     short isControl)
{
    DispatchMouse(handler, thePoint, theButton, isShift, isControl, true);
}

void FRM_CSubview::DoMouseDouble(FRM_CPoint thePoint, short theButton, short isShift,
                                 short isControl)
{
    DispatchToHitView(&FRM_CView::MouseDouble, thePoint, theButton, isShift, isControl);
}

void FRM_CSubview::DoMouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    DispatchToHitView(&FRM_CView::MouseDown, thePoint, theButton, isShift, isControl);
}

void FRM_CSubview::DoMouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    DispatchToHitView(&FRM_CView::MouseMove, thePoint, theButton, isShift, isControl);
}

void FRM_CSubview::DoMouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    vko_win_release_pointer();
    DispatchToHitView(&FRM_CView::MouseUp, thePoint, theButton, isShift, isControl);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void FRM_CSubview::DoDraw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    const FRM_CRect clip = ResolveClip(theClip);
    if (clip.IsEmpty())
        return;
    if (Prepare(clip)) {
        Draw(clip);
        for (std::size_t i = 0; i < itsSubviews->entries(); ++i) {
            FRM_CView* child = ChildAt(i);
            child->DoDraw(clip - child->GetClippedFrame());
        }
    }
    vko_dwin_set_clip(GetVKOWindow(), nullptr);
}

void FRM_CSubview::DoPrintDraw(const FRM_CRect& theRect)
{
    if (!IsVisible())
        return;
    FRM_CUnits* units = GetUnits();
    if (units != nullptr)
        units->SetOutputDevice(FRM_CUnits::kPrinter);
    const FRM_CRect clip = ResolveClip(theRect);
    if (Prepare(clip)) {
        PrintDraw(clip);
        for (std::size_t i = 0; i < itsSubviews->entries(); ++i) {
            FRM_CView* child = ChildAt(i);
            child->DoPrintDraw(clip - child->GetClippedFrame());
        }
    }
    vko_dwin_set_clip(GetVKOWindow(), nullptr);
    if (units != nullptr)
        units->SetOutputDevice(FRM_CUnits::kScreen);
}

// ---------------------------------------------------------------------------------------------
// Automatic scrolling

FRM_CPoint FRM_CSubview::AutoScroll(float dh, float dv)
{
    if (itsEnclosure == nullptr)
        return FRM_CPoint(0, 0);
    const FRM_CRect own = GetGlobalFrame();
    const FRM_CRect outer = itsEnclosure->GetGlobalFrame();
    if (!((dh > 0 && own.Right() > outer.Right()) || (dh < 0 && own.Left() < outer.Left())))
        dh = 0;
    if (!((dv > 0 && own.Bottom() > outer.Bottom()) || (dv < 0 && own.Top() < outer.Top())))
        dv = 0;
    if (dh == 0 && dv == 0)
        return FRM_CPoint(0, 0);
    return itsEnclosure->AutoScroll(dh, dv);
}
