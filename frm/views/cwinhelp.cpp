// cwinhelp.cpp: enter and leave from pointer motion, the pointer trap's event routing, and
// the window's Tab navigator.
#include "frm/views/cwinhelp.h"

#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr std::uint16_t kTab = 9;
constexpr std::uint16_t kBackTab = 315;
constexpr int kNavigatedAttribute = 603;

} // namespace

// ---------------------------------------------------------------------------------------------
// FRM_CEnterLeaveMouseHandler

FRM_CEnterLeaveMouseHandler::~FRM_CEnterLeaveMouseHandler() = default;

void FRM_CEnterLeaveMouseHandler::EnterLeave(const FRM_CPoint& where)
{
    FRM_CView* now = itsWindow->FindDeepSubview(where);
    FRM_CView* remembered = itsWindow->GetEnterLeaveView();
    if (now == nullptr || now == remembered)
        return;
    FRM_CView* trapped = itsWindow->GetTrappedView();
    if (remembered != nullptr && remembered != itsWindow) {
        EnterLeaveEvent leave{remembered, where};
        (trapped != nullptr ? trapped : remembered)->DoCommand(kLeaveCommand, &leave);
    }
    EnterLeaveEvent enter{now, where};
    (trapped != nullptr ? trapped : now)->DoCommand(kEnterCommand, &enter);
    itsWindow->SetEnterLeaveView(now);
}

short FRM_CEnterLeaveMouseHandler::Pass(Handler theHandler, bool localise, FRM_CPoint& where,
                                        short& button, short& shift, short& control)
{
    EnterLeave(where);
    FRM_CView* trapped = itsWindow->GetTrappedView();
    if (trapped == nullptr)
        return 0;
    (trapped->*theHandler)(localise ? where.GetLocal(trapped) : where, button, shift, control);
    return 1;
}

// A move reaches the trapped view in its own coordinates; the others in the window's.
short FRM_CEnterLeaveMouseHandler::DoMove(FRM_CPoint& where, short& button, short& shift,
                                          short& control)
{
    return Pass(&FRM_CView::MouseMove, true, where, button, shift, control);
}

short FRM_CEnterLeaveMouseHandler::DoDown(FRM_CPoint& where, short& button, short& shift,
                                          short& control)
{
    return Pass(&FRM_CView::MouseDown, false, where, button, shift, control);
}

short FRM_CEnterLeaveMouseHandler::DoUp(FRM_CPoint& where, short& button, short& shift,
                                        short& control)
{
    return Pass(&FRM_CView::MouseUp, false, where, button, shift, control);
}

short FRM_CEnterLeaveMouseHandler::DoDouble(FRM_CPoint& where, short& button, short& shift,
                                            short& control)
{
    return Pass(&FRM_CView::MouseDouble, false, where, button, shift, control);
}

// ---------------------------------------------------------------------------------------------
// FRM_CWindowNavigator

FRM_CWindowNavigator::FRM_CWindowNavigator(FRM_CWindow* theWindow) : FRM_CNavigator(theWindow)
{
    if (theWindow != nullptr)
        vko_vobj_set_attr(theWindow->GetVKOWindow(), kNavigatedAttribute, 1);
    DefineMovement(FRM_CKey(kTab, 0, 0, 0, 0), FRM_CCourse(0, FRM_CCourse::kReach1));
    DefineMovement(FRM_CKey(FRM_CKey::kVirtual, kBackTab), FRM_CCourse(180, FRM_CCourse::kReach1));
    SetEndJump(kEndToParent);
    SetJumpInto(1);
    if (FRM_CNavigatorManager* manager = Manager())
        manager->Register(this);
    if (theWindow != nullptr)
        AppendSubviews(theWindow);
    InitFocus();
}

FRM_CWindowNavigator::~FRM_CWindowNavigator()
{
    if (FRM_CNavigatorManager* manager = Manager())
        manager->Unregister(this);
}
