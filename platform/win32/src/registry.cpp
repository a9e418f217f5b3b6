// registry.cpp: the registry reads mapped to Linux. The three browser command keys exist
// while a browser opener is on PATH; their default value is the opener's command line. Keys
// handed out are records of this module, known to a set so a stray handle is refused.
#include "win32/registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <unordered_set>

#include "win32_internal.h"

struct HKEY__ {
    std::string value; // the key's default value
};

namespace {

constexpr const char *kBrowserKeys[] = {
    "htmlfile\\shell\\open\\command",
    "http\\shell\\open\\command",
    "https\\shell\\open\\command",
};

struct RegistryState {
    std::unordered_set<HKEY> open_keys;
};
RegistryState &state() {
    static RegistryState s;
    return s;
}

bool same_ignoring_case(const char *a, const char *b) noexcept {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        const int ca = (*a >= 'A' && *a <= 'Z') ? *a + 32 : *a;
        const int cb = (*b >= 'A' && *b <= 'Z') ? *b + 32 : *b;
        if (ca != cb)
            return false;
    }
    return *a == *b;
}

} // namespace

std::string win32::find_on_path(const char *name) {
    const char *path = std::getenv("PATH");
    if (path == nullptr)
        return std::string();
    std::string dirs = path;
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty() && dir[0] == '/') {
            const std::string candidate = dir + "/" + name;
            struct stat st {};
            if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return std::string();
}

std::string win32::find_opener() {
    for (const char *name : {"xdg-open", "sensible-browser", "x-www-browser"}) {
        std::string found = find_on_path(name);
        if (!found.empty())
            return found;
    }
    return std::string();
}

void win32::reset_registry() noexcept {
    for (HKEY key : state().open_keys)
        delete key;
    state().open_keys.clear();
}

extern "C" {

LONG RegOpenKeyExA(HKEY root, LPCSTR sub_key, DWORD, REGSAM, PHKEY result) noexcept {
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (root != HKEY_CLASSES_ROOT || sub_key == nullptr)
        return ERROR_FILE_NOT_FOUND;
    bool known = false;
    for (const char *key : kBrowserKeys)
        known = known || same_ignoring_case(sub_key, key);
    if (!known)
        return ERROR_FILE_NOT_FOUND;
    try {
        const std::string opener = win32::find_opener();
        if (opener.empty())
            return ERROR_FILE_NOT_FOUND;
        auto *key = new HKEY__;
        key->value = "\"" + opener + "\" \"%1\"";
        state().open_keys.insert(key);
        *result = key;
        return ERROR_SUCCESS;
    } catch (...) {
        return ERROR_FILE_NOT_FOUND;
    }
}

LONG RegQueryValueExA(HKEY key, LPCSTR value_name, LPDWORD, LPDWORD type, LPBYTE data,
                      LPDWORD size) noexcept {
    if (state().open_keys.count(key) == 0)
        return ERROR_INVALID_HANDLE;
    if (value_name != nullptr && value_name[0] != '\0')
        return ERROR_FILE_NOT_FOUND;
    const auto needed = static_cast<DWORD>(key->value.size() + 1);
    if (type != nullptr)
        *type = REG_SZ;
    if (data == nullptr) {
        if (size != nullptr)
            *size = needed;
        return ERROR_SUCCESS;
    }
    if (size == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, key->value.c_str(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) noexcept {
    if (state().open_keys.erase(key) == 0)
        return ERROR_INVALID_HANDLE;
    delete key;
    return ERROR_SUCCESS;
}

} // extern "C"
