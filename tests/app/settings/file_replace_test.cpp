// Tests of the safe rewrite of the settings files when the disk fills up part way through a
// write: the writer answers failure, the old file stays whole, no temporary file is left,
// and the preferences and bookmark saves pass the failure on. The full disk is a file-size
// limit in a child process, so the tests need no mount and hold as root.
#include "app/settings/file_replace.h"

#include <gtest/gtest.h>

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

} // namespace
