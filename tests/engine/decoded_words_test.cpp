// Tests of the decoded words kept per index: lookups, scans and offset-to-word requests
// answer for the pair open now (never from the words of one opened before), a scan keeps
// its words while its progress report opens another pair, and damage met while decoding
// is reported at each use instead of leaving a partial word list behind.
#include "engine/decoded_words.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/datafiles.h"
#include "engine/idlist.h"
#include "engine/progress.h"
#include "engine/report.h"
#include "engine/resultlist.h"
#include "engine/scan.h"
#include "engine/wordindex.h"
#include "vkocoll/regexp.h"
#include "index_fixture.h"
#include "search_fixture.h"

namespace {

using index_fixture::entry;
using index_fixture::TempDir;

std::vector<std::string> words_of(ResultList* list)
{
    std::vector<std::string> words;
    ResultCursor cursor(list);
    for (cursor.start(); !cursor.at_end(); cursor.advance()) {
        char word[kWordBufferSize];
        get_word(word, sizeof word, cursor.value(), kBlockSize);
        words.push_back(word);
    }
    return words;
}

std::string head_word_of(const char* word)
{
    ResultList list;
    if (find_word(&list, word, "va", kBlockSize) == 0)
        return "(not found)";
    char head[kWordBufferSize];
    get_word(head, sizeof head, list.first_value(), kBlockSize);
    return head;
}

// Writes name with the given head words (each its own "va" word) over what was there.
void write_pair(const TempDir& dir, const std::string& name, const std::vector<std::string>& heads)
{
    dictwriter::DictionarySource source;
    source.header = "header";
    for (const std::string& head : heads)
        source.entries.push_back(entry(head));
    index_fixture::write(source, dir, name);
}

TEST(DecodedWords, AnswerForThePairOpenNow)
{
    TempDir dir;
    write_pair(dir, "first", {"apple", "station", "walnut"});
    write_pair(dir, "second", {"nation", "pear", "zest"});
    const std::string base = dir.path() + "/";
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(DataFilesPresent(base.c_str(), "first"), 0);
        EXPECT_EQ(head_word_of("apple"), "apple");
        EXPECT_EQ(head_word_of("pear"), "(not found)");
        ResultList list;
        regex_scan(&list, "*tion", "va", kBlockSize);
        EXPECT_EQ(words_of(&list), std::vector<std::string>{"station"});

        ASSERT_EQ(DataFilesPresent(base.c_str(), "second"), 0);
        EXPECT_EQ(head_word_of("apple"), "(not found)");
        EXPECT_EQ(head_word_of("pear"), "pear");
        regex_scan(&list, "*tion", "va", kBlockSize);
        EXPECT_EQ(words_of(&list), std::vector<std::string>{"nation"});
    }
    // The same file name written again with other words, and opened again.
    write_pair(dir, "first", {"quince", "ration"});
    ASSERT_EQ(DataFilesPresent(base.c_str(), "first"), 0);
    EXPECT_EQ(head_word_of("apple"), "(not found)");
    EXPECT_EQ(head_word_of("quince"), "quince");
    close_data_files();
    EXPECT_EQ(decoded_words("va", kBlockSize), nullptr);
}

// The words are kept front-coded in groups: every word, the first of a group, one within
// it, one at a block's start, reads back whole by lookup, by scan and by offset.
TEST(DecodedWords, EveryWordReadsBackWholeAcrossGroupsAndBlocks)
{
    std::vector<std::string> heads;
    std::vector<std::string> ending_ation;
    for (int i = 0; i < 300; ++i) {
        heads.push_back("inter" + std::to_string(1000 + i) + (i % 3 == 0 ? "ation" : ""));
        if (i % 3 == 0)
            ending_ation.push_back(heads.back());
    }
    TempDir dir;
    write_pair(dir, "many", heads);
    ASSERT_EQ(DataFilesPresent((dir.path() + "/").c_str(), "many"), 0);
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    ASSERT_TRUE(index_block_range("va", kBlockSize, &first, &last));
    ASSERT_GT(last, first + 2);   // several blocks

    for (const std::string& head : heads)
        ASSERT_EQ(head_word_of(head.c_str()), head);
    EXPECT_EQ(head_word_of("inter1016x"), "(not found)");
    EXPECT_EQ(head_word_of("inter"), "(not found)");
    EXPECT_EQ(head_word_of("inter9"), "(not found)");

    ResultList list;
    regex_scan(&list, "*", "va", kBlockSize);
    EXPECT_EQ(words_of(&list), heads);
    regex_scan(&list, "*ation", "va", kBlockSize);
    EXPECT_EQ(words_of(&list), ending_ation);
    regex_scan(&list, "inter12*", "va", kBlockSize);   // from the middle of the index
    const std::vector<std::string> from_1200(heads.begin() + 200, heads.begin() + 300);
    EXPECT_EQ(words_of(&list), from_1200);
    close_data_files();
}

