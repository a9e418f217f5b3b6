// display_gtk_x11_test.cpp: GTK inside the program, end to end under a private Xvfb: text
// copied in the program is pasted by another X client (xclip) and the other way round; a file
// is chosen in the GTK file dialog while the program's window behind it keeps repainting; the
// font, colour and page-setup dialogs come up over the program's window and a cancel answers
// FALSE. Each dialog carries the program's class hint, as the server tells it to a window
// manager. With VKO_GALLERY_DIR set, a picture of each dialog is kept there.
// gtk first among the toolkits: Xlib's macros would break gtest's templates.
#include <gtest/gtest.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "xvfb_fixture.h"

namespace {

constexpr s_rct kDocRect{100, 100, 400, 500};
// Windows-1252 text the program copies, and what another program pastes back.
constexpr char kCopied[] = "Gr\xfc\xdf" "e \x80 1";
constexpr char kCopiedUtf8[] = "Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac 1";
constexpr char kPastedUtf8[] = "from xclip \xc3\xa9\nline";
constexpr char kNotUtf8[] = "ca\xff\xfe\xc3\x28t";

struct Child {
    std::string dir;
    std::string log;
    std::string shots;
    WINDOW doc = nullptr;
    int updates = 0;
    int step = 0;
    int updates_before = 0;       // when the file dialog opened
    bool looked = false;          // at the dialog open now
    vkotest::StepClock dialog_clock{60}; // past it a dialog is cancelled and the checks tell
    bool pasted = false;
};

Child &child() {
    static Child c;
    return c;
}

void log_line(const std::string &line) {
    vkotest::append_line(child().log, line);
}

std::string hex(const char *bytes, std::uint32_t size) {
    std::string out;
    char buf[4];
    for (std::uint32_t i = 0; i < size; ++i) {
        std::snprintf(buf, sizeof buf, "%02x", static_cast<unsigned char>(bytes[i]));
        out += buf;
    }
    return out;
}

// The dialog GTK shows now, null when none is up.
GtkDialog *open_dialog() {
    GList *tops = gtk_window_list_toplevels();
    GtkDialog *found = nullptr;
    for (GList *l = tops; l != nullptr; l = l->next)
        if (GTK_IS_DIALOG(l->data) && gtk_widget_get_visible(GTK_WIDGET(l->data)))
            found = GTK_DIALOG(l->data);
    g_list_free(tops);
    return found;
}

// The dialog's class hint as the server holds it ("instance/class").
std::string class_of(GtkDialog *dialog) {
    GdkWindow *window = gtk_widget_get_window(GTK_WIDGET(dialog));
    XClassHint hint{};
    if (window == nullptr || XGetClassHint(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), &hint) == 0)
        return "none";
    const std::string names = std::string(hint.res_name) + "/" + hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return names;
}

// Runs inside the dialog's loop: the program's timer still ticks there. Once the dialog is on
// the screen it is looked at and answered: the file chooser once its choice holds and the
// window behind it has repainted while it ran. A dialog that waits past the deadline is
// cancelled, and the checks tell.
void answer_dialog() {
    Child &c = child();
    GtkDialog *dialog = open_dialog();
    if (dialog == nullptr)
        return;
    vkok_dwin_invalidate_rect(c.doc, nullptr); // the window must keep repainting
    const bool late = c.dialog_clock.stalled(c.step);
    if (!gtk_widget_get_mapped(GTK_WIDGET(dialog)) && !late)
        return;
    const char *names[] = {"file_open.png", "font_sel.png", "color_sel.png", "page_setup.png"};
    if (!c.looked && !c.shots.empty())
        vkov_display_screenshot((c.shots + "/" + names[c.step - 3]).c_str());
    if (!c.looked)
        log_line("class " + class_of(dialog));
    c.looked = true;
    if (GTK_IS_FILE_CHOOSER(dialog)) {
        const std::string want = c.dir + "/pick.dct";
        gchar *now = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
        const bool ready = now != nullptr && want == now;
        g_free(now);
        // The folder loads in the background: select again until the choice holds.
        if (!ready)
            gtk_file_chooser_select_filename(GTK_FILE_CHOOSER(dialog), want.c_str());
        if (late)
            gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
        else if (ready && c.updates - c.updates_before >= 2)
            gtk_dialog_response(dialog, GTK_RESPONSE_ACCEPT);
        return;
    }
    gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
}

// Once the test has made the marker file, pastes the clipboard's text into the log.
bool paste_once_marked(const std::string &marker) {
    struct stat st {};
    if (::stat(marker.c_str(), &st) != 0)
        return false;
    vkok_cb_open(FALSE);
    std::uint32_t size = 0;
    const char *data = static_cast<const char *>(vkok_cb_get_data(CB_TEXT, nullptr, &size));
    log_line("pasted " + hex(data, data != nullptr ? size : 0));
    vkok_cb_close();
    return true;
}

