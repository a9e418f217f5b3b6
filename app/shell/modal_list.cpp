// modal_list.cpp: the list budget and the Escape key of the modal list windows.
#include "app/shell/modal_list.h"

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