// Records what the walk of a scan tells, asking for every block.
class RecordingVisitor final : public DecodedWords::ScanVisitor {
public:
    std::uint64_t at_block(std::uint32_t block) override
    {
        blocks.push_back(block);
        return std::uint64_t{block} + 1;
    }
    bool visit(const char* word, std::uint32_t length, std::uint32_t, std::uint32_t offset) override
    {
        EXPECT_EQ(std::strlen(word), length);
        words.emplace_back(word, length);
        offsets.push_back(offset);
        return true;
    }

    std::vector<std::uint32_t> blocks;
    std::vector<std::string> words;
    std::vector<std::uint32_t> offsets;
};

// The walk refuses most words on the bytes they add to the word before them, without
// rebuilding them. What it visits, and the scan's hits, on words that share much, little
// or all of an ending with the word before (also a group's first word, stored whole), on
// one-letter words, words equal to the ending and words over several groups and blocks,
// are what a plain test finds over every word.
TEST(DecodedWords, ScanFindsWhatAPlainMatcherFindsOverEveryWord)
{
    std::vector<std::string> heads = {
        "a", "n", "x", "on", "tion", "tion-", "ation", "nation", "national", "nations",
        "nationalisation", "denationalisation", "internationalisation", "xti", "xtion",
        "motio", "motion", "motions", "potio", "potion", "station", "stationary", "stationtion",
        "countertion", "counterrevolutionaries", "counterrevolution", "abcdefghijklmnopqrstuvwxyztion",
        "abcdefghijklmnopqrstuvwxyzz"};
    // Fillers over many groups and blocks: neighbours that share all but their last
    // bytes, some of them ending the way the patterns do.
    for (int i = 0; i < 400; ++i) {
        const std::string stem = "w" + std::to_string(1000 + i);
        heads.push_back(stem + (i % 3 == 0 ? "tion" : i % 3 == 1 ? "tio" : "n"));
        if (i % 7 == 0)
            heads.push_back(stem + "tionn");
    }
    TempDir dir;
    write_pair(dir, "endings", heads);
    ASSERT_EQ(DataFilesPresent((dir.path() + "/").c_str(), "endings"), 0);
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    ASSERT_TRUE(index_block_range("va", kBlockSize, &first, &last));
    ASSERT_GT(last, first + 3);   // several blocks

    // The walk itself, over every block and from a block within the index.
    const std::shared_ptr<const DecodedWords> words = decoded_words("va", kBlockSize);
    ASSERT_TRUE(words);
    for (const std::string ending : {"tion", "n", "on", "ation", "tionn", "zz", "lisation", ""}) {
        for (const std::uint32_t from : {first, first + 2}) {
            SCOPED_TRACE("ending \"" + ending + "\" from block " + std::to_string(from));
            RecordingVisitor all;
            words->scan_blocks(from, last, "", 0, all);
            RecordingVisitor ending_with;
            words->scan_blocks(from, last, ending.c_str(), ending.size(), ending_with);
            std::vector<std::string> expected;
            for (const std::string& word : all.words) {
                if (word.ends_with(ending))
                    expected.push_back(word);
            }
            EXPECT_EQ(ending_with.words, expected);
            EXPECT_EQ(ending_with.blocks, all.blocks);
            EXPECT_TRUE(std::is_sorted(all.offsets.begin(), all.offsets.end()));
            EXPECT_EQ(all.words.size() == heads.size(), from == first);
        }
    }

    const char* const patterns[] = {
        "*tion",                   // an ending the bytes added mostly hold
        "*n",                      // a one-byte ending
        "*on",
        "*ation",
        "tion",                    // the whole word, anchored at both ends
        "?",                       // one-letter words: no literal ending
        "*",
        "*nationalisation",        // an ending longer than the walk tests
        "*uvwxyztion",
        "*at*ion",                 // an ending that does not decide alone
        "tion$",                   // a regular expression with a literal end
        "[ns]tion$",               // one without: every word is matched
        "^w11.*tion$",             // narrowed to blocks within the index
        "*tionn",
        "*zz",
    };
    for (const char* pattern : patterns) {
        SCOPED_TRACE(pattern);
        scratch_reset();
        const RWCRegexp plain(wildcard_to_regex(pattern));
        std::vector<std::string> expected;
        for (const std::string& head : heads) {
            if (plain.index(RWCString(head.c_str())) != RW_NPOS)
                expected.push_back(head);
        }
        ResultList list;
        regex_scan(&list, pattern, "va", kBlockSize);
        EXPECT_EQ(list.values.count(), expected.size());
        std::vector<std::string> found = words_of(&list);
        std::sort(found.begin(), found.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(found, expected);
    }
    close_data_files();
}

// Opens the other pair from inside the scan's progress report, once.
std::string* other_pair = nullptr;
void open_other_pair()
{
    if (other_pair == nullptr)
        return;
    const std::string base = *other_pair;
    other_pair = nullptr;
    ASSERT_EQ(DataFilesPresent("", base.c_str()), 0);
    ResultList list;
    find_word(&list, "nation", "va", kBlockSize);   // the new pair's words decoded
}

class DecodedWordsScan : public search_fixture::SearchTest {};

TEST_F(DecodedWordsScan, KeepsItsWordsWhenItsProgressReportOpensAnotherPair)
{
    ResultList expected;
    regex_scan(&expected, "*tion", "va", kBlockSize);
    const std::uint32_t count = expected.values.count();
    ASSERT_GT(count, 10u);

    TempDir dir;
    write_pair(dir, "other", {"nation", "pear"});
    std::string other = dir.path() + "/other";
    ASSERT_EQ(DataFilesPresent("", base_path().c_str()), 0);   // no words decoded yet
    search_fixture::RecordingSink sink;
    set_status_sink(&sink);
    other_pair = &other;
    set_pending_events_pump(open_other_pair);
    ResultList list;
    regex_scan(&list, "*tion", "va", kBlockSize);
    EXPECT_EQ(other_pair, nullptr);
    EXPECT_EQ(list.values.count(), count);
    EXPECT_EQ(data_file_path(), other + ".cmp");
}

[[noreturn]] void throw_on_fatal(std::string_view message)
{
    throw std::string(message);
}

// An index of two blocks whose second is damaged: the first use decodes it whole, meets
// the damage and reports it; so does every later use, and nothing half decoded stays.
TEST(DecodedWords, DamageMetWhileDecodingIsReportedAtEachUse)
{
    using index_fixture::block;
    std::vector<std::uint8_t> unterminated(512, 'x');
    unterminated[0] = 0;
    TempDir dir;
    index_fixture::open_raw(dir, "bad", {{"va", 512, 1536}},
                            {block({0, 'a', 0, 1, 5, 1, 'b', 0, 1, 6, 0, 0}), unterminated});
    engine_set_reports_silent(true);
    engine_set_fatal_hook(throw_on_fatal);
    for (int use = 0; use < 3; ++use) {
        SCOPED_TRACE(use);
        std::string reported;
        try {
            ResultList list;
            if (use == 1)
                regex_scan(&list, "*b", "va", kBlockSize);
            else
                find_word(&list, "a", "va", kBlockSize);
        } catch (const std::string& message) {
            reported = message;
        }
        EXPECT_EQ(reported, "word entry runs past its block");
        EXPECT_EQ(kept_words_holding(512, kBlockSize), nullptr);
    }
    engine_set_fatal_hook(nullptr);
    engine_set_reports_silent(false);
    // The undamaged block still reads as it did.
    char word[kWordBufferSize];
    get_word(word, sizeof word, 517, kBlockSize);
    EXPECT_STREQ(word, "ab");
    close_data_files();
}

} // namespace
