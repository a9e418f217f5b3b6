// viewsvc.cpp: the view family's questions to the running framework (the global class library,
// the desktop, a window's document, the switchboard, the print manager, units). Before the
// application exists (no global class library), views still work: they answer with the
// library's constant values and do without a desktop, switchboard or print manager.
#include "frm/views/viewsvc.h"

#include <cfloat>

#include "frm/core/ctdicntr.h"
#include "frm/core/ctdivalue.h"
#include "frm/core/cunits.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/drawing/cprntmgr.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace frm_views {

namespace {

// The value of the library's maximal rectangle: the smallest positive and the largest
// finite floats.
const FRM_CRect kMaxRect(FLT_MIN, FLT_MIN, FLT_MAX, FLT_MAX);

long itsNextLocalId = 1;   // ids handed out while there is no global class library

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

} // namespace frm_views
