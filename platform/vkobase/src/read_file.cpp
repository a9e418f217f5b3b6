// read_file.cpp: the open that refuses anything but a regular file without waiting on it.
// The resource compiler builds this file too, to read resource texts the same way.
#include "vkobase/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

extern "C" FILE *vkov_open_to_read(const char *path, int32_t *refusal) noexcept {
    int32_t ignored = 0;
    int32_t &why = refusal != nullptr ? *refusal : ignored;
    why = VKO_READ_CANNOT_OPEN;
    if (path == nullptr)
        return nullptr;
    // O_NONBLOCK: a FIFO opens at once rather than waiting for a writer.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = S_ISDIR(info.st_mode) ? VKO_READ_FOLDER : VKO_READ_NOT_REGULAR;
        close(fd);
        return nullptr;
    }
    const int flags = fcntl(fd, F_GETFL);
    FILE* file =
        flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ? nullptr : fdopen(fd, "rb");
    if (file == nullptr) {
        const int error = errno;
        close(fd);
        errno = error;
        return nullptr;
    }
    why = VKO_READ_OPENED;
    return file;
}
