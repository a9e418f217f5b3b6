// Tests of the basic search page in a running main window: single and comma-list
// searches, type-ahead with its selection and pick, choosing hits, clearing, and the
// keys of the hit list.
#include "app/pages/kq_basic_win.h"
#include "app/pages/browse_win.h"
#include "app/display/image_win.h"
#include "app/pages/search_request.h"

#include <gtest/gtest.h>

#include "frm/views/cbutton.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/display/entry_painter.h"
#include "app/display/print_view.h"
#include "app/display/scroll_view_win.h"
#include "app/display/kq_list_box.h"
#include "app/shell/sp_help_win.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cnav.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cmenubar.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/dm.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"

#include "../../support/keys.h"
#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

class BasicPageTest : public TavlinFixture {
protected:
    void SetUp() override
    {
        TavlinFixture::SetUp();
        Start();
        ASSERT_NE(MainWindow(), nullptr);
    }
};

TEST_F(BasicPageTest, Search_ListsTheHitsAndDrawsTheFirstEntry)
{
    struct Case {
        const char* why;
        const char* typed;
        std::vector<std::string> lines;
        const char* drawn; // a piece of the first entry's text
    };
    const Case cases[] = {
        {"a head word", "dog", {"dog"}, "barks"},
        {"upper case is lowered for the entry-word index", "DOG", {"dog"}, "barks"},
        {"a wildcard", "cat*", {"cat", "catalog", "caterpillar"}, "domestic"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FrontPage()->SearchFor(c.typed);
        EXPECT_EQ(Lines(), c.lines);
        EXPECT_EQ(FrontPage()->GetHitList()->GetSelectedIndex(), 0);
        EXPECT_TRUE(Painter().hasText());
        EXPECT_NE(Drawn().find(c.drawn), std::string::npos) << Drawn();
        EXPECT_FALSE(FrontPage()->IsPicking());
    }
}

// A wildcard alone is not searched, and the user is told why and how to use it; an empty
// field runs nothing and says nothing.
TEST_F(BasicPageTest, Search_OfNothingOrALonePatternCharacterRunsNoSearch)
{
    struct Case {
        const char* typed;
        const char* note; // null: none
    };
    const Case cases[] = {
        {"", nullptr},
        {"*", "A \"*\" alone is not searched: it stands for any letters. Type some letters with "
              "it, as in cat* or *ness."},
        {"?", "A \"?\" alone is not searched: it stands for any one letter. Type some letters with "
              "it, as in c?t."},
        {".", "A \".\" alone is not searched: it stands for any one letter. Type some letters with "
              "it, as in c.t."},
    };
    FrontPage()->SearchFor("dog");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const int notes = vkov_dm_test_count();
        FrontPage()->SetTypedText(c.typed);
        FrontPage()->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
        EXPECT_EQ(Lines(), (std::vector<std::string>{"dog"})) << "the last results stay";
        if (c.note == nullptr) {
            EXPECT_EQ(vkov_dm_test_count(), notes);
            continue;
        }
        ASSERT_EQ(vkov_dm_test_count(), notes + 1);
        EXPECT_STREQ(vkov_dm_test_text(notes), c.note);
    }
}

TEST_F(BasicPageTest, WordList_SearchesEachWordInTurn)
{
    FrontPage()->SearchFor("dog,cat");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"cat"})) << "the last word's results show";
    EXPECT_NE(Drawn().find("domestic animal"), std::string::npos);
    FrontPage()->SearchFor("zebra,,dog");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"dog"})) << "a word without hits says nothing";
}

TEST_F(BasicPageTest, TypeAhead_ListsWordsSelectsTheBestAndReturnSearchesIt)
{
    FrontPage()->SetTypedText("cat");
    FrontPage()->DoCommand(KQBasicWin::kCmdTypedText, nullptr);
    EXPECT_TRUE(FrontPage()->IsPicking());
    const std::vector<std::string> lines = Lines();
    ASSERT_FALSE(lines.empty());
    const int selected = FrontPage()->GetHitList()->GetSelectedIndex();
    ASSERT_GE(selected, 0);
    EXPECT_EQ(lines[static_cast<std::size_t>(selected)], "cat");
    // Return searches the selected line.
    FrontPage()->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
    EXPECT_FALSE(FrontPage()->IsPicking());
    EXPECT_EQ(FrontPage()->GetTypedText(), "cat");
    EXPECT_NE(Drawn().find("domestic animal"), std::string::npos);
}

TEST_F(BasicPageTest, TypeAhead_OfAWordTypedInCapitalsListsItAsTheSearchFindsIt)
{
    // The word list files its words lower-cased.
    FrontPage()->SetTypedText("DOG");
    FrontPage()->DoCommand(KQBasicWin::kCmdTypedText, nullptr);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"dog"}));
}

