// cswtchbr.cpp: the switchboard's dispatch of the base library's events to framework
// windows, and the event hooks.
#include "frm/runtime/cswtchbr.h"

#include "frm/controls/nscrlltx.h"
#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cfont.h"
#include "frm/interaction/cmouse.h"
#include "frm/runtime/capplctn.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"

namespace {

constexpr char kModule[] = "cswtchbr";
constexpr long kErrSecondSwitchBoard = 2300;
constexpr long kErrCopied = 2301;
constexpr int kLineSecondSwitchBoard = 44;
constexpr int kLineCopied = 56;

struct SwitchBoardState {
    short instantiated = 0;
    int updateDepth = 0;
    short windowDelete = 0;
    FRM_CWindow* enterLeaveWindow = nullptr; // not owned; checked against the desktop
    FRM_CPoint lastMousePoint;               // in enterLeaveWindow's coordinates
};
SwitchBoardState& State()
{
    static SwitchBoardState state;
    return state;
}

// What one event is dispatched with: the toolkit window, its framework window (may be null)
// and whether it is the task window.
struct Target {
    WINDOW handle;
    FRM_CWindow* window;
    bool isTaskWindow;
};

FRM_CGlobalClassLib* G() { return FRM_CObjectRWC::GetG(); }

void MakeUnitsCurrent(const FRM_CWindow* window)
{
    if (window != nullptr)
        FRM_CUnits::SetGlobalUnits(window->GetUnits());
}

} // namespace

// ---- One handler per event type ----------------------------------------------------------

struct FRM_CSwitchBoard::Events {
    using Handler = void (*)(const Target&, const EVENT&);

    static void OnCreate(const Target& t, const EVENT&)
    {
        if (t.isTaskWindow) {
            G()->GetApplication()->StartUp();
            return;
        }
        if (t.window != nullptr) {
            t.window->itsVKOWindow = t.handle;
            t.window->UpdateMenus(t.window->GetMenuBar());
        }
    }

    static void OnDestroy(const Target& t, const EVENT&)
    {
        FRM_CGlobalClassLib* g = G();
        if (t.isTaskWindow) {
            g->SetTerminate(1);
            g->GetApplication()->ShutDown();
            return;
        }
        if (t.window == nullptr)
            return;
        t.window->itsVKOWindow = nullptr;
        FRM_CSwitchBoard::SetCWindowDelete(1);
        delete t.window;
        FRM_CSwitchBoard::SetCWindowDelete(0);
        if (State().enterLeaveWindow == t.window)
            State().enterLeaveWindow = nullptr;
        const FRM_CDesktop* desktop = g->GetDesktop();
        if (desktop != nullptr && desktop->GetNumWindows() == 1 && !g->IsTerminating())
            g->GetApplication()->DoCommand(FRM_CSwitchBoard::kCommandLastWindowClosed,
                                           g->GetApplication());
    }

    static void OnFocus(const Target& t, const EVENT& e)
    {
        if (t.window == nullptr)
            return;
        if (e.v.focus.active == 0) {
            t.window->DoDeactivateWindow();
            return;
        }
        if (FRM_CDesktop* desktop = G()->GetDesktop())
            desktop->SetActiveWindow(t.window);
        t.window->DoActivateWindow();
    }

    static void OnSize(const Target& t, const EVENT& e)
    {
        if (t.window != nullptr)
            t.window->SizeWindow(e.v.size.width, e.v.size.height);
    }

    static void OnUpdate(const Target& t, const EVENT& e)
    {
        if (t.window == nullptr)
            return;
        FRM_CSwitchBoard::UpdateEvent(1);
        if (!t.window->IsQueuedUpdate()) {
            FRM_CView* updateView = G()->GetUpdateView();
            FRM_CView* target = updateView != nullptr ? updateView : t.window;
            target->DoDraw(FRM_CRect(e.v.update.rct));
            vko_dwin_set_clip(t.handle, nullptr);
        } else {
            t.window->UnionQueuedUpdates(e.v.update.rct);
        }
        FRM_CSwitchBoard::UpdateEvent(0);
    }

    static void OnClose(const Target& t, const EVENT&)
    {
        if (t.isTaskWindow) {
            if (G()->GetApplication()->DoClose())
                vko_app_destroy_hook();
            return;
        }
        if (t.window != nullptr && t.window->IsClosable())
            t.window->Close();
    }

    static void OnMouse(const Target& t, const EVENT& e)
    {
        if (t.window == nullptr)
            return;
        MakeUnitsCurrent(t.window);
        FRM_CSwitchBoard::RouteMouse(t.window, e.type, FRM_CPoint(e.v.mouse.where),
                                     e.v.mouse.button, e.v.mouse.shift, e.v.mouse.control);
    }

