// Tests of the history window: the names listed within the budget, and the position OK
// gives (1-based; 0 without a selection).
#include "app/shell/w_hist_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frm/controls/cnatlist.h"

#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

TEST(WHistList, EndsBeforeTheNameThatReachesTheBudget)
{
    const std::vector<std::string> names(4000, std::string(10, 'w'));
    const std::vector<std::string> lines = WHistWin::ListLines(names);
    EXPECT_EQ(lines.size(), (WHistWin::kListBudget - 1) / 12);
    EXPECT_EQ(WHistWin::ListLines({"cat", "dog"}), (std::vector<std::string>{"cat", "dog"}));
}

class WHistWinTest : public TavlinFixture {};

TEST_F(WHistWinTest, OkGivesThePickedPositionFromOne)
{
    Start();
    auto* window = WHistWin::Make(ReferenceDocuments().front(), {"cat", "dog", "catalog"});
    EXPECT_EQ(window->GetList()->GetNumItems(), 3);
    EXPECT_EQ(window->Confirmed(), 0) << "nothing is selected at first";
    window->GetList()->SelectItem(0);
    EXPECT_EQ(window->Confirmed(), 1);
    window->GetList()->DeselectAll();
    window->GetList()->SelectItem(2);
    EXPECT_EQ(window->Confirmed(), 3);
    window->Close();
    vkok_app_process_pending_events();
}

} // namespace
