// closing_box_x11_test.cpp: the box that tells of damage TavlinCD cannot go on with, and ends
// it once answered, is read before it goes. TavlinCD runs on a private Xvfb on a slice of the
// demo dictionary; after a first look-up its index file is cut short, and a word and Return are
// typed through XTest at the pace of a quick and of a slow typist (the slow one with the pointer
// off the program's windows): the first letter's type-ahead meets the damage and opens the box,
// and the rest of the word and the Return, typed while it appears, must not close it. Once the
// program has taken the Return in, the box is still on the screen, above the main window; a
// click on its OK, or a Return pressed once it has been up a second, ends the program. On a bare
// server and under openbox, which frames, places and focuses the box itself.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <string>

#include "onscreen_program.h"

#include <X11/Xatom.h>

namespace {

// The message box's place and size in the program's own look.
constexpr int kBoxMargin = 12;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 26;

// The X window of the viewable top-level window titled title, or 0.
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

// Types text and Return, gapMs apart, each key held briefly. The server keeps the pace
// (XTest's delays), whatever the test and the program are doing meanwhile; returns once the
// server has taken every key.
void TypeAtPace(Display* dpy, const std::string& text, unsigned gapMs)
{
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const KeySym sym = i < text.size() ? static_cast<KeySym>(text[i]) : XK_Return;
        const KeyCode code = XKeysymToKeycode(dpy, sym);
        XTestFakeKeyEvent(dpy, code, True, i == 0 ? CurrentTime : gapMs);
        XTestFakeKeyEvent(dpy, code, False, 5);
    }
    XSync(dpy, False);
}

