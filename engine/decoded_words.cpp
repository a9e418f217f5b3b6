// decoded_words.cpp: the decoded words of word-block indexes, kept per open pair.
#include "engine/decoded_words.h"

#include <algorithm>
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
    // Two walks: the first counts, so that each array is allocated once at its size (an
    // array grown as it fills is copied each time, into fresh pages the system must map).
    std::size_t entries = 0;
    std::size_t text_bytes = 0;
    for (WordWalker walker(first, last, block_size); walker.next();) {
        ++entries;
        text_bytes += walker.length() + 1;
    }
    itsOffsets.reserve(entries);
    itsStarts.reserve(entries + 1);
    itsShared.reserve(entries);
    itsText.reserve(text_bytes);
    for (WordWalker walker(first, last, block_size); walker.next();) {
        itsOffsets.push_back(walker.offset());
        itsStarts.push_back(static_cast<std::uint32_t>(itsText.size()));
        itsShared.push_back(static_cast<std::uint8_t>(walker.shared()));
        itsText.insert(itsText.end(), walker.word(), walker.word() + walker.length() + 1);
    }
    itsStarts.push_back(static_cast<std::uint32_t>(itsText.size()));
    // The walks brought every page of the index into memory; later reads touch few.
    release_index_pages(std::uint64_t{first} * block_size, (std::uint64_t{last} + 1) * block_size);
}

std::size_t DecodedWords::first_at_or_after(std::uint32_t offset) const
{
    return static_cast<std::size_t>(
        std::lower_bound(itsOffsets.begin(), itsOffsets.end(), offset) - itsOffsets.begin());
}

std::size_t DecodedWords::find_offset(std::uint32_t offset) const
{
    const std::size_t i = first_at_or_after(offset);
    return i < size() && itsOffsets[i] == offset ? i : size();
}

std::size_t DecodedWords::loose_lower_bound(const char* word) const
{
    std::size_t low = 0;
    std::size_t count = size();
    while (count > 0) {
        const std::size_t half = count / 2;
        if (loose_compare(this->word(low + half), word) < 0) {
            low += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    return low;
}

std::size_t DecodedWords::bytes() const
{
    return itsOffsets.capacity() * sizeof(std::uint32_t) +
           itsStarts.capacity() * sizeof(std::uint32_t) + itsShared.capacity() + itsText.capacity();
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