// Two entries of one word, told apart by the homograph number of their head words; the
// index files the word alone.
class HomographTest : public BasicPageTest {
protected:
    void SetUp() override
    {
        TavlinFixture::SetUp();
        dictwriter::DictionarySource source;
        for (const std::string head : {"bass[1]", "bass[2]"}) {
            dictwriter::SourceEntry entry;
            entry.head_word = head;
            entry.fields = dictwriter::encode_field_stream(
                {{tavlintest::kMainWord, head}, {tavlintest::kDefinition, "sense of " + head}});
            entry.terms.push_back({"va", "bass"});
            entry.terms.push_back({"df", "fish"});
            source.entries.push_back(entry);
        }
        source.key_tables = {"tr"};  // the indexes of the description's search types
        std::string error;
        ASSERT_TRUE(dictwriter::write_dictionary(source, itsDir.path() + "/data/alpha", nullptr, &error)) << error;
        Start();
    }
};

TEST_F(HomographTest, TypeAhead_APickedLineWithAHomographNumberShowsThatLinesEntry)
{
    for (const int pick : {0, 1}) {
        SCOPED_TRACE(pick);
        FrontPage()->SetTypedText("bass");
        FrontPage()->DoCommand(KQBasicWin::kCmdTypedText, nullptr);
        ASSERT_EQ(Lines(), (std::vector<std::string>{"bass[1]", "bass[2]"}));
        FrontPage()->GetHitList()->SelectItem(pick);
        FrontPage()->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
        EXPECT_EQ(Lines(), (std::vector<std::string>{"bass[1]", "bass[2]"})) << "the word is found";
        EXPECT_EQ(FrontPage()->GetHitList()->GetSelectedIndex(), pick);
        EXPECT_NE(Drawn().find("sense of bass[" + std::to_string(pick + 1) + "]"), std::string::npos) << Drawn();
    }
}

TEST_F(HomographTest, Search_OfALineWithItsHomographNumberFindsTheWordAndShowsThatLine)
{
    // The field keeps the line picked ("bass[2]"); searching it again finds the word.
    for (const int pick : {0, 1}) {
        SCOPED_TRACE(pick);
        const std::string line = "bass[" + std::to_string(pick + 1) + "]";
        FrontPage()->SearchFor(line);
        EXPECT_EQ(Lines(), (std::vector<std::string>{"bass[1]", "bass[2]"}));
        EXPECT_EQ(FrontPage()->GetHitList()->GetSelectedIndex(), pick);
        EXPECT_NE(Drawn().find("sense of " + line), std::string::npos) << Drawn();
    }
}

// Entries filed under several indexes: under the defining-text, illustration, synonym and
// usage indexes the words are not the entries' head words.
class IndexesTest : public BasicPageTest {
protected:
    void SetUp() override
    {
        TavlinFixture::SetUp();
        struct Made {
            const char* head;
            const char* word; // its word under every index but "va"
        };
        dictwriter::DictionarySource source;
        for (const Made& m : {Made{"colonnade", "pillars"}, Made{"pillared", "pillars"},
                              Made{"roadbook", "gazetteer"}}) {
            dictwriter::SourceEntry entry;
            entry.head_word = m.head;
            entry.fields = dictwriter::encode_field_stream(
                {{tavlintest::kMainWord, m.head}, {tavlintest::kDefinition, std::string("the entry ") + m.head}});
            entry.terms.push_back({"va", m.head});
            for (const char* code : {"df", "vi", "sy", "us"})
                entry.terms.push_back({code, m.word});
            source.entries.push_back(entry);
        }
        std::string error;
        ASSERT_TRUE(dictwriter::write_dictionary(source, itsDir.path() + "/data/alpha", nullptr, &error)) << error;
        itsDir.write("a.dct", "ref_name=Alpha\nbase_dir=data/\nbase_name=alpha\n"
                              "search_text=Entry word is...,va\n"
                              "search_text=Defining text contains...,df\n"
                              "search_text=Verbal illustration contains...,vi\n"
                              "search_text=Synonym is...,sy\n"
                              "search_text=Usage note contains...,us\n"
                              "main_entry=Entry:,N\ntext_entry=Senses:,N\n");
        Start();
        ASSERT_NE(MainWindow(), nullptr);
    }
};

TEST_F(IndexesTest, ReturnAfterTyping_SearchesTheTypedTextUnlessTheListedLineIsAWordOfTheIndex)
{
    struct Case {
        int type;
        const char* typed;
        const char* field; // after Return
        std::vector<std::string> lines;
        const char* entry; // the head word shown
    };
    const Case cases[] = {
        {0, "pillared", "pillared", {"pillared"}, "pillared"},
        // The type-ahead lists the entries found, none of them the typed word: no line
        // is selected, or one that merely shares its beginning.
        {1, "gazetteer", "gazetteer", {"roadbook"}, "roadbook"},
        {1, "pillars", "pillars", {"colonnade", "pillared"}, "colonnade"},
        {2, "pillars", "pillars", {"colonnade", "pillared"}, "colonnade"},
        {2, "gazetteer", "gazetteer", {"roadbook"}, "roadbook"},
        {3, "pillars", "pillars", {"colonnade", "pillared"}, "colonnade"},
        {4, "gazetteer", "gazetteer", {"roadbook"}, "roadbook"},
        {4, "pillars", "pillars", {"colonnade", "pillared"}, "colonnade"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.typed);
        FrontPage()->Clear();
        ASSERT_TRUE(FrontPage()->ChooseSearchType(c.type));
        FrontPage()->SetTypedText(c.typed);
        FrontPage()->DoCommand(KQBasicWin::kCmdTypedText, nullptr);
        const int notes = vkov_dm_test_count();
        FrontPage()->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
        EXPECT_EQ(vkov_dm_test_count(), notes) << "no \"No Entries Found!\"";
        EXPECT_EQ(FrontPage()->GetTypedText(), c.field);
        EXPECT_EQ(Lines(), c.lines);
        EXPECT_NE(Drawn().find(std::string("the entry ") + c.entry), std::string::npos) << Drawn();
    }
}

