// datafiles.cpp: the open file pair, the one-block cache of the index file, the
// descriptor table, the dictionary header and packed numbers.
//
// Index file: block 0 holds the descriptor table (360 bytes, scrambled as one block of
// 360 bytes with seed 0); every other 512-byte block is scrambled with its byte offset as
// seed. Descriptor entry (18 bytes): code (2 letters + 0), then three packed numbers in
// 5-byte slots: start offset, end offset (exclusive), total key length. The table ends at
// the first entry whose first byte is 0, or after 20 entries.
// Data file: 2 bytes big-endian header length L, L bytes of header, then compressed
// blocks (read by the entry text module).
#include "engine/datafiles.h"

#include <setjmp.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/idlist.h"
#include "engine/report.h"
#include "engine/scramble.h"
#include "vkocoll/readfile.h"

namespace {

constexpr std::uint32_t kDescriptorEntries = kDescriptorSize / kDescriptorEntrySize;
constexpr int kPackedSlot = 5;

struct DataFilesState {
    std::FILE* data = nullptr;
    std::FILE* index = nullptr;
    // A read-only mapping of the index file behind its stdio handle, so that a block read
    // is a copy rather than a system call; null when the file could not be mapped.
    const std::uint8_t* index_map = nullptr;
    std::size_t index_map_size = 0;
    std::vector<std::uint8_t> block;          // capacity grows, never shrinks
    std::uint32_t block_number = kNoBlock;
    std::uint32_t block_size = 0;             // size the cached block was read with
    std::uint32_t block_valid = 0;            // leading bytes of it read so far
    std::uint8_t descriptor[kDescriptorSize] = {};
    bool descriptor_loaded = false;
    std::vector<std::uint8_t> header;         // header bytes and a terminating 0
    std::uint16_t header_length = 0;
    std::uint64_t reads = 0;
    std::uint32_t generation = 0;
    EngineReleaseHook hooks[8] = {};
    std::string data_path;                    // the paths the pair was opened under
    std::string index_path;
    std::string failed_read_path;             // the file of the last read that failed
    std::string open_problem;                 // why the last open failed
};

DataFilesState state;

// Why the file at path could not be opened, naming it; kind is what it should have been
// ("a data file", "an index file"). errno is the failed open's.
std::string cannot_open(const std::string& path, ReadRefusal refusal, const char* kind)
{
    const int error = errno;
    if (refusal == ReadRefusal::kFolder || refusal == ReadRefusal::kNotRegular)
        return path + ": " + DescribeReadRefusal(refusal, error) + ", not " + kind;
    return "cannot open \"" + path + "\" (" + std::strerror(error) + ")";
}

// Opens base_name + extension as it stands (in the working folder), else directory +
// base_name + extension; *path gets the one opened. A name in the working folder that is no
// file (a folder, a FIFO, a device) is no copy of the file: the directory's is looked for
// as when the name is missing. When neither opens, *problem says why, naming the path
// tried last, and the working folder's name too when that was there but no file.
std::FILE* open_either(const char* directory, const char* base_name, const char* extension,
                       const char* kind, std::string* path, std::string* problem)
{
    const std::string local = std::string(base_name) + extension;
    const std::string joined = std::string(directory != nullptr ? directory : "") + local;
    ReadRefusal refusal = ReadRefusal::kNone;
    *path = local;
    if (std::FILE* file = OpenFileToRead(local, &refusal))
        return file;
    const std::string local_problem = cannot_open(local, refusal, kind);
    if (joined == local) {
        *problem = local_problem;
        return nullptr;
    }
    const bool passed_over = refusal != ReadRefusal::kCannotOpen;
    *path = joined;
    if (std::FILE* file = OpenFileToRead(joined, &refusal))
        return file;
    *problem = (passed_over ? local_problem + "; " : std::string()) +
               cannot_open(joined, refusal, kind);
    return nullptr;
}

// Reads what the file holds at offset, up to count bytes; the number read.
std::size_t read_some(std::FILE* file, void* buffer, std::uint64_t offset, std::size_t count)
{
    const int fd = fileno(file);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = pread(fd, static_cast<char*>(buffer) + done, count - done,
                                  static_cast<off_t>(offset + done));
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

// Reads the header of a data file being opened; false when it is missing, short or
// too large for the decoder window.
bool read_header(std::FILE* file, std::vector<std::uint8_t>* header, std::uint16_t* length)
{
    std::uint8_t size_bytes[2];
    if (read_some(file, size_bytes, 0, 2) != 2)
        return false;
    const std::uint32_t len = (std::uint32_t{size_bytes[0]} << 8) | size_bytes[1];
    if (len >= kDictionaryHeaderLimit)
        return false;
    header->assign(len + 1, 0);
    if (read_some(file, header->data(), 2, len) != len)
        return false;
    *length = static_cast<std::uint16_t>(len);
    return true;
}

// An index file cut while it is mapped (copied over, a disc taken out) makes a read of its
// pages past the new end raise SIGBUS. A read of the map catches it and fails as a short
// read does, so that damage met after start gets the fatal report the program shows,
// instead of the process dying without a word.
sigjmp_buf map_read_fault;
volatile std::sig_atomic_t map_read_running = 0;
struct sigaction bus_action_before {};
bool bus_handler_installed = false;

void on_bus_error(int, siginfo_t*, void*)
{
    if (map_read_running != 0)
        siglongjmp(map_read_fault, 1);
    // Not a read of the map: the handler before takes the signal.
    sigaction(SIGBUS, &bus_action_before, nullptr);
    raise(SIGBUS);
}

void install_bus_handler()
{
    if (bus_handler_installed)
        return;
    struct sigaction action {};
    action.sa_sigaction = on_bus_error;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;  // stays unblocked after the jump out
    sigemptyset(&action.sa_mask);
    bus_handler_installed = sigaction(SIGBUS, &action, &bus_action_before) == 0;
}

void map_index()
{
    struct stat info {};
    if (fstat(fileno(state.index), &info) != 0 || info.st_size <= 0)
        return;
    install_bus_handler();
    void* map = mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_SHARED,
                     fileno(state.index), 0);
    if (map == MAP_FAILED)
        return;
    state.index_map = static_cast<const std::uint8_t*>(map);
    state.index_map_size = static_cast<std::size_t>(info.st_size);
}

void unmap_index()
{
    if (state.index_map != nullptr)
        munmap(const_cast<std::uint8_t*>(state.index_map), state.index_map_size);
    state.index_map = nullptr;
    state.index_map_size = 0;
}

// Reads count bytes at offset of the index file into buffer and descrambles them with
// the offset as seed; false on a short read.
bool read_index(std::uint8_t* buffer, std::uint64_t offset, std::uint32_t count)
{
    if (state.index_map == nullptr) {
        if (read_some(state.index, buffer, offset, count) != count)
            return false;
        ScrambleBlock(buffer, static_cast<std::int32_t>(count), static_cast<std::uint32_t>(offset));
        return true;
    }
    if (offset > state.index_map_size || count > state.index_map_size - offset)
        return false;
    map_read_running = 1;
    if (sigsetjmp(map_read_fault, 0) != 0) {
        map_read_running = 0;
        return false;  // the file is shorter than when it was mapped
    }
    scramble_copy(buffer, state.index_map + offset, static_cast<std::int32_t>(count),
                  static_cast<std::uint32_t>(offset));
    map_read_running = 0;
    return true;
}

// A file that can be read and holds something; a folder, a FIFO or a device is none.
bool file_is_present(const std::string& path)
{
    struct stat info {};
    if (access(path.c_str(), R_OK) != 0 || stat(path.c_str(), &info) != 0)
        return false;
    return S_ISREG(info.st_mode) && info.st_size > 0;
}

// The descriptor entry of code, or null.
const std::uint8_t* descriptor_entry(const char* code)
{
    if (!state.descriptor_loaded)
        load_descriptor();
    for (std::uint32_t i = 0; i < kDescriptorEntries; ++i) {
        const std::uint8_t* entry = state.descriptor + i * kDescriptorEntrySize;
        if (entry[0] == 0)
            return nullptr;
        const char stored[3] = {static_cast<char>(entry[0]), static_cast<char>(entry[1]), 0};
        if (entry[2] == 0 && std::strcmp(stored, code) == 0)
            return entry;
    }
    return nullptr;
}

} // namespace

