// test_deadline.h: how long a test waits for what it checks. A test waits for a condition (a
// report, a window, a file, a process end) and gives up only after a generous deadline, which
// VKO_TEST_TIME_SCALE multiplies (1 when unset): a slow or busy machine can be given more time,
// and since a wait ends as soon as its condition holds, the scale costs nothing where the
// machine is fast.
#pragma once

#include <chrono>
#include <cstdlib>
#include <thread>

namespace vkotest {

inline double time_scale() {
    static const double scale = [] {
        const char *text = std::getenv("VKO_TEST_TIME_SCALE");
        const double value = text != nullptr ? std::strtod(text, nullptr) : 1.0;
        return value > 0 ? value : 1.0;
    }();
    return scale;
}

// A deadline `seconds` (scaled) from now.
class Deadline {
public:
    explicit Deadline(double seconds)
        : end_(std::chrono::steady_clock::now() +
               std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                   std::chrono::duration<double>(seconds * time_scale()))) {}
    bool passed() const { return std::chrono::steady_clock::now() > end_; }

private:
    std::chrono::steady_clock::time_point end_;
};

// Asks `done` every poll_ms milliseconds until it holds (true) or the deadline of `seconds`
// (scaled) passes (false).
template <class Condition> bool wait_until(Condition done, double seconds = 30, int poll_ms = 20) {
    const Deadline deadline(seconds);
    while (!done()) {
        if (deadline.passed())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(poll_ms));
    }
    return true;
}

// The watch over a script that takes one step per timer tick: stalled once one step has waited
// longer than its deadline (scaled) for what it checks.
class StepClock {
public:
    explicit StepClock(double seconds = 180) : seconds_(seconds), deadline_(seconds) {}
    // Called at each tick with the script's step.
    bool stalled(long step) {
        if (step != step_) {
            step_ = step;
            deadline_ = Deadline(seconds_);
        }
        return deadline_.passed();
    }

private:
    double seconds_;
    long step_ = -1; // the first call starts the first step's deadline
    Deadline deadline_;
};

} // namespace vkotest
