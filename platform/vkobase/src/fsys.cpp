// fsys.cpp: the file-system family over POSIX. Owns the start-up directory (taken when the
// library is loaded) and the stack of saved directories; every path it builds is checked
// against its record or buffer before it is written.
#include "vkobase/fsys.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "vkobase/slist.h"
#include "vkobase/str.h"

namespace {

std::string current_dir() {
    std::vector<char> buf(4096);
    while (getcwd(buf.data(), buf.size()) == nullptr) {
        if (errno != ERANGE || buf.size() > (1u << 20))
            return std::string();
        buf.resize(buf.size() * 2);
    }
    return std::string(buf.data());
}

struct FsysState {
    std::string startup_dir = current_dir(); // the working directory at load
    std::vector<std::string> saved;          // save_dir / restore_dir stack
};
FsysState &state() {
    static FsysState s;
    return s;
}
// Take the start-up directory when the library is loaded, before anyone changes it.
[[maybe_unused]] const bool g_startup_taken = (state(), true);

// Copies text into a buffer of size bytes; false (buffer untouched) when it does not fit.
bool put(char *buf, std::size_t size, const std::string &text) noexcept {
    if (buf == nullptr || text.size() >= size)
        return false;
    std::memcpy(buf, text.c_str(), text.size() + 1);
    return true;
}

// The full path of a file specification; empty when it names no file.
std::string spec_path(const s_file_spec *spec) {
    if (spec == nullptr || spec->name[0] == '\0')
        return std::string();
    const std::string name(spec->name, strnlen(spec->name, sizeof spec->name));
    const std::string dir(spec->dir.path, strnlen(spec->dir.path, sizeof spec->dir.path));
    if (dir.empty())
        return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

std::string spec_dir(const s_file_spec *spec) {
    const std::string dir(spec->dir.path, strnlen(spec->dir.path, sizeof spec->dir.path));
    return dir.empty() ? std::string(".") : dir;
}

std::string upper(const std::string &text) {
    std::string out = text;
    vkok_str_convert_to_upper(out.data(), text.c_str(), static_cast<std::int32_t>(out.size()));
    return out;
}

bool ends_with_type(const std::string &name, const std::string &type) {
    const std::string suffix = '.' + upper(type);
    const std::string u = upper(name);
    return u.size() >= suffix.size() &&
           u.compare(u.size() - suffix.size(), suffix.size(), suffix) == 0;
}

mode_t permission_bit(std::int32_t selector) noexcept {
    switch (selector) {
    case VKO_FATTR_READABLE:
        return S_IRUSR;
    case VKO_FATTR_WRITABLE:
        return S_IWUSR;
    case VKO_FATTR_EXECUTABLE:
        return S_IXUSR;
    default:
        return 0;
    }
}

int access_mode(std::int32_t selector) noexcept {
    switch (selector) {
    case VKO_FATTR_READABLE:
        return R_OK;
    case VKO_FATTR_WRITABLE:
        return W_OK;
    case VKO_FATTR_EXECUTABLE:
        return X_OK;
    default:
        return F_OK;
    }
}

} // namespace

void vkobase_reset_fsys() noexcept {
    state().saved.clear();
    if (!state().startup_dir.empty())
        (void)!chdir(state().startup_dir.c_str());
}

extern "C" {

void vkok_fsys_get_default_dir(s_dir *dir) noexcept {
    (void)vkok_fsys_get_dir(dir);
}

BOOLEAN vkok_fsys_get_dir(s_dir *dir) noexcept {
    if (dir == nullptr)
        return FALSE;
    try {
        return put(dir->path, sizeof dir->path, current_dir()) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

BOOLEAN vkok_fsys_set_dir(const s_dir *dir) noexcept {
    if (dir == nullptr || strnlen(dir->path, sizeof dir->path) == sizeof dir->path)
        return FALSE;
    return chdir(dir->path) == 0 ? TRUE : FALSE;
}

void vkok_fsys_save_dir(void) noexcept {
    try {
        state().saved.push_back(current_dir());
    } catch (...) {
    }
}

void vkok_fsys_restore_dir(void) noexcept {
    if (state().saved.empty())
        return;
    const std::string dir = std::move(state().saved.back());
    state().saved.pop_back();
    (void)!chdir(dir.c_str());
}

void vkok_fsys_set_dir_startup(void) noexcept {
    if (!state().startup_dir.empty())
        (void)!chdir(state().startup_dir.c_str());
}

BOOLEAN vkok_fsys_convert_dir_to_str(const s_dir *dir, char *buf, std::int32_t buf_size) noexcept {
    if (dir == nullptr || buf == nullptr || buf_size <= 0)
        return FALSE;
    const std::size_t len = strnlen(dir->path, sizeof dir->path);
    if (len == sizeof dir->path || len >= static_cast<std::size_t>(buf_size))
        return FALSE;
    std::memcpy(buf, dir->path, len);
    buf[len] = '\0';
    return TRUE;
}

BOOLEAN vkok_fsys_convert_str_to_dir(const char *text, s_dir *dir) noexcept {
    if (text == nullptr || dir == nullptr)
        return FALSE;
    try {
        std::string path = text;
        if (path.empty() || path[0] != '/') {
            const std::string cwd = current_dir();
            path = path.empty() ? cwd : (cwd == "/" ? cwd : cwd + "/") + path;
        }
        return put(dir->path, sizeof dir->path, path) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

BOOLEAN vkok_fsys_build_pathname(char *path, std::int32_t path_size, const char *volume,
                                 const char *dir, const char *name, const char *ext) noexcept {
    if (path == nullptr || path_size <= 0 || (volume != nullptr && volume[0] != '\0'))
        return FALSE;
    try {
        std::string out = dir != nullptr ? dir : "";
        if (!out.empty() && out.back() != '/')
            out += '/';
        out += name != nullptr ? name : "";
        if (ext != nullptr && ext[0] != '\0') {
            if (ext[0] != '.')
                out += '.';
            out += ext;
        }
        return put(path, static_cast<std::size_t>(path_size), out) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

BOOLEAN vkok_fsys_parse_pathname(const char *path, char *volume, char *dir, char *name, char *ext,
                                 char *leaf) noexcept {
    if (path == nullptr)
        return FALSE;
    try {
        const std::string p = path;
        const std::size_t slash = p.rfind('/');
        const std::string dir_part = slash == std::string::npos ? "" : p.substr(0, slash + 1);
        const std::string leaf_part = slash == std::string::npos ? p : p.substr(slash + 1);
        const std::size_t dot = leaf_part.rfind('.');
        const bool has_ext = dot != std::string::npos && dot != 0;
        const std::string name_part = has_ext ? leaf_part.substr(0, dot) : leaf_part;
        const std::string ext_part = has_ext ? leaf_part.substr(dot) : "";
        const std::string no_volume;
        const struct {
            char *out;
            const std::string &text;
        } parts[] = {{volume, no_volume},
                     {dir, dir_part},
                     {name, name_part},
                     {ext, ext_part},
                     {leaf, leaf_part}};
        for (const auto &part : parts)
            if (part.out != nullptr && part.text.size() >= VKO_SZ_DIR)
                return FALSE;
        for (const auto &part : parts)
            if (part.out != nullptr)
                put(part.out, VKO_SZ_DIR, part.text);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

BOOLEAN vkok_fsys_file_makepath(const s_file_spec *spec, char *path) noexcept {
    try {
        const std::string full = spec_path(spec);
        return !full.empty() && put(path, VKO_FSYS_PATH_SIZE, full) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

BOOLEAN vkok_fsys_file_exists(const char *path) noexcept {
    struct stat st {};
    return path != nullptr && stat(path, &st) == 0 ? TRUE : FALSE;
}

SLIST vkok_fsys_list_files(const char *type, const char *pattern, BOOLEAN include_dirs) noexcept {
    if (type == nullptr || pattern == nullptr)
        return nullptr;
    try {
        DIR *d = opendir(".");
        if (d == nullptr)
            return nullptr;
        const std::string upper_pattern = upper(pattern);
        std::vector<std::string> names;
        while (const dirent *entry = readdir(d)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            struct stat st {};
            if (stat(name.c_str(), &st) != 0)
                continue;
            if (S_ISDIR(st.st_mode) ? !include_dirs : !S_ISREG(st.st_mode))
                continue;
            if (!vkov_str_match(upper_pattern.c_str(), upper(name).c_str()))
                continue;
            if (type[0] != '\0' && !ends_with_type(name, type))
                continue;
            names.push_back(name);
        }
        closedir(d);
        std::sort(names.begin(), names.end());
        SLIST list = vkov_slist_create();
        if (list == nullptr)
            return nullptr;
        for (const std::string &name : names) {
            if (!vkov_slist_add(list, name.c_str(), 0)) {
                vkov_slist_destroy(list);
                return nullptr;
            }
        }
        return list;
    } catch (...) {
        return nullptr;
    }
}

std::int32_t vkov_fsys_get_file_attr(const s_file_spec *spec, std::int32_t selector) noexcept {
    if (spec == nullptr)
        return 0;
    try {
        if (selector == VKO_FATTR_DIR_EXISTS || selector == VKO_FATTR_DIR_WRITABLE) {
            struct stat st {};
            const std::string dir = spec_dir(spec);
            if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
                return 0;
            return selector == VKO_FATTR_DIR_EXISTS || access(dir.c_str(), W_OK) == 0 ? 1 : 0;
        }
        const std::string path = spec_path(spec);
        struct stat st {};
        if (path.empty() || stat(path.c_str(), &st) != 0)
            return 0;
        switch (selector) {
        case VKO_FATTR_EXISTS:
            return 1;
        case VKO_FATTR_READABLE:
        case VKO_FATTR_WRITABLE:
        case VKO_FATTR_EXECUTABLE:
            return access(path.c_str(), access_mode(selector)) == 0 ? 1 : 0;
        case VKO_FATTR_DIRECTORY:
            return S_ISDIR(st.st_mode) ? 1 : 0;
        default:
            return 0;
        }
    } catch (...) {
        return 0;
    }
}

BOOLEAN vkov_fsys_set_file_attr(const s_file_spec *spec, std::int32_t selector,
                                std::int32_t value) noexcept {
    const mode_t bit = permission_bit(selector);
    if (bit == 0)
        return FALSE;
    try {
        const std::string path = spec_path(spec);
        struct stat st {};
        if (path.empty() || stat(path.c_str(), &st) != 0)
            return FALSE;
        const mode_t mode = value != 0 ? (st.st_mode | bit) : (st.st_mode & ~bit);
        return chmod(path.c_str(), mode & 07777) == 0 ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

BOOLEAN vkov_fsys_rem_file(const s_file_spec *spec) noexcept {
    try {
        const std::string path = spec_path(spec);
        return !path.empty() && unlink(path.c_str()) == 0 ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

} // extern "C"
