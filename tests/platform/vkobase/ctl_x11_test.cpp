// ctl_x11_test.cpp: a dialog of native controls worked through a private Xvfb server with real
// pointer and key input (the XTest extension, as a user's hand would): a click on a check box,
// one on a list item, a click on an edit field typed into at once (the keys read before the
// click is handled are still the field's), Tab and Return; checked by the control events
// the dialog received, the controls' state and a screenshot. A list button's drop-down list
// reaches past the bottom of its dialog and takes a click there, and the keys typed over it,
// also while the dialog runs modally. The program runs in a child process, as in the display test.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <cairo.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/display_internal.h"
#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "xtest_hand.h"
#include "xvfb_fixture.h"

namespace {

// The dialog's client area on the screen, and its controls in its client coordinates.
constexpr s_rct kDialog{100, 100, 300, 400};
constexpr s_rct kEdit{10, 10, 32, 200};
constexpr s_rct kCheck{40, 10, 60, 200};
constexpr s_rct kList{70, 10, 150, 200};
constexpr s_rct kOk{160, 10, 185, 90};
constexpr s_rct kCancel{160, 100, 185, 190};
// A list button of ten items at the foot of a dialog: its list is taller than the room left.
constexpr s_rct kPick{170, 10, 192, 200};

struct Child {
    std::string log;
    std::string png;
    WINDOW dialog = nullptr;
    int ticks = 0;
    vkotest::Deadline patience{30}; // for the drawing a step checks, from the run's start
    bool modal = false; // the pick dialog runs its own modal loop
    bool wheel = false; // the pick dialog's script turns the wheel over its open list
};

Child &child() {
    static Child c;
    return c;
}

void log_line(const std::string &line) {
    vkotest::append_line(child().log, line);
}

// The user's hand, in the dialog's client coordinates (v, h) or the screen's. When it goes,
// the program takes in what it did (each of its calls waits for the server): the script's
// next tick sees the effect.
class Hand : public vkotest::XTestHand {
public:
    Hand() = default;
    Hand(const Hand &) = delete;
    Hand &operator=(const Hand &) = delete;
    ~Hand() { vkobase::display_catch_up(); }
    void click(int v, int h) { click_screen(kDialog.top + v, kDialog.left + h); }
    void click_screen(int v, int h) { XTestHand::click(h, v); }
    void move_screen(int v, int h) { move(h, v); }
    void click_drop_button() { click(kPick.top + 10, kPick.right - 8); }
};

int32_t dialog_handler(WINDOW win, EVENT *ev) {
    switch (ev->type) {
    case E_CONTROL: {
        const int id = ev->v.ctl.id;
        log_line("15 " + std::to_string(id) + " " + std::to_string(ev->v.ctl.ci.v.words.data1));
        // The handler decides what a click on the check box means: it turns the mark over.
        if (id == 20)
            vkok_ctl_set_checked(ev->v.ctl.ci.win, !vkok_ctl_is_checked(ev->v.ctl.ci.win));
        if (id == 1 || id == 2) {
            log_line(id == 1 ? "ok" : "cancel");
            vkov_app_destroy();
        }
        break;
    }
    case E_TIMER: {
        ++child().ticks;
        Hand hand;
        if (child().ticks == 1) {
            hand.click(kList.top + 25, kList.left + 40); // the second row
            hand.click(kCheck.top + 10, kCheck.left + 5);
        } else if (child().ticks == 2) {
            // With the check box holding the focus, a click in the field and the keys typed at
            // once, all read before the program handles the click: the keys are the field's.
            hand.click(kEdit.top + 10, kEdit.left + 100);
            hand.key(XK_a);
            hand.key(XK_space);
            hand.key(XK_b);
            hand.key(XK_Tab);
        } else if (child().ticks == 3) {
            // The screenshot once it shows the second row selected (or the time is up).
            if (!vkotest::screen_shows(child().png, [](cairo_surface_t *shot) {
                    return vkotest::pixel(shot, kDialog.left + kList.left + 150, kDialog.top + kList.top + 30) ==
                           0x000080u;
                }) && !child().patience.passed()) {
                child().ticks = 2;
                break;
            }
            char text[64] = {};
            vkok_vobj_get_title(vkok_win_get_ctl(win, 10), text, sizeof text);
            log_line(std::string("state ") +
                     std::to_string(vkok_ctl_is_checked(vkok_win_get_ctl(win, 20))) + " " +
                     std::to_string(vkok_list_get_sel_index(vkok_win_get_ctl(win, 30))) + " " +
                     text + " " + std::to_string(vkok_ctl_get_id(vkok_scr_get_focus_vobj())));
            log_line("shot");
            hand.key(XK_Return);
        } else if (child().patience.passed()) {
            vkov_app_destroy(); // the script stalled: end, and let the checks tell
        }
        break;
    }
    default:
        break;
    }
    return 0;
}

WINDOW make_dialog() {
    s_win_def def[7] = {};
    def[0].type = W_MODELESS;
    def[0].rct = kDialog;
    def[0].text = const_cast<char *>("Controls");
    auto entry = [&](int i, e_win_type type, s_rct rct, const char *text, int16_t id,
                     uint32_t flags) {
        def[i].type = type;
        def[i].rct = rct;
        def[i].text = const_cast<char *>(text);
        def[i].id = id;
        def[i].ctl_flags = flags;
    };
    entry(1, WC_EDIT, kEdit, "", 10, 0);
    entry(2, WC_CHECKBOX, kCheck, "Check", 20, 0);
    entry(3, WC_LBOX, kList, "", 30, 0);
    entry(4, WC_PUSHBUTTON, kOk, "OK", 1, VKO_CTL_DEFAULT);
    entry(5, WC_PUSHBUTTON, kCancel, "Cancel", 2, VKO_CTL_CANCEL);
    WINDOW dlg = vkok_win_create_def(def, NULL_WIN, VKO_EVENT_MASK_ALL, dialog_handler, 0);
    for (const char *item : {"first", "second", "third"})
        vkov_list_add(vkok_win_get_ctl(dlg, 30), -1, item);
    return dlg;
}

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type == E_CREATE) {
        child().patience = vkotest::Deadline(30);
        child().dialog = make_dialog();
        vkov_timer_create(child().dialog, 300);
    }
    return 0;
}

