// entrytext.cpp: entry text from the data file. Owns the shared entry buffer (one
// expanded compressed block at a time, keyed by the block's data-file offset and the
// open pair's generation) and the compressed-block buffer. The rule: the entry buffer
// always ends in a 0 byte past its capacity, and every pointer handed out lies inside it.
#include "engine/entrytext.h"

#include <cstring>
#include <memory>
#include <vector>

#include "engine/datafiles.h"
#include "engine/inflate.h"
#include "engine/report.h"

namespace {

struct EntryState {
    std::unique_ptr<std::uint8_t[]> entry_buf;  // kEntryBufBytes + 1, the last byte always 0
    std::vector<std::uint8_t> compressed;       // grows to the largest block read
    std::uint32_t cached_offset = kNoBlock;     // data-file offset of the block in entry_buf
    std::uint32_t cached_generation = 0;        // data_files_generation() when it was read
    std::uint32_t cached_length = 0;            // expanded bytes of that block
    bool cached_damaged = false;                // it did not decode whole
    std::uint32_t measured_offset = kNoBlock;    // the last block expanded only to measure it
    std::uint32_t measured_generation = 0;
    std::uint32_t measured_length = 0;
    std::uint64_t block_reads = 0;
    bool release_registered = false;
};

EntryState& state()
{
    static EntryState s;
    return s;
}

std::uint8_t* entry_buffer()
{
    EntryState& s = state();
    if (!s.entry_buf) {
        s.entry_buf.reset(new (std::nothrow) std::uint8_t[kEntryBufBytes + 1]);
        if (!s.entry_buf)
            engine_fatal("cannot allocate entry_buf");
        std::memset(s.entry_buf.get(), 0, kEntryBufBytes + 1);
        s.cached_offset = kNoBlock;
        s.cached_length = 0;
    }
    if (!s.release_registered) {
        register_release_hook(release_entry_buffers);
        s.release_registered = true;
    }
    return s.entry_buf.get();
}

// The text handed out for an entry that has none: the entry buffer's final 0 byte.
char* empty_text()
{
    return reinterpret_cast<char*>(entry_buffer() + kEntryBufBytes);
}

bool block_is_cached(std::uint32_t block_offset)
{
    const EntryState& s = state();
    return s.cached_offset == block_offset && s.cached_generation == data_files_generation();
}

// Reads the compressed block at block_offset (2-byte big-endian length N, then N bytes)
// and expands it into out (kEntryBufBytes bytes, the rest cleared). Returns the expanded
// length; *damaged (when given) tells whether the block stopped short of its end through
// damage. A block past the end of the file is a fatal read error.
std::uint32_t expand_block(std::uint32_t block_offset, std::uint8_t* out, bool* damaged = nullptr)
{
    if (damaged != nullptr)
        *damaged = false;
    EntryState& s = state();
    std::FILE* file = data_file();
    if (file == nullptr) {
        std::memset(out, 0, kEntryBufBytes);
        return 0;
    }
    std::uint8_t length_word[2];
    read_at(file, length_word, block_offset, 2);
    const std::size_t compressed_len = (std::size_t{length_word[0]} << 8) | length_word[1];
    if (s.compressed.size() < compressed_len)
        s.compressed.resize(compressed_len);
    if (compressed_len != 0)
        read_at(file, s.compressed.data(), std::uint64_t{block_offset} + 2, compressed_len);
    ++s.block_reads;
    InflateStatus status = InflateStatus::kDone;
    const std::uint32_t length = inflate_block(static_cast<std::uint32_t>(compressed_len),
                                               s.compressed.data(), kEntryBufBytes, out, &status);
    if (damaged != nullptr)
        *damaged = status != InflateStatus::kDone && status != InflateStatus::kOutputFull;
    return length;
}

// The two numbers of an "hw" entry and where the entry after it starts.
struct HwEntry {
    std::uint32_t block_offset;   // B: data-file offset of the compressed block
    std::uint32_t text_position;  // P: position of the text in the expanded block
    std::uint32_t next_pos;       // position of the following entry in the block buffer
};

// Reads the entry at pos of a word block (block_size bytes at data), whose first entry
// starts at 0: its shared-prefix byte, its suffix up to a 0 byte, its data length and
// its data, all inside the block. Damaged entries are fatal, as everywhere in the index.
// Returns false at the block's end mark (or its end).
bool read_word_entry(const std::uint8_t* data, std::uint32_t block_size, std::uint32_t pos,
                     std::uint32_t* data_pos, std::uint32_t* data_len)
{
    if (pos + 1 >= block_size)
        return false;
    if (data[pos] == 0 && data[pos + 1] == 0)
        return false;  // end mark: shared prefix 0 and an empty suffix
    const std::uint8_t* const end = data + block_size;
    const void* terminator = std::memchr(data + pos + 1, 0, block_size - pos - 1);
    if (terminator == nullptr)
        engine_fatal("word runs past its block");
    std::uint32_t length = 0;
    const std::uint8_t* p =
        unpack_number_bounded(static_cast<const std::uint8_t*>(terminator) + 1, end, &length);
    const auto after_length = static_cast<std::uint32_t>(p - data);
    if (length > block_size - after_length)
        return false;  // data spilling into continuation blocks: no "hw" entry has that
    *data_pos = after_length;
    *data_len = length;
    return true;
}

// Finds the "hw" entry at index offset entry_offset by walking its block from the first
// entry, so that an offset inside an entry, in a continuation block or outside the "hw"
// index is recognised. Reads the block through the block cache.
bool find_hw_entry(std::uint32_t entry_offset, std::uint32_t block_size, std::uint32_t* block,
                   HwEntry* entry)
{
    if (block_size < 2 || !data_files_open())
        return false;
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (!index_block_range("hw", block_size, &first, &last))
        return false;
    *block = entry_offset / block_size;
    if (*block < first || *block > last)
        return false;
    const std::uint32_t target = entry_offset % block_size;
    const std::uint8_t* data = read_block(*block, block_size);
    if (data[0] != 0)
        return false;  // a continuation block
    std::uint32_t pos = 0;
    std::uint32_t data_pos = 0;
    std::uint32_t data_len = 0;
    while (pos <= target && read_word_entry(data, block_size, pos, &data_pos, &data_len)) {
        if (pos == target) {
            const std::uint8_t* const end = data + data_pos + data_len;
            const std::uint8_t* p =
                unpack_number_bounded(data + data_pos, end, &entry->block_offset);
            unpack_number_bounded(p, end, &entry->text_position);
            entry->next_pos = data_pos + data_len;
            return true;
        }
        pos = data_pos + data_len;
    }
    return false;
}

// The data-file offset and text position of the "hw" entry after the one at next_pos of
// block; false when the entry was the last of the "hw" index.
bool next_hw_entry(std::uint32_t block, std::uint32_t next_pos, std::uint32_t block_size,
                   HwEntry* next)
{
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (!index_block_range("hw", block_size, &first, &last))
        return false;
    const std::uint8_t* data = read_block(block, block_size);
    std::uint32_t data_pos = 0;
    std::uint32_t data_len = 0;
    if (!read_word_entry(data, block_size, next_pos, &data_pos, &data_len)) {
        if (block >= last)
            return false;
        data = read_block(block + 1, block_size);
        if (data[0] != 0 || !read_word_entry(data, block_size, 0, &data_pos, &data_len))
            return false;
    }
    const std::uint8_t* const end = data + data_pos + data_len;
    const std::uint8_t* p = unpack_number_bounded(data + data_pos, end, &next->block_offset);
    unpack_number_bounded(p, end, &next->text_position);
    return true;
}

// Expanded length of the block at block_offset. The entry buffer keeps the block it
// holds: another block is expanded into a scratch buffer, and its length remembered.
std::uint32_t expanded_length(std::uint32_t block_offset)
{
    EntryState& s = state();
    if (block_is_cached(block_offset))
        return s.cached_length;
    if (s.measured_offset != block_offset || s.measured_generation != data_files_generation()) {
        std::vector<std::uint8_t> scratch(kEntryBufBytes);
        s.measured_offset = kNoBlock;
        s.measured_length = expand_block(block_offset, scratch.data());
        s.measured_offset = block_offset;
        s.measured_generation = data_files_generation();
    }
    return s.measured_length;
}

char* text_at(std::uint32_t entry_offset, std::uint32_t block_size)
{
    std::uint32_t block = 0;
    HwEntry entry{};
    if (!find_hw_entry(entry_offset, block_size, &block, &entry))
        return empty_text();
    char* const buffer = AllocEntryBuf(entry.block_offset);
    if (entry.text_position >= state().cached_length)
        return empty_text();
    return buffer + entry.text_position;
}

} // namespace

