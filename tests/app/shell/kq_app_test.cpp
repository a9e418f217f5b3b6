// Tests of the application shell, headless against the real framework: start-up and the
// dictionary it opens, the main window's menus from the program's resources, the Window
// menu, the application's menu items, and the quit after the last reference window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/settings/config_dict.h"
#include "app/shell/bookmark_store.h"
#include "app/shell/kq_factory.h"
#include "resources/menu_tags.h"
#include "app/shell/user_info_doc.h"
#include "frm/core/cobjrwc.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cmenubar.h"
#include "vkobase/dm.h"
#include "vkobase/res.h"

#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

class Shell : public TavlinFixture {};

TEST_F(Shell, StartUp_OpensTheDictionaryThePreferencesNameElseTheFirst)
{
    struct Case {
        const char* why;
        const char* prefs;   // null: no preferences file
        const char* opened;  // ref_name of the dictionary opened
        int searchType;
    };
    const Case cases[] = {
        {"no preferences: the first description", nullptr, "Alpha", 0},
        {"named by the preferences (a CR LF description)", "reference=Beta\nsearch_type=0\n", "Beta", 0},
        {"a name no description has: the first", "reference=Gamma\nsearch_type=1\n", "Alpha", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::filesystem::remove(itsDir.path() + "/Pref.kq");
        if (c.prefs != nullptr)
            itsDir.write("Pref.kq", c.prefs);
        Start();
        ASSERT_TRUE(itsApplication->IsStarted());
        EXPECT_EQ(itsApplication->GetDescriptions().entries(), 2u);
        const std::vector<RefDoc*> documents = ReferenceDocuments();
        ASSERT_EQ(documents.size(), 1u);
        EXPECT_TRUE(documents[0]->IsOpen());
        EXPECT_STREQ(documents[0]->GetDescription()->ref_name().data(), c.opened);
        EXPECT_EQ(itsApplication->GetPrefs().search_type, c.searchType);
        ASSERT_NE(MainWindow(), nullptr);
        EXPECT_STREQ(MainWindow()->GetTitle().data(), c.opened);
        Stop();
    }
}

TEST_F(Shell, StartUp_ATextSizeEntriesCannotBeDrawnInGivesWayToTheDefault)
{
    struct Case {
        const char* line;
        int size;
    };
    const Case cases[] = {
        {"font_size=18\n", 18}, {"font_size=6\n", 6},   {"font_size=72\n", 72},
        {"font_size=0\n", 12},  {"font_size=-4\n", 12}, {"font_size=99999\n", 12},
        {"font_size=73\n", 12}, {"font_size=big\n", 12}, {"base_dir=/tmp\n", 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        itsDir.write("Pref.kq", c.line);
        Start();
        ASSERT_TRUE(itsApplication->IsStarted());
        EXPECT_EQ(itsApplication->GetPrefs().font_size, c.size);
        Stop();
    }
}

// Records each kind of call the base library refused, once, as "code in call".
void RecordRefusal(WINDOW, int32_t severity, uint32_t code, const char*, int32_t, void* context)
{
    if (severity < 2)
        return;
    char text[160];
    const char* api = vkov_test_errfrm_top();
    std::snprintf(text, sizeof text, "0x%X in %s", static_cast<unsigned>(code), api != nullptr ? api : "?");
    auto* refused = static_cast<std::vector<std::string>*>(context);
    if (std::find(refused->begin(), refused->end(), text) == refused->end())
        refused->push_back(text);
}

// A program that ends its application and starts a new one in the same process: the new one
// gets toolkit fonts of its own, and no call of its start, search or end is refused.
TEST_F(Shell, StartingAgainInTheSameProcess_TheNewProgramHasItsFonts)
{
    Start();
    FrontPage()->SearchFor("cat");
    Stop();

    std::vector<std::string> refused;
    vkov_test_set_errmsg_hook(RecordRefusal, &refused);
    Start();
    ASSERT_TRUE(itsApplication->IsStarted());
    EXPECT_NE(static_cast<s_fntid*>(FRM_CObjectRWC::GetG()->GetSTDFont()), nullptr);
    FrontPage()->SearchFor("cat");
    vkok_app_process_pending_events();
    Stop();
    vkov_test_set_errmsg_hook(nullptr, nullptr);
    EXPECT_EQ(refused, std::vector<std::string>{});
}

// text as a regular expression that matches it alone.
std::string Literally(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (std::strchr(".[]{}()\\*+?^$|", c) != nullptr)
            out += '\\';
        out += c;
    }
    return out;
}

// Ends the program with the text of the last box shown (the fatal one) on standard error.
// The fatal exit ends through std::terminate; whether the runtime then prints what was
// thrown depends on the optimisation, so the death tests read the box instead.
[[noreturn]] void WriteLastBoxAndAbort()
{
    const int count = vkov_dm_test_count();
    std::fprintf(stderr, "last box: %s\n", count > 0 ? vkov_dm_test_text(count - 1) : "");
    std::abort();
}

using StartUpProblem = TavlinFixture;

// The one search type of the descriptions below that describe a dictionary.
#define SEARCH_LINE "search_text=Entry word is...,va\n"

TEST_F(StartUpProblem, EachProblemNamesItsFileAndTheLineFieldOrPathAtFault)
{
    const std::string noDescription = "Can't open configuration files (*.dct).";
    const std::string noDictionary = "Fatal Error:  Unable to find the dictionary file!";
    struct Case {
        const char* why;
        const char* a;  // a.dct, or null for none
        const char* b;  // b.dct, or null for none
        std::function<void()> damage;
        std::string message;
    };
    const auto none = [] {};
    // The entries take their words from a header whose bytes 16 to 80 of the file are then
    // set to 0xFF, garbling the words taken from them ("cat" among them).
    const auto damagedHeader = [this] {
        WriteDictionary(itsDir, "alpha", tavlintest::Animals(),
                        "The animals of this dictionary: the caterpillar, the cat, the dog and others of all kinds");
        std::string bytes = itsDir.read("data/alpha.cmp");
        bytes.replace(16, 64, 64, '\xFF');
        itsDir.write("data/alpha.cmp", bytes);
    };
    const Case cases[] = {
        {"no description at all", nullptr, nullptr, none,
         noDescription + "\nThe working folder holds no description file (*.dct)."},
        {"empty descriptions", "", "", none,
         noDescription + "\na.dct: no ref_name line (the dictionary's name)"
                         "\nb.dct: no ref_name line (the dictionary's name)"},
        {"random bytes", "ref_name=Alpha\n\x01\x9f\x02=\xee,\x7f\n", nullptr, none,
         noDescription + "\na.dct line 2: not a line of text"},
        {"a description cut short", "ref_name=Alpha\nbase_dir=data/\nbase_na", nullptr, none,
         noDescription + "\na.dct: no base_name line (the name of its data files)"},
        {"no search types", "ref_name=Alpha\nbase_dir=data/\nbase_name=alpha\n", nullptr, none,
         noDescription + "\na.dct: no search_text line (the searches it offers)"},
        {"a missing data file", "ref_name=Alpha\nbase_dir=data/\nbase_name=gone\n" SEARCH_LINE,
         nullptr, none,
         noDictionary + "\nAlpha (base_dir=data/, base_name=gone): cannot open \"data/gone.cmp\" "
                        "(No such file or directory)"},
        {"base_dir without its closing '/'",
         "ref_name=Alpha\nbase_dir=data\nbase_name=alpha\n" SEARCH_LINE,
         nullptr, none,
         noDictionary + "\nAlpha (base_dir=data, base_name=alpha): cannot open \"dataalpha.cmp\" "
                        "(No such file or directory)"},
        {"a folder in the data file's place",
         "ref_name=Alpha\nbase_dir=data/\nbase_name=alpha\n" SEARCH_LINE,
         nullptr,
         [] {
             std::filesystem::remove("data/alpha.cmp");
             std::filesystem::create_directory("data/alpha.cmp");
         },
         noDictionary + "\nAlpha (base_dir=data/, base_name=alpha): data/alpha.cmp: a folder, not a data file"},
        {"a data file cut short", "ref_name=Alpha\nbase_dir=data/\nbase_name=alpha\n" SEARCH_LINE,
         nullptr,
         [] { std::filesystem::resize_file("data/alpha.cmp", 40); },
         noDictionary + "\nAlpha (base_dir=data/, base_name=alpha): data/alpha.cmp: the file is cut short "
                        "(its last entry would end past byte 40)"},
        {"a damaged header", "ref_name=Alpha\nbase_dir=data/\nbase_name=alpha\n" SEARCH_LINE, nullptr,
         damagedHeader,
         noDictionary + "\nAlpha (base_dir=data/, base_name=alpha): data/alpha.cmp: its header is damaged "
                        "(the text of \"cat\" does not start with its head word)"},
        {"a broken description beside a good one: the good one opens", "",
         "ref_name=Beta\nbase_dir=data/\nbase_name=beta\n" SEARCH_LINE, none, ""},
        {"the one the preferences name is broken: the good one opens",
         "ref_name=Dorvane-Kestle's Orlesse Dictionary\n",
         "ref_name=Beta\nbase_dir=data/\nbase_name=beta\n" SEARCH_LINE, none, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::filesystem::remove("a.dct");
        std::filesystem::remove("b.dct");
        std::filesystem::remove_all("data/alpha.cmp");
        WriteDictionary(itsDir, "alpha", tavlintest::Animals());
        if (c.a != nullptr)
            itsDir.write("a.dct", c.a);
        if (c.b != nullptr)
            itsDir.write("b.dct", c.b);
        c.damage();
        if (c.message.empty()) {
            Start();
            EXPECT_TRUE(itsApplication->IsStarted());
            Stop();
            continue;
        }
        // The fatal message ends the program; in tests the fatal exit throws through a
        // frame that lets nothing through.
        EXPECT_DEATH(
            {
                std::set_terminate(WriteLastBoxAndAbort);
                Start();
            },
            "last box: " + Literally(c.message) + "\n");
    }
}

#undef SEARCH_LINE

// The dialogs shown so far, one a line, each line's breaks shown as " | ".
void PrintDialogs()
{
    for (int i = 0; i < vkov_dm_test_count(); ++i) {
        std::string text = vkov_dm_test_text(i);
        for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at))
            text.replace(at, 1, " | ");
        std::fprintf(stderr, "%s: %s\n", vkov_dm_test_kind(i), text.c_str());
    }
}

