// shell.cpp: "open" through the system's browser opener, started without a shell. The opener
// runs in a grandchild so that it is never left as a zombie of ours; a pipe that closes on
// exec tells whether the exec itself worked, and the child between them reports an opener
// that gives up at once (xdg-open with no browser set up exits non-zero within moments).
#include "win32/shell.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "vkobase/testing.h"
#include "win32/testing.h"
#include "win32_internal.h"

namespace {

// How long the opener may take to give up before the browser is taken as started.
constexpr int kOpenerGraceMs = 2000;
constexpr int kOpenerPollMs = 20;

struct ShellState {
    bool live = false;              // test mode: start for real anyway
    std::vector<std::string> files; // requests recorded in test mode
    int grace_ms = kOpenerGraceMs;  // a test may wait longer on a busy machine
};
ShellState &state() {
    static ShellState s;
    return s;
}

HINSTANCE result(ULONG_PTR code) noexcept {
    return reinterpret_cast<HINSTANCE>(code);
}

// Starts opener with file as its one argument, in dir when given. True when the exec worked
// and the opener did not end in failure within the grace period.
bool start(const std::string &opener, const char *file, const char *dir) noexcept {
    const int grace_ms = state().grace_ms;
    int status_pipe[2];
    if (pipe2(status_pipe, O_CLOEXEC) != 0)
        return false;
    const pid_t child = fork();
    if (child < 0) {
        close(status_pipe[0]);
        close(status_pipe[1]);
        return false;
    }
    if (child == 0) {
        // Child: fork the opener and leave at once, so the opener is nobody's zombie.
        close(status_pipe[0]);
        const pid_t grandchild = fork();
        if (grandchild == 0) {
            if (dir != nullptr && dir[0] != '\0' && chdir(dir) != 0) {
                const int err = errno;
                (void)!write(status_pipe[1], &err, sizeof err);
                _exit(127);
            }
            char *const argv[] = {const_cast<char *>(opener.c_str()), const_cast<char *>(file),
                                  nullptr};
            execv(opener.c_str(), argv);
            const int err = errno;
            (void)!write(status_pipe[1], &err, sizeof err);
            _exit(127);
        }
        if (grandchild < 0) {
            const int err = errno;
            (void)!write(status_pipe[1], &err, sizeof err);
            _exit(0);
        }
        // An opener still running after the grace period has handed the address to a
        // browser that stays in the foreground: that counts as started.
        for (int waited_ms = 0; waited_ms < grace_ms; waited_ms += kOpenerPollMs) {
            int opener_status = 0;
            const pid_t done = waitpid(grandchild, &opener_status, WNOHANG);
            if (done == grandchild) {
                if (!WIFEXITED(opener_status) || WEXITSTATUS(opener_status) != 0) {
                    const int err = ECHILD;
                    (void)!write(status_pipe[1], &err, sizeof err);
                }
                break;
            }
            if (done < 0)
                break;
            usleep(kOpenerPollMs * 1000);
        }
        _exit(0);
    }
    close(status_pipe[1]);
    int child_status = 0;
    while (waitpid(child, &child_status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t got = 0;
    do {
        got = read(status_pipe[0], &err, sizeof err);
    } while (got < 0 && errno == EINTR);
    close(status_pipe[0]);
    return got == 0; // end of file with nothing written: started, and not given up
}

} // namespace

void win32::reset_shell() noexcept {
    state() = ShellState{};
}

extern "C" {

HINSTANCE ShellExecuteA(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR dir, INT) noexcept {
    if (verb != nullptr && std::strcmp(verb, "open") != 0)
        return result(SE_ERR_NOASSOC);
    if (file == nullptr)
        return result(SE_ERR_FNF);
    try {
        if (vkov_test_is_active() && !state().live) {
            state().files.push_back(file);
            return result(42);
        }
        const std::string opener = win32::find_opener();
        if (opener.empty())
            return result(SE_ERR_NOASSOC);
        return result(start(opener, file, dir) ? 42 : SE_ERR_FNF);
    } catch (...) {
        return result(SE_ERR_FNF);
    }
}

int32_t win32_test_shell_count(void) noexcept {
    return static_cast<int32_t>(state().files.size());
}

LPCSTR win32_test_shell_file(int32_t index) noexcept {
    if (index < 0 || static_cast<size_t>(index) >= state().files.size())
        return nullptr;
    return state().files[static_cast<size_t>(index)].c_str();
}

void win32_test_set_live_shell(BOOL live) noexcept {
    state().live = live != FALSE;
}

void win32_test_set_opener_grace(int32_t ms) noexcept {
    state().grace_ms = ms > 0 ? ms : kOpenerGraceMs;
}

} // extern "C"
