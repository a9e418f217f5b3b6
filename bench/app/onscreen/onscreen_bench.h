// onscreen_bench.h: what the benchmarks that watch TavlinCD on a private Xvfb share: the
// smoke run's flag and their main routine, which starts the program's session before the
// benchmarks run.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "tests/app/shell/onscreen_program.h"

namespace onscreen {

// The test command's brief run: fewer words, shorter waits.
inline bool Smoke() { return std::getenv("VKO_BENCH_SMOKE") != nullptr; }

// Starts stage, the program as start makes it, then runs the benchmarks the command line
// names. Without Xvfb, WordNet or espeak-ng it says why and answers 77, which the test command
// counts as skipped; a stage that fails otherwise answers 1. The caller ends the stage.
inline int RunOnStageMadeBy(int argc, char** argv, const std::function<std::unique_ptr<Session>()>& start,
                            std::unique_ptr<Session>& stage)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The program is started before this process uses the base library itself.
    stage = start();
    if (!stage->why.empty()) {
        std::printf("%s: %s\n", stage->missing ? "skipped" : "failed", stage->why.c_str());
        return stage->missing ? 77 : 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The program on a slice of the demo with lemmas.
inline int RunOnStage(int argc, char** argv, const std::vector<std::string>& lemmas,
                      std::unique_ptr<Session>& stage)
{
    return RunOnStageMadeBy(argc, argv, [&lemmas] { return std::make_unique<Session>(lemmas); }, stage);
}

// The program on the demo written before into demo.
inline int RunOnWrittenDemo(int argc, char** argv, const std::string& demo, std::unique_ptr<Session>& stage)
{
    return RunOnStageMadeBy(
        argc, argv, [&demo] { return std::make_unique<Session>(Session::WrittenDemo{}, demo); }, stage);
}

} // namespace onscreen
