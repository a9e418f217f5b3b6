// index_writer.cpp: the layout of word blocks, long entries and the descriptor table.
#include "tools/dictwriter/index_writer.h"

#include <algorithm>
#include <array>
#include <utility>

#include "engine/datafiles.h"
#include "engine/scramble.h"
#include "engine/wordindex.h"

namespace dictwriter {
namespace {

constexpr std::uint32_t kBlock = kBlockSize;
constexpr std::size_t kMaxIndexes = kDescriptorSize / kDescriptorEntrySize;
constexpr std::size_t kEndMark = 2;

void put_packed(std::vector<std::uint8_t>* out, std::uint32_t value)
{
    std::uint8_t bytes[5];
    const std::uint8_t* end = pack_number(bytes, value);
    out->insert(out->end(), static_cast<const std::uint8_t*>(bytes), end);
}

std::size_t common_prefix(const std::string& a, const std::string& b)
{
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n] && n < 255)
        ++n;
    return n;
}

// The postings as packed numbers: the first as it is, each later one as a difference.
std::vector<std::uint32_t> differences(const std::vector<std::uint32_t>& postings)
{
    std::vector<std::uint32_t> numbers;
    numbers.reserve(postings.size());
    for (std::size_t i = 0; i < postings.size(); ++i)
        numbers.push_back(i == 0 ? postings[0] : postings[i] - postings[i - 1]);
    return numbers;
}

// Splits numbers[from..] into blocks of at most capacity bytes each; the end index
// (exclusive) of each block's run.
std::vector<std::size_t> split_runs(const std::vector<std::uint32_t>& numbers, std::size_t from,
                                    std::size_t capacity)
{
    std::vector<std::size_t> ends;
    std::size_t used = 0;
    for (std::size_t i = from; i < numbers.size(); ++i) {
        const std::size_t size = packed_size(numbers[i]);
        if (used + size > capacity) {
            ends.push_back(i);
            used = 0;
        }
        used += size;
    }
    ends.push_back(numbers.size());
    return ends;
}

// Lays out one block after another for a word-block index.
class BlockLayout {
public:
    explicit BlockLayout(std::vector<std::uint8_t>* file) : itsFile(file) { itsBlock.fill(0); }

    std::uint32_t block_number() const
    {
        return static_cast<std::uint32_t>(itsFile->size() / kBlock);
    }

    void flush()
    {
        if (itsPos == 0)
            return;
        itsFile->insert(itsFile->end(), itsBlock.begin(), itsBlock.end());
        itsBlock.fill(0);
        itsPos = 0;
        itsPrev.clear();
    }

    // Writes an entry whose data fits in a block, in a new block when the current one
    // is too full; false when it fits in no block (a long entry).
    bool add(const std::string& word, const std::vector<std::uint8_t>& data, std::uint32_t* offset)
    {
        const std::size_t tail =
            1 + packed_size(static_cast<std::uint32_t>(data.size())) + data.size();
        const std::size_t shared = itsPos == 0 ? 0 : common_prefix(itsPrev, word);
        if (itsPos + 1 + (word.size() - shared) + tail + kEndMark > kBlock) {
            if (1 + word.size() + tail + kEndMark > kBlock)
                return false;
            flush();
            return add(word, data, offset);
        }
        *offset = block_number() * kBlock + static_cast<std::uint32_t>(itsPos);
        std::vector<std::uint8_t> bytes;
        bytes.push_back(static_cast<std::uint8_t>(itsPos == 0 ? 0 : shared));
        bytes.insert(bytes.end(), word.begin() + static_cast<long>(shared), word.end());
        bytes.push_back(0);
        put_packed(&bytes, static_cast<std::uint32_t>(data.size()));
        bytes.insert(bytes.end(), data.begin(), data.end());
        std::copy(bytes.begin(), bytes.end(), itsBlock.begin() + static_cast<long>(itsPos));
        itsPos += bytes.size();
        itsPrev = word;
        return true;
    }

