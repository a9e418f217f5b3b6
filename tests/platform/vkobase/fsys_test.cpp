// Tests of the file-system family in a scratch directory: listing by pattern, attributes of
// file specifications, directory changes and path names.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "vkobase/fsys.h"
#include "vkobase/slist.h"
#include "vkobase/testing.h"

namespace {

class FsysTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        char tmpl[] = "/tmp/vko_fsys_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        for (const char *name : {"b.dct", "A.DCT", "c.txt", "main.dctx", ".hidden.dct"})
            write(dir_ + "/" + name);
        ASSERT_EQ(mkdir((dir_ + "/d.dct").c_str(), 0755), 0);
        ASSERT_EQ(chdir(dir_.c_str()), 0);
    }
    void TearDown() override {
        vkov_test_reset_all(); // back to the start-up directory
        std::system(("rm -rf " + dir_).c_str());
    }
    static void write(const std::string &path) {
        FILE *f = std::fopen(path.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("x", f);
        std::fclose(f);
    }
    s_file_spec spec(const char *name) const {
        s_file_spec s{};
        std::strcpy(s.dir.path, dir_.c_str());
        std::strcpy(s.name, name);
        return s;
    }
    static std::vector<std::string> names(SLIST list) {
        std::vector<std::string> out;
        for (SLIST_ELT e = vkov_slist_get_first(list); e != nullptr;
             e = vkov_slist_get_next(list, e))
            out.push_back(vkov_slist_get(list, e, nullptr));
        vkov_slist_destroy(list);
        return out;
    }
    std::string dir_;
};

TEST_F(FsysTest, ListFiles_MatchesPatternIgnoringCaseSortedByName) {
    struct Case {
        const char *why;
        const char *type;
        const char *pattern;
        BOOLEAN dirs;
        std::vector<std::string> expect;
    };
    const Case cases[] = {
        {"pattern ignores case; directories left out",
         "",
         "*.dct",
         FALSE,
         {".hidden.dct", "A.DCT", "b.dct"}},
        {"directories when asked", "", "*.dct", TRUE, {".hidden.dct", "A.DCT", "b.dct", "d.dct"}},
        {"type filters by extension", "txt", "*", FALSE, {"c.txt"}},
        {"question mark is one character", "", "?.*", FALSE, {"A.DCT", "b.dct", "c.txt"}},
        {"nothing matches", "", "*.none", FALSE, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        SLIST list = vkok_fsys_list_files(c.type, c.pattern, c.dirs);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(names(list), c.expect);
    }
    EXPECT_EQ(vkok_fsys_list_files(nullptr, "*", FALSE), nullptr);
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_SLIST), 0);
}

TEST_F(FsysTest, FileAttributes_AnswerAndChangeThroughSpecifications) {
    const s_file_spec file = spec("b.dct");
    const s_file_spec missing = spec("nope.dct");
    const s_file_spec subdir = spec("d.dct");
    const s_file_spec unnamed = spec("");
    struct Case {
        const char *why;
        const s_file_spec *spec;
        int32_t selector;
        int32_t expect;
    };
    const Case cases[] = {
        {"file exists", &file, VKO_FATTR_EXISTS, 1},
        {"file readable", &file, VKO_FATTR_READABLE, 1},
        {"file is not a directory", &file, VKO_FATTR_DIRECTORY, 0},
        {"directory", &subdir, VKO_FATTR_DIRECTORY, 1},
        {"missing file", &missing, VKO_FATTR_EXISTS, 0},
        {"no name, directory exists", &unnamed, VKO_FATTR_DIR_EXISTS, 1},
        {"no name, directory writable", &unnamed, VKO_FATTR_DIR_WRITABLE, 1},
        {"no name, file selector", &unnamed, VKO_FATTR_EXISTS, 0},
        {"unknown selector", &file, 99, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkov_fsys_get_file_attr(c.spec, c.selector), c.expect);
    }
    EXPECT_TRUE(vkov_fsys_set_file_attr(&file, VKO_FATTR_EXECUTABLE, 1));
    EXPECT_EQ(vkov_fsys_get_file_attr(&file, VKO_FATTR_EXECUTABLE), 1);
    EXPECT_TRUE(vkov_fsys_set_file_attr(&file, VKO_FATTR_EXECUTABLE, 0));
    EXPECT_EQ(vkov_fsys_get_file_attr(&file, VKO_FATTR_EXECUTABLE), 0);
    EXPECT_FALSE(vkov_fsys_set_file_attr(&missing, VKO_FATTR_WRITABLE, 1));
    EXPECT_FALSE(vkov_fsys_set_file_attr(&file, VKO_FATTR_DIRECTORY, 1));

    char path[VKO_FSYS_PATH_SIZE];
    EXPECT_TRUE(vkok_fsys_file_makepath(&file, path));
    EXPECT_EQ(std::string(path), dir_ + "/b.dct");
    EXPECT_TRUE(vkok_fsys_file_exists(path));
    EXPECT_FALSE(vkok_fsys_file_makepath(&unnamed, path));
    EXPECT_TRUE(vkov_fsys_rem_file(&file));
    EXPECT_FALSE(vkok_fsys_file_exists(path));
    EXPECT_FALSE(vkov_fsys_rem_file(&file));
}