std::int16_t DataFilesPresent(const char* directory, const char* base_name)
{
    state.open_problem.clear();
    if (base_name == nullptr) {
        state.open_problem = "no file name";
        return 1;
    }
    std::string data_path;
    std::string index_path;
    std::FILE* data =
        open_either(directory, base_name, ".cmp", "a data file", &data_path, &state.open_problem);
    if (data == nullptr)
        return 1;
    std::FILE* index = open_either(directory, base_name, ".ndx", "an index file", &index_path,
                                   &state.open_problem);
    if (index == nullptr) {
        std::fclose(data);
        return 1;
    }
    std::vector<std::uint8_t> header;
    std::uint16_t header_length = 0;
    std::uint8_t descriptor[kDescriptorSize];
    if (!read_header(data, &header, &header_length))
        state.open_problem = data_path + ": its header is missing or damaged";
    else if (read_some(index, descriptor, 0, kDescriptorSize) != kDescriptorSize)
        state.open_problem = index_path + ": shorter than its descriptor table";
    if (!state.open_problem.empty()) {
        std::fclose(data);
        std::fclose(index);
        return 1;
    }
    // Everything is in place: only now does the new pair replace the old one.
    close_data_files();
    state.data = data;
    state.index = index;
    state.data_path = std::move(data_path);
    state.index_path = std::move(index_path);
    state.header = std::move(header);
    state.header_length = header_length;
    map_index();
    ++state.generation;
    load_descriptor();
    return 0;
}

