// display_wm_x11_test.cpp: the program's windows on a desktop, under a private Xvfb with no
// window manager and under openbox. A small program opens two main windows at the same
// frame, runs a modal dialog over them, a pop-up menu of the first window (under openbox once a
// click brought that window to the front, which must stay in front of the second while its
// menu is open, until the program brings the second forward) and a drop-down list, and reads what a
// window manager reads of each window (type, transient-for, modal state, class, process,
// input, icon, group, size hints, the functions its frame offers) through a second connection,
// as xprop does. The dialog runs
// modal over the second window; a click lands on that window, then one on the first: the
// dialog must stay on top of both and answer Escape, and it takes the size the program gives
// it. The task window must never show. The program logs what it
// saw; the test compares the log.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <cairo.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/display_internal.h"
#include "../../../platform/vkobase/src/menu_internal.h"
#include "../../../platform/vkobase/src/window_internal.h"
#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "wm_test_support.h"
#include "xtest_hand.h"
#include "xvfb_fixture.h"

namespace {

constexpr s_rct kMainRect{100, 100, 400, 500};
constexpr s_rct kDialogRect{150, 300, 300, 600};
// The dialog as the program makes it larger while it runs.
constexpr s_rct kDialogGrown{150, 300, 350, 700};
constexpr std::uint32_t kSizable = 0x0001u;
// A list button in the second window (its client coordinates).
constexpr s_rct kPickRect{20, 20, 160, 200};
// The attribute that names the icon's image resource, and the image: red and blue pixels.
constexpr std::int32_t kAttrAppIcon = 10030;
constexpr std::int32_t kIconId = 77;
constexpr char kIconXpm[] = "/* XPM */\nstatic char *icon[] = {\n\"4 2 2 1\",\n\"r c #FF0000\",\n"
                            "\"b c #0000FF\",\n\"rrbb\",\n\"bbrr\"};\n";

// After what the user or the program did (a click, a key, a resize): whether the window manager
// has handled it and the program's loop has read what the manager did then. The loop reads
// the server between two ticks: done() holds at the first tick after the manager answered.
struct Settled {
    vkotest::ManagerRoundTrip round;
    bool started = false;
    bool answered = false;
    void start(Display *dpy, bool wm) {
        started = true;
        answered = !wm;
        if (wm)
            round.start(dpy);
    }
    bool done(Display *dpy) {
        if (answered)
            return true;
        answered = round.done(dpy);
        return false;
    }
};

struct Child {
    std::string shot;
    bool wm = false;
    Display *probe = nullptr; // reads the windows' properties as another client
    WINDOW main = nullptr;
    WINDOW second = nullptr;
    WINDOW dialog = nullptr;
    int step = 0;
    vkotest::StepClock clock; // a step that waits too long stops the run
    // How long a step waits for what it checks; past it the step logs what it saw.
    vkotest::StepClock patience{30};
    Settled settled;
    Window leader = 0; // the group leader the first window named
    bool activated = false; // a main window heard it is the active one
};

Child &child() {
    static Child c;
    return c;
}

using vkotest::log;

Window xwin(WINDOW win) {
    return static_cast<Window>(vkobase::display_xwindow_of(win));
}

// Shown, and under a window manager framed by it.
bool ready(WINDOW win) {
    return vkotest::shown_and_framed(child().probe, xwin(win), child().wm);
}

std::string join(const std::vector<std::string> &names) {
    std::string out;
    for (const std::string &n : names)
        out += (out.empty() ? "" : ",") + n;
    return out;
}

// What a window manager reads of the window, as one line.
std::string describe(const char *name, WINDOW win) {
    Display *dpy = child().probe;
    const Window w = xwin(win);
    std::string line = std::string(name) + " type=" +
                       join(vkotest::atom_names(dpy, w, "_NET_WM_WINDOW_TYPE"));
    Window owner = 0;
    if (XGetTransientForHint(dpy, w, &owner) != 0)
        line += std::string(" transient=") +
                (owner == xwin(child().main)         ? "main"
                 : owner == xwin(child().second)     ? "second"
                 : owner == DefaultRootWindow(dpy) ? "group"
                                                     : "other");
    const std::vector<std::string> states = vkotest::atom_names(dpy, w, "_NET_WM_STATE");
    for (const std::string &s : states)
        if (s == "_NET_WM_STATE_MODAL")
            line += " modal";
    XClassHint hint{};
    if (XGetClassHint(dpy, w, &hint) != 0) {
        line += std::string(" class=") + hint.res_name + "/" + hint.res_class;
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    const std::vector<unsigned long> pid = vkotest::cardinals(dpy, w, "_NET_WM_PID");
    line += pid.size() == 1 && pid[0] == static_cast<unsigned long>(getpid()) ? " pid" : " no-pid";
    Window group = 0;
    if (XWMHints *hints = XGetWMHints(dpy, w)) {
        if ((hints->flags & InputHint) != 0 && hints->input)
            line += " input";
        if ((hints->flags & WindowGroupHint) != 0)
            group = hints->window_group;
        XFree(hints);
    }
    // One group for all the program's windows, whose leader is also their client leader.
    const std::vector<unsigned long> leader = vkotest::cardinals(dpy, w, "WM_CLIENT_LEADER");
    if (child().leader == 0)
        child().leader = group;
    if (group != 0 && group == child().leader && leader.size() == 1 && leader[0] == group)
        line += " group";
    const std::vector<unsigned long> icon = vkotest::cardinals(dpy, w, "_NET_WM_ICON");
    if (icon.size() >= 3) {
        char text[64];
        // Xlib hands 32-bit values over as longs, sign-extended.
        std::snprintf(text, sizeof text, " icon=%lux%lu:%08lx", icon[0], icon[1],
                      icon[2] & 0xFFFFFFFFul);
        line += text;
    }
    XSizeHints size{};
    long supplied = 0;
    if (XGetWMNormalHints(dpy, w, &size, &supplied) != 0 && (size.flags & PMaxSize) != 0 &&
        size.min_width == size.max_width && size.min_height == size.max_height)
        line += " fixed=" + std::to_string(size.max_width) + "x" + std::to_string(size.max_height);
    // The functions the window's frame offers, when the window names them (the Motif hints,
    // whose type is their own name).
    const std::vector<unsigned long> motif =
        vkotest::cardinals(dpy, w, "_MOTIF_WM_HINTS", XInternAtom(dpy, "_MOTIF_WM_HINTS", False));
    if (motif.size() >= 2 && (motif[0] & 1ul) != 0) {
        std::vector<std::string> offered;
        const std::pair<unsigned long, const char *> functions[] = {
            {1ul << 0, "all"},      {1ul << 1, "resize"},   {1ul << 2, "move"},
            {1ul << 3, "minimize"}, {1ul << 4, "maximize"}, {1ul << 5, "close"}};
        for (const auto &[bit, name] : functions)
            if ((motif[1] & bit) != 0)
                offered.emplace_back(name);
        line += " offers=" + join(offered);
    }
    return line;
}

// Windows of that title the server shows, at any depth (inside a window manager's frames too).
int shown_named(Display *dpy, Window parent, const char *title) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(dpy, parent, &root, &up, &children, &count) == 0)
        return 0;
    int found = 0;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(dpy, children[i], &a) == 0 || a.map_state != IsViewable)
            continue;
        char *name = nullptr;
        if (XFetchName(dpy, children[i], &name) != 0 && name != nullptr) {
            found += std::string(name) == title ? 1 : 0;
            XFree(name);
        }
        found += shown_named(dpy, children[i], title);
    }
    XFree(children);
    return found;
}

