// Tests of the kernel and user services: the module file name, the error mode, character
// stepping, help requests, and window lookup and client-to-screen over the base library's
// window records.
#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>

#include "vkobase/str.h"
#include "vkobase/testing.h"
#include "vkobase/win.h"
#include "win32/kernel.h"
#include "win32/testing.h"
#include "win32/user.h"

namespace {

class Win32Test : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        win32_test_reset();
    }
    void TearDown() override {
        win32_test_reset();
        vkov_test_reset_all();
    }
};

TEST_F(Win32Test, ModuleFileName_IsTheRunningProgramCutToFit) {
    char expected[PATH_MAX] = {};
    ASSERT_GT(readlink("/proc/self/exe", expected, sizeof expected - 1), 0);
    const DWORD full = static_cast<DWORD>(std::strlen(expected));

    char buf[PATH_MAX];
    EXPECT_EQ(GetModuleFileNameA(nullptr, buf, sizeof buf), full);
    EXPECT_STREQ(buf, expected);

    char small[6];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, 5), 5u) << "a cut path answers the size";
    EXPECT_EQ(std::string(small), std::string(expected, 4));
    EXPECT_EQ(small[5], '#') << "nothing written past the size";
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, 0), 0u);

    EXPECT_EQ(SetErrorMode(SEM_FAILCRITICALERRORS), 0u);
    EXPECT_EQ(SetErrorMode(0), SEM_FAILCRITICALERRORS) << "answers the previous mode";
}

TEST_F(Win32Test, CharSteppingFollowsTheBaseLibrarysCharacters) {
    vkov_str_test_set_lead_bytes("\x81\x9f");
    const char text[] = "a\x81\x5c"
                        "b";
    struct Case {
        const char *why;
        int pos;
        int next;
        int prev;
    };
    const Case cases[] = {
        {"single byte", 0, 1, 0},
        {"double byte whose trail is a backslash", 1, 3, 0},
        {"after the double byte", 3, 4, 1},
        {"terminator", 4, 4, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(CharNextA(text + c.pos), text + c.next);
        EXPECT_EQ(CharPrevA(text, text + c.pos), text + c.prev);
    }
}

TEST_F(Win32Test, WinHelp_RecordsEachRequestWithItsKeyText) {
    char key[] = "thesaurus";
    EXPECT_TRUE(WinHelpA(nullptr, "/disc/TavlinCD.hlp", HELP_CONTEXT, 1234));
    EXPECT_TRUE(
        WinHelpA(nullptr, "/disc/TavlinCD.hlp", HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(key)));
    std::strcpy(key, "changed");
    EXPECT_TRUE(WinHelpA(nullptr, nullptr, HELP_QUIT, 0));
    EXPECT_FALSE(WinHelpA(nullptr, nullptr, HELP_CONTENTS, 0)) << "a topic needs a file";

    ASSERT_EQ(win32_test_help_count(), 3);
    EXPECT_STREQ(win32_test_help_file(0), "/disc/TavlinCD.hlp");
    EXPECT_EQ(win32_test_help_command(0), HELP_CONTEXT);
    EXPECT_EQ(win32_test_help_data(0), 1234u);
    EXPECT_EQ(win32_test_help_key(0), nullptr);
    EXPECT_STREQ(win32_test_help_key(1), "thesaurus") << "the key text was copied";
    EXPECT_EQ(win32_test_help_file(2), nullptr);
    EXPECT_EQ(win32_test_help_command(2), HELP_QUIT);
    win32_test_reset();
    EXPECT_EQ(win32_test_help_count(), 0);
}

TEST_F(Win32Test, WindowFromPointAndClientToScreenAgree) {
    const s_rct top_rct{100, 50, 300, 250};
    WINDOW top =
        vkok_win_create(W_PLAIN, &top_rct, "top", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
    ASSERT_NE(top, nullptr);
    const s_rct child_rct{10, 20, 60, 80};
    WINDOW child =
        vkok_win_create(W_SUBWIN, &child_rct, "child", 0, top, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
    ASSERT_NE(child, nullptr);

    POINT p{5, 5};
    ASSERT_TRUE(ClientToScreen(reinterpret_cast<HWND>(child), &p));
    EXPECT_EQ(p.x, 50 + 20 + 5);
    EXPECT_EQ(p.y, 100 + 10 + 5);
    EXPECT_EQ(WindowFromPoint(p), reinterpret_cast<HWND>(child));
    POINT in_top{50 + 150, 100 + 150};
    EXPECT_EQ(WindowFromPoint(in_top), reinterpret_cast<HWND>(top));
    POINT outside{5, 5};
    HWND screen = WindowFromPoint(outside);
    EXPECT_NE(screen, nullptr);
    EXPECT_NE(screen, reinterpret_cast<HWND>(top));

    int not_a_window = 0;
    POINT q{1, 1};
    EXPECT_FALSE(ClientToScreen(reinterpret_cast<HWND>(&not_a_window), &q));
    EXPECT_FALSE(ClientToScreen(nullptr, &q));
    EXPECT_EQ(q.x, 1) << "a refused conversion leaves the point";
}

} // namespace
