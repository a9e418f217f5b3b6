// gtk_bridge.h: the GTK 3 part of the base library: the system clipboard for text and the
// standard dialogs a Linux user knows (files, folders, fonts, colours, page setup). GTK is
// started on first use, and only while the X11 display is open: headless runs and tests never
// start it. While a dialog is open, GTK's main context and the base event loop run together
// (the display's X connection is a GLib source), so the program's windows keep repainting;
// their input waits until the dialog is answered. Internal to vkobase; no GTK type shows here.
#pragma once

#include <poll.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dm_convert.h"
#include "vkobase/types.h"

namespace vkobase::gtk {

// True when GTK runs or could be started now (the display is open).
bool available() noexcept;
// Lets GTK answer what waits for it (other programs asking for the clipboard); no-op when GTK
// was never started.
void pump() noexcept;
// What GTK waits for, added to an idle wait: the descriptors of its sources go into fds and
// timeout_ms (-1 for none) shrinks to its next timeout, so that one poll sleeps for both and
// pump then dispatches what woke it. No-op when GTK was never started.
void add_wait_sources(std::vector<pollfd> *fds, int *timeout_ms) noexcept;
// Stops GTK's part of the program: the clipboard text is handed over and forgotten.
void shut_down() noexcept;

// The CLIPBOARD selection as UTF-8 text: put answers false when GTK is not available; get
// answers false when no program offers text.
bool put_text(const std::string &utf8) noexcept;
bool get_text(std::string *utf8) noexcept;
// False when no program owns the clipboard, or when the server told that nobody took it
// since get_text last read it (so reading it again would only ask another program for what
// the program already has).
bool text_may_have_changed() noexcept;

enum class FileKind { kOpen, kSave, kFolder };
// Runs the file chooser over the program's front window, starting in folder with the name
// proposed (save only). Answers the chosen absolute path, or false when cancelled.
bool choose_file(FileKind kind, const std::string &title, const std::string &folder,
                 const std::string &name, std::string *path) noexcept;
bool choose_font(dm::FontChoice *choice) noexcept;
bool choose_color(double *red, double *green, double *blue) noexcept;
bool choose_page(dm::PageChoice *choice) noexcept;

} // namespace vkobase::gtk
