// media_test_support.h: what the image, picture and print tests share: streams over memory, a
// scratch directory per test, and file specifications naming files in it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "vkobase/iostr.h"
#include "vkobase/types.h"

namespace vkotest {

// A read stream over bytes that only goes forward: it has no skip of its own, so every gap
// is read through, and it counts the calls so tests see the reader keep to the order.
struct ForwardBytes {
    std::vector<unsigned char> bytes;
    std::size_t pos = 0;
    static std::int32_t read(void *context, void *buf, std::int32_t n) {
        auto *self = static_cast<ForwardBytes *>(context);
        const std::size_t left = self->bytes.size() - self->pos;
        const std::size_t take = std::min<std::size_t>(left, static_cast<std::size_t>(n));
        std::memcpy(buf, self->bytes.data() + self->pos, take);
        self->pos += take;
        return static_cast<std::int32_t>(take);
    }
    VKO_IOSTREAM stream() { return vkov_iostr_create_read(this, read, nullptr); }
};

struct SinkBytes {
    std::vector<unsigned char> bytes;
    static std::int32_t write(void *context, const void *buf, std::int32_t n) {
        auto *self = static_cast<SinkBytes *>(context);
        const auto *p = static_cast<const unsigned char *>(buf);
        self->bytes.insert(self->bytes.end(), p, p + n);
        return n;
    }
    VKO_IOSTREAM stream() { return vkov_iostr_create_write(this, write); }
};

// A fresh directory under the system's temporary directory, removed with the object.
class ScratchDir {
public:
    ScratchDir() {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        itsPath = std::filesystem::temp_directory_path() /
                  (std::string("vko_media_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(itsPath);
        std::filesystem::create_directories(itsPath);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(itsPath, ignored);
    }
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;
    const std::filesystem::path &path() const { return itsPath; }
    FILE_SPEC spec(const std::string &name) const {
        FILE_SPEC spec{};
        std::strncpy(spec.dir.path, itsPath.c_str(), sizeof spec.dir.path - 1);
        std::strncpy(spec.name, name.c_str(), sizeof spec.name - 1);
        return spec;
    }

private:
    std::filesystem::path itsPath;
};

} // namespace vkotest
