// Tests of report_progress and the status sink.
#include "engine/progress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FakeSink : public StatusSink {
public:
    void show_message(const char* text) override { messages.push_back(text); }
    void show_percentage(int percent) override { percentages.push_back(percent); }
    std::vector<std::string> messages;
    std::vector<int> percentages;
};

int pumped = 0;
FakeSink* closing_sink = nullptr;

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        progress_reset();
        pumped = 0;
    }
    void TearDown() override { progress_reset(); }
};

TEST_F(ProgressTest, ShowsWhatIsGivenAndAnswersTheCancelFlag)
{
    FakeSink sink;
    set_status_sink(&sink);
    set_pending_events_pump([] { ++pumped; });
    EXPECT_EQ(report_progress("10% finished; no words found yet", 5), 0);
    EXPECT_EQ(report_progress(nullptr, -1), 0);
    set_cancel_flag(1);
    EXPECT_EQ(report_progress("AND processing 50% complete", -1), 1);
    EXPECT_EQ(pumped, 3);
    EXPECT_EQ(sink.messages, (std::vector<std::string>{"10% finished; no words found yet",
                                                       "AND processing 50% complete"}));
    EXPECT_EQ(sink.percentages, std::vector<int>{5});
}

TEST_F(ProgressTest, WithoutSinkNothingIsShownAndTheFlagStands)
{
    set_pending_events_pump([] { ++pumped; });
    EXPECT_EQ(report_progress("ignored", 50), 0);
    set_cancel_flag(1);
    EXPECT_EQ(report_progress("ignored", 50), 1);
    EXPECT_EQ(pumped, 0);
}

TEST_F(ProgressTest, SinkClosedByThePumpIsNotCalled)
{
    FakeSink sink;
    closing_sink = &sink;
    set_status_sink(&sink);
    // The pump runs the Stop button's handler, which closes the window.
    set_pending_events_pump([] {
        set_cancel_flag(1);
        set_status_sink(nullptr);
    });
    EXPECT_EQ(report_progress("gone", 40), 1);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_TRUE(sink.percentages.empty());
}

} // namespace