TEST_F(FsysTest, Directories_SaveRestoreAndConvert) {
    s_dir here{};
    ASSERT_TRUE(vkok_fsys_get_dir(&here));
    EXPECT_EQ(std::string(here.path), dir_);
    s_dir sub{};
    ASSERT_TRUE(vkok_fsys_convert_str_to_dir("d.dct", &sub)) << "relative to the current dir";
    EXPECT_EQ(std::string(sub.path), dir_ + "/d.dct");

    vkok_fsys_save_dir();
    ASSERT_TRUE(vkok_fsys_set_dir(&sub));
    s_dir now{};
    vkok_fsys_get_default_dir(&now);
    EXPECT_STREQ(now.path, sub.path);
    vkok_fsys_restore_dir();
    vkok_fsys_get_default_dir(&now);
    EXPECT_STREQ(now.path, here.path);

    char small[8];
    EXPECT_FALSE(vkok_fsys_convert_dir_to_str(&sub, small, sizeof small)) << "does not fit";
    char text[VKO_SZ_DIR];
    EXPECT_TRUE(vkok_fsys_convert_dir_to_str(&sub, text, sizeof text));
    EXPECT_STREQ(text, sub.path);
    std::string long_text(300, 'x');
    s_dir kept = sub;
    EXPECT_FALSE(vkok_fsys_convert_str_to_dir(("/" + long_text).c_str(), &sub));
    EXPECT_STREQ(sub.path, kept.path) << "a refused conversion leaves the record";
    s_dir gone{};
    std::strcpy(gone.path, "/no/such/dir");
    EXPECT_FALSE(vkok_fsys_set_dir(&gone));
}

TEST_F(FsysTest, PathNames_SplitAndJoin) {
    struct Case {
        const char *why;
        const char *path;
        const char *dir;
        const char *name;
        const char *ext;
        const char *leaf;
    };
    const Case cases[] = {
        {"full path", "/a/b/main.dct", "/a/b/", "main", ".dct", "main.dct"},
        {"bare name", "main", "", "main", "", "main"},
        {"last dot only", "x/a.b.c", "x/", "a.b", ".c", "a.b.c"},
        {"leading dot is a name", "/a/.profile", "/a/", ".profile", "", ".profile"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        char volume[VKO_SZ_DIR] = "#", dir[VKO_SZ_DIR], name[VKO_SZ_DIR], ext[VKO_SZ_DIR],
             leaf[VKO_SZ_DIR];
        ASSERT_TRUE(vkok_fsys_parse_pathname(c.path, volume, dir, name, ext, leaf));
        EXPECT_STREQ(volume, "");
        EXPECT_STREQ(dir, c.dir);
        EXPECT_STREQ(name, c.name);
        EXPECT_STREQ(ext, c.ext);
        EXPECT_STREQ(leaf, c.leaf);
        char joined[VKO_SZ_DIR];
        ASSERT_TRUE(vkok_fsys_build_pathname(joined, sizeof joined, "", dir, name, ext));
        EXPECT_STREQ(joined, c.path) << "joining the parts gives the path back";
    }
    char path[16];
    EXPECT_TRUE(vkok_fsys_build_pathname(path, sizeof path, nullptr, "d", "n", "e"));
    EXPECT_STREQ(path, "d/n.e");
    EXPECT_FALSE(vkok_fsys_build_pathname(path, 4, nullptr, "dir", "name", nullptr));
    EXPECT_FALSE(vkok_fsys_build_pathname(path, sizeof path, "C:", "d", "n", nullptr));
}

} // namespace
