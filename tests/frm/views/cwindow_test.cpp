// Tests of framework windows against the real switchboard, layer and base library: creation
// from arguments and from a window resource, closing with and without refusals, suspended
// sizing, queued updates, control ids, and the menu bar built from a menu resource.
#include "frm/views/cwindow.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/views/cmenubar.h"
#include "ruk/static/vkoruk.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"

namespace {

// The program's main menu bar has this shape: popups with items, separators, a nested
// popup and checkable items.
constexpr char kResources[] = R"(
menu 1 {
  popup 100 "&File" {
    item 32001 "&New Window"
    item 32002 "&Open..." key=79
    separator
    popup 110 "&Recent" {
      item 111 "First"
    }
    item 32009 "E&xit"
  }
  popup 200 "&Edit" {
    item 201 "&Copy"
    item 202 "Show &Tabs" checkable checked
  }
  popup 300 "&Help" {
    item 301 "&Contents" off
  }
}
window 7100 {
  entry type=1 rect=(10,20,110,220) title="From resource" flags=0x3
}
window 7101 {
  entry type=9 rect=(0,0,80,160) title="Modal" flags=0x1 menubar=1
}
window 7102 {
  entry type=1 rect=(0,0,80,160) title="With a stranger"
  entry type=77 rect=(5,5,25,80) title="?" id=101
}
)";

// A window whose protected sizing and queue members a test may drive; it notes its own
// deletion so that a test sees the switchboard delete it.
class ProbeWindow : public FRM_CWindow {
public:
    ProbeWindow(FRM_CDocument* document, WINDOW parent, bool* deleted, long attributes = 0x3)
        : FRM_CWindow(document, FRM_CRect(0, 0, 200, 100), FRM_CStringRW("probe"), attributes,
                      W_DOC, 0, parent),
          itsDeleted(deleted)
    {
    }
    ~ProbeWindow() override
    {
        if (itsDeleted != nullptr)
            *itsDeleted = true;
    }
    using FRM_CWindow::QueueSize;
    using FRM_CWindow::ResumeSizing;
    using FRM_CWindow::SuspendSizing;

private:
    bool* itsDeleted;
};

// A document that refuses to let its windows close while asked to.
class RefusingDocument : public frmtest::TestDocument {
public:
    using TestDocument::TestDocument;
    short CloseWindow(FRM_CWindow* window) override
    {
        return itRefuses ? 0 : TestDocument::CloseWindow(window);
    }
    bool itRefuses = true;
};

class WindowTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        FRM_CWindow::ResetCreationIcon();
        FRM_CMenuBar::SetReferenceCounting(1);
        ASSERT_TRUE(vkov_res_register_text("window_test", kResources));
    }
};

TEST_F(WindowTest, ClosingDestroysTheToolkitWindowAndTheSwitchboardDeletesTheObject)
{
    bool deleted = false;
    auto* window = new ProbeWindow(itsDocument, itsTaskWindow, &deleted);
    WINDOW handle = window->GetVKOWindow();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(window->IsClosable(), 1);
    EXPECT_EQ(window->IsSizable(), 1);
    EXPECT_EQ(window->Close(), 1);
    EXPECT_EQ(vko_vobj_is_valid(handle), FALSE);
    vkok_app_process_pending_events();
    EXPECT_TRUE(deleted);
}

TEST_F(WindowTest, RefusedCloseLeavesTheWindowOpen)
{
    auto* refusing = new RefusingDocument(itsApplication.get(), 5001);
    bool deleted = false;
    auto* window = new ProbeWindow(refusing, itsTaskWindow, &deleted);
    WINDOW handle = window->GetVKOWindow();
    EXPECT_EQ(window->Close(), 0);
    vkok_app_process_pending_events();
    EXPECT_FALSE(deleted);
    EXPECT_EQ(window->GetVKOWindow(), handle);
    EXPECT_EQ(vko_vobj_is_valid(handle), TRUE);
    refusing->itRefuses = false;
    EXPECT_EQ(window->Close(), 1);
    vkok_app_process_pending_events();
    EXPECT_TRUE(deleted);
}

