// Tests of the bookmarks in the program: the Bookmarks menu built from the store and rebuilt
// after each change, opening a bookmark and adding the entry shown to a folder from the
// menu, and the organiser window: its tree, deleting, folders and their names, moving by
// drop, sorting, the Delete key and opening a bookmark by double-clicking it.
#include "app/shell/book_win.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>

#include <string>
#include <utility>
#include <vector>

#include "app/display/entry_painter.h"
#include "app/shell/bookmark_menus.h"
#include "app/shell/bookmark_store.h"
#include "app/shell/kq_factory.h"
#include "app/shell/user_info_doc.h"
#include "resources/menu_tags.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/ctreeevt.h"
#include "frm/controls/ctreevw.h"
#include "frm/controls/nctrls.h"
#include "frm/core/cobjrwc.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cmenubar.h"
#include "frm/views/csubmenu.h"
#include "vkobase/ctl.h"
#include "vkobase/dm.h"
#include "vkobase/str.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/win.h"

#include "../support/kill_while_saving.h"
#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

// Animals (0) [cat (1), Big (2) [lion (3)]], dog (4), Colours (5) [red (6) of Beta].
constexpr char kBookmarks[] =
    "<>:Animals:<>\n"
    "Alpha:Animals:cat\n"
    "<>:Animals/Big:<>\n"
    "Alpha:Animals/Big:lion\n"
    "Alpha:<>:dog\n"
    "<>:Colours:<>\n"
    "Beta:Colours:red\n";

// A menu in one line: an item as "title=tag", a submenu as "title=tag{...}", "-" a separator.
std::string Dump(const FRM_CSubmenu& menu)
{
    std::string out;
    const RWOrdered* entries = menu.GetMenus();
    for (std::size_t i = 0; i < entries->entries(); ++i) {
        if (!out.empty())
            out += " ";
        const auto* entry = static_cast<const FRM_CMenu*>((*entries)[i]);
        if (const auto* item = dynamic_cast<const FRM_CMenuItem*>(entry); item != nullptr && item->IsSeparator()) {
            out += "-";
            continue;
        }
        out += std::string(entry->GetTitle().data()) + "=" + std::to_string(entry->GetTag());
        if (const auto* sub = dynamic_cast<const FRM_CSubmenu*>(entry))
            out += "{" + Dump(*sub) + "}";
    }
    return out;
}

// The tree in one line: a node's label, its children in braces.
std::string Dump(const FRM_CTreeItem* item)
{
    std::string out = item->GetString().data();
    if (item->GetNChildren() == 0)
        return out;
    out += "{";
    for (unsigned i = 0; i < item->GetNChildren(); ++i)
        out += (i != 0 ? " " : "") + Dump(item->GetChild(i));
    return out + "}";
}

class BookmarksTest : public TavlinFixture {
protected:
    // The main window, or the case stops here: a check that failed before (the program
    // ended, a window closed) must not turn into a null dereference that ends the whole test
    // program and hides the cases after it.
    MainRefWin* MainWindow() const
    {
        MainRefWin* window = TavlinFixture::MainWindow();
        if (window == nullptr)
            throw std::runtime_error("the main window is not open");
        return window;
    }
    SearchPageWin* FrontPage() const { return MainWindow()->GetFrontPage(); }
    void StartWithBookmarks(const std::string& text = kBookmarks)
    {
        itsDir.write(kBookmarkFileName, text);
        Start();
    }
    BookmarkStore& Store() { return itsApplication->GetBookmarks(); }
    FRM_CSubmenu& BookmarksMenu() const
    {
        return *MainWindow()->GetMenuBar()->FindSubmenu(menutag::kBookmarks);
    }
    std::string File() const { return itsDir.read(kBookmarkFileName); }
    FRM_CDocument* UserDocument() const
    {
        return itsApplication->GetIDData().Get<FRM_CDocument>(KQedAppFactory::kUserDocument);
    }

    FRM_CTreeItem* Node(const std::vector<unsigned>& path) const
    {
        FRM_CTreeItem* item = itsWindow->GetTree()->GetRoot();
        for (unsigned at : path)
            item = item->GetChild(at);
        return item;
    }
    void Select(FRM_CTreeItem* item)
    {
        FRM_CTreeView* tree = itsWindow->GetTree();
        tree->ClearSelection(0);
        tree->AddToSelection(item, 0);
        FRM_CTreeEvent event(FRM_CTreeEvent::SelectionChanged, tree, item);
        itsWindow->DoCommand(FRM_CTreeView::kTreeEventCommand, &event);
    }
    bool Enabled(long command) const { return itsWindow->GetButton(command)->IsEnabled() != 0; }

    BookWin* itsWindow = nullptr;
};

TEST_F(BookmarksTest, MenuShowsTheStoreAndFollowsItsChanges)
{
    StartWithBookmarks();
    EXPECT_EQ(Dump(BookmarksMenu()),
              "&Add Bookmark=24{Main Level=999{Main Level=999 - Animals=22000{Animals=22000 - Big=22002} "
              "Colours=22005}} &Organize Bookmarks...=25 - "
              "Animals=12000{cat=12001 Big=12002{lion=12003}} dog=12004 Colours=12005{red=12006}");

    // A change of the store rebuilds the menus of every main window.
    Store().DeleteItem(Store().FindByNumber(0));
    EXPECT_EQ(Dump(BookmarksMenu()),
              "&Add Bookmark=24{Main Level=999{Main Level=999 - Colours=22005}} "
              "&Organize Bookmarks...=25 - dog=12004 Colours=12005{red=12006}");
    Store().DeleteItem(Store().FindByNumber(5));
    EXPECT_EQ(Dump(BookmarksMenu()),
              "&Add Bookmark=24{Main Level=999} &Organize Bookmarks...=25 - dog=12004");
}

