// Tests of the main reference window, headless against the real framework: its minimum
// size, the reference selector, the history pop-ups and their moves, copying and pasting,
// the status line, and closing with the document's other windows.
#include "app/shell/main_ref_win.h"
#include "app/pages/search_notebook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/display/entry_painter.h"
#include "app/display/scroll_view_win.h"
#include "frm/views/nscrllbr.h"
#include "app/settings/config_dict.h"
#include "app/shell/kq_factory.h"
#include "app/display/kq_list_box.h"
#include "resources/menu_tags.h"
#include "frm/core/cunits.h"
#include "frm/views/cbutton.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nnotebk.h"
#include "frm/controls/cfacewin.h"
#include "frm/views/cmenubar.h"
#include "vkobase/dm.h"
#include "vkobase/menu.h"
#include "vkobase/surface_debug.h"

#include "tests/support/command_output.h"

#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

class MainWindowTest : public TavlinFixture {
protected:
    std::string Clipboard()
    {
        if (!vko_cb_open(FALSE))
            return {};
        std::uint32_t size = 0;
        const auto* text = static_cast<const char*>(vko_cb_get_data(CB_TEXT, nullptr, &size));
        std::string got = text != nullptr ? std::string(text, size) : std::string();
        vko_cb_close();
        return got.c_str();
    }
    // Text left on the clipboard by another program, as it was put there.
    void PutOnClipboard(const std::string& text)
    {
        ASSERT_TRUE(vko_cb_open(TRUE));
        std::memcpy(vko_cb_alloc(static_cast<std::uint32_t>(text.size())), text.data(),
                    text.size());
        ASSERT_TRUE(vko_cb_put_data(CB_TEXT, nullptr, static_cast<std::uint32_t>(text.size()), nullptr));
        vko_cb_free_data();
        vko_cb_close();
    }
};

TEST_F(MainWindowTest, SizingKeepsTheWindowAtLeastItsMinimum)
{
    Start();
    int width = 0;
    int height = 0;
    MainWindow()->MinimumSize(&width, &height);
    EXPECT_EQ(width, 500 + 115) << "the selector's right edge and the label's width";
    EXPECT_EQ(height, MainRefWin::kMinimumHeight);
    MainWindow()->SizeWindow(200, 100);
    EXPECT_GE(MainWindow()->GetFrame().Width(), width);
    EXPECT_GE(MainWindow()->GetFrame().Height(), height);
}

TEST_F(MainWindowTest, ChoosingAnotherReferenceOpensItsDictionary)
{
    Start();
    EXPECT_EQ(MainWindow()->GetReferenceName(), "Alpha");
    long position = 1;
    MainRefWin::CmdSelectReference::Send(*MainWindow(), position);
    RefDoc* document = ReferenceDocuments().front();
    EXPECT_STREQ(document->GetDescription()->ref_name().data(), "Beta");
    EXPECT_STREQ(MainWindow()->GetTitle().data(), "Beta");
    FrontPage()->SearchFor("red");
    ASSERT_NE(MainWindow()->GetNotebook()->GetCurrentHits(), nullptr);
    EXPECT_EQ(MainWindow()->GetNotebook()->GetCurrentHits()->entries(), 1u) << "searched in Beta";
    // Out of the list: the selection stays, and so does the dictionary.
    position = 9;
    MainRefWin::CmdSelectReference::Send(*MainWindow(), position);
    EXPECT_STREQ(document->GetDescription()->ref_name().data(), "Beta");
}

// A description whose data files are not there: choosing it says so, and the window stays
// on its dictionary.
TEST_F(MainWindowTest, ChoosingAReferenceThatCannotOpenSaysSoAndKeepsTheDictionary)
{
    itsDir.write("c.dct", "ref_name=Gamma\nbase_dir=nowhere/\nbase_name=none\n"
                          "search_text=Entry word is...,va\n");
    Start();
    ASSERT_EQ(MainWindow()->GetReferenceName(), "Alpha");
    const int asked = vkov_dm_test_count();
    long position = 2;
    MainRefWin::CmdSelectReference::Send(*MainWindow(), position);
    ASSERT_EQ(vkov_dm_test_count(), asked + 1);
    EXPECT_STREQ(vkov_dm_test_kind(asked), "error");
    EXPECT_STREQ(vkov_dm_test_text(asked),
                 "Unable to find the dictionary file!\nGamma: cannot open \"nowhere/none.cmp\" "
                 "(No such file or directory)");
    EXPECT_EQ(MainWindow()->GetReferenceName(), "Alpha");
    EXPECT_STREQ(ReferenceDocuments().front()->GetDescription()->ref_name().data(), "Alpha");
    FrontPage()->SearchFor("dog");
    ASSERT_NE(MainWindow()->GetNotebook()->GetCurrentHits(), nullptr) << "still searching Alpha";
}