TEST_F(IndexesTest, ChoosingALineTheTypeAheadListed_ShowsThatEntryAmongTheTypedTextsHits)
{
    ASSERT_TRUE(FrontPage()->ChooseSearchType(1)); // defining text
    FrontPage()->SetTypedText("pillars");
    FrontPage()->DoCommand(KQBasicWin::kCmdTypedText, nullptr);
    ASSERT_EQ(Lines(), (std::vector<std::string>{"colonnade", "pillared"}));
    FrontPage()->GetHitList()->SelectItem(1);
    FrontPage()->DoCommand(KQBasicWin::kCmdLineChosen, nullptr);
    EXPECT_EQ(FrontPage()->GetTypedText(), "pillars");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"colonnade", "pillared"}));
    EXPECT_EQ(FrontPage()->GetHitList()->GetSelectedIndex(), 1);
    EXPECT_NE(Drawn().find("the entry pillared"), std::string::npos) << Drawn();
}

TEST_F(HomographTest, AHeadingLine_ShowsTheFirstEntryListedUnderIt)
{
    // A wildcard finds the word, filed once with two entries: a heading and its two lines.
    FrontPage()->SearchFor("bas*");
    ASSERT_EQ(Lines(), (std::vector<std::string>{"bass", "bass[1]", "bass[2]"}));
    EXPECT_EQ(FrontPage()->GetHitList()->GetSelectedIndex(), 0);
    EXPECT_NE(Drawn().find("sense of bass[1]"), std::string::npos) << "after the search: " << Drawn();
    FrontPage()->GetHitList()->SelectItem(2);
    FrontPage()->DoCommand(KQBasicWin::kCmdLineChosen, nullptr);
    EXPECT_NE(Drawn().find("sense of bass[2]"), std::string::npos) << Drawn();
    FrontPage()->GetHitList()->SelectItem(0);
    FrontPage()->DoCommand(KQBasicWin::kCmdLineChosen, nullptr);
    EXPECT_NE(Drawn().find("sense of bass[1]"), std::string::npos) << "the heading chosen: " << Drawn();
    EXPECT_EQ(MainWindow()->GetNotebook()->GetHistories().entries.Current()->word, "bass[1]");
}

// Two entries under one head word, with no homograph numbers to tell them apart.
class TwinEntriesTest : public BasicPageTest {
protected:
    void SetUp() override
    {
        TavlinFixture::SetUp();
        dictwriter::DictionarySource source;
        for (const std::string sense : {"a small animal", "to throw up"}) {
            dictwriter::SourceEntry entry;
            entry.head_word = "cat";
            entry.fields = dictwriter::encode_field_stream(
                {{tavlintest::kMainWord, "cat"}, {tavlintest::kDefinition, sense}});
            entry.terms.push_back({"va", "cat"});
            entry.terms.push_back({"df", "animal"});
            source.entries.push_back(entry);
        }
        source.key_tables = {"tr"};  // the indexes of the description's search types
        std::string error;
        ASSERT_TRUE(dictwriter::write_dictionary(source, itsDir.path() + "/data/alpha", nullptr, &error)) << error;
        Start();
    }
};

TEST_F(TwinEntriesTest, ReturnShowsTheFirstEntryAndAChosenLineItsOwn)
{
    FrontPage()->SetTypedText("cat");
    FrontPage()->DoCommand(KQBasicWin::kCmdTypedText, nullptr);
    ASSERT_EQ(Lines(), (std::vector<std::string>{"cat", "cat"}));
    FrontPage()->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"cat", "cat"}));
    EXPECT_EQ(FrontPage()->GetHitList()->GetSelectedIndex(), 0);
    EXPECT_NE(Drawn().find("small animal"), std::string::npos) << Drawn();
    // The second line chosen in the type-ahead's list shows the second entry.
    FrontPage()->SetTypedText("cat");
    FrontPage()->DoCommand(KQBasicWin::kCmdTypedText, nullptr);
    FrontPage()->GetHitList()->SelectItem(1);
    FrontPage()->DoCommand(KQBasicWin::kCmdLineChosen, nullptr);
    EXPECT_EQ(FrontPage()->GetHitList()->GetSelectedIndex(), 1);
    EXPECT_NE(Drawn().find("throw up"), std::string::npos) << Drawn();
}

// More words than the hit list has room for.
class ManyWordsTest : public BasicPageTest {
protected:
    void SetUp() override
    {
        TavlinFixture::SetUp();
        std::vector<tavlintest::Word> words;
        for (int i = 0; i < 3000; ++i) {
            char head[16];
            std::snprintf(head, sizeof head, "word%06d", i);
            words.push_back({head, "a word", {"word"}});
        }
        tavlintest::WriteDictionary(itsDir, "alpha", words);
        Start();
    }
};

