// Tests of word blocks: rebuilding words, exact lookup across blocks and long entries,
// the browse scan, and damaged blocks.
#include "engine/wordindex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "engine/datafiles.h"
#include "engine/resultlist.h"
#include "index_fixture.h"

namespace {

using index_fixture::entry;
using index_fixture::TempDir;

std::vector<std::uint32_t> all_values(ResultList* list)
{
    std::vector<std::uint32_t> out;
    ResultCursor cursor(list);
    for (cursor.start(); !cursor.at_end(); cursor.advance())
        out.push_back(cursor.value());
    return out;
}

std::string word_at(std::uint32_t offset)
{
    char word[kWordBufferSize];
    get_word(word, sizeof word, offset, kBlockSize);
    return word;
}

// 1,800 entries w0000 ... w1799 plus special words, so that every index spans blocks:
// "va" holds every head word; "df" holds alpha, common (every entry: three
// continuation blocks) and zeta; "sy" holds Dog (long) right before dog; "vi" ends with
// a long entry, so its chain runs to the end of the file.
class WordIndexTest : public ::testing::Test {
protected:
    static constexpr int kCount = 1800;

    static void SetUpTestSuite()
    {
        dir = new TempDir;
        dictwriter::DictionarySource source;
        source.header = "header";
        for (int i = 0; i < kCount; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "w%04d", i);
            std::vector<dictwriter::IndexTerm> terms = {{"df", "common"}, {"sy", "Dog"},
                                                        {"vi", "zebra"}};
            if (i == 5)
                terms.push_back({"df", "alpha"});
            if (i == 7)
                terms.push_back({"df", "zeta"});
            if (i == 9) {
                terms.push_back({"sy", "dog"});
                terms.push_back({"vi", "apple"});
            }
            source.entries.push_back(entry(name, terms));
        }
        for (int i = 0; i < 300; ++i)
            source.entries.push_back(entry("set"));
        for (const char* w : {"Apple-pie", "apple pie", "applepie", "lead[1]", "lead[2]",
                              "leader"})
            source.entries.push_back(entry(w));
        written = new dictwriter::WrittenDictionary(index_fixture::open(source, *dir, "words"));
    }
    static void TearDownTestSuite()
    {
        close_data_files();
        delete written;
        delete dir;
    }
    void SetUp() override
    {
        ASSERT_EQ(DataFilesPresent((dir->path() + "/").c_str(), "words"), 0);
    }

    static std::uint32_t hw_of(int entry_number) { return written->hw_offsets[entry_number]; }

    static TempDir* dir;
    static dictwriter::WrittenDictionary* written;
};

TempDir* WordIndexTest::dir = nullptr;
dictwriter::WrittenDictionary* WordIndexTest::written = nullptr;

TEST_F(WordIndexTest, GetWordRebuildsEveryEntryOfEveryBlock)
{
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    ASSERT_TRUE(index_block_range("va", kBlockSize, &first, &last));
    ASSERT_GT(last - first, 10u);
    std::vector<std::string> walked;
    std::vector<std::uint32_t> offsets;
    WordWalker walker(first, last, kBlockSize);
    while (walker.next()) {
        const std::string word = walker.word();
        SCOPED_TRACE(word);
        EXPECT_EQ(walker.length(), word.size());
        // The bytes said to be shared with the word before are that word's.
        ASSERT_LE(walker.shared(), word.size());
        if (!walked.empty()) {
            ASSERT_LE(walker.shared(), walked.back().size());
            EXPECT_EQ(word.substr(0, walker.shared()), walked.back().substr(0, walker.shared()));
        }
        walked.push_back(word);
        offsets.push_back(walker.offset());
    }
    ASSERT_EQ(walked.size(), static_cast<std::size_t>(kCount + 1 + 6));
    for (std::size_t i = 0; i < walked.size(); ++i) {
        SCOPED_TRACE(walked[i]);
        EXPECT_EQ(word_at(offsets[i]), walked[i]);
        if (i > 0) {
            EXPECT_LE(loose_compare(walked[i - 1].c_str(), walked[i].c_str()), 0);
        }
    }
    EXPECT_EQ(offsets.front(), first * kBlockSize) << "an entry offset names its P byte";
    // Every word is found, with an entry whose head word it is; a longer word is not.
    for (const std::string& w : walked) {
        SCOPED_TRACE(w);
        ResultList list;
        ASSERT_EQ(find_word(&list, w.c_str(), "va", kBlockSize), 1);
        EXPECT_EQ(word_at(list.first_value()), w);
        ResultList missing;
        EXPECT_EQ(find_word(&missing, (w + "qx").c_str(), "va", kBlockSize), 0);
    }
    for (int i = 0; i < kCount; i += 97) {
        ResultList list;
        char name[16];
        std::snprintf(name, sizeof name, "w%04d", i);
        SCOPED_TRACE(name);
        ASSERT_EQ(find_word(&list, name, "va", kBlockSize), 1);
        EXPECT_EQ(all_values(&list), std::vector<std::uint32_t>{hw_of(i)});
    }
}

