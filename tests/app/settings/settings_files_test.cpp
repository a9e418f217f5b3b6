// Tests of the dictionary description files and the preferences file: the line rules
// (tables of well-formed and malformed lines), the directory listing, the description
// record's identity and copy, and the preferences round trip and its safe rewrite.
#include "app/settings/settings_files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/settings/prefs.h"
#include "app/settings/config_dict.h"
#include "tools/demodict/description.h"

#include "../../support/temp_dir.h"
#include "../support/kill_while_saving.h"

namespace {

namespace fs = std::filesystem;

using test_support::TempDir;

std::string text_of(const RWCollectable* item)
{
    const auto* text = dynamic_cast<const RWCollectableString*>(item);
    return text != nullptr ? text->data() : "?";
}

// Every field of a description on one line, parts as "slot>part" and "part:first/second".
std::string dump(const configDict& d)
{
    std::string out = "ref=" + std::string(d.ref_name().data()) + "|base=" + d.base_dir().data() +
                      "/" + d.base_name().data() + "|art=" + d.art_dir().data() + "/" +
                      d.art_name().data() + "|table=" + d.table_dir().data() + "/" +
                      d.table_name().data() + "|help=" + d.help_dir().data() +
                      "|sound=" + d.sound_dir().data() + "|icons=" + d.bookmarkicon_dir().data() +
                      "|images=" + d.refimage_dir().data() +
                      "|flags=" + std::to_string(d.sound_exist()) + "," + std::to_string(d.art_exist()) +
                      "|search=";
    for (std::size_t i = 0; i < d.SearchLabels().entries(); ++i)
        out += text_of(d.SearchLabels()[i]) + ":" + text_of(d.SearchNames()[i]) + ";";
    out += "|order=";
    for (int slot = 0; slot < kPartSlots; ++slot) {
        if (d.part_at(slot) != 0)
            out += std::to_string(slot) + ">" + std::to_string(d.part_at(slot)) + ";";
    }
    out += "|parts=";
    for (int part = 0; part < kPartSlots; ++part) {
        const RWCString first = d.part_label(part);
        const RWCString second = d.part_layout(part);
        if (!first.isNull() || !second.isNull())
            out += std::to_string(part) + ":" + first.data() + "/" + second.data() + ";";
    }
    return out;
}

const char kEmpty[] =
    "ref=|base=/|art=/|table=/|help=|sound=|icons=|images=|flags=0,0|search=|order=|parts=";

TEST(Descriptions, LineRules)
{
    struct Case {
        const char* why;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"every key",
         "ref_name=Demo\nbase_dir=data/\nbase_name=demo\nart_dir=a/\nart_name=art\n"
         "table_dir=t/\ntable_name=tables\nhelp_dir=h/\nsound_dir=s/\nbookmarkicon_dir=b/\n"
         "refimage_dir=i/\nsound_exist=1\nart_exist=1\nsearch_text=Entry word is...,va\n"
         "main_entry=Entry,N\ntext_entry=Senses,T\n",
         "ref=Demo|base=data//demo|art=a//art|table=t//tables|help=h/|sound=s/|icons=b/"
         "|images=i/|flags=1,1|search=Entry word is...:va;|order=1>1;2>9;"
         "|parts=1:Entry/N;9:Senses/T;"},
        {"CR LF line ends leave no CR in the values",
         "ref_name=Demo\r\nbase_dir=data/\r\nsound_exist=1\r\nmain_entry=Entry,N\r\n",
         "ref=Demo|base=data//|art=/|table=/|help=|sound=|icons=|images=|flags=1,0|search="
         "|order=1>1;|parts=1:Entry/N;"},
        {"indentation, blank lines and comments",
         "; a comment\n\n   ref_name=Demo\n\t;ref_name=Other\n   \n",
         "ref=Demo|base=/|art=/|table=/|help=|sound=|icons=|images=|flags=0,0|search=|order="
         "|parts="},
        {"a blank before '=' makes an unknown key; keys are case-sensitive",
         "ref_name =Demo\nREF_NAME=Demo\nfoo=bar\n", kEmpty},
        {"doubled and leading separators collapse; a comma alone separates",
         "=ref_name==Demo\nbase_dir=,data/\nbase_name,demo\n",
         "ref=Demo|base=data//demo|art=/|table=/|help=|sound=|icons=|images=|flags=0,0"
         "|search=|order=|parts="},
        {"a value stops at '=' or ','; blanks stay in values",
         "ref_name=My Dict, second\nsearch_text=A label ,xy\n",
         "ref=My Dict|base=/|art=/|table=/|help=|sound=|icons=|images=|flags=0,0"
         "|search=A label :xy;|order=|parts="},
        {"missing values read as empty strings and 0",
         "ref_name=Demo\nref_name\nsound_exist=\nart_exist\nsearch_text=Only label\n"
         "main_entry\n",
         "ref=|base=/|art=/|table=/|help=|sound=|icons=|images=|flags=0,0|search=Only label:;"
         "|order=1>1;|parts="},
        {"numbers: leading digits, sign, words and hex, out of range",
         "sound_exist=12abc\nart_exist=-1\n", 
         "ref=|base=/|art=/|table=/|help=|sound=|icons=|images=|flags=12,-1|search=|order="
         "|parts="},
        {"a flag past 16 bits stays set", "sound_exist=65536\nart_exist=0x1F\n",
         "ref=|base=/|art=/|table=/|help=|sound=|icons=|images=|flags=32767,0|search=|order="
         "|parts="},
        {"parts in any order; a repeated part takes a slot and replaces its strings",
         "text_entry=Senses,N\nmain_entry=Entry,N\ntext_entry=Text,T\n",
         "ref=|base=/|art=/|table=/|help=|sound=|icons=|images=|flags=0,0|search="
         "|order=1>9;2>1;3>9;|parts=1:Entry/N;9:Text/T;"},
        {"a twelfth part line fills no slot past 11 but keeps its strings",
         "main_entry=a,1\npron_entry=b,2\nvariant_entry=c,3\nfunction_entry=d,4\n"
         "inflected_entry=e,5\nusage_entry=f,6\netymology_entry=g,7\ndate_entry=h,8\n"
         "text_entry=i,9\nart_entry=j,10\nmain_entry=k,11\npron_entry=l,12\n",
         "ref=|base=/|art=/|table=/|help=|sound=|icons=|images=|flags=0,0|search="
         "|order=1>1;2>2;3>3;4>4;5>5;6>6;7>7;8>8;9>9;10>10;11>1;"
         "|parts=1:k/11;2:l/12;3:c/3;4:d/4;5:e/5;6:f/6;7:g/7;8:h/8;9:i/9;10:j/10;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir dir;
        dir.write("one.dct", c.text);
        RWOrdered list;
        EXPECT_EQ(SettingsFiles().ReadDescriptions(&list, dir.path()), 1);
        ASSERT_EQ(list.entries(), 1u);
        EXPECT_EQ(dump(*dynamic_cast<configDict*>(list[0])), c.expected);
        list.clearAndDestroy();
    }
}

TEST(Descriptions, ReadsEveryDescriptionFileInNameOrder)
{
    TempDir dir;
    dir.write("b.dct", "ref_name=Second\n");
    dir.write("a.dct", "ref_name=First\n");
    dir.write("notes.txt", "ref_name=Not a description\n");
    dir.write("c.dct.bak", "ref_name=Not one either\n");
    fs::create_directory(dir.path() + "/folder.dct");
    fs::create_symlink(dir.path() + "/nowhere", dir.path() + "/broken.dct");
    RWOrdered list;
    EXPECT_EQ(SettingsFiles().ReadDescriptions(&list, dir.path()), 1);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < list.entries(); ++i)
        names.push_back(dynamic_cast<configDict*>(list[i])->ref_name().data());
    EXPECT_EQ(names, (std::vector<std::string>{"First", "Second"}))
        << "an unreadable file adds no blank description";
    list.clearAndDestroy();

