// Tests of the list-control family against the recording double: one report per refused call
// naming the list, list and selection kinds, the index and buffer checks.
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

enum class List { Null, Freed, Plain, Box, Button };

class TlistTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
    WINDOW list(List l) {
        switch (l) {
        case List::Null:
            return nullptr;
        case List::Freed:
            return base().MakeWindow(0, WC_LBOX, false);
        case List::Plain:
            return base().MakeWindow(0, WC_LISTEDIT);
        case List::Box:
            return base().MakeWindow(0, WC_LBOX);
        case List::Button:
            return base().MakeWindow(0, WC_PUSHBUTTON);
        }
        return nullptr;
    }
};

TEST_F(TlistTest, Members_ComputeOneCodeAndNameTheList) {
    base().SetResponder("vkok_vobj_is_list", [](const base_double::Call &call) {
        const auto *w =
            reinterpret_cast<const s_win *>(static_cast<std::uintptr_t>(call.args[0].value));
        return base_double::Answer{true, w->type == WC_LBOX || w->type == WC_LISTEDIT, 0.0};
    });
    char buf[8];
    struct Case {
        const char *why;
        List list;
        std::function<void(WINDOW)> call;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"add at the end", List::Plain, [](WINDOW w) { vko_list_add(w, -1, "x"); }, "vkov_list_add",
         0},
        {"add at index -2", List::Plain, [](WINDOW w) { vko_list_add(w, -2, "x"); },
         "vkov_list_add", 0x1250001},
        {"null text before the index", List::Plain, [](WINDOW w) { vko_list_add(w, -2, nullptr); },
         "vkov_list_add", 0x210000},
        {"a button is no list", List::Button, [](WINDOW w) { vko_list_clear(w); },
         "vkok_list_clear", 0x1230001},
        {"a freed list", List::Freed, [](WINDOW w) { vko_list_clear(w); }, "vkok_list_clear",
         0x1220002},
        {"count all of a plain list", List::Plain, [](WINDOW w) { vko_list_count_all(w); },
         "vkok_list_count_all", 0},
        {"count selected of a plain list", List::Plain,
         [](WINDOW w) { EXPECT_EQ(vko_list_count_sel(w), -1); }, "vkok_list_count_sel", 0x1230001},
        {"count selected of a list box", List::Box, [](WINDOW w) { vko_list_count_sel(w); },
         "vkok_list_count_sel", 0},
        {"element into a null buffer", List::Plain,
         [](WINDOW w) { vko_list_get_elt(w, 0, nullptr, 8); }, "vkok_list_get_elt", 0x210000},
        {"element into a buffer of size 0", List::Plain,
         [&](WINDOW w) { vko_list_get_elt(w, 0, buf, 0); }, "vkok_list_get_elt", 0x1250004},
        {"first selection into a negative size", List::Box,
         [&](WINDOW w) { vko_list_get_first_sel(w, buf, -3); }, "vkok_list_get_first_sel",
         0x1250004},
        {"first selection", List::Box, [&](WINDOW w) { vko_list_get_first_sel(w, buf, 8); },
         "vkok_list_get_first_sel", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        WINDOW w = list(c.list);
        c.call(w);
        EXPECT_LE(base().Reports().size(), 1u);
        if (!base().Reports().empty()) {
            EXPECT_EQ(base().Reports().back().obj, w);
        }
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

// The update refusal is one of the list's reports: it names the list too.
TEST_F(TlistTest, UpdateRefusal_NamesTheList) {
    WINDOW w = list(List::Box);
    base().SetProcUpdate(true);
    const std::function<void()> calls[] = {
        [w] { vko_list_add(w, 0, "x"); },      [w] { vko_list_clear(w); },
        [w] { vko_list_rem(w, 0); },           [w] { vko_list_resume(w); },
        [w] { vko_list_set_sel(w, 0, TRUE); }, [w] { vko_list_suspend(w); },
    };
    for (const auto &call : calls) {
        call();
        ASSERT_EQ(base().Reports().size(), 1u);
        EXPECT_EQ(base().Reports().back().obj, w);
        EXPECT_EQ(base().TakeLastReportCode(), 0x1610001u);
    }
}

} // namespace
