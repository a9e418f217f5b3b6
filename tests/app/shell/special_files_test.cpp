// TavlinCD started on files that are not what their names say: a FIFO, a socket, a link to
// /dev/zero or to /dev/urandom, a link that leads nowhere or round in a loop in place of a
// settings file or a data file, settings files kept as links to another folder, a bookmark
// file whose read fails, a bookmark file nested far too deep or listing its folders before
// their contents, a description with keys no description has, and text files that an editor
// began with a byte-order mark. The program starts at once, shows its window (or, without a
// dictionary, the box that names the file) and tells what it refused and why; no file of the
// user's is replaced, and a link stays a link.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/settings/settings_files.h"
#include "app/shell/bookmark_store.h"
#include "app/shell/kq_factory.h"
#include "app/shell/pref_win.h"
#include "app/shell/user_info_doc.h"
#include "frm/controls/cnatlist.h"
#include "vkobase/dm.h"

#include "../../support/socket_file.h"
#include "../support/tavlin_fixture.h"

namespace {

namespace fs = std::filesystem;

class SpecialFiles : public tavlintest::TavlinFixture {
protected:
    // Bookmarks > Add Bookmark > Main Level, with cat shown.
    void AddBookmarkForCat()
    {
        FrontPage()->SearchFor("cat");
        MainWindow()->DoMenuCommand(bookmarktag::kMainLevel, 0, 0);
    }
    // Preferences: a new background colour, then OK; the window closes on the next tick, or
    // asks first when the save failed (the question answered Discard). Answers the boxes
    // shown from OK on.
    std::vector<std::string> ChangePreferences(std::uint32_t color)
    {
        auto* user = itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
        auto* window = user == nullptr ? nullptr
                                       : dynamic_cast<PrefWin*>(KQedAppFactory::Instance().CreateWindow(
                                             user, KQedAppFactory::kPreferencesWindow));
        if (window == nullptr) {
            ADD_FAILURE() << "no preferences window";
            return {};
        }
        vkov_dm_test_push_answer(1, nullptr, color);
        window->GetPage(PrefWin::kAppearance)->DoCommand(AppearancePage::kCmdBackColor, nullptr);
        const int before = vkov_dm_test_count();
        vkov_dm_test_push_answer(1, nullptr, 0);
        window->DoCommand(PrefWin::kCmdOk, nullptr);
        vkov_test_advance_clock(1);
        EXPECT_EQ(user->GetNumWindows(), 0) << "the window closed";
        return ShownSince(before);
    }

