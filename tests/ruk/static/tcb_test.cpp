// Tests of the clipboard family against the recording double: update refusal of every member
// but the format test, and the name that the application-defined format needs.
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

class TcbTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
};

TEST_F(TcbTest, Members_NeedANameForFormat2AndTestFormatsDuringAnUpdate) {
    uint32_t size = 0;
    struct Case {
        const char *why;
        bool updating;
        std::function<void()> call;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"format 2 needs a name", false,
         [] { EXPECT_EQ(vko_cb_has_format(CB_APPL, nullptr), FALSE); }, "vkok_cb_has_format",
         0x210000},
        {"format 1 needs none", false, [] { vko_cb_has_format(CB_PICT, nullptr); },
         "vkok_cb_has_format", 0},
        {"the format test runs during an update", true, [] { vko_cb_has_format(CB_TEXT, nullptr); },
         "vkok_cb_has_format", 0},
        {"alloc under its short name", false, [] { vko_cb_alloc(16); }, "vkok_cb_alloc_data", 0},
        {"get without a size, format 0", false, [] { vko_cb_get_data(CB_TEXT, nullptr, nullptr); },
         "vkok_cb_get_data", 0x210000},
        {"get format 2 by name", false, [&] { vko_cb_get_data(CB_APPL, "mine", &size); },
         "vkok_cb_get_data", 0},
        {"put format 2 without a name", false,
         [] { vko_cb_put_data(CB_APPL, nullptr, 3, nullptr); }, "vkok_cb_put_data", 0x210000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetProcUpdate(c.updating);
        c.call();
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

} // namespace
