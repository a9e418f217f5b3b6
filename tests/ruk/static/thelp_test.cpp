// Tests of the help and timer families against the recording double: each member's checks in
// order with their codes, what reaches the help module, and the timer's window types.
#include <cstdint>
#include <functional>
#include <string>

#include "layer_fixture.h"

namespace {

class ThelpTest : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        base().SetLive("vkov_help_is_valid_info", live());
    }
    HELPINFO live() { return reinterpret_cast<HELPINFO>(&itsHelp); }
    HELPINFO dead() { return reinterpret_cast<HELPINFO>(&itsDead); }

private:
    int itsHelp = 0;
    int itsDead = 0;
};

TEST_F(ThelpTest, EachMember_ChecksItsArgumentsInOrder) {
    EVENT event{};
    s_file_spec spec{};
    struct Case {
        const char *why;
        std::function<void()> call;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"open needs a specification", [] { vko_help_open_helpfile(nullptr, 0); },
         "vkov_help_open_helpfile", 0x210000},
        {"open", [&] { vko_help_open_helpfile(&spec, 4); }, "vkov_help_open_helpfile", 0},
        {"close a dead handle", [&] { vko_help_close_helpfile(dead()); },
         "vkov_help_close_helpfile", 0x1220001},
        {"close a null handle", [] { vko_help_close_helpfile(nullptr); },
         "vkov_help_close_helpfile", 0x1220001},
        {"display topic 0", [&] { vko_help_display_topic(live(), 0); }, "vkov_help_display_topic",
         0x210000},
        {"display a topic", [&] { vko_help_display_topic(live(), 1090); },
         "vkov_help_display_topic", 0},
        {"the handle before the topic", [&] { vko_help_display_topic(dead(), 0); },
         "vkov_help_display_topic", 0x1220001},
        {"menu association of the whole application",
         [&] { vko_help_set_menu_assoc(live(), nullptr, 5, 7, 0); }, "vkov_help_set_menu_assoc", 0},
        {"menu association with tag 0", [&] { vko_help_set_menu_assoc(live(), nullptr, 0, 7, 0); },
         "vkov_help_set_menu_assoc", 0x1250001},
        {"menu association of a freed window, before its tag",
         [&] { vko_help_set_menu_assoc(live(), window(Win::Freed), 0, 7, 0); },
         "vkov_help_set_menu_assoc", 0x1220002},
        {"menu topic needs a window", [&] { vko_help_get_menu_assoc(live(), nullptr, 5); },
         "vkov_help_get_menu_assoc", 0x210000},
        {"menu topic of a negative tag",
         [&] { vko_help_get_menu_assoc(live(), window(Win::Doc), -1); }, "vkov_help_get_menu_assoc",
         0x1250001},
        {"window association needs a window",
         [&] { vko_help_set_win_assoc(live(), nullptr, 5, 0); }, "vkov_help_set_win_assoc",
         0x1210002},
        {"window topic of a freed window",
         [&] { vko_help_get_win_assoc(live(), window(Win::Freed)); }, "vkov_help_get_win_assoc",
         0x1220002},
        {"whole window without a resource id",
         [&] { vko_help_assoc_all(live(), window(Win::Doc), 0, nullptr); }, "vkov_help_assoc_all",
         0x210000},
        {"whole window", [&] { vko_help_assoc_all(live(), window(Win::Doc), 1010, nullptr); },
         "vkov_help_assoc_all", 0},
        {"remove a null window's associations", [&] { vko_help_disassoc_all(live(), nullptr); },
         "vkov_help_disassoc_all", 0x1210002},
        {"object click without a window", [&] { vko_help_begin_objclick(live(), nullptr, 0); },
         "vkov_help_begin_objclick", 0},
        {"object click on a freed window",
         [&] { vko_help_begin_objclick(live(), window(Win::Freed), 0); },
         "vkov_help_begin_objclick", 0x1220002},
        {"end object click of a dead handle", [&] { vko_help_end_objclick(dead()); },
         "vkov_help_end_objclick", 0x1220001},
        {"an event needs its window", [&] { vko_help_process_event(live(), nullptr, &event); },
         "vkov_help_process_event", 0x1210002},
        {"an event needs the event",
         [&] { vko_help_process_event(live(), window(Win::Doc), nullptr); },
         "vkov_help_process_event", 0x210000},
        {"the flavour has no checks", [] { vko_help_get_flavor(); }, "vkov_help_get_flavor", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call();
        ExpectOutcome(c.code, c.target, c.code == 0);
    }
}

TEST_F(ThelpTest, Search_GivesTheModuleTheKeyAndNoWindow) {
    vko_help_search_topic(live(), window(Win::Doc), nullptr);
    const base_double::Call *call = base().LastCall("vkov_help_search_topic");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[1].value, 0) << "topic";
    ASSERT_TRUE(call->args[2].has_text);
    EXPECT_EQ(call->args[2].text, "") << "a null key is searched as the empty text";
    ExpectOutcome(0, "vkov_help_search_topic", true);
    vko_help_search_topic(dead(), nullptr, "word");
    ExpectOutcome(0x1220001, "vkov_help_search_topic", false);
}

TEST_F(ThelpTest, TimerCreate_ChecksWindowTypeThenInterval) {
    struct Case {
        const char *why;
        WINDOW win;
        std::int32_t interval;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"a document window", window(Win::Doc), 100, 0},
        {"the task window", window(Win::Task), 0, 0},
        {"a modeless dialog", base().MakeWindow(0, W_MODELESS), 100, 0},
        {"no window", window(Win::Null), 100, 0x1210002},
        {"a freed window", window(Win::Freed), 100, 0x1220002},
        {"a text edit counts as type 23", window(Win::TextEdit), 100, 0x1220002},
        {"a control", window(Win::ListBox), 100, 0x1220002},
        {"a negative interval", window(Win::Doc), -1, 0x1250001},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkov_timer_create", 12);
        EXPECT_EQ(vko_timer_create(c.win, c.interval), c.code == 0 ? 12 : -1);
        ExpectOutcome(c.code, "vkov_timer_create", c.code == 0);
    }
    vko_timer_destroy(12);
    ExpectOutcome(0, "vkov_timer_destroy", true);
}

} // namespace
