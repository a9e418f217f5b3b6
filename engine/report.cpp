// report.cpp: warnings and fatal reports of the engine.
#include "engine/report.h"

#include <cstdio>
#include <cstdlib>

namespace {
EngineFatalHook fatal_hook = nullptr;
bool reports_silent = false;
}

void engine_warning(std::string_view message)
{
    if (reports_silent)
        return;
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
}

void engine_fatal(std::string_view message)
{
    if (!reports_silent) {
        std::fprintf(stderr, "%.*s (exiting)\n", static_cast<int>(message.size()),
                     message.data());
        std::fflush(stderr);
    }
    if (fatal_hook != nullptr)
        fatal_hook(message);
    std::exit(-1);
}

void engine_set_fatal_hook(EngineFatalHook hook)
{
    fatal_hook = hook;
}

void engine_set_reports_silent(bool silent)
{
    reports_silent = silent;
}
