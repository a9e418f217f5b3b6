// decoded_words.cpp: the decoded words of word-block indexes, kept per open pair.
#include "engine/decoded_words.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

#include "engine/datafiles.h"
#include "engine/wordindex.h"

namespace {

// Whether a word ends with a scan's ending, tested with one read of the eight bytes that
// end the bytes the word adds to the word before it: those it shares are not there, so
// as many of the ending's last bytes are compared as the word adds (all of them when it
// adds as many as the ending has). A word that passes with fewer is tested whole.
class EndingTest {
public:
    EndingTest(const char* ending, std::size_t length)
        : itsLength(static_cast<std::uint32_t>(std::min(length, DecodedWords::kMaxEnding)))
    {
        if (itsLength == 0)
            return;   // no mask: every word passes
        std::memcpy(itsEnding, ending + (length - itsLength), itsLength);
        // The ending in the last bytes of eight, as read from memory.
        for (std::uint32_t i = 0; i < itsLength; ++i)
            itsBytes |= std::uint64_t{static_cast<unsigned char>(itsEnding[i])}
                        << (8 * (8 - itsLength + i));
        for (std::uint32_t count = 1; count < kCounts; ++count) {
            const std::uint32_t compared = std::min(count, itsLength);
            itsMask[count] = ~std::uint64_t{0} << (8 * (8 - compared));
        }
    }

    // The word adding count bytes, the last of them just before added_end.
    bool passes_added(const std::uint8_t* added_end, std::uint32_t count) const
    {
        return ((read_eight(added_end - 8) ^ itsBytes) & itsMask[count]) == 0;
    }
    // Whether the bytes the word adds held the whole ending.
    bool decided_by(std::uint32_t count) const { return count >= itsLength; }
    bool passes_whole(const char* word, std::uint32_t length) const
    {
        return length >= itsLength &&
               std::memcmp(word + length - itsLength, itsEnding, itsLength) == 0;
    }
    bool active() const { return itsLength != 0; }

private:
    static constexpr std::uint32_t kCounts = 256;   // a word adds fewer bytes than this

    // Eight bytes, the first in the lowest.
    static std::uint64_t read_eight(const std::uint8_t* bytes)
    {
        std::uint64_t value;
        std::memcpy(&value, bytes, sizeof value);
        if constexpr (std::endian::native == std::endian::big)
            value = __builtin_bswap64(value);
        return value;
    }

    std::uint32_t itsLength;
    char itsEnding[DecodedWords::kMaxEnding] = {};
    std::uint64_t itsBytes = 0;
    // Per count of bytes a word adds: the last bytes of eight that are compared.
    std::uint64_t itsMask[kCounts] = {};
};

struct KeptWords {
    std::uint32_t generation = 0;   // data_files_generation() the words were decoded under
    std::vector<std::shared_ptr<const DecodedWords>> indexes;
};

KeptWords kept;

// The kept words, emptied first when another pair was opened since they were decoded.
std::vector<std::shared_ptr<const DecodedWords>>& current_indexes()
{
    if (kept.generation != data_files_generation()) {
        kept.indexes.clear();
        kept.generation = data_files_generation();
    }
    return kept.indexes;
}

} // namespace