TEST_F(ManyWordsTest, ACutList_CountsEveryHitAndSaysItListsTheFirstOnes)
{
    FrontPage()->SearchFor("word*");
    const int listed = FrontPage()->GetHitList()->GetCount();
    ASSERT_GT(listed, 1000);
    ASSERT_LT(listed, 3000);
    EXPECT_EQ(MainWindow()->GetCountText(), "3000 Entries Found");
    for (int page = 0; page < MainRefWin::kPageCount; ++page)
        EXPECT_EQ(MainWindow()->GetPage(page)->GetListLabel(),
                  "Only the first " + std::to_string(listed) + " are listed");
    // A list that fits says nothing of the kind.
    FrontPage()->SearchFor("word000001");
    EXPECT_EQ(MainWindow()->GetCountText(), "1 Entries Found");
    EXPECT_EQ(FrontPage()->GetListLabel(), "Click on a word to view it");
}

TEST_F(BasicPageTest, TypeAhead_ForASearchTypeWithoutItEmptiesTheList)
{
    FrontPage()->SearchFor("dog");
    ASSERT_TRUE(FrontPage()->ChooseSearchType(2)); // "Anagram of..." (tr)
    FrontPage()->SetTypedText("do");
    FrontPage()->DoCommand(KQBasicWin::kCmdTypedText, nullptr);
    EXPECT_EQ(FrontPage()->GetHitList()->GetCount(), 0);
}

TEST_F(BasicPageTest, HitList_KeysAndClicksChooseEntries)
{
    FrontPage()->SearchFor("cat*");
    KQListBox* list = FrontPage()->GetHitList();
    PressListKey(VKO_KEY_DOWN, true);
    EXPECT_EQ(list->GetSelectedIndex(), 1);
    EXPECT_NE(Drawn().find("list of things"), std::string::npos);
    PressListKey(VKO_KEY_TEXT_END, true);
    EXPECT_EQ(list->GetSelectedIndex(), 2);
    EXPECT_NE(Drawn().find("butterfly"), std::string::npos);
    PressListKey(VKO_KEY_DOWN, true);
    EXPECT_EQ(list->GetSelectedIndex(), 2) << "stays on the last line";
    // A click on the first line, through the window as the switchboard sends it, shows its
    // entry.
    const FRM_CRect frame = list->GetGlobalFrame();
    FRM_CSwitchBoard::RouteMouse(list->GetCWindow(), E_MOUSE_DOWN,
                                 FRM_CPoint(frame.Left() + 5, frame.Top() + 4), 1, 0, 0);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_NE(Drawn().find("domestic animal"), std::string::npos);
    EXPECT_EQ(list->SelectItem(-1), 0);
    EXPECT_EQ(list->SelectItem(3), 0);
    // Escape clears the page.
    PressListKey(27, false);
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(FrontPage()->GetTypedText(), "");
}

TEST_F(BasicPageTest, DoubleClickOnAWordOfTheEntry_LooksItUpAsAnEntryWord)
{
    // Whatever search type is chosen, the word is looked up as an entry word: the chooser
    // goes back to "Entry word is...".
    for (const int chosen : {0, 1, 2}) {
        SCOPED_TRACE(chosen);
        ASSERT_TRUE(FrontPage()->ChooseSearchType(0));
        FrontPage()->SearchFor("cat");
        ASSERT_TRUE(FrontPage()->ChooseSearchType(chosen));
        const EntryPainter::Run* dog = nullptr;
        for (const EntryPainter::Run& run : Painter().runs())
            if (run.text == "dog")
                dog = &run;
        ASSERT_NE(dog, nullptr) << Drawn();
        FRM_CPoint at(dog->x + 2, dog->y - 2);
        const int notes = vkov_dm_test_count();
        PaneDoubleClick::Send(*FrontPage(), at);
        EXPECT_EQ(vkov_dm_test_count(), notes) << "no \"No Entries Found!\"";
        EXPECT_EQ(FrontPage()->GetSearchTypePosition(), 0);
        EXPECT_TRUE(FrontPage()->IsSpellingHelpEnabled());
        EXPECT_EQ(FrontPage()->GetTypedText(), "dog");
        EXPECT_EQ(Lines(), (std::vector<std::string>{"dog"}));
        EXPECT_NE(Drawn().find("barks"), std::string::npos);
        // Between the words: nothing happens.
        FRM_CPoint nowhere(2, 2);
        PaneDoubleClick::Send(*FrontPage(), nowhere);
        EXPECT_EQ(FrontPage()->GetTypedText(), "dog");
    }
}

// Hands what it is sent on to a level under another command's number: a payload that
// climbed to a level where its number means something else arrives so.
struct Misaddressed {
    FRM_CBoss* level;
    long number;
    void DoCommand(long, void* data) { level->DoCommand(number, data); }
};

