// routines.cpp: the routine table, which says how each index code is searched, and
// search_word. Kept apart from the word blocks because it names the searches of every
// kind (exact, pattern, key table, friends) and the word key routines.
#include "engine/wordindex.h"

#include <cstring>
#include <string>

#include "engine/keytable.h"
#include "engine/report.h"
#include "engine/scan.h"

namespace {

// clang-format off
//  code   base   search routine     key routine        normalise       flag
const RoutineRow kRoutines[] = {
    {"hw", "",   nullptr,           nullptr,           nullptr,        0},
    {"va", "hw", search_word,       nullptr,           nullptr,        0},
    {"fl", "hw", search_word,       nullptr,           nullptr,        0},
    {"sl", "hw", search_word,       nullptr,           nullptr,        0},
    {"dt", "hw", search_word,       nullptr,           nullptr,        0},
    {"et", "hw", search_word,       nullptr,           nullptr,        0},
    {"df", "hw", search_word,       nullptr,           headword_form,  1},
    {"vi", "hw", search_word,       nullptr,           headword_form,  1},
    {"aq", "hw", find_word,         nullptr,           nullptr,        1},
    {"sy", "hw", search_word,       nullptr,           headword_form,  1},
    {"us", "hw", search_word,       nullptr,           headword_form,  1},
    {"vx", "va", nullptr,           nullptr,           nullptr,        0},
    {"tr", "va", key_table_search,  anagram_key,       nullptr,        0},
    {"is", "va", key_table_search,  pattern_key,       nullptr,        0},
    {"lb", "va", key_table_search,  letter_bank_key,   nullptr,        0},
    {"sc", "va", key_table_search,  sound_key,         nullptr,        0},
    {"pr", "pv", friends_search,    pron_key,          nullptr,        0},
    {"rh", "pv", friends_search,    rhyme_key,         nullptr,        0},
    {"pt", "pv", friends_search,    pron_anagram_key,  nullptr,        0},
};
// clang-format on

} // namespace

const RoutineRow* lookup_routine(const char* index_code)
{
    if (index_code == nullptr)
        return nullptr;
    for (const RoutineRow& row : kRoutines) {
        if (std::strcmp(row.code, index_code) == 0)
            return &row;
    }
    return nullptr;
}

const RoutineRow* find_routine(const char* index_code)
{
    const RoutineRow* row = lookup_routine(index_code);
    if (row == nullptr)
        engine_fatal(std::string("unable to find routine table entry for: ") +
                     (index_code != nullptr ? index_code : ""));
    return row;
}

std::int16_t search_word(ResultList* list, const char* word, const char* index_code,
                         std::uint32_t block_size)
{
    if (std::strpbrk(word, kPatternChars) != nullptr)
        return regex_scan(list, word, index_code, block_size);
    return find_word(list, word, index_code, block_size);
}
