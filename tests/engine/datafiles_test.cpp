// Tests of the file pair, the block cache, the descriptor table and packed numbers.
#include "engine/datafiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/resultlist.h"
#include "engine/wordindex.h"
#include "index_fixture.h"

namespace {

using index_fixture::entry;
using index_fixture::TempDir;

dictwriter::DictionarySource small_source(const std::vector<std::string>& words)
{
    dictwriter::DictionarySource source;
    source.header = "preset text";
    for (const std::string& w : words)
        source.entries.push_back(entry(w));
    return source;
}

bool finds(const char* word)
{
    ResultList list;
    return find_word(&list, word, "va", kBlockSize) != 0;
}

TEST(PackedNumbers, EveryLengthBoundary)
{
    struct Case {
        const char* why;
        std::uint32_t value;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"zero takes one byte", 0, {0x00}},
        {"127 is the largest one-byte value", 127, {0x7F}},
        {"128 takes two bytes", 128, {0x81, 0x00}},
        {"16,383 is the largest two-byte value", 16383, {0xFF, 0x7F}},
        {"16,384 takes three bytes", 16384, {0x81, 0x80, 0x00}},
        {"0x1FFFFF is the largest three-byte value", 0x1FFFFF, {0xFF, 0xFF, 0x7F}},
        {"0x200000 takes four bytes", 0x200000, {0x81, 0x80, 0x80, 0x00}},
        {"0xFFFFFFF is the largest four-byte value", 0xFFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
        {"0x10000000 takes five bytes", 0x10000000, {0x81, 0x80, 0x80, 0x80, 0x00}},
        {"all ones", 0xFFFFFFFF, {0x8F, 0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::uint8_t buffer[8] = {};
        const std::uint8_t* end = pack_number(buffer, c.value);
        const std::uint8_t* begin = buffer;
        EXPECT_EQ(std::vector<std::uint8_t>(begin, end), c.bytes);
        EXPECT_EQ(packed_size(c.value), c.bytes.size());
        std::uint32_t back = 1;
        EXPECT_EQ(unpack_number(buffer, &back), end);
        EXPECT_EQ(back, c.value);
        EXPECT_EQ(unpack_number_bounded(buffer, end, &back), end);
        EXPECT_EQ(back, c.value);
    }
    const std::uint8_t three[] = {0x05, 0x81, 0x00, 0x7F};
    EXPECT_EQ(skip_numbers(three, 3), three + 4);
}

TEST(PackedNumbers, FixedWidthWritersAndTheirLimits)
{
    std::uint8_t buffer[3] = {};
    EXPECT_EQ(store_in_two(buffer, 65535), buffer + 2);
    EXPECT_EQ(buffer[0], 0xFF);
    EXPECT_EQ(buffer[1], 0xFF);
    EXPECT_EQ(store_in_three(buffer, 0x123456), buffer + 3);
    EXPECT_EQ(buffer[0], 0x12);
    EXPECT_EQ(buffer[2], 0x56);
    EXPECT_EXIT(store_in_two(buffer, 65536), ::testing::ExitedWithCode(255),
                "data too large in store_in_two\\(\\) \\(exiting\\)");
    EXPECT_EXIT(store_in_three(buffer, 0x1000000), ::testing::ExitedWithCode(255),
                "data too large in store_in_three\\(\\) \\(exiting\\)");
    // A number whose last byte would lie past the block is damaged data.
    const std::uint8_t open_ended[] = {0x81, 0x82};
    std::uint32_t value = 0;
    EXPECT_EXIT(unpack_number_bounded(open_ended, open_ended + 2, &value),
                ::testing::ExitedWithCode(255), "packed number runs past its block");
}

TEST(DataFiles, PairInTheWorkingDirectoryWins)
{
    TempDir here;
    TempDir there;
    index_fixture::write(small_source({"local"}), here, "dict");
    index_fixture::write(small_source({"remote"}), there, "dict");
    char old_cwd[4096];
    ASSERT_NE(getcwd(old_cwd, sizeof old_cwd), nullptr);
    ASSERT_EQ(chdir(here.path().c_str()), 0);
    EXPECT_EQ(probe_data_files((there.path() + "/").c_str(), "dict"), 0);
    EXPECT_EQ(DataFilesPresent((there.path() + "/").c_str(), "dict"), 0);
    EXPECT_TRUE(finds("local"));
    EXPECT_FALSE(finds("remote"));
    ASSERT_EQ(chdir(old_cwd), 0);
    // Away from the local pair, the directory is used.
    EXPECT_EQ(DataFilesPresent((there.path() + "/").c_str(), "dict"), 0);
    EXPECT_TRUE(finds("remote"));
    close_data_files();
}

TEST(DataFiles, ANameInTheWorkingDirectoryThatIsNoFileIsPassedOver)
{
    TempDir here;
    TempDir there;
    index_fixture::write(small_source({"remote"}), there, "dict");
    ASSERT_TRUE(std::filesystem::create_directory(here.file("dict.cmp")));
    ASSERT_EQ(mkfifo(here.file("dict.ndx").c_str(), 0600), 0);  // an open would wait for a writer
    char old_cwd[4096];
    ASSERT_NE(getcwd(old_cwd, sizeof old_cwd), nullptr);
    ASSERT_EQ(chdir(here.path().c_str()), 0);
    const std::string folder = there.path() + "/";
    EXPECT_EQ(probe_data_files(folder.c_str(), "dict"), 0);
    EXPECT_EQ(probe_data_files("nowhere/", "dict"), 1);
    for (const char* name : {"folders.cmp", "folders.ndx"})
        ASSERT_TRUE(std::filesystem::create_directory(here.file(name)));
    EXPECT_EQ(probe_data_files("nowhere/", "folders"), 1) << "folders are no files";
    EXPECT_EQ(DataFilesPresent(folder.c_str(), "dict"), 0) << data_files_problem();
    EXPECT_EQ(data_file_path(), folder + "dict.cmp");
    EXPECT_EQ(index_file_path(), folder + "dict.ndx");
    EXPECT_TRUE(finds("remote"));
    EXPECT_EQ(DataFilesPresent("nowhere/", "dict"), 1);
    EXPECT_EQ(data_files_problem(), "dict.cmp: a folder, not a data file; cannot open \"nowhere/dict.cmp\" "
                                    "(No such file or directory)");
    ASSERT_EQ(chdir(old_cwd), 0);
    close_data_files();
}

TEST(DataFiles, FailedOpenLeavesTheOpenPairUsable)
{
    TempDir dir;
    index_fixture::open(small_source({"alpha", "beta"}), dir, "good");
    index_fixture::write(small_source({"gamma"}), dir, "nondx");
    ASSERT_EQ(unlink(dir.file("nondx.ndx").c_str()), 0);
    // A header of 16,384 bytes would overflow the decoder window.
    std::FILE* big = std::fopen(dir.file("bighdr.cmp").c_str(), "wb");
    const std::uint8_t length[2] = {0x40, 0x00};
    std::fwrite(length, 1, 2, big);
    std::fwrite(std::string(16384, 'h').data(), 1, 16384, big);
    std::fclose(big);
    ASSERT_EQ(link(dir.file("good.ndx").c_str(), dir.file("bighdr.ndx").c_str()), 0);
    std::FILE* empty = std::fopen(dir.file("short.cmp").c_str(), "wb");
    std::fclose(empty);
    ASSERT_EQ(link(dir.file("good.ndx").c_str(), dir.file("short.ndx").c_str()), 0);

    struct Case {
        const char* why;
        const char* base;
    };
    const Case cases[] = {
        {"no such pair", "missing"},
        {"data file without its index file", "nondx"},
        {"header of 16,384 bytes", "bighdr"},
        {"data file too short for its header length", "short"},
    };
    const std::string folder = dir.path() + "/";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(DataFilesPresent(folder.c_str(), c.base), 1);
        EXPECT_TRUE(data_files_open());
        EXPECT_TRUE(finds("beta")) << "the pair opened before still answers";
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(dictionary_header())),
                  "preset text");
    }
    EXPECT_EQ(probe_data_files(folder.c_str(), "nondx"), 1);
    EXPECT_EQ(probe_data_files(folder.c_str(), "short"), 1);
    close_data_files();
}