// The list the drop button opened; when none is open, says so and ends the run.
bool list_opened(WINDOW drop) {
    if (drop != nullptr)
        return true;
    log_line("no list");
    vkov_app_destroy();
    return false;
}

// A window's client area on the screen.
s_rct screen_rect(WINDOW win) {
    s_rct r{};
    vkok_vobj_get_client_rect(win, &r);
    s_pnt corners[2] = {{r.top, r.left}, {r.bottom, r.right}};
    vkok_vobj_translate_points(win, NULL_WIN, corners, 2);
    return s_rct{corners[0].v, corners[0].h, corners[1].v, corners[1].h};
}

int32_t pick_handler(WINDOW win, EVENT *ev) {
    if (ev->type == E_CONTROL)
        log_line("15 " + std::to_string(ev->v.ctl.id) + " " +
                 std::to_string(ev->v.ctl.ci.v.words.data1));
    if (ev->type != E_TIMER)
        return 0;
    ++child().ticks;
    Hand hand;
    WINDOW pick = vkok_win_get_ctl(win, 40);
    WINDOW drop = vkov_win_get_pointer_trap();
    switch (child().ticks) {
    case 1:
        hand.click_drop_button();
        break;
    case 2: {
        // The list open and its rows below the dialog drawn, then the screenshot (or the time
        // is up, and the checks tell).
        if (drop == nullptr && !child().patience.passed()) {
            child().ticks = 1;
            break;
        }
        if (!list_opened(drop))
            break;
        const s_rct r = screen_rect(drop);
        const int probe_x = r.right - 40, probe_y = kDialog.bottom + 10;
        if (!vkotest::screen_shows(child().png, [&](cairo_surface_t *shot) {
                return vkotest::pixel(shot, probe_x, probe_y) == 0xFFFFFFu;
            }) && !child().patience.passed()) {
            child().ticks = 1;
            break;
        }
        log_line(std::string("list ") +
                 (reinterpret_cast<intptr_t>(drop->parent) ==
                          vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WINDOW)
                      ? "on screen"
                      : "inside") +
                 (r.bottom > kDialog.bottom + 20 ? " past the dialog" : " within the dialog"));
        log_line("shot");
        log_line("probe " + std::to_string(probe_x) + " " + std::to_string(probe_y));
        hand.click_screen(r.bottom - 8, r.left + 20); // the last row in view, below the dialog
        break;
    }
    case 3:
        log_line("chosen " + std::to_string(vkok_list_get_sel_index(pick)) +
                 (drop == nullptr ? " closed" : " open"));
        hand.click_drop_button();
        break;
    case 4: { // keys typed with the pointer over the list work it
        log_line(drop != nullptr ? "open again" : "not open");
        if (drop != nullptr) {
            const s_rct r = screen_rect(drop);
            hand.move_screen(r.top + 5, r.left + 20); // over the first row: it lights up
        }
        hand.key(XK_Down);
        hand.key(XK_Down);
        hand.key(XK_Return);
        break;
    }
    case 5:
        log_line("keyed " + std::to_string(vkok_list_get_sel_index(pick)) +
                 (drop == nullptr ? " closed" : " open"));
        hand.click_drop_button();
        break;
    case 6:
        hand.click_screen(700, 1000); // nowhere near the program's windows
        break;
    default:
        log_line(drop == nullptr ? "closed by a click elsewhere" : "still open");
        vkov_app_destroy();
        break;
    }
    return 0;
}

