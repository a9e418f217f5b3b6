// command_output.h: what a shell command prints, for tests that read files back with
// outside tools (poppler's pdfinfo and pdftotext).
#pragma once
#include <cstdio>
#include <string>

namespace test_support {

// Standard output of command; empty when it cannot run.
inline std::string CommandOutput(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        char buf[512];
        while (std::fgets(buf, sizeof buf, pipe) != nullptr)
            out += buf;
        ::pclose(pipe);
    }
    return out;
}

inline bool HavePoppler()
{
    return CommandOutput("command -v pdftotext").find("pdftotext") != std::string::npos;
}

} // namespace test_support