// Files beside the good descriptions that describe no dictionary the program can use: one
// warning at start names each file and what is wrong with it, and no window's reference
// selector lists them.
TEST_F(MainWindowTest, UnusableDescriptionsAreToldOnceAtStartAndNotListed)
{
    itsDir.write("c.dct", "");
    itsDir.write("d.dct", "\x8f\xd3=\xee,\x9c\n\x01\x7f\x02ref_name=Z\n");
    itsDir.write("e.dct", "ref_name=Gamma\nbase_dir=data/\nbase_name=alpha\nmain_entry=Entry:,N\n");
    itsDir.write("f.dct", "ref_name=Beta\nbase_dir=data/\nbase_name=alpha\n"
                          "search_text=Entry word is...,va\n");
    std::filesystem::create_symlink("nowhere", itsDir.path() + "/g.dct");
    Start();
    ASSERT_TRUE(itsApplication->IsStarted());
    const auto warnings = [] {
        std::vector<std::string> texts;
        for (int i = 0; i < vkov_dm_test_count(); ++i)
            if (std::strcmp(vkov_dm_test_kind(i), "warning") == 0)
                texts.emplace_back(vkov_dm_test_text(i));
        return texts;
    };
    EXPECT_EQ(warnings(), (std::vector<std::string>{
                              "These description files (*.dct) describe no dictionary TavlinCD "
                              "can use and are not listed under \"Select a reference:\":"
                              "\nc.dct: no ref_name line (the dictionary's name)"
                              "\nd.dct line 2: not a line of text"
                              "\ne.dct: no search_text line (the searches it offers)"
                              "\nf.dct: the same ref_name as b.dct (Beta)"
                              "\ng.dct: cannot be read"}));
    // A second window lists the same references and tells nothing again.
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    const std::vector<RefDoc*> documents = ReferenceDocuments();
    ASSERT_EQ(documents.size(), 2u);
    for (const RefDoc* document : documents) {
        const auto* selector =
            dynamic_cast<FRM_NListButton*>(document->GetMainWindow()->FindSubview(1060));
        ASSERT_NE(selector, nullptr);
        std::vector<std::string> lines;
        for (int i = 0; i < selector->GetNumItems(); ++i)
            lines.emplace_back(selector->GetItem(i, 510).data());
        EXPECT_EQ(lines, (std::vector<std::string>{"Alpha", "Beta"}));
    }
    EXPECT_EQ(warnings().size(), 1u);
}

TEST_F(MainWindowTest, TwoWindowsOnTwoDictionariesEachSearchTheirOwn)
{
    Start();
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    const std::vector<RefDoc*> documents = ReferenceDocuments();
    ASSERT_EQ(documents.size(), 2u);
    MainRefWin* alpha = documents[0]->GetMainWindow();
    MainRefWin* beta = documents[1]->GetMainWindow();
    long position = 1;
    MainRefWin::CmdSelectReference::Send(*beta, position);
    ASSERT_EQ(beta->GetReferenceName(), "Beta");
    for (int round = 0; round < 2; ++round) {
        alpha->GetBasicPage()->SearchFor("dog");
        ASSERT_NE(alpha->GetNotebook()->GetCurrentHits(), nullptr) << "Alpha has dog";
        beta->GetBasicPage()->SearchFor("red");
        ASSERT_NE(beta->GetNotebook()->GetCurrentHits(), nullptr) << "Beta has red";
    }
}

TEST_F(MainWindowTest, HistoryPopUpsListFromTheCurrentEntryAndTheirItemsMoveThere)
{
    Start();
    for (const char* word : {"cat", "dog", "collar"})
        FrontPage()->SearchFor(word);
    EXPECT_EQ(MainWindow()->GetNotebook()->HistoryItems(false), (std::vector<std::string>{"collar", "dog", "cat"}));
    EXPECT_TRUE(MainWindow()->GetNotebook()->HistoryItems(true) == std::vector<std::string>{"collar"});
    auto* back = dynamic_cast<FRM_CButton*>(MainWindow()->FindSubview(1056));
    auto* forward = dynamic_cast<FRM_CButton*>(MainWindow()->FindSubview(1057));
    ASSERT_NE(back, nullptr);
    ASSERT_NE(forward, nullptr);
    EXPECT_TRUE(back->IsEnabled());
    EXPECT_FALSE(forward->IsEnabled());

    // A press on the back button pops up the Backward menu; its third line is "cat".
    vkov_menu_test_push_popup_answer(menutag::kBackwardFirst + 2);
    const FRM_CRect frame = back->GetFrame();
    MainWindow()->DoMouseDown(FRM_CPoint(frame.Left() + 4, frame.Top() + 4), 0, 0, 0);
    EXPECT_EQ(MainWindow()->GetNotebook()->HistoryItems(true), (std::vector<std::string>{"cat", "dog", "collar"}));
    EXPECT_FALSE(back->IsEnabled());
    EXPECT_TRUE(forward->IsEnabled());
    MainWindow()->DoMenuCommand(menutag::kForwardFirst + 1, 0, 0);  // "dog"
    EXPECT_EQ(MainWindow()->GetNotebook()->HistoryItems(false).front(), "dog");
    MainWindow()->DoCommand(MainRefWin::kCmdPreviousEntry, nullptr);
    EXPECT_EQ(MainWindow()->GetNotebook()->HistoryItems(false).front(), "cat");
    MainWindow()->DoCommand(MainRefWin::kCmdPreviousEntry, nullptr);  // at the start: stays
    EXPECT_EQ(MainWindow()->GetNotebook()->HistoryItems(false).front(), "cat");
}

TEST_F(MainWindowTest, CopyWordCopyAndPasteGoThroughTheClipboard)
{
    Start();
    FrontPage()->SearchFor("dog");
    MainWindow()->DoMenuCommand(menutag::kCopyWord, 0, 0);
    EXPECT_EQ(Clipboard(), "dog");
    EXPECT_EQ(MainWindow()->GetMenuBar()->IsEnabled(menutag::kPaste), 1);
    MainWindow()->DoMenuCommand(menutag::kSelectAll, 0, 0);
    MainWindow()->DoMenuCommand(menutag::kCopy, 0, 0);
    EXPECT_NE(Clipboard().find("barks"), std::string::npos) << Clipboard();
    FrontPage()->SetTypedText("");
    MainWindow()->DoMenuCommand(menutag::kCopyWord, 0, 0);
    MainWindow()->DoMenuCommand(menutag::kPaste, 0, 0);
    EXPECT_EQ(FrontPage()->GetTypedText(), "dog");
}