    TempDir empty;
    EXPECT_EQ(SettingsFiles().ReadDescriptions(&list, empty.path()), 1);
    EXPECT_EQ(list.entries(), 0u);
}

// The files a description's name may stand for, beside a good description: what the start-up
// warning lists for each, and that it is read without waiting on it or filling the memory.
TEST(Descriptions, FilesThatAreNotDescriptionsAndKeysNoneHasAreTold)
{
    const std::string good = "ref_name=Good\nbase_name=good\nsearch_text=Entry word is...,va\n";
    struct Case {
        const char* why;
        std::string text;                     // b.dct, unless make gives it another kind
        void (*make)(const std::string& path);
        std::vector<std::string> unusable;
        std::vector<std::string> unknown;
    };
    const auto none = [](const std::string&) {};
    const Case cases[] = {
        {"a misspelt and a damaged key", "ref_name=B\nbase_name=b\ntable_Name=t\nsearch_text=S,va\nbase_dir =d/\n",
         none, {}, {"b.dct line 3: unknown key \"table_Name\"", "b.dct line 5: unknown key \"base_dir \""}},
        {"past five unknown keys, how many more",
         "ref_name=B\nbase_name=b\nsearch_text=S,va\na=1\nb=2\nc=3\nd=4\ne=5\nf=6\ng=7\n", none, {},
         {"b.dct line 4: unknown key \"a\"", "b.dct line 5: unknown key \"b\"", "b.dct line 6: unknown key \"c\"",
          "b.dct line 7: unknown key \"d\"", "b.dct line 8: unknown key \"e\"", "and 2 more lines of unknown keys"}},
        {"an unknown key in a file left out is not listed", "ref_name=B\nmisspelt=x\n", none,
         {"b.dct: no base_name line (the name of its data files)"}, {}},
        {"a line longer than any writer makes",
         "ref_name=B\nbase_name=" + std::string(kLongestSettingsLine, 'b') + "\nsearch_text=S,va\n", none,
         {"b.dct line 2: longer than 1048576 bytes"}, {}},
        {"a FIFO", "", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); },
         {"b.dct: cannot be read (a device, a pipe or a socket)"}, {}},
        {"a link to /dev/zero", "", [](const std::string& path) { fs::create_symlink("/dev/zero", path); },
         {"b.dct: cannot be read (a device, a pipe or a socket)"}, {}},
        {"a link to /dev/urandom", "", [](const std::string& path) { fs::create_symlink("/dev/urandom", path); },
         {"b.dct: cannot be read (a device, a pipe or a socket)"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir dir;
        dir.write("a.dct", good);
        if (c.text.empty())
            c.make(dir.path() + "/b.dct");
        else
            dir.write("b.dct", c.text);
        RWOrdered list;
        std::vector<std::string> unusable;
        std::vector<std::string> unknown;
        EXPECT_EQ(SettingsFiles().ReadDescriptions(&list, dir.path(), &unusable, &unknown), 1);
        EXPECT_EQ(unusable, c.unusable);
        EXPECT_EQ(unknown, c.unknown);
        EXPECT_EQ(list.entries(), c.unusable.empty() ? 2u : 1u);
        list.clearAndDestroy();
    }
}