TEST_F(BookmarksTest, AKillOfTheProgramWhileItSavesBookmarksLeavesTheOldFileOrTheNewOneWhole)
{
    // Enough bookmarks that each save takes a while, so kills land inside writes.
    std::string text = "<>:Words:<>\n";
    for (int i = 0; i < 3000; ++i)
        text += "Alpha:Words:word" + std::to_string(i) + "\n";
    for (const int savesBeforeKill : {1, 3}) {
        SCOPED_TRACE(savesBeforeKill);
        itsDir.write(kBookmarkFileName, text);
        // The program adds the entry shown from its Bookmarks menu, again and again (each
        // add rewrites the file).
        tavlintest::KillAfterSaves(
            savesBeforeKill,
            [this] {
                Start();
                FrontPage()->SearchFor("cat");
            },
            [this] { MainWindow()->DoMenuCommand(bookmarktag::kMainLevel, 0, 0); });

        // The file reads whole: the folder with all its words, then the adds.
        BookmarkStore after;
        ASSERT_EQ(after.Load(itsDir.path()), 1);
        EXPECT_TRUE(after.UnreadLines().empty());
        ASSERT_GE(after.TopLevel().size(), 1u + savesBeforeKill);
        EXPECT_EQ(after.TopLevel()[0]->children.size(), 3000u);
        for (std::size_t i = 1; i < after.TopLevel().size(); ++i)
            EXPECT_EQ(after.TopLevel()[i]->name, "cat");
        for (const auto& file : std::filesystem::directory_iterator(itsDir.path()))
            if (file.path().filename().string().rfind(kBookmarkFileName, 0) == 0 &&
                file.path().filename() != kBookmarkFileName)
                std::filesystem::remove(file.path());  // a temporary file the kill left unfinished
    }
}

// The dialogs shown since before, as "kind: text" lines.
std::vector<std::string> ShownSince(int before)
{
    std::vector<std::string> shown;
    for (int i = before; i < vkov_dm_test_count(); ++i)
        shown.push_back(std::string(vkov_dm_test_kind(i)) + ": " + vkov_dm_test_text(i));
    return shown;
}

TEST_F(BookmarksTest, ABookmarkThatCannotBeSavedIsKeptSaidAndSavedLater)
{
    StartWithBookmarks();
    FrontPage()->SearchFor("cat");
    // The file cannot be replaced (a full disk does the same): the user is told each time,
    // and the menus keep the bookmark.
    const std::string file = itsDir.path() + "/" + kBookmarkFileName;
    std::filesystem::rename(file, itsDir.path() + "/saved");
    std::filesystem::create_directories(file + "/in");
    int before = vkov_dm_test_count();
    MainWindow()->DoMenuCommand(bookmarktag::kMainLevel, 0, 0);
    EXPECT_EQ(ShownSince(before), std::vector<std::string>{"warning: Can't save bookmarks file (BookMark.kq).\n"
                                                           "BookMark.kq: a folder, not a file."});
    EXPECT_NE(Dump(BookmarksMenu()).find("dog=12004 Colours=12005{red=12006} cat=12007"), std::string::npos);

    // Room again: the next change writes both.
    std::filesystem::remove_all(file);
    std::filesystem::rename(itsDir.path() + "/saved", file);
    FrontPage()->SearchFor("dog");
    before = vkov_dm_test_count();
    MainWindow()->DoMenuCommand(bookmarktag::kMainLevel, 0, 0);
    EXPECT_EQ(ShownSince(before), std::vector<std::string>{});
    EXPECT_EQ(File(), std::string(kBookmarks) + "Alpha:<>:cat\nAlpha:<>:dog\n");

    // A change still unsaved when the program ends is written then.
    std::filesystem::rename(file, itsDir.path() + "/saved");
    std::filesystem::create_directories(file + "/in");
    Store().DeleteItem(Store().FindByNumber(8));
    std::filesystem::remove_all(file);
    std::filesystem::rename(itsDir.path() + "/saved", file);
    Stop();
    EXPECT_EQ(File(), std::string(kBookmarks) + "Alpha:<>:cat\n");
}

// The question asked when the program would end with bookmarks it cannot write.
constexpr char kAskedAtTheEnd[] =
    "ask: Can't save bookmarks file (BookMark.kq).\nBookMark.kq: a folder, not a file.\nYour bookmark "
    "changes are not saved and are "
    "lost if TavlinCD ends now. Cancel keeps TavlinCD open, so that you can free the folder and "
    "exit again.|Cancel|Exit Anyway|";

// What the user does in a dialog of the program's own look as it opens: presses a key or
// clicks a button (ids from 1, left to right); and whether the program still ran then.
struct Answering {
    std::uint16_t key = 0;
    std::int16_t button = 0;
    bool whileRunning = false;
};

void Answer(WINDOW dialog, const char*, void* context)
{
    auto* answering = static_cast<Answering*>(context);
    const FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    answering->whileRunning = g != nullptr && g->IsTerminating() == 0;
    EVENT input{};
    if (answering->key != 0) {
        input.type = E_CHAR;
        input.v.chr.ch = answering->key;
        vkov_test_post_event(vkok_scr_get_focus_vobj(), &input);
        return;
    }
    WINDOW button = vkok_win_get_ctl(dialog, answering->button);
    input.v.mouse.where = s_pnt{5, 5};
    for (const auto type : {E_MOUSE_DOWN, E_MOUSE_UP}) {
        input.type = type;
        vkov_test_post_event(button, &input);
    }
}

