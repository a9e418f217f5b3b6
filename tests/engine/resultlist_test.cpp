// Tests of result lists, their cursors, expand_words, WordItem and CollectHits.
#include "engine/resultlist.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/datafiles.h"
#include "engine/progress.h"
#include "engine/wordindex.h"
#include "engine/worditem.h"
#include "index_fixture.h"

namespace {

using index_fixture::entry;
using index_fixture::TempDir;

class RecordingSink : public StatusSink {
public:
    void show_message(const char* text) override { messages.push_back(text); }
    void show_percentage(int percent) override { percentages.push_back(percent); }
    std::vector<std::string> messages;
    std::vector<int> percentages;
    int cancel_at_message = -1;   // sets the cancel flag when this many messages came
};

std::vector<std::uint32_t> values_of(ResultList* list)
{
    std::vector<std::uint32_t> out;
    ResultCursor cursor(list);
    for (cursor.start(); !cursor.at_end(); cursor.advance())
        out.push_back(cursor.value());
    return out;
}

// 3,000 entries "entry00000" ...; "df" holds "single" (entry 1), "triple" (entries 2, 3,
// 4 and the marker 127), "shared" (entries 3 and 4), "other" (entry 4), "lone" (the
// marker alone) and "every" (every entry, a long posting list).
class ResultListTest : public ::testing::Test {
protected:
    static constexpr int kCount = 3000;

    static void SetUpTestSuite()
    {
        dir = new TempDir;
        dictwriter::DictionarySource source;
        for (int i = 0; i < kCount; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "entry%05d", i);
            std::vector<dictwriter::IndexTerm> terms = {{"df", "every"}};
            if (i == 1)
                terms.push_back({"df", "single"});
            if (i >= 2 && i <= 4)
                terms.push_back({"df", "triple"});
            if (i == 3 || i == 4)
                terms.push_back({"df", "shared"});
            if (i == 4)
                terms.push_back({"df", "other"});
            source.entries.push_back(entry(name, terms));
        }
        source.markers.push_back({"df", "triple"});
        source.markers.push_back({"df", "lone"});
        written = new dictwriter::WrittenDictionary(index_fixture::open(source, *dir, "results"));
    }
    static void TearDownTestSuite()
    {
        close_data_files();
        delete written;
        delete dir;
    }
    void SetUp() override
    {
        progress_reset();
        ASSERT_EQ(DataFilesPresent((dir->path() + "/").c_str(), "results"), 0);
    }
    void TearDown() override { progress_reset(); }

    static std::uint32_t hw_of(int i) { return written->hw_offsets[static_cast<std::size_t>(i)]; }

    // The "df" word entry offsets of the given words.
    static void word_list(ResultList* list, const std::vector<const char*>& words)
    {
        list->reset();
        for (const char* w : words) {
            std::uint32_t block = 0;
            set_compare_routine(compare_entry);
            const std::int32_t pos = find_entry(w, "df", &block, kBlockSize);
            ASSERT_GE(pos, 0) << w;
            list->append(block * kBlockSize + static_cast<std::uint32_t>(pos));
        }
        list->sort();
        list->set_word_offsets(1);
    }

    static TempDir* dir;
    static dictwriter::WrittenDictionary* written;
};

TempDir* ResultListTest::dir = nullptr;
dictwriter::WrittenDictionary* ResultListTest::written = nullptr;

