// table_win.h: TableWin, the window that shows one of the dictionary's tables as a picture
// in a scrolling pane, with a button (and Print > Table) that prints it. The reference
// document makes one per table asked for and sends it command 112, which loads the table
// of the entry shown and shows the window.
#pragma once
#include <memory>

#include "app/shell/id_data.h"
#include "frm/core/ccommand.h"
#include "frm/views/cwindow.h"

class EntryPainter;
class FRM_CPicture;
class FRM_CScroller;

class TableWin : public FRM_CWindow {
public:
    // Loads the current entry's table and shows the window.
    using CmdShowTable = FRM_TCommand<112>;
    static constexpr long kCmdPrint = 6001;

    // The factory's constructor (element 1028: the print button and the scroller).
    TableWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
             long attributes, e_win_type type, int menuBarId, WINDOW parent);
    ~TableWin() override;

    // The table's layout object (none before command 112) and its picture (none when the
    // entry had no table).
    EntryPainter* GetTable() const { return itsTable.get(); }
    FRM_CPicture* GetPicture() const { return itsPicture; }
    FRM_CScroller* GetScroller() const;

    // FRM_CWindow
    void DoCommand(long command, void* data) override;
    void DoMenuCommand(short tag, short shift, short control) override;
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    void Draw(const FRM_CRect& clip) override;
    void UpdateMenus(FRM_CMenuBar* menuBar) override;

private:
    void ShowTable();
    // Widens the window to show tableWidth pixels of table beside the scroller's bar, within
    // the screen; never narrower than it was made.
    void FitWidth(int tableWidth);

    TableWinIDData itsIDData;
    std::unique_ptr<EntryPainter> itsTable;
    FRM_CPicture* itsPicture = nullptr;   // the scroller's
};
