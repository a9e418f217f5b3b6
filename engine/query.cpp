// query.cpp: evaluation of the query language: each term is searched through the routine
// table into a new list, and the operators merge the lists in place. The current list
// (what "%" copies) is module state for the length of one RunQuery: one query at a time,
// and none may be started from a progress callback.
#include "engine/query.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/query_internal.h"
#include "engine/report.h"
#include "engine/resultlist.h"
#include "engine/wordindex.h"

namespace {

using query_internal::ParseStatus;
using query_internal::QueryNode;

constexpr std::uint32_t kQueryBlockSize = 512;
constexpr char kDefaultIndex[] = "va";
constexpr std::size_t kLongestPattern = 255;

struct QueryState {
    const ResultList* current = nullptr;   // the caller's list, for the term "%"
};
QueryState g_query;

std::string strip_blanks(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::unique_ptr<ResultList> evaluate(const QueryNode& node)
{
    if (node.kind == QueryNode::Kind::Term)
        return std::unique_ptr<ResultList>(eval_term(node.term.c_str()));
    std::unique_ptr<ResultList> left = evaluate(*node.left);
    const std::unique_ptr<ResultList> right = evaluate(*node.right);
    switch (node.kind) {
    case QueryNode::Kind::And:
        and_lists(left.get(), right.get());
        break;
    case QueryNode::Kind::Or:
        or_lists(left.get(), right.get());
        break;
    case QueryNode::Kind::AndNot:
        and_not_lists(left.get(), right.get());
        break;
    case QueryNode::Kind::Term:
        break;
    }
    return left;
}

} // namespace

void RunQuery(ResultList** list, const char* query_text)
{
    std::unique_ptr<QueryNode> tree;
    const ParseStatus status = query_internal::parse_query(query_text, &tree);
    if (status == ParseStatus::Overflow)
        return;
    if (status == ParseStatus::SyntaxError) {
        *list = nullptr;
        return;
    }
    g_query.current = *list;
    std::unique_ptr<ResultList> result = evaluate(*tree);
    g_query.current = nullptr;
    *list = result.release();   // the caller owns the result
}

QueryFault FindQueryFault(const char* query_text)
{
    std::unique_ptr<QueryNode> tree;
    switch (query_internal::parse_query(query_text, &tree)) {
    case ParseStatus::Ok:
        return QueryFault::kNone;
    case ParseStatus::Overflow:
        return QueryFault::kTooDeep;
    case ParseStatus::SyntaxError:
        break;
    }
    return QueryFault::kNotAQuery;
}

ResultList* eval_term(const char* term_text)
{
    auto list = std::make_unique<ResultList>();
    const std::string term = term_text != nullptr ? term_text : "";
    const std::size_t equals = term.find('=');
    const std::string code = equals == std::string::npos ? std::string(kDefaultIndex)
                                                         : strip_blanks(term.substr(0, equals));
    const std::string word = strip_blanks(equals == std::string::npos ? term
                                                                      : term.substr(equals + 1));
    if (word == "%") {
        if (g_query.current != nullptr)
            list->copy_from(*g_query.current);
        return list.release();
    }
    // Index words hold at most 79 bytes: a longer word is no word of any index, and no look-up,
    // key or scan is run for it, so that a page of text typed or pasted costs what a word
    // does. A pattern may be longer than the words it matches, up to kLongestPattern.
    const bool pattern = word.find_first_of(kPatternChars) != std::string::npos;
    if (word.size() > (pattern ? kLongestPattern : kWordBufferSize - 1))
        return list.release();
    const RoutineRow* const row = lookup_routine(code.c_str());
    if (row == nullptr) {
        engine_warning("unable to find routine table entry for: " + code);
        return list.release();
    }
    // The term's own buffer, long enough for any head word the normalise routine may
    // put in place of a shorter typed word.
    std::vector<char> buffer(std::max(word.size() + 1, kWordBufferSize), '\0');
    std::copy(word.begin(), word.end(), buffer.begin());
    if (row->normalise != nullptr)
        row->normalise(buffer.data(), buffer.size());
    if (row->search != nullptr)
        row->search(list.get(), buffer.data(), row->code, kQueryBlockSize);
    return list.release();   // the caller owns the new list
}
