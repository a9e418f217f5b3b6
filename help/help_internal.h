// help_internal.h: the help object with its topic table and associations, and what the
// module's sources share: hfile.cpp (opening, closing, the association file, extensions),
// hassoc.cpp (associations) and hevent.cpp (events, object click, the viewer).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vkohelp/help.h"

namespace vkohelp {

constexpr char kModule[] = "hassoc";

constexpr std::uint32_t kErrNull = 0x210000;        // null help object, window; tag below 1
constexpr std::uint32_t kErrInvalidHelp = 0x500000; // not a help object
constexpr std::uint32_t kErrNotWindowOrDialog = 0x597170;
constexpr std::uint32_t kErrShortRow = 0x597171; // association line with too few values
constexpr std::uint32_t kErrBadKind = 0x597172;  // association line with another letter
constexpr std::uint32_t kErrLongRow = 0x597173;  // association line too long to be a row

// Kinds of the topic table's rows, and of windows (kNoKind: nothing help associates).
enum TopicKind : std::int32_t {
    kNoKind = 0,
    kWindow = 1,
    kDialog = 2,
    kControl = 3,
    kMenuItem = 4
};

struct TopicRow {
    std::int32_t kind;
    std::int32_t object; // window or dialog resource id, control id or menu tag
    std::int32_t owner;  // resource id of the holding window or dialog, 0 for any
    std::int32_t topic;
};

// Kind bits of an association record.
constexpr std::uint8_t kAssocWindow = 1;
constexpr std::uint8_t kAssocMenu = 2;
constexpr std::uint8_t kAssocControl = 4;
constexpr std::uint8_t kAssocDialog = 8;

// One associated object: a window, dialog or control (win), or a menu tag of a window (owner,
// null for the whole application). A control's owner is its parent window.
struct Assoc {
    WINDOW owner;
    WINDOW win;
    std::int16_t tag;
    std::int32_t topic;
    std::uint8_t kind;
};

} // namespace vkohelp

struct vkoh_help_info {
    vkoh_help_info *self = nullptr; // the object's own address while it is valid
    std::string path;               // of the help file, absolute
    std::int32_t flags = 0;
    bool objclick = false;
    WINDOW objclick_win = nullptr;
    std::uint16_t saved_cursor = 0;
    s_pnt last_point{};                    // in screen coordinates
    std::vector<vkohelp::TopicRow> topics; // sorted by object, kind, owner
    std::string assoc_path;                // the association file beside the help file
    std::int32_t assoc_state = 0;          // VKOH_ASSOC_READ, _MISSING, _DAMAGED or _EMPTY
    std::vector<vkohelp::Assoc> assocs;    // in the order they were made
};

namespace vkohelp {

// Reports with the module's name; severity 2: the call does nothing more.
void report(std::uint32_t code, int line) noexcept;
// A help object that is given (0x210000) and valid (0x500000).
bool help_ok(HELPINFO help, int line) noexcept;

// The path with its extension replaced: the text after the last separator ('/', '\' or ':')
// loses its last '.' and what follows, and gets ext (a '.' added unless ext has one).
std::string change_extension(std::string_view path, std::string_view ext);
// The rows of an association file, sorted; empty when it is missing or has a bad row (which
// is reported). *state: VKOH_ASSOC_READ, VKOH_ASSOC_MISSING, VKOH_ASSOC_DAMAGED or
// VKOH_ASSOC_EMPTY.
std::vector<TopicRow> read_topic_table(const std::string &path, std::int32_t *state);
// The topic of (kind, object, owner): the exact row, else with owner 0 for an owner that is
// not 0, else a row of any owner for owner 0; 0 when none.
std::int32_t lookup_topic(const std::vector<TopicRow> &rows, std::int32_t kind, std::int32_t object,
                          std::int32_t owner);

// The kind of a window by its toolkit type (a text edit counts as type 23: no kind).
TopicKind kind_of_window(WINDOW win) noexcept;
void set_window_assoc(HELPINFO help, WINDOW win, std::int32_t topic);
void set_menu_assoc(HELPINFO help, WINDOW owner, std::int16_t tag, std::int32_t topic);
std::int32_t window_assoc(HELPINFO help, WINDOW win) noexcept;
std::int32_t menu_assoc(HELPINFO help, WINDOW owner, std::int16_t tag) noexcept;
// The association of the window or of its nearest parent that has one; 0 when none.
std::int32_t nearest_window_assoc(HELPINFO help, WINDOW win) noexcept;
// Removes every association owned by win, then win's own.
void remove_assocs_of(HELPINFO help, WINDOW win) noexcept;

// The viewer: topic 32000 as help on help, 32006 as contents, others as context numbers.
void viewer_display(HELPINFO help, std::int32_t topic) noexcept;
void viewer_search(HELPINFO help, const char *key) noexcept;
void viewer_quit(HELPINFO help) noexcept;
void stop_objclick(HELPINFO help) noexcept;

} // namespace vkohelp
