// pair_check.cpp: the open-time checks of a dictionary pair.
#include "engine/pair_check.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/datafiles.h"
#include "engine/entrytext.h"
#include "engine/inflate.h"
#include "engine/scramble.h"
#include "engine/wordindex.h"

namespace {

constexpr std::uint32_t kDescriptorEntries = kDescriptorSize / kDescriptorEntrySize;
constexpr int kPackedSlot = 5;
constexpr std::size_t kLongestWord = kWordBufferSize - 1;
constexpr std::uint32_t kSampledBlocks = 16;  // head-word blocks whose entries are followed
constexpr std::size_t kSampledEntries = 4;    // entries of each followed

std::uint64_t size_of(std::FILE* file)
{
    struct stat info {};
    return fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode)
               ? static_cast<std::uint64_t>(info.st_size)
               : 0;
}

bool read_exactly(std::FILE* file, void* buffer, std::uint64_t offset, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = pread(fileno(file), static_cast<char*>(buffer) + done, count - done,
                                  static_cast<off_t>(offset + done));
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

// A packed number that must end before end; false when it runs to or past end.
bool unpack_within(const std::uint8_t** source, const std::uint8_t* end, std::uint32_t* value)
{
    const std::uint8_t* p = *source;
    std::uint32_t result = 0;
    for (int bytes = 0; p < end && bytes < 5; ++bytes) {
        result = (result << 7) | (*p & 0x7Fu);
        if ((*p++ & 0x80u) == 0) {
            *value = result;
            *source = p;
            return true;
        }
    }
    return false;
}

struct Range {
    std::string code;
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};

// A whole word entry of a word block: its word and where its data starts in the block.
struct WordEntry {
    std::string word;
    std::uint32_t data_pos = 0;
};

// The word entries of one descrambled word block, from its first. True when every entry
// is whole (shared prefix within the word before, suffix ended inside the block, a word of
// at most 79 bytes, a data length that can be read) up to the end mark or to a long entry,
// whose postings go on in the next blocks. *last_data gets the data position of the last
// whole entry (0 when none); *entries the whole entries.
bool is_word_block(const std::uint8_t* block, std::uint32_t* last_data = nullptr,
                   std::vector<WordEntry>* entries = nullptr)
{
    if (block[0] != 0)
        return false;  // a word block's first entry shares nothing
    const std::uint8_t* const end = block + kBlockSize;
    std::size_t word_length = 0;
    char word[kWordBufferSize] = {};
    std::uint32_t pos = 0;
    if (last_data != nullptr)
        *last_data = 0;
    for (;;) {
        if (pos + 1 >= kBlockSize)
            return false;
        if (block[pos] == 0 && block[pos + 1] == 0)
            return true;  // the end mark
        const std::size_t shared = block[pos];
        if (shared > word_length)
            return false;
        const void* terminator = std::memchr(block + pos + 1, 0, kBlockSize - pos - 1);
        if (terminator == nullptr)
            return false;
        const auto* after_word = static_cast<const std::uint8_t*>(terminator) + 1;
        word_length = shared + static_cast<std::size_t>(after_word - 1 - (block + pos + 1));
        if (word_length > kLongestWord)
            return false;
        std::memcpy(word + shared, block + pos + 1, word_length - shared);
        word[word_length] = 0;
        const std::uint8_t* p = after_word;
        std::uint32_t length = 0;
        if (!unpack_within(&p, end, &length))
            return false;
        const auto data_pos = static_cast<std::uint32_t>(p - block);
        if (length > kBlockSize - data_pos)
            return true;  // a long entry: the block's entries end with it
        if (last_data != nullptr)
            *last_data = data_pos;
        if (entries != nullptr)
            entries->push_back({std::string(word, word_length), data_pos});
        pos = data_pos + length;
    }
}

bool read_word_block(std::FILE* index, std::uint32_t block_number, std::uint8_t* block)
{
    const std::uint64_t offset = std::uint64_t{block_number} * kBlockSize;
    if (!read_exactly(index, block, offset, kBlockSize))
        return false;
    ScrambleBlock(block, static_cast<std::int32_t>(kBlockSize), static_cast<std::uint32_t>(offset));
    return true;
}

// Word-block indexes are those the routine table gives no key routine (key tables and
// friends matrices are raw tables); a code it does not know is not read.
bool holds_word_blocks(const std::string& code)
{
    const RoutineRow* row = lookup_routine(code.c_str());
    return row != nullptr && row->key == nullptr;
}

// Where the head-word entry whose data starts at data_pos of a word block leads: the
// data-file offset of its compressed block and the position of its text in the expanded
// block.
bool entry_place(const std::uint8_t* block, std::uint32_t data_pos, std::uint32_t* block_offset,
                 std::uint32_t* text_position)
{
    const std::uint8_t* p = block + data_pos;
    return unpack_within(&p, block + kBlockSize, block_offset) &&
           unpack_within(&p, block + kBlockSize, text_position);
}

// A head word of the index and the text it leads to.
struct HeadWord {
    std::string word;
    std::uint32_t block_offset = 0;
    std::uint32_t text_position = 0;
};

// Reads a file front to back through a buffer of some blocks: the walk below reads a few
// bytes of each of the data file's thousands of blocks, a system call each otherwise.
class ForwardReader {
public:
    ForwardReader(std::FILE* file, std::uint64_t size)
        : itsFile(file), itsSize(size), itsBuffer(kChunk)
    {
    }

    bool read(std::uint64_t offset, std::uint8_t* out, std::size_t count)
    {
        if (offset < itsStart || offset + count > itsStart + itsFilled) {
            // What the file holds from offset, as far as the buffer goes: it may be shorter
            // than its size said.
            const std::size_t wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, itsSize - offset));
            itsStart = offset;
            itsFilled = 0;
            while (itsFilled < wanted) {
                const ssize_t got =
                    pread(fileno(itsFile), itsBuffer.data() + itsFilled, wanted - itsFilled,
                          static_cast<off_t>(offset + itsFilled));
                if (got <= 0)
                    break;
                itsFilled += static_cast<std::size_t>(got);
            }
            if (itsFilled < count)
                return false;
        }
        std::memcpy(out, itsBuffer.data() + (offset - itsStart), count);
        return true;
    }

