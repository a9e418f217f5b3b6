// cswtchbr.h: FRM_CSwitchBoard and the framework's event hooks. The base library delivers
// every event of a framework window to hookWinEventHandler, which hands it to
// FRM_CSwitchBoard::EventHandler: the switchboard finds the window object (the toolkit
// window's application data), makes its units current and turns the event record into one
// call of the window (one line per event type in EventHandler). Keys go to keyboard
// navigation first; mouse events to the window's mouse manager first. Events of the task
// window start and shut down the application. Events that arrive when no application is
// running (before start or after shut-down) are ignored.
//
// Control events (type 15) reach FRM_CWindow::DoControl(control id, control type, control
// window, data word 1, data word 2) when the control's toolkit window holds its framework
// object as application data. The base library makes text-edit windows without any: the
// framework view of a text edit stores itself there so that the edit's notifications reach
// it; they arrive with their two 16-bit values (what changed, focus flag) as the two words.
#pragma once

#include "frm/core/cboss.h"
#include "frm/core/crect.h"
#include "vkobase/types.h"

class FRM_CApplication;
class FRM_CWindow;

class FRM_CSwitchBoard : public FRM_CNotifier {
    FRM_TYPE_INFO(CSwitchBoard)
public:
    static constexpr long kCommandLastWindowClosed = 20001;

    // A second switchboard is fatal 2300.
    explicit FRM_CSwitchBoard(FRM_CApplication* application);
    // Copying is fatal 2301.
    FRM_CSwitchBoard(const FRM_CSwitchBoard& other);
    FRM_CSwitchBoard& operator=(const FRM_CSwitchBoard&) = delete;
    ~FRM_CSwitchBoard() override;

    // Dispatches one event of a toolkit window; always answers 0.
    static int EventHandler(WINDOW window, EVENT* event);
    // Enter and leave tracking: the window left hears 20013, the one entered 20012, both
    // with the pointer's position.
    static void MouseEvent(FRM_CWindow* window, const FRM_CPoint& point);
    // One pointer event (down, up, move or double) at a point of the window, in its units:
    // enter and leave tracking, then the window's mouse manager, else the window itself.
    // Answers 1 when the manager handled it.
    static short RouteMouse(FRM_CWindow* window, e_event type, FRM_CPoint where, short button,
                            short shift, short control);

    static short IsUpdateEvent();
    // Raises (non-zero) or lowers the update depth.
    static void UpdateEvent(short entering);
    static short IsCWindowDelete();
    static void SetCWindowDelete(short deleting);
    static short IsInstantiated();
    static void SetInstantiated(short instantiated);
    // The window that last received a mouse event.
    static FRM_CWindow* GetEnterLeaveWindow();
    // 1 and the point (window coordinates) of the last mouse event when it came to window;
    // scroll events made of the mouse wheel carry no point of their own.
    static short GetLastMousePoint(const FRM_CWindow* window, FRM_CPoint* point);
    // Tests: forgets the update depth, the delete flag and the enter/leave window.
    static void ResetForTests();

private:
    struct Events; // one handler per event type, with the window's access
};

extern "C" {
// The window event hook of every framework window.
int32_t hookWinEventHandler(WINDOW window, EVENT* event) noexcept;
// The scroll report of a scrolling text's engine (top line, line count, column; 0xFFFF leaves
// that part), handed to the scrolling text that the engine's data names.
void hookTextEditCallback(TXEDIT textEdit, uint16_t topLine, uint16_t lineCount,
                          uint16_t column) noexcept;
}
