// basic_match.cpp: type-ahead matching and word lists of the basic search page.
#include "app/pages/basic_match.h"

#include <cctype>

namespace {

constexpr std::size_t kBestLineScan = 200;

// Apostrophes do not count: "oclock" typed finds the line "o'clock", as "o'clock" does.
bool Counts(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) != 0 || c == '-' || c == ' ';
}

} // namespace

bool HasPatternCharacter(const std::string& text)
{
    return text.find_first_of(kPatternCharacters) != std::string::npos;
}

std::string LowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

int MatchTyped(const std::string& line, const std::string& typed, bool* equal)
{
    *equal = false;
    if (HasPatternCharacter(typed))
        return 0;
    std::size_t l = 0, t = 0;
    int matched = 0;
    for (;;) {
        while (l < line.size() && !Counts(line[l]))
            ++l;
        while (t < typed.size() && !Counts(typed[t]))
            ++t;
        if (l == line.size() || t == typed.size())
            break;
        const auto typedChar = static_cast<unsigned char>(typed[t]);
        const auto lineChar = static_cast<unsigned char>(line[l]);
        const bool same = std::isupper(typedChar) != 0
                              ? lineChar == typedChar
                              : std::tolower(lineChar) == typedChar;
        if (!same)
            break;
        ++matched;
        ++l;
        ++t;
    }
    *equal = l == line.size() && t == typed.size();
    return matched;
}

int BestLine(const std::vector<std::string>& lines, const std::string& typed)
{
    int exact = -1, near = -1, partial = -1, longest = 0;
    const auto typedLength = static_cast<int>(typed.size());
    for (std::size_t i = 0; i < lines.size() && i < kBestLineScan; ++i) {
        bool equal = false;
        const int matched = MatchTyped(lines[i], typed, &equal);
        const int index = static_cast<int>(i);
        if (equal || (matched == typedLength && typedLength > 0)) {
            if (exact < 0 || equal)
                exact = index;
            continue;
        }
        if (matched == typedLength - 1 && matched == static_cast<int>(lines[i].size()))
            near = index;
        if (matched > longest) {
            longest = matched;
            partial = index;
        }
    }
    if (exact >= 0)
        return exact;
    return near >= 0 ? near : partial;
}

std::vector<std::string> SplitWordList(const std::string& text)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        if (end > start)
            pieces.push_back(text.substr(start, end - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return pieces;
}
