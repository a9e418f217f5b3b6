// Tests of the switchboard and the application's life: each event record delivered by the
// base library becomes one call of the framework window (a table of cases), enter and leave
// commands carry the pointer, the task window's events start, close and shut down the
// application, and events after shut-down are ignored.
#include "frm/runtime/cswtchbr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/frm_app_fixture.h"
#include "../support/frm_error_capture.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cnav.h"

namespace {

// A window that writes down every call the switchboard makes.
class RecordingWindow : public FRM_CWindow {
public:
    RecordingWindow(FRM_CDocument* document, WINDOW task)
        : FRM_CWindow(document, FRM_CRect(0, 0, 200, 100), FRM_CStringRW("rec"), 0, W_DOC, 0,
                      task)
    {
    }
    void SizeWindow(int width, int height) override
    {
        Note("size " + std::to_string(width) + "x" + std::to_string(height));
    }
    void DoActivateWindow() override { Note("activate"); }
    void DoDeactivateWindow() override { Note("deactivate"); }
    void DoMouseDown(FRM_CPoint p, short button, short shift, short control) override
    {
        Note("down " + Point(p) + " " + std::to_string(button) + std::to_string(shift) +
             std::to_string(control));
    }
    void DoMouseUp(FRM_CPoint p, short, short, short) override { Note("up " + Point(p)); }
    void DoMouseMove(FRM_CPoint p, short, short, short) override { Note("move " + Point(p)); }
    void DoMouseDouble(FRM_CPoint p, short, short, short) override { Note("double " + Point(p)); }
    void DoKey(const FRM_CKey& key) override { Note("key " + std::to_string(key.GetChar())); }
    void DoVScroll(e_scroll_ctl what, short position) override
    {
        Note("vscroll " + std::to_string(what) + " " + std::to_string(position));
    }
    void DoHScroll(e_scroll_ctl what, short position) override
    {
        Note("hscroll " + std::to_string(what) + " " + std::to_string(position));
    }
    void DoMenuCommand(short tag, short, short) override { Note("menu " + std::to_string(tag)); }
    void DoControl(short id, e_win_type type, WINDOW, std::int32_t data1,
                   std::int32_t data2) override
    {
        Note("control " + std::to_string(id) + " " + std::to_string(type) + " " +
             std::to_string(data1) + " " + std::to_string(data2));
    }
    void DoTimer(long id) override { Note("timer " + std::to_string(id)); }
    void DoUser(long id, void*) override { Note("user " + std::to_string(id)); }
    // The window's own enter and leave handler sends these too; each is noted once.
    void DoCommand(long command, void* data) override
    {
        if (command == kEnterCommand || command == kLeaveCommand) {
            const auto* event = static_cast<const EnterLeaveEvent*>(data);
            const std::string call =
                (command == kEnterCommand ? "enter " : "leave ") + Point(event->itsLocation);
            if (itsCalls.empty() || itsCalls.back() != call)
                Note(call);
            return;
        }
        FRM_CWindow::DoCommand(command, data);
    }

    std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(itsCalls);
        return taken;
    }

private:
    static std::string Point(const FRM_CPoint& p)
    {
        return std::to_string(static_cast<int>(p.H())) + "," + std::to_string(static_cast<int>(p.V()));
    }
    void Note(const std::string& call) { itsCalls.push_back(call); }
    std::vector<std::string> itsCalls;
};

class SwitchBoardTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = new RecordingWindow(itsDocument, itsTaskWindow);
        vkok_app_process_pending_events();
        itsWindow->Take();
    }

    // The event as the base library hands it to the framework's hook.
    std::vector<std::string> Deliver(WINDOW target, EVENT event)
    {
        EXPECT_EQ(hookWinEventHandler(target, &event), 0);
        return itsWindow->Take();
    }

    RecordingWindow* itsWindow = nullptr; // deleted by the switchboard
};

EVENT Event(e_event type) { EVENT e{}; e.type = type; return e; }

