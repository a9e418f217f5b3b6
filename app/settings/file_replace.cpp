// file_replace.cpp: the temporary-file-and-rename writer shared by the settings files.
#include "app/settings/file_replace.h"

#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

int ReplaceFileContents(const std::string& path, const std::string& text)
{
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return 0;
    // The new file takes the old one's permissions (a new one: readable by all), not the
    // owner-only ones of a temporary file.
    struct stat old_file {};
    fchmod(fd, stat(path.c_str(), &old_file) == 0 ? (old_file.st_mode & 07777) : 0644);
    std::FILE* out = fdopen(fd, "wb");
    if (out == nullptr) {
        close(fd);
        std::remove(temporary.c_str());
        return 0;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size() &&
                         std::fflush(out) == 0 && fsync(fileno(out)) == 0;
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return 0;
    }
    return 1;
}
