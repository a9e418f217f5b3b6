// cmenubtn.cpp: menu buttons kept in line with their menu entries.
#include "frm/views/cmenubtn.h"

#include "frm/core/ccmdnums.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cmenubar.h"
#include "frm/views/ctoolbar.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"

namespace {

FRM_CMenuBar* MenuBarOf(const FRM_CView* theView)
{
    const FRM_CWindow* window = theView->GetCWindow();
    return window != nullptr ? window->GetMenuBar() : nullptr;
}

} // namespace

FRM_CMenuButton::FRM_CMenuButton(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                                 short theTag)
    : FRM_CButton(theEnclosure, theFrame, 0), itsMenuTag(theTag)
{
    InitMenuButton();
}

FRM_CMenuButton::FRM_CMenuButton(FRM_CSubview* theEnclosure, const FRM_CPoint& theWhere,
                                 short theTag, const FRM_CStringRW& theTitle)
    : FRM_CButton(theEnclosure, theWhere, theTitle, 0), itsMenuTag(theTag)
{
    InitMenuButton();
}

FRM_CMenuButton::FRM_CMenuButton(FRM_CSubview* theEnclosure, const FRM_CPoint& theWhere,
                                 short theTag, const FRM_CImage& theImage)
    : FRM_CButton(theEnclosure, theWhere, theImage, 0), itsMenuTag(theTag)
{
    InitMenuButton();
}

FRM_CMenuButton::FRM_CMenuButton(const FRM_CMenuButton& other)
    : FRM_CButton(other), itsMenuTag(other.itsMenuTag)
{
    InitMenuButton();
}

// Hand-written: the tag is changed through SetMenuTag, which drops the old tag's tool-bar entry.
FRM_CMenuButton& FRM_CMenuButton::operator=(const FRM_CMenuButton& other)
{
    if (this == &other)
        return *this;
    FRM_CButton::operator=(other);
    SetMenuTag(other.itsMenuTag);
    return *this;
}

FRM_CMenuButton::~FRM_CMenuButton()
{
    if (auto* bar = FrmCast<FRM_CToolBar>(GetEnclosure()))
        if (bar->GetMenuButton(itsMenuTag) == this)
            bar->RemoveMenuButton(this);
}

void FRM_CMenuButton::SetMenuTag(short theTag)
{
    // A registry entry left under the old tag would outlive this button.
    if (auto* bar = FrmCast<FRM_CToolBar>(GetEnclosure()))
        if (bar->GetMenuButton(itsMenuTag) == this)
            bar->RemoveMenuButton(this);
    itsMenuTag = theTag;
    InitMenuButton();
}

void FRM_CMenuButton::InitMenuButton()
{
    const FRM_CMenuBar* bar = MenuBarOf(this);
    if (bar == nullptr)
        return;
    // "Open\tCtrl+O" shows "Open"; a title that starts with its tab is used whole.
    const FRM_CStringRW title = bar->GetTitle(itsMenuTag);
    const std::size_t tab = title.index("\t");
    if (tab != RW_NPOS && tab != 0)
        SetTitle(FRM_CStringRW(title.data(), tab));
    else if (!title.isNull())
        SetTitle(title);
    FRM_CButton::SetTogglable(bar->IsCheckable(itsMenuTag));
    SyncWithMenu();
    if (auto* toolBar = FrmCast<FRM_CToolBar>(GetEnclosure()))
        toolBar->InsertMenuButton(itsMenuTag, this);
}

void FRM_CMenuButton::Enable()
{
    if (itsMenuIsEnabled != 0)
        FRM_CButton::Enable();
}

void FRM_CMenuButton::SyncWithMenu()
{
    const FRM_CMenuBar* bar = MenuBarOf(this);
    if (bar == nullptr)
        return;
    const short enabled = bar->IsInMenu(itsMenuTag) == 0 ? 1 : bar->IsEnabled(itsMenuTag);
    ToggleState state = GetToggleState();
    if (IsTogglable() != 0)
        state = bar->IsChecked(itsMenuTag) != 0 ? kDown : kUp;
    if (enabled == itsMenuIsEnabled && state == GetToggleState())
        return;
    itsMenuIsEnabled = enabled;
    if (enabled == 0)
        Disable();
    else
        Enable();
    SetToggleState(state);
    DoDraw(frm_views::MaxRect());
}

void FRM_CMenuButton::DoUpAction()
{
    if (IsTogglable() != 0) {
        if (const FRM_CMenuBar* bar = MenuBarOf(this))
            SetToggleState(bar->IsChecked(itsMenuTag) != 0 ? kDown : kUp);
        TdiNotify(kTagState, GetToggleState() == kDown);
    }
    if (GetCommand() != kNoCommand)
        DoCommand(GetCommand(), this);
    EVENT event{};
    event.type = E_COMMAND;
    event.v.cmd.tag = itsMenuTag;
    event.v.cmd.shift = 0;
    event.v.cmd.control = 0;
    hookWinEventHandler(GetVKOWindow(), &event);
}
