// kill_while_saving.h: a child process that saves again and again, killed with SIGKILL after
// a number of saves, so that the kill lands inside a later one. The child reports each save
// on a pipe; the parent waits for that many reports, then kills and reaps it.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace tavlintest {

// save runs in the child once per loop; it never returns to the caller there.
inline void KillAfterSaves(int saves, const std::function<void()>& setUp, const std::function<void()>& save)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        setUp();
        for (;;) {
            save();
            if (::write(ready[1], "s", 1) != 1)
                _exit(1);
        }
    }
    close(ready[1]);
    char byte = 0;
    for (int i = 0; i < saves; ++i)
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(ready[0]);
}

} // namespace tavlintest
