// sp_help_win.cpp: the spelling-help window.
#include "app/shell/sp_help_win.h"

#include "app/display/entry_queries.h"
#include "app/settings/config_dict.h"
#include "app/shell/ref_doc.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/runtime/cnav.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/collstr.h"

namespace {

WINDOW TaskWindow()
{
    return reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW));
}

std::vector<std::string> SearchNames(const RefDoc* document)
{
    std::vector<std::string> names;
    if (const configDict* description = document->GetDescription()) {
        const RWOrdered& list = description->SearchNames();
        for (std::size_t i = 0; i < list.entries(); ++i)
            names.emplace_back(static_cast<const RWCollectableString*>(list[i])->data());
    }
    return names;
}

} // namespace

SpHelpWin::CodedWord SpHelpWin::SplitQuery(const std::string& query,
                                           const std::vector<std::string>& names)
{
    const std::size_t equals = query.find('=');
    if (equals != std::string::npos) {
        const std::string code = query.substr(0, equals);
        for (const std::string& name : names)
            if (name == code)
                return {code, query.substr(equals + 1)};
    }
    return {"", query};
}

std::vector<std::string> SpHelpWin::ListLines(const RWOrdered& words, const std::string& typed,
                                              int* selected)
{
    std::vector<std::string> lines;
    *selected = -1;
    std::size_t total = 0;
    for (std::size_t i = 0; i < words.entries(); ++i) {
        const auto* word = static_cast<const RWCollectableString*>(words[i]);
        total += word->length() + 2;
        if (total >= kListBudget)
            break;
        if (typed == word->data())
            *selected = static_cast<int>(lines.size());
        lines.emplace_back(word->data());
    }
    return lines;
}

SpHelpWin::SpHelpWin(RefDoc* document, const std::string& query,
                     const std::vector<std::string>& names)
    : FRM_CWindow(document, FRM_CRect(200, 150, 520, 450), FRM_CStringRW(1089), 0, W_MODAL, 0,
                  TaskWindow()),
      itsDocument(document), itsQuery(SplitQuery(query, names))
{
    itsField = new FRM_NEditControl(this, FRM_CRect(15, 15, 305, 40),
                                    FRM_CStringRW(itsQuery.word.c_str()), 0);
    itsList = new FRM_NListBox(this, FRM_CRect(15, 50, 305, 240), FRM_CStringCollection(), 0);
    itsList->SetCommand(kCmdChosen);
    itsList->SetDoubleCommand(kCmdConfirm);
    auto* ok = new FRM_NButton(this, FRM_CRect(15, 255, 105, 280), FRM_CStringRW(1147), 0);
    ok->SetCommand(kCmdConfirm);
    auto* cancel = new FRM_NButton(this, FRM_CRect(215, 255, 305, 280), FRM_CStringRW(1161), 0);
    cancel->SetCommand(kCmdCancel);
    FillList();
}

void SpHelpWin::FillList()
{
    const std::string typed = itsField->GetTitle().data();
    RWOrdered words;
    CollectHitsInto(&words, typed.c_str());
    int selected = -1;
    const std::vector<std::string> lines = ListLines(words, typed, &selected);
    words.clearAndDestroy();
    itsList->Clear();
    for (const std::string& line : lines)
        itsList->Insert(FRM_CStringRW(line.c_str()), -1);
    if (selected >= 0)
        itsList->SelectItem(selected);
    else if (!lines.empty())
        itsList->SelectItem(0);
}

std::string SpHelpWin::Confirmed() const
{
    if (itsList->GetSelectPosition() < 0)
        return {};
    const std::string picked = itsList->GetFirstSelectedItem(FRM_CNativeList::kMaxItemLength).data();
    if (picked.empty())
        return {};
    return itsQuery.code.empty() ? picked : itsQuery.code + "=" + picked;
}

std::string SpHelpWin::Run(RefDoc* document, const std::string& query, std::string* code)
{
    std::string answer;
    auto* window = new SpHelpWin(document, query, SearchNames(document));
    const bool coded = !window->itsQuery.code.empty();
    window->itsAnswer = &answer;
    vko_win_process_modal(window->GetVKOWindow());
    if (coded && !answer.empty() && code != nullptr)
        *code = ""; // "code=word" runs as written
    return answer;
}

void SpHelpWin::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdRefresh:
        FillList();
        return;
    case kCmdConfirm:
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

void SpHelpWin::DoKey(const FRM_CKey& key)
{
    if (!key.IsVirtualKey() && key.GetChar() == 13)
        FillList();
}
