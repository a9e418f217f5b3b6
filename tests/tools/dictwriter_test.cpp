// Tests of the dictionary writer's index side: the text source, the layout of word
// blocks and long entries, and the scale fixture, each read back through the engine.
#include "tools/dictwriter/dictwriter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include "engine/datafiles.h"
#include "engine/entrytext.h"
#include "engine/resultlist.h"
#include "engine/scramble.h"
#include "engine/wordindex.h"
#include "tools/dictwriter/index_writer.h"
#include "tools/dictwriter/key_table_writer.h"
#include "tools/dictwriter/scale_fixture.h"
#include "tools/dictwriter/text_source.h"

namespace {

class TempDir {
public:
    TempDir()
    {
        char templ[] = "/tmp/vko_dictwriter_XXXXXX";
        const char* made = mkdtemp(templ);
        itsPath = made != nullptr ? made : "/tmp";
    }
    ~TempDir()
    {
        const std::string command = "rm -rf '" + itsPath + "'";
        if (std::system(command.c_str()) != 0)
            ADD_FAILURE() << "cannot remove " << itsPath;
    }
    std::string file(const std::string& name) const { return itsPath + "/" + name; }

private:
    std::string itsPath;
};

std::vector<std::uint32_t> postings(const char* word, const char* code)
{
    ResultList list;
    find_word(&list, word, code, kBlockSize);
    std::vector<std::uint32_t> out;
    ResultCursor cursor(&list);
    for (cursor.start(); !cursor.at_end(); cursor.advance())
        out.push_back(cursor.value());
    return out;
}

const char kSource[] = R"(# a small dictionary
header The preset\ttext
header second line
keytables tr
marker df cat
entry cat
field D8 cat
field B0 a small animal\x21
term df animal
pron !kat
entry dog
nova
field D8 dog
term df animal
term df loyal
)";

TEST(TextSource, ReadsEveryDirective)
{
    std::istringstream in(kSource);
    dictwriter::DictionarySource source;
    std::string error;
    ASSERT_TRUE(dictwriter::parse_text_source(in, &source, &error)) << error;
    EXPECT_EQ(source.header, "The preset\ttext\nsecond line");
    EXPECT_EQ(source.key_tables, std::vector<std::string>{"tr"});
    ASSERT_EQ(source.markers.size(), 1u);
    EXPECT_EQ(source.markers[0].word, "cat");
    ASSERT_EQ(source.entries.size(), 2u);
    const dictwriter::SourceEntry& cat = source.entries[0];
    EXPECT_EQ(cat.head_word, "cat");
    EXPECT_EQ(cat.fields, std::string("\xD8\x03" "cat" "\xB0\x0F" "a small animal!", 22) +
                              std::string(1, '\0'));
    ASSERT_EQ(cat.terms.size(), 2u);
    EXPECT_EQ(cat.terms[0].index_code, "va");
    EXPECT_EQ(cat.pronunciations, std::vector<std::string>{"!kat"});
    ASSERT_EQ(source.entries[1].terms.size(), 2u) << "nova keeps dog out of va";
    EXPECT_EQ(source.entries[1].terms[0].index_code, "df");
}

