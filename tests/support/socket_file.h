// socket_file.h: a Unix socket left as a file at a path, for tests that put something other
// than a regular file where the program expects one.
#pragma once
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace test_support {

// Binds a socket at path and closes it: the socket file stays. False when the path is too
// long for a socket address or the bind fails.
inline bool MakeSocketFile(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return bound;
}

}  // namespace test_support