TEST_F(WordIndexTest, FindsTheEarliestOfEqualWordsAndOnlyTheExactOne)
{
    std::vector<std::uint32_t> sets;
    for (int i = kCount; i < kCount + 300; ++i)
        sets.push_back(hw_of(i));
    ASSERT_GT(sets.back() / kBlockSize - sets.front() / kBlockSize, 2u)
        << "the equal words are spread over several blocks";
    std::uint32_t block = 0;
    set_compare_routine(compare_entry);
    const std::int32_t pos = find_entry("set", "hw", &block, kBlockSize);
    ASSERT_GE(pos, 0);
    EXPECT_EQ(block * kBlockSize + static_cast<std::uint32_t>(pos), sets.front());
    EXPECT_EQ(entry_offset("set", kBlockSize), sets.front());

    ResultList list;
    ASSERT_EQ(find_word(&list, "set", "va", kBlockSize), 1);
    EXPECT_EQ(all_values(&list), sets);

    struct Case {
        const char* why;
        const char* word;
        int entry;   // -1: not found
    };
    const Case cases[] = {
        {"hyphenated form", "Apple-pie", kCount + 300},
        {"spaced form", "apple pie", kCount + 301},
        {"closed form", "applepie", kCount + 302},
        {"loosely equal but stored in no case", "APPLEPIE", -1},
        {"before every word", "0000", -1},
        {"after every word", "zzzz", -1},
        {"between two words", "w0500a", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ResultList found;
        EXPECT_EQ(find_word(&found, c.word, "va", kBlockSize), c.entry >= 0 ? 1 : 0);
        if (c.entry >= 0) {
            EXPECT_EQ(all_values(&found), std::vector<std::uint32_t>{hw_of(c.entry)});
        } else {
            EXPECT_TRUE(found.values.empty());
        }
    }

    ResultList equal;
    collect_equal(&equal, "applepie", "va", kBlockSize);
    EXPECT_EQ(equal.total, 3u) << "collect_equal lists every loosely equal word";
}

TEST_F(WordIndexTest, EntryOffsetIgnoresBracketsWhileSearchingOnly)
{
    EXPECT_EQ(entry_offset("lead[2]", kBlockSize), hw_of(kCount + 304));
    EXPECT_EQ(entry_offset("lead[1]", kBlockSize), hw_of(kCount + 303));
    EXPECT_EQ(entry_offset("leader", kBlockSize), hw_of(kCount + 305));
    EXPECT_EQ(entry_offset("lead", kBlockSize), 0u);
    EXPECT_EQ(compare_routine(), &compare_entry);
}

TEST_F(WordIndexTest, LongEntryLoadsItsContinuationBlocksOneByOne)
{
    ResultList list;
    ASSERT_EQ(find_word(&list, "common", "df", kBlockSize), 1);
    EXPECT_EQ(list.total, static_cast<std::uint32_t>(kCount));
    EXPECT_LT(list.values.count(), list.total) << "only the first block is loaded";
    EXPECT_NE(list.next_block, 0u);

    std::vector<std::uint32_t> expected;
    for (int i = 0; i < kCount; ++i)
        expected.push_back(hw_of(i));
    std::sort(expected.begin(), expected.end());

    // Each time the walk reaches the end of what is loaded, one block is read.
    std::vector<std::uint32_t> got;
    int chunks = 0;
    ResultCursor cursor(&list);
    for (cursor.start(); !cursor.at_end();) {
        got.push_back(cursor.value());
        const bool at_loaded_end = cursor.node() == list.values.tail() && list.next_block != 0;
        const std::uint64_t reads = block_read_count();
        cursor.advance();
        if (at_loaded_end) {
            ++chunks;
            EXPECT_EQ(block_read_count(), reads + 1);
        } else {
            EXPECT_EQ(block_read_count(), reads);
        }
    }
    EXPECT_EQ(chunks, 3);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(list.next_block, 0u);
}

TEST_F(WordIndexTest, LookupsAroundLongEntriesEnd)
{
    struct Case {
        const char* why;
        const char* code;
        const char* word;
        std::uint32_t postings;   // 0: not found
    };
    const Case cases[] = {
        {"short entry before the chain", "df", "alpha", 1},
        {"the long entry", "df", "common", kCount},
        {"short entry after the chain", "df", "zeta", 1},
        {"missing word before the chain", "df", "aardvark", 0},
        {"missing word inside the chain's range", "df", "delta", 0},
        {"missing word after every word", "df", "zzz", 0},
        {"loosely equal word behind a chain, exact", "sy", "dog", 1},
        {"loosely equal long word before it", "sy", "Dog", kCount},
        {"neither case", "sy", "DOG", 0},
        {"index ending with a long entry: before it", "vi", "apple", 1},
        {"index ending with a long entry: the entry", "vi", "zebra", kCount},
        {"index ending with a long entry: after it", "vi", "zzzz", 0},
        {"index ending with a long entry: just before it", "vi", "zebr", 0},
        {"unknown index code", "zz", "cat", 0},
    };
    testing::internal::CaptureStderr();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ResultList list;
        EXPECT_EQ(find_word(&list, c.word, c.code, kBlockSize), c.postings != 0 ? 1 : 0);
        EXPECT_EQ(list.total, c.postings);
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("unable to find descriptor table entry for: zz"), std::string::npos);
}

