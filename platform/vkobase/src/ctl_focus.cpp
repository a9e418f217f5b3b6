// ctl_focus.cpp: where the keys go that a focused control has no use for. In a dialog built
// from definitions the library moves the focus itself: Tab and Shift+Tab over the focusable
// controls in definition order, the arrows within a group of radio buttons, Enter to the focused
// or the default push button, Escape to the cancel button; other keys go to the dialog's
// handler. Everywhere else (windows whose keys the program navigates) the nearest window above
// with a handler gets the key as a key event, Tab and Enter included. A control whose focus
// moved while its event chain ran (a class-extension object navigated) passes nothing on.
#include <algorithm>
#include <vector>

#include "ctl_internal.h"
#include "vkobase/ctl.h"
#include "vkobase/scr.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace vkobase::ctl {

namespace {

void collect(WINDOW win, std::vector<WINDOW> *out) {
    for (WINDOW kid : win->internal->children) {
        if (!kid->internal->visible)
            continue;
        if (is_native(kid) || win_effective_type(kid) == WC_TEXTEDIT)
            out->push_back(kid);
        else
            collect(kid, out);
    }
}

// The dialog's controls in definition order (creation order).
std::vector<WINDOW> controls_of(WINDOW dialog) {
    std::vector<WINDOW> all;
    collect(dialog, &all);
    std::sort(all.begin(), all.end(), [](WINDOW a, WINDOW b) {
        return a->internal->created_order < b->internal->created_order;
    });
    return all;
}

bool can_focus(WINDOW win) noexcept {
    return vkok_vobj_is_focusable(win) != FALSE && input_enabled(win);
}

WINDOW dialog_of(WINDOW ctl) noexcept {
    for (WINDOW w = ctl->parent; win_is_live(w); w = w->parent)
        if (w->internal->dialog_face)
            return w;
    return nullptr;
}

void move_focus(WINDOW to) {
    vkok_scr_set_focus_vobj(to);
    // A field reached by the keyboard has its whole text selected.
    const e_win_type type = win_is_live(to) ? win_effective_type(to) : W_NONE;
    if (type == WC_EDIT || type == WC_LISTEDIT)
        vkok_ctl_set_text_sel(to, 0, -1);
}

// The next (or previous) control after from that can take the focus, wrapping around.
WINDOW step(const std::vector<WINDOW> &order, WINDOW from, bool forward) {
    const auto n = static_cast<long>(order.size());
    if (n == 0)
        return nullptr;
    long at = std::find(order.begin(), order.end(), from) - order.begin();
    if (at >= n)
        at = forward ? -1 : n;
    for (long i = 1; i <= n; ++i) {
        const long k = ((at + (forward ? i : -i)) % n + n) % n;
        if (can_focus(order[static_cast<size_t>(k)]))
            return order[static_cast<size_t>(k)];
    }
    return nullptr;
}

// The radio buttons of from's group: the run of radio buttons around it in definition order.
std::vector<WINDOW> radio_group(const std::vector<WINDOW> &order, WINDOW from) {
    const auto at = std::find(order.begin(), order.end(), from);
    auto first = at, last = at;
    while (first != order.begin() && win_effective_type(*(first - 1)) == WC_RADIOBUTTON)
        --first;
    while (last + 1 != order.end() && win_effective_type(*(last + 1)) == WC_RADIOBUTTON)
        ++last;
    return std::vector<WINDOW>(first, last + 1);
}

WINDOW button_with(const std::vector<WINDOW> &order, std::uint32_t flag) {
    for (WINDOW w : order)
        if (win_effective_type(w) == WC_PUSHBUTTON && (w->flags & flag) != 0 && input_enabled(w))
            return w;
    return nullptr;
}

// The dialog's own handling of a key; false when the key is not one of its own.
bool navigate(WINDOW dialog, WINDOW ctl, const s_char &key) {
    const std::vector<WINDOW> order = controls_of(dialog);
    const bool back_tab = (key.virt != 0 && key.ch == VKO_KEY_BACK_TAB) ||
                          (key.virt == 0 && key.ch == 9 && key.shift != 0);
    if (back_tab || (key.virt == 0 && key.ch == 9)) {
        if (WINDOW to = step(order, ctl, !back_tab))
            move_focus(to);
        return true;
    }
    if (key.virt != 0 && win_effective_type(ctl) == WC_RADIOBUTTON &&
        (key.ch == VKO_KEY_UP || key.ch == VKO_KEY_DOWN || key.ch == VKO_KEY_LEFT ||
         key.ch == VKO_KEY_RIGHT)) {
        const bool forward = key.ch == VKO_KEY_DOWN || key.ch == VKO_KEY_RIGHT;
        WINDOW to = step(radio_group(order, ctl), ctl, forward);
        if (to != nullptr && to != ctl) {
            move_focus(to);
            // Moving onto a radio button chooses it, as a click would.
            notify(to, 0, 0);
        }
        return true;
    }
    if (key.virt == 0 && key.ch == 13) {
        WINDOW button =
            win_effective_type(ctl) == WC_PUSHBUTTON ? ctl : button_with(order, VKO_CTL_DEFAULT);
        if (button == nullptr)
            return false;
        notify(button, 0, 0);
        return true;
    }
    if (key.virt == 0 && key.ch == 27) {
        WINDOW button = button_with(order, VKO_CTL_CANCEL);
        if (button == nullptr)
            return false;
        notify(button, 0, 0);
        return true;
    }
    return false;
}

} // namespace

void focus_first(WINDOW dialog) noexcept {
    if (!win_is_live(dialog))
        return;
    try {
        const std::vector<WINDOW> order = controls_of(dialog);
        for (WINDOW w : order)
            if (can_focus(w)) {
                move_focus(w);
                return;
            }
    } catch (...) {
    }
}

void pass_key(WINDOW ctl, EVENT *event) noexcept {
    if (!has_focus(ctl) || event->type != E_CHAR)
        return;
    try {
        WINDOW dialog = dialog_of(ctl);
        if (dialog != nullptr) {
            if (!navigate(dialog, ctl, event->v.chr))
                win_deliver_event(dialog, event);
            return;
        }
    } catch (...) {
        return;
    }
    for (WINDOW w = ctl->parent; win_is_live(w); w = w->parent) {
        if (w->handler != nullptr && !is_native(w)) {
            win_deliver_event(w, event);
            return;
        }
    }
}

} // namespace vkobase::ctl