std::int16_t probe_data_files(const char* directory, const char* base_name)
{
    if (base_name == nullptr)
        return 1;
    for (const char* extension : {".cmp", ".ndx"}) {
        const std::string local = std::string(base_name) + extension;
        const std::string joined =
            std::string(directory != nullptr ? directory : "") + base_name + extension;
        if (!file_is_present(local) && !file_is_present(joined))
            return 1;
    }
    return 0;
}

void close_data_files()
{
    unmap_index();
    if (state.data != nullptr)
        std::fclose(state.data);
    if (state.index != nullptr)
        std::fclose(state.index);
    state.data = nullptr;
    state.index = nullptr;
    state.data_path.clear();
    state.index_path.clear();
    state.block_number = kNoBlock;
    state.descriptor_loaded = false;
    std::memset(state.descriptor, 0, sizeof state.descriptor);
    state.header.clear();
    state.header_length = 0;
}

bool data_files_open()
{
    return state.data != nullptr && state.index != nullptr;
}

std::uint32_t data_files_generation()
{
    return state.generation;
}

std::FILE* index_file()
{
    return state.index;
}

std::FILE* data_file()
{
    return state.data;
}

void load_descriptor()
{
    state.block_number = kNoBlock;
    if (state.index == nullptr) {
        // Nothing open: an empty table, so every lookup finds nothing.
        std::memset(state.descriptor, 0, sizeof state.descriptor);
    } else {
        std::memcpy(state.descriptor, read_block(0, kDescriptorSize), kDescriptorSize);
    }
    state.descriptor_loaded = true;
}

