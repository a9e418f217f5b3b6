// Tests of the menu button in a real window with a menu bar: its title from the entry's,
// its enabled and pressed looks following the entry, a press sending the menu command
// through the window's event hook, also in a window without a menu bar, and an assigned
// button taking the other's entry without leaving its tool bar an entry under the old tag.
#include "frm/views/cmenubtn.h"

#include <vector>

#include <gtest/gtest.h>

#include "frm/runtime/cnav.h"
#include "frm/views/cmenubar.h"
#include "frm/views/csubmenu.h"
#include "frm/views/ctoolbar.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"

namespace {

// Records the menu commands that reach it.
class MenuWindow : public FRM_CWindow {
public:
    using FRM_CWindow::FRM_CWindow;
    void DoMenuCommand(short tag, short shift, short control) override
    {
        itsTags.push_back(tag);
        FRM_CWindow::DoMenuCommand(tag, shift, control);
    }
    std::vector<short> itsTags;
};

class MenuButtonTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = new MenuWindow(itsDocument, FRM_CRect(0, 0, 300, 200),
                                   FRM_CStringRW("menus"), 0, W_DOC, 0, itsTaskWindow);
        vkok_app_process_pending_events();
    }

    void AddMenuBar()
    {
        itsBar = new FRM_CMenuBar(itsWindow);
        FRM_CSubmenu file("&File", 100, 0, FRM_CMenu::ENABLED);
        file.Append(FRM_CMenuItem("Open\tCtrl+O", 101, 0, FRM_CMenu::ENABLED));
        file.Append(FRM_CMenuItem("\tTabbed", 102, 0, FRM_CMenu::ENABLED));
        file.Append(FRM_CMenuItem("", 103, 0, FRM_CMenu::ENABLED));
        file.Append(FRM_CMenuItem("Wrap", 104, 0, FRM_CMenu::ENABLED | FRM_CMenu::CHECKABLE));
        itsBar->AppendSubmenu(file);
        itsWindow->SetMenuBar(itsBar, 1);
        itsBar->DoUpdate();
    }

    // Enter presses and releases a button, as a click inside it does.
    static void Press(FRM_CMenuButton* button) { button->Key(FRM_CKey(13, 0, 0, 0, 0)); }

    MenuWindow* itsWindow = nullptr;
    FRM_CMenuBar* itsBar = nullptr;
};

TEST_F(MenuButtonTest, TheTitleComesFromTheMenuEntryWithoutItsKeyText)
{
    AddMenuBar();
    struct Case {
        short tag;
        const char* title;
    };
    const Case cases[] = {
        {101, "Open"},
        {102, "\tTabbed"},
        {103, "mine"},   // an empty entry title keeps the button's
    };
    for (const Case& c : cases) {
        FRM_CMenuButton button(itsWindow, FRM_CPoint(10, 10), c.tag, FRM_CStringRW("mine"));
        EXPECT_EQ(button.GetTitle(), FRM_CStringRW(c.title)) << c.tag;
    }
}

TEST_F(MenuButtonTest, EnabledAndPressedLooksFollowTheMenu)
{
    AddMenuBar();
    FRM_CMenuButton absent(itsWindow, FRM_CPoint(10, 10), 555, FRM_CStringRW("x"));
    EXPECT_EQ(absent.IsEnabled(), 1) << "a tag in no menu stays enabled";

    FRM_CMenuButton open(itsWindow, FRM_CPoint(10, 40), 101, FRM_CStringRW("x"));
    itsBar->SetEnabled(101, 0);
    open.SyncWithMenu();
    EXPECT_EQ(open.IsEnabled(), 0);
    open.Enable();
    EXPECT_EQ(open.IsEnabled(), 0) << "the disabled entry wins";
    itsBar->SetEnabled(101, 1);
    open.SyncWithMenu();
    EXPECT_EQ(open.IsEnabled(), 1);

    FRM_CMenuButton wrap(itsWindow, FRM_CPoint(10, 70), 104, FRM_CStringRW("x"));
    EXPECT_EQ(wrap.IsTogglable(), 1);
    wrap.SetTogglable(0);
    EXPECT_EQ(wrap.IsTogglable(), 1) << "togglability follows the entry";
    itsBar->SetChecked(104, 1);
    wrap.SyncWithMenu();
    EXPECT_EQ(wrap.GetToggleState(), FRM_CButton::kDown);
    itsBar->SetChecked(104, 0);
    Press(&wrap);
    EXPECT_EQ(wrap.GetToggleState(), FRM_CButton::kUp) << "the menu's state, not its own toggle";
}

TEST_F(MenuButtonTest, APressSendsTheMenuCommandWithOrWithoutAMenuBar)
{
    auto* bare = new FRM_CMenuButton(itsWindow, FRM_CPoint(10, 10), 777, FRM_CStringRW("Go"));
    EXPECT_EQ(bare->GetTitle(), FRM_CStringRW("Go"));
    Press(bare);
    AddMenuBar();
    auto* open = new FRM_CMenuButton(itsWindow, FRM_CPoint(10, 40), 101, FRM_CStringRW("x"));
    Press(open);
    EXPECT_EQ(itsWindow->itsTags, (std::vector<short>{777, 101}));
}

TEST_F(MenuButtonTest, AnAssignedButtonFollowsTheOtherEntryAndLeavesNoEntryBehind)
{
    AddMenuBar();
    struct Case {
        const char* why;
        bool sourceInTheBar;
    };
    const Case cases[] = {{"the source is in the same tool bar", true},
                          {"the source is in no tool bar", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* bar = new FRM_CToolBar(itsWindow, FRM_CRect(0, 0, 300, 40));
        auto* open = new FRM_CMenuButton(bar, 101, FRM_CStringRW("x"));
        FRM_CSubview* home = c.sourceInTheBar ? static_cast<FRM_CSubview*>(bar) : itsWindow;
        auto* wrap = new FRM_CMenuButton(home, 104, FRM_CStringRW("y"));
        *open = *wrap;
        EXPECT_EQ(open->GetMenuTag(), 104);
        EXPECT_EQ(open->GetTitle(), FRM_CStringRW("Wrap"));
        EXPECT_EQ(open->IsTogglable(), 1) << "togglability follows the new entry";
        // An entry left under 101 would name the button after it is gone.
        ASSERT_EQ(bar->GetMenuButton(101), nullptr);
        EXPECT_EQ(bar->GetMenuButton(104), c.sourceInTheBar ? wrap : open);
        delete open;
        EXPECT_EQ(bar->GetMenuButton(104), c.sourceInTheBar ? wrap : nullptr);
        itsBar->SetEnabled(104, 0);
        bar->UpdateMenuButtons();
        EXPECT_EQ(wrap->IsEnabled(), c.sourceInTheBar ? 0 : 1) << "only registered buttons follow";
        itsBar->SetEnabled(104, 1);
        delete wrap;
        delete bar;
    }
}

} // namespace