TEST_F(Shell, DamageMetAfterStart_NamesTheFileSavesTheBookmarksAndEnds)
{
    Start();
    // A bookmark whose save failed, waiting for the next one.
    std::filesystem::create_directories(itsDir.path() + "/BookMark.kq/in");
    ASSERT_NE(itsApplication->GetBookmarks().AddBookmark(nullptr, "dog", "Alpha"), nullptr);
    std::filesystem::remove_all(itsDir.path() + "/BookMark.kq");
    // The data file is cut under the running program; the first entry shown reads past it.
    EXPECT_EXIT(
        {
            std::atexit(PrintDialogs);
            std::filesystem::resize_file("data/alpha.cmp", 64);
            FrontPage()->SearchFor("caterpillar");
        },
        ::testing::ExitedWithCode(255),
        "error: The dictionary file data/alpha\\.cmp is damaged: unable to read file at offset [0-9]+\\. \\| "
        "Your bookmarks and preferences are saved\\. TavlinCD must close\\.");
    EXPECT_EQ(itsDir.read("BookMark.kq"), "Alpha:<>:dog\n");
}

TEST_F(Shell, AnEntryThatDoesNotDecode_SaysSoRatherThanShowingABlankPane)
{
    // The first compressed block (cat's) holds bytes that decode as nothing; the index, the
    // length words and the file's size are whole, so the dictionary opens.
    std::string cmp = itsDir.read("data/alpha.cmp");
    const std::size_t block = 2 + ((static_cast<unsigned char>(cmp[0]) << 8) | static_cast<unsigned char>(cmp[1]));
    const std::size_t length = (static_cast<unsigned char>(cmp[block]) << 8) | static_cast<unsigned char>(cmp[block + 1]);
    ASSERT_LE(block + 2 + length, cmp.size());
    cmp.replace(block + 2, length, std::string(length, '\xFF'));
    itsDir.write("data/alpha.cmp", cmp);
    Start();
    ASSERT_TRUE(itsApplication->IsStarted());
    const int before = vkov_dm_test_count();
    FrontPage()->SearchFor("cat");
    ASSERT_NE(MainWindow()->GetNotebook()->GetCurrentHits(), nullptr);
    EXPECT_GE(MainWindow()->GetNotebook()->GetCurrentHits()->entries(), 1u) << "the hits are still listed";
    ASSERT_GT(vkov_dm_test_count(), before);
    EXPECT_STREQ(vkov_dm_test_kind(before), "warning");
    EXPECT_STREQ(vkov_dm_test_text(before),
                 "The entry \"cat\" cannot be read: the dictionary file data/alpha.cmp is damaged.");
}