// The screen rectangle of a window's frame (its own, without a window manager): x, y, x end,
// y end.
std::array<int, 4> frame_of(Display *dpy, Window win) {
    const Window top = vkotest::top_of(dpy, win);
    XWindowAttributes a{};
    XGetWindowAttributes(dpy, top, &a);
    const auto at = vkotest::screen_origin(dpy, top);
    return {at.first, at.second, at.first + a.width, at.second + a.height};
}

// A point of the window on the screen that none of the others covers (its centre when all of
// it is covered).
std::pair<int, int> uncovered_point(Display *dpy, Window win, const std::vector<Window> &others) {
    const std::array<int, 4> own = frame_of(dpy, win);
    const auto origin = vkotest::screen_origin(dpy, win);
    XWindowAttributes a{};
    XGetWindowAttributes(dpy, win, &a);
    for (int y = origin.second + 10; y < origin.second + a.height; y += 10)
        for (int x = origin.first + 10; x < origin.first + a.width; x += 10) {
            bool covered = x >= own[2] || y >= own[3];
            for (Window other : others) {
                const std::array<int, 4> f = frame_of(dpy, other);
                covered = covered || (x >= f[0] && x < f[2] && y >= f[1] && y < f[3]);
            }
            if (!covered)
                return {x, y};
        }
    return {origin.first + a.width / 2, origin.second + a.height / 2};
}