// Every command's payload is read as the type it was sent as: the word an illustration's
// caption hands back is searched. At each level a number sent with a payload of another
// type, or with none, is refused where it is read: no search, window, print note or
// Window-menu change follows, and nothing is deleted.
TEST_F(BasicPageTest, CommandPayloads_AreReadOnlyAsTheTypeTheyWereSentAs)
{
    ImageLookUpWord::Send(*FrontPage(), std::string("dog"));
    EXPECT_EQ(FrontPage()->GetTypedText(), "dog");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"dog"}));

    RefDoc* document = ReferenceDocuments().front();
    KQedApp& application = *itsApplication;
    auto seen = [&] {
        return std::make_tuple(FrontPage()->GetTypedText(), Lines(),
                               MainWindow()->GetNotebook()->GetHistories().results.Count(),
                               document->GetWindows().entries(), application.GetWindowList().size(),
                               application.GetCurrentWindow(),
                               std::string(MainWindow()->GetMenuBar()->GetTitle(11501).data()),
                               MainWindow()->GetHelpLine(), vkov_dm_test_count());
    };
    const auto before = seen();
    // Each level is sent a payload of another command (each level's 87 is the other's) and
    // then nothing.
    enum Wrong { kRequest, kText }; // the document's search request, the page's text
    struct Case {
        const char* level;
        FRM_CBoss* target;
        long number;
        Wrong wrong;
    };
    const Case cases[] = {
        {"the page's search", FrontPage(), SearchPageWin::CmdSearchString::kNumber, kRequest},
        {"the document's search", document, RefDoc::CmdSearch::kNumber, kText},
        {"the document's illustration", document, RefDoc::CmdShowIllustration::kNumber, kText},
        {"the document's print note", document, PrintedFile::kNumber, kRequest},
        {"the application's next window", &application, KQedApp::CmdNextWindow::kNumber, kText},
        {"the application's window list", &application, KQedApp::CmdRegisterWindow::kNumber, kText},
        {"the application's window list", &application, KQedApp::CmdUnregisterWindow::kNumber, kRequest},
        {"the application's Window menu", &application, KQedApp::CmdRetitleWindow::kNumber, kText},
        {"the application's window shown", &application, KQedApp::CmdShowWindow::kNumber, kText},
        {"the application's deferred deletion", &application, KQedApp::CmdDeferredDelete::kNumber, kText},
    };
    SearchRequest request;
    request.text = "collar";
    request.code = "va";
    request.notebook = MainWindow()->GetNotebook();
    const std::string text = "printed.pdf";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        Misaddressed to{c.target, c.number};
        if (c.wrong == kRequest)
            RefDoc::CmdSearch::Send(to, request);
        else
            SearchPageWin::CmdSearchString::Send(to, text);
        c.target->DoCommand(c.number, nullptr);
        EXPECT_EQ(seen(), before);
    }
    // A deletion would be due now.
    vkov_test_advance_clock(150);
    vkok_app_process_pending_events();
    EXPECT_EQ(seen(), before);
    EXPECT_EQ(ReferenceDocuments().size(), 1u);
}

// How many pixels of the window's surface are white: a selection shows as inverted text,
// so it turns the white around the selected word dark.
int WhitePixels(WINDOW window)
{
    int32_t width = 0, height = 0;
    int white = 0;
    if (!vkov_debug_surface_size(window, &width, &height))
        return -1;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            white += (vkov_debug_surface_pixel(window, x, y) & 0xFFFFFFU) == 0xFFFFFFU;
    return white;
}

TEST_F(BasicPageTest, DragOverAWordOfTheEntry_ShowsItSelected)
{
    FrontPage()->SearchFor("cat");
    const EntryPainter::Run* dog = nullptr;
    for (const EntryPainter::Run& run : Painter().runs())
        if (run.text == "dog")
            dog = &run;
    ASSERT_NE(dog, nullptr) << Drawn();
    const WINDOW window = MainWindow()->GetVKOWindow();
    const int before = WhitePixels(window);
    ASSERT_GT(before, 0);
    FRM_CPoint points[2] = {FRM_CPoint(dog->x + 1, dog->y - 2), FRM_CPoint(dog->x + 1, dog->y - 2)};
    PaneDrag::Send(*FrontPage(), points);
    EXPECT_EQ(Painter().SelectedText(), "dog");
    EXPECT_LT(WhitePixels(window), before - 50) << "the selected word shows inverted";
}

