// Tests of the search notebook in a running main window: the results lists on every page
// and the moves through both histories, and the commands by which the pages, the main
// window and the document reach the front page, all the faces and the histories.
#include "app/pages/search_notebook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/display/entry_painter.h"
#include "app/pages/kq_adv_win.h"
#include "app/pages/search_page_win.h"
#include "app/display/kq_list_box.h"
#include "app/shell/main_ref_win.h"
#include "resources/menu_tags.h"
#include "frm/views/cbutton.h"
#include "frm/views/cmenubar.h"
#include "frm/views/csubmenu.h"
#include "vkobase/dm.h"
#include "vkobase/surface_debug.h"

#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

class NotebookTest : public TavlinFixture {
protected:
    void SetUp() override
    {
        TavlinFixture::SetUp();
        Start();
        ASSERT_NE(MainWindow(), nullptr);
    }
    SearchNotebook* Notebook() const { return MainWindow()->GetNotebook(); }
    std::string CurrentWord() const
    {
        std::string word;
        SearchNotebook::CmdCurrentWord::Send(*Notebook(), word);
        return word;
    }
    static std::vector<std::string> Titles(const FRM_CSubmenu& submenu)
    {
        std::vector<std::string> titles;
        const RWOrdered* items = submenu.GetMenus();
        for (std::size_t i = 0; i < items->entries(); ++i) {
            const auto* item = static_cast<const FRM_CMenu*>((*items)[i]);
            titles.push_back(std::to_string(item->GetTag()) + " " + item->GetTitle().data());
        }
        return titles;
    }
};

TEST_F(NotebookTest, ResultsLists_FillEveryPageAndComeBackOnThePageThatSearched)
{
    FrontPage()->SearchFor("cat*");
    for (int page = 0; page < MainRefWin::kPageCount; ++page) {
        SCOPED_TRACE(page);
        KQListBox* list = MainWindow()->GetPage(page)->GetHitList();
        ASSERT_EQ(list->GetCount(), 3);
        EXPECT_EQ(list->GetItem(2), "caterpillar");
    }
    // A browse search, then back to the list the basic page found.
    MainWindow()->DoMenuCommand(21, 0, 0);
    FrontPage()->SearchFor("dog");
    ASSERT_EQ(FrontPage()->GetKind(), SearchPageWin::kBrowse);
    EXPECT_TRUE(MainWindow()->GetPage(0)->GetListButton(false)->IsEnabled())
        << "every page's buttons follow the history";
    MainWindow()->DoMenuCommand(16, 0, 0); // Previous List
    ASSERT_EQ(FrontPage()->GetKind(), SearchPageWin::kBasic);
    EXPECT_EQ(FrontPage()->GetTypedText(), "cat*");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"cat", "catalog", "caterpillar"}));
    EXPECT_TRUE(MainWindow()->GetPage(2)->GetListButton(true)->IsEnabled());
    MainWindow()->DoMenuCommand(17, 0, 0); // Next List
    EXPECT_EQ(FrontPage()->GetKind(), SearchPageWin::kBrowse);
    EXPECT_EQ(FrontPage()->GetTypedText(), "dog*");
}

