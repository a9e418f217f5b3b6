// Tests of the engine's facade: the dictionary open, the word lookup, hit collection for
// typed text and the buffer release.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <string>

#include "index_fixture.h"

namespace {

using index_fixture::entry;
using index_fixture::TempDir;

TEST(EngineFacade, OpensLooksUpCollectsAndReleases)
{
    TempDir dir;
    dictwriter::DictionarySource source;
    source.header = "hdr";
    source.entries.push_back(entry("cat", {{"df", "animal"}}));
    source.entries.push_back(entry("dog", {{"df", "animal"}}));
    source.entries.push_back(entry("table[2]"));
    const dictwriter::WrittenDictionary written = index_fixture::write(source, dir, "facade");
    const std::string folder = dir.path() + "/";

    EXPECT_EQ(OpenDictionary(folder.c_str(), "missing"), 0);
    ASSERT_NE(OpenDictionary(folder.c_str(), "facade"), 0);
    EXPECT_EQ(LookUpWord("dog", kBlockSize), written.hw_offsets[1]);
    EXPECT_EQ(LookUpWord("table[2]", kBlockSize), written.hw_offsets[2]);
    EXPECT_EQ(LookUpWord("table", kBlockSize), 0u);
    EXPECT_EQ(LookUpWord("cow", kBlockSize), 0u);

    struct Case {
        const char* why;
        const char* text;
        const char* code;
        std::size_t items;
    };
    const Case cases[] = {
        {"a word of va", "cat", "va", 1},
        {"a word with two entries in df gives both", "animal", "df", 2},
        {"a word nowhere", "cow", "va", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        RWOrdered* hits = CollectTypedHits(c.text, c.code);
        ASSERT_NE(hits, nullptr);
        EXPECT_EQ(hits->entries(), c.items);
        hits->clearAndDestroy();
        delete hits;
    }

    ReleaseEngineBuffers();
    EXPECT_FALSE(data_files_open());
    ReleaseEngineBuffers();   // nothing open: nothing to do
    ASSERT_NE(OpenDictionary(folder.c_str(), "facade"), 0) << "the engine opens again";
    EXPECT_EQ(LookUpWord("cat", kBlockSize), written.hw_offsets[0]);
    ReleaseEngineBuffers();
}

} // namespace
