// viewevt.cpp: what a window does with the control events it receives (handing them to the
// native view, the native text edit or one of its own scroll bars) and the repaint marking
// that waits while the switchboard handles an update.
#include "frm/views/viewsvc.h"

#include <vector>

#include "frm/views/cnativvw.h"
#include "frm/views/ctlhooks.h"
#include "frm/views/nscrllbr.h"
#include "ruk/static/vkoruk.h"

namespace frm_views {

namespace {

struct DeferredArea {
    WINDOW window;
    s_rct area;
};
std::vector<DeferredArea>& Deferred()
{
    static std::vector<DeferredArea> areas;    // kept during an update, marked after it
    return areas;
}

} // namespace

// A control event goes to the native view named by the control's data; DoHit runs with the
// view's in-hit flag set, so that focus changes it causes are not sent back to the toolkit.
void HitControl(FRM_CObjectRWC* theControl, bool isNativeTextEdit, s_ctlinfo& theInfo)
{
    if (isNativeTextEdit) {
        if (const auto hit = ControlHooks().hitNativeTextEdit)
            hit(theControl, theInfo);
        return;
    }
    auto* view = FrmCast<FRM_CNativeView>(theControl);
    if (view == nullptr)
        return;
    const short wasInHit = view->IsInDoHit();
    view->SetInDoHit(1);
    const FRM_CView::DeletionWatch watch(view);
    view->DoHit(theInfo);
    if (!watch.IsGone())
        view->SetInDoHit(wasInHit);
}

void HitWinScrollBar(FRM_NWinScrollBar* theBar, e_scroll_ctl theAction, short thePosition)
{
    s_ctlinfo info{};
    info.type = theBar->GetVKOType();
    info.win = theBar->GetVKOWindow();
    info.v.sbar.what = theAction;
    info.v.sbar.pos = thePosition;
    theBar->DoHit(info);
}

void InvalidateWindow(WINDOW theWindow, const FRM_CRect& theArea)
{
    if (theWindow == nullptr)
        return;
    s_rct area = static_cast<s_rct>(theArea);
    if (IsUpdateEvent()) {
        Deferred().push_back({theWindow, area});
        return;
    }
    vko_dwin_invalidate_rect(theWindow, &area);
}

void FlushDeferredInvalidations()
{
    if (Deferred().empty() || IsUpdateEvent())
        return;
    std::vector<DeferredArea> areas;
    areas.swap(Deferred());
    for (const DeferredArea& deferred : areas)
        if (vko_vobj_is_valid(deferred.window))
            vko_dwin_invalidate_rect(deferred.window, &deferred.area);
}

void ResetDeferredInvalidations()
{
    Deferred().clear();
}

} // namespace frm_views