TEST(Descriptions, IdentityIsTheReferenceNameAndCopiesStandAlone)
{
    configDict a;
    configDict b;
    a.InitSlots();
    b.InitSlots();
    a.SetRefName("Orlesse");
    b.SetRefName("Orlesse");
    b.SetBaseDir("elsewhere/");
    EXPECT_TRUE(a.isEqual(&b));
    EXPECT_EQ(a.compareTo(&b), 0);
    EXPECT_EQ(a.hash(), b.hash());
    b.SetRefName("Other");
    EXPECT_FALSE(a.isEqual(&b));
    EXPECT_EQ(a.compareTo(&b), -1);
    EXPECT_EQ(b.compareTo(&a), 1);

    a.AddSearchType("Entry word is...", "va");
    a.SetPart(1, 9, "Senses", "N");
    std::unique_ptr<configDict> twin(dynamic_cast<configDict*>(a.copy()));
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(dump(*twin), dump(a));
    twin->SetPart(1, 2, "Changed", "T");
    *dynamic_cast<RWCollectableString*>(twin->SearchLabels()[0]) = "Changed";
    EXPECT_EQ(a.part_at(1), 9) << "the copy shares no element";
    EXPECT_EQ(text_of(a.SearchLabels()[0]), "Entry word is...");

    std::unique_ptr<RWCollectable> made(getRWFactory()->create("a configDict"));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->isA(), configDict::classID());
}

