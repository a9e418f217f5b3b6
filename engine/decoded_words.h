// decoded_words.h: the words of a word-block index decoded once and kept, so that scans,
// exact lookups and offset-to-word requests work on words in memory instead of
// unscrambling blocks and parsing their entries each time. They are kept compact: still
// front-coded, with the offsets and the bytes each word adds in arrays of their own. An
// index is decoded whole on its first use, by the same walk a full scan makes (damaged
// blocks are fatal there as in any walk); the words stay until another pair is opened or
// the engine's buffers are released.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/wordindex.h"

class DecodedWords {
    // Room past the arena's end and a cursor's word, for copying sixteen bytes at a time.
    static constexpr std::size_t kPadding = 16;
    // Room before the arena's first word, for reading the eight bytes that end a word.
    static constexpr std::size_t kLeadingPadding = 8;

public:
    // The longest ending a scan tests on the bytes each word adds.
    static constexpr std::size_t kMaxEnding = 8;

    // Walks blocks first..last (an index's whole range) and keeps every entry's word.
    DecodedWords(std::uint32_t first, std::uint32_t last, std::uint32_t block_size);

    std::uint32_t first_block() const { return itsFirst; }
    std::uint32_t last_block() const { return itsLast; }
    std::uint32_t block_size() const { return itsBlockSize; }

    std::size_t size() const { return itsSize; }

    // Reads the entries in order from one of them, each word rebuilt in the cursor's own
    // buffer (valid until the cursor moves).
    class Cursor {
    public:
        bool at_end() const { return itsIndex >= itsWords->itsSize; }
        const char* word() const { return itsWord; }   // 0-terminated
        std::uint32_t length() const { return itsLength; }
        // Leading bytes the word shares with the entry before it (0 for the first).
        std::uint32_t shared() const { return itsWords->itsShared[itsIndex]; }
        // The entry's index offset (block * block size + position); rising.
        std::uint32_t offset() const { return itsWords->itsOffsets[itsIndex]; }
        void next();

    private:
        friend class DecodedWords;
        Cursor(const DecodedWords& words, std::size_t group);   // at the group's first entry
        void read();

        const DecodedWords* itsWords;
        std::size_t itsIndex;
        const std::uint8_t* itsStored;   // the next entry's stored bytes in the arena
        std::uint32_t itsLength = 0;
        char itsWord[kWordBufferSize + kPadding] = {};
    };

    // At the first entry whose offset is at least offset (at the end when none).
    Cursor at_or_after(std::uint32_t offset) const;
    // What the walk of a scan tells: the blocks it reaches and the words it finds.
    class ScanVisitor {
    public:
        // The walk reached block: the first that holds entries at or after the block
        // asked for last (any at first). Returns the next block to be told of, or one
        // not after block to stop the walk.
        virtual std::uint64_t at_block(std::uint32_t block) = 0;
        // An entry whose word ends with the scan's ending; the word is valid until the
        // walk moves on. shared is what it has in common with the word of the previous
        // visit, 0 when words were passed over between them. false stops the walk.
        virtual bool visit(const char* word, std::uint32_t length, std::uint32_t shared,
                           std::uint32_t offset) = 0;

    protected:
        ~ScanVisitor() = default;
    };
    // Walks the entries of blocks first..last for a scan, visiting those whose word ends
    // with the ending given (at most kMaxEnding bytes; every entry when there are none).
    // Most words are refused on the bytes they add, without being rebuilt.
    void scan_blocks(std::uint32_t first, std::uint32_t last, const char* ending,
                     std::size_t ending_length, ScanVisitor& visitor) const;
    // At the first entry whose word does not sort before word in the index's loose order.
    Cursor loose_lower_bound(const char* word) const;

    // Heap bytes the words take.
    std::size_t bytes() const;

private:
    // The words are front-coded as the index is: a word keeps the leading bytes it shares
    // with the word before it and stores the rest in the arena. Every kGroup-th word
    // starts a group and is stored whole, ended by a 0, so that a look-up can compare the
    // groups' first words in place and then rebuild at most a group's words.
    static constexpr std::size_t kGroup = 16;
    // Rebuilds entry i's word in word over the word before it (kept there unless i
    // starts a group) from its bytes at stored. Returns its length.
    std::uint32_t rebuild(std::size_t i, const std::uint8_t* stored, char* word) const
    {
        const std::uint32_t kept = i % kGroup == 0 ? 0 : itsShared[i];
        const std::uint32_t count = itsStored[i];
        if (kept + count >= kWordBufferSize)   // never: the words were decoded shorter
            return 0;
        // Sixteen bytes at a time, a fixed size the compiler copies inline: the arena and
        // the word buffers have room past their ends for it.
        std::memcpy(word + kept, stored, 16);
        for (std::uint32_t at = 16; at < count; at += 16)
            std::memcpy(word + kept + at, stored + at, 16);
        word[kept + count] = 0;
        return kept + count;
    }
    // The bytes entry i has in the arena (a group's first word ends with a 0 there).
    std::size_t record_size(std::size_t i) const
    {
        return itsStored[i] + (i % kGroup == 0 ? 1 : 0);
    }
    std::size_t first_at_or_after(std::uint32_t offset) const;
    // The number of entries whose offset is below offset.
    std::size_t entries_before(std::uint64_t offset) const;
    const char* group_word(std::size_t group) const
    {
        return reinterpret_cast<const char*>(itsArena.data() + itsGroups[group]);
    }

    std::uint32_t itsFirst;
    std::uint32_t itsLast;
    std::uint32_t itsBlockSize;
    std::size_t itsSize = 0;
    std::vector<std::uint32_t> itsOffsets;   // per entry, rising
    std::vector<std::uint8_t> itsShared;     // per entry
    std::vector<std::uint8_t> itsStored;     // per entry: the bytes it has in the arena
    std::vector<std::uint32_t> itsGroups;    // where each group's first word starts
    std::vector<std::uint8_t> itsArena;
};

// Inline: a cursor may read a whole index (the key-table word scan).
inline void DecodedWords::Cursor::next()
{
    ++itsIndex;
    if (!at_end())
        read();
}

inline void DecodedWords::Cursor::read()
{
    itsLength = itsWords->rebuild(itsIndex, itsStored, itsWord);
    itsStored += itsWords->record_size(itsIndex);
}

// The decoded words of index_code for the open pair, decoded on first use; null when the
// code is unknown or its range empty (the same cases in which a lookup finds nothing).
// Shared, so that a scan keeps its words when what runs during its progress report opens
// another pair.
std::shared_ptr<const DecodedWords> decoded_words(const char* index_code, std::uint32_t block_size);

// The decoded words already kept whose blocks hold index_offset; null when none are kept.
// Decodes nothing.
std::shared_ptr<const DecodedWords> kept_words_holding(std::uint32_t index_offset,
                                                       std::uint32_t block_size);

// Heap bytes of all decoded words kept.
std::size_t decoded_words_bytes();

// Forgets every decoded index (the next use decodes again).
void release_decoded_words();
