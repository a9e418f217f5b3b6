// viewmake.cpp: the parts a view or window gets from the top factories (glue, wire frames,
// menu bars, the window's scroll bars, mouse managers, navigators, resource windows, controls
// for resource items), with the framework's own kind where a factory makes none.
#include "frm/views/viewsvc.h"

#include "frm/interaction/cmouse.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cresourc.h"
#include "frm/views/cglue.h"
#include "frm/views/cmenubar.h"
#include "frm/views/ctlhooks.h"
#include "frm/views/cwindow.h"
#include "frm/views/cwinhelp.h"
#include "frm/views/cwirefrm.h"
#include "frm/views/nscrllbr.h"

namespace frm_views {

ControlHookSet& ControlHooks()
{
    static ControlHookSet hooks;
    return hooks;
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

// The control kinds live above the views; they fill in the hook when the library loads.
FRM_CView* ConstructControl(FRM_CSubview* theParent, long theType, long theResourceId,
                            long theItem)
{
    const auto construct = ControlHooks().constructControl;
    return construct != nullptr ? construct(theParent, theType, theResourceId, theItem)
                                : nullptr;
}

} // namespace frm_views
