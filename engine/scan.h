// scan.h: wildcard and regular-expression scans over the word blocks of an index, and
// the word scans the entry display runs. A scan walks every block that can hold a match,
// reports its progress between blocks and stops when the user cancels; its result is a
// sorted list of word-entry offsets, never postings.
#pragma once
#include <cstdint>

struct ResultList;

// Fills list with the sorted offsets of the words of index_code that the pattern word
// matches, marked as word offsets. A word beginning with '^', or holding '$' or '.', is a
// regular expression as it stands (unanchored at its end unless it says so); any other
// is a wildcard pattern ('*' any run, '?' one character). An anchored literal prefix
// narrows the walk to the blocks that can hold it. Returns nonzero when a word matched;
// 0 for a pattern the regular-expression class refuses, a pattern too long for the
// scratch buffer, an unknown index code, or a cancel before the first match.
std::int16_t regex_scan(ResultList* list, const char* word, const char* index_code,
                        std::uint32_t block_size);

// The regular expression for word, written at the scratch buffer's current position
// without reserving it: valid until the scratch buffer is next used. Null when the
// pattern does not fit in what is left of the scratch buffer.
const char* wildcard_to_regex(const char* word);

// The entry display's word scan: fills the caller's list with what the search routine of
// index_code finds for word (for "sc" the sound-alike key table). An unknown code, or a
// code without a search routine, gives an empty list. Returns nonzero when not empty.
std::int16_t ScanWords(ResultList* list, const char* word, const char* index_code,
                       std::uint32_t block_size);

// The entry display's second scan: applies the key routine of index_code to every word of
// the index's base index ("va") and fills the caller's list with the offsets of the
// words whose keys equal word's key: the same result as the key table, found by walking
// the words themselves. Reports progress and stops on cancel. An unknown code or a code
// without a key routine gives an empty list. Returns nonzero when not empty.
std::int16_t ScanWordsPair(ResultList* list, const char* word, const char* index_code,
                           std::uint32_t block_size);
