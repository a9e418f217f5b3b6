// display_uncover_x11_test.cpp: where something that lay over a window goes away, the screen
// shows what the window holds now, not what was there when the other thing came. Under a private
// Xvfb without backing store, two ways. A second window of the program shrinks and closes over
// the main window, whose picture changed underneath: the program paints the parts left bare of
// its own accord. A window of another client lies over the main window's menu bar and client
// area while the picture changes, then goes: only the server's exposure tells the program which
// part to paint again, and nothing else of the program draws after it.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "xvfb_fixture.h"

namespace {

constexpr s_rct kMainRect{100, 100, 400, 500};
// The second window over the lower part of the main window, and the part of it that it
// shrinks to (screen coordinates).
constexpr s_rct kOverRect{300, 200, 380, 400};
constexpr s_rct kShrunkRect{300, 200, 340, 400};
constexpr COLOR kRed = 0x00FF0000u;
constexpr COLOR kGreen = 0x0000FF00u;
constexpr COLOR kBlue = 0x000000FFu;

// All down the middle of the second window's first place (screen points).
constexpr int kMiddle = (kOverRect.left + kOverRect.right) / 2;

// What the screen shows: both windows up; the main window's new picture with the second window
// shrunk; the second window gone.
const std::vector<vkotest::ScreenPixel> kOpened = {
    {"the second window in front", kMiddle, kShrunkRect.top + 20, 0x0000FFu},
    {"the main window's first picture", kMiddle, kOverRect.top - 20, 0xFF0000u},
};
const std::vector<vkotest::ScreenPixel> kBefore = {
    {"the second window in front", kMiddle, kShrunkRect.top + 20, 0x0000FFu},
    {"the main window's new picture above it", kMiddle, kOverRect.top - 20, 0x00FF00u},
    {"the part the second window left when it shrank", kMiddle, kShrunkRect.bottom + 20, 0x00FF00u},
};
const std::vector<vkotest::ScreenPixel> kAfter = {
    {"the place of the closed window", kMiddle, kShrunkRect.top + 20, 0x00FF00u},
};

struct Child {
    std::string before_png; // the second window up
    std::string after_png;  // and gone
    WINDOW over = nullptr;
    COLOR fill = kRed;
    int step = 0;
    vkotest::StepClock clock{60}; // past it a step goes on and the checks tell
};

Child &child() {
    static Child c;
    return c;
}

// Whether the screen shows the pixels (a screenshot into png), or the step has waited too long.
bool shown_or_late(const std::string &png, const std::vector<vkotest::ScreenPixel> &pixels) {
    return vkotest::screen_shows_all(png, pixels) || child().clock.stalled(child().step);
}

// One step per tick, each once the screen shows what the one before did: open the second
// window; change the main window's picture under it and shrink the second window; look and
// close the second window; look again and end.
int32_t main_handler(WINDOW win, EVENT *ev) {
    Child &c = child();
    if (ev->type == E_UPDATE) {
        vkotest::fill_client(win, c.fill);
    } else if (ev->type == E_TIMER) {
        if (c.step == 0) {
            c.over = vkok_win_create(W_PLAIN, &kOverRect, "Over", 0, NULL_WIN, 0,
                                     VKO_EVENT_MASK_ALL, vkotest::filled_with<kBlue>, 0);
            c.step = 1;
        } else if (c.step == 1 && shown_or_late(c.before_png, kOpened)) {
            c.fill = kGreen;
            vkok_dwin_invalidate_rect(win, nullptr);
            vkok_vobj_move(c.over, &kShrunkRect);
            c.step = 2;
        } else if (c.step == 2 && shown_or_late(c.before_png, kBefore)) {
            vkok_vobj_destroy(c.over);
            c.step = 3;
        } else if (c.step == 3 && shown_or_late(c.after_png, kAfter)) {
            vkov_app_destroy();
            c.step = 4;
        }
    }
    return 0;
}

using DisplayUncoverX11 = vkotest::XvfbTest;

TEST_F(DisplayUncoverX11, ClosedWindowUncoversTheCurrentPicture) {
    child().before_png = file("before.png");
    child().after_png = file("after.png");
    ASSERT_EQ(vkotest::run_main_window_in_child(display(), kMainRect, main_handler, 300), 0);

    const vkotest::Shot before(child().before_png), after(child().after_png);
    ASSERT_EQ(before.status(), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(after.status(), CAIRO_STATUS_SUCCESS);
    vkotest::expect_shows(before, kBefore);
    vkotest::expect_shows(after, kAfter);
}

// The second way: a main window with a menu bar, and two windows of another client laid over
// it: one over part of its bar and of its client area, reaching above the window onto the
// desktop, and one inside its client area (screen coordinates; the bar lies above the client
// area). Where the server asks for the pixels back is then in the X window's coordinates, bar
// included, and the program must find that place on its surface.
constexpr s_rct kBarredRect{150, 100, 450, 500};
constexpr int kBarHeight = 20; // the menu bar's strip
const std::vector<s_rct> kCoverRects = {{120, 200, 250, 300}, {300, 320, 400, 460}};
constexpr unsigned long kCoverPixel = 0x0000FFul; // blue on the 24-bit TrueColor screen

// Screen points: in the covers, over the bar and over the client area, and of the client area
// around them.
constexpr int kOnBar = kBarredRect.top - kBarHeight / 2;
const std::vector<vkotest::ScreenPixel> kFirstPicture = {
    {"the main window's first picture where the first cover will lie", 250, 200, 0xFF0000u},
    {"the main window's first picture where the second cover will lie", 390, 350, 0xFF0000u},
};
const std::vector<vkotest::ScreenPixel> kCovered = {
    {"the first cover over the menu bar", 250, kOnBar, 0x0000FFu},
    {"the first cover over the client area", 250, 200, 0x0000FFu},
    {"the second cover", 390, 350, 0x0000FFu},
};
const std::vector<vkotest::ScreenPixel> kNewAroundCovers = {
    {"the first cover still over the menu bar", 250, kOnBar, 0x0000FFu},
    {"the first cover still over the client area", 250, 200, 0x0000FFu},
    {"the second cover still there", 390, 350, 0x0000FFu},
    {"the new picture beside the first cover", 150, 200, 0x00FF00u},
    {"the new picture between the covers", 310, 280, 0x00FF00u},
    {"the new picture below the second cover", 390, 420, 0x00FF00u},
};

// The pixels where the covers lay over the main window that differ from what the window draws
// there: its menu bar as it was drawn before the covers came (`drawn`), its client area in the
// new picture's colour.
struct WrongPixels {
    int count = 0;
    int x = 0, y = 0; // the first one
    std::uint32_t shown = 0, drawn = 0;
};

WrongPixels wrong_in_uncovered(cairo_surface_t *now, cairo_surface_t *drawn) {
    WrongPixels wrong;
    for (const s_rct &cover : kCoverRects)
        for (int y = std::max<int>(cover.top, kBarredRect.top - kBarHeight); y < cover.bottom; ++y)
            for (int x = cover.left; x < cover.right; ++x) {
                const std::uint32_t want =
                    y < kBarredRect.top ? vkotest::pixel(drawn, x, y) : 0x00FF00u;
                const std::uint32_t shown = vkotest::pixel(now, x, y);
                if (shown != want && wrong.count++ == 0) {
                    wrong.x = x;
                    wrong.y = y;
                    wrong.shown = shown;
                    wrong.drawn = want;
                }
            }
    return wrong;
}

std::string describe(const WrongPixels &wrong) {
    std::ostringstream text;
    text << wrong.count << " pixels where the covers lay differ from what the window draws; the "
         << "first at " << wrong.x << "," << wrong.y << std::hex << std::setfill('0') << " shows "
         << std::setw(6) << wrong.shown << " where the window draws " << std::setw(6)
         << wrong.drawn;
    return text.str();
}

struct Foreign {
    std::string drawn_png;     // the main window drawn, nothing over it
    std::string covered_png;   // the covers over it, the new picture around them
    std::string uncovered_png; // the covers gone
    Display *cover = nullptr;  // the other client, whose windows are the covers
    COLOR fill = kRed;
    int step = 0;
    vkotest::StepClock clock{60}; // past it a step goes on and the checks tell
};

Foreign &foreign() {
    static Foreign f;
    return f;
}

bool foreign_shown_or_late(const std::string &png,
                           const std::vector<vkotest::ScreenPixel> &pixels) {
    return vkotest::screen_shows_all(png, pixels) || foreign().clock.stalled(foreign().step);
}

// Another client lays its windows over the main window: override-redirect, so that they stay
// where they are put.
Display *lay_covers() {
    Display *dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr)
        return nullptr;
    XSetWindowAttributes attrs{};
    attrs.background_pixel = kCoverPixel;
    attrs.override_redirect = True;
    for (const s_rct &r : kCoverRects) {
        const Window w = XCreateWindow(
            dpy, DefaultRootWindow(dpy), r.left, r.top, static_cast<unsigned>(r.right - r.left),
            static_cast<unsigned>(r.bottom - r.top), 0, CopyFromParent, InputOutput, CopyFromParent,
            CWBackPixel | CWOverrideRedirect, &attrs);
        XMapRaised(dpy, w);
    }
    XSync(dpy, False);
    return dpy;
}

// One step per tick, each once the screen shows what the one before did: the first picture
// shows (its screenshot is kept), lay the covers; they show, change the picture under them; the
// new picture shows around them, the other client ends and its windows go; the places they left
// show the new picture and the bar, end. Nothing of the program draws after the covers go.
int32_t barred_handler(WINDOW win, EVENT *ev) {
    Foreign &f = foreign();
    if (ev->type == E_UPDATE) {
        vkotest::fill_client(win, f.fill);
    } else if (ev->type == E_TIMER) {
        if (f.step == 0 && foreign_shown_or_late(f.drawn_png, kFirstPicture)) {
            f.cover = lay_covers();
            f.step = 1;
        } else if (f.step == 1 && foreign_shown_or_late(f.covered_png, kCovered)) {
            f.fill = kGreen;
            vkok_dwin_invalidate_rect(win, nullptr);
            f.step = 2;
        } else if (f.step == 2 && foreign_shown_or_late(f.covered_png, kNewAroundCovers)) {
            if (f.cover != nullptr)
                XCloseDisplay(f.cover);
            f.cover = nullptr;
            f.step = 3;
        } else if (f.step == 3) {
            const vkotest::Shot drawn(f.drawn_png);
            const bool shown =
                vkotest::screen_shows(f.uncovered_png, [&drawn](cairo_surface_t *now) {
                    return wrong_in_uncovered(now, drawn.image()).count == 0;
                });
            if (shown || f.clock.stalled(f.step)) {
                vkov_app_destroy();
                f.step = 4;
            }
        }
    }
    return 0;
}

int32_t barred_task_handler(WINDOW, EVENT *ev) {
    if (ev->type != E_CREATE)
        return 0;
    vkov_res_register_text("uncover",
                           "menu 1 {\n  popup \"&File\" {\n    item 100 \"Item\"\n  }\n}\n");
    WINDOW main = vkok_win_create(W_DOC, &kBarredRect, "Main", 1, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                                  barred_handler, 0);
    vkov_timer_create(main, 100);
    return 0;
}

TEST_F(DisplayUncoverX11, AnotherClientsWindowsGoneShowTheCurrentPicture) {
    Foreign &f = foreign();
    f.drawn_png = file("drawn.png");
    f.covered_png = file("covered.png");
    f.uncovered_png = file("uncovered.png");
    ASSERT_EQ(vkotest::run_in_child(display(), barred_task_handler), 0);

    const vkotest::Shot drawn(f.drawn_png), covered(f.covered_png), uncovered(f.uncovered_png);
    ASSERT_EQ(drawn.status(), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(covered.status(), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(uncovered.status(), CAIRO_STATUS_SUCCESS);
    vkotest::expect_shows(drawn, kFirstPicture);
    // The places were really covered, and the new picture drawn while they were.
    vkotest::expect_shows(covered, kNewAroundCovers);
    const WrongPixels wrong = wrong_in_uncovered(uncovered.image(), drawn.image());
    EXPECT_EQ(wrong.count, 0) << describe(wrong);
}

} // namespace
