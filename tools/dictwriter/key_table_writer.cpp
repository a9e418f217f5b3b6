// key_table_writer.cpp: the key tables and friends matrices of an index file. Keys are
// computed with the engine's key routines and ordered with its loose comparison, so a
// table written here is found by the engine's binary search.
#include "tools/dictwriter/key_table_writer.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "engine/datafiles.h"
#include "engine/wordindex.h"
#include "engine/wordkeys.h"

namespace dictwriter {
namespace {

constexpr std::size_t kKeyTableRecord = 3;
constexpr std::size_t kFriendsRecord = 6;

WordRoutine key_routine_of(const std::string& code)
{
    if (code == "tr")
        return anagram_key;
    if (code == "is")
        return pattern_key;
    if (code == "lb")
        return letter_bank_key;
    if (code == "sc")
        return sound_key;
    if (code == "pr")
        return pron_key;
    if (code == "rh")
        return rhyme_key;
    if (code == "pt")
        return pron_anagram_key;
    return nullptr;
}

// The routine's key of text: computed in a buffer of the text's own size, as the key
// routines never lengthen a word.
std::string key_of(WordRoutine routine, const std::string& text)
{
    std::string buffer = text;
    routine(buffer.data(), buffer.size() + 1);
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return buffer;
}

// The refusal of a value that the table's three-byte fields cannot hold.
std::string too_large(const std::string& code, const std::string& what)
{
    return "dictionary too large for " + code + ": " + what +
           " passes the 16 MiB (16777216) that three-byte offsets hold";
}

void append_three(std::vector<std::uint8_t>* out, std::uint32_t value)
{
    std::uint8_t bytes[3];
    store_in_three(bytes, value);
    out->insert(out->end(), bytes, bytes + 3);
}

} // namespace

bool is_key_table_code(const std::string& code)
{
    return code == "tr" || code == "is" || code == "lb" || code == "sc";
}

bool is_friends_code(const std::string& code)
{
    return code == "pr" || code == "rh" || code == "pt";
}

bool build_key_table(const std::string& code, const std::vector<KeyTableWord>& words,
                     std::vector<std::uint8_t>* table, std::string* error)
{
    table->clear();
    if (!is_key_table_code(code)) {
        *error = "not a key table: " + code;
        return false;
    }
    const WordRoutine routine = key_routine_of(code);

    std::vector<std::pair<std::string, std::uint32_t>> keyed;
    keyed.reserve(words.size());
    for (const KeyTableWord& w : words) {
        if (w.va_offset >= kThreeByteLimit) {
            *error = too_large(code, "the va entry of " + w.word + " at index offset " +
                                         std::to_string(w.va_offset));
            return false;
        }
        std::string key = key_of(routine, w.word);
        if (!key.empty())
            keyed.emplace_back(std::move(key), w.va_offset);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const int c = ::loose_compare(a.first.c_str(), b.first.c_str());
        return c != 0 ? c < 0 : a.second < b.second;
    });

    table->reserve(keyed.size() * kKeyTableRecord);
    for (const auto& [key, offset] : keyed)
        append_three(table, offset);
    return true;
}

bool build_friends_matrix(const std::string& code, const std::vector<FriendsWord>& words,
                          std::vector<std::uint8_t>* matrix, std::string* error)
{
    matrix->clear();
    if (!is_friends_code(code)) {
        *error = "not a friends matrix: " + code;
        return false;
    }
    const WordRoutine routine = key_routine_of(code);

    // One record per distinct (word, key); records sorted by word, then key.
    std::vector<std::pair<std::uint32_t, std::string>> records;
    for (const FriendsWord& w : words) {
        if (w.va_offset >= kThreeByteLimit) {
            *error = too_large(code, "the va entry at index offset " +
                                         std::to_string(w.va_offset));
            return false;
        }
        std::string key = key_of(routine, w.pronunciation);
        if (!key.empty())
            records.emplace_back(w.va_offset, std::move(key));
    }
    std::sort(records.begin(), records.end());
    records.erase(std::unique(records.begin(), records.end()), records.end());
    if (records.size() > kThreeByteLimit) {
        *error = too_large(code, "the record count " + std::to_string(records.size()));
        return false;
    }

    // Each ring links the records of one key in record order; the last names the first.
    std::vector<std::uint32_t> next(records.size());
    std::map<std::string, std::vector<std::uint32_t>> rings;
    for (std::uint32_t r = 0; r < records.size(); ++r)
        rings[records[r].second].push_back(r);
    for (const auto& [key, members] : rings) {
        for (std::size_t i = 0; i < members.size(); ++i)
            next[members[i]] = members[(i + 1) % members.size()];
    }

    matrix->reserve(records.size() * kFriendsRecord);
    for (std::uint32_t r = 0; r < records.size(); ++r) {
        append_three(matrix, records[r].first);
        append_three(matrix, next[r]);
    }
    return true;
}

} // namespace dictwriter
