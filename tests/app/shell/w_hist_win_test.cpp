// Tests of the history window: the names listed within the budget, and the position OK
// gives (1-based; 0 without a selection).
#include "app/shell/w_hist_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/shell/ref_doc.h"
#include "frm/controls/cnatlist.h"

#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

// The window a test's idle loop left open behind Run: the document's newest history window.
WHistWin* OpenHistoryWindow(RefDoc* document)
{
    const RWOrdered& windows = document->GetWindows();
    for (std::size_t i = windows.entries(); i-- > 0;)
        if (auto* window = dynamic_cast<WHistWin*>(static_cast<FRM_CWindow*>(windows[i])))
            return window;
    return nullptr;
}

// Fills the stack where Run's answer lived, so that a write through a stale pointer to it
// lands here.
long AnswerAfterAStaleConfirm(WHistWin* window)
{
    volatile long slots[64] = {};
    window->DoCommand(WHistWin::kCmdOk, nullptr);
    long sum = 0;
    for (long slot : slots)
        sum += slot;
    return sum;
}

TEST(ModalList, EndsBeforeTheNameThatReachesTheBudget)
{
    const std::vector<std::string> names(4000, std::string(10, 'w'));
    const std::vector<std::string> lines = FitListBudget(names);
    EXPECT_EQ(lines.size(), (kModalListBudget - 1) / 12);
    EXPECT_EQ(FitListBudget({"cat", "dog"}), (std::vector<std::string>{"cat", "dog"}));
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

TEST_F(WHistWinTest, AWindowLeftOpenAfterRunNoLongerAnswersIntoIt)
{
    // In tests the modal loop ends when the queue is idle, with the window still open; an OK
    // given afterwards must not write into the stack frame Run has left.
    Start();
    RefDoc* document = ReferenceDocuments().front();
    EXPECT_EQ(WHistWin::Run(document, {"cat", "dog"}), 0);
    WHistWin* window = OpenHistoryWindow(document);
    ASSERT_NE(window, nullptr);
    window->GetList()->SelectItem(1);
    EXPECT_EQ(AnswerAfterAStaleConfirm(window), 0);
    vkov_test_advance_clock(1);
    vkok_app_process_pending_events();
    EXPECT_EQ(OpenHistoryWindow(document), nullptr) << "OK still closes the window";
}

} // namespace
