// demo_entries.h: the entries of the demo dictionary, one per WordNet lemma and part of
// speech, as field streams the entry display formats, with every index term that finds
// them. Knows the field codes the formatter renders and which of them suit each piece of
// WordNet: the main-entry word (0xA3, 0xF2 when a spoken word exists), pronunciation
// (0xAD), part of speech (0x9F), inflections (0xA5 label, 0xA4 form), usage labels
// (0xAA), per sense the number (0x94), domain labels (0xDD), definition (0xEC),
// examples (0x8A), synonyms (0xBE), similar words (0xAF) and antonyms (0xE6), then the
// derived forms (0xE4), "see also" (0xD7) and an illustration (0xEE, 0x81) or a table
// (0x81 "table/KEY;caption").
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/demodict/wordnet.h"
#include "tools/dictwriter/dictwriter.h"

namespace demodict {

struct DemoEntry {
    std::string lemma;       // as the entry shows it: blanks, the case of the data file
    PartOfSpeech pos;
    const IndexLemma* index;  // its synsets
    std::string head_word;   // the lemma, with "[n]" when it has several parts of speech
};

// The entries in the order of the index files; the first entry of a lemma comes first.
std::vector<DemoEntry> list_entries(const WordNet& wordnet);

// What else the entries show besides WordNet's own text.
struct EntryExtras {
    std::unordered_map<std::string, std::string> ipa;  // by lemma as shown: UTF-8 IPA
    std::set<std::string> spoken;                      // lemmas with a sound record
    std::map<std::string, std::string> figures;        // lower-case lemma -> art key
    std::map<std::string, std::pair<std::string, std::string>> tables;  // -> key, caption
};

struct MainReport {
    std::size_t entries = 0;
    std::size_t senses_left_out = 0;   // senses of entries that would pass the entry buffer
    std::size_t longest_entry = 0;     // bytes of the longest field stream
    std::string longest_head_word;
};

// Longest field stream the writer lets an entry have: the entry buffer less a margin.
inline constexpr std::size_t kMaxEntryBytes = 65000;

// The source of the main data set: entries, their terms in "va", "df", "vi", "sy" and
// "us", the head words' pronunciations, the key tables and friends matrices.
dictwriter::DictionarySource build_main_source(const WordNet& wordnet,
                                               const std::vector<DemoEntry>& entries,
                                               const EntryExtras& extras, MainReport* report);

// The words of a text as the definition and example indexes file them: letters and
// digits, with inner apostrophes and hyphens, lower-cased.
std::vector<std::string> text_words(const std::string& text);

} // namespace demodict
