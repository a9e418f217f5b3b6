// Tests of the engine's report lines: warnings and fatal reports reach standard error
// unless silenced, and silencing never skips the fatal hook.
#include "engine/report.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Fatal {};

void throw_fatal(std::string_view)
{
    throw Fatal{};
}

// Restores the default reports after each test.
class EngineReports : public ::testing::Test {
protected:
    void TearDown() override
    {
        engine_set_reports_silent(false);
        engine_set_fatal_hook(nullptr);
    }
};

TEST_F(EngineReports, SilencedLinesStillRunTheFatalHook)
{
    struct Case {
        bool silent;
        const char* warning_line;
        const char* fatal_line;
    };
    const Case cases[] = {
        {false, "bad thing\n", "worse thing (exiting)\n"},
        {true, "", ""},
    };
    engine_set_fatal_hook(throw_fatal);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.silent ? "silent" : "reporting");
        engine_set_reports_silent(c.silent);
        testing::internal::CaptureStderr();
        engine_warning("bad thing");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.warning_line);
        testing::internal::CaptureStderr();
        EXPECT_THROW(engine_fatal("worse thing"), Fatal);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.fatal_line);
    }
}

TEST_F(EngineReports, SilencedFatalReportWithoutHookStillExits)
{
    engine_set_reports_silent(true);
    EXPECT_EXIT(engine_fatal("damaged"), ::testing::ExitedWithCode(255), "^$");
}

} // namespace
