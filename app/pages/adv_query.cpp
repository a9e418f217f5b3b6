// adv_query.cpp: checking, composing and highlighting advanced queries.
#include "app/pages/adv_query.h"

#include <algorithm>
#include <cctype>

#include "app/pages/basic_match.h"
#include "engine/query.h"

namespace {

using namespace querymask;

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

QueryCheck CheckQueryText(const std::string& text, const std::string& currentLabel)
{
    QueryCheck check;
    int mask = kAfterAndOr;
    int pending = 0;
    int depth = 0;
    std::string label = currentLabel;
    std::size_t cursor = 0;
    const auto fail = [&check, &depth](const std::string& error, bool beep) {
        check.error = error;
        check.beep = beep;
        check.depth = depth;
        return check;
    };
    while (cursor < text.size()) {
        const std::string rest = text.substr(cursor);
        std::size_t p = rest.find_first_of("=&|!()");
        if (p == std::string::npos)
            p = rest.size();
        if (p < rest.size() && rest[p] == '=') {
            if ((mask & kWord) == 0 || pending > 0)
                return fail("Error in search text with multiple adds", true);
            label = rest.substr(0, p);
            cursor += p + 1;
            ++pending;
            continue;
        }
        if (p == 0) {
            const char op = rest[0];
            const int bit = op == '!'   ? kNot
                            : op == '&' ? kAnd
                            : op == '|' ? kOr
                            : op == '(' ? kOpen
                                        : kClose;
            if ((mask & bit) == 0)
                return fail(std::string("Error in search text with ") + op, false);
            check.tokens.emplace_back(1, op);
            if (op == '!')
                mask = kStart;
            else if (op == '&' || op == '|')
                mask = kAfterAndOr;
            else if (op == '(') {
                if (++depth > kDeepestParentheses)
                    return fail(
                        "Unable to do Search: the parentheses are nested too deeply (at most " +
                            std::to_string(kDeepestParentheses) + ").",
                        true);
                mask = kStart;
            } else {
                depth = std::max(0, depth - 1);
                mask = AfterTerm(depth);
            }
            ++cursor;
            continue;
        }
        const std::string word = Trim(rest.substr(0, p));
        if (!word.empty()) {
            if ((mask & kWord) == 0)
                return fail("Error in search text with =", true);
            check.tokens.push_back(label + "=" + word);
            mask = AfterTerm(depth);
            pending = 0;
        }
        cursor += p;
    }
    check.mask = mask;
    check.depth = depth;
    if ((mask & kSearch) == 0)
        return fail("Unable to do Search", true);
    check.ok = true;
    return check;
}

int MaskAfterTokens(const std::vector<std::string>& tokens, int* depth)
{
    int open = 0;
    for (const std::string& token : tokens)
        open = token == "(" ? open + 1 : token == ")" ? std::max(0, open - 1) : open;
    *depth = open;
    if (tokens.empty())
        return kAfterAndOr;
    const std::string& last = tokens.back();
    if (last == "&" || last == "|")
        return kAfterAndOr;
    if (last == "!" || last == "(")
        return kStart;
    return AfterTerm(open);
}

std::string ComposeQuery(const std::vector<std::string>& tokens,
                         const std::vector<std::string>& labels,
                         const std::vector<std::string>& names)
{
    std::string query;
    for (std::string line : tokens) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            const std::string before = LowerCase(line.substr(0, equals));
            for (std::size_t i = 0; i < labels.size() && i < names.size(); ++i) {
                const std::size_t at = before.find(LowerCase(labels[i]));
                if (labels[i].empty() || at == std::string::npos)
                    continue;
                line.replace(at, labels[i].size(), names[i]);
                if (names[i] == "va")
                    line = LowerCase(line);
                break;
            }
        }
        query += line;
    }
    return query;
}

std::vector<std::string> CollectHighlightWords(const std::string& query)
{
    static const std::vector<std::string> kCodes = {"df", "vi", "aq", "sy", "sl", "us"};
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= query.size()) {
        const std::size_t end = std::min(query.find_first_of("&|!()", start), query.size());
        const std::string piece = query.substr(start, end - start);
        start = end + 1;
        if (Trim(piece).empty()) {
            if (end == query.size())
                break;
            continue;
        }
        const std::size_t equals = piece.find('=');
        if (equals == std::string::npos)
            break;
        const std::string code = Trim(piece.substr(0, equals));
        if (std::find(kCodes.begin(), kCodes.end(), code) != kCodes.end())
            words.push_back(LowerCase(Trim(piece.substr(equals + 1))));
        if (end == query.size())
            break;
    }
    return words;
}

std::vector<std::string> QueryTokens(const std::string& query,
                                     const std::vector<std::string>& labels,
                                     const std::vector<std::string>& names)
{
    const auto labelAt = [&labels](std::size_t position) {
        return position < labels.size() ? labels[position] : std::string();
    };
    std::vector<std::string> tokens;
    std::size_t cursor = 0;
    while (cursor < query.size()) {
        const std::size_t end = std::min(query.find_first_of("&|!()", cursor), query.size());
        if (end == cursor) {
            tokens.emplace_back(1, query[cursor]);
            ++cursor;
            continue;
        }
        // Every term moves the cursor on to the next operator, also one without "=" (such
        // as a basic page's word shown here): it stands under the first search type.
        const std::string term = query.substr(cursor, end - cursor);
        cursor = end;
        if (Trim(term).empty())
            continue;
        const std::size_t equals = term.find('=');
        if (equals == std::string::npos) {
            tokens.push_back(labelAt(0) + "=" + term);
            continue;
        }
        const std::string name = term.substr(0, equals);
        const auto found = std::find(names.begin(), names.end(), name);
        const std::size_t position =
            found == names.end() ? 0 : static_cast<std::size_t>(found - names.begin());
        tokens.push_back(labelAt(position) + "=" + term.substr(equals + 1));
    }
    return tokens;
}
