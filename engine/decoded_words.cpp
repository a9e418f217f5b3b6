// decoded_words.cpp: the decoded words of word-block indexes, kept per open pair.
#include "engine/decoded_words.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "engine/datafiles.h"
#include "engine/wordindex.h"

namespace {

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
        arena_bytes += itsSize % kGroup == 0 ? walker.length() + 1 : walker.length() - walker.shared();
    itsOffsets.reserve(itsSize);
    itsShared.reserve(itsSize);
    itsStored.reserve(itsSize);
    itsGroups.reserve((itsSize + kGroup - 1) / kGroup);
    itsArena.reserve(arena_bytes + kPadding);
    for (WordWalker walker(first, last, block_size); walker.next() && itsOffsets.size() < itsSize;) {
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

std::shared_ptr<const DecodedWords> kept_words_holding(std::uint32_t index_offset, std::uint32_t block_size)
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