private:
    static constexpr std::size_t kChunk = 64 * 1024;
    std::FILE* itsFile;
    std::uint64_t itsSize;
    std::vector<std::uint8_t> itsBuffer;
    std::uint64_t itsStart = 0;
    std::size_t itsFilled = 0;
};

// The offsets at which the compressed blocks of the data file start: the file is its
// header and then its blocks, each after its 2-byte length word. The walk stops where a
// block would run past the end (a cut file, or bytes that are no blocks); *to_the_end
// tells whether it ended at the file's end, as a whole data file's does.
std::vector<std::uint32_t> block_starts(std::FILE* data, std::uint64_t data_size, bool* to_the_end)
{
    std::vector<std::uint32_t> starts;
    std::uint64_t offset = 0;
    std::uint8_t length_word[2];
    ForwardReader reader(data, data_size);
    while (offset + 2 <= data_size && offset <= 0xFFFFFFFFu &&
           reader.read(offset, length_word, 2)) {
        const std::uint64_t next =
            offset + 2 + ((std::uint32_t{length_word[0]} << 8) | length_word[1]);
        if (next > data_size)
            break;
        starts.push_back(static_cast<std::uint32_t>(offset));
        offset = next;
    }
    *to_the_end = offset == data_size;
    return starts;
}

// The word a main-entry field shows, without its leading control bytes (a 0x05 or 0x15
// takes the byte after it along: a superscript mark in front of the word).
std::string bare_word(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x20) {
        const char c = text[i++];
        if (c == '\x05' || c == '\x15')
            ++i;
    }
    return text.substr(std::min(i, text.size()));
}

// The text of the first field of the entry text from text to end (a code byte from 0x81
// to 0xF5, its length as a packed number, its text); returns where the field ends, or null
// when the text does not start with one.
const std::uint8_t* first_field(const std::uint8_t* text, const std::uint8_t* end,
                                std::string* field)
{
    if (text >= end || *text < 0x81 || *text > 0xF5)
        return nullptr;
    const std::uint8_t* p = text + 1;
    std::uint32_t length = 0;
    if (!unpack_within(&p, end, &length) || length > static_cast<std::size_t>(end - p))
        return nullptr;
    field->assign(reinterpret_cast<const char*>(p), length);
    return p + length;
}

// A compressed block of the data file expanded twice: with the file's header as preset,
// as the entries are shown, and with every byte of that header changed, so that the bytes
// that differ are those the block takes from its header.
struct ExpandedBlock {
    std::uint32_t offset = kNoBlock;
    std::uint32_t length = 0;  // 0 when it cannot be read or does not decode whole
    std::vector<std::uint8_t> text = std::vector<std::uint8_t>(kEntryBufBytes);
    std::vector<std::uint8_t> without_header = std::vector<std::uint8_t>(kEntryBufBytes);

