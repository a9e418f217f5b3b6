// cwinhelp.h: the window's two companions: FRM_CEnterLeaveMouseHandler, which turns pointer
// motion into enter and leave commands and hands every event to the view holding the pointer
// trap, and FRM_CWindowNavigator, which moves the key focus with Tab and back-tab. Each
// belongs to one window, which owns it; neither owns the window.
#pragma once

#include "frm/core/ctypeinfo.h"
#include "frm/interaction/cmouse.h"
#include "frm/views/cview.h"
#include "frm/runtime/cnav.h"

class FRM_CWindow;

class FRM_CEnterLeaveMouseHandler : public FRM_CMouseHandler {
public:
    explicit FRM_CEnterLeaveMouseHandler(FRM_CWindow* theWindow) : itsWindow(theWindow) {}
    FRM_CEnterLeaveMouseHandler(const FRM_CEnterLeaveMouseHandler&) = delete;
    FRM_CEnterLeaveMouseHandler& operator=(const FRM_CEnterLeaveMouseHandler&) = delete;
    ~FRM_CEnterLeaveMouseHandler() override;

    // Each sends leave and enter when the pointer moved to another view, then passes the
    // event to the trapped view (handled) or leaves it to the other handlers (not handled).
    short DoDown(FRM_CPoint& where, short& button, short& shift, short& control) override;
    short DoUp(FRM_CPoint& where, short& button, short& shift, short& control) override;
    short DoDouble(FRM_CPoint& where, short& button, short& shift, short& control) override;
    short DoMove(FRM_CPoint& where, short& button, short& shift, short& control) override;
    // Window coordinates.
    short UsesGlobalCoords() const override { return 0; }

    static const FRM_CTypeInfo* GetStaticTypeInfo() { return &frm_type::CEnterLeaveMouseHandler; }
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const { return GetStaticTypeInfo(); }

private:
    using Handler = void (FRM_CView::*)(FRM_CPoint, short, short, short);
    void EnterLeave(const FRM_CPoint& where);
    // Enter and leave, then the trapped view's handler (localised to it when asked).
    short Pass(Handler theHandler, bool localise, FRM_CPoint& where, short& button, short& shift,
               short& control);

    FRM_CWindow* itsWindow;   // not owned
};

class FRM_CWindowNavigator : public FRM_CNavigator {
public:
    // Tab moves forward, back-tab backward; the navigator registers itself.
    explicit FRM_CWindowNavigator(FRM_CWindow* theWindow);
    FRM_CWindowNavigator(const FRM_CWindowNavigator& other) = default;
    FRM_CWindowNavigator& operator=(const FRM_CWindowNavigator& other) = default;
    // Unregisters from the navigator manager.
    ~FRM_CWindowNavigator() override;
};
