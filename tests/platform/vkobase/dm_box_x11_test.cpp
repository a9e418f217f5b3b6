// dm_box_x11_test.cpp: a message box takes the keyboard when it appears, with no window manager
// to give it: under a private Xvfb, with the pointer resting over the main window, Return typed
// through the XTest extension closes the box. Keys typed before the box appeared (a word and
// Return typed ahead, the box opened by its first letter) do not answer it, nor does a key
// that comes to a box that ends the program before the program knows when it was shown.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "vkobase/vkobase.h"
#include "xtest_hand.h"
#include "xvfb_fixture.h"

namespace {

constexpr s_rct kMainRect{100, 100, 400, 500};

struct Child {
    std::string log;
    WINDOW main = nullptr;
    int ticks = 0;
    bool box_open = false;
    // How long a box may stay open while Return is typed at it, from the first tick.
    vkotest::Deadline give_up{60};
};

Child &child() {
    static Child c;
    return c;
}

void note(const char *format, ...) {
    va_list args;
    va_start(args, format);
    vkov_dm_post_note(format, args);
    va_end(args);
}

// The first tick rests the pointer on the main window, away from the box, and opens the box;
// the ticks that come while it is open type Return. A box still open at the deadline ends the
// program.
int32_t main_handler(WINDOW, EVENT *ev) {
    Child &c = child();
    if (ev->type != E_TIMER)
        return 0;
    ++c.ticks;
    if (c.ticks == 1) {
        c.give_up = vkotest::Deadline(60);
        vkotest::XTestHand().move(kMainRect.left + 10, kMainRect.top + 10);
        c.box_open = true;
        note("%s", "No Entries Found!");
        c.box_open = false;
        vkotest::append_line(c.log, "closed at tick " + std::to_string(c.ticks));
        vkov_app_destroy();
    } else if (c.box_open && !c.give_up.passed()) {
        vkotest::XTestHand().key(XK_Return);
    } else if (c.give_up.passed()) {
        vkotest::append_line(c.log, "still open");
        _exit(3);
    }
    return 0;
}

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type == E_CREATE) {
        child().main = vkok_win_create(W_DOC, &kMainRect, "Main", 0, NULL_WIN, 0,
                                       VKO_EVENT_MASK_ALL, main_handler, 0);
        vkov_timer_create(child().main, 200);
    }
    return 0;
}

// Counts a tick of the main window; the first starts the time the test may take, and a tick
// past it ends the program, telling whether the box was still open.
void count_tick(bool box_open) {
    Child &c = child();
    if (++c.ticks == 1)
        c.give_up = vkotest::Deadline(60);
    else if (c.give_up.passed()) {
        vkotest::append_line(c.log, box_open ? "still open" : "never opened");
        _exit(3);
    }
}

// Types a word and Return over the main window; its first letter opens the box, the rest is
// typed while the program works on that letter. Once the box holds the keyboard (the program has read
// everything typed before), a Return typed then closes it.
struct TypedAhead {
    bool box_open = false;
    bool answered = false;
};

int32_t typed_ahead_handler(WINDOW, EVENT *ev) {
    Child &c = child();
    static TypedAhead t;
    if (ev->type == E_CHAR && ev->v.chr.ch == 'h' && !ev->v.chr.virt && !t.box_open) {
        // The rest of the word reaches the server while the program is busy with the first
        // letter, before the box is shown.
        vkotest::XTestHand hand;
        for (KeySym key : {XK_o, XK_u, XK_s, XK_e, XK_Return})
            hand.key(key);
        t.box_open = true;
        note("%s", "The dictionary file data/demo.ndx is damaged. TavlinCD must close.");
        t.box_open = false;
        vkotest::append_line(c.log, t.answered ? "closed by the Return typed to it"
                                               : "closed by the keys typed ahead");
        vkov_app_destroy();
        return 0;
    }
    if (ev->type != E_TIMER)
        return 0;
    count_tick(t.box_open);
    if (c.ticks == 1) {
        vkotest::XTestHand hand;
        hand.move(kMainRect.left + 10, kMainRect.top + 10);
        hand.key(XK_h);
    } else if (t.box_open && !t.answered) {
        Display *dpy = XOpenDisplay(nullptr);
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(dpy, &focus, &revert);
        XCloseDisplay(dpy);
        if (focus > PointerRoot) {
            t.answered = true;
            vkotest::XTestHand().key(XK_Return);
        }
    }
    return 0;
}

