// viewsvc.cpp: the view family's calls into the running framework. Before the application
// exists (no global class library), views still work: they answer with the library's
// constant values and do without a desktop, switchboard or print manager.
#include "frm/views/viewsvc.h"

#include <cfloat>
#include <vector>

#include "frm/controls/cnatlist.h"
#include "frm/controls/cntvtxte.h"
#include "frm/controls/nlistedt.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/cradiogr.h"
#include "frm/views/nscrllbr.h"
#include "frm/controls/nscrlltx.h"
#include "frm/core/ctdicntr.h"
#include "frm/core/cunits.h"
#include "frm/core/ctdivalue.h"
#include "frm/drawing/cprntmgr.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cresourc.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/interaction/cmouse.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cwinhelp.h"
#include "ruk/static/vkoruk.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cglue.h"
#include "frm/views/cwindow.h"
#include "frm/views/cwirefrm.h"

namespace frm_views {

namespace {

// The value of the library's maximal rectangle: the smallest positive and the largest
// finite floats.
const FRM_CRect kMaxRect(FLT_MIN, FLT_MIN, FLT_MAX, FLT_MAX);

long itsNextLocalId = 1;   // ids handed out while there is no global class library

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

const FRM_CRect& MaxRect()
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    return library != nullptr ? library->GetMAXRect() : kMaxRect;
}

bool IsMaxRect(const FRM_CRect& theRect)
{
    return theRect == MaxRect();
}

long NextViewId()
{
    FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    return library != nullptr ? library->GetId() : itsNextLocalId++;
}

FRM_CGlue* ConstructGlue(FRM_CView* theView)
{
    // A factory that makes none leaves the view the framework's own kind.
    if (CViewFactory* factory = CViewFactory::GetTop())
        if (FRM_CGlue* glue = factory->ConstructGlue(theView))
            return glue;
    return new FRM_CGlue(theView);
}

FRM_CWireFrame* ConstructWireFrame(FRM_CView* theView)
{
    if (CViewFactory* factory = CViewFactory::GetTop())
        if (FRM_CWireFrame* frame = factory->ConstructWireFrame(theView))
            return frame;
    return new FRM_CWireFrame(theView, nullptr);
}

void SwitchWireFrameMode(FRM_CView* theView, short isOn, bool sizing,
                         FRM_CWireFrame* (*theMaker)(FRM_CView*))
{
    if (theView->GetEnclosure() == nullptr)
        return;
    if (isOn && theView->GetWireFrame() == nullptr)
        theView->SetWireFrame(theMaker(theView));
    if (FRM_CWireFrame* frame = theView->GetWireFrame()) {
        if (sizing)
            frame->SetSizing(isOn ? 1 : 0);
        else
            frame->SetDragging(isOn ? 1 : 0);
    }
}

FRM_CView* KeyFocusView()
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    if (library == nullptr || library->GetDesktop() == nullptr)
        return nullptr;
    return library->GetDesktop()->GetKeyFocus();
}

const FRM_CEnvironment* DocumentEnvironment(const FRM_CWindow* theWindow)
{
    if (theWindow == nullptr || theWindow->GetDocument() == nullptr)
        return nullptr;
    return theWindow->GetDocument()->GetEnvironment();
}

bool IsUpdateEvent()
{
    return FRM_CSwitchBoard::IsUpdateEvent() != 0;
}

void SuspendController(FRM_CTdiController* theController, bool suspend)
{
    if (suspend)
        theController->Suspend();
    else
        theController->Resume();
}

void DocumentUser(FRM_CWindow* theWindow, long theId, void* theData)
{
    if (theWindow->GetDocument() != nullptr)
        theWindow->GetDocument()->DoUser(theId, theData);
}

bool ValueText(const FRM_CModel* theModel, FRM_CStringRW* theText)
{
    const auto* value = FrmCast<FRM_CTdiValue>(theModel);
    if (value == nullptr)
        return false;
    *theText = value->ToString();
    return true;
}

void ForgetPrinting(const FRM_CView* theView)
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    if (library != nullptr && library->GetPrintMgr() != nullptr)
        library->GetPrintMgr()->Remove(theView, FRM_CPrintMgr::kAllPages);
}

