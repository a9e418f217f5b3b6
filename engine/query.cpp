// query.cpp: evaluation of the query language: each term is searched through the routine
// table into a new list, and the operators merge the lists in place. The current list
// (what "%" copies) is module state for the length of one RunQuery: one query at a time,
// and none may be started from a progress callback.
#include "engine/query.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/progress.h"
#include "engine/query_internal.h"
#include "engine/report.h"
#include "engine/resultlist.h"
#include "engine/wordindex.h"

namespace {

using query_internal::ParseStatus;
using query_internal::QueryNode;

constexpr std::uint32_t kQueryBlockSize = 512;
constexpr std::uint32_t kProgressEvery = 128;   // merge steps between two progress reports
constexpr char kDefaultIndex[] = "va";

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

// Counts merge steps and reports every kProgressEvery of them; true once cancelled.
class MergeProgress {
public:
    MergeProgress(const char* format, const ResultList& left, const ResultList& right)
        : itsFormat(format), itsWork(std::uint64_t{left.total} + right.total)
    {
    }

    bool step(std::uint32_t consumed)
    {
        itsSteps += consumed;
        if (itsSteps % kProgressEvery != 0)
            return false;
        const std::uint64_t percent = itsWork == 0 ? 100 : itsSteps * 100 / itsWork;
        char message[64];
        std::snprintf(message, sizeof message, itsFormat, static_cast<long>(percent));
        return report_progress(message, -1) != 0;
    }

private:
    const char* itsFormat;
    std::uint64_t itsWork;
    std::uint64_t itsSteps = 0;
};

void decrease_total(ResultList* list)
{
    if (list->total > 0)
        --list->total;
}

// Removes every left value from the cursor on, loading what the chain still holds.
void remove_rest(ResultCursor* cursor, ResultList* list)
{
    while (!cursor->at_end()) {
        cursor->remove_current();
        decrease_total(list);
    }
}

// A word-offset list is complete in memory; sort it unless it is already in order (the
// key tables give theirs in key order).
void sort_word_offsets(ResultList* list)
{
    if (list->holds_postings() || list->next_block != 0)
        return;
    for (const IdNode* node = list->values.head(); node != nullptr && node->next != nullptr;
         node = node->next) {
        if (node->value >= node->next->value) {
            list->sort();
            return;
        }
    }
}

void expand_to_postings(ResultList* list)
{
    expand_words(list, kQueryBlockSize);
    list->set_word_offsets(0);
    query_internal::set_offsets_index(list, nullptr);
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

void match_kinds(ResultList* left, ResultList* right)
{
    sort_word_offsets(left);
    sort_word_offsets(right);
    const bool left_words = !left->holds_postings();
    const bool right_words = !right->holds_postings();
    if (left_words && right_words) {
        if (query_internal::offsets_from_different_indexes(*left, *right)) {
            expand_to_postings(left);
            expand_to_postings(right);
        }
        return;
    }
    if (left_words)
        expand_to_postings(left);
    if (right_words)
        expand_to_postings(right);
}

ResultList* and_lists(ResultList* left, ResultList* right)
{
    match_kinds(left, right);
    MergeProgress progress("AND processing %ld%% complete", *left, *right);
    ResultCursor l(left, kQueryBlockSize);
    ResultCursor r(right, kQueryBlockSize);
    l.start();
    r.start();
    while (!l.at_end() && !r.at_end()) {
        const std::uint32_t lv = l.value();
        const std::uint32_t rv = r.value();
        std::uint32_t consumed = 1;
        if (lv == kMarkerValue || lv < rv) {
            l.remove_current();
            decrease_total(left);
        } else if (rv < lv) {
            r.advance();
        } else {
            l.advance();
            r.advance();
            consumed = 2;
        }
        if (progress.step(consumed))
            break;
    }
    remove_rest(&l, left);
    return left;
}

ResultList* or_lists(ResultList* left, ResultList* right)
{
    match_kinds(left, right);
    MergeProgress progress("OR processing %ld%% complete", *left, *right);
    ResultCursor l(left, kQueryBlockSize);
    ResultCursor r(right, kQueryBlockSize);
    l.start();
    r.start();
    while (!l.at_end() && !r.at_end()) {
        const std::uint32_t lv = l.value();
        std::uint32_t consumed = 1;
        if (lv == kMarkerValue) {
            l.remove_current();
            decrease_total(left);
        } else {
            const std::uint32_t rv = r.value();
            if (rv == kMarkerValue) {
                r.advance();
            } else if (lv < rv) {
                l.advance();
            } else if (rv < lv) {
                l.insert_before(rv);
                ++left->total;
                r.advance();
            } else {
                l.advance();
                r.advance();
                consumed = 2;
            }
        }
        if (progress.step(consumed))
            return left;
    }
    for (; !r.at_end(); r.advance()) {
        if (r.value() == kMarkerValue)
            continue;
        left->append(r.value());
        ++left->total;
    }
    return left;
}

ResultList* and_not_lists(ResultList* left, ResultList* right)
{
    match_kinds(left, right);
    MergeProgress progress("AND NOT processing %ld%% complete", *left, *right);
    ResultCursor l(left, kQueryBlockSize);
    ResultCursor r(right, kQueryBlockSize);
    l.start();
    r.start();
    while (!l.at_end() && !r.at_end()) {
        const std::uint32_t lv = l.value();
        const std::uint32_t rv = r.value();
        if (lv < rv && lv != kMarkerValue) {
            l.advance();
        } else if (rv < lv) {
            r.advance();
        } else {
            // Equal, or the marker against a right value that is not smaller.
            l.remove_current();
            decrease_total(left);
        }
        if (progress.step(1)) {
            remove_rest(&l, left);
            return left;
        }
    }
    return left;
}