DecodedWords::DecodedWords(std::uint32_t first, std::uint32_t last, std::uint32_t block_size)
    : itsFirst(first), itsLast(last), itsBlockSize(block_size)
{
    // Two walks: the first counts the entries and the bytes they store, so that each
    // array is allocated once at its size (an array grown as it fills is copied each
    // time, into fresh pages the system must map).
    std::size_t arena_bytes = 0;
    for (WordWalker walker(first, last, block_size); walker.next(); ++itsSize)
        arena_bytes +=
            itsSize % kGroup == 0 ? walker.length() + 1 : walker.length() - walker.shared();
    itsOffsets.reserve(itsSize);
    itsShared.reserve(itsSize);
    itsStored.reserve(itsSize);
    itsGroups.reserve((itsSize + kGroup - 1) / kGroup);
    itsArena.reserve(kLeadingPadding + arena_bytes + kPadding);
    itsArena.resize(kLeadingPadding);
    for (WordWalker walker(first, last, block_size);
         walker.next() && itsOffsets.size() < itsSize;) {
        const char* const word = walker.word();
        const std::uint32_t length = walker.length();
        const std::uint32_t shared = walker.shared();
        const bool starts_group = itsOffsets.size() % kGroup == 0;
        const std::uint32_t kept = starts_group ? 0 : shared;
        if (starts_group)
            itsGroups.push_back(static_cast<std::uint32_t>(itsArena.size()));
        itsOffsets.push_back(walker.offset());
        itsShared.push_back(static_cast<std::uint8_t>(shared));
        itsStored.push_back(static_cast<std::uint8_t>(length - kept));
        itsArena.insert(itsArena.end(), word + kept, word + length);
        if (starts_group)
            itsArena.push_back(0);
    }
    itsSize = itsOffsets.size();
    itsArena.resize(itsArena.size() + kPadding);
    // The walks brought every page of the index into memory; later reads touch few.
    release_index_pages(std::uint64_t{first} * block_size, (std::uint64_t{last} + 1) * block_size);
}

DecodedWords::Cursor::Cursor(const DecodedWords& words, std::size_t group)
    : itsWords(&words), itsIndex(group * kGroup)
{
    if (at_end())
        return;
    itsStored = words.itsArena.data() + words.itsGroups[group];
    read();
}

std::size_t DecodedWords::first_at_or_after(std::uint32_t offset) const
{
    return static_cast<std::size_t>(
        std::lower_bound(itsOffsets.begin(), itsOffsets.end(), offset) - itsOffsets.begin());
}

std::size_t DecodedWords::entries_before(std::uint64_t offset) const
{
    return offset > UINT32_MAX ? itsSize : first_at_or_after(static_cast<std::uint32_t>(offset));
}

void DecodedWords::scan_blocks(std::uint32_t first, std::uint32_t last, const char* ending,
                               std::size_t ending_length, ScanVisitor& visitor) const
{
    const EndingTest test(ending, ending_length);
    std::size_t i = entries_before(std::uint64_t{first} * itsBlockSize);
    const std::size_t stop = entries_before((std::uint64_t{last} + 1) * itsBlockSize);
    if (i >= stop)
        return;
    // Words are rebuilt only when visited, each over the last one rebuilt (held) when
    // that is of the same group or later, else from the first word of its group.
    char word[kWordBufferSize + kPadding];
    std::size_t held_end = 0;   // the entry after the one whose word is held
    const std::uint8_t* held_next = itsArena.data() + itsGroups[0];   // that entry's bytes
    const auto rebuild_up_to = [&](std::size_t entry) {
        const std::size_t group_start = entry / kGroup * kGroup;
        if (held_end < group_start) {
            held_end = group_start;
            held_next = itsArena.data() + itsGroups[entry / kGroup];
        }
        std::uint32_t length = 0;
        for (; held_end <= entry; held_next += record_size(held_end), ++held_end)
            length = rebuild(held_end, held_next, word);
        return length;
    };

    // Hands entry i over when its whole word ends with the ending; false to stop.
    const auto hand_over = [&](std::size_t entry) {
        const std::uint32_t length = rebuild_up_to(entry);
        if (!test.decided_by(itsStored[entry]) && !test.passes_whole(word, length))
            return true;
        const std::uint32_t shared = test.active() ? 0 : itsShared[entry];
        return visitor.visit(word, length, shared, itsOffsets[entry]);
    };

    const std::uint8_t* const added = itsStored.data();
    // Where the bytes entry i adds begin in the arena.
    const std::uint8_t* next = itsArena.data() + itsGroups[i / kGroup];
    for (std::size_t j = i / kGroup * kGroup; j < i; ++j)
        next += record_size(j);
    while (i < stop) {
        const std::uint32_t block = itsOffsets[i] / itsBlockSize;
        const std::uint64_t next_block = visitor.at_block(block);
        if (next_block <= block)
            return;
        // The entries up to the next block the visitor asked for, without their offsets,
        // a group at a time: its first word stored whole and ended by a 0, then the rest.
        const std::size_t chunk_end = std::min(stop, entries_before(next_block * itsBlockSize));
        if (!test.active()) {   // every word, each rebuilt over the one before
            for (; i < chunk_end; ++i) {
                const std::uint32_t length = rebuild_up_to(i);
                if (!visitor.visit(word, length, itsShared[i], itsOffsets[i]))
                    return;
            }
            continue;
        }
        while (i < chunk_end) {
            if (i % kGroup == 0) {
                const std::uint32_t count = added[i];
                if (test.passes_added(next + count, count) && !hand_over(i))
                    return;
                next += count + 1;
                ++i;
            }
            const std::size_t group_end = std::min(chunk_end, (i / kGroup + 1) * kGroup);
            for (; i < group_end; ++i) {
                const std::uint32_t count = added[i];
                next += count;
                if (test.passes_added(next, count) && !hand_over(i))
                    return;
            }
        }
    }
}

