// decoded_words.h: the words of a word-block index decoded once and kept, so that scans,
// exact lookups and offset-to-word requests work on plain words in memory instead of
// unscrambling blocks and rebuilding front-coded words each time. An index is decoded
// whole on its first use, by the same walk a full scan makes (damaged blocks are fatal
// there as in any walk); the words stay until another pair is opened or the engine's
// buffers are released.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class DecodedWords {
public:
    // Walks blocks first..last (an index's whole range) and keeps every entry's word.
    DecodedWords(std::uint32_t first, std::uint32_t last, std::uint32_t block_size);

    std::uint32_t first_block() const { return itsFirst; }
    std::uint32_t last_block() const { return itsLast; }
    std::uint32_t block_size() const { return itsBlockSize; }

    std::size_t size() const { return itsOffsets.size(); }
    // Entry i's word (0-terminated), its length, and the leading bytes it shares with the
    // word before it (0 at a block's start).
    const char* word(std::size_t i) const { return itsText.data() + itsStarts[i]; }
    std::uint32_t length(std::size_t i) const { return itsStarts[i + 1] - itsStarts[i] - 1; }
    std::uint32_t shared(std::size_t i) const { return itsShared[i]; }
    // Entry i's index offset (block * block size + position); rising with i.
    std::uint32_t offset(std::size_t i) const { return itsOffsets[i]; }

    // The first entry whose offset is at least offset (size() when none).
    std::size_t first_at_or_after(std::uint32_t offset) const;
    // The entry at exactly offset, or size().
    std::size_t find_offset(std::uint32_t offset) const;
    // The first entry whose word does not sort before word in the index's loose order.
    std::size_t loose_lower_bound(const char* word) const;

    // Heap bytes the words take.
    std::size_t bytes() const;

private:
    std::uint32_t itsFirst;
    std::uint32_t itsLast;
    std::uint32_t itsBlockSize;
    std::vector<std::uint32_t> itsOffsets;
    std::vector<std::uint32_t> itsStarts;   // where each word starts in itsText; one more
    std::vector<std::uint8_t> itsShared;
    std::vector<char> itsText;              // the words, each ended by a 0
};

// The decoded words of index_code for the open pair, decoded on first use; null when the
// code is unknown or its range empty (the same cases in which a lookup finds nothing).
// Shared, so that a scan keeps its words when what runs during its progress report opens
// another pair.
std::shared_ptr<const DecodedWords> decoded_words(const char* index_code, std::uint32_t block_size);

// The decoded words already kept whose blocks hold index_offset; null when none are kept.
// Decodes nothing.
std::shared_ptr<const DecodedWords> kept_words_holding(std::uint32_t index_offset, std::uint32_t block_size);

// Heap bytes of all decoded words kept.
std::size_t decoded_words_bytes();

// Forgets every decoded index (the next use decodes again).
void release_decoded_words();
