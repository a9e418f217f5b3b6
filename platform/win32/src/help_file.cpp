// help_file.cpp: parser and keyword search of the help viewer's text format (help_file.h).
#include "help_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

namespace win32::help {
namespace {

std::string lower(std::string text) {
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool starts_with_word(const std::string &line, const char *word) {
    const std::string w = word;
    return line.compare(0, w.size(), w) == 0 &&
           (line.size() == w.size() || line[w.size()] == ' ' || line[w.size()] == '\t');
}

class LineParser {
public:
    LineParser(const std::string &line, std::size_t pos) : line_(line), pos_(pos) {}

    void skip_space() {
        while (pos_ < line_.size() && (line_[pos_] == ' ' || line_[pos_] == '\t'))
            ++pos_;
    }
    bool at_end() {
        skip_space();
        return pos_ >= line_.size();
    }
    bool number(std::int32_t *out) {
        skip_space();
        const std::size_t start = pos_;
        while (pos_ < line_.size() && std::isdigit(static_cast<unsigned char>(line_[pos_])) != 0)
            ++pos_;
        if (pos_ == start || pos_ - start > 10)
            return false;
        const long long v = std::strtoll(line_.substr(start, pos_ - start).c_str(), nullptr, 10);
        if (v < 1 || v > std::numeric_limits<std::int32_t>::max())
            return false;
        *out = static_cast<std::int32_t>(v);
        return true;
    }
    bool quoted(std::string *out) {
        skip_space();
        if (pos_ >= line_.size() || line_[pos_] != '"')
            return false;
        ++pos_;
        out->clear();
        while (pos_ < line_.size() && line_[pos_] != '"') {
            if (line_[pos_] == '\\' && pos_ + 1 < line_.size())
                ++pos_;
            *out += line_[pos_++];
        }
        if (pos_ >= line_.size())
            return false;
        ++pos_;
        return true;
    }

private:
    const std::string &line_;
    std::size_t pos_;
};

// Splits a paragraph's text into plain runs and links; false for a malformed link.
bool split_runs(const std::string &text, std::vector<Run> *runs) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find("[[", pos);
        if (open == std::string::npos) {
            runs->push_back(Run{text.substr(pos), 0});
            break;
        }
        if (open > pos)
            runs->push_back(Run{text.substr(pos, open - pos), 0});
        const std::size_t bar = text.find('|', open);
        const std::size_t close = text.find("]]", open);
        if (bar == std::string::npos || close == std::string::npos || bar > close)
            return false;
        const std::string number = text.substr(open + 2, bar - open - 2);
        if (number.empty() || number.size() > 10 ||
            !std::all_of(number.begin(), number.end(),
                         [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }))
            return false;
        const long long v = std::strtoll(number.c_str(), nullptr, 10);
        if (v < 1 || v > std::numeric_limits<std::int32_t>::max() || close == bar + 1)
            return false;
        runs->push_back(Run{text.substr(bar + 1, close - bar - 1), static_cast<std::int32_t>(v)});
        pos = close + 2;
    }
    return true;
}

} // namespace

const Topic *HelpFile::find(std::int32_t number) const {
    for (const Topic &t : topics)
        if (t.number == number)
            return &t;
    return nullptr;
}

const Topic *HelpFile::contents_topic() const {
    if (contents != 0)
        return find(contents);
    return topics.empty() ? nullptr : &topics.front();
}

bool parse_help_file(const std::string &text, HelpFile *file, std::string *error) {
    HelpFile out;
    std::string paragraph;
    int paragraph_line = 0;
    int contents_line = 0;
    int line_no = 0;
    auto fail = [&](int at, const std::string &what) {
        *error = "line " + std::to_string(at) + ": " + what;
        return false;
    };
    auto end_paragraph = [&]() {
        if (paragraph.empty())
            return true;
        std::vector<Run> runs;
        if (!split_runs(paragraph, &runs))
            return false;
        out.topics.back().paragraphs.push_back(std::move(runs));
        paragraph.clear();
        return true;
    };
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++line_no;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '#')
            continue;
        const bool blank = line.find_first_not_of(" \t") == std::string::npos;
        if (starts_with_word(line, "topic")) {
            if (!out.topics.empty() && !end_paragraph())
                return fail(paragraph_line, "a link needs [[number|text]]");
            LineParser p(line, 5);
            Topic topic;
            if (!p.number(&topic.number))
                return fail(line_no, "a topic needs a number from 1 to 2147483647");
            if (!p.quoted(&topic.title) || !p.at_end())
                return fail(line_no, "a topic needs its title in quotes");
            if (out.find(topic.number) != nullptr)
                return fail(line_no, "topic " + std::to_string(topic.number) + " is defined twice");
            out.topics.push_back(std::move(topic));
        } else if (starts_with_word(line, "keywords")) {
            if (out.topics.empty())
                return fail(line_no, "keywords before the first topic");
            LineParser p(line, 8);
            while (!p.at_end()) {
                std::string key;
                if (!p.quoted(&key))
                    return fail(line_no, "keywords are quoted texts");
                out.topics.back().keywords.push_back(std::move(key));
            }
        } else if (starts_with_word(line, "contents")) {
            LineParser p(line, 8);
            if (!p.number(&out.contents) || !p.at_end())
                return fail(line_no, "contents needs a topic number");
            contents_line = line_no;
        } else if (blank) {
            if (!out.topics.empty() && !end_paragraph())
                return fail(paragraph_line, "a link needs [[number|text]]");
        } else {
            if (out.topics.empty())
                return fail(line_no, "text before the first topic");
            if (line[0] == '\\')
                line.erase(0, 1);
            if (paragraph.empty())
                paragraph_line = line_no;
            else
                paragraph += ' ';
            paragraph += line;
        }
        if (end == text.size())
            break;
    }
    if (!out.topics.empty() && !end_paragraph())
        return fail(paragraph_line, "a link needs [[number|text]]");
    if (out.contents != 0 && out.find(out.contents) == nullptr)
        return fail(contents_line, "contents names no topic of the file");
    *file = std::move(out);
    return true;
}

std::vector<std::pair<std::string, std::int32_t>> search(const HelpFile &file,
                                                         const std::string &key) {
    const std::string wanted = lower(key);
    std::vector<std::pair<std::string, std::int32_t>> out;
    for (const Topic &t : file.topics)
        for (const std::string &k : t.keywords)
            if (lower(k).compare(0, wanted.size(), wanted) == 0)
                out.emplace_back(k, t.number);
    std::stable_sort(out.begin(), out.end(), [](const auto &a, const auto &b) {
        return lower(a.first) < lower(b.first);
    });
    return out;
}

} // namespace win32::help