short PrintView(FRM_CView* theView, const FRM_CRect& theRect)
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    if (library == nullptr || library->GetPrintMgr() == nullptr)
        return 0;
    FRM_CPrintMgr* printer = library->GetPrintMgr();
    printer->Insert(theView, theRect, FRM_CPrintMgr::kNextPage);
    const FRM_CWindow* window = theView->GetCWindow();
    FRM_CDocument* document = window != nullptr ? window->GetDocument() : nullptr;
    return printer->DoPrint(document != nullptr ? document->GetPrintRecord() : nullptr,
                            theView->GetTitle());
}

FRM_CMenuBar* ConstructMenuBar(FRM_CWindow* theWindow, short theMenuBarId)
{
    if (CMenuFactory* factory = CMenuFactory::GetTop())
        if (FRM_CMenuBar* bar = factory->ConstructCMenuBar(theWindow, theMenuBarId, 0))
            return bar;
    return new FRM_CMenuBar(theWindow, theMenuBarId);
}

FRM_NWinScrollBar* ConstructWinScrollBar(FRM_CWindow* theWindow, bool horizontal)
{
    CWindowFactory* factory = CWindowFactory::GetTop();
    if (factory == nullptr)
        return nullptr;
    return horizontal ? factory->ConstructHorizScrollBar(theWindow)
                      : factory->ConstructVertScrollBar(theWindow);
}

FRM_CMouseManager* ConstructMouseManager(FRM_CWindow* theWindow)
{
    // Every window's manager hands events to the task window's first, except the task
    // window's own.
    FRM_CWindow* task = TaskWindow();
    FRM_CMouseManager* parent =
        task != nullptr && task != theWindow ? task->GetMouseManager() : nullptr;
    if (CWindowFactory* factory = CWindowFactory::GetTop())
        if (FRM_CMouseManager* manager = factory->ConstructMouseManager(theWindow, parent))
            return manager;
    return new FRM_CMouseManager(parent);
}

FRM_CNavigator* ConstructNavigator(FRM_CWindow* theWindow)
{
    if (CWindowFactory* factory = CWindowFactory::GetTop())
        if (FRM_CNavigator* navigator = factory->ConstructNavigator(theWindow))
            return navigator;
    return new FRM_CWindowNavigator(theWindow);
}

FRM_CWindow* FindWindowOf(WINDOW theWindow)
{
    // A framework window's toolkit window runs the framework's hook and keeps the window
    // object as its application data.
    if (theWindow == nullptr || vko_win_get_handler(theWindow) != hookWinEventHandler)
        return nullptr;
    auto* object = reinterpret_cast<FRM_CObjectRWC*>(vko_vobj_get_data(theWindow));
    if (object == nullptr || reinterpret_cast<intptr_t>(object) == -1)
        return nullptr;
    return FrmCast<FRM_CWindow>(object);
}

FRM_CWindow* TaskWindow()
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    return library != nullptr ? library->GetTaskWin() : nullptr;
}

void TellDesktopClosing(FRM_CWindow* theWindow)
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    if (library != nullptr && library->GetDesktop() != nullptr)
        library->GetDesktop()->Closing(theWindow);
}

void UnmapWindowFonts(FRM_CWindow* theWindow)
{
    // The fonts are mapped again on their next use, so a refused close draws as before.
    // Unmapping changes the toolkit's mapping only, not the shared font objects.
    auto unmap = [](const FRM_CFont& font) {
        if (static_cast<s_fntid*>(font) != nullptr)
            const_cast<FRM_CFont&>(font).Unmap();
    };
    if (const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG())
        unmap(library->GetSTDFont());
    if (const FRM_CEnvironment* environment = theWindow->GetEnvironment())
        unmap(environment->GetFont());
}

bool IsInTree(const FRM_CSubview* theRoot, const FRM_CView* theView)
{
    for (const FRM_CView* up = theView; up != nullptr; up = up->GetEnclosure())
        if (up->GetEnclosure() == theRoot)
            return true;
    return false;
}

