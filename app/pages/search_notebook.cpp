// search_notebook.cpp: the search pages' notebook.
#include "app/pages/search_notebook.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/pages/search_page_win.h"
#include "app/shell/main_ref_win.h"

SearchNotebook::SearchNotebook(MainRefWin* window, const FRM_CRect& frame)
    : FRM_NNotebook(window, frame), itsWindow(window)
{
}

void SearchNotebook::DoHit(const s_ctlinfo& info)
{
    FRM_NNotebook::DoHit(info);
    itsWindow->FrontPageChanged();
}

void SearchNotebook::ShowResultsList(const ResultsRecord& record)
{
    std::vector<std::string> lines = SearchPageWin::ListLines(*record.hits);
    // The count is of every hit, also of those the lists had no room for; the pages say
    // when they list only the first ones.
    const long found = std::max(record.found, static_cast<long>(record.hits->entries()));
    for (SearchPageWin* page : itsPages) {
        page->DoCommand(SearchPageWin::kCmdFillHitList, &lines);
        page->ShowListedPart(lines.size(), found);
    }
    itsWindow->ShowCount(std::to_string(found) + " Entries Found");
}

void SearchNotebook::ShowListMoves()
{
    SearchPageWin::ListMoves moves{static_cast<std::int16_t>(itsHistories.results.NextExists() ? 1 : 0),
                                   static_cast<std::int16_t>(itsHistories.results.PreviousExists() ? 1 : 0)};
    ToAllPages(SearchPageWin::kCmdListMoves, &moves);
}

void SearchNotebook::ToFrontPage(long command, void* data)
{
    if (SearchPageWin* front = itsWindow->GetFrontPage())
        front->DoCommand(command, data);
}

void SearchNotebook::ToAllPages(long command, void* data)
{
    for (SearchPageWin* page : itsPages)
        if (page != nullptr)
            page->DoCommand(command, data);
}