TEST_F(BookmarksTest, EndingWithABookmarkThatCannotBeSavedAsksAndCanStayOpen)
{
    const std::string file = itsDir.path() + "/" + kBookmarkFileName;
    enum class Quit { kExit, kSystem, kLastWindow, kCloseBox };
    // Each way the program ends: File > Exit, the system's quit, File > Close and the close
    // box of the last main window.
    auto quit = [this](Quit how) {
        if (how == Quit::kExit) {
            MainWindow()->DoMenuCommand(menutag::kExit, 0, 0);
        } else if (how == Quit::kSystem) {
            itsApplication->DoMenuCommand(FRM_CApplication::kMenuQuit, 0, 0);
        } else if (how == Quit::kLastWindow) {
            MainWindow()->DoMenuCommand(menutag::kClose, 0, 0);
        } else {
            EVENT close{};
            close.type = E_CLOSE;
            vkov_test_post_event(MainWindow()->GetVKOWindow(), &close);
        }
        vkok_app_process_pending_events();
        vkov_test_advance_clock(250);
        vkok_app_process_pending_events();
    };
    auto block = [&] {
        std::filesystem::rename(file, itsDir.path() + "/saved");
        std::filesystem::create_directories(file + "/in");
    };
    auto unblock = [&] {
        std::filesystem::remove_all(file);
        std::filesystem::rename(itsDir.path() + "/saved", file);
    };
    for (const Quit how : {Quit::kExit, Quit::kSystem, Quit::kLastWindow, Quit::kCloseBox}) {
        SCOPED_TRACE(static_cast<int>(how));
        // Return in the question (as Escape) keeps the program and the bookmark; once the
        // folder is free again the next end writes it.
        StartWithBookmarks();
        FrontPage()->SearchFor("cat");
        block();
        MainWindow()->DoMenuCommand(bookmarktag::kMainLevel, 0, 0);
        for (const std::uint16_t key : {13, 27}) {
            const int before = vkov_dm_test_count();
            Answering pressed{key};
            vkov_dm_test_set_box_hook(Answer, &pressed);
            quit(how);
            vkov_dm_test_set_box_hook(nullptr, nullptr);
            EXPECT_EQ(ShownSince(before), std::vector<std::string>{kAskedAtTheEnd}) << key;
            ASSERT_TRUE(vkov_vobj_is_valid(itsTaskWindow)) << "the program runs on, key " << key;
            ASSERT_NE(MainWindow(), nullptr);
            EXPECT_NE(MainWindow()->GetVKOWindow(), nullptr) << "its window is still open";
        }
        unblock();
        int before = vkov_dm_test_count();
        quit(how);
        EXPECT_EQ(ShownSince(before), std::vector<std::string>{});
        EXPECT_FALSE(vkov_vobj_is_valid(itsTaskWindow)) << "ended";
        EXPECT_EQ(File(), std::string(kBookmarks) + "Alpha:<>:cat\n");
        Stop();

        // "Exit Anyway" ends it without them, asked once, while the program still runs.
        itsDir.write(kBookmarkFileName, kBookmarks);
        Start();
        FrontPage()->SearchFor("dog");
        block();
        MainWindow()->DoMenuCommand(bookmarktag::kMainLevel, 0, 0);
        Answering exitAnyway{0, 2};
        vkov_dm_test_set_box_hook(Answer, &exitAnyway);
        before = vkov_dm_test_count();
        quit(how);
        vkov_dm_test_set_box_hook(nullptr, nullptr);
        EXPECT_EQ(ShownSince(before), std::vector<std::string>{kAskedAtTheEnd});
        EXPECT_TRUE(exitAnyway.whileRunning);
        EXPECT_FALSE(vkov_vobj_is_valid(itsTaskWindow)) << "ended";
        Stop();
        unblock();
        EXPECT_EQ(File(), kBookmarks);
    }
}

// The start says that this session's bookmarks will not be kept; Exit with one added asks
// as when the disk is full: Cancel keeps the program, Exit Anyway ends it without them.
TEST_F(BookmarksTest, AnUnreadableFileIsReportedAtStartAndNeverOverwritten)
{
    std::filesystem::create_directories(itsDir.path() + "/" + kBookmarkFileName + "/in");
    const int before = vkov_dm_test_count();
    Start();
    EXPECT_EQ(ShownSince(before), std::vector<std::string>{
                                      "warning: Can't open bookmarks file (BookMark.kq).\nBookMark.kq: a "
                                      "folder, not a file.\nBookmarks made in this session will not be kept: "
                                      "the file is left as it is."});
    FrontPage()->SearchFor("cat");
    const int added = vkov_dm_test_count();
    MainWindow()->DoMenuCommand(bookmarktag::kMainLevel, 0, 0);
    EXPECT_EQ(ShownSince(added),
              std::vector<std::string>{"warning: Can't save bookmarks file (BookMark.kq).\nBookMark.kq: it could "
                                       "not be read at start (a folder, not a file) and is left as it is."});
    EXPECT_NE(Dump(BookmarksMenu()).find("cat=12000"), std::string::npos) << "kept for this run";
    const std::string asked =
        "ask: Can't save bookmarks file (BookMark.kq).\nBookMark.kq: a folder, not a file.\nThe bookmarks "
        "made in this session are lost if "
        "TavlinCD ends now: the bookmarks file could not be read at start and is left as it is. Cancel "
        "keeps TavlinCD open.|Cancel|Exit Anyway|";
    for (const Answering answer : {Answering{27}, Answering{0, 2}}) {
        Answering pressed = answer;
        const int exiting = vkov_dm_test_count();
        vkov_dm_test_set_box_hook(Answer, &pressed);
        MainWindow()->DoMenuCommand(menutag::kExit, 0, 0);
        vkok_app_process_pending_events();
        vkov_test_advance_clock(250);
        vkok_app_process_pending_events();
        vkov_dm_test_set_box_hook(nullptr, nullptr);
        EXPECT_EQ(ShownSince(exiting), std::vector<std::string>{asked});
        EXPECT_EQ(vkov_vobj_is_valid(itsTaskWindow) != FALSE, answer.key == 27) << "Cancel keeps it open";
    }
    Stop();
    EXPECT_TRUE(std::filesystem::is_directory(itsDir.path() + "/" + kBookmarkFileName + "/in"));
}

TEST_F(BookmarksTest, LinesThatAreNotBookmarksAreSkippedAndReportedOnceAndLongNamesCut)
{
    // Random bytes around two good lines, and a word far too long for a menu.
    std::string text = "Alpha:<>:dog\n";
    for (int line = 0; line < 3; ++line) {
        for (int i = 0; i < 40; ++i)
            text += static_cast<char>((line * 97 + i * 31 + 1) % 256 == '\n' ? 1 : (line * 97 + i * 31 + 1) % 256);
        text += "\n";
    }
    text += "Alpha:<>:" + std::string(100000, 'w') + "\n";
    const int before = vkov_dm_test_count();
    StartWithBookmarks(text);
    EXPECT_EQ(ShownSince(before),
              std::vector<std::string>{"warning: 3 lines of BookMark.kq were skipped; they stay in the file "
                                       "(line 2: a line holding control characters)."});
    const std::string menu = Dump(BookmarksMenu());
    EXPECT_NE(menu.find("- dog=12000 " + std::string(61, 'w') + "...=12001"), std::string::npos) << menu.substr(0, 200);
    EXPECT_EQ(menu.find(std::string(62, 'w')), std::string::npos);

    // The skipped lines stay in the file, and the long word whole.
    FrontPage()->SearchFor("cat");
    MainWindow()->DoMenuCommand(bookmarktag::kMainLevel, 0, 0);
    EXPECT_EQ(File(), "Alpha:<>:dog\nAlpha:<>:" + std::string(100000, 'w') + "\nAlpha:<>:cat\n" +
                          text.substr(std::string("Alpha:<>:dog\n").size(), 3 * 41));
    EXPECT_EQ(vkov_dm_test_count(), before + 1) << "reported once, at start";
}