    // Writes a long entry starting in the current block; false when not even its head
    // and first posting fit there (the caller flushes and tries again).
    bool add_long(const std::string& word, const std::vector<std::uint32_t>& postings,
                  std::uint32_t* offset)
    {
        const std::vector<std::uint32_t> numbers = differences(postings);
        const std::size_t shared = itsPos == 0 ? 0 : common_prefix(itsPrev, word);
        const std::size_t head = 1 + (word.size() - shared) + 1;
        const std::uint32_t count = static_cast<std::uint32_t>(numbers.size());
        const std::uint32_t b = block_number();
        for (std::size_t lsize = 1; lsize <= 5; ++lsize) {
            const std::size_t fixed = itsPos + head + lsize + packed_size(count) + kEndMark;
            if (fixed + packed_size(numbers[0]) > kBlock)
                return false;
            std::size_t n1 = 0;
            std::size_t used1 = 0;
            while (n1 < numbers.size() && fixed + used1 + packed_size(numbers[n1]) <= kBlock)
                used1 += packed_size(numbers[n1++]);
            for (std::size_t rsize = 1; rsize <= 5; ++rsize) {
                const std::vector<std::size_t> ends =
                    split_runs(numbers, n1, kBlock - rsize - kEndMark);
                const std::uint32_t k = static_cast<std::uint32_t>(ends.size());
                const std::uint32_t resume = (b + k + 1) * kBlock;
                if (packed_size(resume) > rsize)
                    continue;
                const std::uint32_t data_len =
                    static_cast<std::uint32_t>(packed_size(count) + used1) + k * kBlock;
                if (packed_size(data_len) > lsize)
                    break;
                write_long(word, shared, numbers, n1, data_len, ends, resume);
                *offset = b * kBlock + static_cast<std::uint32_t>(itsPos);
                itsPos = kBlock;   // the entry owns the rest of its block
                flush_long();
                return true;
            }
        }
        return false;
    }

private:
    void write_long(const std::string& word, std::size_t shared,
                    const std::vector<std::uint32_t>& numbers, std::size_t n1,
                    std::uint32_t data_len, const std::vector<std::size_t>& ends,
                    std::uint32_t resume)
    {
        std::vector<std::uint8_t> bytes;
        bytes.push_back(static_cast<std::uint8_t>(shared));
        bytes.insert(bytes.end(), word.begin() + static_cast<long>(shared), word.end());
        bytes.push_back(0);
        put_packed(&bytes, data_len);
        put_packed(&bytes, static_cast<std::uint32_t>(numbers.size()));
        for (std::size_t i = 0; i < n1; ++i)
            put_packed(&bytes, numbers[i]);
        std::copy(bytes.begin(), bytes.end(), itsBlock.begin() + static_cast<long>(itsPos));
        itsChain.clear();
        std::size_t from = n1;
        for (const std::size_t end : ends) {
            std::vector<std::uint8_t> block(kBlock, 0);
            std::vector<std::uint8_t> chunk;
            put_packed(&chunk, resume);
            for (std::size_t i = from; i < end; ++i)
                put_packed(&chunk, numbers[i]);
            std::copy(chunk.begin(), chunk.end(), block.begin());
            itsChain.push_back(std::move(block));
            from = end;
        }
    }

    void flush_long()
    {
        itsFile->insert(itsFile->end(), itsBlock.begin(), itsBlock.end());
        for (const auto& block : itsChain)
            itsFile->insert(itsFile->end(), block.begin(), block.end());
        itsChain.clear();
        itsBlock.fill(0);
        itsPos = 0;
        itsPrev.clear();
    }

    std::vector<std::uint8_t>* itsFile;
    std::array<std::uint8_t, kBlock> itsBlock{};
    std::size_t itsPos = 0;
    std::string itsPrev;
    std::vector<std::vector<std::uint8_t>> itsChain;
};

} // namespace

IndexWriter::IndexWriter() : itsFile(kBlock, 0) {}

bool IndexWriter::add_descriptor(const std::string& code, std::string* error)
{
    if (code.size() != 2) {
        *error = "index code must be two characters: " + code;
        return false;
    }
    if (itsDescriptors.size() >= kMaxIndexes) {
        *error = "more than 20 indexes";
        return false;
    }
    for (const Descriptor& d : itsDescriptors) {
        if (d.code == code) {
            *error = "index written twice: " + code;
            return false;
        }
    }
    return true;
}