TEST(Descriptions, TheDemoDictionaryDescriptionReadsBack)
{
    TempDir dir;
    dir.write(demodict::kDescriptionFile, demodict::demo_description());
    RWOrdered list;
    SettingsFiles().ReadDescriptions(&list, dir.path());
    ASSERT_EQ(list.entries(), 1u);
    const auto& demo = *dynamic_cast<configDict*>(list[0]);
    EXPECT_STREQ(demo.ref_name().data(), kDefaultReference);
    EXPECT_STREQ(demo.base_dir().data(), "data/");
    EXPECT_STREQ(demo.base_name().data(), "demo");
    EXPECT_EQ(demo.sound_exist(), 1);
    EXPECT_EQ(demo.art_exist(), 1);
    EXPECT_EQ(demo.SearchNames().entries(), 12u);
    EXPECT_EQ(text_of(demo.SearchLabels()[1]), "Defining text contains...");
    EXPECT_EQ(demo.part_at(6), 9) << "senses shown sixth";
    EXPECT_EQ(demo.part_at(7), 7) << "then the see-also part";
    EXPECT_STREQ(demo.part_layout(7).data(), "N");
    list.clearAndDestroy();
}

Prefs defaults()
{
    Prefs prefs;
    prefs.font_size = kDefaultFontSize;
    prefs.back_color = kDefaultBackColor;
    prefs.text_color = kDefaultTextColor;
    prefs.highlight_color = kDefaultHighlightColor;
    prefs.audio_color = kDefaultAudioColor;
    prefs.reference = kDefaultReference;
    return prefs;
}

std::string dump(const Prefs& p)
{
    return std::to_string(p.font_size) + "|" + std::to_string(p.back_color) + "|" +
           std::to_string(p.text_color) + "|" + std::to_string(p.highlight_color) + "|" +
           std::to_string(p.audio_color) + "|" + std::to_string(p.use_in_results) + "|" +
           p.reference.data() + "|" + std::to_string(p.search_type) + "|" +
           std::to_string(p.search_mode);
}

TEST(Preferences, WritesNineLinesAndReadsThemBack)
{
    TempDir dir;
    Prefs prefs = defaults();
    prefs.font_size = 14;
    prefs.back_color = 0xFF123456;  // a high byte that makes the value negative as written
    prefs.use_in_results = 1;
    prefs.reference = "My Dictionary";
    prefs.search_type = 3;
    prefs.search_mode = 2;
    ASSERT_EQ(SettingsFiles().WritePrefs(prefs, dir.path()), 1);
    EXPECT_EQ(dir.read(kPrefsFileName),
              "font_size=14\nback_color=-15584170\ntext_color=117440512\n"
              "highlight_color=33488896\naudio_color=50331903\nuse_in_results=1\n"
              "reference=My Dictionary\nsearch_type=3\nsearch_mode=2\n");
    Prefs read = defaults();
    EXPECT_EQ(SettingsFiles().ReadPrefs(&read, dir.path()), 1);
    EXPECT_EQ(dump(read), dump(prefs));
    EXPECT_EQ(dir.names(), std::vector<std::string>{kPrefsFileName}) << "no temporary file left";
    const fs::path file = fs::path(dir.path()) / kPrefsFileName;
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read)
        << "a new file is readable by all";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(SettingsFiles().WritePrefs(prefs, dir.path()), 1);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write)
        << "a rewrite keeps the old file's permissions";
}

