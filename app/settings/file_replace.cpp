// file_replace.cpp: the temporary-file-and-rename writer shared by the settings files.
#include "app/settings/file_replace.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

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

// The file a save of a settings file writes: the name itself, or the file its link leads
// to, with what is there now.
struct SaveTarget {
    std::string path;       // where the temporary goes beside and the rename lands
    std::string linkText;   // what the link says, when the name is one
    bool exists = false;    // a regular file is there (else the name is free)
    mode_t mode = 0;        // its permissions
    std::string refusal;    // why no save may replace it; then the rest means nothing
};

std::string link_text(const std::string& path)
{
    std::error_code code;
    const fs::path to = fs::read_symlink(path, code);
    return code ? std::string("?") : to.string();
}

SaveTarget save_target_of(const std::string& path)
{
    SaveTarget target;
    target.path = path;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        if (errno != ENOENT)
            target.refusal = std::strerror(errno);
        return target;
    }
    std::string as;  // how the message begins for a link: "a link to x, "
    if (S_ISLNK(info.st_mode)) {
        target.linkText = link_text(path);
        // realpath follows every link, so the temporary lands in the real folder of the
        // file and the rename replaces that file, not the link.
        char* real = realpath(path.c_str(), nullptr);
        if (real == nullptr) {
            const int error = errno;
            const std::string to = "a link to " + target.linkText;
            target.refusal = error == ENOENT  ? to + ", which is not there"
                             : error == ELOOP ? to + ", which leads round in a loop"
                                              : to + ": " + std::strerror(error);
            return target;
        }
        target.path = real;
        std::free(real);
        if (stat(target.path.c_str(), &info) != 0) {
            target.refusal = std::strerror(errno);
            return target;
        }
        as = "a link to " + target.linkText + ", ";
    }
    if (S_ISDIR(info.st_mode))
        target.refusal = as + "a folder, not a file";
    else if (!S_ISREG(info.st_mode))
        target.refusal = as + "a device, a pipe or a socket, not a file";
    target.exists = true;
    target.mode = info.st_mode & 07777;
    return target;
}

// The process's umask, read without changing it (another thread may be making a file).
mode_t current_umask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    const mode_t mask = umask(022);
    umask(mask);
    return mask;
}

// A failure of the system while writing target, in words: its reason, and for a file
// reached through a link the file that was written.
std::string write_failure(const SaveTarget& target, int error)
{
    std::string why = std::strerror(error);
    if (!target.linkText.empty())
        why += " (writing " + target.path + ", which it links to)";
    return why;
}
} // namespace

std::string ReplaceRefusal(const std::string& path) { return save_target_of(path).refusal; }

bool NothingNamed(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

std::string DescribeUnreadable(const std::string& path, int error)
{
    const std::string refusal = ReplaceRefusal(path);
    return refusal.empty() ? std::strerror(error) : refusal;
}

std::string WhyLine(const std::string& file, const std::string& why)
{
    return why.empty() ? std::string() : "\n" + file + ": " + why + ".";
}

void RemoveStaleTemporaries(const std::string& path)
{
    // A save through a link wrote beside the file the link leads to.
    const fs::path target(save_target_of(path).path);
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

int ReplaceFileContents(const std::string& path, const std::string& text, std::string* why)
{
    std::string ignored;
    std::string& reason = why != nullptr ? *why : ignored;
    reason.clear();
    const SaveTarget target = save_target_of(path);
    if (!target.refusal.empty()) {
        reason = target.refusal;
        return 0;
    }
    std::string temporary = target.path + "." + std::to_string(getpid()) + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        reason = write_failure(target, errno);
        return 0;
    }
    // The new file takes the old one's permissions (a new one: the default ones under the
    // umask), not the owner-only ones of a temporary file.
    fchmod(fd, target.exists ? target.mode : (0666 & ~current_umask()));
    std::FILE* out = fdopen(fd, "wb");
    if (out == nullptr) {
        reason = write_failure(target, errno);
        close(fd);
        std::remove(temporary.c_str());
        return 0;
    }
    errno = 0;
    bool done = std::fwrite(text.data(), 1, text.size(), out) == text.size() &&
                std::fflush(out) == 0 && fsync(fileno(out)) == 0;
    int error = errno;
    if (std::fclose(out) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && std::rename(temporary.c_str(), target.path.c_str()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        reason = write_failure(target, error != 0 ? error : EIO);
        std::remove(temporary.c_str());
        return 0;
    }
    RemoveStaleTemporaries(target.path);
    return 1;
}
