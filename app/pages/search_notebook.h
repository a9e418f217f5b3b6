// search_notebook.h: SearchNotebook, the tabbed notebook of a main reference window whose
// faces are the three search pages (basic, advanced, browse). It keeps the window's two
// histories (the results lists of earlier searches and the entries viewed), fills the hit
// lists of all three pages at once with the count in the status bar, tells every page
// whether there is a next and a previous results list, and sends commands to the page in
// front or to all of them. A page brought to the front by its tab takes the entry.
#pragma once
#include <array>

#include "app/pages/search_history.h"
#include "frm/controls/nnotebk.h"

class MainRefWin;
class SearchPageWin;

class SearchNotebook : public FRM_NNotebook {
public:
    static constexpr int kPageCount = 3;

    SearchNotebook(MainRefWin* window, const FRM_CRect& frame);

    SearchHistories& GetHistories() { return itsHistories; }
    const SearchHistories& GetHistories() const { return itsHistories; }
    // The pages on the faces, in tab order; the main window puts them there.
    const std::array<SearchPageWin*, kPageCount>& GetPages() const { return itsPages; }
    SearchPageWin* GetPage(int index) const { return itsPages[static_cast<std::size_t>(index)]; }
    void SetPage(int index, SearchPageWin* page) { itsPages[static_cast<std::size_t>(index)] = page; }

    // Every page lists the results of record; the status bar counts all its hits.
    void ShowResultsList(const ResultsRecord& record);
    // Tells every page whether there is a next and a previous results list.
    void ShowListMoves();
    // A command for the page in front, or for every page in tab order.
    void ToFrontPage(long command, void* data);
    void ToAllPages(long command, void* data);

    // FRM_NNotebook
    void DoHit(const s_ctlinfo& info) override;

private:
    MainRefWin* itsWindow;                              // the window holding the notebook
    SearchHistories itsHistories;
    std::array<SearchPageWin*, kPageCount> itsPages{};  // on the faces, the view tree's
};
