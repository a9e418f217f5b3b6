// cnativvw.cpp: the native view: creating, moving, re-creating and destroying its control.
#include "frm/views/cnativvw.h"

#include <cstring>

#include "frm/views/cctldelg.h"
#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cnav.h"
#include "frm/runtime/cpafactr.h"
#include "frm/runtime/cresourc.h"
#include "frm/views/cclipwin.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cnativvw";
constexpr long kErrControl = 1200;
constexpr short kFixRectFlags = 3;
constexpr std::int32_t kTitleBufferSize = 511;   // 510 characters and the terminator
constexpr std::int32_t kAttrTaskWindow = 301;

} // namespace

s_rct NativeControlRect(const FRM_CView* theView)
{
    const FRM_CSubview* enclosure = theView->GetEnclosure();
    if (enclosure == nullptr || static_cast<const FRM_CView*>(enclosure) == theView->GetCWindow())
        return static_cast<s_rct>(theView->GetGlobalFrame());
    // Inside a subview the control is cut to what its enclosure shows; a control on the
    // enclosure's border to what the enclosure's own enclosure shows of it.
    FRM_CRect shown = enclosure->GetClippedFrame();
    const auto* native = dynamic_cast<const FRM_CNativeView*>(theView);
    if (native != nullptr && native->LiesOnEnclosureBorder()) {
        shown = enclosure->GetGlobalFrame();
        const FRM_CSubview* outer = enclosure->GetEnclosure();
        if (outer != nullptr && static_cast<const FRM_CView*>(outer) != theView->GetCWindow())
            shown = shown & outer->GetClippedFrame();
    }
    FRM_CRect clipped = theView->GetGlobalFrame() & shown;
    if (theView->GetVisibleFrame().Height() < clipped.Height())
        clipped.Height(theView->GetFrame().Height());
    if (theView->GetVisibleFrame().Width() < clipped.Width())
        clipped.Width(theView->GetFrame().Width());
    return static_cast<s_rct>(clipped);
}

short FRM_CNativeView::itClips = 0;

short FRM_CNativeView::EnableSurrogateClipping()
{
    const short previous = itClips;
    itClips = 1;
    return previous;
}

short FRM_CNativeView::DisableSurrogateClipping()
{
    const short previous = itClips;
    itClips = 0;
    return previous;
}

bool FRM_CNativeView::WantsClipWindow(WINDOW theParent) const
{
    const FRM_CView* enclosure = itsEnclosure;
    return itClips && enclosure != nullptr && enclosure != GetCWindow() && itsType != WC_GROUPBOX &&
           reinterpret_cast<intptr_t>(theParent) != vko_vobj_get_attr(nullptr, kAttrTaskWindow);
}

FRM_CNativeView::FRM_CNativeView(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                                 e_win_type theType, std::int32_t theAttributes,
                                 const FRM_CStringRW& theTitle, std::int32_t theIconId)
    : FRM_CView(theEnclosure, theFrame, FRM_CStringRW()), itsIconId(theIconId),
      itsVKOAttributes(theAttributes), itsType(theType)
{
    itsTitle = theTitle;
    CreateControl();
    InitControl();
}

FRM_CNativeView::FRM_CNativeView(WINDOW theHandle, FRM_CSubview* theEnclosure,
                                 const FRM_CRect& theFrame, e_win_type theType)
    : FRM_CView(theEnclosure, theFrame, FRM_CStringRW()), itsType(theType)
{
    if (theHandle == nullptr)
        FrmError(kErrControl, kModule, __LINE__);
    SetVKOWindow(theHandle);
    InitControl();
    itsDelegate = FRM_CControlDelegate::Create(this);
}

FRM_CNativeView::FRM_CNativeView(FRM_CSubview* theEnclosure)
    : FRM_CView(theEnclosure, FRM_CRect(0, 0, 0, 0), FRM_CStringRW())
{
    FRM_CView::SetGlue(kDefaultGlue);
    itsDelegate = FRM_CControlDelegate::Create(this);
}

