// Tests of the query language: how texts parse and group, the three merges on small
// lists (markers, totals, cancel), and whole queries on a written dictionary: default
// index, normalised terms, long posting lists, mixed kinds, "%" and unknown codes.
#include "engine/query.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/progress.h"
#include "engine/query_internal.h"
#include "engine/resultlist.h"
#include "search_fixture.h"

namespace {

using query_internal::ParseStatus;
using query_internal::QueryNode;
using search_fixture::RecordingSink;
using search_fixture::SearchTest;

std::string show(const QueryNode& node)
{
    switch (node.kind) {
    case QueryNode::Kind::Term:
        return "[" + node.term + "]";
    case QueryNode::Kind::And:
        return "(" + show(*node.left) + " & " + show(*node.right) + ")";
    case QueryNode::Kind::Or:
        return "(" + show(*node.left) + " | " + show(*node.right) + ")";
    case QueryNode::Kind::AndNot:
        return "(" + show(*node.left) + " &! " + show(*node.right) + ")";
    }
    return "?";
}

struct ParseCase {
    const char* why;
    std::string text;
    ParseStatus status;
    const char* tree;   // shown form when the status is Ok
};

TEST(QueryParser, GroupsFromTheRightAndRejectsBadTexts)
{
    const ParseCase cases[] = {
        {"a word alone is one term", "cat", ParseStatus::Ok, "[cat]"},
        {"blanks around a term are dropped, inner ones kept", "  df = big cat ",
         ParseStatus::Ok, "[df = big cat]"},
        {"equal operators group from the right", "a & b | c", ParseStatus::Ok,
         "([a] & ([b] | [c]))"},
        {"parentheses group first", "(a & b) | c", ParseStatus::Ok, "(([a] & [b]) | [c])"},
        {"and-not binds its right side whole", "a | b & ! c", ParseStatus::Ok,
         "([a] | ([b] &! [c]))"},
        {"blanks between & and ! are allowed", "a &  !b", ParseStatus::Ok, "([a] &! [b])"},
        {"nested parentheses", "((a))", ParseStatus::Ok, "[a]"},
        {"two terms without an operator", "(a) b", ParseStatus::SyntaxError, ""},
        {"a leading not", "! a", ParseStatus::SyntaxError, ""},
        {"and-not without its right side", "a & !", ParseStatus::SyntaxError, ""},
        {"a not after or", "a | ! b", ParseStatus::SyntaxError, ""},
        {"unclosed parenthesis", "(a & b", ParseStatus::SyntaxError, ""},
        {"unopened parenthesis", "a & b)", ParseStatus::SyntaxError, ""},
        {"empty text", "", ParseStatus::SyntaxError, ""},
        {"blanks only", "   ", ParseStatus::SyntaxError, ""},
        {"doubled operator", "a | | b", ParseStatus::SyntaxError, ""},
        {"nesting deeper than the parser's stack", std::string(200, '(') + "a" +
                                                       std::string(200, ')'),
         ParseStatus::Overflow, ""},
        {"a chain too long for the parser's stack",
         [] {
             std::string chain = "a";
             for (int i = 0; i < 100; ++i)
                 chain += " & a";
             return chain;
         }(),
         ParseStatus::Overflow, ""},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.why);
        std::unique_ptr<QueryNode> tree;
        const ParseStatus status = query_internal::parse_query(c.text.c_str(), &tree);
        EXPECT_EQ(status, c.status);
        if (status == ParseStatus::Ok) {
            ASSERT_NE(tree, nullptr);
            EXPECT_EQ(show(*tree), c.tree);
        } else {
            EXPECT_EQ(tree, nullptr);
        }
    }
}

// The lexer returns the end of the text as the newline token, and a term's own
// newline characters stay in the term.
TEST(QueryLexer, CutsAtDelimitersAndEndsWithNewline)
{
    query_internal::QueryLexer lexer(" a=b |(c\nd)");
    using query_internal::Token;
    EXPECT_EQ(lexer.next(), Token::Term);
    EXPECT_EQ(lexer.term(), "a=b");
    EXPECT_EQ(lexer.next(), Token::Or);
    EXPECT_EQ(lexer.next(), Token::Open);
    EXPECT_EQ(lexer.next(), Token::Term);
    EXPECT_EQ(lexer.term(), "c\nd");
    EXPECT_EQ(lexer.next(), Token::Close);
    EXPECT_EQ(lexer.next(), Token::End);
    EXPECT_EQ(lexer.next(), Token::End);
}

