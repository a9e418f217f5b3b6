// w_hist_win.h: WHistWin, the modal "History List" window: the words of the entries viewed,
// in history order; OK or a double click goes to the one picked, Cancel goes nowhere.
#pragma once
#include <string>
#include <vector>

#include "app/shell/id_data.h"
#include "app/shell/modal_list.h"
#include "frm/views/cwindow.h"

class FRM_NListBox;
class RefDoc;

class WHistWin : public FRM_CWindow {
public:
    static constexpr long kCmdDouble = 7003;
    static constexpr long kCmdOk = 7005;
    static constexpr long kCmdCancel = 7007;
    // Shows names (as many as fit the list's budget) modally and answers the 1-based position
    // picked, 0 when cancelled or when nothing was picked.
    static long Run(RefDoc* document, const std::vector<std::string>& names);

    // The window made by the factory for names, without its modal loop (Run's, and tests').
    static WHistWin* Make(RefDoc* document, const std::vector<std::string>& names);
    // The factory's constructor.
    WHistWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
             long attributes, e_win_type type, int menuBarId, WINDOW parent);
    // What OK gives now: the selected line + 1, 0 without a selection.
    long Confirmed() const;
    FRM_NListBox* GetList() const { return itsList; }

    // FRM_CWindow
    void DoCommand(long command, void* data) override;
    // Escape cancels, as the Cancel button does; Return presses the focused button, or else
    // goes to the entry selected, as OK does.
    void DoKey(const FRM_CKey& key) override;
    void DoTimer(long timerId) override;

private:
    ModalAnswer<long> itsModal;
    WHistWinIDData itsIDData;
    FRM_NListBox* itsList = nullptr;
};