// Paste puts another program's text into the one-line field without the line ends it was
// copied with; the rest, spaces included, is the user's text.
TEST_F(MainWindowTest, PasteTakesTheClipboardsTextWithoutItsLineEnds)
{
    Start();
    struct Case {
        std::string clipboard;
        const char* field;
    };
    const Case cases[] = {
        {"dog\n", "dog"},
        {std::string("hot dog \r\n\0", 11), "hot dog "},
        {" cat", " cat"},
        {"\r\n", "before"},   // nothing to paste: the field keeps its text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        FrontPage()->SetTypedText("before");
        PutOnClipboard(c.clipboard);
        MainWindow()->DoMenuCommand(menutag::kPaste, 0, 0);
        EXPECT_EQ(FrontPage()->GetTypedText(), c.field);
    }
}

// Print > Entry Text and Print > Results List follow what the front page shows, and each
// writes a PDF file with that text into the working folder.
TEST_F(MainWindowTest, PrintItemsFollowTheEntryAndListShownAndPrintThem)
{
    Start();
    FRM_CMenuBar* bar = MainWindow()->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintEntry), 0) << "nothing shown yet";
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintResults), 0);
    const auto pdfs = [&] {
        std::vector<std::string> found;
        for (const auto& file : std::filesystem::directory_iterator(itsDir.path()))
            if (file.path().extension() == ".pdf")
                found.push_back(file.path().string());
        return found;
    };
    // The page's printer buttons stay enabled: with nothing to print they print nothing.
    FrontPage()->DoCommand(KQBasicWin::kCmdPrintEntry, nullptr);
    FrontPage()->DoCommand(KQBasicWin::kCmdPrintResults, nullptr);
    vkok_app_process_pending_events();
    EXPECT_TRUE(pdfs().empty());
    FrontPage()->SearchFor("nothing-like-this");
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintResults), 0) << "nothing found";
    FrontPage()->SearchFor("dog");
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintEntry), 1);
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintResults), 1);

    MainWindow()->DoMenuCommand(menutag::kPrintEntry, 0, 0);
    vkok_app_process_pending_events();
    ASSERT_EQ(pdfs().size(), 1u);
    const std::string entryPdf = pdfs().front();
    if (test_support::HavePoppler()) {
        EXPECT_NE(test_support::CommandOutput("pdftotext '" + entryPdf + "' -")
                      .find("a domestic animal that barks"), std::string::npos);
    }
    MainWindow()->DoMenuCommand(menutag::kPrintResults, 0, 0);
    vkok_app_process_pending_events();
    ASSERT_EQ(pdfs().size(), 2u);
    for (const std::string& pdf : pdfs()) {
        if (pdf != entryPdf && test_support::HavePoppler()) {
            EXPECT_NE(test_support::CommandOutput("pdftotext '" + pdf + "' -").find("dog"),
                      std::string::npos);
        }
    }

    // Every page lists the results; Clear empties the list of the basic page.
    MainWindow()->ShowPage(1);
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintResults), 1);
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintEntry), 1) << "the entry stays shown";
    MainWindow()->ShowPage(0);
    FrontPage()->Clear();
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintResults), 0);
}

TEST_F(MainWindowTest, StatusLineCountsTheHitsAndHelpsOverTheControls)
{
    Start();
    FrontPage()->SearchFor("cat*");
    auto* count = MainWindow()->FindSubview(1374);
    ASSERT_NE(count, nullptr);
    EXPECT_STREQ(count->GetTitle().data(), "3 Entries Found");
    // A list emptied, by a search that found nothing or by Clear, counts nothing.
    for (const char* text : {"zebra", ""}) {
        FrontPage()->SearchFor("dog");
        EXPECT_STREQ(count->GetTitle().data(), "1 Entries Found");
        FrontPage()->SearchFor(text);
        EXPECT_STREQ(count->GetTitle().data(), "0 Entries found.") << text;
    }
    FrontPage()->SearchFor("cat*");

    struct Case {
        FRM_CPoint point;
        const char* line;
    };
    const Case cases[] = {
        {FRM_CPoint(20, 20), "Click to see last word viewed"},
        {FRM_CPoint(70, 20), "Click to return to previous word"},
        {FRM_CPoint(300, 20), "Select a reference in which to search"},
        {FRM_CPoint(400, 300), "Double-click any English word to see its entry"},
        // The page's controls lie on the notebook's face, 74 pixels down the window.
        {FRM_CPoint(50, 74 + 115), "Click to begin search"},
        {FRM_CPoint(100, 74 + 250), "Click a word in the list to see its entry"},
        {FRM_CPoint(100, 74 + 20), "Current Help"},   // the first label has no help
        {FRM_CPoint(520, 45), "Current Help"},
    };
    for (const Case& c : cases) {
        FRM_CPoint point = c.point;
        MainRefWin::CmdStatusHelp::Send(*MainWindow(), point);
        EXPECT_EQ(MainWindow()->GetHelpLine(), c.line);
    }
}

