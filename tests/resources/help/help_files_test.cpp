// Tests of TavlinCD's help: the help file reads without a fault, every link and every
// association names a topic that is there, every topic can be reached from the contents,
// each of the program's windows has its topic, the keyword search finds the subjects, and
// the build puts both files beside the program.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../../../platform/win32/src/help_file.h"

namespace {

namespace help = win32::help;

std::string read(const std::string& name, const std::string& directory = TAVLIN_HELP_DIR)
{
    std::ifstream in(directory + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Association {
    char kind = 0;
    long object = 0, owner = 0, topic = 0;
};

// The association lines: "kind object owner topic"; comments start with '#', a single quote
// or white space. A line that does not read fails the test.
std::vector<Association> associations()
{
    std::vector<Association> out;
    std::istringstream in(read("TavlinCD.csa"));
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#' || line[0] == '\'' || line[0] == ' ' || line[0] == '\t')
            continue;
        Association a;
        const int read_count = std::sscanf(line.c_str(), "%c %ld %ld %ld", &a.kind, &a.object, &a.owner, &a.topic);
        EXPECT_EQ(read_count, 4) << "line " << number << ": " << line;
        EXPECT_NE(std::string("WDCM").find(a.kind), std::string::npos) << "line " << number;
        out.push_back(a);
    }
    return out;
}

class HelpFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(help::parse_help_file(read("TavlinCD.hlp"), &file, &error)) << error;
        ASSERT_NE(file.contents_topic(), nullptr);
    }
    help::HelpFile file;
};

TEST_F(HelpFiles, EveryLinkLeadsToATopicAndEveryTopicCanBeReachedFromTheContents)
{
    std::set<std::int32_t> reached{file.contents_topic()->number};
    std::vector<const help::Topic*> pending{file.contents_topic()};
    while (!pending.empty()) {
        const help::Topic* topic = pending.back();
        pending.pop_back();
        for (const auto& paragraph : topic->paragraphs)
            for (const help::Run& run : paragraph)
                if (run.link != 0) {
                    const help::Topic* target = file.find(run.link);
                    ASSERT_NE(target, nullptr) << topic->number << " links to " << run.link;
                    if (reached.insert(run.link).second)
                        pending.push_back(target);
                }
    }
    for (const help::Topic& topic : file.topics) {
        EXPECT_TRUE(reached.count(topic.number)) << topic.number << " " << topic.title;
        EXPECT_FALSE(topic.keywords.empty()) << topic.number;
        EXPECT_FALSE(topic.paragraphs.empty()) << topic.number;
    }
}

TEST_F(HelpFiles, AssociationsNameTopicsAndCoverEveryWindow)
{
    std::set<long> windows;
    for (const Association& a : associations()) {
        EXPECT_NE(file.find(static_cast<std::int32_t>(a.topic)), nullptr)
            << a.kind << " " << a.object << " names topic " << a.topic;
        if (a.kind == 'W')
            windows.insert(a.object);
    }
    // Splash and about, preferences, bookmarks, main, spelling help, search status,
    // illustration, table and history windows; the preferences' and the main window's pages.
    for (long window : {1015, 1016, 1017, 1018, 1025, 1026, 1027, 1028, 1029, 1101, 1102, 1103, 1194, 1195, 1196})
        EXPECT_TRUE(windows.count(window)) << window;
}

TEST_F(HelpFiles, TheProgramsTopicsAreThereAndTheSearchFindsThem)
{
    struct Case {
        std::int32_t topic;
        const char* key;
    };
    // The window's help buttons open history, bookmarks and spelling help; the help menu
    // opens the contents.
    const Case cases[] = {{1090, "history"}, {1110, "bookm"}, {1130, "SPELLING"}, {32006, "contents"},
                          {1101, "font size"}, {1100, "preferences"}, {1020, "basic"}, {1140, "print"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        ASSERT_NE(file.find(c.topic), nullptr);
        bool found = false;
        for (const auto& [keyword, topic] : help::search(file, c.key))
            found = found || topic == c.topic;
        EXPECT_TRUE(found);
    }
    EXPECT_EQ(file.contents_topic()->number, 32006);
}

// What a topic tells the user of the program matches what the program does: each case a
// topic, a phrase its text holds and one it must not hold (a claim the program does not keep).
TEST_F(HelpFiles, TheTopicsDescribeWhatTheProgramDoes)
{
    struct Case {
        const char* why;
        std::int32_t topic;
        const char* holds;
        const char* never;
    };
    const Case cases[] = {
        {"the type-ahead lists the entries the typed text finds", 1020,
         "the entries that the text typed so far finds", "begin with your letters"},
        {"Return searches the text typed", 1020, "Return searches the text as typed",
         "Return then looks that one up"},
        {"spelling help lists words that sound alike", 1130, "sound like it", "spelled like"},
        {"spelling help from the basic page", 1020, "the way it sounds", "spelled like yours"},
        {"the status window shows only for a long search, of any kind", 1080,
         "longer than two seconds", "While an advanced search runs"},
        {"the history lists the entries read in the window, in its own order", 1090,
         "entries you have read in this window", "latest last"},
        {"a print tells where its file went", 1140, "status bar", "silently"},
        {"Escape clears the pages and the entry", 1170, "Escape clears the search pages and the entry",
         "Escape clears the search page."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const help::Topic* topic = file.find(c.topic);
        ASSERT_NE(topic, nullptr);
        // The topic's text as the viewer shows it: its paragraphs' runs, a blank between lines.
        std::string text;
        for (const auto& paragraph : topic->paragraphs)
            for (const help::Run& run : paragraph)
                text += run.text + " ";
        std::string squeezed;
        for (const char ch : text)
            if (ch != ' ' || (!squeezed.empty() && squeezed.back() != ' '))
                squeezed += ch == '\n' ? ' ' : ch;
        EXPECT_NE(squeezed.find(c.holds), std::string::npos) << squeezed;
        EXPECT_EQ(squeezed.find(c.never), std::string::npos) << squeezed;
    }
}

TEST(InstalledHelp, TheBuildPutsTheHelpFilesBesideTheProgram)
{
    for (const char* name : {"TavlinCD.hlp", "TavlinCD.csa"}) {
        SCOPED_TRACE(name);
        const std::string installed = read(name, TAVLIN_PROGRAM_DIR);
        EXPECT_FALSE(installed.empty());
        EXPECT_EQ(installed, read(name));
    }
}

} // namespace
