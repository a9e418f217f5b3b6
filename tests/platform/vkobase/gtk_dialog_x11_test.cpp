// gtk_dialog_x11_test.cpp: GTK's standard dialogs worked by a user's keys and clicks (XTest)
// on a bare private Xvfb of 1024x768, with no window manager and no session bus, as the
// end-to-end run has them. Each dialog lies inside the screen; Escape closes it wherever the
// pointer is; page setup's Apply keeps the margins chosen earlier; the colour dialog returns
// the colour picked with the keys, keeps a standard colour chosen again and cancels cleanly. GLib's warnings (dconf without a
// session) must not appear. The program runs in a child process; with VKO_GALLERY_DIR set a
// picture of the colour dialog is kept there.
// gtk first among the toolkits: Xlib's macros would break gtest's templates.
#include <gtest/gtest.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/display_internal.h"
#include "../../../platform/vkobase/src/print_internal.h"
#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "xtest_hand.h"
#include "xvfb_fixture.h"

namespace {

// A document window larger than the dialogs' room below and right of its centre.
constexpr s_rct kDocRect{300, 500, 760, 1020};

struct Child {
    std::string log;
    std::string shots;
    WINDOW doc = nullptr;
    int step = 0;
    // The user's part at the open dialog: 0 waits for it to have the keyboard, 1 for the
    // program's own window to show, 2 for the program to restack after closing it, 3 done.
    int dialog_phase = 0;
    unsigned restacks = 0;
    vkotest::StepClock dialog_clock{60}; // past it the dialog is cancelled and the checks tell
    bool in_dialog = false; // a step's dialog runs (it may not show yet)
    WINDOW extra = nullptr; // a window the program opens while the dialog runs
};

Child &child() {
    static Child c;
    return c;
}

void log_line(const std::string &line) {
    vkotest::append_line(child().log, line);
}

using Hand = vkotest::XTestHand;

GtkDialog *open_dialog() {
    GList *tops = gtk_window_list_toplevels();
    GtkDialog *found = nullptr;
    for (GList *l = tops; l != nullptr; l = l->next)
        if (GTK_IS_DIALOG(l->data) && gtk_widget_get_mapped(GTK_WIDGET(l->data)))
            found = GTK_DIALOG(l->data);
    g_list_free(tops);
    return found;
}

int32_t quiet_handler(WINDOW, EVENT *) {
    return 0;
}

// Whether the dialog lies in front of the program's window (GTK's own small windows, such as
// a tooltip over the dialog, may lie in front of both).
bool in_front(GtkDialog *dialog) {
    GdkWindow *window = gtk_widget_get_window(GTK_WIDGET(dialog));
    Display *dpy = GDK_WINDOW_XDISPLAY(window);
    Window root = 0, parent = 0;
    Window *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) == 0)
        return false;
    const Window program = vkobase::display_xwindow_of(child().doc);
    int dialog_at = -1, program_at = -1; // back to front
    for (unsigned i = 0; i < count; ++i) {
        if (children[i] == GDK_WINDOW_XID(window))
            dialog_at = static_cast<int>(i);
        if (children[i] == program)
            program_at = static_cast<int>(i);
    }
    XFree(children);
    return program_at >= 0 && dialog_at > program_at;
}

// "inside" when the dialog's window lies within the screen, else its rectangle; then whether
// it is in front.
std::string where(GtkDialog *dialog) {
    GdkRectangle r{};
    gdk_window_get_frame_extents(gtk_widget_get_window(GTK_WIDGET(dialog)), &r);
    std::string out = r.x >= 0 && r.y >= 0 && r.x + r.width <= 1024 && r.y + r.height <= 768
                          ? "inside"
                          : std::to_string(r.width) + "x" + std::to_string(r.height) + " at " +
                                std::to_string(r.x) + "," + std::to_string(r.y);
    return out + (in_front(dialog) ? " in front" : " behind");
}