TEST_F(BookmarksTest, MenuShowsNamesAsTypedWithoutMnemonics)
{
    StartWithBookmarks("<>:Salt & pepper:<>\nAlpha:Salt & pepper:R&D\nAlpha:<>:a~b\n");
    EXPECT_EQ(Dump(BookmarksMenu()),
              "&Add Bookmark=24{Main Level=999{Main Level=999 - Salt && pepper=22000}} "
              "&Organize Bookmarks...=25 - Salt && pepper=12000{R&&D=12001} a~~b=12002");

    // The toolkit shows the doubled mark once and takes no mnemonic from it.
    char shown[64];
    VKO_WCHAR mnemonic = 0;
    EXPECT_FALSE(vkov_str_get_mnemonic("Salt && pepper", &mnemonic, shown, sizeof shown));
    EXPECT_STREQ(shown, "Salt & pepper");
}

TEST(BookmarkMenuClearing, ClearsAllOrWhatFollowsTheLastSeparator)
{
    FRM_CSubmenu menu(FRM_CStringRW("B"), 22, 0, FRM_CMenu::ENABLED);
    menu.Append(FRM_CMenuItem(FRM_CStringRW("one"), 1, 0, FRM_CMenu::ENABLED));
    menu.Append(FRM_CMenuItem(FRM_CStringRW(""), 0, 0, FRM_CMenu::SEPARATOR));
    menu.Append(FRM_CMenuItem(FRM_CStringRW("two"), 2, 0, FRM_CMenu::ENABLED));
    menu.Append(FRM_CMenuItem(FRM_CStringRW(""), 0, 0, FRM_CMenu::SEPARATOR));
    menu.Append(FRM_CMenuItem(FRM_CStringRW("three"), 3, 0, FRM_CMenu::ENABLED));
    FRM_CSubmenu kept = menu;
    BookmarkStore::ClearBookmarkEntries(kept);
    EXPECT_EQ(Dump(kept), "one=1 - two=2 -");
    BookmarkStore::ClearBookmarkEntries(kept);
    EXPECT_EQ(Dump(kept), "one=1 - two=2 -") << "nothing after the separator: nothing goes";
    BookmarkStore::ClearMenu(menu);
    EXPECT_EQ(Dump(menu), "");
    EXPECT_EQ(menu.GetTag(), 22);
}

TEST_F(BookmarksTest, MenuAddsTheEntryShownToTheChosenFolder)
{
    StartWithBookmarks();
    const int asked = vkov_dm_test_count();
    MainWindow()->DoMenuCommand(bookmarktag::kMainLevel, 0, 0);
    ASSERT_EQ(vkov_dm_test_count(), asked + 1) << "no entry shown yet";
    EXPECT_EQ(Store().NumberCount(), 7);

    FrontPage()->SearchFor("caterpillar");
    MainWindow()->DoMenuCommand(bookmarktag::Folder(2), 0, 0);  // into Animals/Big
    MainWindow()->DoMenuCommand(bookmarktag::kMainLevel, 0, 0);
    EXPECT_EQ(File(), std::string(kBookmarks).substr(0, std::string(kBookmarks).find("Alpha:<>:dog")) +
                          "Alpha:Animals/Big:caterpillar\nAlpha:<>:dog\n<>:Colours:<>\nBeta:Colours:red\n"
                          "Alpha:<>:caterpillar\n");
    EXPECT_NE(Dump(BookmarksMenu()).find("Big=12002{lion=12003 caterpillar=12007}"), std::string::npos);
}

TEST_F(BookmarksTest, MenuOpensABookmarkInItsDictionarysWindow)
{
    // "Broken" is described, but its data is missing.
    itsDir.write("c.dct", "ref_name=Broken\nbase_dir=data/\nbase_name=missing\n"
                          "search_text=Entry word is...,va\n");
    StartWithBookmarks(std::string(kBookmarks) + "Gone:<>:ghost\nBroken:<>:x\n");
    ASSERT_EQ(itsApplication->GetDescriptions().entries(), 3u);
    MainWindow()->DoMenuCommand(bookmarktag::Open(4), 0, 0);  // dog, in Alpha
    ASSERT_NE(MainWindow()->GetNotebook()->GetHistories().entries.Current(), nullptr);
    EXPECT_EQ(MainWindow()->GetNotebook()->GetHistories().entries.Current()->word, "dog");

    // A bookmark of a dictionary no window shows: the window switches to it, as its
    // reference selector does.
    MainWindow()->DoMenuCommand(bookmarktag::Open(6), 0, 0);  // red, in Beta
    ASSERT_EQ(ReferenceDocuments().size(), 1u);
    EXPECT_EQ(MainWindow()->GetReferenceName(), "Beta");
    EXPECT_STREQ(MainWindow()->GetTitle().data(), "Beta");
    ASSERT_NE(MainWindow()->GetNotebook()->GetHistories().entries.Current(), nullptr);
    EXPECT_EQ(MainWindow()->GetNotebook()->GetHistories().entries.Current()->word, "red");

    // A second window on Alpha: a bookmark in Alpha chosen from the first window's menu
    // switches the first window back to Alpha; the second keeps what it shows.
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    ASSERT_EQ(ReferenceDocuments().size(), 2u);
    MainRefWin* alpha = ReferenceDocuments()[1]->GetMainWindow();
    ASSERT_EQ(alpha->GetReferenceName(), "Alpha");
    MainWindow()->DoMenuCommand(bookmarktag::Open(4), 0, 0);  // dog
    EXPECT_EQ(MainWindow()->GetReferenceName(), "Alpha");
    ASSERT_NE(MainWindow()->GetNotebook()->GetHistories().entries.Current(), nullptr);
    EXPECT_EQ(MainWindow()->GetNotebook()->GetHistories().entries.Current()->word, "dog");
    EXPECT_EQ(alpha->GetNotebook()->GetHistories().entries.Current(), nullptr);

    // One whose dictionary is not described, or cannot be opened, says so, naming it, and
    // the window keeps its dictionary.
    const std::pair<short, std::string> unavailable[] = {
        {7, "The dictionary \"Gone\" of the bookmark \"ghost\" is not available."},
        {8, "The dictionary \"Broken\" of the bookmark \"x\" is not available."},
    };
    for (const auto& [number, told] : unavailable) {
        const int asked = vkov_dm_test_count();
        MainWindow()->DoMenuCommand(bookmarktag::Open(number), 0, 0);
        ASSERT_GE(vkov_dm_test_count(), asked + 1) << number;
        EXPECT_STREQ(vkov_dm_test_kind(vkov_dm_test_count() - 1), "error");
        EXPECT_EQ(std::string(vkov_dm_test_text(vkov_dm_test_count() - 1)),
                  "Unable to find the bookmark's Reference\n" + told);
        EXPECT_EQ(ReferenceDocuments().size(), 2u);
        EXPECT_EQ(MainWindow()->GetReferenceName(), "Alpha");
        EXPECT_EQ(MainWindow()->GetNotebook()->GetHistories().entries.Current()->word, "dog");
    }
}

