// dm_box_test.cpp: the standard dialogs of the program's own look, each driven by synthetic
// input to each of its answers: buttons clicked, Enter, Escape and the close box; the string
// prompt's field and the drawing-tools choices; a dialog nobody answers is closed with its
// cancel answer. The test's hook gets each dialog as it opens and posts the input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "vkobase/ctl.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace {

// The input one dialog gets: a function of the dialog window.
std::function<void(WINDOW)> &script() {
    static std::function<void(WINDOW)> s;
    return s;
}
std::string &last_kind() {
    static std::string k;
    return k;
}

void hook(WINDOW dialog, const char *kind, void *) {
    last_kind() = kind;
    if (const char *dir = std::getenv("VKO_GALLERY_DIR")) {
        vkok_app_process_pending_events(); // drawn once before the picture
        vkov_debug_surface_write_png(dialog, (std::string(dir) + "/" + kind + ".png").c_str());
    }
    if (script())
        script()(dialog);
}

void post(WINDOW win, EVENT ev) {
    vkov_test_post_event(win, &ev);
}

void key(std::uint16_t ch, bool virt = false) {
    EVENT ev{};
    ev.type = E_CHAR;
    ev.v.chr.ch = ch;
    ev.v.chr.virt = virt ? 1 : 0;
    post(vkok_scr_get_focus_vobj(), ev);
}

// Buttons have the ids 1, 2, 3; the other controls 100 and on.
void click(WINDOW dialog, std::int16_t id) {
    WINDOW ctl = vkok_win_get_ctl(dialog, id);
    ASSERT_NE(ctl, nullptr) << "control " << id;
    EVENT ev{};
    ev.type = E_MOUSE_DOWN;
    ev.v.mouse.where = s_pnt{5, 5};
    post(ctl, ev);
    ev.type = E_MOUSE_UP;
    post(ctl, ev);
}

void close_box(WINDOW dialog) {
    EVENT ev{};
    ev.type = E_CLOSE;
    post(dialog, ev);
}

void enter(WINDOW) {
    key(13);
}
void escape(WINDOW) {
    key(27);
}

class DmBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        vkov_dm_test_set_box_hook(hook, nullptr);
        script() = nullptr;
        last_kind().clear();
    }
    void TearDown() override {
        script() = nullptr;
        vkov_test_reset_all();
    }
    // Every dialog is gone once it answered.
    static void expect_no_dialog_left() {
        EXPECT_EQ(vkov_test_live_count(VKO_LIVE_WINDOW), 1) << "only the screen";
    }
};

std::int32_t ask(const char *b1, const char *b2, const char *b3, const char *format, ...) {
    va_list args;
    va_start(args, format);
    const std::int32_t r = vkov_dm_post_ask(b1, b2, b3, format, args);
    va_end(args);
    return r;
}

void post_text(void (*post_fn)(const char *, va_list), const char *format, ...) {
    va_list args;
    va_start(args, format);
    post_fn(format, args);
    va_end(args);
}