// Whether the rows of the open list at r show other pixels than in the screenshot before.
bool rows_moved(const std::string &before_png, cairo_surface_t *after, const s_rct &r) {
    cairo_surface_t *before = cairo_image_surface_create_from_png(before_png.c_str());
    int changed = 0;
    if (cairo_surface_status(before) == CAIRO_STATUS_SUCCESS)
        for (int y = r.top + 2; y < r.bottom - 2; ++y)
            for (int x = r.left + 2; x < r.right - 2; ++x)
                changed += vkotest::pixel(before, x, y) != vkotest::pixel(after, x, y) ? 1 : 0;
    cairo_surface_destroy(before);
    return changed > 20;
}

// The wheel over the open list of ten items: a shot before, one notch down (three lines, of
// which two are left), a shot after; the first row in view is then what a click chooses.
int32_t wheel_handler(WINDOW win, EVENT *ev) {
    if (ev->type != E_TIMER)
        return 0;
    ++child().ticks;
    Hand hand;
    WINDOW drop = vkov_win_get_pointer_trap();
    switch (child().ticks) {
    case 1:
        hand.click_drop_button();
        break;
    case 2: {
        if (drop == nullptr && !child().patience.passed()) {
            child().ticks = 1;
            break;
        }
        if (!list_opened(drop))
            break;
        const s_rct r = screen_rect(drop);
        log_line("rows " + std::to_string(r.top) + " " + std::to_string(r.left) + " " +
                 std::to_string(r.bottom) + " " + std::to_string(r.right));
        vkov_display_screenshot((child().png + ".before.png").c_str());
        hand.wheel(r.left + 20, r.top + 20, 5);
        break;
    }
    case 3: {
        // The screenshot once the rows moved (or the time is up, and the checks tell).
        if (drop != nullptr && !child().patience.passed() &&
            !vkotest::screen_shows(child().png, [&](cairo_surface_t *after) {
                return rows_moved(child().png + ".before.png", after, screen_rect(drop));
            })) {
            child().ticks = 2;
            break;
        }
        vkov_display_screenshot(child().png.c_str());
        if (drop == nullptr) {
            log_line("closed by the wheel");
            vkov_app_destroy();
            break;
        }
        const s_rct r = screen_rect(drop);
        hand.click_screen(r.top + 6, r.left + 20);
        break;
    }
    default:
        log_line("chosen " + std::to_string(vkok_list_get_sel_index(vkok_win_get_ctl(win, 40))));
        vkov_app_destroy();
        break;
    }
    return 0;
}

int32_t pick_task_handler(WINDOW, EVENT *ev) {
    if (ev->type == E_CREATE) {
        child().patience = vkotest::Deadline(30);
        s_win_def def[3] = {}; // the last one ends the list
        def[0].type = child().modal ? W_MODAL : W_MODELESS;
        def[0].rct = kDialog;
        def[0].text = const_cast<char *>("Pick");
        def[1].type = WC_LISTBUTTON;
        def[1].rct = kPick;
        def[1].text = const_cast<char *>("");
        def[1].id = 40;
        WINDOW dlg = vkok_win_create_def(def, NULL_WIN, VKO_EVENT_MASK_ALL,
                                         child().wheel ? wheel_handler : pick_handler, 0);
        for (int i = 0; i < 10; ++i)
            vkov_list_add(vkok_win_get_ctl(dlg, 40), -1, ("item " + std::to_string(i)).c_str());
        vkok_list_set_sel(vkok_win_get_ctl(dlg, 40), 0, TRUE);
        vkov_timer_create(dlg, 300);
        if (child().modal)
            vkok_win_process_modal(dlg);
    }
    return 0;
}

using CtlX11 = vkotest::XvfbTest;

