// resultlist.h: ResultList, the sorted offset list that every search fills and every
// merge changes, its cursor that reads long posting lists block by block as the walk
// reaches the end of what is loaded, and expand_words. The value 127 is a marker that
// never names an entry; every consumer skips it.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/idlist.h"

inline constexpr std::uint32_t kMarkerValue = 127;

struct ResultList {
    std::uint32_t total = 0;       // values of the result, counting those not yet loaded
    std::uint32_t next_block = 0;  // next continuation block to read; 0 when none
    IdList values;                 // the values read so far
    std::int16_t word_offsets = 0; // nonzero: offsets of word entries, not postings
    std::uint8_t spare[3] = {};    // copied with the list; not interpreted

    ResultList() = default;
    ResultList(const ResultList&) = delete;
    ResultList& operator=(const ResultList&) = delete;

    // total, next block and flag to 0, values cleared.
    void reset();
    std::uint32_t get_total() const { return total; }
    void set_total(std::uint32_t value) { total = value; }
    bool holds_postings() const { return word_offsets == 0; }
    // The head's / tail's value, 0 when empty.
    std::uint32_t first_value() const;
    std::uint32_t last_value() const;
    void append(std::uint32_t value) { values.push_back(value); }
    void set_next_block(std::uint32_t block) { next_block = block; }
    void set_word_offsets(std::int16_t flag) { word_offsets = flag; }
    // sort_unique, then total = count. Reads no continuation block: sort lists that
    // are fully loaded.
    void sort();
    // Every field and a copy of the values of other.
    void copy_from(const ResultList& other);
    // Takes over every field of other; other is left reset.
    void move_from(ResultList& other);

private:
    // Every field but the values.
    void copy_fields(const ResultList& other);
};

// Reads the continuation block named by list->next_block and appends its values (each
// packed difference added to the list's last value). Returns nonzero when it read one;
// 0 when that block is a word block (the chain has ended; next_block becomes 0).
int load_next_chunk(ResultList* list, std::uint32_t block_size);

// Decodes the continuation block *next_block into out (cleared first) without making list
// nodes: each value the one before plus the difference read, starting from *last, which
// ends as the last value decoded. Advances *next_block along the chain (0 once it has
// ended). Returns false, with no values, when the block is a word block.
bool decode_next_chunk(std::uint32_t* next_block, std::uint32_t* last,
                       std::vector<std::uint32_t>* out, std::uint32_t block_size);

// Walks a list; advancing past the last loaded value while a continuation block is
// pending loads it first, so the walk goes on into the new values.
class ResultCursor {
public:
    explicit ResultCursor(ResultList* list, std::uint32_t block_size = 512);
    void start();
    bool at_end() const { return itsNode == nullptr; }
    // The current value, 0 at the end.
    std::uint32_t value() const { return itsNode != nullptr ? itsNode->value : 0; }
    IdNode* node() const { return itsNode; }
    void advance();
    // Moves to the next value and unlinks the old one (no change to the list's total).
    void remove_current();
    // Inserts value before the current one (appends at the end); the cursor stays.
    void insert_before(std::uint32_t value);

private:
    void load_if_last();
    ResultList* itsList;
    std::uint32_t itsBlockSize;
    IdNode* itsNode = nullptr;
};

// Replaces a list of word-entry offsets by the postings of those words (sorted, no
// duplicates); progress is reported and cancel stops the expansion.
void expand_words(ResultList* list, std::uint32_t block_size);