TEST_F(WordIndexTest, BrowseListsWholeBlocksAroundTheWord)
{
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    ASSERT_TRUE(index_block_range("va", kBlockSize, &first, &last));

    ResultList before;
    ASSERT_EQ(list_neighbours(&before, "0", "va", kBlockSize), 1);
    EXPECT_EQ(before.first_value(), first * kBlockSize);
    EXPECT_GT(before.total, 20u);
    EXPECT_EQ(before.last_value() / kBlockSize, first) << "stops after the first block";

    ResultList middle;
    ASSERT_EQ(list_neighbours(&middle, "w0900", "va", kBlockSize), 1);
    const std::vector<std::uint32_t> offsets = all_values(&middle);
    EXPECT_EQ(offsets.front() % kBlockSize, 0u) << "begins with the first entry of a block";
    std::vector<std::string> words;
    for (const std::uint32_t offset : offsets)
        words.push_back(word_at(offset));
    EXPECT_NE(std::find(words.begin(), words.end(), "w0900"), words.end());
    EXPECT_GT(offsets.size(), 20u);
    EXPECT_TRUE(std::is_sorted(offsets.begin(), offsets.end()));

    ResultList after;
    EXPECT_EQ(list_neighbours(&after, "zzzz", "va", kBlockSize), 1);
    EXPECT_EQ(after.last_value() / kBlockSize, last) << "the index's end stops the scan";

    ResultList neighbours;
    list_block_entries(&neighbours, offsets.front(), kBlockSize);
    EXPECT_GT(neighbours.values.count(), offsets.size() / 2);
}

TEST_F(WordIndexTest, CollectEqualWalksOnOverBlocksAndLongEntries)
{
    struct Case {
        const char* why;
        const char* word;
        const char* index;
        std::size_t count;
    };
    const Case cases[] = {
        {"a run of equal head words over several blocks", "set", "hw", 300},
        {"a long entry's chain stepped over to the equal word after it", "dog", "sy", 2},
        {"a word after every other", "zzzz", "va", 0},
        {"an unknown index", "set", "zz", 0},
    };
    testing::internal::CaptureStderr();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ResultList equal;
        collect_equal(&equal, c.word, c.index, kBlockSize);
        const std::vector<std::uint32_t> offsets = all_values(&equal);
        EXPECT_EQ(offsets.size(), c.count);
        EXPECT_EQ(equal.total, c.count);
        EXPECT_TRUE(std::is_sorted(offsets.begin(), offsets.end()));
        for (const std::uint32_t offset : offsets)
            EXPECT_EQ(loose_compare(word_at(offset).c_str(), c.word), 0) << word_at(offset);
        if (c.count > 1) {
            EXPECT_GT(offsets.back() / kBlockSize, offsets.front() / kBlockSize)
                << "the run spans blocks";
        }
    }
    testing::internal::GetCapturedStderr();
}

TEST_F(WordIndexTest, DumpIndexListsWordsAndPostings)
{
    testing::internal::CaptureStdout();
    dump_index("vi", kBlockSize);
    const std::string out = testing::internal::GetCapturedStdout();
    char apple[32];
    std::snprintf(apple, sizeof apple, "apple\t%x\n", hw_of(9));
    EXPECT_EQ(out.rfind(apple, 0), 0u);
    EXPECT_NE(out.find("zebra\t"), std::string::npos);
    EXPECT_EQ(std::count(out.begin(), out.end(), ','), kCount - 1);
}

