// data_writer_test.cpp: the data file writer's field streams, block grouping and refusals.
#include "tools/dictwriter/data_writer.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/inflate.h"

namespace {

using dictwriter::EntryPlace;

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

TEST(DataWriterTest, FieldStreamsCarryCodePackedLengthAndText)
{
    struct Case {
        const char* why;
        std::vector<dictwriter::EntryField> fields;
        std::string expected;
    };
    const Case cases[] = {
        {"no field: only the end code", {}, bytes({0})},
        {"two short fields", {{0xD8, "ab"}, {0x9F, ""}}, bytes({0xD8, 2, 'a', 'b', 0x9F, 0, 0})},
        {"127 bytes take a one-byte length", {{0x82, std::string(127, 'x')}},
         bytes({0x82, 0x7F}) + std::string(127, 'x') + bytes({0})},
        {"128 bytes take two", {{0x82, std::string(128, 'y')}},
         bytes({0x82, 0x81, 0x00}) + std::string(128, 'y') + bytes({0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(dictwriter::encode_field_stream(c.fields), c.expected);
    }
}

TEST(DataWriterTest, EntriesShareBlocksUpToTheTextLimit)
{
    const std::string header = "preset";
    const std::vector<std::string> entries = {std::string(300, 'a'), std::string(300, 'b'),
                                              std::string(300, 'c'), std::string(1200, 'd'),
                                              std::string(10, 'e'),  std::string(995, 'f')};
    dictwriter::DataFileOptions options;
    options.block_text_bytes = 1000;
    std::string file;
    std::vector<EntryPlace> places;
    std::string error;
    ASSERT_TRUE(dictwriter::build_data_file(header, entries, options, &file, &places, &error))
        << error;
    // Blocks: {a, b, c} (900 bytes), {d} (alone: larger than the limit), {e} (e + f would
    // pass the limit), {f}.
    const std::size_t expected_block[] = {0, 0, 0, 1, 2, 3};
    const std::uint32_t expected_position[] = {0, 300, 600, 0, 0, 0};
    std::vector<std::uint32_t> block_offsets;
    std::uint32_t at = 2 + static_cast<std::uint32_t>(header.size());
    while (at < file.size()) {
        block_offsets.push_back(at);
        at += 2 + (static_cast<std::uint8_t>(file[at]) << 8 | static_cast<std::uint8_t>(file[at + 1]));
    }
    ASSERT_EQ(at, file.size()) << "the blocks fill the file exactly";
    ASSERT_EQ(block_offsets.size(), 4u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_EQ(places[i].block_offset, block_offsets[expected_block[i]]);
        EXPECT_EQ(places[i].text_position, expected_position[i]);
        const std::uint32_t b = places[i].block_offset;
        const std::size_t n = static_cast<std::uint8_t>(file[b]) << 8 | static_cast<std::uint8_t>(file[b + 1]);
        std::vector<std::uint8_t> out(65535);
        const InflateResult r =
            inflate_raw(reinterpret_cast<const std::uint8_t*>(file.data()) + b + 2, n,
                        reinterpret_cast<const std::uint8_t*>(header.data()), header.size(),
                        out.data(), out.size());
        EXPECT_EQ(r.status, InflateStatus::kDone);
        EXPECT_EQ(std::string(out.begin() + places[i].text_position,
                              out.begin() + places[i].text_position + entries[i].size()),
                  entries[i]);
    }
}

TEST(DataWriterTest, RefusesWhatTheEngineCannotRead)
{
    std::mt19937 rng(5);
    std::string noise(65535, '\0');
    for (char& c : noise)
        c = static_cast<char>(rng());
    struct Case {
        const char* why;
        std::string header;
        std::vector<std::string> entries;
        std::size_t block_text_bytes;
        int level;
    };
    const Case cases[] = {
        {"a header that does not fit the window", std::string(16384, 'h'), {"x"}, 8192, 9},
        {"an entry longer than the entry buffer", "", {std::string(65536, 'x')}, 8192, 9},
        {"a block limit of 0", "", {"x"}, 0, 9},
        {"a block limit past the entry buffer", "", {"x"}, 65536, 9},
        {"a compressed block past its 2-byte length", "", {noise}, 65535, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        dictwriter::DataFileOptions options;
        options.block_text_bytes = c.block_text_bytes;
        options.level = c.level;
        std::string file;
        std::vector<EntryPlace> places;
        std::string error;
        EXPECT_FALSE(dictwriter::build_data_file(c.header, c.entries, options, &file, &places,
                                                 &error));
        EXPECT_FALSE(error.empty());
    }
    std::vector<EntryPlace> places;
    std::string error;
    EXPECT_FALSE(dictwriter::write_data_file("/nonexistent-dir/x.cmp", "", {"x"}, {}, &places,
                                             &error));
    EXPECT_NE(error.find("/nonexistent-dir/x.cmp"), std::string::npos);
}

} // namespace
