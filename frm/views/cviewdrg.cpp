// cviewdrg.cpp: view drag sinks and sources.
#include "frm/views/cviewdrg.h"

#include "frm/runtime/cglblcls.h"
#include "frm/views/cwindow.h"

namespace {

// A point of the task window's coordinates in the window coordinates of view's window
// (unchanged without a task window).
FRM_CPoint FromTaskWindow(const FRM_CPoint& thePoint, const FRM_CView* theView)
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    const FRM_CWindow* task = library != nullptr ? library->GetTaskWin() : nullptr;
    const FRM_CWindow* window = theView->GetCWindow();
    if (task == nullptr || window == nullptr)
        return thePoint;
    return thePoint.GetTranslated(task, window);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// FRM_CViewSink

FRM_CViewSink::FRM_CViewSink(FRM_CView* theView, long theDropCommand, long theEnterCommand,
                             long theLeaveCommand, long theDragCommand)
    : itsView(theView), itsDropCommand(theDropCommand), itsEnterCommand(theEnterCommand),
      itsLeaveCommand(theLeaveCommand), itsDragCommand(theDragCommand)
{
}

void FRM_CViewSink::SetSinkCommands(long theDrop, long theEnter, long theLeave, long theDrag)
{
    itsDropCommand = theDrop;
    itsEnterCommand = theEnter;
    itsLeaveCommand = theLeave;
    itsDragCommand = theDrag;
}

short FRM_CViewSink::IsInSink(FRM_CPoint where)
{
    if (itsView == nullptr)
        return 0;
    return itsView->GetGlobalFrame().IsPointInRect(FromTaskWindow(where, itsView)) ? 1 : 0;
}

void FRM_CViewSink::Send(long theCommand, const FRM_CPoint& where, short button, short shift,
                         short control, long type, void* data)
{
    if (theCommand == kNoCommand || itsView == nullptr)
        return;
    CViewSinkData record(this, type, data, where, button, shift, control);
    itsView->DoCommand(theCommand, &record);
}

void FRM_CViewSink::DoDrop(FRM_CPoint where, short button, short shift, short control, long type,
                           void* data)
{
    Send(itsDropCommand, where, button, shift, control, type, data);
}

void FRM_CViewSink::DoEnter(FRM_CPoint where, short button, short shift, short control, long type,
                            void* data)
{
    Send(itsEnterCommand, where, button, shift, control, type, data);
}

void FRM_CViewSink::DoLeave(FRM_CPoint where, short button, short shift, short control, long type,
                            void* data)
{
    Send(itsLeaveCommand, where, button, shift, control, type, data);
}

void FRM_CViewSink::DoDrag(FRM_CPoint where, short button, short shift, short control, long type,
                           void* data)
{
    Send(itsDragCommand, where, button, shift, control, type, data);
}

// ---------------------------------------------------------------------------------------------
// FRM_CViewSource

FRM_CViewSource::FRM_CViewSource(FRM_CView* theView, long theDragCommand, void* theDragData,
                                 short theCursor)
    : itsView(theView), itsViewDragCommand(theDragCommand), itsViewDragData(theDragData),
      itsDragCursor(theCursor)
{
}

FRM_CViewSource::FRM_CViewSource(const FRM_CViewSource& other)
    : FRM_CDragSource(other), itsView(other.itsView), itsViewDragCommand(other.itsViewDragCommand),
      itsViewDragData(other.itsViewDragData), itsDragSensitivity(other.itsDragSensitivity),
      itsDragCursor(other.itsDragCursor)
{
}

// Hand-written: the target keeps its armed state and press point.
FRM_CViewSource& FRM_CViewSource::operator=(const FRM_CViewSource& other)
{
    if (this == &other)
        return *this;
    FRM_CDragSource::operator=(other);
    itsView = other.itsView;
    itsViewDragCommand = other.itsViewDragCommand;
    itsViewDragData = other.itsViewDragData;
    itsDragSensitivity = other.itsDragSensitivity;
    itsDragCursor = other.itsDragCursor;
    return *this;
}

void FRM_CViewSource::SetData(long theDragCommand, void* theDragData)
{
    itsViewDragCommand = theDragCommand;
    itsViewDragData = theDragData;
}

short FRM_CViewSource::DoDown(FRM_CPoint& where, short& button, short& shift, short& control)
{
    if (!IsDragging() && itsView != nullptr) {
        const FRM_CPoint local = FromTaskWindow(where, itsView).GetLocal(itsView);
        if (itsView->GetLocalFrame().IsPointInRect(local)) {
            itIsDown = 1;
            itsDownPoint = where;
        }
    }
    return FRM_CDragSource::DoDown(where, button, shift, control);
}

short FRM_CViewSource::DoMove(FRM_CPoint& where, short& button, short& shift, short& control)
{
    if (itIsDown && !IsDragging()) {
        const FRM_CPoint moved = where - itsDownPoint;
        const FRM_CPoint& sensitivity = itsDragSensitivity;
        if (moved.H() > sensitivity.H() || -moved.H() > sensitivity.H() ||
            moved.V() > sensitivity.V() || -moved.V() > sensitivity.V())
            DoDrag(itsViewDragCommand, itsViewDragData,
                   itsView != nullptr ? itsView->GetCWindow() : nullptr, itsDragCursor);
    }
    return FRM_CDragSource::DoMove(where, button, shift, control);
}

short FRM_CViewSource::DoUp(FRM_CPoint& where, short& button, short& shift, short& control)
{
    itIsDown = 0;
    return FRM_CDragSource::DoUp(where, button, shift, control);
}
