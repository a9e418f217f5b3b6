// modal_list.cpp: the list budget and the Return and Escape keys of the modal list windows.
#include "app/shell/modal_list.h"

#include "frm/controls/nctrls.h"
#include "frm/runtime/cnav.h"

std::vector<std::string> FitListBudget(std::vector<std::string> lines)
{
    std::size_t total = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        total += lines[i].size() + 2;
        if (total >= kModalListBudget) {
            lines.resize(i);
            break;
        }
    }
    return lines;
}

bool IsEscape(const FRM_CKey& key)
{
    return !key.IsVirtualKey() && key.GetChar() == 27;
}

bool IsReturn(const FRM_CKey& key)
{
    return !key.IsVirtualKey() && key.GetChar() == 13;
}

namespace {

// The button among view's subviews (at any depth) that has the toolkit's keys.
FRM_NButton* ButtonWithKeys(const FRM_CView* view, WINDOW focus)
{
    const RWOrdered* subviews = view->GetSubviews();
    for (std::size_t i = 0; subviews != nullptr && i < subviews->entries(); ++i) {
        auto* child = static_cast<FRM_CView*>((*subviews)[i]);
        auto* button = dynamic_cast<FRM_NButton*>(child);
        if (button != nullptr && button->GetVKOWindow() == focus)
            return button;
        if (FRM_NButton* inner = ButtonWithKeys(child, focus))
            return inner;
    }
    return nullptr;
}

} // namespace

bool HasKeys(const FRM_CView* view)
{
    return view != nullptr && view->GetVKOWindow() != nullptr &&
           vko_scr_get_focus_vobj() == view->GetVKOWindow();
}

bool PressFocusedButton(FRM_CWindow* window)
{
    FRM_NButton* button = ButtonWithKeys(window, vko_scr_get_focus_vobj());
    if (button == nullptr || button->IsEnabled() == 0)
        return false;
    button->DoCommand(button->GetCommand(), button);
    return true;
}