void next_step() {
    Child &c = child();
    switch (c.step) {
    case 0: { // copy
        vkok_cb_open(TRUE);
        char *data = static_cast<char *>(vkok_cb_alloc_data(sizeof kCopied));
        std::memcpy(data, kCopied, sizeof kCopied);
        vkok_cb_put_data(CB_TEXT, nullptr, sizeof kCopied - 1, nullptr);
        vkok_cb_close();
        log_line("copied");
        c.step = 1;
        break;
    }
    case 1: // wait for the other program's text, then paste it
        if (paste_once_marked(c.dir + "/go"))
            c.step = 2;
        break;
    case 2: // text that is not UTF-8: pasted with its bad bytes replaced, not the text before
        if (paste_once_marked(c.dir + "/bad"))
            c.step = 3;
        break;
    case 3: { // the file dialog, started in the test's folder
        s_file_spec spec{};
        std::snprintf(spec.dir.path, sizeof spec.dir.path, "%s", c.dir.c_str());
        c.looked = false;
        const int before = c.updates;
        c.updates_before = before;
        const std::int32_t r = vkov_dm_post_file_open(&spec, "Open a dictionary");
        log_line("file " + std::to_string(r) + " " + spec.dir.path + "|" + spec.name);
        log_line(c.updates - before >= 2 ? "repainted" : "frozen");
        c.step = 4;
        break;
    }
    case 4: { // the font dialog, cancelled
        FONT_OBJ font = vkov_font_create();
        c.looked = false;
        log_line("font " + std::to_string(vkov_dm_post_font_sel(c.doc, font, nullptr, 0)));
        vkov_font_destroy(font);
        c.step = 5;
        break;
    }
    case 5: {
        COLOR color = 0x00336699u;
        c.looked = false;
        log_line("color " + std::to_string(vkov_dm_post_color_sel(&color, c.doc)));
        c.step = 6;
        break;
    }
    case 6: {
        s_printrcd *rcd = vkok_print_create(nullptr);
        c.looked = false;
        log_line("page " + std::to_string(vkov_dm_post_page_setup(rcd)));
        vkok_print_destroy(rcd);
        vkov_app_destroy();
        break;
    }
    default:
        break;
    }
}

int32_t doc_handler(WINDOW, EVENT *ev) {
    switch (ev->type) {
    case E_UPDATE:
        ++child().updates;
        break;
    case E_TIMER:
        if (open_dialog() != nullptr)
            answer_dialog();
        else
            next_step();
        break;
    default:
        break;
    }
    return 0;
}

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type == E_CREATE) {
        child().doc = vkok_win_create(W_DOC, &kDocRect, "GTK test", 0, NULL_WIN, 0,
                                      VKO_EVENT_MASK_ALL, doc_handler, 0);
        vkok_scr_set_focus_vobj(child().doc);
        vkov_timer_create(child().doc, 100);
    }
    return 0;
}

// Runs a command with the display set and answers what it wrote, or "(failed)".
std::string output_of(const std::string &display, const std::string &command) {
    const std::string line = "DISPLAY=" + display + " " + command;
    FILE *p = popen(line.c_str(), "r");
    if (p == nullptr)
        return "(failed)";
    std::string out;
    char buf[256];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
        out.append(buf, n);
    return pclose(p) == 0 ? out : "(failed)";
}

// What another client pastes, once it is the expected text (or the last answer at the
// deadline).
std::string paste_in_other_client(const std::string &display, const std::string &expected) {
    std::string got;
    vkotest::wait_until([&] {
        got = output_of(display, "xclip -o -selection clipboard 2>/dev/null");
        return got == expected;
    }, 30, 50);
    return got;
}

bool wait_for_line(const std::string &path, const std::string &line) {
    return vkotest::wait_until([&] {
        for (const std::string &l : vkotest::read_lines(path))
            if (l == line)
                return true;
        return false;
    }, 60);
}

using DisplayGtkX11 = vkotest::XvfbTest;

TEST_F(DisplayGtkX11, ClipboardWithAnotherClientAndTheStandardDialogs) {
    if (vkotest::find_on_path("xclip").empty())
        GTEST_SKIP() << "xclip is not installed";
    Child &c = child();
    c.dir = dir();
    c.log = c.dir + "/events.txt";
    const char *gallery = std::getenv("VKO_GALLERY_DIR");
    c.shots = gallery != nullptr ? gallery : "";
    vkotest::append_line(c.dir + "/pick.dct", "a dictionary description");

    const pid_t pid = vkotest::fork_child();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // No settings daemon or accessibility bus in the test's session.
        setenv("GSETTINGS_BACKEND", "memory", 1);
        setenv("NO_AT_BRIDGE", "1", 1);
        vkotest::run_program(display(), task_handler, nullptr, "TavlinCD");
    }

    // The program's copy pastes in another client, in UTF-8.
    ASSERT_TRUE(wait_for_line(c.log, "copied"));
    EXPECT_EQ(paste_in_other_client(display(), kCopiedUtf8), kCopiedUtf8);
    // Another client's text pastes in the program, in its own character set.
    const pid_t xclip = vkotest::offer_with_xclip(display(), kPastedUtf8);
    ASSERT_GT(xclip, 0);
    EXPECT_EQ(paste_in_other_client(display(), kPastedUtf8), kPastedUtf8);
    vkotest::append_line(c.dir + "/go", "go");
    ASSERT_TRUE(wait_for_line(c.log, "pasted " + hex("from xclip \xe9\r\nline", 18)));
    kill(xclip, SIGTERM);
    waitpid(xclip, nullptr, 0);
    const pid_t bad = vkotest::offer_with_xclip(display(), kNotUtf8);
    ASSERT_GT(bad, 0);
    EXPECT_EQ(paste_in_other_client(display(), kNotUtf8), kNotUtf8);
    vkotest::append_line(c.dir + "/bad", "bad");

    EXPECT_EQ(vkotest::wait_for(pid), 0) << "the program ended by itself";
    kill(bad, SIGTERM);
    waitpid(bad, nullptr, 0);

    const std::vector<std::string> expected = {
        "copied",
        "pasted " + hex("from xclip \xe9\r\nline", 18),
        "pasted " + hex("ca?\?\?(t", 7),
        "class tavlincd/TavlinCD",
        "file 2 " + c.dir + "|pick.dct",
        "repainted",
        "class tavlincd/TavlinCD",
        "font 0",
        "class tavlincd/TavlinCD",
        "color 0",
        "class tavlincd/TavlinCD",
        "page 0",
    };
    EXPECT_EQ(vkotest::read_lines(c.log), expected);
}

} // namespace