    // The boxes shown since the before-th, as "kind: text".
    static std::vector<std::string> ShownSince(int before)
    {
        std::vector<std::string> shown;
        for (int i = before; i < vkov_dm_test_count(); ++i)
            shown.push_back(std::string(vkov_dm_test_kind(i)) + ": " + vkov_dm_test_text(i));
        return shown;
    }
};

// Puts in place of name what kind names: "folder", "fifo", "socket", "nowhere" (a link to a
// name that is not there), "loop" (a link to a link back to it), or a device of /dev.
void MakeSpecial(const std::string& name, const std::string& kind)
{
    fs::remove(name);
    if (kind == "folder") {
        ASSERT_TRUE(fs::create_directory(name));
    } else if (kind == "fifo") {
        ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
    } else if (kind == "socket") {
        ASSERT_TRUE(test_support::MakeSocketFile(name)) << name;
    } else if (kind == "nowhere") {
        fs::create_symlink("gone/" + name, name);
    } else if (kind == "loop") {
        fs::remove(name + ".other");
        fs::create_symlink(name + ".other", name);
        fs::create_symlink(name, name + ".other");
    } else {
        fs::create_symlink("/dev/" + kind, name);
    }
}

// What a name stands for, to see it left as it was: its type and, for a link, its text.
std::string WhatIsThere(const std::string& name)
{
    const fs::file_type type = fs::symlink_status(name).type();
    return std::to_string(static_cast<int>(type)) +
           (type == fs::file_type::symlink ? " -> " + fs::read_symlink(name).string() : "");
}

const char* const kKinds[] = {"fifo", "zero", "urandom"};
constexpr char kNoFile[] = "a device, a pipe or a socket, not a file";

// Why each kind of name is no settings file, as the messages say it after the file's name.
struct SpecialKind {
    const char* kind;
    std::string why;
};
std::vector<SpecialKind> SpecialKinds(const std::string& file)
{
    return {{"fifo", kNoFile},
            {"socket", kNoFile},
            {"zero", std::string("a link to /dev/zero, ") + kNoFile},
            {"urandom", std::string("a link to /dev/urandom, ") + kNoFile},
            {"nowhere", "a link to gone/" + file + ", which is not there"},
            {"loop", "a link to " + file + ".other, which leads round in a loop"}};
}

TEST_F(SpecialFiles, TheProgramStartsShowsItsWindowAndTellsWhatItRefused)
{
    const std::string notKept = "\nBookmarks made in this session will not be kept: the file is left as it is.";
    const std::string description = "warning: These description files (*.dct) describe no dictionary TavlinCD "
                                    "can use and are not listed under \"Select a reference:\":\n"
                                    "c.dct: cannot be read (a device, a pipe or a socket)";
    struct Case {
        const char* file;
        std::function<std::string(const std::string& why)> told;
    };
    const Case cases[] = {
        {"Pref.kq", [](const std::string& why) { return "warning: Can't open preferences file (Pref.kq).\nPref.kq: " + why + "."; }},
        {"BookMark.kq",
         [&](const std::string& why) {
             return "warning: Can't open bookmarks file (BookMark.kq).\nBookMark.kq: " + why + "." + notKept;
         }},
        {"c.dct", [&](const std::string&) { return description; }},
    };
    for (const Case& c : cases) {
        for (const SpecialKind& kind : SpecialKinds(c.file)) {
            const std::string what = kind.kind;
            if (std::string(c.file) == "c.dct" && what != "fifo" && what != "zero" && what != "urandom")
                continue;
            SCOPED_TRACE(std::string(c.file) + " as " + what);
            MakeSpecial(c.file, what);
            const std::string there = WhatIsThere(c.file);
            const int before = vkov_dm_test_count();
            Start();
            ASSERT_TRUE(itsApplication->IsStarted());
            ASSERT_NE(MainWindow(), nullptr);
            EXPECT_STREQ(MainWindow()->GetTitle().data(), "Alpha");
            EXPECT_EQ(ShownSince(before), std::vector<std::string>{c.told(kind.why)});
            Stop();
            EXPECT_EQ(WhatIsThere(c.file), there) << "left as it was";
            fs::remove(c.file);
            fs::remove(std::string(c.file) + ".other");
        }
    }
}

// Preferences OK and Add Bookmark over a settings file that is no file: the file stays as it
// is, and the save tells why in one box.
TEST_F(SpecialFiles, ASettingsFileThatIsNoFileIsNeverReplacedAndTheSaveSaysWhy)
{
    for (const char* file : {kPrefsFileName, kBookmarkFileName}) {
        for (const SpecialKind& kind : SpecialKinds(file)) {
            SCOPED_TRACE(std::string(file) + " as " + kind.kind);
            MakeSpecial(file, kind.kind);
            const std::string there = WhatIsThere(file);
            Start();
            ASSERT_NE(MainWindow(), nullptr);
            if (file == std::string(kPrefsFileName)) {
                EXPECT_EQ(ChangePreferences(0x01FF00FF),
                          std::vector<std::string>{"ask: Can't save preferences file (Pref.kq).\nPref.kq: " + kind.why +
                                                   ".\nTry again, or discard the changes?|Try Again|Discard|Cancel"});
            } else {
                const int before = vkov_dm_test_count();
                AddBookmarkForCat();
                EXPECT_EQ(ShownSince(before),
                          std::vector<std::string>{"warning: Can't save bookmarks file (BookMark.kq).\nBookMark.kq: it "
                                                   "could not be read at start (" + kind.why +
                                                   ") and is left as it is."});
            }
            Stop();
            EXPECT_EQ(WhatIsThere(file), there) << "left as it was";
            for (const auto& entry : fs::directory_iterator("."))
                EXPECT_EQ(entry.path().filename().string().rfind(std::string(file) + ".", 0) == 0 &&
                              entry.path().filename().string() != std::string(file) + ".other",
                          false)
                    << entry.path() << ": nothing left beside the file";
            fs::remove(file);
            fs::remove(std::string(file) + ".other");
        }
    }
}

// Both settings files kept in a shared folder and linked into the working one, as people do:
// every save goes into the linked file, and the names stay links.
TEST_F(SpecialFiles, SettingsFilesKeptAsLinksStayLinksAndTheirTargetsTakeEverySave)
{
    test_support::TempDir shared;
    shared.write(kPrefsFileName, "font_size=14\n");
    shared.write(kBookmarkFileName, "Alpha:<>:dog\n");
    fs::permissions(shared.path() + "/" + kPrefsFileName, fs::perms(0640));
    fs::permissions(shared.path() + "/" + kBookmarkFileName, fs::perms(0600));
    for (const char* file : {kPrefsFileName, kBookmarkFileName})
        fs::create_symlink(fs::relative(shared.path() + "/" + file, itsDir.path()), file);
    const std::string prefsLink = WhatIsThere(kPrefsFileName);
    const std::string bookmarksLink = WhatIsThere(kBookmarkFileName);

    const int before = vkov_dm_test_count();
    Start();
    ASSERT_NE(MainWindow(), nullptr);
    EXPECT_EQ(itsApplication->GetPrefs().font_size, 14) << "read through the link";
    AddBookmarkForCat();
    EXPECT_EQ(ShownSince(before), std::vector<std::string>{}) << "nothing failed";
    EXPECT_EQ(ChangePreferences(0x01FF00FF), std::vector<std::string>{}) << "nothing failed";
    Stop();

    EXPECT_EQ(WhatIsThere(kPrefsFileName), prefsLink);
    EXPECT_EQ(WhatIsThere(kBookmarkFileName), bookmarksLink);
    EXPECT_EQ(shared.read(kBookmarkFileName), "Alpha:<>:dog\nAlpha:<>:cat\n");
    EXPECT_NE(shared.read(kPrefsFileName).find("back_color=33489151\n"), std::string::npos)
        << shared.read(kPrefsFileName);
    EXPECT_EQ(fs::status(shared.path() + "/" + kPrefsFileName).permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(shared.path() + "/" + kBookmarkFileName).permissions(), fs::perms(0600));
    EXPECT_EQ(shared.names(), (std::vector<std::string>{kBookmarkFileName, kPrefsFileName}));
}

// A file mounted over a name for a while, unmounted when it goes.
class MountedOver {
public:
    MountedOver(const std::string& source, const std::string& name) : itsName(name)
    {
        itIsMounted = mount(source.c_str(), name.c_str(), nullptr, MS_BIND, nullptr) == 0;
    }
    ~MountedOver() { Unmount(); }
    MountedOver(const MountedOver&) = delete;
    MountedOver& operator=(const MountedOver&) = delete;
    bool IsMounted() const { return itIsMounted; }
    bool Unmount()
    {
        if (itIsMounted && umount2(itsName.c_str(), 0) == 0)
            itIsMounted = false;
        return !itIsMounted;
    }

private:
    std::string itsName;
    bool itIsMounted = false;
};

// A bookmark file whose read fails at start (a folder on the network that goes away for a
// moment; here this process's memory file, mounted over it, which fails at its first read)
// is not taken for a whole one that ended: the user is told, and once the file reads again
// no change writes the part read over it.
TEST_F(SpecialFiles, ABookmarkFileWhoseReadFailsIsNeverWrittenOverWithThePartRead)
{
    const std::string whole = "Alpha:<>:dog\nAlpha:<>:owl\n";
    itsDir.write(kBookmarkFileName, whole);
    // A mount namespace of this process's own, so that nothing shows outside it.
    if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "mounts are not allowed here: " << std::strerror(errno);
    const std::string file = itsDir.path() + "/" + kBookmarkFileName;
    MountedOver failing("/proc/" + std::to_string(getpid()) + "/mem", file);
    ASSERT_TRUE(failing.IsMounted()) << std::strerror(errno);

    const std::string why = "line 1 cannot be read: " + std::string(std::strerror(EIO));
    int before = vkov_dm_test_count();
    Start();
    ASSERT_NE(MainWindow(), nullptr);
    EXPECT_EQ(ShownSince(before),
              std::vector<std::string>{"warning: Can't open bookmarks file (BookMark.kq).\nBookMark.kq: " + why +
                                       ".\nBookmarks made in this session will not be kept: the file is left as "
                                       "it is."});
    ASSERT_TRUE(failing.Unmount());  // the folder is back
    ASSERT_EQ(itsDir.read(kBookmarkFileName), whole);

    before = vkov_dm_test_count();
    AddBookmarkForCat();
    EXPECT_EQ(ShownSince(before),
              std::vector<std::string>{"warning: Can't save bookmarks file (BookMark.kq).\nBookMark.kq: it could "
                                       "not be read at start (" + why + ") and is left as it is."});
    EXPECT_EQ(itsDir.read(kBookmarkFileName), whole);
    Stop();
    EXPECT_EQ(itsDir.read(kBookmarkFileName), whole) << "nor at the end";
}

TEST_F(SpecialFiles, ABookmarkFileTooDeepOrInAnOrderOfItsOwnIsReadAtOnceAndTold)
{
    // A hundred thousand folders, each inside the one before, one name a level.
    std::string deep = "<>:n0:<>\n";
    for (int i = 1; i < 100000; ++i)
        deep += "<>:n" + std::to_string(i - 1) + "/n" + std::to_string(i) + ":<>\n";
    deep += "Alpha:n99999:cat\n";
    // The same hundred thousand folders named by one path on the first line.
    std::string path = "n0";
    for (int i = 1; i < 100000; ++i)
        path += "/n" + std::to_string(i);
    const std::string deepPath = "<>:" + path + ":<>\nAlpha:" + path + ":cat\n<>:Pets:<>\nAlpha:Pets:dog\n";
    struct Case {
        const char* why;
        std::string file;
        std::string told;
        std::string tree;  // the top-level folder's contents, as the user's menus hold them
    };
    const Case cases[] = {
        {"nested far too deep", deep,
         "warning: 99937 lines of BookMark.kq are not shown; they stay in the file (from line 65: a folder "
         "nested more than 64 deep).",
         "n1"},
        {"nested far too deep by one path", deepPath,
         "warning: 2 lines of BookMark.kq are not shown; they stay in the file (from line 1: a folder nested more "
         "than 64 deep).",
         "dog"},
        {"folders listed before their contents", "<>:Pets:<>\n<>:Colours:<>\nAlpha:Pets:cat\nAlpha:Pets:dog\n"
                                                 "Beta:Colours:red\nAlpha:Gone:collar\n",
         "warning: 1 line of BookMark.kq is shown at the Main Level (line 6: its folder \"Gone\" is not "
         "before it in the file).",
         "cat dog"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        itsDir.write(kBookmarkFileName, c.file);
        const int before = vkov_dm_test_count();
        Start();
        ASSERT_TRUE(itsApplication->IsStarted());
        ASSERT_NE(MainWindow(), nullptr);
        EXPECT_EQ(ShownSince(before), std::vector<std::string>{c.told});
        const BookmarkStore& store = itsApplication->GetBookmarks();
        ASSERT_FALSE(store.TopLevel().empty());
        std::string tree;
        for (const auto& entry : store.TopLevel()[0]->children)
            tree += (tree.empty() ? "" : " ") + entry->name;
        EXPECT_EQ(tree, c.tree);
        Stop();
        EXPECT_EQ(itsDir.read(kBookmarkFileName), c.file) << "nothing written without a change";
    }
}

TEST_F(SpecialFiles, KeysNoDescriptionHasAreListedInTheStartWarning)
{
    itsDir.write("c.dct", "ref_name=Gamma\nbase_dir=data/\nbase_name=beta\ntable_Name=tables\n"
                          "search_text=Entry word is...,va\nart_exist=1\nsound-exist=1\n");
    const int before = vkov_dm_test_count();
    Start();
    ASSERT_TRUE(itsApplication->IsStarted());
    EXPECT_EQ(ShownSince(before),
              std::vector<std::string>{"warning: These lines of the description files (*.dct) hold keys TavlinCD "
                                       "does not know and are ignored:\nc.dct line 4: unknown key \"table_Name\"\n"
                                       "c.dct line 7: unknown key \"sound-exist\""});
    EXPECT_EQ(itsApplication->GetDescriptions().entries(), 3u) << "the description is still listed";
}

// The names the reference selector of the first main window lists.
std::vector<std::string> ListedReferences(MainRefWin* window)
{
    const auto* selector = dynamic_cast<FRM_NListButton*>(window->FindSubview(1060));
    std::vector<std::string> lines;
    for (int i = 0; selector != nullptr && i < selector->GetNumItems(); ++i)
        lines.emplace_back(selector->GetItem(i, 510).data());
    return lines;
}

TEST_F(SpecialFiles, AByteOrderMarkThatAnEditorWroteIsReadAsNothing)
{
    const std::string mark = "\xEF\xBB\xBF";
    const std::string gamma = "ref_name=Gamma\r\nbase_dir=data/\r\nbase_name=beta\r\n"
                              "search_text=Entry word is...,va\r\n";
    struct Case {
        const char* why;
        const char* file;
        std::string text;
        const char* title;  // of the main window: the dictionary opened
    };
    const Case cases[] = {
        {"a description opening with a comment", "c.dct", mark + "; Gamma, saved by a text editor\r\n" + gamma,
         "Alpha"},
        {"a description opening with its name", "c.dct", mark + gamma, "Alpha"},
        {"preferences naming the reference", "Pref.kq", mark + "reference=Beta\n", "Beta"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        fs::remove("c.dct");
        fs::remove("Pref.kq");
        if (std::string(c.file) == "Pref.kq")
            itsDir.write("c.dct", gamma);
        itsDir.write(c.file, c.text);
        const int before = vkov_dm_test_count();
        Start();
        ASSERT_TRUE(itsApplication->IsStarted());
        ASSERT_NE(MainWindow(), nullptr);
        EXPECT_EQ(ShownSince(before), std::vector<std::string>{}) << "nothing to tell";
        EXPECT_EQ(ListedReferences(MainWindow()), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
        EXPECT_STREQ(MainWindow()->GetTitle().data(), c.title);
        Stop();
    }
}

// Ends the program with the text of the last box shown (the fatal one) on standard error.
[[noreturn]] void WriteLastBoxAndAbort()
{
    const int count = vkov_dm_test_count();
    std::fprintf(stderr, "last box: %s\n", count > 0 ? vkov_dm_test_text(count - 1) : "");
    std::abort();
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

TEST_F(SpecialFiles, ADataFileThatIsNoFileIsNamedInTheBoxThatEndsTheProgram)
{
    // The one dictionary: without it the program cannot go on, and says which file is at fault.
    fs::remove("b.dct");
    for (const char* file : {"data/alpha.cmp", "data/alpha.ndx"}) {
        for (const char* kind : kKinds) {
            SCOPED_TRACE(std::string(file) + " as " + kind);
            fs::remove("data/alpha.cmp");  // a FIFO left from before would hold the writer
            fs::remove("data/alpha.ndx");
            tavlintest::WriteDictionary(itsDir, "alpha", tavlintest::Animals());
            MakeSpecial(file, kind);
            const std::string what = std::string(file).find(".cmp") != std::string::npos ? "a data file" : "an index file";
            EXPECT_DEATH(
                {
                    std::set_terminate(WriteLastBoxAndAbort);
                    Start();
                },
                "last box: " +
                    Literally("Fatal Error:  Unable to find the dictionary file!\nAlpha (base_dir=data/, "
                              "base_name=alpha): " + std::string(file) + ": a device, a pipe or a socket, not " +
                              what) +
                    "\n");
        }
    }
}

TEST_F(SpecialFiles, ANameInTheWorkingFolderThatIsNoFileLeavesTheDictionaryFoldersCopyInUse)
{
    // The working folder is looked in first for a dictionary's files; what is there under
    // such a name but is no file is not a copy of it.
    for (const char* name : {"alpha.cmp", "alpha.ndx"}) {
        for (const char* kind : {"folder", "fifo", "zero"}) {
            SCOPED_TRACE(std::string(name) + " as " + kind);
            MakeSpecial(name, kind);
            const int before = vkov_dm_test_count();
            Start();
            ASSERT_TRUE(itsApplication->IsStarted());
            ASSERT_NE(MainWindow(), nullptr);
            EXPECT_EQ(ShownSince(before), std::vector<std::string>{}) << "nothing to tell";
            EXPECT_STREQ(MainWindow()->GetTitle().data(), "Alpha");
            FrontPage()->SearchFor("cat*");
            EXPECT_EQ(Lines(), (std::vector<std::string>{"cat", "catalog", "caterpillar"}));
            EXPECT_NE(Drawn().find("domestic"), std::string::npos) << Drawn();
            Stop();
            EXPECT_TRUE(fs::exists(fs::symlink_status(name))) << "left as it was";
            fs::remove(name);
        }
    }
    // Without the dictionary folder's copy the box names both places looked in.
    fs::remove("b.dct");
    fs::remove("data/alpha.cmp");
    MakeSpecial("alpha.cmp", "folder");
    EXPECT_DEATH(
        {
            std::set_terminate(WriteLastBoxAndAbort);
            Start();
        },
        "last box: " + Literally("Fatal Error:  Unable to find the dictionary file!\nAlpha (base_dir=data/, "
                                 "base_name=alpha): alpha.cmp: a folder, not a data file; cannot open "
                                 "\"data/alpha.cmp\" (No such file or directory)") +
            "\n");
}

} // namespace
