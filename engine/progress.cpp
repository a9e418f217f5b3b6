// progress.cpp: the status sink, the cancel flag and report_progress.
#include "engine/progress.h"

namespace {

struct ProgressState {
    StatusSink* sink = nullptr;
    std::int16_t cancel = 0;
    PendingEventsPump pump = nullptr;
};

ProgressState state;

} // namespace

void set_status_sink(StatusSink* sink)
{
    state.sink = sink;
}

StatusSink* status_sink()
{
    return state.sink;
}

void set_cancel_flag(std::int16_t flag)
{
    state.cancel = flag;
}

std::int16_t cancel_flag()
{
    return state.cancel;
}

void set_pending_events_pump(PendingEventsPump pump)
{
    state.pump = pump;
}

std::int16_t report_progress(const char* message, long percentage)
{
    if (state.sink == nullptr)
        return state.cancel;
    if (state.pump != nullptr)
        state.pump();
    // The pump may have closed the status window, which unregisters it.
    if (state.sink != nullptr && message != nullptr)
        state.sink->show_message(message);
    if (state.sink != nullptr && percentage != -1)
        state.sink->show_percentage(static_cast<int>(percentage));
    return state.cancel;
}

void progress_reset()
{
    state = ProgressState{};
}