// The entry's text as the user would copy it all.
std::string EntryShown(MainRefWin* window)
{
    window->GetPainter().SelectAll();
    return window->GetPainter().SelectedText();
}

// Two windows on one dictionary: a bookmark chosen from the second window's menu shows in
// the second window; the first keeps its word, its hit list and its entry.
TEST_F(BookmarksTest, ABookmarkChosenFromAWindowsMenuShowsInThatWindow)
{
    StartWithBookmarks();
    MainRefWin* first = MainWindow();
    first->GetFrontPage()->SearchFor("cat");
    const std::vector<std::string> firstLines = HitLines(first->GetFrontPage());
    const std::string firstEntry = EntryShown(first);
    ASSERT_NE(firstEntry.find("small domestic animal"), std::string::npos) << firstEntry;
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    ASSERT_EQ(ReferenceDocuments().size(), 2u);
    MainRefWin* second = ReferenceDocuments()[1]->GetMainWindow();
    ASSERT_EQ(second->GetReferenceName(), "Alpha");

    second->DoMenuCommand(bookmarktag::Open(4), 0, 0);  // dog
    EXPECT_STREQ(second->GetFrontPage()->GetField()->GetTitle().data(), "dog");
    EXPECT_EQ(HitLines(second->GetFrontPage()), std::vector<std::string>{"dog"});
    const std::string secondEntry = EntryShown(second);
    EXPECT_NE(secondEntry.find("barks"), std::string::npos) << secondEntry;

    EXPECT_STREQ(first->GetFrontPage()->GetField()->GetTitle().data(), "cat");
    EXPECT_EQ(HitLines(first->GetFrontPage()), firstLines);
    EXPECT_EQ(EntryShown(first), firstEntry);
}

// A bookmark keeps the dictionary its entry was looked up in, even once the window has
// switched to another one that has the same word; opening it shows that entry again.
TEST_F(BookmarksTest, ABookmarkAddedAfterASwitchOfDictionaryKeepsTheEntrysDictionary)
{
    tavlintest::WriteDictionary(itsDir, "beta", {{"cat", "a tool for hoisting an anchor", {"anchor"}},
                                                 {"red", "a colour", {"colour"}}});
    StartWithBookmarks("");
    FrontPage()->SearchFor("cat");
    ASSERT_NE(EntryShown(MainWindow()).find("small domestic animal"), std::string::npos);
    // Beta chosen in the reference selector, as the user does.
    auto* selector = dynamic_cast<FRM_NListButton*>(MainWindow()->FindSubview(1060));
    ASSERT_NE(selector, nullptr);
    selector->SelectItem(1);
    MainWindow()->DoCommand(MainRefWin::kCmdReferenceChosen, nullptr);
    ASSERT_EQ(MainWindow()->GetReferenceName(), "Beta");

    MainWindow()->DoMenuCommand(bookmarktag::kMainLevel, 0, 0);
    EXPECT_EQ(File(), "Alpha:<>:cat\n");

    MainWindow()->DoMenuCommand(bookmarktag::Open(0), 0, 0);
    EXPECT_EQ(MainWindow()->GetReferenceName(), "Alpha");
    const std::string shown = EntryShown(MainWindow());
    EXPECT_NE(shown.find("small domestic animal"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("anchor"), std::string::npos) << shown;
}

class BookWinTest : public BookmarksTest {
protected:
    void Open(const std::string& text = kBookmarks)
    {
        StartWithBookmarks(text);
        itsWindow = dynamic_cast<BookWin*>(
            KQedAppFactory::Instance().CreateWindow(UserDocument(), KQedAppFactory::kBookmarkWindow));
        if (itsWindow == nullptr)
            throw std::runtime_error("the bookmark window did not open");
    }
};

TEST_F(BookWinTest, TreeShowsTheStoreAndSelectionEnablesTheButtons)
{
    Open();
    EXPECT_EQ(Dump(itsWindow->GetTree()->GetRoot()),
              "Main Level{Animals{cat Big{lion}} dog Colours{red}}");
    EXPECT_FALSE(Enabled(BookWin::kCmdDelete));
    EXPECT_FALSE(Enabled(BookWin::kCmdSort));
    EXPECT_FALSE(Enabled(BookWin::kCmdNewFolder));
    Select(Node({1}));  // dog
    EXPECT_TRUE(Enabled(BookWin::kCmdDelete));
    EXPECT_TRUE(Enabled(BookWin::kCmdSort));
    EXPECT_FALSE(Enabled(BookWin::kCmdNewFolder)) << "a bookmark holds no folder";
    Select(Node({}));
    EXPECT_TRUE(Enabled(BookWin::kCmdNewFolder));
}

// Deleting removes the chosen node from tree and file, even when another entry of the same
// name stands earlier or at top level.
TEST_F(BookWinTest, DeleteRemovesTheChosenEntry)
{
    Open("Alpha:<>:cat\n<>:Animals:<>\nAlpha:Animals:cat\n");
    Select(Node({1, 0}));  // the cat inside Animals
    itsWindow->DoCommand(BookWin::kCmdDelete, nullptr);
    EXPECT_EQ(Dump(itsWindow->GetTree()->GetRoot()), "Main Level{cat Animals}");
    EXPECT_EQ(File(), "Alpha:<>:cat\n<>:Animals:<>\n");
    EXPECT_FALSE(Enabled(BookWin::kCmdDelete));

    // The Delete key does the same; nothing selected: nothing happens.
    Select(Node({1}));
    itsWindow->Key(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_DELETE));
    EXPECT_EQ(File(), "Alpha:<>:cat\n");
    itsWindow->Key(FRM_CKey(127, 0, 0, 0, 0));
    EXPECT_EQ(File(), "Alpha:<>:cat\n");

}

