// entrytext.h: the text of dictionary entries. Reads an entry's compressed block from the
// data file, expands it into the one shared entry buffer and answers the entry's text and
// length. Every pointer handed out points into that shared buffer and stays valid only
// until the next expansion; nothing handed out here is owned by the caller.
#pragma once
#include <cstdint>

// Capacity of the shared entry buffer: an expanded block longer than this is cut there.
// The buffer has one byte more, always 0, so every text handed out is 0-terminated.
inline constexpr std::uint32_t kEntryBufBytes = 65535;

// The entry buffer holding the expanded compressed block that starts at byte offset
// block_offset of the data file (its 2-byte length word). When that block is the one the
// buffer already holds, nothing is read. The bytes after the expanded text are 0.
// A damaged block gives the text decoded up to the damage; a failed read of the data file
// is fatal (damaged data). Never null once a data file is open.
char* AllocEntryBuf(std::uint32_t block_offset);

// Text of the head-word entry at index offset entry_offset of the "hw" index: a pointer
// into the entry buffer at the entry's position in its expanded block. An offset that is
// not the start of an "hw" entry, or a position past the expanded text, gives an empty
// text (a pointer to a 0 byte); nothing is read outside the buffers.
const char* entry_text(std::uint32_t entry_offset, std::uint32_t block_size);

// Number of bytes of that entry's text: up to the next entry's position when the next
// "hw" entry lies in the same compressed block, else up to the end of the expanded block,
// and never past that end. Leaves the entry buffer holding the block it held before (a
// block it does not hold is expanded into a scratch buffer to be measured). 0 wherever
// entry_text gives an empty text.
std::uint32_t entry_length(std::uint32_t entry_offset, std::uint32_t block_size);

// The entry display's names for the same service: expand the "hw" entry at position into
// the shared entry buffer and return its first byte (its field stream). Same results as
// entry_text.
char* ExpandEntry(std::uint32_t position, std::uint32_t block_size);

// Loads the record (illustration, table or sound) whose "hw" entry is at position in the
// open file pair and returns its first byte; its size is entry_length (position, ...).
char* LoadRecord(std::uint32_t position, std::uint32_t block_size);

// Whether the block the entry buffer holds did not decode whole (damaged data): its text
// stops where the damage begins. The entry display tells the user rather than show a
// blank or cut entry as if it were the dictionary's.
bool entry_block_damaged();

// Forgets which block the entry buffer holds; every open of a file pair calls it, so
// that a block of the previous pair is never served again.
void reset_entry_cache();

// Frees the entry buffer and the compressed-block buffer; the engine's close calls it.
// Safe to call at any time; the next expansion allocates them again.
void release_entry_buffers();

// Number of compressed blocks read from the data file since the process started (a
// block served from the entry cache is not counted). Tests and benchmarks read it.
std::uint64_t entry_block_reads();
