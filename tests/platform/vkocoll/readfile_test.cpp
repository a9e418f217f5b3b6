// Tests of opening files to read and of the bounded line reader: names that stand for a
// FIFO or a device are refused at once, without waiting on them or reading them.
#include "vkocoll/readfile.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "../../support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(OpenFileToRead, OnlyARegularFileOpensAndNothingElseIsWaitedOn)
{
    test_support::TempDir dir;
    dir.write("text", "a line\n");
    fs::create_symlink(dir.path() + "/text", dir.path() + "/link-to-text");
    fs::create_directory(dir.path() + "/folder");
    ASSERT_EQ(mkfifo((dir.path() + "/fifo").c_str(), 0600), 0);  // no writer: an open would wait
    fs::create_symlink("/dev/zero", dir.path() + "/zero");
    fs::create_symlink("/dev/urandom", dir.path() + "/urandom");
    struct Case {
        const char* name;
        ReadRefusal refusal;
    };
    const Case cases[] = {
        {"text", ReadRefusal::kNone},         {"link-to-text", ReadRefusal::kNone},
        {"missing", ReadRefusal::kCannotOpen}, {"folder", ReadRefusal::kFolder},
        {"fifo", ReadRefusal::kNotRegular},    {"zero", ReadRefusal::kNotRegular},
        {"urandom", ReadRefusal::kNotRegular},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReadRefusal refusal = ReadRefusal::kNone;
        errno = 0;
        std::FILE* file = OpenFileToRead(dir.path() + "/" + c.name, &refusal);
        EXPECT_EQ(refusal, c.refusal);
        EXPECT_EQ(file != nullptr, c.refusal == ReadRefusal::kNone);
        if (c.refusal == ReadRefusal::kCannotOpen) {
            EXPECT_EQ(DescribeReadRefusal(refusal, errno), "No such file or directory");
        }
        if (file == nullptr)
            continue;
        std::string line;
        EXPECT_EQ(ReadTextLine(file, &line, 100), LineRead::kLine);
        EXPECT_EQ(line, "a line");
        std::fclose(file);
    }
    EXPECT_EQ(DescribeReadRefusal(ReadRefusal::kNotRegular, 0), "a device, a pipe or a socket");
}

TEST(ReadTextLine, ReadsLinesUpToTheLongestAndRefusesALongerOne)
{
    struct Case {
        const char* why;
        std::string text;
        std::size_t longest;
        std::vector<std::string> lines;  // read before the end
        LineRead end;
    };
    const Case cases[] = {
        {"lines, an empty one, a last one without a line end", "ab\n\ncd", 10, {"ab", "", "cd"}, LineRead::kEnd},
        {"an empty file", "", 10, {}, LineRead::kEnd},
        {"a line exactly as long as allowed", "abcd\nx\n", 4, {"abcd", "x"}, LineRead::kEnd},
        {"a line one byte longer", "ab\nabcde\nx\n", 4, {"ab"}, LineRead::kTooLong},
        {"a last line too long without a line end", "abcde", 4, {}, LineRead::kTooLong},
        {"a NUL byte is an ordinary byte", std::string("a\0b\n", 4), 10, {std::string("a\0b", 3)}, LineRead::kEnd},
        {"a byte-order mark at the start is no part of the first line", "\xEF\xBB\xBF; note\nkey=1\n", 10,
         {"; note", "key=1"}, LineRead::kEnd},
        {"a byte-order mark alone is an empty file", "\xEF\xBB\xBF", 10, {}, LineRead::kEnd},
        {"a byte-order mark later on stays", "a\n\xEF\xBB\xBF" "b\n", 10, {"a", "\xEF\xBB\xBF" "b"}, LineRead::kEnd},
        {"the start of a mark only stays", "\xEF\xBBx\n\xEF", 10, {"\xEF\xBBx", "\xEF"}, LineRead::kEnd},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        test_support::TempDir dir;
        dir.write("f", c.text);
        std::FILE* file = OpenFileToRead(dir.path() + "/f");
        ASSERT_NE(file, nullptr);
        std::vector<std::string> lines;
        std::string line;
        LineRead read;
        while ((read = ReadTextLine(file, &line, c.longest)) == LineRead::kLine)
            lines.push_back(line);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(read, c.end);
        std::fclose(file);
    }
}

// A regular file whose reads fail part way (a disk error, a folder on a network that goes
// away) is not a file that ended: the lines before the failure are read, then the reader says
// the read failed, also in the middle of a line. This process's own memory, read through
// /proc/self/mem, is such a file: a page of text, then a page that is not there.
TEST(ReadTextLine, AReadThatFailsIsNoEndOfTheFile)
{
    struct Case {
        const char* why;
        std::string text;  // what ends at the edge of the page
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"after whole lines", "ab\ncd\n", {"ab", "cd"}},
        {"inside a line", "ab\ncd", {"ab"}},
        {"at once", "", {}},
    };
    const long page = sysconf(_SC_PAGESIZE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* pages = static_cast<char*>(
            mmap(nullptr, static_cast<std::size_t>(2 * page), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        ASSERT_NE(pages, MAP_FAILED);
        ASSERT_EQ(munmap(pages + page, static_cast<std::size_t>(page)), 0);
        char* text = pages + page - c.text.size();
        std::memcpy(text, c.text.data(), c.text.size());
        std::FILE* file = OpenFileToRead("/proc/self/mem");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(std::fseek(file, static_cast<long>(reinterpret_cast<std::uintptr_t>(text)), SEEK_SET), 0);
        std::vector<std::string> lines;
        std::string line;
        LineRead read;
        while ((read = ReadTextLine(file, &line, 100)) == LineRead::kLine)
            lines.push_back(line);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(read, LineRead::kFailed);
        std::fclose(file);
        munmap(pages, static_cast<std::size_t>(page));
    }
}

} // namespace
