// Tests of help on demand: the help file opens on first use, associations made before are
// applied then (however many), a window's kept-back associations can be dropped, the
// search for a file the user picks, and the event hook that opens help for a help request.
#include "app/shell/help_keeper.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/shell/kq_factory.h"
#include "app/shell/pref_win.h"
#include "app/shell/splash_win.h"
#include "app/shell/user_info_doc.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/cfacewin.h"
#include "vkobase/dm.h"
#include "win32/user.h"

#include "../../../platform/win32/src/help_file.h"

#include "../../support/socket_file.h"
#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

class HelpKeeperTest : public TavlinFixture {
protected:
    void CopyHelpFile(const std::string& folder = "")
    {
        const std::string to = folder.empty() ? itsDir.path() : itsDir.path() + "/" + folder;
        std::filesystem::create_directories(to);
        for (const char* name : {"TavlinCD.hlp", "TavlinCD.csa"})
            std::filesystem::copy_file(std::string(TAVLIN_HELP_DIR) + "/" + name, to + "/" + name);
    }
    WINDOW Main() { return MainWindow()->GetVKOWindow(); }
};

TEST_F(HelpKeeperTest, AssociationsWaitForHelpAndAreAllAppliedWhenItOpens)
{
    CopyHelpFile();
    Start();
    HelpKeeper keeper;
    // More than one table's worth: none may be lost.
    constexpr int kCount = 2 * static_cast<int>(HelpKeeper::kTableStep) + 7;
    for (int i = 0; i < kCount; ++i)
        keeper.SetAssoc(Main(), 1000 + i, 2000 + i, HelpKeeper::kMenuTag);
    keeper.SetAssoc(Main(), 0, 1090, HelpKeeper::kWindow);
    EXPECT_EQ(keeper.KeptBack(), static_cast<std::size_t>(kCount) + 1);
    EXPECT_EQ(keeper.GetIfOpen(), nullptr) << "nothing opens help before it is needed";

    HELPINFO help = keeper.Get();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(keeper.KeptBack(), 0u);
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ(vko_help_get_menu_assoc(help, Main(), static_cast<int16_t>(1000 + i)), 2000 + i) << i;
    EXPECT_EQ(vko_help_get_win_assoc(help, Main()), 1090);
    // Once open, an association is made at once.
    keeper.SetAssoc(Main(), 999, 1110, HelpKeeper::kMenuTag);
    EXPECT_EQ(vko_help_get_menu_assoc(help, Main(), 999), 1110);
}

TEST_F(HelpKeeperTest, ForgettingAWindowDropsItsKeptBackRecordsAndFreesTheirPlaces)
{
    Start();
    HelpKeeper keeper;
    auto* other = reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW));
    for (int i = 0; i < 40; ++i)
        keeper.SetAssoc(i % 2 == 0 ? Main() : other, i + 1, 100 + i, HelpKeeper::kMenuTag);
    keeper.Forget(Main());
    EXPECT_EQ(keeper.KeptBack(), 20u);
    for (int i = 0; i < 70; ++i)
        keeper.SetAssoc(Main(), i + 1, 300 + i, HelpKeeper::kMenuTag);
    EXPECT_EQ(keeper.KeptBack(), 90u);
}

// The program runs in its dictionaries' folder: the help file installed beside the program
// opens without asking the user.
TEST_F(HelpKeeperTest, HelpFileBesideTheProgramOpensWithoutAsking)
{
    CopyHelpFile("bin");
    Start();
    HelpKeeper keeper(itsDir.path() + "/bin");
    const int before = vkov_dm_test_count();
    HELPINFO help = keeper.Get();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(vkov_dm_test_count(), before) << "no dialog";
}

