// startup_bench.cpp: from starting TavlinCD to its main window drawn on a private X server,
// against a bare base-library program that opens one window of the same size, in the same
// run. Each iteration starts the program as a new process, waits until the server maps the
// window with the expected title and then until nothing more is drawn on the screen (the
// Damage extension, on the root window, which hears the drawing into every window); the time
// is that of the last drawing (or of the map, when later). The program is then ended. Both
// times and their ratio are reported, and the times to the window mapped beside them.
// TavlinCD opens the WordNet demo when one was written before (VKO_DEMO_DIR or the build's;
// the counter on_demo says so), else the benchmarks' small dictionary. Without Xvfb the
// benchmark reports an error and measures nothing.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_dictionary.h"
#include "demo_folder.h"
#include "tests/platform/vkobase/xvfb_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

// The server, an observer connection that sees every top-level window being mapped and all
// that is drawn on the screen, and the folder with the dictionary the program starts in: the
// WordNet demo when one was written before (demo_folder.h), else the benchmarks' own small one.
struct Stage {
    vkotest::Xvfb server;
    Display* observer = nullptr;
    int damageEvent = 0;
    std::string dir;
    std::string title; // of the program's main window: the dictionary's name
    bool onDemo = false;
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
        int errorBase = 0;
        if (!XDamageQueryExtension(observer, &damageEvent, &errorBase)) {
            why = "the X server has no Damage extension";
            return;
        }
        XDamageCreate(observer, DefaultRootWindow(observer), XDamageReportRawRectangles);
        dir = vkotest::make_scratch_dir("vko_startup_bench_");
        const std::string demo = benchdemo::FoundDemo(VKO_BUILD_DEMO_DIR);
        onDemo = !demo.empty();
        title = onDemo ? demodict::kDemoReferenceName : benchdictionary::kReferenceName;
        if (dir.empty())
            why = "cannot make the program's folder";
        else if (onDemo)
            demodict::link_demo(demo, dir, &why);
        else if (!benchdictionary::write(dir))
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

// Nothing drawn for this long after the window was mapped: the window is drawn.
constexpr auto kQuiet = std::chrono::milliseconds(500);

// When the window was mapped and when the screen was last drawn before it stayed quiet.
struct Shown {
    Clock::time_point mapped{};
    Clock::time_point drawn{};
};

// Waits (at most 30 s, scaled) until a window titled title is mapped and then nothing is
// drawn for kQuiet; false on time-out.
bool wait_for_window(Stage& s, const char* title, Shown* shown)
{
    const vkotest::Deadline give_up(30);
    bool mapped = false;
    while (!give_up.passed()) {
        while (XPending(s.observer) > 0) {
            XEvent event;
            XNextEvent(s.observer, &event);
            if (event.type == s.damageEvent + XDamageNotify)
                shown->drawn = Clock::now();
            if (!mapped && event.type == MapNotify && has_title(s.observer, event.xmap.window, title)) {
                mapped = true;
                shown->mapped = Clock::now();
            }
        }
        if (mapped && Clock::now() - std::max(shown->mapped, shown->drawn) >= kQuiet) {
            shown->drawn = std::max(shown->mapped, shown->drawn);
            return true;
        }
        pollfd fd{ConnectionNumber(s.observer), POLLIN, 0};
        poll(&fd, 1, 10);
    }
    return false;
}

// Starts program in the stage's folder on its display and measures until its window titled
// title is mapped and drawn. Answers false when the window never came.
bool time_start(Stage& s, const char* program, const char* title, double* toMapped, double* toDrawn)
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
        return false;
    Shown shown;
    const bool came = wait_for_window(s, title, &shown);
    kill(pid, SIGTERM);
    vkotest::wait_for(pid);
    *toMapped = std::chrono::duration<double>(shown.mapped - start).count();
    *toDrawn = std::chrono::duration<double>(shown.drawn - start).count();
    return came;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Each iteration starts the bare program and then TavlinCD, so that both meet the same load;
// its time is TavlinCD's. The counters are medians over the iterations.
void BM_StartUpToWindowDrawn(benchmark::State& state)
{
    Stage& s = stage();
    if (!s.why.empty()) {
        state.SkipWithError(s.why.c_str());
        return;
    }
    std::vector<double> bareMapped, bareDrawn, mapped, drawn;
    for (auto _ : state) {
        double toMapped = 0, toDrawn = 0, bareToMapped = 0, bareToDrawn = 0;
        if (!time_start(s, BARE_WINDOW_PATH, "Bare", &bareToMapped, &bareToDrawn) ||
            !time_start(s, TAVLINCD_PATH, s.title.c_str(), &toMapped, &toDrawn)) {
            state.SkipWithError("a window was not shown and drawn within 30 seconds");
            return;
        }
        state.SetIterationTime(toDrawn);
        bareMapped.push_back(bareToMapped);
        bareDrawn.push_back(bareToDrawn);
        mapped.push_back(toMapped);
        drawn.push_back(toDrawn);
    }
    state.counters["bare_ms"] = Median(bareDrawn) * 1e3;
    state.counters["ms"] = Median(drawn) * 1e3;
    state.counters["ratio"] = Median(drawn) / Median(bareDrawn);
    state.counters["bare_mapped_ms"] = Median(bareMapped) * 1e3;
    state.counters["mapped_ms"] = Median(mapped) * 1e3;
    state.counters["mapped_ratio"] = Median(mapped) / Median(bareMapped);
    state.counters["on_demo"] = s.onDemo ? 1 : 0;
}

int iterations() { return std::getenv("VKO_BENCH_SMOKE") != nullptr ? 1 : 10; }

BENCHMARK(BM_StartUpToWindowDrawn)->UseManualTime()->Iterations(iterations())->Unit(benchmark::kMillisecond);

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