    static void OnChar(const Target& t, const EVENT& e)
    {
        const FRM_CKey key(e.v.chr);
        if (t.window != nullptr)
            t.window->GetNavigator();
        if (FRM_CNavigator::Manager()->DoKey(key))
            return;
        if (t.window != nullptr)
            t.window->DoKey(key);
    }

    static void OnVScroll(const Target& t, const EVENT& e)
    {
        if (t.window != nullptr)
            t.window->DoVScroll(e.v.scroll.what, e.v.scroll.pos);
    }

    static void OnHScroll(const Target& t, const EVENT& e)
    {
        if (t.window != nullptr)
            t.window->DoHScroll(e.v.scroll.what, e.v.scroll.pos);
    }

    static void OnMenuCommand(const Target& t, const EVENT& e)
    {
        if (t.window != nullptr)
            t.window->DoMenuCommand(e.v.cmd.tag, e.v.cmd.shift, e.v.cmd.control);
    }

    static void OnFont(const Target& t, const EVENT& e)
    {
        if (t.window == nullptr)
            return;
        FRM_CFont font(e.v.font.font_id);
        t.window->ChangeFont(&font);
    }

    static void OnControl(const Target& t, const EVENT& e)
    {
        if (t.window == nullptr)
            return;
        const s_ctlinfo& info = e.v.ctl.ci;
        // A control that is gone (or none), or one without a framework object, has nobody to
        // answer for it: the window finds the object in the control's application data.
        if (info.win == nullptr || !vko_vobj_is_valid(info.win) || vko_vobj_get_data(info.win) == 0)
            return;
        // A text edit's notification carries two 16-bit values (what changed, focus flag);
        // the window gets them as the two data words.
        if (info.type == WC_TEXTEDIT)
            t.window->DoControl(e.v.ctl.id, info.type, info.win, info.v.edit.focus_change,
                                info.v.edit.active);
        else
            t.window->DoControl(e.v.ctl.id, info.type, info.win, info.v.words.data1,
                                info.v.words.data2);
    }

    static void OnTimer(const Target& t, const EVENT& e)
    {
        if (t.window != nullptr)
            t.window->DoTimer(e.v.timer.id);
    }

    static void OnQuit(const Target&, const EVENT& e)
    {
        if (e.v.quit.query == 0) {
            vko_app_destroy_hook();
            return;
        }
        if (G()->GetApplication()->DoClose())
            vko_app_allow_quit();
    }

    static void OnUser(const Target& t, const EVENT& e)
    {
        if (t.window != nullptr)
            t.window->DoUser(e.v.user.id, e.v.user.data);
    }

    static void Ignore(const Target&, const EVENT&) {}

    // One line per event type 0..19.
    static constexpr Handler kHandlers[] = {
        OnCreate,      // 0 create
        OnDestroy,     // 1 destroy
        OnFocus,       // 2 focus
        OnSize,        // 3 size
        OnUpdate,      // 4 update
        OnClose,       // 5 close
        OnMouse,       // 6 mouse down
        OnMouse,       // 7 mouse up
        OnMouse,       // 8 mouse move
        OnMouse,       // 9 mouse double click
        OnChar,        // 10 character
        OnVScroll,     // 11 vertical scroll
        OnHScroll,     // 12 horizontal scroll
        OnMenuCommand, // 13 menu command
        OnFont,        // 14 font
        OnControl,     // 15 control
        OnTimer,       // 16 timer
        OnQuit,        // 17 quit
        Ignore,        // 18 not used
        OnUser,        // 19 user
    };
    static_assert(sizeof kHandlers / sizeof kHandlers[0] == E_USER + 1,
                  "one handler per event type");
};

FRM_CSwitchBoard::FRM_CSwitchBoard(FRM_CApplication*)
{
    if (State().instantiated) {
        FrmError(kErrSecondSwitchBoard, kModule, kLineSecondSwitchBoard);
        return;
    }
    State().instantiated = 1;
}

FRM_CSwitchBoard::FRM_CSwitchBoard(const FRM_CSwitchBoard& other) : FRM_CNotifier(other)
{
    FrmError(kErrCopied, kModule, kLineCopied);
}

FRM_CSwitchBoard::~FRM_CSwitchBoard()
{
    State().instantiated = 0;
    State().enterLeaveWindow = nullptr;
}

