// query_parser.cpp: the lexer and the recursive-descent parser of the query language.
// The parser only builds a tree: no term is searched before the whole text has parsed,
// so a syntax error leaves no half-built lists behind.
#include "engine/query_internal.h"

#include <cstring>
#include <utility>

namespace query_internal {
namespace {

constexpr char kDelimiters[] = "()&|!";

class Parser {
public:
    explicit Parser(const char* text) : itsLexer(text) { advance(); }

    ParseStatus parse(std::unique_ptr<QueryNode>* tree)
    {
        std::unique_ptr<QueryNode> query = parse_expr(1);
        if (itsStatus == ParseStatus::Ok && itsToken != Token::End)
            itsStatus = ParseStatus::SyntaxError;
        if (itsStatus == ParseStatus::Ok)
            *tree = std::move(query);
        return itsStatus;
    }

private:
    void advance() { itsToken = itsLexer.next(); }

    // Takes one more stack entry at depth; false (and the overflow status) past the top.
    bool push(int depth)
    {
        if (depth <= kParserStackEntries)
            return true;
        if (itsStatus == ParseStatus::Ok)
            itsStatus = ParseStatus::Overflow;
        return false;
    }

    bool fail()
    {
        if (itsStatus == ParseStatus::Ok)
            itsStatus = ParseStatus::SyntaxError;
        return false;
    }

    // expr: primary, optionally followed by an operator and the expr to its right.
    std::unique_ptr<QueryNode> parse_expr(int depth)
    {
        std::unique_ptr<QueryNode> left = parse_primary(depth);
        if (left == nullptr)
            return nullptr;
        QueryNode::Kind kind;
        int taken = 2;   // the operand and the operator
        if (itsToken == Token::And) {
            kind = QueryNode::Kind::And;
            advance();
            if (itsToken == Token::Not) {
                kind = QueryNode::Kind::AndNot;
                ++taken;
                advance();
            }
        } else if (itsToken == Token::Or) {
            kind = QueryNode::Kind::Or;
            advance();
        } else {
            return left;
        }
        if (!push(depth + taken))
            return nullptr;
        std::unique_ptr<QueryNode> right = parse_expr(depth + taken);
        if (right == nullptr)
            return nullptr;
        auto node = std::make_unique<QueryNode>();
        node->kind = kind;
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    // primary: TERM | '(' expr ')'
    std::unique_ptr<QueryNode> parse_primary(int depth)
    {
        if (!push(depth))
            return nullptr;
        if (itsToken == Token::Term) {
            auto node = std::make_unique<QueryNode>();
            node->term = itsLexer.term();
            advance();
            return node;
        }
        if (itsToken != Token::Open) {
            fail();
            return nullptr;
        }
        advance();
        std::unique_ptr<QueryNode> inner = parse_expr(depth + 1);
        if (inner == nullptr)
            return nullptr;
        if (itsToken != Token::Close) {
            fail();
            return nullptr;
        }
        advance();
        return inner;
    }

    QueryLexer itsLexer;
    Token itsToken = Token::End;
    ParseStatus itsStatus = ParseStatus::Ok;
};

} // namespace

Token QueryLexer::next()
{
    for (;;) {
        if (itsPending != 0) {
            const int pending = itsPending;
            itsPending = 0;
            return static_cast<Token>(pending);
        }
        if (itsPosition >= itsText.size())
            return Token::End;
        const std::size_t cut = itsText.find_first_of(kDelimiters, itsPosition);
        const std::size_t piece_end = cut == std::string::npos ? itsText.size() : cut;
        itsPending = cut == std::string::npos ? '\n' : itsText[cut];
        std::size_t first = itsPosition;
        std::size_t last = piece_end;
        itsPosition = cut == std::string::npos ? itsText.size() : cut + 1;
        while (first < last && itsText[first] == ' ')
            ++first;
        while (last > first && itsText[last - 1] == ' ')
            --last;
        if (first < last) {
            itsTerm.assign(itsText, first, last - first);
            return Token::Term;
        }
    }
}

ParseStatus parse_query(const char* text, std::unique_ptr<QueryNode>* tree)
{
    tree->reset();
    Parser parser(text);
    return parser.parse(tree);
}

} // namespace query_internal
