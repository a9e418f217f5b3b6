// wordnet.cpp: the readers of the WordNet database files. Data line layout:
//   offset lex_filenum ss_type w_cnt(2 hex) {word lex_id(1 hex)}... p_cnt(3 dec)
//   {symbol offset pos source_target(4 hex)}... [verb frames] | gloss
// Index line layout: lemma pos synset_cnt p_cnt {symbol}... sense_cnt tagsense_cnt
//   {offset}...   Exception line: inflected base...   Frequency line: sense_key n count.
#include "tools/demodict/wordnet.h"

#include <fstream>
#include <functional>
#include <sstream>

namespace demodict {
namespace {

bool parse_pos_letter(const std::string& text, PartOfSpeech* pos)
{
    if (text == "n")
        *pos = PartOfSpeech::Noun;
    else if (text == "v")
        *pos = PartOfSpeech::Verb;
    else if (text == "a" || text == "s")
        *pos = PartOfSpeech::Adjective;
    else if (text == "r")
        *pos = PartOfSpeech::Adverb;
    else
        return false;
    return true;
}

bool parse_number(const std::string& text, int base, unsigned long* value)
{
    if (text.empty())
        return false;
    std::size_t used = 0;
    try {
        *value = std::stoul(text, &used, base);
    } catch (...) {
        return false;
    }
    return used == text.size();
}

// An adjective's word may carry a syntactic marker: "(a)", "(p)" or "(ip)".
std::string strip_marker(const std::string& word)
{
    const std::size_t paren = word.find('(');
    if (paren != std::string::npos && paren > 0 && word.back() == ')')
        return word.substr(0, paren);
    return word;
}

std::string trim(const std::string& text, const char* blanks)
{
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool read_lines(const std::string& path, const std::function<void(const std::string&)>& take)
{
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ' ')
            continue;
        take(line);
    }
    return !in.bad();
}

} // namespace

const char* file_stem(PartOfSpeech pos)
{
    switch (pos) {
    case PartOfSpeech::Noun: return "noun";
    case PartOfSpeech::Verb: return "verb";
    case PartOfSpeech::Adjective: return "adj";
    case PartOfSpeech::Adverb: return "adv";
    }
    return "";
}

const char* display_name(PartOfSpeech pos)
{
    switch (pos) {
    case PartOfSpeech::Noun: return "noun";
    case PartOfSpeech::Verb: return "verb";
    case PartOfSpeech::Adjective: return "adjective";
    case PartOfSpeech::Adverb: return "adverb";
    }
    return "";
}

std::uint64_t synset_key(PartOfSpeech pos, std::uint32_t offset)
{
    return (static_cast<std::uint64_t>(pos) << 32) | offset;
}

const Synset* WordNet::find(PartOfSpeech pos, std::uint32_t offset) const
{
    const auto found = synsets.find(synset_key(pos, offset));
    return found == synsets.end() ? nullptr : &found->second;
}

void split_gloss(const std::string& gloss, std::string* definition,
                 std::vector<std::string>* examples)
{
    examples->clear();
    const std::size_t first_quote = gloss.find('"');
    *definition = trim(gloss.substr(0, first_quote), " ;");
    std::size_t at = first_quote;
    while (at != std::string::npos) {
        const std::size_t close = gloss.find('"', at + 1);
        if (close == std::string::npos)
            break;
        const std::string example = trim(gloss.substr(at + 1, close - at - 1), " ");
        if (!example.empty())
            examples->push_back(example);
        at = gloss.find('"', close + 1);
    }
}

