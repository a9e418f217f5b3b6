// TavlinCD started on files that are not what their names say: a FIFO, a link to /dev/zero or
// to /dev/urandom in place of a settings file or a data file, a bookmark file nested far too
// deep or listing its folders before their contents, and a description with keys no
// description has. The program starts at once, shows its window (or, without a dictionary,
// the box that names the file) and tells what it refused; no file of the user's is replaced.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/shell/bookmark_store.h"
#include "vkobase/dm.h"

#include "../support/tavlin_fixture.h"

namespace {

namespace fs = std::filesystem;

using SpecialFiles = tavlintest::TavlinFixture;

// The boxes shown since the before-th, as "kind: text".
std::vector<std::string> ShownSince(int before)
{
    std::vector<std::string> shown;
    for (int i = before; i < vkov_dm_test_count(); ++i)
        shown.push_back(std::string(vkov_dm_test_kind(i)) + ": " + vkov_dm_test_text(i));
    return shown;
}

// Puts in place of name what kind names: "fifo", "zero" or "urandom".
void MakeSpecial(const std::string& name, const std::string& kind)
{
    fs::remove(name);
    if (kind == "fifo")
        ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
    else
        fs::create_symlink("/dev/" + kind, name);
}

const char* const kKinds[] = {"fifo", "zero", "urandom"};

TEST_F(SpecialFiles, TheProgramStartsShowsItsWindowAndTellsWhatItRefused)
{
    const std::string prefs = "warning: Can't open preferences file (Pref.kq).";
    const std::string bookmarks = "warning: Can't open bookmarks file (BookMark.kq).\nBookmarks made in this "
                                  "session will not be kept: the file is left as it is.";
    const std::string description = "warning: These description files (*.dct) describe no dictionary TavlinCD "
                                    "can use and are not listed under \"Select a reference:\":\n"
                                    "c.dct: cannot be read (a device, a pipe or a socket)";
    struct Case {
        const char* file;
        std::string told;
    };
    const Case cases[] = {{"Pref.kq", prefs}, {"BookMark.kq", bookmarks}, {"c.dct", description}};
    for (const Case& c : cases) {
        for (const char* kind : kKinds) {
            SCOPED_TRACE(std::string(c.file) + " as " + kind);
            MakeSpecial(c.file, kind);
            const fs::file_type type = fs::symlink_status(c.file).type();
            const int before = vkov_dm_test_count();
            Start();
            ASSERT_TRUE(itsApplication->IsStarted());
            ASSERT_NE(MainWindow(), nullptr);
            EXPECT_STREQ(MainWindow()->GetTitle().data(), "Alpha");
            EXPECT_EQ(ShownSince(before), std::vector<std::string>{c.told});
            Stop();
            EXPECT_EQ(fs::symlink_status(c.file).type(), type) << "left as it was";
            fs::remove(c.file);
        }
    }
}

TEST_F(SpecialFiles, ABookmarkFileTooDeepOrInAnOrderOfItsOwnIsReadAtOnceAndTold)
{
    // A hundred thousand folders, each inside the one before, one name a level.
    std::string deep = "<>:n0:<>\n";
    for (int i = 1; i < 100000; ++i)
        deep += "<>:n" + std::to_string(i - 1) + "/n" + std::to_string(i) + ":<>\n";
    deep += "Alpha:n99999:cat\n";
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

} // namespace
