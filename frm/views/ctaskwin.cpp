// ctaskwin.cpp: the task window.
#include "frm/views/ctaskwin.h"

#include "frm/core/cunits.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cmenubar.h"
#include "ruk/static/vkoruk.h"

namespace {

// The task window follows the toolkit's sizes while this attribute is set.
constexpr std::int32_t kAttrTaskWindowSizing = VKO_ATTR_TASKWIN_ACTIVE;

} // namespace

FRM_CTaskWin::FRM_CTaskWin(FRM_CDocument* document, WINDOW taskWindow)
    : FRM_CWindow(document, taskWindow)
{
    vko_vobj_set_data(taskWindow, reinterpret_cast<intptr_t>(this));
    const short menuBarId = static_cast<short>(GetMenuBarId());
    CMenuFactory* factory = CMenuFactory::GetTop();
    if (menuBarId != 0 && factory != nullptr)
        SetMenuBar(factory->ConstructCMenuBar(this, menuBarId, 0), 1); // the window owns it
}

short FRM_CTaskWin::Close()
{
    vko_vobj_set_data(itsVKOWindow, 0);
    itsVKOWindow = nullptr;
    FRM_CSwitchBoard::SetCWindowDelete(1);
    delete this;
    FRM_CSwitchBoard::SetCWindowDelete(0);
    return 1;
}

namespace {
bool Terminating()
{
    const FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    return g == nullptr || g->IsTerminating();
}
} // namespace

void FRM_CTaskWin::Enable()
{
    if (!Terminating() && !IsEnabled())
        FRM_CWindow::Enable();
}
void FRM_CTaskWin::Disable()
{
    if (!Terminating() && IsEnabled())
        FRM_CWindow::Disable();
}
void FRM_CTaskWin::Show()
{
    if (!Terminating() && !IsVisible())
        FRM_CWindow::Show();
}
void FRM_CTaskWin::Hide()
{
    if (!Terminating() && IsVisible())
        FRM_CWindow::Hide();
}

void FRM_CTaskWin::SizeWindow(int width, int height)
{
    if (vko_vobj_get_attr(nullptr, kAttrTaskWindowSizing) != 0) {
        FRM_CWindow::SizeWindow(width, height);
        return;
    }
    float w = static_cast<float>(width);
    float h = static_cast<float>(height);
    if (const FRM_CUnits* units = GetUnits()) {
        w = units->HPhysicalToLogical(width);
        h = units->VPhysicalToLogical(height);
    }
    itsFrame = FRM_CRect(0, 0, w, h);
}

long FRM_CTaskWin::GetMenuBarId() const
{
    // The base library keeps the menu-bar id itself in the attribute.
    return static_cast<std::int16_t>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASKWIN_MENUBAR));
}

void FRM_CTaskWin::UpdateUnits(FRM_CUnits* units)
{
    if (vko_vobj_get_attr(nullptr, kAttrTaskWindowSizing) == 0)
        FRM_CBoss::UpdateUnits(units);
    else
        FRM_CWindow::UpdateUnits(units);
}
