// Tests of the wildcard and regular-expression scans: the pattern translation, scans
// against a brute-force match over every word, prefix narrowing, progress and cancel,
// and the entry display's word scans.
#include "engine/scan.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/idlist.h"
#include "search_fixture.h"
#include "vkocoll/regexp.h"

namespace {

using search_fixture::RecordingSink;
using search_fixture::SearchTest;

struct PatternCase {
    const char* why;
    const char* word;
    const char* regex;
};

const PatternCase kPatternCases[] = {
    {"a trailing star becomes .* between anchors", "comp*", "^comp.*$"},
    {"a question mark becomes one any-character", "a?c", "^a.c$"},
    {"a leading star walks everything", "*tion", "^.*tion$"},
    {"a dot makes the word a regular expression as it stands", "co.*", "co.*"},
    {"a leading caret keeps the word as it stands", "^qu.*k", "^qu.*k"},
    {"a dollar keeps the word as it stands", "ion$", "ion$"},
    {"brackets alone stay a wildcard pattern", "[ab]*", "^[ab].*$"},
};

TEST(WildcardToRegex, TranslatesWildcardsAndKeepsRegularExpressions)
{
    scratch_reset();
    for (const PatternCase& c : kPatternCases) {
        SCOPED_TRACE(c.why);
        const char* const regex = wildcard_to_regex(c.word);
        ASSERT_NE(regex, nullptr);
        EXPECT_STREQ(regex, c.regex);
    }
}

TEST(WildcardToRegex, RefusesAPatternLargerThanTheScratchBuffer)
{
    scratch_reset();
    const std::string stars(kScratchSize / 2, '*');   // each star doubles
    EXPECT_EQ(wildcard_to_regex(stars.c_str()), nullptr);
    const std::string fits(kScratchSize / 2 - 8, '*');
    const char* const regex = wildcard_to_regex(fits.c_str());
    ASSERT_NE(regex, nullptr);
    EXPECT_EQ(std::string(regex).size(), fits.size() * 2 + 2);
}

class ScanTest : public SearchTest {
protected:
    // The words of "va" that the pattern matches, found by matching every word.
    static std::vector<std::string> brute_force(const char* word)
    {
        scratch_reset();
        const RWCRegexp regex(wildcard_to_regex(word));
        std::vector<std::string> matches;
        for (const std::string& w : va_words()) {
            if (regex.index(RWCString(w.c_str())) != RW_NPOS)
                matches.push_back(w);
        }
        std::sort(matches.begin(), matches.end());
        return matches;
    }

