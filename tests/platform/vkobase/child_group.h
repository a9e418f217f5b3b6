// child_group.h: the processes a display test starts (its X servers, the program it runs, a
// window manager, xclip) live in one process group, which a watchdog process ends when the test
// process ends, however it ends: a failed assertion, a crash, CTest's timeout or a kill. Nothing
// a test started outlives it or keeps CTest's output open.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace vkotest {

// The watchdog's body: it leads the group, waits until the test process is gone, then ends the
// group, asking first (an X server removes its lock files) and then forcing. Only calls that are
// safe after a fork.
[[noreturn]] inline void watch_over_group(pid_t test) {
    const int quiet = open("/dev/null", O_RDWR);
    for (int fd = 0; fd <= 2; ++fd)
        dup2(quiet, fd); // CTest's output is not held open by the watchdog
    sigset_t hangup;
    sigemptyset(&hangup);
    sigaddset(&hangup, SIGHUP);
    sigprocmask(SIG_BLOCK, &hangup, nullptr);
    // SIGHUP comes when the thread that started the watchdog ends; the process may live on.
    while (prctl(PR_SET_PDEATHSIG, SIGHUP) == 0 && getppid() == test) {
        int signal = 0;
        sigwait(&hangup, &signal);
    }
    signal(SIGTERM, SIG_IGN);
    kill(0, SIGTERM);
    const timespec grace{0, 500 * 1000 * 1000};
    nanosleep(&grace, nullptr);
    kill(0, SIGKILL);
    _exit(0);
}

// The group of the test's children: the watchdog's id, started at the first call (0 when it
// could not start).
inline pid_t child_group() {
    static const pid_t group = [] {
        const pid_t test = getpid();
        const pid_t watchdog = fork();
        if (watchdog == 0) {
            setpgid(0, 0);
            watch_over_group(test);
        }
        if (watchdog < 0)
            return pid_t{0};
        setpgid(watchdog, watchdog);
        return watchdog;
    }();
    return group;
}

// fork() for a process the test starts: the child joins the group the watchdog ends.
inline pid_t fork_child() {
    const pid_t group = child_group();
    const pid_t pid = fork();
    if (group > 0 && pid == 0)
        setpgid(0, group);
    else if (group > 0 && pid > 0)
        setpgid(pid, group); // whichever of the two runs first
    return pid;
}

} // namespace vkotest
