// cclipwin.h: FRM_CClipWindow, a borderless child toolkit window between a native control
// and its framework window: it covers only the visible part of the control's view, so the
// control is cut at its edges, and it hands the events it receives to the owner's window.
// It owns its toolkit window; the native view that made it owns the clip window.
#pragma once

#include <cstdint>

#include "frm/core/crect.h"
#include "vkobase/types.h"

class FRM_CView;

class FRM_CClipWindow {
public:
    FRM_CClipWindow(FRM_CView* theOwner, e_win_type theType, short isVisible);
    FRM_CClipWindow(const FRM_CClipWindow&) = delete;
    FRM_CClipWindow& operator=(const FRM_CClipWindow&) = delete;
    // Destroys the toolkit window unless the toolkit has destroyed it already (its hook
    // hears the destruction).
    virtual ~FRM_CClipWindow();

    virtual WINDOW GetVKOWindow() const { return itsVKOWindow; }
    FRM_CRect GetClippedFrame() const { return FRM_CRect(itsClippedRect); }
    FRM_CRect GetOwnerFrame() const { return FRM_CRect(itsOwnerRect); }
    const s_rct& GetClippedRect() const { return itsClippedRect; }
    const s_rct& GetOwnerRect() const { return itsOwnerRect; }

    void Enable();
    void Disable();
    void Show();
    void Hide();
    void Activate();
    // From theRect (window coordinates), or from the owner's clipped frame for the maximal
    // rectangle; moves the clip window there.
    void Size(const FRM_CRect& theRect);
    // Fits the clip window to the control's present size; moves the control into it when
    // moveControl is set.
    void UpdateSize(WINDOW theControl, short moveControl);
    // After the owner moved or changed size: the clip window takes the owner's visible part
    // again, and the control moves inside it when either rectangle changed.
    void FollowOwner(WINDOW theControl);

private:
    void SizeClipArea(const FRM_CRect& theVisible);

    WINDOW itsVKOWindow = nullptr;   // owned
    FRM_CView* itsOwner;             // not owned
    s_rct itsClippedRect{};          // the clip window in the owner's window
    s_rct itsOwnerRect{};            // the control in the clip window
    e_win_type itsType;
};

// The clip window's event hook: updates clear the clip window; pointer events, translated to
// the owner's window, and key, menu, font, control and user events go to the owner window's
// hook. Answers that hook's result, or 0.
extern "C" std::int32_t hookClipWindowEventHandler(WINDOW theWindow, EVENT* theEvent) noexcept;