TEST_F(MainWindowTest, EntryPopUpFindsTheWordInEachDictionaryAndNoFurther)
{
    Start();
    FrontPage()->SearchFor("dog");
    // A right click on "domestic" in the entry shown.
    const EntryPainter& painter = MainWindow()->GetPainter();
    const EntryPainter::Run* domestic = nullptr;
    for (const EntryPainter::Run& run : painter.runs())
        if (run.text == "domestic")
            domestic = &run;
    ASSERT_NE(domestic, nullptr);
    // The pop-up's "Find in" item for Alpha is chosen: the word is searched there.
    vkov_menu_test_push_popup_answer(menutag::kFindIn);
    ASSERT_TRUE(FrontPage()->EntryPopUp(FRM_CPoint(domestic->x + 2, domestic->y - 2)));
    std::string word;
    SearchPageWin::CmdPopUpWord::Send(*FrontPage(), word);
    EXPECT_EQ(word, "domestic");
    EXPECT_EQ(FrontPage()->GetTypedText(), "domestic");

    FRM_CMenuBar menu(FrontPage(), menutag::kEntryPopupMenu);
    SearchPageWin::CmdFillFindIn::Send(*FrontPage(), menu);
    EXPECT_STREQ(menu.GetTitle(menutag::kFindIn).data(), "Alpha");
    EXPECT_STREQ(menu.GetTitle(menutag::kFindIn + 1).data(), "Beta");
    EXPECT_EQ(menu.IsInMenu(menutag::kFindIn + 2), 0);

    // The pop-up's items go to the page. Tags past the dictionaries do nothing.
    FrontPage()->DoMenuCommand(menutag::kFindIn + 2, 0, 0);
    FrontPage()->DoMenuCommand(menutag::kFindIn + 40, 0, 0);
    EXPECT_EQ(MainWindow()->GetReferenceName(), "Alpha");
    // "Find in" Alpha: the word searched where it is.
    FrontPage()->DoMenuCommand(menutag::kFindIn, 0, 0);
    EXPECT_EQ(FrontPage()->GetTypedText(), "domestic");
    ASSERT_NE(MainWindow()->GetNotebook()->GetCurrentHits(), nullptr);
    EXPECT_EQ(MainWindow()->GetNotebook()->GetCurrentHits()->entries(), 1u);
    // "Find in" Beta: the window switches there first.
    FrontPage()->DoMenuCommand(menutag::kFindIn + 1, 0, 0);
    EXPECT_EQ(MainWindow()->GetReferenceName(), "Beta");
    EXPECT_STREQ(MainWindow()->GetTitle().data(), "Beta");
}

TEST_F(MainWindowTest, NotebookHoldsTheThreePagesAndTheMenuFollowsTheFrontOne)
{
    Start();
    FRM_NNotebook* notebook = MainWindow()->GetNotebook();
    ASSERT_NE(notebook, nullptr);
    ASSERT_EQ(notebook->GetNumTabs(), 3);
    const char* titles[] = {"Basic Searches", "Advanced Searches", "Browse"};
    const KQBasicWin::Kind kinds[] = {KQBasicWin::kBasic, KQBasicWin::kAdvanced, KQBasicWin::kBrowse};
    for (short tab = 0; tab < 3; ++tab) {
        SCOPED_TRACE(tab);
        EXPECT_STREQ(notebook->GetTabTitle(tab).data(), titles[tab]);
        EXPECT_EQ(MainWindow()->GetPage(tab)->GetKind(), kinds[tab]);
        EXPECT_EQ(MainWindow()->GetPage(tab)->GetCWindow(), static_cast<FRM_CWindow*>(notebook->GetFace(tab, 0)));
    }
    FrontPage()->SearchFor("dog");
    FRM_CMenuBar* bar = MainWindow()->GetMenuBar();
    MainWindow()->DoMenuCommand(menutag::kBrowseSearches, 0, 0);
    EXPECT_EQ(FrontPage(), MainWindow()->GetPage(2));
    short tab = -1;
    short page = -1;
    notebook->GetFrontPage(&tab, &page);
    EXPECT_EQ(tab, 2);
    EXPECT_EQ(bar->IsEnabled(menutag::kBrowseSearches), 0);
    EXPECT_EQ(bar->IsChecked(menutag::kBrowseSearches), 1);
    EXPECT_EQ(bar->IsEnabled(menutag::kBasicSearches), 1);
    EXPECT_EQ(bar->IsChecked(menutag::kBasicSearches), 0);
    // The histories are the window's: the browse page goes back to what the basic page showed.
    FrontPage()->SearchFor("cat");
    EXPECT_TRUE(MainWindow()->GetNotebook()->ShowOtherEntry(-1));
    EXPECT_EQ(MainWindow()->GetNotebook()->HistoryItems(false).front(), "dog");
    EXPECT_EQ(MainWindow()->GetPage(0)->GetTypedText(), "dog") << "the basic page keeps its own text";
}

TEST_F(MainWindowTest, EntryMenusFollowTheEntryShownAndClear)
{
    Start();
    FRM_CMenuBar* bar = MainWindow()->GetMenuBar();
    struct Case {
        const char* step;
        short clear, copyWord, copy, illustration, table;
    };
    const auto expect = [bar](const Case& c) {
        SCOPED_TRACE(c.step);
        EXPECT_EQ(bar->IsEnabled(menutag::kClear), c.clear);
        EXPECT_EQ(bar->IsEnabled(menutag::kCopyWord), c.copyWord);
        EXPECT_EQ(bar->IsEnabled(menutag::kCopy), c.copy);
        EXPECT_EQ(bar->IsEnabled(menutag::kPrintIllustration), c.illustration);
        EXPECT_EQ(bar->IsEnabled(menutag::kPrintTable), c.table);
    };
    expect({"at start", 0, 0, 0, 0, 0});
    FrontPage()->SearchFor("dog");
    expect({"an entry shown", 1, 1, 0, 0, 0});
    MainWindow()->DoMenuCommand(menutag::kSelectAll, 0, 0);
    expect({"its text selected", 1, 1, 1, 0, 0});
    MainWindow()->DoMenuCommand(menutag::kPreviousEntry, 0, 0);
    MainWindow()->GetNotebook()->ShowEntryAt(1);
    expect({"shown again from the history", 1, 1, 0, 0, 0});
    MainWindow()->DoMenuCommand(menutag::kClear, 0, 0);
    expect({"cleared", 0, 0, 0, 0, 0});
    EXPECT_TRUE(MainWindow()->GetPainter().runs().empty()) << "the entry is gone";
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintEntry), 0);
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintResults), 0);
    for (int page = 0; page < MainRefWin::kPageCount; ++page) {
        EXPECT_EQ(MainWindow()->GetPage(page)->GetHitList()->GetCount(), 0);
        EXPECT_EQ(MainWindow()->GetPage(page)->GetTypedText(), "");
    }
}