FRM_CNativeView::FRM_CNativeView(const FRM_CNativeView& other)
    : FRM_CView(other), itsIconId(other.itsIconId), itsVKOAttributes(other.itsVKOAttributes),
      itsType(other.itsType)
{
    SetVKOWindow(nullptr);   // the copy makes a control of its own
    CreateControl();
    InitControl();
}

void FRM_CNativeView::BuildFromResource(long theContainerId, long theResourceId)
{
    FRM_CResourceItems items(static_cast<std::int32_t>(theContainerId));
    items.IObject(theResourceId, this);
    CreateControl();
    InitControl();
    SetResourceContainerId(static_cast<std::int32_t>(theContainerId));
    SetResourceId(static_cast<std::int32_t>(theResourceId));
}

void FRM_CNativeView::TakeResourceEntry(const s_win_def& theEntry)
{
    if (itsType == 0)
        itsType = theEntry.type;   // a class of several control types takes the item's
    FRM_CView::Size(FRM_CRect(theEntry.rct));
    itsTitle = FRM_CStringRW(theEntry.text != nullptr ? theEntry.text : "");
    itsVKOAttributes = static_cast<std::int32_t>(theEntry.ctl_flags);
    itsIconId = theEntry.value1;
}

// Hand-written: the control is closed and created anew with the copied type and flags.
FRM_CNativeView& FRM_CNativeView::operator=(const FRM_CNativeView& other)
{
    if (this == &other)
        return *this;
    FRM_CView::operator=(other);
    itsType = other.itsType;
    itsVKOAttributes = other.itsVKOAttributes;
    delete itsDelegate;
    itsDelegate = nullptr;
    Recreate();
    return *this;
}

FRM_CNativeView::~FRM_CNativeView()
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    const FRM_CDesktop* desktop = library != nullptr ? library->GetDesktop() : nullptr;
    FRM_CWindow* window = GetCWindow();
    const bool windowAlive = library != nullptr && !library->IsTerminating() &&
                             desktop != nullptr && window != nullptr &&
                             desktop->FindWindow(window) && window->GetVKOWindow() != nullptr;
    if (windowAlive)
        Close();
    else
        SetVKOWindow(nullptr);   // the control dies with its toolkit window
    delete itsClippingWindow;
    itsClippingWindow = nullptr;
    delete itsDelegate;
    itsDelegate = nullptr;
}

short FRM_CNativeView::INativeView(const FRM_CStringRW& theTitle, short isEnabled,
                                   short isVisible, unsigned long theGlue)
{
    SetTitle(theTitle);
    if (isEnabled)
        Enable();
    else
        Disable();
    return FRM_CView::IView(isVisible, theGlue);
}

void FRM_CNativeView::SetAttributes(std::int32_t theAttributes)
{
    if (theAttributes == itsVKOAttributes)
        return;
    itsVKOAttributes = theAttributes;
    Recreate();
}

// ---------------------------------------------------------------------------------------------
// The control's life

