// sp_help_win.cpp: the spelling-help window.
#include "app/shell/sp_help_win.h"

#include <algorithm>

#include "app/display/entry_queries.h"
#include "app/settings/config_dict.h"
#include "app/shell/kq_factory.h"
#include "app/shell/ref_doc.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/runtime/cnav.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/collstr.h"

namespace {

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
    for (std::size_t i = 0; i < words.entries(); ++i)
        lines.emplace_back(static_cast<const RWCollectableString*>(words[i])->data());
    lines = FitListBudget(std::move(lines));
    const auto equal = std::find(lines.begin(), lines.end(), typed);
    *selected = equal != lines.end() ? static_cast<int>(equal - lines.begin()) : -1;
    return lines;
}

SpHelpWin::SpHelpWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
                     long attributes, e_win_type type, int menuBarId, WINDOW parent)
    : FRM_CWindow(document, frame, title, attributes, type, menuBarId, parent)
{
    KQedAppFactory::Instance().DoCreateViews(this, KQedAppFactory::kSpellingWindow, 0, &itsIDData);
    itsList = itsIDData.Get<FRM_NListBox>(1248);
    itsField = itsIDData.Get<FRM_NEditControl>(1257);
}

SpHelpWin* SpHelpWin::Make(RefDoc* document, const std::string& query,
                           const std::vector<std::string>& names)
{
    auto* window = dynamic_cast<SpHelpWin*>(
        KQedAppFactory::Instance().CreateWindow(document, KQedAppFactory::kSpellingWindow));
    if (window == nullptr)
        return nullptr;
    window->itsQuery = SplitQuery(query, names);
    if (window->itsField == nullptr || window->itsList == nullptr)
        return window;
    window->itsField->SetTitle(FRM_CStringRW(window->itsQuery.word.c_str()));
    window->FillList();
    return window;
}

void SpHelpWin::FillList()
{
    if (itsField == nullptr || itsList == nullptr)
        return;
    const std::string typed = itsField->GetTitle().data();
    RWOrdered words;
    if (auto* document = dynamic_cast<RefDoc*>(GetDocument()))
        document->GetKeyTable().MakeCurrent();
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
    if (itsList == nullptr || itsList->GetSelectPosition() < 0)
        return {};
    const std::string picked =
        itsList->GetFirstSelectedItem(FRM_CNativeList::kMaxItemLength).data();
    if (picked.empty())
        return {};
    return itsQuery.code.empty() ? picked : itsQuery.code + "=" + picked;
}

std::string SpHelpWin::Run(RefDoc* document, const std::string& query, std::string* code)
{
    SpHelpWin* window = Make(document, query, SearchNames(document));
    if (window == nullptr)
        return {};
    const bool coded = !window->itsQuery.code.empty();
    const std::string answer = window->itsModal.Run(window);
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
        itsModal.Confirm(this, Confirmed());
        return;
    case kCmdCancel:
        itsModal.Cancel(this);
        return;
    default:
        FRM_CWindow::DoCommand(command, data);
    }
}

void SpHelpWin::DoKey(const FRM_CKey& key)
{
    if (!IsReturn(key)) {
        itsModal.CancelOnEscape(this, key);
        return;
    }
    // Return presses the button that has the keys; on the list it takes the word picked, as
    // OK does; in the field it looks the field's text up again.
    if (PressFocusedButton(this))
        return;
    if (HasKeys(itsList))
        DoCommand(kCmdConfirm, nullptr);
    else
        FillList();
}

void SpHelpWin::DoTimer(long timerId)
{
    if (!itsModal.OnTimer(this, timerId))
        FRM_CWindow::DoTimer(timerId);
}
