// Tests of the framework clipboard: round trips of text, application data and pictures
// through the base library's clipboard, the shared implementation's modes and flushes, and
// clipboard data that lies about its own length.
#include "frm/drawing/cclipbrd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "../support/frm_error_capture.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace {

// A memory table for the base library that keeps the blocks it hands out, in order, and
// the ones still live, so a test can tell whether a given block was freed.
struct CountedBlocks {
    static std::vector<void*>& Order()
    {
        static std::vector<void*> order;
        return order;
    }
    static std::set<void*>& Live()
    {
        static std::set<void*> live;
        return live;
    }
    static void* Took(void* block)
    {
        if (block != nullptr) {
            Order().push_back(block);
            Live().insert(block);
        }
        return block;
    }
    static void* Alloc(size_t size) { return Took(std::malloc(size == 0 ? 1 : size)); }
    static void* Zalloc(size_t size) { return Took(std::calloc(size == 0 ? 1 : size, 1)); }
    static void* Realloc(void* block, size_t size)
    {
        void* grown = std::realloc(block, size == 0 ? 1 : size);
        if (grown != nullptr)
            Live().erase(block);
        return Took(grown);
    }
    static void Free(void* block)
    {
        Live().erase(block);
        std::free(block);
    }
    static void Install()
    {
        Order().clear();
        Live().clear();
        static const s_mem_functions table{Alloc, Zalloc, Realloc, Free};
        vkov_mem_set_functions(&table);
    }
};

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    void TearDown() override { vkov_test_reset_all(); }

    // The raw datum of a format as the base library holds it.
    static std::vector<unsigned char> Held(e_cb format, const char* name)
    {
        std::vector<unsigned char> bytes;
        if (!vkok_cb_open(FALSE))
            return bytes;
        std::uint32_t size = 0;
        const auto* data = static_cast<const unsigned char*>(vkok_cb_get_data(format, name, &size));
        if (data != nullptr)
            bytes.assign(data, data + size);
        vkok_cb_close();
        return bytes;
    }

    // Puts raw bytes on the clipboard as another program would.
    static void Put(e_cb format, const char* name, const std::vector<unsigned char>& bytes)
    {
        ASSERT_TRUE(vkok_cb_open(TRUE));
        auto* buffer = static_cast<unsigned char*>(
            vkok_cb_alloc_data(static_cast<std::uint32_t>(bytes.size() + 1)));
        std::memcpy(buffer, bytes.data(), bytes.size());
        ASSERT_TRUE(vkok_cb_put_data(format, name, static_cast<std::uint32_t>(bytes.size()), nullptr));
        vkok_cb_close();
    }

    static std::string ReadText()
    {
        FRM_CClipboard reader(kCBRead);
        std::istream* in = reader.GetTextIStream();
        if (in == nullptr)
            return "<no stream>";
        std::string text((std::istreambuf_iterator<char>(*in)), std::istreambuf_iterator<char>());
        return text;
    }
};

