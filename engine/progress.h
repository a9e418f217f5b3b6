// progress.h: the progress report of long engine operations and the status sink that
// shows it. The search status window registers itself as the sink while a search runs
// and sets the cancel flag when the user stops; the engine only reads the flag.
#pragma once
#include <cstdint>

// What the search status window offers the engine.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    // Shows one message line; the sink keeps its own copy of the text.
    virtual void show_message(const char* text) = 0;
    // Sets the progress display to percent, 0 to 100.
    virtual void show_percentage(int percent) = 0;
};

// Registers sink as the current status window (null: none). The sink is not owned.
void set_status_sink(StatusSink* sink);
StatusSink* status_sink();

// The cancel flag: set by the status window (1 = stop), read by the engine.
void set_cancel_flag(std::int16_t flag);
std::int16_t cancel_flag();

// The hook through which report_progress lets pending toolkit events run, so that the
// status window repaints and its Stop button can be pressed. Null: none.
using PendingEventsPump = void (*)();
void set_pending_events_pump(PendingEventsPump pump);

// While a sink is registered: runs the pump, shows message (when not null) and sets the
// percentage (when not -1). Returns the cancel flag, nonzero when the user asked to stop.
std::int16_t report_progress(const char* message, long percentage);

// Forgets the sink and the pump and clears the cancel flag (tests).
void progress_reset();
