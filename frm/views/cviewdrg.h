// cviewdrg.h: dragging between views. FRM_CViewSink makes a view a drop target whose drag
// notifications become commands sent to the view with a CViewSinkData record;
// FRM_CViewSource starts a drag from a view once the mouse, pressed inside it, has moved
// further than its sensitivity. Neither owns its view.
#pragma once

#include "frm/core/ctypeinfo.h"
#include "frm/interaction/cdrag.h"

class FRM_CView;
class FRM_CViewSink;

// What a sink's command carries; valid only during the command call.
class CViewSinkData {
public:
    CViewSinkData(FRM_CViewSink* theSink, long theDragCommand, void* theDragData,
                  const FRM_CPoint& theLocation, short theButton, short isShift, short isControl)
        : itsSink(theSink), itsDragCommand(theDragCommand), itsDragData(theDragData),
          itsMouseLocation(theLocation), itsMouseButton(theButton), itsShift(isShift),
          itsControl(isControl)
    {
    }
    FRM_CViewSink* GetSink() const { return itsSink; }
    long GetDragCommand() const { return itsDragCommand; }
    void* GetDragData() const { return itsDragData; }
    FRM_CPoint GetMouseLocation() const { return itsMouseLocation; }
    short GetMouseButton() const { return itsMouseButton; }
    short IsShift() const { return itsShift; }
    short IsControl() const { return itsControl; }

private:
    FRM_CViewSink* itsSink;
    long itsDragCommand;
    void* itsDragData;
    FRM_CPoint itsMouseLocation;
    short itsMouseButton;
    short itsShift;
    short itsControl;
};

class FRM_CViewSink : public FRM_CDragSink {
public:
    // A command of 20003 sends nothing for that notification.
    FRM_CViewSink(FRM_CView* theView, long theDropCommand, long theEnterCommand,
                  long theLeaveCommand, long theDragCommand);
    FRM_CViewSink(const FRM_CViewSink& other) = default;
    FRM_CViewSink& operator=(const FRM_CViewSink& other) = default;

    // The point comes in the task window's coordinates.
    short IsInSink(FRM_CPoint where) override;
    void DoDrop(FRM_CPoint where, short button, short shift, short control, long type,
                void* data) override;
    void DoEnter(FRM_CPoint where, short button, short shift, short control, long type,
                 void* data) override;
    void DoLeave(FRM_CPoint where, short button, short shift, short control, long type,
                 void* data) override;
    void DoDrag(FRM_CPoint where, short button, short shift, short control, long type,
                void* data) override;
    FRM_CView* GetOwner() override { return itsView; }

    static const FRM_CTypeInfo* GetStaticTypeInfo() { return &frm_type::CViewSink; }
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const { return GetStaticTypeInfo(); }

    void SetSinkCommands(long theDrop, long theEnter, long theLeave, long theDrag);
    long GetDropCommand() const { return itsDropCommand; }
    long GetEnterCommand() const { return itsEnterCommand; }
    long GetLeaveCommand() const { return itsLeaveCommand; }
    long GetDragCommand() const { return itsDragCommand; }
    void SetView(FRM_CView* theView) { itsView = theView; }
    FRM_CView* GetView() const { return itsView; }

private:
    void Send(long theCommand, const FRM_CPoint& where, short button, short shift, short control,
              long type, void* data);

    FRM_CView* itsView;   // not owned
    long itsDropCommand;
    long itsEnterCommand;
    long itsLeaveCommand;
    long itsDragCommand;
};

class FRM_CViewSource : public FRM_CDragSource {
public:
    FRM_CViewSource(FRM_CView* theView, long theDragCommand, void* theDragData, short theCursor);
    // A copy starts disarmed; assignment keeps the target's armed state and press point.
    FRM_CViewSource(const FRM_CViewSource& other);
    FRM_CViewSource& operator=(const FRM_CViewSource& other);

    // Arms the source when the press (task-window coordinates) lies inside the view.
    short DoDown(FRM_CPoint& where, short& button, short& shift, short& control) override;
    short DoUp(FRM_CPoint& where, short& button, short& shift, short& control) override;
    // Starts the drag once the move passes the sensitivity on either axis (strictly).
    short DoMove(FRM_CPoint& where, short& button, short& shift, short& control) override;

    static const FRM_CTypeInfo* GetStaticTypeInfo() { return &frm_type::CViewSource; }
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const { return GetStaticTypeInfo(); }

    void SetView(FRM_CView* theView) { itsView = theView; }
    FRM_CView* GetView() const { return itsView; }
    void SetData(long theDragCommand, void* theDragData);
    long GetDragCommand() const { return itsViewDragCommand; }
    void* GetDragData() const { return itsViewDragData; }
    void SetDragCursor(short theCursor) { itsDragCursor = theCursor; }
    short GetDragCursor() const { return itsDragCursor; }
    void SetDragSensitivity(const FRM_CPoint& theSensitivity)
    {
        itsDragSensitivity = theSensitivity;
    }
    FRM_CPoint GetDragSensitivity() const { return itsDragSensitivity; }
    short IsArmed() const { return itIsDown; }

private:
    FRM_CView* itsView;            // not owned
    long itsViewDragCommand;
    void* itsViewDragData;         // the caller's
    FRM_CPoint itsDownPoint;
    FRM_CPoint itsDragSensitivity;
    short itsDragCursor;
    short itIsDown = 0;
};