TEST_F(Shell, MainWindow_HasTheProgramsMenuBarWithTheItemsThatStartDisabled)
{
    Start();
    FRM_CMenuBar* bar = MainWindow()->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    // Basic Searches is the page in front: its item is off. Nothing viewed yet: no word to
    // copy, no history to move through.
    for (const short off : {3, 4, 5, 6, 8, 9, 10, 12, 14, 15, 16, 17, 18, 19}) {
        SCOPED_TRACE(off);
        EXPECT_EQ(bar->IsInMenu(off), 1);
        EXPECT_EQ(bar->IsEnabled(off), 0);
    }
    for (const short on : {32001, 32007, 32003, 32009, 32031, 11, 20, 21,
                           25, 28, 29, 30, 31, 33, 35, 32462, 32457, 66}) {
        SCOPED_TRACE(on);
        EXPECT_EQ(bar->IsInMenu(on), 1);
        EXPECT_EQ(bar->IsEnabled(on), 1);
    }
    EXPECT_STREQ(bar->GetTitle(menutag::kHistory).data(), "&History");
}

TEST_F(Shell, Resources_HoldTheMessagesExactlyAndTheHistoryAndPopupMenus)
{
    char text[128];
    ASSERT_NE(vkov_res_get_str(1200, text, sizeof text), nullptr);
    EXPECT_STREQ(text, "Fatal Error:  Unable to find the dictionary file!");
    ASSERT_NE(vkov_res_get_str(1133, text, sizeof text), nullptr);
    EXPECT_STREQ(text, "0 Entries found.");
    ASSERT_NE(vkov_res_get_str(1006, text, sizeof text), nullptr);
    EXPECT_STREQ(text, " ");
    for (const int id : {1003, 1005, 1007, 1009, 1011, 39006, 39007, 39008, 39009, 39010, 39011,
                         39100, 1001}) {
        SCOPED_TRACE(id);
        IMAGE image = vkov_res_get_image(id);
        EXPECT_NE(image, nullptr);
        if (image != nullptr)
            vkov_image_destroy(image);
    }
    for (const int menu : {static_cast<int>(menutag::kMainMenuBar), static_cast<int>(menutag::kHistoryMenus),
                           static_cast<int>(menutag::kEntryPopupMenu), 9001, 9002}) {
        MENU_TREE tree = vkov_res_get_menu(menu);
        EXPECT_NE(tree, nullptr) << menu;
        vkov_res_free_menu_tree(tree);
    }
}