TEST_F(ClipboardTest, TextRoundTrip_GrowsItsBlockAndKeepsEveryCharacter)
{
    struct Case {
        const char* why;
        std::size_t length;
    };
    const Case cases[] = {
        {"short text fits the first block", 5},
        {"text that fills the first block exactly keeps its last character", 1024},
        {"3000 characters grow the block twice", 3000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::string text;
        for (std::size_t i = 0; i < c.length; ++i)
            text.push_back(static_cast<char>('a' + i % 26));
        {
            FRM_CClipboard writer;
            std::ostream* out = writer.GetTextOStream();
            ASSERT_NE(out, nullptr);
            *out << text;
            out->flush();
        }
        const std::vector<unsigned char> held = Held(CB_TEXT, nullptr);
        EXPECT_EQ(std::string(held.begin(), held.end()), text) << "the datum is the text itself";
        EXPECT_EQ(ReadText(), text);
    }
}

TEST_F(ClipboardTest, ApplicationData_IsCountedAndReadBack)
{
    {
        FRM_CClipboard writer;
        RWvostream* out = writer.GetApplOStream("KQData");
        ASSERT_NE(out, nullptr);
        out->put("abc", 3);
    }
    const std::vector<unsigned char> held = Held(CB_APPL, "KQData");
    ASSERT_EQ(held.size(), 7u);
    std::uint32_t count = 0;
    std::memcpy(&count, held.data(), sizeof count);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(std::string(held.begin() + 4, held.end()), "abc");

    FRM_CClipboard reader(kCBRead);
    RWvistream* in = reader.GetApplIStream("KQData");
    ASSERT_NE(in, nullptr);
    char bytes[3] = {};
    in->get(bytes, 3);
    EXPECT_EQ(std::string(bytes, 3), "abc");
    char more = 0;
    in->get(more);
    EXPECT_TRUE(in->eof()) << "the stream ends with the counted bytes";
}

TEST_F(ClipboardTest, ApplicationData_WithABadCountIsRefused)
{
    struct Case {
        const char* why;
        std::vector<unsigned char> bytes;
    };
    const Case cases[] = {
        {"shorter than its count", {0xFF, 0xFF, 0x00, 0x00, 'x'}},
        {"shorter than the count itself", {0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Put(CB_APPL, "KQData", c.bytes);
        FRM_CClipboard reader(kCBRead);
        RWvistream* in = reader.GetApplIStream("KQData");
        ASSERT_NE(in, nullptr);
        char byte = 0;
        in->get(byte);
        EXPECT_TRUE(in->eof()) << "nothing is read past the clipboard's data";
    }
}

TEST_F(ClipboardTest, Picture_RoundTripCopiesAndKeepsTheCallersPicture)
{
    const s_rct frame{0, 0, 10, 20};
    WINDOW win = vkok_win_create(W_DOC, &frame, "w", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
    ASSERT_TRUE(vkok_dwin_open_pict(win, &frame));
    vkok_dwin_draw_rect(win, &frame);
    PICTURE mine = vkok_dwin_close_pict(win);
    ASSERT_NE(mine, nullptr);
    {
        FRM_CClipboard writer;
        *writer.GetPictOStream() << mine;
    }
    std::int32_t mineSize = 0;
    ASSERT_NE(vkok_pict_lock(mine, &mineSize), nullptr) << "the caller still owns its picture";
    vkok_pict_unlock(mine);

    FRM_CClipboard reader(kCBRead);
    PICTURE copy = nullptr;
    *reader.GetPictIStream() >> copy;
    ASSERT_NE(copy, nullptr);
    std::int32_t copySize = 0;
    ASSERT_NE(vkok_pict_lock(copy, &copySize), nullptr);
    vkok_pict_unlock(copy);
    EXPECT_EQ(copySize, mineSize);
    vkok_pict_destroy(copy);
    vkok_pict_destroy(mine);
}

TEST_F(ClipboardTest, Modes_OtherModeStreamsAreNullAndClipboardsShareOneFlush)
{
    {
        FRM_CClipboard writer;
        EXPECT_EQ(writer.GetTextIStream(), nullptr);
        EXPECT_EQ(writer.GetApplIStream("x"), nullptr);
        EXPECT_EQ(writer.GetPictIStream(), nullptr);
        FRM_CClipboard second(kCBWrite);
        EXPECT_EQ(writer.GetTextOStream(), second.GetTextOStream()) << "one set of streams";
        *second.GetTextOStream() << "shared" << std::flush;
    }
    EXPECT_EQ(ReadText(), "shared");
    FRM_CClipboard reader(kCBRead);
    EXPECT_EQ(reader.GetTextOStream(), nullptr);
    EXPECT_EQ(reader.GetApplOStream("x"), nullptr);
    EXPECT_EQ(reader.GetPictOStream(), nullptr);
}

TEST_F(ClipboardTest, ExplicitFlush_PutsOnceAndTheOtherModeIsFatal)
{
    FrmErrorCapture errors;
    {
        FRM_CClipboard writer;
        *writer.GetTextOStream() << "first" << std::flush;
        EXPECT_EQ(writer.Flush(), 1);
        Put(CB_TEXT, nullptr, {'o', 't', 'h', 'e', 'r'}); // someone else copies meanwhile
        FRM_CClipboard reader(kCBRead);
        EXPECT_EQ(errors.Take(), (std::vector<FrmReport>{{2900, "cclipbrd", 32}}));
    }
    EXPECT_EQ(ReadText(), "other") << "destroying the flushed clipboard puts nothing again";
}

// The base library's copy of a datum lives until it is freed or the clipboard closes; a
// reader that keeps the clipboard open must not hold it that long.
TEST_F(ClipboardTest, Read_FreesTheClipboardsCopyAtOnce)
{
    struct Case {
        const char* why;
        e_cb format;
        const char* name;
        std::vector<unsigned char> held;
        std::string read;
    };
    const Case cases[] = {
        {"text", CB_TEXT, nullptr, {'w', 'o', 'r', 'd'}, "word"},
        {"application data", CB_APPL, "KQData", {3, 0, 0, 0, 'a', 'b', 'c'}, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Put(c.format, c.name, c.held);
        CountedBlocks::Install();
        ASSERT_TRUE(vkok_cb_open(FALSE));
        {
            FRM_CClipboardBuf buffer(kCBRead, c.format, c.name);
            ASSERT_FALSE(CountedBlocks::Order().empty());
            EXPECT_EQ(CountedBlocks::Live().count(CountedBlocks::Order().front()), 0U)
                << "the copy fetched first is freed once the buffer has read it";
            std::istream in(&buffer);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.read);
        }
        vkok_cb_close();
        vkov_mem_set_functions(nullptr);
    }
}

TEST_F(ClipboardTest, Read_EmptyClipboardGivesEndOfFileAtOnce)
{
    EXPECT_EQ(ReadText(), "");
    EXPECT_EQ(FRM_CClipboard::HasFormat(CB_TEXT, nullptr), 0);
}

} // namespace