bool find_descriptor(const char* index_code, std::uint32_t* start, std::uint32_t* end,
                     std::uint32_t* total_key_length)
{
    *start = 0;
    *end = 0;
    if (total_key_length != nullptr)
        *total_key_length = 0;
    const std::uint8_t* entry = index_code != nullptr ? descriptor_entry(index_code) : nullptr;
    if (entry == nullptr) {
        engine_warning(std::string("unable to find descriptor table entry for: ") +
                       (index_code != nullptr ? index_code : ""));
        return false;
    }
    std::uint32_t key_length = 0;
    unpack_number_bounded(entry + 3, entry + 3 + kPackedSlot, start);
    unpack_number_bounded(entry + 8, entry + 8 + kPackedSlot, end);
    unpack_number_bounded(entry + 13, entry + 13 + kPackedSlot, &key_length);
    if (total_key_length != nullptr)
        *total_key_length = key_length;
    return true;
}

bool index_block_range(const char* index_code, std::uint32_t block_size, std::uint32_t* first,
                       std::uint32_t* last)
{
    *first = 1;
    *last = 0;
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    if (!find_descriptor(index_code, &start, &end))
        return false;
    const std::uint32_t first_block = start / block_size;
    const std::uint32_t end_block = end / block_size;
    // Block 0 is the descriptor table: an index that claims it is damaged, and is empty.
    if (first_block == 0 || end_block <= first_block)
        return false;
    *first = first_block;
    *last = end_block - 1;
    return true;
}

const std::uint8_t* read_block_prefix(std::uint32_t block_number, std::uint32_t block_size,
                                      std::uint32_t prefix_bytes)
{
    const bool same = block_number == state.block_number && block_size == state.block_size;
    if (same && state.block_valid >= prefix_bytes)
        return state.block.data();
    if (state.block.size() < block_size)
        state.block.resize(block_size);
    // Only a mapped file is read in part; a read through the stdio handle reads it all.
    const std::uint32_t count =
        (state.index_map != nullptr && prefix_bytes < block_size) ? prefix_bytes : block_size;
    const std::uint64_t offset = std::uint64_t{block_number} * block_size;
    state.block_number = kNoBlock;
    if (state.index == nullptr ||
        (state.index_map != nullptr &&
         (offset > state.index_map_size || block_size > state.index_map_size - offset)) ||
        !read_index(state.block.data(), offset, count)) {
        state.failed_read_path = state.index_path;
        engine_fatal("unable to read file at offset " + std::to_string(offset));
    }
    state.block_number = block_number;
    state.block_size = block_size;
    state.block_valid = count;
    if (!same)
        ++state.reads;   // completing a block read in part is the same read
    return state.block.data();
}

const std::uint8_t* read_block(std::uint32_t block_number, std::uint32_t block_size)
{
    return read_block_prefix(block_number, block_size, block_size);
}

const std::uint8_t* block_buffer()
{
    return state.block.data();
}

std::uint32_t cached_block_number()
{
    return state.block_number;
}

std::uint32_t cached_block_size()
{
    return state.block_size;
}

void release_index_pages(std::uint64_t start, std::uint64_t end)
{
    if (state.index_map == nullptr)
        return;
    const auto page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    const std::uint64_t first = (start + page - 1) / page * page;
    const std::uint64_t last = std::min<std::uint64_t>(end, state.index_map_size) / page * page;
    if (first < last)
        madvise(const_cast<std::uint8_t*>(state.index_map) + first, last - first, MADV_DONTNEED);
}

std::uint64_t block_read_count()
{
    return state.reads;
}

void read_at(std::FILE* file, void* buffer, std::uint64_t offset, std::size_t count)
{
    if (file == nullptr)
        engine_fatal("unable to seek file to offset " + std::to_string(offset));
    if (read_some(file, buffer, offset, count) != count) {
        state.failed_read_path = file == state.data ? state.data_path
                                 : file == state.index ? state.index_path
                                                        : std::string();
        engine_fatal("unable to read file at offset " + std::to_string(offset));
    }
}

void index_damaged(const std::string& what)
{
    state.failed_read_path = state.index_path;
    engine_fatal(what);
}

const std::string& data_file_path()
{
    return state.data_path;
}

const std::string& index_file_path()
{
    return state.index_path;
}

const std::string& failed_read_path()
{
    return state.failed_read_path;
}

const std::string& data_files_problem()
{
    return state.open_problem;
}