TEST_F(Shell, WindowMenu_FollowsTheReferenceWindowsAndRenumbersAfterAClose)
{
    Start();
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    vkok_app_process_pending_events();
    std::vector<RefDoc*> documents = ReferenceDocuments();
    ASSERT_EQ(documents.size(), 3u);
    ASSERT_EQ(itsApplication->GetWindowList().size(), 3u);
    FRM_CMenuBar* bar = documents[2]->GetMainWindow()->GetMenuBar();
    for (short tag = 11501; tag <= 11503; ++tag)
        EXPECT_EQ(bar->IsInMenu(tag), 1) << tag;

    // Next Window from the last goes round to the first.
    KQedApp::CmdNextWindow::Send(*itsApplication, *documents[2]->GetMainWindow());
    EXPECT_EQ(itsApplication->GetCurrentWindow(), 0);

    // Closing the middle window: the later one takes its number.
    MainRefWin* last = documents[2]->GetMainWindow();
    documents[1]->GetMainWindow()->Close();
    vkok_app_process_pending_events();
    ASSERT_EQ(itsApplication->GetWindowList().size(), 2u);
    EXPECT_EQ(itsApplication->GetWindowList()[1], last);
    EXPECT_EQ(last->GetMenuBar()->IsInMenu(11502), 1);
    EXPECT_EQ(last->GetMenuBar()->IsInMenu(11503), 0);
    // The closed window's document goes once the event is over.
    vkov_test_advance_clock(150);
    vkok_app_process_pending_events();
    EXPECT_EQ(ReferenceDocuments().size(), 2u);
}

