// main_ref_win.h: MainRefWin, the main reference window of a reference document: the
// program's menu bar and the search page, whose entry pane the window's entry engine draws
// into.
#pragma once

#include <memory>

#include "app/pages/search_history.h"
#include "frm/views/cwindow.h"

class EntryPainter;
class KQBasicWin;
class RefDoc;

class MainRefWin : public FRM_CWindow {
public:
    static constexpr float kWidth = 820;
    static constexpr float kHeight = 580;

    MainRefWin(RefDoc* document, WINDOW task);
    ~MainRefWin() override;

    KQBasicWin* GetBasicPage() const { return itsBasicPage; }
    // The entry engine that draws the chosen entry into the page's entry pane.
    EntryPainter& GetPainter() const { return *itsPainter; }
    SearchHistories& GetHistories() { return itsHistories; }

    // FRM_CWindow
    void DoMenuCommand(short tag, short shift, short control) override;

private:
    RefDoc* itsDocument;
    SearchHistories itsHistories;
    std::unique_ptr<EntryPainter> itsPainter;
    KQBasicWin* itsBasicPage = nullptr;   // the view tree's
};