TEST_F(MainWindowTest, NewWindowsStartOnThePreferredPageAndSearchType)
{
    Start();
    struct Case {
        int mode, type;
        int page, position;
    };
    const Case cases[] = {{2, 1, 2, 1}, {1, 2, 1, 2}, {0, 1, 0, 1}, {7, 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        itsApplication->GetPrefs().search_mode = c.mode;
        itsApplication->GetPrefs().search_type = c.type;
        itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
        MainRefWin* window = ReferenceDocuments().back()->GetMainWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->GetFrontPage(), window->GetPage(c.page));
        EXPECT_EQ(window->GetFrontPage()->GetSearchTypePosition(), c.position);
        EXPECT_EQ(window->GetReferenceName(), "Alpha");
    }
}

TEST_F(MainWindowTest, HistoryCommandsHandOverRecordsPositionsAndTheFrontPage)
{
    Start();
    MainRefWin* old = MainWindow();
    for (const char* word : {"cat*", "dog", "collar"})
        old->GetBasicPage()->SearchFor(word);
    old->DoMenuCommand(menutag::kPreviousList, 0, 0);
    old->DoMenuCommand(menutag::kBrowseSearches, 0, 0);
    std::int32_t entry = 0;
    std::int32_t results = 0;
    std::int16_t front = -1;
    // The main window passes them on to its notebook.
    SearchNotebook::CmdEntryPosition::Send(*old, entry);
    SearchNotebook::CmdResultsPosition::Send(*old, results);
    SearchNotebook::CmdFrontPageNumber::Send(*old, front);
    EXPECT_EQ(entry, 3);
    EXPECT_EQ(results, 2);
    EXPECT_EQ(front, 2);

    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    MainRefWin* fresh = ReferenceDocuments().back()->GetMainWindow();
    SearchNotebook::CmdAppendEntries::Send(*fresh, old->GetNotebook()->GetHistories().entries);
    SearchNotebook::CmdAppendResults::Send(*fresh, old->GetNotebook()->GetHistories().results);
    ASSERT_EQ(fresh->GetNotebook()->GetHistories().entries.Count(), 3u);
    EXPECT_EQ(fresh->GetNotebook()->GetHistories().entries.At(2)->word, "dog");
    ASSERT_EQ(fresh->GetNotebook()->GetHistories().results.Count(), 3u);
    EXPECT_EQ(fresh->GetNotebook()->GetHistories().results.At(1)->hits->entries(), 3u);
    EXPECT_NE(fresh->GetNotebook()->GetHistories().results.At(1)->hits.get(), old->GetNotebook()->GetHistories().results.At(1)->hits.get())
        << "copies, not the old window's";
    EXPECT_EQ(fresh->GetNotebook()->GetHistories().entries.Position(), 0u) << "appending moves nowhere";
}

TEST_F(MainWindowTest, HistoryMovesShowEachListAndEntryInItsOwnDictionary)
{
    Start();
    FrontPage()->SearchFor("dog");
    long beta = 1;
    MainRefWin::CmdSelectReference::Send(*MainWindow(), beta);
    FrontPage()->SearchFor("red");
    // A move to an entry of another dictionary keeps the pages' lists, fields and count.
    struct Step {
        short tag;
        const char* reference;
        const char* drawn;     // a word of the entry drawn afterwards, or null
        const char* firstLine; // the hit list's first line and the field afterwards
    };
    const Step steps[] = {
        {menutag::kPreviousList, "Alpha", nullptr, "dog"},
        {menutag::kNextList, "Beta", nullptr, "red"},
        {menutag::kPreviousEntry, "Alpha", "barks", "red"},
        {menutag::kNextEntry, "Beta", "red", "red"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.tag);
        MainWindow()->DoMenuCommand(step.tag, 0, 0);
        EXPECT_EQ(MainWindow()->GetReferenceName(), step.reference);
        EXPECT_STREQ(ReferenceDocuments().front()->GetDescription()->ref_name().data(), step.reference);
        if (step.drawn != nullptr) {
            std::string drawn;
            for (const EntryPainter::Run& run : MainWindow()->GetPainter().runs())
                drawn += run.text + " ";
            EXPECT_NE(drawn.find(step.drawn), std::string::npos) << drawn;
        }
        for (int page : {0, 2}) {
            SCOPED_TRACE(page);
            EXPECT_EQ(HitLines(MainWindow()->GetPage(page)), (std::vector<std::string>{step.firstLine}));
        }
        EXPECT_EQ(FrontPage()->GetTypedText(), step.firstLine);
        EXPECT_EQ(MainWindow()->GetCountText(), "1 Entries Found");
    }
    // Another dictionary chosen by the user in the selector starts the pages afresh.
    auto* selector = dynamic_cast<FRM_NListButton*>(MainWindow()->FindSubview(1060));
    ASSERT_NE(selector, nullptr);
    selector->SelectItem(0);
    MainWindow()->DoCommand(MainRefWin::kCmdReferenceChosen, nullptr);
    EXPECT_EQ(MainWindow()->GetReferenceName(), "Alpha");
    for (int page = 0; page < MainRefWin::kPageCount; ++page)
        EXPECT_TRUE(HitLines(MainWindow()->GetPage(page)).empty()) << page;
    EXPECT_EQ(FrontPage()->GetTypedText(), "");
    EXPECT_EQ(MainWindow()->GetCountText(), "0 Entries found.");
}

