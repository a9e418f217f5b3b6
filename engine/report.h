// report.h: the engine's warnings and fatal reports on the standard error stream.
// A fatal report is for damaged dictionary data only, never for what a user types:
// it prints the message and " (exiting)" and ends the process with status -1.
#pragma once
#include <string_view>

// Writes the message and an end of line to standard error; the engine goes on.
void engine_warning(std::string_view message);

// Writes the message, " (exiting)" and an end of line to standard error, then ends the
// process with exit status -1 (255). Tests observe it with EXPECT_EXIT, or replace the
// ending through engine_set_fatal_hook.
[[noreturn]] void engine_fatal(std::string_view message);

// Tests may install a hook that runs after the message is written, in place of the
// process exit; the hook must not return (it throws or longjmps). Null restores the exit.
using EngineFatalHook = void (*)(std::string_view message);
void engine_set_fatal_hook(EngineFatalHook hook);

// Silences the lines of warnings and fatal reports (a fatal report still runs the hook or
// ends the process): for a caller that feeds the engine damaged data on purpose, such as
// the fuzz target, whose log would otherwise fill with one line per input.
void engine_set_reports_silent(bool silent);
