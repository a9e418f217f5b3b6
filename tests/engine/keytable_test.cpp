// Tests of the key-table and friends searches on a written dictionary, and of damaged
// friends matrices: a record number outside the matrix is fatal, a ring that never comes
// back is left after one lap.
#include "engine/keytable.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/datafiles.h"
#include "search_fixture.h"

namespace {

using search_fixture::RecordingSink;
using search_fixture::SearchTest;

std::vector<std::string> sorted(std::vector<std::string> words)
{
    std::sort(words.begin(), words.end());
    return words;
}

using KeyTableTest = SearchTest;

struct KeyCase {
    const char* why;
    const char* code;
    const char* word;
    std::vector<std::string> words;
};

TEST_F(KeyTableTest, FindsTheRunOfEqualKeys)
{
    const KeyCase cases[] = {
        {"anagrams of a typed word, case and punctuation ignored", "tr", "Listen!",
         {"enlist", "inlets", "listen", "silent", "tinsel"}},
        {"a word whose only anagram is itself", "tr", "mouse", {"mouse"}},
        {"letter pattern abccbd", "is", "setter", {"letter"}},
        {"letter bank elrt", "lb", "retell", {"letter"}},
        {"sound-alike reberd", "sc", "Robert", {"robert", "rupert"}},
        {"no word has the key", "tr", "qqqxj", {}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.why);
        ResultList list;
        const std::int16_t found = key_table_search(&list, c.word, c.code, kBlockSize);
        std::vector<std::string> words = words_of(list);
        // Generated words may share a pattern or bank key; keep the named ones.
        words.erase(std::remove_if(words.begin(), words.end(),
                                   search_fixture::is_generated),
                    words.end());
        EXPECT_EQ(sorted(words), c.words);
        EXPECT_EQ(found != 0, !list.values.empty());
        EXPECT_EQ(list.get_total(), list.values.count());
        EXPECT_FALSE(list.holds_postings());
    }
}

// The run of the smallest key starts at record 0 and must be collected from there.
TEST_F(KeyTableTest, RunStartingAtTheFirstRecordIsCollectedWhole)
{
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    ASSERT_TRUE(find_descriptor("tr", &start, &end));
    char first_word[kWordBufferSize];
    get_word(first_word, sizeof first_word, read_three(start), kBlockSize);
    ResultList list;
    ASSERT_NE(key_table_search(&list, first_word, "tr", kBlockSize), 0);
    EXPECT_EQ(list.first_value(), read_three(start));
}

TEST_F(KeyTableTest, ReportsEvery128WordsAndStopsOnCancel)
{
    RecordingSink sink;
    set_status_sink(&sink);
    ResultList all;
    key_table_search(&all, "hgfedcb", "tr", kBlockSize);
    EXPECT_EQ(all.values.count(), search_fixture::anagram_family().size());
    EXPECT_EQ(sink.messages,
              (std::vector<std::string>{"128 words found so far", "256 words found so far"}));

    RecordingSink cancelling;
    cancelling.cancel_at_message = 1;
    set_status_sink(&cancelling);
    ResultList cut;
    EXPECT_NE(key_table_search(&cut, "hgfedcb", "tr", kBlockSize), 0);
    EXPECT_EQ(cut.values.count(), 128u);
    EXPECT_EQ(cut.get_total(), 128u);
}

TEST_F(KeyTableTest, MissingDescriptorWarnsAndFindsNothing)
{
    ResultList list;
    list.append(5);
    testing::internal::CaptureStderr();
    EXPECT_EQ(friends_search(&list, "read", "zq", kBlockSize), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "unable to find descriptor table entry for: zq\n");
    EXPECT_TRUE(list.values.empty());
}

using FriendsTest = SearchTest;

TEST_F(FriendsTest, ListsTheWordAndEveryRingThroughIt)
{
    const KeyCase cases[] = {
        {"a word on two rings: itself and both rings, each once", "pr", "read",
         {"read", "red", "reed"}},
        {"a word on one ring", "pr", "reed", {"read", "reed"}},
        {"rhymes share the part from the stressed vowel", "rh", "red", {"read", "red"}},
        {"a word without pronunciation has no record: nothing", "pr", "cat", {}},
        {"a word not in va finds nothing", "pr", "nowhere", {}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.why);
        ResultList list;
        const std::int16_t found = friends_search(&list, c.word, c.code, kBlockSize);
        EXPECT_EQ(sorted(words_of(list)), c.words);
        EXPECT_EQ(found != 0, !c.words.empty());
        const std::vector<std::uint32_t> values = values_of(list);
        EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
        EXPECT_EQ(std::adjacent_find(values.begin(), values.end()), values.end());
        EXPECT_FALSE(list.holds_postings());
    }
}

// Damaged matrices: the bytes of the "pr" matrix are patched in a copy of the fixture.
class DamagedFriendsTest : public SearchTest {
protected:
    // Copies the fixture pair, then writes three bytes at offset of the copy's index.
    static std::string patched_copy(std::uint32_t offset, std::uint32_t value)
    {
        const std::string copy = base_path() + "-damaged";
        for (const char* ext : {".cmp", ".ndx"}) {
            std::ifstream in(base_path() + ext, std::ios::binary);
            std::ofstream out(copy + ext, std::ios::binary);
            out << in.rdbuf();
        }
        std::fstream index(copy + ".ndx", std::ios::binary | std::ios::in | std::ios::out);
        index.seekp(offset);
        const char bytes[3] = {static_cast<char>(value >> 16), static_cast<char>(value >> 8),
                               static_cast<char>(value)};
        index.write(bytes, 3);
        return copy;
    }

