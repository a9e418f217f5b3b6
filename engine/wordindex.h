// wordindex.h: the routine table of index codes, the front-coded 512-byte word blocks,
// word lookup by binary search over blocks, posting collection and the browse scan.
// An index offset (block * block size + position in block) names a word entry; the
// postings of search indexes are offsets of "hw" entries. Words hold at most 79 bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/wordkeys.h"

struct ResultList;

inline constexpr std::size_t kWordBufferSize = 80;   // a word and its terminator

// A search routine fills list with what word finds in the index index_code and returns
// nonzero when something was found.
using SearchRoutine = std::int16_t (*)(ResultList* list, const char* word,
                                       const char* index_code, std::uint32_t block_size);

// One row of the routine table. base and flag are kept as stored; no search reads them.
struct RoutineRow {
    char code[3];
    char base[3];
    SearchRoutine search;       // null: the index cannot be searched ("hw", "vx")
    WordRoutine key;            // key routine of a key table or friends matrix
    WordRoutine normalise;      // applied to a query word before the search
    std::uint32_t flag;
};

// The row of index_code. An unknown code is fatal ("unable to find routine table entry
// for: " + code): internal callers name only codes of the table.
const RoutineRow* find_routine(const char* index_code);
// The row of index_code or null, with no report: for codes a user typed.
const RoutineRow* lookup_routine(const char* index_code);

// A comparison routine compares the word entry at entry (a pointer into the block buffer,
// at its shared-prefix byte) with word: negative, zero or positive when the entry's word
// sorts before, equal to or after word. Each rebuilds the entry's word into the current
// word buffer, so entries of a block must be seen in order from its first one.
using CompareRoutine = int (*)(const std::uint8_t* entry, const char* word);
void set_compare_routine(CompareRoutine compare);
CompareRoutine compare_routine();
int compare_entry(const std::uint8_t* entry, const char* word);
int bracket_compare(const std::uint8_t* entry, const char* word);
// Skips characters that are not letters or digits, compares the rest case-blind.
int loose_compare(const char* a, const char* b);
// The word the last comparison rebuilt.
const char* current_word();

// Rebuilds the word of the entry at index_offset into destination (capacity bytes, at
// least kWordBufferSize). An offset that is not the start of an entry is fatal
// ("invalid offset in get_word").
void get_word(char* destination, std::size_t capacity, std::uint32_t index_offset,
              std::uint32_t block_size);

// The position in the block buffer of the entry after the one at entry_pos of block
// *block_number; after a long entry it is 0 in a later block (*block_number changes and
// that block is read).
std::uint32_t next_entry(std::uint32_t entry_pos, std::uint32_t* block_number,
                         std::uint32_t block_size);

// Reads block n, or the word block a continuation block n resumes at; returns the number
// of the block now in the buffer.
std::uint32_t seek_word_block(std::uint32_t n, std::uint32_t block_size);

// Binary search with the comparison in force for the last block of first..last whose
// first entry is not after word (first when none); always a word block within range.
std::uint32_t search_blocks(const char* word, std::uint32_t first, std::uint32_t last,
                            std::uint32_t block_size);

// The entry of index_code whose word equals word exactly, the earliest of a run of
// loosely equal words. Returns its position in the block buffer and stores its block,
// or returns -1 (not found; also for an unknown code or an empty index).
std::int32_t find_entry(const char* word, const char* index_code, std::uint32_t* block_number,
                        std::uint32_t block_size);

// Exact lookup: resets list and collects the postings of word's entry (found by
// find_entry) into it. Nonzero when the word was found; 0 leaves list empty. A long
// entry's later postings stay in its continuation blocks (see collect_postings).
std::int16_t find_word(ResultList* list, const char* word, const char* index_code,
                       std::uint32_t block_size);

// regex_scan for a word holding any of kPatternChars, find_word otherwise; returns
// what that search returns.
std::int16_t search_word(ResultList* list, const char* word, const char* index_code,
                         std::uint32_t block_size);

// Appends the postings of the word entry at index_offset; a long entry loads only its
// first block and leaves list->next_block at the first continuation block.
void collect_postings(ResultList* list, std::uint32_t index_offset, std::uint32_t block_size);

// The browse scan: whole blocks of entry offsets around word. Nonzero when not empty.
std::int16_t list_neighbours(ResultList* list, const char* word, const char* index_code,
                             std::uint32_t block_size);

// Index offset of the "hw" entry whose word equals word ('['-parts ignored while
// searching, exact match required), 0 when none.
std::uint32_t entry_offset(const char* word, std::uint32_t block_size);

// Appends the offsets of every entry of index_code that compares equal to word.
void collect_equal(ResultList* list, const char* word, const char* index_code,
                   std::uint32_t block_size);

// Appends the offsets of every entry of the block of index_offset and of the block after
// it, and of the block before when index_offset is a block start.
void list_block_entries(ResultList* list, std::uint32_t index_offset, std::uint32_t block_size);

// Every word of an index with its postings in hexadecimal, on standard output.
void dump_index(const char* index_code, std::uint32_t block_size);

// Walks the word entries of blocks first..last in order, rebuilding each word; long
// entries are stepped over. Reads blocks through the block cache into a copy of its own,
// so that what runs between two steps may use the cache.
class WordWalker {
public:
    WordWalker(std::uint32_t first, std::uint32_t last, std::uint32_t block_size);
    // Moves to the next entry; false past the last block (or the index's end).
    bool next();
    const char* word() const { return itsWord; }
    std::uint32_t length() const { return itsLength; }   // of word()
    // Leading bytes word() has in common with the word before it (0 at a block's start).
    std::uint32_t shared() const { return itsShared; }
    std::uint32_t block() const { return itsBlock; }
    std::uint32_t offset() const { return itsBlock * itsBlockSize + itsPos; }

private:
    // Moves to the word block n, or to the one its continuation chain resumes in, and
    // reads it; false (and done) when there is none within the range.
    bool enter_word_block(std::uint32_t n);
    // Reads block n into the walker's copy and moves to its start.
    void load(std::uint32_t n);
    // Bytes before the first 0 at suffix, a position in the walker's copy.
    std::uint32_t padded_suffix_length(const std::uint8_t* suffix) const;

    // Zero bytes past the copy of the block, and room past the word buffer, for reading
    // and writing eight bytes at a time.
    static constexpr std::uint32_t kPadding = 16;

    std::uint32_t itsLast;
    std::uint32_t itsBlockSize;
    std::uint32_t itsBlock;
    std::uint32_t itsPos = 0;
    bool itsStarted = false;
    bool itsDone = false;
    char itsWord[kWordBufferSize + kPadding] = {};
    std::uint32_t itsLength = 0;
    std::uint32_t itsShared = 0;
    // Where the data of the entry at itsPos lies.
    std::uint32_t itsDataPos = 0;
    std::uint32_t itsDataLength = 0;
    std::vector<std::uint8_t> itsData;   // block itsBlock, then kPadding 0 bytes
};
