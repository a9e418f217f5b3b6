// Tests of the bookmark store: reading "BookMark.kq" (a table of well-formed, malformed and
// hostile files), the round trip through Save, adding, moving and deleting entries, the name
// checks of the prompts, numbers after deletes and the entries' menu tags.
#include "app/shell/bookmark_store.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

#include "../../support/temp_dir.h"
#include "../support/kill_while_saving.h"

namespace {

namespace fs = std::filesystem;

using test_support::TempDir;

constexpr char kRef[] = "Dorvane-Kestle's Orlesse Dictionary";

// The tree in one line: a folder as "name[...]", a bookmark as "name#number".
std::string dump(const std::vector<std::unique_ptr<BMItem>>& level)
{
    std::string out;
    for (const auto& e : level) {
        if (!out.empty())
            out += " ";
        out += e->isFolder ? e->name + "[" + dump(e->children) + "]" : e->name + "#" + std::to_string(e->number);
    }
    return out;
}

std::string dump(const BookmarkStore& store)
{
    return dump(store.TopLevel());
}

BMItem* child_named(const std::vector<std::unique_ptr<BMItem>>& level, const std::string& name)
{
    for (const auto& e : level)
        if (e->name == name)
            return e.get();
    return nullptr;
}

class BookmarkFile : public ::testing::Test {
protected:
    std::string file() const { return (fs::path(dir.path()) / kBookmarkFileName).string(); }
    void write(const std::string& text) { dir.write(kBookmarkFileName, text); }
    std::string read() const { return dir.read(kBookmarkFileName); }

    TempDir dir;
    BookmarkStore store;
};

struct LoadCase {
    const char* what;
    const char* file;
    const char* tree;    // as dump() shows it
    int unread;          // lines kept aside as naming no entry
    int atMainLevel = 0; // lines read at the top level since their folder is not before them
};

class BookmarkLoad : public BookmarkFile, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(BookmarkLoad, ReadsTheTreeAndKeepsEveryLine)
{
    const LoadCase& c = GetParam();
    write(c.file);
    ASSERT_EQ(store.Load(dir.path()), 1);
    EXPECT_EQ(dump(store), c.tree);
    EXPECT_EQ(static_cast<int>(store.UnreadLines().size()), c.unread);
    EXPECT_EQ(static_cast<int>(store.AtMainLevelLines().size()), c.atMainLevel);

