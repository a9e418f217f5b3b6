// Tests of the spelling-help window: coded queries, the list of sound-alike words with its
// budget and selection, Return looking the field up again, and what confirming gives.
#include "app/shell/sp_help_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/runtime/cnav.h"
#include "vkocoll/collstr.h"

#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

TEST(SpHelpSplit, OnlyAKnownSearchTypeMakesACodedQuery)
{
    const std::vector<std::string> names = {"va", "df", "hw"};
    struct Case {
        const char* query;
        const char* code;
        const char* word;
    };
    const Case cases[] = {
        {"hw=colour", "hw", "colour"},
        {"colour", "", "colour"},
        {"a=", "", "a="},            // not a search type: the text is the word
        {"=", "", "="},
        {"df=", "df", ""},
        {"xyz=colour", "", "xyz=colour"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        const SpHelpWin::CodedWord split = SpHelpWin::SplitQuery(c.query, names);
        EXPECT_EQ(split.code, c.code);
        EXPECT_EQ(split.word, c.word);
    }
}

TEST(SpHelpList, StopsAtTheBudgetAndSelectsOnlyALineItAdded)
{
    RWOrdered words;
    for (int i = 0; i < 4000; ++i)
        words.insert(new RWCollectableString(("word" + std::to_string(i)).c_str()));
    int selected = 0;
    const std::vector<std::string> lines = SpHelpWin::ListLines(words, "word3999", &selected);
    std::size_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 2;
    EXPECT_LT(total, kModalListBudget);
    EXPECT_LT(lines.size(), 4000u);
    EXPECT_EQ(selected, -1) << "the equal word lies beyond the budget";
    SpHelpWin::ListLines(words, "word7", &selected);
    EXPECT_EQ(selected, 7);
    words.clearAndDestroy();
}

class SpHelpWinTest : public TavlinFixture {};

TEST_F(SpHelpWinTest, ListsSoundAlikesAndConfirmsThePickedWord)
{
    Start();
    RefDoc* document = ReferenceDocuments().front();
    auto* window = SpHelpWin::Make(document, "colour", {"va", "df"});
    FRM_NListBox* list = window->GetList();
    std::vector<std::string> lines;
    for (int i = 0; i < list->GetNumItems(); ++i)
        lines.push_back(list->GetItem(i, 100).data());
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "colour"), lines.end());
    EXPECT_EQ(window->Confirmed(), list->GetFirstSelectedItem(100).data());

    // Return in the window looks the field's text up again.
    window->GetField()->SetTitle(FRM_CStringRW("zzzzqqq"));
    window->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
    EXPECT_EQ(list->GetNumItems(), 0);
    EXPECT_EQ(window->Confirmed(), "") << "nothing picked";
    window->Close();
    vkok_app_process_pending_events();
}

TEST_F(SpHelpWinTest, EscapeFromTheFieldOrTheListCancels)
{
    Start();
    RefDoc* document = ReferenceDocuments().front();
    for (const bool inList : {false, true}) {
        SCOPED_TRACE(inList ? "list" : "field");
        auto* window = SpHelpWin::Make(document, "colour", {"va", "df"});
        FRM_CView::DeletionWatch watch(window);
        const WINDOW control = inList ? window->GetList()->GetVKOWindow() : window->GetField()->GetVKOWindow();
        vkok_scr_set_focus_vobj(control);
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = 27;
        vkov_test_post_event(control, &event);
        vkok_app_process_pending_events();
        for (int i = 0; i < 20 && !watch.IsGone(); ++i) {
            vkov_test_advance_clock(10);
            vkok_app_process_pending_events();
        }
        EXPECT_TRUE(watch.IsGone()) << "the window closed";
    }
}

TEST_F(SpHelpWinTest, ReturnPressesTheButtonWithTheKeysAndOnTheListConfirms)
{
    // Return where the keys are: on OK or on the list it takes the word picked and closes
    // the window; in the field it looks the field's text up again and the window stays.
    Start();
    RefDoc* document = ReferenceDocuments().front();
    struct Case {
        const char* where;
        long buttonCommand; // the button with the keys, 0 for the field or the list
        bool onList;
        bool closes;
    };
    const Case cases[] = {
        {"OK", SpHelpWin::kCmdConfirm, false, true},
        {"the list", 0, true, true},
        {"the field", 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        auto* window = SpHelpWin::Make(document, "colour", {"va", "df"});
        FRM_CView::DeletionWatch watch(window);
        WINDOW control = c.onList ? window->GetList()->GetVKOWindow() : window->GetField()->GetVKOWindow();
        const RWOrdered* children = window->GetSubviews();
        for (std::size_t i = 0; c.buttonCommand != 0 && i < children->entries(); ++i)
            if (auto* button = dynamic_cast<FRM_NButton*>(static_cast<FRM_CView*>((*children)[i]));
                button != nullptr && button->GetCommand() == c.buttonCommand)
                control = button->GetVKOWindow();
        vkok_scr_set_focus_vobj(control);
        window->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
        vkok_app_process_pending_events();
        for (int i = 0; i < 20 && !watch.IsGone(); ++i) {
            vkov_test_advance_clock(10);
            vkok_app_process_pending_events();
        }
        EXPECT_EQ(watch.IsGone(), c.closes);
        if (!watch.IsGone()) {
            EXPECT_GT(window->GetList()->GetNumItems(), 0) << "the list looked up again";
            window->Close();
            vkok_app_process_pending_events();
        }
    }
}

TEST_F(SpHelpWinTest, ACodedQueryConfirmsTheCodeWithThePickedWord)
{
    Start();
    RefDoc* document = ReferenceDocuments().front();
    auto* window = SpHelpWin::Make(document, "df=colour", {"va", "df"});
    EXPECT_STREQ(window->GetField()->GetTitle().data(), "colour");
    ASSERT_GT(window->GetList()->GetNumItems(), 0);
    const std::string picked = window->GetList()->GetFirstSelectedItem(100).data();
    EXPECT_EQ(window->Confirmed(), "df=" + picked);
    window->Close();
    vkok_app_process_pending_events();
}

} // namespace
