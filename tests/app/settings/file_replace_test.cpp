// Tests of the safe rewrite of the settings files when the disk fills up part way through a
// write: the writer answers failure, the old file stays whole, no temporary file is left,
// and the preferences and bookmark saves pass the failure on. The full disk is a file-size
// limit in a child process, so the tests need no mount and hold as root.
#include "app/settings/file_replace.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/settings/prefs.h"
#include "app/settings/settings_files.h"
#include "app/shell/bookmark_store.h"

#include "../../support/file_size_limit.h"
#include "../../support/temp_dir.h"

namespace {

using test_support::TempDir;
using test_support::WithFileSizeLimit;

constexpr char kOld[] = "the old contents, which must survive\n";

TEST(FileReplace, AWriteThatFailsPartWayKeepsTheOldFileWholeAndLeavesNoTemporary)
{
    const std::string text(256 * 1024, 'n');
    // Room for nothing, for a part of the new text, and for all but its last byte.
    for (const rlim_t limit : {rlim_t{0}, rlim_t{4096}, rlim_t{text.size() - 1}}) {
        SCOPED_TRACE(limit);
        TempDir dir;
        dir.write("settings.kq", kOld);
        const std::string path = dir.path() + "/settings.kq";
        EXPECT_EQ(WithFileSizeLimit(limit, [&] { return ReplaceFileContents(path, text); }), 0)
            << "the writer answers failure";
        EXPECT_EQ(dir.read("settings.kq"), kOld);
        EXPECT_EQ(dir.names(), std::vector<std::string>{"settings.kq"});
    }
    // With room enough the same write goes through.
    TempDir dir;
    dir.write("settings.kq", kOld);
    EXPECT_EQ(WithFileSizeLimit(text.size(), [&] { return ReplaceFileContents(dir.path() + "/settings.kq", text); }), 1);
    EXPECT_EQ(dir.read("settings.kq"), text);
}

TEST(FileReplace, ThePreferencesAndBookmarkSavesAnswerAFullDisk)
{
    TempDir dir;
    dir.write(kPrefsFileName, kOld);
    dir.write(kBookmarkFileName, "Ref:<>:old\n");
    const int status = WithFileSizeLimit(8, [&] {
        Prefs prefs = DefaultPrefs();
        const int prefsWritten = SettingsFiles().WritePrefs(prefs, dir.path());
        BookmarkStore store;
        if (store.Load(dir.path()) != 1)
            return 10;
        const bool added = store.AddBookmark(nullptr, "new", "Ref") != nullptr;
        const bool unsaved = store.HasUnsavedChanges();
        // Room again: the change kept in memory is written now.
        if (!test_support::LiftFileSizeLimit())
            return 11;
        const int savedLater = store.SaveIfChanged();
        return prefsWritten * 1 + (added ? 0 : 2) + (unsaved ? 0 : 4) + (savedLater ? 0 : 8);
    });
    EXPECT_EQ(status, 0) << "1: prefs written, 2: add refused, 4: change not kept, 8: not saved later";
    EXPECT_EQ(dir.read(kPrefsFileName), kOld);
    EXPECT_EQ(dir.read(kBookmarkFileName), "Ref:<>:old\nRef:<>:new\n");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{kBookmarkFileName, kPrefsFileName}));
}

// The number of a process that has ended.
std::string EndedProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return std::to_string(child);
}

TEST(FileReplace, AGoodWriteRemovesTheTemporariesThatKilledWritesLeft)
{
    TempDir dir;
    const std::string ended = EndedProcess();
    const std::string running = std::to_string(getppid());
    const std::string ours = std::to_string(getpid());
    const struct {
        std::string name;
        bool kept;
    } files[] = {
        {"settings.kq." + ended + ".a1B2c3", false},   // its writer was killed
        {"settings.kq." + ours + ".Zz9yX8", false},    // this process, between writes
        {"settings.kq." + running + ".a1B2c3", true},  // another process is writing it
        {"settings.kq.bcbd2s", false},                 // the earlier naming, long untouched
        {"settings.kq.RwqNUY", true},                  // the earlier naming, just written
        {"settings.kq.bak", true},                     // not a temporary file
        {"settings.kq." + ended + ".ab", true},
        {"other.kq." + ended + ".a1B2c3", true},       // another file's
    };
    std::vector<std::string> expected = {"settings.kq"};
    for (const auto& file : files) {
        dir.write(file.name, "part of a write");
        if (file.kept)
            expected.push_back(file.name);
    }
    std::filesystem::last_write_time(dir.path() + "/settings.kq.bcbd2s",
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
    std::sort(expected.begin(), expected.end());
    // A failed write leaves them all.
    EXPECT_EQ(WithFileSizeLimit(0, [&] { return ReplaceFileContents(dir.path() + "/settings.kq", "new"); }), 0);
    EXPECT_EQ(dir.names().size(), std::size(files));
    ASSERT_EQ(ReplaceFileContents(dir.path() + "/settings.kq", "new"), 1);
    EXPECT_EQ(dir.names(), expected);
    EXPECT_EQ(dir.read("settings.kq"), "new");
}

} // namespace
