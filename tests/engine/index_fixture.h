// index_fixture.h: helpers shared by the index-side engine tests: a temporary folder,
// dictionaries written by the data writer into it, and raw index files built from plain
// blocks (for damaged data that the writer never produces).
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/datafiles.h"
#include "engine/report.h"
#include "engine/scramble.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"

namespace index_fixture {

// A folder under /tmp, removed with its files when the object dies.
class TempDir {
public:
    TempDir()
    {
        char templ[] = "/tmp/vko_index_XXXXXX";
        const char* made = mkdtemp(templ);
        EXPECT_NE(made, nullptr);
        itsPath = made != nullptr ? made : "/tmp";
    }
    ~TempDir()
    {
        const std::string command = "rm -rf '" + itsPath + "'";
        if (std::system(command.c_str()) != 0)
            ADD_FAILURE() << "cannot remove " << itsPath;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return itsPath; }
    std::string file(const std::string& name) const { return itsPath + "/" + name; }

private:
    std::string itsPath;
};

// An entry whose field stream is its head word in one field, found in "va" by its head
// word and in the other indexes by the terms given.
inline dictwriter::SourceEntry entry(const std::string& head,
                                     std::vector<dictwriter::IndexTerm> terms = {},
                                     bool in_va = true)
{
    dictwriter::SourceEntry e;
    e.head_word = head;
    e.fields = dictwriter::encode_field_stream({{0xD8, head}});
    if (in_va)
        terms.push_back({"va", head});
    e.terms = std::move(terms);
    return e;
}

// Writes source as dir/name.{cmp,ndx}; returns the written record.
inline dictwriter::WrittenDictionary write(const dictwriter::DictionarySource& source,
                                           const TempDir& dir, const std::string& name)
{
    dictwriter::WrittenDictionary written;
    std::string error;
    EXPECT_TRUE(dictwriter::write_dictionary(source, dir.file(name), &written, &error)) << error;
    return written;
}

// Writes and opens the pair.
inline dictwriter::WrittenDictionary open(const dictwriter::DictionarySource& source,
                                          const TempDir& dir, const std::string& name)
{
    dictwriter::WrittenDictionary written = write(source, dir, name);
    EXPECT_EQ(DataFilesPresent((dir.path() + "/").c_str(), name.c_str()), 0);
    return written;
}

// One descriptor entry of a raw index file.
struct RawIndex {
    const char* code;
    std::uint32_t start;
    std::uint32_t end;
};

// Writes dir/name.ndx from plain 512-byte blocks (block 0 is made from the descriptor
// entries) and a dir/name.cmp with an empty header, then opens the pair.
inline void open_raw(const TempDir& dir, const std::string& name,
                     const std::vector<RawIndex>& indexes,
                     const std::vector<std::vector<std::uint8_t>>& blocks)
{
    std::vector<std::uint8_t> file(512 * (blocks.size() + 1), 0);
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        std::uint8_t* d = file.data() + i * 18;
        d[0] = static_cast<std::uint8_t>(indexes[i].code[0]);
        d[1] = static_cast<std::uint8_t>(indexes[i].code[1]);
        pack_number(d + 3, indexes[i].start);
        pack_number(d + 8, indexes[i].end);
    }
    ScrambleBlock(file.data(), 360, 0);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        std::uint8_t* p = file.data() + 512 * (b + 1);
        std::memcpy(p, blocks[b].data(), std::min<std::size_t>(512, blocks[b].size()));
        ScrambleBlock(p, 512, static_cast<std::uint32_t>(512 * (b + 1)));
    }
    std::FILE* ndx = std::fopen(dir.file(name + ".ndx").c_str(), "wb");
    ASSERT_NE(ndx, nullptr);
    std::fwrite(file.data(), 1, file.size(), ndx);
    std::fclose(ndx);
    std::FILE* cmp = std::fopen(dir.file(name + ".cmp").c_str(), "wb");
    ASSERT_NE(cmp, nullptr);
    const std::uint8_t empty_header[2] = {0, 0};
    std::fwrite(empty_header, 1, 2, cmp);
    std::fclose(cmp);
    ASSERT_EQ(DataFilesPresent((dir.path() + "/").c_str(), name.c_str()), 0);
}

// A plain block from bytes (the rest is 0).
inline std::vector<std::uint8_t> block(std::initializer_list<int> bytes)
{
    std::vector<std::uint8_t> b(512, 0);
    std::size_t i = 0;
    for (const int v : bytes)
        b[i++] = static_cast<std::uint8_t>(v);
    return b;
}

} // namespace index_fixture
