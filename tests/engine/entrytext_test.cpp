// entrytext_test.cpp: entry text and length from dictionaries written at test time, the
// entry cache, and offsets that name no entry.
#include "engine/entrytext.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <algorithm>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>
#include <zlib.h>

#include "engine/datafiles.h"
#include "engine/wordindex.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"
#include "tools/dictwriter/scale_fixture.h"

namespace {

constexpr std::size_t kEntries = 200;
constexpr std::size_t kEntryBytes = 100;     // every entry's stored size, terminator included
constexpr std::size_t kEntriesPerBlock = 10; // so block_text_bytes = 1000

std::string head_word(std::size_t i)
{
    char word[8];
    std::snprintf(word, sizeof word, "w%03zu", i);
    return word;
}

// An entry of exactly kEntryBytes: the head word field and a text field whose bytes
// depend on the entry and on salt (so that two dictionaries can differ in text only).
std::string entry_stream(std::size_t i, char salt)
{
    std::string text(91, '\0');
    for (std::size_t k = 0; k < text.size(); ++k)
        text[k] = static_cast<char>('a' + (i * 7 + k * 3 + static_cast<std::size_t>(salt)) % 26);
    const std::string stream =
        dictwriter::encode_field_stream({{0xD8, head_word(i)}, {0x82, text}});
    EXPECT_EQ(stream.size(), kEntryBytes);
    return stream;
}

class EntryTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/entrytext_testXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        dir_ += '/';
    }
    void TearDown() override
    {
        close_data_files();
        std::system(("rm -rf " + dir_).c_str());
    }

    // Writes base (in the test's directory) with kEntries entries, and opens it.
    void write_and_open(const std::string& base, char salt, const std::string& header)
    {
        dictwriter::DictionarySource source;
        source.header = header;
        source.block_text_bytes = kEntriesPerBlock * kEntryBytes;
        for (std::size_t i = 0; i < kEntries; ++i) {
            dictwriter::SourceEntry entry;
            entry.head_word = head_word(i);
            entry.fields = entry_stream(i, salt);
            entry.terms.push_back({"va", head_word(i)});
            source.entries.push_back(entry);
        }
        std::string error;
        ASSERT_TRUE(dictwriter::write_dictionary(source, dir_ + base, &written_, &error)) << error;
        ASSERT_EQ(DataFilesPresent(dir_.c_str(), base.c_str()), 0);
    }

    std::uint32_t hw(std::size_t i) const { return written_.hw_offsets[i]; }

    std::string dir_;
    dictwriter::WrittenDictionary written_;
};

TEST_F(EntryTextTest, EveryEntryHasItsTextAndLength)
{
    write_and_open("dict", 0, "header text of the dictionary, the decoder's preset");
    const std::uint64_t hw_blocks = written_.hw_offsets.back() / kBlockSize -
                                    written_.hw_offsets.front() / kBlockSize + 1;
    ASSERT_GT(hw_blocks, 2u) << "the fixture must spread \"hw\" over several blocks";
    for (std::size_t i = 0; i < kEntries; ++i) {
        SCOPED_TRACE(head_word(i));
        const std::string expected = entry_stream(i, 0);
        ASSERT_EQ(entry_length(hw(i), kBlockSize), kEntryBytes);
        const char* text = entry_text(hw(i), kBlockSize);
        ASSERT_EQ(std::string(text, kEntryBytes), expected);
        EXPECT_EQ(ExpandEntry(hw(i), kBlockSize), text);
        EXPECT_EQ(LoadRecord(hw(i), kBlockSize), text);
    }
}

TEST_F(EntryTextTest, EntriesOfOneBlockReadTheDataFileOnce)
{
    write_and_open("dict", 0, "preset");
    struct Step {
        const char* why;
        std::size_t entry;
        std::uint64_t reads;  // compressed blocks read by this step
    };
    const Step steps[] = {
        {"first entry of block 0", 0, 1},
        {"another entry of block 0", 7, 0},
        {"the last entry of block 0", 9, 0},
        {"block 1", 10, 1},
        {"block 0 again", 3, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.why);
        const std::uint64_t before = entry_block_reads();
        entry_text(hw(s.entry), kBlockSize);
        EXPECT_EQ(entry_block_reads() - before, s.reads);
    }
}

TEST_F(EntryTextTest, LengthOfALastEntryKeepsTheEntryBuffer)
{
    write_and_open("dict", 0, "preset");
    // The buffer holds block 2; the length of the last entry of block 0 needs the
    // expanded size of block 0, which is expanded elsewhere.
    const std::string held = entry_text(hw(25), kBlockSize);
    ASSERT_EQ(held, std::string(entry_stream(25, 0).c_str()));
    EXPECT_EQ(entry_length(hw(kEntriesPerBlock - 1), kBlockSize), kEntryBytes);
    EXPECT_EQ(entry_length(hw(kEntries - 1), kBlockSize), kEntryBytes)
        << "the last entry of the whole index";
    const std::uint64_t before = entry_block_reads();
    EXPECT_EQ(std::string(entry_text(hw(25), kBlockSize)), held);
    EXPECT_EQ(entry_block_reads(), before) << "the entry buffer still holds block 2";
}