std::unique_ptr<ResultList> make_list(const std::vector<std::uint32_t>& values)
{
    auto list = std::make_unique<ResultList>();
    for (std::uint32_t v : values)
        list->append(v);
    list->set_total(static_cast<std::uint32_t>(values.size()));
    return list;
}

std::vector<std::uint32_t> values_in(const ResultList& list)
{
    std::vector<std::uint32_t> values;
    for (const IdNode* node = list.values.head(); node != nullptr; node = node->next)
        values.push_back(node->value);
    return values;
}

using Merge = ResultList* (*)(ResultList*, ResultList*);

struct MergeCase {
    const char* why;
    Merge merge;
    std::vector<std::uint32_t> left;
    std::vector<std::uint32_t> right;
    std::vector<std::uint32_t> result;
};

TEST(QueryMerges, MergeSortedListsInPlace)
{
    const MergeCase cases[] = {
        {"or", or_lists, {3, 7}, {5, 7, 9}, {3, 5, 7, 9}},
        {"and", and_lists, {3, 7}, {5, 7, 9}, {7}},
        {"and not", and_not_lists, {3, 7}, {5, 7, 9}, {3}},
        {"and with an empty right list empties the left", and_lists, {3, 7}, {}, {}},
        {"or with an empty left list takes the right", or_lists, {}, {4, 8}, {4, 8}},
        {"and not with an empty right keeps the left", and_not_lists, {3, 7}, {}, {3, 7}},
        {"and drops a left marker", and_lists, {127, 500, 600}, {500, 600}, {500, 600}},
        {"and never keeps a right marker", and_lists, {500}, {127, 500}, {500}},
        {"or drops a left marker and skips a right one", or_lists, {127, 600}, {127, 500},
         {500, 600}},
        {"or skips a right marker left over at the end", or_lists, {400}, {500, 127},
         {400, 500}},
        {"and not removes a left marker the right reaches", and_not_lists, {127, 500},
         {600}, {500}},
        {"and not keeps a left marker the right passes below", and_not_lists, {127, 500},
         {3}, {127, 500}},
        {"values compare unsigned", and_lists, {5, 0x80000000u}, {0x80000000u},
         {0x80000000u}},
    };
    progress_reset();
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.why);
        auto left = make_list(c.left);
        auto right = make_list(c.right);
        EXPECT_EQ(c.merge(left.get(), right.get()), left.get());
        EXPECT_EQ(values_in(*left), c.result);
        EXPECT_EQ(left->get_total(), c.result.size());
    }
}

TEST(QueryMerges, CancelLeavesThePartialResult)
{
    std::vector<std::uint32_t> all;
    std::vector<std::uint32_t> odd;
    std::vector<std::uint32_t> even;
    for (std::uint32_t v = 1000; v < 1600; ++v) {
        all.push_back(v);
        (v % 2 == 1 ? odd : even).push_back(v);
    }
    struct CancelCase {
        const char* why;
        Merge merge;
        const std::vector<std::uint32_t>& left;
        const std::vector<std::uint32_t>& right;
        const char* message;   // the first report, at step 128
        std::size_t kept;      // values of the left list after the cancel
    };
    const CancelCase cases[] = {
        {"and keeps its 64 matches and removes the rest", and_lists, all, all,
         "AND processing 10% complete", 64},
        {"or returns at once with the 64 values inserted so far", or_lists, odd, even,
         "OR processing 21% complete", 364},
        {"and not keeps its 43 survivors and removes the rest", and_not_lists, all, odd,
         "AND NOT processing 14% complete", 43},
    };
    for (const CancelCase& c : cases) {
        SCOPED_TRACE(c.why);
        progress_reset();
        RecordingSink sink;
        sink.cancel_at_message = 1;
        set_status_sink(&sink);
        auto left = make_list(c.left);
        auto right = make_list(c.right);
        c.merge(left.get(), right.get());
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0], c.message);
        EXPECT_EQ(left->values.count(), c.kept);
        EXPECT_EQ(left->get_total(), c.kept);
    }
    progress_reset();
}