TEST_F(MainWindowTest, OpenInNewWindowGoesOnFromThisWindowAndLooksThePopUpWordUp)
{
    Start();
    MainRefWin* old = MainWindow();
    FrontPage()->SearchFor("dog");
    FrontPage()->SearchFor("cat*");  // shows cat: "a small domestic animal not a dog"
    const EntryPainter::Run* dog = nullptr;
    for (const EntryPainter::Run& run : old->GetPainter().runs())
        if (run.text == "dog")
            dog = &run;
    ASSERT_NE(dog, nullptr);
    ASSERT_TRUE(FrontPage()->EntryPopUp(FRM_CPoint(dog->x + 2, dog->y - 2)));
    FrontPage()->DoMenuCommand(menutag::kOpenInNewWindow, 0, 0);

    const std::vector<RefDoc*> documents = ReferenceDocuments();
    ASSERT_EQ(documents.size(), 2u);
    MainRefWin* fresh = documents[1]->GetMainWindow();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->GetReferenceName(), "Alpha");
    EXPECT_EQ(fresh->GetNotebook()->HistoryItems(false), (std::vector<std::string>{"dog", "cat", "dog"}));
    EXPECT_EQ(fresh->GetNotebook()->GetHistories().results.Count(), 3u);
    EXPECT_EQ(fresh->GetFrontPage()->GetTypedText(), "dog");
    EXPECT_EQ(old->GetNotebook()->GetHistories().entries.Count(), 2u) << "the old window keeps its own";

    // The new window's records are its own: they outlive the old window.
    old->DoMenuCommand(menutag::kClose, 0, 0);
    vkok_app_process_pending_events();
    fresh->DoMenuCommand(menutag::kPreviousList, 0, 0);
    ASSERT_EQ(fresh->GetFrontPage()->GetHitList()->GetCount(), 3);
    EXPECT_EQ(fresh->GetFrontPage()->GetHitList()->GetItem(1), "catalog");
    fresh->DoMenuCommand(menutag::kPreviousEntry, 0, 0);
    EXPECT_EQ(fresh->GetNotebook()->HistoryItems(false).front(), "cat");
}

TEST_F(MainWindowTest, AWindowRequestWithoutEntriesOnlySwitchesAndSearches)
{
    Start();
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    MainRefWin* fresh = ReferenceDocuments().back()->GetMainWindow();
    const WindowRequest request{MainWindow(), "Beta", "blue"};
    MainRefWin::CmdRunRequest::Send(*fresh, request);
    EXPECT_EQ(fresh->GetReferenceName(), "Beta");
    EXPECT_EQ(fresh->GetNotebook()->HistoryItems(false), (std::vector<std::string>{"blue"}));
    EXPECT_EQ(fresh->GetNotebook()->GetHistories().results.Count(), 1u);
}

TEST_F(MainWindowTest, ClearButtonAndEscapeClearTheScreenAndTheTextFieldTakesTheKeys)
{
    Start();
    const char* const ways[] = {"the Clear button", "Escape", "the advanced page's Clear button"};
    for (const char* way : ways) {
        SCOPED_TRACE(way);
        MainWindow()->ShowPage(way == ways[2] ? 1 : 0);
        FrontPage()->SearchFor("dog");
        ASSERT_FALSE(MainWindow()->GetPainter().runs().empty());
        if (way == ways[1])
            MainWindow()->DoKey(FRM_CKey(27, 0, 0, 0, 0));
        else
            FrontPage()->DoCommand(KQBasicWin::kCmdClear, nullptr);
        EXPECT_TRUE(MainWindow()->GetPainter().runs().empty()) << "the entry is gone too";
        for (int page = 0; page < MainRefWin::kPageCount; ++page)
            EXPECT_EQ(MainWindow()->GetPage(page)->GetHitList()->GetCount(), 0);
        EXPECT_EQ(FrontPage()->GetTypedText(), "");
        EXPECT_EQ(MainWindow()->GetMenuBar()->IsEnabled(menutag::kClear), 0);
        EXPECT_EQ(vkok_scr_get_focus_vobj(), FrontPage()->GetField()->GetVKOWindow());
    }
    // Another page in front: its field takes the keys.
    MainWindow()->DoMenuCommand(menutag::kBrowseSearches, 0, 0);
    EXPECT_EQ(vkok_scr_get_focus_vobj(), MainWindow()->GetPage(2)->GetField()->GetVKOWindow());
}

