// readfile.cpp: the non-blocking open of files to read and the bounded line reader.
#include "vkocoll/readfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

std::FILE* OpenFileToRead(const std::string& path, ReadRefusal* refusal)
{
    ReadRefusal ignored = ReadRefusal::kNone;
    ReadRefusal& why = refusal != nullptr ? *refusal : ignored;
    why = ReadRefusal::kCannotOpen;
    // O_NONBLOCK: a FIFO opens at once rather than waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = errno;
        why = S_ISDIR(info.st_mode) ? ReadRefusal::kFolder : ReadRefusal::kNotRegular;
        ::close(fd);
        errno = error;
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    std::FILE* file =
        flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ? nullptr : ::fdopen(fd, "rb");
    if (file == nullptr) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return nullptr;
    }
    why = ReadRefusal::kNone;
    return file;
}

std::string DescribeReadRefusal(ReadRefusal refusal, int error)
{
    switch (refusal) {
    case ReadRefusal::kNone:
        return std::string();
    case ReadRefusal::kFolder:
        return "a folder";
    case ReadRefusal::kNotRegular:
        return "a device, a pipe or a socket";
    case ReadRefusal::kCannotOpen:
        break;
    }
    return std::strerror(error);
}

std::string DescribeNonFile(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISREG(info.st_mode))
            return std::string();
        return DescribeReadRefusal(
            S_ISDIR(info.st_mode) ? ReadRefusal::kFolder : ReadRefusal::kNotRegular, 0);
    }
    const int error = errno;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return std::string();
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    target.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return "a link to " + target + " (" + std::strerror(error) + ")";
}

namespace {

// The UTF-8 byte-order mark that some editors write at the start of a text file.
constexpr int kByteOrderMark[] = {0xEF, 0xBB, 0xBF};

// c is the byte just read from file. When it starts a byte-order mark at the file's first
// byte, steps over the mark and answers the byte after it; otherwise answers c, with the
// stream where it was.
int after_byte_order_mark(std::FILE* file, int c)
{
    if (c != kByteOrderMark[0] || std::ftell(file) != 1)
        return c;
    unsigned char rest[2] = {};
    if (std::fread(rest, 1, 2, file) == 2 && rest[0] == kByteOrderMark[1] &&
        rest[1] == kByteOrderMark[2])
        return std::getc(file);
    std::fseek(file, 1, SEEK_SET);
    return c;
}

} // namespace

LineRead ReadTextLine(std::FILE* file, std::string* line, std::size_t longest)
{
    line->clear();
    for (int c = after_byte_order_mark(file, std::getc(file)); c != EOF; c = std::getc(file)) {
        if (c == '\n')
            return LineRead::kLine;
        if (line->size() == longest) {
            line->clear();
            return LineRead::kTooLong;
        }
        line->push_back(static_cast<char>(c));
    }
    if (std::ferror(file) != 0)
        return LineRead::kFailed;
    return line->empty() ? LineRead::kEnd : LineRead::kLine;
}
