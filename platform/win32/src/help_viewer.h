// help_viewer.h: the help viewer behind WinHelpA: one window of its own that shows the topics
// of a help file (help_file.h): the contents topic, a topic by number, the keyword search,
// links between topics and Back. HELP_QUIT closes it. The same window runs headless, so tests
// look at its state here and drive it with events.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "vkobase/types.h"
#include "win32/wintypes.h"

namespace win32::help {

// What the viewer shows.
enum class Page { kNone, kTopic, kSearch, kMessage };

struct ViewerState {
    WINDOW win = nullptr; // null while the viewer is closed
    std::string file;     // the help file's path
    Page page = Page::kNone;
    std::int32_t topic = 0;                                     // kTopic
    std::string key;                                            // kSearch: the text typed
    std::vector<std::pair<std::string, std::int32_t>> matches;  // kSearch
    std::string message;                                        // kMessage
    bool can_go_back = false;
};

// Carries out a request of WinHelpA (the file is null only for HELP_QUIT). False when the
// viewer cannot be shown (no window could be made).
bool viewer_request(const char *file, UINT command, ULONG_PTR data) noexcept;

// The viewer as it stands.
ViewerState viewer_state();

// Where the links of the page lie (window client coordinates) and the topic of each; the
// buttons Contents, Search and Back come first with the targets -1, -2 and -3.
std::vector<std::pair<s_rct, std::int32_t>> viewer_hot_spots();

void reset_viewer() noexcept;

} // namespace win32::help