class QueryTest : public SearchTest {
protected:
    // Runs text; the result's values (empty for no list) and whether a list came back.
    static std::vector<std::uint32_t> run(const std::string& text, bool* has_list = nullptr,
                                          const ResultList* current = nullptr)
    {
        ResultList* list = const_cast<ResultList*>(current);   // only read for "%"
        RunQuery(&list, text.c_str());
        if (has_list != nullptr)
            *has_list = list != nullptr;
        if (list == nullptr || list == current)
            return {};
        // Walked with a cursor: a long posting list is loaded as the walk reaches it.
        std::vector<std::uint32_t> values;
        ResultCursor cursor(list, kBlockSize);
        for (cursor.start(); !cursor.at_end(); cursor.advance())
            values.push_back(cursor.value());
        EXPECT_EQ(list->get_total(), values.size());
        delete list;   // RunQuery's result belongs to the caller
        return values;
    }

    static std::vector<std::uint32_t> hw_list(std::initializer_list<const char*> heads)
    {
        std::vector<std::uint32_t> offsets;
        for (const char* head : heads)
            offsets.push_back(hw_of().at(head));
        std::sort(offsets.begin(), offsets.end());
        return offsets;
    }

    static std::vector<std::uint32_t> postings(const char* term)
    {
        if (std::string(term) == "every")
            return generated_postings([](std::size_t) { return true; });
        if (std::string(term) == "even")
            return generated_postings([](std::size_t i) { return i % 2 == 0; });
        return generated_postings([](std::size_t i) { return i % 3 == 0; });
    }
};

TEST_F(QueryTest, EvaluatesTermsThroughTheirIndexes)
{
    struct TermCase {
        const char* why;
        const char* query;
        std::vector<std::uint32_t> expected;
    };
    const TermCase cases[] = {
        {"a word alone searches va", "listen", hw_list({"listen"})},
        {"an index code with blanks around it", " va = silent ", hw_list({"silent"})},
        {"an inflected form finds its entry through va", "va=mice", hw_list({"mouse"})},
        {"df normalises mice to the head word mouse first", "df = mice", hw_list({"cat"})},
        {"the head word is cut at its bracket", "df=Basses", hw_list({"fish"})},
        {"the normalised word does not spill into the next term", "df=mice|va=red",
         hw_list({"cat", "red"})},
        {"or of two single words", "listen | silent", hw_list({"listen", "silent"})},
        {"and of disjoint words", "listen & silent", {}},
        {"two va words", "va=zebu | va=quick",
         hw_list({"zebra", "qu"})},
        {"markers never survive a merge", "va=letter | va=cat", hw_list({"cat", "letter"})},
        {"word offsets of two indexes are expanded before they meet",
         "df=ab* & tr=listen", hw_list({"silent", "enlist", "inlets"})},
        {"an unknown code gives an empty list, not an exit", "zz=cat | va=cat",
         hw_list({"cat"})},
        {"an index without a search routine gives an empty list", "hw=cat | va=red",
         hw_list({"red"})},
    };
    for (const TermCase& c : cases) {
        SCOPED_TRACE(c.why);
        testing::internal::CaptureStderr();
        std::vector<std::uint32_t> values = run(c.query);
        testing::internal::GetCapturedStderr();
        std::sort(values.begin(), values.end());
        EXPECT_EQ(values, c.expected);
    }
}

// A code the user typed that no index has is a warning and an empty term, never an exit.
TEST_F(QueryTest, UnknownIndexCodeWarnsAndGivesAnEmptyTerm)
{
    bool has_list = false;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(run("zz=cat", &has_list).empty());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "unable to find routine table entry for: zz\n");
    EXPECT_TRUE(has_list);
}

// Word-offset lists of one index merge as word offsets; the key table's run, which
// comes in key-table order, is sorted first.
TEST_F(QueryTest, WordOffsetsOfOneIndexMergeAsWords)
{
    struct WordCase {
        const char* why;
        const char* query;
        std::vector<std::string> words;
    };
    const WordCase cases[] = {
        {"anagrams and a scan of va", "tr=listen & va=s*", {"silent"}},
        {"anagrams and an or of two scans", "tr=listen & (va=s* | va=t*)",
         {"silent", "tinsel"}},
        {"anagrams but not a scan", "tr=listen & ! va=*t", {"inlets", "listen", "tinsel"}},
    };
    for (const WordCase& c : cases) {
        SCOPED_TRACE(c.why);
        ResultList* list = nullptr;
        RunQuery(&list, c.query);
        ASSERT_NE(list, nullptr);
        const std::unique_ptr<ResultList> owned(list);
        EXPECT_FALSE(list->holds_postings());
        std::vector<std::string> words = words_of(*list);
        std::sort(words.begin(), words.end());
        EXPECT_EQ(words, c.words);
    }
}

