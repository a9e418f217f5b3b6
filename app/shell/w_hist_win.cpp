// w_hist_win.cpp: the history window.
#include "app/shell/w_hist_win.h"

#include "app/shell/kq_factory.h"
#include "app/shell/ref_doc.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/runtime/cnav.h"
#include "ruk/static/vkoruk.h"

std::vector<std::string> WHistWin::ListLines(const std::vector<std::string>& names)
{
    std::vector<std::string> lines;
    std::size_t total = 0;
    for (const std::string& name : names) {
        total += name.size() + 2;
        if (total >= kListBudget)
            break;
        lines.push_back(name);
    }
    return lines;
}

WHistWin::WHistWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
                   long attributes, e_win_type type, int menuBarId, WINDOW parent)
    : FRM_CWindow(document, frame, title, attributes, type, menuBarId, parent)
{
    KQedAppFactory::Instance().DoCreateViews(this, KQedAppFactory::kHistoryWindow, 0, &itsIDData);
    itsList = itsIDData.Get<FRM_NListBox>(1217);
}

WHistWin* WHistWin::Make(RefDoc* document, const std::vector<std::string>& names)
{
    auto* window = dynamic_cast<WHistWin*>(
        KQedAppFactory::Instance().CreateWindow(document, KQedAppFactory::kHistoryWindow));
    if (window != nullptr && window->itsList != nullptr)
        for (const std::string& line : ListLines(names))
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
    long answer = 0;
    WHistWin* window = Make(document, names);
    if (window == nullptr)
        return answer;
    window->itsAnswer = &answer;
    FRM_CView::DeletionWatch watch(window);
    vko_win_process_modal(window->GetVKOWindow());
    // The loop can end with the window still open (a test's idle loop): it must not keep
    // pointing at this frame's answer.
    if (!watch.IsGone())
        window->itsAnswer = nullptr;
    return answer;
}

void WHistWin::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdDouble:
    case kCmdOk:
        if (itsAnswer != nullptr)
            *itsAnswer = Confirmed();
        itsClose.Ask(this);
        return;
    case kCmdCancel:
        itsClose.Ask(this);
        return;
    default:
        FRM_CWindow::DoCommand(command, data);
    }
}

void WHistWin::DoKey(const FRM_CKey& key)
{
    if (!key.IsVirtualKey() && key.GetChar() == 27)
        DoCommand(kCmdCancel, nullptr);
    else
        FRM_CWindow::DoKey(key);
}

void WHistWin::DoTimer(long timerId)
{
    if (!itsClose.OnTimer(this, timerId))
        FRM_CWindow::DoTimer(timerId);
}
