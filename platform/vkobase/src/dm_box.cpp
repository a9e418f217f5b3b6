// dm_box.cpp: the simple standard dialogs (dm_box.h), laid out from their message and
// buttons, built with vkok_win_create_def and run with vkok_win_process_modal.
#include "dm_box.h"

#include <algorithm>
#include <vector>

#include "core_internal.h"
#include "display_internal.h"
#include "font_internal.h"
#include "vkobase/ctl.h"
#include "vkobase/dm.h"
#include "vkobase/dwin.h"
#include "vkobase/font.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "window_internal.h"

namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kWidth = 380;
constexpr int kLineHeight = 18;
constexpr int kFieldHeight = 22;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 26;
constexpr int kGap = 8;
// Control ids: buttons from 1, fields from 100.
constexpr std::int16_t kFirstButton = 1;
constexpr std::int16_t kFirstField = 100;

struct BoxHook {
    VKO_DM_BOX_HOOK hook = nullptr;
    void *context = nullptr;
};
BoxHook &box_hook() {
    static BoxHook h;
    return h;
}

// What the dialog's handler keeps while it runs.
struct Running {
    const vkobase::dm::Box *box = nullptr;
    vkobase::dm::BoxAnswer answer;
    bool answered = false;
};

// The message's lines wrapped to width pixels of the control font.
std::vector<std::string> wrap(const std::string &text, int width) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string para = text.substr(start, end - start);
        std::string line;
        std::size_t pos = 0;
        while (pos < para.size()) {
            std::size_t next = para.find(' ', pos);
            next = next == std::string::npos ? para.size() : next;
            const std::string word = para.substr(pos, next - pos);
            const std::string tried = line.empty() ? word : line + " " + word;
            if (!line.empty() &&
                vkobase::font::text_width(nullptr, vkobase::font::kScreenDpi, tried.c_str(), -1) >
                    width) {
                lines.push_back(line);
                line = word;
            } else {
                line = tried;
            }
            pos = next + 1;
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

void draw_icon(WINDOW win, vkobase::dm::Icon icon) {
    struct Look {
        COLOR fill;
        const char *mark;
    };
    Look look{};
    switch (icon) {
    case vkobase::dm::Icon::kInfo:
        look = {0x002060C0u, "i"};
        break;
    case vkobase::dm::Icon::kQuestion:
        look = {0x002060C0u, "?"};
        break;
    case vkobase::dm::Icon::kWarning:
        look = {0x00E0A000u, "!"};
        break;
    case vkobase::dm::Icon::kError:
        look = {0x00C02020u, "X"};
        break;
    case vkobase::dm::Icon::kNone:
        return;
    }
    const s_rct r{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
    const s_cbrush brush{PAT_SOLID, look.fill};
    const s_cpen pen{1, PAT_SOLID, P_SOLID, look.fill};
    vkok_dwin_set_cbrush(win, &brush);
    vkok_dwin_set_cpen(win, &pen);
    vkok_dwin_draw_oval(win, &r);
    vkov_dwin_set_font_style(win, VKO_FS_BOLD);
    vkov_dwin_set_font_size(win, 16);
    vkok_dwin_set_fore_color(win, VKO_COLOR_WHITE);
    const int w = vkok_dwin_get_text_width(win, look.mark, 1);
    vkok_dwin_draw_text(win, kMargin + (kIconSize - w) / 2, kMargin + 23, look.mark, 1);
}

// A check box changes its mark when clicked; a radio button takes the mark from the others.
void toggle(WINDOW win, const vkobase::dm::Box &box, int index) {
    if (index < 0 || index >= static_cast<int>(box.fields.size()))
        return;
    WINDOW ctl = vkok_win_get_ctl(win, static_cast<std::int16_t>(kFirstField + index));
    const e_win_type type = box.fields[static_cast<std::size_t>(index)].type;
    if (type == WC_CHECKBOX) {
        vkok_ctl_set_checked(ctl, vkok_ctl_is_checked(ctl) != FALSE ? FALSE : TRUE);
    } else if (type == WC_RADIOBUTTON) {
        std::vector<WINDOW> group;
        for (std::size_t i = 0; i < box.fields.size(); ++i)
            if (box.fields[i].type == WC_RADIOBUTTON)
                group.push_back(vkok_win_get_ctl(win, static_cast<std::int16_t>(kFirstField + i)));
        vkok_ctl_check_radio_button(ctl, group.data(), static_cast<std::int32_t>(group.size()));
    }
}

void finish(WINDOW win, Running *run, std::int32_t answer) {
    const vkobase::dm::Box &box = *run->box;
    run->answer.answer = answer;
    run->answer.texts.assign(box.fields.size(), std::string());
    run->answer.checked.assign(box.fields.size(), false);
    for (std::size_t i = 0; i < box.fields.size(); ++i) {
        WINDOW ctl = vkok_win_get_ctl(win, static_cast<std::int16_t>(kFirstField + i));
        if (ctl == nullptr)
            continue;
        if (box.fields[i].type == WC_EDIT) {
            char buf[1024] = {};
            if (vkok_vobj_get_title(ctl, buf, sizeof buf) != nullptr)
                run->answer.texts[i] = buf;
        } else if (box.fields[i].type == WC_CHECKBOX || box.fields[i].type == WC_RADIOBUTTON) {
            run->answer.checked[i] = vkok_ctl_is_checked(ctl) != FALSE;
        }
    }
    run->answered = true;
    vkok_vobj_destroy(win);
}

std::int32_t box_handler(WINDOW win, EVENT *event) noexcept {
    auto *run = reinterpret_cast<Running *>(win->app_data);
    if (run == nullptr || run->answered)
        return 0;
    try {
        switch (event->type) {
        case E_UPDATE:
            draw_icon(win, run->box->icon);
            break;
        case E_CONTROL: {
            const int index = event->v.ctl.id - kFirstButton;
            if (index >= 0 && index < static_cast<int>(run->box->buttons.size()))
                finish(win, run, run->box->answers[static_cast<std::size_t>(index)]);
            else
                toggle(win, *run->box, event->v.ctl.id - kFirstField);
            break;
        }
        case E_CLOSE:
            finish(win, run, run->box->cancel_answer);
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return 0;
}

} // namespace

void vkobase_reset_dm_box() noexcept {
    box_hook() = BoxHook{};
}

namespace vkobase::dm {

bool boxes_shown() noexcept {
    if (app_test_mode())
        return box_hook().hook != nullptr;
    return display_is_open();
}

BoxAnswer run_box(const Box &box) {
    Running run;
    run.box = &box;
    run.answer.answer = box.cancel_answer;
    const int text_left = box.icon == Icon::kNone ? kMargin : kMargin + kIconSize + kMargin;
    const std::vector<std::string> lines = wrap(box.message, kWidth - text_left - kMargin - 8);
    std::vector<s_win_def> defs;
    std::vector<std::string> keep; // texts the definitions point into
    keep.reserve(lines.size() + box.fields.size() + box.buttons.size() + 1);
    auto text_of = [&](const std::string &s) {
        keep.push_back(s);
        return const_cast<char *>(keep.back().c_str());
    };
    int y = kMargin;
    s_win_def first{};
    first.type = W_MODAL;
    first.text = text_of(box.title);
    defs.push_back(first);
    for (const std::string &line : lines) {
        s_win_def d{};
        d.type = WC_TEXT;
        d.rct = s_rct{static_cast<std::int16_t>(y), static_cast<std::int16_t>(text_left),
                      static_cast<std::int16_t>(y + kLineHeight),
                      static_cast<std::int16_t>(kWidth - kMargin)};
        d.text = text_of(line);
        defs.push_back(d);
        y += kLineHeight;
    }
    if (box.icon != Icon::kNone)
        y = std::max(y, kMargin + kIconSize);
    y += kGap;
    for (std::size_t i = 0; i < box.fields.size(); ++i) {
        const Field &f = box.fields[i];
        s_win_def d{};
        d.type = f.type;
        d.id = static_cast<std::int16_t>(kFirstField + i);
        d.rct = s_rct{static_cast<std::int16_t>(y), static_cast<std::int16_t>(text_left),
                      static_cast<std::int16_t>(y + kFieldHeight),
                      static_cast<std::int16_t>(kWidth - kMargin)};
        d.text = text_of(f.text);
        d.ctl_flags = f.checked ? VKO_CTL_CHECKED : 0;
        defs.push_back(d);
        y += kFieldHeight + 4;
    }
    y += kGap;
    const int count = static_cast<int>(box.buttons.size());
    int x = kWidth - kMargin - count * kButtonWidth - (count - 1) * kGap;
    for (int i = 0; i < count; ++i) {
        s_win_def d{};
        d.type = WC_PUSHBUTTON;
        d.id = static_cast<std::int16_t>(kFirstButton + i);
        d.rct = s_rct{static_cast<std::int16_t>(y), static_cast<std::int16_t>(x),
                      static_cast<std::int16_t>(y + kButtonHeight),
                      static_cast<std::int16_t>(x + kButtonWidth)};
        d.text = text_of(box.buttons[static_cast<std::size_t>(i)]);
        if (i == 0)
            d.ctl_flags |= VKO_CTL_DEFAULT;
        if (box.answers[static_cast<std::size_t>(i)] == box.cancel_answer)
            d.ctl_flags |= VKO_CTL_CANCEL;
        defs.push_back(d);
        x += kButtonWidth + kGap;
    }
    y += kButtonHeight + kMargin;
    // Centred on the screen.
    const s_rct screen = win_client_rect(win_screen());
    const int top = std::max(0, (screen.bottom - y) / 3);
    const int left = std::max(0, (screen.right - kWidth) / 2);
    defs[0].rct = s_rct{static_cast<std::int16_t>(top), static_cast<std::int16_t>(left),
                        static_cast<std::int16_t>(top + y),
                        static_cast<std::int16_t>(left + kWidth)};
    defs.push_back(s_win_def{}); // the end of the list
    WINDOW win = vkok_win_create_def(defs.data(), nullptr, VKO_EVENT_MASK_ALL, box_handler,
                                     reinterpret_cast<intptr_t>(&run));
    if (win == nullptr)
        return run.answer;
    const std::uint64_t order = win->internal->created_order;
    win->internal->fresh_input_only = true;
    win->internal->deliberate_keys_only = box.ends_program;
    if (box_hook().hook != nullptr && app_test_mode())
        box_hook().hook(win, box.kind.c_str(), box_hook().context);
    const vko_win_internal *in = win_internal(win);
    if (in != nullptr && in->created_order == order)
        vkok_win_process_modal(win);
    // A loop that ended without an answer (the program quits, or nothing more can arrive in
    // a test) leaves no dialog behind.
    in = win_internal(win);
    if (in != nullptr && in->created_order == order) {
        win->app_data = 0;
        vkok_vobj_destroy(win);
    }
    return run.answer;
}

} // namespace vkobase::dm

extern "C" void vkov_dm_test_set_box_hook(VKO_DM_BOX_HOOK hook, void *context) noexcept {
    box_hook() = BoxHook{hook, context};
}