TEST_F(Shell, WindowMenu_ItemTextsAndPlacesOutsideTheList)
{
    Start();
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    const std::vector<RefDoc*> documents = ReferenceDocuments();
    ASSERT_EQ(documents.size(), 2u);
    MainRefWin* second = documents[1]->GetMainWindow();
    KQedApp::CmdRetitleWindow::Send(*itsApplication, KQedApp::WindowTitle{second, "cat"});
    EXPECT_EQ(std::string(second->GetMenuBar()->GetTitle(11502).data()),
              std::string(second->GetTitle().data()) + " - cat");
    // An entry shown names it there too.
    second->GetFrontPage()->SearchFor("dog");
    EXPECT_EQ(std::string(second->GetMenuBar()->GetTitle(11502).data()),
              std::string(second->GetTitle().data()) + " - dog");
    // A word with a mnemonic mark shows as written.
    KQedApp::CmdRetitleWindow::Send(*itsApplication, KQedApp::WindowTitle{second, "R&D"});
    EXPECT_EQ(std::string(second->GetMenuBar()->GetTitle(11502).data()),
              std::string(second->GetTitle().data()) + " - R&&D");
    KQedApp::CmdRetitleWindow::Send(*itsApplication, KQedApp::WindowTitle{nullptr, "dog"}); // nothing happens

    for (const long place : {0L, 3L, -1L}) {
        KQedApp::CmdShowWindow::Send(*itsApplication, place);
        EXPECT_EQ(itsApplication->GetCurrentWindow(), 1) << "place " << place << " goes nowhere";
    }
    KQedApp::CmdShowWindow::Send(*itsApplication, 1L);
    EXPECT_EQ(itsApplication->GetCurrentWindow(), 0);
    itsApplication->DoMenuCommand(11502, 0, 0);
    EXPECT_EQ(itsApplication->GetCurrentWindow(), 1);
}

TEST_F(Shell, LastReferenceWindowClosed_TheProgramQuitsAfterADelay)
{
    Start();
    MainWindow()->Close();
    vkok_app_process_pending_events();
    EXPECT_TRUE(FRM_CApplication::IsInstantiated()) << "not at once";
    vkov_test_advance_clock(250);
    vkok_app_process_pending_events();
    EXPECT_FALSE(vkov_vobj_is_valid(itsTaskWindow)) << "the task window is gone: shut down";
}

