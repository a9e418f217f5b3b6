// Tests of the safe rewrite of the settings files when the disk fills up part way through a
// write: the writer answers failure, the old file stays whole, no temporary file is left,
// and the preferences and bookmark saves pass the failure on. The full disk is a file-size
// limit in a child process, so the tests need no mount and hold as root.
#include "app/settings/file_replace.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/settings/prefs.h"
#include "app/settings/settings_files.h"
#include "app/shell/bookmark_store.h"

#include "../../support/file_size_limit.h"
#include "../../support/socket_file.h"
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
        // The child answers 1 when the write failed for the system's reason, a file too large.
        EXPECT_EQ(WithFileSizeLimit(limit,
                                    [&] {
                                        std::string why;
                                        return ReplaceFileContents(path, text, &why) == 0 &&
                                               why == std::strerror(EFBIG);
                                    }),
                  1)
            << "the writer answers failure and says why";
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

namespace fs = std::filesystem;

// Sets the umask for a test and restores it after.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : itsOld(umask(mask)) {}
    ~ScopedUmask() { umask(itsOld); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t itsOld;
};

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

TEST(FileReplace, AFileKeptAsALinkStaysOneAndTheFileItLeadsToTakesTheWrite)
{
    // A link to the shared folder, and one to a link there: the write lands in the file at the
    // end, beside which the temporary was made, and keeps its mode.
    struct Case {
        const char* why;
        const char* link;  // what the working folder's link says, "<shared>" standing for the folder
    };
    const Case cases[] = {{"a link to another folder", "<shared>/settings.kq"},
                          {"a link to a link", "<shared>/link.kq"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir work;
        TempDir shared;
        shared.write("settings.kq", kOld);
        fs::permissions(shared.path() + "/settings.kq", fs::perms(0640));
        fs::create_symlink("settings.kq", shared.path() + "/link.kq");
        std::string to = c.link;
        to.replace(0, 8, fs::relative(shared.path(), work.path()).string());
        fs::create_symlink(to, work.path() + "/settings.kq");
        std::string why = "untouched";
        ASSERT_EQ(ReplaceFileContents(work.path() + "/settings.kq", "new\n", &why), 1) << why;
        EXPECT_EQ(why, "");
        EXPECT_TRUE(fs::is_symlink(work.path() + "/settings.kq"));
        EXPECT_EQ(fs::read_symlink(work.path() + "/settings.kq").string(), to);
        EXPECT_TRUE(fs::is_symlink(shared.path() + "/link.kq"));
        EXPECT_EQ(shared.read("settings.kq"), "new\n");
        EXPECT_EQ(ModeOf(shared.path() + "/settings.kq"), 0640u);
        EXPECT_EQ(work.names(), std::vector<std::string>{"settings.kq"});
        EXPECT_EQ(shared.names(), (std::vector<std::string>{"link.kq", "settings.kq"}));
    }
}

TEST(FileReplace, ANameThatStandsForNoFileIsNeverReplacedAndTheAnswerSaysWhy)
{
    const std::string noFile = "a device, a pipe or a socket, not a file";
    struct Case {
        const char* why;
        void (*make)(const std::string& path);
        std::string said;
    };
    const Case cases[] = {
        {"a FIFO", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }, noFile},
        {"a socket",
         [](const std::string& path) { ASSERT_TRUE(test_support::MakeSocketFile(path)) << path; },
         noFile},
        {"a folder", [](const std::string& path) { fs::create_directory(path); }, "a folder, not a file"},
        {"a link to /dev/zero", [](const std::string& path) { fs::create_symlink("/dev/zero", path); },
         "a link to /dev/zero, " + noFile},
        {"a link to /dev/null", [](const std::string& path) { fs::create_symlink("/dev/null", path); },
         "a link to /dev/null, " + noFile},
        {"a link that leads nowhere", [](const std::string& path) { fs::create_symlink("gone/settings.kq", path); },
         "a link to gone/settings.kq, which is not there"},
        {"a link round in a loop",
         [](const std::string& path) {
             fs::create_symlink("other.kq", path);
             fs::create_symlink("settings.kq", fs::path(path).parent_path() / "other.kq");
         },
         "a link to other.kq, which leads round in a loop"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir dir;
        const std::string path = dir.path() + "/settings.kq";
        c.make(path);
        const std::vector<std::string> names = dir.names();
        const fs::file_type type = fs::symlink_status(path).type();
        std::string why;
        EXPECT_EQ(ReplaceFileContents(path, "new\n", &why), 0);
        EXPECT_EQ(why, c.said);
        EXPECT_EQ(ReplaceRefusal(path), c.said);
        EXPECT_EQ(fs::symlink_status(path).type(), type) << "left as it was";
        EXPECT_EQ(dir.names(), names) << "nothing made beside it";
    }
    EXPECT_EQ(ModeOf("/dev/null"), 0666u) << "the device kept its mode";
}

TEST(FileReplace, ANewFileTakesTheDefaultModeUnderTheUmaskAndARewriteKeepsTheOldOne)
{
    struct Case {
        mode_t umask;
        int oldMode;  // -1: no file yet
        mode_t expected;
    };
    const Case cases[] = {{022, -1, 0644}, {077, -1, 0600}, {002, -1, 0664}, {077, 0644, 0644}, {022, 0600, 0600}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.umask) + " " + std::to_string(c.oldMode));
        TempDir dir;
        const std::string path = dir.path() + "/settings.kq";
        if (c.oldMode >= 0) {
            dir.write("settings.kq", kOld);
            ASSERT_EQ(chmod(path.c_str(), static_cast<mode_t>(c.oldMode)), 0);
        }
        const ScopedUmask mask(c.umask);
        ASSERT_EQ(ReplaceFileContents(path, "new\n"), 1);
        EXPECT_EQ(ModeOf(path), c.expected);
    }
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