TEST(TextSource, RefusesWhatItCannotRead)
{
    struct Case {
        const char* why;
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"unknown directive", "entry a\nbogus x\n", "line 2: unknown directive 'bogus'"},
        {"unknown directive before any entry", "# c\nentri a\n",
         "line 2: unknown directive 'entri'"},
        {"field outside an entry", "field D8 x\n", "line 1: 'field' outside an entry"},
        {"field code not hex", "entry a\nfield G1 x\n",
         "line 2: field needs a code byte in two hex digits"},
        {"field code 0 would end the entry", "entry a\nfield 00 x\n",
         "line 2: field needs a code byte in two hex digits"},
        {"bad escape", "entry a\nfield D8 x\\q\n", "line 2: bad escape in field text"},
        {"term without word", "entry a\nterm df\n", "line 2: term needs an index code and a word"},
        {"entry without head word", "entry\n", "line 1: entry needs a head word"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::istringstream in(c.text);
        dictwriter::DictionarySource source;
        std::string error;
        EXPECT_FALSE(dictwriter::parse_text_source(in, &source, &error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(TextSource, RefusesWhatCannotBeRead)
{
    TempDir dir;
    struct Case {
        const char* why;
        std::string path;
    };
    const Case cases[] = {
        {"no such file", dir.file("missing.txt")},
        {"a directory, which opens but reads as empty", dir.file("")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        dictwriter::DictionarySource source;
        std::string error;
        EXPECT_FALSE(dictwriter::read_text_source(c.path, &source, &error));
        EXPECT_EQ(error, "cannot read " + c.path);
    }
}

// A stream that fails after its first line: the source read so far is not taken as all.
TEST(TextSource, RefusesAStreamThatBreaksOff)
{
    class BreakingBuffer : public std::streambuf {
    protected:
        int_type underflow() override
        {
            if (itsServed)
                throw std::runtime_error("device error");
            itsServed = true;
            setg(itsLine, itsLine, itsLine + sizeof itsLine - 1);
            return traits_type::to_int_type(itsLine[0]);
        }

    private:
        char itsLine[9] = "entry a\n";
        bool itsServed = false;
    };
    BreakingBuffer buffer;
    std::istream in(&buffer);
    dictwriter::DictionarySource source;
    std::string error;
    EXPECT_FALSE(dictwriter::parse_text_source(in, &source, &error));
    EXPECT_EQ(error, "line 1: read error");
}

TEST(WriteDictionary, TextSourceReadsBackThroughTheEngine)
{
    TempDir dir;
    std::istringstream in(kSource);
    dictwriter::DictionarySource source;
    std::string error;
    ASSERT_TRUE(dictwriter::parse_text_source(in, &source, &error)) << error;
    dictwriter::WrittenDictionary written;
    ASSERT_TRUE(dictwriter::write_dictionary(source, dir.file("pets"), &written, &error)) << error;
    ASSERT_EQ(DataFilesPresent("", dir.file("pets").c_str()), 0);

    const std::uint32_t cat = written.hw_offsets[0];
    const std::uint32_t dog = written.hw_offsets[1];
    EXPECT_EQ(postings("cat", "va"), std::vector<std::uint32_t>{cat});
    EXPECT_TRUE(postings("dog", "va").empty());
    EXPECT_EQ(postings("animal", "df"), (std::vector<std::uint32_t>{cat, dog}));
    EXPECT_EQ(postings("cat", "df"), std::vector<std::uint32_t>{127}) << "marker only";
    EXPECT_EQ(entry_offset("dog", kBlockSize), dog);
    EXPECT_EQ(std::string(entry_text(dog, kBlockSize), 6), std::string("\xD8\x03" "dog", 5) +
                                                              std::string(1, '\0'));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dictionary_header())),
              "The preset\ttext\nsecond line");
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    ASSERT_TRUE(find_descriptor("tr", &start, &end));
    EXPECT_EQ(end - start, 3u) << "one va word, one three-byte record";
    close_data_files();
}

TEST(WriteDictionary, RefusesWhatTheEngineCannotRead)
{
    TempDir dir;
    struct Case {
        const char* why;
        dictwriter::DictionarySource source;
        const char* error;
    };
    dictwriter::SourceEntry long_word;
    long_word.head_word = std::string(80, 'x');
    dictwriter::SourceEntry bad_code;
    bad_code.head_word = "ok";
    bad_code.terms.push_back({"abc", "ok"});
    dictwriter::SourceEntry in_hw;
    in_hw.head_word = "ok";
    in_hw.terms.push_back({"hw", "ok"});
    // The too long entry sorts first, so its sorted position differs from its place.
    dictwriter::SourceEntry short_text;
    short_text.head_word = "zz";
    short_text.fields = std::string(10, 'x');
    dictwriter::SourceEntry long_text;
    long_text.head_word = "aa";
    long_text.fields = std::string(65536, 'x');
    std::vector<Case> cases;
    cases.push_back({"head word of 80 bytes", {}, "word empty or longer than 79 bytes in hw"});
    cases.back().source.entries.push_back(long_word);
    cases.push_back({"entry text past the entry buffer, named by its head word", {},
                     "entry aa is longer than 65535 bytes"});
    cases.back().source.entries = {short_text, long_text};
    cases.push_back({"index code of three letters", {}, "index code must be two characters: abc"});
    cases.back().source.entries.push_back(bad_code);
    cases.push_back({"terms in the head-word index", {}, "the hw index holds head words only"});
    cases.back().source.entries.push_back(in_hw);
    for (Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::string error;
        EXPECT_FALSE(dictwriter::write_dictionary(c.source, dir.file("bad"), nullptr, &error));
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    }
}

TEST(IndexWriter, LongEntriesStartMidBlockAndSpillIntoContinuationBlocks)
{
    struct Case {
        const char* why;
        std::size_t short_words;      // short entries before the long one
        std::size_t postings;         // of the long entry
        std::uint32_t gap;            // between postings (1- or 2-byte differences)
        std::uint32_t blocks;         // blocks of the index
    };
    const Case cases[] = {
        {"long entry first in its block, one continuation block", 0, 600, 100, 2},
        {"long entry after short ones, three continuation blocks", 5, 1800, 100, 4},
        {"two-byte differences", 1, 1000, 200, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<dictwriter::WordRecord> words;
        for (std::size_t i = 0; i < c.short_words; ++i)
            words.push_back({"a" + std::to_string(i), {}, {1000 + static_cast<std::uint32_t>(i)}});
        dictwriter::WordRecord big{"big", {}, {}};
        for (std::uint32_t i = 0; i < c.postings; ++i)
            big.postings.push_back(600 + i * c.gap);
        words.push_back(big);
        words.push_back({"zed", {}, {700}});
        dictwriter::IndexWriter writer;
        std::vector<std::uint32_t> offsets;
        std::string error;
        ASSERT_TRUE(writer.add_word_index("df", words, &offsets, &error)) << error;
        EXPECT_EQ(writer.block_count("df"), c.blocks + 1) << "zed starts a block of its own";
        EXPECT_EQ(offsets.back() % kBlockSize, 0u);
        EXPECT_EQ(offsets.back() / kBlockSize, c.blocks + 1);
        if (c.short_words > 0) {
            EXPECT_NE(offsets[c.short_words] % kBlockSize, 0u) << "the long entry starts mid-block";
        }

        TempDir dir;
        const std::vector<std::uint8_t> file = writer.finish();
        std::FILE* ndx = std::fopen(dir.file("x.ndx").c_str(), "wb");
        std::fwrite(file.data(), 1, file.size(), ndx);
        std::fclose(ndx);
        std::FILE* cmp = std::fopen(dir.file("x.cmp").c_str(), "wb");
        std::fwrite("\0\0", 1, 2, cmp);
        std::fclose(cmp);
        ASSERT_EQ(DataFilesPresent("", dir.file("x").c_str()), 0);
        EXPECT_EQ(postings("big", "df"), big.postings);
        EXPECT_EQ(postings("zed", "df"), std::vector<std::uint32_t>{700});
        close_data_files();
    }
}

// 600 head words, all of them in "va" and all found by the one "df" word "zebra", whose
// posting list spills into continuation blocks and ends the "df" index.
dictwriter::DictionarySource zebra_source()
{
    dictwriter::DictionarySource source;
    for (int i = 0; i < 600; ++i) {
        dictwriter::SourceEntry entry;
        entry.head_word = "w" + std::to_string(1000 + i);
        entry.fields = std::string("\xD8\x05", 2) + entry.head_word + std::string(1, '\0');
        entry.terms = {{"va", entry.head_word}, {"df", "zebra"}};
        source.entries.push_back(entry);
    }
    return source;
}

struct Range {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};

Range descriptor(const char* code)
{
    Range range;
    EXPECT_TRUE(find_descriptor(code, &range.start, &range.end)) << code;
    return range;
}

// The word list comes straight after the head words, before the bigger search indexes,
// and the block after an index that ends inside a long entry's chain reads as a block
// beginning with 0, whatever is written after the index.
TEST(WriteDictionary, WordListFirstAndChainsEndBeforeWhatFollows)
{
    struct Case {
        const char* why;
        std::vector<std::string> key_tables;
    };
    const Case cases[] = {
        {"a raw key table follows the index", {"tr"}},
        {"the index is the last thing in the file", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir dir;
        dictwriter::DictionarySource source = zebra_source();
        source.key_tables = c.key_tables;
        dictwriter::WrittenDictionary written;
        std::string error;
        ASSERT_TRUE(dictwriter::write_dictionary(source, dir.file("z"), &written, &error))
            << error;
        ASSERT_EQ(DataFilesPresent("", dir.file("z").c_str()), 0);
        const Range hw = descriptor("hw");
        const Range va = descriptor("va");
        const Range df = descriptor("df");
        EXPECT_EQ(va.start, hw.end);
        EXPECT_GE(df.start, va.end);
        ResultList list;
        ASSERT_EQ(find_word(&list, "zebra", "df", kBlockSize), 1);
        EXPECT_NE(list.next_block, 0u) << "zebra's list spans continuation blocks";
        EXPECT_EQ(postings("zebra", "df").size(), 600u);
        if (!c.key_tables.empty()) {
            EXPECT_GT(descriptor("tr").start, df.end);
        }
        close_data_files();

        // Read as any reader of the format does: the block after the last block of "df",
        // descrambled with its offset, begins with 0 and so ends zebra's chain.
        std::FILE* ndx = std::fopen(dir.file("z.ndx").c_str(), "rb");
        ASSERT_NE(ndx, nullptr);
        unsigned char block[kBlockSize] = {};
        ASSERT_EQ(std::fseek(ndx, static_cast<long>(df.end), SEEK_SET), 0);
        const std::size_t got = std::fread(block, 1, kBlockSize, ndx);
        std::fclose(ndx);
        ASSERT_EQ(got, kBlockSize) << "a block follows the index";
        ScrambleBlock(block, static_cast<std::int32_t>(kBlockSize), df.end);
        EXPECT_EQ(block[0], 0);
    }
}

TEST(KeyTables, RefuseOffsetsThatThreeBytesCannotHold)
{
    struct Case {
        const char* why;
        std::uint32_t va_offset;
        bool fits;
    };
    const Case cases[] = {
        {"the last offset three bytes hold", dictwriter::kThreeByteLimit - 1, true},
        {"the first offset past them", dictwriter::kThreeByteLimit, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<std::uint8_t> table;
        std::vector<std::uint8_t> matrix;
        std::string table_error;
        std::string matrix_error;
        EXPECT_EQ(dictwriter::build_key_table("tr", {{"cat", c.va_offset}}, &table,
                                              &table_error),
                  c.fits);
        EXPECT_EQ(dictwriter::build_friends_matrix("pr", {{c.va_offset, "!kat"}}, &matrix,
                                                   &matrix_error),
                  c.fits);
        if (c.fits) {
            EXPECT_EQ(table, (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF}));
            EXPECT_EQ(matrix, (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0, 0, 0}));
        } else {
            EXPECT_EQ(table_error, "dictionary too large for tr: the va entry of cat at index "
                                   "offset 16777216 passes the 16 MiB (16777216) that "
                                   "three-byte offsets hold");
        }
    }
}

TEST(ScaleFixture, IsDeterministicWithLongCommonPostingLists)
{
    const std::vector<std::string> words = dictwriter::scale_words(3000);
    ASSERT_EQ(words.size(), 3000u) << "the word list " << dictwriter::kScaleWordList;
    dictwriter::ScaleFixture one;
    dictwriter::ScaleFixture two;
    const dictwriter::DictionarySource a = dictwriter::make_scale_source(words, 7, &one);
    const dictwriter::DictionarySource b = dictwriter::make_scale_source(words, 7, &two);
    ASSERT_EQ(a.entries.size(), b.entries.size());
    for (std::size_t i = 0; i < a.entries.size(); i += 211)
        EXPECT_EQ(a.entries[i].fields, b.entries[i].fields);
    EXPECT_EQ(one.common_a_count, two.common_a_count);
    EXPECT_GT(one.common_a_count, 1200u);
    EXPECT_LT(one.common_a_count, 1800u);

    TempDir dir;
    dictwriter::WrittenDictionary written;
    std::string error;
    ASSERT_TRUE(dictwriter::write_dictionary(a, dir.file("scale"), &written, &error)) << error;
    ASSERT_EQ(DataFilesPresent("", dir.file("scale").c_str()), 0);
    ResultList the;
    ASSERT_EQ(find_word(&the, one.common_a.c_str(), "df", kBlockSize), 1);
    EXPECT_EQ(the.total, one.common_a_count);
    EXPECT_NE(the.next_block, 0u) << "a common word's list spans continuation blocks";
    EXPECT_EQ(postings(words[1234].c_str(), "va"),
              std::vector<std::uint32_t>{written.hw_offsets[1234]});
    close_data_files();
}

} // namespace
