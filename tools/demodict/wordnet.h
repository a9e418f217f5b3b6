// wordnet.h: reads the WordNet 3.0 database as Debian installs it (/usr/share/wordnet):
// the data files (one synset a line: words, pointers, gloss), the index files (each
// lemma's synsets in sense order), the exception lists of irregular forms and the sense
// frequency list. Lines that begin with a blank (the licence text) are skipped.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace demodict {

// The four parts of speech, each with its own data and index file.
enum class PartOfSpeech { Noun, Verb, Adjective, Adverb };
inline constexpr PartOfSpeech kPartsOfSpeech[] = {PartOfSpeech::Noun, PartOfSpeech::Verb,
                                                  PartOfSpeech::Adjective, PartOfSpeech::Adverb};

// "noun", "verb", "adj", "adv": the stem of the part's file names.
const char* file_stem(PartOfSpeech pos);
// "noun", "verb", "adjective", "adverb": the part's name as an entry shows it.
const char* display_name(PartOfSpeech pos);

// A pointer from one synset (or one word of it) to another.
struct SynsetPointer {
    std::string symbol;            // "!", "@", "+", ";c", ...
    PartOfSpeech target_pos;       // the file the target lies in ("s" is an adjective)
    std::uint32_t target_offset;   // byte offset of the target's line in that file
    int source_word;               // 1-based word of this synset; 0: the whole synset
    int target_word;               // 1-based word of the target; 0: the whole synset
};

struct Synset {
    std::vector<std::string> words;  // as stored: '_' for blanks, adjective markers removed
    std::vector<SynsetPointer> pointers;
    std::string definition;          // the gloss before its first example
    std::vector<std::string> examples;  // the quoted examples of the gloss, quotes removed
};

// One lemma of an index file with its synsets, most frequent sense first.
struct IndexLemma {
    std::string lemma;  // lower case, '_' for blanks
    PartOfSpeech pos;
    std::vector<std::uint32_t> offsets;
};

struct WordNet {
    std::unordered_map<std::uint64_t, Synset> synsets;  // by synset_key
    std::vector<IndexLemma> lemmas;  // nouns, verbs, adjectives, adverbs, each in file order
    // Irregular forms by part of speech and base form, in file order.
    std::map<PartOfSpeech, std::map<std::string, std::vector<std::string>>> exceptions;
    std::unordered_map<std::string, long> frequency;  // lemma -> tagged occurrences

    const Synset* find(PartOfSpeech pos, std::uint32_t offset) const;
};

std::uint64_t synset_key(PartOfSpeech pos, std::uint32_t offset);

// Splits a gloss into its definition and its quoted examples.
void split_gloss(const std::string& gloss, std::string* definition,
                 std::vector<std::string>* examples);

// Parses one line of a data file into *synset and its offset. False for a line that is
// not a synset (licence text, a malformed line).
bool parse_data_line(const std::string& line, std::uint32_t* offset, Synset* synset);

// Reads every file of the database under directory (data.*, index.*, *.exc,
// cntlist.rev). The exception lists and the frequency list may be missing; a missing
// data or index file is an error.
bool read_wordnet(const std::string& directory, WordNet* wordnet, std::string* error);

} // namespace demodict