TEST_F(QueryTest, MatchKindsSortsAndExpandsWordOffsets)
{
    auto va_offset = [](const char* word) {
        std::uint32_t block = 0;
        set_compare_routine(compare_entry);
        const std::int32_t pos = find_entry(word, "va", &block, kBlockSize);
        EXPECT_GE(pos, 0) << word;
        return block * kBlockSize + static_cast<std::uint32_t>(pos);
    };
    auto word_list = [](std::vector<std::uint32_t> offsets, const char* code) {
        auto list = make_list(offsets);
        list->set_word_offsets(1);
        query_internal::set_offsets_index(list.get(), code);
        return list;
    };
    const std::uint32_t silent = va_offset("silent");
    const std::uint32_t listen = va_offset("listen");
    const std::uint32_t low = std::min(silent, listen);
    const std::uint32_t high = std::max(silent, listen);

    // Two word lists of one index, one out of order: sorted, still word offsets.
    auto left = word_list({high, low}, "va");
    auto right = word_list({listen}, "va");
    match_kinds(left.get(), right.get());
    EXPECT_EQ(values_in(*left), (std::vector<std::uint32_t>{low, high}));
    EXPECT_FALSE(left->holds_postings());

    // A word list against postings: the word list becomes the postings of its words.
    auto words = word_list({high, low}, "va");
    auto posting = make_list({hw_of().at("cat")});
    match_kinds(words.get(), posting.get());
    EXPECT_TRUE(words->holds_postings());
    EXPECT_EQ(values_in(*words), hw_list({"listen", "silent"}));

    // Word lists of two different indexes: both become postings.
    auto va_words = word_list({listen}, "va");
    auto df_words = word_list({listen}, "df");
    match_kinds(va_words.get(), df_words.get());
    EXPECT_TRUE(va_words->holds_postings());
    EXPECT_TRUE(df_words->holds_postings());
}

// Typed words longer than any stored word find nothing, and no scan walks the index for
// them: a page of text pasted into the field costs what a word does.
TEST_F(QueryTest, OverLongWordsFindNothingAndScanNothing)
{
    const std::string long_word(10000, 'h');
    const std::string longest_pattern = "*" + std::string(253, 'h') + "*";
    // What the scan of a pattern showed of its walk.
    const auto scanned = [](const std::string& query, bool* has_list) {
        search_fixture::RecordingSink sink;
        set_status_sink(&sink);
        testing::internal::CaptureStderr();
        EXPECT_TRUE(run(query, has_list).empty());
        testing::internal::GetCapturedStderr();
        progress_reset();
        return sink.percentages.size();
    };
    const char* const codes[] = {"va", "df", "tr", "is", "lb", "sc", "pr", "rh", "pt"};
    for (const char* code : codes) {
        for (const std::string& word :
             {long_word, "*" + long_word, "^" + long_word, std::string(80, 'h'), "*" + longest_pattern}) {
            SCOPED_TRACE(std::string(code) + " with " + std::to_string(word.size()) + " bytes");
            bool has_list = false;
            EXPECT_EQ(scanned(std::string(code) + "=" + word, &has_list), 0u);
            EXPECT_TRUE(has_list);
        }
    }
    // A pattern of the longest length is still scanned.
    EXPECT_GT(scanned("va=" + longest_pattern, nullptr), 0u);
}

TEST_F(QueryTest, MergesLongPostingListsAcrossContinuationBlocks)
{
    const std::vector<std::uint32_t> every = postings("every");
    const std::vector<std::uint32_t> even = postings("even");
    const std::vector<std::uint32_t> triple = postings("triple");
    std::vector<std::uint32_t> both;
    std::set_intersection(even.begin(), even.end(), triple.begin(), triple.end(),
                          std::back_inserter(both));
    std::vector<std::uint32_t> either;
    std::set_union(even.begin(), even.end(), triple.begin(), triple.end(),
                   std::back_inserter(either));
    std::vector<std::uint32_t> odd;
    std::set_difference(every.begin(), every.end(), even.begin(), even.end(),
                        std::back_inserter(odd));
    std::vector<std::uint32_t> odd_not_triple;
    std::set_difference(odd.begin(), odd.end(), triple.begin(), triple.end(),
                        std::back_inserter(odd_not_triple));

    struct LongCase {
        const char* why;
        const char* query;
        std::vector<std::uint32_t> expected;
    };
    const LongCase cases[] = {
        {"a long list alone", "df=every", every},
        {"and", "df=even & df=triple", both},
        {"or", "df=even | df=triple", either},
        {"and not", "df=every & ! df=even", odd},
        {"grouping from the right", "df=every & ! df=even | df=triple",
         [&] {
             std::vector<std::uint32_t> result;
             std::set_difference(every.begin(), every.end(), either.begin(), either.end(),
                                 std::back_inserter(result));
             return result;
         }()},
        {"parentheses", "(df=every & ! df=even) & ! df=triple", odd_not_triple},
    };
    for (const LongCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(run(c.query), c.expected);
    }
}

