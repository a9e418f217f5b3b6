// keytable.h: searches of the indexes that answer questions about words: key tables
// (anagrams "tr", letter patterns "is", letter banks "lb", sound-alikes "sc") and friends
// matrices (pronunciations "pr", rhymes "rh", pronunciation anagrams "pt"). Both give
// lists of offsets of "va" word entries. These tables are read three bytes at a time
// straight from the index file, unscrambled; every offset read from them is checked.
#pragma once
#include <cstdint>

struct ResultList;

// The run of key-table records whose word has the same key as word under index_code's
// key routine, in key-table order, marked as word offsets. Returns nonzero when not
// empty. An index without a descriptor gives the descriptor warning and an empty list.
// Word offsets that do not name a "va" word entry are damaged data and fatal.
std::int16_t key_table_search(ResultList* list, const char* word, const char* index_code,
                              std::uint32_t block_size);

// The word itself and every word on the rings of the friends matrix index_code that
// pass through it, sorted, each once, marked as word offsets. A word that is not in
// "va" gives an empty list. A ring is followed for at most as many steps as the matrix
// has records; a record number outside the matrix is damaged data and fatal.
std::int16_t friends_search(ResultList* list, const char* word, const char* index_code,
                            std::uint32_t block_size);

// The 24-bit big-endian number at byte offset index_offset of the index file. A read
// past the end of the file is fatal.
std::uint32_t read_three(std::uint32_t index_offset);