s_pnt client_point(WINDOW win, int v, int h) {
    const s_pnt origin = vkobase::win_client_origin_on_screen(win);
    return s_pnt{static_cast<std::int16_t>(origin.v + v), static_cast<std::int16_t>(origin.h + h)};
}

// A main window hears when it becomes the active window (the event a window updates its menus
// on), also when the focus inside it stays where it was.
void note_activation(WINDOW win, const EVENT *ev) {
    if (ev->type == E_FOCUS && ev->v.focus.active && vkok_scr_get_focus_vobj() != win)
        child().activated = true;
}

int32_t second_handler(WINDOW win, EVENT *ev) {
    note_activation(win, ev);
    return 0;
}

int32_t dialog_handler(WINDOW win, EVENT *ev) {
    if (ev->type == E_CHAR && ev->v.chr.ch == 27) {
        log("the dialog answered Escape");
        vkok_vobj_destroy(win);
    }
    return 0;
}

s_mitem g_popup[] = {{}, {}};

// One step per tick; the dialog's and the pop-up's steps run in their own loops, inside the
// tick that opened them.
int32_t main_handler(WINDOW win, EVENT *ev) {
    Child &c = child();
    note_activation(win, ev);
    if (ev->type != E_TIMER)
        return 0;
    if (c.clock.stalled(c.step)) {
        log("stalled at step " + std::to_string(c.step));
        vkov_app_destroy();
        return 0;
    }
    Display *dpy = c.probe;
    switch (c.step) {
    case 0: {
        if (!ready(c.main) || !ready(c.second))
            return 0;
        log(describe("main", c.main));
        const auto m = vkotest::screen_origin(dpy, xwin(c.main));
        const auto s = vkotest::screen_origin(dpy, xwin(c.second));
        log(std::string("the second window covers the first: ") + (m == s ? "yes" : "no"));
        log("task windows shown: " + std::to_string(shown_named(dpy, DefaultRootWindow(dpy), "Task")));
        vkov_display_screenshot(c.shot.c_str());
        c.dialog = vkok_win_create(W_MODAL, &kDialogRect, "Dialog", 0, NULL_WIN, 0,
                                   VKO_EVENT_MASK_ALL, dialog_handler, 0);
        c.step = 1;
        vkok_win_process_modal(c.dialog);
        log("the modal loop ended");
        c.step = 4;
        return 0;
    }
    case 1:
        if (!ready(c.dialog))
            return 0;
        log(describe("dialog", c.dialog));
        {
            const s_pnt p = client_point(c.second, 20, 20);
            vkotest::XTestHand().click(p.h, p.v);
        }
        c.settled.start(dpy, c.wm);
        c.step = 2;
        return 0;
    case 2: {
        // Once the window manager has raised what it raises for the click; the program makes
        // the dialog larger, which a manager allows only once the dialog's size hints say so.
        if (!c.settled.done(dpy))
            return 0;
        vkok_vobj_move(c.dialog, &kDialogGrown);
        c.step = 20;
        return 0;
    }
    case 20: {
        XWindowAttributes a{};
        XGetWindowAttributes(dpy, xwin(c.dialog), &a);
        const bool grown = a.width == kDialogGrown.right - kDialogGrown.left &&
                           a.height == kDialogGrown.bottom - kDialogGrown.top;
        if (!grown && !c.patience.stalled(c.step))
            return 0;
        log(std::string("the dialog takes the size the program gives: ") + (grown ? "yes" : "no"));
        log(std::string("the dialog stays above the window it was opened over: ") +
            (vkotest::above(dpy, xwin(c.dialog), xwin(c.second)) ? "yes" : "no"));
        // The other main window, which the dialog holds up as well, where neither the dialog
        // nor the second window covers it.
        const auto at = uncovered_point(dpy, xwin(c.main), {xwin(c.second), xwin(c.dialog)});
        vkotest::XTestHand().click(at.first, at.second);
        c.settled.start(dpy, c.wm);
        c.step = 21;
        return 0;
    }
    case 21:
        if (!c.settled.done(dpy))
            return 0;
        log(std::string("after a click on the other main window the dialog stays above both: ") +
            (vkotest::above(dpy, xwin(c.dialog), xwin(c.main)) &&
                     vkotest::above(dpy, xwin(c.dialog), xwin(c.second))
                 ? "yes"
                 : "no"));
        c.activated = false;
        c.settled.started = false;
        vkotest::XTestHand().key(XK_Escape);
        c.step = 3;
        return 0;
    case 4: {
        // A window manager gives a main window the keyboard back, and with it the rank of
        // the active window.
        if (c.wm) {
            if (!c.activated && !c.patience.stalled(c.step))
                return 0;
            // Once the manager has done all it does at the dialog's end (it may hand the
            // keyboard on again), the user brings the first window, which the program made
            // first, to the front.
            if (!c.settled.started) {
                log(std::string("after the dialog a main window is active again: ") +
                    (c.activated ? "yes" : "no"));
                c.settled.start(dpy, true);
            }
            if (!c.settled.done(dpy))
                return 0;
            const auto at = uncovered_point(dpy, xwin(c.main), {xwin(c.second)});
            vkotest::XTestHand().click(at.first, at.second);
            c.step = 30;
            return 0;
        }
        c.step = 30;
        return 0;
    }
    case 30: {
        if (c.wm) {
            if (!vkotest::above(dpy, xwin(c.main), xwin(c.second)) &&
                !c.patience.stalled(c.step))
                return 0;
            log(std::string("a click brings the first window to the front: ") +
                (vkotest::above(dpy, xwin(c.main), xwin(c.second)) ? "yes" : "no"));
        }
        // The window in front opens a pop-up menu.
        g_popup[0].tag = 1;
        g_popup[0].text = const_cast<char *>("One");
        g_popup[0].enabled = 1;
        c.step = 5;
        c.settled.started = false;
        vkobase::menu::run_popup(g_popup, c.main, s_pnt{10, 10}, 0, 0);
        c.step = 7;
        return 0;
    }
    case 5:
        // Once the menu shows and the window manager has restacked what it restacks for it.
        if (vkobase::menu::level_count() == 0 ||
            !vkotest::shown_and_framed(dpy, xwin(vkobase::menu::level_window(0)), false))
            return 0;
        if (!c.settled.started)
            c.settled.start(dpy, c.wm);
        if (!c.settled.done(dpy))
            return 0;
        log("popup type=" + join(vkotest::atom_names(dpy, xwin(vkobase::menu::level_window(0)),
                                                     "_NET_WM_WINDOW_TYPE")));
        if (c.wm) {
            XSync(dpy, False);
            log(std::string("with its menu open the first window stays in front: ") +
                (vkotest::above(dpy, xwin(c.main), xwin(c.second)) &&
                         vkotest::above(dpy, xwin(vkobase::menu::level_window(0)),
                                        xwin(c.main))
                     ? "yes"
                     : "no"));
        }
        vkotest::XTestHand().key(XK_Escape);
        c.step = 6;
        return 0;
    case 7:
        // The program brings the second window forward (as Window > Next Window does), past
        // the one the user brought to the front.
        if (c.wm) {
            vkok_vobj_raise(c.second);
            c.step = 31;
            return 0;
        }
        c.step = 32;
        return 0;
    case 31:
        if (!vkotest::above(dpy, xwin(c.second), xwin(c.main)) && !c.patience.stalled(c.step))
            return 0;
        log(std::string("the program brings the second window to the front: ") +
            (vkotest::above(dpy, xwin(c.second), xwin(c.main)) ? "yes" : "no"));
        c.step = 32;
        return 0;
    case 32: { // the drop button of the list button
        const s_pnt p = client_point(c.second, kPickRect.top + 10, kPickRect.right - 8);
        vkotest::XTestHand().click(p.h, p.v);
        c.step = 8;
        return 0;
    }
    case 8: {
        WINDOW drop = vkov_win_get_pointer_trap();
        if (drop == nullptr || xwin(drop) == 0)
            return 0;
        log("drop-down type=" + join(vkotest::atom_names(dpy, xwin(drop), "_NET_WM_WINDOW_TYPE")));
        vkov_app_destroy();
        return 0;
    }
    default:
        return 0;
    }
}

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type != E_CREATE)
        return 0;
    Child &c = child();
    c.probe = XOpenDisplay(nullptr);
    std::string hex;
    for (const char *p = kIconXpm; *p != 0; ++p) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(*p));
        hex += two;
    }
    const std::string res = "image " + std::to_string(kIconId) + " hex \"" + hex + "\"\n";
    vkov_res_register_text("icon", res.c_str());
    vkov_vobj_set_attr(nullptr, kAttrAppIcon, kIconId);
    c.main = vkok_win_create(W_DOC, &kMainRect, "Main", 0, NULL_WIN, kSizable,
                             VKO_EVENT_MASK_ALL, main_handler, 0);
    c.second = vkok_win_create(W_DOC, &kMainRect, "Second", 0, NULL_WIN, kSizable,
                               VKO_EVENT_MASK_ALL, second_handler, 0);
    WINDOW pick = vkok_win_create(WC_LISTBUTTON, &kPickRect, "", 0, c.second, 0,
                                  VKO_EVENT_MASK_ALL, nullptr, 0);
    for (const char *item : {"one", "two", "three"})
        vkov_list_add(pick, -1, item);
    // Each main window's focus lies on a list button of its own, not on the window: a window
    // given the keyboard back hands it to that button, and still hears it is active.
    WINDOW main_pick = vkok_win_create(WC_LISTBUTTON, &kPickRect, "", 0, c.main, 0,
                                       VKO_EVENT_MASK_ALL, nullptr, 0);
    vkok_scr_set_focus_vobj(main_pick);
    vkok_scr_set_focus_vobj(pick);
    vkov_timer_create(c.main, 100);
    return 0;
}

