// Tests of the file-system family against the recording double: null pointers in argument
// order, buffer sizes, and the attribute calls on specifications without a file name or
// naming a file that does not exist.
#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;
using base_double::Call;

class TfsysTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
    FILE_SPEC named(const char *name) {
        FILE_SPEC spec{};
        std::strncpy(spec.name, name, sizeof spec.name - 1);
        return spec;
    }
};

TEST_F(TfsysTest, Members_RefuseNullPointersInTheirOrder) {
    s_dir dir{};
    char buf[8];
    struct Case {
        const char *why;
        std::function<void()> call;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"both null: reported once, for the directory",
         [] { vko_fsys_convert_str_to_dir(nullptr, nullptr); }, "vkok_fsys_convert_str_to_dir",
         0x210000},
        {"directory to a buffer of size 0", [&] { vko_fsys_convert_dir_to_str(&dir, buf, 0); },
         "vkok_fsys_convert_dir_to_str", 0x1250004},
        {"directory to a buffer", [&] { vko_fsys_convert_dir_to_str(&dir, buf, 8); },
         "vkok_fsys_convert_dir_to_str", 0},
        {"no path to build into", [] { vko_fsys_build_pathname(nullptr, 8, "", "", "", ""); },
         "vkok_fsys_build_pathname", 0x210000},
        {"no type to list", [] { vko_fsys_list_files(nullptr, "*", 0); }, "vkok_fsys_list_files",
         0x210000},
        {"no directory to set", [] { vko_fsys_set_dir(nullptr); }, "vkok_fsys_set_dir", 0x210000},
        {"save needs nothing", [] { vko_fsys_save_dir(); }, "vkok_fsys_save_dir", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call();
        EXPECT_LE(base().Reports().size(), 1u);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TfsysTest, GetFileAttr_WithoutAFileName) {
    const FILE_SPEC unnamed{};
    const FILE_SPEC file = named("a.txt");
    struct Case {
        const char *why;
        const FILE_SPEC *spec;
        int32_t selector;
        int32_t result;
        std::uint32_t code;
        bool forwarded;
    };
    const Case cases[] = {
        {"null specification", nullptr, 2, -1, 0x210000, false},
        {"selector 12 of a directory", &unnamed, 12, 77, 0, true},
        {"selector 13 of a directory", &unnamed, 13, 77, 0, true},
        {"selector 1 answers 0 quietly", &unnamed, 1, 0, 0, false},
        {"selector 2 needs a file", &unnamed, 2, 0, 0x1530001, false},
        {"a named file", &file, 2, 77, 0, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkov_fsys_get_file_attr", 77);
        EXPECT_EQ(vko_fsys_get_file_attr(c.spec, c.selector), c.result);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded("vkov_fsys_get_file_attr"), c.forwarded);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TfsysTest, SetFileAttr_NeedsAnExistingFile) {
    const FILE_SPEC unnamed{};
    const FILE_SPEC file = named("a.txt");
    // The base library may write a path up to the system's limit.
    base().SetResponder("vkok_fsys_file_makepath", [](const Call &call) {
        char *path = reinterpret_cast<char *>(static_cast<std::uintptr_t>(call.args[1].value));
        std::memset(path, 'a', PATH_MAX - 1);
        path[PATH_MAX - 1] = '\0';
        return base_double::Answer{true, TRUE, 0.0};
    });
    struct Case {
        const char *why;
        const FILE_SPEC *spec;
        bool exists;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"an existing file", &file, true, 0},
        {"a file that does not exist", &file, false, 0x1530001},
        {"no file name", &unnamed, true, 0x1530001},
        {"no specification", nullptr, true, 0x210000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkok_fsys_file_exists", c.exists);
        base().SetResult("vkov_fsys_set_file_attr", TRUE);
        EXPECT_EQ(vko_fsys_set_file_attr(c.spec, 2, 1), c.code ? FALSE : TRUE);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded("vkov_fsys_set_file_attr"), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

} // namespace