TEST_F(HelpKeeperTest, WithoutTheFileTheUserIsAskedUntilAFileOpensOrTheyCancel)
{
    Start();
    std::filesystem::create_directories(itsDir.path() + "/folder.hlp");
    HelpKeeper keeper;
    const int before = vkov_dm_test_count();
    vkov_dm_test_push_answer(2, (itsDir.path() + "/folder.hlp").c_str(), 0);
    vkov_dm_test_push_answer(1, nullptr, 0);
    EXPECT_EQ(keeper.Get(), nullptr);
    std::vector<std::string> shown;
    for (int i = before; i < vkov_dm_test_count(); ++i)
        shown.push_back(std::string(vkov_dm_test_kind(i)) + ": " + vkov_dm_test_text(i));
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "file_open: Please Find and Open help file...",
                         "error: Invalid help file, please choose another.",
                         "file_open: Please Find and Open help file...",
                     }));
    // A later request asks again; this time the user finds the file.
    CopyHelpFile();
    vkov_dm_test_push_answer(2, (itsDir.path() + "/TavlinCD.hlp").c_str(), 0);
    EXPECT_NE(keeper.Get(), nullptr);
}

TEST_F(HelpKeeperTest, TheHookLetsEventsThroughUntilHelpIsAskedFor)
{
    CopyHelpFile();
    Start();
    HelpKeeper keeper;
    keeper.InstallHook();
    EVENT key{};
    key.type = E_CHAR;
    EXPECT_TRUE(keeper.FilterEvent(Main(), &key, nullptr));
    EVENT command{};
    command.type = E_COMMAND;
    command.v.cmd.tag = 32001;
    EXPECT_TRUE(keeper.FilterEvent(Main(), &command, nullptr));
    EXPECT_EQ(keeper.GetIfOpen(), nullptr) << "no help for other menu items";
    command.v.cmd.tag = 32457;
    keeper.FilterEvent(Main(), &command, nullptr);
    EXPECT_NE(keeper.GetIfOpen(), nullptr) << "the help menu opens help";
}

// F1 as the toolkit sends it to the window with the focus.
void PressF1(WINDOW window, bool shift = false)
{
    EVENT key{};
    key.type = E_CHAR;
    key.v.chr.ch = VKO_KEY_F1;
    key.v.chr.virt = 1;
    key.v.chr.shift = shift ? 1 : 0;
    vkov_test_post_event(window, &key);
    vkok_app_process_pending_events();
}