TEST(DataFiles, BlockCacheIsKeyedByNumberAndSizeAndResetByOpen)
{
    TempDir dir;
    index_fixture::open(small_source({"one"}), dir, "first");
    index_fixture::write(small_source({"two", "three"}), dir, "second");

    const std::uint64_t reads = block_read_count();
    read_block(0, kDescriptorSize);
    EXPECT_EQ(block_read_count(), reads) << "the open has read the descriptor";
    // Block 0 as 512 bytes is another block: its last bytes must be read, not left over.
    const std::uint8_t* whole = read_block(0, kBlockSize);
    read_block(0, kBlockSize);
    EXPECT_EQ(block_read_count(), reads + 1);
    EXPECT_EQ(whole[0], 'h') << "descriptor entry 0 is hw";
    EXPECT_EQ(whole[kBlockSize - 1], 0);
    read_block(0, kDescriptorSize);
    EXPECT_EQ(block_read_count(), reads + 2);

    // Block 0 of the previous pair is cached; the new pair's is read again.
    ASSERT_EQ(DataFilesPresent((dir.path() + "/").c_str(), "second"), 0);
    EXPECT_EQ(block_read_count(), reads + 3);
    EXPECT_TRUE(finds("three"));
    EXPECT_FALSE(finds("one"));
    close_data_files();
}

