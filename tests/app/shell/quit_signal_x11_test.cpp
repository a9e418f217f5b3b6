// quit_signal_x11_test.cpp: SIGTERM ends TavlinCD while one of its questions waits for an
// answer, as File > Exit ends it, without waiting for the question. TavlinCD runs on a private
// Xvfb on a slice of the demo dictionary; a bookmark is added through the menu keys while a
// folder takes the bookmark file's name, so that it cannot be saved, and File > Exit asks
// whether to end without it. SIGTERM then ends the program at once (asking Cancel, the
// question's answer to a close, kept it open and asked again), and what is on the disk is
// left as it was. On a bare server and under openbox, which frames, places and focuses the
// program's boxes itself.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <string>

#include "onscreen_program.h"

namespace {

Window TopWindow(onscreen::Session& s, const std::string& title)
{
    for (const auto& [window, name] : s.TopWindows())
        if (name == title)
            return window;
    return 0;
}

// Whether the program still runs; once it ended, its exit status in *status.
bool Running(onscreen::Session& s, int* status)
{
    int raw = 0;
    if (s.program <= 0 || waitpid(s.program, &raw, WNOHANG) == 0)
        return s.program > 0;
    *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    s.program = -1; // reaped: the session has nothing to stop
    return false;
}

// A key with Alt held.
void AltKey(Display* dpy, KeySym sym)
{
    const KeyCode alt = XKeysymToKeycode(dpy, XK_Alt_L);
    const KeyCode code = XKeysymToKeycode(dpy, sym);
    XTestFakeKeyEvent(dpy, alt, True, CurrentTime);
    XTestFakeKeyEvent(dpy, code, True, CurrentTime);
    XTestFakeKeyEvent(dpy, code, False, CurrentTime);
    XTestFakeKeyEvent(dpy, alt, False, CurrentTime);
    XFlush(dpy);
}

void EndsTheProgramWhileAQuestionWaits(onscreen::Session::Manager manager)
{
    onscreen::Session s({"dog", "cat"}, {}, manager);
    if (s.missing)
        GTEST_SKIP() << s.why;
    ASSERT_EQ(s.why, "");
    const std::string bookmarks = s.folder + "/BookMark.kq";

    ASSERT_TRUE(s.Type("dog")) << "the field did not show dog";
    const double returned = onscreen::Now();
    s.Key(XK_Return);
    s.Settle(0, 0.1, [&](const std::vector<onscreen::Damage>& drawn) {
        const double ended = s.SearchEnded(returned);
        return ended > 0 && onscreen::LastDrawn(drawn, s.entryPane) > ended;
    });
    ASSERT_FALSE(s.timedOut) << "dog was not shown";

    // Bookmarks > Add Bookmark > Main Level, while the file cannot be written: a warning.
    std::filesystem::remove_all(bookmarks);
    std::filesystem::create_directories(bookmarks + "/in");
    AltKey(s.dpy, XK_b);
    s.Key(XK_a);
    s.Key(XK_Return);
    ASSERT_TRUE(vkotest::wait_until([&] { return TopWindow(s, "Warning") != 0; },
                                    onscreen::Session::kDeadline))
        << "no warning that the bookmark could not be saved";
    ASSERT_TRUE(s.ManagerCaughtUp()) << "the window manager did not answer";
    s.Key(XK_Return);
    ASSERT_TRUE(vkotest::wait_until([&] { return TopWindow(s, "Warning") == 0; },
                                    onscreen::Session::kDeadline))
        << "the warning did not close on Return";

    // File > Exit asks whether to end without the bookmark.
    AltKey(s.dpy, XK_f);
    s.Key(XK_x);
    ASSERT_TRUE(vkotest::wait_until([&] { return TopWindow(s, "Question") != 0; },
                                    onscreen::Session::kDeadline))
        << "Exit did not ask about the bookmark it cannot save";

    int status = -2;
    ASSERT_EQ(kill(s.program, SIGTERM), 0);
    ASSERT_TRUE(vkotest::wait_until([&] { return !Running(s, &status); },
                                    onscreen::Session::kDeadline))
        << "the program did not end on SIGTERM with a question up";
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(std::filesystem::exists(bookmarks + "/in")) << "the folder is left as it was";
    for (const auto& entry : std::filesystem::directory_iterator(s.folder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "BookMark.kq" || name.rfind("BookMark", 0) != 0)
            << name << ": nothing left beside the bookmark file";
    }
}

TEST(QuitSignalX11, EndsTheProgramWhileAQuestionWaits)
{
    EndsTheProgramWhileAQuestionWaits(onscreen::Session::Manager::kNone);
}

TEST(QuitSignalX11, UnderOpenbox)
{
    EndsTheProgramWhileAQuestionWaits(onscreen::Session::Manager::kOpenbox);
}

} // namespace
