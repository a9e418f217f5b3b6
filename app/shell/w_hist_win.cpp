// w_hist_win.cpp: the history window.
#include "app/shell/w_hist_win.h"

#include "app/shell/ref_doc.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
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

WHistWin::WHistWin(RefDoc* document, const std::vector<std::string>& names)
    : FRM_CWindow(document, FRM_CRect(220, 160, 500, 440), FRM_CStringRW(1149), 0, W_MODAL, 0,
                  reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW)))
{
    itsList = new FRM_NListBox(this, FRM_CRect(15, 15, 265, 220), FRM_CStringCollection(), 0);
    itsList->SetDoubleCommand(kCmdDouble);
    for (const std::string& line : ListLines(names))
        itsList->Insert(FRM_CStringRW(line.c_str()), -1);
    auto* ok = new FRM_NButton(this, FRM_CRect(15, 235, 105, 260), FRM_CStringRW(1147), 0);
    ok->SetCommand(kCmdOk);
    auto* cancel = new FRM_NButton(this, FRM_CRect(175, 235, 265, 260), FRM_CStringRW(1161), 0);
    cancel->SetCommand(kCmdCancel);
}

long WHistWin::Confirmed() const
{
    const int selected = itsList->GetSelectPosition();
    return selected >= 0 ? selected + 1 : 0;
}

long WHistWin::Run(RefDoc* document, const std::vector<std::string>& names)
{
    long answer = 0;
    auto* window = new WHistWin(document, names);
    window->itsAnswer = &answer;
    vko_win_process_modal(window->GetVKOWindow());
    return answer;
}

void WHistWin::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdDouble:
    case kCmdOk:
        if (itsAnswer != nullptr)
            *itsAnswer = Confirmed();
        Close();
        return;
    case kCmdCancel:
        Close();
        return;
    default:
        FRM_CWindow::DoCommand(command, data);
    }
}
