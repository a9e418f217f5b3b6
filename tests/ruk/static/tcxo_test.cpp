// Tests of the class-extension family against the recording double: creation checks, the
// object check of every member, the accessors on the record, and the pass-on call that keeps
// the caller's error frame.
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

int32_t cxo_handler(CXO, EVENT *) {
    return 0;
}
int32_t other_handler(CXO, EVENT *) {
    return 1;
}

class TcxoTest : public ::testing::Test {
protected:
    void SetUp() override {
        base().Reset();
        itsObject = s_cxo{};
        itsObject.handler = cxo_handler;
        itsObject.data = 9;
        base().SetLive("vkov_cxo_is_valid", &itsObject);
    }
    CXO live() { return &itsObject; }
    CXO dead() { return &itsDead; }

private:
    s_cxo itsObject{};
    s_cxo itsDead{};
};

TEST_F(TcxoTest, Create_ChecksWindowHandlerAndClassNameInOrder) {
    struct Case {
        const char *why;
        WINDOW win;
        bool with_handler;
        const char *name;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"on a native control", base().MakeWindow(VKO_WF_TEXTEDIT, W_DOC), true, "c", 0},
        {"on a notebook", base().MakeWindow(0, WC_NOTEBK), true, "c", 0},
        {"on a print window", base().MakeWindow(0, W_PRINT), true, "c", 0x1230001},
        {"on a button", base().MakeWindow(0, WC_PUSHBUTTON), true, "c", 0x1230001},
        {"handler before the class name", base().MakeWindow(0, W_DOC), false, nullptr, 0x121000E},
        {"no class name", base().MakeWindow(0, W_DOC), true, nullptr, 0x1220001},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vko_cxo_create(c.win, 0, 0, c.with_handler ? cxo_handler : nullptr, 0, c.name, 0);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded("vkov_cxo_create"), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TcxoTest, Accessors_ReadAndWriteOnlyLiveObjects) {
    EXPECT_EQ(vko_cxo_get_data(live()), 9);
    vko_cxo_set_data(live(), 11);
    vko_cxo_set_event_mask(live(), 0x30);
    EXPECT_EQ(vko_cxo_get_data(live()), 11);
    EXPECT_EQ(vko_cxo_get_event_mask(live()), 0x30);
    EXPECT_EQ(base().TakeLastReportCode(), 0u);

    vko_cxo_set_event_handler(live(), nullptr); // the old handler stays
    EXPECT_EQ(base().TakeLastReportCode(), 0x121000Eu);
    EXPECT_EQ(vko_cxo_get_event_handler(live()), &cxo_handler);
    vko_cxo_set_event_handler(live(), other_handler);
    EXPECT_EQ(vko_cxo_get_event_handler(live()), &other_handler);

    struct Case {
        const char *why;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"data of a dead object", [&] { EXPECT_EQ(vko_cxo_get_data(dead()), 0); }},
        {"window of no object", [] { EXPECT_EQ(vko_cxo_get_win(nullptr), nullptr); }},
        {"set data of a dead object", [&] { vko_cxo_set_data(dead(), 5); }},
        {"destroy no object", [] { vko_cxo_destroy(nullptr); }},
        {"message to a dead object", [&] { EXPECT_EQ(vko_cxo_dispatch_msg(dead(), 1, 0), -1); }},
        {"is_valid of no object", [] { EXPECT_EQ(vko_cxo_is_valid(nullptr), FALSE); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call();
        EXPECT_EQ(base().TakeLastReportCode(), 0x1220011u);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
    EXPECT_EQ(vko_cxo_is_valid(dead()), FALSE); // a dead object is only answered
    EXPECT_EQ(base().TakeLastReportCode(), 0u);
}

TEST_F(TcxoTest, GetClassName_ChecksTheObjectThenASizeThatWouldOverrunTheBuffer) {
    char buf[4];
    struct Case {
        const char *why;
        bool live;
        char *buf;
        int32_t size;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"a buffer and its size", true, buf, 4, 0},
        {"the object before the size", false, buf, 0, 0x1220011},
        {"a size of 0", true, buf, 0, 0x1250004},
        {"a size of 0 without a buffer", true, nullptr, 0, 0x1250004},
        {"a negative size with a buffer", true, buf, -1, 0x1250004},
        {"no buffer: nothing is written, so it is passed on", true, nullptr, 4, 0},
        {"no buffer and a negative size", true, nullptr, -1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vko_cxo_get_class_name(c.live ? live() : dead(), c.buf, c.size);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded("vkov_cxo_get_class_name"), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TcxoTest, CallNext_LeavesTheErrorFrameAlone) {
    EVENT event{};
    base().SetResult("vkov_cxo_call_next", 4);
    EXPECT_EQ(vko_cxo_call_next(live(), &event), 4);
    EXPECT_TRUE(base().MarkedNames().empty());
    const base_double::Call *call = base().LastCall("vkov_cxo_call_next");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[0].value, 0);
    EXPECT_EQ(vko_cxo_call_next(dead(), &event), 0);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1220011u);
    EXPECT_EQ(vko_cxo_call_next(live(), nullptr), 0);
    EXPECT_EQ(base().TakeLastReportCode(), 0x122000Du);
    EXPECT_TRUE(base().MarkedNames().empty());
    EXPECT_EQ(base().FrameDepth(), 0);
}

} // namespace
