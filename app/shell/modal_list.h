// modal_list.h: what the spelling-help and history windows share. Each is a modal window
// with a list: the list holds what fits its text budget, the window's modal loop answers
// what the user confirmed, and OK, Cancel and Escape close the window from the next timer
// tick (a control must not be deleted while it handles its hit).
#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "app/shell/close_soon.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

class FRM_CKey;

// The native list's text budget: each line counts its length and two.
constexpr std::size_t kModalListBudget = 32000;

// The first of lines, stopping before the counted total reaches the budget.
std::vector<std::string> FitListBudget(std::vector<std::string> lines);
bool IsEscape(const FRM_CKey& key);
bool IsReturn(const FRM_CKey& key);
// Whether the view's control has the keys (the focus the user sees).
bool HasKeys(const FRM_CView* view);
// Return on one of window's buttons presses it: true when a button had the keys.
bool PressFocusedButton(FRM_CWindow* window);

// A window's modal answer and its close; the window holds it as a member.
template <typename Answer>
class ModalAnswer {
public:
    // Runs window's modal loop; answers what Confirm gave, Answer{} when cancelled.
    Answer Run(FRM_CWindow* window)
    {
        Answer answer{};
        itsAnswer = &answer;
        FRM_CView::DeletionWatch watch(window);
        vko_win_process_modal(window->GetVKOWindow());
        // The loop can end with the window still open (a test's idle loop): it must not keep
        // pointing at this frame's answer.
        if (!watch.IsGone())
            itsAnswer = nullptr;
        return answer;
    }
    // OK: the answer (while Run runs), then the close.
    void Confirm(FRM_CWindow* window, Answer answer)
    {
        if (itsAnswer != nullptr)
            *itsAnswer = std::move(answer);
        itsClose.Ask(window);
    }
    void Cancel(FRM_CWindow* window) { itsClose.Ask(window); }
    // Escape cancels, as the Cancel button does; false for any other key.
    bool CancelOnEscape(FRM_CWindow* window, const FRM_CKey& key)
    {
        if (!IsEscape(key))
            return false;
        Cancel(window);
        return true;
    }
    // The window's DoTimer asks first; false for a timer that is not the close's.
    bool OnTimer(FRM_CWindow* window, long timerId) { return itsClose.OnTimer(window, timerId); }

private:
    CloseSoon itsClose;
    Answer* itsAnswer = nullptr;   // Run's, while it runs
};
