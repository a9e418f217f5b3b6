// adv_query.cpp: checking, composing and highlighting advanced queries.
#include "app/pages/adv_query.h"

#include <algorithm>
#include <cctype>

#include "app/pages/basic_match.h"

namespace {

constexpr int kWord = 0x01, kAnd = 0x02, kOr = 0x04, kNot = 0x08, kOpen = 0x10, kClose = 0x20,
              kSearch = 0x40;

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

int AfterTerm(int depth) { return depth == 0 ? (kSearch | kAnd | kOr) : (kClose | kAnd | kOr); }

} // namespace

QueryCheck CheckQueryText(const std::string& text, const std::string& currentLabel)
{
    QueryCheck check;
    int mask = kWord | kNot | kOpen;
    int pending = 0;
    int depth = 0;
    std::string label = currentLabel;
    std::size_t cursor = 0;
    while (cursor < text.size()) {
        const std::string rest = text.substr(cursor);
        std::size_t p = rest.find_first_of("=&|!()");
        if (p == std::string::npos)
            p = rest.size();
        if (p < rest.size() && rest[p] == '=') {
            if ((mask & kWord) == 0 || pending > 0) {
                check.error = "Error in search text with multiple adds";
                return check;
            }
            label = rest.substr(0, p);
            cursor += p + 1;
            ++pending;
            continue;
        }
        if (p == 0) {
            const char op = rest[0];
            const int bit = op == '!' ? kNot : op == '&' ? kAnd : op == '|' ? kOr : op == '(' ? kOpen : kClose;
            if ((mask & bit) == 0) {
                check.error = std::string("Error in search text with ") + op;
                return check;
            }
            check.tokens.emplace_back(1, op);
            if (op == '!')
                mask = kWord | kOpen;
            else if (op == '&' || op == '|')
                mask = kWord | kNot | kOpen;
            else if (op == '(') {
                ++depth;
                mask = kWord | kOpen;
            } else {
                depth = std::max(0, depth - 1);
                mask = AfterTerm(depth);
            }
            ++cursor;
            continue;
        }
        const std::string word = Trim(rest.substr(0, p));
        if (!word.empty()) {
            if ((mask & kWord) == 0) {
                check.error = "Error in search text with =";
                return check;
            }
            check.tokens.push_back(label + "=" + word);
            mask = AfterTerm(depth);
            pending = 0;
        }
        cursor += p;
    }
    check.mask = mask;
    if ((mask & kSearch) == 0) {
        check.error = "Unable to do Search";
        return check;
    }
    check.ok = true;
    return check;
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