// Delete pressed from the keyboard leaves nothing selected and becomes disabled under the
// focus: the focus goes on to a button that can be pressed, and Delete is drawn as when
// the organiser opened, without the focus frame.
TEST_F(BookWinTest, DeletePressedByTheKeyboardHandsTheFocusOn)
{
    Open();
    FRM_NButton* del = itsWindow->GetButton(BookWin::kCmdDelete);
    const auto drawn = [del] {
        vkok_app_process_pending_events();
        const FRM_CRect frame = del->GetLocalFrame();
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < static_cast<int>(frame.Height()); ++y)
            for (int x = 0; x < static_cast<int>(frame.Width()); ++x)
                pixels.push_back(vkov_debug_surface_pixel(del->GetVKOWindow(), x, y) & 0xFFFFFFu);
        return pixels;
    };
    const std::vector<std::uint32_t> disabled = drawn();
    Select(Node({1})); // dog
    vkok_scr_set_focus_vobj(del->GetVKOWindow());
    EVENT space{};
    space.type = E_CHAR;
    space.v.chr.ch = ' ';
    vkov_test_post_event(del->GetVKOWindow(), &space);
    vkok_app_process_pending_events();
    EXPECT_EQ(Dump(itsWindow->GetTree()->GetRoot()), "Main Level{Animals{cat Big{lion}} Colours{red}}");
    EXPECT_FALSE(Enabled(BookWin::kCmdDelete));
    const auto focused = reinterpret_cast<FRM_CView*>(vko_vobj_get_data(vkok_scr_get_focus_vobj()));
    EXPECT_EQ(focused, itsWindow->GetButton(BookWin::kCmdHelp)) << "the next button that can be pressed";
    EXPECT_TRUE(drawn() == disabled) << "Delete is drawn with a focus frame";
}