TEST_F(HelpKeeperTest, F1InEachWindowAndPageShowsItsOwnTopicOfTheHelpFile)
{
    CopyHelpFile();
    Start();
    std::ifstream in(itsDir.path() + "/TavlinCD.hlp", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    win32::help::HelpFile file;
    std::string error;
    ASSERT_TRUE(win32::help::parse_help_file(text, &file, &error)) << error;

    KQedAppFactory& factory = KQedAppFactory::Instance();
    RefDoc* reference = ReferenceDocuments().front();
    auto* user = itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
    ASSERT_NE(user, nullptr);
    struct Case {
        const char* what;
        std::function<WINDOW()> open;  // the window, or the object with the focus in it
        std::int32_t topic;
    };
    const auto made = [&](FRM_CDocument* document, std::int32_t id) {
        return [&factory, document, id] {
            FRM_CWindow* window = factory.CreateWindow(document, id);
            return window != nullptr ? window->GetVKOWindow() : nullptr;
        };
    };
    const auto page = [this](int index) {
        return [this, index] {
            MainWindow()->ShowPage(index);
            return MainWindow()->GetPage(index)->GetCWindow()->GetVKOWindow();
        };
    };
    const auto prefPage = [user](PrefWin::Page index) {
        return [user, index] {
            PrefWin* preferences = nullptr;
            for (std::size_t i = 0; i < user->GetWindows().entries() && preferences == nullptr; ++i)
                preferences = dynamic_cast<PrefWin*>(static_cast<FRM_CWindow*>(user->GetWindows()[i]));
            if (preferences == nullptr)
                return WINDOW{};
            preferences->ShowPage(index);
            return preferences->GetPage(index)->GetCWindow()->GetVKOWindow();
        };
    };
    const Case cases[] = {
        {"main window", [this] { return MainWindow()->GetVKOWindow(); }, 1010},
        {"Basic Searches page", page(0), 1020},
        {"Advanced Searches page", page(1), 1030},
        {"Browse page", page(2), 1040},
        {"title and about window", [] { return SplashWin::Open()->GetVKOWindow(); }, 1160},
        {"preferences window", made(user, 1016), 1100},
        {"Appearance page", prefPage(PrefWin::kAppearance), 1101},
        {"Reference page", prefPage(PrefWin::kReference), 1102},
        {"Browse Search page", prefPage(PrefWin::kBrowseSearch), 1103},
        {"bookmark organiser", made(user, 1017), 1110},
        {"spelling help", made(reference, 1025), 1130},
        {"search status", made(reference, 1026), 1080},
        {"illustration", made(reference, 1027), 1060},
        {"table", made(reference, 1028), 1070},
        {"history list", made(reference, 1029), 1090},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WINDOW window = c.open();
        ASSERT_NE(window, nullptr);
        const int before = win32_test_help_count();
        PressF1(window);
        ASSERT_EQ(win32_test_help_count(), before + 1);
        EXPECT_EQ(win32_test_help_command(before), HELP_CONTEXT);
        EXPECT_EQ(static_cast<std::int32_t>(win32_test_help_data(before)), c.topic);
        EXPECT_NE(file.find(c.topic), nullptr) << "the help file has the topic";
    }
}

// Puts at path what kind names: "fifo", "device" (a link to one), "folder", "socket" or
// "broken link".
void MakeNonFile(const std::string& path, const std::string& kind)
{
    if (kind == "fifo") {
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    } else if (kind == "device") {
        std::filesystem::create_symlink("/dev/null", path);
    } else if (kind == "folder") {
        std::filesystem::create_directory(path);
    } else if (kind == "socket") {
        ASSERT_TRUE(test_support::MakeSocketFile(path)) << path;
    } else {
        std::filesystem::create_symlink(path + ".gone", path);
    }
}

// The boxes shown since the before-th, as "kind: text".
std::vector<std::string> ShownSince(int before)
{
    std::vector<std::string> shown;
    for (int i = before; i < vkov_dm_test_count(); ++i)
        shown.push_back(std::string(vkov_dm_test_kind(i)) + ": " + vkov_dm_test_text(i));
    return shown;
}

// Without the topic associations F1 shows the contents, and the user is told, when help
// opens, which file could not be read.
TEST_F(HelpKeeperTest, F1WithoutItsAssociationFileTellsTheFileAndShowsTheContents)
{
    struct Case {
        const char* why;
        const char* content; // of the association file; null: none
        std::string state;   // what the warning says of it; empty: no warning
        const char* kind;    // something else in its place (MakeNonFile); null: none
    };
    const std::string csa = itsDir.path() + "/TavlinCD.csa";
    const Case cases[] = {
        {"sound: the main window's own topic", "# comment\nW 1018 0 1010\n", "", nullptr},
        {"missing", nullptr, "is missing", nullptr},
        {"a line of another kind", "W 1018 0 1010\nX 1 0 2\n", "is damaged", nullptr},
        {"a line too short", "W 1018\n", "is damaged", nullptr},
        {"random bytes", "\x01\xff\x7f garbage\n", "is damaged", nullptr},
        {"empty", "", "is empty", nullptr},
        {"comments only", "# topics\n' none yet\n", "is empty", nullptr},
        {"a folder in its place", nullptr, "is a folder", "folder"},
        {"a FIFO in its place", nullptr, "is a device, a pipe or a socket", "fifo"},
        {"a link to nothing in its place", nullptr,
         "is a link to " + csa + ".gone (No such file or directory)", "broken link"},
    };
    CopyHelpFile();
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::filesystem::remove(csa);
        if (c.content != nullptr)
            std::ofstream(csa, std::ios::binary) << c.content;
        if (c.kind != nullptr)
            MakeNonFile(csa, c.kind);
        if (itsApplication->GetHelp().GetIfOpen() != nullptr)
            itsApplication->GetHelp().Close(); // opened again by the next F1
        const int notes = vkov_dm_test_count();
        const int shown = win32_test_help_count();
        testing::internal::CaptureStderr();
        PressF1(Main());
        testing::internal::GetCapturedStderr();
        ASSERT_EQ(win32_test_help_count(), shown + 1);
        if (c.state.empty()) {
            EXPECT_EQ(vkov_dm_test_count(), notes);
            EXPECT_EQ(win32_test_help_command(shown), HELP_CONTEXT);
            EXPECT_EQ(static_cast<std::int32_t>(win32_test_help_data(shown)), 1010);
            continue;
        }
        ASSERT_EQ(vkov_dm_test_count(), notes + 1);
        EXPECT_STREQ(vkov_dm_test_kind(notes), "warning");
        EXPECT_EQ(std::string(vkov_dm_test_text(notes)),
                  "The help topics file " + csa + " " + c.state + ": help opens at its contents.");
        EXPECT_EQ(win32_test_help_command(shown), HELP_CONTENTS);
    }
}