bool IndexWriter::add_word_index(const std::string& code, const std::vector<WordRecord>& words,
                                 std::vector<std::uint32_t>* offsets, std::string* error)
{
    if (!add_descriptor(code, error))
        return false;
    const std::uint32_t start = static_cast<std::uint32_t>(itsFile.size());
    std::uint32_t key_length = 0;
    bool ends_long = false;
    offsets->clear();
    BlockLayout layout(&itsFile);
    for (const WordRecord& record : words) {
        if (record.word.empty() || record.word.size() >= kWordBufferSize) {
            *error = "word empty or longer than 79 bytes in " + code + ": " + record.word;
            return false;
        }
        for (std::size_t i = 1; i < record.postings.size(); ++i) {
            if (record.postings[i] <= record.postings[i - 1]) {
                *error = "postings not sorted for " + record.word;
                return false;
            }
        }
        key_length += static_cast<std::uint32_t>(record.word.size());
        std::vector<std::uint8_t> data;
        if (record.postings.empty()) {
            data.assign(record.data.begin(), record.data.end());
        } else {
            for (const std::uint32_t n : differences(record.postings))
                put_packed(&data, n);
        }
        std::uint32_t offset = 0;
        if (layout.add(record.word, data, &offset)) {
            offsets->push_back(offset);
            continue;
        }
        if (record.postings.empty()) {
            *error = "entry data does not fit a block: " + record.word;
            return false;
        }
        if (!layout.add_long(record.word, record.postings, &offset)) {
            layout.flush();
            if (!layout.add_long(record.word, record.postings, &offset)) {
                *error = "long entry cannot be laid out: " + record.word;
                return false;
            }
        }
        offsets->push_back(offset);
        ends_long = &record == &words.back();
    }
    layout.flush();
    itsDescriptors.push_back(
        {code, start, static_cast<std::uint32_t>(itsFile.size()), key_length, true});
    // A continuation chain ends at the first block that begins with 0. When the index
    // ends with a long entry, the next block would be whatever is written after the
    // index (a raw table, or nothing): an empty block, scrambled like the word blocks,
    // ends the chain there.
    if (ends_long) {
        itsPads.push_back(static_cast<std::uint32_t>(itsFile.size() / kBlock));
        itsFile.resize(itsFile.size() + kBlock, 0);
    }
    return true;
}

bool IndexWriter::add_table(const std::string& code, const std::vector<std::uint8_t>& bytes,
                            std::string* error)
{
    if (!add_descriptor(code, error))
        return false;
    const std::uint32_t start = static_cast<std::uint32_t>(itsFile.size());
    itsFile.insert(itsFile.end(), bytes.begin(), bytes.end());
    const std::uint32_t end = static_cast<std::uint32_t>(itsFile.size());
    itsFile.resize((itsFile.size() + kBlock - 1) / kBlock * kBlock, 0);
    itsDescriptors.push_back({code, start, end, 0, false});
    return true;
}

std::vector<std::uint8_t> IndexWriter::finish() const
{
    std::vector<std::uint8_t> file = itsFile;
    for (std::size_t i = 0; i < itsDescriptors.size(); ++i) {
        const Descriptor& d = itsDescriptors[i];
        std::uint8_t* entry = file.data() + i * kDescriptorEntrySize;
        entry[0] = static_cast<std::uint8_t>(d.code[0]);
        entry[1] = static_cast<std::uint8_t>(d.code[1]);
        entry[2] = 0;
        pack_number(entry + 3, d.start);
        pack_number(entry + 8, d.end);
        pack_number(entry + 13, d.key_length);
    }
    // The descriptor is read as 360 bytes with seed 0; scrambling all of block 0 with
    // seed 0 gives the same first 360 bytes, and block 0 read whole reads as plain.
    ScrambleBlock(file.data(), static_cast<std::int32_t>(kBlock), 0);
    const auto scramble = [&file](std::uint32_t b) {
        ScrambleBlock(file.data() + std::size_t{b} * kBlock, static_cast<std::int32_t>(kBlock),
                      b * kBlock);
    };
    for (const Descriptor& d : itsDescriptors) {
        if (!d.scrambled)
            continue;
        for (std::uint32_t b = d.start / kBlock; b < d.end / kBlock; ++b)
            scramble(b);
    }
    for (const std::uint32_t b : itsPads)
        scramble(b);
    return file;
}

std::uint32_t IndexWriter::block_count(const std::string& code) const
{
    for (const Descriptor& d : itsDescriptors) {
        if (d.code == code)
            return (d.end - d.start) / kBlock;
    }
    return 0;
}

} // namespace dictwriter