TEST(Preferences, LineRules)
{
    struct Case {
        const char* why;
        std::string text;
        std::string expected;  // dump of the defaults changed by the file
    };
    const std::string d = dump(defaults());
    const Case cases[] = {
        {"an empty file keeps every default", "", d},
        {"comments and blank lines only", "; font_size=30\n\n   \n", d},
        {"lines in any order, CR LF ends, indentation",
         "  search_mode=1\r\nfont_size=9\r\n\treference=Other\r\n",
         "9|201326591|117440512|33488896|50331903|0|Other|0|1"},
        {"hexadecimal reads 0; signs and leading digits read",
         "back_color=0xFF\nsearch_type=-2\nfont_size=16pt\n",
         "16|0|117440512|33488896|50331903|0|Dorvane-Kestle's Orlesse Dictionary|-2|0"},
        {"a blank before '=' is an unknown key", "font_size =30\n", d},
        {"base_dir is not a preference", "base_dir=40\n", d},
        {"a number key without a value reads 0", "font_size\nuse_in_results=\n",
         "0|201326591|117440512|33488896|50331903|0|Dorvane-Kestle's Orlesse Dictionary|0|0"},
        {"a reference without a value is left as it was", "reference=\n", d},
        {"CRs end no token, at a line's end or before a separator",
         "reference=Dict\r\r,x\nsearch_type=4\r\r\n",
         "12|201326591|117440512|33488896|50331903|0|Dict|4|0"},
        {"a NUL byte ends the line", std::string("reference=Dict\r\0tail\r\n", 22),
         "12|201326591|117440512|33488896|50331903|0|Dict|0|0"},
        {"a reference stops at ','; separators collapse",
         "reference==Dict, the second\ntext_color,,255\n",
         "12|201326591|255|33488896|50331903|0|Dict|0|0"},
        {"a colour past 2^31 as an unsigned number", "audio_color=4278190335\n",
         "12|201326591|117440512|33488896|4278190335|0|Dorvane-Kestle's Orlesse Dictionary|0|0"},
        {"numbers past 32 bits are held at the ends", "font_size=99999999999\n",
         "2147483647|201326591|117440512|33488896|50331903|0|Dorvane-Kestle's Orlesse "
         "Dictionary|0|0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir dir;
        dir.write(kPrefsFileName, c.text);
        Prefs prefs = defaults();
        EXPECT_EQ(SettingsFiles().ReadPrefs(&prefs, dir.path()), 1);
        EXPECT_EQ(dump(prefs), c.expected);
    }
}

TEST(Preferences, MissingUnreadableAndUnwritableFiles)
{
    TempDir dir;
    Prefs prefs = defaults();
    EXPECT_EQ(SettingsFiles().ReadPrefs(&prefs, dir.path()), 1) << "no file yet: a first run";
    EXPECT_EQ(dump(prefs), dump(defaults()));

    fs::create_directory(dir.path() + "/" + kPrefsFileName);
    EXPECT_EQ(SettingsFiles().ReadPrefs(&prefs, dir.path()), 0) << "there but not readable";
    EXPECT_EQ(dump(prefs), dump(defaults()));
    EXPECT_EQ(SettingsFiles().WritePrefs(prefs, dir.path()), 0) << "cannot replace a folder";
    EXPECT_EQ(dir.names(), std::vector<std::string>{kPrefsFileName}) << "the temporary is gone";

    EXPECT_EQ(SettingsFiles().WritePrefs(prefs, dir.path() + "/missing"), 0);
}

TEST(Preferences, AFileThatIsNotPreferencesIsRefusedWithoutWaitingOnIt)
{
    // Read at start: refused with the reason; saved later: a name that stands for no regular
    // file is left as it is, and the save says why (a failed read of a regular file does not
    // keep a save from replacing it whole).
    const std::string path_of = "/" + std::string(kPrefsFileName);
    const std::string noFile = "a device, a pipe or a socket, not a file";
    struct Case {
        const char* why;
        void (*make)(const std::string& path);
        std::string readProblem;
        std::string saveProblem;  // "": the save replaces it
    };
    const Case cases[] = {
        {"a FIFO", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }, noFile, noFile},
        {"a link to /dev/zero", [](const std::string& path) { fs::create_symlink("/dev/zero", path); },
         "a link to /dev/zero, " + noFile, "a link to /dev/zero, " + noFile},
        {"a link to /dev/urandom", [](const std::string& path) { fs::create_symlink("/dev/urandom", path); },
         "a link to /dev/urandom, " + noFile, "a link to /dev/urandom, " + noFile},
        {"a link that leads nowhere", [](const std::string& path) { fs::create_symlink("shared/Pref.kq", path); },
         "a link to shared/Pref.kq, which is not there", "a link to shared/Pref.kq, which is not there"},
        {"a link round in a loop", [](const std::string& path) { fs::create_symlink("Pref.kq", path); },
         "a link to Pref.kq, which leads round in a loop", "a link to Pref.kq, which leads round in a loop"},
        {"a link to a file whose reads fail", [](const std::string& path) { fs::create_symlink("/proc/self/mem", path); },
         "line 1 cannot be read: Input/output error",
         " (writing /proc/" + std::to_string(getpid()) + "/mem, which it links to)"},  // after the system's reason
        {"a line longer than any the writer makes",
         [](const std::string& path) {
             std::ofstream(path, std::ios::binary) << "font_size=20\nreference=" << std::string(kLongestSettingsLine, 'r');
         },
         "line 2 is longer than 1048576 bytes", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir dir;
        c.make(dir.path() + path_of);
        Prefs prefs = defaults();
        std::string why;
        EXPECT_EQ(SettingsFiles().ReadPrefs(&prefs, dir.path(), &why), 0);
        EXPECT_EQ(dump(prefs), dump(defaults())) << "nothing read from it";
        EXPECT_EQ(why, c.readProblem);

        const fs::file_type type = fs::symlink_status(dir.path() + path_of).type();
        why.clear();
        EXPECT_EQ(SettingsFiles().WritePrefs(prefs, dir.path(), &why), c.saveProblem.empty() ? 1 : 0);
        if (c.saveProblem.rfind(" (", 0) == 0) {  // the system's reason, then the file written
            EXPECT_GT(why.size(), c.saveProblem.size()) << why;
            EXPECT_EQ(why.substr(why.size() - std::min(why.size(), c.saveProblem.size())), c.saveProblem);
        } else {
            EXPECT_EQ(why, c.saveProblem);
        }
        if (!c.saveProblem.empty()) {
            EXPECT_EQ(fs::symlink_status(dir.path() + path_of).type(), type) << "left as it was";
        }
    }
}

TEST(Preferences, ARewriteReplacesTheOldFileWhole)
{
    TempDir dir;
    dir.write(kPrefsFileName, "font_size=30\nreference=Old\nextra=kept only until rewritten\n");
    Prefs prefs = defaults();
    ASSERT_EQ(SettingsFiles().ReadPrefs(&prefs, dir.path()), 1);
    EXPECT_EQ(prefs.font_size, 30);
    prefs.font_size = 10;
    ASSERT_EQ(SettingsFiles().WritePrefs(prefs, dir.path()), 1);
    const std::string text = dir.read(kPrefsFileName);
    EXPECT_EQ(text.find("extra"), std::string::npos);
    EXPECT_EQ(text.rfind("font_size=10\n", 0), 0u);
    EXPECT_NE(text.find("reference=Old\n"), std::string::npos);
}

TEST(Preferences, AKillWhileSavingLeavesTheOldFileOrTheNewOneWhole)
{
    // A long reference name makes each save take a while, so that kills land inside writes.
    // Save n writes n into three fields and fills the reference with one letter, so a file
    // made of two saves shows.
    const auto save_number = [](int n, const std::string& dir) {
        Prefs prefs = defaults();
        prefs.font_size = n;
        prefs.search_type = n;
        prefs.search_mode = n;
        prefs.reference = std::string(200000, static_cast<char>('a' + n % 26)).c_str();
        return SettingsFiles().WritePrefs(prefs, dir);
    };
    for (int saves_before_kill : {1, 2, 5}) {
        SCOPED_TRACE(saves_before_kill);
        TempDir dir;
        ASSERT_EQ(save_number(1000, dir.path()), 1);
        int n = 0;
        tavlintest::KillAfterSaves(saves_before_kill, [] {}, [&] { save_number(n++, dir.path()); });

        Prefs read = defaults();
        ASSERT_EQ(SettingsFiles().ReadPrefs(&read, dir.path()), 1);
        EXPECT_GE(read.font_size, saves_before_kill - 1) << "the saves reported done are in it";
        EXPECT_EQ(read.search_type, read.font_size);
        EXPECT_EQ(read.search_mode, read.font_size);
        EXPECT_EQ(std::string(read.reference.data()),
                  std::string(200000, static_cast<char>('a' + read.font_size % 26)));
        const std::string text = dir.read(kPrefsFileName);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9);
    }
}

TEST(Preferences, CopiesAreIndependent)
{
    Prefs a = defaults();
    Prefs b = a;
    b.reference = "Changed";
    b.font_size = 20;
    EXPECT_STREQ(a.reference.data(), kDefaultReference);
    const Prefs& same = a;
    a = same;
    EXPECT_EQ(dump(a), dump(defaults())) << "assigning a record to itself changes nothing";
    DisplaySettings settings;
    settings.prefs = b;
    DisplaySettings copy = settings;
    copy.prefs.text_color = 1;
    EXPECT_EQ(settings.prefs.text_color, kDefaultTextColor);
    EXPECT_EQ(copy.font_index, 1);
    EXPECT_EQ(copy.current_size, 12);
}

} // namespace
