// menu_tags.h: the tags of the program's menus and menu items. resources/tavlincd.res holds
// the menus themselves and writes the same numbers; the test menu_tags_test compares the two
// entry by entry, so a number changed on one side only fails it.
#pragma once

#include <string>

namespace menutag {

// A menu item's title marks its mnemonic with '&' or '~'; text from outside (a bookmark's
// name, a window's title, an entry word) has its own doubled so that it shows as written
// and takes no mnemonic.
inline std::string Literal(const std::string& text)
{
    std::string title;
    for (const char c : text) {
        if (c == '&' || c == '~')
            title += c;
        title += c;
    }
    return title;
}

// Submenus.
inline constexpr short kFile = 1;
inline constexpr short kPrint = 2;
inline constexpr short kEdit = 7;
inline constexpr short kView = 13;
inline constexpr short kBookmarks = 22;
inline constexpr short kAddBookmark = 24;
inline constexpr short kGoOnline = 27;
inline constexpr short kWindow = 34;
inline constexpr short kForward = 38;
inline constexpr short kBackward = 49;
inline constexpr short kHelp = 65;
inline constexpr short kEntryPopup = 125;

// Items.
inline constexpr short kPrintEntry = 3;
inline constexpr short kPrintResults = 4;
inline constexpr short kPrintIllustration = 5;
inline constexpr short kPrintTable = 6;
inline constexpr short kCopy = 8;
inline constexpr short kCopyWord = 9;
inline constexpr short kPaste = 10;
inline constexpr short kPreferences = 11;
inline constexpr short kClear = 12;
inline constexpr short kPreviousEntry = 14;
inline constexpr short kNextEntry = 15;
inline constexpr short kPreviousList = 16;
inline constexpr short kNextList = 17;
inline constexpr short kHistory = 18;
inline constexpr short kBasicSearches = 19;
inline constexpr short kAdvancedSearches = 20;
inline constexpr short kBrowseSearches = 21;
inline constexpr short kOrganizeBookmarks = 25;
inline constexpr short kNextWindow = 35;
inline constexpr short kForwardFirst = 39;   // "1" .. "10": 39 .. 48
inline constexpr short kBackwardFirst = 50;  // "1" .. "10": 50 .. 59
inline constexpr short kAbout = 66;
inline constexpr short kOpenInNewWindow = 126;
inline constexpr short kFindIn = 127;
inline constexpr short kNewWindow = 32001;
inline constexpr short kClose = 32003;
inline constexpr short kExit = 32009;
inline constexpr short kCopyAlternative = 32028;
inline constexpr short kSelectAll = 32031;
inline constexpr short kHelpContents = 32462;
inline constexpr short kHelpSearch = 32457;

// The Go Online items and the string ids of the addresses they open, in the same order.
inline constexpr short kGoOnlineItems[5] = {28, 29, 30, 31, 33};
inline constexpr int kGoOnlineAddresses[5] = {1157, 1163, 1046, 1159, 1052};

// Resource ids.
inline constexpr short kMainMenuBar = 1;
inline constexpr short kHistoryMenus = 37;
inline constexpr short kEntryPopupMenu = 124;

} // namespace menutag