void close_probe() {
    if (child().probe != nullptr)
        XCloseDisplay(child().probe);
}

// Runs the program on a private server, under openbox when asked; answers its log, or why the
// run was skipped in *skip.
std::vector<std::string> run_on_desktop(bool wm, std::string *skip, std::string *shot) {
    vkotest::Desktop desktop;
    if (std::string why = desktop.start(wm); !why.empty()) {
        *skip = why;
        return {};
    }
    const std::string dir = vkotest::make_scratch_dir("vko_wm_");
    vkotest::log_path() = dir + "/log.txt";
    child().shot = dir + "/shot.png";
    child().wm = wm;
    const pid_t pid = vkotest::fork_child();
    if (pid == 0)
        vkotest::run_program(desktop.display(), task_handler, close_probe, "WmTest");
    EXPECT_EQ(vkotest::wait_for(pid), 0);
    *shot = child().shot;
    return vkotest::read_lines(vkotest::log_path());
}

// What every window says of itself, with or without a window manager.
const char *const kMain = "main type=_NET_WM_WINDOW_TYPE_NORMAL class=wmtest/WmTest pid input "
                          "group icon=4x2:ffff0000";
// A modal dialog holds up every window of the program: it is transient for their group.
const char *const kDialog = "dialog type=_NET_WM_WINDOW_TYPE_DIALOG transient=group modal "
                            "class=wmtest/WmTest pid input group icon=4x2:ffff0000 fixed=300x150 "
                            "offers=move,close";

