// scoped_env.h: an environment variable restored when the scope ends, however the test
// leaves it (a failed ASSERT returns from the middle of a loop).
#pragma once
#include <stdlib.h>

#include <optional>
#include <string>

namespace test_support {

class ScopedEnv {
public:
    explicit ScopedEnv(const char* name) : itsName(name)
    {
        if (const char* value = getenv(name))
            itsSaved = value;
    }
    ~ScopedEnv()
    {
        if (itsSaved)
            setenv(itsName.c_str(), itsSaved->c_str(), 1);
        else
            unsetenv(itsName.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    void Set(const std::string& value) const { setenv(itsName.c_str(), value.c_str(), 1); }

private:
    std::string itsName;
    std::optional<std::string> itsSaved;
};

} // namespace test_support