// Damaged blocks, each in an index "va" of one block (block 1); the first column is
// the lookup that meets the damage.
TEST(WordIndexDamage, DamagedBlocksEndInTheFatalReport)
{
    using index_fixture::block;
    std::vector<std::uint8_t> unterminated(512, 'a');
    unterminated[0] = 0;
    std::vector<std::uint8_t> too_long = block({0});
    std::fill(too_long.begin() + 1, too_long.begin() + 101, 'b');
    too_long[102] = 1;   // L = 1 after the terminator at 101
    std::vector<std::uint8_t> open_number(512, 'c');
    open_number[0] = 0;
    open_number[509] = 0;
    open_number[510] = 0x81;
    open_number[511] = 0x81;
    struct Case {
        const char* why;
        std::vector<std::uint8_t> block;
        const char* word;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"long entry whose count is not above the postings of its first block",
         block({0, 'a', 'b', 0, 0x84, 0x03, 1, 0x85, 0x00, 0, 0}), "ab",
         "multi_block_count too small \\(exiting\\)"},
        {"long entry whose length leaves a part block",
         block({0, 'a', 'b', 0, 0x84, 0x5B, 9, 0x85, 0x00, 0, 0}), "ab",
         "residual offset not a multiple of block_size \\(exiting\\)"},
        {"word without its terminator", unterminated, "a",
         "word entry runs past its block \\(exiting\\)"},
        {"word longer than the word buffer", too_long, "b",
         "word too long in index \\(exiting\\)"},
        {"data length running past the block", open_number, "c",
         "packed number runs past its block \\(exiting\\)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir dir;
        index_fixture::open_raw(dir, "bad", {{"va", 512, 1024}}, {c.block});
        EXPECT_EXIT(
            {
                ResultList list;
                find_word(&list, c.word, "va", kBlockSize);
                std::exit(0);
            },
            ::testing::ExitedWithCode(255), c.message);
        close_data_files();
    }
}

TEST(WordIndexDamage, OffsetThatIsNoEntryIsFatalInGetWord)
{
    TempDir dir;
    index_fixture::open_raw(dir, "entries", {{"va", 512, 1024}},
                            {index_fixture::block({0, 'a', 0, 1, 5, 1, 'b', 0, 1, 6, 0, 0})});
    EXPECT_EQ(word_at(512), "a");
    EXPECT_EQ(word_at(517), "ab");
    char word[kWordBufferSize];
    EXPECT_EXIT(get_word(word, sizeof word, 514, kBlockSize), ::testing::ExitedWithCode(255),
                "invalid offset in get_word \\(exiting\\)");
    EXPECT_EXIT(get_word(word, sizeof word, 522, kBlockSize), ::testing::ExitedWithCode(255),
                "invalid offset in get_word \\(exiting\\)");
    close_data_files();
}

TEST(RoutineTable, KnownCodesAndUnknownOnes)
{
    struct Case {
        const char* code;
        bool searchable;
        bool normalised;
        bool keyed;
    };
    const Case cases[] = {
        {"hw", false, false, false}, {"va", true, false, false}, {"df", true, true, false},
        {"aq", true, false, false},  {"vx", false, false, false}, {"tr", true, false, true},
        {"sc", true, false, true},   {"rh", true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const RoutineRow* row = find_routine(c.code);
        ASSERT_NE(row, nullptr);
        EXPECT_STREQ(row->code, c.code);
        EXPECT_EQ(row->search != nullptr, c.searchable);
        EXPECT_EQ(row->normalise != nullptr, c.normalised);
        EXPECT_EQ(row->key != nullptr, c.keyed);
    }
    EXPECT_EQ(find_routine("aq")->search, &find_word);
    EXPECT_EQ(lookup_routine("zz"), nullptr);
    EXPECT_EXIT(find_routine("zz"), ::testing::ExitedWithCode(255),
                "unable to find routine table entry for: zz \\(exiting\\)");
}

TEST(LooseCompare, SkipsPunctuationAndCase)
{
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"Apple-pie", "applepie", 0}, {"apple pie", "APPLEPIE", 0}, {"abc", "abd", -1},
        {"ab", "abc", -1},            {"b", "A", 1},                 {"--", "", 0},
        {"a9", "a10", 1},             {"O'Neil", "oneil", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const int r = loose_compare(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign);
    }
}

} // namespace