DecodedWords::Cursor DecodedWords::at_or_after(std::uint32_t offset) const
{
    // Rebuilt from the first word of the entry's group.
    Cursor cursor(*this, first_at_or_after(offset) / kGroup);
    while (!cursor.at_end() && cursor.offset() < offset)
        cursor.next();
    return cursor;
}

DecodedWords::Cursor DecodedWords::loose_lower_bound(const char* word) const
{
    // The first group whose first word does not sort before word; the entry sought is
    // that word or one of the group before it.
    std::size_t low = 0;
    std::size_t count = itsGroups.size();
    while (count > 0) {
        const std::size_t half = count / 2;
        if (loose_compare(group_word(low + half), word) < 0) {
            low += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    if (low == 0)
        return Cursor(*this, 0);
    Cursor cursor(*this, low - 1);
    while (!cursor.at_end() && loose_compare(cursor.word(), word) < 0)
        cursor.next();
    return cursor;
}

std::size_t DecodedWords::bytes() const
{
    return itsOffsets.capacity() * sizeof(std::uint32_t) + itsShared.capacity() +
           itsStored.capacity() + itsGroups.capacity() * sizeof(std::uint32_t) +
           itsArena.capacity();
}

std::shared_ptr<const DecodedWords> decoded_words(const char* index_code, std::uint32_t block_size)
{
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (!data_files_open() || !index_block_range(index_code, block_size, &first, &last))
        return nullptr;
    for (const auto& words : current_indexes()) {
        if (words->first_block() == first && words->last_block() == last &&
            words->block_size() == block_size)
            return words;
    }
    static bool hook_registered = false;
    if (!hook_registered) {
        register_release_hook(release_decoded_words);
        hook_registered = true;
    }
    // Kept only once whole: a walk that meets damage ends in the fatal report, and what
    // it decoded so far is dropped with it.
    auto words = std::make_shared<const DecodedWords>(first, last, block_size);
    current_indexes().push_back(words);
    return words;
}

std::shared_ptr<const DecodedWords> kept_words_holding(std::uint32_t index_offset,
                                                       std::uint32_t block_size)
{
    if (!data_files_open())
        return nullptr;
    const std::uint32_t block = index_offset / block_size;
    for (const auto& words : current_indexes()) {
        if (words->block_size() == block_size && block >= words->first_block() &&
            block <= words->last_block())
            return words;
    }
    return nullptr;
}

std::size_t decoded_words_bytes()
{
    std::size_t total = 0;
    for (const auto& words : kept.indexes)
        total += words->bytes();
    return total;
}

void release_decoded_words()
{
    std::vector<std::shared_ptr<const DecodedWords>>().swap(kept.indexes);
}