TEST(DataFiles, DescriptorLookups)
{
    TempDir dir;
    dictwriter::DictionarySource source = small_source({"a1", "b2"});
    source.entries[0].terms.push_back({"df", "defining"});
    index_fixture::open(source, dir, "desc");

    std::uint32_t start = 0;
    std::uint32_t end = 0;
    std::uint32_t key_length = 0;
    ASSERT_TRUE(find_descriptor("hw", &start, &end, &key_length));
    EXPECT_EQ(start, kBlockSize) << "the head words follow the descriptor block";
    EXPECT_EQ(end, 2 * kBlockSize);
    EXPECT_EQ(key_length, 4u);
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    ASSERT_TRUE(index_block_range("df", kBlockSize, &first, &last));
    EXPECT_EQ(first, last);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(find_descriptor("zz", &start, &end));
    EXPECT_FALSE(index_block_range("zz", kBlockSize, &first, &last));
    EXPECT_FALSE(find_descriptor("h", &start, &end)) << "codes match exactly";
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("unable to find descriptor table entry for: zz\n"), std::string::npos);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
    EXPECT_GT(first, last) << "an unknown code gives an empty range";

    testing::internal::CaptureStdout();
    dump_descriptor("hw");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "hw: start = 512, end = 1024, bytes used = 512, total key length = 4\n");
    close_data_files();
}

TEST(DataFiles, ReadPastTheIndexFileIsFatal)
{
    TempDir dir;
    index_fixture::open(small_source({"one"}), dir, "tiny");
    EXPECT_EXIT(read_block(1000, kBlockSize), ::testing::ExitedWithCode(255),
                "unable to read file at offset 512000 \\(exiting\\)");
    close_data_files();
}

TEST(DataFiles, AnIndexFileCutWhileOpenGivesTheFatalReportNotACrash)
{
    // Many pages, so that the cut leaves whole mapped pages past the file's new end.
    std::vector<std::string> words;
    for (int i = 0; i < 3000; ++i)
        words.push_back("word" + std::to_string(10000 + i));
    TempDir dir;
    index_fixture::open(small_source(words), dir, "cut");
    ASSERT_GT(std::filesystem::file_size(dir.file("cut.ndx")), 4u * 4096);
    EXPECT_EXIT(
        {
            std::filesystem::resize_file(dir.file("cut.ndx"), 1024);
            read_block(20, kBlockSize);
        },
        ::testing::ExitedWithCode(255), "unable to read file at offset 10240 \\(exiting\\)");
    close_data_files();
}

} // namespace
