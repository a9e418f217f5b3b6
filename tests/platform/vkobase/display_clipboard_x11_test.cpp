// display_clipboard_x11_test.cpp: text another program copies while this one runs is offered
// for pasting at once, though the program asks the server nothing each time it looks (it
// looks whenever a window comes to the front, to enable Paste). The program starts as in a
// fresh session, where nobody owns the clipboard, and the window in front, which keeps the
// keys meanwhile, hears of the copy as of its coming to the front, to enable Paste again.
// Under a private Xvfb, with xclip as the other program.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "vkobase/vkobase.h"
#include "xvfb_fixture.h"

namespace {

constexpr s_rct kMainRect{100, 100, 300, 400};
constexpr char kCopied[] = "copied elsewhere";

struct Child {
    pid_t xclip = -1; // the other program, which copies
    int step = 0;
    bool told = false; // the window heard it is the active one after the copy
    vkotest::Deadline patience{60};
};

Child &child() {
    static Child c;
    return c;
}

bool offered() {
    return vkok_cb_has_format(CB_TEXT, nullptr) != FALSE;
}

void end() {
    if (child().xclip > 0) {
        kill(child().xclip, SIGTERM);
        waitpid(child().xclip, nullptr, 0);
    }
    vkov_app_destroy();
}

// One step per tick: look before anything is copied and have the other program copy; wait
// until the window hears it is the active one, then look (past the deadline the log tells
// what did not come), paste and end.
int32_t main_handler(WINDOW win, EVENT *ev) {
    Child &c = child();
    if (ev->type == E_FOCUS && ev->v.focus.active && c.step == 1)
        c.told = true;
    if (ev->type != E_TIMER)
        return 0;
    if (c.step == 0) {
        vkok_scr_set_focus_vobj(win);
        vkotest::log(std::string("before: ") + (offered() ? "offered" : "nothing"));
        c.xclip = vkotest::offer_with_xclip(std::getenv("DISPLAY"), kCopied);
        c.step = 1;
        return 0;
    }
    if (!c.told && !c.patience.passed())
        return 0;
    if (!offered()) {
        if (!c.patience.passed())
            return 0;
        vkotest::log(std::string("after: ") + (c.told ? "told, " : "") + "nothing");
        end();
        return 0;
    }
    if (!c.told)
        vkotest::log("after: not told");
    vkok_cb_open(FALSE);
    std::uint32_t size = 0;
    const char *data = static_cast<const char *>(vkok_cb_get_data(CB_TEXT, nullptr, &size));
    vkotest::log("after: pasted " + std::string(data != nullptr ? data : "", data != nullptr ? size : 0));
    vkok_cb_close();
    end();
    return 0;
}

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type == E_CREATE)
        vkotest::open_main_window(kMainRect, main_handler, 100);
    return 0;
}

using DisplayClipboardX11 = vkotest::XvfbTest;

TEST_F(DisplayClipboardX11, TextCopiedElsewhereWhileTheProgramRunsIsOffered) {
    if (vkotest::find_on_path("xclip").empty())
        GTEST_SKIP() << "xclip is not installed";
    vkotest::log_path() = file("log.txt");
    // No settings daemon or accessibility bus for GTK, which reads the clipboard.
    setenv("GSETTINGS_BACKEND", "memory", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    ASSERT_EQ(vkotest::run_in_child(display(), task_handler), 0);
    const std::vector<std::string> expected = {"before: nothing", std::string("after: pasted ") + kCopied};
    EXPECT_EQ(vkotest::read_lines(vkotest::log_path()), expected);
}

} // namespace
