// Tests of the basic page's text rules: line matching for type-ahead, the best line, and
// the splitting of comma-separated word lists.
#include "app/pages/basic_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(BasicMatch, MatchTyped_SkipsPunctuationAndComparesCaseOneWay)
{
    struct Case {
        const char* why;
        const char* line;
        const char* typed;
        int matched;
        bool equal;
    };
    const Case cases[] = {
        {"same word", "cat", "cat", 3, true},
        {"typed is a prefix", "catalog", "cat", 3, false},
        {"line is a prefix", "cat", "cats", 3, false},
        {"an apostrophe typed matches the line's", "o'clock", "o'clock", 6, true},
        {"an apostrophe left out still matches", "o'clock", "oclock", 6, true},
        {"an apostrophe typed that the line lacks", "oclock", "o'clock", 6, true},
        {"a skipped character in the line", "o.clock", "oclock", 6, true},
        {"typed lower case matches an upper-case line", "Cat", "cat", 3, true},
        {"typed upper case must match exactly", "cat", "Cat", 0, false},
        {"a pattern character matches nothing", "cat", "ca*", 0, false},
        {"differs in the middle", "cart", "cat", 2, false},
        {"empty typed text", "cat", "", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        bool equal = !c.equal;
        EXPECT_EQ(MatchTyped(c.line, c.typed, &equal), c.matched);
        EXPECT_EQ(equal, c.equal);
    }
}

TEST(BasicMatch, BestLine_PrefersExactThenNearThenLongestPartial)
{
    struct Case {
        const char* why;
        std::vector<std::string> lines;
        const char* typed;
        int best;
    };
    const Case cases[] = {
        {"the equal line", {"ca", "cat", "catalog"}, "cat", 1},
        {"the first line covering all typed text", {"catalog", "caterpillar"}, "cat", 0},
        {"a later equal line wins over a covering one", {"catalog", "cat"}, "cat", 1},
        {"a line one short of the typed text", {"ca", "cb"}, "cat", 0},
        {"the longest partial match", {"dog", "cart", "cab"}, "cat", 1},
        {"nothing matches", {"dog", "emu"}, "cat", -1},
        {"a pattern selects nothing", {"cat"}, "c?t", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(BestLine(c.lines, c.typed), c.best);
    }
    // Only the first 200 lines are looked at.
    std::vector<std::string> many(250, "dog");
    many[220] = "cat";
    EXPECT_EQ(BestLine(many, "cat"), -1);
    many[199] = "cat";
    EXPECT_EQ(BestLine(many, "cat"), 199);
}

TEST(BasicMatch, SplitWordList_KeepsBlanksAndDropsEmptyPieces)
{
    EXPECT_EQ(SplitWordList("dog,cat"), (std::vector<std::string>{"dog", "cat"}));
    EXPECT_EQ(SplitWordList("dog, cat"), (std::vector<std::string>{"dog", " cat"}));
    EXPECT_EQ(SplitWordList(",dog,,cat,"), (std::vector<std::string>{"dog", "cat"}));
    EXPECT_EQ(SplitWordList(","), std::vector<std::string>{});
    EXPECT_EQ(LowerCase("DoG's"), "dog's");
}

} // namespace