TEST_F(WindowTest, ChildWindowsCloseFirstAndARefusingChildStopsNothing)
{
    struct Case {
        const char* why;
        bool childRefuses;
    };
    const Case cases[] = {{"children close with their parent", false},
                          {"a child whose document refuses does not hold the parent", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* childDocument = new RefusingDocument(itsApplication.get(), 5002);
        childDocument->itRefuses = c.childRefuses;
        bool parentDeleted = false;
        bool firstDeleted = false;
        bool secondDeleted = false;
        auto* parent = new ProbeWindow(itsDocument, itsTaskWindow, &parentDeleted);
        auto* first = new ProbeWindow(childDocument, parent->GetVKOWindow(), &firstDeleted);
        new ProbeWindow(childDocument, parent->GetVKOWindow(), &secondDeleted);
        ASSERT_NE(parent->GetChildWindows(), nullptr);
        EXPECT_EQ(parent->GetChildWindows()->entries(), 2u);
        EXPECT_EQ(first->GetParentWindow(), parent);
        EXPECT_EQ(parent->Close(), 1);
        vkok_app_process_pending_events();
        EXPECT_TRUE(parentDeleted);
        EXPECT_TRUE(firstDeleted);    // the toolkit takes child windows with their parent
        EXPECT_TRUE(secondDeleted);
    }
}

TEST_F(WindowTest, WindowsFromResourcesTakeTheirDefinition)
{
    struct Case {
        const char* why;
        long resourceId;
        FRM_CStringRW title;
        long attributes;
        short closable;
        short sizable;
        long menuBarId;
    };
    const Case cases[] = {
        {"a document window keeps its flags", 7100, "From resource", 0x3, 1, 1, 0},
        {"a modal window is closable, not sizable, without menu bar", 7101, "Modal", 0x8001, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* window = new FRM_CWindow(itsDocument, c.resourceId, 1, itsTaskWindow);
        EXPECT_EQ(window->GetTitle(), c.title);
        EXPECT_EQ(window->GetAttributes(), c.attributes);
        EXPECT_EQ(window->IsClosable(), c.closable);
        EXPECT_EQ(window->IsSizable(), c.sizable);
        EXPECT_EQ(window->GetMenuBarId(), c.menuBarId);
        EXPECT_EQ(window->GetResourceId(), c.resourceId);
        EXPECT_EQ(window->Close(), 1);
        vkok_app_process_pending_events();
    }
    FrmErrorCapture capture;
    auto* stranger = new FRM_CWindow(itsDocument, 7102, 1, itsTaskWindow);
    const std::vector<FrmReport> reports = capture.Take();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].code, 2611);
    EXPECT_EQ(reports[0].file, "cwindow");
    EXPECT_EQ(stranger->Close(), 1);
    vkok_app_process_pending_events();
}

TEST_F(WindowTest, SizingWhileSuspendedOnlyRecordsTheSize)
{
    auto* window = new ProbeWindow(itsDocument, itsTaskWindow, nullptr);
    window->SizeWindow(300, 150);
    EXPECT_EQ(window->GetFrame(), FRM_CRect(0, 0, 300, 150));
    window->SuspendSizing();
    window->SizeWindow(320, 160);
    window->SizeWindow(330, 170);
    EXPECT_EQ(window->GetFrame(), FRM_CRect(0, 0, 300, 150));
    window->ResumeSizing();
    EXPECT_EQ(window->GetFrame(), FRM_CRect(0, 0, 330, 170));
    window->SuspendSizing();
    window->ResumeSizing();    // nothing held: no sizing at all
    EXPECT_EQ(window->GetFrame(), FRM_CRect(0, 0, 330, 170));
    EXPECT_EQ(window->QueueSize(1, 1), 0);
    window->Close();
    vkok_app_process_pending_events();
}

TEST_F(WindowTest, ControlIdsCountUpThenReuseTheLowestFreeOne)
{
    auto* window = new ProbeWindow(itsDocument, itsTaskWindow, nullptr);
    EXPECT_EQ(window->GetNextCtlId(), 1);
    EXPECT_EQ(window->GetNextCtlId(), 2);
    short last = 0;
    for (int i = 3; i <= 32767; ++i)
        last = window->GetNextCtlId();
    EXPECT_EQ(last, 32767);
    EXPECT_EQ(window->GetNextCtlId(), 1);    // no control uses any id
    window->Close();
    vkok_app_process_pending_events();
}

