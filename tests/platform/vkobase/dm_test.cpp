// Tests of the standard dialogs in test mode: every text recorded, answers taken from the
// script in order, defaults when it runs dry, and the fatal exit as an exception.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vkobase/dm.h"
#include "vkobase/testing.h"

namespace {

class DmTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    void TearDown() override { vkov_test_reset_all(); }

    static void note(const char *format, ...) {
        va_list args;
        va_start(args, format);
        vkov_dm_post_note(format, args);
        va_end(args);
    }
    static int32_t ask(const char *b1, const char *b2, const char *b3, const char *format, ...) {
        va_list args;
        va_start(args, format);
        const int32_t answer = vkov_dm_post_ask(b1, b2, b3, format, args);
        va_end(args);
        return answer;
    }
    static void fatal(const char *format, ...) {
        va_list args;
        va_start(args, format);
        try {
            vkov_dm_post_fatal_exit(format, args);
        } catch (...) {
            va_end(args);
            throw;
        }
        va_end(args);
    }
    static std::string shown(int32_t i) {
        const char *kind = vkov_dm_test_kind(i);
        const char *text = vkov_dm_test_text(i);
        return kind == nullptr ? "<none>" : std::string(kind) + ":" + text;
    }
};

TEST_F(DmTest, ScriptAnswersInOrderThenDefaults) {
    vkov_dm_test_push_answer(1, nullptr, 0);
    vkov_dm_test_push_answer(2, "/data/disc/main.dct", 0);
    vkov_dm_test_push_answer(1, "typed text that is long", 0);

    note("Command (%ld) not handled in dependent window %s", 7L, "Main");
    EXPECT_EQ(ask("Save", "Discard", "Cancel", "%s", "Document has changed"), 1);
    s_file_spec spec{};
    std::strcpy(spec.name, "old");
    EXPECT_EQ(vkov_dm_post_file_open(&spec, "Select a file to open:"), 2);
    EXPECT_STREQ(spec.dir.path, "/data/disc");
    EXPECT_STREQ(spec.name, "main.dct");
    char buf[8] = "init";
    EXPECT_EQ(vkov_dm_post_string_prompt("Word:", buf, sizeof buf), buf);
    EXPECT_STREQ(buf, "typed t") << "cut to the buffer";

    // The script is empty now: every dialog gives its default.
    EXPECT_EQ(ask("Yes", "No", nullptr, "again?"), 0);
    EXPECT_EQ(vkov_dm_post_file_save(&spec, "Save as:"), 1);
    EXPECT_STREQ(spec.name, "main.dct") << "a cancelled prompt leaves the file specification";
    EXPECT_EQ(vkov_dm_post_string_prompt("Word:", buf, sizeof buf), nullptr);
    COLOR color = 5;
    EXPECT_FALSE(vkov_dm_post_color_sel(&color, nullptr));
    EXPECT_EQ(color, 5u);

    const std::string expected[] = {
        "note:Command (7) not handled in dependent window Main",
        "ask:Document has changed|Save|Discard|Cancel",
        "file_open:Select a file to open:",
        "string_prompt:Word:",
        "ask:again?|Yes|No|",
        "file_save:Save as:",
        "string_prompt:Word:",
        "color_sel:",
    };
    ASSERT_EQ(vkov_dm_test_count(), static_cast<int32_t>(std::size(expected)));
    for (int32_t i = 0; i < vkov_dm_test_count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shown(i), expected[i]);
    }
    EXPECT_EQ(shown(99), "<none>");
}

TEST_F(DmTest, SelectionsConfirmWithScriptedValues) {
    struct Case {
        const char *why;
        int32_t result;
        bool confirmed;
    };
    const Case cases[] = {{"confirmed", 1, true}, {"cancelled", 0, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkov_dm_test_push_answer(c.result, nullptr, 0x00FF0000u);
        COLOR color = 0;
        EXPECT_EQ(vkov_dm_post_color_sel(&color, nullptr) != FALSE, c.confirmed);
        EXPECT_EQ(color, c.confirmed ? 0x00FF0000u : 0u);
        vkov_dm_test_push_answer(c.result, nullptr, 0);
        s_dir dir{};
        EXPECT_EQ(vkov_dm_post_dir_sel(&dir, "Pick"), c.result);
    }
    vkov_dm_test_push_answer(2, "/x/y", 0);
    s_dir dir{};
    EXPECT_EQ(vkov_dm_post_dir_sel(&dir, "Pick"), 2);
    EXPECT_STREQ(dir.path, "/x/y");
}

TEST_F(DmTest, FatalExitThrowsWithItsMessageInTests) {
    try {
        fatal("Vko-Frame++ Error: #%ld, File:%s, Line:%d", 2300L, "cswtchbr", 57);
        FAIL() << "a fatal exit returned";
    } catch (const vkobase::FatalExit &e) {
        EXPECT_STREQ(e.what(), "Vko-Frame++ Error: #2300, File:cswtchbr, Line:57");
    }
    EXPECT_EQ(shown(0), "fatal_exit:Vko-Frame++ Error: #2300, File:cswtchbr, Line:57");
}

} // namespace
