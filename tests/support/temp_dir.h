// temp_dir.h: a fresh folder under /tmp for one test, removed with everything in it when
// the test ends, with helpers to write and read its files.
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace test_support {

class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/vko_test_XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        itsPath = made != nullptr ? made : "/tmp";
    }
    ~TempDir()
    {
        std::error_code code;
        std::filesystem::remove_all(itsPath, code);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return itsPath; }
    void write(const std::string& name, const std::string& text) const
    {
        std::ofstream(itsPath + "/" + name, std::ios::binary) << text;
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(itsPath + "/" + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // The names in the folder, sorted.
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(itsPath))
            out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::string itsPath;
};

} // namespace test_support
