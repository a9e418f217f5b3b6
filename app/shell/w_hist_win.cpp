// w_hist_win.cpp: the history window.
#include "app/shell/w_hist_win.h"

#include "app/shell/kq_factory.h"
#include "app/shell/ref_doc.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/runtime/cnav.h"
#include "ruk/static/vkoruk.h"

WHistWin::WHistWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
                   long attributes, e_win_type type, int menuBarId, WINDOW parent)
    : FRM_CWindow(document, frame, title, attributes, type, menuBarId, parent)
{
    KQedAppFactory::Instance().DoCreateViews(this, KQedAppFactory::kHistoryWindow, 0, &itsIDData);
    itsList = itsIDData.Get<FRM_NListBox>(1217);
    // The list has the keys from the start: its first line is framed, and the first arrow
    // selects it.
    GetNavigator()->InitFocus();
}

WHistWin* WHistWin::Make(RefDoc* document, const std::vector<std::string>& names)
{
    auto* window = dynamic_cast<WHistWin*>(
        KQedAppFactory::Instance().CreateWindow(document, KQedAppFactory::kHistoryWindow));
    if (window != nullptr && window->itsList != nullptr)
        for (const std::string& line : FitListBudget(names))
            window->itsList->Insert(FRM_CStringRW(line.c_str()), -1);
    return window;
}

long WHistWin::Confirmed() const
{
    const int selected = itsList != nullptr ? itsList->GetSelectPosition() : -1;
    return selected >= 0 ? selected + 1 : 0;
}

long WHistWin::Run(RefDoc* document, const std::vector<std::string>& names)
{
    WHistWin* window = Make(document, names);
    return window != nullptr ? window->itsModal.Run(window) : 0;
}

void WHistWin::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdDouble:
    case kCmdOk:
        itsModal.Confirm(this, Confirmed());
        return;
    case kCmdCancel:
        itsModal.Cancel(this);
        return;
    default:
        FRM_CWindow::DoCommand(command, data);
    }
}

void WHistWin::DoKey(const FRM_CKey& key)
{
    if (itsModal.CancelOnEscape(this, key))
        return;
    if (!IsReturn(key)) {
        FRM_CWindow::DoKey(key);
        return;
    }
    // Return presses the button that has the keys; anywhere else it goes to the entry
    // selected, as OK does.
    if (!PressFocusedButton(this))
        DoCommand(kCmdOk, nullptr);
}

void WHistWin::DoTimer(long timerId)
{
    if (!itsModal.OnTimer(this, timerId))
        FRM_CWindow::DoTimer(timerId);
}