TEST_F(ResultListTest, CopyMoveAndReset)
{
    ResultList list;
    ASSERT_EQ(find_word(&list, "every", "df", kBlockSize), 1);
    list.spare[1] = 9;
    ResultList copy;
    copy.copy_from(list);
    EXPECT_EQ(copy.total, list.total);
    EXPECT_EQ(copy.next_block, list.next_block);
    EXPECT_EQ(copy.spare[1], 9);
    EXPECT_EQ(values_of(&copy), values_of(&list)) << "both load the same continuation blocks";

    ResultList moved;
    moved.move_from(copy);
    EXPECT_EQ(copy.total, 0u);
    EXPECT_EQ(copy.next_block, 0u);
    EXPECT_TRUE(copy.values.empty());
    EXPECT_EQ(moved.total, static_cast<std::uint32_t>(kCount));
    EXPECT_EQ(moved.first_value(), hw_of(0));
    EXPECT_EQ(moved.last_value(), hw_of(kCount - 1));
    moved.reset();
    EXPECT_EQ(moved.total, 0u);
    EXPECT_EQ(moved.first_value(), 0u);
    EXPECT_EQ(moved.last_value(), 0u);
}

TEST_F(ResultListTest, CursorRemovesAndInsertsAcrossChunks)
{
    ResultList list;
    ASSERT_EQ(find_word(&list, "every", "df", kBlockSize), 1);
    // Keep every third value; removing the last loaded value loads the next block first,
    // so the differences that follow still add up.
    ResultCursor cursor(&list);
    std::vector<std::uint32_t> kept;
    int i = 0;
    for (cursor.start(); !cursor.at_end(); ++i) {
        if (i % 3 == 0) {
            kept.push_back(cursor.value());
            cursor.advance();
        } else {
            cursor.remove_current();
        }
    }
    EXPECT_EQ(i, kCount);
    EXPECT_EQ(values_of(&list), kept);
    ResultCursor again(&list);
    again.insert_before(1);
    while (!again.at_end())
        again.advance();
    again.insert_before(0xFFFFFF00u);
    EXPECT_EQ(list.first_value(), 1u);
    EXPECT_EQ(list.last_value(), 0xFFFFFF00u);
}

