// Tests of the base library's open for reading: a name standing for a FIFO or a device is
// refused at once, without waiting on it or reading it.
#include "vkobase/read_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "../../support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(OpenToRead, OnlyARegularFileOpensAndNothingElseIsWaitedOn)
{
    test_support::TempDir dir;
    dir.write("text", "abc");
    fs::create_symlink(dir.path() + "/text", dir.path() + "/link-to-text");
    fs::create_directory(dir.path() + "/folder");
    ASSERT_EQ(mkfifo((dir.path() + "/fifo").c_str(), 0600), 0);  // no writer: an open would wait
    fs::create_symlink("/dev/zero", dir.path() + "/zero");
    fs::create_symlink("/dev/urandom", dir.path() + "/urandom");
    struct Case {
        const char* name;
        std::int32_t refusal;
    };
    const Case cases[] = {
        {"text", VKO_READ_OPENED},          {"link-to-text", VKO_READ_OPENED},
        {"missing", VKO_READ_CANNOT_OPEN},  {"folder", VKO_READ_FOLDER},
        {"fifo", VKO_READ_NOT_REGULAR},     {"zero", VKO_READ_NOT_REGULAR},
        {"urandom", VKO_READ_NOT_REGULAR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t refusal = -1;
        FILE* file = vkov_open_to_read((dir.path() + "/" + c.name).c_str(), &refusal);
        EXPECT_EQ(refusal, c.refusal);
        ASSERT_EQ(file != nullptr, c.refusal == VKO_READ_OPENED);
        if (file == nullptr)
            continue;
        char bytes[8] = {};
        EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file), 3u) << "read as a blocking stream";
        EXPECT_STREQ(bytes, "abc");
        std::fclose(file);
    }
    EXPECT_EQ(vkov_open_to_read(nullptr, nullptr), nullptr);
}

} // namespace
