// cview.h: FRM_CView, the base of every visible framework object: a rectangle inside its
// enclosure that draws, takes mouse and key events, follows its enclosure's size through its
// glue and sits in the command chain. A view owns its glue, its wire frame and its own
// environment; its enclosure owns the view, and a view's destructor leaves its enclosure.
// A view draws into the toolkit window of the nearest ancestor that has one.
#pragma once

#include <cstdint>

#include "frm/core/cboss.h"
#include "frm/core/ccmdnums.h"
#include "frm/core/crect.h"
#include "frm/core/cstringrw.h"
#include "vkobase/types.h"

class FRM_CEnvironment;
class FRM_CFont;
class FRM_CGlue;
class FRM_CKey;
class FRM_CSubview;
class FRM_CWindow;
class FRM_CWireFrame;
class RWOrdered;

// The glue value that keeps the glue as it is and only measures the distances again.
inline constexpr unsigned long kKeepGlue = 0xF0F0F0F0UL;

class FRM_CView : public FRM_CBoss {
    FRM_TYPE_INFO(CView)
public:
    // Takes a fresh id, stores the frame and adds the view on top of theEnclosure's children
    // (a view without enclosure is a top-level window).
    FRM_CView(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, const FRM_CStringRW& theTitle);
    FRM_CView(const FRM_CView& other);
    FRM_CView& operator=(const FRM_CView& other);
    // Leaves the enclosure, then deletes the glue, the own environment and the wire frame.
    ~FRM_CView() override;

    // Second-phase initialiser of generated window code: visibility, then glue. Returns 1.
    short IView(short isVisible, unsigned long theGlue);

    // FRM_CBoss
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    void DoCommand(long command, void* data) override;
    void DoTimer(long timerId) override;
    void DoUser(long id, void* data) override;
    RWOrdered* GetSubObjects() const override { return nullptr; }

    virtual short IsVisible() const { return itIsVisible; }
    virtual void Show() { itIsVisible = 1; }
    virtual void Hide() { itIsVisible = 0; }
    virtual void DoShow() { Show(); }
    virtual void DoHide() { Hide(); }
    virtual short IsActive() const { return itIsActive; }
    virtual void Deactivate();
    // Gives the key focus to this view or its nearest enclosure that can take it.
    virtual void Activate();
    virtual void DoActivate() { Activate(); }
    virtual void DoDeactivate() { Deactivate(); }
    virtual short IsEnabled() const { return itIsEnabled; }
    virtual void Disable() { itIsEnabled = 0; }
    virtual void Enable() { itIsEnabled = 1; }
    virtual void DoEnable() { Enable(); }
    virtual void DoDisable() { Disable(); }
    // Mouse handlers take the point in the view's local coordinates, then button, shift and
    // control. A click command fires only when the mouse goes up in the view that took the
    // mouse-down.
    virtual void MouseDouble(FRM_CPoint thePoint, short theButton, short isShift, short isControl);
    virtual void MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl);
    virtual void MouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl);
    virtual void MouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl);
    // The same with the point in window coordinates: finds the target and hit view and hands
    // the localised point on.
    virtual void DoMouseDouble(FRM_CPoint thePoint, short theButton, short isShift,
                               short isControl);
    virtual void DoMouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl);
    virtual void DoMouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl);
    virtual void DoMouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl);
    virtual FRM_CView* FindHitView(const FRM_CPoint& thePoint);
    // Marks the local rectangle for repainting; the maximal rectangle means the whole view.
    virtual void Invalidate(const FRM_CRect& theRect);
    virtual void Draw(const FRM_CRect& theClip);
    virtual void DoDraw(const FRM_CRect& theClip);
    virtual void Key(const FRM_CKey& theKey);
    virtual void DoKey(const FRM_CKey& theKey) { Key(theKey); }
    // Takes the frame (a negative width or height becomes 0) and measures the glue again.
    virtual void Size(const FRM_CRect& theFrame);
    virtual void DoSize(const FRM_CRect& theFrame) { Size(theFrame); }
    virtual void SetFont(const FRM_CFont& theFont, short isShared);
    virtual void DoSetFont(const FRM_CFont& theFont, short isShared) { SetFont(theFont, isShared); }
    virtual void HScroll(e_scroll_ctl theAction, float thePosition);
    virtual void VScroll(e_scroll_ctl theAction, float thePosition);
    virtual short ClassCanGetKeyFocus() const { return 0; }
    virtual short CanGetKeyFocus() const;
    virtual FRM_CRect GetFrame() const { return itsFrame; }
    virtual FRM_CRect GetVisibleFrame() const { return itsFrame; }
    virtual FRM_CRect GetGlobalFrame() const;
    virtual FRM_CRect GetClippedFrame() const;
    virtual FRM_CRect GetLocalFrame() const;
    virtual FRM_CPoint GetOrigin() const { return itsOrigin; }
    virtual FRM_CPoint GetGlobalOrigin() const;
    // Moves the origin by theDisplacement.
    virtual void SetOrigin(const FRM_CPoint& theDisplacement);
    virtual void DoSetOrigin(const FRM_CPoint& theDisplacement) { SetOrigin(theDisplacement); }
    // The first own environment up the enclosures, else the window's document's.
    virtual const FRM_CEnvironment* GetEnvironment() const;
    virtual void SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared);
    virtual void DoSetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared)
    {
        SetEnvironment(theEnvironment, isShared);
    }
    virtual short IsEnvironmentShared() const { return itsEnvironment == nullptr ? 1 : 0; }
    // Takes theGlue; deletes the present glue object first when deleteOld is non-zero.
    virtual void SetGlueObject(FRM_CGlue* theGlue, short deleteOld);
    virtual FRM_CGlue* GetGlueObject() const { return itsGlue; }
    virtual unsigned long GetGlue() const;
    // Nothing for a view without enclosure.
    virtual void SetGlue(unsigned long theGlue);
    virtual void DoSetGlue(unsigned long theGlue) { SetGlue(theGlue); }
    virtual void Glue();
    // A view with an enclosure gets its wire frame from the view factory when a mode is first
    // switched on; the wire frame stays when the modes go off again.
    virtual short IsDraggable() const;
    virtual void SetDragging(short isOn);
    virtual void DoSetDragging(short isOn) { SetDragging(isOn); }
    virtual short IsSizable() const;
    virtual void SetSizing(short isOn);
    virtual void DoSetSizing(short isOn) { SetSizing(isOn); }
    // Deletes the present wire frame and takes theWireFrame.
    virtual void SetWireFrame(FRM_CWireFrame* theWireFrame);
    virtual FRM_CWireFrame* GetWireFrame() const { return itsWireFrame; }
    virtual FRM_CWindow* GetCWindow() const { return itsCWindow; }
    virtual void SetCommand(long theCommand) { itsCommand = static_cast<std::int32_t>(theCommand); }
    virtual long GetCommand() const { return itsCommand; }
    virtual void SetDoubleCommand(long theCommand)
    {
        itsDoubleCommand = static_cast<std::int32_t>(theCommand);
    }
    virtual long GetDoubleCommand() const { return itsDoubleCommand; }
    virtual void SetTitle(const FRM_CStringRW& theTitle);
    virtual FRM_CStringRW GetTitle() const { return itsTitle; }
    virtual FRM_CSubview* GetEnclosure() const { return itsEnclosure; }
    // Moves the view on top of theEnclosure's children; null is error 2500.
    virtual void SetEnclosure(FRM_CSubview* theEnclosure);
    virtual short DoPrint(const FRM_CRect& theRect);
    virtual void DoPrintDraw(const FRM_CRect& theRect);
    virtual void PrintDraw(const FRM_CRect& theRect);
    virtual FRM_CView* FindDeepSubview(const FRM_CPoint& thePoint);
    virtual FRM_CView* FindSubview(long theId);
    virtual FRM_CView* FindSubview(const FRM_CPoint& thePoint);
    virtual FRM_CView* GetSelectedView() const { return nullptr; }
    virtual FRM_CView* FindEventTarget(const FRM_CPoint& thePoint);
    virtual FRM_CView* FindResourceView(long theContainerId, long theResourceId);
    // Whether the visible frame holds thePoint, given in the enclosure's coordinates.
    virtual short HitTest(const FRM_CPoint& thePoint) const;
    virtual const RWOrdered* GetSubviews() const { return nullptr; }
    // The view's own toolkit window, else the first one up the enclosures; null when none.
    virtual WINDOW GetVKOWindow() const;
    virtual e_win_type GetVKOType() const;

    // The view that took the last mouse-down; process-wide.
    static FRM_CView* GetClickedView() { return itsClickedView; }
    // For tests: forgets the clicked view.
    static void ResetClickedView() { itsClickedView = nullptr; }
    short IsInDoHit() const { return itsInDoHit; }
    void SetInDoHit(short isInDoHit) { itsInDoHit = isInDoHit; }

    // Tells whether a view outlived a call that may delete it: a click on a button whose
    // command closes the button's window deletes the button inside its own DoHit.
    class DeletionWatch {
    public:
        explicit DeletionWatch(const FRM_CView* theView);
        ~DeletionWatch();
        DeletionWatch(const DeletionWatch&) = delete;
        DeletionWatch& operator=(const DeletionWatch&) = delete;
        bool IsGone() const { return itsView == nullptr; }

    private:
        friend class FRM_CView;
        const FRM_CView* itsView;
        DeletionWatch* itsOuter; // the watch made before this one, still running
    };