TEST_F(SwitchBoardTest, EventTable_EachRecordBecomesOneWindowCall)
{
    struct Case {
        const char* why;
        EVENT event;
        std::vector<std::string> calls;
    };
    std::vector<Case> cases;
    EVENT e = Event(E_SIZE);
    e.v.size.height = 40;
    e.v.size.width = 50;
    cases.push_back({"size gives width then height", e, {"size 50x40"}});
    e = Event(E_FOCUS);
    e.v.focus.active = 0;
    cases.push_back({"focus lost", e, {"deactivate"}});
    e = Event(E_MOUSE_DOWN);
    e.v.mouse.where = s_pnt{5, 7};
    e.v.mouse.button = 1;
    e.v.mouse.shift = 1;
    cases.push_back({"first mouse event enters the window with the pointer", e,
                     {"enter 7,5", "down 7,5 110"}});
    e = Event(E_MOUSE_MOVE);
    e.v.mouse.where = s_pnt{6, 8};
    cases.push_back({"a move inside the window enters nothing", e, {"move 8,6"}});
    e.type = E_MOUSE_UP;
    cases.push_back({"mouse up", e, {"up 8,6"}});
    e.type = E_MOUSE_DBL;
    cases.push_back({"double click", e, {"double 8,6"}});
    e = Event(E_CHAR);
    e.v.chr.ch = 'q';
    cases.push_back({"a key no navigator uses", e, {"key 113"}});
    e = Event(E_VSCROLL);
    e.v.scroll.what = SC_PAGE_DOWN;
    e.v.scroll.pos = 9;
    cases.push_back({"type 11 is vertical", e, {"vscroll 4 9"}});
    e.type = E_HSCROLL;
    cases.push_back({"type 12 is horizontal", e, {"hscroll 4 9"}});
    e = Event(E_COMMAND);
    e.v.cmd.tag = 1234;
    cases.push_back({"menu command", e, {"menu 1234"}});
    e = Event(E_TIMER);
    e.v.timer.id = 3;
    cases.push_back({"timer", e, {"timer 3"}});
    e = Event(E_USER);
    e.v.user.id = 4;
    cases.push_back({"user", e, {"user 4"}});
    e = Event(E_CONTROL);
    e.v.ctl.id = 7;
    e.v.ctl.ci.type = 12;
    e.v.ctl.ci.win = itsTaskWindow; // a toolkit window with a framework object
    e.v.ctl.ci.v.words.data1 = 11;
    e.v.ctl.ci.v.words.data2 = 22;
    cases.push_back({"control with a framework object", e, {"control 7 12 11 22"}});
    e.v.ctl.ci.type = 23;
    e.v.ctl.ci.v.edit.focus_change = 1;
    e.v.ctl.ci.v.edit.active = -1;
    cases.push_back({"a text edit's notification gives its two values", e, {"control 7 23 1 -1"}});
    e.v.ctl.ci.win = nullptr;
    cases.push_back({"a control without a framework object is dropped", e, {}});
    e = Event(E_HELP);
    cases.push_back({"type 18 is not used", e, {}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Deliver(itsWindow->GetVKOWindow(), c.event), c.calls);
    }
}

TEST_F(SwitchBoardTest, Focus_MakesTheWindowActiveOnTheDesktop)
{
    EVENT e = Event(E_FOCUS);
    e.v.focus.active = 1;
    EXPECT_EQ(Deliver(itsWindow->GetVKOWindow(), e), std::vector<std::string>{"activate"});
    const FRM_CDesktop* desktop = FRM_CObjectRWC::GetG()->GetDesktop();
    EXPECT_EQ(desktop->GetFrontWindow(), itsWindow);
}

TEST_F(SwitchBoardTest, EnterLeave_AcrossWindowsCarriesThePointer)
{
    auto* other = new RecordingWindow(itsDocument, itsTaskWindow);
    vkok_app_process_pending_events();
    EVENT e = Event(E_MOUSE_MOVE);
    e.v.mouse.where = s_pnt{3, 4};
    Deliver(itsWindow->GetVKOWindow(), e);
    e.v.mouse.where = s_pnt{9, 9};
    hookWinEventHandler(other->GetVKOWindow(), &e);
    EXPECT_EQ(itsWindow->Take(), std::vector<std::string>{"leave 9,9"});
    EXPECT_EQ(other->Take(), (std::vector<std::string>{"enter 9,9", "move 9,9"}));
}

TEST_F(SwitchBoardTest, Update_DrawsOrGrowsTheQueuedUpdate)
{
    EXPECT_EQ(FRM_CSwitchBoard::IsUpdateEvent(), 0);
    itsWindow->QueueUpdates();
    EVENT e = Event(E_UPDATE);
    e.v.update.rct = s_rct{0, 0, 10, 10};
    Deliver(itsWindow->GetVKOWindow(), e);
    EXPECT_EQ(itsWindow->IsQueuedUpdate(), 1);
    EXPECT_EQ(FRM_CSwitchBoard::IsUpdateEvent(), 0) << "the depth is back after the event";
}