bool parse_data_line(const std::string& line, std::uint32_t* offset, Synset* synset)
{
    const std::size_t bar = line.find(" | ");
    std::istringstream fields(line.substr(0, bar));
    std::string text;
    unsigned long value = 0;
    *synset = Synset{};
    if (!(fields >> text) || !parse_number(text, 10, &value))
        return false;
    *offset = static_cast<std::uint32_t>(value);
    std::string lex_file;
    std::string type;
    if (!(fields >> lex_file >> type >> text) || !parse_number(text, 16, &value))
        return false;
    const unsigned long word_count = value;
    for (unsigned long i = 0; i < word_count; ++i) {
        std::string word;
        std::string lex_id;
        if (!(fields >> word >> lex_id))
            return false;
        synset->words.push_back(strip_marker(word));
    }
    if (!(fields >> text) || !parse_number(text, 10, &value))
        return false;
    const unsigned long pointer_count = value;
    for (unsigned long i = 0; i < pointer_count; ++i) {
        SynsetPointer pointer;
        std::string target;
        std::string pos;
        std::string words;
        unsigned long target_offset = 0;
        unsigned long word_numbers = 0;
        if (!(fields >> pointer.symbol >> target >> pos >> words) ||
            !parse_number(target, 10, &target_offset) ||
            !parse_pos_letter(pos, &pointer.target_pos) || words.size() != 4 ||
            !parse_number(words, 16, &word_numbers))
            return false;
        pointer.target_offset = static_cast<std::uint32_t>(target_offset);
        pointer.source_word = static_cast<int>(word_numbers >> 8);
        pointer.target_word = static_cast<int>(word_numbers & 0xFF);
        synset->pointers.push_back(pointer);
    }
    if (bar != std::string::npos)
        split_gloss(trim(line.substr(bar + 3), " "), &synset->definition, &synset->examples);
    return true;
}

bool read_wordnet(const std::string& directory, WordNet* wordnet, std::string* error)
{
    const std::string dir = directory.empty() || directory.back() == '/' ? directory
                                                                         : directory + "/";
    for (const PartOfSpeech pos : kPartsOfSpeech) {
        const std::string data_path = dir + "data." + file_stem(pos);
        const bool data_read = read_lines(data_path, [&](const std::string& line) {
            std::uint32_t offset = 0;
            Synset synset;
            if (parse_data_line(line, &offset, &synset))
                wordnet->synsets.emplace(synset_key(pos, offset), std::move(synset));
        });
        if (!data_read) {
            *error = "cannot read " + data_path;
            return false;
        }
        const std::string index_path = dir + "index." + file_stem(pos);
        const bool index_read = read_lines(index_path, [&](const std::string& line) {
            std::istringstream fields(line);
            IndexLemma lemma{{}, pos, {}};
            std::string text;
            unsigned long synset_count = 0;
            unsigned long pointer_count = 0;
            if (!(fields >> lemma.lemma >> text >> text) ||
                !parse_number(text, 10, &synset_count) || !(fields >> text) ||
                !parse_number(text, 10, &pointer_count))
                return;
            for (unsigned long i = 0; i < pointer_count + 2; ++i)
                fields >> text;  // the pointer symbols, sense_cnt and tagsense_cnt
            unsigned long offset = 0;
            while (lemma.offsets.size() < synset_count && fields >> text &&
                   parse_number(text, 10, &offset))
                lemma.offsets.push_back(static_cast<std::uint32_t>(offset));
            if (!lemma.offsets.empty())
                wordnet->lemmas.push_back(std::move(lemma));
        });
        if (!index_read) {
            *error = "cannot read " + index_path;
            return false;
        }
        auto& exceptions = wordnet->exceptions[pos];
        read_lines(dir + file_stem(pos) + ".exc", [&](const std::string& line) {
            std::istringstream fields(line);
            std::string inflected;
            std::string base;
            fields >> inflected;
            while (fields >> base)
                exceptions[base].push_back(inflected);
        });
    }
    read_lines(dir + "cntlist.rev", [&](const std::string& line) {
        std::istringstream fields(line);
        std::string sense_key;
        std::string number;
        long count = 0;
        if (!(fields >> sense_key >> number >> count))
            return;
        wordnet->frequency[sense_key.substr(0, sense_key.find('%'))] += count;
    });
    return true;
}

} // namespace demodict
