// Tests of the tool bar in a real window: rows and groups against the bar's width, the bar
// pinned to each edge, separator bits that move with their views, the menu-button registry
// (a button that changes its tag or goes leaves no entry behind), and a window of a tool bar,
// a splitter with two scrolling lists, a status bar and shapes as a PNG.
#include "frm/views/ctoolbar.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/runtime/cglblcls.h"
#include "frm/views/clistbox.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cmenubtn.h"
#include "frm/views/cpolygon.h"
#include "frm/views/crectshp.h"
#include "frm/views/csplitter.h"
#include "frm/views/cstatbar.h"
#include "frm/views/csubmenu.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "vkobase/surface_debug.h"

namespace {

// A tool bar whose MoveView tests can call.
class MovableBar : public FRM_CToolBar {
public:
    using FRM_CToolBar::FRM_CToolBar;
    using FRM_CToolBar::MoveView;
};

class ToolBarTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("tools", 400, 300);
    }

    FRM_CView* Box(FRM_CSubview* enclosure, float width, float height = 20)
    {
        return new FRM_CView(enclosure, FRM_CRect(0, 0, width, height), FRM_CStringRW("b"));
    }

    FRM_CWindow* itsWindow = nullptr;
};

TEST_F(ToolBarTest, GroupsWrapWholeAndTooWideViewsTakeALineOfTheirOwn)
{
    // Border 2: views start at 3, 3; separators are 5 wide and 5 high.
    auto* bar = new FRM_CToolBar(itsWindow, FRM_CRect(0, 0, 100, 80));
    FRM_CView* a = Box(bar, 30);
    FRM_CView* b = Box(bar, 30);
    bar->AppendSeparator();
    FRM_CView* c = Box(bar, 30);
    FRM_CView* d = Box(bar, 30);
    bar->ArrangeSubviews();
    EXPECT_EQ(a->GetFrame(), FRM_CRect(3, 3, 33, 23));
    EXPECT_EQ(b->GetFrame(), FRM_CRect(33, 3, 63, 23));
    EXPECT_EQ(c->GetFrame(), FRM_CRect(3, 28, 33, 48)) << "the group wraps as a whole";
    EXPECT_EQ(d->GetFrame(), FRM_CRect(33, 28, 63, 48));

    auto* narrow = new FRM_CToolBar(itsWindow, FRM_CRect(0, 100, 50, 200));
    FRM_CView* wide = Box(narrow, 80);
    FRM_CView* next = Box(narrow, 20);
    narrow->ArrangeSubviews();
    EXPECT_EQ(wide->GetFrame().Left(), 3);
    EXPECT_EQ(next->GetFrame(), FRM_CRect(3, 23, 23, 43)) << "on a line of its own";
}

TEST_F(ToolBarTest, APinnedBarSticksToItsEdge)
{
    struct Case {
        FRM_CToolBar::AutosizeLocation where;
        FRM_CRect frame;
    };
    // The thickness is the largest view (30 x 20) plus 2 x 2 + 2.
    const Case cases[] = {
        {FRM_CToolBar::AL_TOP, {0, 0, 400, 26}},
        {FRM_CToolBar::AL_BOTTOM, {0, 274, 400, 300}},
        {FRM_CToolBar::AL_LEFT, {0, 0, 36, 300}},
        {FRM_CToolBar::AL_RIGHT, {364, 0, 400, 300}},
    };
    for (const Case& c : cases) {
        auto* bar = new FRM_CToolBar(itsWindow, FRM_CRect(0, 0, 50, 50));
        for (int i = 0; i < 20; ++i)
            Box(bar, 30);
        bar->SetAutoSized(1, c.where);
        EXPECT_EQ(bar->GetFrame(), c.frame) << c.where;
        EXPECT_EQ(bar->IsSizable(), 0);
        if (c.where == FRM_CToolBar::AL_TOP) {
            bar->ArrangeSubviews();
            const auto* last = static_cast<const FRM_CView*>((*bar->GetSubviews())[19]);
            EXPECT_EQ(last->GetFrame().Top(), 3) << "a bar along the top never wraps";
        }
        delete bar;
    }
}

TEST_F(ToolBarTest, SeparatorBitsMoveWithTheirViews)
{
    auto* bar = new MovableBar(itsWindow, FRM_CRect(0, 0, 300, 40));
    for (int i = 0; i < 5; ++i)
        Box(bar, 10);
    bar->InsertSeparator(1);
    bar->InsertSeparator(3);
    bar->MoveView(4, 1);   // towards the front: bits 1..4 rotate right
    EXPECT_EQ(bar->GetSeparators(), (std::vector<bool>{false, false, true, false, true}));
    bar->MoveView(1, 4);   // and back
    EXPECT_EQ(bar->GetSeparators(), (std::vector<bool>{false, true, false, true, false}));
    bar->RemoveSeparator(40);
    bar->InsertSeparator(7);
    EXPECT_EQ(bar->GetSeparators().size(), 8U);
}

