// Tests of the table window without a table to show (the demo run shows real ones): the
// print items it enables and disables, the two-pixel rule along its top, File > Close
// closing only it, and the commands it drops.
#include "app/shell/table_win.h"

#include <gtest/gtest.h>

#include "app/shell/kq_factory.h"
#include "app/shell/menu_tags.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cscrollr.h"
#include "vkobase/surface_debug.h"

#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

class TableWinTest : public TavlinFixture {
protected:
    TableWin* Open()
    {
        Start();
        RefDoc* document = ReferenceDocuments().front();
        const int before = document->GetNumWindows();
        document->DoCommand(RefDoc::kCmdShowTable, nullptr);
        EXPECT_EQ(document->GetNumWindows(), before + 1);
        auto* window = dynamic_cast<TableWin*>(
            static_cast<FRM_CWindow*>(document->GetWindows()[document->GetNumWindows() - 1]));
        EXPECT_NE(window, nullptr);
        return window;
    }
};

TEST_F(TableWinTest, ShowsItselfWithPrintTableTheOnlyPrintItem)
{
    TableWin* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsVisible());
    EXPECT_NE(window->GetScroller(), nullptr);
    EXPECT_NE(window->GetTable(), nullptr);
    EXPECT_EQ(window->GetPicture(), nullptr) << "the entry shown has no table";
    FRM_CMenuBar* bar = window->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintTable), 1);
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintEntry), 0);
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintResults), 0);
}

TEST_F(TableWinTest, DrawsATwoPixelRuleAlongItsTop)
{
    TableWin* window = Open();
    ASSERT_NE(window, nullptr);
    vkok_dwin_invalidate_rect(window->GetVKOWindow(), nullptr);
    vkok_app_process_pending_events();
    for (int x : {5, 200, 400}) {
        EXPECT_EQ(vkov_debug_surface_pixel(window->GetVKOWindow(), x, 0) & 0xFFFFFF, 0x404040u) << x;
        EXPECT_EQ(vkov_debug_surface_pixel(window->GetVKOWindow(), x, 1) & 0xFFFFFF, 0xFFFFFFu) << x;
    }
}

TEST_F(TableWinTest, CloseClosesOnlyItAndNullCommandsStop)
{
    TableWin* window = Open();
    ASSERT_NE(window, nullptr);
    RefDoc* document = ReferenceDocuments().front();
    const int notes = vkov_dm_test_count();
    window->DoCommand(20002, nullptr);
    window->DoCommand(20003, nullptr);
    window->DoMenuCommand(20003, 0, 0);
    EXPECT_EQ(vkov_dm_test_count(), notes);
    const int windows = document->GetNumWindows();
    window->DoMenuCommand(32003, 0, 0);
    EXPECT_EQ(document->GetNumWindows(), windows - 1);
    EXPECT_NE(MainWindow(), nullptr);
}

} // namespace