    // Written back and read again, the same tree and the same unread lines: nothing lost.
    ASSERT_EQ(store.Save(), 1);
    BookmarkStore again;
    ASSERT_EQ(again.Load(dir.path()), 1);
    EXPECT_EQ(dump(again), c.tree);
    ASSERT_EQ(again.UnreadLines().size(), store.UnreadLines().size());
    for (std::size_t i = 0; i < store.UnreadLines().size(); ++i)
        EXPECT_EQ(again.UnreadLines()[i].text, store.UnreadLines()[i].text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BookmarkLoad,
    ::testing::Values(
        LoadCase{"nested folders",
                 "<>:Animals:<>\nD:Animals:cat\n<>:Animals/Big:<>\nD:Animals/Big:lion\nD:<>:dog\n",
                 "Animals[cat#1 Big[lion#3]] dog#4", 0},
        LoadCase{"a folder line whatever its third field", "<>:F:anything\nD:F:w\n", "F[w#1]", 0},
        LoadCase{"a third field <> makes a folder", "x:F:<>\nD:F:w\n", "F[w#1]", 0},
        LoadCase{"comments and blank lines inside a folder", "<>:F:<>\n; note\n\n   \nD:F:a\n  ;x\nD:F:b\n",
                 "F[a#1 b#2]", 0},
        LoadCase{"CR LF line ends", "<>:F:<>\r\nD:F:a\r\nD:<>:b\r\n", "F[a#1] b#2", 0},
        LoadCase{"runs of ':' and leading ones", ":::D::<>:::w\n", "w#0", 0},
        LoadCase{"an owner no folder names goes to top level, told", "<>:X/Y:<>\nD:X/Y:a\nD:Q:b\n",
                 "Y[a#1] b#2", 0, 2},
        LoadCase{"same names: the innermost open folder", "<>:A:<>\n<>:A/A:<>\nD:A/A:in\n<>:B:<>\nD:B:b\n",
                 "A[A[in#2]] B[b#4]", 0},
        LoadCase{"an entry climbs back out of a folder", "<>:A:<>\n<>:A/B:<>\nD:A/B:b\nD:A:a\nD:<>:t\n",
                 "A[B[b#2] a#3] t#4", 0},
        LoadCase{"a stale path inside a moved folder reads by name", "<>:C/A:<>\nD:A:a\n", "A[a#1]", 0, 1},
        LoadCase{"a word keeps what follows a further ':'", "D:<>:ratio 1:2\n", "ratio 1:2#0", 0},
        LoadCase{"a bookmark without a word is kept aside", "D:Folder\nD\nD:<>:ok\n", "ok#0", 2},
        LoadCase{"a folder without a name is kept aside", "<>::<>\n<>:///:<>\nD:<>:ok\n", "ok#0", 2},
        LoadCase{"a folder named <> is kept aside", "<>:<>:<>\nD:<>:ok\n", "ok#0", 1},
        LoadCase{"CRs before the line end belong to no word", "D:<>:\r\r\nD:<>:a\r\r\n", "a#0", 1},
        LoadCase{"blanks after leading ':' start no field", ": :<>:w\n: D:<>:x\n", "w[] x#1", 0},
        LoadCase{"a dictionary starting with ';' after leading ':' is kept aside", "::;D:<>:w\n", "", 1},
        LoadCase{"an empty file", "", "", 0},
        LoadCase{"a last line without a line end", "D:<>:a\nD:<>:b", "a#0 b#1", 0}),
    [](const ::testing::TestParamInfo<LoadCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p != '\0'; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST_F(BookmarkFile, MissingFileIsAnEmptyStoreAndAnUnreadableOneIsNeverOverwritten)
{
    EXPECT_EQ(store.Load(dir.path()), 1);
    EXPECT_EQ(dump(store), "");

    // There, but not a file that can be read: none waits or fills the memory, none is
    // written over.
    const std::string tooLong = "D:<>:ok\nD:<>:" + std::string(BookmarkStore::kLongestBookmarkLine, 'w') + "\n";
    // A link that leads nowhere or round in a loop is there too: the user keeps the file
    // elsewhere, and a save must not put a file in place of the link.
    struct Case {
        const char* why;
        void (*make)(const std::string& file, const std::string& tooLong);
        std::string problem;  // as the messages say it
    };
    const std::string noFile = "a device, a pipe or a socket, not a file";
    const Case cases[] = {
        {"a folder", [](const std::string& f, const std::string&) { fs::create_directory(f); }, "a folder, not a file"},
        {"a FIFO", [](const std::string& f, const std::string&) { ASSERT_EQ(mkfifo(f.c_str(), 0600), 0); }, noFile},
        {"a link to /dev/zero", [](const std::string& f, const std::string&) { fs::create_symlink("/dev/zero", f); },
         "a link to /dev/zero, " + noFile},
        {"a link to /dev/urandom",
         [](const std::string& f, const std::string&) { fs::create_symlink("/dev/urandom", f); },
         "a link to /dev/urandom, " + noFile},
        {"a link that leads nowhere", [](const std::string& f, const std::string&) { fs::create_symlink("gone", f); },
         "a link to gone, which is not there"},
        {"a link round in a loop",
         [](const std::string& f, const std::string&) {
             fs::create_symlink("again", f);
             fs::create_symlink(kBookmarkFileName, fs::path(f).parent_path() / "again");
         },
         "a link to again, which leads round in a loop"},
        {"a link to a file whose reads fail",
         [](const std::string& f, const std::string&) { fs::create_symlink("/proc/self/mem", f); },
         "line 1 cannot be read: Input/output error"},
        {"a line longer than any the store writes",
         [](const std::string& f, const std::string& text) { std::ofstream(f, std::ios::binary) << text; },
         "line 2 is longer than 1048576 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        fs::remove_all(file());
        fs::remove(dir.path() + "/again");
        c.make(file(), tooLong);
        const auto type = fs::symlink_status(file()).type();
        BookmarkStore unread;
        EXPECT_EQ(unread.Load(dir.path()), 0);
        EXPECT_TRUE(unread.ReadFailed());
        EXPECT_EQ(unread.ReadProblem(), c.problem);
        EXPECT_EQ(unread.AddBookmark(nullptr, "w", kRef) != nullptr, true);  // kept in memory...
        EXPECT_EQ(unread.Save(), 0);                                          // ...never written over it
        EXPECT_EQ(fs::symlink_status(file()).type(), type);
        if (type == fs::file_type::regular) {
            EXPECT_EQ(read(), tooLong);
        }
    }
}

TEST_F(BookmarkFile, FoldersNestedTooDeepAreKeptAsideWholeAndTheLoadIsLinear)
{
    // As the store writes them (a path of 40 characters at most, as stale paths of moved
    // folders may be), and one name a level as by hand, each far deeper than the store keeps.
    std::string written, path;
    const int depth = 20000;
    for (int i = 0; i < depth; ++i) {
        path += (i == 0 ? "" : "/") + std::string("f");
        written += "<>:" + path.substr(path.size() > 40 ? path.size() - 40 : 0) + ":<>\n";
    }
    written += "D:f:" + std::string(100000, 'w') + "\n";
    std::string byHand = "<>:n0:<>\n";
    const int handDepth = 20000;
    for (int i = 1; i < handDepth; ++i)
        byHand += "<>:n" + std::to_string(i - 1) + "/n" + std::to_string(i) + ":<>\n";
    byHand += "D:n" + std::to_string(handDepth - 1) + ":deepest\nD:n0:shallow\n";
    struct Case {
        const char* why;
        const std::string& text;
        int cut;    // lines kept aside
        int first;  // the first of them
    };
    const int kept = BookmarkStore::kDeepestFolder;
    const Case cases[] = {
        {"written by the store", written, depth - kept, kept + 1},
        {"one name a level", byHand, handDepth - kept + 1, kept + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        write(c.text);
        ASSERT_EQ(store.Load(dir.path()), 1);
        EXPECT_EQ(store.NumberCount(), kept + 1);  // the folders kept and one bookmark
        ASSERT_EQ(static_cast<int>(store.CutLines().size()), c.cut);
        EXPECT_EQ(store.CutLines().front().line, c.first);
        EXPECT_EQ(store.CutLines().front().reason, "a folder nested more than 64 deep");
        EXPECT_EQ(store.CutLines().back().reason, "inside a folder nested more than 64 deep");
        EXPECT_TRUE(store.AtMainLevelLines().empty());
        EXPECT_TRUE(store.UnreadLines().empty());
        int deepest = 0;
        for (const BMItem* folder = store.TopLevel()[0].get(); folder != nullptr;
             folder = folder->children.empty() ? nullptr : folder->children[0].get())
            deepest += folder->isFolder ? 1 : 0;
        EXPECT_EQ(deepest, kept);

        // Every line stays in the file (the folders kept now with their whole paths), and
        // reads back the same.
        ASSERT_EQ(store.Save(), 1);
        const std::string saved = read();
        EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'),
                  std::count(c.text.begin(), c.text.end(), '\n'));
        ASSERT_EQ(store.Load(dir.path()), 1);  // the old tree is freed here
        EXPECT_EQ(store.NumberCount(), kept + 1);
        EXPECT_EQ(static_cast<int>(store.CutLines().size()), c.cut);
    }
}

// A folder line whose own path names more folders than the store keeps, with none of them
// before it: it lies that deep, so it is cut for its depth with what its path holds, and
// said so; one whose path is just deep enough is shown at the Main Level, told with its path
// shortened.
TEST_F(BookmarkFile, AFolderWhosePathAloneIsTooDeepIsCutWithItsContents)
{
    const auto pathOf = [](int parts) {
        std::string path = "n0";
        for (int i = 1; i < parts; ++i)
            path += "/n" + std::to_string(i);
        return path;
    };
    const std::string deep = pathOf(100000);
    const std::string kept = pathOf(BookmarkStore::kDeepestFolder);
    const std::string text = "<>:Pets:<>\nD:Pets:cat\n<>:" + deep + ":<>\nD:" + deep + ":dog\nD:" + deep +
                             "/x/y:owl\nD:n0/n1:hen\n<>:" + kept + ":<>\nD:" + kept + ":ant\n";
    write(text);
    ASSERT_EQ(store.Load(dir.path()), 1);
    EXPECT_EQ(dump(store), "Pets[cat#1] hen#2 n63[ant#4]");
    ASSERT_EQ(store.CutLines().size(), 3u);
    EXPECT_EQ(store.CutLines()[0].line, 3);
    EXPECT_EQ(store.CutLines()[0].reason, "a folder nested more than 64 deep");
    EXPECT_EQ(store.CutLines()[1].reason, "inside a folder nested more than 64 deep");
    EXPECT_EQ(store.CutLines()[2].reason, "inside a folder nested more than 64 deep");
    ASSERT_EQ(store.AtMainLevelLines().size(), 2u);
    EXPECT_EQ(store.AtMainLevelLines()[0].line, 6);
    EXPECT_EQ(store.AtMainLevelLines()[0].reason, "its folder \"n0/n1\" is not before it in the file");
    EXPECT_EQ(store.AtMainLevelLines()[1].line, 7);
    EXPECT_EQ(store.AtMainLevelLines()[1].reason,
              "its folder \"n0/n1/n2/n3/n4/n5/n6/n7/n8/n9/n10/n11/n1.../n53/n54/n55/n56/n57/n58/n59/n60/n61/n62\" "
              "is not before it in the file");

    // The cut lines stay in the file and read back the same.
    ASSERT_EQ(store.Save(), 1);
    ASSERT_EQ(store.Load(dir.path()), 1);
    EXPECT_EQ(dump(store), "Pets[cat#1] hen#2 n63[ant#4]");
    EXPECT_EQ(store.CutLines().size(), 3u);
    EXPECT_NE(read().find("<>:" + deep + ":<>\nD:" + deep + ":dog\nD:" + deep + "/x/y:owl\n"), std::string::npos);
}

TEST_F(BookmarkFile, FoldersListedBeforeTheirContentsKeepThem)
{
    write("<>:A:<>\n<>:B:<>\n<>:A/C:<>\nD:A:x\nD:B:y\nD:A/C:z\nD:Gone:lost\n");
    ASSERT_EQ(store.Load(dir.path()), 1);
    EXPECT_EQ(dump(store), "A[C[z#5] x#3] B[y#4] lost#6");
    ASSERT_EQ(store.AtMainLevelLines().size(), 1u);
    EXPECT_EQ(store.AtMainLevelLines()[0].line, 7);
    EXPECT_EQ(store.AtMainLevelLines()[0].reason, "its folder \"Gone\" is not before it in the file");

    // Written back in the store's order, the same tree; the line at the main level says so.
    ASSERT_EQ(store.Save(), 1);
    EXPECT_EQ(read(), "<>:A:<>\n<>:A/C:<>\nD:A/C:z\nD:A:x\n<>:B:<>\nD:B:y\nD:<>:lost\n");
}

TEST_F(BookmarkFile, AnEntryFoundByItsFoldersNameStaysThereOnceSaved)
{
    // The inner A is found again by its path after N; W and w name "A", which is the path of
    // the outer A, but are read into the inner one, the innermost open folder of that name.
    write("<>:A:<>\n<>:A/B:<>\n<>:N:<>\n<>:A/B/A:<>\n<>:A/W:<>\nD:A:w\n");
    ASSERT_EQ(store.Load(dir.path()), 1);
    EXPECT_EQ(dump(store), "A[B[A[W[] w#5]]] N[]");

    // Saved, they name the folder they are in and read back there (numbered in the new order).
    ASSERT_EQ(store.Save(), 1);
    EXPECT_EQ(read(), "<>:A:<>\n<>:A/B:<>\n<>:A/B/A:<>\n<>:A/B/A/W:<>\nD:A/B/A:w\n<>:N:<>\n");
    BookmarkStore again;
    ASSERT_EQ(again.Load(dir.path()), 1);
    EXPECT_EQ(dump(again), "A[B[A[W[] w#4]]] N[]");
}

TEST_F(BookmarkFile, FoldersNestNoDeeperThanTheStoreKeeps)
{
    ASSERT_EQ(store.Load(dir.path()), 1);
    BMItem* deepest = nullptr;
    std::vector<BMItem*> chain;
    for (int i = 0; i < BookmarkStore::kDeepestFolder; ++i)
        chain.push_back(deepest = store.AddFolder(deepest, "f"));
    ASSERT_NE(deepest, nullptr);
    EXPECT_EQ(store.CheckFolderName(deepest, "g"), BookmarkNameProblem::kTooDeep);
    EXPECT_EQ(store.AddFolder(deepest, "g"), nullptr);
    EXPECT_NE(store.AddBookmark(deepest, "w", kRef), nullptr) << "a bookmark goes in";

    // A folder holding a folder goes two levels below where it is dropped.
    BMItem* outer = store.AddFolder(nullptr, "outer");
    store.AddFolder(outer, "inner");
    EXPECT_FALSE(store.MoveItem(nullptr, chain[chain.size() - 2], outer));
    EXPECT_TRUE(store.MoveItem(nullptr, chain[chain.size() - 3], outer));
    EXPECT_EQ(store.CheckFolderName(chain[chain.size() - 3]->children.back()->children[0].get(), "g"),
              BookmarkNameProblem::kTooDeep);

    // Nor does a folder's line grow past what the file may hold.
    BMItem* longName = store.AddFolder(nullptr, std::string(BookmarkStore::kLongestBookmarkLine - 10, 'n'));
    ASSERT_NE(longName, nullptr);
    EXPECT_EQ(store.CheckFolderName(longName, "abcdef"), BookmarkNameProblem::kTooLong);
    EXPECT_FALSE(store.MoveItem(nullptr, longName, store.AddFolder(nullptr, "abcdef")));
}

TEST_F(BookmarkFile, SaveWritesTheFormatAndReplacesTheFileWhole)
{
    ASSERT_EQ(store.Load(dir.path()), 1);
    int changes = 0;
    store.onChanged = [&changes] { ++changes; };
    BMItem* animals = store.AddFolder(nullptr, "Animals");
    ASSERT_NE(animals, nullptr);
    BMItem* big = store.AddFolder(animals, "Big");
    store.AddBookmark(big, "lion", kRef);
    store.AddBookmark(nullptr, "dog", kRef);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(read(), "<>:Animals:<>\n<>:Animals/Big:<>\n" + std::string(kRef) + ":Animals/Big:lion\n" +
                          kRef + ":<>:dog\n");

    // A save that cannot write keeps the old file and leaves no temporary behind.
    chmod(dir.path().c_str(), 0500);
    if (access(dir.path().c_str(), W_OK) != 0) {  // (root writes regardless)
        EXPECT_EQ(store.AddBookmark(nullptr, "cat", kRef) != nullptr, true);
        EXPECT_EQ(read().find("cat"), std::string::npos);
    }
    chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(dir.names(), std::vector<std::string>{kBookmarkFileName});
}

TEST_F(BookmarkFile, MovesKeepTheTreeAcrossASaveAndRefuseLoops)
{
    write("<>:A:<>\n<>:A/B:<>\nD:A/B:b\nD:A:a\n<>:C:<>\nD:<>:t\n");
    ASSERT_EQ(store.Load(dir.path()), 1);
    BMItem* a = child_named(store.TopLevel(), "A");
    BMItem* b = child_named(a->children, "B");
    BMItem* c = child_named(store.TopLevel(), "C");
    BMItem* t = child_named(store.TopLevel(), "t");

    EXPECT_FALSE(store.MoveItem(nullptr, a, a));  // into itself
    EXPECT_FALSE(store.MoveItem(nullptr, b, a));  // into its own contents
    EXPECT_FALSE(store.MoveItem(nullptr, t, t));  // into a bookmark
    EXPECT_FALSE(store.MoveItem(c, nullptr, t));  // not where the caller says it is
    EXPECT_EQ(dump(store), "A[B[b#2] a#3] C[] t#5");

    EXPECT_TRUE(store.MoveItem(nullptr, c, a));
    // The file names every entry's new folder at once, two levels down too.
    EXPECT_EQ(read(), "<>:C:<>\n<>:C/A:<>\n<>:C/A/B:<>\nD:C/A/B:b\nD:C/A:a\nD:<>:t\n");
    EXPECT_TRUE(store.MoveItem(nullptr, a, t));
    EXPECT_TRUE(store.MoveItem(a, nullptr, b));
    const std::string moved = "C[A[a#3 t#5]] B[b#2]";
    EXPECT_EQ(dump(store), moved);
    EXPECT_EQ(b->path, "B");
    EXPECT_EQ(t->path, "C/A");

    BookmarkStore again;
    ASSERT_EQ(again.Load(dir.path()), 1);
    EXPECT_EQ(dump(again), "C[A[a#2 t#3]] B[b#5]");  // renumbered in file order
}

TEST_F(BookmarkFile, DeleteRemovesTheChosenEntryAndItsNumbersFindNothing)
{
    write("D:<>:run\n<>:F:<>\nD:F:run\n<>:F/G:<>\nD:F/G:x\n");
    ASSERT_EQ(store.Load(dir.path()), 1);
    BMItem* f = child_named(store.TopLevel(), "F");
    store.DeleteItem(child_named(f->children, "run"));  // the folder's "run", not the top one
    EXPECT_EQ(dump(store), "run#0 F[G[x#4]]");
    EXPECT_EQ(store.FindByNumber(2), nullptr);

    store.DeleteItem(f);
    EXPECT_EQ(dump(store), "run#0");
    for (int n = 1; n < 5; ++n)
        EXPECT_EQ(store.FindByNumber(n), nullptr) << n;
    EXPECT_EQ(store.FindByNumber(0)->name, "run");
    EXPECT_EQ(store.FindByNumber(-1), nullptr);
    EXPECT_EQ(store.FindByNumber(99), nullptr);

    // Numbers are not reused.
    EXPECT_EQ(store.AddBookmark(nullptr, "new", kRef)->number, 5);
    EXPECT_EQ(read(), std::string("D:<>:run\n") + kRef + ":<>:new\n");
}

TEST_F(BookmarkFile, AKillWhileSavingLeavesTheOldFileOrTheNewOneWhole)
{
    // A file big enough that a save takes a while, so kills land inside writes (and small
    // enough that every entry still has a menu tag, so adds are taken).
    std::string text = "<>:Words:<>\n";
    for (int i = 0; i < 9000; ++i)
        text += std::string(kRef) + ":Words:word" + std::to_string(i) + "\n";
    for (int saves_before_kill : {1, 2, 5}) {
        SCOPED_TRACE(saves_before_kill);
        write(text);
        // Adds bookmarks one after another (each add rewrites the file).
        BookmarkStore saving;
        int added = 0;
        tavlintest::KillAfterSaves(
            saves_before_kill, [&] { saving.Load(dir.path()); },
            [&] { saving.AddBookmark(nullptr, "added" + std::to_string(added++), kRef); });

        // The file reads whole: the folder with all its words, then the adds in order.
        BookmarkStore after;
        ASSERT_EQ(after.Load(dir.path()), 1);
        EXPECT_TRUE(after.UnreadLines().empty());
        ASSERT_GE(after.TopLevel().size(), 1u + saves_before_kill);
        EXPECT_EQ(after.TopLevel()[0]->children.size(), 9000u);
        for (std::size_t i = 1; i < after.TopLevel().size(); ++i)
            EXPECT_EQ(after.TopLevel()[i]->name, "added" + std::to_string(i - 1));
        for (const auto& e : fs::directory_iterator(dir.path()))
            if (e.path().filename() != kBookmarkFileName)
                fs::remove(e.path());  // a temporary file the kill left unfinished
    }
}

struct NameCase {
    const char* name;
    BookmarkNameProblem folder, word, ref;
};

TEST_F(BookmarkFile, NamesThatCannotBeStoredAreRefusedAndNothingChanges)
{
    ASSERT_EQ(store.Load(dir.path()), 1);
    ASSERT_NE(store.AddFolder(nullptr, "Taken"), nullptr);
    using P = BookmarkNameProblem;
    const NameCase cases[] = {
        {"", P::kEmpty, P::kEmpty, P::kEmpty},
        {"a:b", P::kBadCharacter, P::kBadCharacter, P::kBadCharacter},
        {"a/b", P::kBadCharacter, P::kNone, P::kNone},
        {"a\nb", P::kBadCharacter, P::kBadCharacter, P::kBadCharacter},
        {"a\r", P::kBadCharacter, P::kBadCharacter, P::kBadCharacter},
        {"<>", P::kReserved, P::kReserved, P::kReserved},
        {";x", P::kNone, P::kNone, P::kBadCharacter},
        {" x", P::kNone, P::kNone, P::kBadCharacter},
        {"Taken", P::kDuplicate, P::kNone, P::kNone},
        {"fine name", P::kNone, P::kNone, P::kNone},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(store.CheckFolderName(nullptr, c.name), c.folder);
        EXPECT_EQ(BookmarkStore::CheckBookmarkName(c.name), c.word);
        EXPECT_EQ(BookmarkStore::CheckRefName(c.name), c.ref);
    }
    // A name taken at one level is free in another.
    EXPECT_EQ(store.CheckFolderName(store.TopLevel()[0].get(), "Taken"), P::kNone);

    const std::string before = read();
    EXPECT_EQ(store.AddFolder(nullptr, "a/b"), nullptr);
    EXPECT_EQ(store.AddBookmark(nullptr, "w:x", kRef), nullptr);
    EXPECT_EQ(store.AddBookmark(nullptr, "w", ""), nullptr);
    BMItem* bookmark = store.AddBookmark(nullptr, "w", kRef);
    EXPECT_EQ(store.AddBookmark(bookmark, "in a bookmark", kRef), nullptr);
    EXPECT_EQ(dump(store), "Taken[] w#1");
}

TEST(BookmarkTags, StayClearOfFixedTagsAndRenumberBeforeRunningOut)
{
    EXPECT_EQ(bookmarktag::Open(0), 12000);
    EXPECT_EQ(bookmarktag::Folder(9999), 31999);
    EXPECT_EQ(bookmarktag::Open(10000), 0);
    EXPECT_EQ(bookmarktag::NumberOfOpen(12005), 5);
    EXPECT_EQ(bookmarktag::NumberOfOpen(bookmarktag::kMainLevel), -1);
    EXPECT_EQ(bookmarktag::NumberOfFolder(22000), 0);
    EXPECT_EQ(bookmarktag::NumberOfFolder(12000), -1);

    // A folder that is not there: every save fails at once, the changes stay in memory.
    TempDir dir;
    BookmarkStore store;
    ASSERT_EQ(store.Load(dir.path() + "/missing"), 1);
    BMItem* keep = store.AddBookmark(nullptr, "keep", kRef);
    for (int i = 1; i < bookmarktag::kNumbers; ++i)
        store.DeleteItem(store.AddBookmark(nullptr, "gone", kRef));
    // Every number handed out: the next add compacts them first.
    BMItem* next = store.AddBookmark(nullptr, "next", kRef);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(keep->number, 0);
    EXPECT_EQ(next->number, 1);
    EXPECT_EQ(store.FindByNumber(1), next);
}

} // namespace
