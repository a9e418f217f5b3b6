// probe.cpp: the phase marks that benchmarks hear (see vkobase/probe.h).
#include "vkobase/probe.h"

#include <atomic>
#include <chrono>

namespace {

std::atomic<VKO_PROBE_SINK> g_sink{nullptr};

} // namespace

extern "C" {

void vkov_probe_set_sink(VKO_PROBE_SINK sink) noexcept {
    g_sink.store(sink, std::memory_order_relaxed);
}

void vkov_probe_mark(int32_t phase, BOOLEAN begin) noexcept {
    const VKO_PROBE_SINK sink = g_sink.load(std::memory_order_relaxed);
    if (sink == nullptr)
        return;
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    sink(
        phase, begin,
        static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(since).count()));
}

} // extern "C"
