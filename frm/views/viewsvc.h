// viewsvc.h: what the view family asks of the running framework (the global class library,
// the factories, the desktop, the switchboard, the print manager), gathered in one place so
// that each view module reads the same answers. Internal to frm/views. The questions are
// answered in viewsvc.cpp, the parts made by factories in viewmake.cpp, the control events
// and deferred repaints in viewevt.cpp.
#pragma once

#include "frm/core/crect.h"
#include "vkobase/types.h"

class FRM_CEnvironment;
class FRM_CGlue;
class FRM_CView;
class FRM_CWindow;
class FRM_CWireFrame;
class FRM_CMenuBar;
class FRM_CModel;
class FRM_CMouseManager;
class FRM_CNavigator;
class FRM_CObjectRWC;
class FRM_CResourceWindow;
class FRM_CSubview;
class FRM_NWinScrollBar;
class FRM_CStringRW;
class FRM_CTdiController;

namespace frm_views {

// The global class library's maximal rectangle, which stands for "the whole view".
const FRM_CRect& MaxRect();
bool IsMaxRect(const FRM_CRect& theRect);
// The next numeric id for a new view.
long NextViewId();
// The glue of a view, made by the view factory.
FRM_CGlue* ConstructGlue(FRM_CView* theView);
// The wire frame of a view, made by the view factory (the framework's own when it makes none).
FRM_CWireFrame* ConstructWireFrame(FRM_CView* theView);
// Switches a mode (sizing or dragging) of a view with an enclosure; switching one on first
// gives the view a wire frame from theMaker.
void SwitchWireFrameMode(FRM_CView* theView, short isOn, bool sizing,
                         FRM_CWireFrame* (*theMaker)(FRM_CView*) = &ConstructWireFrame);
// The desktop's key-focus view, or null.
FRM_CView* KeyFocusView();
// The environment of the window's document, or null without one.
const FRM_CEnvironment* DocumentEnvironment(const FRM_CWindow* theWindow);
// Whether the switchboard is handling an update event now.
bool IsUpdateEvent();
// Suspends (or resumes) a data-binding controller.
void SuspendController(FRM_CTdiController* theController, bool suspend);
// Hands a user event to the window's document.
void DocumentUser(FRM_CWindow* theWindow, long theId, void* theData);
// The text of a typed value; false when the model is no typed value.
bool ValueText(const FRM_CModel* theModel, FRM_CStringRW* theText);
// Window parts, made by the window and menu factories (null when the factory makes none).
FRM_CMenuBar* ConstructMenuBar(FRM_CWindow* theWindow, short theMenuBarId);
FRM_NWinScrollBar* ConstructWinScrollBar(FRM_CWindow* theWindow, bool horizontal);
FRM_CMouseManager* ConstructMouseManager(FRM_CWindow* theWindow);
FRM_CNavigator* ConstructNavigator(FRM_CWindow* theWindow);
// The desktop's framework window of a toolkit window, or null.
FRM_CWindow* FindWindowOf(WINDOW theWindow);
FRM_CWindow* TaskWindow();
void TellDesktopClosing(FRM_CWindow* theWindow);
// Releases the font mappings of the standard font and the window environment's font.
void UnmapWindowFonts(FRM_CWindow* theWindow);
// Whether theView still lies in theRoot's tree.
bool IsInTree(const FRM_CSubview* theRoot, const FRM_CView* theView);
// Pixel lengths in a view's logical units (the numbers as they stand without units).
float HPixelsToLogical(const FRM_CView* theView, float thePixels);
float VPixelsToLogical(const FRM_CView* theView, float thePixels);
// Draws the view's global frame as a rectangle with the view's environment.
void DrawFrameRect(const FRM_CView* theView);
// The margin around a selected view that a repaint covers, in pixels.
float WireFrameMargin();
// Hands a control event to the control's framework object.
void HitControl(FRM_CObjectRWC* theControl, bool isNativeTextEdit, s_ctlinfo& theInfo);
void HitWinScrollBar(FRM_NWinScrollBar* theBar, e_scroll_ctl theAction, short thePosition);
// The resource window with this id, made by the resource factory and entered in the resource
// manager when it is not there yet; null when none can be had.
FRM_CResourceWindow* WindowResource(long theResourceId);
// A native control for one window-resource item of the given type, or null for a type that
// makes none. Radio items (13) make one group for a run of them.
inline constexpr long kRadioItemType = 13;
FRM_CView* ConstructControl(FRM_CSubview* theParent, long theType, long theResourceId,
                            long theItem);
// Marks a window area (window coordinates, through the current units) for repainting. During
// an update the toolkit refuses that: the area is kept and marked after the update, when the
// framework handles its next event.
void InvalidateWindow(WINDOW theWindow, const FRM_CRect& theArea);
void FlushDeferredInvalidations();
// For tests: forgets the kept areas.
void ResetDeferredInvalidations();
// Queues the view with the print manager and prints; the print manager's result.
short PrintView(FRM_CView* theView, const FRM_CRect& theRect);
// Takes a view that goes away out of the print queue, so that no later job draws it.
void ForgetPrinting(const FRM_CView* theView);

} // namespace frm_views
