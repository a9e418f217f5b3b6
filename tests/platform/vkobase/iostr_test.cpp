// Tests of streams over stdio files and over callbacks: reading in order, skipping forward,
// lines, writing, and refusal of dead streams and of the wrong direction.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "vkobase/iostr.h"
#include "vkobase/testing.h"

namespace {

size_t file_read(void *buf, size_t size, size_t count, void *file) {
    return std::fread(buf, size, count, static_cast<FILE *>(file));
}
char *file_gets(char *buf, int size, void *file) {
    return std::fgets(buf, size, static_cast<FILE *>(file));
}
int file_seek(void *file, long offset, int origin) {
    return std::fseek(static_cast<FILE *>(file), offset, origin);
}
long file_tell(void *file) {
    return std::ftell(static_cast<FILE *>(file));
}
size_t file_write(const void *buf, size_t size, size_t count, void *file) {
    return std::fwrite(buf, size, count, static_cast<FILE *>(file));
}

// A source that hands out its text at most `chunk` bytes per call and logs every request.
struct Source {
    explicit Source(std::string t) : text(std::move(t)) {}
    std::string text;
    std::size_t at = 0;
    int32_t chunk = 3;
    std::string log;
};
int32_t source_read(void *context, void *buf, int32_t n) {
    auto *s = static_cast<Source *>(context);
    s->log += "r" + std::to_string(n) + " ";
    const int32_t left = static_cast<int32_t>(s->text.size() - s->at);
    const int32_t give = std::min({n, s->chunk, left});
    std::memcpy(buf, s->text.data() + s->at, static_cast<std::size_t>(give));
    s->at += static_cast<std::size_t>(give);
    return give;
}
int32_t greedy_read(void *, void *, int32_t n) {
    return n + 100; // claims more than asked
}
int32_t sink_write(void *context, const void *buf, int32_t n) {
    static_cast<std::string *>(context)->append(static_cast<const char *>(buf),
                                                static_cast<std::size_t>(n));
    return n;
}

class IostrTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    void TearDown() override { vkov_test_reset_all(); }
};

TEST_F(IostrTest, FileStreams_ReadSkipAndLinesInOrder) {
    FILE *f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    VKO_IOSTREAM out = vkov_iostr_create_fwrite(f, file_write);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(vkov_iostr_write(out, "head\nBODY-line two\nend", 22), 22);
    EXPECT_EQ(vkov_iostr_read(out, nullptr, 1), 0) << "a write stream does not read";
    vkov_iostr_destroy(out);
    std::rewind(f);

    VKO_IOSTREAM in = vkov_iostr_create_fread(f, file_read, file_gets, file_seek, file_tell);
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(vkov_iostr_get_context(in), f);
    char line[32];
    EXPECT_STREQ(vkov_iostr_read_line(in, line, sizeof line), "head\n");
    EXPECT_EQ(vkov_iostr_skip(in, 5), 5);
    char word[5] = {};
    EXPECT_EQ(vkov_iostr_read(in, word, 4), 4);
    EXPECT_STREQ(word, "line");
    EXPECT_STREQ(vkov_iostr_read_line(in, line, 4), " tw") << "cut to the buffer";
    EXPECT_STREQ(vkov_iostr_read_line(in, line, sizeof line), "o\n");
    EXPECT_STREQ(vkov_iostr_read_line(in, line, sizeof line), "end");
    EXPECT_EQ(vkov_iostr_read_line(in, line, sizeof line), nullptr);
    EXPECT_EQ(vkov_iostr_get_pos(in), 22);
    EXPECT_EQ(vkov_iostr_write(in, "x", 1), 0) << "a read stream does not write";
    vkov_iostr_destroy(in);
    std::fclose(f);
}

TEST_F(IostrTest, CallbackStreams_AskAgainUntilTheEndAndNeverGoBack) {
    Source src("0123456789");
    VKO_IOSTREAM in = vkov_iostr_create_read(&src, source_read, nullptr);
    ASSERT_NE(in, nullptr);
    char buf[16] = {};
    EXPECT_EQ(vkov_iostr_read(in, buf, 4), 4) << "short deliveries are completed";
    EXPECT_STREQ(buf, "0123");
    EXPECT_EQ(vkov_iostr_skip(in, 2), 2) << "without a skip callback, read and dropped";
    std::memset(buf, 0, sizeof buf);
    EXPECT_EQ(vkov_iostr_read(in, buf, 10), 4) << "fewer at the end";
    EXPECT_STREQ(buf, "6789");
    EXPECT_EQ(src.log, "r4 r1 r2 r10 r7 r6 ") << "every request moves forward";
    EXPECT_EQ(vkov_iostr_get_pos(in), 10);

    VKO_IOSTREAM greedy = vkov_iostr_create_read(&src, greedy_read, nullptr);
    char small[4];
    EXPECT_EQ(vkov_iostr_read(greedy, small, 4), 4) << "a callback's overclaim is clamped";

    std::string sunk;
    VKO_IOSTREAM out = vkov_iostr_create_write(&sunk, sink_write);
    EXPECT_EQ(vkov_iostr_write(out, "abc", 3), 3);
    EXPECT_EQ(vkov_iostr_write(out, "abc", -1), 0);
    EXPECT_EQ(sunk, "abc");
    vkov_test_reset_all();
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_STREAM), 0);
}

TEST_F(IostrTest, CreationNeedsItsCallbacksAndDeadStreamsAreRefused) {
    Source src("x");
    const struct {
        const char *why;
        VKO_IOSTREAM made;
    } refused[] = {
        {"file read without a file",
         vkov_iostr_create_fread(nullptr, file_read, nullptr, nullptr, nullptr)},
        {"file read without read",
         vkov_iostr_create_fread(&src, nullptr, nullptr, nullptr, nullptr)},
        {"file write without write", vkov_iostr_create_fwrite(&src, nullptr)},
        {"read without context", vkov_iostr_create_read(nullptr, source_read, nullptr)},
        {"write without callback", vkov_iostr_create_write(&src, nullptr)},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(c.made, nullptr);
    }
    VKO_IOSTREAM dead = vkov_iostr_create_read(&src, source_read, nullptr);
    vkov_iostr_destroy(dead);
    char buf[4];
    EXPECT_EQ(vkov_iostr_read(dead, buf, 1), 0);
    EXPECT_EQ(vkov_iostr_get_context(dead), nullptr);
    EXPECT_EQ(vkov_iostr_get_pos(dead), -1);
    vkov_iostr_destroy(dead);
    vkov_iostr_destroy(nullptr);
    EXPECT_EQ(src.at, 0u) << "nothing was read through the dead stream";
}

} // namespace