TEST_F(Shell, OpeningAFile_AsksForItAndOpensAWindowOnlyForOneThatCanBeRead)
{
    Start();
    itsDir.write("notes.txt", "a file");
    std::filesystem::create_directories(itsDir.path() + "/folder");
    auto* user = itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
    ASSERT_NE(user, nullptr);
    struct Case {
        const char* what;
        bool user;         // the user's document, else the application (a new reference document)
        int answer;        // 2 chosen, 1 cancelled
        const char* path;
        short opened;
        std::size_t references;  // reference documents afterwards
        bool error;
    };
    const Case cases[] = {
        {"cancelled", false, 1, nullptr, 0, 1, false},
        {"a readable file", false, 2, "notes.txt", 1, 2, false},
        {"a file that is not there", false, 2, "missing.txt", 0, 2, true},
        {"a folder", false, 2, "folder", 0, 2, true},
        {"the user's document, cancelled", true, 1, nullptr, 0, 2, false},
        {"the user's document, a readable file", true, 2, "notes.txt", 1, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::int32_t before = vkov_dm_test_count();
        vkov_dm_test_push_answer(c.answer, c.path, 0);
        EXPECT_EQ(c.user ? user->DoOpen() : itsApplication->DoOpen(), c.opened);
        ASSERT_GT(vkov_dm_test_count(), before);
        EXPECT_STREQ(vkov_dm_test_kind(before), "file_open");
        EXPECT_STREQ(vkov_dm_test_text(before), "Enter a new file to open:");
        EXPECT_EQ(vkov_dm_test_count() - before, c.error ? 2 : 1);
        const std::vector<RefDoc*> documents = ReferenceDocuments();
        ASSERT_EQ(documents.size(), c.references);
        EXPECT_NE(documents.back()->GetMainWindow(), nullptr) << "no document without a window";
    }
    vkov_test_advance_clock(250);
    vkok_app_process_pending_events();
    EXPECT_TRUE(vkov_vobj_is_valid(itsTaskWindow)) << "a document that did not open quits nothing";
}

TEST_F(Shell, SavingTheUsersDocument_WritesThePreferencesOrStaysModified)
{
    Start();
    auto* user = itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
    ASSERT_NE(user, nullptr);
    user->GetWorkingPrefs().font_size = 18;
    user->SetModified(1);
    EXPECT_EQ(user->DoSave(), 1);
    EXPECT_EQ(user->NeedsSaving(), 0);
    EXPECT_EQ(itsApplication->GetPrefs().font_size, 18);
    EXPECT_NE(itsDir.read("Pref.kq").find("font_size=18"), std::string::npos);

    // The file cannot be replaced: nothing is taken, and the document stays modified.
    std::filesystem::remove(itsDir.path() + "/Pref.kq");
    std::filesystem::create_directories(itsDir.path() + "/Pref.kq/in");
    user->GetWorkingPrefs().font_size = 22;
    user->SetModified(1);
    EXPECT_EQ(user->DoSave(), 0);
    EXPECT_EQ(user->NeedsSaving(), 1);
    EXPECT_EQ(itsApplication->GetPrefs().font_size, 18);
}

TEST_F(Shell, StartUp_RemovesTheTemporaryFilesThatKilledSavesLeft)
{
    // A process number no process has, and one that runs (the test's parent).
    const std::string running = std::to_string(getppid());
    itsDir.write("BookMark.kq.999999999.bcbd2s", "Ref:<>:half");
    itsDir.write("Pref.kq.999999999.RwqNUY", "font_");
    itsDir.write("Pref.kq." + running + ".RwqNUY", "font_size=12");
    Start();
    EXPECT_FALSE(std::filesystem::exists(itsDir.path() + "/BookMark.kq.999999999.bcbd2s"));
    EXPECT_FALSE(std::filesystem::exists(itsDir.path() + "/Pref.kq.999999999.RwqNUY"));
    EXPECT_TRUE(std::filesystem::exists(itsDir.path() + "/Pref.kq." + running + ".RwqNUY"))
        << "a running instance's temporary file is its own";
}

TEST_F(Shell, FrameworkPrompts_ShowTheProgramsTextsNeverBlankOnes)
{
    // The framework reads these texts from the program's string table by number.
    struct Case {
        int id;
        const char* text;
    };
    const Case cases[] = {
        {32103, "Save"},
        {32105, "Discard"},
        {32107, "Cancel"},
        {32109, "Document has changed, save before closing?"},
        {32111, "Save as:"},
        {32113, "Select a file to open:"},
        {32115, "Unable to locate creation information for object %1$ld"},
        {32117, "Unable to locate layer %1$ld for object %2$ld"},
        {32119, "Factory object %1$ld is not of type %2$ld"},
        {32121, "Font not mapped!"},
        {32123, "Vko-Frame++ Error: #%1$ld, File:%2$s, Line:%3$d"},
    };
    char text[128];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        ASSERT_NE(vkov_res_get_str(c.id, text, sizeof text), nullptr);
        EXPECT_STREQ(text, c.text);
    }
    ASSERT_NE(vkov_res_get_str(32101, text, sizeof text), nullptr);
    EXPECT_GT(std::strlen(text), 0u) << "the page-setup warning";

    // Closing the user's changed document through the framework asks in those words.
    Start();
    auto* user = itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
    ASSERT_NE(user, nullptr);
    user->SetModified(1);
    vkov_dm_test_push_answer(2, nullptr, 0); // Cancel
    EXPECT_EQ(user->DoClose(), 0);
    const int last = vkov_dm_test_count() - 1;
    ASSERT_GE(last, 0);
    EXPECT_STREQ(vkov_dm_test_kind(last), "ask");
    EXPECT_STREQ(vkov_dm_test_text(last),
                 "Document has changed, save before closing?|Save|Discard|Cancel");
    EXPECT_EQ(user->NeedsSaving(), 1) << "Cancel keeps the change";
}

