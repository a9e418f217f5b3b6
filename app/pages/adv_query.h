// adv_query.h: the advanced page's query text: checking typed text with operators ("&"
// AND, "|" OR, "!" NOT, parentheses) and "label=word" terms into token lines, composing
// the engine's query from token lines (search-type labels become index names), turning an
// engine query back into token lines, and the words a query's entries highlight.
#pragma once
#include <string>
#include <vector>

// What may come next in a query, one bit a token kind; the advanced page's buttons follow it.
namespace querymask {
constexpr int kWord = 0x01, kAnd = 0x02, kOr = 0x04, kNot = 0x08, kOpen = 0x10, kClose = 0x20,
              kSearch = 0x40;
constexpr int kStart = kWord | kOpen;                      // at the start, after NOT or "("
constexpr int kAfterAndOr = kWord | kNot | kOpen;          // after AND or OR
// After a term or ")": at depth 0 the query is complete, inside parentheses ")" may follow.
constexpr int AfterTerm(int depth)
{
    return depth == 0 ? (kSearch | kAnd | kOr) : (kClose | kAnd | kOr);
}
} // namespace querymask

// What may follow token lines, as the buttons leave it once the last of them is added: after a
// term or ")" a term's follow-ons, after AND or OR another term, after NOT or "(" a term or
// "("; an empty list may begin with a term, NOT or "(". Search is on only where a query is
// complete. depth: the parentheses the lines leave open.
int MaskAfterTokens(const std::vector<std::string>& tokens, int* depth);

struct QueryCheck {
    bool ok = false;
    std::string error;                // the note for the user when not ok
    bool beep = false;                // the error also beeps (all but a misplaced operator)
    int mask = 0;                     // what may come next, at the end of the text; 0 when
                                      // the check stopped before it
    int depth = 0;                    // parentheses open where the check stopped
    std::vector<std::string> tokens;  // "label=word" terms and operator lines, as far as the
                                      // check went
};

// Checks text; a word without "label=" takes currentLabel, and a label stays in force for
// the words after it.
QueryCheck CheckQueryText(const std::string& text, const std::string& currentLabel);

// The engine's query from token lines: in each "label=word" line the first label of
// labels that the part before "=" holds (any case) becomes the name at its position (the
// line lower-cased for "va"); other lines stay; joined without separators.
std::string ComposeQuery(const std::vector<std::string>& tokens,
                         const std::vector<std::string>& labels,
                         const std::vector<std::string>& names);

// The lower-cased words of the query's terms under "df", "vi", "aq", "sy", "sl" or "us".
std::vector<std::string> CollectHighlightWords(const std::string& query);

// Token lines from an engine query: an operator a line of its own, a "name=word" term the
// label at name's position in names (the first label when name is none of them) with "=" and
// the word. A word without a name stands under the first label.
std::vector<std::string> QueryTokens(const std::string& query,
                                     const std::vector<std::string>& labels,
                                     const std::vector<std::string>& names);
