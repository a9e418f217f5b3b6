// dm_convert_test.cpp: the standard dialogs' answers turned into the interface's records,
// checked without any dialog: chosen paths into file specifications and directories, chosen
// fonts into font objects, colours, page settings into print records; and clipboard text
// between the program's character set and other programs'.
#include <gtest/gtest.h>

#include <string>

#include "../../../platform/vkobase/src/cb_internal.h"
#include "../../../platform/vkobase/src/dm_convert.h"
#include "../../../platform/vkobase/src/print_internal.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace {

class DmConvertTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    void TearDown() override { vkov_test_reset_all(); }
};

TEST_F(DmConvertTest, ChosenPathsFillTheFileSpecificationOrDirectory) {
    const std::string long_name(300, 'n');
    const std::string long_dir = "/" + std::string(270, 'd');
    struct Case {
        const char *why;
        std::string path;
        bool file;
        std::int32_t result;
        const char *dir;
        const char *name;
    };
    const Case cases[] = {
        {"a file in a folder", "/home/ann/words.txt", true, 2, "/home/ann", "words.txt"},
        {"a file at the root", "/words.txt", true, 2, "/", "words.txt"},
        {"a folder", "/home/ann", false, 2, "/home/ann", "old"},
        {"a name too long for its field is refused", "/tmp/" + long_name, true, 0, "/old", "old"},
        {"a folder too long for its field is refused", long_dir + "/a", true, 0, "/old", "old"},
        {"a path that ends in a slash names no file", "/tmp/", true, 0, "/old", "old"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        s_file_spec spec{};
        std::snprintf(spec.dir.path, sizeof spec.dir.path, "/old");
        std::snprintf(spec.name, sizeof spec.name, "old");
        const std::int32_t r = c.file ? vkobase::dm::put_path(c.path, &spec.dir, spec.name,
                                                              sizeof spec.name)
                                      : vkobase::dm::put_path(c.path, &spec.dir, nullptr, 0);
        EXPECT_EQ(r, c.result);
        EXPECT_STREQ(spec.dir.path, c.dir);
        EXPECT_STREQ(spec.name, c.name);
    }
}

TEST_F(DmConvertTest, ChosenFontsSetFamilyStyleAndSize) {
    FONT_OBJ font = vkov_font_create();
    ASSERT_NE(font, nullptr);
    vkov_font_set_style(font, VKO_FS_UNDERLINE | VKO_FS_ITALIC);
    struct Case {
        const char *why;
        vkobase::dm::FontChoice choice;
        bool applied;
        std::uint32_t style;
        std::int32_t size;
        const char *family;
    };
    const Case cases[] = {
        {"bold replaces italic; underline stays", {"DejaVu Serif", true, false, 14}, true,
         VKO_FS_BOLD | VKO_FS_UNDERLINE, 14, "DejaVu Serif"},
        {"plain", {"Sans", false, false, 9}, true, VKO_FS_UNDERLINE, 9, "Sans"},
        {"bold italic", {"Mono", true, true, 11}, true,
         VKO_FS_BOLD | VKO_FS_ITALIC | VKO_FS_UNDERLINE, 11, "Mono"},
        {"a size of zero is refused", {"Serif", false, false, 0}, false,
         VKO_FS_BOLD | VKO_FS_ITALIC | VKO_FS_UNDERLINE, 11, "Mono"},
        {"no family is refused", {"", true, false, 12}, false,
         VKO_FS_BOLD | VKO_FS_ITALIC | VKO_FS_UNDERLINE, 11, "Mono"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkobase::dm::apply_font_choice(c.choice, font), c.applied);
        EXPECT_EQ(vkov_font_get_style(font), c.style);
        EXPECT_EQ(vkov_font_get_size(font), c.size);
        const vkobase::dm::FontChoice back = vkobase::dm::font_choice_of(font);
        EXPECT_EQ(back.family, c.family);
        EXPECT_EQ(back.size_pt, c.size);
    }
    vkov_font_destroy(font);
}

TEST_F(DmConvertTest, ColoursGoBothWays) {
    struct Case {
        double r, g, b;
        COLOR color;
    };
    const Case cases[] = {
        {1, 0, 0, 0x00FF0000u}, {0, 1, 0, 0x0000FF00u}, {0, 0, 1, 0x000000FFu},
        {0.5, 0.25, 0.75, 0x008040BFu}, {-1, 2, 0, 0x0000FF00u} /* out of range is clamped */};
    for (const Case &c : cases) {
        EXPECT_EQ(vkobase::dm::color_of_rgb(c.r, c.g, c.b), c.color);
        double r = 0, g = 0, b = 0;
        vkobase::dm::rgb_of_color(c.color, &r, &g, &b);
        EXPECT_EQ(vkobase::dm::color_of_rgb(r, g, b), c.color);
    }
}

// A colour chosen again keeps its standard-colour number (white stays the standard white).
TEST_F(DmConvertTest, ChosenColourKeepsTheStandardColourWhenUnchanged) {
    struct Case {
        COLOR before;
        double r, g, b;
        COLOR chosen;
    };
    const Case cases[] = {
        {VKO_COLOR_WHITE, 1, 1, 1, VKO_COLOR_WHITE},
        {VKO_COLOR_WHITE, 1, 1, 0, 0x00FFFF00u},
        {VKO_COLOR_BLACK, 0, 0, 0, VKO_COLOR_BLACK},
        {0x00336699u, 0x33 / 255.0, 0x66 / 255.0, 0x99 / 255.0, 0x00336699u},
        {0x00336699u, 0x8F / 255.0, 0xF0 / 255.0, 0xA4 / 255.0, 0x008FF0A4u},
    };
    for (const Case &c : cases)
        EXPECT_EQ(vkobase::dm::chosen_color(c.before, c.r, c.g, c.b), c.chosen) << std::hex << c.before;
}

TEST_F(DmConvertTest, PageSettingsKeepPaperOrientationAndMargins) {
    s_printrcd *rcd = vkok_print_create(nullptr);
    ASSERT_NE(rcd, nullptr);
    struct Case {
        const char *why;
        vkobase::dm::PageChoice choice;
        bool applied;
    };
    const Case cases[] = {
        {"A4 landscape with wide margins", {210, 297, true, 20, 25, 30, 15}, true},
        {"letter portrait", {215.9, 279.4, false, 5, 5, 5, 5}, true},
        {"margins wider than the paper are refused", {100, 100, false, 10, 60, 10, 50}, false},
        {"a negative margin is refused", {210, 297, false, -1, 5, 5, 5}, false},
        {"a paper of no size is refused", {0, 297, false, 5, 5, 5, 5}, false},
    };
    vkobase::dm::PageChoice last{};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkobase::dm::apply_page_choice(c.choice, rcd), c.applied);
        if (c.applied)
            last = c.choice;
        // A refused choice leaves the record as the last one made it.
        const vkobase::dm::PageChoice now = vkobase::dm::page_choice_of(rcd);
        EXPECT_NEAR(now.width_mm, last.width_mm, 1e-9);
        EXPECT_NEAR(now.height_mm, last.height_mm, 1e-9);
        EXPECT_EQ(now.landscape, last.landscape);
        EXPECT_NEAR(now.top_mm, last.top_mm, 1e-9);
        EXPECT_NEAR(now.left_mm, last.left_mm, 1e-9);
        EXPECT_NEAR(now.bottom_mm, last.bottom_mm, 1e-9);
        EXPECT_NEAR(now.right_mm, last.right_mm, 1e-9);
    }
    vkok_print_destroy(rcd);
    EXPECT_FALSE(vkobase::dm::apply_page_choice(last, rcd)) << "a destroyed record";
}

TEST(ClipboardTextTest, TextGoesBetweenWindows1252WithCrLfAndUtf8WithLf) {
    struct Case {
        const char *why;
        std::string program; // Windows-1252
        std::string system;  // UTF-8
    };
    const Case cases[] = {
        {"plain", "word", "word"},
        {"accents and the euro", "caf\xe9 \x80 5", "caf\xc3\xa9 \xe2\x82\xac 5"},
        {"line ends", "a\r\nb\r\nc", "a\nb\nc"},
        {"typographic quotes and dash", "\x93q\x94 \x96", "\xe2\x80\x9cq\xe2\x80\x9d \xe2\x80\x93"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkobase::cb::text_to_system(c.program), c.system);
        EXPECT_EQ(vkobase::cb::text_from_system(c.system), c.program);
    }
    EXPECT_EQ(vkobase::cb::text_to_system("a\rb"), "a\nb") << "a lone CR ends a line too";
    EXPECT_EQ(vkobase::cb::text_from_system("\xe4\xb8\xad!"), "?!") << "a character it lacks";
    EXPECT_EQ(vkobase::cb::text_from_system("a\xff" "b\xc3"), "a?b?") << "malformed bytes";
}

} // namespace