// Outside every window of the program, where the task window's frame lay: the bare root.
void expect_no_task_frame(const std::string &shot) {
    const vkotest::Shot image(shot);
    ASSERT_EQ(image.status(), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(image.pixel(1000, 740), 0x000000u);
}

// The same run with and without a window manager: only the second main window's place differs,
// since a manager places it beside the first.
void expect_desktop_run(bool under_wm) {
    std::string skip, shot;
    const std::vector<std::string> lines = run_on_desktop(under_wm, &skip, &shot);
    if (!skip.empty())
        GTEST_SKIP() << skip;
    std::vector<std::string> expected = {
        kMain,
        under_wm ? "the second window covers the first: no" : "the second window covers the first: yes",
        "task windows shown: 0",
        kDialog,
        "the dialog takes the size the program gives: yes",
        "the dialog stays above the window it was opened over: yes",
        "after a click on the other main window the dialog stays above both: yes",
        "the dialog answered Escape",
        "the modal loop ended",
        "popup type=_NET_WM_WINDOW_TYPE_POPUP_MENU",
        "drop-down type=_NET_WM_WINDOW_TYPE_COMBO",
    };
    if (under_wm) {
        expected.insert(expected.begin() + 9,
                        {"after the dialog a main window is active again: yes",
                         "a click brings the first window to the front: yes"});
        expected.insert(expected.begin() + 12,
                        {"with its menu open the first window stays in front: yes",
                         "the program brings the second window to the front: yes"});
    }
    EXPECT_EQ(lines, expected);
    expect_no_task_frame(shot);
}

// A second program: one main window with a menu bar and a list button, under openbox. It
// is made wider than the room right of it (as xdotool windowsize does), so that the manager
// moves it left as it resizes it, and opens its list where the server shows its button; then
// it is made taller than the room below it, so that the manager moves it up, and opens its
// File menu where the server shows its title. Each must open right under its button or
// title, as the screen shows. At the start its size hints must name the size it was laid out
// for as the least; at the end it is made smaller than that and must keep that size, until
// the program itself makes it smaller.
constexpr char kMenus[] = R"(
menu 1 {
  popup "&File" {
    item 32003 "&Close"
  }
}
)";
constexpr s_rct kMovedRect{100, 100, 400, 500};
constexpr int kWideWidth = 1000;
constexpr int kWideHeight = 500;
constexpr int kTallHeight = 700;
constexpr s_rct kSmallRect{100, 100, 250, 350};
// The faces of the menu bar and its menus.
constexpr std::uint32_t kMenuFace = 0xE4E4E4u;