// Something other than a help file under its name: F1 names it and what it is before asking
// the user for the help file, and leaves it as it was.
TEST_F(HelpKeeperTest, F1OverANameThatIsNoHelpFileTellsWhatItIsThenAsks)
{
    Start();
    const std::string hlp = itsDir.path() + "/TavlinCD.hlp";
    struct Case {
        const char* kind;
        std::string what;
    };
    const Case cases[] = {
        {"fifo", "a device, a pipe or a socket"},
        {"device", "a device, a pipe or a socket"},
        {"folder", "a folder"},
        {"socket", "a device, a pipe or a socket"},
        {"broken link", "a link to " + hlp + ".gone (No such file or directory)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        MakeNonFile(hlp, c.kind);
        const auto type = std::filesystem::symlink_status(hlp).type();
        const int before = vkov_dm_test_count();
        vkov_dm_test_push_answer(1, nullptr, 0);  // the user cancels the search
        PressF1(Main());
        EXPECT_EQ(ShownSince(before),
                  (std::vector<std::string>{"error: " + hlp + ": " + c.what + ", not a help file",
                                            "file_open: Please Find and Open help file..."}));
        EXPECT_EQ(itsApplication->GetHelp().GetIfOpen(), nullptr);
        EXPECT_EQ(std::filesystem::symlink_status(hlp).type(), type) << "left as it was";
        std::filesystem::remove(hlp);
    }
    // Nothing of that name: the user is asked at once.
    const int before = vkov_dm_test_count();
    vkov_dm_test_push_answer(1, nullptr, 0);
    PressF1(Main());
    EXPECT_EQ(ShownSince(before), std::vector<std::string>{"file_open: Please Find and Open help file..."});
}

TEST_F(HelpKeeperTest, F1WithTheFocusOnAControlShowsItsWindowsTopicShiftF1StartsObjectClick)
{
    CopyHelpFile();
    Start();
    const WINDOW main = MainWindow()->GetVKOWindow();
    WINDOW field = nullptr;
    // The search field of the front page, a control on the page's face.
    const RWOrdered* children = MainWindow()->GetBasicPage()->GetSubviews();
    for (std::size_t i = 0; children != nullptr && i < children->entries() && field == nullptr; ++i)
        if (auto* edit = dynamic_cast<FRM_NEditControl*>((*children)[i]))
            field = edit->GetVKOWindow();
    ASSERT_NE(field, nullptr);
    vko_scr_set_focus_vobj(field);
    const int before = win32_test_help_count();
    PressF1(field);
    ASSERT_EQ(win32_test_help_count(), before + 1);
    EXPECT_EQ(static_cast<std::int32_t>(win32_test_help_data(before)), 1020);
    // Shift+F1: the next click tells which object; here the main window's own area.
    PressF1(field, true);
    EXPECT_EQ(win32_test_help_count(), before + 1) << "nothing shown until the click";
    EXPECT_EQ(vkov_win_get_pointer_trap(), main);
    EVENT up{};
    up.type = E_MOUSE_UP;
    up.v.mouse.where = s_pnt{20, 20};  // the back button, on the main window
    vkov_test_post_event(main, &up);
    vkok_app_process_pending_events();
    ASSERT_EQ(win32_test_help_count(), before + 2);
    EXPECT_EQ(static_cast<std::int32_t>(win32_test_help_data(before + 1)), 1010);
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
}

} // namespace