int32_t typed_ahead_task(WINDOW, EVENT *ev) {
    if (ev->type == E_CREATE) {
        child().main = vkok_win_create(W_DOC, &kMainRect, "Main", 0, NULL_WIN, 0,
                                       VKO_EVENT_MASK_ALL, typed_ahead_handler, 0);
        vkov_timer_create(child().main, 100);
    }
    return 0;
}

// A box that ends the program, and a Return that reaches the program after the server showed
// the box but before the program learnt the server's time of the showing (which it asks for
// once it reads that the box is shown): the key is not the box's answer. To put the key just
// there, the main window is resized before the box opens; the program reads that resize in
// the box's loop, after it asked the server to show the box, and its handler here waits until
// the server shows the box, then types Return: the key comes after the box's map notice and
// before the answer that carries the time. A Return typed once the box has been up a second
// answers it.
struct EarlyKey {
    enum Phase { kBefore, kResized, kTyped } phase = kBefore;
    bool box_open = false;
    vkotest::Deadline answer_at{0};
    bool answered = false;
};

EarlyKey &early() {
    static EarlyKey e;
    return e;
}

// The viewable top-level window of the server titled name, 0 when there is none.
Window shown_window(Display *dpy, const char *name) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) == 0)
        return 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        XWindowAttributes a{};
        char *title = nullptr;
        if (XGetWindowAttributes(dpy, children[i], &a) != 0 && a.map_state == IsViewable &&
            XFetchName(dpy, children[i], &title) != 0 && title != nullptr &&
            std::string(title) == name)
            found = children[i];
        if (title != nullptr)
            XFree(title);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

int32_t early_key_handler(WINDOW, EVENT *ev) {
    Child &c = child();
    EarlyKey &e = early();
    if (ev->type == E_SIZE && e.phase == EarlyKey::kResized) {
        e.phase = EarlyKey::kTyped;
        Display *dpy = XOpenDisplay(nullptr);
        const bool shown =
            vkotest::wait_until([dpy] { return shown_window(dpy, "Note") != 0; }, 30, 1);
        XCloseDisplay(dpy);
        if (!shown) {
            vkotest::append_line(c.log, "the box was not shown while the resize was read");
            _exit(3);
        }
        vkotest::XTestHand().key(XK_Return);
        e.answer_at = vkotest::Deadline(2);
        return 0;
    }
    if (ev->type != E_TIMER)
        return 0;
    count_tick(e.box_open);
    if (c.ticks == 1) {
        vkotest::XTestHand().move(kMainRect.left + 10, kMainRect.top + 10);
        vkov_dm_program_ending();
        Display *dpy = XOpenDisplay(nullptr);
        const Window main = shown_window(dpy, "Main");
        XResizeWindow(dpy, main, kMainRect.right - kMainRect.left + 20,
                      kMainRect.bottom - kMainRect.top);
        XSync(dpy, False);
        XCloseDisplay(dpy);
        e.phase = EarlyKey::kResized;
        e.box_open = true;
        note("%s", "The dictionary file data/demo.ndx is damaged. TavlinCD must close.");
        e.box_open = false;
        vkotest::append_line(c.log, e.answered ? "closed by the Return typed a second later"
                             : e.phase == EarlyKey::kTyped ? "closed by the Return typed as it was shown"
                                                           : "closed before the Return");
        vkov_app_destroy();
    } else if (e.box_open && e.phase == EarlyKey::kTyped && !e.answered && e.answer_at.passed()) {
        e.answered = true;
        vkotest::XTestHand().key(XK_Return);
    }
    return 0;
}

using DmBoxX11 = vkotest::XvfbTest;

TEST_F(DmBoxX11, MessageBoxTakesTheKeyboardAndReturnClosesIt) {
    child().log = file("log.txt");
    EXPECT_EQ(vkotest::run_in_child(display(), task_handler), 0);
    const std::vector<std::string> lines = vkotest::read_lines(child().log);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("closed"), std::string::npos) << lines[0];
}

} // namespace

namespace {

TEST_F(DmBoxX11, KeysTypedBeforeTheBoxAppearedDoNotAnswerIt) {
    child().log = file("log.txt");
    EXPECT_EQ(vkotest::run_in_child(display(), typed_ahead_task), 0);
    const std::vector<std::string> lines = vkotest::read_lines(child().log);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "closed by the Return typed to it");
}

} // namespace

namespace {

TEST_F(DmBoxX11, AKeyBeforeTheBoxThatEndsTheProgramKnowsItIsShownDoesNotAnswerIt) {
    child().log = file("log.txt");
    EXPECT_EQ(vkotest::run_main_window_in_child(display(), kMainRect, early_key_handler, 100), 0);
    const std::vector<std::string> lines = vkotest::read_lines(child().log);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "closed by the Return typed a second later");
}

} // namespace