TEST_F(NotebookTest, ResultsLists_AreDrawnOnThePageTurnedToWithTheLineShownSelected)
{
    // Found on the basic page, the list is drawn on each page the user turns to, its first
    // line selected (drawn inverted), with its count; a later line chosen is the one
    // selected there.
    struct Case {
        const char* what;
        short pageItem;
        int page;
        int chosen;
    };
    const Case cases[] = {
        {"the browse page", menutag::kBrowseSearches, 2, 0},
        {"the advanced page, after a line chosen on the basic page", menutag::kAdvancedSearches, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MainWindow()->DoMenuCommand(menutag::kBasicSearches, 0, 0);
        const WINDOW list = reinterpret_cast<WINDOW>(Notebook()->GetPage(c.page)->GetHitList()->GetVKOTextEdit());
        FrontPage()->SearchFor("cat*");
        if (c.chosen != 0) {
            FrontPage()->GetHitList()->SelectItem(c.chosen);
            FrontPage()->DoCommand(SearchPageWin::kCmdLineChosen, nullptr);
        }
        vkok_app_process_pending_events();
        vkov_debug_draw_log_clear(list);
        MainWindow()->DoMenuCommand(c.pageItem, 0, 0);
        vkok_app_process_pending_events();
        const std::vector<std::string> drawn = DrawnTexts(list);
        for (const char* line : {"\"cat\"", "\"catalog\"", "\"caterpillar\""})
            EXPECT_NE(std::find(drawn.begin(), drawn.end(), line), drawn.end()) << line;
        EXPECT_EQ((vkov_debug_surface_pixel(list, 6, 5) & 0xFFFFFF) != 0xFFFFFFu, c.chosen == 0)
            << "the first line is drawn selected only when it is the one shown";
        EXPECT_EQ(Notebook()->GetPage(c.page)->GetHitList()->GetSelectedIndex(), c.chosen);
        EXPECT_EQ(MainWindow()->GetCountText(), "3 Entries Found");
    }
}

// A search lists its hits on the page in front alone: the other pages' list controls hold
// nothing until they are turned to, so that a long search does not fill three lists at
// once; each one turned to then holds the same lines.
TEST_F(NotebookTest, ResultsLists_AreFilledOnlyOnThePageInFrontUntilTurnedTo)
{
    // The list controls themselves: reading a page's hit list through the page lists its
    // kept lines first, as the user would see them.
    KQListBox* lists[MainRefWin::kPageCount] = {};
    for (int page = 0; page < MainRefWin::kPageCount; ++page)
        lists[page] = MainWindow()->GetPage(page)->GetHitList();
    FrontPage()->SearchFor("c*");
    ASSERT_EQ(FrontPage()->GetKind(), SearchPageWin::kBasic);
    const std::vector<std::string> found = Lines();
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(lists[1]->GetCount(), 0) << "the advanced page";
    EXPECT_EQ(lists[2]->GetCount(), 0) << "the browse page";
    const struct {
        const char* what;
        short pageItem;
        int page;
        int stillEmpty;  // the page not turned to yet
    } turns[] = {
        {"the browse page", menutag::kBrowseSearches, 2, 1},
        {"the advanced page", menutag::kAdvancedSearches, 1, -1},
    };
    for (const auto& turn : turns) {
        SCOPED_TRACE(turn.what);
        MainWindow()->DoMenuCommand(turn.pageItem, 0, 0);
        ASSERT_EQ(lists[turn.page]->GetCount(), 5);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(lists[turn.page]->GetItem(i), found[static_cast<std::size_t>(i)]);
        if (turn.stillEmpty >= 0) {
            EXPECT_EQ(lists[turn.stillEmpty]->GetCount(), 0);
        }
    }
}

TEST_F(NotebookTest, Histories_GoBackAndForwardThroughListsAndEntries)
{
    FrontPage()->SearchFor("cat*");
    PressListKey(VKO_KEY_DOWN, true); // catalog
    FrontPage()->SearchFor("dog");
    FRM_CMenuBar* bar = MainWindow()->GetMenuBar();
    EXPECT_EQ(bar->IsEnabled(16), 1) << "Previous List";
    EXPECT_EQ(bar->IsEnabled(17), 0) << "Next List";
    EXPECT_EQ(bar->IsEnabled(18), 1) << "History";

    // Entries: dog <- catalog <- cat.
    MainWindow()->DoMenuCommand(14, 0, 0);
    EXPECT_NE(Drawn().find("list of things"), std::string::npos);
    MainWindow()->DoMenuCommand(14, 0, 0);
    EXPECT_NE(Drawn().find("domestic animal not"), std::string::npos);
    EXPECT_FALSE(MainWindow()->GetNotebook()->ShowOtherEntry(-1)) << "the first entry";
    EXPECT_FALSE(MainWindow()->GetNotebook()->ShowEntryAt(0));
    EXPECT_FALSE(MainWindow()->GetNotebook()->ShowEntryAt(4));
    EXPECT_TRUE(MainWindow()->GetNotebook()->ShowEntryAt(3)); // dog
    EXPECT_NE(Drawn().find("barks"), std::string::npos);
    EXPECT_TRUE(MainWindow()->GetNotebook()->ShowEntryAt(1));
    MainWindow()->DoMenuCommand(15, 0, 0);
    EXPECT_NE(Drawn().find("list of things"), std::string::npos);

    // Lists: back to the cat* list, and forward again.
    MainWindow()->DoMenuCommand(16, 0, 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"cat", "catalog", "caterpillar"}));
    EXPECT_EQ(FrontPage()->GetTypedText(), "cat*");
    EXPECT_EQ(bar->IsEnabled(17), 1);
    MainWindow()->DoMenuCommand(17, 0, 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"dog"}));
    EXPECT_FALSE(MainWindow()->GetNotebook()->ShowOtherResults(1)) << "the last list";
}

