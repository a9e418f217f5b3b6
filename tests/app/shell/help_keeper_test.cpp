// Tests of help on demand: the help file opens on first use, associations made before are
// applied then (however many), a window's kept-back associations can be dropped, the
// search for a file the user picks, and the event hook that opens help for a help request.
#include "app/shell/help_keeper.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "vkobase/dm.h"

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

} // namespace
