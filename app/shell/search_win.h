// search_win.h: SearchWin, the modal status window in which every search runs. The search
// starts on the window's first timer tick; the window stays out of sight unless the search
// takes longer than two seconds, and then stays up at least one second. While the engine
// works it shows the query, the word most recently found and a progress bar, and its Stop
// button asks the engine to end the search with what it has found so far.
//
// While the search runs the application counts as searching: events handled from the
// engine's progress reports start no second search, and the application's deferred work
// waits until it is over.
#pragma once
#include <cstdint>
#include <string>

#include "app/shell/id_data.h"
#include "engine/progress.h"
#include "frm/views/cwindow.h"

class RefDoc;
class RWOrdered;
struct SearchRequest;

class SearchWin : public FRM_CWindow, public StatusSink {
public:
    static constexpr long kCmdStop = 8001;
    static constexpr std::int32_t kStartDelayMs = 100;
    static constexpr std::int32_t kShowAfterMs = 2000;
    static constexpr std::int32_t kShownAtLeastMs = 1000;
    static constexpr std::size_t kStatusLineLimit = 249;

    // Runs the request's search (its text under its index code: "" the text is a query as
    // written; a code whose first byte is 1 the entry-word index "va") in a status window
    // of document. With hits they go into the request, which goes back to the document as
    // command 88; without, the request keeps none and, unless quiet, the user is told "No
    // Entries Found!" (or, for a text the engine cannot read as a query, that the search
    // text is wrong). A search asked for while another runs does not run.
    static void Run(RefDoc* document, SearchRequest* request);

    // The line that shows the query: "code=text", or the text alone for code "0...".
    static std::string StatusLine(const std::string& text, const std::string& code);
    // The status window of the running search, null outside a search.
    static SearchWin* Current();
    // Forgets the running search's window, as if none had been made (tests).
    static void ResetForTests();

    // The factory's constructor.
    SearchWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
              long attributes, e_win_type type, int menuBarId, WINDOW parent);
    ~SearchWin() override;

    // StatusSink
    void show_message(const char* text) override;
    void show_percentage(int percent) override;

    // FRM_CWindow
    void DoCommand(long command, void* data) override;
    void DoTimer(long timerId) override;

private:
    void Begin(SearchRequest* request);
    void RunSearch();
    // Fills the progress rectangle from its left over percent of its width.
    void DrawProgress();
    void StopTimer(std::int32_t* timer);

    SearchWinIDData itsIDData;
    SearchRequest* itsRequest = nullptr;  // the page's, on its stack
    std::string itsStatusLine;
    std::string itsFound;
    int itsPercent = 0;
    bool itIsShown = false;
    bool itIsClosingLater = false;  // the search is over; closes when timer C fires
    std::int32_t itsTimerA = -1;    // starts the search
    std::int32_t itsTimerB = -1;    // shows the window
    std::int32_t itsTimerC = -1;    // keeps it shown
};