char* AllocEntryBuf(std::uint32_t block_offset)
{
    EntryState& s = state();
    std::uint8_t* const buffer = entry_buffer();
    if (block_is_cached(block_offset))
        return reinterpret_cast<char*>(buffer);
    // Forget the old block first: a fatal read below must not leave it half replaced.
    s.cached_offset = kNoBlock;
    s.cached_length = expand_block(block_offset, buffer, &s.cached_damaged);
    s.cached_offset = block_offset;
    s.cached_generation = data_files_generation();
    return reinterpret_cast<char*>(buffer);
}

const char* entry_text(std::uint32_t entry_offset, std::uint32_t block_size)
{
    return text_at(entry_offset, block_size);
}

std::uint32_t entry_length(std::uint32_t entry_offset, std::uint32_t block_size)
{
    std::uint32_t block = 0;
    HwEntry entry{};
    if (!find_hw_entry(entry_offset, block_size, &block, &entry))
        return 0;
    // The text ends where the next entry's begins when that one lies in the same block,
    // and never past the end of the expanded block (damaged positions give 0).
    std::uint32_t text_end = expanded_length(entry.block_offset);
    HwEntry next{};
    if (next_hw_entry(block, entry.next_pos, block_size, &next) &&
        next.block_offset == entry.block_offset && next.text_position < text_end)
        text_end = next.text_position;
    return text_end > entry.text_position ? text_end - entry.text_position : 0;
}

char* ExpandEntry(std::uint32_t position, std::uint32_t block_size)
{
    return text_at(position, block_size);
}

char* LoadRecord(std::uint32_t position, std::uint32_t block_size)
{
    return text_at(position, block_size);
}

bool entry_block_damaged()
{
    return state().cached_offset != kNoBlock && state().cached_damaged;
}

void reset_entry_cache()
{
    state().cached_offset = kNoBlock;
    state().measured_offset = kNoBlock;
}

void release_entry_buffers()
{
    EntryState& s = state();
    s.entry_buf.reset();
    std::vector<std::uint8_t>().swap(s.compressed);
    s.cached_offset = kNoBlock;
    s.cached_length = 0;
    s.measured_offset = kNoBlock;
}

std::uint64_t entry_block_reads()
{
    return state().block_reads;
}