TEST_F(NotebookTest, Commands_ReachTheFrontPageEveryFaceTheHistoriesAndTheWindow)
{
    std::string word;
    FRM_CStringRW frameworkWord("");
    std::int32_t number = 0;
    std::int16_t small = -1;
    FRM_CSubmenu backward(FRM_CStringRW("Backward"), menutag::kBackward, 0, FRM_CMenu::ENABLED);
    FRM_CSubmenu forward(FRM_CStringRW("Forward"), menutag::kForward, 0, FRM_CMenu::ENABLED);
    SearchNotebook::HistoryMenus menus{&backward, &forward};
    SearchPageWin::SearchChoice advancedDefining{1, 1};
    FRM_CMenuBar* bar = MainWindow()->GetMenuBar();
    struct Case {
        const char* what;
        std::function<void()> before;
        std::function<void()> send;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"nothing viewed: no entries", [] {}, [&] { SearchNotebook::CmdHasEntries::Send(*Notebook(), small); },
         [&] { EXPECT_EQ(small, 0); }},
        {"nothing viewed: no current word", [&] { word = "kept"; }, [&] { SearchNotebook::CmdCurrentWord::Send(*Notebook(), word); },
         [&] { EXPECT_EQ(word, "kept"); }},
        {"a word searched on the front page", [&] { word = "cat*"; }, [&] { SearchPageWin::CmdSearchFor::Send(*Notebook(), word); },
         [&] {
             EXPECT_EQ(FrontPage()->GetTypedText(), "cat*");
             for (int page = 0; page < SearchNotebook::kPageCount; ++page)
                 EXPECT_EQ(HitLines(Notebook()->GetPage(page)),
                           (std::vector<std::string>{"cat", "catalog", "caterpillar"})) << page;
             EXPECT_EQ(MainWindow()->GetCountText(), "3 Entries Found");
             EXPECT_EQ(CurrentWord(), "cat");
         }},
        {"a line chosen", [&] { number = 2; }, [&] { SearchNotebook::CmdHitChosen::Send(*Notebook(), number); },
         [&] {
             EXPECT_EQ(CurrentWord(), "caterpillar");
             EXPECT_NE(Drawn().find("larva"), std::string::npos) << Drawn();
         }},
        {"a word looked up", [&] { word = "dog"; }, [&] { SearchNotebook::CmdLookUp::Send(*Notebook(), word); },
         [&] { EXPECT_EQ(Lines(), (std::vector<std::string>{"dog"})); }},
        {"entries viewed", [] {}, [&] { SearchNotebook::CmdHasEntries::Send(*Notebook(), small); }, [&] { EXPECT_EQ(small, 1); }},
        {"the current word as a framework string", [] {}, [&] { SearchNotebook::CmdCurrentWordString::Send(*Notebook(), frameworkWord); },
         [&] { EXPECT_STREQ(frameworkWord.data(), "dog"); }},
        {"the entry position", [] {}, [&] { SearchNotebook::CmdEntryPosition::Send(*Notebook(), number); },
         [&] { EXPECT_EQ(number, 3); }},
        {"the results-list position", [] {}, [&] { SearchNotebook::CmdResultsPosition::Send(*Notebook(), number); },
         [&] { EXPECT_EQ(number, 2); }},
        {"the history menus, from the current entry", [] {}, [&] { SearchNotebook::CmdHistoryMenus::Send(*Notebook(), menus); },
         [&] {
             EXPECT_EQ(Titles(backward), (std::vector<std::string>{"50 dog", "51 caterpillar", "52 cat"}));
             EXPECT_EQ(Titles(forward), (std::vector<std::string>{"39 dog"}));
         }},
        {"two entries back", [&] { number = -2; }, [&] { SearchNotebook::CmdMoveEntries::Send(*Notebook(), number); },
         [&] {
             EXPECT_EQ(CurrentWord(), "cat");
             EXPECT_EQ(bar->IsEnabled(menutag::kPreviousEntry), 0);
             EXPECT_EQ(bar->IsEnabled(menutag::kNextEntry), 1);
         }},
        {"an offset past the first entry moves nowhere", [&] { number = -1; }, [&] { SearchNotebook::CmdMoveEntries::Send(*Notebook(), number); }, [&] { EXPECT_EQ(CurrentWord(), "cat"); }},
        {"an entry by its position", [&] { number = 3; }, [&] { SearchNotebook::CmdShowEntryAt::Send(*Notebook(), number); },
         [&] {
             EXPECT_EQ(CurrentWord(), "dog");
             EXPECT_NE(Drawn().find("barks"), std::string::npos) << Drawn();
         }},
        {"the front page's list emptied", [] {}, [&] { Notebook()->DoCommand(SearchNotebook::kCmdEmptyHitList, nullptr); },
         [&] {
             EXPECT_TRUE(Lines().empty());
             EXPECT_EQ(HitLines(Notebook()->GetPage(2)), (std::vector<std::string>{"dog"})) << "only the front page's";
         }},
        {"the current list shown again", [] {}, [&] { Notebook()->DoCommand(SearchNotebook::kCmdShowCurrentResults, nullptr); },
         [&] { EXPECT_EQ(Lines(), (std::vector<std::string>{"dog"})); }},
        {"a search chosen on another page", [] {}, [&] { SearchPageWin::CmdChooseSearch::Send(*Notebook(), advancedDefining); },
         [&] {
             SearchNotebook::CmdFrontPageNumber::Send(*Notebook(), small);
             EXPECT_EQ(small, 1);
             EXPECT_EQ(bar->IsChecked(menutag::kAdvancedSearches), 1);
             EXPECT_EQ(Notebook()->GetPage(1)->GetSearchTypePosition(), 1);
         }},
        {"another dictionary: the choosers' search types, the lists kept", [] {}, [&] { Notebook()->DoCommand(SearchNotebook::kCmdReferenceChanged, nullptr); },
         [&] {
             EXPECT_EQ(Notebook()->GetPage(1)->GetSearchTypePosition(), 1) << "the choice kept";
             for (int page = 0; page < SearchNotebook::kPageCount; ++page)
                 EXPECT_FALSE(HitLines(Notebook()->GetPage(page)).empty()) << page;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.before();
        c.send();
        c.check();
    }
}

TEST_F(NotebookTest, AStringToSearchGoesToTheFrontPageWhicheverItIs)
{
    // Command 87 with a string: the front page's field takes it and the page searches it
    // its own way; it never rises to the document, whose command 87 takes a request.
    struct Case {
        short pageItem;
        const char* text;
        std::vector<std::string> lines;
        const char* field;
    };
    const Case cases[] = {
        {menutag::kBasicSearches, "dog", {"dog"}, "dog"},
        {menutag::kBrowseSearches, "cat", {"cat", "catalog", "caterpillar"}, "cat"},
        {menutag::kAdvancedSearches, "collar", {"collar"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        MainWindow()->DoMenuCommand(c.pageItem, 0, 0);
        std::string text = c.text;
        SearchPageWin::CmdSearchString::Send(*Notebook(), text);
        EXPECT_EQ(Lines(), c.lines);
        EXPECT_EQ(FrontPage()->GetTypedText(), c.field);
    }
}

TEST_F(NotebookTest, AWordLookedUpGoesToThePageInFront)
{
    // "Find in", a new window's first word and a word looked up from the entry come as
    // command 78: the page in front searches the word its own way and shows its list and
    // entry; the Basic page behind it is left alone.
    struct Case {
        short pageItem;
        const char* word;
        const char* field;
        std::vector<std::string> tokens;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {menutag::kBrowseSearches, "cat", "cat", {}, {"cat", "catalog", "caterpillar"}},
        {menutag::kAdvancedSearches, "dog", "", {"Entry word is...=dog"}, {"dog"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        MainWindow()->DoMenuCommand(c.pageItem, 0, 0);
        SearchPageWin* front = FrontPage();
        const std::string word = c.word;
        SearchNotebook::CmdLookUp::Send(*Notebook(), word);
        EXPECT_EQ(FrontPage(), front) << "the page stays in front";
        EXPECT_EQ(front->GetTypedText(), c.field);
        if (const auto* advanced = dynamic_cast<const KQAdvWin*>(front)) {
            EXPECT_EQ(advanced->GetTokens(), c.tokens);
        }
        EXPECT_EQ(HitLines(front), c.lines);
        EXPECT_EQ(CurrentWord(), c.lines.front());
        EXPECT_NE(Drawn().find(c.lines.front()), std::string::npos) << Drawn();
        EXPECT_EQ(Notebook()->GetPage(0)->GetTypedText(), "") << "the Basic page searched nothing";
    }
}

TEST_F(NotebookTest, TakingOverCopiesTheOtherWindowsHistoriesAndShowsWhereItWas)
{
    for (const char* word : {"cat*", "dog"})
        FrontPage()->SearchFor(word);
    MainWindow()->DoMenuCommand(menutag::kPreviousEntry, 0, 0); // cat
    MainRefWin* old = MainWindow();
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    MainRefWin* fresh = ReferenceDocuments().back()->GetMainWindow();
    ASSERT_NE(fresh, old);
    SearchNotebook::CmdTakeOver::Send(*fresh->GetNotebook(), *old->GetNotebook());
    std::string word;
    SearchNotebook::CmdCurrentWord::Send(*fresh->GetNotebook(), word);
    EXPECT_EQ(word, "cat");
    EXPECT_EQ(fresh->GetNotebook()->HistoryItems(true), (std::vector<std::string>{"cat", "dog"}));
    EXPECT_EQ(HitLines(fresh->GetNotebook()->GetPage(0)), (std::vector<std::string>{"dog"}));
    EXPECT_EQ(fresh->GetCountText(), "1 Entries Found");
    // Taking over itself changes nothing.
    SearchNotebook::CmdTakeOver::Send(*fresh->GetNotebook(), *fresh->GetNotebook());
    EXPECT_EQ(fresh->GetNotebook()->GetHistories().entries.Count(), 2u);
}

} // namespace
