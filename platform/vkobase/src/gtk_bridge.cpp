// gtk_bridge.cpp: GTK 3 inside the base library (gtk_bridge.h). GTK keeps its own connection
// to the X server; the base library's connection becomes a GLib source while a dialog runs,
// so that one loop serves both and neither blocks the other.
#include "gtk_bridge.h"

#include <gdk/gdkx.h>
#include <glib-unix.h>
#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "core_internal.h"
#include "display_internal.h"
#include "vkobase/scr.h"
#include "window_internal.h"

namespace {

struct GtkState {
    bool tried = false;
    bool running = false;
    bool watching = false;      // the server tells when the clipboard changes hands
    bool clipboard_new = true;  // it did since the text was last read
};

GtkState &st() noexcept {
    static GtkState s;
    return s;
}

// Whether a D-Bus session bus is there (by its address, or the usual socket of the session).
bool has_session_bus() noexcept {
    const char *address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0')
        return true;
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0')
        return false;
    struct stat info {};
    const std::string bus = std::string(runtime) + "/bus";
    return ::stat(bus.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// Without a session bus (a bare X server, as under Xvfb) GSettings' dconf backend cannot store
// what the dialogs remember (the file chooser's size, the colour chooser's custom colours) and
// warns at every write; the memory backend keeps them for the run instead. Accessibility needs
// that bus too. A user's own setting of either variable stays.
void settle_without_session() noexcept {
    if (has_session_bus())
        return;
    ::setenv("GSETTINGS_BACKEND", "memory", 0);
    ::setenv("NO_AT_BRIDGE", "1", 0);
}

bool start() noexcept {
    GtkState &s = st();
    if (s.running)
        return true;
    if (s.tried || !vkobase::display_is_open() || vkobase::app_test_mode())
        return false;
    s.tried = true;
    settle_without_session();
    // GTK's windows carry the class hint of the program's own, not one made of its file name
    // (the start sets the class from the name: it is set again after).
    try {
        const std::string instance = vkobase::app_instance_name();
        if (!instance.empty())
            g_set_prgname(instance.c_str());
    } catch (...) {
    }
    s.running = gtk_init_check(nullptr, nullptr) != FALSE;
    try {
        const std::string klass = vkobase::app_class_name();
        if (s.running && !klass.empty())
            gdk_set_program_class(klass.c_str());
    } catch (...) {
    }
    if (s.running) {
        GtkClipboard *cb = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
        g_signal_connect(cb, "owner-change",
                         G_CALLBACK(+[](GtkClipboard *, GdkEvent *, gpointer) {
                             st().clipboard_new = true;
                         }),
                         nullptr);
        s.watching =
            gdk_display_supports_selection_notification(gdk_display_get_default()) != FALSE;
    }
    return s.running;
}

struct Run {
    bool done = false;
    gint response = GTK_RESPONSE_NONE;
};

void on_response(GtkDialog *, gint response, gpointer data) {
    auto *run = static_cast<Run *>(data);
    run->response = response;
    run->done = true;
}

// The sources only wake the loop; the base library's pass does the work.
gboolean wake(gint, GIOCondition, gpointer) {
    return G_SOURCE_CONTINUE;
}
gboolean tick(gpointer) {
    return G_SOURCE_CONTINUE;
}

// The program's front window that shows on the display: the one with the focus, else the
// task window; null when neither shows.
WINDOW owner_window() noexcept {
    WINDOW win = vkov_scr_get_focus_topwin();
    if (vkobase::display_xwindow_of(win) == 0)
        win = vkobase::win_task();
    return vkobase::display_xwindow_of(win) != 0 ? win : nullptr;
}

// The screen's size, as the program sees it.
void screen_size(gint *width, gint *height) noexcept {
    const s_rct screen = vkobase::win_client_rect(vkobase::win_screen());
    *width = screen.right - screen.left;
    *height = screen.bottom - screen.top;
}

// Moves the dialog so that it lies inside the screen (its top-left corner first, when it is
// larger); answers whether it had to move.
bool keep_on_screen(GtkWindow *dialog, gint x, gint y) noexcept {
    gint width = 0, height = 0, screen_w = 0, screen_h = 0;
    gtk_window_get_size(dialog, &width, &height);
    screen_size(&screen_w, &screen_h);
    const gint in_x = std::max(0, std::min(x, screen_w - width));
    const gint in_y = std::max(0, std::min(y, screen_h - height));
    if (in_x == x && in_y == y)
        return false;
    gtk_window_move(dialog, in_x, in_y);
    return true;
}

// A dialog that grows once shown (the file chooser takes the size it remembers) is moved
// back inside the screen; a dialog already inside is left where it is, so this ends.
gboolean on_configure(GtkWidget *dialog, GdkEventConfigure *event, gpointer) {
    keep_on_screen(GTK_WINDOW(dialog), event->x, event->y);
    return FALSE;
}

// Without a window manager nobody gives a new window the keyboard; the dialog takes it, so
// that its keys (Escape, Return, Tab) work wherever the pointer is.
gboolean on_map(GtkWidget *dialog, GdkEvent *, gpointer) {
    GdkWindow *window = gtk_widget_get_window(dialog);
    if (window != nullptr)
        gdk_window_focus(window, gdk_x11_get_server_time(window));
    return FALSE;
}

// Keeps the dialog no larger than the screen, and centres it over the owner inside the screen
// (a window manager may place it itself).
void place(GtkWidget *dialog, WINDOW owner) noexcept {
    gint screen_w = 0, screen_h = 0;
    screen_size(&screen_w, &screen_h);
    GdkGeometry limits{};
    limits.max_width = std::max(1, screen_w);
    limits.max_height = std::max(1, screen_h);
    gtk_window_set_geometry_hints(GTK_WINDOW(dialog), nullptr, &limits, GDK_HINT_MAX_SIZE);
    gint width = 0, height = 0;
    gtk_window_get_size(GTK_WINDOW(dialog), &width, &height);
    if (width > screen_w || height > screen_h)
        gtk_window_resize(GTK_WINDOW(dialog), std::min(width, screen_w),
                          std::min(height, screen_h));
    if (owner == nullptr)
        return;
    const s_pnt origin = vkobase::win_client_origin_on_screen(owner);
    const s_rct client = vkobase::win_client_rect(owner);
    gtk_window_get_size(GTK_WINDOW(dialog), &width, &height);
    const gint x = origin.h + (client.right - width) / 2;
    const gint y = origin.v + (client.bottom - height) / 2;
    if (!keep_on_screen(GTK_WINDOW(dialog), x, y))
        gtk_window_move(GTK_WINDOW(dialog), x, y);
}

// Shows the dialog modal over the program's front window and runs until it is answered or the
// application quits; the program's windows repaint meanwhile. Answers the dialog's response
// (none when the application quit).
gint run_dialog(GtkWidget *dialog) noexcept {
    gtk_widget_realize(dialog);
    WINDOW owner = owner_window();
    if (owner != nullptr) {
        GdkWindow *foreign = gdk_x11_window_foreign_new_for_display(
            gdk_display_get_default(), vkobase::display_xwindow_of(owner));
        if (foreign != nullptr) {
            gdk_window_set_transient_for(gtk_widget_get_window(dialog), foreign);
            g_object_unref(foreign);
        }
    }
    place(dialog, owner);
    g_signal_connect(dialog, "configure-event", G_CALLBACK(on_configure), nullptr);
    g_signal_connect(dialog, "map-event", G_CALLBACK(on_map), nullptr);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    Run run;
    const gulong handler = g_signal_connect(dialog, "response", G_CALLBACK(on_response), &run);
    // Escape and the close box answer "deleted"; the dialog must outlive that answer, since the
    // caller reads it and destroys it afterwards (a dialog's own delete handler lets GTK
    // destroy it at once).
    const gulong keep = g_signal_connect(dialog, "delete-event", G_CALLBACK(gtk_true), nullptr);
    const guint x_source = g_unix_fd_add(vkobase::display_connection_fd(), G_IO_IN, wake, nullptr);
    const guint timer = g_timeout_add(10, tick, nullptr);
    gtk_window_present(GTK_WINDOW(dialog));
    vkobase::app_block_input(true);
    unsigned restacks = vkobase::display_restack_count();
    // The application quitting (File > Exit from a timer, SIGTERM) cancels the dialog.
    while (!run.done && !vkobase::app_quit_requested()) {
        g_main_context_iteration(nullptr, TRUE);
        // Bounded: the program's X connection stays readable until its own pass below reads
        // it, so "while anything is pending" would never end once the program has an event.
        for (int i = 0; i < 100 && !run.done && g_main_context_pending(nullptr); ++i)
            g_main_context_iteration(nullptr, FALSE);
        vkobase::app_process_events();
        vkobase::display_flush();
        // The program raised its windows (a menu closed, a window came or went): the dialog
        // goes back in front of them.
        if (vkobase::display_restack_count() != restacks) {
            restacks = vkobase::display_restack_count();
            if (GdkWindow *window = gtk_widget_get_window(dialog)) {
                gdk_window_raise(window);
                gdk_display_flush(gdk_window_get_display(window));
            }
        }
    }
    vkobase::app_block_input(false);
    g_source_remove(timer);
    g_source_remove(x_source);
    g_signal_handler_disconnect(dialog, handler);
    g_signal_handler_disconnect(dialog, keep);
    gtk_widget_hide(dialog);
    vkobase::display_keys_back();
    return run.response;
}

std::string description_of(const vkobase::dm::FontChoice &c) {
    std::string out = c.family.empty() ? "Sans" : c.family;
    if (c.bold)
        out += " Bold";
    if (c.italic)
        out += " Italic";
    return out + " " + std::to_string(c.size_pt);
}

// A standard paper of that size (within a millimetre), or a custom one.
GtkPaperSize *paper_of(double width_mm, double height_mm) {
    GList *sizes = gtk_paper_size_get_paper_sizes(FALSE);
    GtkPaperSize *found = nullptr;
    for (GList *l = sizes; l != nullptr; l = l->next) {
        auto *paper = static_cast<GtkPaperSize *>(l->data);
        if (found == nullptr &&
            std::fabs(gtk_paper_size_get_width(paper, GTK_UNIT_MM) - width_mm) < 1 &&
            std::fabs(gtk_paper_size_get_height(paper, GTK_UNIT_MM) - height_mm) < 1)
            found = gtk_paper_size_copy(paper);
    }
    g_list_free_full(sizes, reinterpret_cast<GDestroyNotify>(gtk_paper_size_free));
    return found != nullptr ? found
                            : gtk_paper_size_new_custom("custom", "Custom", width_mm, height_mm,
                                                        GTK_UNIT_MM);
}

} // namespace

namespace vkobase::gtk {

bool available() noexcept {
    return start();
}

void pump() noexcept {
    if (!st().running)
        return;
    for (int i = 0; i < 100 && g_main_context_pending(nullptr); ++i)
        g_main_context_iteration(nullptr, FALSE);
}

void add_wait_sources(std::vector<pollfd> *fds, int *timeout_ms) noexcept {
    if (!st().running)
        return;
    GMainContext *context = g_main_context_default();
    if (g_main_context_acquire(context) == FALSE)
        return;
    gint priority = 0;
    if (g_main_context_prepare(context, &priority) != FALSE)
        *timeout_ms = 0; // a source is ready now
    constexpr gint kMost = 32;
    GPollFD polled[kMost];
    gint timeout = -1;
    const gint wanted = g_main_context_query(context, priority, &timeout, polled, kMost);
    g_main_context_release(context);
    try {
        for (gint i = 0; i < std::min(wanted, kMost); ++i)
            fds->push_back(pollfd{polled[i].fd, static_cast<short>(polled[i].events), 0});
    } catch (...) {
        timeout = 0;
    }
    // Sources beyond the ones listed are looked at soon, if not woken for.
    if (wanted > kMost && (timeout < 0 || timeout > 10))
        timeout = 10;
    if (timeout >= 0 && (*timeout_ms < 0 || timeout < *timeout_ms))
        *timeout_ms = timeout;
}

void shut_down() noexcept {
    if (!st().running)
        return;
    // Text another program may still paste after this one ends goes to a clipboard manager
    // when there is one.
    gtk_clipboard_store(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
    pump();
}

bool put_text(const std::string &utf8) noexcept {
    if (!start())
        return false;
    gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), utf8.c_str(),
                           static_cast<gint>(utf8.size()));
    pump();
    return true;
}

bool text_may_have_changed() noexcept {
    // Before GTK runs, the server alone can tell that no program offers the clipboard;
    // starting GTK only to hear that would delay the first window's show.
    if (!st().running && !vkobase::display_clipboard_owned())
        return false;
    if (!start())
        return false;
    pump(); // a change of hands is told through GTK's events
    return !st().watching || st().clipboard_new;
}

namespace {

// The clipboard's UTF-8 text as its owner offers it, bytes that are not UTF-8 included: GTK's
// text reader refuses such text as a whole, with a warning on stderr for each form it tries,
// which would leave the text copied before in its place. The reader replaces the bad bytes.
bool get_raw_text(GtkClipboard *clipboard, std::string *utf8) noexcept {
    GtkSelectionData *data =
        gtk_clipboard_wait_for_contents(clipboard, gdk_atom_intern_static_string("UTF8_STRING"));
    if (data == nullptr)
        return false;
    const guchar *bytes = gtk_selection_data_get_data(data);
    const gint length = gtk_selection_data_get_length(data);
    bool got = false;
    if (bytes != nullptr && length >= 0) {
        try {
            utf8->assign(reinterpret_cast<const char *>(bytes), static_cast<std::size_t>(length));
            got = true;
        } catch (...) {
        }
    }
    gtk_selection_data_free(data);
    return got;
}

} // namespace

bool get_text(std::string *utf8) noexcept {
    if (!start())
        return false;
    st().clipboard_new = false;
    GtkClipboard *clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    if (get_raw_text(clipboard, utf8))
        return true;
    // An owner that offers no UTF-8 (only Latin-1 or compound text): GTK converts it.
    gchar *text = gtk_clipboard_wait_for_text(clipboard);
    if (text == nullptr)
        return false;
    try {
        *utf8 = text;
    } catch (...) {
        g_free(text);
        return false;
    }
    g_free(text);
    return true;
}

bool choose_file(FileKind kind, const std::string &title, const std::string &folder,
                 const std::string &name, std::string *path) noexcept {
    if (!start())
        return false;
    const GtkFileChooserAction action = kind == FileKind::kOpen ? GTK_FILE_CHOOSER_ACTION_OPEN
                                        : kind == FileKind::kSave
                                            ? GTK_FILE_CHOOSER_ACTION_SAVE
                                            : GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER;
    const char* accept = kind == FileKind::kOpen   ? "_Open"
                         : kind == FileKind::kSave ? "_Save"
                                                   : "_Select";
    GtkWidget *dialog = gtk_file_chooser_dialog_new(title.c_str(), nullptr, action, "_Cancel",
                                                    GTK_RESPONSE_CANCEL, accept,
                                                    GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser *chooser = GTK_FILE_CHOOSER(dialog);
    gtk_window_set_default_size(GTK_WINDOW(dialog), 640, 440);
    // A save asks before replacing a file.
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
    if (!folder.empty())
        gtk_file_chooser_set_current_folder(chooser, folder.c_str());
    if (kind == FileKind::kSave && !name.empty())
        gtk_file_chooser_set_current_name(chooser, name.c_str());
    bool chosen = false;
    if (run_dialog(dialog) == GTK_RESPONSE_ACCEPT) {
        if (gchar *file = gtk_file_chooser_get_filename(chooser)) {
            try {
                *path = file;
                chosen = true;
            } catch (...) {
            }
            g_free(file);
        }
    }
    gtk_widget_destroy(dialog);
    return chosen;
}

bool choose_font(dm::FontChoice *choice) noexcept {
    if (!start())
        return false;
    GtkWidget *dialog = gtk_font_chooser_dialog_new("Font", nullptr);
    try {
        gtk_font_chooser_set_font(GTK_FONT_CHOOSER(dialog), description_of(*choice).c_str());
    } catch (...) {
    }
    bool chosen = false;
    if (run_dialog(dialog) == GTK_RESPONSE_OK) {
        if (PangoFontDescription *desc = gtk_font_chooser_get_font_desc(GTK_FONT_CHOOSER(dialog))) {
            try {
                const char *family = pango_font_description_get_family(desc);
                choice->family = family != nullptr ? family : "";
                choice->bold = pango_font_description_get_weight(desc) >= PANGO_WEIGHT_BOLD;
                choice->italic = pango_font_description_get_style(desc) != PANGO_STYLE_NORMAL;
                choice->size_pt = static_cast<std::int32_t>(
                    std::lround(pango_font_description_get_size(desc) / double(PANGO_SCALE)));
                chosen = true;
            } catch (...) {
            }
            pango_font_description_free(desc);
        }
    }
    gtk_widget_destroy(dialog);
    return chosen;
}

bool choose_color(double *red, double *green, double *blue) noexcept {
    if (!start())
        return false;
    GtkWidget *dialog = gtk_color_chooser_dialog_new("Colour", nullptr);
    GdkRGBA rgba{*red, *green, *blue, 1.0};
    gtk_color_chooser_set_use_alpha(GTK_COLOR_CHOOSER(dialog), FALSE);
    gtk_color_chooser_set_rgba(GTK_COLOR_CHOOSER(dialog), &rgba);
    bool chosen = false;
    if (run_dialog(dialog) == GTK_RESPONSE_OK) {
        gtk_color_chooser_get_rgba(GTK_COLOR_CHOOSER(dialog), &rgba);
        *red = rgba.red;
        *green = rgba.green;
        *blue = rgba.blue;
        chosen = true;
    }
    gtk_widget_destroy(dialog);
    return chosen;
}

bool choose_page(dm::PageChoice *choice) noexcept {
    if (!start())
        return false;
    GtkWidget *dialog = gtk_page_setup_unix_dialog_new("Page Setup", nullptr);
    GtkPageSetup *setup = gtk_page_setup_new();
    GtkPaperSize *paper = paper_of(choice->width_mm, choice->height_mm);
    gtk_page_setup_set_paper_size(setup, paper);
    gtk_paper_size_free(paper);
    gtk_page_setup_set_orientation(setup, choice->landscape ? GTK_PAGE_ORIENTATION_LANDSCAPE
                                                            : GTK_PAGE_ORIENTATION_PORTRAIT);
    gtk_page_setup_set_top_margin(setup, choice->top_mm, GTK_UNIT_MM);
    gtk_page_setup_set_left_margin(setup, choice->left_mm, GTK_UNIT_MM);
    gtk_page_setup_set_bottom_margin(setup, choice->bottom_mm, GTK_UNIT_MM);
    gtk_page_setup_set_right_margin(setup, choice->right_mm, GTK_UNIT_MM);
    gtk_page_setup_unix_dialog_set_page_setup(GTK_PAGE_SETUP_UNIX_DIALOG(dialog), setup);
    g_object_unref(setup);
    bool chosen = false;
    if (run_dialog(dialog) == GTK_RESPONSE_OK) {
        GtkPageSetup *got =
            gtk_page_setup_unix_dialog_get_page_setup(GTK_PAGE_SETUP_UNIX_DIALOG(dialog));
        GtkPaperSize *size = gtk_page_setup_get_paper_size(got);
        choice->width_mm = gtk_paper_size_get_width(size, GTK_UNIT_MM);
        choice->height_mm = gtk_paper_size_get_height(size, GTK_UNIT_MM);
        const GtkPageOrientation o = gtk_page_setup_get_orientation(got);
        choice->landscape =
            o == GTK_PAGE_ORIENTATION_LANDSCAPE || o == GTK_PAGE_ORIENTATION_REVERSE_LANDSCAPE;
        choice->top_mm = gtk_page_setup_get_top_margin(got, GTK_UNIT_MM);
        choice->left_mm = gtk_page_setup_get_left_margin(got, GTK_UNIT_MM);
        choice->bottom_mm = gtk_page_setup_get_bottom_margin(got, GTK_UNIT_MM);
        choice->right_mm = gtk_page_setup_get_right_margin(got, GTK_UNIT_MM);
        chosen = true;
    }
    gtk_widget_destroy(dialog);
    return chosen;
}

} // namespace vkobase::gtk
