// Tests of the advanced page's query text: checking by table (terms, operators, nesting,
// the errors a user sees), composing the engine's query, and the highlight words.
#include "app/pages/adv_query.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(AdvancedQuery, CheckQueryText_TokensAndErrors)
{
    struct Case {
        const char* text;
        bool ok;
        const char* error;
        std::vector<std::string> tokens;
    };
    const std::string L = "Entry word is...";
    const Case cases[] = {
        {"cat", true, "", {L + "=cat"}},
        {"cat & dog", true, "", {L + "=cat", "&", L + "=dog"}},
        {"Defining text contains...=animal | cat", true, "",
         {"Defining text contains...=animal", "|", "Defining text contains...=cat"}},
        {"(cat|dog)&!zebra", true, "", {"(", L + "=cat", "|", L + "=dog", ")", "&", "!", L + "=zebra"}},
        {"cat dog", true, "", {L + "=cat dog"}},
        {"a = b", true, "", {"a =b"}}, // the name keeps its blank, the word is trimmed
        {"", false, "Unable to do Search", {}},
        {"cat &", false, "Unable to do Search", {L + "=cat", "&"}},
        {"(cat", false, "Unable to do Search", {"(", L + "=cat"}},
        {"& cat", false, "Error in search text with &", {}},
        {"cat (dog)", false, "Error in search text with (", {L + "=cat"}},
        {"cat ! dog", false, "Error in search text with !", {L + "=cat"}},
        {"a=b=c", false, "Error in search text with multiple adds", {}},
        {")", false, "Error in search text with )", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const QueryCheck check = CheckQueryText(c.text, L);
        EXPECT_EQ(check.ok, c.ok);
        EXPECT_EQ(check.error, c.error);
        if (c.ok || !c.tokens.empty()) {
            EXPECT_EQ(check.tokens, c.tokens);
        }
    }
    // Nesting as deep as the engine's parser takes, and one deeper.
    const std::string deepest = std::string(149, '(') + "cat" + std::string(149, ')');
    EXPECT_TRUE(CheckQueryText(deepest, L).ok);
    const QueryCheck deeper = CheckQueryText("(" + deepest + ")", L);
    EXPECT_FALSE(deeper.ok);
    EXPECT_EQ(deeper.error, "Unable to do Search: the parentheses are nested too deeply (at most 149).");
    EXPECT_TRUE(deeper.beep);
}

TEST(AdvancedQuery, ComposeQuery_MapsLabelsToNamesAndLowersEntryWords)
{
    const std::vector<std::string> labels = {"Entry word is...", "Defining text contains..."};
    const std::vector<std::string> names = {"va", "df"};
    EXPECT_EQ(ComposeQuery({"Entry word is...=Cat", "&", "Defining text contains...=Animal"}, labels, names),
              "va=cat&df=Animal");
    EXPECT_EQ(ComposeQuery({"entry WORD is...=dog"}, labels, names), "va=dog") << "labels match in any case";
    EXPECT_EQ(ComposeQuery({"Unknown=dog", "|", "(", "Entry word is...=x", ")"}, labels, names),
              "Unknown=dog|(va=x)");
    EXPECT_EQ(ComposeQuery({}, labels, names), "");
}

TEST(AdvancedQuery, CollectHighlightWords_TakesTheTextSearchesOnly)
{
    EXPECT_EQ(CollectHighlightWords("va=cat&df=Animal|(sy=Pet)"),
              (std::vector<std::string>{"animal", "pet"}));
    EXPECT_EQ(CollectHighlightWords("df=a&nothing&df=b"), (std::vector<std::string>{"a"}))
        << "a piece without '=' ends the scan";
    EXPECT_TRUE(CollectHighlightWords("va=cat").empty());
}

} // namespace

namespace {

TEST(AdvancedQuery, QueryTokens_TurnsAQueryBackIntoTokenLines)
{
    const std::vector<std::string> labels = {"Entry word is...", "Defining text contains..."};
    const std::vector<std::string> names = {"va", "df"};
    struct Case {
        const char* query;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"va=cat&!(df=Animal|va=dog)",
         {"Entry word is...=cat", "&", "!", "(", "Defining text contains...=Animal", "|", "Entry word is...=dog", ")"}},
        {"hw=cat", {"Entry word is...=cat"}},     // a name of no search type: the first
        {"cat", {"Entry word is...=cat"}},        // no name at all: the first, and the end is reached
        {"cat dog|df=x", {"Entry word is...=cat dog", "|", "Defining text contains...=x"}},
        {"va=a=b", {"Entry word is...=a=b"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_EQ(QueryTokens(c.query, labels, names), c.tokens);
    }
    // Back and forth: the query composed from the lines is the query shown.
    const std::string query = "(va=cat|df=animal)&!df=barks";
    EXPECT_EQ(ComposeQuery(QueryTokens(query, labels, names), labels, names), query);
}

} // namespace
