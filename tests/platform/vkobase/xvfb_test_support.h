// xvfb_test_support.h: what the end-to-end display tests share: a private Xvfb server that
// picks a free display number, the child process that runs the program and the wait for it,
// the program's log, a window filled with one colour, a pixel of a screenshot, and text that
// another client (xclip) offers on the clipboard. Every process started here joins the test's
// child group (child_group.h), and every wait has a scaled deadline (test_deadline.h).
#pragma once

#include <cairo.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "child_group.h"
#include "test_deadline.h"
#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"

namespace vkotest {

inline std::string find_xvfb() {
    for (const char *dir : {"/usr/bin", "/usr/local/bin", "/bin"}) {
        const std::string path = std::string(dir) + "/Xvfb";
        if (access(path.c_str(), X_OK) == 0)
            return path;
    }
    return {};
}

inline int wait_for(pid_t pid, double seconds = 300);

// A private Xvfb that picks a free display number and tells it through a pipe.
class Xvfb {
public:
    bool start(const std::string &binary) {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        pid_ = fork_child();
        if (pid_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            // No backing store: the server forgets covered pixels and asks for them again.
            execl(binary.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                  "-nolisten", "tcp", "-bs", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c = 0;
        const Deadline deadline(30);
        pollfd told{fds[0], POLLIN, 0};
        while (!deadline.passed() && poll(&told, 1, 100) >= 0) {
            if ((told.revents & (POLLIN | POLLHUP)) == 0)
                continue;
            if (read(fds[0], &c, 1) != 1 || c == '\n')
                break;
            number += c;
        }
        close(fds[0]);
        if (pid_ <= 0 || number.empty())
            return false;
        display_ = ":" + number;
        return true;
    }
    ~Xvfb() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            wait_for(pid_, 20);
        }
    }
    const std::string &display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// Starts server on a private display; empty when it runs, else why the test must be skipped.
inline std::string start_xvfb(Xvfb &server) {
    const std::string binary = find_xvfb();
    if (binary.empty())
        return "Xvfb is not installed";
    if (!server.start(binary))
        return "Xvfb did not start";
    return {};
}

// A new folder of its own for one run's logs and screenshots, in the temporary folder.
inline std::string make_scratch_dir(const std::string &prefix) {
    std::string path = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    return mkdtemp(path.data()) != nullptr ? path : std::string();
}

// Removes a run's folder and what the run left in it.
inline void remove_scratch_dir(const std::string &path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

// Waits for the child to end, at most `seconds` (scaled): a program that never ends is stopped
// (the test must not hang CI). Its exit status, or -1 when it crashed or had to be stopped.
inline int wait_for(pid_t pid, double seconds) {
    const Deadline give_up(seconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (give_up.passed()) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline std::uint32_t pixel(cairo_surface_t *image, int x, int y) {
    const unsigned char *row =
        cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
    std::uint32_t px = 0;
    std::memcpy(&px, row + 4 * x, 4);
    return px & 0x00FFFFFFu;
}

// Takes a screenshot into png and answers whether shows(image) holds for it. A step that checks
// a drawing calls it at each tick until it holds or the step's deadline passes: the drawing
// may come a moment after the state the step waits for.
template <class Shows> bool screen_shows(const std::string &png, Shows shows) {
    if (!vkov_display_screenshot(png.c_str()))
        return false;
    cairo_surface_t *image = cairo_image_surface_create_from_png(png.c_str());
    const bool held = cairo_surface_status(image) == CAIRO_STATUS_SUCCESS && shows(image);
    cairo_surface_destroy(image);
    return held;
}

// A pixel a screenshot must show at a screen point, and what it shows the user there.
struct ScreenPixel {
    const char *why;
    int x, y;
    std::uint32_t rgb;
};

// Whether the picture shows every one of the pixels.
inline bool shows_all(cairo_surface_t *image, const std::vector<ScreenPixel> &pixels) {
    for (const ScreenPixel &p : pixels)
        if (pixel(image, p.x, p.y) != p.rgb)
            return false;
    return true;
}

// Takes a screenshot into png and answers whether it shows every one of the pixels (see
// screen_shows).
inline bool screen_shows_all(const std::string &png, const std::vector<ScreenPixel> &pixels) {
    return screen_shows(png, [&pixels](cairo_surface_t *image) { return shows_all(image, pixels); });
}

// Absolute path of a program found on PATH, empty when there is none.
inline std::string find_on_path(const std::string &name) {
    const char *path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        const std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

// xclip in the foreground, owning the clipboard with text until it is stopped.
inline pid_t offer_with_xclip(const std::string &display, const std::string &text) {
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork_child();
    if (pid == 0) {
        dup2(fds[0], 0);
        close(fds[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0)
            dup2(quiet, 1);
        close(fds[1]);
        setenv("DISPLAY", display.c_str(), 1);
        execlp("xclip", "xclip", "-quiet", "-i", "-selection", "clipboard",
               static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[0]);
    if (write(fds[1], text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        text.size(); // a short write shows in what the clipboard then holds
    close(fds[1]);
    return pid;
}

// The program's log: one line per event it reports.
inline void append_line(const std::string &path, const std::string &line) {
    std::ofstream out(path, std::ios::app);
    out << line << "\n";
}

// Where the program run by the test writes its log; set before the fork, read after the run.
inline std::string &log_path() {
    static std::string path;
    return path;
}

inline void log(const std::string &line) {
    append_line(log_path(), line);
}

inline std::vector<std::string> read_lines(const std::string &path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Runs the real event loop on the display with the task window's handler to its end, then
// `after` (when given), and ends the process. `appl_name` is the name the windows' class bears.
[[noreturn]] inline void run_program(const std::string &display, VKO_EVENT_HANDLER task_handler,
                                     void (*after)() = nullptr,
                                     const char *appl_name = "displaytest") {
    setenv("DISPLAY", display.c_str(), 1);
    std::string base = appl_name;
    char title[] = "Task";
    s_app_config config{};
    config.base_appl_name = base.data();
    config.appl_name = base.data();
    config.taskwin_title = title;
    vkowi_vko_system(0, nullptr, 0, task_handler, &config);
    if (after != nullptr)
        after();
    _exit(0);
}

// Runs the program in a child process on the display and answers how it ended: its exit
// status, or -1 when it could not start, crashed or had to be stopped.
inline int run_in_child(const std::string &display, VKO_EVENT_HANDLER task_handler) {
    const pid_t pid = fork_child();
    if (pid < 0)
        return -1;
    if (pid == 0)
        run_program(display, task_handler);
    return wait_for(pid);
}

// Opens the program's main window, a document window whose handler gets a timer tick every
// `tick_ms`: the tests take one step per tick.
inline WINDOW open_main_window(const s_rct &rect, VKO_EVENT_HANDLER handler, int tick_ms) {
    WINDOW win = vkok_win_create(W_DOC, &rect, "Main", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                                 handler, 0);
    vkov_timer_create(win, tick_ms);
    return win;
}

// Runs the program in a child process, as run_in_child does, with one window at the start:
// the main window at `rect` (see open_main_window).
inline int run_main_window_in_child(const std::string &display, const s_rct &rect,
                                    VKO_EVENT_HANDLER handler, int tick_ms) {
    // Set before the fork: the child's task window reads them.
    static s_rct main_rect;
    static VKO_EVENT_HANDLER main_handler;
    static int main_tick_ms;
    main_rect = rect;
    main_handler = handler;
    main_tick_ms = tick_ms;
    struct Task {
        static int32_t handler(WINDOW, EVENT *ev) {
            if (ev->type == E_CREATE)
                open_main_window(main_rect, main_handler, main_tick_ms);
            return 0;
        }
    };
    return run_in_child(display, Task::handler);
}

// Fills a window's client area with one colour, edge to edge.
inline void fill_client(WINDOW win, COLOR color) {
    const s_cpen pen{1, PAT_SOLID, P_SOLID, color};
    const s_cbrush brush{PAT_SOLID, color};
    s_rct all{};
    vkok_vobj_get_client_rect(win, &all);
    vkok_dwin_set_cpen(win, &pen);
    vkok_dwin_set_cbrush(win, &brush);
    vkok_dwin_draw_rect(win, &all);
}

// The handler of a window that shows nothing but one colour.
template <COLOR Color> int32_t filled_with(WINDOW win, EVENT *ev) {
    if (ev->type == E_UPDATE)
        fill_client(win, Color);
    return 0;
}

} // namespace vkotest
