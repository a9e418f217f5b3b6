// main_ref_win.h: MainRefWin, the main reference window of a reference document, made by the
// window factory: the program's menu bar; along the top the previous and next entry buttons,
// the reference selector and the logo; the search page in the middle, whose entry pane the
// window's entry engine draws into; the status bar with the result count and a help line.
#pragma once

#include <memory>

#include "app/pages/search_history.h"
#include "app/shell/id_data.h"
#include "frm/views/cwindow.h"

class EntryPainter;
class FRM_CButton;
class FRM_NListButton;
class FRM_NText;
class KQBasicWin;
class RefDoc;

class MainRefWin : public FRM_CWindow {
public:
    static constexpr long kCmdNextEntry = 98;
    static constexpr long kCmdPreviousEntry = 99;
    // The search page's place: below the top row of controls.
    static constexpr float kPageTop = 50;

    // The factory's constructor; document is the window's RefDoc.
    MainRefWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
               long attributes, e_win_type type, int menuBarId, WINDOW parent);
    ~MainRefWin() override;

    KQBasicWin* GetBasicPage() const { return itsBasicPage; }
    // The entry engine that draws the chosen entry into the page's entry pane.
    EntryPainter& GetPainter() const { return *itsPainter; }
    SearchHistories& GetHistories() { return itsHistories; }
    const MainRefWinIDData& GetIDData() const { return itsIDData; }
    // Enables the previous and next entry buttons.
    void ShowEntryMoves(bool previous, bool next);
    // The result count of the status bar's first field.
    void ShowCount(const std::string& text);

    // FRM_CWindow
    void DoCommand(long command, void* data) override;
    void DoMenuCommand(short tag, short shift, short control) override;

private:
    void FillReferenceSelector();

    RefDoc* itsDocument;
    MainRefWinIDData itsIDData;
    SearchHistories itsHistories;
    std::unique_ptr<EntryPainter> itsPainter;
    KQBasicWin* itsBasicPage = nullptr;   // the view tree's
};