TEST_F(WindowTest, CreationIconServesOneWindow)
{
    FRM_CWindow::SetCreationIcon(39100);
    auto* first = new ProbeWindow(itsDocument, itsTaskWindow, nullptr);
    EXPECT_EQ(FRM_CWindow::GetCreationIcon(), 0);
    EXPECT_EQ(vko_vobj_get_attr(nullptr, 10005), 0);
    first->Close();
    vkok_app_process_pending_events();
}

TEST_F(WindowTest, MenuBarFromTheProgramsResourceHasEachSubmenuOnce)
{
    auto* window = new ProbeWindow(itsDocument, itsTaskWindow, nullptr);
    auto* bar = new FRM_CMenuBar(window, 1);
    window->SetMenuBar(bar, 1);
    const RWOrdered& submenus = *bar->GetSubmenus();
    ASSERT_EQ(submenus.entries(), 3u);
    EXPECT_EQ(static_cast<FRM_CSubmenu*>(submenus[0])->GetTag(), 100);
    EXPECT_EQ(static_cast<FRM_CSubmenu*>(submenus[1])->GetTag(), 200);
    EXPECT_EQ(static_cast<FRM_CSubmenu*>(submenus[2])->GetTag(), 300);
    EXPECT_EQ(bar->GetTitle(32002), FRM_CStringRW("&Open..."));
    EXPECT_EQ(bar->IsChecked(202), 1);
    EXPECT_EQ(bar->IsEnabled(301), 0);
    EXPECT_EQ(bar->IsInMenu(111), 1);
    window->Close();
    vkok_app_process_pending_events();
}

// The toolkit menu record of a tag in a window's menu tree, or null.
const s_mitem* ToolkitItem(const s_mitem* items, short tag)
{
    for (const s_mitem* item = items; item != nullptr && !FRM_CMenu::IsEndRecord(*item); ++item) {
        if (item->tag == tag)
            return item;
        if (const s_mitem* deep = ToolkitItem(item->child, tag))
            return deep;
    }
    return nullptr;
}

TEST_F(WindowTest, OnlyTheWindowsCurrentBarChangesToolkitStates)
{
    auto* window = new ProbeWindow(itsDocument, itsTaskWindow, nullptr);
    auto* bar = new FRM_CMenuBar(window);
    FRM_CSubmenu edit("&Edit", 200, 0, FRM_CMenu::ENABLED);
    edit.Append(FRM_CMenuItem("&Copy", 201, 0, FRM_CMenu::ENABLED));
    bar->AppendSubmenu(edit);
    window->SetMenuBar(bar, 1);
    bar->DoUpdate();
    FRM_CMenuBar other(*bar);     // shares the lists, but is not the window's bar
    WINDOW handle = window->GetVKOWindow();
    struct Case {
        const char* why;
        FRM_CMenuBar* target;
        bool toolkitEnabled;
        const char* toolkitTitle;
    };
    const Case cases[] = {
        {"a bar that is not the window's own changes its entries only", &other, true, "Renamed"},
        {"the window's bar changes the toolkit's item too", bar, false, "Renamed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        c.target->SetEnabled(201, 0);
        c.target->SetTitle(201, "Renamed");   // titles always reach the toolkit window
        MENU_TREE tree = vko_menu_get_tree(handle);    // a copy, ours to free
        const s_mitem* item = ToolkitItem(tree, 201);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->enabled != 0, c.toolkitEnabled);
        EXPECT_STREQ(item->text, c.toolkitTitle);
        vko_res_free_menu_tree(tree);
        EXPECT_EQ(c.target->IsEnabled(201), 0);
        c.target->SetEnabled(201, 1);
        c.target->SetTitle(201, "&Copy");
    }
    EXPECT_EQ(bar->IsEnabled(201), 1);
    window->Close();
    vkok_app_process_pending_events();
}

} // namespace
