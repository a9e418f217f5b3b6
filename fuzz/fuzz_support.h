// fuzz_support.h: what the fuzz targets share: a private working folder, made at the first
// input and removed with its files at exit, and writing an input to a file in it. Readers
// that take a path read the input from there.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzzsupport {

inline void remove_work_dir();

// The folder's path; a plain array, so that it outlives every destructor that runs at exit
// before remove_work_dir.
inline char work_dir_path[64] = "";

// The private folder, with a trailing '/': in memory (/dev/shm) where there is one, since
// most targets write every input to a file.
inline const std::string& work_dir()
{
    static const std::string dir = [] {
        std::error_code ignored;
        const char* parent = std::filesystem::is_directory("/dev/shm", ignored) ? "/dev/shm" : "/tmp";
        std::snprintf(work_dir_path, sizeof work_dir_path, "%s/tavlin_fuzzXXXXXX", parent);
        if (mkdtemp(work_dir_path) == nullptr)
            std::abort();
        std::atexit(remove_work_dir);
        return std::string(work_dir_path) + "/";
    }();
    return dir;
}

inline void remove_work_dir()
{
    std::error_code ignored;
    std::filesystem::remove_all(work_dir_path, ignored);
}

inline bool write_file(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

inline std::string as_string(const std::uint8_t* data, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

} // namespace fuzzsupport