    static std::vector<std::string> sorted(std::vector<std::string> words)
    {
        std::sort(words.begin(), words.end());
        return words;
    }
};

struct ScanCase {
    const char* why;
    const char* word;
};

const ScanCase kScanCases[] = {
    {"prefix wildcard", "comp*"},
    {"suffix wildcard walks every block", "*tion"},
    {"one-character wildcard", "a?c"},
    {"regular expression, unanchored at its end", "co.*"},
    {"anchored regular expression", "^qu.*k"},
    {"prefix ending in upper-case Z has no upper bound", "^Z"},
    {"prefix ending in z has no upper bound", "zz*"},
    {"prefix ending in punctuation narrows on its letters", "^a-"},
    {"prefix ending in 9 narrows up to the letter a", "^ab9"},
    {"an optional last prefix letter is not required", "^colou?r"},
    {"a repeated last prefix letter is not required", "^compos+"},
    {"case matters where the pattern's letters do", "^Comp"},
    {"generated words ending in ness", "g*ness"},
    {"nothing matches", "^nothing-here"},
};

TEST_F(ScanTest, FindsExactlyTheWordsThatMatch)
{
    for (const ScanCase& c : kScanCases) {
        SCOPED_TRACE(c.why);
        ResultList list;
        const std::int16_t found = regex_scan(&list, c.word, "va", kBlockSize);
        const std::vector<std::string> expected = brute_force(c.word);
        EXPECT_EQ(sorted(words_of(list)), expected);
        EXPECT_EQ(found != 0, !expected.empty());
        EXPECT_EQ(list.get_total(), list.values.count());
        EXPECT_FALSE(list.holds_postings());
        const std::vector<std::uint32_t> values = values_of(list);
        EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    }
}

// "df" holds three words whose posting lists run over continuation blocks: the walk
// steps over them to the word blocks that follow.
TEST_F(ScanTest, StepsOverLongEntries)
{
    ResultList list;
    EXPECT_NE(regex_scan(&list, "*", "df", kBlockSize), 0);
    EXPECT_EQ(sorted(words_of(list)),
              (std::vector<std::string>{"abjure", "absent", "abyss", "bass", "even", "every",
                                        "hear", "mouse", "triple"}));
}

TEST_F(ScanTest, AnchoredPrefixReadsOnlyTheBlocksThatCanHoldIt)
{
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    ASSERT_TRUE(index_block_range("va", kBlockSize, &first, &last));
    ResultList list;

    const std::uint64_t before_all = block_read_count();
    regex_scan(&list, "*tion", "va", kBlockSize);
    const std::uint64_t whole_index = block_read_count() - before_all;
    EXPECT_GE(whole_index, last - first + 1);

    const std::uint64_t before_prefix = block_read_count();
    regex_scan(&list, "gab*", "va", kBlockSize);
    const std::uint64_t narrowed = block_read_count() - before_prefix;
    // Two binary searches and the one or two blocks that hold "gab".
    std::uint32_t probes = 0;
    while ((1u << probes) < last - first + 1)
        ++probes;
    EXPECT_LE(narrowed, 2u * (probes + 1) + 3u);
    EXPECT_LT(narrowed, whole_index);
    EXPECT_EQ(sorted(words_of(list)), brute_force("gab*"));
}

TEST_F(ScanTest, ReportsProgressOncePerPercentUpToFifty)
{
    RecordingSink sink;
    set_status_sink(&sink);
    ResultList list;
    regex_scan(&list, "*tion", "va", kBlockSize);
    ASSERT_FALSE(sink.percentages.empty());
    EXPECT_EQ(sink.percentages.back(), 50);
    EXPECT_TRUE(std::is_sorted(sink.percentages.begin(), sink.percentages.end()));
    EXPECT_EQ(std::adjacent_find(sink.messages.begin(), sink.messages.end()),
              sink.messages.end());
    EXPECT_EQ(sink.messages.back().rfind("100% finished; ", 0), 0u) << sink.messages.back();
    EXPECT_NE(sink.messages.back().find(" word(s) found; last word found: "), std::string::npos);
}

TEST_F(ScanTest, CancelKeepsWhatWasFoundSortedAndMarked)
{
    RecordingSink full;
    set_status_sink(&full);
    ResultList complete;
    regex_scan(&complete, "*a*", "va", kBlockSize);
    const std::size_t reports = full.messages.size();
    ASSERT_GT(reports, 4u);

    struct CancelCase {
        const char* why;
        std::size_t cancel_at;
    };
    const CancelCase cases[] = {
        {"cancel at the first report: no block walked yet", 1},
        {"cancel halfway keeps the matches of the walked blocks", reports / 2},
    };
    const std::vector<std::string> all = brute_force("*a*");
    for (const CancelCase& c : cases) {
        SCOPED_TRACE(c.why);
        RecordingSink sink;
        sink.cancel_at_message = c.cancel_at;
        set_status_sink(&sink);
        set_cancel_flag(0);
        ResultList list;
        const std::int16_t found = regex_scan(&list, "*a*", "va", kBlockSize);
        const std::vector<std::string> words = sorted(words_of(list));
        EXPECT_LT(words.size(), all.size());
        EXPECT_TRUE(std::includes(all.begin(), all.end(), words.begin(), words.end()));
        EXPECT_EQ(found != 0, !words.empty());
        EXPECT_FALSE(list.holds_postings());
        EXPECT_EQ(list.get_total(), list.values.count());
        EXPECT_EQ(sink.messages.size(), c.cancel_at);
        if (c.cancel_at == 1) {
            EXPECT_TRUE(words.empty());
            EXPECT_NE(sink.messages.front().find("no words found yet"), std::string::npos);
        } else {
            EXPECT_FALSE(words.empty());
        }
    }
}

TEST_F(ScanTest, RefusedPatternsAndUnknownIndexesFindNothing)
{
    struct RefusedCase {
        const char* why;
        const char* word;
        const char* code;
    };
    const RefusedCase cases[] = {
        {"unclosed bracket is refused by the regular-expression class", "^ab[c", "va"},
        {"unknown index code warns and scans nothing", "comp*", "zz"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.why);
        ResultList list;
        list.append(99);
        testing::internal::CaptureStderr();
        EXPECT_EQ(regex_scan(&list, c.word, c.code, kBlockSize), 0);
        testing::internal::GetCapturedStderr();
        EXPECT_TRUE(list.values.empty());
        EXPECT_EQ(list.get_total(), 0u);
    }
}

TEST_F(ScanTest, ScanWordsRunsTheIndexSearchRoutine)
{
    ResultList list;
    EXPECT_NE(ScanWords(&list, "Rupurt", "sc", kBlockSize), 0);
    EXPECT_EQ(sorted(words_of(list)), (std::vector<std::string>{"robert", "rupert"}));

    EXPECT_NE(ScanWords(&list, "qu*", "va", kBlockSize), 0);
    EXPECT_EQ(sorted(words_of(list)), brute_force("qu*"));

    list.append(5);
    EXPECT_EQ(ScanWords(&list, "cat", "zz", kBlockSize), 0);
    EXPECT_TRUE(list.values.empty());
    EXPECT_EQ(ScanWords(&list, "cat", "hw", kBlockSize), 0);
}

TEST_F(ScanTest, ScanWordsPairFindsWhatTheKeyTableFinds)
{
    struct PairCase {
        const char* why;
        const char* word;
        const char* code;
    };
    const PairCase cases[] = {
        {"anagrams", "Silent", "tr"},
        {"letter pattern", "butter", "is"},
        {"letter bank", "retell", "lb"},
        {"sound-alike", "rabirt", "sc"},
    };
    for (const PairCase& c : cases) {
        SCOPED_TRACE(c.why);
        ResultList walked;
        ResultList table;
        const std::int16_t found = ScanWordsPair(&walked, c.word, c.code, kBlockSize);
        ScanWords(&table, c.word, c.code, kBlockSize);
        EXPECT_EQ(sorted(words_of(walked)), sorted(words_of(table)));
        EXPECT_NE(found, 0);
        EXPECT_FALSE(walked.holds_postings());
    }
    ResultList none;
    EXPECT_EQ(ScanWordsPair(&none, "cat", "va", kBlockSize), 0);   // no key routine
}

} // namespace
