// idle_bench.cpp: how often TavlinCD wakes while nothing happens. The program runs on a private
// Xvfb on a slice of the WordNet demo dictionary with its main window open and the keys in the
// search field; once it has drawn everything, the benchmark counts its main thread's voluntary
// context switches (each sleep it wakes from) over ten seconds of quiet. The goal is none: no
// timer is due while the program waits for the user, so nothing should wake it.
// Without Xvfb, WordNet or espeak-ng the benchmark says why and exits with 77, which the test
// command counts as skipped.
#include <memory>

#include <benchmark/benchmark.h>

#include "onscreen_bench.h"

namespace {

using onscreen::Now;
using onscreen::Session;
using onscreen::Smoke;

std::unique_ptr<Session> theStage;

void BM_IdleWakeUps(benchmark::State& state)
{
    Session& s = *theStage;
    const double seconds = Smoke() ? 1 : 10;
    double wakeUps = 0;
    for (auto _ : state) {
        s.Settle(0.3, 0.5); // what the last look-up drew is on the screen
        const long before = s.WakeUps();
        const double start = Now();
        s.Settle(seconds, seconds); // nothing is typed: only watched
        const long after = s.WakeUps();
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
    const int status = onscreen::RunOnStage(argc, argv, {"cat"}, theStage);
    theStage.reset();
    return status;
}