// The same in a dialog whose modal loop runs: the list is a window of its own, and still
// takes the clicks.
TEST_F(CtlX11, DropDownListOpensPastItsDialogAndTakesClicksThere) {
    child().log = file("events.txt");
    child().png = file("drop.png");

    for (const bool modal : {false, true}) {
        SCOPED_TRACE(modal ? "modal dialog" : "modeless dialog");
        child().modal = modal;
        child().ticks = 0;
        std::remove(child().log.c_str());
        ASSERT_EQ(vkotest::run_in_child(display(), pick_task_handler), 0)
            << "the program ended by itself";

        const std::vector<std::string> lines = vkotest::read_lines(child().log);
        ASSERT_EQ(lines.size(), 9u) << ::testing::PrintToString(lines);
        EXPECT_EQ(lines[0], "list on screen past the dialog");
        EXPECT_EQ(lines[1], "shot");
        EXPECT_EQ(lines[3], "15 40 0"); // the choice, told to the dialog
        EXPECT_EQ(lines[4], "chosen 7 closed");
        EXPECT_EQ(lines[5], "open again");
        EXPECT_EQ(lines[6], "15 40 0");
        EXPECT_EQ(lines[7], "keyed 2 closed");
        EXPECT_EQ(lines[8], "closed by a click elsewhere");
        // Below the dialog the list's rows show on their own white.
        int x = 0, y = 0;
        ASSERT_EQ(std::sscanf(lines[2].c_str(), "probe %d %d", &x, &y), 2);
        const vkotest::Shot shot(child().png);
        ASSERT_EQ(shot.status(), CAIRO_STATUS_SUCCESS);
        EXPECT_EQ(shot.pixel(x, y), 0xFFFFFFu);
    }
}

TEST_F(CtlX11, DropDownListScrollsWithTheWheel) {
    child().log = file("events.txt");
    child().png = file("wheel.png");
    child().wheel = true;
    ASSERT_EQ(vkotest::run_in_child(display(), pick_task_handler), 0)
        << "the program ended by itself";
    child().wheel = false;

    const std::vector<std::string> lines = vkotest::read_lines(child().log);
    ASSERT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
    EXPECT_EQ(lines[1], "chosen 2");
    // The rows' pixels moved: "item 0" at the top before, "item 2" after.
    s_rct rows{};
    ASSERT_EQ(std::sscanf(lines[0].c_str(), "rows %hd %hd %hd %hd", &rows.top, &rows.left,
                          &rows.bottom, &rows.right), 4);
    const vkotest::Shot before(child().png + ".before.png"), after(child().png);
    ASSERT_EQ(before.status(), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(after.status(), CAIRO_STATUS_SUCCESS);
    int changed = 0;
    for (int y = rows.top + 2; y < rows.bottom - 2; ++y)
        for (int x = rows.left + 2; x < rows.right - 2; ++x)
            changed += before.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
    EXPECT_GT(changed, 20) << "the open list did not move";
}

TEST_F(CtlX11, DialogControlsTakeRealClicksAndKeys) {
    child().log = file("events.txt");
    child().png = file("controls.png");
    ASSERT_EQ(vkotest::run_in_child(display(), task_handler), 0) << "the program ended by itself";

    const std::vector<std::string> expected = {
        "15 10 65537", // the edit field has the focus when the dialog opens (1 | active 1)
        "15 10 1",     // the click on the list takes it away (focus change, not active)
        "15 30 0",     // the list's selection
        "15 20 0",     // the check box's click
        "15 10 65537", // the click in the field brings the focus back
        "15 10 0",     // "a"
        "15 10 0",     // " " (not the check box's: it stays checked)
        "15 10 0",     // "b"
        "15 10 1",     // Tab moves on
        "state 1 1 a b 20",
        "shot",
        "15 1 0", // Return on the check box presses the default button
        "ok",
    };
    EXPECT_EQ(vkotest::read_lines(child().log), expected);

    const vkotest::Shot shot(child().png);
    ASSERT_EQ(shot.status(), CAIRO_STATUS_SUCCESS);
    struct Probe {
        const char *why;
        int v, h; // in the dialog's client area
        std::uint32_t rgb;
    };
    const Probe probes[] = {
        {"the dialog's face", 195, 290, 0xC0C0C0u},
        {"the white well of the check box", kCheck.top + 5, kCheck.left + 3, 0xFFFFFFu},
        {"the selected second row of the list", kList.top + 30, kList.left + 150, 0x000080u},
        {"the unselected first row", kList.top + 8, kList.left + 150, 0xFFFFFFu},
        {"the default button's black frame", kOk.top, kOk.left + 40, 0x000000u},
        {"the edit field's white inside", kEdit.top + 10, kEdit.right - 10, 0xFFFFFFu},
    };
    for (const Probe &p : probes) {
        SCOPED_TRACE(p.why);
        EXPECT_EQ(shot.pixel(kDialog.left + p.h, kDialog.top + p.v), p.rgb);
    }
}

} // namespace
