// startup_bench.cpp: from starting TavlinCD to its main window shown on a private X server,
// against a bare base-library program that opens one window of the same size, in the same
// run. Each iteration starts the program as a new process and waits until the server maps
// the window with the expected title; the program is then ended. Both times and their ratio
// are reported. Without Xvfb the benchmark reports an error and measures nothing.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "bench_dictionary.h"
#include "tests/platform/vkobase/xvfb_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

// The server, an observer connection that sees every top-level window being mapped, and the
// folder with the dictionary the program starts in.
struct Stage {
    vkotest::Xvfb server;
    Display* observer = nullptr;
    std::string dir;
    std::string why; // empty when the stage is ready

    Stage()
    {
        why = vkotest::start_xvfb(server);
        if (!why.empty())
            return;
        observer = XOpenDisplay(server.display().c_str());
        if (observer == nullptr) {
            why = "cannot connect to the private X server";
            return;
        }
        XSelectInput(observer, DefaultRootWindow(observer), SubstructureNotifyMask);
        dir = vkotest::make_scratch_dir("vko_startup_bench_");
        if (dir.empty() || !benchdictionary::write(dir))
            why = "cannot write the dictionary";
    }
    ~Stage()
    {
        if (observer != nullptr)
            XCloseDisplay(observer);
        if (!dir.empty()) {
            std::error_code code;
            std::filesystem::remove_all(dir, code);
        }
    }
};

std::unique_ptr<Stage> theStage;
Stage& stage()
{
    if (!theStage)
        theStage = std::make_unique<Stage>();
    return *theStage;
}

bool has_title(Display* display, Window window, const char* title)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr)
        return false;
    const bool same = std::strcmp(name, title) == 0;
    XFree(name);
    return same;
}

// Waits (at most 30 s, scaled) until a window titled title is mapped; false on time-out.
bool wait_for_window(Display* display, const char* title)
{
    const vkotest::Deadline give_up(30);
    while (!give_up.passed()) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && has_title(display, event.xmap.window, title))
                return true;
        }
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 100);
    }
    return false;
}

// Starts program in the stage's folder on its display and measures until its window titled
// title is mapped. Answers the seconds, or a negative value when the window never came.
double time_start(Stage& s, const char* program, const char* title)
{
    XSync(s.observer, True); // forget what earlier runs left
    const auto start = Clock::now();
    const pid_t pid = vkotest::fork_child();
    if (pid == 0) {
        setenv("DISPLAY", s.server.display().c_str(), 1);
        setenv("HOME", s.dir.c_str(), 1); // settings files go to the scratch folder
        if (chdir(s.dir.c_str()) != 0)
            _exit(126);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0)
        return -1;
    const bool shown = wait_for_window(s.observer, title);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    kill(pid, SIGTERM);
    if (vkotest::wait_for(pid) < 0 && !shown)
        return -1;
    return shown ? seconds : -1;
}

void start(benchmark::State& state, const char* program, const char* title)
{
    Stage& s = stage();
    if (!s.why.empty()) {
        state.SkipWithError(s.why.c_str());
        return;
    }
    double total = 0;
    for (auto _ : state) {
        const double seconds = time_start(s, program, title);
        if (seconds < 0) {
            state.SkipWithError("the window was not shown within 30 seconds");
            return;
        }
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.counters["ms"] = total / static_cast<double>(state.iterations()) * 1e3;
}

double g_bareMs = 0;

void BM_StartUpToWindowShown_BareProgram(benchmark::State& state)
{
    start(state, BARE_WINDOW_PATH, "Bare");
    if (state.iterations() > 0 && state.counters.count("ms") != 0)
        g_bareMs = state.counters["ms"];
}

void BM_StartUpToWindowShown_TavlinCD(benchmark::State& state)
{
    start(state, TAVLINCD_PATH, benchdictionary::kReferenceName);
    if (g_bareMs > 0 && state.counters.count("ms") != 0)
        state.counters["ratio"] = state.counters["ms"] / g_bareMs;
}

int iterations() { return std::getenv("VKO_BENCH_SMOKE") != nullptr ? 1 : 10; }

BENCHMARK(BM_StartUpToWindowShown_BareProgram)->UseManualTime()->Iterations(iterations())
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpToWindowShown_TavlinCD)->UseManualTime()->Iterations(iterations())
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theStage.reset();
    return 0;
}
