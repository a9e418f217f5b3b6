// Resource text format: the program's menus, window and dialog definitions, strings, fonts,
// images and data blocks as text, parsed into a plain model and written back. Used by the
// resource registry (res.cpp) at run time and by the resource compiler (tools/rescomp.cpp)
// at build time, so this file depends on the standard library only.
//
// The format, one item per statement; '#' starts a comment outside strings; numbers are
// decimal or 0x-hex, optionally negative (but never an item's id); strings are in double quotes
// with the escapes
// \\ \" \n \r \t and \xHH (any byte):
//
//   string 1000 "Entry Word is"
//   font   5    "01\\helvetica\\0\\10\\"          # a native font description
//   image  39100 file "bkmk_sm.xpm"              # bytes of a file beside the resource text
//   image  39101 hex "2f2a2058504d202a2f"        # bytes inline, two hex digits per byte
//   data   10000 "86463 10001 512 "              # a raw data block
//   menu 1 {
//     popup "&File" {                            # popup [tag] "title" [options] { ... }
//       item 32001 "&New Window"                 # item tag "title" [options]
//       separator
//       item 3 "&Entry Text" off                 # options: off, checked, checkable, key=N,
//     }                                          #   right, state=N
//     popup "&Help" right { ... }                # right: this title and those after it sit
//   }                                            #   at the right end of the menu bar
//   accelerators 9001 {                          # key text, then the menu tag it sends
//     "Alt+F1" 32462
//     "Ctrl+C" 32028
//   }
//   window 2000 {                                # or: dialog 9050 { ... }
//     entry type=1 rect=(10,10,300,400) title="Main" menubar=1 flags=0x800
//     entry type=12 rect=(5,5,25,80) title="OK" id=101 ctlflags=0 font=5
//   }
//
// Entry keys: type (window or control type; required), rect=(top,left,bottom,right) in the
// parent's client pixels, title, id (16-bit control id), menubar (the first entry's menu-bar
// resource id), ctlflags (control flags), flags (window flags of the first entry), value1,
// value2, value3 (16-bit values carried to the control), units (of rect: 0 pixels, 1
// character cells, 2 half cells, 3 points), txattrs, txmargin, txlimit (text-edit entries:
// attributes, wrap margin and character limit), font (a font resource id).
//
// Menu item options: off (created disabled), checked, checkable, key=N (a 16-bit key code
// kept with the item), state=N (the item's 16-bit state word), right (sets the state bit
// 0x4000 that puts a menu-bar title, and the titles after it, at the right end of the bar).
// In titles '&' (or '~') marks the letter that chooses the item from the keyboard; "&&" is a
// plain '&'. A tab in a title starts the key text shown at the right of the item.
//
// Accelerator keys: modifiers "Ctrl+", "Shift+", "Alt+" in any order, then one key: a
// printable character (letters match either case), F1 to F12, Insert, Delete, Home, End,
// PageUp, PageDown, Up, Down, Left, Right, Enter, Escape, Tab, Backspace or Space. A table
// may bind one tag to several keys; when it binds one key twice, the first entry wins.
#ifndef VKOBASE_RES_TEXT_H
#define VKOBASE_RES_TEXT_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vkobase::res {

struct MenuItem {
    int32_t tag = 0;
    std::string title;
    int32_t mkey = 0;
    bool enabled = true;
    bool checked = false;
    bool checkable = false;
    bool separator = false;
    int32_t state = 0;   // the 16-bit state word; bit 0x4000 aligns a bar title right
    bool popup = false;  // a submenu, even while it has no items
    std::vector<MenuItem> children;

    bool operator==(const MenuItem&) const = default;
};

struct WinEntry {
    int32_t type = 0;
    int16_t top = 0, left = 0, bottom = 0, right = 0;
    std::string title;
    int32_t id = 0;
    int32_t menu_bar_id = 0;
    uint32_t ctl_flags = 0;
    uint32_t win_flags = 0;
    int32_t value1 = 0, value2 = 0, value3 = 0;
    int32_t units = 0;
    uint32_t tx_attrs = 0;
    int32_t tx_margin = 0, tx_limit = 0;
    int32_t font_id = 0;  // 0: the default font

    bool operator==(const WinEntry&) const = default;
};

// One accelerator: the key as written in the resource text, and the menu tag it sends.
struct Accel {
    std::string keys;
    int32_t tag = 0;

    bool operator==(const Accel&) const = default;
};

// An accelerator key read from its text: the modifiers, and either a character (letters in
// upper case) or a virtual key code of the toolkit (virt true).
struct AccelKey {
    bool ctrl = false, shift = false, alt = false;
    bool virt = false;
    uint16_t code = 0;
};

// Reads key text such as "Ctrl+Shift+F1"; false for text that names no key.
bool parse_accel_key(const std::string& text, AccelKey* key);

// Everything one resource text defines, by id.
struct Bundle {
    std::map<int32_t, std::string> strings;
    std::map<int32_t, std::string> fonts;
    std::map<int32_t, std::string> images;  // raw image file bytes
    std::map<int32_t, std::string> data;
    std::map<int32_t, std::vector<MenuItem>> menus;
    std::map<int32_t, std::vector<WinEntry>> windows;
    std::map<int32_t, std::vector<WinEntry>> dialogs;
    std::map<int32_t, std::vector<Accel>> accels;

    bool operator==(const Bundle&) const = default;
};

// Reads an "image N file" statement's file; answers false when it cannot.
using FileReader = bool (*)(const std::string& path, std::string* bytes, void* context);

// Parses text into bundle (items add to what it holds, replacing those of other texts with
// the same id). A negative id, or an id defined twice for one kind of item within text, is a
// fault. On a fault answers false and sets error to "line N: what". file_reader may be null,
// which refuses every "image N file" statement.
bool parse_text(const std::string& text, Bundle* bundle, std::string* error,
                FileReader file_reader, void* reader_context);

// Writes bundle in the canonical form of the format (images inline as hex); parse_text of
// the result gives an equal bundle.
std::string write_text(const Bundle& bundle);

// Reads the whole file at path into bytes; answers false when it cannot be opened or read.
bool read_file(const std::string& path, std::string* bytes);

// The file an "image N file" statement names, for a resource text in folder dir: path
// itself when it is absolute or empty or dir is empty, otherwise path taken inside dir.
std::string path_beside(const std::string& dir, const std::string& path);

}  // namespace vkobase::res

#endif
