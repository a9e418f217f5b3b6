// idle_x11_test.cpp: TavlinCD sleeps while nothing happens. The program runs on a private Xvfb
// on a slice of the demo dictionary with its main window open and the keys in the search field;
// once everything is drawn, its main thread's voluntary context switches (each sleep it was
// woken from) are counted over two seconds in which nothing is typed. A loop that looks at the
// clock every few milliseconds wakes hundreds of times in that span; one that sleeps until
// input or the next timer, when no timer is due, hardly at all.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "onscreen_program.h"

namespace {

TEST(IdleX11, TheProgramSleepsWhileNothingHappens)
{
    onscreen::Session s({"cat"});
    if (s.missing)
        GTEST_SKIP() << s.why;
    ASSERT_EQ(s.why, "");
    // A look-up first, so that its timers have come and gone: the count begins once the search
    // has ended and the entry pane was drawn after it, and then nothing was drawn for a while.
    ASSERT_TRUE(s.Type("cat")) << "the field did not show cat";
    const double returned = onscreen::Now();
    s.Key(XK_Return);
    s.Settle(0, 0.5, [&](const std::vector<onscreen::Damage>& so_far) {
        const double ended = s.SearchEnded(returned);
        return ended > 0 && onscreen::LastDrawn(so_far, s.entryPane) > ended;
    });
    ASSERT_FALSE(s.timedOut) << "the search for cat was not shown";
    const long before = s.WakeUps();
    ASSERT_GE(before, 0);
    s.Settle(2, 2);
    const long woken = s.WakeUps() - before;
    // Generous: a few wakes for whatever the server or the window manager may still send.
    EXPECT_LE(woken, 20) << "the program woke " << woken << " times in two idle seconds";
}

} // namespace