protected:
    // Makes the clip the toolkit window's clip; says whether anything in it needs drawing.
    virtual short Prepare(const FRM_CRect& theClip);
    void BuildView(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame);
    // Takes other's settings; the toolkit window stays this view's own, as two views on one
    // control would both destroy it.
    void CopyView(const FRM_CView& other);
    void MatchWireFrame(const FRM_CView& other);
    void SetVKOWindow(WINDOW theWindow) { itsVKOWindow = theWindow; }
    // The clip a maximal rectangle stands for: the enclosure's clipped frame, or the view's.
    FRM_CRect ResolveClip(const FRM_CRect& theClip) const;
    // Runs one pointer event: target, hit view, localised point, then the hit view's handler.
    void DispatchMouse(void (FRM_CView::*handler)(FRM_CPoint, short, short, short),
                       const FRM_CPoint& thePoint, short theButton, short isShift,
                       short isControl, bool onlyEnabledHitView);

    FRM_CStringRW itsTitle;
    FRM_CRect itsFrame;
    FRM_CPoint itsOrigin;
    FRM_CWindow* itsCWindow = nullptr;          // not owned
    std::int32_t itsCommand = kNoCommand;
    std::int32_t itsDoubleCommand = kNoCommand;
    FRM_CSubview* itsEnclosure = nullptr;       // not owned; owns this view
    FRM_CWireFrame* itsWireFrame = nullptr;     // owned
    WINDOW itsVKOWindow = nullptr;              // own toolkit window, if any
    short itsInDoHit = 0;
    static DeletionWatch* itsWatches; // the innermost running watch
    FRM_CEnvironment* itsEnvironment = nullptr; // owned; null shares the enclosure's
    FRM_CGlue* itsGlue = nullptr;               // owned
    short itIsVisible = 1;
    short itIsEnabled = 1;
    short itIsActive = 0;

private:
    friend class FRM_CWireFrame;    // clears itsWireFrame when it goes

    static FRM_CView* itsClickedView;
};
