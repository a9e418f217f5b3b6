// file_replace.cpp: the temporary-file-and-rename writer shared by the settings files.
#include "app/settings/file_replace.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

constexpr std::size_t kRandomPart = 6; // the characters mkstemp fills in

bool IsRandomPart(const std::string& text)
{
    if (text.size() != kRandomPart)
        return false;
    for (const char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    return true;
}

bool IsDigits(const std::string& text)
{
    if (text.empty() || text.size() > 10)
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Whether the file named suffix after "<file>." is a temporary file that nobody writes.
bool IsStaleTemporary(const fs::path& file, const std::string& suffix)
{
    const std::size_t dot = suffix.find('.');
    if (dot == std::string::npos) {
        // The earlier naming tells no process: a file left alone for a minute is stale.
        std::error_code code;
        const auto changed = fs::last_write_time(file, code);
        return !code && IsRandomPart(suffix) &&
               fs::file_time_type::clock::now() - changed > std::chrono::minutes(1);
    }
    const std::string process = suffix.substr(0, dot);
    if (!IsDigits(process) || !IsRandomPart(suffix.substr(dot + 1)))
        return false;
    const long pid = std::strtol(process.c_str(), nullptr, 10);
    return pid == getpid() || (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
}
} // namespace

void RemoveStaleTemporaries(const std::string& path)
{
    const fs::path target(path);
    const std::string prefix = target.filename().string() + ".";
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code code;
    for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code)) {
        const std::string name = it->path().filename().string();
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            it->is_regular_file(code) && IsStaleTemporary(it->path(), name.substr(prefix.size())))
            fs::remove(it->path(), code);
        code.clear();
    }
}

int ReplaceFileContents(const std::string& path, const std::string& text)
{
    std::string temporary = path + "." + std::to_string(getpid()) + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return 0;
    // The new file takes the old one's permissions (a new one: readable by all), not the
    // owner-only ones of a temporary file.
    struct stat old_file {};
    fchmod(fd, stat(path.c_str(), &old_file) == 0 ? (old_file.st_mode & 07777) : 0644);
    std::FILE* out = fdopen(fd, "wb");
    if (out == nullptr) {
        close(fd);
        std::remove(temporary.c_str());
        return 0;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size() &&
                         std::fflush(out) == 0 && fsync(fileno(out)) == 0;
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return 0;
    }
    RemoveStaleTemporaries(path);
    return 1;
}
