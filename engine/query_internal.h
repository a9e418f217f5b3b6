// query_internal.h: the query language's lexer and parser, and the index code that the
// scans and key-table searches record in a word-offset list. The parser turns a query
// text into a tree of terms and operators that query.cpp evaluates. Only the query, scan
// and key-table modules (and their tests) include this header.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "engine/resultlist.h"

namespace query_internal {

// Token kinds. The end of the text is returned as the newline character, as the
// grammar's "newline" token.
enum class Token : int {
    End = '\n',
    Open = '(',
    Close = ')',
    And = '&',
    Or = '|',
    Not = '!',
    Term = 257,
};

// Cuts a query text into tokens. Works on its own copy of the text, never the caller's.
class QueryLexer {
public:
    explicit QueryLexer(const char* text) : itsText(text != nullptr ? text : "") {}
    // The next token; for Token::Term, term() holds the piece without its outer blanks.
    Token next();
    const std::string& term() const { return itsTerm; }

private:
    std::string itsText;
    std::size_t itsPosition = 0;
    int itsPending = 0;         // delimiter cut off with the last piece, 0 when none
    std::string itsTerm;
};

// A parsed query. Term holds the term text; the operators hold both operands.
struct QueryNode {
    enum class Kind { Term, And, Or, AndNot };
    Kind kind = Kind::Term;
    std::string term;
    std::unique_ptr<QueryNode> left;
    std::unique_ptr<QueryNode> right;
};

enum class ParseStatus {
    Ok,           // tree holds the query
    SyntaxError,  // the text is not a query; no tree
    Overflow,     // nesting deeper than the parser's stack; no tree
};

// The parser's stack depth, in entries: each open parenthesis, operand and operator
// waiting for its right side takes one, so about 75 chained terms or 150 nested
// parentheses fit.
inline constexpr int kParserStackEntries = 150;

// Parses text by the grammar
//     query: expr newline
//     expr:  TERM | '(' expr ')' | expr '&' expr | expr '&' '!' expr | expr '|' expr
// where all three operators bind alike and group from the right ("a & b | c" is
// a AND (b OR c)). On success *tree holds the query.
ParseStatus parse_query(const char* text, std::unique_ptr<QueryNode>* tree);

// Which index a word-offset list's offsets belong to: the scans and key-table searches
// record the index code in the list's spare bytes, so that a merge of word offsets from
// two different indexes expands both sides instead of comparing unrelated offsets.
// Posting lists and lists of unknown origin hold no code (all 0).
inline void set_offsets_index(ResultList* list, const char* index_code)
{
    list->spare[0] = 0;
    list->spare[1] = 0;
    if (index_code == nullptr || index_code[0] == '\0')
        return;
    list->spare[0] = static_cast<std::uint8_t>(index_code[0]);
    list->spare[1] = static_cast<std::uint8_t>(index_code[1]);
}

// True when both lists name their index and the two differ.
inline bool offsets_from_different_indexes(const ResultList& a, const ResultList& b)
{
    const bool a_known = a.spare[0] != 0;
    const bool b_known = b.spare[0] != 0;
    return a_known && b_known && (a.spare[0] != b.spare[0] || a.spare[1] != b.spare[1]);
}

} // namespace query_internal
