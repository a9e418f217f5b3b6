// adv_query.h: the advanced page's query text: checking typed text with operators ("&"
// AND, "|" OR, "!" NOT, parentheses) and "label=word" terms into token lines, composing
// the engine's query from token lines (search-type labels become index names), and the
// words a query's entries highlight.
#pragma once
#include <string>
#include <vector>

struct QueryCheck {
    bool ok = false;
    std::string error;                // the note for the user when not ok
    int mask = 0;                     // the operators allowed next (bit 0 a word, 1 AND,
                                      // 2 OR, 3 NOT, 4 "(", 5 ")", 6 search)
    std::vector<std::string> tokens;  // "label=word" terms and operator lines
};

// Checks text; a word without "label=" takes currentLabel.
QueryCheck CheckQueryText(const std::string& text, const std::string& currentLabel);

// The engine's query from token lines: in each "label=word" line the first label of
// labels that the part before "=" holds (any case) becomes the name at its position (the
// line lower-cased for "va"); other lines stay; joined without separators.
std::string ComposeQuery(const std::vector<std::string>& tokens,
                         const std::vector<std::string>& labels,
                         const std::vector<std::string>& names);

// The lower-cased words of the query's terms under "df", "vi", "aq", "sy", "sl" or "us".
std::vector<std::string> CollectHighlightWords(const std::string& query);