// The server's time now: an empty change of a property of the observer's own window comes back
// with it.
Time ServerTime(Display* dpy, Window own)
{
    XChangeProperty(dpy, own, XA_INTEGER, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
    XEvent changed{};
    XWindowEvent(dpy, own, PropertyChangeMask, &changed);
    return changed.xproperty.time;
}

// A point of the screen outside every window shown, the screen's corner when none is free.
s_pnt OffTheWindows(onscreen::Session& s)
{
    for (const s_pnt at : {s_pnt{760, 1016}, s_pnt{760, 8}, s_pnt{8, 1016}, s_pnt{8, 8}}) {
        bool free = true;
        for (const auto& [window, name] : s.TopWindows()) {
            const s_rct r = s.ScreenArea(vkotest::top_of(s.dpy, window));
            free = free && !(at.v >= r.top && at.v < r.bottom && at.h >= r.left && at.h < r.right);
        }
        if (free)
            return at;
    }
    return s_pnt{767, 1023};
}

void KeysTypedAsItAppearsDoNotCloseIt(onscreen::Session::Manager manager)
{
    struct Typist {
        unsigned gapMs;
        bool pointerOff;   // the pointer rests off the program's windows while the keys come
        bool answersByKey; // Return once the box has been up a second, else a click on OK
    };
    for (const Typist typist :
         {Typist{10, false, false}, Typist{100, true, false}, Typist{100, true, true}}) {
        SCOPED_TRACE("keys " + std::to_string(typist.gapMs) + " ms apart" +
                     (typist.pointerOff ? ", the pointer off the windows" : "") +
                     (typist.answersByKey ? ", answered by Return" : ", answered by a click"));
        onscreen::Session s({"dog", "house", "horse", "cat"}, {}, manager);
        if (s.missing)
            GTEST_SKIP() << s.why;
        ASSERT_EQ(s.why, "");

        // A first look-up, shown.
        ASSERT_TRUE(s.Type("dog")) << "the field did not show dog";
        const double returned = onscreen::Now();
        s.Key(XK_Return);
        s.Settle(0, 0.1, [&](const std::vector<onscreen::Damage>& drawn) {
            const double ended = s.SearchEnded(returned);
            return ended > 0 && onscreen::LastDrawn(drawn, s.entryPane) > ended;
        });
        ASSERT_FALSE(s.timedOut) << "dog was not shown";
        s.Key(XK_Escape); // back to the field, empty
        s.Settle(0, 0.1);

        // The index is cut under the running program: what "h" lists lies past its end.
        std::filesystem::resize_file(s.folder + "/data/demo.ndx", 0);
        s.Sync();
        if (typist.pointerOff) {
            const s_pnt off = OffTheWindows(s);
            XTestFakeMotionEvent(s.dpy, -1, off.h, off.v, CurrentTime);
        }
        TypeAtPace(s.dpy, "house", typist.gapMs);

        int status = 0;
        Window box = 0;
        ASSERT_TRUE(vkotest::wait_until([&] {
            box = TopWindow(s, "Error");
            return box != 0 || !Running(s, &status);
        }, onscreen::Session::kDeadline)) << "no box";
        ASSERT_NE(box, Window{0}) << "the program ended (status " << status
                                  << ") before its box could be read";
        const Window own =
            XCreateSimpleWindow(s.dpy, DefaultRootWindow(s.dpy), -10, -10, 1, 1, 0, 0, 0);
        XSelectInput(s.dpy, own, PropertyChangeMask);
        const Time seen = ServerTime(s.dpy, own); // the box was shown before

        // The program has read every key typed once it draws a part of the box again that an
        // expose sent after them asks for (it reads the server's events in order, and handles
        // the keys read before it draws). The part is one nothing else draws alone. On a busy
        // machine the box's first drawing may still be due and take the part in: then the part
        // is asked for again, until a drawing of that part alone answers it.
        XDamageCreate(s.dpy, box, XDamageReportRawRectangles);
        const auto askForThePart = [&] {
            XEvent expose{};
            expose.xexpose.type = Expose;
            expose.xexpose.window = box;
            expose.xexpose.x = 5;
            expose.xexpose.y = 7;
            expose.xexpose.width = 3;
            expose.xexpose.height = 2;
            XSendEvent(s.dpy, box, False, ExposureMask, &expose);
            XSync(s.dpy, False);
        };
        askForThePart();
        bool redrawn = false;
        ASSERT_TRUE(vkotest::wait_until([&] {
            bool drewItWithMore = false;
            while (XPending(s.dpy) > 0) {
                XEvent event;
                XNextEvent(s.dpy, &event);
                if (event.type != s.damageEvent + XDamageNotify)
                    continue;
                const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                if (damage.drawable != box)
                    continue;
                const XRectangle& a = damage.area;
                if (a.x == 5 && a.y == 7 && a.width == 3 && a.height == 2)
                    redrawn = true;
                else if (a.x <= 5 && a.y <= 7 && a.x + a.width >= 8 && a.y + a.height >= 9)
                    drewItWithMore = true;
            }
            if (!redrawn && drewItWithMore)
                askForThePart();
            return redrawn || !Running(s, &status);
        }, onscreen::Session::kDeadline)) << "the box was not drawn again";
        ASSERT_TRUE(redrawn) << "the keys typed as the box appeared closed it: the program ended "
                                "(status " << status << ")";
        XWindowAttributes a{};
        ASSERT_NE(XGetWindowAttributes(s.dpy, box, &a), 0);
        EXPECT_EQ(a.map_state, IsViewable) << "the box is still on the screen";
        ASSERT_NE(TopWindow(s, "Error"), Window{0});
        EXPECT_TRUE(vkotest::above(s.dpy, box, s.main)) << "the box lies behind the main window";

        // A click on OK, where the box really is, or a Return pressed once it has been up a
        // second (by the server's time) answers it: the program ends as the engine ends on
        // damage.
        ASSERT_TRUE(s.ManagerCaughtUp()) << "the window manager did not answer";
        if (typist.answersByKey) {
            const auto upMs = [&] {
                return static_cast<std::uint32_t>(ServerTime(s.dpy, own) - seen);
            };
            ASSERT_TRUE(vkotest::wait_until([&] { return upMs() > 1000; },
                                            onscreen::Session::kDeadline));
            s.Key(XK_Return);
        } else {
            const s_rct placed = s.ScreenArea(box);
            s.Click(s_pnt{static_cast<std::int16_t>(placed.bottom - kBoxMargin - kButtonHeight / 2),
                          static_cast<std::int16_t>(placed.right - kBoxMargin - kButtonWidth / 2)});
        }
        ASSERT_TRUE(vkotest::wait_until([&] { return !Running(s, &status); },
                                        onscreen::Session::kDeadline))
            << (typist.answersByKey ? "a Return a second after the box appeared"
                                    : "a click on OK")
            << " did not end the program";
        EXPECT_EQ(status, 255);
    }
}

TEST(ClosingBoxX11, KeysTypedAsItAppearsDoNotCloseItAClickDoes)
{
    KeysTypedAsItAppearsDoNotCloseIt(onscreen::Session::Manager::kNone);
}

TEST(ClosingBoxX11, UnderOpenbox)
{
    KeysTypedAsItAppearsDoNotCloseIt(onscreen::Session::Manager::kOpenbox);
}

} // namespace