struct Moved {
    Display *probe = nullptr;
    WINDOW main = nullptr;
    WINDOW pick = nullptr;
    std::string shot;
    int step = 0;
    vkotest::StepClock clock; // a step that waits too long stops the run
    // How long a step waits for what it checks; past it the step logs what it saw.
    vkotest::StepClock patience{30};
    Settled settled;
    int wide_top = 0; // the frame's top once the window was made wide
    int laid_width = 0, laid_height = 0; // the X window's size as the program laid it out
};

Moved &moved() {
    static Moved m;
    return m;
}

// Where the server shows a point of the window's client area: the X window's place on the
// screen below the menu bar's strip, not what the program thinks of it.
std::pair<int, int> shown_client_point(WINDOW win, int h, int v) {
    const auto at = vkotest::screen_origin(moved().probe, xwin(win));
    return {at.first + h, at.second + vkobase::menu::bar_height() + v};
}

int32_t moved_handler(WINDOW, EVENT *ev) {
    Moved &m = moved();
    if (ev->type != E_TIMER)
        return 0;
    if (m.clock.stalled(m.step)) {
        log("stalled at step " + std::to_string(m.step));
        vkov_app_destroy();
        return 0;
    }
    Display *dpy = m.probe;
    const Window w = xwin(m.main);
    XWindowAttributes a{};
    switch (m.step) {
    case 0: {
        if (!vkotest::shown_and_framed(dpy, w, true))
            return 0;
        XGetWindowAttributes(dpy, w, &a);
        m.laid_width = a.width;
        m.laid_height = a.height;
        XSizeHints hints{};
        long supplied = 0;
        const bool least = XGetWMNormalHints(dpy, w, &hints, &supplied) != 0 &&
                           (hints.flags & PMinSize) != 0 && hints.min_width == a.width &&
                           hints.min_height == a.height && (hints.flags & PMaxSize) == 0;
        log(std::string("the least size is the size it was laid out for: ") +
            (least ? "yes" : "no"));
        XResizeWindow(dpy, w, kWideWidth, kWideHeight);
        m.settled.start(dpy, true);
        m.step = 1;
        return 0;
    }
    case 1: {
        // Once the manager has moved the frame for the new size, and the server shows that
        // size and the program has taken it.
        XGetWindowAttributes(dpy, w, &a);
        if (!m.settled.done(dpy) || a.width != kWideWidth ||
            vkobase::win_client_rect(m.main).right != kWideWidth)
            return 0;
        const auto frame = frame_of(dpy, w);
        log(std::string("the manager moved the window left to fit it: ") +
            (frame[0] < kMovedRect.left ? "yes" : "no"));
        m.wide_top = frame[1];
        // The list button's drop button, where the server shows it.
        const auto at = shown_client_point(m.main, kPickRect.right - 8, kPickRect.top + 10);
        vkotest::XTestHand().click(at.first, at.second);
        m.step = 2;
        return 0;
    }
    case 2: {
        WINDOW drop = vkov_win_get_pointer_trap();
        if (drop == nullptr || xwin(drop) == 0 ||
            !vkotest::shown_and_framed(dpy, xwin(drop), false))
            return 0;
        const auto list = vkotest::screen_origin(dpy, xwin(drop));
        const auto button = shown_client_point(m.main, kPickRect.left, kPickRect.top);
        log(std::string("the list drops at the left of its button: ") +
            (std::abs(list.first - button.first) <= 2 ? "yes" : "no"));
        vkotest::XTestHand().key(XK_Escape);
        // Taller than the room below it: the manager moves it up.
        XResizeWindow(dpy, w, kWideWidth, kTallHeight);
        m.settled.start(dpy, true);
        m.step = 3;
        return 0;
    }
    case 3: {
        XGetWindowAttributes(dpy, w, &a);
        if (!m.settled.done(dpy) || vkov_win_get_pointer_trap() != nullptr ||
            a.height != kTallHeight ||
            vkobase::win_client_rect(m.main).bottom + vkobase::menu::bar_height() != kTallHeight)
            return 0;
        log(std::string("the manager moved the window up to fit it: ") +
            (frame_of(dpy, w)[1] < m.wide_top ? "yes" : "no"));
        // The File title as the program draws it, at the place the server shows the window.
        const s_pnt origin = vkobase::win_client_origin_on_screen(m.main);
        const s_rct title = vkobase::menu::title_rect(m.main, 0);
        const auto at = shown_client_point(m.main, (title.left + title.right) / 2 - origin.h,
                                           (title.top + title.bottom) / 2 - origin.v);
        vkotest::XTestHand().click(at.first, at.second);
        m.step = 4;
        return 0;
    }
    case 4: {
        if (vkobase::menu::level_count() == 0 ||
            !vkotest::shown_and_framed(dpy, xwin(vkobase::menu::level_window(0)), false))
            return 0;
        // Just below the bar, under the title's left end: the open menu's face, not the
        // window's white client area; once the screen shows it, or the step's patience ends.
        const s_pnt origin = vkobase::win_client_origin_on_screen(m.main);
        const s_rct title = vkobase::menu::title_rect(m.main, 0);
        const auto below = shown_client_point(m.main, title.left - origin.h + 6, 6);
        const auto face_below = [&below](cairo_surface_t *shot) {
            return vkotest::pixel(shot, below.first, below.second) == kMenuFace;
        };
        const bool opened = vkotest::screen_shows(m.shot, face_below);
        if (!opened && !m.patience.stalled(m.step))
            return 0;
        log(std::string("the File menu opens right under its title: ") + (opened ? "yes" : "no"));
        vkotest::XTestHand().key(XK_Escape);
        // Smaller than the window was laid out for: the manager keeps it at that size.
        XResizeWindow(dpy, w, 200, 150);
        m.settled.start(dpy, true);
        m.step = 5;
        return 0;
    }
    case 5:
        // Once the manager has handled the request: it kept the size, or gave the new one.
        if (!m.settled.done(dpy))
            return 0;
        XGetWindowAttributes(dpy, w, &a);
        log(std::string("made smaller, it keeps the size it was laid out for: ") +
            (a.width == m.laid_width && a.height == m.laid_height ? "yes" : "no"));
        // The program itself may still make it smaller.
        vkok_vobj_move(m.main, &kSmallRect);
        m.step = 6;
        return 0;
    case 6: {
        XGetWindowAttributes(dpy, w, &a);
        const int width = kSmallRect.right - kSmallRect.left;
        const int height = kSmallRect.bottom - kSmallRect.top + vkobase::menu::bar_height();
        const bool small = a.width == width && a.height == height;
        if (!small && !m.patience.stalled(m.step))
            return 0;
        log(std::string("the program makes it smaller: ") + (small ? "yes" : "no"));
        vkov_app_destroy();
        return 0;
    }
    default:
        return 0;
    }
}

