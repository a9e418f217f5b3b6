// datafiles.h: the open dictionary file pair (".cmp" data, ".ndx" index), the one-block
// cache of the index file, its descriptor table, the data file's dictionary header and
// the packed numbers that every index record uses. One pair is open at a time; the rule
// a reader must not miss: every byte read from these files is untrusted, and damaged
// data ends in engine_fatal, never in a read outside a buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

inline constexpr std::uint32_t kBlockSize = 512;        // every caller's block size
inline constexpr std::uint32_t kDescriptorSize = 360;   // block 0 as the descriptor table
inline constexpr std::uint32_t kDescriptorEntrySize = 18;
inline constexpr std::uint32_t kDictionaryHeaderLimit = 16384;  // headers must be below
inline constexpr std::uint32_t kNoBlock = 0xFFFFFFFFu;

// Opens the pair base_name + ".cmp" / ".ndx": each first as given, then as directory +
// base_name + extension joined with no separator; a name as given that is no file (a
// folder, a FIFO, a device) is passed over as a missing one is. Returns 0 when both files
// opened and the dictionary header (below 16,384 bytes) was read, 1 otherwise. On failure
// the pair that was open before stays open and usable; on success it is replaced, and the
// block cache, the descriptor table and the entry cache are reset. An index file shorter
// than the descriptor table is refused too.
std::int16_t DataFilesPresent(const char* directory, const char* base_name);

// 0 when both files of the pair can be found (readable regular files, size above 0) under
// either path, 1 otherwise. Opens nothing.
std::int16_t probe_data_files(const char* directory, const char* base_name);

// Closes both files of the open pair (if any) and forgets the descriptor table.
void close_data_files();

// True while a pair is open.
bool data_files_open();

// Raised by every successful open: a cache of data read from the pair (such as the
// entry cache) compares it with the value it was filled under.
std::uint32_t data_files_generation();

// The open files, or null. Reads through them go through read_at.
std::FILE* index_file();
std::FILE* data_file();

// The paths the open files were opened under (as given, or joined to the directory); ""
// when no pair is open.
const std::string& data_file_path();
const std::string& index_file_path();

// Why the last DataFilesPresent failed, naming the file at fault: the path that could not
// be opened (the joined one when neither opened, after the name as given when that was no
// file), a folder in a file's place, a missing or damaged header, an index shorter than its
// descriptor table. "" after a success. The
// program's checked open (OpenDictionary) sets it too, for a pair its checks refuse.
const std::string& data_files_problem();
void set_data_files_problem(const std::string& problem);

// The path of the file whose read failed last: the file a fatal "unable to read" report
// is about ("" when no read has failed, or the file was neither of the pair's).
const std::string& failed_read_path();

// Damage found in the index's data while reading it (a block where a word block must be):
// fatal, as a failed read of the index is, naming the index file.
[[noreturn]] void index_damaged(const std::string& what);

// Reads block 0 with block size 360 into the descriptor table (the cache is reset first).
void load_descriptor();

// Looks up the descriptor entry of index_code (exact, case-sensitive). Found: stores the
// start and end byte offsets (and the total key length when asked) and returns true.
// Not found: warns "unable to find descriptor table entry for: " + code, stores 0 in
// start and end and returns false.
bool find_descriptor(const char* index_code, std::uint32_t* start, std::uint32_t* end,
                     std::uint32_t* total_key_length = nullptr);

// The blocks of a word-block index: first = start / block_size, last = end / block_size
// - 1. Returns false (with first = 1, last = 0) when the code is unknown or the range is
// empty: callers treat that as "not found" at once.
bool index_block_range(const char* index_code, std::uint32_t block_size, std::uint32_t* first,
                       std::uint32_t* last);

// Makes the block buffer hold block block_number of the index file, read as block_size
// bytes at block_number * block_size and descrambled with that offset as seed. The cache
// is keyed by number and size. Returns the buffer (block_size bytes, valid until the next
// read_block). A short read is fatal ("unable to read file at offset N").
const std::uint8_t* read_block(std::uint32_t block_number, std::uint32_t block_size);

// Makes the block buffer hold at least the first prefix_bytes bytes of the block, read
// and descrambled; the rest of the buffer is not yet that block's. A binary search that
// only looks at a block's first entry reads this much. A later read_block of the same
// block completes it. Returns the buffer.
const std::uint8_t* read_block_prefix(std::uint32_t block_number, std::uint32_t block_size,
                                      std::uint32_t prefix_bytes);

// The block buffer and the number of the block it holds (kNoBlock when none).
const std::uint8_t* block_buffer();
std::uint32_t cached_block_number();
std::uint32_t cached_block_size();

// Lets the pages of the mapped index file that lie wholly within bytes start..end go from
// the process's resident memory; the system keeps them cached and a later read brings them
// back. For a range whose contents were just copied elsewhere (decoded words).
void release_index_pages(std::uint64_t start, std::uint64_t end);

// Number of blocks read from the index file since start (cache hits, and completing a
// block read in part, do not count).
std::uint64_t block_read_count();

// Reads exactly count bytes at offset of file; a failed seek or a short read is fatal
// ("unable to seek file to offset N" / "unable to read file at offset N").
void read_at(std::FILE* file, void* buffer, std::uint64_t offset, std::size_t count);

// The dictionary header (the preset text of the entry decoder) of the open pair and its
// length; null and 0 when no pair is open. Valid until the next successful open.
const std::uint8_t* dictionary_header();
std::uint16_t dictionary_header_length();

// Packed numbers: one to five bytes, most significant 7-bit group first, bit 7 set on
// every byte but the last. pack_number writes at destination (room for 5 bytes) and
// returns the position after the number.
std::uint8_t* pack_number(std::uint8_t* destination, std::uint32_t value);

// Number of bytes pack_number writes for value.
std::size_t packed_size(std::uint32_t value);

// Reads a packed number at source; returns the position after it. Unbounded: for
// trusted buffers only (the entry text the engine itself expanded).
const std::uint8_t* unpack_number(const std::uint8_t* source, std::uint32_t* value);

// Reads a packed number that must end before end; a number that runs to or past end
// is damaged index data and fatal ("packed number runs past its block").
const std::uint8_t* unpack_number_bounded(const std::uint8_t* source, const std::uint8_t* end,
                                          std::uint32_t* value);

// Steps over count packed numbers (unbounded, like unpack_number).
const std::uint8_t* skip_numbers(const std::uint8_t* position, int count);

// Big-endian fixed-width writers; values that do not fit are fatal
// ("data too large in store_in_two()" / "... store_in_three()").
std::uint8_t* store_in_two(std::uint8_t* destination, std::uint32_t value);
std::uint8_t* store_in_three(std::uint8_t* destination, std::uint32_t value);

// One line on standard output: code, start, end, bytes used and total key length.
void dump_descriptor(const char* index_code);

// Other modules that keep heap buffers for the open pair register a release function
// here once; close_engine calls each of them. At most 8 hooks; a repeat is ignored.
using EngineReleaseHook = void (*)();
void register_release_hook(EngineReleaseHook hook);

// Releases the engine's heap state: the header copy, the block buffer, the node pool,
// the scratch buffer and every registered buffer. Leaves the files open.
void close_engine();
