// Tests of RWCRegexp: the dialect, leftmost-longest matches, malformed patterns and
// patterns that would take exponential time with a backtracking matcher.
#include "vkocoll/regexp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RegexpTest, MatchesTheDialect)
{
    struct Case {
        const char* why;
        const char* pattern;
        const char* text;
        std::size_t at;
        std::size_t extent;
    };
    const Case cases[] = {
        {"literal", "cat", "concatenate", 3, 3},
        {"dot", "c.t", "a cut", 2, 3},
        {"star takes the longest run", "ab*", "xabbbc", 1, 4},
        {"star may match nothing", "ab*c", "ac", 0, 2},
        {"plus needs one", "ab+c", "ac abc", 3, 3},
        {"question mark", "colou?r", "color colour", 0, 5},
        {"class", "[aeiou]+", "rhythm and", 7, 1},
        {"range", "[0-9]+", "abc 2026 x", 4, 4},
        {"negated class", "[^a-z]+", "abc123def", 3, 3},
        {"bracket first in a class", "[]x]+", "a]x]b", 1, 3},
        {"dash last in a class", "[a-]+", "b-a-c", 1, 3},
        {"anchored start", "^ab", "abab", 0, 2},
        {"anchored start misses later hits", "^ab", "cab", RW_NPOS, 0},
        {"anchored end", "ab$", "abab", 2, 2},
        {"both anchors, wildcard form", "^t.*e$", "tree", 0, 4},
        {"both anchors refuse a partial word", "^t.*e$", "trees", RW_NPOS, 0},
        {"escaped dot", "a\\.b", "axb a.b", 4, 3},
        {"escaped star", "a\\*", "aa*", 1, 2},
        {"leading star is literal", "*a", "b*a", 1, 2},
        {"star after the start anchor is literal", "^*", "*x", 0, 1},
        {"dollar inside is literal", "a$b", "a$b", 0, 3},
        {"parentheses are literal", "(a)", "x(a)", 1, 3},
        {"empty pattern matches at the start", "", "abc", 0, 0},
        {"leftmost wins over longer later", "a+", "xa aaaa", 1, 1},
        {"case matters", "Word", "word", RW_NPOS, 0},
        {"plus then question mark may match nothing", "xa+?y", "xy", 0, 2},
        {"plus then star may match nothing", "xa+*y", "xy", 0, 2},
        {"double plus still needs one", "xa++y", "xy xaay", 3, 4},
        {"star then plus may match nothing", "xa*+y", "xy", 0, 2},
        {"star then plus then question mark", "xa*+?y", "xaay", 0, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const RWCRegexp re(c.pattern);
        ASSERT_EQ(re.status(), RWCRegexp::OK);
        std::size_t extent = 77;
        EXPECT_EQ(re.index(c.text, &extent), c.at);
        EXPECT_EQ(extent, c.extent);
    }
}

TEST(RegexpTest, MalformedPatternsNeverMatch)
{
    struct Case {
        const char* why;
        const char* pattern;
    };
    const Case cases[] = {
        {"unclosed class", "ab[cd"},
        {"unclosed negated class", "[^"},
        {"reversed range", "[z-a]"},
        {"trailing backslash", "ab\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const RWCRegexp re(c.pattern);
        EXPECT_NE(re.status(), RWCRegexp::OK);
        EXPECT_EQ(re.index("ab[cd [z-a] ab\\"), RW_NPOS);
    }
}

TEST(RegexpTest, StartPositionAndReassignment)
{
    RWCRegexp re("o");
    EXPECT_EQ(re.index("foo boo", nullptr, 3), 5u);
    EXPECT_EQ(re.index("foo", nullptr, 4), RW_NPOS) << "start past the end";
    re = "b[";
    EXPECT_EQ(re.status(), RWCRegexp::ILLEGAL);
    re = "b";
    EXPECT_EQ(re.status(), RWCRegexp::OK);
    EXPECT_EQ(re.index("abc"), 1u);
}

// A backtracking matcher needs about 2^n steps for these; they must come back at once.
TEST(RegexpTest, PathologicalPatternsFinish)
{
    constexpr int kN = 40;
    std::string optional_run;
    for (int i = 0; i < kN; ++i)
        optional_run += "a?";
    const std::string a_run(kN, 'a');
    std::size_t extent = 0;
    EXPECT_EQ(RWCRegexp(("^" + optional_run + a_run + "$").c_str())
                  .index(RWCString(a_run.c_str()), &extent),
              0u);
    EXPECT_EQ(extent, static_cast<std::size_t>(kN));

    std::string stars;
    for (int i = 0; i < kN; ++i)
        stars += "a*";
    const std::string long_word(20000, 'a');
    EXPECT_EQ(RWCRegexp((stars + "b").c_str()).index(RWCString(long_word.c_str())), RW_NPOS);
    EXPECT_EQ(RWCRegexp((stars + "b").c_str()).index(RWCString((long_word + "b").c_str()),
                                                     &extent),
              0u);
    EXPECT_EQ(extent, long_word.size() + 1);
}

} // namespace