TEST_F(DmBoxTest, AskAnswersEachButtonEnterEscapeAndTheCloseBox) {
    struct Buttons {
        const char *first, *second, *third;
    };
    const Buttons three{"Save", "Discard", "Cancel"};
    const Buttons two{"Save", "Discard", nullptr};
    // Cancel first: it is the default, and Escape answers it rather than the last button.
    const Buttons cancelFirst{"Cancel", "Delete All", nullptr};
    struct Case {
        const char *why;
        Buttons buttons;
        std::function<void(WINDOW)> input;
        std::int32_t answer;
    };
    const Case cases[] = {
        {"the first button", three, [](WINDOW d) { click(d, 1); }, 0},
        {"the second button", three, [](WINDOW d) { click(d, 2); }, 1},
        {"the third button", three, [](WINDOW d) { click(d, 3); }, 2},
        {"Enter presses the first, the default", three, enter, 0},
        {"Escape presses Cancel, the last", three, escape, 2},
        {"the close box answers as Cancel", three, close_box, 2},
        {"Escape with two buttons and no Cancel: the last", two, escape, 1},
        {"Escape answers a Cancel that is not the last", cancelFirst, escape, 0},
        {"so does the close box", cancelFirst, close_box, 0},
        {"Enter the first, Cancel as the default", cancelFirst, enter, 0},
        {"the other button still answers", cancelFirst, [](WINDOW d) { click(d, 2); }, 1},
        {"nobody answers: closed with Cancel's answer", three, nullptr, 2},
        {"nobody answers a Cancel first: Cancel's answer", cancelFirst, nullptr, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        script() = c.input;
        EXPECT_EQ(ask(c.buttons.first, c.buttons.second, c.buttons.third, "%s changed; save?", "Doc"),
                  c.answer);
        EXPECT_EQ(last_kind(), "ask");
        expect_no_dialog_left();
    }
    // A scripted answer still comes without a window.
    script() = [](WINDOW) { ADD_FAILURE() << "no window for a scripted answer"; };
    vkov_dm_test_push_answer(1, nullptr, 0);
    EXPECT_EQ(ask("Yes", "No", nullptr, "%s", "Sure?"), 1);
}

TEST_F(DmBoxTest, MessageBoxesCloseWithOkEnterOrEscape) {
    const std::function<void(WINDOW)> inputs[] = {[](WINDOW d) { click(d, 1); }, enter, escape,
                                                  close_box};
    for (const auto &input : inputs) {
        script() = input;
        post_text(vkov_dm_post_note, "%d entries found.", 12);
        EXPECT_EQ(last_kind(), "note");
        expect_no_dialog_left();
    }
    script() = enter;
    for (auto post_fn : {vkov_dm_post_message, vkov_dm_post_warning, vkov_dm_post_error}) {
        last_kind().clear();
        post_text(post_fn, "%s", "A message long enough to be wrapped onto a second line of the "
                                 "box, and a third one maybe, if the box is narrow enough.");
        EXPECT_FALSE(last_kind().empty());
        expect_no_dialog_left();
    }
    script() = enter;
    vkov_dm_post_about_box();
    EXPECT_EQ(last_kind(), "about_box");
    expect_no_dialog_left();
}

TEST_F(DmBoxTest, StringPromptAnswersTheTextOrNull) {
    struct Case {
        const char *why;
        const char *start;
        std::function<void(WINDOW)> input;
        const char *answer; // null: cancelled
    };
    const Case cases[] = {
        {"typed text and Enter", "", [](WINDOW) { key('a'); key('b'); key('c'); key(13); }, "abc"},
        {"the starting text kept with OK", "start", [](WINDOW d) { click(d, 1); }, "start"},
        {"Cancel", "start", [](WINDOW d) { click(d, 2); }, nullptr},
        {"Escape", "", [](WINDOW) { key('x'); key(27); }, nullptr},
        {"the text is cut to the buffer", "",
         [](WINDOW) { for (char ch : std::string("abcdefghij")) key(static_cast<std::uint16_t>(ch)); key(13); },
         "abcdefg"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        script() = c.input;
        char buf[8] = {};
        std::strncpy(buf, c.start, sizeof buf - 1);
        char *r = vkov_dm_post_string_prompt("Name of the new folder:", buf, sizeof buf);
        if (c.answer == nullptr) {
            EXPECT_EQ(r, nullptr);
        } else {
            ASSERT_EQ(r, buf);
            EXPECT_STREQ(buf, c.answer);
        }
        expect_no_dialog_left();
    }
}

TEST_F(DmBoxTest, DrawingToolsChooserSetsTheChosenTools) {
    s_drawct tools{};
    vkov_app_get_default_ctools(&tools);
    tools.pen.width = 2;
    // Dashed line, shapes not filled, opaque text; then OK.
    script() = [](WINDOW d) {
        click(d, 103);
        click(d, 104);
        click(d, 105);
        click(d, 1);
    };
    ASSERT_TRUE(vkov_dm_post_ctools_sel(&tools, 1));
    EXPECT_EQ(tools.pen.width, 2);
    EXPECT_EQ(tools.pen.style, P_DASH);
    EXPECT_EQ(tools.brush.pat, PAT_HOLLOW);
    EXPECT_EQ(tools.opaque_text, TRUE);
    // Cancel changes nothing.
    const s_drawct before = tools;
    script() = [](WINDOW d) {
        click(d, 101);
        click(d, 2);
    };
    EXPECT_FALSE(vkov_dm_post_ctools_sel(&tools, 1));
    EXPECT_EQ(tools.pen.style, before.pen.style);
    EXPECT_EQ(tools.brush.pat, before.brush.pat);
    expect_no_dialog_left();
}

} // namespace