TEST_F(Shell, QuitFromTheSystem_ClosesEveryDocumentOnce)
{
    // A quit from outside (the session ending, a terminate signal) closes all documents at
    // once; their windows had already asked for their documents' deferred delete.
    Start();
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    vkok_app_process_pending_events();
    ASSERT_EQ(ReferenceDocuments().size(), 2u);
    EVENT quit{};
    quit.type = E_QUIT;
    quit.v.quit.query = 1; // asks whether the program may end
    vkov_test_post_event(itsTaskWindow, &quit);
    vkok_app_process_pending_events();
    vkov_test_advance_clock(250);
    vkok_app_process_pending_events();
    EXPECT_FALSE(vkov_vobj_is_valid(itsTaskWindow));
}

TEST_F(Shell, QuitFromTheSystemWhileADialogRuns_ClosesTheDialogFirstThenThePrograms)
{
    // The quit arrives inside the organiser's modal loop: the organiser closes, its loop
    // returns into a document that still exists, and only then does the program end.
    Start();
    auto* user = itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
    ASSERT_NE(user, nullptr);
    EVENT quit{};
    quit.type = E_QUIT;
    quit.v.quit.query = 1;
    vkov_test_post_event(itsTaskWindow, &quit);
    UserInfoDoc::CmdOrganizeBookmarks::Send(*user, *MainWindow());
    EXPECT_TRUE(vkov_vobj_is_valid(itsTaskWindow));
    vkok_app_process_pending_events();
    vkov_test_advance_clock(250);
    vkok_app_process_pending_events();
    EXPECT_FALSE(vkov_vobj_is_valid(itsTaskWindow));
}

TEST_F(Shell, QuitTimer_WaitsWhileASearchRuns)
{
    Start();
    itsApplication->BeginSearch();
    MainWindow()->Close();
    vkov_test_advance_clock(250);
    vkok_app_process_pending_events();
    EXPECT_TRUE(vkov_vobj_is_valid(itsTaskWindow)) << "a search is on the stack";
    itsApplication->EndSearch();
    for (int step = 0; step < 3; ++step) {
        vkov_test_advance_clock(150);
        vkok_app_process_pending_events();
    }
    EXPECT_FALSE(vkov_vobj_is_valid(itsTaskWindow));
}

TEST_F(Shell, GoOnlineItems_OpenTheirAddressesThroughTheShell)
{
    Start();
    const int before = win32_test_shell_count();
    for (const short tag : menutag::kGoOnlineItems)
        itsApplication->DoMenuCommand(tag, 0, 0);
    ASSERT_EQ(win32_test_shell_count(), before + 5);
    char expected[256];
    for (int i = 0; i < 5; ++i) {
        vkov_res_get_str(menutag::kGoOnlineAddresses[i], expected, sizeof expected);
        EXPECT_STREQ(win32_test_shell_file(before + i), expected);
    }
}

TEST_F(Shell, CommandLine_LooksUpTheClipboardsWordOnceStarted)
{
    ASSERT_TRUE(vkok_cb_open(TRUE));
    // The word as another program copied it, with a space and a line end after it.
    std::memcpy(vkok_cb_alloc_data(6), "dog \r\n", 6);
    ASSERT_TRUE(vkok_cb_put_data(CB_TEXT, nullptr, 6, nullptr));
    vkok_cb_free_data();
    vkok_cb_close();
    Start(true);
    EXPECT_EQ(FrontPage()->GetTypedText(), "dog");
    ASSERT_NE(MainWindow()->GetNotebook()->GetCurrentHits(), nullptr);
    EXPECT_GE(MainWindow()->GetNotebook()->GetCurrentHits()->entries(), 1u);
}

} // namespace
