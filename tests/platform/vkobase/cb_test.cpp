// Tests of the in-process clipboard: text and named application data through the transfer
// buffer, opening rules, and the lifetime of data handed out.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vkobase/cb.h"
#include "vkobase/testing.h"

namespace {

class CbTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    void TearDown() override { vkov_test_reset_all(); }

    // Puts bytes of one format as a writer does: open, transfer buffer, put, free, close.
    static bool put(e_cb format, const char *name, const std::string &bytes) {
        if (!vkok_cb_open(TRUE))
            return false;
        void *buf = vkok_cb_alloc_data(static_cast<uint32_t>(bytes.size()));
        std::memcpy(buf, bytes.data(), bytes.size());
        const bool ok =
            vkok_cb_put_data(format, name, static_cast<uint32_t>(bytes.size()), nullptr);
        vkok_cb_free_data();
        vkok_cb_close();
        return ok;
    }
    static std::string get(e_cb format, const char *name) {
        if (!vkok_cb_open(FALSE))
            return "<not opened>";
        uint32_t size = 99;
        const char *data = static_cast<const char *>(vkok_cb_get_data(format, name, &size));
        std::string out = data == nullptr ? "<none>" : std::string(data, size);
        vkok_cb_close();
        return out;
    }
};

TEST_F(CbTest, FormatsAreKeptApartAndApplicationDataByName) {
    ASSERT_TRUE(vkok_cb_open(TRUE));
    void *buf = vkok_cb_alloc_data(5);
    std::memcpy(buf, "hello", 5);
    EXPECT_TRUE(vkok_cb_put_data(CB_TEXT, nullptr, 5, nullptr));
    std::memcpy(buf, "\x03\0\0\0", 4);
    EXPECT_TRUE(vkok_cb_put_data(CB_APPL, "TavlinData-long", 4, nullptr));
    EXPECT_FALSE(vkok_cb_put_data(CB_APPL, nullptr, 4, nullptr)) << "application data needs a name";
    EXPECT_FALSE(vkok_cb_put_data(CB_TEXT, nullptr, 6, nullptr)) << "more than the buffer";
    EXPECT_FALSE(vkok_cb_put_data(static_cast<e_cb>(3), nullptr, 1, nullptr));
    EXPECT_FALSE(vkok_cb_put_data(CB_PICT, nullptr, 0, nullptr)) << "no picture to hand over";
    vkok_cb_free_data();
    EXPECT_TRUE(vkok_cb_close());

    struct Case {
        const char *why;
        e_cb format;
        const char *name;
        bool has;
        std::string data;
    };
    const Case cases[] = {
        {"text", CB_TEXT, nullptr, true, "hello"},
        {"name compared on its first ten bytes", CB_APPL, "TavlinData", true,
         std::string("\x03\0\0\0", 4)},
        {"longer name with the same ten bytes", CB_APPL, "TavlinDataXYZ", true,
         std::string("\x03\0\0\0", 4)},
        {"other name", CB_APPL, "Other", false, "<none>"},
        {"application data without a name", CB_APPL, nullptr, false, "<none>"},
        {"no picture held", CB_PICT, nullptr, false, "<none>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkok_cb_has_format(c.format, c.name) != FALSE, c.has);
        EXPECT_EQ(get(c.format, c.name), c.data);
    }
}

TEST_F(CbTest, OpeningForWritingEmptiesAndOpenStateIsChecked) {
    ASSERT_TRUE(put(CB_TEXT, nullptr, "old"));
    EXPECT_FALSE(vkok_cb_close()) << "not open";
    ASSERT_TRUE(vkok_cb_open(FALSE));
    EXPECT_FALSE(vkok_cb_open(TRUE)) << "already open";
    EXPECT_FALSE(vkok_cb_put_data(CB_TEXT, nullptr, 0, nullptr)) << "open for reading only";
    EXPECT_TRUE(vkok_cb_close());
    uint32_t size = 0;
    EXPECT_EQ(vkok_cb_get_data(CB_TEXT, nullptr, &size), nullptr) << "closed";

    ASSERT_TRUE(vkok_cb_open(TRUE));
    EXPECT_FALSE(vkok_cb_has_format(CB_TEXT, nullptr)) << "writing starts empty";
    EXPECT_TRUE(vkok_cb_close());
    EXPECT_EQ(get(CB_TEXT, nullptr), "<none>");
}

TEST_F(CbTest, TextHandedOutIsTerminatedAndLivesUntilFreed) {
    ASSERT_TRUE(put(CB_TEXT, nullptr, "abc"));
    ASSERT_TRUE(vkok_cb_open(FALSE));
    uint32_t size = 0;
    const char *text = static_cast<const char *>(vkok_cb_get_data(CB_TEXT, nullptr, &size));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(size, 3u);
    EXPECT_STREQ(text, "abc") << "terminated past its size";
    EXPECT_NE(vkok_cb_get_data(CB_TEXT, nullptr, nullptr), nullptr) << "no size pointer needed";
    vkok_cb_free_data();
    EXPECT_TRUE(vkok_cb_close());
    vkok_cb_free_data(); // nothing left: harmless
    EXPECT_TRUE(vkok_cb_has_format(CB_TEXT, nullptr)) << "the clipboard keeps its datum";
}

// A pronunciation copied from the entry: the program reads back its own code page, with '?'
// for the phonetic letters it has no code for; only an open writer may put it.
TEST_F(CbTest, TextGivenAsUtf8IsReadBackInTheProgramsCodePage) {
    const std::string utf8 = "\\\xCB\x88ket\xC9\x99l\\ caf\xC3\xA9\nnext";
    EXPECT_FALSE(vkov_cb_put_text_utf8(utf8.c_str(), static_cast<uint32_t>(utf8.size())));
    ASSERT_TRUE(vkok_cb_open(TRUE));
    EXPECT_TRUE(vkov_cb_put_text_utf8(utf8.c_str(), static_cast<uint32_t>(utf8.size())));
    EXPECT_FALSE(vkov_cb_put_text_utf8(nullptr, 0));
    vkok_cb_close();
    EXPECT_EQ(get(CB_TEXT, nullptr), "\\?ket?l\\ caf\xE9\r\nnext");
}

} // namespace
