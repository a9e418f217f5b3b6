// smoke_fixture.h: the fixture shared by the smoke tests, which run the checking layer against
// the real base library. It resets the base library around each test and collects what the
// layer reports through the base library's report call.
// The rule a reader must not miss: each Expect… call also checks that the error frame is
// balanced again, and forgets the reports seen so far.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ruk/static/vkoruk.h"
#include "vkobase/testing.h"

class SmokeFixture : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        vkov_test_set_errmsg_hook(
            [](WINDOW, std::int32_t severity, std::uint32_t code, const char *module, std::int32_t,
               void *context) {
                static_cast<std::vector<Seen> *>(context)->push_back(
                    Seen{code, module != nullptr ? module : "", severity});
            },
            &itsSeen);
    }
    void TearDown() override {
        vkov_test_set_errmsg_hook(nullptr, nullptr);
        vkov_test_reset_all();
    }

    // The last report's code and module, then forgets the reports.
    void ExpectReport(std::uint32_t code, const char *module) {
        ASSERT_FALSE(itsSeen.empty());
        EXPECT_EQ(itsSeen.back().code, code);
        EXPECT_EQ(itsSeen.back().module, module);
        itsSeen.clear();
        EXPECT_EQ(vkov_test_errfrm_depth(), 0);
    }
    void ExpectNoReport() {
        EXPECT_TRUE(itsSeen.empty());
        itsSeen.clear();
        EXPECT_EQ(vkov_test_errfrm_depth(), 0);
    }

    static std::int32_t ignore_events(WINDOW, EVENT *) { return 0; }
    WINDOW task() { return vkov_test_create_task_window(ignore_events); }

private:
    struct Seen {
        std::uint32_t code;
        std::string module;
        std::int32_t severity;
    };
    std::vector<Seen> itsSeen;
};