void FRM_CNativeView::CreateControl()
{
    if (itsVKOWindow != nullptr) {
        // A second control would stay alive with this view as its data: close the first.
        FrmError(kErrControl, kModule, __LINE__);
        Close();
    }
    FRM_CWindow* window = GetCWindow();
    if (window == nullptr || window->GetVKOWindow() == nullptr)
        return;
    FRM_CUnits::SetGlobalUnits(GetUnits());
    WINDOW parent = window->GetVKOWindow();
    s_rct rect{};
    if (WantsClipWindow(parent)) {
        itsClippingWindow =
            new FRM_CClipWindow(this, itsType, (itsVKOAttributes & kInvisible) == 0);
        parent = itsClippingWindow->GetVKOWindow();
        rect = itsClippingWindow->GetOwnerRect();
    } else {
        rect = NativeControlRect(this);
        FrmFixRect(&rect, kFixRectFlags, itsType);
    }
    WINDOW handle = nullptr;
    const auto data = reinterpret_cast<intptr_t>(this);
    if (itsType == WC_ICON) {
        s_win_def definition;
        std::memset(&definition, 0, sizeof definition);
        definition.type = itsType;
        definition.rct = rect;
        definition.text = const_cast<char*>(itsTitle.data());
        definition.units = 0;
        definition.value1 = static_cast<int16_t>(itsIconId);
        definition.ctl_flags = static_cast<uint32_t>(itsVKOAttributes);
        handle = vko_ctl_create_def(&definition, parent, data);
    } else {
        handle = vko_ctl_create(itsType, &rect, itsTitle.data(), parent,
                                static_cast<uint32_t>(itsVKOAttributes), data,
                                window->GetNextCtlId());
    }
    SetVKOWindow(handle);
    if (itsClippingWindow != nullptr && handle != nullptr)
        itsClippingWindow->UpdateSize(handle, TRUE);
    ApplyEnvironment();
    if (itsDelegate == nullptr)
        itsDelegate = FRM_CControlDelegate::Create(this);
}

void FRM_CNativeView::InitControl()
{
    FRM_CView::Show();
    FRM_CView::Enable();
    if ((itsVKOAttributes & kInvisible) != 0)
        Hide();
    if ((itsVKOAttributes & kCreateDisabled) != 0)
        Disable();
    SetGlue(kDefaultGlue);
}

void FRM_CNativeView::Close()
{
    if (itsVKOWindow == nullptr) {
        delete itsClippingWindow;
        itsClippingWindow = nullptr;
        return;
    }
    vko_vobj_set_data(itsVKOWindow, 0);   // its events no longer name this view
    vko_vobj_destroy(itsVKOWindow);
    SetVKOWindow(nullptr);
    delete itsClippingWindow;
    itsClippingWindow = nullptr;
}

void FRM_CNativeView::Recreate()
{
    Close();
    CreateControl();
    ReapplyState();
}

void FRM_CNativeView::ReapplyState()
{
    if (itsVKOWindow == nullptr)
        return;
    if (!IsVisible())
        vko_vobj_set_visible(itsVKOWindow, FALSE);
    if (!IsEnabled())
        vko_vobj_set_enabled(itsVKOWindow, FALSE);
}

void FRM_CNativeView::ApplyEnvironment()
{
    if (const FRM_CEnvironment* environment = GetEnvironment())
        environment->SetNativeViewEnv(this);
}

// ---------------------------------------------------------------------------------------------
// State the control follows

void FRM_CNativeView::Show()
{
    if (IsVisible())
        return;
    FRM_CView::Show();
    if (itsVKOWindow != nullptr)
        vko_vobj_set_visible(itsVKOWindow, TRUE);
    itsVKOAttributes &= ~kInvisible;
    if (itsClippingWindow != nullptr)
        itsClippingWindow->Show();
}

void FRM_CNativeView::Hide()
{
    if (!IsVisible())
        return;
    FRM_CView::Hide();
    if (itsVKOWindow != nullptr)
        vko_vobj_set_visible(itsVKOWindow, FALSE);
    itsVKOAttributes |= kInvisible;
    if (itsClippingWindow != nullptr)
        itsClippingWindow->Hide();
}

void FRM_CNativeView::Enable()
{
    if (IsEnabled())
        return;
    FRM_CView::Enable();
    if (itsVKOWindow != nullptr)
        vko_vobj_set_enabled(itsVKOWindow, TRUE);
    itsVKOAttributes &= ~kDisabled;
    if (itsClippingWindow != nullptr)
        itsClippingWindow->Enable();
}

