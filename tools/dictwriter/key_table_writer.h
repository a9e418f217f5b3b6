// key_table_writer.h: builds the key tables ("tr", "is", "lb", "sc") and the friends
// matrices ("pr", "rh", "pt") of an index file, with the engine's own key routines so
// that the tables sort exactly as the engine's searches compare. The bytes returned are
// stored as they are: the engine reads these tables unscrambled, straight from the file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace dictwriter {

// A word entry of the "va" index, as laid out in the index file.
struct KeyTableWord {
    std::string word;          // the word as stored in "va"
    std::uint32_t va_offset;   // index offset of its word entry
};

// Key tables and friends matrices store offsets and record numbers in three bytes: a
// dictionary whose "va" entries lie at or past this offset cannot have them.
constexpr std::uint32_t kThreeByteLimit = 0x1000000;   // 16 MiB

// A word entry of "va" with one of its pronunciations (dictionary pronunciation
// alphabet). A word with several pronunciations is given once per pronunciation.
struct FriendsWord {
    std::uint32_t va_offset;
    std::string pronunciation;
};

// True for the codes build_key_table and build_friends_matrix know.
bool is_key_table_code(const std::string& code);     // "tr", "is", "lb", "sc"
bool is_friends_code(const std::string& code);       // "pr", "rh", "pt"

// Records of three bytes, big-endian va_offset, sorted by the code's key of the word
// (loose comparison order; ties keep the order of va_offset). Words whose key is empty
// are left out: no query can find them. Fails for an unknown code and for an offset
// that three bytes cannot hold.
bool build_key_table(const std::string& code, const std::vector<KeyTableWord>& words,
                     std::vector<std::uint8_t>* table, std::string* error);

// Records of six bytes: big-endian va_offset, then the big-endian record number of the
// next record of the same ring. One ring per distinct key of the code's pronunciation
// routine; a word alone with its key forms a ring of one record that names itself.
// Records are sorted by va_offset; a word on several rings has adjacent records.
// Pronunciations that give an empty key (not phonetic, no vowel) are left out. Fails for
// an unknown code and for an offset or record number that three bytes cannot hold.
bool build_friends_matrix(const std::string& code, const std::vector<FriendsWord>& words,
                          std::vector<std::uint8_t>* matrix, std::string* error);

} // namespace dictwriter