int FRM_CSwitchBoard::EventHandler(WINDOW handle, EVENT* event)
{
    // No application running (before the start or after the shut-down): nothing to call.
    FRM_CGlobalClassLib* g = G();
    if (event == nullptr || g == nullptr || g->GetApplication() == nullptr)
        return 0;
    // Areas that views marked while drawing were kept; any other event comes after the update.
    if (event->type != E_UPDATE)
        frm_views::FlushDeferredInvalidations();
    auto* window = reinterpret_cast<FRM_CWindow*>(vko_vobj_get_data(handle));
    const auto taskWindow =
        reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW));
    const bool isTaskWindow = handle != nullptr && handle == taskWindow;
    if (window != nullptr) {
        MakeUnitsCurrent(window);
        if (window->GetVKOWindow() == nullptr && !isTaskWindow && event->type != E_CREATE &&
            event->type != E_DESTROY)
            return 0;
    }
    if (event->type < 0 || event->type > E_USER)
        return 0;
    Events::kHandlers[event->type](Target{handle, window, isTaskWindow}, *event);
    return 0;
}

void FRM_CSwitchBoard::MouseEvent(FRM_CWindow* window, const FRM_CPoint& point)
{
    SwitchBoardState& state = State();
    state.lastMousePoint = point;
    if (window == state.enterLeaveWindow)
        return;
    FRM_CGlobalClassLib* g = G();
    const FRM_CDesktop* desktop = g != nullptr ? g->GetDesktop() : nullptr;
    FRM_CWindow* previous = state.enterLeaveWindow;
    state.enterLeaveWindow = window;
    if (desktop == nullptr)
        return;
    if (previous != nullptr && desktop->FindWindow(previous)) {
        EnterLeaveEvent left{previous, point};
        previous->DoCommand(kLeaveCommand, &left);
    }
    if (window != nullptr && desktop->FindWindow(window)) {
        EnterLeaveEvent entered{window, point};
        window->DoCommand(kEnterCommand, &entered);
    }
}

short FRM_CSwitchBoard::RouteMouse(FRM_CWindow* window, e_event type, FRM_CPoint where,
                                   short button, short shift, short control)
{
    MouseEvent(window, where);
    FRM_CMouseManager* manager = window->GetMouseManager();
    short handled = 0;
    switch (type) {
    case E_MOUSE_DOWN:
        handled = manager != nullptr && manager->DoDown(window, where, button, shift, control);
        if (!handled)
            window->DoMouseDown(where, button, shift, control);
        break;
    case E_MOUSE_UP:
        handled = manager != nullptr && manager->DoUp(window, where, button, shift, control);
        if (!handled)
            window->DoMouseUp(where, button, shift, control);
        break;
    case E_MOUSE_MOVE:
        handled = manager != nullptr && manager->DoMove(window, where, button, shift, control);
        if (!handled)
            window->DoMouseMove(where, button, shift, control);
        break;
    default:
        handled = manager != nullptr && manager->DoDouble(window, where, button, shift, control);
        if (!handled)
            window->DoMouseDouble(where, button, shift, control);
        break;
    }
    return handled;
}

short FRM_CSwitchBoard::IsUpdateEvent() { return State().updateDepth > 0 ? 1 : 0; }

void FRM_CSwitchBoard::UpdateEvent(short entering)
{
    if (entering)
        ++State().updateDepth;
    else if (State().updateDepth > 0)
        --State().updateDepth;
}

short FRM_CSwitchBoard::IsCWindowDelete() { return State().windowDelete; }
void FRM_CSwitchBoard::SetCWindowDelete(short deleting) { State().windowDelete = deleting; }
short FRM_CSwitchBoard::IsInstantiated() { return State().instantiated; }
void FRM_CSwitchBoard::SetInstantiated(short instantiated) { State().instantiated = instantiated; }
FRM_CWindow* FRM_CSwitchBoard::GetEnterLeaveWindow() { return State().enterLeaveWindow; }

short FRM_CSwitchBoard::GetLastMousePoint(const FRM_CWindow* window, FRM_CPoint* point)
{
    if (window == nullptr || window != State().enterLeaveWindow)
        return 0;
    if (point != nullptr)
        *point = State().lastMousePoint;
    return 1;
}

void FRM_CSwitchBoard::ResetForTests()
{
    SwitchBoardState& state = State();
    state.updateDepth = 0;
    state.windowDelete = 0;
    state.enterLeaveWindow = nullptr;
}

extern "C" int32_t hookWinEventHandler(WINDOW window, EVENT* event) noexcept
{
    return FRM_CSwitchBoard::EventHandler(window, event);
}

extern "C" void hookTextEditCallback(TXEDIT textEdit, uint16_t topLine, uint16_t lineCount,
                                     uint16_t column) noexcept
{
    FRM_NScrollText::ScrollTextCallback(textEdit, topLine, lineCount, column);
}