TEST_F(MainWindowTest, WindowCommandsByTable)
{
    Start();
    FrontPage()->SearchFor("cat");
    FrontPage()->SearchFor("dog");
    MainWindow()->GetNotebook()->ShowEntryAt(1);
    auto* back = dynamic_cast<FRM_CButton*>(MainWindow()->FindSubview(1056));
    auto* forward = dynamic_cast<FRM_CButton*>(MainWindow()->FindSubview(1057));
    auto* selector = dynamic_cast<FRM_NListButton*>(MainWindow()->FindSubview(1060));
    ASSERT_NE(back, nullptr);
    ASSERT_NE(forward, nullptr);
    ASSERT_NE(selector, nullptr);
    FRM_CMenuBar* bar = MainWindow()->GetMenuBar();
    std::string word = "collar";
    MainRefWin::EntryMoves firstOfSeveral{true, false, true};
    struct Case {
        const char* what;
        std::function<void()> send;
        std::function<void()> before;
        std::function<void()> check;
    };
    MainRefWin& window = *MainWindow();
    const Case cases[] = {
        {"entry moves at the first entry", [&] { MainRefWin::CmdEntryMoves::Send(window, firstOfSeveral); },
         [bar] {
             bar->SetEnabled(menutag::kNextEntry, 0);
             bar->SetEnabled(menutag::kHistory, 0);
         },
         [&] {
             EXPECT_FALSE(back->IsEnabled());
             EXPECT_TRUE(forward->IsEnabled());
             EXPECT_EQ(bar->IsEnabled(menutag::kPreviousEntry), 0);
             EXPECT_EQ(bar->IsEnabled(menutag::kNextEntry), 1);
             EXPECT_EQ(bar->IsEnabled(menutag::kHistory), 1);
         }},
        {"a text looked up on the front page", [&] { MainRefWin::CmdLookUp::Send(window, word); }, [] {},
         [&] {
             EXPECT_EQ(FrontPage()->GetTypedText(), "collar");
             EXPECT_EQ(MainWindow()->GetNotebook()->HistoryItems(false).front(), "collar");
         }},
        {"the selector filled again", [&] { window.DoCommand(MainRefWin::kCmdRefreshAll, nullptr); },
         [selector] { selector->SelectItem(1); },
         [&] { EXPECT_EQ(MainWindow()->GetReferenceName(), "Alpha") << "the dictionary open"; }},
        {"the entry drawn again", [&] { window.DoCommand(MainRefWin::kCmdRedrawEntry, nullptr); }, [] {},
         [&] { EXPECT_FALSE(MainWindow()->GetPainter().runs().empty()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.before();
        c.send();
        c.check();
    }
}

// A window of the document that will not close.
class Stubborn : public FRM_CWindow {
public:
    explicit Stubborn(FRM_CDocument* document)
        : FRM_CWindow(document, FRM_CRect(0, 0, 100, 100), FRM_CStringRW("stubborn"), 0x800, W_DOC,
                      0, reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW)))
    {
    }
    short Close() override
    {
        ++itsAsked;
        return itWillClose ? FRM_CWindow::Close() : 0;
    }
    int itsAsked = 0;
    bool itWillClose = false;
};

TEST_F(MainWindowTest, ClosingAsksEachOtherWindowOnceAndStaysWhenOneRefuses)
{
    Start();
    RefDoc* document = ReferenceDocuments().front();
    auto* stubborn = new Stubborn(document);
    EXPECT_EQ(MainWindow()->Close(), 0);
    EXPECT_EQ(stubborn->itsAsked, 1) << "asked once, not again and again";
    EXPECT_NE(MainWindow(), nullptr);
    stubborn->itWillClose = true;
    MainWindow()->DoMenuCommand(menutag::kClose, 0, 0);
    vkok_app_process_pending_events();
    EXPECT_EQ(document->GetMainWindow(), nullptr);
}

// The pixels of the window's client area.
std::vector<std::uint32_t> Pixels(WINDOW window)
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    vkov_debug_surface_size(window, &width, &height);
    std::vector<std::uint32_t> pixels;
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            pixels.push_back(vkov_debug_surface_pixel(window, x, y));
    return pixels;
}

TEST_F(MainWindowTest, APageBroughtToTheFrontLeavesNothingOfThePageBefore)
{
    Start();
    FrontPage()->SearchFor("dog");
    vkok_app_process_pending_events();
    const WINDOW window = MainWindow()->GetVKOWindow();
    const short tags[] = {menutag::kAdvancedSearches, menutag::kBrowseSearches,
                          menutag::kBasicSearches, menutag::kAdvancedSearches};
    for (const short tag : tags) {
        SCOPED_TRACE(tag);
        MainWindow()->DoMenuCommand(tag, 0, 0);
        vkok_app_process_pending_events();
        const WINDOW page = MainWindow()->GetFrontPage()->GetCWindow()->GetVKOWindow();
        const std::vector<std::uint32_t> switched = Pixels(page);
        // The same page drawn from scratch.
        vko_dwin_invalidate_rect(window, nullptr);
        vkok_app_process_pending_events();
        const std::vector<std::uint32_t> redrawn = Pixels(page);
        ASSERT_EQ(switched.size(), redrawn.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < switched.size(); ++i)
            differing += switched[i] != redrawn[i] ? 1 : 0;
        EXPECT_EQ(differing, 0U) << "of " << switched.size() << " pixels of the page";
    }
}

// The pixels of a view's frame in its window's client area, row by row.
std::vector<std::uint32_t> PixelsOf(const FRM_CView& view)
{
    FRM_CUnits::SetGlobalUnits(view.GetUnits());
    const s_rct frame = static_cast<s_rct>(view.GetGlobalFrame());
    std::vector<std::uint32_t> pixels;
    for (std::int32_t y = frame.top; y < frame.bottom; ++y)
        for (std::int32_t x = frame.left; x < frame.right; ++x)
            pixels.push_back(vkov_debug_surface_pixel(view.GetVKOWindow(), x, y));
    return pixels;
}

