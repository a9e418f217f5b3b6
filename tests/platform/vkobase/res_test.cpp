// Resources: the text format round-trips through the parser and the canonical writer, faulty
// texts are refused with their line, and the registry hands out the records that the text
// describes, from files added at run time and from the program's compiled-in text.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/res_text.h"
#include "vkobase/mem.h"
#include "vkobase/res.h"
#include "vkobase/slist.h"
#include "vkobase/testing.h"

namespace {

namespace fs = std::filesystem;
using vkobase::res::Bundle;

// A text that uses every statement and option of the format.
constexpr char kFullText[] = R"(# every kind of item
string 1000 "Entry Word is"
string 1200 "Fatal Error:  Unable to find the dictionary file!"
string 1006 " "
string 7 "tab\there, quote \" and backslash \\ and byte \x01"
font 5 "01\\helvetica\\0\\10\\"
data 10000 "86463 10001 512 "
image 39100 hex "424d0a00ff"
menu 1 {
  popup "&File" {
    item 32001 "&New Window"
    separator
    popup "&Print" {
      item 3 "&Entry Text" off
    }
    item 32009 "E&xit" checkable checked key=120
  }
  popup 49 "Backward" { }
  popup "&Window" right {
    item 32769 "&Tile" state=7
  }
}
accelerators 9001 {
  "Alt+F1" 32462
  "Ctrl+C" 32028
  "Ctrl+Shift+PageDown" 9
  "Ctrl++" 8
}
window 2000 {
  entry type=1 rect=(10,20,300,400) title="Main" menubar=1 flags=0x800
  entry type=12 rect=(5,5,25,80) title="OK" id=101 ctlflags=3 font=5
  entry type=23 rect=(30,5,90,-1) value1=-2 value2=7 value3=205
        units=1 txattrs=0x12 txmargin=-1 txlimit=300
}
dialog 9050 {
  entry type=9 rect=(0,0,100,200) title="About"
}
)";

TEST(ResTextTest, CanonicalTextParsesBackToTheSameBundle) {
    Bundle first;
    std::string error;
    ASSERT_TRUE(vkobase::res::parse_text(kFullText, &first, &error, nullptr, nullptr)) << error;

    const std::string canonical = vkobase::res::write_text(first);
    Bundle second;
    ASSERT_TRUE(vkobase::res::parse_text(canonical, &second, &error, nullptr, nullptr))
        << error << "\n" << canonical;
    EXPECT_EQ(first, second) << canonical;
    // Writing is stable: the canonical text is its own canonical form.
    EXPECT_EQ(canonical, vkobase::res::write_text(second));

    // Spot checks of what the parser made of the trickier parts.
    EXPECT_EQ(first.strings.at(1200), "Fatal Error:  Unable to find the dictionary file!");
    EXPECT_EQ(first.strings.at(7),
              std::string("tab\there, quote \" and backslash \\ and byte \x01"));
    EXPECT_EQ(first.fonts.at(5), "01\\helvetica\\0\\10\\");
    EXPECT_EQ(first.images.at(39100), std::string("BM\x0a\x00\xff", 5));
    const auto& file = first.menus.at(1).at(0);
    ASSERT_EQ(file.children.size(), 4u);
    EXPECT_TRUE(file.children[1].separator);
    EXPECT_FALSE(file.children[2].children.at(0).enabled);
    EXPECT_EQ(file.children[3].mkey, 120);
    EXPECT_TRUE(first.menus.at(1).at(1).popup);
    EXPECT_EQ(first.menus.at(1).at(1).tag, 49);
    EXPECT_EQ(static_cast<uint16_t>(first.menus.at(1).at(2).children.at(0).tag), 32769);
    EXPECT_EQ(first.menus.at(1).at(2).state, 0x4000);
    EXPECT_EQ(first.menus.at(1).at(2).children.at(0).state, 7);
    const auto& accels = first.accels.at(9001);
    ASSERT_EQ(accels.size(), 4u);
    EXPECT_EQ(accels[0].keys, "Alt+F1");
    EXPECT_EQ(static_cast<uint16_t>(accels[1].tag), 32028);
    const auto& edit = first.windows.at(2000).at(2);
    EXPECT_EQ(edit.right, -1);
    EXPECT_EQ(edit.value1, -2);
    EXPECT_EQ(edit.value3, 205);
}

