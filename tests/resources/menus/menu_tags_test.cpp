// The menu tags the program's code uses (resources/menu_tags.h) and the menus of the resource
// file (resources/tavlincd.res) are one list written twice: each tag must stand in the
// resource file under the title it names, in its menu, and every item and submenu of the
// program's menus must have its tag in the header.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "resources/menu_tags.h"

namespace {

struct MenuEntry {
    short menu;
    short tag;
    std::string title;
    bool operator<(const MenuEntry& other) const
    {
        return std::tie(menu, tag, title) < std::tie(other.menu, other.tag, other.title);
    }
};

// Every "item" and "popup" of the resource file's menus, with the menu resource it is in.
std::vector<MenuEntry> ResourceEntries()
{
    std::ifstream in(TAVLIN_RESOURCE_FILE);
    const std::regex menuLine(R"(^menu (\d+) \{)");
    const std::regex entryLine(R"re(^\s*(item|popup) (\d+) "([^"]*)")re");
    std::vector<MenuEntry> entries;
    short menu = -1;
    std::string line;
    std::smatch match;
    while (std::getline(in, line)) {
        if (std::regex_search(line, match, menuLine))
            menu = static_cast<short>(std::stoi(match[1]));
        else if (line.rfind("}", 0) == 0)
            menu = -1;
        else if (menu >= 0 && std::regex_search(line, match, entryLine))
            entries.push_back({menu, static_cast<short>(std::stoi(match[2])), match[3]});
    }
    return entries;
}

// The header's tags, each with the title the resource file must give it.
std::vector<MenuEntry> HeaderEntries()
{
    using namespace menutag;
    std::vector<MenuEntry> entries = {
        {kMainMenuBar, kFile, "&File"},
        {kMainMenuBar, kNewWindow, "&New Window"},
        {kMainMenuBar, kPrint, "&Print"},
        {kMainMenuBar, kPrintEntry, "&Entry Text"},
        {kMainMenuBar, kPrintResults, "&Results List"},
        {kMainMenuBar, kPrintIllustration, "&Illustration"},
        {kMainMenuBar, kPrintTable, "&Table"},
        {kMainMenuBar, kClose, "&Close"},
        {kMainMenuBar, kExit, "E&xit"},
        {kMainMenuBar, kEdit, "&Edit"},
        {kMainMenuBar, kCopy, "&Copy"},
        {kMainMenuBar, kCopyWord, "Cop&y Word"},
        {kMainMenuBar, kPaste, "&Paste"},
        {kMainMenuBar, kSelectAll, "Se&lect All"},
        {kMainMenuBar, kPreferences, "P&references"},
        {kMainMenuBar, kClear, "Cle&ar"},
        {kMainMenuBar, kView, "&View"},
        {kMainMenuBar, kPreviousEntry, "&Previous Entry"},
        {kMainMenuBar, kNextEntry, "&Next Entry"},
        {kMainMenuBar, kPreviousList, "Previous &List"},
        {kMainMenuBar, kNextList, "Ne&xt List"},
        {kMainMenuBar, kHistory, "&History"},
        {kMainMenuBar, kBasicSearches, "Basi&c Searches"},
        {kMainMenuBar, kAdvancedSearches, "A&dvanced Searches"},
        {kMainMenuBar, kBrowseSearches, "&Browse Searches"},
        {kMainMenuBar, kBookmarks, "&Bookmarks"},
        {kMainMenuBar, kAddBookmark, "&Add Bookmark"},
        {kMainMenuBar, kOrganizeBookmarks, "&Organize Bookmarks..."},
        {kMainMenuBar, kGoOnline, "&Go Online"},
        {kMainMenuBar, kWindow, "&Window"},
        {kMainMenuBar, kNextWindow, "&Next Window"},
        {kMainMenuBar, kHelp, "&Help"},
        {kMainMenuBar, kHelpContents, "&Contents and Index"},
        {kMainMenuBar, kHelpSearch, "&Search for help on..."},
        {kMainMenuBar, kAbout, "About This Product"},
        {kHistoryMenus, kForward, "Forward"},
        {kHistoryMenus, kBackward, "Backward"},
        {kEntryPopupMenu, kEntryPopup, "Entry Popup"},
        {kEntryPopupMenu, kOpenInNewWindow, "Open in new window..."},
        {kEntryPopupMenu, kFindIn, "Find in"},
    };
    const char* const goOnline[] = {"Orlesse Dictionary &Online", "&Word of the Day",
                                    "Word &Game of the Day", "Word &Site", "&Dorvane-Kestle"};
    for (int i = 0; i < 5; ++i)
        entries.push_back({kMainMenuBar, kGoOnlineItems[i], goOnline[i]});
    for (short i = 0; i < 10; ++i) {
        const std::string number = std::to_string(i + 1);
        entries.push_back({kHistoryMenus, static_cast<short>(kForwardFirst + i), number});
        entries.push_back({kHistoryMenus, static_cast<short>(kBackwardFirst + i), number});
    }
    return entries;
}

// Entries of the program's menus that the program never names: the framework's Print Setup
// command, and the Add Bookmark submenu's first item, which the program replaces by the
// bookmark folders before the menu is shown.
const std::set<MenuEntry> kUnnamed = {
    {menutag::kMainMenuBar, 32007, "Print Set&up..."},
    {menutag::kMainMenuBar, 23, "BOZO"},
};

TEST(MenuTags, EachTagStandsInTheResourceFileUnderItsTitle)
{
    const std::vector<MenuEntry> resource = ResourceEntries();
    ASSERT_FALSE(resource.empty()) << TAVLIN_RESOURCE_FILE;
    const std::set<MenuEntry> inResource(resource.begin(), resource.end());
    for (const MenuEntry& entry : HeaderEntries())
        EXPECT_TRUE(inResource.count(entry))
            << "menu " << entry.menu << ": no entry " << entry.tag << " \"" << entry.title << "\"";
}

TEST(MenuTags, EachEntryOfTheProgramsMenusHasItsTag)
{
    const std::vector<MenuEntry> header = HeaderEntries();
    const std::set<MenuEntry> named(header.begin(), header.end());
    const std::set<short> programMenus = {menutag::kMainMenuBar, menutag::kHistoryMenus,
                                          menutag::kEntryPopupMenu};
    for (const MenuEntry& entry : ResourceEntries()) {
        if (!programMenus.count(entry.menu) || kUnnamed.count(entry))
            continue;
        EXPECT_TRUE(named.count(entry)) << "menu " << entry.menu << ": entry " << entry.tag
                                        << " \"" << entry.title << "\" has no tag of its own";
    }
}

} // namespace