    void expand(std::FILE* data, std::uint32_t block_offset)
    {
        offset = block_offset;
        length = 0;
        std::uint8_t length_word[2];
        if (!read_exactly(data, length_word, block_offset, 2))
            return;
        std::vector<std::uint8_t> compressed((std::size_t{length_word[0]} << 8) | length_word[1]);
        if (!compressed.empty() &&
            !read_exactly(data, compressed.data(), std::uint64_t{block_offset} + 2,
                          compressed.size()))
            return;
        const std::uint8_t* header = dictionary_header();
        std::vector<std::uint8_t> changed(header, header + dictionary_header_length());
        for (std::uint8_t& byte : changed)
            byte ^= 0x80;
        const InflateResult shown = inflate_raw(compressed.data(), compressed.size(), header,
                                                changed.size(), text.data(), text.size());
        const InflateResult other =
            inflate_raw(compressed.data(), compressed.size(), changed.data(), changed.size(),
                        without_header.data(), without_header.size());
        // A damaged block is told when its entries are shown.
        if (shown.status != InflateStatus::kDone || other.produced != shown.produced)
            return;
        length = static_cast<std::uint32_t>(shown.produced);
    }

    // Whether any of the bytes from..to came from the header.
    bool from_header(std::size_t from, std::size_t to) const
    {
        return !std::equal(text.begin() + static_cast<std::ptrdiff_t>(from),
                           text.begin() + static_cast<std::ptrdiff_t>(to),
                           without_header.begin() + static_cast<std::ptrdiff_t>(from));
    }
};

// The entries of a dictionary start with their head word (the main-entry word field).
// Where the first field of a sampled head word's text takes bytes from the data file's
// header (the preset text every block shares) and does not read as its head word, the
// header is damaged: its bytes garble the words that take them. A field that takes nothing
// from the header is as the writer wrote it, whatever it holds. *garbled gets the head
// word whose text does not start with it.
bool entries_start_with_head_words(std::FILE* data, const std::vector<HeadWord>& heads,
                                   std::string* garbled)
{
    if (dictionary_header_length() == 0)
        return true;
    ExpandedBlock block;
    for (const HeadWord& head : heads) {
        if (head.block_offset != block.offset)
            block.expand(data, head.block_offset);
        const std::uint8_t* const text = block.text.data();
        std::string field;
        const std::uint8_t* field_end =
            head.text_position < block.length
                ? first_field(text + head.text_position, text + block.length, &field)
                : nullptr;
        if (field_end == nullptr)
            continue;
        const std::string word = head.word.substr(0, head.word.find('['));
        if (block.from_header(head.text_position, static_cast<std::size_t>(field_end - text)) &&
            loose_compare(bare_word(field).c_str(), word.c_str()) != 0) {
            *garbled = word;
            return false;
        }
    }
    return true;
}

} // namespace