void set_data_files_problem(const std::string& problem)
{
    state.open_problem = problem;
}

const std::uint8_t* dictionary_header()
{
    return state.header.empty() ? nullptr : state.header.data();
}

std::uint16_t dictionary_header_length()
{
    return state.header_length;
}

std::uint8_t* pack_number(std::uint8_t* destination, std::uint32_t value)
{
    if (value >= 0x10000000u)
        *destination++ = static_cast<std::uint8_t>(0x80 | (value >> 28));
    if (value >= 0x200000u)
        *destination++ = static_cast<std::uint8_t>(0x80 | ((value >> 21) & 0x7F));
    if (value >= 16384u)
        *destination++ = static_cast<std::uint8_t>(0x80 | ((value >> 14) & 0x7F));
    if (value >= 128u)
        *destination++ = static_cast<std::uint8_t>(0x80 | ((value >> 7) & 0x7F));
    *destination++ = static_cast<std::uint8_t>(value & 0x7F);
    return destination;
}

std::size_t packed_size(std::uint32_t value)
{
    std::uint8_t scratch[kPackedSlot];
    return static_cast<std::size_t>(pack_number(scratch, value) - scratch);
}

const std::uint8_t* unpack_number(const std::uint8_t* source, std::uint32_t* value)
{
    std::uint32_t result = *source & 0x7Fu;
    while ((*source++ & 0x80u) != 0)
        result = (result << 7) + (*source & 0x7Fu);
    *value = result;
    return source;
}

const std::uint8_t* unpack_number_bounded(const std::uint8_t* source, const std::uint8_t* end,
                                          std::uint32_t* value)
{
    if (source >= end)
        engine_fatal("packed number runs past its block");
    std::uint32_t result = *source & 0x7Fu;
    while ((*source++ & 0x80u) != 0) {
        if (source >= end)
            engine_fatal("packed number runs past its block");
        result = (result << 7) + (*source & 0x7Fu);
    }
    *value = result;
    return source;
}

const std::uint8_t* skip_numbers(const std::uint8_t* position, int count)
{
    std::uint32_t ignored = 0;
    for (int i = 0; i < count; ++i)
        position = unpack_number(position, &ignored);
    return position;
}

std::uint8_t* store_in_two(std::uint8_t* destination, std::uint32_t value)
{
    if (value >= 0x10000u)
        engine_fatal("data too large in store_in_two()");
    destination[0] = static_cast<std::uint8_t>(value >> 8);
    destination[1] = static_cast<std::uint8_t>(value);
    return destination + 2;
}

std::uint8_t* store_in_three(std::uint8_t* destination, std::uint32_t value)
{
    if (value >= 0x1000000u)
        engine_fatal("data too large in store_in_three()");
    destination[0] = static_cast<std::uint8_t>(value >> 16);
    destination[1] = static_cast<std::uint8_t>(value >> 8);
    destination[2] = static_cast<std::uint8_t>(value);
    return destination + 3;
}

void dump_descriptor(const char* index_code)
{
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    std::uint32_t key_length = 0;
    find_descriptor(index_code, &start, &end, &key_length);
    std::printf("%s: start = %lu, end = %lu, bytes used = %ld, total key length = %lu\n",
                index_code, static_cast<unsigned long>(start), static_cast<unsigned long>(end),
                static_cast<long>(end) - static_cast<long>(start),
                static_cast<unsigned long>(key_length));
}

void register_release_hook(EngineReleaseHook hook)
{
    for (EngineReleaseHook& slot : state.hooks) {
        if (slot == hook)
            return;
        if (slot == nullptr) {
            slot = hook;
            return;
        }
    }
}

void close_engine()
{
    std::vector<std::uint8_t>().swap(state.header);
    state.header_length = 0;
    std::vector<std::uint8_t>().swap(state.block);
    state.block_number = kNoBlock;
    idlist_release_pool();
    scratch_release();
    for (EngineReleaseHook hook : state.hooks) {
        if (hook != nullptr)
            hook();
    }
}
