// dictwriter.h: the source model of a dictionary (entries as field streams, head words,
// index terms) and write_dictionary, which writes the ".cmp"/".ndx" pair exactly as the
// engine reads it. Used by the command-line writer, the tests and the benchmarks.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace dictwriter {

// One word of one index that points at an entry.
struct IndexTerm {
    std::string index_code;   // "va", "df", "vi", ... (a word-block search index)
    std::string word;         // stored as given, at most 79 bytes
};

struct SourceEntry {
    std::string head_word;            // the word of its "hw" entry, at most 79 bytes
    std::string fields;               // the field stream: code byte, packed length, text
    std::vector<IndexTerm> terms;     // the words that find the entry
    std::vector<std::string> pronunciations;  // of the head word's "va" word (friends)
};

struct DictionarySource {
    std::string header;                   // preset text of the data file, < 16,384 bytes
    std::vector<SourceEntry> entries;     // any order; written sorted by head word
    std::vector<IndexTerm> markers;       // words whose posting list also holds 127
    std::vector<std::string> key_tables;  // which of "tr", "is", "lb", "sc" to build
    std::vector<std::string> friends;     // which of "pr", "rh", "pt" to build
    std::size_t block_text_bytes = 8192;  // expanded text per compressed data block
    int level = 9;                        // zlib level of the data file
};

// Loose order of the engine: letters and digits only, case-blind (loose_compare).
int loose_compare(const std::string& a, const std::string& b);

// What write_dictionary wrote, for tests and benchmarks.
struct WrittenDictionary {
    std::vector<std::uint32_t> hw_offsets;  // index offset of each entry's "hw" entry, in
                                            // the order of source.entries
    std::uint32_t index_bytes = 0;
    std::uint32_t data_bytes = 0;
};

// Writes base_path + ".cmp" and base_path + ".ndx". Returns false with a message in
// *error when the source cannot be written (a word too long, a header too large, more
// than 20 indexes, a "va" index reaching past the 16 MiB that the three-byte offsets of
// key tables and friends matrices hold, an unwritable path). The indexes are written
// "hw", "va", then the other search indexes, then the tables.
bool write_dictionary(const DictionarySource& source, const std::string& base_path,
                      WrittenDictionary* written, std::string* error);

} // namespace dictwriter
