// Tests of the checks a dictionary pair passes when the program opens it: a pair the
// writer made opens; a pair damaged in each of the ways a cut copy, a bad disc or stray
// bytes damage it is refused with the file named, and the pair open before stays open.
#include "engine/pair_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/report.h"
#include "index_fixture.h"

namespace {

namespace fs = std::filesystem;
using index_fixture::TempDir;

// Enough entries, with long enough texts, that both files span many blocks.
dictwriter::DictionarySource Source()
{
    dictwriter::DictionarySource source;
    // The first entry of each block takes its head word's start from the header.
    source.header = "a header the entries share: word1";
    for (int i = 0; i < 400; ++i) {
        const std::string head = "word" + std::to_string(1000 + i);
        dictwriter::SourceEntry e = index_fixture::entry(head, {{"df", "meaning" + std::to_string(i % 37)}});
        std::mt19937 bits(static_cast<unsigned>(i));
        std::string text;
        for (int k = 0; k < 60; ++k)
            text += std::to_string(bits()) + " ";
        e.fields = dictwriter::encode_field_stream({{0xD8, head}, {0xEC, text}});
        source.entries.push_back(e);
    }
    return source;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Overwrites count bytes at offset with random ones.
void Scribble(const std::string& path, std::size_t offset, std::size_t count)
{
    std::string bytes = ReadAll(path);
    std::mt19937 random(7);
    for (std::size_t i = offset; i < offset + count && i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(random());
    WriteAll(path, bytes);
}

std::uint32_t IndexStart(const char* code)
{
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    EXPECT_TRUE(find_descriptor(code, &start, &end));
    return start;
}

TEST(PairCheck, ADamagedPairIsRefusedNamingItsFileAndThePairBeforeStaysOpen)
{
    TempDir dir;
    const dictwriter::WrittenDictionary good = index_fixture::write(Source(), dir, "good");
    const std::string folder = dir.path() + "/";
    ASSERT_NE(OpenDictionary(folder.c_str(), "good"), 0) << data_files_problem();
    EXPECT_EQ(data_files_problem(), "");
    const std::uint32_t va_start = IndexStart("va");
    ASSERT_GT(fs::file_size(dir.file("good.cmp")), 16384u);
    ASSERT_GE(fs::file_size(dir.file("good.ndx")), 8192u);

    struct Case {
        const char* why;
        void (*damage)(const std::string& base, std::uint32_t va_start);
        const char* file;     // the file the problem names
        const char* problem;  // what it says of it
    };
    const Case cases[] = {
        {"a data file cut to 4 KiB",
         [](const std::string& base, std::uint32_t) { fs::resize_file(base + ".cmp", 4096); }, ".cmp",
         "the file is cut short"},
        {"an index file whose first 4 KiB are random",
         [](const std::string& base, std::uint32_t) { Scribble(base + ".ndx", 0, 4096); }, ".ndx",
         "the descriptor table is damaged"},
        {"random bytes over the start of the va index",
         [](const std::string& base, std::uint32_t va) { Scribble(base + ".ndx", va, 512); }, ".ndx",
         "the \"va\" index is damaged"},
        {"random bytes over the data file's header",
         [](const std::string& base, std::uint32_t) { Scribble(base + ".cmp", 2, Source().header.size()); },
         ".cmp", "its header is damaged (the text of \"word1"},
        {"random bytes over the data file's blocks",
         [](const std::string& base, std::uint32_t) { Scribble(base + ".cmp", 2 + Source().header.size(), 1 << 20); },
         ".cmp", "the file is damaged (the head words of "},
        {"an index file cut short",
         [](const std::string& base, std::uint32_t) { fs::resize_file(base + ".ndx", 2048); }, ".ndx",
         "index runs outside the file"},
        {"a folder in the data file's place",
         [](const std::string& base, std::uint32_t) {
             fs::remove(base + ".cmp");
             fs::create_directory(base + ".cmp");
         },
         ".cmp", "a folder, not a data file"},
        {"no data file", [](const std::string& base, std::uint32_t) { fs::remove(base + ".cmp"); }, ".cmp",
         "cannot open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        fs::remove_all(dir.file("bad.cmp"));
        fs::copy_file(dir.file("good.cmp"), dir.file("bad.cmp"));
        fs::copy_file(dir.file("good.ndx"), dir.file("bad.ndx"), fs::copy_options::overwrite_existing);
        c.damage(dir.file("bad"), va_start);

        EXPECT_EQ(OpenDictionary(folder.c_str(), "bad"), 0);
        const std::string problem = data_files_problem();
        EXPECT_NE(problem.find(dir.file(std::string("bad") + c.file)), std::string::npos) << problem;
        EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
        // The good dictionary is still the one open, and reads.
        EXPECT_EQ(LookUpWord("word1005", kBlockSize), good.hw_offsets[5]);
    }
    ReleaseEngineBuffers();
}

// A pair that is whole but does not belong together, or lacks an index the description's
// search types name, is refused naming the index file.
TEST(PairCheck, AnIndexThatDoesNotFitItsDataOrLacksASearchIndexIsRefused)
{
    TempDir dir;
    const dictwriter::WrittenDictionary good = index_fixture::write(Source(), dir, "good");
    dictwriter::DictionarySource other;
    other.header = "another dictionary";
    for (int i = 0; i < 300; ++i)
        other.entries.push_back(index_fixture::entry("other" + std::to_string(5000 + i),
                                                     {{"df", "sense" + std::to_string(i)}}));
    index_fixture::write(other, dir, "other");
    const std::string folder = dir.path() + "/";
    ASSERT_NE(OpenDictionary(folder.c_str(), "good", {"va", "df"}), 0) << data_files_problem();

    fs::copy_file(dir.file("good.cmp"), dir.file("mixed.cmp"));
    fs::copy_file(dir.file("other.ndx"), dir.file("mixed.ndx"));
    EXPECT_EQ(OpenDictionary(folder.c_str(), "mixed"), 0);
    EXPECT_EQ(data_files_problem(), dir.file("mixed.ndx") + ": it does not belong with the data file " +
                                        dir.file("mixed.cmp") + " (its head words lead to no entries there)");

    EXPECT_EQ(OpenDictionary(folder.c_str(), "good", {"va", "sc"}), 0);
    EXPECT_EQ(data_files_problem(), dir.file("good.ndx") +
                                        ": it has no \"sc\" index, which a search type of the description names");
    EXPECT_EQ(LookUpWord("word1005", kBlockSize), good.hw_offsets[5]) << "the good pair stays open";
    ReleaseEngineBuffers();
}

struct DamageReport {
    std::string message;
};

[[noreturn]] void ThrowDamage(std::string_view message)
{
    throw DamageReport{std::string(message)};
}

// Random bytes written over the head-word index after the pair opened: every word looked up
// is found or the damage is reported, naming the index; none is simply not there.
TEST(PairCheck, RandomBytesOverAnOpenIndexAreReportedAsDamageNotAsNothingFound)
{
    TempDir dir;
    const dictwriter::WrittenDictionary good = index_fixture::write(Source(), dir, "good");
    const std::string folder = dir.path() + "/";
    ASSERT_NE(OpenDictionary(folder.c_str(), "good"), 0) << data_files_problem();
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    ASSERT_TRUE(find_descriptor("hw", &start, &end));
    ASSERT_GE(end - start, 8 * kBlockSize);
    // The middle of the index; its first and last blocks stay whole.
    Scribble(dir.file("good.ndx"), start + 2 * kBlockSize, end - start - 4 * kBlockSize);
    engine_set_fatal_hook(ThrowDamage);
    int reported = 0;
    for (int i = 0; i < 400; ++i) {
        const std::string word = "word" + std::to_string(1000 + i);
        SCOPED_TRACE(word);
        try {
            const std::uint32_t found = LookUpWord(word.c_str(), kBlockSize);
            EXPECT_NE(found, 0u) << "not found, with no damage told";
        } catch (const DamageReport&) {
            EXPECT_EQ(failed_read_path(), dir.file("good.ndx"));
            ++reported;
        }
    }
    engine_set_fatal_hook(nullptr);
    EXPECT_GT(reported, 0);
    ReleaseEngineBuffers();
}

TEST(PairCheck, ThePathTriedJoinsTheFolderAndNameAsTheyStand)
{
    // A folder named without its closing '/' runs into the name; the problem shows it.
    TempDir dir;
    index_fixture::write(Source(), dir, "demo");
    const std::string no_slash = dir.path();
    EXPECT_EQ(OpenDictionary(no_slash.c_str(), "demo"), 0);
    EXPECT_NE(data_files_problem().find("cannot open \"" + dir.path() + "demo.cmp\""), std::string::npos)
        << data_files_problem();
    ReleaseEngineBuffers();
}

} // namespace
