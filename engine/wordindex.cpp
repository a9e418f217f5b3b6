// wordindex.cpp: word blocks, their comparison routines, word lookup by binary search,
// posting collection and the browse scan.
//
// Word block (block size bytes, scrambled on disc, plain in the block buffer):
//   entry := P (1 byte, characters shared with the previous word of the block; 0 for the
//            first) | suffix (bytes, ended by 0) | L (packed) | data (L bytes)
//   two 0 bytes where the next entry would begin end the block. A block whose first byte
//   is not 0 is a continuation block: packed resume offset (the word block where the
//   entries go on), packed posting differences, two 0 bytes.
// A long entry (data past its block): L = bytes from after L to the block's end mark +
// k * block size, where k is the number of continuation blocks after it; the total
// posting count follows L. The next entry starts block b + L / block size + 1.
// Every field is checked against the block's end: damaged data is fatal, never a read
// outside the block buffer or a write past the 80-byte word buffer.
#include "engine/wordindex.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "engine/datafiles.h"
#include "engine/decoded_words.h"
#include "engine/report.h"
#include "engine/resultlist.h"

namespace {

struct Entry {
    std::uint32_t prefix;          // P
    const std::uint8_t* suffix;    // in the block buffer
    std::uint32_t suffix_len;
    std::uint32_t data_pos;        // position after L
    std::uint32_t data_len;        // L
};

// Bytes of a block that a binary-search probe reads: first enough for most first entries
// and a continuation block's resume offset, then enough for any first entry (a word of up
// to 79 bytes, its terminator and its data length).
constexpr std::uint32_t kShortProbeBytes = 32;
constexpr std::uint32_t kProbeBytes = 128;

struct WordIndexState {
    CompareRoutine compare = compare_entry;
    char word[kWordBufferSize] = {};   // the word the comparison rebuilt last
    // The smallest block of the last search_blocks that was seen to start after the
    // word: find_entry need not read it again to learn that the walk is over.
    std::uint32_t upper_block = kNoBlock;
    // The entry the last comparison parsed, so that the step to the next entry does not
    // parse it again.
    std::uint32_t parsed_block = kNoBlock;
    std::uint32_t parsed_size = 0;
    std::uint32_t parsed_generation = 0;
    std::uint32_t parsed_pos = 0;
    Entry parsed{};
};

WordIndexState state;

bool is_alnum(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int lower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

bool is_end_mark(const std::uint8_t* block, std::uint32_t block_size, std::uint32_t pos)
{
    return pos + 1 >= block_size || (block[pos] == 0 && block[pos + 1] == 0);
}

Entry parse_entry(const std::uint8_t* block, std::uint32_t block_size, std::uint32_t pos)
{
    Entry entry{};
    if (pos + 1 >= block_size)
        engine_fatal("word entry runs past its block");
    entry.prefix = block[pos];
    entry.suffix = block + pos + 1;
    // Suffixes are short: a plain loop beats a library call here.
    const std::uint32_t room = block_size - pos - 1;
    std::uint32_t len = 0;
    while (len < room && entry.suffix[len] != 0)
        ++len;
    if (len == room)
        engine_fatal("word entry runs past its block");
    entry.suffix_len = len;
    // The data length, most often one byte.
    std::uint32_t at = pos + 1 + len + 1;
    if (at < block_size && block[at] < 0x80) {
        entry.data_len = block[at];
        entry.data_pos = at + 1;
        return entry;
    }
    const std::uint8_t* after =
        unpack_number_bounded(block + at, block + block_size, &entry.data_len);
    entry.data_pos = static_cast<std::uint32_t>(after - block);
    return entry;
}

void rebuild(char* word, const Entry& entry)
{
    if (entry.prefix + entry.suffix_len >= kWordBufferSize)
        engine_fatal("word too long in index");
    // Suffixes are short: a plain loop beats a library call here too.
    char* const out = word + entry.prefix;
    for (std::uint32_t i = 0; i < entry.suffix_len; ++i)
        out[i] = static_cast<char>(entry.suffix[i]);
    out[entry.suffix_len] = 0;
}

bool data_in_block(const Entry& entry, std::uint32_t block_size)
{
    return std::uint64_t{entry.data_pos} + entry.data_len < block_size;
}

// The block after a long entry of block block_number; kNoBlock when it would overflow.
std::uint32_t block_after_long(const Entry& entry, std::uint32_t block_number,
                               std::uint32_t block_size)
{
    const std::uint64_t next = std::uint64_t{block_number} + entry.data_len / block_size + 1;
    return next >= kNoBlock ? kNoBlock : static_cast<std::uint32_t>(next);
}

// The entry after pos, without reading a block past last: returns the position and
// moves *block_number; after a long entry that ends the range, *block_number > last.
std::uint32_t step_entry(std::uint32_t pos, std::uint32_t* block_number,
                         std::uint32_t block_size, std::uint32_t last)
{
    const std::uint8_t* block = read_block(*block_number, block_size);
    const bool parsed = state.parsed_block == *block_number && state.parsed_pos == pos &&
                        state.parsed_size == block_size &&
                        state.parsed_generation == data_files_generation();
    const Entry entry = parsed ? state.parsed : parse_entry(block, block_size, pos);
    if (data_in_block(entry, block_size))
        return entry.data_pos + entry.data_len;
    *block_number = block_after_long(entry, *block_number, block_size);
    if (*block_number <= last)
        read_block(*block_number, block_size);
    return 0;
}

// The word block that block n is or resumes at, within first..last; kNoBlock when a
// continuation block resumes past last (the range ends inside a long entry's chain)
// or does not resume forward.
std::uint32_t seek_in_range(std::uint32_t n, std::uint32_t block_size, std::uint32_t last)
{
    const std::uint32_t probe = std::min(kShortProbeBytes, block_size);
    const std::uint8_t* block = read_block_prefix(n, block_size, probe);
    if (block[0] == 0)
        return n;
    std::uint32_t resume = 0;
    unpack_number_bounded(block, block + probe, &resume);
    const std::uint32_t target = resume / block_size;
    if (target <= n || target > last)
        return kNoBlock;
    block = read_block_prefix(target, block_size, probe);
    return block[0] == 0 ? target : kNoBlock;
}

// The comparison in force on the first entry of word block b. Reads only the block's
// first bytes when the whole entry lies in them.
int compare_first(std::uint32_t b, const char* word, std::uint32_t block_size)
{
    const std::uint8_t* block = nullptr;
    for (const std::uint32_t bytes : {kShortProbeBytes, kProbeBytes, block_size}) {
        const std::uint32_t probe = std::min(bytes, block_size);
        block = read_block_prefix(b, block_size, probe);
        const void* nul = probe > 1 ? std::memchr(block + 1, 0, probe - 1) : nullptr;
        if (probe == block_size ||
            (nul != nullptr && static_cast<const std::uint8_t*>(nul) - block + 6 <= probe))
            break;
    }
    if (is_end_mark(block, block_size, 0))
        return -1;   // an empty word block holds nothing after the word
    return state.compare(block, word);
}

// The nearest word block before b, not below first; kNoBlock when none.
std::uint32_t previous_word_block(std::uint32_t b, std::uint32_t first, std::uint32_t block_size)
{
    while (b > first) {
        --b;
        if (read_block_prefix(b, block_size, 1)[0] == 0)
            return b;
    }
    return kNoBlock;
}

// Block where the entries of a lookup of word start: the earliest block of a run of
// blocks that begin with words comparing equal to word. kNoBlock for an empty range.
std::uint32_t start_block(const char* word, std::uint32_t first, std::uint32_t last,
                          std::uint32_t block_size)
{
    std::uint32_t b = search_blocks(word, first, last, block_size);
    while (b > first && compare_first(b, word, block_size) == 0) {
        const std::uint32_t before = previous_word_block(b, first, block_size);
        if (before == kNoBlock)
            break;
        b = before;
    }
    return b;
}

void append_value(ResultList* list, bool first, std::uint32_t number)
{
    list->append(first ? number : list->values.tail()->value + number);
}

// loose_compare that also stores the index in a of the character that decided it (the
// length of a when a ran out).
int loose_compare_at(const char* a, const char* b, std::size_t* decided_at)
{
    const auto* start = reinterpret_cast<const unsigned char*>(a);
    const auto* pa = start;
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    // Most words are lower-case letters and digits only: compare those directly.
    while (*pa == *pb && *pa != 0 && ((*pa >= 'a' && *pa <= 'z') || (*pa >= '0' && *pa <= '9'))) {
        ++pa;
        ++pb;
    }
    for (;;) {
        while (*pa != 0 && !is_alnum(*pa))
            ++pa;
        while (*pb != 0 && !is_alnum(*pb))
            ++pb;
        const int ca = lower(*pa);
        const int cb = lower(*pb);
        if (ca != cb || ca == 0) {
            *decided_at = static_cast<std::size_t>(pa - start);
            return ca - cb;
        }
        ++pa;
        ++pb;
    }
}

// Rebuilds the word of the entry at entry (in the block buffer) into the current word
// buffer and keeps its parse for the step that follows.
void rebuild_current(const std::uint8_t* entry)
{
    const std::uint8_t* block = block_buffer();
    const std::uint32_t pos = static_cast<std::uint32_t>(entry - block);
    state.parsed = parse_entry(block, cached_block_size(), pos);
    state.parsed_block = cached_block_number();
    state.parsed_size = cached_block_size();
    state.parsed_generation = data_files_generation();
    state.parsed_pos = pos;
    rebuild(state.word, state.parsed);
}

} // namespace

const char* current_word()
{
    return state.word;
}

void set_compare_routine(CompareRoutine compare)
{
    state.compare = compare != nullptr ? compare : compare_entry;
}

CompareRoutine compare_routine()
{
    return state.compare;
}

int loose_compare(const char* a, const char* b)
{
    std::size_t decided_at = 0;
    return loose_compare_at(a, b, &decided_at);
}

int compare_entry(const std::uint8_t* entry, const char* word)
{
    rebuild_current(entry);
    return loose_compare(state.word, word);
}

int bracket_compare(const std::uint8_t* entry, const char* word)
{
    rebuild_current(entry);
    char stored[kWordBufferSize];
    std::memcpy(stored, state.word, sizeof stored);
    if (char* bracket = std::strchr(stored, '['))
        *bracket = 0;
    const std::string wanted(word, std::strcspn(word, "["));
    return loose_compare(stored, wanted.c_str());
}

void get_word(char* destination, std::size_t capacity, std::uint32_t index_offset,
              std::uint32_t block_size)
{
    if (capacity != 0) {
        // From the index's decoded words when they are kept and hold the entry.
        if (const auto words = kept_words_holding(index_offset, block_size)) {
            const auto entry = words->at_or_after(index_offset);
            if (!entry.at_end() && entry.offset() == index_offset) {
                std::strncpy(destination, entry.word(), capacity - 1);
                destination[capacity - 1] = 0;
                return;
            }
        }
    }
    const std::uint32_t block_number = index_offset / block_size;
    const std::uint32_t target = index_offset % block_size;
    const std::uint8_t* block = read_block(block_number, block_size);
    char word[kWordBufferSize] = {};
    std::uint32_t pos = 0;
    if (block[0] != 0)
        engine_fatal("invalid offset in get_word");
    for (;;) {
        if (is_end_mark(block, block_size, pos))
            engine_fatal("invalid offset in get_word");
        const Entry entry = parse_entry(block, block_size, pos);
        rebuild(word, entry);
        if (pos == target)
            break;
        if (pos > target || !data_in_block(entry, block_size))
            engine_fatal("invalid offset in get_word");
        pos = entry.data_pos + entry.data_len;
    }
    if (capacity == 0)
        return;
    std::strncpy(destination, word, capacity - 1);
    destination[capacity - 1] = 0;
}

std::uint32_t next_entry(std::uint32_t entry_pos, std::uint32_t* block_number,
                         std::uint32_t block_size)
{
    return step_entry(entry_pos, block_number, block_size, kNoBlock - 1);
}

std::uint32_t seek_word_block(std::uint32_t n, std::uint32_t block_size)
{
    const std::uint32_t b = seek_in_range(n, block_size, kNoBlock - 1);
    return b == kNoBlock ? n : b;
}

std::uint32_t search_blocks(const char* word, std::uint32_t first, std::uint32_t last,
                            std::uint32_t block_size)
{
    // Finds the last word block whose first entry is not after the word. Each probe
    // moves a bound strictly, also when the probed block is a continuation block whose
    // word block lies beyond the middle, so the search always ends.
    std::uint64_t lo = first;
    std::uint64_t hi = last;
    std::uint32_t best = kNoBlock;
    state.upper_block = kNoBlock;
    while (lo <= hi) {
        const std::uint32_t mid = static_cast<std::uint32_t>(lo + (hi - lo) / 2);
        const std::uint32_t b = seek_in_range(mid, block_size, last);
        if (b == kNoBlock) {
            hi = std::uint64_t{mid} - 1;
            if (mid == 0)
                break;
            continue;
        }
        const int c = compare_first(b, word, block_size);
        if (c == 0)
            return b;
        if (c > 0) {
            state.upper_block = mid;
            if (mid == 0)
                break;
            hi = std::uint64_t{mid} - 1;
        } else {
            best = b;
            lo = std::uint64_t{b} + 1;
        }
    }
    if (best != kNoBlock)
        return best;
    const std::uint32_t b = seek_in_range(first, block_size, last);
    return b == kNoBlock ? first : b;
}

std::int32_t find_entry(const char* word, const char* index_code, std::uint32_t* block_number,
                        std::uint32_t block_size)
{
    if (state.compare == compare_entry) {
        // The plain comparison on the index's decoded words: the first of the run of
        // words loosely equal to word, then the exact one among them.
        const std::shared_ptr<const DecodedWords> words = decoded_words(index_code, block_size);
        if (!words)
            return -1;
        for (auto entry = words->loose_lower_bound(word);
             !entry.at_end() && loose_compare(entry.word(), word) == 0; entry.next()) {
            if (std::strcmp(entry.word(), word) == 0) {
                std::memcpy(state.word, entry.word(), entry.length() + 1);
                *block_number = entry.offset() / block_size;
                return static_cast<std::int32_t>(entry.offset() % block_size);
            }
        }
        return -1;
    }
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (!index_block_range(index_code, block_size, &first, &last))
        return -1;
    std::uint32_t b = start_block(word, first, last, block_size);
    const std::uint32_t upper = state.upper_block;
    const std::uint8_t* block = read_block(b, block_size);
    // The search lands on a word block of a whole index; anything else is damage (bytes
    // written over the index), not a word that is not there.
    if (block[0] != 0)
        index_damaged("the \"" + std::string(index_code) + "\" index is damaged (block " +
                      std::to_string(b) + ")");
    std::uint32_t pos = 0;
    for (;;) {
        if (is_end_mark(block, block_size, pos)) {
            if (b >= last || b + 1 == upper)
                return -1;
            const std::uint32_t next = seek_in_range(b + 1, block_size, last);
            if (next == kNoBlock)
                index_damaged("the \"" + std::string(index_code) + "\" index is damaged (block " +
                              std::to_string(b + 1) + ")");
            b = next;
            block = read_block(b, block_size);
            pos = 0;
            continue;
        }
        const int c = state.compare(block + pos, word);
        if (c > 0)
            return -1;
        if (c == 0 && std::strcmp(state.word, word) == 0) {
            *block_number = b;
            return static_cast<std::int32_t>(pos);
        }
        pos = step_entry(pos, &b, block_size, last);
        if (b > last)
            return -1;
        block = read_block(b, block_size);
        if (pos == 0 && block[0] != 0)
            return -1;
    }
}

std::int16_t find_word(ResultList* list, const char* word, const char* index_code,
                       std::uint32_t block_size)
{
    list->reset();
    set_compare_routine(compare_entry);
    std::uint32_t b = 0;
    const std::int32_t pos = find_entry(word, index_code, &b, block_size);
    if (pos < 0)
        return 0;
    collect_postings(list, b * block_size + static_cast<std::uint32_t>(pos), block_size);
    return 1;
}

void collect_postings(ResultList* list, std::uint32_t index_offset, std::uint32_t block_size)
{
    const std::uint32_t b = index_offset / block_size;
    const std::uint8_t* block = read_block(b, block_size);
    const Entry entry = parse_entry(block, block_size, index_offset % block_size);
    const std::uint8_t* end = block + block_size;
    const std::uint8_t* p = block + entry.data_pos;
    const bool is_long = !data_in_block(entry, block_size);
    std::uint32_t expected = 0;
    if (is_long) {
        p = unpack_number_bounded(p, end, &expected);
    } else {
        end = p + entry.data_len;
    }
    std::uint32_t collected = 0;
    while (p < end && !(*p == 0 && (p + 1 >= block + block_size || p[1] == 0))) {
        std::uint32_t number = 0;
        p = unpack_number_bounded(p, end, &number);
        append_value(list, collected == 0, number);
        ++collected;
    }
    if (!is_long) {
        list->total += collected;
        return;
    }
    const std::uint32_t used = static_cast<std::uint32_t>(p - (block + entry.data_pos));
    if (entry.data_len < used || (entry.data_len - used) % block_size != 0)
        engine_fatal("residual offset not a multiple of block_size");
    if (expected <= collected)
        engine_fatal("multi_block_count too small");
    list->next_block = b + 1;
    list->total += expected;
}

namespace {

// Calls visit(block, n, pos) on each entry from the start of word block b on, over the
// word blocks up to last (long entries and their continuation blocks stepped over),
// until visit returns false. At the end of each block go_on() is asked before the walk
// moves to the next one; false stops it. Block b must be a word block.
template <typename Visit, typename GoOn>
void walk_entries_from(std::uint32_t b, std::uint32_t last, std::uint32_t block_size,
                       Visit visit, GoOn go_on)
{
    const std::uint8_t* block = read_block(b, block_size);
    std::uint32_t pos = 0;
    for (;;) {
        if (is_end_mark(block, block_size, pos)) {
            if (b >= last || !go_on())
                break;
            b = seek_in_range(b + 1, block_size, last);
            if (b == kNoBlock)
                break;
            block = read_block(b, block_size);
            pos = 0;
            continue;
        }
        if (!visit(block, b, pos))
            break;
        pos = step_entry(pos, &b, block_size, last);
        if (b > last)
            break;
        block = read_block(b, block_size);
        if (pos == 0 && block[0] != 0)
            break;
    }
}

} // namespace

std::int16_t list_neighbours(ResultList* list, const char* word, const char* index_code,
                             std::uint32_t block_size)
{
    list->reset();
    set_compare_routine(compare_entry);
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (!index_block_range(index_code, block_size, &first, &last))
        return 0;
    const std::uint32_t b = start_block(word, first, last, block_size);
    if (read_block(b, block_size)[0] != 0)
        return 0;
    bool after_seen = false;
    walk_entries_from(
        b, last, block_size,
        [&](const std::uint8_t* block, std::uint32_t n, std::uint32_t pos) {
            if (state.compare(block + pos, word) > 0)
                after_seen = true;
            list->append(n * block_size + pos);
            return true;
        },
        [&] { return !(after_seen && list->values.count() > 20); });
    list->total = list->values.count();
    return list->values.empty() ? 0 : 1;
}

std::uint32_t entry_offset(const char* word, std::uint32_t block_size)
{
    set_compare_routine(bracket_compare);
    std::uint32_t b = 0;
    const std::int32_t pos = find_entry(word, "hw", &b, block_size);
    set_compare_routine(compare_entry);
    return pos < 0 ? 0 : b * block_size + static_cast<std::uint32_t>(pos);
}

void collect_equal(ResultList* list, const char* word, const char* index_code,
                   std::uint32_t block_size)
{
    set_compare_routine(compare_entry);
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (!index_block_range(index_code, block_size, &first, &last))
        return;
    const std::uint32_t b = start_block(word, first, last, block_size);
    if (read_block(b, block_size)[0] != 0)
        return;
    walk_entries_from(
        b, last, block_size,
        [&](const std::uint8_t* block, std::uint32_t n, std::uint32_t pos) {
            const int c = state.compare(block + pos, word);
            if (c == 0) {
                list->append(n * block_size + pos);
                ++list->total;
            }
            return c <= 0;
        },
        [] { return true; });
}

void list_block_entries(ResultList* list, std::uint32_t index_offset, std::uint32_t block_size)
{
    const std::uint32_t b = index_offset / block_size;
    const std::uint32_t from = (index_offset % block_size == 0 && b > 1) ? b - 1 : b;
    for (std::uint32_t n = from; n <= b + 1; ++n) {
        const std::uint8_t* block = read_block(n, block_size);
        if (block[0] != 0)
            continue;
        std::uint32_t pos = 0;
        while (!is_end_mark(block, block_size, pos)) {
            list->append(n * block_size + pos);
            const Entry entry = parse_entry(block, block_size, pos);
            if (!data_in_block(entry, block_size))
                break;
            pos = entry.data_pos + entry.data_len;
        }
    }
}

void dump_index(const char* index_code, std::uint32_t block_size)
{
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (!index_block_range(index_code, block_size, &first, &last))
        return;
    WordWalker walker(first, last, block_size);
    while (walker.next()) {
        const std::string word = walker.word();
        const std::uint32_t offset = walker.offset();
        ResultList postings;
        collect_postings(&postings, offset, block_size);
        std::printf("%s\t", word.c_str());
        ResultCursor cursor(&postings, block_size);
        for (cursor.start(); !cursor.at_end(); cursor.advance())
            std::printf(cursor.node() == postings.values.head() ? "%lx" : ",%lx",
                        static_cast<unsigned long>(cursor.value()));
        std::printf("\n");
    }
}

WordWalker::WordWalker(std::uint32_t first, std::uint32_t last, std::uint32_t block_size)
    : itsLast(last), itsBlockSize(block_size), itsBlock(first)
{
}

void WordWalker::load(std::uint32_t n)
{
    itsBlock = n;
    itsPos = 0;
    itsData.resize(itsBlockSize + kPadding, 0);
    std::memcpy(itsData.data(), read_block(n, itsBlockSize), itsBlockSize);
}

std::uint32_t WordWalker::padded_suffix_length(const std::uint8_t* suffix) const
{
    // Eight bytes at a time: the lowest byte whose high bit survives (v - 1) & ~v is the
    // first 0. The padding past the block holds 0 bytes, so the search ends there at
    // the latest.
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    const auto zeros_at = [suffix](std::uint32_t from) {
        std::uint64_t v;
        std::memcpy(&v, suffix + from, sizeof v);
        if constexpr (std::endian::native == std::endian::big)
            v = __builtin_bswap64(v);
        return (v - kOnes) & ~v & kHighs;
    };
    // The first sixteen bytes at once: most suffixes end there.
    const std::uint64_t low = zeros_at(0);
    const std::uint64_t high = zeros_at(8);
    if ((low | high) != 0)
        return low != 0 ? static_cast<std::uint32_t>(std::countr_zero(low)) / 8
                        : 8 + static_cast<std::uint32_t>(std::countr_zero(high)) / 8;
    for (std::uint32_t length = 16;; length += 8) {
        const std::uint64_t zeros = zeros_at(length);
        if (zeros != 0)
            return length + static_cast<std::uint32_t>(std::countr_zero(zeros)) / 8;
    }
}

bool WordWalker::enter_word_block(std::uint32_t n)
{
    const std::uint32_t b = seek_in_range(n, itsBlockSize, itsLast);
    if (b == kNoBlock) {
        itsDone = true;
        return false;
    }
    load(b);
    return true;
}

bool WordWalker::next()
{
    if (itsDone)
        return false;
    if (!itsStarted) {
        itsStarted = true;
        if (itsBlock > itsLast) {
            itsDone = true;
            return false;
        }
        if (!enter_word_block(itsBlock))
            return false;
    } else if (std::uint64_t{itsDataPos} + itsDataLength < itsBlockSize) {
        itsPos = itsDataPos + itsDataLength;
    } else {
        // A long entry: its data runs on through continuation blocks.
        Entry entry{};
        entry.data_len = itsDataLength;
        itsBlock = block_after_long(entry, itsBlock, itsBlockSize);
        if (itsBlock > itsLast) {
            itsDone = true;
            return false;
        }
        load(itsBlock);
        if (itsData[0] != 0) {
            itsDone = true;
            return false;
        }
    }
    const std::uint8_t* block = itsData.data();
    while (is_end_mark(block, itsBlockSize, itsPos)) {
        if (itsBlock >= itsLast) {
            itsDone = true;
            return false;
        }
        if (!enter_word_block(itsBlock + 1))
            return false;
        block = itsData.data();
    }
    if (itsPos == 0) {
        itsWord[0] = 0;
        itsLength = 0;
    }
    const std::uint8_t* const at = block + itsPos;
    const std::uint32_t prefix = at[0];
    const std::uint32_t length = padded_suffix_length(at + 1);
    std::uint32_t suffix_length = length;
    if (std::uint64_t{itsPos} + length + 2 < itsBlockSize && prefix + length < kWordBufferSize &&
        at[length + 2] < 0x80) {
        // The common entry: a word that fits and a one-byte data length. Whole words of
        // the suffix are copied; the bytes past its terminator are never read as a word.
        std::memcpy(itsWord + prefix, at + 1, 16);
        for (std::uint32_t i = 16; i <= length; i += 8)
            std::memcpy(itsWord + prefix + i, at + 1 + i, 8);
        itsWord[prefix + length] = 0;
        itsDataPos = itsPos + length + 3;
        itsDataLength = at[length + 2];
    } else {
        const Entry entry = parse_entry(block, itsBlockSize, itsPos);
        rebuild(itsWord, entry);
        suffix_length = entry.suffix_len;
        itsDataPos = entry.data_pos;
        itsDataLength = entry.data_len;
    }
    // A shared count past the previous word's end (damaged data) leaves that word's
    // terminator in place: the word reads as the previous one.
    itsShared = std::min(prefix, itsLength);
    if (prefix <= itsLength)
        itsLength = prefix + suffix_length;
    return true;
}