TEST_F(BasicPageTest, SpellingHelp_AsksTheDocumentsWindowForTheTypedWordUnderTheChosenIndex)
{
    // The page asks its document, which opens the spelling-help window on the typed word;
    // the test's modal loop ends with nothing confirmed, and the page keeps its text.
    struct Case {
        int position;
        const char* typed;
        const char* field;  // what the window's field shows
    };
    const Case cases[] = {{0, "colour", "colour"}, {1, "collar", "collar"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(FrontPage()->ChooseSearchType(c.position));
        FrontPage()->SetTypedText(c.typed);
        FrontPage()->DoCommand(SearchPageWin::kCmdSpellingHelp, nullptr);
        SpHelpWin* window = nullptr;
        const RWOrdered& windows = ReferenceDocuments().front()->GetWindows();
        for (std::size_t i = 0; i < windows.entries(); ++i)
            if (auto* spelling = dynamic_cast<SpHelpWin*>(windows[i]))
                window = spelling;
        ASSERT_NE(window, nullptr) << "the document opened its spelling-help window";
        EXPECT_STREQ(window->GetField()->GetTitle().data(), c.field);
        EXPECT_GT(window->GetList()->GetNumItems(), 0) << "it lists the words that sound alike";
        EXPECT_EQ(FrontPage()->GetTypedText(), c.typed) << "nothing confirmed: the text stays";
        window->Close();
        vkok_app_process_pending_events();
    }
}

TEST_F(BasicPageTest, SearchTypes_ChooseTheIndexAndWhetherSpellingHelpIsOffered)
{
    struct Case {
        int position;
        const char* code;
        bool spelling;
    };
    const Case cases[] = {{0, "va", true}, {1, "df", true}, {2, "tr", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ASSERT_TRUE(FrontPage()->ChooseSearchType(c.position));
        EXPECT_EQ(FrontPage()->GetIndexCode(), c.code);
        EXPECT_EQ(FrontPage()->IsSpellingHelpEnabled(), c.spelling);
    }
    EXPECT_FALSE(FrontPage()->ChooseSearchType(3));
    EXPECT_FALSE(FrontPage()->ChooseSearchType(-1));
}

TEST_F(BasicPageTest, ListButtons_MoveThroughTheResultsListsAndFollowTheHistory)
{
    FRM_CButton* previous = FrontPage()->GetListButton(false);
    FRM_CButton* next = FrontPage()->GetListButton(true);
    FrontPage()->SearchFor("cat*");
    EXPECT_FALSE(previous->IsEnabled());
    FrontPage()->SearchFor("dog");
    EXPECT_TRUE(previous->IsEnabled());
    EXPECT_FALSE(next->IsEnabled());
    FrontPage()->DoCommand(KQBasicWin::kCmdPreviousList, nullptr);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"cat", "catalog", "caterpillar"}));
    EXPECT_FALSE(previous->IsEnabled());
    EXPECT_TRUE(next->IsEnabled());
    FrontPage()->DoCommand(KQBasicWin::kCmdNextList, nullptr);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"dog"}));
}

// How many drawing calls of the page's face touched a view's frame.
int DrawsOver(const FRM_CView* view)
{
    const WINDOW face = view->GetCWindow()->GetVKOWindow();
    const FRM_CRect frame = view->GetGlobalFrame();
    int count = 0;
    for (int i = 0; i < vkov_debug_draw_log_size(face); ++i) {
        vkov_draw_log_entry entry{};
        vkov_debug_draw_log_get(face, i, &entry);
        if (entry.has_clip && entry.clip.left < frame.Right() && frame.Left() < entry.clip.right &&
            entry.clip.top < frame.Bottom() && frame.Top() < entry.clip.bottom)
            ++count;
    }
    return count;
}

TEST_F(BasicPageTest, ListButtons_AreDrawnAgainOnlyWhenTheyChange)
{
    FRM_CButton* previous = FrontPage()->GetListButton(false);
    FRM_CButton* next = FrontPage()->GetListButton(true);
    const WINDOW face = previous->GetCWindow()->GetVKOWindow();
    FrontPage()->SearchFor("cat*");
    FrontPage()->SearchFor("dog");
    vkok_app_process_pending_events();
    vkov_debug_draw_log_clear(face);
    FrontPage()->SearchFor("dog"); // the buttons stay as they are
    vkok_app_process_pending_events();
    EXPECT_EQ(DrawsOver(previous), 0);
    EXPECT_EQ(DrawsOver(next), 0);
    FrontPage()->DoCommand(KQBasicWin::kCmdPreviousList, nullptr); // both change
    vkok_app_process_pending_events();
    EXPECT_GT(DrawsOver(previous), 0);
    EXPECT_GT(DrawsOver(next), 0);
}

TEST_F(BasicPageTest, PageCommands_RestoreSearchesShowListMovesAndChooseSearchTypes)
{
    FRM_CMenuBar* bar = MainWindow()->GetMenuBar();
    FRM_CButton* previous = FrontPage()->GetListButton(false);
    FRM_CButton* next = FrontPage()->GetListButton(true);
    struct Case {
        const char* what;
        long command; // restore a search, the list moves or a search type chosen
        KQBasicWin::RestoredSearch restored;
        KQBasicWin::ListMoves moves;
        KQBasicWin::SearchChoice choice;
        const char* text;      // the field's text afterwards
        int searchType;        // the chooser's position afterwards
        int nextOn, previousOn; // -1: not looked at
    };
    const Case cases[] = {
        {"restore with a type", KQBasicWin::CmdRestoreSearch::kNumber, {"animal", 1}, {}, {}, "animal", 1, -1, -1},
        {"restore keeping the type", KQBasicWin::CmdRestoreSearch::kNumber, {"dog", -1}, {}, {}, "dog", 1, -1, -1},
        {"next list only", KQBasicWin::CmdListMoves::kNumber, {}, {1, 0}, {}, "dog", 1, 1, 0},
        {"previous list only", KQBasicWin::CmdListMoves::kNumber, {}, {0, 1}, {}, "dog", 1, 0, 1},
        {"choose a type", KQBasicWin::CmdChooseSearch::kNumber, {}, {}, {0, 2}, "dog", 2, -1, -1},
        {"a type out of the list", KQBasicWin::CmdChooseSearch::kNumber, {}, {}, {0, 7}, "dog", 2, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.command == KQBasicWin::CmdRestoreSearch::kNumber)
            KQBasicWin::CmdRestoreSearch::Send(*FrontPage(), c.restored);
        else if (c.command == KQBasicWin::CmdListMoves::kNumber)
            KQBasicWin::CmdListMoves::Send(*FrontPage(), c.moves);
        else
            KQBasicWin::CmdChooseSearch::Send(*FrontPage(), c.choice);
        EXPECT_EQ(FrontPage()->GetTypedText(), c.text);
        EXPECT_EQ(FrontPage()->GetSearchTypePosition(), c.searchType);
        if (c.nextOn >= 0) {
            EXPECT_EQ(bar->IsEnabled(17), c.nextOn) << "Next List";
            EXPECT_EQ(next->IsEnabled() ? 1 : 0, c.nextOn);
            EXPECT_EQ(bar->IsEnabled(16), c.previousOn) << "Previous List";
            EXPECT_EQ(previous->IsEnabled() ? 1 : 0, c.previousOn);
        }
    }
    // "Anagram of..." offers no spelling help.
    EXPECT_FALSE(FrontPage()->IsSpellingHelpEnabled());
}

