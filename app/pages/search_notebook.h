// search_notebook.h: SearchNotebook, the tabbed notebook of a main reference window whose
// faces are the three search pages (basic, advanced, browse). It is the hub between the
// pages, the main window and the reference document: it keeps the window's two histories
// (the results lists of earlier searches and the entries viewed) and moves through them,
// sends a results list to all three pages (the page in front lists it at once, the others
// when they come to the front) with the count in the status bar, tells
// every page whether there is a next and a previous results list and the main window
// whether there is a next and a previous entry, hands a chosen hit to the document, and
// sends commands to the page in front or to all of them. A page brought to the front by
// its tab takes the entry.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/pages/search_history.h"
#include "frm/core/ccommand.h"
#include "frm/controls/nnotebk.h"

class FRM_CStringRW;
class FRM_CSubmenu;
class MainRefWin;
class SearchPageWin;
struct SearchRequest;

class SearchNotebook : public FRM_NNotebook {
public:
    static constexpr int kPageCount = 3;

    // Commands without a payload (DoCommand).
    static constexpr long kCmdApplyPreferences = 74; // every page takes the preferences
    static constexpr long kCmdPrintResults = 84;     // these three go to the front page
    static constexpr long kCmdPrintEntry = 85;
    static constexpr long kCmdEmptyHitList = 137;
    static constexpr long kCmdNextList = 96;
    static constexpr long kCmdPreviousList = 97;
    static constexpr long kCmdNextEntry = 98;
    static constexpr long kCmdPreviousEntry = 99;
    static constexpr long kCmdReferenceChanged =
        106; // the basic and advanced choosers: the new search types
    static constexpr long kCmdHistoryWindow = 108;   // the entry history in the history window
    static constexpr long kCmdShowCurrentResults = 122; // every page lists the current list again
    // The page's commands 87 and 131 (a string to search) go to the front page, and 135
    // (a search page and type chosen) to its page, with their payloads as the page reads
    // them (SearchPageWin::CmdSearchString, CmdSearchFor, CmdChooseSearch).

    // The commands with a payload, each sent and read only as its type.
    using CmdLookUp = FRM_TCommand<78, const std::string>;   // searched on the front page
    using CmdHitChosen = FRM_TCommand<83, const int>;        // the line of the hit lists
    // A request that found something: its hits enter the results history just after the
    // current list, every page lists them and the first hit's entry is shown.
    using CmdEnterResults = FRM_TCommand<93, SearchRequest>;
    using CmdEnterEntry = FRM_TCommand<94, const EntryRecord>; // enters the entry history
    // Take the current entry's word; unchanged while no entry was viewed.
    using CmdCurrentWord = FRM_TCommand<107, std::string>;
    using CmdCurrentWordString = FRM_TCommand<110, FRM_CStringRW>;
    using CmdShowEntryAt = FRM_TCommand<109, const std::int32_t>; // a 1-based position
    struct HistoryMenus;
    using CmdHistoryMenus = FRM_TCommand<115, const HistoryMenus>;
    using CmdMoveEntries = FRM_TCommand<116, const std::int32_t>; // an offset
    using CmdTakeOver = FRM_TCommand<117, SearchNotebook>;        // another window's
    using CmdAppendEntries = FRM_TCommand<118, const History<EntryRecord>>;
    using CmdAppendResults = FRM_TCommand<119, const History<ResultsRecord>>;
    using CmdEntryPosition = FRM_TCommand<120, std::int32_t>;     // takes the position
    using CmdResultsPosition = FRM_TCommand<121, std::int32_t>;
    using CmdFrontPageNumber = FRM_TCommand<123, std::int16_t>;
    using CmdHasEntries = FRM_TCommand<136, std::int16_t>;        // 1 with entries viewed

    // The two submenus that command 115 fills from the entry history: "Backward" from the
    // current entry towards the first, "Forward" towards the last, each at most ten items
    // (either may be null).
    struct HistoryMenus {
        FRM_CSubmenu* backward;
        FRM_CSubmenu* forward;
    };
    static constexpr std::size_t kHistoryMenuItems = 10;

    SearchNotebook(MainRefWin* window, const FRM_CRect& frame);

    const SearchHistories& GetHistories() const { return itsHistories; }
    // The pages on the faces, in tab order; the main window puts them there.
    SearchPageWin* GetPage(int index) const { return itsPages[static_cast<std::size_t>(index)]; }
    void SetPage(int index, SearchPageWin* page)
    {
        itsPages[static_cast<std::size_t>(index)] = page;
    }
    using FRM_NNotebook::GetFrontPage;
    SearchPageWin* GetFrontPage() const;
    // The hits of the results list shown, null before the first search.
    const RWOrdered* GetCurrentHits() const;

    // Every page lists the results of record; the status bar counts all its hits.
    void ShowResultsList(const ResultsRecord& record);
    // A search found nothing or a list was emptied (page's, or every page's when null): the
    // count says so, the labels ask for a click again and the print items follow.
    void ShowNoHits(const SearchPageWin* page = nullptr);
    // page's hit list now stands for found words (the basic page's type-ahead lines). The
    // status bar counts the list of the page in front, whichever filled it.
    void ShowListCount(const SearchPageWin* page, long found);
    // The page in front changed: it lists the results sent while it was hidden, and the
    // status bar counts its list.
    void FrontPageChanged();
    // The status bar counts the list of the page in front.
    void ShowFrontCount();
    // Tells every page whether there is a next and a previous results list, and the main
    // window whether there is a next and a previous entry.
    void ShowMoves();
    // Moves through the histories; false (and nothing changes) at their ends.
    bool ShowOtherEntry(int delta);
    // Goes to entry position (1-based) of the entry history; false outside it.
    bool ShowEntryAt(long position);
    bool ShowOtherResults(int delta);
    // The texts the history pop-ups list: the entries from the current one back (backward)
    // or on (forward), the current one first, at most ten.
    std::vector<std::string> HistoryItems(bool forward) const;

    // A command for the page in front, or for every page in tab order.
    void ToFrontPage(long command, void* data);
    void ToAllPages(long command, void* data);

    // FRM_NNotebook
    void DoCommand(long command, void* data) override;
    void DoHit(const s_ctlinfo& info) override;

private:
    void EnterResults(SearchRequest& request);
    void ShowResults(const ResultsRecord& record);
    void ShowHit(int index);
    // The line of the results list whose entry is shown, selected in every page's list
    // that holds the results.
    void SelectLine(int index);
    void ShowCurrentResults();
    void TakeOver(SearchNotebook& other);
    void OpenHistoryWindow();
    void FillHistoryMenus(const HistoryMenus& menus) const;
    void ShowEntry(const WordItem& word, const std::vector<std::string>& highlights);

    MainRefWin* itsWindow;                              // the window holding the notebook
    SearchHistories itsHistories;
    std::array<SearchPageWin*, kPageCount> itsPages{};  // on the faces, the view tree's
    std::array<long, kPageCount> itsCounts{};           // what each page's list stands for
};