// An AND whose right list ends early leaves the rest of a long left list unread.
TEST_F(QueryTest, AndThatEndsEarlyReadsNoContinuationBlock)
{
    ResultList left;
    ASSERT_NE(find_word(&left, "every", "df", kBlockSize), 0);
    ASSERT_NE(left.next_block, 0u);
    ASSERT_LT(left.values.count(), left.get_total());
    const auto right = make_list({1});
    const std::uint64_t before = block_read_count();
    and_lists(&left, right.get());
    EXPECT_EQ(block_read_count(), before);
    EXPECT_TRUE(left.values.empty());
    EXPECT_EQ(left.get_total(), 0u);
    EXPECT_EQ(left.next_block, 0u);
}

TEST_F(QueryTest, PercentTakesTheCurrentList)
{
    const auto current = make_list(hw_list({"cat", "listen", "red"}));
    bool has_list = false;
    EXPECT_EQ(run("%", &has_list, current.get()), hw_list({"cat", "listen", "red"}));
    EXPECT_TRUE(has_list);
    EXPECT_EQ(run("% & !va=listen", nullptr, current.get()), hw_list({"cat", "red"}));
    EXPECT_EQ(values_in(*current), hw_list({"cat", "listen", "red"}));   // left as it was
    EXPECT_EQ(run("% | va=fish", &has_list, nullptr), hw_list({"fish"}));
    EXPECT_TRUE(has_list);
}

TEST_F(QueryTest, SyntaxErrorsGiveNoListAndOverflowKeepsThePointer)
{
    ResultList current;
    ResultList* list = &current;
    RunQuery(&list, "listen & !");
    EXPECT_EQ(list, nullptr);

    list = &current;
    RunQuery(&list, (std::string(300, '(') + "listen" + std::string(300, ')')).c_str());
    EXPECT_EQ(list, &current);

    // What keeps a text from running, as the search tells the user.
    const auto nested = [](int depth) {
        const auto count = static_cast<std::size_t>(depth);
        return std::string(count, '(') + "listen" + std::string(count, ')');
    };
    std::string joined = "listen";
    for (int i = 0; i < 80; ++i)
        joined += "&listen";
    EXPECT_EQ(FindQueryFault(nested(kDeepestParentheses).c_str()), QueryFault::kNone);
    EXPECT_EQ(FindQueryFault(nested(kDeepestParentheses + 1).c_str()), QueryFault::kTooDeep);
    EXPECT_EQ(FindQueryFault(joined.c_str()), QueryFault::kTooDeep);
    EXPECT_EQ(FindQueryFault("listen & !"), QueryFault::kNotAQuery);
}

// The caller's text is never written, so a read-only literal is a valid query.
TEST_F(QueryTest, QueryTextMayBeReadOnly)
{
    static const char kQuery[] = "df=mice|va=red";
    ResultList* list = nullptr;
    RunQuery(&list, kQuery);
    ASSERT_NE(list, nullptr);
    delete list;
    EXPECT_STREQ(kQuery, "df=mice|va=red");
}

TEST_F(QueryTest, MergesReportProgressAndCancelTheRest)
{
    RecordingSink sink;
    sink.cancel_at_message = 1;
    set_status_sink(&sink);
    bool has_list = false;
    const std::vector<std::uint32_t> values = run("df=every & df=even | df=triple", &has_list);
    EXPECT_TRUE(has_list);
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages[0].rfind("OR processing ", 0), 0u);
    // The cancelled OR kept the even postings and what it had merged; the AND after it
    // stopped at once and removed everything from its cursor on.
    EXPECT_LT(values.size(), postings("even").size());
}

} // namespace