TEST_F(ResultListTest, ExpandWordsGivesSortedDistinctPostings)
{
    struct Case {
        const char* why;
        std::vector<const char*> words;
        std::vector<std::uint32_t> expected;
    };
    const std::vector<Case> cases = {
        {"two words sharing entries yield each entry once", {"shared", "other"},
         {hw_of(3), hw_of(4)}},
        {"the marker stays where it stood", {"triple", "single"},
         {127, hw_of(1), hw_of(2), hw_of(3), hw_of(4)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ResultList list;
        word_list(&list, c.words);
        expand_words(&list, kBlockSize);
        EXPECT_TRUE(list.holds_postings());
        EXPECT_EQ(values_of(&list), c.expected);
        EXPECT_EQ(list.total, c.expected.size());
    }
    ResultList every;
    word_list(&every, {"every", "single"});
    expand_words(&every, kBlockSize);
    EXPECT_EQ(every.total, static_cast<std::uint32_t>(kCount)) << "long lists are read whole";
    EXPECT_EQ(every.next_block, 0u);
}

TEST_F(ResultListTest, CollectHitsShapesItemsByKindOfList)
{
    struct Expected {
        std::string word;
        std::int32_t offset;
        std::int16_t sub_item;
    };
    const auto name = [](int i) {
        char text[16];
        std::snprintf(text, sizeof text, "entry%05d", i);
        return std::string(text);
    };
    const auto off = [](int i) { return static_cast<std::int32_t>(hw_of(i)); };
    struct Case {
        const char* why;
        std::vector<const char*> words;   // empty: the postings of "triple"
        std::int16_t plain;
        std::vector<Expected> expected;
    };
    const std::vector<Case> cases = {
        {"a word with one posting gives one item with that entry", {"single"}, 0,
         {{"single", off(1), 0}}},
        {"a word with several postings gives a heading and sub-items (no marker)",
         {"triple"}, 0,
         {{"triple", -1, 0}, {name(2), off(2), 1}, {name(3), off(3), 1}, {name(4), off(4), 1}}},
        {"a word whose only posting is the marker names no entry", {"lone"}, 0,
         {{"lone", 0, 0}}},
        {"plain words give the words with entry offset 0", {"single", "triple"}, 1,
         {{"single", 0, 0}, {"triple", 0, 0}}},
        {"postings give their head words; the marker is skipped", {}, 0,
         {{name(2), off(2), 0}, {name(3), off(3), 0}, {name(4), off(4), 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ResultList list;
        if (c.words.empty())
            find_word(&list, "triple", "df", kBlockSize);
        else
            word_list(&list, c.words);
        RWOrdered* items = CollectHits(nullptr, &list, c.plain);
        ASSERT_EQ(items->entries(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            const auto* item = dynamic_cast<const WordItem*>((*items)[i]);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(std::string(item->data()), c.expected[i].word);
            EXPECT_EQ(item->entry_offset(), c.expected[i].offset);
            EXPECT_EQ(item->sub_item(), c.expected[i].sub_item);
        }
        items->clearAndDestroy();
        delete items;
    }
}

TEST_F(ResultListTest, CollectHitsStopsAddingAt32000BytesAndReports)
{
    RecordingSink sink;
    set_status_sink(&sink);
    ResultList list;
    find_word(&list, "every", "df", kBlockSize);
    RWOrdered items;
    const long added = CollectHits(&list, 0, &items);
    // "entryNNNNN" counts 12 bytes: items are added while the text is below 32,000.
    EXPECT_EQ(added, 2667);
    EXPECT_EQ(items.entries(), 2667u);
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages.back(), "3001 words processed") << "every word still counts";
    EXPECT_EQ(sink.messages.front(), "512 words processed so far");
    EXPECT_EQ(sink.percentages.back(), 100);
    ASSERT_GE(sink.percentages.size(), 2u);
    EXPECT_EQ(sink.percentages.front(), static_cast<int>(512.0 / kCount * 100 / 2 + 50));
    items.clearAndDestroy();

    // Cancel at the first report keeps what was added before it.
    set_cancel_flag(1);
    ResultList again;
    find_word(&again, "every", "df", kBlockSize);
    EXPECT_EQ(CollectHits(&again, 0, &items), 511);
    items.clearAndDestroy();
}

// decode_next_chunk reads eight one-byte differences at a time where it can; every way a
// run of them can end (a 0, a continued number, the block's end) at every position within
// the eight must give the same values as reading one by one.
TEST(DecodeNextChunk, GivesEveryValueWhereverARunOfOneByteDifferencesEnds)
{
    struct Case {
        const char* why;
        std::vector<std::uint32_t> differences;   // each written as a packed number
        bool fill_block = false;                  // one-byte differences to the block's end
    };
    std::vector<Case> cases = {
        {"a run shorter than eight", {1, 2, 3, 127, 5}},
        {"exactly eight", {9, 8, 7, 6, 5, 4, 3, 2}},
        {"a long number after eight and one", {1, 1, 1, 1, 1, 1, 1, 1, 1, 300, 2}},
        {"numbers of every length among runs", {5, 128, 6, 7, 16384, 1, 1, 1, 1, 1, 1, 1,
                                                1, 2097152, 3, 0x0FFFFFFF}},
        {"no differences at all", {}},
        {"one-byte differences up to the last byte of the block", {}, true},
    };
    for (std::size_t shift = 1; shift < 8; ++shift) {
        Case c{"a continued number at each position of an eight", {}};
        for (std::size_t i = 0; i < 20; ++i)
            c.differences.push_back(i % 8 == shift ? 200 + static_cast<std::uint32_t>(i) : 3);
        cases.push_back(c);
    }
    TempDir dir;
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        // Block 1 continues a posting list; block 2, where the entries resume, is a word
        // block, so the chain ends after block 1.
        std::vector<std::uint8_t> chunk(kBlockSize, 0);
        std::uint8_t* p = pack_number(chunk.data(), 2 * kBlockSize);
        std::vector<std::uint32_t> differences = c.differences;
        if (c.fill_block)
            differences.assign(static_cast<std::size_t>(chunk.data() + kBlockSize - p), 100);
        for (const std::uint32_t d : differences)
            p = pack_number(p, d);
        ASSERT_LE(p, chunk.data() + kBlockSize);
        std::vector<std::uint8_t> word_block(kBlockSize, 0);
        index_fixture::open_raw(dir, "chunk" + std::to_string(n++), {{"df", 512, 1024}},
                                {chunk, word_block});

        std::vector<std::uint32_t> expected;
        std::uint32_t value = 1000;
        for (const std::uint32_t d : differences)
            expected.push_back(value += d);
        std::uint32_t next_block = 1;
        std::uint32_t last = 1000;
        std::vector<std::uint32_t> out = {7, 7, 7};   // replaced, not appended to
        ASSERT_TRUE(decode_next_chunk(&next_block, &last, &out, kBlockSize));
        EXPECT_EQ(out, expected);
        EXPECT_EQ(last, expected.empty() ? 1000u : expected.back());
        EXPECT_EQ(next_block, 0u) << "the chain ends before the block its entries resume in";
        next_block = 2;
        EXPECT_FALSE(decode_next_chunk(&next_block, &last, &out, kBlockSize))
            << "a word block ends the chain";
        EXPECT_TRUE(out.empty());
    }
    close_data_files();
}

TEST(WordItem, CopiesEveryFieldAndComparesByShare)
{
    WordItem item("lead");
    EXPECT_EQ(item.entry_offset(), 0);
    EXPECT_EQ(item.kind(), kKindPlainText);
    EXPECT_EQ(item.record(), nullptr);
    item.set_entry_offset(1234);
    item.set_sub_item(1);
    item.set_kind(kKindTable);
    EXPECT_EQ(item.set_record(1, 2, 3, 4), &item);
    item.set_label("label");
    item.set_labelWidth(40);
    std::unique_ptr<WordItem> copy(item.Copy());
    EXPECT_EQ(copy->entry_offset(), 1234);
    EXPECT_EQ(copy->sub_item(), 1);
    EXPECT_EQ(copy->kind(), kKindTable);
    ASSERT_NE(copy->record(), nullptr);
    EXPECT_NE(copy->record(), item.record()) << "the record is copied, not shared";
    EXPECT_EQ(copy->record()->bottom, 3);
    EXPECT_EQ(copy->label(), "label");
    EXPECT_EQ(copy->labelWidth(), 40);
    EXPECT_FALSE(item.isEqual(copy.get())) << "different record objects";

    // Assignment over an item with a record and texts of its own: every field is the
    // source's, the record a copy of the source's.
    WordItem assigned("other");
    assigned.set_record(9, 9, 9, 9);
    assigned.set_text2("own");
    assigned = item;
    EXPECT_STREQ(assigned.data(), "lead");
    EXPECT_EQ(assigned.entry_offset(), 1234);
    EXPECT_EQ(assigned.sub_item(), 1);
    EXPECT_EQ(assigned.kind(), kKindTable);
    ASSERT_NE(assigned.record(), nullptr);
    EXPECT_NE(assigned.record(), item.record()) << "the record is copied, not shared";
    EXPECT_EQ(assigned.record()->bottom, 3);
    EXPECT_EQ(assigned.label(), "label");
    EXPECT_EQ(assigned.labelWidth(), 40);
    EXPECT_EQ(assigned.text2(), "");
    item.set_record(5, 6, 7, 8);
    EXPECT_EQ(assigned.record()->bottom, 3) << "the source's record changed alone";

    WordItem plain("lead");
    WordItem twin(plain);
    EXPECT_TRUE(plain.isEqual(&twin));
    twin.set_kind(kKindMainEntry);
    EXPECT_FALSE(plain.isEqual(&twin));
    WordItem separate("lead");
    EXPECT_FALSE(plain.isEqual(&separate)) << "equal text made apart is another word";
}

} // namespace
