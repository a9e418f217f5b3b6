// menu_bar.cpp: the menu bar of a window, drawn in the strip above its client area: the titles'
// labels (without their marks, the marked letter underlined), where each title lies, what the
// bar shows as text for the display to tell when it must be drawn again.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "font_internal.h"
#include "menu_view_internal.h"
#include "window_internal.h"

namespace vkobase::menu_view {

namespace {

constexpr int kBarHeight = 20;
constexpr int kBarFirstLeft = 4;
constexpr int kTitlePad = 8;

} // namespace

// Screen rectangle of the owner's bar strip.
s_rct bar_strip(WINDOW owner) noexcept {
    const s_pnt origin = vkobase::win_client_origin_on_screen(owner);
    const s_rct client = vkobase::win_client_rect(owner);
    return s_rct{static_cast<std::int16_t>(origin.v - kBarHeight), origin.h, origin.v,
                 static_cast<std::int16_t>(origin.h + client.right)};
}

std::vector<Span> spans_of(WINDOW owner) {
    const s_mitem *tree = vkobase::menu::window_tree(owner);
    const int n = count_items(tree);
    std::vector<Span> spans(static_cast<std::size_t>(n));
    int count = 0;
    const s_rct strip = bar_strip(owner);
    vkobase::menu::bar_layout(tree, strip.right - strip.left, spans.data(), n, &count);
    spans.resize(static_cast<std::size_t>(count));
    return spans;
}

std::uint16_t upper(std::uint16_t ch) noexcept {
    return ch < 128 ? static_cast<std::uint16_t>(std::toupper(ch)) : ch;
}

} // namespace vkobase::menu_view

using namespace vkobase::menu_view;

namespace vkobase::menu {

Label parse_label(const char *title) {
    Label label;
    if (title == nullptr)
        return label;
    std::string text = title;
    const std::size_t tab = text.find('\t');
    if (tab != std::string::npos) {
        label.keys = text.substr(tab + 1);
        text.resize(tab);
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == '&' || c == '~') && i + 1 < text.size()) {
            ++i;
            if (text[i] != c && label.mnemonic < 0)
                label.mnemonic = static_cast<int>(label.text.size());
        }
        label.text += text[i];
    }
    return label;
}

std::uint16_t mnemonic_of(const char *title) noexcept {
    try {
        const Label label = parse_label(title);
        if (label.mnemonic < 0)
            return 0;
        return upper(
            static_cast<unsigned char>(label.text[static_cast<std::size_t>(label.mnemonic)]));
    } catch (...) {
        return 0;
    }
}

bool shows_bar(WINDOW win) noexcept {
    if (!win_is_live(win) || win->parent != win_screen())
        return false;
    if ((win->flags & VKO_WF_MENU_MASK) == 0 || (win->state2 & VKO_WS_NO_MENU) != 0)
        return false;
    return window_tree(win) != nullptr;
}

int bar_height() noexcept {
    return kBarHeight;
}

void bar_layout(const s_mitem *tree, int width, Span *out, int max_out, int *count) noexcept {
    const int n = std::min(count_items(tree), max_out);
    *count = n;
    std::vector<int> widths;
    try {
        for (int i = 0; i < n; ++i)
            widths.push_back(font::text_width(nullptr, font::kScreenDpi,
                                              parse_label(tree[i].text).text.c_str(), -1) +
                             2 * kTitlePad);
    } catch (...) {
        *count = 0;
        return;
    }
    // Titles from the first right-aligned one on sit at the right end.
    int split = n;
    for (int i = 0; i < n; ++i)
        if ((tree[i].state & VKO_MIS_RIGHT) != 0) {
            split = i;
            break;
        }
    int x = kBarFirstLeft;
    for (int i = 0; i < split; ++i) {
        out[i] = Span{x, x + widths[static_cast<std::size_t>(i)]};
        x += widths[static_cast<std::size_t>(i)];
    }
    int right_total = 0;
    for (int i = split; i < n; ++i)
        right_total += widths[static_cast<std::size_t>(i)];
    int rx = std::max(x, width - kBarFirstLeft - right_total);
    for (int i = split; i < n; ++i) {
        out[i] = Span{rx, rx + widths[static_cast<std::size_t>(i)]};
        rx += widths[static_cast<std::size_t>(i)];
    }
}

void draw_bar(WINDOW win, cairo_t *cr, int width) noexcept {
    const s_mitem *tree = window_tree(win);
    set_color(cr, kFace, kFace, kFace);
    cairo_rectangle(cr, 0, 0, width, kBarHeight);
    cairo_fill(cr);
    set_color(cr, kShadow, kShadow, kShadow);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 0, kBarHeight - 0.5);
    cairo_line_to(cr, width, kBarHeight - 0.5);
    cairo_stroke(cr);
    const int n = count_items(tree);
    std::vector<Span> spans;
    try {
        spans.resize(static_cast<std::size_t>(n));
    } catch (...) {
        return;
    }
    int count = 0;
    bar_layout(tree, width, spans.data(), n, &count);
    const bool mine = tr().active && tr().from_bar && tr().owner == win;
    for (int i = 0; i < count; ++i) {
        const Span &span = spans[static_cast<std::size_t>(i)];
        const bool hot = mine && tr().bar_hot == i;
        if (hot) {
            set_color(cr, kHiRed, kHiGreen, kHiBlue);
            cairo_rectangle(cr, span.left, 1, span.right - span.left, kBarHeight - 2);
            cairo_fill(cr);
        }
        if (tree[i].enabled == 0)
            set_color(cr, kGrey, kGrey, kGrey);
        else if (hot)
            set_color(cr, 1, 1, 1);
        else
            set_color(cr, 0, 0, 0);
        draw_label(cr, parse_label(tree[i].text), span.left + kTitlePad,
                   baseline_in(0, kBarHeight));
    }
}

std::string bar_look(WINDOW win) noexcept {
    std::string look;
    try {
        const s_mitem *tree = window_tree(win);
        const int n = count_items(tree);
        for (int i = 0; i < n; ++i) {
            look += tree[i].enabled != 0 ? '+' : '-';
            look += tree[i].text != nullptr ? tree[i].text : "";
            look += '\n';
        }
        if (tr().active && tr().from_bar && tr().owner == win)
            look += std::to_string(tr().bar_hot);
    } catch (...) {
        look.clear(); // an empty look never matches a drawn one
    }
    return look;
}

std::uint64_t bar_generation() noexcept {
    return st().generation;
}

void bar_changed() noexcept {
    ++st().generation;
    // An open level shows its items' state as it stands now.
    for (const Level &level : tr().levels)
        draw_level(level);
}

s_rct title_rect(WINDOW win, int index) noexcept {
    if (!shows_bar(win))
        return s_rct{};
    try {
        const std::vector<Span> spans = spans_of(win);
        if (index < 0 || static_cast<std::size_t>(index) >= spans.size())
            return s_rct{};
        const s_rct strip = bar_strip(win);
        const Span &sp = spans[static_cast<std::size_t>(index)];
        return s_rct{strip.top, static_cast<std::int16_t>(strip.left + sp.left), strip.bottom,
                     static_cast<std::int16_t>(strip.left + sp.right)};
    } catch (...) {
        return s_rct{};
    }
}

} // namespace vkobase::menu
