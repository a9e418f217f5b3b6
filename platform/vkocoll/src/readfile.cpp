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

LineRead ReadTextLine(std::FILE* file, std::string* line, std::size_t longest)
{
    line->clear();
    int c = 0;
    while ((c = std::getc(file)) != EOF && c != '\n') {
        if (line->size() == longest) {
            line->clear();
            return LineRead::kTooLong;
        }
        line->push_back(static_cast<char>(c));
    }
    if (c == EOF && std::ferror(file) != 0)
        return LineRead::kFailed;
    return c == EOF && line->empty() ? LineRead::kEnd : LineRead::kLine;
}