// The middle of the dialog's button for a response, on the screen.
bool button_centre(GtkDialog *dialog, gint response, int *x, int *y) {
    GtkWidget *button = gtk_dialog_get_widget_for_response(dialog, response);
    if (button == nullptr)
        return false;
    GtkAllocation a{};
    gtk_widget_get_allocation(button, &a);
    gint ox = 0, oy = 0;
    gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(dialog)), &ox, &oy);
    gint wx = 0, wy = 0;
    gtk_widget_translate_coordinates(button, GTK_WIDGET(dialog), 0, 0, &wx, &wy);
    *x = ox + wx + a.width / 2;
    *y = oy + wy + a.height / 2;
    return true;
}

// The user at an open dialog: once it has the keyboard, looks where it lies and does what the
// step asks.
void work_dialog(GtkDialog *dialog) {
    Child &c = child();
    if (c.dialog_clock.stalled(c.step)) { // stalled: close it, let the checks tell
        log_line("stalled");
        gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
        return;
    }
    // The dialog has the keyboard once the server made it the focus. The program then opens a
    // window of its own and closes it again (as a menu does), which restacks its windows.
    if (c.dialog_phase == 0 && gtk_window_is_active(GTK_WINDOW(dialog))) {
        const s_rct small{20, 20, 60, 120};
        c.extra = vkok_win_create(W_DOC, &small, "Extra", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                                  quiet_handler, 0);
        c.dialog_phase = 1;
        return;
    }
    if (c.dialog_phase == 1 && vkobase::display_xwindow_of(c.extra) != 0) {
        c.restacks = vkobase::display_restack_count();
        vkok_vobj_destroy(c.extra);
        c.dialog_phase = 2;
        return;
    }
    if (c.dialog_phase == 2 && vkobase::display_restack_count() != c.restacks) {
        c.dialog_phase = 3;
        log_line("shown " + where(dialog));
        Hand hand;
        // The pointer rests over the program's window: the keys must still reach the dialog.
        hand.move(kDocRect.left + 20, kDocRect.bottom - 20);
        switch (c.step) {
        case 2:   // page setup: Apply
        case 6: { // colour: Select
            int x = 0, y = 0;
            if (button_centre(dialog, GTK_RESPONSE_OK, &x, &y))
                hand.click(x, y);
            break;
        }
        case 5: // colour: the keyboard starts on the palette's first swatch; Right moves to the
                // second, Return selects it and Return again chooses it
            if (!c.shots.empty())
                vkov_display_screenshot((c.shots + "/color_sel_keys.png").c_str());
            hand.key(XK_Right);
            hand.key(XK_Return);
            hand.key(XK_Return);
            break;
        case 7: // the program is asked to quit while the dialog runs: it ends, cancelled
            vkov_app_destroy();
            break;
        default:
            hand.key(XK_Escape);
            break;
        }
    }
}

std::string margins_of(s_printrcd *rcd) {
    vkobase::PageMargins m;
    vkobase::print_get_margins(rcd, &m);
    char text[64];
    std::snprintf(text, sizeof text, "%.0f %.0f %.0f %.0f", m.top_in * 25.4, m.left_in * 25.4,
                  m.bottom_in * 25.4, m.right_in * 25.4);
    return text;
}

std::string run_file_chooser() {
    s_file_spec spec{};
    return "file " + std::to_string(vkov_dm_post_file_open(&spec, "Find a file"));
}

std::string run_page_setup() {
    s_printrcd *rcd = vkok_print_create(nullptr);
    vkobase::PageMargins m;
    m.top_in = 20 / 25.4;
    m.left_in = 15 / 25.4;
    m.bottom_in = 25 / 25.4;
    m.right_in = 10 / 25.4;
    vkobase::print_set_margins(rcd, m);
    const BOOLEAN answer = vkov_dm_post_page_setup(rcd);
    const std::string line = "page " + std::to_string(answer) + " margins " + margins_of(rcd);
    vkok_print_destroy(rcd);
    return line;
}

