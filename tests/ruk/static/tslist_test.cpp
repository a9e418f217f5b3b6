// Tests of the string-list family against the recording double: required and optional lists
// with their two codes, the element and text checks, and the append with a numeric id.
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

enum class Slist { Null, Dead, Live };

class TslistTest : public ::testing::Test {
protected:
    void SetUp() override {
        base().Reset();
        base().SetLive("vkov_slist_is_valid", &itsLive);
    }
    SLIST list(Slist s) {
        switch (s) {
        case Slist::Null:
            return nullptr;
        case Slist::Dead:
            return reinterpret_cast<SLIST>(&itsDead);
        case Slist::Live:
            return reinterpret_cast<SLIST>(&itsLive);
        }
        return nullptr;
    }
    SLIST_ELT element() { return reinterpret_cast<SLIST_ELT>(&itsElement); }

private:
    int itsLive = 0;
    int itsDead = 0;
    int itsElement = 0;
};

TEST_F(TslistTest, Members_CheckTheListThenTheirArguments) {
    struct Case {
        const char *why;
        Slist list;
        std::function<void(SLIST, SLIST_ELT)> call;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"append with an id", Slist::Live,
         [](SLIST l, SLIST_ELT) { EXPECT_EQ(vko_slist_add(l, "word", 7), TRUE); }, "vkov_slist_add",
         0},
        {"append to a null list", Slist::Null,
         [](SLIST l, SLIST_ELT) { vko_slist_add(l, "word", 7); }, "vkov_slist_add", 0x121000A},
        {"append to a dead list", Slist::Dead,
         [](SLIST l, SLIST_ELT) { vko_slist_add(l, "word", 7); }, "vkov_slist_add", 0x1220008},
        {"append a null text", Slist::Live,
         [](SLIST l, SLIST_ELT) { vko_slist_add(l, nullptr, 7); }, "vkov_slist_add", 0x210000},
        {"list before text at a position", Slist::Null,
         [](SLIST l, SLIST_ELT) { vko_slist_add_at_pos(l, 0, nullptr, 1); },
         "vkov_slist_add_at_pos", 0x121000A},
        {"sorted null text", Slist::Live,
         [](SLIST l, SLIST_ELT) { vko_slist_add_sorted(l, nullptr, 1, 0, 0); },
         "vkov_slist_add_sorted", 0x210000},
        {"count of no list is the base library's", Slist::Null,
         [](SLIST l, SLIST_ELT) { vko_slist_count(l); }, "vkov_slist_count", 0},
        {"count of a dead list", Slist::Dead,
         [](SLIST l, SLIST_ELT) { EXPECT_EQ(vko_slist_count(l), -1); }, "vkov_slist_count",
         0x1220008},
        {"destroy a dead list", Slist::Dead, [](SLIST l, SLIST_ELT) { vko_slist_destroy(l); },
         "vkov_slist_destroy", 0x1220008},
        {"get from a null list", Slist::Null,
         [](SLIST l, SLIST_ELT e) { vko_slist_get(l, e, nullptr); }, "vkov_slist_get", 0x121000A},
        {"remove a null element", Slist::Live,
         [](SLIST l, SLIST_ELT) { vko_slist_rem(l, nullptr); }, "vkov_slist_rem", 0x210000},
        {"data of a null element", Slist::Live,
         [](SLIST, SLIST_ELT) { vko_slist_get_data(nullptr); }, "vkov_slist_get_data", 0x210000},
        {"next after an element", Slist::Live,
         [](SLIST l, SLIST_ELT e) { vko_slist_get_next(l, e); }, "vkov_slist_get_next", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkov_slist_add", TRUE);
        c.call(list(c.list), element());
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
    vko_slist_add(list(Slist::Live), "id", 42);
    const base_double::Call *call = base().LastCall("vkov_slist_add");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[1].text, "id");
    EXPECT_EQ(call->args[2].value, 42);
}

} // namespace
