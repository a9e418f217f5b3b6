// Tests of the program's entry: the base library runs around the main routine, which sees
// the program's own file name; the hook record; the command-line flag.
#include "app/shell/program_start.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <string>
#include <vector>

#include "app/display/kq_list_box.h"
#include "app/settings/file_replace.h"
#include "../../support/file_size_limit.h"
#include "../../support/temp_dir.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace {

std::string theSeenName;
std::string theSavedPath;
int theSeenArgc = 0;

int RecordingMain(int argc, char** argv)
{
    theSeenArgc = argc;
    theSeenName = argv[0];
    return 7;
}

TEST(ProgramStart, MainRunsInsideTheLibraryUnderTheProgramsFileName)
{
    vkov_test_reset_all();
    char arg0[] = "short";
    char arg1[] = "word";
    char* argv[] = {arg0, arg1, nullptr};
    EXPECT_EQ(RunProgram(2, argv, RecordingMain), 7);
    char path[PATH_MAX] = {};
    ASSERT_GT(readlink("/proc/self/exe", path, sizeof path - 1), 0);
    EXPECT_EQ(theSeenName, std::string(path).substr(0, 99));
    EXPECT_EQ(theSeenArgc, 2) << "the main routine reads the arguments itself";
    vkov_test_reset_all();
}

int SavingMain(int, char**)
{
    return ReplaceFileContents(theSavedPath, std::string(4096, 'n')) == 1 ? 6 : 5;
}

TEST(ProgramStart, AWritePastTheFileSizeLimitFailsAndTheProgramGoesOn)
{
    test_support::TempDir dir;
    dir.write("Pref.kq", "font_size=12\n");
    theSavedPath = dir.path() + "/Pref.kq";
    // The program as the user starts it, with the signal's default action: the save fails
    // and is answered, rather than the signal ending the program.
    const int status = test_support::WithFileSizeLimit(120, [] {
        std::signal(SIGXFSZ, SIG_DFL);
        vkov_test_reset_all();
        char arg0[] = "TavlinCD";
        char* argv[] = {arg0, nullptr};
        return RunProgram(1, argv, SavingMain);
    });
    EXPECT_EQ(status, 5) << "-1: ended by a signal; 6: the save answered success";
    EXPECT_EQ(dir.read("Pref.kq"), "font_size=12\n");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"Pref.kq"});
}

TEST(ProgramStart, ANameLongerThanTheBufferIsCutAndTerminated)
{
    char name[8];
    std::fill(std::begin(name), std::end(name), 'x');
    GetProgramName(name, sizeof name);
    EXPECT_EQ(std::string(name).size(), 7u);
    GetProgramName(nullptr, 8);  // nothing to write into: no crash
}

TEST(ProgramStart, ExtraArgumentsSetTheFlagAndOnlyTheNameCounts)
{
    const struct {
        int argc;
        bool flag;
        int after;
    } cases[] = {{1, false, 1}, {2, true, 1}, {5, true, 1}, {0, false, 0}};
    for (const auto& c : cases) {
        int argc = c.argc;
        EXPECT_EQ(TakeCommandLine(&argc), c.flag) << c.argc;
        EXPECT_EQ(argc, c.after);
    }
}

TEST(ProgramStart, HookRecordGetsTheExitAndTextEditHooks)
{
    EXPECT_EQ(InstallStartupHooks(nullptr), 0);
    s_startup record{};
    ASSERT_EQ(InstallStartupHooks(&record), 1);
    EXPECT_NE(record.fatal_exit, nullptr);
    ASSERT_NE(record.tx_create, nullptr);
    ASSERT_NE(record.tx_get_tx, nullptr);
    // The lookup forwards to the text-edit engine: no window, no text edit.
    EXPECT_EQ(record.tx_get_tx(nullptr, 1), TXEDIT{0});
}

} // namespace