std::string run_colour(COLOR color) {
    const BOOLEAN answer = vkov_dm_post_color_sel(&color, child().doc);
    char text[32];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(color));
    return "color " + std::to_string(answer) + " " + text;
}

// The steps, each one dialog; work_dialog does the user's part of each.
void next_step() {
    Child &c = child();
    c.dialog_phase = 0;
    c.in_dialog = true;
    switch (c.step) {
    case 0: // the file chooser, which remembers a size of its own: Escape
    case 3: // once more: inside the screen again
    case 7: // and the program quits while it runs
        log_line(run_file_chooser());
        break;
    case 1: // page setup: Escape
    case 2: // page setup: Apply keeps the margins chosen before
        log_line(run_page_setup());
        break;
    case 4: // the colour dialog: Escape keeps the colour
    case 5: // a colour chosen with the keys
        log_line(run_colour(0x00336699u));
        break;
    case 6: // Select with the colour as it was: the standard white stays the standard one
        log_line(run_colour(VKO_COLOR_WHITE));
        break;
    default:
        vkov_app_destroy();
        break;
    }
    c.in_dialog = false;
    ++c.step;
}

int32_t doc_handler(WINDOW, EVENT *ev) {
    if (ev->type != E_TIMER)
        return 0;
    if (GtkDialog *dialog = open_dialog())
        work_dialog(dialog);
    else if (!child().in_dialog)
        next_step();
    return 0;
}

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type == E_CREATE) {
        child().doc = vkok_win_create(W_DOC, &kDocRect, "GTK dialogs", 0, NULL_WIN, 0,
                                      VKO_EVENT_MASK_ALL, doc_handler, 0);
        vkok_scr_set_focus_vobj(child().doc);
        vkov_timer_create(child().doc, 100);
    }
    return 0;
}

using GtkDialogX11 = vkotest::XvfbTest;

TEST_F(GtkDialogX11, DialogsStayOnTheScreenAndAnswerTheUsersKeysAndClicks) {
    Child &c = child();
    c.log = file("events.txt");
    const char *gallery = std::getenv("VKO_GALLERY_DIR");
    c.shots = gallery != nullptr ? gallery : "";
    const std::string errors = file("stderr.txt");

    const pid_t pid = vkotest::fork_child();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // A bare server: no session bus, and nobody chose a settings backend.
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        unsetenv("XDG_RUNTIME_DIR");
        unsetenv("GSETTINGS_BACKEND");
        unsetenv("NO_AT_BRIDGE");
        setenv("HOME", dir().c_str(), 1);
        if (std::freopen(errors.c_str(), "w", stderr) == nullptr)
            _exit(3);
        vkotest::run_program(display(), task_handler);
    }
    ASSERT_EQ(vkotest::wait_for(pid), 0) << "the program ended by itself";

    const std::vector<std::string> expected = {
        "shown inside in front", "file 1",
        "shown inside in front", "page 0 margins 20 15 25 10",
        "shown inside in front", "page 1 margins 20 15 25 10",
        "shown inside in front", "file 1",
        "shown inside in front", "color 0 00336699",
        "shown inside in front", "color 1 008ff0a4", // the top row's second colour
        "shown inside in front", "color 1 0bffffff",
        "shown inside in front", "file 1",
    };
    EXPECT_EQ(vkotest::read_lines(c.log), expected);
    std::string warnings;
    for (const std::string &line : vkotest::read_lines(errors))
        warnings += line + "\n";
    EXPECT_EQ(warnings.find("dconf"), std::string::npos) << warnings;
    EXPECT_EQ(warnings.find("CRITICAL"), std::string::npos) << warnings;
    EXPECT_EQ(warnings.find("GLib-GIO"), std::string::npos) << warnings;
}

} // namespace