TEST_F(ToolBarTest, MenuButtonsAreRegisteredOnceAndLeaveNoEntryBehind)
{
    auto* menuBar = new FRM_CMenuBar(itsWindow);
    FRM_CSubmenu file("&File", 100, 0, FRM_CMenu::ENABLED);
    file.Append(FRM_CMenuItem("Open", 101, 0, FRM_CMenu::ENABLED));
    file.Append(FRM_CMenuItem("Save", 102, 0, FRM_CMenu::ENABLED));
    menuBar->AppendSubmenu(file);
    itsWindow->SetMenuBar(menuBar, 1);

    auto* bar = new FRM_CToolBar(itsWindow, FRM_CRect(0, 0, 300, 40));
    auto* first = new FRM_CMenuButton(bar, 101, FRM_CStringRW("x"));
    auto* second = new FRM_CMenuButton(bar, 101, FRM_CStringRW("y"));
    EXPECT_EQ(bar->GetMenuButton(101), first) << "the first keeps the tag";
    delete second;
    EXPECT_EQ(bar->GetMenuButton(101), first);

    first->SetMenuTag(102);
    EXPECT_EQ(bar->GetMenuButton(101), nullptr) << "the old tag's entry is gone";
    EXPECT_EQ(bar->GetMenuButton(102), first);
    menuBar->SetEnabled(102, 0);
    bar->UpdateMenuButtons();
    EXPECT_EQ(first->IsEnabled(), 0);
    delete first;
    EXPECT_EQ(bar->GetMenuButton(102), nullptr);
    bar->UpdateMenuButtons();   // no button left to reach
}

TEST_F(ToolBarTest, AWindowWithAToolBarListsAStatusBarAndShapes)
{
    auto* tools = new FRM_CToolBar(itsWindow, FRM_CToolBar::AL_TOP);
    for (const char* title : {"Open", "Find", "Print"})
        new FRM_CButton(tools, FRM_CPoint(0, 0), FRM_CStringRW(title), 0);
    tools->AppendSeparator();
    new FRM_CButton(tools, FRM_CPoint(0, 0), FRM_CStringRW("Help"), 0);
    tools->DoSize(tools->GetFrame());   // as the window's sizing does: across the top
    EXPECT_EQ(tools->GetFrame().Width(), 400);
    const float top = tools->GetFrame().Bottom() + 4;

    std::string words;
    for (int i = 0; i < 300; ++i)
        words += "headword " + std::to_string(i) + ",";
    const FRM_CStringCollection items{FRM_CStringRW(words.c_str())};
    // Two scrolling lists in the panes of a splitter.
    auto* split = new FRM_CHorizontalFixedSplitter(itsWindow, FRM_CRect(4, top, 300, 200), 2, 0, 0);
    split->IFixedSplitter();
    for (int i = 0; i < 2; ++i) {
        auto* list = new FRM_CListBox(split, split->GetPaneCreationSize(i));
        list->IListBox(&items, 0, 1, 0, kNoCommand, kNoCommand, 1, 0);
        list->SelectLine(40 * (1 - i), 1);
        split->IFixedPane(i + 1, list, FRM_CRect(), FRM_CRect());
    }

    auto* rectangle = new FRM_CRectangle(itsWindow, FRM_CRect(310, top, 390, top + 40));
    rectangle->IRectangle(1, 6, 6, 1, 0);
    auto* pentagon = new FRM_CRegularPoly(itsWindow, FRM_CPoint(350, top + 90), 30, 5, -90);
    pentagon->IRegularPoly(5, 0, 1, 0);

    auto* status = new FRM_CStatusBar(itsWindow);
    status->AppendField(1, FRM_CStringRW("Ready"), -1);
    status->AppendField(2, FRM_CStringRW("300 headwords"), 0);
    vkok_app_process_pending_events();
    itsWindow->DoDraw(FRM_CObjectRWC::GetG()->GetMAXRect());
    WINDOW handle = itsWindow->GetVKOWindow();
    EXPECT_EQ(vkov_debug_surface_pixel(handle, 200, 0) & 0xFFFFFF, 0xFFFFFFU) << "raised top edge";
    EXPECT_EQ(vkov_debug_surface_pixel(handle, 395, static_cast<int>(top) / 2) & 0xFFFFFF,
              0xC0C0C0U) << "the panel's face";

    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) +
                             "frm_views_toolbar_window.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
}

} // namespace
