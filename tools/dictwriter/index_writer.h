// index_writer.h: lays out the index file (".ndx"): the descriptor table in block 0,
// word-block indexes of front-coded entries (with long posting lists spilling into
// continuation blocks), and raw tables (key tables, friends matrices). finish() scrambles
// the descriptor and every word-index block exactly as the engine descrambles them. An
// index that ends with a long entry is followed by an empty block outside every index,
// so that its continuation chain ends there whatever is written next.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace dictwriter {

// One word entry of a word-block index: either opaque data (the "hw" index: the two
// numbers of the entry) or a posting list (sorted ascending, distinct, not empty).
struct WordRecord {
    std::string word;
    std::string data;                     // used when postings is empty
    std::vector<std::uint32_t> postings;  // written as first value, then differences
};

class IndexWriter {
public:
    IndexWriter();

    // Lays out a word-block index at the next free block; words must already be in the
    // engine's loose order. *offsets gets the index offset of each word's entry. Fails
    // for an empty or over-long (80+ bytes) word, unsorted postings, a 21st index or a
    // code that is not two characters.
    bool add_word_index(const std::string& code, const std::vector<WordRecord>& words,
                        std::vector<std::uint32_t>* offsets, std::string* error);

    // Stores a table's bytes, unscrambled, at the next free block.
    bool add_table(const std::string& code, const std::vector<std::uint8_t>& bytes,
                   std::string* error);

    // The whole file: descriptor written, word blocks scrambled.
    std::vector<std::uint8_t> finish() const;

    // Number of blocks of the index code (0 when absent), for tests.
    std::uint32_t block_count(const std::string& code) const;

private:
    struct Descriptor {
        std::string code;
        std::uint32_t start;
        std::uint32_t end;
        std::uint32_t key_length;
        bool scrambled;
    };
    bool add_descriptor(const std::string& code, std::string* error);
    std::vector<std::uint8_t> itsFile;      // plain bytes, a whole number of blocks
    std::vector<Descriptor> itsDescriptors;
    std::vector<std::uint32_t> itsPads;     // empty blocks after indexes ending long
};

} // namespace dictwriter