TEST(ResTextTest, AcceleratorKeysReadAsModifiersAndOneKey) {
    struct Case {
        const char* text;
        bool ctrl, shift, alt, virt;
        uint16_t code;
    };
    const Case cases[] = {
        {"Ctrl+c", true, false, false, false, 'C'},
        {"Alt+F1", false, false, true, true, VKO_KEY_F1},
        {"Shift+Ctrl+F12", true, true, false, true, VKO_KEY_F12},
        {"Ctrl++", true, false, false, false, '+'},
        {"Delete", false, false, false, true, VKO_KEY_DELETE},
        {"Ctrl+Enter", true, false, false, false, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        vkobase::res::AccelKey key;
        ASSERT_TRUE(vkobase::res::parse_accel_key(c.text, &key));
        EXPECT_EQ(key.ctrl, c.ctrl);
        EXPECT_EQ(key.shift, c.shift);
        EXPECT_EQ(key.alt, c.alt);
        EXPECT_EQ(key.virt, c.virt);
        EXPECT_EQ(key.code, c.code);
    }
    for (const char* bad : {"", "Ctrl+", "Meta+A", "F0", "Ctrl+AB"}) {
        vkobase::res::AccelKey key;
        EXPECT_FALSE(vkobase::res::parse_accel_key(bad, &key)) << bad;
    }
}

TEST(ResTextTest, FaultyTextsNameTheirLine) {
    struct Case {
        const char* why;
        const char* text;
        const char* expected;  // start of the error
    };
    const Case cases[] = {
        {"unknown statement", "string 1 \"a\"\nbogus 2 \"b\"\n", "line 2: unknown statement"},
        {"string left open", "string 1 \"abc\n", "line 1: string not closed"},
        {"bad escape", "string 1 \"a\\q\"", "line 1: unknown escape"},
        {"half a hex escape", "string 1 \"\\x4\"", "line 1: \\x needs two hex digits"},
        {"id too large", "string 4294967296 \"a\"", "line 1: resource id out of range"},
        {"menu not closed", "menu 1 {\n item 2 \"a\"\n", "line 3: expected item"},
        {"item without tag", "menu 1 {\n item \"a\"\n}", "line 2: expected a tag"},
        {"rectangle beyond 16 bits", "window 1 {\n entry type=1 rect=(0,0,40000,1)\n}",
         "line 2: rectangle value out of range"},
        {"entry without type", "window 1 {\n entry rect=(0,0,1,1)\n}", "line 3: entry without"},
        {"empty definition", "dialog 3 { }", "line 1: a definition needs"},
        {"image file without a reader", "image 1 file \"a.xpm\"", "line 1: cannot read image"},
        {"odd hex digits", "image 1 hex \"abc\"", "line 1: hex image needs"},
        {"sign among hex digits", "image 1 hex \"42-f\"", "line 1: bad hex digits"},
        {"space among hex digits", "image 1 hex \"42 f\"", "line 1: bad hex digits"},
        {"unknown accelerator key", "accelerators 1 {\n \"Ctrl+F13\" 5\n}", "line 2: unknown key"},
        {"unknown modifier", "accelerators 1 { \"Hyper+A\" 5 }", "line 1: unknown key"},
        {"accelerator without tag", "accelerators 1 { \"A\" }", "line 1: expected tag"},
        {"accelerator tag zero", "accelerators 1 { \"A\" 0 }", "line 1: tag out of range"},
        {"negative id", "string 1 \"a\"\nstring -5 \"b\"\n", "line 2: resource id -5 is negative"},
        {"negative menu id", "menu -1 {\n item 2 \"a\"\n}", "line 1: resource id -1 is negative"},
        {"a string defined twice", "string 1188 \"a\"\n\nstring 1188 \"b\"\n",
         "line 3: string 1188 is defined twice (first on line 1)"},
        {"a dialog defined twice", "dialog 3 {\n entry type=1\n}\ndialog 3 {\n entry type=1\n}",
         "line 4: dialog 3 is defined twice (first on line 1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Bundle bundle;
        std::string error;
        EXPECT_FALSE(vkobase::res::parse_text(c.text, &bundle, &error, nullptr, nullptr));
        EXPECT_EQ(error.rfind(c.expected, 0), 0u) << error;
    }
}

// res_test.res is compiled into this test by rescomp; it registers itself while the test
// program loads.
TEST(ResCompiledTest, TheCompiledTextIsRegisteredAtLoadAndSurvivesReset) {
    vkov_test_reset_all();
    char buf[64];
    EXPECT_STREQ(vkov_res_get_str(50001, buf, sizeof buf), "compiled \"quoted\" text");
    EXPECT_STREQ(vkov_res_get_str(50002, buf, sizeof buf), "Fatal Error:  two blanks");
    int32_t size = 0;
    const auto* image = static_cast<const char*>(vkov_res_get_image_data(50010, &size));
    ASSERT_NE(image, nullptr) << "the image file was read in at build time";
    EXPECT_EQ(std::string(image, 9), "/* XPM */");

    MENU_TREE tree = vkov_res_get_menu(50020);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(static_cast<uint16_t>(tree[0].child[0].tag), 32769);
    EXPECT_TRUE(tree[0].child[1].separator);
    EXPECT_FALSE(tree[0].child[2].enabled);
    vkov_res_free_menu_tree(tree);
    s_win_def* def = vkov_res_get_win_def(50030);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def[0].menu_bar_id, static_cast<int16_t>(50020));
    EXPECT_STREQ(def[1].text, "OK");
    vkov_res_free_win_def(def);

    // An added file is searched first; removing it uncovers the compiled text again.
    const fs::path file = fs::temp_directory_path() / "vkobase_res_compiled_override.res";
    std::ofstream(file) << "string 50001 \"override\"\n";
    ASSERT_GT(vkok_res_add_res(file.c_str()), 0);
    EXPECT_STREQ(vkov_res_get_str(50001, buf, sizeof buf), "override");
    vkov_test_reset_all();
    EXPECT_STREQ(vkov_res_get_str(50001, buf, sizeof buf), "compiled \"quoted\" text");
    fs::remove(file);
}

// Reports captured from the library.
struct Report {
    uint32_t code;
    std::string module;
};

void capture(WINDOW, int32_t, uint32_t code, const char* module, int32_t, void* context) {
    static_cast<std::vector<Report>*>(context)->push_back({code, module ? module : ""});
}

class ResRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        vkov_test_set_errmsg_hook(capture, &its_reports);
        its_dir = fs::temp_directory_path() /
                  ("vkobase_res_" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        fs::create_directories(its_dir);
    }
    void TearDown() override {
        vkov_test_set_errmsg_hook(nullptr, nullptr);
        vkov_test_reset_all();
        fs::remove_all(its_dir);
    }

    std::string write(const std::string& name, const std::string& bytes) {
        const fs::path path = its_dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    std::vector<Report> its_reports;
    fs::path its_dir;
};

TEST_F(ResRegistryTest, LoadersBuildTheRecordsOfAnAddedFile) {
    write("folder.xpm", "/* XPM */ pixels");
    const std::string file = write("app.res", std::string(kFullText) +
                                                  "image 39101 file \"folder.xpm\"\n");
    ASSERT_GT(vkok_res_add_res(file.c_str()), 0);

    // Strings: exact text, cut to the buffer, unknown ids empty the buffer.
    char buf[64];
    ASSERT_EQ(vkov_res_get_str(1200, buf, sizeof buf), buf);
    EXPECT_STREQ(buf, "Fatal Error:  Unable to find the dictionary file!");
    ASSERT_EQ(vkov_res_get_str(1000, buf, 6), buf);
    EXPECT_STREQ(buf, "Entry");
    EXPECT_EQ(vkov_res_get_str(4242, buf, sizeof buf), nullptr);
    EXPECT_STREQ(buf, "");

    // Menu tree: arrays ended by an all-zero record, submenus through child.
    MENU_TREE tree = vkov_res_get_menu(1);
    ASSERT_NE(tree, nullptr);
    EXPECT_STREQ(tree[0].text, "&File");
    ASSERT_NE(tree[0].child, nullptr);
    const s_mitem* items = tree[0].child;
    EXPECT_EQ(items[0].tag, 32001);
    EXPECT_TRUE(items[0].enabled);
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(items[1].text, nullptr);
    EXPECT_EQ(items[2].child[0].tag, 3);
    EXPECT_FALSE(items[2].child[0].enabled);
    EXPECT_EQ(items[2].child[1].tag, 0);
    EXPECT_TRUE(items[3].checked && items[3].checkable);
    EXPECT_EQ(items[3].mkey, 120);
    EXPECT_EQ(items[4].tag, 0);
    EXPECT_EQ(items[4].text, nullptr);
    EXPECT_EQ(tree[1].tag, 49);
    ASSERT_NE(tree[1].child, nullptr);  // an empty popup is still a submenu
    EXPECT_EQ(tree[1].child[0].tag, 0);
    vkov_res_free_menu_tree(tree);

    // Window definition: entries in order, ended by type 0.
    s_win_def* def = vkov_res_get_win_def(2000);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def[0].type, 1);
    EXPECT_EQ(def[0].rct.top, 10);
    EXPECT_EQ(def[0].rct.right, 400);
    EXPECT_STREQ(def[0].text, "Main");
    EXPECT_EQ(def[0].menu_bar_id, 1);
    EXPECT_EQ(def[0].win_flags, 0x800u);
    EXPECT_EQ(def[1].id, 101);
    EXPECT_EQ(def[1].ctl_flags, 3u);
    EXPECT_EQ(def[1].font_id, 5);
    EXPECT_EQ(def[2].text, nullptr);
    EXPECT_EQ(def[2].value1, -2);
    EXPECT_EQ(def[2].value3, 205);
    EXPECT_EQ(def[2].units, VKO_U_CHARS);
    EXPECT_EQ(def[2].tx_attrs, 0x12u);
    EXPECT_EQ(def[2].tx_margin, -1);
    EXPECT_EQ(def[2].tx_limit, 300);
    EXPECT_EQ(def[3].type, 0);
    vkov_res_free_win_def(def);
    EXPECT_EQ(vkov_res_get_win_def(9050), nullptr) << "a dialog is not a window";
    def = vkov_res_get_dlg_def(9050);
    ASSERT_NE(def, nullptr);
    EXPECT_STREQ(def[0].text, "About");
    vkov_res_free_win_def(def);

    // String lists take the ids that exist in the range, in order, with the id as data.
    SLIST list = vkov_res_get_str_list(1000, 1100);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(vkov_slist_count(list), 2);
    int32_t data = 0;
    EXPECT_STREQ(vkov_slist_get_elt(list, 0, &data), "Entry Word is");
    EXPECT_EQ(data, 1000);
    EXPECT_STREQ(vkov_slist_get_elt(list, 1, &data), " ");
    EXPECT_EQ(data, 1006);
    vkov_slist_destroy(list);

    // Image bytes, inline and read from the file beside the text.
    int32_t size = 0;
    const void* bytes = vkov_res_get_image_data(39100, &size);
    ASSERT_EQ(size, 5);
    EXPECT_EQ(std::memcmp(bytes, "BM\x0a\x00\xff", 5), 0);
    bytes = vkov_res_get_image_data(39101, &size);
    ASSERT_EQ(size, 16);
    EXPECT_EQ(std::memcmp(bytes, "/* XPM */ pixels", 16), 0);

    // Data blocks come as terminated copies.
    void* block = vkov_res_get_win_data(10000, &size, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(size, 16);
    EXPECT_STREQ(static_cast<char*>(block), "86463 10001 512 ");
    vkov_mem_free(block);
    EXPECT_EQ(vkov_res_get_menu_data(10001, &size, 0), nullptr);
    EXPECT_EQ(size, 0);
    EXPECT_TRUE(its_reports.empty());
}

TEST_F(ResRegistryTest, FilesAreSearchedNewestOrChosenFirstAndCanBeRemoved) {
    const std::string a = write("a.res", "string 1 \"from a\"\nstring 2 \"only a\"\n");
    const std::string b = write("b.res", "string 1 \"from b\"\n");
    const int32_t num_a = vkok_res_add_res(a.c_str());
    const int32_t num_b = vkok_res_add_res(b.c_str());
    ASSERT_GT(num_a, 0);
    ASSERT_GT(num_b, 0);
    EXPECT_NE(num_a, num_b);

    char buf[32];
    EXPECT_STREQ(vkov_res_get_str(1, buf, sizeof buf), "from b");
    EXPECT_STREQ(vkov_res_get_str(2, buf, sizeof buf), "only a");
    EXPECT_EQ(vkok_res_use_res(a.c_str()), num_a);
    EXPECT_STREQ(vkov_res_get_str(1, buf, sizeof buf), "from a");
    EXPECT_EQ(vkok_res_use_res("never-added.res"), 0);

    EXPECT_TRUE(vkok_res_remove_res(a.c_str()));
    EXPECT_FALSE(vkok_res_remove_res(a.c_str()));
    EXPECT_STREQ(vkov_res_get_str(1, buf, sizeof buf), "from b");
    EXPECT_EQ(vkov_res_get_str(2, buf, sizeof buf), nullptr);

    vkov_test_reset_all();
    EXPECT_EQ(vkov_res_get_str(1, buf, sizeof buf), nullptr) << "reset drops added files";
}

TEST_F(ResRegistryTest, UnreadableAndMalformedFilesAreReportedAndChangeNothing) {
    const std::string bad = write("bad.res", "string 1 \"ok\"\nmenu 2 {\n");
    EXPECT_EQ(vkok_res_add_res(bad.c_str()), 0);
    EXPECT_EQ(vkok_res_add_res((its_dir / "missing.res").c_str()), 0);
    EXPECT_EQ(vkok_res_add_res(nullptr), 0);
    ASSERT_EQ(its_reports.size(), 2u);
    EXPECT_EQ(its_reports[0].module, "res");
    EXPECT_NE(its_reports[0].code, its_reports[1].code);
    char buf[8];
    EXPECT_EQ(vkov_res_get_str(1, buf, sizeof buf), nullptr) << "a half-parsed file adds nothing";
}

}  // namespace