// The root stands for everything: a question first, answered in its box; Cancel, its
// default (Return), and Escape keep every bookmark and folder, "Delete All" removes them all.
TEST_F(BookWinTest, DeletingTheRootAsksFirst)
{
    const std::string text = "Alpha:<>:cat\n<>:Animals:<>\nAlpha:Animals:dog\n";
    Open(text);
    struct Case {
        const char* why;
        Answering answer;
        const char* tree;
        const char* file;
    };
    const Case cases[] = {
        {"Return", {13}, "Main Level{cat Animals{dog}}", "Alpha:<>:cat\n<>:Animals:<>\nAlpha:Animals:dog\n"},
        {"Escape", {27}, "Main Level{cat Animals{dog}}", "Alpha:<>:cat\n<>:Animals:<>\nAlpha:Animals:dog\n"},
        {"Cancel", {0, 1}, "Main Level{cat Animals{dog}}", "Alpha:<>:cat\n<>:Animals:<>\nAlpha:Animals:dog\n"},
        {"Delete All", {0, 2}, "Main Level", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Select(Node({}));
        const int asked = vkov_dm_test_count();
        Answering answer = c.answer;
        vkov_dm_test_set_box_hook(Answer, &answer);
        itsWindow->DoCommand(BookWin::kCmdDelete, nullptr);
        vkov_dm_test_set_box_hook(nullptr, nullptr);
        ASSERT_EQ(vkov_dm_test_count(), asked + 1);
        EXPECT_STREQ(vkov_dm_test_kind(asked), "ask");
        EXPECT_STREQ(vkov_dm_test_text(asked), "Selected root to delete!|Cancel|Delete All|");
        EXPECT_EQ(Dump(itsWindow->GetTree()->GetRoot()), c.tree);
        EXPECT_EQ(File(), c.file);
    }
    EXPECT_EQ(Store().TopLevel().size(), 0u);
}

// The folder name prompt: refused names say why and ask again; cancelling changes nothing.
TEST_F(BookWinTest, NewFolderNamesAreCheckedAtThePrompt)
{
    Open();
    struct Case {
        std::vector<const char*> typed;  // null: cancel
        std::vector<std::string> messages;
        const char* tree;
    };
    const std::vector<Case> cases = {
        {{nullptr}, {}, "Main Level{Animals{cat Big{lion}} dog Colours{red}}"},
        {{"Animals", "Birds"},
         {"Duplicate folder names at the same level are not allowed."},
         "Main Level{Animals{cat Big{lion}} dog Colours{red} Birds}"},
        {{"a:b", "a/b", "", "<>", nullptr},
         {"Folder names cannot contain ':' or '/'.", "Folder names cannot contain ':' or '/'.",
          "A folder needs a name.", "\"<>\" cannot be a folder name."},
         "Main Level{Animals{cat Big{lion}} dog Colours{red} Birds}"},
    };
    for (const Case& c : cases) {
        Select(Node({}));
        for (const char* typed : c.typed)
            vkov_dm_test_push_answer(typed != nullptr ? 1 : 0, typed, 0);
        const int before = vkov_dm_test_count();
        itsWindow->DoCommand(BookWin::kCmdNewFolder, nullptr);
        std::vector<std::string> messages;
        for (int i = before; i < vkov_dm_test_count(); ++i)
            if (std::string(vkov_dm_test_kind(i)) == "message")
                messages.emplace_back(vkov_dm_test_text(i));
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(Dump(itsWindow->GetTree()->GetRoot()), c.tree);
    }
    EXPECT_NE(File().find("<>:Birds:<>\n"), std::string::npos);

    // Inside a folder the new folder's path follows it.
    Select(Node({0}));
    vkov_dm_test_push_answer(1, "Cats", 0);
    itsWindow->DoCommand(BookWin::kCmdNewFolder, nullptr);
    EXPECT_NE(File().find("<>:Animals/Cats:<>\n"), std::string::npos);
}

// Moving by drop: onto a folder or the root moves; onto itself, a bookmark or a folder inside
// the dragged one does nothing.
TEST_F(BookWinTest, DropMovesOntoFoldersOnly)
{
    Open();
    const std::string before = File();
    struct Case {
        std::vector<unsigned> dragged, target;
        bool moves;
    };
    const Case refused[] = {
        {{0}, {0}, false},        // Animals onto itself
        {{0}, {0, 1}, false},     // Animals into its own Big
        {{1}, {0, 0}, false},     // dog onto the bookmark cat
    };
    for (const Case& c : refused)
        EXPECT_FALSE(itsWindow->Move(Node(c.dragged), Node(c.target)));
    EXPECT_EQ(File(), before);

    // dog into Animals/Big by dropping it on Big's row.
    Node({0})->Expand(0, 0);
    FRM_CTreeItem* big = Node({0, 1});
    const FRM_CRect row = itsWindow->GetTree()->ItemToRect(big, 0);
    const FRM_CPoint onBig(row.Left() + 30, (row.Top() + row.Bottom()) / 2);
    itsWindow->DragFrom(Node({1}));
    itsWindow->DropAt(FRM_CPoint(700, onBig.V()));  // outside the tree: nothing
    itsWindow->DropAt(onBig);                       // no drag going on: nothing
    EXPECT_EQ(File(), before);
    itsWindow->DragFrom(Node({1}));
    itsWindow->DropAt(onBig);
    EXPECT_EQ(Dump(itsWindow->GetTree()->GetRoot()),
              "Main Level{Animals{cat Big{lion dog}} Colours{red}}");
    EXPECT_NE(File().find("Alpha:Animals/Big:dog\n"), std::string::npos);

    // Big onto the root: to the top level, its contents with it.
    EXPECT_TRUE(itsWindow->Move(Node({0, 1}), Node({})));
    EXPECT_EQ(Dump(itsWindow->GetTree()->GetRoot()), "Main Level{Animals{cat} Colours{red} Big{lion dog}}");
    BookmarkStore reread;
    reread.Load();
    EXPECT_EQ(reread.TopLevel().back()->name, "Big");
    EXPECT_EQ(reread.TopLevel().back()->children.size(), 2u);
}

// The mouse as the toolkit delivers it: a press on a row starts the drag, the release over
// a folder's row drops the entry there, however many moves came in between.
TEST_F(BookWinTest, DraggingWithTheMouseMovesOntoTheFolderUnderTheRelease)
{
    Open();
    Node({0})->Expand(0, 0);
    FRM_CTreeView* tree = itsWindow->GetTree();
    WINDOW window = itsWindow->GetVKOWindow();
    const auto centre = [tree](FRM_CTreeItem* item) {
        const FRM_CRect row = tree->ItemToRect(item, 0);
        return s_pnt{static_cast<std::int16_t>((row.Top() + row.Bottom()) / 2),
                     static_cast<std::int16_t>(row.Left() + 30)};
    };
    const auto post = [window](e_event type, s_pnt where) {
        EVENT event{};
        event.type = type;
        event.v.mouse.where = where;
        vkov_test_post_event(window, &event);
        vkok_app_process_pending_events();
    };
    // dog starts at the top level, second; after each case it goes back there, last.
    std::vector<unsigned> dog = {1};
    for (const int moves : {0, 1, 4}) {
        SCOPED_TRACE(moves);
        const s_pnt from = centre(Node(dog));
        const s_pnt to = centre(Node({0, 1}));  // Animals/Big
        post(E_MOUSE_DOWN, from);
        for (int i = 1; i <= moves; ++i)
            post(E_MOUSE_MOVE, s_pnt{static_cast<std::int16_t>(from.v + (to.v - from.v) * i / moves),
                                     from.h});
        post(E_MOUSE_UP, to);
        EXPECT_EQ(Dump(tree->GetRoot()), "Main Level{Animals{cat Big{lion dog}} Colours{red}}");
        EXPECT_NE(File().find("Alpha:Animals/Big:dog\n"), std::string::npos);
        ASSERT_TRUE(itsWindow->Move(Node({0, 1, 1}), Node({})));
        dog = {2};
    }
    // A release outside the tree, or back on the dragged row, moves nothing.
    const std::string before = File();
    for (const s_pnt release : {s_pnt{centre(Node(dog)).v, 700}, centre(Node(dog))}) {
        post(E_MOUSE_DOWN, centre(Node(dog)));
        post(E_MOUSE_UP, release);
        EXPECT_EQ(File(), before);
    }
}

// Sort orders every level of the tree by name, byte by byte, and the file on disk takes the
// same order, so the next start shows it too; entries of one name keep their order.
TEST_F(BookWinTest, SortOrdersTheTreeAndTheFile)
{
    struct Case {
        const char* file;
        const char* tree;
        const char* sorted;
    };
    const Case cases[] = {
        {"Alpha:<>:zebra\n<>:mammals:<>\nAlpha:mammals:yak\nAlpha:mammals:ant\nAlpha:<>:bee\n",
         "Main Level{bee mammals{ant yak} zebra}",
         "Alpha:<>:bee\n<>:mammals:<>\nAlpha:mammals:ant\nAlpha:mammals:yak\nAlpha:<>:zebra\n"},
        {"Beta:<>:cat\nAlpha:<>:Zoo\nAlpha:<>:cat\n<>:Birds:<>\n<>:Birds/owls:<>\nAlpha:owls:snowy\n"
         "Alpha:owls:barn\n",
         "Main Level{Birds{owls{barn snowy}} Zoo cat cat}",
         "<>:Birds:<>\n<>:Birds/owls:<>\nAlpha:Birds/owls:barn\nAlpha:Birds/owls:snowy\nAlpha:<>:Zoo\n"
         "Beta:<>:cat\nAlpha:<>:cat\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Open(c.file);
        Select(Node({}));
        itsWindow->DoCommand(BookWin::kCmdSort, nullptr);
        EXPECT_EQ(Dump(itsWindow->GetTree()->GetRoot()), c.tree);
        EXPECT_EQ(File(), c.sorted);
        Stop();
    }
}

// After a sort, what is moved or made stays in name order, in the tree and in the file.
TEST_F(BookWinTest, AfterASortMovedAndNewEntriesKeepTheOrder)
{
    Open("Alpha:<>:zebra\n<>:mammals:<>\nAlpha:mammals:yak\nAlpha:<>:bee\n");
    Select(Node({}));
    itsWindow->DoCommand(BookWin::kCmdSort, nullptr);
    ASSERT_TRUE(itsWindow->Move(Node({2}), Node({1})));  // zebra into mammals
    ASSERT_TRUE(itsWindow->Move(Node({0}), Node({1})));  // bee into mammals
    EXPECT_EQ(Dump(itsWindow->GetTree()->GetRoot()), "Main Level{mammals{bee yak zebra}}");
    EXPECT_EQ(File(), "<>:mammals:<>\nAlpha:mammals:bee\nAlpha:mammals:yak\nAlpha:mammals:zebra\n");
    vkov_dm_test_push_answer(1, "ants", 0);
    Select(Node({}));
    itsWindow->DoCommand(BookWin::kCmdNewFolder, nullptr);
    EXPECT_EQ(Dump(itsWindow->GetTree()->GetRoot()), "Main Level{ants mammals{bee yak zebra}}");
    EXPECT_EQ(File(), "<>:ants:<>\n<>:mammals:<>\nAlpha:mammals:bee\nAlpha:mammals:yak\nAlpha:mammals:zebra\n");
}

TEST_F(BookWinTest, DoubleClickOnABookmarkClosesAndAnswersItsTag)
{
    Open();
    FRM_CTreeView* tree = itsWindow->GetTree();
    FRM_CTreeEvent onFolder(FRM_CTreeEvent::MouseDoubleClick, tree, Node({0}));
    itsWindow->DoCommand(FRM_CTreeView::kTreeEventCommand, &onFolder);
    FRM_CTreeEvent onRoot(FRM_CTreeEvent::MouseDoubleClick, tree, Node({}));
    itsWindow->DoCommand(FRM_CTreeView::kTreeEventCommand, &onRoot);
    EXPECT_EQ(itsWindow->PendingTag(), 0);

    const int windows = UserDocument()->GetNumWindows();
    FRM_CTreeEvent onDog(FRM_CTreeEvent::MouseDoubleClick, tree, Node({1}));
    itsWindow->DoCommand(FRM_CTreeView::kTreeEventCommand, &onDog);
    EXPECT_EQ(itsWindow->PendingTag(), bookmarktag::Open(4));
    EXPECT_EQ(UserDocument()->GetNumWindows(), windows) << "it closes 100 ms later";
    // OK meanwhile does not hurry it.
    itsWindow->DoCommand(BookWin::kCmdClose, nullptr);
    vkov_test_advance_clock(1);
    EXPECT_EQ(UserDocument()->GetNumWindows(), windows);
    vkov_test_advance_clock(BookWin::kOpenDelayMs - 1);
    EXPECT_EQ(UserDocument()->GetNumWindows(), windows - 1);
}

// Runs a step inside the organiser's modal loop: the step is queued, as an event for a window
// of its own, before the organiser opens, and so arrives while it runs.
class OrganizerTest : public BookmarksTest {
protected:
    void TearDown() override
    {
        if (itsStepWindow != nullptr && vkov_vobj_is_valid(itsStepWindow))
            vkok_vobj_destroy(itsStepWindow);
        theStep = nullptr;
        BookmarksTest::TearDown();
    }
    // Organize Bookmarks from window's menu; inside its loop, a double-click on the node at
    // path of the organiser's tree.
    void OpenFromOrganizer(MainRefWin* window, const std::vector<unsigned>& path)
    {
        theStep = [this, path] {
            auto* user = itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
            itsWindow = dynamic_cast<BookWin*>(user->GetBookmarkWindow());
            ASSERT_NE(itsWindow, nullptr) << "the organiser runs";
            FRM_CTreeEvent click(FRM_CTreeEvent::MouseDoubleClick, itsWindow->GetTree(), Node(path));
            itsWindow->DoCommand(FRM_CTreeView::kTreeEventCommand, &click);
        };
        s_rct frame{0, 0, 10, 10};
        itsStepWindow = vkok_win_create(W_DOC, &frame, "step", 0, nullptr, 0, VKO_EVENT_MASK_ALL,
                                        &RunStep, 0);
        EVENT step{};
        step.type = E_USER;
        vkov_test_post_event(itsStepWindow, &step);
        window->DoMenuCommand(menutag::kOrganizeBookmarks, 0, 0);
        EXPECT_EQ(itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument)
                      ->GetBookmarkWindow(),
                  nullptr)
            << "the organiser has closed";
    }
    static std::string Shown(MainRefWin* window)
    {
        const auto* current = window->GetNotebook()->GetHistories().entries.Current();
        return current != nullptr ? current->word : std::string("(none)");
    }

private:
    static int32_t RunStep(WINDOW, EVENT* event)
    {
        if (event->type == E_USER && theStep) {
            const std::function<void()> step = theStep;
            theStep = nullptr;
            step();
        }
        return 0;
    }
    static inline std::function<void()> theStep;
    WINDOW itsStepWindow = nullptr;
};

TEST_F(OrganizerTest, DoubleClickedBookmarkIsShownInTheWindowThatAskedInItsDictionary)
{
    StartWithBookmarks();
    OpenFromOrganizer(MainWindow(), {0, 0});  // Animals/cat, in Alpha
    EXPECT_EQ(MainWindow()->GetReferenceName(), "Alpha");
    EXPECT_EQ(Shown(MainWindow()), "cat");

    // From a second window in front, a bookmark of another dictionary: that window
    // switches to it; the first window keeps its entry.
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    ASSERT_EQ(ReferenceDocuments().size(), 2u);
    MainRefWin* second = ReferenceDocuments()[1]->GetMainWindow();
    OpenFromOrganizer(second, {2, 0});  // Colours/red, in Beta
    EXPECT_EQ(second->GetReferenceName(), "Beta");
    EXPECT_EQ(Shown(second), "red");
    EXPECT_EQ(MainWindow()->GetReferenceName(), "Alpha");
    EXPECT_EQ(Shown(MainWindow()), "cat");

    // Asked from the first window while the second is in front: the first shows it.
    OpenFromOrganizer(MainWindow(), {1});  // dog, in Alpha
    EXPECT_EQ(Shown(MainWindow()), "dog");
    EXPECT_EQ(Shown(second), "red");

    // Asked from the second window for a bookmark of the first window's dictionary: the
    // second switches to it and shows it; the first keeps its entry.
    OpenFromOrganizer(second, {0, 0});  // Animals/cat, in Alpha
    EXPECT_EQ(second->GetReferenceName(), "Alpha");
    EXPECT_EQ(Shown(second), "cat");
    EXPECT_EQ(Shown(MainWindow()), "dog");
}

// Return on the tree opens the bookmark selected, as a double-click does; it deletes nothing.
TEST_F(BookWinTest, ReturnOpensTheSelectedBookmarkAndDeletesNothing)
{
    Open();
    const std::string before = File();
    Select(Node({1}));  // dog
    WINDOW tree = itsWindow->GetTree()->GetVKOWindow();
    vkok_scr_set_focus_vobj(tree);
    EVENT enter{};
    enter.type = E_CHAR;
    enter.v.chr.ch = 13;
    vkov_test_post_event(tree, &enter);
    vkok_app_process_pending_events();
    EXPECT_EQ(File(), before);
    EXPECT_EQ(Dump(itsWindow->GetTree()->GetRoot()),
              "Main Level{Animals{cat Big{lion}} dog Colours{red}}");
    EXPECT_EQ(itsWindow->PendingTag(), bookmarktag::Open(4)) << "dog opens";
}

TEST_F(BookWinTest, OkClosesOnTheNextTickNotInsideItsClick)
{
    Open();
    const int windows = UserDocument()->GetNumWindows();
    itsWindow->DoCommand(BookWin::kCmdClose, nullptr);
    EXPECT_EQ(UserDocument()->GetNumWindows(), windows);
    vkov_test_advance_clock(1);
    EXPECT_EQ(UserDocument()->GetNumWindows(), windows - 1);
}

} // namespace