TEST_F(EntryTextTest, OffsetsThatNameNoEntryGiveEmptyText)
{
    write_and_open("dict", 0, "preset");
    std::uint32_t va_block = 0;
    const std::int32_t va_pos = find_entry(head_word(5).c_str(), "va", &va_block, kBlockSize);
    ASSERT_GE(va_pos, 0);
    struct Case {
        const char* why;
        std::uint32_t offset;
    };
    const Case cases[] = {
        {"inside an entry's word", hw(3) + 1},
        {"inside an entry's data", hw(3) + 6},
        {"the descriptor table", 0},
        {"an entry of another index", va_block * kBlockSize + static_cast<std::uint32_t>(va_pos)},
        {"past the end of the index file", 0x7FFFFFF0u},
        {"past the last entry of the index", hw(kEntries - 1) + 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_STREQ(entry_text(c.offset, kBlockSize), "");
        EXPECT_EQ(entry_length(c.offset, kBlockSize), 0u);
        EXPECT_STREQ(ExpandEntry(c.offset, kBlockSize), "");
    }
}

TEST_F(EntryTextTest, PositionPastTheExpandedTextGivesEmptyText)
{
    write_and_open("dict", 0, "preset");
    // Replace the data file by one whose first block (at the same offset) is short.
    std::vector<dictwriter::EntryPlace> places;
    std::string error;
    ASSERT_TRUE(dictwriter::write_data_file(dir_ + "dict.cmp", "preset", {"tiny"}, {}, &places,
                                            &error))
        << error;
    ASSERT_EQ(DataFilesPresent(dir_.c_str(), "dict"), 0);
    EXPECT_STREQ(entry_text(hw(0), kBlockSize), "tiny");
    for (std::size_t i : {std::size_t{1}, std::size_t{5}, kEntriesPerBlock - 1}) {
        SCOPED_TRACE(head_word(i));
        EXPECT_STREQ(entry_text(hw(i), kBlockSize), "");
        EXPECT_EQ(entry_length(hw(i), kBlockSize), 0u);
    }
    // A block offset past the end of the data file is damaged data.
    EXPECT_EXIT(entry_text(hw(kEntriesPerBlock), kBlockSize), ::testing::ExitedWithCode(255),
                "unable to read file at offset");
}

TEST_F(EntryTextTest, AnotherPairIsDecodedWithItsOwnHeaderAndBlocks)
{
    // Same layout (same offsets), other header and other text.
    const std::string header_a(600, 'a');
    const std::string header_b(600, 'b');
    write_and_open("one", 0, header_a);
    const std::uint32_t offset = hw(12);
    EXPECT_EQ(std::string(entry_text(offset, kBlockSize)), entry_stream(12, 0).c_str());
    write_and_open("two", 5, header_b);
    ASSERT_EQ(hw(12), offset);
    EXPECT_EQ(std::string(entry_text(offset, kBlockSize)), entry_stream(12, 5).c_str())
        << "the block cached from the first pair must not be served";
    ASSERT_EQ(DataFilesPresent(dir_.c_str(), "one"), 0);
    EXPECT_EQ(std::string(entry_text(offset, kBlockSize)), entry_stream(12, 0).c_str());
}

// zlib's raw inflate of one compressed block with the header as preset.
std::string zlib_inflate(const std::uint8_t* in, std::size_t in_len, const std::string& header)
{
    z_stream stream{};
    EXPECT_EQ(inflateInit2(&stream, -14), Z_OK);
    EXPECT_EQ(inflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(header.data()),
                                   static_cast<uInt>(header.size())),
              Z_OK);
    std::string out(65535, '\0');
    stream.next_in = const_cast<Bytef*>(in);  // zlib's API takes a non-const pointer
    stream.avail_in = static_cast<uInt>(in_len);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(inflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    inflateEnd(&stream);
    return out;
}

// The differential test: every block of the scale fixture, expanded by zlib, against the
// engine's texts of every entry. The data file holds the entries in "hw" order, so the
// blocks' texts one after another equal the entries' texts one after another.
TEST_F(EntryTextTest, EveryEntryOfTheScaleFixtureMatchesZlib)
{
    dictwriter::ScaleFixture fixture;
    std::string error;
    ASSERT_TRUE(dictwriter::write_scale_fixture(dir_ + "scale", &fixture, &error)) << error;
    ASSERT_EQ(DataFilesPresent(dir_.c_str(), "scale"), 0);
    std::ifstream in(dir_ + "scale.cmp", std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
    const std::size_t header_len = std::size_t{bytes[0]} << 8 | bytes[1];
    const std::string header = file.substr(2, header_len);

    std::string from_zlib;
    std::size_t blocks = 0;
    for (std::size_t at = 2 + header_len; at < file.size(); ++blocks) {
        const std::size_t n = std::size_t{bytes[at]} << 8 | bytes[at + 1];
        ASSERT_LE(at + 2 + n, file.size());
        const std::string expected = zlib_inflate(bytes + at + 2, n, header);
        const char* engine = AllocEntryBuf(static_cast<std::uint32_t>(at));
        ASSERT_EQ(std::string(engine, expected.size()), expected) << "block at " << at;
        ASSERT_EQ(engine[expected.size()], '\0');
        from_zlib += expected;
        at += 2 + n;
    }
    std::vector<std::uint32_t> offsets = fixture.hw_offsets;
    std::sort(offsets.begin(), offsets.end());
    std::string from_engine;
    for (std::uint32_t offset : offsets)
        from_engine.append(entry_text(offset, kBlockSize), entry_length(offset, kBlockSize));
    EXPECT_GT(blocks, 10u);
    EXPECT_EQ(offsets.size(), fixture.head_words.size());
    EXPECT_TRUE(from_engine == from_zlib) << "the entries' texts differ from zlib's blocks";
}

TEST(EntryTextClosedTest, NoOpenPairGivesEmptyText)
{
    close_data_files();
    EXPECT_STREQ(entry_text(600, kBlockSize), "");
    EXPECT_EQ(entry_length(600, kBlockSize), 0u);
    release_entry_buffers();
    EXPECT_STREQ(LoadRecord(600, kBlockSize), "");
}

} // namespace
