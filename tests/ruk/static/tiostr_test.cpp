// Tests of the stream family against the recording double: null files, contexts and streams,
// streams that the base library cannot make, and the stdio adapters working on a real file.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;
using base_double::Call;

int32_t write_nothing(void *, const void *, int32_t) {
    return 0;
}

template <class F> F arg_fn(const Call &call, std::size_t index) {
    return reinterpret_cast<F>(static_cast<std::uintptr_t>(call.args[index].value));
}

class TiostrTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
};

TEST_F(TiostrTest, NullStreams_WarnWithSeverity1AndForwardNothing) {
    vko_iostr_destroy(nullptr);
    ASSERT_NE(base().LastReport(), nullptr);
    EXPECT_EQ(base().LastReport()->code, 0x210000u);
    EXPECT_EQ(base().LastReport()->severity, 1);
    EXPECT_FALSE(base().Forwarded("vkov_iostr_destroy"));
    EXPECT_EQ(vko_iostr_get_context(nullptr), nullptr);
    EXPECT_EQ(base().LastReport()->severity, 1);
    EXPECT_FALSE(base().Forwarded("vkov_iostr_get_context"));
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

TEST_F(TiostrTest, Makers_ReportNullArgumentsAndStreamsNotMade) {
    int context = 0;
    int made = 0;
    vko_iostr_create_write(&context, nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    vko_iostr_create_read(nullptr, nullptr, nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    EXPECT_EQ(vko_iostr_create_write(&context, write_nothing), nullptr); // the base made none
    EXPECT_EQ(base().TakeLastReportCode(), 0x510000u);
    base().SetResultPtr("vkov_iostr_create_write", &made);
    EXPECT_NE(vko_iostr_create_write(&context, write_nothing), nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0u);
    EXPECT_EQ(vko_iostr_create_fread(nullptr), nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

TEST_F(TiostrTest, StdioAdapters_ReadSeekAndWriteTheFile) {
    std::FILE *file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    vko_iostr_create_fwrite(file);
    const Call *writer = base().LastCall("vkov_iostr_create_fwrite");
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(writer->args[0].value, reinterpret_cast<std::intptr_t>(file)); // the context
    auto write = arg_fn<VKO_IOSTR_FWRITE>(*writer, 1);
    EXPECT_EQ(write("line one\nline two\n", 1, 18, file), 18u);

    vko_iostr_create_fread(file);
    const Call *reader = base().LastCall("vkov_iostr_create_fread");
    ASSERT_NE(reader, nullptr);
    auto read = arg_fn<VKO_IOSTR_FREAD>(*reader, 1);
    auto read_line = arg_fn<VKO_IOSTR_FGETS>(*reader, 2);
    auto seek = arg_fn<VKO_IOSTR_FSEEK>(*reader, 3);
    auto tell = arg_fn<VKO_IOSTR_FTELL>(*reader, 4);
    EXPECT_EQ(seek(file, 0, SEEK_SET), 0);
    char line[32];
    ASSERT_NE(read_line(line, sizeof line, file), nullptr);
    EXPECT_STREQ(line, "line one\n");
    EXPECT_EQ(tell(file), 9);
    char word[5] = {};
    EXPECT_EQ(read(word, 1, 4, file), 4u);
    EXPECT_STREQ(word, "line");
    std::fclose(file);
}

} // namespace