void FRM_CNativeView::Disable()
{
    if (!IsEnabled())
        return;
    FRM_CView::Disable();
    if (itsVKOWindow != nullptr)
        vko_vobj_set_enabled(itsVKOWindow, FALSE);
    itsVKOAttributes |= kDisabled;
    if (itsClippingWindow != nullptr)
        itsClippingWindow->Disable();
    // A control that cannot be worked keeps no focus: its frame would mark a button that
    // cannot be pressed, and the keys would reach nothing. They go on as Tab takes them.
    if (itsVKOWindow != nullptr && vko_scr_get_focus_vobj() == itsVKOWindow)
        if (FRM_CWindow* window = GetCWindow())
            window->GetNavigator()->MoveFocusOnFrom(this);
}

void FRM_CNativeView::Size(const FRM_CRect& theFrame)
{
    FRM_CView::Size(theFrame);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const FRM_CWindow* window = GetCWindow();
    if (itsVKOWindow == nullptr || window == nullptr)
        return;
    if (itsClippingWindow != nullptr) {
        // The clip window follows the visible part; the control moves inside it.
        itsClippingWindow->FollowOwner(itsVKOWindow);
        return;
    }
    s_rct wanted = NativeControlRect(this);
    FrmFixRect(&wanted, kFixRectFlags, itsType);
    s_rct current{};
    vko_vobj_get_client_rect(itsVKOWindow, &current);
    s_pnt corners[2] = {{current.top, current.left}, {current.bottom, current.right}};
    vko_vobj_translate_points(itsVKOWindow, window->GetVKOWindow(), corners, 2);
    if (corners[0].v != wanted.top || corners[0].h != wanted.left ||
        corners[1].v != wanted.bottom || corners[1].h != wanted.right)
        vko_vobj_move(itsVKOWindow, &wanted);
}

void FRM_CNativeView::SetOrigin(const FRM_CPoint& theDisplacement)
{
    FRM_CView::SetOrigin(theDisplacement);
    Size(itsFrame);
}

void FRM_CNativeView::UpdateUnits(FRM_CUnits* theUnits)
{
    FRM_CBoss::UpdateUnits(theUnits);
    Size(itsFrame);
}

void FRM_CNativeView::SetFont(const FRM_CFont& theFont, short isShared)
{
    FRM_CView::SetFont(theFont, isShared);
    ApplyEnvironment();
    if (itsClippingWindow != nullptr && itsVKOWindow != nullptr)
        itsClippingWindow->UpdateSize(itsVKOWindow, FALSE);
}

void FRM_CNativeView::SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared)
{
    FRM_CView::SetEnvironment(theEnvironment, isShared);
    ApplyEnvironment();
}

void FRM_CNativeView::SetGlue(unsigned long theGlue)
{
    FRM_CView::SetGlue(theGlue == 0 ? kDefaultGlue : theGlue);
}

void FRM_CNativeView::SetDragging(short isOn)
{
    if (itsDelegate != nullptr)
        itsDelegate->SetDragging(isOn);
}

void FRM_CNativeView::SetSizing(short isOn)
{
    if (itsDelegate != nullptr)
        itsDelegate->SetSizing(isOn);
}

void FRM_CNativeView::SetTitle(const FRM_CStringRW& theTitle)
{
    if (itsVKOWindow != nullptr)
        vko_vobj_set_title(itsVKOWindow, theTitle.data());
    FRM_CView::SetTitle(theTitle);
}

FRM_CStringRW FRM_CNativeView::GetTitle() const
{
    char buffer[kTitleBufferSize];
    buffer[0] = '\0';
    if (itsVKOWindow != nullptr)
        vko_vobj_get_title(itsVKOWindow, buffer, kTitleBufferSize);
    return FRM_CStringRW(buffer);
}

void FRM_CNativeView::SetEnclosure(FRM_CSubview* theEnclosure)
{
    const FRM_CWindow* before = GetCWindow();
    FRM_CView::SetEnclosure(theEnclosure);
    if (GetCWindow() != before)
        Recreate();
}
