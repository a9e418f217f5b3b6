// file_size_limit.h: runs a piece of a test in a child process whose files cannot grow past
// a number of bytes (RLIMIT_FSIZE), so that a write fails part way as on a full disk. It
// works as root and needs no mount. A write past the limit then fails with EFBIG instead of
// raising SIGXFSZ.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace test_support {

// Runs body in a child whose files stop at limit bytes; answers what body answered (its
// exit status), or -1 when the child did not end normally.
inline int WithFileSizeLimit(rlim_t limit, const std::function<int()>& body)
{
    const pid_t child = fork();
    EXPECT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit small{};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = limit;  // the soft limit only, so that LiftFileSizeLimit can undo it
        if (setrlimit(RLIMIT_FSIZE, &small) != 0)
            _exit(100);
        _exit(body());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Inside body: the disk has room again.
inline bool LiftFileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = limit.rlim_max;
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

} // namespace test_support