    // The record of word in the "pr" matrix, and the matrix's start and size.
    static std::uint32_t record_of(const char* word, std::uint32_t* start, std::uint32_t* count)
    {
        std::uint32_t end = 0;
        EXPECT_TRUE(find_descriptor("pr", start, &end));
        *count = (end - *start) / 6;
        std::uint32_t block = 0;
        set_compare_routine(compare_entry);
        const std::int32_t pos = find_entry(word, "va", &block, kBlockSize);
        const std::uint32_t target = block * kBlockSize + static_cast<std::uint32_t>(pos);
        for (std::uint32_t r = 0; r < *count; ++r) {
            if (read_three(*start + 6 * r) == target)
                return r;
        }
        ADD_FAILURE() << "no record for " << word;
        return 0;
    }
};

TEST_F(DamagedFriendsTest, RecordNumberOutsideTheMatrixIsFatal)
{
    std::uint32_t start = 0;
    std::uint32_t count = 0;
    const std::uint32_t record = record_of("reed", &start, &count);
    const std::string copy = patched_copy(start + 6 * record + 3, count + 5);
    EXPECT_EXIT(
        {
            DataFilesPresent("", copy.c_str());
            ResultList list;
            friends_search(&list, "reed", "pr", kBlockSize);
        },
        testing::ExitedWithCode(255), "invalid record number [0-9]+ in friends matrix");
}

TEST_F(DamagedFriendsTest, RingThatNeverReturnsStopsAfterOneLap)
{
    // reed's record points at a record that points at itself: the walk from reed never
    // comes back to reed.
    std::uint32_t start = 0;
    std::uint32_t count = 0;
    const std::uint32_t record = record_of("reed", &start, &count);
    const std::uint32_t other = record == 0 ? 1 : 0;
    const std::string first = patched_copy(start + 6 * other + 3, other);
    const std::string copy = base_path() + "-damaged";
    ASSERT_EQ(first, copy);
    std::fstream index(copy + ".ndx", std::ios::binary | std::ios::in | std::ios::out);
    index.seekp(start + 6 * record + 3);
    const char bytes[3] = {static_cast<char>(other >> 16), static_cast<char>(other >> 8),
                           static_cast<char>(other)};
    index.write(bytes, 3);
    index.close();

    ASSERT_EQ(DataFilesPresent("", copy.c_str()), 0);
    ResultList list;
    EXPECT_NE(friends_search(&list, "reed", "pr", kBlockSize), 0);
    EXPECT_EQ(list.values.count(), 2u);   // reed and the record it points at, once
}

} // namespace