TEST_F(BasicPageTest, Search_HandsTheKeysToTheHitListWhenItFoundSomething)
{
    const WINDOW field = FrontPage()->GetField()->GetVKOWindow();
    const WINDOW list = FrontPage()->GetHitList()->GetVKOWindow();
    struct Case {
        const char* text;
        int page;
        WINDOW keys;
    };
    const Case cases[] = {
        {"dog", 0, list},
        {"zebra", 0, field},      // nothing found: the word can be mended
        {"cat,dog", 0, list},
        {"cat", 2, nullptr},      // the browse page's own list
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        MainWindow()->ShowPage(c.page);
        FrontPage()->FocusField();
        FrontPage()->SearchFor(c.text);
        EXPECT_EQ(vkok_scr_get_focus_vobj(),
                  c.keys != nullptr ? c.keys : FrontPage()->GetHitList()->GetVKOWindow());
    }
    // Escape in the list clears and gives the keys back to the field.
    FrontPage()->DoKey(FRM_CKey(27, 0, 0, 0, 0));
    EXPECT_EQ(vkok_scr_get_focus_vobj(), FrontPage()->GetField()->GetVKOWindow());
}

TEST_F(BasicPageTest, Tab_RunsFromTheFieldThroughThePageAndTheWindowAndBack)
{
    FrontPage()->FocusField();
    const WINDOW field = FrontPage()->GetField()->GetVKOWindow();
    ASSERT_EQ(vkok_scr_get_focus_vobj(), field);
    const WINDOW next = test_support::TabFrom(field);
    EXPECT_NE(next, field) << "Tab leaves the field";
    EXPECT_EQ(test_support::TabFrom(next, true), field) << "Shift-Tab comes back";
    // Round the page: every stop is met once before the field comes again.
    std::vector<WINDOW> visited;
    for (WINDOW at = test_support::TabFrom(field); at != field && visited.size() < 30;
         at = test_support::TabFrom(at))
        visited.push_back(at);
    EXPECT_LT(visited.size(), 30u) << "Tab comes back to the field";
    const auto met = [&visited](WINDOW window) {
        return std::find(visited.begin(), visited.end(), window) != visited.end();
    };
    EXPECT_TRUE(met(FrontPage()->GetHitList()->GetVKOWindow())) << "the hit list";
    EXPECT_TRUE(met(FrontPage()->GetEntryPane()->PaneWindow())) << "the entry pane";
    EXPECT_TRUE(met(MainWindow()->GetIDData().Get<FRM_CView>(1060)->GetVKOWindow())) << "the dictionary selector";
    EXPECT_EQ(visited.size(), 8u)
        << "Search, Clear, Spelling Help, the list, the entry pane, the selector, the tabs, the chooser";
}

TEST(BrowsePattern, StartsOrEndsWithTheLowerCasedText)
{
    EXPECT_EQ(BrowseWin::BrowsePattern("Gar", 0), "gar*");
    EXPECT_EQ(BrowseWin::BrowsePattern("ing", 1), "*ing");
    for (const char* never : {"", ".", "*", "?"})
        EXPECT_EQ(BrowseWin::BrowsePattern(never, 0), "") << never;
}

TEST_F(BasicPageTest, BrowsePage_ListsEntryWordsByTheirBeginningOrEnd)
{
    MainWindow()->DoMenuCommand(21, 0, 0); // Browse Searches
    ASSERT_EQ(FrontPage()->GetKind(), KQBasicWin::kBrowse);
    FrontPage()->SearchFor("CAT");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"cat", "catalog", "caterpillar"}));
    ASSERT_TRUE(FrontPage()->ChooseSearchType(1)); // ends with
    FrontPage()->SearchFor("g");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"catalog", "dog"}));
    EXPECT_FALSE(FrontPage()->ChooseSearchType(2)) << "two choices only";
    // Typing browses nothing by itself.
    FrontPage()->SetTypedText("ca");
    FrontPage()->DoCommand(KQBasicWin::kCmdTypedText, nullptr);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"catalog", "dog"}));
    MainWindow()->DoMenuCommand(19, 0, 0); // back to Basic Searches
    EXPECT_EQ(FrontPage()->GetKind(), KQBasicWin::kBasic);
    EXPECT_EQ(FrontPage()->GetIndexCode(), "va");
}