float HPixelsToLogical(const FRM_CView* theView, float thePixels)
{
    const FRM_CUnits* units = theView->GetUnits();
    return units != nullptr ? units->HPhysicalToLogical(static_cast<int>(thePixels)) : thePixels;
}

float VPixelsToLogical(const FRM_CView* theView, float thePixels)
{
    const FRM_CUnits* units = theView->GetUnits();
    return units != nullptr ? units->VPhysicalToLogical(static_cast<int>(thePixels)) : thePixels;
}

void DrawFrameRect(const FRM_CView* theView)
{
    if (const FRM_CEnvironment* environment = theView->GetEnvironment())
        environment->SetDrawingEnv(theView->GetCWindow());
    FRM_CUnits::SetGlobalUnits(theView->GetUnits());
    const s_rct frame = static_cast<s_rct>(theView->GetGlobalFrame());
    vko_dwin_draw_rect(theView->GetVKOWindow(), &frame);
}

float WireFrameMargin()
{
    constexpr float kWireSize = 1;    // the width of a wire frame's outline
    return kWireSize + 5;
}

// A control event goes to the native view named by the control's data; DoHit runs with the
// view's in-hit flag set, so that focus changes it causes are not sent back to the toolkit.
void HitControl(FRM_CObjectRWC* theControl, bool isNativeTextEdit, s_ctlinfo& theInfo)
{
    if (isNativeTextEdit) {
        if (auto* edit = FrmCast<FRM_CNativeTextEdit>(theControl))
            edit->DoHit(theInfo);
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

// A control for one resource item, from the top resource factory. Types without a control
// class make none, and nothing is made while no application runs.
FRM_CView* ConstructControl(FRM_CSubview* theParent, long theType, long theResourceId,
                            long theItem)
{
    CResourceFactory* factory = CResourceFactory::GetTop();
    if (factory == nullptr)
        return nullptr;
    switch (theType) {
    case WC_PUSHBUTTON:
        return factory->ConstructNButton(theParent, theResourceId, theItem);
    case WC_RADIOBUTTON:
        return factory->ConstructCRadioGroup(theParent, theResourceId, theItem);
    case WC_CHECKBOX:
        return factory->ConstructNCheckBox(theParent, theResourceId, theItem);
    case WC_HSCROLL:
    case WC_VSCROLL:
        return factory->ConstructNScrollBar(theParent, theResourceId, theItem);
    case WC_EDIT:
        return factory->ConstructNEditControl(theParent, theResourceId, theItem);
    case WC_TEXT:
        return factory->ConstructNText(theParent, theResourceId, theItem);
    case WC_LBOX:
        return factory->ConstructNListBox(theParent, theResourceId, theItem);
    case WC_LISTBUTTON:
        return factory->ConstructNListButton(theParent, theResourceId, theItem);
    case WC_LISTEDIT:
        return factory->ConstructNListEdit(theParent, theResourceId, theItem);
    case WC_GROUPBOX:
        return factory->ConstructNGroupBox(theParent, theResourceId, theItem);
    case WC_TEXTEDIT:
        return factory->ConstructNScrollText(theParent, theResourceId, theItem);
    case WC_ICON:
        return factory->ConstructNIcon(theParent, theResourceId, theItem);
    default:
        return nullptr;
    }
}

FRM_CResourceWindow* WindowResource(long theResourceId)
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    FRM_CResourceMgr* manager = library != nullptr ? library->GetResourceMgr() : nullptr;
    if (manager == nullptr)
        return nullptr;
    const auto id = static_cast<std::int32_t>(theResourceId);
    if (FRM_CResource* found = manager->Find(id))
        return FrmCast<FRM_CResourceWindow>(found);
    CResourceFactory* factory = CResourceFactory::GetTop();
    FRM_CResourceWindow* made = factory != nullptr ? factory->ConstructCResourceWindow(id)
                                                   : new FRM_CResourceWindow(id);
    if (made == nullptr)
        return nullptr;
    if (!manager->Insert(made)) {
        delete made;
        return nullptr;
    }
    return made;
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