int32_t moved_task_handler(WINDOW, EVENT *ev) {
    if (ev->type != E_CREATE)
        return 0;
    Moved &m = moved();
    m.probe = XOpenDisplay(nullptr);
    m.main = vkok_win_create(W_DOC, &kMovedRect, "Moved", 1, NULL_WIN, kSizable,
                             VKO_EVENT_MASK_ALL, moved_handler, 0);
    m.pick = vkok_win_create(WC_LISTBUTTON, &kPickRect, "", 0, m.main, 0, VKO_EVENT_MASK_ALL,
                             nullptr, 0);
    for (const char *item : {"one", "two", "three"})
        vkov_list_add(m.pick, -1, item);
    vkov_timer_create(m.main, 100);
    return 0;
}

void close_moved_probe() {
    if (moved().probe != nullptr)
        XCloseDisplay(moved().probe);
}

TEST(DisplayWmX11, WithoutAWindowManagerWindowsKeepTheirFramesAndTheDialogAnswers) {
    expect_desktop_run(false);
}

TEST(DisplayWmX11, UnderOpenboxWindowsAreManagedAsWhatTheyAre) {
    expect_desktop_run(true);
}

} // namespace

namespace {

TEST(DisplayWmX11, UnderOpenboxMenusOpenWhereTheManagerMovedTheWindow) {
    vkotest::Desktop desktop;
    if (std::string why = desktop.start(true); !why.empty())
        GTEST_SKIP() << why;
    const std::string dir = vkotest::make_scratch_dir("vko_wm_moved_");
    vkotest::log_path() = dir + "/log.txt";
    moved().shot = dir + "/shot.png";
    const pid_t pid = vkotest::fork_child();
    if (pid == 0) {
        vkov_res_register_text("menus", kMenus);
        vkotest::run_program(desktop.display(), moved_task_handler, close_moved_probe, "WmTest");
    }
    EXPECT_EQ(vkotest::wait_for(pid), 0);
    const std::vector<std::string> expected = {
        "the least size is the size it was laid out for: yes",
        "the manager moved the window left to fit it: yes",
        "the list drops at the left of its button: yes",
        "the manager moved the window up to fit it: yes",
        "the File menu opens right under its title: yes",
        "made smaller, it keeps the size it was laid out for: yes",
        "the program makes it smaller: yes",
    };
    EXPECT_EQ(vkotest::read_lines(vkotest::log_path()), expected);
}

} // namespace
