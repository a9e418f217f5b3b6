// query.h: the boolean query language. A query is terms of the form index=word (the
// index defaults to "va") joined by '&' (AND), '|' (OR) and '& !' (AND NOT), with
// parentheses; all three operators bind alike and group from the right. Each term is
// searched through the routine table, and the lists are merged in place.
#pragma once
#include <cstdint>

struct ResultList;

// Parses and evaluates query_text (never modified; it may be read-only) and stores the
// new result list through *list; the caller owns it. The list that *list holds on entry
// is the current list that the term "%" copies; it stays the caller's and is not
// destroyed here. A syntax error stores null; nesting too deep for the parser leaves
// *list as it was. An unknown index code in a term gives an empty list for that term
// with the warning "unable to find routine table entry for: " and the code.
void RunQuery(ResultList** list, const char* query_text);

// What keeps RunQuery from running query_text (it then finds nothing, though the text is at
// fault): kNone when it can run.
enum class QueryFault {
    kNone,
    kNotAQuery,   // a syntax error
    kTooDeep,     // parentheses and operators nested deeper than the parser's stack
};
QueryFault FindQueryFault(const char* query_text);
// The most parentheses that may stand around one term; joined terms inside them take more of
// the parser's stack, so fewer fit.
inline constexpr int kDeepestParentheses = 149;

// A new list (the caller owns it) with what one term finds: "code=word" or a word alone
// (index "va"); blanks around both are ignored, and the word "%" copies the current list.
// A word longer than any index word (79 bytes; a pattern 255) finds nothing and is not
// searched.
ResultList* eval_term(const char* term_text);

// The merges: each changes left in place and returns it; right is left as the merge
// leaves it (the caller destroys it). Both are first brought to the same kind with
// match_kinds. The value 127 never survives from right, and never from left except
// through and_not_lists. Each reports its progress and stops on cancel.
ResultList* and_lists(ResultList* left, ResultList* right);
ResultList* or_lists(ResultList* left, ResultList* right);
ResultList* and_not_lists(ResultList* left, ResultList* right);

// Makes two lists comparable before a merge: a word-offset list that is not known to be
// sorted is sorted; when exactly one list holds word offsets, or both do but from
// different indexes, the word offsets are expanded into postings.
void match_kinds(ResultList* left, ResultList* right);