bool check_open_pair(std::string* problem, const std::vector<std::string>& search_codes)
{
    std::FILE* const index = index_file();
    std::FILE* const data = data_file();
    if (index == nullptr || data == nullptr) {
        *problem = "no dictionary is open";
        return false;
    }
    const std::string& index_path = index_file_path();
    const std::string& data_path = data_file_path();
    const std::uint64_t index_size = size_of(index);
    const std::uint64_t data_size = size_of(data);
    const auto fail = [problem](const std::string& path, const std::string& what) {
        *problem = path + ": " + what;
        return false;
    };
    if (index_size == 0)
        return fail(index_path, "not a file that can be read");
    if (data_size == 0)
        return fail(data_path, "not a file that can be read");

    // The descriptor table: well-formed entries whose ranges lie inside the index file,
    // after the table itself.
    std::uint8_t table[kDescriptorSize];
    if (!read_exactly(index, table, 0, kDescriptorSize))
        return fail(index_path, "the descriptor table cannot be read");
    ScrambleBlock(table, static_cast<std::int32_t>(kDescriptorSize), 0);
    std::vector<Range> ranges;
    for (std::uint32_t i = 0; i < kDescriptorEntries; ++i) {
        const std::uint8_t* entry = table + i * kDescriptorEntrySize;
        if (entry[0] == 0)
            break;
        Range range;
        range.code.assign(reinterpret_cast<const char*>(entry), 2);
        const std::uint8_t* start = entry + 3;
        const std::uint8_t* end = entry + 8;
        if (entry[1] == 0 || entry[2] != 0 ||
            !unpack_within(&start, entry + 3 + kPackedSlot, &range.start) ||
            !unpack_within(&end, entry + 8 + kPackedSlot, &range.end))
            return fail(index_path,
                        "the descriptor table is damaged (entry " + std::to_string(i + 1) + ")");
        if (range.start > range.end || range.end > index_size ||
            (range.start < range.end && range.start < kDescriptorSize))
            return fail(index_path,
                        "the \"" + range.code + "\" index runs outside the file (bytes " +
                            std::to_string(range.start) + " to " + std::to_string(range.end) +
                            " of " + std::to_string(index_size) + ")");
        ranges.push_back(range);
    }
    for (const std::string& code : search_codes) {
        bool found = false;
        for (const Range& range : ranges)
            found = found || range.code == code;
        if (!found)
            return fail(index_path, "it has no \"" + code +
                                        "\" index, which a search type of the description names");
    }

    // The first block of every word-block index decodes as a word block; the last block of
    // the head words names the compressed block of the last entry, which the data file
    // must hold whole.
    bool has_head_words = false;
    std::uint8_t block[kBlockSize];
    for (const Range& range : ranges) {
        const std::uint32_t first = range.start / kBlockSize;
        const std::uint32_t end_block = range.end / kBlockSize;
        if (!holds_word_blocks(range.code) || end_block <= first)
            continue;
        if (!read_word_block(index, first, block) || !is_word_block(block))
            return fail(index_path, "the \"" + range.code + "\" index is damaged (block " +
                                        std::to_string(first) + ")");
        if (range.code != "hw")
            continue;
        has_head_words = true;
        // Head words spread over the index lead to entries of the data file. A few that do
        // not are damaged entries, told when they are shown; most of them: another
        // dictionary's index.
        const std::uint32_t blocks = end_block - first;
        const std::uint32_t step = blocks > kSampledBlocks ? blocks / kSampledBlocks : 1;
        int landed = 0;
        int astray = 0;
        bool walked_to_the_end = false;
        const std::vector<std::uint32_t> starts = block_starts(data, data_size, &walked_to_the_end);
        const std::uint64_t walked = starts.empty() ? 0 : starts.back();
        std::vector<HeadWord> heads;  // those sampled that lead to a block
        for (std::uint32_t b = first; b < end_block; b += step) {
            std::vector<WordEntry> entries;
            if (!read_word_block(index, b, block) || !is_word_block(block, nullptr, &entries))
                continue;
            for (std::size_t e = 0; e < entries.size() && e < kSampledEntries; ++e) {
                HeadWord head{entries[e].word};
                if (!entry_place(block, entries[e].data_pos, &head.block_offset,
                                 &head.text_position))
                    continue;
                // A block past the last whole one is a cut file's, told below.
                if (head.block_offset > walked)
                    continue;
                if (std::binary_search(starts.begin(), starts.end(), head.block_offset)) {
                    ++landed;
                    heads.push_back(head);
                } else {
                    ++astray;
                }
            }
        }
        // Head words that lead nowhere: a data file whose blocks do not run to its end is
        // damaged itself; a whole one is another dictionary's.
        if (astray > landed && !walked_to_the_end)
            return fail(data_path, "the file is damaged (the head words of " + index_path +
                                       " lead to no entries there)");
        if (astray > landed)
            return fail(index_path, "it does not belong with the data file " + data_path +
                                        " (its head words lead to no entries there)");
        std::string garbled;
        if (!entries_start_with_head_words(data, heads, &garbled))
            return fail(data_path, "its header is damaged (the text of \"" + garbled +
                                       "\" does not start with its head word)");
        std::uint32_t last_data = 0;
        if (!read_word_block(index, end_block - 1, block) || !is_word_block(block, &last_data) ||
            last_data == 0)
            return fail(index_path, "the \"hw\" index is damaged (block " +
                                        std::to_string(end_block - 1) + ")");
        const std::uint8_t* p = block + last_data;
        std::uint32_t block_offset = 0;
        std::uint8_t length_word[2];
        if (!unpack_within(&p, block + kBlockSize, &block_offset))
            return fail(index_path, "the \"hw\" index is damaged (block " +
                                        std::to_string(end_block - 1) + ")");
        if (std::uint64_t{block_offset} + 2 > data_size ||
            !read_exactly(data, length_word, block_offset, 2) ||
            std::uint64_t{block_offset} + 2 +
                    ((std::uint32_t{length_word[0]} << 8) | length_word[1]) >
                data_size)
            return fail(data_path, "the file is cut short (its last entry would end past byte " +
                                       std::to_string(data_size) + ")");
    }
    if (!has_head_words)
        return fail(index_path, "the file has no head-word index");
    return true;
}
