// help_file.h: the help file that the help viewer reads: a text file of numbered topics, each
// with a title, keywords for the search and paragraphs that may link to other topics. Texts
// are in Windows-1252, the program's character set. Depends on the standard library only.
//
// The format, one statement per line; a line whose first character is '#' is a comment:
//
//   contents 32006                       # the topic that HELP_CONTENTS shows (default: the
//                                        #   first topic of the file)
//   topic 32006 "Contents and Index"     # a topic: its number (1 to 2147483647) and title
//   keywords "contents" "index"          # search keys of the topic (any number of lines)
//   Welcome to the dictionary. See       # text: lines join with a space into a paragraph;
//   [[1090|the history list]] for the     #   a blank line ends the paragraph
//   words you looked up.                 # [[N|text]] links to topic N
//
//   A second paragraph.
//   \topic is not a statement here       # a leading backslash makes a line plain text
//
// Titles and keywords are quoted with '"'; inside them \" is a quote and \\ a backslash.
// Faults (text before the first topic, a topic number used twice, a link without its
// closing "]]", a contents line naming no topic, ...) name their line.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace win32::help {

// A piece of a paragraph: plain text, or the text of a link to a topic (link > 0).
struct Run {
    std::string text;
    std::int32_t link = 0;

    bool operator==(const Run &) const = default;
};

struct Topic {
    std::int32_t number = 0;
    std::string title;
    std::vector<std::string> keywords;
    std::vector<std::vector<Run>> paragraphs;
};

struct HelpFile {
    std::vector<Topic> topics; // in file order
    std::int32_t contents = 0; // 0: the first topic

    // The topic with that number, null when there is none.
    const Topic *find(std::int32_t number) const;
    // The contents topic, null for a file without topics.
    const Topic *contents_topic() const;
};

// Parses the text; on a fault answers false and sets error to "line N: what".
bool parse_help_file(const std::string &text, HelpFile *file, std::string *error);

// The keyword search: every (keyword, topic number) whose keyword starts with key, ignoring
// case; sorted by keyword, then by topic order in the file. An empty key lists every keyword.
std::vector<std::pair<std::string, std::int32_t>> search(const HelpFile &file,
                                                         const std::string &key);

} // namespace win32::help