TEST_F(SwitchBoardTest, Destroy_DeletesTheWindowAndTellsTheLastClose)
{
    const int windowsBefore = FRM_CObjectRWC::GetG()->GetDesktop()->GetNumWindows();
    vkok_vobj_destroy(itsWindow->GetVKOWindow()); // deletes itsWindow through the switchboard
    EXPECT_EQ(FRM_CObjectRWC::GetG()->GetDesktop()->GetNumWindows(), windowsBefore - 1);
    EXPECT_EQ(FRM_CSwitchBoard::IsCWindowDelete(), 0);
}

TEST_F(SwitchBoardTest, StartUp_InstallsFactoriesAndTheTaskDocument)
{
    FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(FRM_CApplication::IsInstantiated(), 1);
    FRM_CFactoryMgr* factories = g->GetFactoryMgr();
    CFactory* platform = factories->GetFactory(FRM_CFactoryMgr::kPlatform);
    EXPECT_NE(dynamic_cast<CWin32PlatformFactory*>(platform), nullptr);
    CFactory* below = factories->GetNextFactory(FRM_CFactoryMgr::kPlatform, platform);
    EXPECT_NE(below, nullptr);
    EXPECT_EQ(factories->GetNextFactory(FRM_CFactoryMgr::kPlatform, below), nullptr);
    for (int kind = 0; kind <= 6; ++kind)
        EXPECT_NE(factories->GetFactory(kind), nullptr) << "kind " << kind;
    EXPECT_NE(itsApplication->FindDocument(FRM_CApplication::kTaskDocId), nullptr);
    EXPECT_EQ(g->GetTaskWin()->GetVKOWindow(), itsTaskWindow);
    EXPECT_TRUE(FRM_CFont::GetRegistry()->IsCreated());
    EXPECT_NE(static_cast<s_fntid*>(g->GetSTDFont()), nullptr);
    const std::int32_t first = g->GetId();
    EXPECT_GE(first, 20010);
    EXPECT_EQ(g->GetId(), first + 1);
}

TEST_F(SwitchBoardTest, ShutDown_UndoesTheStartUpAndLaterEventsAreIgnored)
{
    WINDOW window = itsWindow->GetVKOWindow();
    itsApplication->IApplication(new FRM_CGlobalUser); // the shut-down deletes it
    EXPECT_NE(FRM_CObjectRWC::GetGU(), nullptr);
    vkok_vobj_destroy(itsTaskWindow); // the destroy event runs the shut-down
    EXPECT_EQ(FRM_CApplication::IsInstantiated(), 0);
    EXPECT_EQ(FRM_CObjectRWC::GetG(), nullptr);
    EXPECT_EQ(FRM_CObjectRWC::GetGU(), nullptr);
    EXPECT_TRUE(FRM_CFont::GetRegistry()->IsDestroyed());
    EVENT e = Event(E_SIZE);
    FRM_CSwitchBoard::EventHandler(window, &e); // a late event finds nothing to call
    e.type = E_DESTROY;
    FRM_CSwitchBoard::EventHandler(window, &e);
}

TEST_F(SwitchBoardTest, Quit_WithQueryAsksTheDocuments)
{
    itsDocument->SetSave(1);
    vkov_dm_test_push_answer(2, nullptr, 0); // "Cancel"
    EVENT e = Event(E_QUIT);
    e.v.quit.query = 1;
    Deliver(itsWindow->GetVKOWindow(), e);
    EXPECT_EQ(FRM_CApplication::IsInstantiated(), 1) << "the refusing document keeps it running";
    EXPECT_EQ(itsDocument->NeedsSaving(), 1);
}

TEST_F(SwitchBoardTest, SecondApplicationAndSwitchBoard_AreFatal)
{
    FrmErrorCapture errors;
    { FRM_CSwitchBoard second(itsApplication.get()); }
    EXPECT_EQ(errors.Take(), (std::vector<FrmReport>{{2300, "cswtchbr", 44}}));
    FRM_CSwitchBoard::SetInstantiated(1); // the first one is still there
    FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    { FRM_CApplication second; }
    EXPECT_EQ(errors.Take(), (std::vector<FrmReport>{{0, "capplctn", 97}}));
    EXPECT_EQ(FRM_CObjectRWC::GetG(), library) << "the refused one touched nothing";
}

} // namespace