TEST_F(BasicPageTest, AdvancedPage_RunsACheckedQueryAsWritten)
{
    MainWindow()->DoMenuCommand(20, 0, 0); // Advanced Searches
    ASSERT_EQ(FrontPage()->GetKind(), KQBasicWin::kAdvanced);
    // A label stays in force for the words after it.
    FrontPage()->SearchFor("Defining text contains...=domestic & barks");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"dog"}));
    FrontPage()->SearchFor("Defining text contains...=domestic & Entry word is...=cat*");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"cat"}));
    FrontPage()->SearchFor("Defining text contains...=animal & ! Entry word is...=dog");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"cat"}));
    bool highlighted = false;
    for (const EntryPainter::Run& run : Painter().runs())
        highlighted = highlighted || (run.highlight != 0 && run.text.find("animal") != std::string::npos);
    EXPECT_TRUE(highlighted);
    const int notes = vkov_dm_test_count();
    FrontPage()->SearchFor("cat &");
    EXPECT_EQ(vkov_dm_test_count(), notes + 1);
    EXPECT_STREQ(vkov_dm_test_text(notes), "Unable to do Search");
    EXPECT_EQ(Lines(), (std::vector<std::string>{})) << "the page was cleared for the new text";
}

TEST_F(BasicPageTest, DefiningTextSearch_HighlightsTheSearchedWord)
{
    ASSERT_TRUE(FrontPage()->ChooseSearchType(1)); // "Defining text contains..." (df)
    FrontPage()->SearchFor("animal");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"cat", "dog"}));
    bool highlighted = false;
    for (const EntryPainter::Run& run : Painter().runs())
        highlighted = highlighted || (run.highlight != 0 && run.text.find("animal") != std::string::npos);
    EXPECT_TRUE(highlighted);
}

} // namespace


namespace {

TEST_F(BasicPageTest, HitList_IsDrawnWhereItStandsWithItsLinesAndTheSelection)
{
    // The list's text edit is a child window of the page's face, and draws itself there.
    KQListBox* list = FrontPage()->GetHitList();
    const WINDOW textEdit = reinterpret_cast<WINDOW>(list->GetVKOTextEdit());
    vkov_debug_draw_log_clear(textEdit);
    FrontPage()->SearchFor("cat*");
    vkok_app_process_pending_events();
    const FRM_CRect frame = list->GetGlobalFrame();
    ASSERT_GT(frame.Top(), 0.0f) << "the list stands below the page's top";
    s_rct outer{};
    vko_tx_get_rect(list->GetVKOTextEdit(), &outer);
    EXPECT_GE(outer.left, frame.Left());
    EXPECT_GE(outer.top, frame.Top());
    EXPECT_LE(outer.right, frame.Right());
    EXPECT_LE(outer.bottom, frame.Bottom());
    // The selected first line is drawn inverted.
    EXPECT_NE(vkov_debug_surface_pixel(textEdit, 6, 5) & 0xFFFFFF, 0xFFFFFFu);
    // Its three lines are drawn.
    const std::vector<std::string> drawn = DrawnTexts(textEdit);
    for (const char* line : {"\"cat\"", "\"catalog\"", "\"caterpillar\""})
        EXPECT_NE(std::find(drawn.begin(), drawn.end(), line), drawn.end()) << line;
}

} // namespace

namespace {

// Keys typed while the entry pane has the keys (a click there took them, for Copy): text goes
// on in the field where its caret was left, the keys after it follow by themselves; keys that
// are no text stay with the pane.
TEST_F(BasicPageTest, EntryPane_TextTypedThereGoesOnInTheField)
{
    // A key to wherever the keys are when it is typed.
    const auto type = [](std::uint16_t character, bool control) {
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = character;
        event.v.chr.control = control ? 1 : 0;
        event.v.chr.modifiers = control ? FRM_CKey::kControl : 0;
        vkov_test_post_event(vkok_scr_get_focus_vobj(), &event);
        vkok_app_process_pending_events();
    };
    struct Case {
        const char* why;
        std::vector<std::uint16_t> typed;
        bool control;
        const char* field;
        bool fieldHasKeys;
    };
    const Case cases[] = {
        {"letters", {'a', 'l', 'o', 'g'}, false, "catalog", true},
        {"a blank is text too", {' '}, false, "cat ", true},
        {"Backspace is no text", {8}, false, "cat", false},
        {"Return is no text", {13}, false, "cat", false},
        {"a letter with Ctrl is no text", {'q'}, true, "cat", false},
    };
    const WINDOW pane = FrontPage()->GetEntryPane()->PaneWindow();
    const WINDOW field = FrontPage()->GetField()->GetVKOWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FrontPage()->SearchFor("cat");
        vkok_app_process_pending_events();
        ASSERT_TRUE(MainWindow()->GetPainter().hasText());
        vko_scr_set_focus_vobj(pane);
        for (const std::uint16_t character : c.typed)
            type(character, c.control);
        EXPECT_EQ(FrontPage()->GetTypedText(), c.field);
        EXPECT_EQ(vkok_scr_get_focus_vobj(), c.fieldHasKeys ? field : pane);
    }
}

} // namespace