// Moving through the entries viewed enables and disables the back and forward buttons; each
// shows its new state at once, all of it as it is drawn from scratch (an enabled button
// still drawn greyed showed its raised edge only where a closing window uncovered it).
TEST_F(MainWindowTest, TheBackAndForwardButtonsShowTheirStateAsSoonAsItChanges)
{
    Start();
    auto* back = dynamic_cast<FRM_CButton*>(MainWindow()->FindSubview(1056));
    auto* forward = dynamic_cast<FRM_CButton*>(MainWindow()->FindSubview(1057));
    ASSERT_NE(back, nullptr);
    ASSERT_NE(forward, nullptr);
    const WINDOW window = MainWindow()->GetVKOWindow();
    struct Case {
        const char* what;
        std::function<void()> move;
        bool backOn;
        bool forwardOn;
    };
    const Case cases[] = {
        {"the first entry", [this] { FrontPage()->SearchFor("cat"); }, false, false},
        {"a second entry", [this] { FrontPage()->SearchFor("dog"); }, true, false},
        {"back to the first",
         [this] { MainWindow()->DoMenuCommand(menutag::kPreviousEntry, 0, 0); }, false, true},
        {"forward to the second",
         [this] { MainWindow()->DoMenuCommand(menutag::kNextEntry, 0, 0); }, true, false},
    };
    std::vector<std::uint32_t> greyed, raised;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.move();
        vkok_app_process_pending_events();
        ASSERT_EQ(back->IsEnabled() != 0, c.backOn);
        ASSERT_EQ(forward->IsEnabled() != 0, c.forwardOn);
        const std::vector<std::uint32_t> shownBack = PixelsOf(*back);
        const std::vector<std::uint32_t> shownForward = PixelsOf(*forward);
        // The window drawn from scratch.
        vko_dwin_invalidate_rect(window, nullptr);
        vkok_app_process_pending_events();
        EXPECT_TRUE(PixelsOf(*back) == shownBack) << "the back button as drawn from scratch";
        EXPECT_TRUE(PixelsOf(*forward) == shownForward) << "the forward button as drawn from scratch";
        (c.backOn ? raised : greyed) = shownBack;
    }
    EXPECT_FALSE(raised == greyed) << "an enabled button looks otherwise than a disabled one";
}

// The entry drawn again (after a dialog closed, a preference applied) clears the pane beside
// its scroll bar, not over it: the bar, unchanged and outside the area drawn, is not drawn
// again by itself.
TEST_F(MainWindowTest, RedrawingTheEntryLeavesThePaneScrollBarShown)
{
    Start();
    FrontPage()->SearchFor("dog");
    vkok_app_process_pending_events();
    const WINDOW bar = FrontPage()->GetEntryPane()->scrollBar()->GetVKOWindow();
    const std::vector<std::uint32_t> shown = Pixels(bar);
    ASSERT_FALSE(shown.empty());
    MainWindow()->DoCommand(MainRefWin::kCmdRedrawEntry, nullptr);
    vkok_app_process_pending_events();
    EXPECT_TRUE(Pixels(bar) == shown);
    FrontPage()->SearchFor("dog");
    vkok_app_process_pending_events();
    EXPECT_TRUE(Pixels(bar) == shown) << "the same entry looked up again";
    // A part of the pane uncovered (a dialog closed over the entry, away from the bar).
    const s_rct uncovered{0, 0, 50, 50};
    vko_dwin_invalidate_rect(FrontPage()->GetEntryPane()->PaneWindow(), &uncovered);
    vkok_app_process_pending_events();
    EXPECT_TRUE(Pixels(bar) == shown) << "a part of the pane drawn again";
}

} // namespace

namespace {

// The lines the entry pane's bar lets the user scroll through, as its range shows them.
std::int32_t ScrollableLines(const SearchPageWin* page)
{
    std::int32_t minimum = 0, maximum = 0;
    vko_sbar_get_range(page->GetEntryPane()->scrollBar()->GetVKOWindow(), 2, &minimum, &maximum);
    return maximum - minimum;
}

// The user widens the window and narrows it back, as a window manager reports it.
void ResizeAsTheUser(MainRefWin* window, int width, int height)
{
    window->SizeWindow(width, height);
    vkok_app_process_pending_events();
}

} // namespace

// Every page shows the entry looked up, and its bar scrolls through all of it, also after the
// window was made wider and narrower again while another page was in front: the entry moves
// to the page turned to, with the bar's range of its lines.
TEST_F(MainWindowTest, EveryPageScrollsTheEntryAfterTheWindowWasResized)
{
    tavlintest::WriteLongCat(itsDir);
    Start();
    FrontPage()->SearchFor("cat");
    vkok_app_process_pending_events();
    const std::int32_t lines = ScrollableLines(FrontPage());
    ASSERT_GT(lines, 0) << "the entry has lines to scroll through";
    s_rct frame{};
    vko_vobj_get_client_rect(MainWindow()->GetVKOWindow(), &frame);
    for (int page : {2, 1}) {
        SCOPED_TRACE(page);
        MainWindow()->ShowPage(0);
        vkok_app_process_pending_events();
        ResizeAsTheUser(MainWindow(), frame.right + 130, frame.bottom + 100);
        ResizeAsTheUser(MainWindow(), frame.right, frame.bottom);
        MainWindow()->ShowPage(page);
        vkok_app_process_pending_events();
        ScrollViewWin* pane = MainWindow()->GetPage(page)->GetEntryPane();
        EXPECT_EQ(ScrollableLines(MainWindow()->GetPage(page)), lines);
        EXPECT_EQ(pane->ScrollOriginY(), 0) << "the entry shown from its top";
        // The wheel turned down a notch scrolls the entry by a line.
        pane->pane()->DoVScroll(SC_LINE_DOWN, 0);
        vkok_app_process_pending_events();
        EXPECT_EQ(pane->ScrollOriginY(), pane->pane()->OriginAt(1));
        EXPECT_LT(pane->ScrollOriginY(), 0);
    }
}
