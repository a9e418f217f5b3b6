// idle_bench.cpp: how often TavlinCD wakes while nothing happens. The program runs on a private
// Xvfb on a slice of the WordNet demo dictionary with its main window open and the keys in the
// search field; once it has drawn everything, the benchmark counts its main thread's voluntary
// context switches (each sleep it wakes from) over ten seconds of quiet. The goal is none: no
// timer is due while the program waits for the user, so nothing should wake it.
// Without Xvfb, WordNet or espeak-ng the benchmark says why and exits with 77, which the test
// command counts as skipped.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "tests/app/shell/onscreen_program.h"

namespace {

using onscreen::Now;
using onscreen::Session;

std::unique_ptr<Session> theStage;

bool Smoke() { return std::getenv("VKO_BENCH_SMOKE") != nullptr; }

// The times the process's main thread went to sleep and was woken, -1 when unknown.
long VoluntarySwitches(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::string key = "voluntary_ctxt_switches:";
    while (std::getline(status, line))
        if (line.compare(0, key.size(), key) == 0)
            return std::stol(line.substr(key.size()));
    return -1;
}

void BM_IdleWakeUps(benchmark::State& state)
{
    Session& s = *theStage;
    const double seconds = Smoke() ? 1 : 10;
    double wakeUps = 0;
    for (auto _ : state) {
        s.Settle(0.3, 0.5); // what the last look-up drew is on the screen
        const long before = VoluntarySwitches(s.program);
        const double start = Now();
        s.Settle(seconds, seconds); // nothing is typed: only watched
        const long after = VoluntarySwitches(s.program);
        const double took = Now() - start;
        if (before < 0 || after < 0) {
            state.SkipWithError("the program's context switches cannot be read");
            return;
        }
        state.SetIterationTime(took);
        wakeUps += static_cast<double>(after - before) / took;
    }
    state.counters["wakeups_per_s"] = wakeUps / static_cast<double>(state.iterations());
}

BENCHMARK(BM_IdleWakeUps)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    theStage = std::make_unique<Session>(std::vector<std::string>{"cat"});
    if (!theStage->why.empty()) {
        const bool missing = theStage->missing;
        std::printf("%s: %s\n", missing ? "skipped" : "failed", theStage->why.c_str());
        theStage.reset();
        return missing ? 77 : 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theStage.reset();
    return 0;
}
